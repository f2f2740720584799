// The stack interface: index resolution, stack manipulation, pushing, raw table access, calls.
#include <cstring>

#include "engine/bytecode.h"
#include "engine/call.h"
#include "engine/errcodes.h"
#include "engine/func.h"
#include "engine/gc.h"
#include "engine/memory.h"
#include "engine/table.h"
#include "engine/value.h"
#include "engine/vm.h"
#include "engine/vmstring.h"

namespace {

// Resolves a stack index; nullptr for an index that names no value (above the top, or an
// upvalue beyond the running closure's count).
qmValue* index2adr(qmState* L, int32_t idx) {
  if (idx > 0) {
    qmValue* o = L->base + (idx - 1);
    return o >= L->top ? nullptr : o;
  }
  if (idx > QM_REGISTRYINDEX) return L->top + idx;
  if (idx == QM_REGISTRYINDEX) return &L->g->registry;
  if (idx == QM_GLOBALSINDEX) return &L->gt;
  const qmValue* fn = L->base - 1;
  if (!ttisfunction(fn)) return nullptr;
  qmClosure* c = clvalue(fn);
  int32_t n = QM_GLOBALSINDEX - idx;
  return (c->is_c && n <= c->nupvalues) ? &c->c_upvalues()[n - 1] : nullptr;
}

qmValue* index2adr_checked(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  return o ? o : const_cast<qmValue*>(&vm_nilobject);
}

inline void api_incr_top(qmState* L) { L->top++; }

}  // namespace

int32_t vm_get_top(qmState* L) { return static_cast<int32_t>(L->top - L->base); }

void vm_set_top(qmState* L, int32_t idx) {
  if (idx >= 0) {
    while (L->top < L->base + idx) setnilvalue(L->top++);
    L->top = L->base + idx;
  } else {
    L->top += idx + 1;
  }
}

int32_t vm_check_stack(qmState* L, int32_t n) {
  if ((L->top - L->base) + n > QM_MAX_FRAME) return 0;
  vm_check_stack_space(L, n);
  if (L->ci->top < L->top + n) L->ci->top = L->top + n;
  return 1;
}

void vm_push_value(qmState* L, int32_t idx) {
  *L->top = *index2adr_checked(L, idx);
  api_incr_top(L);
}

void vm_remove(qmState* L, int32_t idx) {
  qmValue* p = index2adr_checked(L, idx);
  while (++p < L->top) *(p - 1) = *p;
  L->top--;
}

void vm_insert(qmState* L, int32_t idx) {
  qmValue* p = index2adr_checked(L, idx);
  for (qmValue* q = L->top; q > p; q--) *q = *(q - 1);
  *p = *L->top;
}

void vm_replace(qmState* L, int32_t idx) {
  *index2adr_checked(L, idx) = *(L->top - 1);
  L->top--;
}

int32_t vm_abs_index(qmState* L, int32_t idx) {
  return (idx > 0 || idx <= QM_REGISTRYINDEX) ? idx : vm_get_top(L) + idx + 1;
}

int32_t vm_type(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  return o ? o->tt : QM_TNONE;
}

int32_t vm_is_number(qmState* L, int32_t idx) {
  qmValue tmp;
  qmValue* o = index2adr(L, idx);
  return o && !ttisnil(o) && vm_tonumber(o, &tmp) != nullptr;
}

int32_t vm_is_string(qmState* L, int32_t idx) {
  int32_t t = vm_type(L, idx);
  return t == QM_TSTRING || t == QM_TNUMBER;
}

int32_t vm_is_cfunction(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  return o && ttisfunction(o) && clvalue(o)->is_c;
}

int32_t vm_is_userdata(qmState* L, int32_t idx) {
  int32_t t = vm_type(L, idx);
  return t == QM_TUSERDATA || t == QM_TLIGHTUSERDATA;
}

int32_t vm_to_boolean(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  return o && !ttisnil(o) && !(o->tt == QM_TBOOLEAN && o->v.b == 0);
}

double vm_to_number(qmState* L, int32_t idx) {
  qmValue tmp;
  qmValue* o = index2adr(L, idx);
  if (!o || ttisnil(o)) return 0;
  const qmValue* n = vm_tonumber(o, &tmp);
  return n ? n->v.n : 0;
}

const char* vm_to_string(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  if (!o) return nullptr;
  if (ttisstring(o)) return tsvalue(o)->data();
  if (!ttisnumber(o)) return nullptr;
  vm_tostring(L, o);
  return tsvalue(o)->data();
}

size_t vm_string_length(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  if (!o) return 0;
  if (ttisnumber(o)) vm_tostring(L, o);
  return ttisstring(o) ? tsvalue(o)->len : 0;
}

qmCFunction vm_to_cfunction(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  return (o && ttisfunction(o) && clvalue(o)->is_c) ? clvalue(o)->f : nullptr;
}

void* vm_to_userdata(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  if (!o) return nullptr;
  if (o->tt == QM_TUSERDATA) return uvalue(o)->block();
  if (o->tt == QM_TLIGHTUSERDATA) return o->v.p;
  return nullptr;
}

const void* vm_to_pointer(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  if (!o) return nullptr;
  switch (o->tt) {
    case QM_TTABLE: case QM_TFUNCTION: case QM_TTHREAD: return o->v.gc;
    case QM_TUSERDATA: case QM_TLIGHTUSERDATA: return vm_to_userdata(L, idx);
    default: return nullptr;
  }
}

int32_t vm_raw_equal(qmState* L, int32_t idx1, int32_t idx2) {
  qmValue* a = index2adr(L, idx1);
  qmValue* b = index2adr(L, idx2);
  return a && b && vm_raw_equal_obj(a, b);
}

namespace {

// Whether the engine's comparison rules relate the two values at all; where they do not (a
// table against a number, a string against a number) the script operators raise, but the
// programming interface answers 0.
bool comparable(const qmValue* a, const qmValue* b) {
  if (a->tt == b->tt) return true;
  const qmValue* other = ttisnil(a) ? b : ttisnil(b) ? a : nullptr;
  return other && (ttisnumber(other) || ttisstring(other));
}

}  // namespace

int32_t vm_equal(qmState* L, int32_t idx1, int32_t idx2) {
  qmValue* a = index2adr(L, idx1);
  qmValue* b = index2adr(L, idx2);
  return a && b && comparable(a, b) && vm_values_equal(L, a, b);
}

int32_t vm_less_than(qmState* L, int32_t idx1, int32_t idx2) {
  qmValue* a = index2adr(L, idx1);
  qmValue* b = index2adr(L, idx2);
  if (!a || !b || !comparable(a, b)) return 0;
  if (a->tt == b->tt && !ttisnumber(a) && !ttisstring(a) && !ttisnil(a)) {
    // tables, functions and user data order only through a shared __lt event
    const qmValue* tm1 = vm_event_of_value(L, a, QM_EV_LT);
    if (ttisnil(tm1) || !vm_raw_equal_obj(tm1, vm_event_of_value(L, b, QM_EV_LT))) return 0;
  }
  return vm_value_less(L, a, b, 1);
}

void vm_push_nil(qmState* L) {
  setnilvalue(L->top);
  api_incr_top(L);
}

void vm_push_number(qmState* L, double n) {
  setnvalue(L->top, n);
  api_incr_top(L);
}

void vm_push_boolean(qmState* L, int32_t b) {
  setbvalue(L->top, b != 0);
  api_incr_top(L);
}

void vm_push_lstring(qmState* L, const char* s, size_t len) {
  setsvalue(L->top, vm_new_string(L, s, len));
  api_incr_top(L);
}

int32_t vm_push_lstring_filled(qmState* L, size_t len, size_t (*fill)(char* dest, size_t len, void* ctx),
                               void* ctx) {
  qmTString* ts = vm_new_string_filled(L, len, fill, ctx);
  if (!ts) return qm::ERR_MEM;
  setsvalue(L->top, ts);
  api_incr_top(L);
  return 0;
}

void vm_push_storage(qmState* L, qmStringStorage* s) {
  setsvalue(L->top, vm_string_from_storage(L, s));
  api_incr_top(L);
}

void vm_push_string(qmState* L, const char* s) { vm_push_lstring(L, s, std::strlen(s)); }

void vm_push_cstring(qmState* L, const char* s) {
  if (s == nullptr) {
    vm_push_nil(L);
  } else {
    vm_push_string(L, s);
  }
}

void vm_push_lightuserdata(qmState* L, void* p) {
  setpvalue(L->top, p);
  api_incr_top(L);
}

void vm_push_cclosure(qmState* L, qmCFunction f, int32_t n) {
  qmClosure* cl = vm_closure_new_c(L, f, n, &L->gt);
  L->top -= n;
  for (int32_t i = 0; i < n; i++) cl->c_upvalues()[i] = L->top[i];
  setclvalue(L->top, cl);
  api_incr_top(L);
}

void vm_new_table(qmState* L) {
  vm_gc_check(L);
  sethvalue(L->top, vm_table_new(L, 0, 0));
  api_incr_top(L);
}

void* vm_new_userdata(qmState* L, size_t size) {
  vm_gc_check(L);
  qmUserdata* u = vm_userdata_new(L, size);
  setuvalue(L->top, u);
  api_incr_top(L);
  return u->block();
}

void vm_get_table(qmState* L, int32_t idx) {
  qmValue* t = index2adr_checked(L, idx);
  vm_gettable(L, t, L->top - 1, L->top - 1);
}

void vm_raw_get(qmState* L, int32_t idx) {
  qmValue* t = index2adr_checked(L, idx);
  *(L->top - 1) = *vm_table_get(hvalue(t), L->top - 1);
}

void vm_raw_geti(qmState* L, int32_t idx, int32_t n) {
  qmValue* t = index2adr_checked(L, idx);
  *L->top = *vm_table_get_int(hvalue(t), n);
  api_incr_top(L);
}

void vm_set_table(qmState* L, int32_t idx) {
  qmValue* t = index2adr_checked(L, idx);
  vm_settable(L, t, L->top - 2, L->top - 1);
  L->top -= 2;
}

void vm_raw_set(qmState* L, int32_t idx) {
  qmValue* t = index2adr_checked(L, idx);
  *vm_table_set(L, hvalue(t), L->top - 2) = *(L->top - 1);
  L->top -= 2;
}

void vm_raw_seti(qmState* L, int32_t idx, int32_t n) {
  qmValue* t = index2adr_checked(L, idx);
  *vm_table_set_int(L, hvalue(t), n) = *(L->top - 1);
  L->top--;
}

int32_t vm_next(qmState* L, int32_t idx) {
  qmValue* t = index2adr_checked(L, idx);
  int32_t more = vm_table_next(L, hvalue(t), L->top - 1);
  if (more) {
    api_incr_top(L);
  } else {
    L->top--;
  }
  return more;
}

// ---- environments, metatables, upvalues -------------------------------------------------------

namespace {

bool is_script_function(const qmValue* o) { return o && ttisfunction(o) && !clvalue(o)->is_c; }

qmTable** metatable_slot(qmValue* o) {
  if (!o) return nullptr;
  if (ttistable(o)) return &hvalue(o)->metatable;
  if (o->tt == QM_TUSERDATA) return &uvalue(o)->metatable;
  return nullptr;
}

// The cell of upvalue n of the closure at funcindex and its name; nullptr when there is none.
qmValue* upvalue_cell(qmState* L, int32_t funcindex, int32_t n, const char** name) {
  qmValue* fi = index2adr(L, funcindex);
  if (!fi || !ttisfunction(fi) || n < 1) return nullptr;
  qmClosure* f = clvalue(fi);
  if (n > f->nupvalues) return nullptr;
  if (f->is_c) {
    *name = "";
    return &f->c_upvalues()[n - 1];
  }
  qmUpVal* uv = f->upvals()[n - 1];
  if (!uv) return nullptr;
  const qmProto* p = f->p;
  *name = (n <= p->sizeupvalues && p->upvalues[n - 1]) ? p->upvalues[n - 1]->data() : "";
  return uv->v;
}

}  // namespace

void vm_get_fenv(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  *L->top = is_script_function(o) ? clvalue(o)->env : L->gt;
  api_incr_top(L);
}

int32_t vm_set_fenv(qmState* L, int32_t idx) {
  qmValue* o = index2adr(L, idx);
  L->top--;
  if (!is_script_function(o) || !ttistable(L->top)) return 0;
  clvalue(o)->env = *L->top;
  return 1;
}

int32_t vm_get_metatable(qmState* L, int32_t idx) {
  qmTable** slot = metatable_slot(index2adr(L, idx));
  if (!slot || *slot == hvalue(&L->g->default_meta)) return 0;
  sethvalue(L->top, *slot);
  api_incr_top(L);
  return 1;
}

int32_t vm_set_metatable(qmState* L, int32_t idx) {
  qmTable** slot = metatable_slot(index2adr(L, idx));
  const qmValue* mt = ttisnil(L->top - 1) ? &L->g->default_meta : L->top - 1;
  int32_t done = slot && ttistable(mt);
  if (done) *slot = hvalue(mt);
  L->top--;
  return done;
}

int32_t vm_push_upvalues(qmState* L) {
  const qmValue* fn = L->base - 1;
  if (!ttisfunction(fn) || !clvalue(fn)->is_c) return 0;
  qmClosure* c = clvalue(fn);
  int32_t n = c->nupvalues;
  vm_check_stack_space(L, n + QM_MIN_STACK);
  for (int32_t i = 0; i < n; i++) *L->top++ = c->c_upvalues()[i];
  return n;
}

const char* vm_get_upvalue(qmState* L, int32_t funcindex, int32_t n) {
  const char* name = nullptr;
  qmValue* cell = upvalue_cell(L, funcindex, n, &name);
  if (!cell) return nullptr;
  *L->top = *cell;
  api_incr_top(L);
  return name;
}

const char* vm_set_upvalue(qmState* L, int32_t funcindex, int32_t n) {
  const char* name = nullptr;
  qmValue* cell = upvalue_cell(L, funcindex, n, &name);
  if (!cell) return nullptr;
  L->top--;
  *cell = *L->top;
  return name;
}

// ---- calls ------------------------------------------------------------------------------------

int32_t vm_call(qmState* L, int32_t nargs, int32_t nresults) {
  int32_t code = vm_call_raw(L, L->top - (nargs + 1), nresults);
  if (code != 0) vm_throw_code(L, code);
  return code;
}

namespace {

struct CallArgs {
  qmValue* func;
  int32_t nresults;
};

void call_body(qmState* L, void* ud) {
  CallArgs* c = static_cast<CallArgs*>(ud);
  int32_t code = vm_call_raw(L, c->func, c->nresults);
  if (code != 0) vm_throw_code(L, code);
}

}  // namespace

int32_t vm_pcall(qmState* L, int32_t nargs, int32_t nresults, int32_t errfunc) {
  ptrdiff_t ef = 0;
  if (errfunc != 0) {
    qmValue* o = index2adr(L, errfunc);
    ef = o ? savestack(L, o) : 0;
  }
  CallArgs c{L->top - (nargs + 1), nresults};
  return vm_pcall_raw(L, call_body, &c, savestack(L, c.func), ef);
}

int32_t vm_cpcall(qmState* L, void (*f)(qmState* L, void* ud), void* ud) {
  return vm_pcall_raw(L, f, ud, savestack(L, L->top), 0);
}

namespace {

struct LoadArgs {
  qmStream* z;
  qmBuffer* buff;
  qmCodeFault* fault;
};

// A loaded main function may declare upvalues (a dumped closure has them); each gets a closed
// upvalue of its own holding nil.
void load_body(qmState* L, void* ud) {
  LoadArgs* a = static_cast<LoadArgs*>(ud);
  qmProto* p = bytecode_load(L, a->z, a->buff, a->fault);
  qmClosure* cl = vm_closure_new_script(L, p, &L->gt);
  setclvalue(L->top, cl);
  api_incr_top(L);
  for (int32_t i = 0; i < p->nups; i++) {
    qmUpVal* uv = static_cast<qmUpVal*>(vm_malloc(L, sizeof(qmUpVal)));
    setnilvalue(&uv->value);
    uv->v = &uv->value;
    vm_gc_link(L, uv, QM_TUPVAL);
    cl->upvals()[i] = uv;
  }
}

}  // namespace

int32_t vm_load(qmState* L, qmReader reader, void* data, const char* chunkname) {
  return vm_load_checked(L, reader, data, chunkname, nullptr);
}

int32_t vm_load_checked(qmState* L, qmReader reader, void* data, const char* chunkname,
                        qmCodeFault* fault) {
  vm_gc_check(L);
  qmStream z;
  stream_init(L, &z, reader, data, chunkname ? chunkname : "?");
  qmBuffer buff;
  buffer_init(&buff);
  LoadArgs a{&z, &buff, fault};
  int32_t status = vm_pcall_raw(L, load_body, &a, savestack(L, L->top), 0);
  buffer_free(L, &buff);
  return status;
}

void vm_concat(qmState* L, int32_t n) {
  if (n >= 2) {
    vm_gc_check(L);
    vm_concat_values(L, n, static_cast<int32_t>(L->top - L->base) - 1);
    L->top -= n - 1;
  } else if (n == 0) {
    vm_push_lstring(L, "", 0);
  }
}

// ---- errors, Gosub, end request ---------------------------------------------------------------

void vm_set_error_hooks(qmState* L, qmThrowCodeHook throw_code, qmPositionHook record_position,
                        qmErrorTextHook set_error_text) {
  L->g->throw_code = throw_code;
  L->g->record_position = record_position;
  L->g->set_error_text = set_error_text;
}

int32_t vm_get_last_error(qmState* L) { return L->g->last_error; }
void vm_set_last_error(qmState* L, int32_t code) { L->g->last_error = code; }
int32_t vm_get_exit_on_error(qmState* L) { return L->g->exit_on_error; }
void vm_set_exit_on_error(qmState* L, int32_t on) { L->g->exit_on_error = on != 0; }
int32_t vm_get_error_line(qmState* L) { return L->g->error_line; }
const char* vm_get_error_text(qmState* L) { return L->g->error_text; }
void vm_set_getlasterror_command(qmState* L, qmCFunction f) { L->g->getlasterror_fn = f; }
void vm_set_command_barrier(qmState* L, qmCFunction keeper, void (*barrier)(qmState*)) {
  L->g->barrier_keeper = keeper;
  L->g->barrier = barrier;
}
void vm_set_call_tracer(qmState* L, int32_t on) { L->g->trace_calls = on != 0; }
void vm_set_error_pending(qmState* L, int32_t on) { L->g->error_pending = on != 0; }

void vm_set_error_number_hook(qmState* L, qmErrorNumberHook hook) { L->g->set_error_number = hook; }

void vm_set_error_number(qmState* L, int32_t n) {
  L->g->error_number = n;
  if (L->g->set_error_number) L->g->set_error_number(L, n);
}

int32_t vm_get_error_number(qmState* L) { return L->g->error_number; }

void vm_set_jump_distance(qmState* L, int32_t distance) { L->g->jump_distance = distance; }
int32_t vm_get_call_position(qmState* L) { return L->g->call_position; }
int32_t vm_gosub_depth(qmState* L) { return L->g->gosub_count; }

void vm_request_end() { vm_attention.fetch_or(VM_ATTENTION_END, std::memory_order_relaxed); }
void vm_clear_end_request() { vm_attention.fetch_and(~VM_ATTENTION_END, std::memory_order_relaxed); }
int32_t vm_end_requested() { return vm_attention.load(std::memory_order_relaxed) & VM_ATTENTION_END; }

void vm_collect(qmState* L) { vm_collect_garbage(L); }
size_t vm_bytes_in_use(qmState* L) { return L->g->nblocks; }
