// Tests of the is... predicates: degenerate shapes, NaN under ==, imaginary parts, ishermitian.
#include "../support/started_runtime.h"

using namespace korvex;
using korvex_test::cmat;
using korvex_test::mat;

namespace {

const double qnan = std::nan("");

class Predicates : public korvex_test::StartedRuntime {};

TEST_F(Predicates, ShapeTestsOnEmptyAndDegenerateShapes) {
  const struct {
    int m, n, empty, scalar, vector;
  } rows[] = {{0, 0, 1, 0, 1}, {1, 1, 0, 1, 1}, {5, 1, 0, 0, 1}, {0, 5, 1, 0, 1}, {2, 2, 0, 0, 0}};
  for (const auto& r : rows) {
    M<double> x(0, r.m, r.n);
    EXPECT_EQ(isempty(x) * 100 + isscalar(x) * 10 + isvector(x),
              r.empty * 100 + r.scalar * 10 + r.vector)
        << r.m << "x" << r.n;
  }
  static const char colon_text[] = ":";  // the same text at another address
  M<double> copy(c_p), other(1.0);
  other.setname(colon_text);
  EXPECT_EQ(issamename(copy, c_p) * 10 + issamename(other, c_p), 10);
}

TEST_F(Predicates, IssameComparesShapeAndRealPartsUnderIeeeEquality) {
  EXPECT_EQ(issame(mat(1, 2, {1, qnan}), mat(1, 2, {1, qnan})), 0);
  EXPECT_EQ(issame(M<double>(0, 0, 3), M<double>(0, 3, 0)), 1);  // both stored as 0×0
  EXPECT_EQ(issame(mat(1, 2, {1, 2}), mat(2, 1, {1, 2})), 0);
  EXPECT_EQ(issame(mat(1, 1, {-0.0}), mat(1, 1, {0.0})), 1);
  EXPECT_EQ(issame(cmat(1, 1, {1}, {5}), M<double>(1.0)), 1);  // imaginary parts ignored
}

TEST_F(Predicates, IsintAndIstrue) {
  const struct {
    M<double> x;
    int isint, istrue;
  } rows[] = {
      {mat(1, 3, {1, 2, 3}), 1, 1}, {M<double>(2.5), 0, 1},       {M<double>(1e7), 0, 1},
      {M<double>(9999999.0), 1, 1}, {M<double>(-3.0), 1, 1},      {M<double>(), 1, 0},
      {M<double>(qnan), 0, 1},      {M<double>(HUGE_VAL), 0, 1},  {cmat(1, 1, {3}, {0}), 1, 1},
      {cmat(1, 1, {3}, {1}), 0, 1}, {cmat(1, 1, {0}, {1}), 0, 0}, {mat(1, 3, {1, 2, -0.0}), 1, 0},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(isint(r.x), r.isint) << r.x.size() << " " << (r.x.size() ? r.x.addr()[0] : 0);
    EXPECT_EQ(istrue(r.x), r.istrue) << r.x.size() << " " << (r.x.size() ? r.x.addr()[0] : 0);
  }
  // The double form truncates: 0.5 is false where the matrix 0.5 is true.
  EXPECT_EQ(istrue(0.5) + istrue(-0.9), 0);
  EXPECT_EQ(istrue(-1.5) + istrue(3e10) + istrue(qnan), 3);
}

TEST_F(Predicates, IscomplexAndIsrealLeaveTheArgumentAlone) {
  M<double> z = cmat(1, 2, {1, 2}, {0, -0.0}), w = cmat(1, 2, {1, 2}, {0, qnan});
  EXPECT_EQ(iscomplex(z) * 10 + isreal(z), 1);
  EXPECT_TRUE(z.isc());
  EXPECT_EQ(iscomplex(w) * 10 + isreal(w), 10);
  EXPECT_EQ(isreal(M<double>()), 0);
}

TEST_F(Predicates, IshermitianChecksConjugatePairsAndTheDiagonal) {
  EXPECT_EQ(ishermitian(mat(2, 2, {1, 2, 2, 1})), 1);
  EXPECT_EQ(ishermitian(mat(2, 2, {1, 2, 3, 1})), 0);
  EXPECT_EQ(ishermitian(cmat(2, 2, {1, 2, 2, 1}, {0, -1, 1, 0})), 1);
  EXPECT_EQ(ishermitian(cmat(2, 2, {1, 2, 2, 1}, {0, 1, 1, 0})), 0);  // symmetric only
  EXPECT_EQ(ishermitian(cmat(1, 1, {0}, {1})), 0);
  EXPECT_EQ(ishermitian(M<double>(qnan)) + ishermitian(M<double>()), 0);
  M<double> x(0, 2, 3);
  x.setname("x");
  EXPECT_EXIT(ishermitian(x), testing::ExitedWithCode(1),
              "^error: ishermitian: x matrix not square\n$");
}

}  // namespace
