// Tests of the binary engine: empty operands, scalar expansion, dimension messages, the
// per-element rules by operand kind, dot_pow and realpow.
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

class BinaryOp : public korvex_test::StartedRuntime {};
using BinaryOpDeath = BinaryOp;

M<double> named(const char* name, int m, int n) {
  M<double> x(0, m, n);
  fill_data(x.addr(), x.size(), 1.0);
  x.setname(name);
  return x;
}

TEST_F(BinaryOp, EmptyOperandsSkipChecksAndGiveTheEmptyMatrix) {
  M<double> e, e03(0, 0, 3), v = mat(1, 3, {1, 2, 3}), five(5.0);
  EXPECT_EQ(reals(e == e), std::vector<double>{1});
  EXPECT_EQ(reals(e == five), std::vector<double>{0});
  EXPECT_EQ(reals(five == e03), std::vector<double>{0});
  EXPECT_EQ(reals(e != five), std::vector<double>{1});
  EXPECT_EQ(reals(e != e03), std::vector<double>{0});
  M<double> sum = e + v;  // no dimension error
  EXPECT_TRUE(sum.issamename(nop_M.getname()));
  EXPECT_EQ(sum.size(), 0);
  // An unknown code is not checked either.
  EXPECT_EQ(binary_op(e, v, static_cast<OpCode>(10)).size(), 0);
}

TEST_F(BinaryOp, ScalarOperandMeetsEveryElementOnEitherSide) {
  M<double> a = mat(2, 3, {1, 2, 3, 4, 5, 6}), s(10.0);
  M<double> r = a - s;
  EXPECT_EQ(r.rows(), 2);
  EXPECT_EQ(r.cols(), 3);
  EXPECT_EQ(reals(r), (std::vector<double>{-9, -8, -7, -6, -5, -4}));
  r = s - a;
  EXPECT_EQ(r.rows(), 2);
  EXPECT_EQ(reals(r), (std::vector<double>{9, 8, 7, 6, 5, 4}));
  r = dot_div(s, mat(1, 2, {4, 0}));
  EXPECT_EQ(reals(r), (std::vector<double>{2.5, inf}));
  r = a + a;
  EXPECT_EQ(reals(r), (std::vector<double>{2, 4, 6, 8, 10, 12}));
  EXPECT_EQ(r.getname(), nullptr);  // results carry no name
  // A 1×1 with a 1×1: the shape is a's.
  EXPECT_EQ(reals(dot_mul(M<double>(3.0), M<double>(-2.0))), std::vector<double>{-6});
}

TEST_F(BinaryOpDeath, MismatchedShapesNameOperandsAndExchangedOnesForGreater) {
  M<double> a = named("a", 2, 3), b = named("b", 3, 2), row = named("row", 1, 3);
  M<double> col = named("col", 3, 1);
  EXPECT_EXIT(a + b, testing::ExitedWithCode(1), "^error: \\+: wrong dimensions of: a, b\n$");
  EXPECT_EXIT(row == col, testing::ExitedWithCode(1), "error: ==: wrong dimensions of: row, col");
  EXPECT_EXIT(a > b, testing::ExitedWithCode(1), "error: <: wrong dimensions of: b, a");
  EXPECT_EXIT(a >= b, testing::ExitedWithCode(1), "error: <=: wrong dimensions of: b, a");
  EXPECT_EXIT(dot_invdiv(a, b), testing::ExitedWithCode(1), "error: \\.\\\\: wrong dimensions");
  EXPECT_EXIT(mat(1, 2, {1, 2}) + mat(2, 1, {1, 2}), testing::ExitedWithCode(1),
              "error: \\+: wrong dimensions of: \\?, \\?");
}

TEST_F(BinaryOpDeath, UnknownCodesAreReportedByEngineAndNameTable) {
  M<double> x(1.0);
  for (int code : {1, 3, 10, 14, 20, 72, 79, -1, 200}) {
    EXPECT_EXIT(binary_op(x, x, static_cast<OpCode>(code)), testing::ExitedWithCode(1),
                "error: binary_op: unknown op")
        << code;
  }
  EXPECT_EXIT(binary_op_name(10), testing::ExitedWithCode(1), "error: binary_op_name: unknown op");
  EXPECT_EXIT(binary_op_name(79), testing::ExitedWithCode(1), "binary_op_name: unknown op");
  EXPECT_EXIT(binary_op_name(-1), testing::ExitedWithCode(1), "binary_op_name: unknown op");
  // A size mismatch is reported before the unknown code.
  EXPECT_EXIT(binary_op(named("p", 1, 2), named("q", 1, 3), op_lt), testing::ExitedWithCode(1),
              "<: wrong dimensions of: p, q");
}

TEST_F(BinaryOp, NameTableCoversEveryBinaryCode) {
  const struct {
    int code;
    const char* text;
  } rows[] = {{0, "<"},     {1, ">"},      {2, "<="},   {3, ">="},   {4, "=="},   {5, "!="},
              {6, "|"},     {7, "&"},      {8, "+"},    {9, "-"},    {11, ".*"},  {12, "./"},
              {13, ".^"},   {15, "atan2"}, {16, "rem"}, {17, ".\\"}, {18, "xor"}, {19, "realpow"},
              {65, "pow2"}, {77, "min"},   {78, "max"}};
  for (const auto& r : rows) EXPECT_STREQ(binary_op_name(r.code), r.text);
}

TEST_F(BinaryOp, ComparisonsAndLogicHandleNaNAndSignedZero) {
  M<double> a = mat(1, 4, {qnan, qnan, -0.0, 1});
  M<double> b = mat(1, 4, {qnan, 0, 0.0, 2});
  EXPECT_EQ(reals(a == b), (std::vector<double>{0, 0, 1, 0}));
  EXPECT_EQ(reals(a != b), (std::vector<double>{1, 1, 0, 1}));
  EXPECT_EQ(reals(a < b), (std::vector<double>{0, 0, 0, 1}));
  EXPECT_EQ(reals(a > b), (std::vector<double>{0, 0, 0, 0}));
  EXPECT_EQ(reals(a <= b), (std::vector<double>{0, 0, 1, 1}));
  EXPECT_EQ(reals(a >= b), (std::vector<double>{0, 0, 1, 0}));
  EXPECT_EQ(reals(a || b), (std::vector<double>{1, 1, 0, 1}));  // NaN is true
  EXPECT_EQ(reals(a && b), (std::vector<double>{1, 0, 0, 1}));
  EXPECT_EQ(reals(xorM(a, b)), (std::vector<double>{0, 1, 0, 0}));
}

TEST_F(BinaryOp, LogicalOpsAgreeForRealAndComplexOperands) {
  M<double> a = mat(1, 4, {1, 1, 0, 0}), b = mat(1, 4, {1, 0, 1, 0});
  M<double> ca = cmat(1, 4, {0, 0, 0, 0}, {1, 2, 0, 0});  // true, true, false, false
  M<double> cb = cmat(1, 4, {0, 0, 0, 0}, {3, 0, -1, 0});
  for (const M<double>* x : {&a, &ca}) {
    for (const M<double>* y : {&b, &cb}) {
      EXPECT_EQ(reals(xorM(*x, *y)), (std::vector<double>{0, 1, 1, 0}));
      EXPECT_EQ(reals(*x || *y), (std::vector<double>{1, 1, 1, 0}));
      EXPECT_EQ(reals(*x && *y), (std::vector<double>{1, 0, 0, 0}));
    }
  }
  M<double> r = xorM(ca, b);
  ASSERT_TRUE(r.isc());
  EXPECT_EQ(imags(r), (std::vector<double>{0, 0, 0, 0}));
}

TEST_F(BinaryOp, ComplexEqualityKeepsComplexStorageWithZeroImaginaryPart) {
  M<double> z = cmat(1, 1, {1}, {2});
  M<double> r = z == z;
  ASSERT_TRUE(r.isc());
  EXPECT_EQ(reals(r), std::vector<double>{1});
  EXPECT_EQ(imags(r), std::vector<double>{0});
  EXPECT_EQ(reals(z == cmat(1, 1, {1}, {-2})), std::vector<double>{0});
  EXPECT_EQ(reals(z != cmat(1, 1, {1}, {-2})), std::vector<double>{1});
  // Ordered comparisons drop an all-zero imaginary part first and use real parts only.
  M<double> zr = cmat(1, 2, {1, 3}, {0, -0.0});
  r = zr < M<double>(2.0);
  EXPECT_FALSE(r.isc());
  EXPECT_EQ(reals(r), (std::vector<double>{1, 0}));
  r = cmat(1, 1, {1}, {5}) < M<double>(2.0);
  EXPECT_TRUE(r.isc());
  EXPECT_EQ(reals(r), std::vector<double>{1});
  // == goes by storage: an all-zero imaginary part still makes a complex result.
  EXPECT_TRUE((zr == zr).isc());
}

TEST_F(BinaryOp, AddAndSubtractCopyTheLoneImaginaryPartKeepingItsSign) {
  M<double> c = cmat(1, 2, {1, 2}, {-0.0, 3}), r = mat(1, 2, {10, 20});
  M<double> s = c + r;
  EXPECT_EQ(reals(s), (std::vector<double>{11, 22}));
  EXPECT_TRUE(same_double(imags(s)[0], -0.0));  // not -0 + 0
  s = c - r;
  EXPECT_TRUE(same_double(imags(s)[0], -0.0));
  s = r - cmat(1, 2, {1, 2}, {0.0, 3});
  EXPECT_EQ(reals(s), (std::vector<double>{9, 18}));
  EXPECT_TRUE(same_double(imags(s)[0], -0.0));  // -(+0), where 0 - (+0) would give +0
  EXPECT_EQ(imags(s)[1], -3);
  s = r + cmat(1, 1, {1}, {-0.0});
  EXPECT_TRUE(same_double(imags(s)[0], -0.0));
  s = c + c;  // both complex: the parts add
  EXPECT_EQ(imags(s), (std::vector<double>{-0.0, 6}));
}

TEST_F(BinaryOp, DivisionRulesByOperandKind) {
  M<double> c = cmat(1, 2, {2, 4}, {0.0, 6}), r = mat(1, 2, {0, 2});
  M<double> q = dot_div(c, r);  // complex by real: both parts divided directly
  EXPECT_EQ(reals(q), (std::vector<double>{inf, 2}));
  EXPECT_TRUE(std::isnan(imags(q)[0]));  // 0/0, not the +0 of div
  EXPECT_EQ(imags(q)[1], 3);
  q = dot_invdiv(r, c);  // the same quotients, b ./ a
  EXPECT_EQ(reals(q), (std::vector<double>{inf, 2}));
  EXPECT_EQ(imags(q)[1], 3);
  q = dot_div(r, c);  // real by complex: div
  EXPECT_EQ(reals(q)[0], 0);
  EXPECT_DOUBLE_EQ(reals(q)[1], 8.0 / 52);
  EXPECT_DOUBLE_EQ(imags(q)[1], -12.0 / 52);
  EXPECT_EQ(reals(dot_invdiv(mat(1, 1, {4}), mat(1, 1, {2}))), std::vector<double>{0.5});
  EXPECT_EQ(reals(dot_div(mat(1, 2, {-1, 0}), M<double>(0.0)))[0], -inf);
  EXPECT_TRUE(std::isnan(reals(dot_div(mat(1, 2, {-1, 0}), M<double>(0.0)))[1]));
}

TEST_F(BinaryOp, PowerRulesZeroExponentNegativeBasesAndRealpow) {
  M<double> r = dot_pow(mat(1, 3, {0, qnan, 2}), mat(1, 3, {0, 0, 10}));
  EXPECT_EQ(reals(r), (std::vector<double>{1, 1, 1024}));
  EXPECT_FALSE(r.isc());
  r = dot_pow(M<double>(-8.0), M<double>(1.0 / 3));
  ASSERT_TRUE(r.isc());
  EXPECT_NEAR(reals(r)[0], 1, 1e-14);
  EXPECT_NEAR(imags(r)[0], std::sqrt(3.0), 1e-14);
  r = realpow(M<double>(-8.0), M<double>(1.0 / 3));
  EXPECT_FALSE(r.isc());
  EXPECT_TRUE(std::isnan(reals(r)[0]));
  // One negative element makes the whole result complex; squares stay exact.
  r = dot_pow(mat(2, 1, {2, -3}), M<double>(2.0));
  ASSERT_TRUE(r.isc());
  EXPECT_EQ(reals(r), (std::vector<double>{4, 9}));
  EXPECT_EQ(imags(r), (std::vector<double>{0, -0.0}));
  // The operand itself is not made complex.
  M<double> base = mat(1, 2, {-1, 1});
  dot_pow(base, M<double>(0.5));
  EXPECT_FALSE(base.isc());
  EXPECT_EQ(dot_pow(M<double>(), M<double>(2.0)).size(), 0);
  EXPECT_EQ(reals(dot_pow(M<double>(2.0), M<double>(-inf))), std::vector<double>{0});
}

TEST_F(BinaryOp, MinMaxTakeSecondOperandFirstAndPropagateNaN) {
  M<double> a = mat(1, 4, {qnan, 1, 0.0, -0.0}), b = mat(1, 4, {1, qnan, -0.0, 0.0});
  M<double> r = max(a, b);
  EXPECT_TRUE(std::isnan(reals(r)[0]) && std::isnan(reals(r)[1]));
  EXPECT_TRUE(same_double(reals(r)[2], 0.0));  // max(-0, +0) keeps the second: a's +0
  EXPECT_TRUE(same_double(reals(r)[3], -0.0));
  r = min0(a, b);
  EXPECT_TRUE(std::isnan(reals(r)[0]) && std::isnan(reals(r)[1]));
  EXPECT_TRUE(same_double(reals(r)[2], 0.0));
  r = min(mat(1, 2, {3, -1}), M<double>(0.0));
  EXPECT_EQ(reals(r), (std::vector<double>{0, -1}));
  r = max(cmat(1, 2, {3, 1}, {4, 0}), M<double>(5.0));  // equal moduli keep the first
  EXPECT_EQ(reals(r), (std::vector<double>{3, 5}));
  EXPECT_EQ(imags(r), (std::vector<double>{4, 0}));
}

TEST_F(BinaryOp, Atan2RemAndPow2UseRealParts) {
  M<double> r = atan2(mat(1, 3, {1, 0.0, -0.0}), mat(1, 3, {1, -1, -1}));
  EXPECT_DOUBLE_EQ(reals(r)[0], M_PI / 4);
  EXPECT_EQ(reals(r)[1], M_PI);
  EXPECT_EQ(reals(r)[2], -M_PI);
  r = rem(mat(1, 4, {5, -5, 1, 0.3}), mat(1, 4, {3, 3, 0.1, 0.1}));
  EXPECT_EQ(reals(r), (std::vector<double>{2, -2, 0, 0.09999999999999998}));
  r = rem(cmat(1, 1, {7}, {9}), M<double>(4.0));
  EXPECT_TRUE(r.isc());
  EXPECT_EQ(reals(r), std::vector<double>{3});
  EXPECT_EQ(imags(r), std::vector<double>{0});
  r = pow2(mat(1, 4, {3, 3, 1, 1}), mat(1, 4, {2.9, -1.5, 1e10, qnan}));
  EXPECT_EQ(reals(r)[0], 12);
  EXPECT_EQ(reals(r)[1], 1.5);  // -1.5 truncates to -1
  EXPECT_EQ(reals(r)[2], inf);  // a huge exponent saturates
  EXPECT_TRUE(std::isnan(reals(r)[3]));
}

TEST_F(BinaryOp, ComplexProductsWithScalarOperands) {
  M<double> r = dot_mul(cmat(1, 2, {1, 0}, {1, 2}), cmat(1, 1, {0}, {1}));
  EXPECT_EQ(reals(r), (std::vector<double>{-1, -2}));
  EXPECT_EQ(imags(r), (std::vector<double>{1, 0}));
  r = dot_mul(M<double>(2.0), cmat(1, 1, {inf}, {1}));  // real factor: no Inf·0
  EXPECT_EQ(reals(r)[0], inf);
  EXPECT_EQ(imags(r)[0], 2);
}

}  // namespace
