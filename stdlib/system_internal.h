// Shared between the two halves of the system library.
#pragma once

#include <cstdint>

#include "engine/vm.h"
#include "runtime/registry.h"
#include "runtime/os/qmos.h"

extern const qmCommand kSystemTableCommands[];
// The requesters, the clipboard, and the program information with the object data, each in the
// order the listing shows them.
extern const qmCommand kSystemRequestCommands[];
extern const qmCommand kSystemClipboardCommands[];
extern const qmCommand kSystemInfoCommands[];

// Puts the platform's message box behind SystemRequest and the error report; the requesters'
// last file and folder go back to empty.
void system_requesters_install();
void system_requesters_reset();
// Frees a data item list at exit, when the registry goes with the script state.
void system_items_drop(qm::RefNode* list);

// Date texts "DD-Mon-YYYY HH:MM:SS" (or "DD-Mon-YYYY" when date only): 0 equal, 1 the first is
// the later, 2 the earlier, -1 when either is malformed.
int32_t system_compare_dates(const char* a, const char* b, bool date_only);

// Entries of a list before the first nil from index 0; without a compare function Sort also
// stops at an empty string.
int32_t sort_count(qmState* L, int32_t t, bool has_compare);
// Sorts entries 0 to n - 1 of the list at t in Sort's default order (ReadDirectory uses it).
void sort_list(qmState* L, int32_t t, int32_t n);

// The clock of the timers (tests inject their own).
using SystemClock = void (*)(qmTimeVal*);
void system_set_clock(SystemClock clock);
