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

// The swirl's geometry: calls fetch(x, y, sx, sy) for every pixel of a w x h image with the
// position its pixel is taken from at a turn of `degrees` (outside the circle its own position).
// Non-negative turns read the tables at the turn modulo a whole circle; negative ones compute
// their sines.
// What a row's vector loop needs of the geometry of a non-negative turn.
struct SwirlRows {
  double ax, ay, cx, cy, R2;
  const double* turn_sines;  // per whole distance 0..reach
  const double* turn_cosines;
  int32_t reach, w, h;
  bool divide_x;  // the scale that is not 1: ax (else ay)
  bool float_roots;  // every squared distance inside the circle below 2^22
};

// Without a vector loop: every pixel goes through fetch.
struct NoRows {
  int32_t operator()(const SwirlRows&, int32_t, double, double) const { return 0; }
};

// rows(geometry, y, dy, dy2) may draw the start of a row of a non-negative turn itself, the
// same pixels as fetch would, and returns where it stopped.
template <typename Fetch, typename Rows = NoRows>
void swirl_map(int32_t w, int32_t h, double degrees, const double* sines, const double* cosines, Fetch&& fetch,
               Rows rows = {}) {
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
  if (t < 0) {
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
  // The turn depends on the whole distance alone: its sine and cosine once per distance a frame.
  const int32_t reach = to_i32(R) + 2;
  std::vector<double> turn_sines(size_t(reach) + 1), turn_cosines(size_t(reach) + 1);
  for (int32_t n = 0; n <= reach; ++n) {
    const int32_t i = entry(n);
    turn_sines[size_t(n)] = sines[i], turn_cosines[size_t(n)] = cosines[i];
  }
  // One of the two scales is 1, and x / 1 is x: only the other divides.
  const SwirlRows geometry{ax, ay, cx, cy, R * R, turn_sines.data(), turn_cosines.data(), reach, w, h, w <= h,
                           R * R <= double(1 << 22)};
  auto run = [&](auto divide_x) {
    for (int32_t y = 0; y < h; ++y) {
      const double dy = ay * (y - cy);
      const double dy2 = dy * dy;
      for (int32_t x = rows(geometry, y, dy, dy2); x < w; ++x) {
        const double dx = ax * (x - cx);
        const double d2 = dx * dx + dy2;
        if (d2 >= R * R) {
          fetch(x, y, x, y);
          continue;
        }
        // The exact integer square root of the whole part, as isqrt gives it.
        const int32_t whole = to_i32(d2);
        const int32_t n = whole >= 0 ? int32_t(std::sqrt(double(whole))) : -1;
        double s, c;
        if (n >= 0 && n <= reach) {
          s = turn_sines[size_t(n)], c = turn_cosines[size_t(n)];
        } else {
          const int32_t i = entry(n);
          s = sines[i], c = cosines[i];
        }
        double u = dx * c - dy * s, v = dx * s + dy * c;
        if constexpr (decltype(divide_x)::value) u /= ax;
        else v /= ay;
        const int32_t ux = std::clamp(to_i32(u + cx), 0, w - 1);
        const int32_t uy = std::clamp(to_i32(v + cy), 0, h - 1);
        fetch(x, y, ux, uy);
      }
    }
  };
  if (w <= h) run(std::true_type{});
  else run(std::false_type{});
}

}  // namespace

namespace {

const bool g_avx2 = __builtin_cpu_supports("avx2");
bool g_swirl_scalar = false;

// A row's part inside the circle, [first, end), of which the vector loop placed [first, stop).
struct SwirlSpan {
  int32_t first, stop, end;
};

// Four pixels at a time of what swirl_map's scalar loop computes, operation for operation in
// the same order (no fused multiply-adds), so that every source position is the same: the whole
// part of the squared distance, its exact square root, the turn's sine and cosine from the
// tables, the rotation, the division by the scale, truncation (out of range: INT32_MIN, as
// to_i32) and the clamp to the picture. Pixels outside the circle keep their own position.
// Stores the positions of row y in xs and ys at their pixel's index; with a source, also asks for
// the source's lines there to be fetched, as the row is placed one row before it is drawn.
__attribute__((target("avx2"))) SwirlSpan swirl_positions_avx2(const SwirlRows& g, int32_t y, int32_t* xs_out,
                                                               int32_t* ys_out, const uint32_t* source,
                                                               ptrdiff_t source_ppr) {
  // As swirl_map computes them.
  const double dy = g.ay * (y - g.cy), dy2 = dy * dy;
  // The circle's part of the row is one run about the centre (the squared distance, computed as
  // the per-pixel loop does, grows with |x - cx| on either side).
  auto in_circle = [&](int32_t x) {
    const double d = g.ax * (x - g.cx);
    return d * d + dy2 < g.R2;
  };
  const int32_t mid = std::clamp(int32_t(g.cx), 0, g.w - 1);
  if (!in_circle(mid)) return {g.w, g.w, g.w};
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
  const int32_t end = lo + 1;
  const __m256d ax = _mm256_set1_pd(g.ax), cx = _mm256_set1_pd(g.cx), cy = _mm256_set1_pd(g.cy);
  const __m256d scale = _mm256_set1_pd(g.divide_x ? g.ax : g.ay);
  const __m256d R2 = _mm256_set1_pd(g.R2), vdy = _mm256_set1_pd(dy), vdy2 = _mm256_set1_pd(dy2);
  const __m256d all = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
  const __m128i zero = _mm_setzero_si128(), reach = _mm_set1_epi32(g.reach);
  const __m128i last_x = _mm_set1_epi32(g.w - 1), last_y = _mm_set1_epi32(g.h - 1), row = _mm_set1_epi32(y);
  const __m256i ppr = _mm256_set1_epi64x(source_ppr);
  const __m128i lanes = _mm_setr_epi32(0, 1, 2, 3);
  int32_t x = first;
  for (; x < end && x + 4 <= g.w; x += 4) {
    const __m128i xs = _mm_add_epi32(_mm_set1_epi32(x), lanes);
    const __m256d dx = _mm256_mul_pd(ax, _mm256_sub_pd(_mm256_cvtepi32_pd(xs), cx));
    const __m256d d2 = _mm256_add_pd(_mm256_mul_pd(dx, dx), vdy2);
    const __m256d inside = _mm256_cmp_pd(d2, R2, _CMP_LT_OQ);
    const __m128i whole = _mm256_cvttpd_epi32(d2);
    // Below 2^22 a float root truncates to the exact integer root, and costs less.
    __m128i n = g.float_roots ? _mm_cvttps_epi32(_mm_sqrt_ps(_mm_cvtepi32_ps(whole)))
                              : _mm256_cvttpd_epi32(_mm256_sqrt_pd(_mm256_cvtepi32_pd(whole)));
    n = _mm_min_epi32(_mm_max_epi32(n, zero), reach);  // limits only lanes outside the circle
    const __m256d s = _mm256_mask_i32gather_pd(_mm256_setzero_pd(), g.turn_sines, n, all, 8);
    const __m256d c = _mm256_mask_i32gather_pd(_mm256_setzero_pd(), g.turn_cosines, n, all, 8);
    __m256d u = _mm256_sub_pd(_mm256_mul_pd(dx, c), _mm256_mul_pd(vdy, s));
    __m256d v = _mm256_add_pd(_mm256_mul_pd(dx, s), _mm256_mul_pd(vdy, c));
    if (g.divide_x) u = _mm256_div_pd(u, scale);
    else v = _mm256_div_pd(v, scale);
    __m128i ux = _mm256_cvttpd_epi32(_mm256_add_pd(u, cx));
    __m128i uy = _mm256_cvttpd_epi32(_mm256_add_pd(v, cy));
    ux = _mm_min_epi32(_mm_max_epi32(ux, zero), last_x);
    uy = _mm_min_epi32(_mm_max_epi32(uy, zero), last_y);
    // The lanes' comparison, 64 bits each, narrowed to 32: outside takes the pixel's own place.
    const __m128i in = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(
        _mm256_castpd_si256(inside), _mm256_setr_epi32(0, 2, 4, 6, 0, 2, 4, 6)));
    ux = _mm_blendv_epi8(xs, ux, in);
    uy = _mm_blendv_epi8(row, uy, in);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(xs_out + x), ux);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(ys_out + x), uy);
    if (source) {
      alignas(32) int64_t where[4];
      _mm256_store_si256(reinterpret_cast<__m256i*>(where),
                         _mm256_add_epi64(_mm256_mul_epi32(_mm256_cvtepi32_epi64(uy), ppr), _mm256_cvtepi32_epi64(ux)));
      for (int32_t k = 0; k < 4; ++k) _mm_prefetch(reinterpret_cast<const char*>(source + where[k]), _MM_HINT_T0);
    }
  }
  return {first, x, end};
}

// Draws the placed part of a row from the source; the alpha bytes, if any, follow the same positions.
__attribute__((target("avx2"))) void swirl_gather_avx2(int32_t from, int32_t to, const int32_t* xs, const int32_t* ys,
                                                       const uint32_t* source, ptrdiff_t source_ppr, uint32_t* target,
                                                       const uint8_t* source_alpha, ptrdiff_t source_bpr,
                                                       uint8_t* target_alpha) {
  const __m256i ppr = _mm256_set1_epi64x(source_ppr), bpr = _mm256_set1_epi64x(source_bpr);
  for (int32_t x = from; x < to; x += 4) {
    const __m256i ux64 = _mm256_cvtepi32_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i*>(xs + x)));
    const __m256i uy64 = _mm256_cvtepi32_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i*>(ys + x)));
    const __m256i at = _mm256_add_epi64(_mm256_mul_epi32(uy64, ppr), ux64);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(target + x),
                     _mm256_mask_i64gather_epi32(_mm_setzero_si128(), reinterpret_cast<const int*>(source), at,
                                                 _mm_set1_epi32(-1), 4));
    if (target_alpha) {
      alignas(32) int64_t where[4];
      _mm256_store_si256(reinterpret_cast<__m256i*>(where), _mm256_add_epi64(_mm256_mul_epi32(uy64, bpr), ux64));
      for (int32_t k = 0; k < 4; ++k) target_alpha[x + k] = source_alpha[where[k]];
    }
  }
}

}  // namespace

void swirl_force_scalar(bool on) { g_swirl_scalar = on; }

void swirl_render(const qmSwirl& s, double angle) {
  if (s.width < 1 || s.height < 1) return;
  const uint32_t* source = s.source;
  uint32_t* target = s.target;
  const ptrdiff_t source_ppr = s.source_ppr, target_ppr = s.target_ppr;
  const bool alpha = s.source_alpha && s.target_alpha;
  const uint8_t* source_alpha = alpha ? s.source_alpha : nullptr;
  uint8_t* target_alpha = alpha ? s.target_alpha : nullptr;
  const ptrdiff_t source_bpr = s.source_alpha_bpr, target_bpr = s.target_alpha_bpr;
  // The vector loop holds the squared distance's whole part in 32 bits: below 2^31 inside the
  // circle for every picture up to 46340 pixels across.
  bool vector = g_avx2 && !g_swirl_scalar && std::max(s.width, s.height) <= 46340;
  // The vector loop places each row while the row before it is drawn: the scattered lines of the
  // source it reads are on their way by the time it needs them (the processor does not see them
  // coming on its own).
  std::vector<int32_t> positions;
  if (vector) {
    try {
      positions.resize(4 * size_t(s.width));
    } catch (const std::bad_alloc&) {
      vector = false;
    }
  }
  int32_t* placed_x = positions.data();
  int32_t* placed_y = placed_x + s.width;
  int32_t* next_x = placed_y + s.width;
  int32_t* next_y = next_x + s.width;
  SwirlSpan span{}, next{};
  auto rows = [&](const SwirlRows& g, int32_t y, double, double) {
    if (!vector) return 0;
    if (y == 0) span = swirl_positions_avx2(g, 0, placed_x, placed_y, nullptr, 0);
    // Neighbouring rows read mostly the same lines: asking for every other row's is enough.
    if (y + 1 < g.h) next = swirl_positions_avx2(g, y + 1, next_x, next_y, y % 2 ? nullptr : source, source_ppr);
    const uint32_t* source_row = source + y * source_ppr;
    const uint8_t* source_alpha_row = alpha ? source_alpha + y * source_bpr : nullptr;
    uint32_t* target_row = target + y * target_ppr;
    uint8_t* target_alpha_row = alpha ? target_alpha + y * target_bpr : nullptr;
    // The pixels before and after the circle keep their places and are copied as runs.
    auto copy = [&](int32_t from, int32_t to) {
      if (to <= from) return;
      std::memmove(target_row + from, source_row + from, size_t(to - from) * 4);
      if (alpha) std::memmove(target_alpha_row + from, source_alpha_row + from, size_t(to - from));
    };
    copy(0, span.first);
    swirl_gather_avx2(span.first, span.stop, placed_x, placed_y, source, source_ppr, target_row, source_alpha,
                      source_bpr, target_alpha_row);
    const SwirlSpan done = span;
    std::swap(placed_x, next_x);
    std::swap(placed_y, next_y);
    span = next;
    if (done.stop < done.end) return done.stop;  // the per-pixel loop ends the row
    copy(done.stop, g.w);
    return g.w;
  };
  if (!alpha) {
    swirl_map(s.width, s.height, angle, s.sines, s.cosines, [=](int32_t x, int32_t y, int32_t ux, int32_t uy) {
      target[y * target_ppr + x] = source[uy * source_ppr + ux];
    }, rows);
    return;
  }
  swirl_map(s.width, s.height, angle, s.sines, s.cosines, [=](int32_t x, int32_t y, int32_t ux, int32_t uy) {
    target[y * target_ppr + x] = source[uy * source_ppr + ux];
    target_alpha[y * target_bpr + x] = source_alpha[uy * source_bpr + ux];
  }, rows);
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
