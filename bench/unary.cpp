// unary.cpp: sqrt and exp through the unary engine against plain libm loops over raw arrays
// that also allocate their result, in one run; prints each engine/plain time ratio at the end.
//
// The plain loops are compiled with the same vectoriser setting as the engine's unit, so the
// ratio measures the engine's overhead (the domain scan included), not a difference of flags.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("vect-cost-model=cheap")
#endif

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "korvex.h"

namespace {

using korvex_bench::RatioReporter;
using korvex_bench::start_constants;

constexpr int big = 1000000;

// Non-negative arguments in [0, 6], so sqrt stays real and scans every element, and exp
// stays finite.
std::vector<double> values() {
  std::vector<double> v(big);
  for (int k = 0; k < big; k++) v[k] = 3 * std::sin(0.001 * k) + 3;
  return v;
}

template <class F>
void plain(benchmark::State& state, F f) {
  std::vector<double> a = values();
  for (auto _ : state) {
    double* c = new double[big];
    const double* pa = a.data();
    for (int k = 0; k < big; k++) c[k] = f(pa[k]);
    benchmark::DoNotOptimize(c);
    benchmark::ClobberMemory();
    delete[] c;
  }
}

template <class F>
void engine(benchmark::State& state, F f) {
  std::vector<double> v = values();
  korvex::M<double> a(0, 1, big);
  for (int k = 0; k < big; k++) a.addr()[k] = v[k];
  for (auto _ : state) {
    korvex::M<double> c = f(a);
    benchmark::DoNotOptimize(c.addr());
    benchmark::ClobberMemory();
  }
}

void BM_plain_sqrt(benchmark::State& s) {
  plain(s, [](double x) { return std::sqrt(x); });
}
void BM_engine_sqrt(benchmark::State& s) {
  engine(s, [](const korvex::M<double>& x) { return korvex::sqrtM(x); });
}
void BM_plain_exp(benchmark::State& s) {
  plain(s, [](double x) { return std::exp(x); });
}
void BM_engine_exp(benchmark::State& s) {
  engine(s, [](const korvex::M<double>& x) { return korvex::exp(x); });
}

BENCHMARK(BM_plain_sqrt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_engine_sqrt)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_plain_exp)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_engine_exp)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  start_constants();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nengine / plain loop (CPU time):\n");
  for (const char* op : {"sqrt", "exp"}) {
    auto p = reporter.times.find(std::string("BM_plain_") + op);
    auto e = reporter.times.find(std::string("BM_engine_") + op);
    if (p != reporter.times.end() && e != reporter.times.end())
      std::printf("  %-5s %.3f\n", op, e->second / p->second);
  }
  benchmark::Shutdown();
  return 0;
}
