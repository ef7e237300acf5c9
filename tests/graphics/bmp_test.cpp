// bmp_test.cpp: bmpwrite's file byte for byte against hand-built references: header fields,
// palette, bottom-up rows padded to 4 bytes, index wrapping, file names and failures.
#include <unistd.h>

#include "../io/file_helpers.h"
#include "../support/matrix_builders.h"

namespace {

using namespace korvex;
using namespace korvex_test;

// The 4-byte field at offset at, least significant byte first.
unsigned field32(const Bytes& b, int at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | unsigned(b[at + 3]) << 24;
}

Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class Bmp : public Files {};

// A 3-by-5 image (padded to 8 columns) with a 3-colour map, every byte written out by hand.
TEST_F(Bmp, ThreeByFiveByteForByte) {
  const std::string path = temp_path("three_by_five.bmp");
  const M<double> image = by_rows(3, 5,
                                  {1, 2, 3, 0, 257,  //
                                   3, 3, 2, 1, 2.7,  //
                                   2, 1, 1, 3, 300});
  const M<double> colormap = by_rows(3, 3, {1, 0, 0, 0, 0.5, 1, 0.25, 0.75, 0.125});
  EXPECT_TRUE(bmpwrite(image, colormap, text(path)).issamename(noval_name));

  // 1102 bytes in all, pixels at 1078; a 40-byte information header, the width padded to 8,
  // 3 rows, 1 plane, 8 bits per pixel, no compression, 24 pixel bytes, the rest zero.
  Bytes header = {'B', 'M', 0x4E, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0, 40, 0, 0, 0,
                  8,   0,   0,    0,    3, 0, 0, 0, 1, 0, 8,    0,    0, 0, 0,  0, 24};
  header.resize(54, 0);
  Bytes palette = {0,   0,   255, 0,   // red
                   255, 127, 0,   0,   // 0.5 * 255 = 127.5 truncated
                   31,  191, 63,  0};  // 0.125, 0.75 and 0.25 times 255, truncated
  palette.resize(1024, 0);
  const Bytes pixels = {1, 0, 0, 2,   43, 0, 0, 0,   // bottom row; 300 - 1 wraps to 43
                        2, 2, 1, 0,   1,  0, 0, 0,   // 2.7 - 1 truncates to 1
                        0, 1, 2, 255, 0,  0, 0, 0};  // 0 - 1 wraps to 255, 257 - 1 to 0
  EXPECT_EQ(file_bytes(path), cat({header, palette, pixels}));
}

// Other shapes and their padding go through real readers in tests/readers; an empty image
// leaves the header and palette alone.
TEST_F(Bmp, EmptyImageIsHeaderAndPaletteOnly) {
  const std::string path = temp_path("empty.bmp");
  bmpwrite(M<double>(0, 0, 0), by_rows(2, 3, {0, 0, 0, 1, 1, 1}), text(path));
  const Bytes b = file_bytes(path);
  ASSERT_EQ(b.size(), 1078u);
  EXPECT_EQ(field32(b, 2), 1078u);
  EXPECT_EQ(field32(b, 18) + field32(b, 22) + field32(b, 34), 0u);
}

// Only the first 256 colours count; fewer rows leave the rest black.
TEST_F(Bmp, ColormapRows) {
  const std::string path = temp_path("colours.bmp");
  M<double> colormap = ones(M<double>(300), M<double>(3));
  *colormap.addr(256, 1) = 0.5;  // red of the last palette entry
  *colormap.addr(257, 2) = 0;    // beyond the palette
  bmpwrite(by_rows(1, 1, {256}), colormap, text(path));
  Bytes b = file_bytes(path);
  EXPECT_EQ(Bytes(b.begin() + 54 + 4 * 255, b.begin() + 54 + 1024), (Bytes{255, 255, 127, 0}));
  EXPECT_EQ(Bytes(b.begin() + 54, b.begin() + 58), (Bytes{255, 255, 255, 0}));
  EXPECT_EQ(b[1078], 255);

  bmpwrite(by_rows(1, 1, {1}), by_rows(1, 3, {1, 1, 1}), text(path));
  b = file_bytes(path);
  EXPECT_EQ(Bytes(b.begin() + 54, b.begin() + 58), (Bytes{255, 255, 255, 0}));
  EXPECT_EQ(Bytes(b.begin() + 58, b.begin() + 1078), Bytes(1020, 0));
}

// A "." anywhere, a folder's included, keeps the name as given; without one ".bmp" is added.
TEST_F(Bmp, FileNames) {
  const std::string dotted = ::testing::TempDir() + "./korvex_" + std::to_string(getpid()) + "_pic";
  for (const std::string& name : {temp_path("pic"), dotted}) {
    std::remove((name + ".bmp").c_str());
    bmpwrite(by_rows(1, 1, {1}), by_rows(1, 3, {0, 0, 0}), text(name));
    EXPECT_EQ(file_bytes(name).size(), name == dotted ? 1082u : 0u) << name;
    EXPECT_EQ(file_bytes(name + ".bmp").size(), name == dotted ? 0u : 1082u) << name;
  }
}

TEST_F(Bmp, Failures) {
  const std::string path = temp_path("not_written.bmp");
  std::remove(path.c_str());
  EXPECT_ERROR(bmpwrite(by_rows(1, 1, {1}), by_rows(3, 1, {0, 0, 0}), text(path)),
               "bmpwrite: colormap does not have 3 coloumns");
  EXPECT_EQ(file_bytes(path).size(), 0u);
  // The failed open gives fid -1, which rounds to fid 0: the header goes nowhere and the close
  // is refused.
  const std::string missing = temp_path("no_such_folder/x.bmp");
  EXPECT_EXIT(bmpwrite(by_rows(1, 1, {1}), by_rows(1, 3, {0, 0, 0}), text(missing)),
              testing::ExitedWithCode(1),
              "^warning: Failed opening file: [^\n]*x\\.bmp\nerror: fclose: can not close "
              "stdin/stdout/stderr, fid is fid\n$");
}

}  // namespace
