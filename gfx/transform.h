// Affine resampling of a bitmap with its mask and alpha plane by inverse mapping.
#pragma once

#include <cstdint>

namespace qm {

struct qmTransformJob {
  const uint32_t* source;       // pixel at (sx, sy); nullptr without a source bitmap
  uint32_t* dest;               // nullptr without one
  const uint8_t* source_mask;   // first byte of mask row sy; bits addressed at sx + column
  uint8_t* dest_mask;
  const uint8_t* source_alpha;  // byte at (sx, sy)
  uint8_t* dest_alpha;
  int32_t sx;
  int32_t sy;
  int32_t source_width;
  int32_t source_height;
  int32_t source_ppr;
  int32_t dest_width;
  int32_t dest_height;
  int32_t dest_ppr;
  int32_t source_mask_bpr;
  int32_t dest_mask_bpr;
  int32_t source_alpha_bpr;
  int32_t dest_alpha_bpr;
  // {m0, m1, m2, m3, offset x, offset y}: a source point (x, y) goes to
  // (m0 x + m2 y + offset x, m1 x + m3 y + offset y).
  const double* transform;
  int32_t smooth;
  int32_t format;
  int32_t bytes_per_pixel;
};

// Draws every destination pixel whose inverse image lies in the source. A singular or
// non-finite matrix draws nothing.
void transform_pixels(const qmTransformJob& job);

// Keeps the smooth loop on its one-pixel path even where AVX2 is present (tests compare the two).
void transform_force_scalar(bool on);

}  // namespace qm
