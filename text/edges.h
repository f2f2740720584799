// Edges of coverage: the soft edge that grows anti-aliased or transparent text (and the border of
// a text layer drawn with an alpha plane), and the hard edge that grows text drawn through a
// 1-bit mask. Both grow a w x h image by s pixels on every side into a result of
// (w + 2s + 1) x (h + 2s + 1) with the source's pixel (x, y) at (x + s, y + s); the last row and
// column stay empty.
//
// The soft edge is the box sum of the coverage over the (2s + 1)^2 square around each pixel,
// divided by 2s + 1 (not by the number of samples) and limited to 255: thick and opaque near the
// glyphs, soft at the outer border. The sums reach (2s + 1)^2 x 255, over four million at the
// style's largest edge of 64, so they are kept in 32-bit cells; they are computed as a row sum
// and then a column sum, which gives the same numbers as adding the coverage in at every offset.
//
// The hard edge is the mask stamped at every offset -s..+s: a dilation by a square, done on the
// packed bits a row of words at a time.
#pragma once

#include <cstdint>

namespace qm {

struct qmMask;
struct qmAlphaChannel;

// The soft edge of w x h coverage bytes (rows `stride` apart) into out, whose rows are out_stride
// apart and which has room for (w + 2s + 1) x (h + 2s + 1) bytes; every byte of it is written.
// 0, or ERR_MEM when the sums find no memory.
int32_t text_coverage_spread(const uint8_t* coverage, int32_t stride, int32_t w, int32_t h, int32_t s,
                             uint8_t* out, int32_t out_stride);

// The hard edge of the w x h mask `in` into `out`, a mask of at least (w + 2s + 1) x (h + 2s + 1)
// that is cleared first. 0, or ERR_MEM.
int32_t text_mask_dilate(const qmMask* in, int32_t w, int32_t h, int32_t s, qmMask* out);

// Writes the w x h cells (rows `stride` apart) into the alpha plane at (x, y), clipped to the
// plane: a cell that is not 0 is written as it is, or with a transparency t as
// cell x (255 - t) / 255; cells of 0 leave the plane as it was.
void text_coverage_to_alpha(const uint8_t* cells, int32_t stride, int32_t w, int32_t h, qmAlphaChannel* target,
                            int32_t x, int32_t y, uint8_t transparency);

}  // namespace qm
