#include "platform/screen_buffer.h"

#include <SDL2/SDL.h>
#include <immintrin.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Past this many separate rectangles a frame is mostly dirty anyway: one bounding box is cheaper
// to present than a long list.
constexpr size_t kMaxDirty = 64;

// A bitmap word 0xBBGGRR00 (bytes A, R, G, B in memory) as a screen word 0x00RRGGBB.
inline uint32_t bitmap_to_screen(uint32_t w) { return __builtin_bswap32(w) & 0x00FFFFFFu; }

// Rows of bitmap words as screen words, strides in words. Presenting a frame is this and nothing
// else, so with AVX2 eight words at a time go through one byte shuffle (reversed, the top byte
// cleared). A row's last eight words are done as one more group that may overlap the one before
// it: the two never share memory, so the overlap writes the same words again, and a narrow
// rectangle's rows cost a few stores each, not a loop over its leftover words.
#define QM_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

QM_AVX2_INLINE void put8_to_screen(const uint32_t* from, uint32_t* to, __m256i order) {
  const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), _mm256_shuffle_epi8(v, order));
}

QM_AVX2_INLINE void put4_to_screen(const uint32_t* from, uint32_t* to, __m256i order) {
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_shuffle_epi8(v, _mm256_castsi256_si128(order)));
}

#undef QM_AVX2_INLINE

__attribute__((target("avx2"))) void rows_to_screen_avx2(const uint32_t* in, int64_t in_stride, uint32_t* out,
                                                         int64_t out_stride, int64_t w, int64_t h) {
  const __m256i order = _mm256_setr_epi8(3, 2, 1, -128, 7, 6, 5, -128, 11, 10, 9, -128, 15, 14, 13, -128, 3, 2, 1,
                                         -128, 7, 6, 5, -128, 11, 10, 9, -128, 15, 14, 13, -128);
  for (int64_t row = 0; row < h; ++row, in += in_stride, out += out_stride) {
    if (w >= 8) {
      for (int64_t i = 0; i + 8 < w; i += 8) put8_to_screen(in + i, out + i, order);
      put8_to_screen(in + w - 8, out + w - 8, order);
    } else if (w >= 4) {
      put4_to_screen(in, out, order);
      put4_to_screen(in + w - 4, out + w - 4, order);
    } else {
      for (int64_t i = 0; i < w; ++i) out[i] = bitmap_to_screen(in[i]);
    }
  }
}

const bool g_avx2 = __builtin_cpu_supports("avx2");

void rows_to_screen(const uint32_t* in, int64_t in_stride, uint32_t* out, int64_t out_stride, int64_t w, int64_t h) {
  if (g_avx2) {
    rows_to_screen_avx2(in, in_stride, out, out_stride, w, h);
    return;
  }
  for (int64_t row = 0; row < h; ++row, in += in_stride, out += out_stride)
    for (int64_t i = 0; i < w; ++i) out[i] = bitmap_to_screen(in[i]);
}

// Intersects [x, x + w) with [0, limit) in 64 bits, so that no caller's value overflows.
bool clip_span(int64_t& x, int64_t& w, int64_t limit) {
  if (x < 0) {
    w += x;
    x = 0;
  }
  if (x + w > limit) w = limit - x;
  return w > 0;
}

bool contains(const qmScreenRect& a, const qmScreenRect& b) {
  return b.x >= a.x && b.y >= a.y && b.x + b.w <= a.x + a.w && b.y + b.h <= a.y + a.h;
}

qmScreenRect bounding_box(const std::vector<qmScreenRect>& rects) {
  int32_t x1 = rects[0].x, y1 = rects[0].y;
  int32_t x2 = x1 + rects[0].w, y2 = y1 + rects[0].h;
  for (const qmScreenRect& r : rects) {
    x1 = std::min(x1, r.x);
    y1 = std::min(y1, r.y);
    x2 = std::max(x2, r.x + r.w);
    y2 = std::max(y2, r.y + r.h);
  }
  return {x1, y1, x2 - x1, y2 - y1};
}

// Only a surface that says it must be locked is: the others may be written at any time.
struct SurfaceLock {
  SDL_Surface* s;
  bool locked = false;
  bool ok = true;
  explicit SurfaceLock(SDL_Surface* surface) : s(surface) {
    if (SDL_MUSTLOCK(surface)) ok = locked = SDL_LockSurface(surface) == 0;
  }
  ~SurfaceLock() {
    if (locked) SDL_UnlockSurface(s);
  }
};

bool surface_takes_words(const SDL_Surface* surface) {
  Uint32 f = surface->format->format;
  return f == SDL_PIXELFORMAT_RGB888 || f == SDL_PIXELFORMAT_ARGB8888;
}

// Writes rows of screen words into the surface at (x, y), converting when the surface has
// another format.
void put_rows(SDL_Surface* surface, const uint32_t* src, int32_t src_pitch_words, int32_t x,
              int32_t y, int32_t w, int32_t h) {
  uint8_t* dst = static_cast<uint8_t*>(surface->pixels) + int64_t(y) * surface->pitch +
                 int64_t(x) * surface->format->BytesPerPixel;
  if (surface_takes_words(surface)) {
    for (int32_t row = 0; row < h; ++row)
      std::memcpy(dst + int64_t(row) * surface->pitch, src + int64_t(row) * src_pitch_words,
                  size_t(w) * 4);
  } else {
    SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, src, src_pitch_words * 4,
                      surface->format->format, dst, surface->pitch);
  }
}

}  // namespace

bool screen_resize(qmScreenBuffer& s, int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (!qm::picture_size_allowed(width, height) || !screen_detach(s)) return false;
  const size_t words = size_t(width) * size_t(height);
  std::unique_ptr<uint32_t, qmFreePixels> next(static_cast<uint32_t*>(std::calloc(words ? words : 1, 4)));
  if (!next) return false;
  int32_t keep_w = std::min(width, s.width), keep_h = std::min(height, s.height);
  for (int32_t y = 0; y < keep_h; ++y)
    std::memcpy(next.get() + size_t(y) * size_t(width), s.row(y), size_t(keep_w) * 4);
  s.own = std::move(next);
  s.data = s.own.get();
  s.stride = width;
  s.width = width;
  s.height = height;
  screen_mark_all(s);
  return true;
}

void screen_attach(qmScreenBuffer& s, uint32_t* pixels, int32_t stride) {
  if (s.data == pixels) return;
  // The own storage as a bitmap, to learn which rows were never drawn: those read black.
  std::vector<uint8_t> untouched;
  if (s.own && s.data == s.own.get() && s.width > 0) {
    const qm::qmBitmap view{s.width, s.height, s.own.get(), s.width * 4, 4, qm::PIXFMT_BGRX};
    qm::qmos_bitmap_untouched_rows(&view, &untouched);
  }
  for (int32_t y = 0; y < s.height; ++y) {
    uint32_t* to = pixels + size_t(y) * size_t(stride);
    if (size_t(y) < untouched.size() && untouched[size_t(y)])
      std::memset(to, 0, size_t(s.width) * 4);
    else
      std::memcpy(to, s.row(y), size_t(s.width) * 4);
  }
  s.data = pixels;
  s.stride = stride;
  s.own.reset();
}

bool screen_detach(qmScreenBuffer& s) {
  if (!s.attached()) return true;
  std::unique_ptr<uint32_t, qmFreePixels> mine(
      static_cast<uint32_t*>(std::malloc(std::max<size_t>(size_t(s.width) * size_t(s.height), 1) * 4)));
  if (!mine) return false;
  for (int32_t y = 0; y < s.height; ++y)
    std::memcpy(mine.get() + size_t(y) * size_t(s.width), s.row(y), size_t(s.width) * 4);
  s.own = std::move(mine);
  s.data = s.own.get();
  s.stride = s.width;
  return true;
}

namespace {

void mark64(qmScreenBuffer& s, int64_t cx, int64_t cy, int64_t cw, int64_t ch) {
  if (!clip_span(cx, cw, s.width) || !clip_span(cy, ch, s.height)) return;
  qmScreenRect r{int32_t(cx), int32_t(cy), int32_t(cw), int32_t(ch)};
  for (const qmScreenRect& d : s.dirty)
    if (contains(d, r)) return;
  std::erase_if(s.dirty, [&](const qmScreenRect& d) { return contains(r, d); });
  s.dirty.push_back(r);
  if (s.dirty.size() > kMaxDirty) {
    qmScreenRect box = bounding_box(s.dirty);
    s.dirty.assign(1, box);
  }
}

}  // namespace

void screen_mark(qmScreenBuffer& s, int32_t x, int32_t y, int32_t w, int32_t h) {
  mark64(s, x, y, w, h);
}

void screen_mark_all(qmScreenBuffer& s) {
  s.dirty.clear();
  if (s.width > 0 && s.height > 0) s.dirty.push_back({0, 0, s.width, s.height});
}

namespace {

// Copies one clipped rectangle and hands what it wrote to mark.
template <class Mark>
bool blit_one(qmScreenBuffer& s, const qm::qmBitmap* src, int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w,
              int32_t h, Mark mark) {
  if (!src || !src->pixels) return false;
  int64_t x0 = sx, y0 = sy, x1 = dx, y1 = dy, cw = w, ch = h;
  // Clip the source to its bitmap, then the destination to the buffer, moving the other corner
  // along so that pixels keep their places.
  if (x0 < 0) x1 -= x0;
  if (y0 < 0) y1 -= y0;
  if (!clip_span(x0, cw, src->width) || !clip_span(y0, ch, src->height)) return false;
  if (x1 < 0) x0 -= x1;
  if (y1 < 0) y0 -= y1;
  if (!clip_span(x1, cw, s.width) || !clip_span(y1, ch, s.height)) return false;
  rows_to_screen(src->pixels + y0 * (src->bytes_per_row / 4) + x0, src->bytes_per_row / 4, s.row(int32_t(y1)) + x1,
                 s.stride, cw, ch);
  mark(s, int32_t(x1), int32_t(y1), int32_t(cw), int32_t(ch));
  return true;
}

}  // namespace

void screen_blit(qmScreenBuffer& s, const qm::qmBitmap* src, int32_t sx, int32_t sy, int32_t dx,
                 int32_t dy, int32_t w, int32_t h) {
  blit_one(s, src, sx, sy, dx, dy, w, h, screen_mark);
}

void screen_blit_rects(qmScreenBuffer& s, const qm::qmBitmap* src, const qmScreenRect* rects, size_t n,
                       int32_t dx, int32_t dy) {
  const auto moved = [](int32_t v, int32_t by) {
    return int32_t(std::clamp<int64_t>(int64_t(v) + by, INT32_MIN, INT32_MAX));
  };
  if (!s.dirty.empty()) {
    for (size_t i = 0; i < n; ++i) {
      const qmScreenRect& r = rects[i];
      blit_one(s, src, r.x, r.y, moved(r.x, dx), moved(r.y, dy), r.w, r.h, screen_mark);
    }
    return;
  }
  // Rectangles apart from one another never hold one another: each clipped one joins the list.
  const auto append = [](qmScreenBuffer& b, int32_t x, int32_t y, int32_t w, int32_t h) {
    b.dirty.push_back({x, y, w, h});
  };
  for (size_t i = 0; i < n; ++i) {
    const qmScreenRect& r = rects[i];
    blit_one(s, src, r.x, r.y, moved(r.x, dx), moved(r.y, dy), r.w, r.h, append);
  }
  if (s.dirty.size() > kMaxDirty) s.dirty.assign(1, bounding_box(s.dirty));
}

namespace {

// Source index of destination index d of n when a span of m source pixels starting at first is
// drawn n pixels wide: the pixel under the destination pixel's centre.
inline int64_t nearest(int64_t first, int64_t m, int64_t n, int64_t d) {
  return first + ((2 * d + 1) * m) / (2 * n);
}

}  // namespace

void screen_blit_scaled(qmScreenBuffer& s, const qm::qmBitmap* src, int32_t sx, int32_t sy,
                        int32_t w, int32_t h, int32_t dx, int32_t dy, int32_t dw, int32_t dh) {
  if (!src || !src->pixels || w <= 0 || h <= 0 || dw <= 0 || dh <= 0) return;
  int64_t x1 = dx, y1 = dy, cw = dw, ch = dh;
  if (!clip_span(x1, cw, s.width) || !clip_span(y1, ch, s.height)) return;
  // Source column of every destination column left after clipping; -1 outside the bitmap.
  std::vector<int32_t> cols(static_cast<size_t>(cw));
  for (int64_t i = 0; i < cw; ++i) {
    int64_t c = nearest(sx, w, dw, x1 - dx + i);
    cols[size_t(i)] = c >= 0 && c < src->width ? int32_t(c) : -1;
  }
  const int32_t ppr = src->bytes_per_row / 4;
  for (int64_t row = 0; row < ch; ++row) {
    int64_t r = nearest(sy, h, dh, y1 - dy + row);
    if (r < 0 || r >= src->height) continue;
    const uint32_t* in = src->pixels + r * ppr;
    uint32_t* out = s.row(int32_t(y1 + row)) + x1;
    for (int64_t i = 0; i < cw; ++i)
      if (cols[size_t(i)] >= 0) out[i] = bitmap_to_screen(in[cols[size_t(i)]]);
  }
  screen_mark(s, int32_t(x1), int32_t(y1), int32_t(cw), int32_t(ch));
}

void screen_fill(qmScreenBuffer& s, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
  int64_t cx = x, cy = y, cw = w, ch = h;
  if (!clip_span(cx, cw, s.width) || !clip_span(cy, ch, s.height)) return;
  colour &= 0x00FFFFFFu;
  for (int64_t row = 0; row < ch; ++row) {
    uint32_t* out = s.row(int32_t(cy + row)) + cx;
    std::fill(out, out + cw, colour);
  }
  screen_mark(s, int32_t(cx), int32_t(cy), int32_t(cw), int32_t(ch));
}

void screen_plot(qmScreenBuffer& s, int32_t x, int32_t y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= s.width || y >= s.height) return;
  s.row(y)[x] = colour & 0x00FFFFFFu;
  screen_mark(s, x, y, 1, 1);
}

namespace {

// floor(a / b) for b > 0.
inline int64_t floor_div(__int128 a, int64_t b) {
  __int128 q = a / b;
  if (a % b != 0 && a < 0) --q;
  return int64_t(q);
}

}  // namespace

void screen_line(qmScreenBuffer& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                 uint32_t colour) {
  colour &= 0x00FFFFFFu;
  // Step along the longer axis; the other coordinate is the rounded exact one. Only the steps
  // whose major coordinate lies inside the buffer are walked, so far-off end points cost nothing.
  const bool x_major = std::abs(int64_t(x2) - x1) >= std::abs(int64_t(y2) - y1);
  const int64_t a1 = x_major ? x1 : y1, a2 = x_major ? x2 : y2;
  const int64_t b1 = x_major ? y1 : x1, b2 = x_major ? y2 : x2;
  const int64_t limit = x_major ? s.width : s.height;
  const int64_t n = std::abs(a2 - a1), step = a1 <= a2 ? 1 : -1, db = b2 - b1;
  int64_t first = step > 0 ? std::max<int64_t>(0, -a1) : std::max<int64_t>(0, a1 - (limit - 1));
  int64_t last = step > 0 ? std::min<int64_t>(n, limit - 1 - a1) : std::min<int64_t>(n, a1);
  for (int64_t t = first; t <= last; ++t) {
    int64_t a = a1 + t * step;
    int64_t b = n == 0 ? b1 : b1 + floor_div(__int128(2) * t * db + n, 2 * n);
    int64_t x = x_major ? a : b, y = x_major ? b : a;
    if (x >= 0 && y >= 0 && x < s.width && y < s.height)
      s.row(int32_t(y))[x] = colour;
  }
  mark64(s, std::min(x1, x2), std::min(y1, y2), std::abs(int64_t(x2) - x1) + 1,
         std::abs(int64_t(y2) - y1) + 1);
}

void screen_present(qmScreenBuffer& s, SDL_Surface* surface, bool full,
                    std::vector<SDL_Rect>* rects) {
  SurfaceLock lock(surface);
  if (!lock.ok) return;
  const bool attached = s.data == surface->pixels;
  if (full) {
    if (!attached) SDL_FillRect(surface, nullptr, 0);
    screen_mark_all(s);
  }
  for (const qmScreenRect& d : s.dirty) {
    int64_t x = d.x, y = d.y, w = d.w, h = d.h;
    if (!clip_span(x, w, surface->w) || !clip_span(y, h, surface->h)) continue;
    if (!attached)
      put_rows(surface, s.row(int32_t(y)) + x, s.stride, int32_t(x), int32_t(y), int32_t(w),
               int32_t(h));
    if (!full) rects->push_back({int(x), int(y), int(w), int(h)});
  }
  if (full) rects->push_back({0, 0, surface->w, surface->h});
  s.dirty.clear();
}

qmLetterbox letterbox_fit(int32_t buffer_w, int32_t buffer_h, int32_t surface_w,
                          int32_t surface_h) {
  if (buffer_w <= 0 || buffer_h <= 0) return {0, 0, 0, 0};
  int64_t w, h;
  if (int64_t(surface_w) * buffer_h <= int64_t(surface_h) * buffer_w) {
    w = surface_w;
    h = int64_t(buffer_h) * surface_w / buffer_w;
  } else {
    h = surface_h;
    w = int64_t(buffer_w) * surface_h / buffer_h;
  }
  return {int32_t((surface_w - w) / 2), int32_t((surface_h - h) / 2), int32_t(w), int32_t(h)};
}

void screen_present_letterboxed(qmScreenBuffer& s, SDL_Surface* surface, const qmLetterbox& box,
                                bool full, std::vector<SDL_Rect>* rects) {
  if (box.w <= 0 || box.h <= 0 || s.width <= 0 || s.height <= 0) return;
  SurfaceLock lock(surface);
  if (!lock.ok) return;
  if (full) {
    SDL_FillRect(surface, nullptr, 0);
    screen_mark_all(s);
  }
  std::vector<uint32_t> line;
  for (const qmScreenRect& d : s.dirty) {
    // The surface span that shows the dirty rectangle, one pixel wider on each side so that no
    // rounding leaves a stale pixel; the extra pixels are written with what they show anyway.
    int64_t x = int64_t(d.x) * box.w / s.width - 1, w = int64_t(d.w) * box.w / s.width + 3;
    int64_t y = int64_t(d.y) * box.h / s.height - 1, h = int64_t(d.h) * box.h / s.height + 3;
    if (!clip_span(x, w, box.w) || !clip_span(y, h, box.h)) continue;
    line.resize(size_t(w));
    for (int64_t row = 0; row < h; ++row) {
      const uint32_t* in = s.row(int32_t(nearest(0, s.height, box.h, y + row)));
      for (int64_t i = 0; i < w; ++i) line[size_t(i)] = in[nearest(0, s.width, box.w, x + i)];
      put_rows(surface, line.data(), int32_t(w), int32_t(box.x + x), int32_t(box.y + y + row),
               int32_t(w), 1);
    }
    if (!full) rects->push_back({int(box.x + x), int(box.y + y), int(w), int(h)});
  }
  if (full) rects->push_back({0, 0, surface->w, surface->h});
  s.dirty.clear();
}

bool letterbox_map_point(const qmLetterbox& box, int32_t buffer_w, int32_t buffer_h, int32_t x,
                         int32_t y, int32_t* out_x, int32_t* out_y) {
  int64_t lx = int64_t(x) - box.x, ly = int64_t(y) - box.y;
  if (lx < 0 || ly < 0 || lx >= box.w || ly >= box.h) return false;
  *out_x = int32_t(nearest(0, buffer_w, box.w, lx));
  *out_y = int32_t(nearest(0, buffer_h, box.h, ly));
  return true;
}
