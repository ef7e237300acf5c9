// Indexed access against plain arrays: the appending loop a(k) = k and the reading loop over
// a(k), k = 1..N, each beside the same loop over a std::vector / raw array in the same run.
#include <benchmark/benchmark.h>

#include <vector>

#include "korvex.h"

using korvex::M;

namespace {

// Reports the time per element access as "per_access" (seconds; shown in ns).
void per_access(benchmark::State& state, int n) {
  state.counters["per_access"] = benchmark::Counter(
      n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// a(k) = k as translated code writes it: k is a matrix variable, a starts as a named 0x0.
void BM_AppendIndexed(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    M<double> a("a", 0, 0);
    M<double> k("k", 0, 0);
    for (int t = 1; t <= n; t++) {
      k = static_cast<double>(t);
      a(k) = k;
    }
    benchmark::DoNotOptimize(a.addr());
  }
  per_access(state, n);
}

void BM_AppendVector(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    std::vector<double> a;
    for (int t = 1; t <= n; t++) a.push_back(t);
    benchmark::DoNotOptimize(a.data());
  }
  per_access(state, n);
}

// s = s + a(k) over a prepared row.
void BM_ReadIndexed(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  M<double> a(0, 1, n);
  for (int t = 0; t < n; t++) a.addr()[t] = t;
  M<double> k("k", 0, 0);
  for (auto _ : state) {
    double s = 0;
    for (int t = 1; t <= n; t++) {
      k = static_cast<double>(t);
      const M<double> x = a(k);
      s += *x.addr();
    }
    benchmark::DoNotOptimize(s);
  }
  per_access(state, n);
}

// The same sum over a plain array; the compiler may vectorise it.
void BM_ReadRaw(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<double> a(n);
  for (int t = 0; t < n; t++) a[t] = t;
  for (auto _ : state) {
    double s = 0;
    for (int t = 0; t < n; t++) s += a[t];
    benchmark::DoNotOptimize(s);
  }
  per_access(state, n);
}

}  // namespace

BENCHMARK(BM_AppendIndexed)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
// Growth past the spare slots reallocates to the new count + 6, so appending is quadratic:
// one pass at 1e5 takes seconds.
BENCHMARK(BM_AppendIndexed)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendVector)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadIndexed)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRaw)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
