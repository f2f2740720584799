// The sprite library's commands: loading and making sprites, showing, moving and taking them
// off, scaling, flipping, copying and freeing them, with the library's start.
#include <algorithm>
#include <string>

#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/picture_load.h"
#include "display/brush.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/effects.h"
#include "gfx/scale.h"
#include "layers/layer.h"
#include "layers/layers.h"
#include "layers/sprite.h"
#include "platform/window.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/messages.h"

namespace qm {

namespace {

SpriteSources g_sources;

int32_t anim_not_found(qmState*, const ObjectId& id, SpriteFrames*) {
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDANIM;
}

int32_t textobject_not_found(qmState*, const ObjectId& id, SpriteFrames*) {
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDTEXTOBJECT;
}

int32_t no_anim_readers(qmState*, const char*, int32_t, bool, SpriteFrames*) { return SPRITE_NOT_ANIM; }

// The cut of frames out of a picture: frame i at column i mod fpr and row i div fpr, offset by
// (x, y). Width and height 0 take the whole picture as one frame.
struct FrameCut {
  int32_t width = 0, height = 0, frames = 1, fpr = 0, x = 0, y = 0;
};

int32_t cut_frames(const qmBitmap* bitmap, const qmMask* mask, const qmAlphaChannel* alpha, int32_t source_w,
                   int32_t source_h, FrameCut cut, SpriteFrames* out) {
  if (cut.width <= 0 && cut.height <= 0) cut = FrameCut{source_w, source_h, 1, 1, 0, 0};
  if (cut.width < 1 || cut.height < 1 || cut.frames < 1) return ERR_WRONGUSAGE;
  if (cut.x < 0 || cut.y < 0) return ERR_NEGCOORDS;
  if (cut.fpr < 1) cut.fpr = cut.frames;
  const int64_t columns = std::min(cut.fpr, cut.frames), rows = (int64_t(cut.frames) + cut.fpr - 1) / cut.fpr;
  if (cut.x + columns * cut.width > source_w || cut.y + rows * cut.height > source_h) return ERR_BRUSHSIZE;
  out->width = cut.width;
  out->height = cut.height;
  for (int32_t i = 0; i < cut.frames; ++i) {
    const int32_t fx = cut.x + (i % cut.fpr) * cut.width, fy = cut.y + (i / cut.fpr) * cut.height;
    SpriteFrame f;
    if (bitmap_new_with_parts(bitmap, mask, alpha, fx, fy, cut.width, cut.height, 0, &f.bitmap, mask ? &f.mask : nullptr,
                              alpha ? &f.alpha : nullptr)) {
      sprite_frames_free(out->frames);
      return ERR_MEM;
    }
    out->frames.push_back(f);
  }
  return 0;
}

int32_t make_sprite(qmState* L, const NewId& id, SpriteFrames& made) {
  qmSprite* s = nullptr;
  if (int32_t err = sprite_new(id.id, made.width, made.height, made.frames, &s)) return err;
  s->transparent = made.transparent;
  return push_new_id(L, id, s);
}

int32_t free_numbered(qmState* L, const NewId& id) { return id.automatic ? 0 : sprite_free_by_id(L, id.id, false); }

int32_t cmd_loadsprite(qmState* L) {
  arg_check_count(L, 2, 3);
  const NewId id = new_id_arg(L, 1);
  int32_t transparent = -1;
  bool load_alpha = false;
  FrameCut cut{0, 0, 1, 0, 0, 0};
  if (vm_type(L, 3) == QM_TTABLE) {
    uint32_t colour = 0;
    int32_t given = 0;
    opt_get_uint(L, 3, "transparency", &colour, &given);
    if (given) transparent = int32_t(colour & 0xFFFFFF);
    load_alpha = table_flag(L, 3, "loadalpha");
    opt_get_int(L, 3, "x", &cut.x, nullptr);
    opt_get_int(L, 3, "y", &cut.y, nullptr);
    opt_get_int(L, 3, "width", &cut.width, nullptr);
    opt_get_int(L, 3, "height", &cut.height, nullptr);
    opt_get_int(L, 3, "frames", &cut.frames, nullptr);
    opt_get_int(L, 3, "fpr", &cut.fpr, nullptr);
  } else if (vm_get_top(L) >= 3 && vm_type(L, 3) != QM_TNIL) {
    const double v = vm_arg_check_number(L, 3);
    if (v != -1) transparent = int32_t(to_u32_bits(v) & 0xFFFFFF);
  }
  if (transparent != -1 && load_alpha) return ERR_MASKNALPHA;
  const std::string name = arg_get_linked_file(L, 2, 0, nullptr);
  if (int32_t err = free_numbered(L, id)) return err;
  ConsoleReport report(MSG_LOADING_SPRITE, name);
  SpriteFrames made;
  int32_t err = sprite_sources().anim_file(L, name.c_str(), transparent, load_alpha, &made);
  if (err == SPRITE_NOT_ANIM) {
    LoadedPicture picture;
    if ((err = picture_open(name.c_str(), nullptr, -1, 0, load_alpha, &picture))) return err;
    Planes p;
    if ((err = picture_make_planes(L, picture, 0, 0, picture.width, picture.height, transparent, &p))) return err;
    err = cut_frames(p.bitmap, p.mask, p.alpha, picture.width, picture.height, cut, &made);
  }
  if (err) return err;
  if (made.transparent == -1) made.transparent = transparent;
  report.ok = true;
  return make_sprite(L, id, made);
}

int32_t cmd_createsprite(qmState* L) {
  arg_check_count(L, 3, 255);
  const NewId id = new_id_arg(L, 1);
  const int32_t type = to_i32(vm_arg_check_number(L, 2));
  const int32_t argc = vm_get_top(L);
  // The destination goes first: the sources are looked up afterwards, so none of them can be a
  // sprite that freeing the destination took away.
  if (int32_t err = free_numbered(L, id)) return err;
  if (type == OBJ_SPRITE) {
    std::vector<qmSprite*> segments;
    for (int32_t n = 3; n <= argc; ++n) {
      qmSprite* seg = nullptr;
      if (int32_t err = sprite_find(arg_get_id(L, n), 0, &seg)) return err;
      segments.push_back(seg);
    }
    qmSprite* s = nullptr;
    if (int32_t err = sprite_new_linked(id.id, segments, &s)) return err;
    return push_new_id(L, id, s);
  }
  const ObjectId source = arg_get_id(L, 3);
  SpriteFrames made;
  int32_t err = 0;
  switch (type) {
    case OBJ_BRUSH: {
      if (argc > 9) return ERR_TOOMANYARGS;
      int32_t v[6] = {0, 0, 0, 0, 0, 0};
      for (int32_t i = 0; i < 6 && 4 + i <= argc; ++i) v[i] = to_i32(vm_arg_check_number(L, 4 + i));
      qmBrush* b = nullptr;
      if ((err = brush_find(source, BRUSHFIND_NOVECTOR, &b))) return err;
      const FrameCut cut{v[0], v[1], v[0] <= 0 && v[1] <= 0 ? 1 : v[2], v[3], v[4], v[5]};
      err = cut_frames(b->bitmap, b->mask, b->alpha, b->width, b->height, cut, &made);
      made.transparent = b->transparent;
      break;
    }
    case OBJ_ANIM:
      if (argc > 3) return ERR_TOOMANYARGS;
      err = sprite_sources().anim(L, source, &made);
      break;
    case OBJ_TEXTOBJECT:
      if (argc > 3) return ERR_TOOMANYARGS;
      err = sprite_sources().textobject(L, source, &made);
      break;
    default: return ERR_WRONGUSAGE;
  }
  if (err) return err;
  return make_sprite(L, id, made);
}

qmSprite* sprite_arg(qmState* L, int32_t n, int32_t flags = 0) {
  qmSprite* s = nullptr;
  if (int32_t err = sprite_find(arg_get_id(L, n), flags, &s)) vm_command_fail(L, err);
  return s;
}

int32_t cmd_displaysprite(qmState* L) {
  arg_check_count(L, 3, 4);
  const ObjectId id = arg_get_id(L, 1);
  const int32_t x = to_i32(vm_arg_check_number(L, 2)), y = to_i32(vm_arg_check_number(L, 3));
  const int32_t frame = to_i32(vm_arg_opt_number(L, 4, 0));
  if (int32_t err = sprite_output_check(display_current())) return err;
  qmSprite* s = nullptr;
  if (int32_t err = sprite_find(id, 0, &s)) return err;
  // A run of moves is recomposed once, before the next command or present can see it.
  const int32_t err = sprite_show(L, s, x, y, frame, true);
  if (sprites_pending()) vm_set_command_barrier(L, cmd_displaysprite, [](qmState*) { sprites_flush_pending(); });
  return err;
}

int32_t cmd_removesprite(qmState* L) {
  arg_check_count(L, 1, 1);
  const ObjectId id = arg_get_id(L, 1);
  if (int32_t err = sprite_output_check(display_current())) return err;
  qmSprite* s = nullptr;
  if (int32_t err = sprite_find(id, SPRITEFIND_UNLOCKED, &s)) return err;
  return sprite_remove(L, s);
}

int32_t cmd_removesprites(qmState* L) {
  arg_check_count(L, 0, 1);
  const bool keep = flag_arg(L, 1);
  if (int32_t err = sprite_output_check(display_current())) return err;
  return sprites_remove_all(L, keep);
}

int32_t cmd_freesprite(qmState* L) {
  arg_check_count(L, 1, 1);
  return sprite_free_by_id(L, arg_get_id(L, 1), true);
}

int32_t cmd_scalesprite(qmState* L) {
  arg_check_count(L, 3, 4);
  qmSprite* s = sprite_arg(L, 1);
  int32_t width = size_or_percent(L, 2, s->width), height = size_or_percent(L, 3, s->height);
  const bool smooth = flag_arg(L, 4);
  if (int32_t err = sprite_modify_check(s)) return err;
  if (int32_t err = size_keep_aspect(s->width, s->height, &width, &height)) return err;
  if (width == s->width && height == s->height) return 0;
  if (width < 1 || height < 1) return ERR_WRONGUSAGE;
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  // Every frame is scaled before any is replaced, so a failure leaves the sprite as it was.
  std::vector<SpriteFrame> scaled;
  for (const SpriteFrame& f : s->frames) {
    SpriteFrame n;
    if (int32_t err = bitmap_draw(f.bitmap, f.mask, f.alpha, 0, 0, nullptr, s->width, s->height, width, height,
                                  smooth ? 1 : 0, &n.bitmap, f.mask ? &n.mask : nullptr, f.alpha ? &n.alpha : nullptr)) {
      sprite_frames_free(scaled);
      return err;
    }
    scaled.push_back(n);
  }
  sprite_frames_free(s->frames);
  s->frames = std::move(scaled);
  s->width = width;
  s->height = height;
  return 0;
}

int32_t cmd_flipsprite(qmState* L) {
  arg_check_count(L, 2, 2);
  qmSprite* s = sprite_arg(L, 1);
  const int32_t horizontal = vm_arg_check_number(L, 2) != 0 ? 1 : 0;
  if (int32_t err = sprite_modify_check(s)) return err;
  for (SpriteFrame& f : s->frames) {
    qmBitmapLock lock;
    if (!qmos_lock_bitmap(f.bitmap, &lock)) return ERR_LOCKBMAP;
    qmos_unlock_bitmap(&lock);
    if (int32_t err = bitmap_flip(f.bitmap, f.mask, f.alpha, s->width, s->height, horizontal)) return err;
  }
  return 0;
}

int32_t cmd_copysprite(qmState* L) {
  arg_check_count(L, 2, 2);
  qmSprite* source = sprite_arg(L, 1);
  const NewId id = new_id_arg(L, 2);
  if (!id.automatic) {
    if (id.id == source->header.id) return ERR_WRONGUSAGE;
    qmSprite* old = nullptr;
    if (sprite_find(id.id, 0, &old) == 0) {
      if (old->lock) return ERR_LOCKEDOBJ;
      // Freeing a segment frees the sprites linked to it, the source among them.
      if (source->linked && std::find(source->segments.begin(), source->segments.end(), old) != source->segments.end())
        return ERR_MODIFYSPRITE2;
      sprite_free(L, old);
    }
  }
  qmSprite* s = nullptr;
  if (int32_t err = sprite_copy(source, id.id, &s)) return err;
  return push_new_id(L, id, s);
}

const qmCommand kSpriteCommands[] = {
    {"LoadSprite", cmd_loadsprite},       {"CreateSprite", cmd_createsprite}, {"DisplaySprite", cmd_displaysprite},
    {"RemoveSprite", cmd_removesprite},   {"RemoveSprites", cmd_removesprites}, {"FreeSprite", cmd_freesprite},
    {"ScaleSprite", cmd_scalesprite},     {"CopySprite", cmd_copysprite},     {"FlipSprite", cmd_flipsprite},
    {nullptr, nullptr},
};

}  // namespace

SpriteSources& sprite_sources() {
  if (!g_sources.anim) sprite_sources_reset();
  return g_sources;
}

void sprite_sources_reset() { g_sources = SpriteSources{no_anim_readers, anim_not_found, textobject_not_found}; }

int32_t sprite_init(qmState* L) {
  layer_hooks().clear_sprites = sprites_clear;
  layer_services().draw_sprites = [](qmState*, qmBGPic* pic, qmBitmap* dest, const Rect& area) {
    sprites_draw(pic, dest, area);
  };
  layer_services().sprites_shown = [](const qmBGPic* pic) { return pic && pic->sprites; };
  platform_set_present_preparer(sprites_flush_pending);
  sprite_attributes_open();
  return picture_library_open(L, kSpriteCommands, nullptr, "sprite", sprite_list());
}

}  // namespace qm
