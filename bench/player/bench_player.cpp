// The per-line hook's cost: each VM program runs through the player (hook installed, the 10 ms
// tick running) and through qmrun (no hook); the best of several runs of each is compared.
//
// The player also loads its libraries and opens its first display before the program runs, some
// 20 ms that qmrun does not spend and that would swamp the hook in programs of a few tenths of
// a second. An empty program measures each side's start-up and exit, which is taken off its
// times, so that the ratio is that of the programs' own running. Times are processor seconds
// (user and system) of each run, which a busy machine disturbs far less than elapsed time.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Processor seconds of all finished children so far.
double children_cpu() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double run_once(const std::string& cmd) {
  double c0 = children_cpu();
  int raw = std::system(cmd.c_str());
  double c1 = children_cpu();
  if (raw == -1 || !WIFEXITED(raw) || WEXITSTATUS(raw) != 0) {
    std::fprintf(stderr, "bench_player: %s failed\n", cmd.c_str());
    std::exit(1);
  }
  return c1 - c0;
}

struct Sides {
  std::string player, qmrun;
};

Sides commands(const char* program) {
  std::string chunk = std::string(QM_BENCH_DIR) + "/" + program + ".qmb";
  return {std::string(QM_PLAYER) + " -quiet " + chunk + " >/dev/null", std::string(QM_QMRUN) + " " + chunk + " >/dev/null"};
}

// Best of interleaved rounds, so that a change in machine load hits both sides alike.
void best_of(const Sides& s, int rounds, double* player, double* qmrun) {
  *player = *qmrun = 1e9;
  for (int round = 0; round < rounds; ++round) {
    *player = std::min(*player, run_once(s.player));
    *qmrun = std::min(*qmrun, run_once(s.qmrun));
  }
}

}  // namespace

int main() {
  // The player opens its first display as in normal use, headless unless a driver is chosen.
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  double start_player, start_qmrun;
  run_once(commands("empty").player);  // warm the caches
  best_of(commands("empty"), 9, &start_player, &start_qmrun);
  std::printf("start-up and exit: player %.3f s  qmrun %.3f s (taken off below)\n", start_player, start_qmrun);
  const char* programs[] = {"arith", "tables", "calls"};
  double worst = 0;
  for (const char* p : programs) {
    double tp, tq;
    best_of(commands(p), 5, &tp, &tq);
    double ratio = std::max(tp - start_player, 1e-3) / std::max(tq - start_qmrun, 1e-3);
    worst = std::max(worst, ratio);
    std::printf("%-8s player %.3f s  qmrun %.3f s  ratio %.3f\n", p, tp, tq, ratio);
  }
  std::printf("worst ratio player/qmrun %.3f (limit 1.10)\n", worst);
  return 0;
}
