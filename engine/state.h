// Opening and closing an engine instance.
#pragma once

#include <cstddef>

#include "engine/object.h"

// Bytes the accounting still held after the last vm_close_state beyond the state records
// themselves; 0 when every allocation was returned with its exact size.
extern size_t vm_close_residue;
