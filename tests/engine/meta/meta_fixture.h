// Values of every type for operator tests, kept reachable on the engine's stack, and command
// functions that record how an event was called.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "engine/func.h"
#include "engine/table.h"
#include "engine/value.h"
#include "engine/vmstring.h"
#include "tests/engine/core/fixture.h"

class MetaTest : public EngineTest {
 protected:
  // Pushes a value and returns its stack cell (valid until the stack moves).
  qmValue* push(const qmValue& v) {
    *L->top = v;
    L->top++;
    return L->top - 1;
  }
  qmValue str(const char* s) { return str(std::string(s)); }
  qmValue str(const std::string& s) {
    qmValue v;
    setsvalue(&v, vm_new_string(L, s.data(), s.size()));
    return root(v);
  }
  // Values made here are kept in the registry's hash part (keys above 100), so that the
  // collections an operator may run (every step check in the torture build) keep them.
  qmValue root(const qmValue& v) {
    *vm_table_set_int(L, registry_table(L), ++rooted_) = v;
    return v;
  }
  static qmValue nil() {
    qmValue v;
    setnilvalue(&v);
    return v;
  }
  static qmValue boolean(bool b) {
    qmValue v;
    setbvalue(&v, b);
    return v;
  }
  // A new table (rooted).
  qmValue table() {
    qmValue v;
    sethvalue(&v, vm_table_new(L, 0, 0));
    return root(v);
  }
  qmValue cfunc(qmCFunction f) {
    qmValue v;
    setclvalue(&v, vm_closure_new_c(L, f, 0, &L->gt));
    return root(v);
  }
  void set(const qmValue& t, const char* key, const qmValue& v) {
    *vm_table_set_str(L, hvalue(&t), vm_new_cstring(L, key)) = v;
  }
  // A table with a fresh metatable; returns the metatable.
  qmValue with_meta(const qmValue& t) {
    qmValue mt = table();
    hvalue(&t)->metatable = hvalue(&mt);
    return mt;
  }
  std::string text(const qmValue& v) { return std::string(tsvalue(&v)->data(), tsvalue(&v)->len); }

  int32_t rooted_ = 100;
};

// Arguments seen by the last recording event, and what it returns.
struct EventLog {
  static inline std::vector<qmValue> args;
  static inline int calls = 0;
  static inline qmValue result = {QM_TNUMBER, {nullptr}};
  static void reset(qmValue r) {
    args.clear();
    calls = 0;
    result = r;
  }
  static int32_t record(qmState* L) {
    calls++;
    args.assign(L->base, L->top);
    *L->top = result;
    L->top++;
    return 1;
  }
};
