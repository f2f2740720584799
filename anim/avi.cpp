// AVI files as anims: the first RIFF segment, one video stream of uncompressed 24-bit frames or
// Motion JPEG, audio skipped. All integers are little-endian; a chunk of odd size is followed by
// a pad byte.
//
// Frames are reached through idx1 when it is usable, else by scanning movi chunk by chunk; a
// RIFF chunk (an AVIX segment) is skipped whole, so frames beyond the first segment stay out of
// reach. The frame count is what those ways reach, and never more than avih promises. Every
// chunk read is checked against the file's length before anything is allocated for it.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <vector>

#include "anim/readers.h"
#include "display/codecs/codecs.h"
#include "display/codecs/picture_io.h"
#include "engine/endian.h"
#include "engine/errcodes.h"

namespace qm {

namespace {

constexpr int32_t kMaxStreams = 16;
constexpr int64_t kHeaderSize = 56;  // avih and strh
constexpr int64_t kAudioFormatSize = 16;
constexpr int64_t kVideoFormatSize = 40;
constexpr int64_t kIndexEntrySize = 16;

enum Codec : int32_t { kUncompressed = 0, kMotionJpeg = 1 };

bool id_is(const uint8_t* p, const char* id) {
  return std::memcmp(p, id, 4) == 0;
}

int64_t padded(int64_t size) {
  return size + (size & 1);
}

// The JPEG standard's Huffman tables (luminance and chrominance, DC and AC) as one DHT segment:
// Motion JPEG frames leave them out and expect them.
// clang-format off
constexpr uint8_t kStandardTables[420] = {
    0xFF, 0xC4, 0x01, 0xA2,
    // DC luminance: class 0, table 0
    0x00, 0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11,
    // AC luminance: class 1, table 0
    0x10, 0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D,
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61,
    0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52,
    0xD1, 0xF0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25,
    0x26, 0x27, 0x28, 0x29, 0x2A, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45,
    0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64,
    0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x83,
    0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99,
    0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6,
    0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3,
    0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8,
    0xE9, 0xEA, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA,
    // DC chrominance: class 0, table 1
    0x01, 0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0,
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11,
    // AC chrominance: class 1, table 1
    0x11, 0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77,
    0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61,
    0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xA1, 0xB1, 0xC1, 0x09, 0x23, 0x33,
    0x52, 0xF0, 0x15, 0x62, 0x72, 0xD1, 0x0A, 0x16, 0x24, 0x34, 0xE1, 0x25, 0xF1, 0x17, 0x18,
    0x19, 0x1A, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44,
    0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63,
    0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A,
    0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97,
    0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4,
    0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA,
    0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7,
    0xE8, 0xE9, 0xEA, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA,
};
// clang-format on

struct IndexEntry {
  int64_t offset;
  int64_t size;
};

struct Chunk {
  uint8_t id[4];
  int64_t size;
  int64_t data;  // file offset of the first data byte
};

}  // namespace

struct qmAviReader {
  FilePtr file;
  int64_t file_length = 0;
  int32_t codec = kUncompressed;
  int32_t width = 0, height = 0;
  int32_t streams = 0;
  uint32_t flags = 0;
  int64_t total_frames = 0;
  uint8_t stream_type[kMaxStreams][4] = {};
  uint8_t stream_handler[kMaxStreams][4] = {};
  // The last audio stream's format: read and kept, frames do not need it.
  int32_t audio_channels = 0, audio_rate = 0, audio_block_align = 0, audio_bits = 0;
  int32_t video_planes = 0, video_bits = 0;
  bool top_down = false;  // uncompressed rows from the top (else from the bottom)
  uint32_t video_compression = 0;
  int32_t video_stream = -1;
  uint8_t video_ids[2][4] = {};  // "NNdb" and "NNdc" of the video stream
  int64_t movi = 0;              // the first byte behind "movi"
  int32_t frames = 0;
  int32_t at_frame = 0;           // the video frame whose chunk the scan meets next; -1 unknown
  std::vector<IndexEntry> index;  // the video stream's idx1 entries, empty when unusable
  std::vector<uint8_t> chunk, stream;
  qmJpegFrameDecoder* jpeg = nullptr;

  ~qmAviReader() { jpegframe_close(jpeg); }
};

namespace {

int64_t tell(qmAviReader* a) {
  return qmos_seek(a->file.get(), 0, QMOS_SEEK_CURRENT);
}
void seek(qmAviReader* a, int64_t at) {
  qmos_seek(a->file.get(), at, QMOS_SEEK_BEGINNING);
}

bool read_chunk(qmAviReader* a, Chunk* c) {
  uint8_t h[8];
  c->data = tell(a) + 8;
  if (!read_exact(a->file.get(), h, 8)) return false;
  std::memcpy(c->id, h, 4);
  c->size = get_le32(h + 4);
  return true;
}

void skip_chunk(qmAviReader* a, const Chunk& c) {
  seek(a, std::min(c.data + padded(c.size), a->file_length));
}

bool is_video_chunk(const qmAviReader* a, const uint8_t* id) {
  return id_is(id, reinterpret_cast<const char*>(a->video_ids[0])) ||
         id_is(id, reinterpret_cast<const char*>(a->video_ids[1]));
}

// Two digits and a chunk type: an id as index entries and movi chunks carry them.
int32_t stream_of(const uint8_t* id) {
  if (!std::isdigit(id[0]) || !std::isdigit(id[1])) return -1;
  if (std::memcmp(id + 2, "db", 2) && std::memcmp(id + 2, "dc", 2) && std::memcmp(id + 2, "wb", 2))
    return -1;
  return (id[0] - '0') * 10 + (id[1] - '0');
}

// From the current position to the next video chunk's header, stepping into lists and over
// everything else (a RIFF segment whole). The file then stands at the chunk's data.
bool next_video_chunk(qmAviReader* a, Chunk* c) {
  while (read_chunk(a, c)) {
    if (id_is(c->id, "LIST")) {
      uint8_t type[4];
      if (!read_exact(a->file.get(), type, 4)) return false;
    } else if (is_video_chunk(a, c->id)) {
      return true;
    } else {
      skip_chunk(a, *c);
    }
  }
  return false;
}

bool read_fields(qmAviReader* a, const Chunk& c, uint8_t* out, int64_t n) {
  bool ok = read_exact(a->file.get(), out, n);
  skip_chunk(a, c);
  return ok;
}

bool handler_is(const uint8_t* h, const char* name) {
  for (int32_t i = 0; i < 4; ++i)
    if (std::tolower(h[i]) != name[i]) return false;
  return true;
}

// hdrl and the other lists before movi: the main header, the streams and their formats. The
// file then stands behind "movi".
int32_t read_headers(qmAviReader* a) {
  int32_t last_stream = -1;
  int64_t stream_count = 0;
  bool avih = false;
  Chunk c;
  for (;;) {
    if (!read_chunk(a, &c)) return ERR_OPENANIM2;
    uint8_t f[kHeaderSize];
    if (id_is(c.id, "LIST")) {
      if (!read_exact(a->file.get(), f, 4)) return ERR_OPENANIM2;
      if (id_is(f, "movi")) break;
    } else if (id_is(c.id, "avih")) {
      if (c.size != kHeaderSize || !read_fields(a, c, f, kHeaderSize)) return ERR_OPENANIM2;
      a->flags = get_le32(f + 12);
      a->total_frames = get_le32(f + 16);
      stream_count = get_le32(f + 24);
      a->width = int32_t(std::min<uint32_t>(get_le32(f + 32), INT32_MAX));
      a->height = int32_t(std::min<uint32_t>(get_le32(f + 36), INT32_MAX));
      if (a->total_frames == 0 || stream_count > kMaxStreams) return ERR_OPENANIM2;
      avih = true;
    } else if (id_is(c.id, "strh")) {
      if (c.size != kHeaderSize || a->streams == kMaxStreams || !read_fields(a, c, f, kHeaderSize))
        return ERR_OPENANIM2;
      last_stream = a->streams++;
      std::memcpy(a->stream_type[last_stream], f, 4);
      std::memcpy(a->stream_handler[last_stream], f + 4, 4);
    } else if (id_is(c.id, "strf")) {
      if (last_stream < 0) return ERR_OPENANIM2;
      const uint8_t* type = a->stream_type[last_stream];
      if (id_is(type, "auds")) {
        if (c.size < kAudioFormatSize || !read_fields(a, c, f, kAudioFormatSize) ||
            get_le16(f) != 1)
          return ERR_OPENANIM2;
        a->audio_channels = get_le16(f + 2);
        a->audio_rate = int32_t(get_le32(f + 4));
        a->audio_block_align = get_le16(f + 12);
        a->audio_bits = get_le16(f + 14);
      } else if (id_is(type, "vids")) {
        if (!avih || c.size < kVideoFormatSize || !read_fields(a, c, f, kVideoFormatSize))
          return ERR_OPENANIM2;
        // A negative height marks rows stored top-down (the DIB convention).
        const int64_t h = int32_t(get_le32(f + 8));
        if (int64_t(int32_t(get_le32(f + 4))) != a->width || (h != a->height && -h != a->height))
          return ERR_OPENANIM2;
        a->top_down = h < 0;
        a->video_planes = get_le16(f + 12);
        a->video_bits = get_le16(f + 14);
        a->video_compression = get_le32(f + 16);
        a->video_stream = last_stream;
      } else {
        skip_chunk(a, c);
      }
    } else {
      skip_chunk(a, c);
    }
  }
  a->movi = tell(a);
  const int64_t movi_end = c.data + padded(c.size);

  if (!avih || a->video_stream < 0 || a->streams == 0 || a->width < 1 || a->height < 1)
    return ERR_OPENANIM2;
  const uint8_t* handler = a->stream_handler[a->video_stream];
  if (handler_is(handler, "dib ") || handler_is(handler, "raw ") || id_is(handler, "\0\0\0\0")) {
    if (a->video_bits != 24) return ERR_OPENANIM2;
    a->codec = kUncompressed;
  } else if (handler_is(handler, "mjpg")) {
    a->codec = kMotionJpeg;
  } else {
    return ERR_OPENANIM2;
  }
  for (int32_t t = 0; t < 2; ++t) {
    a->video_ids[t][0] = uint8_t('0' + a->video_stream / 10);
    a->video_ids[t][1] = uint8_t('0' + a->video_stream % 10);
    std::memcpy(a->video_ids[t] + 2, t ? "dc" : "db", 2);
  }
  seek(a, std::min(movi_end, a->file_length));
  return 0;
}

// idx1 right behind movi: the video stream's entries, or none when any entry names no stream.
void read_index(qmAviReader* a) {
  Chunk c;
  if (!read_chunk(a, &c) || !id_is(c.id, "idx1")) return;
  const int64_t entries =
      std::min(c.size, std::max<int64_t>(0, a->file_length - c.data)) / kIndexEntrySize;
  uint8_t block[kIndexEntrySize * 256];
  for (int64_t done = 0; done < entries;) {
    const int64_t n = std::min<int64_t>(entries - done, 256);
    if (!read_exact(a->file.get(), block, n * kIndexEntrySize)) break;
    for (int64_t i = 0; i < n; ++i) {
      const uint8_t* e = block + i * kIndexEntrySize;
      if (id_is(e, "rec ")) continue;
      const int32_t stream = stream_of(e);
      if (stream < 0 || stream >= a->streams) {
        a->index.clear();
        return;
      }
      if (stream == a->video_stream && int64_t(a->index.size()) < a->total_frames)
        a->index.push_back({get_le32(e + 8), get_le32(e + 12)});
    }
    done += n;
  }
}

// Without a usable index, the whole video chunks that a scan of movi meets, up to avih's total.
int64_t count_by_scanning(qmAviReader* a) {
  seek(a, a->movi);
  int64_t n = 0;
  Chunk c;
  while (n < a->total_frames && next_video_chunk(a, &c) && c.size <= a->file_length - c.data) {
    ++n;
    skip_chunk(a, c);
  }
  return n;
}

// Puts the file at the header of the video chunk of the frame, as far as the index knows it.
void position_for(qmAviReader* a, int32_t frame) {
  if (frame == a->at_frame) return;
  if (size_t(frame) < a->index.size()) {
    const int64_t offset = a->index[size_t(frame)].offset;
    uint8_t id[4];
    seek(a, offset);
    const bool absolute = read_exact(a->file.get(), id, 4) && stream_of(id) >= 0;
    seek(a, absolute ? offset : a->movi + offset - 4);
    a->at_frame = frame;
    return;
  }
  seek(a, a->movi);
  a->at_frame = 0;
}

// The frame's chunk data into a->chunk; the file then stands behind the chunk.
bool read_frame_chunk(qmAviReader* a, int32_t frame) {
  position_for(a, frame);
  Chunk c;
  for (;;) {
    if (!next_video_chunk(a, &c)) return false;
    if (a->at_frame == frame) break;
    skip_chunk(a, c);
    ++a->at_frame;
  }
  if (c.size > a->file_length - c.data) return false;
  try {
    if (a->chunk.size() < size_t(c.size)) a->chunk.resize(size_t(c.size));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!read_exact(a->file.get(), a->chunk.data(), c.size)) return false;
  a->chunk.resize(size_t(c.size));
  skip_chunk(a, c);
  a->at_frame = frame + 1;
  return true;
}

// Rows of blue, green, red bytes, bottom-up unless the format says top-down, packed or padded to
// 4 bytes; null for a chunk of any other size.
uint32_t* decode_uncompressed(const qmAviReader* a) {
  const size_t packed = size_t(a->width) * 3;
  const size_t padded_row = (packed + 3) & ~size_t(3);
  const size_t h = size_t(a->height);
  size_t stride;
  if (a->chunk.size() == packed * h)
    stride = packed;
  else if (a->chunk.size() == padded_row * h)
    stride = padded_row;
  else
    return nullptr;
  uint32_t* px = picture_alloc(a->width, a->height);
  if (!px) return nullptr;
  for (size_t y = 0; y < h; ++y) {
    const uint8_t* s = a->chunk.data() + (a->top_down ? y : h - 1 - y) * stride;
    uint32_t* d = px + y * size_t(a->width);
    for (int32_t x = 0; x < a->width; ++x, s += 3)
      d[x] = (uint32_t(s[2]) << 16) | (uint32_t(s[1]) << 8) | s[0];
  }
  return px;
}

// Where the start-of-scan segment begins and whether Huffman tables come before it; false when
// the segments run past the data.
bool find_scan(const std::vector<uint8_t>& d, size_t* sos, bool* has_tables) {
  size_t p = 2;
  *has_tables = false;
  for (;;) {
    if (p + 1 >= d.size() || d[p] != 0xFF) return false;
    const uint8_t marker = d[p + 1];
    if (marker == 0xFF) {  // a fill byte
      ++p;
      continue;
    }
    if (marker == 0xDA) break;
    if (marker == 0xC4) *has_tables = true;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length field
      p += 2;
      continue;
    }
    if (p + 3 >= d.size()) return false;
    p += 2 + get_be16(&d[p + 2]);
  }
  *sos = p;
  return true;
}

uint32_t* decode_motion_jpeg(qmAviReader* a) {
  std::vector<uint8_t>& d = a->chunk;
  if (d.size() < 4 || d[0] != 0xFF || d[1] != 0xD8) return nullptr;
  if (d.size() >= 10 && !std::memcmp(&d[6], "AVI1", 4)) std::memcpy(&d[6], "JFIF", 4);
  size_t sos = 0;
  bool has_tables = false;
  if (!find_scan(d, &sos, &has_tables)) return nullptr;
  const std::vector<uint8_t>* stream = &d;
  if (!has_tables) {
    try {
      a->stream.resize(d.size() + sizeof kStandardTables);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
    std::memcpy(a->stream.data(), d.data(), sos);
    std::memcpy(a->stream.data() + sos, kStandardTables, sizeof kStandardTables);
    std::memcpy(a->stream.data() + sos + sizeof kStandardTables, d.data() + sos, d.size() - sos);
    stream = &a->stream;
  }
  return jpegframe_decode(a->jpeg, stream->data(), stream->size(), a->width, a->height);
}

}  // namespace

int32_t avi_open(const char* name, qmAviReader** out, int32_t* width, int32_t* height,
                 int32_t* frames) {
  auto* a = new (std::nothrow) qmAviReader;
  if (!a) return ERR_MEM;
  std::unique_ptr<qmAviReader> owner(a);
  a->file.reset(qmos_open(name, QMOS_MODE_READ));
  if (!a->file) return ERR_READFILE;
  a->file_length = qmos_seek(a->file.get(), 0, QMOS_SEEK_END);
  a->file_length = qmos_seek(a->file.get(), 0, QMOS_SEEK_BEGINNING);

  uint8_t head[12];
  if (!read_exact(a->file.get(), head, 12) || !id_is(head, "RIFF") || !id_is(head + 8, "AVI "))
    return ERR_OPENANIM2;
  if (int32_t err = read_headers(a)) return err;
  if (!picture_size_allowed(a->width, a->height)) return ERR_MEM;

  read_index(a);
  const int64_t reachable = a->index.empty() ? count_by_scanning(a) : int64_t(a->index.size());
  a->frames = int32_t(std::min<int64_t>({reachable, a->total_frames, INT32_MAX}));
  if (a->frames == 0) return ERR_OPENANIM2;
  if (a->codec == kMotionJpeg && !(a->jpeg = jpegframe_open())) return ERR_MEM;

  seek(a, a->movi);
  a->at_frame = 0;
  *out = owner.release();
  if (width) *width = a->width;
  if (height) *height = a->height;
  if (frames) *frames = a->frames;
  return 0;
}

uint32_t* avi_load_frame(qmAviReader* a, int32_t index) {
  if (!a || index < 0 || index >= a->frames) return nullptr;
  if (!read_frame_chunk(a, index)) {
    a->at_frame = -1;
    return nullptr;
  }
  uint32_t* px = a->codec == kUncompressed ? decode_uncompressed(a) : decode_motion_jpeg(a);
  if (index == a->frames - 1) {  // a sequential read wraps around
    seek(a, a->movi);
    a->at_frame = 0;
  }
  return px;
}

void avi_close(qmAviReader* a) {
  delete a;
}

}  // namespace qm
