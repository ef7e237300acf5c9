// korvex_mex.cpp: the korvex-mex tool: calls the gateway once (or K times) with matrix literals
// as inputs, as a host would, and prints what the gateway returned.
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "gateway.h"
#include "host.h"
#include "matrix_text.h"

namespace {

const char* const usage_text =
    "usage: korvex-mex [--nargout N] [--repeat K] ARG...\n"
    "       korvex-mex --version\n"
    "Calls the gateway with one input per ARG (none with options alone) and N requested\n"
    "outputs (default 1), K times (default 1), and prints the outputs of the last call. ARG is\n"
    "a real literal: a number (2, -0.5, 1e-5, Inf, -Inf, NaN), a matrix ([1 2; 3 4], [2;-1],\n"
    "[]) or zeros(R,C).\n";

int usage(const std::string& why) {
  std::fprintf(stderr, "korvex-mex: %s\n%s", why.c_str(), usage_text);
  return 2;
}

bool parse_option_count(const char* text, long long lowest, long long& n) {
  char* end = nullptr;
  if (!*text) return false;
  for (const char* c = text; *c; ++c)
    if (*c < '0' || *c > '9') return false;
  n = std::strtoll(text, &end, 10);
  return *end == '\0' && n >= lowest && n <= std::numeric_limits<int>::max();
}

int run(int argc, char** argv) {
  long long nargout = 1, repeat = 1;
  std::vector<std::string> args;
  for (int k = 1; k < argc; ++k) {
    const std::string a = argv[k];
    if (a == "--version") {
      std::printf("%s\n", mexVersion());
      return 0;
    }
    if (a == "--help") {
      std::fputs(usage_text, stdout);
      return 0;
    }
    if (a == "--nargout" || a == "--repeat") {
      if (k + 1 >= argc) return usage(a + " needs a value");
      const bool is_nargout = a == "--nargout";
      if (!parse_option_count(argv[++k], is_nargout ? 0 : 1, is_nargout ? nargout : repeat))
        return usage(a +
                     (is_nargout ? " takes a whole number >= 0" : " takes a whole number >= 1"));
    } else if (a.compare(0, 2, "--") == 0) {
      return usage("unknown option " + a);
    } else {
      args.push_back(a);
    }
  }
  // Bare, the tool shows its usage; with options but no ARG it calls the gateway with no
  // inputs, as a host may, and shows the gateway's answer to that.
  if (argc == 1) return usage("no ARG given");

  std::vector<const mxArray*> inputs;
  for (const std::string& a : args) {
    korvex::host::Literal lit;
    std::string why;
    if (!korvex::host::parse_literal(a, lit, why)) return usage("bad ARG " + a + ": " + why);
    inputs.push_back(korvex::host::new_matrix(lit.rows, lit.cols, lit.values));
  }

  const int nlhs = static_cast<int>(nargout);
  std::vector<mxArray*> outputs(nlhs > 0 ? nlhs : 1, nullptr);
  for (long long call = 0; call < repeat; ++call) {
    // The outputs of every call but the last are dropped, as a caller ignoring them would.
    for (mxArray* out : outputs)
      if (out) korvex::host::destroy_matrix(out);
    const korvex::host::Outcome o = korvex::host::call(
        mexFunction, nlhs, outputs.data(), static_cast<int>(inputs.size()), inputs.data());
    if (o.failed) {
      std::fprintf(stderr, "error: %s\n", o.message.c_str());
      return 1;
    }
  }
  for (std::size_t k = 0; k < outputs.size(); ++k) {
    if (!outputs[k]) continue;
    const std::string text = korvex::host::format_output(
        static_cast<int>(k + 1), mxGetM(outputs[k]), mxGetN(outputs[k]), mxGetPr(outputs[k]));
    std::fputs(text.c_str(), stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int status;
  try {
    status = run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "error: out of memory\n");
    status = 1;
  }
  korvex::host::release_all();
  return status;
}
