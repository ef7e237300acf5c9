// call_helpers.h: calling the gateway through the stand-in host from a test, with plain values.
#ifndef KORVEX_TESTS_CALL_HELPERS_H
#define KORVEX_TESTS_CALL_HELPERS_H

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "host.h"

struct Mat {
  std::size_t rows = 0, cols = 0;
  std::vector<double> v;  // column-major
};

inline Mat scalar(double d) { return {1, 1, {d}}; }
inline Mat column(std::vector<double> v) { return {v.size(), 1, v}; }
inline Mat row(std::vector<double> v) { return {1, v.size(), v}; }
inline Mat zeros(std::size_t r, std::size_t c) { return {r, c, std::vector<double>(r * c, 0.0)}; }

struct Result {
  bool failed = false;
  std::string message;
  std::vector<bool> filled;  // one per slot
  std::vector<Mat> out;      // one per slot; empty Mat where the slot stayed null
  std::size_t created = 0;   // matrices the call created
};

// One call with nlhs outputs; the slot array has max(nlhs, 1) entries, as hosts give it.
inline Result call(int nlhs, const std::vector<Mat>& in) {
  std::vector<const mxArray*> prhs;
  for (const Mat& m : in) prhs.push_back(korvex::host::new_matrix(m.rows, m.cols, m.v));
  std::vector<mxArray*> plhs(nlhs > 0 ? nlhs : 1);
  const std::size_t before = korvex::host::matrices_created();
  const korvex::host::Outcome o = korvex::host::call(mexFunction, nlhs, plhs.data(),
                                                     static_cast<int>(prhs.size()), prhs.data());
  Result r;
  r.failed = o.failed;
  r.message = o.message;
  r.created = korvex::host::matrices_created() - before;
  for (mxArray* a : plhs) {
    r.filled.push_back(a != nullptr);
    Mat m;
    if (a) m = {mxGetM(a), mxGetN(a), std::vector<double>(mxGetPr(a), mxGetPr(a) + a->re.size())};
    r.out.push_back(m);
  }
  korvex::host::release_all();
  return r;
}

inline std::uint64_t bits(double d) {
  std::uint64_t b;
  std::memcpy(&b, &d, sizeof b);
  return b;
}

#endif
