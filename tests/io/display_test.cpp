// Tests of the display: disp in both modes, operator<<, the matrix warning and error, format,
// whos_line, smiley, and the spelling rule for non-finite numbers.
#include <cmath>

#include "io_support.h"

using namespace korvex;
using namespace korvex_test;

namespace {

const double inf = HUGE_VAL;
const double nan_neg = -std::nan("");

std::string shown(const M<double>& m) {
  std::ostringstream out;
  disp(m, out);
  return out.str();
}

// Sets the display mode for one test and restores short mode after it.
struct Mode {
  explicit Mode(const char* mode) {
    CapturedStreams quiet;
    format(M<double>(mode));
  }
  ~Mode() { display_short = 1; }
};

}  // namespace

// Each number right-aligned in a field two wider than the widest "%.4g" (or "%.12g") text.
TEST(Display, NumbersInShortAndLongMode) {
  EXPECT_EQ(shown(row({1, -2.5})), "     1  -2.5\n");
  EXPECT_EQ(shown(by_rows(2, 2, {1, 100, -3, 2.25})), "     1   100\n    -3  2.25\n");
  EXPECT_EQ(shown(row({M_PI, 1e-10})), "  3.142  1e-10\n");
  EXPECT_EQ(shown(M<double>(0, 0, 0)), "[]\n");
  Mode long_mode("long");
  EXPECT_EQ(shown(row({M_PI, 1e-10})), "  3.14159265359          1e-10\n");
  EXPECT_EQ(shown(row({1.0 / 3})), "  0.333333333333\n");
}

// Complex elements: " +" or " -", |imaginary part| in a field as wide as the widest imaginary
// text, "i"; a NaN imaginary part leaves that field and its sign blank.
TEST(Display, ComplexElements) {
  EXPECT_EQ(shown(crow({1, -2.5}, {3, -4})), "     1 + 3i  -2.5 - 4i\n");
  EXPECT_EQ(shown(crow({1, 2}, {0.5, 12})), "  1 +0.5i  2 + 12i\n");
  EXPECT_EQ(shown(crow({1, 2}, {std::nan(""), 12})), "  1       2 + 12i\n");
  EXPECT_EQ(shown(crow({1}, {-inf})), "  1 - Infi\n");
  // An all-zero imaginary part displays as a real matrix.
  EXPECT_EQ(shown(crow({1, 2}, {0, 0})), "  1  2\n");
}

// Non-finite elements are respelled in their field; widths come from the platform's text.
TEST(Display, NonFiniteElements) {
  EXPECT_EQ(shown(row({1, inf})), "    1  Inf\n");
  EXPECT_EQ(shown(row({nan_neg, -inf})), "   NaN  -Inf\n") << "-nan sets the width";
  Mode long_mode("long");
  EXPECT_EQ(shown(row({std::nan(""), 0.1})), "  NaN  0.1\n");
}

TEST(Display, TextMatrices) {
  EXPECT_EQ(shown(M<double>("hi there")), "hi there\n");
  M<double> two = by_rows(2, 3, {'a', 'b', 'c', 'd', 'e', 'f'});
  two.setdm(1);
  EXPECT_EQ(shown(two), "abc\ndef\n");
  M<double> codes = row({321.7, 66.2});
  codes.setdm(1);
  EXPECT_EQ(shown(codes), "AB\n");
}

TEST(Display, StreamInsertionNamesTheMatrix) {
  std::ostringstream out;
  out << by_rows(1, 2, {1, 2}, "a") << row({3});
  EXPECT_EQ(out.str(), "a = \n  1  2\nans = \n  3\n");
  std::ostringstream none;
  const M<double> novalue(x_M);
  none << novalue;
  EXPECT_EQ(none.str(), "");
  // Showing a complex matrix with an all-zero imaginary part leaves it real.
  M<double> z = crow({1}, {0});
  std::ostringstream shown_z;
  shown_z << z;
  EXPECT_EQ(shown_z.str(), "ans = \n  1\n");
  EXPECT_FALSE(z.isc());
}

TEST(Display, MatrixWarningAndError) {
  {
    CapturedStreams streams;
    EXPECT_TRUE(warning(M<double>("careful")).issamename(noval_name));
    warning(M<double>(0, 0, 0));
    EXPECT_EQ(streams.err.str(), "warning: careful\nwarning: []\n");
    EXPECT_TRUE(error(M<double>(0, 0, 0)).issamename(noval_name));
    EXPECT_EQ(streams.err.str(), "warning: careful\nwarning: []\n");
    EXPECT_EQ(streams.out.str(), "");
  }
  EXPECT_EXIT(error(M<double>("boom")), testing::ExitedWithCode(1), "^Error: boom\n$");
}

TEST(Display, FormatSelectsTheMode) {
  struct Row {
    const char* mode;
    int short_mode;
  };
  const Row rows[] = {{"LONG", 0}, {"l", 0}, {"short", 1}, {"", 1}, {" long", 1}};
  for (const Row& r : rows) {
    CapturedStreams streams;
    display_short = 1 - r.short_mode;
    EXPECT_TRUE(format(M<double>(r.mode)).issamename(noval_name));
    EXPECT_EQ(display_short, r.short_mode) << r.mode;
    EXPECT_EQ(streams.out.precision(), r.short_mode ? 4 : 12) << r.mode;
    EXPECT_EQ(streams.err.str(), "");
  }
  CapturedStreams streams;
  format(M<double>("longer than nine"));
  EXPECT_EQ(display_short, 0);
  EXPECT_EQ(streams.err.str(), "warning: Mstr: buffer too small - chopped\n");
  display_short = 1;
}

TEST(Display, WhosLine) {
  CapturedStreams streams;
  EXPECT_STREQ(whos_line(nullptr, 1, 2, 3, "double"), "");
  EXPECT_STREQ(whos_line("velocity", 0, 70000, 70000, "double"), "velocity");
  const std::string long_name(300, 'n');
  whos_line(long_name.c_str(), 0, 1, 1, "char");
  EXPECT_EQ(streams.out.str(), std::string(20, ' ') +
                                   "     2 x 3                6 double elements, Complex.\n"
                                   "velocity            " +
                                   " 70000 x 70000    605032704 double elements, Real.\n" +
                                   long_name +
                                   "     1 x 1                1 char elements, Real.\n");
}

// Every pair of the spelling table, applied only for its kind of value and in its order (the
// longer spellings first, so "-1.#QNAN" is not taken for "1.#QNAN" behind a minus sign).
TEST(Display, NonFiniteSpellingTable) {
  struct Row {
    double x;
    const char* platform;
    const char* runtime;
  };
  const double nan = std::nan("");
  const Row rows[] = {
      {-inf, "-1.#INF", "    -Inf"}, {-inf, " -1.#IO", "   -Inf"},  {-inf, "-INF", "-Inf"},
      {-inf, "  ---", " -Inf"},      {-inf, "-inf", "-Inf"},        {inf, "1.#INF", "   Inf"},
      {inf, " 1.#IO", "   Inf"},     {inf, "+INF", " Inf"},         {inf, " ++", "Inf"},
      {inf, "inf", "Inf"},           {nan, "-1.#QNAN", "     NaN"}, {nan, "1.#QNAN", "    NaN"},
      {nan, "-1.#QO", "   NaN"},     {nan, "1.#QO", "  NaN"},       {nan, "  ?", "NaN"},
      {nan, "-1.#IND", "    NaN"},   {nan, "1.#IND", "   NaN"},     {nan, "+NAN", " NaN"},
      {nan, "-NAN", " NaN"},         {nan, "-nan", " NaN"},         {nan, "nan", "NaN"},
      {nan, "INF", "INF"},           {inf, "nan", "nan"},           {-inf, "inf", "inf"},
      {1.0, "inf", "inf"},           {nan, "nan nan", "NaN NaN"},   {-inf, "INF", "INF"},
  };
  for (const Row& r : rows) {
    std::string text = r.platform;
    fix_nonfinite(r.x, text);
    EXPECT_EQ(text, r.runtime) << r.platform;
  }
}

// A replacement that holds its pattern would never end, so it is not made.
TEST(Display, ReplaceAll) {
  std::string text = "a-b-c";
  replace_all(text, "-", "+-");
  EXPECT_EQ(text, "a-b-c");
  replace_all(text, "-", "::");
  EXPECT_EQ(text, "a::b::c");
}
