// Real X11 input under Xvfb with a window manager (label x11): xdotool types and clicks into a
// display's window, and the translator turns the server's real order of key and text events into
// the expected key codes, and clicks into content coordinates.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "display/display.h"
#include "events/input_queue.h"
#include "tests/display/picture_harness.h"

// After gtest: Xlib's macros (None, Bool) clash with its names.
#include <SDL2/SDL_syswm.h>

namespace {

struct Entry {
  int32_t type, a, b, c;
  bool operator==(const Entry&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "{" << e.type << ", " << e.a << ", " << e.b << ", " << e.c << "}";
}

class X11Events : public qmtest::PictureTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(platform_init(), 0);
    PictureTest::SetUp();
    ASSERT_EQ(display_init(L), 0);
  }
  void TearDown() override {
    input_queue_remove(-1, 1);
    qm::display_cleanup(L);
    PictureTest::TearDown();
    platform_exit();
  }
  // Pumps for up to ms milliseconds, or until `entries` of the wanted types are queued.
  std::vector<Entry> pump_for(int ms, size_t entries, std::initializer_list<int32_t> types) {
    std::vector<Entry> got;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      SDL_Delay(5);
      platform_pump_events(L);  // fetches what the X server sent
      while (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) platform_pump_events(L);
      got.clear();
      input_queue_lock();
      qmInputEvent e;
      for (int32_t n = 0; input_queue_peek(n, &e, false); ++n) {
        for (int32_t t : types)
          if (e.type == t) got.push_back({e.type, e.a, e.b, e.c});
      }
      input_queue_unlock();
      if (entries && got.size() >= entries) break;
    }
    return got;
  }
};

TEST_F(X11Events, RealKeysTextAndClicksGiveCodesAndContentCoordinates) {
  qm::qmDisplay* d = nullptr;
  ASSERT_EQ(qm::display_create(L, qm::ObjectId{1, nullptr}, 0, &d), 0);
  ASSERT_EQ(qm::display_prepare(L, d), 0);
  ASSERT_EQ(qm::display_open(L, d, 1), 0);
  ASSERT_STREQ(SDL_GetCurrentVideoDriver(), "x11");
  // The window manager frames and places the window: none of that is a move or resize of the
  // program's.
  EXPECT_EQ(pump_for(500, 0, {INPUT_MOVED, INPUT_RESIZED}), std::vector<Entry>{});
  input_queue_remove(-1, 1);

  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(d->win.platform->window, &info));
  const std::string xid = std::to_string(info.info.x11.window);
  const std::string cmd = "xdotool windowfocus --sync " + xid + " key shift+a Escape mousemove --window " + xid +
                          " 10 12 click 1 click 3";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  // xdotool lets Shift go before the letter: the letter's up still names 'A'.
  const std::vector<Entry> want = {{3, 1, 0, 65},    {3, 0, 0, 65},    {3, 1, 0, 275},  {3, 0, 0, 275},
                                   {1, 10, 12, 1},   {1, 10, 12, 0},   {2, 10, 12, 1},  {2, 10, 12, 0}};
  EXPECT_EQ(pump_for(3000, want.size(), {INPUT_KEY, INPUT_LEFTMOUSE, INPUT_RIGHTMOUSE}), want);
  EXPECT_EQ(d->keys[65], 0);
  EXPECT_EQ(platform_get_attr(&d->win, PLATATTR_MOUSEX), 10);
  EXPECT_EQ(platform_get_attr(&d->win, PLATATTR_MOUSEY), 12);
}

TEST_F(X11Events, AWindowManagerMoveUpdatesTheDisplay) {
  qm::qmDisplay* d = nullptr;
  ASSERT_EQ(qm::display_create(L, qm::ObjectId{1, nullptr}, 0, &d), 0);
  ASSERT_EQ(qm::display_prepare(L, d), 0);
  ASSERT_EQ(qm::display_open(L, d, 1), 0);
  pump_for(300, 0, {});
  input_queue_remove(-1, 1);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(d->win.platform->window, &info));
  const std::string xid = std::to_string(info.info.x11.window);
  const int32_t x0 = d->win.x;
  // A move that the window system makes (as a user's drag would) reaches the program once.
  const std::string cmd = "xdotool windowmove --sync " + xid + " " + std::to_string(x0 + 37) + " 200";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  EXPECT_EQ(pump_for(2000, 1, {INPUT_MOVED}), (std::vector<Entry>{{4, 0, 0, 0}}));
  EXPECT_NE(d->win.x, x0);
}

TEST_F(X11Events, AWindowSystemResizeIsPostedOnceAndLaysTheDisplayOut) {
  qm::qmDisplay* d = nullptr;
  ASSERT_EQ(qm::display_create(L, qm::ObjectId{1, nullptr}, 0, &d), 0);
  d->win.flags |= WINFLAG_SIZEABLE;
  ASSERT_EQ(qm::display_prepare(L, d), 0);
  ASSERT_EQ(qm::display_open(L, d, 1), 0);
  pump_for(300, 0, {});
  input_queue_remove(-1, 1);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(d->win.platform->window, &info));
  const std::string cmd = "xdotool windowsize --sync " + std::to_string(info.info.x11.window) + " 500 300";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  EXPECT_EQ(pump_for(2000, 2, {INPUT_RESIZED}), (std::vector<Entry>{{5, 0, 0, 0}}));
  EXPECT_EQ(d->win.width, 500);
  EXPECT_EQ(d->win.platform->screen.height, 300);
}

}  // namespace
