// format_print.cpp: Mfmt<T>::print, which writes elements through the parsed items cyclically,
// and the member sprintfM over one matrix.
#include <memory>
#include <ostream>

#include "format_elements.h"
#include "korvex.h"

namespace korvex {

namespace {

// The per-call text buffer: not cleared, since every text is written before it is read, and
// grown when one item's text needs more.
class TextBuffer {
 public:
  explicit TextBuffer(size_t n) : bytes(new char[n]), count(n) {}
  char* data() { return bytes.get(); }
  size_t size() const { return count; }
  void resize(size_t n) {
    bytes.reset(new char[n]);
    count = n;
  }

 private:
  std::unique_ptr<char[]> bytes;
  size_t count;
};

// snprintf of one argument into buf, which grows when the text does not fit (widths and
// precisions are at most 32000, so the text is bounded by the item and its argument).
// Returns the text's length; an encoding failure gives no text.
template <class A>
int format_into(TextBuffer& buf, const std::string& fmt, A arg) {
  int len = std::snprintf(buf.data(), buf.size(), fmt.c_str(), arg);
  if (len < 0) return 0;
  if (static_cast<size_t>(len) >= buf.size()) {
    buf.resize(static_cast<size_t>(len) + 1);
    len = std::snprintf(buf.data(), buf.size(), fmt.c_str(), arg);
  }
  return len < 0 ? 0 : len;
}

int upper(int c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

// The low 8 bits of an element truncated toward zero, as a signed character.
template <class T>
int low_byte(T x) {
  return static_cast<signed char>(static_cast<unsigned>(fmt_elem::as_int(x)) & 0xFFu);
}

}  // namespace

template <class T>
void Mfmt<T>::print(std::ostream& out, const T* p, int n) {
  TextBuffer buf(text_bytes);
  std::string owned;  // text that does not come from buf: a dump or a respelled number
  bool warned = false;
  for (;;) {
    const int t = upper(types[cursor]);  // 0 for the empty format, which knows no type
    // Without elements only a literal not yet printed goes out; a format that is one literal
    // prints it once for the whole call.
    if (n <= 0 && (t != '=' || literal_done)) break;
    if (t == '=' && literal_done && last == 0) break;
    const Compiled& c = compiled[cursor];
    const char* text = nullptr;
    int len = 0;
    switch (t) {
      case '=':
        text = c.pfmt.data();
        len = static_cast<int>(c.pfmt.size());
        literal_done = 1;
        break;
      case 'C':
        len = format_into(buf, c.pfmt, low_byte(*p));
        text = buf.data();
        break;
      case 'D':
      case 'I':
      case 'O':
      case 'U':
      case 'X': {
        const int mod = upper(mods[cursor]);
        const double x = fmt_elem::as_double(*p);
        if (mod == 'B' || mod == 'T') {
          owned = fmt_elem::hex_dump(*p, mod == 'T');
          text = owned.data();
          len = static_cast<int>(owned.size());
        } else if (!rules::is_finite(x)) {
          // The name alone: neither the item's width nor its text after the letter.
          text = rules::is_nan(x) ? "NaN" : x < 0 ? "-Inf" : "Inf";
          len = static_cast<int>(std::strlen(text));
        } else {
          // A 32-bit value: "%x" of -1 is ffffffff and "%u" of -1 is 4294967295.
          const int v = fmt_elem::as_int(*p);
          len = (t == 'D' || t == 'I') ? format_into(buf, c.pfmt, v)
                                       : format_into(buf, c.pfmt, static_cast<unsigned>(v));
          text = buf.data();
        }
        break;
      }
      case 'E':
      case 'F':
      case 'G': {
        const double x = fmt_elem::as_double(*p);
        len = format_into(buf, c.pfmt, x);
        text = buf.data();
        if (!rules::is_finite(x)) {
          owned.assign(text, static_cast<size_t>(len));
          fix_nonfinite(x, owned);
          text = owned.data();
          len = static_cast<int>(owned.size());
        }
        break;
      }
      case 'N':
        text = "";  // consumes its element, writes nothing
        break;
      case 'P':
        len = format_into(buf, c.pfmt, static_cast<const void*>(p));
        text = buf.data();
        break;
      case 'S': {
        // Every remaining element is taken; a zero code ends the string early.
        owned.clear();
        for (int k = 0; k < n; ++k) {
          const char ch = static_cast<char>(low_byte(p[k]));
          if (ch == '\0') break;
          owned += ch;
        }
        len = format_into(buf, c.pfmt, owned.c_str());
        text = buf.data();
        p += n;
        n = 0;
        break;
      }
      default:
        error("sprintf: unknown type character");
    }
    if (t != '=' && t != 'S') {
      ++p;
      --n;
    }
    if (++cursor > last) cursor = 0;
    out.write(text, len);
    if (!warned && out.bad()) {
      warning("sprintf: string too long, chopped");
      warned = true;
    }
    if (t == '=' && last == 0) break;
  }
}

template <class T>
void Mfmt<T>::sprintfM(std::ostream& out, const M<T>& x) {
  if (x.issamename(missing_name))
    print(out, x.addr(), 0);
  else
    print(out, x.addr(), x.size());
}

template void Mfmt<double>::print(std::ostream&, const double*, int);
template void Mfmt<float>::print(std::ostream&, const float*, int);
template void Mfmt<int>::print(std::ostream&, const int*, int);
template void Mfmt<double>::sprintfM(std::ostream&, const M<double>&);
template void Mfmt<float>::sprintfM(std::ostream&, const M<float>&);
template void Mfmt<int>::sprintfM(std::ostream&, const M<int>&);

}  // namespace korvex
