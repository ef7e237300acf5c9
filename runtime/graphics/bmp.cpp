// bmp.cpp: bmpwrite, an indexed image and its colormap as an 8-bit BMP file, built and written
// through the runtime's own matrices and file functions.
#include <cstring>

#include "korvex.h"

namespace korvex {

namespace {

// The file name has at most 511 characters, and ".bmp" may follow.
constexpr int name_bytes = 512;
constexpr int palette_entries = 256;
// The two headers (14 and 40 bytes) and the palette of 256 four-byte entries.
constexpr double pixel_offset = 14 + 40 + 4 * palette_entries;

M<double> num(double v) { return M<double>(v); }

// The colormap cut or padded with black rows to 256 rows.
M<double> palette_rows(const M<double>& colormap) {
  const int rows = colormap.rows();
  if (rows > palette_entries) return colormap(colon(num(1), num(1), num(palette_entries)), c_p);
  if (rows < palette_entries) return joinrows(colormap, zeros(num(palette_entries - rows), num(3)));
  return colormap;
}

}  // namespace

M<double> bmpwrite(M<double> image, M<double> colormap, M<double> filename) {
  char name[name_bytes + 4];
  Mstr(filename, name, name_bytes);
  if (std::strchr(name, '.') == nullptr) std::strcat(name, ".bmp");
  if (colormap.cols() != 3) error("bmpwrite: colormap does not have 3 coloumns");

  // Written in column order, the 4-by-256 palette gives blue, green, red, 0 for each colour.
  const M<double> bgr = fliplr(palette_rows(colormap));
  const M<double> palette =
      dot_mul(transpose(joincols(bgr, zeros(num(palette_entries), num(1)))), num(255));

  // Rows of a multiple of 4 bytes; the padding shows palette entry 0.
  const int h = image.rows();
  const int w = image.cols();
  const int width = (w + 3) / 4 * 4;
  M<double> padded = image;
  if (width != w) padded = joincols(image, ones(num(h), num(width - w)));
  // Three quarter turns make the bottom row the first column, left to right.
  const M<double> pixels = rot90(padded, num(3)) - num(1);

  const double data_bytes = static_cast<double>(h) * width;
  M<double> fid = fopenM(M<double>(name), M<double>("wb"), M<double>("l"));
  fid.setname("fid");
  const M<double> uchar("uchar"), ushort("ushort"), ulong("ulong");
  fwrite(fid, M<double>("BM"), uchar);
  fwrite(fid, num(pixel_offset + data_bytes), ulong);
  fwrite(fid, num(0), ushort);
  fwrite(fid, num(0), ushort);
  fwrite(fid, num(pixel_offset), ulong);
  fwrite(fid, num(40), ulong);
  fwrite(fid, num(width), ulong);
  fwrite(fid, num(h), ulong);
  fwrite(fid, num(1), ushort);
  fwrite(fid, num(8), ushort);
  fwrite(fid, num(0), ulong);
  fwrite(fid, num(data_bytes), ulong);
  for (int k = 0; k < 4; k++) fwrite(fid, num(0), ulong);
  fwrite(fid, palette, uchar);
  fwrite(fid, pixels, uchar);
  fclose(fid);
  return x_M;
}

}  // namespace korvex
