// Bounded string copy: the destination always ends with a NUL and never overflows.
#pragma once

#include <cstddef>
#include <cstring>

namespace qm {

// Copies at most size - 1 bytes of src into dst and terminates it. Returns false when src did
// not fit (the copy is then cut), so callers that must refuse over-long names can do so.
inline bool copy_bounded(char* dst, size_t size, const char* src) {
  if (size == 0) return false;
  size_t n = std::strlen(src);
  bool fits = n < size;
  if (!fits) n = size - 1;
  std::memcpy(dst, src, n);
  dst[n] = '\0';
  return fits;
}

}  // namespace qm
