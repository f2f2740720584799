// Layer style: one worker changes any property of layers from style tables; SetLayerStyle hands
// it its arguments, the other setters build a one- or two-key table, and GetLayerStyle answers a
// layer's properties with the same keys.
#pragma once

#include <cstdint>

#include "layers/layer.h"

struct qmState;
struct qmCommand;

namespace qm {

// Applies the pairs (layer, style table) at stack indices first, first + 1, ... up to last. A
// layer is a position, a layer name, or a group name (every member, without the "type" and
// content keys). The touched rectangles are redrawn at the end unless no_redraw, also when an
// error ends the work early (layers already handled keep their changes). 0 or an error code.
int32_t apply_layer_style(qmState* L, int32_t first, int32_t last, bool no_redraw);

// Moves a layer and steps an anim layer's frame through the worker: x or y 100000 keeps it;
// frame 0 is the next frame, -1 the last, 1.. that frame.
int32_t layer_set_position_frame(qmState* L, qmLayer* layer, int32_t x, int32_t y, int32_t frame, bool no_redraw);

// SetLayerStyle, GetLayerStyle and the setters built on them (a table ending in a null name).
const qmCommand* layer_style_commands();

}  // namespace qm
