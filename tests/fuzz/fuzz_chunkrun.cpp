// libFuzzer target over the code check: every chunk the loader accepts is run, and must end
// with results or an error code, never crash. The executor trusts the code check for every
// register, constant, upvalue and jump, so this is where a gap in the check would show.
//
// A count hook stops each run after a budget of instructions, or once the engine holds more
// than a few megabytes (a loop of concatenations doubles a string each turn).
#include <cstdint>

#include "engine/errcodes.h"
#include "engine/vm.h"

namespace {

constexpr int32_t kBudget = 20000;              // instructions per run
constexpr size_t kMemoryCap = 4 * 1024 * 1024;  // bytes the engine may hold

int32_t g_steps;

void budget_hook(qmState* L, qmDebug*, int32_t* result) {
  *result = (++g_steps > kBudget || L->g->nblocks > kMemoryCap) ? qm::ERR_USERABORT : 0;
}

// Commands for the program to call: one hands its arguments back, one fails.
int32_t cmd_echo(qmState* L) {
  return vm_get_top(L);
}
int32_t cmd_fail(qmState*) {
  return 1500;
}

struct Input {
  const uint8_t* data;
  size_t size;
  bool given;
};

const char* reader(qmState*, void* ud, size_t* size) {
  auto* in = static_cast<Input*>(ud);
  *size = in->given ? 0 : in->size;
  in->given = true;
  return reinterpret_cast<const char*>(in->data);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qmState* L = vm_open();
  if (L == nullptr) return 0;
  const struct {
    const char* name;
    qmCFunction f;
  } commands[] = {{"echo", cmd_echo}, {"fail", cmd_fail}};
  for (const auto& c : commands) {
    vm_push_string(L, c.name);
    vm_push_cfunction(L, c.f);
    vm_set_table(L, QM_GLOBALSINDEX);
  }
  Input in{data, size, false};
  if (vm_load(L, reader, &in, "=fuzz") == 0) {
    g_steps = 0;
    vm_set_hook(L, budget_hook, QM_MASK_COUNT, 1);
    vm_pcall(L, 0, 0, 0);
  }
  vm_close_state(L);
  return 0;
}
