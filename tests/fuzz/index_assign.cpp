// index_assign.cpp: libFuzzer target for index extraction and subscripted assignment with random
// index matrices: plain positions, 0-1 indices, the colon, NaN, infinities, huge and fractional
// values, empty indices and sources (deletion), on real and complex matrices of small shapes.
// A runtime error is a legal answer: a fault handler turns it into an exception, so the next
// input runs in the same process; an accepted operation must give back every chunk it took.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>

#include "korvex.h"

using namespace korvex;

namespace {

struct Rejected {};
[[noreturn]] void reject(const char*) { throw Rejected{}; }

struct Bytes {
  const uint8_t* p;
  size_t n;
  int next() { return n ? (--n, *p++) : 0; }
};

double element(int b) {
  switch (b % 16) {
    case 11: return std::nan("");
    case 12: return HUGE_VAL;
    case 13: return 1e10;
    case 14: return 1.5;
    case 15: return -0.5;
    default: return (b % 16) - 2;  // -2 .. 8
  }
}

M<double> matrix(Bytes& in, int max_dim) {
  const int r = in.next() % (max_dim + 1), c = in.next() % (max_dim + 1);
  const bool cx = in.next() % 4 == 0;
  M<double> a(cx, r, c);
  for (int k = 0; k < a.size(); ++k) {
    a.addr()[k] = element(in.next());
    if (cx) a.addi()[k] = element(in.next());
  }
  return a;
}

// An index: the colon, a 0-1 vector of some length, or a matrix of positions.
M<double> index(Bytes& in) {
  const int kind = in.next() % 6;
  if (kind == 0) return c_p;
  M<double> k = matrix(in, 4);
  if (kind == 1)
    for (int e = 0; e < k.size(); ++e) k.addr()[e] = k.addr()[e] > 0 ? 1 : 0;
  return k;
}

// Same shape and the same bits in both parts (issame would call NaN elements different).
bool same_bits(const M<double>& a, const M<double>& b) {
  const size_t bytes = static_cast<size_t>(a.size()) * sizeof(double);
  if (a.rows() != b.rows() || a.cols() != b.cols() || a.isc() != b.isc()) return false;
  if (bytes == 0) return true;
  return std::memcmp(a.addr(), b.addr(), bytes) == 0 &&
         (!a.isc() || std::memcmp(a.addi(), b.addi(), bytes) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::ostream discard(nullptr);
  korliberr_p = &discard;
  fault_handler = reject;
  Bytes in{data, size};
  const int chunks_before = fs_used;
  bool rejected = false;
  try {
    M<double> a = matrix(in, 5);
    const M<double> keep = a;  // a shares its block: writes must unshare, never touch keep
    M<double> before;
    before.deepcopy(keep.isc(), keep);
    const int op = in.next() % 6;
    const M<double> k1 = index(in), k2 = index(in);
    M<double> src = in.next() % 3 == 0 ? M<double>(0, 0, 0) : matrix(in, 3);
    switch (op) {
      case 0: { M<double> r = a(k1); break; }
      case 1: { M<double> r = a(k1, k2); break; }
      case 2: a(k1) = src; break;
      case 3: a(k1, k2) = src; break;
      case 4: a(k1) = a; break;          // the source is the target
      case 5: a(k1, k2) = a(k2); break;  // the source is a reference into the target
    }
    if (!same_bits(keep, before)) __builtin_trap();
  } catch (const Rejected&) {
    rejected = true;
  }
  // Outside a gateway call a fault ends the process, so only an accepted operation must give
  // back every chunk; a rejected one may leave what the unwinding skipped.
  if (!rejected && fs_used != chunks_before) __builtin_trap();
  fault_handler = nullptr;
  return 0;
}
