// Outline geometry of the shapes. Points are in the shape's own frame: pixel centres at whole
// numbers, the shape's box from (0, 0) to (width - 1, height - 1), turned by a 2x2 matrix (applied
// as (m0 x + m1 y, m2 x + m3 y), the layers' convention) about the box's middle and rounded to
// whole pixels. Coordinates are 64-bit, so a huge shape can be measured before it is refused.
#pragma once

#include <cstdint>
#include <vector>

#include "layers/content.h"
#include "layers/geometry.h"

namespace qm {

struct OutlinePoint {
  int64_t x = 0, y = 0;
  bool operator==(const OutlinePoint&) const = default;
};
using Outline = std::vector<OutlinePoint>;

// The box of a set of points (inclusive corners); empty when x1 < x0.
struct OutlineBox {
  int64_t x0 = 0, y0 = 0, x1 = -1, y1 = -1;
  int64_t width() const { return x1 - x0 + 1; }
  int64_t height() const { return y1 - y0 + 1; }
  void add(const OutlinePoint& p);
  void add(const OutlineBox& b);
  OutlineBox grown(int64_t left, int64_t top, int64_t right, int64_t bottom) const;
  OutlineBox moved(int64_t dx, int64_t dy) const;
};
OutlineBox outline_box(const Outline& points);

// The step between the points of an arc of (larger) radius r: 90 degrees up to 2 pixels, 30 up
// to 9, 18 up to 14, 5 from 15 on.
int32_t arc_step(double radius);

// How a frame point lands: turned by m about the pivot, then rounded.
struct OutlineTransform {
  Matrix2 m;
  double pivot_x = 0.0, pivot_y = 0.0;
  OutlinePoint apply(double x, double y) const;
  bool identity() const { return m.is_identity(); }
};

// Appends the points of the elliptic arc about (cx, cy) with radii rx, ry from angle start to end
// (whole degrees, growing anticlockwise on screen: y = cy - ry sin a), one every step degrees and
// the last at end. The angles are put in order, moved into 0..360 as far as they go, and a sweep
// beyond 360 becomes 0..360. A point equal to the one before is not stored; with close and a sweep
// below 360 the centre follows. Fewer than two points are padded to two.
void arc_outline_points(const OutlineTransform& t, double cx, double cy, double rx, double ry, int32_t start,
                        int32_t end, int32_t step, bool close, Outline* out);

// A shape's geometry as the outline builder reads it.
struct ShapeGeometry {
  int32_t type = 0;  // OBJ_BOX, OBJ_CIRCLE, OBJ_ELLIPSE, OBJ_POLYGON or OBJ_ARC
  int32_t width = 0, height = 0;
  int32_t corners[4] = {0, 0, 0, 0};  // percent: top-left, bottom-left, bottom-right, top-right
  int32_t start_angle = 0, end_angle = 0, clockwise = 0;
  const std::vector<LayerVertex>* vertices = nullptr;  // polygons, their box at (0, 0)
};

// The closed outline of the shape grown by `grow` pixels on every side (a box, circle, ellipse or
// arc of the size plus twice that, about the same middle; polygons are not grown here), and the
// box it stands for: the whole ellipse's for an arc, else the points' own. Returns false for a
// type it does not know.
bool shape_outline_points(const ShapeGeometry& g, const OutlineTransform& t, int32_t grow, Outline* out,
                          OutlineBox* frame);

// The radius of each corner of a rounded w x h box: trunc(trunc(min(w, h) / 2) x p / 100) with p
// the corner's percentage within 1..100 (a corner of 0 counts as 1 percent).
void box_corner_radii(int32_t width, int32_t height, const int32_t corners[4], int32_t radii[4]);

}  // namespace qm
