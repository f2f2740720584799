// What the anim tests share: a scratch folder, shell commands, frames through the driver, and
// ffmpeg's decode of a file as 0x00RRGGBB frames.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "anim/anim.h"
#include "tests/anim/animgen.h"
#include "tests/temp_folder.h"

namespace animtest {

inline std::string scratch() { return qmtest::temp_folder(); }
inline std::string tmp(const std::string& name) {
  return scratch() + "/" + name;
}

inline int sh(const std::string& cmd) {
  return std::system(cmd.c_str());
}

inline std::vector<uint8_t> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
  ASSERT_TRUE(animgen::save(path, bytes)) << path;
}

// Every frame of the file through the driver; empty frames where loading failed.
struct Opened {
  int32_t error = -1, width = 0, height = 0, frames = 0;
  std::vector<std::vector<uint32_t>> pixels;
};
inline Opened load_all(const std::string& path) {
  Opened o;
  qm::qmAnimFile* a = nullptr;
  o.error = qm::qmos_open_anim(path.c_str(), &a, &o.width, &o.height, &o.frames);
  if (o.error) return o;
  for (int32_t i = 0; i < o.frames; ++i) {
    uint32_t* px = qm::qmos_load_frame(a, i);
    o.pixels.emplace_back(px ? std::vector<uint32_t>(px, px + size_t(o.width) * o.height)
                             : std::vector<uint32_t>());
    qm::qmos_free_anim_frame(a, px);
  }
  qm::qmos_close_anim(a);
  return o;
}

// ffmpeg's frames of the file as 0x00RRGGBB words (its fourth byte dropped); empty when ffmpeg
// cannot read the file.
inline std::vector<std::vector<uint32_t>> ffmpeg_frames(const std::string& path, int32_t width,
                                                        int32_t height) {
  const std::string raw = path + ".ffmpeg.raw";
  // Every frame once: variable delays would make ffmpeg repeat frames for a constant rate.
  if (sh("ffmpeg -v error -y -i " + path + " -fps_mode passthrough -f rawvideo -pix_fmt bgr0 " +
         raw + " 2>/dev/null"))
    return {};
  std::vector<uint8_t> bytes = read_file(raw);
  const size_t frame = size_t(width) * height * 4;
  std::vector<std::vector<uint32_t>> out;
  for (size_t at = 0; frame && at + frame <= bytes.size(); at += frame) {
    std::vector<uint32_t> px(size_t(width) * height);
    for (size_t i = 0; i < px.size(); ++i)
      px[i] = uint32_t(bytes[at + 4 * i]) | uint32_t(bytes[at + 4 * i + 1]) << 8 |
              uint32_t(bytes[at + 4 * i + 2]) << 16;
    out.push_back(std::move(px));
  }
  return out;
}

inline double psnr(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  if (a.size() != b.size() || a.empty()) return 0;
  double se = 0;
  for (size_t i = 0; i < a.size(); ++i)
    for (int s = 0; s < 24; s += 8) {
      const double d = double((a[i] >> s) & 255) - double((b[i] >> s) & 255);
      se += d * d;
    }
  const double mse = se / (3.0 * double(a.size()));
  return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace animtest
