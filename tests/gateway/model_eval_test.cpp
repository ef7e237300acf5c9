// Tests of the model evaluator: model 1's values and accumulation order, unknown model numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "gateway.h"

namespace {

std::uint64_t bits(double d) {
  std::uint64_t b;
  std::memcpy(&b, &d, sizeof b);
  return b;
}

TEST(Model1, ComputesTheDocumentedValues) {
  struct {
    std::vector<double> x;
    int m;
    std::vector<double> want;
  } rows[] = {
      {{2, 5}, 1, {12}},
      {{1, 2, 3}, 3, {16, 5, 10}},
      {{-1, 2, 3}, 2, {7, 5}},
      {{4}, 1, {48}},
  };
  for (const auto& r : rows) {
    // Exactly m values on the heap, so reading x[m] would show under the sanitizers.
    std::unique_ptr<double[]> x(new double[r.m]);
    std::copy_n(r.x.begin(), r.m, x.get());
    std::vector<double> f(r.m, -1);
    korvex::val_getfun1(x.get(), static_cast<int>(r.x.size()), f.data(), r.m, nullptr, 0, 0);
    EXPECT_EQ(f, r.want);
  }
}

TEST(Model1, AccumulatesTheFirstComponentInOrder) {
  // f0 = (((x0^2 + x0^2) + x0^2) + x1^2) + x2^2: these values round differently when summed
  // in another order.
  double x[] = {0.7, 1e-8, 3e-8};
  double f[3];
  korvex::val_getfun1(x, 3, f, 3, nullptr, 0, 0);
  const double s0 = x[0] * x[0], s1 = x[1] * x[1], s2 = x[2] * x[2];
  const double in_order = s2 + (s1 + (s0 + (s0 + s0)));
  EXPECT_EQ(bits(f[0]), bits(in_order));
  EXPECT_NE(bits(in_order), bits(3 * s0 + (s1 + s2)));
  EXPECT_EQ(bits(f[1]), bits(s0 + s1));
  EXPECT_EQ(bits(f[2]), bits(s0 + s2));
}

TEST(Model1, NonPositiveMWritesNothing) {
  double x[] = {2.0};
  for (int m : {0, -3}) {
    double f[] = {7.5};
    korvex::val_getfun1(x, 1, f, m, nullptr, 0, 0);
    EXPECT_EQ(f[0], 7.5);
  }
}

TEST(ValProc, RunsModelOneAndLeavesOtherModelsOutputUntouched) {
  double x[] = {1, 2, 3};
  double extra[] = {9, 9};
  double f[] = {-1, -1, -1};
  korvex::val_proc(1, x, f, 3, 3, extra, 1, 2);
  EXPECT_EQ(std::vector<double>(f, f + 3), (std::vector<double>{16, 5, 10}));
  for (int model : {0, 3, -1}) {
    double g[] = {-1, -2, -3};
    korvex::val_proc(model, x, g, 3, 3, nullptr, 0, 0);
    EXPECT_EQ(std::vector<double>(g, g + 3), (std::vector<double>{-1, -2, -3})) << model;
  }
}

}  // namespace
