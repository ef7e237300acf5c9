// Benchmarks of the gateway: services 3 and 4 on models 1 and 2 in model evaluations per second;
// the gateway's own overhead (service 3 against a plain loop doing the same evaluations and
// differences); and model 2's evaluation on the matrix runtime against a plain loop making the
// same two pow calls per element. Ratios are measured in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gateway.h"
#include "host.h"

namespace {

namespace kh = korvex::host;

struct Inputs {
  std::vector<const mxArray*> prhs;
  std::vector<double> x, V, h;
};

// The arguments of service S on a model at size (n, p): x_i = 0.5 + i/n, V with entries in
// [-1, 1], steps of 1e-6.
Inputs make_inputs(int service, int n, int p, int model = 1) {
  Inputs in;
  for (int i = 0; i < n; ++i) in.x.push_back(0.5 + double(i) / n);
  for (int k = 0; k < n * p; ++k) in.V.push_back(((k * 37) % 201) / 100.0 - 1.0);
  in.h.assign(p, 1e-6);
  const std::size_t un = n, up = p;
  in.prhs = {kh::new_matrix(1, 1, {double(service)}), kh::new_matrix(1, 1, {double(model)}),
             kh::new_matrix(un, 1, in.x), kh::new_matrix(un, up, in.V)};
  if (service == 3) in.prhs.push_back(kh::new_matrix(1, 1, {double(n)}));
  in.prhs.push_back(kh::new_matrix(1, up, in.h));
  return in;
}

void run_service(benchmark::State& state, int service, double evals_per_call) {
  const int n = static_cast<int>(state.range(0)), p = static_cast<int>(state.range(1));
  Inputs in = make_inputs(service, n, p, static_cast<int>(state.range(2)));
  mxArray* plhs[2] = {nullptr, nullptr};
  const int nlhs = service == 3 ? 2 : 1;
  for (auto _ : state) {
    mexFunction(nlhs, plhs, static_cast<int>(in.prhs.size()), in.prhs.data());
    benchmark::DoNotOptimize(mxGetPr(plhs[0]));
    for (int k = 0; k < nlhs; ++k) kh::destroy_matrix(plhs[k]);
  }
  state.counters["evals/s"] =
      benchmark::Counter(evals_per_call * state.iterations(), benchmark::Counter::kIsRate);
  kh::release_all();
}

void BM_Service3(benchmark::State& state) { run_service(state, 3, 1.0 + state.range(1)); }

void BM_Service4(benchmark::State& state) {
  const double n = state.range(0), p = state.range(1);
  run_service(state, 4, 1 + n + p * (1 + n));
}

// Service 3's work without the gateway: the same model calls and differences over arrays
// allocated once.
void BM_Service3PlainLoop(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0)), p = static_cast<int>(state.range(1));
  Inputs in = make_inputs(3, n, p);
  const int m = n;
  std::vector<double> f0(m), f1(m), xp(n), D(std::size_t(m) * p);
  for (auto _ : state) {
    korvex::val_getfun1(in.x.data(), n, f0.data(), m, nullptr, 0, 0);
    for (int k = 0; k < p; ++k) {
      for (int i = 0; i < n; ++i) xp[i] = in.V[std::size_t(k) * n + i] * in.h[k] + in.x[i];
      korvex::val_getfun1(xp.data(), n, f1.data(), m, nullptr, 0, 0);
      for (int i = 0; i < m; ++i) D[std::size_t(k) * m + i] = (f1[i] - f0[i]) / in.h[k];
    }
    benchmark::DoNotOptimize(D.data());
    benchmark::ClobberMemory();
  }
  state.counters["evals/s"] =
      benchmark::Counter((1.0 + p) * state.iterations(), benchmark::Counter::kIsRate);
  kh::release_all();
}

// One model-2 evaluation on the matrix runtime, as the gateway makes it.
void BM_Model2Eval(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Inputs in = make_inputs(2, n, 0, 2);
  std::vector<double> f(n);
  for (auto _ : state) {
    korvex::val_getfun2(in.x.data(), n, f.data(), n, nullptr, 0, 0);
    benchmark::DoNotOptimize(f.data());
  }
  kh::release_all();
}

// The same values from a plain loop: a cube, then a square, two calls of the C library's pow.
// The exponents are read from volatiles: the compiler would turn pow(z, 2.0) into z*z. (This
// version of benchmark::DoNotOptimize may pass a double through an integer register and lose
// its value, so it cannot hide them.)
volatile double cube_exponent = 3.0, square_exponent = 2.0;

void BM_Model2PlainPow(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Inputs in = make_inputs(2, n, 0, 2);
  std::vector<double> f(n);
  const double three = cube_exponent, two = square_exponent;
  for (auto _ : state) {
    for (int i = 0; i < n; ++i) f[i] = std::pow(std::pow(in.x[i], three), two);
    benchmark::DoNotOptimize(f.data());
    benchmark::ClobberMemory();
  }
  kh::release_all();
}

// Service 4 on model 2 without the gateway and the runtime: the same evaluations and
// differences over arrays allocated once, the model as the two pow calls per element.
void BM_Service4PlainPow(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0)), p = static_cast<int>(state.range(1));
  Inputs in = make_inputs(4, n, p, 2);
  std::vector<double> xw(n), g(n), G0(n), fbuf(n), H(std::size_t(n) * p);
  const double three = cube_exponent, two = square_exponent;
  auto f = [&]() {
    for (int i = 0; i < n; ++i) fbuf[i] = std::pow(std::pow(xw[i], three), two);
    return fbuf[0];
  };
  auto gradient = [&](double b, double* grad) {
    for (int i = 0; i < n; ++i) {
      const double t = xw[i];
      xw[i] = t + 1e-05;
      const double a = f();
      xw[i] = t;
      grad[i] = (a - b) / 1e-05;
    }
  };
  for (auto _ : state) {
    std::copy(in.x.begin(), in.x.end(), xw.begin());
    gradient(f(), G0.data());
    for (int k = 0; k < p; ++k) {
      for (int i = 0; i < n; ++i) xw[i] = in.V[std::size_t(k) * n + i] * in.h[k] + in.x[i];
      gradient(f(), g.data());
      for (int i = 0; i < n; ++i) H[std::size_t(k) * n + i] = (g[i] - G0[i]) / in.h[k];
    }
    benchmark::DoNotOptimize(H.data());
    benchmark::ClobberMemory();
  }
  kh::release_all();
}

// Keeps each run's CPU time per iteration (steadier than wall time on a shared machine) so that
// main can print the overhead ratio after the table; with --benchmark_repetitions the medians.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred && r.iterations > 0)
        seconds[r.benchmark_name()] = r.GetAdjustedCPUTime() * 1e-9;  // reported in ns
    ConsoleReporter::ReportRuns(runs);
  }
  double find(const std::string& name) const {
    for (const std::string& key : {name + "_median", name}) {
      const auto it = seconds.find(key);
      if (it != seconds.end()) return it->second;
    }
    return -1;
  }
};

}  // namespace

// Model 1 at four sizes, model 2 at three.
void service_sizes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"n", "p", "model"});
  for (const auto& np : {std::pair{2, 2}, {10, 10}, {100, 5}, {1000, 2}})
    b->Args({np.first, np.second, 1});
  for (const auto& np : {std::pair{2, 2}, {10, 10}, {1000, 2}}) b->Args({np.first, np.second, 2});
}

BENCHMARK(BM_Service3)->Apply(service_sizes);
BENCHMARK(BM_Service4)->Apply(service_sizes);
BENCHMARK(BM_Model2Eval)->ArgName("n")->Arg(2)->Arg(1000);
BENCHMARK(BM_Model2PlainPow)->ArgName("n")->Arg(2)->Arg(1000);
BENCHMARK(BM_Service3PlainLoop)->ArgNames({"n", "p"})->Args({1000, 2});
BENCHMARK(BM_Service4PlainPow)->ArgNames({"n", "p"})->Args({2, 2})->Args({10, 10});

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double gw = reporter.find("BM_Service3/n:1000/p:2/model:1");
  const double plain = reporter.find("BM_Service3PlainLoop/n:1000/p:2");
  if (gw > 0 && plain > 0)
    std::printf(
        "gateway overhead, service 3 at (n, p) = (1000, 2): %.3fx the plain loop "
        "(%.3f us vs %.3f us CPU per call)\n",
        gw / plain, gw * 1e6, plain * 1e6);
  const double m2 = reporter.find("BM_Model2Eval/n:1000"),
               pow2 = reporter.find("BM_Model2PlainPow/n:1000");
  if (m2 > 0 && pow2 > 0)
    std::printf("model 2 at n = 1000: %.3fx the plain pow loop (%.2f us vs %.2f us CPU)\n",
                m2 / pow2, m2 * 1e6, pow2 * 1e6);
  const double m2s = reporter.find("BM_Model2Eval/n:2"),
               pow2s = reporter.find("BM_Model2PlainPow/n:2");
  if (m2s > 0 && pow2s > 0)
    std::printf("model 2 at n = 2: runtime overhead %.0f ns per evaluation (%.0f ns vs %.0f ns)\n",
                (m2s - pow2s) * 1e9, m2s * 1e9, pow2s * 1e9);
  for (int n : {2, 10}) {
    const std::string size = "n:" + std::to_string(n) + "/p:" + std::to_string(n);
    const double s4 = reporter.find("BM_Service4/" + size + "/model:2"),
                 plain4 = reporter.find("BM_Service4PlainPow/" + size);
    const double evals = 1 + n + n * (1 + n);
    if (s4 > 0 && plain4 > 0)
      std::printf(
          "model 2 through service 4 at n = p = %d: runtime overhead %.0f ns per evaluation "
          "(%.2f us vs %.2f us per call, %.0f evaluations)\n",
          n, (s4 - plain4) / evals * 1e9, s4 * 1e6, plain4 * 1e6, evals);
  }
  benchmark::Shutdown();
  return 0;
}
