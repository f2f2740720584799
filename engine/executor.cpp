#include "engine/call.h"

// Placeholder until the executor lands: a script frame ends at once without results.
qmValue* vm_execute(qmState* L) { return L->base; }
