// format_scan.cpp: Mfmt<T>::scan, which reads values from a stdio FILE through the parsed items
// cyclically into a growing array.
#include <climits>
#include <memory>

#include "format_elements.h"
#include "korvex.h"

namespace korvex {

namespace {

int upper(int c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

// A growing value array: starts with `step` elements and grows by `step` whenever the values
// to append would not fit, copying the old contents.
template <class T>
struct Values {
  T* data;
  int capacity;
  int step;
  int& count;
  Values(int step_, int& count_) : data(nullptr), capacity(step_), step(step_), count(count_) {
    new_data(data, capacity);
  }
  void make_room(int more) {
    if (count + more <= capacity) return;
    int grown = capacity;
    while (count + more > grown) grown += step;
    T* bigger = nullptr;
    new_data(bigger, grown);
    copy_data(bigger, data, count);
    delete_data(data);
    data = bigger;
    capacity = grown;
  }
  void add(double v) {
    make_room(1);
    data[count++] = fmt_elem::from_double<T>(v);
  }
  void add_chars(const char* s, int n) {
    make_room(n);
    for (int k = 0; k < n; ++k) data[count++] = static_cast<T>(static_cast<signed char>(s[k]));
  }
};

// Integers are read at 64 bits and narrowed as a 32-bit platform would: a signed value
// saturates at the int range, an unsigned one keeps its low 32 bits.
int narrow_signed(long long v) {
  return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}
int narrow_unsigned(unsigned long long v) {
  return static_cast<int>(static_cast<unsigned>(v & 0xFFFFFFFFull));
}

}  // namespace

template <class T>
T* Mfmt<T>::scan(std::FILE* f, int max, int& count, int& total) {
  count = 0;
  total = 0;
  Values<T> values(scan_step, count);
  const std::unique_ptr<char[]> text(new char[text_bytes]);  // filled by fscanf before use
  // Items in a row that read nothing: a whole cycle of them (a format of literals and "%n"
  // that no longer matches) ends the scan instead of looping forever.
  int idle = 0;
  while (max > 0 && count < max) {
    const int t = upper(types[cursor]);
    if (t == 0 || (t != '=' && std::strchr("CDIOUXEFGNPS", t) == nullptr))
      error("sscanf: unknown type character");
    const Compiled& c = compiled[cursor];
    // The format's own "%n" targets: where the conversion began and ended, and where the
    // whole item ended; -1 when the input did not get that far.
    int before = -1, after = -1, end = -1;
    bool progress = false;
    if (t == '=') {
      const int r = std::fscanf(f, c.sfmt.c_str(), &end);
      if (r < 0) break;
      progress = end > 0;
    } else if (t == 'N') {
      values.add(total);  // no read: the running total of conversions
    } else if (c.suppress) {
      std::fscanf(f, c.sfmt.c_str(), &before, &after, &end);
      if (after < 0) break;  // the skipped field did not match
      progress = after > before;
    } else {
      long long sv = 0;
      unsigned long long uv = 0;
      double dv = 0;
      void* pv = nullptr;
      int r;
      switch (t) {
        case 'C':
        case 'S':
          r = std::fscanf(f, c.sfmt.c_str(), &before, text.get(), &after, &end);
          break;
        case 'D':
        case 'I':
          r = std::fscanf(f, c.sfmt.c_str(), &before, &sv, &after, &end);
          break;
        case 'O':
        case 'U':
        case 'X':
          r = std::fscanf(f, c.sfmt.c_str(), &before, &uv, &after, &end);
          break;
        case 'P':
          r = std::fscanf(f, c.sfmt.c_str(), &before, &pv, &after, &end);
          break;
        default:  // E, F, G
          r = std::fscanf(f, c.sfmt.c_str(), &before, &dv, &after, &end);
          break;
      }
      if (r <= 0) break;  // end of input, or no match
      total += r;
      progress = true;
      switch (t) {
        case 'C': {
          // "%5c" reads up to five characters and does not end them with a zero.
          int got = (before >= 0 && after >= 0) ? after - before : c.scan_width;
          if (got < 0 || got > c.scan_width) got = c.scan_width;
          values.add_chars(text.get(), got);
          break;
        }
        case 'S':
          values.add_chars(text.get(), static_cast<int>(std::strlen(text.get())));
          break;
        case 'D':
        case 'I':
          values.add(narrow_signed(sv));
          break;
        case 'O':
        case 'U':
        case 'X':
          values.add(narrow_unsigned(uv));
          break;
        case 'P':
          break;
        default:
          values.add(dv);
          break;
      }
    }
    if (++cursor > last) cursor = 0;
    if (progress)
      idle = 0;
    else if (++idle > last)
      break;
  }
  return values.data;
}

template double* Mfmt<double>::scan(std::FILE*, int, int&, int&);
template float* Mfmt<float>::scan(std::FILE*, int, int&, int&);
template int* Mfmt<int>::scan(std::FILE*, int, int&, int&);

}  // namespace korvex
