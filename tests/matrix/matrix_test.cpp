// Tests of the matrix value type: construction, sharing and copy on write, release, checked
// access, the element-type conversions and the value members.
#include <climits>
#include <cmath>
#include <csignal>
#include <new>

#include "../support/matrix_builders.h"

using namespace korvex;
using namespace korvex_test;

const double nan_d = std::nan("");

TEST(Construct, ShapesAndTheTextAndScalarRules) {
  const M<float> z(2, 3, 4);
  EXPECT_EQ(z.addi() - z.addr(), 12 + 14);  // imaginary part count+14 slots after re
  for (int r : {-1, 0, 5}) EXPECT_TRUE(Is(M<int>(0, r, 5 - r), 0, 0, {})) << r;  // all 0x0
  // Codes 128..255 read as signed char, except in an unsigned char matrix.
  const char* s = "\351A\200";
  EXPECT_TRUE(Is(M<double>(s), 1, 3, {-23, 65, -128}));
  EXPECT_TRUE(Is(M<int>(s), 1, 3, {-23, 65, -128}));
  EXPECT_TRUE(Is(M<unsigned char>(s), 1, 3, {233, 65, 128}));
  const M<double> none(static_cast<const char*>(nullptr));
  EXPECT_EQ(none.getdm() + M<double>(s).getdm() + none.size(), 2);
  // Text of the absent-argument name stays the filler; equal text elsewhere does not.
  EXPECT_EQ(M<double>(missing_name).getname(), missing_name);
  EXPECT_FALSE(M<double>("l_M").getname());
  // A scalar converts as an element does (Convert below): NaN gives 0 and is not undefined.
  EXPECT_EQ(*M<int>(-2.9).r() + *M<int>(nan_d).r() + *M<unsigned char>(300.0).r(), 42);
}

// Converts src, named and marked as text, and checks the parts, the name and the kind.
template <class To, class From>
static void expect_converts(M<From> src, std::vector<double> re, std::vector<double> im) {
  src.setname("src");
  src.setdm(1);
  const M<To> dst(src);
  EXPECT_TRUE(Is(dst, 1, static_cast<int>(re.size()), re, im));
  EXPECT_EQ(dst.isc(), src.isc());
  EXPECT_EQ(dst.getname(), src.getname());
  EXPECT_EQ(dst.getdm(), 1);
}

// Floating to int truncates toward zero and saturates; anything to unsigned char keeps the
// low 8 bits, of the truncated value for floating types.
TEST(Convert, AllTwelvePairsConvertRealThenImaginaryParts) {
  const auto d = crow<double>({2.75, -2.5, 300, -1e10}, {-1.5, 1e10, 0.5, 0});
  expect_converts<float>(d, {2.75, -2.5, 300, -1e10}, {-1.5, 1e10, 0.5, 0});
  expect_converts<int>(d, {2, -2, 300, INT_MIN}, {-1, INT_MAX, 0, 0});
  expect_converts<unsigned char>(d, {2, 254, 44, 0}, {255, 255, 0, 0});
  const auto f = crow<float>({3.5, -7.25, 511}, {-0.75, 1, 2});
  expect_converts<double>(f, {3.5, -7.25, 511}, {-0.75, 1, 2});
  expect_converts<int>(f, {3, -7, 511}, {0, 1, 2});
  expect_converts<unsigned char>(f, {3, 249, 255}, {0, 1, 2});
  const auto n = crow<int>({-1, 300, 16777217}, {256, -256, 7});
  expect_converts<double>(n, {-1, 300, 16777217}, {256, -256, 7});
  expect_converts<float>(n, {-1, 300, 16777216}, {256, -256, 7});  // nearest float
  expect_converts<unsigned char>(n, {255, 44, 1}, {0, 0, 7});
  const auto b = crow<unsigned char>({0, 200, 255}, {1, 2, 3});
  expect_converts<double>(b, {0, 200, 255}, {1, 2, 3});
  expect_converts<float>(b, {0, 200, 255}, {1, 2, 3});
  expect_converts<int>(b, {0, 200, 255}, {1, 2, 3});
  expect_converts<int>(row({-0.5, 1.5}), {0, 1}, {});  // real stays real
}

TEST(Share, CopiesShareOneBlockAndWritersNeverChangeAnotherSharer) {
  const M<double> a = row({1, 2, 3}, "a");
  M<double> b("b", 0, 0), c(a), d(a), e(a);
  b = a;
  b = c;  // already sharing: the release must not free the block
  EXPECT_EQ(a.pc(), 5);
  EXPECT_STREQ(b.getname(), "b");  // assignment keeps the destination's name
  EXPECT_STREQ(c.getname(), "a");  // the copy constructor carries it
  b.getcomplex();
  b.addr()[0] = 9;
  c = 5.0;
  d.deepcopy(0, d);
  d.addr()[2] = 8;
  EXPECT_EQ((e = "xy").getdm(), 1);
  EXPECT_EQ((e = 2.5).getdm(), 0);  // a scalar resets the kind
  EXPECT_TRUE(Is(a, 1, 3, {1, 2, 3}));
  EXPECT_FALSE(a.isc());
  EXPECT_EQ(a.pc(), 1);
  e = *&e;  // unshared: assigning itself must not release it
  EXPECT_TRUE(Is(e, 1, 1, {2.5}));
}

TEST(Release, BlocksUpTo256BytesComeFromThePoolRealOrComplex) {
  // Per row: complex, element count, then the chunks a double, a float with an int, and an
  // unsigned char matrix take: 2*(count+14)*sizeof(T) <= 256 bytes.
  const int rows[][5] = {{0, 0, 1, 1, 1},  {1, 2, 1, 1, 1},   {0, 3, 0, 1, 1},  {1, 18, 0, 1, 1},
                         {0, 19, 0, 0, 1}, {1, 114, 0, 0, 1}, {0, 115, 0, 0, 0}};
  const int before = fs_used;
  for (auto& r : rows) {
    const M<double> d(r[0], 1, r[1]);
    const M<float> f(r[0], 1, r[1]);
    const M<int> n(r[0], r[1], 1);
    const M<unsigned char> b(r[0], r[1], 1);
    EXPECT_EQ(fs_used - before, r[2] + 2 * r[3] + r[4]) << r[1];
  }
  // After losing its imaginary part a block still goes back where it came from
  // (AddressSanitizer reports a block freed through the wrong allocator).
  {
    M<double> small = crow({1, 2}, {0, -0.0}), big = crow({1, 2, 3}, {0, 0, 0});
    EXPECT_EQ(small.getreal(), 0);
    EXPECT_EQ(big.getreal(), 0);
    EXPECT_EQ(fs_used, before + 1);
  }
  EXPECT_EQ(fs_used, before);
}

TEST(Release, DestructionChecksTheShareCountAndTheDestroyedMark) {
  M<double> a("a", 1, 1);
  std::vector<M<double>> copies(999, a);  // 1000 sharers: destroying one is fine
  copies.pop_back();
  copies.push_back(a);
  // Making the 1001st sharer works; destroying any sharer then reports.
  EXPECT_ERROR(M<double> extra(a); copies.pop_back(), "PC too big for matrix a");
  EXPECT_ERROR(M<double>(1.0).setpc(-1), "PC too small for matrix ?");
  copies.clear();
  // A second destruction, with the block still shared and after the last release.
  for (int shared = 0; shared < 2; ++shared)
    EXPECT_EXIT(
        {
          alignas(M<double>) unsigned char raw[sizeof(M<double>)];
          M<double>* twice = shared ? new (raw) M<double>(a) : new (raw) M<double>(3.0);
          twice->~M<double>();
          twice->~M<double>();
        },
        testing::KilledBySignal(SIGABRT), "^matrix\\.h:[0-9]+: failed assertion `type!=-1'\n");
}

TEST(Release, SizeLimitIs268435438ElementsWithoutWrapAround) {
  { const M<unsigned char> largest("big", 268435438, 1); }
  // The last two products wrap to 0 and to a negative value in 32 bits.
  const int shapes[][2] = {{268435439, 1}, {65536, 65536}, {46341, 46341}};
  for (auto& s : shapes)
    EXPECT_ERROR(M<unsigned char>("big", s[0], s[1]), "Matrix big too large") << s[0];
}

TEST(Access, TruncatesAfterTheRangeTestAndReportsWithTheName) {
  M<double> a = crow({1, 2, 3}, {-1, -2, -3});
  a.setname("a");
  EXPECT_EQ(*a.r(2.7), 2);  // truncation, not rounding
  EXPECT_EQ(*a.i(1, 2.9), -2);
  const M<double> b(0, 3, 2);
  EXPECT_EQ(b.r(2, 2), b.addr() + 4);  // linear element 5
  for (double k : {0.99, 3.5, nan_d, 1e300}) {
    EXPECT_ERROR(a.r(k), "a.r(idx): idx out of matrix") << k;
    EXPECT_ERROR(a.i(k), "a.i(idx): idx out of matrix") << k;
  }
  const double pairs[][2] = {{0.5, 1}, {2, 1}, {1, 0.5}, {1, 3.01}, {nan_d, 1}, {1, nan_d}};
  for (auto& p : pairs) {
    EXPECT_ERROR(a.r(p[0], p[1]), "a.r(row,col): row or col out of matrix") << p[0] << p[1];
    EXPECT_ERROR(a.i(p[0], p[1]), "a.i(row,col): row or col out of matrix") << p[0] << p[1];
  }
  EXPECT_ERROR(M<double>().r(), "?.r(): matrix is empty");
  EXPECT_ERROR(M<double>(1, 0, 0).i(), "?.i(): matrix is empty");
}

TEST(Value, GetrealGetcomplexDeepcopyIszerooneAndAnalyze) {
  // getreal says whether the matrix is still complex: NaN is not zero (nor is -0.0 elsewhere).
  EXPECT_EQ(crow({1, 2}, {0.0, nan_d}).getreal(), 1);
  EXPECT_EQ(M<double>(1, 0, 0).getreal(), 0);
  M<int> t = M<int>("ab");
  EXPECT_EQ(t.getcomplex(), 1);
  // The kind survives.
  EXPECT_TRUE(Is(t, 1, 2, {97, 98}, {0, 0}));
  EXPECT_EQ(t.getdm(), 1);
  M<double> d;
  d.deepcopy(1, crow({1, 2}, {3, 4}));
  EXPECT_TRUE(Is(d, 1, 2, {1, 2}, {3, 4}));
  // iszeroone truncates (imaginary parts ignored); NaN, 2 and an empty matrix are no 0-1 index.
  EXPECT_EQ(row({0.5, 1.5, 1.99, -0.99}).iszeroone(), 2);
  EXPECT_EQ(crow({1, 0}, {5, 5}).iszeroone(), 1);
  for (const M<double>& x : {row({1, nan_d}), row({0, 2}), M<double>()})
    EXPECT_EQ(x.iszeroone(), -1) << x.size();
  int lo = 9, hi = 9, ones = 9;
  row({1, -3, 2.6}).analyze(lo, hi, ones);
  EXPECT_EQ(lo, -2);
  EXPECT_EQ(hi, 3);
  EXPECT_EQ(ones, 1);
  // NaN reads as 0; values beyond int saturate.
  const int imax = 2147483647;
  const struct {
    M<double> k;
    int lo, hi;
  } summaries[] = {{row({nan_d, 3}), 0, 3},
                   {row({nan_d, -5}), -4, 0},
                   {row({nan_d}), 0, 0},
                   {row({1e300, -1e300}), -imax - 1, imax}};
  for (const auto& c : summaries) {
    c.k.analyze(lo, hi, ones);
    EXPECT_EQ(lo, c.lo) << "case " << &c - summaries;
    EXPECT_EQ(hi, c.hi) << "case " << &c - summaries;
    EXPECT_EQ(ones, 0) << "case " << &c - summaries;
  }
}
