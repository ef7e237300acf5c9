// matrix.h: the matrix value type M<T>, index references Mr<T>, comma lists Ml<T> and int_vec.
#ifndef KORVEX_MATRIX_H
#define KORVEX_MATRIX_H

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

  char* header() const { return reinterpret_cast<char*>(re) - 8 * sizeof(T); }
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
  int capacity;      // element slots per part of the block: count at allocation + 6
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

// Reading a reference or a list into a matrix: extraction or concatenation (matrix/index.cpp).
// Defined here because an explicit instantiation cannot tell these two apart from the member
// templates M(const Mr<U>&) and M(const Ml<U>&) with U = T.
template <class T>
inline M<T>::M(const Mr<T>& s) : M(s, i_o) {}
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
