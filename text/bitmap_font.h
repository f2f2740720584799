// The bitmap font engine: fonts in the classic disk font format, a contents file (".font") that
// lists a font's sizes and one font file per size with the glyph strip and the glyph tables (all
// numbers big-endian), and the built-in 8x8 font "quill".
//
// Contents file: id 0x0F00 or 0x0F02, an entry count, then 260-byte entries: the size file's path
// (256 bytes, zero-terminated, relative to the contents file's folder, or a ":::chunk" name of a
// file linked into the applet), the y size, a style byte and a flags byte.
// Font file: offsets from its start; every pointer counts from offset 32.
//   50 id 0x0F80 | 110 y size | 112 style (64: colour) | 113 flags (32: proportional) | 114 x size
//   116 baseline | 118 bold smear | 120 accessors | 122 first code | 123 last code
//   124 glyph strip | 128 modulo (bytes per strip row) | 130 location table | 134 space table
//   138 kern table | colour fonts: 144 depth | 148 plane pick | 150 colour record | 154 8 planes
// The tables hold one entry per code from the first to the last and one more, the glyph of every
// code outside that range: locations (bit offset << 16 | width), advances, kern offsets.
//
// A file is outside input: every pointer and size is checked against the file before anything is
// allocated, and a file that fails a check is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/font.h"

namespace qm {
struct qmMask;
}

struct qmBitmapFont {
  int32_t y_size = 0, style = 0, flags = 0, x_size = 0, baseline = 0, bold_smear = 0, accessors = 0;
  int32_t first = 0, last = 0;
  std::vector<uint8_t> strip;  // kind 1: modulo x y_size bytes
  int32_t modulo = 0;
  std::vector<uint32_t> locations;   // glyph_count entries
  std::vector<int16_t> space, kern;  // empty when the font has none
  int32_t glyph_count = 0;
  qm::qmMask* glyph_mask = nullptr;  // kind 1: the strip as a mask record, for drawing in a colour
  std::vector<uint8_t>
      narrow;  // kind 1 whose glyphs are at most 8 wide: each row as a left-aligned byte
};

// Reads the font of that size from a contents file (".font" appended unless the name ends so, or
// a linked ":::chunk" name as it is). The font gets kind 1 (or 2 for a colour font), its metrics,
// and the display name (for a linked name the name between '*' and '/', else the name as it
// stands when display is null). 1 on success; 0 (nothing kept) for a missing file, a wrong id, no
// entry of that size or a file that fails a check.
int32_t bitmap_font_read(const char* contents, int32_t size, qmFont* font, const char* display);
// Advance, height and ink box (x 0 .. advance - 1 for a plain fixed-width font).
void bitmap_font_measure(const qmFont* font, const uint32_t* codes, size_t count,
                         qmFontExtent* out);
// Draws the glyphs with the top of the line at (x, y); see FONTRENDER_* for the modes.
void bitmap_font_render(const qmFont* font, const qmFontTarget& target, int32_t x, int32_t y,
                        const uint32_t* codes, size_t count, int32_t mode, const qmClipRect& clip);
void bitmap_font_close(qmFont* font);

// The built-in "quill" at size 8 (null, or std::bad_alloc, when memory runs out), and its release.
qmFont* bitmap_font_default_create();
void bitmap_font_free_default(qmFont* font);
