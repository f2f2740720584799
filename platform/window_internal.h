// State shared by the window, screen and cursor files of the platform layer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/platform.h"

struct WindowSystem {
  // Open windows from bottom to top of our stacking order.
  std::vector<qmDisplayWindow*> open;
  // Frame widths (left, top, right, bottom) learnt from the last framed window the window manager
  // decorated; unknown until then and without a window manager.
  bool frame_known = false;
  bool frames_absent = false;  // a framed window went unframed: wait for frames no more
  int32_t frame[4] = {0, 0, 0, 0};
  // Virtual screen mode: the switched size, and what a restore returns to (nullopt inside the
  // optional: the desktop).
  std::optional<std::pair<int32_t, int32_t>> mode;
  bool remembered = false;
  std::optional<std::pair<int32_t, int32_t>> remembered_mode;
  // Pacing.
  int32_t refresh = 60;
  int32_t frame_rate = 60;
  bool limit_set = false;
  // System UI and work area decisions.
  bool ui_mode_changed = false;
  bool work_area_avoids_dock = false;
  bool menu_bar_hidden = false;
};

WindowSystem& window_system();

// Copies what the display's buffer changed to its window (the whole buffer when the surface is
// new or full is set) and records the presented rectangles.
void window_present(qmDisplayWindow* display, bool full);
// Whether the window shows its buffer scaled into a letterbox of its surface: a full-screen
// window, or one placed through a switched mode, whose surface differs from the buffer in size.
inline bool window_letterboxed(const qmDisplayPlatform* p) {
  return (p->fullscreen || p->scaled) && p->surface_w > 0 &&
         (p->surface_w != p->screen.width || p->surface_h != p->screen.height);
}
// Moves the display's buffer out of its window surface, before anything that can make SDL drop
// the surface (size changes, full-screen switches, closing).
void window_detach(qmDisplayWindow* display);
// Applies the cursor the display wants now: invisible when hidden, else its current cursor.
void cursor_apply_for(qmDisplayWindow* display);
// Frees the SDL cursors of the standard cursors (they are made again when next shown).
void cursors_forget_sdl();
// Whether the display's window has the input focus.
bool window_has_focus(const qmDisplayWindow* display);
