// Platform fonts: found through fontconfig (fonts-dejavu-core), measured and drawn with FreeType.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "platform/fonts.h"
#include "runtime/vfile.h"

using namespace qm;

namespace {

class Font : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(&font_, 0, sizeof font_);
    ASSERT_EQ(platform_font_open("DejaVu Sans", 20, nullptr, &font_), 1);
  }
  void TearDown() override { platform_font_close(&font_); }

  // An 8-bit plane (or a 1-bit mask) of w x h with the text drawn at (x, y) through the clip.
  std::vector<uint8_t> draw(const char* text, int32_t style, int32_t x, int32_t y, qmClipRect clip, bool mask,
                            int32_t* result = nullptr) {
    const int32_t row = mask ? kW / 8 + 1 : kW;
    std::vector<uint8_t> plane(size_t(row) * kH, 0);
    qmFontTarget t;
    t.plane = plane.data();
    t.bytes_per_row = row;
    t.width = kW;
    t.height = kH;
    int32_t r = platform_font_render(&font_, t, x, y, text, std::strlen(text), style, 0, clip, -1);
    if (result) *result = r;
    return plane;
  }
  static constexpr int32_t kW = 120, kH = 40;
  static constexpr qmClipRect kAll{0, 0, kW, kH};
  qmFont font_;
};

TEST(FontOpen, ByFullNameFamilyOrNotAtAll) {
  qmFont f{};
  ASSERT_EQ(platform_font_open("DejaVu Sans Bold", 16, nullptr, &f), 1);  // a full name
  EXPECT_STREQ(f.name, "DejaVu Sans Bold");
  EXPECT_EQ(f.kind, FONTKIND_PLATFORM);
  EXPECT_EQ(f.size, 16);
  EXPECT_GT(f.baseline, 0);
  EXPECT_LT(f.baseline, f.height);
  EXPECT_EQ(f.x_scale, 1.0);
  platform_font_close(&f);
  EXPECT_EQ(f.engine, nullptr);
  qmFont g{};
  EXPECT_EQ(platform_font_open("dejavu sans mono", 12, nullptr, &g), 1);  // a family, any case
  platform_font_close(&g);
  qmFont h{};
  EXPECT_EQ(platform_font_open("No Such Font Anywhere", 12, nullptr, &h), 0);
  EXPECT_EQ(h.engine, nullptr);
  EXPECT_EQ(platform_font_open(":::chunk0:10*x.ttf/nowhere", 12, nullptr, &h), 0);  // no reader
}

TEST(FontOpen, LinkedFontDataTakesTheFacesName) {
  // The font's bytes inside a larger file, as an applet links them, read the way the player does.
  std::ifstream in("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(in), {});
  ASSERT_FALSE(bytes.empty());
  const std::string host = ::testing::TempDir() + "qm_linked_font_" + std::to_string(getpid());
  std::ofstream(host, std::ios::binary) << "applet head" << bytes << "tail";
  char name[VFILE_NAME_SIZE];
  ASSERT_EQ(vfile_make_chunk_name("mono.ttf", name, sizeof name, 11, bytes.size(), 0, host.c_str()), 1);
  platform_set_font_data_reader(file_read_whole);
  qmFont f{};
  ASSERT_EQ(platform_font_open(name, 14, nullptr, &f), 1);
  EXPECT_STREQ(f.name, "DejaVu Sans Mono Book");
  qmFontExtent e;
  EXPECT_EQ(platform_font_measure(&f, "ab", 2, 0, 0, &e), 0);  // the face reads the kept copy
  platform_font_close(&f);
  qmFont g{};
  EXPECT_EQ(platform_font_open((std::string(name) + ".gone").c_str(), 14, nullptr, &g), 0);
  platform_set_font_data_reader(nullptr);
  std::remove(host.c_str());
}

TEST(FontOpen, SizeSearchStepsOneWayAndStops) {
  struct Case {
    const char* what;
    int32_t target, start, scale, offset, result;  // measure(size) = size * scale + offset
  } cases[] = {
      {"hit at once", 20, 20, 1, 0, 20},
      {"grows to the height", 20, 17, 1, -1, 21},
      {"grows past it: the first size above", 21, 10, 2, 0, 11},
      {"shrinks to the height", 20, 15, 2, 0, 10},
      {"shrinks past it: the first size below", 21, 15, 2, 0, 10},
      {"never large enough: the upper bound", 5, 4090, 0, 0, 4096},
      {"always too large: size 1", 5, 3, 0, 1000, 1},
  };
  for (const Case& c : cases) {
    int32_t params[2] = {c.scale, c.offset};
    auto measure = [](void* ctx, int32_t size) {
      auto* p = static_cast<int32_t*>(ctx);
      return size * p[0] + p[1];
    };
    EXPECT_EQ(font_size_search(c.target, c.start, measure, params), c.result) << c.what;
  }
}

TEST_F(Font, HeightsFollowTheRequestedPixels) {
  // The measured line (ascender + descender) at the size found is the request or just past it.
  for (int32_t px : {9, 12, 20, 33, 64}) {
    qmFont f{};
    ASSERT_EQ(platform_font_open("DejaVu Sans", px, nullptr, &f), 1);
    EXPECT_GE(f.height, px - 1) << px;
    EXPECT_LE(f.height, px + 2) << px;
    platform_font_close(&f);
  }
}

TEST_F(Font, MeasuresUpTo16383Bytes) {
  qmFontExtent e;
  std::string text(16383, 'a');
  EXPECT_EQ(platform_font_measure(&font_, text.data(), text.size(), 0, 1, &e), 0);
  EXPECT_GT(e.advance, 16383 * 5);
  text += 'a';
  EXPECT_EQ(platform_font_measure(&font_, text.data(), text.size(), 0, 1, &e), ERR_INTERNAL);
}

TEST_F(Font, MetricsOfStylesAndKerning) {
  qmFontExtent plain, bold, underlined, av, a, v;
  ASSERT_EQ(platform_font_measure(&font_, "Hello", 5, 0, 0, &plain), 0);
  EXPECT_EQ(plain.height, font_.height);
  EXPECT_LT(plain.ink_top, 0);  // above the baseline
  EXPECT_GE(plain.ink_left, 0);
  ASSERT_EQ(platform_font_measure(&font_, "Hello", 5, FONTSTYLE_BOLD, 0, &bold), 0);
  EXPECT_GT(bold.advance, plain.advance);
  ASSERT_EQ(platform_font_measure(&font_, "Hello", 5, FONTSTYLE_UNDERLINED, 0, &underlined), 0);
  EXPECT_GT(underlined.ink_bottom, plain.ink_bottom);
  ASSERT_EQ(platform_font_measure(&font_, "AV", 2, 0, 0, &av), 0);
  ASSERT_EQ(platform_font_measure(&font_, "A", 1, 0, 0, &a), 0);
  ASSERT_EQ(platform_font_measure(&font_, "V", 1, 0, 0, &v), 0);
  const int32_t kern = platform_font_kerning(&font_, "AV", 2, 0, 0);
  EXPECT_LT(kern, 0);
  EXPECT_LT(av.advance, a.advance + v.advance);
}

TEST_F(Font, MonoRendersSetWholeBitsInsideTheInk) {
  std::vector<uint8_t> mask = draw("Wg", 0, 2, 2, kAll, true);
  std::vector<uint8_t> smooth = draw("Wg", FONTSTYLE_ANTIALIAS, 2, 2, kAll, false);
  qmFontExtent ink;
  ASSERT_EQ(platform_font_measure(&font_, "Wg", 2, 0, 0, &ink), 0);
  const int32_t row = kW / 8 + 1;
  int32_t bits = 0, inked = 0, partial = 0;
  for (int32_t y = 0; y < kH; y++)
    for (int32_t x = 0; x < kW; x++) {
      const bool bit = (mask[size_t(y * row + x / 8)] >> (7 - x % 8)) & 1;
      const uint8_t cover = smooth[size_t(y * kW + x)];
      bits += bit;
      inked += cover != 0;
      partial += cover != 0 && cover != 255;
      const bool in_ink = x >= 2 + ink.ink_left && x < 2 + ink.ink_right &&
                          y >= 2 + font_.baseline + ink.ink_top && y < 2 + font_.baseline + ink.ink_bottom;
      if (bit) {
        EXPECT_TRUE(in_ink) << x << "," << y;
      }
    }
  // The smooth text has partial edges; the mask takes whole pixels only, so it covers fewer than
  // every pixel the smooth text touches.
  EXPECT_GT(bits, 20);
  EXPECT_GT(partial, 0);
  EXPECT_LT(bits, inked);
}

TEST_F(Font, ClippingLosesColumnsNotPosition) {
  const std::vector<uint8_t> whole = draw("MW", FONTSTYLE_ANTIALIAS, 0, 0, kAll, false);
  const std::vector<uint8_t> clipped = draw("MW", FONTSTYLE_ANTIALIAS, 0, 0, {6, 3, 20, 10}, false);
  for (int32_t y = 0; y < kH; y++)
    for (int32_t x = 0; x < kW; x++) {
      const bool inside = x >= 6 && x < 26 && y >= 3 && y < 13;
      EXPECT_EQ(clipped[size_t(y * kW + x)], inside ? whole[size_t(y * kW + x)] : 0) << x << "," << y;
    }
  // Drawn partly off the target's left edge: what stays is shifted, not squeezed.
  const std::vector<uint8_t> shifted = draw("MW", FONTSTYLE_ANTIALIAS, -5, 0, kAll, false);
  for (int32_t y = 0; y < kH; y++)
    for (int32_t x = 0; x + 5 < kW; x++) ASSERT_EQ(shifted[size_t(y * kW + x)], whole[size_t(y * kW + x + 5)]);
}

TEST_F(Font, BlanksDrawNothingAndColoursBlend) {
  int32_t r = -1;
  std::vector<uint8_t> blank = draw("   ", FONTSTYLE_ANTIALIAS, 0, 0, kAll, false, &r);
  EXPECT_EQ(r, 0);
  EXPECT_TRUE(std::all_of(blank.begin(), blank.end(), [](uint8_t b) { return b == 0; }));
  qmBitmap* bm = qmos_alloc_bitmap(kW, kH);
  ASSERT_NE(bm, nullptr);
  qmos_fill_bitmap_rect(bm, 0, 0, kW, kH, 0x000000);
  qmFontTarget t;
  t.bitmap = bm;
  t.width = kW;
  t.height = kH;
  ASSERT_EQ(platform_font_render(&font_, t, 0, 0, "I", 1, FONTSTYLE_ANTIALIAS, 0, kAll, 0x00FF00), 0);
  const std::vector<uint8_t> cover = draw("I", FONTSTYLE_ANTIALIAS, 0, 0, kAll, false);
  int32_t full = 0;
  for (int32_t y = 0; y < kH; y++)
    for (int32_t x = 0; x < kW; x++) {
      const uint32_t px = qmos_read_pixel(bm, x, y) & 0xFFFFFF;
      if (cover[size_t(y * kW + x)] == 255) {
        EXPECT_EQ(px, 0x00FF00u) << x << "," << y;
        full++;
      } else if (cover[size_t(y * kW + x)] == 0) {
        EXPECT_EQ(px, 0u) << x << "," << y;
      }
    }
  EXPECT_GT(full, 10);
  qmos_free_bitmap(bm);
}

// The engine opens its faces with a FreeType library handed to it, as the font driver does;
// FreeType and fontconfig end with the run.
struct Library : ::testing::Environment {
  void SetUp() override {
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    platform_font_set_library(library);
  }
  void TearDown() override {
    platform_font_shutdown();
    FT_Done_FreeType(library);
    platform_fontconfig_finish();
  }
  FT_Library library = nullptr;
};
const auto* const kShutdown = ::testing::AddGlobalTestEnvironment(new Library);

}  // namespace
