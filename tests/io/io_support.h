// io_support.h: test helpers for display and formats over the file helpers: the text of a matrix,
// the runtime streams captured into strings, print into a string, and a text as a FILE to scan.
#ifndef KORVEX_TESTS_IO_SUPPORT_H
#define KORVEX_TESTS_IO_SUPPORT_H

#include <cstdio>
#include <sstream>

#include "file_helpers.h"

namespace korvex_test {

// The characters of a text matrix (real parts, column order, low 8 bits).
inline std::string text_of(const korvex::M<double>& m) {
  std::string s;
  for (int k = 0; k < m.size(); ++k) s += static_cast<char>(static_cast<int>(m.addr()[k]));
  return s;
}

// Points the runtime's output and error streams at strings for the test's lifetime.
struct CapturedStreams {
  std::ostringstream out, err;
  CapturedStreams() {
    korvex::korlibout_p = &out;
    korvex::korliberr_p = &err;
  }
  ~CapturedStreams() {
    korvex::korlibout_p = nullptr;
    korvex::korliberr_p = nullptr;
  }
};

// Runs Mfmt<T>::print of the given elements into a string.
template <class T>
std::string printed(const char* format, std::vector<T> elements) {
  korvex::Mfmt<T> f(format);
  std::ostringstream out;
  f.print(out, elements.data(), static_cast<int>(elements.size()));
  return out.str();
}

// The text as a FILE to scan; closes it when done.
struct TextFile {
  std::FILE* f = std::tmpfile();
  explicit TextFile(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
  }
  ~TextFile() { std::fclose(f); }
};

}  // namespace korvex_test

#endif  // KORVEX_TESTS_IO_SUPPORT_H
