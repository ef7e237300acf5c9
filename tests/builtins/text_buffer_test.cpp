// Tests of Mstr: the text of a matrix in a bounded, zero-terminated buffer.
#include <sstream>
#include <string>

#include "../support/started_runtime.h"

using namespace korvex;

namespace {

// Runs Mstr on codes into a buffer of `size` bytes guarded by sentinels on both sides; returns
// the text and the warning text, and checks that nothing outside the buffer was written.
struct MstrResult {
  std::string text, warned;
  long advanced;
};
MstrResult run_mstr(std::vector<double> codes, int size) {
  std::vector<char> guard(size + 16, '#');
  char* buf = guard.data() + 8;
  std::ostringstream err;
  korliberr_p = &err;
  double* end = Mstr(codes.data(), static_cast<int>(codes.size()), buf, size);
  korliberr_p = nullptr;
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(guard[k], '#') << "written before the buffer";
    EXPECT_EQ(guard[8 + size + k], '#') << "written past the buffer";
  }
  return {size > 0 ? std::string(buf) : std::string("<none>"), err.str(), end - codes.data()};
}

}  // namespace

TEST(Mstr, CutsAtSizeMinusOneWithTheWarning) {
  const std::string chopped = "warning: Mstr: buffer too small - chopped\n";
  std::vector<double> nine(9, 'a'), ten(10, 'b');
  MstrResult r = run_mstr(nine, 10);
  EXPECT_EQ(r.text, "aaaaaaaaa");
  EXPECT_EQ(r.warned, "");
  EXPECT_EQ(r.advanced, 9);
  r = run_mstr(ten, 10);
  EXPECT_EQ(r.text, "bbbbbbbbb");
  EXPECT_EQ(r.warned, chopped);
  EXPECT_EQ(r.advanced, 9);
  // A one-byte buffer holds only the terminator; a zero-byte one gets nothing at all.
  r = run_mstr({'x'}, 1);
  EXPECT_EQ(r.text, "");
  EXPECT_EQ(r.warned, chopped);
  r = run_mstr({'x'}, 0);
  EXPECT_EQ(r.text, "<none>");
  EXPECT_EQ(r.warned, chopped);
  EXPECT_EQ(r.advanced, 0);
  // Even an empty text does not fit: there is no room for its terminator.
  r = run_mstr({}, 0);
  EXPECT_EQ(r.warned, chopped);
}

// Codes are truncated toward zero and keep their low 8 bits; NaN and huge values stay defined.
TEST(Mstr, CodesTruncateThenKeepTheLowByte) {
  const double nan = std::nan("");
  MstrResult r = run_mstr({321.7, -1, 66.99, 256 + 67, nan, 1e300}, 8);
  ASSERT_EQ(r.text.size(), 4u) << "NaN gives code 0, which ends the text";
  EXPECT_EQ(static_cast<unsigned char>(r.text[0]), 65);
  EXPECT_EQ(static_cast<unsigned char>(r.text[1]), 255);
  EXPECT_EQ(r.text.substr(2), "BC");
}

TEST(Mstr, MatrixFormReadsRealPartsInColumnOrder) {
  char buf[16];
  Mstr(M<double>("hi there"), buf, sizeof buf);
  EXPECT_STREQ(buf, "hi there");
  M<double> z = korvex_test::by_cols(2, 2, {'a', 'b', 'c', 'd'}, {1, 2, 3, 4});
  Mstr(z, buf, sizeof buf);
  EXPECT_STREQ(buf, "abcd");
  Mstr(M<double>(0, 0, 0), buf, sizeof buf);
  EXPECT_STREQ(buf, "");
}
