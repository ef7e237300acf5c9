// Tests of Mstr: the text of a matrix in a bounded, zero-terminated buffer.
#include <sstream>
#include <string>
#include <tuple>

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

// A one-byte buffer holds only the terminator; a zero-byte one gets nothing at all, and even
// an empty text does not fit it: there is no room for its terminator.
TEST(Mstr, CutsAtSizeMinusOneWithTheWarning) {
  const std::string chopped = "warning: Mstr: buffer too small - chopped\n";
  // clang-format off
  const struct { std::vector<double> codes; int size; std::string text, warned; long advanced; }
      rows[] = {{std::vector<double>(9, 'a'), 10, "aaaaaaaaa", "", 9},
                {std::vector<double>(10, 'b'), 10, "bbbbbbbbb", chopped, 9},
                {{'x'}, 1, "", chopped, 0}, {{'x'}, 0, "<none>", chopped, 0},
                {{}, 0, "<none>", chopped, 0}};
  // clang-format on
  for (const auto& t : rows) {
    const MstrResult r = run_mstr(t.codes, t.size);
    EXPECT_EQ(std::tie(r.text, r.warned, r.advanced), std::tie(t.text, t.warned, t.advanced));
  }
}

// Codes are truncated toward zero and keep their low 8 bits; NaN and huge values stay defined.
TEST(Mstr, CodesTruncateThenKeepTheLowByte) {
  const double nan = std::nan("");
  // NaN gives code 0, which ends the text.
  EXPECT_EQ(run_mstr({321.7, -1, 66.99, 256 + 67, nan, 1e300}, 8).text,
            "A\xFF"
            "BC");
}

TEST(Mstr, MatrixFormReadsRealPartsInColumnOrder) {
  char buf[16];
  M<double> z = korvex_test::by_cols(2, 2, {'a', 'b', 'c', 'd'}, {1, 2, 3, 4});
  Mstr(z, buf, sizeof buf);
  EXPECT_STREQ(buf, "abcd");
  Mstr(M<double>(0, 0, 0), buf, sizeof buf);
  EXPECT_STREQ(buf, "");
}
