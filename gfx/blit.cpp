// SAFEBLT, the refresh request and the services they stand on.
#include "gfx/blit.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/blitpixels.h"
#include "gfx/pixelloops.h"
#include "gfx/pixelops.h"
#include "gfx/scale.h"

namespace qm {

// --- services ------------------------------------------------------------------------------

namespace {

qmGfxServices default_services() {
  qmGfxServices s{};
  s.layers_redraw = [](qmState*, qmBlitOutput*, qmBlitPicture*, qmBitmap*, int32_t, int32_t,
                       int32_t, int32_t, int32_t, int32_t) {};
  s.window_blit = [](const qmBitmap*, int32_t, int32_t, qmBlitOutput*, int32_t, int32_t, int32_t,
                     int32_t, int32_t, int32_t, int32_t) {};
  s.draw_borders = [](qmBlitOutput*) {};
  s.display_refresh = [](qmBlitOutput*, int32_t, int32_t) {};
  s.brush_find = [](qmState*, const ObjectId&, qmBrushPlanes*) { return ERR_WRONGUSAGE; };
  s.layer_new = [](qmState*, int32_t, const char*, const int32_t*, const double*,
                   const qmDrawTags*, qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha,
                   qmShapeRecord*, int32_t, int32_t) {
    // Nobody takes the planes: free them as a failing constructor would.
    qmos_free_bitmap(bitmap);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
    return ERR_WRONGUSAGE;
  };
  s.raster_create = [](int32_t, int32_t, qmRaster*) { return -1; };
  s.raster_destroy = [](qmRaster*) {};
  s.raster_fill_edges = [](qmRaster*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {};
  s.raster_fill_polygon = [](qmRaster*, const qmPoint*, int32_t, int32_t, int32_t) {};
  return s;
}

qmGfxServices g_services = default_services();
qmBlitGlobals g_blit;

}  // namespace

qmGfxServices& gfx_services() { return g_services; }
void gfx_services_reset() { g_services = default_services(); }
qmBlitGlobals& blit_globals() { return g_blit; }

// --- scratch buffer --------------------------------------------------------------------------

namespace {

uint8_t* g_scratch = nullptr;
size_t g_scratch_size = 0;

// Grows only; nullptr when a larger buffer cannot be had.
uint8_t* scratch(size_t size) {
  if (size > g_scratch_size) {
    std::free(g_scratch);
    g_scratch = static_cast<uint8_t*>(std::malloc(size));
    g_scratch_size = g_scratch ? size : 0;
  }
  return g_scratch;
}

}  // namespace

void blit_free_scratch() {
  std::free(g_scratch);
  g_scratch = nullptr;
  g_scratch_size = 0;
}

// --- helpers ---------------------------------------------------------------------------------

uint32_t rgb_blend(uint32_t a, uint32_t b, int32_t f) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int32_t ca = int32_t((a >> shift) & 0xFF), cb = int32_t((b >> shift) & 0xFF);
    out |= uint32_t((ca + (((cb - ca) * f) >> 8)) & 0xFF) << shift;
  }
  return out;
}

namespace {

// The clipping of SAFEBLT, inlined there: every drawing passes through it.
inline bool clip_rects(const qmClipRegion* clip, int32_t* sx, int32_t* sy, int32_t* dx, int32_t* dy, int32_t* w,
                       int32_t* h, int32_t source_w, int32_t source_h, int32_t dest_w, int32_t dest_h,
                       bool use_clip) {
  // The bounds are the destination's, narrowed by the region when one applies: a region larger
  // than the destination must not let the blit write outside it.
  int64_t left = 0, top = 0, right = dest_w, bottom = dest_h;
  if (clip && use_clip) {
    left = std::max<int64_t>(left, clip->x);
    top = std::max<int64_t>(top, clip->y);
    right = std::min<int64_t>(right, int64_t(clip->x) + clip->width);
    bottom = std::min<int64_t>(bottom, int64_t(clip->y) + clip->height);
  }
  auto axis = [](int32_t* s, int32_t* d, int32_t* n, int64_t lo, int64_t hi, int32_t s_size) {
    int64_t ss = *s, dd = *d, nn = *n;
    if (dd < lo) {
      ss += lo - dd;
      nn -= lo - dd;
      dd = lo;
    }
    nn = std::min({nn, int64_t(s_size) - ss, hi - dd});
    *s = int32_t(std::min<int64_t>(ss, INT32_MAX));
    *d = int32_t(dd);
    *n = int32_t(std::max<int64_t>(nn, 0));
    return nn >= 1;
  };
  const bool x_ok = axis(sx, dx, w, left, right, source_w);
  const bool y_ok = axis(sy, dy, h, top, bottom, source_h);
  return x_ok && y_ok;
}

}  // namespace

bool blit_clip_rects(const qmClipRegion* clip, int32_t* sx, int32_t* sy, int32_t* dx, int32_t* dy,
                     int32_t* w, int32_t* h, int32_t source_w, int32_t source_h, int32_t dest_w,
                     int32_t dest_h, bool use_clip) {
  return clip_rects(clip, sx, sy, dx, dy, w, h, source_w, source_h, dest_w, dest_h, use_clip);
}

void display_present_rect(const qmBitmap* bitmap, int32_t sx, int32_t sy, qmBlitOutput* output,
                          int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t flags) {
  if (bitmap == nullptr || output == nullptr) return;
  qmRecording* rec = g_blit.recording;
  if (rec && (rec->flags & 4) && !(flags & (2 | 4))) {
    rec->frame_changed = 1;
    return;
  }
  if ((flags & 1) && output->scaled &&
      (output->scaled_width != bitmap->width || output->scaled_height != bitmap->height)) {
    if (!rec)
      g_services.window_blit(bitmap, 0, 0, output, 0, 0, bitmap->width, bitmap->height,
                             output->scaled_width, output->scaled_height, flags);
    return;
  }
  g_services.window_blit(bitmap, sx, sy, output, dx, dy, w, h, 0, 0, flags);
}

void display_refresh_whole(qmState* state, qmBlitOutput* output, int32_t flags) {
  if (output == nullptr) return;
  g_services.draw_borders(output);
  if (output->double_buffer || output->second_buffer) {
    g_services.display_refresh(output, 1, flags);
    return;
  }
  qmBlitPicture* pic = output->picture;
  if (pic == nullptr || output->front == nullptr) return;
  // Shown sprites are composed over a copy of the picture, which stays their clean background.
  qmBitmap* shown = pic->sprites && !output->layers_on && output->back ? output->back : output->front;
  g_services.layers_redraw(state, output, pic, shown, 0, 0, pic->width, pic->height, 0, 0);
  display_present_rect(shown, 0, 0, output, 0, 0, pic->width, pic->height, flags | 1 | PRESENT_WHOLE);
}

// --- SAFEBLT ---------------------------------------------------------------------------------

namespace {

bool sprite_overlaps(const qmBlitPicture* pic, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (pic == nullptr) return false;
  const int64_t x2 = int64_t(x) + w - 1, y2 = int64_t(y) + h - 1;
  for (const qmSpriteRect* s = pic->sprites; s; s = s->next) {
    const int64_t sx2 = int64_t(s->x) + s->width - 1, sy2 = int64_t(s->y) + s->height - 1;
    if (x <= sx2 && s->x <= x2 && y <= sy2 && s->y <= y2) return true;
  }
  return false;
}

// The rectangle (x, y, w, h) limited to a plane of width x height; false when nothing is left.
bool inside_plane(int32_t& x, int32_t& y, int32_t& w, int32_t& h, int32_t width, int32_t height,
                  int32_t& sx, int32_t& sy) {
  if (x < 0) sx -= x, w += x, x = 0;
  if (y < 0) sy -= y, h += y, y = 0;
  w = int32_t(std::min<int64_t>(w, int64_t(width) - x));
  h = int32_t(std::min<int64_t>(h, int64_t(height) - y));
  return w >= 1 && h >= 1;
}

// Draws the source into a bitmap target by the planes it brings (step 7).
void draw_into(const qmBitmap* source, int32_t sx, int32_t sy, qmBitmap* target, int32_t dx,
               int32_t dy, int32_t w, int32_t h, const qmMask* mask, const qmAlphaChannel* alpha,
               bool target_has_alpha) {
  if (mask) {
    BLTMASK(source, sx, sy, target, dx, dy, w, h, mask);
  } else if (alpha) {
    if (!target_has_alpha) {
      BLTALPHABITMAP(source, sx, sy, target, dx, dy, w, h, alpha);
    } else if (g_blit.alpha_blend) {
      qmBitmapLock s, d;
      qmos_lock_bitmap(source, &s);
      qmos_lock_bitmap(target, &d);
      if (s.locked && d.locked)
        alpha_gated_copy_loop(s.pixels, sx, sy, sx, sy, s.pixels_per_row, d.pixels, dx, dy,
                              d.pixels_per_row, w, h, alpha->data, alpha->bytes_per_row);
      qmos_unlock_bitmap(&d);
      qmos_unlock_bitmap(&s);
    } else {
      BLTBITMAP(source, sx, sy, target, dx, dy, w, h);
    }
  } else {
    BLTBITMAP(source, sx, sy, target, dx, dy, w, h);
  }
}

// Keeps the selected target's mask and alpha plane in step with what was drawn (step 8).
void update_target_planes(const qmBlitOutput* out, bool have_dest, int32_t sx, int32_t sy,
                          int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t dest_w,
                          int32_t dest_h, const qmMask* mask, const qmAlphaChannel* alpha) {
  if (qmMask* tm = out->target_mask) {
    int32_t x = dx, y = dy, ww = w, hh = h, msx = sx, msy = sy;
    if (inside_plane(x, y, ww, hh, tm->width, tm->height, msx, msy)) {
      const int32_t mode = have_dest ? MASKVANILLACOPY : g_blit.mask_mode;
      if (mask) qmos_blit_mask_bits(mask, msx, msy, tm, x, y, ww, hh, mode);
      else if (alpha) alpha_to_mask(alpha, msx, msy, tm, x, y, ww, hh, mode);
      else qmos_mask_rect_op(tm, x, y, ww, hh, mode);
    }
  }
  if (qmAlphaChannel* ta = out->target_alpha) {
    const bool intensity = !have_dest && g_blit.alpha_intensity != -1;
    if (alpha) {
      const int32_t mode = intensity ? 6 : g_blit.alpha_blend ? 1 : 0;
      alpha_copy_rect_clipped(alpha, sx, sy, ta, dx, dy, w, h, alpha->width, alpha->height,
                              std::min(dest_w, ta->width), std::min(dest_h, ta->height), mode,
                              g_blit.alpha_intensity);
      return;
    }
    int32_t x = dx, y = dy, ww = w, hh = h, msx = sx, msy = sy;
    if (!inside_plane(x, y, ww, hh, ta->width, ta->height, msx, msy)) return;
    const uint8_t value = intensity ? uint8_t(g_blit.alpha_intensity) : 255;
    if (mask) mask_to_alpha(mask, msx, msy, ta, x, y, ww, hh, value);
    else alpha_fill_rect(ta, x, y, ww, hh, value);
  }
}

// Restores "no current output" when the fallback display stood in, on every way out.
struct FallbackGuard {
  bool active = false;
  ~FallbackGuard() {
    if (active) g_blit.current = nullptr;
  }
};

}  // namespace

qmBlitOutput* SAFEBLT(qmState* state, const qmBitmap* source, int32_t sx, int32_t sy,
                      qmBitmap* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                      int32_t source_w, int32_t source_h, int32_t dest_w, int32_t dest_h,
                      int32_t flags, const qmMask* source_mask, const qmAlphaChannel* source_alpha,
                      const qmClipRegion* clip) {
  // 1. The output.
  FallbackGuard guard;
  qmBlitOutput* out = g_blit.current;
  if (out == nullptr) {
    if (dest && (flags & BLIT_DESTONLY) && g_blit.fallback) {
      out = g_blit.current = g_blit.fallback;
      guard.active = true;
      flags |= BLIT_INTERNAL;
    } else {
      std::fputs("ERROR! SAFEBLT() CALLED WITH DISPLAY=NULL!\n", stderr);
      return nullptr;
    }
  }
  if (source == nullptr) return out;

  // 2, 3. Clipping.
  if (sx < 0 || sy < 0) return out;
  const bool use_clip = clip && !(flags & BLIT_NOCLIP);
  if (!clip_rects(clip, &sx, &sy, &dx, &dy, &w, &h, source_w, source_h, dest_w, dest_h, use_clip))
    return out;
  // The bounds given must not reach past the bitmaps themselves.
  if (int64_t(sx) + w > source->width || int64_t(sy) + h > source->height) return out;

  const bool is_display = out->object_type == kOutputDisplay;

  // 4. Sprite pass: draw underneath the sprites, then put them back on top.
  if (!(flags & BLIT_INTERNAL) && is_display && out->back &&
      sprite_overlaps(out->picture, dx, dy, w, h)) {
    const int32_t inner = flags | BLIT_INTERNAL;
    if ((flags & BLIT_FRONT) && out->front) {
      // Into the picture, which then is the background of the whole composition.
      SAFEBLT(state, source, sx, sy, out->front, dx, dy, w, h, source_w, source_h, dest_w, dest_h,
              inner, source_mask, source_alpha, clip);
      g_services.layers_redraw(state, out, out->picture, out->back, dx, dy, w, h, 0, 0);
    } else {
      g_services.layers_redraw(state, out, out->picture, out->back, dx, dy, w, h, 0, 1);
      SAFEBLT(state, source, sx, sy, out->back, dx, dy, w, h, source_w, source_h, dest_w, dest_h,
              inner, source_mask, source_alpha, clip);
      g_services.layers_redraw(state, out, out->picture, out->back, dx, dy, w, h, 0, 2);
    }
    // The composition only goes to the window: the picture keeps no sprite.
    const int32_t copy = (flags & ~(BLIT_FRONT | BLIT_ALWAYSFRONT | BLIT_REDRAW)) | BLIT_NOCLIP | BLIT_INTERNAL;
    SAFEBLT(state, out->back, dx, dy, dest, dx, dy, w, h, out->back->width, out->back->height,
            dest_w, dest_h, copy, nullptr, nullptr, nullptr);
    return out;
  }

  // 5. A shaped clip region gates the source's planes through a temporary plane.
  qmMask clip_mask{};
  qmAlphaChannel clip_alpha{};
  if (use_clip && clip->mask) {
    const int32_t cx = dx - clip->x, cy = dy - clip->y;
    if (source_alpha) {
      uint8_t* buf = scratch(size_t(source_w) * size_t(sy + h));
      if (buf == nullptr) return out;
      clip_combine_alpha(clip->mask->data, clip->mask_bpr, cx, cy, source_alpha->data,
                         source_alpha->bytes_per_row, sx, sy, w, h, buf, source_w);
      clip_alpha = {buf, source_w, sy + h, source_w, {0, 0}, 1};
      source_alpha = &clip_alpha;
    } else {
      const int32_t bpr = mask_bytes_per_row(source_w);
      uint8_t* buf = scratch(size_t(bpr) * size_t(sy + h));
      if (buf == nullptr) return out;
      clip_combine_mask(clip->mask->data, clip->mask_bpr, cx, cy,
                        source_mask ? source_mask->data : nullptr,
                        source_mask ? source_mask->bytes_per_row : 0, sx, sy, w, h, buf, source_w);
      clip_mask = {buf, source_w, sy + h, bpr, {0, 0}, 1};
      source_mask = &clip_mask;
    }
  }

  // 6. The target.
  qmBitmap* target = nullptr;
  const qmBitmap* presented = nullptr;
  if (dest) {
    target = dest;
  } else if (is_display) {
    if ((flags & BLIT_ALWAYSFRONT) || ((flags & BLIT_FRONT) && !out->layers_on)) {
      target = out->front;
      if (!(flags & BLIT_NOPRESENT)) presented = out->front;
    } else if (out->layers_on && (flags & BLIT_REDRAW)) {
      g_services.layers_redraw(state, out, out->picture, out->back, dx, dy, w, h, 0, 0);
      presented = out->back;
    }
  }
  if (target && (int64_t(dx) + w > target->width || int64_t(dy) + h > target->height)) return out;

  // 7. Drawing.
  if (target) {
    draw_into(source, sx, sy, target, dx, dy, w, h, source_mask, source_alpha,
              out->target_alpha != nullptr);
    if (!(flags & BLIT_DESTONLY) && is_display && out->scaled && target == out->front &&
        out->back && int64_t(dx) + w <= out->back->width && int64_t(dy) + h <= out->back->height)
      draw_into(source, sx, sy, out->back, dx, dy, w, h, source_mask, source_alpha,
                out->target_alpha != nullptr);
  }

  // 8. The selected target's own planes.
  if (!(flags & BLIT_DESTONLY))
    update_target_planes(out, dest != nullptr, sx, sy, dx, dy, w, h, dest_w, dest_h, source_mask,
                         source_alpha);

  // 9. Present.
  if (flags & BLIT_DESTONLY) return out;
  if (presented) {
    const bool whole_scaled = presented == out->front && out->scaled && out->back;
    display_present_rect(whole_scaled ? out->back : presented, dx, dy, out, dx, dy, w, h, 1);
  } else if (!dest && !target && is_display && !source_mask && !source_alpha &&
             !(out->layers_on && (flags & BLIT_REDRAW)) && !(flags & BLIT_NOPRESENT)) {
    // Without a target, a plain source goes to the window straight from the source bitmap.
    display_present_rect(source, sx, sy, out, dx, dy, w, h, 0);
  }
  return out;
}

// --- SAFEBLT_RECTS --------------------------------------------------------------------------

namespace {

// A rectangle clipped as SAFEBLT clips it: source corner, front corner, size.
struct Piece {
  int32_t sx, sy, dx, dy, w, h;
};

// Windows show 32-bit pixels in 64-byte lines: rectangles closer than this share the lines between.
constexpr int32_t kJoinGap = 16;

// Whether SAFEBLT would draw a plain rectangle into the display's front bitmap and present just
// that rectangle of it, with nothing else on the window over the picture.
bool plain_output(const qmBlitOutput* out, int32_t flags) {
  if (!out || out->object_type != kOutputDisplay || !out->front) return false;
  if (out->target_mask || out->target_alpha || out->scaled || out->layers_on) return false;
  if (out->double_buffer || out->second_buffer) return false;
  if (out->picture && out->picture->sprites) return false;
  if (!(flags & (BLIT_FRONT | BLIT_ALWAYSFRONT)) || (flags & BLIT_DESTONLY)) return false;
  return out->front->bytes_per_pixel == 4;
}

// The same for a source without planes, of 4-byte pixels, other than the front bitmap.
bool plain_front(const qmBlitOutput* out, const qmBitmap* source, int32_t flags, const qmMask* mask,
                 const qmAlphaChannel* alpha) {
  if (!plain_output(out, flags) || mask || alpha) return false;
  return source != out->front && source->bytes_per_pixel == 4;
}

// n pixels: short spans (many to a row) as two overlapping moves each, without a call.
inline void copy_span(uint32_t* to, const uint32_t* from, int32_t n) {
  auto two_moves = [&](auto block) {
    constexpr int32_t k = int32_t(sizeof(block) / 4);
    decltype(block) last;
    std::memcpy(&block, from, sizeof block);
    std::memcpy(&last, from + n - k, sizeof last);
    std::memcpy(to, &block, sizeof block);
    std::memcpy(to + n - k, &last, sizeof last);
  };
  struct Block16 {
    uint8_t b[16];
  };
  struct Block32 {
    uint8_t b[32];
  };
  if (n < 4) {
    for (int32_t i = 0; i < n; ++i) to[i] = from[i];
  } else if (n <= 8) {
    two_moves(Block16{});
  } else if (n <= 16) {
    two_moves(Block32{});
  } else {
    std::memcpy(to, from, size_t(n) * 4);
  }
}

// Draws and presents the pieces band by band: a band is a run of rows with the same pieces on it.
void draw_rowwise(qmBlitOutput* out, const qmBitmap* source, std::vector<Piece>& pieces, bool present,
                  std::vector<const Piece*>& active) {
  std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.dy < b.dy; });
  qmBitmap* front = out->front;
  const size_t s_ppr = size_t(source->bytes_per_row / 4), d_ppr = size_t(front->bytes_per_row / 4);
  active.clear();
  size_t next = 0;
  int64_t y = 0;
  while (next < pieces.size() || !active.empty()) {
    if (active.empty()) y = std::max<int64_t>(y, pieces[next].dy);
    for (; next < pieces.size() && pieces[next].dy <= y; ++next) {
      const Piece* p = &pieces[next];
      active.insert(std::upper_bound(active.begin(), active.end(), p,
                                     [](const Piece* a, const Piece* b) { return a->dx < b->dx; }),
                    p);
    }
    int64_t end = next < pieces.size() ? pieces[next].dy : INT64_MAX;
    for (const Piece* p : active) end = std::min<int64_t>(end, int64_t(p->dy) + p->h);
    for (int64_t row = y; row < end; ++row) {
      uint32_t* to = front->pixels + size_t(row) * d_ppr;
      for (const Piece* p : active)
        copy_span(to + p->dx, source->pixels + size_t(p->sy + (row - p->dy)) * s_ppr + size_t(p->sx), p->w);
    }
    if (present) {
      for (size_t i = 0; i < active.size();) {
        int64_t left = active[i]->dx, right = int64_t(active[i]->dx) + active[i]->w;
        for (++i; i < active.size() && active[i]->dx - right < kJoinGap; ++i)
          right = std::max<int64_t>(right, int64_t(active[i]->dx) + active[i]->w);
        display_present_rect(front, int32_t(left), int32_t(y), out, int32_t(left), int32_t(y),
                             int32_t(right - left), int32_t(end - y), 1);
      }
    }
    std::erase_if(active, [&](const Piece* p) { return int64_t(p->dy) + p->h <= end; });
    y = end;
  }
}

}  // namespace

void SAFEBLT_RECTS(qmState* state, const qmBitmap* source, const BlitRect* rects, size_t n, int32_t dx,
                   int32_t dy, int32_t source_w, int32_t source_h, int32_t dest_w, int32_t dest_h, int32_t flags,
                   const qmMask* source_mask, const qmAlphaChannel* source_alpha) {
  auto one_by_one = [&] {
    for (size_t i = 0; i < n; ++i) {
      const BlitRect& b = rects[i];
      const int64_t x = int64_t(b.x) + dx, y = int64_t(b.y) + dy;
      if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) continue;
      SAFEBLT(state, source, b.x, b.y, nullptr, int32_t(x), int32_t(y), b.width, b.height, source_w, source_h,
              dest_w, dest_h, flags, source_mask, source_alpha, nullptr);
    }
  };
  qmBlitOutput* out = g_blit.current;
  if (!source || !plain_front(out, source, flags, source_mask, source_alpha)) {
    one_by_one();
    return;
  }
  static std::vector<Piece> pieces;  // kept for their storage: drawing runs on the one UI thread
  static std::vector<const Piece*> active;
  try {
    pieces.clear();
    for (size_t i = 0; i < n; ++i) {
      const BlitRect& b = rects[i];
      const int64_t x = int64_t(b.x) + dx, y = int64_t(b.y) + dy;
      if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) continue;
      Piece p{b.x, b.y, int32_t(x), int32_t(y), b.width, b.height};
      // SAFEBLT's own clipping and bounds, rectangle by rectangle.
      if (p.sx < 0 || p.sy < 0) continue;
      if (!clip_rects(nullptr, &p.sx, &p.sy, &p.dx, &p.dy, &p.w, &p.h, source_w, source_h, dest_w, dest_h, false))
        continue;
      if (int64_t(p.sx) + p.w > source->width || int64_t(p.sy) + p.h > source->height) continue;
      if (int64_t(p.dx) + p.w > out->front->width || int64_t(p.dy) + p.h > out->front->height) continue;
      pieces.push_back(p);
    }
    active.reserve(pieces.size());
  } catch (const std::bad_alloc&) {
    one_by_one();
    return;
  }
  draw_rowwise(out, source, pieces, !(flags & BLIT_NOPRESENT), active);
}

bool blit_scales_directly(int32_t flags) { return plain_output(g_blit.current, flags); }

bool SAFEBLT_SCALED(qmState*, const qmBitmap* source, int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx,
                    int32_t dy, int32_t dw, int32_t dh, int32_t dest_w, int32_t dest_h, int32_t flags) {
  qmBlitOutput* out = g_blit.current;
  if (!source || !plain_front(out, source, flags, nullptr, nullptr) || dw < 1 || dh < 1) return false;
  if (sx < 0 || sy < 0 || sw < 1 || sh < 1 || int64_t(sx) + sw > source->width || int64_t(sy) + sh > source->height)
    return false;
  const int64_t left = std::max<int64_t>(dx, 0), top = std::max<int64_t>(dy, 0);
  const int64_t right = std::min<int64_t>(int64_t(dx) + dw, dest_w), bottom = std::min<int64_t>(int64_t(dy) + dh, dest_h);
  if (left >= right || top >= bottom) return true;  // nothing of it inside the bounds
  // Bounds past the front bitmap: SAFEBLT's own refusal decides.
  if (right > out->front->width || bottom > out->front->height) return false;
  const int32_t x = int32_t(left), y = int32_t(top), w = int32_t(right - left), h = int32_t(bottom - top);
  if (bitmap_draw_part(source, sx, sy, sw, sh, dw, dh, int32_t(left - dx), int32_t(top - dy), w, h, out->front, x,
                       y) != 0)
    return false;
  if (!(flags & BLIT_NOPRESENT)) display_present_rect(out->front, x, y, out, x, y, w, h, 1);
  return true;
}

}  // namespace qm
