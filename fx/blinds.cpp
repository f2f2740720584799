// Blinds, BARS and QUARTERS: grid-like strip effects that uncover the new picture at its own place.
// Blinds open every slat of a fixed size at once; BARS grows thin columns in each 16-pixel cell and
// then fills the cells with growing rows; QUARTERS wipes the left half down and the right half up,
// each half in two quarters.
#include <algorithm>

#include "engine/errcodes.h"
#include "fx/internal.h"
#include "fx/steps.h"

namespace qm {

namespace {

constexpr int32_t kBarCell = 16;
constexpr int32_t kBarLast = 23;  // the cell counter's end: columns up to 8, then rows 2 to 16 high

struct Blinds {
  int32_t slat;
  int32_t pos;
};

struct Bars {
  int32_t cell;
};

struct Quarters {
  int32_t pos;
};

// Blinds across the extent (the width for VBLINDS): slats of 8 to 128 by the id's place in its row.
int32_t blinds(qmFXRequest* r, int32_t* done, int32_t first_id, bool columns) {
  const int32_t extent = columns ? r->width : r->height;
  const int32_t across = columns ? r->height : r->width;
  if (r->phase == 0) {
    auto* b = static_cast<Blinds*>(fx_priv_alloc(r, sizeof(Blinds)));
    if (!b) return ERR_MEM;
    b->slat = 8 << (r->effect - first_id);
    r->speed = std::clamp(fx_step_size(r->speed, b->slat, 8, 3, 20), 1, b->slat / 2);
    b->pos = r->speed;
    r->frames = fx_step_count(b->slat - r->speed, r->speed, 0);
    return 0;
  }
  if (r->phase == 2) return 0;  // sought by the driver's replay
  auto* b = static_cast<Blinds*>(r->priv);
  const int32_t step = r->speed;
  if (r->frame == 0) b->pos = step;
  fx_layer_unhide(r);
  bool last = false;
  if (b->pos >= b->slat) {
    b->pos = b->slat;
    last = true;
  }
  // One more slat than fit: the last covers what remains of the extent.
  FxShowBatch slats(r);
  for (int64_t at = b->pos - step; at < extent; at += b->slat) {
    if (columns) slats.add(int32_t(at), 0, step, across);
    else slats.add(0, int32_t(at), across, step);
  }
  slats.show();
  b->pos += step;
  fx_end_frame(r);
  ++r->frame;
  if (last) *done = 1;
  return 0;
}

}  // namespace

int32_t fx_hblinds(qmFXRequest* r, int32_t* done) { return blinds(r, done, 14, false); }
int32_t fx_vblinds(qmFXRequest* r, int32_t* done) { return blinds(r, done, 19, true); }

int32_t fx_bars(qmFXRequest* r, int32_t* done) {
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(Bars))) return ERR_MEM;
    // The pace is the cell's, whatever the picture's size.
    r->speed = std::min(fx_step_size(r->speed, kBarCell, 16, 8, 40), 8);
    r->frames = fx_step_count(kBarLast, r->speed + 1, 0);
    return 0;
  }
  if (r->phase == 2) return 0;
  auto* b = static_cast<Bars*>(r->priv);
  const int32_t w = r->width, h = r->height;
  if (r->frame == 0) b->cell = 0;
  fx_layer_unhide(r);
  bool last = false;
  if (b->cell > kBarLast - 1) {
    b->cell = kBarLast;
    last = true;
  }
  FxShowBatch bars(r);
  if (b->cell < 9) {
    for (int32_t j = 0; j < w / kBarCell; ++j) bars.add(j * kBarCell, 0, b->cell + 1, h);
    if (w % kBarCell) bars.add(w / kBarCell * kBarCell, 0, w % kBarCell, h);
  } else {
    for (int32_t j = 0; j < h / kBarCell; ++j) bars.add(0, j * kBarCell, w, b->cell - 7);
    if (h % kBarCell) bars.add(0, h / kBarCell * kBarCell, w, h % kBarCell);
  }
  bars.show();
  b->cell += r->speed + 1;
  fx_end_frame(r);
  ++r->frame;
  if (last) *done = 1;
  return 0;
}

int32_t fx_quarters(qmFXRequest* r, int32_t* done) {
  const int32_t w = r->width, h = r->height, half_w = w / 2, half_h = h / 2;
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(Quarters))) return ERR_MEM;
    // The width sets the pace, a quarter of the height bounds it.
    r->speed = std::min(fx_step_size(r->speed, w, 70, 30, 200), h / 4);
    r->frames = fx_step_count(h - half_h - r->speed - 1, r->speed + 1, 0);
    return 0;
  }
  if (r->phase == 2) return 0;
  auto* q = static_cast<Quarters*>(r->priv);
  const int32_t step = r->speed, band = step + 1;
  if (r->frame == 0) q->pos = 0;
  fx_layer_unhide(r);
  bool last = false;
  const int32_t end = h - half_h - step - 1;
  if (q->pos >= end) {
    q->pos = end;
    last = true;
  }
  // The left half moves down, the right half (with an odd last column) moves up.
  const int32_t right_w = half_w + w % 2;
  fx_show_rect(r, 0, q->pos, half_w, band);
  fx_show_rect(r, 0, half_h + q->pos, half_w, band);
  fx_show_rect(r, half_w, h - q->pos - half_h - step - 1, right_w, band);
  fx_show_rect(r, half_w, h - q->pos - step - 1, right_w, band);
  q->pos += band;
  fx_end_frame(r);
  ++r->frame;
  if (last) *done = 1;
  return 0;
}

}  // namespace qm
