// sample_files.cpp: writes and reads the files that real programs (Octave, ImageMagick, PIL)
// check: binary files in every precision and machine format, formatted text, BMP images.
// Expected values come from the tables below, worked out by hand, and go to the checking
// programs as native doubles written with plain stdio.
//
//   sample_files write DIR   korvex fwrite, fprintfM -> DIR/k_*.bin, binary.cases, k_text.txt
//   sample_files read DIR    DIR/o_*.bin, o_text.txt (written by Octave) -> korvex fread,
//                            fscanfM, compared
//   sample_files bmp DIR     korvex bmpwrite -> DIR/*.bmp with DIR/*.expect
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "korvex.h"

namespace {

using korvex::M;

const double inf = std::numeric_limits<double>::infinity();
const double nan_value = std::numeric_limits<double>::quiet_NaN();

struct PrecisionCase {
  const char* name;    // korvex's name
  const char* octave;  // the same element format for Octave
  std::vector<double> written;
  std::vector<double> read;  // what the bytes hold, in range for the precision
};

// Values at the edges: saturation, truncation, wrapping, negative zero, NaN where it converts.
const PrecisionCase precision_cases[] = {
    {"int32",
     "int32",
     {1e10, -1e10, 3.9, -3.9, nan_value, -0.0, 2147483647.5},
     {2147483647, -2147483648.0, 3, -3, 2147483647, 0, 2147483647}},
    {"uint",
     "uint32",
     {4294967295.9, -1, 3e9, 2147483648.0, nan_value, 0.7},
     {4294967295.0, 4294967295.0, 3e9, 2147483648.0, 2147483647, 0}},
    {"int16",
     "int16",
     {70000, 32768, -3.9, 1e10, -32768, 32767.9},
     {4464, -32768, -3, -1, -32768, 32767}},
    {"ushort", "uint16", {65535.5, -1, 65536, 300.7}, {65535, 65535, 0, 300}},
    {"char", "int8", {300, 128, -1, -128.5}, {44, -128, -1, -128}},
    {"schar", "int8", {255, 127.9, -129, nan_value}, {-1, 127, 127, -1}},
    {"uchar", "uint8", {300, -1, 255.9, nan_value, 0.5}, {44, 255, 255, 255, 0}},
    {"double",
     "double",
     {0.1, -0.0, inf, -inf, nan_value, 1e-310, 1.7976931348623157e308},
     {0.1, -0.0, inf, -inf, nan_value, 1e-310, 1.7976931348623157e308}},
    {"float32",
     "single",
     {0.1, -0.0, 1e300, 1 + std::ldexp(1, -24), 1e-46, nan_value, 3.40282356e38},
     {0.100000001490116119384765625, -0.0, inf, 1, 0, nan_value,
      340282346638528859811704183484516925440.0}},
};

struct Arch {
  const char* korvex;
  const char* octave;
};
const Arch archs[] = {{"n", "native"}, {"l", "ieee-le"}, {"b", "ieee-be"}};

// Native doubles through plain stdio, not through the code under test.
void write_doubles(const std::string& path, const std::vector<double>& v) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fwrite(v.data(), sizeof(double), v.size(), f) != v.size()) {
    std::perror(path.c_str());
    std::exit(2);
  }
  std::fclose(f);
}

M<double> column(const std::vector<double>& v) {
  M<double> a(0, static_cast<int>(v.size()), 1);
  for (size_t k = 0; k < v.size(); k++) a.addr()[k] = v[k];
  return a;
}

bool same(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

// Compares a read matrix with the wanted column; prints each difference.
int compare(const std::string& what, const M<double>& got, const std::vector<double>& want) {
  if (got.size() != static_cast<int>(want.size())) {
    std::printf("%s: %d values, expected %zu\n", what.c_str(), got.size(), want.size());
    return 1;
  }
  int bad = 0;
  for (size_t k = 0; k < want.size(); k++)
    if (!same(got.addr()[k], want[k])) {
      std::printf("%s: value %zu is %.17g, expected %.17g\n", what.c_str(), k + 1, got.addr()[k],
                  want[k]);
      bad = 1;
    }
  return bad;
}

// Formatted text: pairs of an integer and a double printed to read back exactly.
const std::vector<double> text_values = {1, 0.1,           -2, -2.5e-300, 3, 1e300,
                                         4, 123456789.125, 5,  -0.5,      6, 1.0 / 3};

int write_files(const std::string& dir) {
  std::FILE* cases = std::fopen((dir + "/binary.cases").c_str(), "w");
  for (const PrecisionCase& p : precision_cases) {
    write_doubles(dir + "/" + p.name + ".expect", p.read);
    for (const Arch& a : archs) {
      const std::string file = dir + "/k_" + p.name + "_" + a.korvex + ".bin";
      const M<double> fid =
          korvex::fopenM(M<double>(file.c_str()), M<double>("wb"), M<double>(a.korvex));
      korvex::fwrite(fid, column(p.written), M<double>(p.name));
      korvex::fclose(fid);
      std::fprintf(cases, "%s %s %s %s\n", p.name, a.korvex, p.octave, a.octave);
    }
  }
  std::fclose(cases);
  write_doubles(dir + "/text.expect", text_values);
  const M<double> fid = korvex::fopenM(M<double>((dir + "/k_text.txt").c_str()), M<double>("w"));
  korvex::fprintfM(fid, M<double>("%d %.17g\n"), column(text_values));
  korvex::fclose(fid);
  return 0;
}

int read_files(const std::string& dir) {
  int bad = 0;
  for (const PrecisionCase& p : precision_cases)
    for (const Arch& a : archs) {
      const std::string file = dir + "/o_" + p.name + "_" + a.korvex + ".bin";
      const M<double> fid =
          korvex::fopenM(M<double>(file.c_str()), M<double>("rb"), M<double>(a.korvex));
      if (fid.addr()[0] < 3) return 1;
      const M<double> got = korvex::fread(fid, M<double>(inf), M<double>(p.name));
      bad |= compare(file, got, p.read);
      korvex::fclose(fid);
    }
  const M<double> fid = korvex::fopenM(M<double>((dir + "/o_text.txt").c_str()), M<double>("r"));
  if (fid.addr()[0] < 3) return 1;
  M<double> values, count;
  korvex::fscanfM(fid, M<double>("%d %g"), M<double>(inf), korvex::i_o, korvex::Mr<double>(values),
                  korvex::Mr<double>(count));
  korvex::fclose(fid);
  if (count.addr()[0] != static_cast<double>(text_values.size())) {
    std::printf("o_text.txt: count %g\n", count.addr()[0]);
    return 1;
  }
  return bad | compare("o_text.txt", values, text_values);
}

// ============================================================================================
// BMP images. Colormap intensities are n/256, so 255 * n / 256 is exact and its truncation is
// the integer quotient below.
// ============================================================================================

struct Image {
  const char* name;
  int rows, cols;
  std::vector<int> index;  // row by row, 1-based into the colormap
  int colours;
};

// Colour k (0-based) of a map: red, green, blue numerators over 256.
void numerators(int k, int colours, int rgb[3]) {
  rgb[0] = (k * 37) % 256;
  rgb[1] = colours == 256 ? k : (255 - k * 50) % 256;
  rgb[2] = (k * 91 + 13) % 256;
}

M<double> colormap(int colours) {
  M<double> map(0, colours, 3);
  for (int k = 0; k < colours; k++) {
    int rgb[3];
    numerators(k, colours, rgb);
    for (int c = 0; c < 3; c++) *map.addr(k + 1, c + 1) = rgb[c] / 256.0;
  }
  return map;
}

std::vector<Image> images() {
  std::vector<Image> list = {
      {"odd", 3, 5, {1, 2, 3, 4, 1, 4, 3, 2, 1, 2, 2, 2, 4, 4, 3}, 4},
      {"one_row", 1, 7, {1, 2, 3, 1, 2, 3, 3}, 3},
      {"one_column", 6, 1, {1, 2, 3, 4, 5, 1}, 5},
  };
  Image full = {"full", 16, 16, {}, 256};
  for (int k = 0; k < 256; k++) full.index.push_back(k + 1);
  list.push_back(full);
  return list;
}

int bmp(const std::string& dir) {
  for (const Image& im : images()) {
    M<double> image(0, im.rows, im.cols);
    for (int i = 0; i < im.rows; i++)
      for (int j = 0; j < im.cols; j++) *image.addr(i + 1, j + 1) = im.index[i * im.cols + j];
    const std::string base = dir + "/" + im.name;
    korvex::bmpwrite(image, colormap(im.colours), M<double>(base.c_str()));  // gets ".bmp"
    // The picture as a reader sees it: padded to a multiple of 4 columns with colour 1.
    const int width = (im.cols + 3) / 4 * 4;
    std::FILE* f = std::fopen((base + ".expect").c_str(), "w");
    std::fprintf(f, "%d %d\n", width, im.rows);
    for (int i = 0; i < im.rows; i++)
      for (int j = 0; j < width; j++) {
        const int k = j < im.cols ? im.index[i * im.cols + j] - 1 : 0;
        int rgb[3];
        numerators(k, im.colours, rgb);
        std::fprintf(f, "%d %d %d\n", 255 * rgb[0] / 256, 255 * rgb[1] / 256, 255 * rgb[2] / 256);
      }
    std::fclose(f);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The byte order of this host, as the start-up routine records it: 1 when the most
  // significant byte comes first.
  const unsigned short probe = 0x1234;
  korvex::byte_order_flag = *reinterpret_cast<const unsigned char*>(&probe) == 0x12;
  if (argc != 3) {
    std::fprintf(stderr, "usage: sample_files write|read|bmp DIR\n");
    return 2;
  }
  const std::string what = argv[1];
  const std::string dir = argv[2];
  if (what == "write") return write_files(dir);
  if (what == "read") return read_files(dir);
  if (what == "bmp") return bmp(dir);
  std::fprintf(stderr, "sample_files: unknown command %s\n", what.c_str());
  return 2;
}
