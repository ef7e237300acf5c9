// graphics.h: graphics output: the BMP writer.
#ifndef KORVEX_GRAPHICS_H
#define KORVEX_GRAPHICS_H

#include "korvex/matrix.h"

namespace korvex {

// ============================================================================================
// BMP writer (graphics/bmp.cpp)
// ============================================================================================

// Writes image, a matrix of 1-based indices into colormap (one row of red, green, blue
// intensities 0..1 per colour), as an uncompressed 8-bit BMP file with a 256-entry palette.
// A filename without "." gets ".bmp". Rows are padded to a multiple of 4 pixels with index 1.
// Returns x_M.
M<double> bmpwrite(M<double> image, M<double> colormap, M<double> filename);

}  // namespace korvex

#endif  // KORVEX_GRAPHICS_H
