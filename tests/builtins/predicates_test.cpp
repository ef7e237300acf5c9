// Tests of the is... predicates: degenerate shapes, NaN under ==, imaginary parts, ishermitian.
#include "../support/started_runtime.h"

using namespace korvex;
using namespace korvex_test;

const double qnan = std::nan("");
static M<double> S(double d) { return M<double>(d); }

TEST(Predicates, ShapeTestsOnEmptyAndDegenerateShapesAndNameIdentity) {
  // rows, cols, and isempty·100 + isscalar·10 + isvector
  const int rows[][3] = {{0, 0, 101}, {1, 1, 11}, {5, 1, 1}, {0, 5, 101}, {2, 2, 0}};
  for (const auto& r : rows) {
    M<double> x(0, r[0], r[1]);
    EXPECT_EQ(isempty(x) * 100 + isscalar(x) * 10 + isvector(x), r[2]) << r[0] << "x" << r[1];
  }
  static const char colon_text[] = ":";  // the same text at another address
  M<double> copy(c_p), other(colon_text, 1, 1);
  EXPECT_TRUE(issamename(copy, c_p) && !issamename(other, c_p));
}

// issame and istrue look at real parts only under IEEE ==; iscomplex and isreal drop an all-zero
// imaginary part from their own copy; ishermitian compares the upper triangle with the lower
// one, diagonal included, and 0x0 is not hermitian (the answer starts false). zeros(0, 3) and
// zeros(3, 0) are the same: both are 0x0.
TEST(Predicates, AnswersOnNaNSignedZerosAndImaginaryParts) {
  M<double> z = cmat(1, 2, {1, 2}, {0, -0.0}), w = cmat(1, 2, {1, 2}, {0, qnan});
  // clang-format off
  const int got_want[][2] = {
      {issame(mat(1, 2, {1, qnan}), mat(1, 2, {1, qnan})), 0},
      {issame(zeros(S(0), S(3)), zeros(S(3), S(0))), 1},
      {issame(mat(1, 2, {1, 2}), mat(2, 1, {1, 2})), 0}, {issame(S(-0.0), S(0)), 1},
      {issame(cmat(1, 1, {1}, {5}), S(1)), 1}, {iscomplex(z), 0}, {isreal(z), 1}, {z.isc(), 1},
      {iscomplex(w), 1}, {isreal(w), 0}, {isreal(M<double>()), 0},
      {ishermitian(mat(2, 2, {1, 2, 2, 1})), 1}, {ishermitian(mat(2, 2, {1, 2, 3, 1})), 0},
      {ishermitian(cmat(2, 2, {1, 2, 2, 1}, {0, -1, 1, 0})), 1},
      {ishermitian(cmat(2, 2, {1, 2, 2, 1}, {0, 1, 1, 0})), 0},  // symmetric only
      {ishermitian(cmat(1, 1, {0}, {1})), 0}, {ishermitian(S(qnan)), 0},
      {ishermitian(M<double>()), 0}};
  // clang-format on
  for (const auto& c : got_want) EXPECT_EQ(c[0], c[1]) << "case " << &c - got_want;
  EXPECT_EXIT(ishermitian(M<double>("x", 2, 3)), testing::ExitedWithCode(1),
              "^error: ishermitian: x matrix not square\n$");
}

TEST(Predicates, IsintAndIstrue) {
  // clang-format off
  const struct { M<double> x; int isint, istrue; } rows[] = {
      {mat(1, 3, {1, 2, 3}), 1, 1}, {S(2.5), 0, 1}, {S(1e7), 0, 1}, {S(9999999), 1, 1},
      {S(-3), 1, 1}, {M<double>(), 1, 0}, {S(qnan), 0, 1}, {S(HUGE_VAL), 0, 1},
      {cmat(1, 1, {3}, {0}), 1, 1}, {cmat(1, 1, {3}, {1}), 0, 1}, {cmat(1, 1, {0}, {1}), 0, 0},
      {mat(1, 3, {1, 2, -0.0}), 1, 0}};
  // clang-format on
  for (const auto& r : rows)
    EXPECT_EQ(isint(r.x) * 10 + istrue(r.x), r.isint * 10 + r.istrue) << &r - rows;
  // The double form truncates: 0.5 is false where the matrix 0.5 is true.
  EXPECT_EQ(istrue(0.5) + istrue(-0.9), 0);
  EXPECT_EQ(istrue(-1.5) + istrue(3e10) + istrue(qnan), 3);
}
