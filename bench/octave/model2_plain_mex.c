/* model2_plain_mex.c: the baseline of the Octave benchmark: a MEX module written directly in C
   that answers korvexval(4, 2, x, V, h), the Hessian-times-direction products of model 2, with
   the gateway's loops and differences and the model as two calls of pow per element. */
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include "mex.h"

/* Read from volatiles: with constant exponents the compiler turns pow(z, 2.0) into z * z. */
static volatile double cube_exponent = 3.0, square_exponent = 2.0;

/* Model 2: f[i] = (x[i]^3)^2 for i < m. */
static void model2(const double* x, double* f, int m) {
  const double three = cube_exponent, two = square_exponent;
  for (int i = 0; i < m; ++i) f[i] = pow(pow(x[i], three), two);
}

/* The first component of F at xw, evaluated with m = n as the gateway does. */
static double first(const double* xw, double* fbuf, int n) {
  model2(xw, fbuf, n);
  return fbuf[0];
}

/* g[i] = (f(xw + 1e-05 e_i) - b) / 1e-05, each coordinate restored from its saved value. */
static void gradient(double* xw, double* fbuf, int n, double b, double* g) {
  for (int i = 0; i < n; ++i) {
    const double t = xw[i];
    xw[i] = t + 1e-05;
    const double a = first(xw, fbuf, n);
    xw[i] = t;
    g[i] = (a - b) / 1e-05;
  }
}

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  (void)nlhs;
  if (nrhs < 5) mexErrMsgTxt("takes (4, 2, x, V, h)");
  const double* x = mxGetPr(prhs[2]);
  const double* V = mxGetPr(prhs[3]);
  const int n = (int)mxGetM(prhs[3]), p = (int)mxGetN(prhs[3]);
  const double* h = mxGetPr(prhs[4]);
  plhs[0] = mxCreateDoubleMatrix(n, p, mxREAL);
  double* H = mxGetPr(plhs[0]);
  double* xw = malloc(sizeof(double) * (n > 0 ? n : 1));
  double* g = malloc(sizeof(double) * (n > 0 ? n : 1));
  double* G0 = malloc(sizeof(double) * (n > 0 ? n : 1));
  double* fbuf = calloc(n > 0 ? n : 1, sizeof(double));
  if (!xw || !g || !G0 || !fbuf) mexErrMsgTxt("Out of memory");

  memcpy(xw, x, sizeof(double) * n);
  gradient(xw, fbuf, n, first(xw, fbuf, n), G0);
  for (int k = 0; k < p; ++k) {
    const double hk = h[k];
    const double* v = V + (size_t)k * n;
    for (int i = 0; i < n; ++i) xw[i] = v[i] * hk + x[i];
    gradient(xw, fbuf, n, first(xw, fbuf, n), g);
    double* Hk = H + (size_t)k * n;
    for (int i = 0; i < n; ++i) Hk[i] = (g[i] - G0[i]) / hk;
  }
  free(fbuf);
  free(G0);
  free(g);
  free(xw);
}
