// Tests of the conjugate transpose x' and the plain transpose x.'.
#include "../support/matrix_builders.h"

using namespace korvex;
using namespace korvex_test;

TEST(Transpose, MovesEveryElementConjugatingUnlessPlainAndKeepsText) {
  const M<double> z = crow({1, 3}, {2, 0});
  EXPECT_TRUE(Is(transpose(z), 2, 1, {1, 3}, {-2, 0}));
  EXPECT_TRUE(Is(dot_transpose(z), 2, 1, {1, 3}, {2, 0}));
  EXPECT_FALSE(transpose(M<double>(4.0)).isc());
  EXPECT_EQ(dot_transpose(M<double>("abc")).getdm(), 1);
  // Every element (i, j) lands at (j, i), across the 8-column tiles of the copy loop.
  for (const auto& s : {std::pair<int, int>{3, 7}, {5, 8}, {9, 9}, {2, 17}, {1, 20}}) {
    M<double> x(1, s.first, s.second);
    for (int k = 0; k < x.size(); k++) x.addr()[k] = x.addi()[k] = k;
    const M<double> t = transpose(x);
    ASSERT_EQ(t.rows(), s.second);
    ASSERT_EQ(t.cols(), s.first);
    for (int i = 1; i <= s.first; i++)
      for (int j = 1; j <= s.second; j++) {
        ASSERT_EQ(*t.addr(j, i), *x.addr(i, j)) << i << j;
        ASSERT_EQ(*t.addi(j, i), -*x.addi(i, j)) << i << j;
      }
  }
}
