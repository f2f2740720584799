// What the blit layer's alpha blend makes of one pixel, computed apart from it: the oracle of the
// effect harness and of fuzz_fx for pictures drawn through an alpha plane.
#pragma once

#include <cstdint>

namespace fxtest {

// Each channel t + (((s - t) x a) >> 8); 0 keeps the pixel under, 255 takes the one over.
inline uint32_t blend(uint32_t under, uint32_t over, uint8_t a) {
  if (a == 0) return under;
  if (a == 255) return over;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int32_t t = int32_t((under >> shift) & 0xFF), s = int32_t((over >> shift) & 0xFF);
    out |= uint32_t((t + (((s - t) * a) >> 8)) & 0xFF) << shift;
  }
  return out;
}

}  // namespace fxtest
