// Joysticks over SDL's joystick API: found once, read on request (their motion events are
// switched off), two axes turned into one of nine directions and up to 32 buttons into a mask.
#include <SDL2/SDL.h>

#include <algorithm>
#include <new>
#include <vector>

#include "engine/errcodes.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kMaxButtons = 32;

struct Axis {
  int32_t index = -1;  // SDL's axis number, -1 none
  int32_t min = -32768, max = 32767;  // SDL's declared range, widened to every value seen
};

struct Joystick {
  SDL_Joystick* device = nullptr;
  Axis x, y;
  int32_t buttons = 0;  // how many of SDL's buttons are read (at most 32)
};

std::vector<Joystick> g_sticks;
bool g_scanned = false;

// Scaled to -1000..1000, truncated toward zero; an axis that never moved off one value is centred.
int32_t read_axis(Joystick& j, Axis& a) {
  if (a.index < 0) return 0;
  const int32_t v = SDL_JoystickGetAxis(j.device, a.index);
  a.min = std::min(a.min, v);
  a.max = std::max(a.max, v);
  if (a.max == a.min) return 0;
  return int32_t((int64_t(v) - a.min) * 2000 / (int64_t(a.max) - a.min)) - 1000;
}

}  // namespace

int32_t platform_joystick_scan() {
  if (int32_t err = platform_joystick_start()) return err;
  const int count = SDL_NumJoysticks();
  if (count < 0) return qm::ERR_JOYSTICK;
  try {
    for (int i = 0; i < count; ++i) {
      SDL_Joystick* device = SDL_JoystickOpen(i);
      if (!device) continue;  // a device that cannot be opened is skipped
      const int axes = SDL_JoystickNumAxes(device), buttons = SDL_JoystickNumButtons(device);
      if (axes < 2 && buttons < 1) {
        SDL_JoystickClose(device);
        continue;
      }
      Joystick j;
      j.device = device;
      if (axes >= 2) {
        j.x.index = 0;
        j.y.index = 1;
      }
      j.buttons = std::clamp(buttons, 0, kMaxButtons);
      g_sticks.push_back(j);
    }
  } catch (const std::bad_alloc&) {
    return qm::ERR_MEM;
  }
  g_scanned = true;
  return 0;
}

int32_t platform_joystick_count(int32_t* count) {
  *count = 0;
  if (!g_scanned) {
    if (int32_t err = platform_joystick_scan()) return err;
  }
  *count = int32_t(g_sticks.size());
  return 0;
}

int32_t platform_joystick_read(int32_t port, int32_t* direction, uint32_t* buttons) {
  if (!g_scanned) {
    if (int32_t err = platform_joystick_scan()) return err;
  }
  if (port < 0 || size_t(port) >= g_sticks.size()) return qm::ERR_NOJOYATPORT;
  SDL_JoystickUpdate();
  Joystick& j = g_sticks[size_t(port)];
  uint32_t mask = 0;
  for (int32_t i = 0; i < j.buttons; ++i) {
    if (SDL_JoystickGetButton(j.device, i)) mask |= uint32_t(1) << i;
  }
  const int32_t x = read_axis(j, j.x);
  const int32_t y = read_axis(j, j.y);
  if (direction) *direction = platform_joystick_direction(x, y);
  if (buttons) *buttons = mask;
  return 0;
}

void platform_joystick_free_all() {
  for (Joystick& j : g_sticks) SDL_JoystickClose(j.device);
  g_sticks.clear();
  g_scanned = false;
}

int32_t platform_joystick_direction(int32_t x, int32_t y) {
  // [column: left, middle, right][row: up, middle, down]
  static constexpr int32_t kDirections[3][3] = {
      {JOY_UPLEFT, JOY_LEFT, JOY_DOWNLEFT},
      {JOY_UP, JOY_NODIR, JOY_DOWN},
      {JOY_UPRIGHT, JOY_RIGHT, JOY_DOWNRIGHT},
  };
  const int32_t column = x < -500 ? 0 : x > 500 ? 2 : 1;
  const int32_t row = y < -500 ? 0 : y > 500 ? 2 : 1;
  return kDirections[column][row];
}
