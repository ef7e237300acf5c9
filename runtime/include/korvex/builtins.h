// builtins.h: predicates, constructors, random numbers, IEEE fields, shape functions and text
// buffers.
#ifndef KORVEX_BUILTINS_H
#define KORVEX_BUILTINS_H

#include "korvex/matrix.h"
#include "korvex/opcodes.h"

namespace korvex {

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

// ============================================================================================
// Text buffers (builtins/text_buffer.cpp)
// ============================================================================================

// Writes the character codes of x (truncated toward zero, low 8 bits) into buf as a
// zero-terminated string of at most size-1 characters; a longer text is cut with the warning
// "Mstr: buffer too small - chopped".
void Mstr(M<double> x, char* buf, int size);
// The worker form: n codes from p; returns p advanced past the codes stored.
double* Mstr(double* p, int n, char* buf, int size);

}  // namespace korvex

#endif  // KORVEX_BUILTINS_H
