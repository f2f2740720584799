// Playing an anim in place, synchronously or as an asynchronous draw object (ADF_ANIM).
#pragma once

#include <cstdint>

struct qmState;

namespace qm {

struct qmAnim;
struct qmTransformTags;
struct qmDrawTagOptions;

struct AnimPlayRequest {
  int32_t x = 0, y = 0;  // position specials allowed
  int32_t speed = -1;    // NORMALSPEED (-1), FASTSPEED (-2), SLOWSPEED (-3), DEFAULTSPEED (-4) or ticks of 20 ms
  int32_t times = 1;     // passes; 0 plays until the user aborts
  const qmTransformTags* tt = nullptr;  // display options, when given
  const qmDrawTagOptions* dt = nullptr;
};

// Plays the anim (locked meanwhile). With async_out the playback becomes an async draw object
// returned there and the call returns at once; else it returns after the last pass (or the
// user's abort, ERR_USERABORT). free_after frees the anim when the playback ends.
int32_t anim_play(qmState* L, qmAnim* anim, const AnimPlayRequest& request, bool free_after, void** async_out);

int32_t cmd_playanim(qmState* L);
int32_t cmd_playanimdisk(qmState* L);

}  // namespace qm
