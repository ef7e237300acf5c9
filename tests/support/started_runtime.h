// started_runtime.h: the test fixture that sets the constants as the start-up routine does;
// brings the builders and checks of matrix_builders.h with it.
#ifndef KORVEX_TESTS_STARTED_RUNTIME_H
#define KORVEX_TESTS_STARTED_RUNTIME_H

#include <gtest/gtest.h>

#include <cmath>

#include "korvex.h"
#include "matrix_builders.h"

namespace korvex_test {

class StartedRuntime : public testing::Test {
 protected:
  void SetUp() override {
    korvex::inf_value = HUGE_VAL;
    korvex::nan_value = korvex::ieee_compose(0xFFFFFFFFu, 0xFFFFFu, 2047, 0);
    korvex::eps_double = std::pow(2.0, -52);
    korvex::eps_float = std::pow(2.0, -23);
  }
};

}  // namespace korvex_test

#endif  // KORVEX_TESTS_STARTED_RUNTIME_H
