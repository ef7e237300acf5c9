// Tests of the conjugate transpose x' and the plain transpose x.'.
#include "../matrix_builders.h"

using namespace korvex;
using korvex_test::crow;
using korvex_test::ImagIs;
using korvex_test::Is;

TEST(Transpose, ConjugatesUnlessPlain) {
  const M<double> z = crow({1, 3}, {2, 0});
  const M<double> t = transpose(z);
  EXPECT_TRUE(Is(t, 2, 1, {1, 3}));
  EXPECT_TRUE(ImagIs(t, {-2, -0.0}));
  EXPECT_TRUE(ImagIs(dot_transpose(z), {2, 0}));
  EXPECT_TRUE(ImagIs(transpose(z, 1), {2, 0}));
  EXPECT_FALSE(transpose(M<double>(4.0)).isc());
}

// Every element (i, j) lands at (j, i), across the 8-column tiles of the copy loop.
TEST(Transpose, MovesEveryElementAcrossTileEdges) {
  const int shapes[][2] = {{1, 1}, {3, 7}, {5, 8}, {9, 9}, {17, 2}, {2, 17}, {1, 20}};
  for (const auto& s : shapes) {
    M<double> x(1, s[0], s[1]);
    for (int k = 0; k < x.size(); k++) {
      x.addr()[k] = k;
      x.addi()[k] = -k;
    }
    const M<double> t = transpose(x);
    ASSERT_EQ(t.rows(), s[1]);
    ASSERT_EQ(t.cols(), s[0]);
    for (int i = 1; i <= s[0]; i++)
      for (int j = 1; j <= s[1]; j++) {
        ASSERT_EQ(*t.addr(j, i), *x.addr(i, j)) << s[0] << "x" << s[1];
        ASSERT_EQ(*t.addi(j, i), -*x.addi(i, j)) << s[0] << "x" << s[1];
      }
  }
}

TEST(Transpose, KeepsTextKindAndEmptiness) {
  const M<double> text("abc");
  const M<double> t = dot_transpose(text);
  EXPECT_EQ(t.getdm(), 1);
  EXPECT_TRUE(Is(t, 3, 1, {97, 98, 99}));
  EXPECT_EQ(transpose(M<double>()).size(), 0);
}
