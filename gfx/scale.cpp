// Bitmap resampling: nearest neighbour on 16.16 steps with single-precision row sums, and
// bilinear interpolation on per-column and per-row 16.16 tables. Every position is clamped to
// the source rectangle, so no rounding of the float sums can read past its last row.
#include "gfx/scale.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "gfx/pixelformat.h"

namespace qm {

namespace {

template <typename T>
inline T* row_at(T* p, int32_t y, int32_t stride) {
  return p + ptrdiff_t(y) * stride;
}

// Source row of destination row j for the nearest-neighbour rule: the float sum of j steps,
// truncated and kept inside the rectangle.
class RowWalker {
 public:
  RowWalker(float step, int32_t rows) : step_(step), last_(rows - 1) {}
  int32_t next() {
    const double f = double(sum_);
    sum_ += step_;
    const int32_t r = f >= double(last_) ? last_ : int32_t(f);
    return r < 0 ? 0 : r;
  }

 private:
  float sum_ = 0.0f;
  float step_;
  int32_t last_;
};

void scale_alpha_nearest(const qmScaleJob& j, float fx, float fy) {
  const int64_t step = to_i64(double(fx) * 65536.0);
  RowWalker rows(fy, j.source_height);
  for (int32_t y = 0; y < j.dest_height; ++y) {
    const uint8_t* s = row_at(j.source_alpha, rows.next(), j.source_alpha_bpr);
    uint8_t* d = row_at(j.dest_alpha, y, j.dest_alpha_bpr);
    int64_t acc = 0;
    for (int32_t x = 0; x < j.dest_width; ++x, acc += step) d[x] = s[acc >> 16];
  }
}

void scale_pixels_nearest(const qmScaleJob& j, float fx, float fy) {
  const int64_t step = to_i64(double(fx * 65536.0f));
  RowWalker rows(fy, j.source_height);
  const int32_t count = j.rows > 0 ? j.rows : j.dest_height - j.first_row;
  const int32_t width = j.cols > 0 ? j.cols : j.dest_width - j.first_col;
  const int64_t first_acc = int64_t(j.first_col) * step;
  for (int32_t skipped = 0; skipped < j.first_row; ++skipped) rows.next();
  int32_t previous = -1;
  int32_t sy = rows.next();
  const size_t row_bytes = size_t(width) * 4;
  for (int32_t y = 0; y < count; ++y) {
    const int32_t next_sy = y + 1 < count ? rows.next() : sy;
    uint32_t* d = row_at(j.dest, y, j.dest_ppr);
    if (sy == previous) {  // enlarging: the row is the one just made
      std::memcpy(d, d - j.dest_ppr, row_bytes);
      sy = next_sy;
      continue;
    }
    previous = sy;
    const uint32_t* s = row_at(j.source, sy, j.source_ppr);
    if (step == 65536) {  // the same width: the row as it stands
      std::memcpy(d, s + j.first_col, row_bytes);
      sy = next_sy;
      continue;
    }
    // The next source row is fetched while this one is read: rows far apart in memory would
    // otherwise start with a wait at each row.
    const char* ahead = reinterpret_cast<const char*>(row_at(j.source, next_sy, j.source_ppr));
    const bool fetch = next_sy != sy;
    int64_t acc = first_acc;
    int32_t x = 0;
    for (; x + 8 <= width; x += 8) {
      if (fetch) _mm_prefetch(ahead + ((acc >> 16) << 2), _MM_HINT_T0);
      for (int k = 0; k < 8; ++k) d[x + k] = s[(acc + k * step) >> 16];
      acc += 8 * step;
    }
    for (; x < width; ++x, acc += step) d[x] = s[acc >> 16];
    sy = next_sy;
  }
}

// Bilinear tables: entry i holds the fraction of sample i and the source columns to move from
// sample i - 1 to it. P(0) = 0, P(i + 1) = step + (P(i) & 0xFFFF).
void build_table(int32_t step, int32_t n, int32_t* fractions, int32_t* advances) {
  int64_t p = 0;
  for (int32_t i = 0; i <= n; ++i) {
    fractions[i] = int32_t(p & 0xFFFF);
    advances[i] = int32_t(p >> 16);
    p = step + (p & 0xFFFF);
  }
}

// (d * f) >> 16 for f in 0..65535 on 16-bit lanes: the high half of d times f read as signed,
// plus d where f's top bit made that reading 65536 too small. Exact for every d in -255..255.
inline __m128i mul_frac(__m128i d, __m128i f) {
  return _mm_add_epi16(_mm_mulhi_epi16(d, f), _mm_and_si128(d, _mm_srai_epi16(f, 15)));
}

inline __m128i load2(uint32_t a, uint32_t b) {
  return _mm_unpacklo_epi8(_mm_unpacklo_epi32(_mm_cvtsi32_si128(int(a)), _mm_cvtsi32_si128(int(b))),
                           _mm_setzero_si128());
}

inline __m128i lerp(__m128i a, __m128i b, __m128i f) {
  return _mm_add_epi16(a, mul_frac(_mm_sub_epi16(b, a), f));
}

// Every byte lane is blended alike; the byte that is 0 in the format is cleared afterwards.
uint32_t format_keep(int32_t format) {
  return format == PIXFMT_BGRX || format == PIXFMT_RGBX ? 0xFFFFFF00u : 0x00FFFFFFu;
}

// Sixteen bytes of lanes as a plain element type for containers.
struct Lanes {
  __m128i v;
};

// The horizontal pass of one source row for every destination column: 16-bit channels, two
// destination pixels per vector. Rows are interpolated across first, as the rule demands, and a
// pass is reused by every destination row that reads the same source row.
void horizontal_pass(const uint32_t* row, const int32_t* columns, const __m128i* fx_pairs,
                     int32_t width, __m128i* out) {
  const __m128i zero = _mm_setzero_si128();
  for (int32_t x = 0, k = 0; x < width; x += 2, ++k) {
    const int32_t c1 = x + 1 < width ? columns[x + 1] : columns[x];
    const __m128i a = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + columns[x])), zero);
    const __m128i b = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + c1)), zero);
    out[k] = lerp(_mm_unpacklo_epi64(a, b), _mm_unpackhi_epi64(a, b), fx_pairs[k]);
  }
}

// The same two passes four destination pixels at a time where the processor has AVX2; the
// arithmetic per lane is identical, so both paths give the same bytes.
__attribute__((target("avx2"))) inline __m256i lerp256(__m256i a, __m256i b, __m256i f) {
  const __m256i d = _mm256_sub_epi16(b, a);
  return _mm256_add_epi16(
      a, _mm256_add_epi16(_mm256_mulhi_epi16(d, f), _mm256_and_si256(d, _mm256_srai_epi16(f, 15))));
}

// Pixels c0, c0 + 1, c1, c1 + 1 | c2, c2 + 1, c3, c3 + 1 of a row as bytes.
__attribute__((target("avx2"))) inline __m256i load_pairs(const uint32_t* row, const int32_t* c) {
  auto two = [](const uint32_t* p, const uint32_t* q) {
    return _mm_castpd_si128(_mm_loadh_pd(_mm_castsi128_pd(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p))),
                                         reinterpret_cast<const double*>(q)));
  };
  return _mm256_set_m128i(two(row + c[2], row + c[3]), two(row + c[0], row + c[1]));
}

// The left (first) and right (second) pixel of each pair on 16-bit channels: left of columns
// c0, c1 | c2, c3, then right likewise.
__attribute__((target("avx2"))) inline __m256i lefts(__m256i pairs) {
  const __m256i m = _mm256_setr_epi8(0, -1, 1, -1, 2, -1, 3, -1, 8, -1, 9, -1, 10, -1, 11, -1,
                                     0, -1, 1, -1, 2, -1, 3, -1, 8, -1, 9, -1, 10, -1, 11, -1);
  return _mm256_shuffle_epi8(pairs, m);
}
__attribute__((target("avx2"))) inline __m256i rights(__m256i pairs) {
  const __m256i m = _mm256_setr_epi8(4, -1, 5, -1, 6, -1, 7, -1, 12, -1, 13, -1, 14, -1, 15, -1,
                                     4, -1, 5, -1, 6, -1, 7, -1, 12, -1, 13, -1, 14, -1, 15, -1);
  return _mm256_shuffle_epi8(pairs, m);
}

// Four horizontal results of a source row: made from the row when it is given (and stored when
// kept), else read from its buffer.
__attribute__((target("avx2"))) inline __m256i row_lanes(const uint32_t* row, bool keep,
                                                         const int32_t* columns, __m256i f,
                                                         __m128i* buffer) {
  auto* at = reinterpret_cast<__m256i*>(buffer);
  if (!row) return _mm256_loadu_si256(at);
  const __m256i p = load_pairs(row, columns);
  const __m256i h = lerp256(lefts(p), rights(p), f);
  if (keep) _mm256_storeu_si256(at, h);
  return h;
}

// One destination row: the horizontal pass of each source row that is not in its buffer yet
// (top_row or bottom_row given), kept in registers and stored only where a later destination row
// reads it again, then the vertical pass. The same lane arithmetic as the separate passes.
// `ahead` is the upper source row of the next destination row when that row reads new rows.
__attribute__((target("avx2"))) void row_avx2(const uint32_t* top_row, const uint32_t* bottom_row,
                                              bool keep_top, bool keep_bottom, __m128i* top,
                                              __m128i* bottom, const int32_t* columns,
                                              const __m128i* fx_pairs, int32_t fraction,
                                              int32_t width, uint32_t keep_word, uint32_t* d,
                                              const uint32_t* ahead, int32_t down) {
  const __m256i fy = _mm256_set1_epi16(int16_t(fraction));
  const __m256i keep = _mm256_set1_epi32(int32_t(keep_word));
  int32_t x = 0, k = 0;
  for (; x + 4 <= width; x += 4, k += 2) {
    const __m256i f = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(fx_pairs + k));
    // The next destination row's own source rows are fetched a row ahead: a large source
    // comes from memory, and the two rows are too far apart for the processor to foresee.
    if (ahead) {
      _mm_prefetch(reinterpret_cast<const char*>(ahead + columns[x]), _MM_HINT_T0);
      _mm_prefetch(reinterpret_cast<const char*>(ahead + down + columns[x]), _MM_HINT_T0);
    }
    const __m256i t = row_lanes(top_row, keep_top, columns + x, f, top + k);
    const __m256i b = row_lanes(bottom_row, keep_bottom, columns + x, f, bottom + k);
    const __m256i v = lerp256(t, b, fy);
    // packus works per 128-bit half: qwords 0 and 2 hold the four pixels.
    const __m256i p = _mm256_permute4x64_epi64(_mm256_packus_epi16(v, v), 0x08);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x),
                     _mm256_castsi256_si128(_mm256_and_si256(p, keep)));
  }
  if (x == width) return;
  if (top_row) horizontal_pass(top_row, columns + x, fx_pairs + k, width - x, top + k);
  if (bottom_row) horizontal_pass(bottom_row, columns + x, fx_pairs + k, width - x, bottom + k);
  const __m128i fy1 = _mm256_castsi256_si128(fy), keep1 = _mm256_castsi256_si128(keep);
  for (; x < width; x += 2, ++k) {
    const __m128i v = lerp(top[k], bottom[k], fy1);
    const __m128i p = _mm_and_si128(_mm_packus_epi16(v, v), keep1);
    if (x + 1 < width) _mm_storel_epi64(reinterpret_cast<__m128i*>(d + x), p);
    else d[x] = uint32_t(_mm_cvtsi128_si32(p));
  }
}

const bool g_avx2 = __builtin_cpu_supports("avx2");
bool g_force_sse2 = false;

void scale_pixels_bilinear(const qmScaleJob& j, const int32_t* columns, const __m128i* fx_pairs) {
  const __m128i keep = _mm_set1_epi32(int32_t(format_keep(j.format)));
  const int32_t down = j.source_height > 1 ? j.source_ppr : 0;
  const int32_t pairs = (j.dest_width + 1) / 2;
  std::vector<Lanes> buffers(size_t(pairs) * 2);
  __m128i* top = &buffers.data()->v;
  __m128i* bottom = top + pairs;
  const uint32_t* r0 = j.source;
  bool have_top = false, have_bottom = false;
  const bool avx2 = g_avx2 && !g_force_sse2;
  for (int32_t y = 0; y < j.dest_height; ++y) {
    const int32_t advance = j.y_advances[y];
    r0 += ptrdiff_t(advance) * j.source_ppr;
    if (advance == 1 && down && have_bottom) {
      std::swap(top, bottom);  // the old lower row is the new upper row
      have_top = true;
      have_bottom = false;
    } else if (advance != 0) {
      have_top = have_bottom = false;
    }
    if (avx2 && down) {
      // What the next destination row reads again: both rows when it advances by 0, the lower
      // one when it advances by 1.
      const int32_t next = y + 1 < j.dest_height ? j.y_advances[y + 1] : 2;
      const bool keep_top = have_top || next == 0, keep_bottom = have_bottom || next <= 1;
      row_avx2(have_top ? nullptr : r0, have_bottom ? nullptr : r0 + down, keep_top, keep_bottom,
               top, bottom, columns, fx_pairs, j.y_fractions[y], j.dest_width,
               format_keep(j.format), row_at(j.dest, y, j.dest_ppr),
               next >= 2 && y + 1 < j.dest_height ? r0 + ptrdiff_t(next) * j.source_ppr : nullptr, down);
      have_top = keep_top;
      have_bottom = keep_bottom;
      continue;
    }
    if (!have_top) horizontal_pass(r0, columns, fx_pairs, j.dest_width, top);
    if (!have_bottom) {
      if (down) horizontal_pass(r0 + down, columns, fx_pairs, j.dest_width, bottom);
      else std::copy(top, top + pairs, bottom);
    }
    have_top = have_bottom = true;
    const __m128i fy = _mm_set1_epi16(int16_t(j.y_fractions[y]));
    uint32_t* d = row_at(j.dest, y, j.dest_ppr);
    int32_t x = 0, k = 0;
    for (; x + 2 <= j.dest_width; x += 2, ++k) {
      const __m128i v = lerp(top[k], bottom[k], fy);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(d + x), _mm_and_si128(_mm_packus_epi16(v, v), keep));
    }
    if (x < j.dest_width) {
      const __m128i v = lerp(top[k], bottom[k], fy);
      d[x] = uint32_t(_mm_cvtsi128_si32(_mm_and_si128(_mm_packus_epi16(v, v), keep)));
    }
  }
}

// A source one pixel wide has no right neighbour: every column repeats it.
void scale_pixels_bilinear_narrow(const qmScaleJob& j) {
  const uint32_t keep = format_keep(j.format);
  const int32_t down = j.source_height > 1 ? j.source_ppr : 0;
  const uint32_t* r0 = j.source;
  for (int32_t y = 0; y < j.dest_height; ++y) {
    r0 += ptrdiff_t(j.y_advances[y]) * j.source_ppr;
    const __m128i fy = _mm_set1_epi16(int16_t(j.y_fractions[y]));
    const __m128i v = lerp(load2(r0[0], 0), load2(r0[down], 0), fy);
    const uint32_t p = uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(v, v))) & keep;
    std::fill_n(row_at(j.dest, y, j.dest_ppr), j.dest_width, p);
  }
}

void scale_mask_bilinear(const qmScaleJob& j, const int32_t* columns) {
  const uint8_t* s = j.source_mask;
  for (int32_t y = 0; y < j.dest_height; ++y) {
    s += ptrdiff_t(j.y_advances[y]) * j.source_mask_bpr;
    uint8_t* d = row_at(j.dest_mask, y, j.dest_mask_bpr);
    for (int32_t x = 0; x < j.dest_width; ++x) {
      if (mask_bit(s, j.sx + columns[x])) mask_bit_set(d, x);
      else mask_bit_clear(d, x);
    }
  }
}

void scale_alpha_bilinear(const qmScaleJob& j, const int32_t* columns) {
  const int32_t right = j.source_width > 1 ? 1 : 0;
  const int32_t down = j.source_height > 1 ? j.source_alpha_bpr : 0;
  const uint8_t* r0 = j.source_alpha;
  for (int32_t y = 0; y < j.dest_height; ++y) {
    r0 += ptrdiff_t(j.y_advances[y]) * j.source_alpha_bpr;
    const uint8_t* r1 = r0 + down;
    const int32_t fy = j.y_fractions[y];
    uint8_t* d = row_at(j.dest_alpha, y, j.dest_alpha_bpr);
    for (int32_t x = 0; x < j.dest_width; ++x) {
      const int32_t c = columns[x], fx = j.x_fractions[x];
      const int32_t a = (r0[c] + (((r0[c + right] - r0[c]) * fx) >> 16)) & 255;
      const int32_t b = (r1[c] + (((r1[c + right] - r1[c]) * fx) >> 16)) & 255;
      d[x] = uint8_t(a + (((b - a) * fy) >> 16));
    }
  }
}

// Process-wide tables of the scaler, grown on demand.
struct ScaleTables {
  int32_t* x_fractions = nullptr;
  int32_t* x_advances = nullptr;
  int32_t* columns = nullptr;
  int32_t* y_fractions = nullptr;
  int32_t* y_advances = nullptr;
  int32_t width = 0;
  int32_t height = 0;
};
ScaleTables g_tables;

void free_tables(int32_t*& a, int32_t*& b, int32_t*& c) {
  delete[] a;
  delete[] b;
  delete[] c;
  a = b = c = nullptr;
}

bool grow_tables(int32_t new_width, int32_t new_height) {
  ScaleTables& t = g_tables;
  if (new_width > t.width || !t.x_fractions) {
    free_tables(t.x_fractions, t.x_advances, t.columns);
    t.width = 0;
    t.x_fractions = new (std::nothrow) int32_t[size_t(new_width) + 1];
    t.x_advances = new (std::nothrow) int32_t[size_t(new_width) + 1];
    t.columns = new (std::nothrow) int32_t[size_t(new_width) + 1];
    if (!t.x_fractions || !t.x_advances || !t.columns) return false;
    t.width = new_width;
  }
  if (new_height > t.height || !t.y_fractions) {
    int32_t* unused = nullptr;
    free_tables(t.y_fractions, t.y_advances, unused);
    t.height = 0;
    t.y_fractions = new (std::nothrow) int32_t[size_t(new_height) + 1];
    t.y_advances = new (std::nothrow) int32_t[size_t(new_height) + 1];
    if (!t.y_fractions || !t.y_advances) return false;
    t.height = new_height;
  }
  return true;
}

}  // namespace

void mask_scale_loop(const qmScaleJob& j, float x_step, float y_step) {
  const int64_t q = to_i64(double(x_step) * 65536.0);
  RowWalker rows(y_step, j.source_height);
  for (int32_t y = 0; y < j.dest_height; ++y) {
    const uint8_t* s = row_at(j.source_mask, rows.next(), j.source_mask_bpr);
    uint8_t* d = row_at(j.dest_mask, y, j.dest_mask_bpr);
    int64_t acc = 0;
    int32_t x = 0;
    // Whole destination bytes at a time.
    for (; x + 8 <= j.dest_width; x += 8) {
      uint32_t byte = 0;
      for (int k = 0; k < 8; ++k, acc += q)
        byte = (byte << 1) | uint32_t(mask_bit(s, int32_t(acc >> 16) + j.sx));
      d[x >> 3] = uint8_t(byte);
    }
    for (; x < j.dest_width; ++x, acc += q) {
      if (mask_bit(s, int32_t(acc >> 16) + j.sx)) mask_bit_set(d, x);
      else mask_bit_clear(d, x);
    }
  }
}

void scale_pixels(const qmScaleJob& j) {
  if (j.dest_width < 1 || j.dest_height < 1 || j.source_width < 1 || j.source_height < 1) return;
  if (!j.interpolate) {
    const float fx = float(j.source_width) / float(j.dest_width);
    const float fy = float(j.source_height) / float(j.dest_height);
    if (j.source_mask && j.dest_mask) mask_scale_loop(j, fx, fy);
    // An alpha plane is scaled even without pixels: a plane made for it must not stay
    // uninitialised.
    if (j.source_alpha && j.dest_alpha) scale_alpha_nearest(j, fx, fy);
    if (j.source && j.dest && j.bytes_per_pixel == 4) scale_pixels_nearest(j, fx, fy);
    return;
  }
  // Steps over size - 1 keep the right and lower neighbours inside the rectangle.
  const int32_t x_step = to_i32(double(int64_t(j.source_width - 1) << 16) / j.dest_width);
  const int32_t y_step = to_i32(double(int64_t(j.source_height - 1) << 16) / j.dest_height);
  build_table(x_step, j.dest_width, j.x_fractions, j.x_advances);
  build_table(y_step, j.dest_height, j.y_fractions, j.y_advances);
  int32_t* columns = g_tables.columns && g_tables.width >= j.dest_width
                         ? g_tables.columns
                         : new (std::nothrow) int32_t[size_t(j.dest_width) + 1];
  if (!columns) return;
  // Source column of every destination column: the running sum of the advances.
  int32_t c = 0;
  for (int32_t i = 0; i < j.dest_width; ++i) columns[i] = (c += j.x_advances[i]);
  const bool pixels = j.source && j.dest && j.bytes_per_pixel == 4 && j.format >= PIXFMT_XRGB &&
                      j.format <= PIXFMT_XBGR;
  if (pixels && j.source_width == 1) {
    scale_pixels_bilinear_narrow(j);
  } else if (pixels) {
    // The column fractions as weights of two destination pixels, four lanes each.
    std::vector<Lanes> fx(size_t(j.dest_width + 1) / 2);
    for (int32_t i = 0; i < j.dest_width; i += 2) {
      const int32_t next = i + 1 < j.dest_width ? j.x_fractions[i + 1] : 0;
      fx[size_t(i / 2)].v = _mm_unpacklo_epi64(_mm_set1_epi16(int16_t(j.x_fractions[i])),
                                              _mm_set1_epi16(int16_t(next)));
    }
    scale_pixels_bilinear(j, columns, &fx.data()->v);
  }
  if (j.source_mask && j.dest_mask) scale_mask_bilinear(j, columns);
  if (j.source_alpha && j.dest_alpha) scale_alpha_bilinear(j, columns);
  if (columns != g_tables.columns) delete[] columns;
}

void scale_force_sse2(bool on) { g_force_sse2 = on; }

void effects_free_buffers() {
  free_tables(g_tables.x_fractions, g_tables.x_advances, g_tables.columns);
  int32_t* unused = nullptr;
  free_tables(g_tables.y_fractions, g_tables.y_advances, unused);
  g_tables.width = g_tables.height = 0;
}

namespace {

void set_geometry(qmScaleJob& job, int32_t x, int32_t y, int32_t w, int32_t h, int32_t new_width,
                  int32_t new_height) {
  job.sx = x;
  job.sy = y;
  job.source_width = w;
  job.source_height = h;
  job.dest_width = new_width;
  job.dest_height = new_height;
}

// Both bitmaps locked, or neither.
bool lock_both(const qmBitmap* source, const qmBitmap* into, qmBitmapLock* s, qmBitmapLock* d) {
  if (qmos_lock_bitmap(source, s) && qmos_lock_bitmap(into, d)) return true;
  qmos_unlock_bitmap(s);
  qmos_unlock_bitmap(d);
  return false;
}

// The pixels read from (x, y) of the locked source and written from (tx, ty) of the locked
// destination.
void set_pixels(qmScaleJob& job, const qmBitmapLock& s, const qmBitmapLock& d, int32_t x, int32_t y, int32_t tx,
                int32_t ty) {
  job.source = s.pixels + ptrdiff_t(y) * s.pixels_per_row + x;
  job.dest = d.pixels + ptrdiff_t(ty) * d.pixels_per_row + tx;
  job.source_ppr = s.pixels_per_row;
  job.dest_ppr = d.pixels_per_row;
  job.format = s.format;
  job.bytes_per_pixel = s.bytes_per_pixel;
}

// Whether the rectangle (x, y, w, h) lies inside a plane of pw x ph.
bool holds(int32_t pw, int32_t ph, int32_t x, int32_t y, int32_t w, int32_t h) {
  return x >= 0 && y >= 0 && w >= 1 && h >= 1 && int64_t(x) + w <= pw && int64_t(y) + h <= ph;
}

// The copy of the source rectangle written into planes already checked to be large enough: the
// pixels into bitmap, and the mask and alpha into their planes where both sides are given.
int32_t draw_planes(const qmBitmap* source, const qmMask* source_mask, const qmAlphaChannel* source_alpha, int32_t x,
                    int32_t y, int32_t w, int32_t h, int32_t new_width, int32_t new_height, int32_t interpolate,
                    qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha) {
  qmScaleJob job{};
  if (source_mask && mask) {
    job.source_mask = source_mask->data + ptrdiff_t(y) * source_mask->bytes_per_row;
    job.dest_mask = mask->data;
    job.source_mask_bpr = source_mask->bytes_per_row;
    job.dest_mask_bpr = mask->bytes_per_row;
  }
  if (source_alpha && alpha) {
    job.source_alpha = source_alpha->data + ptrdiff_t(y) * source_alpha->bytes_per_row + x;
    job.dest_alpha = alpha->data;
    job.source_alpha_bpr = source_alpha->bytes_per_row;
    job.dest_alpha_bpr = alpha->bytes_per_row;
  }
  set_geometry(job, x, y, w, h, new_width, new_height);
  job.interpolate = interpolate;
  job.x_fractions = g_tables.x_fractions;
  job.x_advances = g_tables.x_advances;
  job.y_fractions = g_tables.y_fractions;
  job.y_advances = g_tables.y_advances;
  const bool pixels = source && bitmap;
  qmBitmapLock s{}, d{};
  if (pixels) {
    if (!lock_both(source, bitmap, &s, &d)) return ERR_LOCKBMAP;
    set_pixels(job, s, d, x, y, 0, 0);
  }
  scale_pixels(job);
  if (pixels) {
    qmos_unlock_bitmap(&d);
    qmos_unlock_bitmap(&s);
  }
  return 0;
}

}  // namespace

int32_t bitmap_draw(const qmBitmap* source, const qmMask* source_mask,
                    const qmAlphaChannel* source_alpha, int32_t x, int32_t y, qmBitmap* target,
                    int32_t w, int32_t h, int32_t new_width, int32_t new_height,
                    int32_t interpolate, qmBitmap** out_bitmap, qmMask** out_mask,
                    qmAlphaChannel** out_alpha) {
  if (new_width < 1 || new_height < 1) return 0;
  // The rectangle must lie inside every source part that will be read.
  if (source && !holds(source->width, source->height, x, y, w, h)) return ERR_WRONGUSAGE;
  if (target && source && (target->width < new_width || target->height < new_height))
    return ERR_WRONGUSAGE;
  if (target) {
    if (!grow_tables(new_width, new_height)) return ERR_MEM;
    // Pixels only; nothing at all without a source.
    return source ? draw_planes(source, nullptr, nullptr, x, y, w, h, new_width, new_height, interpolate, target,
                                nullptr, nullptr)
                  : 0;
  }
  if (source_mask && !holds(source_mask->width, source_mask->height, x, y, w, h)) return ERR_WRONGUSAGE;
  if (source_alpha && !holds(source_alpha->width, source_alpha->height, x, y, w, h)) return ERR_WRONGUSAGE;
  if (!grow_tables(new_width, new_height)) return ERR_MEM;

  qmBitmap* made_bitmap = nullptr;
  qmMask* made_mask = nullptr;
  qmAlphaChannel* made_alpha = nullptr;
  auto fail = [&](int32_t code) {
    qmos_free_bitmap(made_bitmap);
    qmos_free_mask(made_mask);
    qmos_free_alpha(made_alpha);
    return code;
  };
  if (source && !(made_bitmap = qmos_alloc_bitmap(new_width, new_height))) return fail(ERR_MEM);
  if (source_mask && !(made_mask = qmos_alloc_mask(new_width, new_height, 0))) return fail(ERR_MEM);
  if (source_alpha && !(made_alpha = qmos_alloc_alpha(new_width, new_height, 0))) return fail(ERR_MEM);
  if (int32_t err = draw_planes(source, source_mask, source_alpha, x, y, w, h, new_width, new_height, interpolate,
                                made_bitmap, made_mask, made_alpha))
    return fail(err);
  if (out_bitmap) *out_bitmap = made_bitmap;
  else qmos_free_bitmap(made_bitmap);
  if (out_mask) *out_mask = made_mask;
  else qmos_free_mask(made_mask);
  if (out_alpha) *out_alpha = made_alpha;
  else qmos_free_alpha(made_alpha);
  return 0;
}

int32_t bitmap_draw_into(const qmBitmap* source, const qmMask* source_mask, const qmAlphaChannel* source_alpha,
                         int32_t x, int32_t y, int32_t w, int32_t h, int32_t new_width, int32_t new_height,
                         int32_t interpolate, qmBitmap* target, qmMask* target_mask, qmAlphaChannel* target_alpha) {
  if (new_width < 1 || new_height < 1) return 0;
  if (!source || !target || !holds(source->width, source->height, x, y, w, h)) return ERR_WRONGUSAGE;
  auto fits = [&](int32_t pw, int32_t ph) { return pw >= new_width && ph >= new_height; };
  if (!fits(target->width, target->height)) return ERR_WRONGUSAGE;
  if (source_mask && (!target_mask || !holds(source_mask->width, source_mask->height, x, y, w, h) ||
                      !fits(target_mask->width, target_mask->height)))
    return ERR_WRONGUSAGE;
  if (source_alpha && (!target_alpha || !holds(source_alpha->width, source_alpha->height, x, y, w, h) ||
                       !fits(target_alpha->width, target_alpha->height)))
    return ERR_WRONGUSAGE;
  if (!grow_tables(new_width, new_height)) return ERR_MEM;
  return draw_planes(source, source_mask, source_alpha, x, y, w, h, new_width, new_height, interpolate, target,
                     source_mask ? target_mask : nullptr, source_alpha ? target_alpha : nullptr);
}

int32_t bitmap_draw_part(const qmBitmap* source, int32_t x, int32_t y, int32_t w, int32_t h, int32_t new_width,
                         int32_t new_height, int32_t cx, int32_t cy, int32_t cw, int32_t ch, qmBitmap* target,
                         int32_t tx, int32_t ty) {
  if (!source || !target) return ERR_WRONGUSAGE;
  if (x < 0 || y < 0 || w < 1 || h < 1 || int64_t(x) + w > source->width || int64_t(y) + h > source->height)
    return ERR_WRONGUSAGE;
  if (cx < 0 || cy < 0 || cw < 1 || ch < 1 || int64_t(cx) + cw > new_width || int64_t(cy) + ch > new_height)
    return ERR_WRONGUSAGE;
  if (tx < 0 || ty < 0 || int64_t(tx) + cw > target->width || int64_t(ty) + ch > target->height)
    return ERR_WRONGUSAGE;
  qmBitmapLock s{}, d{};
  if (!lock_both(source, target, &s, &d)) return ERR_LOCKBMAP;
  qmScaleJob job{};
  set_geometry(job, x, y, w, h, new_width, new_height);
  set_pixels(job, s, d, x, y, tx, ty);
  job.first_col = cx;
  job.first_row = cy;
  job.cols = cw;
  job.rows = ch;
  scale_pixels(job);
  qmos_unlock_bitmap(&d);
  qmos_unlock_bitmap(&s);
  return 0;
}

void rect_transform_corners(const double* m, int32_t w, int32_t h, int32_t* new_width,
                            int32_t* new_height, double* min_x, double* min_y) {
  const double cx[4] = {0.0, double(w), double(w), 0.0};
  const double cy[4] = {0.0, 0.0, double(h), double(h)};
  double lo_x = 0, hi_x = 0, lo_y = 0, hi_y = 0;
  for (int i = 0; i < 4; ++i) {
    const double x = m[0] * cx[i] + m[2] * cy[i];
    const double y = m[1] * cx[i] + m[3] * cy[i];
    if (i == 0 || x < lo_x) lo_x = x;
    if (i == 0 || x > hi_x) hi_x = x;
    if (i == 0 || y < lo_y) lo_y = y;
    if (i == 0 || y > hi_y) hi_y = y;
  }
  const int32_t nw = to_i32(std::ceil(hi_x - lo_x - 0.5));
  const int32_t nh = to_i32(std::ceil(hi_y - lo_y - 0.5));
  // A non-finite matrix has no extent.
  *new_width = nw == INT32_MIN ? 0 : nw;
  *new_height = nh == INT32_MIN ? 0 : nh;
  if (min_x) *min_x = lo_x;
  if (min_y) *min_y = lo_y;
}

}  // namespace qm
