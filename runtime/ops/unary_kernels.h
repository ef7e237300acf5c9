// unary_kernels.h: internal raw-array loops of the unary engine: element maps for a rule F,
// the domain tests, the triangle masks and the running sums and products down a column.
// Loops take (dest, src..., n); the engine resolves the shape and the rule before calling.
#ifndef KORVEX_UNARY_KERNELS_H
#define KORVEX_UNARY_KERNELS_H

#include "korvex/kernels.h"

namespace korvex {
namespace kern {

// ============================================================================================
// Element maps: y[k] = F(x[k]). The result never aliases the input (the engine writes into a
// fresh matrix), so the restrict qualifiers hold and the real map vectorises where F allows.
// ============================================================================================

template <class F>
inline void map_real(double* __restrict y, const double* __restrict x, int n) {
  for (int k = 0; k < n; k++) y[k] = F::re(x[k]);
}

// A complex input, or with XC false a real input whose imaginary parts are all 0.
template <class F, bool XC>
inline void map_complex(double* __restrict yr, double* __restrict yi, const double* __restrict xr,
                        const double* __restrict xi, int n) {
  for (int k = 0; k < n; k++) F::cx(xr[k], XC ? xi[k] : 0.0, yr[k], yi[k]);
}

// ============================================================================================
// Domain tests. A real input of a code whose result can leave the real numbers is read once:
// each block of 256 elements is mapped and tested in the same loop, and the map stops after the
// first block in which an element leaves (its real results are then thrown away). The test
// rides along with the library call for free; a separate scan would read the input twice.
// ============================================================================================

template <class F>
inline bool map_real_inside(double* __restrict y, const double* __restrict x, int n) {
  constexpr int block = 256;
  for (int k0 = 0; k0 < n; k0 += block) {
    const int end = n - k0 < block ? n : k0 + block;
    int left = 0;
    for (int k = k0; k < end; k++) {
      left |= F::leaves(x[k]) ? 1 : 0;
      y[k] = F::re(x[k]);
    }
    if (left) return false;
  }
  return true;
}

// Whether any x[k] leaves, stopping at the first that does.
template <class F>
inline bool any_leaves(const double* x, int n) {
  for (int k = 0; k < n; k++)
    if (F::leaves(x[k])) return true;
  return false;
}

// ============================================================================================
// Triangles of one column of m elements: rows [0, from) become +0, rows [from, m) are copied;
// or rows [0, upto) are copied and rows [upto, m) become +0. The caller clamps the bounds.
// ============================================================================================

inline void keep_below(double* __restrict y, const double* __restrict x, int m, int from) {
  for (int i = 0; i < from; i++) y[i] = 0.0;
  for (int i = from; i < m; i++) y[i] = x[i];
}
inline void keep_above(double* __restrict y, const double* __restrict x, int m, int upto) {
  for (int i = 0; i < upto; i++) y[i] = x[i];
  for (int i = upto; i < m; i++) y[i] = 0.0;
}

// ============================================================================================
// Running sum and product down one column of m >= 1 elements. The accumulator starts as the
// first element itself, so a column that starts with -0 keeps it.
// ============================================================================================

inline void running_sum(double* __restrict y, const double* __restrict x, int m) {
  double acc = x[0];
  y[0] = acc;
  for (int i = 1; i < m; i++) y[i] = acc += x[i];
}
inline void running_prod(double* __restrict y, const double* __restrict x, int m) {
  double acc = x[0];
  y[0] = acc;
  for (int i = 1; i < m; i++) y[i] = acc *= x[i];
}
inline void running_sum(double* __restrict yr, double* __restrict yi, const double* __restrict xr,
                        const double* __restrict xi, int m) {
  double ar = xr[0], ai = xi[0];
  yr[0] = ar;
  yi[0] = ai;
  for (int i = 1; i < m; i++) {
    yr[i] = ar += xr[i];
    yi[i] = ai += xi[i];
  }
}
// cmul reads both operands before it stores, so the accumulator may be its own output.
inline void running_prod(double* __restrict yr, double* __restrict yi, const double* __restrict xr,
                         const double* __restrict xi, int m) {
  double ar = xr[0], ai = xi[0];
  yr[0] = ar;
  yi[0] = ai;
  for (int i = 1; i < m; i++) {
    cmul(&ar, &ai, xr + i, xi + i, &ar, &ai);
    yr[i] = ar;
    yi[i] = ai;
  }
}

}  // namespace kern
}  // namespace korvex

#endif  // KORVEX_UNARY_KERNELS_H
