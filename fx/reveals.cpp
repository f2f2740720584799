// The reveals: one straight edge moves across the picture and uncovers it, REVEALLEFT from the
// left edge, REVEALRIGHT from the right, REVEALTOP from the top, REVEALBOTTOM from the bottom.
// Each band is a pixel wider than the step, so that neighbouring bands touch.
#include <algorithm>

#include "engine/errcodes.h"
#include "fx/steps.h"

namespace qm {

namespace {

struct Reveal {
  int32_t pos;  // the column (row) of the moving edge
};

// Across the width a step above half the width crawls at 1 pixel; down the height it is cut to
// half the height.
int32_t setup(qmFXRequest* r, bool columns) {
  if (!fx_priv_alloc(r, sizeof(Reveal))) return ERR_MEM;
  const int32_t extent = columns ? r->width : r->height;
  int32_t step = fx_step_size(r->speed, extent, 70, 30, 200);
  if (step > extent / 2) step = columns ? 1 : extent / 2;
  r->speed = step;
  r->frames = fx_step_count(extent - step - 1, step + 1, 0);
  return 0;
}

void band(qmFXRequest* r, bool columns, int32_t at) {
  if (columns) fx_show_rect(r, at, 0, r->speed + 1, r->height);
  else fx_show_rect(r, 0, at, r->width, r->speed + 1);
}

// From the near edge (left, top) forwards.
int32_t forwards(qmFXRequest* r, int32_t* done, bool columns) {
  if (r->phase == 0) return setup(r, columns);
  if (r->phase == 2) return 0;  // sought by the driver's replay
  auto* s = static_cast<Reveal*>(r->priv);
  const int32_t extent = columns ? r->width : r->height, step = r->speed;
  if (r->frame == 0) s->pos = 0;
  fx_layer_unhide(r);
  bool last = false;
  if (s->pos >= extent - step - 1) {
    s->pos = extent - step - 1;
    last = true;
  }
  band(r, columns, s->pos);
  s->pos += step + 1;
  fx_end_frame(r);
  ++r->frame;
  if (last) *done = 1;
  return 0;
}

// From the far edge (right, bottom) backwards.
int32_t backwards(qmFXRequest* r, int32_t* done, bool columns) {
  if (r->phase == 0) return setup(r, columns);
  if (r->phase == 2) return 0;
  auto* s = static_cast<Reveal*>(r->priv);
  const int32_t extent = columns ? r->width : r->height, step = r->speed;
  if (r->frame == 0) s->pos = extent - 1;
  fx_layer_unhide(r);
  bool last = false;
  if (s->pos <= step) {
    s->pos = step;
    last = true;
  }
  band(r, columns, s->pos - step);
  s->pos -= step + 1;
  fx_end_frame(r);
  ++r->frame;
  if (last) *done = 1;
  return 0;
}

}  // namespace

int32_t fx_revealleft(qmFXRequest* r, int32_t* done) { return forwards(r, done, true); }
int32_t fx_revealright(qmFXRequest* r, int32_t* done) { return backwards(r, done, true); }
int32_t fx_revealtop(qmFXRequest* r, int32_t* done) { return forwards(r, done, false); }
int32_t fx_revealbottom(qmFXRequest* r, int32_t* done) { return backwards(r, done, false); }

}  // namespace qm
