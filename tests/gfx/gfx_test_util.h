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

// A bitmap whose pixel (x, y) holds a word that names it (never 0), for checking where pixels land.
inline uint32_t tag(int32_t x, int32_t y) { return uint32_t(0x1000 + y * 64 + x) << 8; }
inline BitmapPtr make_tagged(int32_t w, int32_t h) {
  BitmapPtr b(qmos_alloc_bitmap(w, h));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) *pixel(b.get(), x, y) = tag(x, y);
  return b;
}

}  // namespace qm::test
