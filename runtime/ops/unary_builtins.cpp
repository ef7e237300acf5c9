// unary_builtins.cpp: the builtins that add a little logic around the unary engine: cumsum and
// cumprod (a row runs along its length), tril and triu (the diagonal offset) and the
// two-output log2.
#include <cmath>

#include "common/rules.h"
#include "korvex.h"

namespace korvex {

namespace {

// A matrix of one row is accumulated along the row: the engine runs down the columns of a copy
// whose row and column counts are swapped (no element moves), and the result is swapped back.
M<double> accumulate(const M<double>& x, OpCode op) {
  if (x.rows() != 1) return unary_op(x, op);
  M<double> column(x);
  column.rowcol();
  M<double> y = unary_op(column, op);
  y.rowcol();
  return y;
}

// The offset is K's first real element truncated toward zero: 1.9 gives 1 and -0.5 gives 0.
// An empty K is refused by r(); NaN gives 0 and offsets beyond int saturate.
int offset_of(const M<double>& K) { return rules::trunc_to_int(*K.r()); }

}  // namespace

M<double> cumsum(const M<double>& x) { return accumulate(x, op_cumsum); }
M<double> cumprod(const M<double>& x) { return accumulate(x, op_cumprod); }

M<double> tril(const M<double>& x) { return unary_op(x, op_tril, 0); }
M<double> tril(const M<double>& x, const M<double>& K) {
  return unary_op(x, op_tril, offset_of(K));
}
M<double> triu(const M<double>& x) { return unary_op(x, op_triu, 0); }
M<double> triu(const M<double>& x, const M<double>& K) {
  return unary_op(x, op_triu, offset_of(K));
}

// Both outputs are built before either is assigned, so [x, e] = log2(x) reads x unchanged.
// Only real parts are read.
M<double> log2(const M<double>& x, i_o_t, Mr<double> F, Mr<double> E) {
  const int n = x.size();
  M<double> f(0, x.rows(), x.cols()), e(0, x.rows(), x.cols());
  const double* v = x.addr();
  double* pf = f.addr();
  double* pe = e.addr();
  for (int k = 0; k < n; k++) {
    if (rules::is_finite(v[k])) {
      int exponent;
      pf[k] = std::frexp(v[k], &exponent);  // 0 gives 0 and 0
      pe[k] = exponent;
    } else {
      pf[k] = v[k];
      pe[k] = 0;
    }
  }
  F = f;
  E = e;
  return x_M;
}

}  // namespace korvex
