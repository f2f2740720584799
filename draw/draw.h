// The draw library: points, lines, boxes with rounded corners, polygons, arcs, ellipses and
// circles on the current output, and the one process-wide drawing style that every shape command
// reads. The commands only read their arguments; the shape renderer (draw/shape.h) does the work
// through the scan converter (draw/raster.h). With layers on a shape becomes a layer of its type
// whose description the layers keep (LayerDrawn), so that the renderer can draw it again at any
// size; the library answers the layers' services for the shape kinds (draw_install_layer_services).
#pragma once

#include <cstdint>

#include "layers/content.h"

struct qmState;

namespace qm {

// The drawing style: form style (NORMAL, ANTIALIAS, SHADOW, EDGE bits), fill style, gradient,
// texture brush and offsets, and the edge, shadow and line-width block. It is the record a shape
// layer keeps, so a shape and its layer never differ in what they mean.
using qmDrawStyle = LayerShapeStyle;

// The style the commands change and every shape starts from.
qmDrawStyle& draw_get_style();
// The defaults at library start.
qmDrawStyle draw_style_defaults();
// Brings a style into range, in this order: line width at least 1, shadow distance and edge size
// 1..64, a shadow direction outside 0..7 becomes 3 (south-east), a fill style outside 0..3 becomes
// FILLNONE.
void draw_style_normalise(qmDrawStyle* style);

// The library's start (fourth of the command libraries) and its clean-up at exit.
int32_t draw_open(qmState* L);
void draw_cleanup();

}  // namespace qm
