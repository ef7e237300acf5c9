// startup.cpp: the start-up routine initM, which gives the runtime globals their working values
// and binds the streams, and the end routines exitM, exit and quit.
#include <csignal>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>

#include "korvex.h"

namespace korvex {

namespace {

// Writes a start-up step's word while tracing is on.
void trace(std::ostream& out, const char* word) {
  if (trace_startup) out << word << std::endl;
}

// The first of the two variables that is set, else the fallback. A value that does not fit the
// 256-byte buffer is an error: a shortened command would run a different program.
void command_from_env(char (&dst)[256], const char* upper, const char* lower,
                      const char* fallback) {
  const char* name = upper;
  const char* value = std::getenv(upper);
  if (value == nullptr) name = lower, value = std::getenv(lower);
  if (value == nullptr) value = fallback;
  if (std::strlen(value) > sizeof dst - 1)
    error("initM: the value of %s is longer than 255 characters", name);
  std::strcpy(dst, value);
}

}  // namespace

int byte_order_of(const unsigned char (&bytes)[2]) {
  if (bytes[0] == 0x12 && bytes[1] == 0x34) return 1;
  if (bytes[0] == 0x34 && bytes[1] == 0x12) return 0;
  error("initmat: dono");
}

void initM(std::istream& in, std::ostream& out, std::ostream& err) {
  korlibin_p = &in;
  korlibout_p = &out;
  korliberr_p = &err;
  trace(out, "assert");

  trace(out, "initmat");
  const std::uint16_t probe = 0x1234;
  unsigned char bytes[2];
  std::memcpy(bytes, &probe, sizeof bytes);
  byte_order_flag = byte_order_of(bytes);

  trace(out, "resetfpu");

  trace(out, "signal");
  std::signal(SIGFPE, SIG_IGN);

  trace(out, "ieee_compose");
  inf_value = ieee_compose(0, 0, 2047, 0);
  nan_value = ieee_compose(0xFFFFFFFFu, 0xFFFFFu, 2047, 0);

  trace(out, "init const");
  eps_double = std::pow(2.0, -52);
  eps_float = std::pow(2.0, -23);
  nargin = 0;
  nargout = 0;
  TICTOC = 0.0;
  computer_name = "UNIX KORVEX";
  version = "KORVEX!";
  M<double> unit(1, 1, 1);
  *unit.addr() = 0;
  *unit.addi() = 1.0;
  i = unit;
  j = i;
  mfilename = "KORVEX compiled application.";
  stdinM = 0.0;
  stdoutM = 1.0;
  stderrM = 2.0;
  pi_value = 3.14159265358979323846;
  pi = pi_value;
  NaN = nan_value;
  Inf = inf_value;
  eps = eps_double;
  lasterr = 0.0;

  trace(out, "grafinit");
  plot_init();

  format(M<double>("short"));

  trace(out, "getenv");
  command_from_env(viewer_cmd, "KORVEXVIEWER", "korvexviewer", "xv");
  command_from_env(player_cmd, "KORVEXPLAYER", "korvexplayer", "kvwave");
  command_from_env(plotter_cmd, "KORVEXGNUPLOT", "korvexgnuplot", "gnuplot");
}

void exitM() { plot_finish(); }

void exit() {
  exitM();
  std::exit(0);
}

void quit() { exit(); }

}  // namespace korvex
