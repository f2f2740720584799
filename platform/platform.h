// The platform layer: everything the player needs from the host system that is not plain POSIX
// file work (that is runtime/os). One implementation for Linux, over SDL2 and Debian's libraries.
//
// Decisions that every part of this layer (and everything that calls it) keeps:
//
// - One code path. The player always calls SDL2. A headless run differs only in SDL's drivers:
//   SDL_VIDEODRIVER=offscreen (or dummy) and SDL_AUDIODRIVER=dummy. Nothing is compiled apart for
//   tests. When the user named no video driver, "x11" is tried first (XWayland serves it too).
// - Subsystems start lazily. platform_init starts only SDL's event subsystem, so listings
//   (-EXPORTCOMMANDS and the like) run on a machine without a display server. Video starts at its
//   first use: call platform_video_start() before any screen query, window or clipboard call; its
//   failure is reported where screen or window failures are (ERR_SCREEN / ERR_WINDOW). Audio and
//   joysticks start the same way through platform_audio_start() and platform_joystick_start().
// - The layer keeps its own input state (mouse position per window, qualifiers, focus window,
//   pressed keys), updated only from the SDL events that it translates and never read back from
//   SDL, so that events pushed with SDL_PushEvent and real X11 input behave alike.
// - Time: intervals, pacing, timer due times, input-queue expiry and the pump's 10 ms rule all read
//   the one Clock below (monotonic in the player, a FakeClock in unit tests). The wall clock is
//   read only for dates. The line hook's tick runs on the monotonic clock itself.
// - Text is Latin-1 inside the player. Titles, paths, clipboard text and key characters are
//   converted at the SDL boundary with the converters below: a code point above 255 coming in is
//   dropped (key characters) or becomes '?' (texts).
// - Hints set at init: SDL_HINT_NO_SIGNAL_HANDLERS=1 (our own SIGINT/SIGTERM handler only sets an
//   atomic, which the pump turns into an SDL_QUIT and so into the quit path),
//   SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE=0, SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS=0,
//   SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH=1.
// - Event hygiene: the pump serves the events queued when it starts, up to the first key or
//   button press or release (what arrives meanwhile waits for the next pump); SDL event types
//   that nobody consumes are switched off (again after video starts, which switches text input
//   on); consecutive mouse motions of one window are coalesced into the last, so a 1 kHz mouse
//   cannot back the queue up.
// - Waiting: nothing in the player sleeps blind. Every wait (WaitEvent, VWait's frame pacing,
//   Wait, and the waits of libraries to come) blocks in one place, on the window system's
//   connection and a wake descriptor together, up to its deadline or the next due platform timer,
//   and serves what arrives at once: platform_wait_until is the wait with a deadline,
//   platform_wait_event the blocking wait of the event loops. An idle player wakes at most five
//   times a second.
// - Waking: platform_wake() may be called from any thread, even a signal handler (a quit signal
//   calls it): it stores an atomic flag and writes the wake descriptor, which ends a blocked wait.
//   Another thread that puts an event on SDL's queue calls it after.
// - The line hook's pace: platform_tick_start gives a tick every 10 ms of monotonic time, so a
//   program is served while it computes whatever share of its time it spends waiting; the waits
//   stop the tick while they block.
// - Threads: SDL video calls stay on the script (main) thread. Platform timers are a main-thread
//   list fired inside the pump and the waits, never SDL_AddTimer callbacks.
// - Sizes on a 64-bit host: plane and buffer sizes are size_t and overflow-checked; one allocation
//   cap (picture_size_allowed in gfx/bitmap.h: ERR_MEM above 32767 a side or 2^28 pixels) guards
//   the bitmap, mask and alpha allocators and every decoder before it allocates; automatic ids and
//   handle words are pointer-sized.
// - Layers arrive late: displays and brushes reach them through one LayerHooks interface
//   (display/), whose defaults keep the layers-off paths working (shows_object false, redraw_rect
//   copies the background picture, insert_image_layer answers ERR_NOLAYERS).
// - Test seams are compiled in and inert until a test or a test environment switches them on: the
//   Clock; the ScreenInfo override (QM_SCREEN, QM_SCREEN_MODES), since the offscreen driver has one
//   fixed mode; the requester responder (QM_REQUESTER_REPLIES), so headless runs never block; the
//   recorder of platform calls (QM_PLATFORM_RECORD); the input-script injector (QM_EVENT_SCRIPT),
//   which the pump feeds through SDL_PushEvent. What a window shows is its screen buffer.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/registry.h"

struct qmState;
union SDL_Event;

// ---- start and end, lazy subsystems -------------------------------------------------------------

// Start and end of the platform layer: the first step of start-up and the last of the exit. init
// sets the hints, starts SDL's event subsystem, installs the SIGINT/SIGTERM handler and loads
// QM_EVENT_SCRIPT; 0, or ERR_MEM when SDL's event subsystem cannot start, ERR_READFILE or
// ERR_ARGS when the input script cannot be read or has a malformed line. exit removes every platform timer, empties the
// input queue (freeing queued payloads), stops every SDL subsystem and restores the signal handlers.
int32_t platform_init();
void platform_exit();
bool platform_initialised();

// Starts SDL video on first need; later calls answer at once. 0, or ERR_SCREEN when no video
// driver could start (a window opener reports ERR_WINDOW instead). SDL's error text is kept for
// platform_last_error().
int32_t platform_video_start();
bool platform_video_started();
// Audio and joysticks: 0, or ERR_AUDIODEVICE / ERR_JOYSTICK.
int32_t platform_audio_start();
int32_t platform_joystick_start();
// SDL's message for the last start that failed (empty when none failed).
const std::string& platform_last_error();

// ---- the clock ----------------------------------------------------------------------------------

// Every interval, pace, timer due time and queue expiry reads this clock. The player's clock is
// monotonic (CLOCK_MONOTONIC); the wall clock serves dates only.
class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic microseconds from an arbitrary start.
  virtual int64_t now_us() = 0;
  // Wall-clock microseconds since the epoch: dates only.
  virtual int64_t wall_us() = 0;
  virtual void sleep_us(int64_t us) = 0;
  // A fake clock only moves when told to: waits poll instead of blocking and then move it on.
  virtual bool is_fake() const { return false; }
};

// A clock for tests: starts at 0 (wall clock at 2026-01-02 03:04:05 UTC), moves by advance()
// and by sleep_us(), never by itself. Safe to read from other threads.
class FakeClock : public Clock {
 public:
  int64_t now_us() override;
  int64_t wall_us() override;
  void sleep_us(int64_t us) override;
  bool is_fake() const override { return true; }
  void advance_us(int64_t us);
  void advance_ms(int64_t ms) { advance_us(ms * 1000); }
  void set_wall_us(int64_t us);

 private:
  std::atomic_int64_t now_{0};
  std::atomic_int64_t wall_{1767323045LL * 1000000};
};

Clock& platform_clock();
// Installs a clock (tests); nullptr restores the default (monotonic, or the fake one that
// QM_FAKE_CLOCK=1 asks for). The caller keeps ownership.
void platform_set_clock(Clock* clock);
inline int64_t platform_now_ms() { return platform_clock().now_us() / 1000; }

// ---- screen information and its override --------------------------------------------------------

struct ScreenMode {
  int32_t width = 0, height = 0;
  int32_t refresh = 0;  // Hz; 0 when the screen reports none
};

struct ScreenInfo {
  int32_t width = 0, height = 0;
  int32_t refresh = 0;  // Hz; 0 when the screen reports none
  int32_t bits = 32;
  // The part of the screen that windows may use (the work area): x, y, width, height.
  int32_t usable_x = 0, usable_y = 0, usable_width = 0, usable_height = 0;
  std::vector<ScreenMode> modes;  // the screen's full-screen modes, in SDL's order
};

// The main screen as the layer sees it. With an override (QM_SCREEN, QM_SCREEN_MODES or
// platform_set_screen_override) video is not started at all; otherwise it is. 0, or ERR_SCREEN.
int32_t platform_screen_info(ScreenInfo* out);
// Test override; nullptr clears it and re-reads the environment. QM_SCREEN="1280x1024@60" gives
// size and refresh (usable bounds the whole screen); QM_SCREEN_MODES="640x480,800x600@75,..." the
// mode list (without it the list holds the QM_SCREEN mode).
void platform_set_screen_override(const ScreenInfo* info);
// Parses the two texts of the environment form; false when either is malformed.
bool platform_parse_screen(const char* screen, const char* modes, ScreenInfo* out);

// ---- recorder of platform calls -----------------------------------------------------------------

// Mode switches, titles, cursor changes, presented rectangles and the like are recorded as lines
// "<kind> <detail>" while the recorder is on: in memory (platform_recorder_start/take) and, when
// QM_PLATFORM_RECORD names a file, appended to it.
void platform_record(std::string_view kind, std::string_view detail);
bool platform_recording();
void platform_recorder_start();
void platform_recorder_stop();
std::vector<std::string> platform_recorder_take();

// ---- requester responder ------------------------------------------------------------------------

// A scripted answer to a requester: kind names the requester ("system", "file", "path",
// "string", "integer", "list", "font", "colour"), title is its Latin-1 title. The responder
// returns true with the reply text (an empty reply means the user cancelled), or false to let the
// real requester run.
using RequesterResponder = bool (*)(std::string_view kind, std::string_view title, std::string* reply);
void platform_set_requester_responder(RequesterResponder responder);
// Asks the responder first, then the QM_REQUESTER_REPLIES file (one reply a line, taken in order;
// an empty line is a cancel, and once the file is used up every request is cancelled). True when
// the request was answered without a person.
bool platform_requester_scripted(std::string_view kind, std::string_view title, std::string* reply);

// ---- text at the SDL boundary -------------------------------------------------------------------

std::string platform_latin1_to_utf8(std::string_view latin1);
// Malformed sequences and code points above 255 become '?'.
std::string platform_utf8_to_latin1(std::string_view utf8);
// The Latin-1 character of the first code point of a key's text, or -1 when it has none.
int32_t platform_utf8_key_char(std::string_view utf8);

// ---- quit, wake, pump and waits -----------------------------------------------------------------

// The program's quit request (process-wide): set by the pump when the program must end; the
// script hook and the waits read it.
bool platform_quit_requested();
void platform_set_quit_request(bool on);

// Ends a blocking wait of the main loop. Any thread, and signal handlers, may call it.
void platform_wake();

// The layer's own input state, kept from the events that the pump takes (never read back from
// SDL): the keyboard focus, the window under the mouse, the last mouse position per window, the
// held buttons and keys and the modifiers. Window ids are SDL's; 0 is none.
struct InputState {
  uint32_t focus_window = 0;
  uint32_t mouse_window = 0;
  uint32_t buttons = 0;    // SDL_BUTTON() masks
  uint16_t modifiers = 0;  // KMOD_ bits of the last key event
  struct Mouse {
    uint32_t window;
    int32_t x, y;
  };
  std::vector<Mouse> mouse;      // one entry per window that saw the mouse
  std::vector<int32_t> keys;     // SDL keycodes held down
  const Mouse* mouse_in(uint32_t window) const;
  bool key_down(int32_t keycode) const;
};
const InputState& platform_input_state();
// Updates the state from one event (the pump calls it before the translator).
void platform_input_track(const SDL_Event& event);
// A window that is destroyed leaves the state.
void platform_input_forget_window(uint32_t window);
void platform_input_reset();
// Forgets the keys and mouse buttons held, keeping the focus and the mouse positions.
void platform_input_release_held();

// Turns one SDL event into queue entries and display flags; returns 1 when the event decides that
// the program must quit. Installed by the event translator; without one, only SDL_QUIT (from the
// window system, a pushed event or SIGINT/SIGTERM) quits.
using EventTranslator = int32_t (*)(qmState* L, const SDL_Event& event);
void platform_set_event_translator(EventTranslator translator);
// Run after the events of every pump that did not return early (display requests, sound events),
// in the order added (a finisher added again keeps its place); each returns 1 when the program
// must quit.
using PumpFinisher = int32_t (*)(qmState* L);
void platform_add_pump_finisher(PumpFinisher finisher);

// Serves the SDL events queued when it starts, up to the first key or button press or release
// (so that every press and release shows in the held keys and buttons between two pumps):
// returns 1 when the program must quit, else 0. With nothing queued, nothing due and less than
// 10 ms since the last full pump it returns 0 at once. Fires due platform timers and feeds the input script.
// A quit it decides reaches the script's line hook at the next line (through the tick's
// function).
int32_t platform_pump_events(qmState* L);
// Blocks until an SDL event is queued, a platform timer is due, a library descriptor is ready
// (platform_set_wait_descriptors), the loop is woken or a quit signal came; 0. Serves nothing
// itself: the caller pumps.
int32_t platform_wait_event();

// The wait of the player and of every library that waits (frame pacing, Wait, network replies,
// anims, transitions): waits for events until the clock reaches deadline_us, serving each as it
// arrives with the pump (for state L). 0 at the deadline; ERR_USERABORT as soon as the program
// must quit (also when it already had to).
int32_t platform_wait_until(qmState* L, int64_t deadline_us);
// Descriptors of a library (the network's sockets) that the waits watch beside the window system:
// the source adds those whose input or hang-up the program is to hear of at once; a wait that
// sees one ready ends, so that the event loop looks at them. The source leaves out descriptors
// whose readiness the program has already been told of, else the waits would not block.
using WaitDescriptorSource = void (*)(std::vector<int32_t>* fds);
void platform_set_wait_descriptors(WaitDescriptorSource source);
// A library's next due time on the main thread (a movie's next picture): microseconds on the
// clock from now, 0 when something is due now, -1 when nothing is. The waits end then, and the
// pump runs its finishers while something is due, even within its 10 ms gap: the library's
// finisher takes what is due, or the waits would not block. Sources are kept in the order added
// (one added again keeps its place).
using WaitDueSource = int64_t (*)();
void platform_add_wait_due(WaitDueSource source);
// Sleeps ms milliseconds (on the clock) and serves nothing.
void platform_delay(int64_t ms);
// platform_wait_until ms milliseconds from now, for the state that runs the main chunk.
int32_t platform_wait_ms(int64_t ms);

// The tick that paces the per-line hook: from now on fire() is called from a signal handler on
// the calling thread every 10 ms of monotonic time, except while a wait blocks (the wait starts
// a whole period again when it returns). fire must be safe in a signal handler. False when the
// system refuses a timer: there is no tick then. A new start replaces the function.
bool platform_tick_start(void (*fire)());
void platform_tick_stop();

// ---- platform timers ----------------------------------------------------------------------------

inline constexpr int32_t TIMER_INTERVAL = 0;
inline constexpr int32_t TIMER_TIMEOUT = 1;
inline constexpr int32_t TIMER_NONE = 9;

// One running interval or timeout, in one main-thread list kept in insertion order.
struct qmPlatformTimer {
  qmPlatformTimer* next;
  int32_t kind;  // TIMER_INTERVAL or TIMER_TIMEOUT
  qm::ObjectId id;
  int32_t fired;
  int64_t period_us;
  int64_t due_us;  // on the clock; INT64_MAX once a timeout fired
};

inline constexpr int32_t TIMER_ADD_INTERVAL = 0;
inline constexpr int32_t TIMER_ADD_TIMEOUT = 1;
inline constexpr int32_t TIMER_REMOVE_INTERVAL = 2;
inline constexpr int32_t TIMER_REMOVE_TIMEOUT = 3;
inline constexpr int32_t TIMER_RESTART_INTERVAL = 4;

// Adds (an interval is due at once, then every period), removes or restarts a timer. 0, or ERR_MEM
// when a record cannot be allocated. Removing or restarting an unknown id does nothing.
int32_t platform_timer_control(int32_t op, const qm::ObjectId& id, int64_t period_ms);
qmPlatformTimer* platform_timer_find(int32_t kind, const qm::ObjectId& id, qmPlatformTimer** next = nullptr);
// Collects fired timers one at a time: start with nullptr and go on with the result until it is
// nullptr. *kind is TIMER_NONE for a record that has not fired; a fired timeout is reported and
// freed, a fired interval reported and re-armed (however often it fell due in between).
qmPlatformTimer* qmos_timer_expiry_read(qmPlatformTimer* record, int32_t* kind, qm::ObjectId* id);
// Marks the timers whose time has come; an interval that fell behind is due again one period
// after now. Called by the pump and the waits. Returns how many were marked.
int32_t platform_timers_fire_due();
// How many timers have fired and wait to be collected: a collector can stop once none is left.
int32_t platform_timers_fired();
// Microseconds on the clock until the next unfired timer is due (0 when one is due, -1 when none).
int64_t platform_timers_next_due_us();
void platform_timers_free_all();

// ---- input script injector ----------------------------------------------------------------------

// QM_EVENT_SCRIPT names a file of timed input lines that the pump pushes with SDL_PushEvent when
// their time has come (milliseconds on the clock since the script was loaded):
//   at 100 move 1 10 10     the mouse to (10, 10) in display 1's window
//   click 1 left            down and up (left, right, middle) at the last position
//   down 1 right / up 1 right
//   wheel 1 up / wheel 1 down
//   key down a / key up shift / key return   (SDL key names; "key X" is down and up)
//   text a                  text input (UTF-8)
//   size 1 320 240          the user resizes display 1's window to 320 x 240
//   close 1                 the window's close request
//   quit                    the quit event
//   drop 1 a.txt b.txt      a drop of files (names without blanks) on display 1's window
//   wait events             holds the script until the program next waits for or checks its
//                           events (platform_event_script_events_looked_at); its clock stands
//                           still meanwhile, so "at 0 wait events" times the rest from the
//                           program's first look, whatever its start-up took
// A line without "at" happens together with the one before. Blank lines and lines from "#" on are
// skipped. Returns 0, or the 1-based number of the first malformed line (nothing is loaded then).
int32_t platform_event_script_load(std::string_view text);
// Pushes the lines of the earliest due "at" group, so that groups that fell due together still come
// on separate calls; the pump and the waits call it. Returns the number of events.
int32_t platform_event_script_feed();
// Microseconds on the clock until the next line is due, -1 when none is left or the script waits
// for the program to look at its events.
int64_t platform_event_script_next_due_us();
// The program waits for or checks its events (WaitEvent, CheckEvent, and every blocking wait of the
// event loops while it lasts): a due "wait events" line ends.
void platform_event_script_events_looked_at();
// Maps a display number of the script to an SDL window id (installed by the window layer; without
// it the number is taken as the window id).
using WindowResolver = uint32_t (*)(int32_t display_number);
void platform_set_window_resolver(WindowResolver resolver);

// ---- process services ---------------------------------------------------------------------------

// Runs the loaded main chunk (the function on top of the stack) in protected mode with no
// arguments and no results; 0 or the program's error code. The state is the one that long waits
// pump events for.
int32_t platform_run_main_chunk(qmState* L);
qmState* platform_main_state();

// The document named by the desktop's open-documents request at start-up: documents arrive in
// argv on this host, so there is none (empty).
std::string platform_wait_open_documents();

// The running executable (from /proc/self/exe), the folder that holds it (with a trailing "/",
// standing for the bundle), and the bundle's launch arguments (always empty here).
const std::string& platform_executable_path();
const std::string& platform_executable_folder();
std::string platform_get_bundle_args();

// Opens a URL (Latin-1) with the desktop's handler for its scheme; failures are not reported.
// Tests install an opener so that no browser starts.
using UrlOpener = void (*)(const char* utf8_url);
void platform_open_url(const char* url);
void platform_set_url_opener(UrlOpener opener);

void platform_option_hook(const char* option);

// Debug output on standard output. platform_debug_write takes the player's Latin-1 text
// (DebugPrint, the debug device's error line) and writes it as UTF-8.
void platform_debug_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
void platform_debug_write(const char* text, size_t len);

// A new, empty temporary file made with mkstemp in $TMPDIR (or /tmp); its name (host form) goes
// into *name. 1 on success, 0 when no file could be made.
int32_t platform_tmpnam(std::string* name);

// A Latin-1 path in the file system's form: backslashes become slashes, the text UTF-8. False
// when the path holds a NUL byte.
bool platform_path_to_native(std::string_view path, std::string* out);

// Wall-clock seconds (dates only; intervals use the Clock).
double platform_get_seconds();

// Physical memory of the host in bytes, saturated at 0xFFFFFFFF.
uint32_t platform_get_physical_memory();

// Date and time texts of the local wall clock, in Latin-1 under the user's LC_TIME:
// mode 0 the short date; 1 "MM-DD-YY" with "HH:MM:SS" in text2; 2 "HH:MM:SS"; 3 the weekday name.
// Other modes write nothing.
void platform_format_date(int32_t mode, std::string* text1, std::string* text2);
std::string platform_format_date(int32_t mode);
struct qmDateParts {
  int32_t year;    // four digits
  int32_t month;   // 1-12
  int32_t day;     // 1-31
  int32_t hour, minute, second;
};
void platform_get_date_parts(qmDateParts* parts);

// Message ports do not exist on this host: create answers ERR_CREATEPORT, send ERR_FINDPORT with
// the port name as the message's text argument.
int32_t platform_port_create();
int32_t platform_port_send(const char* name);

// Recursive mutexes: a thread that holds one may lock it again. trylock answers 1 when the mutex
// was taken, 0 when another thread holds it. create gives null when memory runs out.
struct qmMutex;
qmMutex* platform_mutex_create();
void platform_mutex_free(qmMutex* m);
void platform_mutex_lock(qmMutex* m);
int32_t platform_mutex_trylock(qmMutex* m);
void platform_mutex_unlock(qmMutex* m);

// Windows, drawing to the screen and pointers.
#include "platform/window.h"
#include "platform/events.h"
