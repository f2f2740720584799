// The dispatcher: the message table of an event, built by kind, and the protected call of the
// program's callback with it.
#include <cstdlib>
#include <cstring>
#include <string>

#include "display/display.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "events/events.h"
#include "runtime/args.h"

namespace qm {

namespace {

void set_display_id(qmState* L, qmEventRecord* r) {
  if (!r->display) return;
  r->id = r->display->header.id;
  r->id_present = 1;
  table_set_id(L, "id", r->id);
}

void set_object_id(qmState* L, qmEventRecord* r, const ObjectId& id) {
  r->id = id;
  r->id_present = 1;
  table_set_id(L, "id", id);
}

// "command", "args", "rawargs" and "argc" of a port or host message.
void message_fields(qmState* L, const char* text) {
  const char* space = std::strchr(text, ' ');
  if (!space) {
    table_set_string(L, "command", text);
    table_set_string(L, "args", "");
    table_set_string(L, "rawargs", "");
    table_set_number(L, "argc", 0);
    return;
  }
  const std::string command(text, size_t(space - text));
  const char* raw = space + 1;
  std::string args;
  int32_t argc = 1;
  bool quoted = false;
  for (const char* p = raw; *p; ++p) {
    if (*p == '"') {
      quoted = !quoted;
    } else if (*p == ' ' && !quoted) {
      args.push_back('\0');
      ++argc;
    } else {
      args.push_back(*p);
    }
  }
  table_set_string(L, "command", command.c_str());
  vm_push_string(L, "args");
  vm_push_lstring(L, args.data(), args.size());
  vm_set_table(L, -3);
  table_set_string(L, "rawargs", raw);
  table_set_number(L, "argc", argc);
}

void fill_message(qmState* L, qmEventRecord* r) {
  switch (r->kind) {
    case EV_BUTTON:
      if (event_sources().button_message) event_sources().button_message(L, r);
      break;
    case EV_KEY:
      table_set_string(L, "key", r->key);
      set_display_id(L, r);
      break;
    case EV_DISPLAY:
      set_display_id(L, r);
      break;
    case EV_SIZEWINDOW:
      if (r->display) {
        table_set_number(L, "width", r->display->win.width);
        table_set_number(L, "height", r->display->win.height);
      }
      set_display_id(L, r);
      break;
    case EV_MOVEWINDOW:
      if (r->display) {
        table_set_number(L, "x", r->display->win.x);
        table_set_number(L, "y", r->display->win.y);
      }
      set_display_id(L, r);
      break;
    case EV_INTERVAL:
    case EV_TIMEOUT:
      set_object_id(L, r, r->object);
      break;
    case EV_MOUSEMOVE: {
      int32_t x = 0, y = 0;
      event_mouse_position(display_current(), &x, &y);
      table_set_number(L, "x", x);
      table_set_number(L, "y", y);
      set_display_id(L, r);
      break;
    }
    case EV_SOUND:
      if (std::strncmp(r->name, "OnSample", 8) == 0) {
        table_set_number(L, "time", r->time);
        table_set_number(L, "starts", r->starts);
      }
      set_object_id(L, r, r->object);
      break;
    case EV_HOSTMESSAGE:
    case EV_USERMESSAGE:
      message_fields(L, r->message ? r->message : "");
      break;
    case EV_MODESWITCH:
      table_set_number(L, "mode", display_system().fullscreen ? 2 : 1);
      set_display_id(L, r);
      break;
    case EV_DROPFILE: {
      set_display_id(L, r);
      table_set_number(L, "x", r->x);
      table_set_number(L, "y", r->y);
      vm_push_string(L, "dropfiles");
      vm_new_table(L);
      int32_t n = 0;
      for (const char* p = static_cast<const char*>(r->payload); p && *p; p += std::strlen(p) + 1) {
        vm_push_string(L, p);
        vm_raw_seti(L, -2, n++);
      }
      vm_set_table(L, -3);
      table_set_number(L, "numdropfiles", n);
      break;
    }
    case EV_CONNECT:
      table_set_id(L, "serverid", r->server);
      table_set_id(L, "clientid", r->connection);
      break;
    case EV_DISCONNECT:
    case EV_RECEIVEDATA:
      set_object_id(L, r, r->connection);
      break;
    case EV_RECEIVEUDP:
      set_object_id(L, r, r->udp);
      break;
    case EV_ORIENTATION:
      set_display_id(L, r);
      table_set_number(L, "orientation", 0);  // this desktop has one orientation
      break;
    case EV_FILLMUSICBUFFER:
      set_object_id(L, r, r->object);
      table_set_number(L, "samples", r->samples);
      table_set_number(L, "count", r->count);
      break;
    default:
      break;
  }
}

bool g_in_fillmusicbuffer = false;

}  // namespace

bool event_in_fillmusicbuffer() { return g_in_fillmusicbuffer; }

int32_t build_event_message(qmState* L, qmEventRecord* r, bool drop_copy) {
  r->saved_top = vm_get_top(L);
  r->id_present = 0;
  vm_check_stack(L, 8);
  vm_raw_geti(L, QM_REGISTRYINDEX, r->callback);
  vm_new_table(L);
  table_set_string(L, "action", r->name);
  fill_message(L, r);
  if (r->userdata != -1) {
    vm_push_string(L, "userdata");
    vm_raw_geti(L, QM_REGISTRYINDEX, r->userdata);
    vm_set_table(L, -3);
  }
  if (!drop_copy) {
    vm_push_value(L, -1);
    vm_insert(L, r->saved_top + 1);
  }
  if (r->kind == EV_FILLMUSICBUFFER) g_in_fillmusicbuffer = true;
  runtime_flags().protected_calls++;
  int32_t err = vm_pcall(L, 1, QM_MULTRET, 0);
  runtime_flags().protected_calls--;
  if (r->kind == EV_FILLMUSICBUFFER) g_in_fillmusicbuffer = false;
  if (!err && r->kind == EV_HOSTMESSAGE) {
    const int32_t first = r->saved_top + (drop_copy ? 1 : 2);
    if (vm_get_top(L) >= first) {
      size_t len = 0;
      int32_t code = 0;
      const char* text = vm_arg_get_string_or_code(L, first, &len, &code);
      if (code) {
        err = code;
      } else {
        r->reply = static_cast<char*>(std::malloc(len + 1));
        if (!r->reply) return ERR_MEM;
        std::memcpy(r->reply, text, len);
        r->reply[len] = '\0';
      }
    }
  }
  if (platform_quit_requested()) return ERR_USERABORT;
  return err;
}

int32_t event_call_fillmusicbuffer(qmState* L, qmEventRecord* given, const ObjectId& music, int32_t samples,
                                   int32_t count, bool drop_results) {
  qmEventRecord local;
  qmEventRecord* r = given ? given : &local;
  const HandlerSlot& slot = event_global_slot(GSLOT_FILLMUSICBUFFER);
  r->kind = EV_FILLMUSICBUFFER;
  std::strcpy(r->name, "FillMusicBuffer");
  r->callback = slot.callback;
  r->userdata = slot.userdata;
  r->object = music;
  r->samples = samples;
  r->count = count;
  if (r->callback == -1) return 0;
  int32_t err = build_event_message(L, r, false);
  if (drop_results) vm_set_top(L, r->saved_top);
  return err;
}

}  // namespace qm
