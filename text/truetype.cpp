// The inbuilt TrueType engine over FreeType.
#include "text/truetype.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "runtime/os/qmos.h"
#include "runtime/vfile.h"
#include "text/font_driver.h"
#include "text/font_list.h"
#include "text/glyph_bits.h"

using namespace qm;

extern const uint8_t kVera_sans[];
extern const size_t kVera_sans_size;
extern const uint8_t kVera_serif[];
extern const size_t kVera_serif_size;
extern const uint8_t kVera_mono[];
extern const size_t kVera_mono_size;

namespace {

FT_Library g_ft = nullptr;
uint64_t g_loads = 0;

constexpr FT_Int32 kLoadFlags = FT_LOAD_NO_AUTOHINT;
constexpr int32_t kMaxSize = 32767;
constexpr FT_F26Dot6 kMeasureSize = 100 * 64;  // the 100 points the glyphs are measured at
constexpr uint32_t kBaselineSamples[] = {'A', 0xC0, 0xC4, 'q'};

struct CachedGlyph {
  FT_Glyph glyph = nullptr;  // an FT_BitmapGlyph
  FT_Pos advance = 0;
  bool inked = false;
};

struct TtfFont {
  FT_StreamRec stream{};
  qmFileHandle* file = nullptr;
  std::string path;  // a file face: the file and its face index
  int32_t index = 0;
  FT_Face face = nullptr;
  int32_t pixel_size = 0;
  qmAlphaChannel* alpha = nullptr;  // re-pointed at each glyph drawn in a colour
  qmMask* mask = nullptr;
  bool cache = false;
  CachedGlyph cached[2][256];  // [antialiased][code]
  // With the glyph cache on, also the glyph index of each code below 256 (all found at the first
  // need) and the unfitted kerning of each pair of them (found as pairs are met): a text's every
  // measure and drawing asks for them again.
  std::unique_ptr<FT_UInt[]> indices;
  std::unique_ptr<FT_Pos[]> kerns;  // [first << 8 | second], kUnknownKern until looked up
};

constexpr FT_Pos kUnknownKern = std::numeric_limits<FT_Pos>::min();

TtfFont* record(const qmFont* font) {
  return static_cast<TtfFont*>(font->engine);
}

unsigned long stream_read(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                          unsigned long count) {
  auto* file = static_cast<qmFileHandle*>(stream->descriptor.pointer);
  if (offset > stream->size) return count ? 0 : 1;
  qmos_seek(file, int64_t(offset), QMOS_SEEK_BEGINNING);
  if (count == 0) return 0;
  const int64_t got = qmos_read(file, buffer, int64_t(count));
  return got > 0 ? static_cast<unsigned long>(got) : 0;
}

bool ends_with_nocase(const char* text, const char* tail) {
  const size_t n = std::strlen(text), m = std::strlen(tail);
  return n >= m && str_case_cmp(text + n - m, tail) == 0;
}

const qmEmbeddedFace* embedded_named(const char* name) {
  for (int i = 0; i < kEmbeddedFaceCount; ++i) {
    if (str_case_cmp(name, ttf_embedded_faces()[i].family) == 0) return &ttf_embedded_faces()[i];
  }
  return nullptr;
}

bool open_file_face(TtfFont* rec, const std::string& path, int32_t index) {
  rec->file = qmos_open(path.c_str(), QMOS_MODE_READ);
  if (!rec->file) return false;
  qmos_seek(rec->file, 0, QMOS_SEEK_END);
  const int64_t size = qmos_seek(rec->file, 0, QMOS_SEEK_BEGINNING);
  if (size <= 0) return false;
  rec->stream.size = static_cast<unsigned long>(size);
  rec->stream.descriptor.pointer = rec->file;
  rec->stream.read = stream_read;
  rec->path = path;
  rec->index = index;
  FT_Open_Args args{};
  args.flags = FT_OPEN_STREAM;
  args.stream = &rec->stream;
  return FT_Open_Face(g_ft, &args, index, &rec->face) == 0;
}

bool open_face(TtfFont* rec, const char* name) {
  if (!vfile_is_virtual(name)) {
    if (const qmEmbeddedFace* e = embedded_named(name))
      return FT_New_Memory_Face(g_ft, e->data, FT_Long(e->size), 0, &rec->face) == 0;
  }
  if (vfile_is_virtual(name) || ends_with_nocase(name, ".ttf") || ends_with_nocase(name, ".otf"))
    return open_file_face(rec, name, 0);
  std::string path;
  int32_t index = 0;
  return font_find(name, -1, 0, false, &path, &index) && open_file_face(rec, path, index);
}

// Whether the slot's image, once rendered, stays within the picture cap. FreeType sets out the
// image of a glyph it loads (and refuses to render one beyond 32767 pixels from the origin); a
// glyph made bold or slanted since is measured from its outline's box.
bool image_allowed(FT_GlyphSlot slot, bool reshaped) {
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE || !reshaped)
    return picture_size_allowed(int64_t(slot->bitmap.width), int64_t(slot->bitmap.rows));
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);
  const double w = (double(box.xMax) - double(box.xMin)) / 64 + 2,
               h = (double(box.yMax) - double(box.yMin)) / 64 + 2;
  return w <= double(kPictureMaxSide) && h <= double(kPictureMaxSide) &&
         w * h <= double(kPictureMaxPixels);
}

// Loads and renders a glyph into the face's slot (antialiased or mono); false when it fails or
// its image would be too large. *inked: the glyph has a shape (mono mode gives even a blank a
// one-pixel image).
bool render_slot(FT_Face face, FT_UInt index, int32_t style, bool antialias,
                 bool* inked = nullptr) {
  ++g_loads;
  if (FT_Load_Glyph(face, index, kLoadFlags) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  if (style & FONTSTYLE_BOLD) FT_GlyphSlot_Embolden(slot);
  if (style & FONTSTYLE_ITALIC) FT_GlyphSlot_Oblique(slot);
  if (!image_allowed(slot, (style & (FONTSTYLE_BOLD | FONTSTYLE_ITALIC)) != 0)) return false;
  if (inked) *inked = slot->format != FT_GLYPH_FORMAT_OUTLINE || slot->outline.n_points > 0;
  return FT_Render_Glyph(slot, antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) == 0;
}

// The extent of the rendered sample glyphs: the largest top and the largest depth below the
// baseline. False when none of the codes has a glyph that renders.
template <typename Codes>
bool glyph_extent(FT_Face face, const Codes& codes, int32_t* ascent, int32_t* descent) {
  bool any = false;
  for (uint32_t code : codes) {
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0 || !render_slot(face, index, 0, true)) continue;
    const int32_t top = face->glyph->bitmap_top, depth = int32_t(face->glyph->bitmap.rows) - top;
    *ascent = any ? std::max(*ascent, top) : top;
    *descent = any ? std::max(*descent, depth) : depth;
    any = true;
  }
  return any;
}

// The baseline of a line of that height, from the sample glyphs at the current size.
int32_t sample_baseline(FT_Face face, int32_t height) {
  int32_t a = 0, d = 0;
  if (!glyph_extent(face, kBaselineSamples, &a, &d)) return int32_t(int64_t(height) * 3 / 4);
  return int32_t((int64_t(height) + a - d + 1) / 2);
}

// The pixel size at which the glyphs of codes 33..255 span size pixels.
bool set_pixel_size(TtfFont* rec, int32_t size) {
  FT_Face face = rec->face;
  if (FT_Set_Char_Size(face, 0, kMeasureSize, 72, 72) != 0) return false;
  struct Range {
    struct It {
      uint32_t c;
      uint32_t operator*() const { return c; }
      It& operator++() { return ++c, *this; }
      bool operator!=(const It& o) const { return c != o.c; }
    };
    It begin() const { return {33}; }
    It end() const { return {256}; }
  };
  int32_t ascent = 0, descent = 0;
  glyph_extent(face, Range{}, &ascent, &descent);
  ascent = std::max(ascent, 0);
  descent = std::max(descent, 0);
  if (ascent + descent == 0) return false;
  // p - 1 is the size FreeType renders at; never 0, which would ask for its largest size.
  const int64_t p = int64_t(size) * 100 / (ascent + descent);
  rec->pixel_size = int32_t(std::clamp<int64_t>(p - 1, 1, 0xFFFF));
  return FT_Set_Pixel_Sizes(face, FT_UInt(rec->pixel_size), 0) == 0;
}

void drop_cache(TtfFont* rec) {
  for (auto& kind : rec->cached) {
    for (CachedGlyph& g : kind) {
      if (g.glyph) FT_Done_Glyph(g.glyph);
      g = CachedGlyph{};
    }
  }
}

void free_record(TtfFont* rec) {
  drop_cache(rec);
  if (rec->face) FT_Done_Face(rec->face);
  if (rec->file) qmos_close(rec->file);
  qmos_free_alpha(rec->alpha);
  qmos_free_mask(rec->mask);
  delete rec;
}

bool plain_style(const char* style) {
  return !style || !*style || style_is_plain(style);
}

// One loaded glyph: its image (left and top against the pen at the baseline) and its advance.
struct Glyph {
  const FT_Bitmap* bitmap;
  int32_t left, top;
  FT_Pos advance;
  bool inked;
};

bool load_glyph(TtfFont* rec, uint32_t code, FT_UInt index, int32_t style, Glyph* out) {
  const bool antialias = (style & FONTSTYLE_ANTIALIAS) != 0;
  const bool cacheable = rec->cache && code < 256 && !(style & (FONTSTYLE_BOLD | FONTSTYLE_ITALIC));
  CachedGlyph& slot = rec->cached[antialias][code & 0xFF];
  if (cacheable && slot.glyph) {
    auto* g = reinterpret_cast<FT_BitmapGlyph>(slot.glyph);
    *out = Glyph{&g->bitmap, g->left, g->top, slot.advance, slot.inked};
    return true;
  }
  bool inked = false;
  if (!render_slot(rec->face, index, style, antialias, &inked)) return false;
  FT_GlyphSlot s = rec->face->glyph;
  if (cacheable) {
    FT_Glyph glyph;
    if (FT_Get_Glyph(s, &glyph) == 0) {
      if (glyph->format == FT_GLYPH_FORMAT_BITMAP) {
        slot.glyph = glyph;
        slot.advance = s->advance.x;
        slot.inked = inked;
        auto* g = reinterpret_cast<FT_BitmapGlyph>(glyph);
        *out = Glyph{&g->bitmap, g->left, g->top, slot.advance, inked};
        return true;
      }
      FT_Done_Glyph(glyph);
    }
  }
  *out = Glyph{&s->bitmap, s->bitmap_left, s->bitmap_top, s->advance.x, inked};
  return true;
}

const uint8_t* bitmap_row(const FT_Bitmap& bm, int32_t r) {
  return bm.pitch >= 0 ? bm.buffer + ptrdiff_t(r) * bm.pitch
                       : bm.buffer + ptrdiff_t(int32_t(bm.rows) - 1 - r) * -bm.pitch;
}

void draw_glyph(TtfFont* rec, const FT_Bitmap& bm, const qmFontTarget& target, const GlyphBox& b,
                int32_t mode) {
  const bool gray = bm.pixel_mode == FT_PIXEL_MODE_GRAY;
  if (mode == FONTRENDER_COLOUR) {
    if (!target.bitmap || bm.pitch < 0) return;
    if (gray) {
      qmos_rewrap_alpha(rec->alpha, bm.buffer, bm.pitch);
      BLTALPHACHANNEL(rec->alpha, b.sx, b.sy, target.bitmap, b.x, b.y, b.w, b.h, target.colour, 1,
                      nullptr, 255, nullptr, 0, nullptr);
    } else {
      qmos_rewrap_mask(rec->mask, bm.buffer, bm.pitch);
      BLTTEMPLATE(rec->mask, b.sx, b.sy, target.bitmap, b.x, b.y, b.w, b.h, target.colour);
    }
    return;
  }
  if (!target.plane) return;
  for (int32_t r = 0; r < b.h; ++r) {
    const uint8_t* src = bitmap_row(bm, b.sy + r);
    uint8_t* dst = target.plane + ptrdiff_t(b.y + r) * target.bytes_per_row;
    if (gray) {
      for (int32_t c = 0; c < b.w; ++c) dst[b.x + c] = std::max(dst[b.x + c], src[b.sx + c]);
    } else if (mode == FONTRENDER_COVERAGE) {
      bits_or(dst, b.x, src, b.sx, b.w);
    } else {
      bits_combine(dst, b.x, src, b.sx, b.w, mode);
    }
  }
}

FT_UInt char_index(TtfFont* rec, uint32_t code) {
  if (!rec->cache || code > 255) return FT_Get_Char_Index(rec->face, code);
  if (!rec->indices) {
    rec->indices.reset(new (std::nothrow) FT_UInt[256]);
    if (!rec->indices) return FT_Get_Char_Index(rec->face, code);
    for (uint32_t c = 0; c < 256; ++c) rec->indices[c] = FT_Get_Char_Index(rec->face, c);
  }
  return rec->indices[code];
}

// The unfitted kerning of two glyphs in 26.6 at the face's size (0 where there is none).
FT_Pos pair_kerning(TtfFont* rec, uint32_t a, FT_UInt ia, uint32_t b, FT_UInt ib) {
  FT_Pos* slot = nullptr;
  if (rec->cache && a < 256 && b < 256) {
    if (!rec->kerns) {
      rec->kerns.reset(new (std::nothrow) FT_Pos[256 * 256]);
      if (rec->kerns) std::fill_n(rec->kerns.get(), 256 * 256, kUnknownKern);
    }
    if (rec->kerns) {
      slot = &rec->kerns[a << 8 | b];
      if (*slot != kUnknownKern) return *slot;
    }
  }
  FT_Vector delta;
  const FT_Pos k =
      FT_Get_Kerning(rec->face, ia, ib, FT_KERNING_UNFITTED, &delta) == 0 ? delta.x : 0;
  if (slot) *slot = k;
  return k;
}

// Walks the text as the pen moves: each glyph that loads is handed to visit with its pen
// position (whole pixels from the start). The result is the advance.
template <typename Visit>
int64_t walk(TtfFont* rec, const qmFont* font, const uint32_t* codes, size_t count, int32_t style,
             Visit visit) {
  FT_Face face = rec->face;
  const bool kerning = FT_HAS_KERNING(face);
  int64_t pen = 0;
  FT_UInt index = count ? char_index(rec, codes[0]) : 0;
  for (size_t i = 0; i < count; ++i) {
    const FT_UInt next = i + 1 < count ? char_index(rec, codes[i + 1]) : 0;
    FT_Pos kern = 0;
    if (kerning && i + 1 < count) {
      kern = pair_kerning(rec, codes[i], index, codes[i + 1], next);
      if (kern && font->x_scale != 1.0)
        kern = FT_Pos(to_i32(std::round(std::clamp(double(kern) * font->x_scale, -1e9, 1e9))));
    }
    Glyph g;
    if (load_glyph(rec, codes[i], index, style, &g)) {
      visit(pen, g);
      pen += (g.advance + kern) / 64;
    }
    index = next;
  }
  return pen;
}

}  // namespace

int32_t ttf_init() {
  if (g_ft) return 0;
  return FT_Init_FreeType(&g_ft) == 0 ? 0 : (g_ft = nullptr, ERR_MEM);
}

void ttf_shutdown() {
  if (g_ft) FT_Done_FreeType(g_ft);
  g_ft = nullptr;
}

FT_Library ttf_library() {
  return g_ft;
}

const qmEmbeddedFace* ttf_embedded_faces() {
  static const qmEmbeddedFace faces[kEmbeddedFaceCount] = {
      {"Bitstream Vera Sans", kVera_sans, kVera_sans_size},
      {"Bitstream Vera Serif", kVera_serif, kVera_serif_size},
      {"Bitstream Vera Sans Mono", kVera_mono, kVera_mono_size},
  };
  return faces;
}

int32_t ttf_open(const char* name, int32_t size, int32_t flags, qmFont* font) {
  if (!g_ft || size < 1 || size > kMaxSize) return 0;
  auto* rec = new (std::nothrow) TtfFont;
  if (!rec) return 0;
  rec->cache = (flags & 1) != 0;
  rec->alpha = qmos_wrap_alpha(nullptr, 0, 0, 0);
  rec->mask = qmos_wrap_mask(nullptr, 0);
  if (!rec->alpha || !rec->mask || !open_face(rec, name) || !set_pixel_size(rec, size)) {
    free_record(rec);
    return 0;
  }
  FT_Face face = rec->face;
  font->engine = rec;
  font->kind = FONTKIND_INBUILT;
  font->outline = 1;
  font->scalable = 1;
  font->size = size;
  font->height = font->base_height = size;
  font->baseline = font->base_baseline = sample_baseline(face, size);
  std::string own = face->family_name ? face->family_name : "";
  if (!plain_style(face->style_name)) own += std::string(" ") + face->style_name;
  const size_t n = std::min(own.size(), kFontNameSize - 1);
  std::memcpy(font->name, own.data(), n);
  font->name[n] = 0;
  return 1;
}

void ttf_close(qmFont* font) {
  if (TtfFont* rec = record(font)) free_record(rec);
  font->engine = nullptr;
}

void ttf_set_scale(qmFont* font, double x, double y) {
  TtfFont* rec = record(font);
  drop_cache(rec);
  FT_Matrix m;
  m.xx = FT_Fixed(to_i32(std::clamp(x * 65536.0, -2147483647.0, 2147483647.0)));
  m.yy = FT_Fixed(to_i32(std::clamp(y * 65536.0, -2147483647.0, 2147483647.0)));
  m.xy = m.yx = 0;
  FT_Set_Transform(rec->face, &m, nullptr);
  font->baseline = sample_baseline(rec->face, font->height);
}

int32_t ttf_render(qmFont* font, const qmFontTarget& target, int32_t x, int32_t y,
                   const uint32_t* codes, size_t count, int32_t style, const qmClipRect& clip,
                   int32_t mode) {
  TtfFont* rec = record(font);
  const int64_t baseline = int64_t(y) + font->baseline;
  walk(rec, font, codes, count, style, [&](int64_t pen, const Glyph& g) {
    GlyphBox b;
    if (glyph_clip(target, clip, x + pen + g.left, baseline - g.top, g.bitmap->width,
                   g.bitmap->rows, &b))
      draw_glyph(rec, *g.bitmap, target, b, mode);
  });
  return 0;
}

void ttf_measure(qmFont* font, const uint32_t* codes, size_t count, int32_t style,
                 qmFontExtent* out) {
  *out = qmFontExtent{};
  int64_t left = 10000, top = 10000, right = 0, bottom = 0;
  bool inked = false;
  const int64_t advance =
      walk(record(font), font, codes, count, style, [&](int64_t pen, const Glyph& g) {
        if (!g.inked || g.bitmap->width == 0 || g.bitmap->rows == 0) return;
        inked = true;
        left = std::min(left, pen + g.left);
        top = std::min<int64_t>(top, -g.top);
        right = std::max<int64_t>(right, pen + g.left + g.bitmap->width - 1);
        bottom = std::max<int64_t>(bottom, int64_t(g.bitmap->rows) - g.top - 1);
      });
  out->advance = int32_t(std::clamp<int64_t>(advance, INT32_MIN, INT32_MAX));
  out->height = font->height;
  if (!inked) return;
  out->ink_left = int32_t(std::clamp<int64_t>(left, INT32_MIN, INT32_MAX));
  out->ink_top = int32_t(std::clamp<int64_t>(top, INT32_MIN, INT32_MAX));
  out->ink_right = int32_t(std::clamp<int64_t>(right, INT32_MIN, INT32_MAX));
  out->ink_bottom = int32_t(std::clamp<int64_t>(bottom, INT32_MIN, INT32_MAX));
}

int32_t ttf_kerning(qmFont* font, const uint32_t* codes, size_t count) {
  FT_Face face = record(font)->face;
  if (!FT_HAS_KERNING(face) || count != 2) return 0;
  const FT_UInt a = FT_Get_Char_Index(face, codes[0]), b = FT_Get_Char_Index(face, codes[1]);
  FT_Vector delta;
  if (!a || !b || FT_Get_Kerning(face, a, b, FT_KERNING_UNSCALED, &delta) != 0 ||
      face->units_per_EM == 0)
    return 0;
  return int32_t(int64_t(delta.x) * record(font)->pixel_size / face->units_per_EM);
}

void ttf_free_glyph_cache(qmFont* font) {
  drop_cache(record(font));
}

FT_Face ttf_get_face(qmFont* font) {
  return font && font->kind == FONTKIND_INBUILT && record(font) ? record(font)->face : nullptr;
}

int32_t ttf_pixel_size(const qmFont* font) {
  return record(font)->pixel_size;
}

bool ttf_font_source(const qmFont* font, std::string* path, int32_t* index) {
  const TtfFont* rec = record(font);
  if (rec->path.empty()) return false;
  *path = rec->path;
  *index = rec->index;
  return true;
}

FT_Face ttf_open_face_copy(const qmFont* font) {
  const TtfFont* rec = font && font->kind == FONTKIND_INBUILT ? record(font) : nullptr;
  if (!g_ft || !rec || !rec->face) return nullptr;
  auto* copy = new (std::nothrow) TtfFont;
  if (!copy) return nullptr;
  // A face held in memory is read from the same bytes; a file face opens its file again.
  const FT_Face face = rec->face;
  const bool ok = rec->path.empty()
                      ? FT_New_Memory_Face(g_ft, face->stream->base, FT_Long(face->stream->size),
                                           face->face_index, &copy->face) == 0
                      : open_file_face(copy, rec->path, rec->index);
  if (!ok) {
    free_record(copy);
    return nullptr;
  }
  copy->face->generic.data = copy;
  return copy->face;
}

void ttf_close_face_copy(FT_Face face) {
  if (face) free_record(static_cast<TtfFont*>(face->generic.data));
}

uint64_t ttf_glyph_loads() {
  return g_loads;
}
