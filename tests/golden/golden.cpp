// korvex_golden: writes a fixed set of results as text, so that the files written on two hosts
// (little- and big-endian, with and without fused multiply-add) can be compared byte for byte.
// Doubles print with %.17g (they read back exactly), bytes as hex.
#include <cstdio>
#include <string>
#include <vector>

#include "host.h"
#include "korvex.h"

namespace {

using korvex::M;

void print_doubles(std::FILE* out, const char* label, const double* v, std::size_t n) {
  std::fprintf(out, "%s:", label);
  // Non-finite values in one spelling: the C library's text for them differs between hosts.
  for (std::size_t k = 0; k < n; ++k) {
    if (v[k] != v[k])
      std::fprintf(out, " NaN");
    else if (v[k] - v[k] != 0)
      std::fprintf(out, v[k] > 0 ? " Inf" : " -Inf");
    else
      std::fprintf(out, " %.17g", v[k]);
  }
  std::fprintf(out, "\n");
}

struct In {
  std::size_t rows, cols;
  std::vector<double> v;
};

// One gateway call through the stand-in host; prints every output slot or the rejection.
void gateway_call(std::FILE* out, const std::string& label, int nlhs, const std::vector<In>& in) {
  std::vector<const mxArray*> prhs;
  for (const In& a : in) prhs.push_back(korvex::host::new_matrix(a.rows, a.cols, a.v));
  std::vector<mxArray*> plhs(nlhs > 0 ? nlhs : 1);
  const korvex::host::Outcome o = korvex::host::call(mexFunction, nlhs, plhs.data(),
                                                     static_cast<int>(prhs.size()), prhs.data());
  if (o.failed) std::fprintf(out, "%s: rejected: %s\n", label.c_str(), o.message.c_str());
  for (std::size_t k = 0; k < plhs.size(); ++k) {
    if (!plhs[k]) continue;
    const std::string slot = label + " out" + std::to_string(k + 1) + " " +
                             std::to_string(mxGetM(plhs[k])) + "x" +
                             std::to_string(mxGetN(plhs[k]));
    print_doubles(out, slot.c_str(), mxGetPr(plhs[k]), mxGetM(plhs[k]) * mxGetN(plhs[k]));
  }
  korvex::host::release_all();
}

void gateway_section(std::FILE* out) {
  const In x3{3, 1, {1.5, -2.25, 0.1}};
  const In V{3, 2, {1, 0.5, -0.25, 0.3, 0, 2}};
  const In h{1, 2, {1e-5, 3e-7}};
  for (double model : {1.0, 2.0}) {
    const In mod{1, 1, {model}};
    const std::string m = "model " + std::to_string(static_cast<int>(model));
    gateway_call(out, m + " service 1", 1, {{1, 1, {1}}, mod, x3});
    gateway_call(out, m + " service 2", 1, {{1, 1, {2}}, mod, x3, {1, 1, {2}}});
    gateway_call(out, m + " service 3", 2, {{1, 1, {3}}, mod, x3, V, {1, 1, {3}}, h});
    gateway_call(out, m + " service 4", 1, {{1, 1, {4}}, mod, x3, V, h});
  }
}

void random_section(std::FILE* out) {
  for (double seed : {0.0, 1.0, 12345.0, 1e300}) {
    korvex::randM(M<double>("seed"), M<double>(seed));
    korvex::randn(M<double>("seed"), M<double>(seed));
    double u[8], z[8];
    for (int k = 0; k < 8; ++k) u[k] = korvex::randM();
    for (int k = 0; k < 8; ++k) z[k] = korvex::randn();
    std::fprintf(out, "seed %.17g\n", seed);
    print_doubles(out, "  rand", u, 8);
    print_doubles(out, "  randn", z, 8);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::FILE* out = argc > 1 ? std::fopen(argv[1], "w") : stdout;
  if (!out) {
    std::perror(argv[1]);
    return 2;
  }
  gateway_section(out);
  random_section(out);
  return out == stdout ? 0 : (std::fclose(out) == 0 ? 0 : 2);
}
