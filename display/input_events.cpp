// SDL events into input-queue entries and display flags, and the pump's finishing step.
#include "display/input_events.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "display/display.h"
#include "events/input_queue.h"
#include "platform/platform.h"

namespace qm {

namespace {

constexpr int32_t kKeyStateSize = int32_t(sizeof(qmDisplay::keys));
constexpr int32_t kNotPosted = -1;
constexpr int32_t KEY_ESCAPE = 275;
constexpr int32_t KEY_RETURN = 274;

struct HeldKey {
  SDL_Scancode scancode;
  int32_t code;
};

struct Drop {
  uint32_t window;
  std::vector<std::string> names;  // Latin-1
};

std::vector<HeldKey> g_held;        // what each key's down posted, for its up
std::vector<Drop> g_drops;          // drops in progress
std::vector<uint32_t> g_wm_clicks;  // windows whose left click went to the window system
DisplayLookup g_lookup = nullptr;

qmDisplay* default_lookup(uint32_t window_id) {
  qmDisplayWindow* w = platform_display_for_window_id(window_id);
  return w ? display_of(w) : nullptr;
}

qmDisplay* display_for(uint32_t window_id) {
  return window_id ? (g_lookup ? g_lookup : default_lookup)(window_id) : nullptr;
}

void post(qmDisplay* d, int32_t type, int32_t a = 0, int32_t b = 0, int32_t c = 0) {
  input_queue_post(d, type, a, b, c, nullptr);
}

template <class Each>
void for_each_display(Each each) {
  for (ObjectHeader* h = display_system().list; h; h = h->next) each(display_of(h));
}

// ---- keys ---------------------------------------------------------------------------------------

// The code of a key that has no character of its own; 0 for a key whose character decides, and
// kNotPosted for a key that is never posted.
int32_t special_key_code(SDL_Keycode sym) {
  switch (sym) {
    case SDLK_BACKSPACE: return 271;
    case SDLK_TAB: return 272;
    case SDLK_KP_ENTER: return 273;
    case SDLK_RETURN: return KEY_RETURN;
    case SDLK_ESCAPE: return KEY_ESCAPE;
    case SDLK_SPACE: return 276;
    case SDLK_DELETE: return 277;
    case SDLK_UP: return 256;
    case SDLK_DOWN: return 257;
    case SDLK_RIGHT: return 258;
    case SDLK_LEFT: return 259;
    case SDLK_HELP: return 260;
    case SDLK_INSERT: return 280;
    case SDLK_HOME: return 281;
    case SDLK_END: return 282;
    case SDLK_PAGEUP: return 283;
    case SDLK_PAGEDOWN: return 284;
    case SDLK_PRINTSCREEN: return 285;
    case SDLK_PAUSE: return 286;
    case SDLK_F11: return 278;
    case SDLK_F12: return 279;
    default: break;
  }
  if (sym >= SDLK_F1 && sym <= SDLK_F10) return 261 + (sym - SDLK_F1);
  if (sym >= SDLK_F13 && sym <= SDLK_F16) return 287 + (sym - SDLK_F13);
  // Keys without a character of their own (F17 and up, modifiers, media keys) carry the scancode
  // bit, and so do the keypad's keys, whose text says what they typed.
  if (sym & SDLK_SCANCODE_MASK) return 0;
  if (sym < 32 || (sym >= 127 && sym < 160) || sym > 255) return kNotPosted;
  return 0;
}

// The code of a typed Latin-1 character.
int32_t char_key_code(int32_t ch) {
  switch (ch) {
    case 8: return 271;
    case 9: return 272;
    case 13: return KEY_RETURN;
    case 27: return KEY_ESCAPE;
    case 32: return 276;
    case 127: return 277;
    default: return ch;
  }
}

// The code a key-down posts: from the keycode for special keys, else from the text behind it.
int32_t key_down_code(const SDL_Keysym& key, const SDL_Event* next, bool* took_next) {
  const bool text_behind = next && next->type == SDL_TEXTINPUT;
  int32_t code = special_key_code(key.sym);
  if (code != 0) {
    // Space types a blank too, which the key code already says.
    if (code > 0 && text_behind) *took_next = true;
    return code;
  }
  if (text_behind) {
    *took_next = true;
    const int32_t ch = platform_utf8_key_char(next->text.text);
    return ch < 0 ? kNotPosted : char_key_code(ch);
  }
  if (key.sym & SDLK_SCANCODE_MASK) return kNotPosted;
  return char_key_code(key.sym);
}

void set_key_state(qmDisplay* d, int32_t code, bool down) {
  if (code >= 0 && code < kKeyStateSize) d->keys[code] = down ? 1 : 0;
}

void remember_key(SDL_Scancode scancode, int32_t code) {
  for (HeldKey& k : g_held) {
    if (k.scancode == scancode) {
      k.code = code;
      return;
    }
  }
  g_held.push_back(HeldKey{scancode, code});
}

// The code that the key's down posted (forgotten now); kNotPosted when it posted none.
int32_t take_held_code(SDL_Scancode scancode) {
  for (auto it = g_held.begin(); it != g_held.end(); ++it) {
    if (it->scancode == scancode) {
      int32_t code = it->code;
      g_held.erase(it);
      return code;
    }
  }
  return kNotPosted;
}

void key_event(qmDisplay* d, const SDL_KeyboardEvent& key, const SDL_Event* next, bool* took_next) {
  const bool down = key.type == SDL_KEYDOWN;
  const bool control = (key.keysym.mod & KMOD_CTRL) != 0;
  if (control && key.keysym.sym == SDLK_c) d->win.platform->ctrl_c = 1;
  int32_t code = kNotPosted;
  if (down) {
    if (control) {
      // Nothing is posted with Control held; its text (if any) goes with it.
      if (next && next->type == SDL_TEXTINPUT) *took_next = true;
      return;
    }
    code = key_down_code(key.keysym, next, took_next);
    if (code == kNotPosted) return;
    remember_key(key.keysym.scancode, code);
  } else {
    // The up of a key whose down was posted is posted even with Control held now, so no key
    // stays down in the key-state block.
    code = take_held_code(key.keysym.scancode);
    if (code == kNotPosted) return;
    if ((key.keysym.mod & KMOD_GUI) && code == KEY_RETURN && display_is_primary(d) &&
        !(d->win.flags & WINFLAG_NOMODESWITCH) && !d->win.requester_running) {
      d->win.platform->pending_switch = display_system().fullscreen ? 0 : 1;
      post(d, INPUT_MODESWITCH);
    }
  }
  set_key_state(d, code, down);
  post(d, INPUT_KEY, down ? 1 : 0, 0, code);
  if (code == KEY_ESCAPE) d->win.platform->escape = 1;
}

void release_keys(qmDisplay* d) {
  std::memset(d->keys, 0, sizeof d->keys);
  g_held.clear();
}

// ---- mouse --------------------------------------------------------------------------------------

bool take_wm_click(uint32_t window) {
  auto it = std::find(g_wm_clicks.begin(), g_wm_clicks.end(), window);
  if (it == g_wm_clicks.end()) return false;
  g_wm_clicks.erase(it);
  return true;
}

void button_event(qmDisplay* d, const SDL_MouseButtonEvent& b) {
  const bool down = b.type == SDL_MOUSEBUTTONDOWN;
  if (d->backfill) return;
  int32_t type = 0, slot = 0;
  switch (b.button) {
    case SDL_BUTTON_LEFT: type = INPUT_LEFTMOUSE, slot = 0; break;
    case SDL_BUTTON_RIGHT: type = INPUT_RIGHTMOUSE, slot = 1; break;
    case SDL_BUTTON_MIDDLE: type = INPUT_MIDMOUSE, slot = 2; break;
    default: return;
  }
  if (type == INPUT_LEFTMOUSE) {
    // A click in a drag or size region of a borderless window moves or sizes it in the window
    // system; neither its down nor its up reaches the program.
    if (down && platform_window_hit(&d->win, b.x, b.y) != WINHIT_NONE) {
      g_wm_clicks.push_back(b.windowID);
      return;
    }
    if (!down && take_wm_click(b.windowID)) return;
  }
  int32_t x = b.x, y = b.y;
  // A press on the bars around a letterboxed picture is not the program's; a release is always
  // reported, so that no button stays down.
  if (!platform_window_map_point(&d->win, b.x, b.y, &x, &y) && down) return;
  d->mouse_buttons[slot] = down ? 1 : 0;
  post(d, type, x, y, down ? 1 : 0);
}

void wheel_event(qmDisplay* d, const SDL_MouseWheelEvent& w) {
  const int32_t y = w.direction == SDL_MOUSEWHEEL_FLIPPED ? -w.y : w.y;
  if (y > 0) post(d, INPUT_WHEELUP);
  if (y < 0) post(d, INPUT_WHEELDOWN);
}

// ---- windows ------------------------------------------------------------------------------------

// The program display that takes the focus from the backfill: the current one when it is open,
// else the last open one.
qmDisplay* front_display() {
  qmDisplay* current = display_current();
  if (current && !current->backfill && current->win.state == DISPSTATE_OPEN) return current;
  qmDisplay* last = nullptr;
  for (ObjectHeader* h = display_system().list; h; h = h->next) {
    qmDisplay* d = display_of(h);
    if (!d->backfill && d->win.state == DISPSTATE_OPEN) last = d;
  }
  return last;
}

void window_event(qmDisplay* d, const SDL_WindowEvent& w) {
  qmDisplayPlatform* p = d->win.platform;
  switch (w.event) {
    case SDL_WINDOWEVENT_CLOSE:
      if (!platform_window_accepts_close(&d->win)) break;
      post(d, INPUT_CLOSE);
      p->close_request = 1;
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      // The backfill stays behind the program's displays: a click on it would otherwise lift a
      // full-screen window over them.
      if (d->backfill) {
        if (qmDisplay* front = front_display()) platform_window_activate(&front->win);
        break;
      }
      post(d, INPUT_ACTIVATED);
      d->active = 1;
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      post(d, INPUT_DEACTIVATED);
      d->active = 0;
      release_keys(d);
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      post(d, INPUT_HIDDEN);
      d->win.state = DISPSTATE_MINIMIZED;
      break;
    case SDL_WINDOWEVENT_RESTORED:
      if (d->win.state != DISPSTATE_MINIMIZED) break;  // un-maximising is no expand
      post(d, INPUT_SHOWN);
      d->win.state = DISPSTATE_OPEN;
      break;
    case SDL_WINDOWEVENT_MOVED: {
      // A full-screen window does not move; a move to where the display already is echoes the
      // program's own move.
      if (p->fullscreen || p->scaled) break;
      const int32_t x = w.data1 - d->win.frame_left, y = w.data2 - d->win.frame_top;
      if (x == d->win.x && y == d->win.y) break;
      d->win.x = x;
      d->win.y = y;
      post(d, INPUT_MOVED);
      break;
    }
    case SDL_WINDOWEVENT_RESIZED:
      if (p->fullscreen || p->scaled || (w.data1 == d->win.width && w.data2 == d->win.height)) break;
      d->win.width = w.data1;
      d->win.height = w.data2;
      post(d, INPUT_RESIZED);
      p->relayout_request = 1;
      break;
    default:
      break;
  }
}

// ---- drops --------------------------------------------------------------------------------------

Drop& drop_of(uint32_t window) {
  for (Drop& d : g_drops) {
    if (d.window == window) return d;
  }
  return g_drops.emplace_back(Drop{window, {}});
}

// The names one after another, each NUL-terminated, then an empty name; nullptr without memory.
char* drop_block(const std::vector<std::string>& names) {
  size_t size = 1;
  for (const std::string& n : names) size += n.size() + 1;
  char* block = static_cast<char*>(std::malloc(size));
  if (!block) return nullptr;
  char* at = block;
  for (const std::string& n : names) {
    std::memcpy(at, n.c_str(), n.size() + 1);
    at += n.size() + 1;
  }
  *at = 0;
  return block;
}

void drop_complete(uint32_t window) {
  auto it = std::find_if(g_drops.begin(), g_drops.end(), [window](const Drop& d) { return d.window == window; });
  if (it == g_drops.end()) return;
  std::vector<std::string> names = std::move(it->names);
  g_drops.erase(it);
  qmDisplay* d = display_for(window);
  // A window that is no drop target refuses the drag.
  if (!d || names.empty() || !d->win.platform || !d->win.platform->drop_target) return;
  int32_t x = 0, y = 0;
  if (const InputState::Mouse* m = platform_input_state().mouse_in(window)) {
    x = m->x;
    y = m->y;
    platform_window_map_point(&d->win, m->x, m->y, &x, &y);
  }
  char* block = drop_block(names);
  if (!block) return;
  // A full queue leaves the block with us.
  if (!input_queue_post(d, INPUT_DROP, x, y, 0, block)) std::free(block);
}

void drop_event(const SDL_DropEvent& e) {
  switch (e.type) {
    case SDL_DROPBEGIN:
      drop_of(e.windowID).names.clear();
      break;
    case SDL_DROPFILE:
      if (e.file) drop_of(e.windowID).names.push_back(platform_utf8_to_latin1(e.file));
      break;
    case SDL_DROPCOMPLETE:
      drop_complete(e.windowID);
      break;
    default:
      break;
  }
  SDL_free(e.file);
}

// ---- the pump's side ----------------------------------------------------------------------------

int32_t pump_translate(qmState*, const SDL_Event& event) {
  SDL_Event next;
  const bool has_next = event.type == SDL_KEYDOWN &&
                        SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1;
  bool took_next = false;
  const int32_t quit = input_translate(event, has_next ? &next : nullptr, &took_next);
  if (took_next) SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
  return quit;
}

}  // namespace

int32_t input_translate(const SDL_Event& event, const SDL_Event* next, bool* took_next) {
  *took_next = false;
  switch (event.type) {
    case SDL_QUIT:
      // The window system's quit and SIGINT/SIGTERM close every display.
      for_each_display([](qmDisplay* d) {
        post(d, INPUT_CLOSE);
        if (d->win.platform) d->win.platform->close_request = 1;
      });
      return 0;
    case SDL_CLIPBOARDUPDATE:
      if (platform_clipboard_take_own_write()) return 0;
      for_each_display([](qmDisplay* d) {
        if (d->callbacks[SLOT_CLIPBOARDCHANGE][0] != -1) post(d, INPUT_CLIPBOARD);
      });
      return 0;
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPCOMPLETE:
      drop_event(event.drop);
      return 0;
    default:
      break;
  }
  uint32_t window = 0;
  switch (event.type) {
    case SDL_WINDOWEVENT: window = event.window.windowID; break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: window = event.key.windowID; break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: window = event.button.windowID; break;
    case SDL_MOUSEWHEEL: window = event.wheel.windowID; break;
    case SDL_MOUSEMOTION: window = event.motion.windowID; break;
    default: return 0;
  }
  qmDisplay* d = display_for(window);
  if (!d || !d->win.platform) {
    // The text of a key that no display takes is dropped with it.
    if (event.type == SDL_KEYDOWN && next && next->type == SDL_TEXTINPUT) *took_next = true;
    return 0;
  }
  switch (event.type) {
    case SDL_WINDOWEVENT: window_event(d, event.window); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: key_event(d, event.key, next, took_next); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: button_event(d, event.button); break;
    case SDL_MOUSEWHEEL: wheel_event(d, event.wheel); break;
    case SDL_MOUSEMOTION:
      d->mouse_moved = 1;
      d->mouse_moved_us = platform_clock().now_us();
      break;
    default: break;
  }
  return 0;
}

int32_t input_pump_finish(qmState* L) {
  if (!L) L = platform_main_state();
  const QuitSwitches& quit_on = platform_quit_switches();
  int32_t quit = 0;
  qmDisplay* switching = nullptr;
  for (ObjectHeader* h = display_system().list; h; h = h->next) {
    qmDisplay* d = display_of(h);
    qmDisplayPlatform* p = d->win.platform;
    if (!p) continue;
    if ((d->mouse_buttons[0] && quit_on.left_mouse) || (p->escape && quit_on.escape) || (p->ctrl_c && quit_on.ctrl_c))
      quit = 1;
    if (p->pending_switch != -1 && !switching) switching = d;
    if (p->relayout_request && L) {
      // The window already has the user's size; its screen buffer follows before the picture is
      // laid out again (the size-change step resizes the window only when the size differs).
      platform_window_resize(&d->win);
      display_size_change(L, d, KEEPPOSITION, KEEPPOSITION, d->win.width, d->win.height, false,
                          d->smooth_scale != 0, false);
    }
    if (p->close_request && !d->close_handled) quit = 1;
    p->close_request = p->relayout_request = p->ctrl_c = p->escape = 0;
  }
  // The mode change closes and reopens displays (and replaces the backfill display), so it runs
  // once the list has been walked.
  if (switching) {
    const int32_t fullscreen = switching->win.platform->pending_switch;
    const int32_t width = switching->win.width, height = switching->win.height;
    switching->win.platform->pending_switch = -1;
    if (L) {
      if (fullscreen) {
        script_call_command(L, "ChangeDisplayMode", 0,
                            {CallArg::integer(DISPMODE_FULLSCREEN_CMD), CallArg::integer(width),
                             CallArg::integer(height)});
      } else {
        script_call_command(L, "ChangeDisplayMode", 0, {CallArg::integer(DISPMODE_WINDOWED_CMD)});
      }
    }
  }
  return quit;
}

void input_set_display_lookup(DisplayLookup lookup) { g_lookup = lookup; }

void input_events_install() {
  platform_set_event_translator(pump_translate);
  platform_add_pump_finisher(input_pump_finish);
}

void input_forget_held_keys() {
  g_held.clear();
}

void input_events_reset() {
  g_held.clear();
  g_drops.clear();
  g_wm_clicks.clear();
}

}  // namespace qm
