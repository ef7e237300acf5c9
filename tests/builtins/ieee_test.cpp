// Tests of the IEEE 754 field functions.
#include <cstring>
#include <limits>

#include "../support/started_runtime.h"

using namespace korvex;

namespace {

const double inf = HUGE_VAL;

TEST(Ieee, ClassifiesEveryKindOfDouble) {
  const struct {
    double x;
    int nan, isinf, finite, sign;
  } rows[] = {
      {std::nan(""), 1, 0, 0, 0},
      {-std::nan(""), 1, 0, 0, 1},
      {inf, 0, 1, 0, 0},
      {-inf, 0, 1, 0, 1},
      {1e308, 0, 0, 1, 0},
      {-0.0, 0, 0, 1, 1},
      {std::numeric_limits<double>::denorm_min(), 0, 0, 1, 0},
  };
  for (const auto& r : rows)
    EXPECT_EQ(
        ieee_isnan(r.x) * 1000 + ieee_isinf(r.x) * 100 + ieee_finite(r.x) * 10 + ieee_sign(r.x),
        r.nan * 1000 + r.isinf * 100 + r.finite * 10 + r.sign)
        << r.x;
}

TEST(Ieee, FieldsSplitAndComposeWithMasking) {
  unsigned lo, hi, exp, sign;
  ieee_fields(-1.5, lo, hi, exp, sign);
  EXPECT_TRUE(lo == 0 && hi == 0x80000u && exp == 1023 && sign == 1);
  EXPECT_EQ(ieee_compose(lo, hi, exp, sign), -1.5);
  EXPECT_EQ(ieee_compose(0, 0, 2047, 1), -inf);
  double nan = ieee_compose(0xFFFFFFFFu, 0xFFFFFu, 2047, 0);
  unsigned long long u;
  std::memcpy(&u, &nan, sizeof u);
  EXPECT_EQ(u, 0x7FFFFFFFFFFFFFFFull);
  // Oversized fields are masked, not spilled into their neighbours.
  EXPECT_EQ(ieee_compose(0, 0xFFFFFFFFu, 0x800 + 1023, 2), ieee_compose(0, 0xFFFFFu, 1023, 0));
}

TEST(Ieee, ToIntTruncatesSaturatesAndMapsInfinitiesToIntMax) {
  EXPECT_EQ(ieee_toint(-inf), 2147483647);
  EXPECT_EQ(ieee_toint(-2.7), -2);
  EXPECT_EQ(ieee_toint(-1e10), -2147483647 - 1);
  EXPECT_EQ(ieee_toint(std::nan("")), 0);
}

}  // namespace
