// Affine resampler: each destination row is narrowed to the span whose inverse image lies in the
// source before any pixel is touched; nearest or bilinear sampling inside it.
#include "gfx/transform.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "gfx/bitmap.h"
#include "gfx/pixelformat.h"

namespace qm {

namespace {

struct Inverse {
  double ia, ib, ic, id, itx, ity;
};

// Limits of the columns of a row whose source coordinate lies in 0..size, for a coordinate
// that moves by `slope` per destination column from `base` at column 0.
void narrow(double base, double slope, int32_t size, double& lo, double& hi, double minx,
            double maxx) {
  double a, b;
  if (slope > 1e-10) {
    a = std::ceil(-base / slope + 1e-10 - 0.5);
    b = std::ceil((size - base) / slope - 1e-10 - 0.5);
  } else if (slope < -1e-10) {
    a = std::ceil((size - base) / slope + 1e-10 - 0.5);
    b = std::ceil(-base / slope - 1e-10 - 0.5);
  } else if (base >= 0.0 && base < size) {
    a = minx;
    b = maxx;
  } else {
    a = 1.0;  // empty
    b = 0.0;
  }
  lo = std::max(lo, a);
  hi = std::min(hi, b);
}

inline int32_t clamp_index(double v, int32_t size) {
  if (!(v >= 0.0)) return 0;
  if (v >= size - 1) return size - 1;
  return int32_t(v);
}

template <typename F>
struct Writes : F {
  static constexpr bool kWritesPixels = true;
};

template <typename F>
void run(const qmTransformJob& j, const Inverse& inv, double minx, double maxx, double miny,
         double maxy) {
  const bool pixels = j.source && j.dest && j.bytes_per_pixel == 4;
  const int32_t w = j.source_width, h = j.source_height;
  if (maxy >= j.dest_height) maxy = j.dest_height - 1;
  const int32_t y0 = miny < 0 ? 0 : int32_t(std::ceil(miny - 0.5));
  const int32_t y1 = std::min(int32_t(std::floor(maxy + 0.5)), j.dest_height - 1);
  for (int32_t y = y0; y <= y1; ++y) {
    double lo = minx, hi = maxx;
    narrow(inv.ic * (y + 0.5) + inv.itx, inv.ia, w, lo, hi, minx, maxx);
    narrow(inv.id * (y + 0.5) + inv.ity, inv.ib, h, lo, hi, minx, maxx);
    if (lo > hi) continue;
    if (hi >= j.dest_width) hi = j.dest_width - 1;
    const int32_t x0 = lo < 0 ? 0 : int32_t(std::ceil(lo - 0.5));
    const int32_t x1 = std::min(int32_t(std::floor(hi + 0.5)), j.dest_width - 1);
    uint32_t* drow = pixels ? j.dest + ptrdiff_t(y) * j.dest_ppr : nullptr;
    uint8_t* mrow = j.dest_mask ? j.dest_mask + ptrdiff_t(y) * j.dest_mask_bpr : nullptr;
    uint8_t* arow = j.dest_alpha ? j.dest_alpha + ptrdiff_t(y) * j.dest_alpha_bpr : nullptr;
    for (int32_t x = x0; x <= x1; ++x) {
      // Sampled at the pixel centre, as the span above was narrowed: without the half-pixel
      // offsets a quarter turn repeated one edge row and lost the opposite one.
      const double sx = inv.ia * (x + 0.5) + inv.ic * (y + 0.5) + inv.itx;
      const double sy = inv.ib * (x + 0.5) + inv.id * (y + 0.5) + inv.ity;
      const int32_t xi = clamp_index(sx, w), yi = clamp_index(sy, h);
      const uint8_t* smask =
          j.source_mask ? j.source_mask + ptrdiff_t(yi) * j.source_mask_bpr : nullptr;
      if (!j.smooth) {
        if (pixels) drow[x] = j.source[ptrdiff_t(yi) * j.source_ppr + xi];
        if (smask) {
          if (mrow) (mask_bit(smask, j.sx + xi) ? mask_bit_set : mask_bit_clear)(mrow, x);
        } else if (j.source_alpha) {
          if (arow) arow[x] = j.source_alpha[ptrdiff_t(yi) * j.source_alpha_bpr + xi];
        } else if (mrow) {
          mask_bit_set(mrow, x);
        }
        continue;
      }
      // Bilinear between the four pixel centres around the sample point, each limited to the
      // source.
      const double bx = sx - 0.5, by = sy - 0.5;
      const double flx = std::floor(bx), fly = std::floor(by);
      const int32_t xt = clamp_index(flx, w), yt = clamp_index(fly, h);
      const int32_t xn = clamp_index(flx + 1.0, w), yn = clamp_index(fly + 1.0, h);
      const int32_t nx[4] = {xt, xn, xt, xn};
      const int32_t ny[4] = {yt, yt, yn, yn};
      bool opaque[4] = {true, true, true, true};
      int32_t alpha[4] = {0, 0, 0, 0};
      if (j.source_alpha) {
        for (int k = 0; k < 4; ++k) {
          alpha[k] = j.source_alpha[ptrdiff_t(ny[k]) * j.source_alpha_bpr + nx[k]];
          opaque[k] = alpha[k] != 0;
        }
      } else if (j.source_mask) {
        for (int k = 0; k < 4; ++k)
          opaque[k] = mask_bit(j.source_mask + ptrdiff_t(ny[k]) * j.source_mask_bpr, j.sx + nx[k]);
      }
      uint32_t c[4] = {0, 0, 0, 0};
      for (int k = 0; k < 4; ++k)
        if (opaque[k] && j.source) c[k] = j.source[ptrdiff_t(ny[k]) * j.source_ppr + nx[k]];
      if (j.source_mask && !j.source_alpha) {
        int first = -1;
        for (int k = 0; k < 4 && first < 0; ++k)
          if (opaque[k]) first = k;
        if (first < 0) {
          if (mrow) mask_bit_clear(mrow, x);
          continue;
        }
        for (int k = 0; k < 4; ++k)
          if (!opaque[k]) c[k] = c[first];
      }
      const double fx = bx - flx, fy = by - fly;
      auto mix = [&](int32_t c00, int32_t c10, int32_t c01, int32_t c11) {
        const double v =
            (c00 * (1 - fx) + c10 * fx) * (1 - fy) + (c01 * (1 - fx) + c11 * fx) * fy + 0.5;
        return int32_t(v);
      };
      if constexpr (F::kWritesPixels) {
        if (pixels)
          drow[x] = F::pack(mix(F::r(c[0]), F::r(c[1]), F::r(c[2]), F::r(c[3])),
                            mix(F::g(c[0]), F::g(c[1]), F::g(c[2]), F::g(c[3])),
                            mix(F::b(c[0]), F::b(c[1]), F::b(c[2]), F::b(c[3])));
      }
      if (smask) {
        if (mrow) (mask_bit(smask, j.sx + xi) ? mask_bit_set : mask_bit_clear)(mrow, x);
      } else if (j.source_alpha) {
        if (arow) arow[x] = uint8_t(mix(alpha[0], alpha[1], alpha[2], alpha[3]));
      } else if (mrow) {
        mask_bit_set(mrow, x);
      }
    }
  }
}

// Pixel formats outside 10..13 write no pixel but still carry the planes.
struct NoPixels {
  static constexpr bool kWritesPixels = false;
  static int r(uint32_t) { return 0; }
  static int g(uint32_t) { return 0; }
  static int b(uint32_t) { return 0; }
  static uint32_t pack(int, int, int) { return 0; }
};

}  // namespace

void transform_pixels(const qmTransformJob& j) {
  if (j.source_width < 1 || j.source_height < 1 || j.dest_width < 1 || j.dest_height < 1) return;
  const double* m = j.transform;
  const double a = m[0], b = m[1], c = m[2], d = m[3], tx = m[4], ty = m[5];
  for (int k = 0; k < 6; ++k)
    if (!std::isfinite(m[k])) return;
  const double det = a * d - c * b;
  if (det == 0.0 || !std::isfinite(det)) return;
  Inverse inv;
  inv.ia = d / det;
  inv.ib = -b / det;
  inv.ic = -c / det;
  inv.id = a / det;
  inv.itx = -(inv.ia * tx + inv.ic * ty);
  inv.ity = -(inv.ib * tx + inv.id * ty);
  if (!std::isfinite(inv.ia) || !std::isfinite(inv.ib) || !std::isfinite(inv.ic) ||
      !std::isfinite(inv.id) || !std::isfinite(inv.itx) || !std::isfinite(inv.ity))
    return;
  const double w = j.source_width, h = j.source_height;
  const double cx[4] = {0, w, w, 0}, cy[4] = {0, 0, h, h};
  double minx = 0, maxx = 0, miny = 0, maxy = 0;
  for (int k = 0; k < 4; ++k) {
    const double x = a * cx[k] + c * cy[k] + tx, y = b * cx[k] + d * cy[k] + ty;
    if (k == 0 || x < minx) minx = x;
    if (k == 0 || x > maxx) maxx = x;
    if (k == 0 || y < miny) miny = y;
    if (k == 0 || y > maxy) maxy = y;
  }
  // Bounds far outside any bitmap cannot be converted; nothing there is drawn anyway.
  if (maxx < 0 || maxy < 0 || minx > 2e9 || miny > 2e9) return;
  minx = std::max(minx, -1.0);
  miny = std::max(miny, -1.0);
  maxx = std::min(maxx, 2e9);
  maxy = std::min(maxy, 2e9);
  if (!with_format32(j.format, [&](auto f) { run<Writes<decltype(f)>>(j, inv, minx, maxx, miny, maxy); }))
    run<NoPixels>(j, inv, minx, maxx, miny, maxy);
}

}  // namespace qm
