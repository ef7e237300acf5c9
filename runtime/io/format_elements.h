// format_elements.h: how the format engine reads and stores one element of each of its
// instances (double, float, int): as a double, truncated to int, as a float, as a byte dump.
#ifndef KORVEX_FORMAT_ELEMENTS_H
#define KORVEX_FORMAT_ELEMENTS_H

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

#include "common/rules.h"

namespace korvex {
namespace fmt_elem {

inline double as_double(double x) { return x; }
inline double as_double(float x) { return x; }
inline double as_double(int x) { return x; }

// Truncation toward zero, saturating at the int range (NaN gives 0).
inline int as_int(double x) { return rules::trunc_to_int(x); }
inline int as_int(float x) { return rules::trunc_to_int(x); }
inline int as_int(int x) { return x; }

// Rounds to nearest like the hardware, but without leaving the float range undefined: beyond
// FLT_MAX plus half its last-place step (2^103) the result is an infinity, below it FLT_MAX.
inline float as_float(double x) {
  if (!(std::fabs(x) > FLT_MAX)) return static_cast<float>(x);  // also NaN
  const double rounds_to_inf = static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103);
  const float big = std::fabs(x) < rounds_to_inf ? FLT_MAX : HUGE_VALF;
  return x < 0 ? -big : big;
}
inline float as_float(float x) { return x; }
inline float as_float(int x) { return static_cast<float>(x); }

// A value read by scan, stored in the instance's element type.
template <class T>
T from_double(double x);
template <>
inline double from_double<double>(double x) {
  return x;
}
template <>
inline float from_double<float>(double x) {
  return as_float(x);
}
template <>
inline int from_double<int>(double x) {
  return rules::trunc_to_int(x);
}

// The bytes of x as the host stores them, each as two upper-case hexadecimal digits with the
// low four bits first (so the byte 0x3F is written "F3").
template <class V>
std::string byte_dump(V x) {
  static const char digits[] = "0123456789ABCDEF";
  unsigned char bytes[sizeof x];
  std::memcpy(bytes, &x, sizeof x);
  std::string text;
  for (unsigned char b : bytes) {
    text += digits[b & 15u];
    text += digits[b >> 4];
  }
  return text;
}

// The dump of the "b" modifier (the element's own bytes) or of "t" (the element as a float).
template <class T>
std::string hex_dump(T x, bool as_float_bytes) {
  return as_float_bytes ? byte_dump(as_float(x)) : byte_dump(x);
}

}  // namespace fmt_elem
}  // namespace korvex

#endif  // KORVEX_FORMAT_ELEMENTS_H
