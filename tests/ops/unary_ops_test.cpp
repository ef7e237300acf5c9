// Tests of the unary engine: every code on real scalars inside and outside its complex-result
// domain, on NaN, ±0 and ±Inf, and on complex scalars; the complex decision for mixed inputs;
// the shape rules of cumsum, cumprod, tril, triu and the two-output log2; the error messages.
#include <complex>
#include <cstring>

#include "../support/started_runtime.h"

using namespace korvex;
using namespace korvex_test;
using V = std::vector<double>;

const double inf = HUGE_VAL, qnan = std::nan(""), kPi = M_PI, h = M_PI / 2;
const double acosh2 = 1.3169578969248166;      // log(2 + sqrt 3), by hand and by Python's math
const double atanh_half = 0.5493061443340549;  // log(3) / 2
const double R = 12345;  // in a list of expected imaginary parts: the result stays real

class UnaryOp : public StartedRuntime {
 protected:
  void SetUp() override {
    StartedRuntime::SetUp();
    pi_value = M_PI;  // as the start-up routine sets it
  }
};

// Zeros (with their sign), infinities and NaN exactly; other values to 1e-13 (relative beyond 1).
static bool near(double got, double want) {
  if (!std::isfinite(want) || (want == 0 && got == 0)) return same(got, want);
  return std::fabs(got - want) <= 1e-13 * std::max(std::fabs(want), 1.0);
}

// One scalar through the engine: its real part matches wr; wi == R asks for a real result,
// any other wi for a complex one with that imaginary part.
static testing::AssertionResult Gives(const M<double>& y, double wr, double wi) {
  if (y.rows() != 1 || y.cols() != 1) return testing::AssertionFailure() << "not 1x1";
  if ((wi == R) == (y.isc() != 0))
    return testing::AssertionFailure() << (y.isc() ? "complex" : "real") << " result";
  if (!near(y.addr()[0], wr)) return testing::AssertionFailure() << "real part " << y.addr()[0];
  if (wi != R && !near(y.addi()[0], wi))
    return testing::AssertionFailure() << "imaginary part " << y.addi()[0];
  return testing::AssertionSuccess();
}

// Every code on the real scalars 0.5, NaN, 0, -0, Inf, -Inf, each its own call. Where an
// argument lies in the code's complex-result domain the result is complex (im not R); the
// values were worked out by hand from the kernels' formulas. Of note: the textbook asinh loses
// the sign of -0 and gives NaN at -Inf (-Inf + Inf); asech(-0) stays real (-0 is not below 0)
// and is acosh(-Inf) = NaN; round(0) is ceil(-0.5) = -0; angle is -pi for 0, -0 and NaN.
TEST_F(UnaryOp, EveryCodeOnRealSpecialValues) {
  const V x{0.5, qnan, 0.0, -0.0, inf, -inf};
  const double c5 = std::cos(0.5), s5 = std::sin(0.5), t5 = std::tan(0.5);
  const double ch5 = std::cosh(0.5), sh5 = std::sinh(0.5), th5 = std::tanh(0.5);
  // clang-format off
  const struct { OpCode op; V re, im = {}; } rows[] = {
      {op_not, {0, 0, 1, 1, 0, 0}},                {op_neg, {-0.5, qnan, -0.0, 0.0, -inf, inf}},
      {op_abs, {0.5, qnan, 0.0, 0.0, inf, inf}},   {op_ceil, {1, qnan, 0.0, -0.0, inf, -inf}},
      {op_conj, x},                                {op_cos, {c5, qnan, 1, 1, qnan, qnan}},
      {op_sin, {s5, qnan, 0.0, -0.0, qnan, qnan}}, {op_tan, {t5, qnan, 0.0, -0.0, qnan, qnan}},
      {op_sec, {1 / c5, qnan, 1, 1, qnan, qnan}},  {op_csc, {1 / s5, qnan, inf, -inf, qnan, qnan}},
      {op_cot, {1 / t5, qnan, inf, -inf, qnan, qnan}},
      {op_acos, {kPi / 3, qnan, h, h, qnan, qnan}, {R, R, R, R, qnan, qnan}},
      {op_asin, {kPi / 6, qnan, 0.0, -0.0, qnan, qnan}, {R, R, R, R, qnan, qnan}},
      {op_atan, {std::atan(0.5), qnan, 0.0, -0.0, h, -h}},
      {op_asec, {0, qnan, qnan, qnan, h, h}, {acosh2, R, qnan, qnan, R, R}},
      {op_acsc, {h, qnan, qnan, qnan, 0.0, -0.0}, {-acosh2, R, qnan, qnan, R, R}},
      {op_acot, {std::atan(2.0), qnan, h, -h, 0.0, -0.0}},
      {op_cosh, {ch5, qnan, 1, 1, inf, inf}},      {op_sinh, {sh5, qnan, 0.0, -0.0, inf, -inf}},
      {op_tanh, {th5, qnan, 0.0, -0.0, 1, -1}},    {op_sech, {1 / ch5, qnan, 1, 1, 0.0, 0.0}},
      {op_csch, {1 / sh5, qnan, inf, -inf, 0.0, -0.0}},
      {op_coth, {1 / th5, qnan, inf, -inf, 1, -1}},
      {op_acosh, {0, qnan, 0, 0, inf, qnan}, {kPi / 3, R, h, h, R, qnan}},
      {op_asinh, {std::asinh(0.5), qnan, 0.0, 0.0, inf, qnan}},
      {op_atanh, {atanh_half, qnan, 0.0, 0.0, qnan, qnan}, {R, R, R, R, qnan, qnan}},
      {op_asech, {acosh2, qnan, inf, qnan, 0, 0}, {R, R, R, R, h, h}},
      {op_acsch, {1.4436354751788103, qnan, inf, qnan, 0.0, 0.0}},  // log(2 + sqrt 5)
      {op_acoth, {atanh_half, qnan, qnan, qnan, 0.0, 0.0}, {h, R, qnan, qnan, R, R}},
      {op_exp, {std::exp(0.5), qnan, 1, 1, inf, 0.0}}, {op_fix, {0.0, qnan, 0.0, -0.0, inf, -inf}},
      {op_floor, {0.0, qnan, 0.0, -0.0, inf, -inf}},   {op_imag, {0, 0, 0, 0, 0, 0}},
      {op_log, {-M_LN2, qnan, -inf, -inf, inf, inf}, {R, R, R, R, R, kPi}},
      {op_log10, {std::log10(0.5), qnan, -inf, -inf, inf, inf}, {R, R, R, R, R, kPi / M_LN10}},
      {op_real, x},                                    {op_round, {1, qnan, -0.0, -0.0, inf, -inf}},
      {op_sign, {1, 0.0, 0.0, 0.0, 1, -1}},
      {op_sqrt, {M_SQRT1_2, qnan, 0.0, -0.0, inf, 0.0}, {R, R, R, R, R, inf}},
      {op_tril, x}, {op_triu, x},                      {op_isinf, {0, 0, 0, 0, 1, 1}},
      {op_isnan, {0, 1, 0, 0, 0, 0}},                  {op_finite, {1, 0, 1, 1, 0, 0}},
      {op_log2, {-1, qnan, -inf, -inf, inf, inf}, {R, R, R, R, R, kPi / M_LN2}},
      {op_pow2, {M_SQRT2, qnan, 1, 1, inf, 0.0}},
      {op_angle, {0.0, -kPi, -kPi, -kPi, 0.0, -kPi}},  {op_arg, {0.0, -kPi, -kPi, -kPi, 0.0, -kPi}},
      {op_reallog, {-M_LN2, qnan, -inf, -inf, inf, qnan}},
      {op_realsqrt, {M_SQRT1_2, qnan, 0.0, -0.0, inf, qnan}},
      {op_cumprod, x}, {op_cumsum, x}};
  // clang-format on
  for (const auto& r : rows) {
    ASSERT_EQ(r.op, op_not + (&r - rows)) << "one row per code, in order";
    for (size_t k = 0; k < x.size(); k++)
      EXPECT_TRUE(Gives(unary_op(M<double>(x[k]), r.op), r.re[k], r.im.empty() ? R : r.im[k]))
          << "code " << r.op << ", x = " << x[k];
  }
  EXPECT_EQ(sizeof rows / sizeof rows[0], 52u);
}

// Real arguments past the domain edge take the complex kernels with an imaginary part of +0,
// whose formulas (not the C library's branch choices) decide the sign of each part: asin(2)
// has a negative imaginary part, acos(2) a positive one, acosh(-2) a negative real part. The
// divisors of log10 and log2 are used as written: log10(1000) is not 3.
TEST_F(UnaryOp, RealArgumentsOnBothSidesOfTheDomainEdge) {
  // clang-format off
  const struct { OpCode op; double x, wr, wi; } rows[] = {
      {op_sqrt, -4, 0, 2}, {op_log, -1, 0, kPi}, {op_log10, -100, 2, kPi / M_LN10},
      {op_log2, -8, 3, kPi / M_LN2}, {op_acos, 2, 0, acosh2}, {op_acos, -2, kPi, -acosh2},
      {op_asin, 2, h, -acosh2}, {op_asin, -2, -h, acosh2}, {op_acosh, -2, -acosh2, kPi},
      {op_acosh, 0.5, 0, kPi / 3}, {op_atanh, 2, atanh_half, h}, {op_atanh, -2, -atanh_half, h},
      {op_asec, -0.5, kPi, -acosh2}, {op_acsc, -0.5, -h, acosh2}, {op_asech, 2, 0, kPi / 3},
      {op_asech, -2, 0, 2 * kPi / 3}, {op_acoth, -0.5, -atanh_half, h},
      {op_log10, 1000, 2.9999999999999996, R}, {op_log2, 8, 3, R}, {op_fix, -2.5, -2, R},
      {op_fix, 2.5, 2, R}, {op_round, -2.5, -3, R}, {op_round, 2.5, 3, R}, {op_pow2, -1, 0.5, R},
      {op_asinh, -1e9, -inf, R}, {op_acosh, 1, 0, R}, {op_atanh, 1, inf, R},
      {op_atanh, -1, -inf, R}, {op_acoth, 1, inf, R}, {op_asec, 1, 0, R}, {op_acsc, -1, -h, R},
      {op_asech, 1, 0, R}, {op_realsqrt, -4, qnan, R}, {op_reallog, -1, qnan, R}};
  // clang-format on
  for (const auto& r : rows)
    EXPECT_TRUE(Gives(unary_op(M<double>(r.x), r.op), r.wr, r.wi)) << "code " << r.op << " " << r.x;
  // Negation flips the sign bit of a NaN, too.
  const double nan_pos = std::fabs(qnan);
  EXPECT_TRUE(std::signbit(reals(-M<double>(nan_pos))[0]));
  EXPECT_FALSE(std::signbit(reals(-M<double>(-nan_pos))[0]));
}

// Every code on a complex scalar. The transcendental ones at 0.5 + 0.25i, off every branch cut,
// against the platform's std::complex functions; the others at -2.5 + 1.5i and at the points
// where a part is 0, NaN or Inf, worked out by hand. abs, imag, isnan, angle, ... keep an
// all-zero imaginary part; real alone drops it.
TEST_F(UnaryOp, EveryCodeOnComplexScalars) {
  using C = std::complex<double>;
  const C z(0.5, 0.25), w = 1.0 / z;
  const struct {
    OpCode op;
    C want;
  } libm[] = {
      {op_cos, std::cos(z)},          {op_sin, std::sin(z)},         {op_tan, std::tan(z)},
      {op_sec, 1.0 / std::cos(z)},    {op_csc, 1.0 / std::sin(z)},   {op_cot, 1.0 / std::tan(z)},
      {op_acos, std::acos(z)},        {op_asin, std::asin(z)},       {op_atan, std::atan(z)},
      {op_asec, std::acos(w)},        {op_acsc, std::asin(w)},       {op_acot, std::atan(w)},
      {op_cosh, std::cosh(z)},        {op_sinh, std::sinh(z)},       {op_tanh, std::tanh(z)},
      {op_sech, 1.0 / std::cosh(z)},  {op_csch, 1.0 / std::sinh(z)}, {op_coth, 1.0 / std::tanh(z)},
      {op_acosh, std::acosh(z)},      {op_asinh, std::asinh(z)},     {op_atanh, std::atanh(z)},
      {op_asech, std::acosh(w)},      {op_acsch, std::asinh(w)},     {op_acoth, std::atanh(w)},
      {op_exp, std::exp(z)},          {op_log, std::log(z)},         {op_log10, std::log10(z)},
      {op_log2, std::log(z) / M_LN2}, {op_pow2, std::pow(2.0, z)},   {op_sqrt, std::sqrt(z)},
      {op_reallog, std::log(z)},      {op_realsqrt, std::sqrt(z)}};
  for (const auto& r : libm)
    EXPECT_TRUE(
        Gives(unary_op(by_cols(1, 1, {z.real()}, {z.imag()}), r.op), r.want.real(), r.want.imag()))
        << "code " << r.op;

  const double a = -2.5, b = 1.5, m = std::sqrt(8.5);
  // clang-format off
  const struct { OpCode op; double xr, xi, wr, wi; } hand[] = {
      {op_not, a, b, 0, 0}, {op_not, 0.0, -0.0, 1, 0}, {op_not, 0, qnan, 0, 0},
      {op_neg, a, b, 2.5, -1.5}, {op_neg, 1, 0.0, -1, -0.0}, {op_abs, a, b, m, 0},
      {op_abs, 3, 4, 5, 0}, {op_abs, -2, 0.0, 2, 0}, {op_ceil, a, b, -2, 2},
      {op_conj, a, b, a, -b}, {op_conj, 1, 0.0, 1, -0.0}, {op_fix, a, b, -2, 1},
      {op_floor, a, b, -3, 1}, {op_imag, a, b, b, 0}, {op_real, a, b, a, R},
      {op_round, a, b, -3, 2}, {op_sign, a, b, a / m, b / m}, {op_sign, -2, 0.0, -1, 0},
      {op_sign, qnan, 0.0, 0, 0}, {op_isinf, 1, inf, 1, 0}, {op_isinf, a, b, 0, 0},
      {op_isnan, 1, qnan, 1, 0}, {op_isnan, inf, 1, 0, 0}, {op_finite, 1, inf, 0, 0},
      {op_finite, qnan, 1, 0, 0}, {op_finite, a, b, 1, 0}, {op_angle, -1, 0.0, kPi, 0},
      {op_angle, -1, -0.0, -kPi, 0}, {op_arg, 0, 1, h, 0}, {op_tril, a, b, a, b},
      {op_triu, a, b, a, b}, {op_cumsum, a, b, a, b}, {op_cumprod, a, b, a, b},
      {op_log, -1, -0.0, 0, kPi}, {op_sqrt, -4, -0.0, -0.0, 2}, {op_pow2, 2, 0, 4, 0},
      {op_exp, -inf, 0, 0, 0}, {op_log, 0, 0, -inf, 0}};
  // clang-format on
  for (const auto& r : hand)
    EXPECT_TRUE(Gives(unary_op(by_cols(1, 1, {r.xr}, {r.xi}), r.op), r.wr, r.wi))
        << "code " << r.op << " at " << &r - hand;
}

// unary_isc goes by storage for a complex input (even an all-zero imaginary part, even for
// abs) and otherwise asks whether any element lies in the code's domain; NaN lies in none, an
// edge itself stays real. unary_op decides the same way. Elements inside the domain of a
// result that went complex come from the complex kernel with an imaginary part of 0.
TEST_F(UnaryOp, ComplexDecisionForMixedInputs) {
  const double up = std::nextafter(1.0, 2.0), down = std::nextafter(1.0, 0.0), tiny = 4.9e-324;
  // clang-format off
  const struct { OpCode op; V x; int isc; } rows[] = {
      {op_acos, {0.5, 2}, 1}, {op_asin, {0.5, qnan}, 0}, {op_acos, {-1, 1, -0.0}, 0},
      {op_asin, {1, up}, 1}, {op_atanh, {-up, 0}, 1}, {op_atanh, {1, -1, inf}, 1},
      {op_asec, {1, -1, inf, -inf, qnan}, 0}, {op_asec, {2, down}, 1}, {op_acsc, {-down}, 1},
      {op_acosh, {1, inf, qnan}, 0}, {op_acosh, {2, down}, 1}, {op_acosh, {-inf}, 1},
      {op_asech, {0, -0.0, 1, qnan}, 0}, {op_asech, {0.5, -tiny}, 1}, {op_asech, {up}, 1},
      {op_acoth, {1, -1, inf, -inf}, 0}, {op_acoth, {5, -down}, 1},
      {op_log, {0, -0.0, inf, qnan}, 0}, {op_log, {1, -tiny}, 1}, {op_log10, {-inf}, 1},
      {op_log2, {-1}, 1}, {op_sqrt, {4, -0.0}, 0}, {op_sqrt, {4, -4}, 1},
      {op_reallog, {-1}, 0}, {op_realsqrt, {-4}, 0}, {op_asinh, {-inf}, 0}, {op_abs, {-1}, 0},
      {op_acos, {}, 0}, {op_sqrt, {}, 0}};
  // clang-format on
  for (const auto& r : rows) {
    M<double> x(0, 1, static_cast<int>(r.x.size()));
    std::copy(r.x.begin(), r.x.end(), x.addr());
    EXPECT_EQ(unary_isc(x, r.op), r.isc) << "row " << &r - rows;
    EXPECT_EQ(unary_op(x, r.op).isc(), r.isc) << "row " << &r - rows;
  }
  M<double> z = by_cols(1, 2, {3, -4}, {0, -0.0});
  for (OpCode op : {op_abs, op_not, op_real, op_cumsum}) EXPECT_EQ(unary_isc(z, op), 1);
  EXPECT_EQ(unary_isc(by_cols(1, 1, {1}, {0}), static_cast<OpCode>(90)), 1);  // no code check

  M<double> y = unary_op(by_cols(1, 2, {0.5, 2}), op_acos);
  EXPECT_TRUE(all_same(reals(y), {std::acos(0.5), 0}));
  EXPECT_TRUE(same(imags(y)[0], 0));
  EXPECT_TRUE(near(imags(y)[1], acosh2));
  y = sqrtM(by_cols(1, 3, {4, -4, 0}));
  EXPECT_TRUE(all_same(reals(y), {2, 0, 0}));
  EXPECT_TRUE(all_same(imags(y), {0, 2, 0}));
}

// The real pass works in blocks of 256 elements and stops at the first block that holds an
// element outside the domain; the whole result then goes complex, at a block's first element
// as well as in a last, partial block.
TEST_F(UnaryOp, OneElementOutsideTheDomainAnywhereMakesTheResultComplex) {
  for (int at : {-1, 0, 255, 256, 999}) {
    M<double> x(0, 1000, 1);
    for (int k = 0; k < 1000; k++) x.addr()[k] = k == at ? -4.0 : (k + 1) * (k + 1);
    M<double> y = sqrtM(x);
    ASSERT_EQ(y.isc(), at >= 0 ? 1 : 0) << at;
    ASSERT_EQ(y.rows(), 1000);
    ASSERT_EQ(y.cols(), 1);
    for (int k = 0; k < 1000; k++) {
      EXPECT_EQ(y.addr()[k], k == at ? 0 : k + 1) << at << " " << k;
      if (y.isc()) {
        EXPECT_EQ(y.addi()[k], k == at ? 2 : 0) << at << " " << k;
      }
    }
  }
}

// Every code on an empty input, real or complex, gives an empty result (stored 0 x 0, as every
// empty matrix is), complex for a complex input but under real. The display kind is copied on
// every path, the imaginary storage is kept by every code but real, and unary plus shares the
// operand's elements without the engine.
TEST_F(UnaryOp, EmptyInputsTextKindImaginaryStorageAndUnaryPlus) {
  for (int c = 0; c < 2; c++)
    for (int op = op_not; op <= op_cumsum; op++) {
      M<double> y = unary_op(M<double>(c, 0, 3), static_cast<OpCode>(op));
      EXPECT_EQ(y.rows(), 0) << op;
      EXPECT_EQ(y.cols(), 0) << op;
      EXPECT_EQ(y.isc(), c && op != op_real) << op;
    }
  M<double> word = text("ab");
  EXPECT_EQ(abs(word).getdm(), 1);
  EXPECT_EQ(sqrtM(-word).getdm(), 1);  // complex from a real input
  EXPECT_TRUE(sqrtM(-word).isc());
  M<double> ctext = by_cols(1, 1, {1}, {1});
  ctext.setdm(1);
  EXPECT_EQ(conj(ctext).getdm(), 1);
  EXPECT_EQ(real(ctext).getdm(), 1);

  M<double> z = by_cols(1, 2, {3, -1}, {4, 0});
  for (auto f : {abs, imag, isnan, angle, sign, floor}) EXPECT_TRUE(f(z).isc());
  EXPECT_TRUE(all_same(reals(abs(z)), {5, 1}));
  EXPECT_TRUE(all_same(imags(abs(z)), {0, 0}));
  EXPECT_FALSE(real(z).isc());
  EXPECT_TRUE(all_same(reals(real(z)), {3, -1}));

  M<double> x = by_cols(2, 1, {1, -2});
  M<double> p = +x;
  EXPECT_EQ(p.addr(), x.addr());
  EXPECT_EQ(p.rows(), 2);
}

// Unary minus takes an inline path for a real 1x1 operand: the engine's result, bit for bit,
// with the operand's display kind; a complex 1x1 still goes to the engine.
TEST_F(UnaryOp, NegatingARealOneByOneMatchesTheEngine) {
  for (double v : {0.0, -0.0, 1.5, -2.0, 3e-320, inf, -inf, qnan})
    for (int kind : {0, 1}) {
      M<double> x(v);
      x.setdm(kind);
      const M<double> fast = -x, general = unary_op(x, op_neg);
      EXPECT_TRUE(fast.rows() == 1 && fast.cols() == 1 && !fast.isc() && !fast.getname());
      EXPECT_EQ(fast.getdm(), kind);
      EXPECT_EQ(fast.getcapacity(), general.getcapacity());
      EXPECT_EQ(std::memcmp(fast.addr(), general.addr(), sizeof(double)), 0) << v;
    }
  const M<double> z = -by_cols(1, 1, {1}, {-0.0});
  EXPECT_TRUE(z.isc() && same(reals(z)[0], -1) && same(imags(z)[0], 0.0));
}

// A row accumulates along its length and keeps its shape; other shapes accumulate down each
// column, restarting in every column. The accumulator starts as the first element (a leading
// -0 stays -0) and a complex product by a real accumulator has no 0·Inf term.
TEST_F(UnaryOp, CumulativeSumsAndProductsByShape) {
  using Fn = M<double> (*)(const M<double>&);
  // clang-format off
  const struct { Fn f; int m, n; V re, want, im = {}, want_im = {}; } rows[] = {
      {cumsum, 1, 3, {1, 2, 3}, {1, 3, 6}}, {cumprod, 1, 3, {1, 2, 3}, {1, 2, 6}},
      {cumsum, 3, 1, {1, 2, 3}, {1, 3, 6}}, {cumsum, 2, 2, {1, 3, 2, 4}, {1, 4, 2, 6}},
      {cumprod, 2, 3, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 12, 5, 30}},
      {cumsum, 1, 2, {-0.0, 0.0}, {-0.0, 0.0}}, {cumsum, 1, 3, {inf, -inf, 1}, {inf, qnan, qnan}},
      {cumprod, 1, 3, {2, inf, 0}, {2, inf, qnan}}, {cumsum, 1, 1, {qnan}, {qnan}},
      {cumsum, 1, 2, {1, 3}, {1, 4}, {2, -1}, {2, 1}},
      {cumprod, 2, 1, {1, 3}, {1, -5}, {2, 4}, {2, 10}},  // (1 + 2i)(3 + 4i)
      {cumprod, 1, 2, {2, inf}, {2, inf}, {0, 1}, {0, 2}},
      {cumsum, 2, 2, {1, 2, 3, 4}, {1, 3, 3, 7}, {0, -0.0, -0.0, 0}, {0, 0, -0.0, 0}}};
  // clang-format on
  for (const auto& r : rows) {
    M<double> x(!r.im.empty(), r.m, r.n);
    std::copy(r.re.begin(), r.re.end(), x.addr());
    std::copy(r.im.begin(), r.im.end(), x.addi());
    M<double> y = r.f(x);
    const auto at = &r - rows;
    EXPECT_EQ(y.rows(), r.m) << "row " << at;
    EXPECT_EQ(y.cols(), r.n) << "row " << at;
    EXPECT_EQ(y.isc() != 0, !r.im.empty()) << "row " << at;
    EXPECT_TRUE(all_same(reals(y), r.want)) << "row " << at;
    if (y.isc()) {
      EXPECT_TRUE(all_same(imags(y), r.want_im)) << "row " << at;
    }
  }
}

// tril keeps element (i, j) when i + k >= j, triu when i + k <= j, zeroing both parts of the
// rest; k is K's first element truncated toward zero (NaN gives 0), saturating far beyond int.
TEST_F(UnaryOp, TrianglesByOffsetAndShape) {
  using Tri = M<double> (*)(const M<double>&, const M<double>&);
  const V ones9(9, 1.0), x23{1, 2, 3, 4, 5, 6};  // 2 x 3, column-major
  // clang-format off
  const struct { Tri f; double k; int m, n; V x, want; } rows[] = {
      {tril, -1, 3, 3, ones9, {0, 1, 1, 0, 0, 1, 0, 0, 0}},
      {tril, 0, 3, 3, ones9, {1, 1, 1, 0, 1, 1, 0, 0, 1}},
      {tril, -0.5, 3, 3, ones9, {1, 1, 1, 0, 1, 1, 0, 0, 1}},
      {triu, 1.9, 3, 3, ones9, {0, 0, 0, 1, 0, 0, 1, 1, 0}},
      {triu, -1.9, 3, 3, ones9, {1, 1, 0, 1, 1, 1, 1, 1, 1}},
      {tril, 1, 2, 3, x23, {1, 2, 3, 4, 0, 6}}, {triu, 0, 2, 3, x23, {1, 0, 3, 4, 5, 6}},
      {tril, 0, 3, 2, x23, {1, 2, 3, 0, 5, 6}}, {triu, -1, 3, 2, x23, {1, 2, 0, 4, 5, 6}},
      {tril, qnan, 2, 3, x23, {1, 2, 0, 4, 0, 0}}, {tril, 1e300, 2, 3, x23, x23},
      {tril, -1e300, 2, 3, x23, V(6, 0.0)}, {triu, 1e300, 2, 3, x23, V(6, 0.0)},
      {triu, -1e300, 2, 3, x23, x23}, {triu, 2147483647.0, 1, 1, {7}, {0}},
      {tril, -2147483648.0, 1, 1, {7}, {0}}};
  // clang-format on
  for (const auto& r : rows) {
    M<double> x(0, r.m, r.n);
    std::copy(r.x.begin(), r.x.end(), x.addr());
    M<double> y = r.f(x, M<double>(r.k));
    const auto at = &r - rows;
    EXPECT_EQ(y.rows(), r.m) << "row " << at;
    EXPECT_EQ(y.cols(), r.n) << "row " << at;
    EXPECT_FALSE(y.isc()) << "row " << at;
    EXPECT_TRUE(all_same(reals(y), r.want)) << "row " << at;
  }
  EXPECT_TRUE(all_same(reals(tril(by_cols(2, 2, {1, 2, 3, 4}))), {1, 2, 0, 4}));
  EXPECT_TRUE(all_same(reals(triu(by_cols(2, 2, {1, 2, 3, 4}))), {1, 0, 3, 4}));
  M<double> z = triu(by_cols(2, 2, {1, 2, 3, 4}, {5, 6, 7, 8}), M<double>(0.0));
  EXPECT_TRUE(all_same(reals(z), {1, 0, 3, 4}));
  EXPECT_TRUE(all_same(imags(z), {5, 0, 7, 8}));
  M<double> k2 = by_cols(1, 2, {-1, 5});  // only the first element counts
  EXPECT_TRUE(all_same(reals(tril(by_cols(2, 2, {1, 2, 3, 4}), k2)), {0, 2, 0, 0}));
  M<double> empty("K", 0, 0);
  EXPECT_ERROR(tril(by_cols(2, 2, {1, 2, 3, 4}), empty), "K.r(): matrix is empty");
  EXPECT_ERROR(triu(M<double>(1.0), M<double>()), "?.r(): matrix is empty");
}

// [F, E] = log2(x): mantissa in [0.5, 1) and exponent of each finite real part (0 gives 0 and
// 0), the element itself and 0 for Inf and NaN. Both outputs take x's shape; the call returns
// x_M, and an output that is x itself still reads x unchanged.
TEST_F(UnaryOp, TwoOutputLog2SplitsMantissaAndExponent) {
  M<double> x = by_cols(2, 4, {8, qnan, 0, -inf, -0.75, 1, inf, 3}), f("F", 0, 0), e("E", 0, 0);
  M<double> r = log2(x, i_o, Mr<double>(f), Mr<double>(e));
  EXPECT_TRUE(r.issamename(noval_name));
  for (const M<double>* out : {&f, &e}) {
    EXPECT_EQ(out->rows(), 2);
    EXPECT_EQ(out->cols(), 4);
  }
  EXPECT_TRUE(all_same(reals(f), {0.5, qnan, 0, -inf, -0.75, 0.5, inf, 0.75}));
  EXPECT_TRUE(all_same(reals(e), {4, 0, 0, 0, 0, 1, 0, 2}));
  EXPECT_FALSE(f.isc());
  EXPECT_FALSE(e.isc());

  // 0.75·2^902 and the least subnormal 2^-1074; imaginary parts are not read.
  M<double> z = by_cols(1, 3, {0.25, std::ldexp(0.75, 902), 4.9e-324}, {5, 5, 5});
  log2(z, i_o, Mr<double>(z), Mr<double>(e));
  EXPECT_TRUE(all_same(reals(z), {0.5, 0.75, 0.5}));
  EXPECT_TRUE(all_same(reals(e), {-1, 902, -1073}));
}

// A real input with a code outside 20..71 is refused by the complex decision; a complex input
// passes the decision (it goes by storage) and is refused by the engine.
TEST_F(UnaryOp, UnknownCodesAreReported) {
  M<double> x = by_cols(1, 2, {1, 2}), z = by_cols(1, 1, {1}, {1});
  for (int code : {19, 72, 84}) {
    EXPECT_ERROR(unary_isc(x, static_cast<OpCode>(code)), "unary_isc: unknown op");
    EXPECT_ERROR(unary_op(x, static_cast<OpCode>(code)), "unary_isc: unknown op");
    EXPECT_ERROR(unary_op(z, static_cast<OpCode>(code)), "unary_op: unknown op");
  }
}

// Each entry point passes its own code: on a real and a complex row its results match the
// engine's for that code, and the two rows tell every code apart but angle and arg.
TEST_F(UnaryOp, EntryPointsPassTheirCodes) {
  using Fn = M<double> (*)(const M<double>&);
  using namespace korvex;
  // clang-format off
  const struct { Fn f; OpCode op; } rows[] = {
      {operator!, op_not}, {operator-, op_neg}, {abs, op_abs}, {angle, op_angle}, {arg, op_arg},
      {ceil, op_ceil}, {conj, op_conj}, {korvex::exp, op_exp}, {finite, op_finite},
      {fix, op_fix}, {korvex::floor, op_floor}, {imag, op_imag}, {korvex::isinf, op_isinf},
      {korvex::isnan, op_isnan}, {korvex::log, op_log}, {korvex::log10, op_log10},
      {real, op_real}, {reallog, op_reallog}, {realsqrt, op_realsqrt}, {korvex::round, op_round},
      {sign, op_sign}, {sqrtM, op_sqrt}, {korvex::log2, op_log2}, {pow2, op_pow2},
      {korvex::cos, op_cos}, {korvex::sin, op_sin}, {korvex::tan, op_tan}, {sec, op_sec},
      {csc, op_csc}, {cot, op_cot}, {korvex::acos, op_acos}, {korvex::asin, op_asin},
      {korvex::atan, op_atan}, {asec, op_asec}, {acsc, op_acsc}, {acot, op_acot},
      {korvex::cosh, op_cosh}, {korvex::sinh, op_sinh}, {korvex::tanh, op_tanh}, {sech, op_sech},
      {csch, op_csch}, {coth, op_coth}, {korvex::acosh, op_acosh}, {korvex::asinh, op_asinh},
      {korvex::atanh, op_atanh}, {asech, op_asech}, {acsch, op_acsch}, {acoth, op_acoth}};
  // clang-format on
  const M<double> in[] = {by_cols(1, 6, {-1.5, 0.5, 2, 0, inf, qnan}),
                          by_cols(1, 2, {0.3, -0.7}, {0.2, 1.1})};
  auto equal = [](const M<double>& a, const M<double>& b) {
    return a.size() == b.size() && a.isc() == b.isc() && all_same(reals(a), reals(b)) &&
           (!a.isc() || all_same(imags(a), imags(b)));
  };
  for (const auto& r : rows)
    for (const M<double>& x : in) EXPECT_TRUE(equal(r.f(x), unary_op(x, r.op))) << r.op;
  for (const auto& a : rows)
    for (const auto& b : rows)
      if (&a < &b && !(a.op == op_angle && b.op == op_arg)) {
        EXPECT_FALSE(equal(a.f(in[0]), b.f(in[0])) && equal(a.f(in[1]), b.f(in[1])))
            << a.op << " " << b.op;
      }
}
