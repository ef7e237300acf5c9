// unary.h: the unary operation engine and the element-wise functions of one double matrix.
#ifndef KORVEX_UNARY_H
#define KORVEX_UNARY_H

#include "korvex/matrix.h"
#include "korvex/opcodes.h"

namespace korvex {

// ============================================================================================
// The engine (ops/unary_ops.cpp). A real input whose result leaves the real domain (sqrt of a
// negative number, acos beyond ±1, ...) makes the whole result complex; there are no domain
// errors. k is the diagonal offset of tril and triu and is ignored by every other code.
// ============================================================================================

int unary_isc(const M<double>& x, OpCode op);  // 1 when op on x gives a complex result
M<double> unary_op(const M<double>& x, OpCode op, int k);
M<double> unary_op(const M<double>& x, OpCode op);

// ============================================================================================
// Entry points, one per code (ops/unary_ops.cpp). The square root is sqrtM: the name sqrt
// belongs to the complex kernel.
// ============================================================================================

M<double> operator!(const M<double>& x);
// A real 1x1 operand, the common case in scalar code, is negated here without the engine: the
// same result (the sign bit flipped, 0 gives -0, the operand's display kind kept).
inline M<double> negated_scalar(const M<double>& x) {
  M<double> y(-*x.addr());
  y.setdm(x.getdm());
  return y;
}
inline M<double> operator-(const M<double>& x) {
  return x.rows() == 1 && x.cols() == 1 && !x.isc() ? negated_scalar(x) : unary_op(x, op_neg);
}
M<double> operator+(const M<double>& x);  // a copy of x, without the engine
M<double> abs(const M<double>& x);
M<double> angle(const M<double>& x);
M<double> arg(const M<double>& x);
M<double> ceil(const M<double>& x);
M<double> conj(const M<double>& x);
M<double> exp(const M<double>& x);
M<double> finite(const M<double>& x);
M<double> fix(const M<double>& x);
M<double> floor(const M<double>& x);
M<double> imag(const M<double>& x);
M<double> isinf(const M<double>& x);
M<double> isnan(const M<double>& x);
M<double> log(const M<double>& x);
M<double> log10(const M<double>& x);
M<double> real(const M<double>& x);
M<double> reallog(const M<double>& x);
M<double> realsqrt(const M<double>& x);
M<double> round(const M<double>& x);
M<double> sign(const M<double>& x);
M<double> sqrtM(const M<double>& x);
M<double> log2(const M<double>& x);
M<double> pow2(const M<double>& x);
M<double> cos(const M<double>& x);
M<double> sin(const M<double>& x);
M<double> tan(const M<double>& x);
M<double> sec(const M<double>& x);
M<double> csc(const M<double>& x);
M<double> cot(const M<double>& x);
M<double> acos(const M<double>& x);
M<double> asin(const M<double>& x);
M<double> atan(const M<double>& x);
M<double> asec(const M<double>& x);
M<double> acsc(const M<double>& x);
M<double> acot(const M<double>& x);
M<double> cosh(const M<double>& x);
M<double> sinh(const M<double>& x);
M<double> tanh(const M<double>& x);
M<double> sech(const M<double>& x);
M<double> csch(const M<double>& x);
M<double> coth(const M<double>& x);
M<double> acosh(const M<double>& x);
M<double> asinh(const M<double>& x);
M<double> atanh(const M<double>& x);
M<double> asech(const M<double>& x);
M<double> acsch(const M<double>& x);
M<double> acoth(const M<double>& x);

// ============================================================================================
// Builtins with a shape rule around the engine (ops/unary_builtins.cpp)
// ============================================================================================

// Running sum and product down each column; a matrix of one row runs along the row.
M<double> cumsum(const M<double>& x);
M<double> cumprod(const M<double>& x);
// Lower and upper triangle: element (i, j) (from 0) kept when i + k >= j, resp. i + k <= j,
// else 0. k is the first element of K truncated toward zero.
M<double> tril(const M<double>& x);
M<double> tril(const M<double>& x, const M<double>& K);
M<double> triu(const M<double>& x);
M<double> triu(const M<double>& x, const M<double>& K);
// [F, E] = log2(x): x = F·2^E with |F| in [0.5, 1) for each finite non-zero real part (0 gives
// 0 and 0); a non-finite one gives F = x, E = 0. Returns x_M.
M<double> log2(const M<double>& x, i_o_t, Mr<double> F, Mr<double> E);

}  // namespace korvex

#endif  // KORVEX_UNARY_H
