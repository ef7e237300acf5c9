// column_ops.cpp: the column reduction engine col_op and its seven builtins (all, any, max,
// min, prod, sum, sumabs). A matrix with one row is reduced as one vector.
#include <cmath>

#include "array_kernels.h"
#include "korvex.h"

namespace korvex {

using kern::is_nan;

namespace {

// all and any keep their accumulator as 0 or 1; the integer part is taken as the language does.
inline double all_step(double acc, bool t) { return (t && (static_cast<int>(acc) & 1)) ? 1 : 0; }
inline double any_step(double acc, bool t) { return (t || static_cast<int>(acc) != 0) ? 1 : 0; }

// Real path: one result per column of n elements starting at x.
double reduce_real(const double* x, int n, OpCode op) {
  double acc;
  switch (op) {
    case op_prod:
      acc = 1;
      for (int k = 0; k < n; k++) acc *= x[k];
      return acc;
    case op_sum:
      return kern::col_sum(x, n);
    case op_all:
      acc = 1;
      for (int k = 0; k < n; k++) acc = x[k] == 0 ? 0 : all_step(acc, true);
      return acc;
    case op_any:
      acc = 0;
      for (int k = 0; k < n; k++) acc = any_step(acc, x[k] != 0);
      return acc;
    case op_sumabs:
      acc = 0;
      for (int k = 0; k < n; k++) acc += std::fabs(x[k]);
      return acc;
    case op_min:
      return kern::col_min(x, n);
    default:  // op_max; the caller has rejected every other code
      return kern::col_max(x, n);
  }
}

// Complex path: the column's elements are (xr[k], xi[k]); the result goes to *cr, *ci.
void reduce_complex(const double* xr, const double* xi, int n, OpCode op, double* cr, double* ci) {
  double ar = 0, ai = 0;
  switch (op) {
    case op_prod:
      ar = 1;
      for (int k = 0; k < n; k++) cmul(&ar, &ai, xr + k, xi + k, &ar, &ai);
      break;
    case op_sum:
      for (int k = 0; k < n; k++) {
        ar += xr[k];
        ai += xi[k];
      }
      break;
    case op_all:
      ar = 1;
      for (int k = 0; k < n; k++) ar = all_step(ar, kern::is_true(xr[k], xi[k]));
      break;
    case op_any:
      for (int k = 0; k < n; k++) ar = any_step(ar, kern::is_true(xr[k], xi[k]));
      break;
    case op_sumabs:  // the unscaled modulus, unlike abs()
      for (int k = 0; k < n; k++) ar += std::sqrt(xr[k] * xr[k] + xi[k] * xi[k]);
      break;
    default: {  // op_min, op_max: by squared modulus, ties keep the earlier element
      bool take_max = op == op_max;
      ar = xr[0];
      ai = xi[0];
      for (int k = 0; k < n; k++) {
        double vr = xr[k], vi = xi[k];
        if (is_nan(vr) || is_nan(vi)) {
          ar = vr;
          ai = vi;
          break;
        }
        double mv = vr * vr + vi * vi, ma = ar * ar + ai * ai;
        if (take_max ? mv > ma : mv < ma) {
          ar = vr;
          ai = vi;
        }
      }
    }
  }
  *cr = ar;
  *ci = ai;
}

}  // namespace

M<double> col_op(const M<double>& x, OpCode op) {
  int r = x.rows(), k = x.cols();
  if (r == 0 || k == 0) {
    if (op == op_all) return M<double>(1.0);
    if (op == op_any) return M<double>(0.0);
    return nop_M;
  }
  if (op < op_prod || op > op_max) error("col_op: unknown op");

  // max and min go complex only for a non-zero imaginary part; the others for any storage.
  bool cplx = (op == op_min || op == op_max) ? iscomplex(x) != 0 : x.isc() != 0;
  int n = r;
  if (r == 1) {
    n = k;
    k = 1;
  }
  M<double> c(cplx, 1, k);
  const double* xr = x.addr();
  double* cr = c.addr();
  if (cplx) {
    const double* xi = x.addi();
    double* ci = c.addi();
    for (int j = 0; j < k; j++) reduce_complex(xr + j * n, xi + j * n, n, op, cr + j, ci + j);
  } else {
    for (int j = 0; j < k; j++) cr[j] = reduce_real(xr + j * n, n, op);
  }
  return c;
}

M<double> all(const M<double>& x) { return col_op(x, op_all); }
M<double> any(const M<double>& x) { return col_op(x, op_any); }
M<double> max(const M<double>& x) { return col_op(x, op_max); }
M<double> min(const M<double>& x) { return col_op(x, op_min); }

M<double> prod(const M<double>& x) {
  if (x.size() == 0) return M<double>(1.0);
  return col_op(x, op_prod);
}

M<double> sum(const M<double>& x) {
  if (x.size() == 0) return M<double>(0.0);
  return col_op(x, op_sum);
}

M<double> sumabs(const M<double>& x) {
  if (x.size() == 0) return M<double>(0.0);
  return col_op(x, op_sumabs);
}

}  // namespace korvex
