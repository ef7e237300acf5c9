// model2.cpp: model 2, the translated functions func and korvexfunc2 and the wrapper
// val_getfun2 that runs them on the gateway's plain arrays.
//
// The two functions are written as the matrix-language translator writes every function:
// variables are named matrices created empty on entry, nargin/nargout are saved, set and
// restored around the body, each statement assigns its result temporary to its target and
// destroys its constant before its result.
#include <optional>

#include "gateway.h"
#include "korvex.h"

namespace korvex {

namespace {

// Saves nargin/nargout on entry, sets them unless a caller has, clears the flags, and
// restores the saved values when the function's body is done. A runtime fault inside a host
// call unwinds past restore(); the destructor restores them then.
class CallCounts {
 public:
  CallCounts(double inputs, double outputs) : saved_in_(nargin), saved_out_(nargout) {
    if (nargin_set == 0) nargin = inputs;
    if (nargout_set == 0) nargout = outputs;
    nargin_set = 0;
    nargout_set = 0;
  }
  ~CallCounts() {
    if (!restored_) restore();
  }
  CallCounts(const CallCounts&) = delete;
  CallCounts& operator=(const CallCounts&) = delete;
  void restore() {
    nargin = saved_in_;
    nargout = saved_out_;
    restored_ = true;
  }

 private:
  double saved_in_, saved_out_;
  bool restored_ = false;
};

// target = base .^ exponent, the exponent a statement constant destroyed before the result.
void assign_dot_pow(M<double>& target, const M<double>& base, double exponent) {
  std::optional<M<double>> constant(std::in_place, exponent);
  M<double> result = dot_pow(base, *constant);
  target = result;
  constant.reset();
}

}  // namespace

// function y = func(x)
//   y = x .^ 3;
M<double> func(M<double> x) {
  M<double> y("y", 0, 0);
  CallCounts counts(1, 1);
  assign_dot_pow(y, x, 3.0);
  counts.restore();
  return y;
}

// function y = korvexfunc2(x, m, extra)
//   n = length(x); z = func(x); y = z .^ 2;
M<double> korvexfunc2(M<double> x, M<double> m, M<double> extra) {
  (void)m;
  (void)extra;
  M<double> y("y", 0, 0);
  M<double> n("n", 0, 0);
  M<double> z("z", 0, 0);
  CallCounts counts(3, 1);
  n = length(x);
  z = func(x);
  assign_dot_pow(y, z, 2.0);
  counts.restore();
  return y;
}

void val_getfun2(double* x, int n, double* f, int m, double* extra, int r, int q) {
  M<double> xx("xx", n, 1);
  M<double> yy("yy", 0, 0);
  M<double> XTRA("XTRA", 0, 0);
  M<double> MM("MM", 0, 0);
  const int extra_count = r * q;
  if (extra_count > 0) {
    XTRA = ones(M<double>(static_cast<double>(extra_count)), M<double>(1.0));
    for (int k = 0; k < extra_count; ++k) *XTRA.r(k + 1) = extra[k];
  }
  for (int i = 0; i < n; ++i) *xx.r(i + 1) = x[i];
  MM = static_cast<double>(m);
  yy = korvexfunc2(xx, MM, XTRA);
  for (int i = 0; i < m; ++i) f[i] = *yy.r(i + 1);
}

}  // namespace korvex
