// Tests of subscripted assignment a(k) = b and a(r, c) = b: growth, 0-1 subscripts,
// deletion, copy on write, complex promotion and the messages.
#include <limits>

#include "../support/matrix_builders.h"

using namespace korvex;
using namespace korvex_test;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
static const M<double> none;  // the empty source of a deletion

TEST(Assign, GrowsARowOrAColumnInPlaceWithinCapacity) {
  const int chunks = fs_used;
  M<double> a("a", 0, 0), sq = by_rows(2, 2, {1, 2, 3, 4}), c = col({1, 2, 3});
  const double* block = a.addr();
  a(scalar(3)) = 7.0;
  a(scalar(5)) = 1.0;
  EXPECT_TRUE(Is(a, 1, 5, {0, 0, 7, 0, 1}));
  a(scalar(6)) = 2.0;  // the last of the 6 spare slots
  EXPECT_EQ(a.addr(), block);
  a(row({7, 2})) = row({3, 5});  // past capacity: new storage; the grown chunk goes back
  EXPECT_TRUE(Is(a, 1, 7, {0, 5, 7, 0, 1, 2, 3}));
  EXPECT_EQ(a.getname()[0], 'a');
  EXPECT_EQ(fs_used, chunks);
  sq(scalar(6)) = 1.0;  // old elements in column-major order first
  c(scalar(5)) = 9.0;
  EXPECT_TRUE(Is(sq, 6, 1, {1, 3, 2, 4, 0, 1}));
  EXPECT_TRUE(Is(c, 5, 1, {1, 2, 3, 0, 9}));
}

// Growth past capacity leaves room for half as many elements again, so appending one at a time
// keeps each new block for at least half its count and moves it O(log n) times; the result is
// what a fresh matrix holds. Fresh and two-index blocks keep count + 6.
TEST(Assign, AppendingGrowsGeometricallyToWhatAFreshMatrixHolds) {
  M<double> a("a", 0, 0), k("k", 0, 0);
  const double* block = a.addr();
  int moves = 0, kept = 0, count_at_move = 0;
  for (int t = 1; t <= 10000; t++) {
    k = t;
    a(k) = 0.5 * t;
    if (a.addr() == block) {
      kept++;
      continue;
    }
    EXPECT_GE(kept, count_at_move / 2) << "the block before element " << t;
    moves++;
    block = a.addr();
    count_at_move = t;
    kept = 0;
  }
  EXPECT_LE(moves, 20);  // 7 * 1.5^18 > 10000
  M<double> fresh(0, 1, 10000);
  for (int t = 1; t <= 10000; t++) fresh.addr()[t - 1] = 0.5 * t;
  EXPECT_TRUE(a.rows() == 1 && a.cols() == 10000 && !a.isc() && a.getdm() == 0);
  EXPECT_EQ(reals(a), reals(fresh));
  EXPECT_EQ(fresh.getcapacity(), 10006);

  // A complex column through the general path, a shared one, and the two-index form.
  M<double> c = by_cols(3, 1, {1, 2, 3}, {-1, -2, -3}), shared = c,
            sq = by_rows(2, 2, {1, 2, 3, 4});
  for (int t = 4; t <= 40; t++) c(scalar(t)) = scalar(t);
  std::vector<double> re(40), im(40, 0.0);
  for (int t = 0; t < 40; t++) re[t] = t + 1;
  im[0] = -1, im[1] = -2, im[2] = -3;
  EXPECT_TRUE(all_same(reals(c), re) && all_same(imags(c), im) && c.rows() == 40);
  EXPECT_TRUE(Is(shared, 3, 1, {1, 2, 3}, {-1, -2, -3}));
  sq(scalar(3), scalar(4)) = 5.0;
  EXPECT_EQ(sq.getcapacity(), 18);
}

// A grown block that fits a pool chunk takes the whole chunk (unsigned char: 120 slots).
TEST(Assign, GrowthWithinAChunkStaysInThePool) {
  M<unsigned char> u("u", 0, 0);
  const int chunks = fs_used;
  u(M<unsigned char>(7.0)) = M<unsigned char>(9.0);
  EXPECT_EQ(fs_used, chunks);
  EXPECT_EQ(u.getcapacity(), 120);
  u(M<unsigned char>(121.0)) = M<unsigned char>(4.0);
  EXPECT_EQ(fs_used, chunks - 1);
  EXPECT_GE(u.getcapacity(), 121 + 61);
  EXPECT_TRUE(u.cols() == 121 && u.addr()[6] == 9 && u.addr()[120] == 4 && u.addr()[119] == 0);
}

TEST(Assign, ColonKeepsTheShapeOrTakesTheSources) {
  M<double> a("a", 0, 0), sq = by_rows(2, 2, {1, 2, 3, 4}, "sq"), text("abc");
  const double* block = sq.addr();
  a(c_p) = row({1, 2, 3});
  sq(c_p) = row({5, 6, 7, 8});
  text(c_p) = none;  // empty source: 0x0, the kind kept
  EXPECT_TRUE(Is(a, 1, 3, {1, 2, 3}));
  EXPECT_TRUE(Is(sq, 2, 2, {5, 7, 6, 8}));
  EXPECT_EQ(sq.addr(), block);
  EXPECT_TRUE(Is(text, 0, 0, {}));
  EXPECT_EQ(text.getdm(), 1);
  EXPECT_ERROR(sq(c_p) = row({1, 2, 3}, "b"), "sq(:)=b: size(b) different than size(sq)");
}

TEST(Assign, ZeroOneIndexRepeatedPositionsAndBadIndices) {
  M<double> a = row({1, 2, 3}, "a");
  a(row({1, 0, 1})) = row({7, 9});
  EXPECT_TRUE(Is(a, 1, 3, {7, 2, 9}));
  a(row({1, 1, 1})) = row({4, 5, 6});     // all ones of full length: every element once
  a(row({0.6, 1.2, 1.4})) = row({0, 0});  // rounds to 1 1 1, truncates to 0 1 1
  EXPECT_TRUE(Is(a, 1, 3, {4, 0, 0}));
  a(row({2, 2, 3})) = row({5, 6, 7});  // a later repeat wins
  EXPECT_TRUE(Is(a, 1, 3, {4, 6, 7}));
  // Rounded as analyze() does, by truncating x + 0.5: -0.7 is a zero, -3 a negative.
  const M<double> b1 = row({5}, "b"), b2 = row({1, 2}, "b"), b3 = row({1, 2, 3}, "b");
  EXPECT_ERROR(a(row({0.4}, "k")) = b1, "a(k): index into matrix zero");
  EXPECT_ERROR(a(row({-0.7}, "k")) = b1, "a(k): index into matrix zero");
  EXPECT_ERROR(a(row({1, 0}, "k")) = b2, "a(k): index into matrix zero");  // short: positions
  EXPECT_ERROR(a(row({-3}, "k")) = b1, "a(k): index into matrix negative");
  EXPECT_ERROR(a(row({kNaN}, "k")) = b1, "a(k): index into matrix negative");
  EXPECT_ERROR(a(row({268435439}, "k")) = b1, "Matrix a too large");
  EXPECT_ERROR(a(row({1, 2}, "k")) = b1, "a(k)=b: size(b) different than size(k)");
  EXPECT_ERROR(a(row({1, 0, 1}, "k")) = b3,
               "a(k)=b: index is 0-1, size(b) different than number of ones in index");
}

TEST(Assign, DeletesThroughOneIndex) {
  M<double> r = row({1, 2, 3}), c = col({1, 2, 3}), sq = by_rows(2, 2, {1, 2, 3, 4});
  M<double> mask = row({1, 2, 3}), z = crow({1, 2, 3}, {4, 5, 6});
  r(row({1, 1, 9})) = none;  // a repeat counts once, past the end is ignored
  c(row({3, 1})) = none;     // one column stays a column
  sq(scalar(2)) = none;      // anything else becomes a row
  mask(row({0, 1, 1})) = none;
  z(scalar(1)) = none;
  EXPECT_TRUE(Is(r, 1, 2, {2, 3}));
  EXPECT_TRUE(Is(c, 1, 1, {2}));
  EXPECT_TRUE(Is(sq, 1, 3, {1, 2, 4}));
  EXPECT_TRUE(Is(mask, 1, 1, {1}));
  mask(scalar(1)) = none;
  EXPECT_TRUE(Is(mask, 0, 0, {}));
  EXPECT_TRUE(Is(z, 1, 2, {2, 3}, {5, 6}));
}

TEST(Assign, CopiesOnWriteAndKeepsTheKind) {
  const M<double> a("abc");
  M<double> b = a, c = a, d = a, e = a, f = a;
  b(scalar(1)) = 5.0;
  c(scalar(4)) = 4.0;  // growth of a shared block within its capacity still copies
  d(c_p) = row({7, 8, 9});
  e(scalar(1), scalar(2)) = 0.0;
  f(scalar(2)) = none;
  // Every writer left the block.
  EXPECT_TRUE(Is(a, 1, 3, {97, 98, 99}));
  EXPECT_EQ(a.pc(), 1);
  EXPECT_TRUE(Is(b, 1, 3, {5, 98, 99}));
  EXPECT_TRUE(Is(c, 1, 4, {97, 98, 99, 4}));
  EXPECT_TRUE(Is(d, 1, 3, {7, 8, 9}));
  EXPECT_TRUE(Is(e, 1, 3, {97, 0, 99}));
  EXPECT_TRUE(Is(f, 1, 2, {97, 99}));
  for (const M<double>* x : {&b, &c, &d, &e, &f}) EXPECT_EQ(x->getdm(), 1);
}

TEST(Assign, IndexOrSourceAliasingTheTarget) {
  M<double> a = row({3, 1, 2}), p = row({2, 3, 1}), q = row({1, 2}), r = row({1, 0, 1});
  a(a) = row({30, 10, 20});
  p(p) = p;
  q(row({3, 4})) = q;  // read before the write grows it
  r(r) = none;         // its own 0-1 marks, read before the deletion
  EXPECT_TRUE(Is(a, 1, 3, {10, 20, 30}));
  EXPECT_TRUE(Is(p, 1, 3, {1, 2, 3}));
  EXPECT_TRUE(Is(q, 1, 4, {1, 2, 1, 2}));
  EXPECT_TRUE(Is(r, 1, 1, {0}));
}

TEST(Assign, RealIntoComplexAndComplexIntoReal) {
  M<double> z = crow({1, 2}, {3, 4}), z2 = z, z3 = z, real = row({1, 2, 3});
  z(scalar(2)) = 9.0;
  z(scalar(3)) = 5.0;
  z2(c_p) = row({7, 8});
  z3(scalar(1), scalar(1)) = 6.0;
  real(scalar(2)) = crow({5}, {-1});
  EXPECT_TRUE(Is(z, 1, 3, {1, 9, 5}, {3, 0, 0}));
  EXPECT_TRUE(Is(z2, 1, 2, {7, 8}, {0, 0}));
  EXPECT_TRUE(Is(z3, 1, 2, {6, 2}, {0, 4}));
  EXPECT_TRUE(Is(real, 1, 3, {1, 5, 3}, {0, -1, 0}));
  // A complex source promotes the target even when it writes nothing or deletes.
  M<double> untouched = row({1, 2}), deleted = by_rows(2, 2, {1, 2, 3, 4}), none(0, 0, 0);
  untouched(none) = crow({5}, {-1});
  deleted(scalar(1), c_p) = M<double>(1, 0, 0);
  EXPECT_TRUE(Is(untouched, 1, 2, {1, 2}, {0, 0}));
  EXPECT_TRUE(Is(deleted, 1, 2, {3, 4}, {0, 0}));
}

TEST(Assign2, GrowsWithZerosKeepingPlacesAndColonCoversTheSource) {
  M<double> s = by_rows(2, 2, {1, 2, 3, 4}), e("e", 0, 0);
  s(scalar(3), scalar(4)) = 5.0;
  e(row({2, 1}), scalar(2)) = col({7, 8});
  EXPECT_TRUE(Is(s, 3, 4, {1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 0, 5}));
  EXPECT_TRUE(Is(e, 2, 2, {0, 8, 0, 7}));
  M<double> a = by_rows(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}), g = row({1, 2}), n = row({1}, "n");
  a(c_p, scalar(2)) = col({0, 0, 0});
  a(scalar(2), c_p) = row({-1, -2, -3});
  a(c_p, scalar(1)) = scalar(5);    // b has one row: the colon covers one row
  g(c_p, scalar(4)) = col({6, 7});  // the colon grows to b's rows
  n(c_p, c_p) = by_rows(2, 1, {3, 4});
  n(none, scalar(1)) = scalar(3);  // an empty index list writes nothing
  EXPECT_TRUE(Is(a, 3, 3, {5, 0, 3, -1, -2, -3, 7, 0, 9}));
  EXPECT_TRUE(Is(g, 2, 4, {1, 2, 0, 6, 0, 0, 0, 7}));
  EXPECT_TRUE(Is(n, 2, 1, {3, 4}));
  EXPECT_EQ(n.getname()[0], 'n');
}

TEST(Assign2, MessagesNameEveryMatrix) {
  M<double> a = by_rows(2, 2, {1, 2, 3, 4}, "a");
  const M<double> r = row({1, 2}, "r"), c = row({1}, "c"), b = row({1}, "b");
  EXPECT_ERROR(a(r, c) = row({1, 2, 3}, "b"),
               "a(r,c)=b: size(row index)*size(col index) is different than size(source)");
  EXPECT_ERROR(a(row({0.4}, "r"), row({-2}, "c")) = b, "a(r,c)=b: row index is non-positive");
  EXPECT_ERROR(a(c, row({kNaN}, "c")) = b, "a(c,c)=b: col index is non-positive");
  EXPECT_ERROR(a(row({1e9}, "h"), row({1e9}, "h")) = b, "Matrix a too large");
}

TEST(Assign2, DeletesRowsAndColumns) {
  const M<double> base = by_rows(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  M<double> a = base, b = base, c = base, d = base, e = base, z = crow({1, 2, 3}, {4, 5, 6});
  a(scalar(2), c_p) = none;
  b(c_p, row({1, 3})) = none;
  c(scalar(2), scalar(2)) = none;   // no colon: the elements outside row 2 and column 2
  d(row({0, 4, 2.6}), c_p) = none;  // out of range ignored, 2.6 is row 3
  e(row({9, -1}), c_p) = none;      // nothing removed: unchanged, still shared
  z(c_p, scalar(2)) = none;
  EXPECT_TRUE(Is(a, 2, 3, {1, 2, 3, 7, 8, 9}));
  EXPECT_TRUE(Is(b, 3, 1, {2, 5, 8}));
  EXPECT_TRUE(Is(c, 1, 4, {1, 7, 3, 9}));
  EXPECT_TRUE(Is(d, 2, 3, {1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(e.addr(), base.addr());
  EXPECT_TRUE(Is(base, 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_TRUE(Is(z, 1, 2, {1, 3}, {4, 6}));
}

TEST(IntVec, IndexOutsideZeroToSizeAborts) {
  int_vec v(3);
  v[3] = 2;
  EXPECT_DEATH(v[4] = 0, "assign.cpp:[0-9]+: failed assertion `\\(i>=0\\)&&\\(i<=size\\)'");
  EXPECT_DEATH(v[-1] = 0, "failed assertion");
}
