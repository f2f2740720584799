// LoadBrush and LoadBGPic on pictures that netpbm made: source rectangles cut to the picture,
// transparent colours, alpha channels and global alpha, fills behind transparent pictures,
// palette tables and the argument errors.
#include <gtest/gtest.h>

#include <unistd.h>

#include "display/codecs/imagecache.h"
#include "display/graphics.h"
#include "engine/errcodes.h"
#include "runtime/declare.h"
#include "tests/display/netpbm_util.h"
#include "tests/display/picture_harness.h"

using namespace qm;
using namespace qmtest;

namespace {

constexpr uint32_t kKey = 0xFF00FF;

uint32_t fixture_colour(int32_t x, int32_t y) {
  return x == 3 && y == 2 ? kKey : uint32_t(x * 40) << 16 | uint32_t(y * 60) << 8 | 7;
}

class Load : public PictureTest {
 protected:
  void SetUp() override {
    PictureTest::SetUp();
    base = testing::TempDir() + "load_" + std::to_string(getpid());
    netpbm_write(base + ".ppm", 6, 4, 3, fixture_colour);
    netpbm_write(base + ".pgm", 6, 4, 1, [](int32_t x, int32_t) { return uint32_t(x * 50); });
    png = base + ".png";
    alpha_png = base + "_alpha.png";
    ASSERT_EQ(std::system(("pnmtopng " + base + ".ppm > " + png + " 2>/dev/null").c_str()), 0);
    ASSERT_EQ(std::system(("pnmtopng -alpha=" + base + ".pgm " + base + ".ppm > " + alpha_png + " 2>/dev/null").c_str()),
              0);
  }
  void TearDown() override {
    for (const char* ext : {".ppm", ".pgm", ".png", "_alpha.png"}) std::remove((base + ext).c_str());
    PictureTest::TearDown();
  }
  std::string base, png, alpha_png;
};

TEST_F(Load, BrushRectangleAndTransparentColour) {
  ASSERT_EQ(call_table("LoadBrush", {1.0, png}, [&] {
              set_number("x", 2), set_number("y", 1), set_number("width", 10), set_number("height", 2);
              set_number("transparency", kKey);
            }).code,
            0);
  qmBrush* b = brush(1);
  ASSERT_EQ(b->width, 4);  // cut to the picture
  ASSERT_EQ(b->height, 2);
  ASSERT_TRUE(b->mask);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 4; ++x) {
      EXPECT_EQ(qmos_read_pixel(b->bitmap, x, y), fixture_colour(x + 2, y + 1));
      EXPECT_EQ(qmos_read_pixel(b->mask, x, y), x == 1 && y == 1 ? 0u : 1u);
    }
  EXPECT_EQ(first("GetAttribute", {3.0, 1.0, double(ATTRTRANSPARENTCOLOR)}), std::to_string(kKey));

  // The number form, an automatic id, and the five-argument form with its loader parameters.
  Outcome automatic = call("LoadBrush", {Nil{}, png, double(kKey)});
  ASSERT_EQ(automatic.code, 0);
  EXPECT_EQ(automatic.results, std::vector<std::string>{"other"});
  ASSERT_EQ(code("LoadBrush", {2.0, png, -1.0, -1.0, 0.0}), 0);
  EXPECT_EQ(brush(2)->mask, nullptr);
  EXPECT_EQ(brush(2)->width, 6);
}

TEST_F(Load, BrushErrors) {
  struct Case {
    std::function<void()> fields;
    int32_t code;
  };
  const Case cases[] = {
      {[&] { set_number("x", -1); }, ERR_NEGCOORDS},
      {[&] { set_number("x", 6); }, ERR_COORDSRANGE},
      {[&] { set_number("y", 4); }, ERR_COORDSRANGE},
      {[&] { set_number("transparency", 1), set_flag("loadalpha"); }, ERR_MASKNALPHA},
      {[&] { set_number("transparency", 1), set_number("globalalpha", 9); }, ERR_MASKNALPHA},
      {[&] { set_flag("loadalpha"); }, ERR_NOALPHA},
  };
  for (const Case& c : cases) EXPECT_EQ(call_table("LoadBrush", {1.0, png}, c.fields).code, c.code);
  EXPECT_NE(code("LoadBrush", {1.0, base + ".missing"}), 0);
  EXPECT_EQ(brush(1), nullptr);  // nothing of a failed load stays
}

TEST_F(Load, BrushAlphaAndGlobalAlpha) {
  ASSERT_EQ(call_table("LoadBrush", {1.0, alpha_png}, [&] { set_flag("loadalpha"); }).code, 0);
  ASSERT_EQ(call_table("LoadBrush", {2.0, alpha_png}, [&] { set_flag("loadalpha"), set_number("globalalpha", 51); })
                .code,
            0);
  ASSERT_EQ(call_table("LoadBrush", {3.0, png}, [&] { set_number("globalalpha", 300); }).code, 0);
  for (int32_t x = 0; x < 6; ++x) {
    EXPECT_EQ(brush(1)->alpha->data[brush(1)->alpha->bytes_per_row + x], x * 50);
    EXPECT_EQ(brush(2)->alpha->data[x], x * 50 * 51 / 255);
    EXPECT_EQ(brush(3)->alpha->data[x], 255);  // clamped
  }
  EXPECT_EQ(first("GetAttribute", {3.0, 3.0, double(ATTRHASALPHA)}), "1");
}

TEST_F(Load, DeclaredBrushesShareTheImageCache) {
  runtime_flags().word6 = 1;  // the start-up sets this while it makes the declared objects
  ASSERT_EQ(call_table("LoadBrush", {1.0, alpha_png}, [&] {
              set_string("cache", "shared"), set_flag("cachealpha"), set_number("x", 1);
            }).code,
            0);
  EXPECT_EQ(brush(1)->alpha, nullptr);  // the alpha plane went to the cache only
  EXPECT_EQ(brush(1)->width, 5);
  const std::string missing = base + ".gone";
  ASSERT_EQ(call_table("LoadBrush", {2.0, missing}, [&] { set_string("cachedload", "SHARED"), set_flag("loadalpha"); })
                .code,
            0);
  EXPECT_EQ(brush(2)->width, 6);
  EXPECT_EQ(brush(2)->alpha->data[5], 250);
  EXPECT_EQ(qmos_read_pixel(brush(2)->bitmap, 5, 3), fixture_colour(5, 3));
  EXPECT_EQ(call_table("LoadBrush", {3.0, missing}, [&] { set_string("cachedload", "other"); }).code, ERR_CACHEERROR);
  runtime_flags().word6 = 0;
  // Outside the declarations the cache is not asked: the file itself is loaded.
  EXPECT_NE(call_table("LoadBrush", {3.0, missing}, [&] { set_string("cachedload", "shared"); }).code, 0);
  imagecache_free_all();
}

// The start-up's declarations call LoadBrush and LoadBGPic by name; two brushes of one file share
// one decoded picture through the image cache, each realised with its own source rectangle.
TEST_F(Load, DeclaredPicturesAreRealisedWithTheirRectangles) {
  vm_push_value(L, QM_GLOBALSINDEX);
  const qmCommand no_display[] = {{"CreateDisplay", [](qmState*) { return 0; }}, {nullptr, nullptr}};
  vm_register_commands(L, nullptr, no_display, 0);
  vm_set_top(L, 0);
  auto declared = [&](int32_t type, int32_t id, int32_t arg1) {
    Declaration d;
    d.type = type;
    d.id = id;
    d.has_name = true;
    d.source_name = png;
    d.arg1 = arg1;
    d.words[PIC_GLOBALALPHA] = -1;
    return d;
  };
  std::vector<Declaration> list;
  Declaration corner = declared(DECL_BRUSH, 1, int32_t(kKey));
  corner.words[PIC_X] = 2, corner.words[PIC_Y] = 1, corner.words[PIC_WIDTH] = 3, corner.words[PIC_HEIGHT] = 2;
  list.push_back(corner);
  list.push_back(declared(DECL_BRUSH, 2, -1));  // no size given: the whole picture
  list.push_back(declared(DECL_BGPIC, 1, -1));
  const int64_t hits = imagecache_hits();
  DeclareContext quiet;
  quiet.quiet_forced = true;
  ASSERT_EQ(declarations_create(L, &list, quiet), 0);
  EXPECT_GE(imagecache_hits(), hits + 1);
  ASSERT_TRUE(brush(1) && brush(2) && bgpic(1));
  EXPECT_EQ(brush(1)->width, 3);
  EXPECT_EQ(brush(1)->height, 2);
  EXPECT_EQ(qmos_read_pixel(brush(1)->bitmap, 1, 1), kKey);
  EXPECT_EQ(qmos_read_pixel(brush(1)->mask, 1, 1), 0u);
  EXPECT_EQ(brush(2)->width, 6);
  EXPECT_EQ(qmos_read_pixel(brush(2)->bitmap, 5, 3), fixture_colour(5, 3));
  EXPECT_EQ(bgpic(1)->height, 4);
  imagecache_free_all();
}

TEST_F(Load, BGPicFillsBehindItsTransparentPixels) {
  ASSERT_EQ(call_table("LoadBGPic", {1.0, png}, [&] {
              set_number("transparency", kKey), set_number("fillstyle", 1), set_number("fillcolor", 0x00FF00);
            }).code,
            0);
  qmBGPic* pic = bgpic(1);
  EXPECT_EQ(pic->current.mask, nullptr);
  EXPECT_EQ(qmos_read_pixel(pic->current.bitmap, 3, 2), 0x00FF00u);
  EXPECT_EQ(qmos_read_pixel(pic->current.bitmap, 4, 2), fixture_colour(4, 2));
  ASSERT_EQ(call_table("LoadBGPic", {2.0, png}, [&] { set_number("transparency", kKey); }).code, 0);
  EXPECT_NE(bgpic(2)->current.mask, nullptr);  // no fill: the mask stays
  EXPECT_EQ(first("GetAttribute", {1.0, 2.0, double(ATTRHASMASK)}), "1");

  EXPECT_EQ(call_table("LoadBGPic", {3.0, png}, [&] { set_number("transparency", 1), set_flag("loadalpha"); }).code,
            ERR_MASKNALPHA);
  EXPECT_EQ(call_table("LoadBGPic", {3.0, png}, [&] { set_number("fillstyle", 9); }).code, ERR_WRONGUSAGE);
  // A palette table may hold fewer than 256 colours: it ends at its first nil.
  EXPECT_EQ(call_table("LoadBGPic", {3.0, png, Nil{}}, [&] { set_index(0, 0x112233), set_index(1, 0x445566); }).code, 0);
  EXPECT_EQ(bgpic(3)->width, 6);
  EXPECT_NE(call_table("LoadBGPic", {4.0, png, Nil{}}, [&] { vm_push_number(L, 0), vm_push_string(L, "red"), vm_set_table(L, -3); })
                .code,
            0);
}

}  // namespace
