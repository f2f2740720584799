// Bitmap fonts: reading contents and font files, measuring, drawing, and the built-in "quill".
#include "text/bitmap_font.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "engine/endian.h"
#include "engine/latin1.h"
#include "engine/strutil.h"
#include "gfx/bitmap.h"
#include "runtime/os/qmos.h"
#include "runtime/vfile.h"
#include "text/font_driver.h"
#include "text/glyph_bits.h"
#include "text/quill_glyphs.h"

using namespace qm;

namespace {

constexpr uint16_t kContentsId = 0x0F00, kContentsIdTagged = 0x0F02, kFontFileId = 0x0F80;
constexpr size_t kEntrySize = 260, kEntryNameSize = 256;
constexpr int64_t kDataStart = 32;  // pointers in a font file count from here
constexpr size_t kMonoHeaderEnd = 142, kColourHeaderEnd = 186;
constexpr int32_t kColourStyle = 64, kProportional = 32;

struct FileCloser {
  void operator()(qmFileHandle* h) const { qmos_close(h); }
};
using File = std::unique_ptr<qmFileHandle, FileCloser>;

qmBitmapFont* record(const qmFont* font) {
  return static_cast<qmBitmapFont*>(font->engine);
}

bool ends_with_nocase(const std::string& text, const char* tail) {
  const size_t n = std::strlen(tail);
  return text.size() >= n && str_case_cmp(text.c_str() + text.size() - n, tail) == 0;
}

// A whole file opened for random reads within its size.
struct Reader {
  File file;
  int64_t size = 0;

  bool open(const std::string& name) {
    file.reset(qmos_open(name.c_str(), QMOS_MODE_READ));
    if (!file) return false;
    qmos_seek(file.get(), 0, QMOS_SEEK_END);
    size = qmos_seek(file.get(), 0, QMOS_SEEK_BEGINNING);
    return size >= 0;
  }
  // True when [offset, offset + length) lies in the file.
  bool holds(int64_t offset, int64_t length) const {
    return offset >= 0 && length >= 0 && offset <= size - length;
  }
  bool read(int64_t offset, void* out, int64_t length) {
    if (!holds(offset, length)) return false;
    qmos_seek(file.get(), offset, QMOS_SEEK_BEGINNING);
    return qmos_read(file.get(), out, length) == length;
  }
};

// The size file named by a contents entry: a linked file's name gets the applet's place in its
// host file and the host path of the contents file; any other is relative to the contents file.
bool size_file_name(const std::string& contents, const char* entry, std::string* out) {
  qmVirtualName contents_name;
  const bool linked = vfile_parse_name(contents.c_str(), &contents_name) && !contents_name.memory;
  if (vfile_is_virtual(entry)) {
    if (!linked) return false;
    const char* p = entry + 8;
    uint64_t number = 0;
    const char* digits = p;
    for (; *p >= '0' && *p <= '9'; ++p) {
      if (number > (UINT64_MAX - 9) / 10) return false;
      number = number * 10 + uint64_t(*p - '0');
    }
    const int64_t base = vfile_applet_base();
    if (p == digits || base < 0 || number > uint64_t(INT64_MAX - base)) return false;
    *out = ":::chunk" + std::to_string(number + uint64_t(base)) + p + contents_name.host;
    return true;
  }
  const std::string folder_of = linked ? contents_name.host : contents;
  const size_t slash = folder_of.find_last_of('/');
  if (slash == std::string::npos) {
    *out = entry;
    return true;
  }
  char joined[4096];
  const std::string folder = folder_of.substr(0, slash + 1);
  if (!copy_bounded(joined, sizeof joined, folder.c_str()) ||
      !path_add_part(joined, sizeof joined, entry))
    return false;
  *out = joined;
  return true;
}

// The contents entry of that size: its size file's name.
bool find_entry(const std::string& contents, int32_t size, std::string* size_file) {
  Reader r;
  if (!r.open(contents)) return false;
  uint8_t head[4];
  if (!r.read(0, head, 4)) return false;
  const uint16_t id = get_be16(head);
  if (id != kContentsId && id != kContentsIdTagged) return false;
  const int64_t count = get_be16(head + 2);
  for (int64_t i = 0; i < count; ++i) {
    uint8_t entry[kEntrySize];
    if (!r.read(4 + i * int64_t(kEntrySize), entry, kEntrySize)) return false;
    const char* name = reinterpret_cast<const char*>(entry);
    if (!std::memchr(name, 0, kEntryNameSize)) return false;
    if (get_be16(entry + kEntryNameSize) != size || std::strcmp(name, "::incomplete") == 0)
      continue;
    return size_file_name(contents, name, size_file);
  }
  return false;
}

// Where a font file keeps its tables and planes (file offsets; 0: no space or kern table).
struct Layout {
  int64_t strip, locations, space, kern;
  int32_t depth, pick;
  int64_t colours;
  int64_t planes[8];
};

int64_t pointer(const uint8_t* h, size_t at) {
  return kDataStart + int64_t(get_be32(h + at));
}

// The header's metrics into the record, and its layout.
bool read_header(Reader& r, qmBitmapFont* f, Layout* out) {
  uint8_t h[kColourHeaderEnd] = {};
  if (!r.read(0, h, int64_t(kMonoHeaderEnd)) || get_be16(h + 50) != kFontFileId) return false;
  f->y_size = get_be16(h + 110);
  f->style = h[112];
  f->flags = h[113];
  f->x_size = get_be16(h + 114);
  f->baseline = get_be16(h + 116);
  f->bold_smear = get_be16(h + 118);
  f->accessors = get_be16(h + 120);
  f->first = h[122];
  f->last = h[123];
  f->modulo = get_be16(h + 128);
  f->glyph_count = f->last - f->first + 2;
  Layout& l = *out;
  l = Layout{};
  l.strip = pointer(h, 124);
  l.locations = pointer(h, 130);
  l.space = get_be32(h + 134) ? pointer(h, 134) : 0;
  l.kern = get_be32(h + 138) ? pointer(h, 138) : 0;
  if (f->style & kColourStyle) {
    if (!r.read(int64_t(kMonoHeaderEnd), h + kMonoHeaderEnd,
                int64_t(kColourHeaderEnd - kMonoHeaderEnd)))
      return false;
    l.depth = h[144];
    l.pick = h[148];
    l.colours = pointer(h, 150);
    for (size_t i = 0; i < 8; ++i) l.planes[i] = pointer(h, 154 + 4 * i);
  }
  return f->first <= f->last && f->y_size >= 1 && f->x_size >= 1 && f->modulo >= 1 && l.depth <= 8;
}

// The planes that hold data: those below the depth whose pick bit is set.
int32_t plane_count(const Layout& l) {
  int32_t p = 0;
  for (int32_t i = 0; i < l.depth; ++i) p += (l.pick >> i) & 1;
  return p;
}

// Every table and plane inside the file, before anything is allocated.
bool layout_fits(const Reader& r, const qmBitmapFont& f, const Layout& l) {
  const int64_t glyphs = f.glyph_count, plane_bytes = int64_t(f.y_size) * f.modulo;
  if (!r.holds(l.locations, glyphs * 4)) return false;
  if (l.space && !r.holds(l.space, glyphs * 2)) return false;
  if (l.kern && !r.holds(l.kern, glyphs * 2)) return false;
  if (!(f.style & kColourStyle)) return r.holds(l.strip, plane_bytes);
  if (!picture_size_allowed(int64_t(f.modulo) * 8, f.y_size) || !r.holds(l.colours, 8))
    return false;
  for (int32_t i = 0; i < plane_count(l); ++i) {
    if (!r.holds(l.planes[i], plane_bytes)) return false;
  }
  return true;
}

bool read_table16(Reader& r, int64_t offset, int64_t count, std::vector<int16_t>* out) {
  std::vector<uint8_t> raw(size_t(count) * 2);
  if (!r.read(offset, raw.data(), count * 2)) return false;
  out->resize(size_t(count));
  for (int64_t i = 0; i < count; ++i) (*out)[size_t(i)] = int16_t(get_be16(raw.data() + i * 2));
  return true;
}

// A colour font's strip: the planes' bits pick palette entries (12-bit colours widened to 24 bits,
// entry 0 the key colour of transparent pixels) into a bitmap and a mask of the other pixels.
bool read_colour_strip(Reader& r, const qmBitmapFont& f, const Layout& l, qmFont* font) {
  uint8_t record[8];
  if (!r.read(l.colours, record, 8)) return false;
  const int64_t count = get_be16(record + 2);
  const int64_t table = kDataStart + int64_t(get_be32(record + 4));
  std::vector<uint8_t> entries(size_t(count) * 2);
  if (!r.read(table, entries.data(), count * 2)) return false;
  uint32_t palette[256] = {};
  for (int64_t i = 0; i < std::min<int64_t>(count, 256); ++i) {
    const uint32_t c = get_be16(entries.data() + i * 2);
    palette[i] = ((c >> 8) & 15) * 17 << 16 | ((c >> 4) & 15) * 17 << 8 | (c & 15) * 17;
  }
  palette[0] = kColourFontKey;
  const int32_t planes = plane_count(l);
  const size_t plane_bytes = size_t(f.y_size) * size_t(f.modulo);
  std::vector<uint8_t> bits(plane_bytes * size_t(planes));
  for (int32_t i = 0; i < planes; ++i) {
    if (!r.read(l.planes[i], bits.data() + plane_bytes * size_t(i), int64_t(plane_bytes)))
      return false;
  }
  const int32_t width = f.modulo * 8;
  std::vector<uint32_t> pixels(size_t(width) * size_t(f.y_size));
  for (int32_t y = 0; y < f.y_size; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint32_t index = 0;
      const size_t at = size_t(y) * size_t(f.modulo) + size_t(x >> 3);
      for (int32_t i = 0; i < planes; ++i)
        index |= uint32_t((bits[plane_bytes * size_t(i) + at] >> (7 - (x & 7))) & 1) << i;
      pixels[size_t(y) * size_t(width) + size_t(x)] = palette[index];
    }
  }
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  if (qmos_scale_bitmap(pixels.data(), int32_t(kColourFontKey), width, f.y_size, width, &bitmap,
                        &mask) != 0)
    return false;
  font->colour_bitmap = bitmap;
  font->colour_mask = mask;
  return true;
}

// A glyph of at most 8 columns ORed into the rows below dst, shifted right by shift bits.
void draw_narrow(const qmBitmapFont& f, int32_t glyph, uint8_t* dst, int32_t bytes_per_row,
                 int32_t shift, int32_t width) {
  const uint8_t* src = f.narrow.data() + size_t(glyph) * size_t(f.y_size);
  if (shift == 0 && f.y_size == 8) {  // quill's case, unrolled
    for (int32_t r = 0; r < 8; ++r, dst += bytes_per_row) *dst |= src[r];
  } else if (shift == 0) {
    for (int32_t r = 0; r < f.y_size; ++r, dst += bytes_per_row) *dst |= src[r];
  } else if (shift + width <= 8) {
    for (int32_t r = 0; r < f.y_size; ++r, dst += bytes_per_row) *dst |= uint8_t(src[r] >> shift);
  } else {
    for (int32_t r = 0; r < f.y_size; ++r, dst += bytes_per_row) {
      dst[0] |= uint8_t(src[r] >> shift);
      dst[1] |= uint8_t(src[r] << (8 - shift));
    }
  }
}

// The rows of every glyph as left-aligned bytes, when no glyph is wider than 8 columns.
void make_narrow(qmBitmapFont* f) {
  for (uint32_t loc : f->locations) {
    if ((loc & 0xFFFF) > 8) return;
  }
  f->narrow.resize(size_t(f->glyph_count) * size_t(f->y_size));
  for (int32_t g = 0; g < f->glyph_count; ++g) {
    const uint32_t loc = f->locations[size_t(g)];
    for (int32_t r = 0; r < f->y_size; ++r) {
      const int32_t w = int32_t(loc & 0xFFFF);
      const uint8_t* row = f->strip.data() + size_t(r) * size_t(f->modulo);
      f->narrow[size_t(g) * size_t(f->y_size) + size_t(r)] =
          w ? uint8_t(take_bits(row, loc >> 16, w) << (8 - w)) : 0;
    }
  }
}

bool read_font_file(const std::string& name, qmFont* font, qmBitmapFont* rec) {
  Reader r;
  Layout l;
  if (!r.open(name) || !read_header(r, rec, &l) || !layout_fits(r, *rec, l)) return false;
  const int64_t glyphs = rec->glyph_count;
  std::vector<uint8_t> raw(size_t(glyphs) * 4);
  if (!r.read(l.locations, raw.data(), glyphs * 4)) return false;
  rec->locations.resize(size_t(glyphs));
  for (int64_t i = 0; i < glyphs; ++i) {
    const uint32_t loc = get_be32(raw.data() + i * 4);
    // A glyph's columns lie inside the strip's row.
    if (int64_t(loc >> 16) + int64_t(loc & 0xFFFF) > int64_t(rec->modulo) * 8) return false;
    rec->locations[size_t(i)] = loc;
  }
  if (l.space && !read_table16(r, l.space, glyphs, &rec->space)) return false;
  if (l.kern && !read_table16(r, l.kern, glyphs, &rec->kern)) return false;
  if (rec->style & kColourStyle) {
    font->kind = FONTKIND_COLOURBITMAP;
    return read_colour_strip(r, *rec, l, font);
  }
  font->kind = FONTKIND_BITMAP;
  rec->strip.resize(size_t(rec->y_size) * size_t(rec->modulo));
  if (!r.read(l.strip, rec->strip.data(), int64_t(rec->strip.size()))) return false;
  make_narrow(rec);
  rec->glyph_mask = qmos_wrap_mask(rec->strip.data(), rec->modulo);
  return rec->glyph_mask != nullptr;
}

void free_colour(qmFont* font) {
  qmos_free_bitmap(font->colour_bitmap);
  qmos_free_mask(static_cast<qmMask*>(font->colour_mask));
  font->colour_bitmap = nullptr;
  font->colour_mask = nullptr;
}

int32_t glyph_of(const qmBitmapFont& f, uint32_t code) {
  return code >= uint32_t(f.first) && code <= uint32_t(f.last) ? int32_t(code) - f.first
                                                               : f.glyph_count - 1;
}

// The pen step after a glyph: its space entry, or the x size without a space table.
int32_t advance_of(const qmBitmapFont& f, int32_t glyph) {
  return f.space.empty() ? f.x_size : f.space[size_t(glyph)];
}

void copy_name(qmFont* font, const std::string& name) {
  const size_t n = std::min(name.size(), kFontNameSize - 1);
  std::memcpy(font->name, name.data(), n);
  font->name[n] = 0;
}

}  // namespace

int32_t bitmap_font_read(const char* contents, int32_t size, qmFont* font, const char* display) {
  std::string name = contents;
  std::string shown;
  if (vfile_is_virtual(contents)) {
    shown = vfile_basename(contents);
  } else {
    if (!ends_with_nocase(name, ".font")) name += ".font";
    shown = display ? display : contents;
  }
  std::string size_file;
  if (size < 1 || size > 0xFFFF || !find_entry(name, size, &size_file)) return 0;
  auto* rec = new (std::nothrow) qmBitmapFont;
  if (!rec) return 0;
  bool ok;
  try {
    ok = read_font_file(size_file, font, rec);
  } catch (const std::bad_alloc&) {
    ok = false;
  }
  if (!ok) {
    free_colour(font);
    qmos_free_mask(rec->glyph_mask);
    font->kind = 0;
    delete rec;
    return 0;
  }
  font->engine = rec;
  font->size = size;
  font->height = font->base_height = rec->y_size;
  font->baseline = font->base_baseline = rec->baseline;
  font->outline = 0;
  font->scalable = 0;
  copy_name(font, shown);
  return 1;
}

void bitmap_font_measure(const qmFont* font, const uint32_t* codes, size_t count,
                         qmFontExtent* out) {
  const qmBitmapFont& f = *record(font);
  *out = qmFontExtent{};
  out->height = f.y_size;
  out->ink_top = -f.baseline;
  out->ink_bottom = f.y_size - f.baseline - 1;
  if (!(f.flags & kProportional) && f.space.empty() && f.kern.empty()) {
    const int64_t advance = int64_t(count) * f.x_size;
    out->advance = int32_t(std::min<int64_t>(advance, INT32_MAX));
    out->ink_right = out->advance - 1;
    return;
  }
  int64_t pen = 0, left = 0, right = 0;
  for (size_t i = 0; i < count; ++i) {
    const int32_t g = glyph_of(f, codes[i]);
    const int64_t x1 = pen + (f.kern.empty() ? 0 : f.kern[size_t(g)]);
    const int64_t x2 = x1 + (f.locations[size_t(g)] & 0xFFFF);
    pen = x1 + advance_of(f, g);
    left = std::min({left, x1, x2, pen});
    right = std::max({right, x1, x2, pen});
  }
  out->advance = int32_t(std::clamp<int64_t>(pen, INT32_MIN, INT32_MAX));
  out->ink_left = int32_t(std::max<int64_t>(left, INT32_MIN));
  out->ink_right = int32_t(std::min<int64_t>(right - 1, INT32_MAX));
}

void bitmap_font_render(const qmFont* font, const qmFontTarget& target, int32_t x, int32_t y,
                        const uint32_t* codes, size_t count, int32_t mode, const qmClipRect& clip) {
  const qmBitmapFont& f = *record(font);
  const bool colour = font->kind == FONTKIND_COLOURBITMAP;
  const auto* colour_mask = static_cast<const qmMask*>(font->colour_mask);
  // Narrow glyphs of a line whose rows are all visible go straight in, a byte a row.
  const int64_t left = std::max(clip.x, 0),
                right = std::min<int64_t>(int64_t(clip.x) + clip.width, target.width);
  const bool narrow =
      !f.narrow.empty() && mode == FONTRENDER_COVERAGE && target.plane &&
      y >= std::max(clip.y, 0) &&
      int64_t(y) + f.y_size <= std::min<int64_t>(int64_t(clip.y) + clip.height, target.height);
  uint8_t* line = narrow ? target.plane + int64_t(y) * target.bytes_per_row : nullptr;
  int64_t pen = x;
  for (size_t i = 0; i < count; ++i) {
    const int32_t g = glyph_of(f, codes[i]);
    if (!f.kern.empty()) pen += f.kern[size_t(g)];
    const uint32_t loc = f.locations[size_t(g)];
    GlyphBox b;
    if (narrow && pen >= left && pen + int64_t(loc & 0xFFFF) <= right) {
      draw_narrow(f, g, line + (pen >> 3), target.bytes_per_row, int32_t(pen & 7),
                  int32_t(loc & 0xFFFF));
    } else if (glyph_clip(target, clip, pen, y, loc & 0xFFFF, f.y_size, &b)) {
      const int64_t sx = int64_t(loc >> 16) + b.sx;
      if (colour) {
        if (target.bitmap)
          BLTMASK(font->colour_bitmap, int32_t(sx), b.sy, target.bitmap, b.x, b.y, b.w, b.h,
                  colour_mask);
        if (mode == FONTRENDER_COVERAGE && target.plane) {
          for (int32_t r = 0; r < b.h; ++r)
            bits_or(target.plane + int64_t(b.y + r) * target.bytes_per_row, b.x,
                    colour_mask->data + int64_t(b.sy + r) * colour_mask->bytes_per_row, sx, b.w);
        }
      } else if (mode == FONTRENDER_COLOUR) {
        if (target.bitmap)
          BLTTEMPLATE(f.glyph_mask, int32_t(sx), b.sy, target.bitmap, b.x, b.y, b.w, b.h,
                      target.colour);
      } else if (target.plane) {
        for (int32_t r = 0; r < b.h; ++r) {
          uint8_t* dst = target.plane + int64_t(b.y + r) * target.bytes_per_row;
          const uint8_t* src = f.strip.data() + int64_t(b.sy + r) * f.modulo;
          if (mode == FONTRENDER_COVERAGE)
            bits_or(dst, b.x, src, sx, b.w);
          else
            bits_combine(dst, b.x, src, sx, b.w, mode);
        }
      }
    }
    pen += advance_of(f, g);
  }
}

void bitmap_font_close(qmFont* font) {
  free_colour(font);
  qmos_free_mask(record(font)->glyph_mask);
  delete record(font);
  font->engine = nullptr;
}

qmFont* bitmap_font_default_create() {
  auto font = std::make_unique<qmFont>();
  auto rec = std::make_unique<qmBitmapFont>();
  rec->y_size = kQuillHeight;
  rec->x_size = 8;
  rec->baseline = 6;
  rec->bold_smear = 1;
  rec->first = kQuillFirst;
  rec->last = kQuillLast;
  rec->modulo = kQuillModulo;
  rec->glyph_count = kQuillGlyphs;
  rec->strip.assign(kQuillStrip, kQuillStrip + sizeof kQuillStrip);
  rec->locations.assign(kQuillLocations, kQuillLocations + kQuillGlyphs);
  make_narrow(rec.get());
  rec->glyph_mask = qmos_wrap_mask(rec->strip.data(), kQuillModulo);
  if (!rec->glyph_mask) return nullptr;
  font->engine = rec.release();
  copy_name(font.get(), "quill");
  font->size = 8;
  font->kind = FONTKIND_BITMAP;
  font->height = font->base_height = kQuillHeight;
  font->baseline = font->base_baseline = 6;
  font->x_scale = font->y_scale = 1.0;
  return font.release();
}

void bitmap_font_free_default(qmFont* font) {
  if (!font) return;
  bitmap_font_close(font);
  delete font;
}
