// gateway.cpp: libFuzzer target for the gateway through the stand-in host: random input
// counts, shapes, values (any bit pattern) and output counts. A call may answer or be rejected
// through mexErrMsgTxt; a crash, a runtime fault reaching the process's exit, a host matrix or
// a pool chunk left behind is a finding.
#include <cstdint>
#include <cstring>
#include <vector>

#include "host.h"
#include "korvex.h"

namespace {

struct Bytes {
  const uint8_t* p;
  size_t n;
  int next() { return n ? (--n, *p++) : 0; }
  double value() {
    // Half the time a small integer (service and model numbers, m, sizes), else raw bits.
    if (next() % 2) return next() % 12 - 2;
    double d = 0;
    const size_t k = n < sizeof d ? n : sizeof d;
    std::memcpy(&d, p, k);
    p += k;
    n -= k;
    return d;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in{data, size};
  const int chunks_before = korvex::fs_used;
  const int nlhs = in.next() % 4;
  const int nrhs = in.next() % 9;
  std::vector<const mxArray*> prhs;
  for (int k = 0; k < nrhs; ++k) {
    const int rows = in.next() % 7, cols = in.next() % 4;
    std::vector<double> v(static_cast<size_t>(rows * cols));
    for (double& d : v) d = in.value();
    prhs.push_back(korvex::host::new_matrix(rows, cols, v));
  }
  std::vector<mxArray*> plhs(nlhs > 0 ? nlhs : 1);
  korvex::host::call(mexFunction, nlhs, plhs.data(), nrhs, prhs.data());
  korvex::host::release_all();
  if (korvex::host::live_matrices() != 0 || korvex::fs_used != chunks_before) __builtin_trap();
  return 0;
}
