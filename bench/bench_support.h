// bench_support.h: what several benchmark programs share: the constants as start-up sets them,
// and a reporter that keeps each benchmark's CPU time so a program can print ratios at the end.
#ifndef KORVEX_BENCH_SUPPORT_H
#define KORVEX_BENCH_SUPPORT_H

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "korvex.h"

namespace korvex_bench {

inline void start_constants() {
  korvex::inf_value = HUGE_VAL;
  korvex::nan_value = korvex::ieee_compose(0xFFFFFFFFu, 0xFFFFFu, 2047, 0);
  korvex::eps_double = std::pow(2.0, -52);
  korvex::eps_float = std::pow(2.0, -23);
}

// Remembers each benchmark's CPU time per iteration (the median when repetitions are asked
// for). CPU time, because the machine is shared and wall time counts other processes' turns.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.run_type == Run::RT_Iteration && r.repetitions <= 1)
        times[r.run_name.function_name] = r.GetAdjustedCPUTime();
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median")
        times[r.run_name.function_name] = r.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace korvex_bench

#endif  // KORVEX_BENCH_SUPPORT_H
