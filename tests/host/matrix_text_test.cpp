// Tests of the korvex-mex literals and output listing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "matrix_text.h"

namespace {

using korvex::host::format_output;
using korvex::host::Literal;
using korvex::host::parse_literal;

const double inf = std::numeric_limits<double>::infinity();

TEST(Literal, ReadsNumbersMatricesAndZeros) {
  struct {
    const char* text;
    std::size_t rows, cols;
    std::vector<double> values;
  } rows[] = {
      {"2", 1, 1, {2}},
      {"-0.5", 1, 1, {-0.5}},
      {"+.5", 1, 1, {0.5}},
      {"1e-5", 1, 1, {1e-5}},
      {"2.E+3", 1, 1, {2000}},
      {"Inf", 1, 1, {inf}},
      {"-Inf", 1, 1, {-inf}},
      {"-inf", 1, 1, {-inf}},
      {"1e999", 1, 1, {inf}},
      {"0.1", 1, 1, {0.1}},  // correctly rounded
      {"[1 2; 3 4]", 2, 2, {1, 3, 2, 4}},
      {"[2;-1]", 2, 1, {2, -1}},
      {"[1,2 ,  3]", 1, 3, {1, 2, 3}},
      {" [ 1 -1 ] ", 1, 2, {1, -1}},
      {"[1;2;]", 2, 1, {1, 2}},
      {"[]", 0, 0, {}},
      {"[ ; ]", 0, 0, {}},
      {"zeros(2,3)", 2, 3, std::vector<double>(6, 0.0)},
      {"zeros(2,0)", 2, 0, {}},
      {"zeros( 0 , 4 )", 0, 4, {}},
  };
  for (const auto& r : rows) {
    Literal lit;
    std::string why;
    ASSERT_TRUE(parse_literal(r.text, lit, why)) << r.text << ": " << why;
    EXPECT_EQ(lit.rows, r.rows) << r.text;
    EXPECT_EQ(lit.cols, r.cols) << r.text;
    EXPECT_EQ(lit.values, r.values) << r.text;
  }
  Literal nan;
  std::string why;
  ASSERT_TRUE(parse_literal("[NaN 1]", nan, why));
  EXPECT_TRUE(std::isnan(nan.values[0]));
  ASSERT_TRUE(parse_literal("-0", nan, why));
  EXPECT_TRUE(std::signbit(nan.values[0]));
}

TEST(Literal, RejectsMalformedText) {
  for (const char* text : {"",
                           " ",
                           "x",
                           "1x",
                           "0x10",
                           "1e",
                           "1e+",
                           ".",
                           "-",
                           "--1",
                           "1 2",
                           "Infinity",
                           "nan(1)",
                           "[1 2",
                           "1 2]",
                           "[1 2; 3]",
                           "[1 - 2]",
                           "[[1]]",
                           "zeros(2)",
                           "zeros(2,3",
                           "zeros(-1,2)",
                           "zeros(1.5,2)",
                           "zeros(a,b)",
                           "zeros(2,3,4)",
                           "zeros(999999999999,999999999999)"}) {
    Literal lit;
    std::string why;
    EXPECT_FALSE(parse_literal(text, lit, why)) << "'" << text << "'";
    EXPECT_FALSE(why.empty()) << text;
  }
}

TEST(Output, ListsOneLinePerRowInFullPrecision) {
  const double v[] = {
      0.1, -0.0, 1.0 / 3, 1e300, inf, -inf, std::numeric_limits<double>::quiet_NaN(), 12};
  EXPECT_EQ(format_output(2, 2, 4, v),
            "out2 = 2 x 4\n"
            "0.10000000000000001 0.33333333333333331 Inf NaN\n"
            "-0 1.0000000000000001e+300 -Inf 12\n");
  EXPECT_EQ(format_output(1, 2, 0, nullptr), "out1 = 2 x 0\n\n\n");
  EXPECT_EQ(format_output(3, 0, 5, nullptr), "out3 = 0 x 5\n");
  // Every finite element reads back as the same double.
  Literal back;
  std::string why;
  ASSERT_TRUE(parse_literal("[0.10000000000000001 0.33333333333333331]", back, why));
  EXPECT_EQ(back.values, (std::vector<double>{0.1, 1.0 / 3}));
}

}  // namespace
