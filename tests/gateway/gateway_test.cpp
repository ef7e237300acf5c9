// Tests of mexFunction's checks, dispatch and four services, called through the stand-in host.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

#include "call_helpers.h"
#include "gateway.h"

namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();
const Mat one = scalar(1);

// Model 1 from its closed form, the first component summed in the order the model accumulates:
// f0 = ((x0^2 + x0^2) + x0^2) + x1^2 + ..., fi = x0^2 + xi^2.
std::vector<double> model1(const std::vector<double>& x, int m) {
  std::vector<double> f(m);
  for (int i = 0; i < m; ++i) f[i] = x[0] * x[0] + x[i] * x[i];
  if (m > 0) f[0] += x[0] * x[0];
  for (int i = 1; i < m; ++i) f[0] += x[i] * x[i];
  return f;
}

TEST(Checks, RejectWithTheFirstFailingMessageBeforeCreatingAnything) {
  const Mat s2 = scalar(2), s3 = scalar(3), s4 = scalar(4);
  const Mat x2 = column({1, 2}), x1 = column({1}), V = zeros(2, 2), h = row({1, 1});
  const std::tuple<int, std::vector<Mat>, const char*> rows[] = {
      // The interface's own checks, in their order: input counts before the output count.
      {0, {s2, one}, "At Least 2 Input Arguments Required"},
      {0, {s2, one, x2, one, one, one}, "Takes <= 3 Input Arguments"},
      {0, {s2, one, x2}, "funcvalJ takes one output Argument"},
      {2, {s2, one, x2}, "funcvalJ takes one output Argument"},
      {3, {s3, one, x2}, "At Least 3 Input Arguments Required"},
      {3, {s3, one, x2, V, one, h, one}, "Takes <=4 Input Arguments"},
      {3, {s3, one, x2, V}, "FDapprox takes <=2 Output Argument"},
      {3, {s4, one, x2}, "At Least 3 Input Arguments Required"},
      {3, {s4, one, x2, V}, "FDapprox takes <=2 Output Argument"},
      // After them, the checks that keep every read inside the inputs a call supplies.
      {1, {}, "Service Number Required"},
      {1, {zeros(0, 0)}, "Service Number Must Not Be Empty"},
      {1, {one, one}, "At Least 2 Input Arguments Required"},
      {1, {one, zeros(1, 0), x2}, "Model Number Must Not Be Empty"},
      {1, {one, one, zeros(0, 3)}, "x Must Not Be Empty"},
      {1, {one, one, zeros(2, 0)}, "x Must Hold At Least n Values"},
      {1, {s2, one, zeros(2, 0)}, "x Must Hold At Least n Values"},
      {1, {s2, one, x2, zeros(0, 1)}, "m Must Not Be Empty"},
      {1, {s2, one, x2, scalar(-inf)}, "m Must Not Be Negative"},
      {1, {s2, one, x2, scalar(inf), one}, "m Must Not Exceed n"},
      {1, {s2, one, row({1, 2, 3}), s2}, "m Must Not Exceed n"},  // n counts rows, not values
      {2, {s3, one, x2, V, s2}, "Step Vector h Required"},
      {2, {s3, one, x2, V, s3, h}, "m Must Not Exceed n"},
      {2, {s3, one, x1, V, s2, h}, "x Must Hold At Least n Values"},
      {2, {s3, one, x2, V, s2, one}, "h Must Hold At Least p Values"},
      {1, {s4, one, x2, V}, "Step Vector h Required"},
      {1, {s4, one, x1, V, h}, "x Must Hold At Least n Values"},
      {1, {s4, one, x2, V, zeros(0, 0)}, "h Must Hold At Least p Values"},
      {1, {s2, one, zeros(2147483648u, 0)}, "Input Too Large"},  // sizes must fit an int
  };
  for (const auto& [nlhs, in, message] : rows) {
    const Result r = call(nlhs, in);
    EXPECT_EQ(r.message, message);
    EXPECT_TRUE(r.failed) << message;
    EXPECT_EQ(r.created, 0) << message;
    EXPECT_EQ(call(1, {s2, one, x2}).out[0].v, (std::vector<double>{7, 5})) << message;
  }
}

// Sparse, integer, logical, single and char inputs are no arrays of doubles (the stand-in host
// gives them no data at all, so a read would fault): each input a service reads must be a full
// double matrix, checked after the table's checks. A correct call follows each rejected one.
TEST(Checks, ReadOnlyFullDoubleInputs) {
  using korvex::host::Kind;
  const Mat big_sparse = holding_no_doubles(Kind::sparse_double, 30000000, 1);
  const Mat other = holding_no_doubles(Kind::other_class, 3, 1);
  const Mat s2 = scalar(2), s3 = scalar(3), s4 = scalar(4);
  const Mat x2 = column({1, 2}), V = zeros(2, 2), h = row({1, 1});
  const char* const not_full = "Inputs Must Be Full Double Matrices";
  const std::tuple<int, std::vector<Mat>, const char*> rows[] = {
      {1, {holding_no_doubles(Kind::sparse_double, 1, 1)}, not_full},  // the service number
      {1, {holding_no_doubles(Kind::other_class, 0, 0)}, not_full},
      {1, {one, one, big_sparse}, not_full},
      {1, {one, one, x2, other}, not_full},  // service 1's extra data
      {1, {s2, other, x2}, not_full},
      {1, {s2, one, x2, big_sparse}, not_full},
      {1, {s2, one, x2, one, other}, not_full},
      {2, {s3, one, x2, other, s2}, not_full},  // before the missing h
      {2, {s3, one, x2, V, s2, other}, not_full},
      {1, {s4, one, other, V, h}, not_full},
      {1, {s4, one, x2, V, h, big_sparse}, not_full},
      {0, {s2, one, other}, "funcvalJ takes one output Argument"},  // the table's checks first
      {1, {s2, other}, "At Least 2 Input Arguments Required"},
  };
  for (const auto& [nlhs, in, message] : rows) {
    const Result r = call(nlhs, in);
    EXPECT_EQ(r.message, message);
    EXPECT_TRUE(r.failed) << message;
    EXPECT_EQ(r.created, 0) << message;
    EXPECT_EQ(call(1, {s2, one, column({1, 2, 3})}).out[0].v, (std::vector<double>{16, 5, 10}));
  }
  // Inputs no service reads are not checked: service 4 ignores a seventh, service 7 all.
  const Result seventh = call(1, {s4, one, x2, V, h, one, other});
  EXPECT_EQ(dims(seventh.out[0]), "2x2") << seventh.message;
  EXPECT_FALSE(call(1, {scalar(7), other}).failed);
}

TEST(Dispatch, OtherServiceNumbersReturnNothing) {
  for (double service : {0.0, 5.0, -1.0, 0.99, nan, inf, -inf}) {
    const Result r = call(2, {scalar(service), one, column({1, 2}), zeros(2, 1), row({1})});
    EXPECT_FALSE(r.failed || r.created) << service;
  }
}

TEST(Services1And2, ReturnTheFirstComponentsOfF) {
  const Mat x = column({1.5, -2, 3.25});
  const std::pair<std::vector<Mat>, std::vector<double>> rows[] = {
      {{one, one, column({2, 5})}, {12}},  // m = 1: only x[0] enters
      {{one, one, column({2, 5}), zeros(2, 3)}, {12}},
      // Service, model and m truncate toward zero; NaN reads as 0.
      {{scalar(2.9), one, x}, model1(x.v, 3)},
      {{scalar(2), scalar(1.7), x, scalar(2.9)}, model1(x.v, 2)},
      {{scalar(2), one, x, scalar(-0.7)}, {}},
      {{scalar(2), one, x, scalar(nan)}, {}},
      {{scalar(2), one, x, scalar(3), zeros(2, 3)}, model1(x.v, 3)},
      {{scalar(2), one, zeros(0, 0)}, {}},
      {{scalar(2), one, Mat{2, 2, {1, 2, 7, 8}}}, {7, 5}},  // x: the first n = rows values
      {{scalar(2), scalar(3), x, scalar(2)}, {0, 0}},       // an unknown model evaluates nothing
  };
  for (const auto& [in, want] : rows) {
    const Result r = call(1, in);
    EXPECT_EQ(dims(r.out[0]), std::to_string(want.size()) + "x1") << r.message;
    EXPECT_EQ(bits(r.out[0].v), bits(want));
  }
}

// A point, directions and steps whose products and sums all round.
const std::vector<double> px = {3.3e-6, -2.5e-6, 1e-7, 1.6666666666666669e-06};
const Mat pV = {4, 3, {0.3, -0.1, 0.25, 1.1, 1, 0, 0, 0, -0.45, 0.6, 1.7, 0.05}};
const std::vector<double> ph = {1e-7, 3.3e-5, -2.1e-6};

TEST(Service3, ReturnsFAndItsDifferencesBitForBit) {
  // The trial points round the product, then the sum: a fused multiply-add would differ here.
  ASSERT_NE(std::fma(pV.v[10], ph[2], px[2]), pV.v[10] * ph[2] + px[2])
      << "precondition: the data tells a fused multiply-add from a product and a sum";
  for (int m : {4, 2, 0}) {
    const Result r = call(2, {scalar(3), one, column(px), pV, scalar(m), row(ph)});
    ASSERT_FALSE(r.failed) << r.message;
    auto F = [m](const std::vector<double>& y) { return model1(y, m); };
    EXPECT_EQ(dims(r.out[0]), std::to_string(m) + "x1");
    EXPECT_EQ(dims(r.out[1]), std::to_string(m) + "x3");
    EXPECT_EQ(bits(r.out[0].v), bits(model1(px, m)));
    EXPECT_EQ(bits(r.out[1].v), bits(differences(F, px, pV, ph)));
  }
  // One output: the slot array has one entry, and a write past it shows under the sanitizers.
  const Result single = call(1, {scalar(3), one, column(px), pV, scalar(4), row(ph)});
  EXPECT_EQ(bits(single.out[0].v), bits(model1(px, 4)));
  // No columns: F(x) and an empty D.
  const Result p0 = call(2, {scalar(3), one, column({2, -1}), zeros(2, 0), scalar(2), zeros(0, 0)});
  EXPECT_EQ(p0.out[0].v, (std::vector<double>{13, 5}));
  EXPECT_EQ(dims(p0.out[1]), "2x0");
  // The buffers start at zero, so a model that evaluates nothing gives zeros, not stale memory.
  const Result none = call(2, {scalar(3), scalar(7), column(px), pV, scalar(4), row(ph)});
  EXPECT_EQ(none.out[0].v, std::vector<double>(4, 0.0));
  EXPECT_EQ(none.out[1].v, std::vector<double>(12, 0.0));
}

TEST(Service4, HessianProductsMatchTheFormulaBitForBit) {
  // Restoring a coordinate by subtracting the step would not give it back here.
  ASSERT_NE((px[0] + 1e-05) - 1e-05, px[0])
      << "precondition: the data tells a restored coordinate from a copied one";
  // g(y): the same rule along the unit vectors with the step 1e-05, on the first component.
  auto g = [](const std::vector<double>& y) {
    auto f = [](const std::vector<double>& z) { return std::vector<double>{model1(z, 4)[0]}; };
    return differences(f, y, Mat{4, 4, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
                       std::vector<double>(4, 1e-05));
  };
  const std::vector<double> want = differences(g, px, pV, ph);
  // Extra data only as the sixth input; inputs after the sixth are ignored.
  for (const std::vector<Mat>& tail :
       {std::vector<Mat>{}, {zeros(3, 2)}, {one, one, scalar(nan)}}) {
    std::vector<Mat> in = {scalar(4), one, column(px), pV, row(ph)};
    in.insert(in.end(), tail.begin(), tail.end());
    const Result r = call(1, in);
    EXPECT_EQ(dims(r.out[0]), "4x3") << r.message;
    EXPECT_EQ(bits(r.out[0].v), bits(want));
  }
  // n = 0: the evaluation buffer still holds the one component read.
  EXPECT_EQ(dims(call(1, {scalar(4), one, zeros(0, 0), zeros(0, 3), row({1, 1, 1})}).out[0]),
            "0x3");
}

// Every service on both models, and a rejected call, over and over: the runtime's chunk count
// comes back to where it was (matrices of two elements live in chunks), and the sanitizer build
// sees no leak at exit.
TEST(Gateway, RepeatedCallsKeepNothing) {
  const Mat x = column({0.5, -1.5}), V = Mat{2, 2, {1, 0, 0.5, 2}}, h = row({1e-3, 2e-3});
  const int chunks = korvex::fs_used;
  for (int k = 0; k < 100; ++k)
    for (const Mat& model : {one, scalar(2)}) {
      call(1, {one, model, x, zeros(2, 2)});
      call(1, {scalar(2), model, x, one, zeros(2, 2)});
      call(2, {scalar(3), model, x, V, scalar(2), h});
      call(1, {scalar(4), model, x, V, h, zeros(1, 5)});
      EXPECT_TRUE(call(1, {scalar(3), model, x, V, scalar(9), h}).failed);
    }
  EXPECT_EQ(korvex::fs_used, chunks);
}

}  // namespace
