// A program built against an installed korvex: it includes the one public header, links the
// library and runs a little translated-style code on it.
#include <korvex.h>

#include <cstdio>

int main() {
  using korvex::M;
  M<double> a("a", 0, 0);
  for (int k = 1; k <= 4; ++k) a(M<double>(k)) = k * 1.5;  // grows a row: [1.5 3 4.5 6]
  M<double> s = korvex::sum(korvex::dot_mul(a, a));
  std::printf("korvex consumer: sum(a .* a) = %g over %d elements\n", *s.r(1.0), a.size());
  return *s.r(1.0) == 67.5 ? 0 : 1;
}
