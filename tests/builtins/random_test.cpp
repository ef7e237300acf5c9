// Tests of the two generators: exact values from a fresh state, rejection, restart at 0.
#include "../support/started_runtime.h"

using namespace korvex;

namespace {

class Random : public korvex_test::StartedRuntime {
 protected:
  void SetUp() override {
    StartedRuntime::SetUp();
    rand_state = randn_state = 0;
  }
};

TEST_F(Random, UniformSequenceFromAFreshStateAndAtTheTopState) {
  EXPECT_EQ(rand_uniform(), 0.21895918632809036);
  EXPECT_EQ(rand_uniform(), 0.04704461621448613);
  EXPECT_EQ(rand_uniform(), 0.678864716868319);
  EXPECT_EQ(rand_state, 1457850878.0);
  double x = 2147483646.0;  // 16807·(m − 1) mod m = m − 16807, exact in doubles
  lehmer_step(x);
  EXPECT_EQ(x, 2147466840.0);
}

TEST_F(Random, NormalDrawRejectsThePairOutsideTheDiscAndKeepsU) {
  // States 470211272 and 101027544 give u = -0.562, v = -0.906: s = 1.137 is rejected.
  double x = rand_normal();
  EXPECT_EQ(randn_state, 1458777923.0);
  double u = 2 * 1457850878.0 / mask - 1, v = 2 * 1458777923.0 / mask - 1;
  EXPECT_EQ(u, 0.3577294337366379);
  EXPECT_EQ(v, 0.35859281167322443);
  EXPECT_NEAR(x, 1.16495351050066, 1e-13);
  EXPECT_EQ(rand_state, 0);  // the uniform state is untouched
}

TEST_F(Random, UnusableNormalStateRestartsInsteadOfLooping) {
  for (double bad : {-3.0, std::nan(""), HUGE_VAL, 1e305}) {
    randn_state = bad;
    EXPECT_NEAR(rand_normal(), 1.16495351050066, 1e-13) << bad;
  }
}

}  // namespace
