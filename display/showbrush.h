// Showing brushes with display options: the option records that DisplayBrush and
// DisplayBrushPart read from their option table, the reader, and the worker that transforms,
// tints and fades a picture as asked and puts it on the current output.
#pragma once

#include <cstdint>

#include "display/filterslots.h"
#include "runtime/args.h"
#include "runtime/registry.h"

struct qmState;
struct qmDisplay;

namespace qm {

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;

// Transform and placement options.
struct qmTransformTags {
  double matrix[4] = {1.0, 0.0, 0.0, 1.0};  // a, b, c, d: x' = a x + c y, y' = b x + d y
  double scale_x = 1.0, scale_y = 1.0;
  int32_t width = 0, height = 0;
  int32_t rotate = 0;  // degrees, -359..359
  double explicit_matrix[4] = {1.0, 0.0, 0.0, 1.0};
  int32_t explicit_flag = 0;
  int32_t smooth = 0;
  double anchor_x = 0.0, anchor_y = 0.0;
};

// Style options that a layer keeps.
struct qmDrawTagOptions {
  char name[256];  // "" unless given (set by the option reader)
  int32_t hidden = 0;
  int32_t insert_position = 0;
  int32_t transparency = 0;  // 0..255
  int32_t tint = 0;          // 0..255; active above 0
  uint32_t tint_colour = 0;
  ShadowBlock shadow;
  BorderBlock border;
  FilterSlot filters[kFilterSlots];  // "filters" (tint and transparency stay in their fields)
  int32_t style_needed = 0;
};

// brush_display_options flags.
enum : int32_t {
  DISPOPT_RESET = 1,     // start from the defaults with the preset size and smoothing
  DISPOPT_TABLEONLY = 2, // an argument there that is not a table is ERR_TABEXPECTED
  DISPOPT_NOSIZE = 4,    // "width" and "height" are not read
  DISPOPT_NOROTATE = 8,
};

// Reads the option table at argument index (only when it is the last argument). tags may be
// nullptr. 0 or an error code.
int32_t brush_display_options(qmState* L, int32_t index, int32_t object_width, int32_t object_height,
                              int32_t preset_width, int32_t preset_height, int32_t smooth_default,
                              qmTransformTags* transform, qmDrawTagOptions* tags, int32_t flags);

// The options' filters, tint and transparency applied to a picture's own planes (width x height);
// a picture that fades without an alpha plane gets one from its mask (or whole when it has
// none), which replaces the mask. 0 or the filters' error.
int32_t image_apply_transparency_tint(const qmDrawTagOptions& dt, qmBitmap* bitmap, qmMask** mask,
                                      qmAlphaChannel** alpha, int32_t width, int32_t height);

// Shows a brush (whole, or the part at source x, y of width x height when part is set) at x, y
// with the option table at argument index option_index (0: none).
int32_t brush_render(qmState* L, const ObjectId& id, bool part, int32_t source_x, int32_t source_y, int32_t x,
                     int32_t y, int32_t width, int32_t height, int32_t option_index);

// Shows frame (0-based) of an anim at x, y with the option table at argument index option_index
// (0: none); with layers on the frame becomes a new anim layer. The anim library's display
// commands call it; until that library installs its entries (AnimHooks) it answers
// ERR_UNSUPPORTEDFEAT.
int32_t anim_frame_render(qmState* L, const ObjectId& id, int32_t frame, int32_t x, int32_t y, int32_t option_index);

// The object a showing takes its picture from.
struct ShowSource {
  // OBJ_BRUSH, OBJ_BRUSHPART, OBJ_BGPICPART, OBJ_ANIM (a frame) or OBJ_TEXTOBJECT (shown by id as a
  // layer, like a brush)
  int32_t kind = OBJ_BRUSH;
  ObjectId id;
  int32_t frame = 0;  // OBJ_ANIM
  const qmBitmap* bitmap = nullptr;
  const qmMask* mask = nullptr;
  const qmAlphaChannel* alpha = nullptr;
  int32_t width = 0, height = 0;  // the object's (and its planes') size
  bool drawn_into = false;        // the picture is the output's own: read through a copy
  // Added to the position once its specials are resolved (a text object's image lies off the
  // text's origin).
  int32_t offset_x = 0, offset_y = 0;
  int32_t smooth = 0;  // smooth scaling unless the options say otherwise
};

// Where a showing goes: the current display, and the size of its output (the selected object or
// the display's picture; the clip region is applied by the blit).
struct ShowOutput {
  qmDisplay* display = nullptr;
  int32_t width = 0, height = 0;
};
// True with *out when the current display has an output to show on.
bool show_output(ShowOutput* out);

// The showing once the object was found: the options at option_index, the positions, the source
// rectangle (width x height at source x, y; a whole brush or frame ignores them), then a new layer or the
// picture itself on the output. For a picture part an x or y of -1 is the source position, and
// `copy` hands a layer a private copy of the part.
int32_t show_picture(qmState* L, const ShowOutput& out, const ShowSource& src, int32_t source_x, int32_t source_y,
                     int32_t x, int32_t y, int32_t width, int32_t height, int32_t option_index, bool copy);

// Shows the part at source x, y of width x height of a background picture (id number -1: the
// display's own) at x, y (-1: the source position) with the option table at argument index
// option_index (0: none). With layers on, `copy` gives the new layer a copy of the part.
int32_t bgpic_part_render(qmState* L, const ObjectId& id, int32_t source_x, int32_t source_y, int32_t x, int32_t y,
                          int32_t width, int32_t height, int32_t option_index, bool copy);

// The number of private planes the worker has made since the start (tests: the plain path makes
// none).
int64_t brush_render_private_planes();

}  // namespace qm
