// nonfinite.cpp: the runtime's spelling of infinities and NaN in formatted text, whatever the
// platform's printf writes for them.
#include "common/rules.h"
#include "korvex.h"

namespace korvex {

namespace {

struct Respelling {
  const char* platform;
  const char* runtime;
};

// Applied in this order. The runtime spelling keeps the width of the text it replaces, except
// "-1.#INF", which becomes eight characters.
const Respelling negative_infinity[] = {
    {"-1.#INF", "    -Inf"}, {"-1.#IO", "  -Inf"}, {"-INF", "-Inf"},
    {" ---", "-Inf"},        {"-inf", "-Inf"},
};
const Respelling positive_infinity[] = {
    {"1.#INF", "   Inf"}, {"1.#IO", "  Inf"}, {"+INF", " Inf"}, {" ++", "Inf"}, {"inf", "Inf"},
};
// "-nan" becomes " NaN": NaN never shows a sign.
const Respelling not_a_number[] = {
    {"-1.#QNAN", "     NaN"}, {"1.#QNAN", "    NaN"}, {"-1.#QO", "   NaN"}, {"1.#QO", "  NaN"},
    {"  ?", "NaN"},           {"-1.#IND", "    NaN"}, {"1.#IND", "   NaN"}, {"+NAN", " NaN"},
    {"-NAN", " NaN"},         {"-nan", " NaN"},       {"nan", "NaN"},
};

template <size_t N>
void respell(std::string& text, const Respelling (&table)[N]) {
  for (const Respelling& r : table) replace_all(text, r.platform, r.runtime);
}

}  // namespace

void replace_all(std::string& text, const char* from, const char* to) {
  const size_t from_len = std::strlen(from);
  if (from_len == 0 || std::strstr(to, from) != nullptr) return;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from))
    text.replace(at, from_len, to);
}

// Classified by the IEEE fields, as everywhere in the runtime.
void fix_nonfinite(double x, std::string& text) {
  if (rules::is_nan(x))
    respell(text, not_a_number);
  else if (rules::is_inf(x))
    x < 0 ? respell(text, negative_infinity) : respell(text, positive_infinity);
}

int widest_formatted(const double* x, int n, const char* fmt) {
  int widest = 0;
  char buf[64];  // the widest "%.12g" text is 19 characters ("-1.23456789012e-308")
  for (int k = 0; k < n; ++k) {
    const int len = std::snprintf(buf, sizeof buf, fmt, x[k]);
    if (len > widest) widest = len;
  }
  return widest;
}

}  // namespace korvex
