// The BGPic list and its rules: find, create, copy, free, collect, resize, and the copy-on-change
// step that lets layers keep showing an object that a command is about to change.
#include "display/bgpic.h"

#include <cstring>
#include <new>

#include "display/codecs/codecs.h"
#include "display/fill.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "gfx/blitpixels.h"
#include "gfx/scale.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"

namespace qm {

namespace {

ObjectHeader* g_bgpics = nullptr;

qmBGPic* as_bgpic(ObjectHeader* h) { return reinterpret_cast<qmBGPic*>(h); }

void list_unlink(qmBGPic* pic) {
  for (ObjectHeader** p = &g_bgpics; *p; p = &(*p)->next) {
    if (*p == &pic->header) {
      *p = pic->header.next;
      return;
    }
  }
}

// The freeing rule of the three image sets: a plane is freed with the last set that holds it.
void free_images(qmBGPic* pic) {
  BGPicImage& c = pic->current;
  BGPicImage& w = pic->working;
  BGPicImage& u = pic->unscaled;
  if (c.bitmap != w.bitmap && c.bitmap != u.bitmap) qmos_free_bitmap(c.bitmap);
  if (c.mask != w.mask && c.mask != u.mask) qmos_free_mask(c.mask);
  if (c.alpha != w.alpha && c.alpha != u.alpha) qmos_free_alpha(c.alpha);
  if (w.bitmap != u.bitmap) qmos_free_bitmap(w.bitmap);
  if (w.mask != u.mask) qmos_free_mask(w.mask);
  if (w.alpha != u.alpha) qmos_free_alpha(w.alpha);
  qmos_free_bitmap(u.bitmap);
  qmos_free_mask(u.mask);
  qmos_free_alpha(u.alpha);
  c = w = u = BGPicImage{};
}

void bgpic_free(qmState* L, qmBGPic* pic) {
  button_hooks().free_all(L ? L : picture_state(), pic);
  layer_hooks().free_layers(pic);
  layer_hooks().clear_sprites(pic);
  free_images(pic);
  if (pic->source) imagesource_release(pic->source);
  qmos_free(pic->palette);
  fill_options_free(pic->fill);
  if (pic->header.refs) reflist_free(L ? L : picture_state(), pic->header.refs);
  delete pic;
}

int32_t copy_for_layers(qmState* L, void* object, ObjectId* out_id) {
  qmBGPic* copy = nullptr;
  if (int32_t err = bgpic_copy(L, static_cast<qmBGPic*>(object), automatic_id(), &copy)) return err;
  copy->temporary = 1;
  *out_id = copy->header.id;
  return 0;
}

int32_t copy_set(const BGPicImage& from, int32_t width, int32_t height, BGPicImage* to) {
  Planes p;
  if (int32_t err = planes_copy(from.bitmap, from.mask, from.alpha, width, height, &p)) return err;
  *to = BGPicImage{p.bitmap, p.mask, p.alpha};
  p.release();
  return 0;
}

void free_set(BGPicImage& set) {
  qmos_free_bitmap(set.bitmap);
  qmos_free_mask(set.mask);
  qmos_free_alpha(set.alpha);
  set = BGPicImage{};
}

}  // namespace

ObjectHeader* bgpic_list() { return g_bgpics; }

int32_t bgpic_prepare_id(qmState* L, int32_t n, NewId* out) {
  *out = new_id_arg(L, n);
  return out->automatic ? 0 : bgpic_free_by_id(L, out->id, false);
}

int32_t object_copy_for_layers(qmState* L, int32_t type, const ObjectId& id, CopyForLayers copy, void* object,
                               ObjectId* out_id) {
  *out_id = ObjectId{};
  if (!layer_hooks().shows_object(type, id, nullptr)) return 0;
  ObjectId copy_id;
  if (int32_t err = copy(L, object, &copy_id)) return err;
  layer_hooks().redirect_object(type, id, copy_id);
  *out_id = copy_id;
  return 0;
}

int32_t bgpic_find(const ObjectId& id, int32_t flags, qmBGPic** out) {
  *out = nullptr;
  qmBGPic* pic = nullptr;
  for (ObjectHeader* h = g_bgpics; h && !pic; h = h->next)
    if (h->id == id && ((flags & BGPICFIND_TEMPORARY) || !as_bgpic(h)->temporary)) pic = as_bgpic(h);
  if (!pic) {
    if (id.handle) return ERR_FINDARRAY;
    err_set_number_arg(id.number);
    return ERR_FINDBGPIC;
  }
  if (flags & BGPICFIND_MODIFY) {
    if (pic->lock) return ERR_LOCKEDOBJ;
    if (!(flags & BGPICFIND_NOCOPY)) {
      ObjectId copy_id;
      if (int32_t err = object_copy_for_layers(picture_state(), OBJ_BGPIC, pic->header.id, copy_for_layers, pic,
                                               &copy_id))
        return err;
    }
  }
  *out = pic;
  return 0;
}

int32_t bgpic_create(const ObjectId& id, int32_t rerender, int32_t width, int32_t height, int32_t row_width,
                     qmImageSource* source, qmBitmap* bitmap, uint32_t* palette, int32_t transparent, qmMask* mask,
                     qmAlphaChannel* alpha, const FillOptions* fill, qmBGPic** out) {
  if (out) *out = nullptr;
  auto* pic = new (std::nothrow) qmBGPic();
  if (!pic) {
    qmos_free_bitmap(bitmap);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
    qmos_free(palette);
    if (fill) qmos_free_bitmap(fill->texture);
    if (source) imagesource_release(source);
    return ERR_MEM;
  }
  pic->header.type = OBJ_BGPIC;
  pic->header.id = id.handle ? ObjectId{0, pic} : id;
  pic->rerender = rerender;
  pic->source = source;
  pic->current = pic->working = pic->unscaled = BGPicImage{bitmap, mask, alpha};
  pic->display_width = pic->width = pic->unscaled_width = width;
  pic->display_height = pic->height = pic->unscaled_height = height;
  pic->row_width = row_width;
  pic->palette = palette;
  pic->transparent = transparent;
  pic->layers.tail_pred = &pic->layers;
  if (fill) pic->fill = *fill;
  ObjectHeader** tail = &g_bgpics;
  while (*tail) tail = &(*tail)->next;
  *tail = &pic->header;
  if (out) *out = pic;
  return 0;
}

int32_t bgpic_create_filled(const ObjectId& id, int32_t width, int32_t height, uint32_t colour, qmBGPic** out) {
  qmBitmap* bm = bitmap_new_filled(width, height, colour);
  if (!bm) return ERR_MEM;
  return bgpic_create(id, 0, width, height, width, nullptr, bm, nullptr, -1, nullptr, nullptr, nullptr, out);
}

int32_t bgpic_copy(qmState* L, const qmBGPic* source, const ObjectId& id, qmBGPic** out) {
  if (out) *out = nullptr;
  BGPicImage unscaled, working, current;
  uint32_t* palette = nullptr;
  FillOptions fill = source->fill;
  fill.texture = nullptr;
  RefNode* refs = nullptr;
  auto fail = [&](int32_t err) {
    if (current.bitmap != working.bitmap) free_set(current);
    if (working.bitmap != unscaled.bitmap) free_set(working);
    free_set(unscaled);
    qmos_free(palette);
    qmos_free_bitmap(fill.texture);
    reflist_free(L, refs);
    return err;
  };
  if (source->palette) {
    if (!(palette = static_cast<uint32_t*>(qmos_alloc(256 * sizeof(uint32_t), 0)))) return fail(ERR_MEM);
    std::memcpy(palette, source->palette, 256 * sizeof(uint32_t));
  }
  if (int32_t err = copy_set(source->unscaled, source->unscaled_width, source->unscaled_height, &unscaled))
    return fail(err);
  working = unscaled;
  if (source->working.bitmap != source->unscaled.bitmap) {
    working = BGPicImage{};
    if (int32_t err = copy_set(source->working, source->width, source->height, &working)) return fail(err);
  }
  current = working;
  if (source->current.bitmap != source->working.bitmap && source->current.bitmap != source->unscaled.bitmap) {
    current = BGPicImage{};
    if (int32_t err = copy_set(source->current, source->display_width, source->display_height, &current))
      return fail(err);
  }
  if (source->fill.texture) {
    Planes t;
    if (int32_t err = planes_copy(source->fill.texture, nullptr, nullptr, source->fill.texture_width,
                                  source->fill.texture_height, &t))
      return fail(err);
    fill.texture = t.bitmap;
    t.release();
  }
  if (source->header.refs && !(refs = reflist_copy(L, source->header.refs))) return fail(ERR_MEM);
  qmBGPic* pic = nullptr;
  const BGPicImage u = unscaled, w = working, c = current;
  if (source->source) imagesource_retain(source->source);  // the copy holds a reference of its own
  if (int32_t err = bgpic_create(id, source->rerender, source->unscaled_width, source->unscaled_height,
                                 source->unscaled_width, source->source, u.bitmap, palette, source->transparent,
                                 u.mask, u.alpha, &fill, &pic)) {
    if (c.bitmap != w.bitmap) free_set(current);
    if (w.bitmap != u.bitmap) free_set(working);
    reflist_free(L, refs);
    return err;
  }
  pic->header.refs = refs;
  pic->working = w;
  pic->current = c;
  pic->width = source->width;
  pic->height = source->height;
  pic->display_width = source->display_width;
  pic->display_height = source->display_height;
  if (out) *out = pic;
  return 0;
}

int32_t bgpic_free_by_id(qmState* L, const ObjectId& id, bool report) {
  qmBGPic* pic = nullptr;
  for (ObjectHeader* h = g_bgpics; h && !pic; h = h->next)
    if (h->id == id && !as_bgpic(h)->temporary) pic = as_bgpic(h);
  if (pic && output_hooks().is_output_target(OBJ_BGPIC, pic)) return ERR_MODIFYABGPIC;
  int32_t err = bgpic_find(id, BGPICFIND_MODIFY | BGPICFIND_NOCOPY, &pic);
  if (err) return (report || err == ERR_LOCKEDOBJ) ? err : 0;
  const ObjectId handle{0, pic};
  const bool layers = layer_hooks().redirect_object(OBJ_BGPIC, pic->header.id, handle);
  if (layers || output_hooks().shown_by_display(pic)) {
    pic->header.id = handle;
    pic->temporary = 1;
    return 0;
  }
  list_unlink(pic);
  bgpic_free(L, pic);
  return 0;
}

void bgpic_collect(qmState* L) {
  ObjectHeader** p = &g_bgpics;
  while (*p) {
    qmBGPic* pic = as_bgpic(*p);
    // Any display that still shows a temporary picture keeps it, not only the current one.
    if (pic->temporary && !output_hooks().shown_by_display(pic) &&
        !layer_hooks().shows_object(OBJ_BGPIC, pic->header.id, nullptr)) {
      *p = pic->header.next;
      bgpic_free(L, pic);
    } else {
      p = &(*p)->next;
    }
  }
}

// A transparent picture drawn onto its fill: the result has neither mask nor alpha plane.
int32_t fill_behind(FillOptions& fill, int32_t width, int32_t height, Planes& planes) {
  if (fill.kind == FILLNONE || (!planes.mask && !planes.alpha)) return 0;
  qmBitmap* filled = nullptr;
  if (int32_t err = fill_render(fill, width, height, &filled)) return err;
  if (planes.alpha) BLTALPHABITMAP(planes.bitmap, 0, 0, filled, 0, 0, width, height, planes.alpha);
  else BLTMASK(planes.bitmap, 0, 0, filled, 0, 0, width, height, planes.mask);
  Planes old;
  old.bitmap = planes.bitmap, old.mask = planes.mask, old.alpha = planes.alpha;
  planes.release();
  planes.bitmap = filled;
  return 0;
}

int32_t bgpic_render_at_size(qmBGPic* pic, int32_t width, int32_t height, bool smooth, BGPicImage* out) {
  *out = BGPicImage{};
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  if (pic->rerender && !pic->source) return fill_render(pic->fill, width, height, &out->bitmap);
  if (pic->source) {
    // A vector picture is drawn again from its source and put on its fill as when it was loaded.
    const double matrix[4] = {double(width) / pic->unscaled_width, 0, 0, double(height) / pic->unscaled_height};
    Planes p;
    if (int32_t err = image_render_vector(picture_state(), pic->source, matrix, 0, 0, width, height, 0, &p.bitmap,
                                          &p.mask, &p.alpha))
      return err;
    if (int32_t err = fill_behind(pic->fill, width, height, p)) return err;
    out->bitmap = p.bitmap, out->mask = p.mask, out->alpha = p.alpha;
    p.release();
    return 0;
  }
  return bitmap_draw(pic->unscaled.bitmap, pic->unscaled.mask, pic->unscaled.alpha, 0, 0, nullptr,
                     pic->unscaled_width, pic->unscaled_height, width, height, smooth ? 1 : 0, &out->bitmap,
                     &out->mask, &out->alpha);
}

int32_t bgpic_resize(qmBGPic* pic, int32_t width, int32_t height, bool smooth) {
  if (int32_t err = size_keep_aspect(pic->width, pic->height, &width, &height)) return err;
  if (width == pic->width && height == pic->height) return 0;
  BGPicImage made;
  if (int32_t err = bgpic_render_at_size(pic, width, height, smooth, &made)) return err;
  BGPicImage& c = pic->current;
  BGPicImage& w = pic->working;
  const BGPicImage& u = pic->unscaled;
  if (c.bitmap != w.bitmap && c.bitmap != u.bitmap) free_set(c);
  if (w.bitmap != u.bitmap) free_set(w);
  c = w = made;
  pic->width = pic->display_width = width;
  pic->height = pic->display_height = height;
  return 0;
}

int32_t bgpic_scale_current(qmBGPic* pic, int32_t width, int32_t height, bool smooth) {
  BGPicImage& c = pic->current;
  const BGPicImage& w = pic->working;
  const BGPicImage& u = pic->unscaled;
  BGPicImage made = w;
  if (width != pic->width || height != pic->height)
    if (int32_t err = bgpic_render_at_size(pic, width, height, smooth, &made)) return err;
  // The old current planes go unless the working or unscaled set shares them.
  auto shared = [&](const void* p) { return p == w.bitmap || p == w.mask || p == w.alpha || p == u.bitmap ||
                                            p == u.mask || p == u.alpha; };
  if (!shared(c.bitmap)) qmos_free_bitmap(c.bitmap);
  if (!shared(c.mask)) qmos_free_mask(c.mask);
  if (!shared(c.alpha)) qmos_free_alpha(c.alpha);
  c = made;
  pic->display_width = width;
  pic->display_height = height;
  return 0;
}

int32_t bgpic_total_layers() {
  int32_t n = 0;
  for (ObjectHeader* h = g_bgpics; h; h = h->next) n += layer_hooks().layer_count(as_bgpic(h));
  return n;
}

ObjectHeader** bgpic_list_head() { return &g_bgpics; }

}  // namespace qm

void bgpic_free_all() {
  while (qm::g_bgpics) {
    qm::qmBGPic* pic = qm::as_bgpic(qm::g_bgpics);
    qm::g_bgpics = pic->header.next;
    qm::bgpic_free(qm::picture_state(), pic);
  }
}
