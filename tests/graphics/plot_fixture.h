// plot_fixture.h: helpers of the graphics tests: each test runs in a fresh empty working
// directory (the plot files go to the working directory) with the plot state as start-up
// leaves it; files are read back whole.
#ifndef KORVEX_TESTS_GRAPHICS_PLOT_FIXTURE_H
#define KORVEX_TESTS_GRAPHICS_PLOT_FIXTURE_H

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "../support/matrix_builders.h"

namespace korvex_test {

inline std::string slurp(const std::string& path) {
  std::ostringstream s;
  s << std::ifstream(path).rdbuf();
  return s.str();
}

inline void set_command(char (&dst)[256], const std::string& text) {
  std::snprintf(dst, sizeof dst, "%s", text.c_str());
}

class PlotDir : public testing::Test {
 protected:
  void SetUp() override {
    char here[PATH_MAX], tmpl[] = "/tmp/korvex_plot_XXXXXX";
    ASSERT_TRUE(getcwd(here, sizeof here) && mkdtemp(tmpl) && chdir(tmpl) == 0);
    home = here, dir = tmpl;
    korvex::plot_init();
    korvex::plot_pause = 1;
    set_command(korvex::plotter_cmd, "true");
    set_command(korvex::viewer_cmd, "true");
  }
  void TearDown() override {
    korvex::plot_close();
    korvex::image_pending = 0;
    korvex::image_map = korvex::M<double>(0, 0, 0);
    ASSERT_EQ(chdir(home.c_str()), 0);
  }
  // The command file plot_emit writes for the current state, without its "cd" line.
  std::string emitted() {
    korvex::plot_open(0);
    korvex::plot_emit();
    korvex::plot_close();
    const std::string text = slurp("kvlb.gnu");
    EXPECT_EQ(text.substr(0, text.find('\n')), "cd '" + dir + "'");
    return text.substr(text.find('\n') + 1);
  }
  std::string home, dir;
};

}  // namespace korvex_test

#endif  // KORVEX_TESTS_GRAPHICS_PLOT_FIXTURE_H
