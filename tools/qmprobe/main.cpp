// qmprobe: starts the platform layer the way the player does and prints what it sees of the
// screen: the video driver, size, refresh rate, bits, usable bounds and the mode list. Run it
// under SDL_VIDEODRIVER=offscreen, under `xvfb-run -a`, or with QM_SCREEN set, to see what
// windows and full-screen modes will be measured against.
#include <cstdio>

#include <SDL2/SDL.h>

#include "platform/platform.h"

int main() {
  if (int32_t err = platform_init()) {
    std::fprintf(stderr, "qmprobe: the platform layer did not start (%d): %s\n", err, platform_last_error().c_str());
    return 1;
  }
  ScreenInfo info;
  if (int32_t err = platform_screen_info(&info)) {
    std::fprintf(stderr, "qmprobe: no screen (%d): %s\n", err, platform_last_error().c_str());
    platform_exit();
    return 1;
  }
  const char* driver = platform_video_started() ? SDL_GetCurrentVideoDriver() : nullptr;
  std::printf("video driver: %s\n", driver ? driver : "none (override)");
  std::printf("screen: %dx%d, %d bits\n", info.width, info.height, info.bits);
  std::printf("refresh rate: %d Hz%s\n", info.refresh, info.refresh ? "" : " (none reported)");
  std::printf("usable bounds: %d %d %dx%d\n", info.usable_x, info.usable_y, info.usable_width, info.usable_height);
  std::printf("modes:");
  for (const ScreenMode& m : info.modes) std::printf(" %dx%d@%d", m.width, m.height, m.refresh);
  std::printf("\n");
  platform_exit();
  return 0;
}
