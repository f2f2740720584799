// What the layer commands share beyond layers/layers.h: layer arguments that must name an existing
// layer or may name a group (every member), the library's dirty list that commands touching
// several layers fill before one redraw, and the joining of the library's command tables.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "display/display.h"
#include "layers/layer.h"

struct qmState;
struct qmCommand;

namespace qm {



// Argument n (layer_arg_index) as an existing layer (ERR_LAYERRANGE when the position holds none).
int32_t layer_arg_layer(qmState* L, int32_t n, qmBGPic* pic, qmLayer** layer);

// One layer of argument n per call, for the commands that take groups. Start with *cursor = 0
// and call until it is -1. A number or a layer name gives that layer and the cursor -1; any
// other string gives the members of that group in list order, *group set (ERR_FINDLAYER naming
// it when it has none).
int32_t layer_arg_next(qmState* L, int32_t n, qmBGPic* pic, qmLayer** layer, int32_t* cursor, bool* group);

// The library's list, emptied by each flush.
DirtyList& layers_dirty();
// Redraws every rectangle of the library's list (the whole picture when it is full) and empties it.
void layers_dirty_flush(qmState* L);

// One command table of the library from the tables of its files (each ending in a null name).
std::vector<qmCommand> command_tables_join(std::initializer_list<const qmCommand*> tables);

}  // namespace qm
