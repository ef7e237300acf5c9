// system.h: the host and system commands: clock, working directory, file deletion, shell
// commands and the runner of external programs, and the terminal-control writers.
#ifndef KORVEX_SYSTEM_H
#define KORVEX_SYSTEM_H

#include "korvex/matrix.h"

namespace korvex {

// ============================================================================================
// Clock, working directory and file deletion (system/clock.cpp, directory.cpp)
// ============================================================================================

// [year month day hour minute second]: the date of the local calendar; hour, minute and
// second (with microseconds) of the epoch time, that is of universal time.
M<double> clockM();
M<double> cd(M<double> path);       // chdir; 0 on success, -1 on failure
M<double> cd();                     // the working directory as text
M<double> deleteM(M<double> name);  // remove; 0 on success, -1 on failure

// ============================================================================================
// Shell commands (system/commands.cpp)
// ============================================================================================

// Splits text at ';' and line ends, skipping empty pieces, and runs each piece with system().
// Returns -1 at the first piece system() itself fails on (exit statuses are not looked at),
// else 0.
int run_command_list(const char* text);
// Runs a command list; if it fails, stops with the message of the program the command text
// starts with (plotter_cmd, viewer_cmd, player_cmd; an empty name matches nothing), else
// "system: could not run COMMAND".
void run_external(const char* command);
void run_plotter(const char* arg);  // runs "plotter_cmd arg" (at most 1023 characters)

// String arguments: at most 2045 characters (type: 2040), else an error; never cut.
M<double> systemM(M<double> cmd);
M<double> dos(M<double> cmd);
M<double> type(M<double> name);  // runs "type NAME"
M<double> dir();                 // runs "dir"
M<double> whos();                // the text "not supported."
M<double> system_dependent(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e,
                           M<double> f, M<double> g, M<double> h);  // the text "Stub called."

// ============================================================================================
// Terminal control (system/terminal.cpp), written to the runtime output stream
// ============================================================================================

void clear_screen();                  // ESC "[2J", then the cursor home
void cursor_to(int column, int row);  // ESC "[" row ";" column "f"

}  // namespace korvex

#endif  // KORVEX_SYSTEM_H
