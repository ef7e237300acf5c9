// Tests of index references, extraction a(k) / a(r, c), comma lists and concatenation.
#include <cmath>
#include <limits>

#include "../matrix_builders.h"

using namespace korvex;
using korvex_test::col;
using korvex_test::crow;
using korvex_test::Err;
using korvex_test::ImagIs;
using korvex_test::Is;
using korvex_test::mat;
using korvex_test::row;

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
}  // namespace

TEST(Extract, LinearIndexRoundsHalfUp) {
  const M<double> a = row({10, 20, 30}, "a");
  const struct {
    double k;
    double want;
  } cases[] = {{2, 20}, {2.4, 20}, {2.5, 30}, {0.5, 10}, {3.49, 30}};
  for (const auto& c : cases) {
    const M<double> got = a(M<double>(c.k));
    EXPECT_TRUE(Is(got, 1, 1, {c.want})) << "a(" << c.k << ")";
  }
  EXPECT_TRUE(Is(M<double>(a(row({3, 1}))), 1, 2, {30, 10}));
  EXPECT_TRUE(Is(M<double>(a(row({2, 2, 2, 2}))), 1, 4, {20, 20, 20, 20}));
}

TEST(Extract, PositionOutsideMatrixIsAnError) {
  const M<double> a = row({10, 20, 30}, "a");
  const double bad[] = {0, 0.4, 3.5, -1, kNaN, kInf, -kInf, 1e300, -1e300};
  for (double v : bad) {
    const M<double> k = row({1, v}, "k");
    EXPECT_EXIT(M<double>(a(k)), testing::ExitedWithCode(1), Err("a(k): index out of matrix")) << v;
  }
  EXPECT_EXIT(M<double>(M<double>()(M<double>(1.0))), testing::ExitedWithCode(1),
              Err("?(?): index out of matrix"));
}

TEST(Extract, ZeroOneIndexOfFullLength) {
  const M<double> a = row({10, 20, 30});
  EXPECT_TRUE(Is(M<double>(a(row({1, 0, 1}))), 1, 2, {10, 30}));
  // All ones of full length select each element once, not the first one three times.
  EXPECT_TRUE(Is(M<double>(a(row({1, 1, 1}))), 1, 3, {10, 20, 30}));
  // Counting truncates: 0.6 is a 0, 1.9 a 1.
  EXPECT_TRUE(Is(M<double>(a(row({0.6, 1.9, 0}))), 1, 1, {20}));
  EXPECT_EQ(M<double>(a(row({0, 0, 0}))).size(), 0);
  // Not of full length: ordinary positions.
  EXPECT_TRUE(Is(M<double>(a(row({1, 1}))), 1, 2, {10, 10}));
  // A source with more than one row gives a column.
  const M<double> sq = mat(2, 2, {1, 2, 3, 4});
  EXPECT_TRUE(Is(M<double>(sq(row({0, 1, 1, 0}))), 2, 1, {3, 2}));
  // A 1x1 source: 0 is a 0-1 index without ones, 1 the element itself.
  const M<double> s(7.0);
  EXPECT_EQ(M<double>(s(M<double>(0.0))).size(), 0);
  EXPECT_TRUE(Is(M<double>(s(M<double>(1.0))), 1, 1, {7}));
}

TEST(Extract, ResultShapeFollowsSourceVectorOrIndex) {
  const M<double> c = col({1, 2, 3});
  EXPECT_TRUE(Is(M<double>(c(row({1, 2}))), 2, 1, {1, 2}));
  const M<double> r = row({1, 2, 3});
  EXPECT_TRUE(Is(M<double>(r(col({3, 2}))), 1, 2, {3, 2}));
  const M<double> sq = mat(2, 2, {1, 2, 3, 4});  // column-major: 1 3 2 4
  EXPECT_TRUE(Is(M<double>(sq(mat(2, 2, {1, 2, 3, 4}))), 2, 2, {1, 3, 2, 4}));
  EXPECT_TRUE(Is(M<double>(sq(row({4, 1}))), 1, 2, {4, 1}));
  // A 1x1 source has one column: a repeated index gives a column.
  EXPECT_TRUE(Is(M<double>(M<double>(5.0)(row({1, 1}))), 2, 1, {5, 5}));
  EXPECT_EQ(M<double>(sq(M<double>())).size(), 0);
}

TEST(Extract, ColonSharesStorageAsColumn) {
  const M<double> a = mat(2, 3, {1, 2, 3, 4, 5, 6}, "a");
  const M<double> v = a(c_p);
  EXPECT_TRUE(Is(v, 6, 1, {1, 4, 2, 5, 3, 6}));
  EXPECT_EQ(v.addr(), a.addr());
  EXPECT_EQ(v.getname(), nullptr);
  EXPECT_EQ(M<double>(M<double>()(c_p)).size(), 0);
  // The whole-matrix reference keeps the name as well as the storage.
  const M<double> w = Mr<double>(a);
  EXPECT_EQ(w.getname(), a.getname());
  const M<double> both = a(c_p, c_p);
  EXPECT_EQ(both.addr(), a.addr());
  EXPECT_TRUE(Is(both, 2, 3, {1, 2, 3, 4, 5, 6}));
}

TEST(Extract, NoValueResultReadsAsOne) {
  const M<double> nothing(x_M);
  EXPECT_TRUE(Is(M<double>(nothing(row({5, 6, 7}))), 1, 1, {1}));
}

TEST(Extract, TwoIndicesChooseRowsAndColumns) {
  const M<double> a = mat(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  EXPECT_TRUE(Is(M<double>(a(M<double>(2.0), c_p)), 1, 3, {4, 5, 6}));
  EXPECT_TRUE(Is(M<double>(a(c_p, row({3, 1}))), 3, 2, {3, 1, 6, 4, 9, 7}));
  EXPECT_TRUE(Is(M<double>(a(row({2, 1}), row({2, 2}))), 2, 2, {5, 5, 2, 2}));
  EXPECT_TRUE(Is(M<double>(a(M<double>(2.6), M<double>(0.5))), 1, 1, {7}));
  // 0-1 selections against each dimension's length.
  EXPECT_TRUE(Is(M<double>(a(row({1, 0, 1}), row({0, 1, 1}))), 2, 2, {2, 3, 8, 9}));
  EXPECT_TRUE(Is(M<double>(a(row({1, 1, 1}), M<double>(1.0))), 3, 1, {1, 4, 7}));
  EXPECT_EQ(M<double>(a(M<double>(), c_p)).size(), 0);
  EXPECT_EQ(M<double>(a(row({0, 0, 0}), c_p)).size(), 0);
  // Many rows and columns take the heap position lists.
  const M<double> rows = colon(M<double>(3.0), M<double>(0.0) - M<double>(0.25),
                               M<double>(1.0));  // 3, 2.75, ..., 1: nine positions
  EXPECT_TRUE(Is(M<double>(a(rows, M<double>(1.0))), 9, 1, {7, 7, 7, 4, 4, 4, 4, 1, 1}));
}

TEST(Extract, TwoIndexErrorsCheckFirstColumnThenRowsThenColumns) {
  const M<double> a = mat(2, 2, {1, 2, 3, 4}, "a");
  const M<double> r5 = row({5}, "r");
  const M<double> c7 = row({7}, "c");
  const M<double> r1 = row({1}, "r");
  const M<double> c19 = row({1, 9}, "c");
  const M<double> rnan = row({kNaN}, "r");
  EXPECT_EXIT(M<double>(a(r5, c7)), testing::ExitedWithCode(1),
              Err("a(r,c): col index out of matrix"));
  EXPECT_EXIT(M<double>(a(r5, c19)), testing::ExitedWithCode(1),
              Err("a(r,c): row index out of matrix"));
  EXPECT_EXIT(M<double>(a(r1, c19)), testing::ExitedWithCode(1),
              Err("a(r,c): col index out of matrix"));
  EXPECT_EXIT(M<double>(a(rnan, c_p)), testing::ExitedWithCode(1),
              Err("a(r,:): row index out of matrix"));
}

TEST(Extract, KeepsKindAndImaginaryParts) {
  const M<double> z = crow({1, 2, 3}, {-1, -2, -3});
  const M<double> got = z(row({3, 1}));
  EXPECT_TRUE(Is(got, 1, 2, {3, 1}));
  EXPECT_TRUE(ImagIs(got, {-3, -1}));
  EXPECT_TRUE(ImagIs(M<double>(z(M<double>(1.0), row({0, 1, 1}))), {-2, -3}));
  const M<double> text("abc");
  const M<double> b = text(M<double>(2.0));
  EXPECT_EQ(b.getdm(), 1);
  EXPECT_TRUE(Is(b, 1, 1, {98}));
}

TEST(Extract, WorksForEveryElementType) {
  const M<int> ai = row<int>({10, 20, 30});
  EXPECT_TRUE(Is(M<int>(ai(row<int>({3, 1}))), 1, 2, {30, 10}));
  const M<unsigned char> au = row<unsigned char>({200, 100});
  EXPECT_TRUE(Is(M<unsigned char>(au(M<unsigned char>(c_p))), 2, 1, {200, 100}));
  const M<float> af = row<float>({1.5f, 2.5f});
  EXPECT_TRUE(Is(M<float>(af(M<float>(1.5))), 1, 1, {2.5}));
  // Reading into another element type extracts, then converts.
  const M<double> d = ai(row<int>({2}));
  EXPECT_TRUE(Is(d, 1, 1, {20}));
  const M<unsigned char> u = M<double>(300.0)(M<double>(1.0));
  EXPECT_TRUE(Is(u, 1, 1, {44}));
}

TEST(Reference, AssignmentGoesThroughTheIndexForm) {
  M<double> a = row({1, 2, 3}, "a");
  const M<double> b = row({7, 8, 9}, "b");
  Mr<double> whole(a);
  whole = b;  // whole matrix: a takes b's value, keeps its name
  EXPECT_TRUE(Is(a, 1, 3, {7, 8, 9}));
  EXPECT_STREQ(a.getname(), "a");
  a(M<double>(2.0)) = 5.0;
  EXPECT_TRUE(Is(a, 1, 3, {7, 5, 9}));
  a(M<double>(1.0)) = b(M<double>(3.0));
  EXPECT_TRUE(Is(a, 1, 3, {9, 5, 9}));
  a(M<double>(1.0), row({2, 3})) = (M<double>(4.0), M<double>(6.0));
  EXPECT_TRUE(Is(a, 1, 3, {9, 4, 6}));
}

TEST(Reference, SourceAliasingTheTarget) {
  M<double> a = row({1, 2, 3});
  a = a(row({3, 2, 1}));
  EXPECT_TRUE(Is(a, 1, 3, {3, 2, 1}));
  a(row({2, 3, 4})) = a;  // reads a before the write grows it
  EXPECT_TRUE(Is(a, 1, 4, {3, 3, 2, 1}));
  a(row({1, 2})) = a(row({4, 3}));
  EXPECT_TRUE(Is(a, 1, 4, {1, 2, 2, 1}));
  a = (a, a);
  EXPECT_TRUE(Is(a, 1, 8, {1, 2, 2, 1, 1, 2, 2, 1}));
}

TEST(Concat, RowsSplitAtSeparator) {
  const M<double> one(1.0), two(2.0), three(3.0), four(4.0);
  const M<double> sq = (one, two, semi, three, four);
  EXPECT_TRUE(Is(sq, 2, 2, {1, 2, 3, 4}));
  EXPECT_EQ(sq.getname(), nullptr);
  const M<double> blocks = (mat(2, 1, {1, 2}), mat(2, 2, {3, 4, 5, 6}), semi, row({7, 8, 9}));
  EXPECT_TRUE(Is(blocks, 3, 3, {1, 3, 4, 2, 5, 6, 7, 8, 9}));
  // Empty entries and empty rows contribute nothing.
  const M<double> skip =
      (M<double>(), one, M<double>(0, 0, 3), two, semi, semi, three, M<double>(), four);
  EXPECT_TRUE(Is(skip, 2, 2, {1, 2, 3, 4}));
  EXPECT_EQ(M<double>((M<double>(), semi, M<double>())).size(), 0);
}

TEST(Concat, ComplexAndTextSpreadToTheResult) {
  const M<double> z = crow({1}, {5});
  const M<double> got = (M<double>(2.0), z, semi, row({3, 4}));
  EXPECT_TRUE(Is(got, 2, 2, {2, 1, 3, 4}));
  EXPECT_TRUE(ImagIs(got, {0, 5, 0, 0}));
  const M<double> text = (M<double>("ab"), M<double>(99.0));
  EXPECT_EQ(text.getdm(), 1);
  EXPECT_TRUE(Is(text, 1, 3, {97, 98, 99}));
}

TEST(Concat, ListGrowsPastSixteenEntries) {
  M<double> v[40];
  for (int t = 0; t < 40; t++) v[t] = static_cast<double>(t + 1);
  Ml<double> list(v[0]);
  for (int t = 1; t < 40; t++) list, v[t];
  EXPECT_EQ(list.last, 39);
  EXPECT_EQ(list.siz, 64);  // 16 -> 32 -> 64
  const Ml<double> copy(list);
  const M<double> joined = copy;
  ASSERT_EQ(joined.cols(), 40);
  for (int t = 0; t < 40; t++) EXPECT_EQ(joined.addr()[t], t + 1);
  const M<int> as_int = list;  // another element type: concatenate, then convert
  EXPECT_EQ(as_int.cols(), 40);
  EXPECT_EQ(as_int.addr()[39], 40);
}

TEST(Concat, RaggedBracketsAreErrors) {
  EXPECT_EXIT(M<double>((row({1, 2}), col({1, 2}))), testing::ExitedWithCode(1),
              Err("concatenation: entries of different heights in one row"));
  EXPECT_EXIT(M<double>((row({1, 2}), semi, M<double>(3.0))), testing::ExitedWithCode(1),
              Err("concatenation: rows of different widths"));
  EXPECT_EXIT(Ml<double>(), testing::ExitedWithCode(1), Err("Ml::Ml should not be called"));
}
