// Tests of the plotting builtins: the series they split their arguments into, the data files
// they write, the styles and colours they record, the 40-series limit and the settings.
#include <cmath>

#include "korvex.h"
#include "plot_fixture.h"

using namespace korvex;
using korvex_test::file_exists;
using korvex_test::PlotDir;
using korvex_test::slurp;
using korvex_test::rowwise::col;
using korvex_test::rowwise::crow;
using korvex_test::rowwise::mat;
using korvex_test::rowwise::row;

TEST_F(PlotDir, SeriesAreSplitAndWrittenAsColumnsGnuplotReads) {
  const double third = 1.0 / 3;
  plot(row({2, third, -0.0}));  // y alone: x is the index
  EXPECT_EQ(slurp("kvlb.1"), "1 2\n2 0.33333333333333331\n3 -0\n");
  plot(col({1, 2}), row({HUGE_VAL, 5}));  // non-finite as NaN
  EXPECT_EQ(slurp("kvlb.1"), "1 NaN\n2 5\n");
  EXPECT_EQ(plot_state.nseries, 1) << "a new plot without hold starts again";
  // A complex y alone: imaginary against real part.
  plot(crow({1, 2}, {3, 4}));
  EXPECT_EQ(slurp("kvlb.1"), "1 3\n2 4\n");
  // A matrix y: one series per column when x runs along its rows, per row when along its
  // columns; two matrices pair their columns.
  const M<double> y = mat(2, 3, {1, 2, 3, 4, 5, 6});
  plot(row({10, 20}), y);
  EXPECT_EQ(plot_state.nseries, 3);
  EXPECT_EQ(slurp("kvlb.3"), "10 3\n20 6\n");
  plot(row({7, 8, 9}), y);
  EXPECT_EQ(plot_state.nseries, 2);
  EXPECT_EQ(slurp("kvlb.2"), "7 4\n8 5\n9 6\n");
  plot(y);
  EXPECT_EQ(slurp("kvlb.2"), "1 2\n2 5\n");
  plot(mat(2, 2, {1, 2, 3, 4}), mat(2, 2, {5, 6, 7, 8}));
  EXPECT_EQ(slurp("kvlb.2"), "2 6\n4 8\n");
  // An empty y adds nothing.
  plot(M<double>(0, 0, 0));
  EXPECT_EQ(plot_state.nseries, 0);
  EXPECT_EQ(plot_state.file_open, 1);
}

TEST_F(PlotDir, StyleTextsChooseStyleAndColour) {
  struct Row {
    const char* text;
    int style, colour;
  } rows[] = {
      {"r", 6, 0},   {"g-", 6, 1},  {"b--", 7, 2}, {"c:", 8, 3},  {"m-.", 9, 4}, {"y.", 0, 5},
      {"k+", 1, 6},  {"ws", 2, 7},  {"x", 3, 2},   {"*r", 3, 0},  {"o-", 4, 2},  {"--o", 4, 2},
      {"", 6, 2},
  };
  const M<double> x = row({1, 2});
  for (const Row& r : rows) {
    plot(x, x, M<double>(r.text));
    EXPECT_EQ(series_style[1], r.style) << r.text;
    EXPECT_EQ(series_color[1], r.colour) << r.text;
  }
  EXPECT_ERROR(plot(x, x, M<double>("rq")), "plot: bad style text: rq");
  EXPECT_ERROR(plot(x, x, M<double>("rg")), "plot: bad style text: rg");
  EXPECT_ERROR(plot(x, x, M<double>("r-----------------")), "plot: style text too long");
  EXPECT_ERROR(plot(M<double>("r"), x), "plot: style text without data");
}

TEST_F(PlotDir, SeveralPairsTakeTheDefaultColoursInTurn) {
  const M<double> x = row({1, 2});
  plot(x, x, x, x, M<double>("ro"));
  plot(x, x, M<double>("k"), x, x, x);  // hold off: a fresh plot of 3 series
  EXPECT_EQ(plot_state.nseries, 3);
  const int want_style[] = {0, 6, 6, 6}, want_colour[] = {0, 6, 1, 0};
  for (int k = 1; k <= 3; k++) {
    EXPECT_EQ(series_style[k], want_style[k]) << k;
    EXPECT_EQ(series_color[k], want_colour[k]) << k;
  }
  hold(M<double>("on"));
  plot(x, x, M<double>("ro"));
  EXPECT_EQ(plot_state.nseries, 4);
  EXPECT_EQ(series_style[4], 4);
  EXPECT_EQ(slurp("kvlb.4"), "1 1\n2 2\n");
  EXPECT_EQ(series_color[3], 0);
  EXPECT_ERROR(plot(x, row({1, 2, 3})), "plot: x and y differ in length");
  EXPECT_ERROR(plot(mat(2, 2, {1, 2, 3, 4}), mat(2, 3, {1, 2, 3, 4, 5, 6})),
               "plot: x and y differ in size");
}

// Under hold the series add up across calls; the 41st stops before any file is written.
TEST_F(PlotDir, FortyFirstSeriesIsAnError) {
  hold(M<double>("on"));
  const M<double> x = row({1, 2});
  plot(x, korvex::zeros(M<double>(2), M<double>(39)));
  plot(x, x);
  EXPECT_EQ(plot_state.nseries, 40);
  EXPECT_EQ(series_color[40], 4) << "the cycle of 7 default colours";
  EXPECT_ERROR(plot(x, x), "plot: more than 40 series");
  EXPECT_ERROR(semilogy(x, korvex::zeros(M<double>(2), M<double>(41))),
               "semilogy: more than 40 series");
  EXPECT_FALSE(file_exists("kvlb.41"));
  EXPECT_ERROR(plot(korvex::zeros(M<double>(2), M<double>(41))), "plot: more than 40 series");
}

TEST_F(PlotDir, EachFamilySelectsItsPlotKind) {
  struct Row {
    M<double> (*draw)(M<double>, M<double>, M<double>);
    PlotMode mode;
  } rows[] = {
      {plot, plot_linear}, {semilogx, plot_logx}, {semilogy, plot_logy},
      {loglog, plot_loglog}, {polar, plot_polar},
  };
  const M<double> x = row({1, 2});
  for (const Row& r : rows) {
    r.draw(x, row({3, 4}), M<double>("r+"));
    EXPECT_EQ(plot_state.mode, r.mode);
    EXPECT_EQ(plot_state.nseries, 1);
    EXPECT_EQ(series_style[1], 1);
    EXPECT_EQ(slurp("kvlb.1"), "1 3\n2 4\n");
  }
  EXPECT_ERROR(polar(x), "polar: needs angles and radii");
  EXPECT_ERROR(polar(x, x, M<double>("r"), x), "polar: needs angles and radii");
}

TEST_F(PlotDir, MeshWritesOneGridBlockPerColumn) {
  mesh(mat(2, 3, {1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(plot_state.mode, plot_surface);
  EXPECT_EQ(plot_state.nseries, 1);
  EXPECT_EQ(series_style[1], 6);
  EXPECT_EQ(slurp("kvlb.1"), "1 1 1\n1 2 4\n\n2 1 2\n2 2 5\n\n3 1 3\n3 2 6\n");
  // x along the columns, y along the rows, as vectors or as matrices of the same shape.
  mesh(row({0.5, 1, 2}), col({10, 20}), mat(2, 3, {1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(slurp("kvlb.1"), "0.5 10 1\n0.5 20 4\n\n1 10 2\n1 20 5\n\n2 10 3\n2 20 6\n");
  mesh(mat(2, 2, {1, 2, 1, 2}), mat(2, 2, {3, 3, 4, 4}), mat(2, 2, {5, 6, 7, 8}));
  EXPECT_EQ(slurp("kvlb.1"), "1 3 5\n1 4 7\n\n2 3 6\n2 4 8\n");
  EXPECT_ERROR(mesh(row({1, 2, 3}, "v")), "mesh: v is not a matrix");
  EXPECT_ERROR(mesh(M<double>(4.0)), "mesh: ? is not a matrix");
  EXPECT_ERROR(mesh(row({1, 2}), row({1, 2}), mat(2, 3, {1, 2, 3, 4, 5, 6}, "z")),
               "mesh: x and y do not match the size of z");
}

TEST_F(PlotDir, HoldGridAndAxisSetTheState) {
  hold();
  EXPECT_EQ(plot_state.hold, 1);
  hold(M<double>("OFF"));
  EXPECT_EQ(plot_state.hold, 0);
  grid(M<double>("on"));
  EXPECT_EQ(plot_state.grid, 1);
  grid();
  EXPECT_EQ(plot_state.grid, 0);
  EXPECT_ERROR(hold(M<double>("maybe")), "hold: unknown option: maybe");
  EXPECT_ERROR(grid(M<double>(1.0)), "grid: unknown option");
  EXPECT_ERROR(grid(M<double>("onwards and up")), "grid: unknown option");

  axis(row({0, 10, -1, 1}));
  EXPECT_EQ(plot_state.autoscale, 0);
  EXPECT_EQ(plot_state.xrange_set + plot_state.yrange_set + plot_state.zrange_set, 2);
  EXPECT_EQ(plot_state.ymin, -1);
  axis(row({0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(plot_state.zmax, 5);
  EXPECT_EQ(plot_state.zrange_set, 1);
  axis(M<double>("auto"));
  EXPECT_EQ(plot_state.autoscale, 1);
  EXPECT_EQ(plot_state.xrange_set + plot_state.yrange_set + plot_state.zrange_set, 0);
  axis(M<double>("off"));
  EXPECT_EQ(plot_state.axes_on, 0);
  axis(M<double>("on"));
  EXPECT_EQ(plot_state.axes_on, 1);
  EXPECT_ERROR(axis(row({0, 1, 2})), "axis: needs 4 or 6 real limits");
  EXPECT_ERROR(axis(row({0, 1, 2, HUGE_VAL})), "axis: limits must be finite");
  EXPECT_ERROR(axis(M<double>("tight")), "axis: unknown option: tight");
}
