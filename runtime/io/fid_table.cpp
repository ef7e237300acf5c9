// fid_table.cpp: the process-wide table of file identifiers (fids 0..64), its set-up on first
// use and the check that turns a fid matrix into an open stream.
#include "common/rules.h"
#include "korvex.h"

namespace korvex {

std::FILE* fid_files[fid_count];
int fid_open[fid_count];
int fid_swap[fid_count];
int fid_table_ready = 0;

void fid_table_setup() {
  if (fid_table_ready) return;
  for (int k = 0; k < fid_count; k++) {
    fid_files[k] = nullptr;
    fid_open[k] = 0;
    fid_swap[k] = 0;
  }
  fid_open[0] = fid_open[1] = fid_open[2] = 1;
  fid_table_ready = 1;
}

int fid_check(const M<double>& fid, std::FILE*& stream, int& swap) {
  fid_table_setup();
  if (fid.size() != 1) error("Size of fid %s not one.", fid.getname());
  // Rounded half up by truncating x + 0.5 toward zero: 2.6 gives 3, -0.6 gives 0 (from
  // -0.1) and -1.6 gives -1. The test runs on the double, so NaN and huge values fail it
  // without meeting an int conversion.
  const double k = rules::trunc_half_up(fid.addr()[0]);
  if (!(k >= 0 && k < fid_count)) error("Illegal fid.");
  const int f = static_cast<int>(k);
  if (!fid_open[f]) error("Fid not opened.");
  // The standard fids keep no stream in the table; binary transfers, scanning and the stream
  // queries use the process's own standard streams for them.
  switch (f) {
    case 0:
      stream = stdin;
      break;
    case 1:
      stream = stdout;
      break;
    case 2:
      stream = stderr;
      break;
    default:
      stream = fid_files[f];
  }
  swap = fid_swap[f];
  return f;
}

}  // namespace korvex
