// RECT and RECTBACK: the new picture shows through a rectangle of the object's own aspect ratio.
// RECT grows it from a side, a corner or the centre until it covers the object; RECTBACK shrinks a
// rectangle of the old picture towards the opposite side, corner or centre and paints the new
// picture around it. The direction names where the new picture shows first; a hide runs the other
// family of the same direction. Each frame paints only the strips between the last rectangle and
// this one, at their own place of the picture.
#include <algorithm>

#include "engine/errcodes.h"
#include "fx/steps.h"

namespace qm {

namespace {

struct RectState {
  int32_t s;       // the rectangle's length along the longer side
  int32_t px, py;  // RECTBACK: where the previous frame's rectangle stood
};

// Where a rectangle sits along one axis.
enum Anchor : int32_t { kNear, kMiddle, kFar };

struct Anchors {
  Anchor x, y;
};

// RECT's anchors by the id's place (centre, north, north-east, east, south-east, south,
// south-west, west, north-west); RECTBACK anchors at the opposite side.
constexpr Anchors kRectAnchors[9] = {
    {kMiddle, kMiddle}, {kMiddle, kNear}, {kFar, kNear},  {kFar, kMiddle},  {kFar, kFar},
    {kMiddle, kFar},    {kNear, kFar},    {kNear, kMiddle}, {kNear, kNear},
};

Anchor opposite(Anchor a) { return a == kNear ? kFar : a == kFar ? kNear : kMiddle; }

struct Box {
  int32_t x, y, w, h;
};

int32_t longer(const qmFXRequest* r) { return std::max(r->width, r->height); }

// The rectangle of length n: n along the longer axis (the width when both are equal), the other
// side trunc(n x ratio + 1), at least 1.
Box sized(const qmFXRequest* r, int32_t n) {
  const int32_t w = r->width, h = r->height, l = longer(r);
  const double ratio = double(std::min(w, h)) / double(l);
  const int32_t other = std::max(int32_t(double(n) * ratio + 1.0), 1);
  return w < h ? Box{0, 0, other, n} : Box{0, 0, n, other};
}

// Places the rectangle inside the object. A centred axis whose remainder is odd widens the
// rectangle by a pixel after the offset is taken when asked (RECT), so that it stays symmetric.
void place(const qmFXRequest* r, Box& b, Anchors a, bool widen) {
  auto along = [&](Anchor anchor, int32_t extent, int32_t& size) {
    if (anchor == kNear) return 0;
    if (anchor == kFar) return extent - size;
    const int32_t at = (extent - size) / 2;
    if (widen && (extent - size) % 2 != 0) ++size;
    return at;
  };
  b.x = along(a.x, r->width, b.w);
  b.y = along(a.y, r->height, b.h);
}

int32_t setup(qmFXRequest* r, bool back) {
  auto* s = static_cast<RectState*>(fx_priv_alloc(r, sizeof(RectState)));
  if (!s) return ERR_MEM;
  const int32_t l = longer(r);
  int32_t step = fx_step_size(r->speed, l, 70, 30, 200);
  // A step too large for a ring falls back to a pixel, it is not cut to a quarter.
  if (step < 1 || step > l / 4) step = 1;
  r->speed = step;
  s->s = back ? l - step : step;
  r->frames = fx_step_count(l - step, step, 0);
  return 0;
}

void strip(qmFXRequest* r, int32_t x, int32_t y, int32_t w, int32_t h) { fx_show_rect(r, x, y, w, h); }

// The ring between the previous rectangle (p) and the new one (n), which contains it.
void paint_ring(qmFXRequest* r, int32_t id, const Box& n, const Box& p) {
  const int32_t dw = n.w - p.w, dh = n.h - p.h;
  const int32_t dw2 = dw / 2, dh2 = dh / 2, dw2c = dw - dw / 2, dh2c = dh - dh / 2;
  switch (id) {
    case 0:  // centre
      strip(r, n.x, n.y, dw2, n.h);
      strip(r, n.x + dw2, n.y + dh2 + p.h, n.w - dw2, dh2c);
      strip(r, n.x + dw2, n.y, n.w - dw2, dh2);
      strip(r, n.x + dw2 + p.w, n.y + dh2, dw2c, p.h);
      break;
    case 1:  // north
    case 5:  // south
      strip(r, n.x, n.y, dw2, n.h);
      strip(r, n.x + dw2 + p.w, n.y, dw2c, n.h);
      strip(r, n.x + dw2, id == 1 ? n.y + p.h : n.y, p.w, dh);
      break;
    case 3:  // east
    case 7:  // west
      strip(r, n.x, n.y, n.w, dh2);
      strip(r, n.x, n.y + dh2 + p.h, n.w, dh2c);
      strip(r, id == 3 ? n.x : n.x + p.w, n.y + dh2, dw, p.h);
      break;
    case 2:  // north-east
      strip(r, n.x, n.y, dw, n.h);
      strip(r, n.x + n.w - p.w, n.y + p.h, p.w, dh);
      break;
    case 4:  // south-east
      strip(r, n.x, n.y, dw, n.h);
      strip(r, n.x + dw, n.y, p.w, dh);
      break;
    case 6:  // south-west
      strip(r, n.x, n.y, n.w, dh);
      strip(r, n.x + p.w, n.y + n.h - p.h, dw, p.h);
      break;
    default:  // north-west
      strip(r, n.x, n.y + p.h, n.w, dh);
      strip(r, n.x + p.w, n.y, dw, p.h);
      break;
  }
}

// The part of the previous rectangle (p) that the new one (n) no longer covers. Strips measured
// from the previous corner to the new one are a pixel longer than the gap, so that they overlap
// the new rectangle's border.
void paint_uncovered(qmFXRequest* r, int32_t id, const Box& n, const Box& p) {
  const int32_t gap_y = n.y - p.y + 1, gap_x = n.x - p.x + 1;
  switch (id) {
    case 0:  // centre
    case 7:  // right edge, centred (RECTBACKWEST)
      strip(r, p.x, p.y, p.w, gap_y);
      strip(r, p.x, n.y, gap_x, n.h);
      strip(r, p.x, n.y + n.h, p.w, gap_y);
      if (id == 0) strip(r, n.x + n.w, n.y, gap_x, n.h);
      break;
    case 1:  // bottom edge, centred
      strip(r, p.x, p.y, p.w, p.h - n.h);
      strip(r, p.x, n.y, gap_x, n.h);
      strip(r, n.x + n.w, n.y, gap_x, n.h);
      break;
    case 2:  // bottom-left corner
    case 3:  // left edge, centred
      strip(r, p.x, p.y, p.w, gap_y);
      strip(r, p.x + n.w, n.y, p.w - n.w, n.h);
      if (id == 3) strip(r, p.x, n.y + n.h, p.w, gap_y);
      break;
    case 4:  // top-left corner
      strip(r, 0, n.h, p.w, p.h - n.h);
      strip(r, n.w, 0, p.w - n.w, p.h);
      break;
    case 5:  // top edge, centred
    case 6:  // top-right corner
      strip(r, p.x, p.y, gap_x, p.h);
      strip(r, n.x, p.y + n.h, n.w, p.h - n.h);
      if (id == 5) strip(r, n.x + n.w, p.y, gap_x, p.h);
      break;
    default:  // bottom-right corner
      strip(r, p.x, p.y, p.w, p.h - n.h);
      strip(r, p.x, p.y, p.w - n.w, p.h);
      break;
  }
}

}  // namespace

int32_t fx_rect_step(qmFXRequest* r, int32_t* done) {
  if (r->phase == 0) return setup(r, false);
  if (r->phase == 2) return 0;  // sought by the driver's replay
  auto* st = static_cast<RectState*>(r->priv);
  const int32_t id = r->effect - 38, step = r->speed, l = longer(r);
  if (r->frame == 0) st->s = step;
  fx_layer_unhide(r);
  int32_t s = st->s;
  Box n{};
  if (l > s) {
    n = sized(r, s);
    place(r, n, kRectAnchors[id], true);
  } else {
    // The last ring reaches from two steps back to the whole object.
    *done = 1;
    s -= step;
    n = Box{0, 0, r->width, r->height};
  }
  Box p = sized(r, s - step);
  st->s = s + step;
  paint_ring(r, id, n, p);
  fx_end_frame(r);
  ++r->frame;
  return 0;
}

int32_t fx_rectback_step(qmFXRequest* r, int32_t* done) {
  if (r->phase == 0) return setup(r, true);
  if (r->phase == 2) return 0;
  auto* st = static_cast<RectState*>(r->priv);
  const int32_t id = r->effect - 88, step = r->speed, l = longer(r);
  if (r->frame == 0) st->s = l - step, st->px = 0, st->py = 0;
  fx_layer_unhide(r);
  const int32_t s = st->s;
  const Anchors a{opposite(kRectAnchors[id].x), opposite(kRectAnchors[id].y)};
  Box n{};
  if (s < 1) *done = 1;
  else n = sized(r, s);
  place(r, n, a, false);
  Box p = sized(r, s + step);
  p.x = st->px, p.y = st->py;
  st->px = n.x;
  st->py = id == 4 ? n.y + n.h : n.y;
  st->s = s - step;
  paint_uncovered(r, id, n, p);
  fx_end_frame(r);
  ++r->frame;
  return 0;
}

}  // namespace qm
