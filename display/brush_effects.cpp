// The brush commands that convert other objects into brushes, transform, trim, filter and distort
// brushes, make shadow and border brushes, turn brushes into tables of colours and back, and read
// and write single pixels. Every command that changes a brush checks its arguments first, so a
// wrong argument never costs the layers showing the brush their picture.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/codecs/codecs.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "gfx/distort.h"
#include "gfx/effects.h"
#include "gfx/scale.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

// From gfx/compose.h, whose fill names clash with the picture library's.
int32_t bitmap_transform_new(const qmBitmap* source, const qmMask* source_mask, const qmAlphaChannel* source_alpha,
                             int32_t x, int32_t y, int32_t w, int32_t h, const double* matrix, int32_t smooth,
                             qmBitmap** out_bitmap, qmMask** out_mask, qmAlphaChannel** out_alpha,
                             int32_t* out_width, int32_t* out_height);

namespace {

constexpr int32_t kTypeMask = OBJ_MASK, kTypeAlpha = OBJ_ALPHACHANNEL;

NewId new_id_at(qmState* L, int32_t n) {
  if (vm_type(L, n) == QM_TNIL) return {true, automatic_id()};
  return {false, arg_get_id(L, n)};
}

int32_t free_old(qmState* L, const NewId& id) { return id.automatic ? 0 : brush_lookup(L, id.id, false); }

// The brush that argument 1 names, for a change in place.
int32_t brush_to_change(qmState* L, qmBrush** b) { return brush_find_for_change(arg_get_id(L, 1), b); }

int32_t level_at(qmState* L, int32_t n) { return std::clamp(to_i32(number_or_percent(L, n, 255.0)), 0, 255); }

int32_t new_brush(qmState* L, const NewId& id, Planes& p, int32_t width, int32_t height, int32_t transparent) {
  if (int32_t err = free_old(L, id)) return err;
  qmBrush* b = nullptr;
  qmBitmap* bitmap = p.bitmap;
  qmMask* mask = p.mask;
  qmAlphaChannel* alpha = p.alpha;
  p.release();
  if (int32_t err = brush_new_from_bitmap(id.id, BRUSHKIND_BITMAP, width, height, width, 0, nullptr, bitmap,
                                          transparent, mask, alpha, &b))
    return err;
  return push_new_id(L, id, b);
}

// ---- conversion ---------------------------------------------------------------------------------

int32_t convert(qmState* L, int32_t type, int32_t source_arg, const NewId& id, int32_t frame) {
  Planes p;
  int32_t width = 0, height = 0, transparent = -1;
  switch (type) {
    case OBJ_BGPIC: {
      qmBGPic* pic = nullptr;
      if (int32_t err = bgpic_find(arg_get_id(L, source_arg), 0, &pic)) return err;
      width = pic->width, height = pic->height, transparent = pic->transparent;
      if (int32_t err = planes_copy(pic->working.bitmap, pic->working.mask, pic->working.alpha, width, height, &p))
        return err;
      break;
    }
    case OBJ_BRUSH: {
      const ObjectId source_id = arg_get_id(L, source_arg);
      if (!id.automatic && source_id == id.id) return ERR_WRONGUSAGE;
      qmBrush* b = nullptr;
      if (int32_t err = brush_find(source_id, BRUSHFIND_NOVECTOR, &b)) return err;
      width = b->width, height = b->height, transparent = b->transparent;
      if (int32_t err = planes_copy(b->bitmap, b->mask, b->alpha, width, height, &p)) return err;
      break;
    }
    case OBJ_ANIM: {
      AnimFrameSlots f;
      if (int32_t err = anim_hooks().frame(L, arg_get_id(L, source_arg), frame - 1, &f)) return err;
      if (frame < 1 || frame > f.count || !anim_frame_held(f)) return ERR_ANIMFRAME;
      width = f.width, height = f.height, transparent = f.transparent;
      if (int32_t err = planes_copy(*f.bitmap, *f.mask, *f.alpha, width, height, &p)) return err;
      break;
    }
    // Text objects and sprites join here as their libraries arrive; until then no such object
    // can exist.
    case OBJ_TEXTOBJECT:
      err_set_number_arg(to_i32(vm_to_number(L, source_arg)));
      return ERR_FINDTEXTOBJECT;
    case OBJ_SPRITE:
      err_set_number_arg(to_i32(vm_to_number(L, source_arg)));
      return ERR_FINDSPRITE;
    case OBJ_LAYER:
      return ERR_NOLAYERS;
    default:
      return ERR_WRONGUSAGE;
  }
  return new_brush(L, id, p, width, height, transparent);
}

int32_t cmd_converttobrush(qmState* L) {
  arg_check_count(L, 3, 4);
  const int32_t type = to_i32(vm_arg_check_number(L, 1));
  const NewId id = new_id_at(L, 3);
  return convert(L, type, 2, id, to_i32(vm_arg_opt_number(L, 4, 1)));
}

int32_t cmd_getbrushlink(qmState* L) {
  arg_check_count(L, 3, 4);
  const NewId id = new_id_at(L, 1);
  const int32_t type = to_i32(vm_arg_check_number(L, 2));
  return convert(L, type, 3, id, to_i32(vm_arg_opt_number(L, 4, 1)));
}

// ---- transforms ---------------------------------------------------------------------------------

int32_t transform(qmBrush* b, const double* m, bool smooth) {
  int32_t width = 0, height = 0;
  rect_transform_corners(m, b->width, b->height, &width, &height, nullptr, nullptr);
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  Planes p;
  if (int32_t err = bitmap_transform_new(b->bitmap, b->mask, b->alpha, 0, 0, b->width, b->height, m, smooth ? 1 : 0,
                                         &p.bitmap, b->alpha ? nullptr : &p.mask,
                                         b->alpha ? &p.alpha : nullptr, &width, &height))
    return err;
  // A brush with neither plane gets a mask, so the corners outside the turned picture stay
  // transparent.
  brush_replace_planes(b, p, width, height);
  if (b->mask && b->transparent == -1) b->transparent = BRUSH_MASK_MADE;
  return 0;
}

bool finite_all(const double* v, int n) {
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(v[i])) return false;
  return true;
}

int32_t cmd_transformbrush(qmState* L) {
  arg_check_count(L, 5, 6);
  const double m[4] = {vm_arg_check_number(L, 2), vm_arg_check_number(L, 3), vm_arg_check_number(L, 4),
                       vm_arg_check_number(L, 5)};
  const bool smooth = flag_arg(L, 6);
  if (m[0] == 0 || m[3] == 0 || !finite_all(m, 4)) return ERR_WRONGUSAGE;
  // The script writes the matrix row by row {a, b; c, d}; the kernel takes its columns.
  const double columns[4] = {m[0], m[2], m[1], m[3]};
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return transform(b, columns, smooth);
}

int32_t cmd_rotatebrush(qmState* L) {
  arg_check_count(L, 2, 5);
  const double angle = vm_arg_check_number(L, 2);
  const double sx = vm_arg_opt_number(L, 3, 1.0), sy = vm_arg_opt_number(L, 4, 1.0);
  const bool smooth = flag_arg(L, 5);
  if (sx == 0 || sy == 0 || !std::isfinite(angle) || !std::isfinite(sx) || !std::isfinite(sy))
    return ERR_WRONGUSAGE;
  // Scale first, then turn counter-clockwise on the screen (y grows downwards).
  const double r = angle * std::numbers::pi / 180.0, c = std::cos(r), s = std::sin(r);
  const double m[4] = {c * sx, -s * sx, s * sy, c * sy};
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return transform(b, m, smooth);
}

// ---- trim and rasterise -------------------------------------------------------------------------

// Bounding box of the visible pixels; false when there are none.
bool visible_box(const qmBrush* b, int32_t* x0, int32_t* y0, int32_t* x1, int32_t* y1) {
  *x0 = b->width, *y0 = b->height, *x1 = -1, *y1 = -1;
  for (int32_t y = 0; y < b->height; ++y) {
    for (int32_t x = 0; x < b->width; ++x) {
      const bool on = b->mask ? mask_bit(b->mask->data + int64_t(y) * b->mask->bytes_per_row, x)
                              : b->alpha->data[int64_t(y) * b->alpha->bytes_per_row + x] != 0;
      if (!on) continue;
      *x0 = std::min(*x0, x), *x1 = std::max(*x1, x);
      *y0 = std::min(*y0, y), *y1 = y;
    }
  }
  return *x1 >= 0;
}

int32_t cmd_trimbrush(qmState* L) {
  arg_check_count(L, 1, 1);
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  int32_t left = 0, top = 0;
  if (b->mask || b->alpha) {
    int32_t x1 = 0, y1 = 0;
    if (!visible_box(b, &left, &top, &x1, &y1)) return ERR_TRANSBRUSH;
    const int32_t width = x1 - left + 1, height = y1 - top + 1;
    if (width != b->width || height != b->height) {
      Planes p;
      if (int32_t err = bitmap_new_with_parts(b->bitmap, b->mask, b->alpha, left, top, width, height, 0, &p.bitmap,
                                              &p.mask, &p.alpha))
        return err;
      brush_replace_planes(b, p, width, height);
    }
  }
  vm_push_number(L, left);
  vm_push_number(L, top);
  return 2;
}

int32_t cmd_rasterizebrush(qmState* L) {
  arg_check_count(L, 1, 1);
  const ObjectId id = arg_get_id(L, 1);
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(id, BRUSHFIND_LAYERCOPIES, &b); err == 0 && !b->layer_copy &&
                                                                output_hooks().is_output_target(OBJ_BRUSH, b))
    return ERR_MODIFYABR;
  if (int32_t err = brush_find(id, BRUSHFIND_MODIFY, &b)) return err;
  if (b->kind != BRUSHKIND_VECTOR) return 0;
  // The pixels already hold the picture at the brush's size; only the source goes.
  if (!b->bitmap) return ERR_LOCKBMAP;
  if (b->source) imagesource_release(b->source);
  b->source = nullptr;
  b->kind = BRUSHKIND_BITMAP;
  b->transformed = 0;
  b->row_length = b->width;
  return 0;
}

// ---- effects ------------------------------------------------------------------------------------

// An optional radius, NaN when it is negative.
double radius_at(qmState* L, int32_t n) {
  const double r = vm_arg_opt_number(L, n, 0.0);
  return r >= 0.0 ? r : std::nan("");
}

int32_t convolve(qmState* L, int32_t letter, double sigma) {
  arg_check_count(L, 1, 2);
  const double radius = radius_at(L, 2);
  if (std::isnan(radius)) return ERR_WRONGUSAGE;
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_convolve(letter, b->bitmap, nullptr, b->width, b->height, radius, sigma, nullptr);
}

int32_t cmd_blurbrush(qmState* L) {
  arg_check_count(L, 1, 3);
  const double radius = radius_at(L, 2);
  if (std::isnan(radius)) return ERR_WRONGUSAGE;
  const double sigma = vm_arg_opt_number(L, 3, radius / 3.0);
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_convolve(CONVOLVE_BLUR, b->bitmap, b->alpha, b->width, b->height, radius, sigma, nullptr);
}
int32_t cmd_embossbrush(qmState* L) { return convolve(L, CONVOLVE_EMBOSS, 1.0); }
int32_t cmd_edgebrush(qmState* L) { return convolve(L, CONVOLVE_EDGE, 0.0); }
int32_t cmd_sharpenbrush(qmState* L) { return convolve(L, CONVOLVE_SHARPEN, 1.0); }

int32_t cmd_solarizebrush(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t level = level_at(L, 2);
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_solarize(b->bitmap, b->width, b->height, level);
}

int32_t cmd_gammabrush(qmState* L) {
  arg_check_count(L, 4, 4);
  const double r = vm_arg_check_number(L, 2), g = vm_arg_check_number(L, 3), bl = vm_arg_check_number(L, 4);
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_gamma(b->bitmap, b->width, b->height, r, g, bl);
}

int32_t cmd_contrastbrush(qmState* L) {
  arg_check_count(L, 2, 3);
  const bool raise = flag_arg(L, 2);
  const int32_t times = to_i32(vm_arg_opt_number(L, 3, 1));
  if (times < 1) return ERR_WRONGUSAGE;
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_contrast(b->bitmap, b->width, b->height, raise ? 1 : 0, times, nullptr);
}

int32_t cmd_modulatebrush(qmState* L) {
  arg_check_count(L, 4, 4);
  const double v = vm_arg_check_number(L, 2), s = vm_arg_check_number(L, 3), h = vm_arg_check_number(L, 4);
  if (!(v >= 0 && s >= 0 && h >= 0)) return ERR_WRONGUSAGE;
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_modulate(b->bitmap, b->width, b->height, v, s, h);
}

int32_t cmd_sepiatonebrush(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t level = level_at(L, 2);
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_sepiatone(b->bitmap, b->width, b->height, level);
}

int32_t cmd_charcoalbrush(qmState* L) {
  arg_check_count(L, 2, 2);
  const double radius = vm_arg_check_number(L, 2);
  if (!(radius >= 0)) return ERR_WRONGUSAGE;
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_charcoal(b->bitmap, nullptr, b->width, b->height, radius, 1.0);
}

int32_t cmd_swirlbrush(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t degrees = to_i32(vm_arg_check_number(L, 2));
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_swirl(b->bitmap, b->mask, b->alpha, b->width, b->height, degrees);
}

int32_t cmd_pixelatebrush(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t size = to_i32(vm_arg_check_number(L, 2));
  if (size < 1) return ERR_WRONGUSAGE;
  // The upper limit needs the brush's size: look it up without the copy for layers first.
  qmBrush* peek = nullptr;
  if (int32_t err = brush_find(arg_get_id(L, 1), 0, &peek)) return err;
  if (size > peek->width || size > peek->height) return ERR_WRONGUSAGE;
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_pixelate(b->bitmap, b->mask, b->alpha, b->width, b->height, size);
}

int32_t cmd_brushtomonochrome(qmState* L) {
  arg_check_count(L, 1, 2);
  const bool dither = vm_get_top(L) < 2 || vm_type(L, 2) == QM_TNIL || flag_arg(L, 2);
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_monochrome(b->bitmap, b->width, b->height, dither ? 1 : 0);
}

int32_t cmd_oilpaintbrush(qmState* L) {
  arg_check_count(L, 2, 2);
  const double radius = vm_arg_check_number(L, 2);
  if (!(radius >= 0)) return ERR_WRONGUSAGE;
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_oilpaint(b->bitmap, b->width, b->height, radius);
}

int32_t cmd_waterripplebrush(qmState* L) {
  arg_check_count(L, 1, 6);
  const int32_t wave = to_i32(vm_arg_opt_number(L, 2, 32)), amplitude = to_i32(vm_arg_opt_number(L, 3, 1));
  const int32_t third = to_i32(vm_arg_opt_number(L, 4, 0));
  const double f1 = vm_arg_opt_number(L, 5, 0.5), f2 = vm_arg_opt_number(L, 6, 0.5);
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  return bitmap_waterripple(b->bitmap, b->mask, b->alpha, b->width, b->height, wave, amplitude, third, f1, f2);
}

// ---- transparency ---------------------------------------------------------------------------------

int32_t cmd_changebrushtransparency(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t type = to_i32(vm_arg_check_number(L, 2));
  if (type != kTypeMask && type != kTypeAlpha && type != -1) return ERR_WRONGUSAGE;
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  if (type == -1) {
    qmos_free_mask(b->mask);
    qmos_free_alpha(b->alpha);
    b->mask = nullptr, b->alpha = nullptr;
    b->transparent = -1;
  } else if (type == kTypeMask && !b->mask) {
    qmMask* mask = qmos_alloc_mask(b->width, b->height, 1);
    if (!mask) return ERR_MEM;
    if (b->alpha) {
      // Every pixel that shows at all stays visible.
      for (int32_t y = 0; y < b->height; ++y) {
        const uint8_t* a = b->alpha->data + int64_t(y) * b->alpha->bytes_per_row;
        uint8_t* m = mask->data + int64_t(y) * mask->bytes_per_row;
        for (int32_t x = 0; x < b->width; ++x)
          if (a[x]) mask_bit_set(m, x);
      }
      qmos_free_alpha(b->alpha);
      b->alpha = nullptr;
    } else {
      qmos_mask_rect_op(mask, 0, 0, b->width, b->height, MASKVISIBLE);
    }
    b->mask = mask;
  } else if (type == kTypeAlpha && !b->alpha) {
    qmAlphaChannel* alpha = qmos_alloc_alpha(b->width, b->height, 1);
    if (!alpha) return ERR_MEM;
    if (b->mask) {
      mask_expand_to_alpha(b->mask, 0, 0, alpha, 0, 0, b->width, b->height, 255);
      qmos_free_mask(b->mask);
      b->mask = nullptr;
      b->transparent = -1;
    } else {
      alpha_fill_rect(alpha, 0, 0, b->width, b->height, 255);
    }
    b->alpha = alpha;
  }
  return 0;
}

// ---- shadow and border ----------------------------------------------------------------------------

int32_t outline_brush(qmState* L, bool border) {
  arg_check_count(L, 3, 5);
  const NewId id = new_id_at(L, 1);
  const ObjectId source_id = arg_get_id(L, 2);
  const uint32_t colour = to_u32_bits(vm_arg_check_number(L, 3));
  const int32_t size = to_i32(vm_arg_opt_number(L, 4, 5));
  const double softness = vm_arg_opt_number(L, 5, size / 3.0);
  if (size < 1 || (!id.automatic && id.id == source_id) || !(softness >= 0)) return ERR_WRONGUSAGE;
  qmBrush* src = nullptr;
  if (int32_t err = brush_find(source_id, BRUSHFIND_NOVECTOR, &src)) return err;
  const int64_t width = int64_t(src->width) + 2 * int64_t(size), height = int64_t(src->height) + 2 * int64_t(size);
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  Planes p;
  p.bitmap = bitmap_new_filled(int32_t(width), int32_t(height), colour & 0xFFFFFF);
  if (!p.bitmap) return ERR_MEM;
  if (!border || src->mask || src->alpha) {
    const int32_t opacity = 255 - int32_t(colour >> 24);
    p.alpha = shadow_alpha_new(src->alpha, src->mask, 0, 0, src->width, src->height, size, softness, opacity,
                               border ? 1 : 0, size >= 4 ? 1 : 0);
    if (!p.alpha) return ERR_MEM;
  }
  return new_brush(L, id, p, int32_t(width), int32_t(height), -1);
}

int32_t cmd_createshadowbrush(qmState* L) { return outline_brush(L, false); }
int32_t cmd_createborderbrush(qmState* L) { return outline_brush(L, true); }

// ---- colour tables --------------------------------------------------------------------------------

int32_t cmd_brushtorgbarray(qmState* L) {
  arg_check_count(L, 1, 2);
  const bool invert = flag_arg(L, 2);
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(arg_get_id(L, 1), BRUSHFIND_NOVECTOR, &b)) return err;
  qmBitmapLock lock;
  if (!qmos_lock_bitmap(b->bitmap, &lock)) return ERR_LOCKBMAP;
  vm_new_table(L);
  int32_t index = 0;
  for (int32_t y = 0; y < b->height; ++y) {
    const uint32_t* row = lock.pixels + int64_t(y) * lock.pixels_per_row;
    for (int32_t x = 0; x < b->width; ++x) {
      uint32_t a = 255;
      if (b->alpha) a = b->alpha->data[int64_t(y) * b->alpha->bytes_per_row + x];
      else if (b->mask) a = mask_bit(b->mask->data + int64_t(y) * b->mask->bytes_per_row, x) ? 255 : 0;
      if (invert) a = 255 - a;
      vm_push_number(L, double((a << 24) | pixel_to_rgb(lock.format, row[x])));
      vm_raw_seti(L, -2, index++);
    }
  }
  qmos_unlock_bitmap(&lock);
  return 1;
}

int32_t cmd_rgbarraytobrush(qmState* L) {
  arg_check_count(L, 4, 6);
  const NewId id = new_id_at(L, 1);
  vm_arg_check_table(L, 2);
  const int32_t width = to_i32(vm_arg_check_number(L, 3)), height = to_i32(vm_arg_check_number(L, 4));
  const int32_t type = to_i32(vm_arg_opt_number(L, 5, -1));
  const bool invert = flag_arg(L, 6);
  if (width < 1 || height < 1) return ERR_BADDIMENSIONS;
  if (int32_t err = free_old(L, id)) return err;
  qmBrush* b = nullptr;
  if (int32_t err = brush_new(id.id, width, height, 0, type == kTypeMask, type == kTypeAlpha, true, false, &b))
    return err;
  const int32_t results = push_new_id(L, id, b);
  qmBitmapLock lock;
  if (!qmos_lock_bitmap(b->bitmap, &lock)) {
    brush_free(L, b);
    return ERR_LOCKBMAP;
  }
  int32_t err = 0;
  int32_t index = 0;
  for (int32_t y = 0; y < height && !err; ++y) {
    uint32_t* row = lock.pixels + int64_t(y) * lock.pixels_per_row;
    for (int32_t x = 0; x < width; ++x) {
      vm_raw_geti(L, 2, index++);
      if (!vm_is_number(L, -1)) {
        vm_pop(L, 1);
        err = ERR_NOTENOUGHPIXELS;
        break;
      }
      const uint32_t v = to_u32_sat(vm_to_number(L, -1));
      vm_pop(L, 1);
      row[x] = color_to_pixel_format(v & 0xFFFFFF, lock.format);
      const uint32_t a = invert ? 255 - (v >> 24) : v >> 24;
      if (b->alpha) b->alpha->data[int64_t(y) * b->alpha->bytes_per_row + x] = uint8_t(a);
      else if (b->mask && a) mask_bit_set(b->mask->data + int64_t(y) * b->mask->bytes_per_row, x);
    }
  }
  qmos_unlock_bitmap(&lock);
  if (b->mask) b->transparent = BRUSH_MASK_MADE;
  return err ? err : results;
}

// ---- distortions ----------------------------------------------------------------------------------

int32_t distort(qmState* L, int32_t method, int32_t first, int32_t last, int32_t option_arg, int32_t min_args) {
  arg_check_count(L, min_args, option_arg);
  const int32_t top = vm_get_top(L);
  std::vector<double> values;
  for (int32_t n = first; n <= last && n <= top; ++n) values.push_back(vm_arg_check_number(L, n));
  const int32_t option = to_i32(vm_arg_opt_number(L, option_arg, 0));
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  if (method == DISTORT_PERSPECTIVE) {
    const double w = b->width, h = b->height;
    const double corners[8] = {0, 0, w, 0, w, h, 0, h};
    std::vector<double> control;
    for (int i = 0; i < 4; ++i)
      control.insert(control.end(), {corners[2 * i], corners[2 * i + 1], values[2 * i], values[2 * i + 1]});
    values.swap(control);
  }
  Planes p;
  int32_t width = 0, height = 0;
  if (int32_t err = bitmap_distort(b->bitmap, b->mask, b->alpha, b->width, b->height, method, int32_t(values.size()),
                                   values.data(), option, &p.bitmap, &p.mask, &p.alpha, &width, &height))
    return err;
  brush_replace_planes(b, p, width, height);
  if (b->mask && b->transparent == -1) b->transparent = BRUSH_MASK_MADE;
  return 0;
}

int32_t cmd_arcdistortbrush(qmState* L) { return distort(L, DISTORT_ARC, 2, 5, 6, 2); }
int32_t cmd_polardistortbrush(qmState* L) { return distort(L, DISTORT_POLAR, 2, 7, 8, 1); }
int32_t cmd_barreldistortbrush(qmState* L) { return distort(L, DISTORT_BARREL, 2, 11, 12, 4); }
int32_t cmd_perspectivedistortbrush(qmState* L) { return distort(L, DISTORT_PERSPECTIVE, 2, 9, 10, 9); }

// ---- pixels ---------------------------------------------------------------------------------------

int32_t cmd_readbrushpixel(qmState* L) {
  arg_check_count(L, 3, 3);
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(arg_get_id(L, 1), 0, &b)) return err;
  const int32_t x = coord_resolve_special_x(to_i32(vm_arg_check_number(L, 2)), 1, b->width, 0.0);
  const int32_t y = coord_resolve_special_y(to_i32(vm_arg_check_number(L, 3)), 1, b->height, 0.0);
  if (x < 0 || y < 0 || x >= b->width || y >= b->height || !b->bitmap) {
    vm_push_number(L, double(0xFFFFFFFFu));
    vm_push_number(L, -1);
    return 2;
  }
  vm_push_number(L, double(qmos_read_pixel(b->bitmap, x, y)));
  if (b->mask) vm_push_number(L, double(qmos_read_pixel(b->mask, x, y)));
  else if (b->alpha) vm_push_number(L, b->alpha->data[int64_t(y) * b->alpha->bytes_per_row + x]);
  else vm_push_number(L, -1);
  return 2;
}

int32_t cmd_writebrushpixel(qmState* L) {
  arg_check_count(L, 4, 5);
  const int32_t xa = to_i32(vm_arg_check_number(L, 2)), ya = to_i32(vm_arg_check_number(L, 3));
  const uint32_t colour = to_u32_bits(vm_arg_check_number(L, 4)) & 0xFFFFFF;
  const int32_t transparency = to_i32(vm_arg_opt_number(L, 5, -1));
  qmBrush* b = nullptr;
  if (int32_t err = brush_to_change(L, &b)) return err;
  const int32_t x = coord_resolve_special_x(xa, 1, b->width, 0.0);
  const int32_t y = coord_resolve_special_y(ya, 1, b->height, 0.0);
  if (x < 0 || y < 0 || x >= b->width || y >= b->height) return 0;
  qmos_write_pixel(b->bitmap, x, y, colour);
  // A brush with neither plane has nowhere to keep a transparency: it is ignored.
  if (transparency != -1) {
    if (b->mask) qmos_write_pixel(b->mask, x, y, transparency == 0 ? MASKVISIBLE : MASKINVISIBLE);
    else if (b->alpha) b->alpha->data[int64_t(y) * b->alpha->bytes_per_row + x] = uint8_t(transparency & 0xFF);
  }
  return 0;
}

const qmCommand kBrushEffectCommands[] = {
    {"ConvertToBrush", cmd_converttobrush},
    {"GetBrushLink", cmd_getbrushlink},
    {"TransformBrush", cmd_transformbrush},
    {"RotateBrush", cmd_rotatebrush},
    {"TrimBrush", cmd_trimbrush},
    {"RasterizeBrush", cmd_rasterizebrush},
    {"BlurBrush", cmd_blurbrush},
    {"EmbossBrush", cmd_embossbrush},
    {"EdgeBrush", cmd_edgebrush},
    {"SharpenBrush", cmd_sharpenbrush},
    {"SolarizeBrush", cmd_solarizebrush},
    {"GammaBrush", cmd_gammabrush},
    {"ContrastBrush", cmd_contrastbrush},
    {"ModulateBrush", cmd_modulatebrush},
    {"SepiaToneBrush", cmd_sepiatonebrush},
    {"CharcoalBrush", cmd_charcoalbrush},
    {"SwirlBrush", cmd_swirlbrush},
    {"PixelateBrush", cmd_pixelatebrush},
    {"BrushToMonochrome", cmd_brushtomonochrome},
    {"ChangeBrushTransparency", cmd_changebrushtransparency},
    {"CreateShadowBrush", cmd_createshadowbrush},
    {"CreateBorderBrush", cmd_createborderbrush},
    {"WaterRippleBrush", cmd_waterripplebrush},
    {"OilPaintBrush", cmd_oilpaintbrush},
    {"BrushToRGBArray", cmd_brushtorgbarray},
    {"RGBArrayToBrush", cmd_rgbarraytobrush},
    {"ArcDistortBrush", cmd_arcdistortbrush},
    {"PolarDistortBrush", cmd_polardistortbrush},
    {"BarrelDistortBrush", cmd_barreldistortbrush},
    {"PerspectiveDistortBrush", cmd_perspectivedistortbrush},
    {"ReadBrushPixel", cmd_readbrushpixel},
    {"WriteBrushPixel", cmd_writebrushpixel},
    {nullptr, nullptr},
};

}  // namespace

int32_t brush_effects_open(qmState* L) {
  return picture_library_open(L, kBrushEffectCommands, nullptr, "brush", nullptr);
}

}  // namespace qm
