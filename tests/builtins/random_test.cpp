// Tests of the two generators: exact first values from a fresh state, restart at 0.
#include <cmath>

#include "../support/started_runtime.h"

using namespace korvex;

namespace {

class Random : public korvex_test::StartedRuntime {
 protected:
  void SetUp() override {
    StartedRuntime::SetUp();
    rand_state = randn_state = 0;
    rand_normal_mode = 0;
  }
};

TEST_F(Random, LehmerStepRestartsAtZeroAndStaysExact) {
  double x = 0;
  lehmer_step(x);
  EXPECT_EQ(x, 470211272.0);
  lehmer_step(x);
  EXPECT_EQ(x, 101027544.0);
  lehmer_step(x);
  EXPECT_EQ(x, 1457850878.0);
  x = 2147483646.0;  // the largest state: the product is near 2^45, still exact
  lehmer_step(x);
  EXPECT_EQ(x, 2147466840.0);  // 16807·(m − 1) mod m = m − 16807
}

TEST_F(Random, UniformSequenceFromAFreshState) {
  EXPECT_EQ(rand_uniform(), 0.21895918632809036);
  EXPECT_EQ(rand_uniform(), 0.04704461621448613);
  EXPECT_EQ(rand_uniform(), 0.678864716868319);
  EXPECT_EQ(rand_state, 1457850878.0);
}

TEST_F(Random, NormalDrawRejectsThePairOutsideTheDiscAndKeepsU) {
  // States 470211272 and 101027544 give u = -0.562, v = -0.906: s = 1.137 is rejected. The
  // next pair, from 1457850878 and 1458777923, is accepted.
  double x = rand_normal();
  EXPECT_EQ(randn_state, 1458777923.0);
  double u = 2 * 1457850878.0 / mask - 1, v = 2 * 1458777923.0 / mask - 1;
  EXPECT_EQ(u, 0.3577294337366379);
  EXPECT_EQ(v, 0.35859281167322443);
  double s = u * u + v * v;
  EXPECT_EQ(x, u * std::sqrt(-2 * std::log(s) / s));
  EXPECT_NEAR(x, 1.16495351050066, 1e-13);
  EXPECT_EQ(rand_state, 0);  // the uniform state is untouched
  // Every draw consumes an even number of steps.
  for (int k = 0; k < 200; k++) {
    double expect = randn_state;
    double y = rand_normal();
    int steps = 0;
    do {
      lehmer_step(expect);
      steps++;
    } while (expect != randn_state && steps < 1000);
    EXPECT_EQ(steps % 2, 0);
    EXPECT_TRUE(std::isfinite(y));
  }
}

TEST_F(Random, UnusableNormalStateRestartsInsteadOfLooping) {
  for (double bad : {-3.0, std::nan(""), HUGE_VAL}) {
    randn_state = bad;
    EXPECT_NEAR(rand_normal(), 1.16495351050066, 1e-13) << bad;
  }
}

}  // namespace
