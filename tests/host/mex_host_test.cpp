// Tests of the stand-in host's MEX operations, its registry and its call of a gateway.
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

void gateway_that_keeps_one(int nlhs, mxArray* plhs[], int, const mxArray* prhs[]) {
  mxArray* kept = mxCreateDoubleMatrix(3, 2, mxREAL);
  mxArray* dropped = mxCreateDoubleMatrix(5, 5, mxREAL);
  mxGetPr(kept)[5] = mxGetPr(prhs[0])[0];
  mxGetPr(dropped)[0] = 1;
  plhs[nlhs > 1 ? 1 : 0] = kept;
}

TEST(Host, CreatesZeroFilledMatricesOfAnyShape) {
  for (auto [r, c] : {std::pair<int, int>{3, 4}, {0, 0}, {2, 0}, {0, 7}, {1, 1}}) {
    mxArray* a = mxCreateDoubleMatrix(r, c, mxREAL);
    EXPECT_EQ(mxGetM(a), std::size_t(r));
    EXPECT_EQ(mxGetN(a), std::size_t(c));
    for (int k = 0; k < r * c; ++k) EXPECT_EQ(mxGetPr(a)[k], 0.0);
  }
  const mxArray* b = kh::new_matrix(2, 2, {1, 2, 3, 4});
  EXPECT_EQ(mxGetPr(b)[2], 3.0);  // column-major: (1,2)
  kh::release_all();
  EXPECT_EQ(kh::live_matrices(), 0u);
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

TEST(Host, KeepsOnlyTheMatricesLeftInSlots) {
  const mxArray* in[] = {kh::new_matrix(1, 1, {4})};
  for (int nlhs : {0, 1, 2}) {
    mxArray* out[2] = {reinterpret_cast<mxArray*>(&nlhs), reinterpret_cast<mxArray*>(&nlhs)};
    const kh::Outcome o = kh::call(gateway_that_keeps_one, nlhs, out, 1, in);
    ASSERT_FALSE(o.failed);
    mxArray* kept = out[nlhs > 1 ? 1 : 0];
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(mxGetPr(kept)[5], 4.0);
    if (nlhs > 1) {
      EXPECT_EQ(out[0], nullptr);  // slots start cleared
    }
    EXPECT_EQ(kh::live_matrices(), 2u) << nlhs;
    kh::destroy_matrix(kept);
  }
  kh::release_all();
}

}  // namespace
