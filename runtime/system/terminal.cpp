// terminal.cpp: the two terminal-control writers behind the display's clc and home: clear
// the screen and move the cursor, as ANSI escape sequences on the runtime output stream.
#include <ostream>

#include "korvex.h"

namespace korvex {

namespace {
constexpr char escape = 27;
}

void clear_screen() {
  out_stream() << escape << "[2J";
  cursor_to(1, 1);
}

// The sequence names the row first: ESC [ row ; column f. Flushed, so the terminal acts now
// rather than at the next line end.
void cursor_to(int column, int row) {
  out_stream() << escape << '[' << row << ';' << column << 'f' << std::flush;
}

}  // namespace korvex
