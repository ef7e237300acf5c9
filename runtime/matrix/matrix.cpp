// matrix.cpp: the matrix value type M<T>: allocation of the counted element block, sharing and
// release, checked element access, the element-type conversions and the small value members.
#include <algorithm>

#include "index_rules.h"

namespace korvex {

namespace {

// ============================================================================================
// Element conversions
// ============================================================================================

// Floating values convert by saturating truncation: C++ leaves the conversion of NaN and of
// values outside int's range undefined, so that no element value can trap.
using rules::trunc_to_int;

// The language's ordinary conversion of one element: floating to int truncates toward zero,
// anything to unsigned char keeps the low 8 bits (of the truncated value for floating types).
template <class To>
struct elem_cast {
  template <class From>
  static To from(From x) {
    return static_cast<To>(x);
  }
};
template <>
struct elem_cast<int> {
  static int from(double x) { return trunc_to_int(x); }
  static int from(float x) { return trunc_to_int(x); }
  static int from(int x) { return x; }
  static int from(unsigned char x) { return x; }
};
template <>
struct elem_cast<unsigned char> {
  static unsigned char from(double x) { return static_cast<unsigned char>(trunc_to_int(x)); }
  static unsigned char from(float x) { return static_cast<unsigned char>(trunc_to_int(x)); }
  static unsigned char from(int x) { return static_cast<unsigned char>(x); }
  static unsigned char from(unsigned char x) { return x; }
};

template <class To, class From>
void convert_data(To* dst, const From* src, int n) {
  for (int k = 0; k < n; ++k) dst[k] = elem_cast<To>::from(src[k]);
}

// Character codes of a text matrix: read as signed char for the numeric types, so codes 128
// to 255 become negative, and stored unchanged in an unsigned char matrix.
template <class T>
T char_code(char c) {
  return static_cast<T>(static_cast<signed char>(c));
}
template <>
unsigned char char_code<unsigned char>(char c) {
  return static_cast<unsigned char>(c);
}

// ============================================================================================
// Element blocks
// ============================================================================================

// Slots beyond the element count: the header plus 6 spare slots per part for in-place growth.
constexpr int extra_slots = 14;

// Whether a block of e slots per part lives in a pool chunk. Decided from e alone, real or
// complex, so that release finds the allocator the block came from even after the matrix
// grew in place or dropped its imaginary part.
template <class T>
bool in_pool(int e) {
  return 2 * static_cast<long long>(e) * static_cast<long long>(sizeof(T)) <= fs_chunk_bytes;
}

// Slots per part of a block that one-index growth makes for count elements, when the usual
// rule would take it from the general allocator: half as many again as count (at least the
// usual 6 spare), so that appending element by element reallocates O(log n) times and copies
// each element O(1) times on average. The capacity stays within the largest matrix.
long long growth_slots(long long count) {
  const long long spare = std::max((count + 1) / 2, 6LL);
  const long long cap = std::min(count + spare, std::max(count + 6, max_matrix_elements));
  return cap + 8;  // and the header
}

}  // namespace

template <>
int element_of<int>(double d) {
  return elem_cast<int>::from(d);
}
template <>
unsigned char element_of<unsigned char>(double d) {
  return elem_cast<unsigned char>::from(d);
}

// ============================================================================================
// Allocation and release
// ============================================================================================

// new_p past its inline case (matrix.h: blocks of a pool chunk), and the blocks of one-index
// growth. A growth block that the usual rule puts in a pool chunk takes the whole chunk.
template <class T>
void M<T>::new_block(int c, bool growth) {
  // The true product of the counts: 268435439 elements and more would overflow the 32-bit
  // byte count 16*(count+14) of a complex double block.
  const long long count = static_cast<long long>(m > 0 ? m : 0) * (n > 0 ? n : 0);
  if (count > max_matrix_elements) error_too_large(name);
  if (count <= 0) m = n = 0;
  int e = static_cast<int>(count) + extra_slots;
  const bool pool = in_pool<T>(e);
  if (growth) e = static_cast<int>(pool ? fs_chunk_bytes / (2 * sizeof(T)) : growth_slots(count));
  T* block;
  if (pool)
    block = static_cast<T*>(newFS());
  else
    new_data(block, c ? 2 * e : e);
  re = block + header_slots;
  im = c ? re + e : nullptr;
  capacity = e - header_slots;
  setpc(1);
}

template <class T>
M<T>::M(growth_room, int c, int rows, int cols)
    : name(nullptr), type(0), m(rows), n(cols), capacity(0), re(nullptr), im(nullptr) {
  new_block(c, true);
}

// Replaces the block by one of rows x cols with growth room holding the first keep elements
// (imaginary parts zero when this matrix was real); name and display kind stay. The new
// block is made before the old one goes, so a failed allocation leaves this matrix whole.
template <class T>
void M<T>::grow_block(int c, int rows, int cols, int keep) {
  M fresh(growth_room{}, c, rows, cols);
  copy_data(fresh.re, re, keep);
  if (c) rules::copy_or_zero(fresh.im, im, keep);
  fresh.type = type;
  *this = fresh;
}

// ============================================================================================
// Construction, destruction, assignment
// ============================================================================================

template <class T>
M<T>::M() : name(nullptr), type(0), m(0), n(0), capacity(0), re(nullptr), im(nullptr) {
  new_p(0);
}

template <class T>
M<T>::M(int c, int rows, int cols)
    : name(nullptr), type(0), m(rows), n(cols), capacity(0), re(nullptr), im(nullptr) {
  new_p(c);
}

template <class T>
M<T>::M(const char* nm, int rows, int cols)
    : name(nm), type(0), m(rows), n(cols), capacity(0), re(nullptr), im(nullptr) {
  new_p(0);
}

template <class T>
M<T>::M(const char* s) : name(nullptr), type(1), m(0), n(0), capacity(0), re(nullptr), im(nullptr) {
  // Text of an absent argument stays the absent-argument filler.
  if (s == missing_name) name = s;
  const size_t len = s ? std::strlen(s) : 0;
  if (len > static_cast<size_t>(max_matrix_elements)) error_too_large(name);
  if (len > 0) {
    m = 1;
    n = static_cast<int>(len);
  }
  new_p(0);
  for (int k = 0; k < n; ++k) re[k] = char_code<T>(s[k]);
}

template <class T>
template <class U>
M<T>::M(const M<U>& src)
    : name(nullptr), type(0), m(src.m), n(src.n), capacity(0), re(nullptr), im(nullptr) {
  new_p(src.isc());
  const int count = m * n;
  convert_data(re, src.re, count);
  if (im) convert_data(im, src.im, count);
  name = src.name;
  type = src.type;
}

template <class T>
void M<T>::bad_count(int count) const {
  if (count < 0) error("PC too small for matrix %s", name);
  error("PC too big for matrix %s", name);
}

// operator=(double) when the block is shared or not a 1x1 one: the new block is made before
// the old one is released, so that a failed allocation leaves this matrix whole.
template <class T>
M<T>& M<T>::assign_new_scalar(double d) {
  const M one(d);
  return *this = one;
}

template <class T>
M<T>& M<T>::operator=(const char* s) {
  const M text(s);
  return *this = text;
}

// ============================================================================================
// Checked element access
// ============================================================================================

// Range tests run on the double index before truncation, written so that NaN fails them.

template <class T>
T* M<T>::r() const {
  if (m == 0 || n == 0) error("%s.r(): matrix is empty", name);
  return re;
}

template <class T>
T* M<T>::r(double k) const {
  if (!(k >= 1 && k <= static_cast<double>(m) * n)) error("%s.r(idx): idx out of matrix", name);
  return re + (static_cast<int>(k) - 1);
}

template <class T>
T* M<T>::r(double row, double col) const {
  if (!(row >= 1 && row <= m && col >= 1 && col <= n))
    error("%s.r(row,col): row or col out of matrix", name);
  return re + (static_cast<int>(row) - 1) + (static_cast<int>(col) - 1) * m;
}

template <class T>
T* M<T>::i() const {
  if (m == 0 || n == 0) error("%s.i(): matrix is empty", name);
  KORVEX_ASSERT(im != nullptr);
  return im;
}

template <class T>
T* M<T>::i(double k) const {
  if (!(k >= 1 && k <= static_cast<double>(m) * n)) error("%s.i(idx): idx out of matrix", name);
  KORVEX_ASSERT(im != nullptr);
  return im + (static_cast<int>(k) - 1);
}

template <class T>
T* M<T>::i(double row, double col) const {
  if (!(row >= 1 && row <= m && col >= 1 && col <= n))
    error("%s.i(row,col): row or col out of matrix", name);
  KORVEX_ASSERT(im != nullptr);
  return im + (static_cast<int>(row) - 1) + (static_cast<int>(col) - 1) * m;
}

// ============================================================================================
// Value members
// ============================================================================================

// A 0-1 index: every real element truncates to 0 or 1, i.e. lies strictly between -1 and 2
// (NaN does not). Returns the number of ones, or -1.
template <class T>
int M<T>::iszeroone() const {
  const int count = m * n;
  if (count == 0) return -1;
  int ones = 0;
  for (int k = 0; k < count; ++k) {
    const double x = re[k];
    if (!(x > -1 && x < 2)) return -1;
    if (rules::marked_one(x)) ++ones;
  }
  return ones;
}

// lo and hi: the least and greatest index rounded half up by truncating x + 0.5 (so -3 gives
// -2), saturated to int, with NaN read as 0; ones: the elements that truncate to 1.
template <class T>
void M<T>::analyze(int& lo, int& hi, int& ones) const {
  lo = hi = ones = 0;
  const int count = m * n;
  if (count == 0) return;
  const index_rules::IndexSummary s = index_rules::summarize_index(re, count);
  double low = s.lo;
  double high = s.hi;
  if (s.has_nan) {
    low = low < 0 ? low : 0;
    high = high > 0 ? high : 0;
  }
  lo = trunc_to_int(low);
  hi = trunc_to_int(high);
  ones = s.ones;
}

template <class T>
int M<T>::getreal() {
  if (im == nullptr) return 0;
  const int count = m * n;
  int k = 0;
  while (k < count && im[k] == 0) ++k;  // -0.0 counts as zero, NaN stops the scan
  if (k == count) im = nullptr;         // the block keeps its size; capacity still names its source
  return im != nullptr;
}

template <class T>
int M<T>::getcomplex() {
  if (im == nullptr) deepcopy(1, *this);
  return 1;
}

template <class T>
void M<T>::deepcopy(int c, const M& src) {
  M copy(c, src.m, src.n);
  const int count = copy.m * copy.n;
  copy_data(copy.re, src.re, count);
  if (c) rules::copy_or_zero(copy.im, src.im, count);
  copy.type = src.type;
  *this = copy;
}

// ============================================================================================
// Instantiations
// ============================================================================================

// Members defined in index.cpp and assign.cpp are only declared here, so these instantiate
// just the members of this file.
template class M<double>;
template class M<float>;
template class M<int>;
template class M<unsigned char>;

template M<double>::M(const M<float>&);
template M<double>::M(const M<int>&);
template M<double>::M(const M<unsigned char>&);
template M<float>::M(const M<double>&);
template M<float>::M(const M<int>&);
template M<float>::M(const M<unsigned char>&);
template M<int>::M(const M<double>&);
template M<int>::M(const M<float>&);
template M<int>::M(const M<unsigned char>&);
template M<unsigned char>::M(const M<double>&);
template M<unsigned char>::M(const M<float>&);
template M<unsigned char>::M(const M<int>&);

}  // namespace korvex
