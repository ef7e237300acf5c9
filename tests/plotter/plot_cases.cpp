// plot_cases: draws one named case through the plotting builtins in the working directory and
// ends the program as a translated program does, leaving kvlb.gnu and its data files.
// Usage: plot_cases CASE   (run with plot_cases --list for the names)
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "korvex.h"

using korvex::M;

namespace {

// n samples of f over [a, b], as a row.
template <class F>
M<double> sampled(double a, double b, int n, F f) {
  M<double> v(0, 1, n);
  for (int k = 0; k < n; k++) v.addr()[k] = f(a + (b - a) * k / (n - 1));
  return v;
}

M<double> ramp(double a, double b, int n) {
  return sampled(a, b, n, [](double t) { return t; });
}

void styled(const char* style) {
  const M<double> t = ramp(0, 6.28, 40);
  korvex::plot(t, sampled(0, 6.28, 40, [](double x) { return std::sin(x); }), M<double>(style));
}

struct Case {
  const char* name;
  void (*draw)();
};

const Case cases[] = {
    {"lines", [] { styled("r-"); }},
    {"dashed", [] { styled("b--"); }},
    {"dotted", [] { styled("g:"); }},
    {"dashdot", [] { styled("m-."); }},
    {"plus", [] { styled("r+"); }},
    {"squares", [] { styled("bs"); }},
    {"crosses", [] { styled("gx"); }},
    {"circles", [] { styled("mo"); }},
    {"dots", [] { styled("c."); }},
    {"logx",
     [] {
       korvex::semilogx(ramp(1, 1000, 50), ramp(0, 1, 50), M<double>("b-"));
     }},
    {"logy",
     [] {
       const M<double> t = ramp(0, 10, 50);
       korvex::semilogy(t, sampled(0, 10, 50, [](double x) { return std::exp(-x); }),
                        M<double>("r-"));
     }},
    {"loglog",
     [] {
       korvex::loglog(ramp(1, 100, 50), sampled(1, 100, 50, [](double x) { return x * x; }),
                      M<double>("g-"));
     }},
    {"polar",
     [] {
       const M<double> theta = ramp(0, 6.28, 100);
       korvex::polar(theta, sampled(0, 6.28, 100, [](double x) { return 1 + std::cos(x); }),
                     M<double>("m-"));
     }},
    {"surface",
     [] {
       M<double> z(0, 15, 15);
       for (int i = 1; i <= 15; i++)
         for (int j = 1; j <= 15; j++) *z.addr(i, j) = std::sin(i / 3.0) * std::cos(j / 4.0);
       korvex::mesh(z);
     }},
    {"held_grid_axis",
     [] {
       const M<double> t = ramp(0, 5, 30);
       korvex::plot(t, sampled(0, 5, 30, [](double x) { return x; }), M<double>("r-"));
       korvex::hold(M<double>("on"));
       korvex::plot(t, sampled(0, 5, 30, [](double x) { return 5 - x; }), M<double>("bo"));
       korvex::grid(M<double>("on"));
       M<double> limits(0, 1, 4);
       const double v[] = {0, 5, 0, 5};
       std::memcpy(limits.addr(), v, sizeof v);
       korvex::axis(limits);
     }},
};

}  // namespace

int main(int argc, char** argv) {
  korvex::initM(std::cin, std::cout, std::cerr);
  if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const Case& c : cases) std::printf("%s\n", c.name);
    return 0;
  }
  for (const Case& c : cases)
    if (argc == 2 && std::strcmp(argv[1], c.name) == 0) {
      c.draw();
      korvex::exit();
    }
  std::fprintf(stderr, "usage: plot_cases CASE (plot_cases --list names them)\n");
  return 2;
}
