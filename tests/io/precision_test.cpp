// precision_test.cpp: the precision names, the element conversions in every precision and
// byte order against bytes worked out by hand, byte reversal and the swap-flag rule.
#include <algorithm>
#include <cmath>
#include <limits>

#include "io_support.h"

namespace {

using namespace korvex;
using namespace korvex_test;

const double inf = std::numeric_limits<double>::infinity();
const double nan_pos = std::numeric_limits<double>::quiet_NaN();
const double nan_neg = -std::numeric_limits<double>::quiet_NaN();

TEST(Precision, EveryNameAndItsSize) {
  const struct {
    const char* name;
    int code, size;
  } rows[] = {
      {"long", 1, 4},           {"int", 1, 4},          {"integer*4", 1, 4},     {"int32", 1, 4},
      {"unsigned long", 2, 4},  {"unsigned int", 2, 4}, {"ulong", 2, 4},         {"uint", 2, 4},
      {"short", 3, 2},          {"int16", 3, 2},        {"integer*2", 3, 2},     {"ushort", 4, 2},
      {"unsigned short", 4, 2}, {"char", 5, 1},         {"char*1", 5, 1},        {"schar", 6, 1},
      {"signed char", 6, 1},    {"uchar", 7, 1},        {"unsigned char", 7, 1}, {"double", 8, 8},
      {"float64", 8, 8},        {"real*8", 8, 8},       {"float", 9, 4},         {"float32", 9, 4},
      {"real*4", 9, 4},
  };
  for (const auto& row : rows) {
    int size = 0;
    EXPECT_EQ(precision_code(row.name, size), row.code) << row.name;
    EXPECT_EQ(size, row.size) << row.name;
  }
}

TEST(PrecisionDeath, UnknownNamesAndCodes) {
  int size;
  for (const char* name : {"Double", "int8", "uint8", "double ", "unsigned", ""})
    EXPECT_ERROR(precision_code(name, size), std::string("fileio: unknown precision ") + name);
  double x = 0;  // a code outside the table
  EXPECT_ERROR(fread(x, stdin, static_cast<Precision>(0), 0), "fread: unknown precision");
  EXPECT_ERROR(fwrite(x, stdout, static_cast<Precision>(10), 0), "fwrite: unknown precision");
}

// swap2/4/8 are the public byte reversals; the block loops have their own.
TEST(Precision, ByteReversal) {
  unsigned char b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  swap2(b);
  EXPECT_EQ(Bytes(b, b + 8), (Bytes{2, 1, 3, 4, 5, 6, 7, 8}));
  swap4(b);
  EXPECT_EQ(Bytes(b, b + 8), (Bytes{4, 3, 1, 2, 5, 6, 7, 8}));
  swap8(b);
  EXPECT_EQ(Bytes(b, b + 8), (Bytes{8, 7, 6, 5, 2, 1, 3, 4}));
}

// One element per row: the value written, its bytes least significant first (worked out by
// hand), and the value read back from them.
struct ElementRow {
  const char* precision;
  double written;
  Bytes little;
  double read;
};

const ElementRow element_rows[] = {
    // signed 32-bit: truncation toward zero, saturation, NaN by its sign
    {"int32", -1, {0xFF, 0xFF, 0xFF, 0xFF}, -1},
    {"int32", 3.9, {0x03, 0x00, 0x00, 0x00}, 3},
    {"int32", -3.9, {0xFD, 0xFF, 0xFF, 0xFF}, -3},
    {"int32", 2147483647.5, {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647},
    {"int32", -inf, {0x00, 0x00, 0x00, 0x80}, -2147483648.0},
    {"int32", nan_pos, {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647},
    {"int32", nan_neg, {0x00, 0x00, 0x00, 0x80}, -2147483648.0},
    // unsigned 32-bit: the top bit comes back from 2^31 up; negatives in two's complement
    {"uint", 4294967295.9, {0xFF, 0xFF, 0xFF, 0xFF}, 4294967295.0},
    {"uint", 3e9, {0x00, 0x5E, 0xD0, 0xB2}, 3e9},
    {"uint", 2147483648.0, {0x00, 0x00, 0x00, 0x80}, 2147483648.0},
    {"uint", -1, {0xFF, 0xFF, 0xFF, 0xFF}, 4294967295.0},
    {"uint", 1e10, {0xFF, 0xFF, 0xFF, 0xFF}, 4294967295.0},
    {"uint", nan_pos, {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647},
    // 16 and 8 bits: the low bits of the 32-bit conversion, so they wrap
    {"int16", -3.9, {0xFD, 0xFF}, -3},
    {"int16", 32768, {0x00, 0x80}, -32768},
    {"int16", 70000, {0x70, 0x11}, 4464},
    {"int16", 1e10, {0xFF, 0xFF}, -1},  // saturated at 32 bits first
    {"int16", nan_neg, {0x00, 0x00}, 0},
    {"ushort", -1, {0xFF, 0xFF}, 65535},
    {"ushort", 300.7, {0x2C, 0x01}, 300},
    {"char", 128, {0x80}, -128},
    {"schar", 255, {0xFF}, -1},
    {"uchar", 300, {0x2C}, 44},
    {"uchar", -1, {0xFF}, 255},
    {"uchar", nan_pos, {0xFF}, 255},
    // doubles unchanged, signed zero and NaN included
    {"double", 0.1, {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F}, 0.1},
    {"double", -0.0, {0, 0, 0, 0, 0, 0, 0, 0x80}, -0.0},
    {"double", nan_pos, {0, 0, 0, 0, 0, 0, 0xF8, 0x7F}, nan_pos},
    // singles rounded to nearest, ties to even, overflowing to infinity past the midpoint
    {"float", 0.1, {0xCD, 0xCC, 0xCC, 0x3D}, 0.100000001490116119384765625},
    {"float", -0.0, {0x00, 0x00, 0x00, 0x80}, -0.0},
    {"float", 1 + std::ldexp(1, -24), {0x00, 0x00, 0x80, 0x3F}, 1},
    {"float", 1 + 3 * std::ldexp(1, -24), {0x02, 0x00, 0x80, 0x3F}, 1 + std::ldexp(1, -22)},
    {"float", 3.40282356e38, {0xFF, 0xFF, 0x7F, 0x7F}, 340282346638528859811704183484516925440.0},
    {"float", std::ldexp(1, 128) - std::ldexp(1, 103), {0x00, 0x00, 0x80, 0x7F}, inf},
    {"float", -1e300, {0x00, 0x00, 0x80, 0xFF}, -inf},
    {"float", nan_pos, {0x00, 0x00, 0xC0, 0x7F}, nan_pos},
};

class ElementConversions : public Files {};

// Each row in the three machine formats: "l" gives the bytes as listed, "b" reversed and "n"
// the host's order.
TEST_F(ElementConversions, EveryRowInEveryByteOrder) {
  const std::string path = temp_path("element.bin");
  for (const ElementRow& row : element_rows) {
    for (const char* format : {"l", "b", "n"}) {
      SCOPED_TRACE(std::string(row.precision) + " " + std::to_string(row.written) + " " + format);
      Bytes want = row.little;
      const bool big = std::strcmp(format, "b") == 0 || (*format == 'n' && host_byte_order());
      if (big) std::reverse(want.begin(), want.end());

      M<double> fid = open_file(path, "wb", format);
      EXPECT_EQ(value(fwrite(fid, scalar(row.written), text(row.precision))), 1);
      fclose(fid);
      EXPECT_EQ(file_bytes(path), want);

      fid = open_file(path, "rb", format);
      M<double> got, count;
      fread(fid, scalar(inf), text(row.precision), i_o, Mr<double>(got), Mr<double>(count));
      fclose(fid);
      EXPECT_EQ(value(count), 1);
      ASSERT_EQ(got.size(), 1);
      EXPECT_TRUE(same(value(got), row.read)) << value(got);
    }
  }
}

// The swap flag: a file swaps when its order is not the host's, as byte_order_flag tells it
// (here set to either value, whatever this host is). An unknown machine format warns and is
// native.
TEST_F(ElementConversions, SwapFollowsTheHostFlag) {
  const struct {
    int flag;
    const char* format;
    bool swapped;
  } rows[] = {
      {0, "l", false},      {0, "ieee-be", true}, {0, "native", false}, {0, "vax", false},
      {1, "ieee-le", true}, {1, "b", false},      {1, "n", false},      {1, "B", false},
  };
  const std::string path = temp_path("swap.bin");
  testing::internal::CaptureStderr();
  for (const auto& row : rows) {
    byte_order_flag = row.flag;
    M<double> fid = open_file(path, "wb", row.format);
    fwrite(fid, scalar(1), text("int16"));
    fclose(fid);
    const bool big = host_byte_order() != row.swapped;
    EXPECT_EQ(file_bytes(path), (big ? Bytes{0, 1} : Bytes{1, 0})) << row.flag << " " << row.format;
  }
  const std::string warning =
      "warning: fopen: don't know how to convert from this machine format\n";
  EXPECT_EQ(testing::internal::GetCapturedStderr(), warning + warning);
}

// Blocks of elements pass through a buffer: a long array crosses its boundary (32768 int16
// elements), in column order.
TEST_F(ElementConversions, LongArrays) {
  const std::string path = temp_path("long.bin");
  const int n = 60000;
  M<double> a(0, 3, n / 3);
  Bytes want;
  for (int k = 0; k < n; k++) {
    a.addr()[k] = k - 30000;
    const unsigned v = static_cast<unsigned short>(static_cast<short>(k - 30000));
    want.insert(want.end(), {static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)});
  }
  M<double> fid = open_file(path, "wb", "b");
  EXPECT_EQ(value(fwrite(fid, a, text("short"))), n);
  fclose(fid);
  EXPECT_TRUE(file_bytes(path) == want);
  fid = open_file(path, "rb", "b");
  const M<double> back = fread(fid, scalar(inf), text("short"));
  EXPECT_TRUE(back.size() == n && std::equal(a.addr(), a.addr() + n, back.addr()));
}

// A failed element read keeps the caller's value, also when part of an element was there.
TEST(ElementFunctions, FailedReadKeepsTheValue) {
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  std::fputs("abc", f);
  std::rewind(f);
  double x = 7.5;
  EXPECT_EQ(fread(x, f, prec_double, 0), 0);
  EXPECT_EQ(x, 7.5);
  std::rewind(f);
  const int to_big = !host_byte_order();  // read most significant byte first
  EXPECT_EQ(fread(x, f, prec_uint16, to_big), 1);
  EXPECT_EQ(x, 'a' * 256 + 'b');
  EXPECT_EQ(fread(x, f, prec_int32, 0), 0);
  EXPECT_EQ(x, 'a' * 256 + 'b');
  std::fclose(f);
}

}  // namespace
