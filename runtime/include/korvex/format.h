// format.h: the printf/scanf format engine Mfmt<T>, which applies a format cyclically to matrix
// elements, and the string builders on top of it (sprintfM, str2mat, strcmp, sscanfM).
#ifndef KORVEX_FORMAT_H
#define KORVEX_FORMAT_H

#include <cstdio>
#include <iosfwd>
#include <string>

#include "korvex/globals.h"
#include "korvex/matrix.h"

namespace korvex {

// ============================================================================================
// The format engine (io/format_parse.cpp, io/format_print.cpp, io/format_scan.cpp)
// ============================================================================================

// A printf-style format parsed into at most 32 items, each a piece of text holding one
// conversion (or, for a leading piece without one, a literal item of type '='). print and scan
// apply the items cyclically: the format starts over from its first item for as long as
// elements remain. Instantiated for T = double, float and int.
//
// The format is user text, so no item ever reaches the platform's printf or scanf as written:
// each is rebuilt from its flags, width, precision and letter into a format with exactly one
// conversion of the argument's type. Widths and precisions above 32000 count as 32000, a '*'
// width or precision counts as absent, other characters between '%' and the letter are
// ignored, "%n" never goes to the platform, and no text is cut: a long "%s" is printed whole.
template <class T>
class Mfmt {
 public:
  static constexpr int max_items = 32;
  static constexpr int text_bytes = 32000;  // the per-call text buffer of print and scan
  static constexpr int scan_step = 4000;    // scan grows its value array by this many

  // Parses the format; an item without a conversion letter ("sprintf: no type character
  // found") or more than 32 items ("sprintf: format has more than 32 items") ends the process.
  explicit Mfmt(const char* format);
  // The same, except that a fault is stored in *fault (null when there is none) instead of
  // being reported; the object is then empty.
  Mfmt(const char* format, const char** fault);
  Mfmt(const Mfmt&) = delete;
  Mfmt& operator=(const Mfmt&) = delete;

  // Writes the n elements at p through the items, starting at the cursor and advancing it.
  void print(std::ostream& out, const T* p, int n);
  // print of the real parts of x in column order, or of no element when x is missing_M.
  void sprintfM(std::ostream& out, const M<T>& x);
  // Reads at most max values from f. Returns an array from new_data (release it with
  // delete_data) holding count values; total is the number of conversions that assigned.
  T* scan(std::FILE* f, int max, int& count, int& total);
  int is_string_format() const { return string_only; }
  void rewind() { cursor = 0; }
  int item_count() const { return last + 1; }

 private:
  // One item rebuilt for the platform. For '=' `pfmt` is the literal text itself (with "%%"
  // read as "%"); for a conversion it is a printf format with one conversion of the argument
  // type, and `sfmt` a scanf format "%n<conversion>%n<tail>%n" whose own three "%n" targets
  // tell how far the input matched.
  struct Compiled {
    std::string pfmt, sfmt;
    int scan_width = 0;     // characters a "%c" reads (1 when none given)
    bool suppress = false;  // scanf's "%*d": read and skip
  };
  const char* parse(const char* format);
  const char* add_item(const char* text, int len);

  std::string items[max_items];  // item texts: modifier removed, "l" put before a numeric letter
  int types[max_items];          // conversion letter as written, '=' for a leading literal
  int mods[max_items];           // modifier letter taken out of the item, 0 when none
  Compiled compiled[max_items];
  int last;          // index of the last item, -1 while empty
  int cursor;        // index of the item to apply next
  int string_only;   // 1 until a conversion other than "c" and "s" appears
  int literal_done;  // set once a literal item has been printed
};

extern template class Mfmt<double>;
extern template class Mfmt<float>;
extern template class Mfmt<int>;

// ============================================================================================
// String builders (io/string_builders.cpp)
// ============================================================================================

// Formats a1..a8 (missing_M contributes nothing) with one Mfmt, so the format continues
// cyclically from one argument to the next; the format text is cut at 2045 characters.
void sprintfM(std::ostream& out, M<double> fmt, M<double> a1, M<double> a2, M<double> a3,
              M<double> a4, M<double> a5, M<double> a6, M<double> a7, M<double> a8);
// The same into a string matrix.
M<double> sprintfM(M<double> fmt);
M<double> sprintfM(M<double> fmt, M<double> a1);
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2);
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3);
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3, M<double> a4);
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                   M<double> a5);
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                   M<double> a5, M<double> a6);
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                   M<double> a5, M<double> a6, M<double> a7);
M<double> sprintfM(M<double> fmt, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                   M<double> a5, M<double> a6, M<double> a7, M<double> a8);

// Not available in compiled code: every form reports "sscanfM not supported".
[[noreturn]] M<double> sscanfM(M<double> s, M<double> fmt);
[[noreturn]] M<double> sscanfM(M<double> s, M<double> fmt, M<double> size);
[[noreturn]] M<double> sscanfM(M<double> s, M<double> fmt, i_o_t, Mr<double> a);
[[noreturn]] M<double> sscanfM(M<double> s, M<double> fmt, M<double> size, i_o_t, Mr<double> a);

// Stacks its arguments as rows of one text matrix, each row padded with blanks to the widest.
M<double> str2mat(M<double> s1);
M<double> str2mat(M<double> s1, M<double> s2);
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3);
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4);
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5);
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6);
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6, M<double> s7);
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6, M<double> s7, M<double> s8);
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6, M<double> s7, M<double> s8, M<double> s9);
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6, M<double> s7, M<double> s8, M<double> s9, M<double> s10);
M<double> str2mat(M<double> s1, M<double> s2, M<double> s3, M<double> s4, M<double> s5,
                  M<double> s6, M<double> s7, M<double> s8, M<double> s9, M<double> s10,
                  M<double> s11);

// The matrix builtin: 1 when both are text matrices of the same size and codes, else 0.
// Runtime code compares C strings with std::strcmp.
M<double> strcmp(M<double> a, M<double> b);

}  // namespace korvex

#endif  // KORVEX_FORMAT_H
