// The companions of the blit layer: drawing a bitmap or a colour through an alpha plane, the
// alpha-plane copies, scalings, fills and mask conversions, gradients, texture tiling, and the
// point helpers of arcs and clipped polygons. No clipping unless a name or comment says so: the
// rectangles must lie inside the planes. color_to_pixel_format lives in gfx/pixelformat.h.
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"
#include "gfx/polygon.h"

namespace qm {

// Draws the w x h rectangle of source at (sx, sy) onto dest at (dx, dy) through the alpha plane,
// addressed at the source position: alpha 0 leaves the target, 255 copies the source word, other
// values blend each channel t + (((s - t) x a) >> 8). Only 4-byte sources are drawn. A missing
// destination is reported on the debug console.
void BLTALPHABITMAP(const qmBitmap* source, int32_t sx, int32_t sy, qmBitmap* dest, int32_t dx,
                    int32_t dy, int32_t w, int32_t h, const qmAlphaChannel* alpha);

// Combines the source alpha bytes into the destination by mode (the nine modes of
// alpha_merge_loop: 0 copy, 1 copy non-zero, 2 inverse of non-zero, 3 255 where non-zero,
// 4 scaled by intensity, 5 inverse where both non-zero, 6 intensity where non-zero, 7 copy where
// both non-zero else 0, 8 255 where 255; above 8 as 0).
void alpha_copy_rect(const qmAlphaChannel* source, int32_t sx, int32_t sy, qmAlphaChannel* dest,
                     int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t mode, int32_t intensity);

// Every byte of height x bytes-per-row bytes becomes source x factor / 255. Both planes have the
// source's row length.
void alpha_scale_intensity(const qmAlphaChannel* source, qmAlphaChannel* dest, int32_t height,
                           int32_t factor);

// Each destination byte becomes value where the mask bit (at the source position) is set and 0
// elsewhere.
void mask_expand_to_alpha(const qmMask* mask, int32_t sx, int32_t sy, qmAlphaChannel* dest,
                          int32_t dx, int32_t dy, int32_t w, int32_t h, uint8_t value);

void alpha_fill_rect(qmAlphaChannel* plane, int32_t x, int32_t y, int32_t w, int32_t h,
                     uint8_t value);

// alpha_copy_rect after clipping: the rectangle is moved inside both planes (a negative
// position moves to 0 and the other side follows) and limited to both sizes.
void alpha_copy_rect_clipped(const qmAlphaChannel* source, int32_t sx, int32_t sy,
                             qmAlphaChannel* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                             int32_t source_w, int32_t source_h, int32_t dest_w, int32_t dest_h,
                             int32_t mode, int32_t intensity);

// Writes the shape of an alpha plane into a mask by MASK* mode. A byte of 255 is a set source
// bit, every other byte (1 to 254 included) a clear one; the bits then combine as in
// qmos_blit_mask_bits.
void alpha_to_mask(const qmAlphaChannel* alpha, int32_t sx, int32_t sy, qmMask* mask, int32_t dx,
                   int32_t dy, int32_t w, int32_t h, int32_t mode);

// Each destination byte becomes value where the mask bit is set; the others stay.
void mask_to_alpha(const qmMask* mask, int32_t sx, int32_t sy, qmAlphaChannel* dest, int32_t dx,
                   int32_t dy, int32_t w, int32_t h, uint8_t value);

// Colour (0xRRGGBB, converted to the destination's format) or texture through an 8-bit alpha
// source by the modes of alpha_combine. The texture is a bitmap addressed at the source
// position, like the alpha source. Only 4-byte destinations are drawn.
void BLTALPHACHANNEL(const qmAlphaChannel* source, int32_t sx, int32_t sy, qmBitmap* dest,
                     int32_t dx, int32_t dy, int32_t w, int32_t h, uint32_t colour, int32_t mode,
                     qmAlphaChannel* target_alpha, int32_t level, const uint16_t* alpha16,
                     int32_t alpha16_row, const qmBitmap* texture);
// BLTALPHACHANNEL after the clipping of alpha_copy_rect_clipped.
void bltalphachannel_clipped(const qmAlphaChannel* source, int32_t sx, int32_t sy, qmBitmap* dest,
                             int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t source_w,
                             int32_t source_h, int32_t dest_w, int32_t dest_h, uint32_t colour,
                             int32_t mode, qmAlphaChannel* target_alpha, int32_t level,
                             const uint16_t* alpha16, int32_t alpha16_row,
                             const qmBitmap* texture);

struct qmGradient;
void DRAWGRADIENT(qmBitmap* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                  const qmGradient* gradient);

// Bounds of the w x h rectangle at (x, y) turned by the matrix {m0, m1, m2, m3} about the pivot
// (w x pivot_x, h x pivot_y). Each output may be nullptr.
void rect_transform_bounds(int32_t x, int32_t y, int32_t w, int32_t h, double pivot_x,
                           double pivot_y, const double* matrix, int32_t* out_x, int32_t* out_y,
                           int32_t* out_w, int32_t* out_h);

// Even-odd fill of a polygon into a mask; scratch holds at least count entries.
void polygon_fill_plane(qmMask* mask, const qmPoint* points, int32_t count, int32_t* scratch);

// Points of an arc of radii rx, ry from start to end degrees (one per degree, both included), in
// a box from (0, 0); unless the arc is the whole 0 to 360 circle the centre and the first point
// close it. points holds arc_point_count entries; returns the count.
int32_t arc_point_count(int32_t start, int32_t end);
int32_t arc_make_points(qmPoint* points, int32_t rx, int32_t ry, int32_t start, int32_t end);

// Tiles texture (texture_w x texture_h used) over the rectangle of target, starting at the
// offsets into the texture. A texture side below 1 draws nothing. Tiles are clipped to the target.
void texture_fill(qmBitmap* target, int32_t x, int32_t y, int32_t w, int32_t h,
                  const qmBitmap* texture, int32_t offset_x, int32_t offset_y, int32_t texture_w,
                  int32_t texture_h);
// The same over raw 32-bit words: target rows are w words long, texture rows texture_row words.
void texture_fill_raw(uint32_t* target, int32_t x, int32_t y, int32_t w, int32_t h,
                      const uint32_t* texture, int32_t offset_x, int32_t offset_y,
                      int32_t texture_w, int32_t texture_h, int32_t texture_row);

// One clipping pass of a closed polygon against a boundary: edge 0 keeps x >= boundary, 1
// y >= boundary, 2 x <= boundary, 3 y <= boundary. out holds at least 2 x count points; returns
// the number written.
int32_t polygon_clip_edge(int32_t count, const qmPoint* in, qmPoint* out, int32_t boundary,
                          int32_t edge);

}  // namespace qm
