// matrix_builders.h: test helpers: matrices written row by row (namespace rowwise, apart from
// the column-major builders of started_runtime.h), element checks that name the differing
// element, and death-test patterns that match a message literally.
#ifndef KORVEX_TESTS_MATRIX_BUILDERS_H
#define KORVEX_TESTS_MATRIX_BUILDERS_H

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "korvex.h"

namespace korvex_test {
namespace rowwise {

using korvex::M;

// An r x c matrix from its elements listed row by row, as one writes [1 2; 3 4].
template <class T = double>
M<T> mat(int r, int c, std::initializer_list<double> rowwise, const char* name = nullptr) {
  M<T> a(0, r, c);
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) *a.addr(i + 1, j + 1) = static_cast<T>(rowwise.begin()[i * c + j]);
  a.setname(name);
  return a;
}
template <class T = double>
M<T> row(std::initializer_list<double> v, const char* name = nullptr) {
  return mat<T>(1, static_cast<int>(v.size()), v, name);
}
inline M<double> col(std::initializer_list<double> v) {
  return mat(static_cast<int>(v.size()), 1, v);
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

// The death-test pattern of "error: MSG" with MSG taken literally.
inline std::string Err(const std::string& msg) {
  std::string out = "error: ";
  for (char ch : msg) {
    if (std::string("\\^$.|?*+()[]{}").find(ch) != std::string::npos) out += '\\';
    out += ch;
  }
  return out;
}

}  // namespace rowwise
}  // namespace korvex_test

// A death test of an error report: exit status 1 and exactly the line "error: MSG".
#define EXPECT_ERROR(statement, msg)                   \
  EXPECT_EXIT(statement, ::testing::ExitedWithCode(1), \
              "^" + ::korvex_test::rowwise::Err(msg) + "\n$")

#endif  // KORVEX_TESTS_MATRIX_BUILDERS_H
