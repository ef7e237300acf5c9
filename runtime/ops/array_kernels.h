// array_kernels.h: internal inline element rules and raw-array loops of the operation engines.
// Loops take (dest, src..., n); the engines resolve shapes and scalar expansion before calling.
#ifndef KORVEX_ARRAY_KERNELS_H
#define KORVEX_ARRAY_KERNELS_H

#include "common/rules.h"

namespace korvex {
namespace kern {

// The shared rules, reachable here under their old kern:: names.
using rules::bits_of;
using rules::is_finite;
using rules::is_inf;
using rules::is_nan;
using rules::trunc_to_int;

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
// Array op array, array op scalar, scalar op array: c[k] = f(a[k], b[k]) for a rule f, and the
// complex loop beside them.
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

// The complex forms: F::cx<AC, BC> (AC: a is complex, BC: b is complex) on both parts. An
// operand step is 1 for a full operand and 0 for a scalar one, which thus meets every element
// of the other; a real operand contributes the constant 0 as its imaginary part.
template <class F, bool AC, bool BC>
inline void loop_cx(double* cr, double* ci, const double* ar, const double* ai, int sa,
                    const double* br, const double* bi, int sb, int n) {
  for (int k = 0, ka = 0, kb = 0; k < n; k++, ka += sa, kb += sb) {
    const double a_im = AC ? ai[ka] : 0.0;
    const double b_im = BC ? bi[kb] : 0.0;
    F::template cx<AC, BC>(ar[ka], a_im, br[kb], b_im, cr[k], ci[k]);
  }
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
inline double col_max(const double* x, int n) {
  double acc = x[0];
  for (int k = 0; k < n; k++) {
    if (is_nan(x[k])) return x[k];
    acc = acc > x[k] ? acc : x[k];
  }
  return acc;
}
inline double col_min(const double* x, int n) {
  double acc = x[0];
  for (int k = 0; k < n; k++) {
    if (is_nan(x[k])) return x[k];
    acc = acc < x[k] ? acc : x[k];
  }
  return acc;
}

}  // namespace kern
}  // namespace korvex

#endif  // KORVEX_ARRAY_KERNELS_H
