// quillfont generate <mono.ttf> > quill.txt
//   Renders codes 32..255 of a monospaced face in FreeType's mono mode at 8 pixels into 8x8 cells
//   (baseline on row 6) and writes them as text: a header line per glyph ("0x41 A", the last one
//   "fallback"), then 8 rows of '.' (clear) and '#' (set). The glyphs were then corrected by hand;
//   the committed text is the source of truth, not this output.
// quillfont pack <quill.txt> <out.cpp>
//   Reads that text and writes the glyph strip (one 8-pixel column block per glyph, 8 rows of
//   `kQuillModulo` bytes) and the location table (bit offset << 16 | width) as C++ arrays.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kFirst = 32, kLast = 255, kCell = 8, kBaseline = 6;
constexpr int kGlyphs = kLast - kFirst + 2;

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "quillfont: %s\n", what.c_str());
  std::exit(1);
}

// The character as UTF-8, for the header line; control-like codes get none.
std::string utf8_of(int code) {
  if (code < 33 || (code >= 0x7F && code < 0xA1) || code == 0xAD) return "";
  std::string s;
  if (code < 0x80) {
    s += char(code);
  } else {
    s += char(0xC0 | (code >> 6));
    s += char(0x80 | (code & 0x3F));
  }
  return s;
}

int generate(const char* path) {
  FT_Library lib;
  FT_Face face;
  if (FT_Init_FreeType(&lib) || FT_New_Face(lib, path, 0, &face)) fail("cannot open the face");
  if (FT_Set_Pixel_Sizes(face, 0, kCell)) fail("cannot size the face");
  std::printf(
      "# quill: the player's built-in 8x8 font: codes 32..255, then the glyph drawn for every "
      "code\n"
      "# outside them. Each glyph is its code (and the character, UTF-8), then 8 rows of 8 "
      "pixels,\n"
      "# '#' set. Rows 0..5 stand above the baseline, rows 6 and 7 below it.\n");
  for (int code = kFirst; code <= kLast + 1; ++code) {
    bool cell[kCell][kCell] = {};
    if (code <= kLast) {
      if (FT_Load_Char(face, FT_ULong(code), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO))
        fail("cannot load a glyph");
      const FT_Bitmap& bm = face->glyph->bitmap;
      for (unsigned r = 0; r < bm.rows; ++r) {
        for (unsigned c = 0; c < bm.width; ++c) {
          int y = kBaseline - face->glyph->bitmap_top + int(r),
              x = face->glyph->bitmap_left + int(c);
          if (y < 0 || y >= kCell || x < 0 || x >= kCell) continue;
          cell[y][x] = (bm.buffer[r * unsigned(bm.pitch) + (c >> 3)] >> (7 - (c & 7))) & 1;
        }
      }
      std::printf("0x%02X%s%s\n", code, utf8_of(code).empty() ? "" : " ", utf8_of(code).c_str());
    } else {
      for (int i = 1; i < 6; ++i) cell[i][1] = cell[i][5] = cell[1][i] = cell[5][i] = true;
      std::printf("fallback\n");
    }
    for (auto& row : cell) {
      for (bool b : row) std::putchar(b ? '#' : '.');
      std::putchar('\n');
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(lib);
  return 0;
}

int pack(const char* in_path, const char* out_path) {
  std::ifstream in(in_path);
  if (!in) fail(std::string("cannot read ") + in_path);
  std::vector<std::vector<std::string>> glyphs;
  std::string line;
  int line_no = 0;
  while (std::getline(in, line)) {
    ++line_no;
    const bool row = line.size() == kCell && line.find_first_not_of(".#") == std::string::npos;
    if (line.empty() || (!row && line[0] == '#')) continue;
    if (!row) {
      const int expected = kFirst + int(glyphs.size());
      char want[16];
      std::snprintf(want, sizeof want, "0x%02X", expected);
      if (expected <= kLast ? line.compare(0, 4, want) != 0 : line != "fallback")
        fail("line " + std::to_string(line_no) + ": expected glyph " +
             (expected <= kLast ? want : "fallback"));
      glyphs.emplace_back();
      continue;
    }
    if (glyphs.empty() || glyphs.back().size() == kCell)
      fail("line " + std::to_string(line_no) + ": a glyph has 8 rows of 8 '.' and '#'");
    glyphs.back().push_back(line);
  }
  if (glyphs.size() != kGlyphs || glyphs.back().size() != kCell) fail("expected 225 whole glyphs");
  constexpr int modulo = (kGlyphs * kCell + 7) / 8;
  std::vector<unsigned> strip(size_t(modulo) * kCell, 0);
  for (int g = 0; g < kGlyphs; ++g) {
    for (int y = 0; y < kCell; ++y) {
      for (int x = 0; x < kCell; ++x) {
        if (glyphs[size_t(g)][size_t(y)][size_t(x)] != '#') continue;
        const int bit = g * kCell + x;
        strip[size_t(y) * modulo + size_t(bit >> 3)] |= 0x80u >> (bit & 7);
      }
    }
  }
  std::ostringstream out;
  out << "// Made from text/quill.txt by quillfont pack; do not edit.\n#include "
         "\"text/quill_glyphs.h\"\n\n"
      << "const uint8_t kQuillStrip[kQuillModulo * kQuillHeight] = {";
  for (size_t i = 0; i < strip.size(); ++i) out << (i % 16 ? " " : "\n    ") << strip[i] << ",";
  out << "\n};\n\nconst uint32_t kQuillLocations[kQuillGlyphs] = {";
  for (int g = 0; g < kGlyphs; ++g)
    out << (g % 8 ? " " : "\n    ") << "0x" << std::hex << ((g * kCell) << 16 | kCell) << std::dec
        << ",";
  out << "\n};\n";
  std::ofstream o(out_path);
  o << out.str();
  if (!o) fail(std::string("cannot write ") + out_path);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "generate") == 0) return generate(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "pack") == 0) return pack(argv[2], argv[3]);
  std::fprintf(stderr,
               "usage: quillfont generate <mono.ttf> | quillfont pack <quill.txt> <out.cpp>\n");
  return 2;
}
