// kernels.cpp: scalar math functions and the complex element kernels under the operation
// engines. NaN and infinity results are the runtime constants nan_value and inf_value.
#include <cmath>

#include "array_kernels.h"
#include "korvex.h"

namespace korvex {

using kern::is_inf;
using kern::is_nan;

// ============================================================================================
// Scalar functions of doubles
// ============================================================================================

double max(double a, double b) { return kern::max_rule(a, b, nan_value); }
double min(double a, double b) { return kern::min_rule(a, b, nan_value); }

// Plain comparisons only: a NaN argument falls through to whichever branch its failed
// comparisons pick.
double max(double a, double b, double c) {
  if (a > b) return a > c ? a : c;
  return b > c ? b : c;
}

float max(float a, float b) {
  if (is_nan(static_cast<double>(a))) return static_cast<float>(nan_value);
  return a > b ? a : b;
}

float min(float a, float b) {
  if (is_nan(static_cast<double>(a)) || is_nan(static_cast<double>(b)))
    return static_cast<float>(nan_value);
  return a < b ? a : b;
}

int max(int a, int b) { return a <= b ? b : a; }
int min(int a, int b) { return a >= b ? b : a; }

double rem(double x, double y) { return rem(x, y, eps_double); }

// fmod alone gives fmod(1, 0.1) = 0.09999999999999995 because 0.1 is not representable; the
// quotient test snaps results within a relative tol of an integer multiple of y to zero.
double rem(double x, double y, double tol) {
  if (x == 0) return 0.0;
  if (y == 0 || is_nan(x) || is_nan(y)) return nan_value;
  double q = x / y;
  double t = std::fabs(1 - round(q) / q);  // NaN when q is 0 or infinite: fmod decides
  if (t < tol) return 0.0;
  return std::fmod(x, y);
}

float rem(float x, float y) { return rem(x, y, static_cast<float>(eps_float)); }

float rem(float x, float y, float tol) {
  if (x == 0) return 0.0f;
  if (y == 0 || is_nan(x) || is_nan(y)) return static_cast<float>(nan_value);
  float q = x / y;
  float t = std::fabs(1 - static_cast<float>(round(q)) / q);
  if (t < tol) return 0.0f;
  return std::fmod(x, y);
}

// Halves go away from zero (C's nearbyint would round them to even); -0.4 gives -0.
double round(double x) { return x > 0 ? std::floor(x + 0.5) : std::ceil(x - 0.5); }

double sign(double x) {
  if (x > 0) return 1;
  if (x < 0) return -1;
  return 0;  // 0, -0 and NaN
}

double abs(double re, double im) { return im == 0 ? std::fabs(re) : modulus(re, im); }
double abs(const double* re, const double* im) { return abs(*re, *im); }

// The textbook formulas, deliberately not the platform's: asinh(-1e9) loses everything to
// cancellation and gives -Inf.
double asinh(double x) { return std::log(x + std::sqrt(x * x + 1)); }
double acosh(double x) { return std::log(x + std::sqrt(x * x - 1)); }
double atanh(double x) {
  if (x == 1) return inf_value;
  return 0.5 * std::log((x + 1) / (1 - x));
}

double acot(double x) { return std::atan(1 / x); }
double acsc(double x) { return std::asin(1 / x); }
double asec(double x) { return std::acos(1 / x); }
double acoth(double x) { return atanh(1 / x); }
double acsch(double x) { return asinh(1 / x); }
double asech(double x) { return acosh(1 / x); }
double cot(double x) { return 1 / std::tan(x); }
double csc(double x) { return 1 / std::sin(x); }
double sec(double x) { return 1 / std::cos(x); }
double coth(double x) { return 1 / std::tanh(x); }
double csch(double x) { return 1 / std::sinh(x); }
double sech(double x) { return 1 / std::cosh(x); }

// Scaled so that re² + im² cannot overflow; the scale never drops below 1.
double modulus(double re, double im) {
  if (im == 0) return std::fabs(re);
  double s = max(1.0, std::fabs(re), std::fabs(im));
  if (is_inf(s)) return s;
  double u = re / s, v = im / s;
  return s * std::sqrt(u * u + v * v);
}

double rexp(double x) {
  if (is_inf(x)) return x > 0 ? inf_value : 0.0;
  return std::exp(x);
}

double rpow(double x, double y) {
  if (!is_inf(y)) return y == 0 ? 1.0 : std::pow(x, y);  // x^0 is 1 even for NaN x
  double m = std::fabs(x);
  if (m == 1) return nan_value;
  if ((m > 1 && y > 0) || (m < 1 && y < 0)) return x > 0 ? inf_value : -inf_value;
  return 0.0;  // m > 1 with -Inf, m < 1 with +Inf, or NaN x
}

// IEEE comparisons: every ordered relation with a NaN is false, != is true.
double cmp_lt(double a, double b) { return a < b ? 1.0 : 0.0; }
double cmp_le(double a, double b) { return a <= b ? 1.0 : 0.0; }
double cmp_eq(double a, double b) { return a == b ? 1.0 : 0.0; }
double cmp_ne(double a, double b) { return a == b ? 0.0 : 1.0; }

// ============================================================================================
// One-operand complex kernels. Each reads its operand before writing, so composite kernels may
// pass their own locals freely.
// ============================================================================================

void sqrt(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  double s = std::sqrt((modulus(a, b) + std::fabs(a)) * 0.5);
  // A NaN real part fails every sign test below; both parts are then NaN.
  double r = nan_value, im = nan_value;
  if (a >= 0) r = s;
  double t = b < 0 ? -s : s;  // -0 is not below 0: sqrt(-4 - 0i) is -0 + 2i
  if (a <= 0) im = t;
  if (a < 0) r = b / im * 0.5;
  if (a > 0) im = b / r * 0.5;
  *yr = r;
  *yi = im;
}

void log(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  double m = modulus(a, b);
  if (m == 0) {
    *yr = -inf_value;
    *yi = 0;
    return;
  }
  double theta = std::atan2(b, a);
  if (b == 0 && a < 0) theta = std::fabs(theta);  // -1 - 0i lies on the cut's upper side
  *yr = std::log(m);
  *yi = theta;
}

void exp(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  double e = rexp(a);
  if (b == 0) {
    *yr = e;
    *yi = 0;
  } else {
    *yr = e * std::cos(b);
    *yi = e * std::sin(b);
  }
}

void inv(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  if (b == 0) {
    *yr = 1 / a;
    *yi = 0;
  } else {
    double d = a * a + b * b;
    *yr = a / d;
    *yi = -b / d;
  }
}

void sin(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  if (b == 0) {
    *yr = std::sin(a);
    *yi = 0;
  } else {
    *yr = std::sin(a) * std::cosh(b);
    *yi = std::cos(a) * std::sinh(b);
  }
}

void cos(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  if (b == 0) {
    *yr = std::cos(a);
    *yi = 0;
  } else {
    *yr = std::cos(a) * std::cosh(b);
    *yi = -std::sin(a) * std::sinh(b);
  }
}

void sinh(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  if (b == 0) {
    *yr = std::sinh(a);
    *yi = 0;
  } else {
    *yr = std::sinh(a) * std::cos(b);
    *yi = std::cosh(a) * std::sin(b);
  }
}

void cosh(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  if (b == 0) {
    *yr = std::cosh(a);
    *yi = 0;
  } else {
    *yr = std::cosh(a) * std::cos(b);
    *yi = std::sinh(a) * std::sin(b);
  }
}

void tan(const double* xr, const double* xi, double* yr, double* yi) {
  double sr, si, cr, ci;
  sin(xr, xi, &sr, &si);
  cos(xr, xi, &cr, &ci);
  div(&sr, &si, &cr, &ci, yr, yi);
}

// No real shortcut: for b == 0 the imaginary part comes out 0 through div's rule.
void tanh(const double* xr, const double* xi, double* yr, double* yi) {
  double ta = std::tanh(*xr), tb = std::tan(*xi);
  double one = 1, prod = ta * tb;
  div(&ta, &tb, &one, &prod, yr, yi);
}

// asin and acos off the real segment [-1, 1]: -i·log(i·x + sqrt(1 - x²)) and
// -i·log(x + i·sqrt(1 - x²)).
void asin(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  if (b == 0 && std::fabs(a) <= 1) {
    *yr = std::asin(a);
    *yi = 0;
    return;
  }
  double wr = 1 - a * a + b * b, wi = -2 * a * b, sr, si;
  sqrt(&wr, &wi, &sr, &si);
  double ur = -b + sr, ui = a + si, lr, li;
  log(&ur, &ui, &lr, &li);
  *yr = li;
  *yi = -lr;
}

void acos(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  if (b == 0 && std::fabs(a) <= 1) {
    *yr = std::acos(a);
    *yi = 0;
    return;
  }
  double wr = 1 - a * a + b * b, wi = -2 * a * b, sr, si;
  sqrt(&wr, &wi, &sr, &si);
  double ur = a - si, ui = b + sr, lr, li;
  log(&ur, &ui, &lr, &li);
  *yr = li;
  *yi = -lr;
}

// atan(x) = (i/2)·log((i + x)/(i - x)).
void atan(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  if (b == 0) {
    *yr = std::atan2(a, 1.0);
    *yi = 0;
    return;
  }
  double nr = a, ni = 1 + b, dr = -a, di = 1 - b, qr, qi, lr, li;
  div(&nr, &ni, &dr, &di, &qr, &qi);
  log(&qr, &qi, &lr, &li);
  *yr = -0.5 * li;
  *yi = 0.5 * lr;
}

// atanh(x) = log((1 + x)/(1 - x))/2.
void atanh(const double* xr, const double* xi, double* yr, double* yi) {
  double a = *xr, b = *xi;
  double nr = 1 + a, ni = b, dr = 1 - a, di = -b, qr, qi, lr, li;
  div(&nr, &ni, &dr, &di, &qr, &qi);
  log(&qr, &qi, &lr, &li);
  *yr = 0.5 * lr;
  *yi = 0.5 * li;
}

// log(x + sqrt(x² + k)) with x scaled by s = max(|a|, |b|, 1) before squaring, so that large
// arguments do not overflow: sqrt(x² + k) = s·sqrt((x/s)² + k/s²).
static void arc_hyperbolic(double a, double b, double k2sign, double* yr, double* yi) {
  double s = max(std::fabs(a), std::fabs(b), 1.0);
  double k = 1 / s, p = k * a, q = k * b;
  double wr = p * p - q * q + k2sign * k * k, wi = 2 * p * q, sr, si;
  sqrt(&wr, &wi, &sr, &si);
  double ur = s * sr + a, ui = s * si + b;
  log(&ur, &ui, yr, yi);
}

void acosh(const double* xr, const double* xi, double* yr, double* yi) {
  arc_hyperbolic(*xr, *xi, -1.0, yr, yi);
}

void asinh(const double* xr, const double* xi, double* yr, double* yi) {
  arc_hyperbolic(*xr, *xi, 1.0, yr, yi);
}

// ============================================================================================
// Two-operand complex kernels
// ============================================================================================

// Real factors take a shortcut so that a 0·Inf term never turns a finite part into NaN.
// All operands are read before the stores: the column product passes c == a.
void cmul(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
          double* ci) {
  double a = *ar, b = *ai, c = *br, d = *bi;
  double re, im;
  if (b == 0) {
    re = a * c;
    im = a * d;
  } else if (d == 0) {
    re = c * a;
    im = c * b;
  } else {
    re = a * c - b * d;
    im = a * d + b * c;
  }
  *cr = re;
  *ci = im;
}

// Unscaled: |b|² may overflow for huge divisors.
void div(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci) {
  double a = *ar, b = *ai, c = *br, d = *bi;
  if (d != 0) {
    double den = c * c + d * d;
    *cr = (a * c + b * d) / den;
    *ci = (b * c - a * d) / den;
  } else {
    *cr = a / c;
    *ci = b == 0 ? 0.0 : b / c;
  }
}

void pow(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci) {
  double a = *ar, b = *ai, c = *br, d = *bi;
  if (d == 0 && c == 2.0) {  // squares exactly, without the logarithm
    *cr = a * a - b * b;
    *ci = 2 * a * b;
  } else if (d == 0 && b == 0 && a >= 0) {
    *cr = rpow(a, c);
    *ci = 0;
  } else {
    double lr, li, pr, pi_;
    log(&a, &b, &lr, &li);
    cmul(&c, &d, &lr, &li, &pr, &pi_);
    exp(&pr, &pi_, cr, ci);
  }
}

// Complex max and min compare squared moduli; ties and NaN comparisons keep a.
void max(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci) {
  double a = *ar, b = *ai, c = *br, d = *bi;
  if (b == 0 && d == 0) {
    *cr = max(a, c);
    *ci = 0;
  } else if (a * a + b * b < c * c + d * d) {
    *cr = c;
    *ci = d;
  } else {
    *cr = a;
    *ci = b;
  }
}

void min(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci) {
  double a = *ar, b = *ai, c = *br, d = *bi;
  if (b == 0 && d == 0) {
    *cr = min(a, c);
    *ci = 0;
  } else if (a * a + b * b > c * c + d * d) {
    *cr = c;
    *ci = d;
  } else {
    *cr = a;
    *ci = b;
  }
}

}  // namespace korvex
