// The bgpic library's commands: plain, gradient and textured pictures, conversions to and from
// brushes, copies, scaling and freeing, with the library's start.
#include <cstring>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/codecs/codecs.h"
#include "display/fill.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/picture_load.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "runtime/args.h"

namespace qm {

namespace {

int32_t cmd_createbgpic(qmState* L) {
  arg_check_count(L, 3, 4);
  const int32_t width = to_i32(vm_arg_check_number(L, 2)), height = to_i32(vm_arg_check_number(L, 3));
  const uint32_t colour = to_u32_bits(vm_arg_opt_number(L, 4, 0)) & 0xFFFFFF;
  if (width < 1 || height < 1) return ERR_WRONGUSAGE;
  NewId id;
  if (int32_t err = bgpic_prepare_id(L, 1, &id)) return err;
  qmBGPic* pic = nullptr;
  if (int32_t err = bgpic_create_filled(id.id, width, height, colour, &pic)) return err;
  return push_new_id(L, id, pic);
}

// The size arguments of the gradient and texture pictures: the current BGPic's size by default.
int32_t size_args(qmState* L, int32_t n, int32_t* width, int32_t* height) {
  const qmBGPic* current = output_hooks().current_bgpic();
  *width = to_i32(vm_arg_opt_number(L, n, current ? current->width : 0));
  *height = to_i32(vm_arg_opt_number(L, n + 1, current ? current->height : 0));
  return (*width < 1 || *height < 1) ? ERR_BADDIMENSIONS : 0;
}

// Every argument is read before the picture is drawn: an argument error raised after it would
// leave the drawing behind. The picture of the id's number goes only once the new one is drawn.
int32_t new_filled_bgpic(qmState* L, int32_t id_arg, FillOptions& fill, int32_t width, int32_t height) {
  const NewId id = new_id_arg(L, id_arg);
  qmBitmap* bm = nullptr;
  if (int32_t err = fill_render(fill, width, height, &bm)) {
    fill_options_free(fill);
    return err;
  }
  if (int32_t err = id.automatic ? 0 : bgpic_free_by_id(L, id.id, false)) {
    qmos_free_bitmap(bm);
    fill_options_free(fill);
    return err;
  }
  qmBGPic* pic = nullptr;
  if (int32_t err = bgpic_create(id.id, 1, width, height, width, nullptr, bm, nullptr, -1, nullptr, nullptr, &fill, &pic))
    return err;
  return push_new_id(L, id, pic);
}

int32_t cmd_creategradientbgpic(qmState* L) {
  arg_check_count(L, 4, 8);
  FillOptions fill;
  fill.kind = FILLGRADIENT;
  if (int32_t err = gradient_from_args(L, 2, 7, 8, &fill.gradient)) return err;
  int32_t width, height;
  if (int32_t err = size_args(L, 5, &width, &height)) return err;
  return new_filled_bgpic(L, 1, fill, width, height);
}

int32_t cmd_createtexturedbgpic(qmState* L) {
  arg_check_count(L, 2, 6);
  FillOptions fill;
  fill.kind = FILLTEXTURE;
  fill.texture_brush = arg_get_id(L, 2);
  int32_t width, height;
  if (int32_t err = size_args(L, 3, &width, &height)) return err;
  fill.texture_x = to_i32(vm_arg_opt_number(L, 5, 0));
  fill.texture_y = to_i32(vm_arg_opt_number(L, 6, 0));
  return new_filled_bgpic(L, 1, fill, width, height);
}

int32_t cmd_brushtobgpic(qmState* L) {
  arg_check_count(L, 2, 2);
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(arg_get_id(L, 1), 0, &b)) return err;
  if (b->kind == BRUSHKIND_VECTOR && b->transformed) return ERR_TFVBRUSHBGPIC;
  Planes p;
  if (int32_t err = planes_copy(b->bitmap, b->mask, b->alpha, b->width, b->height, &p)) return err;
  NewId id;
  if (int32_t err = bgpic_prepare_id(L, 2, &id)) return err;
  qmBGPic* pic = nullptr;
  const int32_t rerender = b->kind == BRUSHKIND_VECTOR ? 1 : 0;
  if (b->source) imagesource_retain(b->source);  // the picture holds a reference of its own
  int32_t err = bgpic_create(id.id, rerender, b->width, b->height, b->width, b->source, p.bitmap, nullptr,
                             b->transparent, p.mask, p.alpha, nullptr, &pic);
  p.release();
  if (err) return err;
  return push_new_id(L, id, pic);
}

int32_t cmd_bgpictobrush(qmState* L) {
  arg_check_count(L, 2, 2);
  qmBGPic* pic = nullptr;
  if (int32_t err = bgpic_find(arg_get_id(L, 1), 0, &pic)) return err;
  if (pic->rerender && (pic->width != pic->unscaled_width || pic->height != pic->unscaled_height))
    return ERR_TFVBGPICBRUSH;
  const NewId id = vm_type(L, 2) == QM_TNIL ? NewId{true, automatic_id()} : NewId{false, arg_get_id(L, 2)};
  if (!id.automatic)
    if (int32_t err = brush_lookup(L, id.id, false)) return err;
  Planes p;
  const BGPicImage& w = pic->working;
  if (int32_t err = planes_copy(w.bitmap, w.mask, w.alpha, pic->width, pic->height, &p)) return err;
  qmBrush* b = nullptr;
  const int32_t kind = pic->source ? BRUSHKIND_VECTOR : BRUSHKIND_BITMAP;
  if (pic->source) imagesource_retain(pic->source);  // the brush holds a reference of its own
  int32_t err = brush_new_from_bitmap(id.id, kind, pic->width, pic->height, pic->width, 0, pic->source, p.bitmap,
                                      pic->transparent, p.mask, p.alpha, &b);
  p.release();
  if (err) return err;
  if (kind == BRUSHKIND_VECTOR) b->src_width = pic->width, b->src_height = pic->height;
  return push_new_id(L, id, b);
}

int32_t cmd_copybgpic(qmState* L) {
  arg_check_count(L, 2, 2);
  const ObjectId source_id = arg_get_id(L, 1);
  if (vm_type(L, 2) != QM_TNIL && arg_get_id(L, 2) == source_id) return ERR_WRONGUSAGE;
  qmBGPic* source = nullptr;
  if (int32_t err = bgpic_find(source_id, 0, &source)) return err;
  NewId id;
  if (int32_t err = bgpic_prepare_id(L, 2, &id)) return err;
  qmBGPic* pic = nullptr;
  if (int32_t err = bgpic_copy(L, source, id.id, &pic)) return err;
  return push_new_id(L, id, pic);
}

int32_t cmd_scalebgpic(qmState* L) {
  arg_check_count(L, 3, 4);
  qmBGPic* pic = nullptr;
  if (int32_t err = bgpic_find(arg_get_id(L, 1), BGPICFIND_MODIFY, &pic)) return err;
  if (output_hooks().shown_by_display(pic)) return ERR_SCALEBGPIC;
  if (output_hooks().is_output_target(OBJ_BGPIC, pic)) return ERR_MODIFYABGPIC;
  const int32_t width = size_or_percent(L, 2, pic->width);
  const int32_t height = size_or_percent(L, 3, pic->height);
  const bool smooth = flag_arg(L, 4);
  return bgpic_resize(pic, width, height, smooth);
}

int32_t cmd_freebgpic(qmState* L) {
  arg_check_count(L, 1, 1);
  return bgpic_free_by_id(L, arg_get_id(L, 1), true);
}

// In the order of the library's command table; loading, showing and selecting join at their
// places as the picture loaders and the displays are built.
const qmCommand kBGPicCommands[] = {
    {"LoadBGPic", cmd_loadbgpic},
    {"CreateBGPic", cmd_createbgpic},
    {"CreateGradientBGPic", cmd_creategradientbgpic},
    {"CreateRainbowBGPic", cmd_creategradientbgpic},
    {"CreateTexturedBGPic", cmd_createtexturedbgpic},
    {"BrushToBGPic", cmd_brushtobgpic},
    {"BGPicToBrush", cmd_bgpictobrush},
    {"CopyBGPic", cmd_copybgpic},
    {"ScaleBGPic", cmd_scalebgpic},
    {"DisplayBGPic", cmd_displaybgpic},
    {"DisplayBGPicPart", cmd_displaybgpicpart},
    {"FreeBGPic", cmd_freebgpic},
    {nullptr, nullptr},
};

}  // namespace

}  // namespace qm

using namespace qm;

int32_t bgpic_init(qmState* L) {
  return picture_library_open(L, kBGPicCommands, nullptr, "bgpic", bgpic_list_head());
}
