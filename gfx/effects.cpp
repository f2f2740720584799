// Colour effects (tint, grey, invert, solarize, gamma, contrast, modulate, sepia, monochrome,
// level stretch), blending one bitmap into another, and the routines that build bitmaps and
// masks from others.
#include "gfx/effects.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "engine/clones.h"
#include "engine/numconv.h"
#include "gfx/blitpixels.h"
#include "gfx/effects_internal.h"
#include "gfx/gfxmath.h"
#include "gfx/pixelloops.h"
#include "gfx/quantize.h"

namespace qm {
namespace fx {

void to_gray(const Pixels& px, int32_t mode) {
  if (mode == 0) {
    map_pixels(px, [](int& r, int& g, int& b) { r = g = b = intensity_level(r, g, b); });
  } else {
    map_pixels(
        px, [](int& r, int& g, int& b) { r = g = b = intensity_level(r, g, b) > 128 ? 255 : 0; });
  }
}

void invert(const Pixels& px) {
  pixels_invert(px.p, px.w, px.h, px.ppr);
}

namespace {

// One contrast step on one pixel, in hue, saturation, value space: the value moves along a sine
// curve away from (sign +1) or towards (sign -1) the middle.
void contrast_pixel(int& red, int& green, int& blue, int sign) {
  const int mx = std::max({red, green, blue}), mn = std::min({red, green, blue});
  const double v = mx * 0.00392156862745098;
  const double s = mx == 0 ? 0.0 : double(mx - mn) / mx;
  double h = 0.0;
  if (mx != mn) {
    const double d = mx - mn;
    if (mx == red)
      h = (green - blue) / d;
    else if (mx == green)
      h = (blue - red) / d + 2.0;
    else
      h = (red - green) / d + 4.0;
    h /= 6.0;
    if (h < 0.0) h += 1.0;
  }
  double nv = v + sign * 0.5 * ((std::sin((v - 0.5) * 3.141592653589793) + 1.0) * 0.5 - v);
  nv = std::clamp(nv, 0.0, 1.0);
  if (s == 0.0) {
    red = green = blue = clamp_channel(nv * 255.0);
    return;
  }
  const double hh = 6.0 * (h - std::floor(h));
  const int sector = to_i32(hh);
  const double f = hh - sector;
  const double p = nv * (1.0 - s), q = nv * (1.0 - s * f), t = nv * (1.0 - s * (1.0 - f));
  double r, g, b;
  switch (sector) {
    case 0:
      r = nv, g = t, b = p;
      break;
    case 1:
      r = q, g = nv, b = p;
      break;
    case 2:
      r = p, g = nv, b = t;
      break;
    case 3:
      r = p, g = q, b = nv;
      break;
    case 4:
      r = t, g = p, b = nv;
      break;
    default:
      r = nv, g = p, b = q;
      break;
  }
  red = clamp_channel(r * 255.0), green = clamp_channel(g * 255.0), blue = clamp_channel(b * 255.0);
}

}  // namespace

void contrast_step(const Pixels& px, int sign, int32_t count) {
  if (count < 1) return;
  map_pixels(px, [&](int& r, int& g, int& b) {
    // The step is a function of the pixel alone: once it stops changing it never changes again,
    // so a huge count costs no more than a few steps.
    for (int32_t i = 0; i < count; ++i) {
      const int r0 = r, g0 = g, b0 = b;
      contrast_pixel(r, g, b, sign);
      if (r == r0 && g == g0 && b == b0) break;
    }
  });
}

void stretch_levels(const Pixels& px, int64_t black, int64_t white) {
  int64_t hist[256] = {};
  map_pixels(px, [&](int& r, int& g, int& b) { ++hist[intensity_level(r, g, b)]; });
  const int64_t pixels = int64_t(px.w) * px.h;
  int lo = 256;
  int64_t run = 0;
  for (int level = 0; level < 256; ++level) {
    run += hist[level];
    if (run > black) {
      lo = level;
      break;
    }
  }
  int hi = 1;
  run = 0;
  for (int level = 255; level >= 1; --level) {
    run += hist[level];
    if (run > pixels - white) {
      hi = level;
      break;
    }
  }
  if (lo == hi) return;
  uint8_t map[256];
  for (int c = 0; c < 256; ++c)
    map[c] = static_cast<uint8_t>(c < lo ? 0 : c > hi ? 255 : (c - lo) * 255 / (hi - lo));
  map_pixels(px, [&](int& r, int& g, int& b) { r = map[r], g = map[g], b = map[b]; });
}

void stretch_2_99(const Pixels& px) {
  const double n = double(px.w) * px.h;
  stretch_levels(px, to_i64(0.02 * n), to_i64(0.99 * n));
}

}  // namespace fx

using fx::Pixels;

int32_t bitmap_to_gray(qmBitmap* bitmap, int32_t width, int32_t height, int32_t mode,
                       qmBitmapLock* lock) {
  return fx::run(bitmap, lock, width, height, [&](Pixels& px) {
    fx::to_gray(px, mode);
    return 0;
  });
}

int32_t bitmap_invert(qmBitmap* bitmap, int32_t width, int32_t height, qmBitmapLock* lock) {
  return fx::run(bitmap, lock, width, height, [&](Pixels& px) {
    fx::invert(px);
    return 0;
  });
}

int32_t bitmap_solarize(qmBitmap* bitmap, int32_t width, int32_t height, int32_t threshold) {
  const int t = std::clamp<int32_t>(threshold, 0, 255);
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) {
    fx::map_pixels(px, [&](int& r, int& g, int& b) {
      if (r > t) r = 255 - r;
      if (g > t) g = 255 - g;
      if (b > t) b = 255 - b;
    });
    return 0;
  });
}

namespace {

// n words of bytes each moved by level / 256 of the way to the word's byte of t.
QM_VECTOR_CLONES void tint_row(uint8_t* __restrict p, int32_t n, const uint8_t* t, int l) {
  const int t0 = t[0], t1 = t[1], t2 = t[2], t3 = t[3];
  for (int32_t i = 0; i < n; ++i, p += 4) {
    const int c0 = p[0], c1 = p[1], c2 = p[2], c3 = p[3];
    p[0] = uint8_t(c0 + (((t0 - c0) * l) >> 8));
    p[1] = uint8_t(c1 + (((t1 - c1) * l) >> 8));
    p[2] = uint8_t(c2 + (((t2 - c2) * l) >> 8));
    p[3] = uint8_t(c3 + (((t3 - c3) * l) >> 8));
  }
}

}  // namespace

int32_t bitmap_tint(qmBitmap* bitmap, int32_t x, int32_t y, int32_t width, int32_t height,
                    uint32_t colour, int32_t level) {
  const int tr = (colour >> 16) & 255, tg = (colour >> 8) & 255, tb = colour & 255;
  const int l = std::clamp<int32_t>(level, 0, 255);
  // The rectangle is limited to the bitmap by running over (x + width, y + height) and skipping
  // the part left of and above (x, y).
  const int64_t right64 = std::min<int64_t>(int64_t(x) + width, INT32_MAX);
  const int64_t bottom64 = std::min<int64_t>(int64_t(y) + height, INT32_MAX);
  const int32_t right = int32_t(right64), bottom = int32_t(bottom64);
  const int32_t x0 = std::max(x, 0), y0 = std::max(y, 0);
  return fx::run(bitmap, nullptr, right, bottom, [&](Pixels& px) {
    with_format32(px.format, [&](auto f) {
      using F = decltype(f);
      // Every channel moves alike towards its byte of the packed colour, so a word goes byte by
      // byte, which the compiler vectorises; the unused byte is cleared as packing would.
      const uint32_t target = F::pack(tr, tg, tb), keep = F::pack(0xFF, 0xFF, 0xFF);
      uint8_t t[4];
      std::memcpy(t, &target, 4);
      for (int32_t j = y0; j < px.h; ++j) {
        uint32_t* r = fx::row(px, j);
        if (px.w <= x0) continue;
        tint_row(reinterpret_cast<uint8_t*>(r + x0), px.w - x0, t, l);
        for (int32_t i = x0; i < px.w; ++i) r[i] &= keep;
      }
    });
    return 0;
  });
}

int32_t bitmap_gamma(qmBitmap* bitmap, int32_t width, int32_t height, double red, double green,
                     double blue) {
  double g[3] = {red, green, blue};
  for (double& v : g)
    if (!(v >= 0.0)) v = 0.0;
  if (g[0] == 1.0 && g[1] == 1.0 && g[2] == 1.0) return 0;
  uint8_t table[3][256];
  for (int ch = 0; ch < 3; ++ch) {
    for (int i = 0; i < 256; ++i) {
      if (g[ch] == 1.0) {
        table[ch][i] = static_cast<uint8_t>(i);
      } else if (g[ch] == 0.0) {
        table[ch][i] = 0;
      } else {
        const double v = std::pow(i / 255.0, 1.0 / g[ch]) * 255.0;
        table[ch][i] = static_cast<uint8_t>(!(v >= 0.0) ? 0 : v > 255.0 ? 255 : to_i32(v + 0.5));
      }
    }
  }
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) {
    fx::map_pixels(
        px, [&](int& r, int& gg, int& b) { r = table[0][r], gg = table[1][gg], b = table[2][b]; });
    return 0;
  });
}

int32_t bitmap_contrast(qmBitmap* bitmap, int32_t width, int32_t height, int32_t sharpen,
                        int32_t count, qmBitmapLock* lock) {
  if (count < 1) return 0;
  return fx::run(bitmap, lock, width, height, [&](Pixels& px) {
    fx::contrast_step(px, sharpen != 0 ? 1 : -1, count);
    return 0;
  });
}

namespace {

int32_t whole_percent(double factor) {
  if (!(factor >= 0.0)) return 0;
  const uint32_t p = to_u32_sat(factor * 100.0);
  return p > uint32_t(INT32_MAX) ? INT32_MAX : int32_t(p);
}

double hue_channel(double p, double q, double t) {
  if (t < 0.0) t += 1.0;
  if (t > 1.0) t -= 1.0;
  if (6.0 * t < 1.0) return p + (q - p) * 6.0 * t;
  if (2.0 * t < 1.0) return q;
  if (3.0 * t < 2.0) return p + (q - p) * 6.0 * (0.6666666666666666 - t);
  return p;
}

}  // namespace

int32_t bitmap_modulate(qmBitmap* bitmap, int32_t width, int32_t height, double brightness,
                        double saturation, double hue) {
  if (brightness == 1.0 && saturation == 1.0 && hue == 1.0) return 0;
  const int32_t bp = whole_percent(brightness), sp = whole_percent(saturation),
                hp = whole_percent(hue);
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) {
    fx::map_pixels(px, [&](int& r, int& g, int& b) {
      double h, s, l;
      rgb_to_hsl(uint8_t(r), uint8_t(g), uint8_t(b), &h, &s, &l);
      h += (hp * 0.01 - 1.0) * 0.5;
      if (h < 0.0) h += 1.0;
      if (h > 1.0) h -= 1.0;
      s *= sp * 0.01;
      l *= bp * 0.01;
      if (s == 0.0) {
        r = g = b = fx::clamp_channel(l * 255.0);
        return;
      }
      const double q = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
      const double p = 2.0 * l - q;
      r = fx::clamp_channel(hue_channel(p, q, h + 0.3333333333333333) * 255.0);
      g = fx::clamp_channel(hue_channel(p, q, h) * 255.0);
      b = fx::clamp_channel(hue_channel(p, q, h - 0.3333333333333333) * 255.0);
    });
    return 0;
  });
}

int32_t bitmap_sepiatone(qmBitmap* bitmap, int32_t width, int32_t height, int32_t level) {
  const double t = std::clamp<int32_t>(level, 0, 255);
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) {
    fx::map_pixels(px, [&](int& r, int& g, int& b) {
      const double i = fx::intensity(r, g, b);
      r = i > t ? 255 : fx::clamp_channel(i + 255.0 - t);
      g = i > 7.0 * t / 6.0 ? 255 : fx::clamp_channel(i + 255.0 - 7.0 * t / 6.0);
      b = i < t / 6.0 ? 0 : fx::clamp_channel(i - t / 6.0);
      if (g < t / 7.0) g = fx::clamp_channel(t / 7.0);
      if (b < t / 7.0) b = fx::clamp_channel(t / 7.0);
    });
    fx::stretch_2_99(px);
    fx::contrast_step(px, 1, 1);
    return 0;
  });
}

int32_t bitmap_monochrome(qmBitmap* bitmap, int32_t width, int32_t height, int32_t mode) {
  return fx::run(bitmap, nullptr, width, height, [&](Pixels& px) {
    if (mode == 0) {
      fx::to_gray(px, 1);
      return 0;
    }
    std::vector<uint8_t> indices;
    try {
      indices.resize(size_t(px.w) * size_t(px.h));
    } catch (const std::bad_alloc&) {
      return ERR_MEM;
    }
    uint32_t palette[257];
    int32_t count = 2;
    if (argb_quantize(px.p, px.format, 4, px.w, px.h, px.ppr, indices.data(), palette, &count, -1,
                      0, 1) == 0)
      return ERR_MEM;
    uint32_t words[257];
    for (int i = 0; i < count; ++i) words[i] = color_to_pixel_format(palette[i], px.format);
    const uint8_t* idx = indices.data();
    for (int32_t y = 0; y < px.h; ++y) {
      uint32_t* r = fx::row(px, y);
      for (int32_t x = 0; x < px.w; ++x) r[x] = words[*idx++];
    }
    return 0;
  });
}

int32_t bitmap_normalize(qmBitmap* bitmap, int32_t width, int32_t height, qmBitmapLock* lock) {
  return fx::run(bitmap, lock, width, height, [&](Pixels& px) {
    fx::stretch_2_99(px);
    return 0;
  });
}

int32_t bitmap_stretch_levels(qmBitmap* bitmap, int32_t width, int32_t height, int32_t black,
                              int32_t white, qmBitmapLock* lock) {
  return fx::run(bitmap, lock, width, height, [&](Pixels& px) {
    fx::stretch_levels(px, black, white);
    return 0;
  });
}

int32_t bitmap_mix(qmBitmap* target, const qmBitmap* source, const qmMask* source_mask, int32_t tx,
                   int32_t ty, int32_t sx, int32_t sy, int32_t width, int32_t height, int32_t level,
                   const qmAlphaChannel* source_alpha, int32_t alpha_width, int32_t alpha_height) {
  if (source_alpha != nullptr) {
    const int32_t factor = std::clamp<int32_t>(level, 0, 255);
    qmAlphaChannel* scaled = qmos_alloc_alpha(alpha_width, alpha_height, 1);
    if (scaled == nullptr) return ERR_MEM;
    if (scaled->bytes_per_row == source_alpha->bytes_per_row) {
      alpha_scale_intensity(source_alpha, scaled, alpha_height, factor);
    } else {  // a plane of another width: scale what both rows hold
      const int32_t n = std::min(scaled->bytes_per_row, source_alpha->bytes_per_row);
      for (int32_t j = 0; j < std::min(alpha_height, source_alpha->height); ++j)
        alpha_scale_loop(source_alpha->data + int64_t(j) * source_alpha->bytes_per_row,
                         scaled->data + int64_t(j) * scaled->bytes_per_row, factor, n, 1);
    }
    BLTALPHABITMAP(source, sx, sy, target, tx, ty, width, height, scaled);
    qmos_free_alpha(scaled);
    return 0;
  }
  qmBitmapLock sl{}, tl{};
  if ((qmos_lock_bitmap(source, &sl) & qmos_lock_bitmap(target, &tl)) == 0) {
    qmos_unlock_bitmap(&sl);
    qmos_unlock_bitmap(&tl);
    return ERR_LOCKBMAP;
  }
  const int weight = 255 - level;
  if (sl.bytes_per_pixel == 4 && tl.bytes_per_pixel == 4 && sl.format == tl.format) {
    with_format32(tl.format, [&](auto f) {
      using F = decltype(f);
      for (int32_t j = 0; j < height; ++j) {
        const uint32_t* s = sl.pixels + int64_t(sy + j) * sl.pixels_per_row + sx;
        uint32_t* d = tl.pixels + int64_t(ty + j) * tl.pixels_per_row + tx;
        const uint8_t* m = source_mask
                               ? source_mask->data + int64_t(sy + j) * source_mask->bytes_per_row
                               : nullptr;
        if (m == nullptr) {
          // Every channel mixes alike, so the row mixes byte by byte and the unused byte is
          // cleared afterwards, as packing would.
          const auto* __restrict sb = reinterpret_cast<const uint8_t*>(s);
          auto* __restrict db = reinterpret_cast<uint8_t*>(d);
          for (int64_t k = 0; k < int64_t(width) * 4; ++k) {
            const int sv = sb[k];
            db[k] = uint8_t(sv + (((db[k] - sv) * weight) >> 8));
          }
          const uint32_t keep = F::pack(0xFF, 0xFF, 0xFF);
          for (int32_t i = 0; i < width; ++i) d[i] &= keep;
          continue;
        }
        for (int32_t i = 0; i < width; ++i) {
          if (!mask_bit(m, sx + i)) continue;
          const int sr = F::r(s[i]), sg = F::g(s[i]), sb = F::b(s[i]);
          d[i] = F::pack(sr + (((F::r(d[i]) - sr) * weight) >> 8),
                         sg + (((F::g(d[i]) - sg) * weight) >> 8),
                         sb + (((F::b(d[i]) - sb) * weight) >> 8));
        }
      }
    });
  }
  qmos_unlock_bitmap(&sl);
  qmos_unlock_bitmap(&tl);
  return 0;
}

int32_t bitmap_clear(qmBitmap* bitmap, int32_t row_tail) {
  qmBitmapLock lock{};
  if (qmos_lock_bitmap(bitmap, &lock) == 0) return ERR_LOCKBMAP;
  if (row_tail == 0) {
    std::memset(lock.pixels, 0, size_t(lock.height) * size_t(bitmap->bytes_per_row));
  } else if (lock.bytes_per_pixel == 4) {
    for (int32_t y = 0; y < lock.height; ++y)
      std::fill(lock.pixels + int64_t(y) * lock.pixels_per_row + lock.width,
                lock.pixels + int64_t(y + 1) * lock.pixels_per_row, 0u);
  }
  qmos_unlock_bitmap(&lock);
  return 0;
}

int32_t bitmap_new_with_parts(const qmBitmap* source, const qmMask* source_mask,
                              const qmAlphaChannel* source_alpha, int32_t x, int32_t y,
                              int32_t width, int32_t height, int32_t display, qmBitmap** out_bitmap,
                              qmMask** out_mask, qmAlphaChannel** out_alpha) {
  qmBitmap* bm = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  bool ok = true;
  if (source != nullptr) {
    if (display != 0) bm = qmos_alloc_display_bitmap(width, height);
    if (bm == nullptr) bm = qmos_alloc_bitmap(width, height);
    ok = bm != nullptr;
  }
  if (ok && source_mask != nullptr) {
    mask = qmos_alloc_mask(width, height, 1);
    ok = mask != nullptr;
    if (ok) qmos_blit_mask_bits(source_mask, x, y, mask, 0, 0, width, height, MASKVANILLACOPY);
  }
  if (ok && source_alpha != nullptr) {
    alpha = qmos_alloc_alpha(width, height, 1);
    ok = alpha != nullptr;
    if (ok) alpha_copy_rect(source_alpha, x, y, alpha, 0, 0, width, height, 0, 0);
  }
  if (!ok) {
    if (bm != nullptr) qmos_free_bitmap(bm);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
    return ERR_MEM;
  }
  if (bm != nullptr) BLTBITMAP(source, x, y, bm, 0, 0, width, height);
  if (out_bitmap != nullptr) *out_bitmap = bm;
  if (out_mask != nullptr) *out_mask = mask;
  if (out_alpha != nullptr) *out_alpha = alpha;
  return 0;
}

qmMask* bitmap_mask_from_color(const qmBitmap* bitmap, int32_t width, int32_t height,
                               uint32_t colour) {
  qmBitmapLock lock{};
  if (qmos_lock_bitmap(bitmap, &lock) == 0) return nullptr;
  qmMask* mask = qmos_alloc_mask(width, height, 1);
  if (mask != nullptr && lock.bytes_per_pixel == 4) {
    // Only the three colour bytes count: the byte that is 0 in the format is masked off.
    const uint32_t compare = color_to_pixel_format(0xFFFFFF, lock.format);
    mask_from_color(lock.pixels, mask->data, std::min(width, lock.width),
                    std::min(height, lock.height), mask->bytes_per_row,
                    color_to_pixel_format(colour, lock.format), lock.pixels_per_row, compare);
  }
  qmos_unlock_bitmap(&lock);
  return mask;
}

}  // namespace qm
