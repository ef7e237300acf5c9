// scratch.h: helpers of the system tests: a fresh temporary directory, whole-file reads, and
// checks run inside a death-test child that report on standard error.
#ifndef KORVEX_TESTS_SYSTEM_SCRATCH_H
#define KORVEX_TESTS_SYSTEM_SCRATCH_H

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace korvex_test {

// A new empty directory under /tmp; left behind for inspection when a test fails.
inline std::string scratch_dir() {
  char tmpl[] = "/tmp/korvex_system_XXXXXX";
  const char* made = mkdtemp(tmpl);
  if (made == nullptr) std::abort();
  return made;
}

inline std::string read_file(const std::string& path) {
  std::ostringstream s;
  s << std::ifstream(path).rdbuf();
  return s.str();
}

inline bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace korvex_test

// Inside a death-test child, where gtest's own assertions do not reach the parent: a failed
// condition is written to standard error, and the child ends with status 0 only when all held.
#define CHILD_CHECK(cond) \
  if (!(cond)) std::fprintf(stderr, "failed: %s\n", #cond), child_failed = true
#define CHILD_BEGIN bool child_failed = false
#define CHILD_END std::exit(child_failed ? 2 : 0)

#endif  // KORVEX_TESTS_SYSTEM_SCRATCH_H
