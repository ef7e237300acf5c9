// Tests of the is... predicates: degenerate shapes, NaN under ==, imaginary parts, ishermitian.
#include "../support/started_runtime.h"

using namespace korvex;
using namespace korvex_test;

namespace {
const double qnan = std::nan("");
}

TEST(Predicates, ShapeTestsOnEmptyAndDegenerateShapesAndNameIdentity) {
  // rows, cols, and isempty·100 + isscalar·10 + isvector
  const int rows[][3] = {{0, 0, 101}, {1, 1, 11}, {5, 1, 1}, {0, 5, 101}, {2, 2, 0}};
  for (const auto& r : rows) {
    M<double> x(0, r[0], r[1]);
    EXPECT_EQ(isempty(x) * 100 + isscalar(x) * 10 + isvector(x), r[2]) << r[0] << "x" << r[1];
  }
  static const char colon_text[] = ":";  // the same text at another address
  M<double> copy(c_p), other(1.0);
  other.setname(colon_text);
  EXPECT_EQ(issamename(copy, c_p) * 10 + issamename(other, c_p), 10);
}

// issame and istrue look at real parts only; iscomplex and isreal drop an all-zero imaginary
// part from their own copy. zeros(0, 3) and zeros(3, 0) are the same: both are 0x0.
TEST(Predicates, IssameIscomplexAndIsrealLookAtTheRightParts) {
  EXPECT_EQ(issame(mat(1, 2, {1, qnan}), mat(1, 2, {1, qnan})), 0);
  EXPECT_EQ(issame(zeros(M<double>(0.0), M<double>(3.0)), zeros(M<double>(3.0), M<double>(0.0))),
            1);
  EXPECT_EQ(issame(mat(1, 2, {1, 2}), mat(2, 1, {1, 2})) + issame(M<double>(-0.0), mat(1, 1, {0})),
            1);
  EXPECT_EQ(issame(cmat(1, 1, {1}, {5}), M<double>(1.0)), 1);
  M<double> z = cmat(1, 2, {1, 2}, {0, -0.0}), w = cmat(1, 2, {1, 2}, {0, qnan});
  EXPECT_EQ(iscomplex(z) * 1000 + isreal(z) * 100 + iscomplex(w) * 10 + isreal(w), 110);
  EXPECT_TRUE(z.isc() && isreal(M<double>()) == 0);
}

TEST(Predicates, IsintAndIstrue) {
  // clang-format off
  const struct { M<double> x; int isint, istrue; } rows[] = {
      {mat(1, 3, {1, 2, 3}), 1, 1}, {M<double>(2.5), 0, 1}, {M<double>(1e7), 0, 1},
      {M<double>(9999999.0), 1, 1}, {M<double>(-3.0), 1, 1}, {M<double>(), 1, 0},
      {M<double>(qnan), 0, 1}, {M<double>(HUGE_VAL), 0, 1}, {cmat(1, 1, {3}, {0}), 1, 1},
      {cmat(1, 1, {3}, {1}), 0, 1}, {cmat(1, 1, {0}, {1}), 0, 0}, {mat(1, 3, {1, 2, -0.0}), 1, 0}};
  // clang-format on
  for (const auto& r : rows)
    EXPECT_EQ(isint(r.x) * 10 + istrue(r.x), r.isint * 10 + r.istrue) << &r - rows;
  // The double form truncates: 0.5 is false where the matrix 0.5 is true.
  EXPECT_EQ(istrue(0.5) + istrue(-0.9), 0);
  EXPECT_EQ(istrue(-1.5) + istrue(3e10) + istrue(qnan), 3);
}

// Upper against lower triangle, diagonal included: a complex diagonal must be real, and 0x0 is
// not hermitian (the answer starts false).
TEST(Predicates, IshermitianChecksConjugatePairsAndTheDiagonal) {
  EXPECT_EQ(ishermitian(mat(2, 2, {1, 2, 2, 1})) * 10 + ishermitian(mat(2, 2, {1, 2, 3, 1})), 10);
  EXPECT_EQ(ishermitian(cmat(2, 2, {1, 2, 2, 1}, {0, -1, 1, 0})), 1);
  EXPECT_EQ(ishermitian(cmat(2, 2, {1, 2, 2, 1}, {0, 1, 1, 0})), 0);  // symmetric only
  EXPECT_EQ(
      ishermitian(cmat(1, 1, {0}, {1})) + ishermitian(M<double>(qnan)) + ishermitian(M<double>()),
      0);
  M<double> x(0, 2, 3);
  x.setname("x");
  EXPECT_EXIT(ishermitian(x), testing::ExitedWithCode(1),
              "^error: ishermitian: x matrix not square\n$");
}
