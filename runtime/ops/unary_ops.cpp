// unary_ops.cpp: the unary operation engine unary_op, its complex-result test unary_isc, and
// the element-wise functions and unary operators on double matrices that call it.
//
// GCC's default cost model at -O2 vectorises only loops of known trip count; the element
// loops here run over any n, so this unit asks for the cheap model.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("vect-cost-model=cheap")
#endif

#include <cmath>

#include "array_kernels.h"
#include "common/rules.h"
#include "korvex.h"
#include "unary_kernels.h"

namespace korvex {

namespace {

using kern::truth;

// The divisors of log10 and log2, ln 10 and ln 2 as written: log10(1000) is
// 2.9999999999999996 here, where the platform's log10 gives 3.
constexpr double ln10 = 2.302585092994046;
constexpr double ln2 = 0.6931471805599453;

// ============================================================================================
// Per-element rules, one struct per code: re(x) for a real input, cx(a, b, yr, yi) for an
// element a + ib of a complex input (or of a real input with b = 0, once the result has gone
// complex), and for the codes whose real result can leave the real numbers, leaves(x): the
// test that sends the whole result complex. NaN meets no leaves test.
// ============================================================================================

struct Not {
  static double re(double x) { return truth(x == 0); }  // NaN is not 0: !NaN is 0
  static void cx(double a, double b, double& yr, double& yi) {
    yr = truth(a == 0 && b == 0);
    yi = 0;
  }
};
// Negation flips the sign bit: -0 from 0, and a NaN comes back with its sign flipped.
struct Neg {
  static double re(double x) { return -x; }
  static void cx(double a, double b, double& yr, double& yi) {
    yr = -a;
    yi = -b;
  }
};
struct Abs {
  static double re(double x) { return std::fabs(x); }
  static void cx(double a, double b, double& yr, double& yi) {
    yr = abs(a, b);
    yi = 0;
  }
};
struct Conj {
  static double re(double x) { return x; }
  static void cx(double a, double b, double& yr, double& yi) {
    yr = a;
    yi = -b;
  }
};
struct Imag {
  static double re(double) { return 0; }
  static void cx(double, double b, double& yr, double& yi) {
    yr = b;
    yi = 0;
  }
};
struct Real {
  static double re(double x) { return x; }
  static void cx(double a, double, double& yr, double& yi) {
    yr = a;
    yi = 0;
  }
};

// Rounding rules apply to each part of a complex element alike.
struct Ceil {
  static double re(double x) { return std::ceil(x); }
  static void cx(double a, double b, double& yr, double& yi) {
    yr = re(a);
    yi = re(b);
  }
};
struct Floor {
  static double re(double x) { return std::floor(x); }
  static void cx(double a, double b, double& yr, double& yi) {
    yr = re(a);
    yi = re(b);
  }
};
struct Fix {
  static double re(double x) { return x > 0 ? std::floor(x) : std::ceil(x); }
  static void cx(double a, double b, double& yr, double& yi) {
    yr = re(a);
    yi = re(b);
  }
};
struct Round {
  static double re(double x) { return round(x); }  // halves away from zero
  static void cx(double a, double b, double& yr, double& yi) {
    yr = re(a);
    yi = re(b);
  }
};
// A complex element off the real axis goes to the unit circle; on it, the real sign.
struct Sign {
  static double re(double x) { return sign(x); }
  static void cx(double a, double b, double& yr, double& yi) {
    if (b != 0) {
      double r = abs(a, b);
      yr = a / r;
      yi = b / r;
    } else {
      yr = sign(a);
      yi = 0;
    }
  }
};

// IEEE field tests; a complex element is infinite or NaN when either part is.
struct IsInf {
  static double re(double x) { return truth(rules::is_inf(x)); }
  static void cx(double a, double b, double& yr, double& yi) {
    yr = truth(rules::is_inf(a) || rules::is_inf(b));
    yi = 0;
  }
};
struct IsNaN {
  static double re(double x) { return truth(rules::is_nan(x)); }
  static void cx(double a, double b, double& yr, double& yi) {
    yr = truth(rules::is_nan(a) || rules::is_nan(b));
    yi = 0;
  }
};
struct Finite {
  static double re(double x) { return truth(rules::is_finite(x)); }
  static void cx(double a, double b, double& yr, double& yi) {
    yr = truth(rules::is_finite(a) && rules::is_finite(b));
    yi = 0;
  }
};

// A real argument is 0 only when positive: angle(0), angle(NaN) and angle(-1) are all -pi,
// while a complex -1 + 0i gives atan2's +pi.
struct Angle {
  static double re(double x) { return x > 0 ? 0.0 : -pi_value; }
  static void cx(double a, double b, double& yr, double& yi) {
    yr = std::atan2(b, a);
    yi = 0;
  }
};

using Kernel = void (*)(const double*, const double*, double*, double*);

// Complex forms: one kernel; 1 / K(x) for sec, csc, cot and their hyperbolic kin; K(1 / x) for
// asec .. acoth. The composed ones pass through a scratch pair, so no kernel writes where it
// reads.
template <Kernel K>
struct Cx {
  static void cx(double a, double b, double& yr, double& yi) { K(&a, &b, &yr, &yi); }
};
template <Kernel K>
struct InvOf {
  static void cx(double a, double b, double& yr, double& yi) {
    double tr, ti;
    K(&a, &b, &tr, &ti);
    inv(&tr, &ti, &yr, &yi);
  }
};
template <Kernel K>
struct OfInv {
  static void cx(double a, double b, double& yr, double& yi) {
    double tr, ti;
    inv(&a, &b, &tr, &ti);
    K(&tr, &ti, &yr, &yi);
  }
};

// Joins a real function R to a complex rule C, and with Leaves, a domain test.
template <double (*R)(double), class C>
struct Rule {
  static double re(double x) { return R(x); }
  static void cx(double a, double b, double& yr, double& yi) { C::cx(a, b, yr, yi); }
};
template <double (*R)(double), class C, bool (*Leaves)(double)>
struct DomainRule {
  static double re(double x) { return R(x); }
  static bool leaves(double x) { return Leaves(x); }
  static void cx(double a, double b, double& yr, double& yi) { C::cx(a, b, yr, yi); }
};

// Real functions: the platform's where the table names a plain one, the runtime's own
// (kernels.cpp) for the reciprocal and inverse hyperbolic ones.
double re_cos(double x) { return std::cos(x); }
double re_sin(double x) { return std::sin(x); }
double re_tan(double x) { return std::tan(x); }
double re_acos(double x) { return std::acos(x); }
double re_asin(double x) { return std::asin(x); }
double re_atan(double x) { return std::atan(x); }
double re_cosh(double x) { return std::cosh(x); }
double re_sinh(double x) { return std::sinh(x); }
double re_tanh(double x) { return std::tanh(x); }
double re_log(double x) { return std::log(x); }  // NaN below 0: reallog relies on it
double re_sqrt(double x) { return std::sqrt(x); }
double re_log10(double x) { return std::log(x) / ln10; }
double re_log2(double x) { return std::log(x) / ln2; }
double re_pow2(double x) { return rpow(2.0, x); }  // pow2(-Inf) is 0, pow2(Inf) is Inf

// Domain tests: where a real argument has a complex result.
bool beyond_one(double x) { return std::fabs(x) > 1; }
bool inside_one(double x) { return std::fabs(x) < 1; }
bool below_zero(double x) { return x < 0; }
bool below_one(double x) { return x < 1; }
bool outside_unit(double x) { return x < 0 || x > 1; }

// log10 and log2 of a complex element: the log kernel with both parts divided.
template <const double& D>
struct LogOver {
  static void cx(double a, double b, double& yr, double& yi) {
    double lr, li;
    log(&a, &b, &lr, &li);
    yr = lr / D;
    yi = li / D;
  }
};
struct Pow2 {
  static void cx(double a, double b, double& yr, double& yi) {
    const double two = 2, zero = 0;
    pow(&two, &zero, &a, &b, &yr, &yi);
  }
};

// Complex results follow the kernels' formulas, not the C library's branch choices. A real
// argument enters as a + 0i: asin(2) is pi/2 - 1.3170i and acos(2) is 0 + 1.3170i, where
// casin and cacos of 2 + 0i give the conjugates; acosh(-2) is log(x + sqrt(x² - 1)) =
// -1.3170 + pi·i, where cacosh gives +1.3170 + pi·i.
using Cos = Rule<re_cos, Cx<cos>>;
using Sin = Rule<re_sin, Cx<sin>>;
using Tan = Rule<re_tan, Cx<tan>>;
using Sec = Rule<sec, InvOf<cos>>;
using Csc = Rule<csc, InvOf<sin>>;
using Cot = Rule<cot, InvOf<tan>>;
using Acos = DomainRule<re_acos, Cx<acos>, beyond_one>;
using Asin = DomainRule<re_asin, Cx<asin>, beyond_one>;
using Atan = Rule<re_atan, Cx<atan>>;
using Asec = DomainRule<asec, OfInv<acos>, inside_one>;
using Acsc = DomainRule<acsc, OfInv<asin>, inside_one>;
using Acot = Rule<acot, OfInv<atan>>;
using Cosh = Rule<re_cosh, Cx<cosh>>;
using Sinh = Rule<re_sinh, Cx<sinh>>;
using Tanh = Rule<re_tanh, Cx<tanh>>;
using Sech = Rule<sech, InvOf<cosh>>;
using Csch = Rule<csch, InvOf<sinh>>;
using Coth = Rule<coth, InvOf<tanh>>;
using Acosh = DomainRule<acosh, Cx<acosh>, below_one>;
using Asinh = Rule<asinh, Cx<asinh>>;
using Atanh = DomainRule<atanh, Cx<atanh>, beyond_one>;
using Asech = DomainRule<asech, OfInv<acosh>, outside_unit>;
using Acsch = Rule<acsch, OfInv<asinh>>;
using Acoth = DomainRule<acoth, OfInv<atanh>, inside_one>;
using Exp = Rule<rexp, Cx<exp>>;
using Log = DomainRule<re_log, Cx<log>, below_zero>;
using Log10 = DomainRule<re_log10, LogOver<ln10>, below_zero>;
using Log2 = DomainRule<re_log2, LogOver<ln2>, below_zero>;
using Sqrt = DomainRule<re_sqrt, Cx<sqrt>, below_zero>;
using Pow2Rule = Rule<re_pow2, Pow2>;
// reallog and realsqrt never leave the reals: a negative argument gives the platform's NaN.
using RealLog = Rule<re_log, Cx<log>>;
using RealSqrt = Rule<re_sqrt, Cx<sqrt>>;

// ============================================================================================
// Loops over the whole matrix, one instantiation per rule. The input is m x n (k the triangle
// offset); the result is a fresh matrix of the same element count. A real loop returns false
// when an element has left the real numbers and the result must be complex instead.
// ============================================================================================

struct Args {
  const double *xr, *xi;
  double *yr, *yi;
  int m, n, k;
};
using RealLoop = bool (*)(const Args&);
using Loop = void (*)(const Args&);
using Scan = bool (*)(const double*, int);

template <class F>
bool real_map(const Args& a) {
  kern::map_real<F>(a.yr, a.xr, a.m * a.n);
  return true;
}
template <class F>
bool real_map_inside(const Args& a) {
  return kern::map_real_inside<F>(a.yr, a.xr, a.m * a.n);
}
template <class F, bool XC>
void complex_map(const Args& a) {
  kern::map_complex<F, XC>(a.yr, a.yi, a.xr, a.xi, a.m * a.n);
}

// Column j of tril keeps rows i >= j - k, of triu rows i <= j - k; the bound is clamped to
// 0..m in 64 bits, so an offset near the int limits cannot overflow.
inline int clamp_rows(long long bound, int m) {
  return bound < 0 ? 0 : bound > m ? m : static_cast<int>(bound);
}
template <bool Lower, bool XC>
void triangle(const Args& a) {
  const int m = a.m;
  for (int j = 0; j < a.n; j++) {
    const long long offset = static_cast<long long>(j) * m;
    if (Lower) {
      const int from = clamp_rows(static_cast<long long>(j) - a.k, m);
      kern::keep_below(a.yr + offset, a.xr + offset, m, from);
      if (XC) kern::keep_below(a.yi + offset, a.xi + offset, m, from);
    } else {
      const int upto = clamp_rows(static_cast<long long>(j) - a.k + 1, m);
      kern::keep_above(a.yr + offset, a.xr + offset, m, upto);
      if (XC) kern::keep_above(a.yi + offset, a.xi + offset, m, upto);
    }
  }
}

// The accumulation restarts in every column.
template <bool Product, bool XC>
void running(const Args& a) {
  const int m = a.m;
  if (m == 0) return;
  for (int j = 0; j < a.n; j++) {
    const long long offset = static_cast<long long>(j) * m;
    if (!XC)
      Product ? kern::running_prod(a.yr + offset, a.xr + offset, m)
              : kern::running_sum(a.yr + offset, a.xr + offset, m);
    else
      Product ? kern::running_prod(a.yr + offset, a.yi + offset, a.xr + offset, a.xi + offset, m)
              : kern::running_sum(a.yr + offset, a.yi + offset, a.xr + offset, a.xi + offset, m);
  }
}

// rexp differs from the platform's exp only while the runtime's inf_value is not +Inf (it holds
// 0 before start-up). Once it is, the loop calls the library alone, without rexp's call and
// infinity test per element.
struct LibraryExp {
  static double re(double x) { return std::exp(x); }
};
bool exp_real(const Args& a) {
  if (rules::is_inf(inf_value) && inf_value > 0)
    kern::map_real<LibraryExp>(a.yr, a.xr, a.m * a.n);
  else
    kern::map_real<Exp>(a.yr, a.xr, a.m * a.n);
  return true;
}

template <Loop L>
bool always_real(const Args& a) {
  L(a);
  return true;
}

// ============================================================================================
// The table. ORDER OP: one row per unary code, in OpCode order from op_not to the last code
// before the column codes. A row names the loop for a real input (which also applies the domain
// test), the domain test as a scan (null: a real input always stays real), the loop for a real
// input whose result has gone complex (null: no such path) and the loop for a complex input.
// ============================================================================================

struct Row {
  OpCode code;
  RealLoop real;
  Scan leaves;
  Loop promoted;
  Loop complex;
};

template <class F>
constexpr Row stays_real(OpCode code) {
  return {code, real_map<F>, nullptr, nullptr, complex_map<F, true>};
}
template <class F>
constexpr Row may_leave(OpCode code) {
  return {code, real_map_inside<F>, kern::any_leaves<F>, complex_map<F, false>,
          complex_map<F, true>};
}
template <Loop Real, Loop Complex>
constexpr Row positional(OpCode code) {
  return {code, always_real<Real>, nullptr, nullptr, Complex};
}

constexpr OpCode first_unary = op_not;
constexpr int last_unary = op_prod - 1;  // the column codes follow the unary ones

// clang-format off
constexpr Row rows[] = {
    stays_real<Not>(op_not),
    stays_real<Neg>(op_neg),
    stays_real<Abs>(op_abs),
    stays_real<Ceil>(op_ceil),
    stays_real<Conj>(op_conj),
    stays_real<Cos>(op_cos),
    stays_real<Sin>(op_sin),
    stays_real<Tan>(op_tan),
    stays_real<Sec>(op_sec),
    stays_real<Csc>(op_csc),
    stays_real<Cot>(op_cot),
    may_leave<Acos>(op_acos),
    may_leave<Asin>(op_asin),
    stays_real<Atan>(op_atan),
    may_leave<Asec>(op_asec),
    may_leave<Acsc>(op_acsc),
    stays_real<Acot>(op_acot),
    stays_real<Cosh>(op_cosh),
    stays_real<Sinh>(op_sinh),
    stays_real<Tanh>(op_tanh),
    stays_real<Sech>(op_sech),
    stays_real<Csch>(op_csch),
    stays_real<Coth>(op_coth),
    may_leave<Acosh>(op_acosh),
    stays_real<Asinh>(op_asinh),
    may_leave<Atanh>(op_atanh),
    may_leave<Asech>(op_asech),
    stays_real<Acsch>(op_acsch),
    may_leave<Acoth>(op_acoth),
    {op_exp, exp_real, nullptr, nullptr, complex_map<Exp, true>},
    stays_real<Fix>(op_fix),
    stays_real<Floor>(op_floor),
    stays_real<Imag>(op_imag),
    may_leave<Log>(op_log),
    may_leave<Log10>(op_log10),
    stays_real<Real>(op_real),
    stays_real<Round>(op_round),
    stays_real<Sign>(op_sign),
    may_leave<Sqrt>(op_sqrt),
    positional<triangle<true, false>, triangle<true, true>>(op_tril),
    positional<triangle<false, false>, triangle<false, true>>(op_triu),
    stays_real<IsInf>(op_isinf),
    stays_real<IsNaN>(op_isnan),
    stays_real<Finite>(op_finite),
    may_leave<Log2>(op_log2),
    stays_real<Pow2Rule>(op_pow2),
    stays_real<Angle>(op_angle),
    stays_real<Angle>(op_arg),
    stays_real<RealLog>(op_reallog),
    stays_real<RealSqrt>(op_realsqrt),
    positional<running<true, false>, running<true, true>>(op_cumprod),
    positional<running<false, false>, running<false, true>>(op_cumsum),
};
// clang-format on

constexpr int row_count = sizeof rows / sizeof rows[0];
static_assert(row_count == last_unary - first_unary + 1, "one row per unary code");

constexpr bool rows_in_code_order() {
  for (int k = 0; k < row_count; k++)
    if (rows[k].code != first_unary + k) return false;
  return true;
}
static_assert(rows_in_code_order(), "row k holds code op_not + k");

const Row* row_for(OpCode op) {
  if (op < first_unary || op > last_unary) return nullptr;
  return &rows[op - first_unary];
}

}  // namespace

// ============================================================================================
// The engine
// ============================================================================================

int unary_isc(const M<double>& x, OpCode op) {
  if (x.isc()) return 1;
  const Row* row = row_for(op);
  if (row == nullptr) error("unary_isc: unknown op");
  return row->leaves != nullptr && row->leaves(x.addr(), x.size()) ? 1 : 0;
}

// The loop is chosen once and runs over every element in storage order, into a result of the
// input's shape and display kind (an empty input gives a 0 x 0 result). For a real input the
// decision of unary_isc is made during the real pass itself, which stops at the first block
// holding an element that leaves the reals; every element is then computed again through the
// complex rule with an imaginary part of 0, so acos([0.5 2]) takes its first element, too,
// from the complex kernel.
M<double> unary_op(const M<double>& x, OpCode op, int k) {
  const int m = x.rows(), n = x.cols();
  const Row* row = row_for(op);
  if (!x.isc()) {
    if (row == nullptr) error("unary_isc: unknown op");  // the decision refuses it first
    M<double> y(0, m, n);
    y.setdm(x.getdm());
    if (row->real(Args{x.addr(), nullptr, y.addr(), nullptr, m, n, k})) return y;
  }
  const Loop loop = row == nullptr ? nullptr : x.isc() ? row->complex : row->promoted;
  if (loop == nullptr) error("unary_op: unknown op");
  M<double> y(1, m, n);
  y.setdm(x.getdm());
  loop(Args{x.addr(), x.addi(), y.addr(), y.addi(), m, n, k});
  // real drops the imaginary part it has just zeroed; every other code keeps what it got.
  if (op == op_real) y.getreal();
  return y;
}

M<double> unary_op(const M<double>& x, OpCode op) { return unary_op(x, op, 0); }

// ============================================================================================
// Entry points
// ============================================================================================

M<double> operator!(const M<double>& x) { return unary_op(x, op_not); }
M<double> operator+(const M<double>& x) { return x; }
M<double> abs(const M<double>& x) { return unary_op(x, op_abs); }
M<double> angle(const M<double>& x) { return unary_op(x, op_angle); }
M<double> arg(const M<double>& x) { return unary_op(x, op_arg); }
M<double> ceil(const M<double>& x) { return unary_op(x, op_ceil); }
M<double> conj(const M<double>& x) { return unary_op(x, op_conj); }
M<double> exp(const M<double>& x) { return unary_op(x, op_exp); }
M<double> finite(const M<double>& x) { return unary_op(x, op_finite); }
M<double> fix(const M<double>& x) { return unary_op(x, op_fix); }
M<double> floor(const M<double>& x) { return unary_op(x, op_floor); }
M<double> imag(const M<double>& x) { return unary_op(x, op_imag); }
M<double> isinf(const M<double>& x) { return unary_op(x, op_isinf); }
M<double> isnan(const M<double>& x) { return unary_op(x, op_isnan); }
M<double> log(const M<double>& x) { return unary_op(x, op_log); }
M<double> log10(const M<double>& x) { return unary_op(x, op_log10); }
M<double> real(const M<double>& x) { return unary_op(x, op_real); }
M<double> reallog(const M<double>& x) { return unary_op(x, op_reallog); }
M<double> realsqrt(const M<double>& x) { return unary_op(x, op_realsqrt); }
M<double> round(const M<double>& x) { return unary_op(x, op_round); }
M<double> sign(const M<double>& x) { return unary_op(x, op_sign); }
M<double> sqrtM(const M<double>& x) { return unary_op(x, op_sqrt); }
M<double> log2(const M<double>& x) { return unary_op(x, op_log2); }
M<double> pow2(const M<double>& x) { return unary_op(x, op_pow2); }
M<double> cos(const M<double>& x) { return unary_op(x, op_cos); }
M<double> sin(const M<double>& x) { return unary_op(x, op_sin); }
M<double> tan(const M<double>& x) { return unary_op(x, op_tan); }
M<double> sec(const M<double>& x) { return unary_op(x, op_sec); }
M<double> csc(const M<double>& x) { return unary_op(x, op_csc); }
M<double> cot(const M<double>& x) { return unary_op(x, op_cot); }
M<double> acos(const M<double>& x) { return unary_op(x, op_acos); }
M<double> asin(const M<double>& x) { return unary_op(x, op_asin); }
M<double> atan(const M<double>& x) { return unary_op(x, op_atan); }
M<double> asec(const M<double>& x) { return unary_op(x, op_asec); }
M<double> acsc(const M<double>& x) { return unary_op(x, op_acsc); }
M<double> acot(const M<double>& x) { return unary_op(x, op_acot); }
M<double> cosh(const M<double>& x) { return unary_op(x, op_cosh); }
M<double> sinh(const M<double>& x) { return unary_op(x, op_sinh); }
M<double> tanh(const M<double>& x) { return unary_op(x, op_tanh); }
M<double> sech(const M<double>& x) { return unary_op(x, op_sech); }
M<double> csch(const M<double>& x) { return unary_op(x, op_csch); }
M<double> coth(const M<double>& x) { return unary_op(x, op_coth); }
M<double> acosh(const M<double>& x) { return unary_op(x, op_acosh); }
M<double> asinh(const M<double>& x) { return unary_op(x, op_asinh); }
M<double> atanh(const M<double>& x) { return unary_op(x, op_atanh); }
M<double> asech(const M<double>& x) { return unary_op(x, op_asech); }
M<double> acsch(const M<double>& x) { return unary_op(x, op_acsch); }
M<double> acoth(const M<double>& x) { return unary_op(x, op_acoth); }

}  // namespace korvex
