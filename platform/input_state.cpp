// The layer's own input state, updated only from the events it takes, so that events pushed by
// tests and real X11 input leave the same state behind.
#include <SDL2/SDL.h>

#include <algorithm>

#include "platform/platform.h"

namespace {

InputState g_state;

InputState::Mouse& mouse_of(uint32_t window) {
  for (InputState::Mouse& m : g_state.mouse) {
    if (m.window == window) return m;
  }
  return g_state.mouse.emplace_back(InputState::Mouse{window, 0, 0});
}

void move_to(uint32_t window, int32_t x, int32_t y) {
  InputState::Mouse& m = mouse_of(window);
  m.x = x;
  m.y = y;
  g_state.mouse_window = window;
}

void release_keys() {
  g_state.keys.clear();
  g_state.modifiers = 0;
}

constexpr uint16_t kModifierBits = KMOD_SHIFT | KMOD_CTRL | KMOD_ALT | KMOD_GUI;

}  // namespace

const InputState::Mouse* InputState::mouse_in(uint32_t window) const {
  for (const Mouse& m : mouse) {
    if (m.window == window) return &m;
  }
  return nullptr;
}

bool InputState::key_down(int32_t keycode) const { return std::find(keys.begin(), keys.end(), keycode) != keys.end(); }

const InputState& platform_input_state() { return g_state; }

void platform_input_track(const SDL_Event& ev) {
  switch (ev.type) {
    case SDL_WINDOWEVENT:
      switch (ev.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          g_state.focus_window = ev.window.windowID;
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          // Keys released while another window has the focus are never reported to this one.
          if (g_state.focus_window == ev.window.windowID) g_state.focus_window = 0;
          release_keys();
          break;
        case SDL_WINDOWEVENT_ENTER:
          g_state.mouse_window = ev.window.windowID;
          break;
        case SDL_WINDOWEVENT_LEAVE:
          if (g_state.mouse_window == ev.window.windowID) g_state.mouse_window = 0;
          break;
        default:
          break;
      }
      break;
    case SDL_MOUSEMOTION:
      move_to(ev.motion.windowID, ev.motion.x, ev.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      move_to(ev.button.windowID, ev.button.x, ev.button.y);
      if (ev.button.button >= 1 && ev.button.button <= 32) {
        uint32_t mask = SDL_BUTTON(ev.button.button);
        g_state.buttons = ev.type == SDL_MOUSEBUTTONDOWN ? g_state.buttons | mask : g_state.buttons & ~mask;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      int32_t sym = ev.key.keysym.sym;
      auto it = std::find(g_state.keys.begin(), g_state.keys.end(), sym);
      if (ev.type == SDL_KEYDOWN && it == g_state.keys.end()) g_state.keys.push_back(sym);
      if (ev.type == SDL_KEYUP && it != g_state.keys.end()) g_state.keys.erase(it);
      g_state.modifiers = ev.key.keysym.mod & kModifierBits;
      if (ev.key.windowID) g_state.focus_window = ev.key.windowID;
      break;
    }
    default:
      break;
  }
}

void platform_input_forget_window(uint32_t window) {
  std::erase_if(g_state.mouse, [window](const InputState::Mouse& m) { return m.window == window; });
  if (g_state.focus_window == window) {
    g_state.focus_window = 0;
    release_keys();
  }
  if (g_state.mouse_window == window) g_state.mouse_window = 0;
}

void platform_input_reset() { g_state = InputState{}; }

void platform_input_release_held() {
  release_keys();
  g_state.buttons = 0;
}
