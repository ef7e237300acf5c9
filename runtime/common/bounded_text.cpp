// bounded_text.cpp: string arguments of the system commands and environment queries copied
// into fixed buffers; a text that does not fit is an error, never a silently shorter text.
#include "common/bounded_text.h"

#include <cstdio>

namespace korvex {

void bounded_text(const M<double>& x, char* buf, int size, const char* who) {
  if (x.size() > size - 1) {
    // who is a short function name of the runtime; 120 characters hold it and the rest.
    char msg[120];
    std::snprintf(msg, sizeof msg, "%s: text longer than %d characters", safe_str(who), size - 1);
    error(msg);
  }
  Mstr(x, buf, size);
}

}  // namespace korvex
