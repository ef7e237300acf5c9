// Tests of the binary engine: empty operands, scalar expansion, dimension messages, the rules
// by operand kind, dot_pow and realpow.
#include "../support/started_runtime.h"

using namespace korvex;
using namespace korvex_test;
using V = std::vector<double>;

namespace {

const double inf = HUGE_VAL, qnan = std::nan("");
using Op = M<double> (*)(const M<double>&, const M<double>&);

class BinaryOp : public StartedRuntime {};

M<double> row(const V& v, const char* name = nullptr) {
  M<double> x(0, 1, static_cast<int>(v.size()));
  std::copy(v.begin(), v.end(), x.addr());
  x.setname(name);
  return x;
}

TEST_F(BinaryOp, EmptyOperandsSkipAllChecks) {
  M<double> e, e03(0, 0, 3), v = row({1, 2, 3}), five(5.0);
  EXPECT_EQ(reals(e == e03), V{1});
  EXPECT_EQ(reals(e == five)[0] * 10 + reals(e != five)[0] + reals(e != e)[0] * 100, 1);
  EXPECT_TRUE((e + v).issamename(nop_M.getname()));               // no dimension error
  EXPECT_EQ(binary_op(e, v, static_cast<OpCode>(10)).size(), 0);  // nor an op check
}

TEST_F(BinaryOp, ScalarOperandMeetsEveryElementOnEitherSide) {
  M<double> a = mat(2, 3, {1, 2, 3, 4, 5, 6}), s(10.0);
  for (const M<double>& r : {a - s, s - a, dot_mul(a, a)}) EXPECT_EQ(r.rows() * 10 + r.cols(), 23);
  EXPECT_EQ(reals(a - s), (V{-9, -8, -7, -6, -5, -4}));
  EXPECT_EQ(reals(s - a), (V{9, 8, 7, 6, 5, 4}));
}

// Real operands: NaN is false under < <= == and true under != and as a truth value; the scalar
// min and max take the second operand first, so a tie of zeros gives the first operand's zero.
TEST_F(BinaryOp, RealRulesOnNaNSignedZerosAndInfinities) {
  const V a{qnan, qnan, -0.0, 1}, b{qnan, 0, 0.0, 2}, p{qnan, 1, 0.0, -0.0}, q{1, qnan, -0.0, 0.0};
  // clang-format off
  const struct { Op f; V a, b, want; } rows[] = {
      {operator==, a, b, {0, 0, 1, 0}}, {operator!=, a, b, {1, 1, 0, 1}},
      {operator<, a, b, {0, 0, 0, 1}}, {operator>, a, b, {0, 0, 0, 0}},
      {operator>=, a, b, {0, 0, 1, 0}}, {operator<=, b, a, {0, 0, 1, 0}},
      {operator||, a, b, {1, 1, 0, 1}}, {operator&&, a, b, {1, 0, 0, 1}},
      {xorM, a, b, {0, 1, 0, 0}}, {max, p, q, {qnan, qnan, 0.0, -0.0}},
      {min0, p, q, {qnan, qnan, 0.0, -0.0}}, {min, q, p, {qnan, qnan, -0.0, 0.0}},
      {atan2, {0.0, -0.0}, {-1, -1}, {M_PI, -M_PI}}, {dot_mul, {2, inf}, {3, 0}, {6, qnan}},
      {dot_div, {10}, {4, 0}, {2.5, inf}}, {dot_invdiv, {4, 0}, {10}, {2.5, inf}},
      {rem, {1, 0.3}, {0.1}, {0, 0.09999999999999998}},
      {pow2, {3, 3, 1, 1}, {2.9, -1.5, 1e10, qnan}, {12, 1.5, inf, qnan}},
      {dot_pow, {0, qnan, 2}, {0, 0, 10}, {1, 1, 1024}},
      {realpow, {-8, 4}, {1.0 / 3, 0.5}, {qnan, 2}}};  // rpow, never the complex power
  // clang-format on
  for (const auto& r : rows) {
    M<double> c = r.f(row(r.a), row(r.b));
    EXPECT_TRUE(all_same(reals(c), r.want) && !c.isc()) << "row " << &r - rows;
  }
}

TEST_F(BinaryOp, MismatchedShapesAndUnknownCodesAreReported) {
  M<double> a = mat(2, 3, {}), b = mat(3, 2, {});
  a.setname("a");
  b.setname("b");
  auto die = testing::ExitedWithCode(1);
  EXPECT_EXIT(a + b, die, "^error: \\+: wrong dimensions of: a, b\n$");
  EXPECT_EXIT(row({1, 2, 3}, "r") == mat(3, 1, {}), die, "error: ==: wrong dimensions of: r, \\?");
  EXPECT_EXIT(a > b, die, "error: <: wrong dimensions of: b, a");  // operands exchanged
  EXPECT_EXIT(a >= b, die, "error: <=: wrong dimensions of: b, a");
  // The shape check comes first and names the code; only then is the code refused.
  EXPECT_EXIT(binary_op(row({1, 2}, "p"), a, op_gt), die, ">: wrong dimensions of: p, a");
  for (int code : {1, 3, 10, 14, 20, 79, -1})
    EXPECT_EXIT(binary_op(a, a, static_cast<OpCode>(code)), die,
                "^error: binary_op: unknown op\n$");
  for (int code : {10, 14, 64, 79, -1})
    EXPECT_EXIT(binary_op_name(code), die, "binary_op_name: unknown op");
  std::string all;
  for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 15, 16, 17, 18, 19, 65, 77, 78})
    all += std::string(binary_op_name(code)) + " ";
  EXPECT_EQ(all, "< > <= >= == != | & + - .* ./ .^ atan2 rem .\\ xor realpow pow2 min max ");
}

TEST_F(BinaryOp, ComplexLogicAndComparisons) {
  // Either part non-zero makes an element true, for real and complex operands alike.
  M<double> ca = cmat(1, 4, {0, 0, 0, 0}, {1, 2, 0, 0}), ra = row({1, 1, 0, 0});
  M<double> cb = cmat(1, 4, {0, 0, 0, 0}, {3, 0, -1, 0}), rb = row({1, 0, 1, 0});
  for (const M<double>* x : {&ra, &ca})
    for (const M<double>* y : {&rb, &cb}) EXPECT_EQ(reals(xorM(*x, *y)), (V{0, 1, 1, 0}));
  EXPECT_EQ(imags(ca || rb), (V{0, 0, 0, 0}));
  M<double> z = cmat(1, 1, {1}, {2}), r = z == z;
  EXPECT_TRUE(r.isc() && reals(r) == V{1} && imags(r) == V{0});
  EXPECT_EQ(reals(z != cmat(1, 1, {1}, {-2})), V{1});
  // < and <= drop an all-zero imaginary part first and compare real parts only; == does not.
  M<double> zr = cmat(1, 2, {1, 3}, {0, -0.0});
  EXPECT_TRUE(!(zr < M<double>(2.0)).isc() && (zr == zr).isc());
  r = z <= M<double>(1.0);
  EXPECT_TRUE(r.isc() && reals(r) == V{1});
}

TEST_F(BinaryOp, ALoneComplexOperandKeepsItsImaginaryPartAsItIs) {
  // Added, subtracted or divided by a real operand, the imaginary part is copied, negated or
  // divided, never computed as x ± 0 or through div (which would give +0 for 0 / 0).
  M<double> c = cmat(1, 2, {1, 2}, {-0.0, 3}), r = row({10, 20});
  for (const M<double>& s : {c + r, c - r, r + c}) EXPECT_TRUE(all_same(imags(s), {-0.0, 3}));
  M<double> s = r - cmat(1, 2, {1, 2}, {0.0, 3});
  EXPECT_TRUE(all_same(reals(s), {9, 18}) && all_same(imags(s), {-0.0, -3}));
  EXPECT_EQ(imags(c + c), (V{-0.0, 6}));
  M<double> d = cmat(1, 2, {2, 4}, {0.0, 6}), z = row({0, 2});
  for (const M<double>& q : {dot_div(d, z), dot_invdiv(z, d)})
    EXPECT_TRUE(all_same(reals(q), {inf, 2}) && all_same(imags(q), {qnan, 3}));
  M<double> q = dot_div(z, d);  // real by complex: 2 / (4 + 6i) through div
  EXPECT_TRUE(reals(q)[1] == 8.0 / 52 && imags(q)[1] == -12.0 / 52);
}

TEST_F(BinaryOp, NegativeBaseMakesThePowerComplexAndMinMaxCompareModuli) {
  M<double> r = dot_pow(M<double>(-8.0), M<double>(1.0 / 3));
  ASSERT_TRUE(r.isc());
  EXPECT_NEAR(reals(r)[0], 1, 1e-14);
  EXPECT_NEAR(imags(r)[0], std::sqrt(3.0), 1e-14);
  M<double> base = mat(2, 1, {2, -3});
  r = dot_pow(base, M<double>(2.0));  // one negative element: all complex, squares exact
  EXPECT_TRUE(r.isc() && !base.isc() && reals(r) == (V{4, 9}));
  r = max(cmat(1, 2, {3, 1}, {4, 0}), M<double>(5.0));  // equal moduli keep a
  EXPECT_TRUE(reals(r) == (V{3, 5}) && imags(r) == (V{4, 0}));
  r = rem(cmat(1, 2, {7, 0.3}, {9, 1}), row({4, 0.1}));  // real parts only
  EXPECT_TRUE(reals(r) == (V{3, 0.09999999999999998}) && imags(r) == (V{0, 0}));
}

}  // namespace
