// Shape pixels and lines.
#include "gfx/shape.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "gfx/pixelformat.h"

namespace qm {

namespace {

inline int blend_channel(int c, int n, int a) { return c + (((n - c) * a) >> 8); }

uint32_t blend_word(int32_t format, uint32_t t, uint32_t n, int a) {
  uint32_t out = t;
  with_format32(format, [&](auto f) {
    using F = decltype(f);
    out = F::pack(blend_channel(F::r(t), F::r(n), a), blend_channel(F::g(t), F::g(n), a),
                  blend_channel(F::b(t), F::b(n), a));
  });
  return out;
}

}  // namespace

void shape_plot(qmShapeState& s, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= s.width || y >= s.height) return;
  if (s.clip) {
    if (x < s.clip_x || y < s.clip_y || x >= s.clip_x + s.clip_width ||
        y >= s.clip_y + s.clip_height)
      return;
    if (s.clip_mask &&
        !mask_bit(s.clip_mask + ptrdiff_t(y - s.clip_y) * s.clip_mask_bpr, x - s.clip_x))
      return;
  }
  if (s.bytes_per_pixel == 4 && s.pixels) {
    uint32_t& p = s.pixels[ptrdiff_t(y) * s.ppr + x];
    const uint32_t c = s.texture ? s.texture[ptrdiff_t(y) * s.texture_ppr + x] : s.colour;
    // With an alpha plane the opacity goes there; the colour itself is written unblended.
    if (s.opacity == 255 || s.alpha) p = c;
    else p = blend_word(s.format, p, c, s.opacity);
  }
  if (s.mask) {
    uint8_t* row = s.mask + ptrdiff_t(y) * s.mask_bpr;
    switch (s.mask_mode) {
      case MASKVISIBLE:
      case MASKVANILLACOPY:
      case MASKOR: mask_bit_set(row, x); break;
      case MASKINVISIBLE: mask_bit_clear(row, x); break;
      case MASKXOR: row[x >> 3] ^= uint8_t(0x80u >> (x & 7)); break;
      default: break;
    }
  }
  if (s.alpha) s.alpha[ptrdiff_t(y) * s.alpha_bpr + x] = uint8_t(s.opacity);
}

void shape_fill_coverage(qmShapeState& s, const uint8_t* coverage, int32_t width, int32_t height,
                         int32_t bpr, int32_t left, int32_t top, bool antialias) {
  const int32_t base = s.base_opacity;
  for (int32_t j = 0; j < height; ++j) {
    const uint8_t* c = coverage + ptrdiff_t(j) * bpr;
    for (int32_t i = 0; i < width; ++i) {
      if (!c[i]) continue;
      if (antialias) s.opacity = base == 255 ? c[i] : base * c[i] / 255;
      shape_plot(s, left + i, top + j);
    }
  }
}

void shape_thick_line(qmShapeState& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int64_t dx = std::llabs(int64_t(x2) - x1), dy = std::llabs(int64_t(y2) - y1);
  const bool steep = dx < dy;
  const double angle = std::atan2(double(dy), double(dx));
  int32_t n;
  if (steep) {
    const double sn = std::sin(angle);
    n = sn != 0.0 ? to_i32(s.pen_width / sn) : 1;
  } else {
    const double cs = std::cos(angle);
    n = (cs != 0.0 && (dx | dy) != 0) ? to_i32(s.pen_width / cs) : 1;
  }
  if (n <= 0) n = 1;  // includes a pen width that would not convert
  // Walk from the end with the smaller major coordinate.
  int32_t ax = x1, ay = y1, bx = x2, by = y2;
  if (steep ? ay > by : ax > bx) {
    std::swap(ax, bx);
    std::swap(ay, by);
  }
  const int64_t major = steep ? dy : dx, minor = steep ? dx : dy;
  const int32_t minor_step = steep ? (bx >= ax ? 1 : -1) : (by >= ay ? 1 : -1);
  // Only the steps whose run lies on the target are walked: the state at the first of them
  // comes from the closed form of the error walk (after k steps the minor axis has moved
  // floor((2 minor k + major) / (2 major)) times), so a line far off the target costs nothing.
  const int64_t origin = steep ? ay : ax;
  const int64_t limit = steep ? s.height : s.width;
  const int64_t k0 = std::max<int64_t>(0, -origin);
  const int64_t k1 = std::min<int64_t>(major, limit - 1 - origin);
  if (k0 > k1) return;
  const __int128 moved = major ? (__int128(2) * minor * k0 + major) / (2 * major) : 0;
  int64_t err = int64_t(__int128(2) * minor * (k0 + 1) - major - __int128(2) * major * moved);
  int64_t x = ax, y = ay;
  if (steep) {
    y += k0;
    x += int64_t(moved) * minor_step;
  } else {
    x += k0;
    y += int64_t(moved) * minor_step;
  }
  for (int64_t k = k0; k <= k1; ++k) {
    if (steep) {
      if (x >= INT32_MIN / 2 && x <= INT32_MAX / 2)
        for (int32_t i = 0; i < n; ++i) shape_plot(s, int32_t(x) - n / 2 + i, int32_t(y));
      ++y;
    } else {
      if (y >= INT32_MIN / 2 && y <= INT32_MAX / 2)
        for (int32_t i = 0; i < n; ++i) shape_plot(s, int32_t(x), int32_t(y) - n / 2 + i);
      ++x;
    }
    if (err >= 0) {
      if (steep) x += minor_step;
      else y += minor_step;
      err += 2 * (minor - major);
    } else {
      err += 2 * minor;
    }
  }
}

void shape_aa_line(qmShapeState& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int32_t b = s.base_opacity;
  auto plot = [&](int32_t x, int32_t y, int32_t opacity) {
    s.opacity = b == 255 ? opacity : opacity * b / 255;
    shape_plot(s, x, y);
  };
  if (x1 == x2 && y1 == y2) {
    s.opacity = b;
    shape_plot(s, x1, y1);
    return;
  }
  const int64_t adx = std::llabs(int64_t(x2) - x1), ady = std::llabs(int64_t(y2) - y1);
  if (adx >= ady) {
    if (x1 > x2) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    // 16.16 row position in 64 bits: a long line must not overflow the accumulator.
    const int64_t step = ((int64_t(y2) - y1) * 65536) / (int64_t(x2) - x1);
    // Columns off the target are skipped; the position is exact at any column.
    const int32_t first = std::max(x1, 0), last = std::min(x2, s.width - 1);
    int64_t pos = int64_t(y1) * 65536 + (int64_t(first) - x1) * step;
    for (int32_t x = first; x <= last; ++x, pos += step) {
      const int32_t f = int32_t((pos >> 8) & 255);
      const int32_t y = int32_t(pos >> 16);
      plot(x, y, 255 - f);
      plot(x, y + 1, f);
    }
  } else {
    if (y1 > y2) {
      std::swap(x1, x2);
      std::swap(y1, y2);
    }
    const int64_t step = ((int64_t(x2) - x1) * 65536) / (int64_t(y2) - y1);
    const int32_t first = std::max(y1, 0), last = std::min(y2, s.height - 1);
    int64_t pos = int64_t(x1) * 65536 + (int64_t(first) - y1) * step;
    for (int32_t y = first; y <= last; ++y, pos += step) {
      const int32_t f = int32_t((pos >> 8) & 255);
      const int32_t x = int32_t(pos >> 16);
      plot(x, y, 255 - f);
      plot(x + 1, y, f);
    }
  }
}

}  // namespace qm
