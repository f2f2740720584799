// DISSOLVE, STRUDEL and the pixel zooms: effects that change the picture pixel by pixel. DISSOLVE
// reveals it in the order of a random map, STRUDEL twists it in with a growing swirl while its
// opacity rises, PIXELZOOM1 and PIXELZOOM2 sharpen it from large blocks. Each frame redraws the
// whole picture from the frame's number alone, so a seek draws its frame at once.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/errcodes.h"
#include "fx/planes.h"
#include "fx/steps.h"
#include "gfx/blitpixels.h"
#include "gfx/effects.h"
#include "gfx/gfxmath.h"
#include "gfx/pixelops.h"
#include "runtime/random.h"

namespace qm {

namespace {

// The step of a speed code from a family's three steps; another speed stands, limited to lo..hi.
int32_t coded_step(int32_t speed, int32_t normal, int32_t fast, int32_t slow, int32_t lo,
                   int32_t hi) {
  if (speed == -1) return normal;
  if (speed == -2) return fast;
  if (speed == -3) return slow;
  return std::clamp(speed, lo, hi);
}

// ---- DISSOLVE ----------------------------------------------------------------------------------

struct Dissolve {
  FxWork work;  // direct: the composition, and the visibility the threshold selects
  qmAlphaChannel*
      source;    // realtime: the visibility selected from when the layer has no alpha of its own
  uint8_t* map;  // one random byte 0..254 per pixel
  int32_t threshold;
};

void dissolve_free(qmFXRequest* r) {
  auto* s = static_cast<Dissolve*>(r->priv);
  fx_work_free(s->work);
  qmos_free_alpha(s->source);
  std::free(s->map);
}

int32_t dissolve_setup(qmFXRequest* r) {
  auto* s = static_cast<Dissolve*>(fx_priv_alloc(r, sizeof(Dissolve)));
  if (!s) return ERR_MEM;
  r->speed = coded_step(r->speed, 4, 8, 2, 1, 8);
  const size_t pixels = size_t(r->width) * size_t(r->height);
  s->map = fx_alloc_array<uint8_t>(pixels);
  if (!s->map) return ERR_MEM;
  random_fill_bytes(s->map, pixels, 255);
  if (qmLayerEffect* e = fx_image(r)) {
    if (e->alpha && !r->alpha) {
      if (!(s->source = fx_alloc_alpha(r->width, r->height, 1))) return ERR_MEM;
      fx_alpha_from_source(s->source, r->mask, nullptr, r->width, r->height);
    }
  } else if (!r->realtime && !fx_work_alloc(r, s->work, true, !r->alpha, r->alpha != nullptr)) {
    return ERR_MEM;
  }
  r->frames = fx_step_count(256, r->speed, 1);
  return 0;
}

bool covers(const qmBitmap* b, int32_t w, int32_t h) {
  return b && b->width >= w && b->height >= h;
}

// The visibility of threshold t: a pixel whose map value is below t shows (a hide: is gone).
void dissolve_select(qmFXRequest* r, Dissolve* s, qmMask* dest_mask, qmAlphaChannel* dest_alpha,
                     const qmAlphaChannel* source_alpha, bool invert) {
  qmSelectRequest q{};
  q.width = r->width, q.height = r->height;
  q.map = s->map;
  q.invert = invert ? 1 : 0;
  if (dest_alpha) {
    q.source = source_alpha->data, q.source_bpr = source_alpha->bytes_per_row;
    q.dest = dest_alpha->data, q.dest_bpr = dest_alpha->bytes_per_row;
    q.eight_bit = 1;
  } else {
    if (r->mask) q.source = r->mask->data, q.source_bpr = r->mask->bytes_per_row;
    q.dest = dest_mask->data, q.dest_bpr = dest_mask->bytes_per_row;
  }
  alpha_threshold_select(q, s->threshold);
}

int32_t dissolve_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<Dissolve*>(r->priv);
  FxSeekQuiet quiet(r);
  fx_layer_unhide(r);
  qmLayerEffect* e = fx_image(r);
  const int32_t w = r->width, h = r->height;
  if (r->phase == 2) {
    s->threshold = r->frame * r->speed;
    if (e)
      BLTBITMAP(r->newpic, 0, 0, e->bitmap, 0, 0, std::min(w, e->width), std::min(h, e->height));
  } else {
    if (r->frame == 0) s->threshold = 0;
    s->threshold += r->speed;
  }
  const bool last = s->threshold >= 256;
  if (e && (e->mask || e->alpha)) {
    const bool hiding = fx_hiding(r);
    if (!last) {
      dissolve_select(r, s, e->mask, e->alpha, r->alpha ? r->alpha : s->source, hiding);
    } else {
      // The end: the layer's own visibility, or none at all.
      fx_blit_rect(r->newpic, 0, 0, e->bitmap, e->mask, e->alpha, 0, 0, w, h, w, h, e->width,
                   e->height, r->mask, r->alpha, r, FXB_NOREFRESH | (hiding ? FXB_HIDE : 0));
    }
  } else if (!r->realtime) {
    if (!last && !r->alpha && covers(r->newpic, w, h) && covers(r->oldpic, w, h) &&
        covers(s->work.bitmap, w, h)) {
      // The old picture with the selected pixels of the new one, composed in one pass.
      const Plane32 fresh = plane_of(r->newpic), old = plane_of(r->oldpic),
                    work = plane_of(s->work.bitmap);
      qmPickRequest q{};
      q.fresh = fresh.p, q.fresh_ppr = fresh.ppr;
      q.old = old.p, q.old_ppr = old.ppr;
      q.dest = work.p, q.dest_ppr = work.ppr;
      q.map = s->map;
      if (r->mask) q.mask = r->mask->data, q.mask_bpr = r->mask->bytes_per_row;
      q.width = w, q.height = h;
      pixels_threshold_pick(q, s->threshold);
      fx_blit3_at(r, s->work.bitmap, 0, 0, w, h, nullptr, nullptr, nullptr, 0);
    } else if (!last) {
      dissolve_select(r, s, s->work.mask, s->work.alpha, r->alpha, false);
      fx_blit3_at(r, r->newpic, 0, 0, w, h, s->work.mask, s->work.alpha, s->work.bitmap, 0);
    } else {
      fx_blit3_at(r, r->newpic, 0, 0, w, h, r->mask, r->alpha, s->work.bitmap, 0);
    }
  }
  if (last) *done = 1;
  if (r->phase == 1) {
    fx_refresh_frame(r);
    ++r->frame;
  }
  return 0;
}

// ---- STRUDEL -----------------------------------------------------------------------------------

struct Strudel {
  FxWork work;     // direct: the twisted picture; realtime: the picture's visibility (alpha)
  double* tables;  // sines and cosines, kEffectTableSize each
  int32_t angle;
};

void strudel_free(qmFXRequest* r) {
  auto* s = static_cast<Strudel*>(r->priv);
  fx_work_free(s->work);
  std::free(s->tables);
}

int32_t strudel_setup(qmFXRequest* r) {
  auto* s = static_cast<Strudel*>(fx_priv_alloc(r, sizeof(Strudel)));
  if (!s) return ERR_MEM;
  r->speed = coded_step(r->speed, 8, 16, 4, 2, 16);
  if (!(s->tables = fx_alloc_array<double>(2 * size_t(kEffectTableSize)))) return ERR_MEM;
  swirl_setup(s->tables, s->tables + kEffectTableSize);
  if (r->realtime) {
    if (!fx_work_alloc(r, s->work, false, false, true)) return ERR_MEM;
    fx_alpha_from_source(s->work.alpha, r->mask, r->alpha, r->width, r->height);
  } else if (!fx_work_alloc(r, s->work, true, false, false)) {
    return ERR_MEM;
  }
  r->frames = fx_step_count(720, r->speed, 1);
  return 0;
}

int32_t strudel_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<Strudel*>(r->priv);
  FxSeekQuiet quiet(r);
  fx_layer_unhide(r);
  if (r->phase == 2) {
    s->angle = r->frame * r->speed;
  } else {
    if (r->frame == 0) s->angle = 0;
    s->angle += r->speed;
  }
  const int32_t angle = std::min(s->angle, 720);
  const int32_t level = angle * 255 / 720;
  r->level = r->hide ? 255 - level : level;
  qmLayerEffect* e = fx_image(r);
  const int32_t w = r->width, h = r->height;
  const Plane32 source = plane_of(r->newpic);
  if (angle < 720) {
    qmSwirl sw{};
    sw.source = source.p, sw.source_ppr = source.ppr;
    sw.width = w, sw.height = h;
    sw.sines = s->tables, sw.cosines = s->tables + kEffectTableSize;
    if (e && e->alpha) {
      const Plane32 target = plane_of(e->bitmap);
      sw.target = target.p, sw.target_ppr = target.ppr;
      sw.source_alpha = s->work.alpha->data, sw.source_alpha_bpr = s->work.alpha->bytes_per_row;
      sw.target_alpha = e->alpha->data, sw.target_alpha_bpr = e->alpha->bytes_per_row;
      swirl_render(sw, angle);
    } else if (!r->realtime) {
      const Plane32 target = plane_of(s->work.bitmap);
      sw.target = target.p, sw.target_ppr = target.ppr;
      swirl_render(sw, angle);
      fx_mix_over_old(r, s->work.bitmap, level);
    }
  } else {
    *done = 1;
    fx_alpha_rest(r, s->work.alpha, s->work.bitmap);
  }
  if (r->phase == 1) {
    fx_refresh_frame(r);
    ++r->frame;
  }
  return 0;
}

// ---- PIXELZOOM1, PIXELZOOM2
// ------------------------------------------------------------------------

struct PixelZoom {
  FxWork blocks;         // the picture in blocks, with its mask or alpha in blocks
  qmBitmap* composed;    // direct, a picture with a mask or alpha: the blocks over the old picture
  int32_t frames_shown;  // 25 (PIXELZOOM1, hides) or 49 (PIXELZOOM2 between two pictures)
};

void pixelzoom_free(qmFXRequest* r) {
  auto* s = static_cast<PixelZoom*>(r->priv);
  fx_work_free(s->blocks);
  qmos_free_bitmap(s->composed);
}

int32_t pixelzoom_setup(qmFXRequest* r) {
  auto* s = static_cast<PixelZoom*>(fx_priv_alloc(r, sizeof(PixelZoom)));
  if (!s) return ERR_MEM;
  // A realtime layer without its emulated picture has no old picture to zoom out of.
  const bool two = r->effect == 133 && !fx_hiding(r) && (!r->realtime || r->bgpicemu);
  s->frames_shown = two ? 49 : 25;
  if (!fx_work_alloc(r, s->blocks, true, r->mask != nullptr, !r->mask && r->alpha)) return ERR_MEM;
  if (!r->realtime && (r->mask || r->alpha) &&
      !(s->composed = fx_alloc_work_bitmap(r->width, r->height)))
    return ERR_MEM;
  r->frames = fx_step_count(s->frames_shown, 1, 1);
  return 0;
}

// The picture in blocks of b x b into the work planes (the old picture has no planes).
void pixelate(const qmBitmap* pic, const qmMask* mask, const qmAlphaChannel* alpha, FxWork& out,
              int32_t w, int32_t h, int32_t b) {
  const Plane32 src = plane_of(pic), dst = plane_of(out.bitmap);
  qmPixelateRequest q{};
  q.source = src.p, q.source_ppr = src.ppr;
  q.dest = dst.p, q.dest_ppr = dst.ppr;
  if (mask) q.source_mask = mask->data, q.source_mask_bpr = mask->bytes_per_row;
  if (alpha) q.source_alpha = alpha->data, q.source_alpha_bpr = alpha->bytes_per_row;
  if (mask && out.mask) q.dest_mask = out.mask->data, q.dest_mask_bpr = out.mask->bytes_per_row;
  if (alpha && out.alpha)
    q.dest_alpha = out.alpha->data, q.dest_alpha_bpr = out.alpha->bytes_per_row;
  q.width = w, q.height = h;
  q.block = b;
  pixels_pixelate(q);
}

int32_t pixelzoom_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<PixelZoom*>(r->priv);
  FxSeekQuiet quiet(r);
  fx_layer_unhide(r);
  qmLayerEffect* e = fx_image(r);
  const int32_t w = r->width, h = r->height, last = s->frames_shown;
  const bool hiding = fx_hiding(r);
  // Frame n shows the state after n frames; the last frame of a show draws nothing new.
  int32_t n = r->phase == 2 ? r->frame : r->frame + 1;
  if (n >= last) *done = 1;
  if (!hiding && n >= last) n = r->phase == 2 ? last - 1 : 0;
  bool old = false, cleared = false;
  int32_t b = 0;
  if (n == 0) {
    cleared = r->phase == 2;  // a seek to the start shows what the effect starts from
  } else if (hiding) {
    b = n + 1;
    cleared = n >= last;
  } else if (last == 49 && n <= 23) {
    old = true, b = n + 1;
  } else {
    b = last - n;
  }
  if (r->bgpicemu && r->effect == 133) fx_redraw_step(r, old ? 3 : 2);
  const qmBitmap* pic = old ? r->oldpic : r->newpic;
  const qmMask* mask = old ? nullptr : r->mask;
  const qmAlphaChannel* alpha = old ? nullptr : r->alpha;
  // A realtime frame refreshes the rectangle it draws: a picture without mask or alpha then goes
  // straight to the screen instead of being recomposed with what lies under it.
  const int32_t refresh = r->quiet || r->full_redraw ? FXB_NOREFRESH : 0;
  if (cleared) {
    // Nothing of the picture: the start of a show, the end of a hide.
    const bool start_of_hide = hiding && n == 0;
    if (e) {
      fx_blit_rect(r->newpic, 0, 0, e->bitmap, e->mask, e->alpha, 0, 0, w, h, w, h, e->width,
                   e->height, r->mask, r->alpha, r, refresh | (start_of_hide ? 0 : FXB_HIDE));
    } else if (!r->realtime) {
      fx_blit3_at(r, start_of_hide ? r->newpic : r->oldpic, 0, 0, w, h, nullptr, nullptr, nullptr,
                  0);
    }
  } else if (b > 1 && pic && e && !mask && !alpha && e->width >= w && e->height >= h) {
    // A plain picture's blocks go straight into the effect image, which they cover whole.
    FxWork image;
    image.bitmap = e->bitmap;
    pixelate(pic, nullptr, nullptr, image, w, h, b);
    fx_blit_rect(nullptr, 0, 0, e->bitmap, e->mask, e->alpha, 0, 0, w, h, w, h, e->width, e->height,
                 nullptr, nullptr, r, FXB_NOREFRESH);
    if (!(refresh & FXB_NOREFRESH))
      fx_refresh_layer_rect(r, e->bitmap, 0, 0, r->x, r->y, w, h, e->width, e->height, nullptr,
                            nullptr, 0);
  } else if (b >= 1 && pic) {
    const qmBitmap* out = pic;
    const qmMask* out_mask = mask;
    const qmAlphaChannel* out_alpha = alpha;
    if (b > 1) {
      pixelate(pic, mask, alpha, s->blocks, w, h, b);
      out = s->blocks.bitmap;
      out_mask = mask ? s->blocks.mask : nullptr;
      out_alpha = alpha ? s->blocks.alpha : nullptr;
    }
    if (e) {
      fx_blit_rect(out, 0, 0, e->bitmap, e->mask, e->alpha, 0, 0, w, h, w, h, e->width, e->height,
                   out_mask, out_alpha, r, refresh);
    } else if (!r->realtime) {
      fx_blit3_at(r, out, 0, 0, w, h, out_mask, out_alpha, s->composed, 0);
    }
  }
  if (r->phase == 1) {
    fx_end_frame(r);
    ++r->frame;
  }
  return 0;
}

}  // namespace

int32_t fx_dissolve(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? dissolve_setup(r) : dissolve_frame(r, done);
}

int32_t fx_strudel(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? strudel_setup(r) : strudel_frame(r, done);
}

int32_t fx_pixelzoom(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? pixelzoom_setup(r) : pixelzoom_frame(r, done);
}

void fx_dissolve_free(qmFXRequest* r) {
  dissolve_free(r);
}
void fx_strudel_free(qmFXRequest* r) {
  strudel_free(r);
}
void fx_pixelzoom_free(qmFXRequest* r) {
  pixelzoom_free(r);
}

}  // namespace qm
