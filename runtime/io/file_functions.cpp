// file_functions.cpp: opening and closing files on the fid table (fopenM, fclose) and the
// stream queries and moves feof, ferror, frewind, ftell and fseek.
#include <sys/stat.h>

#include <cmath>
#include <cstring>

#include "common/rules.h"
#include "korvex.h"

namespace korvex {

namespace {

// Buffer sizes of the texts: a permission or machine format of at most 9 characters, a file
// name of at most 511.
constexpr int option_bytes = 10;
constexpr int name_bytes = 512;

enum class ByteOrder { native, big, little };

ByteOrder machine_format(const char* text) {
  if (std::strcmp(text, "b") == 0 || std::strcmp(text, "ieee-be") == 0) return ByteOrder::big;
  if (std::strcmp(text, "l") == 0 || std::strcmp(text, "ieee-le") == 0) return ByteOrder::little;
  if (std::strcmp(text, "n") != 0 && std::strcmp(text, "native") != 0)
    warning("fopen: don't know how to convert from this machine format");
  return ByteOrder::native;
}

// byte_order_flag is 1 on a host that stores the most significant byte first, 0 otherwise;
// a file swaps when its order is the other one.
int swap_flag(ByteOrder order) {
  return (order == ByteOrder::big && byte_order_flag == 0) ||
         (order == ByteOrder::little && byte_order_flag == 1);
}

// The row of fids 3..64 in use, in increasing order; empty when none.
M<double> fids_in_use() {
  int count = 0;
  for (int f = 3; f < fid_count; f++) count += fid_open[f] != 0;
  M<double> fids(0, 1, count);
  double* p = fids.addr();
  for (int f = 3; f < fid_count; f++)
    if (fid_open[f]) *p++ = f;
  return fids;
}

// The platform opens a directory for reading, and every read then fails; the runtime treats
// it as a file it cannot open.
bool is_directory(std::FILE* f) {
  struct stat st;
  return fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode);
}

// fopenM's work: the fid (or -1) as the result, the message ("File error" or nop_M) into message.
M<double> open_file(const M<double>& name_m, const M<double>& permission_m,
                    const M<double>& format_m, M<double>& message) {
  fid_table_setup();
  char permission[option_bytes];
  char name[name_bytes];
  char format[option_bytes];
  Mstr(permission_m, permission, option_bytes);
  Mstr(name_m, name, name_bytes);
  Mstr(format_m, format, option_bytes);
  const ByteOrder order = machine_format(format);

  message = nop_M;
  if (std::strcmp(name, "all") == 0) return fids_in_use();

  std::FILE* stream = std::fopen(name, permission);
  if (stream != nullptr && is_directory(stream)) {
    std::fclose(stream);
    stream = nullptr;
  }
  if (stream == nullptr) warning("Failed opening file: %s", name);
  if (stream == nullptr || std::ferror(stream)) {
    if (stream != nullptr) std::fclose(stream);
    message = "File error";
    return M<double>(-1.0);
  }
  int fid = 0;
  while (fid < fid_count && fid_open[fid]) fid++;
  if (fid == fid_count) {
    std::fclose(stream);
    error("Too many files");
  }
  fid_files[fid] = stream;
  fid_open[fid] = 1;
  fid_swap[fid] = swap_flag(order);
  return M<double>(fid);
}

// The second argument of ferror clears the indicators when it is text.
M<double> file_error(const M<double>& fid, const M<double>& arg, double& indicator) {
  std::FILE* f;
  int swap;
  fid_check(fid, f, swap);
  indicator = std::ferror(f) ? 1 : 0;
  M<double> message(indicator != 0 ? "File error" : "");
  if (isstr(arg)) std::clearerr(f);
  return message;
}

// Truncation toward zero into a long (the platform's offset type), saturating; NaN gives 0.
long to_offset(double x) {
  constexpr double limit = 9.2e18;  // below 2^63, so the cast is always defined
  if (!(x == x)) return 0;
  if (x >= limit) return static_cast<long>(limit);
  if (x <= -limit) return -static_cast<long>(limit);
  return static_cast<long>(x);
}

}  // namespace

// ============================================================================================
// fopenM: the plain forms open native files, the output-list forms least-significant-first.
// ============================================================================================

M<double> fopenM(M<double> name) { return fopenM(name, M<double>("r"), M<double>("n")); }
M<double> fopenM(M<double> name, M<double> permission) {
  return fopenM(name, permission, M<double>("n"));
}
M<double> fopenM(M<double> name, M<double> permission, M<double> format) {
  M<double> message;
  return open_file(name, permission, format, message);
}
M<double> fopenM(M<double> name, i_o_t, Mr<double> fid, Mr<double> message) {
  return fopenM(name, M<double>("r"), M<double>("l"), i_o, fid, message);
}
M<double> fopenM(M<double> name, M<double> permission, i_o_t, Mr<double> fid, Mr<double> message) {
  return fopenM(name, permission, M<double>("l"), i_o, fid, message);
}
M<double> fopenM(M<double> name, M<double> permission, M<double> format, i_o_t, Mr<double> fid,
                 Mr<double> message) {
  M<double> text;
  const M<double> f = open_file(name, permission, format, text);
  fid = f;
  message = text;
  return x_M;
}

// ============================================================================================
// fclose
// ============================================================================================

M<double> fclose(M<double> x) {
  fid_table_setup();
  if (isstr(x)) {
    for (int f = 3; f < fid_count; f++) {
      if (fid_open[f]) std::fclose(fid_files[f]);
      fid_files[f] = nullptr;
      fid_open[f] = 0;
    }
    return x_M;
  }
  // Rounded as the fid check rounds; a negative fid is refused here too. A fid matrix of
  // another size, or NaN, goes on to the fid check and its messages.
  if (x.size() == 1 && rules::trunc_half_up(x.addr()[0]) < 3)
    error("fclose: can not close stdin/stdout/stderr, fid is %s", x.getname());
  std::FILE* f;
  int swap;
  const int fid = fid_check(x, f, swap);
  const int status = std::fclose(f);
  fid_files[fid] = nullptr;
  fid_open[fid] = 0;
  return M<double>(status == 0 ? 0.0 : -1.0);
}

// ============================================================================================
// Stream queries and moves
// ============================================================================================

M<double> feof(M<double> fid) {
  std::FILE* f;
  int swap;
  fid_check(fid, f, swap);
  return M<double>(std::feof(f) ? 1.0 : 0.0);
}

M<double> ferror(M<double> fid) { return ferror(fid, M<double>(0.0)); }
M<double> ferror(M<double> fid, M<double> arg) {
  double indicator;
  return file_error(fid, arg, indicator);
}
M<double> ferror(M<double> fid, i_o_t, Mr<double> message, Mr<double> indicator) {
  return ferror(fid, M<double>(0.0), i_o, message, indicator);
}
M<double> ferror(M<double> fid, M<double> arg, i_o_t, Mr<double> message, Mr<double> indicator) {
  double set;
  const M<double> text = file_error(fid, arg, set);
  message = text;
  indicator = set;
  return x_M;
}

M<double> frewind(M<double> fid) {
  std::FILE* f;
  int swap;
  fid_check(fid, f, swap);
  return M<double>(std::fseek(f, 0, SEEK_SET) == 0 ? 0.0 : -1.0);
}

M<double> ftell(M<double> fid) {
  std::FILE* f;
  int swap;
  fid_check(fid, f, swap);
  return M<double>(static_cast<double>(std::ftell(f)));
}

M<double> fseek(M<double> fid, M<double> offset, M<double> origin) {
  std::FILE* f;
  int swap;
  fid_check(fid, f, swap);
  const long by = to_offset(*offset.r());  // truncated, not rounded
  double from;
  if (isstr(origin)) {
    char text[option_bytes];
    Mstr(origin, text, option_bytes);
    if (std::strcmp(text, "bof") == 0)
      from = -1;
    else if (std::strcmp(text, "cof") == 0)
      from = 0;
    else if (std::strcmp(text, "eof") == 0)
      from = 1;
    else
      error("fseek: origin %s not bof, cof or eof", origin.getname());
  } else {
    from = std::trunc(*origin.r());
  }
  // NaN fails every test and seeks from the end, as any origin that is not below 0 or 0.
  const int whence = from < 0 ? SEEK_SET : from == 0 ? SEEK_CUR : SEEK_END;
  return M<double>(std::fseek(f, by, whence) == 0 ? 0.0 : -1.0);
}

}  // namespace korvex
