// The routines of the pixel, polygon, fade and roll effects: the three-way blit that puts a
// picture drawn through a mask or alpha on the display as one finished rectangle, the whole-layer
// frame end, and the mask-to-alpha combination of the polygon effects.
#include <algorithm>

#include "display/display.h"
#include "fx/planes.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "gfx/effects.h"
#include "layers/layers.h"

namespace qm {

void fx_blit3(const qmBitmap* src, int32_t sx, int32_t sy, qmBitmap* dst, int32_t dx, int32_t dy,
              int32_t w, int32_t h, int32_t src_w, int32_t src_h, int32_t clip_w, int32_t clip_h,
              int32_t blit_flags, int32_t effect_flags, const qmBitmap* old, const qmMask* mask,
              qmBitmap* work, const qmAlphaChannel* alpha, qmFXRequest* r) {
  if (!src) return;
  if (r->realtime && r->layer && r->layer->effect) {
    qmLayerEffect* e = r->layer->effect;
    fx_blit_rect(src, sx, sy, e->bitmap, e->mask, e->alpha, dx - r->x, dy - r->y, w, h, src_w,
                 src_h, e->width, e->height, mask, alpha, r,
                 effect_flags | (r->quiet ? FXB_NOREFRESH : 0));
    return;
  }
  // The rectangle within the picture; the display's side is SAFEBLT's to clip.
  if (sx < 0 || sy < 0) return;
  src_w = std::min(src_w, src->width), src_h = std::min(src_h, src->height);
  w = std::min(w, src_w - sx), h = std::min(h, src_h - sy);
  if (w < 1 || h < 1) return;
  const qmBitmap* out = src;
  const bool through = mask || alpha;
  if (through && old && work && work->width >= sx + w && work->height >= sy + h &&
      old->width >= sx + w && old->height >= sy + h) {
    BLTBITMAP(old, sx, sy, work, sx, sy, w, h);
    if (mask)
      BLTMASK(src, sx, sy, work, sx, sy, w, h, mask);
    else
      BLTALPHABITMAP(src, sx, sy, work, sx, sy, w, h, alpha);
    out = work;
    mask = nullptr, alpha = nullptr;
  }
  if (dst) {
    if (mask) {
      // Not composed (no old picture): straight through the mask into the target.
      Rect a{dx, dy, w, h};
      rect_clip_to_size(dst->width, dst->height, a);
      if (a.x < 0) a.width += a.x, a.x = 0;
      if (a.y < 0) a.height += a.y, a.y = 0;
      if (a.width >= 1 && a.height >= 1)
        BLTMASK(out, sx + a.x - dx, sy + a.y - dy, dst, a.x, a.y, a.width, a.height, mask);
      return;
    }
    fx_blit_clipped(out, sx, sy, dst, dx, dy, w, h, src_w, src_h, dst->width, dst->height);
    return;
  }
  SAFEBLT(r->script, out, sx, sy, nullptr, dx, dy, w, h, src_w, src_h, clip_w, clip_h,
          blit_flags | (r->quiet ? BLIT_NOPRESENT : 0), mask, alpha, nullptr);
}

void fx_blit3_at(qmFXRequest* r, const qmBitmap* src, int32_t sx, int32_t sy, int32_t w, int32_t h,
                 const qmMask* mask, const qmAlphaChannel* alpha, qmBitmap* work,
                 int32_t effect_flags) {
  fx_blit3(src, sx, sy, r->target, r->x + sx, r->y + sy, w, h, r->width, r->height, r->clip_width,
           r->clip_height, r->blit_flags, effect_flags, r->oldpic, mask, work, alpha, r);
}

void fx_refresh_frame(qmFXRequest* r) {
  if (r->quiet) return;
  if (r->realtime && r->layer && r->layer->effect) {
    qmLayerEffect* e = r->layer->effect;
    fx_refresh_layer_rect(r, e->bitmap, 0, 0, r->x, r->y, r->width, r->height, e->width, e->height,
                          e->mask, e->alpha, FXB_WHOLE);
    return;
  }
  fx_end_frame(r);
}

void fx_copy_picture(const qmBitmap* from, qmLayerEffect* e) {
  BLTBITMAP(from, 0, 0, e->bitmap, 0, 0, std::min(from->width, e->width),
            std::min(from->height, e->height));
}

void fx_copy_alpha(const qmAlphaChannel* from, qmLayerEffect* e) {
  alpha_copy_rect(from, 0, 0, e->alpha, 0, 0, std::min(from->width, e->width),
                  std::min(from->height, e->height), 0, 0);
}

void fx_alpha_rest(qmFXRequest* r, const qmAlphaChannel* visible, qmBitmap* work) {
  if (qmLayerEffect* e = fx_image(r)) {
    if (!e->alpha) return;
    fx_copy_picture(r->newpic, e);
    if (fx_hiding(r))
      alpha_fill_rect(e->alpha, 0, 0, e->width, e->height, 0);
    else
      fx_copy_alpha(visible, e);
  } else if (!r->realtime) {
    fx_blit3_at(r, r->newpic, 0, 0, r->width, r->height, r->mask, r->alpha, work, 0);
  }
}

void fx_mix_over_old(qmFXRequest* r, qmBitmap* work, int32_t level) {
  if (r->oldpic && level < 255)
    bitmap_mix(work, r->oldpic, nullptr, 0, 0, 0, 0, r->width, r->height, 255 - level, nullptr, 0,
               0);
  fx_blit3_at(r, work, 0, 0, r->width, r->height, nullptr, nullptr, nullptr, 0);
}

void fx_mask_to_alpha(const qmMask* mask, const qmAlphaChannel* source, qmAlphaChannel* dest,
                      int32_t x, int32_t y, int32_t w, int32_t h, int32_t mode) {
  if (!mask || !dest) return;
  for (int32_t j = y; j < y + h; ++j) {
    const uint8_t* m = mask->data + ptrdiff_t(j) * mask->bytes_per_row;
    const uint8_t* s = source ? source->data + ptrdiff_t(j) * source->bytes_per_row : nullptr;
    uint8_t* d = dest->data + ptrdiff_t(j) * dest->bytes_per_row;
    for (int32_t i = x; i < x + w; ++i) {
      const bool set = (m[i >> 3] >> (7 - (i & 7))) & 1;
      const uint8_t value = s ? s[i] : 255;
      d[i] = set == (mode == 0) ? value : 0;
    }
  }
}

}  // namespace qm
