// fread_fwrite.cpp: libFuzzer target for fread and fwrite. Input: a precision byte (code and
// machine format), a size-form byte, two size bytes and a skip byte, then the file's bytes.
// The file is read with that size, precision and skip; nothing may be read past the file, the
// count must match the matrix, and without a skip the elements written back must give the
// bytes they were read from (a float NaN excepted: widening to double may quiet it).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <vector>

#include "korvex.h"

using namespace korvex;

namespace {

const char* const names[] = {"int32", "uint",  "int16",  "ushort", "char",
                             "schar", "uchar", "double", "float"};
const int sizes[] = {4, 4, 2, 2, 1, 1, 1, 8, 4};

// A file of the given bytes, entered in the fid table as fid 3 with the given swap flag.
M<double> open_bytes(const uint8_t* data, size_t size, int swap) {
  fid_table_setup();
  std::FILE* f = std::tmpfile();
  if (f == nullptr) __builtin_trap();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) __builtin_trap();
  std::rewind(f);
  fid_files[3] = f;
  fid_open[3] = 1;
  fid_swap[3] = swap;
  return M<double>(3.0);
}

std::vector<uint8_t> contents(std::FILE* f) {
  std::vector<uint8_t> bytes;
  std::rewind(f);
  for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<uint8_t>(c));
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::ostream discard(nullptr);
  korliberr_p = &discard;
  if (size < 5) return 0;
  const int code = data[0] % 9;
  const int swap = (data[0] / 9) % 2;
  const int8_t a = static_cast<int8_t>(data[2]);
  const int8_t b = static_cast<int8_t>(data[3]);
  const double inf = HUGE_VAL;
  M<double> shape;
  switch (data[1] % 4) {
    case 0:
      shape = M<double>(inf);
      break;
    case 1:
      shape = M<double>(static_cast<double>(a));
      break;
    case 2:
      shape = M<double>(0, 1, 2);
      shape.addr()[0] = a;
      shape.addr()[1] = inf;
      break;
    default:
      shape = M<double>(0, 1, 2);
      shape.addr()[0] = a;
      shape.addr()[1] = b;
      break;
  }
  const double skip = data[4] < 250 ? data[4] % 4 : 1e300;
  const uint8_t* bytes = data + 5;
  const size_t n = size - 5;

  const M<double> fid = open_bytes(bytes, n, swap);
  M<double> values, count;
  fread(fid, shape, M<double>(names[code]), M<double>(skip), i_o, Mr<double>(values),
        Mr<double>(count));
  const int e = sizes[code];
  const double got = count.addr()[0];
  if (!(got >= 0 && got <= values.size() && got <= static_cast<double>(n / e))) __builtin_trap();
  fclose(fid);

  if (skip == 0 && got > 0) {
    // Write the elements read back, in the same precision and byte order.
    const M<double> out = open_bytes(nullptr, 0, swap);
    M<double> read(0, static_cast<int>(got), 1);
    std::memcpy(read.addr(), values.addr(), sizeof(double) * static_cast<size_t>(got));
    if (fwrite(out, read, M<double>(names[code])).addr()[0] != got) __builtin_trap();
    const std::vector<uint8_t> written = contents(fid_files[3]);
    if (written.size() != static_cast<size_t>(got) * e) __builtin_trap();
    for (size_t k = 0; k < written.size(); k += e) {
      if (code == 8 && std::isnan(read.addr()[k / e])) continue;
      if (std::memcmp(written.data() + k, bytes + k, e) != 0) __builtin_trap();
    }
    fclose(out);
  }
  return 0;
}
