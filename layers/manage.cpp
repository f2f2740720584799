// Reordering, decorating, showing, hiding, removing, undoing and freeing layers.
#include "layers/manage.h"

#include <cstring>

#include "display/asyncdraw.h"
#include "display/bgpic.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "layers/access.h"
#include "layers/layers.h"
#include "runtime/args.h"

namespace qm {

namespace {

inline constexpr int32_t kMaxRemoved = 256;

// The objects a removed layer showed may now be unused.
void collect_for(qmState* L, int32_t type) {
  if (type == OBJ_BRUSH || type == OBJ_BRUSHPART) brush_collect(L);
  else if (type == OBJ_BGPICPART) bgpic_collect(L);
  else if (type == OBJ_TEXTOBJECT) layer_services().textobject_collect(L);
  else if (type == OBJ_ANIM) layer_services().anim_collect(L);
}

Rect bounds_of(const qmLayer* layer) {
  const qmDisplay* d = display_current();
  return layer_bounds(layer, layer->display, d ? d->scale_x : 1.0, d ? d->scale_y : 1.0);
}

// A layer argument must be a position or a name, before any other check.
void check_layer_arg(qmState* L, int32_t n) {
  if (vm_type(L, n) != QM_TNUMBER && vm_type(L, n) != QM_TSTRING) {
    vm_set_error_number(L, n);
    vm_raise_error(L, ERR_STRORNUM);
  }
}

}  // namespace

void remove_layer(qmState* L, qmBGPic* pic, qmLayer* layer, bool no_refresh, Rect* bounds, DirtyList* dirty) {
  const Rect r = bounds_of(layer);
  if (bounds) *bounds = r;
  if (!no_refresh) {
    if (dirty) {
      dirty_list_add(*dirty, r, true);
    } else {
      // Redrawn while the layer is still linked: as a placeholder it shows nothing.
      const int32_t type = layer->type;
      layer->type = OBJ_NOOBJECT;
      refresh_dirty_rect(L, r);
      layer->type = type;
    }
  }
  const int32_t type = layer->type;
  layer_remove(L, pic, layer);  // with the button bound to it
  collect_for(L, type);
}

namespace {

// The n-th layer from the top showing (type, id) as created, or nullptr.
qmLayer* find_from_top(qmBGPic* pic, int32_t type, const ObjectId& id, int32_t n) {
  for (qmLayer* l = layers_top(pic); l; l = l->prev)
    if (l->type == type && l->creation == id && --n == 0) return l;
  return nullptr;
}

}  // namespace

int32_t layer_remove_by_object(qmState* L, int32_t type, const ObjectId& id, int32_t n, Rect* bounds) {
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  qmLayer* layer = find_from_top(pic, type, id, n);
  if (!layer) return 0;
  if (asyncdraw_owns_layer(layer)) return ERR_REMADLAYER;
  remove_layer(L, pic, layer, true, bounds, nullptr);
  return 1;
}

namespace {

// LayerExists(name)
int32_t cmd_layerexists(qmState* L) {
  arg_check_count(L, 1, 1);
  const char* name = vm_arg_check_string(L, 1, nullptr);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  vm_push_number(L, layer_find_by_name(pic, name) ? 1 : 0);
  return 1;
}

// Exchanges the layer of argument 1 with the one at the position that pick() chooses.
template <typename Pick>
int32_t exchange_with(qmState* L, Pick pick) {
  arg_check_count(L, 1, 1);
  check_layer_arg(L, 1);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  int32_t position = 0;
  if (int32_t err = layer_arg_index(L, pic, 1, &position)) return err;
  const int32_t count = layers_count(pic);
  if (position < 1 || position > count) return ERR_LAYERRANGE;
  const int32_t other = pick(count);
  return other == position ? 0 : layers_swap_refresh(L, position, other);
}

// LayerToBack(layer)
int32_t cmd_layertoback(qmState* L) {
  return exchange_with(L, [](int32_t) { return 1; });
}

// LayerToFront(layer)
int32_t cmd_layertofront(qmState* L) {
  return exchange_with(L, [](int32_t count) { return count; });
}

// SwapLayers(layer, layer)
int32_t cmd_swaplayers(qmState* L) {
  arg_check_count(L, 2, 2);
  check_layer_arg(L, 1);
  check_layer_arg(L, 2);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  int32_t a = 0, b = 0;
  if (int32_t err = layer_arg_index(L, pic, 1, &a)) return err;
  if (int32_t err = layer_arg_index(L, pic, 2, &b)) return err;
  const int32_t count = layers_count(pic);
  if (a < 1 || a > count || b < 1 || b > count) return ERR_LAYERRANGE;
  if (a == b) return ERR_WRONGUSAGE;
  return layers_swap_refresh(L, a, b);
}

// Switches a shadow or border off or stores its new fields, dropping the images made from the
// old ones, and refreshes what changed.
template <typename Store>
int32_t decorate(qmState* L, qmLayer* layer, bool on, bool was_on, int32_t images, Store store) {
  if (!on && !was_on) return 0;
  const Rect old = bounds_of(layer);
  layer_free_images(layer, images);
  store();
  Rect r = old;
  if (on) rect_union(r, bounds_of(layer));
  refresh_dirty_rect(L, r);
  return 0;
}

// SetLayerBorder(layer, on [, colour = 0, size = 2])
int32_t cmd_setlayerborder(qmState* L) {
  arg_check_count(L, 2, 4);
  check_layer_arg(L, 1);
  const bool on = flag_arg(L, 2);
  const uint32_t colour = vm_arg_opt_integer(L, 3, 0);
  const int32_t size = to_i32(vm_arg_opt_number(L, 4, 2));
  if (!border_size_allowed(size)) return ERR_WRONGUSAGE;
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  qmLayer* layer = nullptr;
  if (int32_t err = layer_arg_layer(L, 1, pic, &layer)) return err;
  return decorate(L, layer, on, layer->border != 0, LAYER_IMAGE_SHADOW | LAYER_IMAGE_BORDER, [&] {
    layer->border = on ? 1 : 0;
    if (on) layer->border_colour = colour, layer->border_size = size;
  });
}

// SetLayerShadow(layer, on [, colour = $80000000, radius = 5, size = 4, direction = 3,
// sigma = radius / 3])
int32_t cmd_setlayershadow(qmState* L) {
  arg_check_count(L, 2, 7);
  check_layer_arg(L, 1);
  const bool on = flag_arg(L, 2);
  const uint32_t colour = vm_arg_opt_integer(L, 3, 0x80000000u);
  const double radius = vm_arg_opt_number(L, 4, 5.0);
  const int32_t size = to_i32(vm_arg_opt_number(L, 5, 4));
  const int32_t direction = to_i32(vm_arg_opt_number(L, 6, 3));
  const double sigma = vm_arg_opt_number(L, 7, radius / 3.0);
  if (!shadow_size_allowed(size) || !shadow_radius_allowed(radius) || !shadow_sigma_allowed(sigma))
    return ERR_WRONGUSAGE;
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  qmLayer* layer = nullptr;
  if (int32_t err = layer_arg_layer(L, 1, pic, &layer)) return err;
  return decorate(L, layer, on, layer->shadow != 0, LAYER_IMAGE_SHADOW, [&] {
    layer->shadow = on ? 1 : 0;
    if (!on) return;
    layer->shadow_colour = colour, layer->shadow_radius = radius, layer->shadow_size = size;
    layer->shadow_direction = direction, layer->shadow_sigma = sigma;
  });
}

// The layers that argument 1 selects (at most kMaxRemoved, else ERR_INTERNAL).
int32_t collect_selected(qmState* L, qmBGPic* pic, qmLayer** out, int32_t* count) {
  *count = 0;
  int32_t cursor = 0;
  do {
    qmLayer* layer = nullptr;
    bool group = false;
    if (int32_t err = layer_arg_next(L, 1, pic, &layer, &cursor, &group)) return err;
    if (*count == kMaxRemoved) return ERR_INTERNAL;
    out[(*count)++] = layer;
  } while (cursor != -1);
  return 0;
}

// Shows (at x, y; 100000 keeps a coordinate) or hides the layer or group of argument 1. A group
// keeps its shape: its union is placed and every member moves by the same offset.
int32_t show_hide(qmState* L, int32_t x, int32_t y, bool hidden) {
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  DirtyList& dirty = layers_dirty();
  dirty.count = 0;
  Rect all{};
  int32_t members = 0;
  int32_t relative = 0;
  if (!hidden && (x != kKeepCoordinate || y != kKeepCoordinate)) {
    int32_t cursor = 0;
    qmLayer* one = nullptr;
    do {
      qmLayer* layer = nullptr;
      bool group = false;
      if (int32_t err = layer_arg_next(L, 1, pic, &layer, &cursor, &group)) return err;
      const qmLayerState* u = layer->unscaled;
      const Rect r{u->anchored_x, u->anchored_y, u->width, u->height};
      if (members++ == 0) all = r, one = layer;
      else rect_union(all, r);
    } while (cursor != -1);
    if (members == 1) {
      x = coord_resolve_special_x(x, one->unscaled->width, 0, one->transform.anchor_x);
      y = coord_resolve_special_y(y, one->unscaled->height, 0, one->transform.anchor_y);
    } else {
      if (x != kKeepCoordinate) x = coord_resolve_special_x(x, all.width, 0, 0.0) - all.x, relative |= 1;
      if (y != kKeepCoordinate) y = coord_resolve_special_y(y, all.height, 0, 0.0) - all.y, relative |= 2;
    }
  }
  int32_t cursor = 0;
  int32_t error = 0;
  do {
    qmLayer* layer = nullptr;
    bool group = false;
    if ((error = layer_arg_next(L, 1, pic, &layer, &cursor, &group)) != 0) break;
    layer->hidden = hidden ? 1 : 0;
    layer_set_position(L, layer, x, y, false, relative, &dirty);
  } while (cursor != -1);
  layers_dirty_flush(L);
  return error;
}

// HideLayer(layer [, extra])
int32_t cmd_hidelayer(qmState* L) {
  arg_check_count(L, 1, 2);
  check_layer_arg(L, 1);
  return show_hide(L, kKeepCoordinate, kKeepCoordinate, true);
}

// ShowLayer(layer [, x, y])
int32_t cmd_showlayer(qmState* L) {
  arg_check_count(L, 1, 3);
  check_layer_arg(L, 1);
  const int32_t x = to_i32(vm_arg_opt_number(L, 2, kKeepCoordinate));
  const int32_t y = to_i32(vm_arg_opt_number(L, 3, kKeepCoordinate));
  if (!position_in_range(x) || !position_in_range(y)) return ERR_WRONGUSAGE;
  return show_hide(L, x, y, false);
}

// RemoveLayer(layer)
int32_t cmd_removelayer(qmState* L) {
  arg_check_count(L, 1, 1);
  check_layer_arg(L, 1);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  qmLayer* selected[kMaxRemoved];
  int32_t count = 0;
  if (int32_t err = collect_selected(L, pic, selected, &count)) return err;
  for (int32_t i = 0; i < count; ++i)
    if (asyncdraw_owns_layer(selected[i])) return ERR_REMADLAYER;
  DirtyList& dirty = layers_dirty();
  dirty.count = 0;
  for (int32_t i = 0; i < count; ++i) remove_layer(L, pic, selected[i], false, nullptr, &dirty);
  layers_dirty_flush(L);
  return 0;
}

// Undo(type [, id, level = 1, norefresh = 0])
int32_t cmd_undo(qmState* L) {
  arg_check_count(L, 1, 4);
  const int32_t type = to_i32(vm_arg_check_number(L, 1));
  const ObjectId id = vm_get_top(L) >= 2 && vm_type(L, 2) != QM_TNIL ? arg_get_id(L, 2) : ObjectId{};
  const int32_t level = to_i32(vm_arg_opt_number(L, 3, 1));
  const bool no_refresh = vm_get_top(L) >= 4 && flag_arg(L, 4);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  qmLayer* layer = find_from_top(pic, type, id, level);
  if (!layer) return 0;
  if (asyncdraw_owns_layer(layer)) return ERR_REMADLAYER;
  remove_layer(L, pic, layer, no_refresh, nullptr, nullptr);
  return 0;
}

void free_all(qmState* L, qmBGPic* pic) {
  bool brushes = false, pictures = false, texts = false, anims = false;
  while (qmLayer* l = layers_bottom(pic)) {
    brushes |= l->type == OBJ_BRUSH || l->type == OBJ_BRUSHPART;
    pictures |= l->type == OBJ_BGPICPART;
    texts |= l->type == OBJ_TEXTOBJECT;
    anims |= l->type == OBJ_ANIM;
    layer_remove(L, pic, l);
  }
  if (brushes) brush_collect(L);
  if (pictures) bgpic_collect(L);
  if (texts) layer_services().textobject_collect(L);
  if (anims) layer_services().anim_collect(L);
}

// Composes the whole picture (with whatever layers it has) into buffer 2 and makes that the
// display's background.
void bake_background(qmState* L, qmDisplay* d) {
  qmBGPic* pic = d->bgpic;
  if (!d->buffer1 || !d->buffer2) return;
  RedrawSource s;
  s.L = L;
  s.pic = pic;
  s.background = d->buffer1;
  s.dest = d->buffer2;
  s.scale_x = d->scale_x;
  s.scale_y = d->scale_y;
  layers_redraw(s, 0, 0, pic->display_width, pic->display_height, REDRAW_NOSPRITES);
  BLTBITMAP(d->buffer2, 0, 0, d->buffer1, 0, 0, d->buffer1->width, d->buffer1->height);
}

// FreeLayers([flag = 1]): with the flag the layers' look stays as part of the background.
int32_t cmd_freelayers(qmState* L) {
  arg_check_count(L, 0, 1);
  const bool bake = vm_get_top(L) < 1 || flag_arg(L, 1);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  for (qmLayer* l = layers_bottom(pic); l; l = l->next)
    if (asyncdraw_owns_layer(l)) return ERR_REMADLAYER;
  qmDisplay* d = display_current();
  // Only the display's own picture has a background to take the layers' look.
  if (bake && pic != d->bgpic) return ERR_WRONGUSAGE;
  if (bake) {
    bake_background(L, d);
    free_all(L, pic);
    return 0;
  }
  free_all(L, pic);
  // Shown at once with the display as the output, collected while its picture is selected.
  if (pic == d->bgpic) refresh_dirty_rect(L, Rect{0, 0, pic->display_width, pic->display_height});
  return 0;
}

const qmCommand kManageCommands[] = {
    {"LayerExists", cmd_layerexists},       {"LayerToBack", cmd_layertoback}, {"LayerToFront", cmd_layertofront},
    {"SwapLayers", cmd_swaplayers},         {"SetLayerBorder", cmd_setlayerborder},
    {"SetLayerShadow", cmd_setlayershadow}, {"HideLayer", cmd_hidelayer},     {"ShowLayer", cmd_showlayer},
    {"RemoveLayer", cmd_removelayer},       {"Undo", cmd_undo},               {"FreeLayers", cmd_freelayers},
    {nullptr, nullptr},
};

}  // namespace

const qmCommand* layer_manage_commands() { return kManageCommands; }

}  // namespace qm
