// Tests of the plotting builtins: the series they split their arguments into, the data files,
// the styles and colours recorded, the 40-series limit, the surface and the settings.
#include <unistd.h>

#include <cmath>

#include "korvex.h"
#include "plot_fixture.h"

using namespace korvex;
using namespace korvex_test;

namespace {
M<double> y23() { return by_rows(2, 3, {1, 2, 3, 4, 5, 6}); }
}  // namespace

TEST_F(PlotDir, SeriesAreSplitAndWrittenAsColumnsGnuplotReads) {
  const struct {
    void (*draw)();
    int series;
    const char* last;  // the last series' data file
  } rows[] = {
      {[] { plot(row({2, 1.0 / 3, -0.0})); }, 1, "1 2\n2 0.33333333333333331\n3 -0\n"},
      {[] { plot(col({1, 2}), row({HUGE_VAL, NAN})); }, 1, "1 NaN\n2 NaN\n"},
      {[] { plot(crow({1, 2}, {3, 4})); }, 1, "1 3\n2 4\n"},          // imag vs real
      {[] { plot(row({10, 20}), y23()); }, 3, "10 3\n20 6\n"},        // per column
      {[] { plot(row({7, 8, 9}), y23()); }, 2, "7 4\n8 5\n9 6\n"},    // per row
      {[] { plot(y23()); }, 3, "1 3\n2 6\n"},
      {[] { plot(col({1, 2}), y23(), y23(), col({5, 6})); }, 6, "3 5\n6 6\n"},
      {[] { plot(by_rows(2, 2, {1, 2, 3, 4}), by_rows(2, 2, {5, 6, 7, 8})); }, 2, "2 6\n4 8\n"},
      {[] { plot(M<double>(0, 0, 0)); }, 0, ""},
  };
  for (const auto& r : rows) {
    r.draw();
    EXPECT_EQ(plot_state.nseries, r.series) << "a new plot without hold starts again";
    EXPECT_EQ(plot_state.file_open, 1);
    if (r.series) { EXPECT_EQ(slurp(data_file_name(r.series)), r.last); }
  }
  const M<double> x = row({1, 2});
  EXPECT_ERROR(plot(x, row({1, 2, 3})), "plot: x and y differ in length");
  EXPECT_ERROR(plot(by_rows(2, 2, {1, 2, 3, 4}), y23()), "plot: x and y differ in size");
  EXPECT_ERROR(plot(M<double>("r"), x), "plot: style text without data");
  EXPECT_ERROR(polar(x, x, M<double>("r"), x), "polar: needs angles and radii");
}

TEST_F(PlotDir, StyleTextsChooseStyleAndColour) {
  const struct {
    const char* text;
    int style, colour;
  } rows[] = {
      {"r", 6, 0},  {"g-", 6, 1},  {"b--", 7, 2}, {"c:", 8, 3}, {"m-.", 9, 4},
      {"y.", 0, 5}, {"k+", 1, 6},  {"ws", 2, 7},  {"x", 3, 2},  {"*r", 3, 0},
      {"o-", 4, 2}, {"--o", 4, 2}, {"", 6, 2},
  };
  const M<double> x = row({1, 2});
  for (const auto& r : rows) {
    plot(x, x, M<double>(r.text));
    EXPECT_EQ(series_style[1] * 10 + series_color[1], r.style * 10 + r.colour) << r.text;
  }
  EXPECT_ERROR(plot(x, x, M<double>("rg")), "plot: bad style text: rg");
  EXPECT_ERROR(plot(x, x, M<double>("r-----------------")), "plot: style text too long");
  // Without a colour letter the series take blue, green, red, cyan, magenta, yellow, black.
  plot(x, zeros(M<double>(2), M<double>(4)), x, x, M<double>("o"));
  const int cycle[] = {2, 1, 0, 3, 4};
  for (int k = 1; k <= 5; k++) EXPECT_EQ(series_color[k], cycle[k - 1]) << k;
}

// Each family selects its plot kind; under hold the series add up across calls, and the 41st
// stops before any file is written.
TEST_F(PlotDir, FamiliesSelectTheirKindAndFortyFirstSeriesIsAnError) {
  M<double> (*families[])(M<double>, M<double>, M<double>) = {plot, semilogx, semilogy, loglog,
                                                              polar};
  const M<double> x = row({1, 2});
  for (int m = 0; m < 5; m++) {
    families[m](x, row({3, 4}), M<double>("r+"));
    EXPECT_EQ(plot_state.mode * 100 + plot_state.nseries * 10 + series_style[1], m * 100 + 11);
    EXPECT_EQ(slurp("kvlb.1"), "1 3\n2 4\n");
  }
  semilogy(x, zeros(M<double>(2), M<double>(38)));  // a new kind: settings reset, hold off
  hold(M<double>("on"));
  semilogy(x, x);
  semilogy(x, x);
  EXPECT_EQ(plot_state.nseries, 40);
  EXPECT_EQ(series_color[40], 4) << "the cycle of 7 default colours goes on";
  EXPECT_ERROR(semilogy(x, x), "semilogy: more than 40 series");
  plot(zeros(M<double>(2), M<double>(40)));
  EXPECT_ERROR(plot(zeros(M<double>(2), M<double>(41))), "plot: more than 40 series");
  EXPECT_NE(access("kvlb.40", F_OK), -1);
  EXPECT_EQ(access("kvlb.41", F_OK), -1);
}

// x along the columns, y along the rows, as vectors or as matrices of z's shape.
TEST_F(PlotDir, MeshWritesOneGridBlockPerColumn) {
  const M<double> z = by_rows(2, 3, {1, 2, 3, 4, 5, 6}, "z");
  mesh(z);
  EXPECT_EQ(plot_state.mode * 10 + plot_state.nseries, 51);
  EXPECT_EQ(slurp("kvlb.1"), "1 1 1\n1 2 4\n\n2 1 2\n2 2 5\n\n3 1 3\n3 2 6\n");
  mesh(row({0.5, 1, 2}), col({10, 20}), z);
  EXPECT_EQ(slurp("kvlb.1"), "0.5 10 1\n0.5 20 4\n\n1 10 2\n1 20 5\n\n2 10 3\n2 20 6\n");
  mesh(by_rows(2, 2, {1, 2, 1, 2}), by_rows(2, 2, {3, 3, 4, 4}), by_rows(2, 2, {5, 6, 7, 8}));
  EXPECT_EQ(slurp("kvlb.1"), "1 3 5\n1 4 7\n\n2 3 6\n2 4 8\n");
  EXPECT_ERROR(mesh(row({1, 2, 3}, "v")), "mesh: v is not a matrix");
  EXPECT_ERROR(mesh(row({1, 2}), row({1, 2}), z), "mesh: x and y do not match the size of z");
}

TEST_F(PlotDir, HoldGridAndAxisSetTheState) {
  PlotState& s = plot_state;
  hold();
  grid(M<double>("on"));
  EXPECT_EQ(s.hold + s.grid, 2);
  hold(M<double>("OFF"));
  grid();
  EXPECT_EQ(s.hold + s.grid, 0);
  EXPECT_ERROR(hold(M<double>("maybe")), "hold: unknown option: maybe");
  EXPECT_ERROR(grid(M<double>(1.0)), "grid: unknown option");
  axis(row({0, 10, -1, 1}));
  EXPECT_EQ(s.autoscale * 100 + s.xrange_set * 10 + s.yrange_set + s.zrange_set, 11);
  EXPECT_EQ(s.xmax * 10 + s.ymin, 99);
  axis(row({0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(s.zmax * 10 + s.zrange_set, 51);
  axis(M<double>("auto"));
  EXPECT_EQ(s.autoscale * 100 + s.xrange_set * 10 + s.yrange_set + s.zrange_set, 100);
  axis(M<double>("off"));
  EXPECT_EQ(s.axes_on, 0);
  axis(M<double>("on"));
  EXPECT_EQ(s.axes_on, 1);
  EXPECT_ERROR(axis(row({0, 1, 2})), "axis: needs 4 or 6 real limits");
  EXPECT_ERROR(axis(row({0, 1, 2, HUGE_VAL})), "axis: limits must be finite");
  EXPECT_ERROR(axis(M<double>("tight")), "axis: unknown option: tight");
}
