// Tests of the for-loop protocol: the loop variable takes each column in turn, is reused in
// place when it can be, and never disturbs a matrix it shares storage with.
#include "../support/matrix_builders.h"

using namespace korvex;
using namespace korvex_test;

// Over a row the loop variable is each scalar; every empty matrix is stored as 0x0 and makes
// no pass. A variable that last held a complex column or text comes out real and numeric.
TEST(ForLoop, VisitsEachColumnWithItsPartsAndTextMark) {
  M<double> x = by_rows(2, 2, {1, 2, 3, 4}), r = row({5, 6, 7}), z = crow({1, 2}, {-1, 0});
  M<double> v, text("ab"), e(0, 0, 3), c = M<double>(1, 2, 2);
  for (int k = 0; k < 4; ++k) c.addr()[k] = c.addi()[k] = k + 1;
  EXPECT_EQ(forsize(x), 2);
  EXPECT_EQ(forsize(r), 3);
  EXPECT_EQ(forsize(e), 0);
  forelem(v, r, 3);
  EXPECT_TRUE(Is(v, 1, 1, {7}));
  forelem(v, z, 2);
  EXPECT_TRUE(Is(v, 1, 1, {2}, {0}));
  forelem(v, c, 1);
  EXPECT_TRUE(Is(v, 2, 1, {1, 2}, {1, 2}));
  forelem(v, x, 2);
  EXPECT_TRUE(Is(v, 2, 1, {2, 4}));
  EXPECT_FALSE(v.isc());
  forelem(v, text, 2);
  EXPECT_EQ(v.getdm(), 1);
  forelem(v, x, 1);
  EXPECT_TRUE(Is(v, 2, 1, {1, 3}));
  EXPECT_EQ(v.getdm(), 0);
}

TEST(ForLoop, ReusesOnlyAnUnsharedVariable) {
  M<double> x = by_rows(3, 2, {1, 2, 3, 4, 5, 6});
  M<double> v;
  forelem(v, x, 1);
  const double* block = v.addr();
  forelem(v, x, 2);
  EXPECT_EQ(v.addr(), block) << "an unshared 3x1 variable is written in place";
  // A copy taken inside the loop keeps the value it was given.
  const M<double> kept = v;
  forelem(v, x, 1);
  EXPECT_TRUE(Is(kept, 3, 1, {2, 4, 6}));
  EXPECT_TRUE(Is(v, 3, 1, {1, 3, 5}));
  // The loop variable may be the matrix itself, or share its storage.
  M<double> self = by_rows(2, 2, {1, 2, 3, 4});
  forelem(self, self, 2);
  EXPECT_TRUE(Is(self, 2, 1, {2, 4}));
  M<double> col_x = by_rows(2, 1, {8, 9}), alias = col_x;
  forelem(alias, col_x, 1);
  EXPECT_TRUE(Is(col_x, 2, 1, {8, 9}));
  EXPECT_ERROR(forelem(v, x, 3), "forelem: column 3 out of matrix");
  EXPECT_ERROR(forelem(v, x, 0), "forelem: column 0 out of matrix");
}
