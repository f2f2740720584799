// SUN, STAR and CLOCKWIPE: the picture comes in (or, for a hide, goes) through a growing polygon
// filled into a work mask: a centred ellipse, a centred five-pointed star, a hand sweeping once
// around the picture from twelve o'clock. The mask keeps what earlier frames filled; each frame
// puts on the display only the rows and columns around what its polygon added to it.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/errcodes.h"
#include "fx/planes.h"
#include "fx/steps.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"

namespace qm {

namespace {

struct Box {
  int32_t x, y, w, h;
};

// The work planes and the clipping buffers of a polygon of up to `capacity` points: each of the
// four clipping passes may double the count.
struct PolyWork {
  FxWork work;  // bitmap (direct), mask, alpha (a picture with alpha that shows)
  qmPoint* a;
  qmPoint* b;
  int32_t* scratch;
  int32_t capacity;
  qmMask* drawn;  // the mask as the display shows it: as it stood when its pixels were last drawn
};

bool poly_alloc(qmFXRequest* r, PolyWork& p, int32_t points) {
  const size_t room = size_t(points) * 16;
  p.capacity = points;
  p.a = fx_alloc_array<qmPoint>(room);
  p.b = fx_alloc_array<qmPoint>(room);
  p.scratch = fx_alloc_array<int32_t>(room);
  if (!p.a || !p.b || !p.scratch) return false;
  if (!fx_work_alloc(r, p.work, !r->realtime, true, r->alpha && !fx_hiding(r))) return false;
  if (!(p.drawn = fx_alloc_mask(r->width, r->height, 1))) return false;
  qmos_mask_rect_op(p.drawn, 0, 0, r->width, r->height, MASKINVISIBLE);
  return true;
}

void poly_free(PolyWork& p) {
  fx_work_free(p.work);
  std::free(p.a);
  std::free(p.b);
  std::free(p.scratch);
  qmos_free_mask(p.drawn);
}

// Clips the polygon to the picture and, unless dry, fills it into the work mask. The box of what
// is left (empty when nothing is); *corners: every point left is a corner of the picture.
Box poly_fill(const qmFXRequest* r, PolyWork& p, const qmPoint* points, int32_t n, bool dry,
              bool* corners) {
  const int32_t right = r->width - 1, bottom = r->height - 1;
  n = std::min(n, p.capacity);
  n = polygon_clip_edge(n, points, p.a, 0, 0);
  n = polygon_clip_edge(n, p.a, p.b, 0, 1);
  n = polygon_clip_edge(n, p.b, p.a, right, 2);
  n = polygon_clip_edge(n, p.a, p.b, bottom, 3);
  int32_t x0 = right, y0 = bottom, x1 = 0, y1 = 0;
  bool all_corners = true;
  for (int32_t i = 0; i < n; ++i) {
    const qmPoint q = p.b[i];
    x0 = std::min(x0, q.x), y0 = std::min(y0, q.y), x1 = std::max(x1, q.x), y1 = std::max(y1, q.y);
    all_corners = all_corners && (q.x == 0 || q.x == right) && (q.y == 0 || q.y == bottom);
  }
  if (corners) *corners = all_corners;
  if (n == 0) return {0, 0, 0, 0};
  if (!dry) {
    polygon_fill_plane(p.work.mask, p.b, n, p.scratch);
    qmos_gfx_flush();
  }
  return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

// The work mask over the whole picture: the end of every polygon effect.
Box poly_whole(const qmFXRequest* r, PolyWork& p) {
  qmos_mask_rect_op(p.work.mask, 0, 0, r->width, r->height, MASKVISIBLE);
  return {0, 0, r->width, r->height};
}

// What the mask holds, for the box: a realtime hide takes it out of the layer's visibility; a show
// draws the picture through it, limited to the picture's own mask or alpha.
void poly_show(qmFXRequest* r, PolyWork& p, const Box& b) {
  if (b.w < 1 || b.h < 1) return;
  qmLayerEffect* e = fx_image(r);
  if (e && fx_hiding(r)) {
    if (e->alpha)
      fx_mask_to_alpha(p.work.mask, r->alpha, e->alpha, b.x, b.y, b.w, b.h, 1);
    else if (e->mask)
      qmos_blit_mask_bits(p.work.mask, b.x, b.y, e->mask, b.x, b.y, b.w, b.h, MASKINVISIBLE);
    return;
  }
  if (r->realtime && !e) return;
  const qmMask* mask = p.work.mask;
  const qmAlphaChannel* alpha = nullptr;
  if (r->mask) {
    qmos_blit_mask_bits(r->mask, b.x, b.y, p.work.mask, b.x, b.y, b.w, b.h, MASKAND);
  } else if (r->alpha && p.work.alpha) {
    fx_mask_to_alpha(p.work.mask, r->alpha, p.work.alpha, b.x, b.y, b.w, b.h, 0);
    mask = nullptr, alpha = p.work.alpha;
  }
  fx_blit3_at(r, r->newpic, b.x, b.y, b.w, b.h, mask, alpha, p.work.bitmap,
              FXB_KEEPASYNC | FXB_NOREFRESH);
}

// A realtime layer changed only inside the frame's rectangles, so only they are put on screen (a
// full-screen layer recomposed whole would cost more than the fill).
void poly_refresh_rect(qmFXRequest* r, const Box& b) {
  qmLayerEffect* e = fx_image(r);
  if (e && !r->quiet && !r->full_redraw && b.w >= 1 && b.h >= 1)
    fx_refresh_layer_rect(r, e->bitmap, b.x, b.y, r->x + b.x, r->y + b.y, b.w, b.h, e->width,
                          e->height, e->mask, e->alpha, 0);
}

// A redraw starts from the effect's first state: nothing of a show, all of a hide.
void poly_reset(qmFXRequest* r, PolyWork& p) {
  const int32_t w = r->width, h = r->height;
  qmos_mask_rect_op(p.work.mask, 0, 0, w, h, MASKINVISIBLE);
  if (p.work.alpha) alpha_fill_rect(p.work.alpha, 0, 0, w, h, 0);
  if (qmLayerEffect* e = fx_image(r)) {
    const bool hiding = fx_hiding(r);
    fx_blit_rect(r->newpic, 0, 0, e->bitmap, e->mask, e->alpha, 0, 0, w, h, w, h, e->width,
                 e->height, hiding ? r->mask : nullptr, hiding ? r->alpha : nullptr, r,
                 FXB_NOREFRESH | (hiding ? 0 : FXB_HIDE));
  } else if (!r->realtime) {
    fx_blit3_at(r, r->oldpic, 0, 0, w, h, nullptr, nullptr, nullptr, 0);
  }
}

Box box_union(const Box& a, const Box& b) {
  if (a.w < 1 || a.h < 1) return b;
  if (b.w < 1 || b.h < 1) return a;
  const int32_t x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  const int32_t x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
  return {x0, y0, x1 - x0, y1 - y0};
}

// Bands of rows in which a frame's changes are gathered: two rectangles a band stay well within
// what the display presents as separate rectangles.
constexpr int32_t kChangeBands = 24;

// The pixels of the box whose mask bits are set now but were clear when the display last showed
// them, as rectangles: each band's changed rows as one rectangle, or as the two beside a middle
// that every changed row of the band leaves unchanged (the ring that a growing shape adds).
// Drawing a pixel whose bit has not changed draws it again as it stands, so a rectangle may hold
// more than the change. Returns the count, at most 2 x kChangeBands.
int32_t poly_changes(const PolyWork& p, const Box& box, Box* out) {
  const qmMask* m = p.work.mask;
  const int32_t bpr = m->bytes_per_row, band = std::max(1, (box.h + kChangeBands - 1) / kChangeBands);
  const int32_t y1 = box.y + box.h - 1, left = box.x, right = box.x + box.w - 1;
  const int32_t from = left >> 3, to = right >> 3;
  // The bits of the first and last bytes that lie inside the box.
  const uint32_t first_bits = 0xFFu >> (left & 7), last_bits = (0xFF00u >> ((right & 7) + 1)) & 0xFFu;
  int32_t n = 0;
  for (int32_t top = box.y; top <= y1; top += band) {
    int32_t lo = INT32_MAX, hi = -1, gap_lo = INT32_MIN, gap_hi = INT32_MAX, first_row = -1, last_row = -1;
    for (int32_t y = top; y <= std::min(y1, top + band - 1); ++y) {
      const uint8_t* now = m->data + ptrdiff_t(y) * bpr;
      const uint8_t* was = p.drawn->data + ptrdiff_t(y) * bpr;
      // The row's first and last changed pixels and the widest unchanged run between them.
      int32_t first = -1, last = -1, g0 = 0, g1 = -1;
      auto take = [&](int32_t i) {
        uint32_t c = uint32_t(now[i] & ~was[i]) & 0xFFu;
        if (i == from) c &= first_bits;
        if (i == to) c &= last_bits;
        if (c == 0) return;
        const int32_t a = 8 * i + __builtin_clz(c) - 24, b = 8 * i + 7 - __builtin_ctz(c);
        if (first < 0) first = a;
        else if (a - last - 1 > g1 - g0 + 1) g0 = last + 1, g1 = a - 1;
        last = b;
      };
      int32_t i = from;
      for (; i + 8 <= to + 1; i += 8) {
        uint64_t a, b;
        std::memcpy(&a, now + i, 8);
        std::memcpy(&b, was + i, 8);
        if ((a & ~b) == 0) continue;
        for (int32_t k = i; k < i + 8; ++k) take(k);
      }
      for (; i <= to; ++i) take(i);
      if (first < 0) continue;
      if (first_row < 0) first_row = y;
      last_row = y;
      lo = std::min(lo, first), hi = std::max(hi, last);
      if (g1 < g0) g0 = 0, g1 = -1;
      gap_lo = std::max(gap_lo, g0), gap_hi = std::min(gap_hi, g1);
    }
    if (first_row < 0) continue;
    const int32_t h = last_row - first_row + 1;
    if (gap_lo <= gap_hi && gap_lo > lo && gap_hi < hi) {
      out[n++] = {lo, first_row, gap_lo - lo, h};
      out[n++] = {gap_hi + 1, first_row, hi - gap_hi, h};
    } else if (lo <= hi) {
      out[n++] = {lo, first_row, hi - lo + 1, h};
    }
  }
  return n;
}

// The speed of SUN and STAR: the larger side divided, at most 100.
int32_t grow_step(const qmFXRequest* r) {
  return std::min(fx_step_size(r->speed, std::max(r->width, r->height), 12, 6, 24), 100);
}

// The polygon effects' frame: phase 1 fills this frame's polygon (frame(i, dry) fills the i-th,
// 1-based, and answers the last) and draws, within the polygon's box, only what changed in the
// mask since the display last showed it; phase 2 starts again, fills every polygon up to `frame`
// and draws their box.
template <typename State, typename Frame>
int32_t poly_step(qmFXRequest* r, State* s, int32_t* done, Frame&& frame) {
  FxSeekQuiet quiet(r);
  fx_layer_unhide(r);
  PolyWork& p = s->poly;
  bool last = false;
  Box box{0, 0, 0, 0};
  if (r->phase == 2) {
    poly_reset(r, p);
    for (int32_t i = 1; i <= r->frame && !last; ++i) box = box_union(box, frame(i, &last));
  } else {
    box = frame(r->frame + 1, &last);
  }
  if (last) {
    box = poly_whole(r, p);
    *done = 1;
  }
  if (box.w < 1 || box.h < 1) box = {0, 0, 0, 0};
  if (r->phase == 2) {
    poly_show(r, p, box);
    qmos_mask_rect_op(p.drawn, 0, 0, r->width, r->height, MASKINVISIBLE);
    qmos_blit_mask_bits(p.work.mask, box.x, box.y, p.drawn, box.x, box.y, box.w, box.h, MASKVANILLACOPY);
    return 0;
  }
  Box changes[2 * kChangeBands];
  const int32_t n = box.w >= 1 ? poly_changes(p, box, changes) : 0;
  for (int32_t i = 0; i < n; ++i) poly_show(r, p, changes[i]);
  qmos_blit_mask_bits(p.work.mask, box.x, box.y, p.drawn, box.x, box.y, box.w, box.h, MASKVANILLACOPY);
  for (int32_t i = 0; i < n; ++i) poly_refresh_rect(r, changes[i]);
  fx_end_frame(r);
  ++r->frame;
  return 0;
}

// ---- SUN ---------------------------------------------------------------------------------------

constexpr int32_t kSunPoints = 361;  // a point a degree, 0 to 360

struct Sun {
  PolyWork poly;
  qmPoint* ellipse;
};

// The ellipse of size `size` (the diameter along the larger side), filled unless dry. *last: its
// clipped outline lies on the picture's corners, so it covers the picture.
Box sun_polygon(const qmFXRequest* r, Sun* s, int64_t size, bool dry, bool* last) {
  const int32_t larger = std::max(r->width, r->height), smaller = std::min(r->width, r->height);
  const double ratio = double(smaller) / larger;
  int64_t along = std::min<int64_t>(size, int64_t(1) << 28);
  if (along % 2 == 0) ++along;
  // The smaller side scales the even size below the odd diameter, plus one: a square's ellipse is
  // a circle whatever the parity of the size.
  int64_t across = int64_t(double(along - 1) * ratio + 1);
  if (across % 2 == 0) ++across;
  across = std::max<int64_t>(across, 3);
  const int64_t dw = r->width >= r->height ? along : across,
                dh = r->width >= r->height ? across : along;
  const int32_t n = arc_make_points(s->ellipse, int32_t(dw / 2), int32_t(dh / 2), 0, 360);
  const int32_t ox = int32_t((r->width - dw) / 2), oy = int32_t((r->height - dh) / 2);
  for (int32_t i = 0; i < n; ++i) s->ellipse[i].x += ox, s->ellipse[i].y += oy;
  return poly_fill(r, s->poly, s->ellipse, n, dry, last);
}

void sun_free(qmFXRequest* r) {
  auto* s = static_cast<Sun*>(r->priv);
  poly_free(s->poly);
  std::free(s->ellipse);
}

int32_t sun_setup(qmFXRequest* r) {
  auto* s = static_cast<Sun*>(fx_priv_alloc(r, sizeof(Sun)));
  if (!s) return ERR_MEM;
  r->speed = grow_step(r);
  if (!(s->ellipse = fx_alloc_array<qmPoint>(kSunPoints)) || !poly_alloc(r, s->poly, kSunPoints))
    return ERR_MEM;
  // The total from a dry run: sizes only, until the ellipse covers the picture. A size beyond
  // any the picture could need ends it too.
  const int64_t enough = 4 * int64_t(std::max(r->width, r->height)) + 64;
  int32_t frames = 0;
  for (bool last = false; !last;) {
    ++frames;
    const int64_t size = int64_t(frames) * r->speed + 10;
    sun_polygon(r, s, size, true, &last);
    last = last || size >= enough;
  }
  r->frames = frames;
  return 0;
}

int32_t sun_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<Sun*>(r->priv);
  const int64_t enough = 4 * int64_t(std::max(r->width, r->height)) + 64;
  return poly_step(r, s, done, [&](int32_t i, bool* last) {
    const int64_t size = int64_t(i) * r->speed + 10;
    const Box b = sun_polygon(r, s, size, false, last);
    *last = *last || size >= enough || i >= r->frames;
    return b;
  });
}

// ---- STAR --------------------------------------------------------------------------------------

struct Star {
  PolyWork poly;
};

// The star's width and height at size r: the larger side's dimension is r, the other in the
// picture's proportion.
void star_size(const qmFXRequest* r, int64_t size, int64_t* sw, int64_t* sh) {
  const bool wide = r->width >= r->height;
  const double ratio = wide ? double(r->height) / r->width : double(r->width) / r->height;
  const int64_t other = std::max<int64_t>(int64_t(double(size) * ratio + 1), 1);
  *sw = wide ? size : other;
  *sh = wide ? other : size;
}

Box star_polygon(const qmFXRequest* r, Star* s, int64_t size, bool* last) {
  int64_t sw = 0, sh = 0;
  star_size(r, size, &sw, &sh);
  if (sw >= 4 * int64_t(r->width)) {
    *last = true;
    return {0, 0, 0, 0};
  }
  *last = false;
  const int64_t x0 = (r->width - sw) / 2, y0 = (r->height - sh) / 2;
  const int64_t a = int64_t(0.4 * double(sw)), b = int64_t(0.3 * double(sw));
  const int64_t c = y0 + int64_t(0.375 * double(sh)), d = y0 + int64_t(0.6 * double(sh)),
                e = sw / 5;
  const int64_t star[11][2] = {{x0, c},
                               {x0 + a, c},
                               {x0 + sw / 2, y0},
                               {x0 + sw - a, c},
                               {x0 + sw - 1, c},
                               {x0 + sw - b, d},
                               {x0 + sw - e, y0 + sh - 1},
                               {x0 + sw / 2, y0 + sh - sh / 4},
                               {x0 + e, y0 + sh - 1},
                               {x0 + b, d},
                               {x0, c}};
  qmPoint points[11];
  for (int32_t i = 0; i < 11; ++i) points[i] = {int32_t(star[i][0]), int32_t(star[i][1])};
  const Box filled = poly_fill(r, s->poly, points, 11, false, nullptr);
  // The blit covers the star's box, within the picture, and what the fill set beyond it: on a side
  // below five pixels the points past the star's width (sw - b, sw - e) or height (sh - sh / 4)
  // lie one beyond it.
  Box box{int32_t(std::max<int64_t>(x0, 0)), int32_t(std::max<int64_t>(y0, 0)), 0, 0};
  box.w = int32_t(std::min<int64_t>(x0 + sw, r->width) - box.x);
  box.h = int32_t(std::min<int64_t>(y0 + sh, r->height) - box.y);
  return filled.w > 0 ? box_union(box, filled) : filled;
}

void star_free(qmFXRequest* r) {
  poly_free(static_cast<Star*>(r->priv)->poly);
}

int32_t star_setup(qmFXRequest* r) {
  auto* s = static_cast<Star*>(fx_priv_alloc(r, sizeof(Star)));
  if (!s) return ERR_MEM;
  const int32_t step = r->speed = grow_step(r);
  if (!poly_alloc(r, s->poly, 11)) return ERR_MEM;
  if (r->width >= r->height) {
    r->frames = fx_step_count(4 * r->width - step - 10, step, 0);
  } else {
    int32_t frames = 1;
    for (int64_t size = step + 10, sw = 0, sh = 0;; size += step, ++frames) {
      star_size(r, size, &sw, &sh);
      if (sw >= 4 * int64_t(r->width)) break;
    }
    r->frames = frames;
  }
  return 0;
}

int32_t star_frame(qmFXRequest* r, int32_t* done) {
  auto* s = static_cast<Star*>(r->priv);
  return poly_step(r, s, done, [&](int32_t i, bool* last) {
    return star_polygon(r, s, int64_t(i) * r->speed + 10, last);
  });
}

// ---- CLOCKWIPE
// -----------------------------------------------------------------------------------

struct Clock {
  PolyWork poly;
  qmPoint hand, previous;
  qmPoint corners[4];  // passed during the last move, in order
  int32_t passed;
  int32_t edge;  // 0 top (from the middle), 1 right, 2 bottom, 3 left, 4 top again, 5 round
};

// Moves the hand `distance` pixels clockwise along the border, noting each corner it passes, and
// stops at the top middle (edge 5).
void clock_move(const qmFXRequest* r, Clock* c, int64_t distance) {
  const int64_t right = r->width - 1, bottom = r->height - 1, top_end = r->width / 2 + 1;
  int64_t x = c->hand.x, y = c->hand.y;
  c->previous = c->hand;
  c->passed = 0;
  auto turn = [&](int64_t cx, int64_t cy) {
    x = cx, y = cy;
    c->corners[c->passed++] = {int32_t(cx), int32_t(cy)};
    ++c->edge;
  };
  while (distance > 0 && c->edge < 5) {
    int64_t room = 0;
    switch (c->edge) {
      case 0:
        room = right - x;
        break;
      case 1:
        room = bottom - y;
        break;
      case 2:
        room = x;
        break;
      case 3:
        room = y;
        break;
      default:
        room = top_end - x;
        break;
    }
    if (distance <= room) {
      if (c->edge == 0 || c->edge == 4)
        x += distance;
      else if (c->edge == 1)
        y += distance;
      else if (c->edge == 2)
        x -= distance;
      else
        y -= distance;
      distance = 0;
      break;
    }
    distance -= std::max<int64_t>(room, 0);
    switch (c->edge) {
      case 0:
        turn(right, 0);
        break;
      case 1:
        turn(right, bottom);
        break;
      case 2:
        turn(0, bottom);
        break;
      case 3:
        turn(0, 0);
        break;
      default:
        x = top_end, y = 0;
        c->edge = 5;
        break;
    }
  }
  c->hand = {int32_t(x), int32_t(y)};
}

void clock_reset(const qmFXRequest* r, Clock* c) {
  c->hand = {r->width / 2, 0};
  c->edge = 0;
  clock_move(r, c, r->speed);
}

// One frame's wedge: from the centre along the last move of the hand. Moves the hand on.
Box clock_wedge(const qmFXRequest* r, Clock* c, bool dry, bool* last) {
  const qmPoint m{r->width / 2, r->height / 2};
  qmPoint points[8];
  int32_t n = 0;
  points[n++] = m;
  points[n++] = c->previous;
  for (int32_t i = 0; i < c->passed; ++i) points[n++] = c->corners[i];
  points[n++] = c->hand;
  points[n++] = m;
  const Box b = poly_fill(r, c->poly, points, n, dry, nullptr);
  *last = c->edge == 5;
  if (!*last) clock_move(r, c, r->speed);
  return b;
}

void clock_free(qmFXRequest* r) {
  poly_free(static_cast<Clock*>(r->priv)->poly);
}

int32_t clock_setup(qmFXRequest* r) {
  auto* c = static_cast<Clock*>(fx_priv_alloc(r, sizeof(Clock)));
  if (!c) return ERR_MEM;
  int32_t step = r->speed == -2 ? 15 : r->speed == -1 ? 10 : r->speed == -3 ? 5 : r->speed;
  r->speed = std::clamp(step, 1, 30);
  if (!poly_alloc(r, c->poly, 8)) return ERR_MEM;
  // The total from a dry run of the hand.
  clock_reset(r, c);
  int32_t frames = 0;
  for (bool last = false; !last;) {
    ++frames;
    clock_wedge(r, c, true, &last);
  }
  r->frames = frames;
  clock_reset(r, c);
  return 0;
}

int32_t clock_frame(qmFXRequest* r, int32_t* done) {
  auto* c = static_cast<Clock*>(r->priv);
  if (r->phase == 2 || r->frame == 0) clock_reset(r, c);
  return poly_step(r, c, done, [&](int32_t, bool* last) { return clock_wedge(r, c, false, last); });
}

}  // namespace

int32_t fx_sun(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? sun_setup(r) : sun_frame(r, done);
}
int32_t fx_star(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? star_setup(r) : star_frame(r, done);
}
int32_t fx_clockwipe(qmFXRequest* r, int32_t* done) {
  return r->phase == 0 ? clock_setup(r) : clock_frame(r, done);
}
void fx_sun_free(qmFXRequest* r) {
  sun_free(r);
}
void fx_star_free(qmFXRequest* r) {
  star_free(r);
}
void fx_clockwipe_free(qmFXRequest* r) {
  clock_free(r);
}

}  // namespace qm
