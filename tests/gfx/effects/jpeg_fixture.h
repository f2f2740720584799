// Decodes the JPEG fixtures of the graphics tests through libjpeg: plain RGB, or quantised by the
// library's own two-pass quantiser (no dithering) to serve as the peer of argb_quantize.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qmtest {

struct RgbImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // width x height x 3, rows without gaps
};

struct IndexedImage {
  int width = 0, height = 0;
  std::vector<uint8_t> indices;
  std::vector<uint32_t> palette;  // 0xRRGGBB
};

bool decode_jpeg(const std::string& path, RgbImage& out);
bool decode_jpeg_quantized(const std::string& path, int colours, IndexedImage& out);

// The fixture as words of the player's bitmap format 11 (0xBBGGRR00), rows `ppr` words apart.
std::vector<uint32_t> to_format11(const RgbImage& img, int ppr);

}  // namespace qmtest
