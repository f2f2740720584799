// Pixel routines of filled shapes and lines: the shape pixel, the coverage span walker, the
// thick line and the anti-aliased line.
#pragma once

#include <cstdint>

namespace qm {

struct qmShapeState {
  uint32_t* pixels;
  int32_t ppr;
  int32_t bytes_per_pixel;
  const uint32_t* texture;  // or nullptr
  int32_t texture_ppr;
  uint8_t* mask;  // or nullptr
  int32_t mask_bpr;
  uint8_t* alpha;  // or nullptr
  int32_t alpha_bpr;
  int32_t format;
  uint32_t colour;       // pixel word of the format
  int32_t opacity;       // 0 to 255, 255 opaque
  int32_t base_opacity;  // of the fill
  int32_t clip;          // clip switch
  int32_t clip_x;
  int32_t clip_y;
  int32_t clip_width;
  int32_t clip_height;
  const uint8_t* clip_mask;  // or nullptr; addressed at (x - clip_x, y - clip_y)
  int32_t clip_mask_bpr;
  int32_t mask_mode;
  // Size of the target planes: points outside are always left alone.
  int32_t width;
  int32_t height;
  int32_t pen_width;  // thick lines
};

// Plots one point with the state's opacity.
void shape_plot(qmShapeState& s, int32_t x, int32_t y);
// Plots every non-zero byte of a coverage buffer at (left + column, top + row). The
// anti-aliased form takes each byte as the point's opacity (scaled by a base opacity below 255).
void shape_fill_coverage(qmShapeState& s, const uint8_t* coverage, int32_t width, int32_t height,
                         int32_t bpr, int32_t left, int32_t top, bool antialias);
void shape_thick_line(qmShapeState& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void shape_aa_line(qmShapeState& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2);

}  // namespace qm
