// Inner loops over raw pixel, mask and alpha buffers. Every loop takes explicit row lengths
// (pixels per row for 32-bit pixels, bytes per row for planes) and clips nothing: callers clip.
// A width or height below 1 does nothing. Position (x, y) in a buffer of row length L is element
// y * L + x; mask bit x of a row is bit 7 - (x mod 8) of byte x / 8.
#pragma once

#include <cstdint>

namespace qm {

// --- copies, masks, fills --------------------------------------------------------------------

// Mask bit set where (pixel & compare) differs from colour, cleared where equal.
void mask_from_color(const uint32_t* pixels, uint8_t* mask, int32_t width, int32_t height,
                     int32_t mask_bpr, uint32_t colour, int32_t ppr, uint32_t compare);
void pixels_invert(uint32_t* pixels, int32_t width, int32_t height, int32_t ppr);
// Complements whole rows, spare bytes included.
void bytes_invert(uint8_t* data, int32_t rows, int32_t bpr);
void mask_to_alpha_loop(const uint8_t* mask, int32_t mx, int32_t my, int32_t mask_bpr,
                        uint8_t* alpha, int32_t ax, int32_t ay, int32_t alpha_bpr, int32_t w,
                        int32_t h, uint8_t value);
void alpha_fill_loop(uint8_t* data, int32_t x, int32_t y, int32_t w, int32_t h, int32_t bpr,
                     uint8_t value);
// destination = source * factor / 255 over rows * bpr bytes.
void alpha_scale_loop(const uint8_t* source, uint8_t* dest, int32_t factor, int32_t bpr,
                      int32_t rows);
// Alpha byte combine by mode (0..8; above 8 as 0):
// 0 d = s; 1 d = s where s != 0; 2 d = 255 - s where s != 0; 3 d = 255 where s != 0;
// 4 d = s * intensity / 255 where s != 0; 5 d = 255 - s where s and d != 0;
// 6 d = intensity where s != 0; 7 d = s where s and d != 0, else 0; 8 d = 255 where s = 255.
void alpha_merge_loop(const uint8_t* source, int32_t sx, int32_t sy, uint8_t* dest, int32_t dx,
                      int32_t dy, int32_t w, int32_t h, int32_t source_bpr, int32_t dest_bpr,
                      int32_t mode, int32_t intensity);
// Writes the shape of an alpha plane into a mask: a byte of 255 is a set source bit, any other a
// clear one, combined with the mask bit by mode as qmos_blit_mask_bits does.
void alpha_to_mask_loop(const uint8_t* alpha, int32_t ax, int32_t ay, int32_t alpha_bpr,
                        uint8_t* mask, int32_t mx, int32_t my, int32_t mask_bpr, int32_t w,
                        int32_t h, int32_t mode);
// Destination pixel = value where the template bit at the source position is set.
void template_loop(const uint8_t* tmpl, uint32_t* dest, int32_t sx, int32_t sy, int32_t dx,
                   int32_t dy, int32_t w, int32_t h, int32_t tmpl_bpr, int32_t dest_ppr,
                   uint32_t value);
// Copies where the mask bit at the source position is set. Conversion 0 copies the word, 1 moves
// the low three bytes reversed into the top three (0xAABBCCDD -> 0xDDCCBB00), 2 shifts left by 8.
void mask_copy_loop(const uint32_t* source, uint32_t* dest, const uint8_t* mask, int32_t sx,
                    int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t source_ppr,
                    int32_t mask_bpr, int32_t dest_ppr, int32_t conversion);
// Plain row-by-row copy (conversion 0; other codes copy nothing). No provision for overlap.
void copy_loop(const uint32_t* source, uint32_t* dest, int32_t sx, int32_t sy, int32_t dx,
               int32_t dy, int32_t w, int32_t h, int32_t source_ppr, int32_t dest_ppr,
               int32_t conversion);
void fill_loop(uint32_t* pixels, int32_t ppr, int32_t x, int32_t y, int32_t w, int32_t h,
               uint32_t value);
// Tests: fills with 16-byte stores even where 32-byte ones are available.
void fill_force_sse2(bool on);
// Pixel = white of the format where the alpha byte is non-zero, else 0.
void alpha_to_white(uint32_t* pixels, int32_t width, int32_t height, int32_t format, int32_t ppr,
                    const uint8_t* alpha, int32_t alpha_bpr);
// Alpha byte = top byte of each 0xAARRGGBB word.
void argb_extract_alpha(const uint32_t* argb, int32_t width, int32_t height, int32_t row_length,
                        uint8_t* alpha, int32_t alpha_bpr);

// The temporary plane of the blit layer's clip region. For an alpha source each scratch byte at
// the source position is the source byte where the clip bit at (clip_x + i, clip_y + j) is set
// and 0 elsewhere, scratch rows source_width bytes long. For a mask source (or none) each scratch
// bit is the source bit (1 without a source) where the clip bit is set, scratch rows
// source_width / 8 + 1 bytes long.
void clip_combine_alpha(const uint8_t* clip, int32_t clip_bpr, int32_t clip_x, int32_t clip_y,
                        const uint8_t* source_alpha, int32_t source_bpr, int32_t sx, int32_t sy,
                        int32_t w, int32_t h, uint8_t* scratch, int32_t source_width);
void clip_combine_mask(const uint8_t* clip, int32_t clip_bpr, int32_t clip_x, int32_t clip_y,
                       const uint8_t* source_mask, int32_t source_bpr, int32_t sx, int32_t sy,
                       int32_t w, int32_t h, uint8_t* scratch, int32_t source_width);

// Boundary fill record: the area is width x height from (left, top).
struct qmFloodFill {
  uint32_t* pixels;
  int32_t width;
  int32_t height;
  int32_t ppr;
  uint32_t border;
  uint32_t fill;
  int32_t left;
  int32_t top;
};
// Fills from (x, y) up to the border colour, comparing pixel & compare. Spans are kept on an
// explicit stack, so the area's size never meets a recursion limit. A start outside the area, on
// the border, or on a pixel that already holds the (masked) fill colour changes nothing. Returns
// 0, or ERR_MEM when the span stack cannot grow.
int32_t flood_fill_span(const qmFloodFill& fill, int32_t x, int32_t y, uint32_t compare);

}  // namespace qm
