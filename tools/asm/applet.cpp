#include "tools/asm/applet.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "engine/endian.h"

namespace qm::asmx {

namespace {

struct Bytes {
  std::vector<uint8_t> v;
  void u8(uint8_t x) { v.push_back(x); }
  void u16(uint16_t x) {
    uint8_t b[2];
    put_be16(b, x);
    for (uint8_t c : b) v.push_back(c);
  }
  void u32(uint32_t x) {
    uint8_t b[4];
    put_be32(b, x);
    for (uint8_t c : b) v.push_back(c);
  }
  void millionths(double d) { u32(uint32_t(d * 1000000.0 + 0.5)); }
};

void gradient(Bytes& b, const GradientFields& g) {
  b.u8(g.style);
  b.millionths(g.centre_x);
  b.millionths(g.centre_y);
  b.millionths(g.balance);
  b.millionths(g.border);
  b.u8(uint8_t(g.stops.size()));
  for (const auto& s : g.stops) {
    b.u32(s.first);
    b.millionths(s.second);
  }
}

}  // namespace

std::vector<uint8_t> payload_bgpic(int32_t version, uint8_t fill_style, uint32_t color,
                                   uint32_t end_color, int16_t angle, int32_t texture_brush,
                                   int32_t texture_x, int32_t texture_y, const GradientFields& g) {
  Bytes b;
  if (version >= 407) {
    b.u8(fill_style);
    b.u32(color);
    b.u32(end_color);
    b.u16(uint16_t(angle));
    b.u32(uint32_t(texture_brush));
    b.u32(uint32_t(texture_x));
    b.u32(uint32_t(texture_y));
  }
  if (version >= 500) gradient(b, g);
  return b.v;
}

std::vector<uint8_t> payload_brush(int32_t version, int16_t w, int16_t h, int16_t x, int16_t y,
                                   int16_t global_alpha, uint8_t hardware) {
  Bytes b;
  for (int16_t v : {w, h, x, y, global_alpha}) b.u16(uint16_t(v));
  if (version >= 500) b.u8(hardware);
  return b.v;
}

std::vector<uint8_t> payload_sprite(int16_t w, int16_t h, int16_t frames, int16_t fpr, int16_t x,
                                    int16_t y) {
  Bytes b;
  for (int16_t v : {w, h, frames, fpr, x, y}) b.u16(uint16_t(v));
  return b.v;
}

std::vector<uint8_t> payload_anim(int32_t version, uint8_t from_disk, int16_t w, int16_t h,
                                  int16_t frames, int16_t fpr, int16_t x, int16_t y) {
  Bytes b;
  if (version >= 300) b.u8(from_disk);
  if (version >= 401) {
    std::vector<uint8_t> rest = payload_sprite(w, h, frames, fpr, x, y);
    b.v.insert(b.v.end(), rest.begin(), rest.end());
  }
  return b.v;
}

std::vector<uint8_t> payload_button(int16_t a, int16_t b2, int16_t c, int16_t d) {
  Bytes b;
  for (int16_t v : {a, b2, c, d}) b.u16(uint16_t(v));
  return b.v;
}

std::vector<uint8_t> payload_display(int32_t version, const DisplayFields& d) {
  Bytes b;
  for (uint32_t v : {uint32_t(d.bgpic), uint32_t(d.x), uint32_t(d.y), uint32_t(d.width),
                     uint32_t(d.height), d.color, d.flags, d.given_mask, uint32_t(d.scale_width),
                     uint32_t(d.scale_height)})
    b.u32(v);
  for (const auto* regions : {&d.drag, &d.size}) {
    b.u32(uint32_t(regions->size()));
    for (const RegionFields& r : *regions)
      for (int32_t v : {r.type, r.x, r.y, r.width, r.height}) b.u32(uint32_t(v));
  }
  b.u16(uint16_t(d.title.size()));
  b.v.insert(b.v.end(), d.title.begin(), d.title.end());
  if (version >= 407) {
    b.u8(d.fill_style);
    b.u32(d.end_color);
    b.u16(uint16_t(d.angle));
    b.u32(uint32_t(d.texture_brush));
    b.u32(uint32_t(d.texture_x));
    b.u32(uint32_t(d.texture_y));
  }
  if (version >= 500) gradient(b, d.gradient);
  return b.v;
}

AppletWriter::AppletWriter() { raw("QMA\0", 4); }

void AppletWriter::raw(const void* p, size_t n) {
  const uint8_t* b = static_cast<const uint8_t*>(p);
  out_.insert(out_.end(), b, b + n);
}

void AppletWriter::u16(uint16_t v) {
  uint8_t b[2];
  put_be16(b, v);
  raw(b, 2);
}

void AppletWriter::u32(uint32_t v) {
  uint8_t b[4];
  put_be32(b, v);
  raw(b, 4);
}

void AppletWriter::f64(double v) {
  uint8_t b[8];
  put_be64(b, std::bit_cast<uint64_t>(v));
  raw(b, 8);
}

void AppletWriter::cstring(std::string_view s) {
  raw(s.data(), s.size());
  u8(0);
}

uint32_t AppletWriter::data(std::string_view bytes) {
  u8(0);
  u32(uint32_t(bytes.size()));
  uint32_t at = uint32_t(out_.size());
  raw(bytes.data(), bytes.size());
  return at;
}

void AppletWriter::bytecode(const std::vector<uint8_t>& chunk) {
  u8(1);
  u32(uint32_t(chunk.size()));
  raw(chunk.data(), chunk.size());
}

void AppletWriter::declarations(const std::vector<DeclRecord>& decls) {
  std::vector<std::pair<uint32_t, uint32_t>> names, linked;
  for (const DeclRecord& d : decls) {
    names.emplace_back(d.name.empty() ? 0 : data(d.name), uint32_t(d.name.size()));
    linked.emplace_back(d.linked.empty() ? 0 : data(d.linked), uint32_t(d.linked.size()));
  }
  u8(2);
  u32(uint32_t(decls.size()));
  for (size_t i = 0; i < decls.size(); ++i) {
    const DeclRecord& d = decls[i];
    u8(d.type);
    u32(uint32_t(d.id));
    u32(names[i].first);
    u32(names[i].second);
    u32(linked[i].first);
    u32(linked[i].second);
    u32(uint32_t(d.arg1));
    u32(uint32_t(d.arg2));
    u32(uint32_t(d.context));
    raw(d.payload.data(), d.payload.size());
  }
}

void AppletWriter::version(uint8_t major, uint8_t minor) {
  u8(10);
  u8(major);
  u8(minor);
}

void AppletWriter::text(uint8_t tag, std::string_view s) {
  u8(tag);
  cstring(s);
}

void AppletWriter::labels(const std::vector<std::pair<std::string, int32_t>>& labels) {
  u8(9);
  u32(uint32_t(labels.size()));
  for (const auto& [name, value] : labels) {
    u32(uint32_t(value));
    cstring(name);
  }
}

void AppletWriter::number_constant(std::string_view name, double v) {
  u8(31);
  cstring(name);
  u8(0);
  f64(v);
  u8(0);
}

void AppletWriter::string_constant(std::string_view name, std::string_view v) {
  u8(31);
  cstring(name);
  u8(1);
  cstring(v);
  u8(0);
}

void AppletWriter::includes(const std::vector<IncludeRecord>& records) {
  u8(8);
  u32(uint32_t(records.size()));
  for (const IncludeRecord& r : records) {
    u32(uint32_t(r.first));
    u32(uint32_t(r.last));
    u32(uint32_t(r.offset));
    cstring(r.name);
  }
}

void AppletWriter::linked_files(const std::vector<LinkedEntry>& files) {
  std::vector<uint32_t> offsets;
  for (const LinkedEntry& f : files) offsets.push_back(f.stored_elsewhere ? data(f.data) : 0);
  u8(26);
  u32(uint32_t(files.size()));
  u32(0);
  for (size_t i = 0; i < files.size(); ++i) {
    const LinkedEntry& f = files[i];
    cstring(f.name);
    if (f.stored_elsewhere) {
      u32(0xFFFFFFFFu);
      u32(uint32_t(f.data.size()));
      u32(offsets[i]);
    } else {
      u32(uint32_t(f.data.size()));
      raw(f.data.data(), f.data.size());
    }
  }
}

std::vector<uint8_t> compress_applet(const std::vector<uint8_t>& plain) {
  uLongf room = compressBound(uLong(plain.size()));
  std::vector<uint8_t> out(8 + room);
  std::copy_n("QMZ\0\0\0\0\0", 8, out.begin());
  if (compress2(out.data() + 8, &room, plain.data(), uLong(plain.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
    throw std::runtime_error("compression failed");
  out.resize(8 + room);
  return out;
}

}  // namespace qm::asmx
