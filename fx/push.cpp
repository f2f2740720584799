// Two-picture effects that move whole pictures or their halves: PUSH (the new picture pushes the
// old one out), the gates (the new picture's halves close over the old one, or the old one's halves
// open like a gate), SLIDE (the old picture slides out over a plain colour, then the new one slides
// in) and CARD (the object cut at a moving row, a band of each picture either side). They draw at
// the object's own origin and seek by drawing the frame from scratch.
#include <algorithm>

#include "engine/errcodes.h"
#include "fx/steps.h"

namespace qm {

namespace {

// The distance after `frame` frames of `step`, kept within `limit`.
int32_t distance_at(int32_t frame, int32_t step, int32_t limit) {
  return int32_t(std::min<int64_t>(int64_t(frame) * step, limit));
}

// Every frame: the layer takes part in recomposition, and an emulated picture is brought up to date.
int32_t begin_frame(qmFXRequest* r, int32_t redraw) {
  fx_layer_unhide(r);
  return r->bgpicemu ? fx_redraw_step(r, redraw) : 0;
}

void end_frame(qmFXRequest* r) {
  if (r->phase != 1) return;
  fx_refresh_frame(r);
  ++r->frame;
}

void put_new(qmFXRequest* r, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t dx, int32_t dy) {
  fx_put_rect(r, r->newpic, r->mask, r->alpha, sx, sy, w, h, dx, dy, 0);
}

void put_old(qmFXRequest* r, int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t dx, int32_t dy) {
  fx_put_rect(r, r->oldpic, nullptr, nullptr, sx, sy, w, h, dx, dy, 0);
}

// A band of rows (or of columns) of a picture: `count` lines from `from`, drawn at line `at`.
void band(qmFXRequest* r, bool fresh, bool rows, int32_t from, int32_t count, int32_t at) {
  if (count < 1 || from < 0) return;
  auto put = fresh ? put_new : put_old;
  if (rows) put(r, 0, from, r->width, count, 0, at);
  else put(r, from, 0, count, r->height, at, 0);
}

int32_t setup_step(qmFXRequest* r, int32_t extent, int32_t normal, int32_t fast, int32_t slow, int32_t cap) {
  r->speed = std::min(fx_step_size(r->speed, extent, normal, fast, slow), cap);
  return r->speed;
}

}  // namespace

// ---- PUSH --------------------------------------------------------------------------------------------

namespace {

struct Push {
  int32_t d;
};

}  // namespace

int32_t fx_push_step(qmFXRequest* r, int32_t* done) {
  const int32_t which = r->effect - 78;  // left, right, top, bottom
  const int32_t w = r->width, h = r->height, extent = which < 2 ? w : h;
  if (r->phase == 0) {
    auto* p = static_cast<Push*>(fx_priv_alloc(r, sizeof(Push)));
    if (!p) return ERR_MEM;
    p->d = setup_step(r, extent, 40, 10, 100, INT32_MAX);
    r->frames = fx_step_count(extent - r->speed, r->speed, 0);
    return 0;
  }
  if (r->phase != 1 && r->phase != 2) return 0;
  auto* p = static_cast<Push*>(r->priv);
  begin_frame(r, 3);
  if (r->phase == 2) p->d = distance_at(r->frame, r->speed, extent);
  if (p->d >= extent) {
    p->d = extent;
    *done = 1;
  }
  const int32_t d = p->d;
  const int32_t nx[4] = {d - w, w - d, 0, 0}, ny[4] = {0, 0, d - h, h - d};
  const int32_t ox[4] = {d, -d, 0, 0}, oy[4] = {0, 0, d, -d};
  put_new(r, 0, 0, w, h, nx[which], ny[which]);
  put_old(r, 0, 0, w, h, ox[which], oy[which]);
  p->d = int32_t(std::min<int64_t>(int64_t(d) + r->speed, INT32_MAX));
  end_frame(r);
  return 0;
}

// ---- the gates ---------------------------------------------------------------------------------------

namespace {

struct Gate {
  int32_t b;  // CLOSEGATE: the lower half's top line; OPENGATE: where the old lower half starts
  int32_t t;  // CLOSEGATE: the upper half's bottom line; OPENGATE: where the old upper half ends
};

}  // namespace

// The new picture's halves close in from both edges over the old one.
int32_t fx_closegate_step(qmFXRequest* r, int32_t* done) {
  const bool rows = r->effect == 75;  // HCLOSEGATE works on rows, VCLOSEGATE on columns
  const int32_t extent = rows ? r->height : r->width, half = extent / 2;
  if (r->phase == 0) {
    auto* g = static_cast<Gate*>(fx_priv_alloc(r, sizeof(Gate)));
    if (!g) return ERR_MEM;
    setup_step(r, extent, 80, 30, 200, INT32_MAX);
    g->t = r->speed;
    g->b = extent - r->speed;
    r->frames = fx_step_count(half - r->speed, r->speed, 0);
    // The effect image starts as the old picture, which the halves then cover.
    if (r->realtime) put_old(r, 0, 0, r->width, r->height, 0, 0);
    return 0;
  }
  if (r->phase != 1 && r->phase != 2) return 0;
  auto* g = static_cast<Gate*>(r->priv);
  const int32_t redrawn = begin_frame(r, 3);
  if (r->phase == 2) {
    put_old(r, 0, 0, r->width, r->height, 0, 0);
    g->t = distance_at(r->frame, r->speed, extent);
    g->b = extent - g->t;
  }
  if (g->b <= extent - half || g->t >= half) g->b = extent - half, g->t = half;
  // An emulated old picture that changed is drawn again between the halves.
  if (redrawn & 1) band(r, false, rows, g->t, g->b - g->t + 1, g->t);
  if (g->b == extent - half && g->t == half) {
    *done = 1;
    put_new(r, 0, 0, r->width, r->height, 0, 0);
  } else {
    band(r, true, rows, 0, half, g->t - half);
    band(r, true, rows, half, extent - half, g->b);
  }
  g->t += r->speed;
  g->b -= r->speed;
  end_frame(r);
  return 0;
}

// The old picture opens in the middle and its halves move apart to the edges.
int32_t fx_opengate_step(qmFXRequest* r, int32_t* done) {
  const bool rows = r->effect == 74;  // HOPENGATE works on rows, VOPENGATE on columns
  const int32_t extent = rows ? r->height : r->width, middle = extent / 2 + extent % 2;
  if (r->phase == 0) {
    auto* g = static_cast<Gate*>(fx_priv_alloc(r, sizeof(Gate)));
    if (!g) return ERR_MEM;
    setup_step(r, extent, 80, 30, 200, INT32_MAX);
    g->t = middle - r->speed;
    g->b = extent - middle + r->speed;
    r->frames = fx_step_count(g->t, r->speed, 0);
    return 0;
  }
  if (r->phase != 1 && r->phase != 2) return 0;
  auto* g = static_cast<Gate*>(r->priv);
  const int32_t step = r->speed;
  bool full = r->phase == 2;
  if (begin_frame(r, 3) & 2) full = true;
  if (r->phase == 2) {
    const int32_t moved = distance_at(r->frame, step, extent);
    g->t = middle - moved;
    g->b = extent - middle + moved;
  }
  if (g->b >= extent || g->t < 1) {
    g->b = extent, g->t = 0;
    *done = 1;
  }
  if (full) band(r, true, rows, g->t, g->b - g->t + 1, g->t);
  band(r, false, rows, 0, extent / 2, g->t - extent / 2);
  if (!full) {
    band(r, true, rows, g->t, step, g->t);
    band(r, true, rows, std::max(g->b - step, 0), std::min(step, g->b), std::max(g->b - step, 0));
  }
  band(r, false, rows, extent / 2, extent - extent / 2, g->b);
  g->t -= step;
  g->b += step;
  end_frame(r);
  return 0;
}

// ---- SLIDE -------------------------------------------------------------------------------------------

namespace {

struct Slide {
  int32_t d;
  int32_t px, py;  // where the moving picture stood in the previous frame
};

}  // namespace

int32_t fx_slide_step(qmFXRequest* r, int32_t* done) {
  const int32_t which = r->effect - 101;  // left, right, top, bottom
  const int32_t w = r->width, h = r->height, extent = which < 2 ? w : h;
  if (r->phase == 0) {
    auto* s = static_cast<Slide*>(fx_priv_alloc(r, sizeof(Slide)));
    if (!s) return ERR_MEM;
    if (r->parameter == FX_RANDOMPARAMETER) r->parameter = 0;
    s->d = setup_step(r, extent, 60, 30, 120, 30);
    r->frames = fx_step_count(2 * extent - r->speed, r->speed, 0);
    return 0;
  }
  if (r->phase != 1 && r->phase != 2) return 0;
  auto* s = static_cast<Slide*>(r->priv);
  const uint32_t colour = uint32_t(r->parameter) & 0xFFFFFF;
  const int32_t step = r->speed;
  begin_frame(r, s->d > extent ? 2 : 3);
  if (r->phase == 2) {
    fx_fill_rect(r, 0, 0, w, h, colour, FXB_NOREFRESH);
    s->d = distance_at(r->frame, step, 2 * extent);
  }
  if (s->d >= 2 * extent) {
    s->d = 2 * extent;
    *done = 1;
  }
  const int32_t d = s->d;
  int32_t x = 0, y = 0, vw = w, vh = h;
  switch (which) {
    case 0: x = d > w ? 2 * w - d : d, vw = w - x; break;
    case 1: x = d <= w ? -d : d - 2 * w, vw = d <= w ? w - d : w; break;
    case 2: y = d > h ? 2 * h - d : d, vh = h - y; break;
    default: y = d <= h ? -d : d - 2 * h, vh = d <= h ? h - d : h; break;
  }
  if (*done) {
    put_new(r, 0, 0, w, h, 0, 0);
  } else if (d <= extent) {
    // The old picture slides out: the strip it has just left takes the colour.
    if (r->phase == 1) {
      switch (which) {
        case 0: fx_fill_rect(r, s->px, s->py, step, h, colour, FXB_NOREFRESH); break;
        case 1: fx_fill_rect(r, w - d, 0, step, h, colour, FXB_NOREFRESH); break;
        case 2: fx_fill_rect(r, s->px, s->py, w, step, colour, FXB_NOREFRESH); break;
        default: fx_fill_rect(r, 0, h - d, w, step, colour, FXB_NOREFRESH); break;
      }
    }
    if (vw > 0 && vh > 0) put_old(r, 0, 0, w, h, x, y);
  } else {
    // What the old picture left in the previous frame goes when the new one comes in.
    if (r->phase == 1 && d - step <= extent) fx_fill_rect(r, s->px, s->py, w, h, colour, FXB_NOREFRESH);
    if (vw > 0 && vh > 0) put_new(r, 0, 0, w, h, x, y);
  }
  s->px = x, s->py = y;
  s->d = int32_t(std::min<int64_t>(int64_t(d) + step, INT32_MAX));
  end_frame(r);
  return 0;
}

// ---- CARD --------------------------------------------------------------------------------------------

namespace {

struct Card {
  int32_t d;
};

}  // namespace

int32_t fx_card_step(qmFXRequest* r, int32_t* done) {
  const bool top = r->effect == 111;
  const int32_t h = r->height;
  if (r->phase == 0) {
    auto* c = static_cast<Card*>(fx_priv_alloc(r, sizeof(Card)));
    if (!c) return ERR_MEM;
    c->d = setup_step(r, std::max(r->width, h), 60, 30, 120, 30);
    r->frames = fx_step_count(h - r->speed, r->speed, 0);
    return 0;
  }
  if (r->phase != 1 && r->phase != 2) return 0;
  auto* c = static_cast<Card*>(r->priv);
  begin_frame(r, 3);
  if (r->phase == 2) c->d = distance_at(r->frame, r->speed, h);
  if (c->d >= h) {
    c->d = h;
    *done = 1;
  }
  const int32_t d = c->d, a = d < h / 2 ? d : h - d;
  // The first band stands at the top, the second right below it.
  int32_t first_h = 0, first_from = 0, second_from = 0;
  if (top == (d < h / 2)) {
    first_h = a, first_from = a, second_from = 0;
  } else {
    // On an odd height the turn comes half a row early: the band keeps its place and height.
    first_h = h - a, first_from = a, second_from = std::max(h - 2 * a, 0);
  }
  band(r, top, true, first_from, first_h, 0);
  band(r, !top, true, second_from, h - first_h, first_h);
  c->d = int32_t(std::min<int64_t>(int64_t(d) + r->speed, INT32_MAX));
  end_frame(r);
  return 0;
}

}  // namespace qm
