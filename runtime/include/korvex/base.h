// base.h: error and warning reporting, the assertion macro, element storage and the chunk pool.
#ifndef KORVEX_BASE_H
#define KORVEX_BASE_H

#include <cstring>
#include <iosfwd>

namespace korvex {

// ============================================================================================
// Error and warning reporting (services/error.cpp)
// ============================================================================================

// The runtime streams; null until the start-up routine binds them. While null, errors and
// warnings go to the process's standard error and display text to standard output.
extern std::istream* korlibin_p;
extern std::ostream* korlibout_p;
extern std::ostream* korliberr_p;
std::ostream& err_stream();  // *korliberr_p, or std::cerr while unbound
std::ostream& out_stream();  // *korlibout_p, or std::cout while unbound

const char* safe_str(const char* s);  // s, or "?" for a null pointer

// Writes "error: MSG" and an end of line to the error stream, then exit(1) - unless a fault
// handler is installed, which then receives MSG instead (see fault_handler).
// Formatted forms format into a 200-character buffer (cut, never overflowed); every string
// argument passes through safe_str.
[[noreturn]] void error(const char* msg);
[[noreturn]] void error(const char* fmt, const char* a);
[[noreturn]] void error(const char* fmt, int n);
[[noreturn]] void error(const char* fmt, const char* a, const char* b);
[[noreturn]] void error(const char* fmt, const char* a, const char* b, const char* c);
[[noreturn]] void error(const char* fmt, const char* a, const char* b, const char* c,
                        const char* d);
[[noreturn]] void error(const char* fmt, const char* a, const char* b, const char* c, const char* d,
                        const char* e);
// Null outside a host call. While the gateway serves one it points at a handler that does not
// return (it unwinds to the gateway, which reports MSG to the host): error() then prints nothing
// and does not end the process. Should a handler return, error() prints and exits as usual.
using fault_handler_fn = void (*)(const char* msg);
extern fault_handler_fn fault_handler;
// Writes "warning: MSG" and an end of line to the error stream; returns 0.
int warning(const char* msg);
int warning(const char* fmt, const char* a);
int warning(const char* fmt, const char* a, const char* b);

// Internal invariants. Prints "FILE:LINE: failed assertion `COND'" on the process's standard
// error (FILE is the source file's base name, COND the condition without blanks) and aborts.
[[noreturn]] void assert_fail(const char* file, unsigned line, const char* cond);
#define KORVEX_ASSERT(cond) \
  ((cond) ? static_cast<void>(0) : ::korvex::assert_fail(__FILE__, __LINE__, #cond))

// ============================================================================================
// Element storage and the chunk pool (matrix/storage.cpp)
// ============================================================================================

// Typed element arrays, instantiated for double, float, int, unsigned char, char and char*.
template <class T>
void new_data(T*& p, int n);  // max(n,1) elements; "Out of memory"
template <class T>
void delete_data(T*& p);  // asserts p!=NULL; sets p to null
template <class T>
void copy_data(T* dst, const T* src, int n);  // no-op for n<1 or null
template <class T>
void fill_data(T* p, int n, T v);
template <class T>
void zero_data(T* p, int n);

// The FS pool: 256-byte chunks cut from 16384-byte blocks, at most 128 blocks.
constexpr int fs_chunk_bytes = 256;
constexpr int fs_block_bytes = 16384;
constexpr int fs_max_blocks = 128;
extern void* fs_free;  // head of the free list; a free chunk's first word links the next
extern int fs_used;    // chunks handed out and not yet returned
extern int fs_last;    // index of the last block in fs_blocks, -1 when the pool is empty
extern void* fs_blocks[fs_max_blocks];
void* fs_grow_and_take();  // newFS without a free chunk: adds a block (storage.cpp)
void fs_release_all();     // deleteFS of the last live chunk: frees every block (storage.cpp)

// Taking and returning a chunk is inline: one list operation, no call on the common path.
inline void* newFS() {
  ++fs_used;
  void* chunk = fs_free;
  if (chunk == nullptr) return fs_grow_and_take();
  std::memcpy(&fs_free, chunk, sizeof fs_free);
  return chunk;
}
inline void deleteFS(void* p) {
  --fs_used;
  std::memcpy(p, &fs_free, sizeof fs_free);
  fs_free = p;
  if (fs_used == 0) fs_release_all();
}

}  // namespace korvex

#endif  // KORVEX_BASE_H
