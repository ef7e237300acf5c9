// environment.cpp: the environment queries computer, getenv, exist and isieee, and the two
// builtins that act on a variable as a whole, setstr and clear.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/bounded_text.h"
#include "korvex.h"

namespace korvex {

namespace {
constexpr int name_bytes = 2046;  // a name argument: at most 2045 characters
// One above the largest element count a matrix may have.
constexpr double element_limit = static_cast<double>(max_matrix_elements) + 1;

bool readable(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (f == nullptr) return false;
  std::fclose(f);
  return true;
}
}  // namespace

M<double> computer() { return computer_name; }

M<double> computer(i_o_t, Mr<double> c, Mr<double> maxsize) {
  c = computer_name;
  maxsize = M<double>(element_limit);
  return x_M;
}

// An unset variable gives the text of a null pointer: the empty text.
M<double> getenv(M<double> name) {
  char buf[name_bytes];
  bounded_text(name, buf, name_bytes, "getenv");
  return M<double>(std::getenv(buf));
}

M<double> exist(M<double> name) {
  if (!isstr(name)) error("exist: argument is not string");
  char buf[name_bytes];
  bounded_text(name, buf, name_bytes, "exist");
  const std::string file(buf);
  return M<double>(readable(file) || readable(file + ".m") ? 2.0 : 0.0);
}

M<double> isieee() { return M<double>(1.0); }

M<double> setstr(M<double> x) {
  x.setdm(1);
  return x;
}

M<double> clear(Mr<double> x) {
  x = nop_M;
  return x_M;
}

}  // namespace korvex
