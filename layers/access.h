// What the layer commands share: the output check every command starts with, layer arguments
// (a position, a layer name, or a group name that selects every member), and the library's dirty
// list that commands touching several layers fill before one redraw.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "display/display.h"
#include "layers/layer.h"

struct qmState;
struct qmCommand;

namespace qm {



// The current picture when layers can be changed. ERR_SELECTBRUSH (ERR_SELECTANIM for an anim
// frame), ERR_SELECTMASK or ERR_SELECTALPHACHANNEL while such a target is the output, else
// ERR_NOLAYERS while layers are off.
int32_t layers_output_check(qmBGPic** pic);

// Argument n as a position: a number as it is, a string as the position of the layer of that name
// (ERR_FINDLAYER naming it). Any other type raises ERR_STRORNUM.
int32_t layer_arg_index(qmState* L, int32_t n, const qmBGPic* pic, int32_t* position);
// Argument n as an existing layer (ERR_LAYERRANGE when the position holds none).
int32_t layer_arg_layer(qmState* L, int32_t n, const qmBGPic* pic, qmLayer** layer);

// One layer of argument n per call, for the commands that take groups. Start with *cursor = 0
// and call until it is -1. A number or a layer name gives that layer and the cursor -1; any
// other string gives the members of that group in list order, *group set (ERR_FINDLAYER naming
// it when it has none).
int32_t layer_arg_next(qmState* L, int32_t n, const qmBGPic* pic, qmLayer** layer, int32_t* cursor, bool* group);

// The library's list, emptied by each flush.
DirtyList& layers_dirty();
// Redraws every rectangle of the library's list (the whole picture when it is full) and empties it.
void layers_dirty_flush(qmState* L);

// One command table of the library from the tables of its files (each ending in a null name).
std::vector<qmCommand> command_tables_join(std::initializer_list<const qmCommand*> tables);

}  // namespace qm
