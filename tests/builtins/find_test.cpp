// Tests of find in its three forms and of the sparse placeholders: hand-worked tables, and
// random matrices against a plain loop over the elements.
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

TEST(Find, LinearIndicesRowForARowInputColumnOtherwise) {
  const struct { M<double> x; int r, c; std::vector<double> want; } rows[] = {
      {row({0, 3, 0, 5}), 1, 2, {2, 4}},
      {by_rows(2, 3, {0, -inf_, 0, 2, nan_, 0}), 3, 1, {2, 3, 4}},
      {row({-0.0, 0, 7}), 1, 1, {3}},  // -0 is zero
      {row({0, 0, 0}), 0, 0, {}},      // nothing found: 0x0, whatever the input's shape
      {M<double>(4.0), 1, 1, {1}},
      {crow({0, 0, 1}, {0, 2, 0}), 1, 2, {2, 3}},  // an imaginary part alone counts
  };
  for (const auto& t : rows) EXPECT_TRUE(Is(find(t.x), t.r, t.c, t.want));
}

TEST(Find, ValuesKeepNaNAndBothParts) {
  M<double> i, j, v;
  find(by_rows(3, 2, {0, 5, 6, 0, 0, nan_}), i_o, Mr<double>(i), Mr<double>(j), Mr<double>(v));
  EXPECT_TRUE(Is(i, 3, 1, {2, 1, 3}));
  EXPECT_TRUE(Is(j, 3, 1, {1, 2, 2}));
  EXPECT_TRUE(all_same(reals(v), {6, 5, nan_}));
  EXPECT_EQ(v.cols(), 1);
  EXPECT_FALSE(v.isc());
  find(crow({0, 0, 3}, {0, -1, 4}), i_o, Mr<double>(i), Mr<double>(j), Mr<double>(v));
  EXPECT_TRUE(Is(v, 2, 1, {0, 3}, {-1, 4}));
  find(M<double>(0, 0, 0), i_o, Mr<double>(i), Mr<double>(j), Mr<double>(v));
  EXPECT_TRUE(Is(v, 0, 0, {}));
}

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
      std::vector<double> lin, ri, cj;
      for (int j = 1; j <= x.cols(); ++j)
        for (int i = 1; i <= x.rows(); ++i) {
          const bool nz = *x.addr(i, j) != 0 || (complex && *x.addi(i, j) != 0);
          if (!nz) continue;
          lin.push_back(i + (j - 1) * x.rows());
          ri.push_back(i);
          cj.push_back(j);
        }
      const int n = static_cast<int>(lin.size());
      // A row for a row input, a column otherwise, 0x0 when nothing is found.
      const bool row_input = x.rows() == 1 && x.cols() >= 2;
      const int r = n == 0 ? 0 : row_input ? 1 : n, c = n == 0 ? 0 : row_input ? n : 1;
      EXPECT_TRUE(Is(find(x), r, c, lin));
      M<double> i, j, v;
      find(x, i_o, Mr<double>(i), Mr<double>(j), Mr<double>(v));
      EXPECT_TRUE(Is(i, r, c, ri));
      EXPECT_TRUE(Is(j, n, n == 0 ? 0 : 1, cj));
      EXPECT_EQ(nnz_count(x), n);
      EXPECT_EQ(v.isc(), x.isc());
    }
}

TEST(Sparse, CountsAndListsNonZeros) {
  const std::pair<M<double>, double> rows[] = {
      {row({1, 0, nan_}), 2}, {M<double>(0, 0, 0), 0}, {crow({0}, {2}), 1}, {crow({0}, {-0.0}), 0}};
  for (const auto& t : rows) EXPECT_TRUE(Is(nnz(t.first), 1, 1, {t.second}));
  EXPECT_TRUE(Is(nonzeros(by_rows(2, 2, {0, 3, 4, 0})), 2, 1, {4, 3}));
  EXPECT_TRUE(Is(nonzeros(crow({1, 0}, {0, 2})), 2, 1, {1, 0}, {0, 2}));
  EXPECT_TRUE(Is(nzmax(by_rows(2, 3, {0, 0, 0, 0, 0, 0})), 1, 1, {6}));
  // full is a copy, imaginary storage included even when every imaginary part is 0.
  EXPECT_TRUE(Is(full(crow({1, 2}, {0, 0})), 1, 2, {1, 2}, {0, 0}));
}

TEST(Sparse, BuildsDenseMatricesFromTriplets) {
  EXPECT_TRUE(Is(sparse(col({1, 2}), col({1, 2}), col({5, 6})), 2, 2, {5, 0, 0, 6}));
  // A later triplet at the same position overwrites the earlier one.
  EXPECT_TRUE(Is(sparse(col({2, 1, 2}), col({3, 1, 3}), col({1, 2, 3}), M<double>(3), M<double>(4)),
                 3, 4, {2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(Is(sparse(M<double>(2), M<double>(3)), 2, 3, {0, 0, 0, 0, 0, 0}));
  // sparse(x) copies x, NaN and imaginary parts included.
  const M<double> with_nan = sparse(by_rows(2, 2, {1, 0, nan_, 2}));
  EXPECT_EQ(with_nan.rows(), 2);
  EXPECT_TRUE(all_same(reals(with_nan), {1, nan_, 0, 2}));
  EXPECT_TRUE(Is(sparse(crow({0, 1, 0}, {2, 0, 0})), 1, 3, {0, 1, 0}, {2, 0, 0}));
}
