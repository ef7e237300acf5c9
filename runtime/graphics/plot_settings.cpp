// plot_settings.cpp: the builtins that change the plot settings without adding a series:
// hold, grid and axis.
#include <cctype>
#include <cstring>

#include "korvex.h"

namespace korvex {

namespace {

// The option words are short; 8 bytes hold the longest ("auto", "off") with room to spare,
// and a longer text is an unknown option, never cut into a known one.
constexpr int word_bytes = 8;

// The argument as a lower-case word, or an error naming the function.
void option_word(const M<double>& arg, const char* who, char (&word)[word_bytes]) {
  if (!isstr(arg) || arg.size() > word_bytes - 1) error("%s: unknown option", who);
  Mstr(arg, word, word_bytes);
  for (char* p = word; *p; ++p)
    *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
}

int on_off(const M<double>& arg, const char* who) {
  char word[word_bytes];
  option_word(arg, who, word);
  if (std::strcmp(word, "on") == 0) return 1;
  if (std::strcmp(word, "off") == 0) return 0;
  error("%s: unknown option: %s", who, word);
}

}  // namespace

M<double> hold() {
  plot_state.hold = !plot_state.hold;
  return x_M;
}

M<double> hold(M<double> on) {
  plot_state.hold = on_off(on, "hold");
  return x_M;
}

M<double> grid() {
  plot_state.grid = !plot_state.grid;
  return x_M;
}

M<double> grid(M<double> on) {
  plot_state.grid = on_off(on, "grid");
  return x_M;
}

M<double> axis(M<double> v) {
  PlotState& s = plot_state;
  if (isstr(v)) {
    char word[word_bytes];
    option_word(v, "axis", word);
    if (std::strcmp(word, "auto") == 0) {
      s.autoscale = 1;
      s.xrange_set = s.yrange_set = s.zrange_set = 0;
    } else if (std::strcmp(word, "on") == 0 || std::strcmp(word, "off") == 0) {
      s.axes_on = word[1] == 'n';
    } else {
      error("axis: unknown option: %s", word);
    }
    return x_M;
  }
  const int n = v.size();
  if ((n != 4 && n != 6) || v.isc()) error("axis: needs 4 or 6 real limits");
  const double* a = v.addr();
  for (int k = 0; k < n; k++)
    if (!ieee_finite(a[k])) error("axis: limits must be finite");
  s.xmin = a[0], s.xmax = a[1], s.ymin = a[2], s.ymax = a[3];
  s.xrange_set = s.yrange_set = 1;
  if (n == 6) s.zmin = a[4], s.zmax = a[5], s.zrange_set = 1;
  s.autoscale = 0;
  return x_M;
}

}  // namespace korvex
