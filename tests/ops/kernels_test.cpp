// Tests of the scalar functions and complex kernels: special values, signed zeros, branch cuts.
#include <cmath>

#include "../support/started_runtime.h"

using namespace korvex;
using korvex_test::same_double;

namespace {

const double inf = HUGE_VAL;
const double qnan = std::nan("");

class Kernels : public korvex_test::StartedRuntime {};

struct Row2 {
  double a, b, want;
};

TEST_F(Kernels, MaxMinPropagateNaNFromEitherSideAndKeepSecondOnTies) {
  const Row2 max_rows[] = {
      {qnan, 1, qnan},  {1, qnan, qnan},  {2, 1, 2}, {1, 2, 2}, {0.0, -0.0, -0.0},  // tie: b
      {-0.0, 0.0, 0.0}, {-inf, inf, inf},
  };
  for (const Row2& r : max_rows)
    EXPECT_TRUE(same_double(korvex::max(r.a, r.b), r.want)) << r.a << " " << r.b;
  const Row2 min_rows[] = {
      {qnan, 1, qnan}, {1, qnan, qnan}, {2, 1, 1}, {0.0, -0.0, -0.0}, {-0.0, 0.0, 0.0},
  };
  for (const Row2& r : min_rows)
    EXPECT_TRUE(same_double(korvex::min(r.a, r.b), r.want)) << r.a << " " << r.b;
  // The three-way form has no NaN test: a NaN falls through its failed comparisons.
  EXPECT_EQ(korvex::max(1.0, 3.0, 2.0), 3.0);
  EXPECT_EQ(korvex::max(3.0, 1.0, 2.0), 3.0);
  EXPECT_EQ(korvex::max(1.0, qnan, 2.0), 2.0);
  EXPECT_TRUE(std::isnan(korvex::max(1.0, 2.0, qnan)));
}

TEST_F(Kernels, FloatAndIntOverloadsFollowTheSameRules) {
  EXPECT_TRUE(std::isnan(korvex::max(std::nanf(""), 1.0f)));
  EXPECT_TRUE(std::isnan(korvex::min(1.0f, std::nanf(""))));
  EXPECT_EQ(korvex::max(2.0f, 1.0f), 2.0f);
  EXPECT_EQ(korvex::max(-3, 4), 4);
  EXPECT_EQ(korvex::min(-3, 4), -3);
  EXPECT_EQ(korvex::rem(5.0f, 3.0f), 2.0f);
  EXPECT_EQ(korvex::rem(1.0f, 0.1f), 0.0f);  // snapped with the float epsilon
  EXPECT_TRUE(std::isnan(korvex::rem(1.0f, 0.0f)));
}

TEST_F(Kernels, RemSnapsOnlyStrictlyBelowTolerance) {
  const Row2 rows[] = {
      {5, 3, 2},
      {-5, 3, -2},
      {5, -3, 2},                       // sign follows x
      {1, 0.1, 0},                      // quotient exactly 10: fmod alone gives 0.0999...
      {0.3, 0.1, 0.09999999999999998},  // t equals eps: not below it
      {1, 0, qnan},
      {qnan, 2, qnan},
      {2, qnan, qnan},
      {0, 0, 0},  // the zero test on x comes first
      {0, qnan, 0},
      {7, inf, 7},  // quotient 0: fmod decides
      {inf, 2, qnan},
      {-6, 3, 0},
  };
  for (const Row2& r : rows)
    EXPECT_TRUE(same_double(korvex::rem(r.a, r.b), r.want)) << "rem(" << r.a << ", " << r.b << ")";
  EXPECT_FALSE(std::signbit(korvex::rem(-0.0, 3.0)));
  EXPECT_FALSE(std::signbit(korvex::rem(-6.0, 3.0)));          // a snapped remainder is +0
  EXPECT_EQ(korvex::rem(1.0, 0.1, 0.0), std::fmod(1.0, 0.1));  // no snapping at tol 0
}

TEST_F(Kernels, RoundSignAndAbsAtZerosHalvesAndNaN) {
  EXPECT_EQ(korvex::round(2.5), 3);
  EXPECT_EQ(korvex::round(-2.5), -3);
  EXPECT_TRUE(same_double(korvex::round(-0.4), -0.0));
  EXPECT_TRUE(same_double(korvex::round(0.4), 0.0));
  EXPECT_TRUE(std::isnan(korvex::round(qnan)));
  EXPECT_EQ(korvex::round(inf), inf);

  EXPECT_TRUE(same_double(korvex::sign(qnan), 0.0));
  EXPECT_TRUE(same_double(korvex::sign(-0.0), 0.0));
  EXPECT_EQ(korvex::sign(-inf), -1);
  EXPECT_EQ(korvex::sign(1e-300), 1);

  EXPECT_EQ(korvex::abs(-3.0, 0.0), 3);
  EXPECT_EQ(korvex::abs(3.0, -4.0), 5);
  double re = -3, im = 4;
  EXPECT_EQ(korvex::abs(&re, &im), 5);
}

TEST_F(Kernels, ComparisonsTreatNaNAsUnorderedAndZerosAsEqual) {
  EXPECT_EQ(cmp_lt(qnan, 1), 0);
  EXPECT_EQ(cmp_le(qnan, qnan), 0);
  EXPECT_EQ(cmp_eq(qnan, qnan), 0);
  EXPECT_EQ(cmp_ne(qnan, qnan), 1);
  EXPECT_EQ(cmp_ne(1, qnan), 1);
  EXPECT_EQ(cmp_eq(-0.0, 0.0), 1);
  EXPECT_EQ(cmp_lt(-0.0, 0.0), 0);
  EXPECT_EQ(cmp_le(-inf, -inf), 1);
}

TEST_F(Kernels, RealFunctionsUseTheTextbookFormulas) {
  EXPECT_EQ(korvex::atanh(1.0), inf);
  EXPECT_EQ(korvex::atanh(-1.0), -inf);
  EXPECT_EQ(korvex::asinh(-1e9), -inf);  // cancellation, kept as written
  EXPECT_NEAR(korvex::asinh(1.0), 0.881373587019543, 1e-15);
  EXPECT_NEAR(korvex::acosh(2.0), 1.316957896924816, 1e-15);
  EXPECT_TRUE(std::isnan(korvex::acosh(0.5)));
  EXPECT_NEAR(korvex::acoth(2.0), 0.549306144334055, 1e-15);
  EXPECT_EQ(korvex::acoth(1.0), inf);
  EXPECT_EQ(korvex::csc(0.0), inf);
  EXPECT_EQ(korvex::cot(-0.0), -inf);
  EXPECT_EQ(korvex::rexp(inf), inf);
  EXPECT_TRUE(same_double(korvex::rexp(-inf), 0.0));
  EXPECT_TRUE(std::isnan(korvex::rexp(qnan)));
}

TEST_F(Kernels, RpowWithInfiniteExponents) {
  const Row2 rows[] = {
      {-1, inf, qnan},     {1, -inf, qnan},  {2, inf, inf}, {-2, inf, -inf}, {0.5, inf, 0},
      {0, -inf, -inf},     {0.5, -inf, inf}, {2, -inf, 0},  {qnan, inf, 0},  {qnan, 0, 1},
      {-8, 1.0 / 3, qnan}, {2, 10, 1024},    {0, 0, 1},
  };
  for (const Row2& r : rows)
    EXPECT_TRUE(same_double(rpow(r.a, r.b), r.want)) << "rpow(" << r.a << ", " << r.b << ")";
}

TEST_F(Kernels, ModulusScalesAgainstOverflow) {
  EXPECT_DOUBLE_EQ(modulus(3e200, 4e200), 5e200);
  // The scale never drops below 1, so tiny parts underflow when squared.
  EXPECT_EQ(modulus(3e-200, 4e-200), 0);
  EXPECT_DOUBLE_EQ(modulus(3e-100, 4e-100), 5e-100);
  EXPECT_EQ(modulus(inf, 1), inf);
  EXPECT_EQ(modulus(1, -inf), inf);
  EXPECT_EQ(modulus(-7, 0), 7);
  EXPECT_TRUE(std::isnan(modulus(qnan, 1)));
  EXPECT_TRUE(std::isnan(modulus(1, qnan)));
}

// A complex operand or result (re, im).
struct C {
  double re, im;
};

C apply(void (*f)(const double*, const double*, double*, double*), C x) {
  C y{-99, -99};
  f(&x.re, &x.im, &y.re, &y.im);
  return y;
}

C apply2(void (*f)(const double*, const double*, const double*, const double*, double*, double*),
         C a, C b) {
  C c{-99, -99};
  f(&a.re, &a.im, &b.re, &b.im, &c.re, &c.im);
  return c;
}

TEST_F(Kernels, SqrtAndLogOnTheNegativeRealAxisUseTheSignOfZero) {
  C y = apply(korvex::sqrt, {-4, 0.0});
  EXPECT_TRUE(same_double(y.re, 0.0) && y.im == 2);
  y = apply(korvex::sqrt, {-4, -0.0});  // -0 is not below 0: still +2i
  EXPECT_TRUE(same_double(y.re, -0.0) && y.im == 2);
  y = apply(korvex::sqrt, {0, -4});
  EXPECT_DOUBLE_EQ(y.re, std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(y.im, -std::sqrt(2.0));
  y = apply(korvex::sqrt, {3e300, 4e300});  // scaled modulus: no overflow
  EXPECT_NEAR(y.re, std::sqrt(4e300), 1e136);
  EXPECT_NEAR(y.im, std::sqrt(1e300), 1e136);
  y = apply(korvex::sqrt, {qnan, 1});
  EXPECT_TRUE(std::isnan(y.re) && std::isnan(y.im));

  y = apply(korvex::log, {0, 0});
  EXPECT_TRUE(y.re == -inf && same_double(y.im, 0.0));
  y = apply(korvex::log, {-1, -0.0});
  EXPECT_TRUE(y.re == 0 && y.im == M_PI);
  y = apply(korvex::log, {-1, -1e-300});  // just below the cut
  EXPECT_DOUBLE_EQ(y.im, -M_PI);
}

TEST_F(Kernels, ExpInvAndTrigonometricKernelsTakeRealShortcuts) {
  C y = apply(korvex::exp, {0, M_PI});
  EXPECT_DOUBLE_EQ(y.re, -1);
  EXPECT_NEAR(y.im, 0, 1e-15);
  y = apply(korvex::exp, {-inf, 5});  // rexp gives 0: no Inf·0
  EXPECT_TRUE(y.re == 0 && y.im == 0);
  y = apply(korvex::inv, {0, 2});
  EXPECT_TRUE(y.re == 0 && y.im == -0.5);
  y = apply(korvex::inv, {0, 0.0});
  EXPECT_EQ(y.re, inf);
  y = apply(korvex::sin, {0, 1});
  EXPECT_TRUE(y.re == 0 && y.im == std::sinh(1.0));
  y = apply(korvex::cos, {0, 1});
  EXPECT_TRUE(y.re == std::cosh(1.0) && same_double(y.im, -0.0));
  y = apply(korvex::tan, {M_PI / 4, 0});
  EXPECT_DOUBLE_EQ(y.re, 1);
  EXPECT_EQ(y.im, 0);
  y = apply(korvex::tanh, {1, 0});
  EXPECT_DOUBLE_EQ(y.re, std::tanh(1.0));
  EXPECT_TRUE(same_double(y.im, 0.0));
  y = apply(korvex::tanh, {0, 0.5});
  EXPECT_NEAR(y.re, 0, 1e-16);
  EXPECT_DOUBLE_EQ(y.im, std::tan(0.5));
}

TEST_F(Kernels, InverseTrigonometricKernelsOffTheRealSegment) {
  C y = apply(korvex::asin, {0.5, 0});
  EXPECT_TRUE(y.re == std::asin(0.5) && y.im == 0);
  y = apply(korvex::asin, {2, 0});
  EXPECT_DOUBLE_EQ(y.re, M_PI / 2);
  EXPECT_NEAR(std::fabs(y.im), 1.3169578969248166, 1e-15);
  y = apply(korvex::acos, {2, 0});
  EXPECT_NEAR(y.re, 0, 1e-15);
  EXPECT_DOUBLE_EQ(y.im, 1.3169578969248166);
  y = apply(korvex::acos, {0, 1});  // acos(i) = pi/2 - i·asinh(1)
  EXPECT_DOUBLE_EQ(y.re, M_PI / 2);
  EXPECT_DOUBLE_EQ(y.im, -0.881373587019543);
  y = apply(korvex::atan, {1, 0});
  EXPECT_DOUBLE_EQ(y.re, M_PI / 4);
  y = apply(korvex::atan, {0, 0.5});  // atan(i/2) = i·atanh(1/2)
  EXPECT_NEAR(y.re, 0, 1e-16);
  EXPECT_DOUBLE_EQ(y.im, 0.5493061443340549);
  y = apply(korvex::atanh, {0.5, 0});
  EXPECT_DOUBLE_EQ(y.re, 0.5493061443340549);
  EXPECT_EQ(y.im, 0);
  y = apply(korvex::atanh, {2, 0});  // beyond 1: complex, no real shortcut
  EXPECT_DOUBLE_EQ(y.re, 0.5493061443340549);
  EXPECT_DOUBLE_EQ(std::fabs(y.im), M_PI / 2);
}

TEST_F(Kernels, InverseHyperbolicKernelsScaleLargeArguments) {
  C y = apply(korvex::asinh, {1, 0});
  EXPECT_DOUBLE_EQ(y.re, 0.881373587019543);
  y = apply(korvex::acosh, {0.5, 0});  // acosh(1/2) = i·pi/3
  EXPECT_NEAR(y.re, 0, 1e-15);
  EXPECT_DOUBLE_EQ(y.im, M_PI / 3);
  y = apply(korvex::asinh, {1e300, 1e300});  // x² would overflow without the scaling
  EXPECT_TRUE(std::isfinite(y.re) && std::isfinite(y.im));
  EXPECT_NEAR(y.re, std::log(2e300 * std::sqrt(2.0)), 1e-12);  // log(2x)
  EXPECT_NEAR(y.im, M_PI / 4, 1e-15);
}

TEST_F(Kernels, CmulShortcutsRealFactorsAndAllowsOutputOverFirstOperand) {
  C c = apply2(cmul, {2, 0}, {inf, 1});  // real a: no 0·Inf in the imaginary part
  EXPECT_TRUE(c.re == inf && c.im == 2);
  c = apply2(cmul, {inf, 1}, {2, 0});
  EXPECT_TRUE(c.re == inf && c.im == 2);
  c = apply2(cmul, {1, 2}, {3, 4});
  EXPECT_TRUE(c.re == -5 && c.im == 10);
  double ar = 1, ai = 2, br = 3, bi = 4;
  cmul(&ar, &ai, &br, &bi, &ar, &ai);
  EXPECT_TRUE(ar == -5 && ai == 10);
}

TEST_F(Kernels, DivByZeroAndRealDivisors) {
  C c = apply2(korvex::div, {1, 0}, {0, 0});
  EXPECT_TRUE(c.re == inf && same_double(c.im, 0.0));
  c = apply2(korvex::div, {1, 1}, {0, 0});
  EXPECT_TRUE(c.re == inf && c.im == inf);
  c = apply2(korvex::div, {1, -0.0}, {-2, 0});  // zero imaginary numerator gives +0
  EXPECT_TRUE(c.re == -0.5 && same_double(c.im, 0.0));
  c = apply2(korvex::div, {1, 2}, {3, 4});
  EXPECT_DOUBLE_EQ(c.re, 0.44);
  EXPECT_DOUBLE_EQ(c.im, 0.08);
}

TEST_F(Kernels, PowSquaresExactlyAndTakesPrincipalRootsOfNegativeBases) {
  C c = apply2(korvex::pow, {-8, 0}, {1.0 / 3, 0});
  EXPECT_NEAR(c.re, 1, 1e-14);
  EXPECT_NEAR(c.im, std::sqrt(3.0), 1e-14);
  c = apply2(korvex::pow, {1e200, 1e-200}, {2, 0});  // exact square, no log/exp rounding
  EXPECT_TRUE(c.re == inf && c.im == 2);
  c = apply2(korvex::pow, {3, 4}, {2, 0});
  EXPECT_TRUE(c.re == -7 && c.im == 24);
  c = apply2(korvex::pow, {2, 0}, {inf, 0});  // real base >= 0: rpow
  EXPECT_TRUE(c.re == inf && c.im == 0);
  c = apply2(korvex::pow, {0, 1}, {0, 1});  // i^i = exp(-pi/2)
  EXPECT_DOUBLE_EQ(c.re, std::exp(-M_PI / 2));
  EXPECT_NEAR(c.im, 0, 1e-17);
}

TEST_F(Kernels, ComplexMaxMinCompareModuliAndKeepTheFirstOnTies) {
  C c = apply2(korvex::max, {3, 4}, {5, 0});
  EXPECT_TRUE(c.re == 3 && c.im == 4);
  c = apply2(korvex::max, {5, 0}, {3, 4});
  EXPECT_TRUE(c.re == 5 && c.im == 0);
  c = apply2(korvex::min, {1, 0}, {2, 0});  // both real: the scalar rule
  EXPECT_TRUE(c.re == 1 && same_double(c.im, 0.0));
  c = apply2(korvex::max, {qnan, 0}, {2, 0});
  EXPECT_TRUE(std::isnan(c.re));
  c = apply2(korvex::max, {1, 1}, {qnan, 1});  // unordered: keeps a
  EXPECT_TRUE(c.re == 1 && c.im == 1);
  c = apply2(korvex::min, {0, 3}, {1, 1});
  EXPECT_TRUE(c.re == 1 && c.im == 1);
}

}  // namespace
