// matrix_text.cpp: parsing the tool's matrix literals and printing its outputs.
#include "matrix_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace korvex::host {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && is_blank(s[b])) ++b;
  while (e > b && is_blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// One number: an optional sign, then Inf, NaN or decimal digits with an optional fraction and
// exponent. The pattern is checked here because strtod alone would also take hexadecimal
// numbers, "infinity" and leading blanks.
bool parse_number(const std::string& t, double& v) {
  std::size_t k = 0;
  bool negative = false;
  if (k < t.size() && (t[k] == '+' || t[k] == '-')) negative = t[k++] == '-';
  const std::string body = t.substr(k);
  if (body == "Inf" || body == "inf") {
    v = negative ? -std::numeric_limits<double>::infinity()
                 : std::numeric_limits<double>::infinity();
    return true;
  }
  if (body == "NaN" || body == "nan") {
    v = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  std::size_t digits = 0;
  auto skip_digits = [&] {
    while (k < t.size() && std::isdigit(static_cast<unsigned char>(t[k]))) ++k, ++digits;
  };
  skip_digits();
  if (k < t.size() && t[k] == '.') ++k, skip_digits();
  if (digits == 0) return false;
  if (k < t.size() && (t[k] == 'e' || t[k] == 'E')) {
    ++k;
    if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
    const std::size_t before = k;
    while (k < t.size() && std::isdigit(static_cast<unsigned char>(t[k]))) ++k;
    if (k == before) return false;
  }
  if (k != t.size()) return false;
  v = std::strtod(t.c_str(),
                  nullptr);  // correctly rounded; overflow gives +-Inf as in the language
  return true;
}

bool parse_count(const std::string& t, std::size_t& n) {
  if (t.empty() || t.size() > 18) return false;
  for (char c : t)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  n = std::strtoull(t.c_str(), nullptr, 10);
  return true;
}

bool parse_zeros(const std::string& t, Literal& out, std::string& why) {
  const std::size_t close = t.size() - 1;
  const std::size_t comma = t.find(',');
  if (t.back() != ')' || comma == std::string::npos) {
    why = "zeros takes two sizes: zeros(R,C)";
    return false;
  }
  std::size_t r = 0, c = 0;
  if (!parse_count(trimmed(t.substr(6, comma - 6)), r) ||
      !parse_count(trimmed(t.substr(comma + 1, close - comma - 1)), c)) {
    why = "zeros(R,C) takes two non-negative whole numbers";
    return false;
  }
  if (c != 0 && r > std::numeric_limits<std::size_t>::max() / 8 / c) {
    why = "zeros(R,C) is too large";
    return false;
  }
  out.rows = r;
  out.cols = c;
  out.values.assign(r * c, 0.0);
  return true;
}

bool parse_brackets(const std::string& t, Literal& out, std::string& why) {
  if (t.back() != ']') {
    why = "missing ']'";
    return false;
  }
  std::vector<std::vector<double>> rows;
  const std::string inner = t.substr(1, t.size() - 2);
  std::size_t start = 0;
  while (start <= inner.size()) {
    std::size_t end = inner.find(';', start);
    if (end == std::string::npos) end = inner.size();
    std::vector<double> row;
    std::string token;
    for (std::size_t k = start; k <= end; ++k) {
      const char c = k < end ? inner[k] : ' ';
      if (is_blank(c) || c == ',') {
        if (token.empty()) continue;
        double v;
        if (!parse_number(token, v)) {
          why = "'" + token + "' is not a number";
          return false;
        }
        row.push_back(v);
        token.clear();
      } else {
        token += c;
      }
    }
    // As in the language, rows with no elements ("[1;2;]") add nothing.
    if (!row.empty()) {
      if (!rows.empty() && row.size() != rows.front().size()) {
        why = "rows of different lengths";
        return false;
      }
      rows.push_back(row);
    }
    start = end + 1;
  }
  out.rows = rows.size();
  out.cols = rows.empty() ? 0 : rows.front().size();
  out.values.resize(out.rows * out.cols);
  for (std::size_t r = 0; r < out.rows; ++r)
    for (std::size_t c = 0; c < out.cols; ++c) out.values[c * out.rows + r] = rows[r][c];
  return true;
}

}  // namespace

bool parse_literal(const std::string& text, Literal& out, std::string& why) {
  const std::string t = trimmed(text);
  out = Literal{};
  if (t.empty()) {
    why = "empty argument";
    return false;
  }
  if (t.front() == '[') return parse_brackets(t, out, why);
  if (t.compare(0, 6, "zeros(") == 0) return parse_zeros(t, out, why);
  double v;
  if (!parse_number(t, v)) {
    why = "'" + t + "' is not a number, a [matrix] or zeros(R,C)";
    return false;
  }
  out.rows = out.cols = 1;
  out.values.assign(1, v);
  return true;
}

std::string format_output(int k, std::size_t rows, std::size_t cols, const double* values) {
  // Worst case of one element: "%.17g" gives a sign, 17 digits, a point and "e-308": 25 bytes.
  char buf[64];
  std::snprintf(buf, sizeof buf, "out%d = %zu x %zu\n", k, rows, cols);
  std::string s = buf;
  for (std::size_t r = 0; r < rows; ++r) {
    for (std::size_t c = 0; c < cols; ++c) {
      const double v = values[c * rows + r];
      if (std::isnan(v))
        std::snprintf(buf, sizeof buf, "NaN");
      else if (std::isinf(v))
        std::snprintf(buf, sizeof buf, v > 0 ? "Inf" : "-Inf");
      else
        std::snprintf(buf, sizeof buf, "%.17g", v);
      if (c > 0) s += ' ';
      s += buf;
    }
    s += '\n';
  }
  return s;
}

}  // namespace korvex::host
