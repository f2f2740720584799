// Brush commands through the engine: creation and its errors, the list rules with layers that
// show a brush, scaling, the in-place picture operations and the mask and alpha commands.
#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

#include "display/codecs/codecs.h"
#include "display/graphics.h"
#include "gfx/blitservices.h"
#include "engine/errcodes.h"
#include "tests/display/netpbm_util.h"
#include "tests/display/picture_harness.h"

using namespace qm;
using namespace qmtest;

namespace {

class Brush : public PictureTest {};

constexpr double kKeep = 100000, kNoColour = 4294967295.0;

TEST_F(Brush, CreateReadsItsOptionsAndRefusesBadSizes) {
  EXPECT_EQ(code("CreateBrush", {1.0, 0.0, 5.0}), ERR_BADDIMENSIONS);
  EXPECT_EQ(code("CreateBrush", {1.0, 5.0, -1.0}), ERR_BADDIMENSIONS);
  EXPECT_EQ(code("CreateBrush", {1.0, 32768.0, 1.0}), ERR_MEM);  // the allocation cap
  EXPECT_EQ(code("CreateBrush", {1.0, 20000.0, 20000.0}), ERR_MEM);
  EXPECT_EQ(call_table("CreateBrush", {1.0, 4.0, 4.0, 0.0}, [&] { set_flag("mask"), set_flag("alphachannel"); }).code,
            ERR_WRONGUSAGE);

  ASSERT_EQ(call_table("CreateBrush", {1.0, 9.0, 3.0, double(0x123456)}, [&] { set_flag("mask"), set_flag("clear"); })
                .code,
            0);
  qmBrush* b = brush(1);
  ASSERT_TRUE(b && b->mask && !b->alpha);
  EXPECT_EQ(qmos_read_pixel(b->bitmap, 8, 2), 0x123456u);
  EXPECT_EQ(qmos_read_pixel(b->mask, 8, 2), 0u);  // clear: nothing visible
  EXPECT_EQ(first("GetAttribute", {3.0, 1.0, double(ATTRTRANSPARENTCOLOR)}), std::to_string(BRUSH_MASK_MADE));

  ASSERT_EQ(call_table("CreateBrush", {2.0, 2.0, 2.0}, [&] { set_flag("alphachannel"); }).code, 0);
  EXPECT_EQ(brush(2)->alpha->data[3], 255);
  EXPECT_EQ(first("GetAttribute", {3.0, 2.0, double(ATTRHASALPHA)}), "1");
  EXPECT_EQ(first("GetAttribute", {3.0, 2.0, double(ATTRHASMASK)}), "0");

  Outcome automatic = call("CreateBrush", {Nil{}, 3.0, 3.0});
  ASSERT_EQ(automatic.code, 0);
  EXPECT_EQ(automatic.results, std::vector<std::string>{"other"});  // light user data
  EXPECT_EQ(first("GetAttribute", {3.0, 0.0, double(ATTRCOUNT)}), "3");
}

TEST_F(Brush, GrabDesktopCutsItsRectangleToTheScreen) {
  setenv("QM_SCREEN", "320x200@60", 1);  // the offscreen driver's own screen has one fixed size
  ASSERT_EQ(code("GrabDesktop", {1.0}), 0);
  EXPECT_EQ(brush(1)->width, 320);
  EXPECT_EQ(brush(1)->height, 200);
  EXPECT_EQ(brush(1)->mask, nullptr);
  EXPECT_EQ(qmos_read_pixel(brush(1)->bitmap, 5, 5), 0u);  // no window open: the desktop is black
  ASSERT_EQ(call_table("GrabDesktop", {2.0}, [&] { set_number("x", 300), set_number("y", 190), set_number("width", 100); })
                .code,
            0);
  EXPECT_EQ(brush(2)->width, 20);
  EXPECT_EQ(brush(2)->height, 10);
  for (auto fields : {std::function<void()>([&] { set_number("x", -1); }), std::function<void()>([&] { set_number("y", 200); }),
                      std::function<void()>([&] { set_number("width", 0); })})
    EXPECT_EQ(call_table("GrabDesktop", {3.0}, fields).code, ERR_WRONGUSAGE);
}

// A vector brush keeps its image source; every copy and conversion holds a reference of its own,
// released with it (ASan sees a double release or a leak).
TEST_F(Brush, ImageSourcesAreSharedByReference) {
  qmImageSource* source = imagesource_new_empty(2, 2);
  ASSERT_NE(source, nullptr);
  ASSERT_EQ(brush_new_from_bitmap(ObjectId{1, nullptr}, BRUSHKIND_VECTOR, 2, 2, 2, 0, source, qmos_alloc_bitmap(2, 2), -1,
                                  nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(code("CopyBrush", {1.0, 2.0}), 0);
  EXPECT_EQ(code("BrushToBGPic", {1.0, 1.0}), 0);
  EXPECT_EQ(code("BGPicToBrush", {1.0, 3.0}), 0);
  EXPECT_EQ(code("CopyBGPic", {1.0, 2.0}), 0);
  EXPECT_EQ(source->refcount, 5);
  EXPECT_EQ(brush(3)->kind, BRUSHKIND_VECTOR);
  EXPECT_EQ(code("InvertBrush", {2.0}), ERR_BRUSHTYPE);
  for (double n : {1.0, 2.0, 3.0}) EXPECT_EQ(code("FreeBrush", {n}), 0);
  EXPECT_EQ(code("FreeBGPic", {1.0}), 0);
  EXPECT_EQ(source->refcount, 1);
  EXPECT_EQ(code("FreeBGPic", {2.0}), 0);  // the last holder frees the source
}

TEST_F(Brush, FindAndFreeErrors) {
  EXPECT_EQ(code("FreeBrush", {7.0}), ERR_FINDBRUSH);
  EXPECT_EQ(code("TintBrush", {7.0, 0.0, 10.0}), ERR_FINDBRUSH);
  ASSERT_EQ(code("CreateBrush", {7.0, 4.0, 4.0}), 0);
  EXPECT_EQ(code("CopyBrush", {7.0, 7.0}), ERR_WRONGUSAGE);
  EXPECT_EQ(code("CopyBrush", {7.0, 8.0}), 0);
  brush(7)->locked = 1;
  EXPECT_EQ(code("FreeBrush", {7.0}), ERR_LOCKEDOBJ);
  EXPECT_EQ(code("InvertBrush", {7.0}), ERR_LOCKEDOBJ);
  brush(7)->locked = 0;
  output_hooks().is_output_target = [](int32_t type, const void* r) {
    qmBrush* b = nullptr;
    brush_find(ObjectId{8, nullptr}, 0, &b);
    return type == OBJ_BRUSH && r == b;
  };
  EXPECT_EQ(code("FreeBrush", {8.0}), ERR_MODIFYABR);
  EXPECT_EQ(code("FloodFill", {8.0, 0.0, 0.0, 0.0, 1.0}), ERR_MODIFYABR);
  EXPECT_EQ(code("CreateBrush", {8.0, 1.0, 1.0}), ERR_MODIFYABR);
  EXPECT_EQ(code("FreeBrush", {7.0}), 0);
  EXPECT_EQ(code("FreeBrush", {7.0}), ERR_FINDBRUSH);
  // The blit layer reaches brushes (texture fills) through its service.
  qmBrushPlanes planes{};
  EXPECT_EQ(gfx_services().brush_find(L, ObjectId{8, nullptr}, &planes), 0);
  EXPECT_EQ(planes.bitmap, brush(8)->bitmap);
  EXPECT_EQ(planes.width, 4);
  EXPECT_EQ(gfx_services().brush_find(L, ObjectId{7, nullptr}, &planes), ERR_FINDBRUSH);
}

// A lookup remembers the record it found: freeing, replacing or handing a brush to a layer must not
// let the next lookup of that id answer the old record.
TEST_F(Brush, LookupNeverAnswersAGoneRecord) {
  FakeLayers::install();
  ASSERT_EQ(code("CreateBrush", {3.0, 4.0, 4.0, double(0xFF0000)}), 0);
  ASSERT_EQ(code("CreateBrush", {4.0, 4.0, 4.0}), 0);
  ASSERT_NE(brush(3), nullptr);  // the last found
  ASSERT_EQ(code("FreeBrush", {3.0}), 0);
  EXPECT_EQ(brush(3), nullptr);
  EXPECT_EQ(code("InvertBrush", {3.0}), ERR_FINDBRUSH);
  ASSERT_EQ(code("CreateBrush", {3.0, 2.0, 2.0, double(0x00FF00)}), 0);
  ASSERT_NE(brush(3), nullptr);
  EXPECT_EQ(brush(3)->width, 2);
  EXPECT_EQ(qmos_read_pixel(brush(3)->bitmap, 0, 0), 0x00FF00u);
  // CreateBrush over a used id frees the old record first.
  ASSERT_EQ(code("CreateBrush", {3.0, 5.0, 5.0}), 0);
  EXPECT_EQ(brush(3)->width, 5);
  // A shown brush that is freed stays for its layer under another id: its old id answers nothing.
  FakeLayers::shown = {{OBJ_BRUSH, ObjectId{3, nullptr}}};
  qmBrush* shown = brush(3);
  ASSERT_EQ(code("FreeBrush", {3.0}), 0);
  EXPECT_EQ(brush(3), nullptr);
  qmBrush* kept = nullptr;
  EXPECT_EQ(brush_find(ObjectId{0, shown}, BRUSHFIND_LAYERCOPIES, &kept), 0);
  EXPECT_EQ(kept, shown);
  FakeLayers::shown.clear();
  brush_collect(L);
  EXPECT_EQ(brush_find(ObjectId{0, shown}, BRUSHFIND_LAYERCOPIES, &kept), ERR_FINDARRAY);
  EXPECT_NE(brush(4), nullptr);
}

TEST_F(Brush, LayersKeepShowingAFreedOrChangedBrush) {
  FakeLayers::install();
  ASSERT_EQ(code("CreateBrush", {1.0, 4.0, 4.0, double(0xFF0000)}), 0);
  qmBrush* original = brush(1);
  FakeLayers::shown = {{OBJ_BRUSH, ObjectId{1, nullptr}}};

  // Changing it: the layer switches to a copy that keeps the old pixels.
  ASSERT_EQ(code("InvertBrush", {1.0}), 0);
  ASSERT_EQ(FakeLayers::shown.size(), 1u);
  const ObjectId copy_id = FakeLayers::shown[0].second;
  ASSERT_NE(copy_id.handle, nullptr);
  qmBrush* copy = nullptr;
  ASSERT_EQ(brush_find(copy_id, BRUSHFIND_LAYERCOPIES, &copy), 0);
  EXPECT_TRUE(copy->layer_copy);
  EXPECT_EQ(qmos_read_pixel(copy->bitmap, 0, 0), 0xFF0000u);
  EXPECT_EQ(qmos_read_pixel(original->bitmap, 0, 0), 0x00FFFFu);
  EXPECT_EQ(brush_find(copy_id, 0, &copy), ERR_FINDARRAY);  // copies answer no id

  // Freeing a shown brush: the id is free at once, the record stays for the layer.
  FakeLayers::shown.push_back({OBJ_BRUSH, ObjectId{1, nullptr}});
  ASSERT_EQ(code("FreeBrush", {1.0}), 0);
  EXPECT_EQ(brush(1), nullptr);
  EXPECT_EQ(FakeLayers::shown[1].second.handle, original);
  EXPECT_TRUE(original->layer_copy);
  ASSERT_EQ(code("CreateBrush", {1.0, 2.0, 2.0}), 0);
  EXPECT_NE(brush(1), original);
  EXPECT_EQ(first("GetAttribute", {3.0, 0.0, double(ATTRCOUNT)}), "3");

  FakeLayers::shown.erase(FakeLayers::shown.begin());
  brush_collect(L);
  EXPECT_EQ(first("GetAttribute", {3.0, 0.0, double(ATTRCOUNT)}), "2");
  FakeLayers::shown.clear();
  brush_collect(L);
  EXPECT_EQ(first("GetAttribute", {3.0, 0.0, double(ATTRCOUNT)}), "1");
}

TEST_F(Brush, ScaleBrushSizes) {
  ASSERT_EQ(call_table("CreateBrush", {1.0, 30.0, 20.0, 0.0}, [&] { set_flag("mask"); }).code, 0);
  const qmBitmap* before = brush(1)->bitmap;
  EXPECT_EQ(code("ScaleBrush", {1.0, 30.0, 20.0}), 0);
  EXPECT_EQ(brush(1)->bitmap, before);  // the same size is a no-op

  struct Case {
    Arg width, height;
    int32_t code, w, h;
  };
  const Case cases[] = {
      {std::string("50%"), std::string("50%"), 0, 15, 10},
      {kKeep, 101.0, 0, 152, 101},  // 3:2, 151.5 rounds up
      {std::string("200%"), kKeep, 0, 304, 202},
      {kKeep, kKeep, ERR_WRONGUSAGE, 304, 202},
      {0.0, 5.0, ERR_BADDIMENSIONS, 304, 202},
      {40000.0, 5.0, ERR_MEM, 304, 202},
      {std::string("x%"), 5.0, ERR_PERCENTFORMAT, 304, 202},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(code("ScaleBrush", {1.0, c.width, c.height}), c.code);
    EXPECT_EQ(brush(1)->width, c.w);
    EXPECT_EQ(brush(1)->height, c.h);
    EXPECT_EQ(brush(1)->mask->width, c.w);  // every plane follows
  }
}

TEST_F(Brush, ScaleBrushSmoothsOnlyWhenAsked) {
  // Black and white halves scaled up: nearest keeps the two colours, smooth blends between them.
  for (double smooth : {0.0, 1.0}) {
    ASSERT_EQ(code("CreateBrush", {1.0, 2.0, 1.0}), 0);
    qmos_write_pixel(brush(1)->bitmap, 1, 0, 0xFFFFFF);
    ASSERT_EQ(code("ScaleBrush", {1.0, 8.0, 1.0, smooth}), 0);
    bool blended = false;
    for (int32_t x = 0; x < 8; ++x) {
      const uint32_t c = qmos_read_pixel(brush(1)->bitmap, x, 0);
      blended |= c != 0 && c != 0xFFFFFF;
    }
    EXPECT_EQ(blended, smooth != 0) << smooth;
  }
}

TEST_F(Brush, ReplaceColorsComparesColourBitsOnly) {
  ASSERT_EQ(code("CreateBrush", {1.0, 2.0, 1.0, double(0x112233)}), 0);
  qmBrush* b = brush(1);
  b->bitmap->pixels[1] |= 0xFF;  // the fourth byte of pixel 1 is not part of its colour
  auto replace = [&](std::initializer_list<double> list) {
    return call_table("ReplaceColors", {1.0}, [&] {
             int32_t i = 0;
             for (double v : list) set_index(i++, v);
           })
        .code;
  };
  EXPECT_EQ(replace({-1, 0x445566, 0x112233, 0x778899}), 0);  // a -1 first entry ends the list
  EXPECT_EQ(qmos_read_pixel(b->bitmap, 0, 0), 0x112233u);
  EXPECT_EQ(replace({0xFF112233, 0x445566, 0x445566, 0x778899}), 0);
  EXPECT_EQ(qmos_read_pixel(b->bitmap, 0, 0), 0x778899u);  // pairs apply in order
  EXPECT_EQ(qmos_read_pixel(b->bitmap, 1, 0), 0x778899u);
  EXPECT_EQ(replace({}), 0);
}

TEST_F(Brush, TransparencyMaskAndAlphaCommands) {
  ASSERT_EQ(call_table("CreateBrush", {1.0, 10.0, 3.0, double(0xABCDEF)}, [&] { set_flag("alphachannel"); }).code, 0);
  qmos_write_pixel(brush(1)->bitmap, 4, 1, 0x010203);
  EXPECT_EQ(code("SetBrushTransparency", {1.0, double(0xABCDEF)}), 0);
  qmBrush* b = brush(1);
  ASSERT_TRUE(b->mask);
  EXPECT_EQ(b->alpha, nullptr);
  EXPECT_EQ(qmos_read_pixel(b->mask, 3, 1), 0u);
  EXPECT_EQ(qmos_read_pixel(b->mask, 4, 1), 1u);
  EXPECT_EQ(b->transparent, 0xABCDEF);

  std::vector<uint8_t> saved(b->mask->data, b->mask->data + b->mask->bytes_per_row * 3);
  EXPECT_EQ(code("InvertMask", {1.0}), 0);
  EXPECT_EQ(qmos_read_pixel(b->mask, 3, 1), 1u);
  EXPECT_EQ(code("InvertMask", {1.0}), 0);
  EXPECT_EQ(std::vector<uint8_t>(b->mask->data, b->mask->data + b->mask->bytes_per_row * 3), saved);

  EXPECT_EQ(code("SetBrushTransparency", {1.0, kNoColour}), 0);
  EXPECT_EQ(b->mask, nullptr);
  EXPECT_EQ(b->transparent, -1);
  EXPECT_EQ(code("InvertMask", {1.0}), ERR_WRONGUSAGE);
  EXPECT_EQ(code("InvertAlphaChannel", {1.0}), ERR_WRONGUSAGE);
  EXPECT_EQ(code("DeleteMask", {1.0}), 0);  // none to delete
  EXPECT_EQ(code("DeleteAlphaChannel", {1.0}), 0);

  ASSERT_EQ(call_table("CreateBrush", {2.0, 3.0, 3.0, 0.0}, [&] { set_flag("alphachannel"); }).code, 0);
  EXPECT_EQ(code("InvertAlphaChannel", {2.0}), 0);
  EXPECT_EQ(brush(2)->alpha->data[4], 0);
  // SetBrushTransparency with NOCOLOR drops an alpha channel too.
  EXPECT_EQ(code("SetBrushTransparency", {2.0, -1.0}), 0);
  EXPECT_EQ(brush(2)->alpha, nullptr);
}

TEST_F(Brush, MaskModeAndAlphaIntensitySettings) {
  auto word = [&](int32_t tag) {
    intptr_t v = 0;
    const TagItem tags[] = {{tag, reinterpret_cast<intptr_t>(&v)}, {0, 0}};
    runtime_get_attrs(L, tags);
    return v;
  };
  struct Case {
    const char* cmd;
    Arg value;
    int32_t code;
    int32_t tag;
    intptr_t stored;
  };
  const Case cases[] = {
      {"SetMaskMode", 3.0, 0, ATTR_MASKMODE, 3},
      {"SetMaskMode", 77.0, 0, ATTR_MASKMODE, 77},  // kept as given: scripts read it back
      {"SetAlphaIntensity", std::string("50%"), 0, ATTR_ALPHAINTENSITY, 127},
      {"SetAlphaIntensity", -1.0, 0, ATTR_ALPHAINTENSITY, -1},
      {"SetAlphaIntensity", 256.0, ERR_WRONGUSAGE, ATTR_ALPHAINTENSITY, -1},
      {"SetAlphaIntensity", -2.0, ERR_WRONGUSAGE, ATTR_ALPHAINTENSITY, -1},
      {"SetAlphaIntensity", 255.0, 0, ATTR_ALPHAINTENSITY, 255},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(code(c.cmd, {c.value}), c.code) << c.cmd;
    EXPECT_EQ(word(c.tag), c.stored) << c.cmd;
    // The blit layer draws into masks and alpha channels with the same words.
    EXPECT_EQ(c.tag == ATTR_MASKMODE ? blit_globals().mask_mode : blit_globals().alpha_intensity, c.stored);
  }
}

TEST_F(Brush, FloodFillFillsARingExactly) {
  // A 9 x 9 brush with a square ring from (2, 2) to (6, 6): the inside is 3 x 3.
  ASSERT_EQ(code("CreateBrush", {1.0, 9.0, 9.0, double(0xFFFFFF)}), 0);
  qmBrush* b = brush(1);
  for (int32_t i = 2; i <= 6; ++i) {
    qmos_write_pixel(b->bitmap, i, 2, 0x0000FF), qmos_write_pixel(b->bitmap, i, 6, 0x0000FF);
    qmos_write_pixel(b->bitmap, 2, i, 0x0000FF), qmos_write_pixel(b->bitmap, 6, i, 0x0000FF);
  }
  b->bitmap->pixels[4 * (b->bitmap->bytes_per_row / 4) + 4] |= 0x7F;  // fourth byte ignored
  ASSERT_EQ(code("FloodFill", {1.0, 4.0, 4.0, double(0x0000FF), double(0x00FF00)}), 0);
  for (int32_t y = 0; y < 9; ++y)
    for (int32_t x = 0; x < 9; ++x) {
      const bool ring = (x >= 2 && x <= 6 && (y == 2 || y == 6)) || (y >= 2 && y <= 6 && (x == 2 || x == 6));
      const bool inside = x > 2 && x < 6 && y > 2 && y < 6;
      EXPECT_EQ(qmos_read_pixel(b->bitmap, x, y), ring ? 0x0000FFu : inside ? 0x00FF00u : 0xFFFFFFu) << x << "," << y;
    }
  EXPECT_EQ(code("FloodFill", {1.0, 9.0, 0.0, 0.0, 0.0}), ERR_COORDSRANGE);
  EXPECT_EQ(code("FloodFill", {1.0, -1.0, 0.0, 0.0, 0.0}), ERR_COORDSRANGE);
  b->locked = 1;
  EXPECT_EQ(code("FloodFill", {1.0, 0.0, 0.0, 0.0, 0.0}), ERR_LOCKEDOBJ);
}

TEST_F(Brush, CropIsCutToTheBrush) {
  ASSERT_EQ(call_table("CreateBrush", {1.0, 10.0, 8.0, 0.0}, [&] { set_flag("alphachannel"); }).code, 0);
  qmos_write_pixel(brush(1)->bitmap, 9, 7, 0x445566);
  struct Case {
    double x, y, w, h;
    int32_t code;
  };
  const Case errors[] = {
      {-1, 0, 2, 2, ERR_NEGCOORDS}, {10, 0, 2, 2, ERR_COORDSRANGE}, {0, 8, 2, 2, ERR_COORDSRANGE},
      {0, 0, 0, 2, ERR_BADDIMENSIONS},
  };
  for (const Case& c : errors) EXPECT_EQ(code("CropBrush", {1.0, c.x, c.y, c.w, c.h}), c.code);
  // RIGHT and BOTTOM against the brush: the 4 x 4 corner, which the size then cuts to 3 x 3.
  ASSERT_EQ(code("CropBrush", {1.0, -80000.0 + 1, -60000.0 + 1, 4.0, 4.0}), 0);
  qmBrush* b = brush(1);
  EXPECT_EQ(b->width, 3);
  EXPECT_EQ(b->height, 3);
  EXPECT_EQ(b->alpha->width, 3);
  EXPECT_EQ(qmos_read_pixel(b->bitmap, 2, 2), 0x445566u);
}

TEST_F(Brush, InPlaceColourOperations) {
  ASSERT_EQ(code("CreateBrush", {1.0, 4.0, 2.0, double(0x336699)}), 0);
  qmos_write_pixel(brush(1)->bitmap, 0, 0, 0x000000);
  EXPECT_EQ(code("FlipBrush", {1.0, 1.0}), 0);
  EXPECT_EQ(qmos_read_pixel(brush(1)->bitmap, 3, 0), 0u);
  EXPECT_EQ(code("FlipBrush", {1.0, 0.0}), 0);
  EXPECT_EQ(qmos_read_pixel(brush(1)->bitmap, 3, 1), 0u);
  EXPECT_EQ(code("BrushToGray", {1.0}), 0);
  const uint32_t grey = qmos_read_pixel(brush(1)->bitmap, 0, 0);
  EXPECT_EQ(grey >> 16, grey & 0xFF);
  ASSERT_EQ(code("CreateBrush", {2.0, 8.0, 8.0, double(0xFFFFFF)}), 0);
  EXPECT_EQ(code("MixBrush", {1.0, 2.0, 255.0}), 0);  // over the smaller size only
  EXPECT_EQ(qmos_read_pixel(brush(1)->bitmap, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(code("TintBrush", {2.0, 0.0, std::string("x")}), ERR_PERCENTFORMAT);
  EXPECT_EQ(code("TintBrush", {2.0, 0.0, 1000.0}), 0);  // clamped
}

TEST_F(Brush, SaveBrushWritesWhatNetpbmReadsBack) {
  ASSERT_EQ(call_table("CreateBrush", {1.0, 5.0, 3.0, 0.0}, [&] { set_flag("alphachannel"); }).code, 0);
  qmBrush* b = brush(1);
  auto colour = [](int32_t x, int32_t y) { return uint32_t(x * 50) << 16 | uint32_t(y * 100) << 8 | uint32_t(x + y); };
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) {
      qmos_write_pixel(b->bitmap, x, y, colour(x, y));
      b->alpha->data[y * b->alpha->bytes_per_row + x] = uint8_t(255 - x * 60);
    }
  struct Case {
    double format;
    const char* tool;
    bool alpha;
  };
  const Case cases[] = {{1, "pngtopam -alphapam", true}, {0, "bmptopnm", false}, {4, "ilbmtoppm", false}};
  for (const Case& c : cases) {
    const std::string file = testing::TempDir() + "brush_" + std::to_string(getpid()) + "_" + std::to_string(int(c.format));
    ASSERT_EQ(code("SaveBrush", {1.0, file, 0.0, c.format}), 0);
    const Pnm pnm = netpbm_decode(c.tool, file);
    std::remove(file.c_str());
    ASSERT_EQ(pnm.width, 5) << c.tool;
    ASSERT_EQ(pnm.height, 3) << c.tool;
    ASSERT_EQ(pnm.depth, c.alpha ? 4 : 3) << c.tool;
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < 5; ++x) {
        const uint8_t* p = pnm.at(x, y);
        EXPECT_EQ(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2], colour(x, y)) << c.tool << x << "," << y;
        if (c.alpha) {
          EXPECT_EQ(p[3], 255 - x * 60);
        }
      }
  }
  EXPECT_EQ(code("SaveBrush", {2.0, std::string("x")}), ERR_FINDBRUSH);
}

// A bad argument of an in-place brush command fails before the layers showing the brush are
// switched to a copy; a good one switches them first.
TEST_F(Brush, EffectRangeErrorsComeBeforeTheCopyForLayers) {
  FakeLayers::install();
  ASSERT_EQ(code("CreateBrush", {1.0, 4.0, 4.0, double(0xFF0000)}), 0);
  FakeLayers::shown = {{OBJ_BRUSH, ObjectId{1, nullptr}}};
  const struct {
    const char* name;
    std::initializer_list<qmtest::Arg> args;
  } bad[] = {
      {"BlurBrush", {1.0, -1.0}},          {"ContrastBrush", {1.0, 1.0, 0.0}},  {"ModulateBrush", {1.0, 1.0, -1.0, 1.0}},
      {"PixelateBrush", {1.0, 5.0}},       {"TransformBrush", {1.0, 0.0, 1.0, 1.0, 1.0}},
      {"RotateBrush", {1.0, 30.0, 0.0}},   {"ChangeBrushTransparency", {1.0, 29.0}},
  };
  for (const auto& c : bad) {
    EXPECT_EQ(code(c.name, c.args), ERR_WRONGUSAGE) << c.name;
    EXPECT_EQ(FakeLayers::shown[0].second, (ObjectId{1, nullptr})) << c.name;
  }
  ASSERT_EQ(code("PixelateBrush", {1.0, 4.0}), 0);
  EXPECT_NE(FakeLayers::shown[0].second, (ObjectId{1, nullptr}));
}

}  // namespace
