// Input queries, the quit switches, the waiting commands, WaitEvent and CheckEvent, and the pump
// services that long-running loops of other libraries call.
#include <SDL2/SDL.h>

#include <cstring>

#include "display/display.h"
#include "display/hooks.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "events/event_internal.h"
#include "events/events.h"
#include "runtime/args.h"

namespace qm {

namespace {

// A key name of IsKeyDown (rows up to the modifiers included) or WaitKeyDown: its code, or
// ERR_WRONGUSAGE.
int32_t key_code(const char* name, bool modifiers, int32_t* code) {
  const size_t len = std::strlen(name);
  if (len == 1) {
    const unsigned char c = static_cast<unsigned char>(name[0]);
    if (c <= ' ' || c == 127 || (c >= 128 && c < 160)) return ERR_WRONGUSAGE;
    *code = c;
    return 0;
  }
  const int32_t row = key_name_row(name, KEYROW_FIRST_KEY, modifiers ? kKeyNameCount : KEYROW_FIRST_MODIFIER);
  if (row < 0) return ERR_WRONGUSAGE;
  *code = kKeyNames[row].code;
  return 0;
}

bool closed(const qmDisplay* d) { return !d || d->win.state == DISPSTATE_CLOSED; }

// The modifier bits of the key-name table (bit 16 left shift .. bit 23 right control) that are
// held now.
uint32_t modifier_state() {
  const uint16_t mod = platform_input_state().modifiers;
  uint32_t bits = 0x80000000u;
  const struct {
    uint16_t kmod;
    int bit;
  } kMap[] = {{KMOD_LSHIFT, 16}, {KMOD_RSHIFT, 17}, {KMOD_LALT, 18}, {KMOD_RALT, 19},
              {KMOD_LGUI, 20},   {KMOD_RGUI, 21},   {KMOD_LCTRL, 22}, {KMOD_RCTRL, 23}};
  for (const auto& m : kMap)
    if (mod & m.kmod) bits |= 1u << m.bit;
  return bits;
}

// One wait step: block until something happens, then pump once. True when the program must quit.
bool wait_step(qmState* L) {
  platform_wait_event();
  return platform_pump_events(L) != 0;
}

// Waits while cond() holds (false when a quit ended the wait).
template <class Cond>
bool wait_while(qmState* L, Cond cond) {
  while (cond()) {
    if (wait_step(L)) return false;
  }
  return true;
}

int32_t wait_mouse(qmState* L, int32_t button) {
  arg_check_count(L, 0, 0);
  qmDisplay* d = display_current();
  if (closed(d)) return ERR_CLOSEDDISPDRAW;
  // The current display is looked up afresh each step: a callback-free wait may still see it go.
  auto held = [&] { qmDisplay* c = display_current(); return c && c->mouse_buttons[button] != 0; };
  if (wait_while(L, [&] { return !held(); }) && wait_while(L, held)) input_queue_remove(-1, 1);
  return 0;
}

int32_t while_mouse(qmState* L, int32_t button) {
  arg_check_count(L, 0, 0);
  wait_while(L, [&] { qmDisplay* c = display_current(); return c && c->mouse_buttons[button] != 0; });
  return 0;
}

int32_t is_mouse(qmState* L, int32_t button) {
  arg_check_count(L, 0, 0);
  const qmDisplay* d = display_current();
  vm_push_number(L, d ? d->mouse_buttons[button] : 0);
  return 1;
}

int32_t mouse_coordinate(qmState* L, bool y) {
  arg_check_count(L, 0, 0);
  int32_t mx = 0, my = 0;
  event_mouse_position(display_current(), &mx, &my);
  vm_push_number(L, y ? my : mx);
  return 1;
}

bool key_held(int32_t code) {
  const qmDisplay* d = display_current();
  return d && code >= 0 && code < int32_t(sizeof d->keys) && d->keys[code] != 0;
}

int32_t quit_switch(qmState* L, int32_t code) {
  arg_check_count(L, 1, 1);
  platform_set_attr(nullptr, code, vm_to_boolean(L, 1) && (vm_type(L, 1) != QM_TNUMBER || vm_to_number(L, 1) != 0));
  return 0;
}

}  // namespace

void event_mouse_position(const qmDisplay* d, int32_t* x, int32_t* y) {
  *x = *y = 0;
  if (closed(d)) return;
  const int32_t px = platform_get_attr(const_cast<qmDisplayWindow*>(&d->win), PLATATTR_MOUSEX);
  const int32_t py = platform_get_attr(const_cast<qmDisplayWindow*>(&d->win), PLATATTR_MOUSEY);
  event_point_to_pixel(d, px, py, true, x, y);
}

int32_t event_pump_platform(qmState* L, void*, int32_t* quit_out) {
  if (quit_out) *quit_out = 0;
  return platform_pump_events(L);
}

int32_t event_wait_platform(void*, void*, int32_t* out) {
  platform_wait_event();
  if (out) *out = 0;
  return 0;
}

int32_t cmd_waitevent(qmState* L) {
  arg_check_count(L, 0, 0);
  if (closed(display_current())) return ERR_CLOSEDDISPDRAW;
  int32_t results = 0;
  if (int32_t err = event_pump(L, true, &results)) return err;
  return results;
}

int32_t cmd_checkevent(qmState* L) {
  arg_check_count(L, 0, 0);
  // Input that arrived since the last pump is looked at now. A quit is left to the line hook,
  // which sees it at the next line; the program gets its reply as always.
  platform_pump_events(L);
  int32_t results = 0;
  if (int32_t err = event_pump(L, false, &results)) return err;
  return results;
}

int32_t cmd_waitleftmouse(qmState* L) { return wait_mouse(L, 0); }
int32_t cmd_waitrightmouse(qmState* L) { return wait_mouse(L, 1); }
int32_t cmd_waitmidmouse(qmState* L) { return wait_mouse(L, 2); }
int32_t cmd_whilemousedown(qmState* L) { return while_mouse(L, 0); }
int32_t cmd_whilerightmousedown(qmState* L) { return while_mouse(L, 1); }
int32_t cmd_isleftmouse(qmState* L) { return is_mouse(L, 0); }
int32_t cmd_isrightmouse(qmState* L) { return is_mouse(L, 1); }
int32_t cmd_ismidmouse(qmState* L) { return is_mouse(L, 2); }
int32_t cmd_mousex(qmState* L) { return mouse_coordinate(L, false); }
int32_t cmd_mousey(qmState* L) { return mouse_coordinate(L, true); }

int32_t cmd_waitkeydown(qmState* L) {
  arg_check_count(L, 1, 1);
  int32_t code = 0;
  if (int32_t err = key_code(vm_arg_check_string(L, 1, nullptr), false, &code)) return err;
  if (closed(display_current())) return ERR_CLOSEDDISPDRAW;
  auto held = [code] { return key_held(code); };
  if (wait_while(L, held) && wait_while(L, [&] { return !held(); }) && wait_while(L, held))
    input_queue_remove(-1, 1);
  return 0;
}

int32_t cmd_whilekeydown(qmState* L) {
  arg_check_count(L, 0, 0);
  const int32_t code = legacy_events().last_key;
  wait_while(L, [code] { return key_held(code); });
  return 0;
}

int32_t cmd_iskeydown(qmState* L) {
  arg_check_count(L, 1, 1);
  int32_t code = 0;
  if (int32_t err = key_code(vm_arg_check_string(L, 1, nullptr), true, &code)) return err;
  if (closed(display_current())) return ERR_CLOSEDDISPDRAW;
  if (code < 0) {
    const uint32_t bits = uint32_t(code);
    vm_push_number(L, (modifier_state() & bits) == bits ? 1 : 0);
    return 1;
  }
  const qmDisplay* d = display_current();
  vm_push_number(L, code < int32_t(sizeof d->keys) ? d->keys[code] : 0);
  return 1;
}

int32_t cmd_resetkeystates(qmState* L) {
  arg_check_count(L, 0, 0);
  if (qmDisplay* d = display_current()) display_reset_input_state(d);
  return 0;
}

int32_t cmd_leftmousequit(qmState* L) { return quit_switch(L, PLATATTR_LEFTMOUSEQUIT); }
int32_t cmd_escapequit(qmState* L) { return quit_switch(L, PLATATTR_ESCAPEQUIT); }
int32_t cmd_ctrlcquit(qmState* L) { return quit_switch(L, PLATATTR_CTRLCQUIT); }

int32_t cmd_seteventtimeout(qmState* L) {
  arg_check_count(L, 1, 1);
  input_queue_set_timeout_ms(to_i32(vm_arg_check_number(L, 1)));
  return 0;
}

int32_t cmd_freeeventcache(qmState* L) {
  arg_check_count(L, 0, 0);
  input_queue_remove(-1, 1);
  return 0;
}

int32_t cmd_countjoysticks(qmState* L) {
  arg_check_count(L, 0, 0);
  int32_t count = 0;
  if (int32_t err = platform_joystick_count(&count)) return err;
  vm_push_number(L, count);
  return 1;
}

int32_t cmd_joydir(qmState* L) {
  arg_check_count(L, 1, 1);
  int32_t dir = JOY_NODIR;
  if (int32_t err = platform_joystick_read(to_i32(vm_arg_check_number(L, 1)), &dir, nullptr)) return err;
  vm_push_number(L, dir);
  return 1;
}

int32_t cmd_joyfire(qmState* L) {
  arg_check_count(L, 1, 2);
  const int32_t port = to_i32(vm_arg_check_number(L, 1));
  const int32_t button = to_i32(vm_arg_opt_number(L, 2, 1));
  if (button < 0 || button > 32) return ERR_WRONGUSAGE;
  uint32_t mask = 0;
  if (int32_t err = platform_joystick_read(port, nullptr, &mask)) return err;
  if (button == 0) vm_push_number(L, double(mask));
  else vm_push_number(L, (mask >> (button - 1)) & 1u);
  return 1;
}

}  // namespace qm
