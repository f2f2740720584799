// The graphics library frame: position specials at the edges of their ranges, keep-aspect sizes,
// GetAttribute's type and attribute rules, and the constant table.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "display/graphics.h"
#include "engine/errcodes.h"
#include "gfx/blitservices.h"
#include "tests/display/picture_harness.h"

using namespace qm;
using namespace qmtest;

namespace {

TEST(Specials, EdgesOfEachRange) {
  // Object 10 wide in a container of 100: centre 45, right 90, left 0, left-out -10, right-out 100.
  struct Case {
    int32_t v;
    int32_t x;  // horizontal result
    int32_t y;  // vertical result
  };
  const Case cases[] = {
      {-100000, 45, 45},   {-104999, -4954, -4954}, {-95001, 5044, 5044}, {-95000, -95000, -95000},
      {-105000, -105000, -105000},
      {-90000, 0, -90000}, {-94999, -4999, -94999}, {-85001, 4999, -85001},
      {-80000, 90, -80000}, {-84999, -4909, -84999}, {-75001, 5089, -75001},
      {-70000, -70000, 0}, {-74999, -74999, -4999}, {-65001, -65001, 4999},
      {-60000, -60000, 90}, {-64999, -64999, -4909}, {-55001, -55001, 5089},
      {-50000, -10, -50000}, {-54999, -5009, -54999}, {-45001, 4989, -45001},
      {-40000, 100, -40000}, {-44999, -4899, -44999}, {-35001, 5099, -35001},
      {-30000, -30000, -10}, {-34999, -34999, -5009}, {-25001, -25001, 4989},
      {-20000, -20000, 100}, {-24999, -24999, -4899}, {-15001, -15001, 5099},
      {-15000, -15000, -15000}, {-5, -5, -5}, {17, 17, 17},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(coord_resolve_special_x(c.v, 10, 100, 0.0), c.x) << c.v;
    EXPECT_EQ(coord_resolve_special_y(c.v, 10, 100, 0.0), c.y) << c.v;
  }
  // The anchor shifts by the object's size times the anchor, truncated; CENTER plus 1000 moves right.
  EXPECT_EQ(coord_resolve_special_x(-99000, 10, 100, 0.55), 1050);
  EXPECT_EQ(coord_resolve_special_x(-100000, 11, 100, 0.0), 44);  // (100 - 11) / 2 truncates
}

TEST(Specials, EmptyContainerMeansTheOutputOrItsClipRegion) {
  output_hooks().output_area = [](int32_t* x, int32_t* y, int32_t* w, int32_t* h) {
    *x = 20, *y = 30, *w = 200, *h = 100;
    return true;
  };
  EXPECT_EQ(coord_resolve_special_x(-80000, 10, 0, 0.0), 210);
  EXPECT_EQ(coord_resolve_special_y(-100000, 10, 0, 0.0), 75);
  EXPECT_EQ(coord_resolve_special_x(-80000, 10, 50, 0.0), 40);  // a given container has origin 0
  output_hooks_reset();
}

TEST(KeepAspect, Completions) {
  struct Case {
    int32_t sw, sh, w, h;
    int32_t code, out_w, out_h;
  };
  const Case cases[] = {
      {3, 2, KEEPASPRAT, 101, 0, 152, 101},  // 151.5 rounds up
      {3, 2, KEEPASPRAT, 100, 0, 150, 100},
      {3, 2, 100, KEEPASPRAT, 0, 100, 67},   // 66.67
      {3, 2, 7, 5, 0, 7, 5},
      {3, 2, KEEPASPRAT, 0, ERR_BADDIMENSIONS, KEEPASPRAT, 0},
      {3, 2, -4, KEEPASPRAT, ERR_BADDIMENSIONS, -4, KEEPASPRAT},
      {3, 2, KEEPASPRAT, KEEPASPRAT, ERR_WRONGUSAGE, KEEPASPRAT, KEEPASPRAT},
      {1000, 1, 1, KEEPASPRAT, ERR_BADDIMENSIONS, 1, KEEPASPRAT},  // would be 0 pixels high
  };
  for (const Case& c : cases) {
    int32_t w = c.w, h = c.h;
    EXPECT_EQ(size_keep_aspect(c.sw, c.sh, &w, &h), c.code);
    EXPECT_EQ(w, c.out_w);
    EXPECT_EQ(h, c.out_h);
  }
}

class GetAttribute : public PictureTest {};

TEST_F(GetAttribute, TypesAttributesAndCounts) {
  ASSERT_EQ(code("CreateBrush", {1.0, 6.0, 4.0}), 0);
  ASSERT_EQ(code("CreateBGPic", {1.0, 8.0, 5.0}), 0);
  struct Case {
    double type, id, attribute;
    std::string result;
  };
  const Case cases[] = {
      {3, 1, ATTRWIDTH, "6"},          {3, 1, ATTRHEIGHT, "4"},       {3, 1, ATTRTRANSPARENTCOLOR, "-1"},
      {3, 1, ATTRTYPE, "0"},           {3, 1, ATTRHARDWARE, "0"},     {3, 1, ATTRLAYERS, "error 1080"},
      {3, 2, ATTRWIDTH, "error 1174"}, {1, 1, ATTRWIDTH, "8"},        {1, 1, ATTRLAYERS, "0"},
      {1, 1, ATTRTYPE, "0"},           {1, 1, ATTRHASMASK, "0"},      {1, 1, ATTRCLIPREGION, "0"},
      {1, 1, ATTRHARDWARE, "error 1080"}, {1, 9, ATTRWIDTH, "error 1177"},
      {3, 99, ATTRCOUNT, "1"},         {1, 99, ATTRCOUNT, "1"},       {45, 0, ATTRCOUNT, "0"},
      {45, 0, ATTRWIDTH, "error 1080"}, {22, 0, ATTRCOUNT, "error 1055"}, {99, 0, ATTRCOUNT, "error 1055"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(first("GetAttribute", {c.type, c.id, c.attribute}), c.result) << c.type << " " << c.attribute;
  EXPECT_EQ(code("GetAttribute", {3.0, 1.0}), ERR_MISSINGPARAMTR);
}

TEST_F(GetAttribute, ConstantTable) {
  struct Case {
    const char* name;
    double value;
  };
  const Case cases[] = {{"center", -100000},    {"bottomout", -20000}, {"udpobject", 56}, {"attrvisible", 10},
                        {"attrhardware", 73},   {"nocolor", 4294967295.0}, {"conical", 4}, {"maskor", 5},
                        {"selmode_layers", 2}};
  for (const Case& c : cases) {
    double v = 0;
    ASSERT_TRUE(vm_find_constant(L, c.name, nullptr, &v)) << c.name;
    EXPECT_EQ(v, c.value) << c.name;
  }
}

}  // namespace

namespace {

TEST_F(GetAttribute, ObjectReportLayout) {
  ASSERT_EQ(code("CreateBrush", {1.0, 2.0, 2.0}), 0);
  ASSERT_EQ(code("CreateBrush", {2.0, 2.0, 2.0}), 0);
  char small[8];
  const size_t length = qm::graphics_object_report(small, sizeof small);
  EXPECT_STREQ(small, "Anims  ");  // cut to the buffer, always terminated
  std::string report(length + 1, '\0');
  qm::graphics_object_report(report.data(), report.size());
  report.resize(length);
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 21);
  EXPECT_EQ(report.rfind("Anims               0\nAsync draws         0\nBGPics              0\nBrushes             2\n", 0), 0u);
  EXPECT_NE(report.find("\nVideos              0\n"), std::string::npos);
}

}  // namespace

namespace {

qmBGPic g_report_picture;

TEST_F(GetAttribute, ObjectReportCountsSpritesOnTheCurrentPicture) {
  const qmSpriteRect second{nullptr, 0, 0, 1, 1}, first{&second, 0, 0, 1, 1};
  g_report_picture.sprites = const_cast<qmSpriteRect*>(&first);
  const OutputHooks saved = output_hooks();
  output_hooks().current_bgpic = [] { return &g_report_picture; };
  std::string report(2048, '\0');
  report.resize(qm::graphics_object_report(report.data(), report.size()));
  output_hooks() = saved;
  g_report_picture.sprites = nullptr;
  EXPECT_NE(report.find("\nSprites (on screen) 2\n"), std::string::npos) << report;
}

}  // namespace
