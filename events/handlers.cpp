// Handler slots and InstallEventHandler, the key-name table, and the legacy label events.
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "display/display.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "events/event_internal.h"
#include "events/events.h"
#include "runtime/args.h"
#include "runtime/os/qmos.h"

namespace qm {

const KeyName kKeyNames[kKeyNameCount] = {
    {"MOVEWINDOW", 6}, {"SIZEWINDOW", 7}, {"INACTIVEWINDOW", 8}, {"ACTIVEWINDOW", 9}, {"CLOSEWINDOW", 10},
    {"ONBUTTONCLICKALL", 11}, {"ONBUTTONRIGHTCLICKALL", 12}, {"ONBUTTONOVERALL", 13}, {"ONKEYDOWNALL", 14},
    {"TAB", 272}, {"RETURN", 274}, {"ENTER", 273}, {"SPACE", 276}, {"ESC", 275}, {"UP", 256}, {"DOWN", 257},
    {"RIGHT", 258}, {"LEFT", 259}, {"HELP", 260}, {"BACKSPACE", 271}, {"DEL", 277}, {"F1", 261}, {"F2", 262},
    {"F3", 263}, {"F4", 264}, {"F5", 265}, {"F6", 266}, {"F7", 267}, {"F8", 268}, {"F9", 269}, {"F10", 270},
    {"F11", 278}, {"F12", 279}, {"F13", 287}, {"F14", 288}, {"F15", 289}, {"F16", 290}, {"INSERT", 280},
    {"HOME", 281}, {"END", 282}, {"PAGEUP", 283}, {"PAGEDOWN", 284}, {"PRINT", 285}, {"PAUSE", 286},
    {"LSHIFT", int32_t(0x80000000u | (1u << 16))}, {"RSHIFT", int32_t(0x80000000u | (1u << 17))},
    {"LALT", int32_t(0x80000000u | (1u << 18))}, {"RALT", int32_t(0x80000000u | (1u << 19))},
    {"LCOMMAND", int32_t(0x80000000u | (1u << 20))}, {"RCOMMAND", int32_t(0x80000000u | (1u << 21))},
    {"LCONTROL", int32_t(0x80000000u | (1u << 22))}, {"RCONTROL", int32_t(0x80000000u | (1u << 23))},
};

namespace {

constexpr int32_t KEYROW_ESC = 13;

const char* const kDisplayKeys[kCallbackSlots] = {
    "onkeydown", "onkeyup", "onmousemove", "closewindow", "movewindow", "sizewindow", "activewindow",
    "inactivewindow", "hidewindow", "showwindow", "onmousedown", "onmouseup", "onrightmousedown",
    "onrightmouseup", "onwheeldown", "onwheelup", "modeswitch", "ondropfile", "clipboardchange",
    "onmidmousedown", "onmidmouseup", "orientationchange", "showkeyboard", "hidekeyboard",
};

const char* const kGlobalKeys[GSLOT_COUNT] = {
    "onsampleloop", "onsampleend", "onmusicend", "onarexx", "onconnect", "ondisconnect",
    "onreceivedata", "onreceiveudpdata", "onvideoend", "onusermessage", "fillmusicbuffer",
};

HandlerSlot g_global[GSLOT_COUNT];
LegacyState g_legacy;

// The runtime attributes that tell the sound layer whether a sound-end slot holds a callback.
struct SoundEndHook {
  int32_t tag, slot;
};
constexpr SoundEndHook kSoundEndHooks[] = {
    {ATTR_ONSAMPLELOOP, GSLOT_ONSAMPLELOOP},
    {ATTR_ONSAMPLEEND, GSLOT_ONSAMPLEEND},
    {ATTR_ONMUSICEND, GSLOT_ONMUSICEND},
    {ATTR_ONVIDEOEND, GSLOT_ONVIDEOEND},
};

bool network_handled() {
  for (int32_t s : {GSLOT_ONCONNECT, GSLOT_ONDISCONNECT, GSLOT_ONRECEIVEDATA, GSLOT_ONRECEIVEUDPDATA})
    if (g_global[s].callback != -1) return true;
  return false;
}

// Installs (the function on top of the stack, popped) or removes a handler.
void slot_update(qmState* L, int32_t* callback, int32_t* userdata, bool install, bool has_userdata) {
  if (*callback != -1) vm_ref_free(L, QM_REGISTRYINDEX, *callback);
  *callback = install ? vm_ref_new(L, QM_REGISTRYINDEX) : -1;
  if (install && !has_userdata) return;
  if (*userdata != -1) vm_ref_free(L, QM_REGISTRYINDEX, *userdata);
  *userdata = -1;
  if (has_userdata) {
    vm_push_value(L, 2);
    *userdata = vm_ref_new(L, QM_REGISTRYINDEX);
  }
}

// Reads field key of the handler table: absent 0, a function 1 (pushed), a number 2; else
// ERR_FUNCEXPECTED.
int32_t handler_field(qmState* L, const char* key, int32_t* what) {
  vm_push_string(L, key);
  vm_get_table(L, 1);
  switch (vm_type(L, -1)) {
    case QM_TNIL: *what = 0; break;
    case QM_TFUNCTION: *what = 1; return 0;
    case QM_TNUMBER: *what = 2; break;
    default: vm_pop(L, 1); return ERR_FUNCEXPECTED;
  }
  vm_pop(L, 1);
  return 0;
}

void legacy_free(LegacyEvent* e) {
  if (g_legacy.under_mouse == e) g_legacy.under_mouse = nullptr;
  std::free(e->key);
  std::free(e);
}

void set_all_flag(int32_t kind, int32_t on) {
  switch (kind) {
    case 10:
      if (qmDisplay* d = display_current()) d->close_handled = on;
      break;
    case 11: g_legacy.all_click = on; break;
    case 12: g_legacy.all_right = on; break;
    case 13: g_legacy.all_over = on; break;
    case 14: g_legacy.all_key = on; break;
    default: break;
  }
}

int32_t enable(qmState* L, int32_t on) {
  arg_check_count(L, 1, 2);
  const int32_t kind = to_i32(vm_arg_check_number(L, 1));
  const int32_t id = to_i32(vm_arg_opt_number(L, 2, 0));
  set_all_flag(kind, on);
  if (LegacyEvent* e = legacy_event_find(kind, id)) e->enabled = on;
  return 0;
}

}  // namespace

HandlerSlot& event_global_slot(int32_t slot) { return g_global[slot]; }

bool handler_refs_by_name(const char* name, int32_t* callback, int32_t* userdata) {
  for (int32_t i = 0; i < kCallbackSlots; ++i) {
    if (strcasecmp(kDisplayKeys[i], name) != 0) continue;
    const qmDisplay* d = display_current();
    *callback = d ? d->callbacks[i][0] : -1;
    *userdata = d ? d->callbacks[i][1] : -1;
    return true;
  }
  for (int32_t i = 0; i < GSLOT_COUNT; ++i) {
    if (strcasecmp(kGlobalKeys[i], name) != 0) continue;
    *callback = g_global[i].callback;
    *userdata = g_global[i].userdata;
    return true;
  }
  return false;
}
LegacyState& legacy_events() { return g_legacy; }

int32_t key_name_row(const char* name, int32_t first, int32_t last) {
  for (int32_t i = first; i < last; ++i)
    if (strcasecmp(kKeyNames[i].name, name) == 0) return i;
  return -1;
}

void key_text(int32_t code, char out[32]) {
  switch (code) {
    case 272: std::snprintf(out, 32, "        "); return;
    case 273:
    case 274: std::snprintf(out, 32, "\n"); return;
    case 276: std::snprintf(out, 32, " "); return;
    default: break;
  }
  for (int32_t i = KEYROW_ESC; i < KEYROW_FIRST_MODIFIER; ++i) {
    if (kKeyNames[i].code == code) {
      std::snprintf(out, 32, "%s", kKeyNames[i].name);
      return;
    }
  }
  out[0] = char(code);
  out[1] = '\0';
}

int32_t legacy_event_append(int32_t kind, int32_t id, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            const char* key, LegacyEvent** out) {
  auto* e = static_cast<LegacyEvent*>(std::calloc(1, sizeof(LegacyEvent)));
  if (!e) return ERR_MEM;
  if (key && !(e->key = strdup(key))) {
    std::free(e);
    return ERR_MEM;
  }
  *e = LegacyEvent{nullptr, kind, id, x1, y1, x2, y2, e->key, 1};
  LegacyEvent** tail = &g_legacy.list;
  while (*tail) tail = &(*tail)->next;
  *tail = e;
  if (out) *out = e;
  return 0;
}

LegacyEvent* legacy_event_find(int32_t kind, int32_t id) {
  for (LegacyEvent* e = g_legacy.list; e; e = e->next)
    if (e->kind == kind && e->id == id) return e;
  return nullptr;
}

void legacy_event_remove(int32_t kind, int32_t id) {
  for (LegacyEvent** p = &g_legacy.list; *p; p = &(*p)->next) {
    if ((*p)->kind == kind && (*p)->id == id) {
      LegacyEvent* e = *p;
      *p = e->next;
      legacy_free(e);
      return;
    }
  }
}

int32_t legacy_event_enable_by_name(const char* name) {
  const int32_t row = key_name_row(name, 0, KEYROW_FIRST_KEY);
  if (row < 0) return 0;
  set_all_flag(kKeyNames[row].code, 1);
  return legacy_event_append(kKeyNames[row].code, 0, 0, 0, 0, 0, nullptr, nullptr);
}

void legacy_events_free_all() {
  while (LegacyEvent* e = g_legacy.list) {
    g_legacy.list = e->next;
    // A close record going lets closing the current display quit again.
    if (e->kind == 10) set_all_flag(10, 0);
    legacy_free(e);
  }
}

void handlers_free_all(qmState* L) {
  legacy_events_free_all();
  g_legacy = LegacyState{};
  for (HandlerSlot& s : g_global) {
    if (L && s.callback != -1) vm_ref_free(L, QM_REGISTRYINDEX, s.callback);
    if (L && s.userdata != -1) vm_ref_free(L, QM_REGISTRYINDEX, s.userdata);
    s = HandlerSlot{};
  }
}

int32_t cmd_installeventhandler(qmState* L) {
  arg_check_count(L, 1, 2);
  vm_arg_check_table(L, 1);
  qmDisplay* d = display_current();
  if (!d) return ERR_WRONGUSAGE;
  const bool has_userdata = vm_get_top(L) >= 2;
  const int32_t old_drop = d->callbacks[HSLOT_ONDROPFILE][0];
  const int32_t old_clip = d->callbacks[HSLOT_CLIPBOARDCHANGE][0];
  const bool had_network = network_handled();
  int32_t err = 0;
  for (int32_t i = 0; i < kCallbackSlots && !err; ++i) {
    int32_t what = 0;
    if ((err = handler_field(L, kDisplayKeys[i], &what)) || what == 0) continue;
    slot_update(L, &d->callbacks[i][0], &d->callbacks[i][1], what == 1, has_userdata);
  }
  for (int32_t i = 0; i < GSLOT_COUNT && !err; ++i) {
    int32_t what = 0;
    if ((err = handler_field(L, kGlobalKeys[i], &what)) || what == 0) continue;
    slot_update(L, &g_global[i].callback, &g_global[i].userdata, what == 1, has_userdata);
  }
  // What changed reaches the platform, the service timer and the sound layer even when a later
  // key failed.
  d->close_handled = d->callbacks[HSLOT_CLOSEWINDOW][0] != -1 ? 1 : 0;
  if (d->win.state == DISPSTATE_OPEN && d->callbacks[HSLOT_ONDROPFILE][0] != old_drop) {
    d->win.has_drop_callback = d->callbacks[HSLOT_ONDROPFILE][0] != -1 ? 1 : 0;
    const int32_t drop_err = platform_window_set_drop_target(&d->win);
    if (!err) err = drop_err;
  }
  if (d->callbacks[HSLOT_CLIPBOARDCHANGE][0] != old_clip && !err) err = platform_clipboard_watch(&d->win);
  const bool has_network = network_handled();
  if (has_network && !had_network) qmos_sound_timer_start(nullptr, QMOS_TIMER_EVENTS);
  if (!has_network && had_network) qmos_sound_timer_stop(nullptr, QMOS_TIMER_EVENTS);
  TagItem wanted[std::size(kSoundEndHooks) + 1] = {};
  for (size_t i = 0; i < std::size(kSoundEndHooks); ++i)
    wanted[i] = {kSoundEndHooks[i].tag, g_global[kSoundEndHooks[i].slot].callback != -1};
  runtime_set_attrs(L, wanted);
  return err;
}

int event_attr_get_hook(qmState*, int32_t tag, intptr_t data) {
  for (const SoundEndHook& h : kSoundEndHooks) {
    if (h.tag != tag) continue;
    *reinterpret_cast<intptr_t*>(data) = g_global[h.slot].callback != -1 ? 1 : 0;
    return 1;
  }
  return 0;
}

int32_t cmd_enableevent(qmState* L) { return enable(L, 1); }
int32_t cmd_disableevent(qmState* L) { return enable(L, 0); }

int32_t cmd_createkeydown(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t id = to_i32(vm_arg_check_number(L, 1));
  const char* name = vm_arg_check_string(L, 2, nullptr);
  return legacy_event_append(3, id, 0, 0, 0, 0, name, nullptr);
}

int32_t cmd_removekeydown(qmState* L) {
  arg_check_count(L, 1, 1);
  legacy_event_remove(3, to_i32(vm_arg_check_number(L, 1)));
  return 0;
}

int32_t cmd_modifykeydown(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t id = to_i32(vm_arg_check_number(L, 1));
  const char* name = vm_arg_check_string(L, 2, nullptr);
  if (LegacyEvent* e = legacy_event_find(3, id)) {
    e->x1 = e->y1 = e->x2 = e->y2 = 0;
    std::free(e->key);
    // A failed copy leaves the record without a name, which matches no key.
    e->key = strdup(name);
  }
  return 0;
}

int32_t cmd_clearevents(qmState* L) {
  arg_check_count(L, 0, 0);
  legacy_events_free_all();
  return 0;
}

int32_t cmd_geteventcode(qmState* L) {
  arg_check_count(L, 0, 0);
  vm_push_number(L, g_legacy.last_id);
  return 1;
}

}  // namespace qm
