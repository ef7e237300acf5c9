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

struct Global {
  const M<double>* g;
  const char* name;
};

// Every global of element type double, in construction order (f_M, the float one, sits
// between d_M and mfilename).
const Global doubles[] = {
    {&TICTOC, "TICTOC"},
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
    {&nop_M, "[]"},
};
constexpr int n_doubles = sizeof doubles / sizeof doubles[0];
constexpr int n_globals = n_doubles + 1;

// The block start (what deleteFS receives) of every global, in construction order.
void block_starts(const void* out[n_globals]) {
  int k = 0;
  for (const Global& d : doubles) {
    out[k++] = reinterpret_cast<const char*>(d.g->addr()) - 8 * sizeof(double);
    if (d.g == &d_M) out[k++] = reinterpret_cast<const char*>(f_M.addr()) - 8 * sizeof(float);
  }
}

// ---- Watching static destruction --------------------------------------------------------
// A priority constructor runs before any default-priority static constructor, so the exit
// handler it registers runs after every global of the runtime has been destroyed.
struct {
  int armed;
  const void* blocks[n_globals];
} watch;

void after_globals_destroyed() {
  if (!watch.armed) return;
  // Each destructor pushes its chunk on the free list, so read from the head the list holds
  // the blocks in the reverse order of destruction: construction order if all is well.
  // Chunks of anything else destroyed meanwhile are skipped.
  int next = 0;
  for (void* p = fs_free; p != nullptr && next < n_globals;) {
    if (p == watch.blocks[next]) ++next;
    std::memcpy(&p, p, sizeof p);
  }
  const bool all_destroyed = TICTOC.getdm() == -1 && nop_M.getdm() == -1 && f_M.getdm() == -1;
  if (next == n_globals && all_destroyed) {
    std::fprintf(stderr, "globals destroyed in reverse order\n");
    std::fflush(stderr);
    _exit(0);
  }
  std::fprintf(stderr, "global %d out of order (destroyed: %d)\n", next, all_destroyed);
  std::fflush(stderr);
  _exit(3);
}

__attribute__((constructor(101))) void watch_static_destruction() {
  std::atexit(after_globals_destroyed);
}

}  // namespace

TEST(Globals, EmptyAndNamedBeforeStartup) {
  for (const Global& d : doubles) {
    EXPECT_EQ(d.g->size(), 0) << d.name;
    EXPECT_EQ(d.g->rows(), 0) << d.name;
    EXPECT_EQ(d.g->isc(), 0) << d.name;
    EXPECT_EQ(d.g->getdm(), 0) << d.name;
    EXPECT_STREQ(d.g->getname(), d.name);
  }
  EXPECT_EQ(f_M.size(), 0);
  EXPECT_STREQ(f_M.getname(), "junk_M");
  // The markers carry exactly the marker pointers.
  EXPECT_TRUE(c_p.issamename(colon_name));
  EXPECT_TRUE(semi.issamename(semi_name));
  EXPECT_TRUE(x_M.issamename(noval_name));
  EXPECT_TRUE(missing_M.issamename(missing_name));
  EXPECT_FALSE(nop_M.issamename(noval_name));
  EXPECT_EQ(korlibin_p, nullptr);
  EXPECT_EQ(korlibout_p, nullptr);
  EXPECT_EQ(korliberr_p, nullptr);
}

TEST(Globals, ScalarsKeepTheirStaticValues) {
  const double values[] = {inf_value, nan_value, eps_double, eps_float, pi_value, nargin, nargout};
  for (double v : values) EXPECT_EQ(v, 0);
  const int ints[] = {nargin_set, nargout_set, byte_order_flag, trace_startup};
  for (int v : ints) EXPECT_EQ(v, 0);
  EXPECT_STREQ(viewer_cmd, "");
  EXPECT_STREQ(player_cmd, "");
  EXPECT_STREQ(plotter_cmd, "");
}

TEST(Globals, ConstructedInTableOrder) {
  // The globals took consecutive chunks of a fresh pool block, one after the other.
  const void* blocks[n_globals];
  block_starts(blocks);
  for (int k = 1; k < n_globals; ++k)
    EXPECT_EQ(static_cast<const char*>(blocks[k]) - static_cast<const char*>(blocks[k - 1]),
              fs_chunk_bytes)
        << k;
}

TEST(Globals, DestroyedInReverseOrder) {
  EXPECT_EXIT(
      {
        ++fs_used;  // a chunk that is never returned keeps the pool from being released
        block_starts(watch.blocks);
        watch.armed = 1;
        std::exit(0);
      },
      testing::ExitedWithCode(0), "^globals destroyed in reverse order\n$");
}

TEST(Globals, CopiesOfMarkersAreRecognisedAssignedValuesAreNot) {
  const M<double> copy(x_M);
  EXPECT_TRUE(copy.issamename(noval_name));
  M<double> assigned("x_M", 0, 0);  // same text, its own pointer
  assigned = x_M;
  EXPECT_FALSE(assigned.issamename(noval_name));
  EXPECT_TRUE(missing_as<double>().issamename(missing_name));
  EXPECT_TRUE(missing_as<float>().issamename(missing_name));
  EXPECT_TRUE(missing_as<int>().issamename(missing_name));
  EXPECT_TRUE(missing_as<unsigned char>().issamename(missing_name));
  EXPECT_EQ(missing_as<int>().size(), 0);
  const M<double> filler = missing_as<double>();
  EXPECT_EQ(filler.addr(), missing_M.addr());  // same element type: shared, not copied
}

TEST(Globals, EpsOfFollowsTheElementType) {
  // The start-up routine sets these; here the test does.
  eps_double = std::pow(2.0, -52);
  eps_float = std::pow(2.0, -23);
  double d = 0;
  float f = 0;
  int n = 0;
  unsigned char b = 0;
  eps_of(d);
  eps_of(f);
  eps_of(n);
  eps_of(b);
  eps_double = eps_float = 0;
  EXPECT_EQ(d, std::ldexp(1.0, -52));
  EXPECT_EQ(f, std::ldexp(1.0f, -23));
  EXPECT_EQ(n, 1);
  EXPECT_EQ(b, 1);
}

TEST(Globals, JunkFunctionsReport) {
  const M<double> a(1.0);
  EXPECT_EXIT(junk_func1M(a), testing::ExitedWithCode(1), "^error: junk_func1M called\\.\n$");
  EXPECT_EXIT(junk_func2M(a, a), testing::ExitedWithCode(1), "^error: junk_func2M called\\.\n$");
  EXPECT_EXIT(junk_func3M(a, a, a), testing::ExitedWithCode(1), "^error: junk_func3M called\\.\n$");
  EXPECT_EXIT(junk_func4M(a, a, a, a), testing::ExitedWithCode(1),
              "^error: junk_func4M called\\.\n$");
}
