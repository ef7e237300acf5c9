// newton.cpp: a translated example program: Newton's method for the nonlinear system
//   x1^2 + x2^2 = 4,  x1 * x2 = 1
// from x = [2; 0.5], printing one line of the iteration table per step with fprintf.
// The matrix-language source it stands for:
//   x = [2; 0.5];
//   fprintf('  k                 x1                 x2       |F(x)|\n');
//   for k = 0:20
//     F = [x(1)^2 + x(2)^2 - 4; x(1)*x(2) - 1];
//     nF = sqrt(sum(F.^2));
//     fprintf('%3d %18.15f %18.15f %12.4e\n', k, x(1), x(2), nF);
//     if nF < 1e-13, break; end
//     J = [2*x(1) 2*x(2); x(2) x(1)];
//     det = J(1,1)*J(2,2) - J(1,2)*J(2,1);
//     x = x - [J(2,2)*F(1) - J(1,2)*F(2); J(1,1)*F(2) - J(2,1)*F(1)] / det;
//   end
//   x
#include <iostream>

#include "korvex.h"

using namespace korvex;

int main() {
  initM(std::cin, std::cout, std::cerr);
  const M<double> c1(1.0), c2(2.0);
  M<double> x("x", 0, 0), F("F", 0, 0), nF("nF", 0, 0), J("J", 0, 0), det("det", 0, 0);
  x = (M<double>(2.0), semi, M<double>(0.5));
  fprintfM(stdoutM, M<double>("  k                 x1                 x2       |F(x)|\n"));
  for (int k = 0; k <= 20; k++) {
    F = (dot_mul(x(c1), x(c1)) + dot_mul(x(c2), x(c2)) - 4.0, semi, dot_mul(x(c1), x(c2)) - 1.0);
    nF = sqrtM(sum(dot_mul(F, F)));
    fprintfM(stdoutM, M<double>("%3d %18.15f %18.15f %12.4e\n"), M<double>(k), x(c1), x(c2), nF);
    if (istrue(nF < 1e-13)) break;
    J = (dot_mul(2.0, x(c1)), dot_mul(2.0, x(c2)), semi, x(c2), x(c1));
    det = dot_mul(J(c1, c1), J(c2, c2)) - dot_mul(J(c1, c2), J(c2, c1));
    x = x - dot_div((dot_mul(J(c2, c2), F(c1)) - dot_mul(J(c1, c2), F(c2)), semi,
                     dot_mul(J(c1, c1), F(c2)) - dot_mul(J(c2, c1), F(c1))),
                    det);
  }
  format(M<double>("long"));
  *korlibout_p << x;
  korvex::exit();
}
