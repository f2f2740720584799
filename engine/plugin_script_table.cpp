// The script table handed to plug-ins. Plug-ins index it by slot number, so the order below is a
// calling interface: never reorder it, only append after the last slot.
#include "engine/numconv.h"
#include "engine/vm.h"

void plugin_arg_get_id(qmState* L, int32_t n, qmPluginObjectId* out) {
  if (vm_type(L, n) == QM_TLIGHTUSERDATA) {
    *out = {0, vm_to_userdata(L, n)};
  } else {
    *out = {qm::to_i32(vm_arg_check_number(L, n)), nullptr};
  }
}

namespace {

template <typename F>
qmPluginFunction slot(F f) {
  return reinterpret_cast<qmPluginFunction>(f);
}

}  // namespace

const qmPluginFunction vm_plugin_script_table[VM_PLUGIN_SCRIPT_SLOTS + 1] = {
    slot(vm_get_top),               // 0
    slot(vm_set_top),
    slot(vm_push_value),
    slot(vm_remove),
    slot(vm_insert),
    slot(vm_replace),               // 5
    slot(vm_is_cfunction),
    slot(vm_is_number),
    slot(vm_is_string),
    slot(vm_is_userdata),
    slot(vm_type),                  // 10
    slot(vm_equal),
    slot(vm_raw_equal),
    slot(vm_less_than),
    slot(vm_to_number),
    slot(vm_to_string),             // 15
    slot(vm_string_length),
    slot(vm_to_cfunction),
    slot(vm_to_userdata),
    slot(vm_to_pointer),
    slot(vm_push_nil),              // 20
    slot(vm_push_number),
    slot(vm_push_lstring),
    slot(vm_push_cstring),
    slot(vm_push_lightuserdata),
    slot(vm_push_cclosure),         // 25
    slot(vm_get_table),
    slot(vm_raw_get),
    slot(vm_raw_geti),
    slot(vm_new_table),
    slot(vm_get_fenv),              // 30
    slot(vm_set_table),
    slot(vm_raw_set),
    slot(vm_raw_seti),
    slot(vm_set_fenv),
    slot(vm_pcall),                 // 35
    slot(vm_next),
    slot(vm_concat),
    slot(vm_push_upvalues),
    slot(vm_get_upvalue),
    slot(vm_set_upvalue),           // 40
    slot(vm_new_userdata),
    slot(vm_set_metatable),
    slot(vm_get_metatable),
    slot(vm_raise_error),
    slot(vm_arg_check_string),      // 45
    slot(vm_arg_opt_string),
    slot(vm_arg_check_number),
    slot(vm_arg_opt_number),
    slot(vm_arg_check_integer),
    slot(vm_arg_opt_integer),       // 50
    slot(vm_arg_check_table),
    slot(vm_arg_check_function),
    slot(arg_check_type),
    slot(vm_ref_new),
    slot(vm_ref_free),              // 55
    slot(plugin_arg_get_id),
    slot(vm_new_metatable),
    slot(vm_reg_push),
    slot(vm_check_udata),
    slot(vm_strbuf_init),           // 60
    slot(vm_strbuf_prep),
    slot(vm_strbuf_add_lstring),
    slot(vm_strbuf_add_string),
    slot(vm_strbuf_add_value),
    slot(vm_strbuf_push_result),    // 65
    slot(vm_find_string),
    nullptr,
};
