// Tests of the typed element arrays and the FS chunk pool.
#include <csignal>
#include <utility>

#include "../support/matrix_builders.h"

using namespace korvex;

TEST(Storage, TypedArraysHandleEmptyCountsAndNullPointers) {
  char** s = nullptr;
  new_data(s, 0);
  s[0] = nullptr;  // one element is always there (AddressSanitizer checks the bound)
  delete_data(s);
  EXPECT_EQ(s, nullptr);
  EXPECT_EXIT(delete_data(s), testing::KilledBySignal(SIGABRT),
              "^storage\\.cpp:[0-9]+: failed assertion `p!=NULL'\n");
  double d[2] = {1, 2};
  copy_data(d, d + 1, -1);
  copy_data(d, static_cast<const double*>(nullptr), 1);
  copy_data(static_cast<double*>(nullptr), d, 1);
  EXPECT_EQ(d[0], 1);
}

namespace {
// The global matrices hold chunks from load time on, so the pool test runs on an empty pool of
// its own while the real one waits in `saved` (a global: reachable from a death-test child).
struct PoolState {
  void* free = nullptr;
  int used = 0, last = -1;
  void* blocks[fs_max_blocks] = {};
} saved;

void swap_pool() {
  std::swap(fs_free, saved.free);
  std::swap(fs_used, saved.used);
  std::swap(fs_last, saved.last);
  std::swap(fs_blocks, saved.blocks);
}
}  // namespace

TEST(Pool, HandsOutChunksInOrderReusesTheLastReturnedAndReleasesAllAtZero) {
  swap_pool();
  std::vector<char*> held;
  for (int k = 0; k < 8192; ++k) held.push_back(static_cast<char*>(newFS()));
  EXPECT_EQ(held[1] - held[0], 256);
  EXPECT_EQ(held[63] - held[0], 63 * 256);
  EXPECT_EQ(held[64], fs_blocks[1]);  // the 65th chunk opened a second block
  EXPECT_EQ(fs_last, 127);
  EXPECT_ERROR(newFS(), "FS:Out of chunks");
  deleteFS(held[5]);
  deleteFS(held[9]);
  EXPECT_EQ(newFS(), held[9]);  // last in, first out
  EXPECT_EQ(newFS(), held[5]);
  for (int k = 8191; k >= 1; --k) deleteFS(held[k]);
  EXPECT_EQ(fs_last, 127);  // one chunk still out: nothing is released
  deleteFS(held[0]);
  EXPECT_EQ(fs_last, -1);
  EXPECT_EQ(fs_free, nullptr);
  void* fresh = newFS();  // a new block
  EXPECT_EQ(fresh, fs_blocks[0]);
  deleteFS(fresh);
  swap_pool();
}
