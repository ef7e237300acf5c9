// series_file.h: internal: the data files of the plot series, written in a form gnuplot reads.
#ifndef KORVEX_SERIES_FILE_H
#define KORVEX_SERIES_FILE_H

namespace korvex {

// n points: x[k·xstride], y[k·ystride]; a null x means the indices 1..n.
struct SeriesData {
  const double* x;
  int xstride;
  const double* y;
  int ystride;
  int n;
};

// One line "x y" per point. Numbers are written with 17 significant digits, so the plotted
// values are the computed ones; a non-finite value is written "NaN", which gnuplot skips.
// A file that cannot be written stops with "WHO: cannot write NAME".
void write_series_file(const char* name, const SeriesData& s, const char* who);

// A surface over an r-by-c grid (column-major arrays, each r·c long): one block of r lines
// "x y z" per grid column, blocks separated by an empty line.
void write_grid_file(const char* name, const double* x, const double* y, const double* z, int r,
                     int c, const char* who);

}  // namespace korvex

#endif  // KORVEX_SERIES_FILE_H
