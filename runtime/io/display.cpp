// display.cpp: disp, the stream insertion of a named matrix, the matrix forms of warning and
// error, the display mode (format), the listing line of whos, clc, home and smiley.
#include <cstdlib>
#include <ostream>
#include <vector>

#include "common/rules.h"
#include "korvex.h"

namespace korvex {

int display_short = 1;

namespace {

// The "%.4g" or "%.12g" text of every value, formatted once: disp pads each to the field width
// instead of formatting it again with "%<width>.4g", which gives the same text.
struct NumberTexts {
  std::string chars;
  std::vector<int> start;  // text k is chars[start[k], start[k + 1])
  int widest = 0;

  NumberTexts(const double* x, int n, const char* fmt) : start(static_cast<size_t>(n) + 1) {
    chars.reserve(static_cast<size_t>(n) * 8);
    char buf[64];  // the widest "%.12g" text is 19 characters ("-1.23456789012e-308")
    for (int k = 0; k < n; ++k) {
      start[k] = static_cast<int>(chars.size());
      const int len = std::snprintf(buf, sizeof buf, fmt, x[k]);
      chars.append(buf, static_cast<size_t>(len));
      if (len > widest) widest = len;
    }
    start[n] = static_cast<int>(chars.size());
  }
  const char* text(int k) const { return chars.data() + start[k]; }
  int length(int k) const { return start[k + 1] - start[k]; }
};

// Appends text right-aligned in a field of the given width, respelled when x is not finite.
void append_field(std::string& line, double x, const char* text, int len, int width) {
  if (rules::is_finite(x)) {
    line.append(static_cast<size_t>(width > len ? width - len : 0), ' ');
    line.append(text, static_cast<size_t>(len));
    return;
  }
  std::string field(static_cast<size_t>(width > len ? width - len : 0), ' ');
  field.append(text, static_cast<size_t>(len));
  fix_nonfinite(x, field);
  line += field;
}

M<double> no_value() { return x_M; }

}  // namespace

M<double> disp(M<double> m, std::ostream& out) {
  const int complex = iscomplex(m);
  const int text = isstr(m);
  const int rows = m.rows(), cols = m.cols(), count = m.size();
  if (count == 0) out << "[]" << std::endl;  // and still one line end per row below
  std::string line;
  if (text) {
    for (int i = 1; i <= rows; ++i) {
      line.clear();
      for (int j = 1; j <= cols; ++j)
        line += static_cast<char>(static_cast<unsigned>(rules::trunc_to_int(*m.addr(i, j))) & 0xFFu);
      out.write(line.data(), static_cast<std::streamsize>(line.size()));
      out << std::endl;
    }
    out.flush();
    return no_value();
  }

  // Field widths come from the raw printf text, before any respelling.
  const char* fmt = display_short ? "%.4g" : "%.12g";
  const NumberTexts re(m.addr(), count, fmt);
  const int real_width = re.widest + 2;
  const NumberTexts im(complex ? m.addi() : nullptr, complex ? count : 0, fmt);
  const int imag_width = complex ? im.widest : 1;

  for (int i = 1; i <= rows; ++i) {
    line.clear();
    for (int j = 1; j <= cols; ++j) {
      const int k = (i - 1) + (j - 1) * rows;
      append_field(line, m.addr()[k], re.text(k), re.length(k), real_width);
      if (!complex) continue;
      // The imaginary part shows its sign apart: " +" or " -", then |v| ("%g" of -v is "-"
      // followed by "%g" of v), then "i". A NaN part leaves a blank field.
      const double v = m.addi()[k];
      if (rules::is_nan(v)) {
        line.append(static_cast<size_t>(imag_width) + 2, ' ');
        continue;
      }
      const int skip = v < 0 ? 1 : 0;
      line += v < 0 ? " -" : " +";
      append_field(line, v < 0 ? -v : v, im.text(k) + skip, im.length(k) - skip, imag_width);
      line += 'i';
    }
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out << std::endl;
  }
  out.flush();
  return no_value();
}

M<double> disp(M<double> m) { return disp(m, out_stream()); }

// Dropping an all-zero imaginary part changes the displayed matrix itself, as the language's
// display does; only the imaginary pointer changes, never the elements.
std::ostream& operator<<(std::ostream& out, const M<double>& m) {
  if (m.issamename(noval_name)) return out;
  const_cast<M<double>&>(m).getreal();
  out << (m.getname() ? m.getname() : "ans") << " = " << std::endl;
  disp(m, out);
  return out;
}

M<double> warning(M<double> msg) {
  err_stream() << "warning: ";
  disp(msg, err_stream());
  return no_value();
}

M<double> error(M<double> msg) {
  if (msg.size() == 0) return no_value();
  err_stream() << "Error: ";
  disp(msg, err_stream());
  std::exit(1);
}

M<double> format(M<double> mode) {
  char word[10];  // only the first character counts; Mstr warns about a longer text
  Mstr(mode, word, sizeof word);
  const bool long_mode = word[0] == 'l' || word[0] == 'L';
  display_short = long_mode ? 0 : 1;
  out_stream().precision(long_mode ? 12 : 4);
  return no_value();
}

const char* whos_line(const char* name, int complex, int rows, int cols, const char* type) {
  const char* used = name ? name : "";
  // The element count is an unsigned 32-bit product, printed as a signed int.
  const int count = static_cast<int>(static_cast<unsigned>(rows) * static_cast<unsigned>(cols));
  const char* fmt = "%-20s%6d x %-6d%12d %s elements, %s.\n";
  const char* kind = complex ? "Complex" : "Real";
  const int len = std::snprintf(nullptr, 0, fmt, used, rows, cols, count, safe_str(type), kind);
  std::vector<char> line(static_cast<size_t>(len > 0 ? len : 0) + 1);
  std::snprintf(line.data(), line.size(), fmt, used, rows, cols, count, safe_str(type), kind);
  out_stream() << line.data();
  return used;
}

M<double> clc() {
  clear_screen();
  return no_value();
}

M<double> home() {
  cursor_to(1, 1);
  return no_value();
}

M<double> smiley() {
  out_stream() << "8-)" << std::endl;
  out_stream().flush();
  return nop_M;
}

}  // namespace korvex
