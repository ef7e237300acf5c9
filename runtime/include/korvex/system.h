// system.h: the host and system commands: clock, working directory, file deletion, shell
// commands and the runner of external programs, and the terminal-control writers.
#ifndef KORVEX_SYSTEM_H
#define KORVEX_SYSTEM_H

#include "korvex/matrix.h"

namespace korvex {

// ============================================================================================
// Terminal control (system/terminal.cpp), written to the runtime output stream
// ============================================================================================

void clear_screen();                  // ESC "[2J", then the cursor home
void cursor_to(int column, int row);  // ESC "[" row ";" column "f"

}  // namespace korvex

#endif  // KORVEX_SYSTEM_H
