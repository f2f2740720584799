// Row spans of what the scan converter (draw/raster.h) covers without anti-aliasing, worked out
// from the polygon alone: the same pixels as the raster gets, without the raster, so that a shape
// of one opaque colour can go straight into its target row by row.
//
// The converter fills a polygon by the even-odd rule over edges kept in 16.16 fixed point (each
// row's crossings taken from the edge's top end by a truncated step, the span from the left
// crossing rounded up to the right one rounded down, an edge counting from its top row up to but
// not including its bottom one) and draws every edge as an 8-connected line walked from its left
// end; a closed outline one pixel wide is those lines alone. These routines follow both rules
// step for step, and tests hold them to the raster.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx/blitservices.h"

namespace qm {

// Columns x0..x1 of row y.
struct RowSpan {
  int32_t y, x0, x1;
};

// Spans of the rows first..end-1: each row's first span, grown by every later one that overlaps
// or touches it, and the spans that did not, apart. Together they cover the pixels of every span
// added (some of them twice).
struct RowSpans {
  int32_t first = 0, end = 0;
  std::vector<int32_t> lo, hi;  // by row from first; lo > hi: none yet
  std::vector<RowSpan> apart;
  void reset(int32_t first_row, int32_t end_row);
  void add(int32_t y, int32_t x0, int32_t x1) {
    int32_t& l = lo[size_t(y - first)];
    int32_t& h = hi[size_t(y - first)];
    if (l > h) {
      l = x0, h = x1;
    } else if (x0 <= h + 1 && x1 >= l - 1) {
      l = std::min(l, x0), h = std::max(h, x1);
    } else {
      apart.push_back({y, x0, x1});
    }
  }
};

// Adds the spans of a closed polygon of count points in a width x height raster, within the rows
// of out: with fill, its even-odd interior and its edges (raster_fill_polygon with thickness 0),
// else its outline (thickness 1). False, with nothing added, when a point lies outside the raster,
// where the converter would clip the polygon first.
bool polygon_spans(const qmPoint* points, int32_t count, bool fill, int32_t width, int32_t height,
                   RowSpans* out);

}  // namespace qm
