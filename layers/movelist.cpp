// Move lists: AddMove collects layer operations, DoMove carries them out in five passes (entries
// that address a layer by position, entries that find the bottom-most layer showing their
// object, entries that make a new top layer, the merge of the changed areas, one refresh each).
#include "layers/movelist.h"

#include <new>

#include "display/asyncdraw.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "layers/layers.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

ObjectHeader* g_lists = nullptr;

qmMoveList* as_list(ObjectHeader* h) { return reinterpret_cast<qmMoveList*>(h); }

qmMoveList* list_of(const ObjectId& id) {
  for (ObjectHeader* h = g_lists; h; h = h->next)
    if (h->id == id) return as_list(h);
  return nullptr;
}

void list_unlink(qmMoveList* list) {
  for (ObjectHeader** p = &g_lists; *p; p = &(*p)->next) {
    if (*p == &list->header) {
      *p = list->header.next;
      return;
    }
  }
}

// One pass of DoMove works on the display with layers on.
struct MoveContext {
  qmState* L;
  qmDisplay* d;
  qmBGPic* pic;
};

bool on_picture(const MoveContext& c, const Rect& r) {
  return r.width > 0 && r.height > 0 && int64_t(r.x) + r.width > 0 && int64_t(r.y) + r.height > 0 &&
         r.x < c.pic->display_width && r.y < c.pic->display_height;
}

Rect bounds_of(const MoveContext& c, const qmLayer* layer) {
  return layer_bounds(layer, layer->display, c.d->scale_x, c.d->scale_y);
}

void set_box(MoveEntry& e, const Rect& r) {
  e.box = to_corners(r);
  e.has_box = true;
}

// Moves a layer to (x, y), resolved against its content size and anchor, and applies the
// visibility: 0 shows, 1 hides, other values keep.
void move_layer(const MoveContext& c, qmLayer* layer, MoveEntry& e, int32_t visibility) {
  const Rect old = bounds_of(c, layer);
  const qmLayerState* t = layer->content;
  const int32_t x = coord_resolve_special_x(e.x, t->content_w, 0, layer->transform.anchor_x);
  const int32_t y = coord_resolve_special_y(e.y, t->content_h, 0, layer->transform.anchor_y);
  layer_set_position(c.L, layer, x, y, true, 0, nullptr);
  if (visibility == 0) layer->hidden = 0;
  else if (visibility == 1) layer->hidden = 1;
  const Rect now = bounds_of(c, layer);
  if (on_picture(c, now) && !layer->hidden) {
    Rect both = old;
    rect_union(both, now);
    set_box(e, both);
  } else if (on_picture(c, old)) {
    set_box(e, old);
  }
  e.done = 1;
}

// An anim layer's frame; anims arrive with their library, until then no layer shows one.
int32_t set_anim_frame(const MoveContext& c, qmLayer* layer, MoveEntry& e) {
  if (layer->type != OBJ_ANIM) return ERR_WRONGUSAGE;
  for (qmLayerState* t : {layer->content, layer->unscaled, layer->display})
    if (t) t->kind[0] = e.extra;
  move_layer(c, layer, e, 0);
  return 0;
}

int32_t remove_layer(const MoveContext& c, qmLayer* layer, MoveEntry& e) {
  if (asyncdraw_owns_layer(layer)) return ERR_REMADLAYER;
  const Rect r = bounds_of(c, layer);
  layer_remove(c.L, c.pic, layer);
  if (on_picture(c, r)) set_box(e, r);
  e.done = 1;
  return 0;
}

// An object as a new layer at the insert position (0 on top), its corner resolved for its size.
int32_t insert_layer(const MoveContext& c, MoveEntry& e, int32_t kind, int32_t position) {
  qmLayer* layer = nullptr;
  if (int32_t err = insert_object_layer(c.L, position, kind, e.id, e.x, e.y, true, false, &layer)) return err;
  if (layer) {
    const Rect r = bounds_of(c, layer);
    if (on_picture(c, r)) set_box(e, r);
  }
  e.done = 1;
  return 0;
}

// Pass 1: the entries that name a layer by its position.
int32_t by_position(const MoveContext& c, MoveEntry& e) {
  e.done = 0;
  e.has_box = false;
  if (e.kind == OBJ_UNDO) {
    int32_t level = e.y < 1 ? 1 : e.y;
    for (qmLayer* l = layers_top(c.pic); l; l = l->prev)
      if (l->type == e.x && l->creation == e.id && --level == 0) return remove_layer(c, l, e);
    return 0;
  }
  qmLayer* layer = nullptr;
  switch (e.kind) {
    case OBJ_LAYER: case OBJ_HIDELAYER: case OBJ_REMOVELAYER: case OBJ_NEXTFRAME2:
      layer = layer_at_index(c.pic, e.id.number);
      if (!layer) return ERR_LAYERRANGE;
      break;
    case OBJ_INSERTBRUSH: return insert_layer(c, e, OBJ_BRUSH, e.extra);
    default: return 0;
  }
  switch (e.kind) {
    case OBJ_LAYER: move_layer(c, layer, e, e.extra); return 0;
    case OBJ_HIDELAYER: {
      const Rect r = bounds_of(c, layer);
      if (on_picture(c, r)) set_box(e, r);
      layer->hidden = 1;
      e.done = 1;
      return 0;
    }
    case OBJ_REMOVELAYER: return remove_layer(c, layer, e);
    default: return set_anim_frame(c, layer, e);
  }
}

// Pass 2: each entry affects at most the bottom-most layer showing its object.
int32_t by_object(const MoveContext& c, std::vector<MoveEntry>& entries) {
  for (qmLayer* l = layers_bottom(c.pic); l; l = l->next) {
    for (MoveEntry& e : entries) {
      if (e.done || l->creation != e.id) continue;
      if ((e.kind == OBJ_BRUSH || e.kind == OBJ_TEXTOBJECT) && l->type == e.kind) {
        move_layer(c, l, e, 0);
      } else if (e.kind == OBJ_HIDEBRUSH && l->type == OBJ_BRUSH) {
        const Rect r = bounds_of(c, l);
        if (on_picture(c, r)) set_box(e, r);
        l->hidden = 1;
        e.done = 1;
      } else if (e.kind == OBJ_NEXTFRAME && l->type == OBJ_ANIM) {
        if (int32_t err = set_anim_frame(c, l, e)) return err;
      }
    }
  }
  return 0;
}

// Pass 3: what no layer shows yet becomes a new top layer (anims and text objects through the
// layers' seams for their libraries).
int32_t new_layer(const MoveContext& c, MoveEntry& e) {
  switch (e.kind) {
    case OBJ_BRUSH: return insert_layer(c, e, OBJ_BRUSH, 0);
    case OBJ_TEXTOBJECT: return insert_layer(c, e, OBJ_TEXTOBJECT, 0);
    case OBJ_NEXTFRAME: {
      if (e.extra < -1) return ERR_ANIMFRAME;
      if (int32_t err = insert_layer(c, e, OBJ_ANIM, 0)) return err;
      qmLayer* layer = layers_top(c.pic);
      if (!layer || layer->type != OBJ_ANIM) return 0;
      // Frame 0: the second frame when there are more than one; -1 the last.
      const int32_t count = layer->content->kind[1];
      int32_t frame = e.extra;
      if (frame == 0) frame = count > 1 ? 1 : 0;
      else if (frame == -1) frame = count - 1;
      else if (frame > count) return ERR_ANIMFRAME;
      else frame -= 1;
      for (qmLayerState* t : {layer->content, layer->unscaled, layer->display})
        if (t) t->kind[0] = frame;
      return 0;
    }
    default: return ERR_WRONGUSAGE;
  }
}

int32_t output_check(const qmDisplay* d) {
  switch (d->output_type) {
    case TARGET_PICTURE: {
      const OutputTarget* t = drawtarget_selected();
      return t && t->object_type == OBJ_BGPIC ? 0 : ERR_SELECTBRUSH;
    }
    case TARGET_MASK: return ERR_SELECTMASK;
    case TARGET_ALPHA: return ERR_SELECTALPHACHANNEL;
    default: return 0;
  }
}

}  // namespace

int32_t movelist_find(const ObjectId& id, qmMoveList** out) {
  *out = list_of(id);
  if (*out) return 0;
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDMOVE;
}

int32_t movelist_get(const ObjectId& id, qmMoveList** out, bool* made) {
  *made = false;
  if (id.number || id.handle) {
    if ((*out = list_of(id))) return 0;
  }
  auto* list = new (std::nothrow) qmMoveList();
  if (!list) return ERR_MEM;
  list->header.type = OBJ_MOVELIST;
  list->header.id = id.number || id.handle ? id : ObjectId{0, list};
  ObjectHeader** tail = &g_lists;
  while (*tail) tail = &(*tail)->next;
  *tail = &list->header;
  *out = list;
  *made = true;
  return 0;
}

int32_t movelist_add(qmMoveList* list, const MoveEntry& entry) {
  if (list->entries.size() >= size_t(kMoveListCapacity)) return ERR_INTERNAL;
  list->entries.push_back(entry);
  list->entries.back().done = 0;
  list->entries.back().has_box = false;
  return 0;
}

void movelist_free(qmMoveList* list) {
  list_unlink(list);
  delete list;
}

void movelists_free_all() {
  while (g_lists) movelist_free(as_list(g_lists));
}

void movelist_merge_boxes(std::vector<MoveEntry>& entries) {
  for (MoveEntry& a : entries) {
    if (!a.has_box) continue;
    for (MoveEntry& b : entries) {
      if (&a == &b || !b.has_box || !rect_overlaps(a.box, b.box)) continue;
      a.box = {std::min(a.box.x1, b.box.x1), std::min(a.box.y1, b.box.y1), std::max(a.box.x2, b.box.x2),
               std::max(a.box.y2, b.box.y2)};
      b.has_box = false;
    }
  }
}

int32_t movelist_run(qmState* L, qmMoveList* list) {
  qmDisplay* d = display_current();
  qmBGPic* pic = layers_current_picture();
  if (!d || !d->layers || !pic) return ERR_NOLAYERS;
  if (int32_t err = output_check(d)) return err;
  const MoveContext c{L, d, pic};
  std::vector<MoveEntry>& entries = list->entries;
  for (MoveEntry& e : entries)
    if (int32_t err = by_position(c, e)) return err;
  if (int32_t err = by_object(c, entries)) return err;
  for (MoveEntry& e : entries)
    if (!e.done)
      if (int32_t err = new_layer(c, e)) return err;
  movelist_merge_boxes(entries);
  for (const MoveEntry& e : entries)
    if (e.has_box) refresh_dirty_rect(L, to_rect(e.box));
  return 0;
}

namespace {

// A layer argument: a position, or the name of a layer of the current picture.
int32_t layer_position_arg(qmState* L, int32_t n, int32_t* out) {
  return layer_arg_index(L, layers_current_picture(), n, out);
}

int32_t cmd_addmove(qmState* L) {
  arg_check_count(L, 3, 6);
  const bool automatic = vm_type(L, 1) == QM_TNIL;
  const ObjectId id = automatic ? ObjectId{} : arg_get_id(L, 1);
  MoveEntry e;
  e.kind = to_i32(vm_arg_check_number(L, 2));
  switch (e.kind) {
    case OBJ_LAYER: case OBJ_HIDELAYER: case OBJ_REMOVELAYER: case OBJ_NEXTFRAME2:
      if (int32_t err = layer_position_arg(L, 3, &e.id.number)) return err;
      break;
    case OBJ_UNDO:
      e.x = to_i32(vm_arg_check_number(L, 3));
      e.id = arg_get_id(L, 4);
      break;
    default: e.id = arg_get_id(L, 3); break;
  }
  if (e.kind != OBJ_UNDO) e.x = to_i32(vm_arg_opt_number(L, 4, 0));
  e.y = to_i32(vm_arg_opt_number(L, 5, 0));
  if (vm_get_top(L) >= 6 && vm_type(L, 6) != QM_TNIL) {
    if (e.kind == OBJ_INSERTBRUSH) {
      if (int32_t err = layer_position_arg(L, 6, &e.extra)) return err;
    } else {
      e.extra = to_i32(vm_arg_check_number(L, 6));
    }
  }
  qmMoveList* list = nullptr;
  bool made = false;
  if (int32_t err = movelist_get(id, &list, &made)) return err;
  if (int32_t err = movelist_add(list, e)) return err;
  if (!automatic) return 0;
  vm_push_lightuserdata(L, list);
  return 1;
}

int32_t cmd_clearmove(qmState* L) {
  arg_check_count(L, 1, 1);
  qmMoveList* list = nullptr;
  if (int32_t err = movelist_find(arg_get_id(L, 1), &list)) return err;
  movelist_free(list);
  return 0;
}

int32_t cmd_domove(qmState* L) {
  arg_check_count(L, 1, 1);
  const ObjectId id = arg_get_id(L, 1);
  qmDisplay* d = display_current();
  if (!d || !d->layers) return ERR_NOLAYERS;
  qmMoveList* list = nullptr;
  if (int32_t err = movelist_find(id, &list)) return err;
  return movelist_run(L, list);
}

const qmCommand kMoveListCommands[] = {
    {"AddMove", cmd_addmove},
    {"ClearMove", cmd_clearmove},
    {"DoMove", cmd_domove},
    {nullptr, nullptr},
};

}  // namespace

const qmCommand* movelist_commands() { return kMoveListCommands; }

}  // namespace qm
