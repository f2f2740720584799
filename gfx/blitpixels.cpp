#include "gfx/blitpixels.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>

#include "engine/numconv.h"
#include "gfx/alpha.h"
#include "gfx/gradient.h"
#include "gfx/pixelloops.h"

namespace qm {

void BLTALPHABITMAP(const qmBitmap* source, int32_t sx, int32_t sy, qmBitmap* dest, int32_t dx,
                    int32_t dy, int32_t w, int32_t h, const qmAlphaChannel* alpha) {
  if (dest == nullptr) {
    std::fputs("ERROR! BLTALPHABITMAP() CALLED WITH DST=NULL!\n", stderr);
    return;
  }
  if (source == nullptr || alpha == nullptr || w < 1 || h < 1) return;
  qmBitmapLock s, d;
  qmos_lock_bitmap(source, &s);
  qmos_lock_bitmap(dest, &d);
  if (s.bytes_per_pixel == 4) {
    // The alpha plane is addressed at the source position.
    alpha_blend_pixels({s.pixels, sx, sy, sx, sy, s.pixels_per_row, d.pixels, dx, dy,
                        d.pixels_per_row, w, h, alpha->data, alpha->bytes_per_row, s.format});
  }
  qmos_unlock_bitmap(&d);
  qmos_unlock_bitmap(&s);
}

void alpha_copy_rect(const qmAlphaChannel* source, int32_t sx, int32_t sy, qmAlphaChannel* dest,
                     int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t mode,
                     int32_t intensity) {
  if (source == nullptr || dest == nullptr) return;
  alpha_merge_loop(source->data, sx, sy, dest->data, dx, dy, w, h, source->bytes_per_row,
                   dest->bytes_per_row, mode, intensity);
}

void alpha_scale_intensity(const qmAlphaChannel* source, qmAlphaChannel* dest, int32_t height,
                           int32_t factor) {
  if (source == nullptr || dest == nullptr) return;
  alpha_scale_loop(source->data, dest->data, factor, source->bytes_per_row, height);
}

void mask_expand_to_alpha(const qmMask* mask, int32_t sx, int32_t sy, qmAlphaChannel* dest,
                          int32_t dx, int32_t dy, int32_t w, int32_t h, uint8_t value) {
  if (mask == nullptr || dest == nullptr) return;
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* m = mask->data + int64_t(sy + j) * mask->bytes_per_row;
    uint8_t* a = dest->data + int64_t(dy + j) * dest->bytes_per_row + dx;
    for (int32_t i = 0; i < w; ++i) a[i] = mask_bit(m, sx + i) ? value : 0;
  }
}

void alpha_fill_rect(qmAlphaChannel* plane, int32_t x, int32_t y, int32_t w, int32_t h,
                     uint8_t value) {
  if (plane == nullptr) return;
  alpha_fill_loop(plane->data, x, y, w, h, plane->bytes_per_row, value);
}

namespace {

// Moves (sx, sy, dx, dy, w, h) inside a source_w x source_h and a dest_w x dest_h plane.
bool clip_to_planes(int32_t& sx, int32_t& sy, int32_t& dx, int32_t& dy, int32_t& w, int32_t& h,
                    int32_t source_w, int32_t source_h, int32_t dest_w, int32_t dest_h) {
  auto axis = [](int32_t& s, int32_t& d, int32_t& n, int32_t s_size, int32_t d_size) {
    const int64_t shift = std::max<int64_t>({0, -int64_t(s), -int64_t(d)});
    int64_t ss = s + shift, dd = d + shift;
    int64_t nn = int64_t(n) - shift;
    nn = std::min({nn, int64_t(s_size) - ss, int64_t(d_size) - dd});
    if (nn < 1) return false;
    s = int32_t(ss), d = int32_t(dd), n = int32_t(nn);
    return true;
  };
  return axis(sx, dx, w, source_w, dest_w) && axis(sy, dy, h, source_h, dest_h);
}

}  // namespace

void alpha_copy_rect_clipped(const qmAlphaChannel* source, int32_t sx, int32_t sy,
                             qmAlphaChannel* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                             int32_t source_w, int32_t source_h, int32_t dest_w, int32_t dest_h,
                             int32_t mode, int32_t intensity) {
  if (!clip_to_planes(sx, sy, dx, dy, w, h, source_w, source_h, dest_w, dest_h)) return;
  alpha_copy_rect(source, sx, sy, dest, dx, dy, w, h, mode, intensity);
}

void alpha_to_mask(const qmAlphaChannel* alpha, int32_t sx, int32_t sy, qmMask* mask, int32_t dx,
                   int32_t dy, int32_t w, int32_t h, int32_t mode) {
  if (alpha == nullptr || mask == nullptr) return;
  alpha_to_mask_loop(alpha->data, sx, sy, alpha->bytes_per_row, mask->data, dx, dy,
                     mask->bytes_per_row, w, h, mode);
}

void mask_to_alpha(const qmMask* mask, int32_t sx, int32_t sy, qmAlphaChannel* dest, int32_t dx,
                   int32_t dy, int32_t w, int32_t h, uint8_t value) {
  if (mask == nullptr || dest == nullptr) return;
  mask_to_alpha_loop(mask->data, sx, sy, mask->bytes_per_row, dest->data, dx, dy,
                     dest->bytes_per_row, w, h, value);
}

void BLTALPHACHANNEL(const qmAlphaChannel* source, int32_t sx, int32_t sy, qmBitmap* dest,
                     int32_t dx, int32_t dy, int32_t w, int32_t h, uint32_t colour, int32_t mode,
                     qmAlphaChannel* target_alpha, int32_t level, const uint16_t* alpha16,
                     int32_t alpha16_row, const qmBitmap* texture) {
  if (dest == nullptr) {
    std::fputs("ERROR! BLTALPHACHANNEL() CALLED WITH DST=NULL!\n", stderr);
    return;
  }
  qmBitmapLock d, t;
  qmos_lock_bitmap(dest, &d);
  qmos_lock_bitmap(texture, &t);
  if (d.bytes_per_pixel == 4) {
    qmAlphaCombineRequest r{};
    r.sx = sx;
    r.sy = sy;
    r.target = d.pixels;
    r.tx = dx;
    r.ty = dy;
    r.target_ppr = d.pixels_per_row;
    r.width = w;
    r.height = h;
    r.alpha = source ? source->data : nullptr;
    r.alpha_bpr = source ? source->bytes_per_row : 0;
    if (target_alpha) {
      r.target_alpha = target_alpha->data;
      r.target_alpha_bpr = target_alpha->bytes_per_row;
    }
    r.format = d.format;
    r.colour = color_to_pixel_format(colour & 0xFFFFFF, d.format);
    r.mode = mode;
    r.level = level;
    r.alpha16 = alpha16;
    r.alpha16_row = alpha16_row;
    if (t.locked) {
      r.texture = t.pixels + ptrdiff_t(sy) * t.pixels_per_row + sx;
      r.texture_ppr = t.pixels_per_row;
    }
    alpha_combine(r);
  }
  qmos_unlock_bitmap(&t);
  qmos_unlock_bitmap(&d);
}

void bltalphachannel_clipped(const qmAlphaChannel* source, int32_t sx, int32_t sy, qmBitmap* dest,
                             int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t source_w,
                             int32_t source_h, int32_t dest_w, int32_t dest_h, uint32_t colour,
                             int32_t mode, qmAlphaChannel* target_alpha, int32_t level,
                             const uint16_t* alpha16, int32_t alpha16_row,
                             const qmBitmap* texture) {
  if (!clip_to_planes(sx, sy, dx, dy, w, h, source_w, source_h, dest_w, dest_h)) return;
  BLTALPHACHANNEL(source, sx, sy, dest, dx, dy, w, h, colour, mode, target_alpha, level, alpha16,
                  alpha16_row, texture);
}

void DRAWGRADIENT(qmBitmap* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                  const qmGradient* gradient) {
  if (dest == nullptr) {
    std::fputs("ERROR! DRAWGRADIENT() CALLED WITH DST=NULL!\n", stderr);
    return;
  }
  qmBitmapLock d;
  qmos_lock_bitmap(dest, &d);
  gradient_render({d.pixels, d.bytes_per_pixel, d.format, x, y, w, h, d.pixels_per_row, gradient});
  qmos_unlock_bitmap(&d);
}

void rect_transform_bounds(int32_t x, int32_t y, int32_t w, int32_t h, double pivot_x,
                           double pivot_y, const double* m, int32_t* out_x, int32_t* out_y,
                           int32_t* out_w, int32_t* out_h) {
  const double px = w * pivot_x, py = h * pivot_y;
  const double us[4] = {0.0, w - 1.0, w - 1.0, 0.0};
  const double vs[4] = {0.0, 0.0, h - 1.0, h - 1.0};
  // Seeded with the extremes of double so that no size is too large for the bounds.
  double lo_x = DBL_MAX, hi_x = -DBL_MAX, lo_y = DBL_MAX, hi_y = -DBL_MAX;
  for (int i = 0; i < 4; ++i) {
    const double u = us[i] - px, v = vs[i] - py;
    const double tx = m[0] * u + m[2] * v + px, ty = m[1] * u + m[3] * v + py;
    lo_x = std::min(lo_x, tx), hi_x = std::max(hi_x, tx);
    lo_y = std::min(lo_y, ty), hi_y = std::max(hi_y, ty);
  }
  if (out_x) *out_x = to_i32(x + lo_x);
  if (out_y) *out_y = to_i32(y + lo_y);
  if (out_w) *out_w = to_i32(hi_x - lo_x + 1);
  if (out_h) *out_h = to_i32(hi_y - lo_y + 1);
}

void polygon_fill_plane(qmMask* mask, const qmPoint* points, int32_t count, int32_t* scratch) {
  if (mask == nullptr || points == nullptr || count < 1) return;
  plane_fill_polygon(mask->data, mask->bytes_per_row, scratch, points, count);
}

namespace {

// 1024 x cos and sin of whole degrees, truncated; exact values (0, 512, 1024) are kept exact
// where the double sine falls a hair short of them.
struct ArcTables {
  std::array<int32_t, 360> cos_t, sin_t;
  ArcTables() {
    auto entry = [](double v) {
      const double r = std::round(v);
      return int32_t(std::fabs(v - r) < 1e-9 ? r : std::trunc(v));
    };
    for (int a = 0; a < 360; ++a) {
      const double rad = a * 3.14159265358979323846 / 180.0;
      cos_t[size_t(a)] = entry(1024.0 * std::cos(rad));
      sin_t[size_t(a)] = entry(1024.0 * std::sin(rad));
    }
  }
};
const ArcTables& arc_tables() {
  static const ArcTables t;
  return t;
}

}  // namespace

int32_t arc_point_count(int32_t start, int32_t end) {
  const int64_t n = std::max<int64_t>(0, int64_t(end) - start + 1);
  return int32_t(std::min<int64_t>(n + ((start == 0 && end == 360) ? 0 : 2), INT32_MAX));
}

int32_t arc_make_points(qmPoint* points, int32_t rx, int32_t ry, int32_t start, int32_t end) {
  const ArcTables& t = arc_tables();
  auto point = [&](int64_t degree) {
    const size_t a = size_t(((degree % 360) + 360) % 360);
    return qmPoint{int32_t((2 * int64_t(rx) + 1) * t.cos_t[a] / 2048 + rx),
                   int32_t((2 * int64_t(ry) + 1) * t.sin_t[a] / 2048 + ry)};
  };
  int32_t n = 0;
  for (int64_t a = start; a <= end; ++a) points[n++] = point(a);
  if (!(start == 0 && end == 360)) {
    points[n++] = {rx, ry};
    points[n++] = point(start);
  }
  return n;
}

namespace {

// The tiling walk shared by both forms: calls tile(source x, source y, target x, target y, w, h).
template <typename Tile>
void tile_walk(int32_t x, int32_t y, int32_t w, int32_t h, int32_t ox, int32_t oy, int32_t tw,
               int32_t th, Tile&& tile) {
  if (tw < 1 || th < 1 || w < 1 || h < 1) return;
  auto wrap = [](int32_t o, int32_t size) {
    if (o < 0) return o % size + size;
    return o >= size ? o % size : o;
  };
  ox = wrap(ox, tw), oy = wrap(oy, th);
  const int64_t right = int64_t(x) + w, bottom = int64_t(y) + h;
  int64_t ty = y;
  for (int32_t row = 0; row <= h / th + 1; ++row) {
    const int32_t src_y = row == 0 ? oy : 0;
    const int64_t tile_h = std::min<int64_t>(th - src_y, bottom - ty);
    int64_t tx = x;
    for (int32_t col = 0; col <= w / tw + 1; ++col) {
      const int32_t src_x = col == 0 ? ox : 0;
      const int64_t tile_w = std::min<int64_t>(tw - src_x, right - tx);
      if (tile_w >= 1 && tile_h >= 1)
        tile(src_x, src_y, int32_t(tx), int32_t(ty), int32_t(tile_w), int32_t(tile_h));
      tx += std::max<int64_t>(tile_w, 0);
    }
    ty += std::max<int64_t>(tile_h, 0);
  }
}

}  // namespace

void texture_fill(qmBitmap* target, int32_t x, int32_t y, int32_t w, int32_t h,
                  const qmBitmap* texture, int32_t offset_x, int32_t offset_y, int32_t texture_w,
                  int32_t texture_h) {
  if (target == nullptr || texture == nullptr) return;
  texture_w = std::min(texture_w, texture->width);
  texture_h = std::min(texture_h, texture->height);
  tile_walk(x, y, w, h, offset_x, offset_y, texture_w, texture_h,
            [&](int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t tw, int32_t th) {
              if (clip_to_planes(sx, sy, dx, dy, tw, th, texture_w, texture_h, target->width,
                                 target->height))
                BLTBITMAP(texture, sx, sy, target, dx, dy, tw, th);
            });
}

void texture_fill_raw(uint32_t* target, int32_t x, int32_t y, int32_t w, int32_t h,
                      const uint32_t* texture, int32_t offset_x, int32_t offset_y,
                      int32_t texture_w, int32_t texture_h, int32_t texture_row) {
  if (target == nullptr || texture == nullptr) return;
  tile_walk(x, y, w, h, offset_x, offset_y, texture_w, texture_h,
            [&](int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t tw, int32_t th) {
              copy_loop(texture, target, sx, sy, dx, dy, tw, th, texture_row, w, 0);
            });
}

int32_t polygon_clip_edge(int32_t count, const qmPoint* in, qmPoint* out, int32_t boundary,
                          int32_t edge) {
  auto inside = [&](const qmPoint& p) {
    switch (edge) {
      case 0: return p.x >= boundary;
      case 1: return p.y >= boundary;
      case 2: return p.x <= boundary;
      default: return p.y <= boundary;
    }
  };
  int32_t n = 0;
  for (int32_t i = 0; i < count; ++i) {
    const qmPoint a = in[i], b = in[i + 1 < count ? i + 1 : 0];
    const bool a_in = inside(a);
    if (a_in) out[n++] = a;
    if (a_in == inside(b)) continue;
    const double m = (double(b.y) - a.y) / (double(b.x) - a.x);
    if (edge == 0 || edge == 2) {
      out[n++] = {boundary, a.y + to_i32(m * (boundary - a.x))};
    } else {
      out[n++] = {a.x + to_i32((boundary - a.y) / m), boundary};
    }
  }
  return n;
}

}  // namespace qm
