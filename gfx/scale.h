// Resampling a bitmap rectangle with its 1-bit mask and 8-bit alpha plane to a new size, by
// nearest neighbour or bilinear interpolation, and the scaled-drawing front end bitmap_draw.
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"

namespace qm {

struct qmScaleJob {
  const uint32_t* source;       // first pixel of the source rectangle; nullptr: mask only
  uint32_t* dest;
  const uint8_t* source_mask;   // mask row of the first source row (bit position from sx)
  uint8_t* dest_mask;
  const uint8_t* source_alpha;  // first alpha byte of the source rectangle
  uint8_t* dest_alpha;
  int32_t sx;
  int32_t sy;
  int32_t source_width;
  int32_t source_height;
  int32_t dest_width;
  int32_t dest_height;
  int32_t source_ppr;
  int32_t dest_ppr;
  int32_t source_mask_bpr;
  int32_t dest_mask_bpr;
  int32_t source_alpha_bpr;
  int32_t dest_alpha_bpr;
  int32_t interpolate;
  int32_t format;
  int32_t bytes_per_pixel;
  // Nearest neighbour only: the part of the dest_width x dest_height copy from column first_col
  // and row first_row, cols x rows (0: to the copy's edge), is made from the first pixel of dest.
  int32_t first_col;
  int32_t first_row;
  int32_t cols;
  int32_t rows;
  // Bilinear tables: dest_width + 1 and dest_height + 1 entries.
  int32_t* x_fractions;
  int32_t* y_fractions;
  int32_t* x_advances;
  int32_t* y_advances;
};

// Nearest-neighbour scaling of a 1-bit mask: source row trunc(sum of y_step) in single
// precision, source column (accumulator >> 16) + sx with a 16.16 x step.
void mask_scale_loop(const qmScaleJob& job, float x_step, float y_step);

// Resamples as the job says; only 4-byte pixels of the formats 10 to 13 are written.
void scale_pixels(const qmScaleJob& job);

// Scales the source rectangle (x, y, w, h) to new_width x new_height: into target when given
// (pixels only), else into a new bitmap, mask and alpha plane for each source part given.
// 0, ERR_MEM, ERR_LOCKBMAP, or ERR_WRONGUSAGE for a rectangle outside the source or a target
// smaller than the new size. A new size below 1 returns 0 at once.
int32_t bitmap_draw(const qmBitmap* source, const qmMask* source_mask,
                    const qmAlphaChannel* source_alpha, int32_t x, int32_t y, qmBitmap* target,
                    int32_t w, int32_t h, int32_t new_width, int32_t new_height,
                    int32_t interpolate, qmBitmap** out_bitmap, qmMask** out_mask,
                    qmAlphaChannel** out_alpha);

// bitmap_draw's copy written into planes made elsewhere, each at least new_width x new_height:
// the pixels into target and, for each source plane given, the mask or alpha plane into its
// target, which must then be given too. The same codes as bitmap_draw.
int32_t bitmap_draw_into(const qmBitmap* source, const qmMask* source_mask, const qmAlphaChannel* source_alpha,
                         int32_t x, int32_t y, int32_t w, int32_t h, int32_t new_width, int32_t new_height,
                         int32_t interpolate, qmBitmap* target, qmMask* target_mask, qmAlphaChannel* target_alpha);

// The part (cx, cy, cw, ch) of bitmap_draw's nearest-neighbour copy of the source rectangle
// (x, y, w, h) at new_width x new_height, pixels only, written at (tx, ty) of target: the same
// pixels as that part of the whole copy. 0, ERR_LOCKBMAP, or ERR_WRONGUSAGE for a rectangle
// outside the source, a part outside the copy or one that does not fit the target there.
int32_t bitmap_draw_part(const qmBitmap* source, int32_t x, int32_t y, int32_t w, int32_t h, int32_t new_width,
                         int32_t new_height, int32_t cx, int32_t cy, int32_t cw, int32_t ch, qmBitmap* target,
                         int32_t tx, int32_t ty);

// Tests only: keep to the SSE2 loops even where AVX2 is present, so both paths are checked.
void scale_force_sse2(bool on);

// The scaler's process-wide tables, freed once at exit.
void effects_free_buffers();

// Size of a w x h rectangle after the 2x2 matrix {m0, m1, m2, m3} (x' = m0 x + m2 y,
// y' = m1 x + m3 y); min_x and min_y may be nullptr.
void rect_transform_corners(const double* matrix, int32_t w, int32_t h, int32_t* new_width,
                            int32_t* new_height, double* min_x, double* min_y);

}  // namespace qm
