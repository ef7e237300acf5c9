// index_rules.h: how index values become element positions, shared by extraction and
// subscripted assignment. Internal to runtime/matrix; not part of the public interface.
#ifndef KORVEX_INDEX_RULES_H
#define KORVEX_INDEX_RULES_H

#include "common/messages.h"
#include "common/rules.h"
#include "korvex.h"

namespace korvex {
namespace index_rules {

using rules::in_range;
using rules::marked_one;
using rules::part_or_zero;
using rules::position;

inline bool is_colon(const char* name) { return name == colon_name; }

// The summary of a one-index subscript, computed in double so that NaN, Inf and huge values
// never meet an int conversion: lo and hi are the least and greatest trunc_half_up(x) over the
// values that are not NaN (lo = +Inf, hi = -Inf when there are none), ones counts the values
// marked 1, and has_nan says whether any value is NaN. analyze() and subscripted assignment
// each apply their own reading of NaN to it.
struct IndexSummary {
  double lo, hi;
  int ones;
  bool has_nan;
};

template <class T>
IndexSummary summarize_index(const T* v, int count) {
  IndexSummary s{HUGE_VAL, -HUGE_VAL, 0, false};
  for (int t = 0; t < count; t++) {
    const double x = static_cast<double>(v[t]);
    const double r = rules::trunc_half_up(x);
    if (rules::is_nan(r)) {
      s.has_nan = true;
      continue;
    }
    if (r < s.lo) s.lo = r;
    if (r > s.hi) s.hi = r;
    if (marked_one(x)) s.ones++;
  }
  return s;
}

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
