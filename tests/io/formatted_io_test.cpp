// formatted_io_test.cpp: fprintfM and printfM on files and the standard fids, and fscanfM's
// shapes, counts and messages.
#include <limits>

#include "io_support.h"

namespace {

using namespace korvex;
using namespace korvex_test;

const double inf = std::numeric_limits<double>::infinity();

class FormattedIo : public Files {};

std::string text_of(const std::string& path) {
  const Bytes b = file_bytes(path);
  return std::string(b.begin(), b.end());
}

TEST_F(FormattedIo, PrintToAFileCountsItsBytes) {
  const std::string path = temp_path("printed.txt");
  const M<double> fid = open_file(path, "w");
  EXPECT_EQ(value(fprintfM(fid, text("%d\n"), row({1, 2, 3}))), 6);
  EXPECT_EQ(value(fprintfM(fid, text("%d %d\n"), scalar(4), scalar(5))), 4);  // one format for both
  EXPECT_EQ(value(fprintfM(fid, text("a%cb"), scalar(0))), 1);  // the text ends at a zero byte
  EXPECT_EQ(value(fprintfM(fid, text("|%5.2f|%s\n"), scalar(3.14159), text("xy"))), 10);
  EXPECT_EQ(value(fprintfM(fid, text("end\n"))), 4);
  fclose(fid);
  EXPECT_EQ(text_of(path), "1\n2\n3\n4 5\na| 3.14|xy\nend\n");
}

TEST_F(FormattedIo, StandardFids) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(value(fprintfM(scalar(1), text("%d-"), row({1, 2}))), 0);
  EXPECT_TRUE(fprintfM(text("%d\n"), scalar(5)).issamename(noval_name));
  // Every argument moves one place to the right, and a ninth data argument is dropped.
  fprintfM(text("%d"), scalar(1), scalar(2), scalar(3), scalar(4), scalar(5), scalar(6), scalar(7),
           scalar(8), scalar(9));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "1-2-5\n12345678");
  testing::internal::CaptureStderr();
  EXPECT_EQ(value(fprintfM(scalar(2), text("e%d"), scalar(7))), 0);
  EXPECT_EQ(value(fprintfM(scalar(0), text("nothing"))), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "e7");
}

// printfM prints to the fid in stdoutM, which holds 1 once the start-up routine has run.
TEST_F(FormattedIo, PrintfGoesThroughStdoutM) {
  EXPECT_ERROR(printfM(text("x")), "Size of fid stdoutM not one.");
  EXPECT_ERROR(fprintfM(text("x")), "Size of fid stdoutM not one.");
  stdoutM = 1.0;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(printfM(text("%s=%g\n"), text("pi"), scalar(3.5)).issamename(noval_name));
  EXPECT_TRUE(fprintfM(text("bye\n")).issamename(noval_name));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "pi=3.5\nbye\n");
  stdoutM = M<double>(0, 0, 0);
}

TEST_F(FormattedIo, ScanShapesAndCounts) {
  const struct {
    const char* text;
    const char* format;
    M<double> size;
    int rows, cols;
    std::vector<double> values;  // row by row
    bool string;
    double count = -1;  // when not every element was read: the values read
  } cases[] = {
      {"1 2 3", "%d", scalar(inf), 3, 1, {1, 2, 3}, false},
      {"1 2 3", "%d", row({2, inf}), 2, 2, {1, 3, 2, 0}, false, 3},
      {"1 2 3", "%d", row({1, 2}), 1, 2, {1, 2}, false},
      {"1 2 3", "%d", row({0, inf}), 0, 0, {}, false},
      {"1 2 3", "%d", scalar(-1), 0, 0, {}, false},
      {"ab cd", "%s", scalar(3), 1, 4, {'a', 'b', 'c', 'd'}, true},  // a word is read whole
      {"ab cd", "%c", scalar(3), 1, 3, {'a', 'b', ' '}, true},
      {"1.5,2e3;-4", "%f,%f;%d", scalar(inf), 3, 1, {1.5, 2000, -4}, false},
      {"7 x 8", "%d", scalar(inf), 1, 1, {7}, false},  // stops at the first mismatch
  };
  const std::string path = temp_path("scan.txt");
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " with " + c.format);
    const std::string t = c.text;
    write_file(path, Bytes(t.begin(), t.end()));
    const M<double> fid = open_file(path, "r");
    M<double> values, count, message;
    fscanfM(fid, text(c.format), c.size, i_o, Mr<double>(values), Mr<double>(count),
            Mr<double>(message));
    EXPECT_TRUE(Is(values, c.rows, c.cols, c.values));
    EXPECT_EQ(isstr(values), c.string);
    EXPECT_EQ(value(count), c.count >= 0 ? c.count : static_cast<double>(c.values.size()));
    EXPECT_TRUE(isstr(message) && message.size() == 0);
    fclose(fid);
  }
}

// Scanning carries on from the position, and the count counts values, not conversions; the
// size has one or two elements.
TEST_F(FormattedIo, ScanContinuesAndCounts) {
  const std::string path = temp_path("scan_more.txt");
  write_file(path, {'1', ' ', '2', ' ', '3', ' ', '4', '\n'});
  const M<double> fid = open_file(path, "r");
  EXPECT_TRUE(Is(fscanfM(fid, text("%d"), scalar(3)), 3, 1, {1, 2, 3}));
  M<double> values, count;
  fscanfM(fid, text("%d"), i_o, Mr<double>(values), Mr<double>(count));
  EXPECT_TRUE(Is(values, 1, 1, {4}));
  EXPECT_EQ(value(count), 1);
  fscanfM(fid, text("%d"), i_o, Mr<double>(values), Mr<double>(count));
  EXPECT_EQ(values.size(), 0);
  EXPECT_EQ(value(count), 0);
  EXPECT_ERROR(fscanfM(fid, text("%d"), row({1, 2, 3}, "sz")),
               "fscanf: size sz is not one or two elements");
  EXPECT_ERROR(fscanfM(fid, text("%d"), M<double>("sz", 0, 0)),
               "fscanf: size sz is not one or two elements");
}

}  // namespace
