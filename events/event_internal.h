// The event library's commands, one file per concern, gathered into its table by library.cpp.
#pragma once

#include <cstdint>

struct qmState;

namespace qm {

// Intervals, timeouts and ports.
int32_t cmd_setinterval(qmState* L);
int32_t cmd_settimeout(qmState* L);
int32_t cmd_changeinterval(qmState* L);
int32_t cmd_clearinterval(qmState* L);
int32_t cmd_cleartimeout(qmState* L);
int32_t cmd_createport(qmState* L);
int32_t cmd_sendmessage(qmState* L);
void intervals_register();

// Handlers and legacy label events.
int32_t cmd_installeventhandler(qmState* L);
int32_t cmd_enableevent(qmState* L);
int32_t cmd_disableevent(qmState* L);
int32_t cmd_createkeydown(qmState* L);
int32_t cmd_removekeydown(qmState* L);
int32_t cmd_modifykeydown(qmState* L);
int32_t cmd_clearevents(qmState* L);
int32_t cmd_geteventcode(qmState* L);
void handlers_free_all(qmState* L);
// The registry references of the handler named (in any case): a slot of the current display (-1
// without one) or a global slot; false when no handler has that name.
bool handler_refs_by_name(const char* name, int32_t* callback, int32_t* userdata);
// GetAttribute's rows for event handlers, intervals and timeouts.
void event_attributes_open();

// Input queries, waits, WaitEvent and CheckEvent.
int32_t cmd_waitevent(qmState* L);
int32_t cmd_checkevent(qmState* L);
int32_t cmd_waitleftmouse(qmState* L);
int32_t cmd_waitrightmouse(qmState* L);
int32_t cmd_waitmidmouse(qmState* L);
int32_t cmd_whilemousedown(qmState* L);
int32_t cmd_whilerightmousedown(qmState* L);
int32_t cmd_isleftmouse(qmState* L);
int32_t cmd_isrightmouse(qmState* L);
int32_t cmd_ismidmouse(qmState* L);
int32_t cmd_mousex(qmState* L);
int32_t cmd_mousey(qmState* L);
int32_t cmd_waitkeydown(qmState* L);
int32_t cmd_whilekeydown(qmState* L);
int32_t cmd_iskeydown(qmState* L);
int32_t cmd_resetkeystates(qmState* L);
int32_t cmd_leftmousequit(qmState* L);
int32_t cmd_escapequit(qmState* L);
int32_t cmd_ctrlcquit(qmState* L);
int32_t cmd_seteventtimeout(qmState* L);
int32_t cmd_freeeventcache(qmState* L);
int32_t cmd_countjoysticks(qmState* L);
int32_t cmd_joydir(qmState* L);
int32_t cmd_joyfire(qmState* L);

// Buttons (their own library file).
int32_t cmd_makebutton(qmState* L);
int32_t cmd_deletebutton(qmState* L);
int32_t cmd_enablebutton(qmState* L);
int32_t cmd_disablebutton(qmState* L);
int32_t cmd_dumpbuttons(qmState* L);
int32_t cmd_createbutton(qmState* L);
int32_t cmd_removebutton(qmState* L);
int32_t cmd_modifybutton(qmState* L);
int32_t cmd_whilemouseon(qmState* L);
int32_t cmd_breakwhilemouseon(qmState* L);

}  // namespace qm
