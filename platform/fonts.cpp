// Platform fonts over fontconfig and FreeType.
#include "platform/fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstring>
#include <set>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "platform/platform.h"

using namespace qm;

namespace {

constexpr size_t kMaxTextBytes = 16384;
constexpr size_t kMaxUtf16Units = 16384;  // the 32768-byte conversion buffer
constexpr size_t kNameLimit = 1024;

FT_Library g_ft = nullptr;
FontDataReader g_reader = nullptr;

struct NativeFont {
  FT_Face face = nullptr;
  std::vector<uint8_t> data;  // a linked font's bytes: FreeType reads them while the face is open
  int32_t point_size = 0;
  std::string file;  // a font found by name: its file and face index
  int32_t index = 0;
};

void copy_name(qmFont* font, const std::string& name) {
  size_t n = std::min(name.size(), kNameLimit - 1);
  std::memcpy(font->name, name.data(), n);
  font->name[n] = 0;
}

// The fonts whose property (full name or family) equals the name, compared without case, with the
// objects asked for (the object set is used up); none when fontconfig cannot list them.
FcFontSet* fonts_named(const char* property, const std::string& utf8_name, FcObjectSet* objects) {
  FcPattern* pattern = FcPatternCreate();
  FcFontSet* set = nullptr;
  if (pattern && objects) {
    FcPatternAddString(pattern, property, reinterpret_cast<const FcChar8*>(utf8_name.c_str()));
    set = FcFontList(nullptr, pattern, objects);
  }
  if (objects) FcObjectSetDestroy(objects);
  if (pattern) FcPatternDestroy(pattern);
  return set;
}

// The file and face index of the first font whose property (full name, then family) equals the
// name; fontconfig compares without case.
bool find_font_file(const std::string& utf8_name, std::string* file, int* index) {
  if (!FcInit()) return false;
  for (const char* property : {FC_FULLNAME, FC_FAMILY}) {
    FcFontSet* set = fonts_named(property, utf8_name, FcObjectSetBuild(FC_FILE, FC_INDEX, FC_STYLE, nullptr));
    bool found = false;
    if (set) {
      // A family stands for its plain face when it has one.
      int best = -1;
      for (int i = 0; i < set->nfont; i++) {
        FcChar8* style = nullptr;
        bool plain = FcPatternGetString(set->fonts[i], FC_STYLE, 0, &style) == FcResultMatch &&
                     (std::strcmp(reinterpret_cast<char*>(style), "Regular") == 0 ||
                      std::strcmp(reinterpret_cast<char*>(style), "Book") == 0);
        if (best < 0 || plain) best = i;
        if (plain) break;
      }
      FcChar8* path = nullptr;
      if (best >= 0 && FcPatternGetString(set->fonts[best], FC_FILE, 0, &path) == FcResultMatch) {
        *file = reinterpret_cast<char*>(path);
        if (FcPatternGetInteger(set->fonts[best], FC_INDEX, 0, index) != FcResultMatch) *index = 0;
        found = true;
      }
      FcFontSetDestroy(set);
    }
    if (found) return true;
  }
  return false;
}

// The font's line height at a point size. The size search measures ascender + descender of the
// size's metrics at 72 dpi rather than the ink of one letter: the bounds the original engine
// reported were the typographic ones, and those are what programs laid their text out by.
int32_t line_height_at(void* ctx, int32_t size) {
  FT_Face face = static_cast<FT_Face>(ctx);
  if (FT_Set_Char_Size(face, 0, FT_F26Dot6(size) * 64, 72, 72) != 0) return 0;
  return int32_t((face->size->metrics.ascender - face->size->metrics.descender) >> 6);
}

NativeFont* native(qmFont* font) { return static_cast<NativeFont*>(font->engine); }

// Sets the face to the record's size and scales.
bool apply_size(qmFont* font) {
  NativeFont* nf = native(font);
  double w = nf->point_size * 64.0 * font->x_scale, h = nf->point_size * 64.0 * font->y_scale;
  if (!(w >= 64 && w < 1e7) || !(h >= 64 && h < 1e7)) return false;
  return FT_Set_Char_Size(nf->face, FT_F26Dot6(w), FT_F26Dot6(h), 72, 72) == 0;
}

// Code points of the text; ERR_INTERNAL for 16384 bytes or more, ERR_TEXTCONVERT when the
// UTF-16 form would not fit its buffer. Malformed UTF-8 becomes '?'.
int32_t decode(const char* text, size_t length, int32_t utf8, std::vector<uint32_t>* out) {
  out->clear();
  if (length >= kMaxTextBytes) return ERR_INTERNAL;
  size_t units = 0;
  for (size_t i = 0; i < length;) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    uint32_t cp = c;
    size_t len = 1;
    if (utf8 && c >= 0x80) {
      len = (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
      bool ok = len != 0 && i + len <= length;
      if (ok) {
        cp = c & (0x7F >> len);
        for (size_t k = 1; k < len && ok; k++) {
          unsigned char t = static_cast<unsigned char>(text[i + k]);
          ok = (t & 0xC0) == 0x80;
          cp = (cp << 6) | (t & 0x3F);
        }
      }
      if (!ok || cp > 0x10FFFF) {
        cp = '?';
        len = 1;
      }
    }
    i += len;
    units += cp > 0xFFFF ? 2 : 1;
    out->push_back(cp);
  }
  return units > kMaxUtf16Units ? ERR_TEXTCONVERT : 0;
}

// One laid-out line: glyph coverage placed relative to the pen start at the baseline.
struct Layout {
  int32_t advance = 0;
  int32_t ink_left = 0, ink_top = 0, ink_right = 0, ink_bottom = 0;
  bool inked = false;
  struct Glyph {
    int32_t x, y, width, rows;
    std::vector<uint8_t> coverage;  // 0..255, rows of width bytes
  };
  std::vector<Glyph> glyphs;

  void ink(int32_t l, int32_t t, int32_t r, int32_t b) {
    if (!inked) {
      ink_left = l, ink_top = t, ink_right = r, ink_bottom = b;
      inked = true;
      return;
    }
    ink_left = std::min(ink_left, l), ink_top = std::min(ink_top, t);
    ink_right = std::max(ink_right, r), ink_bottom = std::max(ink_bottom, b);
  }
};

int32_t lay_out(qmFont* font, const std::vector<uint32_t>& codes, int32_t style, bool with_pixels, Layout* out) {
  NativeFont* nf = native(font);
  FT_Face face = nf->face;
  if (!apply_size(font)) return ERR_ATSUI;
  const bool aa = (style & FONTSTYLE_ANTIALIAS) != 0;
  FT_Pos pen = 0;
  FT_UInt previous = 0;
  for (uint32_t cp : codes) {
    FT_UInt index = FT_Get_Char_Index(face, cp);
    if (previous && index && FT_HAS_KERNING(face)) {
      FT_Vector delta;
      if (FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &delta) == 0) pen += delta.x;
    }
    previous = index;
    if (FT_Load_Glyph(face, index, aa ? FT_LOAD_DEFAULT : FT_LOAD_TARGET_MONO) != 0) return ERR_ATSUI;
    FT_GlyphSlot slot = face->glyph;
    if (style & FONTSTYLE_ITALIC) FT_GlyphSlot_Oblique(slot);
    if (style & FONTSTYLE_BOLD) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, aa ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return ERR_ATSUI;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.width > 0 && bm.rows > 0) {
      Layout::Glyph g;
      g.x = int32_t((pen + 32) >> 6) + slot->bitmap_left;
      g.y = -slot->bitmap_top;
      g.width = int32_t(bm.width);
      g.rows = int32_t(bm.rows);
      out->ink(g.x, g.y, g.x + g.width, g.y + g.rows);
      // Only the rows that fall on the line are kept: a face may draw far past it.
      const int32_t first = std::max(0, -(font->baseline + g.y));
      const int32_t last = std::min(g.rows, font->height - (font->baseline + g.y));
      if (with_pixels && first < last) {
        g.y += first;
        g.rows = last - first;
        g.coverage.resize(size_t(g.width) * size_t(g.rows));
        for (int32_t r = 0; r < g.rows; r++) {
          const uint8_t* src = bm.buffer + ptrdiff_t(r + first) * bm.pitch;
          uint8_t* dst = g.coverage.data() + size_t(r) * size_t(g.width);
          for (int32_t c = 0; c < g.width; c++) {
            // A mono glyph's bits become whole coverage: nothing partial reaches a 1-bit mask.
            dst[c] = bm.pixel_mode == FT_PIXEL_MODE_MONO ? ((src[c >> 3] >> (7 - (c & 7))) & 1 ? 255 : 0) : src[c];
          }
        }
        out->glyphs.push_back(std::move(g));
      }
    }
    pen += slot->advance.x;
  }
  out->advance = int32_t(pen >> 6);
  if ((style & FONTSTYLE_UNDERLINED) && out->advance > 0) {
    FT_Fixed y_scale = face->size->metrics.y_scale;
    int32_t position = int32_t(FT_MulFix(face->underline_position, y_scale) >> 6);
    // A face may claim any thickness: the underline never grows past the line's own height.
    const FT_Long claimed = FT_MulFix(face->underline_thickness, y_scale) >> 6;
    int32_t thickness = int32_t(std::clamp<FT_Long>(claimed, 1, std::max(1, font->height)));
    Layout::Glyph g{0, -position, out->advance, thickness, {}};
    out->ink(g.x, g.y, g.x + g.width, g.y + g.rows);
    if (with_pixels) {
      g.coverage.assign(size_t(g.width) * size_t(g.rows), 255);
      out->glyphs.push_back(std::move(g));
    }
  }
  return 0;
}

}  // namespace

int32_t font_size_search(int32_t pixel_height, int32_t start_size, int32_t (*measure)(void* ctx, int32_t size),
                         void* ctx) {
  constexpr int32_t kMin = 1, kMax = 4096;
  int32_t size = std::clamp(start_size, kMin, kMax);
  int32_t direction = 0;
  for (;;) {
    int32_t height = measure(ctx, size);
    if (height == pixel_height) return size;
    int32_t step = height < pixel_height ? 1 : -1;
    if (direction != 0 && step != direction) return size;
    direction = step;
    if (size + step < kMin || size + step > kMax) return size;
    size += step;
  }
}

int32_t platform_font_open(const char* name, int32_t pixel_height, const void*, qmFont* font) {
  if (!name || pixel_height <= 0 || !g_ft) return 0;
  auto* nf = new (std::nothrow) NativeFont;
  if (!nf) return 0;
  const bool linked = std::strncmp(name, ":::chunk", 8) == 0;
  FT_Error err;
  if (linked) {
    if (!g_reader || !g_reader(name, &nf->data) || nf->data.empty()) {
      delete nf;
      return 0;
    }
    err = FT_New_Memory_Face(g_ft, nf->data.data(), FT_Long(nf->data.size()), 0, &nf->face);
  } else {
    std::string file;
    int index = 0;
    if (!find_font_file(platform_latin1_to_utf8(name), &file, &index)) {
      delete nf;
      return 0;
    }
    err = FT_New_Face(g_ft, file.c_str(), index, &nf->face);
    nf->file = file;
    nf->index = index;
  }
  if (err != 0 || !FT_IS_SCALABLE(nf->face) || nf->face->ascender - nf->face->descender <= 0) {
    if (err == 0) FT_Done_Face(nf->face);
    delete nf;
    return 0;
  }
  FT_Face face = nf->face;
  int32_t start = int32_t(int64_t(pixel_height) * face->units_per_EM / (face->ascender - face->descender));
  nf->point_size = font_size_search(pixel_height, start, line_height_at, face);
  if (FT_Set_Char_Size(face, 0, FT_F26Dot6(nf->point_size) * 64, 72, 72) != 0) {
    FT_Done_Face(face);
    delete nf;
    return 0;
  }
  const int32_t height = int32_t((face->size->metrics.ascender - face->size->metrics.descender) >> 6);
  const int32_t baseline = int32_t(face->size->metrics.ascender >> 6);
  font->size = pixel_height;
  font->height = font->base_height = height;
  font->baseline = font->base_baseline = baseline;
  font->kind = FONTKIND_PLATFORM;
  font->scalable = 1;
  font->outline = 1;
  font->x_scale = font->y_scale = 1.0;
  font->engine = nf;
  if (linked) {
    std::string own = face->family_name ? face->family_name : "";
    if (face->style_name && std::strcmp(face->style_name, "Regular") != 0) own += std::string(" ") + face->style_name;
    copy_name(font, platform_utf8_to_latin1(own));
  } else {
    copy_name(font, name);
  }
  return 1;
}

void platform_font_close(qmFont* font) {
  NativeFont* nf = native(font);
  if (!nf) return;
  if (nf->face) FT_Done_Face(nf->face);
  delete nf;
  font->engine = nullptr;
}

int32_t platform_font_measure(qmFont* font, const char* text, size_t length, int32_t style, int32_t utf8,
                              qmFontExtent* out) {
  *out = qmFontExtent{};
  std::vector<uint32_t> codes;
  if (int32_t err = decode(text, length, utf8, &codes)) return err;
  Layout layout;
  if (int32_t err = lay_out(font, codes, style, false, &layout)) return err;
  out->advance = layout.advance;
  out->height = font->height;
  out->ink_left = layout.ink_left;
  out->ink_top = layout.ink_top;
  out->ink_right = layout.ink_right;
  out->ink_bottom = layout.ink_bottom;
  return 0;
}

int32_t platform_font_render(qmFont* font, const qmFontTarget& target, int32_t x, int32_t y, const char* text,
                             size_t length, int32_t style, int32_t utf8, const qmClipRect& clip,
                             int32_t colour) {
  std::vector<uint32_t> codes;
  if (int32_t err = decode(text, length, utf8, &codes)) return err;
  Layout layout;
  if (int32_t err = lay_out(font, codes, style, true, &layout)) return err;
  // The coverage of the line: ink right columns from the pen start, the line's height in rows,
  // the baseline at the font's baseline row. A text without ink has nothing to draw.
  const int32_t width = layout.ink_right, height = font->height;
  if (!layout.inked || width <= 0 || height <= 0) return 0;
  std::vector<uint8_t> coverage;
  try {
    coverage.assign(size_t(width) * size_t(height), 0);
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  for (const Layout::Glyph& g : layout.glyphs) {
    for (int32_t r = 0; r < g.rows; r++) {
      int32_t row = font->baseline + g.y + r;
      if (row < 0 || row >= height) continue;
      for (int32_t c = 0; c < g.width; c++) {
        int32_t col = g.x + c;
        if (col < 0 || col >= width) continue;
        uint8_t& d = coverage[size_t(row) * size_t(width) + size_t(col)];
        d = std::max(d, g.coverage[size_t(r) * size_t(g.width) + size_t(c)]);
      }
    }
  }
  // Columns and rows left of or above the clip rectangle are skipped, those past it dropped; the
  // text keeps its place either way.
  int32_t x0 = std::max({x, clip.x, 0}), y0 = std::max({y, clip.y, 0});
  int32_t x1 = std::min<int64_t>({int64_t(x) + width, int64_t(clip.x) + clip.width, int64_t(target.width)});
  int32_t y1 = std::min<int64_t>({int64_t(y) + height, int64_t(clip.y) + clip.height, int64_t(target.height)});
  if (x0 >= x1 || y0 >= y1) return 0;
  if (colour == -1) {
    if (!target.plane) return 0;
    const bool aa = (style & FONTSTYLE_ANTIALIAS) != 0;
    for (int32_t ty = y0; ty < y1; ty++) {
      const uint8_t* src = coverage.data() + size_t(ty - y) * size_t(width);
      uint8_t* row = target.plane + ptrdiff_t(ty) * target.bytes_per_row;
      for (int32_t tx = x0; tx < x1; tx++) {
        uint8_t v = src[tx - x];
        if (aa) row[tx] = v;
        else if (v) row[tx >> 3] |= uint8_t(0x80u >> (tx & 7));
      }
    }
    return 0;
  }
  if (!target.bitmap) return 0;
  qm::qmAlphaChannel* alpha = qm::qmos_wrap_alpha(coverage.data(), width, height, width);
  if (!alpha) return ERR_MEM;
  qm::BLTALPHACHANNEL(alpha, x0 - x, y0 - y, target.bitmap, x0, y0, x1 - x0, y1 - y0, uint32_t(colour) & 0xFFFFFF, 1,
                      nullptr, 255, nullptr, 0, nullptr);
  qm::qmos_free_alpha(alpha);
  return 0;
}

int32_t platform_font_kerning(qmFont* font, const char* text, size_t length, int32_t, int32_t utf8) {
  std::vector<uint32_t> codes;
  if (decode(text, length, utf8, &codes) != 0 || codes.size() < 2 || !apply_size(font)) return 0;
  FT_Face face = native(font)->face;
  if (!FT_HAS_KERNING(face)) return 0;
  FT_Vector delta;
  if (FT_Get_Kerning(face, FT_Get_Char_Index(face, codes[0]), FT_Get_Char_Index(face, codes[1]), FT_KERNING_DEFAULT,
                     &delta) != 0)
    return 0;
  return int32_t(delta.x >> 6);
}

void platform_font_set_library(FT_Library library) { g_ft = library; }

void platform_font_shutdown() { g_ft = nullptr; }

void platform_fontconfig_finish() { FcFini(); }

bool platform_font_source(const qmFont* font, std::string* file, int32_t* index) {
  const NativeFont* nf = static_cast<const NativeFont*>(font->engine);
  if (!nf || nf->file.empty()) return false;
  *file = platform_utf8_to_latin1(nf->file);
  *index = nf->index;
  return true;
}

std::vector<std::string> platform_font_families() {
  std::set<std::string> names;
  if (FcInit()) {
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    if (FcFontSet* set = FcFontList(nullptr, pattern, objects)) {
      for (int i = 0; i < set->nfont; i++) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch)
          names.insert(platform_utf8_to_latin1(reinterpret_cast<char*>(family)));
      }
      FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
  }
  return {names.begin(), names.end()};
}

bool platform_font_face(const char* name, PlatformFontFace* out) {
  *out = PlatformFontFace{};
  if (!name || !*name || !FcInit()) return false;
  const std::string utf8_name = platform_latin1_to_utf8(name);
  for (const char* property : {FC_FULLNAME, FC_FAMILY}) {
    FcFontSet* set = fonts_named(property, utf8_name, FcObjectSetBuild(FC_FAMILY, FC_WEIGHT, FC_SLANT, nullptr));
    bool found = false;
    if (set) {
      // A family stands for its plain face: no styles of its own.
      FcChar8* family = nullptr;
      if (set->nfont > 0 && FcPatternGetString(set->fonts[0], FC_FAMILY, 0, &family) == FcResultMatch) {
        out->family = platform_utf8_to_latin1(reinterpret_cast<char*>(family));
        int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        if (std::strcmp(property, FC_FULLNAME) == 0) {
          FcPatternGetInteger(set->fonts[0], FC_WEIGHT, 0, &weight);
          FcPatternGetInteger(set->fonts[0], FC_SLANT, 0, &slant);
        }
        out->bold = weight >= FC_WEIGHT_BOLD;
        out->italic = slant != FC_SLANT_ROMAN;
        found = true;
      }
      FcFontSetDestroy(set);
    }
    if (found) return true;
  }
  return false;
}

void platform_set_font_data_reader(FontDataReader reader) { g_reader = reader; }
