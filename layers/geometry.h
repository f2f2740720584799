// Exact rectangle and matrix routines of the layers: inclusive overlap, clipping, union, scaling
// to whole pixels, and the 2x2 transform of a layer with its uniform-scale test.
#pragma once

#include <array>
#include <cstdint>

#include "engine/numconv.h"

namespace qm {

// The one table of whole-degree angles of the player: entry i holds the sine and the cosine of
// (360 - i) degrees, i = 0..360, so cos(a) = cosine[360 - a] and sin(a) = sine[360 - a].
struct AngleTables {
  std::array<double, 361> sine{}, cosine{};
  AngleTables();
};
const AngleTables& angle_tables();

// A rectangle by its top-left corner and size.
struct Rect {
  int32_t x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

// Rectangles and corners saturate at the int32 range instead of wrapping, so a layer placed or
// grown far beyond the picture still clips away.

// A rectangle by its inclusive corners (x2 = x + width - 1).
struct Corners {
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool operator==(const Corners&) const = default;
};

inline Corners to_corners(const Rect& r) {
  return {r.x, r.y, sat_i32(int64_t(r.x) + r.width - 1), sat_i32(int64_t(r.y) + r.height - 1)};
}
inline Rect to_rect(const Corners& c) {
  return {c.x1, c.y1, sat_i32(int64_t(c.x2) - c.x1 + 1), sat_i32(int64_t(c.y2) - c.y1 + 1)};
}

// True when the inclusive rectangles share a pixel.
bool rect_overlaps(const Corners& a, const Corners& b);
// Cuts r to 0..width_limit x 0..height_limit; the result may be empty or negative in size.
void rect_clip_to_size(int32_t width_limit, int32_t height_limit, Rect& r);
// The smallest rectangle holding both.
void rect_union(Rect& r, const Rect& other);
// Scales to whole pixels with ties to even, so that adjacent rectangles stay adjacent.
Rect rect_scale(const Rect& r, double fx, double fy);
// The intersection; width or height 0 when there is none.
Rect rect_intersect(const Rect& a, const Rect& b);

// A 2x2 matrix applied as (m0 x + m1 y, m2 x + m3 y).
struct Matrix2 {
  double m[4] = {1.0, 0.0, 0.0, 1.0};
  bool is_identity() const { return m[0] == 1.0 && m[1] == 0.0 && m[2] == 0.0 && m[3] == 1.0; }
};

// The transform block of a layer.
struct TransformBlock {
  Matrix2 matrix;
  double scale_x = 1.0, scale_y = 1.0;
  int32_t target_width = 0, target_height = 0;  // 0: the content size
  int32_t rotation = 0;                         // whole degrees
  Matrix2 explicit_matrix;
  int32_t explicit_flag = 0, smooth = 0, general = 0;
  double uniform_x = 1.0, uniform_y = 1.0;
  double anchor_x = 0.0, anchor_y = 0.0;
};

Matrix2 transform_from_scale_rotate(int32_t target_w, int32_t target_h, int32_t content_w, int32_t content_h,
                                    double scale_x, double scale_y, int32_t angle);
Matrix2 style_build_transform(const TransformBlock& block, int32_t content_w, int32_t content_h);
// True with the two scales when the matrix is a rotation by whole degrees with per-axis scales.
bool rotation_scale_from_matrix(const Matrix2& matrix, double* scale_x, double* scale_y);
// Sets or clears the block's general-transform flag from its matrix.
void transform_check_uniform_scale(TransformBlock& block);
// The transformed bounding box of a w x h rectangle at (x, y) about the pivot at the given fraction.
Rect rect_transform_bounds(const Matrix2& matrix, double x, double y, double w, double h, double pivot_x,
                           double pivot_y);
// How far a border of size b grows a transformed w x h layer to the left.
int32_t transform_border_offset(const Matrix2& matrix, int32_t width, int32_t height, int32_t b);

}  // namespace qm
