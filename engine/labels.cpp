// Label tables for Goto, Gosub and label-driven events. Both live in the registry:
//   "labels"    lower-cased name -> position in the main chunk's code
//   "labelrefs" {n = count, [0] = {name = ..., pc = ...}, [1] = ...}
// Every operation leaves the stack as it found it.
#include <cstring>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "engine/strutil.h"
#include "engine/vm.h"

using namespace qm;

namespace {

// A label name is copied and lower-cased before every lookup and store. A name that does not
// fit is refused rather than cut, so two long names never collapse into one label.
bool lowered_name(const char* name, char (&buf)[VM_NAME_MAX]) {
  if (!copy_bounded(buf, sizeof buf, name)) return false;
  str_to_lower(buf);
  return true;
}

// Pushes registry[name]; when it is not a table and `create` is set, replaces it with a new
// table stored there. Returns false (with the non-table value popped) when there is none.
bool push_registry_table(qmState* L, const char* name, bool create) {
  vm_push_string(L, name);
  vm_get_table(L, QM_REGISTRYINDEX);
  if (vm_type(L, -1) == QM_TTABLE) return true;
  vm_pop(L, 1);
  if (!create) return false;
  vm_new_table(L);
  vm_push_string(L, name);
  vm_push_value(L, -2);
  vm_set_table(L, QM_REGISTRYINDEX);
  return true;
}

}  // namespace

int32_t vm_label_find(qmState* L, const char* name) {
  char key[VM_NAME_MAX];
  if (!lowered_name(name, key)) return -1;
  if (!push_registry_table(L, "labels", false)) return -1;
  vm_push_string(L, key);
  vm_get_table(L, -2);
  int32_t pos = vm_type(L, -1) == QM_TNUMBER ? to_i32(vm_to_number(L, -1)) : -1;
  vm_pop(L, 2);
  return pos;
}

int32_t vm_label_set(qmState* L, const char* name, int32_t position) {
  char key[VM_NAME_MAX];
  if (!lowered_name(name, key)) return ERR_NAMETOOLONG;
  push_registry_table(L, "labels", true);
  vm_push_string(L, key);
  vm_push_number(L, position);
  vm_set_table(L, -3);
  vm_pop(L, 1);
  return 0;
}

int32_t vm_labelref_add(qmState* L, const char* name, int32_t position) {
  char key[VM_NAME_MAX];
  if (!lowered_name(name, key)) return -1;
  push_registry_table(L, "labelrefs", true);
  vm_push_string(L, "n");
  vm_get_table(L, -2);
  int32_t n = vm_type(L, -1) == QM_TNUMBER ? to_i32(vm_to_number(L, -1)) : 0;
  vm_pop(L, 1);

  vm_push_number(L, n);
  vm_new_table(L);
  vm_push_string(L, "name");
  vm_push_string(L, key);
  vm_set_table(L, -3);
  vm_push_string(L, "pc");
  vm_push_number(L, position);
  vm_set_table(L, -3);
  vm_set_table(L, -3);

  vm_push_string(L, "n");
  vm_push_number(L, n + 1);
  vm_set_table(L, -3);
  vm_pop(L, 1);
  return n;
}
