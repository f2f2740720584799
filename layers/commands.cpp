// The layers command library: switching layers on, making, naming, ordering, finding and listing
// the layers of the current background picture.
#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstring>
#include <vector>

#include "display/asyncdraw.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/blit.h"
#include "layers/access.h"
#include "layers/collision.h"
#include "layers/layers.h"
#include "layers/manage.h"
#include "layers/movelist.h"
#include "layers/style.h"
#include "platform/platform.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

qmBGPic* layers_current_picture() {
  qmDisplay* d = display_current();
  if (!d) return nullptr;
  if (d->output_type == TARGET_LAYERS) {
    const auto* t = static_cast<const OutputTarget*>(d->select_target);
    if (t && t->object_type == OBJ_BGPIC && t->record) return static_cast<qmBGPic*>(t->record);
  }
  return d->bgpic;
}

int32_t layer_precondition(qmBGPic** pic) {
  qmDisplay* d = display_current();
  if (d) {
    const OutputTarget* t = drawtarget_selected();
    if (d->output_type == TARGET_PICTURE && t && t->object_type == OBJ_BRUSH) return ERR_SELECTBRUSH;
    if (d->output_type == TARGET_MASK) return ERR_SELECTMASK;
    if (d->output_type == TARGET_ALPHA) return ERR_SELECTALPHACHANNEL;
  }
  qmBGPic* current = layers_current_picture();
  if (!d || !d->layers || !current) return ERR_NOLAYERS;
  *pic = current;
  return 0;
}

int32_t layer_arg_index(qmState* L, qmBGPic* pic, int32_t n, int32_t* out) {
  if (vm_type(L, n) == QM_TSTRING) {
    const char* name = vm_to_string(L, n);
    *out = layer_find_by_name(pic, name);
    if (*out) return 0;
    err_set_string_arg(name);
    return ERR_FINDLAYER;
  }
  if (vm_type(L, n) != QM_TNUMBER) {
    err_set_number_arg(n);
    vm_raise_error(L, ERR_STRORNUM);
  }
  *out = to_i32(vm_to_number(L, n));
  return 0;
}

void refresh_dirty_rect(qmState* L, const Rect& area) {
  qmDisplay* d = display_current();
  if (!d || !d->bgpic) return;
  if (d->output_type == kOutputDisplay)
    display_refresh_rect(L, area);
  else if (d->output_type == TARGET_LAYERS && layers_current_picture() == d->bgpic)
    dirty_list_add(d->dirty, area, true);
}

void display_refresh_rect(qmState* L, const Rect& area) {
  qmDisplay* d = display_current();
  if (!d || !d->bgpic) return;
  qmBGPic* pic = d->bgpic;
  Rect r = area;
  rect_clip_to_size(pic->display_width, pic->display_height, r);
  if (r.width < 1 || r.height < 1 || !d->buffer2) return;
  RedrawSource s;
  s.L = L;
  s.pic = pic;
  s.background = d->buffer1 ? d->buffer1 : pic->current.bitmap;
  s.dest = d->buffer2;
  s.scale_x = d->scale_x;
  s.scale_y = d->scale_y;
  layers_redraw(s, r.x, r.y, r.width, r.height, 0);
  SAFEBLT(L, d->buffer2, r.x, r.y, nullptr, r.x, r.y, r.width, r.height, d->buffer2->width, d->buffer2->height,
          pic->display_width, pic->display_height, BLIT_NOCLIP | BLIT_INTERNAL, nullptr, nullptr, nullptr);
}

void layer_refresh(qmState* L, qmBGPic* pic, qmLayer* layer) {
  qmDisplay* d = display_current();
  if (!d || d->bgpic != pic || layer->hidden || layer->off_display) return;
  refresh_dirty_rect(L, layer_bounds(layer, layer->display, d->scale_x, d->scale_y));
}

void layers_flush_dirty(qmState* L, qmDisplay* d) {
  if (!d || !d->bgpic || d->dirty.count == 0 || d->double_buffer) return;
  // The list is flushed onto the display that is current (the others keep theirs until then).
  if (d != display_current()) return;
  dirty_rects_merge(d->dirty);
  dirty_rects_flush(d->dirty, d->bgpic->display_width, d->bgpic->display_height,
                    [&](const Rect& r) { display_refresh_rect(L, r); });
  d->dirty.count = 0;
}

int32_t layers_swap_refresh(qmState* L, int32_t a, int32_t b) {
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  qmLayer* la = layer_at_index(pic, a);
  qmLayer* lb = layer_at_index(pic, b);
  if (!la || !lb) return ERR_LAYERRANGE;
  layer_swap(pic, la, lb);
  qmDisplay* d = display_current();
  const Rect ra = layer_bounds(la, la->display, d->scale_x, d->scale_y);
  const Rect rb = layer_bounds(lb, lb->display, d->scale_x, d->scale_y);
  // An exchange with a layer wholly off the picture changes nothing visible.
  auto on_picture = [&](const Rect& r) {
    return int64_t(r.x) + r.width > 0 && int64_t(r.y) + r.height > 0 && r.x < pic->display_width &&
           r.y < pic->display_height;
  };
  if (!on_picture(ra) || !on_picture(rb)) return 0;
  Rect r = ra;
  rect_union(r, rb);
  refresh_dirty_rect(L, r);
  return 0;
}

namespace {

// Moves one state's position and bounds together, keeping the anchor offset.
void move_state(qmLayerState* t, const qmLayer* layer, int32_t x, int32_t y) {
  const int64_t dx = int64_t(t->bounds_x) - t->anchored_x, dy = int64_t(t->bounds_y) - t->anchored_y;
  t->pos_x = x;
  t->pos_y = y;
  t->anchored_x = sat_i32(x - int64_t(double(t->content_w) * layer->transform.anchor_x));
  t->anchored_y = sat_i32(y - int64_t(double(t->content_h) * layer->transform.anchor_y));
  t->bounds_x = sat_i32(int64_t(t->anchored_x) + dx);
  t->bounds_y = sat_i32(int64_t(t->anchored_y) + dy);
}

}  // namespace

void layer_set_position(qmState* L, qmLayer* layer, int32_t x, int32_t y, bool no_refresh, int32_t relative,
                        DirtyList* dirty) {
  qmDisplay* d = display_current();
  const double sx = d ? d->scale_x : 1.0, sy = d ? d->scale_y : 1.0;
  qmLayerState* c = layer->content;
  qmLayerState* t = layer->display;
  const bool full = layer->shadow || layer->border;
  const Rect old_full = layer_bounds(layer, t, sx, sy);
  const Rect old{t->bounds_x, t->bounds_y, t->width, t->height};
  if (x != kKeepCoordinate || y != kKeepCoordinate) {
    // A layer stays within the positions that commands take, however far it is moved.
    const int32_t nx = position_clamp((relative & 1) ? int64_t(c->pos_x) + x : x == kKeepCoordinate ? c->pos_x : x);
    const int32_t ny = position_clamp((relative & 2) ? int64_t(c->pos_y) + y : y == kKeepCoordinate ? c->pos_y : y);
    // A line's end points are picture coordinates: they go with it.
    if (layer->type == OBJ_LINE && c->drawn) {
      LayerDrawn& l = *c->drawn;
      const int64_t dx = int64_t(nx) - c->pos_x, dy = int64_t(ny) - c->pos_y;
      auto shift = [](int32_t v, int64_t by) { return int32_t(std::clamp<int64_t>(v + by, INT32_MIN, INT32_MAX)); };
      l.x1 = shift(l.x1, dx), l.x2 = shift(l.x2, dx);
      l.y1 = shift(l.y1, dy), l.y2 = shift(l.y2, dy);
    }
    move_state(c, layer, nx, ny);
    if (layer->unscaled != c) move_state(layer->unscaled, layer, nx, ny);
    if (t != c && t != layer->unscaled) {
      t->bounds_x = to_i32_sat(layer->unscaled->bounds_x * sx);
      t->bounds_y = to_i32_sat(layer->unscaled->bounds_y * sy);
      t->pos_x = to_i32_sat(std::nearbyint(nx * sx));
      t->pos_y = to_i32_sat(std::nearbyint(ny * sy));
    }
  }
  if (no_refresh) return;
  Rect r = old;
  rect_union(r, Rect{t->bounds_x, t->bounds_y, t->width, t->height});
  if (full) {
    rect_union(r, old_full);
    rect_union(r, layer_bounds(layer, t, sx, sy));
  }
  if (dirty)
    dirty_list_add(*dirty, r, true);
  else
    refresh_dirty_rect(L, r);
}

namespace {

int32_t cmd_enablelayers(qmState* L) {
  arg_check_count(L, 0, 0);
  qmDisplay* d = display_current();
  if (!d) return ERR_NOLAYERS;
  if (asyncdraw_uses_display(d)) return ERR_LAYERSWITCH;
  if (d->double_buffer) return ERR_ENDDOUBLEBUFFER;
  if (d->output_type != kOutputDisplay) return ERR_LAYERSON;
  if (d->bgpic && layer_services().sprites_shown && layer_services().sprites_shown(d->bgpic)) return ERR_NOSPRITES;
  d->layers = 1;
  d->output.layers_on = 1;
  return 0;
}

int32_t cmd_createlayer(qmState* L) {
  arg_check_count(L, 4, 5);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  const int32_t x = to_i32(vm_arg_check_number(L, 1)), y = to_i32(vm_arg_check_number(L, 2));
  const int32_t w = to_i32(vm_arg_check_number(L, 3)), h = to_i32(vm_arg_check_number(L, 4));
  int32_t mask = 0, alpha = 0, clear = 0, frames = 0;
  uint32_t colour = 0;
  if (vm_get_top(L) >= 5 && vm_type(L, 5) != QM_TNIL) {
    vm_arg_check_table(L, 5);
    opt_get_int(L, 5, "mask", &mask, nullptr);
    opt_get_int(L, 5, "alphachannel", &alpha, nullptr);
    opt_get_int(L, 5, "clear", &clear, nullptr);
    opt_get_uint(L, 5, "color", &colour, nullptr);
    opt_get_int(L, 5, "frames", &frames, nullptr);
  }
  if (frames < 0 || (mask && alpha)) return ERR_WRONGUSAGE;
  if (w < 1 || h < 1) return ERR_BADDIMENSIONS;
  if (frames > 0) {
    AnimLayerRequest r;
    r.pic = pic;
    r.x = x, r.y = y, r.width = w, r.height = h, r.frames = frames;
    r.mask = mask, r.alpha = alpha, r.clear = clear;
    r.colour = colour;
    return layer_services().create_anim_layer(L, r);
  }
  LayerSpec spec;
  spec.type = OBJ_BRUSH;
  spec.x = x, spec.y = y, spec.width = w, spec.height = h;
  spec.image.bitmap = qmos_alloc_bitmap(w, h);
  if (mask) spec.image.mask = qmos_alloc_mask(w, h, 1);
  if (alpha) spec.image.alpha = qmos_alloc_alpha(w, h, 1);
  if (!spec.image.bitmap || (mask && !spec.image.mask) || (alpha && !spec.image.alpha)) {
    qmos_free_bitmap(spec.image.bitmap);
    qmos_free_mask(spec.image.mask);
    qmos_free_alpha(spec.image.alpha);
    return ERR_MEM;
  }
  qmos_fill_bitmap_rect(spec.image.bitmap, 0, 0, w, h, colour);
  if (mask && !clear) qmos_mask_rect_op(spec.image.mask, 0, 0, w, h, MASKVISIBLE);
  if (alpha && !clear) std::memset(spec.image.alpha->data, 255, size_t(spec.image.alpha->bytes_per_row) * size_t(h));
  return layer_new(L, pic, spec, nullptr);
}

int32_t cmd_setlayername(qmState* L) {
  arg_check_count(L, 2, 2);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  int32_t n = to_i32(vm_arg_check_number(L, 1));
  const char* name = vm_arg_check_string(L, 2, nullptr);
  const int32_t count = layers_count(pic);
  if (n <= 0) n = count;
  qmLayer* layer = layer_at_index(pic, n);
  if (!layer) return ERR_LAYERRANGE;
  return layer_set_name_checked(pic, layer, name);
}

int32_t cmd_setlayerzpos(qmState* L) {
  arg_check_count(L, 2, 2);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  int32_t from = 0, to = 0;
  if (int32_t err = layer_arg_index(L, pic, 1, &from)) return err;
  if (int32_t err = layer_arg_index(L, pic, 2, &to)) return err;
  if (from == to || to < 0) return ERR_WRONGUSAGE;
  qmLayer* layer = layer_at_index(pic, from);
  if (!layer) return ERR_LAYERRANGE;
  if (layer_move_in_list(pic, layer, to)) layer_refresh(L, pic, layer);
  return 0;
}

int32_t cmd_disablelayers(qmState* L) {
  arg_check_count(L, 0, 0);
  qmDisplay* d = display_current();
  if (d && asyncdraw_uses_display(d)) return ERR_LAYERSWITCH;
  if (!d || d->output_type != kOutputDisplay) return ERR_LAYERSON;
  if (d->scale_layer) return ERR_NODISLAYERS;
  d->layers = 0;
  d->output.layers_on = 0;
  return 0;
}

int32_t cmd_getlayeratpos(qmState* L) {
  arg_check_count(L, 2, 2);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  const int32_t x = to_i32(vm_arg_check_number(L, 1)), y = to_i32(vm_arg_check_number(L, 2));
  int32_t n = layers_count(pic);
  for (qmLayer* l = layers_top(pic); l; l = l->prev, --n) {
    const qmLayerState* t = l->display;
    if (x >= t->bounds_x && x < t->bounds_x + t->width && y >= t->bounds_y && y < t->bounds_y + t->height) {
      vm_push_number(L, n);
      vm_push_string(L, l->name ? l->name : "");
      return 2;
    }
  }
  vm_push_number(L, 0);
  vm_push_string(L, "");
  return 2;
}

// InsertLayer(layer, kind, id, x, y [, hidden])
int32_t cmd_insertlayer(qmState* L) {
  arg_check_count(L, 5, 6);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  int32_t position = 0;
  if (int32_t err = layer_arg_index(L, pic, 1, &position)) return err;
  const int32_t kind = to_i32(vm_arg_check_number(L, 2));
  const ObjectId id = arg_get_id(L, 3);
  const int32_t x = to_i32(vm_arg_check_number(L, 4)), y = to_i32(vm_arg_check_number(L, 5));
  const bool hidden = vm_get_top(L) >= 6 && flag_arg(L, 6);
  return insert_object_layer(L, position, kind, id, x, y, false, hidden, nullptr);
}

// SelectLayer(layer [, mode, frame, combo]): drawing goes into the layer's own planes.
int32_t cmd_selectlayer(qmState* L) {
  arg_check_count(L, 1, 4);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  int32_t position = 0;
  if (int32_t err = layer_arg_index(L, pic, 1, &position)) return err;
  const int32_t mode = to_i32(vm_arg_opt_number(L, 2, 0));
  const int32_t frame = to_i32(vm_arg_opt_number(L, 3, 0));
  const int32_t combo = to_i32(vm_arg_opt_number(L, 4, 0));
  if (!layer_at_index(pic, position)) return ERR_LAYERRANGE;
  return drawtarget_select(L, OBJ_LAYER, ObjectId{position, nullptr}, TARGET_PICTURE, frame, mode, combo);
}

// ModifyLayerFrames(layer, frames [, extra])
int32_t cmd_modifylayerframes(qmState* L) {
  arg_check_count(L, 2, 3);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  int32_t position = 0;
  if (int32_t err = layer_arg_index(L, pic, 1, &position)) return err;
  const int32_t frames = to_i32(vm_arg_check_number(L, 2));
  const int32_t extra = to_i32(vm_arg_opt_number(L, 3, 0));
  qmLayer* layer = layer_at_index(pic, position);
  if (!layer) return ERR_LAYERRANGE;
  if (layer->type != OBJ_ANIM) return ERR_NOANMLAYER;
  int32_t count = 0;
  if (int32_t err = layer_services().anim_modify_frames(L, layer, frames, extra, &count)) return err;
  // The layer stays on its frame while it exists, else shows the first one again.
  const int32_t frame = layer->content->kind[0] < count ? layer->content->kind[0] : 0;
  for (qmLayerState* t : {layer->content, layer->unscaled, layer->display}) {
    t->kind[0] = frame;
    t->kind[1] = count;
  }
  layer_free_caches(layer);
  layer_refresh(L, pic, layer);
  return 0;
}

const char* kind_name(int32_t type) {
  switch (type) {
    case OBJ_BRUSH:
      return "BRUSH";
    case OBJ_ANIM:
      return "ANIM";
    case OBJ_NOOBJECT:
      return "NOOBJECT";
    case OBJ_TEXTOBJECT:
      return "TEXTOBJECT";
    case OBJ_TEXTOUT:
      return "TEXTOUT";
    case OBJ_PRINT:
      return "PRINT";
    case OBJ_BRUSHPART:
      return "BRUSHPART";
    case OBJ_BGPICPART:
      return "BGPICPART";
    case OBJ_BOX:
      return "BOX";
    case OBJ_CIRCLE:
      return "CIRCLE";
    case OBJ_ELLIPSE:
      return "ELLIPSE";
    case OBJ_LINE:
      return "LINE";
    case OBJ_POLYGON:
      return "POLYGON";
    case OBJ_ARC:
      return "ARC";
    case OBJ_VECTORPATH:
      return "VECTORPATH";
    default:
      return "UNKNOWN";
  }
}

int32_t cmd_dumplayers(qmState* L) {
  arg_check_count(L, 0, 1);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  const int32_t which = vm_get_top(L) >= 1 ? to_i32(vm_arg_check_number(L, 1)) : 0;
  platform_debug_printf("LAYER SYSTEM INFO - BGPIC: %d (%p)\nsizeof(qmLayer): %d\nLayers: %d\n", pic->header.id.number,
                        static_cast<void*>(pic), int32_t(sizeof(qmLayer)), layers_count(pic));
  int32_t n = 1;
  for (qmLayer* l = layers_bottom(pic); l; l = l->next, ++n) {
    const qmLayerState* t = which == 1 ? l->unscaled : which == 2 ? l->display : l->content;
    platform_debug_printf(
        "(%d) %s #%d (%p / \"%s\") - X: %d (%d) - Y: %d (%d) - Width: %d (%d) - Height: %d (%d) - "
        "Visible: %d\n",
        n, kind_name(l->type), l->object.number, static_cast<void*>(l), l->name ? l->name : "", t->pos_x, t->bounds_x,
        t->pos_y, t->bounds_y, t->content_w, t->width, t->content_h, t->height, l->hidden ? 0 : 1);
  }
  return 0;
}

const qmCommand kLayerCommands[] = {
    {"EnableLayers", cmd_enablelayers},
    {"CreateLayer", cmd_createlayer},
    {"SetLayerName", cmd_setlayername},
    {"SetLayerZPos", cmd_setlayerzpos},
    {"GetLayerAtPos", cmd_getlayeratpos},
    {"DumpLayers", cmd_dumplayers},
    {"DisableLayers", cmd_disablelayers},
    {"InsertLayer", cmd_insertlayer},
    {"ModifyLayerFrames", cmd_modifylayerframes},
    {"SelectLayer", cmd_selectlayer},
    {nullptr, nullptr},
};

}  // namespace

int32_t layers_init(qmState* L) {
  layers_install_hooks();
  layer_attributes_open();
  static const std::vector<qmCommand> commands = command_tables_join(
      {kLayerCommands, layer_style_commands(), layer_manage_commands(), collision_commands(), movelist_commands()});
  return picture_library_open(L, commands.data(), nullptr, "layers", nullptr);
}

}  // namespace qm
