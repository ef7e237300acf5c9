// precision_test.cpp: the precision names, the element conversions in every precision and
// byte order against bytes worked out by hand, byte reversal and the swap-flag rule.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "../support/matrix_builders.h"
#include "../support/started_runtime.h"
#include "file_helpers.h"

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

TEST(PrecisionDeath, NamesAreComparedExactly) {
  int size;
  for (const char* name : {"Double", "int8", "uint8", "double ", "unsigned", ""})
    EXPECT_ERROR(precision_code(name, size), std::string("fileio: unknown precision ") + name);
}

TEST(PrecisionDeath, CodeOutsideTheTable) {
  double x = 0;
  EXPECT_ERROR(fread(x, stdin, static_cast<Precision>(0), 0), "fread: unknown precision");
  EXPECT_ERROR(fwrite(x, stdout, static_cast<Precision>(10), 0), "fwrite: unknown precision");
}

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
    {"int32", 1, {0x01, 0x00, 0x00, 0x00}, 1},
    {"long", -1, {0xFF, 0xFF, 0xFF, 0xFF}, -1},
    {"int", 3.9, {0x03, 0x00, 0x00, 0x00}, 3},
    {"integer*4", -3.9, {0xFD, 0xFF, 0xFF, 0xFF}, -3},
    {"int32", 1e10, {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647},
    {"int32", -1e10, {0x00, 0x00, 0x00, 0x80}, -2147483648.0},
    {"int32", 2147483647.5, {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647},
    {"int32", inf, {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647},
    {"int32", -inf, {0x00, 0x00, 0x00, 0x80}, -2147483648.0},
    {"int32", nan_pos, {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647},
    {"int32", nan_neg, {0x00, 0x00, 0x00, 0x80}, -2147483648.0},
    {"int32", -0.0, {0x00, 0x00, 0x00, 0x00}, 0},
    // unsigned 32-bit: the top bit comes back from 2^31 up; negatives in two's complement
    {"uint", 4294967295.0, {0xFF, 0xFF, 0xFF, 0xFF}, 4294967295.0},
    {"ulong", 4294967295.9, {0xFF, 0xFF, 0xFF, 0xFF}, 4294967295.0},
    {"unsigned int", 2147483648.0, {0x00, 0x00, 0x00, 0x80}, 2147483648.0},
    {"unsigned long", 3e9, {0x00, 0x5E, 0xD0, 0xB2}, 3e9},
    {"uint", -1, {0xFF, 0xFF, 0xFF, 0xFF}, 4294967295.0},
    {"uint", 1e10, {0xFF, 0xFF, 0xFF, 0xFF}, 4294967295.0},
    {"uint", nan_pos, {0xFF, 0xFF, 0xFF, 0x7F}, 2147483647},
    // 16 and 8 bits: the low bits of the 32-bit conversion, so they wrap
    {"int16", 3.9, {0x03, 0x00}, 3},
    {"short", -3.9, {0xFD, 0xFF}, -3},
    {"integer*2", 32767, {0xFF, 0x7F}, 32767},
    {"int16", 32768, {0x00, 0x80}, -32768},
    {"int16", 70000, {0x70, 0x11}, 4464},
    {"int16", 1e10, {0xFF, 0xFF}, -1},
    {"int16", nan_neg, {0x00, 0x00}, 0},
    {"ushort", 65535, {0xFF, 0xFF}, 65535},
    {"unsigned short", -1, {0xFF, 0xFF}, 65535},
    {"ushort", 65536, {0x00, 0x00}, 0},
    {"ushort", 300.7, {0x2C, 0x01}, 300},
    {"char", 300, {0x2C}, 44},
    {"char*1", -1, {0xFF}, -1},
    {"char", 128, {0x80}, -128},
    {"schar", -128, {0x80}, -128},
    {"signed char", 255, {0xFF}, -1},
    {"uchar", 300, {0x2C}, 44},
    {"unsigned char", -1, {0xFF}, 255},
    {"uchar", 255.9, {0xFF}, 255},
    {"uchar", -0.5, {0x00}, 0},
    {"uchar", nan_pos, {0xFF}, 255},
    // doubles unchanged, signed zero and NaN included
    {"double", 1, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}, 1},
    {"float64", 0.1, {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F}, 0.1},
    {"real*8", -0.0, {0, 0, 0, 0, 0, 0, 0, 0x80}, -0.0},
    {"double", -inf, {0, 0, 0, 0, 0, 0, 0xF0, 0xFF}, -inf},
    {"double", nan_pos, {0, 0, 0, 0, 0, 0, 0xF8, 0x7F}, nan_pos},
    // singles rounded to nearest, ties to even, overflowing to infinity past the midpoint
    {"float", 1, {0x00, 0x00, 0x80, 0x3F}, 1},
    {"float32", 0.1, {0xCD, 0xCC, 0xCC, 0x3D}, 0.100000001490116119384765625},
    {"real*4", -0.0, {0x00, 0x00, 0x00, 0x80}, -0.0},
    {"float", 1 + std::ldexp(1, -24), {0x00, 0x00, 0x80, 0x3F}, 1},
    {"float", 1 + 3 * std::ldexp(1, -24), {0x02, 0x00, 0x80, 0x3F}, 1 + std::ldexp(1, -22)},
    {"float", 3.4028235e38, {0xFF, 0xFF, 0x7F, 0x7F}, 340282346638528859811704183484516925440.0},
    {"float", 3.40282356e38, {0xFF, 0xFF, 0x7F, 0x7F}, 340282346638528859811704183484516925440.0},
    {"float", std::ldexp(1, 128) - std::ldexp(1, 103), {0x00, 0x00, 0x80, 0x7F}, inf},
    {"float", -1e300, {0x00, 0x00, 0x80, 0xFF}, -inf},
    {"float", nan_pos, {0x00, 0x00, 0xC0, 0x7F}, nan_pos},
};

class ElementConversions : public Files {};

// Each row in the three machine formats: "l" gives the bytes as listed, "b" reversed and "n"
// the host's order (least significant first here, byte_order_flag 0).
TEST_F(ElementConversions, EveryRowInEveryByteOrder) {
  const unsigned short probe = 1;
  ASSERT_EQ(*reinterpret_cast<const unsigned char*>(&probe), 1) << "a little-endian host";
  ASSERT_EQ(byte_order_flag, 0);
  const std::string path = temp_path("element.bin");
  for (const ElementRow& row : element_rows) {
    for (const char* format : {"l", "b", "n"}) {
      SCOPED_TRACE(std::string(row.precision) + " " + std::to_string(row.written) + " " + format);
      Bytes want = row.little;
      if (std::strcmp(format, "b") == 0) std::reverse(want.begin(), want.end());

      M<double> fid = open_file(path, "wb", format);
      EXPECT_EQ(value(fwrite(fid, num(row.written), txt(row.precision))), 1);
      fclose(fid);
      EXPECT_EQ(file_bytes(path), want);

      fid = open_file(path, "rb", format);
      M<double> got, count;
      fread(fid, num(inf), txt(row.precision), i_o, Mr<double>(got), Mr<double>(count));
      fclose(fid);
      EXPECT_EQ(value(count), 1);
      ASSERT_EQ(got.size(), 1);
      EXPECT_TRUE(same(value(got), row.read)) << value(got);
    }
  }
}

// The swap flag: a file swaps when its order is not the host's, as byte_order_flag tells it.
// With the flag at 1 this host is taken for most-significant-first, so the bytes come out
// reversed from what they would be.
TEST_F(ElementConversions, SwapFollowsTheHostFlag) {
  const struct {
    int flag;
    const char* format;
    Bytes bytes;  // 1 written as "int16"
  } rows[] = {
      {0, "l", {1, 0}}, {0, "ieee-le", {1, 0}}, {0, "b", {0, 1}}, {0, "ieee-be", {0, 1}},
      {0, "n", {1, 0}}, {0, "native", {1, 0}},  {1, "l", {0, 1}}, {1, "ieee-le", {0, 1}},
      {1, "b", {1, 0}}, {1, "ieee-be", {1, 0}}, {1, "n", {1, 0}}, {1, "native", {1, 0}},
  };
  const std::string path = temp_path("swap.bin");
  for (const auto& row : rows) {
    byte_order_flag = row.flag;
    M<double> fid = open_file(path, "wb", row.format);
    fwrite(fid, num(1), txt("int16"));
    fclose(fid);
    byte_order_flag = 0;
    EXPECT_EQ(file_bytes(path), row.bytes) << row.flag << " " << row.format;
  }
}

TEST_F(ElementConversions, UnknownMachineFormatWarnsAndIsNative) {
  const std::string path = temp_path("unknown_format.bin");
  testing::internal::CaptureStderr();
  M<double> fid = open_file(path, "wb", "vax");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "warning: fopen: don't know how to convert from this machine format\n");
  fwrite(fid, num(258), txt("int16"));
  fclose(fid);
  EXPECT_EQ(file_bytes(path), (Bytes{2, 1}));
}

// A matrix goes out in column order; blocks of elements pass through a buffer, so a long
// array crosses its boundary (32768 int16 elements).
TEST_F(ElementConversions, ColumnOrderAndLongArrays) {
  const std::string path = temp_path("long.bin");
  M<double> fid = open_file(path, "wb", "b");
  fwrite(fid, by_rows(2, 2, {1, 2, 3, 4}), txt("int16"));
  fclose(fid);
  EXPECT_EQ(file_bytes(path), (Bytes{0, 1, 0, 3, 0, 2, 0, 4}));

  const int n = 60001;
  M<double> a(0, n, 1);
  for (int k = 0; k < n; k++) a.addr()[k] = k - 30000;
  fid = open_file(path, "wb", "b");
  EXPECT_EQ(value(fwrite(fid, a, txt("short"))), n);
  fclose(fid);
  const Bytes bytes = file_bytes(path);
  ASSERT_EQ(bytes.size(), 2u * n);
  for (int k : {0, 32767, 32768, 30000, n - 1}) {
    const unsigned v = static_cast<unsigned short>(static_cast<short>(k - 30000));
    EXPECT_EQ(bytes[2 * k], v >> 8) << k;
    EXPECT_EQ(bytes[2 * k + 1], v & 0xFF) << k;
  }
  fid = open_file(path, "rb", "b");
  M<double> back = fread(fid, num(inf), txt("short"));
  ASSERT_EQ(back.size(), n);
  for (int k = 0; k < n; k++) ASSERT_EQ(back.addr()[k], k - 30000) << k;
}

// A failed element read keeps the caller's value, also when part of an element was there.
TEST(ElementFunctions, FailedTransfersReportZero) {
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  std::fputs("abc", f);
  std::rewind(f);
  double x = 7.5;
  EXPECT_EQ(fread(x, f, prec_double, 0), 0);
  EXPECT_EQ(x, 7.5);
  std::rewind(f);
  EXPECT_EQ(fread(x, f, prec_uint16, 1), 1);
  EXPECT_EQ(x, 'a' * 256 + 'b');
  EXPECT_EQ(fread(x, f, prec_int32, 0), 0);
  EXPECT_EQ(x, 'a' * 256 + 'b');
  std::fclose(f);

  std::FILE* ro = std::fopen(temp_path("readonly.bin").c_str(), "w+");
  std::fclose(ro);
  ro = std::fopen(temp_path("readonly.bin").c_str(), "r");
  double y = 1;
  EXPECT_EQ(fwrite(y, ro, prec_uchar, 0), 0);
  std::fclose(ro);
}

}  // namespace
