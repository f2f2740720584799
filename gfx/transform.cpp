// Affine resampler: each destination row is narrowed to the span whose inverse image lies in the
// source before any pixel is touched; nearest or bilinear sampling inside it.
#include "gfx/transform.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <climits>
#include <cstddef>
#include <cstring>

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

const bool g_avx2 = __builtin_cpu_supports("avx2");
bool g_force_scalar = false;

// Index of the pixel at the floored coordinate v, kept inside 0..last (v is a whole number).
__attribute__((target("avx2"))) inline __m128i clamp_lanes(__m256d v, __m256d last) {
  return _mm256_cvttpd_epi32(_mm256_min_pd(_mm256_max_pd(v, _mm256_setzero_pd()), last));
}

template <int Shift>
__attribute__((target("avx2"))) inline __m256d channel(__m128i words) {
  return _mm256_cvtepi32_pd(_mm_and_si128(_mm_srli_epi32(words, Shift), _mm_set1_epi32(0xFF)));
}

// One channel of four pixels, in the order and precision of the pixel loop's mix.
template <int Shift>
__attribute__((target("avx2"))) inline __m128i mix_lanes(__m128i p00, __m128i p10, __m128i p01,
                                                         __m128i p11, __m256d fx, __m256d gx,
                                                         __m256d fy, __m256d gy) {
  const __m256d top = _mm256_add_pd(_mm256_mul_pd(channel<Shift>(p00), gx),
                                    _mm256_mul_pd(channel<Shift>(p10), fx));
  const __m256d bottom = _mm256_add_pd(_mm256_mul_pd(channel<Shift>(p01), gx),
                                       _mm256_mul_pd(channel<Shift>(p11), fx));
  const __m256d v = _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(top, gy), _mm256_mul_pd(bottom, fy)),
                                  _mm256_set1_pd(0.5));
  return _mm_slli_epi32(_mm256_cvttpd_epi32(v), Shift);
}

// Four alpha bytes of the plane at the given offsets.
__attribute__((target("avx2"))) inline __m128i alpha_lanes(const uint8_t* plane, __m128i at) {
  return _mm_setr_epi32(plane[_mm_cvtsi128_si32(at)], plane[_mm_extract_epi32(at, 1)],
                        plane[_mm_extract_epi32(at, 2)], plane[_mm_extract_epi32(at, 3)]);
}

// The smooth loop four destination pixels at a time for a source without a mask: every lane
// does the pixel loop's double arithmetic in the same order (no fused multiply-add), so the
// bytes are the same. Returns the first column left to the pixel loop.
template <typename F>
__attribute__((target("avx2"))) int32_t smooth_row_avx2(const qmTransformJob& j, const Inverse& inv,
                                                        int32_t y, int32_t x0, int32_t x1,
                                                        uint32_t* drow, uint8_t* mrow,
                                                        uint8_t* arow) {
  const __m256d ia = _mm256_set1_pd(inv.ia), ib = _mm256_set1_pd(inv.ib);
  const __m256d row_x = _mm256_set1_pd(inv.ic * (y + 0.5)), row_y = _mm256_set1_pd(inv.id * (y + 0.5));
  const __m256d tx = _mm256_set1_pd(inv.itx), ty = _mm256_set1_pd(inv.ity);
  const __m256d half = _mm256_set1_pd(0.5), one = _mm256_set1_pd(1.0);
  const __m256d last_x = _mm256_set1_pd(j.source_width - 1);
  const __m256d last_y = _mm256_set1_pd(j.source_height - 1);
  const __m128i ppr = _mm_set1_epi32(j.source_ppr);
  const int* base = reinterpret_cast<const int*>(j.source);
  const uint8_t* alpha = j.source_alpha;
  const __m128i abpr = _mm_set1_epi32(j.source_alpha_bpr);
  int32_t x = x0;
  for (; x + 3 <= x1; x += 4) {
    const __m256d xc = _mm256_add_pd(
        _mm256_cvtepi32_pd(_mm_add_epi32(_mm_set1_epi32(x), _mm_setr_epi32(0, 1, 2, 3))), half);
    const __m256d bx = _mm256_sub_pd(_mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(ia, xc), row_x), tx), half);
    const __m256d by = _mm256_sub_pd(_mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(ib, xc), row_y), ty), half);
    const __m256d flx = _mm256_floor_pd(bx), fly = _mm256_floor_pd(by);
    const __m128i xt = clamp_lanes(flx, last_x), xn = clamp_lanes(_mm256_add_pd(flx, one), last_x);
    const __m128i rt = _mm_mullo_epi32(clamp_lanes(fly, last_y), ppr);
    const __m128i rn = _mm_mullo_epi32(clamp_lanes(_mm256_add_pd(fly, one), last_y), ppr);
    __m128i p00 = _mm_i32gather_epi32(base, _mm_add_epi32(rt, xt), 4);
    __m128i p10 = _mm_i32gather_epi32(base, _mm_add_epi32(rt, xn), 4);
    __m128i p01 = _mm_i32gather_epi32(base, _mm_add_epi32(rn, xt), 4);
    __m128i p11 = _mm_i32gather_epi32(base, _mm_add_epi32(rn, xn), 4);
    const __m256d fx = _mm256_sub_pd(bx, flx), fy = _mm256_sub_pd(by, fly);
    const __m256d gx = _mm256_sub_pd(one, fx), gy = _mm256_sub_pd(one, fy);
    if (alpha) {
      // A neighbour of alpha 0 counts as black.
      const __m128i at = _mm_mullo_epi32(clamp_lanes(fly, last_y), abpr);
      const __m128i an = _mm_mullo_epi32(clamp_lanes(_mm256_add_pd(fly, one), last_y), abpr);
      const __m128i a00 = alpha_lanes(alpha, _mm_add_epi32(at, xt));
      const __m128i a10 = alpha_lanes(alpha, _mm_add_epi32(at, xn));
      const __m128i a01 = alpha_lanes(alpha, _mm_add_epi32(an, xt));
      const __m128i a11 = alpha_lanes(alpha, _mm_add_epi32(an, xn));
      const __m128i zero = _mm_setzero_si128();
      p00 = _mm_andnot_si128(_mm_cmpeq_epi32(a00, zero), p00);
      p10 = _mm_andnot_si128(_mm_cmpeq_epi32(a10, zero), p10);
      p01 = _mm_andnot_si128(_mm_cmpeq_epi32(a01, zero), p01);
      p11 = _mm_andnot_si128(_mm_cmpeq_epi32(a11, zero), p11);
      if (arow) {
        const __m128i a = mix_lanes<0>(a00, a10, a01, a11, fx, gx, fy, gy);
        const uint32_t bytes = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packus_epi32(a, a), zero)));
        std::memcpy(arow + x, &bytes, 4);
      }
    }
    const __m128i r = mix_lanes<F::r_shift>(p00, p10, p01, p11, fx, gx, fy, gy);
    const __m128i g = mix_lanes<F::g_shift>(p00, p10, p01, p11, fx, gx, fy, gy);
    const __m128i b = mix_lanes<F::b_shift>(p00, p10, p01, p11, fx, gx, fy, gy);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(drow + x), _mm_or_si128(_mm_or_si128(r, g), b));
    if (mrow && !alpha)
      for (int32_t k = 0; k < 4; ++k) mask_bit_set(mrow, x + k);
  }
  return x;
}

template <typename F>
void run(const qmTransformJob& j, const Inverse& inv, double minx, double maxx, double miny,
         double maxy) {
  const bool pixels = j.source && j.dest && j.bytes_per_pixel == 4;
  const int32_t w = j.source_width, h = j.source_height;
  // Gathered pixels and alpha bytes are addressed by 32-bit indices.
  const bool vector = pixels && j.smooth && !j.source_mask && g_avx2 && !g_force_scalar &&
                      j.source_ppr >= 0 && int64_t(h - 1) * j.source_ppr + w <= INT32_MAX &&
                      (!j.source_alpha || (j.source_alpha_bpr >= 0 &&
                                           int64_t(h - 1) * j.source_alpha_bpr + w <= INT32_MAX));
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
    int32_t x = x0;
    if constexpr (F::kWritesPixels)
      if (vector) x = smooth_row_avx2<F>(j, inv, y, x0, x1, drow, mrow, arow);
    for (; x <= x1; ++x) {
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

void transform_force_scalar(bool on) { g_force_scalar = on; }

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
