// The runtime's arithmetic rounds each product and each sum on its own: a compiler that fused
// a*b + c into one multiply-add (as it may on targets that have one) would change last bits.
#include "../support/started_runtime.h"

using namespace korvex;

// a = b = (1 + 2^-27)(1 + i): the real part of a·b is ar·br − ai·bi, exactly 0. Rounded
// separately the two products are equal and cancel; fused, one of them keeps the 2^-54 that
// rounding drops, and the real part becomes ±2^-54.
TEST(Contraction, ComplexProductRoundsEachProductBeforeTheSum) {
  const double v = 1 + std::ldexp(1.0, -27);
  double cr = -1, ci = -1;
  cmul(&v, &v, &v, &v, &cr, &ci);
  EXPECT_EQ(cr, 0.0);
  const M<double> a = korvex_test::by_cols(1, 1, {v}, {v});
  const M<double> c = dot_mul(a, a);
  EXPECT_EQ(*c.addr(), 0.0);
}
