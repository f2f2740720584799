// Values under operators when the executor's number fast paths do not apply: conversions,
// arithmetic, comparison, concatenation, indexed reads and writes, and the metamethod events.
// The executor and the programming interface share these, so script and host code see one set
// of rules.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/numconv.h"
#include "engine/object.h"
#include "engine/table.h"

// The value as a number: a number is itself, nil is 0, a string holding a number is converted
// (into *tmp). Returns nullptr for every other value.
const qmValue* vm_tonumber(const qmValue* obj, qmValue* tmp);

// Converts a cell in place: nil becomes the empty string, a number its "%.14g" text. Returns
// false for other types (strings are left alone and give true).
bool vm_tostring(qmState* L, qmValue* obj);

// Slow path of operations 11-22 (event QM_EV_ADD .. QM_EV_POW): the result goes to `ra`.
void vm_arith(qmState* L, qmValue* ra, const qmValue* rb, const qmValue* rc, int32_t event);

// Slow paths of UNM and BNOT (event QM_EV_UNM / QM_EV_NOT) on a register.
void vm_arith_unary(qmState* L, qmValue* ra, const qmValue* rb, int32_t event);

// Order and equality across types (nil counts as 0; mixed types raise). Mode 1 orders strings
// byte-wise, mode 0 without regard to letter case.
int32_t vm_value_less(qmState* L, const qmValue* l, const qmValue* r, int32_t mode);
int32_t vm_value_less_equal(qmState* L, const qmValue* l, const qmValue* r);
int32_t vm_values_equal(qmState* L, const qmValue* a, const qmValue* b);

// Byte-wise (mode 1) or case-insensitive (mode 0) order of two strings, across embedded NULs:
// negative, zero or positive.
int32_t vm_str_compare(const qmTString* l, const qmTString* r, int32_t mode);

// t[key] through __index chains; `count` continues a chain the caller started. Returns false
// (result nil) when a table without __index ended the chain; a function __index result counts
// as found even when nil.
bool vm_gettable(qmState* L, const qmValue* t, const qmValue* key, qmValue* result, int32_t count = 0);

// t[key] = val through __newindex chains.
void vm_settable(qmState* L, const qmValue* t, const qmValue* key, const qmValue* val);

// Concatenates `total` registers ending at register `last` (relative to L->base); the result
// lands in the first of them.
void vm_concat_values(qmState* L, int32_t total, int32_t last);

// Event lookup. vm_fast_event serves events 0..7 through the metatable's absence cache
// (returns nullptr when absent). vm_event_of_value gives vm_nilobject for values without events.
// Inline: the executor asks for __index on every method and class lookup.
inline const qmValue* vm_fast_event(qmState* L, qmTable* mt, int32_t event) {
  if (mt == nullptr) return nullptr;
  if (event < 8 && (mt->flags & (1u << event))) return nullptr;
  const qmValue* tm = vm_table_get_str(mt, L->g->tmname[event]);
  if (tm->tt == QM_TNIL) {
    if (event < 8) mt->flags = static_cast<uint8_t>(mt->flags | (1u << event));
    return nullptr;
  }
  return tm;
}
const qmValue* vm_event_of_value(qmState* L, const qmValue* o, int32_t event);

// Interns the 23 event names as fixed strings.
void vm_events_init(qmState* L);

// Calls f(p1, p2) wanting one result, stored into *res (held as a stack offset across the call
// when it lies in the stack).
void vm_call_event_result(qmState* L, qmValue* res, const qmValue* f, const qmValue* p1, const qmValue* p2);

// ---- number operations, shared by the executor's fast paths and the slow paths -------------

namespace qmnum {

// The 32-bit operand rule of the bitwise operators.
inline uint32_t bits(double d) { return qm::to_u32_bits(d); }
inline uint32_t shift_count(double d) { return static_cast<uint32_t>(qm::to_i32(d)) & 31u; }

inline double lsh(double a, double b) { return double(bits(a) << shift_count(b)); }
inline double rsh(double a, double b) { return double(bits(a) >> shift_count(b)); }
inline double bor(double a, double b) { return double(bits(a) | bits(b)); }
inline double band(double a, double b) { return double(bits(a) & bits(b)); }
inline double bxor(double a, double b) { return double(bits(a) ^ bits(b)); }
inline double bnot(double a) { return double(~bits(a)); }

// Integer quotient and remainder of the operands truncated to int32 (a zero divisor is the
// caller's check). Computed in 64 bits: -2147483648 by -1 gives 2147483648 and 0, no trap.
inline double divint(int32_t a, int32_t b) { return double(int64_t(a) / int64_t(b)); }
inline double mod(int32_t a, int32_t b) { return double(int64_t(a) % int64_t(b)); }

}  // namespace qmnum
