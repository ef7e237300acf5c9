// oscillation.cpp: a translated example program: a damped oscillator x'' + 2*z*w*x' + w^2*x = 0
// stepped with the semi-implicit Euler method. Its potential energy (oscillating) and its total
// energy (decaying about as exp(-2*z*w*t)) are drawn on a logarithmic y axis with a grid.
// The matrix-language source it stands for:
//   w = pi; z = 0.05; h = 0.01; t = 0:h:20; n = length(t);
//   x = zeros(1, n); v = zeros(1, n); x(1) = 1;
//   for k = 1:n-1
//     v(k+1) = v(k) - h*(2*z*w*v(k) + w^2*x(k));
//     x(k+1) = x(k) + h*v(k+1);
//   end
//   P = 0.5*w^2*x.^2;  E = 0.5*v.^2 + P;
//   envelope = E(1) * exp(-2*z*w*t);
//   semilogy(t, P, 'b-', t, E, 'r-'); grid on; axis([0 20 1e-4 10]);
//   fprintf('energy at t = %g: %.6g (exp(-2*z*w*t) gives %.6g)\n', t(n), E(n), envelope(n));
#include <iostream>

#include "korvex.h"

using namespace korvex;

int main() {
  initM(std::cin, std::cout, std::cerr);
  M<double> w("w", 0, 0), z("z", 0, 0), h("h", 0, 0), t("t", 0, 0), n("n", 0, 0);
  M<double> x("x", 0, 0), v("v", 0, 0), P("P", 0, 0), E("E", 0, 0), envelope("envelope", 0, 0);
  w = pi;
  z = 0.05;
  h = 0.01;
  t = colon(0.0, h, 20.0);
  n = length(t);
  x = zeros(1.0, n);
  v = zeros(1.0, n);
  x(M<double>(1.0)) = 1.0;
  const int last = static_cast<int>(*n.r());
  for (int k = 1; k < last; k++) {
    const M<double> kk(k), next(k + 1);
    v(next) = v(kk) - dot_mul(h, dot_mul(dot_mul(2.0, dot_mul(z, w)), v(kk)) +
                                     dot_mul(dot_mul(w, w), x(kk)));
    x(next) = x(kk) + dot_mul(h, v(next));
  }
  P = dot_mul(dot_mul(0.5, dot_mul(w, w)), dot_mul(x, x));
  E = dot_mul(0.5, dot_mul(v, v)) + P;
  envelope = dot_mul(E(M<double>(1.0)), exp(dot_mul(dot_mul(-2.0, dot_mul(z, w)), t)));
  semilogy(t, P, M<double>("b-"), t, E, M<double>("r-"));
  grid(M<double>("on"));
  axis((M<double>(0.0), M<double>(20.0), M<double>(1e-4), M<double>(10.0)));
  fprintfM(stdoutM, M<double>("energy at t = %g: %.6g (exp(-2*z*w*t) gives %.6g)\n"), t(n), E(n),
           envelope(n));
  korvex::exit();
}
