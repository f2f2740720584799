// Alpha blending loops. The 8-bit blends run two pixels at a time on 16-bit lanes: the product
// (n - c) * a needs 17 bits, so it is formed as the high half of (n - c) * (a << 8), corrected
// where a << 8 reads as negative; the result equals the scalar formula bit for bit.
#include "gfx/alpha.h"

#include <immintrin.h>

#include <cstddef>

#include "gfx/bitmap.h"
#include "gfx/pixelformat.h"

namespace qm {

namespace {

inline int blend_channel(int c, int n, int a) { return c + (((n - c) * a) >> 8); }

template <typename F>
inline uint32_t blend(uint32_t t, uint32_t s, int a) {
  return F::pack(blend_channel(F::r(t), F::r(s), a), blend_channel(F::g(t), F::g(s), a),
                 blend_channel(F::b(t), F::b(s), a));
}

inline __m128i widen(__m128i v) { return _mm_unpacklo_epi8(v, _mm_setzero_si128()); }

// Two pixels t towards s by the weights in w (each pixel's weight << 8 in its four lanes).
inline __m128i blend2(__m128i t, __m128i s, __m128i w) {
  const __m128i d = _mm_sub_epi16(s, t);
  return _mm_add_epi16(
      t, _mm_add_epi16(_mm_mulhi_epi16(d, w), _mm_and_si128(d, _mm_srai_epi16(w, 15))));
}

uint32_t format_keep(int32_t format) {
  return format == PIXFMT_BGRX || format == PIXFMT_RGBX ? 0xFFFFFF00u : 0x00FFFFFFu;
}

void blend_row(const uint32_t* s, uint32_t* d, const uint8_t* a, int32_t w, uint32_t keep) {
  int32_t i = 0;
  for (; i + 4 <= w; i += 4) {
    uint32_t a4;
    __builtin_memcpy(&a4, a + i, 4);
    if (a4 == 0) continue;
    if (a4 == 0xFFFFFFFFu) {
      __builtin_memcpy(d + i, s + i, 16);
      continue;
    }
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i tv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    const __m128i w01 = _mm_unpacklo_epi64(_mm_set1_epi16(int16_t(a[i] << 8)),
                                           _mm_set1_epi16(int16_t(a[i + 1] << 8)));
    const __m128i w23 = _mm_unpacklo_epi64(_mm_set1_epi16(int16_t(a[i + 2] << 8)),
                                           _mm_set1_epi16(int16_t(a[i + 3] << 8)));
    const __m128i lo = blend2(widen(tv), widen(sv), w01);
    const __m128i hi = blend2(_mm_unpackhi_epi8(tv, _mm_setzero_si128()),
                              _mm_unpackhi_epi8(sv, _mm_setzero_si128()), w23);
    alignas(16) uint32_t out[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(lo, hi));
    for (int k = 0; k < 4; ++k) {
      const uint8_t ak = a[i + k];
      if (ak == 255) d[i + k] = s[i + k];
      else if (ak) d[i + k] = out[k] & keep;
    }
  }
  for (; i < w; ++i) {
    const uint8_t ak = a[i];
    if (ak == 255) {
      d[i] = s[i];
    } else if (ak) {
      const __m128i v = blend2(widen(_mm_cvtsi32_si128(int(d[i]))),
                               widen(_mm_cvtsi32_si128(int(s[i]))),
                               _mm_set1_epi16(int16_t(ak << 8)));
      d[i] = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(v, v))) & keep;
    }
  }
}

// blend2 on 256-bit lanes: four pixels of 16-bit channels.
__attribute__((target("avx2"))) inline __m256i blend8(__m256i t, __m256i n, __m256i w) {
  const __m256i d = _mm256_sub_epi16(n, t);
  return _mm256_add_epi16(
      t, _mm256_add_epi16(_mm256_mulhi_epi16(d, w), _mm256_and_si256(d, _mm256_srai_epi16(w, 15))));
}

// Eight pixels at a time where the processor has AVX2; the lanes compute exactly what the SSE2
// loop computes, and alpha 0 and 255 keep and copy whole words as there.
__attribute__((target("avx2"))) void blend_row_avx2(const uint32_t* s, uint32_t* d,
                                                    const uint8_t* a, int32_t w, uint32_t keep) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i keepv = _mm256_set1_epi32(int32_t(keep));
  // pshufb patterns: each alpha byte into the high byte of four 16-bit lanes (a << 8), for the
  // pixels that the in-lane unpacks put in the low and high halves.
  const __m256i lo_idx = _mm256_setr_epi8(-128, 0, -128, 0, -128, 0, -128, 0, -128, 1, -128, 1, -128, 1,
                                          -128, 1, -128, 4, -128, 4, -128, 4, -128, 4, -128, 5, -128, 5,
                                          -128, 5, -128, 5);
  const __m256i hi_idx = _mm256_setr_epi8(-128, 2, -128, 2, -128, 2, -128, 2, -128, 3, -128, 3, -128, 3,
                                          -128, 3, -128, 6, -128, 6, -128, 6, -128, 6, -128, 7, -128, 7,
                                          -128, 7, -128, 7);
  int32_t i = 0;
  for (; i + 8 <= w; i += 8) {
    uint64_t a8;
    __builtin_memcpy(&a8, a + i, 8);
    if (a8 == 0) continue;
    if (a8 == ~uint64_t(0)) {
      __builtin_memcpy(d + i, s + i, 32);
      continue;
    }
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    const __m256i tv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
    const __m256i ab = _mm256_set1_epi64x(int64_t(a8));
    const __m256i wlo = _mm256_shuffle_epi8(ab, lo_idx), whi = _mm256_shuffle_epi8(ab, hi_idx);
    const __m256i lo = blend8(_mm256_unpacklo_epi8(tv, zero), _mm256_unpacklo_epi8(sv, zero), wlo);
    const __m256i hi = blend8(_mm256_unpackhi_epi8(tv, zero), _mm256_unpackhi_epi8(sv, zero), whi);
    __m256i out = _mm256_and_si256(_mm256_packus_epi16(lo, hi), keepv);
    const __m256i a32 = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a + i)));
    out = _mm256_blendv_epi8(out, sv, _mm256_cmpeq_epi32(a32, _mm256_set1_epi32(255)));
    out = _mm256_blendv_epi8(out, tv, _mm256_cmpeq_epi32(a32, zero));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), out);
  }
  if (i < w) blend_row(s + i, d + i, a + i, w - i, keep);
}

const bool g_avx2 = __builtin_cpu_supports("avx2");
bool g_force_sse2 = false;

}  // namespace

void alpha_force_sse2(bool on) { g_force_sse2 = on; }

void alpha_blend_pixels(const qmAlphaBlendRequest& r) {
  if (r.format < PIXFMT_XRGB || r.format > PIXFMT_XBGR) return;
  const uint32_t keep = format_keep(r.format);
  for (int32_t j = 0; j < r.height; ++j) {
    const uint32_t* s = r.source + ptrdiff_t(r.sy + j) * r.source_ppr + r.sx;
    uint32_t* d = r.target + ptrdiff_t(r.ty + j) * r.target_ppr + r.tx;
    const uint8_t* a = r.alpha + ptrdiff_t(r.ay + j) * r.alpha_bpr + r.ax;
    if (g_avx2 && !g_force_sse2) blend_row_avx2(s, d, a, r.width, keep);
    else blend_row(s, d, a, r.width, keep);
  }
}

namespace {

template <typename F>
void combine(const qmAlphaCombineRequest& r) {
  const bool planes = r.target_alpha != nullptr;
  for (int32_t j = 0; j < r.height; ++j) {
    uint32_t* d = r.target + ptrdiff_t(r.ty + j) * r.target_ppr + r.tx;
    const uint8_t* a8 = r.alpha ? r.alpha + ptrdiff_t(r.sy + j) * r.alpha_bpr + r.sx : nullptr;
    const uint16_t* a16 =
        r.alpha16 ? r.alpha16 + ptrdiff_t(r.sy + j) * r.alpha16_row + r.sx : nullptr;
    uint8_t* ta = planes ? r.target_alpha + ptrdiff_t(r.ty + j) * r.target_alpha_bpr + r.tx
                         : nullptr;
    const uint32_t* tex = r.texture ? r.texture + ptrdiff_t(j) * r.texture_ppr : nullptr;
    for (int32_t i = 0; i < r.width; ++i) {
      const uint32_t c = tex ? tex[i] : r.colour;
      switch (r.mode) {
        case 1: {
          const int a = a8[i];
          if (a == 255) d[i] = c;
          else if (a) d[i] = blend<F>(d[i], c, a);
          break;
        }
        case 4: {
          const int v = a8[i];
          if (v == 64) d[i] = c;
          else if (v) d[i] = blend<F>(d[i], c, (v * 4) & 255);
          break;
        }
        case 2:
        case 3: {
          int a, value;
          uint32_t colour = c;
          if (r.mode == 2) {
            a = value = a8[i];
          } else {
            if (!a16) break;
            value = a16[i];
            a = value & 0xFF;
            colour = r.colour;
          }
          if (value == 0) break;
          if (!ta) {
            d[i] = blend<F>(d[i], colour, a);
            break;
          }
          const int t = ta[i];
          if (t == 0) {
            d[i] = colour;
            ta[i] = uint8_t(r.level * value / 255);
          } else {
            d[i] = blend<F>(d[i], colour, a);
            ta[i] = uint8_t(r.level * ((((a - t) * a) >> 8) + t) / 255);
          }
          break;
        }
        default:
          if (a8[i]) d[i] = c;
          break;
      }
    }
  }
}

}  // namespace

void alpha_combine(const qmAlphaCombineRequest& r) {
  if (r.width < 1 || r.height < 1) return;
  if (r.mode != 3 && !r.alpha) return;
  with_format32(r.format, [&](auto f) { combine<decltype(f)>(r); });
}

}  // namespace qm
