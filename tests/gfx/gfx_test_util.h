// Owning wrappers for the graphics records in tests.
#pragma once

#include <memory>

#include "gfx/bitmap.h"

namespace qm::test {

struct BitmapDeleter {
  void operator()(qmBitmap* b) const { qmos_free_bitmap(b); }
};
struct MaskDeleter {
  void operator()(qmMask* m) const { qmos_free_mask(m); }
};
struct AlphaDeleter {
  void operator()(qmAlphaChannel* a) const { qmos_free_alpha(a); }
};
using BitmapPtr = std::unique_ptr<qmBitmap, BitmapDeleter>;
using MaskPtr = std::unique_ptr<qmMask, MaskDeleter>;
using AlphaPtr = std::unique_ptr<qmAlphaChannel, AlphaDeleter>;

inline uint32_t* pixel(qmBitmap* b, int32_t x, int32_t y) {
  return b->pixels + ptrdiff_t(y) * (b->bytes_per_row / 4) + x;
}

}  // namespace qm::test
