// format_engine.cpp: libFuzzer target for the format engine. The input is a format text, a
// zero byte, then the text of a small file: the format is parsed for each instance (double,
// float, int), printed with a fixed set of elements (non-finite ones included) and scanned
// from the file. Faults that end the process by design (a parse fault, an empty format given
// elements) are checked first and skipped.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "korvex.h"

using namespace korvex;

namespace {

const double doubles[] = {1.5, -2,    0,    HUGE_VAL,     -HUGE_VAL, std::nan(""), -std::nan(""),
                          65,  1e300, -0.0, 2147483648.0, 255.9,     5e-324};
const float floats[] = {1.5f, -2, 0, HUGE_VALF, -HUGE_VALF, std::nanf(""), 65, 3e38f, -0.0f};
const int ints[] = {1, -2, 0, 65, 2147483647, -2147483647 - 1, 255};

template <class T, size_t N>
void exercise(const std::string& format, std::string file_text, const T (&elements)[N]) {
  const char* fault = nullptr;
  Mfmt<T> f(format.c_str(), &fault);
  if (fault != nullptr || f.item_count() == 0) return;
  std::ostringstream out;
  f.print(out, elements, static_cast<int>(N));
  f.print(out, elements, 0);
  f.rewind();
  f.print(out, elements, 2);

  f.rewind();
  std::FILE* file = file_text.empty() ? std::fopen("/dev/null", "r")
                                      : fmemopen(&file_text[0], file_text.size(), "r");
  if (file == nullptr) return;
  int count = 0, total = 0;
  T* values = f.scan(file, 64, count, total);
  if (count < 0 || total < 0) __builtin_trap();
  volatile T sink{};
  for (int k = 0; k < count; ++k) sink = values[k];  // every value counted must be readable
  (void)sink;
  delete_data(values);
  std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::ostream discard(nullptr);  // warnings go nowhere
  korliberr_p = &discard;
  const char* text = reinterpret_cast<const char*>(data);
  const size_t format_len = strnlen(text, size);
  const std::string format(text, format_len);
  const std::string file_text =
      format_len < size ? std::string(text + format_len + 1, size - format_len - 1) : "";
  exercise(format, file_text, doubles);
  exercise(format, file_text, floats);
  exercise(format, file_text, ints);
  return 0;
}
