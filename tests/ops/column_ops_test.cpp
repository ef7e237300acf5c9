// Tests of the column reductions: empty inputs, the one-row rule, NaN in max/min, and the
// choice between the real and the complex path.
#include "../support/started_runtime.h"

using namespace korvex;
using korvex_test::cmat;
using korvex_test::imags;
using korvex_test::mat;
using korvex_test::reals;
using korvex_test::same;
using V = std::vector<double>;

namespace {

const double inf = HUGE_VAL, qnan = std::nan("");

class ColumnOps : public korvex_test::StartedRuntime {};

TEST_F(ColumnOps, EmptyInputsGiveFixedScalarsOrTheEmptyMatrix) {
  for (M<double> e : {M<double>(), M<double>(0, 0, 5)}) {
    V got{reals(sum(e))[0], reals(prod(e))[0], reals(sumabs(e))[0], reals(all(e))[0],
          reals(any(e))[0]};
    EXPECT_EQ(got, (V{0, 1, 0, 1, 0}));
    EXPECT_TRUE(max(e).issamename(nop_M.getname()));
    EXPECT_EQ(min(e).size() + col_op(e, op_lt).size(), 0);  // no op check when empty
  }
}

TEST_F(ColumnOps, OneRowIsOneVectorOtherShapesGoByColumn) {
  EXPECT_EQ(reals(sum(mat(1, 3, {1, 2, 3}))), V{6});
  EXPECT_EQ(reals(sum(mat(3, 1, {1, 2, 3}))), V{6});
  M<double> s = sum(mat(2, 2, {1, 3, 2, 4}));
  EXPECT_EQ(s.rows(), 1);
  EXPECT_EQ(reals(s), (V{4, 6}));
  EXPECT_EQ(reals(prod(mat(2, 2, {1, 3, 2, 4}))), (V{3, 8}));
  EXPECT_EQ(reals(min(mat(3, 2, {5, -1, 2, 0, 0, 7}))), (V{-1, 0}));
  EXPECT_EQ(reals(sumabs(mat(1, 2, {-3, 4}))), V{7});
}

TEST_F(ColumnOps, MaxMinReturnTheFirstNaNOfEachColumnOnly) {
  V m = reals(max(mat(2, 2, {1, qnan, 5, 2})));
  EXPECT_TRUE(std::isnan(m[0]) && m[1] == 5);
  m = reals(min(mat(2, 2, {qnan, -1, -inf, 2})));
  EXPECT_TRUE(std::isnan(m[0]) && m[1] == -inf);
  EXPECT_TRUE(std::signbit(reals(max(mat(1, 2, {1, -qnan})))[0]));  // the NaN itself
  // An equal later element replaces the accumulator: the last zero's sign wins.
  EXPECT_TRUE(same(reals(max(mat(1, 2, {0.0, -0.0})))[0], -0.0));
  EXPECT_TRUE(same(reals(min(mat(1, 2, {-0.0, 0.0})))[0], 0.0));
}

TEST_F(ColumnOps, AllAnyCountNaNAsTrue) {
  EXPECT_EQ(reals(all(mat(2, 2, {1, -0.0, qnan, 3}))), (V{0, 1}));
  EXPECT_EQ(reals(any(mat(2, 2, {0, -0.0, 0, qnan}))), (V{0, 1}));
  M<double> c = cmat(1, 2, {0, 0}, {0, 2});
  EXPECT_EQ(reals(any(c)), V{1});
  EXPECT_EQ(imags(any(c)), V{0});
  EXPECT_EQ(reals(all(c)), V{0});
}

TEST_F(ColumnOps, ComplexMaxMinCompareModuliKeepingTheEarlierOnTies) {
  M<double> r = max(cmat(1, 2, {3, -5}, {4, 0}));
  EXPECT_EQ(reals(r)[0] * 10 + imags(r)[0], 34);
  r = max(cmat(1, 2, {-5, 3}, {0, 4}));
  EXPECT_EQ(reals(r)[0] * 10 + imags(r)[0], -50);
  EXPECT_EQ(reals(min(cmat(3, 1, {3, 0, 1}, {4, 2, 0}))), V{1});
  r = max(cmat(1, 3, {1, 2, 9}, {0, qnan, 0}));  // a NaN imaginary part stops the column
  EXPECT_TRUE(reals(r)[0] == 2 && std::isnan(imags(r)[0]));
}

TEST_F(ColumnOps, ZeroImaginaryPartsAreRealForMaxMinOnly) {
  M<double> z = cmat(1, 3, {1, -7, 2}, {0, -0.0, 0});
  M<double> r = max(z);
  EXPECT_FALSE(r.isc());
  EXPECT_EQ(reals(r), V{2});  // real path: -7 loses although its modulus is largest
  EXPECT_TRUE(z.isc());       // the argument keeps its storage
  r = sum(z);
  EXPECT_TRUE(r.isc());
  EXPECT_EQ(reals(r)[0] * 10 + imags(r)[0], -40);
}

TEST_F(ColumnOps, ComplexSumProdAndSumabs) {
  M<double> c = cmat(2, 2, {1, 3, 0, 2}, {2, 4, 1, 0});
  EXPECT_EQ(imags(sum(c)), (V{6, 1}));
  M<double> p = prod(c);  // (1+2i)(3+4i) = -5+10i; i·2 = 2i
  EXPECT_EQ(reals(p), (V{-5, 0}));
  EXPECT_EQ(imags(p), (V{10, 2}));
  p = prod(cmat(1, 2, {2, inf}, {0, 1}));  // a real accumulator: 2·(Inf + i) has no 0·Inf
  EXPECT_EQ(reals(p), V{inf});
  EXPECT_EQ(imags(p), V{2});
  EXPECT_EQ(reals(sumabs(cmat(1, 2, {3, -1}, {4, 0}))), V{6});
}

TEST(ColumnOpsDeath, UnknownCodeIsReportedForNonEmptyInput) {
  for (int code : {0, 71, 79})
    EXPECT_EXIT(col_op(M<double>(1.0), static_cast<OpCode>(code)), testing::ExitedWithCode(1),
                "^error: col_op: unknown op\n$");
}

}  // namespace
