// Tests of the runtime globals: their state before start-up, their construction and
// destruction order, and the junk functions of the same file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "../support/matrix_builders.h"

using namespace korvex;

namespace {
// Name, size + isc + kind, and block start (what deleteFS receives) of a global matrix.
struct Global {
  const char* name;
  int nonempty;
  const void* block;
};
template <class T>
Global seen(const M<T>& g) {
  return {g.getname(), g.size() + g.isc() + g.getdm(), g.addr() - 8};
}
std::vector<Global> globals() {  // in construction order
  return {
      seen(TICTOC),    seen(computer_name), seen(version), seen(i),       seen(j),       seen(d_M),
      seen(f_M),       seen(mfilename),     seen(stdinM),  seen(stdoutM), seen(stderrM), seen(pi),
      seen(Inf),       seen(NaN),           seen(eps),     seen(lasterr), seen(x_M),     seen(semi),
      seen(missing_M), seen(c_p),           seen(nop_M)};
}

// Registered before any global is built, this exit handler runs after all are destroyed.
// Each destructor pushes its chunk on the free list, so from the head the list holds the blocks
// in construction order if destruction ran in reverse. Other chunks are skipped.
const std::vector<Global>* watched;  // set in a death-test child only
void after_globals_destroyed() {
  if (!watched) return;
  size_t next = 0;
  for (void* p = fs_free; p && next < watched->size(); std::memcpy(&p, p, sizeof p))
    if (p == (*watched)[next].block) ++next;
  std::fprintf(stderr, "%zu in order, marked %d\n", next, TICTOC.getdm() + nop_M.getdm());
  _exit(0);
}
__attribute__((constructor(101))) void watch() { std::atexit(after_globals_destroyed); }
}  // namespace

TEST(Globals, EmptyAndNamedBeforeStartupAndDestroyedInReverseOrder) {
  std::string names;
  for (const Global& g : globals()) {
    names += std::string(g.name) + " ";
    EXPECT_EQ(g.nonempty, 0) << g.name;
  }
  EXPECT_EQ(names,
            "TICTOC computer_name version i j junk_M junk_M mfilename stdinM stdoutM stderrM pi "
            "Inf NaN eps lasterr x_M ; l_M : [] ");
  EXPECT_EQ(inf_value, 0);
  EXPECT_EQ(nan_value, 0);
  EXPECT_EQ(eps_double, 0);
  EXPECT_EQ(pi_value, 0);
  EXPECT_EQ(korlibin_p, nullptr);
  EXPECT_EQ(korlibout_p, nullptr);
  EXPECT_EQ(korliberr_p, nullptr);
  EXPECT_EXIT(
      {
        ++fs_used;  // a chunk never returned keeps the pool from being released
        watched = new std::vector<Global>(globals());
        std::exit(0);
      },
      testing::ExitedWithCode(0), "^21 in order, marked -2\n$");
}

TEST(Globals, JunkFunctionsReport) {
  const M<double> a(1.0);
  EXPECT_ERROR(junk_func1M(a), "junk_func1M called.");
  EXPECT_ERROR(junk_func2M(a, a), "junk_func2M called.");
  EXPECT_ERROR(junk_func3M(a, a, a), "junk_func3M called.");
  EXPECT_ERROR(junk_func4M(a, a, a, a), "junk_func4M called.");
}
