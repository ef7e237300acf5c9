// Tests of runtime faults inside a host call: they come back as the call's error, the process
// goes on, and the chunk pool, the calling-convention counts and the host's matrices are as
// before the call.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "call_helpers.h"
#include "gateway.h"

namespace {

// Holds every chunk of a full pool but `spare` free ones (spare < 64), and returns them.
class PoolShortage {
 public:
  explicit PoolShortage(int spare) {
    const int all = korvex::fs_max_blocks * (korvex::fs_block_bytes / korvex::fs_chunk_bytes);
    while (korvex::fs_used < all - spare) held_.push_back(korvex::newFS());
  }
  ~PoolShortage() {
    for (void* p : held_) korvex::deleteFS(p);
  }
  PoolShortage(const PoolShortage&) = delete;
  PoolShortage& operator=(const PoolShortage&) = delete;

 private:
  std::vector<void*> held_;
};

// Model 2 on (2, -1) with extra data: 64 and 1 (the second through the complex power).
bool model2_answer(const Result& r) {
  return !r.failed && r.out[0].v.size() == 2 && r.out[0].v[0] == 64 &&
         std::fabs(r.out[0].v[1] - 1) < 1e-12;
}
const std::vector<Mat> model2_call = {scalar(2), scalar(2), column({2, -1}), scalar(2),
                                      zeros(2, 3)};

// With k free chunks left, model 2 runs out of chunks at its (k+1)-th block, wherever in the
// evaluation that is; from some k on it has enough. Every failure must unwind completely.
TEST(RuntimeFault, OutOfChunksAtEveryAllocationComesBackAndReturnsEveryChunk) {
  korvex::nargin = 3.5;
  korvex::nargout = 2.5;
  int first_success = -1;
  for (int spare = 0; spare < 48; ++spare) {
    Result r;
    {
      const PoolShortage shortage(spare);
      const int before = korvex::fs_used;
      r = call(1, model2_call);
      EXPECT_EQ(korvex::fs_used, before) << spare;
    }
    if (r.failed) {
      EXPECT_EQ(r.message, "FS:Out of chunks");
      EXPECT_EQ(first_success, -1) << "failed with " << spare << " spare chunks";
    } else {
      EXPECT_TRUE(model2_answer(r)) << spare;
      if (first_success < 0) first_success = spare;
    }
    EXPECT_EQ(korvex::fault_handler, nullptr);
    EXPECT_TRUE(korvex::nargin == 3.5 && korvex::nargout == 2.5);
    EXPECT_EQ(korvex::host::live_matrices(), 0u);
    EXPECT_TRUE(model2_answer(call(1, model2_call)));
  }
  EXPECT_GT(first_success, 4) << "the failures should reach into the evaluation";
  korvex::nargin = korvex::nargout = 0;
}

// Outside a host call a fault still prints and ends the process.
TEST(RuntimeFault, OutsideAHostCallEndsTheProcess) {
  double x[] = {1, 2}, f[2];
  EXPECT_EXIT(
      {
        const PoolShortage shortage(0);
        korvex::val_getfun2(x, 2, f, 2, nullptr, 0, 0);
      },
      testing::ExitedWithCode(1), "^error: FS:Out of chunks\n$");
}

// AddressSanitizer reserves far more address space than any limit would leave, and an emulator
// does not apply the limit; both builds leave this test out.
#if !defined(__SANITIZE_ADDRESS__) && !defined(KORVEX_NO_ADDRESS_LIMIT)
// The process's address space in bytes, from /proc.
double address_space() {
  std::ifstream status("/proc/self/status");
  for (std::string key; status >> key;) {
    double kb = 0;
    if (key == "VmSize:" && status >> kb) return kb * 1024;
  }
  return 0;
}

// Extra data of 8 Mi values (64 MiB): under the limit the host's input and the gateway's
// copy of it fit, and model 1, which needs nothing more, succeeds; model 2's own copy does not.
int out_of_memory_then_ten_calls() {
  const Mat extra = zeros(8 << 20, 1);
  const std::vector<Mat> in1 = {scalar(2), scalar(1), column({1, 2}), scalar(2), extra};
  const std::vector<Mat> in2 = {scalar(2), scalar(2), column({1, 2}), scalar(2), extra};
  const double limit = address_space() + 5 * (32 << 20);
  const rlimit as = {static_cast<rlim_t>(limit), RLIM_INFINITY};
  if (address_space() == 0 || setrlimit(RLIMIT_AS, &as) != 0) return 2;
  const int chunks = korvex::fs_used;
  const Result model1 = call(1, in1);
  const Result model2 = call(1, in2);
  if (model1.failed || model2.message != "Out of memory" || korvex::fs_used != chunks) return 3;
  for (int k = 0; k < 10; ++k)
    if (!model2_answer(call(1, model2_call))) return 4;
  return korvex::fs_used == chunks && korvex::host::live_matrices() == 0 ? 0 : 5;
}

TEST(RuntimeFault, OutOfMemoryInModel2ComesBackAndTheProcessGoesOn) {
  EXPECT_EXIT(std::exit(out_of_memory_then_ten_calls()), testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
