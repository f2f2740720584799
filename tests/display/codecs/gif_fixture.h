// Builds GIF files byte by byte for the reader's tests, independent of our writer: every pixel is
// sent as a literal code (with a clear before the table would widen the codes), so any frame
// rectangle, disposal, interlacing or broken stream can be made exactly.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace qm::test {

struct GifFrameSpec {
  int32_t left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> indices;  // rows top to bottom
  int32_t disposal = 0;
  int32_t transparent = -1;
  int32_t delay = 0;  // hundredths
  bool interlaced = false;
  std::vector<uint32_t> local;  // empty: the global table
};

inline GifFrameSpec gif_frame(int32_t left, int32_t top, int32_t width, int32_t height,
                              std::vector<uint8_t> indices, int32_t disposal = 0,
                              int32_t transparent = -1) {
  GifFrameSpec f;
  f.left = left, f.top = top, f.width = width, f.height = height;
  f.indices = std::move(indices);
  f.disposal = disposal, f.transparent = transparent;
  return f;
}

class GifBuilder {
 public:
  GifBuilder(int32_t width, int32_t height, std::vector<uint32_t> global, int32_t background = 0) {
    bytes_ = {'G', 'I', 'F', '8', '9', 'a'};
    le16(width);
    le16(height);
    const int bits = table_bits(global.size());
    bytes_.push_back(global.empty() ? 0 : uint8_t(0x80 | 0x70 | (bits - 1)));
    bytes_.push_back(uint8_t(background));
    bytes_.push_back(0);
    if (!global.empty()) table(global, bits);
  }

  GifBuilder& frame(const GifFrameSpec& f) {
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 0x04});
    bytes_.push_back(uint8_t((f.disposal << 2) | (f.transparent >= 0 ? 1 : 0)));
    le16(f.delay);
    bytes_.push_back(uint8_t(f.transparent >= 0 ? f.transparent : 0));
    bytes_.push_back(0);
    bytes_.push_back(0x2C);
    le16(f.left);
    le16(f.top);
    le16(f.width);
    le16(f.height);
    const int bits = table_bits(f.local.size());
    bytes_.push_back(uint8_t((f.local.empty() ? 0 : 0x80 | (bits - 1)) | (f.interlaced ? 0x40 : 0)));
    if (!f.local.empty()) table(f.local, bits);
    std::vector<int> codes{256};
    int since_clear = 0;
    auto literal = [&](uint8_t v) {
      if (since_clear == 254) {
        codes.push_back(256);
        since_clear = 0;
      }
      codes.push_back(v);
      ++since_clear;
    };
    for (int32_t y : row_order(f.height, f.interlaced))
      for (int32_t x = 0; x < f.width; ++x) literal(f.indices[size_t(y) * size_t(f.width) + size_t(x)]);
    codes.push_back(257);
    image_data(8, codes, 9);
    return *this;
  }

  // Raw image data: min code size and codes of fixed width (for broken streams).
  GifBuilder& raw_frame(int32_t width, int32_t height, int min_code_size,
                        const std::vector<int>& codes, int code_width) {
    return packed_frame(width, height, min_code_size, pack(codes, code_width));
  }

  // Image data already packed (sub-blocks and terminator included).
  GifBuilder& packed_frame(int32_t width, int32_t height, int min_code_size,
                           const std::vector<uint8_t>& blocks) {
    bytes_.push_back(0x2C);
    le16(0);
    le16(0);
    le16(width);
    le16(height);
    bytes_.push_back(0);
    bytes_.push_back(uint8_t(min_code_size));
    bytes_.insert(bytes_.end(), blocks.begin(), blocks.end());
    return *this;
  }

  std::vector<uint8_t> finish() {
    std::vector<uint8_t> out = bytes_;
    out.push_back(0x3B);
    return out;
  }

  // Packs codes of fixed width into sub-blocks with the terminator.
  static std::vector<uint8_t> pack(const std::vector<int>& codes, int width) {
    std::vector<uint8_t> data;
    uint32_t acc = 0;
    int bits = 0;
    for (int c : codes) {
      acc |= uint32_t(c) << bits;
      bits += width;
      while (bits >= 8) {
        data.push_back(uint8_t(acc));
        acc >>= 8;
        bits -= 8;
      }
    }
    if (bits) data.push_back(uint8_t(acc));
    return blocks(data);
  }

  static std::vector<uint8_t> blocks(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < data.size(); i += 255) {
      const size_t n = std::min<size_t>(255, data.size() - i);
      out.push_back(uint8_t(n));
      out.insert(out.end(), data.begin() + std::ptrdiff_t(i), data.begin() + std::ptrdiff_t(i + n));
    }
    out.push_back(0);
    return out;
  }

  static std::vector<int32_t> row_order(int32_t height, bool interlaced) {
    std::vector<int32_t> rows;
    if (!interlaced) {
      for (int32_t y = 0; y < height; ++y) rows.push_back(y);
      return rows;
    }
    const int32_t start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int p = 0; p < 4; ++p)
      for (int32_t y = start[p]; y < height; y += step[p]) rows.push_back(y);
    return rows;
  }

 private:
  static int table_bits(size_t n) {
    int bits = 1;
    while (bits < 8 && n > (size_t(1) << bits)) ++bits;
    return bits;
  }
  void table(const std::vector<uint32_t>& colours, int bits) {
    for (size_t i = 0; i < (size_t(1) << bits); ++i) {
      const uint32_t c = i < colours.size() ? colours[i] : 0;
      bytes_.insert(bytes_.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
  }
  void image_data(int min_code_size, const std::vector<int>& codes, int width) {
    bytes_.push_back(uint8_t(min_code_size));
    const std::vector<uint8_t> b = pack(codes, width);
    bytes_.insert(bytes_.end(), b.begin(), b.end());
  }
  void le16(int32_t v) {
    bytes_.push_back(uint8_t(v));
    bytes_.push_back(uint8_t(v >> 8));
  }
  std::vector<uint8_t> bytes_;
};

}  // namespace qm::test
