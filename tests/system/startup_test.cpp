// Tests of the start-up and end routines. initM changes process-wide state (streams, signal
// disposition, command names from the environment), so each run happens in a death-test child
// that reports failed checks on standard error.
#include <signal.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <sstream>
#include <vector>

#include "../support/matrix_builders.h"
#include "scratch.h"

using namespace korvex;

namespace {

std::istringstream in_text;
std::ostringstream out_text, err_text;

// Start-up in a child with only the given command variables set (name, value, ...).
void start(const std::vector<std::string>& vars = {}, std::ostream& err = err_text) {
  for (const char* v : {"KORVEXVIEWER", "korvexviewer", "KORVEXPLAYER", "korvexplayer",
                        "KORVEXGNUPLOT", "korvexgnuplot"})
    unsetenv(v);
  for (auto v = vars.begin(); v != vars.end(); v += 2) setenv(v[0].c_str(), v[1].c_str(), 1);
  initM(in_text, out_text, err);
}

bool text_is(const M<double>& m, const char* want) {
  return isstr(m) && korvex_test::chars_of(m) == want;
}

void check_started_globals() {
  CHILD_BEGIN;
  CHILD_CHECK(pi.size() == 0 && inf_value == 0 && korlibout_p == nullptr);
  byte_order_flag = 7, plot_state.nseries = 5, image_pending = 1, display_short = 0;
  out_text.precision(12);
  start();
  CHILD_CHECK(korlibin_p == &in_text && korlibout_p == &out_text && korliberr_p == &err_text);
  CHILD_CHECK(byte_order_flag == (__BYTE_ORDER__ == __ORDER_BIG_ENDIAN__));
  CHILD_CHECK(std::isinf(inf_value) && inf_value > 0 && *Inf.addr() == inf_value);
  std::uint64_t bits;
  std::memcpy(&bits, NaN.addr(), sizeof bits);
  CHILD_CHECK(bits == 0x7FFFFFFFFFFFFFFFull);
  CHILD_CHECK(eps_double == 0x1p-52 && eps_float == 0x1p-23 && *eps.addr() == 0x1p-52);
  CHILD_CHECK(*pi.addr() == 3.141592653589793 && pi_value == *pi.addr());
  CHILD_CHECK(i.isc() && *i.addr() == 0 && *i.addi() == 1 && j.isc() && *j.addi() == 1);
  CHILD_CHECK(!std::strcmp(pi.getname(), "pi") && !std::strcmp(j.getname(), "j"));
  CHILD_CHECK(text_is(computer_name, "UNIX KORVEX") && text_is(version, "KORVEX!") &&
              text_is(mfilename, "KORVEX compiled application."));
  CHILD_CHECK(*stdinM.addr() == 0 && *stdoutM.addr() == 1 && *stderrM.addr() == 2);
  CHILD_CHECK(*TICTOC.addr() == 0 && *lasterr.addr() == 0 && nargin == 0 && nargout == 0);
  CHILD_CHECK(plot_state.nseries == 0 && plot_state.file_open == 0 && image_pending == 0);
  CHILD_CHECK(display_short == 1 && out_text.precision() == 4);
  CHILD_CHECK(!std::strcmp(viewer_cmd, "xv") && !std::strcmp(player_cmd, "kvwave") &&
              !std::strcmp(plotter_cmd, "gnuplot"));
  CHILD_CHECK(out_text.str().empty());
  warning("w");
  CHILD_CHECK(err_text.str() == "warning: w\n");
  // SIGFPE is ignored: division by zero gives an infinity, a raised signal is dropped.
  struct sigaction now;
  sigaction(SIGFPE, nullptr, &now);
  CHILD_CHECK(now.sa_handler == SIG_IGN && std::isinf(*dot_div(1.0, 0.0).addr()));
  raise(SIGFPE);
  CHILD_END;
}

// The upper-case variable wins over the lower-case one, which counts when it is alone; 255
// characters fit the buffer.
void check_names_from_env() {
  CHILD_BEGIN;
  start({"KORVEXGNUPLOT", "UPPLOT", "korvexgnuplot", "lowplot", "korvexviewer", "display -x",
         "KORVEXPLAYER", std::string(255, 'a')});
  CHILD_CHECK(!std::strcmp(plotter_cmd, "UPPLOT") && !std::strcmp(viewer_cmd, "display -x"));
  CHILD_CHECK(std::strlen(player_cmd) == 255);
  CHILD_END;
}

}  // namespace

TEST(ByteOrder, ProbeKnowsBothOrdersAndNothingElse) {
  const unsigned char big[2] = {0x12, 0x34}, little[2] = {0x34, 0x12}, odd[2] = {0x12, 0x12};
  EXPECT_EQ(byte_order_of(big), 1);
  EXPECT_EQ(byte_order_of(little), 0);
  EXPECT_ERROR(byte_order_of(odd), "initmat: dono");
}

TEST(InitM, GivesTheGlobalsTheirValuesBindsTheStreamsAndIgnoresSigfpe) {
  EXPECT_EXIT(check_started_globals(), testing::ExitedWithCode(0), "^$");
  // With tracing on, start-up names each of its steps as it takes it.
  EXPECT_EXIT((trace_startup = 1, start(), std::fputs(out_text.str().c_str(), stderr),
               std::exit(0)),
              testing::ExitedWithCode(0),
              "^assert\ninitmat\nresetfpu\nsignal\nieee_compose\ninit const\ngrafinit\ngetenv\n$");
}

TEST(InitM, CommandNamesComeFromTheFirstVariableSet) {
  EXPECT_EXIT(check_names_from_env(), testing::ExitedWithCode(0), "^$");
  // One character more than the buffer holds is refused rather than cut into another command.
  EXPECT_EXIT(start({"korvexgnuplot", std::string(256, 'b')}, std::cerr),
              testing::ExitedWithCode(1),
              "^error: initM: the value of korvexgnuplot is longer than 255 characters\n$");
}

// exit and quit end the graphics output (the plotter runs: it copies the command file), then
// the process with status 0.
TEST(Exit, FinishesTheGraphicsOutputAndEndsWithStatusZero) {
  for (void (*end)() : {+[] { korvex::exit(); }, +[] { quit(); }}) {
    const std::string d = korvex_test::scratch_dir();
    EXPECT_EXIT((void)(chdir(d.c_str()), start({"KORVEXGNUPLOT", "sh -c 'cp \"$0\" ran.gnu'"}),
                       plot(M<double>(1.0)), end(), 0),
                testing::ExitedWithCode(0), "^$");
    const std::string gnu = korvex_test::read_file(d + "/kvlb.gnu");
    EXPECT_EQ(gnu.substr(0, 4), "cd '");
    EXPECT_EQ(korvex_test::read_file(d + "/ran.gnu"), gnu);
  }
}
