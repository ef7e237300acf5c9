// binary_ops.cpp: the binary operation engine binary_op, the operation names and the public
// element-wise operators and functions on double matrices that call it.
//
// GCC's default cost model at -O2 vectorises only loops of known trip count; the element
// loops here run over any n, so this unit asks for the cheap model.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("vect-cost-model=cheap")
#endif

#include <cmath>

#include "array_kernels.h"
#include "korvex.h"

namespace korvex {

// ============================================================================================
// Operation names. ORDER OP: the table is filled by OpCode value.
// ============================================================================================

namespace {

// Indexed by code; null for the codes without a binary name (10, 14, the unary and fill codes).
struct NameTable {
  const char* text[op_max + 1];
};

constexpr NameTable make_names() {
  NameTable t{};
  t.text[op_lt] = "<";
  t.text[op_gt] = ">";
  t.text[op_le] = "<=";
  t.text[op_ge] = ">=";
  t.text[op_eq] = "==";
  t.text[op_ne] = "!=";
  t.text[op_or] = "|";
  t.text[op_and] = "&";
  t.text[op_add] = "+";
  t.text[op_sub] = "-";
  t.text[op_mul] = ".*";
  t.text[op_div] = "./";
  t.text[op_pow] = ".^";
  t.text[op_atan2] = "atan2";
  t.text[op_rem] = "rem";
  t.text[op_invdiv] = ".\\";
  t.text[op_xor] = "xor";
  t.text[op_realpow] = "realpow";
  t.text[op_pow2] = "pow2";
  t.text[op_min] = "min";
  t.text[op_max] = "max";
  return t;
}

constexpr NameTable op_names = make_names();
constexpr int name_table_size = sizeof op_names.text / sizeof op_names.text[0];
static_assert(name_table_size == op_max + 1, "one name slot per code up to op_max");

}  // namespace

const char* binary_op_name(int code) {
  if (code < 0 || code >= name_table_size || op_names.text[code] == nullptr)
    error("binary_op_name: unknown op");
  return op_names.text[code];
}

// ============================================================================================
// Per-element rules, one struct per op. rr is the rule when both operands are real; cx<AC, BC>
// the rule when at least one is complex (AC: a is complex, BC: b is complex), with a real
// operand's imaginary part passed as 0. ORDER OP: the switch in binary_op follows OpCode.
// ============================================================================================

namespace {

using kern::is_nan;
using kern::is_true;
using kern::trunc_to_int;
using kern::truth;

// Rules with a real result and no complex arithmetic of their own. RealParts<F>: F reads the
// real parts only. RealResult<F>: F reads both parts of both operands; the real loops pass zero
// imaginary parts, which the compiler folds away.
template <double (*F)(double, double)>
struct RealParts {
  static double rr(double a, double b) { return F(a, b); }
  template <bool, bool>
  static void cx(double ar, double, double br, double, double& cr, double& ci) {
    cr = F(ar, br);
    ci = 0;
  }
};
template <double (*F)(double, double, double, double)>
struct RealResult {
  static double rr(double a, double b) { return F(a, 0.0, b, 0.0); }
  template <bool, bool>
  static void cx(double ar, double ai, double br, double bi, double& cr, double& ci) {
    cr = F(ar, ai, br, bi);
    ci = 0;
  }
};

// The logical rules: F combines the operands' truth values (non-zero real or imaginary part).
template <bool (*F)(bool, bool)>
struct Logical {
  static double rr(double a, double b) { return truth(F(is_true(a), is_true(b))); }
  template <bool, bool>
  static void cx(double ar, double ai, double br, double bi, double& cr, double& ci) {
    cr = truth(F(is_true(ar, ai), is_true(br, bi)));
    ci = 0;
  }
};

// The exponent is truncated toward zero; beyond the int range it saturates (ldexp then gives
// ±Inf or 0), and a NaN exponent gives NaN.
double scale_pow2(double a, double b) {
  return is_nan(b) ? nan_value : std::ldexp(a, trunc_to_int(b));
}

// A rule whose complex form is a kernel of kernels.cpp.
using ComplexKernel = void (*)(const double*, const double*, const double*, const double*, double*,
                               double*);
template <double (*R)(double, double), ComplexKernel K>
struct Kernel {
  static double rr(double a, double b) { return R(a, b); }
  template <bool, bool>
  static void cx(double ar, double ai, double br, double bi, double& cr, double& ci) {
    K(&ar, &ai, &br, &bi, &cr, &ci);
  }
};

// clang-format off
// Comparisons: NaN makes <, <=, == false and != true. The ordered ones read real parts only.
double less(double a, double b) { return truth(a < b); }
double less_eq(double a, double b) { return truth(a <= b); }
double equal(double a, double ai, double b, double bi) { return truth(a == b && ai == bi); }
double unequal(double a, double ai, double b, double bi) { return truth(!(a == b) || !(ai == bi)); }
// Logic: an element is true when its real or imaginary part is non-zero (NaN included).
bool either(bool p, bool q) { return p || q; }
bool both(bool p, bool q) { return p && q; }
bool one_of(bool p, bool q) { return p != q; }
double angle(double a, double b) { return std::atan2(a, b); }
double remainder_of(double a, double b) { return rem(a, b); }
// x .^ 0 is 1 for every x, NaN included; a NaN exponent is not 0 and goes to rpow.
double power(double a, double b) { return b == 0 ? 1.0 : rpow(a, b); }
double product(double a, double b) { return a * b; }
// The scalar rules take the second operand first: min(b, a) and max(b, a).
double lesser(double a, double b) { return kern::min_rule(b, a, nan_value); }
double greater(double a, double b) { return kern::max_rule(b, a, nan_value); }

using Lt     = RealParts<less>;
using Le     = RealParts<less_eq>;
using Eq     = RealResult<equal>;
using Ne     = RealResult<unequal>;
using Or     = Logical<either>;
using And    = Logical<both>;
using Xor    = Logical<one_of>;
using Atan2  = RealParts<angle>;
using Rem    = RealParts<remainder_of>;
using Pow2   = RealParts<scale_pow2>;
using Mul    = Kernel<product, cmul>;
using Pow    = Kernel<power, pow>;
using Min    = Kernel<lesser, min>;
using Max    = Kernel<greater, max>;
// clang-format on

// With one complex operand the imaginary part is copied (or negated), not computed as x ± 0,
// which would turn a -0 imaginary part into +0.
struct Add {
  static double rr(double a, double b) { return a + b; }
  template <bool AC, bool BC>
  static void cx(double ar, double ai, double br, double bi, double& cr, double& ci) {
    cr = ar + br;
    ci = (AC && BC) ? ai + bi : AC ? ai : bi;
  }
};
struct Sub {
  static double rr(double a, double b) { return a - b; }
  template <bool AC, bool BC>
  static void cx(double ar, double ai, double br, double bi, double& cr, double& ci) {
    cr = ar - br;
    ci = (AC && BC) ? ai - bi : AC ? ai : -bi;
  }
};

// A real divisor divides both parts directly; div would force a zero imaginary part to +0.
struct Div {
  static double rr(double a, double b) { return a / b; }
  template <bool AC, bool BC>
  static void cx(double ar, double ai, double br, double bi, double& cr, double& ci) {
    if (AC && !BC) {
      cr = ar / br;
      ci = ai / br;
    } else {
      div(&ar, &ai, &br, &bi, &cr, &ci);
    }
  }
};
struct InvDiv {
  static double rr(double a, double b) { return b / a; }
  template <bool AC, bool BC>
  static void cx(double ar, double ai, double br, double bi, double& cr, double& ci) {
    if (!AC && BC) {
      cr = br / ar;
      ci = bi / ar;
    } else {
      div(&br, &bi, &ar, &ai, &cr, &ci);
    }
  }
};

// ============================================================================================
// Loops. The shapes are resolved before these run: n result elements, and an operand step of 1
// for a full operand or 0 for a scalar one, which thus meets every element of the other.
// ============================================================================================

// cr and ci are kept apart: copied as one pair from the result just made, whose constructor
// stored them one by one, they would stall the processor on every call.
struct Operands {
  const double *ar, *ai, *br, *bi;
  int sa, sb;  // 0 or 1
  double* cr;
  int n;
  double* ci;
};

template <class F>
void real_loop(const Operands& p) {
  if (p.sa && p.sb)
    kern::loop_vv<F>(p.cr, p.ar, p.br, p.n);
  else if (p.sb)
    kern::loop_sv<F>(p.cr, p.ar[0], p.br, p.n);
  else
    kern::loop_vs<F>(p.cr, p.ar, p.br[0], p.n);
}

template <class F, bool AC, bool BC>
void complex_loop(const Operands& p) {
  kern::loop_cx<F, AC, BC>(p.cr, p.ci, p.ar, p.ai, p.sa, p.br, p.bi, p.sb, p.n);
}

template <class F>
void run(const Operands& p, bool ac, bool bc) {
  if (ac && bc)
    complex_loop<F, true, true>(p);
  else if (ac)
    complex_loop<F, true, false>(p);
  else if (bc)
    complex_loop<F, false, true>(p);
  else
    real_loop<F>(p);
}

using Runner = void (*)(const Operands&, bool, bool);

// ORDER OP: one runner per binary code, null where the code has no rule.
Runner runner_for(OpCode op) {
  // clang-format off
  switch (op) {
    case op_lt:      return run<Lt>;
    case op_le:      return run<Le>;
    case op_eq:      return run<Eq>;
    case op_ne:      return run<Ne>;
    case op_or:      return run<Or>;
    case op_and:     return run<And>;
    case op_add:     return run<Add>;
    case op_sub:     return run<Sub>;
    case op_mul:     return run<Mul>;
    case op_div:     return run<Div>;
    case op_pow:     return run<Pow>;
    case op_atan2:   return run<Atan2>;
    case op_rem:     return run<Rem>;
    case op_invdiv:  return run<InvDiv>;
    case op_xor:     return run<Xor>;
    case op_realpow: return run<Pow>;
    case op_pow2:    return run<Pow2>;
    case op_min:     return run<Min>;
    case op_max:     return run<Max>;
    default:         return nullptr;  // > and >= arrive as < and <= with exchanged operands
  }
  // clang-format on
}

// Comparisons ignore an imaginary part that is all zeros; the other ops go by the storage.
bool counts_complex(const M<double>& x, OpCode op) {
  if (!x.isc()) return false;
  if (op <= op_ge) return iscomplex(x) != 0;
  return true;
}

}  // namespace

// ============================================================================================
// The engine
// ============================================================================================

M<double> binary_op(const M<double>& a, const M<double>& b, OpCode op) {
  bool a_empty = a.size() == 0, b_empty = b.size() == 0;
  if (a_empty || b_empty) {
    if (op == op_eq) return M<double>(a_empty && b_empty ? 1.0 : 0.0);
    if (op == op_ne) return M<double>(a_empty != b_empty ? 1.0 : 0.0);
    return nop_M;
  }
  bool a_scalar = a.size() == 1, b_scalar = b.size() == 1;
  bool ac = counts_complex(a, op), bc = counts_complex(b, op);

  int rows, cols;
  if (b_scalar) {
    rows = a.rows();
    cols = a.cols();
  } else if (a_scalar || (a.rows() == b.rows() && a.cols() == b.cols())) {
    rows = b.rows();
    cols = b.cols();
  } else {
    error("%s: wrong dimensions of: %s, %s", binary_op_name(op), a.getname(), b.getname());
  }

  Runner runner = runner_for(op);
  if (runner == nullptr) error("binary_op: unknown op");

  M<double> c(ac || bc, rows, cols);
  Operands p{a.addr(),         a.addi(), b.addr(),    b.addi(), a_scalar ? 0 : 1,
             b_scalar ? 0 : 1, c.addr(), rows * cols, c.addi()};
  runner(p, ac, bc);
  return c;
}

// ============================================================================================
// Entry points (the element-wise operators and comparisons with their 1x1 paths are inline in
// ops.h)
// ============================================================================================

M<double> operator&&(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_and); }
M<double> operator||(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_or); }
M<double> dot_invdiv(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_invdiv); }
M<double> atan2(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_atan2); }
M<double> rem(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_rem); }
M<double> min(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_min); }
M<double> min0(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_min); }
M<double> max(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_max); }
M<double> pow2(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_pow2); }
M<double> xorM(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_xor); }

// Without the negative-base test: realpow(-8, 1/3) stays real (NaN from the platform's pow).
M<double> realpow(const M<double>& a, const M<double>& b) { return binary_op(a, b, op_realpow); }

// A negative real base makes the whole power complex, so (-8) .^ (1/3) is the principal cube
// root 1 + 1.732i rather than NaN. The test istrue(any(any(a < 0))) is a scan: < reads real
// parts only, NaN is not below 0, and an empty a gives the empty result either way.
M<double> dot_pow(const M<double>& a, const M<double>& b) {
  const double* re = a.addr();
  bool negative = false;
  for (int k = 0, count = a.size(); k < count && !negative; k++) negative = re[k] < 0;
  if (negative) {
    M<double> c(a);
    c.getcomplex();
    return binary_op(c, b, op_pow);
  }
  return binary_op(a, b, op_pow);
}

}  // namespace korvex
