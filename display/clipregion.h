// Clip regions: rectangles, or a brush's mask placed at a position, that limit drawing on the
// output they are active on. The blit layer gets the active region of the current output from
// clipregion_active() and always intersects it with the output it draws into, so a region that an
// output outgrew (a picture scaled down, a display made smaller) never reaches past it.
#pragma once

#include <cstdint>

#include "gfx/blitservices.h"
#include "runtime/registry.h"

struct qmState;

namespace qm {

struct qmClipRegionRecord {
  ObjectHeader header{};  // type OBJ_CLIPREGION
  qmClipRegion region{};  // the blit layer's view; its mask is `mask`
  qmMask* mask = nullptr;  // owned, or nullptr for a rectangle
  int32_t temporary = 0;
  int32_t locked = 0;
};

// The region active on the current output, or nullptr.
const qmClipRegion* clipregion_active();
// The size of the current output itself, without its region (the bounds a blit draws within).
bool clipregion_output_size(int32_t* w, int32_t* h);
// Pushes the id of the active region (0 when none); one result.
int32_t clipregion_push_active_id(qmState* L);
// Finds a region by id (temporary ones are never found). 0, ERR_FINDARRAY or ERR_FINDCLIPREGION.
int32_t clipregion_find(const ObjectId& id, qmClipRegionRecord** out);
// Frees every region (exit).
void clipregion_free_all(qmState* L);
// The commands, and the output-area hook that resolves position specials inside an active region.
// Opened after the display library.
int32_t clipregion_open(qmState* L);

}  // namespace qm
