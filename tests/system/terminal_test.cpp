// Tests of the terminal-control writers: the exact escape sequences on the output stream.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "korvex.h"

using namespace korvex;

namespace {

template <class F>
std::string written(F write) {
  std::ostringstream out;
  korlibout_p = &out;
  write();
  korlibout_p = nullptr;
  return out.str();
}

}  // namespace

// cursor_to names the row first; clear_screen erases, then homes the cursor.
TEST(Terminal, EscapeSequences) {
  EXPECT_EQ(written([] { cursor_to(1, 1); }), "\x1b[1;1f");
  EXPECT_EQ(written([] { cursor_to(7, 12); }), "\x1b[12;7f");
  EXPECT_EQ(written([] { clear_screen(); }), "\x1b[2J\x1b[1;1f");
}
