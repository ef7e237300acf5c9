// Tests of the terminal-control writers: the exact escape sequences on the output stream.
#include <gtest/gtest.h>

#include <sstream>

#include "korvex.h"

using namespace korvex;

// cursor_to names the row first; clear_screen erases, then homes the cursor.
TEST(Terminal, EscapeSequences) {
  std::ostringstream out;
  korlibout_p = &out;
  cursor_to(1, 1);
  cursor_to(7, 12);
  clear_screen();
  korlibout_p = nullptr;
  EXPECT_EQ(out.str(), "\x1b[1;1f" "\x1b[12;7f" "\x1b[2J\x1b[1;1f");
}
