// files.h: binary precisions and byte order, the file-identifier (fid) table and the file
// functions on it: open, close, queries, seeking, formatted and binary reading and writing.
#ifndef KORVEX_FILES_H
#define KORVEX_FILES_H

#include <cstdio>

#include "korvex/matrix.h"

namespace korvex {

// ============================================================================================
// Binary precisions and byte order (io/precision.cpp)
// ============================================================================================

// Element formats of binary files. ORDER PRECISION: the name table of precision.cpp follows it.
enum Precision : int {
  prec_int32 = 1,   // "long", "int", "integer*4", "int32": signed 32-bit
  prec_uint32 = 2,  // "unsigned long", "unsigned int", "ulong", "uint": unsigned 32-bit
  prec_int16 = 3,   // "short", "int16", "integer*2": signed 16-bit
  prec_uint16 = 4,  // "ushort", "unsigned short": unsigned 16-bit
  prec_char = 5,    // "char", "char*1": signed 8-bit
  prec_schar = 6,   // "schar", "signed char": signed 8-bit
  prec_uchar = 7,   // "uchar", "unsigned char": unsigned 8-bit
  prec_double = 8,  // "double", "float64", "real*8": IEEE double
  prec_float = 9,   // "float", "float32", "real*4": IEEE single
};

// The code of a precision name (compared exactly, case included); its element size in bytes
// goes to size. An unknown name: error "fileio: unknown precision NAME".
Precision precision_code(const char* name, int& size);

// One element between x and the stream f; swap reverses multi-byte elements. Each returns the
// number of elements moved (1 or 0); a failed read leaves x as it was.
int fread(double& x, std::FILE* f, Precision p, int swap);
int fwrite(double& x, std::FILE* f, Precision p, int swap);

// Byte reversal in place of 2, 4 or 8 bytes.
void swap2(unsigned char* b);
void swap4(unsigned char* b);
void swap8(unsigned char* b);

// Whole arrays: the element rules above over n elements, one platform call per block of
// elements instead of one per element. Each returns the number of whole elements moved and
// stops at the first that fails. A read may leave bytes of a partial element in x[count].
long long fread_elements(double* x, long long n, std::FILE* f, Precision p, int swap);
long long fwrite_elements(const double* x, long long n, std::FILE* f, Precision p, int swap);

// ============================================================================================
// The fid table (io/fid_table.cpp)
// ============================================================================================

// Fids 0..64. Fids 0, 1, 2 (standard input, output, error) are always in use and have no
// stream of their own here.
constexpr int fid_count = 65;
extern std::FILE* fid_files[fid_count];
extern int fid_open[fid_count];
extern int fid_swap[fid_count];
extern int fid_table_ready;

void fid_table_setup();  // clears the table once and marks fids 0..2 in use
// Resolves a fid matrix: one element, rounded half up, 0..64 and in use, else an error. Gives
// the fid; stream and swap receive its stream (stdin, stdout or stderr for fids 0..2) and its
// swap flag.
int fid_check(const M<double>& fid, std::FILE*& stream, int& swap);

// ============================================================================================
// File functions (io/file_functions.cpp, io/binary_io.cpp, io/formatted_io.cpp).
// Output-list forms take i_o and one reference per result, assign the results and return x_M.
// ============================================================================================

M<double> fopenM(M<double> name);
M<double> fopenM(M<double> name, M<double> permission);
M<double> fopenM(M<double> name, M<double> permission, M<double> format);
M<double> fopenM(M<double> name, i_o_t, Mr<double> fid, Mr<double> message);
M<double> fopenM(M<double> name, M<double> permission, i_o_t, Mr<double> fid, Mr<double> message);
M<double> fopenM(M<double> name, M<double> permission, M<double> format, i_o_t, Mr<double> fid,
                 Mr<double> message);

M<double> fclose(M<double> fid);
M<double> feof(M<double> fid);
M<double> ferror(M<double> fid);
M<double> ferror(M<double> fid, M<double> arg);
M<double> ferror(M<double> fid, i_o_t, Mr<double> message, Mr<double> indicator);
M<double> ferror(M<double> fid, M<double> arg, i_o_t, Mr<double> message, Mr<double> indicator);
M<double> frewind(M<double> fid);
M<double> ftell(M<double> fid);
M<double> fseek(M<double> fid, M<double> offset, M<double> origin);

// Formatted output: fprintfM(fid, format, a1..a8) returns the bytes written to a file (0 for
// fids 0, 1, 2); with a text first argument it prints to fid 1 and returns x_M, as do
// fprintfM(format) and every printfM.
M<double> fprintfM(M<double> format);
M<double> fprintfM(M<double> fid, M<double> format);
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1);
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2);
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3);
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3,
                   M<double> a4);
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3,
                   M<double> a4, M<double> a5);
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3,
                   M<double> a4, M<double> a5, M<double> a6);
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3,
                   M<double> a4, M<double> a5, M<double> a6, M<double> a7);
M<double> fprintfM(M<double> fid, M<double> format, M<double> a1, M<double> a2, M<double> a3,
                   M<double> a4, M<double> a5, M<double> a6, M<double> a7, M<double> a8);

M<double> printfM(M<double> format);
M<double> printfM(M<double> format, M<double> a1);
M<double> printfM(M<double> format, M<double> a1, M<double> a2);
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3);
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3, M<double> a4);
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                  M<double> a5);
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                  M<double> a5, M<double> a6);
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                  M<double> a5, M<double> a6, M<double> a7);
M<double> printfM(M<double> format, M<double> a1, M<double> a2, M<double> a3, M<double> a4,
                  M<double> a5, M<double> a6, M<double> a7, M<double> a8);

// Formatted input: the values read (size Inf by default), their count and an empty message.
M<double> fscanfM(M<double> fid, M<double> format);
M<double> fscanfM(M<double> fid, M<double> format, M<double> size);
M<double> fscanfM(M<double> fid, M<double> format, i_o_t, Mr<double> values, Mr<double> count);
M<double> fscanfM(M<double> fid, M<double> format, i_o_t, Mr<double> values, Mr<double> count,
                  Mr<double> message);
M<double> fscanfM(M<double> fid, M<double> format, M<double> size, i_o_t, Mr<double> values,
                  Mr<double> count);
M<double> fscanfM(M<double> fid, M<double> format, M<double> size, i_o_t, Mr<double> values,
                  Mr<double> count, Mr<double> message);

M<double> fread(M<double> fid);
M<double> fread(M<double> fid, M<double> size);
M<double> fread(M<double> fid, M<double> size, M<double> precision);
M<double> fread(M<double> fid, M<double> size, M<double> precision, M<double> skip);
M<double> fread(M<double> fid, i_o_t, Mr<double> values, Mr<double> count);
M<double> fread(M<double> fid, M<double> size, i_o_t, Mr<double> values, Mr<double> count);
M<double> fread(M<double> fid, M<double> size, M<double> precision, i_o_t, Mr<double> values,
                Mr<double> count);
M<double> fread(M<double> fid, M<double> size, M<double> precision, M<double> skip, i_o_t,
                Mr<double> values, Mr<double> count);

M<double> fwrite(M<double> fid, M<double> a);
M<double> fwrite(M<double> fid, M<double> a, M<double> precision);
M<double> fwrite(M<double> fid, M<double> a, M<double> precision, M<double> skip);

}  // namespace korvex

#endif  // KORVEX_FILES_H
