// Windows and full-screen displays over SDL2: opening, closing, placing and titling windows,
// the virtual screen modes, the system UI mode and the work area.
#include <SDL2/SDL.h>
#include <SDL2/SDL_shape.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/errcodes.h"
#include "gfx/blitpixels.h"
#include "platform/platform_internal.h"
#include "platform/window_internal.h"

using namespace qm;

WindowSystem& window_system() {
  static WindowSystem ws;
  return ws;
}

namespace {

constexpr int32_t kMinWindowSide = 16;
constexpr int64_t kMaxScaledSide = 16384;
constexpr Uint32 kFrameWaitMs = 1000;
constexpr const char* kDisplayKey = "qmDisplay";

// A content position for SDL from a frame position: far-off values are clamped, so that no sum
// overflows and none reads as one of SDL's special positions (undefined, centred).
int sdl_coord(int32_t frame_position, int32_t frame_width) {
  constexpr int64_t kFar = 1 << 24;
  return int(std::clamp<int64_t>(int64_t(frame_position) + frame_width, -kFar, kFar));
}

void screen_size_now(int32_t* w, int32_t* h) {
  WindowSystem& ws = window_system();
  if (ws.mode) {
    *w = ws.mode->first;
    *h = ws.mode->second;
    return;
  }
  ScreenInfo s;
  if (platform_screen_info(&s) != 0) s = ScreenInfo{};
  *w = s.width;
  *h = s.height;
}

// The listed mode that serves a request best: the request itself, else the smallest mode that
// holds it, else the largest mode. Many screens list neither 640x480 nor 800x600.
const ScreenMode* best_mode(const std::vector<ScreenMode>& modes, int32_t width, int32_t height) {
  const ScreenMode* holding = nullptr;
  const ScreenMode* largest = nullptr;
  auto area = [](const ScreenMode* m) { return int64_t(m->width) * m->height; };
  for (const ScreenMode& m : modes) {
    if (m.width == width && m.height == height) return &m;
    if (m.width >= width && m.height >= height && (!holding || area(&m) < area(holding)))
      holding = &m;
    if (!largest || area(&m) > area(largest)) largest = &m;
  }
  return holding ? holding : largest;
}

// Where the switched screen shows on the desktop: the mode scaled to fit, centred. False when no
// mode is switched or the desktop's size is unknown.
bool switched_box(qmLetterbox* box) {
  const WindowSystem& ws = window_system();
  if (!ws.mode || ws.mode->first <= 0 || ws.mode->second <= 0) return false;
  SDL_DisplayMode desktop;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetDesktopDisplayMode(0, &desktop) != 0 ||
      desktop.w <= 0 || desktop.h <= 0)
    return false;
  *box = letterbox_fit(ws.mode->first, ws.mode->second, desktop.w, desktop.h);
  return true;
}

// A window's content rectangle on the desktop. While a mode is switched, positions and sizes in
// the switched screen are scaled into its letterbox, as a real mode switch would show them; the
// result says whether the window is scaled.
bool desktop_rect(const qmDisplayWindow* d, int* x, int* y, int* w, int* h) {
  *x = sdl_coord(d->x, d->frame_left);
  *y = sdl_coord(d->y, d->frame_top);
  *w = std::max(d->width, kMinWindowSide);
  *h = std::max(d->height, kMinWindowSide);
  qmLetterbox box;
  if (!switched_box(&box)) return false;
  const WindowSystem& ws = window_system();
  const int64_t mw = ws.mode->first, mh = ws.mode->second;
  if (box.w == mw && box.h == mh && box.x == 0 && box.y == 0) return false;
  const int64_t sw = std::max<int64_t>(int64_t(d->width) * box.w / mw, 1);
  const int64_t sh = std::max<int64_t>(int64_t(d->height) * box.h / mh, 1);
  // A display far larger than a tiny mode would need a window no screen holds: it stays unscaled.
  if (sw > kMaxScaledSide || sh > kMaxScaledSide) return false;
  constexpr int64_t kFar = 1 << 24;  // as sdl_coord: no sum overflows, no special position
  *x = int(std::clamp<int64_t>(box.x + int64_t(*x) * box.w / mw, -kFar, kFar));
  *y = int(std::clamp<int64_t>(box.y + int64_t(*y) * box.h / mh, -kFar, kFar));
  *w = int(sw);
  *h = int(sh);
  return true;
}

// A borderless window that covers the whole switched screen is a full-screen window.
bool covers_switched_screen(const qmDisplayWindow* d) {
  const WindowSystem& ws = window_system();
  if (!ws.mode || !(d->flags & WINFLAG_BORDERLESS)) return false;
  return d->x <= 0 && d->y <= 0 && int64_t(d->x) + d->width >= ws.mode->first &&
         int64_t(d->y) + d->height >= ws.mode->second;
}

void raise_in_list(qmDisplayWindow* d) {
  auto& open = window_system().open;
  auto it = std::find(open.begin(), open.end(), d);
  if (it == open.end()) return;
  open.erase(it);
  open.push_back(d);
}

// The shape plane and backing bitmap of a shaped window, from a mask or an alpha plane.
int32_t make_shape(qmDisplayWindow* d, const qmMask* mask, const qmAlphaChannel* alpha) {
  qmDisplayPlatform* p = d->platform;
  p->shape = qmos_alloc_alpha(d->width, d->height, 1);
  p->backing = qmos_alloc_bitmap(d->width, d->height);
  if (!p->shape || !p->backing) return ERR_MEM;
  std::memset(p->backing->pixels, 0, size_t(p->backing->bytes_per_row) * p->backing->height);
  if (mask) {
    int32_t w = std::min(d->width, mask->width > 0 ? mask->width : d->width);
    int32_t h = std::min(d->height, mask->height > 0 ? mask->height : d->height);
    mask_expand_to_alpha(mask, 0, 0, p->shape, 0, 0, w, h, 255);
  } else {
    int32_t w = std::min(d->width, alpha->width), h = std::min(d->height, alpha->height);
    for (int32_t y = 0; y < h; ++y)
      std::memcpy(p->shape->data + size_t(y) * p->shape->bytes_per_row,
                  alpha->data + size_t(y) * alpha->bytes_per_row, size_t(w));
  }
  p->shaped = 1;
  return 0;
}

void free_shape(qmDisplayPlatform* p) {
  qmos_free_bitmap(p->backing);
  qmos_free_alpha(p->shape);
  p->backing = nullptr;
  p->shape = nullptr;
  p->shaped = 0;
}

// Gives the window system the shape: every pixel whose shape byte is not 0 belongs to the window.
void apply_sdl_shape(qmDisplayWindow* d) {
  qmDisplayPlatform* p = d->platform;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, d->width, d->height, 32,
                                                  SDL_PIXELFORMAT_ARGB8888);
  if (!s) return;
  for (int32_t y = 0; y < d->height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
    const uint8_t* in = p->shape->data + size_t(y) * p->shape->bytes_per_row;
    for (int32_t x = 0; x < d->width; ++x) row[x] = uint32_t(in[x]) << 24;
  }
  SDL_WindowShapeMode mode;
  mode.mode = ShapeModeBinarizeAlpha;
  mode.parameters.binarizationCutoff = 1;
  SDL_SetWindowShape(p->window, s, &mode);
  SDL_FreeSurface(s);
}

void show_window(SDL_Window* w, bool activate) {
  if (activate) {
    SDL_ShowWindow(w);
    SDL_RaiseWindow(w);
    return;
  }
  std::string before = SDL_GetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN)
                           ? SDL_GetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN)
                           : "";
  SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, "1");
  SDL_ShowWindow(w);
  SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, before.empty() ? nullptr : before.c_str());
}

// Once the window manager has framed a window, its frame widths are known: remember them for
// later windows, store them in the display, and move the window so that its frame (not its
// content) sits at the display's position. Window managers place a new window's frame where the
// content was asked for, and SDL places the content once it knows the frame. The frame is
// announced soon after the window is mapped: with wait, wait for it a little (only until one
// window went without: then there is no window manager, or one that draws no frames), and never
// where the video driver has no frames at all (it answers -1). Late announcements arrive as
// window events.
void settle_frame(qmDisplayWindow* d, bool wait) {
  qmDisplayPlatform* p = d->platform;
  if ((d->flags & WINFLAG_BORDERLESS) || p->fullscreen || p->scaled || p->frame_settled) return;
  WindowSystem& ws = window_system();
  int top = 0, left = 0, bottom = 0, right = 0;
  const Uint32 give_up = SDL_GetTicks() + (wait && !ws.frames_absent ? kFrameWaitMs : 0);
  for (;;) {
    if (SDL_GetWindowBordersSize(p->window, &top, &left, &bottom, &right) != 0) return;
    if (top != 0 || left != 0 || bottom != 0 || right != 0) break;
    if (SDL_TICKS_PASSED(SDL_GetTicks(), give_up)) {
      if (wait) ws.frames_absent = true;
      return;
    }
    SDL_PumpEvents();
    SDL_Delay(5);
  }
  p->frame_settled = 1;
  ws.frames_absent = false;
  ws.frame_known = true;
  ws.frame[0] = left;
  ws.frame[1] = top;
  ws.frame[2] = right;
  ws.frame[3] = bottom;
  platform_window_frame_size(d);
  int cx = 0, cy = 0;
  SDL_GetWindowPosition(p->window, &cx, &cy);
  if (cx - left != d->x || cy - top != d->y)
    SDL_SetWindowPosition(p->window, sdl_coord(d->x, left), sdl_coord(d->y, top));
}

WindowRegionTest g_region_test = nullptr;

SDL_HitTestResult hit_test(SDL_Window*, const SDL_Point* point, void* data) {
  switch (platform_window_hit(static_cast<const qmDisplayWindow*>(data), point->x, point->y)) {
    case WINHIT_DRAG:
      return SDL_HITTEST_DRAGGABLE;
    case WINHIT_SIZE:
      return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
    default:
      return SDL_HITTEST_NORMAL;
  }
}

void place_window(qmDisplayWindow* d) {
  qmDisplayPlatform* p = d->platform;
  bool full = covers_switched_screen(d);
  if (full != bool(p->fullscreen)) {
    window_detach(d);
    SDL_SetWindowFullscreen(p->window, full ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    p->fullscreen = full;
  }
  if (full) return;
  int x = 0, y = 0, w = 0, h = 0;
  p->scaled = desktop_rect(d, &x, &y, &w, &h);
  if (p->scaled) SDL_SetWindowSize(p->window, w, h);
  SDL_SetWindowPosition(p->window, x, y);
}

}  // namespace

// ---- records ------------------------------------------------------------------------------------

int32_t platform_display_alloc(qmState* owner, qmDisplayWindow* display) {
  auto* p = new (std::nothrow) qmDisplayPlatform;
  if (!p) return ERR_MEM;
  p->owner = owner;
  p->current_cursor = platform_cursor_arrow();
  display->platform = p;
  return 0;
}

void platform_display_free(qmDisplayWindow* display) {
  if (!display->platform) return;
  if (display->platform->window) platform_window_close(display);
  delete display->platform;
  display->platform = nullptr;
}

qmDisplayWindow* platform_display_for_window_id(uint32_t window_id) {
  for (qmDisplayWindow* d : window_system().open)
    if (SDL_GetWindowID(d->platform->window) == window_id) return d;
  return nullptr;
}

// ---- windows ------------------------------------------------------------------------------------

void platform_window_frame_size(qmDisplayWindow* display) {
  const WindowSystem& ws = window_system();
  if ((display->flags & WINFLAG_BORDERLESS) || !ws.frame_known) {
    display->frame_left = display->frame_top = 0;
    display->frame_extra_width = display->frame_extra_height = 0;
    return;
  }
  display->frame_left = ws.frame[0];
  display->frame_top = ws.frame[1];
  display->frame_extra_width = ws.frame[0] + ws.frame[2];
  display->frame_extra_height = ws.frame[1] + ws.frame[3];
}

int32_t platform_window_open(qmDisplayWindow* display, int32_t activate, const qmMask* mask,
                             const qmAlphaChannel* alpha) {
  qmDisplayPlatform* p = display->platform;
  if (!p) return ERR_WINDOW;
  if (p->window) platform_window_close(display);
  if (platform_video_start() != 0) return ERR_WINDOW;
  // We draw in software into the window surface: SDL's own framebuffer (shared memory under X11)
  // serves that directly, where an accelerated one would go through a GL texture each present.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (mask || alpha) {
    if (int32_t err = make_shape(display, mask, alpha)) {
      free_shape(p);
      return err;
    }
  }
  if (!screen_resize(p->screen, display->width, display->height)) {
    free_shape(p);
    return ERR_MEM;
  }

  WindowSystem& ws = window_system();
  ScreenInfo screen;
  int32_t refresh = platform_screen_info(&screen) == 0 ? screen.refresh : 0;
  ws.refresh = refresh > 0 ? refresh : 60;
  if (!ws.limit_set) ws.frame_rate = ws.refresh;

  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (display->flags & WINFLAG_BORDERLESS) flags |= SDL_WINDOW_BORDERLESS;
  if (display->flags & WINFLAG_SIZEABLE) flags |= SDL_WINDOW_RESIZABLE;
  p->fullscreen = covers_switched_screen(display);
  if (p->fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  std::string title = platform_latin1_to_utf8(display->title);
  int x = 0, y = 0, w = 0, h = 0;
  const bool scaled = desktop_rect(display, &x, &y, &w, &h);
  p->scaled = scaled && !p->fullscreen;
  if (p->shaped && !p->fullscreen)
    p->window = SDL_CreateShapedWindow(title.c_str(), x, y, w, h, flags);
  // Without a shaping window system the window is a plain one; its shape still merges into the
  // backing bitmap.
  if (!p->window) p->window = SDL_CreateWindow(title.c_str(), x, y, w, h, flags);
  if (!p->window) {
    free_shape(p);
    return ERR_WINDOW;
  }
  SDL_SetWindowData(p->window, kDisplayKey, display);
  SDL_SetWindowMinimumSize(p->window, kMinWindowSide, kMinWindowSide);
  // A borderless window is dragged and sized by its regions (where the video driver can).
  if (display->flags & WINFLAG_BORDERLESS) SDL_SetWindowHitTest(p->window, hit_test, display);
  if (p->shaped && SDL_IsShapedWindow(p->window)) apply_sdl_shape(display);
  if (SDL_IsShapedWindow(p->window)) SDL_SetWindowPosition(p->window, x, y);
  platform_record("title", title);

  ws.open.push_back(display);
  p->surface = nullptr;
  p->pending_switch = -1;
  p->own_minimize = 0;
  p->frame_settled = 0;
  p->last_flush_us = platform_clock().now_us();
  show_window(p->window, activate != 0);
  settle_frame(display, true);
  window_present(display, true);
  return 0;
}

void platform_window_close(qmDisplayWindow* display, bool keep_picture) {
  qmDisplayPlatform* p = display->platform;
  if (!p || !p->window) return;
  auto& open = window_system().open;
  open.erase(std::remove(open.begin(), open.end(), display), open.end());
  platform_input_forget_window(SDL_GetWindowID(p->window));
  if (keep_picture) window_detach(display);
  else p->screen = qmScreenBuffer();
  if (p->gone)
    platform_internal::x11_destroy_gone_window(p->window);
  else
    SDL_DestroyWindow(p->window);
  p->window = nullptr;
  p->gone = 0;
  p->surface = nullptr;
  p->fullscreen = 0;
  p->scaled = 0;
  p->drop_target = 0;
  free_shape(p);
}

void platform_window_move(qmDisplayWindow* display) {
  qmDisplayPlatform* p = display->platform;
  if (!p || !p->window || p->gone) return;
  place_window(display);
}

void platform_window_resize(qmDisplayWindow* display) {
  qmDisplayPlatform* p = display->platform;
  if (!p || !p->window) return;
  screen_resize(p->screen, display->width, display->height);
  if (p->gone) return;
  int x = 0, y = 0, w = 0, h = 0;
  if (!covers_switched_screen(display) && !desktop_rect(display, &x, &y, &w, &h))
    SDL_SetWindowSize(p->window, w, h);
  place_window(display);
}

void platform_window_regions_changed(qmDisplayWindow*) {}

void platform_window_set_title(qmDisplayWindow* display) {
  qmDisplayPlatform* p = display->platform;
  if (!p || !p->window || p->gone) return;
  std::string title = platform_latin1_to_utf8(display->title);
  SDL_SetWindowTitle(p->window, title.c_str());
  platform_record("title", title);
}

int32_t platform_window_minimize(qmDisplayWindow* display, int32_t flag) {
  qmDisplayPlatform* p = display->platform;
  if (!p || !p->window || p->gone || window_system().mode) return 0;
  if (flag) {
    p->own_minimize = 1;
    SDL_MinimizeWindow(p->window);
  } else {
    p->own_minimize = 0;
    SDL_RestoreWindow(p->window);
  }
  return 0;
}

void platform_window_activate(qmDisplayWindow* display) {
  qmDisplayPlatform* p = display->platform;
  if (!p || !p->window || p->gone) return;
  SDL_RaiseWindow(p->window);
  // A window manager that guards against focus stealing may refuse the request above from a
  // program that had no input yet; the program asked for this window, so it takes the focus.
  if (SDL_GetWindowFlags(p->window) & SDL_WINDOW_SHOWN) SDL_SetWindowInputFocus(p->window);
  raise_in_list(display);
}

int32_t platform_window_set_drop_target(qmDisplayWindow* display) {
  qmDisplayPlatform* p = display->platform;
  if (!p || !p->window) return 0;
  p->drop_target = display->has_drop_callback ? 1 : 0;
  return 0;
}

int32_t platform_fullscreen_supported() { return 1; }

bool platform_window_map_point(const qmDisplayWindow* display, int32_t x, int32_t y,
                               int32_t* out_x, int32_t* out_y) {
  const qmDisplayPlatform* p = display->platform;
  if (!p || !window_letterboxed(p)) {
    *out_x = x;
    *out_y = y;
    return true;
  }
  qmLetterbox box = letterbox_fit(p->screen.width, p->screen.height, p->surface_w, p->surface_h);
  return letterbox_map_point(box, p->screen.width, p->screen.height, x, y, out_x, out_y);
}

void platform_set_window_region_test(WindowRegionTest test) { g_region_test = test; }

int32_t platform_window_hit(const qmDisplayWindow* display, int32_t x, int32_t y) {
  if (!g_region_test || !(display->flags & WINFLAG_BORDERLESS) || (display->flags & WINFLAG_FIXED))
    return WINHIT_NONE;
  int32_t cx = 0, cy = 0;
  if (!platform_window_map_point(display, x, y, &cx, &cy)) return WINHIT_NONE;
  int32_t hit = g_region_test(display, cx, cy);
  if (hit == WINHIT_SIZE && !(display->flags & WINFLAG_SIZEABLE)) return WINHIT_NONE;
  return hit == WINHIT_DRAG || hit == WINHIT_SIZE ? hit : WINHIT_NONE;
}

bool platform_window_accepts_close(const qmDisplayWindow* display) {
  return !(display->flags & WINFLAG_NOCLOSE);
}

// ---- screen modes -------------------------------------------------------------------------------

int32_t platform_display_prepare(int32_t display_mode, int32_t cover_screen, int32_t hide_menu_bar,
                                 int32_t mode_width, int32_t mode_height, int32_t depth,
                                 int32_t* out_width, int32_t* out_height, int32_t* out_depth) {
  WindowSystem& ws = window_system();
  const bool windowed = display_mode == 1;
  if (windowed && cover_screen == 0) {
    ws.work_area_avoids_dock = true;
    return 0;
  }
  if (windowed && hide_menu_bar == 0) return 0;
  ws.menu_bar_hidden = true;
  if (windowed) return 0;
  *out_width = mode_width;
  *out_height = mode_height;
  *out_depth = depth;
  return 0;
}

int32_t platform_display_set_mode(int32_t width, int32_t height, int32_t) {
  ScreenInfo s;
  if (int32_t err = platform_screen_info(&s)) return err;
  const ScreenMode* best = best_mode(s.modes, width, height);
  if (!best) return ERR_SCREEN;
  width = best->width;
  height = best->height;
  WindowSystem& ws = window_system();
  // Only the first switch remembers: a second switch without a restore must still return to the
  // desktop.
  if (!ws.remembered) {
    ws.remembered = true;
    ws.remembered_mode = ws.mode;
  }
  ws.mode = std::make_pair(width, height);
  platform_record("mode", std::to_string(width) + "x" + std::to_string(height));
  return 0;
}

void platform_display_restore_mode() {
  WindowSystem& ws = window_system();
  if (!ws.remembered) return;
  ws.mode = ws.remembered_mode;
  ws.remembered = false;
  ws.remembered_mode.reset();
  platform_record("mode", ws.mode ? std::to_string(ws.mode->first) + "x" +
                                       std::to_string(ws.mode->second)
                                 : std::string("desktop"));
}

void platform_display_fade_out(uint32_t* token, int32_t) { *token = 0; }
void platform_display_fade_in(uint32_t, int32_t) {}

void platform_set_ui_mode(int32_t mode) {
  WindowSystem& ws = window_system();
  if (mode == 0 && !ws.ui_mode_changed) return;
  ws.ui_mode_changed = mode == 1 || mode == 2;
  platform_record("uimode", std::to_string(mode));
}

int32_t platform_ui_mode_changed() { return window_system().ui_mode_changed; }

int32_t platform_get_display_modes(int32_t* pairs) {
  ScreenInfo s;
  if (platform_screen_info(&s) != 0) return 0;
  if (!pairs) return int32_t(s.modes.size());
  int32_t n = 0;
  for (const ScreenMode& m : s.modes) {
    bool seen = false;
    for (int32_t i = 0; i < n && !seen; ++i)
      seen = pairs[2 * i] == m.width && pairs[2 * i + 1] == m.height;
    if (seen) continue;
    pairs[2 * n] = m.width;
    pairs[2 * n + 1] = m.height;
    ++n;
  }
  return n;
}

void platform_get_work_area(int32_t out[4]) {
  WindowSystem& ws = window_system();
  int32_t w = 0, h = 0;
  screen_size_now(&w, &h);
  if (ws.work_area_avoids_dock && !ws.mode) {
    ScreenInfo s;
    if (platform_screen_info(&s) == 0) {
      out[0] = s.usable_x;
      out[1] = s.usable_y;
      out[2] = s.usable_width;
      out[3] = s.usable_height;
      return;
    }
  }
  // No menu bar of our own on this desktop: the work area starts at the top either way.
  out[0] = 0;
  out[1] = 0;
  out[2] = w;
  out[3] = h;
}

void platform_screen_size(int32_t* width, int32_t* height) { screen_size_now(width, height); }

int32_t platform_refresh_rate() { return window_system().refresh; }

void platform_windows_shutdown() {
  while (!window_system().open.empty()) platform_window_close(window_system().open.back());
  cursors_forget_sdl();
}

// ---- events -------------------------------------------------------------------------------------

bool window_has_focus(const qmDisplayWindow* display) {
  const qmDisplayPlatform* p = display->platform;
  const uint32_t focus = platform_input_state().focus_window;
  return p && p->window && focus != 0 && focus == SDL_GetWindowID(p->window);
}

void platform_window_handle_event(const SDL_Event& event) {
  if (event.type != SDL_WINDOWEVENT) return;
  qmDisplayWindow* d = platform_display_for_window_id(event.window.windowID);
  if (!d || d->platform->gone) return;
  qmDisplayPlatform* p = d->platform;
  switch (event.window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_MOVED:
      settle_frame(d, false);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      settle_frame(d, false);
      window_present(d, true);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      raise_in_list(d);
      cursor_apply_for(d);
      break;
    case SDL_WINDOWEVENT_ENTER:
      cursor_apply_for(d);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      p->surface = nullptr;  // measured again at the next present
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      if ((d->flags & WINFLAG_NOHIDE) && !p->own_minimize) SDL_RestoreWindow(p->window);
      break;
    case SDL_WINDOWEVENT_RESTORED:
      p->own_minimize = 0;
      break;
    default:
      break;
  }
}
