// The auxiliary layer over the programming interface: argument readers that raise numbered
// errors, registry accessors, references, string buffers, and the registration of command and
// constant tables. Everything here works through the public stack interface.
#include <cstring>

#include "engine/call.h"
#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "engine/strutil.h"
#include "engine/vm.h"

using namespace qm;

// ---- registry by name -------------------------------------------------------------------------

namespace {

void push_registry_field(qmState* L, const char* name) {
  vm_push_string(L, name);
  vm_get_table(L, QM_REGISTRYINDEX);
}

void set_registry_field(qmState* L, const char* name) {  // value on top, popped
  vm_push_string(L, name);
  vm_insert(L, -2);
  vm_set_table(L, QM_REGISTRYINDEX);
}

}  // namespace

void* vm_reg_get_userdata(qmState* L, const char* name) {
  push_registry_field(L, name);
  void* p = vm_to_userdata(L, -1);
  vm_pop(L, 1);
  return p;
}

const char* vm_reg_get_string(qmState* L, const char* name) {
  // The text must outlive the pop, so it has to stay referenced by the registry: a number is
  // converted in the registry field itself (it still reads as the same number).
  push_registry_field(L, name);
  const char* s = nullptr;
  if (vm_type(L, -1) == QM_TNUMBER) {
    s = vm_to_string(L, -1);
    vm_push_value(L, -1);
    set_registry_field(L, name);
  } else if (vm_type(L, -1) == QM_TSTRING) {
    s = vm_to_string(L, -1);
  }
  vm_pop(L, 1);
  return s;
}

double vm_reg_get_number(qmState* L, const char* name) {
  push_registry_field(L, name);
  double n = vm_to_number(L, -1);
  vm_pop(L, 1);
  return n;
}

void vm_reg_set_pointer(qmState* L, const char* name, void* p) {
  vm_push_lightuserdata(L, p);
  set_registry_field(L, name);
}

void reg_set_string(qmState* L, const char* name, const char* text) {
  vm_push_string(L, text);
  set_registry_field(L, name);
}

void vm_reg_push(qmState* L, const char* name) {
  vm_push_string(L, name);
  vm_raw_get(L, QM_REGISTRYINDEX);
}

// ---- argument readers -------------------------------------------------------------------------

namespace {

[[noreturn]] void arg_error(qmState* L, int32_t n, int32_t code) {
  vm_set_error_number(L, n);
  vm_raise_error(L, code);
}

[[noreturn]] void field_error(qmState* L, const char* field, int32_t code) {
  vm_set_error_text(L, field);
  vm_raise_error(L, code);
}

// The readers' number test: a value that reads as non-zero (NaN included) is a number; one that
// reads as 0 only when it really is a number or a numeric string, so "" and tables fail.
bool read_number(qmState* L, int32_t n, double* out) {
  double d = vm_to_number(L, n);
  *out = d;
  return d != 0.0 || vm_is_number(L, n);
}

bool is_none(qmState* L, int32_t n) { return vm_type(L, n) == QM_TNONE; }

}  // namespace

void vm_arg_check_table(qmState* L, int32_t n) {
  if (vm_type(L, n) != QM_TTABLE) arg_error(L, n, ERR_TABEXPECTED);
}

int32_t vm_arg_check_function(qmState* L, int32_t n) {
  int32_t t = vm_type(L, n);
  if (t != QM_TFUNCTION) arg_error(L, n, ERR_FUNCEXPECTED);
  return t;
}

int32_t arg_check_type(qmState* L, int32_t n, int32_t type) {
  if (vm_type(L, n) == type) return type;
  switch (type) {
    case QM_TSTRING: arg_error(L, n, ERR_STREXPECTED);
    case QM_TNUMBER: arg_error(L, n, ERR_NUMEXPECTED);
    case QM_TTABLE: arg_error(L, n, ERR_TABEXPECTED);
    case QM_TFUNCTION: arg_error(L, n, ERR_FUNCEXPECTED);
    default: arg_error(L, n, ERR_UDEXPECTED);
  }
}

const char* vm_arg_check_string(qmState* L, int32_t n, size_t* len) {
  const char* s = vm_is_string(L, n) ? vm_to_string(L, n) : nullptr;
  if (!s) arg_error(L, n, ERR_STREXPECTED);
  if (len) *len = vm_string_length(L, n);
  return s;
}

const char* vm_arg_opt_string(qmState* L, int32_t n, const char* def, size_t* len) {
  if (is_none(L, n)) {
    if (len) *len = def ? std::strlen(def) : 0;
    return def;
  }
  return vm_arg_check_string(L, n, len);
}

double vm_arg_check_number(qmState* L, int32_t n) {
  double d;
  if (!read_number(L, n, &d)) arg_error(L, n, ERR_NUMEXPECTED);
  return d;
}

double vm_arg_opt_number(qmState* L, int32_t n, double def) {
  return is_none(L, n) ? def : vm_arg_check_number(L, n);
}

uint32_t vm_arg_check_integer(qmState* L, int32_t n) { return to_u32_bits(vm_arg_check_number(L, n)); }

uint32_t vm_arg_opt_integer(qmState* L, int32_t n, uint32_t def) {
  return is_none(L, n) ? def : vm_arg_check_integer(L, n);
}

const char* vm_arg_check_string_field(qmState* L, int32_t index, size_t* len, const char* field) {
  const char* s = vm_is_string(L, index) ? vm_to_string(L, index) : nullptr;
  if (!s) field_error(L, field, ERR_STRTABLEARG);
  if (len) *len = vm_string_length(L, index);
  return s;
}

double vm_arg_check_number_field(qmState* L, int32_t index, const char* field) {
  double d;
  if (!read_number(L, index, &d)) field_error(L, field, ERR_NUMTABLEARG);
  return d;
}

uint32_t vm_arg_check_integer_field(qmState* L, int32_t index, const char* field) {
  return to_u32_bits(vm_arg_check_number_field(L, index, field));
}

const char* vm_arg_get_string_or_code(qmState* L, int32_t n, size_t* len, int32_t* code) {
  const char* s = vm_is_string(L, n) ? vm_to_string(L, n) : nullptr;
  *code = s ? 0 : ERR_STRCALLBACK;
  if (len) *len = s ? vm_string_length(L, n) : 0;
  return s;
}

double vm_arg_get_number_or_code(qmState* L, int32_t n, int32_t* code) {
  double d;
  *code = read_number(L, n, &d) ? 0 : ERR_NUMCALLBACK;
  return d;
}

// ---- lists, metatables and user data ----------------------------------------------------------

int32_t vm_find_string(const char* text, const char* const list[]) {
  for (int32_t i = 0; list[i]; i++)
    if (std::strcmp(list[i], text) == 0) return i;
  return -1;
}

int32_t vm_new_metatable(qmState* L, const char* name) {
  vm_reg_push(L, name);
  if (vm_type(L, -1) != QM_TNIL) return 0;
  vm_pop(L, 1);
  vm_new_table(L);
  vm_push_string(L, name);
  vm_push_value(L, -2);
  vm_raw_set(L, QM_REGISTRYINDEX);  // registry[name] = t
  vm_push_value(L, -1);
  vm_push_string(L, name);
  vm_raw_set(L, QM_REGISTRYINDEX);  // registry[t] = name
  return 1;
}

void* vm_check_udata(qmState* L, int32_t index, const char* name) {
  if (!vm_get_metatable(L, index)) return nullptr;
  vm_raw_get(L, QM_REGISTRYINDEX);  // the name the metatable is registered under
  const char* tname = vm_type(L, -1) == QM_TSTRING ? vm_to_string(L, -1) : nullptr;
  bool match = tname && std::strcmp(tname, name) == 0;
  vm_pop(L, 1);
  return match ? vm_to_userdata(L, index) : nullptr;
}

int32_t vm_get_meta_field(qmState* L, int32_t index, const char* field) {
  if (!vm_get_metatable(L, index)) return 0;
  vm_push_string(L, field);
  vm_raw_get(L, -2);
  if (vm_type(L, -1) == QM_TNIL) {
    vm_pop(L, 2);
    return 0;
  }
  vm_remove(L, -2);
  return 1;
}

int32_t vm_call_meta(qmState* L, int32_t index, const char* field) {
  index = vm_abs_index(L, index);
  if (!vm_get_meta_field(L, index, field)) return 0;
  vm_push_value(L, index);
  vm_call(L, 1, 1);
  return 1;
}

// ---- references -------------------------------------------------------------------------------
// A reference table keeps its free list in element 1 (0 or absent: empty) and leaves element 2
// alone; references start at 3. Element counts that the table does not hold in a numeric "n"
// field live in the size table, registry element 2: weakly keyed, its own metatable.

namespace {

constexpr int32_t kFreeList = 1;
constexpr int32_t kSizeTableRef = 2;
constexpr int32_t kFirstRef = 3;

// Pushes the size table, creating it on first use.
void push_size_table(qmState* L) {
  vm_raw_geti(L, QM_REGISTRYINDEX, kSizeTableRef);
  if (vm_type(L, -1) == QM_TTABLE) return;
  vm_pop(L, 1);
  vm_new_table(L);
  vm_push_value(L, -1);
  vm_set_metatable(L, -2);
  vm_push_string(L, "__mode");
  vm_push_string(L, "k");
  vm_raw_set(L, -3);
  vm_push_value(L, -1);
  vm_raw_seti(L, QM_REGISTRYINDEX, kSizeTableRef);
}

// The "n" field of table t, when it is a number.
bool field_n(qmState* L, int32_t t, double* n) {
  vm_push_string(L, "n");
  vm_raw_get(L, t);
  bool ok = vm_type(L, -1) == QM_TNUMBER;
  if (ok) *n = vm_to_number(L, -1);
  vm_pop(L, 1);
  return ok;
}

int32_t table_getn(qmState* L, int32_t t) {
  double n;
  if (field_n(L, t, &n)) return to_i32(n);
  push_size_table(L);
  vm_push_value(L, t);
  vm_raw_get(L, -2);
  bool sized = vm_type(L, -1) == QM_TNUMBER;
  n = vm_to_number(L, -1);
  vm_pop(L, 2);
  if (sized) return to_i32(n);
  int32_t k = 1;
  for (;; k++) {
    vm_raw_geti(L, t, k);
    bool end = vm_type(L, -1) == QM_TNIL;
    vm_pop(L, 1);
    if (end) break;
  }
  return k - 1;
}

void table_setn(qmState* L, int32_t t, int32_t count) {
  double n;
  if (field_n(L, t, &n)) {
    vm_push_string(L, "n");
    vm_push_number(L, count);
    vm_raw_set(L, t);
    return;
  }
  push_size_table(L);
  vm_push_value(L, t);
  vm_push_number(L, count);
  vm_raw_set(L, -3);
  vm_pop(L, 1);
}

int32_t raw_int_at(qmState* L, int32_t t, int32_t k) {
  vm_raw_geti(L, t, k);
  int32_t v = to_i32(vm_to_number(L, -1));
  vm_pop(L, 1);
  return v;
}

}  // namespace

int32_t vm_ref_new(qmState* L, int32_t t) {
  t = vm_abs_index(L, t);
  if (vm_type(L, -1) == QM_TNIL) {
    vm_pop(L, 1);
    return -1;
  }
  int32_t ref = raw_int_at(L, t, kFreeList);
  if (ref != 0) {
    vm_raw_geti(L, t, ref);  // the next free one moves to the head
    vm_raw_seti(L, t, kFreeList);
  } else {
    int32_t count = table_getn(L, t);
    ref = count < kFirstRef - 1 ? kFirstRef : count + 1;
    table_setn(L, t, ref);
  }
  vm_raw_seti(L, t, ref);
  return ref;
}

void vm_ref_free(qmState* L, int32_t t, int32_t ref) {
  if (ref < 0) return;
  t = vm_abs_index(L, t);
  vm_raw_geti(L, t, kFreeList);
  vm_raw_seti(L, t, ref);
  vm_push_number(L, ref);
  vm_raw_seti(L, t, kFreeList);
}

// ---- string buffers ---------------------------------------------------------------------------
// The pieces lie on the stack in order. After each new piece the top ones are merged while
// either more than nine pieces would remain or the run taken so far is longer than the next
// piece down: the stack stays shallow and long strings are copied only a few times.

namespace {

constexpr int32_t kMaxPieces = 10;

size_t area_used(const qmStrBuf* B) { return static_cast<size_t>(B->pos - B->area); }

void merge_pieces(qmStrBuf* B) {
  if (B->pieces < 2) return;
  qmState* L = B->L;
  int32_t take = 1;
  size_t run = vm_string_length(L, -1);
  while (take < B->pieces) {
    size_t below = vm_string_length(L, -(take + 1));
    if (B->pieces - take + 1 < kMaxPieces && run <= below) break;
    run += below;
    take++;
  }
  vm_concat(L, take);
  B->pieces = B->pieces - take + 1;
}

// Pushes the area as a piece when it holds bytes; true when it did.
bool flush_area(qmStrBuf* B) {
  size_t used = area_used(B);
  if (used == 0) return false;
  vm_push_lstring(B->L, B->area, used);
  B->pos = B->area;
  B->pieces++;
  return true;
}

}  // namespace

void vm_strbuf_init(qmState* L, qmStrBuf* B) {
  B->L = L;
  B->pos = B->area;
  B->pieces = 0;
}

char* vm_strbuf_prep(qmStrBuf* B) {
  if (flush_area(B)) merge_pieces(B);
  return B->area;
}

void vm_strbuf_add_lstring(qmStrBuf* B, const char* s, size_t len) {
  while (len > 0) {
    if (area_used(B) == sizeof B->area) vm_strbuf_prep(B);
    size_t room = sizeof B->area - area_used(B);
    size_t n = len < room ? len : room;
    std::memcpy(B->pos, s, n);
    B->pos += n;
    s += n;
    len -= n;
  }
}

void vm_strbuf_add_string(qmStrBuf* B, const char* s) { vm_strbuf_add_lstring(B, s, std::strlen(s)); }

void vm_strbuf_add_value(qmStrBuf* B) {
  qmState* L = B->L;
  size_t len = vm_string_length(L, -1);
  const char* s = vm_to_string(L, -1);
  if (len <= sizeof B->area - area_used(B)) {
    std::memcpy(B->pos, s, len);
    B->pos += len;
    vm_pop(L, 1);
    return;
  }
  if (flush_area(B)) vm_insert(L, -2);  // the area's piece goes below the value
  B->pieces++;
  merge_pieces(B);
}

void vm_strbuf_push_result(qmStrBuf* B) {
  flush_area(B);
  vm_concat(B->L, B->pieces);
  B->pieces = 1;
}

// ---- registration -----------------------------------------------------------------------------

int32_t vm_register_commands(qmState* L, const char* libname, const qmCommand* rows, int32_t nup) {
  if (libname) {
    vm_push_string(L, libname);
    vm_get_table(L, QM_GLOBALSINDEX);
    if (vm_type(L, -1) == QM_TNIL) {
      vm_pop(L, 1);
      vm_new_table(L);
      vm_push_string(L, libname);
      vm_push_value(L, -2);
      vm_set_table(L, QM_GLOBALSINDEX);
    }
    vm_insert(L, -(nup + 1));
  }
  int32_t status = 0;
  char key[VM_NAME_MAX];
  for (; rows->name; rows++) {
    // Commands are found under their lower-cased names only; a name that does not fit the
    // buffer is refused rather than cut, so two long names cannot collide.
    if (!copy_bounded(key, sizeof key, rows->name)) {
      status = ERR_NAMETOOLONG;
      continue;
    }
    str_to_lower(key);
    vm_push_string(L, key);
    for (int32_t i = 0; i < nup; i++) vm_push_value(L, -(nup + 1));
    vm_push_cclosure(L, rows->func, nup);
    vm_set_table(L, -(nup + 3));
  }
  vm_pop(L, nup);
  return status;
}

int32_t vm_register_constants(qmState* L, const qmConstant* rows, int32_t user) {
  const char* tname = user ? "userconstants" : "constants";
  push_registry_field(L, tname);
  if (vm_type(L, -1) != QM_TTABLE) {
    vm_pop(L, 1);
    vm_new_table(L);
    vm_push_value(L, -1);
    set_registry_field(L, tname);
  }
  int32_t status = 0;
  char key[VM_NAME_MAX];
  for (; rows->name; rows++) {
    if (!copy_bounded(key, sizeof key, rows->name)) {
      status = ERR_NAMETOOLONG;
      continue;
    }
    str_to_lower(key);
    vm_push_string(L, key);
    if (rows->str)
      vm_push_string(L, rows->str);
    else
      vm_push_number(L, rows->num);
    vm_set_table(L, -3);
  }
  vm_pop(L, 1);
  return status;
}

int32_t vm_find_constant(qmState* L, const char* name, const char** text, double* num) {
  char key[VM_NAME_MAX];
  if (!copy_bounded(key, sizeof key, name)) return 0;
  str_to_lower(key);
  for (const char* tname : {"constants", "userconstants"}) {
    push_registry_field(L, tname);
    if (vm_type(L, -1) != QM_TTABLE) {
      vm_pop(L, 1);
      continue;
    }
    vm_push_string(L, key);
    vm_get_table(L, -2);
    int32_t t = vm_type(L, -1);
    if (t == QM_TNUMBER) {
      if (text) *text = nullptr;
      if (num) *num = vm_to_number(L, -1);
    } else if (t == QM_TSTRING && text) {
      *text = vm_to_string(L, -1);  // held by the constant table
    }
    vm_pop(L, 2);
    if (t != QM_TNIL) return 1;
  }
  return 0;
}
