// The coin flips and the crushes: two-picture effects that scale whole pictures each frame. A coin
// flip squeezes the old picture to a line over a solid colour and opens the new one from it; a
// crush pushes the new picture in while the old one is squeezed into the space left. Each frame's
// picture is scaled into the effect's scaling buffer, made at the setup, and put at its place.
#include <algorithm>
#include <cstdlib>

#include "engine/errcodes.h"
#include "fx/planes.h"
#include "fx/steps.h"
#include "gfx/scale.h"

namespace qm {

namespace {

struct Box {
  int32_t x, y, w, h;
};

// Flags of a frame's blits: the layer is refreshed once at the frame's end when it is drawn whole.
int32_t blit_flags_of(const qmFXRequest* r) {
  return r->quiet || r->full_redraw ? FXB_NOREFRESH : 0;
}

// A rectangle of the picture in one colour, visible on a layer.
void fill_box(qmFXRequest* r, const Box& b, uint32_t colour, int32_t flags) {
  if (b.w < 1 || b.h < 1) return;
  if (qmLayerEffect* e = fx_image(r))
    fx_blit_rect(nullptr, b.x, b.y, e->bitmap, e->mask, e->alpha, b.x, b.y, b.w, b.h, r->width,
                 r->height, e->width, e->height, nullptr, nullptr, r,
                 FXB_HIDE | FXB_UNHIDE | FXB_NOREFRESH | FXB_KEEPASYNC);
  fx_fill_rect(r, b.x, b.y, b.w, b.h, colour, flags);
}

// A picture scaled to the box and put there. 0, or the scaler's error.
int32_t put_scaled(qmFXRequest* r, const qmBitmap* pic, const Box& b, int32_t flags) {
  if (!pic || b.w < 1 || b.h < 1) return 0;
  qmBitmap* scaled = fx_scale_scratch(r, b.w, b.h);
  if (!scaled) return ERR_MEM;
  if (int32_t err = bitmap_draw(pic, nullptr, nullptr, 0, 0, scaled, r->width, r->height, b.w, b.h, 0, nullptr,
                                nullptr, nullptr))
    return err;
  fx_blit3(scaled, 0, 0, r->target, r->x + b.x, r->y + b.y, b.w, b.h, b.w, b.h, r->clip_width,
           r->clip_height, r->blit_flags, flags, nullptr, nullptr, nullptr, nullptr, r);
  return 0;
}

// ---- coin flips --------------------------------------------------------------------------------

struct CoinFlip {
  int32_t p;
  Box previous;  // the rectangle drawn last
};

bool across_height(int32_t effect) {
  return effect == 124 || effect == 125;
}

int32_t coin_setup(qmFXRequest* r) {
  auto* s = static_cast<CoinFlip*>(fx_priv_alloc(r, sizeof(CoinFlip)));
  if (!s || !fx_scale_scratch(r, 0, 0)) return ERR_MEM;
  const int32_t extent = across_height(r->effect) ? r->height : r->width;
  r->speed = fx_step_size(r->speed, extent, 60, 30, 120);
  if (r->parameter == FX_RANDOMPARAMETER) r->parameter = 0;
  s->p = r->speed;
  s->previous = {0, 0, r->width, r->height};
  r->frames = fx_step_count(2 * extent - r->speed, r->speed, 0);
  return 0;
}

// The picture's rectangle at size s: centred (VFLIPCOIN, HFLIPCOIN) or at the bottom or right.
Box coin_box(const qmFXRequest* r, int32_t s) {
  switch (r->effect) {
    case 124:
      return {0, (r->height - s) / 2, r->width, s};
    case 125:
      return {0, r->height - s, r->width, s};
    case 126:
      return {(r->width - s) / 2, 0, s, r->height};
    default:
      return {r->width - s, 0, s, r->height};
  }
}

// The bands of the previous rectangle that the smaller new one leaves, each a pixel into the new
// one so that the edges meet.
void coin_bands(qmFXRequest* r, const Box& prev, const Box& now, uint32_t colour, int32_t flags) {
  if (across_height(r->effect)) {
    fill_box(r, {0, prev.y, r->width, now.y - prev.y + 1}, colour, flags);
    fill_box(r, {0, now.y + now.h - 1, r->width, prev.y + prev.h - (now.y + now.h - 1)}, colour,
             flags);
  } else {
    fill_box(r, {prev.x, 0, now.x - prev.x + 1, r->height}, colour, flags);
    fill_box(r, {now.x + now.w - 1, 0, prev.x + prev.w - (now.x + now.w - 1), r->height}, colour,
             flags);
  }
}

int32_t coin_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<CoinFlip*>(r->priv);
  FxSeekQuiet quiet(r);
  fx_layer_unhide(r);
  const int32_t extent = across_height(r->effect) ? r->height : r->width;
  const uint32_t colour = uint32_t(r->parameter) & 0xFFFFFF;
  const int32_t flags = blit_flags_of(r);
  if (r->phase == 2) {
    fill_box(r, {0, 0, r->width, r->height}, colour, flags);
    s->p = r->frame * r->speed;
  } else if (r->frame == 0) {
    s->p = r->speed;
    s->previous = {0, 0, r->width, r->height};
  }
  // The last frame shows the new picture at its own size, whatever the step.
  if (int64_t(s->p) >= 2 * int64_t(extent)) {
    s->p = 2 * extent;
    *done = 1;
  }
  const Box now = coin_box(r, std::max(std::abs(extent - s->p), 1));
  const bool old = s->p <= extent;
  if (r->bgpicemu) fx_redraw_step(r, old ? 3 : 2);
  const int32_t shrinking =
      across_height(r->effect) ? s->previous.h - now.h : s->previous.w - now.w;
  if (r->phase == 1 && shrinking > 0) coin_bands(r, s->previous, now, colour, flags);
  s->previous = now;
  if (int32_t err = put_scaled(r, old ? r->oldpic : r->newpic, now, flags)) return err;
  s->p += r->speed;
  if (r->phase == 1) {
    fx_end_frame(r);
    ++r->frame;
  }
  return 0;
}

// ---- crushes -----------------------------------------------------------------------------------

struct Crush {
  int32_t p;
};

bool crush_across_width(int32_t effect) {
  return effect == 120 || effect == 121;
}

int32_t crush_setup(qmFXRequest* r) {
  auto* s = static_cast<Crush*>(fx_priv_alloc(r, sizeof(Crush)));
  if (!s || !fx_scale_scratch(r, 0, 0)) return ERR_MEM;
  const int32_t extent = crush_across_width(r->effect) ? r->width : r->height;
  r->speed = fx_step_size(r->speed, extent, 60, 30, 120);
  s->p = r->speed;
  r->frames = fx_step_count(extent - r->speed, r->speed, 0);
  return 0;
}

int32_t crush_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<Crush*>(r->priv);
  FxSeekQuiet quiet(r);
  fx_layer_unhide(r);
  const bool across_width = crush_across_width(r->effect);
  const int32_t extent = across_width ? r->width : r->height;
  if (r->phase == 2)
    s->p = r->frame * r->speed;
  else if (r->frame == 0)
    s->p = r->speed;
  int32_t fresh = s->p, old = extent - s->p;
  if (s->p >= extent) {
    fresh = extent, old = 0;
    *done = 1;
  }
  if (r->bgpicemu) fx_redraw_step(r, 3);
  // The new picture comes in from its side (LEFT, TOP: the near one), the old one fills the rest.
  const bool near = r->effect == 120 || r->effect == 122;
  Box new_box, old_box;
  if (across_width) {
    new_box = {near ? 0 : extent - fresh, 0, fresh, r->height};
    old_box = {near ? fresh : 0, 0, old, r->height};
  } else {
    new_box = {0, near ? 0 : extent - fresh, r->width, fresh};
    old_box = {0, near ? fresh : 0, r->width, old};
  }
  const int32_t flags = blit_flags_of(r);
  if (int32_t err = put_scaled(r, r->newpic, new_box, flags)) return err;
  if (old > 0)
    if (int32_t err = put_scaled(r, r->oldpic, old_box, flags)) return err;
  s->p += r->speed;
  if (r->phase == 1) {
    fx_end_frame(r);
    ++r->frame;
  }
  return 0;
}

}  // namespace

int32_t fx_coinflip(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? coin_setup(r) : coin_frame(r, done);
}

int32_t fx_crush(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? crush_setup(r) : crush_frame(r, done);
}

}  // namespace qm
