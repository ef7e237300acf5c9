// plot_cases: draws one named case through the plotting builtins in the working directory and
// ends the program as a translated program does, leaving kvlb.gnu and its data files.
// Usage: plot_cases CASE
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "korvex.h"

using korvex::M;

namespace {

// n samples of f over [a, b], as a row.
M<double> sampled(double a, double b, int n, double (*f)(double)) {
  M<double> v(0, 1, n);
  for (int k = 0; k < n; k++) v.addr()[k] = f(a + (b - a) * k / (n - 1));
  return v;
}
double same(double t) { return t; }
double square(double t) { return t * t; }
double decay(double t) { return std::exp(-t); }
double cardioid(double t) { return 1 + std::cos(t); }

// A sine over one period drawn in each style.
const char* const styles[][2] = {
    {"lines", "r-"}, {"dashed", "b--"},  {"dotted", "g:"},   {"dashdot", "m-."}, {"plus", "r+"},
    {"squares", "bs"}, {"crosses", "gx"}, {"circles", "mo"}, {"dots", "c."},
};

const struct {
  const char* name;
  void (*draw)();
} kinds[] = {
    {"logx", [] { korvex::semilogx(sampled(1, 1e3, 50, same), sampled(0, 1, 50, same), "b-"); }},
    {"logy", [] { korvex::semilogy(sampled(0, 10, 50, same), sampled(0, 10, 50, decay), "r-"); }},
    {"loglog",
     [] { korvex::loglog(sampled(1, 100, 50, same), sampled(1, 100, 50, square), "g-"); }},
    {"polar",
     [] { korvex::polar(sampled(0, 6.28, 99, same), sampled(0, 6.28, 99, cardioid), "m-"); }},
    {"surface",
     [] {
       M<double> z(0, 15, 15);
       for (int i = 1; i <= 15; i++)
         for (int j = 1; j <= 15; j++) *z.addr(i, j) = std::sin(i / 3.0) * std::cos(j / 4.0);
       korvex::mesh(z);
     }},
    {"held_grid_axis",
     [] {
       const M<double> t = sampled(0, 5, 30, same);
       korvex::plot(t, t, "r-");
       korvex::hold("on");
       korvex::plot(t, korvex::dot_sub(5.0, t), "bo");
       korvex::grid("on");
       korvex::axis((M<double>(0.0), M<double>(5.0), M<double>(0.0), M<double>(5.0)));
     }},
};

}  // namespace

int main(int argc, char** argv) {
  korvex::initM(std::cin, std::cout, std::cerr);
  for (const auto& s : styles)
    if (argc == 2 && std::strcmp(argv[1], s[0]) == 0)
      korvex::plot(sampled(0, 6.28, 40, same), sampled(0, 6.28, 40, std::sin), s[1]),
          korvex::exit();
  for (const auto& k : kinds)
    if (argc == 2 && std::strcmp(argv[1], k.name) == 0) k.draw(), korvex::exit();
  std::fprintf(stderr, "usage: plot_cases CASE\n");
  return 2;
}
