// Tests of joinrows ([a; b]) and joincols ([a, b]).
#include "../support/matrix_builders.h"

using namespace korvex;
using namespace korvex_test;

// A missing imaginary part is zeroed; text on either side marks the result as text. Only an
// operand without rows counts as empty and is skipped, before any size check.
TEST(Join, StacksRowsOrPlacesColumnsSkippingEmptyOperandsAndMarkingText) {
  EXPECT_TRUE(Is(joinrows(by_rows(2, 2, {1, 2, 3, 4}), row({5, 6})), 3, 2, {1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(Is(joinrows(row({1, 2}), crow({3, 4}, {5, 6})), 2, 2, {1, 2, 3, 4}, {0, 0, 5, 6}));
  EXPECT_TRUE(Is(joincols(col({1, 2}), by_rows(2, 2, {3, 4, 5, 6})), 2, 3, {1, 3, 4, 2, 5, 6}));
  EXPECT_TRUE(Is(joincols(crow({1}, {7}), M<double>(2.0)), 1, 2, {1, 2}, {7, 0}));
  EXPECT_EQ(joincols(M<double>("ab"), row({1})).getdm(), 1);
  EXPECT_EQ(joinrows(row({1, 2}), M<double>("ab")).getdm(), 1);
  EXPECT_EQ(joinrows(row({1, 2}), row({3, 4})).getdm(), 0);
  const M<double> b = row({1, 2});
  EXPECT_EQ(joinrows(M<double>(0, 0, 5), b).addr(), b.addr());  // no column check
  EXPECT_EQ(joincols(b, M<double>()).addr(), b.addr());
  EXPECT_ERROR(joinrows(b, row({3, 4, 5})), "joinrows: # of cols different");
  EXPECT_ERROR(joincols(b, col({3, 4})), "joincols: # of rows different");
}
