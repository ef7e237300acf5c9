// fractal.cpp: a translated example program: the escape counts of the Mandelbrot iteration
// z <- z^2 + c over a 96-by-128 grid of the complex plane, shown as an image with the jet
// colormap (written as the BMP file kvlb1.bmp at the end of the program).
// The matrix-language source it stands for:
//   rows = 96; cols = 128;
//   re = -2.2 + 3.0*(0:cols-1)/(cols-1);  im = 1.2 - 2.4*(0:rows-1)'/(rows-1);
//   cr = zeros(rows, cols); ci = zeros(rows, cols);
//   for r = 1:rows, cr(r, :) = re; end
//   for c = 1:cols, ci(:, c) = im; end
//   zr = cr; zi = ci; inside = ones(rows, cols); count = zeros(rows, cols);
//   for k = 1:63
//     [zr, zi] = deal(zr.^2 - zi.^2 + cr, 2*zr.*zi + ci);
//     inside = inside .* (zr.^2 + zi.^2 <= 4);
//     count = count + inside;
//   end
//   image(count + 1); colormap(jet(64));
//   fprintf('%d of %d points stay bounded for 63 steps\n', sum(sum(inside)), rows*cols);
#include <iostream>

#include "korvex.h"

using namespace korvex;

int main() {
  initM(std::cin, std::cout, std::cerr);
  const int rows = 96, cols = 128;
  M<double> re("re", 0, 0), im("im", 0, 0), cr("cr", 0, 0), ci("ci", 0, 0), zr("zr", 0, 0);
  M<double> zi("zi", 0, 0), zr2("zr2", 0, 0), inside("inside", 0, 0), count("count", 0, 0);
  re = -2.2 + dot_div(dot_mul(3.0, colon(0.0, 1.0, cols - 1.0)), cols - 1.0);
  im = 1.2 - dot_div(dot_mul(2.4, transpose(colon(0.0, 1.0, rows - 1.0))), rows - 1.0);
  cr = zeros(rows, cols);
  ci = zeros(rows, cols);
  for (int r = 1; r <= rows; r++) cr(M<double>(r), c_p) = re;
  for (int c = 1; c <= cols; c++) ci(c_p, M<double>(c)) = im;
  zr = cr;
  zi = ci;
  inside = ones(rows, cols);
  count = zeros(rows, cols);
  for (int k = 1; k <= 63; k++) {
    zr2 = dot_mul(zr, zr) - dot_mul(zi, zi) + cr;
    zi = dot_mul(dot_mul(2.0, zr), zi) + ci;
    zr = zr2;
    // A point that escaped stays out: NaN and infinities compare false and leave inside at 0.
    inside = dot_mul(inside, dot_mul(zr, zr) + dot_mul(zi, zi) <= 4.0);
    count = count + inside;
  }
  image(count + 1.0);
  colormap(jet(64.0));
  fprintfM(stdoutM, M<double>("%d of %d points stay bounded for 63 steps\n"), sum(sum(inside)),
           M<double>(rows * cols));
  korvex::exit();
}
