// Collector. The mark-and-sweep collection is still to come: for now a collection frees
// nothing and only raises the threshold, and everything is freed at close.
#include "engine/gc.h"

#include "engine/func.h"
#include "engine/memory.h"
#include "engine/state.h"
#include "engine/table.h"
#include "engine/vmstring.h"

void vm_gc_step(qmState* L) { vm_collect_garbage(L); }

void vm_collect_garbage(qmState* L) { L->g->GCthreshold = 2 * L->g->nblocks; }

void vm_gc_call_all_finalizers(qmState*) {}

void vm_gc_free_object(qmState* L, qmGCObject* o) {
  switch (o->tt) {
    case QM_TSTRING: vm_string_free(L, static_cast<qmTString*>(o)); break;
    case QM_TTABLE: vm_table_free(L, static_cast<qmTable*>(o)); break;
    case QM_TFUNCTION: vm_closure_free(L, static_cast<qmClosure*>(o)); break;
    case QM_TPROTO: vm_proto_free(L, static_cast<qmProto*>(o)); break;
    case QM_TUPVAL: vm_free(L, o, sizeof(qmUpVal)); break;
    case QM_TUSERDATA: vm_userdata_free(L, static_cast<qmUserdata*>(o)); break;
    case QM_TTHREAD: break;  // only the main thread exists; vm_close_state frees it
    default: break;
  }
}

void vm_gc_free_all(qmState* L) {
  qmGlobalState* g = L->g;
  for (qmGCObject** list : {&g->rootgc, &g->rootudata, &g->tmudata}) {
    qmGCObject* o = *list;
    while (o) {
      qmGCObject* next = o->next;
      vm_gc_free_object(L, o);
      o = next;
    }
    *list = nullptr;
  }
  for (int32_t i = 0; i < g->strt.size; i++) {
    qmGCObject* o = g->strt.hash[i];
    while (o) {
      qmGCObject* next = o->next;
      vm_gc_free_object(L, o);
      o = next;
    }
    g->strt.hash[i] = nullptr;
  }
}
