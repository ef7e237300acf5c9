// Tests of the stand-in host's call of a gateway: an abandoned call. Zero-filled outputs and the
// freeing of matrices a call leaves out of its slots show in the gateway's tests.
#include <gtest/gtest.h>

#include "host.h"

namespace {

namespace kh = korvex::host;

bool returned_after_error = false;

void gateway_that_fails(int, mxArray* plhs[], int, const mxArray*[]) {
  plhs[0] = mxCreateDoubleMatrix(2, 2, mxREAL);
  mxCreateDoubleMatrix(1, 1, mxREAL);
  mexErrMsgTxt("Something Went Wrong");
  returned_after_error = true;
}

TEST(Host, AbandonedCallNeverReturnsToTheGatewayAndFreesWhatItMade) {
  const mxArray* in[] = {kh::new_matrix(1, 1, {4})};
  mxArray* out[1] = {nullptr};
  const kh::Outcome o = kh::call(gateway_that_fails, 1, out, 1, in);
  EXPECT_TRUE(o.failed);
  EXPECT_EQ(o.message, "Something Went Wrong");
  EXPECT_FALSE(returned_after_error);
  EXPECT_EQ(out[0], nullptr);
  EXPECT_EQ(kh::live_matrices(), 1u);  // the input only
  kh::release_all();
}

}  // namespace
