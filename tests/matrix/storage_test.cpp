// Tests of the typed element arrays and the FS chunk pool.
#include "korvex.h"

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

using namespace korvex;

TEST(Storage, TypedArraysHandleEmptyCountsAndNullPointers) {
  char** s = nullptr;
  new_data(s, 0);
  s[0] = nullptr;  // one element is always there (AddressSanitizer checks the bound)
  delete_data(s);
  EXPECT_EQ(s, nullptr);
  int* none = nullptr;
  EXPECT_EXIT(delete_data(none), testing::KilledBySignal(SIGABRT),
              "^storage\\.cpp:[0-9]+: failed assertion `p!=NULL'\n$");

  double d[4] = {1, 2, 3, 4};
  const double src[4] = {9, 9, 9, 9};
  copy_data(d, src, 0);
  copy_data(d, src, -2);
  copy_data(d, static_cast<const double*>(nullptr), 3);
  copy_data(static_cast<double*>(nullptr), src, 3);
  fill_data(d, 0, 7.0);
  EXPECT_EQ(d[0], 1);
  fill_data(d, 3, -0.0);
  zero_data(d, 2);
  EXPECT_FALSE(std::signbit(d[1]));  // zero is +0.0
  EXPECT_TRUE(std::signbit(d[2]));
  EXPECT_EQ(d[3], 4);
}

// The runtime's global matrices hold chunks from load time on, so the pool tests swap in an
// empty pool and put the real one back afterwards, freeing what the test left.
class Pool : public testing::Test {
 protected:
  struct State {
    void* free;
    int used, last;
    void* blocks[fs_max_blocks];
  };
  static State saved;  // static: stays reachable while a death-test child ends

  void SetUp() override {
    saved = State{fs_free, fs_used, fs_last, {}};
    std::memcpy(saved.blocks, fs_blocks, sizeof fs_blocks);
    std::memset(fs_blocks, 0, sizeof fs_blocks);
    fs_free = nullptr;
    fs_used = 0;
    fs_last = -1;
  }
  void TearDown() override {
    for (int k = 0; k <= fs_last && k < fs_max_blocks; ++k) std::free(fs_blocks[k]);
    fs_free = saved.free;
    fs_used = saved.used;
    fs_last = saved.last;
    std::memcpy(fs_blocks, saved.blocks, sizeof fs_blocks);
  }
  static long gap(void* a, void* b) { return static_cast<char*>(b) - static_cast<char*>(a); }
};
Pool::State Pool::saved;

TEST_F(Pool, HandsOutChunksInAddressOrderAndReusesTheLastReturned) {
  void* a = newFS();
  void* b = newFS();
  void* c = newFS();
  EXPECT_EQ(gap(a, b), 256);
  EXPECT_EQ(fs_blocks[0], a);
  deleteFS(b);
  deleteFS(a);
  EXPECT_EQ(newFS(), a);
  EXPECT_EQ(newFS(), b);
  EXPECT_EQ(gap(c, newFS()), 256);  // then the untouched rest of the block
  EXPECT_EQ(fs_used, 4);
}

TEST_F(Pool, AddsABlockPer64ChunksAndReleasesAllWhenTheLastReturns) {
  std::vector<void*> held;
  for (int k = 0; k < 65; ++k) held.push_back(newFS());
  EXPECT_EQ(gap(held[0], held[63]), 63 * 256);
  EXPECT_EQ(held[64], fs_blocks[1]);  // the 65th chunk opened a second block
  for (int k = 0; k < 64; ++k) std::memset(held[k], 0xA5, fs_chunk_bytes);

  for (int k = 64; k >= 1; --k) deleteFS(held[k]);
  EXPECT_EQ(fs_last, 1);  // one chunk still out: nothing is released
  deleteFS(held[0]);
  EXPECT_EQ(fs_last, -1);
  EXPECT_EQ(fs_free, nullptr);
  EXPECT_EQ(fs_blocks[1], nullptr);
  void* fresh = newFS();
  EXPECT_EQ(fresh, fs_blocks[0]);
  deleteFS(fresh);
}

TEST_F(Pool, Holds8192ChunksThenReportsOutOfChunks) {
  std::vector<void*> held;
  for (int k = 0; k < 8192; ++k) held.push_back(newFS());
  EXPECT_EQ(fs_last, 127);
  EXPECT_EXIT(newFS(), testing::ExitedWithCode(1), "^error: FS:Out of chunks\n$");
  for (void* p : held) deleteFS(p);
  EXPECT_EQ(fs_last, -1);
}
