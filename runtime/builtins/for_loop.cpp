// for_loop.cpp: the for-loop protocol of translated code: forsize gives the number of passes
// over the columns of x, forelem sets the loop variable to one column.
#include "korvex.h"

namespace korvex {

int forsize(M<double>& x) { return x.cols(); }

void forelem(M<double>& v, M<double>& x, int j) {
  if (j < 1 || j > x.cols()) error("forelem: column %d out of matrix", j);
  // Held for the whole step: when v is x, or shares x's block, replacing v must not free the
  // elements being copied, and the extra share makes dirty() send such a v to a new matrix.
  const M<double> src(x);
  const int r = src.rows();
  // The loop variable is reused as long as it can take the column in place.
  if (!(v.rows() == r && v.cols() == 1 && !v.dirty() && v.isc() == src.isc()))
    v = M<double>(src.isc(), r, 1);
  if (r != 1) {
    copy_data(v.addr(), src.addr(1, j), r);
    if (src.isc()) copy_data(v.addi(), src.addi(1, j), r);
  } else {
    *v.addr() = *src.addr(1, j);
    if (src.isc()) *v.addi() = *src.addi(1, j);
  }
  v.setdm(src.getdm());
}

}  // namespace korvex
