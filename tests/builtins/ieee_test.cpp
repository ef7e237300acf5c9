// Tests of the IEEE 754 field functions.
#include <cmath>
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
      {std::numeric_limits<double>::max(), 0, 0, 1, 0},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(ieee_isnan(r.x), r.nan) << r.x;
    EXPECT_EQ(ieee_isinf(r.x), r.isinf) << r.x;
    EXPECT_EQ(ieee_finite(r.x), r.finite) << r.x;
    EXPECT_EQ(ieee_sign(r.x), r.sign) << r.x;
  }
}

TEST(Ieee, FieldsSplitAndComposeRoundTrip) {
  unsigned lo, hi, exp, sign;
  ieee_fields(-1.5, lo, hi, exp, sign);
  EXPECT_EQ(lo, 0u);
  EXPECT_EQ(hi, 0x80000u);  // the fraction's top bit: 1.5
  EXPECT_EQ(exp, 1023u);
  EXPECT_EQ(sign, 1u);
  EXPECT_EQ(ieee_compose(lo, hi, exp, sign), -1.5);
  ieee_fields(std::numeric_limits<double>::denorm_min(), lo, hi, exp, sign);
  EXPECT_EQ(lo, 1u);
  EXPECT_EQ(exp, 0u);
  EXPECT_EQ(ieee_compose(0, 0, 2047, 0), inf);
  EXPECT_EQ(ieee_compose(0, 0, 2047, 1), -inf);
  double nan = ieee_compose(0xFFFFFFFFu, 0xFFFFFu, 2047, 0);
  EXPECT_EQ(korvex_test::bits(nan), 0x7FFFFFFFFFFFFFFFull);
  // Oversized fields are masked, not spilled into their neighbours.
  EXPECT_EQ(ieee_compose(0, 0xFFFFFFFFu, 0, 0), ieee_compose(0, 0xFFFFFu, 0, 0));
  EXPECT_EQ(ieee_compose(0, 0, 0x800 + 1023, 2), 1.0);
}

TEST(Ieee, ToIntTruncatesAndMapsInfinitiesToIntMax) {
  EXPECT_EQ(ieee_toint(-inf), 2147483647);
  EXPECT_EQ(ieee_toint(inf), 2147483647);
  EXPECT_EQ(ieee_toint(-2.7), -2);
  EXPECT_EQ(ieee_toint(2.7), 2);
  EXPECT_EQ(ieee_toint(-0.0), 0);
  // Beyond the int range the conversion saturates; NaN gives 0.
  EXPECT_EQ(ieee_toint(1e10), 2147483647);
  EXPECT_EQ(ieee_toint(-1e10), -2147483647 - 1);
  EXPECT_EQ(ieee_toint(std::nan("")), 0);
}

}  // namespace
