// SCROLL: the picture travels in from outside the display (or out to it when hiding) by the move
// machinery, driven one step a frame: a layer is moved itself, any other picture is drawn directly
// over the display as it stands. The effect's total is the move's count of steps.
#include <algorithm>

#include "display/graphics.h"
#include "engine/errcodes.h"
#include "fx/internal.h"
#include "fx/steps.h"
#include "layers/layers.h"
#include "layers/moveobject.h"

namespace qm {

namespace {

struct Scroll {
  qmMove* move;
};

// No effect paces a speed above this differently, and the move takes a larger one as this: its
// bounce ends on a leg as long as the speed at a pixel a step, which stays bounded so.
constexpr int32_t kFastestMove = 4 * 32767;

// The outside position of each direction: left, right, top, bottom, north-east, south-east,
// south-west, north-west. 0 keeps the object's own coordinate.
constexpr int32_t kOutside[8][2] = {
    {POS_LEFTOUT, 0},           {POS_RIGHTOUT, 0},           {0, POS_TOPOUT},           {0, POS_BOTTOMOUT},
    {POS_RIGHTOUT, POS_TOPOUT}, {POS_RIGHTOUT, POS_BOTTOMOUT}, {POS_LEFTOUT, POS_BOTTOMOUT}, {POS_LEFTOUT, POS_TOPOUT},
};

int32_t start_move(qmFXRequest* r, Scroll* s) {
  MoveSpec spec;
  spec.L = r->script;
  if (r->layer) {
    spec.layer = r->layer;
  } else {
    spec.bitmap = r->newpic, spec.mask = r->mask, spec.alpha = r->alpha;
  }
  spec.width = r->width, spec.height = r->height;
  const int32_t* out = kOutside[r->effect - FX_SCROLLLEFT];
  const int32_t ox = out[0] ? out[0] : r->x, oy = out[1] ? out[1] : r->y;
  if (r->hide) {
    spec.x1 = r->x, spec.y1 = r->y, spec.x2 = ox, spec.y2 = oy;
  } else {
    spec.x1 = ox, spec.y1 = oy, spec.x2 = r->x, spec.y2 = r->y;
  }
  spec.speed = std::min(r->speed_given, kFastestMove);
  spec.curve = r->parameter == FX_RANDOMPARAMETER ? 0 : r->parameter;
  spec.quiet = r->quiet != 0;
  return move_embedded_start(spec, &s->move);
}

}  // namespace

void fx_scroll_free(qmFXRequest* r) {
  auto* s = static_cast<Scroll*>(r->priv);
  if (!s) return;
  // A layer ends at its own place, whether it was shown or hidden.
  if (r->layer) layer_set_position(r->script, r->layer, r->layer_x, r->layer_y, false, 0, nullptr);
  move_embedded_free(s->move);
  s->move = nullptr;
}

int32_t fx_scroll_step(qmFXRequest* r, int32_t* done) {
  if (r->phase == 0) {
    auto* s = static_cast<Scroll*>(fx_priv_alloc(r, sizeof(Scroll)));
    if (!s) return ERR_MEM;
    if (r->parameter == FX_RANDOMPARAMETER) r->parameter = 0;
    if (int32_t err = start_move(r, s)) return err;
    r->frames = move_embedded_steps(s->move);
    return 0;
  }
  if (r->phase != 1) return 0;  // sought by the driver's replay
  auto* s = static_cast<Scroll*>(r->priv);
  if (r->frame == 0) {
    // A replay makes the move again from its start, the layer first back at its own place.
    if (r->layer) layer_set_position(r->script, r->layer, r->layer_x, r->layer_y, false, 0, nullptr);
    if (int32_t err = start_move(r, s)) return err;
  }
  fx_layer_unhide(r);
  if (r->bgpicemu) fx_redraw_step(r, 2);
  move_embedded_quiet(s->move, r->quiet != 0);
  if (int32_t err = move_embedded_step(s->move, done)) return err;
  ++r->frame;
  return 0;
}

}  // namespace qm
