// The curtains: VOPENCURTAIN and HOPENCURTAIN open the new picture from its centre line outwards,
// VCLOSECURTAIN and HCLOSECURTAIN close it in from both edges. V works on columns across the width,
// H on rows across the height; a hide runs the opposite one.
#include <algorithm>

#include "engine/errcodes.h"
#include "fx/steps.h"

namespace qm {

namespace {

struct Curtain {
  int32_t low, high;  // the next column (row) of each moving edge
};

// A band of the new picture across the picture, at `at` along the extent.
void band(qmFXRequest* r, bool columns, int32_t at, int32_t thickness) {
  if (columns) fx_show_rect(r, at, 0, thickness, r->height);
  else fx_show_rect(r, 0, at, r->width, thickness);
}

int32_t open_curtain(qmFXRequest* r, int32_t* done, bool columns) {
  const int32_t extent = columns ? r->width : r->height;
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(Curtain))) return ERR_MEM;
    r->speed = std::min(fx_step_size(r->speed, extent, 140, 60, 320), extent / 4);
    r->frames = fx_step_count(extent - r->speed - (extent / 2 - 1) - 1, r->speed + 1, 0);
    return 0;
  }
  if (r->phase == 2) return 0;  // sought by the driver's replay
  auto* c = static_cast<Curtain*>(r->priv);
  const int32_t step = r->speed;
  if (r->frame == 0) c->low = extent / 2, c->high = extent / 2 - 1;
  fx_layer_unhide(r);
  bool last = false;
  if (c->high >= extent - step - 1) {
    c->high = extent - step - 1;
    last = true;
  }
  if (c->low - step < 0) c->low = step;
  band(r, columns, c->high, step + 1);
  band(r, columns, c->low - step, step + 1);
  c->low -= step + 1;
  c->high += step + 1;
  fx_end_frame(r);
  ++r->frame;
  if (last) *done = 1;
  return 0;
}

int32_t close_curtain(qmFXRequest* r, int32_t* done, bool columns) {
  const int32_t extent = columns ? r->width : r->height;
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(Curtain))) return ERR_MEM;
    r->speed = std::min(fx_step_size(r->speed, extent, 140, 60, 320), extent / 2);
    r->frames = fx_step_count(extent / 2, r->speed + 1, 0);
    return 0;
  }
  if (r->phase == 2) return 0;
  auto* c = static_cast<Curtain*>(r->priv);
  const int32_t step = r->speed;
  if (r->frame == 0) c->low = 0, c->high = extent - 1;
  fx_layer_unhide(r);
  bool last = false;
  if (c->low >= extent / 2) {
    c->low = extent / 2;
    last = true;
  }
  band(r, columns, c->low, step + 1);
  band(r, columns, c->high - step, step + 1);
  c->low += step + 1;
  c->high -= step + 1;
  fx_end_frame(r);
  ++r->frame;
  if (last) *done = 1;
  return 0;
}

}  // namespace

int32_t fx_vopencurtain(qmFXRequest* r, int32_t* done) { return open_curtain(r, done, true); }
int32_t fx_vclosecurtain(qmFXRequest* r, int32_t* done) { return close_curtain(r, done, true); }
int32_t fx_hopencurtain(qmFXRequest* r, int32_t* done) { return open_curtain(r, done, false); }
int32_t fx_hclosecurtain(qmFXRequest* r, int32_t* done) { return close_curtain(r, done, false); }

}  // namespace qm
