// IFF ILBM pictures: 1 to 8 planes with a colour map (HAM6, HAM8, extra half-brite), 24 planes
// (32: the first 24), raw or ByteRun1; written as 24-plane ByteRun1.
//
// Chunks are found by a byte-wise search, not by walking chunk sizes: the search behaves as the
// original loader's did, including finding an id inside another chunk's data.
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "display/codecs/codecs.h"
#include "display/codecs/picture_io.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "runtime/errors.h"

namespace qm {

namespace {

constexpr int32_t kCamgHam = 0x800;
constexpr int32_t kCamgEhb = 0x80;
constexpr int32_t kMaxPlanes = 32;

// An 8x8 bit transpose. Byte 7 - k of v (the most significant first) is row k, bit 7 - j of a row
// is column j. Rows of plane bytes (row k = plane 7 - k) become rows of pixels (row i = the value
// of pixel i, plane p in bit p), and back.
inline uint64_t transpose8(uint64_t x) {
  uint64_t t;
  t = (x ^ (x >> 7)) & 0x00AA00AA00AA00AAull;
  x = x ^ t ^ (t << 7);
  t = (x ^ (x >> 14)) & 0x0000CCCC0000CCCCull;
  x = x ^ t ^ (t << 14);
  t = (x ^ (x >> 28)) & 0x00000000F0F0F0F0ull;
  x = x ^ t ^ (t << 28);
  return x;
}

// 8 pixel values of 8 planes of one plane-row byte position: plane p's byte at planes[p * step].
inline uint64_t gather8(const uint8_t* planes, size_t step, int32_t count) {
  uint64_t v = 0;
  for (int32_t p = 0; p < count; ++p) v |= uint64_t(planes[size_t(p) * step]) << (8 * p);
  return transpose8(v);  // pixel i in byte 7 - i
}

struct BodyReader {
  const uint8_t* p;
  const uint8_t* end;
};

// ByteRun1 into one plane row; false when the data ends first.
bool unpack_row(BodyReader& r, uint8_t* row, int32_t row_bytes) {
  int32_t filled = 0;
  while (filled < row_bytes) {
    if (r.p >= r.end) return false;
    int32_t n = int8_t(*r.p++);
    if (n >= 0) {
      int32_t count = n + 1;
      if (r.end - r.p < count) return false;
      int32_t keep = std::min(count, row_bytes - filled);
      if (row) std::memcpy(row + filled, r.p, size_t(keep));
      r.p += count;
      filled += keep;
    } else if (n != -128) {
      if (r.p >= r.end) return false;
      uint8_t v = *r.p++;
      int32_t keep = std::min(1 - n, row_bytes - filled);
      if (row) std::memset(row + filled, v, size_t(keep));
      filled += keep;
    }
  }
  return true;
}

// The body's bytes: at most body_size, and no further than the file goes.
bool read_body(qmFileHandle* fh, int64_t body_size, std::vector<uint8_t>* out) {
  int64_t here = qmos_seek(fh, 0, QMOS_SEEK_END);
  int64_t length = qmos_seek(fh, here, QMOS_SEEK_BEGINNING);
  int64_t n = std::min(body_size, length - here);
  if (n < 0) n = 0;
  try {
    out->resize(size_t(n));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return qmos_read(fh, out->data(), n) == n;
}

int32_t palette_index_colour(const uint8_t* rgb) {
  return int32_t((uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | rgb[2]);
}

// The palette and transparent colour for a picture of up to 8 planes that is not HAM.
void choose_palette(uint32_t* palette, int32_t* user, int32_t pen, int32_t use_transparent,
                    int32_t planes, int32_t masking, int32_t transparent_index,
                    int32_t* transparent) {
  *transparent = -1;
  if (user) {
    // The caller's block holds 257 entries: up to 256 colours and the terminating -1.
    int32_t count = 0;
    while (count < 256 && user[count] != -1) ++count;
    for (int32_t i = 0; i < count; ++i) palette[i] = uint32_t(user[i]) & 0xFFFFFF;
    for (int32_t i = count; i < 256; ++i) user[i] = int32_t(palette[i]);
    return;
  }
  if (pen == -1 && !use_transparent) return;
  if (planes == 1) {
    *transparent = int32_t(palette[0]);
    if (pen != -1) palette[1] = uint32_t(pen) & 0xFFFFFF;
    return;
  }
  if (masking == 2 && use_transparent) {
    uint32_t colour = 0xA8A8A8;
    for (bool taken = true; taken;) {
      taken = false;
      for (int32_t i = 0; i < 256; ++i) {
        if (palette[i] == colour) {
          taken = true;
          colour += 15;
          break;
        }
      }
    }
    if (transparent_index < 256) palette[transparent_index] = colour;
    *transparent = int32_t(colour);
  }
}

}  // namespace

int32_t ilbm_find_chunk(qmFileHandle* fh, const char* id) {
  for (int32_t pass = 0; pass < 2; ++pass) {
    if (qmos_eof(fh)) qmos_seek(fh, 12, QMOS_SEEK_BEGINNING);
    uint8_t w[4];
    if (!read_exact(fh, w, 4)) continue;
    for (;;) {
      if (!std::memcmp(w, id, 4)) return 1;
      if (!std::memcmp(w, "BODY", 4)) break;
      int32_t c = qmos_read_byte(fh);
      if (c < 0) break;
      std::memmove(w, w + 1, 3);
      w[3] = uint8_t(c);
    }
  }
  return 0;
}

int32_t ilbm_read_body_raw(qmFileHandle* fh, uint8_t* planar, int64_t body_size, int32_t width,
                           int32_t height, int32_t planes, int32_t masking) {
  std::vector<uint8_t> body;
  if (!read_body(fh, body_size, &body)) return 0;
  const int32_t rb = ilbm_row_bytes(width);
  const size_t plane_size = size_t(height) * size_t(rb);
  const size_t per_row = size_t(rb) * size_t(planes + (masking == 1));
  if (body.size() < per_row * size_t(height)) return 0;
  const uint8_t* s = body.data();
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t p = 0; p < planes; ++p, s += rb)
      std::memcpy(planar + size_t(p) * plane_size + size_t(y) * size_t(rb), s, size_t(rb));
    if (masking == 1) s += rb;
  }
  return 1;
}

int32_t ilbm_read_body_byterun1(qmFileHandle* fh, uint8_t* planar, int64_t body_size,
                                int32_t width, int32_t height, int32_t planes, int32_t masking) {
  std::vector<uint8_t> body;
  if (!read_body(fh, body_size, &body)) return 0;
  BodyReader r{body.data(), body.data() + body.size()};
  const int32_t rb = ilbm_row_bytes(width);
  const size_t plane_size = size_t(height) * size_t(rb);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t p = 0; p < planes; ++p)
      if (!unpack_row(r, planar + size_t(p) * plane_size + size_t(y) * size_t(rb), rb)) return 0;
    if (masking == 1 && !unpack_row(r, nullptr, rb)) return 0;
  }
  return 1;
}

void ilbm_planar_to_chunky(const uint8_t* planar, int32_t width, int32_t height, int32_t planes,
                           int32_t row_bytes, void* dest, int32_t dest_stride) {
  const size_t plane_size = size_t(height) * size_t(row_bytes);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = planar + size_t(y) * size_t(row_bytes);
    if (planes <= 8) {
      uint8_t* d = static_cast<uint8_t*>(dest) + size_t(y) * size_t(width);
      for (int32_t x = 0; x < width; x += 8) {
        uint64_t v = gather8(row + x / 8, plane_size, planes);
        int32_t n = std::min(8, width - x);
        for (int32_t i = 0; i < n; ++i) d[x + i] = uint8_t(v >> (8 * (7 - i)));
      }
    } else {
      uint32_t* d = static_cast<uint32_t*>(dest) + size_t(y) * size_t(dest_stride);
      for (int32_t x = 0; x < width; x += 8) {
        const uint8_t* b = row + x / 8;
        uint64_t r = gather8(b, plane_size, 8);
        uint64_t g = gather8(b + 8 * plane_size, plane_size, 8);
        uint64_t bl = gather8(b + 16 * plane_size, plane_size, 8);
        int32_t n = std::min(8, width - x);
        for (int32_t i = 0; i < n; ++i) {
          int32_t s = 8 * (7 - i);
          d[x + i] = (uint32_t(uint8_t(r >> s)) << 16) | (uint32_t(uint8_t(g >> s)) << 8) |
                     uint8_t(bl >> s);
        }
      }
    }
  }
}

namespace {

// HAM: the control bits pick a palette entry or modify one component of the previous pixel; the
// modified component keeps its low bits 0. Every row starts from black.
template <int kBits>
void decode_ham(const uint8_t* chunky, uint32_t* pixels, const uint32_t* palette, int32_t width,
                int32_t height) {
  constexpr int32_t kShift = kBits;             // control bits above the value bits
  constexpr int32_t kValue = (1 << kBits) - 1;  // 15 or 63
  constexpr int32_t kUp = 8 - kBits;            // 4 or 2
  for (int32_t y = 0; y < height; ++y) {
    uint32_t r = 0, g = 0, b = 0;
    const uint8_t* s = chunky + size_t(y) * size_t(width);
    uint32_t* d = pixels + size_t(y) * size_t(width);
    for (int32_t x = 0; x < width; ++x) {
      uint32_t v = s[x];
      uint32_t c = uint32_t(v & kValue) << kUp;
      switch (v >> kShift) {
        case 0:
          r = (palette[v] >> 16) & 255;
          g = (palette[v] >> 8) & 255;
          b = palette[v] & 255;
          break;
        case 1:
          b = c;
          break;
        case 2:
          r = c;
          break;
        case 3:
          g = c;
          break;
        default:
          break;
      }
      d[x] = (r << 16) | (g << 8) | b;
    }
  }
}

}  // namespace

void ilbm_decode_ham6(const uint8_t* chunky, uint32_t* pixels, const uint32_t* palette,
                      int32_t width, int32_t height) {
  decode_ham<4>(chunky, pixels, palette, width, height);
}

void ilbm_decode_ham8(const uint8_t* chunky, uint32_t* pixels, const uint32_t* palette,
                      int32_t width, int32_t height) {
  decode_ham<6>(chunky, pixels, palette, width, height);
}

void ilbm_map_palette(const uint8_t* chunky, uint32_t* pixels, const uint32_t* palette,
                      int32_t width, int32_t height) {
  for (size_t i = 0, n = size_t(width) * size_t(height); i < n; ++i) pixels[i] = palette[chunky[i]];
}

int32_t ilbm_load(const char* name, const int32_t* user_palette_in, int32_t pen,
                  int32_t use_transparent, int32_t* transparent_out, int32_t* width_out,
                  int32_t* height_out, uint32_t** pixels_out, uint32_t** palette_out) {
  // The user palette's unused tail receives the file's colours (see choose_palette).
  int32_t* user_palette = const_cast<int32_t*>(user_palette_in);
  err_set_string_arg(name);
  FilePtr file(qmos_open(name, QMOS_MODE_READ));
  if (!file) return ERR_READFILE;
  qmFileHandle* fh = file.get();

  // Behind the id: the size, then width, height, x, y, planes, masking, compression, a pad byte
  // and the transparent colour index.
  uint8_t bmhd[18];
  if (!ilbm_find_chunk(fh, "BMHD") || !read_exact(fh, bmhd, 18)) return ERR_LOADPICTURE2;
  const int32_t width = get_be16(bmhd + 4);
  const int32_t height = get_be16(bmhd + 6);
  if (width < 1 || height < 1) return ERR_LOADPICTURE2;
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  if (!pixels_out) {
    if (width_out) *width_out = width;
    if (height_out) *height_out = height;
    return 0;
  }
  const int32_t planes = bmhd[12];
  const int32_t masking = bmhd[13];
  const int32_t compression = bmhd[14];
  const int32_t transparent_index = get_be16(bmhd + 16);
  // 1-8 planes use a colour map, 24 are true colour; a 32-plane picture's fourth byte is dropped.
  if (!((planes >= 1 && planes <= 8) || planes == 24 || planes == kMaxPlanes))
    return ERR_LOADPICTURE2;

  bool ehb = false, ham6 = false, ham8 = false;
  if (planes < 24 && ilbm_find_chunk(fh, "CAMG")) {
    uint8_t camg[8];
    if (!read_exact(fh, camg, 8)) return ERR_LOADPICTURE2;
    uint32_t mode = get_be32(camg + 4);
    ehb = mode & kCamgEhb;
    if (mode & kCamgHam) (planes > 6 ? ham8 : ham6) = true;
  }

  PixelPtr pixels(picture_alloc(width, height));
  if (!pixels) return ERR_MEM;
  uint8_t size_bytes[4];
  if (!ilbm_find_chunk(fh, "BODY") || !read_exact(fh, size_bytes, 4)) return ERR_LOADPICTURE2;
  const int64_t body_size = get_be32(size_bytes);
  const int32_t rb = ilbm_row_bytes(width);
  BytePtr planar(bytes_alloc_clear(size_t(planes) * size_t(height) * size_t(rb)));
  if (!planar) return ERR_MEM;
  int32_t ok = compression == 0
                   ? ilbm_read_body_raw(fh, planar.get(), body_size, width, height, planes, masking)
                   : ilbm_read_body_byterun1(fh, planar.get(), body_size, width, height, planes,
                                             masking);
  if (!ok) return ERR_LOADPICTURE2;

  int32_t transparent = -1;
  uint32_t palette[256] = {};
  bool keep_palette = false;
  if (planes >= 24) {
    ilbm_planar_to_chunky(planar.get(), width, height, 24, rb, pixels.get(), width);
  } else {
    BytePtr chunky(bytes_alloc_clear(size_t(width) * size_t(height)));
    if (!chunky) return ERR_MEM;
    ilbm_planar_to_chunky(planar.get(), width, height, planes, rb, chunky.get(), width);
    planar.reset();

    uint8_t size4[4];
    if (!ilbm_find_chunk(fh, "CMAP") || !read_exact(fh, size4, 4)) return ERR_LOADPICTURE2;
    const int64_t count = std::min<int64_t>(get_be32(size4) / 3, 256);
    uint8_t rgb[256 * 3];
    const int64_t got = qmos_read(fh, rgb, count * 3) / 3;
    for (int64_t i = 0; i < got; ++i) palette[i] = uint32_t(palette_index_colour(rgb + 3 * i));
    if (ehb)
      for (int32_t i = 0; i < 32; ++i) palette[32 + i] = (palette[i] >> 1) & 0x7F7F7F;

    if (ham6) {
      ilbm_decode_ham6(chunky.get(), pixels.get(), palette, width, height);
    } else if (ham8) {
      ilbm_decode_ham8(chunky.get(), pixels.get(), palette, width, height);
    } else {
      choose_palette(palette, user_palette, pen, use_transparent, planes, masking,
                     transparent_index, &transparent);
      ilbm_map_palette(chunky.get(), pixels.get(), palette, width, height);
      keep_palette = true;
    }
  }

  if (palette_out) {
    *palette_out = nullptr;
    if (keep_palette) {
      auto* copy = static_cast<uint32_t*>(qmos_alloc(sizeof palette, 0));
      if (!copy) return ERR_MEM;
      std::memcpy(copy, palette, sizeof palette);
      *palette_out = copy;
    }
  }
  *pixels_out = pixels.release();
  if (transparent_out) *transparent_out = transparent;
  if (width_out) *width_out = width;
  if (height_out) *height_out = height;
  return 0;
}

// ---- Writing -----------------------------------------------------------------------------------

size_t ilbm_pack_row(const uint8_t* row, size_t n, uint8_t* out) {
  uint8_t* o = out;
  auto literal = [&](size_t from, size_t len) {
    *o++ = uint8_t(len - 1);
    std::memcpy(o, row + from, len);
    o += len;
  };
  auto run = [&](size_t len, uint8_t v) {
    *o++ = uint8_t(1 - int32_t(len));
    *o++ = v;
  };
  if (n == 0) return 0;
  // Pending bytes start at `start`; `rep` is where the current repeat began, relative to start.
  size_t start = 0, len = 1, rep = 0;
  bool running = false;
  for (size_t i = 1; i < n; ++i) {
    uint8_t c = row[i], p = row[i - 1];
    if (!running) {
      ++len;
      if (len > 128) {
        literal(start, len - 1);
        start = i;
        len = 1;
        rep = 0;
      } else if (c == p) {
        if (len - rep >= 3) {
          if (rep > 0) literal(start, rep);
          start += rep;
          len -= rep;
          rep = 0;
          running = true;
        } else if (rep == 0) {
          running = true;
        }
      } else {
        rep = len - 1;
      }
    } else if (c != p || len + 1 > 128) {
      run(len, p);
      start = i;
      len = 1;
      rep = 0;
      running = false;
    } else {
      ++len;
    }
  }
  if (running) run(len, row[start]);
  else literal(start, len);
  return size_t(o - out);
}

int32_t ilbm_save(const char* name, const uint32_t* pixels, int32_t width, int32_t height) {
  if (width < 1 || height < 1 || width > 65535 || height > 65535) {
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  FilePtr file(qmos_save_open(name));
  if (!file) {
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  qmFileHandle* fh = file.get();
  uint8_t head[48] = {};
  std::memcpy(head, "FORM", 4);
  std::memcpy(head + 8, "ILBMBMHD", 8);
  put_be32(head + 16, 20);
  put_be16(head + 20, uint16_t(width));
  put_be16(head + 22, uint16_t(height));
  head[28] = 24;  // planes; masking 0
  head[30] = 1;   // ByteRun1
  head[34] = 1;   // aspect 1:1
  head[35] = 1;
  put_be16(head + 36, uint16_t(width));
  put_be16(head + 38, uint16_t(height));
  std::memcpy(head + 40, "BODY", 4);
  bool ok = qmos_write(fh, head, 48) == 48;

  const int32_t rb = ilbm_row_bytes(width);
  std::vector<uint8_t> planes, packed;
  try {
    planes.assign(size_t(rb) * 24, 0);
    packed.resize(ilbm_pack_bound(size_t(rb)) * 24);
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  int64_t count = 0;
  for (int32_t y = 0; ok && y < height; ++y) {
    const uint32_t* s = pixels + size_t(y) * size_t(width);
    std::fill(planes.begin(), planes.end(), 0);
    for (int32_t x = 0; x < width; x += 8) {
      const int32_t n = std::min(8, width - x);
      for (int32_t comp = 0; comp < 3; ++comp) {
        const int32_t shift = 16 - 8 * comp;  // red, green, blue
        uint64_t v = 0;
        for (int32_t i = 0; i < n; ++i) v |= uint64_t((s[x + i] >> shift) & 255) << (8 * (7 - i));
        v = transpose8(v);  // plane p of this component in byte p
        for (int32_t p = 0; p < 8; ++p)
          planes[size_t(comp * 8 + p) * size_t(rb) + size_t(x / 8)] = uint8_t(v >> (8 * p));
      }
    }
    size_t row_len = 0;
    for (int32_t p = 0; p < 24; ++p)
      row_len += ilbm_pack_row(planes.data() + size_t(p) * size_t(rb), size_t(rb),
                               packed.data() + row_len);
    ok = qmos_write(fh, packed.data(), int64_t(row_len)) == int64_t(row_len);
    count += int64_t(row_len);
  }
  if (ok && (count & 1)) ok = qmos_write_byte(fh, 0) == 1;
  uint8_t size[4];
  put_be32(size, uint32_t(count));
  qmos_seek(fh, 44, QMOS_SEEK_BEGINNING);
  ok = ok && qmos_write(fh, size, 4) == 4;
  put_be32(size, uint32_t(40 + count + (count & 1)));
  qmos_seek(fh, 4, QMOS_SEEK_BEGINNING);
  ok = ok && qmos_write(fh, size, 4) == 4;
  if (!ok || !qmos_save_commit(file.release())) {
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  return 0;
}

}  // namespace qm
