// The brush list and its rules: find, lookup before an id is used again, creation, copies, free
// and the collection of the copies that layers kept.
#include "display/brush.h"

#include <cstring>
#include <new>

#include "display/bgpic.h"
#include "display/codecs/codecs.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "runtime/errors.h"

namespace qm {

namespace {

ObjectHeader* g_brushes = nullptr;
// The record that the last lookup found: a program shows and changes the same few brushes over and
// over, and the walk from the head of the list waits on every record before it. brush_free forgets
// it, so it never outlives its record.
qmBrush* g_last_found = nullptr;

qmBrush* as_brush(ObjectHeader* h) { return reinterpret_cast<qmBrush*>(h); }

void append(qmBrush* b) {
  ObjectHeader** tail = &g_brushes;
  while (*tail) tail = &(*tail)->next;
  b->header.next = nullptr;
  *tail = &b->header;
}

void list_unlink(qmBrush* b) {
  for (ObjectHeader** p = &g_brushes; *p; p = &(*p)->next) {
    if (*p == &b->header) {
      *p = b->header.next;
      return;
    }
  }
}

bool answers(const qmBrush* b, const ObjectId& id, bool layer_copies) {
  return b->header.id == id && (layer_copies || !b->layer_copy);
}

qmBrush* find_record(const ObjectId& id, bool layer_copies) {
  if (g_last_found && answers(g_last_found, id, layer_copies)) return g_last_found;
  for (ObjectHeader* h = g_brushes; h; h = h->next)
    if (answers(as_brush(h), id, layer_copies)) return g_last_found = as_brush(h);
  return nullptr;
}

int32_t not_found(const ObjectId& id) {
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDBRUSH;
}

qmBrush* record_new(const ObjectId& id) {
  auto* b = new (std::nothrow) qmBrush();
  if (!b) return nullptr;
  b->header.type = OBJ_BRUSH;
  b->header.id = id.handle ? ObjectId{0, b} : id;
  b->transparent = -1;
  return b;
}

int32_t copy_for_layers(qmState* L, void* object, ObjectId* out_id) {
  qmBrush* copy = nullptr;
  if (int32_t err = brush_copy(L, static_cast<qmBrush*>(object), automatic_id(), &copy)) return err;
  copy->layer_copy = 1;
  *out_id = copy->header.id;
  return 0;
}

}  // namespace

ObjectHeader** brush_list() { return &g_brushes; }

void brush_replace_planes(qmBrush* b, Planes& p, int32_t width, int32_t height) {
  qmos_free_bitmap(b->bitmap);
  qmos_free_mask(b->mask);
  qmos_free_alpha(b->alpha);
  b->bitmap = p.bitmap;
  b->mask = p.mask;
  b->alpha = p.alpha;
  p.release();
  b->width = b->row_length = width;
  b->height = height;
}

int32_t brush_find_for_change(const ObjectId& id, qmBrush** out, bool allow_vector) {
  qmBrush* b = find_record(id, false);
  if (b && output_hooks().is_output_target(OBJ_BRUSH, b)) return ERR_MODIFYABR;
  return brush_find(id, BRUSHFIND_MODIFY | (allow_vector ? 0 : BRUSHFIND_NOVECTOR), out);
}

int32_t brush_find(const ObjectId& id, int32_t flags, qmBrush** out) {
  *out = nullptr;
  qmBrush* b = find_record(id, flags & BRUSHFIND_LAYERCOPIES);
  if (!b) return not_found(id);
  if ((flags & BRUSHFIND_NOVECTOR) && b->kind == BRUSHKIND_VECTOR) return ERR_BRUSHTYPE;
  if (flags & BRUSHFIND_MODIFY) {
    if (b->locked) return ERR_LOCKEDOBJ;
    if (!(flags & BRUSHFIND_NOCOPY)) {
      ObjectId copy_id;
      if (int32_t err = object_copy_for_layers(picture_state(), OBJ_BRUSH, b->header.id, copy_for_layers, b, &copy_id))
        return err;
    }
  }
  *out = b;
  return 0;
}

int32_t brush_lookup(qmState* L, const ObjectId& id, bool require) {
  qmBrush* b = find_record(id, false);
  if (b && output_hooks().is_output_target(OBJ_BRUSH, b)) return ERR_MODIFYABR;
  if (!b) return require ? not_found(id) : 0;
  if (b->locked) return ERR_LOCKEDOBJ;
  if (layer_hooks().redirect_object(OBJ_BRUSH, b->header.id, ObjectId{0, b})) {
    b->header.id = ObjectId{0, b};
    b->layer_copy = 1;
    return 0;
  }
  list_unlink(b);
  brush_free(L, b);
  return 0;
}

int32_t brush_new(const ObjectId& id, int32_t width, int32_t height, uint32_t colour, bool with_mask,
                  bool with_alpha, bool clear, bool no_fill, qmBrush** out) {
  if (out) *out = nullptr;
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  Planes p;
  p.bitmap = qmos_alloc_bitmap(width, height);
  if (!p.bitmap) return ERR_MEM;
  if (!no_fill) qmos_fill_bitmap_rect(p.bitmap, 0, 0, width, height, colour);
  if (with_mask) {
    if (!(p.mask = qmos_alloc_mask(width, height, 1))) return ERR_MEM;
    if (!clear) std::memset(p.mask->data, 0xFF, size_t(p.mask->bytes_per_row) * size_t(height));
  }
  if (with_alpha) {
    if (!(p.alpha = qmos_alloc_alpha(width, height, 1))) return ERR_MEM;
    if (!clear) std::memset(p.alpha->data, 0xFF, size_t(p.alpha->bytes_per_row) * size_t(height));
  }
  qmBrush* b = record_new(id);
  if (!b) return ERR_MEM;
  b->bitmap = p.bitmap;
  b->mask = p.mask;
  b->alpha = p.alpha;
  p.release();
  b->width = width;
  b->height = height;
  b->row_length = width;
  b->transparent = with_mask ? BRUSH_MASK_MADE : -1;
  append(b);
  if (out) *out = b;
  return 0;
}

int32_t brush_new_from_bitmap(const ObjectId& id, int32_t kind, int32_t width, int32_t height, int32_t row_length,
                              int32_t transformed, qmImageSource* source, qmBitmap* bitmap, int32_t transparent,
                              qmMask* mask, qmAlphaChannel* alpha, qmBrush** out) {
  if (out) *out = nullptr;
  qmBrush* b = record_new(id);
  if (!b) {
    qmos_free_bitmap(bitmap);
    qmos_free_mask(mask);
    qmos_free_alpha(alpha);
    if (source) imagesource_release(source);
    return ERR_MEM;
  }
  b->kind = kind;
  b->width = width;
  b->height = height;
  b->row_length = row_length;
  b->transformed = transformed;
  b->source = source;
  b->bitmap = bitmap;
  b->transparent = transparent;
  b->mask = mask;
  b->alpha = alpha;
  append(b);
  if (out) *out = b;
  return 0;
}

int32_t brush_copy(qmState* L, const qmBrush* source, const ObjectId& id, qmBrush** out) {
  if (out) *out = nullptr;
  Planes p;
  if (int32_t err = planes_copy(source->bitmap, source->mask, source->alpha, source->width, source->height, &p))
    return err;
  RefNode* refs = nullptr;
  if (source->header.refs && !(refs = reflist_copy(L, source->header.refs))) return ERR_MEM;
  qmBrush* b = record_new(id);
  if (!b) {
    reflist_free(L, refs);
    return ERR_MEM;
  }
  b->header.refs = refs;
  b->bitmap = p.bitmap;
  b->mask = p.mask;
  b->alpha = p.alpha;
  p.release();
  b->kind = source->kind;
  b->width = b->row_length = source->width;
  b->height = source->height;
  b->transformed = source->transformed;
  b->transparent = source->transparent;
  b->source = source->source;
  if (b->source) {
    imagesource_retain(b->source);
    // A vector brush is drawn from the whole picture, whose size its rectangle keeps.
    if (b->kind == BRUSHKIND_VECTOR) b->src_width = source->src_width, b->src_height = source->src_height;
  }
  append(b);
  if (out) *out = b;
  return 0;
}

void brush_free(qmState* L, qmBrush* b) {
  if (!b) return;
  if (b == g_last_found) g_last_found = nullptr;
  qmos_free_bitmap(b->bitmap);
  qmos_free_mask(b->mask);
  qmos_free_alpha(b->alpha);
  if (b->source) imagesource_release(b->source);
  if (b->header.refs) reflist_free(L ? L : picture_state(), b->header.refs);
  delete b;
}

void brush_collect(qmState* L) {
  ObjectHeader** p = &g_brushes;
  while (*p) {
    qmBrush* b = as_brush(*p);
    if (b->layer_copy && !layer_hooks().shows_object(OBJ_BRUSH, b->header.id, nullptr)) {
      *p = b->header.next;
      brush_free(L, b);
    } else {
      p = &(*p)->next;
    }
  }
}

int32_t brush_get_planes(const ObjectId& id, qmBitmap** bitmap, qmMask** mask, qmAlphaChannel** alpha) {
  qmBrush* b = find_record(id, false);
  if (!b || b->kind == BRUSHKIND_VECTOR) return 0;
  *bitmap = b->bitmap;
  *mask = b->mask;
  *alpha = b->alpha;
  return 1;
}

int32_t brush_realize_all() {
  // Every brush made so far already holds its pixels: deferred loading keeps a source only with
  // the picture loaders.
  return 0;
}

}  // namespace qm

void brush_free_all() {
  while (qm::g_brushes) {
    qm::qmBrush* b = qm::as_brush(qm::g_brushes);
    qm::g_brushes = b->header.next;
    qm::brush_free(qm::picture_state(), b);
  }
}
