#include "events/input_queue.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/platform.h"

namespace {

// Static storage: the queue can neither fail to exist nor run out of memory.
qmInputEvent g_entries[INPUT_QUEUE_SIZE];
int32_t g_count = 0;
std::recursive_mutex g_mutex;
int32_t g_timeout_ms = 1500;
ResizeAbsorbed g_resize_absorbed = nullptr;
DetachListener g_detach_listener = nullptr;

// Removes entries 0..n with the mutex held; the moved-from tail is cleared so that no payload
// pointer is ever held by two slots.
void remove_locked(int32_t n) {
  if (n > INPUT_QUEUE_SIZE - 1) return;
  if (n < 0 || n >= g_count) n = g_count - 1;
  for (int32_t i = 0; i <= n; ++i) std::free(g_entries[i].payload);
  int32_t rest = g_count - (n + 1);
  if (rest > 0) std::memmove(&g_entries[0], &g_entries[n + 1], size_t(rest) * sizeof(qmInputEvent));
  std::memset(&g_entries[rest], 0, size_t(g_count - rest) * sizeof(qmInputEvent));
  g_count = rest;
}

}  // namespace

bool input_queue_post(qmDisplay* display, int32_t type, int32_t a, int32_t b, int32_t c, void* payload) {
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
  if (g_count >= INPUT_QUEUE_SIZE) return false;
  if (type == INPUT_RESIZED && display && g_resize_absorbed && g_resize_absorbed(display)) return false;
  g_entries[g_count++] = qmInputEvent{type, a, b, c, platform_clock().now_us(), display, payload};
  return true;
}

int32_t input_queue_peek(int32_t n, qmInputEvent* out, bool take_payload) {
  if (n < 0 || n >= g_count) return 0;
  *out = g_entries[n];
  if (take_payload) g_entries[n].payload = nullptr;
  return n + 1;
}

void input_queue_remove(int32_t n, int lock) {
  if (lock) {
    std::lock_guard<std::recursive_mutex> guard(g_mutex);
    remove_locked(n);
  } else {
    remove_locked(n);
  }
}

void input_queue_expire() {
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
  int64_t now = platform_clock().now_us();
  int32_t last = -1;
  for (int32_t i = 0; i < g_count; ++i) {
    if ((now - g_entries[i].time_us) / 1000 > g_timeout_ms) last = i;
  }
  if (last >= 0) remove_locked(last);
}

void input_queue_detach_display(const qmDisplay* display) {
  {
    std::lock_guard<std::recursive_mutex> lock(g_mutex);
    for (int32_t i = 0; i < g_count; ++i) {
      if (g_entries[i].display == display) g_entries[i].display = nullptr;
    }
  }
  if (g_detach_listener) g_detach_listener(display);
}

void input_queue_set_detach_listener(DetachListener listener) { g_detach_listener = listener; }

int32_t input_queue_count() {
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
  return g_count;
}

void input_queue_lock() { g_mutex.lock(); }
void input_queue_unlock() { g_mutex.unlock(); }

int32_t input_queue_timeout_ms() { return g_timeout_ms; }
void input_queue_set_timeout_ms(int32_t ms) { g_timeout_ms = ms < 0 ? 0 : ms; }

void input_queue_set_resize_absorbed(ResizeAbsorbed check) { g_resize_absorbed = check; }
