// The transitionfx library: background pictures, picture parts, brushes, text objects and plain
// colours shown with one of 140 transition effects, and layers shown, hidden or removed with one.
//
// Every command fills one transition request (qmFXRequest) and hands it to the one driver, fx_run,
// which resolves the effect, prepares the pictures, picks the effect's step function from the
// effect table, and either runs the effect to its end inside the command (synchronous: one event
// pump, one step and one display_wait_refresh per frame) or wraps it in an async draw object of
// kind ADF_FX that AsyncDrawFrame advances. Step functions only draw frames; objects, layers,
// buffers, pacing, errors and clean-up all live in the driver.
//
// Two ways to reach the screen, fixed per request:
// - direct: the frame is drawn with SAFEBLT onto the display (blit_flags), as any drawing is;
// - realtime (layers only): the frame is drawn into the layer's effect image (qmLayerEffect, see
//   layers/layer.h), which the redraw engine draws in place of the layer's own image, and the
//   changed rectangle is recomposed (fx_refresh_layer_rect).
// A family draws through the shared routines below (fx_show_rect, fx_blit_rect, fx_fill_rect,
// fx_end_frame), which pick the way; it never calls SAFEBLT or the redraw engine itself.
//
// THE STEP CONTRACT: step(request, done) returns 0 or an error code (ERR_MEM when out of memory).
// - phase 0, done == nullptr (setup): take private state with fx_priv_alloc, resolve `parameter`,
//   turn `speed` into pixels per frame with fx_step_size, set `frames` with fx_step_count. Draw
//   nothing. The driver may call setup again (a rebuild): `speed` is then `speed_given` again and
//   `priv` was released.
// - phase 1: draw one frame; at `frame` 0 start from the first frame's state; set *done to 1 on
//   the last frame; increment `frame`. The total reported to the program (`frames`, control code
//   2) must equal the frames drawn.
// - phase 2 (direct-seek effects only, FXSET_DIRECTSEEK): draw the state of frame `frame` at once.
//   The other families are sought by replaying from frame 0 with `quiet` set.
// A family joins by declaring its step (and release, when its private state holds more than plain
// memory) in fx/steps.h and filling its ids' rows of the effect table (fx/table.cpp).
//
// THE HARNESS (tests/fx/): one parametrised suite runs every id 0..139 but 113 across sizes,
// kinds (picture, brush with layers off plain, masked, alpha and partly off screen, brush with
// layers, shown, hidden and removed layers, bgpicemu layers for two-picture ids), sync and async,
// speeds and parameters, and checks that each run ends within a frame cap exactly on its target,
// changes and presents nothing outside its rectangle, draws exactly the total it reports, draws
// the same frames async as sync, seeks like stepping, shows nothing before frame 1 and leaves the
// locks as found. An id whose row has no step is listed as pending. A family that fills its rows
// adds one row to the harness's family rules (tests/fx/fx_rules.cpp): its ids, the total its
// speed rule gives, and the extra checks that hold for it (in place: each pixel is old or new at
// its own place and stays new once new). The FxObserver below is how the harness sees frames.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/registry.h"

struct qmState;
struct qmDisplay;

namespace qm {

struct Rect;
struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;
struct qmBGPic;
struct qmLayer;

inline constexpr int32_t FX_EFFECTS = 140;       // ids 0..139
inline constexpr int32_t FX_RANDOMEFFECT = 140;
inline constexpr int32_t FX_RANDOMPARAMETER = -1;
inline constexpr int32_t FX_UNUSED_ID = 113;     // no name, no step: taken as RANDOMEFFECT
inline constexpr int32_t FX_MAXSPEED = 1 << 20;  // a larger positive speed is taken as this

// Effect ids the driver itself names.
enum : int32_t {
  FX_HSTRIPES = 0,
  FX_VSTRIPES = 7,
  FX_SCROLLLEFT = 47,
  FX_SCROLLNORTHWEST = 54,
};

struct qmFXRequest;
using FxStepFn = int32_t (*)(qmFXRequest* r, int32_t* done);
// Releases what a family's private state holds besides plain memory; the driver frees `priv`.
using FxReleaseFn = void (*)(qmFXRequest* r);

// The transition request. A command zero-fills one and fills it; fx_run works on its own heap copy,
// which the effect owns until fx_free.
struct qmFXRequest {
  qmState* script = nullptr;
  qmLayer* layer = nullptr;    // the layer shown or hidden; nullptr while drawing directly
  qmBitmap* target = nullptr;  // where direct drawing goes; nullptr: the display
  FxStepFn step = nullptr;
  FxReleaseFn free_state = nullptr;
  int32_t kind = 0;  // OBJ_BGPIC, OBJ_BRUSH, OBJ_TEXTOBJECT, OBJ_BGPICPART, OBJ_LAYER, OBJ_HIDELAYER, OBJ_REMOVELAYER
  int32_t effect = FX_RANDOMEFFECT;  // 0..139 once resolved
  ObjectId id;                       // the object's id; for layer kinds its 1-based position
  int32_t x = 0, y = 0;              // where the picture stands on the display
  int32_t speed = -1;                // speed code, pixels per frame once set up
  int32_t speed_given = -1;
  int32_t parameter = FX_RANDOMPARAMETER;
  int32_t width = 0, height = 0;            // of the picture shown or hidden
  int32_t clip_width = 0, clip_height = 0;  // the drawing area: the display's picture
  int32_t undo_type = 0, undolevel = 1;
  qmBitmap* newpic = nullptr;     // incoming picture (hiding: the layer's picture)
  qmBitmap* oldpic = nullptr;     // what the display shows under the picture, for the effects that need it
  qmBitmap* bgpic_old = nullptr;  // a picture's old background; becomes oldpic for two-picture effects
  qmMask* mask = nullptr;         // of newpic
  qmAlphaChannel* alpha = nullptr;
  int32_t has_buffers = 0;  // the layer's effect image exists
  int32_t layer_x = 0, layer_y = 0;
  qmBGPic* cur_bgpic = nullptr;
  int32_t own_newpic = 0, own_mask = 0, own_alpha = 0;
  int32_t part_x = 0, part_y = 0;
  int32_t layers = 0;  // DisplayBGPicPartFX: the new layer gets its own copy of the part
  int32_t hide = 0;
  int32_t blit_flags = 0;
  int32_t scaled = 0;  // the display is auto-scaled
  int32_t async = 0;
  int32_t restart = 0;  // set in the caller's request: run the whole command again
  int32_t resized = 0;
  int32_t realtime = 0;
  int32_t forcerealtimelayers = 0;
  int32_t restore_layer = 0, drop_layer = 0;
  int32_t* busy = nullptr;  // the source object's in-use counter, held while set
  int32_t bg_x = 0, bg_y = 0;
  int32_t bgpicemu = 0;
  qmBGPic* bgpic = nullptr;  // bgpicemu's picture
  void* priv = nullptr;      // the step function's state
  qmMask* async_mask = nullptr;  // async runs: what the effect has made visible so far, for seeking
  qmAlphaChannel* async_alpha = nullptr;
  qmBitmap* scale_scratch = nullptr;  // where plain scaled copies are made, kept for the effect's frames
  // Where a masked or translucent picture's scaled copies are made, with their mask or alpha,
  // kept likewise.
  qmBitmap* scaled_copy = nullptr;
  qmMask* scaled_mask = nullptr;
  qmAlphaChannel* scaled_alpha = nullptr;
  int32_t phase = 0;  // 0 setup, 1 running, 2 seeking
  int32_t frame = 0;
  int32_t frames = 0;
  int32_t quiet = 0;  // frames replayed without refreshing the screen
  int32_t rebuilding = 0;
  int32_t finished = 0;
  int32_t full_redraw = 0;  // the layer is recomposed whole once per frame
  int32_t level = 0;        // alpha effects: 0..255
  int32_t noborderfade = 0;
  // The driver's own bookkeeping.
  qmDisplay* display = nullptr;
  qmFXRequest* caller = nullptr;  // the command's request (restart)
  int32_t inserted = 0;           // the layer was made for this effect
  int32_t was_hidden = 0;         // a shown layer's hidden flag before the effect
  int32_t final_put = 0;          // a picture's end state is on the display
  int32_t clear = 0;              // ClearScreen: the new picture is one colour
  uint32_t colour = 0;
};

// ---- the effect table --------------------------------------------------------------------------

// Sets of ids that the driver reads from the table.
enum : uint32_t {
  FXSET_TWOPICTURE = 1,        // needs the outgoing picture whole: pictures and bgpicemu layers only
  FXSET_ALPHA = 2,             // draws through the effect alpha plane; `level` drives the fade
  FXSET_HIDEREALTIME = 4,      // a hidden layer always uses the effect image
  FXSET_NOMASKCOMPOSITE = 8,   // a masked picture is not first composed onto the display
  FXSET_OLDPIC = 16,           // gets the display under the picture unless realtime
  FXSET_OLDPICREALTIME = 32,   // gets it only in realtime mode
  FXSET_DIRECTSEEK = 64,       // seeks draw the frame at once (phase 2)
  FXSET_SCROLL = 128,          // moves the layer itself
};

struct FxEffect {
  const char* name;     // the constant's name; nullptr for the unused id
  FxStepFn step;        // nullptr: not built yet (ERR_WRONGUSAGE)
  FxReleaseFn release;  // nullptr: priv is plain memory
  uint16_t div_normal, div_fast, div_slow;  // speed divisors; 0: the family paces itself
  uint32_t sets;
  int16_t hide_swap;  // the effect run instead when hiding; -1: none
};

// The row of an id 0..139; nullptr outside.
const FxEffect* fx_effect(int32_t id);
bool fx_in_set(int32_t id, uint32_t set);
// RANDOMEFFECT's draw: trunc(drand48() x 141) again while it is 113, 140 or 141, or a two-picture
// effect when those are excluded.
int32_t fx_random_effect(bool exclude_two_picture);

// ---- the shared routines of the step functions ---------------------------------------------------

// Pixels per frame: NORMALSPEED, FASTSPEED and SLOWSPEED divide the extent by the divisors
// (truncating), any other speed is used as it is; at least 1.
int32_t fx_step_size(int32_t speed, int32_t extent, int32_t div_normal, int32_t div_fast, int32_t div_slow);
// Frames to cover the extent at step: 1 for an extent below 1; else the rounded-up quotient, plus
// 1 unless exact.
int32_t fx_step_count(int32_t extent, int32_t step, int32_t exact);

// A rectangle copy clipped to both bitmaps (a negative source or destination corner moves the
// other one on and shortens the rectangle).
void fx_blit_clipped(const qmBitmap* src, int32_t sx, int32_t sy, qmBitmap* dst, int32_t dx, int32_t dy, int32_t w,
                     int32_t h, int32_t src_w, int32_t src_h, int32_t dst_w, int32_t dst_h);

// Flags of fx_blit_rect, fx_fill_rect and fx_refresh_layer_rect.
enum : int32_t {
  FXB_COMBINE = 1,     // combine masks or alpha instead of copying them
  FXB_THROUGH = 2,     // draw the pixels through the source mask or alpha
  FXB_HIDE = 4,        // clear the rectangle's visibility instead of drawing
  FXB_NOREFRESH = 8,   // no screen refresh (replays, quiet, whole-layer refreshes)
  FXB_KEEPASYNC = 16,  // leave the async start copies alone
  FXB_WHOLE = 32,      // the end-of-frame whole-layer refresh: also presents on an auto-scaled display
  FXB_UNHIDE = 64,     // with FXB_HIDE: make the rectangle visible again
};

// The step functions' main blit into a layer's effect image (or any destination planes): clipped
// to both sizes; a negative source corner draws nothing. Keeps the destination mask or alpha and
// the async copies in step, and unless FXB_NOREFRESH puts the rectangle on screen at the
// request's position.
void fx_blit_rect(const qmBitmap* src, int32_t sx, int32_t sy, qmBitmap* dst, qmMask* dst_mask,
                  qmAlphaChannel* dst_alpha, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t src_w, int32_t src_h,
                  int32_t dst_w, int32_t dst_h, const qmMask* src_mask, const qmAlphaChannel* src_alpha, qmFXRequest* r,
                  int32_t flags);
// Fills a rectangle of the picture's space with 0xRRGGBB: direct into the display (or `target`),
// realtime into the effect image, refreshed unless FXB_NOREFRESH.
void fx_fill_rect(qmFXRequest* r, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour, int32_t flags);
// Puts a changed rectangle of the layer on screen: (dx, dy) on the picture, the pixels from src at
// (sx, sy). A styled, transformed or filtered layer is recomposed whole; a plain unobscured layer
// without mask or alpha is presented straight from src; anything else is recomposed.
void fx_refresh_layer_rect(qmFXRequest* r, const qmBitmap* src, int32_t sx, int32_t sy, int32_t dx, int32_t dy,
                           int32_t w, int32_t h, int32_t src_w, int32_t src_h, const qmMask* src_mask,
                           const qmAlphaChannel* src_alpha, int32_t flags);
// Redraws pictures that changed while the effect ran: bit 1 the display's picture into oldpic,
// bit 2 bgpicemu's picture into newpic. Returns the bits it handled.
int32_t fx_redraw_step(qmFXRequest* r, int32_t which);
// An alpha plane of w x h from a mask (255 where set), else a copy of an alpha plane, else 255.
void fx_alpha_from_source(qmAlphaChannel* dst, const qmMask* mask, const qmAlphaChannel* alpha, int32_t w, int32_t h);

// The frame pattern of the strip effects: the source rectangle (sx, sy, w, h) of newpic drawn at
// its own place of the picture (direct: SAFEBLT at x + sx, y + sy; realtime: into the effect image,
// a hide clearing it), and the end-of-frame refresh.
void fx_show_rect(qmFXRequest* r, int32_t sx, int32_t sy, int32_t w, int32_t h);
// The same for the n rectangles of one frame at once: directly drawn, a frame of many thin
// rectangles goes over the picture's rows once instead of a rectangle at a time.
void fx_show_rects(qmFXRequest* r, const Rect* rects, size_t n);
void fx_end_frame(qmFXRequest* r);
// The three-way blit of the pixel effects, which puts a picture drawn through a mask or alpha on
// the display as one finished rectangle. Direct: `old` and then src through mask or alpha are
// composed in `work` (src, old and work share the picture's coordinates; sx, sy), and that
// rectangle goes to dst (nullptr: the display; clip size and blit flags) at dx, dy. Realtime:
// one fx_blit_rect of src with mask and alpha into the layer's effect image at dx - x, dy - y
// with effect_flags (FXB_NOREFRESH added while quiet).
void fx_blit3(const qmBitmap* src, int32_t sx, int32_t sy, qmBitmap* dst, int32_t dx, int32_t dy, int32_t w,
              int32_t h, int32_t src_w, int32_t src_h, int32_t clip_w, int32_t clip_h, int32_t blit_flags,
              int32_t effect_flags, const qmBitmap* old, const qmMask* mask, qmBitmap* work,
              const qmAlphaChannel* alpha, qmFXRequest* r);
// The same for a rectangle of the request's own picture place: dst, position, clip and blit
// flags from the request.
void fx_blit3_at(qmFXRequest* r, const qmBitmap* src, int32_t sx, int32_t sy, int32_t w, int32_t h,
                 const qmMask* mask, const qmAlphaChannel* alpha, qmBitmap* work, int32_t effect_flags);
// The frame end of the effects that redraw their whole picture: unless quiet, a realtime layer is
// refreshed whole (FXB_WHOLE), a direct run on an auto-scaled display presents it whole.
void fx_refresh_frame(qmFXRequest* r);
// Alpha from a mask over w x h (the mask's leftmost pixel in bit 7): mode 0 the source alpha
// where the bit is set and 0 elsewhere, mode 1 0 where it is set and the source alpha elsewhere.
// A missing source alpha counts as 255.
void fx_mask_to_alpha(const qmMask* mask, const qmAlphaChannel* source, qmAlphaChannel* dest, int32_t x, int32_t y,
                      int32_t w, int32_t h, int32_t mode);

// The frame pattern of the families that move or scale pictures: the rectangle (sx, sy, w, h) of
// any picture drawn at (dx, dy) of the object (direct: SAFEBLT at x + dx, y + dy; realtime: into
// the effect image, without refresh; flags as fx_blit_rect's), a scaled copy of a rectangle drawn
// at a rectangle (0 or the scaler's error); their frames end with fx_refresh_frame.
void fx_put_rect(qmFXRequest* r, const qmBitmap* pic, const qmMask* mask, const qmAlphaChannel* alpha, int32_t sx,
                 int32_t sy, int32_t w, int32_t h, int32_t dx, int32_t dy, int32_t flags);
// The buffer fx_put_scaled makes plain scaled copies in: at least w x h and the object's size,
// kept until the effect ends. A scaling family asks for it at its setup, so that its frames find
// it ready. nullptr without memory.
qmBitmap* fx_scale_scratch(qmFXRequest* r, int32_t w, int32_t h);
// The setup of a family that draws with fx_put_scaled, so that its frames allocate nothing: for
// its plain copies (plain: it makes some) the buffer unless they go straight to the display; for
// copies of the request's picture through its mask or alpha, the planes. false without memory.
bool fx_reserve_scaling(qmFXRequest* r, bool plain);
// Frees the buffers above (the effect's end).
void fx_free_scaling(qmFXRequest* r);
int32_t fx_put_scaled(qmFXRequest* r, const qmBitmap* pic, const qmMask* mask, const qmAlphaChannel* alpha,
                      int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                      int32_t flags);
// A rectangle of src drawn through its mask or alpha (plainly without either) into dst, clipped
// to both: the work bitmaps in which direct frames are composed.
void fx_compose_clipped(const qmBitmap* src, const qmMask* mask, const qmAlphaChannel* alpha, int32_t sx, int32_t sy,
                        qmBitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h);
// The step's private state: zero-filled, owned by the request (freed by the driver). nullptr when
// memory runs out (the step then answers ERR_MEM).
void* fx_priv_alloc(qmFXRequest* r, size_t size);
// The first frame of a layer effect makes the layer take part in recomposition.
void fx_layer_unhide(qmFXRequest* r);

// ---- the driver ------------------------------------------------------------------------------------

// Runs the caller's request. 0 or an error code; with async it pushes the async draw object's
// handle and *results is 1, else 0. Sets caller->restart when the display was resized under a
// layer effect: the command then runs it again.
int32_t fx_run(qmFXRequest* caller, int32_t* results);
// The commands' loop around fx_run.
int32_t fx_command(qmFXRequest& request);

// Test seams. The observer sees the effect once it is resolved (before anything is prepared), the
// end of setup, every frame a run draws (after the step, before pacing) and the moment before a
// picture's final put; nullptr removes it. A non-zero answer to a synchronous frame stops the run
// as a quit would (a test's frame cap); to the resolved effect it ends the run with ERR_USERABORT.
enum : int32_t { FXOBS_SETUP = 0, FXOBS_FRAME = 1, FXOBS_FINAL = 2, FXOBS_RESOLVED = 3 };
struct FxObserver {
  int32_t (*event)(const qmFXRequest* r, int32_t what, void* user);
  void* user;
};
void fx_set_observer(const FxObserver* observer);
// Makes the n-th allocation of the driver from now on fail (1 the next one); 0 switches it off.
// fx_allocations() counts the driver's allocations since the last call to fx_fail_allocation.
void fx_fail_allocation(int32_t n);
int32_t fx_allocations();

}  // namespace qm

// The library's start: the commands and the 145 effect constants.
int32_t transitionfx_init(qmState* L);
