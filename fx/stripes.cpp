// HSTRIPES and VSTRIPES: the new picture comes in as interleaved stripes that slide in from
// opposite sides. One step per direction; the two are twins with the axes exchanged.
#include <algorithm>
#include <cstdlib>

#include "engine/errcodes.h"
#include "fx/internal.h"
#include "fx/steps.h"
#include "runtime/random.h"

namespace qm {

namespace {

struct Stripes {
  int32_t stripe;  // thickness
  int32_t pos;     // how far the stripes have come
};

// Setup over the extent the stripes travel (the width for HSTRIPES).
int32_t setup(qmFXRequest* r, int32_t extent, int32_t first_id) {
  auto* s = static_cast<Stripes*>(fx_priv_alloc(r, sizeof(Stripes)));
  if (!s) return ERR_MEM;
  const int32_t variant = r->effect - first_id;
  int32_t stripe = 0;
  if (variant == 0 && r->parameter == FX_RANDOMPARAMETER) {
    const int32_t r1 = random_next();
    const int32_t r2 = random_next();
    const int32_t d = r2 % 8 + 2;
    // A picture narrower than d has no room for a random thickness: it gets 1.
    stripe = extent / d > 0 ? r1 % (extent / d) : 1;
  } else if (variant == 0) {
    stripe = r->parameter;
  } else {
    stripe = 1 << variant;  // 2, 4, 8, 16, 32, 64
  }
  s->stripe = std::max(stripe, 1);
  const int32_t step = fx_step_size(r->speed, extent, 70, 30, 200);
  r->speed = std::max(std::min(step, extent - 1), 1);
  r->frames = fx_step_count(extent - r->speed, r->speed, 0);
  return 0;
}

int32_t frame(qmFXRequest* r, int32_t* done, bool horizontal) {
  auto* s = static_cast<Stripes*>(r->priv);
  const int32_t extent = horizontal ? r->width : r->height;
  const int32_t across = horizontal ? r->height : r->width;
  const int32_t step = r->speed, t = s->stripe;
  if (r->frame == 0) s->pos = 0;
  fx_layer_unhide(r);
  bool last = false;
  if (s->pos >= extent - step) {
    s->pos = extent - step;
    last = true;
  }
  const int32_t near = s->pos, far = extent - s->pos - step;
  FxShowBatch stripes(r);
  for (int64_t band = 0; band < across; band += 2 * int64_t(t)) {
    const int32_t b = int32_t(band), next = int32_t(std::min<int64_t>(band + t, INT32_MAX));
    if (horizontal) {
      stripes.add(near, b, step, t);
      if (next < across) stripes.add(far, next, step, t);
    } else {
      stripes.add(b, near, t, step);
      if (next < across) stripes.add(next, far, t, step);
    }
  }
  stripes.show();
  s->pos += step;
  fx_end_frame(r);
  ++r->frame;
  if (last) *done = 1;
  return 0;
}

}  // namespace

int32_t fx_hstripes(qmFXRequest* r, int32_t* done) {
  if (r->phase == 0) return setup(r, r->width, FX_HSTRIPES);
  if (r->phase == 2) return 0;  // sought by the driver's replay
  return frame(r, done, true);
}

int32_t fx_vstripes(qmFXRequest* r, int32_t* done) {
  if (r->phase == 0) return setup(r, r->height, FX_VSTRIPES);
  if (r->phase == 2) return 0;
  return frame(r, done, false);
}

}  // namespace qm
