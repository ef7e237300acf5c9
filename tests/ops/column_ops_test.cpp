// Tests of the column reductions: empty inputs, the one-row rule, NaN in max/min, and the
// choice between the real and the complex path.
#include <cmath>

#include "../support/started_runtime.h"

using namespace korvex;
using korvex_test::cmat;
using korvex_test::imags;
using korvex_test::mat;
using korvex_test::reals;
using korvex_test::same_double;

namespace {

const double inf = HUGE_VAL;
const double qnan = std::nan("");

class ColumnOps : public korvex_test::StartedRuntime {};

using Reduction = M<double> (*)(const M<double>&);

TEST_F(ColumnOps, EmptyInputsGiveFixedScalarsOrTheEmptyMatrix) {
  const struct {
    Reduction f;
    double want;
  } scalar_rows[] = {{sum, 0}, {prod, 1}, {sumabs, 0}, {all, 1}, {any, 0}};
  for (M<double> e : {M<double>(), M<double>(0, 0, 5), M<double>(0, 3, 0)}) {
    for (const auto& r : scalar_rows) {
      M<double> x = r.f(e);
      EXPECT_EQ(x.rows(), 1);
      EXPECT_EQ(x.cols(), 1);
      EXPECT_EQ(x.addr()[0], r.want);
    }
    EXPECT_TRUE(max(e).issamename(nop_M.getname()));
    EXPECT_EQ(min(e).size(), 0);
    EXPECT_EQ(col_op(e, static_cast<OpCode>(5)).size(), 0);  // no op check when empty
  }
}

TEST_F(ColumnOps, OneRowIsOneVectorAndOtherShapesGoByColumn) {
  M<double> row = mat(1, 3, {1, 2, 3}), col = mat(3, 1, {1, 2, 3});
  M<double> sq = mat(2, 2, {1, 3, 2, 4});
  EXPECT_EQ(reals(sum(row)), std::vector<double>{6});
  EXPECT_EQ(sum(row).cols(), 1);
  EXPECT_EQ(reals(sum(col)), std::vector<double>{6});
  M<double> s = sum(sq);
  EXPECT_EQ(s.rows(), 1);
  EXPECT_EQ(reals(s), (std::vector<double>{4, 6}));
  EXPECT_EQ(reals(prod(sq)), (std::vector<double>{3, 8}));
  EXPECT_EQ(reals(max(sq)), (std::vector<double>{3, 4}));
  EXPECT_EQ(reals(min(mat(3, 2, {5, -1, 2, 0, 0, 7}))), (std::vector<double>{-1, 0}));
  EXPECT_EQ(reals(sumabs(mat(1, 2, {-3, 4}))), std::vector<double>{7});
  EXPECT_EQ(reals(sum(M<double>(-2.0))), std::vector<double>{-2});
}

TEST_F(ColumnOps, MaxMinReturnTheFirstNaNOfEachColumnOnly) {
  EXPECT_TRUE(std::isnan(max(mat(1, 3, {1, qnan, 3})).addr()[0]));
  M<double> m = max(mat(2, 2, {1, qnan, 5, 2}));
  EXPECT_TRUE(std::isnan(reals(m)[0]));
  EXPECT_EQ(reals(m)[1], 5);
  m = min(mat(2, 2, {qnan, -1, -inf, 2}));
  EXPECT_TRUE(std::isnan(reals(m)[0]));
  EXPECT_EQ(reals(m)[1], -inf);
  // The NaN itself is returned, sign and payload kept.
  double odd = -std::nan("7");
  m = max(mat(1, 2, {1, odd}));
  EXPECT_EQ(korvex_test::bits(m.addr()[0]), korvex_test::bits(odd));
  // An equal later element replaces the accumulator, so the last zero's sign wins.
  EXPECT_TRUE(same_double(max(mat(1, 2, {0.0, -0.0})).addr()[0], -0.0));
  EXPECT_TRUE(same_double(min(mat(1, 2, {-0.0, 0.0})).addr()[0], 0.0));
}

TEST_F(ColumnOps, AllAnyCountNaNAsTrue) {
  EXPECT_EQ(reals(all(mat(1, 2, {1, qnan}))), std::vector<double>{1});
  EXPECT_EQ(reals(any(mat(1, 2, {0, qnan}))), std::vector<double>{1});
  EXPECT_EQ(reals(all(mat(2, 2, {1, -0.0, 2, 3}))), (std::vector<double>{0, 1}));
  EXPECT_EQ(reals(any(mat(2, 2, {0, -0.0, 0, 3}))), (std::vector<double>{0, 1}));
  M<double> c = cmat(1, 2, {0, 0}, {0, 2});
  M<double> r = any(c);
  ASSERT_TRUE(r.isc());
  EXPECT_EQ(reals(r), std::vector<double>{1});
  EXPECT_EQ(imags(r), std::vector<double>{0});
  EXPECT_EQ(reals(all(c)), std::vector<double>{0});
  EXPECT_EQ(reals(all(cmat(1, 2, {0, 1}, {qnan, 0}))), std::vector<double>{1});
}

TEST_F(ColumnOps, ComplexMaxMinCompareModuliKeepingTheEarlierOnTies) {
  M<double> r = max(cmat(1, 2, {3, -5}, {4, 0}));
  EXPECT_EQ(reals(r), std::vector<double>{3});
  EXPECT_EQ(imags(r), std::vector<double>{4});
  r = max(cmat(1, 2, {-5, 3}, {0, 4}));
  EXPECT_EQ(reals(r), std::vector<double>{-5});
  EXPECT_EQ(imags(r), std::vector<double>{0});
  r = min(cmat(3, 1, {3, 0, 1}, {4, 2, 0}));
  EXPECT_EQ(reals(r), std::vector<double>{1});
  r = max(cmat(1, 3, {1, 2, 9}, {0, qnan, 0}));  // a NaN imaginary part stops the column
  EXPECT_EQ(reals(r), std::vector<double>{2});
  EXPECT_TRUE(std::isnan(imags(r)[0]));
}

TEST_F(ColumnOps, ZeroImaginaryStorageIsRealForMaxMinButComplexForTheRest) {
  M<double> z = cmat(1, 3, {1, -7, 2}, {0, -0.0, 0});
  M<double> r = max(z);
  EXPECT_FALSE(r.isc());
  EXPECT_EQ(reals(r), std::vector<double>{2});  // real path: -7 loses although |-7| is largest
  EXPECT_TRUE(z.isc());                         // the argument keeps its storage
  r = sum(z);
  ASSERT_TRUE(r.isc());
  EXPECT_EQ(reals(r), std::vector<double>{-4});
  EXPECT_EQ(imags(r), std::vector<double>{0});
}

TEST_F(ColumnOps, ComplexSumProdAndSumabs) {
  M<double> c = cmat(2, 2, {1, 3, 0, 2}, {2, 4, 1, 0});
  M<double> s = sum(c);
  EXPECT_EQ(reals(s), (std::vector<double>{4, 2}));
  EXPECT_EQ(imags(s), (std::vector<double>{6, 1}));
  M<double> p = prod(c);  // (1+2i)(3+4i) = -5+10i; i·2 = 2i
  EXPECT_EQ(reals(p), (std::vector<double>{-5, 0}));
  EXPECT_EQ(imags(p), (std::vector<double>{10, 2}));
  // A real accumulator takes cmul's shortcut: 2·(Inf + i) has no 0·Inf term.
  p = prod(cmat(1, 2, {2, inf}, {0, 1}));
  EXPECT_EQ(reals(p), std::vector<double>{inf});
  EXPECT_EQ(imags(p), std::vector<double>{2});
  EXPECT_EQ(reals(sumabs(cmat(1, 2, {3, -1}, {4, 0}))), std::vector<double>{6});
  EXPECT_EQ(imags(sumabs(cmat(1, 2, {3, -1}, {4, 0}))), std::vector<double>{0});
}

TEST(ColumnOpsDeath, UnknownCodeIsReportedForNonEmptyInput) {
  for (int code : {0, 71, 79})
    EXPECT_EXIT(col_op(M<double>(1.0), static_cast<OpCode>(code)), testing::ExitedWithCode(1),
                "^error: col_op: unknown op\n$");
}

}  // namespace
