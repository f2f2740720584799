// GetAttribute for event handlers (named by their InstallEventHandler key), intervals and
// timeouts: the function, its user data and, for timers, the period.
#include "display/graphics.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "events/event_internal.h"
#include "events/events.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

enum : int32_t { ATTRDURATION = 14, ATTRFUNCTION = 58, ATTRUSERDATA = 59 };

// The value behind a registry reference, or 0 when there is none.
int32_t push_ref(qmState* L, int32_t ref) {
  if (ref == -1) vm_push_number(L, 0);
  else vm_raw_geti(L, QM_REGISTRYINDEX, ref);
  return 1;
}

int32_t handler_attribute(qmState* L, int32_t attribute) {
  const char* name = vm_arg_check_string(L, 2, nullptr);
  int32_t callback = -1, userdata = -1;
  if (!handler_refs_by_name(name, &callback, &userdata)) {
    err_set_string_arg(name);
    return ERR_UNKNOWNTAG;
  }
  switch (attribute) {
    case ATTRFUNCTION: return push_ref(L, callback);
    case ATTRUSERDATA: return push_ref(L, userdata);
    default: return ERR_UNKNOWNATTR;
  }
}

int32_t timer_attribute(qmState* L, int32_t attribute, int32_t (*find)(const ObjectId&, qmInterval**)) {
  qmInterval* rec = nullptr;
  if (int32_t err = find(arg_get_id(L, 2), &rec)) return err;
  switch (attribute) {
    case ATTRFUNCTION: return push_ref(L, rec->callback);
    case ATTRUSERDATA: return push_ref(L, rec->userdata);
    case ATTRDURATION:
      vm_push_number(L, rec->period);
      return 1;
    default: return ERR_UNKNOWNATTR;
  }
}

}  // namespace

void event_attributes_open() {
  graphics_set_attribute_handler(OBJ_EVENTHANDLER, handler_attribute);
  graphics_set_attribute_handler(OBJ_INTERVAL, [](qmState* L, int32_t a) { return timer_attribute(L, a, interval_find); });
  graphics_set_attribute_handler(OBJ_TIMEOUT, [](qmState* L, int32_t a) { return timer_attribute(L, a, timeout_find); });
}

}  // namespace qm
