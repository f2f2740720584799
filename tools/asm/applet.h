// Applet writer for tests and qmasm: builds the tagged-section file that the player reads
// (runtime/applet.h), valid or deliberately broken. Sections are written in the order they are
// added; `raw` writes any bytes, so a test can cut, corrupt or invent sections.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm::asmx {

// One declared object. Name and linked data are stored in data sections (tag 0) ahead of the
// declaration section and addressed by their applet offsets.
struct DeclRecord {
  uint8_t type = 0;
  int32_t id = 1;
  std::string name;         // empty: no source name
  std::string linked;       // the linked file's bytes; empty: not linked
  int32_t arg1 = -1;
  int32_t arg2 = 0;
  int32_t context = 0;
  std::vector<uint8_t> payload;  // the type's payload, as made by the payload helpers below
};

// Payload encoders; `version` is major * 100 + minor of the applet they go into and decides
// which version-dependent fields are written.
struct GradientFields {
  uint8_t style = 2;
  double centre_x = 0.5, centre_y = 0.5, balance = 0.5, border = 0;
  std::vector<std::pair<uint32_t, double>> stops;
};
std::vector<uint8_t> payload_bgpic(int32_t version, uint8_t fill_style, uint32_t color,
                                   uint32_t end_color, int16_t angle, int32_t texture_brush,
                                   int32_t texture_x, int32_t texture_y,
                                   const GradientFields& g = {});
std::vector<uint8_t> payload_brush(int32_t version, int16_t w, int16_t h, int16_t x, int16_t y,
                                   int16_t global_alpha, uint8_t hardware);
std::vector<uint8_t> payload_sprite(int16_t w, int16_t h, int16_t frames, int16_t fpr, int16_t x,
                                    int16_t y);
std::vector<uint8_t> payload_anim(int32_t version, uint8_t from_disk, int16_t w, int16_t h,
                                  int16_t frames, int16_t fpr, int16_t x, int16_t y);
std::vector<uint8_t> payload_button(int16_t a, int16_t b, int16_t c, int16_t d);

struct RegionFields {
  int32_t type = 0, x = 0, y = 0, width = 0, height = 0;
};
struct DisplayFields {
  int32_t bgpic = 0, x = -100000, y = -100000, width = 640, height = 480;
  uint32_t color = 0, flags = 0, given_mask = 0;
  int32_t scale_width = 0, scale_height = 0;
  std::vector<RegionFields> drag, size;
  std::string title = "Quillmere";
  uint8_t fill_style = 1;
  uint32_t end_color = 0;
  int16_t angle = 0;
  int32_t texture_brush = 0, texture_x = 0, texture_y = 0;
  GradientFields gradient;
};
std::vector<uint8_t> payload_display(int32_t version, const DisplayFields& d);

struct LinkedEntry {
  std::string name;
  std::string data;
  bool stored_elsewhere = false;  // size 0xFFFFFFFF: data in a data section, addressed by offset
};

// Lines first..last of the joined script are lines offset+1.. of the file name.
struct IncludeRecord {
  int32_t first = 1, last = 1, offset = 0;
  std::string name;
};

class AppletWriter {
 public:
  AppletWriter();  // writes the magic "QMA\0"

  const std::vector<uint8_t>& bytes() const { return out_; }
  size_t size() const { return out_.size(); }

  // Low-level pieces.
  void raw(const void* p, size_t n);
  void u8(uint8_t v) { out_.push_back(v); }
  void u16(uint16_t v);
  void u32(uint32_t v);
  void f64(double v);
  void cstring(std::string_view s);  // bytes and a NUL

  // Sections.
  uint32_t data(std::string_view bytes);  // tag 0; returns the applet offset of the bytes
  void bytecode(const std::vector<uint8_t>& chunk);  // tag 1
  void declarations(const std::vector<DeclRecord>& decls);  // data sections, then tag 2
  void version(uint8_t major, uint8_t minor);  // tag 10
  void text(uint8_t tag, std::string_view s);  // tags 11..15
  void labels(const std::vector<std::pair<std::string, int32_t>>& labels);  // tag 9
  void number_constant(std::string_view name, double v);  // tag 31 with one entry
  void string_constant(std::string_view name, std::string_view v);
  void linked_files(const std::vector<LinkedEntry>& files);  // tag 26
  void includes(const std::vector<IncludeRecord>& records);  // tag 8
  void flag(uint8_t tag, uint8_t value) { u8(tag), u8(value); }

 private:
  std::vector<uint8_t> out_;
};

// The compressed form: "QMZ\0", 4 reserved bytes and the plain applet as one zlib stream at the
// default level.
std::vector<uint8_t> compress_applet(const std::vector<uint8_t>& plain);

}  // namespace qm::asmx
