// directory.cpp: the working directory (cd in its two forms) and file deletion (deleteM).
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/bounded_text.h"
#include "korvex.h"

namespace korvex {

namespace {
constexpr int path_bytes = 2046;  // a path argument: at most 2045 characters
constexpr int cwd_bytes = 500;    // the working directory read back: at most 499 characters
}  // namespace

// The argument's type is not checked: any matrix is read as character codes.
M<double> cd(M<double> path) {
  char buf[path_bytes];
  bounded_text(path, buf, path_bytes, "cd");
  return M<double>(chdir(buf) == 0 ? 0.0 : -1.0);
}

M<double> cd() {
  char buf[cwd_bytes];
  if (getcwd(buf, sizeof buf) == nullptr) {
    if (errno == ERANGE) error("cd: working directory longer than 499 characters");
    error("cd: working directory cannot be read");
  }
  return M<double>(buf);
}

M<double> deleteM(M<double> name) {
  if (!isstr(name)) error("delete: argument not a string");
  char buf[path_bytes];
  bounded_text(name, buf, path_bytes, "delete");
  return M<double>(std::remove(buf) == 0 ? 0.0 : -1.0);
}

}  // namespace korvex
