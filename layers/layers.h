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
// The command library: installs the hooks and registers the commands.
int32_t layers_init(qmState* L);

}  // namespace qm
