// Tests of the is... predicates: degenerate shapes, NaN under ==, imaginary parts, ishermitian.
#include "../support/started_runtime.h"

using namespace korvex;
using namespace korvex_test;

const double qnan = std::nan("");

TEST(Predicates, ShapeTestsOnEmptyAndDegenerateShapesAndNameIdentity) {
  // rows, cols, isempty, isscalar, isvector
  const int rows[][5] = {
      {0, 0, 1, 0, 1}, {1, 1, 0, 1, 1}, {5, 1, 0, 0, 1}, {0, 5, 1, 0, 1}, {2, 2, 0, 0, 0}};
  for (const auto& r : rows) {
    M<double> x(0, r[0], r[1]);
    EXPECT_EQ(isempty(x), r[2]) << r[0] << "x" << r[1];
    EXPECT_EQ(isscalar(x), r[3]) << r[0] << "x" << r[1];
    EXPECT_EQ(isvector(x), r[4]) << r[0] << "x" << r[1];
  }
  static const char colon_text[] = ":";  // the same text at another address
  M<double> copy(c_p), other(colon_text, 1, 1);
  EXPECT_TRUE(issamename(copy, c_p));
  EXPECT_FALSE(issamename(other, c_p));
}

// issame and istrue look at real parts only under IEEE ==; iscomplex and isreal drop an all-zero
// imaginary part from their own copy; ishermitian compares the upper triangle with the lower
// one, diagonal included, and 0x0 is not hermitian (the answer starts false). zeros(0, 3) and
// zeros(3, 0) are the same: both are 0x0.
TEST(Predicates, AnswersOnNaNSignedZerosAndImaginaryParts) {
  M<double> z = crow({1, 2}, {0, -0.0}), w = crow({1, 2}, {0, qnan});
  // clang-format off
  const int got_want[][2] = {
      {issame(row({1, qnan}), row({1, qnan})), 0},
      {issame(zeros(scalar(0), scalar(3)), zeros(scalar(3), scalar(0))), 1},
      {issame(row({1, 2}), by_cols(2, 1, {1, 2})), 0}, {issame(scalar(-0.0), scalar(0)), 1},
      {issame(crow({1}, {5}), scalar(1)), 1}, {iscomplex(z), 0}, {isreal(z), 1}, {z.isc(), 1},
      {iscomplex(w), 1}, {isreal(w), 0}, {isreal(M<double>()), 0},
      {ishermitian(by_cols(2, 2, {1, 2, 2, 1})), 1}, {ishermitian(by_cols(2, 2, {1, 2, 3, 1})), 0},
      {ishermitian(by_cols(2, 2, {1, 2, 2, 1}, {0, -1, 1, 0})), 1},
      {ishermitian(by_cols(2, 2, {1, 2, 2, 1}, {0, 1, 1, 0})), 0},  // symmetric only
      {ishermitian(by_cols(2, 2, {1, 2, 2, 1}, {1, -1, 1, 0})), 0}, {ishermitian(scalar(qnan)), 0},
      {ishermitian(M<double>()), 0}};
  // clang-format on
  for (const auto& c : got_want) EXPECT_EQ(c[0], c[1]) << "case " << &c - got_want;
  EXPECT_ERROR(ishermitian(M<double>("x", 2, 3)), "ishermitian: x matrix not square");
}

TEST(Predicates, IsintAndIstrue) {
  // clang-format off
  const struct { M<double> x; int isint, istrue; } rows[] = {
      {row({1, 2, 3}), 1, 1}, {scalar(2.5), 0, 1}, {scalar(1e7), 0, 1}, {scalar(9999999), 1, 1},
      {scalar(-3), 1, 1}, {M<double>(), 1, 0}, {scalar(qnan), 0, 1}, {scalar(HUGE_VAL), 0, 1},
      {crow({3}, {0}), 1, 1}, {crow({3}, {1}), 0, 1}, {crow({0}, {1}), 0, 0},
      {row({1, 2, -0.0}), 1, 0}};
  // clang-format on
  for (const auto& r : rows) {
    EXPECT_EQ(isint(r.x), r.isint) << "row " << &r - rows;
    EXPECT_EQ(istrue(r.x), r.istrue) << "row " << &r - rows;
  }
  // The double form truncates: 0.5 is false where the matrix 0.5 is true.
  for (double x : {0.5, -0.9}) EXPECT_EQ(istrue(x), 0) << x;
  for (double x : {-1.5, 3e10, qnan}) EXPECT_EQ(istrue(x), 1) << x;
}
