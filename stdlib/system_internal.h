// Shared between the two halves of the system library.
#pragma once

#include <cstdint>

#include "engine/vm.h"
#include "runtime/os/qmos.h"

extern const qmCommand kSystemTableCommands[];

// Entries of a list before the first nil from index 0; without a compare function Sort also
// stops at an empty string.
int32_t sort_count(qmState* L, int32_t t, bool has_compare);
// Sorts entries 0 to n - 1 of the list at t in Sort's default order (ReadDirectory uses it).
void sort_list(qmState* L, int32_t t, int32_t n);

// The clock of the timers (tests inject their own).
using SystemClock = void (*)(qmTimeVal*);
void system_set_clock(SystemClock clock);
