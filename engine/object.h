// The engine's object model: the tagged value cell, collectable objects (strings, tables, user
// data, prototypes, closures, upvalues, threads), call records and the per-thread and global
// state. Every subsystem of the engine includes this header; outside the engine use vm.h.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Value tags. Tags from QM_TSTRING up are collectable objects. The last two never appear in a
// script-visible value; they only tag collectable headers.
enum : int32_t {
  QM_TNONE = -1,
  QM_TNIL = 0,
  QM_TBOOLEAN = 1,
  QM_TLIGHTUSERDATA = 2,
  QM_TNUMBER = 3,
  QM_TSTRING = 4,
  QM_TTABLE = 5,
  QM_TFUNCTION = 6,
  QM_TUSERDATA = 7,
  QM_TTHREAD = 8,
  QM_TPROTO = 9,
  QM_TUPVAL = 10,
};

// Collector flags in qmGCObject::marked.
enum : uint8_t {
  QM_GC_MARKED = 1,     // reached in the current collection
  QM_GC_UNFINALIZED = 2, // user data whose __gc has not run yet
  QM_GC_FIXED = 16,     // never collected (event names, the memory message)
};

struct qmState;
struct qmGlobalState;
struct qmTable;
struct qmProto;
struct qmUpVal;

// Every collectable object starts with this header. `next` links the object into the global
// list it belongs to (all objects, user data, a string bucket, or the state's open upvalues).
struct qmGCObject {
  qmGCObject* next;
  uint8_t tt;
  uint8_t marked;
};

// 16 bytes on this host: tag, padding, 8-byte payload.
struct qmValue {
  int32_t tt;
  union {
    qmGCObject* gc;
    void* p;
    double n;
    int32_t b;
  } v;
};
static_assert(sizeof(qmValue) == 16);

// Interned string: the bytes follow the record and end with a NUL that is not counted.
struct qmTString : qmGCObject {
  uint8_t reserved;
  uint32_t hash;
  uint32_t len;
  char* data() { return reinterpret_cast<char*>(this + 1); }
  const char* data() const { return reinterpret_cast<const char*>(this + 1); }
};

// Full user data: the block of `len` bytes follows the record (16-byte aligned).
struct alignas(16) qmUserdata : qmGCObject {
  qmTable* metatable;
  size_t len;
  void* block() { return this + 1; }
};

struct qmNode {
  qmValue key;
  qmValue val;
  qmNode* next;
};

struct qmTable : qmGCObject {
  uint8_t flags;      // absence cache of events 0..7 (a set bit: the metatable lacks it)
  uint8_t lsizenode;  // log2 of the node count
  qmTable* metatable;
  qmValue* array;     // keys 1..sizearray
  qmNode* node;       // 2^lsizenode nodes, or the global shared empty node
  qmNode* firstfree;  // free-node cursor; only moves down until the next rehash
  qmGCObject* gclist;
  int32_t sizearray;
};

struct qmLocVar {
  qmTString* varname;
  int32_t startpc;  // first instruction where the variable is active
  int32_t endpc;    // first instruction where it is dead
};

struct qmProto : qmGCObject {
  qmValue* k;
  uint32_t* code;
  qmProto** p;
  int32_t* lineinfo;
  qmLocVar* locvars;
  qmTString** upvalues;  // names, 0 or nups entries
  qmTString* source;
  int32_t sizek;
  int32_t sizecode;
  int32_t sizep;
  int32_t sizelineinfo;
  int32_t sizelocvars;
  int32_t sizeupvalues;
  int32_t linedefined;
  uint8_t nups;
  uint8_t numparams;
  uint8_t is_vararg;
  uint8_t maxstacksize;
  qmGCObject* gclist;
};

// An upvalue is open while `v` points into a stack (then it sits on the state's open list,
// ordered by stack level, highest first) and closed once `v` points at its own `value`.
struct qmUpVal : qmGCObject {
  qmValue* v;
  qmValue value;
};

// A command function: reads its arguments at stack indices 1..vm_get_top, pushes its results
// and returns their count (0..999), -1/-2 for a Gosub request, or an error code.
using qmCFunction = int32_t (*)(qmState* L);

// Closures. The upvalues follow the record: qmValue cells for a command closure, qmUpVal
// pointers for a script closure.
struct qmClosure : qmGCObject {
  uint8_t is_c;
  uint8_t nupvalues;
  qmGCObject* gclist;
  qmValue env;  // the globals table the function sees
  qmCFunction f;
  qmProto* p;
  qmValue* c_upvalues() { return reinterpret_cast<qmValue*>(this + 1); }
  qmUpVal** upvals() { return reinterpret_cast<qmUpVal**>(this + 1); }
};
static_assert(sizeof(qmClosure) % 8 == 0);

// Call record states.
enum : int32_t {
  QM_CI_C = 1,          // command function
  QM_CI_HASFRAME = 2,   // pc held live by the executor
  QM_CI_CALLING = 4,    // waiting for a script callee
  QM_CI_SAVEDPC = 8,    // savedpc is valid
  QM_CI_YIELD = 16,     // suspended by the hook
};

struct qmCallInfo {
  qmValue* base;  // first argument / register 0
  qmValue* top;   // top limit of the frame
  int32_t state;
  int32_t tailcalls;
  const uint32_t* savedpc;
  const uint32_t** pc;  // the executor's live pc while QM_CI_HASFRAME
  uint64_t serial;      // identity of the activation (Gosub entries record it)
};

// Debug record filled by the call-information queries and handed to the hook.
struct qmDebug {
  int32_t event;          // 0 call, 1 return, 2 line, 3 count, 4 return from a tail call
  const char* name;
  const char* namewhat;   // "global", "local", "field", "method", "tail" or ""
  const char* what;       // "C", "main", "Quillmere" or "tail"
  const char* source;
  int32_t currentline;
  int32_t nups;
  int32_t linedefined;
  char short_src[60];
  int32_t i_ci;           // index of the call record described
};

enum : int32_t { QM_HOOK_CALL, QM_HOOK_RET, QM_HOOK_LINE, QM_HOOK_COUNT, QM_HOOK_TAILRET };
enum : uint8_t { QM_MASK_CALL = 1, QM_MASK_RET = 2, QM_MASK_LINE = 4, QM_MASK_COUNT = 8 };

using qmHook = void (*)(qmState* L, qmDebug* ar, int32_t* result);

// The innermost protected run; errors unwind to it as qm::ScriptError.
struct qmProtected {
  qmProtected* previous;
  int32_t status;
};

// One entry of the Gosub return stack: the position to return to and the call record
// activation that pushed it, so that a Return can never continue in another function's code.
struct qmGosubEntry {
  int32_t pc;
  uint64_t serial;
};

inline constexpr int32_t QM_GOSUB_MAX = 4096;
inline constexpr size_t QM_SMALL_MAX = 256;  // blocks up to this size come from the small-block pool
inline constexpr size_t QM_SMALL_CLASSES = QM_SMALL_MAX / 16 + 1;
inline constexpr int32_t QM_MAX_CALLS = 4096;      // call records
inline constexpr int32_t QM_MIN_STACK = 20;        // free cells a command always gets
inline constexpr int32_t QM_EXTRA_STACK = 6;       // cells between the limit and the real end
inline constexpr int32_t QM_STACK_START = 45;
inline constexpr int32_t QM_CI_START = 8;
inline constexpr int32_t QM_NUM_EVENTS = 23;

// Event numbers (metamethod names).
enum : int32_t {
  QM_EV_INDEX, QM_EV_NEWINDEX, QM_EV_GC, QM_EV_MODE, QM_EV_EQ, QM_EV_ADD, QM_EV_SUB,
  QM_EV_MUL, QM_EV_DIV, QM_EV_DIVINT, QM_EV_MOD, QM_EV_LSH, QM_EV_RSH, QM_EV_OR, QM_EV_AND,
  QM_EV_XOR, QM_EV_POW, QM_EV_UNM, QM_EV_NOT, QM_EV_LT, QM_EV_LE, QM_EV_CONCAT, QM_EV_CALL,
};

struct qmState : qmGCObject {
  qmValue* top;
  qmValue* base;
  qmGlobalState* g;
  qmCallInfo* ci;
  qmValue* stack_last;  // usable end: QM_EXTRA_STACK cells before the physical end
  qmValue* stack;
  int32_t stacksize;
  qmCallInfo* end_ci;
  qmCallInfo* base_ci;
  uint16_t size_ci;
  uint16_t nCcalls;     // host-call depth
  std::atomic<uint8_t> hookmask;  // may be armed from another thread (vm_arm_hook)
  uint8_t allowhook;
  uint8_t hookinit;
  int32_t basehookcount;
  int32_t hookcount;
  qmHook hook;
  qmValue gt;             // globals table
  qmGCObject* openupval;  // open upvalues, highest stack level first
  qmGCObject* gclist;
  qmProtected* errorJmp;
  ptrdiff_t errfunc;      // error-handler index (offset from the stack start), 0 = none
};

using qmPanicFunction = int32_t (*)(qmState* L);

// The runtime's hand in error handling. `throw_code` receives a command's returned error code
// (it stores the last error and throws only while exit-on-error is on; it may return).
// `record_position` notes the script position of an error that is being raised.
using qmThrowCodeHook = int32_t (*)(qmState* L, int32_t code);
using qmPositionHook = void (*)(qmState* L);
using qmErrorTextHook = void (*)(qmState* L, const char* text);
using qmErrorNumberHook = void (*)(qmState* L, int32_t n);

struct qmStringTable {
  qmGCObject** hash;
  uint32_t nuse;
  int32_t size;  // power of two
};

struct qmGlobalState {
  qmStringTable strt;
  qmGCObject* rootgc;       // every collectable object but strings, user data and open upvalues
  qmGCObject* rootudata;    // user data
  qmGCObject* tmudata;      // user data awaiting finalization
  char* buff;               // concatenation scratch buffer
  size_t buffsize;
  size_t GCthreshold;
  size_t nblocks;           // bytes in use
  // Small blocks (engine/memory.cpp): a free list per 16-byte size class, and the slabs they
  // are cut from.
  void* small_free[QM_SMALL_CLASSES];
  char* slab_next;
  char* slab_end;
  void* slabs;
  qmPanicFunction panic;
  qmValue registry;
  qmValue default_meta;     // empty table, its own metatable; every new table starts with it
  qmState* mainthread;
  qmNode dummynode;         // the shared empty hash part
  qmTString* tmname[QM_NUM_EVENTS];
  qmTString* memerrmsg;
  qmValue engine_next;      // the engine's own `next` command (a collector root)

  // Error seam and the engine's share of the error context.
  qmThrowCodeHook throw_code;
  qmPositionHook record_position;
  qmErrorTextHook set_error_text;  // fills the %s of the next error message
  char error_text[1024];           // the default target of set_error_text
  qmErrorNumberHook set_error_number;  // receives the failing-argument index
  int32_t error_number;
  qmCFunction getlasterror_fn;  // the one command that does not clear the last error
  // Work that a command left pending for whoever looks at its result: done once before any
  // other command runs (the keeper may go on adding to it).
  void (*barrier)(qmState*);
  qmCFunction barrier_keeper;
  int32_t last_error;
  int32_t error_line;
  int32_t exit_on_error;
  int32_t error_pending;     // an error report is under way (silences the call tracer)
  int32_t trace_calls;       // call tracer on

  // Gosub return stack, jump distance word and call position word.
  qmGosubEntry gosub[QM_GOSUB_MAX];
  int32_t gosub_count;
  int32_t jump_distance;
  int32_t call_position;
  uint64_t next_serial;
};

// Process-wide word the executor tests at every jump, call and return, so that one test covers
// both reasons to leave the fast path: bit 0 is the end-request flag (set by the End command and
// by the platform's event pump), and the rest counts in steps of 2 the states whose line or count
// hook is armed. A state whose own mask is clear only passes through the slow path while another
// state's hook is armed.
// Hidden: the executor then reads it in one instruction instead of through the symbol table.
extern std::atomic<uint32_t> vm_attention __attribute__((visibility("hidden")));
inline constexpr uint32_t VM_ATTENTION_END = 1;
inline constexpr uint32_t VM_ATTENTION_HOOK = 2;

// Stores a hook mask and keeps the armed-state count in vm_attention in step with it.
void vm_store_hook_mask(qmState* L, uint8_t mask);

// ---- value helpers ----------------------------------------------------------------------------

inline bool ttisnil(const qmValue* o) { return o->tt == QM_TNIL; }
inline bool ttisnumber(const qmValue* o) { return o->tt == QM_TNUMBER; }
inline bool ttisstring(const qmValue* o) { return o->tt == QM_TSTRING; }
inline bool ttistable(const qmValue* o) { return o->tt == QM_TTABLE; }
inline bool ttisfunction(const qmValue* o) { return o->tt == QM_TFUNCTION; }
inline bool iscollectable(const qmValue* o) { return o->tt >= QM_TSTRING; }

inline qmTString* tsvalue(const qmValue* o) { return static_cast<qmTString*>(o->v.gc); }
inline qmTable* hvalue(const qmValue* o) { return static_cast<qmTable*>(o->v.gc); }
inline qmClosure* clvalue(const qmValue* o) { return static_cast<qmClosure*>(o->v.gc); }
inline qmUserdata* uvalue(const qmValue* o) { return static_cast<qmUserdata*>(o->v.gc); }
inline qmState* thvalue(const qmValue* o) { return static_cast<qmState*>(o->v.gc); }

inline void setnilvalue(qmValue* o) { o->tt = QM_TNIL; }
// A cell is written in two 8-byte halves: the tag word (tag and padding) and the payload. A
// read of either half soon after is then served from one store; a 16-byte store read back
// in halves, or a 4-byte tag store read back in a 16-byte copy, cannot be forwarded and has to
// wait for the cache (a stall of the whole arithmetic chain). Numbers write the whole tag word;
// vm_copy_cell copies in halves.
inline void setnvalue(qmValue* o, double n) {
  const uint64_t tagword = QM_TNUMBER;
  std::memcpy(o, &tagword, sizeof tagword);
  o->v.n = n;
}
inline void setbvalue(qmValue* o, int32_t b) { o->tt = QM_TBOOLEAN; o->v.b = b; }
inline void setpvalue(qmValue* o, void* p) { o->tt = QM_TLIGHTUSERDATA; o->v.p = p; }
inline void setsvalue(qmValue* o, qmTString* s) { o->tt = QM_TSTRING; o->v.gc = s; }
inline void sethvalue(qmValue* o, qmTable* t) { o->tt = QM_TTABLE; o->v.gc = t; }
inline void setclvalue(qmValue* o, qmClosure* c) { o->tt = QM_TFUNCTION; o->v.gc = c; }
inline void setuvalue(qmValue* o, qmUserdata* u) { o->tt = QM_TUSERDATA; o->v.gc = u; }
inline void setthvalue(qmValue* o, qmState* th) { o->tt = QM_TTHREAD; o->v.gc = th; }
inline void setobj(qmValue* dst, const qmValue* src) { *dst = *src; }
inline void vm_copy_cell(qmValue* dst, const qmValue* src) {
  uint64_t lo, hi;
  std::memcpy(&lo, src, 8);
  std::memcpy(&hi, reinterpret_cast<const char*>(src) + 8, 8);
  asm("" : "+r"(lo), "+r"(hi));  // kept as two general-register moves, never one 16-byte move
  std::memcpy(dst, &lo, 8);
  std::memcpy(reinterpret_cast<char*>(dst) + 8, &hi, 8);
}

// The engine's truth rule: nil, false, the number 0 (either sign; NaN is true) and the empty
// string are false.
inline bool vm_is_false(const qmValue* o) {
  switch (o->tt) {
    case QM_TNIL: return true;
    case QM_TBOOLEAN: return o->v.b == 0;
    case QM_TNUMBER: return o->v.n == 0.0;
    case QM_TSTRING: return tsvalue(o)->len == 0;
    default: return false;
  }
}

// Primitive equality: same tag and same payload (numbers by value).
inline bool vm_raw_equal_obj(const qmValue* a, const qmValue* b) {
  if (a->tt != b->tt) return false;
  switch (a->tt) {
    case QM_TNIL: return true;
    case QM_TNUMBER: return a->v.n == b->v.n;
    case QM_TBOOLEAN: return a->v.b == b->v.b;
    case QM_TLIGHTUSERDATA: return a->v.p == b->v.p;
    default: return a->v.gc == b->v.gc;
  }
}

// The engine's shared nil value: lookups that find nothing point here. Never written.
extern const qmValue vm_nilobject;

inline qmGlobalState* G(qmState* L) { return L->g; }
inline qmTable* registry_table(qmState* L) { return hvalue(&L->g->registry); }
inline qmTable* globals_table(qmState* L) { return hvalue(&L->gt); }

// Stack cells are addressed as offsets across anything that may move the stack.
inline ptrdiff_t savestack(qmState* L, const qmValue* p) { return p - L->stack; }
inline qmValue* restorestack(qmState* L, ptrdiff_t n) { return L->stack + n; }
inline ptrdiff_t saveci(qmState* L, const qmCallInfo* p) { return p - L->base_ci; }
inline qmCallInfo* restoreci(qmState* L, ptrdiff_t n) { return L->base_ci + n; }
