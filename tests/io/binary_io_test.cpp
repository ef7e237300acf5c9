// binary_io_test.cpp: fread's size forms, counts and skips, and fwrite's skips and argument
// checks, on real files.
#include <limits>

#include "io_support.h"

namespace {

using namespace korvex;
using namespace korvex_test;

const double inf = std::numeric_limits<double>::infinity();
const double nan_value = std::numeric_limits<double>::quiet_NaN();

class BinaryIo : public Files {
 protected:
  // The bytes 1..10 in a file opened for reading.
  M<double> ten_bytes() {
    const std::string path = temp_path("ten.bin");
    write_file(path, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    return open_file(path, "rb", "l");
  }
};

// The result's shape follows the size and the bytes left; elements the file does not fill
// stay 0, and the count says how many were read.
TEST_F(BinaryIo, SizeForms) {
  const struct {
    M<double> size;
    const char* precision;
    int rows, cols;
    std::vector<double> values;  // row by row
    double count;
  } cases[] = {
      {scalar(inf), "uchar", 10, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10},
      {row({4, inf}), "uchar", 4, 3, {1, 5, 9, 2, 6, 10, 3, 7, 0, 4, 8, 0}, 10},
      {row({inf, inf}), "uchar", 10, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10},
      {scalar(3.7), "uchar", 3, 1, {1, 2, 3}, 3},
      {scalar(20), "uchar", 10, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10},
      {row({2, 3}), "uchar", 2, 3, {1, 3, 5, 2, 4, 6}, 6},
      {row({1, 1e12}), "uchar", 1, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10},
      {row({3, inf}), "int16", 3, 2, {513, 2055, 1027, 2569, 1541, 0}, 5},
      // two whole int32 elements; the third has only two bytes and stays 0
      {row({2, 2}), "int32", 2, 2, {67305985, 0, 134678021, 0}, 2},
      {scalar(0), "uchar", 0, 0, {}, 0},
      {scalar(-3), "uchar", 0, 0, {}, 0},
      {row({0, inf}), "uchar", 0, 0, {}, 0},
      {row({3, 0}), "uchar", 0, 0, {}, 0},
      {scalar(nan_value), "uchar", 0, 0, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.precision) + " size " + std::to_string(c.size.addr()[0]));
    const M<double> fid = ten_bytes();
    M<double> values, count;
    fread(fid, c.size, text(c.precision), i_o, Mr<double>(values), Mr<double>(count));
    EXPECT_TRUE(Is(values, c.rows, c.cols, c.values));
    EXPECT_EQ(value(count), c.count);
    fclose(fid);
  }
}

TEST_F(BinaryIo, PrecisionInPlaceOfTheSize) {
  const M<double> fid = ten_bytes();
  EXPECT_TRUE(Is(fread(fid, text("int16")), 5, 1, {513, 1027, 1541, 2055, 2569}));
  frewind(fid);
  // The precision argument is then ignored; the skip is kept.
  M<double> values, count;
  fread(fid, text("int16"), text("double"), scalar(2), i_o, Mr<double>(values), Mr<double>(count));
  EXPECT_TRUE(Is(values, 5, 1, {513, 1541, 2569, 0, 0}));
  EXPECT_EQ(value(count), 3);
}

TEST_F(BinaryIo, ReadsFromThePosition) {
  const M<double> fid = ten_bytes();
  fseek(fid, scalar(7), text("bof"));
  EXPECT_TRUE(Is(fread(fid), 3, 1, {8, 9, 10}));
  M<double> values, count;
  fread(fid, i_o, Mr<double>(values), Mr<double>(count));  // at the end
  EXPECT_EQ(values.size(), 0);
  EXPECT_EQ(value(count), 0);
}

// A skip moves forward after every element read; reading stops at the first failed read.
TEST_F(BinaryIo, ReadSkips) {
  const struct {
    M<double> size;
    M<double> skip;
    std::vector<double> values;
    double count;
  } cases[] = {
      {scalar(3), scalar(1.4), {1, 3, 5}, 3},
      {scalar(3), scalar(0.5), {1, 3, 5}, 3},
      {scalar(inf), scalar(3), {1, 5, 9, 0, 0, 0, 0, 0, 0, 0}, 3},
      {scalar(4), scalar(1e300), {1, 0, 0, 0}, 1},  // saturates: one element, then past the end
      {scalar(4), text("x"), {1, 2, 3, 4}, 4},      // text counts as 0
      {scalar(4), scalar(-1), {1, 2, 3, 4}, 4},     // -0.5 truncated: 0
  };
  for (const auto& c : cases) {
    const M<double> fid = ten_bytes();
    M<double> values, count;
    fread(fid, c.size, text("uchar"), c.skip, i_o, Mr<double>(values), Mr<double>(count));
    EXPECT_TRUE(Is(values, static_cast<int>(c.values.size()), 1, c.values)) << c.skip.addr()[0];
    EXPECT_EQ(value(count), c.count);
    fclose(fid);
  }
}

TEST_F(BinaryIo, WriteSkipsLeaveHoles) {
  const std::string path = temp_path("holes.bin");
  M<double> fid = open_file(path, "wb", "l");
  EXPECT_EQ(value(fwrite(fid, row({1, 2, 3}), text("uchar"), scalar(2))), 3);
  EXPECT_EQ(value(fwrite(fid, row({9}), text("int16"), scalar(0.4))), 1);
  EXPECT_EQ(value(fwrite(fid, M<double>(0, 0, 0))), 0);
  EXPECT_EQ(value(fwrite(fid, crow({5, 6}, {7, 8}))), 2);  // real parts only
  fclose(fid);
  // Each element is followed by a 2-byte move; the hole at the end is never written.
  EXPECT_EQ(file_bytes(path), (Bytes{1, 0, 0, 2, 0, 0, 3, 0, 0, 9, 0, 5, 6}));
}

TEST_F(BinaryIo, ArgumentErrors) {
  const M<double> fid = ten_bytes();
  M<double> skip = scalar(-1.5);  // -1 rounds to 0 and is no error
  skip.setname("gap");
  EXPECT_ERROR(fread(fid, scalar(1), text("uchar"), skip), "fread: skip<0. skip is gap");
  EXPECT_ERROR(fwrite(fid, scalar(1), text("uchar"), skip), "fwrite: skip<0. skip is gap");
  EXPECT_ERROR(fwrite(fid, scalar(1), scalar(8)), "fwrite: precision not a string");
  EXPECT_ERROR(fread(fid, scalar(1), text("int64")), "fileio: unknown precision int64");
  EXPECT_ERROR(fread(fid, M<double>("sz", 0, 0)), "sz.r(): matrix is empty");
}

// The standard fids: standard output and error have nothing to read; writing to standard
// output lands there after the text already written.
TEST_F(BinaryIo, StandardFids) {
  M<double> values, count;
  fread(scalar(1), scalar(inf), text("uchar"), scalar(0), i_o, Mr<double>(values),
        Mr<double>(count));
  EXPECT_EQ(values.size(), 0);
  EXPECT_EQ(value(count), 0);
  testing::internal::CaptureStdout();
  EXPECT_EQ(value(fwrite(scalar(1), text("ok\n"))), 3);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ok\n");
}

}  // namespace
