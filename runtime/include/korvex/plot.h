// plot.h: the plot command stream (the plot state, the gnuplot command file and its data files,
// the end-of-program step) and the plotting builtins that fill it.
#ifndef KORVEX_PLOT_H
#define KORVEX_PLOT_H

#include <fstream>

#include "korvex/matrix.h"

namespace korvex {

// ============================================================================================
// Plot state and command stream (graphics/plot_state.cpp, graphics/plot_emit.cpp)
// ============================================================================================

enum PlotMode {
  plot_linear = 0,   // linear axes
  plot_logx = 1,     // "set logscale x"
  plot_logy = 2,     // "set logscale y"
  plot_loglog = 3,   // both axes logarithmic
  plot_polar = 4,    // "set polar"
  plot_surface = 5,  // "set hidden3d", "set parametric", "splot"
};

struct PlotState {
  int axes_on;     // 1: zero axes and tick marks
  int autoscale;   // 1: gnuplot chooses the ranges
  int xrange_set;  // 1: xmin..xmax is written
  int yrange_set;
  int zrange_set;
  double xmin, xmax, ymin, ymax, zmin, zmax;
  int grid;     // 1: draw a grid
  int contour;  // 1: contour lines on the base plane
  PlotMode mode;
  std::ofstream file;  // the command file
  int hold;            // 1: a new plot of the same kind keeps settings and series
  int nseries;         // data series written so far, 0..max_series
  int file_open;       // 1 while the command file is open
};

constexpr int max_series = 40;

extern PlotState plot_state;
// Per-series drawing style and colour, indexed by series number 1..max_series (entry 0 unused).
// Style codes: 0 dots; 1..4 points of type 1, 4, 2, 6; 5 no style word; 6..9 lines.
extern int series_style[max_series + 1];
extern int series_color[max_series + 1];  // written plus 1 as gnuplot's line type

extern int image_pending;  // 1: image_data waits to be written and shown at the end
extern M<double> image_map, image_data;
extern int plot_pause;                      // 1: the command file ends with "pause -1"
extern const char* const plot_file_name;    // "kvlb.gnu"
extern const char* const data_file_prefix;  // "kvlb."
extern const char* const image_file_name;   // "kvlb1.bmp"
extern char data_file_buffer[512];          // the last name data_file_name made

void plot_init();                   // reset; command file closed; no image pending
void plot_reset();                  // settings to their defaults; the range values are kept
void plot_mode(PlotMode m);         // same kind under hold keeps everything, otherwise reset
void plot_open(int append);         // opens "kvlb.gnu"; error "openplot:bad file"
void plot_close();                  // error "closeplot:bad file" on an unusable stream
const char* data_file_name(int n);  // "kvlb.N" in data_file_buffer
void plot_emit();                   // writes the gnuplot commands to the open command file
// End of program: writes and closes the command file and runs the plotter on it, then writes
// and shows a pending image. Returns 1 when it did something, 0 otherwise (with a warning when
// an earlier call already finished the output).
int plot_finish();

// ============================================================================================
// Plotting builtins (graphics/plot_builtins.cpp, graphics/plot_settings.cpp,
// graphics/surface.cpp, graphics/image.cpp)
// ============================================================================================

// Each family takes the arguments of the matrix language's call: groups of (y), (x, y),
// (y, style) or (x, y, style), one after the other. A matrix y gives one series per column
// (per row when x's length matches its columns instead); a complex y alone plots its imaginary
// against its real part. The style text holds at most one colour letter (r g b c m y k w), one
// marker (. + o x s *) and one line kind (- -- : -.); the command text draws every line kind
// as a plain line. Each returns x_M.
M<double> plot(M<double> a);
M<double> plot(M<double> a, M<double> b);
M<double> plot(M<double> a, M<double> b, M<double> c);
M<double> plot(M<double> a, M<double> b, M<double> c, M<double> d);
M<double> plot(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e);
M<double> plot(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e, M<double> f);
M<double> semilogx(M<double> a);
M<double> semilogx(M<double> a, M<double> b);
M<double> semilogx(M<double> a, M<double> b, M<double> c);
M<double> semilogx(M<double> a, M<double> b, M<double> c, M<double> d);
M<double> semilogx(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e);
M<double> semilogx(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e, M<double> f);
M<double> semilogy(M<double> a);
M<double> semilogy(M<double> a, M<double> b);
M<double> semilogy(M<double> a, M<double> b, M<double> c);
M<double> semilogy(M<double> a, M<double> b, M<double> c, M<double> d);
M<double> semilogy(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e);
M<double> semilogy(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e, M<double> f);
M<double> loglog(M<double> a);
M<double> loglog(M<double> a, M<double> b);
M<double> loglog(M<double> a, M<double> b, M<double> c);
M<double> loglog(M<double> a, M<double> b, M<double> c, M<double> d);
M<double> loglog(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e);
M<double> loglog(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e, M<double> f);
// polar(theta, rho [, style]): angles in radians.
M<double> polar(M<double> a);
M<double> polar(M<double> a, M<double> b);
M<double> polar(M<double> a, M<double> b, M<double> c);
M<double> polar(M<double> a, M<double> b, M<double> c, M<double> d);
M<double> polar(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e);
M<double> polar(M<double> a, M<double> b, M<double> c, M<double> d, M<double> e, M<double> f);

// mesh(Z) over the grid of indices, mesh(x, y, Z) over vectors (x along the columns of Z, y
// along its rows) or matrices the size of Z. Z has at least 2 rows and 2 columns.
M<double> mesh(M<double> z);
M<double> mesh(M<double> x, M<double> y, M<double> z);

M<double> hold();              // toggles
M<double> hold(M<double> on);  // "on" or "off"
M<double> grid();              // toggles
M<double> grid(M<double> on);  // "on" or "off"
// axis([xmin xmax ymin ymax]) or with [... zmin zmax]: fixed ranges; axis("auto"): gnuplot
// chooses them again; axis("on") / axis("off"): zero axes and tick marks.
M<double> axis(M<double> v);

// image(C): C (elements 1..256, indices into the colormap) is written as "kvlb1.bmp" and shown
// at the end of the program. colormap(map) sets the map (rows of red, green, blue in 0..1, at
// most 256); colormap() returns it. gray(n) and jet(n) build n-colour maps.
M<double> image(M<double> c);
M<double> colormap(M<double> map);
M<double> colormap();
M<double> gray(M<double> n);
M<double> jet(M<double> n);

}  // namespace korvex

#endif  // KORVEX_PLOT_H
