// The per-line hook's cost: each VM program runs through the player (hook installed, the 10 ms
// tick running) and through qmrun (no hook); the best of several runs of each is compared.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

double run_once(const std::string& cmd) {
  auto t0 = std::chrono::steady_clock::now();
  int raw = std::system(cmd.c_str());
  auto t1 = std::chrono::steady_clock::now();
  if (!WIFEXITED(raw) || WEXITSTATUS(raw) != 0) {
    std::fprintf(stderr, "bench_player: %s failed\n", cmd.c_str());
    std::exit(1);
  }
  return std::chrono::duration<double>(t1 - t0).count();
}

double best_of(const std::string& cmd, int runs) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) best = std::min(best, run_once(cmd));
  return best;
}

}  // namespace

int main() {
  // The player opens its first display as in normal use, headless unless a driver is chosen.
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const char* programs[] = {"arith", "tables", "calls"};
  double worst = 0;
  for (const char* p : programs) {
    std::string chunk = std::string(QM_BENCH_DIR) + "/" + p + ".qmb";
    std::string player = std::string(QM_PLAYER) + " -quiet " + chunk + " >/dev/null";
    std::string qmrun = std::string(QM_QMRUN) + " " + chunk + " >/dev/null";
    best_of(player, 1);  // warm the caches
    // Interleaved rounds so that a change in machine load hits both sides alike.
    double tp = 1e9, tq = 1e9;
    for (int round = 0; round < 5; ++round) {
      tp = std::min(tp, run_once(player));
      tq = std::min(tq, run_once(qmrun));
    }
    double ratio = tp / tq;
    worst = std::max(worst, ratio);
    std::printf("%-8s player %.3f s  qmrun %.3f s  ratio %.3f\n", p, tp, tq, ratio);
  }
  std::printf("worst ratio player/qmrun %.3f (limit 1.10)\n", worst);
  return 0;
}
