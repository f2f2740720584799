// Layer records, the intrusive layer list, names, the constructor and freeing.
#include "layers/layer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "display/asyncdraw.h"
#include "display/clipregion.h"
#include "display/display.h"
#include "display/fill.h"
#include "display/frame.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "runtime/errors.h"
#include "gfx/bitmap.h"
#include "layers/layers.h"

namespace qm {

namespace {

int32_t no_async_draw(const qmLayer*) {
  return 0;
}

// Until the drawing library arrives, a drawn kind shows its bounds filled with its colour.
int32_t fill_bounds(qmLayer*, qmLayerState* state) {
  if (state->content.bitmap) return 0;
  qmBitmap* bitmap = qmos_alloc_bitmap(state->width, state->height);
  if (!bitmap) return ERR_MEM;
  qmos_fill_bitmap_rect(bitmap, 0, 0, state->width, state->height, state->colour);
  state->content.bitmap = bitmap;
  return 0;
}

int32_t unsupported_frame(qmState*, const ObjectId&, int32_t, LayerPlanes*, int32_t*) {
  return ERR_UNSUPPORTEDFEAT;
}
int32_t unsupported_text(qmState*, const ObjectId&, LayerPlanes*) {
  return ERR_UNSUPPORTEDFEAT;
}
int32_t unsupported_anim_layer(qmState*, const AnimLayerRequest&) {
  return ERR_UNSUPPORTEDFEAT;
}
int32_t unsupported_insert(qmState*, int32_t, const ObjectId&, int32_t, int32_t, int32_t, int32_t) {
  return ERR_UNSUPPORTEDFEAT;
}
int32_t unsupported_modify(qmState*, qmLayer*, int32_t, int32_t, int32_t*) {
  return ERR_UNSUPPORTEDFEAT;
}

// The draw and text libraries' defaults at their start, until they answer for themselves.
void default_draw_style(LayerShapeStyle* out) {
  *out = LayerShapeStyle{};
  out->draw.form_style = FORM_NORMAL;
  out->draw.fill_style = FILLNONE;
  gradient_defaults(&out->draw.gradient);
  out->draw.gradient.start_colour = 0x0000FF;
}
void default_text_style(LayerTextStyle* style, uint32_t* colour, LayerFont* font) {
  *style = LayerTextStyle{};
  *colour = 0xFFFFFF;
  *font = LayerFont{};
}
int32_t font_as_named(qmState*, LayerFont*) {
  return 0;
}
int32_t no_paths(qmState*, const ObjectId& id, std::vector<uint32_t>*) {
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDPATH;
}

int32_t no_drawn_border(qmState*, qmLayer*, qmLayerState*, int32_t, int32_t, LayerImage*, Rect*) {
  return ERR_UNSUPPORTEDFEAT;
}
int32_t no_render_transformed(qmState*, qmLayer*, const Matrix2&, LayerImage*, Rect*) {
  return ERR_UNSUPPORTEDFEAT;
}

bool no_font_attributes(const LayerFont&, FontAttributes*) { return false; }
void no_collect(qmState*) {}

constexpr LayerServices kDefaultServices{
    no_async_draw,      fill_bounds,        nullptr,         nullptr,       unsupported_frame,
    unsupported_text,   unsupported_anim_layer, unsupported_insert, unsupported_modify, default_draw_style,
    default_text_style, font_as_named,      no_paths,        no_drawn_border, no_render_transformed,
    no_font_attributes, no_collect, no_collect};
LayerServices g_services = kDefaultServices;


void free_state_caches(qmLayerState* s) {
  layer_image_free(s->filtered);
  layer_image_free(s->border);
  qmos_free_alpha(s->shadow);
  s->shadow = nullptr;
}

}  // namespace

void layer_image_free(LayerImage& image) {
  qmos_free_bitmap(image.bitmap);
  qmos_free_mask(image.mask);
  qmos_free_alpha(image.alpha);
  image = LayerImage{};
}

LayerServices& layer_services() {
  return g_services;
}
void layer_services_reset() {
  g_services = kDefaultServices;
}

bool layer_kind_is_drawn(int32_t type) {
  return layer_kind_is_shape(type) || type == OBJ_TEXTOUT || type == OBJ_PRINT || type == OBJ_VECTORPATH;
}

bool layer_kind_is_shape(int32_t type) {
  return type == OBJ_BOX || type == OBJ_CIRCLE || type == OBJ_ELLIPSE || type == OBJ_LINE || type == OBJ_POLYGON ||
         type == OBJ_ARC;
}

int32_t layers_count(const qmBGPic* pic) {
  int32_t n = 0;
  for (qmLayer* l = layers_bottom(pic); l; l = l->next) ++n;
  return n;
}

qmLayer* layer_at_index(const qmBGPic* pic, int32_t n) {
  if (n < 1) return nullptr;
  qmLayer* l = layers_bottom(pic);
  while (l && --n > 0) l = l->next;
  return l;
}

int32_t layer_index_of(const qmBGPic* pic, const qmLayer* layer) {
  int32_t n = 1;
  for (qmLayer* l = layers_bottom(pic); l; l = l->next, ++n)
    if (l == layer) return n;
  return -1;
}

int32_t layer_find_by_name(const qmBGPic* pic, const char* name) {
  int32_t n = 1;
  for (qmLayer* l = layers_bottom(pic); l; l = l->next, ++n)
    if (l->name && str_case_cmp(l->name, name) == 0) return n;
  return 0;
}

void layer_unlink(qmBGPic* pic, qmLayer* layer) {
  if (layer->prev)
    layer->prev->next = layer->next;
  else
    pic->layers.head = layer->next;
  if (layer->next)
    layer->next->prev = layer->prev;
  else
    pic->layers.tail = layer->prev;
  layer->next = layer->prev = nullptr;
}

namespace {

// Links layer directly above `below` (nullptr: at the bottom).
void link_above(qmBGPic* pic, qmLayer* layer, qmLayer* below) {
  layer->prev = below;
  layer->next = below ? below->next : layers_bottom(pic);
  if (layer->prev)
    layer->prev->next = layer;
  else
    pic->layers.head = layer;
  if (layer->next)
    layer->next->prev = layer;
  else
    pic->layers.tail = layer;
}

}  // namespace

void layer_link(qmBGPic* pic, qmLayer* layer, int32_t position) {
  qmLayer* below = layers_top(pic);
  if (position == 1)
    below = nullptr;
  else if (position >= 2)
    if (qmLayer* at = layer_at_index(pic, position - 1)) below = at;
  link_above(pic, layer, below);
}

int32_t layer_move_in_list(qmBGPic* pic, qmLayer* layer, int32_t position) {
  const int32_t from = layer_index_of(pic, layer);
  if (from < 0) return 0;
  const int32_t count = layers_count(pic);
  if (position == 0 || position > count) position = count;
  if (position == from) return 0;
  if (position < 1) return 0;
  layer_unlink(pic, layer);
  // With the layer out, the one below its new place is at position - 1.
  link_above(pic, layer, position == 1 ? nullptr : layer_at_index(pic, position - 1));
  return 1;
}

void layer_swap(qmBGPic* pic, qmLayer* a, qmLayer* b) {
  if (a == b) return;
  const int32_t ia = layer_index_of(pic, a), ib = layer_index_of(pic, b);
  qmLayer* low = ia < ib ? a : b;
  qmLayer* high = ia < ib ? b : a;
  const int32_t lo = ia < ib ? ia : ib, hi = ia < ib ? ib : ia;
  layer_move_in_list(pic, high, lo);
  layer_move_in_list(pic, low, hi);
}

int32_t layer_set_name_checked(qmBGPic* pic, qmLayer* layer, const char* name) {
  if (!name || !*name) {
    delete[] layer->name;
    layer->name = nullptr;
    return 0;
  }
  const size_t length = std::strlen(name);
  if (length > size_t(kMaxLayerName)) return ERR_NAMETOOLONG;
  for (qmLayer* l = layers_bottom(pic); l; l = l->next) {
    if (l->name && str_case_cmp(l->name, name) == 0) return ERR_NAMEUSED;
    if (l->group[0] && str_case_cmp(l->group, name) == 0) return ERR_NAMEUSED;
  }
  char* copy = new (std::nothrow) char[length + 1];
  if (!copy) return ERR_MEM;
  std::memcpy(copy, name, length + 1);
  delete[] layer->name;
  layer->name = copy;
  return 0;
}

void layer_state_free(qmLayerState* state) {
  if (!state) return;
  layer_image_free(state->content);
  layer_image_free(state->transformed);
  free_state_caches(state);
  if (state->clip_owned) clip_free(state->clip);
  delete state;
}

void layer_effect_free(qmLayer* layer) {
  qmLayerEffect* e = layer->effect;
  if (!e) return;
  qmos_free_bitmap(e->bitmap);
  qmos_free_mask(e->mask);
  qmos_free_alpha(e->alpha);
  delete e;
  layer->effect = nullptr;
}

void layer_free_images(qmLayer* layer, int32_t which) {
  qmLayerState* states[3] = {layer->content, layer->unscaled, layer->display};
  for (int i = 0; i < 3; ++i) {
    qmLayerState* s = states[i];
    if (!s || (i >= 1 && s == states[0]) || (i == 2 && s == states[1])) continue;
    if (which & LAYER_IMAGE_FILTERED) layer_image_free(s->filtered);
    if (which & LAYER_IMAGE_BORDER) layer_image_free(s->border);
    if (which & LAYER_IMAGE_SHADOW) {
      qmos_free_alpha(s->shadow);
      s->shadow = nullptr;
    }
  }
}

void layer_free_caches(qmLayer* layer) {
  layer_free_images(layer, LAYER_IMAGE_FILTERED | LAYER_IMAGE_BORDER | LAYER_IMAGE_SHADOW);
}

void layer_free(qmState* L, qmLayer* layer) {
  if (!layer) return;
  // An async draw that drives the layer lets go of it before it goes, and so does a select that
  // draws into it.
  if (asyncdraw_owns_layer(layer)) asyncdraw_broadcast(ADCTL_LAYERGONE, layer);
  for (ObjectHeader* h = display_system().list; h; h = h->next) {
    qmDisplay* d = display_of(h);
    const auto* t = static_cast<const OutputTarget*>(d->select_target);
    if (t && t->active && t->object_type == OBJ_LAYER && t->record == layer) drawtarget_end(L, d, false);
  }
  qmLayerState* content = layer->content;
  qmLayerState* unscaled = layer->unscaled != content ? layer->unscaled : nullptr;
  qmLayerState* display = layer->display != content && layer->display != layer->unscaled ? layer->display : nullptr;
  layer_state_free(content);
  layer_state_free(unscaled);
  layer_state_free(display);
  layer_effect_free(layer);
  delete[] layer->name;
  // Data items hold references in the state's registry; at exit the layers go without a state
  // in hand, so they are released through the one the libraries were opened with.
  if (qmState* S = L ? L : picture_state(); layer->refs && S) reflist_free(S, layer->refs);
  delete layer;
}

int32_t render_layer_content(qmState*, qmLayer* layer, qmLayerState* state) {
  const int32_t type = layer->type;
  if (layer_kind_is_drawn(type)) return g_services.render_content(layer, state);
  // Brushes, anims, text objects and picture parts show their object's planes.
  return 0;
}

void layer_remove(qmState* L, qmBGPic* pic, qmLayer* layer) {
  button_hooks().layer_gone(L, pic, layer);
  layer_unlink(pic, layer);
  layer_free(L, layer);
}

void bgpic_layers_free(qmState* L, qmBGPic* pic) {
  while (qmLayer* l = layers_bottom(pic)) {
    button_hooks().layer_gone(L, pic, l);
    layer_unlink(pic, l);
    layer_free(L, l);
  }
}

namespace {

// The style words of a new layer: from the request's style, else the draw-tag defaults' shadow
// and border settings (switched off).
void apply_style(qmLayer* layer, const LayerStyle* style) {
  if (!style) {
    const qmDrawTagOptions& d = drawtag_defaults().tags;
    layer->shadow_colour = d.shadow.color;
    layer->shadow_size = d.shadow.size;
    layer->shadow_direction = d.shadow.direction;
    layer->shadow_radius = d.shadow.radius;
    layer->shadow_sigma = d.shadow.sigma;
    layer->border_colour = d.border.color;
    layer->border_size = d.border.size;
    return;
  }
  layer->transparency = style->transparency;
  if (style->filters)
    for (int32_t i = 0; i < kFilterSlots; ++i)
      if (style->filters[i].active) layer->filters[i] = style->filters[i];
  if (style->tint > 0) {
    FilterSlot& tint = layer->filters[kTintSlot];
    tint.active = 1;
    tint.ints[0] = int32_t(style->tint_colour & 0xFFFFFF);
    tint.ints[1] = style->tint;
  }
  layer->shadow = style->shadow;
  layer->shadow_colour = style->shadow_colour;
  layer->shadow_size = style->shadow_size;
  layer->shadow_direction = style->shadow_direction;
  layer->shadow_radius = style->shadow_radius;
  layer->shadow_sigma = style->shadow_sigma;
  layer->border = style->border;
  layer->border_colour = style->border_colour;
  layer->border_size = style->border_size;
}

}  // namespace

int32_t layer_new(qmState* L, qmBGPic* pic, const LayerSpec& spec, qmLayer** out) {
  LayerImage image = spec.image;
  auto fail = [&](int32_t error) {
    layer_image_free(image);
    return error;
  };
  if (!pic) return fail(ERR_NOLAYERS);
  if (!position_in_range(spec.x) || !position_in_range(spec.y)) return fail(ERR_WRONGUSAGE);
  const int32_t count = layers_count(pic);
  int32_t position = spec.insert_position;
  int32_t flags = spec.flags;
  if (spec.style) {
    if (spec.style->hidden) flags |= LAYER_HIDDEN;
    if (spec.style->insert_position > 0) position = std::min(spec.style->insert_position, count + 1);
  }
  if (position == 0 || position > count) position = -1;
  // A replacement is decided before anything is linked or taken over, so a refusal changes nothing.
  qmLayer* replaced = nullptr;
  if (flags & LAYER_REPLACE) {
    replaced = position == -1 ? nullptr : layer_at_index(pic, position);
    if (replaced)
      if (int32_t error = g_services.async_draw_error(replaced)) return fail(error);
  }
  auto* layer = new (std::nothrow) qmLayer;
  auto* state = new (std::nothrow) qmLayerState;
  if (!layer || !state) {
    delete layer;
    delete state;
    return fail(ERR_MEM);
  }
  state->content = image;
  image = LayerImage{};
  state->pos_x = state->bounds_x = state->anchored_x = spec.x;
  state->pos_y = state->bounds_y = state->anchored_y = spec.y;
  state->content_w = state->width = spec.width;
  state->content_h = state->height = spec.height;
  state->colour = spec.colour;
  if (spec.drawn) {
    state->drawn.reset(new (std::nothrow) LayerDrawn(*spec.drawn));
    if (!state->drawn) {
      delete layer;
      layer_state_free(state);
      return ERR_MEM;
    }
    state->fill_style = spec.drawn->style.draw.fill_style;
  }
  // Parts keep their source corner; an anim its frame and frame count.
  if (spec.type == OBJ_BRUSHPART || spec.type == OBJ_BGPICPART || spec.type == OBJ_ANIM) {
    state->kind[0] = spec.part_x;
    state->kind[1] = spec.part_y;
  }
  layer->type = spec.type;
  layer->object = layer->creation = spec.id;
  layer->hidden = (flags & LAYER_HIDDEN) ? 1 : 0;
  layer->content = layer->unscaled = layer->display = state;
  // A new layer is clipped by the region active on the output (a replacement takes the old one's).
  if (!(flags & LAYER_REPLACE)) state->clip = clipregion_active();
  apply_style(layer, spec.style);
  if (spec.style && spec.style->name && *spec.style->name)
    if (int32_t error = layer_set_name_checked(pic, layer, spec.style->name)) {
      layer_free(L, layer);
      return error;
    }
  if (spec.transform) {
    layer->transform = *spec.transform;
    if (layer->type != OBJ_LINE) {
      const int32_t dx = to_i32_sat(double(spec.width) * spec.transform->anchor_x);
      const int32_t dy = to_i32_sat(double(spec.height) * spec.transform->anchor_y);
      state->bounds_x = state->anchored_x = sat_i32(int64_t(spec.x) - dx);
      state->bounds_y = state->anchored_y = sat_i32(int64_t(spec.y) - dy);
    }
  }
  if (int32_t error = render_layer_content(L, layer, state)) {
    layer_free(L, layer);
    return error;
  }
  layer_link(pic, layer, position);
  // A transformed layer gets its unscaled state, a scaled display its display state.
  const Matrix2 m = style_build_transform(layer->transform, state->content_w, state->content_h);
  int32_t error = 0;
  if (!m.is_identity())
    error = layer_set_transform(L, layer, layer->transform);
  else
    error = layer_rebuild_display(L, layer);
  if (error) {
    layer_unlink(pic, layer);
    layer_free(L, layer);
    return error;
  }
  if (replaced) {
    layer->clip_share = replaced->clip_share;
    state->clip = replaced->content->clip;
    state->clip_owned = replaced->content->clip_owned;
    replaced->content->clip = nullptr;
    replaced->content->clip_owned = 0;
    // The states of their own carry the region too (a failure leaves them unclipped).
    if (state->clip && (layer->unscaled != state || layer->display != state)) layer_rebuild(L, layer);
    layer->refs = replaced->refs;
    replaced->refs = nullptr;
    button_hooks().layer_replaced(pic, replaced, layer);
    layer_unlink(pic, replaced);
    layer_free(L, replaced);
  }
  if (!(flags & (LAYER_HIDDEN | LAYER_NOREFRESH))) layer_refresh(L, pic, layer);
  if (out) *out = layer;
  return 0;
}

}  // namespace qm
