// The script engine's programming interface: what command libraries, the runtime and tools use
// to work with script values. Values live on the script stack; indices 1..n count from the base
// of the running command's frame, -1.. from the top; QM_REGISTRYINDEX and QM_GLOBALSINDEX name
// the registry and the globals table, and below them the running command closure's upvalues.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/object.h"

inline constexpr int32_t QM_REGISTRYINDEX = -10000;
inline constexpr int32_t QM_GLOBALSINDEX = -10001;
inline constexpr int32_t vm_upvalue_index(int32_t i) { return QM_GLOBALSINDEX - i; }
inline constexpr int32_t QM_MULTRET = -1;
inline constexpr int32_t QM_MAX_FRAME = 2048;  // values a frame may hold (vm_check_stack)

// ---- state ------------------------------------------------------------------------------------

// A new engine instance, or nullptr when memory runs out during set-up.
qmState* vm_open();
// Runs the finalizers of all user data and frees the whole instance.
void vm_close_state(qmState* L);

// ---- stack ------------------------------------------------------------------------------------

int32_t vm_get_top(qmState* L);
void vm_set_top(qmState* L, int32_t idx);
int32_t vm_check_stack(qmState* L, int32_t n);
void vm_push_value(qmState* L, int32_t idx);
void vm_remove(qmState* L, int32_t idx);
void vm_insert(qmState* L, int32_t idx);
void vm_replace(qmState* L, int32_t idx);

// ---- tests and conversions --------------------------------------------------------------------

int32_t vm_type(qmState* L, int32_t idx);
int32_t vm_is_number(qmState* L, int32_t idx);
int32_t vm_is_string(qmState* L, int32_t idx);
int32_t vm_is_cfunction(qmState* L, int32_t idx);
int32_t vm_to_boolean(qmState* L, int32_t idx);
double vm_to_number(qmState* L, int32_t idx);
const char* vm_to_string(qmState* L, int32_t idx);
size_t vm_string_length(qmState* L, int32_t idx);
int32_t vm_raw_equal(qmState* L, int32_t idx1, int32_t idx2);

// ---- pushing ----------------------------------------------------------------------------------

void vm_push_nil(qmState* L);
void vm_push_number(qmState* L, double n);
void vm_push_boolean(qmState* L, int32_t b);
void vm_push_lstring(qmState* L, const char* s, size_t len);
void vm_push_string(qmState* L, const char* s);
void vm_push_cstring(qmState* L, const char* s);  // nullptr pushes nil
void vm_push_lightuserdata(qmState* L, void* p);
void vm_push_cclosure(qmState* L, qmCFunction f, int32_t n);
inline void vm_push_cfunction(qmState* L, qmCFunction f) { vm_push_cclosure(L, f, 0); }
void vm_new_table(qmState* L);

// ---- tables -----------------------------------------------------------------------------------

void vm_get_table(qmState* L, int32_t idx);
void vm_raw_get(qmState* L, int32_t idx);
void vm_raw_geti(qmState* L, int32_t idx, int32_t n);
void vm_set_table(qmState* L, int32_t idx);
void vm_raw_set(qmState* L, int32_t idx);
void vm_raw_seti(qmState* L, int32_t idx, int32_t n);
int32_t vm_next(qmState* L, int32_t idx);

// ---- calls ------------------------------------------------------------------------------------

// Calls the function below the `nargs` arguments on top; errors propagate. A command's returned
// error code goes to the error seam as from a script call, and is returned (0 otherwise).
int32_t vm_call(qmState* L, int32_t nargs, int32_t nresults);
// The same, protected: 0 or the error code; on error the function and arguments are removed.
int32_t vm_pcall(qmState* L, int32_t nargs, int32_t nresults, int32_t errfunc);
// Runs f(ud) protected with the state repaired on error; returns 0 or the code.
int32_t vm_cpcall(qmState* L, void (*f)(qmState* L, void* ud), void* ud);

// ---- errors -----------------------------------------------------------------------------------

// Raises an error code at the current script position; never returns.
[[noreturn]] void vm_raise_error(qmState* L, int32_t code);

// The engine's error seam. The runtime installs `throw_code`, which receives every error code
// a command returns (it stores the last error and throws only while exit-on-error is on),
// `record_position`, called while an error is raised, and `set_error_text`, which receives the
// text for the message's %s. Null members keep the engine's defaults.
void vm_set_error_hooks(qmState* L, qmThrowCodeHook throw_code, qmPositionHook record_position,
                        qmErrorTextHook set_error_text);
int32_t vm_get_last_error(qmState* L);
void vm_set_last_error(qmState* L, int32_t code);
int32_t vm_get_exit_on_error(qmState* L);
void vm_set_exit_on_error(qmState* L, int32_t on);
int32_t vm_get_error_line(qmState* L);  // line of the last raised error, -1 when none
const char* vm_get_error_text(qmState* L);  // the default %s text
// The command that reads the last error (every other command clears it before running).
void vm_set_getlasterror_command(qmState* L, qmCFunction f);
void vm_set_call_tracer(qmState* L, int32_t on);
void vm_set_error_pending(qmState* L, int32_t on);

// ---- Gosub and the end request ---------------------------------------------------------------

// A jump command sets the distance (instructions from the one after the call to the target)
// before returning -1 or -2; the call position is the index of the instruction after the
// running call.
void vm_set_jump_distance(qmState* L, int32_t distance);
int32_t vm_get_call_position(qmState* L);
int32_t vm_gosub_depth(qmState* L);

void vm_request_end();
void vm_clear_end_request();
int32_t vm_end_requested();

// ---- collector --------------------------------------------------------------------------------

void vm_collect(qmState* L);
size_t vm_bytes_in_use(qmState* L);
