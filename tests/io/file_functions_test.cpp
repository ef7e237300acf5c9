// file_functions_test.cpp: the fid table's life cycle, the fid check, fopenM's failures,
// fclose, and the stream queries feof, ferror, frewind, ftell and fseek.
#include <cmath>
#include <limits>

#include "io_support.h"

namespace {

using namespace korvex;
using namespace korvex_test;

const double nan_value = std::numeric_limits<double>::quiet_NaN();

class FidTable : public Files {};

// The lowest free fid is taken; fids 3..64 can all be in use, and closing one frees exactly
// that one for the next open.
TEST_F(FidTable, LowestFreeFidIsTakenAndReused) {
  const std::string path = temp_path("table.txt");
  write_file(path, {1});
  M<double> fid, message;
  fopenM(text(path), i_o, Mr<double>(fid), Mr<double>(message));
  EXPECT_EQ(value(fid), 3);
  EXPECT_TRUE(message.size() == 0 && !isstr(message));  // nop_M
  for (int f = 4; f <= 64; f++) ASSERT_EQ(value(open_file(path, "r")), f);
  EXPECT_EQ(value(fclose(scalar(40))), 0);
  fclose(scalar(64));
  const M<double> all = fopenM(text("all"));
  ASSERT_EQ(all.size(), 60);
  EXPECT_TRUE(all.addr()[36] == 39 && all.addr()[37] == 41 && all.addr()[59] == 63);
  EXPECT_EQ(value(open_file(path, "r")), 40);
  EXPECT_EQ(value(open_file(path, "r")), 64);
  EXPECT_ERROR(fopenM(text(path)), "Too many files");
  fclose(text("all"));
  EXPECT_TRUE(fopenM(text("all")).size() == 0);
}

// Closing every file leaves the standard fids working.
TEST_F(FidTable, CloseAllKeepsTheStandardFids) {
  const std::string path = temp_path("closeall.txt");
  write_file(path, {1, 2});
  open_file(path, "r");
  open_file(path, "r");
  EXPECT_TRUE(fclose(text("anything")).issamename(noval_name));
  EXPECT_EQ(value(feof(scalar(0))), 0);
  EXPECT_EQ(value(fwrite(scalar(2), text(""), text("uchar"))), 0);
  EXPECT_ERROR(feof(scalar(3)), "Fid not opened.");
}

// The fid is rounded half up (x + 0.5 truncated toward zero) and must be 0..64 and in use.
TEST_F(FidTable, FidCheck) {
  const std::string path = temp_path("check.txt");
  write_file(path, {1});
  open_file(path, "r");
  EXPECT_EQ(value(ftell(scalar(2.6))), 0);  // fid 3
  EXPECT_EQ(value(feof(scalar(3.4))), 0);   // fid 3
  EXPECT_EQ(value(feof(scalar(-0.6))), 0);  // fid 0, from -0.1 truncated
  for (double f : {-1.6, 64.5, nan_value}) EXPECT_ERROR(ftell(scalar(f)), "Illegal fid.") << f;
  EXPECT_ERROR(ftell(scalar(3.5)), "Fid not opened.");
  EXPECT_ERROR(feof(row({3, 3}, "twofids")), "Size of fid twofids not one.");
  EXPECT_ERROR(fread(M<double>("nofid", 0, 0)), "Size of fid nofid not one.");
}

TEST_F(FidTable, FailedOpens) {
  const struct {
    std::string name;
    const char* permission;
  } rows[] = {{temp_path("missing/none.txt"), "r"},
              {::testing::TempDir(), "r"},  // a directory
              {::testing::TempDir(), "w"},
              {temp_path("badmode.txt"), "q"}};
  for (const auto& row : rows) {
    testing::internal::CaptureStderr();
    M<double> fid, message;
    EXPECT_TRUE(
        fopenM(text(row.name), text(row.permission), i_o, Mr<double>(fid), Mr<double>(message))
            .issamename(noval_name));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "warning: Failed opening file: " + row.name + "\n");
    EXPECT_EQ(value(fid), -1) << row.name;
    EXPECT_TRUE(isstr(message));
    EXPECT_TRUE(issame(message, text("File error")));
  }
  // Nothing was recorded: the next open still gets fid 3.
  const std::string path = temp_path("after_failures.txt");
  write_file(path, {});
  EXPECT_EQ(value(open_file(path, "r")), 3);
}

// The standard fids cannot be closed. -1 from a failed open rounds to fid 0 (standard input),
// so the fid check never sees it as illegal: writing to it writes nothing.
TEST_F(FidTable, CloseRefusesStandardFids) {
  testing::internal::CaptureStderr();
  const M<double> failed = fopenM(text(temp_path("missing/x.bin")), text("wb"));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(value(fwrite(failed, scalar(7))), 0);
  for (double f : {2.4, -1.0})
    EXPECT_ERROR(fclose(M<double>(f)), "fclose: can not close stdin/stdout/stderr, fid is ?") << f;
  M<double> two = scalar(2);
  two.setname("stderrM");
  EXPECT_ERROR(fclose(two), "fclose: can not close stdin/stdout/stderr, fid is stderrM");
  EXPECT_ERROR(fclose(scalar(nan_value)), "Illegal fid.");  // not taken for a standard fid
  EXPECT_ERROR(fclose(scalar(9)), "Fid not opened.");
}

// ============================================================================================
// Queries and seeking
// ============================================================================================

class Streams : public Files {};

TEST_F(Streams, SeekAndTellAtTheEnds) {
  const std::string path = temp_path("seek.bin");
  write_file(path, {10, 11, 12, 13, 14, 15, 16});
  const M<double> fid = open_file(path, "rb");
  const struct {
    double offset;
    M<double> origin;
    double status, position;
  } rows[] = {
      {0, text("eof"), 0, 7},   {2, scalar(-1), 0, 2},    {2.9, text("cof"), 0, 4},
      {-1.9, scalar(0), 0, 3},  {-2, scalar(5), 0, 5},    {0, text("bof"), 0, 0},
      {-1, text("bof"), -1, 0}, {10, text("eof"), 0, 17}, {-20, scalar(1), -1, 17},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(value(fseek(fid, scalar(row.offset), row.origin)), row.status) << row.offset;
    EXPECT_EQ(value(ftell(fid)), row.position) << row.offset;
  }
  fseek(fid, scalar(0), text("eof"));
  EXPECT_EQ(value(frewind(fid)), 0);
  EXPECT_EQ(value(ftell(fid)), 0);
  M<double> origin = text("top");
  origin.setname("where");
  EXPECT_ERROR(fseek(fid, scalar(0), origin), "fseek: origin where not bof, cof or eof");
}

TEST_F(Streams, EndOfFileAndErrorIndicators) {
  const std::string path = temp_path("indicators.bin");
  write_file(path, {1, 2, 3});
  const M<double> fid = open_file(path, "rb");
  EXPECT_EQ(value(feof(fid)), 0);
  fread(fid, scalar(3));  // reads no further than the bytes that are there
  EXPECT_EQ(value(feof(fid)), 0);
  frewind(fid);
  fread(fid, row({1, 2}), text("int16"));  // the second element is cut short
  EXPECT_EQ(value(feof(fid)), 1);
  frewind(fid);
  EXPECT_EQ(value(feof(fid)), 0);

  // Writing to a file opened for reading sets the error indicator.
  EXPECT_EQ(value(fwrite(fid, scalar(1))), 0);
  M<double> message, indicator;
  ferror(fid, i_o, Mr<double>(message), Mr<double>(indicator));
  EXPECT_TRUE(issame(message, text("File error")));
  EXPECT_EQ(value(indicator), 1);
  EXPECT_TRUE(issame(ferror(fid), text("File error")));  // a number clears nothing
  fread(fid, row({1, 2}), text("int16"));
  ASSERT_EQ(value(feof(fid)), 1);
  ferror(fid, text("clear"), i_o, Mr<double>(message), Mr<double>(indicator));
  EXPECT_EQ(value(indicator), 1);  // the state before clearing
  EXPECT_EQ(value(feof(fid)), 0);
  const M<double> after = ferror(fid);
  EXPECT_TRUE(isstr(after) && after.size() == 0);
}

}  // namespace
