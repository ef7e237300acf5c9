// Tests of error, warning, the runtime stream pointers and the assertion report.
#include "korvex.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

using namespace korvex;

TEST(Error, EveryFormPrintsOneLineWithNullNamesAsQuestionMarksAndExitsWithOne) {
  const char* none = nullptr;
  const auto exit1 = testing::ExitedWithCode(1);
  EXPECT_EXIT(error("boom"), exit1, "^error: boom\n$");
  EXPECT_EXIT(error("%s.r(idx): idx out of matrix", none), exit1,
              "^error: \\?\\.r\\(idx\\): idx out of matrix\n$");
  EXPECT_EXIT(error("fid %d is not open", -7), exit1, "^error: fid -7 is not open\n$");
  EXPECT_EXIT(error("%s: wrong dimensions of: %s, %s", "plus", "a", none), exit1,
              "^error: plus: wrong dimensions of: a, \\?\n$");
  EXPECT_EXIT(error("%s%s%s%s", "a", "b", "c", "d"), exit1, "^error: abcd\n$");
  EXPECT_EXIT(error("%s-%s-%s-%s-%s", "a", none, "c", "d", "e"), exit1, "^error: a-\\?-c-d-e\n$");
  // 199 characters fit the buffer before its terminating zero.
  const std::string longname(500, 'x');
  EXPECT_EXIT(error("n=%s", longname.c_str()), exit1, "^error: n=x{197}\n$");
}

TEST(Error, GoesToTheBoundErrorStreamFlushedAndNowhereElse) {
  const std::string path = testing::TempDir() + "korvex_error_stream.txt";
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

TEST(Warning, WritesToTheErrorStreamAndReturnsZero) {
  std::ostringstream out, err;
  korlibout_p = &out;
  korliberr_p = &err;
  EXPECT_EQ(warning("Mstr: buffer too small - chopped"), 0);
  EXPECT_EQ(warning("%s ignored", nullptr), 0);
  EXPECT_EQ(warning("%s vs %s", std::string(300, 'y').c_str(), "b"), 0);
  korlibout_p = korliberr_p = nullptr;
  EXPECT_EQ(err.str(), "warning: Mstr: buffer too small - chopped\nwarning: ? ignored\nwarning: " +
                           std::string(199, 'y') + "\n");
  EXPECT_EQ(out.str(), "");

  // Unbound, as inside the module: the process's standard error.
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
