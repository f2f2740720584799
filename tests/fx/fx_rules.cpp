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

constexpr FamilyRule kRules[] = {
    {0, 13, stripes_total, check_in_place},
};

}  // namespace

const FamilyRule* family_rule(int32_t id) {
  for (const FamilyRule& r : kRules)
    if (id >= r.first && id <= r.last) return &r;
  return nullptr;
}

}  // namespace fxtest
