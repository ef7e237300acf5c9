// host.h: the stand-in host's own side: its matrices, the registry that owns them, and the call
// of a gateway with the clean-up a host does after it.
#ifndef KORVEX_HOST_HOST_H
#define KORVEX_HOST_HOST_H

#include <cstddef>
#include <string>
#include <vector>

#include "mex.h"

namespace korvex::host {

// What a host matrix holds. The stand-in keeps the values of full double matrices only; the
// others stand for a real host's sparse, integer, logical, single or char arrays, whose
// storage is no array of doubles, and hold none (mxGetPr gives null).
enum class Kind { full_double, sparse_double, other_class };

}  // namespace korvex::host

// A host matrix: column-major. Only the registry creates and destroys them.
struct korvex_mx_array {
  std::size_t rows = 0;
  std::size_t cols = 0;
  std::vector<double> re;  // rows*cols values for a full double matrix, else empty
  korvex::host::Kind kind = korvex::host::Kind::full_double;
};

namespace korvex::host {

// A zero-filled rows-by-cols matrix, owned by the registry (what mxCreateDoubleMatrix returns).
mxArray* new_matrix(std::size_t rows, std::size_t cols);
// A matrix holding VALUES (column-major, rows*cols of them).
mxArray* new_matrix(std::size_t rows, std::size_t cols, const std::vector<double>& values);
// A rows-by-cols matrix of another kind, holding no doubles.
mxArray* new_matrix(std::size_t rows, std::size_t cols, Kind kind);
void destroy_matrix(mxArray* a);  // a must come from the registry
void release_all();               // destroys every matrix the registry holds
std::size_t live_matrices();
std::size_t matrices_created();  // since the process started

using Gateway = void (*)(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

struct Outcome {
  bool failed = false;
  std::string message;  // the mexErrMsgTxt text when failed
};

// Calls GATEWAY as a host does. PLHS must have max(nlhs, 1) slots; they are cleared first.
// Afterwards every matrix created during the call and not left in a slot is destroyed; after a
// failed call all of them are, and every slot is null again.
Outcome call(Gateway gateway, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

}  // namespace korvex::host

#endif
