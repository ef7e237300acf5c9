// Scalar code on the matrix runtime against plain C++ in the same run: 1x1 a + b, a .* b, a < b
// and -a with the result made and destroyed, and s = s + a(k) over a long row, each beside a loop
// that mallocs one small block, adds into it and frees it. Prints each ratio after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "korvex.h"

using korvex::M;

namespace {

constexpr int steps = 1000000;

// The baseline of one scalar step: a small block from the allocator, an add into it, a free.
void BM_PlainMallocAddFree(benchmark::State& state) {
  double a = 1.5, b = 2.25;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    double* c = static_cast<double*>(std::malloc(sizeof(double)));
    *c = a + b;
    benchmark::DoNotOptimize(c);
    std::free(c);
  }
}
BENCHMARK(BM_PlainMallocAddFree);

// c = a + b (or .*, <) on 1x1 operands: the result is made and destroyed every time.
template <M<double> (*Op)(const M<double>&, const M<double>&)>
void scalar_op(benchmark::State& state) {
  const M<double> a(1.5), b(2.25);
  for (auto _ : state) {
    const M<double> c = Op(a, b);
    benchmark::DoNotOptimize(c.addr());
  }
}
M<double> add(const M<double>& a, const M<double>& b) { return a + b; }
M<double> less(const M<double>& a, const M<double>& b) { return a < b; }
void BM_ScalarAdd(benchmark::State& state) { scalar_op<add>(state); }
void BM_ScalarMul(benchmark::State& state) { scalar_op<korvex::dot_mul>(state); }
void BM_ScalarLess(benchmark::State& state) { scalar_op<less>(state); }
BENCHMARK(BM_ScalarAdd);
BENCHMARK(BM_ScalarMul);
BENCHMARK(BM_ScalarLess);

void BM_ScalarNegate(benchmark::State& state) {
  const M<double> a(1.5);
  for (auto _ : state) {
    const M<double> c = -a;
    benchmark::DoNotOptimize(c.addr());
  }
}
BENCHMARK(BM_ScalarNegate);

// s = s + a(k), k = 1..1e6, as translated code writes it: k and s are matrix variables.
void BM_SumIndexed(benchmark::State& state) {
  M<double> a(0, 1, steps);
  for (int t = 0; t < steps; t++) a.addr()[t] = t % 7;
  for (auto _ : state) {
    M<double> s("s", 0, 0);
    M<double> k("k", 0, 0);
    s = 0.0;
    for (int t = 1; t <= steps; t++) {
      k = static_cast<double>(t);
      s = s + a(k);
    }
    benchmark::DoNotOptimize(s.addr());
  }
  state.counters["per_step"] = benchmark::Counter(
      steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SumIndexed)->Unit(benchmark::kMillisecond);

// Keeps each run's CPU time per iteration so that main can print the ratios after the table.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> ns;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred && r.iterations > 0) ns[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  double find(const std::string& name) const {
    for (const std::string& key : {name + "_median", name}) {
      const auto it = ns.find(key);
      if (it != ns.end()) return it->second;
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
  const double plain = reporter.find("BM_PlainMallocAddFree");
  for (const char* name : {"BM_ScalarAdd", "BM_ScalarMul", "BM_ScalarLess", "BM_ScalarNegate"}) {
    const double t = reporter.find(name);
    if (plain > 0 && t > 0)
      std::printf("%s: %.1f ns, %.2fx malloc/add/free (%.1f ns)\n", name, t, t / plain, plain);
  }
  const double sum = reporter.find("BM_SumIndexed") * 1e6 / steps;  // ms per run -> ns per step
  if (plain > 0 && sum > 0)
    std::printf("s = s + a(k): %.1f ns per step, %.2fx malloc/add/free\n", sum, sum / plain);
  benchmark::Shutdown();
  return 0;
}
