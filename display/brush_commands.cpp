// The brush library's commands: creation, copies, scaling, the in-place picture operations and
// the mask and alpha-channel commands, with the library's start.
#include <algorithm>
#include <cstring>
#include <vector>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/codecs/codecs.h"
#include "display/codecs/export.h"
#include "display/fill.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "display/picture_load.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/blitservices.h"
#include "gfx/effects.h"
#include "gfx/pixelloops.h"
#include "gfx/pixelops.h"
#include "gfx/scale.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "runtime/args.h"

namespace qm {

namespace {

constexpr uint32_t kNoColour = 0xFFFFFFFF;

// Frees the brush of a numbered id before it is made again.
int32_t prepare_id(qmState* L, const NewId& id) { return id.automatic ? 0 : brush_lookup(L, id.id, false); }

qmBrush* changing_brush(qmState* L, int32_t n) {
  qmBrush* b = nullptr;
  if (int32_t err = brush_find_for_change(arg_get_id(L, n), &b)) vm_command_fail(L, err);
  return b;
}

// A level argument: a number or a percentage of 255, clamped to 0..255.
int32_t level_arg(qmState* L, int32_t n) {
  const double v = number_or_percent(L, n, 255.0);
  return std::clamp(to_i32(v), 0, 255);
}

uint32_t pixel_compare_mask(const qmBitmap* bm) { return color_to_pixel_format(0xFFFFFF, bm->format); }

int32_t cmd_createbrush(qmState* L) {
  arg_check_count(L, 3, 5);
  const NewId id = new_id_arg(L, 1);
  const int32_t width = to_i32(vm_arg_check_number(L, 2)), height = to_i32(vm_arg_check_number(L, 3));
  uint32_t colour = 0;
  int32_t table = 0;
  if (vm_type(L, 4) == QM_TTABLE) table = 4;
  else colour = to_u32_bits(vm_arg_opt_number(L, 4, 0));
  if (vm_get_top(L) >= 5 && vm_type(L, 5) != QM_TNIL) {
    vm_arg_check_table(L, 5);
    table = 5;
  }
  const bool alpha = table && table_flag(L, table, "alphachannel");
  const bool mask = table && table_flag(L, table, "mask");
  const bool clear = table && table_flag(L, table, "clear");
  if (width < 1 || height < 1) return ERR_BADDIMENSIONS;
  if (alpha && mask) return ERR_WRONGUSAGE;
  if (int32_t err = prepare_id(L, id)) return err;
  qmBrush* b = nullptr;
  if (int32_t err = brush_new(id.id, width, height, colour & 0xFFFFFF, mask, alpha, clear, false, &b)) return err;
  return push_new_id(L, id, b);
}

int32_t cmd_grabdesktop(qmState* L) {
  arg_check_count(L, 1, 2);
  const NewId id = vm_type(L, 1) == QM_TNIL ? NewId{true, automatic_id()} : NewId{false, arg_get_id(L, 1)};
  if (int32_t err = platform_video_start()) return err;
  int32_t screen_width = 0, screen_height = 0;
  platform_screen_size(&screen_width, &screen_height);
  int32_t x = 0, y = 0, width = screen_width, height = screen_height;
  if (vm_get_top(L) >= 2 && vm_type(L, 2) != QM_TNIL) {
    vm_arg_check_table(L, 2);
    opt_get_int(L, 2, "x", &x, nullptr);
    opt_get_int(L, 2, "y", &y, nullptr);
    opt_get_int(L, 2, "width", &width, nullptr);
    opt_get_int(L, 2, "height", &height, nullptr);
  }
  if (x < 0 || y < 0) return ERR_WRONGUSAGE;
  width = int32_t(std::min<int64_t>(width, int64_t(screen_width) - x));
  height = int32_t(std::min<int64_t>(height, int64_t(screen_height) - y));
  if (width < 1 || height < 1) return ERR_WRONGUSAGE;
  if (int32_t err = prepare_id(L, id)) return err;
  qmBitmap* grabbed = platform_screen_grab(x, y, width, height);
  if (!grabbed) return ERR_MEM;
  qmBrush* b = nullptr;
  if (int32_t err = brush_new_from_bitmap(id.id, BRUSHKIND_BITMAP, width, height, width, 0, nullptr, grabbed, -1,
                                          nullptr, nullptr, &b))
    return err;
  return push_new_id(L, id, b);
}

int32_t cmd_copybrush(qmState* L) {
  arg_check_count(L, 2, 3);
  qmBrush* source = nullptr;
  if (int32_t err = brush_find(arg_get_id(L, 1), 0, &source)) return err;
  const NewId id = new_id_arg(L, 2);
  if (!id.automatic && id.id == source->header.id) return ERR_WRONGUSAGE;
  if (vm_get_top(L) >= 3 && vm_type(L, 3) != QM_TNIL) vm_arg_check_table(L, 3);  // "hardware": no effect
  if (int32_t err = prepare_id(L, id)) return err;
  qmBrush* b = nullptr;
  if (int32_t err = brush_copy(L, source, id.id, &b)) return err;
  return push_new_id(L, id, b);
}

int32_t cmd_freebrush(qmState* L) {
  arg_check_count(L, 1, 1);
  return brush_lookup(L, arg_get_id(L, 1), true);
}

int32_t cmd_scalebrush(qmState* L) {
  arg_check_count(L, 3, 4);
  qmBrush* b = nullptr;
  const ObjectId id = arg_get_id(L, 1);
  if (int32_t err = brush_find_for_change(id, &b, true)) return err;
  int32_t width = size_or_percent(L, 2, b->width), height = size_or_percent(L, 3, b->height);
  const bool smooth = flag_arg(L, 4);
  if (int32_t err = size_keep_aspect(b->width, b->height, &width, &height)) return err;
  if (width == b->width && height == b->height) return 0;
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  Planes p;
  if (b->kind == BRUSHKIND_VECTOR) {
    // Drawn again from the source at the new size. The scale is taken against the picture's own
    // size, because the source is always the unscaled picture, however often the brush was scaled.
    const double matrix[4] = {double(width) / b->src_width, 0, 0, double(height) / b->src_height};
    if (int32_t err = image_render_vector(L, b->source, matrix, 0, 0, width, height, 0, &p.bitmap, &p.mask,
                                          &p.alpha))
      return err;
    b->transformed = 1;
  } else if (int32_t err = bitmap_draw(b->bitmap, b->mask, b->alpha, 0, 0, nullptr, b->width, b->height, width,
                                       height, smooth ? 1 : 0, &p.bitmap, &p.mask, &p.alpha)) {
    return err;
  }
  brush_replace_planes(b, p, width, height);
  return 0;
}

int32_t cmd_savebrush(qmState* L) {
  arg_check_count(L, 2, 5);
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(arg_get_id(L, 1), 0, &b)) return err;
  const char* name = vm_arg_check_string(L, 2, nullptr);
  const uint32_t transparent = to_u32_bits(vm_arg_opt_number(L, 3, 0));
  const int32_t format = to_i32(vm_arg_opt_number(L, 4, IMGFMT_BMP));
  int32_t quality = 90, colors = 256, dither = 0;
  image_read_save_options(L, 5, &quality, &colors, &dither);
  return image_write_bitmap(format, b->bitmap, b->width, b->height, name, b->mask, transparent, b->alpha, quality,
                            colors, dither);
}

int32_t cmd_tintbrush(qmState* L) {
  arg_check_count(L, 3, 3);
  qmBrush* b = changing_brush(L, 1);
  const uint32_t colour = to_u32_bits(vm_arg_check_number(L, 2)) & 0xFFFFFF;
  return bitmap_tint(b->bitmap, 0, 0, b->width, b->height, colour, level_arg(L, 3));
}

int32_t cmd_replacecolors(qmState* L) {
  arg_check_count(L, 2, 2);
  qmBrush* b = changing_brush(L, 1);
  vm_arg_check_table(L, 2);
  qmBitmapLock lock;
  if (!qmos_lock_bitmap(b->bitmap, &lock)) return ERR_LOCKBMAP;
  std::vector<uint32_t> pairs;
  for (int32_t i = 0;; i += 2) {
    vm_raw_geti(L, 2, i);
    if (vm_type(L, -1) == QM_TNIL) {
      vm_pop(L, 1);
      break;
    }
    const uint32_t from = to_u32_bits(vm_arg_check_number_field(L, -1, "colors"));
    vm_raw_geti(L, 2, i + 1);
    const uint32_t to = from == kNoColour ? 0 : to_u32_bits(vm_arg_check_number_field(L, -1, "colors"));
    vm_pop(L, 2);
    if (from == kNoColour) break;
    pairs.push_back(color_to_pixel_format(from & 0xFFFFFF, lock.format));
    pairs.push_back(color_to_pixel_format(to & 0xFFFFFF, lock.format));
  }
  if (!pairs.empty()) {
    pairs.push_back(kNoColour);
    pixels_replace_color(b->width, b->height, pairs.data(), lock.pixels, lock.pixels_per_row,
                         pixel_compare_mask(b->bitmap));
  }
  qmos_unlock_bitmap(&lock);
  return 0;
}

int32_t cmd_invertbrush(qmState* L) {
  arg_check_count(L, 1, 1);
  qmBrush* b = changing_brush(L, 1);
  return bitmap_invert(b->bitmap, b->width, b->height, nullptr);
}

int32_t cmd_flipbrush(qmState* L) {
  arg_check_count(L, 2, 2);
  qmBrush* b = changing_brush(L, 1);
  const int32_t horizontal = vm_arg_check_number(L, 2) != 0 ? 1 : 0;
  return bitmap_flip(b->bitmap, b->mask, b->alpha, b->width, b->height, horizontal);
}

int32_t cmd_mixbrush(qmState* L) {
  arg_check_count(L, 3, 3);
  qmBrush* target = changing_brush(L, 1);
  qmBrush* source = nullptr;
  if (int32_t err = brush_find(arg_get_id(L, 2), BRUSHFIND_NOVECTOR, &source)) return err;
  const int32_t level = level_arg(L, 3);
  return bitmap_mix(target->bitmap, source->bitmap, source->mask, 0, 0, 0, 0, std::min(target->width, source->width),
                    std::min(target->height, source->height), level, source->alpha, source->width, source->height);
}

int32_t cmd_brushtogray(qmState* L) {
  arg_check_count(L, 1, 1);
  qmBrush* b = changing_brush(L, 1);
  return bitmap_to_gray(b->bitmap, b->width, b->height, 0, nullptr);
}

int32_t cmd_setbrushtransparency(qmState* L) {
  arg_check_count(L, 2, 2);
  qmBrush* b = changing_brush(L, 1);
  const uint32_t colour = to_u32_bits(vm_arg_check_number(L, 2));
  qmMask* mask = nullptr;
  if (colour != kNoColour && !(mask = bitmap_mask_from_color(b->bitmap, b->width, b->height, colour & 0xFFFFFF)))
    return ERR_MEM;
  qmos_free_mask(b->mask);
  qmos_free_alpha(b->alpha);
  b->mask = mask;
  b->alpha = nullptr;
  b->transparent = colour == kNoColour ? -1 : int32_t(colour & 0xFFFFFF);
  return 0;
}

int32_t cmd_cropbrush(qmState* L) {
  arg_check_count(L, 5, 5);
  qmBrush* b = changing_brush(L, 1);
  int32_t width = to_i32(vm_arg_check_number(L, 4)), height = to_i32(vm_arg_check_number(L, 5));
  const int32_t x = coord_resolve_special_x(to_i32(vm_arg_check_number(L, 2)), width, b->width, 0.0);
  const int32_t y = coord_resolve_special_y(to_i32(vm_arg_check_number(L, 3)), height, b->height, 0.0);
  if (x < 0 || y < 0) return ERR_NEGCOORDS;
  if (x >= b->width || y >= b->height) return ERR_COORDSRANGE;
  if (width < 1 || height < 1) return ERR_BADDIMENSIONS;
  // The rectangle is cut to the brush, as LoadBrush cuts its source rectangle.
  width = std::min(width, b->width - x);
  height = std::min(height, b->height - y);
  Planes p;
  if (int32_t err = bitmap_new_with_parts(b->bitmap, b->mask, b->alpha, x, y, width, height, 0, &p.bitmap, &p.mask,
                                          &p.alpha))
    return err;
  brush_replace_planes(b, p, width, height);
  return 0;
}

int32_t cmd_floodfill(qmState* L) {
  arg_check_count(L, 5, 5);
  qmBrush* b = changing_brush(L, 1);
  const int32_t x = to_i32(vm_arg_check_number(L, 2)), y = to_i32(vm_arg_check_number(L, 3));
  const uint32_t border = to_u32_bits(vm_arg_check_number(L, 4)) & 0xFFFFFF;
  const uint32_t fill = to_u32_bits(vm_arg_check_number(L, 5)) & 0xFFFFFF;
  if (x < 0 || y < 0 || x >= b->width || y >= b->height) return ERR_COORDSRANGE;
  qmBitmapLock lock;
  if (!qmos_lock_bitmap(b->bitmap, &lock)) return ERR_LOCKBMAP;
  int32_t err = 0;
  if (lock.bytes_per_pixel == 4) {
    const qmFloodFill f{lock.pixels,
                        b->width,
                        b->height,
                        lock.pixels_per_row,
                        color_to_pixel_format(border, lock.format),
                        color_to_pixel_format(fill, lock.format),
                        0,
                        0};
    err = flood_fill_span(f, x, y, pixel_compare_mask(b->bitmap));
  }
  qmos_unlock_bitmap(&lock);
  return err;
}

int32_t new_filled_brush(qmState* L, const NewId& id, FillOptions& fill, int32_t width, int32_t height) {
  if (width < 1 || height < 1) return ERR_BADDIMENSIONS;
  qmBitmap* bm = nullptr;
  int32_t err = fill_render(fill, width, height, &bm);
  fill_options_free(fill);
  if (err) return err;
  if ((err = prepare_id(L, id))) {
    qmos_free_bitmap(bm);
    return err;
  }
  qmBrush* b = nullptr;
  if ((err = brush_new_from_bitmap(id.id, BRUSHKIND_BITMAP, width, height, width, 0, nullptr, bm, -1, nullptr,
                                   nullptr, &b)))
    return err;
  return push_new_id(L, id, b);
}

int32_t cmd_creategradientbrush(qmState* L) {
  arg_check_count(L, 6, 8);
  const NewId id = new_id_arg(L, 1);
  const int32_t width = to_i32(vm_arg_check_number(L, 2)), height = to_i32(vm_arg_check_number(L, 3));
  FillOptions fill;
  fill.kind = FILLGRADIENT;
  if (int32_t err = gradient_from_args(L, 4, 7, 8, &fill.gradient)) return err;
  return new_filled_brush(L, id, fill, width, height);
}

int32_t cmd_createtexturedbrush(qmState* L) {
  arg_check_count(L, 4, 6);
  const NewId id = new_id_arg(L, 1);
  FillOptions fill;
  fill.kind = FILLTEXTURE;
  fill.texture_brush = arg_get_id(L, 2);
  const int32_t width = to_i32(vm_arg_check_number(L, 3)), height = to_i32(vm_arg_check_number(L, 4));
  fill.texture_x = to_i32(vm_arg_opt_number(L, 5, 0));
  fill.texture_y = to_i32(vm_arg_opt_number(L, 6, 0));
  return new_filled_brush(L, id, fill, width, height);
}

// ---- masks and alpha channels ------------------------------------------------------------------

int32_t set_runtime_word(qmState* L, int32_t tag, int32_t value) {
  const TagItem tags[] = {{tag, value}, {0, 0}};
  runtime_set_attrs(L, tags);
  return 0;
}

int32_t cmd_setmaskmode(qmState* L) {
  arg_check_count(L, 1, 1);
  // Any value is kept, because scripts read it back; drawing treats unknown modes as no change.
  return set_runtime_word(L, ATTR_MASKMODE, to_i32(vm_arg_check_number(L, 1)));
}

int32_t cmd_setalphaintensity(qmState* L) {
  arg_check_count(L, 1, 1);
  const int32_t level = to_i32(number_or_percent(L, 1, 255.0));
  if (level < -1 || level > 255) return ERR_WRONGUSAGE;
  return set_runtime_word(L, ATTR_ALPHAINTENSITY, level);
}

int32_t cmd_deletemask(qmState* L) {
  arg_check_count(L, 1, 1);
  qmBrush* b = changing_brush(L, 1);
  qmos_free_mask(b->mask);
  b->mask = nullptr;
  b->transparent = -1;
  return 0;
}

int32_t cmd_deletealphachannel(qmState* L) {
  arg_check_count(L, 1, 1);
  qmBrush* b = changing_brush(L, 1);
  qmos_free_alpha(b->alpha);
  b->alpha = nullptr;
  return 0;
}

int32_t cmd_invertmask(qmState* L) {
  arg_check_count(L, 1, 1);
  qmBrush* b = changing_brush(L, 1);
  if (!b->mask) return ERR_WRONGUSAGE;
  bytes_invert(b->mask->data, b->mask->height, b->mask->bytes_per_row);
  return 0;
}

int32_t cmd_invertalphachannel(qmState* L) {
  arg_check_count(L, 1, 1);
  qmBrush* b = changing_brush(L, 1);
  if (!b->alpha) return ERR_WRONGUSAGE;
  bytes_invert(b->alpha->data, b->alpha->height, b->alpha->bytes_per_row);
  return 0;
}

// In the order of the library's command tables; the commands of showing, output targets, double
// buffering, effects and loading join at their places as they are built.
const qmCommand kBrushCommands[] = {
    {"CreateBrush", cmd_createbrush},
    {"LoadBrush", cmd_loadbrush},
    {"GrabDesktop", cmd_grabdesktop},
    {"CopyBrush", cmd_copybrush},
    {"FreeBrush", cmd_freebrush},
    {"ScaleBrush", cmd_scalebrush},
    {"SaveBrush", cmd_savebrush},
    {"TintBrush", cmd_tintbrush},
    {"ReplaceColors", cmd_replacecolors},
    {"InvertBrush", cmd_invertbrush},
    {"FlipBrush", cmd_flipbrush},
    {"MixBrush", cmd_mixbrush},
    {"BrushToGray", cmd_brushtogray},
    {"SetBrushTransparency", cmd_setbrushtransparency},
    {"CropBrush", cmd_cropbrush},
    {"FloodFill", cmd_floodfill},
    {"CreateGradientBrush", cmd_creategradientbrush},
    {"CreateTexturedBrush", cmd_createtexturedbrush},
    {"SetMaskMode", cmd_setmaskmode},
    {"SetAlphaIntensity", cmd_setalphaintensity},
    {"DeleteMask", cmd_deletemask},
    {"DeleteAlphaChannel", cmd_deletealphachannel},
    {"InvertMask", cmd_invertmask},
    {"InvertAlphaChannel", cmd_invertalphachannel},
    {nullptr, nullptr},
};

const qmConstant kBrushConstants[] = {
    {"MASKVISIBLE", nullptr, 0},     {"MASKINVISIBLE", nullptr, 1}, {"MASKVANILLACOPY", nullptr, 2},
    {"MASKXOR", nullptr, 3},         {"MASKAND", nullptr, 4},       {"MASKOR", nullptr, 5},
    {"VANILLACOPY", nullptr, -1},    {"SELMODE_NORMAL", nullptr, 0}, {"SELMODE_COMBO", nullptr, 1},
    {"SELMODE_LAYERS", nullptr, 2},  {nullptr, nullptr, 0},
};

}  // namespace

}  // namespace qm

using namespace qm;

// The blit layer's way to a brush (texture fills of shapes).
static int32_t brush_planes_service(qmState*, const ObjectId& id, qmBrushPlanes* out) {
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(id, 0, &b)) return err;
  *out = qmBrushPlanes{b->bitmap, b->mask, b->alpha, b->width, b->height};
  return 0;
}

int32_t brush_init(qmState* L) {
  gfx_services().brush_find = brush_planes_service;
  if (int32_t err = picture_library_open(L, kBrushCommands, kBrushConstants, "brush", brush_list())) return err;
  return brush_effects_open(L);
}
