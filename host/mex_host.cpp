// mex_host.cpp: the stand-in host's five MEX operations, its matrix registry and its call.
#include "host.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

// mexErrMsgTxt must never return to the gateway. It throws this, and call() catches it: unlike
// longjmp, unwinding runs the destructors of whatever the gateway's frames hold, and a real host
// abandons a call the same way. The gateway itself allocates nothing before its checks.
struct Abandoned {
  std::string message;
};

// Every live matrix, in creation order; call() relies on the order to find the matrices one call
// created.
std::vector<std::unique_ptr<korvex_mx_array>>& registry() {
  static std::vector<std::unique_ptr<korvex_mx_array>> all;
  return all;
}
std::size_t created_count = 0;

void destroy_from(std::size_t first, mxArray* const keep[], int nkeep) {
  auto& all = registry();
  std::size_t out = first;
  for (std::size_t k = first; k < all.size(); ++k) {
    if (std::find(keep, keep + nkeep, all[k].get()) != keep + nkeep) all[out++] = std::move(all[k]);
  }
  all.resize(out);
}

}  // namespace

namespace korvex::host {

mxArray* new_matrix(std::size_t rows, std::size_t cols) {
  auto a = std::make_unique<korvex_mx_array>();
  a->rows = rows;
  a->cols = cols;
  a->re.assign(rows * cols, 0.0);
  registry().push_back(std::move(a));
  ++created_count;
  return registry().back().get();
}

mxArray* new_matrix(std::size_t rows, std::size_t cols, const std::vector<double>& values) {
  mxArray* a = new_matrix(rows, cols);
  std::copy_n(values.begin(), std::min(values.size(), a->re.size()), a->re.begin());
  return a;
}

mxArray* new_matrix(std::size_t rows, std::size_t cols, Kind kind) {
  mxArray* a = new_matrix(0, 0);
  a->rows = rows;
  a->cols = cols;
  a->kind = kind;
  return a;
}

void destroy_matrix(mxArray* a) {
  auto& all = registry();
  auto it = std::find_if(all.begin(), all.end(), [a](const auto& p) { return p.get() == a; });
  if (it != all.end()) all.erase(it);
}

void release_all() { registry().clear(); }

std::size_t live_matrices() { return registry().size(); }
std::size_t matrices_created() { return created_count; }

Outcome call(Gateway gateway, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const int nslots = std::max(nlhs, 1);
  std::fill(plhs, plhs + nslots, nullptr);
  const std::size_t first = registry().size();
  Outcome outcome;
  try {
    gateway(nlhs, plhs, nrhs, prhs);
  } catch (const Abandoned& a) {
    outcome = {true, a.message};
  } catch (const std::bad_alloc&) {
    outcome = {true, "out of memory"};
  }
  if (outcome.failed) std::fill(plhs, plhs + nslots, nullptr);
  destroy_from(first, plhs, nslots);
  return outcome;
}

}  // namespace korvex::host

extern "C" {

// Null for a matrix that holds no doubles, so a gateway that reads one faults at once.
double* mxGetPr(const mxArray* a) {
  return a->kind == korvex::host::Kind::full_double ? const_cast<double*>(a->re.data()) : nullptr;
}
bool mxIsDouble(const mxArray* a) { return a->kind != korvex::host::Kind::other_class; }
bool mxIsSparse(const mxArray* a) { return a->kind == korvex::host::Kind::sparse_double; }
std::size_t mxGetM(const mxArray* a) { return a->rows; }
std::size_t mxGetN(const mxArray* a) { return a->cols; }

mxArray* mxCreateDoubleMatrix(mwSize rows, mwSize cols, mxComplexity) {
  return korvex::host::new_matrix(rows, cols);
}

void mexErrMsgTxt(const char* msg) { throw Abandoned{msg ? msg : ""}; }

}  // extern "C"
