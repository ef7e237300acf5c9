// model_eval.cpp: the model evaluator val_proc and model 1, written over plain arrays.
#include "gateway.h"

namespace korvex {

void val_proc(int model, double* x, double* f, int m, int n, double* extra, int r, int q) {
  if (model == 1)
    val_getfun1(x, n, f, m, extra, r, q);
  else if (model == 2)
    val_getfun2(x, n, f, m, extra, r, q);
}

void val_getfun1(double* x, int, double* f, int m, double*, int, int) {
  for (int i = 0; i < m; ++i) f[i] = x[i] * x[i];
  // The sums accumulate in exactly this order; for i = 0 the second statement reads the f[0]
  // the first one has just updated, which is how f[0] comes to hold 3*x0^2.
  for (int i = 0; i < m; ++i) {
    f[0] = x[i] * x[i] + f[0];
    f[i] = x[0] * x[0] + f[i];
  }
}

}  // namespace korvex
