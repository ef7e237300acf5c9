// format.cpp: sprintfM("%g\n", x) over 1e5 doubles and disp of a 1000x1000 matrix into a
// string stream, each against a plain snprintf loop into one growing buffer, in one run;
// prints each korvex/plain time ratio after the table.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "korvex.h"

namespace {

using korvex_bench::RatioReporter;

constexpr int count = 100000;
constexpr int side = 1000;

// Deterministic values of varied magnitude and sign, none of them whole.
std::vector<double> values(int n) {
  std::vector<double> v(n);
  for (int k = 0; k < n; k++) v[k] = 1000 * std::sin(0.001 * k) + 0.123456789;
  return v;
}

korvex::M<double> matrix_of(const std::vector<double>& v, int rows, int cols) {
  korvex::M<double> x(0, rows, cols);
  for (size_t k = 0; k < v.size(); k++) x.addr()[k] = v[k];
  return x;
}

// snprintf of each value straight into the end of one growing buffer.
void append_formatted(std::vector<char>& out, size_t& used, const char* fmt, double x) {
  if (out.size() - used < 64) out.resize(out.size() * 2 + 64);
  used += static_cast<size_t>(std::snprintf(out.data() + used, out.size() - used, fmt, x));
}

void BM_plain_sprintf(benchmark::State& state) {
  const std::vector<double> x = values(count);
  for (auto _ : state) {
    std::vector<char> out(64);
    size_t used = 0;
    for (double v : x) append_formatted(out, used, "%g\n", v);
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_korvex_sprintf(benchmark::State& state) {
  const korvex::M<double> x = matrix_of(values(count), 1, count);
  const korvex::M<double> fmt("%g\\n");
  for (auto _ : state) {
    korvex::M<double> text = korvex::sprintfM(fmt, x);
    benchmark::DoNotOptimize(text.addr());
  }
}

// The same loop over the matrix row by row, each value "%.4g" and a blank, a line end per row.
void BM_plain_disp(benchmark::State& state) {
  const std::vector<double> x = values(side * side);
  for (auto _ : state) {
    std::vector<char> out(64);
    size_t used = 0;
    for (int i = 0; i < side; i++) {
      for (int j = 0; j < side; j++) append_formatted(out, used, "%.4g ", x[i + j * side]);
      out[used - 1] = '\n';
    }
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_korvex_disp(benchmark::State& state) {
  const korvex::M<double> x = matrix_of(values(side * side), side, side);
  for (auto _ : state) {
    std::ostringstream out;
    korvex::disp(x, out);
    benchmark::DoNotOptimize(out.str().data());
  }
}

BENCHMARK(BM_plain_sprintf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_korvex_sprintf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_plain_disp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_korvex_disp)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nkorvex / plain snprintf loop (CPU time):\n");
  for (const char* op : {"sprintf", "disp"}) {
    auto p = reporter.times.find(std::string("BM_plain_") + op);
    auto e = reporter.times.find(std::string("BM_korvex_") + op);
    if (p != reporter.times.end() && e != reporter.times.end())
      std::printf("  %-8s %.3f\n", op, e->second / p->second);
  }
  benchmark::Shutdown();
  return 0;
}
