// plot_fixture.h: helpers of the graphics tests: each test runs in a fresh empty working
// directory (the plot files are written to the working directory) with the plot state as
// start-up leaves it, and reads files back whole or line by line.
#ifndef KORVEX_TESTS_GRAPHICS_PLOT_FIXTURE_H
#define KORVEX_TESTS_GRAPHICS_PLOT_FIXTURE_H

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../support/matrix_builders.h"

namespace korvex_test {

inline std::string slurp(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

inline bool file_exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

inline void set_command(char (&dst)[256], const std::string& text) {
  std::snprintf(dst, sizeof dst, "%s", text.c_str());
}

class PlotDir : public testing::Test {
 protected:
  void SetUp() override {
    char here[PATH_MAX];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    home = here;
    char tmpl[] = "/tmp/korvex_plot_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    ASSERT_EQ(chdir(dir.c_str()), 0);
    korvex::plot_init();
    korvex::plot_pause = 1;
    set_command(korvex::plotter_cmd, "true");
    set_command(korvex::viewer_cmd, "true");
  }
  void TearDown() override {
    if (korvex::plot_state.file_open) korvex::plot_close();
    korvex::image_pending = 0;
    korvex::image_map = korvex::M<double>(0, 0, 0);
    if (chdir(home.c_str()) != 0) std::abort();
  }
  // The command file as plot_emit writes it for the current state.
  std::vector<std::string> emitted() {
    korvex::plot_open(0);
    korvex::plot_emit();
    korvex::plot_close();
    return lines_of(slurp("kvlb.gnu"));
  }
  std::string home, dir;
};

}  // namespace korvex_test

#endif  // KORVEX_TESTS_GRAPHICS_PLOT_FIXTURE_H
