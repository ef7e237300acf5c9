// model2.cpp: model 2, the translated model function; it evaluates nothing until the matrix
// runtime it runs on is part of the module.
#include "gateway.h"

namespace korvex {

void val_getfun2(double*, int, double*, int, double*, int, int) {}

}  // namespace korvex
