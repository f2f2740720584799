// Showing background pictures: DisplayBGPic makes one the current display's picture, and
// DisplayBGPicPart copies a rectangle of one onto the current output.
#include "display/bgpic.h"
#include "display/clipregion.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
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
  vm_new_table(L);
  const int32_t t = vm_get_top(L);
  table_set_id(L, "bgpic", id);
  if (x != KEEPPOSITION) table_set_number(L, "x", x);
  if (y != KEEPPOSITION) table_set_number(L, "y", y);
  const int32_t err = display_set_attributes(L, t);
  vm_pop(L, 1);
  return err;
}

int32_t cmd_displaybgpicpart(qmState* L) {
  arg_check_count(L, 5, 8);
  qmBGPic* pic = nullptr;
  if (int32_t err = bgpic_find(arg_get_id(L, 1), 0, &pic)) return err;
  const int32_t x = to_i32(vm_arg_check_number(L, 2)), y = to_i32(vm_arg_check_number(L, 3));
  const int32_t w = to_i32(vm_arg_check_number(L, 4)), h = to_i32(vm_arg_check_number(L, 5));
  if (w < 1 || h < 1) return ERR_WRONGUSAGE;
  qmDisplay* d = display_current();
  int32_t out_x = 0, out_y = 0, out_w = 0, out_h = 0;
  if (!d || !d->bgpic || !output_hooks().output_area(&out_x, &out_y, &out_w, &out_h)) return ERR_CLOSEDDISPDRAW;
  // Specials resolve inside an active clip region; the blit draws within the whole output and
  // the region clips it.
  const int32_t dx = coord_resolve_special_x(to_i32(vm_arg_opt_number(L, 6, x)), w, 0, 0.0);
  const int32_t dy = coord_resolve_special_y(to_i32(vm_arg_opt_number(L, 7, y)), h, 0, 0.0);
  if (int32_t err = drawtarget_prepare(L)) return err;
  qmBitmap* dest = drawtarget_dest();  // a selected picture or the double buffer's back buffer
  clipregion_output_size(&out_w, &out_h);
  const qmClipRegion* clip = clipregion_active();
  dblbuf_mark(d, dx, dy, w, h);
  const BGPicImage& img = pic->current;
  if (pic == d->bgpic) {
    // From the picture onto itself: through a copy, so that overlapping rectangles read the old
    // pixels.
    Planes copy;
    if (int32_t err = planes_copy(img.bitmap, img.mask, img.alpha, pic->display_width, pic->display_height, &copy))
      return err;
    SAFEBLT(L, copy.bitmap, x, y, dest, dx, dy, w, h, pic->display_width, pic->display_height, out_w, out_h,
            BLIT_FRONT, copy.mask, copy.alpha, clip);
    return 0;
  }
  SAFEBLT(L, img.bitmap, x, y, dest, dx, dy, w, h, pic->display_width, pic->display_height, out_w, out_h,
          BLIT_FRONT, img.mask, img.alpha, clip);
  return 0;
}

}  // namespace qm
