// clock.cpp: clockM, the date and time as the 1-by-6 row [year month day hour minute second].
#include <sys/time.h>

#include <ctime>

#include "korvex.h"

namespace korvex {

// The date comes from the local calendar, but hour, minute and second are taken from the
// epoch time itself (universal time), so east of the prime meridian the hour can belong to
// the day before the date shown. The seconds carry the microseconds.
M<double> clockM() {
  const std::time_t now = std::time(nullptr);
  std::tm local;
  localtime_r(&now, &local);
  timeval tv;
  gettimeofday(&tv, nullptr);
  const long s = static_cast<long>(tv.tv_sec);
  const long u = static_cast<long>(tv.tv_usec);

  M<double> c(0, 1, 6);
  double* e = c.addr();
  e[0] = local.tm_year + 1900;
  e[1] = local.tm_mon + 1;
  e[2] = local.tm_mday;
  e[3] = static_cast<double>((s / 3600) % 24);
  e[4] = static_cast<double>((s / 60) % 60);
  e[5] = static_cast<double>(s % 60) + static_cast<double>(u) * 1e-06;
  return c;
}

}  // namespace korvex
