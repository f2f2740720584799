// What programs cannot see of displays: frame pacing on the fake clock, GetRandomColor's
// channels, the draw-tag defaults after a failed SetDrawTagsDefault and the buffers made for a
// partly drawn black picture.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "display/display.h"
#include "display/frame.h"
#include "display/graphics.h"
#include "tests/display/display_harness.h"

namespace {

using qmtest::Nil;

class DisplayTest : public qmtest::DisplayHarness {
 protected:
  // Draws, then ends the frame; the microseconds the frame took on the clock.
  int64_t frame(qm::qmDisplay* d) {
    platform_window_fill_rect(&d->win, 0, 0, 8, 8, colour++);
    const int64_t before = clock.now_us();
    qm::display_wait_refresh(L);
    return clock.now_us() - before;
  }
  uint32_t colour = 1;
};

TEST_F(DisplayTest, SixtyFramesAtThirtyTakeTwoSeconds) {
  qm::qmDisplay* d = open_display();
  ASSERT_EQ(first("SetFPSLimit", {30.0}), "none");
  EXPECT_EQ(first("GetFPSLimit", {}), "30");
  const int64_t start = clock.now_us();
  for (int i = 0; i < 60; ++i) frame(d);
  EXPECT_NEAR(double(clock.now_us() - start), 2.0e6, 1000.0);
}

// A sleep that always overruns by 2 ms, as a busy machine's would: the next frame makes it up, so
// sixty frames at 60 still take one second and not 120 ms more.
struct LateClock : FakeClock {
  void sleep_us(int64_t us) override { FakeClock::sleep_us(us + 2000); }
};

TEST_F(DisplayTest, OverrunSleepsDoNotDrift) {
  LateClock late;
  platform_set_clock(&late);
  qm::qmDisplay* d = open_display();
  first("SetFPSLimit", {60.0});
  const int64_t start = late.now_us();
  for (int i = 0; i < 60; ++i) {
    platform_window_fill_rect(&d->win, 0, 0, 8, 8, uint32_t(i));
    qm::display_wait_refresh(L);
  }
  EXPECT_NEAR(double(late.now_us() - start), 1.0e6, 3000.0);
}

// Above the refresh rate a frame presents nothing itself: the waits between frames show what was
// drawn, at most once every 10 ms (the pump's pace), so twelve frames of 8.3 ms are fewer shows.
TEST_F(DisplayTest, ALimitAboveTheRefreshRatePresentsNothing) {
  qm::qmDisplay* d = open_display();
  auto presents = [&](double limit) {
    first("SetFPSLimit", {limit});
    platform_recorder_start();
    for (int i = 0; i < 12; ++i) frame(d);
    int n = 0;
    for (const std::string& line : platform_recorder_take()) n += line.rfind("present", 0) == 0;
    platform_recorder_stop();
    return n;
  };
  const int above = presents(120);
  EXPECT_GE(above, 1);
  EXPECT_LE(above, 11);
  EXPECT_EQ(presents(30), 12);
  EXPECT_EQ(presents(0), 12);
}

TEST_F(DisplayTest, ASlowLoopNeverSleeps) {
  qm::qmDisplay* d = open_display();
  frame(d);
  for (int i = 0; i < 10; ++i) {
    clock.advance_ms(20);  // slower than 60 frames a second
    EXPECT_EQ(frame(d), 0) << i;
  }
}

TEST_F(DisplayTest, TheLimitSurvivesAnotherWindowOpening) {
  open_display();
  first("SetFPSLimit", {24.0});
  qm::qmDisplay* other = nullptr;
  ASSERT_EQ(qm::display_create(L, qm::ObjectId{3, nullptr}, 0, &other), 0);
  ASSERT_EQ(qm::display_open(L, other, 0), 0);
  EXPECT_EQ(first("GetFPSLimit", {}), "24");
  first("SetFPSLimit", {-5.0});
  EXPECT_EQ(first("GetFPSLimit", {}), "60");
}

// Regions read from index 0 up to the first nil and clamped to the display when its window opens;
// without one the defaults hold.
TEST_F(DisplayTest, RegionsAreReadFromZeroAndClampedToTheDisplay) {
  auto region = [&](int32_t index, int32_t x, int32_t w) {
    vm_new_table(L);
    set_number("x", x);
    set_number("y", 0);
    set_number("width", w);
    set_number("height", 20);
    vm_raw_seti(L, -2, index);
  };
  ASSERT_EQ(call_table("CreateDisplay", {5.0}, [&] {
              vm_push_string(L, "dragregion");
              vm_new_table(L);
              region(0, 630, 100);
              region(1, 10, 5);
              vm_set_table(L, -3);
              vm_push_string(L, "sizeregion");
              vm_new_table(L);
              region(1, 0, 5);  // index 0 is nil: no region
              vm_set_table(L, -3);
            }).code,
            0);
  qm::qmDisplay* d = nullptr;
  ASSERT_EQ(qm::display_find(qm::ObjectId{5, nullptr}, &d), 0);
  ASSERT_EQ(qm::display_prepare(L, d), 0);
  ASSERT_EQ(qm::display_open(L, d, 0), 0);
  ASSERT_EQ(d->drag.count, 2);
  EXPECT_EQ(d->drag.used[0].width, 10);
  EXPECT_EQ(d->drag.used[1].width, 5);
  ASSERT_EQ(d->size.count, 1);
  EXPECT_EQ(d->size.used[0].x, 630);
  EXPECT_EQ(d->size.used[0].width, 10);
}

TEST_F(DisplayTest, TheBackfillLeadsTheListAndTheNextDisplayIsPrimary) {
  qm::qmDisplay* two = nullptr;
  ASSERT_EQ(qm::display_create(L, qm::ObjectId{2, nullptr}, 0, &two), 0);
  EXPECT_TRUE(qm::display_is_primary(two));
  qm::BackfillBlock block;
  block.kind = 1;
  block.colour1 = 0x102030;
  ASSERT_EQ(qm::display_make_backfill(L, block), 0);
  qm::qmDisplay* three = nullptr;
  ASSERT_EQ(qm::display_create(L, qm::ObjectId{3, nullptr}, 0, &three), 0);
  const qm::ObjectHeader* h = qm::display_system().list;
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(qm::display_of(const_cast<qm::ObjectHeader*>(h))->backfill, 1);
  EXPECT_EQ(h->next, &two->header);
  EXPECT_EQ(two->header.next, &three->header);
  EXPECT_TRUE(qm::display_is_primary(two));
  EXPECT_FALSE(qm::display_is_primary(three));
  EXPECT_EQ(first("GetAttribute", {21.0, 0.0, 60.0}), "3");
}

// A black picture's new buffers take only the rows drawn on it: the rest read black untouched.
TEST_F(DisplayTest, NewBuffersOfAPartlyDrawnBlackPictureAreItsExactCopies) {
  qm::qmDisplay* d = nullptr;
  ASSERT_EQ(qm::display_create(L, qm::ObjectId{2, nullptr}, 0, &d), 0);
  ASSERT_FALSE(d->buffer1);
  qm::qmBitmap* pic = d->bgpic->current.bitmap;
  for (int32_t y : {0, 37, 238, 479}) qm::qmos_fill_bitmap_rect(pic, 5, y, 100, 1, 0x123456u + uint32_t(y));
  qm::qmos_write_pixel(pic, 639, 300, 0xABCDEF);
  ASSERT_EQ(qm::display_prepare(L, d), 0);
  const size_t bytes = size_t(pic->bytes_per_row) * size_t(pic->height);
  for (const qm::qmBitmap* b : {d->buffer1, d->buffer2}) {
    ASSERT_TRUE(b);
    EXPECT_EQ(std::memcmp(b->pixels, pic->pixels, bytes), 0);
  }
}

TEST_F(DisplayTest, RandomColoursExpandEachDigitOfTheTable) {
  std::set<std::string> seen;
  for (int i = 0; i < 300; ++i) {
    const uint32_t c = uint32_t(std::stoul(first("GetRandomColor", {})));
    for (int shift = 0; shift <= 16; shift += 8) EXPECT_EQ((c >> shift & 255) % 17, 0u) << std::hex << c;
    EXPECT_EQ(c >> 24, 0u);
    seen.insert(std::to_string(c));
  }
  EXPECT_GT(seen.size(), 20u);
}

TEST_F(DisplayTest, AFailedSetDrawTagsDefaultChangesNothing) {
  auto set = [&](std::function<void()> fill) { return call_table("SetDrawTagsDefault", {}, fill).code; };
  ASSERT_EQ(set([&] {
              set_number("transparency", 20);
              set_number("anchorx", 0.5);
            }),
            0);
  EXPECT_NE(set([&] {
              set_number("transparency", 40);
              set_number("anchorx", 1.0);
              set_flag("shadow");
              set_number("shadowradius", 0);
            }),
            0);
  EXPECT_NE(set([&] { set_number("anchory", 7); }), 0);
  const qm::qmDrawTagOptions& tags = qm::drawtag_defaults().tags;
  EXPECT_EQ(tags.transparency, 20);
  EXPECT_EQ(qm::drawtag_defaults().transform.anchor_x, 0.5);
  EXPECT_EQ(tags.shadow.on, 0);
  EXPECT_EQ(tags.shadow.size, 4);
}

}  // namespace

// Display 1 of a program that asks for the desktop display, made as the declarations make it
// (options pushed by `fill` besides "private2"), before the first display opens.
class DesktopDisplayTest : public DisplayTest {
 protected:
  int32_t create_one(const std::function<void()>& fill) {
    vm_set_top(L, 0);
    vm_new_table(L);
    set_number("private2", 1);
    fill();
    qm::qmDisplay* d = nullptr;
    const int32_t err = qm::display_create(L, qm::ObjectId{1, nullptr}, 1, &d);
    vm_set_top(L, 0);
    return err;
  }
};

TEST_F(DesktopDisplayTest, RefusalsBeforeTheFirstDisplayOpens) {
  // A BGPic 1 already made: the desktop display cannot take its place.
  ASSERT_EQ(first("CreateBGPic", {1.0, 10.0, 10.0}), "none");
  EXPECT_EQ(create_one([] {}), qm::ERR_DISPLAYDESKTOP);
  ASSERT_EQ(first("FreeBGPic", {1.0}), "none");
  // Scaling the desktop display.
  ASSERT_EQ(create_one([this] {
    set_number("scalemode", 1);
    set_number("scalewidth", 200);
    set_number("scaleheight", 100);
  }), 0);
  EXPECT_EQ(qm::display_open_first(L, nullptr, nullptr), qm::ERR_DDAUTOSCALE);
  // Recording the program.
  ASSERT_EQ(create_one([] {}), 0);
  qm::display_system().recording = 1;
  EXPECT_EQ(qm::display_open_first(L, nullptr, nullptr), qm::ERR_DDRECVIDEO);
  qm::display_system().recording = 0;
}

TEST_F(DesktopDisplayTest, ThePictureIsTheDesktopAsShown) {
  // A red window on the desktop before the program's display opens.
  qm::qmDisplay* two = open_display(2, false);
  platform_window_fill_rect(&two->win, 0, 0, 640, 480, 0xFF0000);
  platform_window_flush(L, &two->win);
  two->win.flags |= WINFLAG_HIDDEN;  // already open
  ASSERT_EQ(create_one([this] {
    set_number("width", 800);
    set_number("height", 600);
    set_number("color", 0x00FF00);
  }), 0);
  ASSERT_EQ(qm::display_open_first(L, nullptr, nullptr), 0);
  qm::qmDisplay* one = nullptr;
  ASSERT_EQ(qm::display_find(qm::ObjectId{1, nullptr}, &one), 0);
  EXPECT_EQ(one->win.flags, uint32_t(WINFLAG_BORDERLESS | WINFLAG_FIXED | WINFLAG_NOMODESWITCH | WINFLAG_NOHIDE |
                                     WINFLAG_ACTIVE));
  EXPECT_EQ(qm::display_current(), one);
  const qm::qmBitmap* pic = one->bgpic->current.bitmap;
  EXPECT_EQ(qm::qmos_read_pixel(pic, 400, 300) & 0xFFFFFF, 0xFF0000u);  // the red window
  EXPECT_EQ(qm::qmos_read_pixel(pic, 5, 5) & 0xFFFFFF, 0u);            // the bare desktop, not the fill
}

// The display's font attributes are those of the text library's current font; before a text
// library answers there is no font to report.
TEST_F(DisplayTest, FontAttributesAreTheCurrentFonts) {
  open_display();
  EXPECT_EQ(first("GetAttribute", {21.0, 0.0, 32.0}), "error " + std::to_string(qm::ERR_UNKNOWNATTR));
  qm::graphics_set_current_font_query([](qm::FontAttributes* f) {
    f->ascender = 6, f->descender = 2, f->name = "quill", f->size = 8, f->scalable = 0, f->antialias = 1;
    return true;
  });
  const std::pair<double, const char*> rows[] = {{30, "6"}, {31, "2"}, {32, "'quill'"}, {33, "8"}, {34, "0"}, {35, "1"}};
  for (const auto& [attribute, want] : rows) EXPECT_EQ(first("GetAttribute", {21.0, 0.0, attribute}), want) << attribute;
  qm::graphics_set_current_font_query(nullptr);
}
