// join.cpp: joinrows ([a; b]) and joincols ([a, b]), the two-operand concatenations the
// translator makes of bracket expressions.
#include "common/messages.h"
#include "common/rules.h"
#include "korvex.h"

namespace korvex {

using rules::copy_or_zero;

namespace {

// Text when either operand is text, numeric otherwise.
int joined_type(const M<double>& a, const M<double>& b) {
  return a.getdm() == 1 || b.getdm() == 1 ? 1 : 0;
}

}  // namespace

M<double> joinrows(M<double> a, M<double> b) {
  // Only the row counts decide emptiness: [zeros(0, 5); x] is x without a column check.
  if (b.rows() == 0) return a;
  if (a.rows() == 0) return b;
  if (a.cols() != b.cols()) error("joinrows: # of cols different");
  const int ra = a.rows();
  const int rb = b.rows();
  const int rows = ra + rb;
  const int cols = a.cols();
  if (static_cast<double>(rows) * cols > static_cast<double>(max_matrix_elements))
    error_too_large(a.getname());
  const int cplx = a.isc() || b.isc();
  M<double> y(cplx, rows, cols);
  for (int j = 0; j < cols; j++) {
    const long long at = static_cast<long long>(j) * rows;
    copy_data(y.addr() + at, a.addr() + static_cast<long long>(j) * ra, ra);
    copy_data(y.addr() + at + ra, b.addr() + static_cast<long long>(j) * rb, rb);
    if (cplx) {
      copy_or_zero(y.addi() + at, a.isc() ? a.addi() + static_cast<long long>(j) * ra : nullptr,
                   ra);
      copy_or_zero(y.addi() + at + ra,
                   b.isc() ? b.addi() + static_cast<long long>(j) * rb : nullptr, rb);
    }
  }
  y.setdm(joined_type(a, b));
  return y;
}

M<double> joincols(M<double> a, M<double> b) {
  if (b.rows() == 0) return a;
  if (a.rows() == 0) return b;
  if (a.rows() != b.rows()) error("joincols: # of rows different");
  const int na = a.size();
  const int nb = b.size();
  if (static_cast<double>(na) + nb > static_cast<double>(max_matrix_elements))
    error_too_large(a.getname());
  const int cplx = a.isc() || b.isc();
  // Column-major storage makes [a, b] a's block followed by b's.
  M<double> y(cplx, a.rows(), a.cols() + b.cols());
  copy_data(y.addr(), a.addr(), na);
  copy_data(y.addr() + na, b.addr(), nb);
  if (cplx) {
    copy_or_zero(y.addi(), a.addi(), na);
    copy_or_zero(y.addi() + na, b.addi(), nb);
  }
  y.setdm(joined_type(a, b));
  return y;
}

}  // namespace korvex
