// Shared pieces of the effect files: the front-end frame (lock, depth check, size limit), the
// intensity and clamping rules, and the steps that several effects chain.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "gfx/pixelformat.h"

namespace qm::fx {

// The pixels an effect works on: the top-left width x height of a locked bitmap.
struct Pixels {
  uint32_t* p;
  int32_t ppr;
  int32_t w, h;
  int32_t format;
};

// Locks the bitmap (or takes the caller's lock), leaves bitmaps without 4 bytes per pixel or of
// an unknown format alone (success), limits the size to the bitmap and runs fn(Pixels&) -> code.
template <typename Fn>
int32_t run(const qmBitmap* bitmap, qmBitmapLock* given, int32_t width, int32_t height, Fn&& fn) {
  qmBitmapLock own{};
  qmBitmapLock* lock = given;
  if (lock == nullptr || lock->locked == 0) {
    if (qmos_lock_bitmap(bitmap, &own) == 0) return ERR_LOCKBMAP;
    lock = &own;
  }
  int32_t code = 0;
  if (lock->bytes_per_pixel == 4 && lock->format >= 10 && lock->format <= 13) {
    Pixels px{lock->pixels, lock->pixels_per_row, width < lock->width ? width : lock->width,
              height < lock->height ? height : lock->height, lock->format};
    if (px.w > 0 && px.h > 0) code = fn(px);
  }
  if (lock == &own) qmos_unlock_bitmap(&own);
  return code;
}

inline uint32_t* row(const Pixels& px, int32_t y) {
  return px.p + int64_t(y) * px.ppr;
}

inline double intensity(int r, int g, int b) {
  return 0.299 * r + 0.587 * g + 0.114 * b;
}
// trunc(I): 0..255.
inline int intensity_level(int r, int g, int b) {
  return to_i32(intensity(r, g, b));
}

// A channel computed as a double: below 0 gives 0, above 255 gives 255, else truncated.
inline int clamp_channel(double v) {
  if (!(v >= 0.0)) return 0;  // NaN too
  if (v > 255.0) return 255;
  return to_i32(v);
}

// Maps every pixel's channels through fn(r, g, b) in place.
template <typename Fn>
void map_pixels(const Pixels& px, Fn&& fn) {
  with_format32(px.format, [&](auto f) {
    using F = decltype(f);
    for (int32_t y = 0; y < px.h; ++y) {
      uint32_t* r = row(px, y);
      for (int32_t x = 0; x < px.w; ++x) {
        int red = F::r(r[x]), green = F::g(r[x]), blue = F::b(r[x]);
        fn(red, green, blue);
        r[x] = F::pack(red, green, blue);
      }
    }
  });
}

void to_gray(const Pixels& px, int32_t mode);
void contrast_step(const Pixels& px, int sign, int32_t count);
void stretch_levels(const Pixels& px, int64_t black, int64_t white);
void stretch_2_99(const Pixels& px);
void invert(const Pixels& px);
// Convolution on locked pixels (and an alpha plane for blur); 0 or ERR_MEM.
int32_t convolve(int32_t letter, const Pixels& px, qmAlphaChannel* alpha, double radius,
                 double sigma);
// Blurs an 8-bit plane of width x height in place; 0 or ERR_MEM.
int32_t blur_plane(uint8_t* data, int32_t width, int32_t height, int32_t bpr, double radius,
                   double sigma);

}  // namespace qm::fx
