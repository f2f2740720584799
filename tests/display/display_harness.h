// The display library opened over the picture libraries, on an 800 x 600 screen at 60 Hz with a
// fake clock, and a helper that opens a display and makes it current.
#pragma once

#include "display/display.h"
#include "tests/display/picture_harness.h"

namespace qmtest {

class DisplayHarness : public PictureTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(platform_init(), 0);
    PictureTest::SetUp();
    ASSERT_EQ(display_init(L), 0);
    ScreenInfo screen;
    ASSERT_TRUE(platform_parse_screen("800x600@60", nullptr, &screen));
    platform_set_screen_override(&screen);
    platform_set_clock(&clock);
  }
  void TearDown() override {
    qm::display_cleanup(L);
    platform_set_frame_rate_limit(0);
    platform_set_clock(nullptr);
    platform_set_screen_override(nullptr);
    platform_recorder_stop();
    PictureTest::TearDown();
    platform_exit();
  }
  // An open display of that number (640 x 480), current when asked, as the first display would
  // leave it.
  qm::qmDisplay* open_display(int32_t number = 2, bool current = true) {
    qm::qmDisplay* d = nullptr;
    EXPECT_EQ(qm::display_create(L, qm::ObjectId{number, nullptr}, 0, &d), 0);
    EXPECT_EQ(qm::display_prepare(L, d), 0);
    EXPECT_EQ(qm::display_open(L, d, 1), 0);
    if (current) qm::display_make_current(d);
    return d;
  }
  FakeClock clock;
};

}  // namespace qmtest
