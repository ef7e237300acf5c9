// opcodes.h: the operation codes shared by the binary, unary, column and fill engines.
#ifndef KORVEX_OPCODES_H
#define KORVEX_OPCODES_H

namespace korvex {

// ============================================================================================
// Operation codes shared by the binary, unary, column and fill engines.
// ORDER OP: binary_op_name's table, the unary engine's rule table and the engines' switches
// follow these values.
// ============================================================================================

enum OpCode {
  op_lt = 0,        // <
  op_gt = 1,        // > (named only; the engine gets < with exchanged operands)
  op_le = 2,        // <=
  op_ge = 3,        // >= (named only)
  op_eq = 4,        // ==
  op_ne = 5,        // !=
  op_or = 6,        // |
  op_and = 7,       // &
  op_add = 8,       // +
  op_sub = 9,       // -
  op_mul = 11,      // .*
  op_div = 12,      // ./
  op_pow = 13,      // .^
  op_atan2 = 15,    // atan2
  op_rem = 16,      // rem
  op_invdiv = 17,   // .\ (b ./ a)
  op_xor = 18,      // xor
  op_realpow = 19,  // realpow
  // Unary codes.
  op_not = 20,
  op_neg = 21,
  op_abs = 22,
  op_ceil = 23,
  op_conj = 24,
  op_cos = 25,
  op_sin = 26,
  op_tan = 27,
  op_sec = 28,
  op_csc = 29,
  op_cot = 30,
  op_acos = 31,
  op_asin = 32,
  op_atan = 33,
  op_asec = 34,
  op_acsc = 35,
  op_acot = 36,
  op_cosh = 37,
  op_sinh = 38,
  op_tanh = 39,
  op_sech = 40,
  op_csch = 41,
  op_coth = 42,
  op_acosh = 43,
  op_asinh = 44,
  op_atanh = 45,
  op_asech = 46,
  op_acsch = 47,
  op_acoth = 48,
  op_exp = 49,
  op_fix = 50,
  op_floor = 51,
  op_imag = 52,
  op_log = 53,
  op_log10 = 54,
  op_real = 55,
  op_round = 56,
  op_sign = 57,
  op_sqrt = 58,
  op_tril = 59,
  op_triu = 60,
  op_isinf = 61,
  op_isnan = 62,
  op_finite = 63,
  op_log2 = 64,
  op_pow2 = 65,  // unary 2.^x, and binary a·2^b
  op_angle = 66,
  op_arg = 67,
  op_reallog = 68,
  op_realsqrt = 69,
  op_cumprod = 70,
  op_cumsum = 71,
  // Column codes (77 and 78 also serve the binary engine).
  op_prod = 72,
  op_sum = 73,
  op_all = 74,
  op_any = 75,
  op_sumabs = 76,
  op_min = 77,
  op_max = 78,
  // Fill codes.
  op_zeros = 79,
  op_czeros = 80,
  op_ones = 81,
  op_eye = 82,
  op_rand = 83,
  op_randn = 84,
};

}  // namespace korvex

#endif  // KORVEX_OPCODES_H
