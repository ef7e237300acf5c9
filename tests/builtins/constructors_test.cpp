// Tests of the fill engine's shape rule, the fills, and the random builtins' keyword commands.
#include <string>

#include "../support/started_runtime.h"

using namespace korvex;
using korvex_test::mat;
using korvex_test::reals;
using V = std::vector<double>;

namespace {

class Constructors : public korvex_test::StartedRuntime {
 protected:
  void SetUp() override {
    StartedRuntime::SetUp();
    rand_state = randn_state = 0;
    rand_normal_mode = 0;
  }
};

std::string text(const M<double>& x) { return std::string(x.addr(), x.addr() + x.size()); }

TEST_F(Constructors, ShapeRuleRoundsScalarsAndTakesOtherShapesAsTheyAre) {
  const struct {
    M<double> a, b;
    int m, n;
  } rows[] = {
      {M<double>(2.0), M<double>(3.0), 2, 3},
      {mat(1, 2, {2, 3}), M<double>(), 2, 3},        // b ignored, even when empty
      {mat(1, 3, {7, 8, 9}), M<double>(9.0), 1, 3},  // the argument's own shape
      {M<double>(0, 4, 4), M<double>(), 4, 4},
      {M<double>(2.5), M<double>(2.5), 3, 3},  // 2.5 + 0.5 truncated
      {M<double>(2.4), M<double>(1.0), 2, 1},
      {M<double>(-2.0), M<double>(-2.0), 0, 0},
      {M<double>(3.0), M<double>(0.49), 0, 0},
      {M<double>(std::nan("")), M<double>(2.0), 0, 0},
      {mat(1, 2, {-1, 5}), M<double>(), 0, 0},
  };
  for (auto r : rows) {
    M<double> z = zeros(r.a, r.b);
    EXPECT_EQ(z.rows() * 10 + z.cols(), r.m * 10 + r.n) << r.a.size();
    for (double v : reals(z)) EXPECT_TRUE(v == 0 && !std::signbit(v));
  }
  EXPECT_EQ(ones(M<double>(2.5)).size(), 9);
}

TEST_F(Constructors, FillsOnesIdentityAndComplexZeros) {
  EXPECT_EQ(reals(ones(M<double>(1.0), M<double>(2.0))), (V{1, 1}));
  EXPECT_EQ(reals(eye(M<double>(2.0), M<double>(3.0))), (V{1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(reals(eye_shape(0, 3, 2)), (V{1, 0, 0, 0, 1, 0}));
  M<double> a(2.0);
  for (const M<double>& c : {eye01_op(a, a, op_czeros), zeros_shape(1, 2, 2)}) {
    ASSERT_TRUE(c.isc());
    EXPECT_EQ(korvex_test::imags(c), (V{0, 0, 0, 0}));
  }
}

TEST_F(Constructors, BadFillCodeEmptySecondArgumentAndHugeShapesAreReported) {
  M<double> a(2.0), e;
  auto die = testing::ExitedWithCode(1);
  EXPECT_EXIT(eye01_op(a, a, op_max), die, "^error: eye01_op: unknown op\n$");
  e.setname("n");
  EXPECT_EXIT(zeros(a, e), die, "error: n.r\\(\\): matrix is empty");
  EXPECT_EXIT(zeros(M<double>(1e10)), die, "error: Matrix .* too large");
}

TEST_F(Constructors, RandomFillsDrawInColumnOrderFromTheirOwnGenerator) {
  V r = reals(randM(M<double>(2.0), M<double>(2.0)));
  EXPECT_EQ(r,
            (V{0.21895918632809036, 0.04704461621448613, 0.678864716868319, 0.6792964058366122}));
  EXPECT_NEAR(reals(randn(mat(1, 2, {1, 2})))[0], 1.16495351050066, 1e-13);
  EXPECT_EQ(randM(), 0.9346928959408276);  // the fifth state: randn left rand_state alone
}

TEST_F(Constructors, KeywordsSwitchModeReportTheDistributionAndSeed) {
  EXPECT_EQ(text(randM(M<double>("dist"))), "uniform");
  EXPECT_TRUE(randM(M<double>("normal")).issamename(x_M.getname()));
  M<double> dist = randM(M<double>("dist"));
  EXPECT_TRUE(text(dist) == "norm" && dist.getdm() == 1);
  EXPECT_NEAR(reals(randM(M<double>(1.0)))[0], 1.16495351050066, 1e-13);  // normal state
  EXPECT_EQ(rand_state, 0);
  randM(M<double>("uniform"));
  EXPECT_EQ(randM(), 0.21895918632809036);
  randM(mat(1, 6, {'n', 'o', 'r', 'm', 'a', 'l'}));  // any matrix of the codes is the keyword
  EXPECT_EQ(rand_normal_mode, 1);
  EXPECT_EQ(randn(M<double>("normal")).size(), 6);  // randn knows only "seed": a 1×6 shape

  EXPECT_TRUE(randM(M<double>("seed"), M<double>(2.0)).issamename(x_M.getname()));
  EXPECT_EQ(reals(randM(M<double>("seed"))), V{131072});
  randn(M<double>("seed"), mat(1, 2, {2, 7}));
  EXPECT_EQ(reals(randn(M<double>("seed"))), V{2});
  EXPECT_EQ(rand_state, 131072);
  randM(M<double>("seed"), M<double>(0.0));  // a zero state restarts on the next draw
  randM(M<double>("uniform"));
  EXPECT_EQ(randM(), 0.21895918632809036);
}

}  // namespace
