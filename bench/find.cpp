// find.cpp: find over 1e6 elements with 10% non-zeros against a plain loop collecting the
// same linear indices, in one run; prints the find/plain time ratio after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "korvex.h"

namespace {

using korvex_bench::RatioReporter;

constexpr int big = 1000000;

// 10% of the elements non-zero, at random places, so neither loop can predict them.
std::vector<double> sparse_values() {
  std::mt19937 gen(12345);
  std::uniform_real_distribution<double> u(0, 1);
  std::vector<double> v(big);
  for (double& x : v) {
    const double p = u(gen);
    x = p < 0.1 ? 1 + p : 0;
  }
  return v;
}

// The plain loop: one pass storing the position of each non-zero element, into a result
// allocated for every iteration as find allocates its own.
void BM_plain_find(benchmark::State& state) {
  const std::vector<double> v = sparse_values();
  for (auto _ : state) {
    double* out = new double[big];
    int n = 0;
    const double* p = v.data();
    for (int k = 0; k < big; ++k)
      if (p[k] != 0) out[n++] = k + 1;
    benchmark::DoNotOptimize(out);
    benchmark::DoNotOptimize(n);
    benchmark::ClobberMemory();
    delete[] out;
  }
}

void BM_find(benchmark::State& state) {
  const std::vector<double> v = sparse_values();
  korvex::M<double> x(0, big, 1);
  std::copy(v.begin(), v.end(), x.addr());
  for (auto _ : state) {
    korvex::M<double> idx = korvex::find(x);
    benchmark::DoNotOptimize(idx.addr());
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_plain_find)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_find)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto p = reporter.times.find("BM_plain_find");
  auto f = reporter.times.find("BM_find");
  if (p != reporter.times.end() && f != reporter.times.end())
    std::printf("\nfind / plain loop (CPU time): %.3f\n", f->second / p->second);
  benchmark::Shutdown();
  return 0;
}
