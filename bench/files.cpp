// files.cpp: fwrite and fread of 1e7 elements ("double" native, "int16" byte-reversed) against
// plain stdio on the same array of doubles and against a hand loop that converts the int16
// elements itself, and bmpwrite of a 1000x1000 image against a plain loop writing the same
// bytes; prints each korvex/plain time ratio after the table.
//
// Both sides open, transfer and close a file in the temporary folder each iteration. The
// runtime's fread returns a new matrix, so the plain read takes fresh memory for its array too.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "korvex.h"

namespace {

using korvex_bench::RatioReporter;

using korvex::M;

constexpr int count = 10000000;
constexpr int side = 1000;

std::string path(const char* stem) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/korvex_bench_" + std::to_string(getpid()) + "_" + stem;
}

M<double> text(const std::string& s) { return M<double>(s.c_str()); }

// Values inside the int16 range, so both sides write the same bytes.
const std::vector<double>& values() {
  static std::vector<double> v = [] {
    std::vector<double> x(count);
    for (int k = 0; k < count; k++) x[k] = k % 60001 - 30000;
    return x;
  }();
  return v;
}

M<double> matrix_of(const std::vector<double>& v) {
  M<double> a(0, static_cast<int>(v.size()), 1);
  std::memcpy(a.addr(), v.data(), v.size() * sizeof(double));
  return a;
}

// The int16 file as plain stdio writes it: big-endian elements, prepared once.
const std::vector<unsigned char>& int16_bytes() {
  static std::vector<unsigned char> b = [] {
    std::vector<unsigned char> x(2 * static_cast<size_t>(count));
    for (int k = 0; k < count; k++) {
      const unsigned v = static_cast<unsigned short>(static_cast<short>(values()[k]));
      x[2 * k] = static_cast<unsigned char>(v >> 8);
      x[2 * k + 1] = static_cast<unsigned char>(v);
    }
    return x;
  }();
  return b;
}

// ---- fwrite ----

void plain_write(benchmark::State& state, const void* data, size_t size, const char* stem) {
  const std::string file = path(stem);
  for (auto _ : state) {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    benchmark::DoNotOptimize(std::fwrite(data, size, count, f));
    std::fclose(f);
  }
  std::remove(file.c_str());
}

void korvex_write(benchmark::State& state, const char* precision, const char* format,
                  const char* stem) {
  const std::string file = path(stem);
  const M<double> a = matrix_of(values());
  for (auto _ : state) {
    const M<double> fid = korvex::fopenM(text(file), text("wb"), text(format));
    benchmark::DoNotOptimize(korvex::fwrite(fid, a, text(precision)));
    korvex::fclose(fid);
  }
  std::remove(file.c_str());
}

void BM_plain_write_double(benchmark::State& s) {
  plain_write(s, values().data(), sizeof(double), "pwd");
}
void BM_korvex_write_double(benchmark::State& s) { korvex_write(s, "double", "n", "kwd"); }
// By hand: each value to a big-endian int16 in a fresh buffer, then one stdio fwrite.
void BM_plain_write_int16(benchmark::State& state) {
  const std::string file = path("pwi");
  const double* x = values().data();
  for (auto _ : state) {
    unsigned char* buf = static_cast<unsigned char*>(std::malloc(2 * static_cast<size_t>(count)));
    for (int k = 0; k < count; k++) {
      const unsigned v = static_cast<unsigned short>(static_cast<short>(x[k]));
      buf[2 * k] = static_cast<unsigned char>(v >> 8);
      buf[2 * k + 1] = static_cast<unsigned char>(v);
    }
    std::FILE* f = std::fopen(file.c_str(), "wb");
    benchmark::DoNotOptimize(std::fwrite(buf, 2, count, f));
    std::fclose(f);
    std::free(buf);
  }
  std::remove(file.c_str());
}
void BM_korvex_write_int16(benchmark::State& s) { korvex_write(s, "int16", "b", "kwi"); }

// ---- fread ----

void plain_read(benchmark::State& state, const void* data, size_t size, const char* stem) {
  const std::string file = path(stem);
  std::FILE* w = std::fopen(file.c_str(), "wb");
  std::fwrite(data, size, count, w);
  std::fclose(w);
  for (auto _ : state) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    void* buf = std::malloc(size * count);
    benchmark::DoNotOptimize(std::fread(buf, size, count, f));
    benchmark::ClobberMemory();
    std::free(buf);
    std::fclose(f);
  }
  std::remove(file.c_str());
}

void korvex_read(benchmark::State& state, const void* data, size_t size, const char* precision,
                 const char* format, const char* stem) {
  const std::string file = path(stem);
  std::FILE* w = std::fopen(file.c_str(), "wb");
  std::fwrite(data, size, count, w);
  std::fclose(w);
  const M<double> all(HUGE_VAL);
  for (auto _ : state) {
    const M<double> fid = korvex::fopenM(text(file), text("rb"), text(format));
    const M<double> a = korvex::fread(fid, all, text(precision));
    if (a.size() != count) state.SkipWithError("short read");
    benchmark::DoNotOptimize(a.addr());
    korvex::fclose(fid);
  }
  std::remove(file.c_str());
}

void BM_plain_read_double(benchmark::State& s) {
  plain_read(s, values().data(), sizeof(double), "prd");
}
void BM_korvex_read_double(benchmark::State& s) {
  korvex_read(s, values().data(), sizeof(double), "double", "n", "krd");
}
// By hand: one stdio fread of the bytes, then each big-endian int16 into a fresh double array.
void BM_plain_read_int16(benchmark::State& state) {
  const std::string file = path("pri");
  std::FILE* w = std::fopen(file.c_str(), "wb");
  std::fwrite(int16_bytes().data(), 2, count, w);
  std::fclose(w);
  for (auto _ : state) {
    std::FILE* f = std::fopen(file.c_str(), "rb");
    unsigned char* buf = static_cast<unsigned char*>(std::malloc(2 * static_cast<size_t>(count)));
    const size_t got = std::fread(buf, 2, count, f);
    double* x = static_cast<double*>(std::malloc(sizeof(double) * got));
    for (size_t k = 0; k < got; k++) x[k] = static_cast<short>(buf[2 * k] << 8 | buf[2 * k + 1]);
    benchmark::DoNotOptimize(x);
    benchmark::ClobberMemory();
    std::free(x);
    std::free(buf);
    std::fclose(f);
  }
  std::remove(file.c_str());
}
void BM_korvex_read_int16(benchmark::State& s) {
  korvex_read(s, int16_bytes().data(), 2, "int16", "b", "kri");
}

// ---- bmpwrite of a 1000x1000 image with a 256-colour map ----

M<double> bmp_image() {
  M<double> image(0, side, side);
  for (int j = 1; j <= side; j++)
    for (int i = 1; i <= side; i++) *image.addr(i, j) = (i * 7 + j * 3) % 256 + 1;
  return image;
}
M<double> bmp_colormap() {
  M<double> map(0, 256, 3);
  for (int k = 0; k < 256 * 3; k++) map.addr()[k] = (k % 256) / 256.0;
  return map;
}

void put32(unsigned char* p, unsigned v) {
  for (int k = 0; k < 4; k++) p[k] = static_cast<unsigned char>(v >> (8 * k));
}

// The same file from the same matrices, by hand: header, palette, rows bottom first.
void BM_plain_bmp(benchmark::State& state) {
  const std::string file = path("pbmp.bmp");
  const M<double> image = bmp_image();
  const M<double> map = bmp_colormap();
  for (auto _ : state) {
    unsigned char head[1078] = {'B', 'M'};
    put32(head + 2, 1078 + side * side);
    put32(head + 10, 1078);
    put32(head + 14, 40);
    put32(head + 18, side);
    put32(head + 22, side);
    head[26] = 1;
    head[28] = 8;
    put32(head + 34, side * side);
    for (int k = 0; k < 256; k++)
      for (int c = 0; c < 3; c++)
        head[54 + 4 * k + c] =
            static_cast<unsigned char>(static_cast<int>(255 * *map.addr(k + 1, 3 - c)));
    std::vector<unsigned char> pixels(static_cast<size_t>(side) * side);
    for (int i = side; i >= 1; i--) {
      unsigned char* row = pixels.data() + static_cast<size_t>(side - i) * side;
      for (int j = 1; j <= side; j++)
        row[j - 1] = static_cast<unsigned char>(static_cast<int>(*image.addr(i, j) - 1));
    }
    std::FILE* f = std::fopen(file.c_str(), "wb");
    std::fwrite(head, 1, sizeof head, f);
    std::fwrite(pixels.data(), 1, pixels.size(), f);
    std::fclose(f);
  }
  std::remove(file.c_str());
}

void BM_korvex_bmp(benchmark::State& state) {
  const std::string file = path("kbmp.bmp");
  const M<double> image = bmp_image();
  const M<double> map = bmp_colormap();
  for (auto _ : state) korvex::bmpwrite(image, map, text(file));
  std::remove(file.c_str());
}

BENCHMARK(BM_plain_write_double)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_korvex_write_double)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_plain_write_int16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_korvex_write_int16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_plain_read_double)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_korvex_read_double)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_plain_read_int16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_korvex_read_int16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_plain_bmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_korvex_bmp)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ratio = [&](const char* what, const char* korvex, const char* plain) {
    auto k = reporter.times.find(std::string("BM_korvex_") + korvex);
    auto p = reporter.times.find(std::string("BM_plain_") + plain);
    if (p != reporter.times.end() && k != reporter.times.end())
      std::printf("  %-44s %.2f\n", what, k->second / p->second);
  };
  std::printf("\nkorvex / plain (CPU time):\n");
  ratio("fwrite double / stdio fwrite of the array", "write_double", "write_double");
  ratio("fread double / stdio fread of the array", "read_double", "read_double");
  ratio("fwrite int16 \"b\" / stdio fwrite of the array", "write_int16", "write_double");
  ratio("fread int16 \"b\" / stdio fread of the array", "read_int16", "read_double");
  ratio("fwrite int16 \"b\" / hand loop + stdio fwrite", "write_int16", "write_int16");
  ratio("fread int16 \"b\" / stdio fread + hand loop", "read_int16", "read_int16");
  ratio("bmpwrite 1000x1000 / hand loop + stdio fwrite", "bmp", "bmp");
  benchmark::Shutdown();
  return 0;
}
