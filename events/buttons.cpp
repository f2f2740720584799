// The button commands. Buttons of background pictures and legacy button records arrive with the
// button library; until then each command answers that the feature is not available, and the
// poller's button sources (event_sources()) report no button events.
#include "engine/errcodes.h"
#include "events/event_internal.h"

namespace qm {

int32_t cmd_makebutton(qmState*) { return ERR_UNSUPPORTEDFEAT; }
int32_t cmd_deletebutton(qmState*) { return ERR_UNSUPPORTEDFEAT; }
int32_t cmd_enablebutton(qmState*) { return ERR_UNSUPPORTEDFEAT; }
int32_t cmd_disablebutton(qmState*) { return ERR_UNSUPPORTEDFEAT; }
int32_t cmd_dumpbuttons(qmState*) { return ERR_UNSUPPORTEDFEAT; }
int32_t cmd_createbutton(qmState*) { return ERR_UNSUPPORTEDFEAT; }
int32_t cmd_removebutton(qmState*) { return ERR_UNSUPPORTEDFEAT; }
int32_t cmd_modifybutton(qmState*) { return ERR_UNSUPPORTEDFEAT; }
int32_t cmd_whilemouseon(qmState*) { return ERR_UNSUPPORTEDFEAT; }
int32_t cmd_breakwhilemouseon(qmState*) { return ERR_UNSUPPORTEDFEAT; }

}  // namespace qm
