// TURN-DOWN: the object folds about its middle line like a page turned down. In the first half the
// new picture's near half grows over the old picture's near half, which is squeezed; in the second
// the new picture's far half unfolds over the old far half. TURNDOWNTOP and TURNDOWNBOTTOM fold
// rows, TURNDOWNLEFT and TURNDOWNRIGHT columns; each piece is the half of a picture scaled into its
// band. A two-picture effect, drawn at the object's origin.
#include <algorithm>

#include "engine/errcodes.h"
#include "fx/steps.h"

namespace qm {

namespace {

struct TurnDown {
  int32_t d;
};

// A piece of lines [from, from + count) of a picture scaled to `size` lines at line `at`, the
// whole object across; a piece never reaches past the object.
int32_t piece(qmFXRequest* r, bool fresh, bool rows, int32_t from, int32_t count, int32_t at, int32_t size) {
  const int32_t extent = rows ? r->height : r->width;
  size = std::min(size, extent - at);
  if (count < 1 || size < 1) return 0;
  const qmBitmap* pic = fresh ? r->newpic : r->oldpic;
  const qmMask* mask = fresh ? r->mask : nullptr;
  const qmAlphaChannel* alpha = fresh ? r->alpha : nullptr;
  if (rows) return fx_put_scaled(r, pic, mask, alpha, 0, from, r->width, count, 0, at, r->width, size, 0);
  return fx_put_scaled(r, pic, mask, alpha, from, 0, count, r->height, at, 0, size, r->height, 0);
}

}  // namespace

int32_t fx_turndown_step(qmFXRequest* r, int32_t* done) {
  const int32_t which = r->effect - 128;  // top, bottom, left, right
  const bool rows = which < 2, near = which % 2 == 0;
  const int32_t extent = rows ? r->height : r->width, m = extent / 2;
  if (r->phase == 0) {
    auto* t = static_cast<TurnDown*>(fx_priv_alloc(r, sizeof(TurnDown)));
    if (!t || !fx_reserve_scaling(r, true)) return ERR_MEM;
    r->speed = fx_step_size(r->speed, extent, 60, 30, 120);
    t->d = r->speed;
    r->frames = fx_step_count(extent - r->speed, r->speed, 0);
    // The effect image starts as the old picture.
    if (r->realtime) fx_put_rect(r, r->oldpic, nullptr, nullptr, 0, 0, r->width, r->height, 0, 0, 0);
    return 0;
  }
  if (r->phase != 1 && r->phase != 2) return 0;
  auto* t = static_cast<TurnDown*>(r->priv);
  const int32_t step = r->speed, w = r->width, h = r->height;
  fx_layer_unhide(r);
  const int32_t redrawn = r->bgpicemu ? fx_redraw_step(r, 3) : 0;
  if (r->phase == 2) {
    // The frame drawn from scratch: the old picture, and past the middle the new near half.
    t->d = int32_t(std::min<int64_t>(int64_t(r->frame) * step, extent));
    fx_put_rect(r, r->oldpic, nullptr, nullptr, 0, 0, w, h, 0, 0, 0);
  }
  if (t->d >= extent) {
    t->d = extent;
    *done = 1;
  }
  const int32_t d = t->d, far_n = extent - m;  // the far half has m + 1 lines on an odd extent
  // The near half of a picture (rows 0..m-1 for TURNDOWNTOP), its far half, at their own place.
  const int32_t near_from = near ? 0 : m, near_n = near ? m : far_n;
  const int32_t far_from = near ? m : 0, far_count = near ? far_n : m;
  auto own = [&](bool fresh, int32_t from, int32_t count) { return piece(r, fresh, rows, from, count, from, count); };
  int32_t err = 0;
  if (r->phase == 2 && d > m && !*done) err = own(true, near_from, near_n);
  if (*done) {
    err = own(true, 0, extent);
  } else if (d <= m) {
    // The new near half grows from the edge, the old near half is squeezed between it and the middle.
    const int32_t a = d + step > m ? near_n : std::min(d, near_n);
    if (near) {
      if (!err) err = piece(r, true, rows, 0, m, 0, a);
      if (!err) err = piece(r, false, rows, 0, m, a, m - a);
    } else {
      if (!err) err = piece(r, true, rows, m, far_n, extent - a, a);
      if (!err) err = piece(r, false, rows, m, far_n, m, far_n - a);
    }
    if (!err && (redrawn & 1)) err = own(false, far_from, far_count);
  } else {
    // The new far half unfolds from the middle over the old far half.
    const int32_t a = d - m;
    if (near) err = piece(r, true, rows, m, far_n, m, a);
    else err = piece(r, true, rows, 0, m, extent - d, a);
    if (!err && (redrawn & 1)) {
      if (near) err = own(false, m + a, extent - m - a);
      else err = own(false, 0, extent - d);
    }
    if (!err && (redrawn & 2)) err = own(true, near_from, near_n);
  }
  t->d = int32_t(std::min<int64_t>(int64_t(d) + step, INT32_MAX));
  if (r->phase == 1) {
    fx_refresh_frame(r);
    ++r->frame;
  }
  return err;
}

}  // namespace qm
