// ROLLTOP, ROLLLEFT, WALLPAPERTOP and WALLPAPERLEFT: the new picture unrolls like a scroll of paper
// from the top or the left edge. What is unrolled lies flat; a band in front of it shows the rest
// of the picture wrapped round a cylinder (thin for the rolls, thick for the wallpapers), drawn by
// the graphics core's wave. A hide rolls the picture up again from its far edge.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/errcodes.h"
#include "fx/planes.h"
#include "fx/steps.h"
#include "gfx/blitpixels.h"
#include "gfx/pixelops.h"

namespace qm {

namespace {

struct Roll {
  FxWork band;         // the band's pixels and the visibility its lines carry
  qmBitmap* composed;  // direct: the band or the flat part over the old picture
  qmMask* whole;       // a picture without mask or alpha is visible everywhere
  double* angles;      // n entries, from pi down towards 0 across the roll
  int32_t n;
  int32_t position;  // P: the band ends at line P
  int32_t flat;      // a show: the lines below it lie flat
  int32_t gone;      // a hide: the lines from it on are rolled away
  bool onto_old;     // direct without alpha: the wave lands in the composition itself
};

// A realtime run whose effect image has the picture's size and its kind of visibility: the band
// is drawn straight into it.
qmLayerEffect* band_image(const qmFXRequest* r) {
  qmLayerEffect* e = fx_image(r);
  if (!e || e->width < r->width || e->height < r->height || (r->alpha ? !e->alpha : !e->mask))
    return nullptr;
  return e;
}

bool along_width(int32_t effect) {
  return effect == 85 || effect == 87;
}
int32_t extent_of(const qmFXRequest* r) {
  return along_width(r->effect) ? r->width : r->height;
}

void roll_free(qmFXRequest* r) {
  auto* s = static_cast<Roll*>(r->priv);
  fx_work_free(s->band);
  qmos_free_bitmap(s->composed);
  qmos_free_mask(s->whole);
  std::free(s->angles);
}

int32_t roll_setup(qmFXRequest* r) {
  auto* s = static_cast<Roll*>(fx_priv_alloc(r, sizeof(Roll)));
  if (!s) return ERR_MEM;
  const int32_t extent = extent_of(r);
  const int32_t size = r->effect <= 85 ? extent / 12 : extent / 2;
  s->n = std::max(size, 20);
  if (!(s->angles = fx_alloc_array<double>(size_t(s->n)))) return ERR_MEM;
  for (int32_t i = 0; i < s->n; ++i)
    s->angles[i] = std::asin(1.0 - 2.0 * i / s->n) + 1.5707963267948966;
  const int32_t speed = r->speed;
  r->speed = speed == -2 ? 5 : speed == -1 ? 2 : speed == -3 ? 1 : std::clamp(speed / 5, 1, 8);
  s->onto_old = !r->realtime && !r->alpha && r->oldpic && r->oldpic->width >= r->width &&
                r->oldpic->height >= r->height;
  if (!s->onto_old) {
    if (!band_image(r) && !fx_work_alloc(r, s->band, true, !r->alpha, r->alpha != nullptr))
      return ERR_MEM;
    if (!r->mask && !r->alpha) {
      if (!(s->whole = fx_alloc_mask(r->width, r->height, 1))) return ERR_MEM;
      qmos_mask_rect_op(s->whole, 0, 0, r->width, r->height, MASKVISIBLE);
    }
  }
  if (!r->realtime && !(s->composed = fx_alloc_work_bitmap(r->width, r->height))) return ERR_MEM;
  r->frames = fx_step_count(extent, r->speed, 1);
  return 0;
}

// The lines [from, to) of the picture as a rectangle.
struct Lines {
  int32_t x, y, w, h;
};
Lines lines(const qmFXRequest* r, int32_t from, int32_t to) {
  from = std::max(from, 0), to = std::min(to, extent_of(r));
  if (to <= from) return {0, 0, 0, 0};
  if (along_width(r->effect)) return {from, 0, to - from, r->height};
  return {0, from, r->width, to - from};
}

int32_t blit_flags_of(const qmFXRequest* r) {
  return r->quiet || r->full_redraw ? FXB_NOREFRESH : 0;
}

// The new picture flat at its own place, through its own mask or alpha.
void put_flat(qmFXRequest* r, Roll* s, const Lines& l) {
  if (l.w > 0)
    fx_blit3_at(r, r->newpic, l.x, l.y, l.w, l.h, r->mask, r->alpha, s->composed, blit_flags_of(r));
}

// Lines that the picture no longer covers (a hide).
void put_gone(qmFXRequest* r, const Lines& l) {
  qmLayerEffect* e = fx_image(r);
  if (!e || l.w < 1) return;
  fx_blit_rect(r->newpic, l.x, l.y, e->bitmap, e->mask, e->alpha, l.x, l.y, l.w, l.h, r->width,
               r->height, e->width, e->height, nullptr, nullptr, r, FXB_HIDE | blit_flags_of(r));
}

// The band in front of the flat part: lines P - n + 1 .. P show the picture beyond P round the
// roll; a line the wave does not reach shows what lies under the picture.
void put_band(qmFXRequest* r, Roll* s) {
  const Lines l = lines(r, s->position - s->n + 1, s->position + 1);
  if (l.w < 1) return;
  qmWaveRecord w{};
  w.offsets = s->angles, w.n = s->n;
  w.width = r->width, w.height = r->height;
  w.columns = along_width(r->effect) ? 1 : 0;
  w.position = s->position;
  w.bytes_per_pixel = 4;
  const Plane32 src = plane_of(r->newpic);
  w.source = src.p, w.source_ppr = src.ppr;
  if (s->onto_old) {
    // Direct, through a mask: the wave lands on the old picture in the composition itself, which
    // is what the band drawn and then copied through its mask would give, one pass the less.
    BLTBITMAP(r->oldpic, l.x, l.y, s->composed, l.x, l.y, l.w, l.h);
    const Plane32 dst = plane_of(s->composed);
    w.dest = dst.p, w.dest_ppr = dst.ppr;
    if (r->mask) w.source_mask = r->mask->data, w.source_mask_bpr = r->mask->bytes_per_row;
    wave_render(w);
    fx_blit3_at(r, s->composed, l.x, l.y, l.w, l.h, nullptr, nullptr, nullptr, blit_flags_of(r));
    return;
  }
  if (qmLayerEffect* e = band_image(r)) {
    // The band's lines lose their visibility, the wave gives it back where it lands; the async
    // copy shows the band as a drawn rectangle would.
    if (e->alpha)
      alpha_fill_rect(e->alpha, l.x, l.y, l.w, l.h, 0);
    else
      qmos_mask_rect_op(e->mask, l.x, l.y, l.w, l.h, MASKINVISIBLE);
    if (r->async_alpha)
      alpha_fill_rect(r->async_alpha, l.x, l.y, l.w, l.h, 255);
    else if (r->async_mask)
      qmos_mask_rect_op(r->async_mask, l.x, l.y, l.w, l.h, MASKVISIBLE);
    const Plane32 dst = plane_of(e->bitmap);
    w.dest = dst.p, w.dest_ppr = dst.ppr;
    if (e->alpha) {
      w.source_alpha = r->alpha->data, w.source_alpha_bpr = r->alpha->bytes_per_row;
      w.dest_alpha = e->alpha->data, w.dest_alpha_bpr = e->alpha->bytes_per_row;
    } else {
      const qmMask* visible = r->mask ? r->mask : s->whole;
      w.source_mask = visible->data, w.source_mask_bpr = visible->bytes_per_row;
      w.dest_mask = e->mask->data, w.dest_mask_bpr = e->mask->bytes_per_row;
    }
    wave_render(w);
    if (!(blit_flags_of(r) & FXB_NOREFRESH))
      fx_refresh_layer_rect(r, e->bitmap, l.x, l.y, r->x + l.x, r->y + l.y, l.w, l.h, e->width,
                            e->height, e->mask, e->alpha, 0);
    return;
  }
  FxWork& b = s->band;
  if (!b.bitmap) return;  // the layer went after the setup
  if (b.mask)
    qmos_mask_rect_op(b.mask, l.x, l.y, l.w, l.h, MASKINVISIBLE);
  else
    alpha_fill_rect(b.alpha, l.x, l.y, l.w, l.h, 0);
  const Plane32 dst = plane_of(b.bitmap);
  w.dest = dst.p, w.dest_ppr = dst.ppr;
  if (b.mask) {
    const qmMask* visible = r->mask ? r->mask : s->whole;
    w.source_mask = visible->data, w.source_mask_bpr = visible->bytes_per_row;
    w.dest_mask = b.mask->data, w.dest_mask_bpr = b.mask->bytes_per_row;
  } else {
    w.source_alpha = r->alpha->data, w.source_alpha_bpr = r->alpha->bytes_per_row;
    w.dest_alpha = b.alpha->data, w.dest_alpha_bpr = b.alpha->bytes_per_row;
  }
  wave_render(w);
  fx_blit3_at(r, b.bitmap, l.x, l.y, l.w, l.h, b.mask, b.alpha, s->composed, blit_flags_of(r));
}

int32_t roll_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<Roll*>(r->priv);
  FxSeekQuiet quiet(r);
  fx_layer_unhide(r);
  const int32_t extent = extent_of(r), w = r->width, h = r->height;
  const bool hiding = fx_hiding(r);
  qmLayerEffect* e = fx_image(r);
  if (r->phase == 2 || r->frame == 0) {
    s->flat = 0, s->gone = extent;
    s->position = hiding ? extent : 0;
  }
  if (r->phase == 2) {
    // The start state, then this frame's state drawn at once.
    if (e)
      fx_blit_rect(r->newpic, 0, 0, e->bitmap, e->mask, e->alpha, 0, 0, w, h, w, h, e->width,
                   e->height, hiding ? r->mask : nullptr, hiding ? r->alpha : nullptr, r,
                   FXB_NOREFRESH | (hiding ? 0 : FXB_HIDE));
    else if (!r->realtime)
      fx_blit3_at(r, r->oldpic, 0, 0, w, h, nullptr, nullptr, nullptr, 0);
    const int64_t moved = int64_t(r->frame) * r->speed;
    s->position = int32_t(
        std::clamp<int64_t>(hiding ? extent - moved : moved, -1, int64_t(extent) + r->speed));
  } else {
    s->position += hiding ? -r->speed : r->speed;
  }
  if (!hiding && s->position >= extent) {
    put_flat(r, s, lines(r, s->flat, extent));
    s->flat = extent;
    *done = 1;
  } else if (hiding && s->position <= 0) {
    put_gone(r, lines(r, 0, s->gone));
    s->gone = 0;
    *done = 1;
  } else {
    const int32_t edge = std::clamp(s->position - s->n + 1, 0, extent);
    if (hiding) {
      put_gone(r, lines(r, s->position + 1, s->gone));
      s->gone = std::min(s->gone, std::max(s->position + 1, 0));
    } else if (edge > s->flat) {
      put_flat(r, s, lines(r, s->flat, edge));
      s->flat = edge;
    }
    put_band(r, s);
  }
  if (r->phase == 1) {
    fx_end_frame(r);
    ++r->frame;
  }
  return 0;
}

}  // namespace

int32_t fx_roll(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? roll_setup(r) : roll_frame(r, done);
}
void fx_roll_free(qmFXRequest* r) {
  roll_free(r);
}

}  // namespace qm
