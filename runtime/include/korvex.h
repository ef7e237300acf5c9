// korvex.h: the one public header of the korvex matrix runtime.
// Declares the matrix value type M<T> with its index references Mr<T> and comma lists Ml<T>,
// element storage, error reporting, the runtime globals, the operation codes, the math kernels,
// the engines and the builtins, one header per subsystem under korvex/. Everything lives in
// namespace korvex.
#ifndef KORVEX_H
#define KORVEX_H

#include "korvex/base.h"
#include "korvex/opcodes.h"
#include "korvex/matrix.h"
#include "korvex/globals.h"
#include "korvex/kernels.h"
#include "korvex/ops.h"
#include "korvex/unary.h"
#include "korvex/builtins.h"
#include "korvex/system.h"
#include "korvex/misc.h"
#include "korvex/display.h"
#include "korvex/format.h"
#include "korvex/files.h"
#include "korvex/graphics.h"
#include "korvex/plot.h"
#include "korvex/startup.h"

#endif  // KORVEX_H
