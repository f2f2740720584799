// The event library's start-up, command table, constants and clean-up.
#include "display/display.h"
#include "engine/vm.h"
#include "events/buttons.h"
#include "events/event_internal.h"
#include "events/events.h"

namespace qm {

namespace {

const qmCommand kEventCommands[] = {
    {"WaitLeftMouse", cmd_waitleftmouse},
    {"WaitRightMouse", cmd_waitrightmouse},
    {"WaitKeyDown", cmd_waitkeydown},
    {"IsKeyDown", cmd_iskeydown},
    {"WhileRightMouseDown", cmd_whilerightmousedown},
    {"WhileMouseDown", cmd_whilemousedown},
    {"WhileKeyDown", cmd_whilekeydown},
    {"IsLeftMouse", cmd_isleftmouse},
    {"IsRightMouse", cmd_isrightmouse},
    {"BreakWhileMouseOn", cmd_breakwhilemouseon},
    {"SetEventTimeout", cmd_seteventtimeout},
    {"GetEventCode", cmd_geteventcode},
    {"LeftMouseQuit", cmd_leftmousequit},
    {"EscapeQuit", cmd_escapequit},
    {"CtrlCQuit", cmd_ctrlcquit},
    {"EnableEvent", cmd_enableevent},
    {"DisableEvent", cmd_disableevent},
    {"RemoveButton", cmd_removebutton},
    {"RemoveKeyDown", cmd_removekeydown},
    {"ModifyButton", cmd_modifybutton},
    {"ModifyKeyDown", cmd_modifykeydown},
    {"WhileMouseOn", cmd_whilemouseon},
    {"CreateButton", cmd_createbutton},
    {"CreateKeyDown", cmd_createkeydown},
    {"FreeEventCache", cmd_freeeventcache},
    {"ClearEvents", cmd_clearevents},
    {"CheckEvent", cmd_checkevent},
    {"WaitEvent", cmd_waitevent},
    {"MouseX", cmd_mousex},
    {"MouseY", cmd_mousey},
    {"MakeButton", cmd_makebutton},
    {"DeleteButton", cmd_deletebutton},
    {"DisableButton", cmd_disablebutton},
    {"EnableButton", cmd_enablebutton},
    {"InstallEventHandler", cmd_installeventhandler},
    {"SetInterval", cmd_setinterval},
    {"SetTimeout", cmd_settimeout},
    {"ClearInterval", cmd_clearinterval},
    {"ClearTimeout", cmd_cleartimeout},
    {"ChangeInterval", cmd_changeinterval},
    {"DumpButtons", cmd_dumpbuttons},
    {"WaitMidMouse", cmd_waitmidmouse},
    {"IsMidMouse", cmd_ismidmouse},
    {"ResetKeyStates", cmd_resetkeystates},
    {"JoyDir", cmd_joydir},
    {"JoyFire", cmd_joyfire},
    {"CountJoysticks", cmd_countjoysticks},
    {"CreatePort", cmd_createport},
    {"SendMessage", cmd_sendmessage},
    {nullptr, nullptr},
};
static_assert(sizeof kEventCommands / sizeof kEventCommands[0] == 50, "49 commands");

const qmConstant kEventConstants[] = {
    {"MOVEWINDOW", nullptr, 6},        {"SIZEWINDOW", nullptr, 7},     {"INACTIVEWINDOW", nullptr, 8},
    {"ACTIVEWINDOW", nullptr, 9},      {"CLOSEWINDOW", nullptr, 10},   {"ONBUTTONCLICKALL", nullptr, 11},
    {"ONBUTTONRIGHTCLICKALL", nullptr, 12}, {"ONBUTTONOVERALL", nullptr, 13}, {"ONKEYDOWNALL", nullptr, 14},
    {"JOYUP", nullptr, 0},             {"JOYUPRIGHT", nullptr, 1},     {"JOYRIGHT", nullptr, 2},
    {"JOYDOWNRIGHT", nullptr, 3},      {"JOYDOWN", nullptr, 4},        {"JOYDOWNLEFT", nullptr, 5},
    {"JOYLEFT", nullptr, 6},           {"JOYUPLEFT", nullptr, 7},      {"JOYNODIR", nullptr, 8},
    {"ONBUTTONCLICK", nullptr, 2},     {"ONBUTTONOVER", nullptr, 1},   {"ONKEYDOWN", nullptr, 3},
    {"ONBUTTONRIGHTCLICK", nullptr, 5}, {"SIMPLEBUTTON", nullptr, 0},  {"LAYERBUTTON", nullptr, 1},
    {nullptr, nullptr, 0},
};

// Freeing a display moves the poller's cursors off it.
void display_gone(const ::qmDisplay* d) {
  const qmDisplay* rec = d;
  poller_on_unlink(POLL_DISPLAYS, rec, rec->header.next ? display_of(rec->header.next) : nullptr);
}

}  // namespace

int32_t event_init(qmState* L) {
  handlers_free_all(nullptr);
  poller_reset();
  event_sources_reset();
  buttons_install();
  input_queue_set_detach_listener(display_gone);
  vm_push_value(L, QM_GLOBALSINDEX);
  int32_t err = vm_register_commands(L, nullptr, kEventCommands, 0);
  vm_set_top(L, 0);
  if (err || (err = vm_register_constants(L, kEventConstants, 0))) return err;
  if ((err = library_register_name(kEventCommands, "event"))) return err;
  intervals_register();
  event_attributes_open();
  return 0;
}

void event_cleanup(qmState* L) {
  handlers_free_all(L);
  intervals_free_all(L);
  poller_reset();
  input_queue_set_detach_listener(nullptr);
}

}  // namespace qm
