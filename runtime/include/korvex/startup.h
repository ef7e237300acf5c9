// startup.h: the runtime's start-up and end routines for a program that hosts the runtime as
// its main program: initM first, exitM (or exit, quit) last.
#ifndef KORVEX_STARTUP_H
#define KORVEX_STARTUP_H

#include <iosfwd>

namespace korvex {

// Binds the runtime streams, checks the byte order, ignores SIGFPE, gives the constants their
// values, starts the graphics output, selects the short display and reads the commands of the
// image viewer, sound player and plotter from the environment (KORVEXVIEWER, KORVEXPLAYER,
// KORVEXGNUPLOT, each also in lower case). A command longer than 255 characters is an error.
void initM(std::istream& in, std::ostream& out, std::ostream& err);
void exitM();              // ends the graphics output: runs the plotter, shows a pending image
[[noreturn]] void exit();  // exitM, then the process ends with status 0
[[noreturn]] void quit();  // exit()

// The byte-order probe on the two bytes of the 16-bit value 0x1234 as the host stores them:
// 1 for the most significant byte first, 0 for the least significant first, otherwise the
// error "initmat: dono".
int byte_order_of(const unsigned char (&bytes)[2]);

}  // namespace korvex

#endif  // KORVEX_STARTUP_H
