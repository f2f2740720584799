// Copies, masked copies, fills, mask and alpha-plane loops and the boundary flood fill.
#include "gfx/pixelloops.h"

#include <emmintrin.h>
#include <immintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"

namespace qm {

namespace {

inline uint32_t* at(uint32_t* p, int32_t x, int32_t y, int32_t ppr) {
  return p + ptrdiff_t(y) * ppr + x;
}
inline const uint32_t* at(const uint32_t* p, int32_t x, int32_t y, int32_t ppr) {
  return p + ptrdiff_t(y) * ppr + x;
}
inline uint8_t* row_of(uint8_t* p, int32_t y, int32_t bpr) { return p + ptrdiff_t(y) * bpr; }
inline const uint8_t* row_of(const uint8_t* p, int32_t y, int32_t bpr) {
  return p + ptrdiff_t(y) * bpr;
}

// Eight consecutive mask bits starting at bit position x of a row, leftmost pixel in bit 7.
inline uint32_t mask_byte_at(const uint8_t* row, int32_t x) {
  const int32_t b = x >> 3, s = x & 7;
  if (s == 0) return row[b];
  return uint32_t(((row[b] << s) | (row[b + 1] >> (8 - s))) & 0xFF);
}

}  // namespace

void mask_from_color(const uint32_t* pixels, uint8_t* mask, int32_t width, int32_t height,
                     int32_t mask_bpr, uint32_t colour, int32_t ppr, uint32_t compare) {
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* src = at(pixels, 0, y, ppr);
    uint8_t* row = row_of(mask, y, mask_bpr);
    for (int32_t x = 0; x < width; ++x) {
      if ((src[x] & compare) != colour) mask_bit_set(row, x);
      else mask_bit_clear(row, x);
    }
  }
}

void pixels_invert(uint32_t* pixels, int32_t width, int32_t height, int32_t ppr) {
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* p = at(pixels, 0, y, ppr);
    for (int32_t x = 0; x < width; ++x) p[x] = ~p[x];
  }
}

void bytes_invert(uint8_t* data, int32_t rows, int32_t bpr) {
  if (rows < 1 || bpr < 1) return;
  const size_t n = size_t(rows) * size_t(bpr);
  for (size_t i = 0; i < n; ++i) data[i] = uint8_t(~data[i]);
}

void mask_to_alpha_loop(const uint8_t* mask, int32_t mx, int32_t my, int32_t mask_bpr,
                        uint8_t* alpha, int32_t ax, int32_t ay, int32_t alpha_bpr, int32_t w,
                        int32_t h, uint8_t value) {
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* m = row_of(mask, my + j, mask_bpr);
    uint8_t* a = row_of(alpha, ay + j, alpha_bpr) + ax;
    for (int32_t i = 0; i < w; ++i)
      if (mask_bit(m, mx + i)) a[i] = value;
  }
}

void alpha_fill_loop(uint8_t* data, int32_t x, int32_t y, int32_t w, int32_t h, int32_t bpr,
                     uint8_t value) {
  if (w < 1) return;
  for (int32_t j = 0; j < h; ++j) std::memset(row_of(data, y + j, bpr) + x, value, size_t(w));
}

void alpha_scale_loop(const uint8_t* source, uint8_t* dest, int32_t factor, int32_t bpr,
                      int32_t rows) {
  if (rows < 1 || bpr < 1) return;
  const size_t n = size_t(rows) * size_t(bpr);
  for (size_t i = 0; i < n; ++i) dest[i] = uint8_t(int32_t(source[i]) * factor / 255);
}

void alpha_merge_loop(const uint8_t* source, int32_t sx, int32_t sy, uint8_t* dest, int32_t dx,
                      int32_t dy, int32_t w, int32_t h, int32_t source_bpr, int32_t dest_bpr,
                      int32_t mode, int32_t intensity) {
  if (w < 1) return;
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* s = row_of(source, sy + j, source_bpr) + sx;
    uint8_t* d = row_of(dest, dy + j, dest_bpr) + dx;
    switch (mode) {
      case 1:
        for (int32_t i = 0; i < w; ++i)
          if (s[i]) d[i] = s[i];
        break;
      case 2:
        for (int32_t i = 0; i < w; ++i)
          if (s[i]) d[i] = uint8_t(255 - s[i]);
        break;
      case 3:
        for (int32_t i = 0; i < w; ++i)
          if (s[i]) d[i] = 255;
        break;
      case 4:
        for (int32_t i = 0; i < w; ++i)
          if (s[i]) d[i] = uint8_t(s[i] * intensity / 255);
        break;
      case 5:
        for (int32_t i = 0; i < w; ++i)
          if (s[i] && d[i]) d[i] = uint8_t(255 - s[i]);
        break;
      case 6:
        for (int32_t i = 0; i < w; ++i)
          if (s[i]) d[i] = uint8_t(intensity);
        break;
      case 7:
        for (int32_t i = 0; i < w; ++i) d[i] = (s[i] && d[i]) ? s[i] : 0;
        break;
      case 8:
        for (int32_t i = 0; i < w; ++i)
          if (s[i] == 255) d[i] = 255;
        break;
      default: std::memmove(d, s, size_t(w)); break;
    }
  }
}

void alpha_to_mask_loop(const uint8_t* alpha, int32_t ax, int32_t ay, int32_t alpha_bpr,
                        uint8_t* mask, int32_t mx, int32_t my, int32_t mask_bpr, int32_t w,
                        int32_t h, int32_t mode) {
  if (mode < MASKVISIBLE || mode > MASKOR) return;
  // Only a fully opaque byte counts as a set source bit: a half-transparent pixel is not a
  // visible pixel of a 1-bit mask, as in the other blits that make masks from alpha.
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* a = row_of(alpha, ay + j, alpha_bpr) + ax;
    uint8_t* m = row_of(mask, my + j, mask_bpr);
    for (int32_t i = 0; i < w; ++i) {
      const bool s = a[i] == 255;
      const int32_t x = mx + i;
      const bool d = mask_bit(m, x);
      bool r = d;
      switch (mode) {
        case MASKVISIBLE:
        case MASKOR: r = s || d; break;
        case MASKINVISIBLE: r = !s && d; break;
        case MASKVANILLACOPY: r = s; break;
        case MASKXOR: r = s != d; break;
        case MASKAND: r = s && d; break;
      }
      if (r) mask_bit_set(m, x);
      else mask_bit_clear(m, x);
    }
  }
}

void template_loop(const uint8_t* tmpl, uint32_t* dest, int32_t sx, int32_t sy, int32_t dx,
                   int32_t dy, int32_t w, int32_t h, int32_t tmpl_bpr, int32_t dest_ppr,
                   uint32_t value) {
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* t = row_of(tmpl, sy + j, tmpl_bpr);
    uint32_t* d = at(dest, dx, dy + j, dest_ppr);
    for (int32_t i = 0; i < w; ++i)
      if (mask_bit(t, sx + i)) d[i] = value;
  }
}

namespace {

template <int Conversion>
inline uint32_t convert(uint32_t v) {
  if constexpr (Conversion == 1) return __builtin_bswap32(v) & 0xFFFFFF00u;
  else if constexpr (Conversion == 2) return v << 8;
  else return v;
}

template <int Conversion>
inline void copy_run(const uint32_t* s, uint32_t* d, int32_t n) {
  if constexpr (Conversion == 0) {
    std::memmove(d, s, size_t(n) * 4);
  } else {
    for (int32_t k = 0; k < n; ++k) d[k] = convert<Conversion>(s[k]);
  }
}

// The end of the run of whole mask bytes equal to `bits` (0 or 0xFF) that starts at pixel i of
// the row (bit position x + i), within the first w pixels.
inline int32_t byte_run_end(const uint8_t* m, int32_t x, int32_t i, int32_t w, uint32_t bits) {
  int32_t end = i + 8;
  if ((x & 7) == 0) {
    // Eight bytes at a time where the bytes are the mask's own.
    const uint64_t all = bits ? ~uint64_t(0) : 0;
    for (; end + 64 <= w; end += 64) {
      uint64_t word;
      std::memcpy(&word, m + ((x + end) >> 3), 8);
      if (word != all) break;
    }
    for (; end + 8 <= w && m[(x + end) >> 3] == bits; end += 8) {
    }
    return end;
  }
  while (end + 8 <= w && mask_byte_at(m, x + end) == bits) end += 8;
  return end;
}

template <int Conversion>
void mask_copy_rows(const uint32_t* source, uint32_t* dest, const uint8_t* mask, int32_t sx,
                    int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t source_ppr,
                    int32_t mask_bpr, int32_t dest_ppr) {
  for (int32_t j = 0; j < h; ++j) {
    const uint32_t* s = at(source, sx, sy + j, source_ppr);
    uint32_t* d = at(dest, dx, dy + j, dest_ppr);
    const uint8_t* m = row_of(mask, sy + j, mask_bpr);
    int32_t i = 0;
    // Whole bytes of mask first: runs of fully visible pixels are copied as one block and runs
    // of hidden ones skipped, as shapes mostly are.
    while (i + 8 <= w) {
      const uint32_t bits = mask_byte_at(m, sx + i);
      if (bits == 0xFF || bits == 0) {
        const int32_t end = byte_run_end(m, sx, i, w, bits);
        if (bits) copy_run<Conversion>(s + i, d + i, end - i);
        i = end;
        continue;
      }
      // A mixed byte without branches (a scattered mask would mispredict every other pixel):
      // a hidden pixel is written back as it was.
      for (int k = 0; k < 8; ++k) {
        const uint32_t shown = 0u - ((bits >> (7 - k)) & 1u);
        d[i + k] = (convert<Conversion>(s[i + k]) & shown) | (d[i + k] & ~shown);
      }
      i += 8;
    }
    for (; i < w; ++i)
      if (mask_bit(m, sx + i)) d[i] = convert<Conversion>(s[i]);
  }
}

}  // namespace

void mask_copy_loop(const uint32_t* source, uint32_t* dest, const uint8_t* mask, int32_t sx,
                    int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t source_ppr,
                    int32_t mask_bpr, int32_t dest_ppr, int32_t conversion) {
  if (w < 1 || h < 1) return;
  switch (conversion) {
    case 0:
      mask_copy_rows<0>(source, dest, mask, sx, sy, dx, dy, w, h, source_ppr, mask_bpr, dest_ppr);
      break;
    case 1:
      mask_copy_rows<1>(source, dest, mask, sx, sy, dx, dy, w, h, source_ppr, mask_bpr, dest_ppr);
      break;
    case 2:
      mask_copy_rows<2>(source, dest, mask, sx, sy, dx, dy, w, h, source_ppr, mask_bpr, dest_ppr);
      break;
    default: break;
  }
}

namespace {

// One row of n pixels between rows that do not overlap: an unaligned 32-byte move at each end,
// aligned stores between them (no store splits a cache line), four at a time, or two at a time
// from aligned 16-byte halves.
__attribute__((target("avx2"))) inline void move8(const uint32_t* s, uint32_t* d, bool aligned) {
  const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
  if (aligned) _mm256_store_si256(reinterpret_cast<__m256i*>(d), v);
  else _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), v);
}

__attribute__((target("avx2"), always_inline)) inline void copy_row_avx2(const uint32_t* s, uint32_t* d, size_t n,
                                                                         bool halves) {
  if (n < 8) {
    for (size_t i = 0; i < n; ++i) d[i] = s[i];
    return;
  }
  move8(s, d, false);
  size_t i = ((32 - (reinterpret_cast<uintptr_t>(d) & 31)) & 31) / 4;
  if (halves && (reinterpret_cast<uintptr_t>(s + i) & 31) == 16) {
    // The source 16 bytes off the aligned stores: every other 32-byte load would cross a cache
    // line, so each is read as two aligned halves.
    for (; i + 16 <= n; i += 16) {
      const __m256i a = _mm256_inserti128_si256(
          _mm256_castsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(s + i))),
          _mm_load_si128(reinterpret_cast<const __m128i*>(s + i + 4)), 1);
      const __m256i b = _mm256_inserti128_si256(
          _mm256_castsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(s + i + 8))),
          _mm_load_si128(reinterpret_cast<const __m128i*>(s + i + 12)), 1);
      _mm256_store_si256(reinterpret_cast<__m256i*>(d + i), a);
      _mm256_store_si256(reinterpret_cast<__m256i*>(d + i + 8), b);
    }
  }
  for (; i + 32 <= n; i += 32) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 8));
    const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 16));
    const __m256i e = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 24));
    _mm256_store_si256(reinterpret_cast<__m256i*>(d + i), a);
    _mm256_store_si256(reinterpret_cast<__m256i*>(d + i + 8), b);
    _mm256_store_si256(reinterpret_cast<__m256i*>(d + i + 16), c);
    _mm256_store_si256(reinterpret_cast<__m256i*>(d + i + 24), e);
  }
  for (; i + 8 <= n; i += 8) move8(s + i, d + i, true);
  if (i < n) move8(s + n - 8, d + n - 8, false);
}

// All rows in one call: small pictures would spend as much on a call per row as on the copy.
// Loads that cross cache lines cost less than the extra work of reading halves while the picture
// sits in the core's own caches (10% faster at 64x64), and more once it streams from the shared
// cache (7% slower at 1920x1080): halves are read beyond 1 MiB.
// The destination's rows lie a whole picture row apart, so the processor's own prefetching does
// not see them coming: for short rows the first and last cache line of the row 16 rows on are
// asked for while this one is copied (about 10% faster at 64x64 into a 1920-wide picture). Rows
// of more than 128 pixels are not: 16 of them would no longer fit the core's first cache with the
// rows being copied, and the lines asked for went before they were used (2% slower at 512x512).
__attribute__((target("avx2"))) void copy_rows_avx2(const uint32_t* s, size_t s_ppr, uint32_t* d, size_t d_ppr,
                                                    size_t n, int32_t h) {
  constexpr int32_t kAhead = 16;
  const bool halves = n * size_t(h) > (size_t(1) << 18);
  const int32_t ahead_until = n <= 128 ? h - kAhead : 0;
  for (int32_t j = 0; j < h; ++j, s += s_ppr, d += d_ppr) {
    if (j < ahead_until) {
      const uint32_t* ahead = d + kAhead * d_ppr;
      _mm_prefetch(reinterpret_cast<const char*>(ahead), _MM_HINT_T0);
      _mm_prefetch(reinterpret_cast<const char*>(ahead + n - 1), _MM_HINT_T0);
    }
    copy_row_avx2(s, d, n, halves);
  }
}

const bool g_copy_avx2 = __builtin_cpu_supports("avx2");

}  // namespace

void copy_loop(const uint32_t* source, uint32_t* dest, int32_t sx, int32_t sy, int32_t dx,
               int32_t dy, int32_t w, int32_t h, int32_t source_ppr, int32_t dest_ppr,
               int32_t conversion) {
  if (w < 1 || h < 1 || conversion != 0) return;
  const size_t n = size_t(w);
  const uint32_t* s0 = at(source, sx, sy, source_ppr);
  uint32_t* d0 = at(dest, dx, dy, dest_ppr);
  // Rows that may overlap (a bitmap onto itself) keep memmove, bottom-up when moving down.
  const uintptr_t s_lo = reinterpret_cast<uintptr_t>(s0), d_lo = reinterpret_cast<uintptr_t>(d0);
  const uintptr_t s_hi = reinterpret_cast<uintptr_t>(at(source, sx + w, sy + h - 1, source_ppr));
  const uintptr_t d_hi = reinterpret_cast<uintptr_t>(at(dest, dx + w, dy + h - 1, dest_ppr));
  if (s_lo < d_hi && d_lo < s_hi) {
    const bool down = d_lo > s_lo;
    for (int32_t k = 0; k < h; ++k) {
      const int32_t j = down ? h - 1 - k : k;
      std::memmove(at(dest, dx, dy + j, dest_ppr), at(source, sx, sy + j, source_ppr), n * 4);
    }
    return;
  }
  if (!g_copy_avx2) {
    for (int32_t j = 0; j < h; ++j)
      std::memcpy(at(dest, dx, dy + j, dest_ppr), at(source, sx, sy + j, source_ppr), n * 4);
    return;
  }
  copy_rows_avx2(s0, size_t(source_ppr), d0, size_t(dest_ppr), n, h);
}

namespace {

// One row: words up to a 16-byte boundary, then aligned 64-byte blocks, then the tail.
inline void fill_row(uint32_t* p, int32_t w, uint32_t value, __m128i v) {
  while (w > 0 && (reinterpret_cast<uintptr_t>(p) & 15)) *p++ = value, --w;
  for (; w >= 16; w -= 16, p += 16) {
    _mm_store_si128(reinterpret_cast<__m128i*>(p), v);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 4), v);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 8), v);
    _mm_store_si128(reinterpret_cast<__m128i*>(p + 12), v);
  }
  for (; w >= 4; w -= 4, p += 4) _mm_store_si128(reinterpret_cast<__m128i*>(p), v);
  while (w-- > 0) *p++ = value;
}

// The same with 32-byte stores, which fill a row that the cache holds about half as fast again.
__attribute__((target("avx2"))) void fill_rows_avx2(uint32_t* row, int32_t ppr, int32_t w, int32_t h,
                                                    uint32_t value) {
  const __m256i v = _mm256_set1_epi32(int32_t(value));
  for (int32_t j = 0; j < h; ++j, row += ppr) {
    uint32_t* p = row;
    int32_t n = w;
    while (n > 0 && (reinterpret_cast<uintptr_t>(p) & 31)) *p++ = value, --n;
    for (; n >= 32; n -= 32, p += 32) {
      _mm256_store_si256(reinterpret_cast<__m256i*>(p), v);
      _mm256_store_si256(reinterpret_cast<__m256i*>(p + 8), v);
      _mm256_store_si256(reinterpret_cast<__m256i*>(p + 16), v);
      _mm256_store_si256(reinterpret_cast<__m256i*>(p + 24), v);
    }
    for (; n >= 8; n -= 8, p += 8) _mm256_store_si256(reinterpret_cast<__m256i*>(p), v);
    while (n-- > 0) *p++ = value;
  }
}

const bool g_avx2 = __builtin_cpu_supports("avx2");
bool g_force_sse2 = false;

}  // namespace

void fill_force_sse2(bool on) { g_force_sse2 = on; }

void fill_loop(uint32_t* pixels, int32_t ppr, int32_t x, int32_t y, int32_t w, int32_t h,
               uint32_t value) {
  if (w < 1) return;
  if (g_avx2 && !g_force_sse2) {
    fill_rows_avx2(at(pixels, x, y, ppr), ppr, w, h, value);
    return;
  }
  const __m128i v = _mm_set1_epi32(int32_t(value));
  for (int32_t j = 0; j < h; ++j) fill_row(at(pixels, x, y + j, ppr), w, value, v);
}

void alpha_to_white(uint32_t* pixels, int32_t width, int32_t height, int32_t format, int32_t ppr,
                    const uint8_t* alpha, int32_t alpha_bpr) {
  uint32_t white = 0;
  if (format == PIXFMT_XRGB || format == PIXFMT_XBGR) white = 0xFFFFFF;
  else if (format == PIXFMT_BGRX || format == PIXFMT_RGBX) white = 0xFFFFFF00u;
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* p = at(pixels, 0, y, ppr);
    const uint8_t* a = row_of(alpha, y, alpha_bpr);
    for (int32_t x = 0; x < width; ++x) p[x] = a[x] ? white : 0;
  }
}

void argb_extract_alpha(const uint32_t* argb, int32_t width, int32_t height, int32_t row_length,
                        uint8_t* alpha, int32_t alpha_bpr) {
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* s = at(argb, 0, y, row_length);
    uint8_t* a = row_of(alpha, y, alpha_bpr);
    for (int32_t x = 0; x < width; ++x) a[x] = uint8_t(s[x] >> 24);
  }
}

void clip_combine_alpha(const uint8_t* clip, int32_t clip_bpr, int32_t clip_x, int32_t clip_y,
                        const uint8_t* source_alpha, int32_t source_bpr, int32_t sx, int32_t sy,
                        int32_t w, int32_t h, uint8_t* scratch, int32_t source_width) {
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* c = row_of(clip, clip_y + j, clip_bpr);
    const uint8_t* s = row_of(source_alpha, sy + j, source_bpr) + sx;
    uint8_t* d = row_of(scratch, sy + j, source_width) + sx;
    for (int32_t i = 0; i < w; ++i) d[i] = mask_bit(c, clip_x + i) ? s[i] : 0;
  }
}

void clip_combine_mask(const uint8_t* clip, int32_t clip_bpr, int32_t clip_x, int32_t clip_y,
                       const uint8_t* source_mask, int32_t source_bpr, int32_t sx, int32_t sy,
                       int32_t w, int32_t h, uint8_t* scratch, int32_t source_width) {
  const int32_t scratch_bpr = mask_bytes_per_row(source_width);
  // The eight bits from bit position pos of a row, first pixel in the top bit. Only bits inside
  // the row's pixels are asked for, so the second byte exists whenever it is read.
  auto eight = [](const uint8_t* row, int32_t pos) {
    const int32_t byte = pos >> 3, shift = pos & 7;
    return shift == 0 ? row[byte] : uint8_t(row[byte] << shift | row[byte + 1] >> (8 - shift));
  };
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* c = row_of(clip, clip_y + j, clip_bpr);
    const uint8_t* s = source_mask ? row_of(source_mask, sy + j, source_bpr) : nullptr;
    uint8_t* d = row_of(scratch, sy + j, scratch_bpr);
    auto one = [&](int32_t i) {
      const bool on = mask_bit(c, clip_x + i) && (!s || mask_bit(s, sx + i));
      if (on) mask_bit_set(d, sx + i);
      else mask_bit_clear(d, sx + i);
    };
    int32_t i = 0;
    for (; i < w && ((sx + i) & 7) != 0; ++i) one(i);
    // Whole scratch bytes: the source mask and the scratch share their bit positions.
    if (!s && ((clip_x + i) & 7) == 0 && i + 8 <= w) {
      // The clip row's bytes line up with the scratch row's: one block.
      const int32_t n = (w - i) >> 3;
      std::memcpy(d + ((sx + i) >> 3), c + ((clip_x + i) >> 3), size_t(n));
      i += n * 8;
    }
    for (; i + 8 <= w; i += 8) {
      uint8_t bits = eight(c, clip_x + i);
      if (s) bits &= s[(sx + i) >> 3];
      d[(sx + i) >> 3] = bits;
    }
    for (; i < w; ++i) one(i);
  }
}

// --- flood fill ------------------------------------------------------------------------------

int32_t flood_fill_span(const qmFloodFill& f, int32_t x, int32_t y, uint32_t compare) {
  const int32_t right = f.left + f.width;   // first column past the area
  const int32_t bottom = f.top + f.height;  // first row past the area
  if (x < f.left || x >= right || y < f.top || y >= bottom) return 0;
  const uint32_t border = f.border;
  // The filled pixels are compared after masking, so compare with the masked fill colour: a
  // fill colour with bits outside the compare mask would otherwise never look filled and the
  // scan would seed the same spans again and again.
  const uint32_t filled = f.fill & compare;
  auto p = [&](int32_t px, int32_t py) { return *at(f.pixels, px, py, f.ppr) & compare; };
  if (p(x, y) == border) return 0;

  struct Seed {
    int32_t x, y;
  };
  std::vector<Seed> stack;
  try {
    stack.push_back({x, y});
    bool first = true;
    while (!stack.empty()) {
      const Seed s = stack.back();
      stack.pop_back();
      const uint32_t here = p(s.x, s.y);
      // A later seed may already lie in a span filled since it was pushed.
      if (here == border || (!first && here == filled)) continue;
      first = false;
      uint32_t* row = at(f.pixels, 0, s.y, f.ppr);
      int32_t xl = s.x;
      row[xl] = f.fill;
      while (xl - 1 >= f.left && (row[xl - 1] & compare) != border) row[--xl] = f.fill;
      int32_t xr = s.x;
      while (xr + 1 < right && (row[xr + 1] & compare) != border) row[++xr] = f.fill;
      // Rows below are pushed first so that the row above is taken first, as the recursive
      // fill did.
      for (int32_t ny : {s.y + 1, s.y - 1}) {
        if (ny < f.top || ny >= bottom) continue;
        const uint32_t* nrow = at(f.pixels, 0, ny, f.ppr);
        bool ready = true;
        for (int32_t i = xl; i <= xr; ++i) {
          const uint32_t q = nrow[i] & compare;
          if (q != filled && q != border) {
            if (ready) stack.push_back({i, ny});
            ready = false;
          } else {
            ready = true;
          }
        }
      }
    }
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  return 0;
}

}  // namespace qm
