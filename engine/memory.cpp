#include "engine/memory.h"

#include <cstdlib>

#include "engine/call.h"
#include "engine/errcodes.h"

void* vm_realloc(qmState* L, void* block, size_t oldsize, size_t newsize) {
  if (newsize == 0) {
    std::free(block);
    if (L && block) L->g->nblocks -= oldsize;
    return nullptr;
  }
  if (newsize > 4294967292u) {
    if (L) vm_raise_error(L, qm::ERR_MEM);
    return nullptr;
  }
  void* p = block ? std::realloc(block, newsize) : std::malloc(newsize);
  if (!p) {
    if (L) vm_throw(L, qm::ERR_MEM);
    return nullptr;
  }
  if (L) L->g->nblocks = L->g->nblocks - (block ? oldsize : 0) + newsize;
  return p;
}
