#include "engine/state.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

#include "engine/call.h"
#include "engine/func.h"
#include "engine/gc.h"
#include "engine/memory.h"
#include "engine/table.h"
#include "engine/value.h"
#include "engine/vm.h"
#include "engine/vmstring.h"

#if QM_SANITIZED
#include <sanitizer/lsan_interface.h>
#endif

std::atomic<uint32_t> vm_attention{0};
const qmValue vm_nilobject = {QM_TNIL, {nullptr}};
size_t vm_close_residue = 0;

namespace {

constexpr size_t kStateBytes = sizeof(qmState) + sizeof(qmGlobalState);

int32_t default_panic(qmState*) { return 0; }

// The global state (some 66 KB with the Gosub stack) is mapped on its own instead of taken from
// the heap: the heap answers the free of a block that large by sorting every small block freed
// before it, and at close those are all the objects of the program, cold in memory.
// The leak checker looks for pointers only in the heap, the stacks and the static data: the
// mapping is shown to it as a place that keeps objects alive.
qmGlobalState* new_global() {
  void* p = mmap(nullptr, sizeof(qmGlobalState), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
#if QM_SANITIZED
  __lsan_register_root_region(p, sizeof(qmGlobalState));
#endif
  return new (p) qmGlobalState{};
}

void delete_global(qmGlobalState* g) {
  g->~qmGlobalState();
#if QM_SANITIZED
  __lsan_unregister_root_region(g, sizeof(qmGlobalState));
#endif
  munmap(g, sizeof(qmGlobalState));
}

void stack_init(qmState* L) {
  L->stack = vm_new_array<qmValue>(L, QM_STACK_START);
  L->stacksize = QM_STACK_START;
  for (int32_t i = 0; i < QM_STACK_START; i++) setnilvalue(&L->stack[i]);
  L->stack_last = L->stack + (QM_STACK_START - QM_EXTRA_STACK);
  L->base_ci = vm_new_array<qmCallInfo>(L, QM_CI_START);
  L->size_ci = QM_CI_START;
  L->end_ci = L->base_ci + QM_CI_START - 1;
  L->ci = L->base_ci;
  L->top = L->stack;
  setnilvalue(L->top++);  // the base frame's function slot
  L->base = L->ci->base = L->top;
  L->ci->top = L->top + QM_MIN_STACK;
  L->ci->state = QM_CI_C;
  L->ci->tailcalls = 0;
  L->ci->savedpc = nullptr;
  L->ci->pc = nullptr;
  L->ci->serial = 0;
}

void open_body(qmState* L, void*) {
  qmGlobalState* g = L->g;
  g->strt.hash = nullptr;
  g->strt.size = 0;
  vm_string_table_resize(L, 32);
  stack_init(L);
  qmTable* meta = vm_table_new(L, 0, 0);
  meta->metatable = meta;
  sethvalue(&g->default_meta, meta);
  sethvalue(&L->gt, vm_table_new(L, 0, 4));
  sethvalue(&g->registry, vm_table_new(L, 4, 4));
  vm_events_init(L);
  vm_executor_init(L);
  g->memerrmsg = vm_new_cstring(L, "not enough memory");
  g->memerrmsg->marked |= QM_GC_FIXED;
  g->GCthreshold = 4 * g->nblocks;
}

void free_instance(qmState* L) {
  qmGlobalState* g = L->g;
  vm_gc_free_all(L);
  vm_free_array(L, g->strt.hash, static_cast<size_t>(g->strt.size));
  vm_free(L, g->buff, g->buffsize);
  vm_free_array(L, L->base_ci, L->size_ci);
  vm_free_array(L, L->stack, static_cast<size_t>(L->stacksize));
  vm_free_small_blocks(L);
  vm_close_residue = g->nblocks - kStateBytes;
  delete_global(g);
  delete L;
}

void close_finalizers(qmState* L, void*) { vm_gc_call_all_finalizers(L); }

}  // namespace

qmState* vm_open() {
  qmState* L = new (std::nothrow) qmState{};
  if (!L) return nullptr;
  qmGlobalState* g = new_global();
  if (!g) {
    delete L;
    return nullptr;
  }
  L->tt = QM_TTHREAD;
  L->g = g;
  L->allowhook = 1;
  setnilvalue(&L->gt);
  g->mainthread = L;
  g->panic = default_panic;
  g->nblocks = kStateBytes;
  g->exit_on_error = 1;
  g->error_line = -1;
  setnilvalue(&g->registry);
  g->default_meta.tt = QM_TNIL;
  g->default_meta.v.gc = nullptr;
  setnilvalue(&g->dummynode.key);
  setnilvalue(&g->dummynode.val);
  g->dummynode.next = nullptr;
  if (vm_raw_run_protected(L, open_body, nullptr) != 0) {
    free_instance(L);
    return nullptr;
  }
  return L;
}

void vm_close_state(qmState* L) {
  L = L->g->mainthread;
  vm_store_hook_mask(L, 0);
  vm_close_upvalues(L, L->stack);
  L->errfunc = 0;
  // finalizers run protected; one that raises is abandoned and the rest run in the next pass
  for (;;) {
    L->ci = L->base_ci;
    L->base = L->top = L->ci->base;
    L->nCcalls = 0;
    if (vm_raw_run_protected(L, close_finalizers, nullptr) == 0) break;
  }
  free_instance(L);
}
