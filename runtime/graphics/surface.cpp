// surface.cpp: the 3-D surface builtin mesh: one grid data file drawn by gnuplot's splot with
// hidden lines removed.
#include <vector>

#include "korvex.h"
#include "series_file.h"

namespace korvex {

namespace {

bool is_vector(const M<double>& a) { return a.rows() == 1 || a.cols() == 1; }

// The grid coordinate of every element of z: a vector runs along z's columns (x) or rows (y),
// a matrix must have z's shape.
std::vector<double> grid_coordinates(const M<double>* v, const M<double>& z, bool along_cols) {
  const int r = z.rows(), c = z.cols();
  std::vector<double> out(static_cast<size_t>(r) * c);
  for (int j = 0; j < c; j++)
    for (int i = 0; i < r; i++) {
      const int k = i + j * r;
      if (v == nullptr)
        out[k] = along_cols ? j + 1 : i + 1;
      else if (v->rows() == r && v->cols() == c)
        out[k] = v->addr()[k];
      else
        out[k] = v->addr()[along_cols ? j : i];
    }
  return out;
}

bool fits(const M<double>& v, const M<double>& z, int length) {
  if (v.rows() == z.rows() && v.cols() == z.cols()) return true;
  return is_vector(v) && v.size() == length;
}

M<double> surface(const M<double>* x, const M<double>* y, const M<double>& z) {
  if (z.rows() < 2 || z.cols() < 2 || isstr(z)) error("mesh: %s is not a matrix", z.getname());
  if (x != nullptr && (!fits(*x, z, z.cols()) || !fits(*y, z, z.rows())))
    error("mesh: x and y do not match the size of %s", z.getname());
  const std::vector<double> xs = grid_coordinates(x, z, true);
  const std::vector<double> ys = grid_coordinates(y, z, false);
  plot_mode(plot_surface);
  if (plot_state.nseries + 1 > max_series) error("mesh: more than 40 series");
  plot_open(plot_state.nseries > 0);
  const int n = ++plot_state.nseries;
  write_grid_file(data_file_name(n), xs.data(), ys.data(), z.addr(), z.rows(), z.cols(), "mesh");
  series_style[n] = 6;
  series_color[n] = 2;  // blue lines
  return x_M;
}

}  // namespace

M<double> mesh(M<double> z) { return surface(nullptr, nullptr, z); }
M<double> mesh(M<double> x, M<double> y, M<double> z) { return surface(&x, &y, z); }

}  // namespace korvex
