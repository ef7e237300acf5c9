// array_kernels.h: internal inline element rules and raw-array loops of the operation engines.
// Loops take (dest, src..., n); the engines resolve shapes and scalar expansion before calling.
#ifndef KORVEX_ARRAY_KERNELS_H
#define KORVEX_ARRAY_KERNELS_H

#include <cstdint>
#include <cstring>

namespace korvex {
namespace kern {

// ============================================================================================
// IEEE 754 field tests: exponent 2047 marks NaN (fraction non-zero) and infinity (fraction 0).
// ============================================================================================

inline std::uint64_t bits_of(double x) {
  std::uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}
constexpr std::uint64_t exp_mask = 0x7FF0000000000000ull;
constexpr std::uint64_t abs_mask = 0x7FFFFFFFFFFFFFFFull;

inline bool is_nan(double x) { return (bits_of(x) & abs_mask) > exp_mask; }
inline bool is_inf(double x) { return (bits_of(x) & abs_mask) == exp_mask; }
inline bool is_finite(double x) { return (bits_of(x) & exp_mask) != exp_mask; }

// Truncation toward zero that saturates instead of leaving out-of-range values undefined:
// NaN gives 0, values beyond the int range give INT_MIN or INT_MAX.
inline int trunc_to_int(double x) {
  if (!(x == x)) return 0;
  if (x >= 2147483647.0) return 2147483647;
  if (x <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(x);
}

// ============================================================================================
// Element rules used by more than one engine. An element is true when it is non-zero; NaN is
// non-zero under IEEE !=, so it counts as true.
// ============================================================================================

inline double truth(bool t) { return t ? 1.0 : 0.0; }

// The scalar max and min (kernels.cpp exports them): a NaN a, or for min either NaN, gives the
// runtime's NaN; otherwise a tie or a NaN b picks b.
inline double max_rule(double a, double b, double nan) {
  if (is_nan(a)) return nan;
  return a > b ? a : b;
}
inline double min_rule(double a, double b, double nan) {
  if (is_nan(a) || is_nan(b)) return nan;
  return a < b ? a : b;
}
inline bool is_true(double re) { return re != 0; }
inline bool is_true(double re, double im) { return re != 0 || im != 0; }

// ============================================================================================
// Array op array, array op scalar, scalar op array: c[k] = f(a[k], b[k]) for a rule f.
// The result never aliases an operand (the engines write into a fresh matrix), so the
// restrict qualifiers hold and the loops vectorise where f allows.
// ============================================================================================

template <class F>
inline void loop_vv(double* __restrict c, const double* __restrict a, const double* __restrict b,
                    int n) {
  for (int k = 0; k < n; k++) c[k] = F::rr(a[k], b[k]);
}
template <class F>
inline void loop_sv(double* __restrict c, double a, const double* __restrict b, int n) {
  for (int k = 0; k < n; k++) c[k] = F::rr(a, b[k]);
}
template <class F>
inline void loop_vs(double* __restrict c, const double* __restrict a, double b, int n) {
  for (int k = 0; k < n; k++) c[k] = F::rr(a[k], b);
}

// ============================================================================================
// Reductions over one column of n elements.
// ============================================================================================

inline double col_sum(const double* x, int n) {
  double acc = 0;
  for (int k = 0; k < n; k++) acc += x[k];
  return acc;
}

// max and min stop at the first NaN and return it unchanged; otherwise a later equal element
// replaces the accumulator (so max over +0 then -0 gives -0, as the scalar rule does).
// Only NaN is unequal to itself: the self-comparison answers as the field test does, without
// moving every element to an integer register.
inline double col_max(const double* x, int n) {
  double acc = x[0];
  for (int k = 0; k < n; k++) {
    if (x[k] != x[k]) return x[k];
    acc = acc > x[k] ? acc : x[k];
  }
  return acc;
}
inline double col_min(const double* x, int n) {
  double acc = x[0];
  for (int k = 0; k < n; k++) {
    if (x[k] != x[k]) return x[k];
    acc = acc < x[k] ? acc : x[k];
  }
  return acc;
}

}  // namespace kern
}  // namespace korvex

#endif  // KORVEX_ARRAY_KERNELS_H
