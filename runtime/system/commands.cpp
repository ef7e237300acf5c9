// commands.cpp: shell commands: the runner of command lists (run_command_list), the one way of
// starting an external program with its fixed failure messages (run_external, run_plotter),
// and the language's commands built on them: systemM, dos, type, dir; whos and
// system_dependent, which do nothing.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>

#include "common/bounded_text.h"
#include "korvex.h"

namespace korvex {

namespace {

// Command texts taken from a string argument: at most 2045 characters and the terminator.
constexpr int command_bytes = 2046;
// The plotter's command line: plotter_cmd, a blank and the argument, at most 1023 characters.
constexpr int plotter_line_bytes = 1024;

bool starts_with_name(const char* text, const char* name) {
  // An empty name (the state before start-up fills the command names) names no program.
  const size_t len = std::strlen(name);
  return len > 0 && std::strncmp(text, name, len) == 0;
}

bool is_separator(char ch) { return ch == ';' || ch == '\n'; }

}  // namespace

// Pieces are copied out rather than cut in place, so the caller's text stays whole for the
// failure message. Output already written by the runtime goes out before the command's own.
int run_command_list(const char* text) {
  std::string piece;
  for (const char* p = text; *p;) {
    while (is_separator(*p)) ++p;
    const char* end = p;
    while (*end && !is_separator(*end)) ++end;
    if (end == p) break;
    piece.assign(p, end);
    out_stream().flush();
    std::fflush(stdout);
    if (std::system(piece.c_str()) == -1) return -1;
    p = end;
  }
  return 0;
}

void run_external(const char* command) {
  if (run_command_list(command) == 0) return;
  if (starts_with_name(command, plotter_cmd))
    error("Could not run Gnuplot. To obtain Gnuplot, see documentation.");
  if (starts_with_name(command, viewer_cmd)) error("Could not run .bmp viewer, see documentation.");
  if (starts_with_name(command, player_cmd)) error("Could not run .wav player, see documentation.");
  // Built to the command's full length: the report names the whole command, however long.
  const std::string msg = std::string("system: could not run ") + command;
  error(msg.c_str());
}

void run_plotter(const char* arg) {
  char line[plotter_line_bytes];
  const int len = std::snprintf(line, sizeof line, "%s %s", plotter_cmd, safe_str(arg));
  if (len < 0 || len >= plotter_line_bytes)
    error("run_plotter: command longer than 1023 characters");
  run_external(line);
}

namespace {

// The commands that run their string argument: non-text and overlong arguments stop here.
M<double> run_text(const M<double>& cmd, const char* prefix, const char* who) {
  if (!isstr(cmd)) {
    const std::string msg = std::string(who) + ": argument not a string";
    error(msg.c_str());
  }
  char buf[command_bytes];
  const int used = static_cast<int>(std::strlen(prefix));
  std::memcpy(buf, prefix, used);
  bounded_text(cmd, buf + used, command_bytes - used, who);
  run_external(buf);
  return x_M;
}

}  // namespace

M<double> systemM(M<double> cmd) { return run_text(cmd, "", "system"); }
M<double> dos(M<double> cmd) { return run_text(cmd, "", "dos"); }
M<double> type(M<double> name) { return run_text(name, "type ", "type"); }

M<double> dir() {
  run_external("dir");
  return x_M;
}

M<double> whos() { return M<double>("not supported."); }

M<double> system_dependent(M<double>, M<double>, M<double>, M<double>, M<double>, M<double>,
                           M<double>, M<double>) {
  return M<double>("Stub called.");
}

}  // namespace korvex
