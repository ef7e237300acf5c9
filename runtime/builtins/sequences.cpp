// sequences.cpp: linspace and logspace, the k-fold difference diff and the column mean, built
// from colon, indexing, the binary and unary operations and sum.
#include "common/rules.h"
#include "korvex.h"

namespace korvex {

M<double> linspace(M<double> a, M<double> b) { return linspace(a, b, M<double>(100.0)); }

// a + ((0:m-1) .* (b - a)) ./ (m - 1), operation by operation: the last element is computed,
// not set to b, and m = 1 gives 0·(b − a)/0, that is NaN.
M<double> linspace(M<double> a, M<double> b, M<double> n) {
  const double m = *n.r();
  const M<double> steps = colon(M<double>(0.0), M<double>(1.0), M<double>(m - 1));
  const M<double> d = b - a;
  M<double> t = dot_mul(steps, d);
  t = dot_div(t, M<double>(m - 1));
  return a + t;
}

M<double> logspace(M<double> a, M<double> b) { return logspace(a, b, M<double>(50.0)); }

// An end equal to pi stands for pi itself rather than 10^pi: the exponent becomes log10(pi).
M<double> logspace(M<double> a, M<double> b, M<double> n) {
  const M<double> end = istrue(b == pi) ? log10(pi) : b;
  return dot_pow(M<double>(10.0), linspace(a, end, n));
}

M<double> diff(M<double> x) { return diff(x, M<double>(1.0)); }

// c = k rounded half up (truncation of k + 0.5). Each pass shortens x by one along its
// dimension, and a difference involving an empty operand is the empty matrix nop_M, which
// every further pass maps to itself: the loop stops there rather than run c times.
M<double> diff(M<double> x, M<double> k) {
  const int c = rules::trunc_to_int(*k.r() + 0.5);
  const M<double> one(1.0), two(2.0);
  for (int pass = 0; pass < c; ++pass) {
    if (x.rows() == 1) {
      const M<double> n(x.cols());
      x = M<double>(x(colon(two, one, n))) - M<double>(x(colon(one, one, n - one)));
    } else {
      const M<double> r(x.rows());
      x = M<double>(x(colon(two, one, r), c_p)) - M<double>(x(colon(one, one, r - one), c_p));
    }
    if (x.size() == 0) break;
  }
  return x;
}

M<double> mean(M<double> x) {
  if (isempty(x)) return NaN;
  const int n = x.rows() == 1 ? x.cols() : x.rows();
  return dot_div(sum(x), M<double>(n));
}

}  // namespace korvex
