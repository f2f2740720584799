// The drawing settings that shapes, paths, shape layers and text share: the shape style record
// and the draw-tag record, with their range rules. Defined here once; the drawing, layer and text
// subsystems use these records as they stand.
#pragma once

#include <cstdint>

#include "gfx/polygon.h"
#include "runtime/registry.h"

namespace qm {

enum : int32_t { FILLNONE = 0, FILLCOLOR = 1, FILLGRADIENT = 2, FILLTEXTURE = 3 };
enum : int32_t { STYLE_SHADOW = 32, STYLE_EDGE = 64 };  // effect flags
enum : int32_t {
  SHDWNORTH = 0,
  SHDWNORTHEAST = 1,
  SHDWEAST = 2,
  SHDWSOUTHEAST = 3,
  SHDWSOUTH = 4,
  SHDWSOUTHWEST = 5,
  SHDWWEST = 6,
  SHDWNORTHWEST = 7,
};

// The effect block of a shape style, fields in this order.
struct qmShapeEffects {
  int32_t edge_size;
  uint32_t edge_colour;  // 0xRRGGBB
  int32_t shadow_size;
  int32_t shadow_direction;
  uint32_t shadow_colour;
  int32_t line_width;
};

// The drawing settings of a shape, a path or a shape layer.
struct qmShapeStyle {
  int32_t fill_style;    // FILL*
  int32_t effect_flags;  // STYLE_SHADOW, STYLE_EDGE
  ObjectId texture_brush;
  int32_t texture_x;
  int32_t texture_y;
  qmShapeEffects effects;
};

// The per-drawing tags that travel with a shape into its layer.
struct qmDrawTags {
  int32_t colour_alpha;  // 0..255 from the drawing colour's top byte
  int32_t shadow;        // switch
  uint32_t shadow_colour;
  int32_t shadow_size;
  int32_t shadow_direction;
  int32_t edge;  // switch
  uint32_t edge_colour;
  int32_t edge_size;
  int32_t effects;  // any effect present
};

// A shape as a layer keeps it: its tags and, for polygons, its own copy of the points.
struct qmShapeRecord {
  qmDrawTags tags;
  qmPoint* points;
  int32_t count;
};

// Margins that a shadow of size in a direction adds around an object; directions above 7 add
// none. Each output may be nullptr.
void anchor_offset(int32_t size, int32_t direction, int32_t* left, int32_t* top, int32_t* right,
                   int32_t* bottom);
// Grows an image's size for a shadow: the width for directions with a horizontal part, the
// height for those with a vertical part.
void anchor_adjust_xy(int32_t direction, int32_t size, int32_t* width, int32_t* height);
// Moves a style's edge and shadow into the tags (clearing them in the style), turns a wide
// unfilled outline into a one-pixel outline with an edge, and moves the colour's top byte into
// the tags' colour alpha.
void drawtags_path_flags(qmShapeStyle* style, qmDrawTags* tags, uint32_t* colour);
// Brings sizes, direction and fill style into range.
void style_fix_counts(qmShapeStyle* style);
// Limits four corner levels (percent) to 0..100.
void corners_clamp(int32_t corners[4]);

}  // namespace qm
