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

namespace {

constexpr double kTwoPi = 6.283185307179586;

// The swirl's geometry: calls fetch(x, y, sx, sy) for every pixel of a w x h image with the
// position its pixel is taken from at a turn of `degrees` (outside the circle its own position).
// Non-negative turns read the tables at the turn modulo a whole circle; negative ones compute
// their sines.
template <typename Fetch>
void swirl_map(int32_t w, int32_t h, double degrees, const double* sines, const double* cosines, Fetch&& fetch) {
  const double W = w, H = h;
  const double cx = W * 0.5, cy = H * 0.5, R = std::max(cx, cy);
  const double t = degrees * 0.017453292519943295;
  const double ax = w <= h ? H / W : 1.0, ay = w <= h ? 1.0 : W / H;
  // The table entry of a non-negative turn at distance n from the centre.
  auto entry = [&](int32_t n) {
    const double f = 1.0 - n / R;
    double turn = f * (t * f);
    if (turn >= kTwoPi) turn -= kTwoPi * std::floor(turn / kTwoPi);
    return std::clamp(to_i32(turn / 0.001), 0, kEffectTableSize - 1);
  };
  // The turn depends on the whole distance alone: its entry once per distance a frame.
  const int32_t reach = to_i32(R) + 2;
  std::vector<int32_t> entries;
  if (t >= 0) {
    entries.resize(size_t(reach) + 1);
    for (int32_t n = 0; n <= reach; ++n) entries[size_t(n)] = entry(n);
  }
  for (int32_t y = 0; y < h; ++y) {
    const double dy = ay * (y - cy);
    for (int32_t x = 0; x < w; ++x) {
      const double dx = ax * (x - cx);
      const double d2 = dx * dx + dy * dy;
      if (d2 >= R * R) {
        fetch(x, y, x, y);
        continue;
      }
      const int32_t n = isqrt(to_i32(d2));
      const double f = 1.0 - n / R;
      double s, c;
      if (t < 0) {
        s = std::sin(t * f * f), c = std::cos(t * f * f);
      } else {
        const int32_t i = n >= 0 && n <= reach ? entries[size_t(n)] : entry(n);
        s = sines[i], c = cosines[i];
      }
      const int32_t ux = std::clamp(to_i32((dx * c - dy * s) / ax + cx), 0, w - 1);
      const int32_t uy = std::clamp(to_i32((dx * s + dy * c) / ay + cy), 0, h - 1);
      fetch(x, y, ux, uy);
    }
  }
}

}  // namespace

void swirl_render(const qmSwirl& s, double angle) {
  if (s.width < 1 || s.height < 1) return;
  const bool alpha = s.source_alpha && s.target_alpha;
  swirl_map(s.width, s.height, angle, s.sines, s.cosines, [&](int32_t x, int32_t y, int32_t ux, int32_t uy) {
    s.target[ptrdiff_t(y) * s.target_ppr + x] = s.source[ptrdiff_t(uy) * s.source_ppr + ux];
    if (alpha)
      s.target_alpha[ptrdiff_t(y) * s.target_alpha_bpr + x] = s.source_alpha[ptrdiff_t(uy) * s.source_alpha_bpr + ux];
  });
}

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
    swirl_map(px.w, px.h, a, sines.data(), cosines.data(), [&](int32_t x, int32_t y, int32_t ux, int32_t uy) {
      if (ux != x || uy != y) snap.fetch(px, m, al, x, y, ux, uy);
    });
    return 0;
  });
}

double ripple_amplitude(int32_t t, int32_t duration, double damping) {
  const double end = 2.0 * std::max(duration, 1);
  if (t <= 0) return 1.0;
  if (t >= end) return 0.0;
  return std::exp(-damping * t) * (1.0 - t / end);
}

double ripple_phase(int32_t t) { return t * (kTwoPi / 8.0); }

void ripple_render(qmRippleRender& r, int32_t t) {
  qmRipple& rp = r.ripple;
  if (rp.width < 1 || rp.height < 1) return;
  rp.amplitude = ripple_amplitude(t, r.duration, r.damping);
  const double phase = ripple_phase(t);
  const bool alpha = r.source_alpha && r.target_alpha;
  // The factor depends on the distance alone: one per distance a frame, up to the farthest corner.
  const int64_t far_x = std::max<int64_t>(rp.centre_x, int64_t(rp.width) - 1 - rp.centre_x);
  const int64_t far_y = std::max<int64_t>(rp.centre_y, int64_t(rp.height) - 1 - rp.centre_y);
  const int64_t far = far_x * far_x + far_y * far_y;
  const int32_t reach = isqrt(int32_t(std::min<int64_t>(far, INT32_MAX))) + 2;
  std::vector<double> factors(size_t(reach) + 1);
  for (int32_t d = 0; d <= reach; ++d) factors[size_t(d)] = ripple_factor(phase, d, rp);
  const int32_t* distance = rp.distances;
  for (int32_t y = 0; y < rp.height; ++y) {
    uint32_t* out = r.target + ptrdiff_t(y) * r.target_ppr;
    uint8_t* out_alpha = alpha ? r.target_alpha + ptrdiff_t(y) * r.target_alpha_bpr : nullptr;
    for (int32_t x = 0; x < rp.width; ++x) {
      const int32_t d = *distance++;
      ripple_move(d >= 0 && d <= reach ? factors[size_t(d)] : ripple_factor(phase, d, rp), x, y, rp);
      out[x] = r.source[ptrdiff_t(rp.result_y) * r.source_ppr + rp.result_x];
      if (alpha) out_alpha[x] = r.source_alpha[ptrdiff_t(rp.result_y) * r.source_alpha_bpr + rp.result_x];
    }
  }
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
