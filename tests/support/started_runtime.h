// started_runtime.h: test helpers: the constants as the start-up routine sets them, builders of
// double matrices from column-major element lists, and an exact double comparison.
#ifndef KORVEX_TESTS_STARTED_RUNTIME_H
#define KORVEX_TESTS_STARTED_RUNTIME_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "korvex.h"

namespace korvex_test {

using korvex::M;

class StartedRuntime : public testing::Test {
 protected:
  void SetUp() override {
    korvex::inf_value = HUGE_VAL;
    korvex::nan_value = korvex::ieee_compose(0xFFFFFFFFu, 0xFFFFFu, 2047, 0);
    korvex::eps_double = std::pow(2.0, -52);
    korvex::eps_float = std::pow(2.0, -23);
  }
};

inline M<double> cmat(int m, int n, std::initializer_list<double> re,
                      std::initializer_list<double> im) {
  M<double> x(im.size() != 0, m, n);
  std::copy(re.begin(), re.end(), x.addr());
  std::copy(im.begin(), im.end(), x.addi());
  return x;
}
inline M<double> mat(int m, int n, std::initializer_list<double> re) { return cmat(m, n, re, {}); }

inline std::vector<double> reals(const M<double>& x) { return {x.addr(), x.addr() + x.size()}; }
inline std::vector<double> imags(const M<double>& x) { return {x.addi(), x.addi() + x.size()}; }

// Same value, or both NaN; zeros must agree in sign.
inline bool same(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}
// Every element the same (as above) as the wanted one, naming the first that is not.
inline testing::AssertionResult all_same(const std::vector<double>& got,
                                         const std::vector<double>& want) {
  if (got.size() != want.size()) return testing::AssertionFailure() << got.size() << " elements";
  for (size_t k = 0; k < got.size(); k++)
    if (!same(got[k], want[k])) return testing::AssertionFailure() << k << ": " << got[k];
  return testing::AssertionSuccess();
}

}  // namespace korvex_test

#endif  // KORVEX_TESTS_STARTED_RUNTIME_H
