// Tests of the korvex-mex literals and output listing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

#include "matrix_text.h"

namespace {

using korvex::host::format_output;
using korvex::host::Literal;
using korvex::host::parse_literal;

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

TEST(Literal, ReadsNumbersMatricesAndZerosColumnMajor) {
  // Rows {text, rows, columns, values in column order}.
  const std::tuple<const char*, std::size_t, std::size_t, std::vector<double>> cases[] = {
      {"-Inf", 1, 1, {-inf}},
      {"[+.5 2.E+3, 0.1; 1e999 -1 0]", 2, 3, {0.5, inf, 2000, -1, 0.1, 0}},
      {" [ 1 -1 ] ", 1, 2, {1, -1}},
      {"[1;2;]", 2, 1, {1, 2}},
      {"[]", 0, 0, {}},
      {"zeros( 2 , 0 )", 2, 0, {}},
      {"zeros(1,2)", 1, 2, {0, 0}}};
  Literal lit;
  std::string why;
  for (const auto& [text, r, c, values] : cases) {
    ASSERT_TRUE(parse_literal(text, lit, why)) << text << ": " << why;
    EXPECT_EQ(std::make_pair(lit.rows, lit.cols), std::make_pair(r, c)) << text;
    EXPECT_EQ(lit.values, values) << text;
  }
  ASSERT_TRUE(parse_literal("[NaN -0]", lit, why));
  EXPECT_TRUE(std::isnan(lit.values[0]));
  EXPECT_TRUE(std::signbit(lit.values[1]));
}

TEST(Literal, RejectsMalformedTextSayingWhy) {
  for (const char* text : {"", "x", "1x", "0x10", "1e", ".", "-", "--1", "1 2", "Infinity", "[1 2",
                           "[1 2; 3]", "[1 - 2]", "zeros(2)", "zeros(-1,2)", "zeros(1.5,2)",
                           "zeros(2,3,4)", "zeros(999999999999,999999999999)"}) {
    Literal lit;
    std::string why;
    EXPECT_FALSE(parse_literal(text, lit, why)) << "'" << text << "'";
    EXPECT_FALSE(why.empty()) << text;
  }
}

TEST(Output, ListsOneLinePerRowInFullPrecision) {
  const double v[] = {0.1, -0.0, 1.0 / 3, 1e300, inf, -inf, nan, 12};
  EXPECT_EQ(format_output(2, 2, 4, v),
            "out2 = 2 x 4\n"
            "0.10000000000000001 0.33333333333333331 Inf NaN\n"
            "-0 1.0000000000000001e+300 -Inf 12\n");
  EXPECT_EQ(format_output(1, 2, 0, nullptr), "out1 = 2 x 0\n\n\n");
  EXPECT_EQ(format_output(3, 0, 5, nullptr), "out3 = 0 x 5\n");
}

}  // namespace
