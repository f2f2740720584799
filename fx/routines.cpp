// The routines every step function draws with: the speed and frame-count rules, the blit into a
// layer's effect image with its visibility planes, fills, the refresh that puts a changed
// rectangle of a layer on screen, and the frame pattern of the strip effects.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "display/display.h"
#include "fx/internal.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "gfx/scale.h"
#include "engine/errcodes.h"
#include "layers/layers.h"
#include "runtime/os/qmos.h"

namespace qm {

int32_t fx_step_size(int32_t speed, int32_t extent, int32_t div_normal, int32_t div_fast, int32_t div_slow) {
  int32_t step = speed;
  auto divide = [&](int32_t divisor) { return divisor > 0 ? extent / divisor : extent; };
  if (speed == -1) step = divide(div_normal);
  else if (speed == -2) step = divide(div_fast);
  else if (speed == -3) step = divide(div_slow);
  return std::max(step, 1);
}

int32_t fx_step_count(int32_t extent, int32_t step, int32_t exact) {
  if (extent < 1) return 1;
  step = std::max(step, 1);
  int32_t n = extent / step + (extent % step ? 1 : 0);
  return exact ? n : n + 1;
}

void fx_blit_clipped(const qmBitmap* src, int32_t sx, int32_t sy, qmBitmap* dst, int32_t dx, int32_t dy, int32_t w,
                     int32_t h, int32_t src_w, int32_t src_h, int32_t dst_w, int32_t dst_h) {
  if (!src || !dst) return;
  src_w = std::min(src_w, src->width), src_h = std::min(src_h, src->height);
  dst_w = std::min(dst_w, dst->width), dst_h = std::min(dst_h, dst->height);
  if (!blit_clip_rects(nullptr, &sx, &sy, &dx, &dy, &w, &h, src_w, src_h, dst_w, dst_h, false)) return;
  if (sx < 0) w += sx, dx -= sx, sx = 0;
  if (sy < 0) h += sy, dy -= sy, sy = 0;
  w = std::min({w, src_w - sx, dst_w - dx});
  h = std::min({h, src_h - sy, dst_h - dy});
  if (w < 1 || h < 1) return;
  BLTBITMAP(src, sx, sy, dst, dx, dy, w, h);
}

namespace {

// Visibility of a rectangle of a mask or an alpha plane: 0 hides it, 1 shows it.
void set_visible(qmMask* mask, qmAlphaChannel* alpha, int32_t x, int32_t y, int32_t w, int32_t h, bool visible) {
  if (alpha) alpha_fill_rect(alpha, x, y, w, h, visible ? 255 : 0);
  else if (mask) qmos_mask_rect_op(mask, x, y, w, h, visible ? MASKVISIBLE : MASKINVISIBLE);
}

}  // namespace

void fx_blit_rect(const qmBitmap* src, int32_t sx, int32_t sy, qmBitmap* dst, qmMask* dst_mask,
                  qmAlphaChannel* dst_alpha, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t src_w, int32_t src_h,
                  int32_t dst_w, int32_t dst_h, const qmMask* src_mask, const qmAlphaChannel* src_alpha, qmFXRequest* r,
                  int32_t flags) {
  // 1. Clipping; a negative source corner draws nothing.
  if (sx < 0 || sy < 0 || !dst) return;
  if (src) src_w = std::min(src_w, src->width), src_h = std::min(src_h, src->height);
  dst_w = std::min(dst_w, dst->width), dst_h = std::min(dst_h, dst->height);
  if (!blit_clip_rects(nullptr, &sx, &sy, &dx, &dy, &w, &h, src_w, src_h, dst_w, dst_h, false)) return;
  if (w < 1 || h < 1) return;
  qmMask* async_mask = r && !(flags & FXB_KEEPASYNC) ? r->async_mask : nullptr;
  qmAlphaChannel* async_alpha = r && !(flags & FXB_KEEPASYNC) ? r->async_alpha : nullptr;
  if (flags & FXB_HIDE) {
    // 2. Hiding clears (or with FXB_UNHIDE restores) the rectangle's visibility; no pixels move.
    const bool visible = (flags & FXB_UNHIDE) != 0;
    set_visible(dst_mask, dst_alpha, dx, dy, w, h, visible);
    set_visible(async_mask, async_alpha, dx, dy, w, h, visible);
  } else {
    // 3. Showing makes the rectangle visible through the source's own mask or alpha.
    if (src_mask) {
      if (dst_mask) qmos_blit_mask_bits(src_mask, sx, sy, dst_mask, dx, dy, w, h,
                                        (flags & FXB_COMBINE) ? MASKOR : MASKVANILLACOPY);
      else if (dst_alpha) mask_expand_to_alpha(src_mask, sx, sy, dst_alpha, dx, dy, w, h, 255);
    } else if (src_alpha) {
      if (dst_alpha) alpha_copy_rect(src_alpha, sx, sy, dst_alpha, dx, dy, w, h, (flags & FXB_COMBINE) ? 1 : 0, 0);
      else if (dst_mask) alpha_to_mask(src_alpha, sx, sy, dst_mask, dx, dy, w, h, MASKVANILLACOPY);
    } else {
      set_visible(dst_mask, dst_alpha, dx, dy, w, h, true);
    }
    set_visible(async_mask, async_alpha, dx, dy, w, h, true);
    // 4. The pixels.
    if (src) {
      if ((flags & FXB_THROUGH) && src_mask) BLTMASK(src, sx, sy, dst, dx, dy, w, h, src_mask);
      else if ((flags & FXB_THROUGH) && src_alpha) BLTALPHABITMAP(src, sx, sy, dst, dx, dy, w, h, src_alpha);
      else BLTBITMAP(src, sx, sy, dst, dx, dy, w, h);
    }
  }
  // 5. The screen.
  if (!(flags & FXB_NOREFRESH) && r && r->layer)
    fx_refresh_layer_rect(r, src, sx, sy, dx + r->x, dy + r->y, w, h, src_w, src_h, src_mask, src_alpha, flags);
}

namespace {

// A grow-only bitmap of one colour for direct fills, which go through SAFEBLT like any drawing.
qmBitmap* fill_source(int32_t w, int32_t h, uint32_t colour) {
  static qmBitmap* pool = nullptr;
  static uint32_t pool_colour = 0;
  if (!pool || pool->width < w || pool->height < h) {
    qmBitmap* grown = qmos_alloc_bitmap(pool ? std::max(pool->width, w) : w, pool ? std::max(pool->height, h) : h);
    if (!grown) return nullptr;
    qmos_free_bitmap(pool);
    pool = grown;
    pool_colour = ~colour;
  }
  if (pool_colour != colour) {
    qmos_fill_bitmap_rect(pool, 0, 0, pool->width, pool->height, colour);
    pool_colour = colour;
  }
  return pool;
}

qmBlitOutput* output_of(qmFXRequest* r) { return r->display ? &r->display->output : nullptr; }

}  // namespace

void fx_fill_rect(qmFXRequest* r, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour, int32_t flags) {
  colour &= 0xFFFFFF;
  if (w < 1 || h < 1) return;
  if (r->realtime && r->layer && r->layer->effect) {
    qmLayerEffect* e = r->layer->effect;
    Rect area{x, y, w, h};
    rect_clip_to_size(e->width, e->height, area);
    if (area.x < 0) area.width += area.x, area.x = 0;
    if (area.y < 0) area.height += area.y, area.y = 0;
    if (area.width < 1 || area.height < 1) return;
    qmos_fill_bitmap_rect(e->bitmap, area.x, area.y, area.width, area.height, colour);
    if (!(flags & FXB_NOREFRESH) && !r->quiet)
      fx_refresh_layer_rect(r, e->bitmap, area.x, area.y, area.x + r->x, area.y + r->y, area.width, area.height,
                            e->width, e->height, e->mask, e->alpha, flags);
    return;
  }
  if (r->target) {
    Rect area{x, y, w, h};
    rect_clip_to_size(r->target->width, r->target->height, area);
    if (area.x < 0) area.width += area.x, area.x = 0;
    if (area.y < 0) area.height += area.y, area.y = 0;
    if (area.width >= 1 && area.height >= 1)
      qmos_fill_bitmap_rect(r->target, area.x, area.y, area.width, area.height, colour);
    return;
  }
  qmBitmap* source = fill_source(w, h, colour);
  if (!source) return;
  SAFEBLT(r->script, source, 0, 0, nullptr, r->x + x, r->y + y, w, h, source->width, source->height, r->clip_width,
          r->clip_height, r->blit_flags | (r->quiet ? BLIT_NOPRESENT : 0), nullptr, nullptr, nullptr);
}

bool fx_layer_styled(const qmLayer* layer) {
  const qmLayerState* t = layer->display;
  return layer->shadow || layer->border || layer_has_filters(layer->filters) || t->transformed.bitmap ||
         t->filtered.bitmap;
}

namespace {

// The border of a styled layer fades in (or out) with the effect; an alpha effect fades its
// shadow too. The shadow's image holds its opacity, so a new level drops it.
void fade_border(qmFXRequest* r) {
  qmLayer* layer = r->layer;
  if (r->noborderfade) return;
  int32_t border = 0, shadow = layer->shadow_fade;
  if (fx_in_set(r->effect, FXSET_ALPHA)) {
    border = shadow = std::clamp(r->level, 0, 255) + 1;
  } else {
    const int32_t frames = std::max(r->frames, 1);
    const int32_t level = int32_t(int64_t(std::clamp(r->frame, 0, frames)) * 255 / frames);
    border = (r->hide ? 255 - level : level) + 1;
  }
  layer->border_fade = border;
  if (shadow != layer->shadow_fade) {
    layer->shadow_fade = shadow;
    layer_free_images(layer, LAYER_IMAGE_SHADOW);
  }
}

}  // namespace

void fx_refresh_layer_rect(qmFXRequest* r, const qmBitmap* src, int32_t sx, int32_t sy, int32_t dx, int32_t dy,
                           int32_t w, int32_t h, int32_t src_w, int32_t src_h, const qmMask* src_mask,
                           const qmAlphaChannel* src_alpha, int32_t flags) {
  qmDisplay* d = r->display;
  qmLayer* layer = r->layer;
  if (!d || !d->bgpic || !layer || d != display_current()) return;
  const bool present = !r->scaled || (flags & FXB_WHOLE);
  // 1, 2. A styled layer is recomposed whole, its border faded to the effect's progress.
  if (fx_layer_styled(layer)) {
    fade_border(r);
    fx_recompose(r, layer_bounds(layer, layer->display, d->scale_x, d->scale_y), present);
    return;
  }
  // 3. The rectangle within the layer's clip region, the source and the drawing area.
  const qmClipRegion* clip = layer->display->clip;
  int32_t x = dx, y = dy;
  if (!blit_clip_rects(clip, &sx, &sy, &x, &y, &w, &h, src ? std::min(src_w, src->width) : src_w,
                       src ? std::min(src_h, src->height) : src_h, r->clip_width, r->clip_height, clip != nullptr))
    return;
  // 4. A plain, unobscured layer goes straight from the source to the window.
  const bool fast = src && !src_mask && !src_alpha && !(clip && clip->mask) && !(flags & FXB_HIDE) &&
                    layer->transparency <= 0 && layer_is_unobscured(d->bgpic, layer);
  if (fast) {
    if (r->scaled) {
      if (d->buffer2) BLTBITMAP(src, sx, sy, d->buffer2, x, y, w, h);
    } else {
      display_present_rect(src, sx, sy, &d->output, x, y, w, h, 0);
    }
    return;
  }
  // 5. Anything else is composed with what lies under and over it.
  fx_recompose(r, Rect{x, y, w, h}, present);
}

int32_t fx_redraw_step(qmFXRequest* r, int32_t which) {
  int32_t done = 0;
  qmDisplay* d = r->display;
  if ((which & 1) && d && d->bgpic && d->bgpic->redraw && r->oldpic) {
    // The old picture is the display under the effect's rectangle, without the effect's layer.
    qmBitmap* whole = fx_grab_display(r, r->x, r->y, r->width, r->height, r->layer);
    if (whole) {
      BLTBITMAP(whole, 0, 0, r->oldpic, 0, 0, std::min(whole->width, r->oldpic->width),
                std::min(whole->height, r->oldpic->height));
      qmos_free_bitmap(whole);
    }
    d->bgpic->redraw = 0;
    done |= 1;
  }
  if ((which & 2) && r->bgpicemu && r->bgpic && r->bgpic->redraw && r->newpic) {
    RedrawSource s;
    s.L = r->script;
    s.pic = r->bgpic;
    s.background = r->bgpic->current.bitmap;
    s.dest = r->newpic;
    const int32_t w = std::min(r->newpic->width, r->bgpic->display_width);
    const int32_t h = std::min(r->newpic->height, r->bgpic->display_height);
    if (w > 0 && h > 0) layers_redraw(s, 0, 0, w, h, REDRAW_NOSPRITES);
    r->bgpic->redraw = 0;
    done |= 2;
  }
  return done;
}

void fx_alpha_from_source(qmAlphaChannel* dst, const qmMask* mask, const qmAlphaChannel* alpha, int32_t w,
                          int32_t h) {
  if (!dst || w < 1 || h < 1) return;
  w = std::min(w, dst->width), h = std::min(h, dst->height);
  if (mask) mask_expand_to_alpha(mask, 0, 0, dst, 0, 0, w, h, 255);
  else if (alpha) alpha_copy_rect(alpha, 0, 0, dst, 0, 0, w, h, 0, 0);
  else alpha_fill_rect(dst, 0, 0, w, h, 255);
}

void fx_show_rect(qmFXRequest* r, int32_t sx, int32_t sy, int32_t w, int32_t h) {
  // The rectangle stands at its own place of the picture: a part before the picture's corner is
  // cut off (a band that starts above or left of the picture still shows its inside).
  if (sx < 0) w = int32_t(std::max<int64_t>(int64_t(w) + sx, 0)), sx = 0;
  if (sy < 0) h = int32_t(std::max<int64_t>(int64_t(h) + sy, 0)), sy = 0;
  if (w < 1 || h < 1) return;
  if (r->realtime && r->layer && r->layer->effect) {
    qmLayerEffect* e = r->layer->effect;
    const int32_t flags = (r->hide ? FXB_HIDE : 0) | (r->quiet || r->full_redraw ? FXB_NOREFRESH : 0);
    fx_blit_rect(r->newpic, sx, sy, e->bitmap, e->mask, e->alpha, sx, sy, w, h, r->width, r->height, e->width,
                 e->height, r->mask, r->alpha, r, flags);
    return;
  }
  if (r->target) {
    fx_blit_clipped(r->newpic, sx, sy, r->target, r->x + sx, r->y + sy, w, h, r->width, r->height,
                    r->target->width, r->target->height);
    return;
  }
  // Direct drawing is what any drawing command does: the part of the picture onto the display.
  SAFEBLT(r->script, r->newpic, sx, sy, nullptr, r->x + sx, r->y + sy, w, h, r->width, r->height, r->clip_width,
          r->clip_height, r->blit_flags | (r->quiet ? BLIT_NOPRESENT : 0), r->mask, r->alpha, nullptr);
}

void fx_show_rects(qmFXRequest* r, const Rect* rects, size_t n) {
  if ((r->realtime && r->layer && r->layer->effect) || r->target) {
    for (size_t i = 0; i < n; ++i) fx_show_rect(r, rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    return;
  }
  constexpr size_t kChunk = 256;
  BlitRect pieces[kChunk];
  for (size_t first = 0; first < n; first += kChunk) {
    size_t count = 0;
    for (size_t i = first; i < std::min(n, first + kChunk); ++i) {
      // fx_show_rect's cut of a part before the picture's corner.
      int32_t sx = rects[i].x, sy = rects[i].y, w = rects[i].width, h = rects[i].height;
      if (sx < 0) w = int32_t(std::max<int64_t>(int64_t(w) + sx, 0)), sx = 0;
      if (sy < 0) h = int32_t(std::max<int64_t>(int64_t(h) + sy, 0)), sy = 0;
      if (w >= 1 && h >= 1) pieces[count++] = BlitRect{sx, sy, w, h};
    }
    SAFEBLT_RECTS(r->script, r->newpic, pieces, count, r->x, r->y, r->width, r->height, r->clip_width,
                  r->clip_height, r->blit_flags | (r->quiet ? BLIT_NOPRESENT : 0), r->mask, r->alpha);
  }
}

void fx_end_frame(qmFXRequest* r) {
  if (r->quiet) return;
  qmDisplay* d = r->display;
  if (!d) return;
  if (r->realtime && r->full_redraw && r->layer && r->layer->effect) {
    qmLayerEffect* e = r->layer->effect;
    fx_refresh_layer_rect(r, e->bitmap, 0, 0, r->x, r->y, r->width, r->height, e->width, e->height, e->mask, e->alpha,
                          FXB_WHOLE);
    return;
  }
  if (r->scaled && d->win.state == DISPSTATE_OPEN) {
    qmBlitOutput* out = output_of(r);
    const qmBitmap* shown = out->back ? out->back : out->front;
    display_present_rect(shown, 0, 0, out, 0, 0, r->clip_width, r->clip_height, 1);
  }
}

void fx_put_rect(qmFXRequest* r, const qmBitmap* pic, const qmMask* mask, const qmAlphaChannel* alpha, int32_t sx,
                 int32_t sy, int32_t w, int32_t h, int32_t dx, int32_t dy, int32_t flags) {
  if (!pic || w < 1 || h < 1) return;
  if (r->realtime && r->layer && r->layer->effect) {
    qmLayerEffect* e = r->layer->effect;
    fx_blit_rect(pic, sx, sy, e->bitmap, e->mask, e->alpha, dx, dy, w, h, pic->width, pic->height, e->width,
                 e->height, mask, alpha, r, flags | FXB_NOREFRESH);
    return;
  }
  if (sx < 0 || sy < 0) return;
  if (r->target) {
    fx_blit_clipped(pic, sx, sy, r->target, r->x + dx, r->y + dy, w, h, pic->width, pic->height, r->target->width,
                    r->target->height);
    return;
  }
  SAFEBLT(r->script, pic, sx, sy, nullptr, r->x + dx, r->y + dy, w, h, pic->width, pic->height, r->clip_width,
          r->clip_height, r->blit_flags | (r->quiet ? BLIT_NOPRESENT : 0), mask, alpha, nullptr);
}

namespace {

bool scales_directly(const qmFXRequest* r) {
  return !(r->realtime && r->layer && r->layer->effect) && !r->target && blit_scales_directly(r->blit_flags);
}

// New planes for the buffers kept through an effect, their pages brought in now, at the effect's
// setup, rather than in whichever frame first reaches them: a whole picture's worth of page
// faults took one frame to 15-20 ms.
qmBitmap* prefaulted_bitmap(int32_t w, int32_t h) {
  qmBitmap* b = qmos_alloc_bitmap(w, h);
  if (b) qmos_prefault(b->pixels, size_t(b->bytes_per_row) * size_t(b->height));
  return b;
}

qmMask* prefaulted_mask(int32_t w, int32_t h) {
  qmMask* m = qmos_alloc_mask(w, h, 0);
  if (m) qmos_prefault(m->data, size_t(m->bytes_per_row) * size_t(m->height));
  return m;
}

qmAlphaChannel* prefaulted_alpha(int32_t w, int32_t h) {
  qmAlphaChannel* a = qmos_alloc_alpha(w, h, 0);
  if (a) qmos_prefault(a->data, size_t(a->bytes_per_row) * size_t(a->height));
  return a;
}

// The plane kept in have, made again when smaller than w x h: at least that and the object's size.
template <class Plane>
bool keep_plane(const qmFXRequest* r, Plane*& have, int32_t w, int32_t h, Plane* (*make)(int32_t, int32_t),
                void (*release)(Plane*)) {
  if (have && have->width >= w && have->height >= h) return true;
  if (!fx_allocation_allowed()) return false;
  Plane* grown = make(std::max({w, r->width, have ? have->width : 0, 1}),
                      std::max({h, r->height, have ? have->height : 0, 1}));
  if (!grown) return false;
  release(have);
  have = grown;
  return true;
}

// The planes a masked or translucent copy is made in: pixels, and a mask and an alpha plane where
// asked, each at least w x h and the object's size, kept until the effect ends.
bool scaled_planes(qmFXRequest* r, int32_t w, int32_t h, bool mask, bool alpha) {
  if (!keep_plane(r, r->scaled_copy, w, h, prefaulted_bitmap, qmos_free_bitmap)) return false;
  if (mask && !keep_plane(r, r->scaled_mask, w, h, prefaulted_mask, qmos_free_mask)) return false;
  return !alpha || keep_plane(r, r->scaled_alpha, w, h, prefaulted_alpha, qmos_free_alpha);
}

}  // namespace

bool fx_reserve_scaling(qmFXRequest* r, bool plain) {
  if ((r->mask || r->alpha) && !scaled_planes(r, 0, 0, r->mask != nullptr, r->alpha != nullptr)) return false;
  return !plain || scales_directly(r) || fx_scale_scratch(r, 0, 0);
}

void fx_free_scaling(qmFXRequest* r) {
  qmos_free_bitmap(r->scale_scratch);
  qmos_free_bitmap(r->scaled_copy);
  qmos_free_mask(r->scaled_mask);
  qmos_free_alpha(r->scaled_alpha);
  r->scale_scratch = r->scaled_copy = nullptr;
  r->scaled_mask = nullptr;
  r->scaled_alpha = nullptr;
}

qmBitmap* fx_scale_scratch(qmFXRequest* r, int32_t w, int32_t h) {
  return keep_plane(r, r->scale_scratch, w, h, prefaulted_bitmap, qmos_free_bitmap) ? r->scale_scratch : nullptr;
}

qmBitmap fx_packed(const qmBitmap* b, int32_t w, int32_t h) {
  qmBitmap v = *b;
  v.width = w, v.height = h, v.bytes_per_row = bitmap_pixels_per_row(w) * b->bytes_per_pixel;
  return v;
}

qmMask fx_packed(const qmMask* m, int32_t w, int32_t h) {
  qmMask v = *m;
  v.width = w, v.height = h, v.bytes_per_row = mask_bytes_per_row(w), v.borrowed = 1;
  return v;
}

qmAlphaChannel fx_packed(const qmAlphaChannel* a, int32_t w, int32_t h) {
  qmAlphaChannel v = *a;
  v.width = w, v.height = h, v.bytes_per_row = alpha_bytes_per_row(w), v.borrowed = 1;
  return v;
}

int32_t fx_scale_planes(qmFXRequest* r, const qmBitmap* pic, const qmMask* mask, const qmAlphaChannel* alpha,
                        int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dw, int32_t dh, qmBitmap* copy,
                        qmMask* copy_mask, qmAlphaChannel* copy_alpha) {
  if (!scaled_planes(r, dw, dh, mask != nullptr, alpha != nullptr)) return ERR_MEM;
  *copy = fx_packed(r->scaled_copy, dw, dh);
  if (mask) *copy_mask = fx_packed(r->scaled_mask, dw, dh);
  if (alpha) *copy_alpha = fx_packed(r->scaled_alpha, dw, dh);
  return bitmap_draw_into(pic, mask, alpha, sx, sy, sw, sh, dw, dh, 0, copy, mask ? copy_mask : nullptr,
                          alpha ? copy_alpha : nullptr);
}

int32_t fx_put_scaled(qmFXRequest* r, const qmBitmap* pic, const qmMask* mask, const qmAlphaChannel* alpha,
                      int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                      int32_t flags) {
  if (!pic || sw < 1 || sh < 1 || dw < 1 || dh < 1) return 0;
  if (sw == dw && sh == dh) {
    fx_put_rect(r, pic, mask, alpha, sx, sy, sw, sh, dx, dy, flags);
    return 0;
  }
  if (!mask && !alpha) {
    // Drawn directly on a plain display, the copy is scaled straight into it.
    if (scales_directly(r)) {
      const int64_t x = int64_t(r->x) + dx, y = int64_t(r->y) + dy;
      if (x >= INT32_MIN && x <= INT32_MAX && y >= INT32_MIN && y <= INT32_MAX &&
          SAFEBLT_SCALED(r->script, pic, sx, sy, sw, sh, int32_t(x), int32_t(y), dw, dh, r->clip_width,
                         r->clip_height, r->blit_flags | (r->quiet ? BLIT_NOPRESENT : 0)))
        return 0;
    }
    qmBitmap* kept = fx_scale_scratch(r, dw, dh);
    if (!kept) return ERR_MEM;
    qmBitmap into = fx_packed(kept, dw, dh);
    if (int32_t err = bitmap_draw(pic, nullptr, nullptr, sx, sy, &into, sw, sh, dw, dh, 0, nullptr, nullptr, nullptr))
      return err;
    fx_put_rect(r, &into, nullptr, nullptr, 0, 0, dw, dh, dx, dy, flags);
    return 0;
  }
  qmBitmap copy{};
  qmMask copy_mask{};
  qmAlphaChannel copy_alpha{};
  if (int32_t err = fx_scale_planes(r, pic, mask, alpha, sx, sy, sw, sh, dw, dh, &copy, &copy_mask, &copy_alpha))
    return err;
  fx_put_rect(r, &copy, mask ? &copy_mask : nullptr, alpha ? &copy_alpha : nullptr, 0, 0, dw, dh, dx, dy, flags);
  return 0;
}

void fx_compose_clipped(const qmBitmap* src, const qmMask* mask, const qmAlphaChannel* alpha, int32_t sx, int32_t sy,
                        qmBitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h) {
  if (!src || !dst) return;
  if (!blit_clip_rects(nullptr, &sx, &sy, &dx, &dy, &w, &h, src->width, src->height, dst->width, dst->height, false))
    return;
  if (sx < 0 || sy < 0 || w < 1 || h < 1) return;
  if (mask) BLTMASK(src, sx, sy, dst, dx, dy, w, h, mask);
  else if (alpha) BLTALPHABITMAP(src, sx, sy, dst, dx, dy, w, h, alpha);
  else BLTBITMAP(src, sx, sy, dst, dx, dy, w, h);
}

void fx_layer_unhide(qmFXRequest* r) {
  if (r->layer) r->layer->hidden = 0;
}

void* fx_priv_alloc(qmFXRequest* r, size_t size) {
  if (!fx_allocation_allowed()) return nullptr;
  void* p = std::calloc(1, size ? size : 1);
  if (p) {
    std::free(r->priv);
    r->priv = p;
  }
  return p;
}

}  // namespace qm
