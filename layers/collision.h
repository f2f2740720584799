// Collision tests between boxes, brushes, layers and sprites, pixel-exact where an object has a
// mask or an alpha channel.
#pragma once

#include <cstdint>


struct qmState;
struct qmCommand;

namespace qm {

// Collision(kind, ...) (a table ending in a null name).
const qmCommand* collision_commands();

}  // namespace qm
