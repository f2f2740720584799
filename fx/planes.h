// What the pixel, polygon, fade and roll effects share besides the public routines: raw access to
// the planes their pixel routines walk, the layer's effect image of a realtime run, the quiet of a
// phase-2 redraw, and a work picture of the request's size with its planes, owned by the private
// state and counted by the driver's allocation seam.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "fx/internal.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "layers/layers.h"

namespace qm {

struct Plane32 {
  uint32_t* p = nullptr;
  int32_t ppr = 0;
};
inline Plane32 plane_of(const qmBitmap* b) {
  qmBitmapLock lock{};
  if (!b || !qmos_lock_bitmap(b, &lock)) return {};
  return {lock.pixels, lock.pixels_per_row};
}

// The effect image a realtime run draws into; nullptr in direct mode (or once the layer is gone).
inline qmLayerEffect* fx_image(const qmFXRequest* r) {
  return r->realtime && r->layer ? r->layer->effect : nullptr;
}

// A hide that the effect draws as a hide: a realtime run on the layer. A direct hide draws the
// display under the layer (newpic) over the layer (oldpic), as a show does.
inline bool fx_hiding(const qmFXRequest* r) {
  return r->hide && r->realtime;
}

// A phase-2 redraw draws the state without refreshing, as quiet frames do; the driver shows the
// result once.
class FxSeekQuiet {
 public:
  explicit FxSeekQuiet(qmFXRequest* r) : r_(r), was_(r->quiet) {
    if (r->phase == 2) r->quiet = 1;
  }
  ~FxSeekQuiet() { r_->quiet = was_; }
  FxSeekQuiet(const FxSeekQuiet&) = delete;
  FxSeekQuiet& operator=(const FxSeekQuiet&) = delete;

 private:
  qmFXRequest* r_;
  int32_t was_;
};

// Work planes of the request's picture size, freed by fx_work_free.
struct FxWork {
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
};
// A picture that the frames draw into from the first one on. Its pages are written here, in the
// setup: a full-screen picture is some two thousand pages, and faulting them in would double the
// first frame.
inline qmBitmap* fx_alloc_work_bitmap(int32_t width, int32_t height) {
  qmBitmap* b = fx_alloc_bitmap(width, height);
  if (b) qmos_fill_bitmap_rect(b, 0, 0, width, height, 0);
  return b;
}
// Allocates the parts asked for (cleared mask and alpha, their pages written as the picture's
// are); false when memory runs out.
inline bool fx_work_alloc(const qmFXRequest* r, FxWork& w, bool bitmap, bool mask, bool alpha) {
  const int32_t width = r->width, height = r->height;
  if (bitmap && !(w.bitmap = fx_alloc_work_bitmap(width, height))) return false;
  if (mask && !(w.mask = fx_alloc_mask(width, height, 1))) return false;
  if (alpha && !(w.alpha = fx_alloc_alpha(width, height, 1))) return false;
  if (w.mask) qmos_mask_rect_op(w.mask, 0, 0, width, height, MASKINVISIBLE);
  if (w.alpha) alpha_fill_rect(w.alpha, 0, 0, width, height, 0);
  return true;
}
inline void fx_work_free(FxWork& w) {
  qmos_free_bitmap(w.bitmap);
  qmos_free_mask(w.mask);
  qmos_free_alpha(w.alpha);
  w = FxWork{};
}

// The picture or its visibility copied whole into the layer's effect image.
void fx_copy_picture(const qmBitmap* from, qmLayerEffect* e);
void fx_copy_alpha(const qmAlphaChannel* from, qmLayerEffect* e);
// The last frame of the alpha effects that move the picture's pixels: the picture at rest, at
// its visibility (a realtime hide: gone); direct through its own mask or alpha (work: the
// composition).
void fx_alpha_rest(qmFXRequest* r, const qmAlphaChannel* visible, qmBitmap* work);
// Direct: the drawn picture in `work` comes up over the old one by level (0..255) and goes on the
// display whole.
void fx_mix_over_old(qmFXRequest* r, qmBitmap* work, int32_t level);

// A counted allocation of plain memory for a private state's tables; nullptr when memory runs out.
template <typename T>
T* fx_alloc_array(size_t count) {
  if (!fx_allocation_allowed()) return nullptr;
  return static_cast<T*>(std::malloc(count ? count * sizeof(T) : 1));
}

}  // namespace qm
