// What the layer knows of the main screen: SDL's desktop mode, usable bounds and mode list, or a
// test override, since the offscreen driver has one fixed mode.
#include <SDL2/SDL.h>

#include <cstdlib>
#include <optional>

#include "engine/errcodes.h"
#include "platform/platform.h"

namespace {

// "WxH" or "WxH@R" starting at s; advances s past it.
bool parse_mode(const char*& s, ScreenMode* m) {
  char* end;
  long w = std::strtol(s, &end, 10);
  if (end == s || *end != 'x' || w <= 0 || w > 32767) return false;
  s = end + 1;
  long h = std::strtol(s, &end, 10);
  if (end == s || h <= 0 || h > 32767) return false;
  s = end;
  long r = 0;
  if (*s == '@') {
    ++s;
    r = std::strtol(s, &end, 10);
    if (end == s || r < 0 || r > 1000) return false;
    s = end;
  }
  *m = ScreenMode{int32_t(w), int32_t(h), int32_t(r)};
  return true;
}

std::optional<ScreenInfo> g_test_override;
std::optional<ScreenInfo> g_env_override;
bool g_env_read = false;

const ScreenInfo* current_override() {
  if (g_test_override) return &*g_test_override;
  if (!g_env_read) {
    g_env_read = true;
    const char* screen = std::getenv("QM_SCREEN");
    const char* modes = std::getenv("QM_SCREEN_MODES");
    ScreenInfo info;
    if ((screen && *screen) || (modes && *modes)) {
      if (platform_parse_screen(screen, modes, &info)) {
        g_env_override = info;
      } else {
        std::fprintf(stderr, "QM_SCREEN or QM_SCREEN_MODES is malformed; using the real screen\n");
      }
    }
  }
  return g_env_override ? &*g_env_override : nullptr;
}

}  // namespace

bool platform_parse_screen(const char* screen, const char* modes, ScreenInfo* out) {
  ScreenInfo info;
  ScreenMode main{1024, 768, 60};
  if (screen && *screen) {
    const char* s = screen;
    if (!parse_mode(s, &main) || *s) return false;
  }
  if (modes && *modes) {
    for (const char* s = modes;;) {
      ScreenMode m;
      if (!parse_mode(s, &m)) return false;
      info.modes.push_back(m);
      if (*s == '\0') break;
      if (*s++ != ',') return false;
    }
    // Only modes given: the screen is the largest of them.
    if (!(screen && *screen)) {
      main = info.modes.front();
      for (const ScreenMode& m : info.modes) {
        if (int64_t(m.width) * m.height > int64_t(main.width) * main.height) main = m;
      }
    }
  } else {
    info.modes.push_back(main);
  }
  info.width = main.width;
  info.height = main.height;
  info.refresh = main.refresh;
  info.usable_width = main.width;
  info.usable_height = main.height;
  *out = info;
  return true;
}

void platform_set_screen_override(const ScreenInfo* info) {
  if (info) {
    g_test_override = *info;
  } else {
    g_test_override.reset();
    g_env_override.reset();
    g_env_read = false;
  }
}

int32_t platform_screen_info(ScreenInfo* out) {
  if (const ScreenInfo* o = current_override()) {
    *out = *o;
    return 0;
  }
  if (int32_t err = platform_video_start()) return err;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return qm::ERR_SCREEN;
  ScreenInfo info;
  info.width = desktop.w;
  info.height = desktop.h;
  info.refresh = desktop.refresh_rate;
  info.bits = SDL_BYTESPERPIXEL(desktop.format) * 8;
  SDL_Rect usable{0, 0, desktop.w, desktop.h};
  SDL_GetDisplayUsableBounds(0, &usable);
  info.usable_x = usable.x;
  info.usable_y = usable.y;
  info.usable_width = usable.w;
  info.usable_height = usable.h;
  for (int i = 0, n = SDL_GetNumDisplayModes(0); i < n; ++i) {
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(0, i, &m) == 0 && m.w > 0 && m.h > 0) info.modes.push_back({m.w, m.h, m.refresh_rate});
  }
  // The offscreen driver lists one empty mode: the desktop is the one mode there is.
  if (info.modes.empty()) info.modes.push_back({info.width, info.height, info.refresh});
  *out = info;
  return 0;
}
