// Tests of the fill engine's shape rule, the fills, and the random builtins' keyword commands.
#include <cmath>
#include <string>

#include "../support/started_runtime.h"

using namespace korvex;
using korvex_test::mat;
using korvex_test::reals;

namespace {

class Constructors : public korvex_test::StartedRuntime {
 protected:
  void SetUp() override {
    StartedRuntime::SetUp();
    rand_state = randn_state = 0;
    rand_normal_mode = 0;
  }
};
using ConstructorsDeath = Constructors;

std::string text(const M<double>& x) {
  std::string s;
  for (int k = 0; k < x.size(); k++) s += static_cast<char>(x.addr()[k]);
  return s;
}

TEST_F(Constructors, ShapeRuleRoundsScalarsAndTakesOtherShapesAsTheyAre) {
  const struct {
    M<double> a, b;
    int m, n;
  } rows[] = {
      {M<double>(3.0), M<double>(3.0), 3, 3},
      {M<double>(2.0), M<double>(3.0), 2, 3},
      {mat(1, 2, {2, 3}), M<double>(), 2, 3},        // b ignored, even empty
      {mat(1, 3, {1, 2, 3}), M<double>(9.0), 1, 3},  // the argument's own shape
      {M<double>(0, 4, 4), M<double>(), 4, 4},
      {M<double>(2.5), M<double>(2.5), 3, 3},  // h(2.5) = 3
      {M<double>(2.4), M<double>(1.0), 2, 1},
      {M<double>(0.0), M<double>(0.0), 0, 0},
      {M<double>(-2.0), M<double>(-2.0), 0, 0},
      {M<double>(3.0), M<double>(0.0), 0, 0},
      {M<double>(3.0), M<double>(0.49), 0, 0},
      {M<double>(std::nan("")), M<double>(2.0), 0, 0},
      {mat(1, 2, {-1, 5}), M<double>(), 0, 0},
      {M<double>(0, 0, 3), M<double>(), 0, 0},
  };
  for (auto r : rows) {
    M<double> z = zeros(r.a, r.b);
    EXPECT_EQ(z.rows(), r.m) << r.a.addr()[0];
    EXPECT_EQ(z.cols(), r.n) << r.a.addr()[0];
    EXPECT_FALSE(z.isc());
    for (double v : reals(z)) EXPECT_TRUE(v == 0 && !std::signbit(v));
  }
  M<double> one_arg = ones(M<double>(2.5));
  EXPECT_EQ(one_arg.rows(), 3);
  EXPECT_EQ(one_arg.cols(), 3);
}

TEST_F(Constructors, FillsOnesIdentityAndComplexZeros) {
  EXPECT_EQ(reals(ones(M<double>(2.0), M<double>(2.0))), (std::vector<double>{1, 1, 1, 1}));
  EXPECT_EQ(reals(eye(M<double>(2.0), M<double>(3.0))), (std::vector<double>{1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(reals(eye(mat(1, 2, {3, 2}))), (std::vector<double>{1, 0, 0, 0, 1, 0}));
  M<double> a(2.0);
  M<double> c = eye01_op(a, a, op_czeros);
  ASSERT_TRUE(c.isc());
  EXPECT_EQ(korvex_test::imags(c), (std::vector<double>{0, 0, 0, 0}));
  M<double> z = zeros_shape(1, 2, 3);
  ASSERT_TRUE(z.isc());
  EXPECT_EQ(z.rows(), 2);
  EXPECT_EQ(korvex_test::imags(z), (std::vector<double>(6, 0.0)));
  M<double> e = eye_shape(0, 3, 2);
  EXPECT_FALSE(e.isc());
  EXPECT_EQ(reals(e), (std::vector<double>{1, 0, 0, 0, 1, 0}));
  EXPECT_EQ(eye_shape(1, 0, 5).size(), 0);
}

TEST_F(ConstructorsDeath, UnknownFillCodeAndEmptySecondArgument) {
  M<double> a(2.0), e;
  EXPECT_EXIT(eye01_op(a, a, op_max), testing::ExitedWithCode(1),
              "^error: eye01_op: unknown op\n$");
  EXPECT_EXIT(eye01_op(a, a, static_cast<OpCode>(85)), testing::ExitedWithCode(1),
              "eye01_op: unknown op");
  e.setname("n");
  EXPECT_EXIT(zeros(a, e), testing::ExitedWithCode(1), "error: n.r\\(\\): matrix is empty");
  EXPECT_EXIT(zeros(M<double>(1e5), M<double>(1e5)), testing::ExitedWithCode(1),
              "error: Matrix .* too large");
}

TEST_F(Constructors, RandomFillsDrawInColumnOrderFromTheRightGenerator) {
  M<double> r = randM(M<double>(2.0), M<double>(2.0));
  EXPECT_EQ(reals(r)[0], 0.21895918632809036);
  EXPECT_EQ(reals(r)[1], 0.04704461621448613);
  EXPECT_EQ(reals(r)[2], 0.678864716868319);
  EXPECT_EQ(randn_state, 0);
  M<double> n = randn(mat(1, 2, {1, 2}));
  EXPECT_EQ(n.cols(), 2);
  EXPECT_NEAR(reals(n)[0], 1.16495351050066, 1e-13);
  EXPECT_EQ(reals(r)[3], 0.6792964058366122);
  EXPECT_EQ(randM(), 0.9346928959408276);  // the fifth state: randn left rand_state alone
}

TEST_F(Constructors, RandKeywordsSwitchModeAndReportDistribution) {
  EXPECT_EQ(text(randM(M<double>("dist"))), "uniform");
  M<double> done = randM(M<double>("normal"));
  EXPECT_TRUE(done.issamename(x_M.getname()));
  EXPECT_EQ(rand_normal_mode, 1);
  M<double> dist = randM(M<double>("dist"));
  EXPECT_EQ(text(dist), "norm");
  EXPECT_EQ(dist.getdm(), 1);
  // Normal mode draws from the normal state; the uniform state stays put.
  EXPECT_NEAR(reals(randM(M<double>(1.0)))[0], 1.16495351050066, 1e-13);
  EXPECT_EQ(rand_state, 0);
  randM(M<double>("uniform"));
  EXPECT_EQ(text(randM(M<double>("dist"))), "uniform");
  EXPECT_EQ(randM(), 0.21895918632809036);
  // Any 1×k matrix of the character codes is the keyword.
  randM(mat(1, 6, {'n', 'o', 'r', 'm', 'a', 'l'}));
  EXPECT_EQ(rand_normal_mode, 1);
  // randn knows only "seed": other words are shapes (a 1×6 matrix: 1×6 draws).
  EXPECT_EQ(randn(M<double>("normal")).size(), 6);
}

TEST_F(Constructors, SeedCommandsSetAndReadEachState) {
  EXPECT_TRUE(randM(M<double>("seed"), M<double>(2.0)).issamename(x_M.getname()));
  EXPECT_EQ(reals(randM(M<double>("seed"))), std::vector<double>{131072});
  randn(M<double>("seed"), mat(1, 2, {2, 7}));
  EXPECT_EQ(reals(randn(M<double>("seed"))), std::vector<double>{2});
  EXPECT_EQ(rand_state, 131072);  // independent states
  // A state set to 0 restarts at 470211272 on the next draw.
  randM(M<double>("seed"), M<double>(0.0));
  EXPECT_EQ(randM(), 0.21895918632809036);
  randn(M<double>("seed"), M<double>(0.0));
  EXPECT_NEAR(randn(), 1.16495351050066, 1e-13);
  // randM's "seed" with a shape-like first argument is a shape.
  EXPECT_EQ(randM(M<double>(2.0), M<double>(3.0)).size(), 6);
}

}  // namespace
