// Tests of the matrix value type: construction, sharing and copy on write, release, checked
// access, the element-type conversions and the value members.
#include "korvex.h"

#include <climits>
#include <cmath>
#include <csignal>
#include <new>
#include <vector>

#include <gtest/gtest.h>

using namespace korvex;

namespace {

const double nan_d = std::nan("");
const auto exit1 = testing::ExitedWithCode(1);

// A 1xN matrix of T, complex when im is given.
template <class T = double>
M<T> row(std::initializer_list<double> re, std::initializer_list<double> im = {}) {
  M<T> a(im.size() > 0, 1, static_cast<int>(re.size()));
  int k = 0;
  for (double x : re) a.addr()[k++] = static_cast<T>(x);
  k = 0;
  for (double x : im) a.addi()[k++] = static_cast<T>(x);
  return a;
}

template <class T>
void expect_elements(const T* p, std::initializer_list<double> v) {
  int k = 0;
  for (double x : v) EXPECT_EQ(static_cast<double>(p[k++]), x) << "element " << k;
}

}  // namespace

TEST(Construct, ShapesKindsNamesAndCapacity) {
  const M<double> empty;
  EXPECT_EQ(empty.rows() + empty.cols() + empty.isc() + empty.getdm(), 0);
  EXPECT_EQ(empty.getname(), nullptr);
  EXPECT_EQ(empty.getcapacity(), 6);
  const M<float> z(2, 3, 4);
  EXPECT_EQ(z.isc(), 1);
  EXPECT_EQ(z.getcapacity(), 18);
  EXPECT_EQ(z.addi() - z.addr(), 12 + 14);  // imaginary part count+14 slots after re
  const int empties[][2] = {{-1, 5}, {0, 5}, {5, 0}, {-2, -3}};  // all stored as 0x0
  for (auto& s : empties) EXPECT_EQ(M<int>(0, s[0], s[1]).rows(), 0) << s[0] << "x" << s[1];

  const M<double> t("abc");
  EXPECT_EQ(t.getdm(), 1);
  EXPECT_EQ(t.cols(), 3);
  EXPECT_EQ(t.addr()[2], 99);
  const M<double> none(static_cast<const char*>(nullptr));
  EXPECT_EQ(none.getdm() * 10 + none.size(), 10);
  // Codes 128..255 read as signed char, except in an unsigned char matrix.
  const char* s =
      "\xe9"
      "A\x80";
  expect_elements(M<double>(s).addr(), {-23, 65, -128});
  expect_elements(M<float>(s).addr(), {-23, 65, -128});
  expect_elements(M<int>(s).addr(), {-23, 65, -128});
  expect_elements(M<unsigned char>(s).addr(), {233, 65, 128});
  // Text of the absent-argument name stays the filler; equal text elsewhere does not.
  EXPECT_EQ(M<double>(missing_name).getname(), missing_name);
  EXPECT_EQ(M<double>("l_M").getname(), nullptr);
}

TEST(Construct, ScalarTruncatesTowardZeroThenKeepsTheLowByte) {
  // NaN and values beyond int's range, undefined in C++, give 0 and saturate.
  const double rows[][3] = {{2.9, 2, 2},          {-2.9, -2, 254},     {300, 300, 44},
                            {-1, -1, 255},        {256, 256, 0},       {nan_d, 0, 0},
                            {1e10, INT_MAX, 255}, {-1e10, INT_MIN, 0}, {-0.5, 0, 0}};
  for (auto& r : rows) {
    EXPECT_EQ(*M<int>(r[0]).r(), r[1]) << r[0];
    EXPECT_EQ(*M<unsigned char>(r[0]).r(), r[2]) << r[0];
  }
  EXPECT_EQ(*M<float>(0.1).r(), 0.1f);
}

namespace {
template <class To, class From>
void expect_converts(const M<From>& src, std::initializer_list<double> re,
                     std::initializer_list<double> im) {
  const M<To> dst(src);
  EXPECT_EQ(dst.getname(), src.getname());
  EXPECT_EQ(dst.getdm(), src.getdm());
  EXPECT_EQ(dst.size(), src.size());
  EXPECT_EQ(dst.pc(), 1);
  expect_elements(dst.addr(), re);
  ASSERT_EQ(dst.isc(), src.isc());
  if (dst.isc()) expect_elements(dst.addi(), im);
}
template <class T>
M<T> named_text(M<T> a) {
  a.setname("src");
  a.setdm(1);
  return a;
}
}  // namespace

TEST(Convert, AllTwelvePairsConvertRealThenImaginaryParts) {
  const auto d = named_text(row<double>({2.75, -2.5, 300}, {-1.5, 1e10, 0.5}));
  expect_converts<float>(d, {2.75, -2.5, 300}, {-1.5, 1e10, 0.5});
  expect_converts<int>(d, {2, -2, 300}, {-1, INT_MAX, 0});
  expect_converts<unsigned char>(d, {2, 254, 44}, {255, 255, 0});
  const auto f = named_text(row<float>({3.5, -7.25, 511}, {-0.75, 1, 2}));
  expect_converts<double>(f, {3.5, -7.25, 511}, {-0.75, 1, 2});
  expect_converts<int>(f, {3, -7, 511}, {0, 1, 2});
  expect_converts<unsigned char>(f, {3, 249, 255}, {0, 1, 2});
  const auto n = named_text(row<int>({-1, 300, 16777217}, {256, -256, 7}));
  expect_converts<double>(n, {-1, 300, 16777217}, {256, -256, 7});
  expect_converts<float>(n, {-1, 300, 16777216}, {256, -256, 7});  // nearest float
  expect_converts<unsigned char>(n, {255, 44, 1}, {0, 0, 7});
  const auto b = named_text(row<unsigned char>({0, 200, 255}, {1, 2, 3}));
  expect_converts<double>(b, {0, 200, 255}, {1, 2, 3});
  expect_converts<float>(b, {0, 200, 255}, {1, 2, 3});
  expect_converts<int>(b, {0, 200, 255}, {1, 2, 3});
  expect_converts<int>(row({-0.5, 1.5}), {0, 1}, {});  // real stays real
  expect_converts<double>(M<int>(), {}, {});
}

TEST(Share, CopiesShareOneCountedBlockNamesFollowTheRule) {
  M<double> a("a", 1, 1);
  *a.r() = 4;
  {
    M<double> b("b", 0, 0);
    b = a;
    EXPECT_EQ(b.addr(), a.addr());
    EXPECT_EQ(a.dirty() + b.dirty(), 2);
    EXPECT_STREQ(b.getname(), "b");  // assignment keeps the destination's name
    const M<double> c(a);
    EXPECT_STREQ(c.getname(), "a");  // the copy constructor carries it
    M<double>& self = b;
    b = self;
    b = c;  // already sharing: the release must not free the block
    EXPECT_EQ(a.pc(), 3);
    EXPECT_EQ(*b.r(), 4);
  }
  EXPECT_EQ(a.dirty(), 0);
}

TEST(Share, WritersNeverChangeAnotherSharer) {
  const M<double> a = row({1, 2, 3});
  M<double> b(a), c(a), d(a);
  b.getcomplex();
  b.addr()[0] = 9;
  c = 5.0;
  d.deepcopy(0, d);
  d.addr()[2] = 8;
  EXPECT_EQ(a.pc(), 1);
  EXPECT_EQ(a.isc(), 0);
  expect_elements(a.addr(), {1, 2, 3});
  expect_elements(b.addi(), {0, 0, 0});
  M<int> t("t", 0, 0);
  t = "xyz";
  EXPECT_EQ(t.getdm(), 1);
  t = 2.5;  // a scalar resets the kind and keeps the name
  EXPECT_EQ(t.getdm() * 10 + *t.r(), 2);
  EXPECT_STREQ(t.getname(), "t");
}

TEST(Release, BlocksUpTo256BytesComeFromThePoolRealOrComplex) {
  // 2*(count+14)*sizeof(T) <= 256: double up to 2 elements, float and int 18, bytes 114.
  const int rows[][5] = {{0, 0, 1, 1, 1},  {1, 2, 1, 1, 1},   {0, 3, 0, 1, 1},  {1, 18, 0, 1, 1},
                         {0, 19, 0, 0, 1}, {1, 114, 0, 0, 1}, {0, 115, 0, 0, 0}};
  for (auto& r : rows) {
    const int before = fs_used;
    {
      const M<double> d(r[0], 1, r[1]);
      const M<float> f(r[0], 1, r[1]);
      const M<int> n(r[0], r[1], 1);
      const M<unsigned char> b(r[0], r[1], 1);
      EXPECT_EQ(fs_used - before, r[2] + 2 * r[3] + r[4]) << r[1];
    }
    EXPECT_EQ(fs_used, before) << r[1];
  }
  // After losing its imaginary part a block still goes back where it came from
  // (AddressSanitizer reports a block freed through the wrong allocator).
  const int before = fs_used;
  {
    M<double> small = row({1, 2}, {0, -0.0}), big = row({1, 2, 3}, {0, 0, 0});
    EXPECT_EQ(small.getreal() + big.getreal(), 0);
    EXPECT_EQ(fs_used, before + 1);
  }
  EXPECT_EQ(fs_used, before);
}

TEST(Release, DestructionChecksTheShareCountAndTheDestroyedMark) {
  M<double> a("a", 1, 1);
  std::vector<M<double>> copies(999, a);
  copies.pop_back();  // the destructor reads 1000: fine
  copies.push_back(a);
  // Making the 1001st sharer works; destroying any sharer then reports.
  EXPECT_EXIT(
      {
        M<double> extra(a);
        copies.pop_back();
      },
      exit1, "^error: PC too big for matrix a\n$");
  EXPECT_EXIT(M<double>(1.0).setpc(-1), exit1, "^error: PC too small for matrix \\?\n$");
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
        testing::KilledBySignal(SIGABRT), "^matrix\\.cpp:[0-9]+: failed assertion `type!=-1'\n$");
}

TEST(Release, SizeLimitIs268435438ElementsWithoutWrapAround) {
  {
    const M<unsigned char> largest("big", 268435438, 1);
    EXPECT_EQ(largest.getcapacity(), 268435444);
  }
  // The last three products wrap to small or negative values in 32 bits.
  const int shapes[][2] = {
      {268435439, 1}, {1, 268435439}, {65536, 65536}, {46341, 46341}, {INT_MAX, INT_MAX}};
  for (auto& s : shapes)
    EXPECT_EXIT(M<unsigned char>("big", s[0], s[1]), exit1, "^error: Matrix big too large\n$")
        << s[0] << "x" << s[1];
  EXPECT_EXIT(M<double>(1, 268435439, 1), exit1, "^error: Matrix \\? too large\n$");
}

TEST(Access, TruncatesAfterTheRangeTestAndReportsWithTheName) {
  M<double> a = row({1, 2, 3}, {-1, -2, -3});
  EXPECT_EQ(*a.r(2.7), 2);  // truncation, not rounding
  EXPECT_EQ(*a.i(2.9), -2);
  EXPECT_EQ(a.i(1, 2.5), a.addi() + 1);
  const M<double> b(0, 3, 2);
  EXPECT_EQ(b.r(2, 2), b.addr() + 4);  // linear element 5
  EXPECT_EQ(b.r(2.9, 1.2), b.addr() + 1);

  a.setname("a");
  for (double k : {0.99, 3.5, -1.0, nan_d, 1e300}) {
    EXPECT_EXIT(a.r(k), exit1, "^error: a\\.r\\(idx\\): idx out of matrix\n$") << k;
    EXPECT_EXIT(a.i(k), exit1, "^error: a\\.i\\(idx\\): idx out of matrix\n$") << k;
  }
  const double pairs[][2] = {{0, 1}, {2, 1}, {1, 0}, {1, 3.01}, {nan_d, 1}, {1, nan_d}};
  for (auto& p : pairs) {
    EXPECT_EXIT(a.r(p[0], p[1]), exit1, "^error: a\\.r\\(row,col\\): row or col out of matrix\n$");
    EXPECT_EXIT(a.i(p[0], p[1]), exit1, "^error: a\\.i\\(row,col\\): row or col out of matrix\n$");
  }
  const M<double> empty;
  EXPECT_EXIT(empty.r(), exit1, "^error: \\?\\.r\\(\\): matrix is empty\n$");
  EXPECT_EXIT(empty.i(), exit1, "^error: \\?\\.i\\(\\): matrix is empty\n$");
}

TEST(Value, GetrealGetcomplexAndDeepcopy) {
  const struct {
    M<double> x;
    int still_complex;
  } rows[] = {{row({1, 2}, {0.0, -0.0}), 0},
              {row({1, 2}, {0.0, nan_d}), 1},
              {row({1, 2}, {1e-300, 0}), 1},
              {M<double>(1, 0, 0), 0},
              {row({1}), 0}};
  for (auto& r : rows) {
    M<double> x = r.x;
    EXPECT_EQ(x.getreal(), r.still_complex) << r.x.size();
    EXPECT_EQ(x.isc(), r.still_complex) << r.x.size();
  }
  M<int> t("t", 0, 0);
  t = "ab";
  EXPECT_EQ(t.getcomplex(), 1);
  EXPECT_EQ(t.getdm(), 1);  // the kind survives, the name stays
  EXPECT_STREQ(t.getname(), "t");
  expect_elements(t.addr(), {97, 98});
  expect_elements(t.addi(), {0, 0});
  const int* before = t.addr();
  t.getcomplex();  // already complex: left alone
  EXPECT_EQ(t.addr(), before);
  M<double> d;
  d.deepcopy(1, row({1, 2}, {3, 4}));
  expect_elements(d.addi(), {3, 4});
  d.deepcopy(0, d);
  EXPECT_EQ(d.isc(), 0);
}

TEST(Value, IszerooneAndAnalyzeReadIndexMatrices) {
  const struct {
    M<double> x;
    int zeroone;
  } rows[] = {{row({0, 1, 1}), 2},   {row({0, 0}), 0},        {M<double>(), -1},
              {row({0, 2}), -1},     {row({0.5, 1.5}), 1},    {row({1.99, -0.99}), 1},
              {row({1, nan_d}), -1}, {row({1, 0}, {5, 5}), 1}};
  for (auto& r : rows) EXPECT_EQ(r.x.iszeroone(), r.zeroone) << r.x.size();
  EXPECT_EQ(row<unsigned char>({1, 0, 1}).iszeroone(), 2);
  EXPECT_EQ(row<int>({1, -1}).iszeroone(), -1);

  int lo = 9, hi = 9, ones = 9;
  row({1, -3, 2.6}).analyze(lo, hi, ones);
  EXPECT_EQ(lo * 100 + hi * 10 + ones, -200 + 30 + 1);
  M<double>().analyze(lo, hi, ones);
  EXPECT_EQ(lo * 100 + hi * 10 + ones, 0);
  row<unsigned char>({7, 3, 200}).analyze(lo, hi, ones);
  EXPECT_EQ(lo * 1000 + hi, 3200);
}
