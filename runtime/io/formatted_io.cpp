// formatted_io.cpp: formatted file output and input on the fid table through the format
// engine: fprintfM, printfM and fscanfM.
#include <cmath>
#include <cstring>
#include <ostream>
#include <sstream>
#include <string>

#include "common/rules.h"
#include "korvex.h"

namespace korvex {

namespace {

constexpr int format_bytes = 2046;  // a format of at most 2045 characters and its terminator

M<double> infinity() { return M<double>(ieee_compose(0, 0, 2047, 0)); }

// fscanfM's work: the values, their count into q.
M<double> scan_file(const M<double>& fid, const M<double>& format, const M<double>& size, int& q) {
  std::FILE* f;
  int swap;
  fid_check(fid, f, swap);
  char text[format_bytes];
  Mstr(format, text, format_bytes);
  Mfmt<double> engine(text);
  const bool s = engine.is_string_format();

  if (size.size() != 1 && size.size() != 2)
    error("fscanf: size %s is not one or two elements", size.getname());
  // Infinity gives the largest int; NaN gives 0.
  const int first = rules::trunc_to_int(size.addr()[0]);
  const bool two = size.size() == 2;
  const int rows = two ? first : s ? 1 : first;
  const int cols = two ? rules::trunc_to_int(size.addr()[1]) : s ? first : 1;
  // At most rows x cols values, the product saturating; a negative count asks for none (two
  // negative counts do not make a positive one).
  const long long product = rows < 0 || cols < 0 ? 0 : static_cast<long long>(rows) * cols;
  const int max = product > 2147483647 ? 2147483647 : static_cast<int>(product);

  int total;
  double* values = engine.scan(f, max, q, total);

  int m, n;
  if (two) {
    m = rows;
    // No column count follows from 0 rows: the result is empty.
    n = rows == 0 ? 0 : static_cast<int>(std::ceil(static_cast<double>(q) / rows));
  } else {
    m = s ? 1 : q;
    n = s ? q : 1;
  }
  M<double> result = zeros(M<double>(m), M<double>(n));
  // A "%s" may read past the requested count; every shape above still holds all q values.
  const int fill = q < result.size() ? q : result.size();
  copy_data(result.addr(), values, fill);
  delete_data(values);
  if (s) result.setdm(1);
  return result;
}

}  // namespace

// ============================================================================================
// fprintfM and printfM
// ============================================================================================

M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3,
                   M<double> a4, M<double> a5, M<double> a6, M<double> a7, M<double> a8) {
  if (isstr(fid)) {  // fprintfM(format, a1, ...): everything moves one place, a8 is dropped
    fprintfM(M<double>(1.0), fid, format, a1, a2, a3, a4, a5, a6, a7);
    return x_M;
  }
  std::FILE* f;
  int swap;
  const int id = fid_check(fid, f, swap);
  switch (id) {
    case 0:
      return M<double>(0.0);
    case 1:
    case 2: {
      std::ostream& out = id == 1 ? out_stream() : err_stream();
      sprintfM(out, format, a1, a2, a3, a4, a5, a6, a7, a8);
      out.flush();
      return M<double>(0.0);
    }
    default:
      break;
  }
  std::ostringstream text;
  sprintfM(text, format, a1, a2, a3, a4, a5, a6, a7, a8);
  // The file gets the text up to its first zero character.
  const std::string s = text.str();
  const std::size_t put = std::fwrite(s.c_str(), 1, std::strlen(s.c_str()), f);
  return M<double>(static_cast<double>(put));
}

M<double> fprintfM(M<double> format) {
  fprintfM(stdoutM, format);
  return x_M;
}
M<double> fprintfM(M<double> fid, M<double> format) {
  const M<double>& m = missing_M;
  return fprintfM(fid, format, m, m, m, m, m, m, m, m);
}
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1) {
  const M<double>& m = missing_M;
  return fprintfM(fid, format, a1, m, m, m, m, m, m, m);
}
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2) {
  const M<double>& m = missing_M;
  return fprintfM(fid, format, a1, a2, m, m, m, m, m, m);
}
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3) {
  const M<double>& m = missing_M;
  return fprintfM(fid, format, a1, a2, a3, m, m, m, m, m);
}
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3,
                   M<double> a4) {
  const M<double>& m = missing_M;
  return fprintfM(fid, format, a1, a2, a3, a4, m, m, m, m);
}
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3,
                   M<double> a4, M<double> a5) {
  const M<double>& m = missing_M;
  return fprintfM(fid, format, a1, a2, a3, a4, a5, m, m, m);
}
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3,
                   M<double> a4, M<double> a5, M<double> a6) {
  const M<double>& m = missing_M;
  return fprintfM(fid, format, a1, a2, a3, a4, a5, a6, m, m);
}
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3,
                   M<double> a4, M<double> a5, M<double> a6, M<double> a7) {
  return fprintfM(fid, format, a1, a2, a3, a4, a5, a6, a7, missing_M);
}

M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                  M<double> a5, M<double> a6, M<double> a7, M<double> a8) {
  fprintfM(stdoutM, format, a1, a2, a3, a4, a5, a6, a7, a8);
  return x_M;
}
M<double> printfM(M<double> format) {
  const M<double>& m = missing_M;
  return printfM(format, m, m, m, m, m, m, m, m);
}
M<double> printfM(M<double> format, M<double> a1) {
  const M<double>& m = missing_M;
  return printfM(format, a1, m, m, m, m, m, m, m);
}
M<double> printfM(M<double> format, M<double> a1, M<double> a2) {
  const M<double>& m = missing_M;
  return printfM(format, a1, a2, m, m, m, m, m, m);
}
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3) {
  const M<double>& m = missing_M;
  return printfM(format, a1, a2, a3, m, m, m, m, m);
}
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3, M<double> a4) {
  const M<double>& m = missing_M;
  return printfM(format, a1, a2, a3, a4, m, m, m, m);
}
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                  M<double> a5) {
  const M<double>& m = missing_M;
  return printfM(format, a1, a2, a3, a4, a5, m, m, m);
}
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                  M<double> a5, M<double> a6) {
  const M<double>& m = missing_M;
  return printfM(format, a1, a2, a3, a4, a5, a6, m, m);
}
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                  M<double> a5, M<double> a6, M<double> a7) {
  return printfM(format, a1, a2, a3, a4, a5, a6, a7, missing_M);
}

// ============================================================================================
// fscanfM
// ============================================================================================

M<double> fscanfM(M<double> fid, M<double> format) { return fscanfM(fid, format, infinity()); }
M<double> fscanfM(M<double> fid, M<double> format, M<double> size) {
  int q;
  return scan_file(fid, format, size, q);
}
M<double> fscanfM(M<double> fid, M<double> format, i_o_t, Mr<double> values, Mr<double> count) {
  return fscanfM(fid, format, infinity(), i_o, values, count);
}
M<double> fscanfM(M<double> fid, M<double> format, i_o_t, Mr<double> values, Mr<double> count,
                  Mr<double> message) {
  return fscanfM(fid, format, infinity(), i_o, values, count, message);
}
M<double> fscanfM(M<double> fid, M<double> format, M<double> size, i_o_t, Mr<double> values,
                  Mr<double> count) {
  int q;
  const M<double> read = scan_file(fid, format, size, q);
  values = read;
  count = static_cast<double>(q);
  return x_M;
}
M<double> fscanfM(M<double> fid, M<double> format, M<double> size, i_o_t, Mr<double> values,
                  Mr<double> count, Mr<double> message) {
  int q;
  const M<double> read = scan_file(fid, format, size, q);
  values = read;
  count = static_cast<double>(q);
  message = M<double>("");
  return x_M;
}

}  // namespace korvex
