// Tests of error, warning and the runtime stream pointers (each assertion death test of the
// runtime checks the assertion report).
#include <cstdio>
#include <fstream>
#include <sstream>

#include "../support/matrix_builders.h"

using namespace korvex;

TEST(Error, EveryFormPrintsOneLineWithNullsAsQuestionMarksAndExitsWithOne) {
  const char* none = nullptr;
  EXPECT_ERROR(error("%s.r(idx): idx out of matrix", none), "?.r(idx): idx out of matrix");
  EXPECT_ERROR(error("fid %d is not open", -7), "fid -7 is not open");
  EXPECT_ERROR(error("%s(:)=%s", none, "b"), "?(:)=b");
  EXPECT_ERROR(error("%s: wrong dimensions of: %s, %s", "+", "a", none),
               "+: wrong dimensions of: a, ?");
  EXPECT_ERROR(error("%s%s%s%s", "a", "b", "c", "d"), "abcd");
  EXPECT_ERROR(error("%s-%s-%s-%s-%s", "a", none, "c", "d", "e"), "a-?-c-d-e");
  // 199 characters fit the buffer before its terminating zero.
  EXPECT_ERROR(error("n=%s", std::string(500, 'x').c_str()), "n=" + std::string(197, 'x'));
}

TEST(Error, GoesToTheBoundErrorStreamFlushedAndNowhereElse) {
  const std::string path = testing::TempDir() + "korvex_error_stream.txt";
  EXPECT_EXIT(korliberr_p = new std::ofstream(path);
              error("%s.r(): matrix is empty", "a"), testing::ExitedWithCode(1), "^$");
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  EXPECT_EQ(text.str(), "error: a.r(): matrix is empty\n");
  std::remove(path.c_str());
}

TEST(Warning, WritesToTheErrorStreamNeverTheOutputAndReturnsZero) {
  std::ostringstream err;
  korliberr_p = &err;
  EXPECT_EQ(warning("%s ignored", nullptr), 0);
  warning("%s vs %s", nullptr, "b");
  korliberr_p = nullptr;
  EXPECT_EQ(err.str(), "warning: ? ignored\nwarning: ? vs b\n");
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  warning("unbound");  // as inside the module: the process's standard error, not its output
  EXPECT_EQ(testing::internal::GetCapturedStderr() + testing::internal::GetCapturedStdout(),
            "warning: unbound\n");
}

// A host call installs a handler that leaves error() by unwinding: it receives the formatted
// message and nothing is printed. A handler that returns falls back to printing and exiting.
struct Unwound {
  std::string message;
};
void unwind_with(const char* msg) { throw Unwound{msg}; }
void just_return(const char*) {}

TEST(Error, AFaultHandlerReceivesTheMessageInsteadOfTheProcessEnding) {
  fault_handler = unwind_with;
  testing::internal::CaptureStderr();
  std::string got;
  try {
    error("%s.r(idx): idx out of matrix", nullptr);
  } catch (const Unwound& u) {
    got = u.message;
  }
  fault_handler = nullptr;
  EXPECT_EQ(got, "?.r(idx): idx out of matrix");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_ERROR((fault_handler = just_return, error("kept")), "kept");
}
