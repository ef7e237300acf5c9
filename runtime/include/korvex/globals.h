// globals.h: the runtime globals, markers and calling-convention scalars.
#ifndef KORVEX_GLOBALS_H
#define KORVEX_GLOBALS_H

#include "korvex/matrix.h"

namespace korvex {

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

}  // namespace korvex

#endif  // KORVEX_GLOBALS_H
