// transpose.cpp: the conjugate transpose x' and the plain transpose x.'.
#include "korvex.h"

namespace korvex {

namespace {

// Writes dst (cols x rows) in storage order from src (rows x cols): each output column is one
// row of the source. Tiles of 8 source columns keep the strided reads within a few cache
// lines while the writes stay sequential.
template <bool negate>
void transpose_part(double* dst, const double* src, int rows, int cols) {
  constexpr int tile = 8;
  for (int j0 = 0; j0 < cols; j0 += tile) {
    const int j1 = j0 + tile < cols ? j0 + tile : cols;
    for (int i = 0; i < rows; i++) {
      double* out = dst + static_cast<long long>(i) * cols;
      for (int j = j0; j < j1; j++) {
        const double v = src[i + static_cast<long long>(j) * rows];
        out[j] = negate ? -v : v;
      }
    }
  }
}

}  // namespace

M<double> transpose(M<double> x, int plain) {
  const int rows = x.rows();
  const int cols = x.cols();
  M<double> y(x.isc(), cols, rows);
  y.setdm(x.getdm());
  transpose_part<false>(y.addr(), x.addr(), rows, cols);
  if (x.isc()) {
    if (plain) {
      transpose_part<false>(y.addi(), x.addi(), rows, cols);
    } else {
      transpose_part<true>(y.addi(), x.addi(), rows, cols);
    }
  }
  return y;
}

M<double> transpose(M<double> x) { return transpose(x, 0); }

M<double> dot_transpose(M<double> x) { return transpose(x, 1); }

}  // namespace korvex
