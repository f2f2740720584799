// The movie sound input: a single-producer, single-consumer ring of 48000 Hz stereo frames. The
// producer owns the write index and the consumer (the mixer) the read index; each publishes its
// own with a release store after touching the frames, and reads the other's with an acquire load.
#include <algorithm>
#include <atomic>
#include <cstring>

#include "runtime/os/qmos.h"
#include "sound/channels.h"

namespace qm {

namespace {

struct MovieRing {
  int16_t* frames = nullptr;  // capacity x 2 values
  int64_t capacity = 0;
  std::atomic<int64_t> written{0};
  std::atomic<int64_t> read{0};
  std::atomic<int32_t> gain_left{65536}, gain_right{65536};
};

// Guarded by the channel lock: the mixer sees the ring only while it is open.
MovieRing g_ring;
bool g_open = false;

}  // namespace

bool movie_sound_open(int32_t frames) {
  movie_sound_close();
  auto* buffer = static_cast<int16_t*>(qmos_alloc(size_t(std::max(frames, 1)) * 4, 1));
  if (!buffer) return false;
  channel_lock();
  g_ring.frames = buffer;
  g_ring.capacity = std::max(frames, 1);
  g_ring.written.store(0);
  g_ring.read.store(0);
  g_open = true;
  channel_unlock();
  return true;
}

void movie_sound_close() {
  channel_lock();
  int16_t* buffer = g_ring.frames;
  g_ring.frames = nullptr;
  g_open = false;
  channel_unlock();
  qmos_free(buffer);
}

int32_t movie_sound_write(const int16_t* frames, int32_t n) {
  if (!g_ring.frames || n <= 0) return 0;
  const int64_t w = g_ring.written.load(std::memory_order_relaxed);
  const int64_t room = g_ring.capacity - (w - g_ring.read.load(std::memory_order_acquire));
  const int64_t take = std::min<int64_t>(n, room);
  for (int64_t done = 0; done < take;) {
    const int64_t at = (w + done) % g_ring.capacity;
    const int64_t run = std::min(take - done, g_ring.capacity - at);
    std::memcpy(g_ring.frames + 2 * at, frames + 2 * done, size_t(run) * 4);
    done += run;
  }
  g_ring.written.store(w + take, std::memory_order_release);
  return int32_t(take);
}

int32_t movie_sound_queued() {
  return int32_t(g_ring.written.load(std::memory_order_acquire) -
                 g_ring.read.load(std::memory_order_acquire));
}

// A movie's volume is a plain linear gain of volume / 64, not the channels' curve.
void movie_sound_set_volume(int32_t volume) {
  const int32_t gain = std::clamp(volume, 0, 64) * 1024;
  g_ring.gain_left.store(gain);
  g_ring.gain_right.store(gain);
}

namespace channel_internal {

void movie_sound_mix(int32_t* acc, int32_t n) {
  if (!g_open) return;
  const int64_t r = g_ring.read.load(std::memory_order_relaxed);
  const int64_t take = std::min<int64_t>(n, g_ring.written.load(std::memory_order_acquire) - r);
  const int32_t gl = g_ring.gain_left.load(std::memory_order_relaxed);
  const int32_t gr = g_ring.gain_right.load(std::memory_order_relaxed);
  for (int64_t i = 0; i < take; ++i) {
    const int16_t* f = g_ring.frames + 2 * ((r + i) % g_ring.capacity);
    acc[2 * i] += (f[0] * gl) >> 16;
    acc[2 * i + 1] += (f[1] * gr) >> 16;
  }
  g_ring.read.store(r + take, std::memory_order_release);
}

}  // namespace channel_internal
}  // namespace qm
