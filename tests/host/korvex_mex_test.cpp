// Tests of the korvex-mex tool, run as a subprocess the way a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct ToolRun {
  int status = -1;
  std::string out, err;
};

ToolRun run_tool(const std::vector<std::string>& args) {
  const std::string base = testing::TempDir() + "korvex_mex_" + std::to_string(getpid());
  std::string cmd = KORVEX_MEX_TOOL;
  for (const std::string& a : args) cmd += " '" + a + "'";
  const int rc = std::system((cmd + " >" + base + ".out 2>" + base + ".err").c_str());
  auto slurp = [](const std::string& path) {
    std::stringstream s;
    s << std::ifstream(path).rdbuf();
    std::remove(path.c_str());
    return s.str();
  };
  return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, slurp(base + ".out"), slurp(base + ".err")};
}

const char* const usage = "usage: korvex-mex";

// Rows {arguments, exit status, standard output, text standard error holds (none if empty)}.
TEST(Tool, ExitsZeroOneOrTwoAndPrintsTheFilledSlots) {
  const std::tuple<std::vector<std::string>, int, std::string, std::string> rows[] = {
      {{"--nargout", "2", "3", "1", "[2;-1]", "[1 0;0 1]", "2", "[1 1]"},
       0,
       "out1 = 2 x 1\n13\n5\nout2 = 2 x 2\n15 -1\n5 -1\n",
       ""},
      {{"3", "1", "[2;-1]", "[1 0;0 1]", "2", "[1 1]"}, 0, "out1 = 2 x 1\n13\n5\n", ""},
      {{"--repeat", "300", "2", "1", "[1;2;3]"}, 0, "out1 = 3 x 1\n16\n5\n10\n", ""},
      {{"7", "1", "[1;2]"}, 0, "", ""},  // an unknown service returns nothing and is no error
      {{"--version"}, 0, "MATLAB 5.0 native\n", ""},
      {{"2", "1"}, 1, "", "error: At Least 2 Input Arguments Required\n"},
      {{"--nargout", "3", "4", "1", "1", "1", "1"}, 1, "", "FDapprox takes <=2 Output Argument\n"},
      {{"--nargout", "1"}, 1, "", "error: Service Number Required\n"},  // no inputs, as hosts may
      {{"--repeat", "2"}, 1, "", "error: Service Number Required\n"},
      {{}, 2, "", usage},
      {{"--nargout"}, 2, "", usage},
      {{"--repeat", "0", "1", "1", "[1]"}, 2, "", usage},
      {{"--repeat", "99999999999", "1", "1", "[1]"}, 2, "", usage},
      {{"--frobnicate", "1"}, 2, "", usage},
      {{"1", "1", "[1 2; 3]"}, 2, "", usage},
  };
  for (const auto& [args, status, out, err] : rows) {
    const ToolRun run = run_tool(args);
    const std::string what = args.empty() ? "no arguments" : args[0];
    EXPECT_EQ(run.status, status) << what << ": " << run.err;
    EXPECT_EQ(run.out, out) << what;
    // An empty standard error also means no leak report from the sanitizer build.
    EXPECT_TRUE(err.empty() ? run.err.empty() : run.err.find(err) != std::string::npos) << run.err;
  }
}

}  // namespace
