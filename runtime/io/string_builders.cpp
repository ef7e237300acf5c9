// string_builders.cpp: sprintfM (to a stream or into a text matrix), strcmp and the sscanfM
// stub.
#include <sstream>

#include "korvex.h"

namespace korvex {

namespace {

constexpr int format_bytes = 2046;  // a format of at most 2045 characters and its terminator

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

M<double> strcmp(M<double> a, M<double> b) { return M<double>(isstr(a) && isstr(b) && issame(a, b)); }

}  // namespace korvex
