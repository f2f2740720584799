// Pointers: images from brushes (sprite frames when sprites arrive) or the two standard pointers,
// set as a display's mouse pointer, shown, hidden and moved. A pointer freed while a display
// still shows it stays until no display holds it, so no window is ever left with a freed cursor.
#pragma once

#include <cstdint>

#include "runtime/registry.h"

struct qmState;
struct qmCursor;

namespace qm {

enum : int32_t { STDPTR_SYSTEM = 0, STDPTR_BUSY = 1, STDPTR_CUSTOM = 2 };

struct qmPointer {
  ObjectHeader header{};  // type OBJ_POINTER
  int32_t width = 16, height = 16;
  qmCursor* cursor = nullptr;  // owned; none for the standard pointers
  int32_t kind = STDPTR_SYSTEM;
  int32_t to_be_freed = 0;
};

// The hot spot of a pointer image along one side: a negative value is the middle, a value at or
// beyond the size the last pixel.
int32_t pointer_hot_spot(int32_t hot, int32_t size);
// Frees every pointer (exit).
void pointer_free_all(qmState* L);
int32_t pointer_open(qmState* L);

}  // namespace qm
