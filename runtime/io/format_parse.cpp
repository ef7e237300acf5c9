// format_parse.cpp: parsing a printf-style format into the items of Mfmt<T>, and rebuilding
// each item into a printf format and a scanf format that are safe to hand to the platform.
#include <algorithm>
#include <cstring>

#include "korvex.h"

namespace korvex {

namespace {

const char numeric_letters[] = "dDiIoOuUxXfFeEgG";
const char other_letters[] = "csnp";
const char modifier_letters[] = "lhLHbtBT";

constexpr int max_field = 32000;           // widths and precisions above count as this
constexpr int max_scan_chars = 32000 - 1;  // a scanned text and its terminator fit 32000

bool in_set(const char* set, char c) { return c != '\0' && std::strchr(set, c) != nullptr; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "\n", "\t" and "\r" become their control characters; a backslash before anything else is
// dropped and the character kept, and a backslash at the very end is dropped.
std::string translate_escapes(const char* s) {
  std::string out;
  out.reserve(std::strlen(s));
  for (; *s; ++s) {
    if (*s != '\\') {
      out += *s;
      continue;
    }
    if (*++s == '\0') break;
    switch (*s) {
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        out += *s;
        break;
    }
  }
  return out;
}

// Item text as printf would print it without arguments: "%%" is one "%". (A lone "%" cannot
// occur where this is used, since it would have started a new item; it is kept as is.)
std::string literal_text(const std::string& s) {
  std::string out;
  for (size_t k = 0; k < s.size(); ++k) {
    out += s[k];
    if (s[k] == '%' && k + 1 < s.size() && s[k + 1] == '%') ++k;
  }
  return out;
}

// Literal text made safe inside a printf or scanf format.
std::string escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

int read_count(const std::string& s, size_t& k) {
  int v = 0;
  for (; k < s.size() && is_digit(s[k]); ++k)
    if (v < max_field) v = v * 10 + (s[k] - '0');
  return std::min(v, max_field);
}

// What the characters between "%" and the letter say: flags, then a width, then a precision.
// A "*" counts as no width or precision (there is no argument for it); anything else is ignored.
struct Fields {
  std::string flags;
  int width = -1;
  int precision = -1;
};
Fields read_fields(const std::string& s) {
  Fields fields;
  size_t k = 0;
  for (; k < s.size() && in_set("-+ #0", s[k]); ++k)
    if (fields.flags.find(s[k]) == std::string::npos) fields.flags += s[k];
  if (k < s.size() && s[k] == '*')
    ++k;
  else if (k < s.size() && is_digit(s[k]))
    fields.width = read_count(s, k);
  if (k < s.size() && s[k] == '.') {
    ++k;
    if (k < s.size() && s[k] == '*')
      ++k;
    else
      fields.precision = read_count(s, k);
  }
  return fields;
}

// The one printf conversion for an item: only the flags the C standard defines for the letter,
// no precision where it is undefined, and the old upper-case integer letters (D, I, O, U, which
// stood for their long forms) read as d, i, o, u.
std::string printf_conversion(char letter, const Fields& fields) {
  const char l = (letter == 'D' || letter == 'I' || letter == 'O' || letter == 'U')
                     ? static_cast<char>(letter - 'A' + 'a')
                     : letter;
  const char* allowed = "-+ 0";  // d, i, u
  if (l == 'o' || l == 'x' || l == 'X' || in_set("eEfFgG", l)) allowed = "-+ #0";
  if (l == 'c' || l == 's' || l == 'p') allowed = "-";
  std::string out = "%";
  for (char f : fields.flags)
    if (in_set(allowed, f)) out += f;
  if (fields.width >= 0) out += std::to_string(fields.width);
  if (fields.precision >= 0 && l != 'c' && l != 'p') out += "." + std::to_string(fields.precision);
  out += l;
  return out;
}

// The scanf conversion for an item: a "*" right after "%" means "read and skip", the digits
// after it (and after any printf flags) are the field width, the rest is ignored. Integers are
// read at full width and narrowed after; "%c" and "%s" read into the 32000-byte text buffer.
std::string scanf_conversion(char letter, const std::string& s, bool& suppress, int& chars) {
  size_t k = 0;
  suppress = !s.empty() && s[0] == '*';
  if (suppress) ++k;
  while (k < s.size() && in_set("-+ #", s[k])) ++k;  // printf's flags mean nothing here
  const int width = read_count(s, k);
  std::string out = suppress ? "%*" : "%";
  switch (letter) {
    case 'c':
    case 'C':
      chars = width > 0 ? std::min(width, max_scan_chars) : 1;
      return out + std::to_string(chars) + "c";
    case 's':
    case 'S':
      return out + std::to_string(width > 0 ? std::min(width, max_scan_chars) : max_scan_chars) +
             "s";
    default:
      break;
  }
  if (width > 0) out += std::to_string(width);
  switch (letter) {
    case 'd':
    case 'D':
      return out + "lld";
    case 'i':
    case 'I':
      return out + "lli";
    case 'o':
    case 'O':
      return out + "llo";
    case 'u':
    case 'U':
      return out + "llu";
    case 'x':
    case 'X':
      return out + "llx";
    case 'p':
    case 'P':
      return out + "p";
    default:
      return out + "lf";  // e, f, g
  }
}

}  // namespace

template <class T>
Mfmt<T>::Mfmt(const char* format, const char** fault)
    : types(), mods(), last(-1), cursor(0), string_only(1), literal_done(0) {
  const char* found = parse(format ? format : "");
  if (fault) *fault = found;
  if (found) {
    for (int k = 0; k <= last; ++k) items[k].clear();
    std::fill(types, types + max_items, 0);
    std::fill(mods, mods + max_items, 0);
    last = -1;
    string_only = 1;
  }
}

template <class T>
Mfmt<T>::Mfmt(const char* format)
    : types(), mods(), last(-1), cursor(0), string_only(1), literal_done(0) {
  if (const char* fault = parse(format ? format : "")) error(fault);
}

// Splits the translated text into items: an item runs from its first character up to the next
// "%" that does not begin a "%%" pair (the search starts at its second character).
template <class T>
const char* Mfmt<T>::parse(const char* format) {
  const std::string text = translate_escapes(format);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start + 1;
    while (end < text.size()) {
      if (text[end] == '%') {
        if (end + 1 < text.size() && text[end + 1] == '%') {
          end += 2;
          continue;
        }
        break;
      }
      ++end;
    }
    if (const char* fault = add_item(text.data() + start, static_cast<int>(end - start)))
      return fault;
    start = end;
  }
  return nullptr;
}

template <class T>
const char* Mfmt<T>::add_item(const char* text, int len) {
  const int k = last + 1;
  if (k == max_items) return "sprintf: format has more than 32 items";
  std::string item(text, len);
  Compiled& c = compiled[k];
  if (k == 0 && item[0] != '%') {
    types[0] = '=';
    c.pfmt = literal_text(item);
    c.sfmt = escaped(c.pfmt) + "%n";
    items[0] = item;
    last = 0;
    return nullptr;
  }
  // The first conversion letter wins, wherever it stands in the item.
  size_t at = 0;
  while (at < item.size() && !in_set(numeric_letters, item[at]) && !in_set(other_letters, item[at]))
    ++at;
  if (at == item.size()) return "sprintf: no type character found";
  const char letter = item[at];
  if (letter != 'c' && letter != 's') string_only = 0;
  if (at > 0 && in_set(modifier_letters, item[at - 1])) {
    mods[k] = item[at - 1];
    item.erase(--at, 1);
  }
  types[k] = letter;

  // An item that begins with "%%" pairs (only the first item can) prints them before its
  // conversion, as printf would; the conversion starts at the "%" after them.
  size_t percent = 0;
  while (percent + 1 < at && item[percent] == '%' && item[percent + 1] == '%') percent += 2;
  const std::string prefix = escaped(literal_text(item.substr(0, percent)));
  const std::string between = item.substr(percent + 1, at - percent - 1);
  const std::string tail = escaped(literal_text(item.substr(at + 1)));
  if (letter != 'n') {
    c.pfmt = prefix + printf_conversion(letter, read_fields(between)) + tail;
    c.sfmt = prefix + "%n" + scanf_conversion(letter, between, c.suppress, c.scan_width) + "%n" +
             tail + "%n";
  }

  if (in_set(numeric_letters, letter)) item.insert(at, 1, 'l');
  items[k] = item;
  last = k;
  return nullptr;
}

template class Mfmt<double>;
template class Mfmt<float>;
template class Mfmt<int>;

}  // namespace korvex
