// The graphics library's frame commands: pacing (VWait, SetFPSLimit, GetFPSLimit), the colour
// commands, GetPen, IsPicture, DumpVideoTime and SetDrawTagsDefault with the draw-tag defaults
// that every drawing command starts from.
#pragma once

#include <cstdint>

#include "runtime/args.h"

struct qmState;

namespace qm {

// The process-wide defaults of the transform and draw tags.
struct DrawTagDefaults {
  double matrix[4] = {1.0, 0.0, 0.0, 1.0};
  double scale_x = 1.0, scale_y = 1.0;
  int32_t width = 0, height = 0;
  double rotation = 0.0;
  int32_t smooth = 0;
  double anchor_x = 0.0, anchor_y = 0.0;
  int32_t hidden = 0;
  int32_t insert_position = 0;
  int32_t transparency = 0;
  int32_t tint = 0;
  uint32_t tint_colour = 0;
  ShadowBlock shadow;
  BorderBlock border;
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
