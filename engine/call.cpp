#include "engine/call.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/errcodes.h"
#include "engine/func.h"
#include "engine/gc.h"
#include "engine/memory.h"
#include "engine/opcodes.h"
#include "engine/strutil.h"
#include "engine/table.h"
#include "engine/value.h"
#include "engine/vm_error.h"
#include "engine/vmstring.h"

using namespace qm;

// ---- errors -----------------------------------------------------------------------------------

void vm_throw(qmState* L, int32_t code) {
  if (L->errorJmp == nullptr) {
    L->g->panic(L);
    std::exit(1);
  }
  throw ScriptError{code};
}

int32_t vm_ci_line(qmState* L, const qmCallInfo* ci) {
  (void)L;
  if (ci->state & QM_CI_C) return -1;
  const qmClosure* cl = clvalue(ci->base - 1);
  if (cl->is_c) return -1;
  int32_t pc = static_cast<int32_t>(ci->savedpc - cl->p->code) - 1;
  if (pc < 0) return -1;
  return vm_proto_line(cl->p, pc);
}

void vm_raise_error(qmState* L, int32_t code) {
  L->g->error_line = (L->ci == L->base_ci) ? -1 : vm_ci_line(L, L->ci);
  if (L->g->record_position) L->g->record_position(L);
  vm_throw(L, code);
}

void vm_set_error_text(qmState* L, const char* text) {
  if (L->g->set_error_text) {
    L->g->set_error_text(L, text);
  } else {
    copy_bounded(L->g->error_text, sizeof L->g->error_text, text);
  }
}

const char* vm_local_var_name(const qmProto* p, int32_t reg, int32_t pc) {
  int32_t n = reg;  // the reg-th active local variable (numbered from 0)
  for (int32_t i = 0; i < p->sizelocvars && p->locvars[i].startpc <= pc; i++) {
    if (pc < p->locvars[i].endpc) {
      if (n == 0) return p->locvars[i].varname ? p->locvars[i].varname->data() : nullptr;
      n--;
    }
  }
  return nullptr;
}

namespace {

// Whether instruction i writes register reg.
bool sets_register(Instruction i, uint32_t reg) {
  uint32_t a = inst_a(i);
  switch (inst_op(i)) {
    case OP_SETGLOBAL: case OP_SETUPVAL: case OP_SETTABLE: case OP_JMP: case OP_EQ: case OP_LT:
    case OP_LE: case OP_RETURN: case OP_SETLIST: case OP_SETLISTO: case OP_CLOSE:
    case OP_TAILCALL: case OP_TFORPREP:
      return false;
    case OP_LOADNIL: return reg >= a && reg <= inst_b(i);
    case OP_CALL: return reg >= a;
    case OP_TFORLOOP: return reg >= a + 2;
    case OP_SELF: return reg == a || reg == a + 1;
    default: return inst_op(i) < kNumOpcodes && reg == a;
  }
}

const char* constant_name(const qmProto* p, uint32_t rk) {
  if (!rk_is_const(rk)) return nullptr;
  uint32_t k = rk_const_index(rk);
  if (k < static_cast<uint32_t>(p->sizek) && ttisstring(&p->k[k])) return tsvalue(&p->k[k])->data();
  return "?";
}

}  // namespace

const char* vm_global_name_of(qmState* L, const qmValue* f) {
  qmTable* gt = globals_table(L);
  for (int32_t i = vm_table_node_count(gt) - 1; i >= 0; i--) {
    const qmNode* n = &gt->node[i];
    if (ttisstring(&n->key) && vm_raw_equal_obj(&n->val, f)) return tsvalue(&n->key)->data();
  }
  return nullptr;
}

const char* vm_value_var_name(qmState* L, const qmValue* o, const char** kind) {
  qmCallInfo* ci = L->ci;
  if (!vm_is_script_frame(ci) || o < ci->base || o >= ci->top) return nullptr;
  return vm_frame_var_name(ci, static_cast<uint32_t>(o - ci->base), kind);
}

const char* vm_frame_var_name(const qmCallInfo* ci, uint32_t reg, const char** kind) {
  const qmProto* p = clvalue(ci->base - 1)->p;
  int32_t pc = static_cast<int32_t>(ci->savedpc - p->code) - 1;
  if (pc < 0) return nullptr;
  if (const char* name = vm_local_var_name(p, static_cast<int32_t>(reg), pc)) {
    *kind = "local";
    return name;
  }
  // the last instruction before this one that wrote the register names it
  for (int32_t j = pc - 1; j >= 0; j--) {
    Instruction i = p->code[j];
    if (!sets_register(i, reg)) continue;
    switch (inst_op(i)) {
      case OP_GETGLOBAL: {
        uint32_t k = inst_bx(i);
        if (k < static_cast<uint32_t>(p->sizek) && ttisstring(&p->k[k])) {
          *kind = "global";
          return tsvalue(&p->k[k])->data();
        }
        return nullptr;
      }
      case OP_MOVE:
        if (inst_b(i) < inst_a(i)) {
          const char* name = vm_local_var_name(p, static_cast<int32_t>(inst_b(i)), j);
          if (name) *kind = "local";
          return name;
        }
        return nullptr;
      case OP_GETTABLE:
        *kind = "field";
        return constant_name(p, inst_c(i));
      case OP_SELF:
        *kind = "method";
        return constant_name(p, inst_c(i));
      default:
        return nullptr;
    }
  }
  return nullptr;
}

void vm_raise_value_error(qmState* L, const qmValue* o, int32_t code, const char* suffix) {
  const char* kind = "";
  const char* name = vm_value_var_name(L, o, &kind);
  char text[1024];
  std::snprintf(text, sizeof text, "%s%s", name ? name : "??", suffix);
  vm_set_error_text(L, text);
  vm_raise_error(L, code);
}

// ---- protected runs ---------------------------------------------------------------------------

int32_t vm_raw_run_protected(qmState* L, qmProtectedBody f, void* ud) {
  qmProtected pj{L->errorJmp, 0};
  L->errorJmp = &pj;
  try {
    f(L, ud);
  } catch (const ScriptError& e) {
    pj.status = e.code;
  }
  L->errorJmp = pj.previous;
  return pj.status;
}

int32_t vm_pcall_raw(qmState* L, qmProtectedBody f, void* ud, ptrdiff_t oldtop, ptrdiff_t ef) {
  uint16_t oldnCcalls = L->nCcalls;
  ptrdiff_t old_ci = saveci(L, L->ci);
  uint8_t old_allowhook = L->allowhook;
  ptrdiff_t old_errfunc = L->errfunc;
  uint64_t serial_mark = L->g->next_serial;
  L->errfunc = ef;
  int32_t status = vm_raw_run_protected(L, f, ud);
  if (status != 0) {
    qmValue* top = restorestack(L, oldtop);
    vm_close_upvalues(L, top);
    L->top = top;
    L->nCcalls = oldnCcalls;
    L->ci = restoreci(L, old_ci);
    L->base = L->ci->base;
    L->allowhook = old_allowhook;
    L->stack_last = L->stack + L->stacksize - QM_EXTRA_STACK;
    if (L->size_ci > QM_MAX_CALLS && L->ci - L->base_ci < QM_MAX_CALLS) vm_realloc_ci(L, QM_MAX_CALLS);
    vm_gosub_drop_above(L, serial_mark);
  }
  L->errfunc = old_errfunc;
  return status;
}

// ---- stack and call records -------------------------------------------------------------------

namespace {

void correct_stack(qmState* L, qmValue* oldstack) {
  L->top = L->stack + (L->top - oldstack);
  for (qmGCObject* up = L->openupval; up; up = up->next) {
    qmUpVal* u = static_cast<qmUpVal*>(up);
    u->v = L->stack + (u->v - oldstack);
  }
  for (qmCallInfo* ci = L->base_ci; ci <= L->ci; ci++) {
    ci->top = L->stack + (ci->top - oldstack);
    ci->base = L->stack + (ci->base - oldstack);
  }
  L->base = L->ci->base;
}

void realloc_stack(qmState* L, int32_t newsize) {
  int32_t realsize = newsize + QM_EXTRA_STACK;
  qmValue* oldstack = L->stack;
  L->stack = vm_resize_array<qmValue>(L, L->stack, static_cast<size_t>(L->stacksize),
                                      static_cast<size_t>(realsize));
  for (int32_t i = L->stacksize; i < realsize; i++) setnilvalue(&L->stack[i]);
  L->stacksize = realsize;
  L->stack_last = L->stack + newsize;
  correct_stack(L, oldstack);
}

void grow_ci(qmState* L) {
  if (L->size_ci > QM_MAX_CALLS) vm_throw(L, ERR_STACK);
  vm_realloc_ci(L, 2 * L->size_ci);
  if (L->size_ci > QM_MAX_CALLS) vm_raise_error(L, ERR_STACK);
}

inline qmCallInfo* next_ci(qmState* L) {
  if (L->ci == L->end_ci) grow_ci(L);
  return ++L->ci;
}

// Surplus arguments of a variable-argument function go into a table under the keys 0, 1, ...
// with their count under "n"; the table takes the cell after the fixed parameters.
void adjust_varargs(qmState* L, int32_t nfixargs, qmValue* base) {
  int32_t actual = static_cast<int32_t>(L->top - base);
  if (actual < nfixargs) {
    vm_check_stack_space(L, nfixargs - actual);
    for (; actual < nfixargs; ++actual) setnilvalue(L->top++);
  }
  actual -= nfixargs;
  qmTable* htab = vm_table_new(L, actual > 1 ? actual - 1 : 0, 1);
  for (int32_t i = 0; i < actual; i++) *vm_table_set_int(L, htab, i) = *(L->top - actual + i);
  qmValue n;
  setnvalue(&n, double(actual));
  *vm_table_set_str(L, htab, vm_new_cstring(L, "n")) = n;
  L->top -= actual;
  sethvalue(L->top, htab);
  L->top++;
}

qmValue* try_call_event(qmState* L, qmValue* func) {
  const qmValue* tm = vm_event_of_value(L, func, QM_EV_CALL);
  if (!ttisfunction(tm)) vm_raise_value_error(L, func, ERR_FUNCDECLA, "()");
  ptrdiff_t funcr = savestack(L, func);
  qmValue handler = *tm;
  vm_check_stack_space(L, 1);
  func = restorestack(L, funcr);
  for (qmValue* p = L->top; p > func; p--) *p = *(p - 1);
  L->top++;
  *func = handler;
  return func;
}

void trace_call(qmState* L, const qmValue* func) {
  const char* kind = "";
  const char* name = vm_value_var_name(L, func, &kind);
  if (!name) name = vm_global_name_of(L, func);
  std::printf("Now calling %s()", name ? name : "?");
  int32_t i = 1;
  for (const qmValue* a = func + 1; a < L->top; a++, i++) {
    if (i == 1) std::printf(" with arguments ");
    switch (a->tt) {
      case QM_TNIL: std::printf("#%d=(NIL) ", i); break;
      case QM_TNUMBER: std::printf("#%d=(NUMBER)%g ", i, a->v.n); break;
      case QM_TSTRING: std::printf("#%d=(STRING)\"%s\" ", i, tsvalue(a)->data()); break;
      case QM_TTABLE: std::printf("#%d=(TABLE)%p ", i, static_cast<void*>(a->v.gc)); break;
      case QM_TFUNCTION: std::printf("#%d=(FUNCPTR)%p ", i, static_cast<void*>(a->v.gc)); break;
      default: std::printf("#%d=(INTERNAL)%d ", i, a->tt); break;
    }
  }
  std::printf("\n");
}

// A command ended by vm_command_fail: its record is the current one again (a helper may have
// failed inside a nested call) and its code becomes its result.
[[gnu::noinline]] int32_t end_failed_command(qmState* L, ptrdiff_t command_ci, uint16_t depth, int32_t code) {
  L->nCcalls = depth;
  L->ci = restoreci(L, command_ci);
  L->base = L->ci->base;
  vm_close_upvalues(L, L->base);
  if (static_cast<uint32_t>(code) <= 999u || code == -1 || code == -2) code = ERR_INTERNAL;
  return code;
}

}  // namespace

void vm_command_fail(qmState*, int32_t code) { throw CommandError{code}; }

void vm_grow_stack(qmState* L, int32_t n) {
  if (n <= L->stacksize) {
    realloc_stack(L, 2 * L->stacksize);
  } else {
    realloc_stack(L, L->stacksize + n + QM_EXTRA_STACK);
  }
}

void vm_realloc_stack(qmState* L, int32_t newsize) { realloc_stack(L, newsize); }

void vm_realloc_ci(qmState* L, int32_t newsize) {
  qmCallInfo* oldci = L->base_ci;
  L->base_ci = vm_resize_array<qmCallInfo>(L, L->base_ci, L->size_ci, static_cast<size_t>(newsize));
  L->size_ci = static_cast<uint16_t>(newsize);
  L->ci = L->base_ci + (L->ci - oldci);
  L->end_ci = L->base_ci + L->size_ci - 1;
}

qmValue* vm_precall(qmState* L, qmValue* func, int32_t* code) {
  *code = 0;
  if (!ttisfunction(func)) func = try_call_event(L, func);
  qmGlobalState* g = L->g;
  if (g->trace_calls && !g->error_pending) trace_call(L, func);
  ptrdiff_t funcr = savestack(L, func);
  qmClosure* cl = clvalue(func);
  if (!cl->is_c) {
    qmProto* p = cl->p;
    if (L->ci == L->end_ci) grow_ci(L);
    vm_check_stack_space(L, p->maxstacksize);
    func = restorestack(L, funcr);
    if (p->is_vararg) adjust_varargs(L, p->numparams, func + 1);
    vm_enter_script_frame(L, restorestack(L, funcr), p);
    return nullptr;
  }
  if (L->stack_last - L->top <= QM_MIN_STACK) vm_grow_stack(L, QM_MIN_STACK);
  qmCallInfo* ci = next_ci(L);
  L->base = ci->base = restorestack(L, funcr) + 1;
  ci->top = L->top + QM_MIN_STACK;
  ci->state = QM_CI_C;
  ci->savedpc = nullptr;
  ci->pc = nullptr;
  ci->tailcalls = 0;
  ci->serial = ++g->next_serial;
  if (L->hookmask & QM_MASK_CALL) vm_call_hook(L, QM_HOOK_CALL, -1);
  if (g->barrier && cl->f != g->barrier_keeper) {
    void (*barrier)(qmState*) = g->barrier;
    g->barrier = nullptr;
    barrier(L);
  }
  if (cl->f != g->getlasterror_fn) g->last_error = 0;
  const ptrdiff_t command_ci = saveci(L, ci);
  const uint16_t depth = L->nCcalls;
  int32_t n;
  try {
    n = cl->f(L);
  } catch (const CommandError& e) {
    n = end_failed_command(L, command_ci, depth, e.code);
  }
  if (static_cast<uint32_t>(n) <= 999u) return L->top - n;
  *code = n;
  return L->top;
}

qmValue* vm_return_hooks(qmState* L, qmValue* firstResult) {
  ptrdiff_t fr = savestack(L, firstResult);
  vm_call_hook(L, QM_HOOK_RET, -1);
  for (int32_t t = L->ci->tailcalls; t > 0; t--) vm_call_hook(L, QM_HOOK_TAILRET, -1);
  return restorestack(L, fr);
}

int32_t vm_call_raw(qmState* L, qmValue* func, int32_t nresults) {
  if (++L->nCcalls >= 200) {
    if (L->nCcalls == 200) vm_raise_error(L, ERR_STACK);
    if (L->nCcalls > 224) vm_throw(L, ERR_STACK);
  }
  ptrdiff_t funcr = savestack(L, func);
  int32_t code;
  qmValue* firstResult = vm_precall(L, func, &code);
  if (firstResult == nullptr) {
    ptrdiff_t entered = saveci(L, L->ci);
    uint64_t serial = L->ci->serial;
    firstResult = vm_execute(L);
    if (firstResult == nullptr) {
      // the end request stopped the script: drop the frames it left and give no results
      qmCallInfo* ci = restoreci(L, entered);
      vm_close_upvalues(L, ci->base);
      vm_gosub_drop_above(L, serial - 1);
      L->ci = ci;
      L->base = ci->base;
      L->top = ci->base;
      firstResult = L->top;
    }
  }
  // The results go from func on, and a caller may want more of them than its frame holds: a
  // generic for loop places its call above its variables and wants one result per variable. The
  // room is made once the call is over, since the collector may have shrunk the stack meanwhile.
  if (nresults > 0 && L->stack_last - restorestack(L, funcr) <= nresults) {
    ptrdiff_t first = savestack(L, firstResult);
    vm_grow_stack(L, int32_t(restorestack(L, funcr) + nresults - L->top));
    firstResult = restorestack(L, first);
  }
  vm_poscall(L, nresults, firstResult);
  L->nCcalls--;
  vm_gc_check(L);
  return code;
}

// ---- the error seam ---------------------------------------------------------------------------

void vm_throw_code(qmState* L, int32_t code) {
  qmGlobalState* g = L->g;
  if (g->throw_code) {
    g->throw_code(L, code);
    return;
  }
  g->last_error = code;
  if (g->exit_on_error) vm_raise_error(L, code);
}

// ---- Gosub return stack -----------------------------------------------------------------------

void vm_gosub_push(qmState* L, int32_t pc, uint64_t serial) {
  qmGlobalState* g = L->g;
  if (g->gosub_count >= QM_GOSUB_MAX) vm_raise_error(L, ERR_INTERNAL);
  g->gosub[g->gosub_count++] = qmGosubEntry{pc, serial};
}

void vm_gosub_drop_above(qmState* L, uint64_t mark) {
  qmGlobalState* g = L->g;
  while (g->gosub_count > 0 && g->gosub[g->gosub_count - 1].serial > mark) g->gosub_count--;
}

// ---- hooks ------------------------------------------------------------------------------------

void vm_call_hook(qmState* L, int32_t event, int32_t line) {
  qmHook hook = L->hook;
  if (!hook || !L->allowhook) return;
  ptrdiff_t top = savestack(L, L->top);
  ptrdiff_t ci_top = savestack(L, L->ci->top);
  qmDebug ar{};
  ar.event = event;
  ar.currentline = line;
  ar.i_ci = event == QM_HOOK_TAILRET ? 0 : static_cast<int32_t>(L->ci - L->base_ci);
  vm_check_stack_space(L, QM_MIN_STACK);
  L->ci->top = L->top + QM_MIN_STACK;
  L->allowhook = 0;
  int32_t result = 0;
  hook(L, &ar, &result);
  if (result != 0) vm_raise_error(L, result);
  L->allowhook = 1;
  L->ci->top = restorestack(L, ci_top);
  L->top = restorestack(L, top);
}
