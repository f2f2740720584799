// What the files of fx/ share besides the public header: the driver's allocations (which the
// allocation-failure seam counts), the lifecycle steps that the commands, the async callbacks and
// the control codes call, and the picture helpers of the preparation.
#pragma once

#include <cstdint>

#include "fx/fx.h"
#include "layers/geometry.h"

struct qmState;
struct qmConstant;

namespace qm {

const qmConstant* fx_constants();

// Counted allocations: nullptr when memory runs out or the failure seam says so.
qmBitmap* fx_alloc_bitmap(int32_t width, int32_t height);
qmMask* fx_alloc_mask(int32_t width, int32_t height, int32_t clear);
qmAlphaChannel* fx_alloc_alpha(int32_t width, int32_t height, int32_t clear);
// True when the next allocation may go ahead (counts it).
bool fx_allocation_allowed();
// A copy of the w x h rectangle at (x, y) of the planes given (mask and alpha only when the
// source has them). 0 or ERR_MEM with nothing kept.
int32_t fx_copy_planes(const qmBitmap* bitmap, const qmMask* mask, const qmAlphaChannel* alpha, int32_t x, int32_t y,
                       int32_t w, int32_t h, qmBitmap** out_bitmap, qmMask** out_mask, qmAlphaChannel** out_alpha);

// A w x h plane over the storage of a kept one at least that large, its rows packed from the first
// byte as those of a plane made at that size: a narrow copy's rows lie together, not a whole kept
// row apart.
qmBitmap fx_packed(const qmBitmap* b, int32_t w, int32_t h);
qmMask fx_packed(const qmMask* m, int32_t w, int32_t h);
qmAlphaChannel fx_packed(const qmAlphaChannel* a, int32_t w, int32_t h);
// The source rectangle (sx, sy, sw, sh) of a masked or translucent picture scaled to dw x dh in the
// planes the request keeps (made at the setup by fx_reserve_scaling, grown here when a copy is
// larger), seen as packed planes: pixels in copy, the mask or
// alpha given in copy_mask or copy_alpha. 0, ERR_MEM or the scaler's code.
int32_t fx_scale_planes(qmFXRequest* r, const qmBitmap* pic, const qmMask* mask, const qmAlphaChannel* alpha,
                        int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dw, int32_t dh, qmBitmap* copy,
                        qmMask* copy_mask, qmAlphaChannel* copy_alpha);

// The lifecycle (see the driver).
int32_t fx_prepare(qmFXRequest* r);
int32_t fx_setup_buffers(qmFXRequest* r);
void fx_free_buffers(qmFXRequest* r);
void fx_finish(qmFXRequest* r, int32_t normal);
void fx_free(qmFXRequest* r, int32_t normal);
int32_t fx_seek_frame(qmFXRequest* r, int32_t frame, int32_t force);
int32_t fx_async_draw_frame(void* data, int32_t* finished);
intptr_t fx_layer_event(int32_t code, intptr_t argument, void* data);
// The step's setup call (phase 0), with the private state released first when there is one.
int32_t fx_setup_step(qmFXRequest* r);
// Puts a picture's new image on the display and into its buffers (the end of a picture's effect).
void fx_final_put(qmFXRequest* r);
// Composes a rectangle of the display's picture with its layers into the composition buffer and,
// when asked, shows it.
void fx_recompose(qmFXRequest* r, const Rect& area, bool present);
// The picture of the display under a rectangle of the drawing area, composed without `skip`
// (nullptr: with every layer); what lies outside the area is black. nullptr without memory.
qmBitmap* fx_grab_display(qmFXRequest* r, int32_t x, int32_t y, int32_t w, int32_t h, qmLayer* skip);
// The layer's transformed image as planes of its own; 0 or an error.
int32_t fx_take_layer_image(qmFXRequest* r);
// Whether the layer is drawn with a style (shadow, border), a transform or filters: such a layer
// is recomposed whole once per frame.
bool fx_layer_styled(const qmLayer* layer);
// Tells the harness's observer; non-zero asks a synchronous run to stop.
int32_t fx_observe(const qmFXRequest* r, int32_t what);

// A frame's rectangles of the new picture gathered for fx_show_rects, shown a batch at a time.
class FxShowBatch {
 public:
  explicit FxShowBatch(qmFXRequest* r) : r_(r) {}
  void add(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (n_ == kSize) show();
    rects_[n_++] = Rect{x, y, w, h};
  }
  // Draws what was gathered; a frame calls it before fx_end_frame.
  void show() {
    fx_show_rects(r_, rects_, n_);
    n_ = 0;
  }

 private:
  static constexpr size_t kSize = 256;
  qmFXRequest* r_;
  Rect rects_[kSize];
  size_t n_ = 0;
};

}  // namespace qm
