// Windows, full-screen displays, drawing to the screen and pointers: the platform half of every
// display. Part of the platform layer's public interface (platform/platform.h includes it).
//
// Design in brief:
// - A display record begins with qmDisplayWindow, the fields that this layer reads and writes;
//   everything here takes that record. Positions are the top-left corner of the window's frame;
//   SDL places the content, so the frame widths are added on the way to SDL.
// - Each window owns a screen buffer (content-sized, 0x00RRGGBB), which is the truth of what the
//   window shows. Blits, fills, plots and lines write into it; presenting copies the changed
//   rectangles to the window surface. An exposed window presents its buffer again.
// - Screen modes are virtual: a switch remembers the asked size, which the screen queries then
//   report. A borderless window that covers the whole switched screen becomes a full-screen window
//   on the real desktop, its buffer scaled into a letterbox (nearest neighbour) at present time;
//   mouse positions are mapped back into the buffer.
// - Cursors keep their image and hot spot and make the SDL cursor only when first shown, so that
//   they can be made where SDL cannot make cursors (headless). SDL's cursor is process-wide: a
//   display's cursor is applied when its window gets the focus or the mouse enters it.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/bitmap.h"
#include "platform/screen_buffer.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;
struct qmState;
struct qmCursor;
namespace qm {
struct qmBlitOutput;
}

// Window flag bits of a display (its declaration and option keys).
enum : uint32_t {
  WINFLAG_BORDERLESS = 0x1,
  WINFLAG_SIZEABLE = 0x2,
  WINFLAG_FIXED = 0x4,
  WINFLAG_NOMODESWITCH = 0x8,
  WINFLAG_HIDEPOINTER = 0x10,
  WINFLAG_NOHIDE = 0x20,
  WINFLAG_SCALEMODE_AUTO = 0x40,
  WINFLAG_SMOOTHSCALE = 0x80,
  WINFLAG_SCALEMODE_LAYER = 0x100,
  WINFLAG_ACTIVE = 0x400,
  WINFLAG_HIDDEN = 0x800,
  WINFLAG_LAYERS = 0x1000,
  WINFLAG_USEQUARTZ = 0x2000,
  WINFLAG_NOCLOSE = 0x4000,
  WINFLAG_KEEPPROPORTIONS = 0x8000,
  WINFLAG_FITSCALE = 0x10000,
  WINFLAG_FULLSCREENWINDOW = 0x20000,
};

// Window states of a display.
enum : int32_t { DISPSTATE_CLOSED = 0, DISPSTATE_OPEN = 1, DISPSTATE_MINIMIZED = 2 };

// Blit flag: draw even when the window is not open.
inline constexpr int32_t BLIT_EVEN_CLOSED = 16;

// The platform part of a display: one per display, from the record's creation to its freeing.
struct qmDisplayPlatform {
  SDL_Window* window = nullptr;
  // Request flags set by the event handlers and read by the pump.
  int32_t close_request = 0;
  int32_t relayout_request = 0;
  int32_t ctrl_c = 0;
  int32_t escape = 0;
  int32_t drag_started = 0;
  int32_t bounds_changed = 0;
  int32_t resize_started = 0;
  int32_t pointer_hidden = 0;
  int32_t pending_switch = -1;  // -1 none, else the full-screen state to switch to
  qmCursor* current_cursor = nullptr;  // the system arrow at creation; a reference
  // Shaped windows: the shape plane (255 inside) and the backing bitmap that receives drawn
  // pixels with the shape merged into their alpha bytes.
  qm::qmBitmap* backing = nullptr;
  qm::qmAlphaChannel* shape = nullptr;
  int32_t shaped = 0;
  int64_t last_flush_us = 0;  // Clock time of the last present
  qmState* owner = nullptr;
  // What the window shows, and how it reaches the surface.
  qmScreenBuffer screen;
  SDL_Surface* surface = nullptr;  // the surface last presented to (compared, never used)
  int32_t surface_w = 0, surface_h = 0;
  int32_t fullscreen = 0;   // FULLSCREEN_DESKTOP over a virtual mode
  int32_t scaled = 0;       // placed and drawn scaled into a switched mode's letterbox
  int32_t gone = 0;         // another client destroyed the window: nothing more is asked of it
  int32_t own_minimize = 0;  // the program minimised this window (nohide lets it)
  int32_t frame_settled = 0;  // the window manager's frame is known and the window placed by it
  int32_t drop_target = 0;    // drops on this window are taken (the display has a drop callback)
  // Rectangles that drawing into the window leaves alone (the movies shown there): a pixel is
  // kept when an odd number of them cover it.
  std::vector<qmScreenRect> holes;
};

// The fields of a display record that this layer reads and writes.
struct qmDisplayWindow {
  int32_t x = -100000, y = -100000;  // frame top-left on the desktop
  int32_t width = 640, height = 480;  // content size
  int32_t state = DISPSTATE_CLOSED;
  uint32_t flags = 0;
  char title[256] = "Quillmere";  // Latin-1
  // Frame metrics: left and top frame widths, the width and height the frame adds.
  int32_t frame_left = 0, frame_top = 0, frame_extra_width = 0, frame_extra_height = 0;
  // Where the display's picture sits inside the content (scaled displays).
  int32_t offset_x = 0, offset_y = 0;
  int32_t has_drop_callback = 0;
  int32_t requester_running = 0;
  qmDisplayPlatform* platform = nullptr;  // owned
};

// ---- windows and screen modes -------------------------------------------------------------------

int32_t platform_display_alloc(qmState* owner, qmDisplayWindow* display);  // 0 or ERR_MEM
void platform_display_free(qmDisplayWindow* display);
void platform_window_frame_size(qmDisplayWindow* display);
// Creates and shows the window, shaped by the mask or alpha plane when one is given.
// 0, ERR_WINDOW or ERR_MEM.
int32_t platform_window_open(qmDisplayWindow* display, int32_t activate, const qm::qmMask* mask,
                             const qm::qmAlphaChannel* alpha);
// What the window shows is kept for the display (a copy of it leaves the window), unless
// keep_picture is false: the display is being freed and the copy would be thrown away unread.
void platform_window_close(qmDisplayWindow* display, bool keep_picture = true);
void platform_window_move(qmDisplayWindow* display);
void platform_window_resize(qmDisplayWindow* display);
void platform_window_regions_changed(qmDisplayWindow* display);
void platform_window_set_title(qmDisplayWindow* display);
int32_t platform_window_minimize(qmDisplayWindow* display, int32_t flag);
void platform_window_activate(qmDisplayWindow* display);
int32_t platform_window_set_drop_target(qmDisplayWindow* display);
int32_t platform_fullscreen_supported();

// The first display's screen decisions. display_mode 1 is windowed, anything else full screen;
// mode_width and mode_height are the display library's size for the screen-mode choice.
int32_t platform_display_prepare(int32_t display_mode, int32_t cover_screen, int32_t hide_menu_bar,
                                 int32_t mode_width, int32_t mode_height, int32_t depth,
                                 int32_t* out_width, int32_t* out_height, int32_t* out_depth);
int32_t platform_display_set_mode(int32_t width, int32_t height, int32_t depth);  // 0, ERR_SCREEN
void platform_display_restore_mode();
// Fades are not available: the token is always 0 and nothing fades.
void platform_display_fade_out(uint32_t* token, int32_t synchronous);
void platform_display_fade_in(uint32_t token, int32_t synchronous);
void platform_set_ui_mode(int32_t mode);
int32_t platform_ui_mode_changed();
// Without an array the number of modes listed (duplicates counted); with one, each (width,
// height) pair not stored before, in order, and the number stored. The array holds 2 words a mode.
int32_t platform_get_display_modes(int32_t* pairs);
// The usable rectangle {x, y, width, height}.
void platform_get_work_area(int32_t out[4]);
// The screen size that programs see: the switched mode while one is set, else the desktop.
void platform_screen_size(int32_t* width, int32_t* height);
int32_t platform_refresh_rate();

// ---- drawing to the screen ----------------------------------------------------------------------

// Draws the bitmap rectangle at the destination, or scaled to (scaled width, scaled height) at the
// display's offsets when both are nonzero. Nothing unless the window is open or flag 16 is given.
void platform_window_blit(const qm::qmBitmap* bitmap, int32_t sx, int32_t sy,
                          qmDisplayWindow* display, int32_t dx, int32_t dy, int32_t width,
                          int32_t height, int32_t scaled_width, int32_t scaled_height,
                          int32_t flags);
// Unscaled rectangles of the bitmap, apart from one another, each to its own place in the
// content plus the display's offsets; the same opening rule as platform_window_blit.
void platform_window_blit_rects(const qm::qmBitmap* bitmap, qmDisplayWindow* display, const qmScreenRect* rects,
                                size_t n, int32_t flags);
// The same as the blit layer's window service (gfx_services().window_blit): the output's owner
// is the display record, stored as a qmDisplayWindow pointer.
void platform_window_blit_output(const qm::qmBitmap* bitmap, int32_t sx, int32_t sy,
                                 qm::qmBlitOutput* output, int32_t dx, int32_t dy, int32_t width,
                                 int32_t height, int32_t scaled_width, int32_t scaled_height,
                                 int32_t flags);
// Opaque 0xRRGGBB drawing at content coordinates plus the display's offsets; only while open.
void platform_window_fill_rect(qmDisplayWindow* display, int32_t x, int32_t y, int32_t width,
                               int32_t height, uint32_t colour);
void platform_window_plot(qmDisplayWindow* display, int32_t x, int32_t y, uint32_t colour);
void platform_window_line(qmDisplayWindow* display, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                          uint32_t colour);
// Reads the window's screen buffer through, so that drawing over all of it soon after (the first
// frame of a transition) finds its lines in the cache; changes nothing. Only while open.
void platform_window_touch(qmDisplayWindow* display);
// The holes that the blits, fills, plots and lines above leave alone, in content pixels (the
// display's offsets already added); none when n is 0.
void platform_window_set_holes(qmDisplayWindow* display, const qmScreenRect* rects, size_t n);
// Presents the frame (unless a frame-rate limit above the refresh rate is set) and paces it: waits
// until the frame is due, serving events meanwhile (platform_wait_until for owner).
void platform_window_flush(qmState* owner, qmDisplayWindow* display);
// Presents the frame as platform_window_flush does and counts it as the frame of now, without
// waiting: for a caller whose own wait paces the frames while it watches something else.
void platform_window_present_frame(qmDisplayWindow* display);
// Presents what every open window has changed, without pacing; the event pump calls it so that
// drawing shows up between frames too.
void platform_present_pending();
// Runs before any window shows what was drawn into it, so that drawing held back (a deferred
// redraw) is done first; nullptr for none.
void platform_set_present_preparer(void (*prepare)());
// A new bitmap with that rectangle of the desktop as this layer shows it (the open windows' screen
// buffers at their places over black), or nullptr.
qm::qmBitmap* platform_screen_grab(int32_t x, int32_t y, int32_t width, int32_t height);
// Merges the display's shape plane into the alpha bytes of a rectangle of the backing bitmap,
// after copying the source rectangle there when a source is given.
void platform_apply_window_mask(qmDisplayWindow* display, const qm::qmBitmap* source, int32_t sx,
                                int32_t sy, qm::qmBitmap* backing, int32_t dx, int32_t dy,
                                int32_t width, int32_t height);

// Frame pacing words. A limit of 0 or below switches the limit off.
void platform_set_frame_rate_limit(int32_t fps);
int32_t platform_frame_rate();
int32_t platform_frame_rate_limited();

// ---- pointers -----------------------------------------------------------------------------------

// A cursor from width x height words 0xAARRGGBB (the caller's buffer is only read).
// 0, ERR_POINTERIMG or ERR_MEM; *out is set only on success.
int32_t platform_cursor_create(const uint32_t* pixels, int32_t hot_x, int32_t hot_y,
                               qmCursor** out, int32_t width, int32_t height);
void platform_cursor_free(qmCursor* cursor);
enum : int32_t { POINTER_ARROW = 0, POINTER_BUSY = 1, POINTER_CUSTOM = 2 };
void platform_pointer_set(qmDisplayWindow* display, qmCursor* custom, int32_t kind);
void platform_pointer_show(qmDisplayWindow* display);
void platform_pointer_hide(qmDisplayWindow* display);
void platform_pointer_move(qmDisplayWindow* display, int32_t x, int32_t y);
void platform_pointer_reset();
qmCursor* platform_cursor_arrow();
qmCursor* platform_cursor_busy();
qmCursor* platform_cursor_invisible();
void platform_cursor_apply(qmCursor* cursor);

// Closes the windows still open and lets go of every SDL cursor; the platform exit calls it
// before SDL stops.
void platform_windows_shutdown();

// ---- events -------------------------------------------------------------------------------------

// The display whose window has this SDL window id, or nullptr.
qmDisplayWindow* platform_display_for_window_id(uint32_t window_id);
// What windows do with their own SDL events: an exposed window presents its buffer again, a
// window that gets the focus or the mouse applies its display's cursor, a full-screen window
// measures its surface again after a size change, and a nohide window that the user minimised
// is restored. The pump hands every window event here before translating it.
void platform_window_handle_event(const SDL_Event& event);
// A content position of a window as the display's coordinates (full-screen letterbox mapped back).
// false when the point lies outside the picture.
bool platform_window_map_point(const qmDisplayWindow* display, int32_t x, int32_t y, int32_t* out_x,
                               int32_t* out_y);
// What a content point of a borderless window is for: the display library answers from its drag
// and size regions. Dragging and sizing then happen in the window system, and the click is not
// reported to the program.
enum : int32_t { WINHIT_NONE = 0, WINHIT_DRAG = 1, WINHIT_SIZE = 2 };
using WindowRegionTest = int32_t (*)(const qmDisplayWindow* display, int32_t x, int32_t y);
void platform_set_window_region_test(WindowRegionTest test);
// The answer for a window point (after the letterbox mapping): nothing for a fixed window or
// outside the regions, sizing only for a sizeable one.
int32_t platform_window_hit(const qmDisplayWindow* display, int32_t x, int32_t y);
// Whether a close request of the window system reaches the program (noclose windows swallow it).
bool platform_window_accepts_close(const qmDisplayWindow* display);
