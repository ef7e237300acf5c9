// display.h: matrix display (disp, operator<<, the matrix forms of warning and error, format,
// whos_line, clc, home, smiley) and the spelling rule for infinities and NaN in printed text.
#ifndef KORVEX_DISPLAY_H
#define KORVEX_DISPLAY_H

#include <iosfwd>
#include <string>

#include "korvex/globals.h"
#include "korvex/matrix.h"

namespace korvex {

// ============================================================================================
// Display (io/display.cpp)
// ============================================================================================

// The display mode: 1 short (numbers as "%.4g"), 0 long ("%.12g"). Only format writes it.
extern int display_short;

// Writes the elements row by row, each number right-aligned in a field 2 wider than the widest
// in the matrix; a text matrix prints its characters. "[]" and a line end for no elements.
M<double> disp(M<double> m, std::ostream& out);
M<double> disp(M<double> m);  // on the runtime output stream
// "NAME = " (or "ans = "), a line end and the disp text; nothing for the no-value result x_M.
// Drops m's imaginary part when it is all zero.
std::ostream& operator<<(std::ostream& out, const M<double>& m);
// "warning: " and the disp text of msg on the error stream.
M<double> warning(M<double> msg);
// "Error: " and the disp text of msg on the error stream, then exit(1); returns x_M when msg
// has no elements.
M<double> error(M<double> msg);
// A mode starting with "l" or "L" selects long, anything else short; sets the output
// stream's precision to 12 or 4.
M<double> format(M<double> mode);
// One line of a variable listing on the output stream; returns the name used ("" for null).
const char* whos_line(const char* name, int complex, int rows, int cols, const char* type);
M<double> clc();
M<double> home();
M<double> smiley();

// ============================================================================================
// Text of non-finite numbers (io/nonfinite.cpp), shared with the format engine
// ============================================================================================

// Rewrites the platform's spellings of infinity and NaN in text, which holds x as just
// formatted, into "Inf", "-Inf" and "NaN", keeping the field width (one Windows-style
// spelling, "-1.#INF", grows by one character). Unchanged when x is finite.
void fix_nonfinite(double x, std::string& text);
// Replaces every occurrence of from, searching from the start after each replacement; does
// nothing when to contains from.
void replace_all(std::string& text, const char* from, const char* to);
// The longest text that sprintf with fmt (one double conversion) gives for x[0..n-1]; 0 for
// n = 0.
int widest_formatted(const double* x, int n, const char* fmt);

}  // namespace korvex

#endif  // KORVEX_DISPLAY_H
