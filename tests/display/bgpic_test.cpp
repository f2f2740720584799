// BGPic commands and gradient and texture fills: style mapping and key errors, pictures made
// again at a new size instead of stretched, textures that outlive their brush, and the copy,
// scale and free rules.
#include <gtest/gtest.h>

#include <cstring>

#include "display/fill.h"
#include "display/graphics.h"
#include "engine/errcodes.h"
#include "runtime/errors.h"
#include "tests/display/picture_harness.h"

using namespace qm;
using namespace qmtest;

namespace {

class BGPic : public PictureTest {
 protected:
  // True when the two bitmaps hold the same pixels.
  static bool same_pixels(const qmBitmap* a, const qmBitmap* b) {
    if (a->width != b->width || a->height != b->height) return false;
    for (int32_t y = 0; y < a->height; ++y)
      for (int32_t x = 0; x < a->width; ++x)
        if (qmos_read_pixel(a, x, y) != qmos_read_pixel(b, x, y)) return false;
    return true;
  }
  void set_colors(std::initializer_list<double> values) {
    vm_push_string(L, "colors");
    vm_new_table(L);
    int32_t i = 0;
    for (double v : values) set_index(i++, v);
    vm_set_table(L, -3);
  }
};

TEST_F(BGPic, GradientStylesAndKeyErrors) {
  // Style 1 is linear at 90 degrees whatever the angle argument holds.
  ASSERT_EQ(code("CreateGradientBGPic", {1.0, 1.0, 0.0, double(0xFFFFFF), 16.0, 12.0, 33.0}), 0);
  ASSERT_EQ(code("CreateGradientBGPic", {2.0, 2.0, 0.0, double(0xFFFFFF), 16.0, 12.0, 90.0}), 0);
  ASSERT_EQ(code("CreateGradientBGPic", {3.0, 0.0, 0.0, double(0xFFFFFF), 16.0, 12.0, 90.0}), 0);
  ASSERT_EQ(code("CreateGradientBGPic", {4.0, 2.0, 0.0, double(0xFFFFFF), 16.0, 12.0}), 0);
  EXPECT_TRUE(same_pixels(bgpic(1)->current.bitmap, bgpic(2)->current.bitmap));
  EXPECT_TRUE(same_pixels(bgpic(3)->current.bitmap, bgpic(4)->current.bitmap));  // style 0: angle 0
  EXPECT_FALSE(same_pixels(bgpic(1)->current.bitmap, bgpic(3)->current.bitmap));
  EXPECT_EQ(bgpic(1)->fill.kind, FILLGRADIENT);
  EXPECT_EQ(first("GetAttribute", {1.0, 1.0, double(ATTRTYPE)}), "1");

  const Arg radial = 3.0, linear = 2.0;
  auto with_table = [&](Arg style, const std::function<void()>& fill) {
    return call_table("CreateGradientBGPic", {9.0, style, 0.0, 255.0, 8.0, 8.0, 0.0}, fill).code;
  };
  EXPECT_EQ(with_table(linear, [&] { set_colors({0xFF0000, 0.5}); }), ERR_WRONGUSAGE);  // one pair
  EXPECT_EQ(with_table(linear, [&] { set_colors({0xFF0000, 0.0, 0x00FF00, 1.5}); }), ERR_WRONGUSAGE);
  EXPECT_EQ(with_table(linear, [&] { set_colors({0xFF0000}); }), ERR_MISSINGPARAMTR);
  EXPECT_EQ(with_table(linear, [&] { set_colors({0xFF0000, 0.0, 0x00FF00, 1.0}); }), 0);
  EXPECT_EQ(bgpic(9)->fill.gradient.stop_count, 2);
  EXPECT_EQ(with_table(linear, [&] {
              vm_push_string(L, "colors");
              vm_new_table(L);
              for (int32_t i = 0; i < 130; i += 2) set_index(i, 0x123456), set_index(i + 1, 0.5);
              vm_set_table(L, -3);
            }),
            ERR_INTERNAL);  // 65 pairs
  EXPECT_EQ(with_table(linear, [&] {
              vm_push_string(L, "colors");
              vm_new_table(L);
              for (int32_t i = 0; i < 128; i += 2) set_index(i, 0x123456), set_index(i + 1, 0.5);
              vm_set_table(L, -3);
            }),
            0);  // 64 pairs
  EXPECT_EQ(with_table(linear, [&] {
              vm_push_string(L, "colors");
              vm_new_table(L);
              vm_push_number(L, 0), vm_push_string(L, "red"), vm_set_table(L, -3);
              vm_set_table(L, -3);
            }),
            ERR_NUMTABLEARG);
  char text[256];
  err_get_text(ERR_NUMTABLEARG, text, sizeof text);
  EXPECT_NE(std::string(text).find("colors"), std::string::npos) << text;
  EXPECT_EQ(with_table(radial, [&] { set_number("centerx", 1.5); }), ERR_WRONGUSAGE);
  EXPECT_EQ(with_table(linear, [&] { set_number("centerx", 1.5); }), 0);  // not read for linear
  EXPECT_EQ(code("CreateGradientBGPic", {9.0, 7.0, 0.0, 0.0, 8.0, 8.0}), ERR_WRONGUSAGE);
  EXPECT_EQ(code("CreateGradientBGPic", {9.0, 2.0, 0.0, 0.0, 0.0, 8.0}), ERR_BADDIMENSIONS);
  EXPECT_EQ(code("CreateGradientBGPic", {9.0, 2.0, 0.0, 0.0}), ERR_BADDIMENSIONS);  // no current picture
}

TEST_F(BGPic, GradientsAreMadeAgainNotStretched) {
  for (double style : {2.0, 3.0, 4.0}) {
    ASSERT_EQ(code("CreateGradientBGPic", {1.0, style, double(0xFF0000), double(0x0000FF), 20.0, 10.0, 30.0}), 0);
    ASSERT_EQ(code("ScaleBGPic", {1.0, 64.0, 48.0}), 0);
    ASSERT_EQ(code("CreateGradientBGPic", {2.0, style, double(0xFF0000), double(0x0000FF), 64.0, 48.0, 30.0}), 0);
    EXPECT_TRUE(same_pixels(bgpic(1)->current.bitmap, bgpic(2)->current.bitmap)) << style;
    EXPECT_EQ(bgpic(1)->unscaled_width, 20);
    // The brush form makes the same pixels.
    ASSERT_EQ(code("CreateGradientBrush", {1.0, 64.0, 48.0, style, double(0xFF0000), double(0x0000FF), 30.0}), 0);
    EXPECT_TRUE(same_pixels(brush(1)->bitmap, bgpic(2)->current.bitmap)) << style;
  }
}

TEST_F(BGPic, TextureTilesAfterItsBrushIsFreed) {
  ASSERT_EQ(code("CreateBrush", {1.0, 3.0, 2.0}), 0);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 3; ++x) qmos_write_pixel(brush(1)->bitmap, x, y, uint32_t(y * 16 + x + 1));
  ASSERT_EQ(code("CreateTexturedBGPic", {1.0, 1.0, 7.0, 5.0, -4.0, 3.0}), 0);
  ASSERT_EQ(code("CreateTexturedBrush", {2.0, 1.0, 7.0, 5.0, -4.0, 3.0}), 0);
  ASSERT_EQ(code("FreeBrush", {1.0}), 0);
  ASSERT_EQ(code("ScaleBGPic", {1.0, 11.0, 9.0}), 0);
  auto expect_tiles = [](const qmBitmap* bm) {
    for (int32_t y = 0; y < bm->height; ++y)
      for (int32_t x = 0; x < bm->width; ++x) {
        const int32_t tx = ((x - 4) % 3 + 3) % 3, ty = (y + 3) % 2;  // offsets wrap non-negatively
        ASSERT_EQ(qmos_read_pixel(bm, x, y), uint32_t(ty * 16 + tx + 1)) << x << "," << y;
      }
  };
  expect_tiles(bgpic(1)->current.bitmap);
  expect_tiles(brush(2)->bitmap);
  EXPECT_EQ(code("CreateTexturedBGPic", {3.0, 1.0, 4.0, 4.0}), ERR_FINDBRUSH);
}

TEST_F(BGPic, ScaleCopyAndConversionRules) {
  ASSERT_EQ(code("CreateBGPic", {1.0, 40.0, 20.0, double(0x102030)}), 0);
  const qmBitmap* before = bgpic(1)->current.bitmap;
  EXPECT_EQ(code("ScaleBGPic", {1.0, 40.0, 20.0}), 0);
  EXPECT_EQ(bgpic(1)->current.bitmap, before);
  EXPECT_EQ(code("ScaleBGPic", {1.0, std::string("50%"), std::string("50%")}), 0);
  EXPECT_EQ(bgpic(1)->width, 20);
  EXPECT_EQ(bgpic(1)->current.bitmap->height, 10);
  EXPECT_EQ(bgpic(1)->unscaled_width, 40);  // plain pictures scale from their unscaled image
  EXPECT_EQ(code("ScaleBGPic", {1.0, 100000.0, 30.0}), 0);
  EXPECT_EQ(bgpic(1)->width, 60);
  EXPECT_EQ(code("CreateBGPic", {2.0, 0.0, 3.0}), ERR_WRONGUSAGE);

  EXPECT_EQ(code("CopyBGPic", {1.0, 1.0}), ERR_WRONGUSAGE);
  ASSERT_EQ(code("CopyBGPic", {1.0, 2.0}), 0);
  qmBGPic* copy = bgpic(2);
  EXPECT_EQ(copy->width, 60);
  EXPECT_EQ(copy->unscaled_width, 40);
  EXPECT_NE(copy->current.bitmap, bgpic(1)->current.bitmap);
  EXPECT_TRUE(same_pixels(copy->current.bitmap, bgpic(1)->current.bitmap));
  EXPECT_EQ(code("FreeBGPic", {1.0}), 0);
  EXPECT_EQ(code("FreeBGPic", {1.0}), ERR_FINDBGPIC);

  ASSERT_EQ(code("BGPicToBrush", {2.0, 5.0}), 0);
  EXPECT_EQ(brush(5)->width, 60);
  ASSERT_EQ(code("BrushToBGPic", {5.0, 3.0}), 0);
  EXPECT_EQ(bgpic(3)->width, 60);
  // A gradient picture at another size than it was made is refused as a brush.
  ASSERT_EQ(code("CreateGradientBGPic", {4.0, 2.0, 0.0, 255.0, 8.0, 8.0}), 0);
  ASSERT_EQ(code("ScaleBGPic", {4.0, 9.0, 9.0}), 0);
  EXPECT_EQ(code("BGPicToBrush", {4.0, 6.0}), ERR_TFVBGPICBRUSH);

  output_hooks().shown_by_display = [](const qmBGPic* p) { return p->header.id.number == 3; };
  EXPECT_EQ(code("ScaleBGPic", {3.0, 5.0, 5.0}), ERR_SCALEBGPIC);
}

TEST_F(BGPic, FreedPicturesStayWhileShownAndLayersKeepTheOldImage) {
  FakeLayers::install();
  ASSERT_EQ(code("CreateBGPic", {1.0, 4.0, 4.0, double(0x00FF00)}), 0);
  ASSERT_EQ(code("CreateBGPic", {2.0, 4.0, 4.0}), 0);
  qmBGPic* shown = bgpic(1);
  static const qmBGPic* on_display;
  on_display = shown;
  output_hooks().shown_by_display = [](const qmBGPic* p) { return p == on_display; };
  ASSERT_EQ(code("FreeBGPic", {1.0}), 0);
  EXPECT_EQ(bgpic(1), nullptr);
  EXPECT_TRUE(shown->temporary);
  ASSERT_EQ(code("CreateBGPic", {1.0, 2.0, 2.0}), 0);  // the number is free again
  bgpic_collect(L);
  EXPECT_EQ(first("GetAttribute", {1.0, 0.0, double(ATTRCOUNT)}), "3");
  on_display = nullptr;
  bgpic_collect(L);
  EXPECT_EQ(first("GetAttribute", {1.0, 0.0, double(ATTRCOUNT)}), "2");

  // Scaling a picture that a layer shows: the layer moves to a copy of the old image.
  FakeLayers::shown = {{OBJ_BGPIC, ObjectId{2, nullptr}}};
  ASSERT_EQ(code("ScaleBGPic", {2.0, 8.0, 8.0}), 0);
  qmBGPic* copy = nullptr;
  ASSERT_EQ(bgpic_find(FakeLayers::shown[0].second, BGPICFIND_TEMPORARY, &copy), 0);
  EXPECT_TRUE(copy->temporary);
  EXPECT_EQ(copy->width, 4);
  EXPECT_EQ(bgpic(2)->width, 8);
}

}  // namespace
