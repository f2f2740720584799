// How brushes and background pictures reach the parts of the player that arrive after them: the
// layers (LayerHooks), the displays with their output targets (OutputHooks) and the anims
// (AnimHooks). Each hook starts
// at a default that describes a player with no layers and no display; the layers and display
// libraries install their own functions when they open. Tests install fakes the same way.
#pragma once

#include <cstdint>

#include "display/filterslots.h"
#include "runtime/registry.h"

struct qmState;
struct qmDisplay;

namespace qm {

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;
struct qmBGPic;
struct qmTransformTags;
struct qmDrawTagOptions;

// An image (or a rectangle of it) to be shown as a new layer of the current background picture.
struct ImageLayerRequest {
  int32_t type = 0;  // OBJ_BRUSH, OBJ_BGPIC, OBJ_BRUSHPART or OBJ_BGPICPART
  ObjectId id;
  qmBitmap* bitmap = nullptr;  // handed over, also when the hook fails
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  int32_t x = 0, y = 0, width = 0, height = 0;  // source rectangle
  int32_t dest_x = 0, dest_y = 0;                // where its anchor point lands
  const qmTransformTags* transform = nullptr;    // the display options, when given
  const qmDrawTagOptions* style = nullptr;
  int32_t frame = 0;  // OBJ_ANIM: the frame shown (0-based)
};

// A layer made ready as a drawing target: its own planes, which drawing changes in place.
struct LayerTargetPlanes {
  void* layer = nullptr;
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  int32_t width = 0, height = 0;
};

struct LayerHooks {
  // True when a layer other than `skip` shows the object: a layer of the same type, or of
  // OBJ_BRUSHPART for a brush, or of OBJ_NOOBJECT/OBJ_BGPICPART for any other type, with the id.
  bool (*shows_object)(int32_t type, const ObjectId& id, const void* skip);
  // Every layer that shows (type, from) switches to `to`; true when any did.
  bool (*redirect_object)(int32_t type, const ObjectId& from, const ObjectId& to);
  // Recomposes the rectangle of the picture and its layers into target at the same place.
  int32_t (*redraw_rect)(qmBGPic* pic, qmBitmap* target, int32_t x, int32_t y, int32_t w, int32_t h);
  // 0 or an error code; the request's planes are the layer's (freed on failure).
  int32_t (*insert_image_layer)(const ImageLayerRequest& request);
  // Layers of one picture, and their release when the picture is freed.
  int32_t (*layer_count)(const qmBGPic* pic);
  void (*free_layers)(qmBGPic* pic);
  // Recomposes and shows the rectangles collected on the display's dirty list, then empties it
  // (at VWait and at the end of a select of the display's layers).
  void (*flush_dirty)(qmState* L, qmDisplay* d);
  // Drops the sprites a picture shows, without redrawing (the picture goes, or a display stops
  // showing it).
  void (*clear_sprites)(qmBGPic* pic);
  // Builds the display states of the layers of the display's picture again after its scale
  // factors changed. 0 or the first error.
  int32_t (*rebuild_layers)(qmState* L, qmDisplay* d);
  // SelectLayer: makes the layer at the position of the current picture hold planes of its own
  // and hands them out (0 or an error); reads them again; replaces its mask (which 0) or alpha
  // plane (1), freeing the old one; and, when the select ends, shows what was drawn (drawn set).
  int32_t (*layer_target)(qmState* L, int32_t position, int32_t frame, LayerTargetPlanes* out);
  void (*layer_target_get)(void* layer, LayerTargetPlanes* out);
  void (*layer_target_replace)(void* layer, int32_t which, void* plane);
  void (*layer_target_end)(qmState* L, void* layer, bool drawn);
  // The "filters" field of the option table at t read into the slots (*given set when there was
  // one), and the active slots run over a picture's planes; 0 or an error with its text set.
  int32_t (*read_filters)(qmState* L, int32_t t, FilterSlot* slots, bool* given);
  int32_t (*apply_filters)(const FilterSlot* slots, qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha,
                           int32_t width, int32_t height);
};

LayerHooks& layer_hooks();
// Puts every hook back to its default.
void layer_hooks_reset();

struct OutputHooks {
  // True while drawing goes into this record (a brush, or a picture selected directly or through
  // one of its brushes, masks or alpha channels). type is OBJ_BRUSH or OBJ_BGPIC.
  bool (*is_output_target)(int32_t type, const void* record);
  // True when any display shows the picture.
  bool (*shown_by_display)(const qmBGPic* pic);
  // The picture of the current output (for default sizes), or nullptr.
  qmBGPic* (*current_bgpic)();
  // The area that position specials resolve against: the active clip region, else the whole
  // output. False when there is no output.
  bool (*output_area)(int32_t* x, int32_t* y, int32_t* width, int32_t* height);
};

OutputHooks& output_hooks();
void output_hooks_reset();

// A frame of an anim as showing and selecting take it: the anim's record, size and frame count,
// and, for a frame within the anim, the anim's own slots of the frame's planes (loaded when
// needed; a drawing target changes them in place). The planes have the anim's size.
struct AnimFrameSlots {
  void* anim = nullptr;
  int32_t width = 0, height = 0, count = 0;
  bool disk = false;  // frames are read from disk when shown, not kept
  int32_t transparent = -1;  // the anim's transparent colour, -1 none
  qmBitmap** bitmap = nullptr;
  qmMask** mask = nullptr;
  qmAlphaChannel** alpha = nullptr;
};

// True when the slots were handed out and the frame has a picture.
inline bool anim_frame_held(const AnimFrameSlots& f) { return f.bitmap && *f.bitmap && f.mask && f.alpha; }

// The anim library's side. Until it installs its entries, they answer ERR_UNSUPPORTEDFEAT.
struct AnimHooks {
  // Finds the anim (ERR_FINDARRAY for an automatic id that names none, else ERR_FINDANIM) and
  // hands out the frame (0-based); slots stay empty for a frame outside the anim. 0 or an error.
  int32_t (*frame)(qmState* L, const ObjectId& id, int32_t frame, AnimFrameSlots* out);
  // Inserts the frame of the request (type OBJ_ANIM, its id and frame) as a new layer of the
  // current picture with the request's options.
  int32_t (*insert_layer)(qmState* L, const ImageLayerRequest& request);
  // The delay of the frame (0-based) in milliseconds, as playing it waits; for the anims that
  // layers show too. 0 or the lookup's error.
  int32_t (*frame_delay)(const ObjectId& id, int32_t frame, int32_t* out);
  // Adds delta to the lock count of the anim record (AnimFrameSlots::anim): a moving or playing
  // anim refuses changes and frees.
  void (*lock)(void* anim, int32_t delta);
};

AnimHooks& anim_hooks();
void anim_hooks_reset();

// The videos shown in display windows, which the video library keeps. Until it installs its
// entries no display has videos.
struct VideoHooks {
  // True when a video is shown on the display (playing, paused or ended): operations that would
  // pull the window or its picture from under it refuse then.
  bool (*on_display)(const qmDisplay* d);
  // True when the window point lies inside a shown video's rectangle.
  bool (*hit_test)(const qmDisplay* d, int32_t x, int32_t y);
  // The display stops showing its picture: its videos stop and detach.
  void (*detach_display)(qmState* L, qmDisplay* d);
  // The display's window was recreated or its scale changed: the videos take their places again.
  void (*reattach_display)(qmState* L, qmDisplay* d);
  // The window goes away for a while (a mode change): the videos move offscreen and keep their state.
  void (*window_closing)(qmDisplay* d);
  // The display was drawn into its window whole: the shown videos go on top again, at the
  // rectangles its current scale gives them.
  void (*refreshed)(qmDisplay* d);
};

VideoHooks& video_hooks();
void video_hooks_reset();

// The buttons of a picture, which the event library keeps.
struct ButtonHooks {
  // The picture goes: all its buttons with it.
  void (*free_all)(qmState* L, qmBGPic* pic);
  // A layer of the picture goes: the button bound to it with it.
  void (*layer_gone)(qmState* L, qmBGPic* pic, const void* layer);
  // A layer takes another's place: buttons bound to the old one move to the new one.
  void (*layer_replaced)(qmBGPic* pic, const void* from, void* to);
  // The display showing the picture closes or resets its input: no button stays pressed.
  void (*reset_states)(qmBGPic* pic);
};

ButtonHooks& button_hooks();
void button_hooks_reset();

}  // namespace qm
