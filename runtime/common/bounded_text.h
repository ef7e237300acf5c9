// bounded_text.h: the text of a string argument in a fixed buffer, rejected with an error when
// it does not fit instead of being cut into a different text. Private to the build; not
// installed.
#ifndef KORVEX_COMMON_BOUNDED_TEXT_H
#define KORVEX_COMMON_BOUNDED_TEXT_H

#include "korvex.h"

namespace korvex {

// Copies the text of x into buf (size bytes) as Mstr does. A text of more than size - 1
// characters stops with "WHO: text longer than N characters" (N = size - 1).
void bounded_text(const M<double>& x, char* buf, int size, const char* who);

}  // namespace korvex

#endif  // KORVEX_COMMON_BOUNDED_TEXT_H
