// Tests of the scalar functions and complex kernels: special values, signed zeros, branch cuts,
// overflow scales.
#include "../support/started_runtime.h"

using namespace korvex;
using korvex_test::same;

namespace {

const double inf = HUGE_VAL, qnan = std::nan("");

class Kernels : public korvex_test::StartedRuntime {};

struct Row2 {
  double a, b, want;
};

template <class F>
void check_rows(const char* what, F f, std::initializer_list<Row2> rows) {
  for (const Row2& r : rows)
    EXPECT_TRUE(same(f(r.a, r.b), r.want)) << what << "(" << r.a << ", " << r.b << ")";
}

TEST_F(Kernels, MaxMinSignAndComparisonsOnNaNAndSignedZeros) {
  auto mx = [](double a, double b) { return korvex::max(a, b); };
  auto mn = [](double a, double b) { return korvex::min(a, b); };
  check_rows("max", mx, {{qnan, 1, qnan}, {1, qnan, qnan}, {0.0, -0.0, -0.0}, {-0.0, 0.0, 0.0}});
  check_rows("min", mn, {{qnan, 1, qnan}, {1, qnan, qnan}, {0.0, -0.0, -0.0}, {2, 1, 1}});
  EXPECT_EQ(korvex::max(1.0, qnan, 2.0), 2.0);  // the three-way form has no NaN test
  EXPECT_TRUE(std::isnan(korvex::min(1.0f, std::nanf(""))));
  check_rows("sign", [](double a, double) { return sign(a); },
             {{qnan, 0, 0.0}, {-0.0, 0, 0.0}, {-inf, 0, -1}, {1e-300, 0, 1}});
  check_rows("round", [](double a, double) { return korvex::round(a); },
             {{2.5, 0, 3}, {-2.5, 0, -3}, {-0.4, 0, -0.0}, {qnan, 0, qnan}});
  EXPECT_EQ(cmp_lt(qnan, 1) + cmp_le(qnan, qnan) + cmp_eq(qnan, qnan) + cmp_lt(-0.0, 0.0), 0);
  EXPECT_EQ(cmp_ne(qnan, qnan) + cmp_ne(1, qnan) + cmp_eq(-0.0, 0.0), 3);
}

TEST_F(Kernels, RemSnapsOnlyStrictlyBelowTolerance) {
  // clang-format off
  check_rows("rem", [](double x, double y) { return korvex::rem(x, y); },
             {{5, 3, 2}, {-5, 3, -2}, {5, -3, 2}, {-6, 3, 0.0}, {7, inf, 7}, {inf, 2, qnan},
              {1, 0.1, 0},                       // the quotient is exactly 10: snapped
              {0.3, 0.1, 0.09999999999999998},   // t equals eps, not below it: fmod
              {1, 0, qnan}, {qnan, 2, qnan}, {2, qnan, qnan},
              {0, 0, 0}, {-0.0, 3, 0}});         // the zero test on x comes first, giving +0
  // clang-format on
  EXPECT_EQ(korvex::rem(1.0, 0.1, 0.0), std::fmod(1.0, 0.1));
  EXPECT_EQ(korvex::rem(1.0f, 0.1f), 0.0f);  // snapped with the float epsilon
}

TEST_F(Kernels, RealFunctionsKeepTheirFormulasAndInfiniteCases) {
  EXPECT_EQ(korvex::atanh(1.0), inf);
  EXPECT_EQ(korvex::atanh(-1.0), -inf);
  EXPECT_EQ(korvex::asinh(-1e9), -inf);  // cancellation, kept as written
  EXPECT_EQ(acoth(1.0), inf);
  EXPECT_TRUE(same(rexp(-inf), 0.0) && rexp(inf) == inf);
  // clang-format off
  check_rows("rpow", rpow,
             {{-1, inf, qnan}, {1, -inf, qnan}, {2, inf, inf}, {-2, inf, -inf}, {0.5, inf, 0},
              {0, -inf, -inf}, {0.5, -inf, inf}, {2, -inf, 0}, {qnan, inf, 0}, {qnan, 0, 1},
              {-8, 1.0 / 3, qnan}});
  // clang-format on
}

TEST_F(Kernels, ModulusScalesAgainstOverflowButNotUnderflow) {
  EXPECT_DOUBLE_EQ(modulus(3e200, 4e200), 5e200);
  EXPECT_EQ(modulus(3e-200, 4e-200), 0);  // the scale never drops below 1
  EXPECT_EQ(modulus(inf, 1), inf);
  EXPECT_TRUE(std::isnan(modulus(1, qnan)));
  EXPECT_EQ(korvex::abs(-3.0, 0.0) + korvex::abs(3.0, -4.0), 8);
}

struct C {
  double re, im;
};
using Kernel1 = void (*)(const double*, const double*, double*, double*);
using Kernel2 = void (*)(const double*, const double*, const double*, const double*, double*,
                         double*);

C apply(Kernel1 f, C x) {
  C y{-99, -99};
  f(&x.re, &x.im, &y.re, &y.im);
  return y;
}
C apply(Kernel2 f, C a, C b) {
  C c{-99, -99};
  f(&a.re, &a.im, &b.re, &b.im, &c.re, &c.im);
  return c;
}
void expect_c(C got, C want, double tol = 0) {
  if (tol == 0) {
    EXPECT_TRUE(same(got.re, want.re) && same(got.im, want.im))
        << got.re << " " << got.im << " vs " << want.re << " " << want.im;
  } else {
    EXPECT_NEAR(got.re, want.re, tol);
    EXPECT_NEAR(got.im, want.im, tol);
  }
}

TEST_F(Kernels, SqrtAndLogOnTheNegativeRealAxisFollowTheSignOfZero) {
  expect_c(apply(korvex::sqrt, {-4, 0.0}), {0.0, 2});
  expect_c(apply(korvex::sqrt, {-4, -0.0}), {-0.0, 2});  // -0 is not below 0
  expect_c(apply(korvex::sqrt, {0, -4}), {std::sqrt(2.0), -std::sqrt(2.0)});
  expect_c(apply(korvex::sqrt, {3e300, 4e300}), {2e150, 1e150}, 1e136);  // no overflow
  expect_c(apply(korvex::sqrt, {qnan, 1}), {qnan, qnan});
  expect_c(apply(korvex::log, {0, 0}), {-inf, 0.0});
  expect_c(apply(korvex::log, {-1, -0.0}), {0, M_PI});
  expect_c(apply(korvex::log, {-1, -1e-300}), {0, -M_PI});
}

TEST_F(Kernels, ElementaryKernelsTakeTheRealShortcuts) {
  expect_c(apply(korvex::exp, {-inf, 5}), {0, -0.0});  // 0·sin 5, no Inf·0
  expect_c(apply(korvex::cos, {0, 1}), {std::cosh(1.0), -0.0});
  expect_c(apply(korvex::tanh, {1, 0}), {std::tanh(1.0), 0.0});  // via div, no shortcut
  expect_c(apply(korvex::tan, {M_PI / 4, 0}), {1, 0}, 1e-15);
  expect_c(apply(inv, {0, 2}), {0, -0.5});
}

TEST_F(Kernels, InverseKernelsOffTheRealSegmentAndAtLargeArguments) {
  expect_c(apply(korvex::asin, {0.5, 0}), {std::asin(0.5), 0});
  expect_c(apply(korvex::acos, {2, 0}), {0, 1.3169578969248166}, 1e-15);
  expect_c(apply(korvex::acos, {0, 1}), {M_PI / 2, -0.881373587019543}, 1e-15);
  expect_c(apply(korvex::atan, {0, 0.5}), {0, 0.5493061443340549}, 1e-15);
  expect_c(apply(korvex::atanh, {0.5, 0}), {0.5493061443340549, 0}, 1e-15);
  expect_c(apply(korvex::acosh, {0.5, 0}), {0, M_PI / 3}, 1e-15);
  // x² would overflow without the scaling; asinh(x) is near log(2x).
  expect_c(apply(korvex::asinh, {1e300, 1e300}), {std::log(2e300 * std::sqrt(2.0)), M_PI / 4},
           1e-12);
}

TEST_F(Kernels, TwoOperandKernelsShortcutRealPartsAndHandleZeroDivisors) {
  expect_c(apply(cmul, {2, 0}, {inf, 1}), {inf, 2});  // no 0·Inf from a real factor
  expect_c(apply(cmul, {inf, 1}, {2, 0}), {inf, 2});
  double ar = 1, ai = 2, br = 3, bi = 4;
  cmul(&ar, &ai, &br, &bi, &ar, &ai);  // output over the first operand
  expect_c({ar, ai}, {-5, 10});
  expect_c(apply(korvex::div, {1, 0}, {0, 0}), {inf, 0.0});
  expect_c(apply(korvex::div, {1, 1}, {0, 0}), {inf, inf});
  expect_c(apply(korvex::div, {1, -0.0}, {-2, 0}), {-0.5, 0.0});
  expect_c(apply(korvex::pow, {-8, 0}, {1.0 / 3, 0}), {1, std::sqrt(3.0)}, 1e-14);
  expect_c(apply(korvex::pow, {1e200, 1e-200}, {2, 0}), {inf, 2});  // exact square
  expect_c(apply(korvex::pow, {2, 0}, {inf, 0}), {inf, 0});
  expect_c(apply(korvex::max, {3, 4}, {5, 0}), {3, 4});  // equal moduli keep a
  expect_c(apply(korvex::max, {1, 1}, {qnan, 1}), {1, 1});
  expect_c(apply(korvex::min, {1, 0}, {-0.0, 0}), {-0.0, 0.0});  // the scalar rule
  expect_c(apply(korvex::min, {0, 3}, {1, 1}), {1, 1});
}

}  // namespace
