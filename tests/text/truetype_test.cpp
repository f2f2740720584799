// The inbuilt TrueType engine, judged by FreeType: each glyph and string the engine draws equals
// what a plain FreeType program draws at the engine's pixel size (FT_Load_Char with rendering and
// without the auto-hinter, unfitted kerning), antialiased and mono.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/endian.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "platform/fonts.h"
#include "tests/text/font_test_support.h"
#include "text/font_driver.h"
#include "text/font_list.h"
#include "text/truetype.h"

using namespace qm;

namespace {

const std::string kVera = "/usr/share/fonts/truetype/ttf-bitstream-vera/";

std::vector<uint8_t> file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string describe(const Plane& a, const Plane& b) {
  std::string out;
  for (int32_t y = 0; y < a.h; ++y) {
    for (int32_t x = 0; x < a.w; ++x)
      out += a.at(x, y) == b.at(x, y) ? (a.at(x, y) ? '#' : '.') : 'X';
    out += '\n';
  }
  return out;
}

// The reference: FreeType alone.
class Peer {
 public:
  Peer(const std::string& file, int32_t pixel_size) {
    EXPECT_EQ(FT_Init_FreeType(&lib_), 0);
    EXPECT_EQ(FT_New_Face(lib_, file.c_str(), 0, &face_), 0) << file;
    EXPECT_EQ(FT_Set_Pixel_Sizes(face_, FT_UInt(pixel_size), 0), 0);
  }
  ~Peer() {
    FT_Done_Face(face_);
    FT_Done_FreeType(lib_);
  }
  // Draws the text with the pen starting at (x, baseline); the pen's advance is the result.
  int64_t draw(Plane& c, const std::vector<uint32_t>& text, int64_t x, int64_t baseline) {
    const FT_Int32 flags = FT_LOAD_RENDER | FT_LOAD_NO_AUTOHINT | (c.aa ? 0 : FT_LOAD_MONOCHROME);
    int64_t pen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      FT_Vector kern{0, 0};
      if (FT_HAS_KERNING(face_) && i + 1 < text.size())
        FT_Get_Kerning(face_, FT_Get_Char_Index(face_, text[i]),
                       FT_Get_Char_Index(face_, text[i + 1]), FT_KERNING_UNFITTED, &kern);
      EXPECT_EQ(FT_Load_Char(face_, text[i], flags), 0);
      const FT_GlyphSlot g = face_->glyph;
      for (int32_t r = 0; r < int32_t(g->bitmap.rows); ++r) {
        const uint8_t* src = g->bitmap.buffer + ptrdiff_t(r) * g->bitmap.pitch;
        for (int32_t col = 0; col < int32_t(g->bitmap.width); ++col) {
          const uint8_t v = c.aa ? src[col] : (mask_bit(src, col) ? 255 : 0);
          c.merge(int32_t(x + pen + g->bitmap_left + col), int32_t(baseline - g->bitmap_top + r),
                  v);
        }
      }
      pen += (g->advance.x + kern.x) / 64;
    }
    return pen;
  }

 private:
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
};

class TrueType : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(font_init(), 0); }
  void TearDown() override { font_shutdown(); }
  qmFont* open(const char* name, int32_t size, int32_t flags = 0) {
    qmFont* f = nullptr;
    EXPECT_EQ(font_open(name, size, FONTENGINE_INBUILT, flags, 0, &f), 0) << name << " " << size;
    return f;
  }
  // The text drawn by the engine with its line's top at (x, y) against FreeType's drawing.
  void compare(qmFont* f, const std::string& file, const std::vector<uint32_t>& text, bool aa,
               const std::string& what) {
    const int32_t x = f->size, y = f->size;
    Plane ours(f->size * int32_t(text.size() + 3), f->size * 4, aa), theirs = ours;
    std::string latin1;
    for (uint32_t c : text) latin1 += char(c);
    ASSERT_EQ(font_render(f, ours.target(), x, y, latin1.data(), latin1.size(),
                          aa ? FONTSTYLE_ANTIALIAS : 0, FONTENCODING_LATIN1,
                          qmClipRect{0, 0, ours.w, ours.h}, FONTRENDER_COVERAGE),
              0);
    Peer peer(file, ttf_pixel_size(f));
    const int64_t advance = peer.draw(theirs, text, x, y + f->baseline);
    EXPECT_TRUE(ours == theirs) << what << (aa ? " aa\n" : " mono\n") << describe(ours, theirs);
    qmFontExtent e;
    ASSERT_EQ(font_measure(f, latin1.data(), latin1.size(), aa ? FONTSTYLE_ANTIALIAS : 0, 0, &e),
              0);
    EXPECT_EQ(e.advance, advance) << what;
  }
};

TEST_F(TrueType, GlyphsEqualFreeTypes) {
  const struct {
    const char* name;
    std::string file;
  } faces[] = {
      {"Bitstream Vera Sans", kVera + "Vera.ttf"},
      {"Bitstream Vera Serif", kVera + "VeraSe.ttf"},
      {"Bitstream Vera Sans Mono", kVera + "VeraMono.ttf"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
       "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
      {"/usr/share/fonts/opentype/freefont/FreeSans.otf",
       "/usr/share/fonts/opentype/freefont/FreeSans.otf"},
  };
  for (const auto& face : faces) {
    for (int32_t size : {9, 16, 48}) {
      qmFont* f = open(face.name, size);
      ASSERT_NE(f, nullptr);
      for (uint32_t c : {uint32_t('A'), uint32_t('g'), 0xE9u, uint32_t('W'), 0xC5u, 0xFFu}) {
        for (bool aa : {true, false})
          compare(f, face.file, {c}, aa,
                  std::string(face.name) + " " + std::to_string(size) + " " + char(c));
      }
      font_close(f);
    }
  }
}

TEST_F(TrueType, StringsKernAsFreeTypeDoes) {
  for (const char* text : {"AV To", "W\xf6\xf6"}) {
    qmFont* f = open("Bitstream Vera Sans", 24, 1);
    std::vector<uint32_t> codes;
    for (const char* p = text; *p; ++p) codes.push_back(uint8_t(*p));
    for (bool aa : {true, false}) compare(f, kVera + "Vera.ttf", codes, aa, text);
    // At twice the scale the advance doubles, give or take a pixel a glyph.
    qmFontExtent one, two;
    ASSERT_EQ(font_measure(f, text, std::strlen(text), 0, 0, &one), 0);
    font_set_scale(f, 2.0, 2.0);
    ASSERT_EQ(font_measure(f, text, std::strlen(text), 0, 0, &two), 0);
    EXPECT_NEAR(two.advance, 2 * one.advance, double(std::strlen(text))) << text;
    EXPECT_EQ(two.height, 48);
    font_close(f);
  }
}

TEST_F(TrueType, ColourDrawingBlendsByCoverage) {
  qmFont* f = open("Bitstream Vera Sans", 20);
  Plane coverage(40, 40, true);
  ASSERT_EQ(font_render(f, coverage.target(), 5, 5, "A", 1, FONTSTYLE_ANTIALIAS, 0,
                        qmClipRect{0, 0, 40, 40}, FONTRENDER_COVERAGE),
            0);
  qmBitmap* bm = qmos_alloc_bitmap(40, 40);
  qmos_fill_bitmap_rect(bm, 0, 0, 40, 40, 0x000000);
  qmFontTarget t;
  t.bitmap = bm;
  t.width = t.height = 40;
  t.colour = 0xFFFFFF;
  ASSERT_EQ(font_render(f, t, 5, 5, "A", 1, FONTSTYLE_ANTIALIAS, 0, qmClipRect{0, 0, 40, 40},
                        FONTRENDER_COLOUR),
            0);
  int32_t full = 0;
  for (int32_t y = 0; y < 40; ++y) {
    for (int32_t x = 0; x < 40; ++x) {
      const uint32_t px = qmos_read_pixel(bm, x, y);
      if (coverage.at(x, y) == 0) {
        EXPECT_EQ(px, 0u) << x << "," << y;
      } else if (coverage.at(x, y) == 255) {
        EXPECT_EQ(px, 0xFFFFFFu) << x << "," << y;
        ++full;
      }
    }
  }
  EXPECT_GT(full, 10);
  qmos_free_bitmap(bm);
  font_close(f);
}

TEST_F(TrueType, EmbeddedFacesAreThePackagesFiles) {
  const char* files[] = {"Vera.ttf", "VeraSe.ttf", "VeraMono.ttf"};
  const size_t sizes[] = {65932, 60280, 49224};
  for (int i = 0; i < kEmbeddedFaceCount; ++i) {
    const qmEmbeddedFace& e = ttf_embedded_faces()[i];
    EXPECT_EQ(e.size, sizes[i]);
    EXPECT_EQ(std::vector<uint8_t>(e.data, e.data + e.size), file_bytes(kVera + files[i]))
        << files[i];
  }
  qmFont* serif = open("bitstream vera serif", 20);
  EXPECT_EQ(serif->height, 20);
  EXPECT_EQ(serif->base_height, 20);
  EXPECT_STREQ(serif->name, "Bitstream Vera Serif");  // its style "Roman" is a plain one
  EXPECT_EQ(serif->kind, FONTKIND_INBUILT);
  EXPECT_GT(serif->baseline, 10);
  EXPECT_LT(serif->baseline, 20);
  std::string path;
  int32_t index;
  EXPECT_FALSE(ttf_font_source(serif, &path, &index));
  font_close(serif);
  // A "Book" face is named by its family alone; a bold one keeps its style.
  qmFont* book = open("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 12);
  EXPECT_STREQ(book->name, "DejaVu Sans");
  font_close(book);
  qmFont* bold = open("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 12);
  EXPECT_STREQ(bold->name, "DejaVu Sans Bold");
  font_close(bold);
}

TEST_F(TrueType, SizesOutsideOneTo32767AreRefusedAtOnce) {
  qmFont* f = nullptr;
  for (int32_t size : {0, -5, 32768, 40000})
    EXPECT_EQ(font_open("Bitstream Vera Sans", size, 4, 0, 0, &f), ERR_OPENFONT);
  // Size 1 asks FreeType for a pixel size of 1, never for its largest.
  f = open("Bitstream Vera Sans", 1);
  EXPECT_EQ(ttf_pixel_size(f), 1);
  qmFontExtent e;
  EXPECT_EQ(font_measure(f, "Wide text", 9, 0, 0, &e), 0);
  font_close(f);
  f = open("Bitstream Vera Sans", 32767);
  EXPECT_GT(ttf_pixel_size(f), 20000);
  // Every glyph there would pass the picture cap: it is skipped, and nothing is drawn.
  Plane c(64, 64, true);
  EXPECT_EQ(font_render(f, c.target(), 0, 0, "A", 1, FONTSTYLE_ANTIALIAS, 0,
                        qmClipRect{0, 0, 64, 64}, FONTRENDER_COVERAGE),
            0);
  EXPECT_EQ(std::count(c.bytes.begin(), c.bytes.end(), 0), 64 * 64);
  font_close(f);
}

TEST_F(TrueType, GlyphCacheAndScale) {
  qmFont* f = open("Bitstream Vera Sans", 15, 1);
  Plane c(200, 40, true), m(200, 40, false);
  auto render = [&](Plane& into, int32_t style) {
    font_render(f, into.target(), 0, 0, "Hello", 5, style, 0, qmClipRect{0, 0, 200, 40},
                FONTRENDER_COVERAGE);
  };
  render(c, FONTSTYLE_ANTIALIAS);
  uint64_t loads = ttf_glyph_loads();
  render(c, FONTSTYLE_ANTIALIAS);
  EXPECT_EQ(ttf_glyph_loads(), loads);  // every glyph from the cache
  render(m, 0);
  EXPECT_GT(ttf_glyph_loads(), loads);  // mono glyphs have a cache of their own
  loads = ttf_glyph_loads();
  render(m, 0);
  EXPECT_EQ(ttf_glyph_loads(), loads);
  render(c, FONTSTYLE_ANTIALIAS | FONTSTYLE_BOLD);
  EXPECT_GT(ttf_glyph_loads(), loads);  // styled glyphs are never cached
  loads = ttf_glyph_loads();
  font_set_scale(f, 2.0, 2.0);
  EXPECT_EQ(f->height, 30);
  render(c, FONTSTYLE_ANTIALIAS);
  EXPECT_GT(ttf_glyph_loads(), loads);  // the scale dropped the cache
  font_set_scale(f, 1.1, 1.1);
  EXPECT_EQ(f->height, 17);  // 16.5 rounded up
  font_set_scale(f, 1.0, 1.0);
  EXPECT_EQ(f->height, 15);
  loads = ttf_glyph_loads();
  font_free_glyph_cache(f);
  render(c, FONTSTYLE_ANTIALIAS);
  EXPECT_GT(ttf_glyph_loads(), loads);
  font_close(f);
  // Without the cache flag every render loads.
  f = open("Bitstream Vera Sans", 15, 0);
  render(c, FONTSTYLE_ANTIALIAS);
  loads = ttf_glyph_loads();
  render(c, FONTSTYLE_ANTIALIAS);
  EXPECT_EQ(ttf_glyph_loads(), loads + 5);
  font_close(f);
}

TEST_F(TrueType, KerningAndInklessText) {
  qmFont* sans = open("Bitstream Vera Sans", 40);
  qmFont* mono = open("Bitstream Vera Sans Mono", 40);
  EXPECT_LT(font_kerning(sans, "AV", 2, 0, 0), 0);
  EXPECT_EQ(font_kerning(sans, "AVA", 3, 0, 0), 0);  // a pair only
  EXPECT_EQ(font_kerning(mono, "AV", 2, 0, 0), 0);   // no kerning table
  qmFontExtent e;
  ASSERT_EQ(font_measure(sans, "  ", 2, 0, 0, &e), 0);  // mono: a blank is a one-pixel image
  EXPECT_GT(e.advance, 0);
  EXPECT_EQ(e.height, 40);
  EXPECT_EQ(e.ink_left, 0);
  EXPECT_EQ(e.ink_top, 0);
  EXPECT_EQ(e.ink_right, 0);
  EXPECT_EQ(e.ink_bottom, 0);
  ASSERT_EQ(font_measure(sans, "g", 1, 0, 0, &e), 0);
  EXPECT_LT(e.ink_top, 0);
  EXPECT_GT(e.ink_bottom, 0);
  font_close(sans);
  font_close(mono);
}

// A face's 'name' table built by hand, inside an sfnt directory with one table.
std::vector<uint8_t> name_face(
    const std::vector<std::tuple<uint16_t, uint16_t, uint16_t, std::string>>& records,
    const char* tag = "name") {
  std::vector<uint8_t> strings, recs;
  for (const auto& [platform, language, id, text] : records) {
    std::vector<uint8_t> r(12);
    put_be16(&r[0], platform);
    put_be16(&r[2], platform == 3 ? 1 : 0);
    put_be16(&r[4], language);
    put_be16(&r[6], id);
    put_be16(&r[8], uint16_t(text.size()));
    put_be16(&r[10], uint16_t(strings.size()));
    recs.insert(recs.end(), r.begin(), r.end());
    strings.insert(strings.end(), text.begin(), text.end());
  }
  std::vector<uint8_t> f(12 + 16);
  put_be32(&f[0], 0x00010000);
  put_be16(&f[4], 1);
  std::memcpy(&f[12], tag, 4);
  put_be32(&f[12 + 8], uint32_t(f.size()));
  std::vector<uint8_t> table(6);
  put_be16(&table[2], uint16_t(records.size()));
  put_be16(&table[4], uint16_t(6 + recs.size()));
  f.insert(f.end(), table.begin(), table.end());
  f.insert(f.end(), recs.begin(), recs.end());
  f.insert(f.end(), strings.begin(), strings.end());
  return f;
}

TEST(NameTable, RecordsTakenAndPassedOver) {
  const std::string utf16_bold("\0B\0o\0l\0d", 8);
  const std::vector<uint8_t> face = name_face({
      {3, 1031, 1, "Deutsch"},  // Windows German: passed over
      {1, 0, 1, "MacFamily"},   // Macintosh language 0: taken
      {1, 2, 2, "Nope"},        // Macintosh language 2: passed over
      {3, 1033, 3, "Unique"},   // other ids are no names of ours
      {3, 1033, 2, utf16_bold},
      {3, 1033, 1, "Late"},  // both were set: the walk has ended
  });
  qmFontBytes src{nullptr, face.data(), face.size()};
  std::string family, style;
  ASSERT_TRUE(ttf_read_names(src, 0, 0, &family, &style));
  EXPECT_EQ(family, "MacFamily");
  EXPECT_EQ(style, "Bold");
  // The table's tag in any case; a later record overwrites an earlier one.
  const std::vector<uint8_t> upper = name_face({{0, 0, 1, "First"}, {0, 0, 1, "Second"}}, "NAME");
  ASSERT_TRUE(
      ttf_read_names(qmFontBytes{nullptr, upper.data(), upper.size()}, 0, 0, &family, &style));
  EXPECT_EQ(family, "Second");
  EXPECT_EQ(style, "");
  // A 512-byte name ends the reading with failure; 511 bytes are read.
  const std::vector<uint8_t> long_name = name_face({{0, 0, 1, std::string(512, 'x')}});
  EXPECT_FALSE(ttf_read_names(qmFontBytes{nullptr, long_name.data(), long_name.size()}, 0, 0,
                              &family, &style));
  const std::vector<uint8_t> longest = name_face({{0, 0, 1, std::string(511, 'x')}});
  EXPECT_TRUE(
      ttf_read_names(qmFontBytes{nullptr, longest.data(), longest.size()}, 0, 0, &family, &style));
  EXPECT_EQ(family.size(), 511u);
  // No 'name' table, a wrong version, strings and records cut by the end.
  const std::vector<uint8_t> other = name_face({{0, 0, 1, "x"}}, "cmap");
  EXPECT_FALSE(
      ttf_read_names(qmFontBytes{nullptr, other.data(), other.size()}, 0, 0, &family, &style));
  std::vector<uint8_t> version = face;
  put_be32(version.data(), 0x00020000);
  EXPECT_FALSE(
      ttf_read_names(qmFontBytes{nullptr, version.data(), version.size()}, 0, 0, &family, &style));
  EXPECT_FALSE(
      ttf_read_names(qmFontBytes{nullptr, face.data(), face.size() - 6}, 0, 0, &family, &style));
  EXPECT_FALSE(ttf_read_names(qmFontBytes{nullptr, face.data(), 40}, 0, 0, &family, &style));
}

// A collection of Vera Sans and Vera Serif: each member's table offsets count from the file's
// start.
std::vector<uint8_t> vera_collection() {
  std::vector<std::vector<uint8_t>> members = {file_bytes(kVera + "Vera.ttf"),
                                               file_bytes(kVera + "VeraSe.ttf")};
  std::vector<uint8_t> out(12 + 4 * members.size());
  std::memcpy(out.data(), "ttcf", 4);
  put_be32(&out[4], 0x00010000);
  put_be32(&out[8], uint32_t(members.size()));
  for (size_t m = 0; m < members.size(); ++m) {
    std::vector<uint8_t>& f = members[m];
    const uint32_t at = uint32_t(out.size());
    put_be32(&out[12 + 4 * m], at);
    for (uint32_t t = 0; t < get_be16(&f[4]); ++t)
      put_be32(&f[12 + 16 * t + 8], get_be32(&f[12 + 16 * t + 8]) + at);
    out.insert(out.end(), f.begin(), f.end());
  }
  return out;
}

TEST_F(TrueType, CollectionMembersOpenByTheirFaceIndex) {
  TempFolder folder("ttc");
  const std::string& dir = folder.path;
  const std::vector<uint8_t> ttc = vera_collection();
  std::ofstream(dir + "/vera.ttc", std::ios::binary)
      .write(reinterpret_cast<const char*>(ttc.data()), std::streamsize(ttc.size()));
  ASSERT_TRUE(font_path_add(dir));
  const std::vector<qmFontListEntry>& list = font_list_build(false);
  ASSERT_GE(list.size(), 3u);
  EXPECT_EQ(list[0].name, "Bitstream Vera Sans Roman");
  EXPECT_EQ(list[1].name, "Bitstream Vera Sans");
  EXPECT_EQ(list[2].name, "Bitstream Vera Serif Roman");
  EXPECT_EQ(list[2].index, 1);
  EXPECT_TRUE(list[2].in_collection);
  qmFont* f = open("Bitstream Vera Serif Roman", 20);
  ASSERT_NE(f, nullptr);
  EXPECT_STREQ(f->name, "Bitstream Vera Serif");
  std::string path;
  int32_t index = -1;
  ASSERT_TRUE(ttf_font_source(f, &path, &index));
  EXPECT_EQ(path, dir + "/vera.ttc");
  EXPECT_EQ(index, 1);
  compare(f, kVera + "VeraSe.ttf", {'A', 'g'}, true, "ttc member");
  font_close(f);
}

struct Fontconfig : ::testing::Environment {
  void TearDown() override { platform_fontconfig_finish(); }
};
const auto* const kFontconfig = ::testing::AddGlobalTestEnvironment(new Fontconfig);

}  // namespace
