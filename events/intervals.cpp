// Intervals and timeouts (records of the event library, each backed by a platform timer that
// only records that it fired), and the message-port commands, which fail on this host.
#include <cstring>
#include <new>
#include <string>

#include "display/display.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "events/events.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"

namespace qm {

namespace {

ObjectHeader* g_intervals = nullptr;
ObjectHeader* g_timeouts = nullptr;

qmInterval* interval_of(ObjectHeader* h) { return reinterpret_cast<qmInterval*>(h); }

ObjectHeader** list_of(int32_t type) { return type == OBJ_INTERVAL ? &g_intervals : &g_timeouts; }

qmInterval* find(int32_t type, const ObjectId& id) {
  for (ObjectHeader* h = *list_of(type); h; h = h->next)
    if (h->id == id) return interval_of(h);
  return nullptr;
}

void unlink(qmInterval* rec) {
  for (ObjectHeader** p = list_of(rec->header.type); *p; p = &(*p)->next) {
    if (*p == &rec->header) {
      *p = rec->header.next;
      return;
    }
  }
}

int32_t add(int32_t type, const ObjectId& id, bool automatic, int32_t ms, int32_t callback, int32_t userdata,
            qmInterval** out) {
  qmInterval* rec = new (std::nothrow) qmInterval{};
  if (!rec) return ERR_MEM;
  rec->header.type = type;
  rec->header.id = id;
  if (automatic) rec->header.id = ObjectId{0, rec};
  rec->callback = callback;
  rec->userdata = userdata;
  rec->period = ms;
  ObjectHeader** tail = list_of(type);
  while (*tail) tail = &(*tail)->next;
  *tail = &rec->header;
  const int32_t op = type == OBJ_INTERVAL ? TIMER_ADD_INTERVAL : TIMER_ADD_TIMEOUT;
  if (int32_t err = platform_timer_control(op, rec->header.id, ms)) {
    // A timer that cannot run leaves no record behind.
    unlink(rec);
    delete rec;
    return err;
  }
  if (out) *out = rec;
  return 0;
}

void release(qmState* L, qmInterval* rec) {
  if (L) {
    if (rec->callback != -1) vm_ref_free(L, QM_REGISTRYINDEX, rec->callback);
    if (rec->userdata != -1) vm_ref_free(L, QM_REGISTRYINDEX, rec->userdata);
    reflist_free(L, rec->header.refs);
  }
  rec->header.refs = nullptr;
}

void remove(qmState* L, qmInterval* rec) {
  const bool interval = rec->header.type == OBJ_INTERVAL;
  const ObjectId id = rec->header.id;
  unlink(rec);
  release(L, rec);
  qmPlatformTimer* next = nullptr;
  if (qmPlatformTimer* t = platform_timer_find(interval ? TIMER_INTERVAL : TIMER_TIMEOUT, id, &next))
    poller_on_unlink(POLL_TIMERS, t, next);
  delete rec;
  platform_timer_control(interval ? TIMER_REMOVE_INTERVAL : TIMER_REMOVE_TIMEOUT, id, 0);
}

int32_t find_or_fail(int32_t type, const ObjectId& id, qmInterval** out) {
  *out = find(type, id);
  if (*out) return 0;
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return type == OBJ_INTERVAL ? ERR_FINDINTERVAL : ERR_FINDTIMEOUT;
}

// The service timer's interval: no callback, so the poller lets its firings pass.
int32_t service_add(void*, const ObjectId* id, int32_t ms, int32_t) { return interval_add(*id, ms, -1, -1, nullptr); }
void service_remove(void*, const ObjectId* id) { interval_remove(nullptr, *id); }

}  // namespace

int32_t interval_add(const ObjectId& id, int32_t ms, int32_t callback, int32_t userdata, qmInterval** out) {
  return add(OBJ_INTERVAL, id, false, ms, callback, userdata, out);
}
int32_t timeout_add(const ObjectId& id, int32_t ms, int32_t callback, int32_t userdata, qmInterval** out) {
  return add(OBJ_TIMEOUT, id, false, ms, callback, userdata, out);
}

void interval_remove(qmState* L, const ObjectId& id) {
  if (qmInterval* rec = find(OBJ_INTERVAL, id)) remove(L, rec);
}
void timeout_remove(qmState* L, const ObjectId& id) {
  if (qmInterval* rec = find(OBJ_TIMEOUT, id)) remove(L, rec);
}

int32_t interval_find(const ObjectId& id, qmInterval** out) { return find_or_fail(OBJ_INTERVAL, id, out); }
int32_t timeout_find(const ObjectId& id, qmInterval** out) { return find_or_fail(OBJ_TIMEOUT, id, out); }

qmInterval* timeout_take(const ObjectId& id) {
  qmInterval* rec = find(OBJ_TIMEOUT, id);
  if (!rec) return nullptr;
  unlink(rec);
  qmState* L = platform_main_state();
  if (L) reflist_free(L, rec->header.refs);
  rec->header.refs = nullptr;
  return rec;
}

void intervals_free_all(qmState* L) {
  for (ObjectHeader** list : {&g_intervals, &g_timeouts}) {
    while (ObjectHeader* h = *list) {
      remove(L, interval_of(h));
    }
  }
}

// SetInterval and SetTimeout.
static int32_t set_timer(qmState* L, int32_t type) {
  arg_check_count(L, 3, 4);
  const bool automatic = vm_type(L, 1) == QM_TNIL;
  const ObjectId id = automatic ? ObjectId{} : arg_get_id(L, 1);
  if (vm_type(L, 2) != QM_TFUNCTION) return ERR_FUNCEXPECTED;
  const int32_t ms = to_i32(vm_arg_check_number(L, 3));
  if (ms < 1) return ERR_WRONGUSAGE;
  if (!automatic) {
    if (qmInterval* old = find(type, id)) remove(L, old);
  }
  vm_push_value(L, 2);
  const int32_t callback = vm_ref_new(L, QM_REGISTRYINDEX);
  int32_t userdata = -1;
  if (vm_get_top(L) == 4) {
    vm_push_value(L, 4);
    userdata = vm_ref_new(L, QM_REGISTRYINDEX);
  }
  qmInterval* rec = nullptr;
  if (int32_t err = add(type, id, automatic, ms, callback, userdata, &rec)) {
    vm_ref_free(L, QM_REGISTRYINDEX, callback);
    if (userdata != -1) vm_ref_free(L, QM_REGISTRYINDEX, userdata);
    return err;
  }
  if (!automatic) return 0;
  vm_push_lightuserdata(L, rec);
  return 1;
}

int32_t cmd_setinterval(qmState* L) { return set_timer(L, OBJ_INTERVAL); }
int32_t cmd_settimeout(qmState* L) { return set_timer(L, OBJ_TIMEOUT); }

int32_t cmd_changeinterval(qmState* L) {
  arg_check_count(L, 2, 2);
  const ObjectId id = arg_get_id(L, 1);
  const int32_t ms = to_i32(vm_arg_check_number(L, 2));
  qmInterval* rec = nullptr;
  if (int32_t err = find_or_fail(OBJ_INTERVAL, id, &rec)) return err;
  return platform_timer_control(TIMER_RESTART_INTERVAL, rec->header.id, ms);
}

static int32_t clear_timer(qmState* L, int32_t type) {
  arg_check_count(L, 1, 1);
  qmInterval* rec = nullptr;
  if (int32_t err = find_or_fail(type, arg_get_id(L, 1), &rec)) return err;
  remove(L, rec);
  return 0;
}

int32_t cmd_clearinterval(qmState* L) { return clear_timer(L, OBJ_INTERVAL); }
int32_t cmd_cleartimeout(qmState* L) { return clear_timer(L, OBJ_TIMEOUT); }

int32_t cmd_createport(qmState* L) {
  arg_check_count(L, 1, 1);
  size_t len = 0;
  vm_arg_check_string(L, 1, &len);
  const qmDisplay* d = display_current();
  if (len > 127 || !d || d->win.state == DISPSTATE_CLOSED) return ERR_WRONGUSAGE;
  return platform_port_create();
}

int32_t cmd_sendmessage(qmState* L) {
  arg_check_count(L, 2, 0);
  const char* port = vm_arg_check_string(L, 1, nullptr);
  size_t len = 0;
  const char* command = vm_arg_check_string(L, 2, &len);
  if (len == 0 || std::memchr(command, ' ', len)) return ERR_WRONGUSAGE;
  std::string message(command, len);
  for (int32_t i = 3; i <= vm_get_top(L); ++i) {
    message += " \"";
    message += vm_arg_check_string(L, i, nullptr);
    message += '"';
  }
  return platform_port_send(port);
}

void intervals_register() {
  objlist_register(&g_intervals);
  objlist_register(&g_timeouts);
  qmos_set_interval_service(service_add, service_remove);
}

}  // namespace qm
