// Tests of clockM against the system clock: the date of the local calendar, the hour, minute
// and second of the epoch time, in zones on both sides of the prime meridian.
#include <ctime>

#include "../support/matrix_builders.h"
#include "scratch.h"

using namespace korvex;

namespace {

// Whether c matches the clock at epoch second t: the date of the local calendar (local time
// computed by the C library), the time of day of universal time (gmtime).
bool clock_matches(const M<double>& c, std::time_t t) {
  std::tm local, utc;
  localtime_r(&t, &local);
  gmtime_r(&t, &utc);
  const double* e = c.addr();
  return e[0] == local.tm_year + 1900 && e[1] == local.tm_mon + 1 && e[2] == local.tm_mday &&
         e[3] == utc.tm_hour && e[4] == utc.tm_min && e[5] >= utc.tm_sec && e[5] < utc.tm_sec + 1;
}

// clockM read between two readings of the system clock matches one of them.
void check_clock_in(const char* tz) {
  CHILD_BEGIN;
  setenv("TZ", tz, 1);
  tzset();
  const std::time_t before = std::time(nullptr);
  const M<double> c = clockM();
  const std::time_t after = std::time(nullptr);
  CHILD_CHECK(c.rows() == 1 && c.cols() == 6 && !c.isc());
  CHILD_CHECK(clock_matches(c, before) || clock_matches(c, after));
  CHILD_END;
}

}  // namespace

// POSIX zone strings count hours west of Greenwich: "KVT-14" is 14 hours east. Between them,
// the two zones have a local date other than the universal one at every hour of the day.
TEST(ClockM, DateIsLocalTimeOfDayIsUniversal) {
  EXPECT_EXIT(check_clock_in("KVT-14"), testing::ExitedWithCode(0), "^$");
  EXPECT_EXIT(check_clock_in("KVT+12"), testing::ExitedWithCode(0), "^$");
}
