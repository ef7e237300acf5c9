// shape.cpp: the range constructor colon, the queries size and length, and the rearranging
// builtins rot90, fliplr, flipud and reshape.
#include <cmath>

#include "common/rules.h"
#include "korvex.h"

namespace korvex {

M<double> colon(M<double> a, M<double> s, M<double> b) {
  if (a.size() == 0 || s.size() == 0 || b.size() == 0) return nop_M;
  const double a0 = *a.addr();
  const double s0 = *s.addr();
  const double b0 = *b.addr();
  if (s0 == 0) return nop_M;
  if ((b0 < a0 && s0 > 0) || (b0 > a0 && s0 < 0)) return nop_M;
  // The 1e-6 is in units of the step count: a quotient that falls just short of an integer
  // through rounding (0:0.1:0.3) still counts its last element.
  const double count = std::trunc((b0 - a0) / s0 + 1 + 1e-6);
  if (!(count <= static_cast<double>(max_matrix_elements)))
    error("colon: range has no representable element count");
  const int n = static_cast<int>(count);
  M<double> range(0, 1, n);
  double* p = range.addr();
  // Each element straight from a0, so no error accumulates along the row.
  for (int t = 0; t < n; t++) p[t] = a0 + t * s0;
  return range;
}

M<double> size(M<double> x) {
  M<double> dims(0, 1, 2);
  dims.addr()[0] = x.rows();
  dims.addr()[1] = x.cols();
  return dims;
}

// Any dimension other than 1 answers the column count: matrices here have two.
M<double> size(M<double> x, M<double> d) { return M<double>(*d.r() == 1 ? x.rows() : x.cols()); }

M<double> size(M<double> x, i_o_t, Mr<double> r, Mr<double> c) {
  r = static_cast<double>(x.rows());
  c = static_cast<double>(x.cols());
  return x_M;
}

// max(size(x)), the larger dimension, without building the size row and reducing it.
M<double> length(M<double> x) { return M<double>(x.rows() > x.cols() ? x.rows() : x.cols()); }

// The rotation count rounded half up, taken modulo 4 into 0..3. The arithmetic stays in
// double so that a huge count never meets an int conversion.
static int quarter_turns(double k0) {
  const double turns = rules::round_half_up(k0);
  if (!std::isfinite(turns)) error("rot90: rotation count is not finite");
  double q = std::fmod(turns, 4.0);
  if (q < 0) q += 4.0;
  return static_cast<int>(q);
}

M<double> rot90(M<double> x) { return rot90(x, M<double>(1.0)); }

M<double> rot90(M<double> x, M<double> k) {
  const int q = quarter_turns(*k.r());
  const M<double> rows_down = colon(M<double>(x.rows()), M<double>(-1.0), M<double>(1.0));
  const M<double> cols_back = colon(M<double>(x.cols()), M<double>(-1.0), M<double>(1.0));
  switch (q) {
    case 1: {
      const M<double> t = dot_transpose(x);
      return t(cols_back, c_p);
    }
    case 2:
      return x(rows_down, cols_back);
    case 3:
      return dot_transpose(x(rows_down, c_p));
    default:
      return x;
  }
}

M<double> fliplr(M<double> x) {
  return x(c_p, colon(M<double>(x.cols()), M<double>(-1.0), M<double>(1.0)));
}

M<double> flipud(M<double> x) {
  return x(colon(M<double>(x.rows()), M<double>(-1.0), M<double>(1.0)), c_p);
}

// A size is its first element + 0.5 truncated. Sizes that are negative, not finite or too
// large can never match an element count, so they fail with the size message too.
M<double> reshape(M<double> x, M<double> m, M<double> n) {
  const double rows = rules::trunc_half_up(*m.r());
  const double cols = rules::trunc_half_up(*n.r());
  const double limit = static_cast<double>(max_matrix_elements);
  if (!(rows >= 0 && cols >= 0 && rows <= limit && cols <= limit && rows * cols == x.size()))
    error("reshape: new size of %s is different than old size", x.getname());
  M<double> y(x.isc(), static_cast<int>(rows), static_cast<int>(cols));
  copy_data(y.addr(), x.addr(), x.size());
  if (x.isc()) copy_data(y.addi(), x.addi(), x.size());
  return y;  // type 0: reshaped text is numbers
}

M<double> reshape(M<double> x, M<double> v) {
  const M<double> rows = v(M<double>(1.0));
  const M<double> cols = v(M<double>(2.0));
  return reshape(x, rows, cols);
}

}  // namespace korvex
