// plot_builtins.cpp: the 2-D plotting builtins plot, semilogx, semilogy, loglog and polar: they
// split their arguments into data series, write one data file per series ("kvlb.N", two
// columns x y that gnuplot reads) and record each series' style and colour in the plot state.
#include <initializer_list>
#include <cstdio>
#include <cstring>

#include "korvex.h"
#include "series_file.h"

namespace korvex {

namespace {

// Colour indices are written plus 1 as gnuplot line types; the plotter korvex-plot gives
// line types 1..8 these colours.
constexpr char colour_letters[] = "rgbcmykw";
// Series without a colour letter take the next colour of this cycle: blue, green, red, cyan,
// magenta, yellow, black.
constexpr int default_colours[] = {2, 1, 0, 3, 4, 5, 6};

// A style text holds at most a colour, a marker and a two-character line kind.
constexpr int style_bytes = 17;

struct PlannedSeries {
  SeriesData data;
  int style;
  int colour;  // -1: the next default colour
};

// Parses a style text such as "r--", "bo" or "k.". Markers: "." dots (style 0), "+" (1),
// "s" squares (2), "x" and "*" crosses (3), "o" circles (4); line kinds "-" (6), "--" (7),
// ":" (8), "-." (9). A marker wins over a line kind; with neither the series is a line.
void parse_style(const M<double>& text, const char* who, int& style, int& colour) {
  char buf[style_bytes];
  if (text.size() > style_bytes - 1) error("%s: style text too long", who);
  Mstr(text, buf, sizeof buf);
  int marker = -1, line = -1;
  colour = -1;
  for (const char* p = buf; *p; ++p) {
    const char* c = std::strchr(colour_letters, *p);
    if (c != nullptr && colour < 0) {
      colour = static_cast<int>(c - colour_letters);
      continue;
    }
    int m = -1;
    switch (*p) {
      case '.':
        m = 0;
        break;
      case '+':
        m = 1;
        break;
      case 's':
        m = 2;
        break;
      case 'x':
      case '*':
        m = 3;
        break;
      case 'o':
        m = 4;
        break;
      default:
        break;
    }
    if (m >= 0 && marker < 0) {
      marker = m;
      continue;
    }
    if (line < 0 && *p == '-') {
      line = p[1] == '-' ? 7 : p[1] == '.' ? 9 : 6;
      if (line != 6) ++p;
      continue;
    }
    if (line < 0 && *p == ':') {
      line = 8;
      continue;
    }
    error("%s: bad style text: %s", who, buf);
  }
  style = marker >= 0 ? marker : line >= 0 ? line : 6;
}

bool is_vector(const M<double>& a) { return a.rows() == 1 || a.cols() == 1; }

// The series of one group (x, y) or (y); x may be null. Adds them to planned[count..].
int split_group(const M<double>* x, const M<double>& y, const char* who, PlannedSeries* planned,
                int count, int limit) {
  auto add = [&](const double* xp, int xs, const double* yp, int ys, int n) {
    if (count >= limit) error("%s: more than 40 series", who);
    planned[count++] = PlannedSeries{SeriesData{xp, xs, yp, ys, n}, 6, -1};
  };
  if (x == nullptr) {
    if (y.size() == 0) return count;
    if (y.isc()) {
      add(y.addr(), 1, y.addi(), 1, y.size());  // imaginary against real part
    } else if (is_vector(y)) {
      add(nullptr, 0, y.addr(), 1, y.size());
    } else {
      for (int c = 0; c < y.cols(); c++) add(nullptr, 0, y.addr() + c * y.rows(), 1, y.rows());
    }
    return count;
  }
  if (x->size() == 0 && y.size() == 0) return count;
  if (is_vector(*x) && is_vector(y)) {
    if (x->size() != y.size()) error("%s: x and y differ in length", who);
    add(x->addr(), 1, y.addr(), 1, y.size());
  } else if (is_vector(*x)) {
    // One series per column of y when x runs along the rows, else per row.
    const int n = x->size();
    if (n == y.rows()) {
      for (int c = 0; c < y.cols(); c++) add(x->addr(), 1, y.addr() + c * n, 1, n);
    } else if (n == y.cols()) {
      for (int r = 0; r < y.rows(); r++) add(x->addr(), 1, y.addr() + r, y.rows(), n);
    } else {
      error("%s: x and y differ in length", who);
    }
  } else if (is_vector(y)) {
    if (y.size() != x->rows()) error("%s: x and y differ in length", who);
    for (int c = 0; c < x->cols(); c++) add(x->addr() + c * x->rows(), 1, y.addr(), 1, y.size());
  } else {
    if (x->rows() != y.rows() || x->cols() != y.cols()) error("%s: x and y differ in size", who);
    for (int c = 0; c < y.cols(); c++)
      add(x->addr() + c * y.rows(), 1, y.addr() + c * y.rows(), 1, y.rows());
  }
  return count;
}

M<double> plot_series(PlotMode mode, const char* who, const M<double>* const* args, int nargs) {
  PlannedSeries planned[max_series];
  int count = 0;
  for (int k = 0; k < nargs;) {
    const M<double>& a = *args[k];
    if (isstr(a)) error("%s: style text without data", who);
    const M<double>* x = nullptr;
    const M<double>* y = &a;
    if (k + 1 < nargs && !isstr(*args[k + 1])) {
      x = &a;
      y = args[k + 1];
      k += 2;
    } else {
      k += 1;
    }
    if (x == nullptr && mode == plot_polar) error("polar: needs angles and radii");
    const int first = count;
    count = split_group(x, *y, who, planned, count, max_series);
    if (k < nargs && isstr(*args[k])) {
      int style = 6, colour = -1;
      parse_style(*args[k], who, style, colour);
      for (int s = first; s < count; s++) planned[s].style = style, planned[s].colour = colour;
      k += 1;
    }
  }
  // Every check is made before the state changes or a file is written.
  plot_mode(mode);
  if (plot_state.nseries + count > max_series) error("%s: more than 40 series", who);
  plot_open(plot_state.nseries > 0);
  for (int s = 0; s < count; s++) {
    const int n = ++plot_state.nseries;
    write_series_file(data_file_name(n), planned[s].data, who);
    series_style[n] = planned[s].style;
    series_color[n] = planned[s].colour >= 0 ? planned[s].colour : default_colours[(n - 1) % 7];
  }
  return x_M;
}

// The short forms pass their arguments on as a list; missing_M is never among them.
M<double> plot_args(PlotMode mode, const char* who, std::initializer_list<const M<double>*> a) {
  return plot_series(mode, who, a.begin(), static_cast<int>(a.size()));
}

}  // namespace

#define KORVEX_PLOT_FAMILY(name, mode)                                                           \
  M<double> name(M<double> a) { return plot_args(mode, #name, {&a}); }                           \
  M<double> name(M<double> a, M<double> b) { return plot_args(mode, #name, {&a, &b}); }          \
  M<double> name(M<double> a, M<double> b, M<double> c) {                                        \
    return plot_args(mode, #name, {&a, &b, &c});                                                 \
  }                                                                                              \
  M<double> name(M<double> a, M<double> b, M<double> c, M<double> d) {                           \
    return plot_args(mode, #name, {&a, &b, &c, &d});                                             \
  }                                                                                              \
  M<double> name(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e) {              \
    return plot_args(mode, #name, {&a, &b, &c, &d, &e});                                         \
  }                                                                                              \
  M<double> name(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e, M<double> f) { \
    return plot_args(mode, #name, {&a, &b, &c, &d, &e, &f});                                     \
  }

KORVEX_PLOT_FAMILY(plot, plot_linear)
KORVEX_PLOT_FAMILY(semilogx, plot_logx)
KORVEX_PLOT_FAMILY(semilogy, plot_logy)
KORVEX_PLOT_FAMILY(loglog, plot_loglog)
KORVEX_PLOT_FAMILY(polar, plot_polar)

#undef KORVEX_PLOT_FAMILY

}  // namespace korvex
