// index_rules.h: how index values become element positions, shared by extraction and
// subscripted assignment. Internal to runtime/matrix; not part of the public interface.
#ifndef KORVEX_INDEX_RULES_H
#define KORVEX_INDEX_RULES_H

#include <cmath>

#include "korvex.h"

namespace korvex {
namespace index_rules {

// The position an index value addresses: x rounded half up, kept in double so that NaN, Inf
// and huge values can be range-tested before anything converts them to int.
inline double position(double x) { return std::floor(x + 0.5); }

// True when position(x) lies in 1..extent (false for NaN); only then may it become an int.
inline bool in_range(double p, int extent) { return p >= 1.0 && p <= extent; }

inline bool is_colon(const char* name) { return name == colon_name; }

// A list of 1-based positions along one dimension, inline for short lists (the common a(i, j)
// and a(i, :) cases allocate nothing) and from new_data beyond that.
class Picks {
 public:
  explicit Picks(int count) : p(local) {
    if (count > inline_count) new_data(p, count);
  }
  ~Picks() {
    if (p != local) delete_data(p);
  }
  Picks(const Picks&) = delete;
  Picks& operator=(const Picks&) = delete;
  int& operator[](int t) { return p[t]; }
  int operator[](int t) const { return p[t]; }

 private:
  static constexpr int inline_count = 8;
  int local[inline_count];
  int* p;
};

}  // namespace index_rules
}  // namespace korvex

#endif  // KORVEX_INDEX_RULES_H
