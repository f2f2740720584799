// Platform timers: the records of the running intervals and timeouts, fired on the clock inside
// the pump and the waits, collected one at a time by the event poller.
#include <climits>
#include <new>

#include "engine/errcodes.h"
#include "platform/platform.h"

namespace {

qmPlatformTimer* g_timers = nullptr;
int32_t g_fired = 0;  // records fired and not yet collected

bool same(const qm::ObjectId& a, const qm::ObjectId& b) { return a.number == b.number && a.handle == b.handle; }

void unlink(qmPlatformTimer* t) {
  for (qmPlatformTimer** p = &g_timers; *p; p = &(*p)->next) {
    if (*p == t) {
      *p = t->next;
      if (t->fired) --g_fired;
      return;
    }
  }
}

bool listed(const qmPlatformTimer* r) {
  for (const qmPlatformTimer* t = g_timers; t; t = t->next) {
    if (t == r) return true;
  }
  return false;
}

int32_t add(int32_t kind, const qm::ObjectId& id, int64_t period_ms) {
  qmPlatformTimer* t = new (std::nothrow) qmPlatformTimer{};
  if (!t) return qm::ERR_MEM;
  t->kind = kind;
  t->id = id;
  t->period_us = period_ms > 0 ? period_ms * 1000 : 0;
  int64_t now = platform_clock().now_us();
  t->due_us = kind == TIMER_INTERVAL ? now : now + t->period_us;
  qmPlatformTimer** tail = &g_timers;
  while (*tail) tail = &(*tail)->next;
  *tail = t;
  return 0;
}

}  // namespace

qmPlatformTimer* platform_timer_find(int32_t kind, const qm::ObjectId& id, qmPlatformTimer** next) {
  for (qmPlatformTimer* t = g_timers; t; t = t->next) {
    if (t->kind == kind && same(t->id, id)) {
      if (next) *next = t->next;
      return t;
    }
  }
  if (next) *next = nullptr;
  return nullptr;
}

int32_t platform_timer_control(int32_t op, const qm::ObjectId& id, int64_t period_ms) {
  // A period beyond a few centuries is as good as never and keeps the due-time sums in range.
  period_ms = period_ms < 0 ? 0 : period_ms > (int64_t(1) << 40) ? int64_t(1) << 40 : period_ms;
  switch (op) {
    case TIMER_ADD_INTERVAL:
      return add(TIMER_INTERVAL, id, period_ms);
    case TIMER_ADD_TIMEOUT:
      return add(TIMER_TIMEOUT, id, period_ms);
    case TIMER_REMOVE_INTERVAL:
    case TIMER_REMOVE_TIMEOUT:
      if (qmPlatformTimer* t = platform_timer_find(op == TIMER_REMOVE_INTERVAL ? TIMER_INTERVAL : TIMER_TIMEOUT, id)) {
        unlink(t);
        delete t;
      }
      return 0;
    case TIMER_RESTART_INTERVAL:
      if (qmPlatformTimer* t = platform_timer_find(TIMER_INTERVAL, id)) {
        t->period_us = period_ms * 1000;
        t->due_us = platform_clock().now_us();
      }
      return 0;
    default:
      return 0;
  }
}

int32_t platform_timers_fire_due() {
  if (!g_timers) return 0;
  int64_t now = platform_clock().now_us();
  int32_t marked = 0;
  for (qmPlatformTimer* t = g_timers; t; t = t->next) {
    if (t->due_us > now) continue;
    if (!t->fired) ++g_fired;
    t->fired = 1;
    ++marked;
    if (t->kind == TIMER_TIMEOUT) {
      t->due_us = INT64_MAX;
    } else {
      // An interval that fell behind is due one period after now: no burst of catch-up firings.
      t->due_us += t->period_us;
      if (t->due_us <= now) t->due_us = now + t->period_us;
      if (t->period_us == 0) t->due_us = now + 1;
    }
  }
  return marked;
}

int64_t platform_timers_next_due_us() {
  int64_t next = INT64_MAX;
  for (qmPlatformTimer* t = g_timers; t; t = t->next) {
    if (t->due_us < next) next = t->due_us;
  }
  if (next == INT64_MAX) return -1;
  int64_t now = platform_clock().now_us();
  return next <= now ? 0 : next - now;
}

qmPlatformTimer* qmos_timer_expiry_read(qmPlatformTimer* record, int32_t* kind, qm::ObjectId* id) {
  *kind = TIMER_NONE;
  if (!record) {
    platform_timers_fire_due();
    record = g_timers;
  } else if (!listed(record)) {
    // A cursor kept across calls whose record was removed meanwhile ends the scan.
    return nullptr;
  }
  if (!record) return nullptr;
  qmPlatformTimer* next = record->next;
  if (!record->fired) return next;
  *kind = record->kind;
  *id = record->id;
  if (record->kind == TIMER_TIMEOUT) {
    unlink(record);
    delete record;
  } else {
    record->fired = 0;
    --g_fired;
  }
  return next;
}

int32_t platform_timers_fired() { return g_fired; }

void platform_timers_free_all() {
  while (qmPlatformTimer* t = g_timers) {
    g_timers = t->next;
    delete t;
  }
  g_fired = 0;
}
