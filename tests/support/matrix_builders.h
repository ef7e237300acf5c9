// matrix_builders.h: the tests' one set of builders and checks: matrices written row by row
// (by_rows) or in storage order (by_cols), rows, columns and scalars, element checks that name
// the differing element, and EXPECT_ERROR, the death test of an exact error line.
#ifndef KORVEX_TESTS_MATRIX_BUILDERS_H
#define KORVEX_TESTS_MATRIX_BUILDERS_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "korvex.h"

namespace korvex_test {

using korvex::M;

// ============================================================================================
// Builders
// ============================================================================================

// An r x c matrix from its elements listed row by row, as one writes [1 2; 3 4].
template <class T = double>
M<T> by_rows(int r, int c, std::initializer_list<double> rowwise, const char* name = nullptr) {
  M<T> a(0, r, c);
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) *a.addr(i + 1, j + 1) = static_cast<T>(rowwise.begin()[i * c + j]);
  a.setname(name);
  return a;
}

// An m x n matrix from its elements in storage order, column after column; complex when
// imaginary parts are given.
inline M<double> by_cols(int m, int n, const std::vector<double>& re,
                         const std::vector<double>& im = {}) {
  M<double> x(!im.empty(), m, n);
  std::copy(re.begin(), re.end(), x.addr());
  std::copy(im.begin(), im.end(), x.addi());
  return x;
}

template <class T = double>
M<T> row(std::initializer_list<double> v, const char* name = nullptr) {
  return by_rows<T>(1, static_cast<int>(v.size()), v, name);
}
inline M<double> col(std::initializer_list<double> v) {
  return by_rows(static_cast<int>(v.size()), 1, v);
}
// A complex row from its real and imaginary parts.
template <class T = double>
M<T> crow(std::initializer_list<double> re, std::initializer_list<double> im) {
  M<T> a(1, 1, static_cast<int>(re.size()));
  for (int k = 0; k < a.size(); k++) {
    a.addr()[k] = static_cast<T>(re.begin()[k]);
    a.addi()[k] = static_cast<T>(im.begin()[k]);
  }
  return a;
}
inline M<double> scalar(double d) { return M<double>(d); }
inline M<double> text(const char* s) { return M<double>(s); }
// The value a reference a(k) or a(r, c) reads.
inline M<double> value_of(const korvex::Mr<double>& r) { return M<double>(r); }

// ============================================================================================
// Checks
// ============================================================================================

inline std::vector<double> reals(const M<double>& x) { return {x.addr(), x.addr() + x.size()}; }
inline std::vector<double> imags(const M<double>& x) { return {x.addi(), x.addi() + x.size()}; }
// The character codes of a text matrix as a string.
inline std::string chars_of(const M<double>& x) {
  return std::string(x.addr(), x.addr() + x.size());
}

// Shape and real elements (row by row) of a; with imag, also a complex a's imaginary parts.
template <class T>
::testing::AssertionResult Is(const M<T>& a, int r, int c, std::vector<double> rowwise,
                              std::vector<double> imag = {}) {
  if (a.rows() != r || a.cols() != c)
    return ::testing::AssertionFailure()
           << "shape " << a.rows() << "x" << a.cols() << ", expected " << r << "x" << c;
  if (!imag.empty() && !a.isc()) return ::testing::AssertionFailure() << "matrix is real";
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) {
      const int k = i * c + j;
      const double got = static_cast<double>(*a.addr(i + 1, j + 1));
      if (!(got == rowwise[k]))
        return ::testing::AssertionFailure()
               << "(" << i + 1 << "," << j + 1 << ") is " << got << ", expected " << rowwise[k];
      if (!imag.empty() && !(static_cast<double>(*a.addi(i + 1, j + 1)) == imag[k]))
        return ::testing::AssertionFailure()
               << "imaginary (" << i + 1 << "," << j + 1 << ") is " << *a.addi(i + 1, j + 1);
    }
  return ::testing::AssertionSuccess();
}

// Same value, or both NaN; zeros must agree in sign.
inline bool same(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}
// Every element the same (as above) as the wanted one, naming the first that is not.
inline ::testing::AssertionResult all_same(const std::vector<double>& got,
                                           const std::vector<double>& want) {
  if (got.size() != want.size()) return ::testing::AssertionFailure() << got.size() << " elements";
  for (size_t k = 0; k < got.size(); k++)
    if (!same(got[k], want[k])) return ::testing::AssertionFailure() << k << ": " << got[k];
  return ::testing::AssertionSuccess();
}

// The death-test pattern of "error: MSG" with MSG taken literally.
inline std::string Err(const std::string& msg) {
  std::string out = "error: ";
  for (char ch : msg) {
    if (std::string("\\^$.|?*+()[]{}").find(ch) != std::string::npos) out += '\\';
    out += ch;
  }
  return out;
}

}  // namespace korvex_test

// A death test of an error report: exit status 1 and exactly the line "error: MSG".
#define EXPECT_ERROR(statement, msg) \
  EXPECT_EXIT(statement, ::testing::ExitedWithCode(1), "^" + ::korvex_test::Err(msg) + "\n$")

#endif  // KORVEX_TESTS_MATRIX_BUILDERS_H
