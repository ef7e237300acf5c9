// Tests of the fill engine's shape rule, the fills, and the random builtins' keyword commands.
#include <string>

#include "../support/started_runtime.h"

using namespace korvex;
using namespace korvex_test;
using V = std::vector<double>;

const double first_uniform = 0.21895918632809036, first_normal = 1.16495351050066;

// A 1x1 size is rounded half up (h(2.5) = 3), a 1x2 gives both sizes and ignores b, any other
// matrix gives its own shape; a size below 1 gives 0x0.
TEST(Constructors, ShapeRuleRoundsScalarsAndTakesOtherShapesAsTheyAre) {
  const M<double> e;
  // clang-format off
  const struct { M<double> a, b; int m, n; } rows[] = {
      {scalar(2), scalar(3), 2, 3}, {row({2, 3}), e, 2, 3}, {by_cols(3, 2, V(6, 1)), e, 3, 2},
      {scalar(2.5), scalar(2.5), 3, 3}, {scalar(2.4), scalar(1), 2, 1},
      {scalar(-2), scalar(1), 0, 0}, {row({-1, 5}), e, 0, 0}, {scalar(NAN), scalar(2), 0, 0}};
  // clang-format on
  for (const auto& r : rows) {
    EXPECT_TRUE(Is(zeros(r.a, r.b), r.m, r.n, V(r.m * r.n, 0.0))) << "row " << &r - rows;
  }
}

TEST(Constructors, FillsOnesIdentityAndComplexZerosAndReportsBadArguments) {
  EXPECT_EQ(reals(ones(scalar(1), scalar(2))), (V{1, 1}));
  EXPECT_EQ(reals(eye(scalar(2), scalar(3))), (V{1, 0, 0, 1, 0, 0}));
  EXPECT_EQ(reals(eye_shape(0, 3, 2)), (V{1, 0, 0, 0, 1, 0}));
  M<double> a(2.0), e("n", 0, 0);
  for (const M<double>& c : {eye01_op(a, a, op_czeros), zeros_shape(1, 2, 2)}) {
    EXPECT_TRUE(c.isc());
    EXPECT_EQ(imags(c), V(4, 0.0));
  }
  EXPECT_ERROR(eye01_op(a, a, op_max), "eye01_op: unknown op");
  EXPECT_ERROR(zeros(a, e), "n.r(): matrix is empty");
  EXPECT_ERROR(zeros(scalar(1e10)), "Matrix ? too large");
}

TEST(Constructors, KeywordsSwitchModeReportTheDistributionAndSeed) {
  rand_state = randn_state = rand_normal_mode = 0;
  EXPECT_EQ(chars_of(randM(text("dist"))), "uniform");
  EXPECT_EQ(reals(randM(scalar(1), scalar(1))), V{first_uniform});
  EXPECT_TRUE(randM(text("normal")).issamename(x_M.getname()));
  M<double> dist = randM(text("dist"));
  EXPECT_EQ(chars_of(dist), "norm");
  EXPECT_EQ(dist.getdm(), 1);
  EXPECT_NEAR(reals(randM(scalar(1)))[0], first_normal, 1e-13);  // from the normal state
  randM(row({'u', 'n', 'i', 'f', 'o', 'r', 'm'}));  // any matrix of the codes is the keyword
  EXPECT_EQ(randM(), 0.04704461621448613);  // the next uniform state: untouched by the normal
  randn_state = 0;
  M<double> n6 = randn(text("normal"));  // randn knows only "seed": a 1x6 shape of normal draws
  ASSERT_EQ(n6.size(), 6);
  EXPECT_NEAR(reals(n6)[0], first_normal, 1e-13);

  EXPECT_TRUE(randM(text("seed"), scalar(2)).issamename(x_M.getname()));
  EXPECT_EQ(reals(randM(text("seed"))), V{131072});
  randn(text("seed"), row({2, 7}));
  EXPECT_EQ(reals(randn(text("seed"))), V{2});
  EXPECT_EQ(rand_state, 131072);
  randM(text("seed"), scalar(0));  // a zero state restarts on the next draw
  EXPECT_EQ(randM(), first_uniform);
}
