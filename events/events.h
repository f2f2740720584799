// The event library: the poller behind WaitEvent and CheckEvent, the dispatcher that calls the
// program's callbacks with their message tables, intervals and timeouts, the handler slots, the
// legacy label events with the key-name table, the input queries and waits, and the library's
// command table. Everything runs on the main thread.
#pragma once

#include <cstdint>

#include "events/input_queue.h"
#include "platform/platform.h"
#include "runtime/registry.h"

struct qmState;

namespace qm {

// ---- handler slots ------------------------------------------------------------------------------

// Per-display slots (qmDisplay::callbacks), in the order InstallEventHandler reads their keys.
enum DisplaySlot : int32_t {
  HSLOT_ONKEYDOWN, HSLOT_ONKEYUP, HSLOT_ONMOUSEMOVE, HSLOT_CLOSEWINDOW, HSLOT_MOVEWINDOW, HSLOT_SIZEWINDOW,
  HSLOT_ACTIVEWINDOW, HSLOT_INACTIVEWINDOW, HSLOT_HIDEWINDOW, HSLOT_SHOWWINDOW, HSLOT_ONMOUSEDOWN,
  HSLOT_ONMOUSEUP, HSLOT_ONRIGHTMOUSEDOWN, HSLOT_ONRIGHTMOUSEUP, HSLOT_ONWHEELDOWN, HSLOT_ONWHEELUP,
  HSLOT_MODESWITCH, HSLOT_ONDROPFILE, HSLOT_CLIPBOARDCHANGE, HSLOT_ONMIDMOUSEDOWN, HSLOT_ONMIDMOUSEUP,
  HSLOT_ORIENTATIONCHANGE, HSLOT_SHOWKEYBOARD, HSLOT_HIDEKEYBOARD,
};

// Process-wide slots.
enum GlobalSlot : int32_t {
  GSLOT_ONSAMPLELOOP, GSLOT_ONSAMPLEEND, GSLOT_ONMUSICEND, GSLOT_ONAREXX, GSLOT_ONCONNECT,
  GSLOT_ONDISCONNECT, GSLOT_ONRECEIVEDATA, GSLOT_ONRECEIVEUDPDATA, GSLOT_ONVIDEOEND,
  GSLOT_ONUSERMESSAGE, GSLOT_FILLMUSICBUFFER, GSLOT_COUNT
};

// {callback, user data} registry references; -1 when not installed.
struct HandlerSlot {
  int32_t callback = -1;
  int32_t userdata = -1;
};
HandlerSlot& event_global_slot(int32_t slot);

// ---- the event record ---------------------------------------------------------------------------

enum EventKind : int32_t {
  EV_NONE = 0, EV_BUTTON = 1, EV_KEY = 2, EV_DISPLAY = 3, EV_SIZEWINDOW = 4, EV_MOVEWINDOW = 5,
  EV_INTERVAL = 6, EV_TIMEOUT = 7, EV_MOUSEMOVE = 8, EV_SOUND = 9, EV_HOSTMESSAGE = 10, EV_LABEL = 11,
  EV_MODESWITCH = 12, EV_DROPFILE = 13, EV_CONNECT = 14, EV_DISCONNECT = 15, EV_RECEIVEDATA = 16,
  EV_RECEIVEUDP = 17, EV_USERMESSAGE = 18, EV_ORIENTATION = 19, EV_FILLMUSICBUFFER = 20,
};

// One event on its way to the dispatcher.
struct qmEventRecord {
  qmDisplay* display = nullptr;
  int32_t kind = EV_NONE;
  void* bgpic = nullptr;
  void* button = nullptr;
  int32_t callback = -1;
  int32_t userdata = -1;
  ObjectId object;  // the interval's, timeout's, sound's or music's id
  int32_t raw_key = 0;
  int32_t x = 0, y = 0;
  char name[32] = {};
  char key[32] = {};
  int32_t time = 0, starts = 0;
  char* message = nullptr;  // kinds 10 and 18 (not owned)
  char* reply = nullptr;    // owned (malloc)
  void* payload = nullptr;  // a drop's names (not owned)
  int32_t saved_top = 0;
  ObjectId server, connection, udp;
  int32_t samples = 0, count = 0;
  int32_t id_present = 0;
  ObjectId id;  // what the result table reports as "id"
};

// ---- sources that later subsystems fill ---------------------------------------------------------

// Each answers "nothing pending" until its subsystem installs its own.
struct EventSources {
  // The playing music stream in callback mode that needs data: true with its id and the values.
  bool (*music_request)(ObjectId* music, int32_t* samples, int32_t* count);
  // The oldest pending end event of the sound layer: code 5 sample end, 6 sample loop, 7 music
  // end, 8 video end.
  bool (*sound_take)(int32_t* code, ObjectId* id, int32_t* time, int32_t* starts);
  // Network objects, walked from a cursor (null: from the first). Each answers the object that
  // has something of its kind pending from the cursor on, or null; next_of gives an object's
  // successor so that the poller can resume after it.
  void* (*udp_waiting)(void* from, ObjectId* id);
  void* (*server_accepting)(void* from, ObjectId* server, ObjectId* client);
  void* (*connection_data)(void* from, ObjectId* id);
  void* (*connection_closed)(void* from, ObjectId* id);
  void* (*next_of)(void* object);
  // Button click handling of a mouse entry (types 1, 2, 16): fills the record with a kind 1 event
  // and answers true, or false when no button takes it.
  bool (*button_click)(qmDisplay* display, const qmInputEvent& entry, qmEventRecord* out);
  // Hover tracking of a display whose mouse moved: true with a kind 1 over/out event. resume
  // goes on where the last event of this display left off.
  bool (*button_hover)(qmDisplay* display, qmEventRecord* out, bool resume);
  // The keys of a button's message, into the table on top of the stack (may be null).
  void (*button_message)(qmState* L, qmEventRecord* r);
};
EventSources& event_sources();
void event_sources_reset();

// ---- the poller ---------------------------------------------------------------------------------

// Lists that the poller keeps cursors into. A record leaving one of them calls poller_on_unlink
// before it is freed: a cursor on it moves to next, and an input entry in hand whose display goes
// loses its payload and its second half.
enum PollerList : int32_t { POLL_TIMERS, POLL_DISPLAYS, POLL_BUTTONS, POLL_NETWORK };
void poller_on_unlink(int32_t list, const void* object, void* next);

// Where the hover tracking of a display's buttons stands between two calls.
struct ButtonTracking {
  void* cursor = nullptr;   // the next button of the second pass; null: from the head
  void* hovered = nullptr;  // the first live button under the mouse
  void* pressed = nullptr;  // a live button with a mouse button held on it
};
ButtonTracking& poller_button_tracking();

// One step: fills the record and dispatches at most one event. 0 (nothing, or the callback ran),
// the dispatcher's error (the callback's, or ERR_USERABORT once a quit is pending), or -1 after a
// legacy label jump was set up (the record's name holds the label).
int32_t event_poll(qmState* L, qmEventRecord* r);
// WaitEvent (wait) and CheckEvent: *results gets the command's result count (1 with the result
// table on the stack; 0 after a quit while waiting). 0, an error code or -1 as event_poll.
int32_t event_pump(qmState* L, bool wait, int32_t* results);
// Back to the start of a cycle, nothing in hand (start-up, exit, tests).
void poller_reset();

// ---- the dispatcher -----------------------------------------------------------------------------

// Pushes the callback and its message table, calls it protected, and leaves the table copy and
// the return values above record->saved_top unless drop_copy is set. 0, the callback's error,
// ERR_MEM, or ERR_USERABORT when the program was asked to quit meanwhile.
int32_t build_event_message(qmState* L, qmEventRecord* r, bool drop_copy);
// True while a FillMusicBuffer callback runs (the sound library refuses its commands then).
bool event_in_fillmusicbuffer();
// A FillMusicBuffer request from the music layer outside the poller.
int32_t event_call_fillmusicbuffer(qmState* L, qmEventRecord* r, const ObjectId& music, int32_t samples,
                                   int32_t count, bool drop_results);

// ---- intervals and timeouts ---------------------------------------------------------------------

struct qmInterval {
  ObjectHeader header;  // OBJ_INTERVAL or OBJ_TIMEOUT
  int32_t callback = -1;
  int32_t period = 0;  // milliseconds as given
  int32_t userdata = -1;
};

// Appends an interval (with a callback reference, or -1 without one) and starts its timer. 0, the
// platform's error (nothing stays behind then) or ERR_MEM.
int32_t interval_add(const ObjectId& id, int32_t ms, int32_t callback, int32_t userdata, qmInterval** out);
int32_t timeout_add(const ObjectId& id, int32_t ms, int32_t callback, int32_t userdata, qmInterval** out);
void interval_remove(qmState* L, const ObjectId& id);
void timeout_remove(qmState* L, const ObjectId& id);
// The record, or ERR_FINDARRAY / ERR_FINDINTERVAL / ERR_FINDTIMEOUT.
int32_t interval_find(const ObjectId& id, qmInterval** out);
int32_t timeout_find(const ObjectId& id, qmInterval** out);
// Unlinks a fired timeout's record (its references stay with the caller) and frees it.
qmInterval* timeout_take(const ObjectId& id);
void intervals_free_all(qmState* L);

// ---- legacy label events and key names ----------------------------------------------------------

struct KeyName {
  const char* name;
  int32_t code;
};
inline constexpr int32_t kKeyNameCount = 52;
extern const KeyName kKeyNames[kKeyNameCount];
inline constexpr int32_t KEYROW_FIRST_KEY = 9, KEYROW_FIRST_MODIFIER = 44;
// The row of a name among rows [first, last) (case-insensitive), or -1.
int32_t key_name_row(const char* name, int32_t first, int32_t last);
// The text of a key code in an OnKeyDown message (Return "\n", Tab eight spaces, ...).
void key_text(int32_t code, char out[32]);

struct LegacyEvent {
  LegacyEvent* next;
  int32_t kind;  // 1 over, 2 click, 3 key down, 5 right click, 6..10 window events, 11..14 all
  int32_t id;
  int32_t x1, y1, x2, y2;
  char* key;
  int32_t enabled;
};
struct LegacyState {
  LegacyEvent* list = nullptr;
  int32_t all_click = 0, all_right = 0, all_over = 0, all_key = 0;
  int32_t last_id = 0;
  int32_t last_key = 0;
  LegacyEvent* under_mouse = nullptr;
};
LegacyState& legacy_events();
// Appends an enabled record; ERR_MEM.
int32_t legacy_event_append(int32_t kind, int32_t id, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            const char* key, LegacyEvent** out);
int32_t legacy_event_enable_by_name(const char* name);
// The first record of that kind and id, or nullptr; its removal (nothing when there is none).
LegacyEvent* legacy_event_find(int32_t kind, int32_t id);
void legacy_event_remove(int32_t kind, int32_t id);
void legacy_events_free_all();

// ---- services for other subsystems --------------------------------------------------------------

// Runs the platform pump once; *quit_out (may be null) gets 0. Returns the pump's quit result.
int32_t event_pump_platform(qmState* L, void* unused, int32_t* quit_out);
// Blocks in the platform wait; *out (may be null) gets 0. Returns 0.
int32_t event_wait_platform(void* unused1, void* unused2, int32_t* out);

// The mouse position in the display's coordinates (0 when it is not open).
void event_mouse_position(const qmDisplay* d, int32_t* x, int32_t* y);
// The pixel of the display's picture under a point of its window content: behind the border
// margins and, when scaled, divided by the scale factors. Rounded down, so that the border just
// left of or above the picture is not taken for its first column or row.
void event_point_to_pixel(const qmDisplay* d, int32_t x, int32_t y, bool scaled, int32_t* px, int32_t* py);

// Answers the runtime attributes of the sound-end handlers (ATTR_ONSAMPLELOOP and the others):
// 1 while the slot holds a callback.
int event_attr_get_hook(qmState* L, int32_t tag, intptr_t data);

// ---- the library --------------------------------------------------------------------------------

int32_t event_init(qmState* L);
void event_cleanup(qmState* L);

}  // namespace qm
