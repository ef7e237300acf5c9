// image.cpp: the pending image and its colormap: image sets the picture that the end of the
// program writes as "kvlb1.bmp" and shows; colormap, gray and jet make and set the colours.
#include <cmath>

#include "korvex.h"

namespace korvex {

namespace {

constexpr int max_colours = 256;

double clamp01(double v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

int colour_count(const M<double>& n, const char* who) {
  if (n.size() != 1 || n.isc()) error("%s: the number of colours must be a scalar", who);
  const double v = n.addr()[0];
  if (!(v >= 1 && v <= max_colours) || v != std::floor(v))
    error("%s: the number of colours must be a whole number from 1 to 256", who);
  return static_cast<int>(v);
}

}  // namespace

// Pixel bytes are the element minus 1 truncated toward zero, so the elements 1 to just below
// 257 select the palette entries 0..255; anything else would wrap around to a wrong colour.
M<double> image(M<double> c) {
  if (c.size() == 0 || c.isc() || isstr(c)) error("image: %s is not a real matrix", c.getname());
  const double* p = c.addr();
  for (int k = 0; k < c.size(); k++)
    if (!(p[k] >= 1 && p[k] < max_colours + 1))
      error("image: index out of range 1..256 in %s", c.getname());
  image_data = c;
  if (image_map.size() == 0) colormap(jet(M<double>(64)));
  image_pending = 1;
  return x_M;
}

M<double> colormap(M<double> map) {
  if (map.cols() != 3 || map.rows() < 1 || map.isc())
    error("colormap: %s does not have 3 columns", map.getname());
  if (map.rows() > max_colours) error("colormap: %s has more than 256 colours", map.getname());
  const double* p = map.addr();
  for (int k = 0; k < map.size(); k++)
    if (!(p[k] >= 0 && p[k] <= 1))
      error("colormap: %s has intensities outside 0..1", map.getname());
  image_map = map;
  return x_M;
}

M<double> colormap() { return image_map; }

M<double> gray(M<double> n) {
  const int k = colour_count(n, "gray");
  M<double> map(0, k, 3);
  for (int r = 0; r < k; r++) {
    const double v = k == 1 ? 0 : static_cast<double>(r) / (k - 1);
    for (int col = 1; col <= 3; col++) *map.addr(r + 1, col) = v;
  }
  return map;
}

// Dark blue through blue, cyan, yellow and red to dark red: each channel a trapezoid over
// t in [0, 1], the red one centred at 3/4, green at 1/2 and blue at 1/4.
M<double> jet(M<double> n) {
  const int k = colour_count(n, "jet");
  M<double> map(0, k, 3);
  for (int r = 0; r < k; r++) {
    const double t = k == 1 ? 0.5 : static_cast<double>(r) / (k - 1);
    *map.addr(r + 1, 1) = clamp01(1.5 - std::fabs(4 * t - 3));
    *map.addr(r + 1, 2) = clamp01(1.5 - std::fabs(4 * t - 2));
    *map.addr(r + 1, 3) = clamp01(1.5 - std::fabs(4 * t - 1));
  }
  return map;
}

}  // namespace korvex
