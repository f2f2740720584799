#include "engine/memory.h"

#include <cstdlib>
#include <cstring>

#if QM_SANITIZED
#include <malloc.h>
#endif

#include "engine/call.h"
#include "engine/errcodes.h"

namespace {

constexpr size_t kSlabBytes = 64 * 1024 - 64;  // under the size whose free makes the heap sort its bins

inline size_t size_class(size_t n) { return (n + 15) >> 4; }
inline bool is_small(size_t n) { return n != 0 && n <= QM_SMALL_MAX; }

#if QM_SANITIZED

// Every block from the C library, so that the sanitizer sees each one; the old sizes are checked
// against the real ones instead.
void check_size(void* block, size_t oldsize) {
  if (block && malloc_usable_size(block) != oldsize) {
    std::fprintf(stderr, "vm_realloc: block of %zu bytes given as %zu\n", malloc_usable_size(block), oldsize);
    std::abort();
  }
}

void* small_alloc(qmGlobalState*, size_t n) { return std::malloc(n); }
void small_free(qmGlobalState*, void* block, size_t) { std::free(block); }

#else

void check_size(void*, size_t) {}

void* small_alloc(qmGlobalState* g, size_t n) {
  size_t c = size_class(n);
  if (void* p = g->small_free[c]) {
    g->small_free[c] = *static_cast<void**>(p);
    return p;
  }
  size_t bytes = c << 4;
  if (size_t(g->slab_end - g->slab_next) < bytes) {
    // A new slab; the old one's tail is too small for this class and stays unused.
    void* slab = std::malloc(kSlabBytes);
    if (!slab) return nullptr;
    *static_cast<void**>(slab) = g->slabs;
    g->slabs = slab;
    g->slab_next = static_cast<char*>(slab) + 16;
    g->slab_end = static_cast<char*>(slab) + kSlabBytes;
  }
  void* p = g->slab_next;
  g->slab_next += bytes;
  return p;
}

void small_free(qmGlobalState* g, void* block, size_t n) {
  size_t c = size_class(n);
  *static_cast<void**>(block) = g->small_free[c];
  g->small_free[c] = block;
}

#endif

}  // namespace

namespace {

// The resize of a state's block without the raise: nullptr when newsize is above the limit or the
// memory cannot be had (the old block then stays as it was).
void* resize(qmGlobalState* g, void* block, size_t oldsize, size_t newsize) {
  check_size(block, oldsize);
  if (newsize == 0) {
    if (block) {
      if (is_small(oldsize)) small_free(g, block, oldsize);
      else std::free(block);
      g->nblocks -= oldsize;
    }
    return nullptr;
  }
  if (newsize > 4294967292u) return nullptr;
  void* p;
  if (!block) {
    p = is_small(newsize) ? small_alloc(g, newsize) : std::malloc(newsize);
  } else if (!is_small(oldsize) && !is_small(newsize)) {
    p = std::realloc(block, newsize);
  } else if (is_small(oldsize) && is_small(newsize) && size_class(oldsize) == size_class(newsize) && !QM_SANITIZED) {
    p = block;
  } else {
    // Into or out of the pool, or between its classes: a new block, the contents, the old freed.
    p = is_small(newsize) ? small_alloc(g, newsize) : std::malloc(newsize);
    if (p) {
      std::memcpy(p, block, oldsize < newsize ? oldsize : newsize);
      if (is_small(oldsize)) small_free(g, block, oldsize);
      else std::free(block);
    }
  }
  if (p) g->nblocks = g->nblocks - (block ? oldsize : 0) + newsize;
  return p;
}

}  // namespace

void* vm_realloc(qmState* L, void* block, size_t oldsize, size_t newsize) {
  if (!L) {
    // Without a state there is no pool: such blocks never meet a state's.
    if (newsize == 0) {
      std::free(block);
      return nullptr;
    }
    return newsize > 4294967292u ? nullptr : block ? std::realloc(block, newsize) : std::malloc(newsize);
  }
  if (newsize > 4294967292u) {
    vm_raise_error(L, qm::ERR_MEM);
    return nullptr;
  }
  void* p = resize(L->g, block, oldsize, newsize);
  if (!p && newsize) vm_throw(L, qm::ERR_MEM);
  return p;
}

void* vm_try_realloc(qmState* L, void* block, size_t oldsize, size_t newsize) {
  return resize(L->g, block, oldsize, newsize);
}


void vm_free_small_blocks(qmState* L) {
  qmGlobalState* g = L->g;
  for (void* slab = g->slabs; slab;) {
    void* next = *static_cast<void**>(slab);
    std::free(slab);
    slab = next;
  }
  g->slabs = nullptr;
  g->slab_next = g->slab_end = nullptr;
  for (void*& list : g->small_free) list = nullptr;
}
