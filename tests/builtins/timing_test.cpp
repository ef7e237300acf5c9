// Tests of the timing builtins: Julian day numbers of known dates, etime over day, month and
// year boundaries, and tic/toc against the clock.
#include <cmath>

#include "../support/matrix_builders.h"

using namespace korvex;
using namespace korvex_test;

// Day numbers from the astronomical tables: 2000-01-01 is JD 2451545, the first Gregorian day
// 1582-10-15 is 2299161.
TEST(Timing, JulianDayOfKnownDates) {
  EXPECT_EQ(julian_day(1, 1, 2000), 2451545);
  EXPECT_EQ(julian_day(15, 10, 1582), 2299161);
  EXPECT_EQ(julian_day(1, 3, 2000) - julian_day(28, 2, 2000), 2);  // 2000 is a leap year
  EXPECT_EQ(julian_day(1, 3, 1900) - julian_day(28, 2, 1900), 1);  // 1900 is not
}

TEST(Timing, EtimeCountsSecondsBetweenClockVectors) {
  // clang-format off
  const struct { M<double> t1, t0; double want; } rows[] = {
      {row({2000, 3, 1, 0, 0, 0}), row({2000, 2, 28, 0, 0, 0}), 172800},
      {row({2000, 1, 1, 0, 0, 0}), row({1999, 12, 31, 23, 59, 59.5}), 0.5},
      {row({2020, 1, 1, 0, 0, 0}), row({2021, 1, 1, 0, 0, 0}), -366 * 86400.0},
      // Date fields are truncated toward zero: day 1.9 is day 1.
      {row({2000, 1, 2.9, 0, 0, 0}), row({2000, 1, 1.2, 0, 0, 0}), 86400},
      {M<double>(5.0), M<double>(7.0), 0},
  };
  // clang-format on
  for (const auto& t : rows) EXPECT_TRUE(Is(etime(t.t1, t.t0), 1, 1, {t.want}));
  EXPECT_ERROR(etime(row({2000, 1, 1, 0, 0}), row({2000, 1, 1, 0, 0, 0})),
               "etime: t1 or t0 not 1x6");
  // NaN and absurd fields give a value, not undefined arithmetic.
  EXPECT_EQ(etime(row({NAN, 1e300, -1e300, 0, 0, 0}), row({2000, 1, 1, 0, 0, 0})).size(), 1);
  EXPECT_TRUE(Is(cputime(), 1, 1, {0}));
}

TEST(Timing, TocMeasuresFromTic) {
  EXPECT_TRUE(tic().issamename(noval_name));
  EXPECT_EQ(TICTOC.cols(), 6);
  const double elapsed = toc().addr()[0];
  EXPECT_GE(elapsed, 0);
  EXPECT_LT(elapsed, 2);
  // Before any tic TICTOC is the scalar 0 (after start-up): no clock vector to measure from.
  TICTOC = M<double>(0.0);
  EXPECT_ERROR(toc(), "etime: t1 or t0 not 1x6");
  TICTOC = M<double>(0, 0, 0);
}
