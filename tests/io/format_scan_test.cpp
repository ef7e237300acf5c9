// Tests of Mfmt<T>::scan: mixed numbers and text, the end of input, counts, growth of the value
// array, and formats that could loop or overflow.
#include <climits>
#include <cmath>

#include "io_support.h"

using namespace korvex;
using namespace korvex_test;

namespace {

struct Scanned {
  std::vector<double> values;
  int count, total;
};
template <class T = double>
Scanned scanned(const char* format, const std::string& input, int max = 1000) {
  TextFile file(input);
  Mfmt<T> f(format);
  Scanned s;
  T* v = f.scan(file.f, max, s.count, s.total);
  for (int k = 0; k < s.count; ++k) s.values.push_back(static_cast<double>(v[k]));
  delete_data(v);
  return s;
}
std::vector<double> codes(const std::string& s) { return {s.begin(), s.end()}; }
std::vector<double> join(std::vector<double> a, const std::vector<double>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

// Numbers and text mixed: "%s" appends each character's code, "%c" one code, numbers their
// value; scanning stops at the first conversion that does not match, at the end of the input
// (keeping what was read before a cut number) and once count reaches max ("%s" may append past
// it in one step).
TEST(FormatScan, MixedNumbersAndText) {
  struct Row {
    const char* format;
    const char* input;
    std::vector<double> want;
    int total, max = 1000;
  };
  const Row rows[] = {
      {"%d %s %f", "12 abc 3.5 x", join(join({12}, codes("abc")), {3.5}), 3},
      {"%g,", "1.5,-2e3,inf,", {1.5, -2000, HUGE_VAL}, 3},
      {"%c", "a b", codes("a b"), 3},
      {"%3c", "abcdefgh", codes("abcdefgh"), 3},
      {"x=%d,", "x=1,x=2,", {1, 2}, 2},
      {"%s", "one two", codes("onetwo"), 2},
      {"%2s", "abcde", codes("abcde"), 3},
      {"%x %o %i %i", "ff 17 0x10 -010", {255, 15, 16, -8}, 4},
      {"%X %u", "FFFFFFFF -1", {-1, -1}, 2},
      {"%d %d", "99999999999 -99999999999", {INT_MAX, INT_MIN}, 2},
      {"%*s %d", "skip 1 skip 2", {1, 2}, 2},
      {"%d%n", "5 6", {5, 1, 6, 2}, 2},
      {"%D %I %O %U %E %G %F", "1 2 10 4 5 6 7", {1, 2, 8, 4, 5, 6, 7}, 7},
      {"%lf %hd %Lg", "1.25 7 2", {1.25, 7, 2}, 3},
      {"%5d", "1234567", {12345, 67}, 2},
      {"%d %p %d", "1 0x10 2", {1, 2}, 3},
      {"%d", "", {}, 0},
      {"%d,", "4,5,-", {4, 5}, 2},
      {"%d", "1 2 3 4 5", {1, 2, 3}, 3, 3},
      {"%s", "abcd efgh", codes("abcd"), 1, 2},
      {"%d", "1 2", {}, 0, 0},
      {"ab", "ababx", {}, 0},  // a literal that stops matching ends, not loops
  };
  for (const Row& r : rows) {
    const Scanned s = scanned(r.format, r.input, r.max);
    EXPECT_TRUE(all_same(s.values, r.want)) << r.format << " on " << r.input;
    EXPECT_EQ(s.total, r.total) << r.format << " on " << r.input;
  }
}

TEST(FormatScan, NumberCutByTheEnd) {
  // Whether "2e" still reads as 2 is the platform's scanf's call (glibc says yes).
  double cut = 0;
  const int cut_read = std::sscanf("2e", "%lf", &cut);
  const Scanned s = scanned("%f", "1.5 2e");
  EXPECT_TRUE(
      all_same(s.values, cut_read == 1 ? std::vector<double>{1.5, cut} : std::vector<double>{1.5}));
  EXPECT_EQ(s.total, cut_read == 1 ? 2 : 1);
}

// The value array grows by 4000 elements at a time; nothing is lost across the steps.
TEST(FormatScan, GrowsPastTheFirstBlock) {
  std::string input;
  std::vector<double> want;
  for (int k = 0; k < 9001; ++k) {
    input += std::to_string(k % 997) + " ";
    want.push_back(k % 997);
  }
  Scanned s = scanned("%d", input, 100000);
  EXPECT_EQ(s.count, 9001);
  EXPECT_TRUE(all_same(s.values, want));
  // A text token longer than the 31999-character buffer is read in pieces, all kept.
  const std::string token(40000, 'q');
  s = scanned("%s", token, 100000);
  EXPECT_EQ(s.count, 40000);
  EXPECT_EQ(s.total, 2);
  EXPECT_TRUE(all_same(s.values, codes(token)));
}

// A format that reads nothing, "%n" alone, ends instead of looping; the empty one is an error.
TEST(FormatScan, FormatsWithoutConversionsEnd) {
  Scanned s = scanned("%n", "123", 100);
  EXPECT_TRUE(all_same(s.values, {0}));
  s = scanned("  %n", "  x", 100);
  EXPECT_TRUE(all_same(s.values, {0})) << "the second pass reads nothing";
  TextFile file("1");  // the empty format has no item at all
  Mfmt<double> f("");
  int count, total;
  EXPECT_ERROR(f.scan(file.f, 5, count, total), "sscanf: unknown type character");
}

TEST(FormatScan, FloatAndIntInstances) {
  Scanned s = scanned<int>("%f", "2.7 -1e20 nan");
  EXPECT_TRUE(all_same(s.values, {2, INT_MIN, 0}));
  s = scanned<float>("%f %c", "1e300 A");
  EXPECT_TRUE(all_same(s.values, {HUGE_VAL, 65}));
  s = scanned<float>("%g", "3.4028235e38 3.402824e38");
  // Either side of FLT_MAX plus half a float step (2^103): FLT_MAX, then infinity.
  EXPECT_TRUE(all_same(s.values, {3.4028234663852886e38, HUGE_VAL}));
}
