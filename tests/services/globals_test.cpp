// Tests of the runtime globals: their state before start-up, their construction and
// destruction order, the markers and the small helpers of the same file.
#include "korvex.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace korvex;

namespace {

// The double globals in construction order, with their names; f_M (float) follows d_M.
const struct {
  const M<double>* g;
  const char* name;
} doubles[] = {{&TICTOC, "TICTOC"},
               {&computer_name, "computer_name"},
               {&version, "version"},
               {&i, "i"},
               {&j, "j"},
               {&d_M, "junk_M"},
               {&mfilename, "mfilename"},
               {&stdinM, "stdinM"},
               {&stdoutM, "stdoutM"},
               {&stderrM, "stderrM"},
               {&pi, "pi"},
               {&Inf, "Inf"},
               {&NaN, "NaN"},
               {&eps, "eps"},
               {&lasterr, "lasterr"},
               {&x_M, "x_M"},
               {&semi, ";"},
               {&missing_M, "l_M"},
               {&c_p, ":"},
               {&nop_M, "[]"}};
constexpr int n_globals = sizeof doubles / sizeof doubles[0] + 1;

// The block start of every global (what deleteFS receives), in construction order.
void block_starts(const void* out[n_globals]) {
  int k = 0;
  for (auto& d : doubles) {
    out[k++] = reinterpret_cast<const char*>(d.g->addr()) - 8 * sizeof(double);
    if (d.g == &d_M) out[k++] = reinterpret_cast<const char*>(f_M.addr()) - 8 * sizeof(float);
  }
}

// A priority constructor runs before every default-priority static constructor, so the exit
// handler it registers runs after all the runtime's globals have been destroyed.
struct {
  int armed;
  const void* blocks[n_globals];
} watch;

void after_globals_destroyed() {
  if (!watch.armed) return;
  // Each destructor pushes its chunk on the free list, so from the head the list holds the
  // blocks in construction order if destruction ran in reverse. Other chunks are skipped.
  int next = 0;
  for (void* p = fs_free; p != nullptr && next < n_globals; std::memcpy(&p, p, sizeof p))
    if (p == watch.blocks[next]) ++next;
  const bool destroyed = TICTOC.getdm() == -1 && nop_M.getdm() == -1 && f_M.getdm() == -1;
  std::fprintf(stderr, "matched %d of %d in order, destroyed %d\n", next, n_globals, destroyed);
  std::fflush(stderr);
  _exit(next == n_globals && destroyed ? 0 : 3);
}

__attribute__((constructor(101))) void watch_static_destruction() {
  std::atexit(after_globals_destroyed);
}

}  // namespace

TEST(Globals, EmptyNamedAndInTableOrderBeforeStartup) {
  for (auto& d : doubles) {
    EXPECT_EQ(d.g->size() + d.g->isc() + d.g->getdm(), 0) << d.name;
    EXPECT_STREQ(d.g->getname(), d.name);
  }
  EXPECT_EQ(f_M.size(), 0);
  EXPECT_STREQ(f_M.getname(), "junk_M");
  // Built one after the other at load time, they hold consecutive chunks of a fresh block.
  const void* blocks[n_globals];
  block_starts(blocks);
  for (int k = 1; k < n_globals; ++k)
    EXPECT_EQ(static_cast<const char*>(blocks[k]) - static_cast<const char*>(blocks[k - 1]),
              fs_chunk_bytes)
        << k;

  const double scalars[] = {inf_value, nan_value, eps_double, eps_float, pi_value, nargin, nargout};
  for (double v : scalars) EXPECT_EQ(v, 0);
  EXPECT_EQ(nargin_set + nargout_set + byte_order_flag + trace_startup, 0);
  EXPECT_EQ(viewer_cmd[0] + player_cmd[0] + plotter_cmd[0], 0);
  EXPECT_TRUE(korlibin_p == nullptr && korlibout_p == nullptr && korliberr_p == nullptr);
}

TEST(Globals, DestroyedInReverseOrder) {
  EXPECT_EXIT(
      {
        ++fs_used;  // a chunk never returned keeps the pool from being released
        block_starts(watch.blocks);
        watch.armed = 1;
        std::exit(0);
      },
      testing::ExitedWithCode(0), "^matched 21 of 21 in order, destroyed 1\n$");
}

TEST(Globals, MarkersAreKnownByPointerThroughCopiesNotAssignments) {
  EXPECT_TRUE(c_p.issamename(colon_name) && semi.issamename(semi_name) &&
              x_M.issamename(noval_name) && missing_M.issamename(missing_name));
  EXPECT_TRUE(M<double>(x_M).issamename(noval_name));
  M<double> assigned("x_M", 0, 0);  // same text, its own pointer
  assigned = x_M;
  EXPECT_FALSE(assigned.issamename(noval_name));
  EXPECT_EQ(missing_as<double>().addr(), missing_M.addr());  // same type: shared
  EXPECT_TRUE(missing_as<float>().issamename(missing_name));
  EXPECT_TRUE(missing_as<int>().issamename(missing_name));
  EXPECT_TRUE(missing_as<unsigned char>().issamename(missing_name));
}

TEST(Globals, EpsOfAndJunkFunctions) {
  eps_double = std::pow(2.0, -52);  // as the start-up routine sets them
  eps_float = std::pow(2.0, -23);
  double d = 0;
  float f = 0;
  int n = 0;
  unsigned char b = 0;
  eps_of(d), eps_of(f), eps_of(n), eps_of(b);
  eps_double = eps_float = 0;
  EXPECT_EQ(d, std::ldexp(1.0, -52));
  EXPECT_EQ(f, std::ldexp(1.0f, -23));
  EXPECT_EQ(n + b, 2);

  const M<double> a(1.0);
  const auto exit1 = testing::ExitedWithCode(1);
  EXPECT_EXIT(junk_func1M(a), exit1, "^error: junk_func1M called\\.\n$");
  EXPECT_EXIT(junk_func2M(a, a), exit1, "^error: junk_func2M called\\.\n$");
  EXPECT_EXIT(junk_func3M(a, a, a), exit1, "^error: junk_func3M called\\.\n$");
  EXPECT_EXIT(junk_func4M(a, a, a, a), exit1, "^error: junk_func4M called\\.\n$");
}
