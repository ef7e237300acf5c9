// Tests of the start-up and end routines. initM changes process-wide state (streams, signal
// disposition, environment-driven command names), so each check runs in a death-test child.
#include <signal.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <sstream>

#include "../support/matrix_builders.h"
#include "scratch.h"

using namespace korvex;

namespace {

void clear_command_env() {
  for (const char* v : {"KORVEXVIEWER", "korvexviewer", "KORVEXPLAYER", "korvexplayer",
                        "KORVEXGNUPLOT", "korvexgnuplot"})
    unsetenv(v);
}

std::istringstream in_stream;
std::ostringstream out_text, err_text;

void start() { initM(in_stream, out_text, err_text); }

}  // namespace

TEST(ByteOrder, ProbeKnowsBothOrdersAndNothingElse) {
  const unsigned char big[2] = {0x12, 0x34}, little[2] = {0x34, 0x12}, odd[2] = {0x12, 0x12};
  EXPECT_EQ(byte_order_of(big), 1);
  EXPECT_EQ(byte_order_of(little), 0);
  EXPECT_ERROR(byte_order_of(odd), "initmat: dono");
}

void check_started_globals() {
    CHILD_BEGIN;
    clear_command_env();
    CHILD_CHECK(pi.size() == 0 && inf_value == 0 && korlibout_p == nullptr);
    byte_order_flag = 7;
    plot_state.nseries = 5;
    image_pending = 1;
    display_short = 0;
    out_text.precision(12);
    start();
    CHILD_CHECK(display_short == 1 && out_text.precision() == 4);
    CHILD_CHECK(korlibin_p == &in_stream && korlibout_p == &out_text &&
                korliberr_p == &err_text);
    CHILD_CHECK(byte_order_flag == 0);  // this host stores the low byte first
    CHILD_CHECK(std::isinf(inf_value) && inf_value > 0);
    std::uint64_t bits;
    std::memcpy(&bits, &nan_value, sizeof bits);
    CHILD_CHECK(bits == 0x7FFFFFFFFFFFFFFFull);
    CHILD_CHECK(eps_double == 0x1p-52 && eps_float == 0x1p-23);
    CHILD_CHECK(*pi.addr() == 3.141592653589793 && pi_value == *pi.addr());
    CHILD_CHECK(std::strcmp(pi.getname(), "pi") == 0);
    CHILD_CHECK(*eps.addr() == 0x1p-52 && std::isinf(*Inf.addr()) && std::isnan(*NaN.addr()));
    CHILD_CHECK(i.isc() && *i.addr() == 0 && *i.addi() == 1 && j.isc() && *j.addi() == 1);
    CHILD_CHECK(std::strcmp(j.getname(), "j") == 0);
    char buf[40];
    Mstr(computer_name, buf, sizeof buf);
    CHILD_CHECK(std::strcmp(buf, "UNIX KORVEX") == 0 && isstr(computer_name));
    Mstr(version, buf, sizeof buf);
    CHILD_CHECK(std::strcmp(buf, "KORVEX!") == 0);
    Mstr(mfilename, buf, sizeof buf);
    CHILD_CHECK(std::strcmp(buf, "KORVEX compiled application.") == 0);
    CHILD_CHECK(*stdinM.addr() == 0 && *stdoutM.addr() == 1 && *stderrM.addr() == 2);
    CHILD_CHECK(*TICTOC.addr() == 0 && *lasterr.addr() == 0 && nargin == 0 && nargout == 0);
    CHILD_CHECK(plot_state.nseries == 0 && plot_state.file_open == 0 && image_pending == 0);
    CHILD_CHECK(std::strcmp(viewer_cmd, "xv") == 0 && std::strcmp(player_cmd, "kvwave") == 0 &&
                std::strcmp(plotter_cmd, "gnuplot") == 0);
    CHILD_CHECK(out_text.str().empty() && err_text.str().empty());
    // The runtime's errors now go to the bound error stream.
    warning("w");
    CHILD_CHECK(err_text.str() == "warning: w\n");
    CHILD_END;
}

TEST(InitM, GivesTheGlobalsTheirValuesAndBindsTheStreams) {
  EXPECT_EXIT(check_started_globals(), testing::ExitedWithCode(0), "^$");
}

void check_trace_words() {
  CHILD_BEGIN;
  trace_startup = 1;
  start();
  CHILD_CHECK(out_text.str() ==
              "assert\ninitmat\nresetfpu\nsignal\nieee_compose\ninit const\ngrafinit\n"
              "getenv\n");
  CHILD_END;
}

TEST(InitM, TracesItsStepsInOrderWhenAsked) {
  EXPECT_EXIT(check_trace_words(), testing::ExitedWithCode(0), "^$");
}

void check_fpe_ignored() {
  CHILD_BEGIN;
  start();
  struct sigaction now;
  sigaction(SIGFPE, nullptr, &now);
  CHILD_CHECK(now.sa_handler == SIG_IGN);
  const M<double> q = dot_div(M<double>(1.0), M<double>(0.0));
  CHILD_CHECK(std::isinf(*q.addr()));
  raise(SIGFPE);
  CHILD_END;
}

// Division by zero gives an infinity whatever the trap settings, and a raised SIGFPE is
// ignored instead of ending the process.
TEST(InitM, FloatingPointExceptionsNoLongerStopTheProgram) {
  EXPECT_EXIT(check_fpe_ignored(), testing::ExitedWithCode(0), "^$");
}

void check_plotter_from_env(const char* upper, const char* lower, const char* want) {
  CHILD_BEGIN;
  clear_command_env();
  if (upper) setenv("KORVEXGNUPLOT", upper, 1);
  if (lower) setenv("korvexgnuplot", lower, 1);
  setenv("korvexviewer", "display", 1);
  setenv("KORVEXPLAYER", "aplay", 1);
  start();
  CHILD_CHECK(std::strcmp(plotter_cmd, want) == 0);
  CHILD_CHECK(std::strcmp(viewer_cmd, "display") == 0);
  CHILD_CHECK(std::strcmp(player_cmd, "aplay") == 0);
  CHILD_END;
}

TEST(InitM, CommandNamesComeFromTheFirstVariableSet) {
  struct Row {
    const char* upper;  // null: unset
    const char* lower;
    const char* want;
  } rows[] = {
      {nullptr, nullptr, "gnuplot"},
      {nullptr, "lowplot -x", "lowplot -x"},
      {"UPPLOT", "lowplot", "UPPLOT"},
      {"", "lowplot", ""},  // set but empty still counts as set
  };
  for (const Row& r : rows)
    EXPECT_EXIT(check_plotter_from_env(r.upper, r.lower, r.want), testing::ExitedWithCode(0),
                "^$");
}

const std::string longest_command(255, 'a');

void check_longest_command() {
  CHILD_BEGIN;
  clear_command_env();
  setenv("KORVEXPLAYER", longest_command.c_str(), 1);
  start();
  CHILD_CHECK(player_cmd == longest_command);
  CHILD_END;
}

// 255 characters fit the buffer; one more is refused rather than cut into another command.
TEST(InitM, OverlongCommandIsRejected) {
  EXPECT_EXIT(check_longest_command(), testing::ExitedWithCode(0), "^$");
  EXPECT_EXIT(
      {
        clear_command_env();
        setenv("korvexgnuplot", (longest_command + "b").c_str(), 1);
        initM(in_stream, out_text, std::cerr);
      },
      testing::ExitedWithCode(1),
      "^error: initM: the value of korvexgnuplot is longer than 255 characters\n$");
}

// exit runs the end of the graphics output, then ends the process with status 0.
TEST(Exit, FinishesTheGraphicsOutputAndEndsWithStatusZero) {
  const std::string d = korvex_test::scratch_dir();
  for (void (*end)() : {+[] { korvex::exit(); }, +[] { quit(); }})
    EXPECT_EXIT(
        {
          if (chdir(d.c_str()) != 0) std::abort();
          clear_command_env();
          setenv("KORVEXGNUPLOT", "sh -c 'cp \"$0\" ran.gnu'", 1);
          start();
          plot(M<double>(1.0));
          end();
        },
        testing::ExitedWithCode(0), "^$");
  EXPECT_TRUE(korvex_test::exists(d + "/ran.gnu"));
  EXPECT_EQ(korvex_test::read_file(d + "/ran.gnu"), korvex_test::read_file(d + "/kvlb.gnu"));
}
