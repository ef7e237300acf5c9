// misc.h: the miscellaneous builtins (for-loop protocol, find, sequences, diff, mean, timing,
// environment queries, inert commands) and the sparse-matrix placeholders on dense matrices.
#ifndef KORVEX_MISC_H
#define KORVEX_MISC_H

#include "korvex/matrix.h"

namespace korvex {

// ============================================================================================
// For-loop protocol (builtins/for_loop.cpp): for v = x runs j = 1..forsize(x) and
// forelem(v, x, j) at the top of each pass.
// ============================================================================================

int forsize(M<double>& x);                        // columns of x
void forelem(M<double>& v, M<double>& x, int j);  // v = x(:, j), with x's display kind

// ============================================================================================
// Search (builtins/find.cpp). Positions of the elements whose real or imaginary part is not 0
// (NaN counts as non-zero), in column-major order; a row for an input of one row and at least
// two columns, else a column.
// ============================================================================================

M<double> find(M<double> x);                                     // linear indices
M<double> find(M<double> x, i_o_t, Mr<double> i, Mr<double> j);  // [i, j] = find(x)
M<double> find(M<double> x, i_o_t, Mr<double> i, Mr<double> j, Mr<double> v);

// ============================================================================================
// Sequences, differences and means (builtins/sequences.cpp)
// ============================================================================================

M<double> linspace(M<double> a, M<double> b);  // 100 points
M<double> linspace(M<double> a, M<double> b, M<double> n);
M<double> logspace(M<double> a, M<double> b);  // 50 points
M<double> logspace(M<double> a, M<double> b, M<double> n);
M<double> diff(M<double> x);
M<double> diff(M<double> x, M<double> k);
M<double> mean(M<double> x);

// ============================================================================================
// Timing (builtins/timing.cpp)
// ============================================================================================

int julian_day(int day, int month, int year);  // Fliegel-Van Flandern, truncating division
M<double> tic();
M<double> toc();
M<double> etime(M<double> t1, M<double> t0);  // seconds from clock vector t0 to t1
M<double> cputime();                          // always 0

// ============================================================================================
// Environment queries and variables (builtins/environment.cpp)
// ============================================================================================

M<double> computer();
M<double> computer(i_o_t, Mr<double> c, Mr<double> maxsize);
M<double> getenv(M<double> name);  // the value as text; empty text when unset
M<double> exist(M<double> name);   // 2 when NAME or NAME.m can be opened for reading, else 0
M<double> isieee();
M<double> setstr(M<double> x);  // x marked as text
M<double> clear(Mr<double> x);  // x becomes the empty matrix

// ============================================================================================
// Commands accepted for translated code that do nothing or refuse to run
// (builtins/inert_commands.cpp)
// ============================================================================================

extern double flop_count;  // set by flops(x), never counted
M<double> flops();
M<double> flops(M<double> x);
M<double> matlabpath();
M<double> matlabpath(M<double> p);  // writes the path to "mpath", one line per ';' piece
[[noreturn]] M<double> eval(M<double> x);
[[noreturn]] M<double> feval(M<double> x);
M<double> echo(const char* s);
M<double> more(const char* s);
M<double> then();
M<double> path(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e, M<double> f,
               M<double> g, M<double> h);

// ============================================================================================
// Sparse-matrix placeholders on dense matrices (builtins/sparse.cpp)
// ============================================================================================

int nnz_count(const M<double>& x);  // elements with a non-zero (or NaN) part
M<double> nnz(M<double> x);
M<double> full(M<double> x);
M<double> nonzeros(M<double> x);  // the non-zero elements as a column, column-major
M<double> nzmax(M<double> x);     // rows * columns
// A dense m-by-n matrix with s(k) at (i(k), j(k)); a later triplet at the same position
// overwrites an earlier one. nzmax is accepted and not used.
M<double> sparse(M<double> i, M<double> j, M<double> s, M<double> m, M<double> n, M<double> nzmax);
M<double> sparse(M<double> i, M<double> j, M<double> s, M<double> m, M<double> n);
M<double> sparse(M<double> i, M<double> j, M<double> s);
M<double> sparse(M<double> m, M<double> n);  // the m-by-n zero matrix
M<double> sparse(M<double> x);               // a dense copy of x

}  // namespace korvex

#endif  // KORVEX_MISC_H
