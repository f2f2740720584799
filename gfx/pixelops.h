// Further inner loops: colour replacement, mirroring, block pixelation, the threshold select and
// the wave of two transitions, edge-extended copies for the neighbourhood effects and the
// alpha-gated copy of the blit layer. Conventions as in gfx/pixelloops.h: explicit row lengths,
// no clipping, nothing done for a width or height below 1. Pixel words are of the 32-bit format
// codes 10 to 13.
#pragma once

#include <cstdint>

namespace qm {

// pairs: {from, to} words ended by a from of 0xFFFFFFFF. Every pair is tried in order against
// (pixel & compare), reading the pixel again each time, so a later pair may replace what an
// earlier one wrote.
void pixels_replace_color(int32_t width, int32_t height, const uint32_t* pairs, uint32_t* pixels,
                          int32_t ppr, uint32_t compare);

struct qmFlipRequest {
  uint32_t* pixels;
  int32_t width;
  int32_t height;
  int32_t ppr;
  uint8_t* mask;  // or nullptr
  int32_t mask_bpr;
  uint8_t* alpha;  // or nullptr
  int32_t alpha_bpr;
  int32_t horizontal;  // 0: top to bottom, else left to right
  int32_t bytes_per_pixel;
  uint8_t* scratch;  // at least mask_bpr bytes
};
// Pixels are flipped only for 4 bytes per pixel; mask and alpha whatever the depth. A left-to-
// right flip leaves the mask bits beyond the width as they were.
void pixels_flip(const qmFlipRequest& r);

struct qmPixelateRequest {
  const uint32_t* source;
  uint32_t* dest;
  const uint8_t* source_mask;
  uint8_t* dest_mask;
  const uint8_t* source_alpha;
  uint8_t* dest_alpha;
  int32_t source_ppr;
  int32_t dest_ppr;
  int32_t source_mask_bpr;
  int32_t dest_mask_bpr;
  int32_t source_alpha_bpr;
  int32_t dest_alpha_bpr;
  int32_t width;
  int32_t height;
  int32_t block;
};
// Each block takes its top-left source sample; source and destination may be the same buffers.
void pixels_pixelate(const qmPixelateRequest& r);

struct qmSelectRequest {
  const uint8_t* source;  // may be nullptr in 1-bit mode
  uint8_t* dest;
  int32_t width;
  int32_t height;
  int32_t source_bpr;
  int32_t dest_bpr;
  const uint8_t* map;  // one byte per pixel, rows width bytes, contiguous
  int32_t eight_bit;   // 1: alpha planes, 0: masks
  int32_t invert;
};
// A pixel is shown when map < level (invert 0) or map >= level (invert 1).
void alpha_threshold_select(const qmSelectRequest& r, int32_t level);

struct qmPickRequest {
  const uint32_t* fresh;  // the picture coming in
  const uint32_t* old;    // what it covers
  uint32_t* dest;         // may be either of them
  const uint8_t* map;     // one byte per pixel, rows width bytes, contiguous
  const uint8_t* mask;    // the fresh picture's visibility, or nullptr: visible everywhere
  int32_t fresh_ppr;
  int32_t old_ppr;
  int32_t dest_ppr;
  int32_t mask_bpr;
  int32_t width;
  int32_t height;
};
// In one pass what alpha_threshold_select's mask and a masked copy of the fresh picture over the
// old one give: the fresh pixel where map < level and the mask shows it, else the old pixel.
void pixels_threshold_pick(const qmPickRequest& r, int32_t level);

struct qmWaveRecord {
  const uint32_t* source;
  uint32_t* dest;
  const uint8_t* source_mask;
  uint8_t* dest_mask;
  const uint8_t* source_alpha;
  uint8_t* dest_alpha;
  const double* offsets;  // n entries
  int32_t source_ppr;
  int32_t dest_ppr;
  int32_t width;
  int32_t height;
  int32_t source_mask_bpr;
  int32_t dest_mask_bpr;
  int32_t source_alpha_bpr;
  int32_t dest_alpha_bpr;
  int32_t columns;  // 1: columns move, 0: rows
  int32_t n;
  int32_t position;
  int32_t bytes_per_pixel;
  // results
  int32_t lines_copied;
  int32_t first_line;  // -100000 when none
  int32_t result_position;
};
// Copies a rectangle through the source's mask (setting or clearing destination bits) or alpha
// plane (copying non-zero bytes, zeroing the others), else every pixel. 1, or 0 for h < 1.
int32_t planes_copy_rect(const qmWaveRecord& r, int32_t sx, int32_t sy, int32_t w, int32_t h,
                         int32_t dx, int32_t dy);
void wave_render(qmWaveRecord& r);

// Copies the source pixels whose alpha byte is non-zero; others leave the destination.
void alpha_gated_copy_loop(const uint32_t* source, int32_t sx, int32_t sy, int32_t ax, int32_t ay,
                           int32_t source_ppr, uint32_t* dest, int32_t dx, int32_t dy,
                           int32_t dest_ppr, int32_t w, int32_t h, const uint8_t* alpha,
                           int32_t alpha_bpr);

// Copies of an image (h + n rows of w + n elements) whose borders repeat the nearest edge
// element; the image sits n / 2 in from the top and left. Row length: ((w + n) & ~3) + 4 pixels,
// or (w + n + 3) & ~3 bytes. With buffer nullptr a new one is allocated with malloc (free with
// std::free); nullptr when that fails or the size does not fit. out_row_length is always set.
uint32_t* pixels_extend_edges(const uint32_t* pixels, int32_t width, int32_t height, int32_t ppr,
                              int32_t n, uint32_t* buffer, int32_t* out_row_length);
uint8_t* bytes_extend_edges(const uint8_t* data, int32_t width, int32_t height, int32_t bpr,
                            int32_t n, uint8_t* buffer, int32_t* out_row_length);

}  // namespace qm
