// files_demo.cpp: what `make demo` shows of the file functions: a picture written with bmpwrite,
// and a matrix passed to Octave and back through binary files.
//   files_demo write DIR   DIR/korvex_picture.bmp and DIR/matrix.bin (int16, big-endian)
//   files_demo read DIR    prints DIR/octave.bin (doubles, little-endian, written by Octave)
#include <cmath>
#include <cstdio>
#include <string>

#include "korvex.h"

using korvex::M;

namespace {

M<double> text(const std::string& s) { return M<double>(s.c_str()); }

// A Mandelbrot picture: each pixel's colour is its escape count, through a 256-colour map that
// runs from dark blue through red to yellow.
void picture(const std::string& path) {
  const int rows = 120, cols = 161;  // an odd width: bmpwrite pads each row to 164
  M<double> image(0, rows, cols);
  for (int i = 1; i <= rows; i++)
    for (int j = 1; j <= cols; j++) {
      const double cr = -2.2 + 3.0 * (j - 1) / (cols - 1);
      const double ci = -1.2 + 2.4 * (i - 1) / (rows - 1);
      double zr = 0, zi = 0;
      int k = 0;
      while (k < 255 && zr * zr + zi * zi < 4) {
        const double t = zr * zr - zi * zi + cr;
        zi = 2 * zr * zi + ci;
        zr = t;
        k++;
      }
      *image.addr(i, j) = k + 1;  // 1-based colour index
    }
  M<double> map(0, 256, 3);
  for (int k = 0; k < 256; k++) {
    const double t = std::sqrt(k / 255.0);
    *map.addr(k + 1, 1) = std::fmin(1, 2 * t);
    *map.addr(k + 1, 2) = std::fmax(0, 2 * t - 1);
    *map.addr(k + 1, 3) = k == 255 ? 0 : 0.4 * (1 - t);
  }
  korvex::bmpwrite(image, map, text(path));
  std::printf("   wrote %s.bmp: %d x %d pixels, 8-bit palette\n", path.c_str(), cols, rows);
}

void matrix(const std::string& path) {
  M<double> a(0, 2, 3);
  const double values[] = {1, -2, 300.7, 40000, -32768, 7};  // column order
  for (int k = 0; k < 6; k++) a.addr()[k] = values[k];
  const M<double> fid = korvex::fopenM(text(path), text("wb"), text("b"));
  const M<double> count = korvex::fwrite(fid, a, text("int16"));
  korvex::fclose(fid);
  std::printf(
      "   wrote %s: [1 300.7 -32768; -2 40000 7] as %g big-endian int16 elements\n"
      "   (300.7 is truncated to 300, and 40000 keeps its low 16 bits: -25536)\n",
      path.c_str(), count.addr()[0]);
}

int read_back(const std::string& path) {
  const M<double> fid = korvex::fopenM(text(path), text("rb"), text("l"));
  if (fid.addr()[0] < 3) return 1;
  M<double> size(0, 1, 2);  // [2 Inf]: two rows, as many columns as the file holds
  size.addr()[0] = 2;
  size.addr()[1] = HUGE_VAL;
  const M<double> a = korvex::fread(fid, size, text("double"));
  korvex::fclose(fid);
  std::printf("   korvex read %s (little-endian doubles), %d x %d:\n", path.c_str(), a.rows(),
              a.cols());
  korvex::fprintfM(M<double>(1.0), text("   %g %g %g\n"), korvex::transpose(a));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The byte order of this host, as the start-up routine records it: 1 when the most
  // significant byte comes first.
  const unsigned short probe = 0x1234;
  korvex::byte_order_flag = *reinterpret_cast<const unsigned char*>(&probe) == 0x12;
  const std::string what = argc == 3 ? argv[1] : "";
  if (what == "write") {
    picture(std::string(argv[2]) + "/korvex_picture");  // bmpwrite adds ".bmp"
    matrix(std::string(argv[2]) + "/matrix.bin");
    return 0;
  }
  if (what == "read") return read_back(std::string(argv[2]) + "/octave.bin");
  std::fprintf(stderr, "usage: files_demo write|read DIR\n");
  return 2;
}
