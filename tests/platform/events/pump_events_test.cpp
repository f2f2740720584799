// The pump with the real translator and real displays on the offscreen driver: events pushed with
// SDL_PushEvent, one per pump call, the quit decisions of the switches and close requests, and the
// mode switch of command+Return.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <functional>

#include "display/display.h"
#include "display/input_events.h"
#include "events/input_queue.h"
#include "tests/display/display_harness.h"

namespace {

class PumpEvents : public qmtest::DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    ScreenInfo screen;
    ASSERT_TRUE(platform_parse_screen("800x600@60", "640x480,800x600", &screen));
    platform_set_screen_override(&screen);
    d = open_display(1);
    window = SDL_GetWindowID(d->win.platform->window);
    drain();
  }
  void TearDown() override {
    platform_reset_quit_switches();
    platform_set_quit_request(false);
    input_queue_remove(-1, 1);
    DisplayHarness::TearDown();
  }

 public:
  // Serves what opening the window queued.
  void drain() {
    while (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) platform_pump_events(L);
  }
  void push_key(bool down, SDL_Keycode sym, uint16_t mod = 0) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = window;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
    e.key.keysym.mod = mod;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  void push_text(const char* s) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = window;
    SDL_strlcpy(e.text.text, s, sizeof e.text.text);
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  void push_button(bool down, uint8_t button, int32_t x, int32_t y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = window;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  void push_window(uint8_t event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = window;
    e.window.event = event;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  qmInputEvent entry(int32_t n) {
    qmInputEvent e{};
    input_queue_lock();
    input_queue_peek(n, &e, false);
    input_queue_unlock();
    return e;
  }
  qm::qmDisplay* d = nullptr;
  uint32_t window = 0;
};

TEST_F(PumpEvents, OpeningAWindowPostsNoMoveOrResizeOfItsOwn) {
  for (int32_t n = 0; n < input_queue_count(); ++n) {
    EXPECT_NE(entry(n).type, INPUT_MOVED);
    EXPECT_NE(entry(n).type, INPUT_RESIZED);
  }
}

TEST_F(PumpEvents, OneEventPerCallAKeyTakingItsText) {
  input_queue_remove(-1, 1);
  push_key(true, SDLK_b, KMOD_LSHIFT);
  push_text("B");
  push_button(true, SDL_BUTTON_LEFT, 12, 34);
  EXPECT_EQ(platform_pump_events(L), 0);
  ASSERT_EQ(input_queue_count(), 1);
  EXPECT_EQ(entry(0).type, INPUT_KEY);
  EXPECT_EQ(entry(0).c, 'B');
  EXPECT_EQ(entry(0).display, d);
  EXPECT_EQ(platform_pump_events(L), 0);
  ASSERT_EQ(input_queue_count(), 2);
  EXPECT_EQ(entry(1).type, INPUT_LEFTMOUSE);
  EXPECT_EQ(entry(1).a, 12);
  EXPECT_EQ(entry(1).b, 34);
  EXPECT_EQ(platform_get_attr(&d->win, PLATATTR_MOUSEX), 12);
  EXPECT_EQ(platform_get_attr(&d->win, PLATATTR_MOUSEY), 34);
  EXPECT_EQ(platform_pump_events(L), 0);
  EXPECT_EQ(input_queue_count(), 2);
}

TEST_F(PumpEvents, QuitDecisionsOfTheSwitchesAndCloseRequests) {
  struct Case {
    const char* name;
    int32_t attr, value;  // a switch to set first (0: none)
    std::function<void(PumpEvents&)> cause;
    int32_t quit;
  };
  const Case cases[] = {
      {"Ctrl-C", 0, 0, [](PumpEvents& t) { t.push_key(true, SDLK_c, KMOD_LCTRL); }, 1},
      {"Ctrl-C with CtrlCQuit off", PLATATTR_CTRLCQUIT, 0,
       [](PumpEvents& t) { t.push_key(true, SDLK_c, KMOD_LCTRL); }, 0},
      {"Escape", 0, 0, [](PumpEvents& t) { t.push_key(true, SDLK_ESCAPE); }, 0},
      {"Escape with EscapeQuit on", PLATATTR_ESCAPEQUIT, 1, [](PumpEvents& t) { t.push_key(true, SDLK_ESCAPE); }, 1},
      {"left button", 0, 0, [](PumpEvents& t) { t.push_button(true, SDL_BUTTON_LEFT, 1, 1); }, 0},
      {"left button with LeftMouseQuit on", PLATATTR_LEFTMOUSEQUIT, 1,
       [](PumpEvents& t) { t.push_button(true, SDL_BUTTON_LEFT, 1, 1); }, 1},
      {"close without a closewindow handler", 0, 0, [](PumpEvents& t) { t.push_window(SDL_WINDOWEVENT_CLOSE); }, 1},
      {"close with a closewindow handler", 0, 0,
       [](PumpEvents& t) {
         t.d->close_handled = 1;
         t.push_window(SDL_WINDOWEVENT_CLOSE);
       },
       0},
      {"the quit event with a closewindow handler", 0, 0,
       [](PumpEvents& t) {
         t.d->close_handled = 1;
         SDL_Event e{};
         e.type = SDL_QUIT;
         SDL_PushEvent(&e);
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.attr) platform_set_attr(nullptr, c.attr, c.value);
    c.cause(*this);
    EXPECT_EQ(platform_pump_events(L), c.quit);
    platform_reset_quit_switches();
    platform_set_quit_request(false);
    d->close_handled = 0;
    d->mouse_buttons[0] = 0;
    drain();
  }
}

TEST_F(PumpEvents, CommandReturnSwitchesToFullScreenAndBack) {
  push_key(true, SDLK_RETURN, KMOD_LGUI);
  push_key(false, SDLK_RETURN, KMOD_LGUI);
  platform_pump_events(L);
  platform_pump_events(L);
  EXPECT_EQ(qm::display_system().fullscreen, 1);
  int32_t w = 0, h = 0;
  platform_screen_size(&w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(platform_get_attr(nullptr, PLATATTR_SCREENHEIGHT), 480);
  // The mode change opened the display's window again, over the whole desktop with the picture
  // scaled into it: clicks come back in the display's coordinates.
  window = SDL_GetWindowID(d->win.platform->window);
  drain();
  platform_present_pending();
  const qmDisplayPlatform* p = d->win.platform;
  ASSERT_EQ(p->fullscreen, 1);
  input_queue_remove(-1, 1);
  push_button(true, SDL_BUTTON_RIGHT, p->surface_w / 2, p->surface_h / 2);
  push_button(true, SDL_BUTTON_MIDDLE, p->surface_w - 1, p->surface_h - 1);
  drain();
  ASSERT_EQ(input_queue_count(), 2);
  EXPECT_EQ(entry(0).a, 320);
  EXPECT_EQ(entry(0).b, 240);
  EXPECT_EQ(entry(1).a, 639);
  EXPECT_EQ(entry(1).b, 479);
  // The same display is primary beside the backfill display made for full screen.
  push_key(true, SDLK_RETURN, KMOD_RGUI);
  push_key(false, SDLK_RETURN, KMOD_RGUI);
  platform_pump_events(L);
  platform_pump_events(L);
  EXPECT_EQ(qm::display_system().fullscreen, 0);
}

TEST_F(PumpEvents, AUserResizeIsPostedAndLaysTheDisplayOut) {
  input_queue_remove(-1, 1);
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = window;
  e.window.event = SDL_WINDOWEVENT_RESIZED;
  e.window.data1 = 700;
  e.window.data2 = 500;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
  EXPECT_EQ(platform_pump_events(L), 0);
  ASSERT_EQ(input_queue_count(), 1);
  EXPECT_EQ(entry(0).type, INPUT_RESIZED);
  EXPECT_EQ(d->win.width, 700);
  EXPECT_EQ(d->win.platform->screen.width, 700);
  EXPECT_EQ(d->bgpic->width, 700);
  EXPECT_EQ(d->win.platform->relayout_request, 0);
}

}  // namespace
