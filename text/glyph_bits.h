// What the engines share to put a glyph into a target: the clipped box, and bit runs combined
// into 1-bit rows (bit 7 of a byte is its leftmost pixel).
#pragma once

#include <algorithm>
#include <cstdint>

#include "gfx/bitmap.h"
#include "text/font.h"

// A glyph box of w x h placed at (x, y), clipped to the clip rectangle and the target's size;
// (sx, sy) is where the visible part begins inside the glyph. False when nothing is visible.
struct GlyphBox {
  int32_t x, y, w, h, sx, sy;
};
inline bool glyph_clip(const qmFontTarget& target, const qmClipRect& clip, int64_t x, int64_t y,
                       int64_t w, int64_t h, GlyphBox* out) {
  const int64_t left = std::max<int64_t>({x, clip.x, 0});
  const int64_t top = std::max<int64_t>({y, clip.y, 0});
  const int64_t right = std::min<int64_t>({x + w, int64_t(clip.x) + clip.width, target.width});
  const int64_t bottom = std::min<int64_t>({y + h, int64_t(clip.y) + clip.height, target.height});
  if (left >= right || top >= bottom) return false;
  *out = GlyphBox{int32_t(left),         int32_t(top),      int32_t(right - left),
                  int32_t(bottom - top), int32_t(left - x), int32_t(top - y)};
  return true;
}

// n bits (1..8) from bit position `bit` of a row, right-aligned. Reads only the bytes that hold
// them.
inline uint32_t take_bits(const uint8_t* row, int64_t bit, int32_t n) {
  const uint8_t* p = row + (bit >> 3);
  const int32_t shift = int32_t(bit & 7);
  uint32_t v = uint32_t(p[0]) << 8;
  if (shift + n > 8) v |= p[1];
  return (v >> (16 - shift - n)) & ((1u << n) - 1);
}

// ORs w bits of src (from bit sx) into dst (from bit dx).
inline void bits_or(uint8_t* dst, int64_t dx, const uint8_t* src, int64_t sx, int64_t w) {
  while (w > 0) {
    const int32_t at = int32_t(dx & 7);
    const int32_t n = int32_t(std::min<int64_t>(8 - at, w));
    dst[dx >> 3] |= uint8_t(take_bits(src, sx, n) << (8 - at - n));
    dx += n;
    sx += n;
    w -= n;
  }
}

// Combines w bits of src into dst by a mask mode: MASKVISIBLE, MASKOR set the source's set bits,
// MASKINVISIBLE clears them, MASKXOR inverts them, MASKAND keeps only the bits set in both,
// MASKVANILLACOPY copies the source bits as they are.
inline void bits_combine(uint8_t* dst, int64_t dx, const uint8_t* src, int64_t sx, int64_t w,
                         int32_t mode) {
  while (w > 0) {
    const int32_t at = int32_t(dx & 7);
    const int32_t n = int32_t(std::min<int64_t>(8 - at, w));
    const uint8_t bits = uint8_t(take_bits(src, sx, n) << (8 - at - n));
    const uint8_t span = uint8_t(((1u << n) - 1) << (8 - at - n));
    uint8_t& d = dst[dx >> 3];
    switch (mode) {
      case qm::MASKINVISIBLE:
        d = uint8_t(d & ~bits);
        break;
      case qm::MASKXOR:
        d = uint8_t(d ^ bits);
        break;
      case qm::MASKAND:
        d = uint8_t(d & (bits | ~span));
        break;
      case qm::MASKVANILLACOPY:
        d = uint8_t((d & ~span) | bits);
        break;
      default:
        d = uint8_t(d | bits);
        break;
    }
    dx += n;
    sx += n;
    w -= n;
  }
}
