// Tests of index references, extraction a(k) / a(r, c), comma lists and concatenation.
#include <csignal>
#include <cstring>
#include <limits>

#include "../support/matrix_builders.h"

using namespace korvex;
using namespace korvex_test;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Extract, LinearIndexRoundsHalfUpAndFollowsTheSourceShape) {
  const M<double> a = row({10, 20, 30}, "a");
  const double cases[][2] = {{2.4, 20}, {2.5, 30}, {0.5, 10}};
  for (const auto& c : cases) EXPECT_TRUE(Is(value_of(a(scalar(c[0]))), 1, 1, {c[1]})) << c[0];
  EXPECT_TRUE(Is(value_of(a(col({3, 1, 1}))), 1, 3, {30, 10, 10}));  // a row source gives a row
  for (double v : {0.4, 3.5, kNaN, 1e300})
    EXPECT_ERROR(value_of(a(row({1, v}, "k"))), "a(k): index out of matrix") << v;
  EXPECT_TRUE(Is(value_of(col({1, 2, 3})(row({1, 2}))), 2, 1, {1, 2}));
  const M<double> sq = by_rows(2, 2, {1, 2, 3, 4});  // column-major 1 3 2 4
  EXPECT_TRUE(Is(value_of(sq(by_rows(2, 2, {1, 2, 3, 4}))), 2, 2, {1, 3, 2, 4}));
  EXPECT_TRUE(Is(value_of(scalar(5)(row({1, 1}))), 2, 1, {5, 5}));  // 1x1 has one column
}

TEST(Extract, ZeroOneIndexOfFullLength) {
  const M<double> a = row({10, 20, 30});
  EXPECT_TRUE(Is(value_of(a(row({1, 0, 1}))), 1, 2, {10, 30}));
  EXPECT_TRUE(Is(value_of(a(row({1, 1, 1}))), 1, 3, {10, 20, 30}));  // not a(1) three times
  EXPECT_TRUE(Is(value_of(a(row({0.6, 1.9, 0}))), 1, 1, {20}));      // counting truncates
  EXPECT_TRUE(Is(value_of(by_rows(2, 2, {1, 2, 3, 4})(row({0, 1, 1, 0}))), 2, 1, {3, 2}));
  EXPECT_EQ(value_of(scalar(7)(scalar(0))).size(), 0);  // a 1x1 source: 0 selects nothing
}

TEST(Extract, ColonWholeReferenceAndNoValue) {
  const M<double> a = by_rows(2, 3, {1, 2, 3, 4, 5, 6}, "a");
  const M<double> v = a(c_p);  // shares the block as a column, unnamed
  EXPECT_TRUE(Is(v, 6, 1, {1, 4, 2, 5, 3, 6}));
  EXPECT_EQ(v.addr(), a.addr());
  EXPECT_FALSE(v.getname());
  EXPECT_EQ(value_of(Mr<double>(a)).getname(), a.getname());  // a() keeps the name too
  EXPECT_EQ(value_of(a(c_p, c_p)).addr(), a.addr());
  EXPECT_EQ(value_of(M<double>()(c_p)).size(), 0);
  EXPECT_TRUE(Is(value_of(M<double>(x_M)(row({5, 6}))), 1, 1, {1}));  // no value reads as 1
  EXPECT_EQ(value_of(M<double>("abc")(scalar(2))).getdm(), 1);
}

TEST(Extract, TwoIndicesChooseRowsAndColumns) {
  const M<double> a = by_rows(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}, "a");
  EXPECT_TRUE(Is(value_of(a(scalar(2), c_p)), 1, 3, {4, 5, 6}));
  EXPECT_TRUE(Is(value_of(a(c_p, row({3, 1}))), 3, 2, {3, 1, 6, 4, 9, 7}));
  EXPECT_TRUE(Is(value_of(a(row({2.6, 1}), row({2, 0.5}))), 2, 2, {8, 7, 2, 1}));
  EXPECT_TRUE(Is(value_of(a(row({1, 0, 1}), row({0, 1, 1}))), 2, 2, {2, 3, 8, 9}));
  EXPECT_EQ(value_of(a(M<double>(), c_p)).size(), 0);
  // Nine row positions go past the inline position list.
  const M<double> rows = colon(scalar(3), scalar(-0.25), scalar(1));  // 3, 2.75, ..., 1
  EXPECT_TRUE(Is(value_of(a(rows, scalar(1))), 9, 1, {7, 7, 7, 4, 4, 4, 4, 1, 1}));
  // Copying column by column meets the first column, then its rows, then the other columns.
  EXPECT_ERROR(value_of(a(row({5}, "r"), row({7}, "c"))), "a(r,c): col index out of matrix");
  EXPECT_ERROR(value_of(a(row({5}, "r"), row({1, 9}, "c"))), "a(r,c): row index out of matrix");
  EXPECT_ERROR(value_of(a(row({1}, "r"), row({1, 9}, "c"))), "a(r,c): col index out of matrix");
  EXPECT_ERROR(value_of(a(row({kNaN}, "r"), c_p)), "a(r,:): row index out of matrix");
}

TEST(Extract, KeepsImaginaryPartsAndOtherElementTypes) {
  const M<double> z = crow({1, 2, 3}, {-1, -2, -3});
  EXPECT_TRUE(Is(value_of(z(row({0, 1, 1}))), 1, 2, {2, 3}, {-2, -3}));
  EXPECT_TRUE(Is(value_of(z(row({3, 1}))), 1, 2, {3, 1}, {-3, -1}));
  EXPECT_TRUE(Is(value_of(z(scalar(1), row({3, 2}))), 1, 2, {3, 2}, {-3, -2}));
  EXPECT_TRUE(Is(M<int>(row<int>({10, 20, 30})(row<int>({3, 1}))), 1, 2, {30, 10}));
  EXPECT_TRUE(Is(M<unsigned char>(scalar(300)(scalar(1))), 1, 1, {44}));  // extract, then convert
}

TEST(Reference, AssignsThroughEachFormAndReadsBeforeWriting) {
  M<double> a = row({1, 2, 3}, "a");
  Mr<double> whole(a);
  whole = row({7, 8, 9});  // a takes the value and keeps its name
  EXPECT_STREQ(a.getname(), "a");
  a(scalar(2)) = 5.0;
  a(scalar(1)) = a(scalar(3));
  a(scalar(1), row({2, 3})) = (scalar(4), scalar(6));
  EXPECT_TRUE(Is(a, 1, 3, {9, 4, 6}));
  a = a(row({3, 2, 1}));
  a = (a, M<double>(a(scalar(1))));
  EXPECT_TRUE(Is(a, 1, 4, {6, 4, 9, 6}));
}

// Exactly the same matrix: shape, kind, name, complexity, capacity and element bits.
::testing::AssertionResult identical(const M<double>& x, const M<double>& y) {
  const size_t bytes = x.size() * sizeof(double);
  if (x.rows() != y.rows() || x.cols() != y.cols() || x.getdm() != y.getdm() ||
      x.getname() != y.getname() || x.isc() != y.isc() || x.getcapacity() != y.getcapacity())
    return ::testing::AssertionFailure() << "shape, kind, name or capacity differ";
  if (std::memcmp(x.addr(), y.addr(), bytes) != 0 ||
      (x.isc() && std::memcmp(x.addi(), y.addi(), bytes) != 0))
    return ::testing::AssertionFailure() << "elements differ";
  return ::testing::AssertionSuccess();
}

// Reading a(k) and writing a(k) = b with 1x1 operands take inline paths; they must give what
// the general extraction (the i_o form) and vwcopy give, for every kind of a and k, including
// the 0-1 reading of k on a 1-element a, growth into the spare slots and past them, a shared a,
// and a b or k that is a itself.
TEST(Reference, OneByOneReadsAndWritesMatchTheGeneralPath) {
  M<double> text("ab");
  const M<double> targets[] = {M<double>("a", 0, 0),
                               scalar(-0.0),
                               row({1, 2, 3}),
                               by_rows(2, 2, {1, 2, 3, 4}),
                               col({4, 5, 6}),
                               crow({1, 2}, {3, -0.0}),
                               text};
  const double ks[] = {0.7, 1, 1.4, 1.5, 2, 2.6, 3.49, 4, 6, 7, 8, 9.5};
  for (const M<double>& t : targets)
    for (double kv : ks) {
      const M<double> k(kv);
      // Readable: a position within a, or for a 1-element a any value of a 0-1 index.
      if (t.size() == 1 ? kv < 2 : kv < t.size() + 0.5) {
        EXPECT_TRUE(identical(M<double>(t(k)), M<double>(t(k), i_o))) << kv << " of " << t.size();
      }
      if (kv < 1) continue;  // 0.7 writes only as a 0-1 index with no ones: an error
      for (const M<double>& b : {scalar(5.5), crow({2}, {1})}) {
        M<double> fast, general;
        fast.deepcopy(t.isc(), t);
        general.deepcopy(t.isc(), t);
        fast(k) = b;
        general.vwcopy(b, k);
        EXPECT_TRUE(identical(fast, general)) << kv << " into " << t.size();
      }
    }
  M<double> a = row({1, 2, 3}), keep = a, self = scalar(2), general = scalar(2);
  a(scalar(2)) = 9.0;  // shared: copy on write
  EXPECT_TRUE(Is(keep, 1, 3, {1, 2, 3}) && Is(a, 1, 3, {1, 9, 3}));
  self(self) = self;  // a 1x1 a as its own index and source grows to [2 2]
  general.vwcopy(M<double>(general), M<double>(general));
  EXPECT_TRUE(identical(self, general));
}

TEST(Reference, BrokenReferencesAreReported) {
  M<double> a = row({1, 2}, "a");
  const M<double> one(1.0);
  Mr<double> bad(a, one);
  bad.indexed = 3;
  EXPECT_ERROR(value_of(bad), "M(Mr&): unknown indexed");
  EXPECT_ERROR(bad = one, "M(M)=M: internal error.");
  bad.indexed = 1;
  // The destroyed mark must survive the destructor (the optimiser may drop such stores).
  EXPECT_EXIT(
      {
        bad.~Mr<double>();
        bad.~Mr<double>();
      },
      testing::KilledBySignal(SIGABRT), "^matrix\\.h:[0-9]+: failed assertion `indexed!=-1'\n");
}

TEST(Concat, RowsSplitAtSeparatorSkippingEmpties) {
  const M<double> blocks =
      (by_rows(2, 1, {1, 2}), by_rows(2, 2, {3, 4, 5, 6}), semi, row({7, 8, 9}));
  EXPECT_TRUE(Is(blocks, 3, 3, {1, 3, 4, 2, 5, 6, 7, 8, 9}));
  const M<double> e, skip = (e, scalar(1), crow({2}, {5}), semi, semi, scalar(3), e, scalar(4));
  EXPECT_TRUE(Is(skip, 2, 2, {1, 2, 3, 4}, {0, 5, 0, 0}));
  EXPECT_EQ(M<double>((e, semi)).size(), 0);
  EXPECT_EQ(M<double>((M<double>("ab"), scalar(99))).getdm(), 1);
  EXPECT_ERROR(M<double>((row({1, 2}), col({1, 2}))),
               "concatenation: entries of different heights in one row");
  EXPECT_ERROR(M<double>((row({1, 2}), semi, scalar(3))),
               "concatenation: rows of different widths");
  EXPECT_ERROR(Ml<double>(), "Ml::Ml should not be called");
}

TEST(Concat, ListGrowsPastSixteenEntries) {
  M<double> v[40];
  for (int t = 0; t < 40; t++) v[t] = static_cast<double>(t + 1);
  Ml<double> list(v[0]);
  for (int t = 1; t < 40; t++) list, v[t];
  EXPECT_EQ(list.siz, 64);  // 16 -> 32 -> 64
  const Ml<double> copy(list);
  const M<int> joined = copy;  // another element type: concatenate, then convert
  ASSERT_EQ(joined.cols(), 40);
  for (int t = 0; t < 40; t++) EXPECT_EQ(joined.addr()[t], t + 1);
}
