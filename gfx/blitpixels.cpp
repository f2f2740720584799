#include "gfx/blitpixels.h"

#include <cstdio>

#include "gfx/alpha.h"
#include "gfx/pixelloops.h"

namespace qm {

void BLTALPHABITMAP(const qmBitmap* source, int32_t sx, int32_t sy, qmBitmap* dest, int32_t dx,
                    int32_t dy, int32_t w, int32_t h, const qmAlphaChannel* alpha) {
  if (dest == nullptr) {
    std::fputs("ERROR! BLTALPHABITMAP() CALLED WITH DST=NULL!\n", stderr);
    return;
  }
  if (source == nullptr || alpha == nullptr || w < 1 || h < 1) return;
  qmBitmapLock s, d;
  qmos_lock_bitmap(source, &s);
  qmos_lock_bitmap(dest, &d);
  if (s.bytes_per_pixel == 4) {
    // The alpha plane is addressed at the source position.
    alpha_blend_pixels({s.pixels, sx, sy, sx, sy, s.pixels_per_row, d.pixels, dx, dy,
                        d.pixels_per_row, w, h, alpha->data, alpha->bytes_per_row, s.format});
  }
  qmos_unlock_bitmap(&d);
  qmos_unlock_bitmap(&s);
}

void alpha_copy_rect(const qmAlphaChannel* source, int32_t sx, int32_t sy, qmAlphaChannel* dest,
                     int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t mode,
                     int32_t intensity) {
  if (source == nullptr || dest == nullptr) return;
  alpha_merge_loop(source->data, sx, sy, dest->data, dx, dy, w, h, source->bytes_per_row,
                   dest->bytes_per_row, mode, intensity);
}

void alpha_scale_intensity(const qmAlphaChannel* source, qmAlphaChannel* dest, int32_t height,
                           int32_t factor) {
  if (source == nullptr || dest == nullptr) return;
  alpha_scale_loop(source->data, dest->data, factor, source->bytes_per_row, height);
}

void mask_expand_to_alpha(const qmMask* mask, int32_t sx, int32_t sy, qmAlphaChannel* dest,
                          int32_t dx, int32_t dy, int32_t w, int32_t h, uint8_t value) {
  if (mask == nullptr || dest == nullptr) return;
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* m = mask->data + int64_t(sy + j) * mask->bytes_per_row;
    uint8_t* a = dest->data + int64_t(dy + j) * dest->bytes_per_row + dx;
    for (int32_t i = 0; i < w; ++i) a[i] = mask_bit(m, sx + i) ? value : 0;
  }
}

void alpha_fill_rect(qmAlphaChannel* plane, int32_t x, int32_t y, int32_t w, int32_t h,
                     uint8_t value) {
  if (plane == nullptr) return;
  alpha_fill_loop(plane->data, x, y, w, h, plane->bytes_per_row, value);
}

}  // namespace qm
