// error.cpp: the runtime's one fault path (error) with the host call's fault handler, its
// warnings, the runtime stream pointers and the failed-assertion report used by KORVEX_ASSERT.
#include "korvex.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace korvex {

std::istream* korlibin_p = nullptr;
std::ostream* korlibout_p = nullptr;
std::ostream* korliberr_p = nullptr;

// Inside the MEX module nobody binds the streams, so the process's own streams stand in.
std::ostream& err_stream() { return korliberr_p ? *korliberr_p : std::cerr; }
std::ostream& out_stream() { return korlibout_p ? *korlibout_p : std::cout; }

const char* safe_str(const char* s) { return s ? s : "?"; }

namespace {

// Messages are formatted into this many characters; snprintf cuts a longer one (the 199
// characters that fit, then the terminating zero) instead of writing past the buffer.
constexpr int message_chars = 200;

// The format comes from the runtime's own call sites, never from user text.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
template <class... A>
void format_message(char (&buf)[message_chars], const char* fmt, A... args) {
  std::snprintf(buf, sizeof buf, safe_str(fmt), args...);
}
#pragma GCC diagnostic pop

}  // namespace

fault_handler_fn fault_handler = nullptr;

void error(const char* msg) {
  if (fault_handler) fault_handler(safe_str(msg));
  err_stream() << "error: " << safe_str(msg) << std::endl;
  std::exit(1);
}

void error(const char* fmt, const char* a) {
  char buf[message_chars];
  format_message(buf, fmt, safe_str(a));
  error(buf);
}

void error(const char* fmt, int n) {
  char buf[message_chars];
  format_message(buf, fmt, n);
  error(buf);
}

void error(const char* fmt, const char* a, const char* b) {
  char buf[message_chars];
  format_message(buf, fmt, safe_str(a), safe_str(b));
  error(buf);
}

void error(const char* fmt, const char* a, const char* b, const char* c) {
  char buf[message_chars];
  format_message(buf, fmt, safe_str(a), safe_str(b), safe_str(c));
  error(buf);
}

void error(const char* fmt, const char* a, const char* b, const char* c, const char* d) {
  char buf[message_chars];
  format_message(buf, fmt, safe_str(a), safe_str(b), safe_str(c), safe_str(d));
  error(buf);
}

void error(const char* fmt, const char* a, const char* b, const char* c, const char* d,
           const char* e) {
  char buf[message_chars];
  format_message(buf, fmt, safe_str(a), safe_str(b), safe_str(c), safe_str(d), safe_str(e));
  error(buf);
}

int warning(const char* msg) {
  err_stream() << "warning: " << safe_str(msg) << std::endl;
  return 0;
}

int warning(const char* fmt, const char* a) {
  char buf[message_chars];
  format_message(buf, fmt, safe_str(a));
  return warning(buf);
}

int warning(const char* fmt, const char* a, const char* b) {
  char buf[message_chars];
  format_message(buf, fmt, safe_str(a), safe_str(b));
  return warning(buf);
}

// Goes straight to the C stream: an assertion may fire while the runtime streams are being
// torn down. The file is printed without its directories and the condition without blanks,
// so the report does not depend on the build tree or on how the source was formatted.
void assert_fail(const char* file, unsigned line, const char* cond) {
  const char* base = safe_str(file);
  for (const char* p = base; *p; ++p)
    if (*p == '/' || *p == '\\') base = p + 1;
  std::fprintf(stderr, "%s:%u: failed assertion `", base, line);
  for (const char* p = safe_str(cond); *p; ++p)
    if (*p != ' ' && *p != '\t' && *p != '\n') std::fputc(*p, stderr);
  std::fputs("'\n", stderr);
  std::fflush(stderr);
  std::abort();
}

}  // namespace korvex
