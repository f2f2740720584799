// Pictures judged by netpbm: a PPM or PGM written for a tool to convert, and a tool's PPM or PAM
// output read back.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace qmtest {

struct Pnm {
  int32_t width = 0, height = 0, depth = 0;  // depth: channels per pixel
  std::vector<uint8_t> samples;
  const uint8_t* at(int32_t x, int32_t y) const { return &samples[(size_t(y) * size_t(width) + size_t(x)) * size_t(depth)]; }
};

// Runs "command input > output" and reads the output (P6 or P7 with 8-bit samples).
inline Pnm netpbm_decode(const std::string& command, const std::string& input) {
  const std::string output = input + ".out";
  Pnm out;
  if (std::system((command + " " + input + " > " + output + " 2>/dev/null").c_str()) != 0) return out;
  std::ifstream in(output, std::ios::binary);
  std::string magic;
  in >> magic;
  if (magic == "P6") {
    int32_t max = 0;
    in >> out.width >> out.height >> max;
    in.get();
    out.depth = 3;
  } else if (magic == "P7") {
    std::string line, word;
    while (std::getline(in, line) && line != "ENDHDR") {
      std::istringstream fields(line);
      fields >> word;
      if (word == "WIDTH") fields >> out.width;
      if (word == "HEIGHT") fields >> out.height;
      if (word == "DEPTH") fields >> out.depth;
    }
  }
  out.samples.resize(size_t(out.width) * size_t(out.height) * size_t(out.depth));
  in.read(reinterpret_cast<char*>(out.samples.data()), std::streamsize(out.samples.size()));
  std::remove(output.c_str());
  return out;
}

// Writes a binary PPM (channels 3, colour(x, y) as 0xRRGGBB) or PGM (channels 1, the low byte).
inline void netpbm_write(const std::string& path, int32_t width, int32_t height, int32_t channels,
                         const std::function<uint32_t(int32_t, int32_t)>& colour) {
  std::ofstream out(path, std::ios::binary);
  out << (channels == 3 ? "P6\n" : "P5\n") << width << " " << height << "\n255\n";
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t c = colour(x, y);
      if (channels == 3) out.put(char(c >> 16)).put(char(c >> 8)).put(char(c));
      else out.put(char(c));
    }
}

}  // namespace qmtest
