// Tests of the matrix value type: construction, sharing and copy on write, release, checked
// access, the element-type conversions and the value members.
#include "korvex.h"

#include <climits>
#include <cmath>
#include <csignal>
#include <limits>
#include <new>
#include <vector>

#include <gtest/gtest.h>

using namespace korvex;

namespace {

const double nan_d = std::numeric_limits<double>::quiet_NaN();

template <class T>
M<T> row(std::initializer_list<double> v) {
  M<T> a(0, 1, static_cast<int>(v.size()));
  int k = 0;
  for (double x : v) a.addr()[k++] = static_cast<T>(x);
  return a;
}

M<double> complex_row(std::initializer_list<double> re, std::initializer_list<double> im) {
  M<double> a(1, 1, static_cast<int>(re.size()));
  int k = 0;
  for (double x : re) a.addr()[k++] = x;
  k = 0;
  for (double x : im) a.addi()[k++] = x;
  return a;
}

}  // namespace

// ============================================================================================
// Construction
// ============================================================================================

TEST(Construct, ShapesKindsAndNames) {
  M<double> empty;
  EXPECT_EQ(empty.rows(), 0);
  EXPECT_EQ(empty.cols(), 0);
  EXPECT_EQ(empty.isc(), 0);
  EXPECT_EQ(empty.getname(), nullptr);
  EXPECT_EQ(empty.getdm(), 0);
  EXPECT_EQ(empty.getcapacity(), 6);
  EXPECT_EQ(empty.pc(), 1);

  M<float> z(2, 3, 4);
  EXPECT_EQ(z.rows(), 3);
  EXPECT_EQ(z.cols(), 4);
  EXPECT_EQ(z.isc(), 1);
  EXPECT_EQ(z.getcapacity(), 18);
  EXPECT_EQ(z.addi() - z.addr(), 12 + 14);  // imaginary part after count+14 slots

  // Any empty shape, negative counts included, is stored as 0x0.
  const int shapes[][2] = {{-1, 5}, {0, 5}, {5, 0}, {-2, -3}};
  for (auto& s : shapes) {
    M<int> e(0, s[0], s[1]);
    EXPECT_EQ(e.rows(), 0) << s[0] << "x" << s[1];
    EXPECT_EQ(e.cols(), 0) << s[0] << "x" << s[1];
  }

  const char* name = "xx";
  M<unsigned char> named(name, 2, 1);
  EXPECT_EQ(named.getname(), name);
  EXPECT_EQ(named.size(), 2);
  EXPECT_EQ(named.isc(), 0);

  M<double> t("abc");
  EXPECT_EQ(t.getdm(), 1);
  EXPECT_EQ(t.rows(), 1);
  EXPECT_EQ(t.cols(), 3);
  EXPECT_EQ(t.addr()[2], 99);
  M<double> none(static_cast<const char*>(nullptr));
  EXPECT_EQ(none.getdm(), 1);
  EXPECT_EQ(none.size(), 0);
  EXPECT_EQ(M<int>("").size(), 0);
}

TEST(Construct, TextReadsSignedCharsExceptInUnsignedChar) {
  const char* s =
      "\xe9"
      "A\x80";
  EXPECT_EQ(M<double>(s).addr()[0], -23);
  EXPECT_EQ(M<float>(s).addr()[2], -128);
  EXPECT_EQ(M<int>(s).addr()[0], -23);
  EXPECT_EQ(M<int>(s).addr()[1], 65);
  EXPECT_EQ(M<unsigned char>(s).addr()[0], 233);
  EXPECT_EQ(M<unsigned char>(s).addr()[2], 128);
}

TEST(Construct, TextOfTheMissingNameStaysTheFiller) {
  M<double> filler(missing_name);
  EXPECT_TRUE(filler.issamename(missing_name));
  M<double> lookalike("l_M");  // same text, another pointer
  EXPECT_EQ(lookalike.getname(), nullptr);
  EXPECT_EQ(M<unsigned char>(missing_name).getname(), missing_name);
}

TEST(Construct, ScalarConvertsToTheElementType) {
  struct Row {
    double d;
    int as_int;
    int as_byte;
  };
  // Truncation toward zero, then the low 8 bits for unsigned char. NaN and values beyond
  // int's range, undefined in C++, give 0 and saturate.
  const Row rows[] = {
      {2.9, 2, 2},         {-2.9, -2, 254}, {300.0, 300, 44}, {-1.0, -1, 255},
      {255.7, 255, 255},   {256.0, 256, 0}, {nan_d, 0, 0},    {1e10, INT_MAX, 255},
      {-1e10, INT_MIN, 0}, {-0.5, 0, 0},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(*M<int>(r.d).r(), r.as_int) << r.d;
    EXPECT_EQ(*M<unsigned char>(r.d).r(), r.as_byte) << r.d;
  }
  EXPECT_EQ(*M<float>(0.1).r(), 0.1f);
  EXPECT_EQ(*M<double>(7).r(), 7.0);  // the int form forwards to the double one
}

// ============================================================================================
// Conversions between element types
// ============================================================================================

namespace {

template <class To, class From>
void expect_converts(const M<From>& src, std::initializer_list<double> re,
                     std::initializer_list<double> im) {
  const M<To> dst(src);
  ASSERT_EQ(dst.rows(), src.rows());
  ASSERT_EQ(dst.cols(), src.cols());
  EXPECT_EQ(dst.getname(), src.getname());
  EXPECT_EQ(dst.getdm(), src.getdm());
  EXPECT_EQ(dst.isc(), src.isc());
  EXPECT_EQ(dst.pc(), 1);  // a block of its own
  int k = 0;
  for (double x : re) EXPECT_EQ(static_cast<double>(dst.addr()[k++]), x) << "re " << k;
  k = 0;
  for (double x : im) EXPECT_EQ(static_cast<double>(dst.addi()[k++]), x) << "im " << k;
}

template <class T>
M<T> named_complex(const char* name, std::initializer_list<double> re,
                   std::initializer_list<double> im) {
  M<T> a(1, 1, static_cast<int>(re.size()));
  int k = 0;
  for (double x : re) a.addr()[k++] = static_cast<T>(x);
  k = 0;
  for (double x : im) a.addi()[k++] = static_cast<T>(x);
  a.setname(name);
  a.setdm(1);
  return a;
}

}  // namespace

TEST(Convert, AllTwelvePairsConvertRealAndImaginaryParts) {
  const M<double> d = named_complex<double>("d", {2.75, -2.5, 300}, {-1.5, 1e10, 0.5});
  expect_converts<float>(d, {2.75, -2.5, 300}, {-1.5, 1e10, 0.5});
  expect_converts<int>(d, {2, -2, 300}, {-1, INT_MAX, 0});
  expect_converts<unsigned char>(d, {2, 254, 44}, {255, 255, 0});

  const M<float> f = named_complex<float>("f", {3.5f, -7.25f, 511}, {-0.75f, 1, 2});
  expect_converts<double>(f, {3.5, -7.25, 511}, {-0.75, 1, 2});
  expect_converts<int>(f, {3, -7, 511}, {0, 1, 2});
  expect_converts<unsigned char>(f, {3, 249, 255}, {0, 1, 2});

  const M<int> n = named_complex<int>("n", {-1, 300, 16777217}, {256, -256, 7});
  expect_converts<double>(n, {-1, 300, 16777217}, {256, -256, 7});
  expect_converts<float>(n, {-1, 300, 16777216}, {256, -256, 7});  // nearest float
  expect_converts<unsigned char>(n, {255, 44, 1}, {0, 0, 7});

  const M<unsigned char> b = named_complex<unsigned char>("b", {0, 200, 255}, {1, 2, 3});
  expect_converts<double>(b, {0, 200, 255}, {1, 2, 3});
  expect_converts<float>(b, {0, 200, 255}, {1, 2, 3});
  expect_converts<int>(b, {0, 200, 255}, {1, 2, 3});

  // A real source gives a real result; an empty one an empty result.
  expect_converts<int>(row<double>({-0.5, 1.5}), {0, 1}, {});
  expect_converts<double>(M<int>(), {}, {});
}

// ============================================================================================
// Sharing, copy on write and release
// ============================================================================================

TEST(Share, CopiesShareOneBlockAndCountIt) {
  M<double> a("a", 1, 1);
  *a.r() = 4;
  {
    M<double> b("b", 0, 0);
    b = a;
    EXPECT_EQ(b.addr(), a.addr());
    EXPECT_EQ(a.dirty(), 1);
    EXPECT_EQ(b.dirty(), 1);
    EXPECT_STREQ(b.getname(), "b");  // assignment keeps the destination's name
    M<double> c(a);
    EXPECT_STREQ(c.getname(), "a");  // the copy constructor carries it
    EXPECT_EQ(a.pc(), 3);
    b = b;  // self-assignment changes nothing
    b = c;  // already sharing: the block must survive the release
    EXPECT_EQ(a.pc(), 3);
    EXPECT_EQ(*b.r(), 4);
  }
  EXPECT_EQ(a.pc(), 1);
  EXPECT_EQ(a.dirty(), 0);
}

TEST(Share, WritersNeverChangeAnotherSharer) {
  const M<double> a = row<double>({1, 2, 3});
  M<double> b(a);
  b.getcomplex();  // unshares before adding the imaginary part
  EXPECT_EQ(a.isc(), 0);
  EXPECT_EQ(b.isc(), 1);
  EXPECT_NE(b.addr(), a.addr());
  EXPECT_EQ(a.pc(), 1);
  b.addr()[0] = 9;
  EXPECT_EQ(a.addr()[0], 1);
  EXPECT_EQ(b.addi()[2], 0);

  M<double> c(a);
  c = 5.0;
  EXPECT_EQ(a.size(), 3);
  EXPECT_EQ(a.addr()[0], 1);
  c = "hi";
  EXPECT_EQ(c.getdm(), 1);
  EXPECT_EQ(c.size(), 2);
  EXPECT_EQ(a.pc(), 1);

  M<double> d(a);
  d.deepcopy(0, d);
  EXPECT_NE(d.addr(), a.addr());
  EXPECT_EQ(a.pc(), 1);
  EXPECT_EQ(d.addr()[2], 3);
}

TEST(Share, AssigningAScalarKeepsNameAndResetsKind) {
  M<int> t("t", 0, 0);
  t = "xyz";
  EXPECT_EQ(t.getdm(), 1);
  t = 2.5;
  EXPECT_EQ(t.getdm(), 0);
  EXPECT_STREQ(t.getname(), "t");
  EXPECT_EQ(t.size(), 1);
  EXPECT_EQ(*t.r(), 2);
}

TEST(Release, BlocksComeFromThePoolUpTo256BytesWhateverTheirKind) {
  struct Row {
    int c, count;
    int pool_double, pool_float, pool_byte;  // 1 when the block is a pool chunk
  };
  // double fits 2 elements, float and int 18, unsigned char 114: 2*(count+14)*size <= 256.
  const Row rows[] = {{0, 0, 1, 1, 1},  {1, 2, 1, 1, 1},   {0, 3, 0, 1, 1},  {1, 18, 0, 1, 1},
                      {0, 19, 0, 0, 1}, {1, 114, 0, 0, 1}, {0, 115, 0, 0, 0}};
  for (const Row& r : rows) {
    const int before = fs_used;
    {
      M<double> d(r.c, 1, r.count);
      M<float> f(r.c, 1, r.count);
      M<int> n(r.c, r.count, 1);
      M<unsigned char> b(r.c, r.count, 1);
      EXPECT_EQ(fs_used - before, r.pool_double + 2 * r.pool_float + r.pool_byte) << r.count;
    }
    EXPECT_EQ(fs_used, before) << r.count;
  }
}

TEST(Release, BlockGoesBackToItsSourceAfterLosingItsImaginaryPart) {
  const int before = fs_used;
  {
    M<double> small = complex_row({1, 2}, {0, -0.0});   // pool chunk
    M<double> big = complex_row({1, 2, 3}, {0, 0, 0});  // general allocator
    EXPECT_EQ(small.getreal(), 0);
    EXPECT_EQ(big.getreal(), 0);
    EXPECT_EQ(small.getcapacity(), 8);
    EXPECT_EQ(fs_used, before + 1);
  }  // AddressSanitizer reports a block freed through the wrong allocator
  EXPECT_EQ(fs_used, before);
}

TEST(Release, DestructionChecksTheShareCount) {
  M<double> a("a", 1, 1);
  {
    std::vector<M<double>> copies(999, a);
    EXPECT_EQ(a.pc(), 1000);
    copies.pop_back();  // the destructor reads 1000: fine
    copies.push_back(a);
    // Making the 1001st sharer works; destroying any sharer then reports.
    EXPECT_EXIT(
        {
          M<double> extra(a);
          copies.pop_back();
        },
        testing::ExitedWithCode(1), "^error: PC too big for matrix a\n$");
    EXPECT_EQ(a.pc(), 1000);
  }
  EXPECT_EQ(a.pc(), 1);
  EXPECT_EXIT(
      {
        M<double> bad(nullptr, 1, 1);
        bad.setpc(-1);
      },
      testing::ExitedWithCode(1), "^error: PC too small for matrix \\?\n$");
}

TEST(Release, DestroyingTwiceAsserts) {
  // Once while another sharer keeps the block, once after the last sharer released it.
  for (int shared = 0; shared < 2; ++shared)
    EXPECT_EXIT(
        {
          M<double> keep(2.0);
          alignas(M<double>) unsigned char raw[sizeof(M<double>)];
          M<double>* twice = shared ? new (raw) M<double>(keep) : new (raw) M<double>(3.0);
          twice->~M<double>();
          twice->~M<double>();
        },
        testing::KilledBySignal(SIGABRT), "^matrix\\.cpp:[0-9]+: failed assertion `type!=-1'\n$")
        << shared;
}

TEST(Release, SizeLimitIs268435438ElementsWithoutWrapAround) {
  {
    M<unsigned char> largest("big", 268435438, 1);
    EXPECT_EQ(largest.size(), 268435438);
    EXPECT_EQ(largest.getcapacity(), 268435444);
  }
  // The last three products would wrap to small or negative values in 32 bits.
  const int shapes[][2] = {
      {268435439, 1}, {1, 268435439}, {65536, 65536}, {46341, 46341}, {INT_MAX, INT_MAX}};
  for (auto& s : shapes)
    EXPECT_EXIT(M<unsigned char>("big", s[0], s[1]), testing::ExitedWithCode(1),
                "^error: Matrix big too large\n$")
        << s[0] << "x" << s[1];
  EXPECT_EXIT(M<double>(1, 268435439, 1), testing::ExitedWithCode(1),
              "^error: Matrix \\? too large\n$");
}

// ============================================================================================
// Checked element access
// ============================================================================================

TEST(Access, TruncatesIndicesAndAddressesColumnMajor) {
  M<double> a = complex_row({1, 2, 3, 4, 5, 6}, {-1, -2, -3, -4, -5, -6});
  a.setname("a");
  EXPECT_EQ(*a.r(2.7), 2);  // truncation, not rounding
  EXPECT_EQ(*a.i(5.9), -5);
  M<double> b(0, 3, 2);
  EXPECT_EQ(b.r(2, 2), b.addr() + 4);  // linear element 5
  EXPECT_EQ(b.r(2.9, 1.2), b.addr() + 1);
  EXPECT_EQ(b.addr(3, 2), b.addr() + 5);
  EXPECT_EQ(a.i(1, 6), a.addi() + 5);
  EXPECT_EQ(a.r(), a.addr());
}

TEST(Access, OutOfRangeIndicesReportWithTheMatrixName) {
  M<double> a = complex_row({1, 2, 3}, {0, 0, 0});
  a.setname("a");
  const M<double> empty;
  const double linear_bad[] = {0.99, 3.5, -1, nan_d, 1e300};
  for (double k : linear_bad) {
    EXPECT_EXIT(a.r(k), testing::ExitedWithCode(1), "^error: a\\.r\\(idx\\): idx out of matrix\n$")
        << k;
    EXPECT_EXIT(a.i(k), testing::ExitedWithCode(1), "^error: a\\.i\\(idx\\): idx out of matrix\n$")
        << k;
  }
  const double pair_bad[][2] = {{0, 1}, {2, 1}, {1, 0}, {1, 3.01}, {nan_d, 1}, {1, nan_d}};
  for (auto& p : pair_bad) {
    EXPECT_EXIT(a.r(p[0], p[1]), testing::ExitedWithCode(1),
                "^error: a\\.r\\(row,col\\): row or col out of matrix\n$");
    EXPECT_EXIT(a.i(p[0], p[1]), testing::ExitedWithCode(1),
                "^error: a\\.i\\(row,col\\): row or col out of matrix\n$");
  }
  EXPECT_EXIT(empty.r(), testing::ExitedWithCode(1), "^error: \\?\\.r\\(\\): matrix is empty\n$");
  EXPECT_EXIT(empty.i(), testing::ExitedWithCode(1), "^error: \\?\\.i\\(\\): matrix is empty\n$");
  EXPECT_EXIT(empty.r(1), testing::ExitedWithCode(1),
              "^error: \\?\\.r\\(idx\\): idx out of matrix\n$");
}

// ============================================================================================
// Value members
// ============================================================================================

TEST(Value, GetrealDropsOnlyAnAllZeroImaginaryPart) {
  M<double> z = complex_row({1, 2}, {0.0, -0.0});
  EXPECT_EQ(z.getreal(), 0);
  EXPECT_EQ(z.isc(), 0);
  EXPECT_EQ(z.addr()[1], 2);
  M<double> n = complex_row({1, 2}, {0.0, nan_d});
  EXPECT_EQ(n.getreal(), 1);
  M<double> w = complex_row({1, 2}, {1e-300, 0});
  EXPECT_EQ(w.getreal(), 1);
  M<double> e(1, 0, 0);
  EXPECT_EQ(e.isc(), 1);
  EXPECT_EQ(e.getreal(), 0);
  EXPECT_EQ(e.isc(), 0);
  M<double> r = row<double>({1});
  EXPECT_EQ(r.getreal(), 0);
}

TEST(Value, GetcomplexAndDeepcopyAddOrDropTheImaginaryPart) {
  M<int> t("t", 0, 0);
  t = "ab";
  EXPECT_EQ(t.getcomplex(), 1);
  EXPECT_EQ(t.getdm(), 1);  // deepcopy carries the kind
  EXPECT_STREQ(t.getname(), "t");
  EXPECT_EQ(t.addr()[1], 98);
  EXPECT_EQ(t.addi()[0], 0);
  int* same = t.addr();
  EXPECT_EQ(t.getcomplex(), 1);  // already complex: left alone
  EXPECT_EQ(t.addr(), same);

  const M<double> c = complex_row({1, 2}, {3, 4});
  M<double> d;
  d.deepcopy(1, c);
  EXPECT_NE(d.addi(), c.addi());
  EXPECT_EQ(d.addi()[1], 4);
  d.deepcopy(0, c);
  EXPECT_EQ(d.isc(), 0);
  EXPECT_EQ(d.addr()[1], 2);
}

TEST(Value, IszerooneCountsOnesOfA01Index) {
  struct Row {
    M<double> x;
    int expected;
  };
  const Row rows[] = {
      {row<double>({0, 1, 1}), 2},   {row<double>({0, 0}), 0},     {M<double>(), -1},
      {row<double>({0, 2}), -1},     {row<double>({0.5, 1.5}), 1}, {row<double>({1.99, -0.99}), 1},
      {row<double>({1, nan_d}), -1}, {row<double>({-1, 1}), -1},
  };
  for (const Row& r : rows) EXPECT_EQ(r.x.iszeroone(), r.expected) << r.x.size();
  EXPECT_EQ(row<unsigned char>({1, 0, 1, 1}).iszeroone(), 3);
  EXPECT_EQ(row<int>({1, -1}).iszeroone(), -1);
  EXPECT_EQ(complex_row({1, 0}, {5, 5}).iszeroone(), 1);  // imaginary parts are ignored
}

TEST(Value, AnalyzeGivesRoundedBoundsAndTheOnes) {
  int lo = 99, hi = 99, ones = 99;
  row<double>({1, -3, 2.6}).analyze(lo, hi, ones);
  EXPECT_EQ(lo, -2);
  EXPECT_EQ(hi, 3);
  EXPECT_EQ(ones, 1);
  M<double>().analyze(lo, hi, ones);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 0);
  EXPECT_EQ(ones, 0);
  row<double>({5, 4.5, 1.9}).analyze(lo, hi, ones);
  EXPECT_EQ(lo, 2);
  EXPECT_EQ(hi, 5);
  EXPECT_EQ(ones, 1);
  row<unsigned char>({7, 3, 200}).analyze(lo, hi, ones);
  EXPECT_EQ(lo, 3);
  EXPECT_EQ(hi, 200);
}

TEST(Value, RowcolSwapsTheShapeInPlace) {
  M<double> v = row<double>({1, 2, 3});
  double* p = v.addr();
  v.rowcol();
  EXPECT_EQ(v.rows(), 3);
  EXPECT_EQ(v.cols(), 1);
  EXPECT_EQ(v.addr(), p);
}
