// Collision tests between boxes, brushes, layers and sprites, pixel-exact where an object has a
// mask or an alpha channel.
#pragma once

#include <cstdint>

#include "layers/redraw.h"

struct qmState;
struct qmCommand;

namespace qm {

// How a sprite shown on the current picture takes part: its box on the picture and the planes of
// its current frame. The sprite library installs it; until then no sprite is shown, and the
// answer is ERR_SPRITEONSCREEN (ERR_SPRITEONSCREEN2 for an automatic id).
struct CollisionSprites {
  int32_t (*side_of)(qmState* L, const ObjectId& id, OverlapSide* out);
};
CollisionSprites& collision_sprites();
void collision_sprites_reset();

// Collision(kind, ...) (a table ending in a null name).
const qmCommand* collision_commands();

}  // namespace qm
