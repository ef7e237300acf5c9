// precision.cpp: the binary element formats (precisions) of fread and fwrite: their names and
// sizes, the conversion of one element between a double and its bytes, and byte reversal.
//
// The block loops run over any count; GCC's default cost model at -O2 vectorises only loops of
// known trip count, so this unit asks for the cheap model.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("vect-cost-model=cheap")
#endif

#include <cmath>
#include <cstdint>
#include <cstring>

#include "korvex.h"

namespace korvex {

namespace {

// ============================================================================================
// Names and sizes. ORDER PRECISION
// ============================================================================================

struct PrecisionName {
  const char* name;
  Precision code;
};

const PrecisionName precision_names[] = {
    {"long", prec_int32},
    {"int", prec_int32},
    {"integer*4", prec_int32},
    {"int32", prec_int32},
    {"unsigned long", prec_uint32},
    {"unsigned int", prec_uint32},
    {"ulong", prec_uint32},
    {"uint", prec_uint32},
    {"short", prec_int16},
    {"int16", prec_int16},
    {"integer*2", prec_int16},
    {"ushort", prec_uint16},
    {"unsigned short", prec_uint16},
    {"char", prec_char},
    {"char*1", prec_char},
    {"schar", prec_schar},
    {"signed char", prec_schar},
    {"uchar", prec_uchar},
    {"unsigned char", prec_uchar},
    {"double", prec_double},
    {"float64", prec_double},
    {"real*8", prec_double},
    {"float", prec_float},
    {"float32", prec_float},
    {"real*4", prec_float},
};

// Bytes per element, indexed by code (0 unused).
constexpr int element_bytes[] = {0, 4, 4, 2, 2, 1, 1, 1, 8, 4};
static_assert(sizeof element_bytes / sizeof element_bytes[0] == prec_float + 1,
              "one size per precision code");

// ============================================================================================
// Element conversions
// ============================================================================================

// Truncation toward zero into 32 bits, saturating at both ends. C++ leaves the conversion of
// NaN and of out-of-range values undefined; here a NaN goes to the end its sign bit points to
// (it becomes the infinity of its sign), and everything is clamped before the cast. Written as
// selects without branches, so the block loops vectorise.
inline std::int32_t to_int32(double x) {
  constexpr double hi = 2147483647.0;
  constexpr double lo = -2147483648.0;
  double c = x == x ? x : std::copysign(HUGE_VAL, x);
  c = c < hi ? c : hi;
  c = c > lo ? c : lo;
  return static_cast<std::int32_t>(c);
}

// Values from 2^31 up lose 2^31, convert as signed and get the top bit back, so the full
// unsigned range is reachable; below 2^31 negative values come out in two's complement.
inline std::uint32_t to_uint32(double x) {
  if (x >= 2147483648.0)
    return static_cast<std::uint32_t>(to_int32(x - 2147483648.0)) ^ 0x80000000u;
  return static_cast<std::uint32_t>(to_int32(x));
}

// Rounding to single precision to nearest, ties to even. Beyond the largest single the cast
// is undefined in C++: the midpoint 2^128 - 2^103 between FLT_MAX and 2^128 rounds (to even)
// up to infinity, anything below it down to FLT_MAX.
inline float to_single(double x) {
  constexpr double overflow = 340282356779733661637539395458142568448.0;  // 2^128 - 2^103
  constexpr double largest = 340282346638528859811704183484516925440.0;   // FLT_MAX
  const double a = std::fabs(x);
  if (a > largest) {  // infinities included; NaN fails the test and casts as NaN
    const float v = a >= overflow ? HUGE_VALF : 3.40282346638528859811704183484516925440e+38f;
    return std::signbit(x) ? -v : v;
  }
  return static_cast<float>(x);
}

inline std::uint8_t reversed(std::uint8_t v) { return v; }
inline std::uint16_t reversed(std::uint16_t v) {
  return static_cast<std::uint16_t>(v << 8 | v >> 8);
}
inline std::uint32_t reversed(std::uint32_t v) { return __builtin_bswap32(v); }
inline std::uint64_t reversed(std::uint64_t v) { return __builtin_bswap64(v); }

// One rule per precision: the element's bit pattern E in host order, from a double and back.
struct Int32Rule {
  using E = std::uint32_t;
  static E encode(double x) { return static_cast<E>(to_int32(x)); }
  static double decode(E b) { return static_cast<std::int32_t>(b); }
};
struct UInt32Rule {
  using E = std::uint32_t;
  static E encode(double x) { return to_uint32(x); }
  static double decode(E b) { return b; }
};
// The 16- and 8-bit codes keep the low bits of the 32-bit conversion: they wrap, they do not
// saturate at their own range (70000 as "int16" is 4464).
struct Int16Rule {
  using E = std::uint16_t;
  static E encode(double x) { return static_cast<E>(to_int32(x)); }
  static double decode(E b) { return static_cast<std::int16_t>(b); }
};
struct UInt16Rule {
  using E = std::uint16_t;
  static E encode(double x) { return static_cast<E>(to_int32(x)); }
  static double decode(E b) { return b; }
};
struct Int8Rule {
  using E = std::uint8_t;
  static E encode(double x) { return static_cast<E>(to_int32(x)); }
  static double decode(E b) { return static_cast<std::int8_t>(b); }
};
struct UInt8Rule {
  using E = std::uint8_t;
  static E encode(double x) { return static_cast<E>(to_int32(x)); }
  static double decode(E b) { return b; }
};
struct DoubleRule {
  using E = std::uint64_t;
  static E encode(double x) {
    E b;
    std::memcpy(&b, &x, sizeof b);
    return b;
  }
  static double decode(E b) {
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
  }
};
struct SingleRule {
  using E = std::uint32_t;
  static E encode(double x) {
    const float s = to_single(x);
    E b;
    std::memcpy(&b, &s, sizeof b);
    return b;
  }
  static double decode(E b) {
    float s;
    std::memcpy(&s, &b, sizeof s);
    return s;
  }
};

// ============================================================================================
// Block loops: one per rule and byte order, chosen once per call.
// ============================================================================================

using EncodeLoop = void (*)(const double*, int, unsigned char*);
using DecodeLoop = void (*)(const unsigned char*, int, double*);

template <class R, bool Swap>
void encode_block(const double* __restrict x, int n, unsigned char* __restrict out) {
  using E = typename R::E;
  for (int k = 0; k < n; k++) {
    E v = R::encode(x[k]);
    if (Swap) v = reversed(v);
    std::memcpy(out + static_cast<std::size_t>(k) * sizeof v, &v, sizeof v);
  }
}

template <class R, bool Swap>
void decode_block(const unsigned char* __restrict in, int n, double* __restrict x) {
  using E = typename R::E;
  for (int k = 0; k < n; k++) {
    E v;
    std::memcpy(&v, in + static_cast<std::size_t>(k) * sizeof v, sizeof v);
    if (Swap) v = reversed(v);
    x[k] = R::decode(v);
  }
}

template <class R>
EncodeLoop encoder(int swap) {
  return swap ? encode_block<R, true> : encode_block<R, false>;
}
template <class R>
DecodeLoop decoder(int swap) {
  return swap ? decode_block<R, true> : decode_block<R, false>;
}

// The loops of a code, or null for a code outside 1..9.
EncodeLoop encoder_of(Precision p, int swap) {
  switch (p) {
    case prec_int32:
      return encoder<Int32Rule>(swap);
    case prec_uint32:
      return encoder<UInt32Rule>(swap);
    case prec_int16:
      return encoder<Int16Rule>(swap);
    case prec_uint16:
      return encoder<UInt16Rule>(swap);
    case prec_char:
    case prec_schar:
      return encoder<Int8Rule>(swap);
    case prec_uchar:
      return encoder<UInt8Rule>(swap);
    case prec_double:
      return encoder<DoubleRule>(swap);
    case prec_float:
      return encoder<SingleRule>(swap);
  }
  return nullptr;
}
DecodeLoop decoder_of(Precision p, int swap) {
  switch (p) {
    case prec_int32:
      return decoder<Int32Rule>(swap);
    case prec_uint32:
      return decoder<UInt32Rule>(swap);
    case prec_int16:
      return decoder<Int16Rule>(swap);
    case prec_uint16:
      return decoder<UInt16Rule>(swap);
    case prec_char:
    case prec_schar:
      return decoder<Int8Rule>(swap);
    case prec_uchar:
      return decoder<UInt8Rule>(swap);
    case prec_double:
      return decoder<DoubleRule>(swap);
    case prec_float:
      return decoder<SingleRule>(swap);
  }
  return nullptr;
}

// Elements pass through a buffer of this many bytes: 8192 doubles, small enough for the stack
// and large enough that the platform call per block costs nothing next to the copying.
constexpr int block_bytes = 65536;

}  // namespace

// ============================================================================================
// Interface
// ============================================================================================

Precision precision_code(const char* name, int& size) {
  for (const PrecisionName& entry : precision_names)
    if (std::strcmp(entry.name, safe_str(name)) == 0) {
      size = element_bytes[entry.code];
      return entry.code;
    }
  error("fileio: unknown precision %s", name);
}

void swap2(unsigned char* b) { std::swap(b[0], b[1]); }
void swap4(unsigned char* b) {
  std::swap(b[0], b[3]);
  std::swap(b[1], b[2]);
}
void swap8(unsigned char* b) {
  for (int k = 0; k < 4; k++) std::swap(b[k], b[7 - k]);
}

long long fread_elements(double* x, long long n, std::FILE* f, Precision p, int swap) {
  const DecodeLoop decode = decoder_of(p, swap);
  if (decode == nullptr) error("fread: unknown precision");
  const int size = element_bytes[p];
  // Native doubles need no conversion: straight into the caller's array.
  if (p == prec_double && !swap)
    return n > 0 ? static_cast<long long>(std::fread(x, sizeof(double), n, f)) : 0;
  unsigned char buf[block_bytes];
  const int per_block = block_bytes / size;
  long long done = 0;
  while (done < n) {
    const int want = n - done < per_block ? static_cast<int>(n - done) : per_block;
    const int got = static_cast<int>(std::fread(buf, size, want, f));
    decode(buf, got, x + done);
    done += got;
    if (got < want) break;
  }
  return done;
}

long long fwrite_elements(const double* x, long long n, std::FILE* f, Precision p, int swap) {
  const EncodeLoop encode = encoder_of(p, swap);
  if (encode == nullptr) error("fwrite: unknown precision");
  const int size = element_bytes[p];
  if (p == prec_double && !swap)
    return n > 0 ? static_cast<long long>(std::fwrite(x, sizeof(double), n, f)) : 0;
  unsigned char buf[block_bytes];
  const int per_block = block_bytes / size;
  long long done = 0;
  while (done < n) {
    const int want = n - done < per_block ? static_cast<int>(n - done) : per_block;
    encode(x + done, want, buf);
    const int put = static_cast<int>(std::fwrite(buf, size, want, f));
    done += put;
    if (put < want) break;
  }
  return done;
}

int fread(double& x, std::FILE* f, Precision p, int swap) {
  const double before = x;  // a partial element may have landed in x
  if (fread_elements(&x, 1, f, p, swap) == 1) return 1;
  x = before;
  return 0;
}

int fwrite(double& x, std::FILE* f, Precision p, int swap) {
  return static_cast<int>(fwrite_elements(&x, 1, f, p, swap));
}

}  // namespace korvex
