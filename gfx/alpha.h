// Colour through coverage: a bitmap through its alpha plane, and a colour or texture through an
// 8-bit (or 16-bit) alpha source such as a rendered glyph. Each channel c is blended towards n
// by a weight a of 0 to 255 as c + (((n - c) * a) >> 8).
#pragma once

#include <cstdint>

namespace qm {

struct qmAlphaBlendRequest {
  const uint32_t* source;
  int32_t sx;
  int32_t sy;
  int32_t ax;  // alpha position
  int32_t ay;
  int32_t source_ppr;
  uint32_t* target;
  int32_t tx;
  int32_t ty;
  int32_t target_ppr;
  int32_t width;
  int32_t height;
  const uint8_t* alpha;
  int32_t alpha_bpr;
  int32_t format;
};

// Alpha 0 leaves the target pixel, 255 copies the source word, anything else blends.
void alpha_blend_pixels(const qmAlphaBlendRequest& r);
// Tests only: keep to the SSE2 loop even where AVX2 is present, so both paths are checked.
void alpha_force_sse2(bool on);

struct qmAlphaCombineRequest {
  int32_t sx;  // position in the alpha source
  int32_t sy;
  uint32_t* target;
  int32_t tx;
  int32_t ty;
  int32_t target_ppr;
  int32_t width;
  int32_t height;
  const uint8_t* alpha;         // 8-bit source
  uint8_t* target_alpha;        // target's alpha plane (modes 2, 3), addressed at (tx, ty)
  int32_t alpha_bpr;
  int32_t target_alpha_bpr;
  int32_t format;
  uint32_t colour;  // a pixel word of the format
  int32_t mode;     // 0 to 4
  int32_t level;    // 0 to 255
  const uint16_t* alpha16;  // mode 3 source
  int32_t alpha16_row;      // in entries
  const uint32_t* texture;  // or nullptr: colour of each pixel from the rectangle's texture
  int32_t texture_ppr;
};

// Modes: 0 (and unknown) copy where a != 0; 1 blend by a; 2 blend and merge into the target
// alpha plane; 3 as 2 from 16-bit data; 4 a 0..64 coverage. Modes 2 and 3 without a target
// alpha plane blend as mode 1 (mode 3 with the low byte as weight).
void alpha_combine(const qmAlphaCombineRequest& r);

}  // namespace qm
