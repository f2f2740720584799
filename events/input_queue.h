// The input event queue: raw input (mouse buttons, wheel, keys, window changes, drops, clipboard
// changes) from the platform's event translator to the event poller. A fixed array of 256
// entries under one recursive mutex; it never grows and never blocks a producer.
#pragma once

#include <cstdint>

struct qmDisplay;

// Input type codes.
inline constexpr int32_t INPUT_LEFTMOUSE = 1;
inline constexpr int32_t INPUT_RIGHTMOUSE = 2;
inline constexpr int32_t INPUT_KEY = 3;
inline constexpr int32_t INPUT_MOVED = 4;
inline constexpr int32_t INPUT_RESIZED = 5;
inline constexpr int32_t INPUT_DEACTIVATED = 6;
inline constexpr int32_t INPUT_CLOSE = 7;
inline constexpr int32_t INPUT_ACTIVATED = 8;
inline constexpr int32_t INPUT_HIDDEN = 9;
inline constexpr int32_t INPUT_SHOWN = 10;
inline constexpr int32_t INPUT_WHEELUP = 11;
inline constexpr int32_t INPUT_WHEELDOWN = 12;
inline constexpr int32_t INPUT_MODESWITCH = 13;
inline constexpr int32_t INPUT_DROP = 14;
inline constexpr int32_t INPUT_CLIPBOARD = 15;
inline constexpr int32_t INPUT_MIDMOUSE = 16;
inline constexpr int32_t INPUT_ORIENTATION = 17;
inline constexpr int32_t INPUT_KEYBOARDSHOWN = 18;
inline constexpr int32_t INPUT_KEYBOARDHIDDEN = 19;

inline constexpr int32_t INPUT_QUEUE_SIZE = 256;

// One queued entry.
struct qmInputEvent {
  int32_t type;
  int32_t a;  // x for mouse and drop entries; the down flag (1 down, 0 up) for keys
  int32_t b;  // y for mouse and drop entries; 0 for keys
  int32_t c;  // the down flag for mouse buttons; the key code for keys
  int64_t time_us;     // when it was posted, on the platform clock
  qmDisplay* display;  // null once that display was freed
  void* payload;       // owned block (malloc) or null: a drop's names, NUL-terminated, then ""
};

// Appends an entry stamped with the clock. Returns true when the entry was queued and the queue
// took over the payload; false when the queue was full or a resize was absorbed by a scaled
// display: the caller still owns the payload and frees it.
bool input_queue_post(qmDisplay* display, int32_t type, int32_t a, int32_t b, int32_t c, void* payload);

// Copies entry n to *out; with take_payload the entry's payload moves to *out (the caller frees
// it), else *out only borrows it. Returns n + 1 when entry n exists, else 0. The caller holds the
// mutex (input_queue_lock) around peeks.
int32_t input_queue_peek(int32_t n, qmInputEvent* out, bool take_payload);

// Removes entries 0..n (n = -1: all) freeing their payloads, and moves the rest down. n at or
// beyond the last entry removes them all; n above 255 does nothing. With lock the mutex is taken.
void input_queue_remove(int32_t n, int lock);

// Drops every entry older than the event timeout, with every entry posted before it.
void input_queue_expire();

// Clears the display of every entry of that display (the display is being freed), then tells the
// listener, so that the event poller lets go of it too.
void input_queue_detach_display(const qmDisplay* display);
using DetachListener = void (*)(const qmDisplay* display);
void input_queue_set_detach_listener(DetachListener listener);

int32_t input_queue_count();
void input_queue_lock();
void input_queue_unlock();

// The event timeout in milliseconds (1500 at start): how old an entry may become.
int32_t input_queue_timeout_ms();
void input_queue_set_timeout_ms(int32_t ms);

// Answers whether a display absorbs resizes (scale mode 1 or 2); installed by the display library.
using ResizeAbsorbed = bool (*)(const qmDisplay* display);
void input_queue_set_resize_absorbed(ResizeAbsorbed check);
