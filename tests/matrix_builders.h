// matrix_builders.h: small helpers for the unit tests: matrices written row by row, element
// checks that report the differing element, and death-test patterns matching exact messages.
#ifndef KORVEX_TESTS_MATRIX_BUILDERS_H
#define KORVEX_TESTS_MATRIX_BUILDERS_H

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "korvex.h"

namespace korvex_test {

using korvex::M;

// An r x c matrix from its elements listed row by row, as one writes [1 2; 3 4].
template <class T = double>
M<T> mat(int r, int c, std::initializer_list<double> rowwise, const char* name = nullptr) {
  M<T> a(0, r, c);
  const double* v = rowwise.begin();
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) *a.addr(i + 1, j + 1) = static_cast<T>(v[i * c + j]);
  a.setname(name);
  return a;
}

template <class T = double>
M<T> row(std::initializer_list<double> v, const char* name = nullptr) {
  M<T> a(0, 1, static_cast<int>(v.size()));
  int k = 0;
  for (double x : v) a.addr()[k++] = static_cast<T>(x);
  a.setname(name);
  return a;
}

template <class T = double>
M<T> col(std::initializer_list<double> v, const char* name = nullptr) {
  M<T> a = row<T>(v, name);
  a.rowcol();
  return a;
}

// A complex row from real and imaginary parts.
inline M<double> crow(std::initializer_list<double> re, std::initializer_list<double> im) {
  M<double> a(1, 1, static_cast<int>(re.size()));
  int k = 0;
  for (double x : re) a.addr()[k++] = x;
  k = 0;
  for (double x : im) a.addi()[k++] = x;
  return a;
}

// Shape and real elements (listed row by row) of a.
template <class T>
::testing::AssertionResult Is(const M<T>& a, int r, int c, std::vector<double> rowwise) {
  if (a.rows() != r || a.cols() != c)
    return ::testing::AssertionFailure()
           << "shape " << a.rows() << "x" << a.cols() << ", expected " << r << "x" << c;
  for (int i = 0; i < r; i++)
    for (int j = 0; j < c; j++) {
      const double got = static_cast<double>(*a.addr(i + 1, j + 1));
      const double want = rowwise[i * c + j];
      if (!(got == want))
        return ::testing::AssertionFailure()
               << "element (" << i + 1 << "," << j + 1 << ") is " << got << ", expected " << want;
    }
  return ::testing::AssertionSuccess();
}

// Imaginary elements (row by row) of a complex a.
inline ::testing::AssertionResult ImagIs(const M<double>& a, std::vector<double> rowwise) {
  if (!a.isc()) return ::testing::AssertionFailure() << "matrix is real";
  for (int i = 0; i < a.rows(); i++)
    for (int j = 0; j < a.cols(); j++) {
      const double got = *a.addi(i + 1, j + 1);
      const double want = rowwise[i * a.cols() + j];
      if (!(got == want))
        return ::testing::AssertionFailure()
               << "imaginary (" << i + 1 << "," << j + 1 << ") is " << got << ", expected " << want;
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

}  // namespace korvex_test

#endif  // KORVEX_TESTS_MATRIX_BUILDERS_H
