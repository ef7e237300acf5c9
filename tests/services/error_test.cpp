// Tests of error, warning, the runtime stream pointers and the assertion report.
#include "korvex.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

using namespace korvex;

namespace {

// Binds the runtime streams to string streams for one test and unbinds them afterwards.
struct BoundStreams {
  std::ostringstream out, err;
  BoundStreams() {
    korlibout_p = &out;
    korliberr_p = &err;
  }
  ~BoundStreams() {
    korlibout_p = nullptr;
    korliberr_p = nullptr;
  }
};

}  // namespace

TEST(Error, PrintsPrefixedLineAndExitsWithStatusOne) {
  EXPECT_EXIT(error("boom"), testing::ExitedWithCode(1), "^error: boom\n$");
}

TEST(Error, FormattedFormsFillEveryArgumentAndPrintNullAsQuestionMark) {
  const char* none = nullptr;
  EXPECT_EXIT(error("%s.r(idx): idx out of matrix", none), testing::ExitedWithCode(1),
              "^error: \\?\\.r\\(idx\\): idx out of matrix\n$");
  EXPECT_EXIT(error("%s: wrong dimensions of: %s, %s", "plus", "a", none),
              testing::ExitedWithCode(1), "^error: plus: wrong dimensions of: a, \\?\n$");
  EXPECT_EXIT(error("%s %s", "a", "b"), testing::ExitedWithCode(1), "^error: a b\n$");
  EXPECT_EXIT(error("%s%s%s%s", "a", "b", "c", "d"), testing::ExitedWithCode(1), "^error: abcd\n$");
  EXPECT_EXIT(error("%s-%s-%s-%s-%s", "a", none, "c", "d", "e"), testing::ExitedWithCode(1),
              "^error: a-\\?-c-d-e\n$");
  EXPECT_EXIT(error("fid %d is not open", -7), testing::ExitedWithCode(1),
              "^error: fid -7 is not open\n$");
}

TEST(Error, CutsMessagesLongerThanTheBuffer) {
  const std::string longname(500, 'x');
  // 199 characters fit before the terminating zero: "n=" and 197 x.
  EXPECT_EXIT(error("n=%s", longname.c_str()), testing::ExitedWithCode(1), "^error: n=x{197}\n$");
  BoundStreams s;
  warning("%s and %s", longname.c_str(), "b");
  EXPECT_EQ(s.err.str(), "warning: " + std::string(199, 'x') + "\n");
}

TEST(Error, GoesToTheBoundErrorStreamOnly) {
  // The child binds the error stream to a file; the message must land there, flushed, and
  // nowhere else.
  const std::string path = testing::TempDir() + "korvex_error_stream.txt";
  std::remove(path.c_str());
  EXPECT_EXIT(
      {
        std::ofstream file(path);
        std::ostringstream out;
        korliberr_p = &file;
        korlibout_p = &out;
        error("%s.r(): matrix is empty", "a");
      },
      testing::ExitedWithCode(1), "^$");
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "error: a.r(): matrix is empty\n");
  std::remove(path.c_str());
}

TEST(Warning, WritesToErrorStreamAndReturnsZero) {
  BoundStreams s;
  EXPECT_EQ(warning("Mstr: buffer too small - chopped"), 0);
  EXPECT_EQ(warning("%s ignored", nullptr), 0);
  EXPECT_EQ(warning("%s vs %s", "a", "b"), 0);
  EXPECT_EQ(s.err.str(),
            "warning: Mstr: buffer too small - chopped\nwarning: ? ignored\nwarning: a vs b\n");
  EXPECT_EQ(s.out.str(), "");
}

TEST(Warning, FallsBackToStandardErrorWhileUnbound) {
  ASSERT_EQ(korliberr_p, nullptr);
  EXPECT_EQ(&err_stream(), &std::cerr);
  EXPECT_EQ(&out_stream(), &std::cout);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  warning("unbound");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "warning: unbound\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(Assert, ReportsBaseNameLineAndConditionWithoutBlanks) {
  const int m = -1;
  EXPECT_EXIT(KORVEX_ASSERT(m >= 0), testing::KilledBySignal(SIGABRT),
              "^error_test\\.cpp:[0-9]+: failed assertion `m>=0'\n$");
  EXPECT_EXIT(assert_fail("/a/b/storage.cpp", 42, "p != NULL"), testing::KilledBySignal(SIGABRT),
              "^storage\\.cpp:42: failed assertion `p!=NULL'\n$");
}
