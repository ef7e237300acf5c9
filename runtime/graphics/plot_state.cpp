// plot_state.cpp: the process-wide plot state, the per-series tables, the temporary-file names,
// and the operations that reset the state, select the plot kind and open and close the
// command file.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "korvex.h"

namespace korvex {

// Construction order is definition order: the state, then the image's colormap, then its data;
// destruction runs the other way and closes the command file last.
PlotState plot_state;
M<double> image_map("image_map", 0, 0);
M<double> image_data("image_data", 0, 0);

int series_style[max_series + 1];
int series_color[max_series + 1];
int image_pending = 0;
int plot_pause = 1;
const char* const plot_file_name = "kvlb.gnu";
const char* const data_file_prefix = "kvlb.";
const char* const image_file_name = "kvlb1.bmp";
char data_file_buffer[512];

void plot_reset() {
  PlotState& s = plot_state;
  s.axes_on = 1;
  s.autoscale = 1;
  s.xrange_set = s.yrange_set = s.zrange_set = 0;
  s.grid = 0;
  s.contour = 0;
  s.mode = plot_linear;
  s.hold = 0;
  s.nseries = 0;
}

void plot_init() {
  plot_reset();
  plot_state.file_open = 0;
  image_pending = 0;
}

void plot_mode(PlotMode m) {
  if (m != plot_state.mode || !plot_state.hold) plot_reset();
  plot_state.mode = m;
}

void plot_open(int append) {
  PlotState& s = plot_state;
  if (s.file_open && !append) plot_close();
  if (!s.file_open) {
    // The stream library cannot choose the permission bits of a new file, so the file is
    // created here first with 0664 (less the umask); opening an existing file keeps its bits.
    const int fd = ::open(plot_file_name, O_WRONLY | O_CREAT, 0664);
    if (fd >= 0) ::close(fd);
    s.file.clear();
    s.file.open(plot_file_name,
                append ? std::ios::out | std::ios::app : std::ios::out | std::ios::trunc);
    if (!s.file) error("openplot:bad file");
  }
  s.file_open = 1;
}

void plot_close() {
  PlotState& s = plot_state;
  if (s.file_open) {
    if (!s.file) error("closeplot:bad file");
    s.file.close();
  }
  s.file_open = 0;
}

const char* data_file_name(int n) {
  std::snprintf(data_file_buffer, sizeof data_file_buffer, "%s%d", data_file_prefix, n);
  return data_file_buffer;
}

}  // namespace korvex
