// The event poller: one resumable walk over every event source per cycle, delivering at most one
// event per call, and the pump behind WaitEvent and CheckEvent.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/display.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "events/events.h"
#include "runtime/args.h"

namespace qm {

namespace {

// Where the next call resumes.
enum Phase : int32_t {
  PH_START = 0, PH_TIMERS = 1, PH_SOUND = 2, PH_MOUSEMOVE = 3, PH_PORTS = 4, PH_ENTRY_SECOND = 5,
  PH_NEXT_ENTRY = 6, PH_HOVER = 7, PH_UDP = 9, PH_SERVERS = 10, PH_DATA = 11, PH_CLOSED = 12,
  PH_AFTER_MUSIC = 13, PH_AFTER_PORT = 14,
};

struct Poller {
  int32_t phase = PH_START;
  // The timer scan: the record to read next, and whether this cycle's scan has passed the last
  // record (a null cursor alone would read the list from its head again).
  qmPlatformTimer* timer_cursor = nullptr;
  bool timer_started = false;
  bool timer_done = false;
  qmInputEvent entry{};  // the entry in hand; its payload is ours
  bool entry_held = false;
  qmDisplay* move_cursor = nullptr;    // the next display of the mouse-move source
  qmDisplay* hover_display = nullptr;  // the display whose buttons the hover tracking examines
  bool hover_in_buttons = false;       // its button scan goes on at the next call
  ButtonTracking buttons;
  void* udp_cursor = nullptr;
  void* server_cursor = nullptr;
  void* data_cursor = nullptr;
  void* closed_cursor = nullptr;
};

Poller g_poll;

qmDisplay* first_display() {
  ObjectHeader* h = display_system().list;
  return h ? display_of(h) : nullptr;
}
qmDisplay* next_display(qmDisplay* d) { return d->header.next ? display_of(d->header.next) : nullptr; }

void drop_entry() {
  std::free(g_poll.entry.payload);
  g_poll.entry.payload = nullptr;
  g_poll.entry_held = false;
}

// Fills the record from a handler slot; false when the slot is empty.
bool from_slot(qmEventRecord* r, const int32_t slot[2], int32_t kind, const char* name) {
  if (slot[0] == -1) return false;
  r->kind = kind;
  r->callback = slot[0];
  r->userdata = slot[1];
  std::snprintf(r->name, sizeof r->name, "%s", name);
  return true;
}

bool from_global(qmEventRecord* r, int32_t slot, int32_t kind, const char* name) {
  const HandlerSlot& s = event_global_slot(slot);
  const int32_t pair[2] = {s.callback, s.userdata};
  return from_slot(r, pair, kind, name);
}

void display_point(const qmDisplay* d, int32_t x, int32_t y, int32_t* ox, int32_t* oy) {
  *ox = int32_t((x - d->margin[0]) / (d->scale_x > 0 ? d->scale_x : 1.0));
  *oy = int32_t((y - d->margin[1]) / (d->scale_y > 0 ? d->scale_y : 1.0));
}

// Looks the label up: true with the Gosub set up (the record's name holds it).
bool label_jump(qmState* L, qmEventRecord* r, const char* label) {
  if (vm_label_find(L, label) < 0) return false;
  std::snprintf(r->name, sizeof r->name, "%.31s", label);
  r->kind = EV_LABEL;
  return true;
}

const char* kWindowLabels[] = {"MOVEWINDOW", "SIZEWINDOW", "INACTIVEWINDOW", "ACTIVEWINDOW", "CLOSEWINDOW"};

// Step 10: label events of the legacy list against the queued input. The mutex is held.
bool legacy_queue_match(qmState* L, qmEventRecord* r) {
  LegacyState& lg = legacy_events();
  if (!lg.list) return false;
  for (int32_t n = 0;; ++n) {
    qmInputEvent e{};
    if (!input_queue_peek(n, &e, false)) return false;
    if (!e.display) continue;
    char keyname[32] = {};
    const bool key_down = e.type == INPUT_KEY && e.a == 1;
    if (key_down) {
      int32_t row = -1;
      for (int32_t i = KEYROW_FIRST_KEY; i < KEYROW_FIRST_MODIFIER; ++i)
        if (kKeyNames[i].code == e.c) row = i;
      if (row >= 0) std::snprintf(keyname, sizeof keyname, "%s", kKeyNames[row].name);
      else std::snprintf(keyname, sizeof keyname, "%c", char(e.c));
    }
    int32_t px = 0, py = 0;
    display_point(e.display, e.a, e.b, &px, &py);
    for (LegacyEvent* rec = lg.list; rec; rec = rec->next) {
      if (!rec->enabled) continue;
      const bool inside = px >= rec->x1 && px <= rec->x2 && py >= rec->y1 && py <= rec->y2;
      char label[48] = {};
      switch (rec->kind) {
        case 2:
          if (e.type != INPUT_LEFTMOUSE || e.c != 1 || !inside) continue;
          if (lg.all_click) std::snprintf(label, sizeof label, "ONBUTTONCLICKALL"), lg.last_id = rec->id;
          else std::snprintf(label, sizeof label, "ONBUTTONCLICK%d", rec->id);
          break;
        case 5:
          if (e.type != INPUT_RIGHTMOUSE || e.c != 1 || !inside) continue;
          if (lg.all_right) std::snprintf(label, sizeof label, "ONBUTTONRIGHTCLICKALL"), lg.last_id = rec->id;
          else std::snprintf(label, sizeof label, "ONBUTTONRIGHTCLICK%d", rec->id);
          break;
        case 3:
          if (!key_down || !rec->key || strcasecmp(rec->key, keyname) != 0) continue;
          if (lg.all_key) std::snprintf(label, sizeof label, "ONKEYDOWNALL"), lg.last_id = rec->id;
          else std::snprintf(label, sizeof label, "ONKEYDOWN%d", rec->id);
          lg.last_key = e.c;
          break;
        case 6: case 7: case 8: case 9: case 10: {
          static const int32_t kTypes[] = {INPUT_MOVED, INPUT_RESIZED, INPUT_DEACTIVATED, INPUT_ACTIVATED, INPUT_CLOSE};
          if (e.type != kTypes[rec->kind - 6]) continue;
          std::snprintf(label, sizeof label, "%s", kWindowLabels[rec->kind - 6]);
          break;
        }
        default:
          continue;
      }
      if (label_jump(L, r, label)) {
        input_queue_remove(n, 0);
        return true;
      }
      break;  // no such label: the rest of the records are not tried for this entry
    }
  }
}

// The first half of an entry: the display-level mouse handlers.
bool entry_first_half(qmEventRecord* r, const qmInputEvent& e) {
  const auto* cb = e.display->callbacks;
  const bool down = e.c == 1;
  switch (e.type) {
    case INPUT_LEFTMOUSE:
      return down ? from_slot(r, cb[HSLOT_ONMOUSEDOWN], EV_DISPLAY, "OnMouseDown")
                  : from_slot(r, cb[HSLOT_ONMOUSEUP], EV_DISPLAY, "OnMouseUp");
    case INPUT_RIGHTMOUSE:
      return down ? from_slot(r, cb[HSLOT_ONRIGHTMOUSEDOWN], EV_DISPLAY, "OnRightMouseDown")
                  : from_slot(r, cb[HSLOT_ONRIGHTMOUSEUP], EV_DISPLAY, "OnRightMouseUp");
    case INPUT_MIDMOUSE:
      return down ? from_slot(r, cb[HSLOT_ONMIDMOUSEDOWN], EV_DISPLAY, "OnMidMouseDown")
                  : from_slot(r, cb[HSLOT_ONMIDMOUSEUP], EV_DISPLAY, "OnMidMouseUp");
    case INPUT_WHEELUP: return from_slot(r, cb[HSLOT_ONWHEELUP], EV_DISPLAY, "OnWheelUp");
    case INPUT_WHEELDOWN: return from_slot(r, cb[HSLOT_ONWHEELDOWN], EV_DISPLAY, "OnWheelDown");
    default: return false;
  }
}

// The second half: buttons, keys, window changes, drops and the rest.
bool entry_second_half(qmEventRecord* r, const qmInputEvent& e) {
  const auto* cb = e.display->callbacks;
  switch (e.type) {
    case INPUT_LEFTMOUSE:
    case INPUT_RIGHTMOUSE:
    case INPUT_MIDMOUSE:
      return event_sources().button_click(e.display, e, r);
    case INPUT_KEY: {
      const bool down = e.a == 1;
      if (!(down ? from_slot(r, cb[HSLOT_ONKEYDOWN], EV_KEY, "OnKeyDown")
                 : from_slot(r, cb[HSLOT_ONKEYUP], EV_KEY, "OnKeyUp")))
        return false;
      r->raw_key = e.b;
      key_text(e.c, r->key);
      return true;
    }
    case INPUT_MOVED: return from_slot(r, cb[HSLOT_MOVEWINDOW], EV_MOVEWINDOW, "MoveWindow");
    case INPUT_RESIZED: return from_slot(r, cb[HSLOT_SIZEWINDOW], EV_SIZEWINDOW, "SizeWindow");
    case INPUT_DEACTIVATED: return from_slot(r, cb[HSLOT_INACTIVEWINDOW], EV_DISPLAY, "InactiveWindow");
    case INPUT_CLOSE: return from_slot(r, cb[HSLOT_CLOSEWINDOW], EV_DISPLAY, "CloseWindow");
    case INPUT_ACTIVATED: return from_slot(r, cb[HSLOT_ACTIVEWINDOW], EV_DISPLAY, "ActiveWindow");
    case INPUT_HIDDEN: return from_slot(r, cb[HSLOT_HIDEWINDOW], EV_DISPLAY, "HideWindow");
    case INPUT_SHOWN: return from_slot(r, cb[HSLOT_SHOWWINDOW], EV_DISPLAY, "ShowWindow");
    case INPUT_MODESWITCH: return from_slot(r, cb[HSLOT_MODESWITCH], EV_MODESWITCH, "ModeSwitch");
    case INPUT_DROP:
      if (!from_slot(r, cb[HSLOT_ONDROPFILE], EV_DROPFILE, "OnDropFile")) return false;
      r->x = e.a;
      r->y = e.b;
      r->payload = e.payload;
      return true;
    case INPUT_CLIPBOARD: return from_slot(r, cb[HSLOT_CLIPBOARDCHANGE], EV_DISPLAY, "ClipboardChange");
    case INPUT_ORIENTATION: return from_slot(r, cb[HSLOT_ORIENTATIONCHANGE], EV_ORIENTATION, "OrientationChange");
    case INPUT_KEYBOARDSHOWN: return from_slot(r, cb[HSLOT_SHOWKEYBOARD], EV_DISPLAY, "ShowKeyboard");
    case INPUT_KEYBOARDHIDDEN: return from_slot(r, cb[HSLOT_HIDEKEYBOARD], EV_DISPLAY, "HideKeyboard");
    default: return false;
  }
}

// Steps of one cycle, in order. Each answers whether it produced an event (the record is filled
// and the phase stored).
enum Step : int32_t {
  ST_MUSIC, ST_TIMERS, ST_SOUND, ST_MOUSEMOVE, ST_UDP, ST_SERVERS, ST_DATA, ST_CLOSED, ST_PORTS,
  ST_LEGACY, ST_NEXT_ENTRY, ST_ENTRY_SECOND, ST_HOVER,
};

// The event of a fired interval or timeout.
void timer_event(qmEventRecord* r, int32_t kind, const char* name, const qmInterval& timer) {
  g_poll.phase = PH_TIMERS;
  r->kind = kind;
  std::snprintf(r->name, sizeof r->name, "%s", name);
  r->object = timer.header.id;
  r->callback = timer.callback;
  r->userdata = timer.userdata;
}

bool step_timers(qmEventRecord* r) {
  Poller& s = g_poll;
  if (!s.timer_started) {
    platform_timers_fire_due();
    s.timer_done = platform_timers_fired() == 0;
  }
  while (!s.timer_done) {
    int32_t kind = TIMER_NONE;
    ObjectId id;
    qmPlatformTimer* next = qmos_timer_expiry_read(s.timer_started ? s.timer_cursor : nullptr, &kind, &id);
    s.timer_started = true;
    s.timer_cursor = next;
    // Past the last record, or past the last one that fired.
    if (!next || platform_timers_fired() == 0) s.timer_done = true;
    if (kind == TIMER_INTERVAL) {
      qmInterval* iv = nullptr;
      if (interval_find(id, &iv) == 0 && iv->callback != -1) {
        timer_event(r, EV_INTERVAL, "Interval", *iv);
        return true;
      }
    } else if (kind == TIMER_TIMEOUT) {
      // The record goes before its callback runs; its references after.
      if (qmInterval* to = timeout_take(id)) {
        timer_event(r, EV_TIMEOUT, "Timeout", *to);
        delete to;
        return true;
      }
    }
  }
  return false;
}

bool step_sound(qmEventRecord* r) {
  if (event_global_slot(GSLOT_ONSAMPLELOOP).callback == -1 && event_global_slot(GSLOT_ONSAMPLEEND).callback == -1 &&
      event_global_slot(GSLOT_ONMUSICEND).callback == -1 && event_global_slot(GSLOT_ONVIDEOEND).callback == -1)
    return false;
  int32_t code = 0, time = 0, starts = 0;
  ObjectId id;
  while (event_sources().sound_take(&code, &id, &time, &starts)) {
    bool got = false;
    switch (code) {
      case 6: got = from_global(r, GSLOT_ONSAMPLELOOP, EV_SOUND, "OnSampleLoop"); break;
      case 5: got = from_global(r, GSLOT_ONSAMPLEEND, EV_SOUND, "OnSampleEnd"); break;
      case 7: got = from_global(r, GSLOT_ONMUSICEND, EV_SOUND, "OnMusicEnd"); break;
      case 8: got = from_global(r, GSLOT_ONVIDEOEND, EV_SOUND, "OnVideoEnd"); break;
      default: break;
    }
    if (!got) continue;
    g_poll.phase = PH_SOUND;
    r->object = id;
    r->time = time;
    r->starts = starts;
    return true;
  }
  return false;
}

bool step_mouse_move(qmEventRecord* r, bool resume) {
  Poller& s = g_poll;
  qmDisplay* d = resume ? s.move_cursor : first_display();
  const int64_t now = platform_clock().now_us();
  for (; d; d = next_display(d)) {
    if (!d->mouse_moved || (now - d->mouse_moved_us) / 1000 > input_queue_timeout_ms()) continue;
    if (!from_slot(r, d->callbacks[HSLOT_ONMOUSEMOVE], EV_MOUSEMOVE, "OnMouseMove")) continue;
    r->display = d;
    s.move_cursor = next_display(d);
    s.phase = PH_MOUSEMOVE;
    return true;
  }
  s.move_cursor = nullptr;
  return false;
}

// A network source: the object from the cursor on with something pending.
template <class Take>
bool step_network(int32_t slot, int32_t kind, const char* name, int32_t phase, void** cursor, bool resume,
                  qmEventRecord* r, Take take) {
  if (event_global_slot(slot).callback == -1) return false;
  void* found = take(resume ? *cursor : nullptr);
  if (!found) {
    *cursor = nullptr;
    return false;
  }
  from_global(r, slot, kind, name);
  *cursor = event_sources().next_of(found);
  g_poll.phase = phase;
  return true;
}

bool step_hover(qmState* L, qmEventRecord* r, bool resume) {
  Poller& s = g_poll;
  LegacyState& lg = legacy_events();
  qmDisplay* cur = display_current();
  if (!resume && lg.list && cur && cur->win.state == DISPSTATE_OPEN) {
    int32_t x = 0, y = 0;
    event_mouse_position(cur, &x, &y);
    for (LegacyEvent* rec = lg.list; rec; rec = rec->next) {
      if (!rec->enabled || rec->kind != 1) continue;
      if (x < rec->x1 || x > rec->x2 || y < rec->y1 || y > rec->y2) continue;
      char label[48];
      if (lg.all_over) std::snprintf(label, sizeof label, "ONBUTTONOVERALL"), lg.last_id = rec->id;
      else std::snprintf(label, sizeof label, "ONBUTTONOVER%d", rec->id);
      lg.under_mouse = rec;
      if (label_jump(L, r, label)) {
        s.phase = PH_START;
        return true;
      }
    }
  }
  qmDisplay* d = first_display();
  if (resume) {
    // The display left off: the rest of its buttons, then the displays after it.
    d = s.hover_display;
    if (d && s.hover_in_buttons) {
      if (event_sources().button_hover(d, r, true)) {
        r->display = d;
        s.phase = PH_HOVER;
        return true;
      }
      d = next_display(d);
    }
  }
  for (; d; d = next_display(d)) {
    if (!d->mouse_moved) continue;
    d->mouse_moved = 0;
    s.hover_display = d;
    s.hover_in_buttons = true;
    s.buttons = ButtonTracking{};
    if (event_sources().button_hover(d, r, false)) {
      r->display = d;
      s.phase = PH_HOVER;
      return true;
    }
  }
  s.hover_display = nullptr;
  s.hover_in_buttons = false;
  s.phase = PH_START;
  return false;
}

// ---- the default sources: nothing pending ----

bool no_music(ObjectId*, int32_t*, int32_t*) { return false; }
bool no_sound(int32_t*, ObjectId*, int32_t*, int32_t*) { return false; }
void* no_server(void*, ObjectId*, ObjectId*) { return nullptr; }
void* no_connection(void*, ObjectId*) { return nullptr; }
void* no_next(void*) { return nullptr; }
bool no_button_click(qmDisplay*, const qmInputEvent&, qmEventRecord*) { return false; }
bool no_button_hover(qmDisplay*, qmEventRecord*, bool) { return false; }

EventSources g_sources;

}  // namespace

EventSources& event_sources() { return g_sources; }
ButtonTracking& poller_button_tracking() { return g_poll.buttons; }

void event_sources_reset() {
  g_sources = EventSources{no_music, no_sound, no_connection, no_server, no_connection, no_connection, no_next,
                           no_button_click, no_button_hover, nullptr};
}

void poller_on_unlink(int32_t list, const void* object, void* next) {
  Poller& s = g_poll;
  switch (list) {
    case POLL_TIMERS:
      if (s.timer_cursor == object) {
        s.timer_cursor = static_cast<qmPlatformTimer*>(next);
        if (!next) s.timer_done = true;
      }
      break;
    case POLL_DISPLAYS:
      if (s.move_cursor == object) s.move_cursor = static_cast<qmDisplay*>(next);
      if (s.hover_display == object) {
        // The display under examination goes: the next one is examined whole.
        s.hover_display = static_cast<qmDisplay*>(next);
        s.hover_in_buttons = false;
        s.buttons = ButtonTracking{};
      }
      if (s.entry_held && s.entry.display == object) {
        // The entry in hand has lost its display: its payload goes, and so does its second half.
        drop_entry();
        s.entry.display = nullptr;
        if (s.phase == PH_ENTRY_SECOND) s.phase = PH_NEXT_ENTRY;
      }
      break;
    case POLL_BUTTONS:
      if (s.buttons.cursor == object) s.buttons.cursor = next;
      if (s.buttons.hovered == object) s.buttons.hovered = nullptr;
      if (s.buttons.pressed == object) s.buttons.pressed = nullptr;
      break;
    case POLL_NETWORK:
      for (void** c : {&s.udp_cursor, &s.server_cursor, &s.data_cursor, &s.closed_cursor})
        if (*c == object) *c = next;
      break;
    default:
      break;
  }
}

void poller_reset() {
  drop_entry();
  g_poll = Poller{};
}

int32_t event_poll(qmState* L, qmEventRecord* r) {
  Poller& s = g_poll;
  r->kind = EV_NONE;
  r->id_present = 0;
  int32_t step = ST_MUSIC;
  bool resume = false;
  switch (s.phase) {
    case PH_START:
      s.timer_cursor = nullptr;
      s.timer_started = s.timer_done = false;
      s.move_cursor = s.hover_display = nullptr;
      s.hover_in_buttons = false;
      s.buttons = ButtonTracking{};
      s.udp_cursor = s.server_cursor = s.data_cursor = s.closed_cursor = nullptr;
      step = ST_MUSIC;
      break;
    case PH_AFTER_MUSIC: step = ST_TIMERS; break;
    case PH_TIMERS: step = ST_TIMERS; break;
    case PH_SOUND: step = ST_SOUND; break;
    case PH_MOUSEMOVE: step = ST_MOUSEMOVE, resume = true; break;
    case PH_UDP: step = ST_UDP, resume = true; break;
    case PH_SERVERS: step = ST_SERVERS, resume = true; break;
    case PH_DATA: step = ST_DATA, resume = true; break;
    case PH_CLOSED: step = ST_CLOSED, resume = true; break;
    case PH_PORTS:
    case PH_AFTER_PORT: step = ST_PORTS; break;
    case PH_ENTRY_SECOND: step = ST_ENTRY_SECOND; break;
    case PH_NEXT_ENTRY: step = ST_NEXT_ENTRY; break;
    case PH_HOVER: step = ST_HOVER, resume = true; break;
    default: step = ST_MUSIC; break;
  }
  if (step == ST_ENTRY_SECOND || step == ST_NEXT_ENTRY) {
    input_queue_expire();
    input_queue_lock();
  }
  bool got = false;
  for (; step <= ST_HOVER && !got; ++step, resume = false) {
    switch (step) {
      case ST_MUSIC: {
        if (s.phase != PH_START) break;
        ObjectId music;
        int32_t samples = 0, count = 0;
        if (event_sources().music_request(&music, &samples, &count)) {
          s.phase = PH_AFTER_MUSIC;
          from_global(r, GSLOT_FILLMUSICBUFFER, EV_FILLMUSICBUFFER, "FillMusicBuffer");
          r->kind = EV_FILLMUSICBUFFER;
          r->object = music;
          r->samples = samples;
          r->count = count;
          got = true;
        }
        break;
      }
      case ST_TIMERS: got = step_timers(r); break;
      case ST_SOUND: got = step_sound(r); break;
      case ST_MOUSEMOVE: got = step_mouse_move(r, resume); break;
      case ST_UDP:
        got = step_network(GSLOT_ONRECEIVEUDPDATA, EV_RECEIVEUDP, "OnReceiveUDPData", PH_UDP, &s.udp_cursor, resume, r,
                           [r](void* from) { return event_sources().udp_waiting(from, &r->udp); });
        break;
      case ST_SERVERS:
        got = step_network(GSLOT_ONCONNECT, EV_CONNECT, "OnConnect", PH_SERVERS, &s.server_cursor, resume, r,
                           [r](void* from) { return event_sources().server_accepting(from, &r->server, &r->connection); });
        break;
      case ST_DATA:
        got = step_network(GSLOT_ONRECEIVEDATA, EV_RECEIVEDATA, "OnReceiveData", PH_DATA, &s.data_cursor, resume, r,
                           [r](void* from) { return event_sources().connection_data(from, &r->connection); });
        break;
      case ST_CLOSED:
        got = step_network(GSLOT_ONDISCONNECT, EV_DISCONNECT, "OnDisconnect", PH_CLOSED, &s.closed_cursor, resume, r,
                           [r](void* from) { return event_sources().connection_closed(from, &r->connection); });
        break;
      case ST_PORTS:
        // This host has no message ports: nothing is ever received.
        break;
      case ST_LEGACY:
        input_queue_expire();
        input_queue_lock();
        if (legacy_queue_match(L, r)) {
          input_queue_unlock();
          s.phase = PH_START;
          return -1;
        }
        break;
      case ST_NEXT_ENTRY:
        for (;;) {
          drop_entry();
          if (!input_queue_peek(0, &s.entry, true)) {
            input_queue_unlock();
            step = ST_ENTRY_SECOND;  // on to hover tracking
            break;
          }
          input_queue_remove(0, 0);
          s.entry_held = true;
          if (!s.entry.display) continue;
          if (entry_first_half(r, s.entry)) {
            r->display = s.entry.display;
            s.phase = PH_ENTRY_SECOND;
            input_queue_unlock();
            got = true;
            break;
          }
          if (entry_second_half(r, s.entry)) {
            r->display = s.entry.display;
            s.phase = PH_NEXT_ENTRY;
            input_queue_unlock();
            got = true;
            break;
          }
        }
        break;
      case ST_ENTRY_SECOND:
        // Reached only on resuming after a first half: the second half, then on with the queue.
        if (s.entry_held && s.entry.display && entry_second_half(r, s.entry)) {
          r->display = s.entry.display;
          s.phase = PH_NEXT_ENTRY;
          input_queue_unlock();
          got = true;
        } else {
          step = ST_LEGACY;  // the loop's increment goes on with the next entry
        }
        break;
      case ST_HOVER:
        got = step_hover(L, r, resume);
        if (got && r->kind == EV_LABEL) return -1;
        break;
      default:
        break;
    }
  }
  if (!got) return 0;
  int32_t err = build_event_message(L, r, false);
  if (r->kind == EV_TIMEOUT) {
    // The fired timeout's references, now that its callback ran.
    vm_ref_free(L, QM_REGISTRYINDEX, r->callback);
    if (r->userdata != -1) vm_ref_free(L, QM_REGISTRYINDEX, r->userdata);
  }
  if (s.phase == PH_NEXT_ENTRY && s.entry_held) drop_entry();
  return err;
}

int32_t event_pump(qmState* L, bool wait, int32_t* results) {
  *results = 0;
  if (runtime_flags().protected_calls != 0) return ERR_WRONGUSAGE;
  platform_event_script_events_looked_at();
  qmEventRecord r;
  int32_t err = 0;
  auto run_cycle = [&](bool from_here) {
    // Until an event was dispatched, an error, or the phase is back at the start of a cycle.
    if (!from_here && g_poll.phase == PH_START) return;
    do {
      err = event_poll(L, &r);
      if (err || r.kind != EV_NONE) return;
    } while (g_poll.phase != PH_START);
  };
  run_cycle(false);
  if (!err && r.kind == EV_NONE) run_cycle(true);
  while (!err && r.kind == EV_NONE && wait) {
    // A quit taken by an earlier wait is not waited for again: the program is on its way out.
    if (platform_quit_requested()) return 0;
    if (!display_system().recording) platform_wait_event();
    if (platform_pump_events(L)) return 0;
    run_cycle(true);
  }
  if (err) {
    std::free(r.reply);
    if (err == -1) vm_set_jump_distance(L, vm_label_find(L, r.name) - vm_get_call_position(L));
    return err;
  }
  std::free(r.reply);
  int32_t n = 0;
  if (r.kind != EV_NONE) {
    const int32_t table = r.saved_top + 1;
    n = vm_get_top(L) - table;
    if (n >= 1) {
      vm_new_table(L);
      for (int32_t i = 0; i < n; ++i) {
        vm_push_value(L, table + 1 + i);
        vm_raw_seti(L, -2, i);
      }
      vm_push_string(L, "results");
      vm_insert(L, -2);
      vm_set_table(L, table);
    }
    vm_set_top(L, table);
  } else {
    vm_new_table(L);
  }
  table_set_string(L, "action", r.kind != EV_NONE ? r.name : "");
  if (r.kind != EV_NONE && r.id_present) table_set_id(L, "id", r.id);
  else table_set_number(L, "id", 0);
  table_set_number(L, "nresults", n);
  table_set_number(L, "triggered", r.kind != EV_NONE ? 1 : 0);
  *results = 1;
  return 0;
}

}  // namespace qm
