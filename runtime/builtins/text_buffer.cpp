// text_buffer.cpp: Mstr, the conversion of a text matrix into a zero-terminated character
// buffer of the caller's size, cutting (with a warning) what does not fit.
#include "common/rules.h"
#include "korvex.h"

namespace korvex {

double* Mstr(double* p, int n, char* buf, int size) {
  if (n < 0) n = 0;
  if (n > size - 1) {
    warning("Mstr: buffer too small - chopped");
    n = size - 1;
  }
  // A buffer of no bytes has no room even for the terminating zero: nothing is written.
  if (size < 1) return p;
  // Truncation toward zero (saturating, so NaN and huge codes stay defined), then the low
  // 8 bits: 321.7 becomes 'A' (65) and -1 becomes 255.
  for (int k = 0; k < n; ++k)
    buf[k] = static_cast<char>(static_cast<unsigned>(rules::trunc_to_int(p[k])) & 0xFFu);
  buf[n] = '\0';
  return p + n;
}

void Mstr(M<double> x, char* buf, int size) { Mstr(x.addr(), x.size(), buf, size); }

}  // namespace korvex
