// globals.cpp: the runtime's global matrices (built at load time in the order below and
// destroyed in reverse order at unload), its global scalars, the output-count token, the
// marker name pointers and the small helpers eps_of, missing_as and junk_func1M..4M.
#include "korvex.h"

namespace korvex {

// The marker names are static arrays, so these pointers are constant-initialised: the text
// constructor recognises missing_name even while other globals are still being built.
namespace {
const char colon_text[] = ":";
const char semi_text[] = ";";
const char noval_text[] = "x_M";
const char missing_text[] = "l_M";
}  // namespace

const char* const colon_name = colon_text;
const char* const semi_name = semi_text;
const char* const noval_name = noval_text;
const char* const missing_name = missing_text;

i_o_t i_o = {0};

// Construction order is definition order within this one file; keep it.
M<double> TICTOC("TICTOC", 0, 0);
M<double> computer_name("computer_name", 0, 0);
M<double> version("version", 0, 0);
M<double> i("i", 0, 0);
M<double> j("j", 0, 0);
M<double> d_M("junk_M", 0, 0);
M<float> f_M("junk_M", 0, 0);
M<double> mfilename("mfilename", 0, 0);
M<double> stdinM("stdinM", 0, 0);
M<double> stdoutM("stdoutM", 0, 0);
M<double> stderrM("stderrM", 0, 0);
M<double> pi("pi", 0, 0);
M<double> Inf("Inf", 0, 0);
M<double> NaN("NaN", 0, 0);
M<double> eps("eps", 0, 0);
M<double> lasterr("lasterr", 0, 0);
M<double> x_M(noval_name, 0, 0);
M<double> semi(semi_name, 0, 0);
M<double> missing_M(missing_name, 0, 0);
M<double> c_p(colon_name, 0, 0);
M<double> nop_M("[]", 0, 0);

// Static values; the start-up routine gives the constants their values.
double inf_value = 0;
double nan_value = 0;
double eps_double = 0;
double eps_float = 0;
double pi_value = 0;
double nargin = 0;
double nargout = 0;
int nargin_set = 0;
int nargout_set = 0;
int byte_order_flag = 0;
int trace_startup = 0;
char viewer_cmd[256] = "";
char player_cmd[256] = "";
char plotter_cmd[256] = "";

void eps_of(double& x) { x = eps_double; }
void eps_of(float& x) { x = static_cast<float>(eps_float); }
void eps_of(int& x) { x = 1; }
void eps_of(unsigned char& x) { x = 1; }

// The copy (or conversion) carries missing_M's name pointer, so it is still recognised.
template <class T>
M<T> missing_as() {
  return M<T>(missing_M);
}
template M<double> missing_as<double>();
template M<float> missing_as<float>();
template M<int> missing_as<int>();
template M<unsigned char> missing_as<unsigned char>();

void junk_func1M(M<double>) { error("junk_func1M called."); }
void junk_func2M(M<double>, M<double>) { error("junk_func2M called."); }
void junk_func3M(M<double>, M<double>, M<double>) { error("junk_func3M called."); }
void junk_func4M(M<double>, M<double>, M<double>, M<double>) { error("junk_func4M called."); }

}  // namespace korvex
