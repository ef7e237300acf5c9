// matrix.h: the matrix value type M<T>, index references Mr<T>, comma lists Ml<T> and int_vec.
#ifndef KORVEX_MATRIX_H
#define KORVEX_MATRIX_H

#include <cmath>

#include "korvex/base.h"

namespace korvex {

// ============================================================================================
// The matrix value type (matrix/matrix.cpp)
// ============================================================================================

template <class T>
class M;
template <class T>
class Mr;
template <class T>
class Ml;

// Output-count token: selects the multi-output form of a builtin. Its value is never read.
struct i_o_t {
  int tag;
};
extern i_o_t i_o;

// Marker name pointers: a matrix whose name pointer equals one of these is that marker.
extern const char* const colon_name;    // c_p, ":"
extern const char* const semi_name;     // semi, ";"
extern const char* const noval_name;    // x_M, "x_M"
extern const char* const missing_name;  // missing_M, "l_M"

// The largest element count a matrix may have (16·(count+14) must fit 32 bits).
constexpr long long max_matrix_elements = 268435438;

// The element M<T>(d) holds: T's ordinary conversion of d (matrix/matrix.cpp for the integers).
template <class T>
T element_of(double d);
template <>
inline double element_of<double>(double d) {
  return d;
}
template <>
inline float element_of<float>(double d) {
  return static_cast<float>(d);
}
template <>
int element_of<int>(double d);
template <>
unsigned char element_of<unsigned char>(double d);

// A two-dimensional, column-major, 1-based matrix of T (double, float, int, unsigned char),
// real or complex. Copies share one element block whose header keeps the share count pc;
// writers unshare first (dirty()). Element access tiers: addr/addi (unchecked),
// r/i (checked, report through error), vwcopy and Mr assignment (unshare before writing).
template <class T>
class M {
 public:
  M();
  M(int c, int m, int n);
  M(const char* name, int m, int n);
  M(const char* s);
  M(double d);
  M(int d) : M(static_cast<double>(d)) {}
  M(const M& src);
  template <class U>
  M(const M<U>& src);
  M(const Mr<T>& s, i_o_t);
  M(const Ml<T>& s, i_o_t);
  M(const Mr<T>& s);
  M(const Ml<T>& s);
  template <class U>
  M(const Mr<U>& s);
  template <class U>
  M(const Ml<U>& s);
  ~M();

  M& operator=(const M& src);
  M& operator=(double d);
  M& operator=(int d) { return *this = static_cast<double>(d); }
  M& operator=(const char* s);
  M& operator=(const Mr<T>& s);
  M& operator=(const Ml<T>& s);

  Mr<T> operator()(const M& k) const;
  Mr<T> operator()(const M& r, const M& c) const;

  int rows() const { return m; }
  int cols() const { return n; }
  int size() const { return m * n; }
  int getdm() const { return type; }
  void setdm(int t) { type = t; }
  const char* getname() const { return name; }
  void setname(const char* s) { name = s; }
  int isc() const { return im != nullptr; }
  int issamename(const char* p) const { return name == p; }
  void rowcol() {
    int t = m;
    m = n;
    n = t;
  }
  int getcapacity() const { return capacity; }

  // Unchecked element addresses (1-based, column-major).
  T* addr() const { return re; }
  T* addi() const { return im; }
  T* addr(int i, int j) const { return re + (i - 1) + (j - 1) * m; }
  T* addi(int i, int j) const { return im + (i - 1) + (j - 1) * m; }

  // Checked element addresses; indices are truncated toward zero after the range test.
  T* r() const;
  T* r(double k) const;
  T* r(double row, double col) const;
  T* i() const;
  T* i(double k) const;
  T* i(double row, double col) const;

  int dirty() const { return pc() > 1; }
  int iszeroone() const;
  void analyze(int& lo, int& hi, int& ones) const;
  int getreal();
  int getcomplex();
  void deepcopy(int c, const M& src);
  void new_p(int c);
  void delete_p();

  void vwcopy(const M& b, const M& k);
  void vwcopy(const M& b, const M& r, const M& c);

  // Share count kept in the first 32-bit word of the block header (8 slots before re).
  int pc() const {
    int v;
    std::memcpy(&v, header(), sizeof v);
    return v;
  }
  void setpc(int v) { std::memcpy(header(), &v, sizeof v); }

 private:
  template <class U>
  friend class M;
  friend class Mr<T>;
  friend class Ml<T>;

  // The block layout: a header of 8 slots, then capacity slots per part, im starting
  // capacity + 8 slots after re. A block made for count elements has capacity count + 6, so a
  // 1x1 matrix has 7 and always lives in a pool chunk (2·15·sizeof(T) <= 256).
  static constexpr int header_slots = 8;
  static constexpr int spare_slots = 6;
  static constexpr int scalar_capacity = 1 + spare_slots;

  char* header() const { return reinterpret_cast<char*>(re) - header_slots * sizeof(T); }
  struct growth_room {};
  M(growth_room, int c, int rows, int cols);             // a block with growth room
  void new_block(int c, bool growth);                    // new_p past its inline case
  void grow_block(int c, int rows, int cols, int keep);  // one-index growth into a new block
  [[noreturn]] void bad_count(int count) const;          // the destructor's share-count faults
  M& assign_new_scalar(double d);                        // operator=(double) in a new block
  bool read_scalar(const Mr<T>& s);                      // the 1x1 fast paths of a(k), a(k) = b
  bool write_scalar(const M& b, const M& k);
  void extract(const Mr<T>& s);      // indexing into this fresh matrix
  void concatenate(const Ml<T>& s);  // list into this fresh matrix
  // The cases of extraction (matrix/index.cpp).
  void share_block(const M& d, int rows, int cols);
  void extract_one(const M& d, const M& k);
  void extract_two(const M& d, const M& r, const M& c);
  // The cases of subscripted assignment (matrix/assign.cpp).
  bool writable(int need, bool cplx) const;
  void assign_colon(const M& b);
  void assign_zero_one(const M& b, const M& k, int ones);
  void assign_positions(const M& b, const M& k, double hi);
  void delete_listed(const M& k, bool zero_one);
  void assign_block(const M& b, const M& r, const M& c);
  void delete_rows_cols(const M& r, const M& c);

  const char* name;  // not owned; markers are recognised by this pointer
  int type;          // 0 numeric, 1 text, -1 destroyed
  int m;             // rows
  int n;             // columns
  int capacity;      // element slots per part: count at allocation + 6, more after growth
  T* re;             // first real element, 8 slots past the block start
  T* im;             // first imaginary element, or null for a real matrix
};

// An index reference a(), a(k) or a(r, c): reading extracts, assigning writes through vwcopy.
template <class T>
class Mr {
 public:
  explicit Mr(const M<T>& a);
  Mr(const M<T>& a, const M<T>& k);
  Mr(const M<T>& a, const M<T>& r, const M<T>& c);
  Mr(const Mr& s) = default;
  ~Mr();

  Mr& operator=(const M<T>& b);
  Mr& assign(const M<T>& b);  // operator=(b) past the fast path (matrix/index.cpp)
  Mr& operator=(double d);
  Mr& operator=(const Mr& s);
  Mr& operator=(const Ml<T>& s);

  int indexed;  // 0 whole matrix, 1 one index, 2 row and column; -1 once destroyed
  M<T>& data;
  const M<T>& idxr;
  const M<T>& idxc;
};

// A comma list of matrices for concatenation; holds pointers it does not own.
template <class T>
class Ml {
 public:
  Ml();  // always an error: lists start from a matrix
  explicit Ml(const M<T>& a);
  Ml(const Ml& s);
  ~Ml();
  Ml& operator=(const Ml&) = delete;
  Ml& operator,(const M<T>& b);

  const M<T>* local[16];
  const M<T>** items;  // local, or a heap array once the list outgrows it
  int siz;             // capacity of items
  int last;            // index of the last entry
};

// ============================================================================================
// Inline paths. Scalar code creates, shares and destroys 1x1 matrices and reads and writes
// single elements all the time; these paths do it without a call. Everything else goes to the
// general members in matrix/*.cpp, which give the same results.
// ============================================================================================

// Blocks of a pool chunk inline (2·(count + 14)·sizeof(T) <= 256: up to 2 doubles, 18 floats
// or ints, 114 unsigned chars), the others and every fault in new_block.
template <class T>
inline void M<T>::new_p(int c) {
  constexpr int pool_count = fs_chunk_bytes / (2 * sizeof(T)) - header_slots - spare_slots;
  if (m < 0 || n < 0 || m > pool_count || n > pool_count || m * n > pool_count)
    return new_block(c, false);
  if (m == 0 || n == 0) m = n = 0;
  const int slots = m * n + header_slots + spare_slots;
  T* const first = static_cast<T*>(newFS()) + header_slots;
  // re and im stored together: callers read them as one pair, which stalls the processor when
  // they were stored one by one just before.
  capacity = slots - header_slots;
  re = first;
  im = c ? first + slots : nullptr;
  setpc(1);
}

// The same rule as allocation decides the source, from capacity alone, so a block that grew in
// place or lost its imaginary part goes back where it came from.
template <class T>
inline void M<T>::delete_p() {
  KORVEX_ASSERT(re != nullptr);
  T* block = re - header_slots;
  const long long slots = static_cast<long long>(capacity) + header_slots;
  if (2 * slots * static_cast<long long>(sizeof(T)) <= fs_chunk_bytes)
    deleteFS(block);
  else
    delete_data(block);
  re = im = nullptr;
}

// All fields in the initialisers: a 1x1 block is always a pool chunk.
template <class T>
inline M<T>::M(double d)
    : name(nullptr),
      type(0),
      m(1),
      n(1),
      capacity(scalar_capacity),
      re(static_cast<T*>(newFS()) + header_slots),
      im(nullptr) {
  setpc(1);
  re[0] = element_of<T>(d);
}

template <class T>
inline M<T>::M(const M& src)
    : name(src.name),
      type(src.type),
      m(src.m),
      n(src.n),
      capacity(src.capacity),
      re(src.re),
      im(src.im) {
  KORVEX_ASSERT(m >= 0);
  KORVEX_ASSERT(n >= 0);
  setpc(pc() + 1);
}

// The destroyed mark and the null re that delete_p leaves must outlive the destructor, so that
// a second destruction is caught (the korvex target compiles its users with -fno-lifetime-dse
// under GCC, which would drop them otherwise).
template <class T>
inline M<T>::~M() {
  // A matrix whose block went back through delete_p has no count left to read.
  const int count = re ? pc() : 0;
  if (count < 0 || count > 1000) bad_count(count);
  KORVEX_ASSERT(type != -1);
  type = -1;
  if (count > 0) {
    setpc(count - 1);
    if (count == 1) delete_p();
  }
}

// When both already share one block its count is at least 2 before the release, so it
// survives. im is copied after the count: reading re and im as one pair right after a
// constructor stored them one by one stalls the processor.
template <class T>
inline M<T>& M<T>::operator=(const M& src) {
  if (this == &src) return *this;
  const int count = pc() - 1;
  setpc(count);
  if (count == 0) delete_p();
  type = src.type;
  m = src.m;
  n = src.n;
  capacity = src.capacity;
  re = src.re;
  setpc(pc() + 1);
  im = src.im;
  return *this;
}

// A block of its own that was allocated for one element is rewritten in place: releasing it
// and allocating anew would give back a block of the same source and capacity.
template <class T>
inline M<T>& M<T>::operator=(double d) {
  if (capacity != scalar_capacity || pc() != 1) return assign_new_scalar(d);
  type = 0;
  m = n = 1;
  im = nullptr;
  re[0] = element_of<T>(d);
  return *this;
}

// d(k) with a 1x1 real-valued k that names an element: the element, real or complex, with d's
// display kind. x >= 1 keeps out the 0-1 reading that a 1-element d gives an index in [0.5, 1).
template <class T>
inline bool M<T>::read_scalar(const Mr<T>& s) {
  const M& d = s.data;
  const M& k = s.idxr;
  KORVEX_ASSERT(d.type != -1);
  KORVEX_ASSERT(k.type != -1);
  if (s.indexed != 1 || k.m != 1 || k.n != 1 || k.name == colon_name || d.name == noval_name)
    return false;
  const double x = static_cast<double>(k.re[0]);
  const double p = std::floor(x + 0.5);  // rounded half up, as every index
  if (!(x >= 1 && p <= static_cast<double>(d.m) * d.n)) return false;
  const int at = static_cast<int>(p) - 1;
  type = d.type;
  m = n = 1;
  new_p(d.im != nullptr);
  re[0] = d.re[at];
  if (im) im[0] = d.im[at];
  return true;
}

// this(k) = b with 1x1 real b and k, k naming an element or a place within capacity, this real
// and its block its own (and neither b's nor k's): the element is written in place, after
// growth into the spare slots as one-index growth does it (a row unless this has two rows or
// more, new elements zero). The display kind stays.
template <class T>
inline bool M<T>::write_scalar(const M& b, const M& k) {
  if (k.m != 1 || k.n != 1 || b.m != 1 || b.n != 1 || im || b.im || k.name == colon_name ||
      b.re == re || k.re == re || dirty())
    return false;
  const double x = static_cast<double>(k.re[0]);
  const double p = std::floor(x + 0.5);
  if (!(x >= 1 && p <= capacity)) return false;
  const int at = static_cast<int>(p);
  const int count = m * n;
  if (at > count) {
    if (m < 2) {
      m = 1;
      n = at;
    } else {
      m = at;
      n = 1;
    }
    for (int t = count; t < at - 1; t++) re[t] = T();
  }
  re[at - 1] = b.re[0];
  return true;
}

template <class T>
inline Mr<T>::Mr(const M<T>& a, const M<T>& k)
    : indexed(1), data(const_cast<M<T>&>(a)), idxr(k), idxc(a) {}

template <class T>
inline Mr<T>::~Mr() {
  KORVEX_ASSERT(indexed != -1);
  indexed = -1;
}

// The call operator is const, yet a(k) = b writes into a: the reference drops the const here,
// and writes through a const matrix are the translated code's business.
template <class T>
inline Mr<T> M<T>::operator()(const M<T>& k) const {
  return Mr<T>(*this, k);
}

template <class T>
inline Mr<T>& Mr<T>::operator=(const M<T>& b) {
  if (indexed == 1 && data.write_scalar(b, idxr)) return *this;
  return assign(b);
}

// Reading a reference or a list into a matrix: extraction or concatenation (matrix/index.cpp).
// Defined here because an explicit instantiation cannot tell these two apart from the member
// templates M(const Mr<U>&) and M(const Ml<U>&) with U = T.
template <class T>
inline M<T>::M(const Mr<T>& s)
    : name(nullptr), type(0), m(0), n(0), capacity(0), re(nullptr), im(nullptr) {
  if (!read_scalar(s)) extract(s);
}
template <class T>
inline M<T>::M(const Ml<T>& s) : M(s, i_o) {}

template <class T>
Ml<T> operator,(const M<T>& a, const M<T>& b) {
  Ml<T> l(a);
  l, b;
  return l;
}

// Index vector of subscripted deletion: size+1 ints, indices 0..size checked by assertion.
class int_vec {
 public:
  explicit int_vec(int size);
  ~int_vec();
  int_vec(const int_vec&) = delete;
  int_vec& operator=(const int_vec&) = delete;
  int& operator[](int i);

 private:
  int* v;
  int size;
};

}  // namespace korvex

#endif  // KORVEX_MATRIX_H
