// Even-odd scanline fill of a polygon into a 1-bit mask.
#pragma once

#include <cstdint>

namespace qm {

struct qmPoint {
  int32_t x;
  int32_t y;
};

// Sets the mask bits of every row from the least to the greatest y of the points, between
// pairs of sorted edge crossings (both ends included). Edge i runs from point i - 1 to point i
// (edge 0 from the last point). Nothing is clipped: the points must lie inside the mask.
// scratch holds at least count entries; an unpaired last crossing of a row fills nothing.
void plane_fill_polygon(uint8_t* mask, int32_t mask_bpr, int32_t* scratch, const qmPoint* points,
                        int32_t count);

}  // namespace qm
