// Real X11 input under Xvfb (label x11): xdotool types and clicks into a plain SDL window, and the
// pump hands over what offscreen cannot show: the real order of key and text events and the click
// coordinates inside the window.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/platform.h"

// After gtest: Xlib's macros (None, Bool) clash with its names.
#include <SDL2/SDL_syswm.h>

namespace {

std::vector<SDL_Event> g_seen;

int32_t record_event(qmState*, const SDL_Event& ev) {
  g_seen.push_back(ev);
  return 0;
}

// Pumps for up to ms milliseconds until done() holds.
template <class Done>
void pump_until(int ms, Done done) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done() && std::chrono::steady_clock::now() < end) {
    SDL_Delay(5);
    while (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) platform_pump_events(nullptr);
    platform_pump_events(nullptr);
  }
}

std::string describe(const SDL_Event& ev) {
  switch (ev.type) {
    case SDL_KEYDOWN: return std::string("down ") + SDL_GetKeyName(ev.key.keysym.sym);
    case SDL_KEYUP: return std::string("up ") + SDL_GetKeyName(ev.key.keysym.sym);
    case SDL_TEXTINPUT: return std::string("text ") + ev.text.text;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return std::string(ev.type == SDL_MOUSEBUTTONDOWN ? "press " : "release ") + std::to_string(ev.button.button) +
             " " + std::to_string(ev.button.x) + "," + std::to_string(ev.button.y);
    default: return "";
  }
}

TEST(PlatformX11, KeyTextAndClickOrderFromARealServer) {
  ASSERT_EQ(platform_init(), 0);
  ASSERT_EQ(platform_video_start(), 0) << platform_last_error();
  ASSERT_STREQ(SDL_GetCurrentVideoDriver(), "x11");
  platform_set_event_translator(record_event);
  SDL_Window* w = SDL_CreateWindow("qm", 50, 60, 200, 150, SDL_WINDOW_SHOWN);
  ASSERT_NE(w, nullptr) << SDL_GetError();
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  ASSERT_TRUE(SDL_GetWindowWMInfo(w, &info));
  std::string xid = std::to_string(info.info.x11.window);
  // Let the window be mapped and exposed.
  pump_until(300, [] { return false; });

  std::string cmd = "xdotool windowfocus --sync " + xid + " key shift+a Escape mousemove --window " + xid +
                    " 10 12 click 1";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  std::vector<std::string> got;
  pump_until(3000, [&] {
    got.clear();
    for (const SDL_Event& ev : g_seen) {
      if (std::string d = describe(ev); !d.empty()) got.push_back(d);
    }
    return got.size() >= 9;
  });
  // The text follows its key-down at once; xdotool lets Shift go before the letter, which a
  // translator must survive (the key-up names the key, not the character).
  const std::vector<std::string> want = {"down Left Shift", "down A", "text A", "up Left Shift", "up A",
                                         "down Escape", "up Escape", "press 1 10,12", "release 1 10,12"};
  EXPECT_EQ(got, want);
  EXPECT_EQ(platform_input_state().focus_window, SDL_GetWindowID(w));
  EXPECT_EQ(platform_input_state().mouse_in(SDL_GetWindowID(w))->y, 12);

  SDL_DestroyWindow(w);
  platform_set_event_translator(nullptr);
  platform_exit();
}

}  // namespace
