// rules.h: element rules shared across the runtime (and the gateway): the IEEE classifiers,
// saturating truncation to int, index rounding and the 0-1 test, imaginary parts or zeros.
// Private to the build; not installed.
#ifndef KORVEX_COMMON_RULES_H
#define KORVEX_COMMON_RULES_H

#include <cmath>
#include <cstdint>
#include <cstring>

#include "korvex/base.h"

namespace korvex {
namespace rules {

// ============================================================================================
// IEEE 754 classifiers. Only NaN is unequal to itself: the self-comparison answers as the
// exponent-field test does, without moving the value to an integer register, so hot loops use
// it too. Exponent 2047 with a zero fraction is infinity.
// ============================================================================================

inline std::uint64_t bits_of(double x) {
  std::uint64_t u;
  std::memcpy(&u, &x, sizeof u);
  return u;
}
constexpr std::uint64_t exp_mask = 0x7FF0000000000000ull;
constexpr std::uint64_t abs_mask = 0x7FFFFFFFFFFFFFFFull;

inline bool is_nan(double x) { return x != x; }
inline bool is_inf(double x) { return (bits_of(x) & abs_mask) == exp_mask; }
inline bool is_finite(double x) { return (bits_of(x) & exp_mask) != exp_mask; }

// Truncation toward zero that saturates instead of leaving out-of-range values undefined:
// NaN gives 0, values beyond the int range give INT_MIN or INT_MAX.
inline int trunc_to_int(double x) {
  if (is_nan(x)) return 0;
  if (x >= 2147483647.0) return 2147483647;
  if (x <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(x);
}

// ============================================================================================
// Index values. Everything stays in double so that NaN, Inf and huge values can be
// range-tested before anything converts them to int.
// ============================================================================================

// x rounded half up: 2.5 gives 3, -2.5 gives -2.
inline double round_half_up(double x) { return std::floor(x + 0.5); }

// x + 0.5 truncated toward zero, the rounding of size arguments and of analyze(): the same as
// round_half_up for x >= -0.5, toward zero below it (-3 gives -2, -0.7 gives -0).
inline double trunc_half_up(double x) { return std::trunc(x + 0.5); }

// The position an index value addresses.
inline double position(double x) { return round_half_up(x); }

// True when position p lies in 1..extent (false for NaN); only then may it become an int.
inline bool in_range(double p, int extent) { return p >= 1.0 && p <= extent; }

// An element of a 0-1 index marks its place when it truncates to 1.
inline bool marked_one(double x) { return x >= 1.0 && x < 2.0; }

// ============================================================================================
// Imaginary parts: a real operand has no imaginary storage and reads as zeros.
// ============================================================================================

// Copies n elements of one part, or writes zeros when src is null.
template <class T>
void copy_or_zero(T* dst, const T* src, int n) {
  if (src) {
    copy_data(dst, src, n);
  } else {
    zero_data(dst, n);
  }
}

// Element k of a part, or zero when the part is null.
template <class T>
T part_or_zero(const T* part, long long k) {
  return part ? part[k] : static_cast<T>(0);
}

}  // namespace rules
}  // namespace korvex

#endif  // KORVEX_COMMON_RULES_H
