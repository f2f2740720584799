// Displacement effects (swirl, water ripple), mirroring and pixelation: pixels move together with
// their mask bit and alpha byte.
#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <type_traits>
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

// The swirl's geometry at a non-negative turn: the turn depends on the whole distance from the
// centre alone, so its sine and cosine are read once per distance a frame.
struct SwirlRows {
  double ax, ay, cx, cy, R, R2, t;
  const double* sines;  // the tables
  const double* cosines;
  const double* turn;  // per whole distance 0..reach: the turn's sine and cosine side by side
  int32_t reach, w, h;
  bool divide_x;     // the scale that is not 1: ax (else ay)
  bool float_roots;  // every squared distance inside the circle below 2^22
};

// The table entry of a non-negative turn at whole distance n from the centre.
int32_t swirl_entry(const SwirlRows& g, int32_t n) {
  const double f = 1.0 - n / g.R;
  double a = f * (g.t * f);
  if (a >= kTwoPi) a -= kTwoPi * std::floor(a / kTwoPi);
  return std::clamp(to_i32(a / 0.001), 0, kEffectTableSize - 1);
}

// The geometry of a w x h picture at `degrees` >= 0, the turn's sines and cosines per whole
// distance read from the tables at the turn modulo a whole circle.
SwirlRows swirl_rows(int32_t w, int32_t h, double degrees, const double* sines, const double* cosines,
                     std::vector<double>& turn) {
  const double W = w, H = h;
  const double cx = W * 0.5, cy = H * 0.5, R = std::max(cx, cy);
  const double ax = w <= h ? H / W : 1.0, ay = w <= h ? 1.0 : W / H;
  const int32_t reach = to_i32(R) + 2;
  // One of the two scales is 1, and x / 1 is x: only the other divides.
  SwirlRows g{ax, ay, cx, cy, R, R * R, degrees * 0.017453292519943295, sines, cosines, nullptr, reach, w, h,
              w <= h, R * R <= double(1 << 22)};
  turn.resize(2 * (size_t(reach) + 1));
  for (int32_t n = 0; n <= reach; ++n) {
    const int32_t i = swirl_entry(g, n);
    turn[2 * size_t(n)] = sines[i], turn[2 * size_t(n) + 1] = cosines[i];
  }
  g.turn = turn.data();
  return g;
}

// Where pixel x of a row at dy (dy2 = dy * dy) inside the circle takes its pixel from: the exact
// integer root of the squared distance's whole part (as isqrt gives it), the turn's sine and
// cosine, the rotation, the division by the scale, truncation and the clamp to the picture.
inline void swirl_source(const SwirlRows& g, int32_t x, double dy, double dy2, int32_t* ux, int32_t* uy) {
  const double dx = g.ax * (x - g.cx);
  const double d2 = dx * dx + dy2;
  const int32_t whole = to_i32(d2);
  const int32_t n = whole >= 0 ? int32_t(std::sqrt(double(whole))) : -1;
  double s, c;
  if (n >= 0 && n <= g.reach) {
    s = g.turn[2 * size_t(n)], c = g.turn[2 * size_t(n) + 1];
  } else {
    const int32_t i = swirl_entry(g, n);
    s = g.sines[i], c = g.cosines[i];
  }
  double u = dx * c - dy * s, v = dx * s + dy * c;
  if (g.divide_x) u /= g.ax;
  else v /= g.ay;
  *ux = std::clamp(to_i32(u + g.cx), 0, g.w - 1);
  *uy = std::clamp(to_i32(v + g.cy), 0, g.h - 1);
}

// The swirl's geometry: calls fetch(x, y, sx, sy) for every pixel of a w x h image with the
// position its pixel is taken from at a turn of `degrees` (outside the circle its own position).
// Negative turns compute their sines.
template <typename Fetch>
void swirl_map(int32_t w, int32_t h, double degrees, const double* sines, const double* cosines, Fetch&& fetch) {
  if (degrees < 0) {
    const double W = w, H = h;
    const double cx = W * 0.5, cy = H * 0.5, R = std::max(cx, cy);
    const double t = degrees * 0.017453292519943295;
    const double ax = w <= h ? H / W : 1.0, ay = w <= h ? 1.0 : W / H;
    for (int32_t y = 0; y < h; ++y) {
      const double dy = ay * (y - cy);
      for (int32_t x = 0; x < w; ++x) {
        const double dx = ax * (x - cx);
        const double d2 = dx * dx + dy * dy;
        if (d2 >= R * R) {
          fetch(x, y, x, y);
          continue;
        }
        const double f = 1.0 - isqrt(to_i32(d2)) / R;
        const double s = std::sin(t * f * f), c = std::cos(t * f * f);
        const int32_t ux = std::clamp(to_i32((dx * c - dy * s) / ax + cx), 0, w - 1);
        const int32_t uy = std::clamp(to_i32((dx * s + dy * c) / ay + cy), 0, h - 1);
        fetch(x, y, ux, uy);
      }
    }
    return;
  }
  std::vector<double> turn;
  const SwirlRows g = swirl_rows(w, h, degrees, sines, cosines, turn);
  for (int32_t y = 0; y < h; ++y) {
    const double dy = g.ay * (y - g.cy);
    const double dy2 = dy * dy;
    for (int32_t x = 0; x < w; ++x) {
      const double dx = g.ax * (x - g.cx);
      if (dx * dx + dy2 >= g.R2) {
        fetch(x, y, x, y);
        continue;
      }
      int32_t ux, uy;
      swirl_source(g, x, dy, dy2, &ux, &uy);
      fetch(x, y, ux, uy);
    }
  }
}

}  // namespace

namespace {

const bool g_avx2 = __builtin_cpu_supports("avx2");
bool g_swirl_scalar = false;

// A row's part inside the circle, [first, end): one run about the centre, since the squared
// distance, computed as the per-pixel loop does, grows with |x - cx| on either side.
struct SwirlSpan {
  int32_t first, end;
};

SwirlSpan swirl_span(const SwirlRows& g, int32_t y) {
  const double dy = g.ay * (y - g.cy), dy2 = dy * dy;
  auto in_circle = [&](int32_t x) {
    const double d = g.ax * (x - g.cx);
    return d * d + dy2 < g.R2;
  };
  const int32_t mid = std::clamp(int32_t(g.cx), 0, g.w - 1);
  if (!in_circle(mid)) return {g.w, g.w};
  int32_t lo = 0, hi = mid;  // the first pixel inside lies in [lo, hi]
  while (lo < hi) {
    const int32_t m = lo + (hi - lo) / 2;
    if (in_circle(m)) hi = m;
    else lo = m + 1;
  }
  const int32_t first = lo;
  lo = mid, hi = g.w - 1;  // and the last in [lo, hi]
  while (lo < hi) {
    const int32_t m = lo + (hi - lo + 1) / 2;
    if (in_circle(m)) lo = m;
    else hi = m - 1;
  }
  return {first, lo + 1};
}

// The placed pixels of one row: for each pixel inside the circle the offset of its source pixel
// in the source picture and in its alpha plane, and whether the mirror rule below may not hold
// for it.
struct SwirlRow {
  int32_t* at;
  int32_t* alpha_at;  // or nullptr
  uint8_t* near;
  SwirlSpan span;
};

// What the vector loop needs besides the geometry: the source's strides and its far corner's
// offsets, (h - 1) x stride + w - 1 in each plane.
struct SwirlSource {
  const uint32_t* pixels;
  int32_t ppr, bpr;
  int32_t corner, alpha_corner;
};

// Rounding a sum that lies this close to a whole number might take it across.
constexpr double kNearWhole = 1e-6;

__attribute__((target("avx2"), always_inline)) inline __m256d near_whole_avx2(__m256d v, __m256d sign, __m256d limit) {
  const __m256d whole = _mm256_round_pd(v, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
  return _mm256_cmp_pd(_mm256_andnot_pd(sign, _mm256_sub_pd(v, whole)), limit, _CMP_LT_OQ);
}

// Pixels [x, to) of row y, four at a time while four fit in the row, computed as swirl_source
// computes them, operation for operation in the same order (no fused multiply-adds), so that every
// source is the same. The one difference: the scale's division is a multiplication by its inverse,
// which can differ from it in the last place; the sum truncated is then checked, and a group in
// which one lies near a whole number is divided after all. Returns where it stopped. With
// `ahead`, also asks for the source lines of this row and of its mirror row to be fetched.
__attribute__((target("avx2"))) int32_t swirl_place_avx2(const SwirlRows& g, const SwirlSource& src, int32_t y,
                                                         int32_t x, int32_t to, SwirlRow& row, bool ahead) {
  const double dy_s = g.ay * (y - g.cy);
  const __m256d ax = _mm256_set1_pd(g.ax), cx = _mm256_set1_pd(g.cx), cy = _mm256_set1_pd(g.cy);
  const __m256d scale = _mm256_set1_pd(g.divide_x ? g.ax : g.ay), inverse = _mm256_set1_pd(1.0 / (g.divide_x ? g.ax : g.ay));
  const __m256d R2 = _mm256_set1_pd(g.R2), dy = _mm256_set1_pd(dy_s), dy2 = _mm256_set1_pd(dy_s * dy_s);
  const __m256d sign = _mm256_set1_pd(-0.0), near_whole = _mm256_set1_pd(kNearWhole);
  const __m128i zero = _mm_setzero_si128(), reach = _mm_set1_epi32(g.reach);
  const __m128i last_x = _mm_set1_epi32(g.w - 1), last_y = _mm_set1_epi32(g.h - 1), this_row = _mm_set1_epi32(y);
  const __m128i ppr = _mm_set1_epi32(src.ppr), bpr = _mm_set1_epi32(src.bpr);
  const __m128i lanes = _mm_setr_epi32(0, 1, 2, 3);
  for (; x < to && x + 4 <= g.w; x += 4) {
    const __m128i xs = _mm_add_epi32(_mm_set1_epi32(x), lanes);
    const __m256d dx = _mm256_mul_pd(ax, _mm256_sub_pd(_mm256_cvtepi32_pd(xs), cx));
    const __m256d d2 = _mm256_add_pd(_mm256_mul_pd(dx, dx), dy2);
    const __m256d inside = _mm256_cmp_pd(d2, R2, _CMP_LT_OQ);
    const __m128i whole = _mm256_cvttpd_epi32(d2);
    // Below 2^22 a float root truncates to the exact integer root, and costs less.
    __m128i n = g.float_roots ? _mm_cvttps_epi32(_mm_sqrt_ps(_mm_cvtepi32_ps(whole)))
                              : _mm256_cvttpd_epi32(_mm256_sqrt_pd(_mm256_cvtepi32_pd(whole)));
    n = _mm_min_epi32(_mm_max_epi32(n, zero), reach);  // limits only lanes outside the circle
    // Each lane's sine and cosine are one 16-byte load; two unpacks sort them into sines and cosines.
    const double* t = g.turn;
    const __m256d s02 = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(t + 2 * _mm_cvtsi128_si32(n))),
                                             _mm_loadu_pd(t + 2 * _mm_extract_epi32(n, 2)), 1);
    const __m256d s13 = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(t + 2 * _mm_extract_epi32(n, 1))),
                                             _mm_loadu_pd(t + 2 * _mm_extract_epi32(n, 3)), 1);
    const __m256d s = _mm256_unpacklo_pd(s02, s13), c = _mm256_unpackhi_pd(s02, s13);
    const __m256d u = _mm256_sub_pd(_mm256_mul_pd(dx, c), _mm256_mul_pd(dy, s));
    const __m256d v = _mm256_add_pd(_mm256_mul_pd(dx, s), _mm256_mul_pd(dy, c));
    __m256d a, b;
    if (g.divide_x) {
      a = _mm256_add_pd(_mm256_mul_pd(u, inverse), cx), b = _mm256_add_pd(v, cy);
    } else {
      a = _mm256_add_pd(u, cx), b = _mm256_add_pd(_mm256_mul_pd(v, inverse), cy);
    }
    const __m256d near_a = near_whole_avx2(a, sign, near_whole), near_b = near_whole_avx2(b, sign, near_whole);
    if (_mm256_movemask_pd(_mm256_and_pd(g.divide_x ? near_a : near_b, inside)) != 0) {
      if (g.divide_x) a = _mm256_add_pd(_mm256_div_pd(u, scale), cx);
      else b = _mm256_add_pd(_mm256_div_pd(v, scale), cy);
    }
    __m128i ux = _mm_min_epi32(_mm_max_epi32(_mm256_cvttpd_epi32(a), zero), last_x);
    __m128i uy = _mm_min_epi32(_mm_max_epi32(_mm256_cvttpd_epi32(b), zero), last_y);
    // The lanes' comparison, 64 bits each, narrowed to 32: outside takes the pixel's own place.
    const __m128i in = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(
        _mm256_castpd_si256(inside), _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6)));
    ux = _mm_blendv_epi8(xs, ux, in);
    uy = _mm_blendv_epi8(this_row, uy, in);
    const __m128i at = _mm_add_epi32(_mm_mullo_epi32(uy, ppr), ux);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row.at + x), at);
    if (row.alpha_at)
      _mm_storeu_si128(reinterpret_cast<__m128i*>(row.alpha_at + x), _mm_add_epi32(_mm_mullo_epi32(uy, bpr), ux));
    const uint32_t flags = uint32_t(_mm256_movemask_pd(_mm256_or_pd(near_a, near_b)));
    const uint32_t bytes = (flags & 1) | (flags & 2) << 7 | (flags & 4) << 14 | (flags & 8) << 21;
    std::memcpy(row.near + x, &bytes, 4);
    if (ahead) {
      const int32_t first = _mm_cvtsi128_si32(at);
      _mm_prefetch(reinterpret_cast<const char*>(src.pixels + first), _MM_HINT_T0);
      _mm_prefetch(reinterpret_cast<const char*>(src.pixels + (src.corner - first)), _MM_HINT_T0);
    }
  }
  return x;
}

// Pixels [x, to) of row y inside the circle one at a time, as the per-pixel loop places them;
// their mirrors are placed directly too.
void swirl_place_each(const SwirlRows& g, const SwirlSource& src, int32_t y, int32_t x, int32_t to, SwirlRow& row) {
  const double dy = g.ay * (y - g.cy), dy2 = dy * dy;
  for (; x < to; ++x) {
    int32_t ux, uy;
    swirl_source(g, x, dy, dy2, &ux, &uy);
    row.at[x] = uy * src.ppr + ux;
    if (row.alpha_at) row.alpha_at[x] = uy * src.bpr + ux;
    row.near[x] = 1;
  }
}

// Row h - y from row y. The swirl turns pixel (w - x, h - y) by the same angle as (x, y), with both
// distances from the centre negated exactly, so its sums are the row's negated: once truncated and
// clamped, source (w - 1 - ux, h - 1 - uy), unless a sum lay near a whole number, where the two
// roundings may fall on different sides of it. Offsets: the far corner's minus the row's. Pixels
// without a placed mirror (flagged, outside its span, or at x = 0, whose mirror lies past the row)
// are placed directly.
__attribute__((target("avx2"))) void swirl_mirror_avx2(const SwirlRows& g, const SwirlSource& src,
                                                       const SwirlRow& upper, int32_t y, SwirlRow& row) {
  row.span = swirl_span(g, y);
  const __m128i corner = _mm_set1_epi32(src.corner), alpha_corner = _mm_set1_epi32(src.alpha_corner);
  int32_t x = row.span.first;
  for (; x < row.span.end && x + 4 <= g.w; x += 4) {
    const int32_t m = g.w - x - 3;  // lanes x .. x + 3 mirror m + 3 .. m
    uint32_t flagged = 1;
    if (m >= upper.span.first && m + 3 < upper.span.end) std::memcpy(&flagged, upper.near + m, 4);
    if (flagged != 0) {
      swirl_place_avx2(g, src, y, x, x + 4, row, false);
      continue;
    }
    const __m128i at = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(upper.at + m)), 0x1B);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row.at + x), _mm_sub_epi32(corner, at));
    if (row.alpha_at) {
      const __m128i alpha_at = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(upper.alpha_at + m)), 0x1B);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(row.alpha_at + x), _mm_sub_epi32(alpha_corner, alpha_at));
    }
  }
  swirl_place_each(g, src, y, x, row.span.end, row);
}

// Draws row y: the pixels before and after the circle keep their places and are copied as runs,
// the placed ones are read one by one (gathers cost more than the loads here); the alpha bytes, if
// any, follow the same places.
void swirl_draw(const qmSwirl& s, const SwirlRow& row, int32_t y) {
  const uint32_t* source_row = s.source + ptrdiff_t(y) * s.source_ppr;
  uint32_t* target = s.target + ptrdiff_t(y) * s.target_ppr;
  const bool alpha = row.alpha_at != nullptr;
  const uint8_t* source_alpha_row = alpha ? s.source_alpha + ptrdiff_t(y) * s.source_alpha_bpr : nullptr;
  uint8_t* target_alpha = alpha ? s.target_alpha + ptrdiff_t(y) * s.target_alpha_bpr : nullptr;
  auto copy = [&](int32_t from, int32_t to) {
    if (to <= from) return;
    std::memmove(target + from, source_row + from, size_t(to - from) * 4);
    if (alpha) std::memmove(target_alpha + from, source_alpha_row + from, size_t(to - from));
  };
  const SwirlSpan span = row.span;
  copy(0, span.first);
  copy(span.end, s.width);
  const uint32_t* source = s.source;
  const int32_t* at = row.at;
  for (int32_t x = span.first; x < span.end; ++x) target[x] = source[at[x]];
  if (!alpha) return;
  const uint8_t* source_alpha = s.source_alpha;
  const int32_t* alpha_at = row.alpha_at;
  for (int32_t x = span.first; x < span.end; ++x) target_alpha[x] = source_alpha[alpha_at[x]];
}

// The value of every byte of a w x h alpha plane, or -1 when they differ.
int32_t uniform_alpha(const uint8_t* plane, ptrdiff_t bpr, int32_t w, int32_t h) {
  const uint8_t value = plane[0];
  const uint64_t word = 0x0101010101010101ull * value;
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* row = plane + y * bpr;
    int32_t x = 0;
    for (uint64_t v; x + 8 <= w; x += 8)
      if (std::memcpy(&v, row + x, 8), v != word) return -1;
    for (; x < w; ++x)
      if (row[x] != value) return -1;
  }
  return value;
}

}  // namespace

void swirl_force_scalar(bool on) { g_swirl_scalar = on; }

void swirl_render(const qmSwirl& s, double angle) {
  if (s.width < 1 || s.height < 1) return;
  const int32_t w = s.width, h = s.height;
  const bool alpha = s.source_alpha && s.target_alpha;
  // A picture seen whole (or through one level) keeps its alpha wherever its pixels go: only the
  // pixels move, at half the reads.
  if (alpha) {
    if (const int32_t value = uniform_alpha(s.source_alpha, s.source_alpha_bpr, w, h); value >= 0) {
      qmSwirl pixels = s;
      pixels.source_alpha = nullptr, pixels.target_alpha = nullptr;
      swirl_render(pixels, angle);
      for (int32_t y = 0; y < h; ++y) std::memset(s.target_alpha + ptrdiff_t(y) * s.target_alpha_bpr, value, size_t(w));
      return;
    }
  }
  // The vector loop holds the squared distance's whole part in 32 bits (below 2^31 inside the
  // circle for every picture up to 46340 pixels across) and the sources' offsets too.
  const int64_t corner = int64_t(h - 1) * s.source_ppr + w - 1;
  const int64_t alpha_corner = alpha ? int64_t(h - 1) * s.source_alpha_bpr + w - 1 : 0;
  bool vector = g_avx2 && !g_swirl_scalar && angle >= 0 && std::max(w, h) <= 46340 && s.source_ppr >= w &&
                corner <= INT32_MAX && (!alpha || (s.source_alpha_bpr >= w && alpha_corner <= INT32_MAX));
  std::vector<int32_t> places;
  std::vector<uint8_t> nears;
  if (vector) {
    try {
      places.resize((alpha ? 6 : 3) * size_t(w));
      nears.resize(3 * size_t(w));
    } catch (const std::bad_alloc&) {
      vector = false;
    }
  }
  if (!vector) {
    const uint32_t* source = s.source;
    uint32_t* target = s.target;
    const ptrdiff_t source_ppr = s.source_ppr, target_ppr = s.target_ppr;
    if (!alpha) {
      swirl_map(w, h, angle, s.sines, s.cosines, [=](int32_t x, int32_t y, int32_t ux, int32_t uy) {
        target[y * target_ppr + x] = source[uy * source_ppr + ux];
      });
      return;
    }
    const uint8_t* source_alpha = s.source_alpha;
    uint8_t* target_alpha = s.target_alpha;
    const ptrdiff_t source_bpr = s.source_alpha_bpr, target_bpr = s.target_alpha_bpr;
    swirl_map(w, h, angle, s.sines, s.cosines, [=](int32_t x, int32_t y, int32_t ux, int32_t uy) {
      target[y * target_ppr + x] = source[uy * source_ppr + ux];
      target_alpha[y * target_bpr + x] = source_alpha[uy * source_bpr + ux];
    });
    return;
  }
  std::vector<double> turn;
  const SwirlRows g = swirl_rows(w, h, angle, s.sines, s.cosines, turn);
  const SwirlSource src{s.source, s.source_ppr, alpha ? s.source_alpha_bpr : 0, int32_t(corner), int32_t(alpha_corner)};
  SwirlRow rows[3];
  for (size_t i = 0; i < 3; ++i)
    rows[i] = {places.data() + i * size_t(w), alpha ? places.data() + (3 + i) * size_t(w) : nullptr,
               nears.data() + i * size_t(w), {w, w}};
  SwirlRow *placed = &rows[0], *next = &rows[1], *mirror = &rows[2];
  // The upper rows 0 .. h / 2 are placed, each while the one before it is drawn, so that the
  // scattered source lines that it and its mirror read are on their way by the time they are
  // needed (the processor does not see them coming on its own); neighbouring rows read mostly
  // the same lines, so asking for every other row's is enough. Row h - y follows from row y.
  auto place = [&](SwirlRow& row, int32_t y) {
    row.span = swirl_span(g, y);
    const int32_t stop = swirl_place_avx2(g, src, y, row.span.first, row.span.end, row, true);
    swirl_place_each(g, src, y, stop, row.span.end, row);
  };
  place(*placed, 0);
  for (int32_t y = 0; y <= h / 2; ++y) {
    if (y + 1 <= h / 2) place(*next, y + 1);
    if (y >= 1 && h - y > y) {
      swirl_mirror_avx2(g, src, *placed, h - y, *mirror);
      swirl_draw(s, *mirror, h - y);
    }
    swirl_draw(s, *placed, y);
    std::swap(placed, next);
  }
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

namespace {

bool g_ripple_scalar = false;

// What a row of the ripple's vector loop needs: the per-distance factors of the frame (0..reach),
// the picture's size and the centre.
struct RippleRows {
  const double* factors;
  int32_t reach, w, h, centre_x, centre_y;
  // Every squared distance below 2^22: the distances are computed instead of read (the table
  // holds the integer roots of the same sums), as float roots, which truncate to the exact
  // integer roots below 2^23.
  bool computed;
};

// Four pixels at a time of the per-pixel loop, operation for operation in the same order (no fused
// multiply-adds): the factor of each pixel's distance, the move of both coordinates by it, the
// limit to the picture (NaN and below 0 give 0, size and above the last) and truncation. Returns
// where it stopped: a group holding a distance beyond the factors is left to the per-pixel loop.
__attribute__((target("avx2"))) int32_t ripple_row_avx2(const RippleRows& g, int32_t y, const int32_t* distance,
                                                        const uint32_t* source, ptrdiff_t source_ppr, uint32_t* target,
                                                        const uint8_t* source_alpha, ptrdiff_t source_bpr,
                                                        uint8_t* target_alpha) {
  const __m128i reach = _mm_set1_epi32(g.reach), lanes = _mm_setr_epi32(0, 1, 2, 3), centre_x = _mm_set1_epi32(g.centre_x);
  const __m256d zero = _mm256_setzero_pd();
  const __m256d last_x = _mm256_set1_pd(g.w - 1), last_y = _mm256_set1_pd(g.h - 1);
  const __m256d row = _mm256_set1_pd(y), from_centre_y = _mm256_set1_pd(y - g.centre_y);
  const __m256i ppr = _mm256_set1_epi64x(source_ppr), bpr = _mm256_set1_epi64x(source_bpr);
  const int64_t from_y = int64_t(y) - g.centre_y;
  const __m128i dy2 = _mm_set1_epi32(g.computed ? int32_t(from_y * from_y) : 0);
  // The waves move pixels by a few dozen rows at most: the source rows further down are fetched
  // ahead of the rows that read them (the processor does not follow gathers on its own).
  constexpr int32_t ahead = 32;
  const bool fetch_ahead = y + ahead < g.h;
  const uint32_t* later = fetch_ahead ? source + (y + ahead) * source_ppr + 64 : nullptr;
  const uint8_t* later_alpha = fetch_ahead && target_alpha ? source_alpha + (y + ahead) * source_bpr + 64 : nullptr;
  int32_t x = 0;
  for (; x + 4 <= g.w; x += 4) {
    if (later && (x & 15) == 0) {
      _mm_prefetch(reinterpret_cast<const char*>(later + x), _MM_HINT_T0);
      if (later_alpha && (x & 63) == 0) _mm_prefetch(reinterpret_cast<const char*>(later_alpha + x), _MM_HINT_T0);
    }
    const __m128i xs = _mm_add_epi32(_mm_set1_epi32(x), lanes);
    __m128i d;
    if (g.computed) {
      const __m128i dx = _mm_sub_epi32(xs, centre_x);
      d = _mm_cvttps_epi32(_mm_sqrt_ps(_mm_cvtepi32_ps(_mm_add_epi32(_mm_mullo_epi32(dx, dx), dy2))));
    } else {
      d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(distance + x));
      // A distance outside the table leaves the group to the per-pixel loop.
      if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpgt_epi32(d, reach), _mm_cmplt_epi32(d, _mm_setzero_si128()))) != 0)
        break;
    }
    const __m256d k = _mm256_mask_i32gather_pd(zero, g.factors, d, _mm256_castsi256_pd(_mm256_set1_epi64x(-1)), 8);
    const __m256d u = _mm256_add_pd(_mm256_cvtepi32_pd(xs), _mm256_mul_pd(_mm256_cvtepi32_pd(_mm_sub_epi32(xs, centre_x)), k));
    const __m256d v = _mm256_add_pd(row, _mm256_mul_pd(from_centre_y, k));
    // max_pd gives its second operand for NaN: NaN and negatives become 0. A value at or beyond
    // the size truncates to the last place, as does one between the last place and the size.
    const __m128i ux = _mm256_cvttpd_epi32(_mm256_min_pd(_mm256_max_pd(u, zero), last_x));
    const __m128i uy = _mm256_cvttpd_epi32(_mm256_min_pd(_mm256_max_pd(v, zero), last_y));
    const __m256i ux64 = _mm256_cvtepi32_epi64(ux), uy64 = _mm256_cvtepi32_epi64(uy);
    const __m256i at = _mm256_add_epi64(_mm256_mul_epi32(uy64, ppr), ux64);
    const __m128i px = _mm256_mask_i64gather_epi32(_mm_setzero_si128(), reinterpret_cast<const int*>(source), at,
                                                 _mm_set1_epi32(-1), 4);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + x), px);
    if (target_alpha) {
      alignas(32) int64_t where[4];
      _mm256_store_si256(reinterpret_cast<__m256i*>(where), _mm256_add_epi64(_mm256_mul_epi32(uy64, bpr), ux64));
      for (int32_t i = 0; i < 4; ++i) target_alpha[x + i] = source_alpha[where[i]];
    }
  }
  return x;
}

}  // namespace

void ripple_force_scalar(bool on) { g_ripple_scalar = on; }

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
  // ripple_move's arithmetic in locals, which the writes of the pixels cannot alias.
  const int32_t* distance = rp.distances;
  const int32_t w = rp.width, h = rp.height, centre_x = rp.centre_x, centre_y = rp.centre_y;
  const uint32_t* source = r.source;
  const uint8_t* source_alpha = r.source_alpha;
  const ptrdiff_t source_ppr = r.source_ppr, source_bpr = r.source_alpha_bpr;
  auto limit = [](double v, int32_t size) {
    if (!(v >= 0.0)) return 0;
    if (v >= double(size)) return size - 1;
    return to_i32(v);
  };
  const bool vector = g_avx2 && !g_ripple_scalar;
  const RippleRows geometry{factors.data(), reach, w, h, centre_x, centre_y, far < (int64_t(1) << 22)};
  for (int32_t y = 0; y < h; ++y) {
    uint32_t* out = r.target + ptrdiff_t(y) * r.target_ppr;
    uint8_t* out_alpha = alpha ? r.target_alpha + ptrdiff_t(y) * r.target_alpha_bpr : nullptr;
    const int32_t* row_distance = distance + ptrdiff_t(y) * w;
    const int32_t start = vector ? ripple_row_avx2(geometry, y, row_distance, source, source_ppr, out,
                                                   alpha ? source_alpha : nullptr, source_bpr, out_alpha)
                                 : 0;
    for (int32_t x = start; x < w; ++x) {
      const int32_t d = row_distance[x];
      const double k = d >= 0 && d <= reach ? factors[size_t(d)] : ripple_factor(phase, d, rp);
      const ptrdiff_t ux = limit(x + (x - centre_x) * k, w);
      const ptrdiff_t uy = limit(y + (y - centre_y) * k, h);
      out[x] = source[uy * source_ppr + ux];
      if (alpha) out_alpha[x] = source_alpha[uy * source_bpr + ux];
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
