// Test helpers for the picture codecs: a scratch folder, files, running the outside tools that
// judge our pictures, and reading their netpbm and raw output.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qm::test {

class Scratch {
 public:
  Scratch() {
    char tmpl[] = "/tmp/qm_pictures_XXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~Scratch() { std::filesystem::remove_all(path_); }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::vector<uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Runs a shell command; its standard output, and its exit status in *status.
inline std::string run_tool(const std::string& command, int* status = nullptr) {
  std::string out;
  FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
  if (!p) return out;
  char buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int rc = pclose(p);
  if (status) *status = rc;
  return out;
}

// One picture of a netpbm stream (P4, P5, P6 or P7 with 8-bit samples; a P4 bit set, black,
// reads as sample 0, clear as 255).
struct PnmImage {
  int32_t width = 0, height = 0, depth = 0;
  std::vector<uint8_t> samples;
  // 0xAARRGGBB (grey widened); alpha 0xFF for pictures without an alpha sample.
  uint32_t argb(int32_t x, int32_t y) const {
    const uint8_t* p = &samples[(size_t(y) * size_t(width) + size_t(x)) * size_t(depth)];
    switch (depth) {
      case 1: return 0xFF000000u | uint32_t(p[0]) * 0x010101u;
      case 2: return uint32_t(p[1]) << 24 | uint32_t(p[0]) * 0x010101u;
      case 3: return 0xFF000000u | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
      default: return uint32_t(p[3]) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
  }
};

// Every picture in a stream of netpbm pictures.
inline std::vector<PnmImage> parse_pnm_stream(const std::string& data) {
  std::vector<PnmImage> images;
  size_t pos = 0;
  auto token = [&]() {
    while (pos < data.size()) {
      if (data[pos] == '#') {
        while (pos < data.size() && data[pos] != '\n') ++pos;
      } else if (isspace(static_cast<unsigned char>(data[pos]))) {
        ++pos;
      } else {
        break;
      }
    }
    size_t start = pos;
    while (pos < data.size() && !isspace(static_cast<unsigned char>(data[pos]))) ++pos;
    return data.substr(start, pos - start);
  };
  while (pos + 2 < data.size()) {
    PnmImage im;
    const std::string magic = token();
    int maxval = 0;
    if (magic == "P4") {
      im.width = std::stoi(token());
      im.height = std::stoi(token());
      im.depth = 1;
      ++pos;
      const size_t row = (size_t(im.width) + 7) / 8;
      if (data.size() - pos < row * size_t(im.height)) break;
      for (int32_t y = 0; y < im.height; ++y)
        for (int32_t x = 0; x < im.width; ++x) {
          const uint8_t byte = uint8_t(data[pos + size_t(y) * row + size_t(x) / 8]);
          im.samples.push_back((byte >> (7 - x % 8)) & 1 ? 0 : 255);
        }
      pos += row * size_t(im.height);
      images.push_back(std::move(im));
      continue;
    }
    if (magic == "P5" || magic == "P6") {
      im.width = std::stoi(token());
      im.height = std::stoi(token());
      maxval = std::stoi(token());
      im.depth = magic == "P5" ? 1 : 3;
    } else if (magic == "P7") {
      for (std::string t = token(); t != "ENDHDR" && !t.empty(); t = token()) {
        if (t == "WIDTH") im.width = std::stoi(token());
        else if (t == "HEIGHT") im.height = std::stoi(token());
        else if (t == "DEPTH") im.depth = std::stoi(token());
        else if (t == "MAXVAL") maxval = std::stoi(token());
      }
    } else {
      break;
    }
    ++pos;  // the single whitespace before the samples
    if (maxval != 255) break;
    const size_t n = size_t(im.width) * size_t(im.height) * size_t(im.depth);
    if (data.size() - pos < n) break;
    im.samples.assign(data.begin() + std::ptrdiff_t(pos), data.begin() + std::ptrdiff_t(pos + n));
    pos += n;
    images.push_back(std::move(im));
  }
  return images;
}

}  // namespace qm::test
