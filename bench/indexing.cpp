// Indexed access against plain arrays: the appending loop a(k) = k and the reading loop over
// a(k), k = 1..N, each beside the same loop over a std::vector / raw array in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
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

// The first run of the process: one pass at 1e5 on pages the process has never touched.
BENCHMARK(BM_AppendIndexed)
    ->Name("BM_AppendIndexedFreshProcess")
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendIndexed)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendVector)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadIndexed)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRaw)->Arg(100000)->Unit(benchmark::kMillisecond);

namespace {

// Keeps each run's CPU time per iteration so that main can print the append ratio.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> ms;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred && r.iterations > 0) ms[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  double find(const std::string& name) const {
    for (const std::string& key : {name + "_median", name}) {
      const auto it = ms.find(key);
      if (it != ms.end()) return it->second;
    }
    return -1;
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double fresh = reporter.find("BM_AppendIndexedFreshProcess/100000/iterations:1");
  const double indexed = reporter.find("BM_AppendIndexed/100000");
  const double vec = reporter.find("BM_AppendVector/100000");
  if (fresh > 0) std::printf("a(k) = k, k = 1..1e5, fresh process: %.2f ms\n", fresh);
  if (indexed > 0 && vec > 0)
    std::printf("a(k) = k, k = 1..1e5: %.3f ms, %.2fx std::vector::push_back (%.3f ms)\n", indexed,
                indexed / vec, vec);
  benchmark::Shutdown();
  return 0;
}
