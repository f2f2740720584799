// The player's composition: which command libraries it holds, their start-up and exit order and
// their hooks. main registers it before the player's life begins; tests that run start-up or the
// exit in process register it too.
#pragma once

#include "runtime/startup.h"

namespace qm {

const PlayerLibraries& player_libraries();

}  // namespace qm
