// messages.cpp: error reports that several parts of the runtime build alike.
#include "common/messages.h"

#include "korvex.h"

namespace korvex {

void error_too_large(const char* name) { error("Matrix %s too large", name); }

}  // namespace korvex
