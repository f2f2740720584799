// Frame pacing: 300 frames of VWait at 60 frames a second on the real clock, with the mean frame
// time against the 16.67 ms period and the 95th percentile of the jitter; then the cost of one
// 1920x1080 frame through VWait (the picture shown again and presented, the pacing on a fake
// clock so that only the work is timed) beside the bare present of a whole screen buffer, in one
// run. Without a display the benchmark runs itself again under xvfb-run.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "display/bgpic.h"
#include "display/display.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kW = 1920, kH = 1080;

double now_s() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Best of several interleaved rounds, in milliseconds per call.
std::vector<double> measure(const std::vector<std::function<void()>>& ops) {
  std::vector<double> best(ops.size(), 1e30);
  for (int round = 0; round < 15; ++round) {
    for (size_t i = 0; i < ops.size(); ++i) {
      const int n = 20;
      const double t0 = now_s();
      for (int k = 0; k < n; ++k) ops[i]();
      best[i] = std::min(best[i], (now_s() - t0) * 1000 / n);
    }
  }
  return best;
}

qm::qmDisplay* open_display(int32_t w, int32_t h) {
  qm::qmDisplay* d = nullptr;
  if (qm::display_create(nullptr, qm::ObjectId{2, nullptr}, 0, &d) != 0) return nullptr;
  d->win.x = d->win.y = 0;
  d->win.flags |= WINFLAG_BORDERLESS;
  if (w != d->win.width || h != d->win.height) {
    if (qm::display_size_change(nullptr, d, 0, 0, w, h, true, false, true) != 0) return nullptr;
  }
  if (qm::display_prepare(nullptr, d) != 0 || qm::display_open(nullptr, d, 1) != 0) return nullptr;
  qm::display_make_current(d);
  return d;
}

void pacing_accuracy() {
  qm::qmDisplay* d = open_display(640, 480);
  if (!d) {
    std::printf("bench_pacing: no window\n");
    return;
  }
  platform_set_frame_rate_limit(60);
  std::vector<double> frames;
  qm::display_wait_refresh(nullptr);
  double last = now_s();
  for (int i = 0; i < 300; ++i) {
    platform_window_fill_rect(&d->win, i % 600, 0, 40, 40, uint32_t(i * 0x010203));
    qm::display_wait_refresh(nullptr);
    const double t = now_s();
    frames.push_back((t - last) * 1000);
    last = t;
  }
  const double period = 1000.0 / 60;
  double sum = 0;
  std::vector<double> jitter;
  for (double f : frames) {
    sum += f;
    jitter.push_back(std::fabs(f - period));
  }
  std::sort(jitter.begin(), jitter.end());
  const double mean = sum / double(frames.size());
  std::printf("pacing: 300 frames at 60 fps on the real clock\n");
  std::printf("  mean frame %.3f ms (period %.3f ms, %+.2f%%), p95 jitter %.3f ms, worst %.3f ms\n", mean, period,
              (mean - period) / period * 100, jitter[jitter.size() * 95 / 100], jitter.back());
  qm::display_cleanup(nullptr);
}

void present_cost() {
  qm::qmDisplay* d = open_display(kW, kH);
  if (!d) {
    std::printf("bench_pacing: no %dx%d window\n", kW, kH);
    return;
  }
  FakeClock fake;
  platform_set_clock(&fake);
  platform_set_frame_rate_limit(0);
  qmScreenBuffer& buffer = d->win.platform->screen;
  const std::vector<std::function<void()>> ops = {
      [&] {
        screen_mark_all(buffer);
        platform_present_pending();
      },
      [&] {
        screen_mark_all(buffer);
        qm::display_wait_refresh(nullptr);
      },
      [&] {
        qm::display_refresh(nullptr, d);
        qm::display_wait_refresh(nullptr);
      },
  };
  const std::vector<double> ms = measure(ops);
  std::printf("one %dx%d frame (driver %s)\n", kW, kH, platform_video_started() ? "started" : "none");
  std::printf("  %-40s %9s %8s\n", "present", "ms", "ratio");
  std::printf("  %-40s %9.3f %8s\n", "bare present of the screen buffer", ms[0], "1.00");
  std::printf("  %-40s %9.3f %8.2f\n", "VWait of a changed frame", ms[1], ms[1] / ms[0]);
  std::printf("  %-40s %9.3f %8.2f\n", "picture shown again, then VWait", ms[2], ms[2] / ms[0]);
  platform_set_clock(nullptr);
  qm::display_cleanup(nullptr);
}

}  // namespace

int main(int, char** argv) {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (!std::getenv("DISPLAY") && !(driver && *driver) && !std::getenv("QM_BENCH_XVFB")) {
    setenv("QM_BENCH_XVFB", "1", 1);
    execlp("xvfb-run", "xvfb-run", "-a", "-s", "-screen 0 1920x1080x24", argv[0], nullptr);
    std::printf("bench_pacing: no display and no xvfb-run; measuring on the offscreen driver\n");
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
  }
  if (platform_init() != 0 || platform_video_start() != 0) {
    std::printf("bench_pacing: no video (%s)\n", platform_last_error().c_str());
    return 0;
  }
  // A 60 Hz screen whatever the server reports, so that the limit and the refresh rate agree.
  ScreenInfo screen;
  platform_parse_screen("1920x1080@60", nullptr, &screen);
  platform_set_screen_override(&screen);
  qm::display_install_services();
  pacing_accuracy();
  qm::display_install_services();
  present_cost();
  bgpic_free_all();
  platform_exit();
  return 0;
}
