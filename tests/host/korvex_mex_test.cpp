// Tests of the korvex-mex tool, run as a subprocess the way a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ToolRun {
  int status = -1;
  std::string out, err;
};

std::string slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

ToolRun run_tool(const std::vector<std::string>& args) {
  const std::string base = testing::TempDir() + "korvex_mex_" + std::to_string(getpid());
  std::string cmd = KORVEX_MEX_TOOL;
  for (const std::string& a : args) cmd += " '" + a + "'";
  cmd += " >" + base + ".out 2>" + base + ".err";
  const int rc = std::system(cmd.c_str());
  ToolRun r;
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  r.out = slurp(base + ".out");
  r.err = slurp(base + ".err");
  std::remove((base + ".out").c_str());
  std::remove((base + ".err").c_str());
  return r;
}

TEST(Tool, PrintsTheFilledSlotsInOrder) {
  const std::vector<std::string> call = {"3", "1", "[2;-1]", "[1 0;0 1]", "2", "[1 1]"};
  std::vector<std::string> two = {"--nargout", "2"};
  two.insert(two.end(), call.begin(), call.end());
  const ToolRun r = run_tool(two);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "out1 = 2 x 1\n13\n5\nout2 = 2 x 2\n15 -1\n5 -1\n");
  EXPECT_EQ(r.err, "");
  // One output requested: the gateway leaves the second slot alone.
  EXPECT_EQ(run_tool(call).out, "out1 = 2 x 1\n13\n5\n");
  // Empty outputs keep their shape: one (empty) line per row.
  EXPECT_EQ(run_tool({"--nargout", "2", "3", "1", "[2;-1]", "zeros(2,0)", "2", "[]"}).out,
            "out1 = 2 x 1\n13\n5\nout2 = 2 x 0\n\n\n");
  EXPECT_EQ(run_tool({"2", "1", "[]"}).out, "out1 = 0 x 1\n");
  EXPECT_EQ(run_tool({"1", "1", "[0.1;7]"}).out, "out1 = 1 x 1\n0.030000000000000006\n");
}

TEST(Tool, RepeatsIdenticalCallsAndPrintsTheLast) {
  const ToolRun once = run_tool({"4", "1", "[2;-1]", "[1 0;0 1]", "[1e-3 1e-3]"});
  const ToolRun many =
      run_tool({"--repeat", "200", "4", "1", "[2;-1]", "[1 0;0 1]", "[1e-3 1e-3]"});
  EXPECT_EQ(many.status, 0) << many.err;
  EXPECT_EQ(many.out, once.out);
  EXPECT_EQ(many.out.rfind("out1 = 2 x 2\n", 0), 0u);
  EXPECT_EQ(many.err, "");  // a leak would show here in a sanitizer build
}

TEST(Tool, ReportsGatewayErrorsWithStatusOne) {
  struct {
    std::vector<std::string> args;
    const char* err;
  } rows[] = {
      {{"2", "1"}, "error: At Least 2 Input Arguments Required\n"},
      {{"--nargout", "0", "2", "1", "[1;2]"}, "error: funcvalJ takes one output Argument\n"},
      {{"--nargout", "3", "--repeat", "5", "3", "1", "[1]", "[1]", "1", "[1]"},
       "error: FDapprox takes <=2 Output Argument\n"},
      {{"3", "1", "[1;2]", "[1;1]", "3", "[1]"}, "error: m Must Not Exceed n\n"},
  };
  for (const auto& r : rows) {
    const ToolRun run = run_tool(r.args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, r.err);
    EXPECT_EQ(run.out, "");
  }
  // An unknown service number is no error: nothing is returned.
  const ToolRun none = run_tool({"7", "1", "[1;2]"});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out + none.err, "");
}

TEST(Tool, RejectsMalformedOptionsAndArgumentsWithStatusTwo) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {},
           {"--nargout"},
           {"--nargout", "-1", "1", "1", "[1]"},
           {"--nargout", "x", "1", "1", "[1]"},
           {"--repeat", "0", "1", "1", "[1]"},
           {"--repeat", "99999999999", "1", "1", "[1]"},
           {"--frobnicate", "1"},
           {"1", "1", "[1 2; 3]"},
           {"1", "1", "x"},
       }) {
    const ToolRun r = run_tool(args);
    EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
    EXPECT_NE(r.err.find("usage: korvex-mex"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
}

TEST(Tool, VersionPrintsTheGatewayInterfaceVersion) {
  const ToolRun r = run_tool({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "MATLAB 5.0 native\n");
}

}  // namespace
