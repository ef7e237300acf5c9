// Tests of mexFunction's checks, dispatch and four services, called through the stand-in host.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "call_helpers.h"
#include "gateway.h"

namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

// Model 1 written out from its closed form, in the order its sums accumulate:
// f0 = ((x0^2 + x0^2) + x0^2) + x1^2 + ... , fi = x0^2 + xi^2.
std::vector<double> model1(const std::vector<double>& x, int m) {
  std::vector<double> f(m);
  if (m == 0) return f;
  const double s0 = x[0] * x[0];
  double f0 = s0 + (s0 + s0);
  for (int i = 1; i < m; ++i) f0 = x[i] * x[i] + f0;
  f[0] = f0;
  for (int i = 1; i < m; ++i) f[i] = s0 + x[i] * x[i];
  return f;
}

void expect_same_bits(const std::vector<double>& want, const Mat& got, const char* what) {
  ASSERT_EQ(want.size(), got.v.size()) << what;
  for (std::size_t k = 0; k < want.size(); ++k)
    EXPECT_EQ(bits(want[k]), bits(got.v[k]))
        << what << " element " << k << ": want " << want[k] << ", got " << got.v[k];
}

struct CheckRow {
  int nlhs;
  std::vector<Mat> in;
  const char* message;
};

TEST(Checks, RejectWithTheFirstFailingMessageBeforeCreatingAnything) {
  const Mat x2 = column({1, 2}), V = zeros(2, 2), h = row({1, 1});
  const CheckRow rows[] = {
      // The interface's checks, in their order: input counts before output counts.
      {1, {scalar(2), scalar(1)}, "At Least 2 Input Arguments Required"},
      {0, {scalar(2), scalar(1)}, "At Least 2 Input Arguments Required"},
      {0,
       {scalar(2), scalar(1), x2, scalar(2), scalar(0), scalar(0)},
       "Takes <= 3 Input Arguments"},
      {0, {scalar(2), scalar(1), x2}, "funcvalJ takes one output Argument"},
      {2, {scalar(2), scalar(1), x2}, "funcvalJ takes one output Argument"},
      {3, {scalar(3), scalar(1), x2}, "At Least 3 Input Arguments Required"},
      // Seven inputs fail the upper bound; a seventh input never becomes extra data.
      {3, {scalar(3), scalar(1), x2, V, scalar(2), h, scalar(0)}, "Takes <=4 Input Arguments"},
      {3, {scalar(3), scalar(1), x2, V, scalar(2), h}, "FDapprox takes <=2 Output Argument"},
      {3, {scalar(4), scalar(1), x2}, "At Least 3 Input Arguments Required"},
      {3, {scalar(4), scalar(1), x2, V, h}, "FDapprox takes <=2 Output Argument"},
      // The table's checks run before the ones guarding reads.
      {3, {scalar(3), scalar(1), x2, V}, "FDapprox takes <=2 Output Argument"},
      // Calls that would read past what they supply.
      {1, {}, "Service Number Required"},
      {1, {zeros(0, 0)}, "Service Number Must Not Be Empty"},
      {1, {scalar(1), scalar(1)}, "At Least 2 Input Arguments Required"},
      {1, {scalar(1), zeros(1, 0), x2}, "Model Number Must Not Be Empty"},
      {1, {scalar(1), scalar(1), zeros(0, 0)}, "x Must Not Be Empty"},
      {1, {scalar(1), scalar(1), zeros(0, 3)}, "x Must Not Be Empty"},
      {1, {scalar(1), scalar(1), zeros(2, 0)}, "x Must Hold At Least n Values"},
      {1, {scalar(2), scalar(1), zeros(2, 0)}, "x Must Hold At Least n Values"},
      {1, {scalar(2), scalar(1), x2, zeros(0, 1)}, "m Must Not Be Empty"},
      {1, {scalar(2), scalar(1), x2, scalar(-1)}, "m Must Not Be Negative"},
      {1, {scalar(2), scalar(1), x2, scalar(-inf)}, "m Must Not Be Negative"},
      {1, {scalar(2), scalar(1), x2, scalar(3)}, "m Must Not Exceed n"},
      {1, {scalar(2), scalar(1), x2, scalar(inf), scalar(0)}, "m Must Not Exceed n"},
      // n counts rows, not values: a 1-by-3 x has n = 1.
      {1, {scalar(2), scalar(1), row({1, 2, 3}), scalar(2)}, "m Must Not Exceed n"},
      {2, {scalar(3), scalar(1), x2, V}, "Step Vector h Required"},
      {2, {scalar(3), scalar(1), x2, V, scalar(2)}, "Step Vector h Required"},
      {2, {scalar(3), scalar(1), x2, V, scalar(3), h}, "m Must Not Exceed n"},
      {2, {scalar(3), scalar(1), x2, V, scalar(-2), h}, "m Must Not Be Negative"},
      {2, {scalar(3), scalar(1), column({1}), V, scalar(2), h}, "x Must Hold At Least n Values"},
      {2, {scalar(3), scalar(1), x2, V, scalar(2), scalar(1)}, "h Must Hold At Least p Values"},
      {1, {scalar(4), scalar(1), x2, V}, "Step Vector h Required"},
      {1, {scalar(4), scalar(1), column({1}), V, h}, "x Must Hold At Least n Values"},
      {1, {scalar(4), scalar(1), x2, V, zeros(0, 0)}, "h Must Hold At Least p Values"},
      // Sizes beyond int are refused before they reach the evaluator.
      {1, {scalar(2), scalar(1), zeros(2147483648u, 0)}, "Input Too Large"},
      {1, {scalar(4), scalar(1), x2, zeros(2, 0), h, zeros(0, 2147483648u)}, "Input Too Large"},
  };
  for (const CheckRow& r : rows) {
    const Result res = call(r.nlhs, r.in);
    EXPECT_TRUE(res.failed) << r.message;
    EXPECT_EQ(res.message, r.message);
    EXPECT_EQ(res.created, 0u) << r.message;
    for (bool f : res.filled) EXPECT_FALSE(f) << r.message;
  }
}

TEST(Dispatch, TruncatesTheServiceNumberAndIgnoresUnknownOnes) {
  const Result r = call(1, {scalar(2.9), scalar(1), column({1, 2, 3})});
  ASSERT_FALSE(r.failed) << r.message;
  expect_same_bits({16, 5, 10}, r.out[0], "service 2.9");
  for (double service : {0.0, 5.0, -1.0, -0.7, 0.99, nan, inf, -inf, 1e300}) {
    const Result u = call(2, {scalar(service), scalar(1), column({1, 2}), zeros(2, 1), row({1})});
    EXPECT_FALSE(u.failed) << service;
    EXPECT_EQ(u.created, 0u) << service;
    EXPECT_FALSE(u.filled[0] || u.filled[1]) << service;
  }
  // The first element of a matrix is the service number.
  EXPECT_EQ(call(1, {row({1, 9}), scalar(1), column({2, 5})}).out[0].v, std::vector<double>{12});
  EXPECT_STREQ(mexVersion(), "MATLAB 5.0 native");
}

TEST(Service1, EvaluatesOneComponentWithOrWithoutExtraData) {
  // m = 1: only x[0] enters model 1.
  for (const std::vector<Mat>& in : {
           std::vector<Mat>{scalar(1), scalar(1), column({2, 5})},
           std::vector<Mat>{scalar(1), scalar(1), column({2, 5}), zeros(2, 3)},
           std::vector<Mat>{scalar(1), scalar(1.7), column({2, 5}), column({9}), scalar(4)},
       }) {
    const Result r = call(0, in);
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(r.out[0].rows, 1u);
    EXPECT_EQ(r.out[0].cols, 1u);
    EXPECT_EQ(r.out[0].v, std::vector<double>{12});
  }
  // A model number that evaluates nothing leaves the new output at zero.
  for (double model : {0.0, 3.0, nan}) {
    const Result r = call(1, {scalar(1), scalar(model), column({2, 5})});
    EXPECT_EQ(r.out[0].v, std::vector<double>{0}) << model;
  }
}

TEST(Service2, TakesMFromInputFourAndExtraDataFromInputFive) {
  const Mat x = column({1.5, -2, 3.25});
  struct {
    std::vector<Mat> in;
    std::vector<double> want;
  } rows[] = {
      {{scalar(2), scalar(1), x}, model1(x.v, 3)},
      {{scalar(2), scalar(1), x, scalar(2.9)}, model1(x.v, 2)},
      {{scalar(2), scalar(1), x, scalar(-0.7)}, {}},  // truncates to m = 0
      {{scalar(2), scalar(1), x, scalar(nan)}, {}},   // NaN reads as 0
      {{scalar(2), scalar(1), x, scalar(3), zeros(2, 3)}, model1(x.v, 3)},
      {{scalar(2), scalar(1), x, scalar(1), zeros(0, 0)}, model1(x.v, 1)},
      {{scalar(2), scalar(1), zeros(0, 0)}, {}},
      {{scalar(2), scalar(1), zeros(0, 5)}, {}},
      // x is read as a flat vector of n = rows values: the first column of a 2-by-2.
      {{scalar(2), scalar(1), Mat{2, 2, {1, 2, 7, 8}}}, {7, 5}},
      {{scalar(2), scalar(0), x, scalar(2)}, {0, 0}},
  };
  for (const auto& r : rows) {
    const Result res = call(1, r.in);
    ASSERT_FALSE(res.failed) << res.message;
    EXPECT_EQ(res.out[0].rows, r.want.size());
    EXPECT_EQ(res.out[0].cols, 1u);
    expect_same_bits(r.want, res.out[0], "service 2");
  }
}

// A point, directions and steps whose products and sums all round.
const std::vector<double> px = {3.3e-6, -2.5e-6, 1e-7, 1.6666666666666669e-06};
const Mat pV = {4, 3, {0.3, -0.1, 0.25, 1.1, 1, 0, 0, 0, -0.45, 0.6, 1.7, 0.05}};
const std::vector<double> ph = {1e-7, 3.3e-5, -2.1e-6};

TEST(Service3, DifferencesMatchTheFormulaBitForBit) {
  for (int m : {4, 3, 1, 0}) {
    const Result r = call(2, {scalar(3), scalar(1), column(px), pV, scalar(m), row(ph)});
    ASSERT_FALSE(r.failed) << r.message;
    const std::vector<double> f0 = model1(px, m);
    std::vector<double> D;
    for (int k = 0; k < 3; ++k) {
      std::vector<double> xp(4);
      for (int i = 0; i < 4; ++i) xp[i] = pV.v[k * 4 + i] * ph[k] + px[i];
      const std::vector<double> f1 = model1(xp, m);
      for (int i = 0; i < m; ++i) D.push_back((f1[i] - f0[i]) / ph[k]);
    }
    ASSERT_TRUE(r.filled[0] && r.filled[1]);
    EXPECT_EQ(r.out[0].rows, std::size_t(m));
    EXPECT_EQ(r.out[0].cols, 1u);
    EXPECT_EQ(r.out[1].rows, std::size_t(m));
    EXPECT_EQ(r.out[1].cols, 3u);
    expect_same_bits(f0, r.out[0], "F(x)");
    expect_same_bits(D, r.out[1], "D");
  }
  // The trial points round the product, then the sum; a fused multiply-add would give other
  // points here, so the comparison above would notice one.
  bool fused_differs = false;
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 4; ++i)
      fused_differs |= std::fma(pV.v[k * 4 + i], ph[k], px[i]) != pV.v[k * 4 + i] * ph[k] + px[i];
  EXPECT_TRUE(fused_differs);
}

TEST(Service3, FillsTheSecondSlotOnlyWhenAskedForTwoOutputs) {
  for (int nlhs : {0, 1}) {
    const Result r = call(nlhs, {scalar(3), scalar(1), column(px), pV, scalar(4), row(ph)});
    ASSERT_FALSE(r.failed) << r.message;
    ASSERT_EQ(r.filled.size(), 1u);
    expect_same_bits(model1(px, 4), r.out[0], "F(x)");
  }
}

TEST(Service3, ZeroColumnsOrZeroStepsFollowTheShapesAndIEEE) {
  const Result empty =
      call(2, {scalar(3), scalar(1), column({2, -1}), zeros(2, 0), scalar(2), zeros(0, 0)});
  ASSERT_FALSE(empty.failed) << empty.message;
  expect_same_bits({13, 5}, empty.out[0], "F(x)");
  EXPECT_EQ(empty.out[1].rows, 2u);
  EXPECT_EQ(empty.out[1].cols, 0u);
  // h = 0: x + 0*V is x, so every quotient is 0/0. Extra steps beyond p are not read.
  const Result zero =
      call(2, {scalar(3), scalar(1), column({2, -1}), column({1, 1}), scalar(2), row({0, 99})});
  ASSERT_FALSE(zero.failed) << zero.message;
  EXPECT_TRUE(std::isnan(zero.out[1].v[0]) && std::isnan(zero.out[1].v[1]));
  // A model number that evaluates nothing gives zeros, never stale memory.
  const Result none = call(2, {scalar(3), scalar(7), column(px), pV, scalar(4), row(ph)});
  EXPECT_EQ(none.out[0].v, std::vector<double>(4, 0.0));
  EXPECT_EQ(none.out[1].v, std::vector<double>(12, 0.0));
}

// Service 4 written out: g is the forward-difference gradient of f = F(.)(1) with step 1e-05.
std::vector<double> reference_hessian_products(const std::vector<double>& x, const Mat& V,
                                               const std::vector<double>& h) {
  const std::size_t n = x.size();
  const double s = 1e-05;
  auto f = [&](const std::vector<double>& y) { return model1(y, static_cast<int>(n))[0]; };
  auto grad = [&](const std::vector<double>& y) {
    std::vector<double> g(n);
    const double b = f(y);
    for (std::size_t i = 0; i < n; ++i) {
      std::vector<double> yi = y;
      yi[i] = y[i] + s;
      g[i] = (f(yi) - b) / s;
    }
    return g;
  };
  const std::vector<double> G0 = grad(x);
  std::vector<double> H;
  for (std::size_t k = 0; k < V.cols; ++k) {
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i) y[i] = V.v[k * n + i] * h[k] + x[i];
    const std::vector<double> g = grad(y);
    for (std::size_t i = 0; i < n; ++i) H.push_back((g[i] - G0[i]) / h[k]);
  }
  return H;
}

TEST(Service4, HessianProductsMatchTheFormulaBitForBit) {
  const std::vector<double> want = reference_hessian_products(px, pV, ph);
  const std::vector<std::vector<Mat>> calls = {
      {scalar(4), scalar(1), column(px), pV, row(ph)},
      {scalar(4), scalar(1), column(px), pV, row(ph), zeros(3, 2)},
      // Inputs after the sixth are ignored: no extra data, and no check on them.
      {scalar(4), scalar(1), column(px), pV, row(ph), scalar(5), zeros(0, 0), scalar(nan)},
  };
  for (const auto& in : calls) {
    const Result r = call(1, in);
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(r.out[0].rows, 4u);
    EXPECT_EQ(r.out[0].cols, 3u);
    expect_same_bits(want, r.out[0], "H");
  }
  // Restoring a coordinate by subtracting the step would not give it back for this point, so a
  // gateway doing that would fail the comparison above.
  bool restore_matters = false;
  for (double t : px) restore_matters |= (t + 1e-05) - 1e-05 != t;
  EXPECT_TRUE(restore_matters);
}

TEST(Service4, EmptyShapesAndSilentModels) {
  const Result none = call(1, {scalar(4), scalar(1), zeros(0, 0), zeros(0, 3), row({1, 1, 1})});
  ASSERT_FALSE(none.failed) << none.message;
  EXPECT_EQ(none.out[0].rows, 0u);
  EXPECT_EQ(none.out[0].cols, 3u);
  const Result p0 = call(2, {scalar(4), scalar(1), column({1, 2}), zeros(2, 0), zeros(0, 0)});
  ASSERT_FALSE(p0.failed) << p0.message;
  EXPECT_EQ(p0.out[0].rows, 2u);
  EXPECT_EQ(p0.out[0].cols, 0u);
  EXPECT_FALSE(p0.filled[1]);
  const Result silent = call(1, {scalar(4), scalar(0), column(px), pV, row(ph)});
  EXPECT_EQ(silent.out[0].v, std::vector<double>(12, 0.0));
}

TEST(Gateway, RepeatedCallsLeaveNoMatrixBehind) {
  const std::size_t live = korvex::host::live_matrices();
  for (int k = 0; k < 300; ++k) {
    call(1, {scalar(1), scalar(1), column(px), zeros(2, 2)});
    call(1, {scalar(2), scalar(1), column(px), scalar(3), zeros(2, 2)});
    call(1, {scalar(3), scalar(1), column(px), pV, scalar(4), row(ph)});
    call(1, {scalar(4), scalar(1), column(px), pV, row(ph), zeros(1, 5)});
    call(1, {scalar(3), scalar(1), column(px), pV, scalar(9), row(ph)});  // fails
  }
  EXPECT_EQ(korvex::host::live_matrices(), live);
}

}  // namespace
