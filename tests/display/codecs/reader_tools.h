// Test helpers for the picture readers, beside picture_tools.h: outside tools run through the
// shell, netpbm files of any depth read back as 0xAARRGGBB pixels, a scratch folder per test
// binary, and our own loads in one call.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "display/codecs/codecs.h"
#include "picture_tools.h"
#include "tests/temp_folder.h"

namespace pictest {

// A picture as tests compare it: width, height and 0xAARRGGBB words, alpha 0 unless has_alpha.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  bool has_alpha = false;
  std::vector<uint32_t> pixels;
};

inline std::string data_dir() { return QM_PICTURE_DATA; }

// A fresh folder for this test binary's generated files.
inline const std::string& scratch() { return qmtest::temp_folder(); }

inline std::string tmp(const std::string& name) { return scratch() + "/" + name; }

// Runs a shell command; the test fails when it exits non-zero.
inline void sh(const std::string& cmd) {
  int rc = std::system((cmd + " 2>/dev/null").c_str());
  ASSERT_EQ(rc, 0) << cmd;
}

using qm::test::read_bytes;
using qm::test::write_bytes;

// Reads a P5 (PGM), P6 (PPM) or P7 (PAM: GRAYSCALE, RGB, RGB_ALPHA, with or without _ALPHA) file;
// 16-bit samples keep their high byte, other maxvals are scaled to 255.
inline Picture read_pnm(const std::string& path) {
  std::vector<uint8_t> b = read_bytes(path);
  Picture p;
  std::string text(b.begin(), b.end());
  size_t pos = 0;
  int depth = 3, maxval = 255;
  if (text.compare(0, 2, "P6") == 0 || text.compare(0, 2, "P5") == 0) {
    if (text[1] == '5') depth = 1;
    std::istringstream in(text.substr(2, 64));
    in >> p.width >> p.height >> maxval;
    pos = 2 + size_t(in.tellg()) + 1;
  } else if (text.compare(0, 2, "P7") == 0) {
    size_t end = text.find("ENDHDR\n");
    std::istringstream in(text.substr(3, end - 3));
    std::string key;
    while (in >> key) {
      if (key == "WIDTH") in >> p.width;
      else if (key == "HEIGHT") in >> p.height;
      else if (key == "DEPTH") in >> depth;
      else if (key == "MAXVAL") in >> maxval;
      else if (key == "TUPLTYPE") in >> key;
    }
    pos = end + 7;
  } else {
    ADD_FAILURE() << path << " is not PPM or PAM";
    return p;
  }
  const int bytes = maxval > 255 ? 2 : 1;
  p.has_alpha = depth == 4 || depth == 2;
  p.pixels.resize(size_t(p.width) * size_t(p.height));
  for (uint32_t& px : p.pixels) {
    uint32_t s[4] = {};
    for (int c = 0; c < depth; ++c, pos += size_t(bytes)) {
      uint32_t v = pos < b.size() ? b[pos] : 0;
      if (bytes == 2) v = pos + 1 < b.size() ? (v << 8 | b[pos + 1]) : 0;
      s[c] = maxval == 255 ? v : maxval == 65535 ? v >> 8 : v * 255 / uint32_t(maxval);
    }
    if (depth <= 2) px = (s[0] << 16) | (s[0] << 8) | s[0] | (depth == 2 ? s[1] << 24 : 0);
    else px = (s[0] << 16) | (s[1] << 8) | s[2] | (depth == 4 ? s[3] << 24 : 0);
  }
  return p;
}

// Writes pixels as P6 (alpha dropped) or, with alpha, as P7 RGB_ALPHA.
inline void write_pnm(const std::string& path, const Picture& p) {
  std::string head = p.has_alpha ? "P7\nWIDTH " + std::to_string(p.width) + "\nHEIGHT " +
                                       std::to_string(p.height) +
                                       "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n"
                                 : "P6\n" + std::to_string(p.width) + " " +
                                       std::to_string(p.height) + "\n255\n";
  std::vector<uint8_t> b(head.begin(), head.end());
  for (uint32_t px : p.pixels) {
    b.push_back(uint8_t(px >> 16));
    b.push_back(uint8_t(px >> 8));
    b.push_back(uint8_t(px));
    if (p.has_alpha) b.push_back(uint8_t(px >> 24));
  }
  write_bytes(path, b);
}

// Loads through the front end. On failure the error code is returned and the picture is empty.
inline int32_t load(const std::string& path, Picture* out) {
  qm::qmImageSource* src = nullptr;
  int32_t w = 0, h = 0, ppr = 0, alpha = 0;
  int32_t err = qm::imagesource_open(path.c_str(), nullptr, -1, 0, 0, &src, nullptr, nullptr,
                                     nullptr, &w, &h, &ppr, &alpha, nullptr);
  *out = Picture{};
  if (err) return err;
  out->width = w;
  out->height = h;
  out->has_alpha = alpha != 0;
  const uint32_t* px = qm::imagesource_pixels(src);
  for (int32_t y = 0; y < h; ++y)
    out->pixels.insert(out->pixels.end(), px + size_t(y) * size_t(ppr),
                       px + size_t(y) * size_t(ppr) + w);
  qm::imagesource_release(src);
  return 0;
}

inline Picture load_ok(const std::string& path) {
  Picture p;
  int32_t err = load(path, &p);
  EXPECT_EQ(err, 0) << path;
  return p;
}

// Pixels equal, each word masked (alpha compared only where both have it).
inline void expect_same(const Picture& ours, const Picture& peer, uint32_t mask = 0xFFFFFFFF,
                        const std::string& what = "") {
  ASSERT_EQ(ours.width, peer.width) << what;
  ASSERT_EQ(ours.height, peer.height) << what;
  ASSERT_EQ(ours.pixels.size(), peer.pixels.size()) << what;
  for (size_t i = 0; i < ours.pixels.size(); ++i) {
    if ((ours.pixels[i] & mask) != (peer.pixels[i] & mask)) {
      ADD_FAILURE() << what << ": pixel " << i % size_t(ours.width) << "," << i / size_t(ours.width)
                    << " ours " << std::hex << ours.pixels[i] << " peer " << peer.pixels[i];
      return;
    }
  }
}

// Our writer's file of the seed picture (alpha set, so that dropping it shows) decodes back to
// the seed with the peer (a command that reads the file and writes PPM) and with our reader.
template <typename Writer>
void expect_round_trip(Writer write, const std::string& file, const std::string& peer) {
  Picture seed = read_pnm(data_dir() + "/seed.ppm");
  std::vector<uint32_t> with_alpha = seed.pixels;
  for (uint32_t& p : with_alpha) p |= 0x80000000;
  ASSERT_EQ(write(tmp(file).c_str(), with_alpha.data(), seed.width, seed.height), 0);
  sh(peer + " " + tmp(file) + " > " + tmp(file + ".ppm"));
  expect_same(read_pnm(tmp(file + ".ppm")), seed, 0xFFFFFFFF, peer + " of our file");
  expect_same(load_ok(tmp(file)), seed, 0xFFFFFFFF, "our reader of our file");
}

}  // namespace pictest
