// string_builders.cpp: sprintfM (to a stream or into a text matrix), str2mat, strcmp and the
// sscanfM stub.
#include <algorithm>
#include <sstream>

#include "korvex.h"

namespace korvex {

namespace {

constexpr int format_bytes = 2046;  // a format of at most 2045 characters and its terminator

// a over b, each row padded on the right with blanks to the wider of the two.
M<double> stack_padded(const M<double>& a, const M<double>& b) {
  M<double> r(0, a.rows() + b.rows(), std::max(a.cols(), b.cols()));
  fill_data(r.addr(), r.size(), 32.0);
  for (int j = 1; j <= a.cols(); ++j)
    for (int i = 1; i <= a.rows(); ++i) *r.addr(i, j) = *a.addr(i, j);
  for (int j = 1; j <= b.cols(); ++j)
    for (int i = 1; i <= b.rows(); ++i) *r.addr(a.rows() + i, j) = *b.addr(i, j);
  return r;
}

}  // namespace

void sprintfM(std::ostream& out, M<double> fmt, M<double> a1, M<double> a2, M<double> a3,
              M<double> a4, M<double> a5, M<double> a6, M<double> a7, M<double> a8) {
  char text[format_bytes];
  Mstr(fmt, text, format_bytes);
  Mfmt<double> engine(text);
  // One object for all arguments: the cursor carries on from one to the next.
  const M<double>* args[] = {&a1, &a2, &a3, &a4, &a5, &a6, &a7, &a8};
  for (const M<double>* a : args) engine.sprintfM(out, *a);
}

// The text stops at the first zero character, as a text matrix is built from a C string.
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                   M<double> a5, M<double> a6, M<double> a7, M<double> a8) {
  std::ostringstream out;
  sprintfM(out, fmt, a1, a2, a3, a4, a5, a6, a7, a8);
  const std::string text = out.str();
  return M<double>(text.c_str());
}

M<double> sprintfM(M<double> fmt) {
  const M<double>& m = missing_M;
  return sprintfM(fmt, m, m, m, m, m, m, m, m);
}
M<double> sprintfM(M<double> fmt, M<double> a1) {
  const M<double>& m = missing_M;
  return sprintfM(fmt, a1, m, m, m, m, m, m, m);
}
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2) {
  const M<double>& m = missing_M;
  return sprintfM(fmt, a1, a2, m, m, m, m, m, m);
}
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3) {
  const M<double>& m = missing_M;
  return sprintfM(fmt, a1, a2, a3, m, m, m, m, m);
}
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3, M<double> a4) {
  const M<double>& m = missing_M;
  return sprintfM(fmt, a1, a2, a3, a4, m, m, m, m);
}
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                   M<double> a5) {
  const M<double>& m = missing_M;
  return sprintfM(fmt, a1, a2, a3, a4, a5, m, m, m);
}
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                   M<double> a5, M<double> a6) {
  const M<double>& m = missing_M;
  return sprintfM(fmt, a1, a2, a3, a4, a5, a6, m, m);
}
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                   M<double> a5, M<double> a6, M<double> a7) {
  return sprintfM(fmt, a1, a2, a3, a4, a5, a6, a7, missing_M);
}

M<double> sscanfM(M<double>, M<double>) { error("sscanfM not supported"); }
M<double> sscanfM(M<double>, M<double>, M<double>) { error("sscanfM not supported"); }
M<double> sscanfM(M<double>, M<double>, i_o_t, Mr<double>) { error("sscanfM not supported"); }
M<double> sscanfM(M<double>, M<double>, M<double>, i_o_t, Mr<double>) {
  error("sscanfM not supported");
}

M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6, M<double> s7, M<double> s8, M<double> s9, M<double> s10,
                  M<double> s11) {
  if (s2.issamename(missing_name)) return s1;
  const M<double>* rest[] = {&s2, &s3, &s4, &s5, &s6, &s7, &s8, &s9, &s10, &s11};
  M<double> r = s1;
  for (const M<double>* s : rest) {
    if (s->issamename(missing_name)) break;
    r = stack_padded(r, *s);
  }
  return setstr(r);
}

M<double> str2mat(M<double> s1) {
  const M<double>& m = missing_M;
  return str2mat(s1, m, m, m, m, m, m, m, m, m, m);
}
M<double> str2mat(M<double> s1, M<double> s2) {
  const M<double>& m = missing_M;
  return str2mat(s1, s2, m, m, m, m, m, m, m, m, m);
}
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3) {
  const M<double>& m = missing_M;
  return str2mat(s1, s2, s3, m, m, m, m, m, m, m, m);
}
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4) {
  const M<double>& m = missing_M;
  return str2mat(s1, s2, s3, s4, m, m, m, m, m, m, m);
}
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5) {
  const M<double>& m = missing_M;
  return str2mat(s1, s2, s3, s4, s5, m, m, m, m, m, m);
}
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6) {
  const M<double>& m = missing_M;
  return str2mat(s1, s2, s3, s4, s5, s6, m, m, m, m, m);
}
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6, M<double> s7) {
  const M<double>& m = missing_M;
  return str2mat(s1, s2, s3, s4, s5, s6, s7, m, m, m, m);
}
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6, M<double> s7, M<double> s8) {
  const M<double>& m = missing_M;
  return str2mat(s1, s2, s3, s4, s5, s6, s7, s8, m, m, m);
}
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6, M<double> s7, M<double> s8, M<double> s9) {
  const M<double>& m = missing_M;
  return str2mat(s1, s2, s3, s4, s5, s6, s7, s8, s9, m, m);
}
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6, M<double> s7, M<double> s8, M<double> s9, M<double> s10) {
  return str2mat(s1, s2, s3, s4, s5, s6, s7, s8, s9, s10, missing_M);
}

M<double> strcmp(M<double> a, M<double> b) {
  return M<double>(isstr(a) && isstr(b) && issame(a, b));
}

}  // namespace korvex
