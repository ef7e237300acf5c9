// gateway.cpp: the module's entry points: mexFunction with its four services (a function value,
// function values, directional differences, Hessian-times-direction products) and mexVersion.
// Besides mxGetPr, mxGetM, mxGetN, mxCreateDoubleMatrix and mexErrMsgTxt only mxIsDouble and
// mxIsSparse are used, so this source builds unchanged against the stand-in host's mex.h and
// against a real host's.
#include "mex.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>

#include "../runtime/common/rules.h"
#include "gateway.h"

static const char* version_text = "MATLAB 5.0 native";

extern "C" const char* mexVersion(void) { return version_text; }

namespace {

using korvex::val_proc;

// The step of service 4's coordinate differences: the double nearest to 1e-05.
constexpr double coord_step = 1e-05;

// Messages of the checks that keep every read inside the inputs a call supplies.
const char* const msg_no_service = "Service Number Required";
const char* const msg_service_empty = "Service Number Must Not Be Empty";
const char* const msg_model_empty = "Model Number Must Not Be Empty";
const char* const msg_m_empty = "m Must Not Be Empty";
const char* const msg_m_negative = "m Must Not Be Negative";
const char* const msg_m_exceeds_n = "m Must Not Exceed n";
const char* const msg_x_empty = "x Must Not Be Empty";
const char* const msg_x_short = "x Must Hold At Least n Values";
const char* const msg_h_missing = "Step Vector h Required";
const char* const msg_h_short = "h Must Hold At Least p Values";
const char* const msg_too_large = "Input Too Large";
const char* const msg_model2_x_large = "Model 2 Takes At Most 268435438 Values In x";
const char* const msg_model2_extra_large = "Model 2 Takes At Most 268435438 Extra Values";
const char* const msg_not_full_double = "Inputs Must Be Full Double Matrices";

std::size_t count_of(const mxArray* a) { return mxGetM(a) * mxGetN(a); }

// Sizes reach the evaluator as ints; every input is first checked to have fewer than INT_MAX
// elements, after which these conversions are exact.
int rows_of(const mxArray* a) { return static_cast<int>(mxGetM(a)); }
int cols_of(const mxArray* a) { return static_cast<int>(mxGetN(a)); }

// Only full double matrices are read as arrays of doubles: the storage of a sparse, integer,
// logical, single or char input is something else, and reading it as doubles runs past its end.
// A complex double passes; its real part is what mxGetPr gives.
bool full_double(const mxArray* a) { return mxIsDouble(a) && !mxIsSparse(a); }

const char* not_full_double(const mxArray* const prhs[], int count) {
  for (int k = 0; k < count; ++k)
    if (!full_double(prhs[k])) return msg_not_full_double;
  return nullptr;
}

const char* too_large(const mxArray* const prhs[], int count) {
  for (int k = 0; k < count; ++k) {
    const std::size_t r = mxGetM(prhs[k]), c = mxGetN(prhs[k]);
    if (r > INT_MAX || c > INT_MAX || r * c > INT_MAX) return msg_too_large;
  }
  return nullptr;
}

// A scalar input is its first element truncated toward zero (2.9 gives 2, -0.7 gives 0). C++
// leaves the conversion of NaN and of values beyond int undefined: NaN reads as 0, and larger
// magnitudes saturate at INT_MIN and INT_MAX.
int scalar_of(const mxArray* a) { return korvex::rules::trunc_to_int(mxGetPr(a)[0]); }

// m must be readable, at least 0 and at most n: model 1 reads x up to index m-1, model 2 all
// of x's n values, and the trial points hold n values.
const char* check_m(const mxArray* m_input, std::size_t n) {
  if (count_of(m_input) == 0) return msg_m_empty;
  const int m = scalar_of(m_input);
  if (m < 0) return msg_m_negative;
  if (static_cast<std::size_t>(m) > n) return msg_m_exceeds_n;
  return nullptr;
}

// Model 2 runs on the matrix runtime, whose faults end the process - here the host's. Its
// matrices hold at most max_matrix_elements values: the point, and the extra data as one column.
// (m <= n, checked with the other sizes, keeps its reads of the result inside the result.)
const char* check_model2(const mxArray* model, std::size_t n, const mxArray* extra) {
  if (scalar_of(model) != 2) return nullptr;
  if (n > static_cast<std::size_t>(korvex::max_matrix_elements)) return msg_model2_x_large;
  if (extra && count_of(extra) > static_cast<std::size_t>(korvex::max_matrix_elements))
    return msg_model2_extra_large;
  return nullptr;
}

// Argument checks: the first failing condition's message, or null. The checks of the interface
// table come first, in its order and with its messages; the ones after them reject calls that
// would read past an input, starting with the class of every input the service reads. All of
// them run before anything is allocated or created.
const char* check_service1(int nrhs, const mxArray* prhs[]) {
  if (nrhs <= 2) return "At Least 2 Input Arguments Required";
  if (const char* e = not_full_double(prhs, std::min(nrhs, 4))) return e;
  if (const char* e = too_large(prhs, std::min(nrhs, 4))) return e;
  if (count_of(prhs[1]) == 0) return msg_model_empty;
  if (mxGetM(prhs[2]) == 0) return msg_x_empty;  // the one component needs n >= 1
  if (count_of(prhs[2]) < mxGetM(prhs[2])) return msg_x_short;
  return check_model2(prhs[1], mxGetM(prhs[2]), nrhs == 4 ? prhs[3] : nullptr);
}

const char* check_service2(int nlhs, int nrhs, const mxArray* prhs[]) {
  if (nrhs <= 2) return "At Least 2 Input Arguments Required";
  if (nrhs > 5) return "Takes <= 3 Input Arguments";
  if (nlhs != 1) return "funcvalJ takes one output Argument";
  if (const char* e = not_full_double(prhs, nrhs)) return e;
  if (const char* e = too_large(prhs, nrhs)) return e;
  if (count_of(prhs[1]) == 0) return msg_model_empty;
  const std::size_t n = mxGetM(prhs[2]);
  if (nrhs >= 4)
    if (const char* e = check_m(prhs[3], n)) return e;
  if (count_of(prhs[2]) < n) return msg_x_short;
  return check_model2(prhs[1], n, nrhs == 5 ? prhs[4] : nullptr);
}

const char* check_service3(int nlhs, int nrhs, const mxArray* prhs[]) {
  if (nrhs <= 3) return "At Least 3 Input Arguments Required";
  if (nrhs > 6) return "Takes <=4 Input Arguments";
  if (nlhs > 2) return "FDapprox takes <=2 Output Argument";
  if (const char* e = not_full_double(prhs, nrhs)) return e;
  if (nrhs < 6) return msg_h_missing;
  if (const char* e = too_large(prhs, nrhs)) return e;
  if (count_of(prhs[1]) == 0) return msg_model_empty;
  const std::size_t n = mxGetM(prhs[3]), p = mxGetN(prhs[3]);
  if (nrhs > 4)
    if (const char* e = check_m(prhs[4], n)) return e;
  if (count_of(prhs[2]) < n) return msg_x_short;
  if (count_of(prhs[5]) < p) return msg_h_short;
  return check_model2(prhs[1], n, nullptr);  // extra data never reaches service 3
}

const char* check_service4(int nlhs, int nrhs, const mxArray* prhs[]) {
  if (nrhs <= 3) return "At Least 3 Input Arguments Required";
  if (nlhs > 2) return "FDapprox takes <=2 Output Argument";
  if (const char* e = not_full_double(prhs, std::min(nrhs, 6))) return e;
  if (nrhs < 5) return msg_h_missing;
  if (const char* e = too_large(prhs, std::min(nrhs, 6))) return e;
  if (count_of(prhs[1]) == 0) return msg_model_empty;
  const std::size_t n = mxGetM(prhs[3]), p = mxGetN(prhs[3]);
  if (count_of(prhs[2]) < n) return msg_x_short;
  if (count_of(prhs[4]) < p) return msg_h_short;
  return check_model2(prhs[1], n, nrhs == 6 ? prhs[5] : nullptr);
}

// The optional extra data: a column-by-column copy owned by the gateway for one call; null with
// r = q = 0 when the call passes none.
struct Extra {
  std::unique_ptr<double[]> data;
  int r = 0;
  int q = 0;
};

Extra copy_extra(const mxArray* a) {
  Extra e;
  e.r = rows_of(a);
  e.q = cols_of(a);
  const std::size_t count = count_of(a);
  e.data.reset(new double[count]);
  std::copy_n(mxGetPr(a), count, e.data.get());
  return e;
}

// Service 1: the first component of F(x), as a 1-by-1 matrix.
void service1(int nrhs, mxArray* plhs[], const mxArray* prhs[]) {
  const int model = scalar_of(prhs[1]);
  const int n = rows_of(prhs[2]);
  Extra extra;
  if (nrhs == 4) extra = copy_extra(prhs[3]);
  plhs[0] = mxCreateDoubleMatrix(1, 1, mxREAL);
  val_proc(model, mxGetPr(prhs[2]), mxGetPr(plhs[0]), 1, n, extra.data.get(), extra.r, extra.q);
}

// Service 2: the first m components of F(x), as an m-by-1 column.
void service2(int nrhs, mxArray* plhs[], const mxArray* prhs[]) {
  const int model = scalar_of(prhs[1]);
  const int n = rows_of(prhs[2]);
  const int m = nrhs == 3 ? n : scalar_of(prhs[3]);
  Extra extra;
  if (nrhs == 5) extra = copy_extra(prhs[4]);
  plhs[0] = mxCreateDoubleMatrix(m, 1, mxREAL);
  val_proc(model, mxGetPr(prhs[2]), mxGetPr(plhs[0]), m, n, extra.data.get(), extra.r, extra.q);
}

// Service 3: F(x) and the forward differences D(:,k) = (F(x + h[k]*V(:,k)) - F(x)) / h[k].
void service3(int nlhs, int nrhs, mxArray* plhs[], const mxArray* prhs[]) {
  const double* V = mxGetPr(prhs[3]);
  const int n = rows_of(prhs[3]), p = cols_of(prhs[3]);
  const int m = nrhs > 4 ? scalar_of(prhs[4]) : n;
  const double* h = mxGetPr(prhs[5]);
  Extra extra;
  if (nrhs == 7) extra = copy_extra(prhs[6]);  // unreachable while the checks cap nrhs at 6
  const int model = scalar_of(prhs[1]);
  double* x = mxGetPr(prhs[2]);

  // D is always created, but it goes into slot 2 only when the caller asked for two outputs: a
  // host need not give the slot array room for more. The host frees a matrix left out of the
  // slots when the call ends.
  mxArray* d_out = mxCreateDoubleMatrix(m, p, mxREAL);
  if (nlhs >= 2) plhs[1] = d_out;
  double* D = mxGetPr(d_out);
  // Zero-filled so that a model number that evaluates nothing gives zeros, not stale memory.
  std::unique_ptr<double[]> f0(new double[m]()), f1(new double[m]()), xp(new double[n]);
  double* e = extra.data.get();

  val_proc(model, x, f0.get(), m, n, e, extra.r, extra.q);
  for (int k = 0; k < p; ++k) {
    const double hk = h[k];
    const double* v = V + static_cast<std::size_t>(k) * n;
    for (int i = 0; i < n; ++i) xp[i] = v[i] * hk + x[i];  // the product, then the sum
    val_proc(model, xp.get(), f1.get(), m, n, e, extra.r, extra.q);
    double* d = D + static_cast<std::size_t>(k) * m;
    for (int i = 0; i < m; ++i) d[i] = (f1[i] - f0[i]) / hk;
  }

  plhs[0] = mxCreateDoubleMatrix(m, 1, mxREAL);
  std::copy_n(f0.get(), m, mxGetPr(plhs[0]));
  f1.reset();
  f0.reset();
  xp.reset();
}

// Service 4: H(:,k) = (g(x + h[k]*V(:,k)) - g(x)) / h[k], g the forward-difference gradient of
// the first component f of F, evaluated with m = n.
void service4(int nrhs, mxArray* plhs[], const mxArray* prhs[]) {
  const double* V = mxGetPr(prhs[3]);
  const int n = rows_of(prhs[3]), p = cols_of(prhs[3]);
  const double* h = mxGetPr(prhs[4]);
  Extra extra;
  if (nrhs == 6) extra = copy_extra(prhs[5]);
  const int model = scalar_of(prhs[1]);
  const double* x = mxGetPr(prhs[2]);

  plhs[0] = mxCreateDoubleMatrix(n, p, mxREAL);
  double* H = mxGetPr(plhs[0]);
  std::unique_ptr<double[]> xw(new double[n]), g(new double[n]), G0(new double[n]);
  // f is the buffer's first element even when n = 0, so the buffer holds at least one; it is
  // zero-filled so that a model number that evaluates nothing reads f = 0.
  std::unique_ptr<double[]> fbuf(new double[std::max(n, 1)]());
  double* e = extra.data.get();
  auto f = [&]() {
    val_proc(model, xw.get(), fbuf.get(), n, n, e, extra.r, extra.q);
    return fbuf[0];
  };
  // The coordinate is restored from the saved value, not by subtracting the step: t + s - s
  // need not give t back.
  auto gradient = [&](double b, double* grad) {
    for (int i = 0; i < n; ++i) {
      const double t = xw[i];
      xw[i] = t + coord_step;
      const double a = f();
      xw[i] = t;
      grad[i] = (a - b) / coord_step;
    }
  };

  std::copy_n(x, n, xw.get());
  gradient(f(), G0.get());
  for (int k = 0; k < p; ++k) {
    const double hk = h[k];
    const double* v = V + static_cast<std::size_t>(k) * n;
    for (int i = 0; i < n; ++i) xw[i] = v[i] * hk + x[i];
    gradient(f(), g.get());
    double* Hk = H + static_cast<std::size_t>(k) * n;
    for (int i = 0; i < n; ++i) Hk[i] = (g[i] - G0[i]) / hk;
  }
  g.reset();
  G0.reset();
  xw.reset();
}

// ============================================================================================
// Runtime faults during a call
// ============================================================================================

// The runtime reports every fault through error(), which ends the process: inside the module,
// the host's. So while a service runs, the runtime's fault handler is raise_fault, and error()
// throws RuntimeFault instead, the module's one exception. Unwinding runs the destructors of
// every frame between the fault and serve(): model 2's matrices give their blocks and pool
// chunks back, its calling convention restores nargin and nargout, the gateway's buffers are
// freed. serve() catches it, uninstalls the handler and hands the message on; mexFunction
// reports it through mexErrMsgTxt, which abandons the call, and the host frees the outputs
// created so far. Nothing is thrown on the normal path (the handler is a pointer test in
// error()), and outside a call error() still prints and exits. A fault inside a destructor (only
// a corrupted share count reports one) cannot unwind and still ends the process.
struct RuntimeFault {
  char message[200];  // as long as the runtime's own message buffer
};

[[noreturn]] void raise_fault(const char* msg) {
  RuntimeFault fault;
  std::snprintf(fault.message, sizeof fault.message, "%s", msg);
  throw fault;
}

// The message of the last fault, kept past serve() for mexErrMsgTxt (which may leave the
// call by a long jump, so nothing on the stack must still need destroying).
char fault_message[sizeof RuntimeFault::message];

// Installs raise_fault for its lifetime.
class FaultHandlerScope {
 public:
  FaultHandlerScope() : saved_(korvex::fault_handler) { korvex::fault_handler = raise_fault; }
  ~FaultHandlerScope() { korvex::fault_handler = saved_; }
  FaultHandlerScope(const FaultHandlerScope&) = delete;
  FaultHandlerScope& operator=(const FaultHandlerScope&) = delete;

 private:
  korvex::fault_handler_fn saved_;
};

// Runs a service whose checks have passed. Returns null, or the message of a runtime fault or
// of a failed allocation of the gateway's own buffers.
const char* serve(int service, int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  const char* failure = nullptr;
  try {
    const FaultHandlerScope scope;
    switch (service) {
      case 1:
        service1(nrhs, plhs, prhs);
        break;
      case 2:
        service2(nrhs, plhs, prhs);
        break;
      case 3:
        service3(nlhs, nrhs, plhs, prhs);
        break;
      default:
        service4(nrhs, plhs, prhs);
        break;
    }
  } catch (const RuntimeFault& fault) {
    std::snprintf(fault_message, sizeof fault_message, "%s", fault.message);
    failure = fault_message;
  } catch (const std::bad_alloc&) {
    failure = "Out of memory";  // the runtime's own message for it
  }
  return failure;
}

}  // namespace

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nrhs < 1) return mexErrMsgTxt(msg_no_service);
  if (!full_double(prhs[0])) return mexErrMsgTxt(msg_not_full_double);
  if (count_of(prhs[0]) == 0) return mexErrMsgTxt(msg_service_empty);
  const int service = scalar_of(prhs[0]);
  const char* rejected;
  switch (service) {
    case 1:
      rejected = check_service1(nrhs, prhs);
      break;
    case 2:
      rejected = check_service2(nlhs, nrhs, prhs);
      break;
    case 3:
      rejected = check_service3(nlhs, nrhs, prhs);
      break;
    case 4:
      rejected = check_service4(nlhs, nrhs, prhs);
      break;
    default:
      return;  // any other service number: nothing done, no message
  }
  if (rejected) return mexErrMsgTxt(rejected);
  if (const char* fault = serve(service, nlhs, plhs, nrhs, prhs)) mexErrMsgTxt(fault);
}
