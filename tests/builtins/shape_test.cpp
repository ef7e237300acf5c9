// Tests of colon, size, length, rot90, fliplr, flipud and reshape.
#include <limits>

#include "../support/matrix_builders.h"

using namespace korvex;
using korvex_test::rowwise::col;
using korvex_test::rowwise::crow;
using korvex_test::rowwise::Err;
using korvex_test::rowwise::Is;
using korvex_test::rowwise::mat;
using korvex_test::rowwise::row;

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
      {3, -1, 1, 3, 1},
      {5, 7, 5, 1, 5},
      {0, 0.1, 0.3, 4, 0.30000000000000004},  // 2.9999999999999996 steps still count 3
      {1, 1, 3.9999995, 4, 4},                // within 1e-6 of a step: counted, past b
      {1, 1, 3.999998, 3, 3},                 // beyond the tolerance
      {0, 0.1, 1, 11, 1},
  };
  for (const auto& c : cases) {
    const M<double> r = colon(S(c.a), S(c.s), S(c.b));
    ASSERT_EQ(r.rows(), 1);
    ASSERT_EQ(r.cols(), c.count) << c.a << ":" << c.s << ":" << c.b;
    EXPECT_EQ(r.addr()[c.count - 1], c.last) << c.a << ":" << c.s << ":" << c.b;
  }
  EXPECT_EQ(colon(S(0), S(0.1), S(1)).addr()[7], 7 * 0.1);  // from a0, not summed
  for (const auto& e : {colon(S(1), S(1), S(0)), colon(S(1), S(0), S(5)), colon(S(1), S(-1), S(3)),
                        colon(M<double>(), S(1), S(3))})
    EXPECT_EQ(e.size(), 0);
  const char* msg = "colon: range has no representable element count";
  EXPECT_EXIT(colon(S(1), S(1), S(kInf)), testing::ExitedWithCode(1), Err(msg));
  EXPECT_EXIT(colon(S(0), S(1e-300), S(1)), testing::ExitedWithCode(1), Err(msg));
  EXPECT_EXIT(colon(S(1), S(kNaN), S(3)), testing::ExitedWithCode(1), Err(msg));
}

TEST(Size, AllThreeFormsAndLength) {
  const M<double> z = mat(2, 5, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_TRUE(Is(size(z), 1, 2, {2, 5}));
  EXPECT_TRUE(Is(size(z, S(1)), 1, 1, {2}));
  EXPECT_TRUE(Is(size(z, S(3)), 1, 1, {5}));  // any dimension but 1: the columns
  M<double> r("r", 0, 0), c("c", 0, 0);
  EXPECT_TRUE(size(z, i_o, Mr<double>(r), Mr<double>(c)).issamename(noval_name));
  EXPECT_TRUE(Is(r, 1, 1, {2}));
  EXPECT_TRUE(Is(c, 1, 1, {5}));
  const M<double> d("d", 0, 0);
  EXPECT_EXIT(size(z, d), testing::ExitedWithCode(1), Err("d.r(): matrix is empty"));
  EXPECT_TRUE(Is(length(z), 1, 1, {5}));
  EXPECT_TRUE(Is(length(col({1, 2, 3})), 1, 1, {3}));
  EXPECT_TRUE(Is(length(M<double>(0, 0, 3)), 1, 1, {0}));  // empty shapes are stored 0x0
}

TEST(Rot90, QuarterTurnsCounterClockwise) {
  const M<double> x = mat(2, 2, {1, 2, 3, 4});
  EXPECT_TRUE(Is(rot90(x), 2, 2, {2, 4, 1, 3}));
  EXPECT_TRUE(Is(rot90(x, S(2)), 2, 2, {4, 3, 2, 1}));
  EXPECT_TRUE(Is(rot90(x, S(-1)), 2, 2, {3, 1, 4, 2}));
  EXPECT_TRUE(Is(rot90(x, S(0.4)), 2, 2, {1, 2, 3, 4}));
  EXPECT_TRUE(Is(rot90(x, S(4.5)), 2, 2, {2, 4, 1, 3}));  // 4.5 rounds up to 5
  EXPECT_TRUE(Is(rot90(x, S(-1e300)), 2, 2, {1, 2, 3, 4}));
  const M<double> wide = mat(2, 3, {1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(Is(rot90(wide), 3, 2, {3, 6, 2, 5, 1, 4}));
  EXPECT_TRUE(Is(rot90(wide, S(3)), 3, 2, {4, 1, 5, 2, 6, 3}));
  EXPECT_EQ(rot90(M<double>()).size(), 0);
  EXPECT_EXIT(rot90(x, S(kNaN)), testing::ExitedWithCode(1),
              Err("rot90: rotation count is not finite"));
}

TEST(Flip, ReversesColumnsOrRows) {
  const M<double> x = mat(2, 3, {1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(Is(fliplr(x), 2, 3, {3, 2, 1, 6, 5, 4}));
  EXPECT_TRUE(Is(flipud(x), 2, 3, {4, 5, 6, 1, 2, 3}));
  EXPECT_TRUE(Is(fliplr(col({1, 2})), 2, 1, {1, 2}));
  EXPECT_TRUE(Is(flipud(crow({1, 2}, {3, 4})), 1, 2, {1, 2}, {3, 4}));
  EXPECT_EQ(fliplr(M<double>("ab")).getdm(), 1);
}

TEST(Reshape, FillsColumnWiseAndChecksTheCount) {
  const M<double> v = colon(S(1), S(1), S(6));
  EXPECT_TRUE(Is(reshape(v, S(2), S(3)), 2, 3, {1, 3, 5, 2, 4, 6}));
  EXPECT_TRUE(Is(reshape(v, S(2.6), S(1.5)), 3, 2, {1, 4, 2, 5, 3, 6}));
  EXPECT_TRUE(Is(reshape(v, row({6, 1})), 6, 1, {1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(Is(reshape(crow({1, 2}, {3, 4}), S(2), S(1)), 2, 1, {1, 2}, {3, 4}));
  EXPECT_EQ(reshape(M<double>("abcd"), S(2), S(2)).getdm(), 0);
  const M<double> x = mat(2, 3, {1, 2, 3, 4, 5, 6}, "x");
  for (const auto& b : {std::pair<double, double>{4, 2}, {-2, -3}, {kNaN, 6}, {0, 1e300}})
    EXPECT_EXIT(reshape(x, S(b.first), S(b.second)), testing::ExitedWithCode(1),
                Err("reshape: new size of x is different than old size"))
        << b.first << "x" << b.second;
  const M<double> n = row({6}, "n");
  EXPECT_EXIT(reshape(x, n), testing::ExitedWithCode(1), Err("n(?): index out of matrix"));
}
