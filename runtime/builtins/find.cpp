// find.cpp: find, the positions (and values) of the non-zero elements of a matrix.
#include "korvex.h"

namespace korvex {

namespace {

// An element counts when a part is not equal to 0; NaN != 0, so NaN counts.
inline bool nonzero(const double* re, const double* im, int k) {
  return re[k] != 0 || (im != nullptr && im[k] != 0);
}

// Row and column positions from 1 and the values of the n non-zero elements of x, in
// column-major order. Returns the three n-by-1 columns through rows_at, cols_at, values.
void find_triplets(const M<double>& x, M<double>& rows_at, M<double>& cols_at, M<double>& values) {
  const int n = nnz_count(x);
  const int r = x.rows(), c = x.cols();
  const double* re = x.addr();
  const double* im = x.addi();
  rows_at = M<double>(0, n, 1);
  cols_at = M<double>(0, n, 1);
  values = M<double>(x.isc(), n, 1);
  double* prow = rows_at.addr();
  double* pcol = cols_at.addr();
  double* pvr = values.addr();
  double* pvi = values.addi();
  int k = 0;
  for (int j = 0; j < c; ++j)
    for (int i = 0; i < r; ++i) {
      const int at = i + j * r;
      if (!nonzero(re, im, at)) continue;
      prow[k] = i + 1;
      pcol[k] = j + 1;
      pvr[k] = re[at];
      if (pvi) pvi[k] = im[at];
      ++k;
    }
}

bool is_row_input(const M<double>& x) { return x.rows() == 1 && x.cols() >= 2; }

// Writes the linear index (from 1) of each element of p that is non-zero; n of them exist.
// The store happens for every element and the count advances only on a non-zero one, so the
// loop has no data-dependent branch; it stops as soon as the n-th index is stored, so the
// store never goes past out[n - 1].
void store_nonzero_indices(const double* p, int total, int n, double* out) {
  int k = 0;
  for (int at = 0; at < total; ++at) {
    out[k] = at + 1;
    k += p[at] != 0;
    if (k == n) return;
  }
}

}  // namespace

// The single output is I + m·(J − 1), the column-major position from 1; it is written
// directly instead of going through the row and column lists.
M<double> find(M<double> x) {
  const int n = nnz_count(x);
  M<double> idx(0, n, 1);
  if (n > 0) {
    if (x.isc()) {
      const double* re = x.addr();
      const double* im = x.addi();
      double* out = idx.addr();
      for (int at = 0, k = 0; k < n; ++at)
        if (re[at] != 0 || im[at] != 0) out[k++] = at + 1;
    } else {
      store_nonzero_indices(x.addr(), x.size(), n, idx.addr());
    }
  }
  if (is_row_input(x)) idx.rowcol();
  return idx;
}

M<double> find(M<double> x, i_o_t, Mr<double> i, Mr<double> j) {
  M<double> rows_at, cols_at, values;
  find_triplets(x, rows_at, cols_at, values);
  if (is_row_input(x)) rows_at.rowcol();
  i = rows_at;
  j = cols_at;
  return x_M;
}

M<double> find(M<double> x, i_o_t, Mr<double> i, Mr<double> j, Mr<double> v) {
  M<double> rows_at, cols_at, values;
  find_triplets(x, rows_at, cols_at, values);
  if (is_row_input(x)) rows_at.rowcol();
  i = rows_at;
  j = cols_at;
  v = values;
  return x_M;
}

}  // namespace korvex
