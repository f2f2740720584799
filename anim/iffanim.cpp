// IFF ANIM: a "FORM" "ANIM" whose first "FORM" "ILBM" is a whole picture and whose later ones
// carry byte-vertical deltas (ANHD operation 5).
//
// Layout the reader keeps: planar buffers of `planes` planes, each `height` rows of row_bytes
// bytes (the ILBM helpers' layout). `first` holds frame 0; delta[0] and delta[1] are the two
// buffers that frames alternate between, so that a delta of interleave 0 applies to the frame two
// steps back. HAM's 24-bit output never changes these sizes: the stored plane count (6 or 8) is
// what the buffers and deltas use.
//
// Every DLTA is read whole (no more than the file holds) and every read of it is bounded by the
// bytes read; every write stays inside its column. A violation fails that frame only, and the
// next request starts over from the first frame.
#include <algorithm>
#include <cstdint>
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

constexpr uint32_t kCamgEhb = 0x80;
constexpr uint32_t kCamgHam = 0x800;
constexpr int32_t kMaxPlanes = 8;
constexpr int32_t kDeltaPlanePointers = 16;
constexpr int32_t kByteVerticalDelta = 5;

bool id_is(const uint8_t* p, const char* id) {
  return std::memcmp(p, id, 4) == 0;
}

int64_t padded(int64_t size) {
  return size + (size & 1);
}

}  // namespace

struct qmIffAnim {
  FilePtr file;
  int64_t file_length = 0;
  uint32_t palette[256] = {};
  uint32_t first_palette[256] = {};
  int32_t width = 0, height = 0, planes = 0, masking = 0, compression = 0;
  bool ehb = false, ham6 = false, ham8 = false;
  int32_t row_bytes = 0;
  size_t plane_size = 0, planar_size = 0;
  BytePtr first, delta[2], chunky;
  int32_t current = 0;
  int32_t frames = 0;
  int32_t next = 0;  // the next frame that decoding reaches without starting over
  int64_t second_form = 0;
  std::vector<uint32_t> jiffies;  // frame i's delay, once known
  std::vector<uint8_t> dlta;
  int64_t decoded = 0;
};

namespace {

struct Chunk {
  uint8_t id[4];
  int64_t size;
  int64_t data;  // file offset of the first data byte
};

// The chunk header at the current position; false at the end of the file.
bool read_chunk(qmIffAnim* a, Chunk* c) {
  uint8_t h[8];
  c->data = qmos_seek(a->file.get(), 0, QMOS_SEEK_CURRENT) + 8;
  if (!read_exact(a->file.get(), h, 8)) return false;
  std::memcpy(c->id, h, 4);
  c->size = get_be32(h + 4);
  return true;
}

void skip_chunk(qmIffAnim* a, const Chunk& c) {
  qmos_seek(a->file.get(), std::min(c.data + padded(c.size), a->file_length), QMOS_SEEK_BEGINNING);
}

// The first n bytes of a chunk's data (zero-filled when the chunk is shorter); the file then
// stands behind the chunk. false when the file ends inside the bytes asked for.
bool read_fields(qmIffAnim* a, const Chunk& c, uint8_t* out, int64_t n) {
  std::memset(out, 0, size_t(n));
  int64_t take = std::min(n, c.size);
  bool ok = read_exact(a->file.get(), out, take);
  skip_chunk(a, c);
  return ok;
}

// A CMAP replaces palette entries from 0 on; colours past 256 are skipped.
bool read_cmap(qmIffAnim* a, const Chunk& c) {
  uint8_t rgb[256 * 3];
  const int64_t count = std::min<int64_t>(c.size / 3, 256);
  if (!read_exact(a->file.get(), rgb, count * 3)) return false;
  for (int64_t i = 0; i < count; ++i)
    a->palette[i] = (uint32_t(rgb[3 * i]) << 16) | (uint32_t(rgb[3 * i + 1]) << 8) | rgb[3 * i + 2];
  if (a->ehb)
    for (int32_t i = 0; i < 32; ++i) a->palette[32 + i] = (a->palette[i] >> 1) & 0x7F7F7F;
  skip_chunk(a, c);
  return true;
}

void set_delay(qmIffAnim* a, int32_t frame, uint32_t jiffies) {
  if (size_t(frame) >= a->jiffies.size()) a->jiffies.resize(size_t(frame) + 1, 0);
  a->jiffies[size_t(frame)] = jiffies;
}

// A FORM header at offset; true when one stands there whole.
bool form_at(qmIffAnim* a, int64_t offset, int64_t* size) {
  if (offset < 0 || offset + 8 > a->file_length) return false;
  qmos_seek(a->file.get(), offset, QMOS_SEEK_BEGINNING);
  uint8_t h[8];
  if (!read_exact(a->file.get(), h, 8) || !id_is(h, "FORM")) return false;
  if (size) *size = get_be32(h + 4);
  return true;
}

// The frames from the second FORM to the end of the file, the first frame included; 0 when
// something other than a FORM stands between them. A FORM that the file cuts short is no frame.
int32_t count_forms(qmIffAnim* a) {
  int64_t at = a->second_form, size = 0;
  int32_t n = 1;
  while (at + 8 <= a->file_length) {
    if (!form_at(a, at, &size) || n == INT32_MAX) return 0;
    if (size > a->file_length - at - 8) break;
    ++n;
    at += 8 + padded(size);
  }
  return n;
}

// The first FORM's chunks up to and including BODY: the picture's header, colours and planes.
int32_t read_first_frame(qmIffAnim* a, int64_t* body_end) {
  qmos_seek(a->file.get(), 24, QMOS_SEEK_BEGINNING);
  Chunk c;
  bool bmhd = false;
  uint16_t dpan_frames = 0;
  for (;;) {
    if (!read_chunk(a, &c)) return ERR_OPENANIM2;
    uint8_t f[20];
    if (id_is(c.id, "BODY")) break;
    if (id_is(c.id, "BMHD")) {
      if (c.size < 20 || !read_fields(a, c, f, 20)) return ERR_OPENANIM2;
      a->width = get_be16(f);
      a->height = get_be16(f + 2);
      a->planes = f[8];
      a->masking = f[9];
      a->compression = f[10];
      bmhd = true;
    } else if (id_is(c.id, "ANHD")) {
      if (!read_fields(a, c, f, 18)) return ERR_OPENANIM2;
      set_delay(a, 0, get_be32(f + 14));
    } else if (id_is(c.id, "CMAP")) {
      if (!read_cmap(a, c)) return ERR_OPENANIM2;
    } else if (id_is(c.id, "DPAN")) {
      if (!read_fields(a, c, f, 4)) return ERR_OPENANIM2;
      dpan_frames = get_be16(f + 2);
    } else if (id_is(c.id, "CAMG")) {
      if (!read_fields(a, c, f, 4)) return ERR_OPENANIM2;
      const uint32_t mode = get_be32(f);
      a->ehb = mode & kCamgEhb;
      if (mode & kCamgHam) (a->planes > 6 ? a->ham8 : a->ham6) = true;
    } else {
      skip_chunk(a, c);
    }
  }
  if (!bmhd || a->width < 1 || a->height < 1 || a->planes < 1 || a->planes > kMaxPlanes)
    return ERR_OPENANIM2;
  // CAMG may come before BMHD: HAM8 or HAM6 follows the final plane count.
  if (a->ham6 || a->ham8) {
    a->ham8 = a->planes > 6;
    a->ham6 = !a->ham8;
  }
  // The half-brite colours follow the whole colour map, wherever CAMG stood.
  if (a->ehb)
    for (int32_t i = 0; i < 32; ++i) a->palette[32 + i] = (a->palette[i] >> 1) & 0x7F7F7F;
  if (!picture_size_allowed(a->width, a->height)) return ERR_MEM;
  std::memcpy(a->first_palette, a->palette, sizeof a->palette);

  a->row_bytes = ilbm_row_bytes(a->width);
  a->plane_size = size_t(a->row_bytes) * size_t(a->height);
  a->planar_size = a->plane_size * size_t(a->planes);
  a->first.reset(bytes_alloc_clear(a->planar_size));
  a->delta[0].reset(bytes_alloc_clear(a->planar_size));
  a->delta[1].reset(bytes_alloc_clear(a->planar_size));
  a->chunky.reset(bytes_alloc_clear(size_t(a->width) * size_t(a->height)));
  if (!a->first || !a->delta[0] || !a->delta[1] || !a->chunky) return ERR_MEM;

  const int32_t ok = a->compression
                         ? ilbm_read_body_byterun1(a->file.get(), a->first.get(), c.size, a->width,
                                                   a->height, a->planes, a->masking)
                         : ilbm_read_body_raw(a->file.get(), a->first.get(), c.size, a->width,
                                              a->height, a->planes, a->masking);
  if (!ok) return ERR_OPENANIM2;
  *body_end = c.data + padded(c.size);
  a->frames = dpan_frames;
  return 0;
}

void start_over(qmIffAnim* a) {
  std::memcpy(a->delta[0].get(), a->first.get(), a->planar_size);
  std::memcpy(a->delta[1].get(), a->first.get(), a->planar_size);
  std::memcpy(a->palette, a->first_palette, sizeof a->palette);
  a->current = 0;
  a->next = 0;
  qmos_seek(a->file.get(), a->second_form, QMOS_SEEK_BEGINNING);
}

// One column of one plane: op count, then ops down the column. false when an op reads past the
// DLTA or writes past the column's last row.
template <bool kXor>
bool apply_column(const uint8_t* d, size_t size, size_t* at, uint8_t* column, int32_t row_bytes,
                  int32_t height) {
  size_t p = *at;
  if (p >= size) return false;
  int32_t ops = d[p++];
  int32_t row = 0;
  auto put = [&](uint8_t v) {
    uint8_t* dst = column + size_t(row) * size_t(row_bytes);
    *dst = kXor ? uint8_t(*dst ^ v) : v;
    ++row;
  };
  while (ops-- > 0) {
    if (p >= size) return false;
    const int32_t op = d[p++];
    if (op & 0x80) {
      const int32_t n = op & 0x7F;
      if (size - p < size_t(n) || row + n > height) return false;
      for (int32_t i = 0; i < n; ++i) put(d[p++]);
    } else if (op == 0) {
      if (size - p < 2) return false;
      const int32_t n = d[p];
      const uint8_t v = d[p + 1];
      p += 2;
      if (row + n > height) return false;
      for (int32_t i = 0; i < n; ++i) put(v);
    } else {
      row += op;
    }
  }
  *at = p;
  return true;
}

template <bool kXor>
bool apply_delta(qmIffAnim* a, uint8_t* planar) {
  const uint8_t* d = a->dlta.data();
  const size_t size = a->dlta.size();
  if (size < size_t(kDeltaPlanePointers) * 4) return false;
  for (int32_t plane = 0; plane < a->planes; ++plane) {
    size_t at = get_be32(d + 4 * plane);
    if (at == 0) continue;
    uint8_t* base = planar + size_t(plane) * a->plane_size;
    for (int32_t c = 0; c < a->row_bytes; ++c)
      if (!apply_column<kXor>(d, size, &at, base + c, a->row_bytes, a->height)) return false;
  }
  return true;
}

// Decodes the delta frame whose FORM the file stands at into the buffers.
bool decode_delta(qmIffAnim* a, int32_t frame) {
  int64_t form_size = 0;
  const int64_t form = qmos_seek(a->file.get(), 0, QMOS_SEEK_CURRENT);
  if (!form_at(a, form, &form_size)) return false;
  const int64_t form_end = std::min(form + 8 + padded(form_size), a->file_length);
  qmos_seek(a->file.get(), form + 12, QMOS_SEEK_BEGINNING);  // behind the form type

  bool anhd = false;
  int32_t interleave = 0;
  Chunk c;
  for (;;) {
    if (qmos_seek(a->file.get(), 0, QMOS_SEEK_CURRENT) >= form_end || !read_chunk(a, &c))
      return false;
    if (id_is(c.id, "DLTA")) break;
    if (id_is(c.id, "ANHD")) {
      uint8_t f[19];
      if (!read_fields(a, c, f, 19) || f[0] != kByteVerticalDelta) return false;
      set_delay(a, frame, get_be32(f + 14));
      interleave = f[18];
      anhd = true;
    } else if (id_is(c.id, "CMAP")) {
      if (!read_cmap(a, c)) return false;
    } else {
      skip_chunk(a, c);
    }
  }
  if (!anhd) return false;

  const int64_t take = std::max<int64_t>(0, std::min(c.size, a->file_length - c.data));
  try {
    a->dlta.resize(size_t(take));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!read_exact(a->file.get(), a->dlta.data(), take)) return false;
  qmos_seek(a->file.get(), std::max(form_end, c.data + take), QMOS_SEEK_BEGINNING);

  if (interleave == 0) a->current ^= 1;
  uint8_t* planar = a->delta[a->current].get();
  ++a->decoded;
  return interleave == 1 ? apply_delta<true>(a, planar) : apply_delta<false>(a, planar);
}

uint32_t* to_pixels(qmIffAnim* a, const uint8_t* planar) {
  uint32_t* px = picture_alloc(a->width, a->height);
  if (!px) return nullptr;
  ilbm_planar_to_chunky(planar, a->width, a->height, a->planes, a->row_bytes, a->chunky.get(),
                        a->width);
  if (a->ham6)
    ilbm_decode_ham6(a->chunky.get(), px, a->palette, a->width, a->height);
  else if (a->ham8)
    ilbm_decode_ham8(a->chunky.get(), px, a->palette, a->width, a->height);
  else
    ilbm_map_palette(a->chunky.get(), px, a->palette, a->width, a->height);
  return px;
}

}  // namespace

int32_t iffanim_open(const char* name, qmIffAnim** out, int32_t* width, int32_t* height,
                     int32_t* frames) {
  auto* a = new (std::nothrow) qmIffAnim;
  if (!a) return ERR_MEM;
  std::unique_ptr<qmIffAnim> owner(a);
  a->file.reset(qmos_open(name, QMOS_MODE_READ));
  if (!a->file) return ERR_READFILE;
  a->file_length = qmos_seek(a->file.get(), 0, QMOS_SEEK_END);
  a->file_length = qmos_seek(a->file.get(), 0, QMOS_SEEK_BEGINNING);

  uint8_t head[24];
  if (!read_exact(a->file.get(), head, 24) || !id_is(head, "FORM") || !id_is(head + 8, "ANIM") ||
      !id_is(head + 12, "FORM") || !id_is(head + 20, "ILBM"))
    return ERR_OPENANIM2;
  const int64_t first_end = 20 + padded(get_be32(head + 16));

  int64_t body_end = 0;
  if (int32_t err = read_first_frame(a, &body_end)) return err;

  // Some writers give the first FORM a wrong size: its frame then ends with its BODY.
  if (form_at(a, first_end, nullptr))
    a->second_form = first_end;
  else if (form_at(a, body_end, nullptr))
    a->second_form = body_end;
  else
    return ERR_OPENANIM2;
  if (a->frames == 0 && (a->frames = count_forms(a)) == 0) return ERR_OPENANIM2;

  start_over(a);
  *out = owner.release();
  if (width) *width = a->width;
  if (height) *height = a->height;
  if (frames) *frames = a->frames;
  return 0;
}

uint32_t* iffanim_load_frame(qmIffAnim* a, int32_t index) {
  if (!a || index < 0 || index >= a->frames) return nullptr;
  if (index < a->next) start_over(a);
  // Frame 0 is the first frame's planes, which both buffers hold after starting over.
  if (a->next == 0) a->next = 1;
  while (a->next <= index) {
    if (!decode_delta(a, a->next)) {
      a->next = a->frames + 1;  // the buffers are spoilt: the next request starts over
      return nullptr;
    }
    ++a->next;
  }
  uint32_t* px = to_pixels(a, index == 0 ? a->first.get() : a->delta[a->current].get());
  if (index == a->frames - 1) start_over(a);
  return px;
}

int32_t iffanim_frame_delay(const qmIffAnim* a, int32_t index) {
  if (!a || index < 0 || size_t(index) >= a->jiffies.size()) return 0;
  return int32_t(std::min<int64_t>(int64_t(a->jiffies[size_t(index)]) * 1000 / 60, INT32_MAX));
}

int64_t iffanim_decode_count(const qmIffAnim* a) {
  return a ? a->decoded : 0;
}

void iffanim_close(qmIffAnim* a) {
  delete a;
}

}  // namespace qm
