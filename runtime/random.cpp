#include "runtime/random.h"

namespace qm {

namespace {

// 31 words of state; each draw adds the word 3 places back into the current one.
constexpr int32_t kDegree = 31, kSeparation = 3;

struct Generator {
  uint32_t state[kDegree];
  int32_t front = kSeparation, rear = 0;

  uint32_t step() {
    const uint32_t v = state[front] += state[rear];
    if (++front == kDegree) front = 0;
    if (++rear == kDegree) rear = 0;
    return v >> 1;
  }

  void seed(uint32_t seed) {
    // The words of the minimal standard generator (16807 x modulo 2^31 - 1, by Schrage's
    // method), from the seed as a signed word; then ten rounds discarded.
    int32_t word = int32_t(seed == 0 ? 1 : seed);
    state[0] = uint32_t(word);
    for (int32_t i = 1; i < kDegree; ++i) {
      const int64_t hi = word / 127773, lo = word % 127773;
      int64_t next = 16807 * lo - 2836 * hi;
      if (next < 0) next += 2147483647;
      word = int32_t(next);
      state[i] = uint32_t(word);
    }
    front = kSeparation, rear = 0;
    for (int32_t i = 0; i < 10 * kDegree; ++i) step();
  }

  Generator() { seed(1); }
};

Generator g_random;

}  // namespace

void random_seed(uint32_t seed) { g_random.seed(seed); }

int32_t random_next() { return int32_t(g_random.step()); }

void random_fill_bytes(uint8_t* out, size_t n, uint32_t bound) {
  Generator g = g_random;
  for (size_t i = 0; i < n; ++i) out[i] = uint8_t(g.step() % bound);
  g_random = g;
}

}  // namespace qm
