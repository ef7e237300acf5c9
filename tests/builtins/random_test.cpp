// Tests of the two generators: exact values from a fresh state, rejection, restart at 0.
#include "../support/started_runtime.h"

using namespace korvex;

// A seed whose first step overflows (65536·1e300·16807 is beyond the doubles), or a NaN one,
// restarts like a zero state instead of giving NaN forever; the largest usable one does not.
TEST(Random, UniformSequenceFromAFreshStateAndAtTheTopState) {
  rand_normal_mode = 0;
  rand_state = 0;
  for (double want : {0.21895918632809036, 0.04704461621448613, 0.678864716868319})
    EXPECT_EQ(rand_uniform(), want);
  double x = 2147483646.0;  // 16807·(m − 1) mod m = m − 16807, exact in doubles
  lehmer_step(x);
  EXPECT_EQ(x, 2147466840.0);
  for (double seed : {1e300, -1e300, std::nan("")}) {
    randM(M<double>("seed"), M<double>(seed));
    EXPECT_EQ(randM(), 0.21895918632809036) << seed;
    EXPECT_EQ(randM(), 0.04704461621448613) << seed;
  }
  rand_state = 1e300;  // 16807e300 is finite: stepped as written
  EXPECT_EQ(rand_uniform(), std::fmod(16807e300, 2147483647.0) / 2147483647.0);
}

// States 470211272 and 101027544 give u = -0.562, v = -0.906: s = 1.137 is rejected; the next
// pair gives u = 0.3577294337366379, v = 0.35859281167322443, and only u is used. A negative or
// NaN state, or one whose product with 16807 overflows, would reject forever: it restarts.
TEST(Random, NormalDrawRejectsOutsideTheDiscAndRestartsFromAnUnusableState) {
  rand_state = randn_state = 0;
  EXPECT_NEAR(rand_normal(), 1.16495351050066, 1e-13);
  // The uniform state untouched.
  EXPECT_EQ(randn_state, 1458777923.0);
  EXPECT_EQ(rand_state, 0);
  for (double bad : {-3.0, std::nan(""), HUGE_VAL, 1e305}) {
    randn_state = bad;
    EXPECT_NEAR(rand_normal(), 1.16495351050066, 1e-13) << bad;
  }
}
