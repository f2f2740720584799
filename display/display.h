// Displays: the record that ties a background picture to a platform window, the process-wide
// display list and current display, the lifecycle that the display commands and start-up share
// (create, prepare, open, close, free, exit), the first display with its backfill, and frame
// pacing. The commands themselves are in display_commands.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "display/graphics.h"
#include "gfx/bitmap.h"
#include "gfx/blitservices.h"
#include "gfx/gradient.h"
#include "platform/platform.h"
#include "runtime/registry.h"

struct qmState;

namespace qm {

struct qmBGPic;
struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;
struct DisplaySettings;

inline constexpr int32_t kMaxRegions = 64;
inline constexpr int32_t REGION_BOX = 14;
inline constexpr int32_t POS_NOT_GIVEN = 99999;
inline constexpr int32_t KEEPPOSITION = 100000;
inline constexpr int32_t kCallbackSlots = 24;
inline constexpr int32_t DISPMODE_WINDOWED_CMD = 1;
inline constexpr int32_t DISPMODE_FULLSCREEN_CMD = 2;

struct DisplayRegion {
  int32_t type = 0, x = 0, y = 0, width = 0, height = 0;
};

struct RegionSet {
  DisplayRegion used[kMaxRegions];      // as the window uses them (scaled)
  DisplayRegion unscaled[kMaxRegions];  // as the program set them
  int32_t count = 0;
  int32_t given = 0;
};

struct DirtyList {
  int32_t* entries = nullptr;  // inclusive {x1, y1, x2, y2}
  int32_t count = 0, capacity = 0;
};

}  // namespace qm

// One display (global, as the platform's and the input queue's records are).
struct qmDisplay {
  // First: the fields the platform layer reads and writes (position, size, state, window flags,
  // title, frame metrics, the platform part).
  qmDisplayWindow win;
  qm::ObjectHeader header{};  // OBJ_DISPLAY
  int32_t layers = 0;
  // Where drawing goes while not to the display's own picture (output targets), and its type.
  qm::qmBitmap* draw_bitmap = nullptr;
  qm::qmMask* draw_mask = nullptr;
  qm::qmAlphaChannel* draw_alpha = nullptr;
  int32_t output_type = qm::kOutputDisplay;
  qm::qmBGPic* bgpic = nullptr;
  int32_t bgpic_owned = 0;
  int32_t double_buffer = 0;
  int32_t output_switch[2] = {0, 0};  // the second is the double-buffer suspension
  int32_t backfill = 0;               // "private1"
  int32_t private2 = 0, private3 = 0;
  // Own picture's fill.
  int32_t fill_style = 0;
  uint32_t fill_colour = 0;
  qm::qmGradient gradient{};
  qm::ObjectId texture_brush;
  int32_t texture_x = 0, texture_y = 0;
  qm::RegionSet drag, size;
  // Owned bitmaps: a clean copy of the picture, the composed picture, the scaled output, the
  // double buffer.
  qm::qmBitmap* buffer1 = nullptr;
  qm::qmBitmap* buffer2 = nullptr;
  qm::qmBitmap* scaled_output = nullptr;
  qm::qmBitmap* double_buffer_bitmap = nullptr;
  int32_t scale_auto = 0, scale_layer = 0;
  int32_t margin[4] = {0, 0, 0, 0};  // left, top, right, bottom border margins
  int32_t scale_width = 0, scale_height = 0;
  int32_t smooth_scale = 0;
  double scale_x = 1.0, scale_y = 1.0;
  qm::DirtyList dirty;
  int32_t callbacks[qm::kCallbackSlots][2];  // {function, user data} registry references; -1 none
  int32_t close_handled = 0;  // a close request becomes an event instead of a quit
  int32_t mouse_buttons[3] = {0, 0, 0};
  uint8_t keys[300] = {};
  int32_t mouse_moved = 0;      // set by the event translator, cleared by the event poller
  int64_t mouse_moved_us = 0;   // Clock time of the last mouse move
  void* select_target = nullptr;
  void* double_buffer_pic = nullptr;
  int32_t cursor_x = 0, cursor_y = 0, text_margin_left = 0, text_margin_right = 0;
  // Print's tab stops, ascending pixel positions.
  int32_t tabs[32] = {};
  int32_t tab_count = 0;
  void* pointer = nullptr;
  int32_t pointer_hidden = 0;
  int32_t reopen = 0, active = 0;
  qm::qmMask* scaled_mask = nullptr;
  qm::qmAlphaChannel* scaled_alpha = nullptr;
  int32_t select_saved = 0;
  int32_t saved_cursor[4] = {0, 0, 0, 0};
  int32_t saved_layers = 0;
  // The blit layer's view of this display.
  qm::qmBlitOutput output{};
  qm::qmBlitPicture picture{};
};

static_assert(offsetof(qmDisplay, win) == 0, "the platform hands back its qmDisplayWindow as the display");

namespace qm {

using ::qmDisplay;

// Process-wide display state.
struct DisplaySystem {
  ObjectHeader* list = nullptr;  // through header.next; the backfill display first
  qmDisplay* current = nullptr;
  qmMutex* mutex = nullptr;
  int32_t fullscreen = 0;
  int32_t recording = 0;  // the video recorder captures the display
  qmBitmap* desktop_grab = nullptr;
  ObjectId backfill_display, backfill_bgpic, backfill_brush;
  int32_t backfill_first_choice = 0;
  int32_t up = 0;  // the first display has opened
};
DisplaySystem& display_system();

inline qmDisplay* display_of(ObjectHeader* h) {
  return reinterpret_cast<qmDisplay*>(reinterpret_cast<char*>(h) - offsetof(qmDisplay, header));
}
inline qmDisplay* display_of(qmDisplayWindow* w) { return reinterpret_cast<qmDisplay*>(w); }
qmDisplay* display_current();

// Finds a display: ERR_FINDARRAY for an automatic id, ERR_FINDDISPLAY with the number.
int32_t display_find(const ObjectId& id, qmDisplay** out);
// Forgets every key and mouse button the display believes held: its tables, the translator's and
// the platform's held keys and buttons, and the mouse-down states of its picture's buttons. The
// mouse position and the focus stay. For ResetKeyStates and whenever control comes back from
// elsewhere (another program, a requester), so that what was released meanwhile is not stuck.
void display_reset_input_state(qmDisplay* d);
// CreateDisplay's work: the option table at index `options` (0: none). *out gets the record.
int32_t display_create(qmState* L, const ObjectId& id, int32_t options, qmDisplay** out);
// Reads the display options of the table at t into d. Attribute mode serves SetDisplayAttributes.
// *scale_given is set when "scalewidth" or "scaleheight" was given.
int32_t display_read_options(qmState* L, int32_t t, qmDisplay* d, bool attribute_mode, bool* scale_given);
int32_t display_prepare(qmState* L, qmDisplay* d);
int32_t display_open(qmState* L, qmDisplay* d, int32_t activate);
// keep_picture false: the display is being freed, and what its window showed is not kept.
void display_close(qmDisplay* d, bool keep_picture = true);
int32_t display_free_by_id(qmState* L, const ObjectId& id);
void display_cleanup(qmState* L);
// Makes d the current display (and its picture the current BGPic).
void display_make_current(qmDisplay* d);
// Points d at a new picture (the display's blit view follows).
void display_bind_bgpic(qmDisplay* d, qmBGPic* pic);
// A display keeps several pictures of its size at once (its picture, background buffers 1 and 2,
// the window's screen buffer), so together they must pass the cap of one picture: a display too
// large for that is refused with ERR_MEM before any of them is made. (Sizes below 1 are refused
// by the readers with their own codes.)
inline constexpr int64_t kDisplayBuffers = 4;
inline bool display_size_allowed(int64_t width, int64_t height) {
  return width < 1 || height < 1 ||
         (qm::picture_size_allowed(width, height) && width * height * kDisplayBuffers <= qm::kPictureMaxPixels);
}
// The background buffers at the picture's display size: 0 or ERR_MEM. They hold the picture when
// `fill` is set; else what they hold is for the caller to put in.
int32_t display_make_buffers(qmDisplay* d, bool fill = true);
// Copies the picture's display image into both background buffers.
void display_fill_buffers(qmDisplay* d);
// Shows the whole display again: borders, then the picture.
void display_refresh(qmState* L, qmDisplay* d);
// Fills the border strips with black.
void display_draw_borders(qmDisplay* d);
// Resolves specials of x and y against the desktop with the window's outer size.
void display_resolve_position(qmDisplay* d);
// The default drag and size regions where none were given, then the clamp of every region.
void display_region_defaults(qmDisplay* d);
// The size-change step of ChangeDisplaySize and SetDisplayAttributes.
int32_t display_size_change(qmState* L, qmDisplay* d, int32_t x, int32_t y, int32_t width, int32_t height,
                            bool program_request, bool smooth, bool no_refresh);
// Around an offscreen select (output targets): save keeps the layers flag (cleared unless the
// select keeps layers) and moves the text cursor and margins into the save area, the target's text
// starting at 0 with its right margin at target_width - 1; restore puts all of it back. A second
// save while one is active does nothing.
void display_save_output_state(qmDisplay* d, bool keep_layers, int32_t target_width);
void display_restore_output_state(qmDisplay* d);
// The window system's primary display: the only one, or the second while the first is the backfill.
bool display_is_primary(const qmDisplay* d);
// True when any display shows the picture.
bool display_shows_bgpic(const qmBGPic* pic);
// Installs the display's services into the blit layer and the output hooks.
void display_install_services();
// The drag and size regions and the input script's display numbers, for the platform's windows.
void display_install_window_glue();

// Display 1 of a program that asks for the desktop display: made with "private2" set, at the
// screen's size, by the declarations of such a program.
inline bool display_wants_desktop(const qmDisplay* d) { return d->private2 != 0; }
// Start-up: opens the displays once the declarations ran (display 1 must exist). The desktop
// display becomes a fixed borderless window with the whole screen grabbed into its picture.
int32_t display_open_first(qmState* L, const DisplaySettings* settings, const char* private3);
// A conversion of objects that were made before any display existed and wait for one (the text
// library's colour font strips kept raw), run once where the first display is prepared, after
// "Preparing display". Each is added once; the first error ends the opening.
using PendingConversion = int32_t (*)();
void display_add_pending_conversion(PendingConversion convert);
// The backfill display over the whole screen: kind 0 none, 1 colour, 2 gradient, 3 a texture
// and 4 a picture on a colour or gradient, from a brush file or a copy of a brush.
struct BackfillBlock {
  int32_t kind = 0;
  int32_t colour1 = 0, colour2 = 0;  // -1 unset
  int32_t picture_x = POS_CENTER, picture_y = POS_CENTER;
  int32_t brush = 0;
  int32_t scale = 0;
  int32_t transparent = -1;
  std::string file;
  int32_t menu_bar = 0;
};
int32_t display_make_backfill(qmState* L, const BackfillBlock& block);
// The backfill after a mode switch: the project's block unless the first display's full-screen
// choice made the backfill, else a black one over the menu bar when full screen (none windowed).
BackfillBlock display_backfill_settings(bool fullscreen);
// DisplayBGPic and DisplayBGPicPart (commands of the bgpic library).
int32_t cmd_displaybgpic(qmState* L);
// DisplayBGPic's work on the current display (x, y: the window's position, POS_NOT_GIVEN or
// KEEPPOSITION as DisplayBGPic's options). Without refresh the window keeps showing what it showed,
// and a new picture's background buffers are the caller's to fill.
int32_t display_show_bgpic(qmState* L, const ObjectId& id, int32_t x, int32_t y, bool refresh);
// The effect form of DisplayBGPic: the display's picture as it shows now (*old_picture, made at the
// new picture's display size, black where the old one was smaller), then the new picture shown
// without refresh, the old one in both background buffers, and a copy of the new one's display
// image (*new_picture). 0 or an error (nothing kept).
int32_t bgpic_fx_pictures(qmState* L, const ObjectId& id, int32_t x, int32_t y, qmBitmap** new_picture,
                          qmBitmap** old_picture);
int32_t cmd_displaybgpicpart(qmState* L);

// SetDisplayAttributes on the current display with the option table at t (DisplayBGPic too).
// Without refresh the window is not drawn again (a transition effect draws the new picture in).
int32_t display_set_attributes(qmState* L, int32_t t, bool refresh = true);

// Presents the current display and paces the loop to the frame rate.
void display_wait_refresh(qmState* L);
// Presents the current display as display_wait_refresh does, without its wait: for a wait that
// paces the frames itself (the network's, which watches its socket meanwhile).
void display_present_frame(qmState* L);

// The SaveSnapshot captures of the display and its window.
int32_t display_snapshot(int32_t type, qmBitmap** out);

}  // namespace qm

// The display library's start (its command and constant tables).
int32_t display_init(qmState* L);
