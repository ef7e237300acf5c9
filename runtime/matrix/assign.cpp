// assign.cpp: subscripted assignment a(k) = b and a(r, c) = b (vwcopy) with growth, 0-1
// subscripts and deletion, and int_vec, the index-mark vector of deletion.
#include "index_rules.h"

namespace korvex {

using index_rules::in_range;
using index_rules::is_colon;
using index_rules::marked_one;
using index_rules::part_or_zero;
using index_rules::Picks;
using index_rules::position;
using rules::copy_or_zero;

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

// Replaces a's value by fresh storage of shape rows x cols (complex when cplx) whose first
// `keep` elements are a's first ones in column-major order, imaginary parts zero when a was
// real. The rest is left to the caller; a keeps its name and type.
template <class T>
void move_to_fresh(M<T>& a, int cplx, int rows, int cols, int keep) {
  M<T> fresh(cplx, rows, cols);
  copy_data(fresh.addr(), a.addr(), keep);
  if (cplx) copy_or_zero(fresh.addi(), a.addi(), keep);
  fresh.setdm(a.getdm());
  a = fresh;
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

// The greatest position of a two-index subscript list (its length for a colon, which takes
// the source's extent); a position below 1 fails with the message of `what` ("row" or "col").
template <class T>
double top_position(const M<T>& idx, bool all, long long count, const char* what, const M<T>& a,
                    const M<T>& r, const M<T>& c, const M<T>& b) {
  if (all) return static_cast<double>(count);
  double top = 0;
  for (int t = 0; t < count; t++) {
    const double p = position(static_cast<double>(idx.addr()[t]));
    if (!(p >= 1))
      error("%s(%s,%s)=%s: %s index is non-positive", a.getname(), r.getname(), c.getname(),
            b.getname(), what);
    if (p > top) top = p;
  }
  return top;
}

// Fills pos with the positions of a two-index subscript list already checked to be >= 1.
template <class T>
void fill_positions(Picks& pos, const M<T>& idx, int count) {
  for (int t = 0; t < count; t++)
    pos[t] = static_cast<int>(position(static_cast<double>(idx.addr()[t])));
}

}  // namespace

// Writable as it stands: unshared, room for `need` elements, complex if it must be.
template <class T>
bool M<T>::writable(int need, bool cplx) const {
  return !dirty() && need <= capacity && (im != nullptr || !cplx);
}

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

  if (is_colon(k.name)) {
    assign_colon(b);
  } else if (k.size() > 0) {
    // A NaN value counts as negative, the way the usual int conversion sees it.
    const index_rules::IndexSummary s = index_rules::summarize_index(k.re, k.size());
    const double lo = s.has_nan ? -HUGE_VAL : s.lo;
    if (lo < 0) error("%s(%s): index into matrix negative", name, k.name);
    const bool zero_one = s.hi <= 1 && k.size() == size();
    if (lo < 1 && !zero_one) error("%s(%s): index into matrix zero", name, k.name);
    // From here on an ordinary index has every value in [0.5, hi + 0.5), so rounding half up
    // equals the truncation analyze() uses and every position is at least 1.
    if (b.size() == 0) {
      delete_listed(k, zero_one);
    } else if (zero_one) {
      assign_zero_one(b, k, s.ones);
    } else {
      assign_positions(b, k, s.hi);
    }
  }
  type = saved_type;
}

// a(:) = b: b's elements in a's shape (b's shape when a is empty); an empty b empties a.
template <class T>
void M<T>::assign_colon(const M<T>& b) {
  const int bcount = b.size();
  const int count = size();
  if (bcount == 0) {
    M<T> empty(0, 0, 0);
    *this = empty;
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
  if (writable(bcount, cplx)) {
    m = rows;
    n = cols;
  } else {
    M<T> fresh(cplx, rows, cols);
    *this = fresh;
  }
  copy_data(re, b.re, bcount);
  if (im) copy_or_zero(im, b.im, bcount);
}

// a(k) = [] with a 0-1 or an ordinary k: the survivors keep their order, as a row unless a is
// a column. Positions past the end delete nothing.
template <class T>
void M<T>::delete_listed(const M<T>& k, bool zero_one) {
  const int count = size();
  if (count == 0) return;
  int_vec keep(count);
  for (int i = 1; i <= count; i++) keep[i] = 1;
  int removed = 0;
  for (int t = 0; t < k.size(); t++) {
    const double x = static_cast<double>(k.re[t]);
    int at;
    if (zero_one) {
      if (!marked_one(x)) continue;
      at = t + 1;
    } else {
      const double p = position(x);
      if (p > count) continue;
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
    fresh.type = type;
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
}

// a(k) = b with a 0-1 k: b's elements, in order, at the places k marks.
template <class T>
void M<T>::assign_zero_one(const M<T>& b, const M<T>& k, int ones) {
  if (b.size() != ones)
    error("%s(%s)=%s: index is 0-1, size(%s) different than number of ones in index", name, k.name,
          b.name, b.name);
  const int count = size();
  const bool cplx = im != nullptr || b.im != nullptr;
  if (!writable(count, cplx)) move_to_fresh(*this, cplx, m, n, count);
  int s = 0;
  for (int t = 0; t < count; t++) {
    if (!marked_one(static_cast<double>(k.re[t]))) continue;
    re[t] = b.re[s];
    if (im) im[t] = part_or_zero(b.im, s);
    s++;
  }
}

// a(k) = b with positions in 1..hi: a position past the end grows a matrix of fewer than two
// rows as a row and any other as a column holding its old elements in column-major order
// first; new elements are zero. A later repeat of a position overwrites an earlier one.
template <class T>
void M<T>::assign_positions(const M<T>& b, const M<T>& k, double hi) {
  const int count = size();
  const int kcount = k.size();
  // Refuse a size no matrix can have before the count becomes an int.
  if (hi > count && hi > static_cast<double>(max_matrix_elements)) error_too_large(name);
  if (b.size() != kcount)
    error("%s(%s)=%s: size(%s) different than size(%s)", name, k.name, b.name, b.name, k.name);
  const bool cplx = im != nullptr || b.im != nullptr;
  if (hi > count) {
    const int grown = static_cast<int>(hi);
    const int rows = m < 2 ? 1 : grown;
    const int cols = m < 2 ? grown : 1;
    if (writable(grown, cplx)) {
      m = rows;
      n = cols;
    } else {
      grow_block(cplx, rows, cols, count);  // with room for more growth
    }
    zero_data(re + count, grown - count);
    if (im) zero_data(im + count, grown - count);
  } else if (!writable(count, cplx)) {
    move_to_fresh(*this, cplx, m, n, count);
  }
  const T* kv = k.re;
  for (int t = 0; t < kcount; t++) re[static_cast<int>(position(kv[t])) - 1] = b.re[t];
  if (im) {
    for (int t = 0; t < kcount; t++)
      im[static_cast<int>(position(kv[t])) - 1] = part_or_zero(b.im, t);
  }
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
  if (b.size() == 0) {
    delete_rows_cols(r, c);
  } else {
    assign_block(b, r, c);
  }
  type = saved_type;
}

// a(r, c) = []: whole rows or columns go. With a colon the other dimension shrinks; with two
// lists the survivors form a row.
template <class T>
void M<T>::delete_rows_cols(const M<T>& r, const M<T>& c) {
  if (m == 0 || n == 0) return;
  const bool all_rows = is_colon(r.name);
  const bool all_cols = is_colon(c.name);
  int_vec row_gone(m);
  int_vec col_gone(n);
  for (int i = 0; i <= m; i++) row_gone[i] = 0;
  for (int j = 0; j <= n; j++) col_gone[j] = 0;
  const int rows_gone = all_rows ? 0 : mark_gone(row_gone, r, m);
  const int cols_gone = all_cols ? 0 : mark_gone(col_gone, c, n);
  const int kept_rows = m - rows_gone;
  const int kept_cols = n - cols_gone;
  if (kept_rows * kept_cols == m * n) return;
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
  fresh.type = type;
  *this = fresh;
}

// a(r, c) = b: b's elements column by column into the chosen rows and columns. A position past
// the end grows a, which always reallocates: old elements keep their (row, column) places and
// new ones are zero.
template <class T>
void M<T>::assign_block(const M<T>& b, const M<T>& r, const M<T>& c) {
  const bool all_rows = is_colon(r.name);
  const bool all_cols = is_colon(c.name);
  const long long nr = all_rows ? b.m : r.size();
  const long long nc = all_cols ? b.n : c.size();
  if (nr * nc != b.size())
    error("%s(%s,%s)=%s: size(row index)*size(col index) is different than size(source)", name,
          r.name, c.name, b.name);
  const double top_row = top_position(r, all_rows, nr, "row", *this, r, c, b);
  const double top_col = top_position(c, all_cols, nc, "col", *this, r, c, b);
  const double new_m = top_row > m ? top_row : m;
  const double new_n = top_col > n ? top_col : n;
  if (new_m * new_n > static_cast<double>(max_matrix_elements)) error_too_large(name);

  const bool cplx = im != nullptr || b.im != nullptr;
  if (new_m > m || new_n > n || dirty() || (cplx && im == nullptr)) {
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
    fresh.type = type;
    *this = fresh;
  }

  Picks rows(all_rows ? 0 : static_cast<int>(nr));
  Picks cols(all_cols ? 0 : static_cast<int>(nc));
  if (!all_rows) fill_positions(rows, r, static_cast<int>(nr));
  if (!all_cols) fill_positions(cols, c, static_cast<int>(nc));
  for (int part = 0; part < (im ? 2 : 1); part++) {
    T* dst = part == 0 ? re : im;
    const T* from = part == 0 ? b.re : b.im;
    int s = 0;
    for (int jj = 0; jj < nc; jj++) {
      T* column = dst + static_cast<long long>(all_cols ? jj : cols[jj] - 1) * m;
      for (int ii = 0; ii < nr; ii++, s++)
        column[all_rows ? ii : rows[ii] - 1] = part_or_zero(from, s);
    }
  }
}

#define KORVEX_ASSIGN_MEMBERS(T)                        \
  template void M<T>::vwcopy(const M<T>&, const M<T>&); \
  template void M<T>::vwcopy(const M<T>&, const M<T>&, const M<T>&);

KORVEX_ASSIGN_MEMBERS(double)
KORVEX_ASSIGN_MEMBERS(float)
KORVEX_ASSIGN_MEMBERS(int)
KORVEX_ASSIGN_MEMBERS(unsigned char)

}  // namespace korvex
