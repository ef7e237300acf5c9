// Tests of the IEEE 754 field functions.
#include <limits>

#include "../support/started_runtime.h"

using namespace korvex;

// ieee_toint maps infinities of either sign to INT_MAX and saturates finite values beyond the
// int range, where a bare conversion would be undefined.
TEST(Ieee, ClassifiesEveryKindOfDoubleAndConvertsToInt) {
  const double inf = HUGE_VAL, nan = std::nan(""), tiny = std::numeric_limits<double>::denorm_min();
  const int imax = 2147483647, imin = -imax - 1;
  // x, isnan·1000 + isinf·100 + finite·10 + sign, toint
  const double rows[][3] = {{nan, 1000, 0},    {-nan, 1001, 0},   {inf, 100, imax},
                            {-inf, 101, imax}, {1e308, 10, imax}, {-0.0, 11, 0},
                            {tiny, 10, 0},     {-2.7, 11, -2},    {-1e10, 11, imin}};
  for (const auto& r : rows) {
    const double x = r[0];
    const int fields =
        ieee_isnan(x) * 1000 + ieee_isinf(x) * 100 + ieee_finite(x) * 10 + ieee_sign(x);
    EXPECT_TRUE(fields == r[1] && ieee_toint(x) == r[2]) << x;
  }
}

// The high word holds sign, exponent and the upper 20 fraction bits; the low word the rest.
// Oversized fields are masked, not spilled into their neighbours.
TEST(Ieee, FieldsSplitAndComposeWithMasking) {
  unsigned lo, hi, exp, sign;
  ieee_fields(-1.5, lo, hi, exp, sign);
  EXPECT_TRUE(lo == 0 && hi == 0x80000u && exp == 1023 && sign == 1);
  EXPECT_EQ(ieee_compose(0, 0x80000u, 1023, 1), -1.5);
  EXPECT_EQ(ieee_compose(1, 0, 1023, 0), 1 + std::ldexp(1.0, -52));
  EXPECT_EQ(ieee_compose(0, 0, 2047, 1), -HUGE_VAL);
  EXPECT_EQ(ieee_compose(0, 0xFFFFFFFFu, 0x800 + 1023, 2), ieee_compose(0, 0xFFFFFu, 1023, 0));
}
