// SPIRAL and SWISS: SPIRAL runs a band around the picture in three rings towards its middle (the
// picture cut into 7 columns and 6 rows), and counts its frames by running itself dry at setup;
// SWISS uncovers the picture from its four corners with growing rectangles. Both draw the new
// picture at its own place and have no seek of their own.
#include <algorithm>

#include "engine/errcodes.h"
#include "fx/steps.h"

namespace qm {

// ---- SPIRAL ------------------------------------------------------------------------------------------

namespace {

struct Spiral {
  int32_t p;    // the band's position along its arm
  int32_t arm;  // 0 to 11
  int32_t x;    // of the current vertical arm
  int32_t y;    // of the current horizontal arm
};

struct Band {
  int32_t x, y, w, h;
};

// The arms in turn: down the right, left along the bottom, up the left, right along the top, then
// the same one ring further in, three rings in all.
class SpiralPath {
 public:
  SpiralPath(int32_t w, int32_t h, int32_t step) : w_(w), h_(h), cw_(w / 7 + 1), rh_(h / 6 + 1), step_(step) {}

  void start(Spiral& s) const { s = Spiral{0, 0, w_ - cw_, 0}; }

  Band band(const Spiral& s) const {
    return vertical(s.arm) ? Band{s.arm == 2 ? 0 : s.x, s.p, cw_, step_}
                           : Band{s.p, s.arm == 3 ? 0 : s.y, step_, rh_};
  }

  // After the frame's band: on along the arm, or the next arm once the arm's end is reached.
  // True when the spiral is complete.
  bool advance(Spiral& s) const {
    const int32_t end = arm_end(s.arm);
    if (s.p != end) {
      // A band that starts past its arm's end comes back to it.
      s.p = forwards(s.arm) ? std::min(s.p + step_, end) : std::max(s.p - step_, end);
      return false;
    }
    switch (s.arm) {
      case 0: s.p = s.x - step_, s.y = h_ - rh_; break;
      case 1: s.p = s.y - step_; break;
      case 2: s.p = cw_; break;
      case 3: s.p = rh_, s.x = w_ - 2 * cw_; break;
      case 4: s.y = h_ - 2 * rh_, s.p = s.x - step_; break;
      case 5: s.x = cw_, s.p = s.y - step_; break;
      case 6: s.y = rh_, s.p = 2 * cw_; break;
      case 7: s.p = 2 * rh_, s.x = w_ - 3 * cw_; break;
      case 8: s.p = s.x - step_, s.y = 3 * rh_; break;
      case 9: s.x = 2 * cw_, s.p = s.y - step_; break;
      case 10: s.y = 2 * rh_, s.p = 3 * cw_; break;
      default: return true;
    }
    ++s.arm;
    return false;
  }

 private:
  static bool vertical(int32_t arm) { return arm % 2 == 0; }
  // Arms 0, 3, 4, 7, 8 and 11 run down or right.
  static bool forwards(int32_t arm) { return arm % 4 == 0 || arm % 4 == 3; }
  int32_t arm_end(int32_t arm) const {
    switch (arm) {
      case 0: return h_ - 1;
      case 1: return 0;
      case 2: return 0;
      case 3: return w_ - cw_;
      case 4: return h_ - rh_;
      case 5: return cw_;
      case 6: return rh_;
      case 7: return w_ - 2 * cw_;
      case 8: return h_ - 2 * rh_;
      case 9: return 2 * cw_;
      case 10: return 2 * rh_;
      default: return w_ - 3 * cw_;
    }
  }

  int32_t w_, h_, cw_, rh_, step_;
};

int32_t spiral_speed(int32_t speed) {
  switch (speed) {
    case -1: return 10;
    case -2: return 15;
    case -3: return 5;
    default: return std::clamp(speed, 1, 30);
  }
}

}  // namespace

int32_t fx_spiral_frames(int32_t w, int32_t h, int32_t step) {
  const SpiralPath path(w, h, step);
  Spiral s;
  path.start(s);
  int32_t frames = 1;
  while (!path.advance(s)) ++frames;
  return frames;
}

int32_t fx_spiral_step(qmFXRequest* r, int32_t* done) {
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(Spiral))) return ERR_MEM;
    r->speed = spiral_speed(r->speed);
    // The exact total costs one dry run of the path.
    r->frames = fx_spiral_frames(r->width, r->height, r->speed);
    return 0;
  }
  if (r->phase == 2) return 0;  // sought by the driver's replay
  auto* s = static_cast<Spiral*>(r->priv);
  const SpiralPath path(r->width, r->height, r->speed);
  if (r->frame == 0) path.start(*s);
  fx_layer_unhide(r);
  const Band b = path.band(*s);
  fx_show_rect(r, b.x, b.y, b.w, b.h);
  if (path.advance(*s)) *done = 1;
  fx_end_frame(r);
  ++r->frame;
  return 0;
}

// ---- SWISS -------------------------------------------------------------------------------------------

namespace {

struct Swiss {
  int32_t s;
  int32_t pw, ph;  // the previous corner rectangle
};

}  // namespace

int32_t fx_swiss_step(qmFXRequest* r, int32_t* done) {
  const int32_t w = r->width, h = r->height, l = std::max(w, h);
  if (r->phase == 0) {
    if (!fx_priv_alloc(r, sizeof(Swiss))) return ERR_MEM;
    r->speed = std::min(fx_step_size(r->speed, l, 120, 60, 240), 30);
    r->frames = fx_step_count(l / 2, r->speed, 1);
    return 0;
  }
  if (r->phase == 2) return 0;
  auto* s = static_cast<Swiss*>(r->priv);
  if (r->frame == 0) *s = Swiss{};
  fx_layer_unhide(r);
  const double ratio = double(std::min(w, h)) / double(l);
  s->s += r->speed;
  const int32_t other = std::max(int32_t(double(s->s) * ratio + 1.0), 1);
  const int32_t rw = w < h ? other : s->s, rh = w < h ? s->s : other;
  if (s->s < l / 2) {
    const int32_t dw = rw - s->pw, dh = rh - s->ph, pw = s->pw, ph = s->ph;
    fx_show_rect(r, pw, 0, dw, rh);  // top-left
    fx_show_rect(r, 0, ph, rw, dh);
    fx_show_rect(r, 0, h - rh, rw, dh);  // bottom-left
    fx_show_rect(r, pw, h - ph, dw, ph);
    fx_show_rect(r, w - rw, h - rh, rw, dh);  // bottom-right
    fx_show_rect(r, w - rw, h - ph, dw, ph);
    fx_show_rect(r, w - rw, 0, dw, rh);  // top-right
    fx_show_rect(r, w - rw, ph, rw, dh);
  } else {
    *done = 1;
    fx_show_rect(r, 0, 0, w, h);
  }
  s->pw = rw, s->ph = rh;
  fx_end_frame(r);
  ++r->frame;
  return 0;
}

}  // namespace qm
