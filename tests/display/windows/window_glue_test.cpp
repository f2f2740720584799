// What the platform's windows learn from the display records: the drag and size regions of a
// borderless window, and which window the input script's display number names.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "display/display.h"
#include "tests/display/display_harness.h"

namespace {

class WindowGlueTest : public qmtest::DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    platform_set_clock(nullptr);  // the input script runs on the real clock
  }
  qm::qmDisplay* open_display(int32_t number) { return DisplayHarness::open_display(number, false); }
};

TEST_F(WindowGlueTest, DefaultRegionsDragAndSizeABorderlessWindow) {
  qm::qmDisplay* d = open_display(2);  // 640 x 480: drag bar {0, 0, 640, 15}, size corner 10 x 10
  d->win.flags |= WINFLAG_BORDERLESS | WINFLAG_SIZEABLE;
  EXPECT_EQ(platform_window_hit(&d->win, 320, 14), WINHIT_DRAG);
  EXPECT_EQ(platform_window_hit(&d->win, 320, 15), WINHIT_NONE);
  EXPECT_EQ(platform_window_hit(&d->win, 630, 470), WINHIT_SIZE);
  EXPECT_EQ(platform_window_hit(&d->win, 629, 470), WINHIT_NONE);
}

TEST_F(WindowGlueTest, ScriptDisplayNumbersNameTheirWindows) {
  open_display(2);
  qm::qmDisplay* three = open_display(3);
  ASSERT_EQ(platform_event_script_load("at 0 move 3 10 10\n"), 0);
  ASSERT_EQ(platform_event_script_feed(), 1);
  SDL_Event e;
  ASSERT_EQ(SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION), 1);
  EXPECT_EQ(e.motion.windowID, SDL_GetWindowID(three->win.platform->window));
}

}  // namespace
