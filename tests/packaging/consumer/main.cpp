// A program built against an installed korvex: it includes the one public header and links the
// library.
#include <korvex.h>

#include <cstdio>

int main() {
  std::printf("korvex consumer: chunk of %d bytes\n", korvex::fs_chunk_bytes);
  return 0;
}
