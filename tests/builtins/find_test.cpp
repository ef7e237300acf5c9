// Tests of find in its three forms and of the sparse placeholders: random matrices against a
// plain loop over the elements, and hand-worked cases for what the random ones do not hold.
#include <cmath>
#include <random>
#include <vector>

#include "../support/matrix_builders.h"

using namespace korvex;
using namespace korvex_test;

namespace {
const double nan_ = std::nan("");
const double inf_ = HUGE_VAL;
}  // namespace

// Random shapes (including one row, one column and empty) with about 10% non-zeros, NaN and
// complex elements among them, against the plain double loop over rows within columns.
TEST(Find, AgreesWithAPlainLoop) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> u(0, 1);
  const int shapes[][2] = {{1, 1}, {1, 9}, {9, 1}, {7, 13}, {0, 5}, {64, 64}, {1, 300}};
  for (int complex = 0; complex < 2; ++complex)
    for (const auto& s : shapes) {
      M<double> x(complex, s[0], s[1]);
      for (int k = 0; k < x.size(); ++k) {
        const double p = u(gen);
        x.addr()[k] = p < 0.05 ? p * 100 : p < 0.06 ? nan_ : 0;
        if (complex) x.addi()[k] = u(gen) < 0.05 ? -1 : 0;
      }
      std::vector<double> lin, ri, cj, vr, vi;
      for (int j = 1; j <= x.cols(); ++j)
        for (int i = 1; i <= x.rows(); ++i) {
          const bool nz = *x.addr(i, j) != 0 || (complex && *x.addi(i, j) != 0);
          if (!nz) continue;
          lin.push_back(i + (j - 1) * x.rows());
          ri.push_back(i);
          cj.push_back(j);
          vr.push_back(*x.addr(i, j));
          if (complex) vi.push_back(*x.addi(i, j));
        }
      const int n = static_cast<int>(lin.size());
      // A row for a row input, a column otherwise, 0x0 when nothing is found.
      const bool row_input = x.rows() == 1 && x.cols() >= 2;
      const int r = n == 0 ? 0 : row_input ? 1 : n, c = n == 0 ? 0 : row_input ? n : 1;
      EXPECT_TRUE(Is(find(x), r, c, lin));
      M<double> i, j, v, i2, j2;
      find(x, i_o, Mr<double>(i), Mr<double>(j), Mr<double>(v));
      find(x, i_o, Mr<double>(i2), Mr<double>(j2));
      EXPECT_TRUE(Is(i, r, c, ri));
      EXPECT_TRUE(Is(i2, r, c, ri));
      EXPECT_TRUE(Is(j, n, n == 0 ? 0 : 1, cj));
      EXPECT_TRUE(Is(j2, n, n == 0 ? 0 : 1, cj));
      EXPECT_TRUE(v.rows() == n && all_same(reals(v), vr));
      EXPECT_EQ(v.isc(), x.isc());
      EXPECT_TRUE(!complex || all_same(imags(v), vi));
      EXPECT_EQ(nnz_count(x), n);
    }
}

// -0 and -Inf, which the random matrices never hold; a -0 imaginary part counts as zero.
TEST(Find, SignedZerosAndInfinities) {
  EXPECT_TRUE(Is(find(row({-0.0, 0, -inf_, 7})), 1, 2, {3, 4}));
  EXPECT_TRUE(Is(nnz(crow({0, 1, nan_}, {-0.0, 0, 0})), 1, 1, {2}));
}

TEST(Sparse, ListsNonZerosAndBuildsDenseMatricesFromTriplets) {
  EXPECT_TRUE(Is(nonzeros(crow({1, 0}, {0, 2})), 2, 1, {1, 0}, {0, 2}));
  EXPECT_TRUE(Is(nzmax(by_rows(2, 3, {0, 0, 0, 0, 0, 0})), 1, 1, {6}));
  // full is a copy, imaginary storage included even when every imaginary part is 0.
  EXPECT_TRUE(Is(full(crow({1, 2}, {0, 0})), 1, 2, {1, 2}, {0, 0}));
  EXPECT_TRUE(Is(sparse(col({1, 2}), col({1, 2}), col({5, 6})), 2, 2, {5, 0, 0, 6}));
  // A later triplet at the same position overwrites the earlier one.
  EXPECT_TRUE(Is(sparse(col({2, 1, 2}), col({3, 1, 3}), col({1, 2, 3}), M<double>(3), M<double>(4)),
                 3, 4, {2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(Is(sparse(M<double>(2), M<double>(3)), 2, 3, {0, 0, 0, 0, 0, 0}));
  // sparse(x) copies x, NaN, imaginary parts and a row with several non-zeros included.
  EXPECT_TRUE(all_same(reals(sparse(by_rows(2, 2, {1, 0, nan_, 2}))), {1, nan_, 0, 2}));
  EXPECT_TRUE(Is(sparse(crow({0, 1, 2}, {2, 0, 0})), 1, 3, {0, 1, 2}, {2, 0, 0}));
}
