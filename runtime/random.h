// The player's integer random numbers (random effects, stripe widths, fade colours, the dissolve
// order): the C library's additive generator of rand() rebuilt here, so that a seed gives the
// same draws as srand() and rand() did, and a long run of draws costs no lock per draw. Not
// thread-safe: the drawing happens on the player's thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qm {

// As srand(seed); a seed of 0 starts as 1 does.
void random_seed(uint32_t seed);
// As rand(): 0 .. 2^31 - 1.
int32_t random_next();
// n draws, each as uint8_t(random_next() % bound), bound 1..256.
void random_fill_bytes(uint8_t* out, size_t n, uint32_t bound);

}  // namespace qm
