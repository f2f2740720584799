// A writer of IFF ANIM files from known frames, for tests, benchmarks and fuzz seeds: frames of
// palette indices (or HAM codes) are packed into a first ILBM picture and byte-vertical deltas
// (operation 5), so that every decoded frame can be compared with its source exactly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace animgen {

struct Frame {
  std::vector<uint8_t> pixels;  // width x height values of `planes` bits
  std::vector<uint32_t> cmap;   // 0x00RRGGBB colours; a CMAP chunk when not empty
  uint32_t jiffies = 0;         // the ANHD's relative time
};

struct Options {
  int32_t width = 16, height = 8, planes = 4;
  uint32_t camg = 0;       // 0 writes no CAMG; 0x80 extra half-brite, 0x800 HAM
  int32_t interleave = 0;  // 0: deltas against two frames back; 1: exclusive or, one back
  bool byterun1 = true;    // the first BODY packed
  bool dpan = false;       // a DPAN chunk with the frame count
  bool first_form_covers_all = false;  // the first FORM's size runs to the end of the file
  int32_t operation = 5;               // ANHD operation of the delta frames (only 5 is encoded)
};

std::vector<uint8_t> write(const Options& o, const std::vector<Frame>& frames);
bool save(const std::string& path, const std::vector<uint8_t>& bytes);

// The colours a decoder must show: the palette in force at each frame (CMAPs replace entries from
// 0 on; extra half-brite derives entries 32 to 63), then palette mapping or HAM.
std::vector<std::vector<uint32_t>> expected_rgb(const Options& o, const std::vector<Frame>& frames);

// Frames for benchmarks and seeds: a background of stripes with squares moving over it.
std::vector<Frame> moving_squares(int32_t width, int32_t height, int32_t planes, int32_t count,
                                  uint32_t seed);

}  // namespace animgen
