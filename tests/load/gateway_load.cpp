// gateway_load: one stand-in host process serves many random gateway calls, valid and malformed
// (input counts, shapes, values and output counts all drawn at random from a fixed seed).
// Every call must either answer or be rejected; afterwards the host holds no matrix and the
// chunk pool is back to empty. Under AddressSanitizer the leak check runs at exit.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "host.h"
#include "korvex.h"

namespace {

std::mt19937_64 rng(20261206);

int draw(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

// Mostly small ordinary values, sometimes the awkward ones a caller may pass.
double value() {
  switch (draw(0, 9)) {
    case 0: return std::nan("");
    case 1: return draw(0, 1) ? HUGE_VAL : -HUGE_VAL;
    case 2: return static_cast<double>(draw(-3, 12));
    case 3: return draw(0, 1) ? 1e-300 : -0.0;
    default: return std::uniform_real_distribution<double>(-4, 4)(rng);
  }
}

mxArray* random_matrix(int n) {
  // Shapes near the ones a service expects (n rows), plus empty and odd ones.
  const int rows = draw(0, 3) == 0 ? draw(0, 3) : n;
  const int cols = draw(0, 3) == 0 ? draw(0, 3) : draw(1, 3);
  std::vector<double> v(static_cast<std::size_t>(rows) * cols);
  for (double& x : v) x = value();
  return korvex::host::new_matrix(rows, cols, v);
}

mxArray* scalar(double d) { return korvex::host::new_matrix(1, 1, {d}); }

struct Tally {
  long answered = 0, rejected = 0;
};

void one_call(Tally& t) {
  const int n = draw(1, 6);
  const int nrhs = draw(0, 8);
  std::vector<const mxArray*> prhs;
  for (int k = 0; k < nrhs; ++k) {
    if (k == 0) prhs.push_back(draw(0, 9) ? scalar(draw(0, 5)) : random_matrix(1));
    else if (k == 1) prhs.push_back(draw(0, 9) ? scalar(draw(0, 3)) : random_matrix(1));
    else if (k == 4 && draw(0, 1)) prhs.push_back(scalar(draw(-1, n + 1)));  // m
    else prhs.push_back(random_matrix(n));
  }
  const int nlhs = draw(0, 3);
  std::vector<mxArray*> plhs(nlhs > 0 ? nlhs : 1);
  const korvex::host::Outcome o =
      korvex::host::call(mexFunction, nlhs, plhs.data(), nrhs, prhs.data());
  ++(o.failed ? t.rejected : t.answered);
  korvex::host::release_all();
}

}  // namespace

int main(int argc, char** argv) {
  const long calls = argc > 1 ? std::atol(argv[1]) : 1000000;
  Tally t;
  // The runtime's global matrices hold chunks of their own from static start-up on.
  const int chunks_before = korvex::fs_used;
  for (long k = 0; k < calls; ++k) one_call(t);
  std::printf("%ld calls: %ld answered, %ld rejected; host matrices left %zu, pool chunks %d "
              "before and %d after\n",
              calls, t.answered, t.rejected, korvex::host::live_matrices(), chunks_before,
              korvex::fs_used);
  const bool clean = korvex::host::live_matrices() == 0 && korvex::fs_used == chunks_before &&
                     t.answered > 0 && t.rejected > 0;
  return clean ? 0 : 1;
}
