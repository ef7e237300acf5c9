// Tests of subscripted assignment a(k) = b and a(r, c) = b: growth, 0-1 subscripts,
// deletion, copy on write, complex promotion and every message.
#include <csignal>
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
M<double> S(double d) { return M<double>(d); }
}  // namespace

TEST(Assign, GrowsEmptyRowInPlaceWithinCapacity) {
  M<double> a("a", 0, 0);
  ASSERT_EQ(a.getcapacity(), 6);
  const double* block = a.addr();
  a(S(3)) = 7.0;
  EXPECT_TRUE(Is(a, 1, 3, {0, 0, 7}));
  a(S(5)) = 1.0;
  EXPECT_TRUE(Is(a, 1, 5, {0, 0, 7, 0, 1}));
  EXPECT_EQ(a.addr(), block);
  a(S(6)) = 2.0;  // the last spare slot
  EXPECT_EQ(a.addr(), block);
  a(S(7)) = 3.0;  // past capacity: new storage of the new shape
  EXPECT_NE(a.addr(), block);
  EXPECT_EQ(a.getcapacity(), 13);
  EXPECT_TRUE(Is(a, 1, 7, {0, 0, 7, 0, 1, 2, 3}));
  EXPECT_STREQ(a.getname(), "a");
}

TEST(Assign, GrowthShapeDependsOnRows) {
  M<double> sq = mat(2, 2, {1, 2, 3, 4});
  sq(S(6)) = 1.0;  // a matrix becomes a column, old elements in column-major order first
  EXPECT_TRUE(Is(sq, 6, 1, {1, 3, 2, 4, 0, 1}));
  M<double> c = col({1, 2, 3});
  c(S(5)) = 9.0;
  EXPECT_TRUE(Is(c, 5, 1, {1, 2, 3, 0, 9}));
  M<double> s(4.0);
  s(S(3)) = 6.0;  // one row: grows as a row
  EXPECT_TRUE(Is(s, 1, 3, {4, 0, 6}));
  M<double> r = row({1});
  r(row({4, 2})) = row({8, 5});
  EXPECT_TRUE(Is(r, 1, 4, {1, 5, 0, 8}));
}

TEST(Assign, ColonReplacesElementsKeepingShape) {
  M<double> a("a", 0, 0);
  a(c_p) = row({1, 2, 3});
  EXPECT_TRUE(Is(a, 1, 3, {1, 2, 3}));
  M<double> sq = mat(2, 2, {1, 2, 3, 4}, "sq");
  const double* block = sq.addr();
  sq(c_p) = row({5, 6, 7, 8});  // same count: sq's shape, column-major fill, in place
  EXPECT_TRUE(Is(sq, 2, 2, {5, 7, 6, 8}));
  EXPECT_EQ(sq.addr(), block);
  M<double> text("abc");
  text(c_p) = M<double>();  // b empty: 0x0, type kept
  EXPECT_EQ(text.size(), 0);
  EXPECT_EQ(text.getdm(), 1);
  const M<double> b = row({1, 2, 3}, "b");
  EXPECT_EXIT(sq(c_p) = b, testing::ExitedWithCode(1),
              Err("sq(:)=b: size(b) different than size(sq)"));
}

TEST(Assign, ZeroOneIndexWritesMarkedElements) {
  M<double> a = row({1, 2, 3}, "a");
  a(row({1, 0, 1})) = row({7, 9});
  EXPECT_TRUE(Is(a, 1, 3, {7, 2, 9}));
  a(row({1, 1, 1})) = row({4, 5, 6});  // all ones of full length: every element once
  EXPECT_TRUE(Is(a, 1, 3, {4, 5, 6}));
  a(row({0.4, 1.2, 1.4})) = row({0, 0});  // rounds to 0 1 1, truncates to 0 1 1
  EXPECT_TRUE(Is(a, 1, 3, {4, 0, 0}));
  const M<double> k = row({1, 0, 1}, "k");
  const M<double> b = row({1, 2, 3}, "b");
  EXPECT_EXIT(a(k) = b, testing::ExitedWithCode(1),
              Err("a(k)=b: index is 0-1, size(b) different than number of ones in index"));
}

TEST(Assign, RepeatedPositionLastWriteWins) {
  M<double> a = row({1, 2, 3});
  a(row({2, 2, 3})) = row({5, 6, 7});
  EXPECT_TRUE(Is(a, 1, 3, {1, 6, 7}));
}

TEST(Assign, BadIndexValuesAreErrors) {
  M<double> a = row({1, 2, 3}, "a");
  const M<double> b(5.0);
  // Rounded by truncating x + 0.5 as analyze does: -0.7 is a zero, -3 a negative.
  const struct {
    double k;
    const char* msg;
  } cases[] = {{0, "a(k): index into matrix zero"},
               {0.4, "a(k): index into matrix zero"},
               {-0.7, "a(k): index into matrix zero"},
               {-3, "a(k): index into matrix negative"},
               {kNaN, "a(k): index into matrix negative"},
               {-kInf, "a(k): index into matrix negative"},
               {kInf, "Matrix a too large"},
               {1e300, "Matrix a too large"},
               {268435439, "Matrix a too large"}};
  for (const auto& c : cases) {
    const M<double> k = row({c.k}, "k");
    EXPECT_EXIT(a(k) = b, testing::ExitedWithCode(1), Err(c.msg)) << c.k;
  }
  const M<double> k2 = row({1, 2}, "k");
  const M<double> named = row({5}, "b");
  EXPECT_EXIT(a(k2) = named, testing::ExitedWithCode(1),
              Err("a(k)=b: size(b) different than size(k)"));
  // A 0-1 index needs the full length; shorter, the zero is a position.
  const M<double> k01 = row({1, 0}, "k");
  EXPECT_EXIT(a(k01) = row({1, 2}), testing::ExitedWithCode(1),
              Err("a(k): index into matrix zero"));
}

TEST(Assign, DeletesElementsThroughOneIndex) {
  M<double> a = row({1, 2, 3}, "a");
  a(S(2)) = M<double>();
  EXPECT_TRUE(Is(a, 1, 2, {1, 3}));
  M<double> r = row({1, 2, 3});
  r(row({1, 1})) = M<double>();  // a repeat counts once
  EXPECT_TRUE(Is(r, 1, 2, {2, 3}));
  M<double> keep = row({1, 2, 3});
  keep(S(9)) = M<double>();  // past the end: nothing
  keep(M<double>()) = M<double>();
  EXPECT_TRUE(Is(keep, 1, 3, {1, 2, 3}));
  M<double> c = col({1, 2, 3});
  c(row({3, 1})) = M<double>();  // one column stays a column
  EXPECT_TRUE(Is(c, 1, 1, {2}));
  M<double> sq = mat(2, 2, {1, 2, 3, 4});
  sq(S(2)) = M<double>();  // anything else becomes a row
  EXPECT_TRUE(Is(sq, 1, 3, {1, 2, 4}));
  M<double> mask = row({1, 2, 3});
  mask(row({0, 1, 1})) = M<double>();
  EXPECT_TRUE(Is(mask, 1, 1, {1}));
  M<double> all = row({1, 2});
  all(row({1, 1})) = M<double>();
  EXPECT_EQ(all.size(), 0);
  M<double> empty;
  empty(S(1)) = M<double>();
  EXPECT_EQ(empty.size(), 0);
  // Deleting from shared storage leaves the other sharer alone.
  M<double> z = crow({1, 2, 3}, {4, 5, 6});
  const M<double> before = z;
  z(S(1)) = M<double>();
  EXPECT_TRUE(Is(z, 1, 2, {2, 3}));
  EXPECT_TRUE(ImagIs(z, {5, 6}));
  EXPECT_TRUE(Is(before, 1, 3, {1, 2, 3}));
  EXPECT_TRUE(ImagIs(before, {4, 5, 6}));
}

TEST(Assign, CopiesOnWriteBeforeEveryWrite) {
  M<double> a = row({1, 2, 3});
  M<double> b = a;
  b(S(1)) = 5.0;
  EXPECT_TRUE(Is(a, 1, 3, {1, 2, 3}));
  EXPECT_TRUE(Is(b, 1, 3, {5, 2, 3}));
  M<double> c = a;
  c(S(4)) = 4.0;  // growth of a shared block within its capacity still copies
  EXPECT_TRUE(Is(a, 1, 3, {1, 2, 3}));
  EXPECT_TRUE(Is(c, 1, 4, {1, 2, 3, 4}));
  M<double> d = a;
  d(c_p) = row({7, 8, 9});
  EXPECT_TRUE(Is(a, 1, 3, {1, 2, 3}));
  M<double> e = a;
  e(S(1), S(2)) = 0.0;
  EXPECT_TRUE(Is(a, 1, 3, {1, 2, 3}));
  EXPECT_TRUE(Is(e, 1, 3, {1, 0, 3}));
  EXPECT_EQ(a.dirty(), 0);
}

TEST(Assign, IndexOrSourceAliasingTheTarget) {
  M<double> a = row({3, 1, 2});
  a(a) = row({30, 10, 20});  // a is its own index
  EXPECT_TRUE(Is(a, 1, 3, {10, 20, 30}));
  M<double> p = row({2, 3, 1});
  p(p) = p;
  EXPECT_TRUE(Is(p, 1, 3, {1, 2, 3}));
  M<double> q = row({1, 2});
  q(row({3, 4})) = q;  // grows while reading its old elements
  EXPECT_TRUE(Is(q, 1, 4, {1, 2, 1, 2}));
  M<double> r = row({1, 0, 1});
  r(r) = M<double>();  // a 0-1 index of itself: the marks are read before the deletion
  EXPECT_TRUE(Is(r, 1, 1, {0}));
  M<double> s = row({1, 1, 2});
  s(s) = M<double>();  // positions 1, 1, 2
  EXPECT_TRUE(Is(s, 1, 1, {2}));
}

TEST(Assign, RealIntoComplexAndComplexIntoReal) {
  M<double> z = crow({1, 2}, {3, 4});
  z(S(2)) = 9.0;
  EXPECT_TRUE(Is(z, 1, 2, {1, 9}));
  EXPECT_TRUE(ImagIs(z, {3, 0}));
  z(S(4)) = 5.0;
  EXPECT_TRUE(ImagIs(z, {3, 0, 0, 0}));
  M<double> z2 = crow({1, 2}, {3, 4});
  z2(c_p) = row({7, 8});
  EXPECT_TRUE(ImagIs(z2, {0, 0}));
  z2 = crow({1, 2}, {3, 4});
  z2(S(1), S(1)) = 6.0;
  EXPECT_TRUE(ImagIs(z2, {0, 4}));
  M<double> real = row({1, 2, 3});
  real(S(2)) = crow({5}, {-1});
  EXPECT_TRUE(Is(real, 1, 3, {1, 5, 3}));
  EXPECT_TRUE(ImagIs(real, {0, -1, 0}));
}

TEST(Assign, KeepsTypeAndNameAcrossReallocation) {
  M<double> text("ab");
  text.setname("t");
  text(S(9)) = 33.0;
  EXPECT_EQ(text.getdm(), 1);
  EXPECT_STREQ(text.getname(), "t");
  text(S(1), S(12)) = 34.0;
  EXPECT_EQ(text.getdm(), 1);
  text(row({1, 2})) = M<double>();
  EXPECT_EQ(text.getdm(), 1);
  EXPECT_STREQ(text.getname(), "t");
}

TEST(Assign, OtherElementTypes) {
  M<int> a = row<int>({1, 2});
  a(M<int>(4)) = M<int>(7);
  EXPECT_TRUE(Is(a, 1, 4, {1, 2, 0, 7}));
  M<unsigned char> u("u", 0, 0);
  u(M<unsigned char>(200.0)) = M<unsigned char>(1.0);
  EXPECT_EQ(u.cols(), 200);
  EXPECT_EQ(u.addr()[199], 1);
  M<float> f = row<float>({1, 2, 3});
  f(M<float>(2.5)) = M<float>(0.5);  // 2.5 rounds up to 3
  EXPECT_TRUE(Is(f, 1, 3, {1, 2, 0.5}));
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
  EXPECT_TRUE(Is(a, 3, 3, {1, 0, 3, 4, 0, 6, 7, 0, 9}));
  a(S(2), c_p) = row({-1, -2, -3});
  EXPECT_TRUE(Is(a, 3, 3, {1, 0, 3, -1, -2, -3, 7, 0, 9}));
  a(c_p, S(1)) = M<double>(5.0);  // b has one row: the colon covers one row
  EXPECT_TRUE(Is(a, 3, 3, {5, 0, 3, -1, -2, -3, 7, 0, 9}));
  M<double> g = row({1, 2});
  g(c_p, S(4)) = col({6, 7});  // the colon grows to b's rows
  EXPECT_TRUE(Is(g, 2, 4, {1, 2, 0, 6, 0, 0, 0, 7}));
  M<double> named = row({1}, "n");
  named(c_p, c_p) = mat(2, 1, {3, 4});
  EXPECT_TRUE(Is(named, 2, 1, {3, 4}));
  EXPECT_STREQ(named.getname(), "n");
  M<double> untouched = row({1, 2});
  untouched(M<double>(), S(1)) = M<double>(3.0);
  untouched(S(1), M<double>()) = M<double>();
  EXPECT_TRUE(Is(untouched, 1, 2, {1, 2}));
}

TEST(Assign2, MessagesNameEveryMatrix) {
  M<double> a = mat(2, 2, {1, 2, 3, 4}, "a");
  const M<double> r = row({1, 2}, "r");
  const M<double> c = row({1}, "c");
  const M<double> b = row({1, 2, 3}, "b");
  EXPECT_EXIT(a(r, c) = b, testing::ExitedWithCode(1),
              Err("a(r,c)=b: size(row index)*size(col index) is different than size(source)"));
  const M<double> r0 = row({0.4}, "r");
  const M<double> c0 = row({-2}, "c");
  const M<double> cnan = row({kNaN}, "c");
  EXPECT_EXIT(a(r0, c0) = M<double>(1.0), testing::ExitedWithCode(1),
              Err("a(r,c)=?: row index is non-positive"));
  EXPECT_EXIT(a(c, c0) = M<double>(1.0), testing::ExitedWithCode(1),
              Err("a(c,c)=?: col index is non-positive"));
  EXPECT_EXIT(a(c, cnan) = M<double>(1.0), testing::ExitedWithCode(1),
              Err("a(c,c)=?: col index is non-positive"));
  const M<double> huge = row({1e9}, "h");
  EXPECT_EXIT(a(huge, huge) = M<double>(1.0), testing::ExitedWithCode(1),
              Err("Matrix a too large"));
}

TEST(Assign2, DeletesRowsAndColumns) {
  const M<double> base = mat(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  M<double> a = base;
  a(S(2), c_p) = M<double>();
  EXPECT_TRUE(Is(a, 2, 3, {1, 2, 3, 7, 8, 9}));
  EXPECT_TRUE(Is(base, 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
  M<double> b = base;
  b(c_p, row({1, 3})) = M<double>();
  EXPECT_TRUE(Is(b, 3, 1, {2, 5, 8}));
  M<double> c = base;
  c(S(2), S(2)) = M<double>();  // neither colon: the elements outside row 2 and column 2
  EXPECT_TRUE(Is(c, 1, 4, {1, 7, 3, 9}));
  M<double> d = base;
  d(row({0, 4, 2.6}), c_p) = M<double>();  // out of range ignored, 2.6 deletes row 3
  EXPECT_TRUE(Is(d, 2, 3, {1, 2, 3, 4, 5, 6}));
  M<double> e = base;
  e(row({9, -1}), c_p) = M<double>();  // nothing removed: unchanged
  EXPECT_EQ(e.addr(), base.addr());
  M<double> f = base;
  f(c_p, row({1, 2, 3})) = M<double>();
  EXPECT_EQ(f.size(), 0);
  M<double> z = crow({1, 2, 3}, {4, 5, 6});
  z(c_p, S(2)) = M<double>();
  EXPECT_TRUE(ImagIs(z, {4, 6}));
}

TEST(IntVec, IndexOutsideZeroToSizeAborts) {
  int_vec v(3);
  v[0] = 1;
  v[3] = 2;
  EXPECT_EQ(v[3], 2);
  EXPECT_DEATH(v[4] = 0, "failed assertion `\\(i>=0\\)&&\\(i<=size\\)'");
  EXPECT_DEATH(v[-1] = 0, "assign.cpp:[0-9]+: failed assertion");
}
