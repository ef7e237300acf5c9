// Tests of cd and deleteM on real directories and files; every change of the working
// directory happens inside a death-test child.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "../support/matrix_builders.h"
#include "scratch.h"

using namespace korvex;
using namespace korvex_test;

namespace {

void cd_round_trip(const std::string& d) {
  CHILD_BEGIN;
  M<double> r = cd(M<double>(d.c_str()));
  CHILD_CHECK(r.size() == 1 && r.addr()[0] == 0);
  CHILD_CHECK(chars_of(cd()) == d && isstr(cd()));
  // A relative path, and codes not marked as text: the type is not checked.
  CHILD_CHECK(cd(row({'s', 'u', 'b'})).addr()[0] == 0);
  CHILD_CHECK(chars_of(cd()) == d + "/sub");
  // A missing directory answers -1 and leaves the working directory where it was.
  CHILD_CHECK(cd(M<double>("no_such_dir")).addr()[0] == -1);
  CHILD_CHECK(chars_of(cd()) == d + "/sub");
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
  std::string base = scratch_dir();
  while (base.size() < 497) {  // components of at most 100 characters, 497 in all
    base += "/" + std::string(std::min<size_t>(100, std::max<size_t>(1, 496 - base.size())), 'd');
    ASSERT_EQ(mkdir(base.c_str(), 0755), 0) << base;
  }
  ASSERT_EQ(base.size(), 497u);
  const std::string fits = base + "/e", too_long = base + "/ee";  // 499 and 500 characters
  ASSERT_EQ(mkdir(fits.c_str(), 0755) | mkdir(too_long.c_str(), 0755), 0);
  EXPECT_EXIT(std::exit(chdir(fits.c_str()) == 0 && chars_of(cd()) == fits ? 0 : 2),
              testing::ExitedWithCode(0), "^$");
  EXPECT_ERROR((void)(chdir(too_long.c_str()) == 0 && (cd(), true)),
               "cd: working directory longer than 499 characters");
}

TEST(DeleteM, RemovesTheFileOrAnswersMinusOne) {
  const std::string f = scratch_dir() + "/victim.txt";
  std::fclose(std::fopen(f.c_str(), "w"));
  EXPECT_EQ(deleteM(M<double>(f.c_str())).addr()[0], 0);
  EXPECT_FALSE(exists(f));
  EXPECT_EQ(deleteM(M<double>(f.c_str())).addr()[0], -1);
  EXPECT_EQ(deleteM(M<double>("")).addr()[0], -1);
  EXPECT_ERROR(deleteM(row({'a', 'b'})), "delete: argument not a string");
  EXPECT_ERROR(deleteM(M<double>(std::string(2046, 'a').c_str())),
               "delete: text longer than 2045 characters");
}
