// The clock that every interval, pace, timer and expiry reads: CLOCK_MONOTONIC in the player, a
// FakeClock that tests move by hand. QM_FAKE_CLOCK=1 in the environment gives the player a fake
// clock of its own: every wait and frame pace then moves it on at once instead of sleeping, so a
// program's transitions, moves and intervals run frame by frame, deterministic and fast.
#include <time.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace {

class MonotonicClock : public Clock {
 public:
  int64_t now_us() override { return read(CLOCK_MONOTONIC); }
  int64_t wall_us() override { return read(CLOCK_REALTIME); }
  void sleep_us(int64_t us) override {
    if (us <= 0) return;
    struct timespec req {
      static_cast<time_t>(us / 1000000), static_cast<long>((us % 1000000) * 1000)
    };
    // Restarted after signals: a quit signal only sets a flag that the next pump acts on.
    while (nanosleep(&req, &req) == -1 && errno == EINTR) {
    }
  }

 private:
  static int64_t read(clockid_t id) {
    struct timespec ts {};
    clock_gettime(id, &ts);
    return int64_t(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
  }
};

MonotonicClock g_monotonic;
std::atomic<Clock*> g_clock{nullptr};  // nullptr: the default clock

Clock& default_clock() {
  // Made only when asked and never destroyed: a clock must outlast everything that reads it at exit.
  static Clock* chosen = [] {
    const char* fake = std::getenv("QM_FAKE_CLOCK");
    return fake && std::strcmp(fake, "1") == 0 ? static_cast<Clock*>(new FakeClock)
                                               : static_cast<Clock*>(&g_monotonic);
  }();
  return *chosen;
}

}  // namespace

int64_t FakeClock::now_us() { return now_.load(); }
int64_t FakeClock::wall_us() { return wall_.load() + now_.load(); }
void FakeClock::sleep_us(int64_t us) { advance_us(us); }
void FakeClock::advance_us(int64_t us) {
  if (us > 0) now_ += us;
}
void FakeClock::set_wall_us(int64_t us) { wall_ = us - now_.load(); }

Clock& platform_clock() {
  Clock* c = g_clock.load(std::memory_order_acquire);
  return c ? *c : default_clock();
}

void platform_set_clock(Clock* clock) { g_clock.store(clock, std::memory_order_release); }
