// The engine's single allocator with exact byte accounting.
#pragma once

#include <cstddef>

#include "engine/object.h"

#if defined(__SANITIZE_ADDRESS__)
#define QM_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QM_SANITIZED 1
#endif
#endif
#ifndef QM_SANITIZED
#define QM_SANITIZED 0
#endif

// Resizes a block. Every caller passes the block's exact old size, so the global state's byte
// counter equals the live bytes of the instance. New size 0 frees and gives nullptr. A request
// above 4294967292 bytes, or a failing allocation, raises 1000 when L is given; without a state
// the failure returns nullptr.
//
// Blocks of up to QM_SMALL_MAX bytes come from a pool of the state: a free list per 16-byte size
// class, refilled from 64 KB slabs, so that the collector's mass frees and the allocations after
// them cost a list operation each. vm_free_small_blocks returns the slabs at close. Builds with
// the address sanitizer use the C library for every block instead, and check there that each
// old size given is the block's real size, which is what the pool relies on.
void* vm_realloc(qmState* L, void* block, size_t oldsize, size_t newsize);
// A resize like vm_realloc's, but nullptr instead of the raise (the block then stays as it was).
void* vm_try_realloc(qmState* L, void* block, size_t oldsize, size_t newsize);
void vm_free_small_blocks(qmState* L);

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
