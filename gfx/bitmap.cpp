// Offscreen bitmaps, masks and alpha planes: constructors, lock, attributes, single pixels, the
// one-pixel line and the primitive blits. There is no platform offscreen world on this host: the
// pixel buffer itself is the world, and single pixels and lines are written directly.
#include "gfx/bitmap.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

#include "engine/errcodes.h"
#include "gfx/pixelloops.h"

namespace qm {

namespace {

// Every pixel loop indexes with 32-bit signed arithmetic, so no buffer may exceed 2^31 - 1
// bytes. A size that does not fit fails cleanly instead of wrapping to a small allocation.
constexpr size_t kMaxBufferBytes = 0x7FFFFFFF;

bool buffer_size(int32_t rows, int32_t bytes_per_row, size_t* out) {
  if (rows < 0 || bytes_per_row < 0) return false;
  size_t n = size_t(rows) * size_t(bytes_per_row);
  if (n > kMaxBufferBytes) return false;
  *out = n;
  return true;
}

// Uncleared buffers of a frame or more start on a 2 MB boundary with the huge-page hint, so that the kernel
// faults them in a few large pages instead of thousands of small ones, and the two last freed are
// kept for the next such request: an effect that scales a whole picture into a fresh buffer each
// frame spent 20 ms of such a frame in page faults here, and now reuses the same pages. A fresh
// buffer has a quarter to spare, so that a picture that grows frame by frame fits again.
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kLarge = 2 * kHugePage;
constexpr size_t kKeptMax = size_t(48) << 20;  // a 4K frame and its spare; larger ones go back at once

size_t whole_pages(size_t n) { return (n + kHugePage - 1) & ~(kHugePage - 1); }

class LargeBuffers {
 public:
  void* alloc(size_t n) {
    void* smaller[2] = {};
    {
      std::lock_guard<std::mutex> hold(lock_);
      Slot* best = nullptr;
      for (Slot& s : kept_)
        if (s.data && s.size >= n && (!best || s.size < best->size)) best = &s;
      if (best) {
        void* data = best->data;
        *best = Slot{};
        return data;
      }
      // The kept buffers are too small: given back first, their pages serve the new one.
      for (int32_t i = 0; i < 2; ++i) {
        smaller[i] = kept_[i].data;
        if (smaller[i]) live_.erase(smaller[i]);
        kept_[i] = Slot{};
      }
    }
    for (void* p : smaller) std::free(p);
    const size_t spare = whole_pages(n + n / 4);
    const size_t size = spare <= kKeptMax ? spare : whole_pages(n);
    void* data = std::aligned_alloc(kHugePage, size);
    if (!data) return nullptr;
    madvise(data, size, MADV_HUGEPAGE);
    std::lock_guard<std::mutex> hold(lock_);
    live_[data] = size;
    return data;
  }

  // False when the buffer is not one of these (it was allocated otherwise).
  bool release(void* data) {
    void* dropped = data;
    {
      std::lock_guard<std::mutex> hold(lock_);
      const auto it = live_.find(data);
      if (it == live_.end()) return false;
      if (it->second <= kKeptMax) {
        Slot* slot = &kept_[0];
        for (Slot& s : kept_)
          if (!s.data || s.age < slot->age) slot = &s;
        dropped = slot->data;
        *slot = Slot{data, it->second, ++clock_};
      }
      if (dropped) live_.erase(dropped);
    }
    std::free(dropped);
    return true;
  }

 private:
  struct Slot {
    void* data = nullptr;
    size_t size = 0;
    uint64_t age = 0;
  };
  std::mutex lock_;
  std::unordered_map<void*, size_t> live_;  // every buffer handed out or kept, and its size
  Slot kept_[2];
  uint64_t clock_ = 0;
};

LargeBuffers& large_buffers() {
  static LargeBuffers* buffers = new LargeBuffers;  // lives to the end: frees may come at exit
  return *buffers;
}

// malloc(0) may give nullptr; an empty plane still needs a distinct buffer. A cleared buffer comes
// from calloc at any size: memory fresh from the system is cleared already, and its pages come in
// only where the picture is used (a black display picture nobody draws on costs nothing).
void* alloc_bytes(size_t n, bool clear) {
  if (clear) return std::calloc(n ? n : 1, 1);
  if (n >= kLarge) return large_buffers().alloc(n);
  return std::malloc(n ? n : 1);
}

void free_bytes(void* data) {
  if (data && !large_buffers().release(data)) std::free(data);
}

uint32_t swap_bytes(uint32_t v) { return __builtin_bswap32(v); }

// Pixel word of one of the 32-bit formats to 0xRRGGBB.
uint32_t word_to_rgb(uint32_t p, int32_t format) {
  switch (format) {
    case PIXFMT_XRGB: return p & 0xFFFFFF;
    case PIXFMT_BGRX: return swap_bytes(p) & 0xFFFFFF;
    case PIXFMT_RGBX: return p >> 8;
    case PIXFMT_XBGR: return swap_bytes(p) >> 8;
    default: return 0;
  }
}

void apply_mask_mode(uint8_t* row, int32_t x, int32_t mode) {
  switch (mode) {
    case MASKVISIBLE:
    case MASKVANILLACOPY:
    case MASKOR: mask_bit_set(row, x); break;
    case MASKINVISIBLE: mask_bit_clear(row, x); break;
    case MASKXOR: row[x >> 3] ^= uint8_t(0x80u >> (x & 7)); break;
    default: break;
  }
}

qmAlphaChannel g_scratch_alpha;
qmMask g_scratch_mask;

}  // namespace

// --- bitmaps ---------------------------------------------------------------------------------

namespace {

qmBitmap* alloc_bitmap(int32_t width, int32_t height, bool clear) {
  if (!picture_size_allowed(width, height)) return nullptr;
  const int64_t row_bytes = (int64_t(width) - width % 4 + 4) * 4;
  if (row_bytes > int64_t(kMaxBufferBytes)) return nullptr;
  size_t n;
  if (!buffer_size(height, int32_t(row_bytes), &n)) return nullptr;
  auto* bm = static_cast<qmBitmap*>(std::calloc(1, sizeof(qmBitmap)));
  if (!bm) return nullptr;
  bm->pixels = static_cast<uint32_t*>(alloc_bytes(n, clear));
  if (!bm->pixels) {
    std::free(bm);
    return nullptr;
  }
  bm->width = width;
  bm->height = height;
  bm->bytes_per_row = int32_t(row_bytes);
  bm->bytes_per_pixel = 4;
  bm->format = PIXFMT_BGRX;
  return bm;
}

}  // namespace

qmBitmap* qmos_alloc_bitmap(int32_t width, int32_t height) { return alloc_bitmap(width, height, false); }

qmBitmap* qmos_alloc_bitmap_cleared(int32_t width, int32_t height) { return alloc_bitmap(width, height, true); }

qmBitmap* qmos_alloc_display_bitmap(int32_t width, int32_t height) {
  return qmos_alloc_bitmap(width, height);
}

void qmos_free_bitmap(qmBitmap* bitmap) {
  if (!bitmap) return;
  free_bytes(bitmap->pixels);
  std::free(bitmap);
}

int32_t qmos_bitmap_untouched_rows(const qmBitmap* bitmap, std::vector<uint8_t>* untouched) {
  untouched->assign(bitmap ? size_t(std::max(bitmap->height, 0)) : 0, 0);
  if (!bitmap || !bitmap->pixels || bitmap->height < 1 || bitmap->bytes_per_row < 1) return 0;
  constexpr uintptr_t kPage = 4096;
  constexpr uint64_t kPresent = uint64_t(1) << 63, kSwapped = uint64_t(1) << 62;
  const uintptr_t start = uintptr_t(bitmap->pixels);
  const size_t row = size_t(bitmap->bytes_per_row);
  const uintptr_t first = start / kPage, last = (start + row * size_t(bitmap->height) - 1) / kPage;
  // The system's word for each page: present, or swapped out; neither means never touched (or
  // given back, which reads as zero just the same).
  std::vector<uint64_t> pages(last - first + 1);
  const int fd = open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  const ssize_t want = ssize_t(pages.size() * sizeof(uint64_t));
  const ssize_t got = pread(fd, pages.data(), size_t(want), off_t(first * sizeof(uint64_t)));
  close(fd);
  if (got != want) return 0;
  int32_t count = 0;
  for (int32_t y = 0; y < bitmap->height; ++y) {
    const uintptr_t from = (start + size_t(y) * row) / kPage - first;
    const uintptr_t to = (start + size_t(y + 1) * row - 1) / kPage - first;
    bool touched = false;
    for (uintptr_t p = from; p <= to && !touched; ++p) touched = (pages[p] & (kPresent | kSwapped)) != 0;
    if (!touched) (*untouched)[size_t(y)] = 1, ++count;
  }
  return count;
}

int32_t qmos_lock_bitmap(const qmBitmap* bitmap, qmBitmapLock* lock) {
  if (!bitmap) {
    lock->locked = 0;
    return 0;
  }
  lock->pixels = bitmap->pixels;
  lock->locked = 1;
  lock->format = bitmap->format;
  lock->bytes_per_pixel = bitmap->bytes_per_pixel;
  lock->pixels_per_row = bitmap->bytes_per_row / bitmap->bytes_per_pixel;
  lock->width = bitmap->width;
  lock->height = bitmap->height;
  return 1;
}

void qmos_unlock_bitmap(qmBitmapLock*) {}

// --- attributes ------------------------------------------------------------------------------

namespace {

// The query reads the record's first field for codes 0, 3, 4 and 11, whatever its kind.
intptr_t common_attr(intptr_t first, int32_t bytes_per_row, int32_t height, const void* self,
                     int32_t code) {
  switch (code) {
    case BMATTR_WIDTH:
    case BMATTR_DATA:
    case BMATTR_DATA2: return first;
    case BMATTR_BYTESPERROW:
    case BMATTR_BYTESPERROW2: return bytes_per_row;
    case BMATTR_MASKROW: return first / 8 + 1;
    // The whole row length: a query that kept only 14 bits of the row bytes went wrong from
    // 4096 pixels per row (widths of 4092 and more).
    case BMATTR_ROWPIXELS: return bytes_per_row / 4;
    case BMATTR_HEIGHT: return height;
    case BMATTR_DEPTH: return 32;
    case BMATTR_SELF: return reinterpret_cast<intptr_t>(self);
    default: return 0;
  }
}

}  // namespace

intptr_t qmos_bitmap_attr(const qmBitmap* bitmap, int32_t code) {
  if (!bitmap) return 0;
  return common_attr(bitmap->width, bitmap->bytes_per_row, bitmap->height, bitmap, code);
}

intptr_t qmos_bitmap_attr(const qmMask* mask, int32_t code) {
  if (!mask) return 0;
  return common_attr(reinterpret_cast<intptr_t>(mask->data), mask->bytes_per_row, mask->height,
                     mask, code);
}

intptr_t qmos_bitmap_attr(const qmAlphaChannel* alpha, int32_t code) {
  if (!alpha) return 0;
  return common_attr(reinterpret_cast<intptr_t>(alpha->data), alpha->bytes_per_row,
                     alpha->height, alpha, code);
}

// --- planes ----------------------------------------------------------------------------------

namespace {

template <typename Plane>
Plane* alloc_plane(int32_t width, int32_t height, int32_t bpr, bool clear) {
  size_t n;
  if (!picture_size_allowed(width, height) || !buffer_size(height, bpr, &n)) return nullptr;
  auto* p = static_cast<Plane*>(std::calloc(1, sizeof(Plane)));
  if (!p) return nullptr;
  p->data = static_cast<uint8_t*>(alloc_bytes(n, clear));
  if (!p->data) {
    std::free(p);
    return nullptr;
  }
  p->width = width;
  p->height = height;
  p->bytes_per_row = bpr;
  return p;
}

template <typename Plane>
void free_plane(Plane* p) {
  if (!p) return;
  if (!p->borrowed) free_bytes(p->data);
  std::free(p);
}

// Copies height x bytes-per-row bytes of the source into a new plane of the given size; never
// reads beyond the source plane when its size is known.
template <typename Plane>
Plane* copy_plane(const Plane* source, Plane* made) {
  if (!made) return nullptr;
  size_t n = size_t(made->height) * size_t(made->bytes_per_row);
  if (source->height > 0 || source->width > 0) {
    size_t have = size_t(source->height > 0 ? source->height : 0) *
                  size_t(source->bytes_per_row > 0 ? source->bytes_per_row : 0);
    if (have < n) n = have;
  }
  if (n && source->data) std::memcpy(made->data, source->data, n);
  return made;
}

}  // namespace

qmAlphaChannel* qmos_alloc_alpha(int32_t width, int32_t height, int32_t clear) {
  return alloc_plane<qmAlphaChannel>(width, height, alpha_bytes_per_row(width), clear != 0);
}

qmAlphaChannel* qmos_wrap_alpha(uint8_t* data, int32_t width, int32_t height,
                                int32_t bytes_per_row) {
  auto* p = static_cast<qmAlphaChannel*>(std::calloc(1, sizeof(qmAlphaChannel)));
  if (!p) return nullptr;
  p->data = data;
  p->width = width;
  p->height = height;
  p->bytes_per_row = bytes_per_row;
  p->borrowed = 1;
  return p;
}

void qmos_rewrap_alpha(qmAlphaChannel* alpha, uint8_t* data, int32_t bytes_per_row) {
  if (!alpha->borrowed) free_bytes(alpha->data);
  alpha->data = data;
  alpha->bytes_per_row = bytes_per_row;
  alpha->borrowed = 1;
}

void qmos_free_alpha(qmAlphaChannel* alpha) { free_plane(alpha); }

qmAlphaChannel* alpha_plane_copy(const qmAlphaChannel* source, int32_t width, int32_t height) {
  if (!source) return nullptr;
  return copy_plane(source, qmos_alloc_alpha(width, height, 0));
}

qmAlphaChannel* qmos_scratch_alpha(uint8_t* data, int32_t bytes_per_row) {
  g_scratch_alpha = qmAlphaChannel{};
  g_scratch_alpha.data = data;
  g_scratch_alpha.bytes_per_row = bytes_per_row;
  g_scratch_alpha.borrowed = 1;
  return &g_scratch_alpha;
}

qmMask* qmos_alloc_mask(int32_t width, int32_t height, int32_t clear) {
  return alloc_plane<qmMask>(width, height, mask_bytes_per_row(width), clear != 0);
}

qmMask* qmos_wrap_mask(uint8_t* data, int32_t bytes_per_row) {
  auto* p = static_cast<qmMask*>(std::calloc(1, sizeof(qmMask)));
  if (!p) return nullptr;
  p->data = data;
  p->bytes_per_row = bytes_per_row;
  p->borrowed = 1;
  return p;
}

void qmos_rewrap_mask(qmMask* mask, uint8_t* data, int32_t bytes_per_row) {
  if (!mask->borrowed) free_bytes(mask->data);
  mask->data = data;
  mask->bytes_per_row = bytes_per_row;
  mask->borrowed = 1;
}

void qmos_free_mask(qmMask* mask) { free_plane(mask); }

qmMask* plane_copy(const qmMask* source, int32_t width, int32_t height) {
  if (!source) return nullptr;
  return copy_plane(source, qmos_alloc_mask(width, height, 0));
}

qmMask* qmos_scratch_mask(uint8_t* data, int32_t width, int32_t height) {
  g_scratch_mask = qmMask{};
  g_scratch_mask.data = data;
  g_scratch_mask.width = width;
  g_scratch_mask.height = height;
  g_scratch_mask.bytes_per_row = mask_bytes_per_row(width);
  g_scratch_mask.borrowed = 1;
  return &g_scratch_mask;
}

namespace {

// A whole byte of eight destination pixels under a mode: s the source bits, d the destination's.
inline uint8_t mask_byte_op(uint8_t s, uint8_t d, int32_t mode) {
  switch (mode) {
    case MASKVISIBLE:
    case MASKOR: return uint8_t(s | d);
    case MASKINVISIBLE: return uint8_t(~s & d);
    case MASKVANILLACOPY: return s;
    case MASKXOR: return uint8_t(s ^ d);
    case MASKAND: return uint8_t(s & d);
    default: return d;
  }
}

// Eight source bits from bit x on, the first in bit 7; reads only the bytes that hold them.
inline uint8_t mask_bits_at(const uint8_t* row, int32_t x) {
  const int32_t shift = x & 7;
  const uint8_t* b = row + (x >> 3);
  return shift ? uint8_t((b[0] << shift) | (b[1] >> (8 - shift))) : b[0];
}

}  // namespace

void qmos_mask_rect_op(qmMask* mask, int32_t x, int32_t y, int32_t w, int32_t h, int32_t mode) {
  if (!mask || mode == MASKAND || mode > MASKOR || mode < 0) return;
  for (int32_t j = 0; j < h; ++j) {
    uint8_t* row = mask->data + ptrdiff_t(y + j) * mask->bytes_per_row;
    // Bit by bit up to a byte boundary and after the last whole byte; whole bytes at once.
    int32_t i = 0;
    for (; i < w && ((x + i) & 7) != 0; ++i) apply_mask_mode(row, x + i, mode);
    for (; i + 8 <= w; i += 8) {
      uint8_t& b = row[(x + i) >> 3];
      b = mode == MASKINVISIBLE ? uint8_t(0) : mode == MASKXOR ? uint8_t(~b) : uint8_t(0xFF);
    }
    for (; i < w; ++i) apply_mask_mode(row, x + i, mode);
  }
}

void qmos_blit_mask_bits(const qmMask* source, int32_t sx, int32_t sy, qmMask* dest, int32_t dx,
                         int32_t dy, int32_t w, int32_t h, int32_t mode) {
  if (!source || !dest || mode < MASKVISIBLE || mode > MASKOR) return;
  auto one = [mode](const uint8_t* srow, int32_t from, uint8_t* drow, int32_t to) {
    const bool s = mask_bit(srow, from);
    const bool d = mask_bit(drow, to);
    bool r = d;
    switch (mode) {
      case MASKVISIBLE: r = s || d; break;
      case MASKINVISIBLE: r = !s && d; break;
      case MASKVANILLACOPY: r = s; break;
      case MASKXOR: r = s != d; break;
      case MASKAND: r = s && d; break;
      case MASKOR: r = s || d; break;
    }
    if (r) mask_bit_set(drow, to);
    else mask_bit_clear(drow, to);
  };
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* srow = source->data + ptrdiff_t(sy + j) * source->bytes_per_row;
    uint8_t* drow = dest->data + ptrdiff_t(dy + j) * dest->bytes_per_row;
    // Bit by bit up to a destination byte boundary and after the last whole byte; whole
    // destination bytes at once. Within one plane, bit by bit throughout: a bit may read what
    // the ones before it wrote.
    int32_t i = 0;
    for (; i < w && (((dx + i) & 7) != 0 || source->data == dest->data); ++i) one(srow, sx + i, drow, dx + i);
    for (; i + 8 <= w; i += 8) {
      uint8_t& d = drow[(dx + i) >> 3];
      d = mask_byte_op(mask_bits_at(srow, sx + i), d, mode);
    }
    for (; i < w; ++i) one(srow, sx + i, drow, dx + i);
  }
}

// --- single pixels and lines -----------------------------------------------------------------

uint32_t qmos_read_pixel(const qmBitmap* bitmap, int32_t x, int32_t y) {
  if (!bitmap || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) return 0;
  const uint32_t p = bitmap->pixels[ptrdiff_t(y) * (bitmap->bytes_per_row / 4) + x];
  return word_to_rgb(p, bitmap->format);
}

uint32_t qmos_read_pixel(const qmMask* mask, int32_t x, int32_t y) {
  if (!mask || x < 0 || y < 0 || x >= mask->width || y >= mask->height) return 0;
  return mask_bit(mask->data + ptrdiff_t(y) * mask->bytes_per_row, x) ? 1 : 0;
}

void qmos_write_pixel(qmBitmap* bitmap, int32_t x, int32_t y, uint32_t colour) {
  if (!bitmap || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) return;
  bitmap->pixels[ptrdiff_t(y) * (bitmap->bytes_per_row / 4) + x] =
      color_to_pixel_format(colour & 0xFFFFFF, bitmap->format);
}

void qmos_write_pixel(qmMask* mask, int32_t x, int32_t y, int32_t mode) {
  if (!mask || x < 0 || y < 0 || x >= mask->width || y >= mask->height) return;
  apply_mask_mode(mask->data + ptrdiff_t(y) * mask->bytes_per_row, x, mode);
}

void qmos_draw_line(qmBitmap* bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    uint32_t colour) {
  if (!bitmap) return;
  const uint32_t value = color_to_pixel_format(colour & 0xFFFFFF, bitmap->format);
  const int32_t ppr = bitmap->bytes_per_row / 4;
  int32_t x = int16_t(x1), y = int16_t(y1);
  const int32_t xe = int16_t(x2), ye = int16_t(y2);
  const int32_t dx = xe > x ? xe - x : x - xe, sx = xe > x ? 1 : -1;
  const int32_t dy = ye > y ? ye - y : y - ye, sy = ye > y ? 1 : -1;
  int32_t err = dx - dy;
  for (;;) {
    if (x >= 0 && y >= 0 && x < bitmap->width && y < bitmap->height)
      bitmap->pixels[ptrdiff_t(y) * ppr + x] = value;
    if (x == xe && y == ye) break;
    const int32_t e2 = 2 * err;
    if (e2 > -dy) {
      err -= dy;
      x += sx;
    }
    if (e2 < dx) {
      err += dx;
      y += sy;
    }
  }
}

// --- blits -----------------------------------------------------------------------------------

void BLTBITMAP(const qmBitmap* source, int32_t sx, int32_t sy, qmBitmap* dest, int32_t dx,
               int32_t dy, int32_t w, int32_t h) {
  if (!dest) {
    std::fputs("ERROR! BLTBITMAP() CALLED WITH DST=NULL!\n", stderr);
    return;
  }
  if (!source) return;
  // The pixel buffers are the bitmaps' own (no lock to take), and 32-bit rows are the rule.
  if (source->bytes_per_pixel == 4)
    copy_loop(source->pixels, dest->pixels, sx, sy, dx, dy, w, h, source->bytes_per_row / 4,
              dest->bytes_per_pixel == 4 ? dest->bytes_per_row / 4 : dest->bytes_per_row / dest->bytes_per_pixel, 0);
}

void BLTMASK(const qmBitmap* source, int32_t sx, int32_t sy, qmBitmap* dest, int32_t dx, int32_t dy,
             int32_t w, int32_t h, const qmMask* mask) {
  if (!dest) {
    std::fputs("ERROR! BLTMASK() CALLED WITH DST=NULL!\n", stderr);
    return;
  }
  if (!source || !mask) return;
  qmBitmapLock s, d;
  qmos_lock_bitmap(source, &s);
  qmos_lock_bitmap(dest, &d);
  if (s.bytes_per_pixel == 4)
    mask_copy_loop(s.pixels, d.pixels, mask->data, sx, sy, dx, dy, w, h, s.pixels_per_row,
                   mask->bytes_per_row, d.pixels_per_row, 0);
  qmos_unlock_bitmap(&d);
  qmos_unlock_bitmap(&s);
}

void BLTTEMPLATE(const qmMask* tmpl, int32_t sx, int32_t sy, qmBitmap* dest, int32_t dx,
                 int32_t dy, int32_t w, int32_t h, uint32_t colour) {
  if (!dest) {
    std::fputs("ERROR! BLTTEMPLATE() CALLED WITH DST=NULL!\n", stderr);
    return;
  }
  if (!tmpl) return;
  qmBitmapLock d;
  qmos_lock_bitmap(dest, &d);
  if (d.bytes_per_pixel == 4)
    template_loop(tmpl->data, d.pixels, sx, sy, dx, dy, w, h, tmpl->bytes_per_row,
                  d.pixels_per_row, color_to_pixel_format(colour, d.format));
  qmos_unlock_bitmap(&d);
}

void qmos_fill_bitmap_rect(qmBitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h,
                           uint32_t colour) {
  if (!bitmap) return;
  qmBitmapLock d;
  qmos_lock_bitmap(bitmap, &d);
  if (d.bytes_per_pixel == 4)
    fill_loop(d.pixels, d.pixels_per_row, x, y, w, h, color_to_pixel_format(colour, d.format));
  qmos_unlock_bitmap(&d);
}

// --- packed ARGB buffers ---------------------------------------------------------------------

uint32_t* qmos_bitmap_to_argb(const qmBitmap* bitmap, int32_t width, int32_t height) {
  if (!bitmap || width < 0 || height < 0 || width > bitmap->width || height > bitmap->height)
    return nullptr;
  auto* out = static_cast<uint32_t*>(alloc_bytes(size_t(width) * size_t(height) * 4, false));
  if (!out) return nullptr;
  qmBitmapLock s;
  qmos_lock_bitmap(bitmap, &s);
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* src = s.pixels + ptrdiff_t(y) * s.pixels_per_row;
    uint32_t* dst = out + ptrdiff_t(y) * width;
    switch (s.format) {
      case PIXFMT_XRGB: std::memcpy(dst, src, size_t(width) * 4); break;
      case PIXFMT_BGRX:
        for (int32_t x = 0; x < width; ++x) dst[x] = swap_bytes(src[x]);
        break;
      case PIXFMT_RGBX:
        for (int32_t x = 0; x < width; ++x) dst[x] = src[x] >> 8;
        break;
      case PIXFMT_XBGR:
        for (int32_t x = 0; x < width; ++x) dst[x] = swap_bytes(src[x]) >> 8;
        break;
      default: break;  // other formats never come out of qmos_alloc_bitmap
    }
  }
  qmos_unlock_bitmap(&s);
  return out;
}

int32_t qmos_scale_bitmap(const uint32_t* argb, int32_t transparent, int32_t width, int32_t height,
                          int32_t row_length, qmBitmap** out_bitmap, qmMask** out_mask) {
  qmBitmap* bm = qmos_alloc_bitmap(width, height);
  if (!bm) return ERR_MEM;
  qmBitmapLock d;
  qmos_lock_bitmap(bm, &d);
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* src = argb + ptrdiff_t(y) * row_length;
    uint32_t* dst = d.pixels + ptrdiff_t(y) * d.pixels_per_row;
    for (int32_t x = 0; x < width; ++x) dst[x] = swap_bytes(src[x]);  // format 11
  }
  qmMask* mask = nullptr;
  if (transparent != -1) {
    mask = qmos_alloc_mask(width, height, 1);
    if (!mask) {
      qmos_unlock_bitmap(&d);
      qmos_free_bitmap(bm);
      return ERR_MEM;
    }
    mask_from_color(argb, mask->data, width, height, mask->bytes_per_row,
                    uint32_t(transparent), row_length, 0xFFFFFF);
  }
  qmos_unlock_bitmap(&d);
  *out_bitmap = bm;
  if (out_mask) *out_mask = mask;
  else qmos_free_mask(mask);
  return 0;
}

void qmos_free_pixels(uint32_t* buffer) { free_bytes(buffer); }

}  // namespace qm
