// Interned strings and the text-to-number reader.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/object.h"

struct qmStringStorage;

// The 32-bit string hash. It samples about 32 bytes of long strings; table iteration order
// depends on it, so it must stay bit-exact.
uint32_t vm_string_hash(const char* s, size_t len);

// The interned string for the bytes (created when new).
qmTString* vm_new_string(qmState* L, const char* s, size_t len);
qmTString* vm_new_cstring(qmState* L, const char* s);
// The interned string of up to len bytes that fill writes straight into the new string's storage
// (returning how many it wrote), so that large data is not copied once more; an equal string
// already interned is taken instead. nullptr when the storage cannot be had (nothing is raised).
qmTString* vm_new_string_filled(qmState* L, size_t len, size_t (*fill)(char* dest, size_t len, void* ctx),
                                void* ctx);

// The string of the storage's bytes, taking its block over (see qmStringStorage in engine/vm.h).
qmTString* vm_string_from_storage(qmState* L, qmStringStorage* s);

// Looks a string up without creating it (nullptr when not interned).
qmTString* vm_find_interned(qmState* L, const char* s, size_t len);

void vm_string_table_resize(qmState* L, int32_t newsize);
void vm_string_free(qmState* L, qmTString* ts);
inline size_t vm_string_size(uint32_t len) { return sizeof(qmTString) + len + 1; }

// Reads a number from text: decimal with the C library (locale-independent), or hexadecimal
// after "$" or a "0x" prefix (at least one digit, unsigned 32-bit, saturating at 4294967295).
// Only white space may follow. Returns false for anything else.
bool vm_str_to_number(const char* s, double* result);

// Formats a number the way the engine turns numbers into text ("%.14g", C locale). Returns the
// text length; buf must hold at least 32 bytes.
int vm_number_to_text(double n, char* buf);
