// Collision(kind, ...): boxes by their bounds; brushes, layers and sprites through their planes.
#include "layers/collision.h"

#include <algorithm>

#include "display/brush.h"
#include "display/display.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "layers/access.h"
#include "layers/layers.h"
#include "layers/sprite.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

int32_t int_arg(qmState* L, int32_t n) { return to_i32(vm_arg_check_number(L, n)); }

Rect box_args(qmState* L, int32_t n) { return {int_arg(L, n), int_arg(L, n + 1), int_arg(L, n + 2), int_arg(L, n + 3)}; }

int32_t brush_side(qmState* L, int32_t n, OverlapSide* side) {
  const ObjectId id = arg_get_id(L, n);
  const int32_t x = int_arg(L, n + 1), y = int_arg(L, n + 2);
  qmBrush* b = nullptr;
  if (int32_t err = brush_find(id, 0, &b)) return err;
  *side = OverlapSide{};
  side->rect = {x, y, b->width, b->height};
  side->mask = b->mask;
  side->alpha = b->alpha;
  return 0;
}

// A layer as it is shown: its on-screen image, cut to its clip region's box.
int32_t layer_side(qmState* L, qmBGPic* pic, int32_t n, OverlapSide* side) {
  qmLayer* layer = nullptr;
  if (int32_t err = layer_arg_layer(L, n, pic, &layer)) return err;
  qmLayerState* t = layer->display;
  LayerPlanes p;
  if (int32_t err = layer_build_transformed(L, layer, t, true, &p)) return err;
  *side = OverlapSide{};
  side->rect = {t->bounds_x, t->bounds_y, t->width, t->height};
  side->mask = p.mask;
  side->alpha = p.alpha;
  side->source_x = p.part_x;
  side->source_y = p.part_y;
  if (const qmClipRegion* clip = t->clip) {
    Rect& r = side->rect;
    const int32_t x2 = std::min(r.x + r.width, clip->x + clip->width);
    const int32_t y2 = std::min(r.y + r.height, clip->y + clip->height);
    if (r.x < clip->x) side->source_x += clip->x - r.x, r.x = clip->x;
    if (r.y < clip->y) side->source_y += clip->y - r.y, r.y = clip->y;
    r.width = x2 - r.x;
    r.height = y2 - r.y;
    side->clip = clip;
  }
  return 0;
}

// A sprite shown on the current display's picture: its box and the planes of its current frame.
int32_t sprite_side(qmState* L, int32_t n, OverlapSide* side) {
  const ObjectId id = arg_get_id(L, n);
  const qmDisplay* d = display_current();
  for (const SpriteEntry* e = sprite_entries(d ? d->bgpic : nullptr); e; e = sprite_entry_next(e)) {
    if (!(e->id == id)) continue;
    const qmMask* mask = nullptr;
    const qmAlphaChannel* alpha = nullptr;
    sprite_get_frame(e->sprite, e->frame - 1, nullptr, &mask, &alpha);
    *side = OverlapSide{};
    side->rect = {e->rect.x, e->rect.y, e->rect.width, e->rect.height};
    side->mask = mask;
    side->alpha = alpha;
    return 0;
  }
  if (id.handle) return ERR_SPRITEONSCREEN2;
  err_set_number_arg(id.number);
  return ERR_SPRITEONSCREEN;
}

bool box_empty(const Rect& r) { return r.width < 1 || r.height < 1; }

bool overlap(const OverlapSide& a, const OverlapSide& b) {
  return !box_empty(a.rect) && !box_empty(b.rect) && planes_overlap_test(a, b);
}

// Collision(kind, ...) -> 1 or 0
int32_t cmd_collision(qmState* L) {
  arg_check_count(L, 3, 0);
  const int32_t kind = int_arg(L, 1);
  OverlapSide a, b;
  switch (kind) {
    case OBJ_BOX: {
      arg_check_count(L, 9, 0);
      const Rect r1 = box_args(L, 2), r2 = box_args(L, 6);
      vm_push_number(L, rect_overlaps(to_corners(r1), to_corners(r2)) ? 1 : 0);
      return 1;
    }
    case OBJ_BRUSH:
      arg_check_count(L, 7, 0);
      if (int32_t err = brush_side(L, 2, &a)) return err;
      if (int32_t err = brush_side(L, 5, &b)) return err;
      break;
    case OBJ_BRUSH_VS_BOX:
      arg_check_count(L, 8, 0);
      if (int32_t err = brush_side(L, 2, &a)) return err;
      b.rect = box_args(L, 5);
      break;
    case OBJ_LAYER:
    case OBJ_LAYER_VS_BOX: {
      arg_check_count(L, kind == OBJ_LAYER ? 3 : 6, 0);
      qmBGPic* pic = nullptr;
      if (int32_t err = layer_precondition(&pic)) return err;
      if (int32_t err = layer_side(L, pic, 2, &a)) return err;
      if (kind == OBJ_LAYER) {
        if (int32_t err = layer_side(L, pic, 3, &b)) return err;
        break;
      }
      // The box is given in picture pixels; the layer's image is at the display's scale.
      const qmDisplay* d = display_current();
      const Rect r = box_args(L, 3);
      b.rect = {to_i32(r.x * d->scale_x), to_i32(r.y * d->scale_y), to_i32(r.width * d->scale_x),
                to_i32(r.height * d->scale_y)};
      break;
    }
    case OBJ_SPRITE:
      if (int32_t err = sprite_side(L, 2, &a)) return err;
      if (int32_t err = sprite_side(L, 3, &b)) return err;
      break;
    case OBJ_SPRITE_VS_BOX:
      arg_check_count(L, 6, 0);
      if (int32_t err = sprite_side(L, 2, &a)) return err;
      b.rect = box_args(L, 3);
      break;
    default:
      return ERR_WRONGUSAGE;
  }
  vm_push_number(L, overlap(a, b) ? 1 : 0);
  return 1;
}

const qmCommand kCollisionCommands[] = {
    {"Collision", cmd_collision},
    {nullptr, nullptr},
};

}  // namespace

const qmCommand* collision_commands() { return kCollisionCommands; }

}  // namespace qm
