// Tests of the string builders: sprintfM's forms, str2mat, strcmp and the sscanfM stub, and
// the terminal conveniences clc and home.
#include "io_support.h"

using namespace korvex;
using namespace korvex_test;

TEST(StringBuilders, SprintfMForms) {
  std::ostringstream out;
  const M<double>& m = missing_M;
  sprintfM(out, M<double>("%d:"), 1, 2, m, 3, m, m, m, 4);
  EXPECT_EQ(out.str(), "1:2:3:4:");
  // Every count of arguments, and the format text cut at 2045 characters with Mstr's warning.
  std::string all = text_of(sprintfM("%g", 1, 2, 3, 4, 5, 6, 7, 8));
  all += text_of(sprintfM("%g", 1, 2, 3, 4, 5, 6, 7)) + text_of(sprintfM("%g", 1, 2, 3, 4, 5, 6));
  all += text_of(sprintfM("%g", 1, 2, 3, 4, 5)) + text_of(sprintfM("%g", 1, 2, 3, 4));
  EXPECT_EQ(all + text_of(sprintfM("%g", 1, 2, 3)), "123456781234567123456123451234123");
  CapturedStreams streams;
  const std::string long_format = std::string(2045, 'x') + "%d";
  EXPECT_EQ(text_of(sprintfM(long_format.c_str(), 5)), std::string(2045, 'x'));
  EXPECT_EQ(streams.err.str(), "warning: Mstr: buffer too small - chopped\n");
  // The text matrix ends at the first zero character.
  EXPECT_EQ(text_of(sprintfM("a%cb", 0)), "a");
}

TEST(StringBuilders, Str2matStacksPaddedRows) {
  M<double> r = str2mat("ab", "cde");
  EXPECT_TRUE(Is(r, 2, 3, {'a', 'b', ' ', 'c', 'd', 'e'}));
  EXPECT_TRUE(isstr(r));
  r = str2mat("a", M<double>(0, 0, 0), "xyz", row({66, 67}));
  EXPECT_TRUE(Is(r, 3, 3, {'a', ' ', ' ', 'x', 'y', 'z', 'B', 'C', ' '}));
  EXPECT_TRUE(isstr(r));
  r = str2mat("1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11");
  EXPECT_TRUE(Is(r, 11, 2, {'1', ' ', '2', ' ', '3', ' ', '4', ' ', '5', ' ', '6',
                            ' ', '7', ' ', '8', ' ', '9', ' ', '1', '0', '1', '1'}));
  // Arguments after the first absent one are not used.
  r = str2mat("a", "b", missing_M, "c");
  EXPECT_EQ(r.rows(), 2);
}

TEST(StringBuilders, Strcmp) {
  struct Row {
    M<double> a, b;
    double want;
  };
  M<double> numeric_ab = row({97, 98});
  const Row rows[] = {{"ab", "ab", 1},  {"ab", numeric_ab, 0}, {numeric_ab, numeric_ab, 0},
                      {"ab", "abc", 0}, {"ab", "ba", 0},       {"", "", 1}};
  for (const Row& r : rows) EXPECT_TRUE(Is(strcmp(r.a, r.b), 1, 1, {r.want}));
}

TEST(StringBuilders, SscanfMIsNotSupported) {
  M<double> out;
  EXPECT_ERROR(sscanfM("1", "%d"), "sscanfM not supported");
  EXPECT_ERROR(sscanfM("1", "%d", 1, i_o, Mr<double>(out)), "sscanfM not supported");
}

TEST(StringBuilders, TerminalConveniences) {
  CapturedStreams streams;
  EXPECT_TRUE(clc().issamename(noval_name));
  EXPECT_TRUE(home().issamename(noval_name));
  EXPECT_TRUE(smiley().issamename(nop_M.getname()));
  EXPECT_EQ(streams.out.str(), "\x1b[2J\x1b[1;1f\x1b[1;1f8-)\n");
}
