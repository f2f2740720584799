// The flows: the new picture is uncovered band by band from one edge while the last uncovered line
// is stretched over the rest of the object, so that the picture seems to run like a liquid.
// HFLOWTOP and HFLOWBOTTOM work on rows from the top and the bottom edge, VFLOWLEFT and VFLOWRIGHT
// on columns. Directly drawn, a frame is composed in a work bitmap of the object's size first, so
// that the display never shows it half drawn. Every frame can be drawn from scratch (seeking).
#include <algorithm>

#include "engine/errcodes.h"
#include "fx/internal.h"
#include "fx/steps.h"
#include "layers/layers.h"

namespace qm {

namespace {

struct Flow {
  qmBitmap* work;  // direct mode only
  int32_t p;       // the edge of the uncovered part
};

struct Axis {
  bool rows;  // HFLOW: rows across the height
  bool far;   // from the bottom (right) edge
  int32_t extent;
};

Axis axis_of(const qmFXRequest* r) {
  const bool rows = r->effect == 70 || r->effect == 71;
  return Axis{rows, r->effect == 71 || r->effect == 73, rows ? r->height : r->width};
}

// Lines [from, from + count) of the new picture at the same lines: realtime into the effect image,
// directly into the work bitmap through the picture's mask or alpha.
void lines(qmFXRequest* r, Flow* f, const Axis& a, int32_t from, int32_t count, int32_t at) {
  if (count < 1 || from < 0) return;
  const int32_t w = a.rows ? r->width : count, h = a.rows ? count : r->height;
  const int32_t sx = a.rows ? 0 : from, sy = a.rows ? from : 0, dx = a.rows ? 0 : at, dy = a.rows ? at : 0;
  if (r->realtime && r->layer && r->layer->effect) {
    qmLayerEffect* e = r->layer->effect;
    fx_blit_rect(r->newpic, sx, sy, e->bitmap, e->mask, e->alpha, dx, dy, w, h, r->width, r->height, e->width,
                 e->height, r->mask, r->alpha, r, FXB_NOREFRESH | FXB_KEEPASYNC);
  } else {
    fx_compose_clipped(r->newpic, r->mask, r->alpha, sx, sy, f->work, dx, dy, w, h);
  }
}

// The flow: line `source` of the new picture repeated over [from, to).
void flow(qmFXRequest* r, Flow* f, const Axis& a, int32_t source, int32_t from, int32_t to) {
  if (source < 0) return;
  for (int32_t at = from; at < to; ++at) lines(r, f, a, source, 1, at);
}

// Direct mode: the part of the work bitmap that this frame drew, onto the display. A masked or
// translucent picture is drawn over the old picture in the work bitmap.
void begin_direct(qmFXRequest* r, Flow* f, const Axis& a, int32_t from, int32_t to) {
  if (!f->work || !r->oldpic || (!r->mask && !r->alpha) || to <= from) return;
  if (a.rows) fx_blit_clipped(r->oldpic, 0, from, f->work, 0, from, r->width, to - from, r->width, r->height, r->width, r->height);
  else fx_blit_clipped(r->oldpic, from, 0, f->work, from, 0, to - from, r->height, r->width, r->height, r->width, r->height);
}

void show_direct(qmFXRequest* r, Flow* f, const Axis& a, int32_t from, int32_t to) {
  if (!f->work || to <= from) return;
  if (a.rows) fx_put_rect(r, f->work, nullptr, nullptr, 0, from, r->width, to - from, 0, from, 0);
  else fx_put_rect(r, f->work, nullptr, nullptr, from, 0, to - from, r->height, from, 0, 0);
}

// The object as it stands with the edge at p: the uncovered part, and its last line stretched over
// the rest. Only lines [from, to) are drawn.
void draw_state(qmFXRequest* r, Flow* f, const Axis& a, int32_t p, int32_t from, int32_t to) {
  const int32_t e = a.extent;
  if (!a.far) {
    lines(r, f, a, from, std::min(p, to) - from, from);
    flow(r, f, a, p - 1, std::max(p, from), to);
  } else {
    // From the far edge the line just before the uncovered part runs over the lines above it.
    lines(r, f, a, std::max(p, from), std::min(e, to) - std::max(p, from), std::max(p, from));
    flow(r, f, a, p - 1, from, std::min(p, to));
  }
}

void clear_all(qmFXRequest* r) {
  if (!r->realtime || !r->layer || !r->layer->effect) return;
  qmLayerEffect* e = r->layer->effect;
  fx_blit_rect(nullptr, 0, 0, e->bitmap, e->mask, e->alpha, 0, 0, r->width, r->height, r->width, r->height, e->width,
               e->height, nullptr, nullptr, r, FXB_HIDE | FXB_NOREFRESH | (r->phase == 2 ? 0 : FXB_KEEPASYNC));
}

int32_t setup(qmFXRequest* r) {
  auto* f = static_cast<Flow*>(fx_priv_alloc(r, sizeof(Flow)));
  if (!f) return ERR_MEM;
  const Axis a = axis_of(r);
  if (!r->realtime) {
    f->work = fx_alloc_bitmap(r->width, r->height);
    if (!f->work) return ERR_MEM;
  }
  const bool rows = a.rows;
  // A step is at most 30, and never more than the object: the first band starts at its edge.
  r->speed = std::clamp(fx_step_size(r->speed, a.extent, rows ? 50 : 30, rows ? 20 : 10, rows ? 120 : 80), 1, 30);
  r->speed = std::max(std::min(r->speed, a.extent), 1);
  const int32_t step = r->speed;
  const bool forwards = a.far == (r->hide != 0);  // p runs up
  f->p = forwards ? step : a.extent - step;
  r->frames = r->hide ? fx_step_count(a.extent - 2 * step, step, 0) : fx_step_count(a.extent - step, step, 0);
  return 0;
}

}  // namespace

void fx_flow_free(qmFXRequest* r) {
  auto* f = static_cast<Flow*>(r->priv);
  if (!f) return;
  qmos_free_bitmap(f->work);
  f->work = nullptr;
}

int32_t fx_flow_step(qmFXRequest* r, int32_t* done) {
  if (r->phase == 0) return setup(r);
  if (r->phase != 1 && r->phase != 2) return 0;
  auto* f = static_cast<Flow*>(r->priv);
  const Axis a = axis_of(r);
  const int32_t e = a.extent, step = r->speed;
  // p runs up while a near flow shows or a far flow hides.
  const bool forwards = !a.far != (r->hide != 0);
  fx_layer_unhide(r);
  if (r->phase == 2) {
    const int32_t moved = int32_t(std::min<int64_t>(int64_t(r->frame) * step, e));
    f->p = forwards ? moved : e - moved;
  } else if (r->frame == 0) {
    f->p = forwards ? step : e - step;
  }
  int32_t& p = f->p;
  // The end: showing, the far edge reached; hiding, a step from the edge, and the object goes.
  bool last = false;
  if (!r->hide) {
    if (forwards && p >= e) p = e, last = true;
    if (!forwards && p < 1) p = 0, last = true;
  } else {
    if (!forwards && p <= step) p = step, last = true;
    if (forwards && p >= e - step) p = e - step, last = true;
  }
  if (r->phase == 2 && r->frame == 0 && r->hide) {
    // The start of a hide: the object whole.
    lines(r, f, a, 0, e, 0);
  } else if (r->hide && last) {
    clear_all(r);
  } else {
    // The lines this frame changes: from the band to the far side of the flow (all when seeking).
    int32_t from = 0, to = e;
    if (r->phase == 1) {
      if (!a.far) from = std::max(p - step, 0);
      else to = std::min(p + step, e);
    }
    begin_direct(r, f, a, from, to);
    draw_state(r, f, a, p, from, to);
    show_direct(r, f, a, from, to);
  }
  if (last) *done = 1;
  p = forwards ? int32_t(std::min<int64_t>(int64_t(p) + step, INT32_MAX)) : p - step;
  if (r->phase == 1) {
    fx_refresh_frame(r);
    ++r->frame;
  }
  return 0;
}

}  // namespace qm
