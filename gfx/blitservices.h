// What the blit layer needs of the subsystems above it: the view it has of a display or a
// selected offscreen target, the process-wide drawing state, and the services of displays,
// layers, the platform window and the coverage rasteriser. The owning subsystems fill the records
// and install their services with gfx_services(); until they do, every service is a harmless
// default (nothing drawn, lookups fail with ERR_WRONGUSAGE).
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"
#include "gfx/polygon.h"

struct qmState;

namespace qm {

struct ObjectId;
struct qmDrawTags;
struct qmShapeRecord;

// A sprite shown on a background picture, as the sprite pass reads it.
struct qmSpriteRect {
  const qmSpriteRect* next;
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

// The blit layer's view of a background picture.
struct qmBlitPicture {
  int32_t width;
  int32_t height;
  const qmSpriteRect* sprites;  // shown sprites, or nullptr
  void* owner;                  // the picture record of the display services
};

inline constexpr int32_t kOutputDisplay = 21;  // object type of a display

// The blit layer's view of the current output: a display (object type 21) or a selected
// offscreen target (any other type). The display services keep one per display and per target
// record and point `owner` back at their own record.
struct qmBlitOutput {
  int32_t object_type;
  int32_t layers_on;
  qmBlitPicture* picture;       // current background picture, or nullptr
  qmMask* target_mask;          // the selected target's own planes, or nullptr
  qmAlphaChannel* target_alpha;
  qmBitmap* front;
  qmBitmap* back;
  int32_t scaled;  // non-zero while the window shows the bitmap scaled
  int32_t scaled_width;
  int32_t scaled_height;
  int32_t smooth_scale;   // interpolate when a texture brush is scaled
  int32_t double_buffer;  // double buffering on
  int32_t second_buffer;  // the display's second buffer word
  void* owner;
};

// A clip region: a rectangle, optionally shaped by a 1-bit mask addressed from its origin.
struct qmClipRegion {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  const qmMask* mask;  // or nullptr for the plain rectangle
  int32_t mask_bpr;
};

// An active video or anim recording. While bit 2 of flags (capture) is set, presenting only
// marks the frame as changed.
struct qmRecording {
  int32_t flags;
  int32_t frame_changed;
};

// Process-wide drawing state read by the blit layer; main thread only.
struct qmBlitGlobals {
  qmBlitOutput* current = nullptr;   // current output, or none
  qmBlitOutput* fallback = nullptr;  // stands in for one call when there is none
  qmRecording* recording = nullptr;
  int32_t mask_mode = MASKVISIBLE;
  int32_t alpha_intensity = -1;  // -1: none set
  int32_t alpha_blend = 0;       // merge a source alpha plane into an alpha-carrying target
};
qmBlitGlobals& blit_globals();

// The planes of a brush as the brush lookup hands them out (still owned by the brush).
struct qmBrushPlanes {
  qmBitmap* bitmap;
  qmMask* mask;
  qmAlphaChannel* alpha;
  int32_t width;
  int32_t height;
};

// An 8-bit coverage raster made by the scan converter: width x height bytes, rows bpr apart (the
// width rounded up to a multiple of 4), 0 uncovered and 255 covered.
struct qmRaster {
  void* handle;
  uint8_t* coverage;
  int32_t bpr;
  int32_t width;
  int32_t height;
};

// Flag of a present (display_present_rect, window_blit): the whole picture is shown anew (a
// refresh), so rows of it that were never drawn may be written black without being read.
inline constexpr int32_t PRESENT_WHOLE = 8;

struct qmGfxServices {
  // Recomposes the rectangle of the picture with its layers into dest. Flags: 1 without the
  // sprites on top, 2 the sprites only (second pass), 0 everything.
  void (*layers_redraw)(qmState* state, qmBlitOutput* output, qmBlitPicture* picture,
                        qmBitmap* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t zero,
                        int32_t flags);
  // Draws a rectangle of bitmap into the output's window, scaled to scaled_w x scaled_h when
  // those are not 0.
  void (*window_blit)(const qmBitmap* bitmap, int32_t sx, int32_t sy, qmBlitOutput* output,
                      int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t scaled_w,
                      int32_t scaled_h, int32_t flags);
  void (*draw_borders)(qmBlitOutput* output);
  // Presents the display's dirty rectangles, or with mode 1 its whole visible area.
  void (*display_refresh)(qmBlitOutput* output, int32_t mode, int32_t flags);
  // 0 with the planes written, or the brush library's error code.
  int32_t (*brush_find)(qmState* state, const ObjectId& id, qmBrushPlanes* out);
  // The layer constructor: owns bitmap, mask, alpha and shape from the call on, also on failure.
  int32_t (*layer_new)(qmState* state, int32_t type, const char* name, const int32_t geometry[4],
                       const double* block, const qmDrawTags* tags, qmBitmap* bitmap, qmMask* mask,
                       qmAlphaChannel* alpha, qmShapeRecord* shape, int32_t insert_position,
                       int32_t flags);
  // Coverage rasteriser: 0 with a zero-filled width x height raster, or a negative code.
  int32_t (*raster_create)(int32_t width, int32_t height, qmRaster* out);
  void (*raster_destroy)(qmRaster* raster);
  void (*raster_fill_edges)(qmRaster* raster, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                            int32_t antialias, int32_t line_width);
  // Fills the polygon (outline width 0) or draws its outline of that width.
  void (*raster_fill_polygon)(qmRaster* raster, const qmPoint* points, int32_t count,
                              int32_t antialias, int32_t outline_width);
};

qmGfxServices& gfx_services();
// Puts the defaults back (tests; the subsystems' clean-up).
void gfx_services_reset();

}  // namespace qm
