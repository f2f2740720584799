// Collector: a full, non-incremental trace and sweep, triggered by the byte counter.
//
// A collection marks from the roots (registry, default metatable, the main thread's globals,
// stack and open upvalues, and the user data still awaiting finalization), separates the
// unreached user data that have a __gc event, clears the weak tables, sweeps the string table
// and the object lists, shrinks what has grown large, sets the next threshold and then runs the
// finalizers. Tracing never recurses along table chains: tables, closures and prototypes that
// have been reached wait on a gray list (linked through their gclist field) until their
// references are traced, so a long chain of tables costs no host stack.
#include "engine/gc.h"

#include <cstring>

#include "engine/call.h"
#include "engine/func.h"
#include "engine/memory.h"
#include "engine/state.h"
#include "engine/table.h"
#include "engine/value.h"
#include "engine/vmstring.h"

namespace {

constexpr int32_t kMinCallInfos = 2 * QM_CI_START;     // the call-record array never shrinks below
constexpr int32_t kMinStackCells = 2 * QM_STACK_START;  // the stack never shrinks below
constexpr int32_t kMinStringBuckets = 64;
constexpr size_t kMinConcatBuffer = 64;

struct Tracer {
  qmState* L;
  qmGCObject* gray;  // reached, references not yet traced
  qmTable* weak;     // weak tables met while tracing, cleared after it
};

bool is_marked(const qmGCObject* o) { return (o->marked & QM_GC_MARKED) != 0; }

qmGCObject** gclist_of(qmGCObject* o) {
  switch (o->tt) {
    case QM_TTABLE: return &static_cast<qmTable*>(o)->gclist;
    case QM_TFUNCTION: return &static_cast<qmClosure*>(o)->gclist;
    case QM_TPROTO: return &static_cast<qmProto*>(o)->gclist;
    default: return &static_cast<qmState*>(o)->gclist;
  }
}

void mark_value(Tracer* tr, const qmValue* v);

void mark_object(Tracer* tr, qmGCObject* o) {
  if (o == nullptr || is_marked(o)) return;
  o->marked |= QM_GC_MARKED;
  switch (o->tt) {
    case QM_TSTRING:
      return;
    case QM_TUSERDATA: {
      qmTable* mt = static_cast<qmUserdata*>(o)->metatable;
      if (mt) mark_object(tr, mt);
      return;
    }
    case QM_TUPVAL:
      // An open upvalue points at a cell of the traced stack; a closed one at its own value.
      mark_value(tr, static_cast<qmUpVal*>(o)->v);
      return;
    default:
      *gclist_of(o) = tr->gray;
      tr->gray = o;
      return;
  }
}

void mark_value(Tracer* tr, const qmValue* v) {
  if (iscollectable(v)) mark_object(tr, v->v.gc);
}

void mark_string(qmTString* s) {
  if (s) s->marked |= QM_GC_MARKED;
}

void trace_table(Tracer* tr, qmTable* h) {
  bool weakkeys = false;
  bool weakvalues = false;
  if (h->metatable) {
    mark_object(tr, h->metatable);
    const qmValue* mode = vm_fast_event(tr->L, h->metatable, QM_EV_MODE);
    if (mode && ttisstring(mode)) {
      weakkeys = std::strchr(tsvalue(mode)->data(), 'k') != nullptr;
      weakvalues = std::strchr(tsvalue(mode)->data(), 'v') != nullptr;
    }
  }
  if (weakkeys || weakvalues) {
    h->gclist = tr->weak;
    tr->weak = h;
  }
  if (!weakvalues) {
    for (int32_t i = 0; i < h->sizearray; i++) mark_value(tr, &h->array[i]);
  }
  for (int32_t i = vm_table_node_count(h) - 1; i >= 0; i--) {
    const qmNode* n = &h->node[i];
    // A node whose value is nil is a removed entry: its key may already be freed.
    if (ttisnil(&n->val)) continue;
    if (!weakkeys) mark_value(tr, &n->key);
    if (!weakvalues) mark_value(tr, &n->val);
  }
}

void trace_closure(Tracer* tr, qmClosure* cl) {
  mark_value(tr, &cl->env);
  if (cl->is_c) {
    for (int32_t i = 0; i < cl->nupvalues; i++) mark_value(tr, &cl->c_upvalues()[i]);
  } else {
    mark_object(tr, cl->p);
    for (int32_t i = 0; i < cl->nupvalues; i++) mark_object(tr, cl->upvals()[i]);
  }
}

void trace_proto(Tracer* tr, qmProto* p) {
  mark_string(p->source);
  for (int32_t i = 0; i < p->sizek; i++) mark_value(tr, &p->k[i]);
  for (int32_t i = 0; i < p->sizep; i++) mark_object(tr, p->p[i]);
  for (int32_t i = 0; i < p->sizeupvalues; i++) mark_string(p->upvalues[i]);
  for (int32_t i = 0; i < p->sizelocvars; i++) mark_string(p->locvars[i].varname);
}

// The stack is live from its first cell to the top. Cells above the top that a frame may still
// read before writing (up to the highest frame top) are cleared, so stale values there neither
// keep objects alive nor dangle after the sweep. Then oversized arrays are halved.
void trace_thread(Tracer* tr, qmState* th) {
  mark_value(tr, &th->gt);
  for (qmValue* o = th->stack; o < th->top; o++) mark_value(tr, o);
  qmValue* lim = th->top;
  for (qmCallInfo* ci = th->base_ci; ci <= th->ci; ci++) {
    if (lim < ci->top) lim = ci->top;
  }
  qmValue* end = th->stack + th->stacksize;
  if (lim > end) lim = end;
  for (qmValue* o = th->top; o < lim; o++) setnilvalue(o);

  int32_t ci_used = static_cast<int32_t>(th->ci - th->base_ci);
  if (4 * ci_used < th->size_ci && th->size_ci > kMinCallInfos) vm_realloc_ci(th, th->size_ci / 2);
  int32_t stack_used = static_cast<int32_t>(lim - th->stack);
  if (4 * stack_used < th->stacksize && th->stacksize > kMinStackCells)
    vm_realloc_stack(th, th->stacksize / 2);
}

void propagate(Tracer* tr) {
  while (qmGCObject* o = tr->gray) {
    tr->gray = *gclist_of(o);
    switch (o->tt) {
      case QM_TTABLE: trace_table(tr, static_cast<qmTable*>(o)); break;
      case QM_TFUNCTION: trace_closure(tr, static_cast<qmClosure*>(o)); break;
      case QM_TPROTO: trace_proto(tr, static_cast<qmProto*>(o)); break;
      case QM_TTHREAD: trace_thread(tr, static_cast<qmState*>(o)); break;
      default: break;
    }
  }
}

void mark_roots(Tracer* tr) {
  qmGlobalState* g = tr->L->g;
  mark_value(tr, &g->registry);
  mark_value(tr, &g->default_meta);
  mark_value(tr, &g->engine_next);
  // The main thread is not on any object list (it is freed by close), so its mark is never
  // swept; it is traced directly instead.
  trace_thread(tr, g->mainthread);
  for (qmGCObject* o = g->tmudata; o; o = o->next) mark_object(tr, o);
}

bool has_gc_event(qmState* L, qmUserdata* u) {
  return vm_fast_event(L, u->metatable, QM_EV_GC) != nullptr;
}

// Moves every unreached, unfinalized user data with a __gc event to the end of the awaiting
// list, in list order. With `all`, reached ones go too (closing). Returns their size.
size_t separate_userdata(qmState* L, bool all) {
  qmGlobalState* g = L->g;
  size_t deadmem = 0;
  qmGCObject** tail = &g->tmudata;
  while (*tail) tail = &(*tail)->next;
  qmGCObject** p = &g->rootudata;
  while (qmGCObject* curr = *p) {
    qmUserdata* u = static_cast<qmUserdata*>(curr);
    if ((!all && is_marked(curr)) || !(curr->marked & QM_GC_UNFINALIZED) || !has_gc_event(L, u)) {
      p = &curr->next;
      continue;
    }
    deadmem += sizeof(qmUserdata) + u->len;
    *p = curr->next;
    curr->next = nullptr;
    *tail = curr;
    tail = &curr->next;
  }
  return deadmem;
}

// Strings count as always reached in weak tables (they are values, not identities): an entry
// that holds one is kept and the string survives with it.
bool is_cleared(const qmValue* o) {
  if (!iscollectable(o)) return false;
  if (ttisstring(o)) {
    mark_string(tsvalue(o));
    return false;
  }
  return !is_marked(o->v.gc);
}

void clear_weak_tables(Tracer* tr) {
  for (qmTable* h = tr->weak; h; h = static_cast<qmTable*>(h->gclist)) {
    // the mode was read while tracing; read it again (the metatable cannot have changed)
    const qmValue* mode = vm_fast_event(tr->L, h->metatable, QM_EV_MODE);
    bool weakkeys = std::strchr(tsvalue(mode)->data(), 'k') != nullptr;
    bool weakvalues = std::strchr(tsvalue(mode)->data(), 'v') != nullptr;
    if (weakvalues) {
      for (int32_t i = 0; i < h->sizearray; i++) {
        if (is_cleared(&h->array[i])) setnilvalue(&h->array[i]);
      }
    }
    for (int32_t i = vm_table_node_count(h) - 1; i >= 0; i--) {
      qmNode* n = &h->node[i];
      if (ttisnil(&n->val)) continue;
      // Both tests run so that a kept string key or value is marked either way.
      bool key_gone = is_cleared(&n->key) && weakkeys;
      bool value_gone = is_cleared(&n->val) && weakvalues;
      if (key_gone || value_gone) setnilvalue(&n->val);
    }
  }
}

// Frees the unreached objects of a list (fixed ones stay) and unmarks the survivors.
void sweep_list(qmState* L, qmGCObject** p) {
  while (qmGCObject* curr = *p) {
    if (is_marked(curr) || (curr->marked & QM_GC_FIXED)) {
      curr->marked &= static_cast<uint8_t>(~QM_GC_MARKED);
      p = &curr->next;
    } else {
      *p = curr->next;
      vm_gc_free_object(L, curr);
    }
  }
}

void sweep(qmState* L) {
  qmGlobalState* g = L->g;
  for (int32_t i = 0; i < g->strt.size; i++) sweep_list(L, &g->strt.hash[i]);
  sweep_list(L, &g->rootgc);
  sweep_list(L, &g->rootudata);
  // the awaiting user data were marked to survive; they are finalized next and must look
  // unreached to a collection that a finalizer may start
  for (qmGCObject* o = g->tmudata; o; o = o->next) o->marked &= static_cast<uint8_t>(~QM_GC_MARKED);
  for (qmGCObject* o = g->mainthread->openupval; o; o = o->next)
    o->marked &= static_cast<uint8_t>(~QM_GC_MARKED);
}

void shrink_buffers(qmState* L) {
  qmGlobalState* g = L->g;
  if (g->strt.nuse < static_cast<uint32_t>(g->strt.size / 4) && g->strt.size > kMinStringBuckets)
    vm_string_table_resize(L, g->strt.size / 2);
  if (g->buffsize > kMinConcatBuffer) {
    size_t newsize = g->buffsize / 2;
    g->buff = static_cast<char*>(vm_realloc(L, g->buff, g->buffsize, newsize));
    g->buffsize = newsize;
  }
}

// Restores the hook permission however the finalizers end.
struct HookBlock {
  qmState* L;
  uint8_t saved;
  explicit HookBlock(qmState* s) : L(s), saved(s->allowhook) { L->allowhook = 0; }
  ~HookBlock() { L->allowhook = saved; }
  HookBlock(const HookBlock&) = delete;
  HookBlock& operator=(const HookBlock&) = delete;
};

// Each awaiting user data goes back to the user data list as finalized before its __gc runs,
// so an error in one finalizer leaves it finalized once and the rest still awaiting.
void call_finalizers(qmState* L) {
  qmGlobalState* g = L->g;
  HookBlock block(L);
  while (qmGCObject* o = g->tmudata) {
    qmUserdata* u = static_cast<qmUserdata*>(o);
    g->tmudata = o->next;
    o->next = g->rootudata;
    g->rootudata = o;
    o->marked &= static_cast<uint8_t>(~(QM_GC_MARKED | QM_GC_UNFINALIZED));
    const qmValue* tm = vm_fast_event(L, u->metatable, QM_EV_GC);
    if (tm == nullptr || !ttisfunction(tm)) continue;
    qmValue f = *tm;
    vm_check_stack_space(L, 2);
    L->top[0] = f;
    setuvalue(L->top + 1, u);
    L->top += 2;
    int32_t code = vm_call_raw(L, L->top - 2, 0);
    if (code != 0) vm_throw_code(L, code);  // a command's error code, as from any host call
  }
}

}  // namespace

void vm_gc_step(qmState* L) { vm_collect_garbage(L); }

void vm_collect_garbage(qmState* L) {
  qmGlobalState* g = L->g;
  Tracer tr{L, nullptr, nullptr};
  mark_roots(&tr);
  propagate(&tr);
  size_t deadmem = separate_userdata(L, false);
  for (qmGCObject* o = g->tmudata; o; o = o->next) mark_object(&tr, o);
  propagate(&tr);
  clear_weak_tables(&tr);
  sweep(L);
  shrink_buffers(L);
  g->GCthreshold = 2 * g->nblocks - deadmem;
  call_finalizers(L);
}

void vm_gc_call_all_finalizers(qmState* L) {
  separate_userdata(L, true);
  call_finalizers(L);
}

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
