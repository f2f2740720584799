// Writes bitmap fonts for tests: a contents file and font files in the disk font format, mono or
// colour, with or without space and kern tables. Tests break a file by patching its bytes.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/endian.h"

struct BitmapFontSpec {
  int32_t first = 'A', last = 'C';
  int32_t y_size = 4, x_size = 5, baseline = 3, modulo = 2;
  int32_t flags = 0;  // 32: proportional
  // Glyph g (g = code - first, the last one the fallback): columns g * 4 .. g * 4 + 3 of the strip.
  std::vector<uint32_t> locations;
  std::vector<int16_t> space, kern;
  std::vector<uint8_t> strip;  // mono: modulo x y_size bytes
  // Colour fonts: planes of modulo x y_size bytes and 12-bit colours.
  int32_t depth = 0, pick = 0;
  std::vector<std::vector<uint8_t>> planes;
  std::vector<uint16_t> colours;
};

// Offsets of the font file's header fields, for patching.
enum BitmapFontField : size_t {
  BF_ID = 50,
  BF_YSIZE = 110,
  BF_STYLE = 112,
  BF_FLAGS = 113,
  BF_XSIZE = 114,
  BF_BASELINE = 116,
  BF_FIRST = 122,
  BF_LAST = 123,
  BF_STRIP = 124,
  BF_MODULO = 128,
  BF_LOCATIONS = 130,
  BF_SPACE = 134,
  BF_KERN = 138,
  BF_DEPTH = 144,
  BF_PICK = 148,
  BF_COLOURS = 150,
  BF_PLANES = 154,
};

// Three glyphs 'A'..'C' and the fallback, each 4 columns of a 2-byte strip row: A a bar on row 0,
// B a column at x 0, C a single dot at (1, 1), the fallback all set.
inline BitmapFontSpec small_mono_font() {
  BitmapFontSpec s;
  s.strip = {0xF0, 0x0F, 0x00, 0x0F, 0x00, 0x0F, 0x00, 0x0F};  // rows of 16 pixels
  s.strip[0] |= 0x08;                                          // B: column 4 on every row
  s.strip[2] |= 0x08;
  s.strip[4] |= 0x08;
  s.strip[6] |= 0x08;
  s.strip[3] |= 0x40;  // C: (9, 1)
  s.locations = {0 << 16 | 4, 4 << 16 | 4, 8 << 16 | 4, 12 << 16 | 4};
  return s;
}

inline std::vector<uint8_t> bitmap_font_file(const BitmapFontSpec& s) {
  std::vector<uint8_t> f(186, 0);
  auto append = [&f](const std::vector<uint8_t>& bytes) {
    const uint32_t at = uint32_t(f.size() - 32);
    f.insert(f.end(), bytes.begin(), bytes.end());
    return at;
  };
  auto words16 = [](const auto& values) {
    std::vector<uint8_t> out;
    for (auto v : values) out.insert(out.end(), {uint8_t(uint16_t(v) >> 8), uint8_t(v)});
    return out;
  };
  qm::put_be16(&f[BF_ID], 0x0F80);
  qm::put_be16(&f[BF_YSIZE], uint16_t(s.y_size));
  f[BF_STYLE] = s.planes.empty() ? 0 : 64;
  f[BF_FLAGS] = uint8_t(s.flags);
  qm::put_be16(&f[BF_XSIZE], uint16_t(s.x_size));
  qm::put_be16(&f[BF_BASELINE], uint16_t(s.baseline));
  f[BF_FIRST] = uint8_t(s.first);
  f[BF_LAST] = uint8_t(s.last);
  qm::put_be16(&f[BF_MODULO], uint16_t(s.modulo));
  std::vector<uint8_t> loc;
  for (uint32_t l : s.locations)
    loc.insert(loc.end(), {uint8_t(l >> 24), uint8_t(l >> 16), uint8_t(l >> 8), uint8_t(l)});
  qm::put_be32(&f[BF_LOCATIONS], append(loc));
  if (!s.space.empty()) qm::put_be32(&f[BF_SPACE], append(words16(s.space)));
  if (!s.kern.empty()) qm::put_be32(&f[BF_KERN], append(words16(s.kern)));
  if (s.planes.empty()) {
    qm::put_be32(&f[BF_STRIP], append(s.strip));
  } else {
    f[BF_DEPTH] = uint8_t(s.depth);
    f[BF_PICK] = uint8_t(s.pick);
    const uint32_t table = append(words16(s.colours));
    std::vector<uint8_t> record(8, 0);
    qm::put_be16(&record[2], uint16_t(s.colours.size()));
    qm::put_be32(&record[4], table);
    qm::put_be32(&f[BF_COLOURS], append(record));
    for (size_t i = 0; i < s.planes.size(); ++i)
      qm::put_be32(&f[BF_PLANES + 4 * i], append(s.planes[i]));
  }
  return f;
}

// A contents file: entries of {size file name, y size}.
inline std::vector<uint8_t> bitmap_font_contents(
    const std::vector<std::pair<std::string, int32_t>>& entries, uint16_t id = 0x0F00) {
  std::vector<uint8_t> c(4, 0);
  qm::put_be16(&c[0], id);
  qm::put_be16(&c[2], uint16_t(entries.size()));
  for (const auto& [name, size] : entries) {
    std::vector<uint8_t> e(260, 0);
    for (size_t i = 0; i < name.size() && i < 256; ++i) e[i] = uint8_t(name[i]);
    qm::put_be16(&e[256], uint16_t(size));
    c.insert(c.end(), e.begin(), e.end());
  }
  return c;
}

inline void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
