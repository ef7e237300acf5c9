// Tests of the binary engine: empty operands, scalar expansion, dimension messages, the rules
// by operand kind, dot_pow and realpow.
#include <cstring>

#include "../support/started_runtime.h"

using namespace korvex;
using namespace korvex_test;
using V = std::vector<double>;

const double inf = HUGE_VAL, qnan = std::nan("");
using Op = M<double> (*)(const M<double>&, const M<double>&);

class BinaryOp : public StartedRuntime {};

TEST_F(BinaryOp, ScalarOperandMeetsEveryElementOnEitherSide) {
  M<double> a = by_cols(2, 3, {1, 2, 3, 4, 5, 6}), s(10.0);
  for (const M<double>& r : {a - s, s - a, dot_mul(a, a)}) {
    EXPECT_EQ(r.rows(), 2);
    EXPECT_EQ(r.cols(), 3);
  }
  EXPECT_EQ(reals(a - s), (V{-9, -8, -7, -6, -5, -4}));
  EXPECT_EQ(reals(s - a), (V{9, 8, 7, 6, 5, 4}));
}

// An empty operand makes == and != answer whether both are empty and every other op give the
// empty matrix, without a shape check. Real operands: NaN is false under < <= == and true under !=
// and as a truth value; the scalar min and max take the second operand first, so a tie of zeros
// gives the first operand's zero. Complex operands: an element is true when either part is
// non-zero; < and <= drop an all-zero imaginary part first and compare real parts only, == goes by
// storage. With one complex operand, + - and division by the real one copy, negate or divide its
// imaginary part, never computing x ± 0 or going through div (whose 0 / 0 would give +0).
TEST_F(BinaryOp, ElementRulesByOperandKind) {
  const V a{qnan, qnan, -0.0, 1}, b{qnan, 0, 0.0, 2}, p{qnan, 1, 0.0, -0.0}, q{1, qnan, -0.0, 0.0};
  const V z4{0, 0, 0, 0}, r1{1, 1, 0, 0}, i1{1, 2, 0, 0}, r2{1, 0, 1, 0}, i2{3, 0, -1, 0};
  const V x{1, 2}, xi{-0.0, 3}, d{2, 4}, di{0.0, 6};
  // clang-format off
  const struct { Op f; V ar, br, re, ai = {}, bi = {}, im = {}; } rows[] = {
      {operator==, {}, {}, {1}}, {operator==, {}, {5}, {0}}, {operator!=, {}, {5}, {1}},
      {operator!=, {}, {}, {0}}, {operator+, {}, {1, 2, 3}, {}}, {operator==, a, b, {0, 0, 1, 0}},
      {operator!=, a, b, {1, 1, 0, 1}}, {operator<, a, b, {0, 0, 0, 1}},
      {operator>, a, b, {0, 0, 0, 0}}, {operator>=, a, b, {0, 0, 1, 0}},
      {operator<=, b, a, {0, 0, 1, 0}}, {operator||, a, b, {1, 1, 0, 1}},
      {operator&&, a, b, {1, 0, 0, 1}}, {xorM, a, b, {0, 1, 0, 0}},
      {max, p, q, {qnan, qnan, 0.0, -0.0}}, {min0, p, q, {qnan, qnan, 0.0, -0.0}},
      {min, q, p, {qnan, qnan, -0.0, 0.0}}, {atan2, {0.0, -0.0}, {-1, -1}, {M_PI, -M_PI}},
      {dot_mul, {2, inf}, {3, 0}, {6, qnan}}, {dot_div, {10}, {4, 0}, {2.5, inf}},
      {dot_invdiv, {4, 0}, {10}, {2.5, inf}}, {rem, {1, 0.3}, {0.1}, {0, 0.09999999999999998}},
      {pow2, {3, 3, 1, 1}, {2.9, -1.5, 1e10, qnan}, {12, 1.5, inf, qnan}},
      {dot_pow, {0, qnan, 2}, {0, 0, 10}, {1, 1, 1024}},  // NaN is no negative base
      {dot_pow, {-0.0, 3}, {2}, {0, 9}},                   // nor is -0
      {realpow, {-8, 4}, {1.0 / 3, 0.5}, {qnan, 2}},  // rpow: stays real
      {dot_pow, {2, -3}, {2}, {4, 9}, {}, {}, {0, -0.0}},  // a negative base: all complex
      {xorM, r1, z4, {0, 1, 1, 0}, {}, i2, z4}, {xorM, z4, r2, {0, 1, 1, 0}, i1, {}, z4},
      {xorM, z4, z4, {0, 1, 1, 0}, i1, i2, z4}, {operator||, z4, r2, {1, 1, 1, 0}, i1, {}, z4},
      {operator==, {1}, {1}, {1}, {2}, {2}, {0}}, {operator!=, {1}, {1}, {1}, {2}, {-2}, {0}},
      {operator<, {1, 3}, {2}, {1, 0}, {0, -0.0}}, {operator<=, {1}, {1}, {1}, {2}, {}, {0}},
      {operator==, {1, 3}, {1, 3}, {1, 1}, {0, -0.0}, {0, 0}, {0, 0}},
      {operator+, x, {10, 20}, {11, 22}, xi, {}, xi},
      {operator-, x, {10, 20}, {-9, -18}, xi, {}, xi},
      {operator+, {10, 20}, x, {11, 22}, {}, xi, xi}, {operator+, x, x, {2, 4}, xi, xi, {-0.0, 6}},
      {operator-, {10, 20}, x, {9, 18}, {}, {0.0, 3}, {-0.0, -3}},
      {dot_div, d, {0, 2}, {inf, 2}, di, {}, {qnan, 3}},
      {dot_invdiv, {0, 2}, d, {inf, 2}, {}, di, {qnan, 3}},
      {dot_div, {0, 2}, d, {0, 8.0 / 52}, {}, di, {0.0, -12.0 / 52}},  // through div
      {max, {3, 1}, {5}, {3, 5}, {4, 0}, {}, {4, 0}},  // equal moduli keep a
      {rem, {7, 0.3}, {4, 0.1}, {3, 0.09999999999999998}, {9, 1}, {}, {0, 0}}};
  // clang-format on
  for (const auto& r : rows) {
    const int na = static_cast<int>(r.ar.size()), nb = static_cast<int>(r.br.size());
    M<double> c = r.f(by_cols(1, na, r.ar, r.ai), by_cols(1, nb, r.br, r.bi));
    const auto at = &r - rows;
    EXPECT_EQ(c.isc() != 0, !r.im.empty()) << "row " << at;
    EXPECT_TRUE(all_same(reals(c), r.re)) << "row " << at;
    if (!r.im.empty()) {
      EXPECT_TRUE(all_same(imags(c), r.im)) << "row " << at;
    }
  }
  M<double> c = dot_pow(M<double>(-8.0), M<double>(1.0 / 3));  // the principal cube root
  ASSERT_TRUE(c.isc());
  EXPECT_NEAR(reals(c)[0], 1, 1e-14);
  EXPECT_NEAR(imags(c)[0], std::sqrt(3.0), 1e-14);
}

// The entry points' own 1x1 path against the engine, bit for bit, on IEEE special values; any
// operand that is not a real 1x1 (complex, empty, longer) must still reach the engine.
TEST_F(BinaryOp, OneByOneOperandsGiveTheEngineResult) {
  const double values[] = {0.0, -0.0, 1.5, -2.0, 3e-320, 1e308, inf, -inf, qnan};
  const struct {
    Op f;
    OpCode code;
    bool swapped;
  } ops[] = {{operator+, op_add, false}, {operator-, op_sub, false}, {dot_add, op_add, false},
             {dot_sub, op_sub, false},   {dot_mul, op_mul, false},   {dot_div, op_div, false},
             {operator<, op_lt, false},  {operator>, op_lt, true},   {operator<=, op_le, false},
             {operator>=, op_le, true},  {operator==, op_eq, false}, {operator!=, op_ne, false}};
  auto same_matrix = [](const M<double>& x, const M<double>& y) {
    if (x.rows() != y.rows() || x.cols() != y.cols() || x.isc() != y.isc() ||
        x.getdm() != y.getdm() || x.getname() != y.getname() || x.getcapacity() != y.getcapacity())
      return false;
    const size_t bytes = x.size() * sizeof(double);
    return std::memcmp(x.addr(), y.addr(), bytes) == 0 &&
           (!x.isc() || std::memcmp(x.addi(), y.addi(), bytes) == 0);
  };
  for (const auto& op : ops) {
    for (double a : values)
      for (double b : values) {
        const M<double> ma(a), mb(b);
        const M<double> general =
            op.swapped ? binary_op(mb, ma, op.code) : binary_op(ma, mb, op.code);
        EXPECT_TRUE(same_matrix(op.f(ma, mb), general)) << binary_op_name(op.code) << a << " " << b;
      }
    const M<double> z = by_cols(1, 1, {2}, {-0.0}), e, pair = row({1, 2}), one(3.0);
    for (const M<double>* other : {&z, &e, &pair}) {
      const M<double>& x = *other;
      EXPECT_TRUE(same_matrix(
          op.f(one, x), op.swapped ? binary_op(x, one, op.code) : binary_op(one, x, op.code)));
      EXPECT_TRUE(same_matrix(
          op.f(x, one), op.swapped ? binary_op(one, x, op.code) : binary_op(x, one, op.code)));
    }
  }
}

TEST_F(BinaryOp, MismatchedShapesAndUnknownCodesAreReported) {
  M<double> a("a", 2, 3), b("b", 3, 2);  // the values are never read
  EXPECT_EQ(binary_op(M<double>(), a, static_cast<OpCode>(10)).size(), 0);  // empty: no op check
  EXPECT_ERROR(a + b, "+: wrong dimensions of: a, b");
  EXPECT_ERROR(M<double>("r", 1, 3) == M<double>(0, 3, 1), "==: wrong dimensions of: r, ?");
  EXPECT_ERROR(a > b, "<: wrong dimensions of: b, a");  // operands exchanged
  EXPECT_ERROR(a >= b, "<=: wrong dimensions of: b, a");
  // The shape check comes first and names the code; only then is the code refused.
  EXPECT_ERROR(binary_op(M<double>("p", 1, 2), a, op_gt), ">: wrong dimensions of: p, a");
  for (int code : {1, 3, 10, 14, 20, 79, -1})
    EXPECT_ERROR(binary_op(a, a, static_cast<OpCode>(code)), "binary_op: unknown op");
  for (int code : {10, 14, 64, 79, -1})
    EXPECT_ERROR(binary_op_name(code), "binary_op_name: unknown op");
  std::string all;
  for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 15, 16, 17, 18, 19, 65, 77, 78})
    all += std::string(binary_op_name(code)) + " ";
  EXPECT_EQ(all, "< > <= >= == != | & + - .* ./ .^ atan2 rem .\\ xor realpow pow2 min max ");
}
