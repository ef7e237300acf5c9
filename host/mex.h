// mex.h: the stand-in host's MEX interface: the operations the gateway calls, and the gateway's
// entry point as a host sees it. Same names and shapes as a real host's header.
#ifndef KORVEX_HOST_MEX_H
#define KORVEX_HOST_MEX_H

#include <cstddef>

typedef struct korvex_mx_array mxArray;
typedef std::size_t mwSize;
typedef enum { mxREAL = 0 } mxComplexity;  // the stand-in host holds real matrices only

extern "C" {
double* mxGetPr(const mxArray* a);  // real data, column-major
std::size_t mxGetM(const mxArray* a);
std::size_t mxGetN(const mxArray* a);
// A new real rows-by-cols matrix, every element 0.
mxArray* mxCreateDoubleMatrix(mwSize rows, mwSize cols, mxComplexity flag);
// Whether a holds doubles (full or sparse, real or complex), and whether it is sparse. Only a
// full double matrix has real data that mxGetPr can give.
bool mxIsDouble(const mxArray* a);
bool mxIsSparse(const mxArray* a);
// Reports MSG as the call's error and abandons the call; never returns.
[[noreturn]] void mexErrMsgTxt(const char* msg);

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);
}

#endif
