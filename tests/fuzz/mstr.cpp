// mstr.cpp: libFuzzer target for Mstr. The first input byte is the buffer size (0 to 255), the
// rest are element values (8 bytes each, any bit pattern: NaN, infinities, huge values). The
// buffer is allocated at exactly that size, so any write past it is caught.
#include <cstdint>
#include <cstring>
#include <ostream>
#include <vector>

#include "korvex.h"

using namespace korvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::ostream discard(nullptr);  // the truncation warning goes nowhere
  korliberr_p = &discard;
  if (size < 1) return 0;
  const int buffer_size = data[0];
  const int n = static_cast<int>((size - 1) / sizeof(double));
  std::vector<double> codes(static_cast<size_t>(n));
  if (n > 0) std::memcpy(codes.data(), data + 1, static_cast<size_t>(n) * sizeof(double));

  std::vector<char> buf(static_cast<size_t>(buffer_size));
  double* end = Mstr(codes.data(), n, buf.data(), buffer_size);
  const int kept = n < buffer_size - 1 ? n : buffer_size - 1;
  if (end != codes.data() + (kept > 0 ? kept : 0)) __builtin_trap();
  if (buffer_size > 0 && buf[static_cast<size_t>(kept)] != '\0') __builtin_trap();

  // The matrix form over the same codes.
  M<double> x(0, 1, n);
  if (n > 0) std::memcpy(x.addr(), codes.data(), static_cast<size_t>(n) * sizeof(double));
  Mstr(x, buf.data(), buffer_size);
  return 0;
}
