// Tests of model 2: the translated functions, their calling convention, and service 3 evaluated
// on the matrix runtime.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../support/matrix_builders.h"
#include "call_helpers.h"
#include "gateway.h"

namespace {

using korvex::M;
using korvex_test::col;

// The calling-convention globals, restored after each test.
class Model2 : public testing::Test {
 protected:
  void TearDown() override {
    korvex::nargin = korvex::nargout = 0;
    korvex::nargin_set = korvex::nargout_set = 0;
  }
};

TEST_F(Model2, EvaluatesTheSixthPowerThroughTheWrapper) {
  double x[] = {2, -1, -2, 0.5}, f[] = {7, 7, 7, 7};
  korvex::val_getfun2(x, 4, f, 3, nullptr, 0, 0);
  // Negative bases take the complex power (through the logarithm): right to rounding.
  EXPECT_EQ(f[0], 64);
  EXPECT_DOUBLE_EQ(f[1], 1);
  EXPECT_DOUBLE_EQ(f[2], 64);
  EXPECT_EQ(f[3], 7) << "only m values are copied back";
  // m = 0 still runs the function and copies nothing; extra data is taken and not used.
  double extra[] = {1, 2, 3, 4, 5, 6};
  korvex::val_getfun2(x, 4, f, 0, extra, 2, 3);
  korvex::val_getfun2(x, 0, f, 0, nullptr, 0, 0);
  EXPECT_EQ(f[0], 64);
}

TEST_F(Model2, TranslatedFunctionsCubeThenSquare) {
  M<double> cube = korvex::func(col({-2, 3}));
  EXPECT_EQ(cube.rows(), 2);
  EXPECT_DOUBLE_EQ(*cube.r(1.0), -8);
  EXPECT_EQ(*cube.r(2.0), 27);
  M<double> sixth = korvex::korvexfunc2(col({-2}), 1.0, M<double>());
  EXPECT_DOUBLE_EQ(*sixth.r(1.0), 64);
  EXPECT_EQ(korvex::korvexfunc2(M<double>(), 0.0, M<double>()).size(), 0);
  EXPECT_EQ(korvex::func(M<double>()).size(), 0);
}

// A translated caller following the convention: records nargin around a nested call to func.
double seen_before, seen_after;
M<double> probe(M<double> x) {
  M<double> y("y", 0, 0);
  const double saved_in = korvex::nargin, saved_out = korvex::nargout;
  if (korvex::nargin_set == 0) korvex::nargin = 2;
  if (korvex::nargout_set == 0) korvex::nargout = 1;
  korvex::nargin_set = korvex::nargout_set = 0;
  seen_before = korvex::nargin;
  y = korvex::func(x);
  seen_after = korvex::nargin;
  korvex::nargin = saved_in;
  korvex::nargout = saved_out;
  return y;
}

TEST_F(Model2, CallingConventionSavesSetsAndRestoresTheCounts) {
  korvex::nargin = 7;
  korvex::nargout = 5;
  probe(col({1}));
  EXPECT_EQ(seen_before, 2);
  EXPECT_EQ(seen_after, 2) << "func restores its caller's nargin";
  EXPECT_EQ(korvex::nargin, 7);
  EXPECT_EQ(korvex::nargout, 5);

  // A caller that sets the counts: the callee sees them, and clears the flags for the next.
  korvex::nargin = 2;
  korvex::nargin_set = 1;
  korvex::nargout_set = 1;
  korvex::korvexfunc2(col({1}), 1.0, M<double>());
  EXPECT_EQ(korvex::nargin, 2);
  EXPECT_EQ(korvex::nargout, 5);
  EXPECT_EQ(korvex::nargin_set, 0);
  EXPECT_EQ(korvex::nargout_set, 0);
}

// Service 3 on model 2 against the sixth power computed here. For positive bases the runtime
// takes the real power both times, so the results agree to the bit.
double sixth(double v) { return std::pow(std::pow(v, 3.0), 2.0); }

TEST_F(Model2, ServiceThreeMatchesDifferencesOfTheSixthPower) {
  const std::vector<double> x = {1.5, 0.25, 2}, h = {1e-3, 2e-4};
  const Mat V = {3, 2, {1, 0, -1, 0.5, 2, 0}};
  const Result r = call(2, {scalar(3), scalar(2), column(x), V, scalar(2), row(h)});
  auto F = [](const std::vector<double>& y) {
    return std::vector<double>{sixth(y[0]), sixth(y[1])};
  };
  EXPECT_EQ(bits(r.out[0].v), bits(F(x))) << r.message;
  EXPECT_EQ(bits(r.out[1].v), bits(differences(F, x, V, h)));
}

}  // namespace
