// index.cpp: index references Mr<T> and comma lists Ml<T>, and the M<T> members that read
// through them: extraction a(), a(k), a(r, c) and concatenation [a, b; c, d].
#include "index_rules.h"

namespace korvex {

using index_rules::in_range;
using index_rules::is_colon;
using index_rules::marked_one;
using index_rules::Picks;
using index_rules::position;

// ============================================================================================
// Mr<T>: index references
// ============================================================================================

// The call operator is const, yet a(k) = b writes into a: the reference drops the const here,
// and writes through a const matrix are the translated code's business.
template <class T>
Mr<T>::Mr(const M<T>& a) : indexed(0), data(const_cast<M<T>&>(a)), idxr(a), idxc(a) {}

template <class T>
Mr<T>::Mr(const M<T>& a, const M<T>& r, const M<T>& c)
    : indexed(2), data(const_cast<M<T>&>(a)), idxr(r), idxc(c) {}

// The general path of operator=(b) (matrix.h).
template <class T>
Mr<T>& Mr<T>::assign(const M<T>& b) {
  switch (indexed) {
    case 0:
      data = b;
      break;
    case 1:
      data.vwcopy(b, idxr);
      break;
    case 2:
      data.vwcopy(b, idxr, idxc);
      break;
    default:
      error("M(M)=M: internal error.");
  }
  return *this;
}

template <class T>
Mr<T>& Mr<T>::operator=(double d) {
  return *this = M<T>(d);
}

template <class T>
Mr<T>& Mr<T>::operator=(const Mr<T>& s) {
  const M<T> value(s, i_o);
  return *this = value;
}

template <class T>
Mr<T>& Mr<T>::operator=(const Ml<T>& s) {
  const M<T> value(s, i_o);
  return *this = value;
}

template <class T>
Mr<T> M<T>::operator()(const M<T>& r, const M<T>& c) const {
  return Mr<T>(*this, r, c);
}

// ============================================================================================
// Ml<T>: comma lists
// ============================================================================================

// The heap entry array comes from the char* instance of new_data, so that a failed
// allocation reports "Out of memory" like every other array of the runtime.
template <class T>
static const M<T>** new_entries(int count) {
  char** p = nullptr;
  new_data(p, count);
  return static_cast<const M<T>**>(static_cast<void*>(p));
}

template <class T>
static void delete_entries(const M<T>** items) {
  char** p = static_cast<char**>(static_cast<void*>(items));
  delete_data(p);
}

template <class T>
Ml<T>::Ml() : items(local), siz(16), last(-1) {
  error("Ml::Ml should not be called");
}

template <class T>
Ml<T>::Ml(const M<T>& a) : items(local), siz(16), last(0) {
  local[0] = &a;
}

template <class T>
Ml<T>::Ml(const Ml<T>& s) : items(local), siz(s.siz), last(s.last) {
  if (siz > 16) items = new_entries<T>(siz);
  for (int t = 0; t <= last; t++) items[t] = s.items[t];
}

template <class T>
Ml<T>::~Ml() {
  KORVEX_ASSERT(siz > 0);
  if (siz > 16) delete_entries(items);
}

// (clang-format mis-spaces the declaration of operator,)
// clang-format off
template <class T>
Ml<T>& Ml<T>::operator,(const M<T>& b) {
  // clang-format on
  last++;
  if (last == siz) {
    const M<T>** grown = new_entries<T>(2 * last);
    for (int t = 0; t < siz; t++) grown[t] = items[t];
    if (siz > 16) delete_entries(items);
    items = grown;
    siz = 2 * last;
  }
  items[last] = &b;
  return *this;
}

// ============================================================================================
// Construction from references and lists
// ============================================================================================

// Extraction and concatenation build straight into the new matrix: its fields start blank
// and extract()/concatenate() either share the source's block or call new_p once.
template <class T>
M<T>::M(const Mr<T>& s, i_o_t)
    : name(nullptr), type(0), m(0), n(0), capacity(0), re(nullptr), im(nullptr) {
  extract(s);
}

template <class T>
M<T>::M(const Ml<T>& s, i_o_t)
    : name(nullptr), type(0), m(0), n(0), capacity(0), re(nullptr), im(nullptr) {
  concatenate(s);
}

// Another element type: extract or concatenate in the source's type, then convert.
template <class T>
template <class U>
M<T>::M(const Mr<U>& s) : M(M<U>(s, i_o)) {}
template <class T>
template <class U>
M<T>::M(const Ml<U>& s) : M(M<U>(s, i_o)) {}

// Assignment builds the value first, so a = a(k) and a = [a, b] read a before it changes.
template <class T>
M<T>& M<T>::operator=(const Mr<T>& s) {
  const M<T> value(s, i_o);
  return *this = value;
}

template <class T>
M<T>& M<T>::operator=(const Ml<T>& s) {
  const M<T> value(s, i_o);
  return *this = value;
}

// ============================================================================================
// Extraction
// ============================================================================================

// Gathers src[pos[t] - 1] for t < count; positions are already checked.
template <class T>
static void gather(T* dst, const T* src, const Picks& pos, int count) {
  for (int t = 0; t < count; t++) dst[t] = src[pos[t] - 1];
}

// Copies the elements of src whose mask value truncates to 1, in order.
template <class T>
static void gather_mask(T* dst, const T* src, const T* mask, int count) {
  for (int t = 0; t < count; t++)
    if (marked_one(static_cast<double>(mask[t]))) *dst++ = src[t];
}

// Fills pos with the positions one index chooses along a dimension of the given extent: the
// 0-1 positions, or the rounded values, each range-checked (message fmt naming a, r and c)
// before it becomes an int. The caller sized pos from the same 0-1 decision.
template <class T>
static void pick_list(Picks& pos, const M<T>& idx, int zero_one, int extent, const char* fmt,
                      const char* a, const char* r, const char* c) {
  const T* v = idx.addr();
  const int count = idx.size();
  if (zero_one >= 0) {
    int s = 0;
    for (int t = 0; t < count; t++)
      if (marked_one(static_cast<double>(v[t]))) pos[s++] = t + 1;
    return;
  }
  for (int t = 0; t < count; t++) {
    const double p = position(static_cast<double>(v[t]));
    if (!in_range(p, extent)) error(fmt, a, r, c);
    pos[t] = static_cast<int>(p);
  }
}

// Dispatches on the number of indices; the result starts blank (see M(const Mr&, i_o_t)).
template <class T>
void M<T>::extract(const Mr<T>& src) {
  KORVEX_ASSERT(src.data.type != -1);
  KORVEX_ASSERT(src.idxr.type != -1);
  KORVEX_ASSERT(src.idxc.type != -1);
  const M<T>& d = src.data;
  name = nullptr;
  type = d.type;
  switch (src.indexed) {
    case 0:
      share_block(d, d.m, d.n);
      name = d.name;
      break;
    case 1:
      extract_one(d, src.idxr);
      break;
    case 2:
      extract_two(d, src.idxr, src.idxc);
      break;
    default:
      error("M(Mr&): unknown indexed");
  }
}

// Shares d's block under the given shape (reading through a colon copies nothing).
template <class T>
void M<T>::share_block(const M<T>& d, int rows, int cols) {
  m = rows;
  n = cols;
  capacity = d.capacity;
  re = d.re;
  im = d.im;
  setpc(pc() + 1);
}

// d(k): the no-value marker, a colon, a 0-1 index or positions.
template <class T>
void M<T>::extract_one(const M<T>& d, const M<T>& k) {
  if (d.name == noval_name) {  // reading the no-value result tests as true
    m = n = 1;
    new_p(0);
    re[0] = static_cast<T>(1);
    return;
  }
  const int count = d.m * d.n;
  if (is_colon(k.name)) {
    if (count == 0) {
      share_block(d, 0, 0);
    } else {
      share_block(d, count, 1);
    }
    return;
  }
  const int kcount = k.m * k.n;
  const int ones = kcount == count ? k.iszeroone() : -1;
  if (ones >= 0) {  // 0-1 index: keeps the elements marked 1
    m = d.m == 1 ? 1 : ones;
    n = d.m == 1 ? ones : 1;
    new_p(d.im != nullptr);
    gather_mask(re, d.re, k.re, count);
    if (im) gather_mask(im, d.im, k.re, count);
    return;
  }
  // Positions in k's order; a column source gives a column, a row a row, else k's shape.
  Picks pos(kcount);
  for (int t = 0; t < kcount; t++) {
    const double p = position(static_cast<double>(k.re[t]));
    if (!in_range(p, count)) error("%s(%s): index out of matrix", d.name, k.name);
    pos[t] = static_cast<int>(p);
  }
  if (d.n == 1) {
    m = kcount;
    n = 1;
  } else if (d.m == 1) {
    m = 1;
    n = kcount;
  } else {
    m = k.m;
    n = k.n;
  }
  new_p(d.im != nullptr);
  gather(re, d.re, pos, kcount);
  if (im) gather(im, d.im, pos, kcount);
}

// d(r, c): colons share, 0-1 lists keep the marked rows or columns, other lists choose
// positions; the chosen columns are copied one by one.
template <class T>
void M<T>::extract_two(const M<T>& d, const M<T>& r, const M<T>& c) {
  const bool all_rows = is_colon(r.name);
  const bool all_cols = is_colon(c.name);
  if (all_rows && all_cols) {
    share_block(d, d.m, d.n);
    name = d.name;
    return;
  }
  const int row_ones = !all_rows && r.size() == d.m ? r.iszeroone() : -1;
  const int col_ones = !all_cols && c.size() == d.n ? c.iszeroone() : -1;
  const int nr = all_rows ? d.m : row_ones >= 0 ? row_ones : r.size();
  const int nc = all_cols ? d.n : col_ones >= 0 ? col_ones : c.size();
  if (nr == 0 || nc == 0) {
    m = n = 0;
    new_p(d.im != nullptr);
    return;
  }

  // The first column is checked before any row, then the rows, then the other columns: the
  // order in which copying column by column meets them.
  static const char* const row_fmt = "%s(%s,%s): row index out of matrix";
  static const char* const col_fmt = "%s(%s,%s): col index out of matrix";
  if (!all_cols && col_ones < 0 && !in_range(position(static_cast<double>(c.re[0])), d.n))
    error(col_fmt, d.name, r.name, c.name);
  Picks rows(all_rows ? 0 : nr);
  if (!all_rows) pick_list(rows, r, row_ones, d.m, row_fmt, d.name, r.name, c.name);
  Picks cols(all_cols ? 0 : nc);
  if (!all_cols) pick_list(cols, c, col_ones, d.n, col_fmt, d.name, r.name, c.name);

  m = nr;
  n = nc;
  new_p(d.im != nullptr);
  for (int part = 0; part < (im ? 2 : 1); part++) {
    const T* from = part == 0 ? d.re : d.im;
    T* to = part == 0 ? re : im;
    for (int j = 0; j < nc; j++) {
      const T* column = from + static_cast<long long>(all_cols ? j : cols[j] - 1) * d.m;
      if (all_rows) {
        copy_data(to, column, nr);
      } else {
        gather(to, column, rows, nr);
      }
      to += nr;
    }
  }
}

// ============================================================================================
// Concatenation
// ============================================================================================

template <class T>
void M<T>::concatenate(const Ml<T>& src) {
  name = nullptr;
  type = 0;
  bool complex = false;

  // First pass: the shape. Entries of one row must agree in height and rows in width: the
  // language refuses ragged brackets, and a ragged result would hold unwritten elements.
  long long rows = 0;
  long long width = -1;  // common width of the non-empty rows, -1 before the first
  long long row_width = 0;
  int row_height = 0;
  for (int t = 0; t <= src.last + 1; t++) {
    const bool end_of_row = t > src.last || src.items[t]->name == semi_name;
    if (end_of_row) {
      if (row_width > 0) {
        if (width >= 0 && width != row_width) error("concatenation: rows of different widths");
        width = row_width;
        rows += row_height;
      }
      row_width = 0;
      row_height = 0;
      continue;
    }
    const M<T>& e = *src.items[t];
    if (e.im) complex = true;
    if (e.type == 1) type = 1;
    if (e.m == 0 || e.n == 0) continue;
    if (row_width > 0 && e.m != row_height)
      error("concatenation: entries of different heights in one row");
    row_width += e.n;
    row_height = e.m;
  }
  if (width < 0) width = 0;
  if (static_cast<double>(rows) * static_cast<double>(width) > max_matrix_elements)
    error_too_large(name);
  m = static_cast<int>(rows);
  n = static_cast<int>(width);
  new_p(complex);
  if (m == 0) return;

  // Second pass: each entry's columns into place.
  long long row_off = 0;
  long long col_off = 0;
  row_height = 0;
  for (int t = 0; t <= src.last; t++) {
    const M<T>& e = *src.items[t];
    if (e.name == semi_name) {
      row_off += row_height;
      col_off = 0;
      row_height = 0;
      continue;
    }
    if (e.m == 0 || e.n == 0) continue;
    for (int j = 0; j < e.n; j++) {
      const long long at = row_off + (col_off + j) * m;
      copy_data(re + at, e.re + static_cast<long long>(j) * e.m, e.m);
      if (im)
        rules::copy_or_zero(im + at, e.im ? e.im + static_cast<long long>(j) * e.m : nullptr, e.m);
    }
    col_off += e.n;
    row_height = e.m;
  }
}

// ============================================================================================
// Instantiation for the four element types
// ============================================================================================

#define KORVEX_INDEX_MEMBERS(T)                 \
  template class Mr<T>;                         \
  template class Ml<T>;                         \
  template M<T>::M(const Mr<T>&, i_o_t);        \
  template M<T>::M(const Ml<T>&, i_o_t);        \
  template M<T>& M<T>::operator=(const Mr<T>&); \
  template M<T>& M<T>::operator=(const Ml<T>&); \
  template Mr<T> M<T>::operator()(const M<T>&, const M<T>&) const;

#define KORVEX_INDEX_CONVERSION(T, U) \
  template M<T>::M(const Mr<U>&);     \
  template M<T>::M(const Ml<U>&);

KORVEX_INDEX_MEMBERS(double)
KORVEX_INDEX_MEMBERS(float)
KORVEX_INDEX_MEMBERS(int)
KORVEX_INDEX_MEMBERS(unsigned char)

KORVEX_INDEX_CONVERSION(double, float)
KORVEX_INDEX_CONVERSION(double, int)
KORVEX_INDEX_CONVERSION(double, unsigned char)
KORVEX_INDEX_CONVERSION(float, double)
KORVEX_INDEX_CONVERSION(float, int)
KORVEX_INDEX_CONVERSION(float, unsigned char)
KORVEX_INDEX_CONVERSION(int, double)
KORVEX_INDEX_CONVERSION(int, float)
KORVEX_INDEX_CONVERSION(int, unsigned char)
KORVEX_INDEX_CONVERSION(unsigned char, double)
KORVEX_INDEX_CONVERSION(unsigned char, float)
KORVEX_INDEX_CONVERSION(unsigned char, int)

}  // namespace korvex
