// Tests of the shell commands: the splitting of command lists, the real shell running them,
// the failure messages of run_external, and the argument checks of systemM, dos and type.
#include <signal.h>
#include <unistd.h>

#include <string>

#include "../support/matrix_builders.h"
#include "scratch.h"

using namespace korvex;
using namespace korvex_test;

namespace {

// With SIGCHLD ignored the kernel reaps every child at once, so the wait inside system()
// fails and system() returns -1: the one way system() itself fails for an ordinary user.
void make_system_fail() { signal(SIGCHLD, SIG_IGN); }

void set_name(char (&dst)[256], const char* text) { std::snprintf(dst, sizeof dst, "%s", text); }

}  // namespace

TEST(SystemM, RunsThePiecesInOrderThroughTheShell) {
  const std::string d = scratch_dir();
  // The second piece appends to what the first wrote; the third lists both files, which
  // exist only if the first two ran before it.
  const std::string cmd =
      "echo one > " + d + "/a; echo two >> " + d + "/a\n;;ls " + d + " > " + d + "/list";
  EXPECT_TRUE(systemM(M<double>(cmd.c_str())).issamename(noval_name));
  EXPECT_EQ(read_file(d + "/a"), "one\ntwo\n");
  EXPECT_EQ(read_file(d + "/list"), "a\nlist\n");
  // dos is the same command; a piece that fails with a non-zero status goes unnoticed.
  dos(M<double>(("false; touch " + d + "/after").c_str()));
  EXPECT_TRUE(exists(d + "/after"));
}

// Only separators: no piece is handed to system(), so even a failing system() is not reached;
// a text with one real piece reaches it and answers -1.
TEST(SystemM, TextOfOnlySeparatorsRunsNothing) {
  EXPECT_EXIT((make_system_fail(), systemM(M<double>(";;\n;\n\n")), systemM(M<double>("")),
               std::exit(run_command_list(";\ntrue") == -1 ? 0 : 2)),
              testing::ExitedWithCode(0), "^$");
}

namespace {

// In a child: the command names set, system() made to fail, then run_external. An empty
// plotter name stands for the module, where start-up never runs and all three names are empty.
// The commands do run (only the wait for them fails), so they are kept quiet.
void fail_with_names(const char* plotter, const std::string& command) {
  set_name(plotter_cmd, plotter);
  set_name(viewer_cmd, *plotter ? "xv" : "");
  set_name(player_cmd, *plotter ? "kvwave" : "");
  make_system_fail();
  run_external(command.c_str());
}

}  // namespace

TEST(RunExternal, FailureMessageFollowsTheProgramNamedAtTheStart) {
  const std::string gnuplot = "Could not run Gnuplot. To obtain Gnuplot, see documentation.";
  const std::string long_command = "true " + std::string(1500, 'x') + "END";
  const struct {
    const char* plotter;
    std::string command, message;
  } rows[] = {
      {"gnuplot", "gnuplot kvlb.gnu 2>/dev/null", gnuplot},
      {"gnuplot", "xv kvlb1.bmp 2>/dev/null", "Could not run .bmp viewer, see documentation."},
      {"gnuplot", "kvwave a.wav 2>/dev/null", "Could not run .wav player, see documentation."},
      {"gnuplot", "gnuplo 2>/dev/null", "system: could not run gnuplo 2>/dev/null"},
      {"x", "xv a.bmp 2>/dev/null", gnuplot},  // the plotter's name is compared first
      {"", "gnuplot kvlb.gnu 2>/dev/null", "system: could not run gnuplot kvlb.gnu 2>/dev/null"},
      {"gnuplot", long_command, "system: could not run " + long_command},  // however long
  };
  for (const auto& r : rows) EXPECT_ERROR(fail_with_names(r.plotter, r.command), r.message);
}

// The plotter running on its file is tested with plot_finish in tests/graphics.
TEST(RunPlotter, LineOfPlotterAndArgumentIsBounded) {
  // 1023 characters fit the plotter's line; 1024 do not.
  set_name(plotter_cmd, "true");
  run_plotter(std::string(1018, 'a').c_str());
  EXPECT_ERROR(run_plotter(std::string(1019, 'a').c_str()),
               "run_plotter: command longer than 1023 characters");
  // An empty plotter name: the line is the blank and the argument.
  plotter_cmd[0] = '\0';
  EXPECT_ERROR((make_system_fail(), run_plotter("true")), "system: could not run  true");
}

TEST(SystemM, NonTextAndOverlongArgumentsAreRejected) {
  EXPECT_ERROR(systemM(M<double>(115.0)), "system: argument not a string");
  EXPECT_ERROR(dos(M<double>(0, 0, 0)), "dos: argument not a string");
  EXPECT_ERROR(type(M<double>(1.0)), "type: argument not a string");
  // 2045 characters run as they are; one more is an error, not a shorter command.
  const std::string fits = "true" + std::string(2041, ' ');
  systemM(M<double>(fits.c_str()));
  EXPECT_ERROR(systemM(M<double>((fits + ";").c_str())),
               "system: text longer than 2045 characters");
  EXPECT_ERROR(dos(M<double>((fits + " ").c_str())), "dos: text longer than 2045 characters");
  // type puts "type " in front, leaving 2040 characters for the name.
  type(M<double>(("true>/dev/null" + std::string(2026, ' ')).c_str()));
  EXPECT_ERROR(type(M<double>(("true" + std::string(2037, ' ')).c_str())),
               "type: text longer than 2040 characters");
}

// type and dir print through the shell; the child sends its standard output to standard error,
// where the death test reads it.
TEST(SystemM, TypeAndDirRunTheirShellCommands) {
  EXPECT_EXIT((dup2(2, 1), type(M<double>("notes_korvex_nowhere")), std::exit(0)),
              testing::ExitedWithCode(0), "notes_korvex_nowhere: not found");
  const std::string d = scratch_dir();
  std::fclose(std::fopen((d + "/marker_file").c_str(), "w"));
  EXPECT_EXIT((dup2(2, 1), std::exit(chdir(d.c_str()) == 0 ? (dir(), 0) : 3)),
              testing::ExitedWithCode(0), "^marker_file\n$");
}

TEST(SystemM, StubCommandsAnswerWithTheirTexts) {
  const M<double> a(1.0);
  EXPECT_TRUE(isstr(whos()));
  EXPECT_EQ(chars_of(whos()), "not supported.");
  EXPECT_EQ(chars_of(system_dependent(a, a, a, a, a, a, a, a)), "Stub called.");
  EXPECT_EQ(a.pc(), 1) << "the eight arguments are released";
}
