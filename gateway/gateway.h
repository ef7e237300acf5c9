// gateway.h: the model evaluator the gateway's services call, and the module's version export.
#ifndef KORVEX_GATEWAY_H
#define KORVEX_GATEWAY_H

#include "korvex.h"

// The version of the gateway interface the module uses, for the host.
extern "C" const char* mexVersion(void);

namespace korvex {

// F(x) for model 1 or 2: fills f[0..m-1] from the n values of x; extra is r-by-q, column-major,
// null with r = q = 0 when absent. Any other model number leaves f untouched.
void val_proc(int model, double* x, double* f, int m, int n, double* extra, int r, int q);
// Model 1: f[0] = 3*x0^2 + x1^2 + ... + x(m-1)^2, f[i] = x0^2 + xi^2; reads x[0..m-1] only.
void val_getfun1(double* x, int n, double* f, int m, double* extra, int r, int q);
// Model 2: the translated model function run on the matrix runtime.
void val_getfun2(double* x, int n, double* f, int m, double* extra, int r, int q);

// The translated functions of model 2. func(x) = x .^ 3; korvexfunc2(x, m, extra) = func(x) .^ 2,
// reading only x. Both follow the calling convention of translated code (nargin/nargout).
M<double> func(M<double> x);
M<double> korvexfunc2(M<double> x, M<double> m, M<double> extra);

}  // namespace korvex

#endif
