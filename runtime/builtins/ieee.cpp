// ieee.cpp: IEEE 754 binary64 field functions, the runtime's one way of classifying doubles
// and of composing Inf and NaN. They read the host's own representation of the value.
#include <cstdint>
#include <cstring>

#include "common/rules.h"
#include "korvex.h"

namespace korvex {

// Fields of the most-significant-first layout: the high word holds sign (bit 31), exponent
// (bits 30-20) and the upper 20 fraction bits; the low word the lower 32 fraction bits.
void ieee_fields(double x, unsigned& lo, unsigned& hi, unsigned& exp, unsigned& sign) {
  std::uint64_t u = rules::bits_of(x);
  lo = static_cast<unsigned>(u & 0xFFFFFFFFu);
  hi = static_cast<unsigned>((u >> 32) & 0xFFFFFu);
  exp = static_cast<unsigned>((u >> 52) & 0x7FFu);
  sign = static_cast<unsigned>(u >> 63);
}

double ieee_compose(unsigned lo, unsigned hi, unsigned exp, unsigned sign) {
  std::uint64_t u = (static_cast<std::uint64_t>(sign & 1u) << 63) |
                    (static_cast<std::uint64_t>(exp & 0x7FFu) << 52) |
                    (static_cast<std::uint64_t>(hi & 0xFFFFFu) << 32) | lo;
  double x;
  std::memcpy(&x, &u, sizeof x);
  return x;
}

int ieee_isnan(double x) { return rules::is_nan(x) ? 1 : 0; }
int ieee_isinf(double x) { return rules::is_inf(x) ? 1 : 0; }
int ieee_finite(double x) { return rules::is_finite(x) ? 1 : 0; }
int ieee_sign(double x) { return static_cast<int>(rules::bits_of(x) >> 63); }

// Infinities of either sign map to INT_MAX. Finite values beyond the int range saturate and NaN
// gives 0, where a bare conversion would be undefined.
int ieee_toint(double x) {
  if (rules::is_inf(x)) return 2147483647;
  return rules::trunc_to_int(x);
}

}  // namespace korvex
