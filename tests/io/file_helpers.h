// file_helpers.h: test helpers for the file functions: temporary paths, whole-file bytes, and
// a fixture that closes every fid after each test.
#ifndef KORVEX_TESTS_FILE_HELPERS_H
#define KORVEX_TESTS_FILE_HELPERS_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../support/matrix_builders.h"
#include "korvex.h"

namespace korvex_test {

using Bytes = std::vector<unsigned char>;

// A path in the test's temporary folder, unique to this process.
inline std::string temp_path(const std::string& stem) {
  return ::testing::TempDir() + "korvex_" + std::to_string(getpid()) + "_" + stem;
}

inline Bytes file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_file(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline korvex::M<double> text(const std::string& s) { return korvex::M<double>(s.c_str()); }
inline double value(const korvex::M<double>& x) { return x.addr()[0]; }

// Opens path and returns its fid, failing the test when fopenM gives -1.
inline korvex::M<double> open_file(const std::string& path, const char* permission,
                                   const char* format = "n") {
  korvex::M<double> fid = korvex::fopenM(text(path), text(permission), text(format));
  EXPECT_GE(value(fid), 3) << path;
  return fid;
}

// 1 on a host that stores the most significant byte first, else 0: the value the start-up
// routine gives byte_order_flag.
inline int host_byte_order() {
  const unsigned short probe = 0x1234;
  unsigned char first;
  std::memcpy(&first, &probe, 1);
  return first == 0x12;
}

// Every test starts and ends with only the standard fids in use, and runs with byte_order_flag
// set for this host as the start-up routine sets it.
class Files : public ::testing::Test {
 protected:
  void SetUp() override {
    korvex::fclose(text("all"));
    korvex::byte_order_flag = host_byte_order();
  }
  void TearDown() override {
    korvex::fclose(text("all"));
    korvex::byte_order_flag = 0;
  }
};

}  // namespace korvex_test

#endif  // KORVEX_TESTS_FILE_HELPERS_H
