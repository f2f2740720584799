// The shape renderer: one renderer for every filled or outlined shape and every shape layer. A
// shape is described once (ShapeDesc); the renderer takes the outline polygons of its fill, edge
// and shadow from draw/outline.h, rasterises them through the scan converter into a fresh image
// (a bitmap with a 1-bit mask, or an 8-bit alpha plane where anything is see-through or
// anti-aliased), and then draws that image onto the current output, or hands the description to
// the layers as a new shape layer, whose content it renders whenever the layers ask.
//
// Image layout of a drawn shape: the fill's box (the whole ellipse's for an arc), grown by the edge
// size when there is an edge, or by half the line width for a wide outline; the shadow is that box
// moved by the shadow distance in its direction, and the image holds both, plus 2 pixels left and
// above and 3 right and below for anti-aliased edges. Edges and shadows belong to filled shapes.
#pragma once

#include <cstdint>
#include <vector>

#include "draw/draw.h"
#include "draw/outline.h"
#include "layers/layer.h"

struct qmState;

namespace qm {

struct qmTransformTags;
struct qmDrawTagOptions;
struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;

struct ShapeDesc {
  ShapeGeometry geometry;  // type OBJ_LINE for a line
  int64_t line[4] = {0, 0, 0, 0};  // a line's end points in its box (which may pass 32 bits)
  int32_t thickness = 1;           // a line's
  uint32_t colour = 0;             // 0xAARRGGBB, the top byte a transparency
  qmDrawStyle style;               // the renderer's own copy
  Matrix2 matrix;
  double anchor_x = 0.0, anchor_y = 0.0;
};

// A rendered shape: its planes and where its corner lies in the shape's frame.
struct ShapeImage {
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  int32_t x = 0, y = 0;  // of the image's corner, relative to the shape box's corner
  int32_t width = 0, height = 0;
  void release();
};

// What an image is for.
enum class ShapeUse {
  Draw,     // drawn onto the output: edge, shadow, wide outlines and margins
  Content,  // a layer's content: the shape alone, without margins, in the box given
  Border,   // a layer's border image: the outline grown by the border size, in one colour
};

// Renders the shape. Content renders into a width x height image whose corner is the frame's
// (0, 0) unless the matrix turns or scales it (then the image is the turned shape's box); Border
// grows the outline by `grow`. 0, ERR_MEM for an image past the allocation cap or without memory,
// or the texture brush's lookup error.
int32_t shape_render_image(qmState* L, const ShapeDesc& d, ShapeUse use, int32_t grow, ShapeImage* out);

// The direct way for opaque shapes of one colour each: without an image, each part's coverage
// goes straight onto a plain bitmap (one without planes of its own to keep), lowest first, within
// clip; the frame's corner lands at (ox, oy). *changed gets the rectangle touched. 0 or ERR_MEM.
bool shape_direct_possible(const ShapeDesc& d);
int32_t shape_render_onto(const ShapeDesc& d, qmBitmap* target, const Rect& clip, int64_t ox, int64_t oy,
                          Rect* changed);

// Tests: the ways shape_draw may take, so that they can be compared. Fastest (the default) takes
// the quickest way that gives the same pixels; Raster composes coverage rasters where Fastest
// would work out row spans; Image draws every shape through its image.
enum class ShapeWays { Fastest, Raster, Image };
void shape_ways_limit(ShapeWays ways);
ShapeWays shape_ways();

// The commands' work. A shape at (x, y) (specials resolved against its size and the anchor) with
// the display options read from the table at option_index (0: none) or the rotation given:
// direct drawing with layers off, a new shape layer with layers on. 0 or an error code, with the
// output and the layers unchanged on error.
struct ShapeCall {
  ShapeDesc desc;
  int32_t x = 0, y = 0;
  const qmTransformTags* transform = nullptr;  // from the option table, or nullptr
  const qmDrawTagOptions* options = nullptr;
};
int32_t shape_draw(qmState* L, const ShapeCall& call);

// A polygon's vertex table: count vertices as x, y at table indices 2i and 2i + 1 (count 0: up to
// the first missing coordinate, at most 999), closed by a copy of the first when the last differs,
// moved so that their box starts at 0, 0. min_x and min_y are the smallest rounded coordinates and
// width and height the rounded box's size. 0, ERR_NUMTABLEARG naming "polygon" for a coordinate
// that is not a finite number, ERR_INTERNAL for a 1000th vertex, ERR_MEM for a box beyond the
// allocation cap.
struct PolygonPoints {
  std::vector<LayerVertex> vertices;
  int32_t min_x = 0, min_y = 0, width = 0, height = 0;
};
int32_t polygon_read_points(qmState* L, int32_t t, int32_t count, PolygonPoints* out);

// Draws a finished image with its corner at (x, y) onto the current output, through the display
// options' filters, tint and transparency (options may be nullptr); the image is released. 0,
// ERR_CLOSEDDISPDRAW without a display, or the output's error.
int32_t shape_image_show(qmState* L, ShapeImage& img, int64_t x, int64_t y, const qmDrawTagOptions* options);

// What a drawn layer's style becomes of a drawing's: the display options' style, the form
// style's edge and shadow (of a filled drawing) as the layer's border and shadow, taken out of
// the style, and the colour's transparency as the layer's unless the options set one.
LayerStyle drawn_layer_style(qmDrawStyle* style, uint32_t colour, bool filled, const qmDrawTagOptions* options);

// A drawn layer's state geometry: the identity for the content, the layer's matrix for its own
// transformed state, and that times the display's scale for a display-scaled state.
Matrix2 drawn_state_matrix(const qmLayer* layer, const qmLayerState* t);
// Where a border image rendered through that matrix lies (img.x and img.y: its corner from the
// content's corner, turned), as drawn_border reports it.
Rect drawn_border_place(const qmLayer* layer, const qmLayerState* t, const ShapeImage& img);

// The layers' services for the shape kinds (render_content, drawn_border).
void shape_install_layer_services();

}  // namespace qm
