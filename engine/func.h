// Prototypes, closures, upvalues and user data.
#pragma once

#include <cstddef>

#include "engine/object.h"

// An empty prototype linked for collection; the loader fills its arrays with vm_new_array.
qmProto* vm_proto_new(qmState* L);
void vm_proto_free(qmState* L, qmProto* p);

// Closures take the globals table `env`. Upvalue slots start empty (nil / nullptr).
qmClosure* vm_closure_new_c(qmState* L, qmCFunction f, int32_t nupvalues, const qmValue* env);
qmClosure* vm_closure_new_script(qmState* L, qmProto* p, const qmValue* env);
void vm_closure_free(qmState* L, qmClosure* c);
size_t vm_closure_size(const qmClosure* c);

// The open upvalue for a stack cell, made when none exists yet (two closures that capture one
// local share it).
qmUpVal* vm_find_upval(qmState* L, qmValue* level);

// Closes every open upvalue at or above the level: the value moves into the upvalue.
void vm_close_upvalues(qmState* L, qmValue* level);

// A full user data block with the default metatable, linked into the user data list.
qmUserdata* vm_userdata_new(qmState* L, size_t size);
void vm_userdata_free(qmState* L, qmUserdata* u);

// Source line of instruction pc of a prototype (0 without line information).
int32_t vm_proto_line(const qmProto* p, int32_t pc);
