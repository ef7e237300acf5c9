// Tests of the model evaluator: model 1's summation order and extent, unknown model numbers.
// Model 1's values through the services are in the gateway's tests.
#include <gtest/gtest.h>

#include <vector>

#include "call_helpers.h"
#include "gateway.h"

namespace {

TEST(Model1, SumsInItsOrderAndWritesOnlyMComponents) {
  // These values round differently when summed in another order.
  double x[] = {0.7, 1e-8, 3e-8}, f[] = {-1, -1, -1, -1};
  korvex::val_getfun1(x, 3, f, 3, nullptr, 0, 0);
  const double s0 = x[0] * x[0], s1 = x[1] * x[1], s2 = x[2] * x[2];
  ASSERT_NE(s2 + (s1 + (s0 + (s0 + s0))), 3 * s0 + (s1 + s2))
      << "precondition: the data tells the summation orders apart";
  EXPECT_EQ(bits({f[0], f[1], f[2], f[3]}),
            bits({s2 + (s1 + (s0 + (s0 + s0))), s0 + s1, s0 + s2, -1}));
  for (int m : {0, -3}) {
    korvex::val_getfun1(x, 3, f, m, nullptr, 0, 0);
    EXPECT_EQ(f[0], s2 + (s1 + (s0 + (s0 + s0)))) << m;
  }
}

TEST(ValProc, OtherModelNumbersLeaveFUntouched) {
  double x[] = {1, 2, 3};
  for (int model : {0, 3, -1}) {
    double f[] = {-1, -2, -3};
    korvex::val_proc(model, x, f, 3, 3, nullptr, 0, 0);
    EXPECT_EQ(std::vector<double>(f, f + 3), (std::vector<double>{-1, -2, -3})) << model;
  }
}

}  // namespace
