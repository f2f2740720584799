// The redraw engine: composes a rectangle of a background picture with its layers into a
// destination bitmap (background, then every visible layer from the bottom with its shadow,
// filters and transparency), and keeps the images a layer needs cached in its states.
#pragma once

#include <cstdint>

#include "layers/dirty.h"
#include "layers/layer.h"

struct qmState;

namespace qm {

struct RedrawSource {
  qmState* L = nullptr;
  qmBGPic* pic = nullptr;
  const qmBitmap* background = nullptr;  // the picture's clean image
  qmBitmap* dest = nullptr;
  double scale_x = 1.0, scale_y = 1.0;  // the display's
  bool unscaled = false;                // the unscaled states and size
};

enum : int32_t { REDRAW_NOSPRITES = 1, REDRAW_SPRITESONLY = 2 };

// Composes (x, y, w, h): the background and the layers (unless REDRAW_SPRITESONLY), then the
// sprite pass of layer_services() (unless REDRAW_NOSPRITES). Refuses (a console message, nothing
// drawn) a size below 1, a negative corner or a missing destination.
void layers_redraw(const RedrawSource& source, int32_t x, int32_t y, int32_t w, int32_t h, int32_t flags);

// The image to draw for a layer: 0 with the planes (owned by the layer or its object), or an error.
int32_t layer_build_transformed(qmState* L, qmLayer* layer, qmLayerState* state, bool with_filters, LayerPlanes* out);
// The layer's full rectangle with shadow.
Rect layer_bounds(const qmLayer* layer, const qmLayerState* state, double scale_x = 1.0, double scale_y = 1.0);
// Appends the layer's full rectangle in that state to the list, growing it when full.
void dirty_rects_add_layer(DirtyList& list, const qmLayer* layer, const qmLayerState* state, double scale_x = 1.0,
                           double scale_y = 1.0);
// True when no layer above it that is shown (neither hidden nor off the display) overlaps its
// display-state rectangle.
bool layer_is_unobscured(const qmBGPic* pic, const qmLayer* layer);
// Where the shadow lands.
Rect layer_shadow_rect(const qmLayer* layer, const qmLayerState* state, double scale_x, double scale_y);

// Images built for layers (filtered copies, shadows): a second redraw of an unchanged picture
// builds none.
int64_t layer_images_built();

// One side of an overlap test: its rectangle on the picture and its planes addressed from
// (source_x, source_y).
struct OverlapSide {
  Rect rect;
  const qmMask* mask = nullptr;
  const qmAlphaChannel* alpha = nullptr;
  int32_t source_x = 0, source_y = 0;
  const qmClipRegion* clip = nullptr;
};
// True when the two images share at least one solid pixel: one where every plane that a side has
// (mask, alpha, clip mask) is set.
bool planes_overlap_test(const OverlapSide& a, const OverlapSide& b);

}  // namespace qm
