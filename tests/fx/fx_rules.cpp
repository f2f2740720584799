// The harness's family rules: for each family, its ids, the total its speed rule gives, and the
// checks its frames keep. A family that gets its step adds its row here.
#include <algorithm>

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

// The effect a case runs: a hide runs the opposite curtain.
int32_t run_id(const FxCase& c) {
  const bool hiding = c.kind == Kind::Hide || c.kind == Kind::Remove;
  if (hiding && c.id >= 24 && c.id <= 27) return c.id ^ 1;
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

constexpr FamilyRule kRules[] = {
    {0, 13, stripes_total, check_in_place},     {14, 23, blinds_total, check_in_place},
    {24, 27, curtains_total, check_in_place},   {28, 28, bars_total, check_in_place},
    {29, 29, quarters_total, check_in_place},   {30, 33, reveals_total, check_in_place},
    {34, 37, lines_total, check_in_place},      {38, 46, rects_total, check_in_place},
    {82, 82, puzzle_total, check_in_place},     {83, 83, diagonal_total, check_in_place},
    {88, 96, rects_total, check_in_place},      {105, 105, nullptr, check_in_place},
    {106, 106, swiss_total, check_in_place},    {107, 107, quadrect_total, check_in_place},
    {108, 109, split_total, check_in_place},    {110, 110, upndown_total, check_in_place},
};

}  // namespace

const FamilyRule* family_rule(int32_t id) {
  for (const FamilyRule& r : kRules)
    if (id >= r.first && id <= r.last) return &r;
  return nullptr;
}

}  // namespace fxtest
