// ops.cpp: the binary and column engines against plain loops over raw arrays applying the same
// per-element rule, in one run; prints each engine/plain time ratio after the table.
//
// The plain loops are compiled with the same vectoriser setting as the engine's unit, so the
// ratio measures the engine's overhead, not a difference of flags.
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

// Deterministic operands without NaN, so max scans every element.
std::vector<double> values(int n, double scale) {
  std::vector<double> v(n);
  for (int k = 0; k < n; k++) v[k] = scale * std::sin(0.001 * k) + 0.5;
  return v;
}

korvex::M<double> matrix_of(const std::vector<double>& v) {
  korvex::M<double> x(0, 1, static_cast<int>(v.size()));
  for (size_t k = 0; k < v.size(); k++) x.addr()[k] = v[k];
  return x;
}

// ---- element-wise: the engine allocates its result, so the plain loop allocates one too ----

template <class F>
void plain_elementwise(benchmark::State& state, F f) {
  std::vector<double> a = values(big, 3), b = values(big, 2);
  for (auto _ : state) {
    double* c = new double[big];
    const double* pa = a.data();
    const double* pb = b.data();
    for (int k = 0; k < big; k++) c[k] = f(pa[k], pb[k]);
    benchmark::DoNotOptimize(c);
    benchmark::ClobberMemory();
    delete[] c;
  }
}

void BM_plain_add(benchmark::State& s) {
  plain_elementwise(s, [](double x, double y) { return x + y; });
}
void BM_plain_mul(benchmark::State& s) {
  plain_elementwise(s, [](double x, double y) { return x * y; });
}

template <class F>
void engine_elementwise(benchmark::State& state, F f) {
  korvex::M<double> a = matrix_of(values(big, 3)), b = matrix_of(values(big, 2));
  for (auto _ : state) {
    korvex::M<double> c = f(a, b);
    benchmark::DoNotOptimize(c.addr());
    benchmark::ClobberMemory();
  }
}

void BM_engine_add(benchmark::State& s) {
  engine_elementwise(s,
                     [](const korvex::M<double>& x, const korvex::M<double>& y) { return x + y; });
}
void BM_engine_mul(benchmark::State& s) {
  engine_elementwise(s, [](const korvex::M<double>& x, const korvex::M<double>& y) {
    return korvex::dot_mul(x, y);
  });
}

// ---- reductions over one 1×1e6 row ----

void BM_plain_sum(benchmark::State& state) {
  std::vector<double> a = values(big, 3);
  for (auto _ : state) {
    double acc = 0;
    for (int k = 0; k < big; k++) acc += a[k];
    benchmark::DoNotOptimize(acc);
  }
}

// The column max rule: stop at a NaN, else a later equal element replaces the accumulator.
void BM_plain_max(benchmark::State& state) {
  std::vector<double> a = values(big, 3);
  for (auto _ : state) {
    double acc = a[0];
    for (int k = 0; k < big; k++) {
      double v = a[k];
      if (v != v) {
        acc = v;
        break;
      }
      acc = acc > v ? acc : v;
    }
    benchmark::DoNotOptimize(acc);
  }
}

void BM_engine_sum(benchmark::State& state) {
  korvex::M<double> a = matrix_of(values(big, 3));
  for (auto _ : state) {
    korvex::M<double> c = korvex::sum(a);
    benchmark::DoNotOptimize(c.addr()[0]);
  }
}

void BM_engine_max(benchmark::State& state) {
  korvex::M<double> a = matrix_of(values(big, 3));
  for (auto _ : state) {
    korvex::M<double> c = korvex::max(a);
    benchmark::DoNotOptimize(c.addr()[0]);
  }
}

// ---- the whole cost of a + b on 1×1 operands: checks, pool allocation, result, release ----

void BM_plain_add_1x1(benchmark::State& state) {
  double a = 1.5, b = 2.25;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(b);
    double c = a + b;
    benchmark::DoNotOptimize(c);
  }
}

void BM_engine_add_1x1(benchmark::State& state) {
  korvex::M<double> a(1.5), b(2.25);
  for (auto _ : state) {
    korvex::M<double> c = a + b;
    benchmark::DoNotOptimize(c.addr()[0]);
  }
}

BENCHMARK(BM_plain_add)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_engine_add)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_plain_mul)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_engine_mul)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_plain_sum)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_engine_sum)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_plain_max)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_engine_max)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_plain_add_1x1);
BENCHMARK(BM_engine_add_1x1);

}  // namespace

int main(int argc, char** argv) {
  start_constants();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nengine / plain loop (CPU time):\n");
  for (const char* op : {"add", "mul", "sum", "max", "add_1x1"}) {
    auto p = reporter.times.find(std::string("BM_plain_") + op);
    auto e = reporter.times.find(std::string("BM_engine_") + op);
    if (p != reporter.times.end() && e != reporter.times.end())
      std::printf("  %-8s %.3f\n", op, e->second / p->second);
  }
  auto one = reporter.times.find("BM_engine_add_1x1");
  if (one != reporter.times.end())
    std::printf("  a + b on 1x1 operands: %.1f ns per call\n", one->second);
  benchmark::Shutdown();
  return 0;
}
