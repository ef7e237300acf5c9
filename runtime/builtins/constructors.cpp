// constructors.cpp: the fill engine eye01_op and the builtins built on it (zeros, ones, eye,
// randM, randn) with the random builtins' keyword commands; zeros_shape and eye_shape.
#include "common/rules.h"
#include "korvex.h"

namespace korvex {

namespace {

// A size argument rounds half up: x + 0.5 truncated toward zero, so 2.5 gives 3 and -0.7 gives 0.
int size_arg(double x) { return rules::trunc_to_int(rules::trunc_half_up(x)); }

bool is_keyword(const M<double>& a, const char* word) { return issame(a, M<double>(word)) != 0; }

void fill_identity(M<double>& c) {
  int m = c.rows(), n = c.cols();
  zero_data(c.addr(), m * n);
  for (int k = 1; k <= m && k <= n; k++) *c.addr(k, k) = 1;
}

}  // namespace

M<double> eye01_op(M<double>& a, M<double>& b, OpCode op) {
  int m, n;
  if (a.rows() == 1 && a.cols() == 1) {
    m = size_arg(a.addr()[0]);
    n = size_arg(*b.r());  // reports an empty b
  } else if (a.rows() == 1 && a.cols() == 2) {
    m = size_arg(a.addr()[0]);
    n = size_arg(a.addr()[1]);
  } else {
    m = a.rows();  // any other matrix gives its own shape, whatever its values
    n = a.cols();
  }
  if (m < 1 || n < 1) m = n = 0;
  if (op < op_zeros || op > op_randn) error("eye01_op: unknown op");

  M<double> c(op == op_czeros, m, n);
  double* re = c.addr();
  int count = m * n;
  switch (op) {
    case op_zeros:
      zero_data(re, count);
      break;
    case op_czeros:
      zero_data(re, count);
      zero_data(c.addi(), count);
      break;
    case op_ones:
      fill_data(re, count, 1.0);
      break;
    case op_eye:
      fill_identity(c);
      break;
    case op_rand:  // one draw per element, in column-major order
      for (int k = 0; k < count; k++) re[k] = rand_uniform();
      break;
    default:  // op_randn
      for (int k = 0; k < count; k++) re[k] = rand_normal();
      break;
  }
  return c;
}

M<double> zeros(M<double> a) { return eye01_op(a, a, op_zeros); }
M<double> zeros(M<double> a, M<double> b) { return eye01_op(a, b, op_zeros); }
M<double> ones(M<double> a) { return eye01_op(a, a, op_ones); }
M<double> ones(M<double> a, M<double> b) { return eye01_op(a, b, op_ones); }
M<double> eye(M<double> a) { return eye01_op(a, a, op_eye); }
M<double> eye(M<double> a, M<double> b) { return eye01_op(a, b, op_eye); }

// ============================================================================================
// Random builtins. A keyword is any matrix equal in shape and values to the keyword's text.
// ============================================================================================

static OpCode rand_fill() { return rand_normal_mode ? op_randn : op_rand; }

M<double> randM(M<double> a) {
  if (is_keyword(a, "normal")) {
    rand_normal_mode = 1;
    return x_M;
  }
  if (is_keyword(a, "uniform")) {
    rand_normal_mode = 0;
    return x_M;
  }
  if (is_keyword(a, "dist")) return M<double>(rand_normal_mode ? "norm" : "uniform");
  if (is_keyword(a, "seed")) return M<double>(rand_state);
  return eye01_op(a, a, rand_fill());
}

M<double> randM(M<double> a, M<double> b) {
  if (is_keyword(a, "seed")) {
    rand_state = 65536 * *b.r();
    return x_M;
  }
  return eye01_op(a, b, rand_fill());
}

double randM() { return rand_normal_mode ? rand_normal() : rand_uniform(); }

M<double> randn(M<double> a) {
  if (is_keyword(a, "seed")) return M<double>(randn_state);
  return eye01_op(a, a, op_randn);
}

M<double> randn(M<double> a, M<double> b) {
  if (is_keyword(a, "seed")) {
    randn_state = *b.r();
    return x_M;
  }
  return eye01_op(a, b, op_randn);
}

double randn() { return rand_normal(); }

// ============================================================================================
// Creators from a shape
// ============================================================================================

M<double> zeros_shape(int c, int m, int n) {
  M<double> z(c, m, n);
  zero_data(z.addr(), z.size());
  if (z.isc()) zero_data(z.addi(), z.size());
  return z;
}

M<double> eye_shape(int c, int m, int n) {
  M<double> z(c, m, n);
  fill_identity(z);
  if (z.isc()) zero_data(z.addi(), z.size());
  return z;
}

}  // namespace korvex
