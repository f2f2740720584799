// Pieces at fixed places: PUZZLE (squares in a random order), DIAGONAL (a staircase of squares from
// the top-left corner), UPNDOWN (eight columns in pairs, one band moving down and one up), HSPLIT
// and VSPLIT (two bands in each half moving from its middle to its edges) and QUADRECT (rectangles
// growing in two diagonal quadrants, then in the other two). Each piece of the new picture is drawn
// at its own place; none of them has a seek of its own.
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "engine/errcodes.h"
#include "fx/internal.h"
#include "fx/steps.h"

namespace qm {

// ---- PUZZLE ------------------------------------------------------------------------------------------

namespace {

struct Puzzle {
  int32_t next;  // index of the next piece in the order
  int32_t count;
  int32_t columns, rows;
  int32_t side;
  int32_t* order;
};

// The pieces taken so far, a bit each, searched a word at a time.
class TakenSet {
 public:
  explicit TakenSet(uint64_t* words) : words_(words) {}
  bool has(int32_t k) const { return (words_[k >> 6] >> (k & 63)) & 1; }
  void take(int32_t k) { words_[k >> 6] |= uint64_t(1) << (k & 63); }
  // The highest free piece at or below k, or -1.
  int32_t free_below(int32_t k) const {
    int32_t w = k >> 6;
    uint64_t free = ~words_[w] & (~uint64_t(0) >> (63 - (k & 63)));
    while (!free) {
      if (--w < 0) return -1;
      free = ~words_[w];
    }
    return w * 64 + 63 - std::countl_zero(free);
  }
  // The lowest free piece at or above k (one exists).
  int32_t free_above(int32_t k) const {
    int32_t w = k >> 6;
    uint64_t free = ~words_[w] & (~uint64_t(0) << (k & 63));
    while (!free) free = ~words_[++w];
    return w * 64 + std::countr_zero(free);
  }

 private:
  uint64_t* words_;
};

}  // namespace

// The piece order: each draw takes trunc(n x drand48()); a piece already taken gives way to the
// nearest free one below it, else to the nearest free one above the draw. The same probe as a
// linear search of the order, at a word of the set a step.
int32_t fx_puzzle_order(int32_t* order, int32_t n) {
  if (n < 1) return 0;
  const size_t words = (size_t(n) + 63) / 64;
  auto* bits = static_cast<uint64_t*>(std::calloc(words, sizeof(uint64_t)));
  if (!bits) return ERR_MEM;
  TakenSet taken(bits);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t drawn = std::min(int32_t(double(n) * drand48()), n - 1);
    int32_t k = drawn;
    if (taken.has(k)) {
      k = taken.free_below(k);
      if (k < 0) k = taken.free_above(drawn + 1);
    }
    taken.take(k);
    order[i] = k;
  }
  std::free(bits);
  return 0;
}

void fx_puzzle_free(qmFXRequest* r) {
  auto* p = static_cast<Puzzle*>(r->priv);
  if (!p) return;
  std::free(p->order);
  p->order = nullptr;
}

int32_t fx_puzzle_step(qmFXRequest* r, int32_t* done) {
  if (r->phase == 0) {
    auto* p = static_cast<Puzzle*>(fx_priv_alloc(r, sizeof(Puzzle)));
    if (!p) return ERR_MEM;
    const int32_t side = std::max(fx_step_size(r->speed, r->width, 20, 10, 30), 5);
    r->speed = side;
    // One more column and row than fit: the pieces along the right and bottom edges are cut.
    const int64_t columns = r->width / side + 1, rows = r->height / side + 1, n = columns * rows;
    if (n > INT32_MAX / int64_t(sizeof(int32_t))) return ERR_MEM;
    p->columns = int32_t(columns), p->rows = int32_t(rows), p->count = int32_t(n), p->side = side;
    if (!fx_allocation_allowed()) return ERR_MEM;
    p->order = static_cast<int32_t*>(std::malloc(size_t(n) * sizeof(int32_t)));
    if (!p->order) return ERR_MEM;
    if (int32_t err = fx_puzzle_order(p->order, p->count)) return err;
    r->frames = fx_step_count(p->count - 1, 1, 0);
    return 0;
  }
  if (r->phase == 2) return 0;  // sought by the driver's replay
  auto* p = static_cast<Puzzle*>(r->priv);
  if (r->frame == 0) p->next = 0;
  fx_layer_unhide(r);
  if (p->next >= p->count - 1) *done = 1;
  const int32_t piece = p->order[std::min(p->next, p->count - 1)];
  fx_show_rect(r, piece % p->columns * p->side, piece / p->columns * p->side, p->side, p->side);
  ++p->next;
  fx_end_frame(r);
  ++r->frame;
  return 0;
}

// ---- DIAGONAL --------------------------------------------------------------------------------------

namespace {

struct Diagonal {
  int32_t p;     // the front
  int32_t rows;  // rows under way
};

}  // namespace

int32_t fx_diagonal_step(qmFXRequest* r, int32_t* done) {
  const int32_t w = r->width, h = r->height;
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(Diagonal))) return ERR_MEM;
    int32_t step = fx_step_size(r->speed, w, 60, 20, 130);
    if (step > w / 4) step = 1;
    r->speed = step;
    r->frames = fx_step_count(w + h - step, step, 0);
    return 0;
  }
  if (r->phase == 2) return 0;
  auto* s = static_cast<Diagonal*>(r->priv);
  const int32_t step = r->speed;
  if (r->frame == 0) s->p = step, s->rows = 0;
  fx_layer_unhide(r);
  if (s->p >= w + h) {
    s->p = w + h;
    *done = 1;
  }
  s->rows = std::min(s->rows + 1, h / step + 1);
  for (int32_t i = 0; i < s->rows; ++i)
    fx_show_rect(r, int32_t(s->p - int64_t(i + 1) * step), i * step, step, step);
  s->p += step;
  fx_end_frame(r);
  ++r->frame;
  return 0;
}

// ---- UPNDOWN ---------------------------------------------------------------------------------------

namespace {

struct UpNDown {
  int32_t d;
  int32_t phase;  // of the previous frame
};

}  // namespace

int32_t fx_upndown_step(qmFXRequest* r, int32_t* done) {
  const int32_t w = r->width, h = r->height;
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(UpNDown))) return ERR_MEM;
    r->speed = std::min(fx_step_size(r->speed, std::max(w, h), 60, 30, 120), 30);
    r->frames = fx_step_count(4 * h, r->speed, 0);
    return 0;
  }
  if (r->phase == 2) return 0;
  auto* s = static_cast<UpNDown*>(r->priv);
  const int32_t step = r->speed, cw = w / 8 + 1, band = step + 2;
  // The columns of each phase: the one whose band moves down, the one whose band moves up.
  static constexpr int32_t kPairs[4][2] = {{0, 1}, {3, 2}, {4, 5}, {7, 6}};
  if (r->frame == 0) s->d = 0, s->phase = 0;
  fx_layer_unhide(r);
  const int32_t phase = std::min(s->d / h, 4), o = s->d % h;
  auto column_band = [&](int32_t column, int32_t y) { fx_show_rect(r, column * cw, y, cw, band); };
  if (phase != s->phase) {
    column_band(0, o);
    column_band(1, 0);
    if (phase != 4) {
      s->phase = phase;
      column_band(kPairs[phase][0], 0);
      column_band(kPairs[phase][1], h - step - 1);
    }
  }
  if (phase == 4) {
    fx_show_rect(r, 0, 0, w, h);
    *done = 1;
  } else {
    column_band(kPairs[phase][0], o);
    column_band(kPairs[phase][1], std::max(1, h - o - step) - 1);
  }
  s->d += step;
  fx_end_frame(r);
  ++r->frame;
  return 0;
}

// ---- HSPLIT and VSPLIT -------------------------------------------------------------------------------

namespace {

struct Split {
  int32_t a, b;  // the inner and the outer band of the first half
};

}  // namespace

int32_t fx_split_step(qmFXRequest* r, int32_t* done) {
  const bool rows = r->effect == 109;  // VSPLIT cuts rows, HSPLIT columns
  const int32_t extent = rows ? r->height : r->width;
  const int32_t q = extent / 4;
  if (r->phase == 0) {
    auto* s = static_cast<Split*>(fx_priv_alloc(r, sizeof(Split)));
    if (!s) return ERR_MEM;
    r->speed = std::min(fx_step_size(r->speed, std::max(r->width, r->height), 120, 60, 240), 30);
    s->a = q + r->speed, s->b = q - r->speed;
    r->frames = fx_step_count(s->a, r->speed, 1);
    return 0;
  }
  if (r->phase == 2) return 0;
  auto* s = static_cast<Split*>(r->priv);
  const int32_t step = r->speed;
  if (r->frame == 0) s->a = q + step, s->b = q - step;
  fx_layer_unhide(r);
  s->a -= step;
  s->b += step;
  if (s->a < 1) {
    s->a = 0;
    *done = 1;
  }
  s->b = std::min(s->b, extent / 2);
  // The second half's bands stand half the extent further, one more for an odd extent.
  const int32_t half = extent / 2 + extent % 2;
  for (int32_t k = 0; k < 2; ++k)
    for (int32_t at : {s->a + k * half, s->b + k * half}) {
      if (rows) fx_show_rect(r, 0, at, r->width, step);
      else fx_show_rect(r, at, 0, step, r->height);
    }
  if (*done) fx_show_rect(r, 0, 0, r->width, r->height);
  fx_end_frame(r);
  ++r->frame;
  return 0;
}

// ---- QUADRECT ----------------------------------------------------------------------------------------

namespace {

struct QuadRect {
  int32_t pw, ph;  // the previous rectangle
  int32_t s;
  int32_t pass_start;  // s when the second pass began
  int32_t second;
  int32_t mirror;
};

}  // namespace

int32_t fx_quadrect_step(qmFXRequest* r, int32_t* done) {
  const int32_t w = r->width, h = r->height, l = std::max(w, h);
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(QuadRect))) return ERR_MEM;
    r->speed = std::min(fx_step_size(r->speed, l, 120, 60, 240), 30);
    r->frames = fx_step_count(l, r->speed, 1);
    return 0;
  }
  if (r->phase == 2) return 0;
  auto* q = static_cast<QuadRect*>(r->priv);
  if (r->frame == 0) *q = QuadRect{};
  fx_layer_unhide(r);
  const double ratio = double(std::min(w, h)) / double(l);
  q->s += r->speed;
  const int32_t n = q->s - q->pass_start;
  const int32_t other = std::max(int32_t(double(n) * ratio + 1.0), 1);
  int32_t rw = w < h ? other : n, rh = w < h ? n : other;
  int32_t ox = 0, oy = 0;
  if (rw >= w / 2) {
    rw = w / 2, rh = h / 2;
  } else {
    ox = w / 2 - rw, oy = h / 2 - rh;
  }
  const int32_t sw = (rw - q->pw) / 2 + 1, sh = (rh - q->ph) / 2 + 1;
  int32_t cx = ox / 2 + (q->mirror ? w / 2 : 0), cy = oy / 2;
  for (int32_t k = 0; k < 2; ++k) {
    fx_show_rect(r, cx, cy, sw, rh);
    fx_show_rect(r, cx + sw, cy, q->pw, sh);
    fx_show_rect(r, cx + rw - sw, cy, sw, rh);
    fx_show_rect(r, cx + sw, cy + rh - sh, q->pw, sh);
    // On to the diagonal quadrant.
    const int32_t dx = w / 2 + w % 2;
    cx += q->mirror ? -dx : dx;
    cy += h / 2 + h % 2;
  }
  if (q->s >= l / 2 && !q->second) {
    q->pass_start = q->s;
    q->second = q->mirror = 1;
    q->pw = q->ph = 0;
  } else if (q->s < l) {
    q->pw = rw, q->ph = rh;
  }
  if (q->second && q->s >= l) {
    *done = 1;
    fx_show_rect(r, 0, 0, w, h);
  }
  fx_end_frame(r);
  ++r->frame;
  return 0;
}

}  // namespace qm
