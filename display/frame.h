// The graphics library's frame commands: pacing (VWait, SetFPSLimit, GetFPSLimit), the colour
// commands, GetPen, IsPicture, DumpVideoTime and SetDrawTagsDefault with the draw-tag defaults
// that every drawing command starts from.
#pragma once

#include <cstdint>

#include "display/showbrush.h"

struct qmState;

namespace qm {

// The process-wide defaults of the transform and draw tags, which every showing starts from
// (the size is the object's, filled in by each caller).
struct DrawTagDefaults {
  qmTransformTags transform;
  qmDrawTagOptions tags;
  DrawTagDefaults();
};
const DrawTagDefaults& drawtag_defaults();
void drawtag_defaults_reset();

int32_t cmd_red(qmState* L);
int32_t cmd_green(qmState* L);
int32_t cmd_blue(qmState* L);
int32_t cmd_rgb(qmState* L);
int32_t cmd_argb(qmState* L);
int32_t cmd_getpen(qmState* L);
int32_t cmd_vwait(qmState* L);
int32_t cmd_setfpslimit(qmState* L);
int32_t cmd_getfpslimit(qmState* L);
int32_t cmd_ispicture(qmState* L);
int32_t cmd_getrealcolor(qmState* L);
int32_t cmd_mixrgb(qmState* L);
int32_t cmd_dumpvideotime(qmState* L);
int32_t cmd_getrandomcolor(qmState* L);
int32_t cmd_setdrawtagsdefault(qmState* L);

}  // namespace qm
