// Tests of subscripted assignment a(k) = b and a(r, c) = b: growth, 0-1 subscripts,
// deletion, copy on write, complex promotion and the messages.
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
const M<double> none;  // the empty source of a deletion
}  // namespace

TEST(Assign, GrowsRowInPlaceWithinCapacity) {
  M<double> a("a", 0, 0);
  const double* block = a.addr();
  a(S(3)) = 7.0;
  a(S(5)) = 1.0;
  EXPECT_TRUE(Is(a, 1, 5, {0, 0, 7, 0, 1}));
  a(S(6)) = 2.0;  // the last of the 6 spare slots
  EXPECT_EQ(a.addr(), block);
  a(S(7)) = 3.0;  // past capacity: new storage of the new shape
  EXPECT_NE(a.addr(), block);
  EXPECT_EQ(a.getcapacity(), 13);
  EXPECT_TRUE(Is(a, 1, 7, {0, 0, 7, 0, 1, 2, 3}));
  EXPECT_STREQ(a.getname(), "a");
}

TEST(Assign, GrowthShapeDependsOnRowCount) {
  M<double> sq = mat(2, 2, {1, 2, 3, 4});
  sq(S(6)) = 1.0;  // old elements in column-major order first
  EXPECT_TRUE(Is(sq, 6, 1, {1, 3, 2, 4, 0, 1}));
  M<double> c = col({1, 2, 3});
  c(S(5)) = 9.0;
  EXPECT_TRUE(Is(c, 5, 1, {1, 2, 3, 0, 9}));
  M<double> s(4.0);
  s(row({4, 2})) = row({8, 5});
  EXPECT_TRUE(Is(s, 1, 4, {4, 5, 0, 8}));
  M<int> i = row<int>({1});
  i(M<int>(3)) = M<int>(7);
  EXPECT_TRUE(Is(i, 1, 3, {1, 0, 7}));
}

TEST(Assign, ColonKeepsShapeOrTakesTheSources) {
  M<double> a("a", 0, 0);
  a(c_p) = row({1, 2, 3});
  EXPECT_TRUE(Is(a, 1, 3, {1, 2, 3}));
  M<double> sq = mat(2, 2, {1, 2, 3, 4}, "sq");
  const double* block = sq.addr();
  sq(c_p) = row({5, 6, 7, 8});
  EXPECT_TRUE(Is(sq, 2, 2, {5, 7, 6, 8}));
  EXPECT_EQ(sq.addr(), block);
  M<double> text("abc");
  text(c_p) = none;  // empty source: 0x0, type kept
  EXPECT_EQ(text.size(), 0);
  EXPECT_EQ(text.getdm(), 1);
  const M<double> b = row({1, 2, 3}, "b");
  EXPECT_EXIT(sq(c_p) = b, testing::ExitedWithCode(1),
              Err("sq(:)=b: size(b) different than size(sq)"));
}

TEST(Assign, ZeroOneIndexAndRepeatedPositions) {
  M<double> a = row({1, 2, 3}, "a");
  a(row({1, 0, 1})) = row({7, 9});
  EXPECT_TRUE(Is(a, 1, 3, {7, 2, 9}));
  a(row({1, 1, 1})) = row({4, 5, 6});  // all ones of full length: every element once
  EXPECT_TRUE(Is(a, 1, 3, {4, 5, 6}));
  a(row({0.4, 1.2, 1.4})) = row({0, 0});  // rounds to 0 1 1 and truncates to 0 1 1
  EXPECT_TRUE(Is(a, 1, 3, {4, 0, 0}));
  a(row({2, 2, 3})) = row({5, 6, 7});  // a later repeat wins
  EXPECT_TRUE(Is(a, 1, 3, {4, 6, 7}));
  const M<double> k = row({1, 0, 1}, "k");
  const M<double> b = row({1, 2, 3}, "b");
  EXPECT_EXIT(a(k) = b, testing::ExitedWithCode(1),
              Err("a(k)=b: index is 0-1, size(b) different than number of ones in index"));
}

TEST(Assign, BadIndexValuesAreErrors) {
  M<double> a = row({1, 2, 3}, "a");
  const M<double> b = row({5}, "b");
  // lo and hi truncate x + 0.5 as analyze() does: -0.7 is a zero, -3 a negative.
  const struct {
    double k;
    const char* msg;
  } cases[] = {{0.4, "a(k): index into matrix zero"},
               {-0.7, "a(k): index into matrix zero"},
               {-3, "a(k): index into matrix negative"},
               {kNaN, "a(k): index into matrix negative"},
               {-kInf, "a(k): index into matrix negative"},
               {kInf, "Matrix a too large"},
               {268435439, "Matrix a too large"}};
  for (const auto& c : cases) {
    const M<double> k = row({c.k}, "k");
    EXPECT_EXIT(a(k) = b, testing::ExitedWithCode(1), Err(c.msg)) << c.k;
  }
  const M<double> k2 = row({1, 2}, "k");
  EXPECT_EXIT(a(k2) = b, testing::ExitedWithCode(1), Err("a(k)=b: size(b) different than size(k)"));
  const M<double> k10 = row({1, 0}, "k");  // shorter than a: the 0 is a position
  EXPECT_EXIT(a(k10) = row({1, 2}), testing::ExitedWithCode(1),
              Err("a(k): index into matrix zero"));
}

TEST(Assign, DeletesElementsThroughOneIndex) {
  M<double> a = row({1, 2, 3});
  a(S(2)) = none;
  EXPECT_TRUE(Is(a, 1, 2, {1, 3}));
  M<double> r = row({1, 2, 3});
  r(row({1, 1, 9})) = none;  // a repeat counts once, past the end is ignored
  EXPECT_TRUE(Is(r, 1, 2, {2, 3}));
  r(S(9)) = none;
  r(none) = none;
  EXPECT_TRUE(Is(r, 1, 2, {2, 3}));
  M<double> c = col({1, 2, 3});
  c(row({3, 1})) = none;  // one column stays a column
  EXPECT_TRUE(Is(c, 1, 1, {2}));
  M<double> sq = mat(2, 2, {1, 2, 3, 4});
  sq(S(2)) = none;  // anything else becomes a row
  EXPECT_TRUE(Is(sq, 1, 3, {1, 2, 4}));
  M<double> mask = row({1, 2, 3});
  mask(row({0, 1, 1})) = none;
  EXPECT_TRUE(Is(mask, 1, 1, {1}));
  mask(S(1)) = none;
  EXPECT_EQ(mask.size(), 0);
  M<double> z = crow({1, 2, 3}, {4, 5, 6});
  const M<double> shared = z;
  z(S(1)) = none;
  EXPECT_TRUE(Is(z, 1, 2, {2, 3}, {5, 6}));
  EXPECT_TRUE(Is(shared, 1, 3, {1, 2, 3}, {4, 5, 6}));
}

TEST(Assign, CopiesOnWriteBeforeEveryWrite) {
  const M<double> a = row({1, 2, 3});
  M<double> b = a, c = a, d = a, e = a;
  b(S(1)) = 5.0;
  c(S(4)) = 4.0;  // growth of a shared block within its capacity still copies
  d(c_p) = row({7, 8, 9});
  e(S(1), S(2)) = 0.0;
  EXPECT_TRUE(Is(a, 1, 3, {1, 2, 3}));
  EXPECT_TRUE(Is(b, 1, 3, {5, 2, 3}));
  EXPECT_TRUE(Is(c, 1, 4, {1, 2, 3, 4}));
  EXPECT_TRUE(Is(e, 1, 3, {1, 0, 3}));
  EXPECT_TRUE(Is(d, 1, 3, {7, 8, 9}));
  EXPECT_EQ(a.dirty(), 0);  // every writer left the shared block
}

TEST(Assign, IndexOrSourceAliasingTheTarget) {
  M<double> a = row({3, 1, 2});
  a(a) = row({30, 10, 20});
  EXPECT_TRUE(Is(a, 1, 3, {10, 20, 30}));
  M<double> p = row({2, 3, 1});
  p(p) = p;
  EXPECT_TRUE(Is(p, 1, 3, {1, 2, 3}));
  M<double> q = row({1, 2});
  q(row({3, 4})) = q;
  EXPECT_TRUE(Is(q, 1, 4, {1, 2, 1, 2}));
  M<double> r = row({1, 0, 1});
  r(r) = none;  // its own 0-1 marks, read before the deletion
  EXPECT_TRUE(Is(r, 1, 1, {0}));
}

TEST(Assign, RealIntoComplexAndComplexIntoReal) {
  M<double> z = crow({1, 2}, {3, 4});
  z(S(2)) = 9.0;
  z(S(3)) = 5.0;
  EXPECT_TRUE(Is(z, 1, 3, {1, 9, 5}, {3, 0, 0}));
  z(c_p) = row({7, 8, 9});
  EXPECT_TRUE(Is(z, 1, 3, {7, 8, 9}, {0, 0, 0}));
  M<double> z2 = crow({1, 2}, {3, 4});
  z2(S(1), S(1)) = 6.0;
  EXPECT_TRUE(Is(z2, 1, 2, {6, 2}, {0, 4}));
  M<double> real = row({1, 2, 3});
  real(S(2)) = crow({5}, {-1});
  EXPECT_TRUE(Is(real, 1, 3, {1, 5, 3}, {0, -1, 0}));
}

TEST(Assign, KeepsTypeAndNameAcrossReallocation) {
  M<double> text("ab");
  text.setname("t");
  text(S(9)) = 33.0;
  EXPECT_EQ(text.getdm(), 1);
  text(S(1), S(12)) = 34.0;
  EXPECT_EQ(text.getdm(), 1);
  text(row({1, 2}), S(1)) = none;
  EXPECT_EQ(text.getdm(), 1);
  EXPECT_STREQ(text.getname(), "t");
}

TEST(Assign2, GrowsWithZerosKeepingPlaces) {
  M<double> a = mat(2, 2, {1, 2, 3, 4});
  a(S(3), S(4)) = 5.0;
  EXPECT_TRUE(Is(a, 3, 4, {1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 0, 5}));
  M<double> e("e", 0, 0);
  e(row({2, 1}), S(2)) = col({7, 8});
  EXPECT_TRUE(Is(e, 2, 2, {0, 8, 0, 7}));
}

TEST(Assign2, ColonCoversTheSourceExtent) {
  M<double> a = mat(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  a(c_p, S(2)) = col({0, 0, 0});
  a(S(2), c_p) = row({-1, -2, -3});
  a(c_p, S(1)) = S(5);  // b has one row: the colon covers one row
  EXPECT_TRUE(Is(a, 3, 3, {5, 0, 3, -1, -2, -3, 7, 0, 9}));
  M<double> g = row({1, 2});
  g(c_p, S(4)) = col({6, 7});  // the colon grows to b's rows
  EXPECT_TRUE(Is(g, 2, 4, {1, 2, 0, 6, 0, 0, 0, 7}));
  M<double> named = row({1}, "n");
  named(c_p, c_p) = mat(2, 1, {3, 4});
  EXPECT_TRUE(Is(named, 2, 1, {3, 4}));
  EXPECT_STREQ(named.getname(), "n");
  named(none, S(1)) = S(3);  // an empty index list writes nothing
  named(S(1), none) = none;
  EXPECT_TRUE(Is(named, 2, 1, {3, 4}));
}

TEST(Assign2, MessagesNameEveryMatrix) {
  M<double> a = mat(2, 2, {1, 2, 3, 4}, "a");
  const M<double> r = row({1, 2}, "r"), c = row({1}, "c"), b = row({1, 2, 3}, "b");
  EXPECT_EXIT(a(r, c) = b, testing::ExitedWithCode(1),
              Err("a(r,c)=b: size(row index)*size(col index) is different than size(source)"));
  const M<double> r0 = row({0.4}, "r"), cneg = row({-2}, "c"), cnan = row({kNaN}, "c");
  const M<double> one = row({1}, "b");
  EXPECT_EXIT(a(r0, cneg) = one, testing::ExitedWithCode(1),
              Err("a(r,c)=b: row index is non-positive"));
  EXPECT_EXIT(a(c, cnan) = one, testing::ExitedWithCode(1),
              Err("a(c,c)=b: col index is non-positive"));
  const M<double> huge = row({1e9}, "h");
  EXPECT_EXIT(a(huge, huge) = one, testing::ExitedWithCode(1), Err("Matrix a too large"));
}

TEST(Assign2, DeletesRowsAndColumns) {
  const M<double> base = mat(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  M<double> a = base, b = base, c = base, d = base, e = base;
  a(S(2), c_p) = none;
  EXPECT_TRUE(Is(a, 2, 3, {1, 2, 3, 7, 8, 9}));
  b(c_p, row({1, 3})) = none;
  EXPECT_TRUE(Is(b, 3, 1, {2, 5, 8}));
  c(S(2), S(2)) = none;  // no colon: the elements outside row 2 and column 2, as a row
  EXPECT_TRUE(Is(c, 1, 4, {1, 7, 3, 9}));
  d(row({0, 4, 2.6}), c_p) = none;  // out of range ignored, 2.6 is row 3
  EXPECT_TRUE(Is(d, 2, 3, {1, 2, 3, 4, 5, 6}));
  e(row({9, -1}), c_p) = none;  // nothing removed: unchanged, still shared
  EXPECT_EQ(e.addr(), base.addr());
  EXPECT_TRUE(Is(base, 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
  M<double> z = crow({1, 2, 3}, {4, 5, 6});
  z(c_p, S(2)) = none;
  EXPECT_TRUE(Is(z, 1, 2, {1, 3}, {4, 6}));
}

TEST(IntVec, IndexOutsideZeroToSizeAborts) {
  int_vec v(3);
  v[3] = 2;
  EXPECT_EQ(v[3], 2);
  EXPECT_DEATH(v[4] = 0, "assign.cpp:[0-9]+: failed assertion `\\(i>=0\\)&&\\(i<=size\\)'");
  EXPECT_DEATH(v[-1] = 0, "failed assertion");
}
