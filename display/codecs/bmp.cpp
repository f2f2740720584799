// BMP pictures: 1, 4, 8 (raw or RLE8), 16, 24 and 32 bits per pixel read, 24 bits written.
//
// The reader refuses what it cannot decode instead of guessing: other depths, bit fields on
// depths other than 16 and 32, RLE4, info headers shorter than the 40-byte one, a width below 1
// and top-down files (negative height) give ERR_LOADPICTURE2. Palettes stand at 14 + the info
// header's size, so V4 and V5 headers read right; entries the file does not hold stay black.
// 16- and 32-bit pixels take their colours from bit masks: 5-5-5 and 8-8-8 without bit fields,
// else the three masks that follow the 40-byte header (the same place inside a V2 to V5
// header). Only a header that holds an alpha mask (56 bytes and more) with bit fields gives
// alpha. Channels narrower than 8 bits are widened by repeating their bits, wider ones keep
// their top 8.
#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "display/codecs/codecs.h"
#include "display/codecs/picture_io.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "runtime/errors.h"

namespace qm {

namespace {

constexpr int32_t kFileHeaderSize = 14;
constexpr int32_t kHeaderSize = 54;  // file header and the 40-byte info header
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaMaskHeader = 56;  // the smallest info header with an alpha mask

// One colour channel of a 16- or 32-bit pixel: its mask and how its value becomes 8 bits.
struct Channel {
  uint32_t mask = 0;
  int32_t shift = 0;
  int32_t bits = 0;         // width of the mask from its lowest set bit to its highest
  uint8_t widen[256] = {};  // values of channels up to 8 bits wide, widened to 8

  void set(uint32_t m) {
    mask = m;
    shift = m ? std::countr_zero(m) : 0;
    bits = m ? 32 - std::countl_zero(m >> shift) : 0;
    for (uint32_t v = 0; bits > 0 && bits <= 8 && v < (1u << bits); ++v) {
      uint32_t w = v << (8 - bits);
      for (int32_t filled = bits; filled < 8; filled *= 2) w |= w >> filled;
      widen[v] = uint8_t(w);
    }
  }
  uint32_t get(uint32_t pixel) const {
    const uint32_t v = (pixel & mask) >> shift;
    return bits > 8 ? (v >> (bits - 8)) & 255 : widen[v & 255];
  }
};

struct BmpHeader {
  uint32_t file_size;
  uint32_t data_offset;
  uint32_t info_size;
  int32_t width;
  int32_t height;
  int32_t bits;
  uint32_t compression;
  uint32_t colours_used;
  Channel red, green, blue, alpha;  // 16 and 32 bits
};

bool parse_header(const uint8_t* b, BmpHeader* h) {
  if (b[0] != 'B' || b[1] != 'M') return false;
  h->file_size = get_le32(b + 2);
  h->data_offset = get_le32(b + 10);
  h->info_size = get_le32(b + 14);
  h->width = int32_t(get_le32(b + 18));
  h->height = int32_t(get_le32(b + 22));
  h->bits = get_le16(b + 28);
  h->compression = get_le32(b + 30);
  h->colours_used = get_le32(b + 46);
  if (h->info_size < 40 || h->width < 1 || h->height < 1) return false;
  switch (h->bits) {
    case 1:
    case 4:
    case 24:
      return h->compression == 0;
    case 8:
      return h->compression == 0 || h->compression == kRle8;
    case 16:
    case 32:
      return h->compression == 0 || h->compression == kBitFields;
    default:
      return false;
  }
}

inline int32_t padded_row(int64_t bytes) { return int32_t((bytes + 3) & ~int64_t(3)); }

// The 256-entry palette as 0x00RRGGBB; entries beyond what the file holds stay 0.
bool read_palette(qmFileHandle* fh, const BmpHeader& h, uint32_t* palette) {
  std::memset(palette, 0, 256 * 4);
  uint32_t count = h.colours_used ? h.colours_used : (1u << h.bits);
  if (count > 256) count = 256;
  uint8_t raw[256 * 4] = {};
  qmos_seek(fh, kFileHeaderSize + int64_t(h.info_size), QMOS_SEEK_BEGINNING);
  int64_t got = qmos_read(fh, raw, int64_t(count) * 4);
  if (got < 0) return false;
  for (int64_t i = 0; i < got / 4; ++i)
    palette[i] = (uint32_t(raw[i * 4 + 2]) << 16) | (uint32_t(raw[i * 4 + 1]) << 8) | raw[i * 4];
  return true;
}

// The masks of a 16- or 32-bit picture. False when the file ends inside them.
bool read_masks(qmFileHandle* fh, BmpHeader* h) {
  if (h->compression != kBitFields) {
    h->red.set(h->bits == 16 ? 0x7C00 : 0xFF0000);
    h->green.set(h->bits == 16 ? 0x3E0 : 0xFF00);
    h->blue.set(h->bits == 16 ? 0x1F : 0xFF);
    return true;
  }
  const bool with_alpha = h->info_size >= kAlphaMaskHeader;
  uint8_t m[16] = {};
  qmos_seek(fh, kHeaderSize, QMOS_SEEK_BEGINNING);
  if (!read_exact(fh, m, with_alpha ? 16 : 12)) return false;
  h->red.set(get_le32(m));
  h->green.set(get_le32(m + 4));
  h->blue.set(get_le32(m + 8));
  h->alpha.set(get_le32(m + 12));
  return true;
}

inline uint32_t masked_pixel(const BmpHeader& h, uint32_t v) {
  return (h.alpha.get(v) << 24) | (h.red.get(v) << 16) | (h.green.get(v) << 8) | h.blue.get(v);
}

// One stored row into pixels. A 24-bit row is read 4 bytes at a time: the row buffer has slack.
void convert_row(const uint8_t* s, uint32_t* d, const BmpHeader& h, const uint32_t* palette) {
  const int32_t w = h.width;
  switch (h.bits) {
    case 32:
      for (int32_t x = 0; x < w; ++x, s += 4) d[x] = masked_pixel(h, get_le32(s));
      break;
    case 16:
      for (int32_t x = 0; x < w; ++x, s += 2) d[x] = masked_pixel(h, get_le16(s));
      break;
    case 24:
      for (int32_t x = 0; x < w; ++x, s += 3) {
        uint32_t v;
        std::memcpy(&v, s, 4);
        d[x] = (std::endian::native == std::endian::little)
                   ? v & 0xFFFFFF
                   : (uint32_t(s[2]) << 16) | (uint32_t(s[1]) << 8) | s[0];
      }
      break;
    case 8:
      for (int32_t x = 0; x < w; ++x) d[x] = palette[s[x]];
      break;
    case 4:
      for (int32_t x = 0; x < w; ++x) d[x] = palette[(s[x >> 1] >> ((~x & 1) * 4)) & 15];
      break;
    case 1:
      for (int32_t x = 0; x < w; ++x) d[x] = palette[(s[x >> 3] >> (7 - (x & 7))) & 1];
      break;
  }
}

// Raw rows, bottom-up, read in blocks of rows.
bool decode_raw(qmFileHandle* fh, const BmpHeader& h, const uint32_t* palette, uint32_t* px) {
  const int32_t w = h.width;
  const int64_t data_bytes = (int64_t(w) * h.bits + 7) / 8;
  const size_t stride = size_t(padded_row(data_bytes));
  const size_t rows_per_block = std::max<size_t>(1, (size_t(1) << 18) / stride);
  std::vector<uint8_t> block;
  try {
    block.resize(stride * rows_per_block + 4);
  } catch (const std::bad_alloc&) {
    return false;
  }
  qmos_seek(fh, h.data_offset, QMOS_SEEK_BEGINNING);
  for (int32_t done = 0; done < h.height;) {
    const int32_t n = int32_t(std::min<size_t>(rows_per_block, size_t(h.height - done)));
    // Writers that leave out the last row's padding are forgiven; any other shortfall fails.
    const int64_t want = int64_t(stride) * n;
    const int64_t spare = done + n == h.height ? int64_t(stride) - data_bytes : 0;
    if (qmos_read(fh, block.data(), want) < want - spare) return false;
    for (int32_t i = 0; i < n; ++i) {
      const int32_t y = h.height - 1 - (done + i);
      convert_row(block.data() + size_t(i) * stride, px + size_t(y) * size_t(w), h, palette);
    }
    done += n;
  }
  return true;
}

// The RLE data, read in blocks: a file of millions of codes decodes at the speed of memory.
class CodeReader {
 public:
  CodeReader(qmFileHandle* fh, int64_t budget) : fh_(fh), budget_(budget) {}
  // The next byte, or -1 at the end of the file or of the bytes the header allows.
  int32_t next() {
    if (at_ == have_) {
      const int64_t want = std::min<int64_t>(budget_, int64_t(sizeof block_));
      have_ = want > 0 ? size_t(std::max<int64_t>(qmos_read(fh_, block_, want), 0)) : 0;
      budget_ -= int64_t(have_);
      at_ = 0;
      if (have_ == 0) return -1;
    }
    return block_[at_++];
  }

 private:
  qmFileHandle* fh_;
  int64_t budget_;
  uint8_t block_[65536];
  size_t at_ = 0, have_ = 0;
};

// RLE8, bottom-up. Decoding ends at the end-of-bitmap code, when the rows run out, after the
// number of data bytes the header's file size allows, or at the end of the file, whichever comes
// first; rows never reached keep index 0 and the row in progress keeps what it got. An absolute
// run that is longer than the line is still read whole, so the next code is read where it stands.
// No code moves the column past the line's end: a file of deltas can add up to any distance.
void decode_rle8(qmFileHandle* fh, const BmpHeader& h, const uint32_t* palette, uint32_t* px) {
  const int32_t w = h.width;
  // A few bytes may describe a huge picture: the rows never reached are one fill.
  const size_t total = size_t(w) * size_t(h.height);
  if (palette[0] == 0) std::memset(px, 0, total * 4);
  else std::fill_n(px, total, palette[0]);
  std::vector<uint8_t> line(size_t(padded_row(w)), 0);
  const int32_t line_size = int32_t(line.size());
  qmos_seek(fh, h.data_offset, QMOS_SEEK_BEGINNING);
  auto reader = std::make_unique<CodeReader>(fh, int64_t(h.file_size) - int64_t(h.data_offset));
  int32_t row = h.height - 1;
  int32_t x = 0;
  auto store = [&]() {
    uint32_t* d = px + size_t(row) * size_t(w);
    for (int32_t i = 0; i < w; ++i) d[i] = palette[line[size_t(i)]];
    std::fill(line.begin(), line.end(), 0);
  };
  auto next = [&]() -> int32_t { return reader->next(); };
  // The data may end anywhere: the row decoded so far is kept.
  while (row >= 0) {
    int32_t n = next(), v = next();
    if (n < 0 || v < 0) {
      store();
      break;
    }
    if (n > 0) {
      for (int32_t i = 0; i < n && x < line_size; ++i) line[size_t(x++)] = uint8_t(v);
    } else if (v == 0) {
      store();
      --row;
      x = 0;
    } else if (v == 1) {
      store();
      break;
    } else if (v == 2) {
      int32_t dx = next(), dy = next();
      if (dx < 0 || dy < 0) {
        store();
        break;
      }
      x = std::min(x + dx, line_size);
      if (dy > 0) {
        store();
        row -= dy;
      }
    } else {
      bool ended = false;
      for (int32_t i = 0; i < v; ++i) {
        int32_t c = next();
        if (c < 0) {
          ended = true;
          break;
        }
        if (x < line_size) line[size_t(x++)] = uint8_t(c);
      }
      if (ended) {
        store();
        break;
      }
      if (v & 1) next();
    }
  }
}

}  // namespace

int32_t bmp_load(const char* name, int32_t* width, int32_t* height, uint32_t** pixels,
                 int32_t* has_alpha) {
  err_set_string_arg(name);
  FilePtr fh(qmos_open(name, QMOS_MODE_READ));
  if (!fh) return ERR_READFILE;
  uint8_t head[kHeaderSize];
  BmpHeader h{};
  if (!read_exact(fh.get(), head, kHeaderSize) || !parse_header(head, &h)) return ERR_LOADPICTURE2;
  if (!picture_size_allowed(h.width, h.height)) return ERR_MEM;
  if ((h.bits == 16 || h.bits == 32) && !read_masks(fh.get(), &h)) return ERR_LOADPICTURE2;
  if (!pixels) {
    if (width) *width = h.width;
    if (height) *height = h.height;
    if (has_alpha) *has_alpha = h.alpha.mask != 0;
    return 0;
  }

  PixelPtr px(picture_alloc(h.width, h.height));
  if (!px) return ERR_MEM;
  uint32_t palette[256];
  if (h.bits <= 8 && !read_palette(fh.get(), h, palette)) return ERR_LOADPICTURE2;
  if (h.compression == kRle8) {
    decode_rle8(fh.get(), h, palette, px.get());
  } else if (!decode_raw(fh.get(), h, palette, px.get())) {
    return ERR_LOADPICTURE2;
  }
  *pixels = px.release();
  if (width) *width = h.width;
  if (height) *height = h.height;
  if (has_alpha) *has_alpha = h.alpha.mask != 0;
  return 0;
}

int32_t bmp_write(const char* name, const uint32_t* pixels, int32_t width, int32_t height) {
  const int32_t stride = padded_row(int64_t(width) * 3);
  const int64_t rows = height > 0 ? height : 0;
  FilePtr fh(qmos_save_open(name));
  if (!fh) {
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  uint8_t head[kHeaderSize] = {'B', 'M'};
  put_le32(head + 2, uint32_t(rows * stride + kHeaderSize));
  put_le32(head + 10, kHeaderSize);
  put_le32(head + 14, 40);
  put_le32(head + 18, uint32_t(width));
  put_le32(head + 22, uint32_t(height));
  put_le16(head + 26, 1);
  put_le16(head + 28, 24);
  bool ok = qmos_write(fh.get(), head, kHeaderSize) == kHeaderSize;
  std::vector<uint8_t> row;
  try {
    row.assign(size_t(stride > 0 ? stride : 0), 0);
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  for (int64_t y = rows - 1; ok && y >= 0; --y) {
    const uint32_t* s = pixels + size_t(y) * size_t(width);
    uint8_t* d = row.data();
    for (int32_t x = 0; x < width; ++x, d += 3) {
      d[0] = uint8_t(s[x]);
      d[1] = uint8_t(s[x] >> 8);
      d[2] = uint8_t(s[x] >> 16);
    }
    ok = qmos_write(fh.get(), row.data(), stride) == stride;
  }
  if (!ok || !qmos_save_commit(fh.release())) {
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  return 0;
}

}  // namespace qm
