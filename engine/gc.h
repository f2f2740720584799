// The collector's interface. Every collectable object is linked into one of the global state's
// lists when it is made; the roots are the registry, the default metatable, the main thread's
// globals, stack and open upvalues, and the fixed strings (event names, the memory message).
#pragma once

#include "engine/object.h"

// Links a new object into the list of all objects.
inline void vm_gc_link(qmState* L, qmGCObject* o, uint8_t tt) {
  o->tt = tt;
  o->marked = 0;
  o->next = L->g->rootgc;
  L->g->rootgc = o;
}

// The step check: a full collection when the bytes in use have reached the threshold. Called
// after every completed call, before a new table, a concatenation and a formatted push, before
// loading a chunk, and by the executor after NEWTABLE, CONCAT and CLOSURE.
void vm_gc_step(qmState* L);
inline void vm_gc_check(qmState* L) {
#ifdef QM_GC_TORTURE
  vm_gc_step(L);
#else
  if (L->g->nblocks >= L->g->GCthreshold) vm_gc_step(L);
#endif
}

// One full collection followed by the pending finalizers.
void vm_collect_garbage(qmState* L);

// At close: finalizes every user data with a __gc event (repeated until a pass ends without
// error) and frees every object regardless of flags.
void vm_gc_call_all_finalizers(qmState* L);
void vm_gc_free_all(qmState* L);

// Frees one object of any collectable type (used by the sweep and at close).
void vm_gc_free_object(qmState* L, qmGCObject* o);

// The collection threshold in kilobytes.
inline size_t vm_gc_threshold_kb(qmState* L) { return L->g->GCthreshold >> 10; }
