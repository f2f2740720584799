// The scan converter: 8-bit coverage rasters, and the filled polygons, closed outlines and single
// lines drawn into them in the value 255 by OpenCV's drawing functions (over our own buffer, no
// copy), which live in a module of their own that the first raster opens (raster_module.h).
// Drawing only raises coverage, so several drawings into one raster add up. Coordinates are whole pixels and may be any int32: what lies outside is clipped away first
// (see raster.cpp for why), so no pixel of the raster changes because a point was far out.
//
// OpenCV reports misuse and failed allocations by throwing; none of that leaves the module. A
// failed drawing leaves a negative code in the status word (-4 no memory, -5 a bad argument) and
// the raster with whatever coverage it had. Where the module cannot be opened, no raster is made
// (RASTER_UNAVAILABLE) and nothing is drawn. Main thread only.
#pragma once

#include <cstdint>

#include "gfx/blitservices.h"

namespace qm {

// The status of a raster that could not be made or drawn into because the drawing module is
// missing.
inline constexpr int32_t RASTER_UNAVAILABLE = -6;

// A cleared width x height raster whose rows are the width rounded up to a multiple of 4 bytes
// apart (the bytes past the width stay 0). 0, or with no raster made (*out cleared): -25 for a
// negative size, -211 for a size past the allocation cap or a buffer above 1 GiB, -4 without
// memory, RASTER_UNAVAILABLE without the drawing module. A width or height of 0 makes a raster without pixels.
int32_t raster_create(int32_t width, int32_t height, qmRaster* out);
// Frees the raster's buffer and clears the record; an empty record is ignored.
void raster_destroy(qmRaster* raster);

// One closed polygon of count points: thickness 0 (or -1) fills it by the even-odd rule (its
// edges drawn as lines of the chosen kind first), 1..255 draws its closed outline with lines of
// that thickness. antialias non-zero draws anti-aliased lines, else 8-connected ones. A count
// below 1 draws nothing; a thickness outside -1..255 draws nothing (status -5).
void raster_fill_polygon(qmRaster* raster, const qmPoint* points, int32_t count, int32_t antialias,
                         int32_t thickness);
// One line from (x0, y0) to (x1, y1) with round caps, thickness 1..255 (0 draws as 1; negative
// -5 and above 255 -211, both drawing nothing).
void raster_fill_edges(qmRaster* raster, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                       int32_t antialias, int32_t thickness);

// The code of the last operation: 0 when it succeeded. Nothing in the player reads it; tests do.
int32_t raster_status();

// Puts these behind gfx_services() (the shape filler of the graphics core).
void raster_install();
// Frees the buffer kept for the next raster (exit).
void raster_release_spare();

}  // namespace qm
