// Tests of the stand-in host's call of a gateway: what it frees afterwards, and abandoned calls.
#include <gtest/gtest.h>

#include "host.h"

namespace {

namespace kh = korvex::host;

bool returned_after_error = false;

// Fills slot 1 and makes a second matrix that it leaves out of the slots.
void gateway_that_succeeds(int, mxArray* plhs[], int, const mxArray*[]) {
  plhs[0] = mxCreateDoubleMatrix(2, 2, mxREAL);
  mxCreateDoubleMatrix(1, 1, mxREAL);
}

void gateway_that_fails(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  gateway_that_succeeds(nlhs, plhs, nrhs, prhs);
  mexErrMsgTxt("Something Went Wrong");
  returned_after_error = true;
}

TEST(Host, CallKeepsTheFilledSlotsAndAnAbandonedCallNothing) {
  const mxArray* in[] = {kh::new_matrix(1, 1, {4})};
  mxArray* out[1];
  kh::Outcome o = kh::call(gateway_that_succeeds, 1, out, 1, in);
  EXPECT_FALSE(o.failed);
  EXPECT_EQ(kh::live_matrices(), 2u);  // the input and out[0]
  kh::destroy_matrix(out[0]);

  o = kh::call(gateway_that_fails, 1, out, 1, in);
  EXPECT_TRUE(o.failed);
  EXPECT_EQ(o.message, "Something Went Wrong");
  EXPECT_FALSE(returned_after_error);
  EXPECT_EQ(out[0], nullptr);
  EXPECT_EQ(kh::live_matrices(), 1u);  // the input only
  kh::release_all();
}

}  // namespace
