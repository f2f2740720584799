// What the font tests share: a folder of their own, and a plane that text is drawn into.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "text/font.h"

// A new folder under the test's temporary folder, removed with its contents at the end.
struct TempFolder {
  std::string path;
  explicit TempFolder(const std::string& name)
      : path(::testing::TempDir() + "qm_" + name + "_" + std::to_string(getpid())) {
    EXPECT_EQ(std::system(("rm -rf '" + path + "' && mkdir -p '" + path + "'").c_str()), 0);
  }
  ~TempFolder() { EXPECT_EQ(std::system(("rm -rf '" + path + "'").c_str()), 0); }
  std::string operator/(const std::string& name) const { return path + "/" + name; }
};

// A plane of w x h: 8-bit coverage when antialiased, else a 1-bit mask; pixels read as 0..255.
struct Plane {
  int32_t w, h, row;
  bool aa;
  std::vector<uint8_t> bytes;
  Plane(int32_t width, int32_t height, bool antialias = false, uint8_t fill = 0)
      : w(width),
        h(height),
        row(antialias ? width : qm::mask_bytes_per_row(width)),
        aa(antialias),
        bytes(size_t(row) * size_t(height), fill) {}
  qmFontTarget target() {
    qmFontTarget t;
    t.plane = bytes.data();
    t.bytes_per_row = row;
    t.width = w;
    t.height = h;
    return t;
  }
  uint8_t at(int32_t x, int32_t y) const {
    const uint8_t* r = bytes.data() + size_t(y) * size_t(row);
    return aa ? r[x] : (qm::mask_bit(r, x) ? 255 : 0);
  }
  // Draws a pixel as text does: the larger coverage wins; outside pixels are dropped.
  void merge(int32_t x, int32_t y, uint8_t v) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    uint8_t* r = bytes.data() + size_t(y) * size_t(row);
    if (aa)
      r[x] = std::max(r[x], v);
    else if (v)
      qm::mask_bit_set(r, x);
  }
  // Rows of '#' (set) and '.'.
  std::vector<std::string> rows() const {
    std::vector<std::string> out;
    for (int32_t y = 0; y < h; ++y) {
      std::string r;
      for (int32_t x = 0; x < w; ++x) r += at(x, y) ? '#' : '.';
      out.push_back(r);
    }
    return out;
  }
  bool operator==(const Plane& o) const { return bytes == o.bytes; }
};
