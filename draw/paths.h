// The vectorgraphics library: paths (numbered lists of drawing operations built command by
// command and drawn later), the process-wide stroke settings, and the flag that makes the draw
// library draw its shapes as paths. The player does no geometry of its own: curves, strokes,
// dashes, fills, extents, translations, current points and text outlines are the work of the
// vector-graphics plug-in (runtime/plugins/qmvector.h has the operation buffer it reads and the
// blocks it takes). Without one, paths are still built, copied, appended, cleared and freed;
// every command that needs geometry fails with ERR_VECGFXPLUGIN.
//
// One renderer, path_draw, serves DrawPath, the draw library's shapes in path mode
// (draw_shape_as_path) and path layers: it asks the plug-in for the path's extents, has it cover
// planes of that size, colours them with the draw library's fill style, adds the edge and the
// shadow, and draws the image onto the output or makes it a VECTORPATH layer. A path layer keeps
// its own copy of the operation buffer (LayerDrawn::path_ops), so that it outlives the path.
//
// Extents are taken to whole pixels (left and top rounded down, right and bottom up), so that a
// path drawn at (x, y) covers exactly the pixels its coordinates name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "draw/draw.h"
#include "draw/shape.h"
#include "runtime/plugins/plugins.h"
#include "runtime/plugins/qmvector.h"
#include "runtime/registry.h"

struct qmState;
struct qmFont;

namespace qm {

struct qmTransformTags;
struct qmDrawTagOptions;
struct qmLayer;
struct qmLayerState;

// One path. The buffer is zero-filled, `capacity` bytes, holding `used` bytes of operations and
// then the 0 end word; an empty path has none.
struct qmPath {
  ObjectHeader header{};  // OBJ_VECTORPATH
  uint8_t* ops = nullptr;
  size_t capacity = 0;
  size_t used = 0;
};

// The stroke settings that paths are drawn and measured with.
struct qmVectorStyle {
  int32_t line_join = QMVEC_JOIN_MITER;
  int32_t line_cap = QMVEC_CAP_BUTT;
  double dash_offset = 0.0;
  std::vector<double> dashes;  // empty: solid lines
  int32_t fill_rule = QMVEC_FILL_WINDING;
};
qmVectorStyle& path_vector_style();

// ForcePathUse: the draw library draws its shapes through draw_shape_as_path.
bool path_force_on();

// ---- Paths ----------------------------------------------------------------------------------

// 0, ERR_FINDARRAY for an automatic id, or ERR_FINDPATH with the number in the message.
int32_t path_find(const ObjectId& id, qmPath** out);
// A new empty path at the list's tail; an existing path of a chosen number is freed first. An
// automatic id (automatic_id()) becomes the record's own address. 0 or ERR_MEM.
int32_t path_new(qmState* L, const ObjectId& id, qmPath** out);
void path_free(qmState* L, qmPath* path);
// Frees the path's buffer: the path stays, empty.
void path_clear(qmPath* path);
// A copy of source under target (an automatic id or a number other than the source's, whose older
// path is freed first), at the list's tail, with a buffer of the source's capacity. 0 or ERR_MEM.
int32_t path_copy(qmState* L, const qmPath* source, const ObjectId& target, qmPath** out);
// The head of the path list, for the object registry.
ObjectHeader** path_list_head();
// Frees every path and the dash pattern; the font cache's vector fonts go with them when a
// plug-in was ever used.
void path_free_all(qmState* L);

// One operand of an operation.
struct PathOperand {
  enum Kind : int32_t { Integer = 0, Real = 1, Text = 2, Handle = 3 };
  Kind kind;
  int32_t word = 0;  // Integer, Handle
  double real = 0.0;
  const char* text = nullptr;
  size_t length = 0;
  static PathOperand integer(int32_t v) { return {Integer, v, 0.0, nullptr, 0}; }
  static PathOperand number(double v) { return {Real, 0, v, nullptr, 0}; }
  static PathOperand handle(uint32_t v) { return {Handle, int32_t(v), 0.0, nullptr, 0}; }
  static PathOperand string(const char* s, size_t n) { return {Text, 0, 0.0, s, n}; }
};
// Appends one operation: the buffer grows by at least 1024 bytes whenever 128 bytes (plus the
// room of its texts) do not fit. 0, or ERR_MEM with the path unchanged.
int32_t path_append(qmPath* path, int32_t opcode, const PathOperand* operands, size_t count);
// The target gets the source's operations after its own. 0 or ERR_MEM (target unchanged).
int32_t path_append_path(qmPath* target, const qmPath* source);
// The buffer as the plug-in reads it (a lone end word for an empty path).
const void* path_ops(const qmPath* path);

// Tests: the allocator that path buffers come from (nullptr: the system's, zero-filled).
using PathAllocator = void* (*)(size_t bytes);
void path_set_allocator(PathAllocator allocator);

// ---- The plug-in ----------------------------------------------------------------------------

// The active vector-graphics plug-in, or null; a plug-in record of kind 2 takes no calls (each
// call gives 0 and writes nothing). Finding one marks the plug-in as used.
qmPluginEntry* path_plugin();
// A stroke block for the settings, with the anti-alias word.
qmVecStroke path_stroke_block(const qmVectorStyle& style, bool antialias);
// GetPathExtents: 0 with the box, or ERR_EMPTYPATH when the plug-in measured nothing. kind is a
// QMVEC_EXTENTS_ value (true: the filled area, false: the stroked outline).
struct PathBox {
  double left = 0, top = 0, right = 0, bottom = 0;
};
int32_t path_measure(qmPluginEntry* plugin, const void* ops, const qmVecStroke& stroke, int32_t kind,
                     int32_t line_width, double x, double y, PathBox* out);
// The vector font of an inbuilt font, made through the plug-in's CreateVectorFont at the first
// use: 0 with the handle that text operations carry, ERR_VFONT when none can be made, or ERR_MEM.
int32_t path_vector_font(qmFont* font, uint32_t* handle);
// Releases the vector font that a font got for AddTextToPath (the font cache calls it through
// font_close before the font's face goes).
void font_free_vector_font(qmFont* font);

// ---- Drawing --------------------------------------------------------------------------------

// Everything one rendering of a path needs.
struct PathDraw {
  const void* ops = nullptr;  // nullptr: an empty path
  size_t ops_size = 0;        // bytes, the end word included
  qmVectorStyle stroke;
  qmDrawStyle style;
  uint32_t colour = 0;         // 0xAARRGGBB, the top byte a transparency
  ObjectId path;               // the path a layer made from the drawing names
  double origin_x = 0.0, origin_y = 0.0;  // of the extents, written by path_draw
  bool add_origin = false;     // the position is the path's (0, 0): move it to the extents' corner
};

// A drawing of the path as DrawPath makes it: the current stroke settings and draw style, the
// path's (0, 0) at the position given.
PathDraw path_drawing(const qmPath* path, uint32_t colour);

// Draws the path at (x, y) onto the current output, or makes it a VECTORPATH layer when the
// display has layers on; the display options (transform, anchor, transparency, ...) come from
// tt and dt (either may be nullptr). 0, ERR_EMPTYPATH, ERR_VECGFXPLUGIN, ERR_DRAWPATH, ERR_MEM or
// the output's error; on error the output and the layers are as they were.
int32_t path_draw(qmState* L, PathDraw& d, int32_t x, int32_t y, const qmTransformTags* tt,
                  const qmDrawTagOptions* dt);

// The content of a path layer: the path filled or stroked in its fill style, without edge or
// shadow (the layer draws those), turned by m about the content's middle; out->x and out->y get
// where the image's corner lies from the content's corner, turned.
int32_t path_render_content(const PathDraw& d, const Matrix2& m, ShapeImage* out);
// The border of a path layer, placed as the content: the outline grown by size on every side (a
// stroke 2 x size wider, over the filled area when the fill style is not FILLNONE), covered in the
// drawing's colour.
int32_t path_render_border(const PathDraw& d, const Matrix2& m, int32_t size, ShapeImage* out);

// The draw library's shapes in path mode: a temporary path of the shape's operations and a close,
// drawn at (x, y) through path_draw and freed again whatever happens.
struct PathShape {
  int32_t type = 0;  // OBJ_BOX, OBJ_CIRCLE, OBJ_ELLIPSE, OBJ_POLYGON or OBJ_ARC
  int32_t a = 0, b = 0;  // box: width and height; round shapes: the radii
  int32_t corners[4] = {0, 0, 0, 0};
  int32_t start_angle = 0, end_angle = 0, clockwise = 0;
  const std::vector<LayerVertex>* vertices = nullptr;
};
int32_t draw_shape_as_path(qmState* L, const PathShape& shape, int32_t x, int32_t y, uint32_t colour,
                           const qmTransformTags* tt, const qmDrawTagOptions* dt);

// The layers' services for VECTORPATH layers (path_find, render_content, render_transformed,
// drawn_border).
void path_install_layer_services();

// The library's start (19th of the command libraries) and its clean-up at exit.
int32_t vectorgraphics_init(qmState* L);

}  // namespace qm
