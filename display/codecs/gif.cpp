// GIF writer and animated-GIF reader.
#include "display/codecs/gif.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>
#include <vector>

#include "engine/endian.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"

namespace qm {

namespace {

constexpr int kMaxCodes = 4096;  // 12-bit codes

// ---- LZW encoder -------------------------------------------------------------------------------

// Open addressing with linear probes over 8192 slots, so that the table is at most half full
// and a look-up seldom takes more than two probes. A string is its prefix code and suffix byte;
// 0 marks an empty slot.
constexpr int kHashBits = 13;
constexpr uint32_t kHashSlots = 1u << kHashBits;

class LzwEncoder {
 public:
  explicit LzwEncoder(std::vector<uint8_t>& out) : out_(out) {}

  void encode(const uint8_t* pixels, int32_t width, int32_t height, int32_t stride,
              int min_code_size) {
    const int clear = 1 << min_code_size;
    const int end = clear + 1;
    const int initial_width = min_code_size + 1;
    int code_width = initial_width;
    int largest = (1 << code_width) - 1;
    int next_free = clear + 2;
    std::memset(slots_, 0, sizeof slots_);

    put(clear, code_width);
    int prefix = pixels[0];
    for (int32_t y = 0; y < height; ++y) {
      const uint8_t* row = pixels + int64_t(y) * stride;
      for (int32_t x = (y == 0 ? 1 : 0); x < width; ++x) {
        const int c = row[x];
        // A slot holds prefix << 20 | suffix << 12 | code; codes of strings are never 0.
        const uint32_t key = uint32_t(prefix) << 8 | uint32_t(c);
        uint32_t h = (key * 0x9E3779B1u) >> (32 - kHashBits);
        uint32_t slot;
        while ((slot = slots_[h]) != 0 && (slot >> 12) != key) h = (h + 1) & (kHashSlots - 1);
        if (slot != 0) {
          prefix = int(slot & 0xFFF);
          continue;
        }
        put(prefix, code_width);
        if (next_free > largest) {
          ++code_width;
          largest = code_width == 12 ? kMaxCodes : (1 << code_width) - 1;
        }
        prefix = c;
        if (next_free < kMaxCodes) {
          slots_[h] = key << 12 | uint32_t(next_free++);
        } else {
          std::memset(slots_, 0, sizeof slots_);
          put(clear, code_width);
          code_width = initial_width;
          largest = (1 << code_width) - 1;
          next_free = clear + 2;
        }
      }
    }
    put(prefix, code_width);
    if (next_free > largest) ++code_width;
    put(end, code_width);
    if (bits_ > 0) byte(uint8_t(acc_));
    if (block_len_ > 0) flush_block();
    out_.push_back(0);
  }

 private:
  void put(int code, int width) {
    acc_ |= uint32_t(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      byte(uint8_t(acc_));
      acc_ >>= 8;
      bits_ -= 8;
    }
  }
  void byte(uint8_t b) {
    block_[block_len_++] = b;
    if (block_len_ == 254) flush_block();
  }
  void flush_block() {
    out_.push_back(uint8_t(block_len_));
    out_.insert(out_.end(), block_, block_ + block_len_);
    block_len_ = 0;
  }

  std::vector<uint8_t>& out_;
  uint32_t slots_[kHashSlots];
  uint8_t block_[256];
  int block_len_ = 0;
  uint32_t acc_ = 0;
  int bits_ = 0;
};

void put_bytes(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes) {
  for (uint8_t b : bytes) out.push_back(b);
}

void put_le16(std::vector<uint8_t>& out, int32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

}  // namespace

// ---- Writer ------------------------------------------------------------------------------------

struct qmGifWriter {
  qmFileHandle* file = nullptr;
  bool write_failed = false;  // a frame did not reach the file: closing must not keep it
  int32_t frames = 0;
  int32_t width = 0, height = 0;
  std::vector<uint8_t> previous;  // indices of the last frame; made with the first optimised one
  std::vector<uint8_t> scratch;
  uint32_t previous_palette[256] = {};
  std::vector<uint8_t> out;
};

int32_t gifsave_open(const char* name, int32_t width, int32_t height, qmGifWriter** out) {
  *out = nullptr;
  if (width < 1 || height < 1 || !picture_size_allowed(width, height)) return ERR_MEM;
  qmGifWriter* w = new (std::nothrow) qmGifWriter;
  if (!w) return ERR_MEM;
  w->file = qmos_save_open(name);
  if (!w->file) {
    delete w;
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  w->width = width;
  w->height = height;
  try {
    w->scratch.resize(size_t(width) * size_t(height));
    w->out.reserve(64 * 1024);
  } catch (const std::bad_alloc&) {
    qmos_close(w->file);
    delete w;
    return ERR_MEM;
  }
  uint8_t head[13 + 768] = {'G', 'I', 'F', '8', '9', 'a'};
  put_le16(head + 6, uint16_t(width));
  put_le16(head + 8, uint16_t(height));
  head[10] = 0xF7;  // global table of 256 entries, 8 bits of colour resolution
  // The global table is never used for colours; it carries the writer's signature.
  std::memcpy(head + 13, "Quillmere :)", 13);
  if (qmos_write(w->file, head, sizeof head) != int64_t(sizeof head)) {
    qmos_close(w->file);
    delete w;
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  *out = w;
  return 0;
}

namespace {

struct Rect {
  int32_t x = 0, y = 0, w = 0, h = 0;
};

// The smallest rectangle of pixels that differ from the previous frame; unchanged pixels inside
// it are turned into the marker index. A frame without change gives a 2 x 1 rectangle at 0,0
// (clamped to the frame), since a frame needs at least one pixel and readers handle 2 better.
Rect optimise_frame(qmGifWriter* w, uint8_t* indices, const uint32_t* palette, int32_t colours) {
  const int32_t width = w->width, height = w->height;
  int16_t map[256];
  for (int i = 0; i < 256; ++i) {
    map[i] = -1;
    for (int j = 0; j < colours; ++j)
      if (palette[j] == w->previous_palette[i]) {
        map[i] = int16_t(j);
        break;
      }
  }
  int32_t x0 = width, y0 = height, x1 = -1, y1 = -1;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* prev = &w->previous[size_t(y) * size_t(width)];
    const uint8_t* cur = indices + size_t(y) * size_t(width);
    int32_t first = -1, last = -1;
    for (int32_t x = 0; x < width; ++x)
      if (map[prev[x]] != cur[x]) {
        if (first < 0) first = x;
        last = x;
      }
    if (first < 0) continue;
    x0 = std::min(x0, first);
    x1 = std::max(x1, last);
    if (y0 == height) y0 = y;
    y1 = y;
  }
  Rect r;
  if (x1 < 0)
    r = Rect{0, 0, std::min<int32_t>(2, width), 1};
  else
    r = Rect{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
  const uint8_t marker = uint8_t(colours - 1);
  for (int32_t y = r.y; y < r.y + r.h; ++y) {
    const uint8_t* prev = &w->previous[size_t(y) * size_t(width)];
    uint8_t* cur = indices + size_t(y) * size_t(width);
    uint8_t* keep = &w->scratch[size_t(y) * size_t(width)];
    std::memcpy(keep + r.x, cur + r.x, size_t(r.w));
    for (int32_t x = r.x; x < r.x + r.w; ++x)
      if (palette[cur[x]] == w->previous_palette[prev[x]]) cur[x] = marker;
  }
  return r;
}

}  // namespace

int32_t gifsave_write_frame(qmGifWriter* w, uint8_t* indices, int32_t width, int32_t height,
                            int32_t delay_ms, uint32_t* palette, int32_t colours,
                            int32_t transparent, int32_t options) {
  const bool optimise = options & GIFSAVE_OPTIMISE;
  const bool reserved = optimise || (options & GIFSAVE_RESERVED);
  if (width != w->width || height != w->height) return ERR_WRONGUSAGE;
  colours = std::clamp(colours, 1, 256);
  if (transparent >= colours) transparent = -1;
  for (int i = colours; i < 256; ++i) palette[i] = 0xFFFFFFFFu;
  int bits = 1;
  while (bits < 8 && colours > (1 << bits)) ++bits;
  // An index beyond the table could not be told from the control codes in the data.
  const size_t count = size_t(width) * size_t(height);
  if (bits < 8 && std::any_of(indices, indices + count, [bits](uint8_t v) { return v >> bits; }))
    return ERR_WRONGUSAGE;

  std::vector<uint8_t>& out = w->out;
  out.clear();
  // Graphic control extension. A frame with a transparent index is restored to the background.
  // Without one the frame is left in place, and a reserved last entry (which marks an optimised
  // anim's unchanged pixels, or what a still picture hides) is declared transparent.
  uint8_t flags, index;
  if (transparent >= 0)
    flags = 0x09, index = uint8_t(transparent);
  else if (reserved)
    flags = 0x05, index = uint8_t(colours - 1);
  else
    flags = 0x04, index = 0;
  const int32_t hundredths = std::clamp(delay_ms / 10, 0, 65535);
  put_bytes(out, {0x21, 0xF9, 0x04, flags});
  put_le16(out, hundredths);
  put_bytes(out, {index, 0x00});
  if (w->frames == 0) {
    static const uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E',
                                   '2',  '.',  '0',  0x03, 0x01, 0x00, 0x00, 0x00};
    out.insert(out.end(), loop, loop + sizeof loop);
  }

  const bool optimising = optimise && transparent < 0 && !w->previous.empty();
  Rect r{0, 0, width, height};
  if (optimising) r = optimise_frame(w, indices, palette, colours);

  out.push_back(0x2C);
  put_le16(out, r.x);
  put_le16(out, r.y);
  put_le16(out, r.w);
  put_le16(out, r.h);
  out.push_back(uint8_t(0x80 | (bits - 1)));
  for (int i = 0; i < (1 << bits); ++i) {
    out.push_back(uint8_t(palette[i] >> 16));
    out.push_back(uint8_t(palette[i] >> 8));
    out.push_back(uint8_t(palette[i]));
  }
  const int min_code_size = std::max(bits, 2);
  out.push_back(uint8_t(min_code_size));
  try {
    auto encoder = std::make_unique<LzwEncoder>(out);
    encoder->encode(indices + size_t(r.y) * size_t(width) + size_t(r.x), r.w, r.h, width,
                    min_code_size);
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  if (qmos_write(w->file, out.data(), int64_t(out.size())) != int64_t(out.size())) {
    w->write_failed = true;
    return ERR_WRITEFILE;
  }
  ++w->frames;

  if (optimise) {
    // The whole frame is kept, not only its rectangle: outside the rectangle the pixels have the
    // same colours as before but may have other indices in the new palette.
    try {
      if (w->previous.empty()) w->previous.resize(size_t(width) * size_t(height));
    } catch (const std::bad_alloc&) {
      return ERR_MEM;
    }
    std::memcpy(w->previous.data(), indices, w->previous.size());
    if (optimising)
      for (int32_t y = r.y; y < r.y + r.h; ++y) {
        const size_t at = size_t(y) * size_t(width) + size_t(r.x);
        std::memcpy(&w->previous[at], &w->scratch[at], size_t(r.w));
      }
    std::memcpy(w->previous_palette, palette, sizeof w->previous_palette);
  }
  return 0;
}

int32_t gifsave_close(qmGifWriter* w) {
  if (!w) return 0;
  if (w->write_failed || qmos_write_byte(w->file, 0x3B) != 1) {
    gifsave_abort(w);
    return ERR_WRITEFILE;
  }
  const int32_t saved = qmos_save_commit(w->file);
  delete w;
  return saved ? 0 : ERR_WRITEFILE;
}

void gifsave_abort(qmGifWriter* w) {
  if (!w) return;
  qmos_close(w->file);
  delete w;
}

// ---- Reader ------------------------------------------------------------------------------------

namespace {

struct FrameEntry {
  int32_t delay;  // hundredths of a second
  uint8_t key;    // covers the screen opaquely, so decoding may start here
  uint32_t pos;   // where the frame's blocks begin
};

}  // namespace

struct qmGifReader {
  std::vector<uint8_t> data;
  size_t pos = 0;
  int32_t width = 0, height = 0;
  uint32_t global[256] = {};
  uint32_t local[256] = {};
  const uint32_t* current = global;
  std::vector<uint32_t> canvas;
  std::vector<uint32_t> backup;  // made on the first frame that restores to previous
  int32_t background = 0;
  int32_t decoded = -1;
  int64_t decode_count = 0;
  size_t first_block = 0;
  std::vector<FrameEntry> frames;
  // the last frame read
  int32_t delay = 0;
  int32_t disposal = 0;
  int32_t left = 0, top = 0, frame_w = 0, frame_h = 0;
  int32_t transparent = -1;
  // LZW tables
  uint32_t link[kMaxCodes];  // a string's last byte << 16 | the code of the string before it
  uint8_t first[kMaxCodes];
  uint16_t length[kMaxCodes];
  std::vector<uint8_t> codes;  // the image's sub-blocks joined
  std::vector<uint8_t> line;
};

namespace {

bool read_palette(qmGifReader* r, uint32_t* palette, int flags) {
  const size_t n = size_t(2) << (flags & 7);
  if (r->data.size() - r->pos < n * 3) return false;
  const uint8_t* p = &r->data[r->pos];
  for (size_t i = 0; i < n; ++i, p += 3)
    palette[i] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  // Indices beyond a short table read black, never an earlier table's colours: a frame must
  // come out the same whichever frame was decoded before it.
  std::fill(palette + n, palette + 256, 0u);
  r->pos += n * 3;
  return true;
}

// Calls fn(bytes, n) for every sub-block up to the terminator. False when the file ends first.
template <typename Fn>
bool read_sub_blocks(qmGifReader* r, Fn&& fn) {
  const size_t size = r->data.size();
  while (r->pos < size) {
    const size_t n = r->data[r->pos++];
    if (n == 0) return true;
    if (size - r->pos < n) return false;
    fn(&r->data[r->pos], n);
    r->pos += n;
  }
  return false;
}

// The rectangle clipped to the screen; false when nothing of it is on the screen.
bool clip_to_screen(const qmGifReader* r, int32_t* x0, int32_t* y0, int32_t* x1, int32_t* y1) {
  *x0 = r->left;
  *y0 = r->top;
  *x1 = std::min(r->left + r->frame_w, r->width);
  *y1 = std::min(r->top + r->frame_h, r->height);
  return *x0 < *x1 && *y0 < *y1;
}

void fill_frame_rect(qmGifReader* r, uint32_t colour) {
  int32_t x0, y0, x1, y1;
  if (!clip_to_screen(r, &x0, &y0, &x1, &y1)) return;
  for (int32_t y = y0; y < y1; ++y) {
    uint32_t* row = &r->canvas[size_t(y) * size_t(r->width)];
    std::fill(row + x0, row + x1, colour);
  }
}

// Copies the frame's rectangle between canvas and backup (same place, same stride).
void copy_frame_rect(qmGifReader* r, bool save) {
  int32_t x0, y0, x1, y1;
  if (!clip_to_screen(r, &x0, &y0, &x1, &y1)) return;
  for (int32_t y = y0; y < y1; ++y) {
    const size_t at = size_t(y) * size_t(r->width) + size_t(x0);
    if (save)
      std::memcpy(&r->backup[at], &r->canvas[at], size_t(x1 - x0) * 4);
    else
      std::memcpy(&r->canvas[at], &r->backup[at], size_t(x1 - x0) * 4);
  }
}

void apply_disposal(qmGifReader* r) {
  if (r->disposal == 2)
    fill_frame_rect(r, r->current[r->transparent >= 0 ? r->transparent : r->background]);
  else if (r->disposal == 3 && !r->backup.empty())
    copy_frame_rect(r, false);
}

// Maps the frame's rows in file order to their rows on the frame (interlaced: every 8th from 0,
// every 8th from 4, every 4th from 2, every 2nd from 1).
struct RowOrder {
  int32_t height;
  bool interlaced;
  int pass = 0;
  int32_t y = 0;
  int32_t next() {
    const int32_t row = y;
    if (!interlaced) {
      ++y;
      return row;
    }
    static const int32_t kStep[4] = {8, 8, 4, 2};
    static const int32_t kStart[4] = {0, 4, 2, 1};
    y += kStep[pass];
    while (y >= height && pass < 3) y = kStart[++pass];
    return row;
  }
};

// Writes one decoded row of the frame into the canvas, clipped to the screen.
void store_row(qmGifReader* r, const uint8_t* indices, int32_t row) {
  const int32_t y = r->top + row;
  if (y >= r->height || r->left >= r->width) return;
  const int32_t n = std::min(r->frame_w, r->width - r->left);
  uint32_t* out = &r->canvas[size_t(y) * size_t(r->width) + size_t(r->left)];
  const uint32_t* pal = r->current;
  if (r->transparent < 0) {
    for (int32_t x = 0; x < n; ++x) out[x] = pal[indices[x]];
  } else {
    const uint8_t t = uint8_t(r->transparent);
    for (int32_t x = 0; x < n; ++x)
      if (indices[x] != t) out[x] = pal[indices[x]];
  }
}

// Decodes the image data at the current position. With store set the rows go into the canvas;
// otherwise the data is only checked. False on corrupt data.
bool decode_image(qmGifReader* r, bool interlaced, bool store) {
  if (r->pos >= r->data.size()) return false;
  const int min_code_size = r->data[r->pos++];
  if (min_code_size > 8) return false;
  r->codes.clear();
  // A file cut inside the data ends it; what was read is decoded.
  read_sub_blocks(r, [&](const uint8_t* p, size_t n) { r->codes.insert(r->codes.end(), p, p + n); });
  const int32_t fw = r->frame_w, fh = r->frame_h;
  if (fw == 0 || fh == 0) return true;

  const int clear = 1 << min_code_size;
  const int end = clear + 1;
  int code_width = min_code_size + 1;
  int next_free = clear + 2;
  int previous = -1;
  for (int c = 0; c < clear; ++c) {
    r->first[c] = uint8_t(c);
    r->length[c] = 1;
  }

  // Decoded strings collect in a line buffer; whole rows are taken from its front.
  const size_t capacity = 2 * size_t(fw) + 2 * kMaxCodes + 2;
  if (r->line.size() < capacity) r->line.resize(capacity);
  uint8_t* line = r->line.data();
  size_t filled = 0, taken = 0;
  int32_t rows = 0;
  RowOrder order{fh, interlaced};
  const uint64_t pixels = uint64_t(fw) * uint64_t(fh);
  uint64_t checked = 0;

  uint32_t* const link = r->link;
  uint8_t* const first = r->first;
  uint16_t* const length = r->length;
  const size_t in_size = r->codes.size();
  r->codes.resize(in_size + 8);  // whole words may be loaded near the end
  const uint8_t* in = r->codes.data();
  size_t in_pos = 0;
  uint64_t acc = 0;
  int bits = 0;
  while (rows < fh) {
    if (bits < code_width) {
      if (in_pos >= in_size) return false;  // data ended before the frame was filled
      uint64_t word;
      std::memcpy(&word, in + in_pos, 8);
      const size_t take = std::min<size_t>(size_t(63 - bits) >> 3, in_size - in_pos);
      acc |= word << bits;
      acc &= bits + take * 8 >= 64 ? ~uint64_t(0) : (uint64_t(1) << (bits + take * 8)) - 1;
      in_pos += take;
      bits += int(take * 8);
      if (bits < code_width) return false;
    }
    const int code = int(acc & ((1u << code_width) - 1));
    acc >>= code_width;
    bits -= code_width;

    if (code == clear) {
      code_width = min_code_size + 1;
      next_free = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) return false;  // ended before the frame was filled
    if (code > next_free) return false;
    if (previous < 0) {
      if (code >= clear) return false;  // the first code after a clear must be a literal
    } else if (next_free < kMaxCodes) {
      // A full table takes no more entries; the encoder may go on without a clear.
      if (store) {  // checking needs only the lengths
        link[next_free] = uint32_t(code < next_free ? first[code] : first[previous]) << 16 | uint32_t(previous);
        first[next_free] = first[previous];
      }
      length[next_free] = uint16_t(length[previous] + 1);
      ++next_free;
      if (next_free == (1 << code_width) && code_width < 12) ++code_width;
    }
    previous = code;

    const size_t len = length[code];
    if (!store) {
      // Checking only: the strings need not be spelled out, their lengths say when the frame is
      // full.
      checked += len;
      if (checked >= pixels) break;
      continue;
    }
    if (code < clear) {
      line[filled] = uint8_t(code);
    } else {
      uint8_t* p = line + filled + len - 1;
      int c = code;
      while (c > end) {
        const uint32_t l = link[c];
        *p-- = uint8_t(l >> 16);
        c = int(l & 0xFFFF);
      }
      *p = uint8_t(c);
    }
    filled += len;
    while (filled - taken >= size_t(fw) && rows < fh) {
      store_row(r, line + taken, order.next());
      taken += size_t(fw);
      ++rows;
    }
    if (filled + kMaxCodes + 1 > capacity) {
      std::memmove(line, line + taken, filled - taken);
      filled -= taken;
      taken = 0;
    }
  }
  return true;
}

// Reads blocks from the current position. Scan mode (target -1) records every frame in the table
// and only checks the image data; otherwise frames are composed until frame `target` is done.
// True at the trailer or the end of the file, or when the target frame is done.
bool run_decoder(qmGifReader* r, int32_t target) {
  const bool scan = target < 0;
  const size_t size = r->data.size();
  for (;;) {
    const size_t frame_start = r->pos;
    r->current = r->global;
    r->disposal = 0;
    r->transparent = -1;
    r->delay = 0;
    bool interlaced = false;
    for (;;) {
      if (r->pos >= size) return true;
      const uint8_t b = r->data[r->pos++];
      if (b == 0x3B) return true;
      if (b == 0x21) {
        if (r->pos >= size) return false;
        const uint8_t label = r->data[r->pos++];
        uint8_t gce[4] = {};
        size_t got = 0;
        const bool ok = read_sub_blocks(r, [&](const uint8_t* p, size_t n) {
          if (label != 0xF9) return;
          const size_t k = std::min(n, sizeof gce - got);
          std::memcpy(gce + got, p, k);
          got += k;
        });
        if (!ok) return false;
        if (label == 0xF9) {
          r->disposal = (gce[0] >> 2) & 7;
          r->delay = get_le16(gce + 1);
          r->transparent = (gce[0] & 1) ? gce[3] : -1;
        }
        continue;
      }
      if (b != 0x2C) continue;
      if (size - r->pos < 9) return false;
      const uint8_t* d = &r->data[r->pos];
      r->left = get_le16(d);
      r->top = get_le16(d + 2);
      r->frame_w = get_le16(d + 4);
      r->frame_h = get_le16(d + 6);
      const uint8_t flags = d[8];
      interlaced = (flags & 0x40) != 0;
      r->pos += 9;
      if (flags & 0x80) {
        if (!read_palette(r, r->local, flags)) return false;
        r->current = r->local;
      }
      break;
    }

    if (scan) {
      const bool key = r->left == 0 && r->top == 0 && r->frame_w == r->width &&
                       r->frame_h == r->height && r->transparent < 0 && r->disposal != 3;
      try {
        r->frames.push_back(FrameEntry{r->delay, uint8_t(key), uint32_t(frame_start)});
      } catch (const std::bad_alloc&) {
        return false;
      }
    } else if (r->transparent >= 0 && r->decoded == 0 && r->disposal == 2) {
      std::fill(r->canvas.begin(), r->canvas.end(), r->current[r->transparent]);
    } else if (r->disposal == 3) {
      try {
        if (r->backup.empty()) r->backup.resize(r->canvas.size());
      } catch (const std::bad_alloc&) {
        return false;
      }
      copy_frame_rect(r, true);
    }

    if (!decode_image(r, interlaced, !scan)) return false;
    ++r->decoded;
    ++r->decode_count;
    if (!scan && r->decoded == target + 1) return true;
    if (!scan) apply_disposal(r);
  }
}

}  // namespace

namespace {

// Opens a reader over the bytes; 0, ERR_LOADPICTURE2 or ERR_MEM. With header_only (or on
// failure) no reader is made.
int32_t open_reader(std::vector<uint8_t>&& bytes, int32_t* width, int32_t* height,
                    int32_t* frames, bool header_only, qmGifReader** out) {
  *out = nullptr;
  if (bytes.size() < 13 || std::memcmp(bytes.data(), "GIF8", 4) != 0 ||
      (bytes[4] != '7' && bytes[4] != '9'))
    return ERR_LOADPICTURE2;
  const int32_t w = get_le16(&bytes[6]), h = get_le16(&bytes[8]);
  const uint8_t flags = bytes[10];
  if (width) *width = w;
  if (height) *height = h;
  if (header_only) return 0;
  if (w == 0 || h == 0) return ERR_LOADPICTURE2;
  if (!picture_size_allowed(w, h)) return ERR_MEM;
  qmGifReader* r = new (std::nothrow) qmGifReader;
  if (!r) return ERR_MEM;
  r->data = std::move(bytes);
  r->width = w;
  r->height = h;
  r->background = r->data[11];
  r->pos = 13;
  try {
    r->frames.reserve(4096);
    r->canvas.resize(size_t(w) * size_t(h));
  } catch (const std::bad_alloc&) {
    delete r;
    return ERR_MEM;
  }
  if ((flags & 0x80) && !read_palette(r, r->global, flags)) {
    delete r;
    return ERR_LOADPICTURE2;
  }
  r->first_block = r->pos;
  if (!run_decoder(r, -1)) {
    delete r;
    return ERR_LOADPICTURE2;
  }
  r->decoded = -1;
  r->decode_count = 0;
  if (frames) *frames = int32_t(r->frames.size());
  *out = r;
  return 0;
}

int32_t read_file(const char* name, std::vector<uint8_t>* out) {
  qmFileHandle* f = qmos_open(name, QMOS_MODE_READ);
  if (!f) return ERR_READFILE;
  int32_t rc = 0;
  try {
    uint8_t buf[65536];
    for (;;) {
      const int64_t n = qmos_read(f, buf, sizeof buf);
      if (n <= 0) break;
      out->insert(out->end(), buf, buf + n);
    }
  } catch (const std::bad_alloc&) {
    rc = ERR_MEM;
  }
  qmos_close(f);
  return rc;
}

}  // namespace

qmGifReader* gifanim_open_memory(const uint8_t* data, size_t size, int32_t* width,
                                 int32_t* height, int32_t* frames, int32_t header_only) {
  std::vector<uint8_t> bytes;
  try {
    bytes.assign(data, data + size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  qmGifReader* r;
  open_reader(std::move(bytes), width, height, frames, header_only != 0, &r);
  return r;
}

qmGifReader* gifanim_open(const char* name, int32_t* width, int32_t* height, int32_t* frames,
                          int32_t header_only) {
  std::vector<uint8_t> bytes;
  if (read_file(name, &bytes) != 0) return nullptr;
  qmGifReader* r;
  open_reader(std::move(bytes), width, height, frames, header_only != 0, &r);
  return r;
}

uint32_t* gifanim_load_frame(qmGifReader* r, int32_t n) {
  if (!r || n < 0 || n >= int32_t(r->frames.size())) return nullptr;
  if (r->decoded != n) {
    int32_t k = n;
    while (k >= 0 && !r->frames[size_t(k)].key) --k;
    if (k >= 0) {
      r->decoded = k;
      r->pos = r->frames[size_t(k)].pos;
    } else {
      std::fill(r->canvas.begin(), r->canvas.end(), r->global[r->background]);
      r->decoded = 0;
      r->pos = r->first_block;
    }
  }
  if (!run_decoder(r, n) || r->decoded != n + 1) {
    r->decoded = -1;
    return nullptr;
  }
  uint32_t* copy = static_cast<uint32_t*>(std::malloc(r->canvas.size() * 4));
  if (copy) std::memcpy(copy, r->canvas.data(), r->canvas.size() * 4);
  apply_disposal(r);
  return copy;
}

int32_t gifanim_frame_delay(const qmGifReader* r, int32_t n) {
  if (!r || n < 0 || n >= int32_t(r->frames.size())) return 0;
  return r->frames[size_t(n)].delay * 10;
}

int64_t gifanim_decode_count(const qmGifReader* r) { return r ? r->decode_count : 0; }

void gifanim_close(qmGifReader* r) { delete r; }

int32_t gif_load_still(const char* name, int32_t* width, int32_t* height, uint32_t** pixels) {
  std::vector<uint8_t> bytes;
  if (const int32_t rc = read_file(name, &bytes)) {
    err_set_string_arg(name);
    return rc;
  }
  qmGifReader* r;
  int32_t rc = open_reader(std::move(bytes), width, height, nullptr, pixels == nullptr, &r);
  if (rc == 0 && pixels) {
    *pixels = gifanim_load_frame(r, 0);
    if (!*pixels) rc = r->frames.empty() || r->decoded < 0 ? ERR_LOADPICTURE2 : ERR_MEM;
    gifanim_close(r);
  }
  if (rc) err_set_string_arg(name);
  return rc;
}

}  // namespace qm
