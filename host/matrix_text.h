// matrix_text.h: the text forms of matrices in the korvex-mex tool: the literals it reads as
// arguments and the listing of the outputs it prints.
#ifndef KORVEX_HOST_MATRIX_TEXT_H
#define KORVEX_HOST_MATRIX_TEXT_H

#include <cstddef>
#include <string>
#include <vector>

namespace korvex::host {

struct Literal {
  std::size_t rows = 0;
  std::size_t cols = 0;
  std::vector<double> values;  // column-major, rows*cols of them
};

// Reads a real literal: a number ("2", "-0.5", "1e-5", "Inf", "-Inf", "NaN"), a bracketed matrix
// with rows split by ';' and elements by blanks or commas ("[1 2; 3 4]", "[]"), or
// "zeros(R,C)". On failure returns false and says what is wrong in WHY.
bool parse_literal(const std::string& text, Literal& out, std::string& why);

// "outK = R x C", then one line per row with the elements separated by single blanks. Finite
// elements print with %.17g (they read back exactly); the others as Inf, -Inf and NaN, the
// spellings the literals use.
std::string format_output(int k, std::size_t rows, std::size_t cols, const double* values);

}  // namespace korvex::host

#endif
