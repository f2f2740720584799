// Bitmap effects: colour effects, neighbourhood effects, displacement effects, mirroring,
// blending one bitmap into another, and the routines that build bitmaps, masks and shadow planes.
//
// Every front end works in place on the width x height rectangle at the top-left of a 32-bit
// bitmap (limited to the bitmap) and returns 0, ERR_LOCKBMAP when the bitmap cannot be locked or
// ERR_MEM when scratch memory cannot be had; the bitmap is then unchanged. A bitmap of any other
// depth is left unchanged and the call still succeeds. Front ends that take a lock accept the
// caller's (nullptr = lock here).
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"

namespace qm {

// Letters of bitmap_convolve.
enum : int32_t {
  CONVOLVE_BLUR = 98,      // 'b'
  CONVOLVE_EMBOSS = 101,   // 'e'
  CONVOLVE_EDGE = 103,     // 'g'
  CONVOLVE_SHARPEN = 115,  // 's'
};

// Blur (pixels and, when given, the alpha plane), edge, emboss or sharpen. A radius below 0
// becomes 0; with radius 0 the sigma is 1.0 and the window comes from the sigma.
int32_t bitmap_convolve(int32_t letter, qmBitmap* bitmap, qmAlphaChannel* alpha, int32_t width,
                        int32_t height, double radius, double sigma, qmBitmapLock* lock);
// Grey, edge, blur, stretch 2 %/99 %, invert, grey.
int32_t bitmap_charcoal(qmBitmap* bitmap, qmAlphaChannel* alpha, int32_t width, int32_t height,
                        double radius, double sigma);
// count contrast steps, raising with the flag set, lowering otherwise.
int32_t bitmap_contrast(qmBitmap* bitmap, int32_t width, int32_t height, int32_t sharpen,
                        int32_t count, qmBitmapLock* lock);
// Per-channel gamma; factors below 0 become 0; a factor of 0 gives 0.
int32_t bitmap_gamma(qmBitmap* bitmap, int32_t width, int32_t height, double red, double green,
                     double blue);
// Mode 0 grey; otherwise black or white at intensity 128.
int32_t bitmap_to_gray(qmBitmap* bitmap, int32_t width, int32_t height, int32_t mode,
                       qmBitmapLock* lock);
int32_t bitmap_invert(qmBitmap* bitmap, int32_t width, int32_t height, qmBitmapLock* lock);
// Brightness, saturation, hue factors (1.0 = unchanged) in hue, saturation, lightness space.
int32_t bitmap_modulate(qmBitmap* bitmap, int32_t width, int32_t height, double brightness,
                        double saturation, double hue);
// Nonzero mode: two-colour dithered palette reduction; 0: black or white at intensity 128.
int32_t bitmap_monochrome(qmBitmap* bitmap, int32_t width, int32_t height, int32_t mode);
int32_t bitmap_oilpaint(qmBitmap* bitmap, int32_t width, int32_t height, double radius);
int32_t bitmap_pixelate(qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha, int32_t width,
                        int32_t height, int32_t block);
// Sepia tone at a threshold of 0..255, then stretch 2 %/99 % and one raising contrast step.
int32_t bitmap_sepiatone(qmBitmap* bitmap, int32_t width, int32_t height, int32_t level);
int32_t bitmap_solarize(qmBitmap* bitmap, int32_t width, int32_t height, int32_t threshold);
// Degrees are limited to -359..359.
int32_t bitmap_swirl(qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha, int32_t width,
                     int32_t height, int32_t degrees);
// Each channel of the rectangle moves towards colour 0xRRGGBB by level / 256.
int32_t bitmap_tint(qmBitmap* bitmap, int32_t x, int32_t y, int32_t width, int32_t height,
                    uint32_t colour, int32_t level);
// Centre fractions are limited to 0..1. A zero wave length or radius leaves the image unchanged.
int32_t bitmap_waterripple(qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha, int32_t width,
                           int32_t height, int32_t wave_length, int32_t amplitude, int32_t phase,
                           double centre_x, double centre_y);
// Flag 1 mirrors left-right, 0 top-bottom: pixels, mask and alpha plane.
int32_t bitmap_flip(qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha, int32_t width,
                    int32_t height, int32_t horizontal);
// Blends the source rectangle at (sx, sy) into the target at (tx, ty): through the source alpha
// plane scaled by level / 255 when one is given, else per channel s + (((d - s) x (255 - level))
// >> 8), skipping pixels whose source mask bit is clear. Level 0 leaves 1/256 of the source.
int32_t bitmap_mix(qmBitmap* target, const qmBitmap* source, const qmMask* source_mask, int32_t tx,
                   int32_t ty, int32_t sx, int32_t sy, int32_t width, int32_t height, int32_t level,
                   const qmAlphaChannel* source_alpha, int32_t alpha_width, int32_t alpha_height);
// Zeroes the pixels; with the row-tail flag only those between the width and the row's end.
int32_t bitmap_clear(qmBitmap* bitmap, int32_t row_tail);
// Stretch with black and white counts of 2 % and 99 % of the pixels.
int32_t bitmap_normalize(qmBitmap* bitmap, int32_t width, int32_t height, qmBitmapLock* lock);
int32_t bitmap_stretch_levels(qmBitmap* bitmap, int32_t width, int32_t height, int32_t black,
                              int32_t white, qmBitmapLock* lock);
// New bitmap, mask and alpha plane (each only when its source is given) copied from the source
// rectangle at (x, y). 0 or ERR_MEM (nothing kept).
int32_t bitmap_new_with_parts(const qmBitmap* source, const qmMask* source_mask,
                              const qmAlphaChannel* source_alpha, int32_t x, int32_t y,
                              int32_t width, int32_t height, int32_t display, qmBitmap** out_bitmap,
                              qmMask** out_mask, qmAlphaChannel** out_alpha);
// A new mask, clear where the pixel's three colour bytes equal the colour 0xRRGGBB; nullptr when
// the bitmap cannot be locked or memory runs out.
qmMask* bitmap_mask_from_color(const qmBitmap* bitmap, int32_t width, int32_t height,
                               uint32_t colour);
// A soft shadow plane of (width + 2r) x (height + 2r), r = trunc(radius): the source alpha, else
// the mask, else the whole rectangle at the value, blurred; nullptr on failure.
qmAlphaChannel* shadow_alpha_new(const qmAlphaChannel* source_alpha, const qmMask* source_mask,
                                 int32_t x, int32_t y, int32_t width, int32_t height, double radius,
                                 double sigma, int32_t value, int32_t solid, int32_t second_blur);

}  // namespace qm
