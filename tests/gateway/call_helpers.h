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
  korvex::host::Kind kind = korvex::host::Kind::full_double;
};

inline Mat scalar(double d) { return {1, 1, {d}}; }
inline Mat column(std::vector<double> v) { return {v.size(), 1, v}; }
inline Mat row(std::vector<double> v) { return {1, v.size(), v}; }
inline Mat zeros(std::size_t r, std::size_t c) { return {r, c, std::vector<double>(r * c, 0.0)}; }
// A matrix of another kind than full double: it holds no doubles for the gateway to read.
inline Mat holding_no_doubles(korvex::host::Kind kind, std::size_t r, std::size_t c) {
  return {r, c, {}, kind};
}
inline std::string dims(const Mat& a) {
  return std::to_string(a.rows) + "x" + std::to_string(a.cols);
}

struct Result {
  bool failed = false;
  std::string message;
  std::vector<Mat> out;     // one per slot; 0x0 where the slot stayed null
  std::size_t created = 0;  // matrices the call created
};

// One call with nlhs outputs; the slot array has max(nlhs, 1) entries, as hosts give it.
inline Result call(int nlhs, const std::vector<Mat>& in) {
  std::vector<const mxArray*> prhs;
  for (const Mat& m : in)
    prhs.push_back(m.kind == korvex::host::Kind::full_double
                       ? korvex::host::new_matrix(m.rows, m.cols, m.v)
                       : korvex::host::new_matrix(m.rows, m.cols, m.kind));
  std::vector<mxArray*> plhs(nlhs > 0 ? nlhs : 1);
  const std::size_t before = korvex::host::matrices_created();
  const korvex::host::Outcome o = korvex::host::call(mexFunction, nlhs, plhs.data(),
                                                     static_cast<int>(prhs.size()), prhs.data());
  Result r{o.failed, o.message, {}, korvex::host::matrices_created() - before};
  for (mxArray* a : plhs) r.out.push_back(a ? Mat{mxGetM(a), mxGetN(a), a->re} : Mat{});
  korvex::host::release_all();
  return r;
}

// The bit patterns, so that comparisons tell -0 from 0 and the last bit counts.
inline std::vector<std::uint64_t> bits(const std::vector<double>& v) {
  std::vector<std::uint64_t> b(v.size());
  for (std::size_t k = 0; k < v.size(); ++k) std::memcpy(&b[k], &v[k], sizeof(double));
  return b;
}

// The rule of services 3 and 4 written out: column k is (F(x + h[k]*V(:,k)) - F(x)) / h[k], the
// trial point rounded as a product, then a sum.
template <class F>
std::vector<double> differences(F f, const std::vector<double>& x, const Mat& V,
                                const std::vector<double>& h) {
  const std::vector<double> f0 = f(x);
  std::vector<double> D, xp(x.size());
  for (std::size_t k = 0; k < V.cols; ++k) {
    for (std::size_t i = 0; i < x.size(); ++i) xp[i] = V.v[k * x.size() + i] * h[k] + x[i];
    const std::vector<double> f1 = f(xp);
    for (std::size_t i = 0; i < f0.size(); ++i) D.push_back((f1[i] - f0[i]) / h[k]);
  }
  return D;
}

#endif
