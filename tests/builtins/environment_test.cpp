// Tests of computer, getenv, exist, isieee, setstr, clear and the inert commands.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "../support/matrix_builders.h"

using namespace korvex;
using namespace korvex_test;

namespace {
std::string fresh_dir() {
  char tmpl[] = "/tmp/korvex_env_XXXXXX";
  return mkdtemp(tmpl);
}
}  // namespace

TEST(Environment, ComputerIsieeeAndGetenv) {
  computer_name = M<double>("UNIX KORVEX");
  M<double> c, maxsize;
  EXPECT_TRUE(computer(i_o, Mr<double>(c), Mr<double>(maxsize)).issamename(noval_name));
  EXPECT_EQ(chars_of(c), "UNIX KORVEX");
  EXPECT_TRUE(Is(maxsize, 1, 1, {268435439}));
  computer_name = M<double>(0, 0, 0);
  EXPECT_TRUE(Is(isieee(), 1, 1, {1}));
  setenv("KORVEX_TEST_VALUE", "a=b c", 1);
  const M<double> v = getenv(M<double>("KORVEX_TEST_VALUE"));
  EXPECT_EQ(chars_of(v), "a=b c");
  unsetenv("KORVEX_TEST_VALUE");
  const M<double> unset = getenv(M<double>("KORVEX_TEST_VALUE"));
  EXPECT_TRUE(Is(unset, 0, 0, {}));
  EXPECT_TRUE(isstr(unset));
  EXPECT_ERROR(getenv(M<double>(std::string(2046, 'A').c_str())),
               "getenv: text longer than 2045 characters");
}

TEST(Environment, ExistFindsTheFileOrItsMFile) {
  const std::string d = fresh_dir();
  std::ofstream(d + "/sin.m") << "x";
  std::ofstream(d + "/cos") << "x";
  const std::pair<std::string, double> rows[] = {
      {d + "/sin", 2}, {d + "/cos", 2}, {d + "/tan", 0}, {"", 0}};
  for (const auto& t : rows) EXPECT_TRUE(Is(exist(M<double>(t.first.c_str())), 1, 1, {t.second}));
  EXPECT_ERROR(exist(row({'s', 'i', 'n'})), "exist: argument is not string");
  EXPECT_ERROR(exist(M<double>(std::string(2046, 'a').c_str())),
               "exist: text longer than 2045 characters");
}

TEST(Environment, SetstrAndClearActOnTheVariable) {
  const M<double> codes = row({104, 105}), s = setstr(codes);
  EXPECT_EQ(s.getdm(), 1);
  EXPECT_EQ(codes.getdm(), 0) << "the argument keeps its kind";
  EXPECT_TRUE(Is(s, 1, 2, {104, 105}));
  M<double> x("x", 2, 2);
  EXPECT_TRUE(clear(Mr<double>(x)).issamename(noval_name));
  EXPECT_TRUE(Is(x, 0, 0, {}));
  EXPECT_STREQ(x.getname(), "x");
}

TEST(InertCommands, FlopsKeepsItsValueOthersRefuseOrDoNothing) {
  EXPECT_TRUE(Is(flops(), 1, 1, {0}));
  EXPECT_TRUE(flops(row({3.5, 9})).issamename(nop_M.getname()));
  EXPECT_TRUE(Is(flops(), 1, 1, {3.5}));
  flop_count = 0;
  EXPECT_ERROR(flops(M<double>(0, 0, 0)), "?.r(): matrix is empty");
  EXPECT_ERROR(eval(M<double>("x=1")), "No compiled eval function, now or ever.");
  EXPECT_ERROR(feval(M<double>("f")), "feval should not be called.");
  const M<double> a(1.0);
  for (const M<double>& r : {echo("on"), more("off"), then(), path(a, a, a, a, a, a, a, a)})
    EXPECT_TRUE(r.issamename(noval_name));
  EXPECT_TRUE(matlabpath().issamename(nop_M.getname()));
}

namespace {
void write_path_in(const std::string& dir, const char* text) {
  if (chdir(dir.c_str()) != 0) std::exit(3);
  matlabpath(M<double>(text));
  std::exit(0);
}
}  // namespace

// matlabpath writes "mpath" in the working directory, so it runs in a child.
TEST(InertCommands, MatlabpathWritesOneLinePerPiece) {
  const std::string d = fresh_dir(), blocked = fresh_dir();
  EXPECT_EXIT(write_path_in(d, "/a/b;/c;;d"), testing::ExitedWithCode(0), "^$");
  std::ifstream in(d + "/mpath");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "/a/b\n/c\n\nd");
  struct stat st;
  ASSERT_EQ(stat((d + "/mpath").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0700, 0600);
  ASSERT_EQ(mkdir((blocked + "/mpath").c_str(), 0755), 0);  // a directory in the way of the file
  EXPECT_ERROR(write_path_in(blocked, "x"), "Could not write mpath");
}
