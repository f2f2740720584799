// Displacement effects (swirl, water ripple), mirroring and pixelation: pixels move together with
// their mask bit and alpha byte.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "engine/numconv.h"
#include "gfx/effects.h"
#include "gfx/effects_internal.h"
#include "gfx/gfxmath.h"
#include "gfx/pixelops.h"

namespace qm {
namespace {

using fx::Pixels;

// A copy of the image and its planes as they were before the effect; each target pixel is then
// fetched from its computed source position.
struct Snapshot {
  std::vector<uint32_t> pixels;
  std::vector<uint8_t> mask, alpha;
  int32_t w = 0;

  bool take(const Pixels& px, const qmMask* m, const qmAlphaChannel* a) {
    try {
      w = px.w;
      pixels.resize(size_t(px.w) * size_t(px.h));
      for (int32_t y = 0; y < px.h; ++y)
        std::memcpy(pixels.data() + size_t(y) * px.w, fx::row(px, y), size_t(px.w) * 4);
      if (m != nullptr) mask.assign(m->data, m->data + size_t(px.h) * size_t(m->bytes_per_row));
      if (a != nullptr) alpha.assign(a->data, a->data + size_t(px.h) * size_t(a->bytes_per_row));
    } catch (const std::bad_alloc&) {
      return false;
    }
    return true;
  }

  void fetch(const Pixels& px, qmMask* m, qmAlphaChannel* a, int32_t x, int32_t y, int32_t sx,
             int32_t sy) const {
    fx::row(px, y)[x] = pixels[size_t(sy) * w + size_t(sx)];
    if (m != nullptr) {
      uint8_t* r = m->data + int64_t(y) * m->bytes_per_row;
      if (mask_bit(mask.data() + size_t(sy) * size_t(m->bytes_per_row), sx))
        mask_bit_set(r, x);
      else
        mask_bit_clear(r, x);
    }
    if (a != nullptr)
      a->data[int64_t(y) * a->bytes_per_row + x] =
          alpha[size_t(sy) * size_t(a->bytes_per_row) + size_t(sx)];
  }
};

// Planes smaller than the effect's rectangle are left out rather than read beyond their end.
template <typename P>
P* fitting(P* plane, const Pixels& px) {
  return plane != nullptr && plane->width >= px.w && plane->height >= px.h ? plane : nullptr;
}

}  // namespace

int32_t bitmap_swirl(qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha, int32_t width,
                     int32_t height, int32_t degrees) {
  const int32_t a = std::clamp<int32_t>(degrees, -359, 359);
  std::vector<double> sines, cosines;
  try {
    sines.resize(kEffectTableSize);
    cosines.resize(kEffectTableSize);
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  swirl_setup(sines.data(), cosines.data());
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) {
    qmMask* m = fitting(mask, px);
    qmAlphaChannel* al = fitting(alpha, px);
    Snapshot snap;
    if (!snap.take(px, m, al)) return ERR_MEM;
    const double W = px.w, H = px.h;
    const double cx = W * 0.5, cy = H * 0.5, R = std::max(cx, cy);
    const double t = a * 0.017453292519943295;
    const double sx = px.w <= px.h ? H / W : 1.0, sy = px.w <= px.h ? 1.0 : W / H;
    for (int32_t y = 0; y < px.h; ++y)
      for (int32_t x = 0; x < px.w; ++x) {
        const double dx = sx * (x - cx), dy = sy * (y - cy);
        const double d2 = dx * dx + dy * dy;
        if (d2 >= R * R) continue;  // outside the circle the pixel keeps its place
        const double f = 1.0 - isqrt(to_i32(d2)) / R;
        double s, c;
        if (a < 0) {
          s = std::sin(t * f * f), c = std::cos(t * f * f);
        } else {
          const int32_t i = std::min(to_i32(f * (t * f) / 0.001), kEffectTableSize - 1);
          s = sines[size_t(i)], c = cosines[size_t(i)];
        }
        const int32_t ux = std::clamp(to_i32((dx * c - dy * s) / sx + cx), 0, px.w - 1);
        const int32_t uy = std::clamp(to_i32((dx * s + dy * c) / sy + cy), 0, px.h - 1);
        snap.fetch(px, m, al, x, y, ux, uy);
      }
    return 0;
  });
}

int32_t bitmap_waterripple(qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha, int32_t width,
                           int32_t height, int32_t wave_length, int32_t amplitude, int32_t phase,
                           double centre_x, double centre_y) {
  const double fxr = std::isnan(centre_x) ? 0.0 : std::clamp(centre_x, 0.0, 1.0);
  const double fyr = std::isnan(centre_y) ? 0.0 : std::clamp(centre_y, 0.0, 1.0);
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) {
    qmRipple rp{};
    rp.wave_length = wave_length;
    rp.amplitude = amplitude;
    rp.width = px.w, rp.height = px.h;
    rp.centre_x = to_i32(fxr * px.w), rp.centre_y = to_i32(fyr * px.h);
    rp.radius = std::max(rp.centre_x, rp.centre_y);
    // Without a wave length or a radius the ripple has no extent: nothing moves.
    if (wave_length == 0 || rp.radius == 0) return 0;
    qmMask* m = fitting(mask, px);
    qmAlphaChannel* al = fitting(alpha, px);
    std::vector<double> sines;
    std::vector<int32_t> distances;
    Snapshot snap;
    try {
      sines.resize(kEffectTableSize);
      distances.resize(size_t(px.w) * size_t(px.h));
    } catch (const std::bad_alloc&) {
      return ERR_MEM;
    }
    if (!snap.take(px, m, al)) return ERR_MEM;
    rp.sines = sines.data();
    rp.distances = distances.data();
    ripple_setup(rp);
    for (int32_t y = 0; y < px.h; ++y)
      for (int32_t x = 0; x < px.w; ++x) {
        ripple_point(phase, x, y, rp);
        snap.fetch(px, m, al, x, y, rp.result_x, rp.result_y);
      }
    return 0;
  });
}

int32_t bitmap_flip(qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha, int32_t width,
                    int32_t height, int32_t horizontal) {
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) {
    qmMask* m = fitting(mask, px);
    qmAlphaChannel* al = fitting(alpha, px);
    std::vector<uint8_t> scratch;
    try {
      scratch.resize(m != nullptr ? size_t(m->bytes_per_row) : 1);
    } catch (const std::bad_alloc&) {
      return ERR_MEM;
    }
    qmFlipRequest r{px.p,
                    px.w,
                    px.h,
                    px.ppr,
                    m != nullptr ? m->data : nullptr,
                    m != nullptr ? m->bytes_per_row : 0,
                    al != nullptr ? al->data : nullptr,
                    al != nullptr ? al->bytes_per_row : 0,
                    horizontal,
                    4,
                    scratch.data()};
    pixels_flip(r);
    return 0;
  });
}

int32_t bitmap_pixelate(qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha, int32_t width,
                        int32_t height, int32_t block) {
  if (block <= 1) return 0;
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) {
    qmMask* m = fitting(mask, px);
    qmAlphaChannel* al = fitting(alpha, px);
    qmPixelateRequest r{};
    r.source = px.p, r.dest = px.p;
    r.source_ppr = r.dest_ppr = px.ppr;
    if (m != nullptr) {
      r.source_mask = r.dest_mask = m->data;
      r.source_mask_bpr = r.dest_mask_bpr = m->bytes_per_row;
    }
    if (al != nullptr) {
      r.source_alpha = r.dest_alpha = al->data;
      r.source_alpha_bpr = r.dest_alpha_bpr = al->bytes_per_row;
    }
    r.width = px.w, r.height = px.h;
    r.block = std::min({px.w, px.h, block});
    pixels_pixelate(r);
    return 0;
  });
}

}  // namespace qm
