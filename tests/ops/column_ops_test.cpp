// Tests of the column reductions: empty inputs, the one-row rule, NaN in max/min, and the
// choice between the real and the complex path.
#include "../support/started_runtime.h"

using namespace korvex;
using namespace korvex_test;
using V = std::vector<double>;

const double inf = HUGE_VAL, qnan = std::nan("");
using Reduction = M<double> (*)(const M<double>&);

class ColumnOps : public StartedRuntime {};

// Empty inputs give fixed scalars (max and min the empty matrix) without any op check. One row
// is one vector; other shapes reduce by column into a row. max and min return the first
// NaN of a column (both parts on the complex path) and let an equal later element replace the
// accumulator on the real path, but keep the earlier one on equal moduli. An all-zero imaginary
// part makes max and min real (so -7 loses to 2 although its modulus is the largest); the other
// reductions go complex by storage.
TEST_F(ColumnOps, ReduceByColumnOnEveryPathAndEmptyInputs) {
  // clang-format off
  const struct { Reduction f; int m, n; V re, want, im = {}, want_im = {}; } rows[] = {
      {sum, 0, 0, {}, {0}}, {prod, 0, 0, {}, {1}}, {sumabs, 0, 0, {}, {0}}, {all, 0, 0, {}, {1}},
      {any, 0, 0, {}, {0}}, {max, 0, 0, {}, {}}, {min, 0, 0, {}, {}}, {sum, 1, 3, {1, 2, 3}, {6}},
      {sum, 3, 1, {1, 2, 3}, {6}}, {sum, 2, 2, {1, 3, 2, 4}, {4, 6}},
      {prod, 2, 2, {1, 3, 2, 4}, {3, 8}}, {min, 3, 2, {5, -1, 2, 0, 0, 7}, {-1, 0}},
      {sumabs, 1, 2, {-3, 4}, {7}}, {max, 2, 2, {1, qnan, 5, 2}, {qnan, 5}},
      {min, 2, 2, {qnan, -1, -inf, 2}, {qnan, -inf}}, {max, 1, 2, {0.0, -0.0}, {-0.0}},
      {min, 1, 2, {-0.0, 0.0}, {0.0}}, {all, 2, 2, {1, -0.0, qnan, 3}, {0, 1}},
      {any, 2, 2, {0, -0.0, 0, qnan}, {0, 1}}, {any, 1, 2, {0, 0}, {1}, {0, 2}, {0}},
      {all, 1, 2, {0, 0}, {0}, {0, 2}, {0}}, {max, 1, 2, {3, -5}, {3}, {4, 0}, {4}},
      {max, 1, 2, {-5, 3}, {-5}, {0, 4}, {0}}, {min, 3, 1, {3, 0, 1}, {1}, {4, 2, 0}, {0}},
      {max, 1, 3, {1, 2, 9}, {2}, {0, qnan, 0}, {qnan}}, {max, 1, 3, {1, -7, 2}, {2}, {0, -0.0, 0}},
      {sum, 1, 3, {1, -7, 2}, {-4}, {0, -0.0, 0}, {0}},
      {sum, 2, 2, {1, 3, 0, 2}, {4, 2}, {2, 4, 1, 0}, {6, 1}},
      {prod, 2, 2, {1, 3, 0, 2}, {-5, 0}, {2, 4, 1, 0}, {10, 2}},  // (1+2i)(3+4i); i·2
      {prod, 1, 2, {2, inf}, {inf}, {0, 1}, {2}},  // a real accumulator: no 0·Inf
      {sumabs, 1, 2, {3, -1}, {6}, {4, 0}, {0}}};
  // clang-format on
  for (const auto& r : rows) {
    const M<double> c = r.f(by_cols(r.m, r.n, r.re, r.im));
    const auto at = &r - rows;
    EXPECT_EQ(c.rows(), r.want.empty() ? 0 : 1) << "row " << at;
    EXPECT_EQ(c.isc() != 0, !r.want_im.empty()) << "row " << at;
    EXPECT_TRUE(all_same(reals(c), r.want)) << "row " << at;
    if (c.isc()) {
      EXPECT_TRUE(all_same(imags(c), r.want_im)) << "row " << at;
    }
  }
  EXPECT_EQ(col_op(M<double>(), op_lt).size(), 0);
  EXPECT_ERROR(col_op(M<double>(1.0), op_cumsum), "col_op: unknown op");
}
