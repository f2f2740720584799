// What the platform layer answers about input beyond the event queue: the attribute query and
// setter that libraries read screen, mouse and frame-rate values through, the quit switches, the
// modifier keys, the clipboard watch and joysticks. Part of the platform layer's public interface
// (platform/platform.h includes it).
#pragma once

#include <cstdint>

struct qmDisplayWindow;

// ---- attributes ---------------------------------------------------------------------------------

enum : int32_t {
  PLATATTR_DEPTH = 5,
  PLATATTR_MOUSEX = 6,  // object: the display (qmDisplayWindow*)
  PLATATTR_MOUSEY = 7,
  PLATATTR_CTRLCQUIT = 8,
  PLATATTR_LEFTMOUSEQUIT = 9,
  PLATATTR_ESCAPEQUIT = 10,
  PLATATTR_POINTERWIDTH = 12,
  PLATATTR_POINTERHEIGHT = 13,
  PLATATTR_SCREENWIDTH = 14,
  PLATATTR_SCREENHEIGHT = 15,
  PLATATTR_FRAMERATE = 16,
  PLATATTR_CONSOLE = 20,
  PLATATTR_MENUBARHEIGHT = 22,
  PLATATTR_WORKAREA = 23,  // object: int32_t[4] that receives {x, y, width, height}
};

// The value of an attribute. Mouse positions are the last the layer saw in the display's window,
// in the display's coordinates (a letterboxed full-screen window mapped back); the screen size is
// the switched mode's while one is set. Unknown codes answer 0.
int32_t platform_get_attr(void* object, int32_t code);
// Sets the quit switches (8 Ctrl-C, 9 left mouse, 10 Escape) and the frame-rate limit (16; 0
// switches the limit off). Other codes are ignored.
void platform_set_attr(void* object, int32_t code, int32_t value);

// Whether each event ends the program; the pump's finisher reads them.
struct QuitSwitches {
  int32_t ctrl_c = 1;
  int32_t left_mouse = 0;
  int32_t escape = 0;
};
const QuitSwitches& platform_quit_switches();
void platform_reset_quit_switches();

// Modifier bits in the upper half-word: 0x8000 always, shift 0x0001, alt 0x0004, command (the GUI
// key) 0x0010, control 0x0040; from the layer's own modifier state.
uint32_t platform_get_qualifiers();

// ---- clipboard watch ----------------------------------------------------------------------------

// Clipboard changes arrive as SDL_CLIPBOARDUPDATE once video runs; 0.
int32_t platform_clipboard_watch(qmDisplayWindow* display);
// The clipboard writer calls this after its own write, which it reports to the displays itself,
// so that the window system's echo of that write is not reported a second time.
void platform_clipboard_note_own_write();
// True (once) when a clipboard change is the echo of our own write.
bool platform_clipboard_take_own_write();

// ---- joysticks ----------------------------------------------------------------------------------

// Directions of platform_joystick_read.
enum : int32_t {
  JOY_UP = 0, JOY_UPRIGHT = 1, JOY_RIGHT = 2, JOY_DOWNRIGHT = 3, JOY_DOWN = 4,
  JOY_DOWNLEFT = 5, JOY_LEFT = 6, JOY_UPLEFT = 7, JOY_NODIR = 8,
};

// Devices are found once, at the first count or read, over SDL's joystick API: those with at least
// two axes or one button, in SDL's order (port n is the n-th). A device plugged in later is not
// seen. 0, or ERR_JOYSTICK when the joystick subsystem cannot start, ERR_MEM.
int32_t platform_joystick_scan();
// 0 or the scan's error; *count the number of devices.
int32_t platform_joystick_count(int32_t* count);
// Reads port n: the direction from the first two axes and the first 32 buttons as a mask (bit i
// for button i). Either output may be null. 0, the scan's error, or ERR_NOJOYATPORT.
int32_t platform_joystick_read(int32_t port, int32_t* direction, uint32_t* buttons);
// Closes every device (the platform exit); a later count scans again.
void platform_joystick_free_all();
// The direction of scaled axis values (-1000..1000, y growing downwards).
int32_t platform_joystick_direction(int32_t x, int32_t y);
