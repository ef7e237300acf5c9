// plot_emit.cpp: the gnuplot command text written from the plot state, and the end-of-program
// step that writes it, runs the plotter on it and shows a pending image.
#include <unistd.h>

#include <cstdio>
#include <ostream>

#include "korvex.h"

namespace korvex {

namespace {

// The working directory of the "cd" line: 1022 characters and the terminator.
constexpr int cwd_bytes = 1023;
// The viewer's command line: viewer_cmd (at most 255 characters), a blank and the image name.
constexpr int viewer_line_bytes = 512;

// Style word and point type of each style code; codes outside 0..9 write neither.
struct SeriesStyle {
  const char* word;
  const char* point;
};
constexpr SeriesStyle style_table[] = {
    {" d", ""}, {" p", "1"}, {" p", "4"}, {" p", "2"}, {" p", "6"},
    {"", ""},   {" l", ""},  {" l", ""},  {" l", ""},  {" l", ""},
};
constexpr int style_count = sizeof style_table / sizeof style_table[0];

// Set by a call of plot_finish that did something: a later call with nothing to do is a
// second finish of the same output and says so.
int finished_before = 0;

}  // namespace

void plot_emit() {
  const PlotState& s = plot_state;
  std::ofstream& f = plot_state.file;
  KORVEX_ASSERT(s.file_open);
  char cwd[cwd_bytes];
  if (::getcwd(cwd, sizeof cwd) == nullptr)
    error("plot_emit: cannot read the working directory (at most 1022 characters)");

  f << "cd '" << cwd << "'\n";
  f << "set zero 1e-20\n";
  if (s.axes_on)
    f << "set xzeroaxis\nset yzeroaxis\nset xtics\nset ytics\n";
  else
    f << "set noxzeroaxis\nset noyzeroaxis\nset noxtics\nset noytics\n";
  f << (s.autoscale ? "set autoscale\n" : "set noautoscale\n");
  // Ranges by the stream's default double insertion: 6 significant digits, %g style.
  if (s.xrange_set) f << "set xrange [" << s.xmin << ":" << s.xmax << "]\n";
  if (s.yrange_set) f << "set yrange [" << s.ymin << ":" << s.ymax << "]\n";
  if (s.zrange_set) f << "set zrange [" << s.zmin << ":" << s.zmax << "]\n";
  f << (s.grid ? "set grid\n" : "set nogrid\n");
  f << (s.contour ? "set contour base\n" : "set nocontour\n");
  f << (s.mode == plot_polar ? "set polar\n" : "set nopolar\n");
  f << "set nologscale\n";
  if (s.mode == plot_logx || s.mode == plot_loglog) f << "set logscale x\n";
  if (s.mode == plot_logy || s.mode == plot_loglog) f << "set logscale y\n";
  f << "set nokey\n";
  // The surface's "s" goes in front of the plot line: "splot \".
  if (s.mode == plot_surface) f << "set hidden3d\nset parametric\ns";
  f << "plot \\\n";
  for (int k = 1; k <= s.nseries; k++) {
    const int code = series_style[k];
    const SeriesStyle st =
        code >= 0 && code < style_count ? style_table[code] : SeriesStyle{"", ""};
    f << " '" << data_file_name(k) << "' w " << st.word << " " << series_color[k] + 1 << " "
      << st.point;
    if (k < s.nseries) f << ",\\\n";
  }
  f << "\n";
  if (plot_pause == 1) f << "pause -1\n";
}

int plot_finish() {
  if (!plot_state.file_open && !image_pending) {
    if (finished_before) warning("plot_finish: the graphics output is already finished");
    return 0;
  }
  finished_before = 1;
  if (plot_state.file_open) {
    plot_emit();
    plot_close();
    out_stream().flush();
    run_plotter(plot_file_name);
  }
  if (!image_pending) return 1;
  // The pending image: written as a BMP and handed to the viewer.
  bmpwrite(image_data, image_map, M<double>(image_file_name));
  image_pending = 0;
  char line[viewer_line_bytes];
  std::snprintf(line, sizeof line, "%s %s", viewer_cmd, image_file_name);
  run_external(line);
  return 1;
}

}  // namespace korvex
