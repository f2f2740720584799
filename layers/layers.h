// The layers subsystem: layer records and the layer list of each background picture
// (layers/layer.h), geometry (layers/geometry.h), dirty-rectangle lists (layers/dirty.h), the
// redraw engine (layers/redraw.h) and filters (layers/filters.h). layers_install_hooks() puts
// the layers behind the display library's LayerHooks and the blit layer's redraw service.
#pragma once

#include "layers/dirty.h"
#include "layers/filters.h"
#include "layers/geometry.h"
#include "layers/layer.h"
#include "layers/redraw.h"

struct qmState;

namespace qm {

void layers_install_hooks();
// The refresh of a changed rectangle of the current picture: composed and shown at once while the
// display is the output, collected on the display's list while a picture is selected.
void refresh_dirty_rect(qmState* L, const Rect& area);
// Exchanges the layers at two positions of the current picture and refreshes both places.
// ERR_LAYERRANGE for a position below 1 or past the end.
int32_t layers_swap_refresh(qmState* L, int32_t a, int32_t b);
// Moves a layer: x or y of kKeepCoordinate keeps it; relative bit 1 adds x, bit 2 adds y. The
// rectangle covering the old and new places goes to `dirty` when given, else is refreshed at once,
// unless no_refresh.
inline constexpr int32_t kKeepCoordinate = 100000;
void layer_set_position(qmState* L, qmLayer* layer, int32_t x, int32_t y, bool no_refresh, int32_t relative,
                        DirtyList* dirty);

// Sets the layer's transform; a matrix other than the identity gives the layer a state of its
// own with the content resampled about its middle at the on-screen size. 0, ERR_MEM or the
// source's look-up error (the layer unchanged then but for its block).
int32_t layer_set_transform(qmState* L, qmLayer* layer, const TransformBlock& block);

// The command library: installs the hooks and registers the commands.
int32_t layers_init(qmState* L);

}  // namespace qm
