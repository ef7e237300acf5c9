// predicates.cpp: the is... builtins on double matrices, answering 1 (true) or 0 (false).
#include <cmath>

#include "korvex.h"

namespace korvex {

int isempty(const M<double>& x) { return x.size() == 0; }
int isscalar(const M<double>& x) { return x.size() == 1; }
int isvector(const M<double>& x) { return x.rows() < 2 || x.cols() < 2; }
int isstr(const M<double>& x) { return x.getdm() == 1; }
int issamename(const M<double>& a, const M<double>& b) { return a.getname() == b.getname(); }

// Real parts only, under IEEE ==: a NaN element makes two matrices differ.
int issame(const M<double>& a, const M<double>& b) {
  if (a.rows() != b.rows() || a.cols() != b.cols()) return 0;
  const double* pa = a.addr();
  const double* pb = b.addr();
  for (int k = 0, n = a.size(); k < n; k++)
    if (!(pa[k] == pb[k])) return 0;
  return 1;
}

// Integers of magnitude below 10^7; NaN and Inf fail the first test.
int isint(const M<double>& x) {
  const double* re = x.addr();
  const double* im = x.addi();
  for (int k = 0, n = x.size(); k < n; k++) {
    double v = re[k];
    if (!(v == std::floor(v) && std::fabs(v) < 10000000)) return 0;
    if (im && im[k] != 0) return 0;
  }
  return 1;
}

// NaN is not equal to 0, so it counts as true.
int istrue(const M<double>& x) {
  int n = x.size();
  if (n == 0) return 0;
  const double* re = x.addr();
  for (int k = 0; k < n; k++)
    if (re[k] == 0) return 0;
  return 1;
}

// Truncation toward zero, unlike the matrix form: istrue(0.5) is 0. Out-of-range values
// would make the conversion undefined; NaN and anything beyond ±1 are non-zero.
int istrue(double d) {
  if (!(d == d) || std::fabs(d) >= 1) return 1;
  return 0;
}

int iscomplex(M<double> x) { return x.getreal(); }

int isreal(M<double> x) {
  if (x.size() == 0) return 0;
  return x.getreal() ? 0 : 1;
}

int issparse(const M<double>&) { return 0; }
int isglobal(const M<double>&) { return 0; }

// Compares the upper triangle with the lower one, diagonal included, so a complex diagonal
// element must have a zero imaginary part. The answer starts false: 0×0 gives 0.
int ishermitian(const M<double>& x) {
  int n = x.rows();
  if (n != x.cols()) error("ishermitian: %s matrix not square", x.getname());
  int ok = 0;
  for (int j = 1; j <= n; j++) {
    for (int i = 1; i <= j; i++) {
      if (!(*x.addr(i, j) == *x.addr(j, i))) return 0;
      if (x.isc() && !(*x.addi(i, j) == -*x.addi(j, i))) return 0;
      ok = 1;
    }
  }
  return ok;
}

}  // namespace korvex
