// Tests of the typed element arrays and the FS chunk pool.
#include "korvex.h"

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

using namespace korvex;

TEST(Storage, NewDataGivesAWritableArrayEvenForZeroOrNegativeCounts) {
  double* d = nullptr;
  new_data(d, 0);
  ASSERT_NE(d, nullptr);
  d[0] = 1.5;  // one element is always there (AddressSanitizer checks the bound)
  delete_data(d);
  EXPECT_EQ(d, nullptr);
  char** s = nullptr;
  new_data(s, -3);
  s[0] = nullptr;
  delete_data(s);
  EXPECT_EQ(s, nullptr);
}

TEST(Storage, DeleteDataOfNullAsserts) {
  int* p = nullptr;
  EXPECT_EXIT(delete_data(p), testing::KilledBySignal(SIGABRT),
              "^storage\\.cpp:[0-9]+: failed assertion `p!=NULL'\n$");
}

TEST(Storage, CopyDataSkipsEmptyRangesAndNullPointers) {
  int src[3] = {1, 2, 3};
  int dst[3] = {7, 7, 7};
  copy_data(dst, src, 0);
  copy_data(dst, src, -2);
  copy_data(dst, static_cast<const int*>(nullptr), 3);
  copy_data(static_cast<int*>(nullptr), src, 3);
  EXPECT_EQ(dst[0], 7);
  copy_data(dst, src, 2);
  EXPECT_EQ(dst[0], 1);
  EXPECT_EQ(dst[1], 2);
  EXPECT_EQ(dst[2], 7);
}

TEST(Storage, FillAndZeroWriteExactlyNElements) {
  double d[4] = {-1, -1, -1, -1};
  fill_data(d, 0, 9.0);
  EXPECT_EQ(d[0], -1);
  fill_data(d, 3, -0.0);
  zero_data(d, 2);
  EXPECT_FALSE(std::signbit(d[0]));  // zero means +0.0
  EXPECT_TRUE(std::signbit(d[2]));
  EXPECT_EQ(d[3], -1);
  char text[3] = {'a', 'b', 'c'};
  fill_data(text, 2, 'z');
  EXPECT_EQ(text[1], 'z');
  EXPECT_EQ(text[2], 'c');
  char* ptrs[2] = {text, text};
  zero_data(ptrs, 1);
  EXPECT_EQ(ptrs[0], nullptr);
  EXPECT_EQ(ptrs[1], text);
  unsigned char bytes[2] = {5, 5};
  zero_data(bytes, 2);
  EXPECT_EQ(bytes[1], 0);
}

// The runtime's global matrices hold pool chunks from load time on, so the pool tests swap in
// an empty pool and put the real one back afterwards, freeing whatever blocks the test left.
class Pool : public testing::Test {
 protected:
  // Static, so the saved pool stays reachable while a death-test child ends.
  static void* saved_free;
  static int saved_used, saved_last;
  static void* saved_blocks[fs_max_blocks];

  void SetUp() override {
    saved_free = fs_free;
    saved_used = fs_used;
    saved_last = fs_last;
    for (int k = 0; k < fs_max_blocks; ++k) {
      saved_blocks[k] = fs_blocks[k];
      fs_blocks[k] = nullptr;
    }
    fs_free = nullptr;
    fs_used = 0;
    fs_last = -1;
  }
  void TearDown() override {
    for (int k = 0; k <= fs_last && k < fs_max_blocks; ++k) std::free(fs_blocks[k]);
    fs_free = saved_free;
    fs_used = saved_used;
    fs_last = saved_last;
    for (int k = 0; k < fs_max_blocks; ++k) fs_blocks[k] = saved_blocks[k];
  }
  static char* bytes(void* p) { return static_cast<char*>(p); }
};
void* Pool::saved_free;
int Pool::saved_used, Pool::saved_last;
void* Pool::saved_blocks[fs_max_blocks];

TEST_F(Pool, FreshChunksAre256BytesApartAndReturnLastInFirstOut) {
  void* a = newFS();
  void* b = newFS();
  EXPECT_EQ(bytes(b) - bytes(a), 256);
  EXPECT_EQ(fs_blocks[0], a);
  EXPECT_EQ(fs_last, 0);
  EXPECT_EQ(fs_used, 2);
  void* c = newFS();
  deleteFS(b);
  deleteFS(a);
  EXPECT_EQ(newFS(), a);
  EXPECT_EQ(newFS(), b);
  EXPECT_EQ(bytes(newFS()) - bytes(c), 256);  // then the untouched rest of the block
  EXPECT_EQ(fs_used, 4);
}

TEST_F(Pool, AddsOneBlockPer64ChunksAndReleasesAllWhenTheLastReturns) {
  std::vector<void*> held;
  for (int k = 0; k < 64; ++k) held.push_back(newFS());
  EXPECT_EQ(fs_last, 0);
  EXPECT_EQ(bytes(held[63]) - bytes(held[0]), 63 * 256);
  held.push_back(newFS());  // the 65th chunk needs a second block
  EXPECT_EQ(fs_last, 1);
  EXPECT_EQ(held[64], fs_blocks[1]);
  for (int k = 0; k < 64; ++k) std::memset(held[k], 0xA5, fs_chunk_bytes);  // chunks are whole

  // Return out of order; the pool stays until the very last chunk comes back.
  for (int k = 0; k < 65; k += 2) deleteFS(held[k]);
  for (int k = 63; k >= 3; k -= 2) deleteFS(held[k]);
  EXPECT_EQ(fs_last, 1);
  EXPECT_EQ(fs_used, 1);
  deleteFS(held[1]);
  EXPECT_EQ(fs_used, 0);
  EXPECT_EQ(fs_last, -1);
  EXPECT_EQ(fs_free, nullptr);
  EXPECT_EQ(fs_blocks[0], nullptr);
  EXPECT_EQ(fs_blocks[1], nullptr);

  void* fresh = newFS();  // starts over with a new first block
  EXPECT_EQ(fs_last, 0);
  EXPECT_EQ(fresh, fs_blocks[0]);
  deleteFS(fresh);
  EXPECT_EQ(fs_last, -1);
}

TEST_F(Pool, Holds8192ChunksThenReportsOutOfChunks) {
  std::vector<void*> held;
  for (int k = 0; k < 8192; ++k) held.push_back(newFS());
  EXPECT_EQ(fs_last, 127);
  EXPECT_EQ(fs_free, nullptr);
  EXPECT_EXIT(newFS(), testing::ExitedWithCode(1), "^error: FS:Out of chunks\n$");
  for (void* p : held) deleteFS(p);
  EXPECT_EQ(fs_last, -1);
}
