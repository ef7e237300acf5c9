// series_file.cpp: the data files "kvlb.N" of the plot series: columns of numbers, one point
// per line, that gnuplot reads as they stand.
#include "series_file.h"

#include <cstdio>

#include "korvex.h"

namespace korvex {

namespace {

void put_number(std::FILE* f, double v) {
  if (ieee_finite(v))
    std::fprintf(f, "%.17g", v);
  else
    std::fputs("NaN", f);
}

std::FILE* open_data(const char* name, const char* who) {
  std::FILE* f = std::fopen(name, "w");
  if (f == nullptr) error("%s: cannot write %s", who, name);
  return f;
}

// A write error shows in the stream's error flag or in the final flush of fclose.
void close_data(std::FILE* f, const char* name, const char* who) {
  const bool failed = std::ferror(f) != 0;
  if (std::fclose(f) != 0 || failed) error("%s: cannot write %s", who, name);
}

}  // namespace

void write_series_file(const char* name, const SeriesData& s, const char* who) {
  std::FILE* f = open_data(name, who);
  for (int k = 0; k < s.n; k++) {
    if (s.x != nullptr)
      put_number(f, s.x[k * s.xstride]);
    else
      std::fprintf(f, "%d", k + 1);
    std::fputc(' ', f);
    put_number(f, s.y[k * s.ystride]);
    std::fputc('\n', f);
  }
  close_data(f, name, who);
}

void write_grid_file(const char* name, const double* x, const double* y, const double* z, int r,
                     int c, const char* who) {
  std::FILE* f = open_data(name, who);
  for (int j = 0; j < c; j++) {
    if (j > 0) std::fputc('\n', f);
    for (int i = 0; i < r; i++) {
      const int k = i + j * r;
      put_number(f, x[k]);
      std::fputc(' ', f);
      put_number(f, y[k]);
      std::fputc(' ', f);
      put_number(f, z[k]);
      std::fputc('\n', f);
    }
  }
  close_data(f, name, who);
}

}  // namespace korvex
