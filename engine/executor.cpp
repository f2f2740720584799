// The executor: one loop runs a script frame and every script-to-script call and return below
// it. Numbers take inline paths for every arithmetic, bitwise and comparison operation; anything
// else goes to the slow paths in value.cpp. Registers and constants are addressed without checks:
// the loader's code check guarantees valid operands.
//
// pc always points at the next instruction. It lives in a local and is written back to the call
// record (savedpc) before anything that may call out or raise, so error lines, hooks and the
// call-information queries always see the running instruction as savedpc - 1.
#include <cmath>
#include <cstdio>

#include "engine/call.h"
#include "engine/errcodes.h"
#include "engine/func.h"
#include "engine/gc.h"
#include "engine/opcodes.h"
#include "engine/table.h"
#include "engine/value.h"
#include "engine/vmstring.h"

using namespace qm;

namespace {

// The text of a missing field's key in error 1159: a string in double quotes, a number with %g.
[[noreturn]] void raise_field_error(qmState* L, const qmValue* key) {
  char text[1024];
  switch (key->tt) {
    case QM_TSTRING: std::snprintf(text, sizeof text, "\"%s\"", tsvalue(key)->data()); break;
    case QM_TNUMBER: std::snprintf(text, sizeof text, "%g", key->v.n); break;
    case QM_TNIL: std::snprintf(text, sizeof text, "%g", 0.0); break;
    case QM_TBOOLEAN: std::snprintf(text, sizeof text, "%s", key->v.b ? "(true)" : "(false)"); break;
    case QM_TTABLE: std::snprintf(text, sizeof text, "(table)"); break;
    case QM_TFUNCTION: std::snprintf(text, sizeof text, "(function)"); break;
    default: std::snprintf(text, sizeof text, "(userdata)"); break;
  }
  vm_set_error_text(L, text);
  vm_raise_error(L, ERR_FIELDINIT);
}

// R(A) := t[key] for GETTABLE (`strict`: a missing field raises 1159) and SELF (gives nil).
void index_value(qmState* L, const qmValue* t, const qmValue* key, qmValue* ra, bool strict) {
  const qmValue* tm;
  if (ttistable(t)) {
    qmTable* h = hvalue(t);
    const qmValue* v = vm_table_get(h, key);
    if (!ttisnil(v)) {
      vm_copy_cell(ra, v);
      return;
    }
    tm = vm_fast_event(L, h->metatable, QM_EV_INDEX);
    if (tm == nullptr) {
      if (strict) raise_field_error(L, key);
      setnilvalue(ra);
      return;
    }
  } else {
    tm = vm_event_of_value(L, t, QM_EV_INDEX);
    if (ttisnil(tm)) vm_raise_value_error(L, t, ERR_TABLEDECLA, "{}");
  }
  if (ttisfunction(tm)) {
    vm_call_event_result(L, ra, tm, t, key);
    return;
  }
  qmValue k = *key;
  bool in_stack = ra >= L->stack && ra < L->stack + L->stacksize;
  ptrdiff_t res = in_stack ? savestack(L, ra) : 0;
  qmValue tmv = *tm;
  qmValue result;
  bool found = vm_gettable(L, &tmv, &k, &result, 1);
  if (!found && strict && ttistable(t)) raise_field_error(L, &k);
  *(in_stack ? restorestack(L, res) : ra) = result;
}

void get_global(qmState* L, qmClosure* cl, const qmValue* key, qmValue* ra) {
  qmTable* gt = hvalue(&cl->env);
  const qmValue* v = ttisstring(key) ? vm_table_get_str(gt, tsvalue(key)) : vm_table_get(gt, key);
  if (!ttisnil(v)) {
    vm_copy_cell(ra, v);
    return;
  }
  const qmValue* tm = vm_fast_event(L, gt->metatable, QM_EV_INDEX);
  if (tm == nullptr) {
    setnilvalue(ra);
  } else if (ttisfunction(tm)) {
    vm_call_event_result(L, ra, tm, &cl->env, key);
  } else {
    qmValue t = *tm, k = *key, result;
    ptrdiff_t res = savestack(L, ra);
    vm_gettable(L, &t, &k, &result, 1);
    *restorestack(L, res) = result;
  }
}

// A raw store into an existing non-nil slot cannot change which events a table has, so it
// may skip the slow path (and the absence cache stays valid).
inline bool fast_store(qmTable* h, const qmValue* key, const qmValue* val) {
  const qmValue* slot = ttisstring(key) ? vm_table_get_str(h, tsvalue(key)) : vm_table_get(h, key);
  if (ttisnil(slot)) return false;
  vm_copy_cell(const_cast<qmValue*>(slot), val);
  return true;
}

// A missing field read through a metatable whose __index is a table that holds the field
// directly: the commonest shape of method and class lookups. Null when the slow path must go
// further (no __index, a function, or a chain beyond the first table).
inline const qmValue* index_table_hit(qmState* L, qmTable* h, const qmValue* key) {
  const qmValue* tm = vm_fast_event(L, h->metatable, QM_EV_INDEX);
  if (tm == nullptr || !ttistable(tm)) return nullptr;
  const qmValue* v = ttisstring(key) ? vm_table_get_str(hvalue(tm), tsvalue(key)) : vm_table_get(hvalue(tm), key);
  return ttisnil(v) ? nullptr : v;
}

// FORLOOP's limit and step: nil becomes 0 and a numeric string its number, in the register.
bool for_operand(qmValue* o) {
  if (ttisnumber(o)) return true;
  qmValue tmp;
  const qmValue* n = vm_tonumber(o, &tmp);
  if (n == nullptr) return false;
  setnvalue(o, n->v.n);
  return true;
}

// The line and count hooks between instructions.
void trace_exec(qmState* L, const Instruction* pc) {
  uint8_t mask = L->hookmask;
  qmCallInfo* ci = L->ci;
  if (mask & QM_MASK_COUNT) {
    if (--L->hookcount == 0) {
      L->hookcount = L->basehookcount;
      ci->savedpc = pc;
      vm_call_hook(L, QM_HOOK_COUNT, -1);
      return;
    }
  }
  if (!(mask & QM_MASK_LINE)) return;
  const qmProto* p = clvalue(ci->base - 1)->p;
  if (!L->hookinit) {  // the first line event after vm_set_hook: report this line
    ci->savedpc = pc;
    L->hookinit = 1;
  }
  int32_t npc = static_cast<int32_t>(pc - p->code) - 1;
  int32_t newline = vm_proto_line(p, npc);
  if (npc == 0) ci->savedpc = pc;  // tracing may start at the first instruction
  int32_t oldpc = static_cast<int32_t>(ci->savedpc - p->code) - 1;
  // a new line, or a jump backwards (a loop) onto the same line
  if (pc <= ci->savedpc || newline != vm_proto_line(p, oldpc)) {
    ci->savedpc = pc;
    vm_call_hook(L, QM_HOOK_LINE, newline);
    ci = L->ci;
  }
  ci->savedpc = pc;
}

// A command's Gosub request: return position and target must lie inside the running code.
void command_gosub(qmState* L, qmCallInfo* ci, const Instruction*& pc, const qmProto* p, int32_t kind) {
  qmGlobalState* g = L->g;
  int32_t here = static_cast<int32_t>(pc - p->code);
  int32_t ret = kind == -1 ? here : here - 2;
  int64_t target = int64_t(here) + g->jump_distance;
  if (ret < 0 || target < 0 || target >= p->sizecode) vm_raise_error(L, ERR_INTERNAL);
  vm_gosub_push(L, ret, ci->serial);
  pc = p->code + target;
}

int32_t engine_next(qmState* L) {
  if (!ttistable(L->base) || L->top - L->base < 1) vm_raise_error(L, ERR_TABEXPECTED);
  if (L->top - L->base < 2) setnilvalue(L->top++);
  L->top = L->base + 2;
  if (vm_table_next(L, hvalue(L->base), L->base + 1)) {
    L->top = L->base + 3;
    return 2;
  }
  setnilvalue(L->base + 1);
  return 1;
}

}  // namespace

void vm_executor_init(qmState* L) {
  setclvalue(&L->g->engine_next, vm_closure_new_c(L, engine_next, 0, &L->gt));
}

qmValue* vm_execute(qmState* L) {
  qmGlobalState* const g = L->g;
  qmCallInfo* ci;
  qmClosure* cl;
  const qmValue* k;
  qmValue* base;
  const Instruction* pc;
  const Instruction* code;
  Instruction i;
  qmValue* ra;

  // Threaded dispatch: every operation ends with its own fetch and indirect jump, which
  // predicts far better than one shared switch jump. Operations 43..63 do nothing.
  static const void* const kDispatch[64] = {
      &&L_OP_MOVE,     &&L_OP_LOADK,    &&L_OP_LOADBOOL, &&L_OP_LOADNIL,  &&L_OP_GETUPVAL,
      &&L_OP_GETGLOBAL, &&L_OP_GETTABLE, &&L_OP_SETGLOBAL, &&L_OP_SETUPVAL, &&L_OP_SETTABLE,
      &&L_OP_NEWTABLE, &&L_OP_ADD,      &&L_OP_SUB,      &&L_OP_MUL,      &&L_OP_DIV,
      &&L_OP_DIVINT,   &&L_OP_MOD,      &&L_OP_LSH,      &&L_OP_RSH,      &&L_OP_OR,
      &&L_OP_AND,      &&L_OP_XOR,      &&L_OP_POW,      &&L_OP_UNM,      &&L_OP_NOT,
      &&L_OP_BNOT,     &&L_OP_CONCAT,   &&L_OP_JMP,      &&L_OP_EQ,       &&L_OP_LT,
      &&L_OP_LE,       &&L_OP_TEST,     &&L_OP_CALL,     &&L_OP_TAILCALL, &&L_OP_RETURN,
      &&L_OP_FORLOOP,  &&L_OP_TFORLOOP, &&L_OP_TFORPREP, &&L_OP_SETLIST,  &&L_OP_SETLISTO,
      &&L_OP_CLOSE,    &&L_OP_CLOSURE,  &&L_OP_SELF,     &&L_NOP,         &&L_NOP,
      &&L_NOP,         &&L_NOP,         &&L_NOP,         &&L_NOP,         &&L_NOP,
      &&L_NOP,         &&L_NOP,         &&L_NOP,         &&L_NOP,         &&L_NOP,
      &&L_NOP,         &&L_NOP,         &&L_NOP,         &&L_NOP,         &&L_NOP,
      &&L_NOP,         &&L_NOP,         &&L_NOP,         &&L_NOP,
  };
  static_assert(kNumOpcodes == 43);
  // While the attention word is set, every operation goes through slowbreak first.
#define SLOW4 &&slowbreak, &&slowbreak, &&slowbreak, &&slowbreak
#define SLOW16 SLOW4, SLOW4, SLOW4, SLOW4
  static const void* const kAttend[64] = {SLOW16, SLOW16, SLOW16, SLOW16};
#undef SLOW16
#undef SLOW4
  const void* const* disp = kDispatch;

#define SAVEPC() (ci->savedpc = pc)
// Anything protected may move the stack or reallocate the call records (a collection halves an
// oversized array), so both pointers are taken again afterwards.
#define RELOAD() (base = L->base, ci = L->ci)
#define PROTECT(x) \
  do {             \
    SAVEPC();      \
    x;             \
    RELOAD();      \
  } while (0)
#define RA() (base + inst_a(i))
#define RB() (base + inst_b(i))
#define RKB() (rk_is_const(inst_b(i)) ? k + rk_const_index(inst_b(i)) : base + inst_b(i))
#define RKC() (rk_is_const(inst_c(i)) ? k + rk_const_index(inst_c(i)) : base + inst_c(i))
// Jumps take the field and its bias apart, in pointer width: the next instruction's address is
// then one addressing step away from the field (a loop's jump back is on its critical path).
#define JUMP_SBX(i) (pc += ptrdiff_t(inst_bx(i)) - kBiasSBx)
#define JUMP_J(i) (pc += ptrdiff_t(inst_j(i)) - kBiasJ)
#define DOJUMP_NEXT() (pc += ptrdiff_t(inst_j(*pc)) - kBiasJ + 1, ATTEND())

callentry:
  if (L->hookmask & QM_MASK_CALL) vm_call_hook(L, QM_HOOK_CALL, -1);
  ci = L->ci;
  ci->state = QM_CI_HASFRAME;
  ci->pc = &ci->savedpc;
  pc = ci->savedpc;
  RELOAD();
  cl = clvalue(base - 1);
  k = cl->p->k;
  code = cl->p->code;

// The end request and the line and count hooks (vm_attention) are looked at where the running
// code can come back to itself or leave: at every jump, call and return, and after every
// command. Set, the word switches dispatch to kAttend, which sends every operation through
// slowbreak until the word is clear again. Operations in between test nothing: a hook armed by
// another thread or a signal is seen at the next jump, call or return (straight-line code is
// short), and the end request of a command called here before the next instruction runs.
#define ATTEND() (disp = vm_attention.load(std::memory_order_relaxed) != 0 ? kAttend : kDispatch)
#define vmbreak                     \
  do {                              \
    i = *pc++;                      \
    ra = RA();                      \
    goto* disp[inst_op(i)];         \
  } while (0)

  ATTEND();
  vmbreak;

slowbreak:
  --pc;  // the operation fetched runs below, after the end request and the hooks
  if (vm_attention.load(std::memory_order_relaxed) & VM_ATTENTION_END) {
    SAVEPC();
    return nullptr;
  }
  i = *pc++;
  if (L->hookmask.load(std::memory_order_relaxed) & (QM_MASK_LINE | QM_MASK_COUNT)) {
    trace_exec(L, pc);  // compares with the pc saved before, saves pc
    RELOAD();
  }
  ATTEND();
  ra = RA();
  goto* kDispatch[inst_op(i)];

  L_OP_MOVE:
    vm_copy_cell(ra, RB());
    vmbreak;
  L_OP_LOADK:
    vm_copy_cell(ra, k + inst_bx(i));
    vmbreak;
  L_OP_LOADBOOL:
    setnvalue(ra, double(inst_b(i)));
    if (inst_c(i)) pc++;
    vmbreak;
  L_OP_LOADNIL: {
    qmValue* last = RB();
    for (qmValue* r = ra; r <= last; r++) setnilvalue(r);
    vmbreak;
  }
  L_OP_GETUPVAL:
    vm_copy_cell(ra, cl->upvals()[inst_b(i)]->v);
    vmbreak;
  L_OP_GETGLOBAL: {
    const qmValue* key = k + inst_bx(i);
    if (ttisstring(key)) {  // a global that is set needs neither the slow path nor a reload
      const qmValue* v = vm_table_get_str(hvalue(&cl->env), tsvalue(key));
      if (!ttisnil(v)) {
        vm_copy_cell(ra, v);
        vmbreak;
      }
    }
    PROTECT(get_global(L, cl, key, ra));
    vmbreak;
  }
  L_OP_GETTABLE: {
    const qmValue* rb = RB();
    const qmValue* key = RKC();
    if (ttistable(rb)) {
      qmTable* h = hvalue(rb);
      if (ttisnumber(key)) {
        qmValue* cell;
        if (vm_table_array_find(h, key->v.n, &cell) && !ttisnil(cell)) {
          vm_copy_cell(ra, cell);
          vmbreak;
        }
      }
      const qmValue* v = ttisnumber(key)   ? vm_table_get_num(h, key->v.n)
                         : ttisstring(key) ? vm_table_get_str(h, tsvalue(key))
                                           : vm_table_get(h, key);
      if (ttisnil(v)) v = index_table_hit(L, h, key);
      if (v != nullptr) {
        vm_copy_cell(ra, v);
        vmbreak;
      }
    }
    PROTECT(index_value(L, rb, key, ra, true));
    vmbreak;
  }
  L_OP_SETGLOBAL: {
    const qmValue* key = k + inst_bx(i);
    if (!fast_store(hvalue(&cl->env), key, ra)) PROTECT(vm_settable(L, &cl->env, key, ra));
    vmbreak;
  }
  L_OP_SETUPVAL:
    vm_copy_cell(cl->upvals()[inst_b(i)]->v, ra);
    vmbreak;
  L_OP_SETTABLE: {
    const qmValue* key = RKB();
    const qmValue* val = RKC();
    if (ttistable(ra)) {
      qmTable* h = hvalue(ra);
      if (ttisnumber(key)) {
        // array cells first: the commonest store in loops
        // an empty cell may take the value directly when the metatable is known to lack
        // __newindex (its absence cache says so); integer keys never name events
        qmValue* cell;
        if (vm_table_array_find(h, key->v.n, &cell)) {
          const qmTable* mt = h->metatable;
          if (!ttisnil(cell) || mt == nullptr || (mt->flags & (1u << QM_EV_NEWINDEX))) {
            vm_copy_cell(cell, val);
            vmbreak;
          }
        }
      } else if (fast_store(h, key, val)) {
        vmbreak;
      }
    }
    PROTECT(vm_settable(L, ra, key, val));
    vmbreak;
  }
  L_OP_NEWTABLE: {
    uint32_t b = inst_b(i);
    uint32_t shift = b >> 3;
    int32_t narray = shift > 24 ? (1 << 25) : static_cast<int32_t>((b & 7) << shift);
    PROTECT(sethvalue(ra, vm_table_new(L, narray, static_cast<int32_t>(inst_c(i)))));
    PROTECT(vm_gc_check(L));
    vmbreak;
  }

#define ARITH(event, expr)                                   \
  {                                                          \
    const qmValue* rb = RKB();                               \
    const qmValue* rc = RKC();                               \
    if (ttisnumber(rb) && ttisnumber(rc)) [[likely]] {       \
  double nb = rb->v.n, nc = rc->v.n;                     \
  (void)nb;                                              \
  (void)nc;                                              \
  expr;                                                  \
    } else {                                                 \
  PROTECT(vm_arith(L, ra, rb, rc, event));               \
    }                                                        \
    vmbreak;                                                   \
  }

  L_OP_ADD: ARITH(QM_EV_ADD, setnvalue(ra, nb + nc))
  L_OP_SUB: ARITH(QM_EV_SUB, setnvalue(ra, nb - nc))
  L_OP_MUL: ARITH(QM_EV_MUL, setnvalue(ra, nb * nc))
  L_OP_DIV:
    ARITH(QM_EV_DIV, {
      if (nc == 0) PROTECT(vm_raise_error(L, ERR_ZERODIVISION));
      setnvalue(ra, nb / nc);
    })
  L_OP_DIVINT:
    ARITH(QM_EV_DIVINT, {
      int32_t ic = to_i32(nc);
      if (ic == 0) PROTECT(vm_raise_error(L, ERR_ZERODIVISION));
      setnvalue(ra, qmnum::divint(to_i32(nb), ic));
    })
  L_OP_MOD:
    ARITH(QM_EV_MOD, {
      int32_t ic = to_i32(nc);
      if (ic == 0) PROTECT(vm_raise_error(L, ERR_ZERODIVISION));
      setnvalue(ra, qmnum::mod(to_i32(nb), ic));
    })
  L_OP_LSH: ARITH(QM_EV_LSH, setnvalue(ra, qmnum::lsh(nb, nc)))
  L_OP_RSH: ARITH(QM_EV_RSH, setnvalue(ra, qmnum::rsh(nb, nc)))
  L_OP_OR: ARITH(QM_EV_OR, setnvalue(ra, qmnum::bor(nb, nc)))
  L_OP_AND: ARITH(QM_EV_AND, setnvalue(ra, qmnum::band(nb, nc)))
  L_OP_XOR: ARITH(QM_EV_XOR, setnvalue(ra, qmnum::bxor(nb, nc)))
  L_OP_POW: ARITH(QM_EV_POW, setnvalue(ra, std::pow(nb, nc)))
#undef ARITH

  L_OP_UNM: {
    const qmValue* rb = RB();
    if (ttisnumber(rb)) {
      setnvalue(ra, -rb->v.n);
    } else {
      PROTECT(vm_arith_unary(L, ra, rb, QM_EV_UNM));
    }
    vmbreak;
  }
  L_OP_NOT:
    setnvalue(ra, vm_is_false(RB()) ? 1.0 : 0.0);
    vmbreak;
  L_OP_BNOT: {
    const qmValue* rb = RB();
    if (ttisnumber(rb)) {
      setnvalue(ra, qmnum::bnot(rb->v.n));
    } else {
      PROTECT(vm_arith_unary(L, ra, rb, QM_EV_NOT));
    }
    vmbreak;
  }
  L_OP_CONCAT: {
    int32_t b = static_cast<int32_t>(inst_b(i));
    int32_t c = static_cast<int32_t>(inst_c(i));
    PROTECT(vm_concat_values(L, c - b + 1, c));
    PROTECT(vm_gc_check(L));
    *RA() = base[b];
    vmbreak;
  }
  L_OP_JMP:
    if (inst_m(i) == kJmpGosub) PROTECT(vm_gosub_push(L, static_cast<int32_t>(pc - code), ci->serial));
    JUMP_J(i);
    ATTEND();
    vmbreak;
  L_OP_EQ: {
    const qmValue* rb = RKB();
    const qmValue* rc = RKC();
    int32_t res;
    if (ttisnumber(rb) && ttisnumber(rc)) {
      res = rb->v.n == rc->v.n;
    } else if (ttisstring(rb) && ttisstring(rc)) {
      res = rb->v.gc == rc->v.gc;
    } else {
      PROTECT(res = vm_values_equal(L, rb, rc));
    }
    if (res != static_cast<int32_t>(inst_a(i))) {
      pc++;
    } else {
      DOJUMP_NEXT();
    }
    vmbreak;
  }
  L_OP_LT: {
    const qmValue* rb = RKB();
    const qmValue* rc = RKC();
    int32_t res;
    if (ttisnumber(rb) && ttisnumber(rc)) {
      res = rb->v.n < rc->v.n;
    } else {
      PROTECT(res = vm_value_less(L, rb, rc, 1));
    }
    if (res != static_cast<int32_t>(inst_a(i))) {
      pc++;
    } else {
      DOJUMP_NEXT();
    }
    vmbreak;
  }
  L_OP_LE: {
    const qmValue* rb = RKB();
    const qmValue* rc = RKC();
    int32_t res;
    if (ttisnumber(rb) && ttisnumber(rc)) {
      res = rb->v.n <= rc->v.n;
    } else {
      PROTECT(res = vm_value_less_equal(L, rb, rc));
    }
    if (res != static_cast<int32_t>(inst_a(i))) {
      pc++;
    } else {
      DOJUMP_NEXT();
    }
    vmbreak;
  }
  L_OP_TEST: {
    const qmValue* rb = RB();
    if (static_cast<uint32_t>(vm_is_false(rb)) == inst_c(i)) {
      pc++;
    } else {
      vm_copy_cell(ra, rb);
      DOJUMP_NEXT();
    }
    vmbreak;
  }
  L_OP_CALL:
    if (ttisfunction(ra) && !clvalue(ra)->is_c) {
      // A plain script call enters its frame here, without the general set-up; with the call
      // hook on it takes the common entry, which runs the hook first.
      qmClosure* callee = clvalue(ra);
      const qmProto* p = callee->p;
      uint32_t b = inst_b(i);
      qmValue* top = b != 0 ? ra + b : L->top;
      if (!p->is_vararg && !g->trace_calls && ci != L->end_ci && L->stack_last - top > p->maxstacksize) {
        L->top = top;
        g->call_position = static_cast<int32_t>(pc - code);
        SAVEPC();
        ci->state = QM_CI_SAVEDPC | QM_CI_CALLING;
        if (L->hookmask.load(std::memory_order_relaxed) & QM_MASK_CALL) {
          vm_enter_script_frame(L, ra, p);
          goto callentry;
        }
        ci = ++L->ci;
        base = ra + 1;
        L->base = ci->base = base;
        qmValue* end = base + p->maxstacksize;
        ci->top = end;
        for (; top < end; top++) setnilvalue(top);
        L->top = end;
        pc = code = p->code;
        ci->savedpc = pc;
        ci->pc = &ci->savedpc;
        ci->tailcalls = 0;
        ci->state = QM_CI_HASFRAME;
        ci->serial = ++g->next_serial;
        cl = callee;
        k = p->k;
        ATTEND();
        vmbreak;
      }
    }
    goto call_common;
  L_OP_TAILCALL:
  call_common: {
    uint32_t b = inst_b(i);
    int32_t nresults = static_cast<int32_t>(inst_c(i)) - 1;
    if (b != 0) L->top = ra + b;
    g->call_position = static_cast<int32_t>(pc - code);
    SAVEPC();
    int32_t rcode;
    qmValue* firstResult = vm_precall(L, ra, &rcode);
    if (firstResult != nullptr) {
      // A command ran. Its error code is handed on while its call record is still current, so
      // that the error's position names the command and takes the line of its caller; when the
      // code does not end the script, the call yields no results.
      if (rcode != 0 && rcode != -1 && rcode != -2) {
        ptrdiff_t first = savestack(L, firstResult);
        vm_throw_code(L, rcode);
        firstResult = restorestack(L, first);
      }
      vm_poscall(L, nresults, firstResult);
      if (nresults >= 0) L->top = L->ci->top;
      ci = L->ci;
      RELOAD();
      if (rcode == -1 || rcode == -2) command_gosub(L, ci, pc, cl->p, rcode);
      ATTEND();
      vmbreak;
    }
    if (inst_op(i) == OP_CALL) {
      (L->ci - 1)->state = QM_CI_SAVEDPC | QM_CI_CALLING;
      goto callentry;
    }
    {
      // tail call: the new frame replaces the running one
      qmCallInfo* callee = L->ci;
      qmCallInfo* caller = callee - 1;
      qmValue* func = caller->base - 1;
      qmValue* pfunc = callee->base - 1;
      if (L->openupval) vm_close_upvalues(L, caller->base);
      vm_gosub_drop_above(L, caller->serial - 1);
      int32_t aux = 0;
      for (; pfunc + aux < L->top; aux++) func[aux] = pfunc[aux];
      caller->top = L->top = func + aux;
      caller->base = L->base = func + 1;
      caller->savedpc = callee->savedpc;
      caller->tailcalls++;
      caller->state = QM_CI_SAVEDPC;
      caller->serial = callee->serial;
      L->ci = caller;
      goto callentry;
    }
  }
  L_OP_RETURN: {
    if (inst_c(i) == kReturnBasic) {
      // Basic Return: only to a Gosub of this very activation
      if (g->gosub_count == 0 || g->gosub[g->gosub_count - 1].serial != ci->serial)
        PROTECT(vm_raise_error(L, ERR_RETWOGOSUB));
      pc = code + g->gosub[--g->gosub_count].pc;
      ATTEND();
      vmbreak;
    }
    uint32_t b = inst_b(i);
    qmCallInfo* caller = ci - 1;
    if (b == 2 && L->openupval == nullptr && (caller->state & QM_CI_CALLING) &&
        !(L->hookmask.load(std::memory_order_relaxed) & QM_MASK_RET) &&
        (g->gosub_count == 0 || g->gosub[g->gosub_count - 1].serial != ci->serial)) {
      // One value back to a script caller, with nothing to close, no Gosub entry of this
      // activation and no return hook: the general path below without its loops.
      const Instruction* cpc = caller->savedpc;
      int32_t nresults = static_cast<int32_t>(inst_c(cpc[-1])) - 1;
      qmValue* res = base - 1;
      vm_copy_cell(res, ra);
      for (int32_t n = 1; n < nresults; n++) setnilvalue(res + n);
      ci->state = QM_CI_SAVEDPC;
      SAVEPC();
      L->ci = ci = caller;
      L->base = base = caller->base;
      L->top = nresults >= 0 ? caller->top : res + 1;
      caller->state = QM_CI_HASFRAME;
      caller->pc = &caller->savedpc;
      pc = cpc;
      cl = clvalue(base - 1);
      k = cl->p->k;
      code = cl->p->code;
      ATTEND();
      vmbreak;
    }
    if (b != 0) L->top = ra + b - 1;
    if (L->openupval) vm_close_upvalues(L, base);
    while (g->gosub_count > 0 && g->gosub[g->gosub_count - 1].serial == ci->serial) g->gosub_count--;
    ci->state = QM_CI_SAVEDPC;
    SAVEPC();
    if (!((ci - 1)->state & QM_CI_CALLING)) return ra;  // the frame vm_call_raw entered
    int32_t nresults = static_cast<int32_t>(inst_c(*((ci - 1)->savedpc - 1))) - 1;
    vm_poscall(L, nresults, ra);
    // back in the caller
    ci = L->ci;
    base = L->base;
    if (nresults >= 0) L->top = ci->top;
    ci->state = QM_CI_HASFRAME;
    ci->pc = &ci->savedpc;  // the record array may have moved
    pc = ci->savedpc;
    cl = clvalue(base - 1);
    k = cl->p->k;
    code = cl->p->code;
    ATTEND();
    vmbreak;
  }
  L_OP_FORLOOP: {
    qmValue* limit = ra + 1;
    qmValue* step = ra + 2;
    if (((ra->tt ^ QM_TNUMBER) | (limit->tt ^ QM_TNUMBER) | (step->tt ^ QM_TNUMBER)) != 0) [[unlikely]] {
      if (!ttisnumber(ra) || !for_operand(limit) || !for_operand(step))
        PROTECT(vm_raise_error(L, ERR_VALUEEXPECTED));
    }
    double st = step->v.n;
    double idx = ra->v.n + st;
    if (st > 0 ? idx <= limit->v.n : idx >= limit->v.n) [[likely]] {
      JUMP_SBX(i);
      ra->v.n = idx;  // already tagged as a number
    }
    ATTEND();
    vmbreak;
  }
  L_OP_TFORLOOP: {
    int32_t nvar = static_cast<int32_t>(inst_c(i)) + 1;
    qmValue* cb = ra + nvar + 2;
    cb[0] = ra[0];
    cb[1] = ra[1];
    cb[2] = ra[2];
    L->top = cb + 3;
    SAVEPC();
    int32_t rcode = vm_call_raw(L, cb, nvar);
    if (rcode != 0) vm_throw_code(L, rcode);
    ci = L->ci;
    L->top = ci->top;
    RELOAD();
    ra = RA() + 2;
    cb = ra + nvar;
    do {
      nvar--;
      ra[nvar] = cb[nvar];
    } while (nvar > 0);
    if (ttisnil(ra)) {
      pc++;
    } else {
      DOJUMP_NEXT();
    }
    ATTEND();
    vmbreak;
  }
  L_OP_TFORPREP:
    if (ttistable(ra)) {
      ra[1] = *ra;
      const qmValue* next = vm_table_get_str(globals_table(L), vm_new_cstring(L, "next"));
      // no library registers a global "next": the engine's own serves then
      *ra = ttisnil(next) ? g->engine_next : *next;
    }
    JUMP_SBX(i);
    ATTEND();
    vmbreak;
  L_OP_SETLIST:
  L_OP_SETLISTO: {
    if (!ttistable(ra)) PROTECT(vm_raise_value_error(L, ra, ERR_TABLEDECLA, "{}"));
    uint32_t bx = inst_bx(i);
    int32_t n;
    if (inst_op(i) == OP_SETLIST) {
      n = static_cast<int32_t>(bx & (kFieldsPerFlush - 1)) + 1;
    } else {
      n = static_cast<int32_t>(L->top - ra) - 1;
      L->top = ci->top;
    }
    qmTable* h = hvalue(ra);
    int32_t first = static_cast<int32_t>(bx & ~(kFieldsPerFlush - 1));
    SAVEPC();
    for (; n > 0; n--) *vm_table_set_int(L, h, first + n - 1) = ra[n];
    vmbreak;
  }
  L_OP_CLOSE:
    vm_close_upvalues(L, ra);
    vmbreak;
  L_OP_CLOSURE: {
    qmProto* p = cl->p->p[inst_bx(i)];
    SAVEPC();
    qmClosure* ncl = vm_closure_new_script(L, p, &cl->env);
    for (int32_t j = 0; j < p->nups; j++, pc++) {
      if (inst_op(*pc) == OP_GETUPVAL) {
        ncl->upvals()[j] = cl->upvals()[inst_b(*pc)];
      } else {
        ncl->upvals()[j] = vm_find_upval(L, base + inst_b(*pc));
      }
    }
    setclvalue(ra, ncl);
    PROTECT(vm_gc_check(L));
    vmbreak;
  }
  L_OP_SELF: {
    const qmValue* key = RKC();
    if (!ttisstring(key)) PROTECT(vm_raise_error(L, ERR_WRONGOP));
    vm_copy_cell(ra + 1, RB());
    if (ttistable(ra + 1) && ttisstring(key)) {  // the key may be the register just written
      qmTable* h = hvalue(ra + 1);
      const qmValue* v = vm_table_get_str(h, tsvalue(key));
      if (ttisnil(v)) v = index_table_hit(L, h, key);
      if (v != nullptr) {
        vm_copy_cell(ra, v);
        vmbreak;
      }
    }
    PROTECT(index_value(L, ra + 1, key, ra, false));
    vmbreak;
  }
  L_NOP:  // operations 43..63 do nothing
    vmbreak;
#undef vmbreak
}
