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

// The entry points below meet two real 1x1 operands most of the time in scalar code: they then
// apply the engine's rule to the one element themselves (a real 1x1 result without a name, as
// the engine's) and skip its dispatch. Any other operands go to binary_op.
inline bool real_scalars(const M<double>& a, const M<double>& b) {
  return a.rows() == 1 && a.cols() == 1 && b.rows() == 1 && b.cols() == 1 && !a.isc() && !b.isc();
}
namespace scalar_rule {
inline double v(const M<double>& a) { return *a.addr(); }
inline double truth(bool t) { return t ? 1.0 : 0.0; }  // NaN compares false: only != holds
}  // namespace scalar_rule

inline M<double> operator<(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(truth(v(a) < v(b))) : binary_op(a, b, op_lt);
}
inline M<double> operator>(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(truth(v(b) < v(a))) : binary_op(b, a, op_lt);
}
inline M<double> operator<=(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(truth(v(a) <= v(b))) : binary_op(a, b, op_le);
}
inline M<double> operator>=(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(truth(v(b) <= v(a))) : binary_op(b, a, op_le);
}
inline M<double> operator==(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(truth(v(a) == v(b))) : binary_op(a, b, op_eq);
}
inline M<double> operator!=(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(truth(!(v(a) == v(b)))) : binary_op(a, b, op_ne);
}
M<double> operator&&(const M<double>& a, const M<double>& b);
M<double> operator||(const M<double>& a, const M<double>& b);
inline M<double> operator+(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(v(a) + v(b)) : binary_op(a, b, op_add);
}
inline M<double> operator-(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(v(a) - v(b)) : binary_op(a, b, op_sub);
}
inline M<double> dot_add(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(v(a) + v(b)) : binary_op(a, b, op_add);
}
inline M<double> dot_sub(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(v(a) - v(b)) : binary_op(a, b, op_sub);
}
inline M<double> dot_mul(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(v(a) * v(b)) : binary_op(a, b, op_mul);
}
inline M<double> dot_div(const M<double>& a, const M<double>& b) {
  using namespace scalar_rule;
  return real_scalars(a, b) ? M<double>(v(a) / v(b)) : binary_op(a, b, op_div);
}
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
