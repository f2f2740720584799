// Effects that scale or slide the picture itself: STRETCH and the directional ZOOMs draw the whole
// new picture scaled into a rectangle that grows from an edge, a corner or the centre (and shrinks
// when hiding); ZOOMIN and ZOOMOUT shrink or magnify the old picture and then the new one; the
// strange pushes slide the new picture's odd and even lines in from opposite sides.
#include <algorithm>
#include <cstdlib>

#include "engine/errcodes.h"
#include "fx/internal.h"
#include "fx/steps.h"
#include "gfx/blitpixels.h"
#include "gfx/scale.h"
#include "layers/layers.h"

namespace qm {

namespace {

struct Rectangle {
  int32_t x, y, w, h;
};

// The side along the longer axis is n, the other n x ratio (plus `grow`), at least 1.
Rectangle aspect(int32_t w, int32_t h, int32_t n, double grow) {
  const double ratio = double(std::min(w, h)) / double(std::max(w, h));
  const int32_t other = std::max(int32_t(double(n) * ratio + grow), 1);
  return w < h ? Rectangle{0, 0, other, n} : Rectangle{0, 0, n, other};
}

int32_t advance(int32_t d, int32_t step) { return int32_t(std::min<int64_t>(int64_t(d) + step, INT32_MAX)); }
int32_t distance_at(int32_t frame, int32_t step, int32_t limit) {
  return int32_t(std::min<int64_t>(int64_t(frame) * step, limit));
}

}  // namespace

// ---- STRETCH and ZOOM --------------------------------------------------------------------------------

namespace {

struct Stretch {
  int32_t s;
  Rectangle prev;
};

enum : int32_t { STRETCHLEFT = 55, STRETCHRIGHT, STRETCHTOP, STRETCHBOTTOM, HSTRETCHCENTER, VSTRETCHCENTER, ZOOMCENTER };

// STRETCHRIGHT and STRETCHBOTTOM count s down: it is the near edge of the picture.
bool counts_down(int32_t id) { return id == STRETCHRIGHT || id == STRETCHBOTTOM; }

int32_t stretch_extent(const qmFXRequest* r) {
  switch (r->effect) {
    case STRETCHLEFT:
    case STRETCHRIGHT:
    case VSTRETCHCENTER: return r->width;
    case STRETCHTOP:
    case STRETCHBOTTOM:
    case HSTRETCHCENTER: return r->height;
    default: return std::max(r->width, r->height);
  }
}

// Where the picture is drawn at s: the ZOOMs keep the aspect and their anchor (centre, north,
// north-east, east, south-east, south, south-west, west, north-west).
Rectangle stretch_rect(const qmFXRequest* r, int32_t s) {
  const int32_t w = r->width, h = r->height;
  switch (r->effect) {
    case STRETCHLEFT: return {0, 0, s, h};
    case STRETCHRIGHT: return {s, 0, w - s, h};
    case STRETCHTOP: return {0, 0, w, s};
    case STRETCHBOTTOM: return {0, s, w, h - s};
    case HSTRETCHCENTER: return {0, (h - s) / 2, w, s};
    case VSTRETCHCENTER: return {(w - s) / 2, 0, s, h};
    default: break;
  }
  Rectangle z = aspect(w, h, s, 0.0);
  static constexpr int32_t kAnchor[9][2] = {{1, 1}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}, {0, 0}};
  const int32_t* a = kAnchor[r->effect - ZOOMCENTER];
  z.x = a[0] == 0 ? 0 : a[0] == 2 ? w - z.w : (w - z.w) / 2;
  z.y = a[1] == 0 ? 0 : a[1] == 2 ? h - z.h : (h - z.h) / 2;
  return z;
}

// Clears a rectangle of the layer's effect image (nothing in direct mode: only layers hide).
void clear(qmFXRequest* r, int32_t x, int32_t y, int32_t w, int32_t h, int32_t flags) {
  if (!r->realtime || !r->layer || !r->layer->effect || w < 1 || h < 1) return;
  qmLayerEffect* e = r->layer->effect;
  fx_blit_rect(nullptr, 0, 0, e->bitmap, e->mask, e->alpha, x, y, w, h, r->width, r->height, e->width, e->height,
               nullptr, nullptr, r, flags | FXB_HIDE | FXB_NOREFRESH);
}

// Whether a masked or translucent picture drawn directly is first put on the old picture under it,
// so that what reaches the display is plain.
bool composes_under(const qmFXRequest* r) {
  const bool direct = !(r->realtime && r->layer && r->layer->effect);
  return direct && (r->mask || r->alpha) && r->oldpic;
}

// The scaled picture at its rectangle, composed on the old picture in the buffer kept for plain
// copies when composes_under says so.
int32_t draw_scaled(qmFXRequest* r, const Rectangle& at) {
  if (at.w < 1 || at.h < 1) return 0;
  if (!composes_under(r))
    return fx_put_scaled(r, r->newpic, r->mask, r->alpha, 0, 0, r->width, r->height, at.x, at.y, at.w, at.h, 0);
  qmBitmap scaled{};
  qmMask scaled_mask{};
  qmAlphaChannel scaled_alpha{};
  if (int32_t err = fx_scale_planes(r, r->newpic, r->mask, r->alpha, 0, 0, r->width, r->height, at.w, at.h, &scaled,
                                    &scaled_mask, &scaled_alpha))
    return err;
  qmBitmap* kept = fx_scale_scratch(r, at.w, at.h);
  if (!kept) return ERR_MEM;
  qmBitmap under = fx_packed(kept, at.w, at.h);
  fx_blit_clipped(r->oldpic, at.x, at.y, &under, 0, 0, at.w, at.h, r->width, r->height, at.w, at.h);
  if (r->mask) BLTMASK(&scaled, 0, 0, &under, 0, 0, at.w, at.h, &scaled_mask);
  else BLTALPHABITMAP(&scaled, 0, 0, &under, 0, 0, at.w, at.h, &scaled_alpha);
  fx_put_rect(r, &under, nullptr, nullptr, 0, 0, at.w, at.h, at.x, at.y, 0);
  return 0;
}

}  // namespace

void fx_stretch_free(qmFXRequest*) {}

int32_t fx_stretch_step(qmFXRequest* r, int32_t* done) {
  const int32_t extent = stretch_extent(r);
  const bool down = counts_down(r->effect) != (r->hide != 0);  // s runs towards 0
  if (r->phase == 0) {
    auto* st = static_cast<Stretch*>(fx_priv_alloc(r, sizeof(Stretch)));
    if (!st) return ERR_MEM;
    // Its copies are all of the request's picture; composed on the old picture, they are plain
    // in the end, in the buffer for plain copies.
    if (!fx_reserve_scaling(r, !r->mask && !r->alpha) || (composes_under(r) && !fx_scale_scratch(r, 0, 0)))
      return ERR_MEM;
    r->speed = fx_step_size(r->speed, extent, 30, 10, 80);
    st->s = down ? extent - r->speed : r->speed;
    st->prev = {0, 0, r->width, r->height};
    r->frames = fx_step_count(extent - r->speed, r->speed, 0);
    return 0;
  }
  if (r->phase != 1 && r->phase != 2) return 0;
  auto* st = static_cast<Stretch*>(r->priv);
  const int32_t step = r->speed;
  fx_layer_unhide(r);
  if (r->phase == 2) {
    const int32_t moved = distance_at(r->frame, step, extent);
    st->s = down ? extent - moved : moved;
    clear(r, 0, 0, r->width, r->height, 0);
  } else if (r->frame == 0) {
    st->s = down ? extent - step : step;
    st->prev = {0, 0, r->width, r->height};
  }
  // The end: the picture whole (showing) or gone (hiding).
  const bool end = down ? st->s < 1 : st->s >= extent;
  Rectangle at{};
  if (end) {
    *done = 1;
    const bool whole = !r->hide;
    at = whole ? Rectangle{0, 0, r->width, r->height} : Rectangle{0, 0, 0, 0};
  } else {
    at = stretch_rect(r, st->s);
  }
  if (r->hide && r->phase == 1) {
    // What the shrinking picture no longer covers.
    const Rectangle& p = st->prev;
    if (at.w < 1 || at.h < 1) {
      clear(r, p.x, p.y, p.w, p.h, 0);
    } else {
      clear(r, p.x, p.y, p.w, at.y - p.y, 0);
      clear(r, p.x, p.y, at.x - p.x, p.h, 0);
      clear(r, at.x + at.w, p.y, p.x + p.w - at.x - at.w, p.h, 0);
      clear(r, p.x, at.y + at.h, p.w, p.y + p.h - at.y - at.h, 0);
    }
  }
  const int32_t err = draw_scaled(r, at);
  st->s = down ? st->s - step : advance(st->s, step);
  st->prev = at;
  if (r->phase == 1) {
    fx_refresh_frame(r);
    ++r->frame;
  }
  return err;
}

// ---- ZOOMIN and ZOOMOUT ------------------------------------------------------------------------------

namespace {

struct ZoomInOut {
  Rectangle prev;
  int32_t d;
};

}  // namespace

int32_t fx_zoominout_step(qmFXRequest* r, int32_t* done) {
  const bool in = r->effect == 118;
  const int32_t w = r->width, h = r->height, l = std::max(w, h);
  if (r->phase == 0) {
    auto* z = static_cast<ZoomInOut*>(fx_priv_alloc(r, sizeof(ZoomInOut)));
    if (!z || !fx_reserve_scaling(r, true)) return ERR_MEM;
    r->speed = fx_step_size(r->speed, l, 60, 30, 120);
    z->prev = {0, 0, w, h};
    z->d = r->speed;
    r->frames = fx_step_count(2 * l - r->speed, r->speed, 0);
    if (in && r->parameter == FX_RANDOMPARAMETER) r->parameter = 0;
    return 0;
  }
  if (r->phase != 1 && r->phase != 2) return 0;
  auto* z = static_cast<ZoomInOut*>(r->priv);
  const uint32_t colour = uint32_t(r->parameter) & 0xFFFFFF;
  const int32_t step = r->speed;
  fx_layer_unhide(r);
  if (r->phase == 2) {
    z->d = distance_at(r->frame, step, 2 * l);
    if (in) fx_fill_rect(r, 0, 0, w, h, colour, FXB_NOREFRESH);
  }
  Rectangle at{0, 0, w, h};
  if (z->d < 2 * l) {
    at = aspect(w, h, std::max(std::abs(z->d - l), 1), 1.0);
    at.w = std::min(at.w, w), at.h = std::min(at.h, h);
    at.x = (w - at.w) / 2, at.y = (h - at.h) / 2;
  } else {
    z->d = 2 * l;
    *done = 1;
  }
  const int32_t d = z->d;
  if (r->bgpicemu) fx_redraw_step(r, d > l ? 2 : 3);
  const bool old = d <= l && !*done;
  const qmBitmap* pic = old ? r->oldpic : r->newpic;
  const qmMask* mask = old ? nullptr : r->mask;
  const qmAlphaChannel* alpha = old ? nullptr : r->alpha;
  int32_t err = 0;
  if (in) {
    // The colour first takes what the shrinking old picture leaves (the strips overlap the new
    // rectangle's border by a pixel), and all the old one left once the new picture comes in.
    const Rectangle& p = z->prev;
    if (r->phase == 1 && old) {
      fx_fill_rect(r, p.x, p.y, at.x - p.x + 1, p.h, colour, FXB_NOREFRESH);
      fx_fill_rect(r, p.x, p.y, p.w, at.y - p.y + 1, colour, FXB_NOREFRESH);
      fx_fill_rect(r, at.x + at.w - 1, p.y, p.x + p.w - at.x - at.w + 1, p.h, colour, FXB_NOREFRESH);
      fx_fill_rect(r, p.x, at.y + at.h - 1, p.w, p.y + p.h - at.y - at.h + 1, colour, FXB_NOREFRESH);
    } else if (r->phase == 1 && d - step <= l) {
      fx_fill_rect(r, p.x, p.y, p.w, p.h, colour, FXB_NOREFRESH);
    }
    err = fx_put_scaled(r, pic, mask, alpha, 0, 0, w, h, at.x, at.y, at.w, at.h, 0);
    z->prev = at;
  } else {
    err = fx_put_scaled(r, pic, mask, alpha, at.x, at.y, at.w, at.h, 0, 0, w, h, 0);
  }
  z->d = advance(d, step);
  if (r->phase == 1) {
    fx_refresh_frame(r);
    ++r->frame;
  }
  return err;
}

// ---- the strange pushes ------------------------------------------------------------------------------

namespace {

struct StrangePush {
  int32_t d;
  qmBitmap* work;  // direct mode: the frame composed before it reaches the display
  qmMask* masks[2];
  qmAlphaChannel* alphas[2];
};

void release_planes(StrangePush* s) {
  for (int32_t k = 0; k < 2; ++k) {
    qmos_free_mask(s->masks[k]);
    qmos_free_alpha(s->alphas[k]);
    s->masks[k] = nullptr;
    s->alphas[k] = nullptr;
  }
}

// Plane k is the new picture's visibility with every second row cleared from row k: plane 0
// shows the odd rows, plane 1 the even ones. Alpha planes for a picture with alpha, else masks.
int32_t build_planes(qmFXRequest* r, StrangePush* s) {
  const int32_t w = r->width, h = r->height;
  for (int32_t k = 0; k < 2; ++k) {
    if (r->alpha) {
      s->alphas[k] = fx_alloc_alpha(w, h, 1);
      if (!s->alphas[k]) return ERR_MEM;
      fx_alpha_from_source(s->alphas[k], r->mask, r->alpha, w, h);
      for (int32_t y = k; y < h; y += 2) alpha_fill_rect(s->alphas[k], 0, y, w, 1, 0);
    } else {
      s->masks[k] = fx_alloc_mask(w, h, 1);
      if (!s->masks[k]) return ERR_MEM;
      if (r->mask) qmos_blit_mask_bits(r->mask, 0, 0, s->masks[k], 0, 0, w, h, MASKVANILLACOPY);
      else qmos_mask_rect_op(s->masks[k], 0, 0, w, h, MASKVISIBLE);
      for (int32_t y = k; y < h; y += 2) qmos_mask_rect_op(s->masks[k], 0, y, w, 1, MASKINVISIBLE);
    }
  }
  return 0;
}

// A rectangle of the new picture through plane k: realtime into the (cleared) effect image,
// combining visibility; directly into the work bitmap.
void through_plane(qmFXRequest* r, StrangePush* s, int32_t k, int32_t sx, int32_t sy, int32_t w, int32_t h,
                   int32_t dx, int32_t dy) {
  if (w < 1 || h < 1) return;
  if (r->realtime && r->layer && r->layer->effect) {
    // The plane's visibility joins what the other plane showed; the pixels of its lines are
    // copied as they are, so that a translucent line is blended once, when the layer is drawn.
    qmLayerEffect* e = r->layer->effect;
    fx_blit_rect(nullptr, sx, sy, e->bitmap, e->mask, e->alpha, dx, dy, w, h, r->width, r->height, e->width,
                 e->height, s->masks[k], s->alphas[k], r, FXB_COMBINE | FXB_NOREFRESH);
    for (int32_t y = sy % 2 == 1 - k ? sy : sy + 1; y < sy + h; y += 2)
      fx_blit_clipped(r->newpic, sx, y, e->bitmap, dx, dy + y - sy, w, 1, r->width, r->height, e->width, e->height);
    return;
  }
  fx_compose_clipped(r->newpic, s->masks[k], s->alphas[k], sx, sy, s->work, dx, dy, w, h);
}

}  // namespace

void fx_strangepush_free(qmFXRequest* r) {
  auto* s = static_cast<StrangePush*>(r->priv);
  if (!s) return;
  release_planes(s);
  qmos_free_bitmap(s->work);
  s->work = nullptr;
}

int32_t fx_strangepush_step(qmFXRequest* r, int32_t* done) {
  const bool columns = r->effect == 99;  // HSTRANGEPUSH slides columns, VSTRANGEPUSH rows
  const int32_t w = r->width, h = r->height, extent = columns ? w : h;
  if (r->phase == 0) {
    auto* s = static_cast<StrangePush*>(fx_priv_alloc(r, sizeof(StrangePush)));
    if (!s) return ERR_MEM;
    int32_t step = fx_step_size(r->speed, extent, 60, 30, 120);
    r->speed = step + step % 2;  // even steps keep the lines of each plane on the same rows
    if (!r->realtime) {
      s->work = fx_alloc_bitmap(w, h);
      if (!s->work) return ERR_MEM;
      if (r->oldpic) BLTBITMAP(r->oldpic, 0, 0, s->work, 0, 0, w, h);
    }
    if (int32_t err = build_planes(r, s)) return err;
    s->d = r->hide ? extent - r->speed : r->speed;
    r->frames = fx_step_count(extent - r->speed, r->speed, 0);
    return 0;
  }
  if (r->phase != 1 && r->phase != 2) return 0;
  auto* s = static_cast<StrangePush*>(r->priv);
  const int32_t step = r->speed;
  fx_layer_unhide(r);
  if (r->phase == 2) {
    const int32_t moved = distance_at(r->frame, step, extent);
    s->d = r->hide ? extent - moved : moved;
  } else if (r->frame == 0) {
    s->d = r->hide ? extent - step : step;
  }
  if (!r->hide && s->d >= extent) {
    s->d = extent;
    *done = 1;
  } else if (r->hide && s->d < 1) {
    s->d = 0;
    *done = 1;
  }
  const int32_t d = s->d;
  if (r->realtime && r->layer && r->layer->effect) {
    qmLayerEffect* e = r->layer->effect;
    if (e->mask) qmos_mask_rect_op(e->mask, 0, 0, std::min(w, e->width), std::min(h, e->height), MASKINVISIBLE);
    if (e->alpha) alpha_fill_rect(e->alpha, 0, 0, std::min(w, e->width), std::min(h, e->height), 0);
  } else if (s->work && r->oldpic && (r->mask || r->alpha)) {
    BLTBITMAP(r->oldpic, 0, 0, s->work, 0, 0, w, h);
  }
  if (columns) {
    through_plane(r, s, 0, w - d, 0, d, h, 0, 0);
    through_plane(r, s, 1, 0, 0, d, h, w - d, 0);
  } else {
    through_plane(r, s, 0, 0, h - d, w, d, 0, 0);
    through_plane(r, s, 1, 0, 0, w, d, 0, h - d);
  }
  if (s->work) fx_put_rect(r, s->work, nullptr, nullptr, 0, 0, w, h, 0, 0, 0);
  s->d = r->hide ? d - step : advance(d, step);
  if (r->phase == 1) {
    fx_refresh_frame(r);
    ++r->frame;
  }
  return 0;
}

}  // namespace qm
