// Tests of colon, size, length, rot90, fliplr, flipud and reshape.
#include <cmath>

#include "../support/matrix_builders.h"

using namespace korvex;
using namespace korvex_test;

const double kNaN = std::nan("");

// n = trunc((b - a) / s + 1 + 1e-6): a quotient just short of an integer (0:0.1:0.3 has
// 2.9999999999999996 steps) still counts, and so does a bound within 1e-6 of a step.
TEST(Colon, CountsElementsWithToleranceAndRefusesUnrepresentableCounts) {
  // clang-format off
  const struct { double a, s, b; int count; double last; } cases[] = {
      {3, -1, 1, 3, 1}, {5, 7, 5, 1, 5}, {0, 0.1, 0.3, 4, 0.30000000000000004},
      {1, 1, 3.9999995, 4, 4}, {1, 1, 3.999998, 3, 3}, {1, 1, 0, 0, 0}, {1, 0, 5, 0, 0}};
  // clang-format on
  for (const auto& c : cases) {
    const M<double> r = colon(scalar(c.a), scalar(c.s), scalar(c.b));
    ASSERT_EQ(r.cols(), c.count) << c.a << ":" << c.s << ":" << c.b;
    EXPECT_TRUE(c.count == 0 || (r.rows() == 1 && r.addr()[c.count - 1] == c.last))
        << c.a << ":" << c.b;
  }
  EXPECT_EQ(colon(scalar(0), scalar(0.1), scalar(1)).addr()[7], 7 * 0.1);  // from a0, not summed
  EXPECT_EQ(colon(M<double>(), scalar(1), scalar(3)).size(), 0);
  const double bad[][3] = {{1, 1, HUGE_VAL}, {0, 1e-300, 1}, {1, kNaN, 3}};
  for (const auto& t : bad)
    EXPECT_ERROR(colon(scalar(t[0]), scalar(t[1]), scalar(t[2])),
                 "colon: range has no representable element count");
}

TEST(Size, AllThreeFormsAndLength) {
  const M<double> z(0, 2, 5);
  M<double> r, c;
  EXPECT_TRUE(Is(size(z), 1, 2, {2, 5}));
  EXPECT_TRUE(Is(joincols(size(z, scalar(1)), size(z, scalar(3))), 1, 2, {2, 5}));  // 3: columns
  EXPECT_TRUE(size(z, i_o, Mr<double>(r), Mr<double>(c)).issamename(noval_name));
  EXPECT_TRUE(Is(joincols(r, c), 1, 2, {2, 5}));
  EXPECT_TRUE(Is(length(z), 1, 1, {5}));
  EXPECT_TRUE(Is(length(col({1, 2, 3})), 1, 1, {3}));
}

// The count is rounded half up and taken modulo 4 in double, so a huge count is no problem.
TEST(Rot90, QuarterTurnsCounterClockwiseAndFlips) {
  const M<double> x = by_rows(2, 3, {1, 2, 3, 4, 5, 6});
  // clang-format off
  const struct { double k; int r, c; std::vector<double> rowwise; } cases[] = {
      {4.5, 3, 2, {3, 6, 2, 5, 1, 4}}, {2, 2, 3, {6, 5, 4, 3, 2, 1}},
      {-1, 3, 2, {4, 1, 5, 2, 6, 3}}, {0.4, 2, 3, {1, 2, 3, 4, 5, 6}},
      {-1e300, 2, 3, {1, 2, 3, 4, 5, 6}}};
  // clang-format on
  for (const auto& c : cases) EXPECT_TRUE(Is(rot90(x, scalar(c.k)), c.r, c.c, c.rowwise)) << c.k;
  EXPECT_TRUE(Is(rot90(x), 3, 2, {3, 6, 2, 5, 1, 4}));
  EXPECT_EQ(rot90(M<double>()).size(), 0);
  EXPECT_ERROR(rot90(x, scalar(kNaN)), "rot90: rotation count is not finite");
  EXPECT_TRUE(Is(fliplr(x), 2, 3, {3, 2, 1, 6, 5, 4}));
  EXPECT_TRUE(Is(flipud(x), 2, 3, {4, 5, 6, 1, 2, 3}));
  EXPECT_TRUE(Is(flipud(crow({1, 2}, {3, 4})), 1, 2, {1, 2}, {3, 4}));
}

// Sizes are rounded half up; a size that cannot match the element count (negative, NaN, huge)
// gets the size message too. Reshaped text is numbers.
TEST(Reshape, FillsColumnWiseAndChecksTheCount) {
  const M<double> v = colon(scalar(1), scalar(1), scalar(6)),
                  x = by_rows(2, 3, {1, 2, 3, 4, 5, 6}, "x");
  EXPECT_TRUE(Is(reshape(v, scalar(2.6), scalar(1.5)), 3, 2, {1, 4, 2, 5, 3, 6}));
  EXPECT_TRUE(Is(reshape(v, row({6, 1})), 6, 1, {1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(Is(reshape(crow({1, 2}, {3, 4}), scalar(2), scalar(1)), 2, 1, {1, 2}, {3, 4}));
  EXPECT_EQ(reshape(M<double>("abcd"), scalar(2), scalar(2)).getdm(), 0);
  for (const auto& b : {std::pair<double, double>{4, 2}, {-2, -3}, {kNaN, 6}, {0, 1e300}})
    EXPECT_ERROR(reshape(x, scalar(b.first), scalar(b.second)),
                 "reshape: new size of x is different than old size");
  EXPECT_ERROR(reshape(x, row({6}, "n")), "n(?): index out of matrix");
}
