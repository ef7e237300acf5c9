// sparse.cpp: the sparse-matrix builtins on dense matrices (there is no sparse storage):
// counting and listing the non-zero elements, and building a dense matrix from triplets.
#include "korvex.h"

namespace korvex {

// NaN != 0 holds, so a NaN part counts; an element is skipped only when both parts are 0.
// The count is summed without a branch so that the loop vectorises.
int nnz_count(const M<double>& x) {
  const int total = x.size();
  const double* re = x.addr();
  int n = 0;
  if (x.isc()) {
    const double* im = x.addi();
    for (int k = 0; k < total; ++k) n += (re[k] != 0) | (im[k] != 0);
  } else {
    for (int k = 0; k < total; ++k) n += re[k] != 0;
  }
  return n;
}

M<double> nnz(M<double> x) { return M<double>(nnz_count(x)); }

M<double> full(M<double> x) { return x; }

M<double> nonzeros(M<double> x) {
  M<double> rows_at, cols_at, values;
  find(x, i_o, Mr<double>(rows_at), Mr<double>(cols_at), Mr<double>(values));
  return values;
}

M<double> nzmax(M<double> x) { return prod(size(x)); }

M<double> sparse(M<double> i, M<double> j, M<double> s, M<double> m, M<double> n, M<double>) {
  M<double> result = zeros(m, n);
  const M<double> one(1.0);
  const M<double> idx = i + dot_mul(m, j - one);
  result(idx) = s;
  return result;
}

M<double> sparse(M<double> i, M<double> j, M<double> s, M<double> m, M<double> n) {
  return sparse(i, j, s, m, n, M<double>(s.size()));
}

M<double> sparse(M<double> i, M<double> j, M<double> s) {
  return sparse(i, j, s, max(i), max(j), M<double>(s.size()));
}

M<double> sparse(M<double> m, M<double> n) { return sparse(nop_M, nop_M, nop_M, m, n); }

// find gives a row of row indices for a row vector, beside a column of column indices; the
// row indices are turned into a column so that the triplets combine and x comes back whole.
M<double> sparse(M<double> x) {
  M<double> rows_at, cols_at, values;
  find(x, i_o, Mr<double>(rows_at), Mr<double>(cols_at), Mr<double>(values));
  if (rows_at.rows() == 1 && rows_at.cols() > 1) rows_at.rowcol();
  return sparse(rows_at, cols_at, values, M<double>(x.rows()), M<double>(x.cols()),
                M<double>(x.size()));
}

}  // namespace korvex
