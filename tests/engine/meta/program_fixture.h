// Assembled programs with a few extra commands for events and the collector: setmeta(t, mt),
// newud(mt) makes a user data with that metatable, record(...) notes its arguments and returns
// 42, track() samples the bytes in use.
#pragma once

#include <algorithm>
#include <vector>

#include "engine/func.h"
#include "tests/engine/vm/vm_fixture.h"

class ProgramTest : public VmTest {
 protected:
  void SetUp() override {
    VmTest::SetUp();
    recorded.clear();
    samples.clear();
    reg("setmeta", [](qmState* L) -> int32_t {
      hvalue(L->base)->metatable = hvalue(L->base + 1);
      return 0;
    });
    reg("newud", [](qmState* L) -> int32_t {
      qmUserdata* u = vm_userdata_new(L, 16);
      u->metatable = hvalue(L->base);
      setuvalue(L->top, u);
      L->top++;
      return 1;
    });
    reg("record", [](qmState* L) -> int32_t {
      recorded.clear();
      for (qmValue* a = L->base; a < L->top; a++) recorded.push_back(a->tt);
      vm_push_number(L, 42);
      return 1;
    });
    reg("track", [](qmState* L) -> int32_t {
      samples.push_back(vm_bytes_in_use(L));
      return 0;
    });
  }
  void reg(const char* name, qmCFunction f) {
    vm_push_string(L, name);
    vm_push_cfunction(L, f);
    vm_set_table(L, QM_GLOBALSINDEX);
  }

  static inline std::vector<int32_t> recorded;  // type tags of record's arguments
  static inline std::vector<size_t> samples;
};
