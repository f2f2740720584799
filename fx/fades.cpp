// The alpha effects FADE, BLEND, WATER1 to WATER4 and CROSSFADE. FADE fades the old picture to a
// colour and the new one up from it, BLEND washes the new picture through a colour, the water
// effects bring it in through a ripple that calms, CROSSFADE mixes old into new. Each sets the
// request's level (0..255), with which a realtime layer's border and shadow fade.
#include <algorithm>
#include <cstdlib>

#include "engine/errcodes.h"
#include "fx/planes.h"
#include "fx/steps.h"
#include "gfx/blitpixels.h"
#include "gfx/effects.h"
#include "gfx/gfxmath.h"
#include "runtime/random.h"

namespace qm {

namespace {

constexpr int32_t FX_FADE = 116;

// FADE, BLEND and CROSSFADE: 20, 10 or 5 a frame for the codes, a positive speed as it is,
// anything else 10; at most `most`.
int32_t level_step(int32_t speed, int32_t most) {
  const int32_t step = speed == -2   ? 20
                       : speed == -1 ? 10
                       : speed == -3 ? 5
                       : speed > 0   ? speed
                                     : 10;
  return std::min(step, most);
}

// The picture's visibility as an alpha plane: from its mask or alpha, else 255.
qmAlphaChannel* visibility_of(const qmFXRequest* r) {
  qmAlphaChannel* a = fx_alloc_alpha(r->width, r->height, 1);
  if (a) fx_alpha_from_source(a, r->mask, r->alpha, r->width, r->height);
  return a;
}

// ---- FADE, BLEND -------------------------------------------------------------------------------

struct Fade {
  FxWork under, tinted;     // direct: the composition and the tinted picture
  qmAlphaChannel* visible;  // realtime: the picture's visibility
  int32_t level;            // L: 0..255 towards the colour, 256..511 back from it
  uint32_t colour;
};

void fade_free(qmFXRequest* r) {
  auto* s = static_cast<Fade*>(r->priv);
  fx_work_free(s->under);
  fx_work_free(s->tinted);
  qmos_free_alpha(s->visible);
}

int32_t fade_setup(qmFXRequest* r) {
  auto* s = static_cast<Fade*>(fx_priv_alloc(r, sizeof(Fade)));
  if (!s) return ERR_MEM;
  r->speed = level_step(r->speed, 255);
  // A random colour is drawn once: a rebuild keeps it.
  if (r->parameter == FX_RANDOMPARAMETER) r->parameter = random_next() & 0xFFFFFF;
  s->colour = uint32_t(r->parameter) & 0xFFFFFF;
  if (qmLayerEffect* e = fx_image(r)) {
    if (!(s->visible = visibility_of(r))) return ERR_MEM;
    if (r->effect == FX_FADE && !fx_hiding(r))
      qmos_fill_bitmap_rect(e->bitmap, 0, 0, e->width, e->height, s->colour);
    else
      fx_copy_alpha(s->visible, e);
  } else if (!r->realtime && !(fx_work_alloc(r, s->under, true, false, false) &&
                               fx_work_alloc(r, s->tinted, true, false, false))) {
    return ERR_MEM;
  }
  r->frames = fx_step_count(511 - r->speed, r->speed, 0);
  return 0;
}

// The tint of level L: up to the colour in the first half, back in the second.
int32_t tint_of(int32_t level) {
  return level < 256 ? level : 255 - level % 256;
}

int32_t fade_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<Fade*>(r->priv);
  FxSeekQuiet quiet(r);
  fx_layer_unhide(r);
  if (r->phase == 2)
    s->level = r->frame * r->speed;
  else if (r->frame == 0)
    s->level = r->speed;
  if (s->level >= 511) {
    s->level = 511;
    *done = 1;
  }
  const int32_t L = s->level, T = L >= 511 ? 0 : tint_of(L);
  const bool fade = r->effect == FX_FADE;
  const int32_t w = r->width, h = r->height;
  if (qmLayerEffect* e = fx_image(r)) {
    const bool hiding = fx_hiding(r);
    if ((fade && !hiding && L < 256) || (hiding && L >= 257)) {
      // The colour (a show) or the tinted picture (a hide) at the picture's visibility times T.
      if (r->phase == 2) {
        if (!hiding) {
          qmos_fill_bitmap_rect(e->bitmap, 0, 0, e->width, e->height, s->colour);
        } else {
          // What the first half left: the picture at the last tint it reached.
          const int32_t reached = 256 / r->speed * r->speed;
          fx_copy_picture(r->newpic, e);
          bitmap_tint(e->bitmap, 0, 0, w, h, s->colour, tint_of(reached));
        }
      }
      alpha_scale_intensity(s->visible, e->alpha, std::min(h, e->height), T);
      r->level = T;
    } else {
      fx_copy_picture(r->newpic, e);
      if (T > 0) bitmap_tint(e->bitmap, 0, 0, w, h, s->colour, T);
      fx_copy_alpha(s->visible, e);
      r->level = 255;
    }
  } else if (!r->realtime) {
    // The old picture until the colour is reached, then the new one, tinted, over the old one.
    const qmBitmap* source = fade && L <= 255 ? r->oldpic : r->newpic;
    if (source) {
      BLTBITMAP(source, 0, 0, s->tinted.bitmap, 0, 0, w, h);
      if (T > 0) bitmap_tint(s->tinted.bitmap, 0, 0, w, h, s->colour, T);
      fx_blit3_at(r, s->tinted.bitmap, 0, 0, w, h, r->mask, r->alpha, s->under.bitmap, 0);
    }
    r->level = T;
  }
  s->level += r->speed;
  if (r->phase == 1) {
    fx_refresh_frame(r);
    ++r->frame;
  }
  return 0;
}

// ---- WATER1 .. WATER4
// ----------------------------------------------------------------------------

struct Water {
  FxWork work;              // direct: the rippled picture
  qmAlphaChannel* visible;  // realtime: the picture's visibility
  qmRippleRender ripple;
  int32_t t;
};

void water_free(qmFXRequest* r) {
  auto* s = static_cast<Water*>(r->priv);
  fx_work_free(s->work);
  qmos_free_alpha(s->visible);
  std::free(s->ripple.ripple.distances);
  std::free(s->ripple.ripple.sines);
}

int32_t water_setup(qmFXRequest* r) {
  auto* s = static_cast<Water*>(fx_priv_alloc(r, sizeof(Water)));
  if (!s) return ERR_MEM;
  const int32_t speed = r->speed;
  const int32_t duration = speed == -2   ? 10
                           : speed == -1 ? 25
                           : speed == -3 ? 50
                                         : std::clamp(speed, 5, 100);
  r->speed = duration;
  static constexpr double kWaveLength[] = {32.0, 64.0, 16.0, 8.0};
  qmRipple& rp = s->ripple.ripple;
  rp.wave_length = kWaveLength[std::clamp(r->effect - 134, 0, 3)];
  rp.width = r->width, rp.height = r->height;
  rp.centre_x = r->width / 2, rp.centre_y = r->height / 2;
  rp.radius = std::max(rp.centre_x, rp.centre_y);
  rp.distances = fx_alloc_array<int32_t>(size_t(r->width) * size_t(r->height));
  rp.sines = fx_alloc_array<double>(kEffectTableSize);
  if (!rp.distances || !rp.sines) return ERR_MEM;
  ripple_setup(rp);
  s->ripple.damping = 0.05;
  s->ripple.duration = duration;
  const Plane32 source = plane_of(r->newpic);
  s->ripple.source = source.p, s->ripple.source_ppr = source.ppr;
  if (qmLayerEffect* e = fx_image(r)) {
    if (!(s->visible = visibility_of(r))) return ERR_MEM;
    fx_copy_alpha(s->visible, e);
  } else if (!r->realtime && !fx_work_alloc(r, s->work, true, false, false)) {
    return ERR_MEM;
  }
  r->frames = fx_step_count(2 * duration, 1, 1);
  return 0;
}

int32_t water_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<Water*>(r->priv);
  FxSeekQuiet quiet(r);
  fx_layer_unhide(r);
  if (r->phase == 2)
    s->t = r->frame;
  else
    s->t = r->frame == 0 ? 1 : s->t + 1;
  const int32_t end = 2 * s->ripple.duration, t = std::min(s->t, end);
  const int32_t level = t * 255 / end;
  r->level = r->hide ? 255 - level : level;
  qmLayerEffect* e = fx_image(r);
  if (t < end) {
    if (e && e->alpha) {
      const Plane32 target = plane_of(e->bitmap);
      s->ripple.target = target.p, s->ripple.target_ppr = target.ppr;
      s->ripple.source_alpha = s->visible->data,
      s->ripple.source_alpha_bpr = s->visible->bytes_per_row;
      s->ripple.target_alpha = e->alpha->data, s->ripple.target_alpha_bpr = e->alpha->bytes_per_row;
      ripple_render(s->ripple, t);
    } else if (!r->realtime) {
      const Plane32 target = plane_of(s->work.bitmap);
      s->ripple.target = target.p, s->ripple.target_ppr = target.ppr;
      s->ripple.source_alpha = nullptr, s->ripple.target_alpha = nullptr;
      ripple_render(s->ripple, t);
      fx_mix_over_old(r, s->work.bitmap, level);
    }
  } else {
    *done = 1;
    fx_alpha_rest(r, s->visible, s->work.bitmap);
  }
  if (r->phase == 1) {
    fx_refresh_frame(r);
    ++r->frame;
  }
  return 0;
}

// ---- CROSSFADE
// -----------------------------------------------------------------------------------

struct Crossfade {
  FxWork work;              // direct: new over old, then mixed
  qmAlphaChannel* visible;  // realtime: the picture's visibility
  int32_t level;
};

void crossfade_free(qmFXRequest* r) {
  auto* s = static_cast<Crossfade*>(r->priv);
  fx_work_free(s->work);
  qmos_free_alpha(s->visible);
}

// The layer path that accelerated drawing could take needs capability 2, which this platform
// never offers: every CROSSFADE draws through the general path below.
int32_t crossfade_setup(qmFXRequest* r) {
  auto* s = static_cast<Crossfade*>(fx_priv_alloc(r, sizeof(Crossfade)));
  if (!s) return ERR_MEM;
  r->speed = level_step(r->speed, 120);
  if (r->realtime) {
    if (!(s->visible = visibility_of(r))) return ERR_MEM;
  } else if (!fx_work_alloc(r, s->work, true, false, false)) {
    return ERR_MEM;
  }
  r->frames = fx_step_count(255, r->speed, 1);
  return 0;
}

int32_t crossfade_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<Crossfade*>(r->priv);
  FxSeekQuiet quiet(r);
  fx_layer_unhide(r);
  if (r->phase == 2)
    s->level = r->frame * r->speed;
  else
    s->level = r->frame == 0 ? r->speed : s->level + r->speed;
  if (s->level >= 255) {
    s->level = 255;
    *done = 1;
  }
  const int32_t L = s->level;
  r->level = r->hide ? 255 - L : L;
  const int32_t w = r->width, h = r->height;
  if (qmLayerEffect* e = fx_image(r)) {
    if (e->alpha) alpha_scale_intensity(s->visible, e->alpha, std::min(h, e->height), r->level);
  } else if (!r->realtime) {
    qmBitmap* work = s->work.bitmap;
    // New covers the whole work picture unless a mask or alpha lets old show through.
    const bool covers = !r->mask && !r->alpha && r->newpic->width >= w && r->newpic->height >= h;
    if (r->oldpic && !covers) BLTBITMAP(r->oldpic, 0, 0, work, 0, 0, w, h);
    if (r->mask)
      BLTMASK(r->newpic, 0, 0, work, 0, 0, w, h, r->mask);
    else if (r->alpha)
      BLTALPHABITMAP(r->newpic, 0, 0, work, 0, 0, w, h, r->alpha);
    else
      BLTBITMAP(r->newpic, 0, 0, work, 0, 0, w, h);
    if (L < 255 && r->oldpic)
      bitmap_mix(work, r->oldpic, nullptr, 0, 0, 0, 0, w, h, 255 - L, nullptr, 0, 0);
    fx_blit3_at(r, work, 0, 0, w, h, nullptr, nullptr, nullptr, 0);
  }
  if (r->phase == 1) {
    fx_refresh_frame(r);
    ++r->frame;
  }
  return 0;
}

}  // namespace

int32_t fx_fade(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? fade_setup(r) : fade_frame(r, done);
}
int32_t fx_water(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? water_setup(r) : water_frame(r, done);
}
int32_t fx_crossfade(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? crossfade_setup(r) : crossfade_frame(r, done);
}
void fx_fade_free(qmFXRequest* r) {
  fade_free(r);
}
void fx_water_free(qmFXRequest* r) {
  water_free(r);
}
void fx_crossfade_free(qmFXRequest* r) {
  crossfade_free(r);
}

}  // namespace qm
