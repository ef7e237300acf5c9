// Tests of the IEEE 754 field functions.
#include <limits>
#include <vector>

#include "../support/started_runtime.h"

using namespace korvex;

// ieee_toint maps infinities of either sign to INT_MAX and saturates finite values beyond the
// int range, where a bare conversion would be undefined.
TEST(Ieee, ClassifiesEveryKindOfDoubleAndConvertsToInt) {
  const double inf = HUGE_VAL, nan = std::nan(""), tiny = std::numeric_limits<double>::denorm_min();
  const int imax = 2147483647, imin = -imax - 1;
  // clang-format off
  // x, isnan, isinf, finite, sign, toint
  const double rows[][6] = {
      {nan, 1, 0, 0, 0, 0},      {-nan, 1, 0, 0, 1, 0},  {inf, 0, 1, 0, 0, imax},
      {-inf, 0, 1, 0, 1, imax},  {1e308, 0, 0, 1, 0, imax}, {-0.0, 0, 0, 1, 1, 0},
      {tiny, 0, 0, 1, 0, 0},     {-2.7, 0, 0, 1, 1, -2},  {-1e10, 0, 0, 1, 1, imin}};
  // clang-format on
  for (const auto& r : rows) {
    const double x = r[0];
    EXPECT_EQ(ieee_isnan(x), r[1]) << x;
    EXPECT_EQ(ieee_isinf(x), r[2]) << x;
    EXPECT_EQ(ieee_finite(x), r[3]) << x;
    EXPECT_EQ(ieee_sign(x), r[4]) << x;
    EXPECT_EQ(ieee_toint(x), r[5]) << x;
  }
}

// The high word holds sign, exponent and the upper 20 fraction bits; the low word the rest.
// Oversized fields are masked, not spilled into their neighbours.
TEST(Ieee, FieldsSplitAndComposeWithMasking) {
  unsigned lo, hi, exp, sign;
  ieee_fields(-1.5, lo, hi, exp, sign);
  EXPECT_EQ((std::vector<unsigned>{lo, hi, exp, sign}),
            (std::vector<unsigned>{0, 0x80000, 1023, 1}));
  EXPECT_EQ(ieee_compose(0, 0x80000u, 1023, 1), -1.5);
  EXPECT_EQ(ieee_compose(1, 0, 1023, 0), 1 + std::ldexp(1.0, -52));
  EXPECT_EQ(ieee_compose(0, 0, 2047, 1), -HUGE_VAL);
  EXPECT_EQ(ieee_compose(0, 0xFFFFFFFFu, 0x800 + 1023, 2), ieee_compose(0, 0xFFFFFu, 1023, 0));
}
