// Offscreen bitmaps, 1-bit masks and 8-bit alpha planes: the records every picture in the player
// lives in, their constructors, the lock through which pixel loops reach the pixels, single-pixel
// access, the one-pixel line, mask rectangle operations and the three primitive blits.
//
// Row layouts are visible to plug-ins and must stay exactly as described here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/pixelformat.h"  // color_to_pixel_format and channel access by format code

namespace qm {

// Pixel format codes. Values are host 32-bit words (or 16-bit for codes 0 to 7), most
// significant byte first in the comments.
enum qmPixelFormat : int32_t {
  PIXFMT_RGB555 = 0,       // 0RRRRRGG GGGBBBBB
  PIXFMT_BGR555 = 1,
  PIXFMT_RGB555_SWAP = 2,  // code 0 with its two bytes exchanged
  PIXFMT_BGR555_SWAP = 3,
  PIXFMT_RGB565 = 4,
  PIXFMT_BGR565 = 5,
  PIXFMT_RGB565_SWAP = 6,
  PIXFMT_BGR565_SWAP = 7,
  PIXFMT_RGB24 = 8,   // 0x00RRGGBB
  PIXFMT_BGR24 = 9,   // 0x00BBGGRR
  PIXFMT_XRGB = 10,   // 0x00RRGGBB
  PIXFMT_BGRX = 11,   // 0xBBGGRR00: bytes A, R, G, B in memory; every bitmap made here
  PIXFMT_RGBX = 12,   // 0xRRGGBB00
  PIXFMT_XBGR = 13,   // 0x00BBGGRR
};

// A 32-bit offscreen bitmap. Pixel (x, y) is pixels[y * pixels_per_row + x] with
// pixels_per_row = bytes_per_row / 4. The buffer is not cleared at creation.
struct qmBitmap {
  int32_t width;
  int32_t height;
  uint32_t* pixels;
  int32_t bytes_per_row;
  int32_t bytes_per_pixel;  // always 4
  int32_t format;           // always PIXFMT_BGRX
};

// 8-bit plane: one byte per pixel, 0 transparent, 255 opaque.
struct qmAlphaChannel {
  uint8_t* data;
  int32_t width;
  int32_t height;
  int32_t bytes_per_row;  // width raised to a multiple of 4
  int32_t reserved[2];    // never read; kept 0
  int32_t borrowed;       // 1: data belongs to someone else and is never freed here
};

// 1-bit plane: pixel x of row y is bit 7 - (x mod 8) of data[y * bytes_per_row + x / 8]; a set
// bit is a visible pixel.
struct qmMask {
  uint8_t* data;
  int32_t width;
  int32_t height;
  int32_t bytes_per_row;  // width / 8 + 1
  int32_t reserved[2];
  int32_t borrowed;
};

// Filled by qmos_lock_bitmap on the caller's stack. Pixel loops address pixels only through it.
struct qmBitmapLock {
  uint32_t* pixels;
  int32_t locked;  // 1 filled, 0 no bitmap
  int32_t format;
  int32_t bytes_per_pixel;
  int32_t pixels_per_row;
  int32_t width;
  int32_t height;
};

// Row-length rules. A bitmap row always carries 1 to 4 pixels beyond the width (4 when the width
// is a multiple of 4); the remainder is taken with the sign of the width.
constexpr int32_t bitmap_pixels_per_row(int32_t width) { return width - width % 4 + 4; }
// A mask row has one spare byte even when the width is a multiple of 8.
constexpr int32_t mask_bytes_per_row(int32_t width) { return width / 8 + 1; }
// An alpha row is the width raised to the next multiple of 4 (a multiple of 4 stays).
constexpr int32_t alpha_bytes_per_row(int32_t width) {
  return int32_t(((int64_t(width) * 8 + 7) / 8 + 3) & ~int64_t(3));
}

// Mask bit helpers over a row pointer; x >= 0.
inline bool mask_bit(const uint8_t* row, int32_t x) {
  return (row[x >> 3] >> (7 - (x & 7))) & 1;
}
inline void mask_bit_set(uint8_t* row, int32_t x) { row[x >> 3] |= uint8_t(0x80u >> (x & 7)); }
inline void mask_bit_clear(uint8_t* row, int32_t x) {
  row[x >> 3] &= uint8_t(~(0x80u >> (x & 7)));
}

// Mask modes of qmos_blit_mask_bits, qmos_mask_rect_op and single mask pixels (also the script
// constants of the brush library).
enum : int32_t {
  MASKVISIBLE = 0,
  MASKINVISIBLE = 1,
  MASKVANILLACOPY = 2,
  MASKXOR = 3,
  MASKAND = 4,
  MASKOR = 5,
};

// The allocation cap for every picture the player makes or decodes: no side above 32767 and no
// more than 2^28 pixels. Allocators and decoders ask this before they allocate and answer ERR_MEM
// when it says no, so a hostile file or a huge scale fails cleanly instead of exhausting memory.
constexpr int64_t kPictureMaxSide = 32767;
constexpr int64_t kPictureMaxPixels = int64_t(1) << 28;
constexpr bool picture_size_allowed(int64_t width, int64_t height) {
  return width >= 0 && height >= 0 && width <= kPictureMaxSide && height <= kPictureMaxSide &&
         width * height <= kPictureMaxPixels;
}

// Bitmaps. Constructors return nullptr on failure (negative size, a size beyond the picture cap,
// or no memory); callers turn that into ERR_MEM.
qmBitmap* qmos_alloc_bitmap(int32_t width, int32_t height);
// A bitmap whose pixels (and row padding) are all 0, black in every format. Memory fresh from the
// system is cleared already and is not written again: its pages come in only where it is used.
qmBitmap* qmos_alloc_bitmap_cleared(int32_t width, int32_t height);
qmBitmap* qmos_alloc_display_bitmap(int32_t width, int32_t height);
void qmos_free_bitmap(qmBitmap* bitmap);
// Marks the rows of a bitmap that read black without being read: those whose bytes lie on pages
// the process never touched (private memory reads as zero until it is used), such as the rows of
// a cleared bitmap nothing has drawn on. Copying those rows would only bring their pages in.
// Returns how many rows are marked; none when the system cannot tell.
int32_t qmos_bitmap_untouched_rows(const qmBitmap* bitmap, std::vector<uint8_t>* untouched);
int32_t qmos_lock_bitmap(const qmBitmap* bitmap, qmBitmapLock* lock);
void qmos_unlock_bitmap(qmBitmapLock* lock);

// Attribute query. Codes: 0, 3, 4 the first field (a bitmap's width, a plane's data address);
// 1, 2 bytes per row; 11 first field / 8 + 1; 17 row length in pixels; 18 height; 21 depth 32;
// 24 the object's address; others 0. Addresses are pointer-sized, hence intptr_t.
enum : int32_t {
  BMATTR_WIDTH = 0,
  BMATTR_BYTESPERROW = 1,
  BMATTR_BYTESPERROW2 = 2,
  BMATTR_DATA = 3,
  BMATTR_DATA2 = 4,
  BMATTR_MASKROW = 11,
  BMATTR_ROWPIXELS = 17,
  BMATTR_HEIGHT = 18,
  BMATTR_DEPTH = 21,
  BMATTR_SELF = 24,
};
intptr_t qmos_bitmap_attr(const qmBitmap* bitmap, int32_t code);
intptr_t qmos_bitmap_attr(const qmMask* mask, int32_t code);
intptr_t qmos_bitmap_attr(const qmAlphaChannel* alpha, int32_t code);

// Alpha planes.
qmAlphaChannel* qmos_alloc_alpha(int32_t width, int32_t height, int32_t clear);
qmAlphaChannel* qmos_wrap_alpha(uint8_t* data, int32_t width, int32_t height, int32_t bytes_per_row);
void qmos_rewrap_alpha(qmAlphaChannel* alpha, uint8_t* data, int32_t bytes_per_row);
void qmos_free_alpha(qmAlphaChannel* alpha);  // nullptr allowed
qmAlphaChannel* alpha_plane_copy(const qmAlphaChannel* source, int32_t width, int32_t height);
// The one static scratch record: every call overwrites it.
qmAlphaChannel* qmos_scratch_alpha(uint8_t* data, int32_t bytes_per_row);

// Masks.
qmMask* qmos_alloc_mask(int32_t width, int32_t height, int32_t clear);
qmMask* qmos_wrap_mask(uint8_t* data, int32_t bytes_per_row);  // width and height 0
void qmos_rewrap_mask(qmMask* mask, uint8_t* data, int32_t bytes_per_row);
void qmos_free_mask(qmMask* mask);  // nullptr allowed
qmMask* plane_copy(const qmMask* source, int32_t width, int32_t height);
qmMask* qmos_scratch_mask(uint8_t* data, int32_t width, int32_t height);
// Modes 0, 2, 5 set, 1 clears, 3 inverts every bit of the rectangle; others change nothing.
void qmos_mask_rect_op(qmMask* mask, int32_t x, int32_t y, int32_t w, int32_t h, int32_t mode);
// Bitwise combine of a source rectangle into a destination rectangle by MASK* mode.
void qmos_blit_mask_bits(const qmMask* source, int32_t sx, int32_t sy, qmMask* dest, int32_t dx,
                         int32_t dy, int32_t w, int32_t h, int32_t mode);

// Single pixels, clipped to the bitmap or plane: outside reads give 0 and writes do nothing.
// A bitmap pixel reads and writes as 0xRRGGBB; a mask pixel reads 0 or 1 and writes by mode
// (0, 2, 5 set, 1 clear, 3 invert).
uint32_t qmos_read_pixel(const qmBitmap* bitmap, int32_t x, int32_t y);
uint32_t qmos_read_pixel(const qmMask* mask, int32_t x, int32_t y);
void qmos_write_pixel(qmBitmap* bitmap, int32_t x, int32_t y, uint32_t colour);
void qmos_write_pixel(qmMask* mask, int32_t x, int32_t y, int32_t mode);
// A one-pixel line including both ends, clipped to the bitmap; coordinates taken as 16-bit.
void qmos_draw_line(qmBitmap* bitmap, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    uint32_t colour);

// Blits without clipping: the rectangle must lie inside both bitmaps. A missing destination is
// reported on the debug console; a missing source draws nothing.
void BLTBITMAP(const qmBitmap* source, int32_t sx, int32_t sy, qmBitmap* dest, int32_t dx,
               int32_t dy, int32_t w, int32_t h);
// Copies the pixels whose mask bit (addressed at the source position) is set.
void BLTMASK(const qmBitmap* source, int32_t sx, int32_t sy, qmBitmap* dest, int32_t dx, int32_t dy,
             int32_t w, int32_t h, const qmMask* mask);
// Writes colour 0xRRGGBB where the template bit (addressed at (sx, sy)) is set.
void BLTTEMPLATE(const qmMask* tmpl, int32_t sx, int32_t sy, qmBitmap* dest, int32_t dx,
                 int32_t dy, int32_t w, int32_t h, uint32_t colour);
void qmos_fill_bitmap_rect(qmBitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h,
                           uint32_t colour);

// A new buffer of width x height words 0xAARRGGBB (rows packed), from the bitmap's top-left
// corner; nullptr when the size exceeds the bitmap or memory runs out. Free with qmos_free_pixels.
uint32_t* qmos_bitmap_to_argb(const qmBitmap* bitmap, int32_t width, int32_t height);
// A new bitmap (and, unless transparent is -1, a mask of the pixels that differ from the
// transparent colour) from 0xRRGGBB words whose rows are row_length words apart. 0 or ERR_MEM.
int32_t qmos_scale_bitmap(const uint32_t* argb, int32_t transparent, int32_t width, int32_t height,
                          int32_t row_length, qmBitmap** out_bitmap, qmMask** out_mask);
void qmos_free_pixels(uint32_t* buffer);

}  // namespace qm
