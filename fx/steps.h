// The step functions of the effect families, which the effect table names by id. Each family
// keeps its step (and its release, when its private state holds more than plain memory) in a file
// of its own in fx/ and declares them here.
#pragma once

#include "fx/fx.h"

namespace qm {

// Stripes: HSTRIPES 0-6 and VSTRIPES 7-13.
int32_t fx_hstripes(qmFXRequest* r, int32_t* done);
int32_t fx_vstripes(qmFXRequest* r, int32_t* done);

}  // namespace qm
