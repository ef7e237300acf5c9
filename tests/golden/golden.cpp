// korvex_golden: writes a fixed set of results as text, so that the files written on two hosts
// (little- and big-endian, with and without fused multiply-add) can be compared byte for byte.
// Doubles print with %.17g (they read back exactly), bytes as hex.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "host.h"
#include "korvex.h"

namespace {

using korvex::M;

void print_doubles(std::FILE* out, const char* label, const double* v, std::size_t n) {
  std::fprintf(out, "%s:", label);
  // Non-finite values in one spelling: the C library's text for them differs between hosts.
  for (std::size_t k = 0; k < n; ++k) {
    if (v[k] != v[k])
      std::fprintf(out, " NaN");
    else if (v[k] - v[k] != 0)
      std::fprintf(out, v[k] > 0 ? " Inf" : " -Inf");
    else
      std::fprintf(out, " %.17g", v[k]);
  }
  std::fprintf(out, "\n");
}

struct In {
  std::size_t rows, cols;
  std::vector<double> v;
};

// One gateway call through the stand-in host; prints every output slot or the rejection.
void gateway_call(std::FILE* out, const std::string& label, int nlhs, const std::vector<In>& in) {
  std::vector<const mxArray*> prhs;
  for (const In& a : in) prhs.push_back(korvex::host::new_matrix(a.rows, a.cols, a.v));
  std::vector<mxArray*> plhs(nlhs > 0 ? nlhs : 1);
  const korvex::host::Outcome o = korvex::host::call(mexFunction, nlhs, plhs.data(),
                                                     static_cast<int>(prhs.size()), prhs.data());
  if (o.failed) std::fprintf(out, "%s: rejected: %s\n", label.c_str(), o.message.c_str());
  for (std::size_t k = 0; k < plhs.size(); ++k) {
    if (!plhs[k]) continue;
    const std::string slot = label + " out" + std::to_string(k + 1) + " " +
                             std::to_string(mxGetM(plhs[k])) + "x" +
                             std::to_string(mxGetN(plhs[k]));
    print_doubles(out, slot.c_str(), mxGetPr(plhs[k]), mxGetM(plhs[k]) * mxGetN(plhs[k]));
  }
  korvex::host::release_all();
}

void gateway_section(std::FILE* out) {
  const In x3{3, 1, {1.5, -2.25, 0.1}};
  const In V{3, 2, {1, 0.5, -0.25, 0.3, 0, 2}};
  const In h{1, 2, {1e-5, 3e-7}};
  for (double model : {1.0, 2.0}) {
    const In mod{1, 1, {model}};
    const std::string m = "model " + std::to_string(static_cast<int>(model));
    gateway_call(out, m + " service 1", 1, {{1, 1, {1}}, mod, x3});
    gateway_call(out, m + " service 2", 1, {{1, 1, {2}}, mod, x3, {1, 1, {2}}});
    gateway_call(out, m + " service 3", 2, {{1, 1, {3}}, mod, x3, V, {1, 1, {3}}, h});
    gateway_call(out, m + " service 4", 1, {{1, 1, {4}}, mod, x3, V, h});
  }
}

void random_section(std::FILE* out) {
  for (double seed : {0.0, 1.0, 12345.0, 1e300}) {
    korvex::randM(M<double>("seed"), M<double>(seed));
    korvex::randn(M<double>("seed"), M<double>(seed));
    double u[8], z[8];
    for (int k = 0; k < 8; ++k) u[k] = korvex::randM();
    for (int k = 0; k < 8; ++k) z[k] = korvex::randn();
    std::fprintf(out, "seed %.17g\n", seed);
    print_doubles(out, "  rand", u, 8);
    print_doubles(out, "  randn", z, 8);
  }
}

std::string text_of(const M<double>& t) {
  std::string s;
  for (int k = 0; k < t.size(); ++k) s += static_cast<char>(static_cast<int>(t.addr()[k]));
  return s;
}

// Every format on every value; the text is printed with C escapes for control characters.
void format_section(std::FILE* out) {
  const char* const formats[] = {"%g",    "%.17g",   "%e",     "%10.3f", "%d",     "%x",
                                 "%o",    "%+08.2E", "%5.1G",  "%-6i|",  "%c",     "%u",
                                 "%#x",   "% .0f",   "%s",     "[%5.2s]"};
  const double nan = korvex::NaN.addr()[0], inf = korvex::Inf.addr()[0];
  const double values[] = {0, -0.0, 1.5, -2.25, 1e300, 1e-300, 123456789, 65, 0.1, nan, inf, -inf};
  for (const char* f : formats) {
    std::fprintf(out, "sprintf %s:", f);
    for (double v : values) {
      std::fprintf(out, " <");
      for (char ch : text_of(korvex::sprintfM(M<double>(f), M<double>(v)))) {
        const unsigned char c = static_cast<unsigned char>(ch);
        std::fprintf(out, c >= 32 && c < 127 ? "%c" : "\\x%02x", c);
      }
      std::fprintf(out, ">");
    }
    std::fprintf(out, "\n");
  }
}

std::vector<unsigned char> file_bytes(const char* path) {
  std::vector<unsigned char> bytes;
  if (std::FILE* f = std::fopen(path, "rb")) {
    for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<unsigned char>(c));
    std::fclose(f);
  }
  return bytes;
}

void print_hex(std::FILE* out, const char* label, const std::vector<unsigned char>& bytes) {
  std::fprintf(out, "%s:", label);
  for (std::size_t k = 0; k < bytes.size(); ++k) std::fprintf(out, "%s%02x", k % 4 ? "" : " ", bytes[k]);
  std::fprintf(out, "\n");
}

std::vector<unsigned char> written(const std::string& path, const M<double>& a, const char* prec,
                                   const char* order) {
  M<double> fid = korvex::fopenM(M<double>(path.c_str()), M<double>("w"), M<double>(order));
  korvex::fwrite(fid, a, M<double>(prec));
  korvex::fclose(fid);
  return file_bytes(path.c_str());
}

// Values at the edges of every precision, in big- and little-endian files. Native files differ
// between hosts by design; they must equal the host's own order.
void binary_section(std::FILE* out, const std::string& dir) {
  const char* const precisions[] = {"int32", "uint", "int16", "ushort", "char",
                                    "schar", "uchar", "double", "float"};
  const double nan = korvex::NaN.addr()[0], inf = korvex::Inf.addr()[0];
  const double values[] = {0,      -0.0,  1.5,         -2.5,        127.5,       300, -300,
                           70000,  1e10,  -1e10,       4294967295., 2147483648., nan, inf,
                           -inf,   0.1,   1e-40,       -65536.75};
  M<double> a(0, 1, static_cast<int>(sizeof values / sizeof values[0]));
  for (int k = 0; k < a.size(); ++k) a.addr()[k] = values[k];
  const std::string path = dir + "/korvex_golden.bin";
  for (const char* p : precisions) {
    const std::vector<unsigned char> big = written(path, a, p, "b");
    const std::vector<unsigned char> little = written(path, a, p, "l");
    const std::vector<unsigned char> native = written(path, a, p, "n");
    print_hex(out, (std::string("fwrite ") + p + " b").c_str(), big);
    print_hex(out, (std::string("fwrite ") + p + " l").c_str(), little);
    std::fprintf(out, "fwrite %s n: %s\n", p,
                 native == (korvex::byte_order_flag ? big : little) ? "the host's order" : "WRONG");
  }
  std::remove(path.c_str());
}

// A 3-by-5 picture (odd width: padded rows) over a 4-colour map, and its file's bytes.
void bmp_section(std::FILE* out, const std::string& dir) {
  M<double> image(0, 3, 5), map(0, 4, 3);
  for (int k = 0; k < image.size(); ++k) image.addr()[k] = 1 + (k * 7) % 4;
  for (int k = 0; k < map.size(); ++k) map.addr()[k] = (k % 5) / 4.0;
  const std::string path = dir + "/korvex_golden.bmp";
  korvex::bmpwrite(image, map, M<double>(path.c_str()));
  print_hex(out, "bmp 3x5", file_bytes(path.c_str()));
  std::remove(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::FILE* out = argc > 1 ? std::fopen(argv[1], "w") : stdout;
  if (!out) {
    std::perror(argv[1]);
    return 2;
  }
  // The gateway runs as inside the module, on the globals as static construction leaves them;
  // the rest as a translated program, after start-up.
  gateway_section(out);
  korvex::initM(std::cin, std::cout, std::cerr);
  random_section(out);
  format_section(out);
  const char* tmp = std::getenv("TMPDIR");
  binary_section(out, tmp && *tmp ? tmp : "/tmp");
  bmp_section(out, tmp && *tmp ? tmp : "/tmp");
  return out == stdout ? 0 : (std::fclose(out) == 0 ? 0 : 2);
}
