// storage.cpp: typed element arrays (new_data .. zero_data for the six element types) and the
// FS pool of 256-byte chunks: its state and the rare paths behind the inline newFS/deleteFS.
#include "korvex.h"

#include <cstdlib>
#include <new>

namespace korvex {

// ============================================================================================
// Typed element arrays
// ============================================================================================

template <class T>
void new_data(T*& p, int n) {
  // Never a zero-length array: every caller may write one element.
  p = new (std::nothrow) T[n < 1 ? 1 : n];
  if (p == nullptr) error("Out of memory");
}

template <class T>
void delete_data(T*& p) {
  KORVEX_ASSERT(p != NULL);
  delete[] p;
  p = nullptr;
}

template <class T>
void copy_data(T* dst, const T* src, int n) {
  if (n < 1 || dst == nullptr || src == nullptr) return;
  for (int k = 0; k < n; ++k) dst[k] = src[k];
}

template <class T>
void fill_data(T* p, int n, T v) {
  for (int k = 0; k < n; ++k) p[k] = v;
}

// T() is 0.0, 0 or a null pointer.
template <class T>
void zero_data(T* p, int n) {
  for (int k = 0; k < n; ++k) p[k] = T();
}

#define KORVEX_STORAGE_FUNCTIONS(T)              \
  template void new_data<T>(T*&, int);           \
  template void delete_data<T>(T*&);             \
  template void copy_data<T>(T*, const T*, int); \
  template void fill_data<T>(T*, int, T);        \
  template void zero_data<T>(T*, int);
KORVEX_STORAGE_FUNCTIONS(double)
KORVEX_STORAGE_FUNCTIONS(float)
KORVEX_STORAGE_FUNCTIONS(int)
KORVEX_STORAGE_FUNCTIONS(unsigned char)
KORVEX_STORAGE_FUNCTIONS(char)
using char_ptr = char*;  // a macro argument "char*" would make "const char**" of const T*
KORVEX_STORAGE_FUNCTIONS(char_ptr)
#undef KORVEX_STORAGE_FUNCTIONS

// ============================================================================================
// The FS chunk pool
// ============================================================================================

// Plain constant initialisers: the global matrices take chunks during static construction,
// possibly before any dynamic initialiser of this file would have run.
void* fs_free = nullptr;
int fs_used = 0;
int fs_last = -1;
void* fs_blocks[fs_max_blocks] = {};

namespace {

constexpr int chunks_per_block = fs_block_bytes / fs_chunk_bytes;  // 64
static_assert(chunks_per_block * fs_chunk_bytes == fs_block_bytes, "blocks hold whole chunks");

// A free chunk's first pointer-sized word links the next free chunk.
void* next_free(void* chunk) {
  void* next;
  std::memcpy(&next, chunk, sizeof next);
  return next;
}

void link_free(void* chunk, void* next) { std::memcpy(chunk, &next, sizeof next); }

}  // namespace

// The rare ends of newFS and deleteFS, kept out of line so the inline paths stay small.

// newFS has counted the chunk already. A failure takes that count back before it reports, so
// the pool stays consistent when the report returns to a host instead of ending the process.
void* fs_grow_and_take() {
  if (fs_last + 1 >= fs_max_blocks) {
    --fs_used;
    error("FS:Out of chunks");
  }
  char* block = static_cast<char*>(std::malloc(fs_block_bytes));
  if (block == nullptr) {
    --fs_used;
    error("FS:Out of memory");
  }
  fs_blocks[++fs_last] = block;
  // Thread the chunks in address order, so a fresh block hands them out front to back.
  for (int k = 0; k < chunks_per_block - 1; ++k)
    link_free(block + k * fs_chunk_bytes, block + (k + 1) * fs_chunk_bytes);
  link_free(block + (chunks_per_block - 1) * fs_chunk_bytes, nullptr);
  fs_free = next_free(block);
  return block;
}

// No chunk is live: give every block back, the next newFS starts afresh.
void fs_release_all() {
  for (int k = 0; k <= fs_last; ++k) {
    std::free(fs_blocks[k]);
    fs_blocks[k] = nullptr;
  }
  fs_free = nullptr;
  fs_last = -1;
}

}  // namespace korvex
