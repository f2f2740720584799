// The code points of a text as the engines take them: decoded UTF-8, or one per byte (Latin-1, and
// UTF-8 that does not decode).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

#include "text/font_driver.h"

class CodePoints {
 public:
  CodePoints() = default;
  CodePoints(const CodePoints&) = delete;
  CodePoints& operator=(const CodePoints&) = delete;
  ~CodePoints() {
    if (allocated_) utf8_decode_free(points_);
  }

  // False when memory runs out.
  bool decode(const char* text, size_t length, int32_t encoding) {
    if (utf8_decode(text, length, encoding == FONTENCODING_UTF8, local_, kLocal, &points_, &count_,
                    &allocated_) == 0)
      return true;
    points_ = local_;
    if (length > kLocal) {
      points_ = new (std::nothrow) uint32_t[length];
      if (!points_) return false;
      allocated_ = true;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < length; ++i) points_[i] = p[i];
    count_ = length;
    return true;
  }
  const uint32_t* data() const { return points_; }
  size_t size() const { return count_; }

 private:
  static constexpr size_t kLocal = 256;
  uint32_t local_[kLocal];
  uint32_t* points_ = local_;
  size_t count_ = 0;
  bool allocated_ = false;
};
