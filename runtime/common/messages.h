// messages.h: error reports that several parts of the runtime build alike. Private to the
// build; not installed.
#ifndef KORVEX_COMMON_MESSAGES_H
#define KORVEX_COMMON_MESSAGES_H

namespace korvex {

// "Matrix NAME too large": a result would exceed max_matrix_elements.
[[noreturn]] void error_too_large(const char* name);

}  // namespace korvex

#endif  // KORVEX_COMMON_MESSAGES_H
