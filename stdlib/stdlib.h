// The standard libraries: dos, string, math, system and memblock. Each library's open function
// registers its commands and constants with the engine and returns 0 or an error code; its
// clean-up frees what the program left open.
#pragma once

#include <cstdint>

#include "engine/vm.h"

int32_t math_open(qmState* L);
// Seeds Rnd and RndF; the library seeds from the clock when it opens, tests seed it themselves.
void math_seed_random(uint32_t seed);

int32_t string_open(qmState* L);

int32_t system_open(qmState* L);
void system_cleanup();
