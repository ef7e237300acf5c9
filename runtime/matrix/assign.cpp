// assign.cpp: subscripted assignment a(k) = b and a(r, c) = b (vwcopy) with growth, 0-1
// subscripts and deletion, and int_vec, the index-mark vector of deletion.
#include <cmath>

#include "index_rules.h"

namespace korvex {

using index_rules::in_range;
using index_rules::is_colon;
using index_rules::Picks;
using index_rules::position;

// ============================================================================================
// int_vec
// ============================================================================================

int_vec::int_vec(int size) : v(nullptr), size(size) {
  KORVEX_ASSERT(size > 0);
  new_data(v, size + 1);
}

int_vec::~int_vec() { delete_data(v); }

int& int_vec::operator[](int i) {
  KORVEX_ASSERT((i >= 0) && (i <= size));
  return v[i];
}

// ============================================================================================
// Helpers over the public interface
// ============================================================================================

namespace {

// The summary of a one-index subscript that analyze() gives, computed in double so that NaN,
// Inf and huge values never meet an int conversion: lo and hi are the least and greatest
// trunc(x + 0.5) (for x >= -0.5 the same as rounding half up), ones the count of values that
// truncate to 1. A NaN value counts as negative, the way the usual int conversion sees it.
template <class T>
void scan_index(const M<T>& k, double& lo, double& hi, int& ones) {
  const T* v = k.addr();
  const int count = k.size();
  lo = HUGE_VAL;
  hi = -HUGE_VAL;
  ones = 0;
  for (int t = 0; t < count; t++) {
    const double x = static_cast<double>(v[t]);
    double r = std::trunc(x + 0.5);
    if (std::isnan(r)) r = -HUGE_VAL;
    if (r < lo) lo = r;
    if (r > hi) hi = r;
    if (x >= 1.0 && x < 2.0) ones++;
  }
}

inline bool marked_one(double x) { return x >= 1.0 && x < 2.0; }

// Replaces a's value by fresh storage of shape rows x cols (complex when cplx) whose first
// `keep` elements are a's first ones in column-major order, imaginary parts zero when a was
// real. The rest is left to the caller; a keeps its name and type.
template <class T>
void move_to_fresh(M<T>& a, int cplx, int rows, int cols, int keep) {
  M<T> fresh(cplx, rows, cols);
  copy_data(fresh.addr(), a.addr(), keep);
  if (cplx) {
    if (a.isc()) {
      copy_data(fresh.addi(), a.addi(), keep);
    } else {
      zero_data(fresh.addi(), keep);
    }
  }
  fresh.setdm(a.getdm());
  a = fresh;
}

// Sets the imaginary parts of a write: b's, or zeros for a real b.
template <class T>
void copy_parts(T* re, T* im, const M<T>& b, int count) {
  copy_data(re, b.addr(), count);
  if (im == nullptr) return;
  if (b.isc()) {
    copy_data(im, b.addi(), count);
  } else {
    zero_data(im, count);
  }
}

// Marks the positions that idx names within 1..extent in gone (positions outside, those that
// round below 1 included, are ignored) and returns how many distinct ones it marked.
template <class T>
int mark_gone(int_vec& gone, const M<T>& idx, int extent) {
  int marked = 0;
  for (int t = 0; t < idx.size(); t++) {
    const double p = position(static_cast<double>(idx.addr()[t]));
    if (!in_range(p, extent)) continue;
    const int at = static_cast<int>(p);
    marked += 1 - gone[at];
    gone[at] = 1;
  }
  return marked;
}

}  // namespace

// ============================================================================================
// One index: a(k) = b
// ============================================================================================

template <class T>
void M<T>::vwcopy(const M<T>& b_arg, const M<T>& k_arg) {
  // Pinned copies: when b or k is this matrix (a(k) = a, a(a) = b) the extra share makes
  // dirty() true, so every write below goes to fresh storage and b and k keep their values.
  const M<T> b(b_arg);
  const M<T> k(k_arg);
  const int saved_type = type;
  // A complex source makes the target complex first, whatever follows: also when the index is
  // empty or the source is an empty complex matrix (a deletion).
  if (b.im != nullptr && im == nullptr) getcomplex();
  const int bcount = b.size();
  const int count = m * n;
  // Writable as it stands: unshared, room for `need` elements, complex if it must be.
  auto in_place = [&](int need, bool cplx) {
    return !dirty() && need <= capacity && (im != nullptr || !cplx);
  };

  if (is_colon(k.name)) {
    if (bcount == 0) {
      M<T> empty(0, 0, 0);
      *this = empty;
      type = saved_type;
      return;
    }
    int rows = m;
    int cols = n;
    if (count == 0) {
      rows = b.m;
      cols = b.n;
    } else if (count != bcount) {
      error("%s(:)=%s: size(%s) different than size(%s)", name, b.name, b.name, name);
    }
    const bool cplx = im != nullptr || b.im != nullptr;
    if (in_place(bcount, cplx)) {
      m = rows;
      n = cols;
    } else {
      M<T> fresh(cplx, rows, cols);
      *this = fresh;
    }
    copy_parts(re, im, b, bcount);
    type = saved_type;
    return;
  }

  const int kcount = k.size();
  if (kcount == 0) return;
  double lo, hi;
  int ones;
  scan_index(k, lo, hi, ones);
  if (lo < 0) error("%s(%s): index into matrix negative", name, k.name);
  const bool zero_one = hi <= 1 && kcount == count;
  if (lo < 1 && !zero_one) error("%s(%s): index into matrix zero", name, k.name);
  // From here on an ordinary index has every value in [0.5, hi + 0.5), so rounding half up
  // equals the truncation analyze() used and every position is at least 1.

  if (bcount == 0) {  // deletion
    if (count == 0) return;
    int_vec keep(count);
    for (int i = 1; i <= count; i++) keep[i] = 1;
    int removed = 0;
    for (int t = 0; t < kcount; t++) {
      const double x = static_cast<double>(k.re[t]);
      int at;
      if (zero_one) {
        if (!marked_one(x)) continue;
        at = t + 1;
      } else {
        const double p = position(x);
        if (p > count) continue;  // deleting past the end is no deletion
        at = static_cast<int>(p);
      }
      removed += keep[at];
      keep[at] = 0;
    }
    if (removed == 0) return;
    const int remaining = count - removed;
    const int rows = remaining == 0 ? 0 : n == 1 ? remaining : 1;
    const int cols = remaining == 0 ? 0 : n == 1 ? 1 : remaining;
    if (dirty()) {
      M<T> fresh(im != nullptr, rows, cols);
      T* parts_from[2] = {re, im};
      T* parts_to[2] = {fresh.re, fresh.im};
      for (int part = 0; part < (im ? 2 : 1); part++) {
        T* to = parts_to[part];
        for (int i = 0; i < count; i++)
          if (keep[i + 1]) *to++ = parts_from[part][i];
      }
      fresh.type = saved_type;
      *this = fresh;
    } else {  // pack in place; capacity stays as allocated
      for (int part = 0; part < (im ? 2 : 1); part++) {
        T* p = part == 0 ? re : im;
        int s = 0;
        for (int i = 0; i < count; i++)
          if (keep[i + 1]) p[s++] = p[i];
      }
      m = rows;
      n = cols;
    }
    type = saved_type;
    return;
  }

  if (zero_one) {
    if (bcount != ones)
      error("%s(%s)=%s: index is 0-1, size(%s) different than number of ones in index", name,
            k.name, b.name, b.name);
  } else {
    // A position past the end grows the matrix; refuse a size no matrix can have before the
    // count becomes an int.
    if (hi > count && hi > static_cast<double>(max_matrix_elements))
      error("Matrix %s too large", name);
    if (bcount != kcount)
      error("%s(%s)=%s: size(%s) different than size(%s)", name, k.name, b.name, b.name, k.name);
  }

  const bool cplx = im != nullptr || b.im != nullptr;
  if (!zero_one && hi > count) {
    // Growth: a matrix of fewer than two rows grows as a row, any other as a column holding
    // its old elements in column-major order first; new elements are zero.
    const int grown = static_cast<int>(hi);
    const int rows = m < 2 ? 1 : grown;
    const int cols = m < 2 ? grown : 1;
    if (in_place(grown, cplx)) {
      m = rows;
      n = cols;
    } else {
      move_to_fresh(*this, cplx, rows, cols, count);
    }
    zero_data(re + count, grown - count);
    if (im) zero_data(im + count, grown - count);
  } else if (!in_place(count, cplx)) {
    move_to_fresh(*this, cplx, m, n, count);
  }

  const T* kv = k.re;
  const T* br = b.re;
  const T* bi = b.im;
  if (zero_one) {
    int s = 0;
    for (int t = 0; t < kcount; t++) {
      if (!marked_one(static_cast<double>(kv[t]))) continue;
      re[t] = br[s];
      if (im) im[t] = bi ? bi[s] : static_cast<T>(0);
      s++;
    }
  } else {
    // A later repeat of a position overwrites an earlier one.
    for (int t = 0; t < kcount; t++) re[static_cast<int>(position(kv[t])) - 1] = br[t];
    if (im) {
      for (int t = 0; t < kcount; t++)
        im[static_cast<int>(position(kv[t])) - 1] = bi ? bi[t] : static_cast<T>(0);
    }
  }
  type = saved_type;
}

// ============================================================================================
// Two indices: a(r, c) = b
// ============================================================================================

template <class T>
void M<T>::vwcopy(const M<T>& b_arg, const M<T>& r_arg, const M<T>& c_arg) {
  const M<T> b(b_arg);  // pinned, as in the one-index form
  const M<T> r(r_arg);
  const M<T> c(c_arg);
  const bool all_rows = is_colon(r.name);
  const bool all_cols = is_colon(c.name);
  if (all_rows && all_cols) {
    *this = b;
    return;
  }
  if ((!all_rows && r.size() == 0) || (!all_cols && c.size() == 0)) return;
  const int saved_type = type;
  if (b.im != nullptr && im == nullptr) getcomplex();  // as in the one-index form

  if (b.size() == 0) {  // deletion of whole rows and columns
    if (m == 0 || n == 0) return;
    int_vec row_gone(m);
    int_vec col_gone(n);
    for (int i = 0; i <= m; i++) row_gone[i] = 0;
    for (int j = 0; j <= n; j++) col_gone[j] = 0;
    const int rows_gone = all_rows ? 0 : mark_gone(row_gone, r, m);
    const int cols_gone = all_cols ? 0 : mark_gone(col_gone, c, n);
    const int kept_rows = m - rows_gone;
    const int kept_cols = n - cols_gone;
    if (kept_rows * kept_cols == m * n) return;
    // With a colon the other dimension shrinks; with two lists the survivors form a row.
    int rows = 1;
    int cols = kept_rows * kept_cols;
    if (all_rows || all_cols) {
      rows = kept_rows;
      cols = kept_cols;
    }
    M<T> fresh(im != nullptr, rows, cols);
    const T* parts_from[2] = {re, im};
    T* parts_to[2] = {fresh.re, fresh.im};
    for (int part = 0; part < (im ? 2 : 1); part++) {
      T* to = parts_to[part];
      for (int j = 0; j < n; j++) {
        if (col_gone[j + 1]) continue;
        const T* column = parts_from[part] + static_cast<long long>(j) * m;
        for (int i = 0; i < m; i++)
          if (!row_gone[i + 1]) *to++ = column[i];
      }
    }
    fresh.type = saved_type;
    *this = fresh;
    return;
  }

  const long long nr = all_rows ? b.m : r.size();
  const long long nc = all_cols ? b.n : c.size();
  if (nr * nc != b.size())
    error("%s(%s,%s)=%s: size(row index)*size(col index) is different than size(source)", name,
          r.name, c.name, b.name);
  double top_row = all_rows ? static_cast<double>(nr) : 0;
  for (int t = 0; !all_rows && t < nr; t++) {
    const double p = position(static_cast<double>(r.re[t]));
    if (!(p >= 1)) error("%s(%s,%s)=%s: row index is non-positive", name, r.name, c.name, b.name);
    if (p > top_row) top_row = p;
  }
  double top_col = all_cols ? static_cast<double>(nc) : 0;
  for (int t = 0; !all_cols && t < nc; t++) {
    const double p = position(static_cast<double>(c.re[t]));
    if (!(p >= 1)) error("%s(%s,%s)=%s: col index is non-positive", name, r.name, c.name, b.name);
    if (p > top_col) top_col = p;
  }
  const double new_m = top_row > m ? top_row : m;
  const double new_n = top_col > n ? top_col : n;
  if (new_m * new_n > static_cast<double>(max_matrix_elements)) error("Matrix %s too large", name);

  const bool cplx = im != nullptr || b.im != nullptr;
  if (new_m > m || new_n > n || dirty() || (cplx && im == nullptr)) {
    // Two-index growth always reallocates: old elements keep their (row, column) places.
    const int rows = static_cast<int>(new_m);
    const int cols = static_cast<int>(new_n);
    M<T> fresh(cplx, rows, cols);
    zero_data(fresh.re, rows * cols);
    if (cplx) zero_data(fresh.im, rows * cols);
    for (int j = 0; j < n; j++) {
      copy_data(fresh.re + static_cast<long long>(j) * rows, re + static_cast<long long>(j) * m, m);
      if (im) {
        copy_data(fresh.im + static_cast<long long>(j) * rows, im + static_cast<long long>(j) * m,
                  m);
      }
    }
    fresh.type = saved_type;
    *this = fresh;
  }

  Picks rows(all_rows ? 0 : static_cast<int>(nr));
  Picks cols(all_cols ? 0 : static_cast<int>(nc));
  for (int t = 0; !all_rows && t < nr; t++)
    rows[t] = static_cast<int>(position(static_cast<double>(r.re[t])));
  for (int t = 0; !all_cols && t < nc; t++)
    cols[t] = static_cast<int>(position(static_cast<double>(c.re[t])));
  const T* br = b.re;
  const T* bi = b.im;
  for (int part = 0; part < (im ? 2 : 1); part++) {
    T* dst = part == 0 ? re : im;
    const T* from = part == 0 ? br : bi;
    int s = 0;
    for (int jj = 0; jj < nc; jj++) {
      T* column = dst + static_cast<long long>(all_cols ? jj : cols[jj] - 1) * m;
      for (int ii = 0; ii < nr; ii++, s++) {
        column[all_rows ? ii : rows[ii] - 1] = from ? from[s] : static_cast<T>(0);
      }
    }
  }
  type = saved_type;
}

#define KORVEX_ASSIGN_MEMBERS(T)                        \
  template void M<T>::vwcopy(const M<T>&, const M<T>&); \
  template void M<T>::vwcopy(const M<T>&, const M<T>&, const M<T>&);

KORVEX_ASSIGN_MEMBERS(double)
KORVEX_ASSIGN_MEMBERS(float)
KORVEX_ASSIGN_MEMBERS(int)
KORVEX_ASSIGN_MEMBERS(unsigned char)

}  // namespace korvex
