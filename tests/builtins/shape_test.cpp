// Tests of colon, size, length, rot90, fliplr, flipud and reshape.
#include <limits>

#include "../matrix_builders.h"

using namespace korvex;
using korvex_test::col;
using korvex_test::crow;
using korvex_test::Err;
using korvex_test::ImagIs;
using korvex_test::Is;
using korvex_test::mat;
using korvex_test::row;

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
M<double> S(double d) { return M<double>(d); }
}  // namespace

TEST(Colon, CountsElementsWithTolerance) {
  const struct {
    double a, s, b;
    int count;
    double last;
  } cases[] = {
      {1, 1, 3, 3, 3},
      {3, -1, 1, 3, 1},
      {5, 7, 5, 1, 5},
      {0, 0.1, 0.3, 4, 0.30000000000000004},  // 3.0000000000000004 steps fall short
      {1, 1, 3.9999995, 4, 4},                // within 1e-6 of a step: counted, past b
      {1, 1, 3.999998, 3, 3},                 // beyond the tolerance
      {-1, 0.5, 1, 5, 1},
  };
  for (const auto& c : cases) {
    const M<double> r = colon(S(c.a), S(c.s), S(c.b));
    ASSERT_EQ(r.rows(), 1) << c.a << ":" << c.s << ":" << c.b;
    ASSERT_EQ(r.cols(), c.count) << c.a << ":" << c.s << ":" << c.b;
    EXPECT_EQ(r.addr()[c.count - 1], c.last) << c.a << ":" << c.s << ":" << c.b;
  }
  // Each element comes straight from a: 0.1 * 3 exactly, not three additions.
  const M<double> tenth = colon(S(0), S(0.1), S(1));
  EXPECT_EQ(tenth.cols(), 11);
  EXPECT_EQ(tenth.addr()[7], 7 * 0.1);
}

TEST(Colon, EmptyRanges) {
  EXPECT_EQ(colon(S(1), S(1), S(0)).size(), 0);
  EXPECT_EQ(colon(S(1), S(0), S(5)).size(), 0);
  EXPECT_EQ(colon(S(1), S(-1), S(3)).size(), 0);
  EXPECT_EQ(colon(M<double>(), S(1), S(3)).size(), 0);
  EXPECT_EQ(colon(S(1), S(1), M<double>()).size(), 0);
}

TEST(Colon, UnrepresentableCountIsAnError) {
  const char* msg = "colon: range has no representable element count";
  EXPECT_EXIT(colon(S(1), S(1), S(kInf)), testing::ExitedWithCode(1), Err(msg));
  EXPECT_EXIT(colon(S(0), S(1e-300), S(1)), testing::ExitedWithCode(1), Err(msg));
  EXPECT_EXIT(colon(S(1), S(kNaN), S(3)), testing::ExitedWithCode(1), Err(msg));
}

TEST(Size, AllThreeForms) {
  const M<double> z = mat(2, 5, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_TRUE(Is(size(z), 1, 2, {2, 5}));
  EXPECT_TRUE(Is(size(M<double>()), 1, 2, {0, 0}));
  EXPECT_TRUE(Is(size(z, S(1)), 1, 1, {2}));
  EXPECT_TRUE(Is(size(z, S(2)), 1, 1, {5}));
  EXPECT_TRUE(Is(size(z, S(3)), 1, 1, {5}));  // any dimension but 1: the columns
  M<double> r("r", 0, 0), c("c", 0, 0);
  const M<double> none = size(z, i_o, Mr<double>(r), Mr<double>(c));
  EXPECT_TRUE(none.issamename(noval_name));
  EXPECT_TRUE(Is(r, 1, 1, {2}));
  EXPECT_TRUE(Is(c, 1, 1, {5}));
  EXPECT_STREQ(r.getname(), "r");
  const M<double> d("d", 0, 0);
  EXPECT_EXIT(size(z, d), testing::ExitedWithCode(1), Err("d.r(): matrix is empty"));
}

TEST(Size, LengthIsTheLargerDimension) {
  EXPECT_TRUE(Is(length(M<double>(0, 0, 3)), 1, 1, {0}));  // stored as 0x0
  EXPECT_TRUE(Is(length(row({1, 2, 3})), 1, 1, {3}));
  EXPECT_TRUE(Is(length(col({1, 2, 3, 4})), 1, 1, {4}));
  EXPECT_TRUE(Is(length(mat(2, 1, {1, 2})), 1, 1, {2}));
  EXPECT_TRUE(Is(length(M<double>()), 1, 1, {0}));
}

TEST(Rot90, QuarterTurnsCounterClockwise) {
  const M<double> x = mat(2, 2, {1, 2, 3, 4});
  EXPECT_TRUE(Is(rot90(x), 2, 2, {2, 4, 1, 3}));
  EXPECT_TRUE(Is(rot90(x, S(2)), 2, 2, {4, 3, 2, 1}));
  EXPECT_TRUE(Is(rot90(x, S(3)), 2, 2, {3, 1, 4, 2}));
  EXPECT_TRUE(Is(rot90(x, S(-1)), 2, 2, {3, 1, 4, 2}));
  EXPECT_TRUE(Is(rot90(x, S(0.4)), 2, 2, {1, 2, 3, 4}));
  EXPECT_TRUE(Is(rot90(x, S(4.5)), 2, 2, {2, 4, 1, 3}));  // 4.5 rounds up to 5
  EXPECT_TRUE(Is(rot90(x, S(-1e300)), 2, 2, {1, 2, 3, 4}));
  const M<double> wide = mat(2, 3, {1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(Is(rot90(wide), 3, 2, {3, 6, 2, 5, 1, 4}));
  EXPECT_TRUE(Is(rot90(wide, S(3)), 3, 2, {4, 1, 5, 2, 6, 3}));
  EXPECT_EQ(rot90(M<double>()).size(), 0);
  const M<double> k("k", 0, 0);
  EXPECT_EXIT(rot90(x, k), testing::ExitedWithCode(1), Err("k.r(): matrix is empty"));
  EXPECT_EXIT(rot90(x, S(kNaN)), testing::ExitedWithCode(1),
              Err("rot90: rotation count is not finite"));
}

TEST(Flip, ReversesColumnsOrRows) {
  const M<double> x = mat(2, 3, {1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(Is(fliplr(x), 2, 3, {3, 2, 1, 6, 5, 4}));
  EXPECT_TRUE(Is(flipud(x), 2, 3, {4, 5, 6, 1, 2, 3}));
  EXPECT_TRUE(Is(fliplr(col({1, 2})), 2, 1, {1, 2}));
  EXPECT_TRUE(Is(flipud(row({1, 2})), 1, 2, {1, 2}));
  EXPECT_EQ(fliplr(M<double>()).size(), 0);
  const M<double> z = flipud(crow({1, 2}, {3, 4}));
  EXPECT_TRUE(ImagIs(z, {3, 4}));
  M<double> text("ab");
  EXPECT_EQ(fliplr(text).getdm(), 1);
}

TEST(Reshape, FillsColumnWise) {
  const M<double> v = colon(S(1), S(1), S(6));
  EXPECT_TRUE(Is(reshape(v, S(2), S(3)), 2, 3, {1, 3, 5, 2, 4, 6}));
  EXPECT_TRUE(Is(reshape(v, S(2.6), S(1.5)), 3, 2, {1, 4, 2, 5, 3, 6}));
  EXPECT_TRUE(Is(reshape(v, row({6, 1})), 6, 1, {1, 2, 3, 4, 5, 6}));
  const M<double> z = reshape(crow({1, 2}, {3, 4}), S(2), S(1));
  EXPECT_TRUE(ImagIs(z, {3, 4}));
  EXPECT_EQ(reshape(M<double>("abcd"), S(2), S(2)).getdm(), 0);
  EXPECT_EQ(reshape(M<double>(), S(0), S(5)).size(), 0);
}

TEST(Reshape, SizeMismatchNamesTheMatrix) {
  const M<double> x = mat(2, 3, {1, 2, 3, 4, 5, 6}, "x");
  const char* msg = "reshape: new size of x is different than old size";
  const double bad[][2] = {{4, 2}, {-2, -3}, {kNaN, 6}, {kInf, 0}, {0, 1e300}};
  for (const auto& b : bad) {
    EXPECT_EXIT(reshape(x, S(b[0]), S(b[1])), testing::ExitedWithCode(1), Err(msg))
        << b[0] << "x" << b[1];
  }
  const M<double> e;
  EXPECT_EXIT(reshape(e, S(0), S(1e300)), testing::ExitedWithCode(1),
              Err("reshape: new size of ? is different than old size"));
  const M<double> v = row({6}, "v");
  EXPECT_EXIT(reshape(x, v), testing::ExitedWithCode(1), Err("v(?): index out of matrix"));
}
