// started_runtime.h: test helpers: the runtime constants as start-up sets them, and small
// builders of double matrices from element lists (column-major).
#ifndef KORVEX_TESTS_STARTED_RUNTIME_H
#define KORVEX_TESTS_STARTED_RUNTIME_H

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "korvex.h"

namespace korvex_test {

// The values start-up gives the scalar constants (fraction all ones for NaN).
inline void start_constants() {
  korvex::inf_value = HUGE_VAL;
  korvex::nan_value = korvex::ieee_compose(0xFFFFFFFFu, 0xFFFFFu, 2047, 0);
  korvex::eps_double = std::pow(2.0, -52);
  korvex::eps_float = std::pow(2.0, -23);
  korvex::pi_value = 3.141592653589793;
}

class StartedRuntime : public testing::Test {
 protected:
  void SetUp() override { start_constants(); }
};

inline korvex::M<double> mat(int m, int n, std::initializer_list<double> re) {
  korvex::M<double> x(0, m, n);
  int k = 0;
  for (double v : re) x.addr()[k++] = v;
  return x;
}

inline korvex::M<double> cmat(int m, int n, std::initializer_list<double> re,
                              std::initializer_list<double> im) {
  korvex::M<double> x(1, m, n);
  int k = 0;
  for (double v : re) x.addr()[k++] = v;
  k = 0;
  for (double v : im) x.addi()[k++] = v;
  return x;
}

inline std::vector<double> reals(const korvex::M<double>& x) {
  return std::vector<double>(x.addr(), x.addr() + x.size());
}

inline std::vector<double> imags(const korvex::M<double>& x) {
  return std::vector<double>(x.addi(), x.addi() + x.size());
}

inline std::uint64_t bits(double x) {
  std::uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

// Same value, or both NaN; zeros must agree in sign.
inline bool same_double(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

}  // namespace korvex_test

#endif  // KORVEX_TESTS_STARTED_RUNTIME_H
