// The harness's family rules: for each family, its ids, the total its speed rule gives, and the
// checks its frames keep. A family that gets its step adds its row here.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/fx/fx_harness.h"

namespace fxtest {

namespace {

// A speed code as pixels per frame over an extent: the codes divide it, other speeds stand (the
// driver takes speeds above 2^20 as 2^20); at least 1.
int32_t pixels_per_frame(int32_t speed, int32_t extent, int32_t normal, int32_t fast, int32_t slow) {
  int32_t step = std::min(speed, qm::FX_MAXSPEED);
  if (speed == -1) step = extent / normal;
  if (speed == -2) step = extent / fast;
  if (speed == -3) step = extent / slow;
  return std::max(step, 1);
}

// Frames to cover an extent at a step; one more unless exact.
int32_t frames_over(int32_t extent, int32_t step, bool exact) {
  if (extent < 1) return 1;
  return (extent + step - 1) / step + (exact ? 0 : 1);
}

// Stripes travel the width (HSTRIPES) or the height at most extent - 1 pixels a frame.
int32_t stripes_total(const FxCase& c) {
  const int32_t extent = c.id <= 6 ? c.w : c.h;
  const int32_t step = std::clamp(pixels_per_frame(c.speed, extent, 70, 30, 200), 1, std::max(extent - 1, 1));
  return frames_over(extent - step, step, false);
}

bool hiding(const FxCase& c) { return c.kind == Kind::Hide || c.kind == Kind::Remove; }

// The effect a case runs: a hide runs the opposite curtain.
int32_t run_id(const FxCase& c) {
  if (hiding(c) && c.id >= 24 && c.id <= 27) return c.id ^ 1;
  return c.id;
}

int32_t blinds_total(const FxCase& c) {
  const int32_t slat = 8 << (c.id - (c.id <= 18 ? 14 : 19));
  const int32_t step = std::clamp(pixels_per_frame(c.speed, slat, 8, 3, 20), 1, slat / 2);
  return frames_over(slat - step, step, false);
}

int32_t bars_total(const FxCase& c) {
  return frames_over(23, std::min(pixels_per_frame(c.speed, 16, 16, 8, 40), 8) + 1, false);
}

int32_t quarters_total(const FxCase& c) {
  const int32_t step = std::min(pixels_per_frame(c.speed, c.w, 70, 30, 200), c.h / 4);
  return frames_over(c.h - c.h / 2 - step - 1, step + 1, false);
}

int32_t curtains_total(const FxCase& c) {
  const int32_t id = run_id(c), extent = id <= 25 ? c.w : c.h;
  const bool open = id == 24 || id == 26;
  const int32_t step = std::min(pixels_per_frame(c.speed, extent, 140, 60, 320), extent / (open ? 4 : 2));
  return open ? frames_over(extent - step - extent / 2, step + 1, false) : frames_over(extent / 2, step + 1, false);
}

int32_t reveals_total(const FxCase& c) {
  const bool columns = c.id <= 31;
  const int32_t extent = columns ? c.w : c.h;
  int32_t step = pixels_per_frame(c.speed, extent, 70, 30, 200);
  if (step > extent / 2) step = columns ? 1 : extent / 2;
  return frames_over(extent - step - 1, step + 1, false);
}

// One line a frame (HLINES, VLINES) or two (VLINES2, HLINES2), whatever the speed.
int32_t lines_total(const FxCase& c) {
  const int32_t extent = c.id == 34 || c.id == 37 ? c.w : c.h;
  return c.id <= 35 ? frames_over(extent, 2, false) : extent + 1;
}

int32_t rects_total(const FxCase& c) {
  const int32_t l = std::max(c.w, c.h);
  int32_t step = pixels_per_frame(c.speed, l, 70, 30, 200);
  if (step > l / 4) step = 1;
  return frames_over(l - step, step, false);
}

// PUZZLE: one piece a frame, squares of at least 5 with one more column and row than fit.
int32_t puzzle_total(const FxCase& c) {
  const int32_t side = std::max(pixels_per_frame(c.speed, c.w, 20, 10, 30), 5);
  return (c.w / side + 1) * (c.h / side + 1);
}

int32_t diagonal_total(const FxCase& c) {
  int32_t step = pixels_per_frame(c.speed, c.w, 60, 20, 130);
  if (step > c.w / 4) step = 1;
  return frames_over(c.w + c.h - step, step, false);
}

int32_t capped_step(const FxCase& c, int32_t normal, int32_t fast, int32_t slow) {
  return std::min(pixels_per_frame(c.speed, std::max(c.w, c.h), normal, fast, slow), 30);
}

int32_t swiss_total(const FxCase& c) { return frames_over(std::max(c.w, c.h) / 2, capped_step(c, 120, 60, 240), true); }
int32_t quadrect_total(const FxCase& c) { return frames_over(std::max(c.w, c.h), capped_step(c, 120, 60, 240), true); }
int32_t upndown_total(const FxCase& c) { return frames_over(4 * c.h, capped_step(c, 60, 30, 120), false); }

int32_t split_total(const FxCase& c) {
  const int32_t step = capped_step(c, 120, 60, 240);
  return frames_over((c.id == 109 ? c.h : c.w) / 4 + step, step, true);
}

// A family's own steps for the speed codes; another speed stands, limited to lo..hi.
int32_t coded(int32_t speed, int32_t normal, int32_t fast, int32_t slow, int32_t lo, int32_t hi) {
  if (speed == -1) return normal;
  if (speed == -2) return fast;
  if (speed == -3) return slow;
  return std::clamp(std::min(speed, qm::FX_MAXSPEED), lo, hi);
}

int32_t dissolve_total(const FxCase& c) { return frames_over(256, coded(c.speed, 4, 8, 2, 1, 8), true); }
int32_t strudel_step(const FxCase& c) { return coded(c.speed, 8, 16, 4, 2, 16); }
int32_t strudel_total(const FxCase& c) { return frames_over(720, strudel_step(c), true); }
int32_t strudel_level(const FxCase& c, int32_t frame) {
  const int32_t v = std::min(frame * strudel_step(c), 720) * 255 / 720;
  return hiding(c) ? 255 - v : v;
}

int32_t pixelzoom_total(const FxCase& c) { return c.id == 133 ? 49 : 25; }

int32_t crush_total(const FxCase& c) {
  const int32_t extent = c.id <= 121 ? c.w : c.h;
  const int32_t step = pixels_per_frame(c.speed, extent, 60, 30, 120);
  return frames_over(extent - step, step, false);
}

int32_t coin_total(const FxCase& c) {
  const int32_t extent = c.id <= 125 ? c.h : c.w;
  const int32_t step = pixels_per_frame(c.speed, extent, 60, 30, 120);
  return frames_over(2 * extent - step, step, false);
}

// STAR grows by its step from step + 10 until its width reaches four times the picture's.
int32_t star_total(const FxCase& c) {
  const int32_t step = std::min(pixels_per_frame(c.speed, std::max(c.w, c.h), 12, 6, 24), 100);
  int32_t frames = 1;
  for (int64_t size = step + 10;; size += step, ++frames) {
    const int64_t width = c.w >= c.h ? size : std::max<int64_t>(int64_t(double(size) * c.w / c.h + 1), 1);
    if (width >= 4 * int64_t(c.w)) return frames;
  }
}

int32_t fade_step(const FxCase& c, int32_t most) {
  const int32_t speed = std::min(c.speed, qm::FX_MAXSPEED);
  return std::min(speed == -2 ? 20 : speed == -1 ? 10 : speed == -3 ? 5 : speed > 0 ? speed : 10, most);
}
int32_t fade_total(const FxCase& c) {
  const int32_t step = fade_step(c, 255);
  return frames_over(511 - step, step, false);
}
// FADE and BLEND: the tint T while the layer's alpha carries it (a FADE show's first half, a
// hide's second), 255 while the picture itself is tinted.
int32_t fade_level(const FxCase& c, int32_t frame) {
  const int32_t l = std::min(frame * fade_step(c, 255), 511);
  const int32_t t = l >= 511 ? 0 : l < 256 ? l : 255 - l % 256;
  return (c.id == 116 && !hiding(c) && l < 256) || (hiding(c) && l >= 257) ? t : 255;
}

int32_t crossfade_total(const FxCase& c) { return frames_over(255, fade_step(c, 120), true); }
int32_t crossfade_level(const FxCase& c, int32_t frame) {
  const int32_t l = std::min(frame * fade_step(c, 120), 255);
  return hiding(c) ? 255 - l : l;
}

int32_t water_duration(const FxCase& c) { return coded(c.speed, 25, 10, 50, 5, 100); }
int32_t water_total(const FxCase& c) { return 2 * water_duration(c); }
int32_t water_level(const FxCase& c, int32_t frame) {
  const int32_t end = 2 * water_duration(c), v = std::min(frame, end) * 255 / end;
  return hiding(c) ? 255 - v : v;
}

// The fade colour of FADE and BLEND: the parameter, or what rand() gives first after the run's seed.
int32_t fade_colour(const FxCase& c) {
  if (c.parameter != -1) return c.parameter & 0xFFFFFF;
  random_data data{};
  char state[128] = {};
  initstate_r(kRunSeed, state, sizeof state, &data);
  int32_t v = 0;
  random_r(&data, &v);
  return v & 0xFFFFFF;
}

// Every channel of every pixel lies between what mixes there (old and new, and the fade colour
// for FADE and BLEND), within 1 for rounding.
std::string check_mixing(const FrameView& v) {
  const bool coloured = v.c.id == 116 || v.c.id == 117;
  const uint32_t colour = coloured ? uint32_t(fade_colour(v.c)) : 0;
  for (int32_t y = v.rect.y; y < v.rect.y + v.rect.h; ++y)
    for (int32_t x = v.rect.x; x < v.rect.x + v.rect.w; ++x) {
      const uint32_t p = v.now.at(x, y), a = v.before.at(x, y), b = v.target.at(x, y);
      for (int shift = 0; shift <= 16; shift += 8) {
        const int32_t ch = int32_t((p >> shift) & 0xFF), ca = int32_t((a >> shift) & 0xFF);
        const int32_t cb = int32_t((b >> shift) & 0xFF), cc = int32_t((colour >> shift) & 0xFF);
        int32_t lo = std::min(ca, cb), hi = std::max(ca, cb);
        if (coloured) lo = std::min(lo, cc), hi = std::max(hi, cc);
        if (ch < lo - 1 || ch > hi + 1) {
          char buf[120];
          std::snprintf(buf, sizeof buf, "at (%d, %d): 0x%06X outside 0x%06X .. 0x%06X", x, y, p, a, b);
          return buf;
        }
      }
    }
  return "";
}

int32_t roll_step(const FxCase& c) {
  const int32_t speed = std::min(c.speed, qm::FX_MAXSPEED);
  return speed == -2 ? 5 : speed == -1 ? 2 : speed == -3 ? 1 : std::clamp(speed / 5, 1, 8);
}
int32_t roll_total(const FxCase& c) { return frames_over(c.id == 85 || c.id == 87 ? c.w : c.h, roll_step(c), true); }

// ROLL and WALLPAPER: in place outside the band of the roll, whose n lines end at line P.
std::string check_roll(const FrameView& v) {
  const bool columns = v.c.id == 85 || v.c.id == 87;
  const int32_t extent = columns ? v.c.w : v.c.h;
  const int32_t n = std::max(v.c.id <= 85 ? extent / 12 : extent / 2, 20);
  const int32_t moved = v.frame * roll_step(v.c);
  const int32_t p = hiding(v.c) ? extent - moved : moved;
  const Rect at = picture_place(v.c);
  const Rect band = columns ? Rect{at.x + p - n + 1, at.y, n, v.c.h} : Rect{at.x, at.y + p - n + 1, v.c.w, n};
  return check_in_place_except(v, band);
}

// SCROLL showing a picture: each frame is the screen from before with the picture somewhere on it,
// so nothing of an earlier place is left behind. Inside the picture's box each pixel is the
// picture's own (as the target shows it at its place, where it does) or, through a hole of a mask,
// what was there before; outside the box nothing changed. Hides, which uncover what lay under the
// picture, and alpha, which blends, are left to the harness's own checks.
std::string check_travel(const FrameView& v) {
  const FxCase& c = v.c;
  const bool masked = kind_masked(c.kind);
  if (!masked && c.kind != Kind::Picture && c.kind != Kind::Brush && c.kind != Kind::Show)
    return "";
  const Screen& now = v.now;
  int32_t x0 = now.w, y0 = now.h, x1 = -1, y1 = -1;
  for (int32_t y = 0; y < now.h; ++y)
    for (int32_t x = 0; x < now.w; ++x)
      if (now.at(x, y) != v.before.at(x, y))
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
  if (x1 < 0) return "";
  const Rect at = picture_place(c);
  // Whether the frame is the picture with its corner at (ox, oy) over the screen from before.
  const auto fits = [&](int32_t ox, int32_t oy) {
    const Rect box{ox, oy, c.w, c.h};
    for (int32_t y = std::max(oy, 0); y < std::min(oy + c.h, now.h); ++y)
      for (int32_t x = std::max(ox, 0); x < std::min(ox + c.w, now.w); ++x) {
        const int32_t tx = at.x + x - ox, ty = at.y + y - oy;
        const bool known = tx >= 0 && ty >= 0 && tx < v.target.w && ty < v.target.h;
        const uint32_t p = now.at(x, y);
        if (known && p != v.target.at(tx, ty) && !(masked && p == v.before.at(x, y))) return false;
      }
    for (int32_t y = y0; y <= y1; ++y)
      for (int32_t x = x0; x <= x1; ++x)
        if (!box.contains(x, y) && now.at(x, y) != v.before.at(x, y)) return false;
    return true;
  };
  // The changes lie inside the box; a box cut by the screen's edge or with holes along its own
  // edges is wider than them.
  for (int32_t oy = y1 + 1 - c.h; oy <= y0; ++oy)
    for (int32_t ox = x1 + 1 - c.w; ox <= x0; ++ox)
      if (fits(ox, oy)) return "";
  char what[96];
  std::snprintf(what, sizeof what, "frame %d is not the picture over the screen from before",
                v.frame);
  return what;
}

int32_t stretch_total(const FxCase& c) {
  const int32_t extent = c.id == 55 || c.id == 56 || c.id == 60 ? c.w : c.id <= 59 ? c.h : std::max(c.w, c.h);
  const int32_t step = pixels_per_frame(c.speed, extent, 30, 10, 80);
  return frames_over(extent - step, step, false);
}

// Flows: at most 30 and never more than the extent; a hide ends a step from its edge.
int32_t flows_total(const FxCase& c) {
  const int32_t extent = c.id <= 71 ? c.h : c.w;
  const int32_t step = std::min(std::min(pixels_per_frame(c.speed, extent, c.id <= 71 ? 50 : 30, c.id <= 71 ? 20 : 10,
                                                          c.id <= 71 ? 120 : 80), 30), extent);
  return frames_over(extent - (hiding(c) ? 2 : 1) * step, step, false);
}

int32_t gates_total(const FxCase& c) {
  const int32_t extent = c.id <= 75 ? c.h : c.w;
  const int32_t step = pixels_per_frame(c.speed, extent, 80, 30, 200);
  const bool close = c.id % 2 == 1;
  return frames_over((close ? extent / 2 : extent / 2 + extent % 2) - step, step, false);
}

int32_t push_total(const FxCase& c) {
  const int32_t extent = c.id <= 79 ? c.w : c.h, step = pixels_per_frame(c.speed, extent, 40, 10, 100);
  return frames_over(extent - step, step, false);
}

int32_t strangepush_total(const FxCase& c) {
  const int32_t extent = c.id == 99 ? c.w : c.h;
  int32_t step = pixels_per_frame(c.speed, extent, 60, 30, 120);
  step += step % 2;
  return frames_over(extent - step, step, false);
}

int32_t slide_total(const FxCase& c) {
  const int32_t extent = c.id <= 102 ? c.w : c.h;
  const int32_t step = std::min(pixels_per_frame(c.speed, extent, 60, 30, 120), 30);
  return frames_over(2 * extent - step, step, false);
}

int32_t card_total(const FxCase& c) {
  const int32_t step = capped_step(c, 60, 30, 120);
  return frames_over(c.h - step, step, false);
}

int32_t zoominout_total(const FxCase& c) {
  const int32_t l = std::max(c.w, c.h), step = pixels_per_frame(c.speed, l, 60, 30, 120);
  return frames_over(2 * l - step, step, false);
}

int32_t turndown_total(const FxCase& c) {
  const int32_t extent = c.id <= 129 ? c.h : c.w, step = pixels_per_frame(c.speed, extent, 60, 30, 120);
  return frames_over(extent - step, step, false);
}

constexpr FamilyRule kRules[] = {
    {0, 13, stripes_total, check_in_place},
    {14, 23, blinds_total, check_in_place},
    {24, 27, curtains_total, check_in_place},
    {28, 28, bars_total, check_in_place},
    {29, 29, quarters_total, check_in_place},
    {30, 33, reveals_total, check_in_place},
    {34, 37, lines_total, check_in_place},
    {38, 46, rects_total, check_in_place},
    {47, 54, nullptr, check_travel, nullptr, true},
    {55, 69, stretch_total, nullptr},
    {70, 73, flows_total, nullptr},
    {74, 77, gates_total, nullptr},
    {78, 81, push_total, nullptr},
    {82, 82, puzzle_total, check_in_place},
    {83, 83, diagonal_total, check_in_place},
    {84, 87, roll_total, check_roll},
    {88, 96, rects_total, check_in_place},
    {97, 97, nullptr, check_in_place},
    {98, 98, star_total, check_in_place},
    {99, 100, strangepush_total, nullptr},
    {101, 104, slide_total, nullptr},
    {105, 105, nullptr, check_in_place},
    {106, 106, swiss_total, check_in_place},
    {107, 107, quadrect_total, check_in_place},
    {108, 109, split_total, check_in_place},
    {110, 110, upndown_total, check_in_place},
    {111, 112, card_total, nullptr},
    {114, 114, nullptr, check_in_place},
    {115, 115, crossfade_total, check_mixing, crossfade_level},
    {116, 117, fade_total, check_mixing, fade_level},
    {118, 119, zoominout_total, nullptr},
    {120, 123, crush_total, nullptr},
    {124, 127, coin_total, nullptr},
    {128, 131, turndown_total, nullptr},
    {132, 133, pixelzoom_total, nullptr},
    {134, 137, water_total, nullptr, water_level},
    {138, 138, strudel_total, nullptr, strudel_level},
    {139, 139, dissolve_total, check_in_place},
};

}  // namespace

const FamilyRule* family_rule(int32_t id) {
  for (const FamilyRule& r : kRules)
    if (id >= r.first && id <= r.last) return &r;
  return nullptr;
}

}  // namespace fxtest
