// Composition routines between the drawing, path, brush and layer commands and the pixel
// routines: transformed copies, point transforms, pattern fills, scan-converted shapes, the
// three-plane rectangle, the merge of a shape's fill, edge and shadow planes, and the hand-over
// of a finished shape to the layers.
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"
#include "gfx/blitservices.h"
#include "gfx/style.h"

namespace qm {

// A transformed copy of the w x h rectangle at (x, y) of the given planes under the 2x2 matrix
// {m0, m1, m2, m3}: a new bitmap (with a source bitmap), and a new alpha plane (with a source
// alpha plane) or else a new mask, all zero-filled outside the turned rectangle. A singular or
// non-finite matrix gives a 1 x 1 transparent result. 0, ERR_MEM or ERR_LOCKBMAP; nothing made
// survives a failure and no output is written then. Each output may be nullptr.
int32_t bitmap_transform_new(const qmBitmap* source, const qmMask* source_mask,
                             const qmAlphaChannel* source_alpha, int32_t x, int32_t y, int32_t w,
                             int32_t h, const double* matrix, int32_t smooth, qmBitmap** out_bitmap,
                             qmMask** out_mask, qmAlphaChannel** out_alpha, int32_t* out_width,
                             int32_t* out_height);

// Turns points in place about the pivot (trunc(width x pivot_x), trunc(height x pivot_y)) and
// reports their bounds (min 100000 and max -100000 when there are none); with normalise the
// points are moved so that the minimum is 0. Each output may be nullptr.
void arc_points_float(const double* matrix, double pivot_x, double pivot_y, int32_t width,
                      int32_t height, qmPoint* points, int32_t count, int32_t normalise,
                      int32_t* out_min_x, int32_t* out_min_y, int32_t* out_width,
                      int32_t* out_height);

// Tiles the style's texture brush over the rectangle of target, scaled by |m0| and |m3| of the
// matrix when given. 0, or the brush lookup's or the scaler's error.
int32_t path_fill_pattern(qmState* state, qmBitmap* target, int32_t x, int32_t y, int32_t width,
                          int32_t height, const qmShapeStyle* style, const double* matrix);

// A polygon (or a line from line[0..3]) through the coverage rasteriser into the given planes at
// (left, top); one-pixel lines are drawn directly.
void shape_fill_spans(int32_t left, int32_t top, int32_t width, int32_t height, qmBitmap* target,
                      const qmPoint* points, int32_t count, uint32_t colour, int32_t transparency,
                      int32_t mask_mode, int32_t filled, qmMask* target_mask,
                      qmAlphaChannel* target_alpha, const qmClipRegion* clip,
                      const qmBitmap* texture, const int32_t* line, int32_t line_width,
                      int32_t antialias, int32_t outline_width);

// A filled rectangle, or its four one-pixel edges, in each plane given.
void rect_fill_parts(qmBitmap* bitmap, int32_t x, int32_t y, int32_t width, int32_t height,
                     qmMask* mask, qmAlphaChannel* alpha, uint32_t colour, int32_t transparency,
                     int32_t filled);

struct qmShapeMerge {
  const qmAlphaChannel* fill;
  const qmAlphaChannel* edge;
  qmBitmap* target;
  qmAlphaChannel* target_alpha;
  int32_t shadow;  // flags
  int32_t edge_on;
  int32_t object_x, object_y;  // the edge plane, or the fill plane when there is no edge
  int32_t fill_x, fill_y;      // the fill plane after an edge
  int32_t shadow_x, shadow_y;
  int32_t edge_width, edge_height;
  int32_t fill_width, fill_height;
  int32_t target_width, target_height;
  uint32_t fill_colour, shadow_colour, edge_colour;
  int32_t shadow_transparency, edge_transparency, fill_transparency;
  const qmBitmap* texture;  // or nullptr
};
// Composes a shape's fill, edge and shadow into the target bitmap and its alpha plane.
void shape_merge_alpha(const qmShapeMerge& m);

// Hands a finished shape to the layer constructor with its own typed copy of the shape record
// (and of the points for a polygon, type 27). The constructor's result, or ERR_MEM with the
// given planes freed.
int32_t shape_insert_layer(qmState* state, int32_t type, const int32_t geometry[4],
                           const double* block, const qmDrawTags* tags, qmBitmap* bitmap,
                           qmMask* mask, qmAlphaChannel* alpha, const qmShapeRecord* shape,
                           int32_t insert_position, int32_t flags);

// Frees a shape record made by shape_insert_layer, with its points (the layer's clean-up).
void shape_record_free(qmShapeRecord* shape);

inline constexpr int32_t kShapePolygon = 27;

}  // namespace qm
