// What the picture readers share: owned files and pixel buffers, the capped pixel allocation and
// exact reads through the file layer.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "gfx/bitmap.h"
#include "runtime/os/qmos.h"

namespace qm {

struct FileCloser {
  void operator()(qmFileHandle* fh) const { qmos_close(fh); }
};
using FilePtr = std::unique_ptr<qmFileHandle, FileCloser>;

struct PixelsFree {
  void operator()(uint32_t* p) const { qmos_free_pixels(p); }
};
using PixelPtr = std::unique_ptr<uint32_t[], PixelsFree>;

struct BytesFree {
  void operator()(void* p) const { std::free(p); }
};
using BytePtr = std::unique_ptr<uint8_t[], BytesFree>;

// A width x height buffer of 32-bit pixels (not cleared), or null when the size is not positive,
// beyond the picture cap or memory runs out. Freed with qmos_free_pixels.
inline uint32_t* picture_alloc(int32_t width, int32_t height) {
  if (width < 1 || height < 1 || !picture_size_allowed(width, height)) return nullptr;
  return static_cast<uint32_t*>(std::malloc(size_t(width) * size_t(height) * 4));
}

// n zero-filled bytes (a picture-sized work buffer), or null.
inline uint8_t* bytes_alloc_clear(size_t n) {
  return static_cast<uint8_t*>(std::calloc(n ? n : 1, 1));
}

// true when exactly n bytes were read.
inline bool read_exact(qmFileHandle* fh, void* buffer, int64_t n) {
  return qmos_read(fh, buffer, n) == n;
}

}  // namespace qm
