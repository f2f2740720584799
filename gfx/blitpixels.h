// The pure pixel companions of the blit layer that the effects stand on: drawing a bitmap
// through an alpha plane, and the alpha-plane copies, scalings, fills and mask expansions.
// No clipping here: the rectangles must lie inside the planes. color_to_pixel_format lives in
// gfx/pixelformat.h.
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"

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

}  // namespace qm
