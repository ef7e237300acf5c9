// inert_commands.cpp: commands translated code may contain that have no effect in compiled
// code (echo, more, then, path, flops), that only record a value (matlabpath writes the path
// file "mpath"), or that refuse to run (eval, feval).
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "common/bounded_text.h"
#include "korvex.h"

namespace korvex {

double flop_count = 0;

M<double> flops() { return M<double>(flop_count); }

M<double> flops(M<double> x) {
  flop_count = *x.r();
  return nop_M;
}

M<double> matlabpath() { return nop_M; }

// Each ';' of the path becomes a line end, flushed as it is written; no line end follows the
// last piece.
M<double> matlabpath(M<double> p) {
  constexpr int path_bytes = 2046;
  char buf[path_bytes];
  bounded_text(p, buf, path_bytes, "matlabpath");
  const int fd = open("mpath", O_WRONLY | O_CREAT | O_TRUNC, 0664);
  std::FILE* f = fd < 0 ? nullptr : fdopen(fd, "w");
  if (f == nullptr) {
    if (fd >= 0) close(fd);
    error("Could not write mpath");
  }
  for (const char* c = buf; *c; ++c) {
    if (*c == ';') {
      std::fputc('\n', f);
      std::fflush(f);
    } else {
      std::fputc(*c, f);
    }
  }
  std::fclose(f);
  return x_M;
}

M<double> eval(M<double>) { error("No compiled eval function, now or ever."); }
M<double> feval(M<double>) { error("feval should not be called."); }

M<double> echo(const char*) { return x_M; }
M<double> more(const char*) { return x_M; }
M<double> then() { return x_M; }
M<double> path(M<double>, M<double>, M<double>, M<double>, M<double>, M<double>, M<double>,
               M<double>) {
  return x_M;
}

}  // namespace korvex
