// The layer commands that reorder, decorate, show, hide, remove, undo and free the layers of the
// current background picture, and the removal that other libraries share.
#pragma once

#include <cstdint>

#include "layers/geometry.h"
#include "layers/layer.h"

struct qmState;
struct qmCommand;

namespace qm {

struct DirtyList;

// Removes one layer of pic with its button and lets the objects it showed be collected. Unless
// no_refresh, its rectangle goes to dirty (or is refreshed at once without one) as if it were
// gone. *bounds (when given) gets its rectangle.
void remove_layer(qmState* L, qmBGPic* pic, qmLayer* layer, bool no_refresh, Rect* bounds, DirtyList* dirty);
// Removes the n-th layer from the top of the current picture that shows (type, id) as created,
// without a refresh. 1 with its rectangle in *bounds, 0 when there is none, or ERR_REMADLAYER.
int32_t layer_remove_by_object(qmState* L, int32_t type, const ObjectId& id, int32_t n, Rect* bounds);

// LayerExists, LayerToBack, LayerToFront, SwapLayers, SetLayerBorder, SetLayerShadow, HideLayer,
// ShowLayer, RemoveLayer, Undo and FreeLayers (a table ending in a null name).
const qmCommand* layer_manage_commands();

}  // namespace qm
