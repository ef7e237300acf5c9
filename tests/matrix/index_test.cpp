// Tests of index references, extraction a(k) / a(r, c), comma lists and concatenation.
#include <limits>

#include "../support/matrix_builders.h"

using namespace korvex;
using korvex_test::rowwise::col;
using korvex_test::rowwise::crow;
using korvex_test::rowwise::Err;
using korvex_test::rowwise::Is;
using korvex_test::rowwise::mat;
using korvex_test::rowwise::row;

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
M<double> S(double d) { return M<double>(d); }
}  // namespace

TEST(Extract, LinearIndexRoundsHalfUp) {
  const M<double> a = row({10, 20, 30}, "a");
  const double cases[][2] = {{2, 20}, {2.4, 20}, {2.5, 30}, {0.5, 10}, {3.49, 30}};
  for (const auto& c : cases) EXPECT_TRUE(Is(M<double>(a(S(c[0]))), 1, 1, {c[1]})) << c[0];
  EXPECT_TRUE(Is(M<double>(a(row({3, 1, 1}))), 1, 3, {30, 10, 10}));
  for (double v : {0.0, 0.4, 3.5, -1.0, kNaN, kInf, -kInf, 1e300}) {
    const M<double> k = row({1, v}, "k");
    EXPECT_EXIT(M<double>(a(k)), testing::ExitedWithCode(1), Err("a(k): index out of matrix")) << v;
  }
}

TEST(Extract, ZeroOneIndexOfFullLength) {
  const M<double> a = row({10, 20, 30});
  EXPECT_TRUE(Is(M<double>(a(row({1, 0, 1}))), 1, 2, {10, 30}));
  EXPECT_TRUE(Is(M<double>(a(row({1, 1, 1}))), 1, 3, {10, 20, 30}));  // not a(1) three times
  EXPECT_TRUE(Is(M<double>(a(row({0.6, 1.9, 0}))), 1, 1, {20}));      // counting truncates
  EXPECT_TRUE(Is(M<double>(a(row({1, 1}))), 1, 2, {10, 10}));         // short: positions
  EXPECT_TRUE(Is(M<double>(mat(2, 2, {1, 2, 3, 4})(row({0, 1, 1, 0}))), 2, 1, {3, 2}));
  EXPECT_EQ(M<double>(S(7)(S(0))).size(), 0);  // a 1x1 source: 0 selects nothing
  EXPECT_TRUE(Is(M<double>(S(7)(S(1))), 1, 1, {7}));
}

TEST(Extract, ShapeFollowsVectorSourceElseIndex) {
  EXPECT_TRUE(Is(M<double>(col({1, 2, 3})(row({1, 2}))), 2, 1, {1, 2}));
  EXPECT_TRUE(Is(M<double>(row({1, 2, 3})(col({3, 2}))), 1, 2, {3, 2}));
  const M<double> sq = mat(2, 2, {1, 2, 3, 4});  // column-major 1 3 2 4
  EXPECT_TRUE(Is(M<double>(sq(mat(2, 2, {1, 2, 3, 4}))), 2, 2, {1, 3, 2, 4}));
  EXPECT_TRUE(Is(M<double>(S(5)(row({1, 1}))), 2, 1, {5, 5}));  // 1x1 has one column
}

TEST(Extract, ColonAndWholeReferenceShareStorage) {
  const M<double> a = mat(2, 3, {1, 2, 3, 4, 5, 6}, "a");
  const M<double> v = a(c_p);
  EXPECT_TRUE(Is(v, 6, 1, {1, 4, 2, 5, 3, 6}));
  EXPECT_EQ(v.addr(), a.addr());
  EXPECT_EQ(v.getname(), nullptr);
  const M<double> w = Mr<double>(a);  // a() keeps the name too
  EXPECT_EQ(w.getname(), a.getname());
  EXPECT_EQ(M<double>(a(c_p, c_p)).addr(), a.addr());
  EXPECT_EQ(M<double>(M<double>()(c_p)).size(), 0);
  EXPECT_TRUE(Is(M<double>(M<double>(x_M)(row({5, 6}))), 1, 1, {1}));  // no value reads as 1
}

TEST(Extract, TwoIndicesChooseRowsAndColumns) {
  const M<double> a = mat(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  EXPECT_TRUE(Is(M<double>(a(S(2), c_p)), 1, 3, {4, 5, 6}));
  EXPECT_TRUE(Is(M<double>(a(c_p, row({3, 1}))), 3, 2, {3, 1, 6, 4, 9, 7}));
  EXPECT_TRUE(Is(M<double>(a(row({2.6, 1}), row({2, 0.5}))), 2, 2, {8, 7, 2, 1}));
  EXPECT_TRUE(Is(M<double>(a(row({1, 0, 1}), row({0, 1, 1}))), 2, 2, {2, 3, 8, 9}));
  EXPECT_EQ(M<double>(a(M<double>(), c_p)).size(), 0);
  // Nine row positions use the heap position list.
  const M<double> rows = colon(S(3), S(-0.25), S(1));  // 3, 2.75, ..., 1
  EXPECT_TRUE(Is(M<double>(a(rows, S(1))), 9, 1, {7, 7, 7, 4, 4, 4, 4, 1, 1}));
}

// Copying column by column meets the first column, then its rows, then the other columns.
TEST(Extract, TwoIndexErrorsFollowCopyOrder) {
  const M<double> a = mat(2, 2, {1, 2, 3, 4}, "a");
  const M<double> r5 = row({5}, "r"), r1 = row({1}, "r"), rnan = row({kNaN}, "r");
  const M<double> c7 = row({7}, "c"), c19 = row({1, 9}, "c");
  const char* col_msg = "a(r,c): col index out of matrix";
  EXPECT_EXIT(M<double>(a(r5, c7)), testing::ExitedWithCode(1), Err(col_msg));
  EXPECT_EXIT(M<double>(a(r5, c19)), testing::ExitedWithCode(1),
              Err("a(r,c): row index out of matrix"));
  EXPECT_EXIT(M<double>(a(r1, c19)), testing::ExitedWithCode(1), Err(col_msg));
  EXPECT_EXIT(M<double>(a(rnan, c_p)), testing::ExitedWithCode(1),
              Err("a(r,:): row index out of matrix"));
}

TEST(Extract, KeepsKindImaginaryPartsAndElementType) {
  const M<double> z = crow({1, 2, 3}, {-1, -2, -3});
  EXPECT_TRUE(Is(M<double>(z(row({3, 1}))), 1, 2, {3, 1}, {-3, -1}));
  EXPECT_TRUE(Is(M<double>(z(S(1), row({0, 1, 1}))), 1, 2, {2, 3}, {-2, -3}));
  const M<double> b = M<double>("abc")(S(2));
  EXPECT_EQ(b.getdm(), 1);
  const M<int> ai = row<int>({10, 20, 30});
  EXPECT_TRUE(Is(M<int>(ai(row<int>({3, 1}))), 1, 2, {30, 10}));
  EXPECT_TRUE(Is(M<float>(row<float>({1.5, 2.5})(M<float>(1.5))), 1, 1, {2.5}));
  EXPECT_TRUE(
      Is(M<unsigned char>(row<unsigned char>({200, 9})(M<unsigned char>(c_p))), 2, 1, {200, 9}));
  const M<double> d = ai(row<int>({2}));  // another type: extract, then convert
  EXPECT_TRUE(Is(d, 1, 1, {20}));
  const M<unsigned char> u = S(300)(S(1));
  EXPECT_TRUE(Is(u, 1, 1, {44}));
}

TEST(Reference, AssignsThroughEachFormAndReadsBeforeWriting) {
  M<double> a = row({1, 2, 3}, "a");
  Mr<double> whole(a);
  whole = row({7, 8, 9});  // a takes the value and keeps its name
  EXPECT_STREQ(a.getname(), "a");
  a(S(2)) = 5.0;
  a(S(1)) = a(S(3));
  a(S(1), row({2, 3})) = (S(4), S(6));
  EXPECT_TRUE(Is(a, 1, 3, {9, 4, 6}));
  a = a(row({3, 2, 1}));
  EXPECT_TRUE(Is(a, 1, 3, {6, 4, 9}));
  a(row({2, 3, 4})) = a;  // reads a before the write grows it
  EXPECT_TRUE(Is(a, 1, 4, {6, 6, 4, 9}));
  a = (a, M<double>(a(S(1))));
  EXPECT_TRUE(Is(a, 1, 5, {6, 6, 4, 9, 6}));
}

TEST(Concat, RowsSplitAtSeparatorSkippingEmpties) {
  const M<double> one(1.0), two(2.0), three(3.0), four(4.0);
  EXPECT_TRUE(Is(M<double>((one, two, semi, three, four)), 2, 2, {1, 2, 3, 4}));
  const M<double> blocks = (mat(2, 1, {1, 2}), mat(2, 2, {3, 4, 5, 6}), semi, row({7, 8, 9}));
  EXPECT_TRUE(Is(blocks, 3, 3, {1, 3, 4, 2, 5, 6, 7, 8, 9}));
  const M<double> skip = (M<double>(), one, two, semi, semi, three, M<double>(), four);
  EXPECT_TRUE(Is(skip, 2, 2, {1, 2, 3, 4}));
  EXPECT_EQ(M<double>((M<double>(), semi)).size(), 0);
  const M<double> z = (two, crow({1}, {5}), semi, row({3, 4}));
  EXPECT_TRUE(Is(z, 2, 2, {2, 1, 3, 4}, {0, 5, 0, 0}));
  const M<double> text = (M<double>("ab"), S(99));
  EXPECT_EQ(text.getdm(), 1);
}

TEST(Concat, ListGrowsPastSixteenEntries) {
  M<double> v[40];
  for (int t = 0; t < 40; t++) v[t] = static_cast<double>(t + 1);
  Ml<double> list(v[0]);
  for (int t = 1; t < 40; t++) list, v[t];
  EXPECT_EQ(list.siz, 64);  // 16 -> 32 -> 64
  const Ml<double> copy(list);
  const M<double> joined = copy;
  ASSERT_EQ(joined.cols(), 40);
  for (int t = 0; t < 40; t++) EXPECT_EQ(joined.addr()[t], t + 1);
  const M<int> as_int = list;  // another element type: concatenate, then convert
  EXPECT_EQ(as_int.addr()[39], 40);
}

TEST(Concat, RaggedBracketsAreErrors) {
  EXPECT_EXIT(M<double>((row({1, 2}), col({1, 2}))), testing::ExitedWithCode(1),
              Err("concatenation: entries of different heights in one row"));
  EXPECT_EXIT(M<double>((row({1, 2}), semi, S(3))), testing::ExitedWithCode(1),
              Err("concatenation: rows of different widths"));
  EXPECT_EXIT(Ml<double>(), testing::ExitedWithCode(1), Err("Ml::Ml should not be called"));
}
