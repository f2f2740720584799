// The music streaming thread: it keeps the two one-second halves of the playing stream filled
// from its source, so that the audio thread never reads a file. channels.h describes how the
// halves pass between the threads.
//
// A stream ends when its source says so (a read reaching its end, an "end" entry of a
// program-fed source) or, for a file, when a read comes back short: a header that claims more
// frames than the file holds still ends. A program-fed queue that runs dry is not an end: the
// thread waits for data and the mixer plays silence meanwhile.
#include <pthread.h>
#include <sched.h>
#include <semaphore.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <thread>

#include "engine/errcodes.h"
#include "runtime/os/qmos.h"
#include "sound/channels.h"

namespace qm {

using namespace channel_internal;

namespace {

constexpr int32_t kStreamPriority = 20;
constexpr int64_t kDryRetryNs = 10 * 1000 * 1000;
constexpr int32_t kMaxHalfFrames = 4 * kMixRate;

struct StreamState {
  bool active = false;  // published to the mixer (channel lock)
  qmSoundSource* source = nullptr;
  int32_t half_frames = 0;
  int32_t bpf = 0;
  uint8_t* buffer = nullptr;
  // Per half, written by the filler before it marks the half ready.
  int64_t frames_in[2] = {0, 0};
  bool last_in[2] = {false, false};
  std::atomic<bool> ready[2];
  int32_t serve = 0;  // audio thread: the half read next
  // The filler's own: the half filled next, the pass being read, the end reached.
  int32_t fill = 0;
  int32_t passes = 1, pass = 1;
  bool ended = false;
  std::atomic<bool> quit{false};
  sem_t wake;
  std::thread* thread = nullptr;
};

StreamState g_stream;
bool g_sem_ready = false;
StreamHooks g_hooks;

uint8_t* half_data(int32_t h) {
  return g_stream.buffer + size_t(h) * size_t(g_stream.half_frames) * size_t(g_stream.bpf);
}

bool wraps() {
  return g_stream.passes == 0 || g_stream.pass < g_stream.passes;
}

// Fills half h from the source. false when nothing could be read yet (a dry program-fed queue).
bool fill_half(int32_t h) {
  StreamState& st = g_stream;
  qmSoundSource* s = st.source;
  uint8_t* dst = half_data(h);
  int64_t got_total = 0, since_wrap = 0;
  bool last = false;
  while (got_total < st.half_frames && !st.quit.load()) {
    int64_t want = st.half_frames - got_total;
    bool end = false;
    if (s->frames >= 0 && s->kind != SOURCE_PROGRAM)
      want = std::min<int64_t>(want, s->frames - s->position);
    if (want <= 0) {
      end = true;
    } else {
      if (g_hooks.before_read) g_hooks.before_read(s);
      const int32_t got = qmos_source_read(s, dst + got_total * st.bpf, int32_t(want), &end);
      got_total += got;
      since_wrap += got;
      if (got < want && s->kind != SOURCE_PROGRAM) end = true;
      if (!end && got < want) break;  // the program has queued no more yet
    }
    if (!end) continue;
    if (wraps() && s->seekable && since_wrap + s->position > 0 && !st.quit.load()) {
      if (g_hooks.before_seek) g_hooks.before_seek(s);
      if (st.quit.load()) break;
      qmos_source_seek_keep_clock(s, 0);
      if (s->position == 0) {
        ++st.pass;
        since_wrap = 0;
        continue;
      }
    }
    last = true;
    break;
  }
  st.frames_in[h] = got_total;
  st.last_in[h] = last;
  if (last) st.ended = true;
  return got_total > 0 || last;
}

void wait_wake(bool timed) {
  if (!timed) {
    while (sem_wait(&g_stream.wake) != 0 && errno == EINTR) {
    }
    return;
  }
  timespec at{};
  clock_gettime(CLOCK_REALTIME, &at);
  at.tv_nsec += kDryRetryNs;
  at.tv_sec += at.tv_nsec / 1000000000;
  at.tv_nsec %= 1000000000;
  while (sem_timedwait(&g_stream.wake, &at) != 0 && errno == EINTR) {
  }
}

void stream_thread(void*) {
  StreamState& st = g_stream;
  while (!st.quit.load()) {
    if (!st.ended && !st.ready[st.fill].load(std::memory_order_acquire)) {
      if (fill_half(st.fill)) {
        st.ready[st.fill].store(true, std::memory_order_release);
        st.fill ^= 1;
        continue;
      }
      wait_wake(true);
      continue;
    }
    wait_wake(false);
  }
}

void free_stream() {
  qmos_free(g_stream.buffer);
  g_stream.buffer = nullptr;
  g_stream.source = nullptr;
  g_stream.active = false;
  g_stream.ready[0].store(false);
  g_stream.ready[1].store(false);
}

}  // namespace

// ---- the thread and its locks
// ---------------------------------------------------------------------

int32_t qmos_stream_init() {
  if (!g_sem_ready) {
    if (sem_init(&g_stream.wake, 0, 0) != 0) return ERR_SEMAPHORE;
    g_sem_ready = true;
  }
  return 0;
}

void qmos_stream_cleanup() {
  events_clear();
  if (g_sem_ready) sem_destroy(&g_stream.wake);
  g_sem_ready = false;
}

bool qmos_wake_stream(int32_t) {
  return sem_post(&g_stream.wake) == 0;
}

bool qmos_create_thread(void (*entry)(void*), void* argument, int32_t priority, void** handle) {
  std::thread* t = nullptr;
  try {
    t = new std::thread(entry, argument);
  } catch (...) {
    return false;
  }
  if (priority != 0) {
    // Ordinary users have no real-time allowance: the thread then keeps normal scheduling.
    sched_param param{};
    param.sched_priority = priority;
    pthread_setschedparam(t->native_handle(), SCHED_RR, &param);
  }
  *handle = t;
  return true;
}

bool stream_thread_running() {
  return g_stream.thread != nullptr;
}

void stream_set_hooks(const StreamHooks& hooks) {
  g_hooks = hooks;
}

namespace channel_internal {

int32_t stream_start(qmChannel& ch, int32_t) {
  if (int32_t err = qmos_stream_init()) return err;
  StreamState& st = g_stream;
  qmSoundSource* s = ch.source;
  // The mixer reads the formats of samples only.
  if (s->rate <= 0 || s->bytes_per_frame <= 0 ||
      qmos_sample_frame_bytes(s->format) != s->bytes_per_frame)
    return ERR_AUDIOCONVERTER;
  while (sem_trywait(&st.wake) == 0) {
  }
  st.source = s;
  st.bpf = s->bytes_per_frame;
  // One second a half; a rate far above any device's keeps to four seconds of the mixer's.
  st.half_frames = std::clamp(s->rate / std::max(1, s->frames_per_packet), 1, kMaxHalfFrames);
  st.buffer = static_cast<uint8_t*>(qmos_alloc(size_t(st.half_frames) * 2 * size_t(st.bpf), 0));
  if (!st.buffer) return ERR_MEM;
  st.passes = ch.passes;
  st.pass = ch.pass;
  st.ended = false;
  st.quit.store(false);
  st.serve = 0;
  st.fill = 0;
  st.ready[0].store(false);
  st.ready[1].store(false);
  // The play clock counts the passes before this start too, so that a pause reports its pass.
  const int64_t duration =
      s->frames > 0 && s->kind != SOURCE_PROGRAM ? s->frames * 1000 / s->rate : 0;
  s->clock_offset_ms = int64_t(st.pass - 1) * duration + s->position * 1000 / s->rate;
  qmos_source_seek_keep_clock(s, ch.start_frame);
  fill_half(0);
  st.ready[0].store(true, std::memory_order_release);
  st.fill = 1;
  const bool single = st.last_in[0];
  if (!single) {
    void* handle = nullptr;
    if (!qmos_create_thread(stream_thread, nullptr, kStreamPriority, &handle)) {
      free_stream();
      return ERR_THREAD;
    }
    st.thread = static_cast<std::thread*>(handle);
  }
  channel_lock();
  ch.single_buffer = single;
  ch.start_pending = true;
  st.active = true;
  channel_unlock();
  return 0;
}

bool stream_half(StreamHalf* half) {
  StreamState& st = g_stream;
  if (!st.active) return false;
  const int32_t h = st.serve;
  if (!st.ready[h].load(std::memory_order_acquire)) return false;
  half->data = half_data(h);
  half->frames = st.frames_in[h];
  half->last = st.last_in[h];
  half->next =
      !half->last && st.ready[h ^ 1].load(std::memory_order_acquire) && st.frames_in[h ^ 1] > 0
          ? half_data(h ^ 1)
          : nullptr;
  half->format = st.source->format;
  half->flags = st.source->flags;
  return true;
}

void stream_half_done() {
  StreamState& st = g_stream;
  st.ready[st.serve].store(false, std::memory_order_release);
  st.serve ^= 1;
  qmos_wake_stream(0);
}

void stream_detach() {
  g_stream.active = false;
  g_stream.quit.store(true);
  if (g_sem_ready) sem_post(&g_stream.wake);
}

void stream_join() {
  if (g_stream.thread) {
    g_stream.thread->join();
    delete g_stream.thread;
    g_stream.thread = nullptr;
  }
  free_stream();
}

}  // namespace channel_internal
}  // namespace qm
