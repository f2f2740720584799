// The script engine's programming interface: what command libraries, the runtime and tools use
// to work with script values. Values live on the script stack; indices 1..n count from the base
// of the running command's frame, -1.. from the top; QM_REGISTRYINDEX and QM_GLOBALSINDEX name
// the registry and the globals table, and below them the running command closure's upvalues.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/bytecode.h"
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
inline void vm_pop(qmState* L, int32_t n) { vm_set_top(L, -n - 1); }
// The same value as an index that stays valid while the stack grows or shrinks above it
// (-1..-9999 and 0 become positive; pseudo-indices are returned unchanged).
int32_t vm_abs_index(qmState* L, int32_t idx);

// ---- tests and conversions --------------------------------------------------------------------

int32_t vm_type(qmState* L, int32_t idx);
int32_t vm_is_number(qmState* L, int32_t idx);
int32_t vm_is_string(qmState* L, int32_t idx);
int32_t vm_is_cfunction(qmState* L, int32_t idx);
int32_t vm_is_userdata(qmState* L, int32_t idx);  // full or light
// 0 for nil, false and none; 1 for everything else (0 and "" too: this is not the truth rule).
int32_t vm_to_boolean(qmState* L, int32_t idx);
double vm_to_number(qmState* L, int32_t idx);
const char* vm_to_string(qmState* L, int32_t idx);  // converts a number in place
size_t vm_string_length(qmState* L, int32_t idx);
qmCFunction vm_to_cfunction(qmState* L, int32_t idx);
void* vm_to_userdata(qmState* L, int32_t idx);        // block of full, pointer of light user data
const void* vm_to_pointer(qmState* L, int32_t idx);   // identity of tables, functions, threads, user data
int32_t vm_raw_equal(qmState* L, int32_t idx1, int32_t idx2);
// Comparisons with __eq / __lt. Values of unrelated types compare as 0 without an error.
int32_t vm_equal(qmState* L, int32_t idx1, int32_t idx2);
int32_t vm_less_than(qmState* L, int32_t idx1, int32_t idx2);

// ---- pushing ----------------------------------------------------------------------------------

void vm_push_nil(qmState* L);
void vm_push_number(qmState* L, double n);
void vm_push_boolean(qmState* L, int32_t b);
void vm_push_lstring(qmState* L, const char* s, size_t len);
// Pushes a string of up to len bytes that fill writes into the string's own storage and counts
// (a whole file read straight into it); 0, or ERR_MEM with nothing pushed.
int32_t vm_push_lstring_filled(qmState* L, size_t len, size_t (*fill)(char* dest, size_t len, void* ctx),
                               void* ctx);
// Bytes that become a string only once they have all arrived (a download): they are written
// straight into the block the string will live in, which grows without copying where the C
// library can remap it, and vm_push_storage makes them the string. Until then the block is no
// collectable object, so a collection meanwhile neither sees nor frees it; its holder frees it on
// every other way out (vm_storage_free, also while an error unwinds).
struct qmStringStorage {
  char* data = nullptr;
  size_t size = 0;      // bytes written
  size_t capacity = 0;  // bytes the block holds
};
// Room for capacity bytes (never less than the storage has); false when the memory cannot be
// had or a string cannot be that long, the storage then unchanged.
bool vm_storage_reserve(qmState* L, qmStringStorage* s, size_t capacity);
void vm_storage_free(qmState* L, qmStringStorage* s);
// Pushes the string of the storage's bytes, which takes the block over (or frees it when an equal
// string exists); the storage is empty afterwards.
void vm_push_storage(qmState* L, qmStringStorage* s);
void vm_push_string(qmState* L, const char* s);
void vm_push_cstring(qmState* L, const char* s);  // nullptr pushes nil
void vm_push_lightuserdata(qmState* L, void* p);
void vm_push_cclosure(qmState* L, qmCFunction f, int32_t n);
inline void vm_push_cfunction(qmState* L, qmCFunction f) { vm_push_cclosure(L, f, 0); }
void vm_new_table(qmState* L);
// A new full user data block with the default metatable, pushed; returns the block.
void* vm_new_userdata(qmState* L, size_t size);

// ---- tables -----------------------------------------------------------------------------------

void vm_get_table(qmState* L, int32_t idx);
void vm_raw_get(qmState* L, int32_t idx);
void vm_raw_geti(qmState* L, int32_t idx, int32_t n);
void vm_set_table(qmState* L, int32_t idx);
void vm_raw_set(qmState* L, int32_t idx);
void vm_raw_seti(qmState* L, int32_t idx, int32_t n);
int32_t vm_next(qmState* L, int32_t idx);

// ---- environments, metatables, upvalues -------------------------------------------------------

// Pushes the globals table of a script function, the state's globals for any other value.
void vm_get_fenv(qmState* L, int32_t idx);
// Pops a table into a script function's globals; 0 for other values (the table is still popped).
int32_t vm_set_fenv(qmState* L, int32_t idx);
// Pushes the metatable and returns 1; 0 and nothing pushed when the value has the default one.
int32_t vm_get_metatable(qmState* L, int32_t idx);
// Pops a table (or nil for the default metatable) into a table or full user data; 0 for other
// values, which keep theirs.
int32_t vm_set_metatable(qmState* L, int32_t idx);
// Pushes the upvalues of the running command closure; returns their count.
int32_t vm_push_upvalues(qmState* L);
// Push (get) or pop into (set) upvalue n (from 1) of the closure at funcindex. The result is the
// upvalue's name ("" when it has none), or nullptr when there is no such upvalue.
const char* vm_get_upvalue(qmState* L, int32_t funcindex, int32_t n);
const char* vm_set_upvalue(qmState* L, int32_t funcindex, int32_t n);

// ---- calls ------------------------------------------------------------------------------------

// Calls the function below the `nargs` arguments on top; errors propagate. A command's returned
// error code goes to the error seam as from a script call, and is returned (0 otherwise).
int32_t vm_call(qmState* L, int32_t nargs, int32_t nresults);
// The same, protected: 0 or the error code; on error the function and arguments are removed.
int32_t vm_pcall(qmState* L, int32_t nargs, int32_t nresults, int32_t errfunc);
// Runs f(ud) protected with the state repaired on error; returns 0 or the code.
int32_t vm_cpcall(qmState* L, void (*f)(qmState* L, void* ud), void* ud);
// Loads one compiled chunk (first byte 27) through the reader under protection and pushes its
// main function; returns 0 or the error code (nothing pushed then). The name defaults to "?".
int32_t vm_load(qmState* L, qmReader reader, void* data, const char* chunkname);
// The same; when the code check refuses a function (ERR_BADBYTECODE), *fault says which and where.
int32_t vm_load_checked(qmState* L, qmReader reader, void* data, const char* chunkname,
                        qmCodeFault* fault);
// n >= 2 concatenates the top n values into one; 1 leaves the value; 0 pushes "".
void vm_concat(qmState* L, int32_t n);

// ---- errors -----------------------------------------------------------------------------------

// Raises an error code at the current script position; never returns.
[[noreturn]] void vm_raise_error(qmState* L, int32_t code);
// Ends the running command as if it had returned code: no results, the code stored as the last
// error and raised only while exit-on-error is on. For a command's own errors found inside its
// helpers (an unknown object, a read past the end); argument errors stay raised. Never returns.
[[noreturn]] void vm_command_fail(qmState* L, int32_t code);

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
// Work the command `keeper` left pending (a deferred redraw): `barrier` runs once before the next
// command other than the keeper, so that no command sees the work undone. It must not throw.
void vm_set_command_barrier(qmState* L, qmCFunction keeper, void (*barrier)(qmState*));
void vm_set_call_tracer(qmState* L, int32_t on);
void vm_set_error_pending(qmState* L, int32_t on);
// The failing-argument index (the number that fills a message's %ld). The runtime installs a hook
// that receives it; the engine keeps its own copy either way.
void vm_set_error_number_hook(qmState* L, qmErrorNumberHook hook);
void vm_set_error_number(qmState* L, int32_t n);
int32_t vm_get_error_number(qmState* L);

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

// ---- debug hook and call information ----------------------------------------------------------

// A null function or a zero mask switches hooking off. `count` is the instruction count of the
// count event. Returns 1.
int32_t vm_set_hook(qmState* L, qmHook func, int32_t mask, int32_t count);
// Changes the event mask of the installed hook. Safe from another thread or a signal handler: a
// timer can arm a hook that stays idle (mask 0, no cost per instruction) until there is work for
// it; a running script sees it at its next jump, call or return.
inline void vm_arm_hook(qmState* L, int32_t mask) { vm_store_hook_mask(L, static_cast<uint8_t>(mask)); }
// Level 0 is the running function, 1 its caller, ...; 0 when there is no such level.
int32_t vm_get_stack(qmState* L, int32_t level, qmDebug* ar);
// Fills the fields the option letters ask for: S source, l current line, u upvalues, n name,
// f pushes the function; a leading '>' takes the function from the top of the stack (popped).
// Returns 0 for an unknown letter.
int32_t vm_get_info(qmState* L, const char* what, qmDebug* ar);
// Pushes local variable n (from 1) of a script frame and returns its name; nullptr otherwise.
const char* vm_get_local(qmState* L, const qmDebug* ar, int32_t n);
// A chunk name as messages show it: "=name" without the "=", "@file" as the file name (its last
// 52 characters after "..." when longer), anything else as [string "first line..."].
inline constexpr size_t VM_SHORT_SOURCE = sizeof(qmDebug::short_src);
void vm_short_source(char (&out)[VM_SHORT_SOURCE], const char* source);

// ---- auxiliary layer: readers, registry, references, string buffers, registration ---------------

// Names of commands, constants and labels are copied into buffers of this size to be
// lower-cased; longer names are refused (ERR_NAMETOOLONG, or "not found" for lookups).
inline constexpr size_t VM_NAME_MAX = 128;

struct qmCommand {
  const char* name;  // nullptr ends a table
  qmCFunction func;
};

struct qmConstant {
  const char* name;  // nullptr ends a table
  const char* str;   // a string constant, or nullptr for a number constant
  double num;
};

void* vm_reg_get_userdata(qmState* L, const char* name);
const char* vm_reg_get_string(qmState* L, const char* name);
double vm_reg_get_number(qmState* L, const char* name);
void vm_reg_set_pointer(qmState* L, const char* name, void* p);
void reg_set_string(qmState* L, const char* name, const char* text);
void vm_reg_push(qmState* L, const char* name);  // raw

// Argument readers. They raise the error code with argument n recorded as the failing argument;
// the opt forms take the default only for an absent argument (nil raises).
void vm_arg_check_table(qmState* L, int32_t n);
int32_t vm_arg_check_function(qmState* L, int32_t n);
int32_t arg_check_type(qmState* L, int32_t n, int32_t type);
const char* vm_arg_check_string(qmState* L, int32_t n, size_t* len);
const char* vm_arg_opt_string(qmState* L, int32_t n, const char* def, size_t* len);
double vm_arg_check_number(qmState* L, int32_t n);
double vm_arg_opt_number(qmState* L, int32_t n, double def);
// Negative numbers give their int32 bit pattern (-1 -> 4294967295), others saturate.
uint32_t vm_arg_check_integer(qmState* L, int32_t n);
uint32_t vm_arg_opt_integer(qmState* L, int32_t n, uint32_t def);
// Field readers name the field in the error text instead of recording an argument.
const char* vm_arg_check_string_field(qmState* L, int32_t idx, size_t* len, const char* field);
double vm_arg_check_number_field(qmState* L, int32_t idx, const char* field);
uint32_t vm_arg_check_integer_field(qmState* L, int32_t idx, const char* field);
// For results of script callbacks: never raise, report 1259 / 1190 in *code instead.
const char* vm_arg_get_string_or_code(qmState* L, int32_t n, size_t* len, int32_t* code);
double vm_arg_get_number_or_code(qmState* L, int32_t n, int32_t* code);

// Index of text in a nullptr-ended list (exact match), -1 when absent.
int32_t vm_find_string(const char* text, const char* const list[]);
// Leaves registry[name] on the stack and returns 0 when set; else makes it a new table t with
// registry[t] = name, leaves t and returns 1.
int32_t vm_new_metatable(qmState* L, const char* name);
// The block of the user data at idx when its metatable is registered under name, else nullptr.
void* vm_check_udata(qmState* L, int32_t idx, const char* name);
// Pushes the raw metatable field and returns 1 when it is set, else 0 with nothing pushed.
int32_t vm_get_meta_field(qmState* L, int32_t idx, const char* field);
// Calls that field with the value, one result left on the stack; 0 when there is no field.
int32_t vm_call_meta(qmState* L, int32_t idx, const char* field);

// Pops the top value into the table at t and returns its reference (from 3), or -1 for nil.
int32_t vm_ref_new(qmState* L, int32_t t);
void vm_ref_free(qmState* L, int32_t t, int32_t ref);

// Builds a long string on the stack in pieces; nothing else may be pushed above the pieces
// while the buffer is in use.
inline constexpr size_t VM_STRBUF_SIZE = 1024;
struct qmStrBuf {
  char* pos;       // next free byte of area
  int32_t pieces;  // pieces already on the stack
  qmState* L;
  char area[VM_STRBUF_SIZE];
};
void vm_strbuf_init(qmState* L, qmStrBuf* B);
char* vm_strbuf_prep(qmStrBuf* B);  // empties the area; returns it
void vm_strbuf_add_lstring(qmStrBuf* B, const char* s, size_t len);
void vm_strbuf_add_string(qmStrBuf* B, const char* s);
void vm_strbuf_add_value(qmStrBuf* B);  // pops the string or number on top
void vm_strbuf_push_result(qmStrBuf* B);

// Stores closures of the rows' functions (each with the nup upvalues the caller pushed) under
// their lower-cased names in the global table libname, made when missing, or, with libname
// nullptr, in the table below the upvalues. The target table stays on the stack. Returns 0, or
// ERR_NAMETOOLONG when a row was refused (the others are registered).
int32_t vm_register_commands(qmState* L, const char* libname, const qmCommand* rows, int32_t nup);
// Into registry "constants", or "userconstants" when user is set, under lower-cased names.
// Returns 0 or ERR_NAMETOOLONG as above.
int32_t vm_register_constants(qmState* L, const qmConstant* rows, int32_t user);
// 1 when name is a constant ("constants" first): *text gets a string constant's text (nullptr
// for a number), *num a number constant's value. Either pointer may be null.
int32_t vm_find_constant(qmState* L, const char* name, const char** text, double* num);

// ---- labels -----------------------------------------------------------------------------------

// Position of a label (names are case-insensitive), -1 when unknown.
int32_t vm_label_find(qmState* L, const char* name);
// Returns 0, or ERR_NAMETOOLONG (nothing stored).
int32_t vm_label_set(qmState* L, const char* name, int32_t position);
// Appends a label reference; returns its key (the count before), -1 for a refused name.
int32_t vm_labelref_add(qmState* L, const char* name, int32_t position);

// ---- the script table handed to plug-ins ------------------------------------------------------

// 67 functions in a fixed order (the plug-in calling interface), then a null entry.
using qmPluginFunction = void (*)();
inline constexpr int32_t VM_PLUGIN_SCRIPT_SLOTS = 67;
extern const qmPluginFunction vm_plugin_script_table[VM_PLUGIN_SCRIPT_SLOTS + 1];

// Slot 56: argument n as an object id: a light user data gives {0, handle}, anything else is
// read as a number (1138 when it is not one) and gives {number, nullptr}.
struct qmPluginObjectId {
  int32_t number;
  void* handle;
};
void plugin_arg_get_id(qmState* L, int32_t n, qmPluginObjectId* out);
