// Tests of cd and deleteM on real directories and files; every change of the working
// directory happens inside a death-test child.
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "../support/matrix_builders.h"
#include "scratch.h"

using namespace korvex;
using korvex_test::exists;
using korvex_test::scratch_dir;

namespace {

std::string text_of(const M<double>& x) {
  std::string s;
  for (int k = 0; k < x.size(); ++k) s += static_cast<char>(x.addr()[k]);
  return s;
}

void cd_round_trip(const std::string& d) {
  CHILD_BEGIN;
  M<double> r = cd(M<double>(d.c_str()));
  CHILD_CHECK(r.size() == 1 && r.addr()[0] == 0);
  CHILD_CHECK(text_of(cd()) == d);
  CHILD_CHECK(isstr(cd()));
  // A relative path, and codes not marked as text: the type is not checked.
  M<double> codes = korvex_test::row({'s', 'u', 'b'});
  CHILD_CHECK(cd(codes).addr()[0] == 0);
  CHILD_CHECK(text_of(cd()) == d + "/sub");
  // A missing directory answers -1 and leaves the working directory where it was.
  CHILD_CHECK(cd(M<double>("no_such_dir")).addr()[0] == -1);
  CHILD_CHECK(text_of(cd()) == d + "/sub");
  CHILD_END;
}

void cwd_reads_back(const std::string& path) {
  CHILD_BEGIN;
  CHILD_CHECK(chdir(path.c_str()) == 0);
  CHILD_CHECK(text_of(cd()) == path);
  CHILD_END;
}

}  // namespace

TEST(Cd, ChangesAndReportsTheWorkingDirectory) {
  const std::string d = scratch_dir();
  ASSERT_EQ(mkdir((d + "/sub").c_str(), 0755), 0);
  EXPECT_EXIT(cd_round_trip(d), testing::ExitedWithCode(0), "^$");
  EXPECT_ERROR(cd(M<double>(std::string(2046, 'a').c_str())),
               "cd: text longer than 2045 characters");
}

// The working directory is read into 500 bytes: 499 characters fit, 500 are an error.
TEST(Cd, WorkingDirectoryOfFiveHundredCharactersIsAnError) {
  const std::string d = scratch_dir();
  // Nested components of at most 100 characters bring the path to exactly 499 characters.
  std::string path = d;
  while (path.size() < 499) {
    const size_t room = 499 - path.size() - 1;
    const size_t len = room > 100 ? 100 : room;
    path += "/" + std::string(len == 0 ? 1 : len, 'd');
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0) << path;
  }
  ASSERT_EQ(path.size(), 499u);
  ASSERT_EQ(mkdir((path + "/e").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((path + "/e/f").c_str(), 0755), 0);
  EXPECT_EXIT(cwd_reads_back(path), testing::ExitedWithCode(0), "^$");
  EXPECT_ERROR(
      {
        if (chdir((path + "/e").c_str()) == 0) cd();
      },
      "cd: working directory longer than 499 characters");
}

TEST(DeleteM, RemovesTheFileOrAnswersMinusOne) {
  const std::string d = scratch_dir();
  const std::string f = d + "/victim.txt";
  std::fclose(std::fopen(f.c_str(), "w"));
  M<double> r = deleteM(M<double>(f.c_str()));
  EXPECT_EQ(r.addr()[0], 0);
  EXPECT_FALSE(exists(f));
  EXPECT_EQ(deleteM(M<double>(f.c_str())).addr()[0], -1);
  EXPECT_EQ(deleteM(M<double>("")).addr()[0], -1);
  EXPECT_ERROR(deleteM(korvex_test::row({'a', 'b'})), "delete: argument not a string");
  EXPECT_ERROR(deleteM(M<double>(std::string(2046, 'a').c_str())),
               "delete: text longer than 2045 characters");
}
