// Layer style: the style worker, SetLayerStyle and GetLayerStyle, and the setters that hand the
// worker a table of their own.
#include "layers/style.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "display/asyncdraw.h"
#include "display/bgpic.h"
#include "display/brush.h"
#include "display/clipregion.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "layers/access.h"
#include "layers/layers.h"
#include "layers/style_fields.h"
#include "layers/style_content.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

inline constexpr int32_t kKeep = kKeepCoordinate;

// Redraws the library's dirty list when the worker ends, also when an error leaves it early.
struct RedrawAtEnd {
  qmState* L;
  bool no_redraw;
  ~RedrawAtEnd() {
    if (no_redraw) layers_dirty().count = 0;
    else layers_dirty_flush(L);
  }
};

bool is_image_kind(int32_t type) { return type == OBJ_BRUSH || type == OBJ_BRUSHPART || type == OBJ_BGPICPART; }

// The collection that may free the object a layer of this type stopped showing (CollectAtEnd's bits).
int32_t collect_bit(int32_t type) {
  if (type == OBJ_BRUSH || type == OBJ_BRUSHPART) return 1;
  if (type == OBJ_TEXTOBJECT) return 4;
  if (type == OBJ_ANIM) return 16;
  return type == OBJ_BGPICPART ? 8 : 0;
}

// The size of the object an image layer shows.
int32_t source_size(qmState* L, int32_t type, const ObjectId& id, int32_t* w, int32_t* h) {
  if (type == OBJ_BGPICPART) {
    qmBGPic* pic = nullptr;
    if (int32_t err = bgpic_find(id, 0, &pic)) return err;
    *w = pic->display_width, *h = pic->display_height;
    return 0;
  }
  qmBrushPlanes b{};
  if (int32_t err = gfx_services().brush_find(L, id, &b)) return err;
  *w = b.width, *h = b.height;
  return 0;
}

// The content keys of image layers: "id" and the part keys. *changed is set when the content
// differs afterwards.
int32_t image_content_keys(qmState* L, const StyleFields& f, qmLayer* layer, int32_t type, bool converting,
                           bool* changed) {
  qmLayerState* c = layer->content;
  ObjectId id = layer->object;
  int32_t given = 0;
  opt_get_id(L, f.t, "id", &id, &given);
  if (converting && !given) return ERR_MISSINGPARAMTR;
  int32_t part[4] = {c->kind[0], c->kind[1], c->content_w, c->content_h};
  if (layer->type == OBJ_BRUSH && type == OBJ_BRUSH) part[0] = part[1] = 0;
  const char* keys[4] = {"partx", "party", "partwidth", "partheight"};
  bool part_given = false;
  for (int32_t i = 0; i < 4; ++i) part_given |= f.integer(keys[i], &part[i]);
  if (part_given && type == OBJ_BRUSH) type = OBJ_BRUSHPART;
  // The same content again (a table read back from GetLayerStyle) changes nothing.
  const bool same_parts = part[0] == c->kind[0] && part[1] == c->kind[1] && part[2] == c->content_w &&
                          part[3] == c->content_h;
  if (type == layer->type && id == layer->object && (same_parts || !part_given)) return 0;
  int32_t sw = 0, sh = 0;
  if (int32_t err = source_size(L, type, id, &sw, &sh)) return err;
  if (type == OBJ_BRUSH || !part_given) part[0] = part[1] = 0, part[2] = sw, part[3] = sh;
  // A part never reaches outside its source: the redraw reads the source's planes there.
  if (part[0] < 0 || part[1] < 0 || part[2] < 1 || part[3] < 1 || int64_t(part[0]) + part[2] > sw ||
      int64_t(part[1]) + part[3] > sh)
    return ERR_WRONGUSAGE;
  // A layer drawing its own planes now shows the object's.
  layer_image_free(c->content);
  layer_image_free(c->transformed);
  layer->type = type;
  layer->object = id;
  c->kind[0] = type == OBJ_BRUSH ? 0 : part[0];
  c->kind[1] = type == OBJ_BRUSH ? 0 : part[1];
  c->content_w = c->width = part[2];
  c->content_h = c->height = part[3];
  *changed = true;
  return 0;
}

// Kinds that show something, which a layer can be turned into and from.
bool is_content_kind(int32_t type) {
  return is_image_kind(type) || layer_kind_is_drawn(type) || type == OBJ_ANIM || type == OBJ_TEXTOBJECT;
}

// "id" of an anim or text-object layer (mandatory on conversion): the object it shows, found through
// the anim or text library; an anim layer starts at the first frame. *changed when the object
// changed.
int32_t object_content_keys(qmState* L, const StyleFields& f, qmLayer* layer, int32_t type, bool converting,
                            bool* changed) {
  ObjectId id = layer->object;
  int32_t given = 0;
  opt_get_id(L, f.t, "id", &id, &given);
  if (converting && !given) return ERR_MISSINGPARAMTR;
  if (!converting && id == layer->object) return 0;
  LayerPlanes planes;
  int32_t count = 0;
  const LayerServices& s = layer_services();
  if (int32_t err = type == OBJ_ANIM ? s.anim_frame(L, id, 0, &planes, &count) : s.textobject_image(L, id, &planes))
    return err;
  qmLayerState* c = layer->content;
  layer_image_free(c->content);
  layer_image_free(c->transformed);
  c->drawn.reset();
  layer->type = type;
  layer->object = id;
  for (qmLayerState* t : {layer->content, layer->unscaled, layer->display}) {
    t->kind[0] = 0;
    t->kind[1] = type == OBJ_ANIM ? count : 0;
  }
  c->content_w = c->width = planes.width;
  c->content_h = c->height = planes.height;
  *changed = true;
  return 0;
}

// "frame" of an anim layer: 0 the next (wrapping), -1 the last, 1..count that one.
int32_t anim_frame_key(const StyleFields& f, qmLayer* layer, bool* changed) {
  int32_t frame = 0;
  if (!f.integer("frame", &frame)) return 0;
  qmLayerState* c = layer->content;
  const int32_t count = c->kind[1];
  int32_t index = 0;
  if (frame == 0) index = count > 0 ? (c->kind[0] + 1) % count : 0;
  else if (frame == -1) index = count - 1;
  else if (frame >= 1 && frame <= count) index = frame - 1;
  else return ERR_ANIMFRAME;
  if (index != c->kind[0]) {
    for (qmLayerState* s : {layer->content, layer->unscaled, layer->display}) s->kind[0] = index;
    *changed = true;
  }
  return 0;
}

int32_t saturate_add(int32_t a, int32_t b) {
  return int32_t(std::clamp<int64_t>(int64_t(a) + b, INT32_MIN, INT32_MAX));
}

// A drawn kind takes its new content: the description, the colour and the size, and is rendered
// from them. The layer no longer shows another object's planes. The content is rendered aside
// first, so that one that does not render (a text with a bad tag) leaves the layer as it was.
int32_t commit_drawn(qmState* L, qmLayer* layer, DrawnContent& drawn) {
  qmLayerState trial;
  trial.colour = drawn.colour;
  trial.fill_style = drawn.drawn.style.draw.fill_style;
  trial.content_w = trial.width = drawn.width;
  trial.content_h = trial.height = drawn.height;
  trial.anchored_x = layer->content->anchored_x, trial.anchored_y = layer->content->anchored_y;
  trial.drawn = std::make_unique<LayerDrawn>(std::move(drawn.drawn));
  const int32_t was_type = layer->type;
  const ObjectId was_object = layer->object;
  layer->type = drawn.type;
  layer->object = drawn.type == OBJ_VECTORPATH ? trial.drawn->path : ObjectId{};
  if (int32_t err = render_layer_content(L, layer, &trial)) {
    layer_image_free(trial.content);
    layer->type = was_type;
    layer->object = was_object;
    return err;
  }
  qmLayerState* c = layer->content;
  layer_image_free(c->content);
  layer_image_free(c->transformed);
  c->content = trial.content;
  c->colour = trial.colour;
  c->fill_style = trial.fill_style;
  c->content_w = trial.content_w, c->width = trial.width;
  c->content_h = trial.content_h, c->height = trial.height;
  c->kind[0] = c->kind[1] = 0;
  if (c->drawn) *c->drawn = std::move(*trial.drawn);
  else c->drawn = std::move(trial.drawn);
  return 0;
}

// The geometry keys into a copy of the transform block. *changed when it differs.
int32_t transform_keys(qmState* L, const StyleFields& f, TransformBlock& b, bool* changed) {
  double m[4] = {0, 0, 0, 0};
  int32_t given = 0;
  opt_get_number4(L, f.t, "transform", m, &given);
  if (given) {
    if (m[0] == 0.0 || m[3] == 0.0) return ERR_WRONGUSAGE;
    for (int32_t i = 0; i < 4; ++i) b.explicit_matrix.m[i] = m[i];
    b.explicit_flag = 1;
    b.scale_x = b.scale_y = 1.0;
    b.target_width = b.target_height = 0;
    b.rotation = 0;
    *changed = true;
    return 0;
  }
  bool any = false;
  double scale = 0.0;
  if (f.number("scalex", &scale)) {
    if (!std::isfinite(scale)) return ERR_WRONGUSAGE;
    if (scale == 0.0) return ERR_BADDIMENSIONS;
    if (scale != b.scale_x) b.target_width = 0;
    b.scale_x = scale, any = true;
  }
  if (f.number("scaley", &scale)) {
    if (!std::isfinite(scale)) return ERR_WRONGUSAGE;
    if (scale == 0.0) return ERR_BADDIMENSIONS;
    if (scale != b.scale_y) b.target_height = 0;
    b.scale_y = scale, any = true;
  }
  // A number is the size on screen; a percentage scales the content.
  const char* size_keys[2] = {"width", "height"};
  for (int32_t axis = 0; axis < 2; ++axis) {
    if (!f.push(size_keys[axis])) continue;
    double v = 0.0;
    bool percent = false;
    if (vm_type(L, -1) == QM_TSTRING) {
      bool fraction = false;
      const int32_t err = percent_parse(vm_to_string(L, -1), 0.0, true, &v, &fraction);
      vm_pop(L, 1);
      if (err) return err;
      percent = fraction;
    } else if (vm_type(L, -1) == QM_TNUMBER) {
      v = vm_to_number(L, -1);
      vm_pop(L, 1);
    } else {
      err_set_string_arg(size_keys[axis]);
      vm_raise_error(L, ERR_NUMTABLEARG);
    }
    int32_t& target = axis == 0 ? b.target_width : b.target_height;
    double& s = axis == 0 ? b.scale_x : b.scale_y;
    // A size beyond any picture, or not a number at all, cannot be shown.
    if (!std::isfinite(v) || (!percent && v > double(kPictureMaxSide))) return ERR_WRONGUSAGE;
    if (percent) {
      if (v == 0.0) return ERR_BADDIMENSIONS;
      s = v, target = 0;
    } else {
      if (v < 0.0) return ERR_BADDIMENSIONS;
      target = to_i32(v), s = 1.0;
    }
    any = true;
  }
  int32_t angle = 0;
  if (f.integer("rotate", &angle)) b.rotation = angle % 360, any = true;
  if (any) {
    b.explicit_flag = 0;
    *changed = true;
  }
  return 0;
}

int32_t anchor_keys(const StyleFields& f, TransformBlock& b, bool* changed) {
  double a = 0.0;
  const char* keys[2] = {"anchorx", "anchory"};
  for (int32_t axis = 0; axis < 2; ++axis) {
    if (!f.number(keys[axis], &a)) continue;
    if (!(a >= 0.0 && a <= 1.0)) return ERR_WRONGUSAGE;
    (axis == 0 ? b.anchor_x : b.anchor_y) = a;
    *changed = true;
  }
  return 0;
}

// "filters", "tint", "tintcolor" and "clearfilters" into a copy of the slots.
int32_t filter_keys(qmState* L, const StyleFields& f, FilterSlot* slots) {
  bool given = false;
  if (int32_t err = filters_read_table(L, f.t, slots, &given)) return err;
  FilterSlot& tint = slots[kTintSlot];
  int32_t level = 0;
  if (f.integer("tint", &level)) {
    level = level < 0 ? 0 : level > 255 ? 255 : level;
    tint.ints[1] = level;
    tint.active = level != 0;
  }
  uint32_t colour = 0;
  if (f.colour("tintcolor", &colour)) tint.ints[0] = int32_t(colour & 0xFFFFFF);
  int32_t clear = 0;
  if (f.flag("clearfilters", &clear) && clear)
    for (int32_t i = 0; i < kFilterSlots; ++i) slots[i] = FilterSlot{};
  return 0;
}

bool slots_differ(const FilterSlot* a, const FilterSlot* b) {
  for (int32_t i = 0; i < kFilterSlots; ++i) {
    const FilterSlot &x = a[i], &y = b[i];
    if (x.active != y.active || x.priority != y.priority || std::memcmp(x.ints, y.ints, sizeof x.ints) != 0 ||
        std::memcmp(x.floats, y.floats, sizeof x.floats) != 0)
      return true;
  }
  return false;
}

struct Decoration {
  int32_t shadow, shadow_size, shadow_direction;
  uint32_t shadow_colour;
  double shadow_radius, shadow_sigma;
  int32_t border, border_size;
  uint32_t border_colour;
};

Decoration decoration_of(const qmLayer* l) {
  return {l->shadow,    l->shadow_size,  l->shadow_direction, l->shadow_colour, l->shadow_radius,
          l->shadow_sigma, l->border, l->border_size,      l->border_colour};
}

int32_t decoration_keys(const StyleFields& f, Decoration& d) {
  f.flag("shadow", &d.shadow);
  f.colour("shadowcolor", &d.shadow_colour);
  f.integer("shadowdir", &d.shadow_direction);
  if (f.integer("shadowsize", &d.shadow_size) && !shadow_size_allowed(d.shadow_size)) return ERR_WRONGUSAGE;
  if (f.number("shadowradius", &d.shadow_radius) && !shadow_radius_allowed(d.shadow_radius)) return ERR_WRONGUSAGE;
  if (f.number("shadowsigma", &d.shadow_sigma) && !shadow_sigma_allowed(d.shadow_sigma)) return ERR_WRONGUSAGE;
  // A shadow switched on without a blur of its own takes the usual one.
  if (d.shadow && d.shadow_radius < 1.0) d.shadow_radius = 5.0;
  if (d.shadow && !(d.shadow_sigma > 0.0)) d.shadow_sigma = d.shadow_radius / 3.0;
  f.flag("border", &d.border);
  f.colour("bordercolor", &d.border_colour);
  f.colour("edgecolor", &d.border_colour);
  f.integer("bordersize", &d.border_size);
  f.integer("edgesize", &d.border_size);
  f.integer("outlinethickness", &d.border_size);
  if (d.border && !border_size_allowed(d.border_size)) return ERR_WRONGUSAGE;
  return 0;
}

void clip_set(qmLayer* layer, const qmClipRegion* region) {
  qmLayerState* states[3] = {layer->content, layer->unscaled, layer->display};
  for (int32_t i = 0; i < 3; ++i) {
    qmLayerState* s = states[i];
    if ((i >= 1 && s == states[0]) || (i == 2 && s == states[1])) continue;
    if (s->clip_owned) clip_free(s->clip);
    s->clip = region;
    s->clip_owned = 0;
  }
}

struct PairContext {
  qmState* L;
  qmBGPic* pic;
  double sx, sy;
  int32_t* collect;  // the object kinds whose objects a layer stopped showing
};

// After the work: the objects that layers no longer show may be collected.
struct CollectAtEnd {
  qmState* L;
  int32_t kinds = 0;
  ~CollectAtEnd() {
    if (kinds & 1) brush_collect(L);
    if (kinds & 4) layer_services().textobject_collect(L);
    if (kinds & 8) bgpic_collect(L);
    if (kinds & 16) layer_services().anim_collect(L);
  }
};

// One layer of one pair.
int32_t style_one(const PairContext& cx, qmLayer* layer, int32_t t, bool group) {
  qmState* L = cx.L;
  const StyleFields f{L, t};
  DirtyList& dirty = layers_dirty();
  qmLayerState* c = layer->content;
  // Content.
  bool content = false;
  int32_t type = layer->type;
  bool converting = false;
  // A drawn kind's new content, committed with the rest.
  std::unique_ptr<DrawnContent> drawn;
  if (!group) {
    if (f.integer("type", &type) && type != layer->type) {
      if (!is_content_kind(type) || !is_content_kind(layer->type)) return ERR_WRONGUSAGE;
      converting = true;
    }
    if (is_image_kind(type)) {
      const int32_t was = layer->type;
      if (int32_t err = image_content_keys(L, f, layer, type, converting, &content)) return err;
      if (content) *cx.collect |= collect_bit(was);
      if (content) c->drawn.reset();
    } else if (layer_kind_is_drawn(type) && (converting || drawn_content_given(f, type))) {
      drawn = std::make_unique<DrawnContent>();
      if (int32_t err = drawn_content_keys(L, f, layer, type, drawn.get())) return err;
    } else if (type == OBJ_ANIM || type == OBJ_TEXTOBJECT) {
      const int32_t was = layer->type;
      if (int32_t err = object_content_keys(L, f, layer, type, converting, &content)) return err;
      if (content) *cx.collect |= collect_bit(was);
    }
    if (layer->type == OBJ_ANIM)
      if (int32_t err = anim_frame_key(f, layer, &content)) return err;
  }
  // Geometry.
  TransformBlock block = layer->transform;
  bool geometry = false, anchored = false;
  if (int32_t err = transform_keys(L, f, block, &geometry)) return err;
  if (int32_t err = anchor_keys(f, block, &anchored)) return err;
  int32_t x = kKeep, y = kKeep, relative = 0;
  double v = 0.0;
  bool placed = true;
  if (f.number("translatex", &v)) x = to_i32(v), relative |= 1;
  else if (f.number("x", &v)) x = to_i32(v);
  else placed = false;
  if (f.number("translatey", &v)) y = to_i32(v), relative |= 2, placed = true;
  else if (f.number("y", &v)) y = to_i32(v), placed = true;
  if (!position_in_range(x) || !position_in_range(y)) return ERR_WRONGUSAGE;
  // A print layer's cursor places its text inside the layer, which then stays where it is.
  if (drawn && drawn->cursor && (placed || anchored)) return ERR_WRONGUSAGE;
  // Looks.
  int32_t smooth = block.smooth;
  if (f.flag("smoothscale", &smooth) && smooth != block.smooth) block.smooth = smooth, geometry = true;
  int32_t transparency = layer->transparency;
  if (f.integer("transparency", &transparency)) transparency = transparency < 0 ? 0 : transparency > 255 ? 255 : transparency;
  FilterSlot slots[kFilterSlots];
  std::memcpy(slots, layer->filters, sizeof slots);
  if (int32_t err = filter_keys(L, f, slots)) return err;
  const bool filters = slots_differ(slots, layer->filters);
  int32_t hidden = layer->hidden;
  f.flag("hidden", &hidden);
  Decoration d = decoration_of(layer);
  if (drawn) d.shadow = drawn->shadow, d.border = drawn->border;
  if (int32_t err = decoration_keys(f, d)) return err;
  const Decoration old = decoration_of(layer);
  const bool shadow = std::memcmp(&d, &old, offsetof(Decoration, border)) != 0;
  const bool border = d.border != old.border || d.border_size != old.border_size || d.border_colour != old.border_colour;
  bool clip_given = false;
  const qmClipRegion* region = nullptr;
  if (f.push("clipregion")) {
    const bool none = vm_type(L, -1) == QM_TNUMBER && vm_to_number(L, -1) == -1;
    vm_pop(L, 1);
    clip_given = true;
    if (!none) {
      ObjectId id;
      opt_get_id(L, t, "clipregion", &id, nullptr);
      qmClipRegionRecord* rec = nullptr;
      if (int32_t err = clipregion_find(id, &rec)) return err;
      region = &rec->region;
    }
  }
  // "nocliptransform": a transformed layer keeps its region as drawn instead of turning it along.
  int32_t clip_share = layer->clip_share;
  const bool share_changed = f.flag("nocliptransform", &clip_share) && (clip_share != 0) != (layer->clip_share != 0);
  // "z": a position, or the name of the layer whose place it takes.
  int32_t z = 0;
  const bool z_given = f.push("z");
  if (z_given) {
    const int32_t type = vm_type(L, -1);
    if (type == QM_TNUMBER) z = to_i32(vm_to_number(L, -1));
    else if (type == QM_TSTRING && (z = layer_find_by_name(cx.pic, vm_to_string(L, -1))) == 0)
      err_set_string_arg(vm_to_string(L, -1));
    vm_pop(L, 1);
    if (type != QM_TNUMBER && type != QM_TSTRING) return ERR_WRONGUSAGE;
    if (type == QM_TSTRING && z == 0) return ERR_FINDLAYER;
  }

  // Commit.
  const Rect before = layer_bounds(layer, layer->display, cx.sx, cx.sy);
  dirty_list_add(dirty, before, true);
  if (shadow || border || filters || content || drawn || geometry || anchored || clip_given || share_changed)
    layer_free_caches(layer);
  layer->clip_share = clip_share ? 1 : 0;
  layer->hidden = hidden ? 1 : 0;
  layer->transparency = transparency;
  layer->shadow = d.shadow ? 1 : 0;
  layer->shadow_colour = d.shadow_colour, layer->shadow_size = d.shadow_size;
  layer->shadow_direction = d.shadow_direction;
  layer->shadow_radius = d.shadow_radius, layer->shadow_sigma = d.shadow_sigma;
  layer->border = d.border ? 1 : 0;
  layer->border_colour = d.border_colour, layer->border_size = d.border_size;
  if (filters) {
    std::memcpy(layer->filters, slots, sizeof slots);
    layer->mask_filter = filters_touch_mask(slots) ? 1 : 0;
  }
  if (clip_given) clip_set(layer, region);
  const TransformBlock was = layer->transform;
  layer->transform.anchor_x = block.anchor_x;
  layer->transform.anchor_y = block.anchor_y;
  // Special coordinates stand for places on the picture, for the layer's size and anchor.
  if (drawn) {
    const int32_t was_type = layer->type;
    if (int32_t err = commit_drawn(L, layer, *drawn)) return err;
    content = true;
    *cx.collect |= collect_bit(was_type);
  }
  const qmLayerState* u = layer->unscaled;
  if (!(relative & 1)) x = coord_resolve_special_x(x, u->width, 0, block.anchor_x);
  if (!(relative & 2)) y = coord_resolve_special_y(y, u->height, 0, block.anchor_y);
  if (drawn && drawn->line_points) {
    // A line stands at the top-left of its end points, which stay where they were given.
    x = c->pos_x = std::min(c->drawn->x1, c->drawn->x2);
    y = c->pos_y = std::min(c->drawn->y1, c->drawn->y2);
    relative = 0;
  } else if (drawn && drawn->vertices) {
    // New vertices stand where the table's position and their own box corner put them.
    if (x != kKeep && !(relative & 1)) x = saturate_add(x, drawn->vertex_x);
    if (y != kKeep && !(relative & 2)) y = saturate_add(y, drawn->vertex_y);
  }
  if (anchored || content) layer_set_position(L, layer, c->pos_x, c->pos_y, true, 0, nullptr);
  layer_set_position(L, layer, x, y, true, relative, nullptr);
  if (geometry || content || (anchored && !was.matrix.is_identity()) || ((clip_given || share_changed) && layer->unscaled != c)) {
    if (int32_t err = layer_set_transform(L, layer, block)) return err;
  }
  // The new place in the list shows within the layer's bounds, which the rectangle after covers.
  if (z_given) layer_move_in_list(cx.pic, layer, z);
  // An effect that drives the layer takes its new image, size and place.
  if ((filters || geometry || content) && asyncdraw_owns_layer(layer)) asyncdraw_broadcast(ADCTL_LAYERCHANGED, layer);
  dirty_list_add(dirty, layer_bounds(layer, layer->display, cx.sx, cx.sy), true);
  return 0;
}

}  // namespace

int32_t apply_layer_style(qmState* L, int32_t first, int32_t last, bool no_redraw) {
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  layers_dirty().count = 0;
  CollectAtEnd collect{L};
  RedrawAtEnd redraw{L, no_redraw};
  const qmDisplay* d = display_current();
  const PairContext cx{L, pic, d->scale_x, d->scale_y, &collect.kinds};
  for (int32_t n = first; n <= last; n += 2) {
    int32_t cursor = 0;
    do {
      qmLayer* layer = nullptr;
      bool group = false;
      if (int32_t err = layer_arg_next(L, n, pic, &layer, &cursor, &group)) return err;
      if (vm_type(L, n + 1) != QM_TTABLE) {
        vm_set_error_number(L, n + 1);
        return ERR_TABEXPECTED;
      }
      if (int32_t err = style_one(cx, layer, n + 1, group)) return err;
    } while (cursor != -1);
  }
  return 0;
}

int32_t layer_set_position_frame(qmState* L, qmLayer* layer, int32_t x, int32_t y, int32_t frame, bool no_redraw) {
  const int32_t base = vm_get_top(L);
  const qmDisplay* d = display_current();
  if (layer->name) vm_push_string(L, layer->name);
  else vm_push_number(L, d && d->bgpic ? layer_index_of(d->bgpic, layer) : -1);
  vm_new_table(L);
  table_set_number(L, "x", x);
  table_set_number(L, "y", y);
  table_set_number(L, "frame", frame);
  const int32_t err = apply_layer_style(L, base + 1, base + 1, no_redraw);
  vm_set_top(L, base);
  return err;
}

namespace {

// The setters: the layer and a table with the keys the command sets.
template <typename Fill>
int32_t style_with(qmState* L, Fill fill) {
  const int32_t base = vm_get_top(L);
  vm_push_value(L, 1);
  vm_new_table(L);
  fill();
  const int32_t err = apply_layer_style(L, base + 1, base + 1, false);
  vm_set_top(L, base);
  return err;
}

void set_smooth(qmState* L, int32_t n) {
  if (vm_get_top(L) >= n) table_set_number(L, "smoothscale", flag_arg(L, n) ? 1 : 0);
}

// SetLayerStyle(layer, table [, layer, table ...])
int32_t cmd_setlayerstyle(qmState* L) {
  arg_check_count(L, 2, 0);
  return apply_layer_style(L, 1, vm_get_top(L), false);
}

// SetLayerFilter(layer, filters): a table, or 0 to clear them all.
int32_t cmd_setlayerfilter(qmState* L) {
  arg_check_count(L, 2, 2);
  const int32_t type = vm_type(L, 2);
  if (type == QM_TNUMBER && vm_to_number(L, 2) != 0) return ERR_WRONGUSAGE;
  if (type != QM_TNUMBER && type != QM_TTABLE) {
    vm_set_error_number(L, 2);
    return ERR_NUMEXPECTED;
  }
  return style_with(L, [&] {
    if (type == QM_TNUMBER) {
      table_set_number(L, "clearfilters", 1);
      return;
    }
    vm_push_string(L, "filters");
    vm_push_value(L, 2);
    vm_set_table(L, -3);
  });
}

// SetLayerAnchor(layer, ax, ay)
int32_t cmd_setlayeranchor(qmState* L) {
  arg_check_count(L, 3, 3);
  const double ax = vm_arg_check_number(L, 2), ay = vm_arg_check_number(L, 3);
  return style_with(L, [&] {
    table_set_double(L, "anchorx", ax);
    table_set_double(L, "anchory", ay);
  });
}

// TransformLayer(layer, sx, rx, ry, sy [, smooth])
int32_t cmd_transformlayer(qmState* L) {
  arg_check_count(L, 5, 6);
  double m[4];
  for (int32_t i = 0; i < 4; ++i) m[i] = vm_arg_check_number(L, i + 2);
  return style_with(L, [&] {
    table_set_list(L, "transform", m, 4);
    set_smooth(L, 6);
  });
}

// RotateLayer(layer, angle [, smooth])
int32_t cmd_rotatelayer(qmState* L) {
  arg_check_count(L, 2, 3);
  const double angle = vm_arg_check_number(L, 2);
  return style_with(L, [&] {
    table_set_double(L, "rotate", angle);
    set_smooth(L, 3);
  });
}

// ScaleLayer(layer, width, height [, smooth]): sizes or percentages.
int32_t cmd_scalelayer(qmState* L) {
  arg_check_count(L, 3, 4);
  for (int32_t n = 2; n <= 3; ++n)
    if (vm_type(L, n) != QM_TNUMBER && vm_type(L, n) != QM_TSTRING) {
      vm_set_error_number(L, n);
      return ERR_STRORNUM;
    }
  return style_with(L, [&] {
    const char* keys[2] = {"width", "height"};
    for (int32_t i = 0; i < 2; ++i) {
      vm_push_string(L, keys[i]);
      vm_push_value(L, i + 2);
      vm_set_table(L, -3);
    }
    set_smooth(L, 4);
  });
}

// SetLayerTint(layer, colour, level), also SetLayerLight.
int32_t cmd_setlayertint(qmState* L) {
  arg_check_count(L, 3, 3);
  const uint32_t colour = vm_arg_check_integer(L, 2);
  const double level = vm_arg_check_number(L, 3);
  return style_with(L, [&] {
    table_set_double(L, "tintcolor", double(colour));
    table_set_double(L, "tint", level);
  });
}

// SetLayerTransparency(layer, level)
int32_t cmd_setlayertransparency(qmState* L) {
  arg_check_count(L, 2, 2);
  const double level = vm_arg_check_number(L, 2);
  return style_with(L, [&] { table_set_double(L, "transparency", level); });
}

// NextFrame(layer [, x, y, frame])
int32_t cmd_nextframe(qmState* L) {
  arg_check_count(L, 1, 4);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  const int32_t x = to_i32(vm_arg_opt_number(L, 2, kKeep)), y = to_i32(vm_arg_opt_number(L, 3, kKeep));
  const int32_t frame = to_i32(vm_arg_opt_number(L, 4, 0));
  if (!position_in_range(x) || !position_in_range(y)) return ERR_WRONGUSAGE;
  qmLayer* layer = nullptr;
  if (int32_t err = layer_arg_layer(L, 1, pic, &layer)) return err;
  if (layer->type != OBJ_ANIM) return ERR_NOANMLAYER;
  return layer_set_position_frame(L, layer, x, y, frame, false);
}

// TranslateLayer(layer, dx, dy)
int32_t cmd_translatelayer(qmState* L) {
  arg_check_count(L, 3, 3);
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_precondition(&pic)) return err;
  const int32_t dx = to_i32(vm_arg_check_number(L, 2)), dy = to_i32(vm_arg_check_number(L, 3));
  if (!position_in_range(dx) || !position_in_range(dy)) return ERR_WRONGUSAGE;
  qmLayer* layer = nullptr;
  if (int32_t err = layer_arg_layer(L, 1, pic, &layer)) return err;
  layer_set_position(L, layer, dx, dy, false, 3, nullptr);
  return 0;
}

// ---- GetLayerStyle ------------------------------------------------------------------------------

void push_filters(qmState* L, const qmLayer* layer) {
  vm_push_string(L, "filters");
  vm_new_table(L);
  int32_t k = 0;
  for (int32_t slot = 0; slot < kFilterSlots; ++slot) {
    const FilterSlot& s = layer->filters[slot];
    if (!s.active) continue;
    vm_new_table(L);
    table_set_string(L, "name", filter_name(slot));
    table_set_number(L, "priority", s.priority);
    double args[5];
    int32_t n = 0, ints = 0, floats = 0;
    for (const char* p = filter_arg_types(slot); *p && n < 5; ++p)
      args[n++] = *p == 'f' ? double(s.floats[floats++ & 3]) : double(s.ints[ints++ & 3]);
    table_set_list(L, "args", args, size_t(n));
    vm_raw_seti(L, -2, k++);
  }
  vm_set_table(L, -3);
}

int32_t clip_region_id(const qmClipRegion* clip, bool owned) {
  if (!clip || owned) return -1;
  const auto* rec = reinterpret_cast<const qmClipRegionRecord*>(reinterpret_cast<const char*>(clip) -
                                                                  offsetof(qmClipRegionRecord, region));
  return rec->header.id.handle ? -1 : rec->header.id.number;
}

// GetLayerStyle(layer)
int32_t cmd_getlayerstyle(qmState* L) {
  arg_check_count(L, 1, 1);
  qmDisplay* d = display_current();
  qmBGPic* pic = nullptr;
  // While a brush, mask or alpha channel is the output, the display's own picture answers.
  const int32_t output = d ? d->output_type : kOutputDisplay;
  if ((output == TARGET_PICTURE || output == TARGET_MASK || output == TARGET_ALPHA) && drawtarget_selected()) {
    if (!d->bgpic || !d->saved_layers) return ERR_NOLAYERS;
    pic = d->bgpic;
  } else if (int32_t err = layer_precondition(&pic)) {
    return err;
  }
  qmLayer* layer = nullptr;
  if (int32_t err = layer_arg_layer(L, 1, pic, &layer)) return err;
  const qmLayerState* c = layer->content;
  const TransformBlock& b = layer->transform;
  vm_new_table(L);
  table_set_number(L, "x", c->pos_x);
  table_set_number(L, "y", c->pos_y);
  table_set_number(L, "width", b.target_width);
  table_set_number(L, "height", b.target_height);
  table_set_number(L, "rotate", b.rotation);
  table_set_double(L, "scalex", b.scale_x);
  table_set_double(L, "scaley", b.scale_y);
  table_set_double(L, "anchorx", b.anchor_x);
  table_set_double(L, "anchory", b.anchor_y);
  table_set_number(L, "smoothscale", b.smooth);
  const Matrix2 identity;
  table_set_list(L, "transform", (b.explicit_flag ? b.explicit_matrix : identity).m, 4);
  table_set_number(L, "transparency", layer->transparency);
  const FilterSlot& tint = layer->filters[kTintSlot];
  table_set_number(L, "tint", tint.active ? tint.ints[1] : 0);
  table_set_double(L, "tintcolor", double(uint32_t(tint.ints[0])));
  table_set_number(L, "hidden", layer->hidden);
  table_set_number(L, "clipregion", clip_region_id(c->clip, c->clip_owned != 0));
  table_set_number(L, "shadow", layer->shadow);
  if (layer->shadow) {
    table_set_double(L, "shadowcolor", double(layer->shadow_colour));
    table_set_number(L, "shadowdir", layer->shadow_direction);
    table_set_number(L, "shadowsize", layer->shadow_size);
    table_set_double(L, "shadowradius", layer->shadow_radius);
    table_set_double(L, "shadowsigma", layer->shadow_sigma);
  }
  table_set_number(L, "border", layer->border);
  table_set_double(L, "bordercolor", double(layer->border_colour));
  table_set_number(L, "bordersize", layer->border_size);
  table_set_number(L, "outlinethickness", layer->border_size);
  table_set_double(L, "edgecolor", double(layer->border_colour));
  table_set_number(L, "edgesize", layer->border_size);
  push_filters(L, layer);
  table_set_string(L, "group", layer->group);
  table_set_string(L, "name", layer->name ? layer->name : "");
  switch (layer->type) {
    case OBJ_BRUSH:
    case OBJ_BRUSHPART:
    case OBJ_BGPICPART:
      table_set_id(L, "id", layer->object);
      table_set_number(L, "partx", c->kind[0]);
      table_set_number(L, "party", c->kind[1]);
      table_set_number(L, "partwidth", c->content_w);
      table_set_number(L, "partheight", c->content_h);
      break;
    case OBJ_ANIM:
      table_set_number(L, "frame", c->kind[0] + 1);
      table_set_id(L, "id", layer->object);
      break;
    case OBJ_TEXTOBJECT: table_set_id(L, "id", layer->object); break;
    default:
      if (layer_kind_is_drawn(layer->type)) drawn_content_push(L, layer);
      break;
  }
  return 1;
}

const qmCommand kStyleCommands[] = {
    {"SetLayerStyle", cmd_setlayerstyle},
    {"GetLayerStyle", cmd_getlayerstyle},
    {"SetLayerFilter", cmd_setlayerfilter},
    {"SetLayerAnchor", cmd_setlayeranchor},
    {"TransformLayer", cmd_transformlayer},
    {"RotateLayer", cmd_rotatelayer},
    {"ScaleLayer", cmd_scalelayer},
    {"SetLayerTint", cmd_setlayertint},
    {"SetLayerLight", cmd_setlayertint},
    {"SetLayerTransparency", cmd_setlayertransparency},
    {"NextFrame", cmd_nextframe},
    {"TranslateLayer", cmd_translatelayer},
    {nullptr, nullptr},
};

}  // namespace

const qmCommand* layer_style_commands() { return kStyleCommands; }

}  // namespace qm
