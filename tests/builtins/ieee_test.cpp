// Tests of the IEEE 754 field functions.
#include <limits>

#include "../support/started_runtime.h"

using namespace korvex;

TEST(Ieee, ClassifiesEveryKindOfDouble) {
  const double inf = HUGE_VAL, nan = std::nan(""), tiny = std::numeric_limits<double>::denorm_min();
  // x, then isnan·1000 + isinf·100 + finite·10 + sign
  const double rows[][2] = {{nan, 1000}, {-nan, 1001}, {inf, 100}, {-inf, 101},
                            {1e308, 10}, {-0.0, 11},   {tiny, 10}};
  for (const auto& r : rows)
    EXPECT_EQ(
        ieee_isnan(r[0]) * 1000 + ieee_isinf(r[0]) * 100 + ieee_finite(r[0]) * 10 + ieee_sign(r[0]),
        r[1])
        << r[0];
  EXPECT_EQ(ieee_toint(-inf), 2147483647);
  EXPECT_EQ(ieee_toint(-2.7), -2);
  EXPECT_EQ(ieee_toint(-1e10), -2147483647 - 1);  // saturated, where a bare cast is undefined
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
