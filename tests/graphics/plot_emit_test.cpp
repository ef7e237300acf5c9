// Tests of the gnuplot command text: the lines of each setting, plot kind and series style as
// written out here by hand, and the end-of-program step that runs the plotter.
#include <signal.h>
#include <sys/stat.h>

#include "korvex.h"
#include "plot_fixture.h"

using namespace korvex;
using korvex_test::PlotDir;
using korvex_test::set_command;
using korvex_test::slurp;
using Lines = std::vector<std::string>;

namespace {

// The lines after the directory change, with nothing but these settings changed.
Lines tail(const Lines& all) { return Lines(all.begin() + 1, all.end()); }

const Lines default_text = {
    "set zero 1e-20", "set xzeroaxis", "set yzeroaxis", "set xtics",   "set ytics",
    "set autoscale",  "set nogrid",    "set nocontour", "set nopolar", "set nologscale",
    "set nokey",      "plot \\",       "",              "pause -1"};

}  // namespace

TEST_F(PlotDir, DefaultStateWritesTheFixedPreambleAndAnEmptyPlot) {
  const Lines all = emitted();
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all[0], "cd '" + dir + "'");
  EXPECT_EQ(tail(all), default_text);
  plot_pause = 0;
  Lines no_pause = default_text;
  no_pause.pop_back();
  EXPECT_EQ(tail(emitted()), no_pause);
}

TEST_F(PlotDir, EachSettingAndPlotKindWritesItsLines) {
  struct Row {
    void (*set)();
    Lines text;  // the lines from "set xzeroaxis" up to "plot \" or "splot \"
  } rows[] = {
      {[] { plot_state.axes_on = 0; },
       {"set noxzeroaxis", "set noyzeroaxis", "set noxtics", "set noytics", "set autoscale",
        "set nogrid", "set nocontour", "set nopolar", "set nologscale", "set nokey", "plot \\"}},
      {[] {
         plot_state.autoscale = 0;
         plot_state.grid = 1;
         plot_state.contour = 1;
       },
       {"set xzeroaxis", "set yzeroaxis", "set xtics", "set ytics", "set noautoscale",
        "set grid", "set contour base", "set nopolar", "set nologscale", "set nokey",
        "plot \\"}},
      {[] { plot_mode(plot_logx); },
       {"set xzeroaxis", "set yzeroaxis", "set xtics", "set ytics", "set autoscale",
        "set nogrid", "set nocontour", "set nopolar", "set nologscale", "set logscale x",
        "set nokey", "plot \\"}},
      {[] { plot_mode(plot_logy); },
       {"set xzeroaxis", "set yzeroaxis", "set xtics", "set ytics", "set autoscale",
        "set nogrid", "set nocontour", "set nopolar", "set nologscale", "set logscale y",
        "set nokey", "plot \\"}},
      {[] { plot_mode(plot_loglog); },
       {"set xzeroaxis", "set yzeroaxis", "set xtics", "set ytics", "set autoscale",
        "set nogrid", "set nocontour", "set nopolar", "set nologscale", "set logscale x",
        "set logscale y", "set nokey", "plot \\"}},
      {[] { plot_mode(plot_polar); },
       {"set xzeroaxis", "set yzeroaxis", "set xtics", "set ytics", "set autoscale",
        "set nogrid", "set nocontour", "set polar", "set nologscale", "set nokey", "plot \\"}},
      {[] { plot_mode(plot_surface); },
       {"set xzeroaxis", "set yzeroaxis", "set xtics", "set ytics", "set autoscale",
        "set nogrid", "set nocontour", "set nopolar", "set nologscale", "set nokey",
        "set hidden3d", "set parametric", "splot \\"}},
  };
  for (const Row& r : rows) {
    plot_init();
    r.set();
    const Lines all = emitted();
    ASSERT_GE(all.size(), r.text.size() + 3);
    EXPECT_EQ(Lines(all.begin() + 2, all.end() - 2), r.text);
    EXPECT_EQ(all[1], "set zero 1e-20");
    EXPECT_EQ(Lines(all.end() - 2, all.end()), (Lines{"", "pause -1"}));
  }
}

// Ranges go through the stream's default insertion of doubles: 6 significant digits, %g.
TEST_F(PlotDir, RangesAreWrittenWithSixSignificantDigits) {
  plot_state.xrange_set = plot_state.yrange_set = plot_state.zrange_set = 1;
  plot_state.xmin = 0, plot_state.xmax = 10;
  plot_state.ymin = 0.5, plot_state.ymax = 1e7;
  plot_state.zmin = -1.0 / 3, plot_state.zmax = 123456789;
  const Lines all = emitted();
  const Lines want = {"set autoscale", "set xrange [0:10]", "set yrange [0.5:1e+07]",
                      "set zrange [-0.333333:1.23457e+08]", "set nogrid"};
  EXPECT_EQ(Lines(all.begin() + 6, all.begin() + 11), want);
  // Only the flags choose: a reset keeps the values but writes no range.
  plot_reset();
  EXPECT_EQ(tail(emitted()), default_text);
  EXPECT_EQ(plot_state.ymax, 1e7);
}

TEST_F(PlotDir, SeriesLinesCarryStyleWordColourAndPointType) {
  struct Row {
    int style, colour;
    const char* line;  // as the first of two series, so with ",\"
  } rows[] = {
      {0, 0, " 'kvlb.1' w  d 1 ,\\"},  {1, 1, " 'kvlb.1' w  p 2 1,\\"},
      {2, 0, " 'kvlb.1' w  p 1 4,\\"}, {3, 6, " 'kvlb.1' w  p 7 2,\\"},
      {4, 2, " 'kvlb.1' w  p 3 6,\\"}, {5, 3, " 'kvlb.1' w  4 ,\\"},
      {6, 2, " 'kvlb.1' w  l 3 ,\\"},  {7, 0, " 'kvlb.1' w  l 1 ,\\"},
      {8, 4, " 'kvlb.1' w  l 5 ,\\"},  {9, 5, " 'kvlb.1' w  l 6 ,\\"},
      {10, 0, " 'kvlb.1' w  1 ,\\"},   {-1, 0, " 'kvlb.1' w  1 ,\\"},
  };
  for (const Row& r : rows) {
    plot_init();
    plot_state.nseries = 2;
    series_style[1] = r.style, series_color[1] = r.colour;
    series_style[2] = 7, series_color[2] = 2;
    const Lines all = emitted();
    ASSERT_GE(all.size(), 4u);
    EXPECT_EQ(all[all.size() - 3], r.line) << "style " << r.style;
    EXPECT_EQ(all[all.size() - 2], " 'kvlb.2' w  l 3 ");
    EXPECT_EQ(all[all.size() - 4], "plot \\");
  }
}

TEST_F(PlotDir, SurfaceSeriesFollowSplotAndTheLastEndsTheCommand) {
  plot_mode(plot_surface);
  plot_state.nseries = 1;
  series_style[1] = 6, series_color[1] = 2;
  plot_pause = 0;
  const Lines all = emitted();
  EXPECT_EQ(Lines(all.end() - 5, all.end()),
            (Lines{"set nokey", "set hidden3d", "set parametric", "splot \\",
                   " 'kvlb.1' w  l 3 "}));
}

TEST(DataFileName, NumbersTheSeriesFilesInTheSharedBuffer) {
  EXPECT_STREQ(data_file_name(1), "kvlb.1");
  const char* p = data_file_name(40);
  EXPECT_STREQ(p, "kvlb.40");
  EXPECT_EQ(p, data_file_buffer);
  data_file_name(7);
  EXPECT_STREQ(p, "kvlb.7") << "the returned text is overwritten by the next call";
}

TEST(PlotMode, HoldKeepsTheSeriesOfTheSameKindOnly) {
  struct Row {
    int hold;
    PlotMode first, second;
    int series_after;
  } rows[] = {
      {1, plot_logx, plot_logx, 3},
      {0, plot_logx, plot_logx, 0},
      {1, plot_logx, plot_logy, 0},
      {1, plot_linear, plot_linear, 3},
  };
  for (const Row& r : rows) {
    plot_init();
    plot_mode(r.first);
    plot_state.hold = r.hold;
    plot_state.grid = 1;
    plot_state.nseries = 3;
    plot_mode(r.second);
    EXPECT_EQ(plot_state.nseries, r.series_after);
    EXPECT_EQ(plot_state.grid, r.series_after ? 1 : 0) << "settings go with the series";
    EXPECT_EQ(plot_state.mode, r.second);
    EXPECT_EQ(plot_state.hold, r.series_after ? 1 : 0);
  }
}

TEST_F(PlotDir, OpenAppendsOrTruncatesAndCloseMarksClosed) {
  plot_open(0);
  plot_state.file << "first\n";
  plot_open(1);  // already open: stays open, nothing lost
  plot_state.file << "second\n";
  plot_close();
  EXPECT_EQ(plot_state.file_open, 0);
  EXPECT_EQ(slurp("kvlb.gnu"), "first\nsecond\n");
  plot_open(1);
  plot_state.file << "third\n";
  plot_open(0);  // open and not appending: closed, then truncated
  plot_state.file << "fourth\n";
  plot_close();
  EXPECT_EQ(slurp("kvlb.gnu"), "fourth\n");
  plot_close();  // closing a closed file is harmless
  EXPECT_EQ(plot_state.file_open, 0);
}

TEST_F(PlotDir, UnopenableCommandFileStops) {
  ASSERT_EQ(mkdir("kvlb.gnu", 0755), 0);  // a directory in its place: even root cannot open it
  EXPECT_ERROR(plot_open(0), "openplot:bad file");
  ASSERT_EQ(chdir("/proc"), 0);  // read-only for every user
  EXPECT_ERROR(plot_open(0), "openplot:bad file");
  // A stream that went bad while writing is reported when the file is closed.
  ASSERT_EQ(chdir(dir.c_str()), 0);
  ASSERT_EQ(rmdir("kvlb.gnu"), 0);
  plot_open(0);
  plot_state.file.setstate(std::ios::badbit);
  EXPECT_ERROR(plot_close(), "closeplot:bad file");
  plot_state.file.clear();
}

TEST_F(PlotDir, FinishRunsThePlotterOnTheCompleteClosedFile) {
  EXPECT_EQ(plot_finish(), 0) << "nothing to do";
  // The plotter copies the file it is given: the copy is complete only if the file was
  // written and closed before the plotter ran.
  set_command(plotter_cmd, "sh -c 'cp \"$0\" seen.gnu'");
  plot(korvex_test::rowwise::row({1, 2, 3}));
  EXPECT_EQ(plot_finish(), 1);
  EXPECT_EQ(plot_state.file_open, 0);
  const Lines seen = korvex_test::lines_of(slurp("seen.gnu"));
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[seen.size() - 2], " 'kvlb.1' w  l 3 ");
  EXPECT_EQ(seen.back(), "pause -1");
  EXPECT_EQ(slurp("seen.gnu"), slurp("kvlb.gnu"));
}

TEST_F(PlotDir, SecondFinishDoesNothingAndSaysSo) {
  plot(korvex_test::rowwise::row({1, 2}));
  EXPECT_EXIT(
      {
        const int first = plot_finish();
        const int second = plot_finish();
        std::exit(first == 1 && second == 0 ? 0 : 2);
      },
      testing::ExitedWithCode(0),
      "^warning: plot_finish: the graphics output is already finished\n$");
}

TEST_F(PlotDir, PlotterThatCannotStartEndsTheProgram) {
  // Any command starting with the plotter's name draws the plotter's message.
  set_command(plotter_cmd, "true");
  plot(korvex_test::rowwise::row({1, 2}));
  EXPECT_ERROR(
      {
        signal(SIGCHLD, SIG_IGN);  // system() then cannot wait and returns -1
        plot_finish();
      },
      "Could not run Gnuplot. To obtain Gnuplot, see documentation.");
}

// The pending image is written as "kvlb1.bmp" after the plot and handed to the viewer.
TEST_F(PlotDir, FinishWritesAndShowsThePendingImage) {
  set_command(plotter_cmd, "sh -c 'cp \"$0\" seen.gnu'");
  // No ";" in the command: the runner would split the text there. The viewer copies the image
  // only once the plotter has run.
  set_command(viewer_cmd, "sh -c 'test -f seen.gnu && cp \"$0\" shown.bmp'");
  plot(korvex_test::rowwise::row({1, 2}));
  image(korvex_test::rowwise::mat(2, 3, {1, 2, 3, 4, 4, 4}));
  colormap(gray(M<double>(4)));
  EXPECT_EQ(plot_finish(), 1);
  EXPECT_EQ(image_pending, 0);
  const std::string bmp = slurp("kvlb1.bmp");
  EXPECT_EQ(bmp.size(), 1078u + 2 * 4);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  // Bottom row first, each index minus 1, padded to 4 bytes with palette entry 0.
  EXPECT_EQ(bmp.substr(1078), std::string("\3\3\3\0\0\1\2\0", 8));
  EXPECT_EQ(slurp("shown.bmp"), bmp);
  EXPECT_FALSE(plot_state.file_open);
}

TEST_F(PlotDir, ViewerThatCannotStartEndsTheProgram) {
  image(korvex_test::rowwise::mat(1, 1, {1}));
  set_command(viewer_cmd, "true");
  set_command(plotter_cmd, "gnuplot");
  EXPECT_ERROR(
      {
        signal(SIGCHLD, SIG_IGN);
        plot_finish();
      },
      "Could not run .bmp viewer, see documentation.");
}
