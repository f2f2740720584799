// The anim list and its rules: creation, find, frames handed out, copies for the layers, free and
// the collection of the anims that only layers kept.
#include "anim/animlib.h"

#include <algorithm>
#include <new>

#include "anim/anim.h"
#include "display/bgpic.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/effects.h"
#include "gfx/scale.h"
#include "runtime/errors.h"

namespace qm {

namespace {

ObjectHeader* g_anims = nullptr;

qmAnim* as_anim(ObjectHeader* h) { return reinterpret_cast<qmAnim*>(h); }

// The frame arrays of one anim: three pointers and a delay a frame, kept far below what a
// 32-bit count could ask for.
constexpr int64_t kMaxFrames = int64_t(1) << 24;

void append(qmAnim* a) {
  ObjectHeader** tail = &g_anims;
  while (*tail) tail = &(*tail)->next;
  a->header.next = nullptr;
  *tail = &a->header;
}

void list_unlink(qmAnim* a) {
  for (ObjectHeader** p = &g_anims; *p; p = &(*p)->next) {
    if (*p == &a->header) {
      *p = a->header.next;
      return;
    }
  }
}

qmAnim* find_record(const ObjectId& id, bool detached) {
  for (ObjectHeader* h = g_anims; h; h = h->next)
    if (h->id == id && (detached || !as_anim(h)->detached)) return as_anim(h);
  return nullptr;
}

int32_t not_found(const ObjectId& id) {
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDANIM;
}

void drop_cache(qmAnim* a) {
  qmos_free_bitmap(a->cached_bitmap);
  qmos_free_mask(a->cached_mask);
  qmos_free_alpha(a->cached_alpha);
  a->cached_bitmap = nullptr;
  a->cached_mask = nullptr;
  a->cached_alpha = nullptr;
  a->cached_frame = -1;
}

int32_t copy_for_layers(qmState* L, void* object, ObjectId* out_id) {
  qmAnim* copy = nullptr;
  if (int32_t err = anim_copy(L, static_cast<qmAnim*>(object), automatic_id(), &copy)) return err;
  copy->detached = 1;
  *out_id = copy->header.id;
  return 0;
}

// A frame of the file as bitmap and mask at its native size.
int32_t file_frame(qmAnimFile* f, int32_t index, int32_t width, int32_t height, int32_t transparent,
                   qmBitmap** bitmap, qmMask** mask) {
  uint32_t* pixels = qmos_load_frame(f, index);
  if (!pixels) return ERR_LOADFRAME;
  const int32_t err = qmos_scale_bitmap(pixels, transparent, width, height, width, bitmap, mask);
  qmos_free_anim_frame(f, pixels);
  return err;
}

}  // namespace

ObjectHeader** anim_list() { return &g_anims; }

int32_t anim_new(const ObjectId& id, int32_t width, int32_t height, int32_t frames, int32_t transparent,
                 bool from_disk, qmAnim** out) {
  *out = nullptr;
  if (frames < 1 || int64_t(frames) > kMaxFrames) return ERR_MEM;
  auto* a = new (std::nothrow) qmAnim();
  if (!a) return ERR_MEM;
  try {
    a->delays.assign(size_t(frames), kAnimDelayFromFile);
    if (!from_disk) {
      a->bitmaps.assign(size_t(frames), nullptr);
      a->masks.assign(size_t(frames), nullptr);
      a->alphas.assign(size_t(frames), nullptr);
    }
  } catch (const std::bad_alloc&) {
    delete a;
    return ERR_MEM;
  }
  a->header.type = OBJ_ANIM;
  a->header.id = id.handle ? ObjectId{0, a} : id;
  a->width = a->native_width = width;
  a->height = a->native_height = height;
  a->frames = frames;
  a->transparent = transparent;
  a->from_disk = from_disk ? 1 : 0;
  append(a);
  *out = a;
  return 0;
}

int32_t anim_find(const ObjectId& id, int32_t flags, qmAnim** out) {
  *out = nullptr;
  qmAnim* a = find_record(id, flags & ANIMFIND_DETACHED);
  if (!a) return not_found(id);
  if (flags & ANIMFIND_MODIFY) {
    if (a->lock) return ERR_LOCKEDOBJ;
    if (!(flags & ANIMFIND_NOCOPY)) {
      ObjectId copy_id;
      if (int32_t err = object_copy_for_layers(picture_state(), OBJ_ANIM, a->header.id, copy_for_layers, a, &copy_id))
        return err;
    }
  }
  *out = a;
  return 0;
}

bool anim_is_output_target(const qmAnim* anim) { return output_hooks().is_output_target(OBJ_ANIM, anim); }

int32_t anim_get_frame_bitmap(qmAnim* a, int32_t index, bool copy, bool raw, qmBitmap** bitmap, qmMask** mask,
                              qmAlphaChannel** alpha) {
  *bitmap = nullptr;
  *mask = nullptr;
  *alpha = nullptr;
  if (index < 0 || index >= a->frames) return ERR_ANIMFRAME;
  if (a->from_disk) {
    Planes p;
    if (int32_t err = file_frame(a->file, index, a->native_width, a->native_height, a->transparent, &p.bitmap,
                                 &p.mask))
      return err;
    if (!raw && (a->width != a->native_width || a->height != a->native_height)) {
      Planes scaled;
      if (int32_t err = bitmap_draw(p.bitmap, p.mask, nullptr, 0, 0, nullptr, a->native_width, a->native_height,
                                    a->width, a->height, a->smooth, &scaled.bitmap, p.mask ? &scaled.mask : nullptr,
                                    nullptr))
        return err;
      *bitmap = scaled.bitmap, *mask = scaled.mask;
      scaled.release();
      return 0;
    }
    *bitmap = p.bitmap, *mask = p.mask;
    p.release();
    return 0;
  }
  const size_t i = size_t(index);
  if (!copy) {
    *bitmap = a->bitmaps[i], *mask = a->masks[i], *alpha = a->alphas[i];
    return 0;
  }
  Planes p;
  if (int32_t err = planes_copy(a->bitmaps[i], a->masks[i], a->alphas[i], a->width, a->height, &p)) return err;
  *bitmap = p.bitmap, *mask = p.mask, *alpha = p.alpha;
  p.release();
  return 0;
}

int32_t anim_cache_frame(qmAnim* a, int32_t index) {
  if (a->cached_frame == index && a->cached_bitmap) return 0;
  drop_cache(a);
  if (int32_t err = anim_get_frame_bitmap(a, index, false, false, &a->cached_bitmap, &a->cached_mask,
                                          &a->cached_alpha))
    return err;
  a->cached_frame = index;
  return 0;
}

int32_t anim_get_frame_delay(const qmAnim* a, int32_t index) {
  if (index < 0 || index >= a->frames) return 0;
  const uint32_t d = a->delays[size_t(index)];
  if (d != kAnimDelayFromFile) return int32_t(d);
  return a->from_disk && a->file ? qmos_anim_frame_delay(a->file, index) : 0;
}

void anim_free_frames(qmAnim* a) {
  for (qmBitmap* b : a->bitmaps) qmos_free_bitmap(b);
  for (qmMask* m : a->masks) qmos_free_mask(m);
  for (qmAlphaChannel* al : a->alphas) qmos_free_alpha(al);
  std::fill(a->bitmaps.begin(), a->bitmaps.end(), nullptr);
  std::fill(a->masks.begin(), a->masks.end(), nullptr);
  std::fill(a->alphas.begin(), a->alphas.end(), nullptr);
  drop_cache(a);
}

void anim_free(qmState* L, qmAnim* a) {
  if (!a) return;
  anim_free_frames(a);
  qmos_close_anim(a->file);
  if (a->header.refs) reflist_free(L ? L : picture_state(), a->header.refs);
  delete a;
}

int32_t anim_free_by_id(qmState* L, const ObjectId& id, bool report) {
  qmAnim* a = find_record(id, false);
  if (!a) return report ? not_found(id) : 0;
  if (anim_is_output_target(a)) return ERR_MODIFYAANIM;
  if (a->lock) return ERR_LOCKEDOBJ;
  if (layer_hooks().redirect_object(OBJ_ANIM, a->header.id, ObjectId{0, a})) {
    a->header.id = ObjectId{0, a};
    a->detached = 1;
    return 0;
  }
  list_unlink(a);
  anim_free(L, a);
  return 0;
}

int32_t anim_copy(qmState* L, const qmAnim* s, const ObjectId& id, qmAnim** out) {
  *out = nullptr;
  RefNode* refs = nullptr;
  if (s->header.refs && !(refs = reflist_copy(L ? L : picture_state(), s->header.refs))) return ERR_MEM;
  qmAnim* a = nullptr;
  if (int32_t err = anim_new(id, s->width, s->height, s->frames, s->transparent, s->from_disk, &a)) {
    reflist_free(L ? L : picture_state(), refs);
    return err;
  }
  a->header.refs = refs;
  a->native_width = s->native_width;
  a->native_height = s->native_height;
  a->smooth = s->smooth;
  a->delays = s->delays;
  int32_t err = 0;
  if (s->from_disk) {
    a->file_name = s->file_name;
    int32_t w = 0, h = 0, n = 0;
    err = qmos_open_anim(s->file_name.c_str(), &a->file, &w, &h, &n);
    if (!err && (w != s->native_width || h != s->native_height || n != s->frames)) err = ERR_LOADFRAME;
  } else {
    for (int32_t i = 0; i < s->frames && !err; ++i) {
      const size_t k = size_t(i);
      Planes p;
      if (!s->bitmaps[k]) continue;
      err = planes_copy(s->bitmaps[k], s->masks[k], s->alphas[k], s->width, s->height, &p);
      a->bitmaps[k] = p.bitmap, a->masks[k] = p.mask, a->alphas[k] = p.alpha;
      p.release();
    }
  }
  if (err) {
    list_unlink(a);
    anim_free(L, a);
    return err;
  }
  *out = a;
  return 0;
}

void anim_collect(qmState* L) {
  ObjectHeader** p = &g_anims;
  while (*p) {
    qmAnim* a = as_anim(*p);
    if (a->detached && !a->lock && !layer_hooks().shows_object(OBJ_ANIM, a->header.id, nullptr)) {
      *p = a->header.next;
      anim_free(L, a);
    } else {
      p = &(*p)->next;
    }
  }
}

int32_t anims_realize_frames() { return 0; }

void anim_free_all(qmState* L) {
  while (g_anims) {
    qmAnim* a = as_anim(g_anims);
    g_anims = a->header.next;
    anim_free(L, a);
  }
}

int32_t anim_cut_frames(const qmBitmap* bitmap, const qmMask* mask, const qmAlphaChannel* alpha, int32_t source_w,
                        int32_t source_h, const AnimCut& c, std::vector<qmBitmap*>* bitmaps,
                        std::vector<qmMask*>* masks, std::vector<qmAlphaChannel*>* alphas) {
  if (c.width < 1 || c.height < 1 || c.frames < 1) return ERR_WRONGUSAGE;
  if (c.x < 0 || c.y < 0) return ERR_NEGCOORDS;
  const int64_t fpr = c.fpr < 1 ? c.frames : c.fpr;
  const int64_t columns = std::min<int64_t>(fpr, c.frames), rows = (int64_t(c.frames) + fpr - 1) / fpr;
  if (c.x + columns * c.width > source_w || c.y + rows * c.height > source_h) return ERR_BRUSHSIZE;
  if (int64_t(c.frames) > kMaxFrames) return ERR_MEM;
  for (int32_t i = 0; i < c.frames; ++i) {
    const int32_t fx = int32_t(c.x + (i % fpr) * c.width), fy = int32_t(c.y + (i / fpr) * c.height);
    qmBitmap* b = nullptr;
    qmMask* m = nullptr;
    qmAlphaChannel* al = nullptr;
    if (bitmap_new_with_parts(bitmap, mask, alpha, fx, fy, c.width, c.height, 0, &b, mask ? &m : nullptr,
                              alpha ? &al : nullptr))
      return ERR_MEM;
    bitmaps->push_back(b);
    masks->push_back(m);
    alphas->push_back(al);
  }
  return 0;
}

int32_t anim_build_from_file(const ObjectId& id, const char* name, int32_t transparent, bool from_disk,
                             qmAnim** out) {
  *out = nullptr;
  qmAnimFile* f = nullptr;
  int32_t width = 0, height = 0, frames = 0;
  if (int32_t err = qmos_open_anim(name, &f, &width, &height, &frames)) return err;
  qmAnim* a = nullptr;
  if (int32_t err = anim_new(id, width, height, frames, transparent, from_disk, &a)) {
    qmos_close_anim(f);
    return err;
  }
  if (from_disk) {
    a->file = f;
    a->file_name = name;
    *out = a;
    return 0;
  }
  int32_t err = 0;
  for (int32_t i = 0; i < frames && !err; ++i) {
    const size_t k = size_t(i);
    err = file_frame(f, i, width, height, transparent, &a->bitmaps[k], &a->masks[k]);
    a->delays[k] = uint32_t(std::max(0, qmos_anim_frame_delay(f, i)));
  }
  qmos_close_anim(f);
  if (err) {
    list_unlink(a);
    anim_free(nullptr, a);
    return err;
  }
  *out = a;
  return 0;
}

}  // namespace qm
