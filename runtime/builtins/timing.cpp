// timing.cpp: tic and toc over the clock vectors of clockM, the elapsed time etime between two
// clock vectors by Julian day numbers, and cputime.
#include "common/rules.h"
#include "korvex.h"

namespace korvex {

// Fliegel and Van Flandern's day number in integer arithmetic with truncating division. Worked
// in 64 bits so that absurd years give absurd days rather than overflow; for years of the
// calendar the result is the int formula's.
int julian_day(int day, int month, int year) {
  const long long a = month < 3 ? 1 : 0;
  const long long y = static_cast<long long>(year) + 4800 - a;
  const long long mm = static_cast<long long>(month) - 2 + 12 * a;
  const long long jd = (1461 * y) / 4 + (367 * mm) / 12 -
                       (3 * ((static_cast<long long>(year) + 4900 - a) / 100)) / 4 + day - 32075;
  if (jd > 2147483647LL) return 2147483647;
  if (jd < -2147483647LL - 1) return -2147483647 - 1;
  return static_cast<int>(jd);
}

M<double> tic() {
  TICTOC = clockM();
  return x_M;
}

M<double> toc() { return etime(clockM(), TICTOC); }

namespace {
int day_number(const double* t) {
  return julian_day(rules::trunc_to_int(t[2]), rules::trunc_to_int(t[1]), rules::trunc_to_int(t[0]));
}
}  // namespace

M<double> etime(M<double> t1, M<double> t0) {
  if (isscalar(t1) && isscalar(t0)) return M<double>(0.0);
  if (!(t1.rows() == 1 && t1.cols() == 6 && t0.rows() == 1 && t0.cols() == 6))
    error("etime: t1 or t0 not 1x6");
  const double* a = t1.addr();
  const double* b = t0.addr();
  const double days = static_cast<double>(day_number(a)) - static_cast<double>(day_number(b));
  return M<double>(days * 86400 + (a[3] - b[3]) * 3600 + (a[4] - b[4]) * 60 + (a[5] - b[5]));
}

M<double> cputime() { return M<double>(0.0); }

}  // namespace korvex
