// Tests of the is... predicates: shapes, NaN under ==, imaginary parts, ishermitian.
#include <cmath>

#include "../support/started_runtime.h"

using namespace korvex;
using korvex_test::cmat;
using korvex_test::mat;

namespace {

const double qnan = std::nan("");

class Predicates : public korvex_test::StartedRuntime {};

TEST_F(Predicates, ShapeTestsCountEmptyAndDegenerateShapes) {
  const struct {
    int m, n, empty, scalar, vector;
  } rows[] = {{0, 0, 1, 0, 1}, {1, 1, 0, 1, 1}, {1, 5, 0, 0, 1}, {5, 1, 0, 0, 1},
              {0, 5, 1, 0, 1}, {2, 2, 0, 0, 0}, {2, 3, 0, 0, 0}};
  for (const auto& r : rows) {
    M<double> x(0, r.m, r.n);
    EXPECT_EQ(isempty(x), r.empty) << r.m << "x" << r.n;
    EXPECT_EQ(isscalar(x), r.scalar) << r.m << "x" << r.n;
    EXPECT_EQ(isvector(x), r.vector) << r.m << "x" << r.n;
  }
  EXPECT_EQ(isstr(M<double>("ab")), 1);
  EXPECT_EQ(isstr(M<double>(1.0)), 0);
  EXPECT_EQ(issparse(M<double>(1.0)), 0);
  EXPECT_EQ(isglobal(pi), 0);
}

TEST_F(Predicates, IssameComparesShapeAndRealPartsUnderIeeeEquality) {
  EXPECT_EQ(issame(mat(1, 2, {1, qnan}), mat(1, 2, {1, qnan})), 0);
  EXPECT_EQ(issame(M<double>(0, 0, 3), M<double>(0, 0, 3)), 1);
  EXPECT_EQ(issame(M<double>(0, 0, 3), M<double>(0, 3, 0)), 1);  // both stored as 0×0
  EXPECT_EQ(issame(mat(1, 2, {1, 2}), mat(2, 1, {1, 2})), 0);
  EXPECT_EQ(issame(mat(1, 2, {-0.0, 2}), mat(1, 2, {0.0, 2})), 1);
  EXPECT_EQ(issame(cmat(1, 1, {1}, {5}), M<double>(1.0)), 1);  // imaginary parts ignored
  EXPECT_EQ(issame(M<double>("seed"), mat(1, 4, {115, 101, 101, 100})), 1);
}

TEST_F(Predicates, IssamenameComparesPointersNotTexts) {
  static const char other_colon[] = ":";
  M<double> copy(c_p), named(1.0);
  named.setname(other_colon);
  EXPECT_EQ(issamename(copy, c_p), 1);
  EXPECT_EQ(issamename(named, c_p), 0);
}

TEST_F(Predicates, IsintNeedsIntegersBelowTenMillionAndZeroImaginaryParts) {
  const struct {
    M<double> x;
    int want;
  } rows[] = {
      {mat(1, 3, {1, 2, 3}), 1}, {M<double>(2.5), 0},       {M<double>(1e7), 0},
      {M<double>(9999999.0), 1}, {M<double>(-3.0), 1},      {M<double>(-1e7), 0},
      {M<double>(), 1},          {M<double>(qnan), 0},      {M<double>(HUGE_VAL), 0},
      {cmat(1, 1, {3}, {0}), 1}, {cmat(1, 1, {3}, {1}), 0}, {mat(1, 2, {1, 0.5}), 0},
  };
  for (const auto& r : rows) EXPECT_EQ(isint(r.x), r.want) << r.x.addr()[0];
}

TEST_F(Predicates, IstrueOfMatrixAndOfDouble) {
  EXPECT_EQ(istrue(mat(1, 3, {1, 2, 0})), 0);
  EXPECT_EQ(istrue(mat(1, 3, {1, 2, -0.0})), 0);
  EXPECT_EQ(istrue(M<double>()), 0);
  EXPECT_EQ(istrue(M<double>(qnan)), 1);
  EXPECT_EQ(istrue(M<double>(0.5)), 1);
  EXPECT_EQ(istrue(cmat(1, 1, {0}, {1})), 0);  // imaginary parts ignored
  EXPECT_EQ(istrue(0.5), 0);                   // the double truncates
  EXPECT_EQ(istrue(-0.9), 0);
  EXPECT_EQ(istrue(-1.5), 1);
  EXPECT_EQ(istrue(3e10), 1);
}

TEST_F(Predicates, IscomplexAndIsrealWorkOnACopy) {
  M<double> z = cmat(1, 2, {1, 2}, {0, -0.0});
  EXPECT_EQ(iscomplex(z), 0);
  EXPECT_EQ(isreal(z), 1);
  EXPECT_TRUE(z.isc());  // untouched
  M<double> w = cmat(1, 2, {1, 2}, {0, qnan});
  EXPECT_EQ(iscomplex(w), 1);
  EXPECT_EQ(isreal(w), 0);
  EXPECT_EQ(isreal(M<double>()), 0);
  EXPECT_EQ(isreal(M<double>(1.0)), 1);
  EXPECT_EQ(iscomplex(M<double>(1.0)), 0);
}

TEST_F(Predicates, IshermitianChecksConjugateSymmetryIncludingTheDiagonal) {
  EXPECT_EQ(ishermitian(mat(2, 2, {1, 2, 2, 1})), 1);
  EXPECT_EQ(ishermitian(mat(2, 2, {1, 2, 3, 1})), 0);
  EXPECT_EQ(ishermitian(cmat(2, 2, {1, 2, 2, 1}, {0, -1, 1, 0})), 1);
  EXPECT_EQ(ishermitian(cmat(2, 2, {1, 2, 2, 1}, {0, 1, 1, 0})), 0);  // symmetric, not hermitian
  EXPECT_EQ(ishermitian(cmat(1, 1, {0}, {1})), 0);
  EXPECT_EQ(ishermitian(M<double>(qnan)), 0);
  EXPECT_EQ(ishermitian(M<double>(5.0)), 1);
  EXPECT_EQ(ishermitian(M<double>()), 0);
}

TEST(PredicatesDeath, IshermitianRejectsNonSquareByName) {
  M<double> x(0, 2, 3);
  x.setname("x");
  EXPECT_EXIT(ishermitian(x), testing::ExitedWithCode(1),
              "^error: ishermitian: x matrix not square\n$");
  EXPECT_EXIT(ishermitian(M<double>(0, 1, 2)), testing::ExitedWithCode(1),
              "ishermitian: \\? matrix not square");
}

}  // namespace
