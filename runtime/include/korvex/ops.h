// ops.h: the column reductions and the binary operation engine.
#ifndef KORVEX_OPS_H
#define KORVEX_OPS_H

#include "korvex/matrix.h"
#include "korvex/opcodes.h"

namespace korvex {

// ============================================================================================
// Column reductions (ops/column_ops.cpp)
// ============================================================================================

M<double> col_op(const M<double>& x, OpCode op);
M<double> all(const M<double>& x);
M<double> any(const M<double>& x);
M<double> max(const M<double>& x);
M<double> min(const M<double>& x);
M<double> prod(const M<double>& x);
M<double> sum(const M<double>& x);
M<double> sumabs(const M<double>& x);

// ============================================================================================
// Binary operation engine (ops/binary_ops.cpp)
// ============================================================================================

const char* binary_op_name(int code);
M<double> binary_op(const M<double>& a, const M<double>& b, OpCode op);
M<double> operator<(const M<double>& a, const M<double>& b);
M<double> operator>(const M<double>& a, const M<double>& b);
M<double> operator<=(const M<double>& a, const M<double>& b);
M<double> operator>=(const M<double>& a, const M<double>& b);
M<double> operator==(const M<double>& a, const M<double>& b);
M<double> operator!=(const M<double>& a, const M<double>& b);
M<double> operator&&(const M<double>& a, const M<double>& b);
M<double> operator||(const M<double>& a, const M<double>& b);
M<double> operator+(const M<double>& a, const M<double>& b);
M<double> operator-(const M<double>& a, const M<double>& b);
M<double> dot_add(const M<double>& a, const M<double>& b);
M<double> dot_sub(const M<double>& a, const M<double>& b);
M<double> dot_mul(const M<double>& a, const M<double>& b);
M<double> dot_div(const M<double>& a, const M<double>& b);
M<double> dot_invdiv(const M<double>& a, const M<double>& b);
M<double> dot_pow(const M<double>& a, const M<double>& b);
M<double> atan2(const M<double>& a, const M<double>& b);
M<double> rem(const M<double>& a, const M<double>& b);
M<double> min(const M<double>& a, const M<double>& b);
M<double> min0(const M<double>& a, const M<double>& b);
M<double> max(const M<double>& a, const M<double>& b);
M<double> pow2(const M<double>& a, const M<double>& b);
M<double> realpow(const M<double>& a, const M<double>& b);
M<double> xorM(const M<double>& a, const M<double>& b);

}  // namespace korvex

#endif  // KORVEX_OPS_H
