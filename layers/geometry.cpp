// Layer geometry: every conversion to whole pixels here decides where a layer lands.
#include "layers/geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/numconv.h"

namespace qm {

namespace {

int32_t nearest(double v) { return to_i32_sat(std::nearbyint(v)); }

}  // namespace

AngleTables::AngleTables() {
  for (int i = 0; i <= 360; ++i) {
    const double a = double(360 - i) * 0.017453292519943295;
    sine[size_t(i)] = std::sin(a);
    cosine[size_t(i)] = std::cos(a);
  }
}

const AngleTables& angle_tables() {
  static const AngleTables tables;
  return tables;
}

bool rect_overlaps(const Corners& a, const Corners& b) {
  return !(a.y2 < b.y1 || a.y1 > b.y2 || a.x2 < b.x1 || a.x1 > b.x2);
}

void rect_clip_to_size(int32_t width_limit, int32_t height_limit, Rect& r) {
  if (r.x < 0) { r.width += r.x; r.x = 0; }
  if (r.y < 0) { r.height += r.y; r.y = 0; }
  if (int64_t(r.x) + r.width > width_limit) r.width = width_limit - r.x;
  if (int64_t(r.y) + r.height > height_limit) r.height = height_limit - r.y;
}

void rect_union(Rect& r, const Rect& o) {
  const int32_t x = std::min(r.x, o.x), y = std::min(r.y, o.y);
  r.width = sat_i32(std::max(int64_t(r.x) + r.width, int64_t(o.x) + o.width) - x);
  r.height = sat_i32(std::max(int64_t(r.y) + r.height, int64_t(o.y) + o.height) - y);
  r.x = x;
  r.y = y;
}

Rect rect_scale(const Rect& r, double fx, double fy) {
  Rect out;
  out.x = nearest(r.x * fx);
  out.y = nearest(r.y * fy);
  out.width = sat_i32(int64_t(nearest((double(r.x) + r.width - 1) * fx)) - out.x + 1);
  out.height = sat_i32(int64_t(nearest((double(r.y) + r.height - 1) * fy)) - out.y + 1);
  return out;
}

Rect rect_intersect(const Rect& a, const Rect& b) {
  const int64_t x1 = std::max(a.x, b.x), y1 = std::max(a.y, b.y);
  const int64_t x2 = std::min(int64_t(a.x) + a.width, int64_t(b.x) + b.width);
  const int64_t y2 = std::min(int64_t(a.y) + a.height, int64_t(b.y) + b.height);
  if (x2 <= x1 || y2 <= y1) return {int32_t(x1), int32_t(y1), 0, 0};
  return {int32_t(x1), int32_t(y1), int32_t(x2 - x1), int32_t(y2 - y1)};
}

Matrix2 transform_from_scale_rotate(int32_t target_w, int32_t target_h, int32_t content_w, int32_t content_h,
                                    double scale_x, double scale_y, int32_t angle) {
  if (target_w == 0) target_w = content_w;
  if (target_h == 0) target_h = content_h;
  Matrix2 out;
  if (target_w == content_w && target_h == content_h) {
    out.m[0] = scale_x;
    out.m[3] = scale_y;
  } else {
    out.m[0] = content_w ? double(target_w) / content_w : 0.0;
    out.m[3] = content_h ? double(target_h) / content_h : 0.0;
  }
  if (angle != 0) {
    const double a = double(360 - angle % 360) * 0.017453292519943295;
    const double c = std::cos(a), s = std::sin(a);
    const double m0 = out.m[0], m1 = out.m[1], m2 = out.m[2], m3 = out.m[3];
    out.m[0] = m0 * c - m1 * s;
    out.m[1] = m0 * s + m1 * c;
    out.m[2] = m2 * c - m3 * s;
    out.m[3] = m2 * s + m3 * c;
  }
  return out;
}

Matrix2 style_build_transform(const TransformBlock& block, int32_t content_w, int32_t content_h) {
  if (block.explicit_flag) return block.explicit_matrix;
  return transform_from_scale_rotate(block.target_width, block.target_height, content_w, content_h, block.scale_x,
                                     block.scale_y, block.rotation);
}

bool rotation_scale_from_matrix(const Matrix2& matrix, double* scale_x, double* scale_y) {
  constexpr double e = 0.0001;
  const AngleTables& t = angle_tables();
  const double* m = matrix.m;
  int first = -1;
  for (int i = 0; i <= 360 && first < 0; ++i) {
    const double c = t.cosine[size_t(i)];
    if ((m[0] >= 0) != (c >= 0)) continue;
    const double q = m[0] / c, s = m[1] / t.sine[size_t(i)];
    if (s - e <= q && q <= s + e) first = i;
  }
  if (first < 0) return false;
  for (int j = 0; j <= 360; ++j) {
    const double c = t.cosine[size_t(j)];
    if ((m[3] < 0) != (c < 0)) continue;
    const double q = m[3] / c, s = m[2] / -t.sine[size_t(j)];
    if (q - e <= s && s <= q + e) {
      if (scale_x) *scale_x = m[0] / t.cosine[size_t(first)];
      if (scale_y) *scale_y = q;
      return true;
    }
  }
  return false;
}

void transform_check_uniform_scale(TransformBlock& block) {
  const Matrix2& m = block.matrix;
  if (m.m[1] == 0.0 && m.m[2] == 0.0) return;
  block.general = 1;
  double sx = 0, sy = 0;
  if (rotation_scale_from_matrix(m, &sx, &sy) && sy - 0.01 <= sx && sx <= sy + 0.01) {
    block.general = 0;
    block.uniform_x = sx;
    block.uniform_y = sy;
  }
}

Rect rect_transform_bounds(const Matrix2& matrix, double x, double y, double w, double h, double pivot_x,
                           double pivot_y) {
  const double px = x + w * pivot_x, py = y + h * pivot_y;
  const double cx[4] = {x, x + w, x, x + w}, cy[4] = {y, y, y + h, y + h};
  double lo_x = 1e300, lo_y = 1e300, hi_x = -1e300, hi_y = -1e300;
  for (int i = 0; i < 4; ++i) {
    const double dx = cx[i] - px, dy = cy[i] - py;
    const double tx = px + matrix.m[0] * dx + matrix.m[1] * dy;
    const double ty = py + matrix.m[2] * dx + matrix.m[3] * dy;
    lo_x = std::min(lo_x, tx);
    hi_x = std::max(hi_x, tx);
    lo_y = std::min(lo_y, ty);
    hi_y = std::max(hi_y, ty);
  }
  const int32_t x1 = to_i32_sat(std::floor(lo_x)), y1 = to_i32_sat(std::floor(lo_y));
  return {x1, y1, sat_i32(int64_t(to_i32_sat(std::ceil(hi_x))) - x1), sat_i32(int64_t(to_i32_sat(std::ceil(hi_y))) - y1)};
}

int32_t transform_border_offset(const Matrix2& matrix, int32_t width, int32_t height, int32_t b) {
  const Rect grown = rect_transform_bounds(matrix, 0, 0, width + 2.0 * b, height + 2.0 * b, 0.5, 0.5);
  const Rect inner = rect_transform_bounds(matrix, b, b, width, height, 0.5, 0.5);
  return sat_i32(int64_t(inner.x) - grown.x);
}

}  // namespace qm
