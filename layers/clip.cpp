// Clip regions that follow a layer: the copy of a region that clips a turned, scaled or
// display-scaled state, and its release.
#include <algorithm>
#include <cmath>
#include <new>

#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "layers/layers.h"

namespace qm {

const qmClipRegion* clip_transform(const qmClipRegion* source, const Matrix2& m, double from_x, double from_y,
                                   double to_x, double to_y) {
  if (!source) return nullptr;
  const double det = m.m[0] * m.m[3] - m.m[1] * m.m[2];
  if (!(std::isfinite(det) && det != 0.0)) return nullptr;
  // The corners p go to M (p - from) + to.
  const double cx[4] = {double(source->x), double(source->x) + source->width, double(source->x),
                        double(source->x) + source->width};
  const double cy[4] = {double(source->y), double(source->y), double(source->y) + source->height,
                        double(source->y) + source->height};
  double lo_x = 1e300, lo_y = 1e300, hi_x = -1e300, hi_y = -1e300;
  for (int i = 0; i < 4; ++i) {
    const double dx = cx[i] - from_x, dy = cy[i] - from_y;
    const double tx = to_x + m.m[0] * dx + m.m[1] * dy, ty = to_y + m.m[2] * dx + m.m[3] * dy;
    lo_x = std::min(lo_x, tx), hi_x = std::max(hi_x, tx);
    lo_y = std::min(lo_y, ty), hi_y = std::max(hi_y, ty);
  }
  auto* region = new (std::nothrow) qmClipRegion{};
  if (!region) return nullptr;
  // A straight rectangle is scaled and truncated; anything else covers its bounding box.
  if (m.m[1] == 0.0 && m.m[2] == 0.0 && !source->mask) {
    region->x = to_i32(std::trunc(lo_x));
    region->y = to_i32(std::trunc(lo_y));
    region->width = std::max(1, to_i32(std::trunc(hi_x - lo_x)));
    region->height = std::max(1, to_i32(std::trunc(hi_y - lo_y)));
    return region;
  }
  region->x = to_i32(std::floor(lo_x));
  region->y = to_i32(std::floor(lo_y));
  region->width = std::max(1, to_i32(std::ceil(hi_x)) - region->x);
  region->height = std::max(1, to_i32(std::ceil(hi_y)) - region->y);
  // A turned or masked region: each pixel of the new mask is set when its middle maps back onto a
  // pixel of the old region that clips.
  qmMask* mask = qmos_alloc_mask(region->width, region->height, 1);
  if (!mask) {
    delete region;
    return nullptr;
  }
  const double i0 = m.m[3] / det, i1 = -m.m[1] / det, i2 = -m.m[2] / det, i3 = m.m[0] / det;
  for (int32_t y = 0; y < region->height; ++y) {
    uint8_t* row = mask->data + size_t(y) * size_t(mask->bytes_per_row);
    const double dy = region->y + y + 0.5 - to_y;
    for (int32_t x = 0; x < region->width; ++x) {
      const double dx = region->x + x + 0.5 - to_x;
      const double sx = from_x + i0 * dx + i1 * dy - source->x, sy = from_y + i2 * dx + i3 * dy - source->y;
      if (!(sx >= 0.0 && sy >= 0.0 && sx < source->width && sy < source->height)) continue;
      const int32_t px = int32_t(sx), py = int32_t(sy);
      if (source->mask && !mask_bit(source->mask->data + size_t(py) * size_t(source->mask_bpr), px)) continue;
      mask_bit_set(row, x);
    }
  }
  region->mask = mask;
  region->mask_bpr = mask->bytes_per_row;
  return region;
}

void clip_free(const qmClipRegion* region) {
  if (!region) return;
  qmos_free_mask(const_cast<qmMask*>(region->mask));
  delete region;
}

}  // namespace qm
