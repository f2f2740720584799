// The runtime's hooks in the engine's error path.
#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/registry.h"

namespace qm {
namespace {

int32_t throw_code_hook(qmState* L, int32_t code) { return err_throw_code(L, code); }

void error_text_hook(qmState*, const char* text) { err_set_string_arg(text); }

}  // namespace

void err_install(qmState* L) { vm_set_error_hooks(L, throw_code_hook, nullptr, error_text_hook); }

int32_t err_throw_code(qmState* L, int32_t code) {
  vm_set_last_error(L, code);
  bool raise = vm_get_exit_on_error(L) != 0;
  if (runtime_flags().protected_calls == 0) {
    if (!raise) {
      err_reset_position();
      return 0;
    }
    // The report is under way from here on: the call tracer keeps quiet.
    vm_set_error_pending(L, 1);
  }
  if (raise) vm_raise_error(L, code);
  return 0;
}

}  // namespace qm
