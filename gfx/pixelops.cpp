// Colour replacement, mirroring, pixelation, threshold select, wave, alpha-gated copy and
// edge-extended copies.
#include "gfx/pixelops.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "engine/clones.h"
#include "engine/numconv.h"
#include "gfx/bitmap.h"

namespace qm {

namespace {

inline uint32_t* px(uint32_t* p, int32_t x, int32_t y, int32_t ppr) {
  return p + ptrdiff_t(y) * ppr + x;
}
inline const uint32_t* px(const uint32_t* p, int32_t x, int32_t y, int32_t ppr) {
  return p + ptrdiff_t(y) * ppr + x;
}
template <typename T>
inline T* row(T* p, int32_t y, int32_t bpr) {
  return p + ptrdiff_t(y) * bpr;
}
inline void put_bit(uint8_t* r, int32_t x, bool on) {
  if (on) mask_bit_set(r, x);
  else mask_bit_clear(r, x);
}

}  // namespace

void pixels_replace_color(int32_t width, int32_t height, const uint32_t* pairs, uint32_t* pixels,
                          int32_t ppr, uint32_t compare) {
  size_t n = 0;
  while (pairs[2 * n] != 0xFFFFFFFFu) ++n;
  if (n == 0) return;
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* p = px(pixels, 0, y, ppr);
    for (int32_t x = 0; x < width; ++x) {
      uint32_t v = p[x];
      for (size_t k = 0; k < n; ++k)
        if ((v & compare) == pairs[2 * k]) v = pairs[2 * k + 1];
      p[x] = v;
    }
  }
}

void pixels_flip(const qmFlipRequest& r) {
  if (r.width < 1 || r.height < 1) return;
  const bool pixels = r.bytes_per_pixel == 4 && r.pixels;
  if (!r.horizontal) {
    for (int32_t i = 0; i < r.height / 2; ++i) {
      const int32_t k = r.height - 1 - i;
      if (pixels)
        std::swap_ranges(px(r.pixels, 0, i, r.ppr), px(r.pixels, r.width, i, r.ppr),
                         px(r.pixels, 0, k, r.ppr));
      if (r.mask)
        std::swap_ranges(row(r.mask, i, r.mask_bpr), row(r.mask, i, r.mask_bpr) + r.mask_bpr,
                         row(r.mask, k, r.mask_bpr));
      if (r.alpha)
        std::swap_ranges(row(r.alpha, i, r.alpha_bpr), row(r.alpha, i, r.alpha_bpr) + r.width,
                         row(r.alpha, k, r.alpha_bpr));
    }
    return;
  }
  for (int32_t y = 0; y < r.height; ++y) {
    if (pixels) std::reverse(px(r.pixels, 0, y, r.ppr), px(r.pixels, r.width, y, r.ppr));
    if (r.mask) {
      uint8_t* m = row(r.mask, y, r.mask_bpr);
      std::memcpy(r.scratch, m, size_t(r.mask_bpr));
      for (int32_t x = 0; x < r.width; ++x) put_bit(m, x, mask_bit(r.scratch, r.width - 1 - x));
    }
    if (r.alpha) std::reverse(row(r.alpha, y, r.alpha_bpr), row(r.alpha, y, r.alpha_bpr) + r.width);
  }
}

void pixels_pixelate(const qmPixelateRequest& r) {
  const int32_t b = r.block;
  if (b < 1 || r.width < 1 || r.height < 1) return;
  // Without planes every block shows: a block row's first row is made once and copied down.
  const bool plain = !r.source_mask && !r.source_alpha && !r.dest_mask && !r.dest_alpha;
  for (int32_t y0 = 0; y0 < r.height; y0 += b) {
    const int32_t bh = std::min(b, r.height - y0);
    if (plain) {
      const uint32_t* s = px(r.source, 0, y0, r.source_ppr);
      uint32_t* d = px(r.dest, 0, y0, r.dest_ppr);
      for (int32_t x0 = 0; x0 < r.width; x0 += b)
        std::fill_n(d + x0, std::min(b, r.width - x0), s[x0]);
      for (int32_t j = 1; j < bh; ++j)
        std::memcpy(px(r.dest, 0, y0 + j, r.dest_ppr), d, size_t(r.width) * 4);
      continue;
    }
    for (int32_t x0 = 0; x0 < r.width; x0 += b) {
      const int32_t bw = std::min(b, r.width - x0);
      const uint32_t sample = *px(r.source, x0, y0, r.source_ppr);
      bool visible = true;
      uint8_t a = 0;
      if (r.source_alpha) a = row(r.source_alpha, y0, r.source_alpha_bpr)[x0];
      if (r.source_mask) visible = mask_bit(row(r.source_mask, y0, r.source_mask_bpr), x0);
      else if (r.source_alpha) visible = a != 0;
      for (int32_t j = 0; j < bh; ++j) {
        if (visible) std::fill_n(px(r.dest, x0, y0 + j, r.dest_ppr), bw, sample);
        if (r.dest_mask) {
          uint8_t* m = row(r.dest_mask, y0 + j, r.dest_mask_bpr);
          for (int32_t i = 0; i < bw; ++i) put_bit(m, x0 + i, visible);
        } else if (r.dest_alpha) {
          std::memset(row(r.dest_alpha, y0 + j, r.dest_alpha_bpr) + x0, visible ? a : 0,
                      size_t(bw));
        }
      }
    }
  }
}

namespace {

// Eight pixels of a mask row at once: bit 7 - k of the byte is pixel 8 i + k.
inline uint8_t shown_byte(const uint8_t* m, int32_t level, bool invert) {
  uint8_t b = 0;
  for (int32_t k = 0; k < 8; ++k) b = uint8_t(b << 1) | uint8_t(invert ? m[k] >= level : m[k] < level);
  return b;
}

}  // namespace

void alpha_threshold_select(const qmSelectRequest& r, int32_t level) {
  const bool invert = r.invert != 0;
  for (int32_t y = 0; y < r.height; ++y) {
    const uint8_t* m = r.map + ptrdiff_t(y) * r.width;
    const uint8_t* s = r.source ? row(r.source, y, r.source_bpr) : nullptr;
    uint8_t* d = row(r.dest, y, r.dest_bpr);
    if (r.eight_bit) {
      for (int32_t x = 0; x < r.width; ++x) d[x] = (invert ? m[x] >= level : m[x] < level) && s ? s[x] : 0;
      continue;
    }
    // Whole bytes eight pixels at a time; the bits of a last part byte beyond the width stay.
    const int32_t whole = r.width / 8;
    for (int32_t i = 0; i < whole; ++i) d[i] = s ? uint8_t(shown_byte(m + 8 * i, level, invert) & s[i])
                                                 : shown_byte(m + 8 * i, level, invert);
    for (int32_t x = whole * 8; x < r.width; ++x)
      put_bit(d, x, (invert ? m[x] >= level : m[x] < level) && (!s || mask_bit(s, x)));
  }
}

QM_VECTOR_CLONES void pick_row(const uint32_t* fresh, const uint32_t* old, uint32_t* dest, const uint8_t* map,
                               int32_t n, int32_t level) {
  for (int32_t x = 0; x < n; ++x) dest[x] = map[x] < level ? fresh[x] : old[x];
}

void pixels_threshold_pick(const qmPickRequest& r, int32_t level) {
  for (int32_t y = 0; y < r.height; ++y) {
    const uint32_t* fresh = px(r.fresh, 0, y, r.fresh_ppr);
    const uint32_t* old = px(r.old, 0, y, r.old_ppr);
    uint32_t* d = px(r.dest, 0, y, r.dest_ppr);
    const uint8_t* m = r.map + ptrdiff_t(y) * r.width;
    if (!r.mask) {
      pick_row(fresh, old, d, m, r.width, level);
      continue;
    }
    const uint8_t* visible = row(r.mask, y, r.mask_bpr);
    for (int32_t x = 0; x < r.width; ++x) d[x] = m[x] < level && mask_bit(visible, x) ? fresh[x] : old[x];
  }
}

int32_t planes_copy_rect(const qmWaveRecord& r, int32_t sx, int32_t sy, int32_t w, int32_t h,
                         int32_t dx, int32_t dy) {
  if (h < 1) return 0;
  for (int32_t j = 0; j < h; ++j) {
    const uint32_t* s = px(r.source, sx, sy + j, r.source_ppr);
    uint32_t* d = px(r.dest, dx, dy + j, r.dest_ppr);
    if (r.source_mask) {
      const uint8_t* sm = row(r.source_mask, sy + j, r.source_mask_bpr);
      uint8_t* dm = r.dest_mask ? row(r.dest_mask, dy + j, r.dest_mask_bpr) : nullptr;
      for (int32_t i = 0; i < w; ++i) {
        const bool on = mask_bit(sm, sx + i);
        if (on) d[i] = s[i];
        if (dm) put_bit(dm, dx + i, on);
      }
    } else if (r.source_alpha) {
      const uint8_t* sa = row(r.source_alpha, sy + j, r.source_alpha_bpr) + sx;
      uint8_t* da = r.dest_alpha ? row(r.dest_alpha, dy + j, r.dest_alpha_bpr) + dx : nullptr;
      for (int32_t i = 0; i < w; ++i) {
        if (sa[i]) d[i] = s[i];
        if (da) da[i] = sa[i];
      }
    } else if (w > 0) {
      std::memmove(d, s, size_t(w) * 4);
    }
  }
  return 1;
}

namespace {

// True when the bits lo..hi of a mask row are all set.
bool bits_all_set(const uint8_t* row, int32_t lo, int32_t hi) {
  const int32_t first = lo >> 3, last = hi >> 3;
  const uint8_t head = uint8_t(0xFFu >> (lo & 7)), tail = uint8_t(0xFF00u >> ((hi & 7) + 1));
  if (first == last) return (row[first] & head & tail) == (head & tail);
  if ((row[first] & head) != head || (row[last] & tail) != tail) return false;
  for (int32_t i = first + 1; i < last; ++i)
    if (row[i] != 0xFF) return false;
  return true;
}

// The lines of a wave of columns, drawn row by row: destination column to[k] takes source column
// from[k]. `to` rises, so the destination mask bits of a row are gathered a byte at a time (the
// bits no line reaches kept) instead of read and written pixel by pixel, and a row whose source
// mask shows every column the lines read copies them without looking at the mask.
struct WaveLines {
  struct Byte {
    int32_t index;
    uint8_t touched;  // the bits of this byte that lines land on
    size_t end;       // the lines of this byte end here
  };
  std::vector<int32_t> to, from;
  std::vector<Byte> bytes;
  int32_t lo = INT32_MAX, hi = INT32_MIN;  // the source columns read

  // Room for n lines; false when memory runs out.
  bool reserve(int32_t n) {
    try {
      to.reserve(size_t(n));
      from.reserve(size_t(n));
      bytes.reserve(size_t(n) / 8 + 2);
    } catch (const std::bad_alloc&) {
      return false;
    }
    return true;
  }
  void add(int32_t t, int32_t s) {
    to.push_back(t), from.push_back(s);
    lo = std::min(lo, s), hi = std::max(hi, s);
    if (bytes.empty() || bytes.back().index != t >> 3) bytes.push_back({t >> 3, 0, 0});
    bytes.back().touched |= uint8_t(0x80u >> (t & 7));
    bytes.back().end = to.size();
  }

  void copy_row(const uint32_t* s, uint32_t* d) const {
    const size_t n = to.size();
    for (size_t k = 0; k < n; ++k) d[to[k]] = s[from[k]];
  }
  void masked_row(const uint32_t* s, uint32_t* d, const uint8_t* sm, uint8_t* dm) const {
    if (bits_all_set(sm, lo, hi)) {
      copy_row(s, d);
      if (dm)
        for (const Byte& b : bytes) dm[b.index] |= b.touched;
      return;
    }
    size_t k = 0;
    for (const Byte& b : bytes) {
      uint8_t on = 0;
      for (; k < b.end; ++k)
        if (mask_bit(sm, from[k])) {
          d[to[k]] = s[from[k]];
          on |= uint8_t(0x80u >> (to[k] & 7));
        }
      if (dm) dm[b.index] = uint8_t((dm[b.index] & ~b.touched) | on);
    }
  }
  void alpha_row(const uint32_t* s, uint32_t* d, const uint8_t* sa, uint8_t* da) const {
    const size_t n = to.size();
    for (size_t k = 0; k < n; ++k) {
      const uint8_t a = sa[from[k]];
      if (a) d[to[k]] = s[from[k]];
      if (da) da[to[k]] = a;
    }
  }

  void draw(const qmWaveRecord& r) const {
    for (int32_t y = 0; y < r.height; ++y) {
      const uint32_t* s = px(r.source, 0, y, r.source_ppr);
      uint32_t* d = px(r.dest, 0, y, r.dest_ppr);
      if (r.source_mask)
        masked_row(s, d, row(r.source_mask, y, r.source_mask_bpr),
                   r.dest_mask ? row(r.dest_mask, y, r.dest_mask_bpr) : nullptr);
      else if (r.source_alpha)
        alpha_row(s, d, row(r.source_alpha, y, r.source_alpha_bpr),
                  r.dest_alpha ? row(r.dest_alpha, y, r.dest_alpha_bpr) : nullptr);
      else
        copy_row(s, d);
    }
  }
};

}  // namespace

void wave_render(qmWaveRecord& r) {
  r.lines_copied = 0;
  r.first_line = -100000;
  r.result_position = r.position;
  if (r.n < 1) return;
  const int32_t o = r.position - r.n;
  const double step = 6.283185307179586 / r.n;
  const int32_t limit = r.columns ? r.width : r.height;
  // Columns into separate planes go row by row, all columns of a row at once: the same pixels,
  // read and written along the rows instead of down a column each.
  WaveLines lines;
  const bool by_rows = r.columns && r.bytes_per_pixel == 4 && r.source != r.dest &&
                       (!r.source_mask || r.source_mask != r.dest_mask) &&
                       (!r.source_alpha || r.source_alpha != r.dest_alpha) && lines.reserve(r.n);
  for (int32_t i = 0; i < r.n; ++i) {
    const int32_t t = o + 1 + i;
    if (t < 0 || t >= limit) continue;
    const int32_t shift = to_i32(r.offsets[i] / step);
    if (shift == INT32_MIN) continue;  // NaN or out of range: no source line
    const int64_t s = int64_t(r.n) + shift + o;
    if (s < 0 || s >= limit) continue;
    if (r.first_line == -100000) r.first_line = t;
    if (r.bytes_per_pixel != 4) continue;
    if (by_rows) lines.add(t, int32_t(s));
    else if (r.columns) planes_copy_rect(r, int32_t(s), 0, 1, r.height, t, 0);
    else planes_copy_rect(r, 0, int32_t(s), r.width, 1, 0, t);
    ++r.lines_copied;
  }
  if (!lines.to.empty()) lines.draw(r);
}

void alpha_gated_copy_loop(const uint32_t* source, int32_t sx, int32_t sy, int32_t ax, int32_t ay,
                           int32_t source_ppr, uint32_t* dest, int32_t dx, int32_t dy,
                           int32_t dest_ppr, int32_t w, int32_t h, const uint8_t* alpha,
                           int32_t alpha_bpr) {
  for (int32_t j = 0; j < h; ++j) {
    const uint32_t* s = px(source, sx, sy + j, source_ppr);
    uint32_t* d = px(dest, dx, dy + j, dest_ppr);
    const uint8_t* a = row(alpha, ay + j, alpha_bpr) + ax;
    for (int32_t i = 0; i < w; ++i)
      if (a[i]) d[i] = s[i];
  }
}

namespace {

template <typename T>
T* extend_edges(const T* src, int32_t w, int32_t h, int32_t stride, int32_t n, T* buffer,
                int32_t row_length) {
  if (w < 1 || h < 1 || n < 0) return buffer;
  const int32_t half = n / 2;
  const int32_t cols = w + n;
  for (int32_t r = 0; r < h + n; ++r) {
    const T* s = src + ptrdiff_t(std::clamp(r - half, 0, h - 1)) * stride;
    T* d = buffer + ptrdiff_t(r) * row_length;
    std::fill_n(d, half, s[0]);
    std::memcpy(d + half, s, size_t(w) * sizeof(T));
    std::fill_n(d + half + w, cols - half - w, s[w - 1]);
  }
  return buffer;
}

template <typename T>
T* alloc_extended(int32_t row_length, int32_t rows) {
  const uint64_t n = uint64_t(uint32_t(row_length)) * uint32_t(rows) * sizeof(T);
  if (row_length < 0 || rows < 0 || n > 0x7FFFFFFFu) return nullptr;
  return static_cast<T*>(std::malloc(n ? size_t(n) : 1));
}

}  // namespace

uint32_t* pixels_extend_edges(const uint32_t* pixels, int32_t width, int32_t height, int32_t ppr,
                              int32_t n, uint32_t* buffer, int32_t* out_row_length) {
  const int32_t row_length = ((width + n) & ~3) + 4;
  *out_row_length = row_length;
  if (!buffer) buffer = alloc_extended<uint32_t>(row_length, height + n);
  if (!buffer) return nullptr;
  return extend_edges(pixels, width, height, ppr, n, buffer, row_length);
}

uint8_t* bytes_extend_edges(const uint8_t* data, int32_t width, int32_t height, int32_t bpr,
                            int32_t n, uint8_t* buffer, int32_t* out_row_length) {
  const int32_t row_length = (width + n + 3) & ~3;
  *out_row_length = row_length;
  if (!buffer) buffer = alloc_extended<uint8_t>(row_length, height + n);
  if (!buffer) return nullptr;
  return extend_edges(data, width, height, bpr, n, buffer, row_length);
}

}  // namespace qm
