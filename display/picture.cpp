#include "display/picture.h"

#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/effects.h"
#include "runtime/args.h"

namespace qm {

namespace {
qmState* g_state = nullptr;
}

Planes::~Planes() {
  qmos_free_bitmap(bitmap);
  qmos_free_mask(mask);
  qmos_free_alpha(alpha);
}

qmBitmap* bitmap_new_filled(int32_t width, int32_t height, uint32_t colour) {
  if (!picture_size_allowed(width, height)) return nullptr;
  // Black is 0 in every format: a cleared bitmap needs no fill.
  if ((colour & 0xFFFFFF) == 0) return qmos_alloc_bitmap_cleared(width, height);
  qmBitmap* bm = qmos_alloc_bitmap(width, height);
  if (bm) qmos_fill_bitmap_rect(bm, 0, 0, width, height, colour);
  return bm;
}

int32_t planes_copy(const qmBitmap* bitmap, const qmMask* mask, const qmAlphaChannel* alpha, int32_t width,
                    int32_t height, Planes* out) {
  if (!bitmap) return ERR_MEM;
  return bitmap_new_with_parts(bitmap, mask, alpha, 0, 0, width, height, 0, &out->bitmap, &out->mask,
                               &out->alpha);
}

double number_or_percent(qmState* L, int32_t n, double reference) {
  bool fraction = false;
  return arg_get_number_or_percent(L, n, reference, true, &fraction);
}

int32_t size_or_percent(qmState* L, int32_t n, int32_t current) { return to_i32(number_or_percent(L, n, double(current))); }

int32_t picture_library_open(qmState* L, const qmCommand* commands, const qmConstant* constants, const char* name,
                             ObjectHeader** list) {
  picture_set_state(L);
  vm_push_value(L, QM_GLOBALSINDEX);
  int32_t err = vm_register_commands(L, nullptr, commands, 0);
  vm_set_top(L, 0);
  if (err || (constants && (err = vm_register_constants(L, constants, 0)))) return err;
  if ((err = library_register_name(commands, name))) return err;
  return list ? objlist_register(list) : 0;
}

NewId new_id_arg(qmState* L, int32_t n) {
  if (vm_type(L, n) == QM_TNIL) return {true, automatic_id()};
  return {false, arg_get_id(L, n)};
}

int32_t push_new_id(qmState* L, const NewId& id, void* record) {
  if (!id.automatic) return 0;
  vm_push_lightuserdata(L, record);
  return 1;
}

bool flag_arg(qmState* L, int32_t n) {
  return vm_type(L, n) == QM_TNUMBER ? vm_to_number(L, n) != 0 : vm_to_boolean(L, n) != 0;
}

bool table_flag(qmState* L, int32_t t, const char* key) {
  vm_push_string(L, key);
  vm_get_table(L, t);
  const bool on = flag_arg(L, -1);
  vm_pop(L, 1);
  return on;
}

void picture_set_state(qmState* L) { g_state = L; }
qmState* picture_state() { return g_state; }

}  // namespace qm
