// How the rest of the player reaches anims: frames for showing and selecting (AnimHooks), anims
// as layers (LayerServices), anims as sprite sources (SpriteSources), and the clean-up of the
// anims that only layers kept.
#include <cstring>

#include "anim/anim.h"
#include "anim/animlib.h"
#include "display/display.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/showbrush.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/effects.h"
#include "layers/layer.h"
#include "layers/layers.h"
#include "layers/sprite.h"

namespace qm {

namespace {

decltype(LayerServices::insert_object) g_next_insert_object = nullptr;

int32_t hook_frame(qmState*, const ObjectId& id, int32_t frame, AnimFrameSlots* out) {
  *out = AnimFrameSlots{};
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(id, 0, &a)) return err;
  out->anim = a;
  out->width = a->width, out->height = a->height, out->count = a->frames;
  out->disk = a->from_disk != 0;
  out->transparent = a->transparent;
  if (frame < 0 || frame >= a->frames) return 0;
  if (a->from_disk) {
    if (int32_t err = anim_cache_frame(a, frame)) return err;
    out->bitmap = &a->cached_bitmap, out->mask = &a->cached_mask, out->alpha = &a->cached_alpha;
    return 0;
  }
  const size_t i = size_t(frame);
  out->bitmap = &a->bitmaps[i], out->mask = &a->masks[i], out->alpha = &a->alphas[i];
  return 0;
}

int32_t hook_insert_layer(qmState* L, const ImageLayerRequest& r) {
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(r.id, 0, &a)) return err;
  return anim_layer_insert(L, a, r.frame, r.dest_x, r.dest_y, r.transform, r.style, -1, LAYER_SCALED, nullptr);
}

// The planes of a frame as the layers draw them.
int32_t service_anim_frame(qmState*, const ObjectId& id, int32_t frame, LayerPlanes* out, int32_t* count) {
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(id, ANIMFIND_DETACHED, &a)) return err;
  *count = a->frames;
  if (frame == -1) frame = 0;
  if (frame < 0 || frame >= a->frames) return ERR_ANIMFRAME;
  const qmBitmap* bitmap = nullptr;
  const qmMask* mask = nullptr;
  const qmAlphaChannel* alpha = nullptr;
  if (a->from_disk) {
    if (int32_t err = anim_cache_frame(a, frame)) return err;
    bitmap = a->cached_bitmap, mask = a->cached_mask, alpha = a->cached_alpha;
  } else {
    const size_t i = size_t(frame);
    bitmap = a->bitmaps[i], mask = a->masks[i], alpha = a->alphas[i];
  }
  if (!bitmap) return ERR_ANIMFRAME;
  *out = LayerPlanes{bitmap, mask, alpha, a->width, a->height, 0, 0};
  return 0;
}

// CreateLayer with frames: a temporary anim that only the new layer holds.
int32_t service_create_anim_layer(qmState* L, const AnimLayerRequest& r) {
  qmAnim* a = nullptr;
  if (!picture_size_allowed(r.width, r.height)) return ERR_MEM;
  if (int32_t err = anim_new(automatic_id(), r.width, r.height, r.frames, -1, false, &a)) return err;
  a->detached = 1;
  for (size_t i = 0; i < size_t(r.frames); ++i) {
    qmBitmap* b = bitmap_new_filled(r.width, r.height, r.colour & 0xFFFFFF);
    qmMask* m = r.mask ? qmos_alloc_mask(r.width, r.height, 1) : nullptr;
    qmAlphaChannel* al = r.alpha ? qmos_alloc_alpha(r.width, r.height, 1) : nullptr;
    a->bitmaps[i] = b, a->masks[i] = m, a->alphas[i] = al;
    if (!b || (r.mask && !m) || (r.alpha && !al)) {
      anim_collect(L);
      return ERR_MEM;
    }
    if (m && !r.clear) std::memset(m->data, 0xFF, size_t(m->bytes_per_row) * size_t(r.height));
    if (al && !r.clear) std::memset(al->data, 0xFF, size_t(al->bytes_per_row) * size_t(r.height));
  }
  LayerSpec spec;
  spec.type = OBJ_ANIM;
  spec.id = a->header.id;
  spec.x = r.x, spec.y = r.y, spec.width = r.width, spec.height = r.height;
  spec.part_x = 0, spec.part_y = r.frames;
  const int32_t err = layer_new(L, r.pic, spec, nullptr);
  if (err) anim_collect(L);
  return err;
}

int32_t service_insert_object(qmState* L, int32_t kind, const ObjectId& id, int32_t x, int32_t y, int32_t position,
                              int32_t flags) {
  if (kind != OBJ_ANIM) return g_next_insert_object(L, kind, id, x, y, position, flags);
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(id, 0, &a)) return err;
  x = coord_resolve_special_x(x, a->width, 0, 0.0);
  y = coord_resolve_special_y(y, a->height, 0, 0.0);
  return anim_layer_insert(L, a, 0, x, y, nullptr, nullptr, position, flags, nullptr);
}

int32_t service_modify_frames(qmState* L, qmLayer* layer, int32_t frames, int32_t extra, int32_t* count) {
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(layer->object, ANIMFIND_DETACHED, &a)) return err;
  if (a->from_disk) return ERR_ANIMDISK;
  if (a->lock) return ERR_LOCKEDOBJ;
  if (anim_is_output_target(a)) return ERR_MODIFYAANIM;
  // The layer changes an anim of its own unless it is the only one holding a temporary anim.
  if (!a->detached || layer_hooks().shows_object(OBJ_ANIM, a->header.id, layer)) {
    qmAnim* copy = nullptr;
    if (int32_t err = anim_copy(L, a, automatic_id(), &copy)) return err;
    copy->detached = 1;
    layer->object = copy->header.id;
    a = copy;
    anim_collect(L);
  }
  if (int32_t err = anim_modify_frames(a, frames, extra)) return err;
  *count = a->frames;
  return 0;
}

// Sprites from an anim file and from an anim: copies of the frames at the anim's size.
int32_t frames_of(qmAnim* a, SpriteFrames* out) {
  out->width = a->width, out->height = a->height, out->transparent = a->transparent;
  for (int32_t i = 0; i < a->frames; ++i) {
    SpriteFrame f;
    if (int32_t err = anim_get_frame_bitmap(a, i, true, false, &f.bitmap, &f.mask, &f.alpha)) {
      sprite_frames_free(out->frames);
      return err;
    }
    out->frames.push_back(f);
  }
  return 0;
}

int32_t sprite_from_anim_file(qmState* L, const char* name, int32_t transparent, bool, SpriteFrames* out) {
  qmAnim* a = nullptr;
  const int32_t err = anim_build_from_file(automatic_id(), name, transparent, false, &a);
  if (err == ERR_OPENANIM2) return SPRITE_NOT_ANIM;
  if (err) return err;
  a->detached = 1;
  const int32_t result = frames_of(a, out);
  anim_collect(L);
  return result;
}

int32_t sprite_from_anim(qmState*, const ObjectId& id, SpriteFrames* out) {
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(id, 0, &a)) return err;
  return frames_of(a, out);
}

}  // namespace

int32_t anim_layer_insert(qmState* L, qmAnim* a, int32_t frame, int32_t x, int32_t y,
                          const qmTransformTags* transform, const qmDrawTagOptions* style, int32_t position,
                          int32_t flags, qmLayer** out) {
  qmBGPic* pic = layers_current_picture();
  qmDisplay* d = display_current();
  if (!d || !d->layers || !pic) return ERR_NOLAYERS;
  LayerSpec spec;
  spec.type = OBJ_ANIM;
  spec.id = a->header.id;
  spec.x = x, spec.y = y;
  spec.width = a->width, spec.height = a->height;
  spec.part_x = frame, spec.part_y = a->frames;
  spec.insert_position = position;
  spec.flags = flags;
  TransformBlock block;
  if (transform) {
    block = layer_transform_of(*transform);
    spec.transform = &block;
  }
  LayerStyle layer_style;
  if (style) {
    layer_style = layer_style_of(*style);
    spec.style = &layer_style;
  }
  return layer_new(L, pic, spec, out);
}

void anim_install_hooks() {
  AnimHooks& hooks = anim_hooks();
  hooks.frame = hook_frame;
  hooks.insert_layer = hook_insert_layer;
  hooks.frame_delay = [](const ObjectId& id, int32_t frame, int32_t* out) {
    qmAnim* a = nullptr;
    if (int32_t err = anim_find(id, ANIMFIND_DETACHED, &a)) return err;
    *out = anim_get_frame_delay(a, frame);
    return 0;
  };
  hooks.lock = [](void* anim, int32_t delta) { static_cast<qmAnim*>(anim)->lock += delta; };
  LayerServices& s = layer_services();
  s.anim_frame = service_anim_frame;
  s.create_anim_layer = service_create_anim_layer;
  if (s.insert_object != service_insert_object) g_next_insert_object = s.insert_object;
  s.insert_object = service_insert_object;
  s.anim_modify_frames = service_modify_frames;
  s.anim_collect = anim_collect;
  SpriteSources& sprites = sprite_sources();
  sprites.anim_file = sprite_from_anim_file;
  sprites.anim = sprite_from_anim;
}

}  // namespace qm
