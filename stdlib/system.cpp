// The "system" library, first half: timers, dates, waiting, catalogs, the message box, memory
// information, ending the program, error handling, Sort and debug printing. The table and value
// commands are in system_tables.cpp and are registered from the same command table.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "runtime/args.h"
#include "runtime/catalog.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/registry.h"
#include "stdlib/stdlib.h"
#include "stdlib/system_internal.h"

using namespace qm;

namespace {

constexpr int32_t kSeconds = 0, kMilliseconds = 1, kTicks = 2;
constexpr int32_t kDateYear = 0, kDateMonth = 1, kDateDay = 2, kDateTime = 3;
constexpr int32_t kChipMemory = 0, kFastMemory = 1;

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// ---- timers ----

struct qmTimer {
  qm::ObjectHeader header;  // type OBJ_TIMER
  qmTimeVal start;
  qmTimeVal banked;
  int32_t paused;
};

qm::ObjectList g_timers;
qmCatalog* g_catalog = nullptr;
SystemClock g_clock = qmos_get_time;

void now(qmTimeVal* tv) { g_clock(tv); }

// 64-bit milliseconds: no wrap after 24 days of running.
int64_t to_ms(const qmTimeVal& t) { return int64_t(t.seconds) * 1000 + t.micros / 1000; }

int64_t elapsed_ms(const qmTimer* t) {
  qmTimeVal e = t->banked;
  if (!t->paused) {
    qmTimeVal n;
    now(&n);
    qmos_time_sub(&n, &t->start);
    qmos_time_add(&e, &n);
  }
  return to_ms(e);
}

void restart(qmTimer* t) {
  now(&t->start);
  t->banked = qmTimeVal{};
  t->paused = 0;
}

qmTimer* find_timer(const qm::ObjectId& id) {
  return reinterpret_cast<qmTimer*>(g_timers.find(id));
}

// The timer named by argument n, or the not-found error raised with the id.
qmTimer* timer_arg(qmState* L, int32_t n) {
  qm::ObjectId id = qm::arg_get_id(L, n);
  qmTimer* t = find_timer(id);
  if (t) return t;
  if (id.handle) vm_command_fail(L, ERR_FINDARRAY);
  qm::err_set_number_arg(id.number);
  vm_command_fail(L, ERR_FINDTIMER);
}

int32_t cmd_starttimer(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  bool automatic = vm_type(L, 1) == QM_TNIL;
  qm::ObjectId id;
  if (!automatic) {
    id = qm::arg_get_id(L, 1);
    if (qmTimer* t = find_timer(id)) {
      restart(t);
      return 0;
    }
  }
  auto* t = static_cast<qmTimer*>(std::calloc(1, sizeof(qmTimer)));
  if (!t) return ERR_MEM;
  t->header.type = qm::OBJ_TIMER;
  if (automatic) id.handle = t;
  t->header.id = id;
  restart(t);
  if (!g_timers.append(&t->header)) {
    std::free(t);
    return ERR_MEM;
  }
  if (automatic) {
    vm_push_lightuserdata(L, t);
    return 1;
  }
  return 0;
}

int32_t cmd_gettimer(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  vm_push_number(L, double(elapsed_ms(timer_arg(L, 1))));
  return 1;
}

int32_t cmd_pausetimer(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  qmTimer* t = timer_arg(L, 1);
  if (!t->paused) {
    qmTimeVal n;
    now(&n);
    qmos_time_sub(&n, &t->start);
    qmos_time_add(&t->banked, &n);
    t->start = qmTimeVal{};
    t->paused = 1;
  }
  return 0;
}

int32_t cmd_resumetimer(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  qmTimer* t = timer_arg(L, 1);
  if (t->paused) {
    now(&t->start);
    t->paused = 0;
  }
  return 0;
}

int32_t cmd_resettimer(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  qmTimer* t = timer_arg(L, 1);
  int64_t ms = qm::to_i32(vm_arg_opt_number(L, 2, 0));
  t->banked.seconds = uint32_t(ms / 1000);
  t->banked.micros = uint32_t((ms % 1000) * 1000);
  now(&t->start);
  t->paused = 0;
  return 0;
}

int32_t cmd_stoptimer(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  qmTimer* t = timer_arg(L, 1);
  g_timers.remove(&t->header);
  qm::reflist_free(L, t->header.refs);
  std::free(t);
  return 0;
}

int32_t cmd_waittimer(qmState* L) {
  qm::arg_check_count(L, 2, 3);
  qmTimer* t = timer_arg(L, 1);
  int64_t time = qm::to_i32(vm_arg_check_number(L, 2));
  bool reset = vm_arg_opt_number(L, 3, 1) != 0;
  if (t->paused) return ERR_WRONGUSAGE;
  int64_t remaining = time - elapsed_ms(t);
  if (remaining > 0) {
    int32_t err = platform_wait_ms(remaining);
    if (err) return err;
  }
  if (reset) restart(t);
  return 0;
}

int32_t cmd_wait(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  int64_t time = qm::to_i32(vm_arg_check_number(L, 1));
  int32_t unit = qm::to_i32(vm_arg_opt_number(L, 2, kTicks));
  if (time < 1) return 0;
  int64_t ms = unit == kTicks ? time * 20 : unit == kSeconds ? time * 1000 : time;
  return platform_wait_ms(ms);
}

// ---- dates ----

int32_t cmd_getdate(qmState* L) {
  qm::arg_check_count(L, 0, 1);
  if (vm_arg_opt_number(L, 1, 0) == 0) {
    vm_push_string(L, platform_format_date(0).c_str());
    return 1;
  }
  qmDateParts d;
  platform_get_date_parts(&d);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2d-%s-20%.2d %.2d:%.2d:%.2d", d.day, kMonths[(d.month - 1) % 12],
                d.year % 100, d.hour, d.minute, d.second);
  vm_push_string(L, buf);
  return 1;
}

int32_t cmd_gettime(qmState* L) {
  qm::arg_check_count(L, 0, 1);
  std::string t = platform_format_date(2);
  if (vm_arg_opt_number(L, 1, 0) == 0 && t.size() >= 3) t.resize(t.size() - 3);
  vm_push_lstring(L, t.data(), t.size());
  return 1;
}

int32_t cmd_getweekday(qmState* L) {
  qm::arg_check_count(L, 0, 0);
  vm_push_string(L, platform_format_date(3).c_str());
  return 1;
}

int32_t cmd_getdatenum(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  int32_t type = qm::to_i32(vm_arg_check_number(L, 1));
  qmDateParts d;
  platform_get_date_parts(&d);
  double v = 0;
  if (type == kDateYear) v = 2000 + d.year % 100;
  else if (type == kDateMonth) v = d.month;
  else if (type == kDateDay) v = d.day;
  else if (type == kDateTime) v = d.hour * 10000 + d.minute * 100 + d.second;
  vm_push_number(L, v);
  return 1;
}

// ---- catalogs ----

void close_catalog() {
  if (g_catalog) qmos_close_catalog(g_catalog);
  g_catalog = nullptr;
}

int32_t cmd_opencatalog(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  const char* name = vm_arg_check_string(L, 1, nullptr);
  int32_t version = qm::to_i32(vm_arg_opt_number(L, 2, 0));
  close_catalog();
  (void)version;  // read for compatibility; catalogs carry no version check here
  g_catalog = qmos_open_catalog(name);
  return 0;
}

int32_t cmd_closecatalog(qmState* L) {
  qm::arg_check_count(L, 0, 0);
  close_catalog();
  return 0;
}

int32_t cmd_getcatalogstring(qmState* L) {
  qm::arg_check_count(L, 2, 2);
  int32_t id = qm::to_i32(vm_arg_check_number(L, 1));
  const char* def = vm_arg_check_string(L, 2, nullptr);
  vm_push_string(L, qmos_get_catalog_string(g_catalog, id, def));
  return 1;
}

// ---- requester, memory, end, errors ----

int32_t cmd_systemrequest(qmState* L) {
  qm::arg_check_count(L, 3, 4);
  const char* title = vm_arg_check_string(L, 1, nullptr);
  const char* body = vm_arg_check_string(L, 2, nullptr);
  const char* buttons = vm_arg_check_string(L, 3, nullptr);
  int32_t icon = qm::to_i32(vm_arg_opt_number(L, 4, 0));
  int32_t r = qm::err_system_request(title, body, buttons, icon);
  if (r < 0) return ERR_MEM;
  vm_push_number(L, r);
  return 1;
}

int32_t cmd_getmemoryinfo(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  int32_t type = qm::to_i32(vm_arg_check_number(L, 1));
  if (type != kChipMemory && type != kFastMemory) return ERR_WRONGUSAGE;
  vm_push_number(L, double(platform_get_physical_memory()));
  return 1;
}

int32_t cmd_end(qmState* L) {
  qm::arg_check_count(L, 0, 0);
  vm_request_end();
  return 0;
}

int32_t cmd_geterrorname(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  int32_t code = qm::to_i32(vm_arg_check_number(L, 1));
  char text[qm::ERR_TEXT_SIZE];
  qm::err_get_text(code, text, sizeof text);
  vm_push_string(L, text);
  return 1;
}

int32_t cmd_exitonerror(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  vm_set_exit_on_error(L, vm_arg_check_number(L, 1) != 0);
  return 0;
}

int32_t cmd_getlasterror(qmState* L) {
  qm::arg_check_count(L, 0, 0);
  vm_push_number(L, vm_get_last_error(L));
  return 1;
}

int32_t cmd_debugoutput(qmState* L) {
  qm::arg_check_count(L, 1, 1);
  vm_set_call_tracer(L, vm_arg_check_number(L, 1) != 0);
  return 0;
}

// ---- Sort ----

struct Sorter {
  qmState* L;
  bool has_compare;
  int32_t table = 1;  // stack index of the list; the compare function, when given, sits at 2

  // 1 when the value at ia goes before the value at ib.
  bool before(int32_t ia, int32_t ib) {
    int32_t top = vm_get_top(L);
    if (ia < 0) ia = top + ia + 1;
    if (ib < 0) ib = top + ib + 1;
    if (!has_compare) {
      bool r = vm_less_than(L, ia, ib) != 0;
      return r;
    }
    vm_push_value(L, 2);
    vm_push_value(L, ia);
    vm_push_value(L, ib);
    vm_call(L, 2, 1);
    bool r = vm_to_number(L, -1) != 0;
    vm_set_top(L, -2);
    return r;
  }

  void get(int32_t i) { vm_raw_geti(L, table, i); }
  void set(int32_t i) { vm_raw_seti(L, table, i); }  // pops the value

  // Compares a[i] and a[j] (read raw).
  bool before_at(int32_t i, int32_t j) {
    get(i);
    get(j);
    bool r = before(-2, -1);
    vm_set_top(L, -3);
    return r;
  }

  void swap(int32_t i, int32_t j) {
    get(i);
    get(j);
    set(i);
    set(j);
  }

  void sort(int32_t lo, int32_t up) {
    while (lo < up) {
      if (before_at(up, lo)) swap(lo, up);
      if (up - lo == 1) break;
      int32_t mid = int32_t((int64_t(lo) + up) / 2);
      if (before_at(mid, lo)) {
        swap(mid, lo);
      } else if (before_at(up, mid)) {
        swap(mid, up);
      }
      if (up - lo == 2) break;
      get(mid);  // the pivot stays on the stack while this part is partitioned
      int32_t pivot = vm_get_top(L);
      swap(mid, up - 1);
      int32_t i = lo, j = up - 1;
      for (;;) {
        for (;;) {
          get(++i);
          bool b = before(-1, pivot);
          vm_set_top(L, -2);
          if (!b) break;
          if (i > up) vm_command_fail(L, ERR_SORTFUNC);
        }
        for (;;) {
          get(--j);
          bool b = before(pivot, -1);
          vm_set_top(L, -2);
          if (!b) break;
          if (j < lo) vm_command_fail(L, ERR_SORTFUNC);
        }
        if (j < i) break;
        swap(i, j);
      }
      vm_set_top(L, pivot - 1);
      swap(up - 1, i);
      if (i - lo < up - i) {
        sort(lo, i - 1);
        lo = i + 1;
      } else {
        sort(i + 1, up);
        up = i - 1;
      }
    }
  }
};

int32_t cmd_sort(qmState* L) {
  qm::arg_check_count(L, 1, 2);
  vm_arg_check_table(L, 1);
  bool has_compare = vm_get_top(L) >= 2 && vm_type(L, 2) != QM_TNIL;
  if (has_compare) vm_arg_check_function(L, 2);
  vm_set_top(L, 2);
  if (!vm_check_stack(L, 40)) return ERR_STACK;
  int32_t n = sort_count(L, 1, has_compare);
  Sorter s{L, has_compare, 1};
  s.sort(0, n - 1);
  return 0;
}

// ---- debug printing ----

int32_t cmd_debugprint(qmState* L) {
  qm::arg_check_count(L, 1, 0);
  int32_t n = vm_get_top(L);
  std::string line;
  for (int32_t i = 1; i <= n; i++) {
    vm_push_string(L, "tostring");
    vm_get_table(L, QM_GLOBALSINDEX);
    vm_push_value(L, i);
    vm_call(L, 1, 1);
    size_t len = vm_string_length(L, -1);
    const char* s = vm_to_string(L, -1);
    if (i > 1) line += ' ';
    // Written as it stands: a "%" in a value prints as itself, never as a format directive.
    if (s) line.append(s, len);
    vm_set_top(L, -2);
  }
  line += '\n';
  platform_debug_write(line.data(), line.size());
  return 0;
}

}  // namespace

void sort_list(qmState* L, int32_t t, int32_t n) {
  if (n < 2 || !vm_check_stack(L, 40)) return;
  Sorter s{L, false, vm_abs_index(L, t)};
  s.sort(0, n - 1);
}

void system_set_clock(SystemClock clock) { g_clock = clock ? clock : qmos_get_time; }

int32_t sort_count(qmState* L, int32_t t, bool has_compare) {
  int32_t n = 0;
  for (;; n++) {
    vm_raw_geti(L, t, n);
    int32_t type = vm_type(L, -1);
    bool stop = type == QM_TNIL ||
                (!has_compare && (type == QM_TSTRING || type == QM_TNUMBER) && vm_string_length(L, -1) == 0);
    vm_set_top(L, -2);
    if (stop) return n;
  }
}

const qmCommand kSystemTimeCommands[] = {
    {"CloseCatalog", cmd_closecatalog},
    {"DebugOutput", cmd_debugoutput},
    {"DebugPrint", cmd_debugprint},
    {"DebugStr", cmd_debugprint},
    {"DebugVal", cmd_debugprint},
    {"End", cmd_end},
    {"ExitOnError", cmd_exitonerror},
    {"GetCatalogString", cmd_getcatalogstring},
    {"GetDate", cmd_getdate},
    {"GetDateNum", cmd_getdatenum},
    {"GetErrorName", cmd_geterrorname},
    {"GetLastError", cmd_getlasterror},
    {"GetMemoryInfo", cmd_getmemoryinfo},
    {"GetTime", cmd_gettime},
    {"GetTimer", cmd_gettimer},
    {"GetWeekday", cmd_getweekday},
    {"OpenCatalog", cmd_opencatalog},
    {"PauseTimer", cmd_pausetimer},
    {"ResetTimer", cmd_resettimer},
    {"ResumeTimer", cmd_resumetimer},
    {"Sort", cmd_sort},
    {"StartTimer", cmd_starttimer},
    {"StopTimer", cmd_stoptimer},
    {"SystemRequest", cmd_systemrequest},
    {"Wait", cmd_wait},
    {"WaitTimer", cmd_waittimer},
    {nullptr, nullptr},
};

const qmConstant kSystemConstants[] = {
    {"SECONDS", nullptr, kSeconds},       {"MILLISECONDS", nullptr, kMilliseconds},
    {"TICKS", nullptr, kTicks},           {"DATEYEAR", nullptr, kDateYear},
    {"DATEMONTH", nullptr, kDateMonth},   {"DATEDAY", nullptr, kDateDay},
    {"DATETIME", nullptr, kDateTime},     {"CHIPMEMORY", nullptr, kChipMemory},
    {"FASTMEMORY", nullptr, kFastMemory}, {"NIL", nullptr, 0},
    {"REQ_NORMAL", nullptr, 0},           {"REQ_MULTISELECT", nullptr, 1},
    {"REQ_SAVEMODE", nullptr, 2},         {"ALL", nullptr, 0},
    {"ALPHANUMERICAL", nullptr, 1},       {"NUMERICAL", nullptr, 3},
    {"HEXNUMERICAL", nullptr, 4},         {"CLIPBOARD_EMPTY", nullptr, 0},
    {"CLIPBOARD_TEXT", nullptr, 1},       {"CLIPBOARD_IMAGE", nullptr, 2},
    {"CLIPBOARD_UNKNOWN", nullptr, 4},    {"PRGTYPE_SCRIPT", nullptr, 0},
    {"PRGTYPE_APPLET", nullptr, 1},       {"PRGTYPE_PROGRAM", nullptr, 2},
    {"NUMBER", nullptr, 2},               {"STRING", nullptr, 3},
    {"TABLE", nullptr, 4},                {"FUNCTION", nullptr, 5},
    {"USERDATA", nullptr, 8},             {"LIGHTUSERDATA", nullptr, 9},
    {"THREAD", nullptr, 10},              {"INTEGER", nullptr, 1},
    {"LONG", nullptr, 1},                 {"SHORT", nullptr, 6},
    {"WORD", nullptr, 6},                 {"BYTE", nullptr, 7},
    {nullptr, nullptr, 0},
};

int32_t system_open(qmState* L) {
  // One command table for the whole library, so that the command listing shows both halves.
  static const std::vector<qmCommand> commands = [] {
    std::vector<qmCommand> all;
    for (const qmCommand* c = kSystemTimeCommands; c->name; c++) all.push_back(*c);
    for (const qmCommand* c = kSystemTableCommands; c->name; c++) all.push_back(*c);
    for (const qmCommand* t : {kSystemRequestCommands, kSystemClipboardCommands, kSystemInfoCommands})
      for (const qmCommand* c = t; c->name; c++) all.push_back(*c);
    all.push_back({nullptr, nullptr});
    return all;
  }();
  vm_push_value(L, QM_GLOBALSINDEX);
  vm_register_commands(L, nullptr, commands.data(), 0);
  vm_set_top(L, 0);
  int32_t err = qm::library_register_name(commands.data(), "system");
  if (err) return err;
  vm_register_constants(L, kSystemConstants, 0);
  qm::objlist_register(&g_timers.head);
  system_requesters_install();
  vm_set_getlasterror_command(L, cmd_getlasterror);
  return 0;
}

void system_cleanup() {
  for (qm::ObjectHeader* h = g_timers.take_all(); h;) {
    qm::ObjectHeader* next = h->next;
    system_items_drop(h->refs);
    std::free(h);
    h = next;
  }
  close_catalog();
  system_requesters_reset();
}
