// Bitmap fonts: contents and font files written by the fixture writer (mono, proportional, colour,
// malformed), measured and drawn; quill drawn against its own glyph text.
#include "text/bitmap_font.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "tests/text/bitmap_font_writer.h"
#include "tests/text/font_test_support.h"
#include "text/font_driver.h"

using namespace qm;

namespace {

class BitmapFonts : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(font_init(), 0); }
  void TearDown() override {
    if (font_.engine) bitmap_font_close(&font_);
    font_shutdown();
  }
  // Writes the font file as the size-4 entry of "f.font" and reads it.
  bool read(const std::vector<uint8_t>& file, int32_t size = 4) {
    write_bytes(dir_ + "/f-4", file);
    write_bytes(dir_ + "/f.font", bitmap_font_contents({{"f-4", 4}}));
    if (font_.engine) bitmap_font_close(&font_);
    font_ = qmFont{};
    return bitmap_font_read((dir_ + "/f").c_str(), size, &font_, "f") == 1;
  }
  std::vector<std::string> draw(const char* text, int32_t w, int32_t mode = FONTRENDER_COVERAGE,
                                qmClipRect clip = {0, 0, 1000, 1000}, uint8_t fill = 0) {
    Plane p(w, font_.height, false, fill);
    EXPECT_EQ(font_render(&font_, p.target(), 0, 0, text, std::strlen(text), 0, 0, clip, mode), 0);
    return p.rows();
  }
  TempFolder folder_{"bitmap_fonts"};
  const std::string& dir_ = folder_.path;
  qmFont font_{};
};

TEST_F(BitmapFonts, ContentsFilesPickTheFirstEntryOfTheSize) {
  write_bytes(dir_ + "/f-4", bitmap_font_file(small_mono_font()));
  const struct {
    std::vector<std::pair<std::string, int32_t>> entries;
    uint16_t id;
    bool opens;
  } cases[] = {
      {{{"f-4", 4}}, 0x0F00, true},
      {{{"f-4", 4}}, 0x0F02, true},
      {{{"f-4", 4}}, 0x0F01, false},
      {{{"::incomplete", 4}}, 0x0F00, false},
      {{{"::incomplete", 4}, {"f-4", 4}}, 0x0F00, true},
      {{{"f-4", 5}}, 0x0F00, false},
      {{{"missing", 4}, {"f-4", 4}}, 0x0F00, false},
  };
  for (const auto& c : cases) {
    write_bytes(dir_ + "/c.font", bitmap_font_contents(c.entries, c.id));
    qmFont f{};
    EXPECT_EQ(bitmap_font_read((dir_ + "/c.font").c_str(), 4, &f, nullptr), c.opens ? 1 : 0)
        << c.entries[0].first;
    if (f.engine) {
      EXPECT_STREQ(f.name, (dir_ + "/c.font").c_str());
      bitmap_font_close(&f);
    }
  }
}

TEST_F(BitmapFonts, MonoGlyphsAndTheFallback) {
  ASSERT_TRUE(read(bitmap_font_file(small_mono_font())));
  EXPECT_EQ(font_.kind, FONTKIND_BITMAP);
  EXPECT_STREQ(font_.name, "f");
  EXPECT_EQ(font_.height, 4);
  EXPECT_EQ(font_.baseline, 3);
  // Pen steps of x size 5: A B C, then a code outside 'A'..'C' draws the fallback.
  const std::vector<std::string> expect = {
      "####.#.........####..",
      ".....#.....#...####..",
      ".....#.........####..",
      ".....#.........####..",
  };
  EXPECT_EQ(draw("ABC\x7f", 21), expect);
  qmFontExtent e;
  ASSERT_EQ(font_measure(&font_, "ABC\x7f", 4, 0, 0, &e), 0);
  EXPECT_EQ(e.advance, 20);
  EXPECT_EQ(e.height, 4);
  EXPECT_EQ(e.ink_left, 0);
  EXPECT_EQ(e.ink_right, 19);
  EXPECT_EQ(e.ink_top, -3);
  EXPECT_EQ(e.ink_bottom, 0);
}

TEST_F(BitmapFonts, MaskModesClippingAndColour) {
  ASSERT_TRUE(read(bitmap_font_file(small_mono_font())));
  // Clearing through a filled plane, clipped to columns 1..6 and rows 1..3.
  const std::vector<std::string> cleared = {
      "##########",
      "#####.####",
      "#####.####",
      "#####.####",
  };
  EXPECT_EQ(draw("AB", 10, MASKINVISIBLE, {1, 1, 6, 3}, 0xFF), cleared);
  EXPECT_EQ(draw("A", 6, MASKXOR, {0, 0, 100, 100}, 0xFF)[0], "....##");
  // In a colour onto a bitmap: the glyph's bits only.
  qmBitmap* bm = qmos_alloc_bitmap(10, 4);
  qmos_fill_bitmap_rect(bm, 0, 0, 10, 4, 0x102030);
  qmFontTarget t;
  t.bitmap = bm;
  t.width = 10;
  t.height = 4;
  t.colour = 0xFF8000;
  ASSERT_EQ(font_render(&font_, t, 1, 0, "B", 1, 0, 0, qmClipRect{0, 0, 10, 4}, FONTRENDER_COLOUR),
            0);
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t x = 0; x < 10; ++x)
      EXPECT_EQ(qmos_read_pixel(bm, x, y), x == 1 ? 0xFF8000u : 0x102030u) << x << y;
  }
  qmos_free_bitmap(bm);
}

TEST_F(BitmapFonts, ProportionalFontsStepBySpaceAndKern) {
  BitmapFontSpec s = small_mono_font();
  s.flags = 32;
  s.space = {3, 4, 5, 6};
  s.kern = {0, -1, 2, 0};
  ASSERT_TRUE(read(bitmap_font_file(s)));
  // A at 0 (pen 3); B kerned to 2 (pen 6); C kerned to 8 (pen 13).
  EXPECT_EQ(draw("ABC", 14)[0], "####..........");
  EXPECT_EQ(draw("ABC", 14)[1], "..#......#....");
  qmFontExtent e;
  ASSERT_EQ(font_measure(&font_, "ABC", 3, 0, 0, &e), 0);
  EXPECT_EQ(e.advance, 13);
  EXPECT_EQ(e.ink_left, 0);
  EXPECT_EQ(e.ink_right, 12);
  // Without a space table the pen steps by the x size, measured as drawn.
  s.space.clear();
  ASSERT_TRUE(read(bitmap_font_file(s)));
  ASSERT_EQ(font_measure(&font_, "ABC", 3, 0, 0, &e), 0);
  EXPECT_EQ(e.advance, 0 + 5 - 1 + 5 + 2 + 5);
}

// Glyph A of a colour font: the pixel at x takes the palette entry x (bits of the planes).
BitmapFontSpec colour_font(int32_t depth, int32_t pick, std::vector<uint16_t> colours) {
  BitmapFontSpec s = small_mono_font();
  s.depth = depth;
  s.pick = pick;
  s.colours = std::move(colours);
  s.y_size = 1;
  s.baseline = 1;
  // Columns 0..7 carry the indices 0..7 in the planes' bits.
  for (int32_t i = 0; i < 3; ++i) {
    uint8_t bits = 0;
    for (int32_t x = 0; x < 8; ++x) bits |= uint8_t(((x >> i) & 1) << (7 - x));
    s.planes.push_back({bits, 0});
  }
  s.locations = {0 << 16 | 8, 8 << 16 | 1, 8 << 16 | 1, 8 << 16 | 1};
  return s;
}

TEST_F(BitmapFonts, ColourFontsDrawTheirPaletteButNeverEntryZero) {
  const struct {
    int32_t depth, pick;
    std::vector<uint32_t> expect;  // per column; 0x123456 the background left alone
  } cases[] = {
      // Two planes: entries 0..3; entry 0 is transparent though the file gives it a colour.
      {2, 3, {0x123456, 0xFF8800, 0x112233, 0x000000, 0x123456, 0xFF8800, 0x112233, 0x000000}},
      // Three planes: indices up to 7, beyond the file's four colours they are black.
      {3, 7, {0x123456, 0xFF8800, 0x112233, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},
      // Only planes 0 and 2 picked: two planes are read, the first two pointers.
      {3, 5, {0x123456, 0xFF8800, 0x112233, 0x000000, 0x123456, 0xFF8800, 0x112233, 0x000000}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(
        read(bitmap_font_file(colour_font(c.depth, c.pick, {0x0F80, 0x0F80, 0x0123, 0x0000}))));
    EXPECT_EQ(font_.kind, FONTKIND_COLOURBITMAP);
    qmBitmap* bm = qmos_alloc_bitmap(8, 1);
    qmos_fill_bitmap_rect(bm, 0, 0, 8, 1, 0x123456);
    Plane mask(8, 1);
    qmFontTarget t = mask.target();
    t.bitmap = bm;
    ASSERT_EQ(
        font_render(&font_, t, 0, 0, "A", 1, 0, 0, qmClipRect{0, 0, 8, 1}, FONTRENDER_COVERAGE), 0);
    for (int32_t x = 0; x < 8; ++x) {
      EXPECT_EQ(qmos_read_pixel(bm, x, 0), c.expect[size_t(x)])
          << c.depth << " " << c.pick << " x " << x;
      EXPECT_EQ(mask.at(x, 0) != 0, c.expect[size_t(x)] != 0x123456u) << x;
    }
    qmos_free_bitmap(bm);
  }
}

TEST_F(BitmapFonts, MalformedFilesAreRefused) {
  const std::vector<uint8_t> good = bitmap_font_file(small_mono_font());
  const std::vector<uint8_t> colour = bitmap_font_file(colour_font(2, 3, {0x0F80, 0x0123}));
  auto patch16 = [](std::vector<uint8_t> f, size_t at, uint16_t v) {
    return put_be16(&f[at], v), f;
  };
  auto patch32 = [](std::vector<uint8_t> f, size_t at, uint32_t v) {
    return put_be32(&f[at], v), f;
  };
  auto patch8 = [](std::vector<uint8_t> f, size_t at, uint8_t v) { return f[at] = v, f; };
  // A colour strip wider than the picture cap, whose planes still lie in the file.
  BitmapFontSpec wide = colour_font(1, 1, {0x0F80});
  wide.modulo = 4097;
  wide.planes = {std::vector<uint8_t>(4097, 0)};
  const std::map<std::string, std::vector<uint8_t>> bad = {
      {"first code after the last", patch8(good, BF_FIRST, 'D')},
      {"y size 0", patch16(good, BF_YSIZE, 0)},
      {"x size 0", patch16(good, BF_XSIZE, 0)},
      {"modulo 0", patch16(good, BF_MODULO, 0)},
      {"depth 9", patch8(colour, BF_DEPTH, 9)},
      {"glyph past the strip", patch32(good, 186, 13 << 16 | 4)},
      {"strip past the end", patch32(good, BF_STRIP, uint32_t(good.size()))},
      {"locations past the end", patch32(good, BF_LOCATIONS, uint32_t(good.size() - 40))},
      {"space table past the end", patch32(good, BF_SPACE, 0xFFFFFFF0u)},
      {"kern table past the end", patch32(good, BF_KERN, uint32_t(good.size()))},
      {"colour record past the end", patch32(colour, BF_COLOURS, uint32_t(colour.size() - 36))},
      {"plane past the end", patch32(colour, BF_PLANES + 4, uint32_t(colour.size() - 33))},
      {"colour strip over the cap", bitmap_font_file(wide)},
      {"cut header", std::vector<uint8_t>(good.begin(), good.begin() + 120)},
      {"wrong id", patch16(good, BF_ID, 0x0F81)},
  };
  for (const auto& [what, file] : bad) {
    EXPECT_FALSE(read(file)) << what;
    EXPECT_EQ(font_.engine, nullptr) << what;
  }
  // A colour table longer than the file.
  std::vector<uint8_t> table = colour;
  put_be16(&table[32 + get_be32(&table[BF_COLOURS]) + 2], 0xFFFF);
  EXPECT_FALSE(read(table));
  // A contents entry whose name fills all 256 bytes.
  write_bytes(dir_ + "/f-4", good);
  write_bytes(dir_ + "/n.font", bitmap_font_contents({{std::string(256, 'x'), 4}}));
  qmFont f{};
  EXPECT_EQ(bitmap_font_read((dir_ + "/n").c_str(), 4, &f, nullptr), 0);
  // The driver reports them as fonts it cannot open.
  write_bytes(dir_ + "/f-4", patch16(good, BF_MODULO, 0));
  qmFont* opened = nullptr;
  EXPECT_EQ(font_open((dir_ + "/f").c_str(), 4, FONTENGINE_NATIVE, 0, 0, &opened), ERR_OPENFONT);
}

// quill's glyph text, code by code (the last entry the fallback).
std::map<int32_t, std::vector<std::string>> quill_source() {
  std::ifstream in(QM_SOURCE_DIR "/text/quill.txt");
  std::map<int32_t, std::vector<std::string>> glyphs;
  int32_t code = -1;
  std::string line;
  while (std::getline(in, line)) {
    const bool row = line.size() == 8 && line.find_first_not_of(".#") == std::string::npos;
    if (row)
      glyphs[code].push_back(line);
    else if (line.rfind("0x", 0) == 0)
      code = std::stoi(line.substr(2, 2), nullptr, 16);
    else if (line == "fallback")
      code = 256;
  }
  return glyphs;
}

TEST_F(BitmapFonts, QuillDrawsItsGlyphText) {
  const auto glyphs = quill_source();
  ASSERT_EQ(glyphs.size(), 225u);
  Plane hi(16, 8);
  ASSERT_EQ(font_render(nullptr, hi.target(), 0, 0, "Hi", 2, 0, 0, qmClipRect{0, 0, 16, 8},
                        FONTRENDER_COVERAGE),
            0);
  for (int32_t y = 0; y < 8; ++y)
    EXPECT_EQ(hi.rows()[size_t(y)], glyphs.at('H')[size_t(y)] + glyphs.at('i')[size_t(y)]);
  // Every code, at an odd pen position: its glyph, or the fallback below 32.
  for (int32_t code = 1; code < 256; ++code) {
    Plane p(12, 8);
    const char c = char(code);
    ASSERT_EQ(font_render(nullptr, p.target(), 3, 0, &c, 1, 0, 0, qmClipRect{0, 0, 12, 8},
                          FONTRENDER_COVERAGE),
              0);
    const std::vector<std::string>& want = glyphs.at(code < 32 ? 256 : code);
    for (int32_t y = 0; y < 8; ++y)
      EXPECT_EQ(p.rows()[size_t(y)], "..." + want[size_t(y)] + ".") << code << " " << y;
  }
}

}  // namespace
