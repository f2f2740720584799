// The event pump beside SDL's own polling, in one run: a pump call with nothing pending (what the
// per-line hook pays), and one pump call that serves 1000 queued mouse motions (coalesced into
// one) beside draining them with SDL_PollEvent. Prints nanoseconds per call and the ratio to the
// peer (lower is better).
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "display/input_events.h"
#include "platform/platform.h"

namespace {

double now_ns() {
  return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Best of several interleaved rounds, in nanoseconds per call; prepare runs untimed before each call.
double best_ns(const std::function<void()>& prepare, const std::function<void()>& op, int calls) {
  double best = 1e300;
  for (int round = 0; round < 15; ++round) {
    double total = 0;
    for (int k = 0; k < calls; ++k) {
      prepare();
      double t0 = now_ns();
      op();
      total += now_ns() - t0;
    }
    best = std::min(best, total / calls);
  }
  return best;
}

void push_motions(int n) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = 1;
  for (int i = 0; i < n; ++i) {
    e.motion.x = i;
    e.motion.xrel = 1;
    SDL_PushEvent(&e);
  }
}

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (platform_init() != 0) {
    std::printf("bench_pump: no SDL events (%s)\n", platform_last_error().c_str());
    return 0;
  }
  qm::input_events_install();
  SDL_Event ev;
  auto nothing = [] {};

  const double idle_pump = best_ns(nothing, [] { platform_pump_events(nullptr); }, 100000);
  const double idle_poll = best_ns(nothing, [&] { SDL_PollEvent(&ev); }, 100000);
  std::printf("nothing pending: pump %.0f ns, SDL_PollEvent %.0f ns, ratio %.2f\n", idle_pump, idle_poll,
              idle_pump / idle_poll);

  const double burst_pump = best_ns([] { push_motions(1000); }, [] { platform_pump_events(nullptr); }, 20);
  const double burst_poll = best_ns([] { push_motions(1000); }, [&] { while (SDL_PollEvent(&ev)) {} }, 20);
  std::printf("1000 motions queued: one pump call %.0f ns, draining with SDL_PollEvent %.0f ns, ratio %.2f\n",
              burst_pump, burst_poll, burst_pump / burst_poll);
  platform_exit();
  return 0;
}
