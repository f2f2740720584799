// The "system" library, second half: type tests, the conditional value, list editing,
// metatables and raw access, collector control, user errors, iteration, joining and deep copies.
// Lists are 0-based: their item count is the number of entries before the first nil from index 0.
#include <cstdint>
#include <cstring>

#include "engine/errcodes.h"
#include "engine/gc.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/registry.h"
#include "stdlib/system_internal.h"

using namespace qm;

namespace {

int32_t item_count(qmState* L, int32_t t) {
  int32_t n = 0;
  for (;; n++) {
    vm_raw_geti(L, t, n);
    bool end = vm_type(L, -1) == QM_TNIL;
    vm_set_top(L, -2);
    if (end) return n;
  }
}

int32_t cmd_gettype(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  double t;
  switch (vm_type(L, 1)) {
    case QM_TNIL: t = 0; break;
    case QM_TNUMBER: t = 2; break;
    case QM_TSTRING: t = 3; break;
    case QM_TTABLE: t = 4; break;
    case QM_TFUNCTION: t = 5; break;
    case QM_TUSERDATA: t = 8; break;
    case QM_TLIGHTUSERDATA: t = 9; break;
    case QM_TTHREAD: t = 10; break;
    default: t = -1; break;  // booleans
  }
  vm_push_number(L, t);
  return 1;
}

int32_t cmd_iif(qmState* L) {
  qm::arg_check_count(L, 3, 3);
  bool first;
  switch (vm_type(L, 1)) {
    case QM_TNUMBER: first = vm_to_number(L, 1) != 0; break;
    case QM_TSTRING: first = vm_string_length(L, 1) != 0; break;
    case QM_TNIL: first = false; break;
    default: return ERR_WRONGDTYPE;
  }
  vm_push_value(L, first ? 2 : 3);
  return 1;
}

int32_t cmd_insertitem(qmState* L) {
  qm::arg_check_count(L, 2, 3);
  vm_arg_check_table(L, 1);
  int32_t pos = qm::to_i32(vm_arg_opt_number(L, 3, -1));
  vm_set_top(L, 2);
  int32_t n = item_count(L, 1);
  if (pos < 0 || pos > n) pos = n;
  for (int32_t i = n; i > pos; i--) {
    vm_raw_geti(L, 1, i - 1);
    vm_raw_seti(L, 1, i);
  }
  vm_push_value(L, 2);
  vm_raw_seti(L, 1, pos);
  return 0;
}

int32_t cmd_removeitem(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  vm_arg_check_table(L, 1);
  int32_t pos = qm::to_i32(vm_arg_opt_number(L, 2, -1));
  vm_set_top(L, 1);
  int32_t n = item_count(L, 1);
  if (n == 0) return 0;
  if (pos < 0 || pos > n - 1) pos = n - 1;
  vm_raw_geti(L, 1, pos);  // the result
  for (int32_t i = pos; i < n - 1; i++) {
    vm_raw_geti(L, 1, i + 1);
    vm_raw_seti(L, 1, i);
  }
  vm_push_nil(L);
  vm_raw_seti(L, 1, n - 1);
  return 1;
}

int32_t cmd_listitems(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  vm_arg_check_table(L, 1);
  vm_push_number(L, item_count(L, 1));
  return 1;
}

int32_t cmd_unpack(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  vm_arg_check_table(L, 1);
  int32_t n = item_count(L, 1);
  if (!vm_check_stack(L, n)) return ERR_STACK;
  for (int32_t i = 0; i < n; i++) vm_raw_geti(L, 1, i);
  return n;
}

int32_t cmd_getmetatable(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  if (!vm_get_metatable(L, 1)) {
    vm_push_nil(L);
    return 1;
  }
  vm_push_string(L, "__metatable");
  vm_raw_get(L, -2);
  if (vm_type(L, -1) == QM_TNIL) vm_set_top(L, -2);
  return 1;
}

int32_t cmd_setmetatable(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  vm_arg_check_table(L, 1);
  int32_t t = vm_type(L, 2);
  if (t != QM_TNIL && t != QM_TTABLE) return ERR_TABLEORNIL;
  if (vm_get_meta_field(L, 1, "__metatable")) return ERR_PROTMETATABLE;
  vm_set_top(L, 2);
  vm_set_metatable(L, 1);
  vm_set_top(L, 1);
  return 1;
}

int32_t cmd_rawequal(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  vm_push_number(L, vm_raw_equal(L, 1, 2) ? 1 : 0);
  return 1;
}

int32_t cmd_rawget(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  vm_arg_check_table(L, 1);
  vm_set_top(L, 2);
  vm_raw_get(L, 1);
  return 1;
}

int32_t cmd_rawset(qmState* L) {
  qm::arg_check_count(L, 3, 3);
  vm_arg_check_table(L, 1);
  vm_set_top(L, 3);
  vm_raw_set(L, 1);
  return 1;
}

int32_t cmd_gcinfo(qmState* L) {
  qm::arg_check_count(L, 0, 0);
  vm_push_number(L, double(L->g->nblocks >> 10));
  vm_push_number(L, double(vm_gc_threshold_kb(L)));
  return 2;
}

int32_t cmd_collectgarbage(qmState* L) {
  qm::arg_check_count(L, 0, 1);
  L->g->GCthreshold = size_t(qm::to_u32_sat(vm_arg_opt_number(L, 1, 0))) << 10;
  vm_gc_check(L);
  return 0;
}

int32_t cmd_error(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  const char* msg = vm_arg_check_string(L, 1, nullptr);
  qm::err_set_string_arg(msg);
  return ERR_ERRORCALLED;
}

int32_t cmd_ipairs(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  vm_arg_check_table(L, 1);
  if (vm_get_top(L) < 2) {
    vm_push_string(L, "ipairs");
    vm_get_table(L, QM_GLOBALSINDEX);
    vm_push_value(L, 1);
    vm_push_number(L, 0);
    return 3;
  }
  // Called by the loop with the last index: the next entry is index + 1, so index 0 is the
  // loop's start value and is not visited. No entry follows the largest index.
  int32_t last = qm::to_i32(vm_arg_check_number(L, 2));
  if (last == INT32_MAX) return 0;
  int32_t i = last + 1;
  vm_raw_geti(L, 1, i);
  if (vm_type(L, -1) == QM_TNIL) return 0;
  vm_push_number(L, i);
  vm_insert(L, -2);
  return 2;
}

int32_t cmd_pairs(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  vm_arg_check_table(L, 1);
  vm_push_string(L, "nextitem");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_push_value(L, 1);
  vm_push_nil(L);
  return 3;
}

int32_t cmd_nextitem(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  vm_arg_check_table(L, 1);
  vm_set_top(L, 2);
  if (vm_next(L, 1)) return 2;
  vm_push_nil(L);
  return 1;
}

// A deep copy that keeps shared and cyclic structure: every source table is copied once, and
// later meetings use the same copy. The walk uses a work list instead of recursion, so nesting
// depth costs no C stack.
int32_t cmd_copytable(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  vm_arg_check_table(L, 1);
  vm_set_top(L, 1);
  vm_new_table(L);  // 2: source -> copy
  vm_new_table(L);  // 3: work list of sources still to fill
  vm_new_table(L);  // 4: the copy of the argument
  vm_push_value(L, 1);
  vm_push_value(L, 4);
  vm_raw_set(L, 2);
  int32_t pending = 0;
  vm_push_value(L, 1);
  vm_raw_seti(L, 3, pending++);
  for (int32_t done = 0; done < pending; done++) {
    vm_set_top(L, 4);
    vm_raw_geti(L, 3, done);  // 5: source
    vm_push_value(L, 5);
    vm_raw_get(L, 2);         // 6: its copy
    vm_push_nil(L);
    while (vm_next(L, 5)) {   // key at 7, value at 8
      if (vm_type(L, 8) == QM_TTABLE) {
        vm_push_value(L, 8);
        vm_raw_get(L, 2);
        if (vm_type(L, -1) == QM_TNIL) {
          vm_set_top(L, -2);
          vm_new_table(L);
          vm_push_value(L, 8);
          vm_push_value(L, -2);
          vm_raw_set(L, 2);
          vm_push_value(L, 8);
          vm_raw_seti(L, 3, pending++);
        }
        vm_replace(L, 8);
      }
      vm_push_value(L, 7);
      vm_push_value(L, 8);
      vm_set_table(L, 6);
      vm_set_top(L, 7);
    }
  }
  vm_set_top(L, 4);
  return 1;
}

// Calls the function at 2 with the two values on top, protected, with the runtime's use counter
// raised around the call. Returns the call's error code, with the one result on top on success.
int32_t call_visitor(qmState* L) {
  const qm::TagItem up[] = {{qm::ATTR_PROTECTED_CALLS, 1}, {0, 0}};
  const qm::TagItem down[] = {{qm::ATTR_PROTECTED_CALLS, 0}, {0, 0}};
  qm::runtime_set_attrs(L, up);
  int32_t err = vm_pcall(L, 2, 1, 0);
  qm::runtime_set_attrs(L, down);
  return err;
}

int32_t cmd_foreach(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  vm_arg_check_table(L, 1);
  vm_arg_check_function(L, 2);
  vm_set_top(L, 2);
  vm_push_nil(L);
  while (vm_next(L, 1)) {  // key at 3, value at 4
    vm_push_value(L, 2);
    vm_push_value(L, 3);
    vm_push_value(L, 4);
    int32_t err = call_visitor(L);
    if (err) return err;
    if (vm_type(L, -1) != QM_TNIL) return 1;
    vm_set_top(L, 3);
  }
  return 0;
}

int32_t cmd_foreachi(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  vm_arg_check_table(L, 1);
  vm_arg_check_function(L, 2);
  vm_set_top(L, 2);
  for (int32_t i = 0;; i++) {
    vm_raw_geti(L, 1, i);
    if (vm_type(L, -1) == QM_TNIL) return 0;
    vm_push_value(L, 2);
    vm_push_number(L, i);
    vm_push_value(L, 3);
    int32_t err = call_visitor(L);
    if (err) return err;
    if (vm_type(L, -1) != QM_TNIL) return 1;
    vm_set_top(L, 2);
  }
}

int32_t cmd_concat(qmState* L) {
  qm::arg_check_count(L, 1, 4);
  vm_arg_check_table(L, 1);
  size_t seplen = 0;
  const char* sep = vm_arg_opt_string(L, 2, "", &seplen);
  int32_t first = qm::to_i32(vm_arg_opt_number(L, 3, 0));
  int32_t last = qm::to_i32(vm_arg_opt_number(L, 4, 0));
  if (last == 0) last = item_count(L, 1) - 1;
  vm_set_top(L, 4);
  qmStrBuf B;
  vm_strbuf_init(L, &B);
  for (int32_t i = first; i <= last; i++) {
    vm_raw_geti(L, 1, i);
    int32_t t = vm_type(L, -1);
    if (t != QM_TSTRING && t != QM_TNUMBER) return ERR_STRINGEXPECTED;
    vm_strbuf_add_value(&B);
    if (i != last) vm_strbuf_add_lstring(&B, sep, seplen);
  }
  vm_strbuf_push_result(&B);
  return 1;
}

int32_t cmd_getconstant(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  const char* name = vm_arg_check_string(L, 1, nullptr);
  size_t used = 0;
  qm::ConstantValue value;
  int32_t err = qm::constant_parse_ref(L, name, &used, &value);
  if (err) return err;
  if (value.type == QM_TSTRING)
    vm_push_string(L, value.text);
  else
    vm_push_number(L, value.number);
  return 1;
}

}  // namespace

const qmCommand kSystemTableCommands[] = {
    {"CollectGarbage", cmd_collectgarbage},
    {"Concat", cmd_concat},
    {"CopyTable", cmd_copytable},
    {"Error", cmd_error},
    {"ForEach", cmd_foreach},
    {"ForEachI", cmd_foreachi},
    {"GCInfo", cmd_gcinfo},
    {"GetConstant", cmd_getconstant},
    {"GetMetaTable", cmd_getmetatable},
    {"GetType", cmd_gettype},
    {"IIf", cmd_iif},
    {"InsertItem", cmd_insertitem},
    {"IPairs", cmd_ipairs},
    {"ListItems", cmd_listitems},
    {"NextItem", cmd_nextitem},
    {"Pairs", cmd_pairs},
    {"RawEqual", cmd_rawequal},
    {"RawGet", cmd_rawget},
    {"RawSet", cmd_rawset},
    {"RemoveItem", cmd_removeitem},
    {"SetMetaTable", cmd_setmetatable},
    {"Unpack", cmd_unpack},
    {nullptr, nullptr},
};
