// binary_io.cpp: fread and fwrite, matrices to and from binary files in a chosen precision,
// with the shape rules of fread's size argument and the byte skips of both.
#include <cmath>
#include <ostream>

#include "common/rules.h"
#include "korvex.h"

namespace korvex {

namespace {

// A precision name has at most 29 characters.
constexpr int precision_bytes = 30;

M<double> infinity() { return M<double>(ieee_compose(0, 0, 2047, 0)); }

Precision parse_precision(const M<double>& precision, int& size) {
  char name[precision_bytes];
  Mstr(precision, name, precision_bytes);
  return precision_code(name, size);
}

// A skip count: the first element rounded half up (saturating); text counts as 0.
int skip_count(const M<double>& skip, const char* negative_message) {
  if (isstr(skip)) return 0;
  const int s = rules::trunc_to_int(rules::trunc_half_up(*skip.r()));
  if (s < 0) error(negative_message, skip.getname());
  return s;
}

// Bytes from the position to the end of the stream, at least 0; the position is kept. A stream
// that cannot tell its position (a pipe) has no bytes known to be left.
long long bytes_left(std::FILE* f) {
  const long at = std::ftell(f);
  if (at < 0) return 0;
  if (std::fseek(f, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(f);
  std::fseek(f, at, SEEK_SET);
  return end > at ? end - at : 0;
}

int saturate(long long v) { return v > 2147483647 ? 2147483647 : static_cast<int>(v); }

M<double> read_binary(M<double> fid, M<double> size, M<double> precision, M<double> skip,
                      double& count) {
  if (isstr(size)) {  // fread(fid, "int16"): the size is the precision
    precision = size;
    size = infinity();
  }
  std::FILE* f;
  int swap;
  const int id = fid_check(fid, f, swap);
  int e;
  const Precision p = parse_precision(precision, e);

  const double md = *size.r();
  const double nd = size.size() == 2 ? size.addr()[1] : 1;
  int m = rules::trunc_to_int(md);
  int n = rules::trunc_to_int(nd);

  // Standard output and error have nothing to read.
  const long long r = id == 1 || id == 2 ? 0 : bytes_left(f);
  const long long a = r / e;
  if (md > static_cast<double>(a)) {
    m = saturate(a);
    n = 1;
  } else if (md * nd > static_cast<double>(a)) {
    // Whole columns of m rows up to the last element that is (partly) there.
    n = rules::trunc_to_int(std::ceil(static_cast<double>(r) / (static_cast<double>(m) * e)));
  }
  // The m-by-n zero matrix: a count below 1 gives 0-by-0, as zeros does. Only the elements the
  // file does not fill are zeroed, below.
  M<double> values(0, m, n);

  const int s = skip_count(skip, "fread: skip<0. skip is %s");
  double* x = values.addr();
  const long long total = values.size();
  long long got = 0;
  if (s == 0) {
    got = fread_elements(x, total, f, p, swap);
  } else {
    while (got < total) {
      x[got] = 0;  // what a failed read leaves
      if (fread(x[got], f, p, swap) != 1) break;
      got++;
      std::fseek(f, s, SEEK_CUR);
    }
  }
  zero_data(x + got, static_cast<int>(total - got));
  count = static_cast<double>(got);
  return values;
}

}  // namespace

// ============================================================================================
// fread
// ============================================================================================

M<double> fread(M<double> fid) {
  return fread(fid, infinity(), M<double>("uchar"), M<double>(0.0));
}
M<double> fread(M<double> fid, M<double> size) {
  return fread(fid, size, M<double>("uchar"), M<double>(0.0));
}
M<double> fread(M<double> fid, M<double> size, M<double> precision) {
  return fread(fid, size, precision, M<double>(0.0));
}
M<double> fread(M<double> fid, M<double> size, M<double> precision, M<double> skip) {
  double count;
  return read_binary(fid, size, precision, skip, count);
}

M<double> fread(M<double> fid, i_o_t, Mr<double> values, Mr<double> count) {
  return fread(fid, infinity(), M<double>("uchar"), M<double>(0.0), i_o, values, count);
}
M<double> fread(M<double> fid, M<double> size, i_o_t, Mr<double> values, Mr<double> count) {
  return fread(fid, size, M<double>("uchar"), M<double>(0.0), i_o, values, count);
}
M<double> fread(M<double> fid, M<double> size, M<double> precision, i_o_t, Mr<double> values,
                Mr<double> count) {
  return fread(fid, size, precision, M<double>(0.0), i_o, values, count);
}
M<double> fread(M<double> fid, M<double> size, M<double> precision, M<double> skip, i_o_t,
                Mr<double> values, Mr<double> count) {
  double n;
  const M<double> read = read_binary(fid, size, precision, skip, n);
  values = read;
  count = n;
  return x_M;
}

// ============================================================================================
// fwrite
// ============================================================================================

M<double> fwrite(M<double> fid, M<double> a) {
  return fwrite(fid, a, M<double>("uchar"), M<double>(0.0));
}
M<double> fwrite(M<double> fid, M<double> a, M<double> precision) {
  return fwrite(fid, a, precision, M<double>(0.0));
}

M<double> fwrite(M<double> fid, M<double> a, M<double> precision, M<double> skip) {
  std::FILE* f;
  int swap;
  const int id = fid_check(fid, f, swap);
  if (!isstr(precision)) error("fwrite: precision not a string");
  int e;
  const Precision p = parse_precision(precision, e);
  const int s = skip_count(skip, "fwrite: skip<0. skip is %s");
  // Standard input takes no output.
  if (id == 0) return M<double>(0.0);
  // Binary output to the standard streams lands after the text already written to them.
  if (id < 3) {
    out_stream().flush();
    err_stream().flush();
  }

  const double* x = a.addr();
  const long long total = a.size();
  long long put = 0;
  if (s == 0) {
    put = fwrite_elements(x, total, f, p, swap);
  } else {
    while (put < total) {
      double v = x[put];
      if (fwrite(v, f, p, swap) != 1) break;
      put++;
      std::fseek(f, s, SEEK_CUR);
    }
  }
  if (id < 3) std::fflush(f);
  return M<double>(static_cast<double>(put));
}

}  // namespace korvex
