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

namespace qm {

void layers_install_hooks();

}  // namespace qm
