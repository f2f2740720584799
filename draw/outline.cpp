// Outline geometry: arcs from the shared angle table, rounded boxes, ellipses, pies and polygons.
#include "draw/outline.h"

#include <algorithm>
#include <cmath>

#include "engine/numconv.h"
#include "runtime/registry.h"

namespace qm {

namespace {

// Far beyond any picture, yet far inside 64 bits: sizes and sums of such values never overflow.
constexpr int64_t kFar = int64_t(1) << 40;

// Through 16.16 fixed point, as the outline geometry is defined: the value to the nearest 1/65536
// (which absorbs the last bits of the sine table's rounding), then to the nearest pixel with
// halves going up.
int64_t round_coord(double v) {
  if (!(v > -double(kFar))) return -kFar;
  if (!(v < double(kFar))) return kFar;
  const int64_t fixed = std::llround(v * 65536.0);
  return (fixed + 0x8000) >> 16;
}

}  // namespace

void OutlineBox::add(const OutlinePoint& p) {
  if (x1 < x0) {
    x0 = x1 = p.x, y0 = y1 = p.y;
    return;
  }
  x0 = std::min(x0, p.x), x1 = std::max(x1, p.x);
  y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
}

void OutlineBox::add(const OutlineBox& b) {
  if (b.x1 < b.x0) return;
  add(OutlinePoint{b.x0, b.y0});
  add(OutlinePoint{b.x1, b.y1});
}

OutlineBox OutlineBox::grown(int64_t left, int64_t top, int64_t right, int64_t bottom) const {
  return {x0 - left, y0 - top, x1 + right, y1 + bottom};
}

OutlineBox OutlineBox::moved(int64_t dx, int64_t dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }

OutlineBox outline_box(const Outline& points) {
  OutlineBox b;
  for (const OutlinePoint& p : points) b.add(p);
  return b;
}

int32_t arc_step(double radius) {
  if (radius <= 2) return 90;
  if (radius <= 9) return 30;
  if (radius <= 14) return 18;
  return 5;
}

OutlinePoint OutlineTransform::apply(double x, double y) const {
  if (identity()) return {round_coord(x), round_coord(y)};
  const double u = x - pivot_x, v = y - pivot_y;
  return {round_coord(pivot_x + m.m[0] * u + m.m[1] * v), round_coord(pivot_y + m.m[2] * u + m.m[3] * v)};
}

void arc_outline_points(const OutlineTransform& t, double cx, double cy, double rx, double ry, int32_t start,
                        int32_t end, int32_t step, bool close, Outline* out) {
  int64_t a0 = start, a1 = end;
  if (a0 > a1) std::swap(a0, a1);
  // Far-out angles come back whole turns at a time without walking there.
  if (a0 < 0) {
    const int64_t turns = (-a0 + 359) / 360;
    a0 += 360 * turns, a1 += 360 * turns;
  }
  if (a1 > 360) {
    const int64_t turns = (a1 - 360 + 359) / 360;
    a0 -= 360 * turns, a1 -= 360 * turns;
  }
  if (a1 - a0 > 360) a0 = 0, a1 = 360;
  const AngleTables& tables = angle_tables();
  const size_t first = out->size();
  step = std::max(step, 1);
  for (int64_t a = a0;; a += step) {
    if (a > a1) a = a1;
    const int64_t look = a < 0 ? a + 360 : a;
    const double c = rx * tables.cosine[size_t(360 - look)], s = ry * tables.sine[size_t(360 - look)];
    const OutlinePoint p = t.apply(cx + c, cy - s);
    if (out->size() == first || !(out->back() == p)) out->push_back(p);
    if (a == a1) break;
  }
  if (close && a1 - a0 < 360) {
    const OutlinePoint centre = t.apply(cx, cy);
    if (!(out->back() == centre)) out->push_back(centre);
  }
  while (out->size() - first < 2) out->push_back(out->back());
}

void box_corner_radii(int32_t width, int32_t height, const int32_t corners[4], int32_t radii[4]) {
  const int64_t half = std::min(width, height) / 2;
  for (int i = 0; i < 4; ++i) {
    const int64_t p = std::clamp(corners[i], 1, 100);
    radii[i] = int32_t(half * p / 100);
  }
}

namespace {

void box_points(double x, double y, int64_t w, int64_t h, const int32_t corners[4], const OutlineTransform& t,
                Outline* out) {
  const double r = double(x + w - 1), b = double(y + h - 1);
  if (corners[0] == 0 && corners[1] == 0 && corners[2] == 0 && corners[3] == 0) {
    for (const auto& [px, py] : {std::pair{x, y}, {r, y}, {r, b}, {x, b}, {x, y}}) out->push_back(t.apply(px, py));
    return;
  }
  int32_t radii[4];
  box_corner_radii(int32_t(std::min<int64_t>(w, INT32_MAX)), int32_t(std::min<int64_t>(h, INT32_MAX)), corners, radii);
  // a top-left over 90..180, b bottom-left 180..270, c bottom-right 270..360, d top-right 0..90.
  const double centres[4][2] = {{x + radii[0], y + radii[0]},
                                {x + radii[1], b - radii[1]},
                                {r - radii[2], b - radii[2]},
                                {r - radii[3], y + radii[3]}};
  const int32_t from[4] = {90, 180, 270, 0};
  for (int i = 0; i < 4; ++i) {
    if (radii[i] == 0) {
      const OutlinePoint p = t.apply(centres[i][0], centres[i][1]);
      if (out->empty() || !(out->back() == p)) out->push_back(p);
      continue;
    }
    Outline arc;
    arc_outline_points(t, centres[i][0], centres[i][1], radii[i], radii[i], from[i], from[i] + 90,
                       arc_step(radii[i]), false, &arc);
    for (const OutlinePoint& p : arc)
      if (out->empty() || !(out->back() == p)) out->push_back(p);
  }
  out->push_back(out->front());
}

}  // namespace

bool shape_outline_points(const ShapeGeometry& g, const OutlineTransform& t, int32_t grow, Outline* out,
                          OutlineBox* frame) {
  out->clear();
  const int64_t w = int64_t(g.width) + 2 * int64_t(grow), h = int64_t(g.height) + 2 * int64_t(grow);
  const double x = -double(grow), y = -double(grow);
  // The radii of the round shapes and the middle they turn about.
  const double rx = double(w / 2), ry = double(h / 2);
  const double cx = (double(g.width) - 1.0) / 2.0, cy = (double(g.height) - 1.0) / 2.0;
  const int32_t step = arc_step(std::max(rx, ry) * std::max(std::hypot(t.m.m[0], t.m.m[2]), std::hypot(t.m.m[1], t.m.m[3])));
  switch (g.type) {
    case OBJ_BOX: box_points(x, y, w, h, g.corners, t, out); break;
    case OBJ_CIRCLE:
    case OBJ_ELLIPSE:
      arc_outline_points(t, cx, cy, rx, ry, 0, 360, step, false, out);
      if (!(out->back() == out->front())) out->push_back(out->front());
      break;
    case OBJ_ARC: {
      int64_t start = g.start_angle, end = g.end_angle;
      if (g.clockwise) {
        if (end < start) end += 360 * ((start - end + 359) / 360);
      } else if (start < end) {
        start += 360 * ((end - start + 359) / 360);
      }
      // Screen angles grow clockwise: the routine runs over the negated ones.
      arc_outline_points(t, cx, cy, rx, ry, int32_t(std::clamp<int64_t>(-start, INT32_MIN, INT32_MAX)),
                         int32_t(std::clamp<int64_t>(-end, INT32_MIN, INT32_MAX)), step, true, out);
      out->push_back(out->front());
      if (frame) {
        Outline whole;
        arc_outline_points(t, cx, cy, rx, ry, 0, 360, step, false, &whole);
        *frame = outline_box(whole);
      }
      return true;
    }
    case OBJ_POLYGON:
      if (!g.vertices || g.vertices->empty()) return false;
      for (const LayerVertex& v : *g.vertices) out->push_back(t.apply(v.x, v.y));
      if (!(out->back() == out->front())) out->push_back(out->front());
      break;
    default: return false;
  }
  if (frame) *frame = outline_box(*out);
  return true;
}

}  // namespace qm
