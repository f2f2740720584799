// Calls, errors and protected execution: call records, the stack, the command result
// convention, the Gosub return stack and the non-local error exit (qm::ScriptError).
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/object.h"

// Never returns: unwinds to the innermost protected run. Without one, the panic function runs
// and the process exits with status 1.
[[noreturn]] void vm_throw(qmState* L, int32_t code);

// Records the error line and the script position, then throws. Every engine error and every
// argument checker goes through it.
[[noreturn]] void vm_raise_error(qmState* L, int32_t code);

// Puts the name of the variable that held the value (or "??") followed by the suffix into the
// error text, then raises the code ("()" with 1133, "{}" with 1132).
[[noreturn]] void vm_raise_value_error(qmState* L, const qmValue* o, int32_t code, const char* suffix);

// Hands a code to the error text hook (the %s of the message).
void vm_set_error_text(qmState* L, const char* text);

using qmProtectedBody = void (*)(qmState* L, void* ud);

// Runs the body with a protected frame; returns 0 or the code it threw. Nothing is repaired.
int32_t vm_raw_run_protected(qmState* L, qmProtectedBody f, void* ud);

// Runs the body protected and on error repairs the state: upvalues closed down to oldtop, the
// host-call depth, call record, frame base, hook permission, stack limit and the Gosub entries
// of the unwound frames restored. `ef` is the error-handler index as a stack offset (0 = none).
int32_t vm_pcall_raw(qmState* L, qmProtectedBody f, void* ud, ptrdiff_t oldtop, ptrdiff_t ef);

// Stack growth; every pointer into the stack is corrected.
void vm_grow_stack(qmState* L, int32_t n);
inline void vm_check_stack_space(qmState* L, int32_t n) {
  if (L->stack_last - L->top <= n) vm_grow_stack(L, n);
}
// Resizes the stack to newsize usable cells (the collector halves an oversized stack).
void vm_realloc_stack(qmState* L, int32_t newsize);
void vm_realloc_ci(qmState* L, int32_t newsize);

// Sets up a call of the value in `func` with the arguments up to L->top.
// Returns nullptr when a script frame was entered (run it with vm_execute). For a command it
// runs the command and returns its first result, with `*code` set to 0, to -1/-2 for a Gosub
// request, or to the error code the command returned (then there are no results).
qmValue* vm_precall(qmState* L, qmValue* func, int32_t* code);

// Runs the return hooks of the returning record (return, then one per tail call); returns
// firstResult, which the hooks may have moved.
qmValue* vm_return_hooks(qmState* L, qmValue* firstResult);

// Pops the call record and moves the results from firstResult..L->top to the function slot,
// `wanted` of them (-1 = all), filling missing ones with nil. L->top ends behind them.
inline void vm_poscall(qmState* L, int32_t wanted, qmValue* firstResult) {
  if (L->hookmask.load(std::memory_order_relaxed) & QM_MASK_RET) [[unlikely]]
    firstResult = vm_return_hooks(L, firstResult);
  qmCallInfo* ci = L->ci--;
  qmValue* res = ci->base - 1;
  qmValue* top = L->top;  // a local: the copies below cannot be taken to change it
  while (wanted != 0 && firstResult < top) {
    vm_copy_cell(res++, firstResult++);
    wanted--;
  }
  while (wanted-- > 0) setnilvalue(res++);
  L->top = res;
  L->base = L->ci->base;
}

// Enters a script function's frame for the function in `func` with its fixed arguments above
// it. The caller has made room: a free call record and p->maxstacksize cells.
inline void vm_enter_script_frame(qmState* L, qmValue* func, const qmProto* p) {
  qmCallInfo* ci = ++L->ci;
  L->base = ci->base = func + 1;
  ci->top = L->base + p->maxstacksize;
  ci->savedpc = p->code;
  ci->pc = &ci->savedpc;
  ci->tailcalls = 0;
  ci->state = QM_CI_SAVEDPC;
  ci->serial = ++L->g->next_serial;
  while (L->top < ci->top) setnilvalue(L->top++);
  L->top = ci->top;
}

// Calls the value in `func` (arguments above it), leaving `nresults` results (-1 = all) from
// `func` on. Returns the error code a command reported (0 otherwise).
int32_t vm_call_raw(qmState* L, qmValue* func, int32_t nresults);

// The executor: runs the script frame that vm_precall entered and every nested script call in
// one loop. Returns the first result when that frame returns, or nullptr when the end request
// stopped it.
qmValue* vm_execute(qmState* L);

// Makes the executor's own objects (the engine's `next` command) at state creation.
void vm_executor_init(qmState* L);

// Hands a command's error code to the runtime's hook (stores the last error, throws while
// exit-on-error is on). The default hook does the same with the engine's own error fields.
void vm_throw_code(qmState* L, int32_t code);

// Gosub return stack.
void vm_gosub_push(qmState* L, int32_t pc, uint64_t serial);
// Drops the top entries pushed by activations with a serial above `mark` (frames unwound).
void vm_gosub_drop_above(qmState* L, uint64_t mark);

// Calls the hook for an event (line for QM_HOOK_LINE, else -1), with the protocol of the
// engine's debug interface: hooks never nest and a non-zero result is thrown.
void vm_call_hook(qmState* L, int32_t event, int32_t line);

// The name of the variable that held a stack value, as far as the running code shows it, or
// nullptr. `kind` receives "global", "local", "field" or "method".
const char* vm_value_var_name(qmState* L, const qmValue* o, const char** kind);
// The same for register reg of a script call record at its running instruction.
const char* vm_frame_var_name(const qmCallInfo* ci, uint32_t reg, const char** kind);
// Name of local variable reg (from 0) active at instruction pc, or nullptr.
const char* vm_local_var_name(const qmProto* p, int32_t reg, int32_t pc);
// The last string key in the globals' hash part (searched from the last node) whose value is f.
const char* vm_global_name_of(qmState* L, const qmValue* f);

inline bool vm_is_script_frame(const qmCallInfo* ci) {
  return !(ci->state & QM_CI_C) && ttisfunction(ci->base - 1) && !clvalue(ci->base - 1)->is_c;
}

// Line of the running instruction of a script call record, -1 for a command frame.
int32_t vm_ci_line(qmState* L, const qmCallInfo* ci);
