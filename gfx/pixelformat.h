// Channel access for the pixel format codes 0..13 (the codes of color_to_pixel_format).
//
// 32-bit words, most significant byte first: 10 = 0x00RRGGBB, 11 = 0xBBGGRR00 (the player's own
// bitmaps: bytes alpha slot, R, G, B in memory), 12 = 0xRRGGBB00, 13 = 0x00BBGGRR. Words are read
// and written in host order; a packed word always has 0 in its fourth byte.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace qm {

template <int F>
struct PixelFormat32 {
  static_assert(F >= 10 && F <= 13);
  static constexpr int r_shift = F == 10 ? 16 : F == 11 ? 8 : F == 12 ? 24 : 0;
  static constexpr int g_shift = F == 10 ? 8 : F == 11 ? 16 : F == 12 ? 16 : 8;
  static constexpr int b_shift = F == 10 ? 0 : F == 11 ? 24 : F == 12 ? 8 : 16;
  static int r(uint32_t w) { return static_cast<int>((w >> r_shift) & 0xFF); }
  static int g(uint32_t w) { return static_cast<int>((w >> g_shift) & 0xFF); }
  static int b(uint32_t w) { return static_cast<int>((w >> b_shift) & 0xFF); }
  static uint32_t pack(int red, int green, int blue) {
    return static_cast<uint32_t>(red & 0xFF) << r_shift |
           static_cast<uint32_t>(green & 0xFF) << g_shift |
           static_cast<uint32_t>(blue & 0xFF) << b_shift;
  }
};

// Calls fn(PixelFormat32<F>{}) for the 32-bit format codes; returns false for any other code.
template <typename Fn>
bool with_format32(int32_t format, Fn&& fn) {
  switch (format) {
    case 10: fn(PixelFormat32<10>{}); return true;
    case 11: fn(PixelFormat32<11>{}); return true;
    case 12: fn(PixelFormat32<12>{}); return true;
    case 13: fn(PixelFormat32<13>{}); return true;
    default: return false;
  }
}

// 0xRRGGBB to a pixel value of the given format code; codes above 13 (and below 0) give 0.
inline uint32_t color_to_pixel_format(uint32_t colour, int32_t format) {
  uint32_t r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
  auto swap16 = [](uint32_t v) { return ((v & 0xFF) << 8) | ((v >> 8) & 0xFF); };
  switch (format) {
    case 0: return (r & 0xF8) << 7 | (g & 0xF8) << 2 | b >> 3;
    case 1: return (b & 0xF8) << 7 | (g & 0xF8) << 2 | r >> 3;
    case 2: return swap16((r & 0xF8) << 7 | (g & 0xF8) << 2 | b >> 3);
    case 3: return swap16((b & 0xF8) << 7 | (g & 0xF8) << 2 | r >> 3);
    case 4: return (r & 0xF8) << 8 | (g & 0xFC) << 3 | b >> 3;
    case 5: return (b & 0xF8) << 8 | (g & 0xFC) << 3 | r >> 3;
    case 6: return swap16((r & 0xF8) << 8 | (g & 0xFC) << 3 | b >> 3);
    case 7: return swap16((b & 0xF8) << 8 | (g & 0xFC) << 3 | r >> 3);
    case 8:
    case 10: return r << 16 | g << 8 | b;
    case 9:
    case 13: return b << 16 | g << 8 | r;
    case 11: return b << 24 | g << 16 | r << 8;
    case 12: return r << 24 | g << 16 | b << 8;
    default: return 0;
  }
}

// A 32-bit word to 0x00RRGGBB as the distortion engine reads it: code 10 and codes it does not
// know pass unchanged (top byte included).
inline uint32_t pixel_to_rgb(int32_t format, uint32_t w) {
  switch (format) {
    case 11: return ((w >> 8) & 0xFF) << 16 | ((w >> 16) & 0xFF) << 8 | (w >> 24);
    case 12: return w >> 8;
    case 13: return (w & 0xFF00FF00u) | (w & 0xFF) << 16 | ((w >> 16) & 0xFF);
    default: return w;
  }
}

// The inverse of pixel_to_rgb.
inline uint32_t pixel_from_rgb(int32_t format, uint32_t rgb) {
  switch (format) {
    case 11: return (rgb & 0xFF) << 24 | ((rgb >> 8) & 0xFF) << 16 | ((rgb >> 16) & 0xFF) << 8;
    case 12: return rgb << 8;
    case 13: return (rgb & 0xFF00FF00u) | (rgb & 0xFF) << 16 | ((rgb >> 16) & 0xFF);
    default: return rgb;
  }
}

// Reads one pixel of any format code 0..13 at p as 0xRRGGBB (16-bit words in host order; 3-byte
// pixels in memory order). Unknown codes read as 0.
inline uint32_t read_pixel_rgb(const uint8_t* p, int32_t format) {
  auto rgb = [](uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; };
  if (format >= 0 && format <= 7) {
    uint16_t w;
    std::memcpy(&w, p, 2);
    uint32_t v = w;
    if ((format & 2) != 0) v = ((v & 0xFF) << 8) | (v >> 8);
    uint32_t r, g, b;
    if (format < 4) {
      r = (v & 0x7C00) >> 7, g = (v & 0x3E0) >> 2, b = (v & 0x1F) << 3;
    } else {
      r = (v & 0xF800) >> 8, g = (v & 0x7E0) >> 3, b = (v & 0x1F) << 3;
    }
    return (format & 1) != 0 ? rgb(b, g, r) : rgb(r, g, b);
  }
  if (format == 8) return rgb(p[0], p[1], p[2]);
  if (format == 9) return rgb(p[2], p[1], p[0]);
  uint32_t w;
  std::memcpy(&w, p, 4);
  switch (format) {
    case 10: return w & 0xFFFFFF;
    case 11: return pixel_to_rgb(11, w);
    case 12: return w >> 8;
    case 13: return pixel_to_rgb(13, w) & 0xFFFFFF;
    default: return 0;
  }
}

}  // namespace qm
