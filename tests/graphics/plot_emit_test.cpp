// Tests of the gnuplot command text (the lines of each setting, plot kind and series style as
// written out here by hand), of plot_mode under hold, of opening and closing the command file,
// and of the end-of-program step that runs the plotter and shows the image.
#include <sys/stat.h>

#include "korvex.h"
#include "plot_fixture.h"

using namespace korvex;
using namespace korvex_test;

TEST_F(PlotDir, EachSettingAndPlotKindWritesItsLines) {
  const std::string axes = "set xzeroaxis\nset yzeroaxis\nset xtics\nset ytics\n",
                    plain = axes + "set autoscale\nset nogrid\nset nocontour\nset nopolar\n",
                    key = "set nokey\nplot \\\n";
  struct Row {
    void (*set)();
    std::string text;  // after "set zero 1e-20", up to the plot line
  } rows[] = {
      {[] {}, plain + "set nologscale\n" + key},
      {[] { plot_state.axes_on = 0, plot_state.autoscale = 0, plot_state.grid = 1,
            plot_state.contour = 1; },
       "set noxzeroaxis\nset noyzeroaxis\nset noxtics\nset noytics\nset noautoscale\nset grid\n"
       "set contour base\nset nopolar\nset nologscale\n" + key},
      {[] { plot_mode(plot_logx); }, plain + "set nologscale\nset logscale x\n" + key},
      {[] { plot_mode(plot_logy); }, plain + "set nologscale\nset logscale y\n" + key},
      {[] { plot_mode(plot_loglog); },
       plain + "set nologscale\nset logscale x\nset logscale y\n" + key},
      {[] { plot_mode(plot_polar); }, axes + "set autoscale\nset nogrid\nset nocontour\n"
                                             "set polar\nset nologscale\n" + key},
      {[] { plot_mode(plot_surface); },
       plain + "set nologscale\nset nokey\nset hidden3d\nset parametric\nsplot \\\n"},
  };
  for (const Row& r : rows) {
    plot_init();
    r.set();
    EXPECT_EQ(emitted(), "set zero 1e-20\n" + r.text + "\npause -1\n");
  }
  plot_init();
  plot_pause = 0;
  EXPECT_EQ(emitted(), "set zero 1e-20\n" + rows[0].text + "\n");
}

// Ranges go through the stream's default insertion of doubles: 6 significant digits, %g.
TEST_F(PlotDir, RangesAreWrittenWithSixSignificantDigits) {
  PlotState& s = plot_state;
  s.xrange_set = s.yrange_set = s.zrange_set = 1;
  s.xmin = 0, s.xmax = 10, s.ymin = 0.5, s.ymax = 1e7, s.zmin = -1.0 / 3, s.zmax = 123456789;
  EXPECT_NE(emitted().find("set autoscale\nset xrange [0:10]\nset yrange [0.5:1e+07]\n"
                           "set zrange [-0.333333:1.23457e+08]\nset nogrid\n"),
            std::string::npos);
  plot_reset();  // the values stay, but only the flags choose
  EXPECT_EQ(emitted().find("range"), std::string::npos);
}

TEST_F(PlotDir, SeriesLinesCarryStyleWordColourAndPointType) {
  const struct {
    int style, colour;
    const char* with;  // as the first of two series, after " 'kvlb.1' w  "
  } rows[] = {{0, 0, "d 1 ,"}, {1, 1, "p 2 1,"}, {2, 0, "p 1 4,"}, {3, 6, "p 7 2,"},
              {4, 2, "p 3 6,"}, {5, 3, "4 ,"},   {6, 2, "l 3 ,"},  {7, 0, "l 1 ,"},
              {8, 4, "l 5 ,"},  {9, 5, "l 6 ,"},  {10, 0, "1 ,"}};
  for (const auto& r : rows) {
    plot_init();
    plot_state.nseries = 2;
    series_style[1] = r.style, series_color[1] = r.colour;
    series_style[2] = 7, series_color[2] = 2;
    EXPECT_NE(emitted().find("nokey\nplot \\\n 'kvlb.1' w  " + std::string(r.with) +
                             "\\\n 'kvlb.2' w  l 3 \npause -1\n"),
              std::string::npos)
        << r.style;
  }
  plot_mode(plot_surface);
  plot_state.nseries = 1;
  series_style[1] = 2, series_color[1] = 0;
  EXPECT_NE(emitted().find("set parametric\nsplot \\\n 'kvlb.1' w  p 1 4\npause -1\n"),
            std::string::npos);
}

TEST(PlotMode, HoldKeepsSettingsAndSeriesOfTheSameKindOnly) {
  const struct {
    int hold;
    PlotMode first, second;
    int kept;
  } rows[] = {{1, plot_logx, plot_logx, 1}, {0, plot_logx, plot_logx, 0},
              {1, plot_logx, plot_logy, 0}};
  for (const auto& r : rows) {
    plot_init();
    plot_mode(r.first);
    plot_state.hold = r.hold, plot_state.grid = 1, plot_state.nseries = 3;
    plot_mode(r.second);
    EXPECT_EQ(plot_state.mode, r.second);
    EXPECT_EQ(plot_state.nseries, 3 * r.kept);
    EXPECT_EQ(plot_state.grid + plot_state.hold, 2 * r.kept);
  }
}

TEST_F(PlotDir, OpenAppendsOrTruncatesAndUnusableFilesStop) {
  plot_open(0);
  plot_state.file << "first\n";
  plot_open(1);  // already open: stays open
  plot_open(0);  // open and not appending: closed, then truncated
  plot_state.file << "third\n";
  plot_close();
  EXPECT_EQ(plot_state.file_open, 0);
  EXPECT_EQ(slurp("kvlb.gnu"), "third\n");
  plot_open(0);
  plot_state.file.setstate(std::ios::badbit);
  EXPECT_ERROR(plot_close(), "closeplot:bad file");
  plot_state.file.clear();
  plot_close();
  ASSERT_EQ(remove("kvlb.gnu") | mkdir("kvlb.gnu", 0755), 0);  // a directory in its place
  EXPECT_ERROR(plot_open(0), "openplot:bad file");
}

// The plotter copies the file it is given, the viewer the image once the plotter has run (no
// ";" in the command: the runner splits there): each copy is whole only if its file was
// written and closed before the program ran.
TEST_F(PlotDir, FinishRunsThePlotterThenShowsTheImage) {
  EXPECT_EQ(plot_finish(), 0) << "nothing to do";
  set_command(plotter_cmd, "sh -c 'cp \"$0\" seen.gnu'");
  set_command(viewer_cmd, "sh -c 'test -f seen.gnu && cp \"$0\" shown.bmp'");
  plot(row({1, 2, 3}));
  image(by_rows(2, 3, {1, 2, 3, 4, 4, 4}));
  colormap(gray(M<double>(4)));
  EXPECT_EQ(plot_finish(), 1);
  EXPECT_EQ(plot_state.file_open + image_pending, 0);
  const std::string gnu = slurp("kvlb.gnu"), bmp = slurp("kvlb1.bmp");
  EXPECT_EQ(slurp("seen.gnu"), gnu);
  EXPECT_NE(gnu.find("\nplot \\\n 'kvlb.1' w  l 3 \npause -1\n"), std::string::npos);
  // Bottom row first, each index minus 1, padded to 4 bytes with palette entry 0.
  EXPECT_EQ(bmp.substr(1078), std::string("\3\3\3\0\0\1\2\0", 8));
  EXPECT_EQ(slurp("shown.bmp"), bmp);
  EXPECT_EXIT(std::exit(plot_finish() == 0 ? 0 : 2), testing::ExitedWithCode(0),
              "^warning: plot_finish: the graphics output is already finished\n$");
}
