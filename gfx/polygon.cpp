// Scanline polygon fill into a mask.
#include "gfx/polygon.h"

#include <cstddef>
#include <cstring>

namespace qm {

namespace {

// Sets bits a..b (inclusive) of a mask row.
void set_bits(uint8_t* row, int32_t a, int32_t b) {
  if (a > b) return;
  const int32_t first = a >> 3, last = b >> 3;
  const uint8_t head = uint8_t(0xFFu >> (a & 7));
  const uint8_t tail = uint8_t(0xFFu << (7 - (b & 7)));
  if (first == last) {
    row[first] |= uint8_t(head & tail);
    return;
  }
  row[first] |= head;
  if (last - first > 1) std::memset(row + first + 1, 0xFF, size_t(last - first - 1));
  row[last] |= tail;
}

}  // namespace

void plane_fill_polygon(uint8_t* mask, int32_t mask_bpr, int32_t* scratch, const qmPoint* points,
                        int32_t count) {
  if (count < 1) return;
  int32_t ymin = points[0].y, ymax = points[0].y;
  for (int32_t i = 1; i < count; ++i) {
    if (points[i].y < ymin) ymin = points[i].y;
    if (points[i].y > ymax) ymax = points[i].y;
  }
  for (int32_t y = ymin; y <= ymax; ++y) {
    int32_t n = 0;
    for (int32_t i = 0; i < count; ++i) {
      const qmPoint& p0 = points[i == 0 ? count - 1 : i - 1];
      const qmPoint& p1 = points[i];
      if (p0.y == p1.y) continue;
      const qmPoint& lo = p0.y < p1.y ? p0 : p1;
      const qmPoint& hi = p0.y < p1.y ? p1 : p0;
      // Half-open rows per edge, except that the last row also takes edges ending on it.
      const bool crosses = (lo.y <= y && y < hi.y) || (y == ymax && lo.y < y && y <= hi.y);
      if (!crosses) continue;
      const int64_t q = int64_t(y - lo.y) * (int64_t(hi.x) - lo.x);
      const float f = float(q) / float(hi.y - lo.y);
      scratch[n++] = int32_t(double(f) + 0.5 + lo.x);
    }
    for (int32_t i = 1; i < n; ++i) {  // insertion sort: a handful of crossings per row
      const int32_t v = scratch[i];
      int32_t k = i - 1;
      while (k >= 0 && scratch[k] > v) {
        scratch[k + 1] = scratch[k];
        --k;
      }
      scratch[k + 1] = v;
    }
    uint8_t* row = mask + ptrdiff_t(y) * mask_bpr;
    for (int32_t i = 0; i + 1 < n; i += 2) set_bits(row, scratch[i], scratch[i + 1]);
  }
}

}  // namespace qm
