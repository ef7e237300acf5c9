// Tests of linspace, logspace, diff and mean, with values worked out by hand or with the
// platform's libm.
#include <cmath>

#include "../support/matrix_builders.h"
#include "../support/started_runtime.h"

using namespace korvex;
using namespace korvex_test;

namespace {

// The constants pi and NaN as start-up sets them, emptied again afterwards.
class WithConstants : public StartedRuntime {
 protected:
  void SetUp() override {
    StartedRuntime::SetUp();
    korvex::pi = M<double>(M_PI);
    korvex::NaN = M<double>(nan_value);
  }
  void TearDown() override {
    korvex::pi = M<double>(0, 0, 0);
    korvex::NaN = M<double>(0, 0, 0);
  }
};

const M<double> empty(0, 0, 0);

}  // namespace

TEST(Linspace, ComputesEveryPointFromTheStart) {
  // The last point is a + 3·0.1/3, one unit in the last place above 0.1.
  EXPECT_TRUE(Is(linspace(M<double>(0.0), M<double>(0.1), M<double>(4.0)), 1, 4,
                 {0, 0.03333333333333333, 0.06666666666666667, 0.10000000000000002}));
  EXPECT_TRUE(Is(linspace(M<double>(5.0), M<double>(-1.0), M<double>(3.0)), 1, 3, {5, 2, -1}));
  // One point is 0·1/0, NaN; no point is the empty matrix; the default is 100 points.
  EXPECT_TRUE(korvex_test::all_same(
      korvex_test::reals(linspace(M<double>(0.0), M<double>(1.0), M<double>(1.0))), {NAN}));
  EXPECT_TRUE(Is(linspace(M<double>(0.0), M<double>(1.0), M<double>(0.0)), 0, 0, {}));
  EXPECT_EQ(linspace(M<double>(0.0), M<double>(99.0)).cols(), 100);
}

TEST_F(WithConstants, LogspaceEndingAtPiEndsAtPi) {
  EXPECT_TRUE(Is(logspace(M<double>(0.0), M<double>(2.0), M<double>(3.0)), 1, 3, {1, 10, 100}));
  const M<double> to_pi = logspace(M<double>(0.0), korvex::pi);
  ASSERT_EQ(to_pi.cols(), 50);
  EXPECT_EQ(to_pi.addr()[0], 1);
  // The last exponent is computed as 0 + (49·e)/49 with e = log(pi)/ln 10 = 0.4971498726941338;
  // 49·e rounds to 24.360343762012556, and that over 49 to 0.49714987269413374, one unit in
  // the last place below e. So the sequence ends at 10^0.49714987269413374, two units in the
  // last place below pi, rather than at 10^e = 3.1415926535897927.
  EXPECT_EQ(to_pi.addr()[49], 3.1415926535897922);
  // One point is 10^NaN.
  EXPECT_TRUE(std::isnan(logspace(M<double>(3.0), M<double>(3.0), M<double>(1.0)).addr()[0]));
}

// Before start-up pi is empty, so no end is taken for pi.
TEST(Logspace, EndOfPiIsAnExponentBeforeStartUp) {
  const M<double> r = logspace(M<double>(0.0), M<double>(M_PI), M<double>(2.0));
  EXPECT_TRUE(Is(r, 1, 2, {1, std::pow(10.0, M_PI)}));
}

TEST(Diff, TakesRepeatedDifferences) {
  // clang-format off
  const struct { M<double> x; double k; int r, c; std::vector<double> want; } rows[] = {
      {row({1, 4, 9, 16}), 1, 1, 3, {3, 5, 7}},
      {row({1, 4, 9, 16}), 2.5, 1, 1, {0}},  // k rounds half up: 3 passes
      {row({1, 4, 9, 16}), 0, 1, 4, {1, 4, 9, 16}},
      {row({1, 4, 9, 16}), NAN, 1, 4, {1, 4, 9, 16}},
      {by_rows(3, 2, {1, 10, 2, 20, 4, 40}), 1, 2, 2, {1, 10, 2, 20}},
      // The second pass sees one row and differences along it.
      {by_rows(2, 3, {1, 2, 4, 2, 4, 8}), 2, 1, 2, {1, 2}},
      // Beyond the length: empty, however large k is.
      {row({1, 4, 9}), 3, 0, 0, {}},
      {row({1, 4, 9}), HUGE_VAL, 0, 0, {}},
      {M<double>(5.0), 1, 0, 0, {}},
      {empty, 1, 0, 0, {}}};
  // clang-format on
  for (const auto& t : rows) EXPECT_TRUE(Is(diff(t.x, M<double>(t.k)), t.r, t.c, t.want)) << t.k;
  EXPECT_TRUE(Is(diff(row({2, 3, 5})), 1, 2, {1, 2}));
  EXPECT_TRUE(Is(diff(crow({1, 3}, {1, -1})), 1, 1, {2}, {-2}));
}

TEST_F(WithConstants, MeanOfColumnsOrOfTheOneRow) {
  EXPECT_TRUE(Is(mean(row({1, 2, 3})), 1, 1, {2}));
  EXPECT_TRUE(Is(mean(by_rows(2, 2, {1, 2, 3, 4})), 1, 2, {2, 3}));
  EXPECT_TRUE(Is(mean(crow({1, 3}, {2, 0})), 1, 1, {2}, {1}));
  EXPECT_TRUE(all_same(reals(mean(empty)), {NAN}));
}

TEST(Mean, OfEmptyBeforeStartUpIsTheEmptyNaN) { EXPECT_TRUE(Is(mean(empty), 0, 0, {})); }
