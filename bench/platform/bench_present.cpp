// Presenting a window's screen buffer beside a bare SDL_UpdateWindowSurface of the same 1920x1080
// surface, in one run: a full frame and 100 small dirty rectangles while the buffer lives in the
// window surface, and a full frame copied from the buffer's own storage. Prints each time and its
// ratio to the bare update (lower is better).
//
// The bare update only costs something where the surface goes to a display server, so without a
// display the benchmark runs itself again under xvfb-run.
#include <SDL2/SDL.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "platform/platform.h"

namespace {

constexpr int32_t kW = 1920, kH = 1080;

double now_s() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Best of several rounds, in milliseconds per call; the rounds of all candidates interleave so
// that a busy moment of the machine hurts them alike.
void measure(std::vector<std::function<void()>>& ops, std::vector<double>& best_ms) {
  best_ms.assign(ops.size(), 1e30);
  for (int round = 0; round < 15; ++round) {
    for (size_t i = 0; i < ops.size(); ++i) {
      const int n = 20;
      double t0 = now_s();
      for (int k = 0; k < n; ++k) ops[i]();
      best_ms[i] = std::min(best_ms[i], (now_s() - t0) * 1000 / n);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (!std::getenv("DISPLAY") && !(driver && *driver) && !std::getenv("QM_BENCH_XVFB")) {
    setenv("QM_BENCH_XVFB", "1", 1);
    execlp("xvfb-run", "xvfb-run", "-a", "-s", "-screen 0 1920x1080x24", argv[0], nullptr);
    std::printf("bench_present: no display and no xvfb-run; measuring on the offscreen driver\n");
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
  }
  (void)argc;
  if (platform_init() != 0 || platform_video_start() != 0) {
    std::printf("bench_present: no video (%s)\n", platform_last_error().c_str());
    return 0;
  }
  qmDisplayWindow d;
  d.x = 0;
  d.y = 0;
  d.width = kW;
  d.height = kH;
  d.flags = WINFLAG_BORDERLESS;
  if (platform_display_alloc(nullptr, &d) != 0 || platform_window_open(&d, 1, nullptr, nullptr) != 0) {
    std::printf("bench_present: no window\n");
    return 0;
  }
  d.state = DISPSTATE_OPEN;
  platform_window_fill_rect(&d, 0, 0, kW, kH, 0x204060);
  platform_present_pending();
  SDL_Window* window = d.platform->window;
  SDL_GetWindowSurface(window);

  qmScreenBuffer& buffer = d.platform->screen;
  std::vector<std::function<void()>> ops = {
      [&] { SDL_UpdateWindowSurface(window); },
      [&] {
        screen_mark_all(buffer);
        platform_present_pending();
      },
      [&] {
        for (int i = 0; i < 100; ++i) screen_mark(buffer, (i * 397) % (kW - 16), (i * 211) % (kH - 16), 16, 16);
        platform_present_pending();
      },
  };
  std::vector<double> ms;
  measure(ops, ms);
  // The same full frame from the buffer's own storage, as when the surface differs from it in
  // size: the rows are copied into the surface first.
  screen_detach(buffer);
  std::vector<std::function<void()>> copy_ops = {ops[0], ops[1]};
  std::vector<double> copy_ms;
  measure(copy_ops, copy_ms);
  std::printf("driver %s, %dx%d surface\n", SDL_GetCurrentVideoDriver(), kW, kH);
  std::printf("%-40s %9s %8s\n", "present", "ms", "ratio");
  std::printf("%-40s %9.3f %8s\n", "bare SDL_UpdateWindowSurface", ms[0], "1.00");
  std::printf("%-40s %9.3f %8.2f\n", "full frame, buffer in the surface", ms[1], ms[1] / ms[0]);
  std::printf("%-40s %9.3f %8.2f\n", "100 dirty 16x16 rectangles", ms[2], ms[2] / ms[0]);
  std::printf("%-40s %9.3f %8.2f\n", "full frame, buffer copied (bare again)", copy_ms[1],
              copy_ms[1] / copy_ms[0]);
  platform_display_free(&d);
  platform_exit();
  return 0;
}
