// The line effects: the new picture one pixel line at a time, first every second line and then
// the lines between. VLINES and HLINES draw one line a frame, VLINES2 and HLINES2 both passes at
// once; V draws columns, H rows. They keep their own pace: the speed has no effect.
#include <algorithm>

#include "engine/errcodes.h"
#include "fx/steps.h"

namespace qm {

namespace {

struct Lines {
  int32_t n;         // VLINES, HLINES: twice the lines drawn
  int32_t up, down;  // VLINES2, HLINES2: the next line of each pass
};

void line(qmFXRequest* r, bool columns, int32_t at) {
  if (columns) fx_show_rect(r, at, 0, 1, r->height);
  else fx_show_rect(r, 0, at, r->width, 1);
}

// Even lines forwards, then odd lines backwards.
int32_t lines(qmFXRequest* r, int32_t* done, bool columns) {
  const int32_t extent = columns ? r->width : r->height;
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(Lines))) return ERR_MEM;
    r->frames = fx_step_count(2 * extent, 2, 0);
    return 0;
  }
  if (r->phase == 2) return 0;  // sought by the driver's replay
  auto* s = static_cast<Lines*>(r->priv);
  if (r->frame == 0) s->n = 0;
  fx_layer_unhide(r);
  const bool last = s->n >= 2 * extent;
  line(r, columns, s->n < extent ? s->n : std::clamp(2 * extent - s->n + 1, 0, extent - 1));
  s->n += 2;
  fx_end_frame(r);
  ++r->frame;
  if (last) *done = 1;
  return 0;
}

// Both passes at once: even lines forwards, odd ones (from the last) backwards.
int32_t lines2(qmFXRequest* r, int32_t* done, bool columns) {
  const int32_t extent = columns ? r->width : r->height;
  const int32_t first_down = extent % 2 == 0 ? extent - 1 : extent - 2;
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(Lines))) return ERR_MEM;
    r->frames = fx_step_count(extent, 2, 0);
    return 0;
  }
  if (r->phase == 2) return 0;
  auto* s = static_cast<Lines*>(r->priv);
  if (r->frame == 0) s->up = 0, s->down = first_down;
  fx_layer_unhide(r);
  const bool last = s->up >= extent;
  s->down = std::max(s->down, 0);
  s->up = std::min(s->up, extent - 1);
  line(r, columns, s->up);
  line(r, columns, s->down);
  s->up += 2;
  s->down -= 2;
  fx_end_frame(r);
  ++r->frame;
  if (last) *done = 1;
  return 0;
}

}  // namespace

int32_t fx_vlines2(qmFXRequest* r, int32_t* done) { return lines2(r, done, true); }
int32_t fx_hlines2(qmFXRequest* r, int32_t* done) { return lines2(r, done, false); }
int32_t fx_hlines(qmFXRequest* r, int32_t* done) { return lines(r, done, false); }
int32_t fx_vlines(qmFXRequest* r, int32_t* done) { return lines(r, done, true); }

}  // namespace qm
