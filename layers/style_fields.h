// The field readers that the layer style worker's steps share, over the style table at a stack
// index.
#pragma once

#include <cstdint>

#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

// Field readers over the style table at index t. A present field of the wrong type raises, naming
// the field; the worker's guard still redraws what was changed before.
struct StyleFields {
  qmState* L;
  int32_t t;
  // Pushes the field; false (nothing pushed) when it is absent.
  bool push(const char* key) const {
    vm_push_string(L, key);
    vm_get_table(L, t);
    if (vm_type(L, -1) != QM_TNIL) return true;
    vm_pop(L, 1);
    return false;
  }
  bool has(const char* key) const {
    if (!push(key)) return false;
    vm_pop(L, 1);
    return true;
  }
  bool number(const char* key, double* out) const {
    if (!push(key)) return false;
    if (vm_type(L, -1) != QM_TNUMBER) {
      err_set_string_arg(key);
      vm_raise_error(L, ERR_NUMTABLEARG);
    }
    *out = vm_to_number(L, -1);
    vm_pop(L, 1);
    return true;
  }
  bool integer(const char* key, int32_t* out) const {
    double v = 0.0;
    if (!number(key, &v)) return false;
    *out = to_i32(v);
    return true;
  }
  bool colour(const char* key, uint32_t* out) const {
    uint32_t v = 0;
    int32_t given = 0;
    opt_get_uint(L, t, key, &v, &given);
    if (given) *out = v;
    return given != 0;
  }
  bool flag(const char* key, int32_t* out) const {
    if (!push(key)) return false;
    *out = vm_type(L, -1) == QM_TNUMBER ? vm_to_number(L, -1) != 0 : vm_to_boolean(L, -1) != 0;
    vm_pop(L, 1);
    return true;
  }
};

}  // namespace qm
