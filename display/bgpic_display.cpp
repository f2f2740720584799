// Showing background pictures: DisplayBGPic makes one the current display's picture, and
// DisplayBGPicPart copies a rectangle of one onto the current output.
#include <algorithm>

#include "display/bgpic.h"
#include "display/clipregion.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/showbrush.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/blit.h"
#include "runtime/args.h"

namespace qm {

int32_t cmd_displaybgpic(qmState* L) {
  arg_check_count(L, 1, 2);
  const ObjectId id = arg_get_id(L, 1);
  qmBGPic* pic = nullptr;
  if (int32_t err = bgpic_find(id, 0, &pic)) return err;
  if (display_system().recording && (pic->unscaled.mask || pic->unscaled.alpha)) return ERR_VIDRECTRANS;
  // A picture that drawing goes into stops being the target before a display shows it.
  if (output_hooks().is_output_target(OBJ_BGPIC, pic)) drawtarget_end(L, display_current(), false);
  int32_t x = POS_NOT_GIVEN, y = POS_NOT_GIVEN;
  if (vm_get_top(L) >= 2 && vm_type(L, 2) == QM_TTABLE) {
    opt_get_int(L, 2, "x", &x, nullptr);
    opt_get_int(L, 2, "y", &y, nullptr);
  }
  return display_show_bgpic(L, id, x, y, true);
}

int32_t display_show_bgpic(qmState* L, const ObjectId& id, int32_t x, int32_t y, bool refresh) {
  vm_new_table(L);
  const int32_t t = vm_get_top(L);
  table_set_id(L, "bgpic", id);
  if (x != KEEPPOSITION) table_set_number(L, "x", x);
  if (y != KEEPPOSITION) table_set_number(L, "y", y);
  const int32_t err = display_set_attributes(L, t, refresh);
  vm_set_top(L, t - 1);
  return err;
}

int32_t bgpic_fx_pictures(qmState* L, const ObjectId& id, int32_t x, int32_t y, qmBitmap** new_picture,
                          qmBitmap** old_picture) {
  *new_picture = *old_picture = nullptr;
  qmDisplay* d = display_current();
  if (!d || !d->bgpic) return ERR_CLOSEDDISPDRAW;
  qmBGPic* pic = nullptr;
  if (int32_t err = bgpic_find(id, 0, &pic)) return err;
  if (display_system().recording && (pic->unscaled.mask || pic->unscaled.alpha)) return ERR_VIDRECTRANS;
  if (output_hooks().is_output_target(OBJ_BGPIC, pic)) drawtarget_end(L, d, false);
  // What the window shows now: the composition with layers on, else the picture drawn into.
  const qmBitmap* shown = d->layers && d->buffer2 ? d->buffer2 : d->bgpic->current.bitmap;
  const int32_t old_w = std::min(shown->width, d->bgpic->display_width);
  const int32_t old_h = std::min(shown->height, d->bgpic->display_height);
  qmBitmap* old_copy = qmos_alloc_bitmap(old_w, old_h);
  if (!old_copy) return ERR_MEM;
  BLTBITMAP(shown, 0, 0, old_copy, 0, 0, old_w, old_h);
  // The switch leaves the buffers for the old picture below; a failure fills them with the new one.
  if (int32_t err = display_show_bgpic(L, id, x, y, false)) {
    if (d->bgpic == pic) display_fill_buffers(d);
    qmos_free_bitmap(old_copy);
    return err;
  }
  const qmBitmap* image = pic->current.bitmap;
  const int32_t w = pic->display_width, h = pic->display_height;
  qmBitmap* fresh = qmos_alloc_bitmap(w, h);
  // The old picture at the new one's size, black where it does not reach: the copy itself when
  // the sizes agree.
  const bool same_size = w == old_w && h == old_h;
  qmBitmap* old = same_size ? old_copy : qmos_alloc_bitmap(w, h);
  if (!fresh || !old) {
    display_fill_buffers(d);
    qmos_free_bitmap(fresh);
    if (!same_size) qmos_free_bitmap(old);
    qmos_free_bitmap(old_copy);
    return ERR_MEM;
  }
  if (!same_size) {
    qmos_fill_bitmap_rect(old, 0, 0, w, h, 0);
    BLTBITMAP(old_copy, 0, 0, old, 0, 0, std::min(w, old_w), std::min(h, old_h));
    qmos_free_bitmap(old_copy);
  }
  // The window goes on showing the old picture, which both buffers hold until the effect draws the
  // new one. The copy of the new picture comes last: an effect's first frame reads it.
  for (qmBitmap* b : {d->buffer1, d->buffer2})
    if (b && b->width == w && b->height == h) BLTBITMAP(old, 0, 0, b, 0, 0, w, h);
  BLTBITMAP(image, 0, 0, fresh, 0, 0, w, h);
  *new_picture = fresh;
  *old_picture = old;
  return 0;
}

int32_t bgpic_part_render(qmState* L, const ObjectId& id, int32_t source_x, int32_t source_y, int32_t x, int32_t y,
                          int32_t width, int32_t height, int32_t option_index, bool copy) {
  ShowOutput out;
  if (!show_output(&out) || !out.display->bgpic) return ERR_CLOSEDDISPDRAW;
  qmDisplay* d = out.display;
  qmBGPic* pic = d->bgpic;
  if (id.number != -1 || id.handle)
    if (int32_t err = bgpic_find(id, 0, &pic)) return err;
  ShowSource src;
  src.kind = OBJ_BGPICPART;
  src.id = pic->header.id;
  src.bitmap = pic->current.bitmap, src.mask = pic->current.mask, src.alpha = pic->current.alpha;
  src.width = pic->display_width, src.height = pic->display_height;
  src.drawn_into = pic == d->bgpic || pic->current.bitmap == drawtarget_dest();
  return show_picture(L, out, src, source_x, source_y, x, y, width, height, option_index, copy);
}

// DisplayBGPicPart(id, x, y, width, height [, dest x = x, dest y = y [, copy flag or table]])
int32_t cmd_displaybgpicpart(qmState* L) {
  arg_check_count(L, 5, 8);
  const ObjectId id = arg_get_id(L, 1);
  int32_t v[4];
  for (int32_t i = 0; i < 4; ++i) v[i] = to_i32(vm_arg_check_number(L, i + 2));
  const int32_t dx = to_i32(vm_arg_opt_number(L, 6, v[0]));
  const int32_t dy = to_i32(vm_arg_opt_number(L, 7, v[1]));
  // The eighth argument: a layer gets a copy of the part, asked by a number or a table's "layers".
  bool copy = false;
  if (vm_get_top(L) >= 8) {
    if (vm_type(L, 8) == QM_TTABLE) copy = table_flag(L, 8, "layers");
    else copy = to_i32(vm_arg_check_number(L, 8)) != 0;
  }
  return bgpic_part_render(L, id, v[0], v[1], dx, dy, v[2], v[3], 8, copy);
}

}  // namespace qm
