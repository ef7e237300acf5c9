// random.cpp: the two pseudo-random generators and their state: a Lehmer uniform generator
// (multiplier 16807, modulus 2^31 - 1) and a polar-method normal generator on its own state.
#include <cmath>

#include "common/rules.h"
#include "korvex.h"

namespace korvex {

double rand_state = 0.0;
double randn_state = 0.0;
double mask = 2147483647.0;
double rand_restart = 470211272.0;
int rand_normal_mode = 0;

// 16807·x stays below 2^53, so the product and fmod are exact in double arithmetic. A zero
// state would stay zero forever; it restarts at a fixed value instead.
void lehmer_step(double& x) {
  if (x != 0.0)
    x = std::fmod(16807.0 * x, mask);
  else
    x = rand_restart;
}

double rand_uniform() {
  // A state so large that 16807 times it overflows to Inf (randM("seed", 1e300) stores 65536
  // times that), or a NaN one, would make this and every later draw NaN; it restarts like a
  // zero state instead.
  if (!rules::is_finite(16807.0 * rand_state)) rand_state = 0.0;
  lehmer_step(rand_state);
  return rand_state / mask;
}

// Marsaglia's polar method, keeping only u of each accepted pair. s == 1 is accepted (the
// draw is then 0); s == 0 cannot occur, as the state after a step is never mask/2.
double rand_normal() {
  // A negative or NaN state, or one so large that 16807 times it overflows to Inf (only a seed
  // command sets one), would give s > 1 or NaN on every try and never return; it restarts like
  // a zero state instead.
  if (!(randn_state >= 0 && rules::is_finite(16807.0 * randn_state))) randn_state = 0.0;
  double u, v, s;
  do {
    lehmer_step(randn_state);
    u = 2 * randn_state / mask - 1;
    lehmer_step(randn_state);
    v = 2 * randn_state / mask - 1;
    s = u * u + v * v;
  } while (!(s <= 1));
  return u * std::sqrt(-2 * std::log(s) / s);
}

}  // namespace korvex
