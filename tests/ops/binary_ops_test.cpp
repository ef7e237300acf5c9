// Tests of the binary engine: empty operands, scalar expansion, dimension messages, the rules
// by operand kind, dot_pow and realpow.
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

class BinaryOp : public korvex_test::StartedRuntime {};

M<double> named(const char* name, int m, int n) {
  M<double> x(0, m, n);
  fill_data(x.addr(), x.size(), 1.0);
  x.setname(name);
  return x;
}

TEST_F(BinaryOp, EmptyOperandsSkipAllChecks) {
  M<double> e, e03(0, 0, 3), v = mat(1, 3, {1, 2, 3}), five(5.0);
  EXPECT_EQ(reals(e == e03), V{1});
  EXPECT_EQ(reals(e == five), V{0});
  EXPECT_EQ(reals(e != five), V{1});
  EXPECT_EQ(reals(e != e), V{0});
  EXPECT_TRUE((e + v).issamename(nop_M.getname()));               // no dimension error
  EXPECT_EQ(binary_op(e, v, static_cast<OpCode>(10)).size(), 0);  // nor an op check
}

TEST_F(BinaryOp, ScalarOperandMeetsEveryElementOnEitherSide) {
  M<double> a = mat(2, 3, {1, 2, 3, 4, 5, 6}), s(10.0);
  M<double> r = a - s;
  EXPECT_EQ(r.rows() * 10 + r.cols(), 23);
  EXPECT_EQ(reals(r), (V{-9, -8, -7, -6, -5, -4}));
  r = s - a;
  EXPECT_EQ(r.rows() * 10 + r.cols(), 23);
  EXPECT_EQ(reals(r), (V{9, 8, 7, 6, 5, 4}));
  EXPECT_EQ(reals(dot_div(s, mat(1, 2, {4, 0}))), (V{2.5, inf}));
  EXPECT_EQ(reals(dot_invdiv(mat(1, 2, {4, 0}), s)), (V{2.5, inf}));
}

TEST_F(BinaryOp, MismatchedShapesNameTheOperandsExchangedForGreater) {
  M<double> a = named("a", 2, 3), b = named("b", 3, 2);
  auto die = testing::ExitedWithCode(1);
  EXPECT_EXIT(a + b, die, "^error: \\+: wrong dimensions of: a, b\n$");
  EXPECT_EXIT((void)(named("r", 1, 3) == named("c", 3, 1)), die,
              "error: ==: wrong dimensions of: r, c");
  EXPECT_EXIT((void)(a > b), die, "error: <: wrong dimensions of: b, a");
  EXPECT_EXIT((void)(a >= b), die, "error: <=: wrong dimensions of: b, a");
  EXPECT_EXIT(mat(1, 2, {1, 2}) + mat(2, 1, {1, 2}), die, "wrong dimensions of: \\?, \\?");
}

TEST_F(BinaryOp, UnknownCodesAreReportedAfterTheShapeCheck) {
  M<double> x(1.0);
  for (int code : {1, 3, 10, 14, 20, 79, -1})
    EXPECT_EXIT(binary_op(x, x, static_cast<OpCode>(code)), testing::ExitedWithCode(1),
                "^error: binary_op: unknown op\n$");
  for (int code : {10, 14, 64, 79, -1})
    EXPECT_EXIT(binary_op_name(code), testing::ExitedWithCode(1), "binary_op_name: unknown op");
  EXPECT_EXIT(binary_op(named("p", 1, 2), named("q", 1, 3), op_gt), testing::ExitedWithCode(1),
              ">: wrong dimensions of: p, q");
  std::string all;
  for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 15, 16, 17, 18, 19, 65, 77, 78})
    all += std::string(binary_op_name(code)) + " ";
  EXPECT_EQ(all, "< > <= >= == != | & + - .* ./ .^ atan2 rem .\\ xor realpow pow2 min max ");
}

TEST_F(BinaryOp, ComparisonsAndLogicOnNaNAndSignedZero) {
  M<double> a = mat(1, 4, {qnan, qnan, -0.0, 1}), b = mat(1, 4, {qnan, 0, 0.0, 2});
  EXPECT_EQ(reals(a == b), (V{0, 0, 1, 0}));
  EXPECT_EQ(reals(a != b), (V{1, 1, 0, 1}));
  EXPECT_EQ(reals(a < b), (V{0, 0, 0, 1}));
  EXPECT_EQ(reals(a > b), (V{0, 0, 0, 0}));
  EXPECT_EQ(reals(a >= b), (V{0, 0, 1, 0}));
  EXPECT_EQ(reals(a || b), (V{1, 1, 0, 1}));  // NaN is true
  EXPECT_EQ(reals(a && b), (V{1, 0, 0, 1}));
  EXPECT_EQ(reals(xorM(a, b)), (V{0, 1, 0, 0}));
  // Complex operands: true when either part is non-zero, the same answers.
  M<double> ca = cmat(1, 4, {0, 0, 0, 0}, {1, 2, 0, 0}),
            cb = cmat(1, 4, {0, 0, 0, 0}, {3, 0, -1, 0});
  M<double> ra = mat(1, 4, {1, 1, 0, 0}), rb = mat(1, 4, {1, 0, 1, 0});
  for (const M<double>* x : {&ra, &ca})
    for (const M<double>* y : {&rb, &cb}) EXPECT_EQ(reals(xorM(*x, *y)), (V{0, 1, 1, 0}));
  EXPECT_EQ(imags(ca || rb), (V{0, 0, 0, 0}));
}

TEST_F(BinaryOp, ComplexComparisonsByStorageOrByValue) {
  M<double> z = cmat(1, 1, {1}, {2});
  M<double> r = z == z;  // complex storage, zero imaginary part
  ASSERT_TRUE(r.isc());
  EXPECT_EQ(reals(r)[0] * 10 + imags(r)[0], 10);
  EXPECT_EQ(reals(z != cmat(1, 1, {1}, {-2})), V{1});
  // <, <= drop an all-zero imaginary part first and compare real parts only.
  M<double> zr = cmat(1, 2, {1, 3}, {0, -0.0});
  EXPECT_FALSE((zr < M<double>(2.0)).isc());
  EXPECT_TRUE((cmat(1, 1, {1}, {5}) < M<double>(2.0)).isc());
  EXPECT_TRUE((zr == zr).isc());
}

TEST_F(BinaryOp, AddAndSubtractCopyALoneImaginaryPartWithItsSign) {
  M<double> c = cmat(1, 2, {1, 2}, {-0.0, 3}), r = mat(1, 2, {10, 20});
  EXPECT_TRUE(same(imags(c + r)[0], -0.0));  // not -0 + 0
  EXPECT_TRUE(same(imags(c - r)[0], -0.0));
  EXPECT_TRUE(same(imags(r + c)[0], -0.0));
  M<double> s = r - cmat(1, 2, {1, 2}, {0.0, 3});
  EXPECT_EQ(reals(s), (V{9, 18}));
  EXPECT_TRUE(same(imags(s)[0], -0.0));  // -(+0), where 0 - (+0) gives +0
  EXPECT_EQ(imags(s)[1], -3);
  EXPECT_EQ(imags(c + c), (V{-0.0, 6}));
}

TEST_F(BinaryOp, DivisionByARealOperandDividesBothParts) {
  M<double> c = cmat(1, 2, {2, 4}, {0.0, 6}), r = mat(1, 2, {0, 2});
  for (const M<double>& q : {dot_div(c, r), dot_invdiv(r, c)}) {
    EXPECT_EQ(reals(q), (V{inf, 2}));
    EXPECT_TRUE(std::isnan(imags(q)[0]));  // 0/0, not div's +0
    EXPECT_EQ(imags(q)[1], 3);
  }
  M<double> q = dot_div(r, c);  // real by complex: div
  EXPECT_DOUBLE_EQ(reals(q)[1], 8.0 / 52);
  EXPECT_DOUBLE_EQ(imags(q)[1], -12.0 / 52);
}

TEST_F(BinaryOp, PowerOfNegativeBasesIsComplexExceptForRealpow) {
  M<double> r = dot_pow(mat(1, 3, {0, qnan, 2}), mat(1, 3, {0, 0, 10}));
  EXPECT_EQ(reals(r), (V{1, 1, 1024}));
  EXPECT_FALSE(r.isc());
  r = dot_pow(M<double>(-8.0), M<double>(1.0 / 3));
  ASSERT_TRUE(r.isc());
  EXPECT_NEAR(reals(r)[0], 1, 1e-14);
  EXPECT_NEAR(imags(r)[0], std::sqrt(3.0), 1e-14);
  r = realpow(M<double>(-8.0), M<double>(1.0 / 3));
  EXPECT_TRUE(!r.isc() && std::isnan(reals(r)[0]));
  M<double> base = mat(2, 1, {2, -3});
  r = dot_pow(base, M<double>(2.0));  // one negative element: all complex, squares exact
  EXPECT_TRUE(r.isc() && !base.isc());
  EXPECT_EQ(reals(r), (V{4, 9}));
}

TEST_F(BinaryOp, MinMaxTakeTheSecondOperandFirst) {
  M<double> a = mat(1, 4, {qnan, 1, 0.0, -0.0}), b = mat(1, 4, {1, qnan, -0.0, 0.0});
  V r = reals(max(a, b));
  EXPECT_TRUE(std::isnan(r[0]) && std::isnan(r[1]) && same(r[2], 0.0) && same(r[3], -0.0));
  r = reals(min0(a, b));
  EXPECT_TRUE(std::isnan(r[0]) && std::isnan(r[1]) && same(r[2], 0.0) && same(r[3], -0.0));
  M<double> m = max(cmat(1, 2, {3, 1}, {4, 0}), M<double>(5.0));  // equal moduli keep a
  EXPECT_EQ(reals(m), (V{3, 5}));
  EXPECT_EQ(imags(m), (V{4, 0}));
}

TEST_F(BinaryOp, Atan2RemAndPow2UseRealParts) {
  EXPECT_EQ(reals(atan2(mat(1, 2, {0.0, -0.0}), mat(1, 2, {-1, -1}))), (V{M_PI, -M_PI}));
  M<double> r = rem(cmat(1, 2, {7, 0.3}, {9, 1}), mat(1, 2, {4, 0.1}));
  EXPECT_EQ(reals(r), (V{3, 0.09999999999999998}));
  EXPECT_EQ(imags(r), (V{0, 0}));
  V p = reals(pow2(mat(1, 4, {3, 3, 1, 1}), mat(1, 4, {2.9, -1.5, 1e10, qnan})));
  EXPECT_TRUE(p[0] == 12 && p[1] == 1.5 && p[2] == inf && std::isnan(p[3]));
}

}  // namespace
