// What programs cannot see of output targets, double buffering and showing brushes: the planes
// the plain path copies (none), the rectangles that Flip presents, Flip's pacing on the fake
// clock, and the rule that a selected object's planes are never freed or replaced.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "display/display.h"
#include "display/showbrush.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "tests/display/display_harness.h"

namespace {

using namespace qm;
using qmtest::Nil;
using qmtest::Outcome;

class TargetTest : public qmtest::DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    d = open_display();
    platform_present_pending();  // the window's first, whole present
    ASSERT_EQ(code("CreateBrush", {1.0, 1.0, 1.0, double(0xFF0000)}), 0);
  }
  // The rectangles presented while f ran.
  std::vector<std::string> presented(const std::function<void()>& f) {
    platform_recorder_start();
    f();
    std::vector<std::string> out;
    for (const std::string& line : platform_recorder_take())
      if (line.rfind("present", 0) == 0) out.push_back(line.substr(line.find(' ', 8) + 1));
    platform_recorder_stop();
    return out;
  }
  Outcome call_args(const char* name, const std::vector<double>& args) {
    vm_set_top(L, 0);
    std::string lower(name);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    vm_push_string(L, lower.c_str());
    vm_get_table(L, QM_GLOBALSINDEX);
    for (double a : args) vm_push_number(L, a);
    Outcome o;
    o.code = vm_pcall(L, int32_t(args.size()), QM_MULTRET, 0);
    return o;
  }
  std::string whole() const { return "0,0," + std::to_string(d->win.width) + "x" + std::to_string(d->win.height); }
  qm::qmDisplay* d = nullptr;
};

TEST_F(TargetTest, OnlyTheStagesThatChangePixelsCopyThePlanes) {
  const int64_t before = qm::brush_render_private_planes();
  ASSERT_EQ(code("DisplayBrush", {1.0, 5.0, 5.0}), 0);
  ASSERT_EQ(call_table("DisplayBrush", {1.0, 6.0, 5.0}, [&] { set_number("anchorx", 1.0); }).code, 0);
  EXPECT_EQ(qm::brush_render_private_planes(), before);
  ASSERT_EQ(call_table("DisplayBrush", {1.0, 5.0, 5.0}, [&] { set_number("transparency", 10.0); }).code, 0);
  EXPECT_EQ(qm::brush_render_private_planes(), before + 2);  // the picture's rectangle and its alpha
}

// A whole brush without options takes a short route; the draw-tag default anchors still move it.
TEST_F(TargetTest, APlainShowingFollowsTheDefaultAnchors) {
  ASSERT_EQ(code("CreateBrush", {2.0, 8.0, 8.0, 0.0}), 0);
  ASSERT_EQ(code("CreateBrush", {3.0, 2.0, 2.0, double(0x00FF00)}), 0);
  ASSERT_EQ(code("SelectBrush", {2.0}), 0);
  auto at = [&](int32_t x, int32_t y) { return qmos_read_pixel(brush(2)->bitmap, x, y); };
  ASSERT_EQ(code("DisplayBrush", {3.0, 1.0, 1.0}), 0);
  EXPECT_EQ(at(1, 1), 0x00FF00u);
  EXPECT_EQ(at(2, 2), 0x00FF00u);
  EXPECT_EQ(at(3, 3), 0u);
  auto anchors = [&](double a) {
    return call_table("SetDrawTagsDefault", {}, [&] { set_number("anchorx", a), set_number("anchory", a); }).code;
  };
  ASSERT_EQ(anchors(1.0), 0);
  ASSERT_EQ(code("DisplayBrush", {3.0, 6.0, 6.0}), 0);  // its far corner at 6, 6
  EXPECT_EQ(at(4, 4), 0x00FF00u);
  EXPECT_EQ(at(5, 5), 0x00FF00u);
  EXPECT_EQ(at(6, 6), 0u);
  ASSERT_EQ(anchors(0.0), 0);
}

TEST_F(TargetTest, FlipRightAfterBeginPresentsNothing) {
  ASSERT_EQ(code("BeginDoubleBuffer", {}), 0);
  EXPECT_EQ(presented([&] { ASSERT_EQ(code("Flip", {}), 0); }), std::vector<std::string>{});
  // One small drawing: only its rectangle.
  ASSERT_EQ(code("DisplayBrush", {1.0, 10.0, 20.0}), 0);
  EXPECT_EQ(presented([&] { ASSERT_EQ(code("Flip", {}), 0); }), std::vector<std::string>{"10,20,1x1"});
}

TEST_F(TargetTest, AnOverflowingListOrAWholeDrawingPresentsTheWholePicture) {
  ASSERT_EQ(code("BeginDoubleBuffer", {}), 0);
  const int32_t per_row = d->win.width / 2;
  for (int32_t i = 0; i < 1025; ++i)  // apart, so that no two merge
    ASSERT_EQ(code("DisplayBrush", {1.0, double(2 * (i % per_row)), double(2 * (i / per_row))}), 0);
  EXPECT_EQ(presented([&] { ASSERT_EQ(code("Flip", {}), 0); }), std::vector<std::string>{whole()});

  ASSERT_EQ(code("CreateBrush", {2.0, double(d->win.width), double(d->win.height)}), 0);
  ASSERT_EQ(code("DisplayBrush", {2.0, 0.0, 0.0}), 0);
  EXPECT_EQ(presented([&] { ASSERT_EQ(code("Flip", {}), 0); }), std::vector<std::string>{whole()});

  // Overlapping and touching drawings are copied once, merged.
  ASSERT_EQ(code("DisplayBrush", {1.0, 4.0, 4.0}), 0);
  ASSERT_EQ(code("DisplayBrush", {1.0, 5.0, 4.0}), 0);
  ASSERT_EQ(code("DisplayBrush", {1.0, 5.0, 4.0}), 0);
  EXPECT_EQ(presented([&] { ASSERT_EQ(code("Flip", {}), 0); }), std::vector<std::string>{"4,4,2x1"});
}

// The merge takes the drawings from left to right whatever order they came in: in two runs (the
// right half of a strip and a pixel far right of it, then the strip's left half and more), right
// to left, or scattered, the same rectangles are presented.
TEST_F(TargetTest, DrawingsMergeAlikeInEveryOrder) {
  ASSERT_EQ(code("BeginDoubleBuffer", {}), 0);
  std::vector<std::pair<int32_t, int32_t>> points;
  for (int32_t x = 5; x < 10; ++x) points.push_back({x, 0});
  points.push_back({60, 2});
  for (int32_t x = 0; x < 5; ++x) points.push_back({x, 0});
  for (int32_t x = 10; x < 20; ++x) points.push_back({x, 4});
  std::vector<std::string> want = {"0,0,10x1", "60,2,1x1", "10,4,10x1"};
  for (int32_t k = 0; k < 20; ++k) {  // lone pixels: more than a few runs once reversed
    points.push_back({40 + 2 * k, 8});
    want.push_back(std::to_string(40 + 2 * k) + ",8,1x1");
  }
  std::sort(want.begin(), want.end());
  auto flipped = [&] {
    std::vector<std::string> got;
    for (const std::string& line : presented([&] { ASSERT_EQ(code("Flip", {0.0}), 0); })) {
      size_t at = 0;
      for (size_t space; (space = line.find(' ', at)) != std::string::npos; at = space + 1)
        got.push_back(line.substr(at, space - at));
      got.push_back(line.substr(at));
    }
    std::sort(got.begin(), got.end());
    return got;
  };
  uint32_t seed = 11;
  for (int32_t order = 0; order < 3; ++order) {  // in runs, reversed, scattered
    SCOPED_TRACE(order);
    if (order == 1) std::reverse(points.begin(), points.end());
    if (order == 2)
      for (size_t i = points.size() - 1; i > 0; --i)
        std::swap(points[i], points[((seed = seed * 1103515245u + 12345u) >> 16) % (i + 1)]);
    for (const auto& [x, y] : points) ASSERT_EQ(code("DisplayBrush", {1.0, double(x), double(y)}), 0);
    EXPECT_EQ(flipped(), want);
  }
}

// Flip copies the changed rectangles once, straight into the window's screen buffer: after every
// Flip the window shows exactly the back buffer, whether the rectangles were scattered, merged or
// overflowed the list, and also after Flips made while the window was closed.
TEST_F(TargetTest, AfterEachFlipTheWindowShowsTheBackBuffer) {
  ASSERT_EQ(code("CreateBrush", {2.0, 7.0, 5.0, double(0x00FF00)}), 0);
  ASSERT_EQ(code("CreateBrush", {3.0, 3.0, 9.0, double(0x123456)}), 0);
  ASSERT_EQ(code("BeginDoubleBuffer", {}), 0);
  auto window_shows_back = [&] {
    const qmScreenBuffer& screen = d->win.platform->screen;
    const qmBitmap* back = d->double_buffer_bitmap;
    int32_t differ = 0;
    for (int32_t y = 0; y < back->height; ++y)
      for (int32_t x = 0; x < back->width; ++x)
        differ += screen.row(y)[x] != (qmos_read_pixel(back, x, y) & 0xFFFFFF);
    return differ;
  };
  uint32_t seed = 7;
  auto next = [&](int32_t n) { return int32_t((seed = seed * 1103515245u + 12345u) >> 16) % n; };
  for (int32_t frame = 0; frame < 12; ++frame) {
    if (frame == 8) {
      ASSERT_EQ(code("CloseDisplay", {2.0}), 0);
    }
    const int32_t drawings = frame == 5 ? 1100 : 1 + next(40);  // frame 5 overflows the list
    for (int32_t i = 0; i < drawings; ++i)
      ASSERT_EQ(code("DisplayBrush", {double(1 + next(3)), double(next(d->win.width + 8) - 4),
                                      double(next(d->win.height + 8) - 4)}),
                0);
    ASSERT_EQ(code("Flip", {0.0}), 0);
    if (frame >= 8) continue;
    EXPECT_EQ(window_shows_back(), 0) << "frame " << frame;
  }
  ASSERT_EQ(code("OpenDisplay", {2.0}), 0);
  EXPECT_EQ(window_shows_back(), 0) << "reopened";
}

TEST_F(TargetTest, FlipWithoutSyncNeverSleeps) {
  ASSERT_EQ(code("BeginDoubleBuffer", {}), 0);
  ASSERT_EQ(code("Flip", {}), 0);
  for (int i = 0; i < 5; ++i) {
    ASSERT_EQ(code("DisplayBrush", {1.0, double(i), 0.0}), 0);
    const int64_t start = clock.now_us();
    ASSERT_EQ(code("Flip", {0.0}), 0);
    EXPECT_EQ(clock.now_us(), start) << i;
  }
  const int64_t start = clock.now_us();
  ASSERT_EQ(code("Flip", {1.0}), 0);
  EXPECT_GT(clock.now_us(), start);  // the synchronised Flip paces to the frame rate
}

TEST_F(TargetTest, EndSelectWhileDoubleBufferingAndSelectionsInside) {
  ASSERT_EQ(code("BeginDoubleBuffer", {}), 0);
  EXPECT_EQ(code("EndSelect", {}), ERR_WRONGUSAGE);
  ASSERT_EQ(code("CreateBrush", {3.0, 4.0, 4.0}), 0);
  ASSERT_EQ(code("SelectBrush", {3.0}), 0);
  ASSERT_EQ(code("DisplayBrush", {1.0, 2.0, 2.0}), 0);
  EXPECT_EQ(qmos_read_pixel(brush(3)->bitmap, 2, 2), 0xFF0000u);
  ASSERT_EQ(code("EndSelect", {}), 0);  // back to the back buffer
  EXPECT_EQ(d->draw_bitmap, d->double_buffer_bitmap);
  ASSERT_EQ(code("DisplayBrush", {1.0, 7.0, 7.0}), 0);
  EXPECT_EQ(qmos_read_pixel(d->double_buffer_bitmap, 7, 7), 0xFF0000u);
  ASSERT_EQ(code("EndDoubleBuffer", {}), 0);
}

// The selected object's planes stay while it is selected: every command that would free, resize
// or replace them is refused, and drawing afterwards still writes into live planes (ASan).
TEST_F(TargetTest, ASelectedObjectIsNeverFreedOrReplaced) {
  struct Case {
    const char* name;
    std::vector<double> args;
    int32_t expected;
  };
  ASSERT_EQ(code("CreateBrush", {5.0, 8.0, 8.0}), 0);
  ASSERT_EQ(code("SelectBrush", {5.0}), 0);
  const qm::qmBitmap* planes = brush(5)->bitmap;
  const Case brush_cases[] = {
      {"FreeBrush", {5}, ERR_MODIFYABR},         {"CreateBrush", {5, 4, 4}, ERR_MODIFYABR},
      {"CopyBrush", {1, 5}, ERR_MODIFYABR},      {"ScaleBrush", {5, 16, 16}, ERR_MODIFYABR},
      {"CropBrush", {5, 0, 0, 2, 2}, ERR_MODIFYABR}, {"DeleteMask", {5}, ERR_MODIFYABR},
  };
  for (const Case& c : brush_cases) {
    Outcome o = call_args(c.name, c.args);
    EXPECT_EQ(o.code, c.expected) << c.name;
    ASSERT_EQ(brush(5)->bitmap, planes) << c.name;
    ASSERT_EQ(code("DisplayBrush", {1.0, 1.0, 1.0}), 0);
  }
  ASSERT_EQ(code("EndSelect", {}), 0);

  ASSERT_EQ(code("CreateBGPic", {7.0, 8.0, 8.0}), 0);
  ASSERT_EQ(code("SelectBGPic", {7.0, 0.0}), 0);
  const qm::qmBitmap* pic_planes = bgpic(7)->unscaled.bitmap;
  const Case bgpic_cases[] = {
      {"FreeBGPic", {7}, ERR_MODIFYABGPIC},
      {"CreateBGPic", {7, 4, 4}, ERR_MODIFYABGPIC},
      {"ScaleBGPic", {7, 16, 16}, ERR_MODIFYABGPIC},
  };
  for (const Case& c : bgpic_cases) {
    Outcome o = call_args(c.name, c.args);
    EXPECT_EQ(o.code, c.expected) << c.name;
    ASSERT_EQ(bgpic(7)->unscaled.bitmap, pic_planes) << c.name;
    ASSERT_EQ(code("DisplayBrush", {1.0, 1.0, 1.0}), 0);
  }
  // Showing the selected picture ends the selection first; freeing the display ends it too.
  ASSERT_EQ(code("SelectMask", {7.0, 1.0}), 0);
  ASSERT_EQ(code("DisplayBrush", {1.0, 1.0, 1.0}), 0);
  EXPECT_NE(bgpic(7)->unscaled.mask, nullptr);
  ASSERT_EQ(code("DisplayBGPic", {7.0}), 0);
  EXPECT_EQ(qm::drawtarget_selected(), nullptr);
  ASSERT_EQ(code("SelectBrush", {5.0}), 0);
  qm::display_cleanup(L);
  EXPECT_EQ(code("FreeBrush", {5.0}), 0);
}

// The checks that programs cannot reach yet: layers come before sprites, sprites before a
// transparent picture; a refused BeginDoubleBuffer changes nothing.
TEST_F(TargetTest, BeginDoubleBufferRefusesLayersThenSprites) {
  qm::layer_hooks().layer_count = [](const qm::qmBGPic*) { return 1; };
  int sprite = 0;
  d->bgpic->sprites = &sprite;
  EXPECT_EQ(code("BeginDoubleBuffer", {}), ERR_LAYERSOFF);
  qm::layer_hooks_reset();
  EXPECT_EQ(code("BeginDoubleBuffer", {}), ERR_NOSPRITES);
  d->bgpic->sprites = nullptr;
  EXPECT_EQ(d->double_buffer, 0);
  EXPECT_EQ(d->output_type, kOutputDisplay);
  EXPECT_EQ(code("BeginDoubleBuffer", {}), 0);
}

// Combo mode draws the picture and its mask; an alpha channel takes the alpha intensity where a
// plain picture is drawn into it.
TEST_F(TargetTest, ComboAndAlphaChannelTargetsWriteTheirPlanes) {
  ASSERT_EQ(call_table("CreateBrush", {6.0, 4.0, 4.0, 0.0}, [&] { set_flag("mask"), set_flag("clear"); }).code, 0);
  ASSERT_EQ(code("SelectBrush", {6.0, double(SELMODE_COMBO)}), 0);
  ASSERT_EQ(code("DisplayBrush", {1.0, 2.0, 1.0}), 0);
  ASSERT_EQ(code("EndSelect", {}), 0);
  EXPECT_EQ(qmos_read_pixel(brush(6)->bitmap, 2, 1), 0xFF0000u);
  EXPECT_EQ(qmos_read_pixel(brush(6)->mask, 2, 1), 1u);
  EXPECT_EQ(qmos_read_pixel(brush(6)->mask, 1, 1), 0u);

  ASSERT_EQ(code("SelectAlphaChannel", {6.0}), 0);
  ASSERT_EQ(code("SetAlphaIntensity", {128.0}), 0);
  ASSERT_EQ(code("DisplayBrush", {1.0, 3.0, 3.0}), 0);
  ASSERT_EQ(code("SetAlphaIntensity", {-1.0}), 0);
  ASSERT_EQ(code("EndSelect", {}), 0);
  ASSERT_EQ(brush(6)->mask, nullptr);  // the alpha channel replaced the mask
  ASSERT_NE(brush(6)->alpha, nullptr);
  EXPECT_EQ(brush(6)->alpha->data[3 * brush(6)->alpha->bytes_per_row + 3], 128);
  EXPECT_EQ(brush(6)->alpha->data[0], 255);
}

}  // namespace
