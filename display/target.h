// Output targets: where drawing goes when it does not go to the display. A program selects a
// brush, a background picture, or the mask or alpha channel of one of them (SelectBrush,
// SelectMask, SelectAlphaChannel, SelectBGPic) and every drawing command writes there until
// EndSelect; double buffering (BeginDoubleBuffer, Flip, EndDoubleBuffer) sends drawing into a
// back buffer that Flip shows. Drawing commands ask this header where to write.
//
// THE RULE THAT KEEPS A TARGET FROM DANGLING
// The target record points straight at the selected object's planes (no copy). So every command
// that frees, resizes or replaces the planes of an object must, before it touches them, either
// refuse an object that is the selected target (output_hooks().is_output_target: brushes answer
// ERR_MODIFYABR, background pictures ERR_MODIFYABGPIC) or end the selection first
// (drawtarget_end). The brush and BGPic lookups for change (brush_find_for_change, brush_lookup,
// bgpic_free_by_id, ScaleBGPic) do the refusing; displaying the selected object itself ends the
// selection. A background picture that a display shows cannot be selected (ERR_SELECTBGPIC2),
// and one that is selected cannot be shown. The preparation below is the only place that changes
// a selected object's planes, and it points the drawing planes at what it made. Layers keep the
// same rule. An anim frame's target holds the slots of the frame's planes in the anim: the anim
// library must refuse to free an anim, or change its frames, while is_output_target(OBJ_ANIM, its
// record) holds, or end the selection first (showing the selected frame ends it).
#pragma once

#include <cstdint>

#include "display/hooks.h"
#include "gfx/blitservices.h"
#include "runtime/registry.h"

struct qmState;
struct qmDisplay;

namespace qm {

struct qmBitmap;

enum : int32_t { SELMODE_NORMAL = 0, SELMODE_COMBO = 1, SELMODE_LAYERS = 2 };
// Output-target types of a display (kOutputDisplay, 21, is the display itself).
enum : int32_t { TARGET_PICTURE = 3, TARGET_MASK = 28, TARGET_ALPHA = 30, TARGET_LAYERS = 1 };

// A display's record of its selection, and the same record for its double buffer.
struct OutputTarget {
  int32_t object_type = 0;  // OBJ_BRUSH, OBJ_BGPIC, OBJ_ANIM or OBJ_LAYER; 0 for the double buffer
  ObjectId id;
  int32_t frame = 0;       // anims and anim layers, 0-based
  void* record = nullptr;  // the selected object's record
  AnimFrameSlots anim;     // OBJ_ANIM: where the frame's planes live in the anim
  int32_t width = 0, height = 0;
  int32_t prepared = 0;  // drawn into since the selection
  int32_t active = 0;    // the selection holds
  qmBlitOutput output{};
  qmBlitPicture picture{};
};

// Selects an object of the current display as the target. 0 or an error code; a failed
// selection leaves the output on the display.
int32_t drawtarget_select(qmState* L, int32_t object_type, const ObjectId& id, int32_t target_type,
                          int32_t frame, int32_t mode, int32_t combo);
// Ends the selection of d (resuming double buffering that it suspended).
int32_t drawtarget_end(qmState* L, qmDisplay* d, bool keep_dirty);
// Run by drawing commands before they write offscreen: makes the planes the target needs.
int32_t drawtarget_prepare(qmState* L);
// The selection of the current display, or nullptr.
OutputTarget* drawtarget_selected();
// 0 when d is open and its drawing goes to the display itself; otherwise the error that names what
// takes the drawing instead (a selected picture, mask or alpha channel, the double buffer, layers).
int32_t drawtarget_require_display(const qmDisplay* d);
// The bitmap that drawing writes into instead of the display (selected picture or back buffer),
// or nullptr when drawing goes to the display or only into a mask or alpha channel.
qmBitmap* drawtarget_dest();
// True while the current output is offscreen (anything but the display itself).
bool drawtarget_offscreen();
// The display stops being current: its selection ends (double buffering stays).
void drawtarget_leave(qmDisplay* d);
// Where the blit layer draws for d: its selection, its double buffer, or the display itself.
qmBlitOutput* drawtarget_output(qmDisplay* d);
// Frees the display's target records (the display is going).
void drawtarget_release(qmDisplay* d);

// Double buffering of the current display.
// Adds a drawn rectangle to the dirty list while double buffering (nothing otherwise).
void dblbuf_mark(qmDisplay* d, int32_t x, int32_t y, int32_t width, int32_t height);
// Ends double buffering of d (before its attributes change). 0 or ERR_NODOUBLEBUFFER.
int32_t dblbuf_end_display(qmDisplay* d);
// A new black front buffer of that size, shown whole (the window reopened at a new size).
int32_t dblbuf_resize_front(qmDisplay* d, int32_t width, int32_t height);

// The commands of output targets, double buffering and brush showing.
int32_t output_library_open(qmState* L);

}  // namespace qm
