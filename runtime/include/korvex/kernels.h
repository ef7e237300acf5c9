// kernels.h: scalar and complex math kernels.
#ifndef KORVEX_KERNELS_H
#define KORVEX_KERNELS_H

namespace korvex {

// ============================================================================================
// Scalar and complex kernels (ops/kernels.cpp). Inside namespace korvex these names hide the
// C library's: call the platform functions as std::sqrt, std::log, ...
// ============================================================================================

double max(double a, double b);  // NaN if a is NaN; else a > b ? a : b
double min(double a, double b);  // NaN if either is NaN; else a < b ? a : b
double max(double a, double b, double c);
float max(float a, float b);
float min(float a, float b);
int max(int a, int b);
int min(int a, int b);
double rem(double x, double y);
double rem(double x, double y, double tol);
float rem(float x, float y);
float rem(float x, float y, float tol);
double round(double x);
double sign(double x);
double abs(double re, double im);
double abs(const double* re, const double* im);
double asinh(double x);
double acosh(double x);
double atanh(double x);
double acot(double x);
double acsc(double x);
double asec(double x);
double acoth(double x);
double acsch(double x);
double asech(double x);
double cot(double x);
double csc(double x);
double sec(double x);
double coth(double x);
double csch(double x);
double sech(double x);
double modulus(double re, double im);
double rexp(double x);
double rpow(double x, double y);
double cmp_lt(double a, double b);
double cmp_le(double a, double b);
double cmp_eq(double a, double b);
double cmp_ne(double a, double b);

// One-operand complex kernels: read x = *xr + i·*xi, write y into *yr, *yi.
void sqrt(const double* xr, const double* xi, double* yr, double* yi);
void log(const double* xr, const double* xi, double* yr, double* yi);
void exp(const double* xr, const double* xi, double* yr, double* yi);
void inv(const double* xr, const double* xi, double* yr, double* yi);
void sin(const double* xr, const double* xi, double* yr, double* yi);
void cos(const double* xr, const double* xi, double* yr, double* yi);
void tan(const double* xr, const double* xi, double* yr, double* yi);
void sinh(const double* xr, const double* xi, double* yr, double* yi);
void cosh(const double* xr, const double* xi, double* yr, double* yi);
void tanh(const double* xr, const double* xi, double* yr, double* yi);
void asin(const double* xr, const double* xi, double* yr, double* yi);
void acos(const double* xr, const double* xi, double* yr, double* yi);
void atan(const double* xr, const double* xi, double* yr, double* yi);
void asinh(const double* xr, const double* xi, double* yr, double* yi);
void acosh(const double* xr, const double* xi, double* yr, double* yi);
void atanh(const double* xr, const double* xi, double* yr, double* yi);
// Two-operand complex kernels: read a and b, write c. cmul allows c to be a.
void cmul(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
          double* ci);
void div(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci);
void pow(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci);
void max(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci);
void min(const double* ar, const double* ai, const double* br, const double* bi, double* cr,
         double* ci);

}  // namespace korvex

#endif  // KORVEX_KERNELS_H
