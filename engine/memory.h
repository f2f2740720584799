// The engine's single allocator with exact byte accounting.
#pragma once

#include <cstddef>

#include "engine/object.h"

// Resizes a block. Every caller passes the block's exact old size, so the global state's byte
// counter equals the live bytes of the instance. New size 0 frees and gives nullptr. A request
// above 4294967292 bytes, or a failing allocation, raises 1000 when L is given; without a state
// the failure returns nullptr.
void* vm_realloc(qmState* L, void* block, size_t oldsize, size_t newsize);

inline void* vm_malloc(qmState* L, size_t n) { return vm_realloc(L, nullptr, 0, n); }
inline void vm_free(qmState* L, void* block, size_t n) { vm_realloc(L, block, n, 0); }

template <typename T>
T* vm_new_array(qmState* L, size_t n) {
  return static_cast<T*>(vm_realloc(L, nullptr, 0, n * sizeof(T)));
}
template <typename T>
T* vm_resize_array(qmState* L, T* block, size_t oldn, size_t newn) {
  return static_cast<T*>(vm_realloc(L, block, oldn * sizeof(T), newn * sizeof(T)));
}
template <typename T>
void vm_free_array(qmState* L, T* block, size_t n) {
  vm_realloc(L, block, n * sizeof(T), 0);
}
