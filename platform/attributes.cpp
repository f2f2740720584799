// The attribute query and setter, the quit switches, the modifier keys and the clipboard watch.
#include <SDL2/SDL.h>

#include <atomic>

#include "platform/platform.h"

namespace {

QuitSwitches g_quit;
std::atomic<bool> g_own_clipboard_write{false};

constexpr int32_t kStandardPointerSide = 16;

int32_t mouse_coordinate(const qmDisplayWindow* d, bool want_y) {
  if (!d || !d->platform || !d->platform->window) return 0;
  const InputState::Mouse* m = platform_input_state().mouse_in(SDL_GetWindowID(d->platform->window));
  if (!m) return 0;
  int32_t x = m->x, y = m->y;
  // Outside a letterboxed picture the window's own position stands.
  platform_window_map_point(d, m->x, m->y, &x, &y);
  return want_y ? y : x;
}

}  // namespace

int32_t platform_get_attr(void* object, int32_t code) {
  int32_t w = 0, h = 0;
  switch (code) {
    case PLATATTR_DEPTH:
      return 32;
    case PLATATTR_MOUSEX:
    case PLATATTR_MOUSEY:
      return mouse_coordinate(static_cast<const qmDisplayWindow*>(object), code == PLATATTR_MOUSEY);
    case PLATATTR_POINTERWIDTH:
    case PLATATTR_POINTERHEIGHT:
      return kStandardPointerSide;
    case PLATATTR_SCREENWIDTH:
    case PLATATTR_SCREENHEIGHT:
      platform_screen_size(&w, &h);
      return code == PLATATTR_SCREENWIDTH ? w : h;
    case PLATATTR_FRAMERATE:
      return platform_frame_rate();
    case PLATATTR_CONSOLE:
      return 1;
    case PLATATTR_MENUBARHEIGHT:
      return 0;  // no menu bar of our own on this desktop
    case PLATATTR_WORKAREA:
      if (object) platform_get_work_area(static_cast<int32_t*>(object));
      return 0;
    default:
      return 0;
  }
}

void platform_set_attr(void*, int32_t code, int32_t value) {
  switch (code) {
    case PLATATTR_CTRLCQUIT:
      g_quit.ctrl_c = value;
      break;
    case PLATATTR_LEFTMOUSEQUIT:
      g_quit.left_mouse = value;
      break;
    case PLATATTR_ESCAPEQUIT:
      g_quit.escape = value;
      break;
    case PLATATTR_FRAMERATE:
      platform_set_frame_rate_limit(value);
      break;
    default:
      break;
  }
}

const QuitSwitches& platform_quit_switches() { return g_quit; }
void platform_reset_quit_switches() { g_quit = QuitSwitches{}; }

uint32_t platform_get_qualifiers() {
  const uint16_t mod = platform_input_state().modifiers;
  uint32_t q = 0x8000;
  if (mod & KMOD_SHIFT) q |= 0x0001;
  if (mod & KMOD_ALT) q |= 0x0004;
  if (mod & KMOD_GUI) q |= 0x0010;
  if (mod & KMOD_CTRL) q |= 0x0040;
  return q << 16;
}

int32_t platform_clipboard_watch(qmDisplayWindow*) {
  SDL_EventState(SDL_CLIPBOARDUPDATE, SDL_ENABLE);
  return 0;
}

void platform_clipboard_note_own_write() { g_own_clipboard_write.store(true); }
bool platform_clipboard_take_own_write() { return g_own_clipboard_write.exchange(false); }
