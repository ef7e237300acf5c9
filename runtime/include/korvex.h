// korvex.h: the one public header of the korvex matrix runtime.
// Declares the matrix value type M<T> with its index references Mr<T> and comma lists Ml<T>,
// element storage, error reporting, the runtime globals, the operation codes, the math kernels,
// the engines and the builtins. Everything lives in namespace korvex.
#ifndef KORVEX_H
#define KORVEX_H

#include <cstring>
#include <iosfwd>

namespace korvex {

// ============================================================================================
// Error and warning reporting (services/error.cpp)
// ============================================================================================

// The runtime streams; null until the start-up routine binds them. While null, errors and
// warnings go to the process's standard error and display text to standard output.
extern std::istream* korlibin_p;
extern std::ostream* korlibout_p;
extern std::ostream* korliberr_p;
std::ostream& err_stream();  // *korliberr_p, or std::cerr while unbound
std::ostream& out_stream();  // *korlibout_p, or std::cout while unbound

const char* safe_str(const char* s);  // s, or "?" for a null pointer

// Writes "error: MSG" and an end of line to the error stream, then exit(1).
// Formatted forms format into a 200-character buffer (cut, never overflowed); every string
// argument passes through safe_str.
[[noreturn]] void error(const char* msg);
[[noreturn]] void error(const char* fmt, const char* a);
[[noreturn]] void error(const char* fmt, int n);
[[noreturn]] void error(const char* fmt, const char* a, const char* b);
[[noreturn]] void error(const char* fmt, const char* a, const char* b, const char* c);
[[noreturn]] void error(const char* fmt, const char* a, const char* b, const char* c,
                        const char* d);
[[noreturn]] void error(const char* fmt, const char* a, const char* b, const char* c, const char* d,
                        const char* e);
// Writes "warning: MSG" and an end of line to the error stream; returns 0.
int warning(const char* msg);
int warning(const char* fmt, const char* a);
int warning(const char* fmt, const char* a, const char* b);

// Internal invariants. Prints "FILE:LINE: failed assertion `COND'" on the process's standard
// error (FILE is the source file's base name, COND the condition without blanks) and aborts.
[[noreturn]] void assert_fail(const char* file, unsigned line, const char* cond);
#define KORVEX_ASSERT(cond) \
  ((cond) ? static_cast<void>(0) : ::korvex::assert_fail(__FILE__, __LINE__, #cond))

// ============================================================================================
// Element storage and the chunk pool (matrix/storage.cpp)
// ============================================================================================

// Typed element arrays, instantiated for double, float, int, unsigned char, char and char*.
template <class T>
void new_data(T*& p, int n);  // max(n,1) elements; "Out of memory"
template <class T>
void delete_data(T*& p);  // asserts p!=NULL; sets p to null
template <class T>
void copy_data(T* dst, const T* src, int n);  // no-op for n<1 or null
template <class T>
void fill_data(T* p, int n, T v);
template <class T>
void zero_data(T* p, int n);

// The FS pool: 256-byte chunks cut from 16384-byte blocks, at most 128 blocks.
constexpr int fs_chunk_bytes = 256;
constexpr int fs_block_bytes = 16384;
constexpr int fs_max_blocks = 128;
extern void* fs_free;  // head of the free list; a free chunk's first word links the next
extern int fs_used;    // chunks handed out and not yet returned
extern int fs_last;    // index of the last block in fs_blocks, -1 when the pool is empty
extern void* fs_blocks[fs_max_blocks];
void* fs_grow_and_take();  // newFS without a free chunk: adds a block (storage.cpp)
void fs_release_all();     // deleteFS of the last live chunk: frees every block (storage.cpp)

// Taking and returning a chunk is inline: one list operation, no call on the common path.
inline void* newFS() {
  ++fs_used;
  void* chunk = fs_free;
  if (chunk == nullptr) return fs_grow_and_take();
  std::memcpy(&fs_free, chunk, sizeof fs_free);
  return chunk;
}
inline void deleteFS(void* p) {
  --fs_used;
  std::memcpy(p, &fs_free, sizeof fs_free);
  fs_free = p;
  if (fs_used == 0) fs_release_all();
}

// ============================================================================================
// Operation codes shared by the binary, unary, column and fill engines.
// ORDER OP: binary_op_name's table and the engines' switches follow these values.
// ============================================================================================

enum OpCode {
  op_lt = 0,        // <
  op_gt = 1,        // > (named only; the engine gets < with exchanged operands)
  op_le = 2,        // <=
  op_ge = 3,        // >= (named only)
  op_eq = 4,        // ==
  op_ne = 5,        // !=
  op_or = 6,        // |
  op_and = 7,       // &
  op_add = 8,       // +
  op_sub = 9,       // -
  op_mul = 11,      // .*
  op_div = 12,      // ./
  op_pow = 13,      // .^
  op_atan2 = 15,    // atan2
  op_rem = 16,      // rem
  op_invdiv = 17,   // .\ (b ./ a)
  op_xor = 18,      // xor
  op_realpow = 19,  // realpow
  // Unary codes.
  op_not = 20,
  op_neg = 21,
  op_abs = 22,
  op_ceil = 23,
  op_conj = 24,
  op_cos = 25,
  op_sin = 26,
  op_tan = 27,
  op_sec = 28,
  op_csc = 29,
  op_cot = 30,
  op_acos = 31,
  op_asin = 32,
  op_atan = 33,
  op_asec = 34,
  op_acsc = 35,
  op_acot = 36,
  op_cosh = 37,
  op_sinh = 38,
  op_tanh = 39,
  op_sech = 40,
  op_csch = 41,
  op_coth = 42,
  op_acosh = 43,
  op_asinh = 44,
  op_atanh = 45,
  op_asech = 46,
  op_acsch = 47,
  op_acoth = 48,
  op_exp = 49,
  op_fix = 50,
  op_floor = 51,
  op_imag = 52,
  op_log = 53,
  op_log10 = 54,
  op_real = 55,
  op_round = 56,
  op_sign = 57,
  op_sqrt = 58,
  op_tril = 59,
  op_triu = 60,
  op_isinf = 61,
  op_isnan = 62,
  op_finite = 63,
  op_log2 = 64,
  op_pow2 = 65,  // unary 2.^x, and binary a·2^b
  op_angle = 66,
  op_arg = 67,
  op_reallog = 68,
  op_realsqrt = 69,
  op_cumprod = 70,
  op_cumsum = 71,
  // Column codes (77 and 78 also serve the binary engine).
  op_prod = 72,
  op_sum = 73,
  op_all = 74,
  op_any = 75,
  op_sumabs = 76,
  op_min = 77,
  op_max = 78,
  // Fill codes.
  op_zeros = 79,
  op_czeros = 80,
  op_ones = 81,
  op_eye = 82,
  op_rand = 83,
  op_randn = 84,
};

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

// ============================================================================================
// Runtime globals (services/globals.cpp), in construction order.
// ============================================================================================

extern M<double> TICTOC, computer_name, version, i, j, d_M;
extern M<float> f_M;
extern M<double> mfilename, stdinM, stdoutM, stderrM, pi, Inf, NaN, eps, lasterr, x_M, semi,
    missing_M, c_p, nop_M;

extern double inf_value, nan_value, eps_double, eps_float, pi_value;
extern double nargin, nargout;
extern int nargin_set, nargout_set;
extern int byte_order_flag, trace_startup;
extern char viewer_cmd[256], player_cmd[256], plotter_cmd[256];

void eps_of(double& x);
void eps_of(float& x);
void eps_of(int& x);
void eps_of(unsigned char& x);
template <class T>
M<T> missing_as();  // missing_M converted to element type T
[[noreturn]] void junk_func1M(M<double> a);
[[noreturn]] void junk_func2M(M<double> a, M<double> b);
[[noreturn]] void junk_func3M(M<double> a, M<double> b, M<double> c);
[[noreturn]] void junk_func4M(M<double> a, M<double> b, M<double> c, M<double> d);

// ============================================================================================
// Scalar and complex kernels (ops/kernels.cpp). Inside namespace korvex these names hide the
// C library's: call the platform functions as std::sqrt, std::log, ...
// ============================================================================================

double max(double a, double b);  // NaN if a is NaN; else a > b ? a : b
double min(double a, double b);  // NaN if either is NaN; else a < b ? a : b
double max(double a, double b, double c);
float max(float a, float b);
float min(float a, float b);
int max(int a, int b);
int min(int a, int b);
double rem(double x, double y);
double rem(double x, double y, double tol);
float rem(float x, float y);
float rem(float x, float y, float tol);
double round(double x);
double sign(double x);
double abs(double re, double im);
double abs(const double* re, const double* im);
double asinh(double x);
double acosh(double x);
double atanh(double x);
double acot(double x);
double acsc(double x);
double asec(double x);
double acoth(double x);
double acsch(double x);
double asech(double x);
double cot(double x);
double csc(double x);
double sec(double x);
double coth(double x);
double csch(double x);
double sech(double x);
double modulus(double re, double im);
double rexp(double x);
double rpow(double x, double y);
double cmp_lt(double a, double b);
double cmp_le(double a, double b);
double cmp_eq(double a, double b);
double cmp_ne(double a, double b);

// One-operand complex kernels: read x = *xr + i·*xi, write y into *yr, *yi.
void sqrt(const double* xr, const double* xi, double* yr, double* yi);
void log(const double* xr, const double* xi, double* yr, double* yi);
void exp(const double* xr, const double* xi, double* yr, double* yi);
void inv(const double* xr, const double* xi, double* yr, double* yi);
void sin(const double* xr, const double* xi, double* yr, double* yi);
void cos(const double* xr, const double* xi, double* yr, double* yi);
void tan(const double* xr, const double* xi, double* yr, double* yi);
void sinh(const double* xr, const double* xi, double* yr, double* yi);
void cosh(const double* xr, const double* xi, double* yr, double* yi);
void tanh(const double* xr, const double* xi, double* yr, double* yi);
void asin(const double* xr, const double* xi, double* yr, double* yi);
void acos(const double* xr, const double* xi, double* yr, double* yi);
void atan(const double* xr, const double* xi, double* yr, double* yi);
void asinh(const double* xr, const double* xi, double* yr, double* yi);
void acosh(const double* xr, const double* xi, double* yr, double* yi);
void atanh(const double* xr, const double* xi, double* yr, double* yi);
// Two-operand complex kernels: read a and b, write c. cmul allows c to be a.
void cmul(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
          double* ci);
void div(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci);
void pow(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci);
void max(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci);
void min(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci);

// ============================================================================================
// Predicates (builtins/predicates.cpp)
// ============================================================================================

int isempty(const M<double>& x);
int isscalar(const M<double>& x);
int isvector(const M<double>& x);
int isstr(const M<double>& x);
int issamename(const M<double>& a, const M<double>& b);
int issame(const M<double>& a, const M<double>& b);
int isint(const M<double>& x);
int istrue(const M<double>& x);
int istrue(double d);
int iscomplex(M<double> x);
int isreal(M<double> x);
int issparse(const M<double>& x);
int isglobal(const M<double>& x);
int ishermitian(const M<double>& x);

// ============================================================================================
// Column reductions (ops/column_ops.cpp)
// ============================================================================================

M<double> col_op(const M<double>& x, OpCode op);
M<double> all(const M<double>& x);
M<double> any(const M<double>& x);
M<double> max(const M<double>& x);
M<double> min(const M<double>& x);
M<double> prod(const M<double>& x);
M<double> sum(const M<double>& x);
M<double> sumabs(const M<double>& x);

// ============================================================================================
// Binary operation engine (ops/binary_ops.cpp)
// ============================================================================================

const char* binary_op_name(int code);
M<double> binary_op(const M<double>& a, const M<double>& b, OpCode op);
M<double> operator<(const M<double>& a, const M<double>& b);
M<double> operator>(const M<double>& a, const M<double>& b);
M<double> operator<=(const M<double>& a, const M<double>& b);
M<double> operator>=(const M<double>& a, const M<double>& b);
M<double> operator==(const M<double>& a, const M<double>& b);
M<double> operator!=(const M<double>& a, const M<double>& b);
M<double> operator&&(const M<double>& a, const M<double>& b);
M<double> operator||(const M<double>& a, const M<double>& b);
M<double> operator+(const M<double>& a, const M<double>& b);
M<double> operator-(const M<double>& a, const M<double>& b);
M<double> dot_add(const M<double>& a, const M<double>& b);
M<double> dot_sub(const M<double>& a, const M<double>& b);
M<double> dot_mul(const M<double>& a, const M<double>& b);
M<double> dot_div(const M<double>& a, const M<double>& b);
M<double> dot_invdiv(const M<double>& a, const M<double>& b);
M<double> dot_pow(const M<double>& a, const M<double>& b);
M<double> atan2(const M<double>& a, const M<double>& b);
M<double> rem(const M<double>& a, const M<double>& b);
M<double> min(const M<double>& a, const M<double>& b);
M<double> min0(const M<double>& a, const M<double>& b);
M<double> max(const M<double>& a, const M<double>& b);
M<double> pow2(const M<double>& a, const M<double>& b);
M<double> realpow(const M<double>& a, const M<double>& b);
M<double> xorM(const M<double>& a, const M<double>& b);

// ============================================================================================
// Constructors, random numbers and IEEE fields (builtins/constructors.cpp, random.cpp,
// ieee.cpp)
// ============================================================================================

M<double> eye01_op(M<double>& a, M<double>& b, OpCode op);
M<double> zeros(M<double> a);
M<double> zeros(M<double> a, M<double> b);
M<double> ones(M<double> a);
M<double> ones(M<double> a, M<double> b);
M<double> eye(M<double> a);
M<double> eye(M<double> a, M<double> b);
M<double> randM(M<double> a);
M<double> randM(M<double> a, M<double> b);
double randM();
M<double> randn(M<double> a);
M<double> randn(M<double> a, M<double> b);
double randn();
M<double> zeros_shape(int c, int m, int n);
M<double> eye_shape(int c, int m, int n);

extern double rand_state, randn_state, mask, rand_restart;
extern int rand_normal_mode;
void lehmer_step(double& x);
double rand_uniform();
double rand_normal();

void ieee_fields(double x, unsigned& lo, unsigned& hi, unsigned& exp, unsigned& sign);
double ieee_compose(unsigned lo, unsigned hi, unsigned exp, unsigned sign);
int ieee_isnan(double x);
int ieee_isinf(double x);
int ieee_finite(double x);
int ieee_sign(double x);
int ieee_toint(double x);

// ============================================================================================
// Shape functions (builtins/shape.cpp, transpose.cpp, join.cpp)
// ============================================================================================

M<double> colon(M<double> a, M<double> s, M<double> b);
M<double> size(M<double> x);
M<double> size(M<double> x, M<double> d);
M<double> size(M<double> x, i_o_t, Mr<double> r, Mr<double> c);
M<double> length(M<double> x);
M<double> transpose(M<double> x);
M<double> dot_transpose(M<double> x);
M<double> transpose(M<double> x, int plain);
M<double> rot90(M<double> x);
M<double> rot90(M<double> x, M<double> k);
M<double> fliplr(M<double> x);
M<double> flipud(M<double> x);
M<double> reshape(M<double> x, M<double> m, M<double> n);
M<double> reshape(M<double> x, M<double> v);
M<double> joinrows(M<double> a, M<double> b);
M<double> joincols(M<double> a, M<double> b);

}  // namespace korvex

#endif  // KORVEX_H
