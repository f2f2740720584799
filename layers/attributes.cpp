// GetAttribute for layers (a position or a name in the background picture of the current
// output) and for sprites.
#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "layers/layers.h"
#include "layers/sprite.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

enum : int32_t {
  ATTRXPOS = 7, ATTRYPOS = 8, ATTRVISIBLE = 10, ATTRNUMFRAMES = 11, ATTRCURFRAME = 12, ATTRLAYERID = 13,
  ATTRONSCREEN = 23, ATTRTEXT = 36, ATTRFRAMEDELAY = 37, ATTRGROUP = 62, ATTRRAWXPOS = 65, ATTRRAWYPOS = 66,
  ATTRRAWWIDTH = 67, ATTRRAWHEIGHT = 68,
};

// The picture whose layers the current output means: a picture selected with its layers, else
// the display's own. Drawing into a brush, mask or alpha channel asks about the display's own
// picture with the layers flag the selection saved.
int32_t layer_picture(qmBGPic** out) {
  qmDisplay* d = display_current();
  if (!d || !d->bgpic) return ERR_NOLAYERS;
  const auto* t = static_cast<const OutputTarget*>(d->select_target);
  const bool into_object = d->output_type == TARGET_MASK || d->output_type == TARGET_ALPHA ||
                           (d->output_type == TARGET_PICTURE && t && t->active && t->object_type == OBJ_BRUSH);
  if (into_object) {
    if (!d->saved_layers) return ERR_NOLAYERS;
    *out = d->bgpic;
    return 0;
  }
  if (!d->layers) return ERR_NOLAYERS;
  const bool selected_picture = d->output_type == TARGET_LAYERS && t && t->object_type == OBJ_BGPIC;
  *out = selected_picture ? static_cast<qmBGPic*>(t->record) : d->bgpic;
  return 0;
}

int32_t push_int(qmState* L, int64_t v) {
  vm_push_number(L, double(v));
  return 1;
}

// The font rows and ATTRTEXT of TEXTOUT and PRINT layers.
int32_t text_attribute(qmState* L, const qmLayer* layer, int32_t attribute) {
  if (layer->type != OBJ_TEXTOUT && layer->type != OBJ_PRINT) return ERR_NOTXTLAYER;
  const LayerDrawn* d = layer->content->drawn.get();
  if (!d) return ERR_UNSUPPORTEDFEAT;
  if (attribute == ATTRTEXT) {
    vm_push_lstring(L, d->text.data(), d->text.size());
    return 1;
  }
  FontAttributes font;
  if (!layer_services().font_attributes(d->font, &font)) return ERR_UNSUPPORTEDFEAT;
  return graphics_push_font_attribute(L, attribute, font);
}

int32_t layer_attribute(qmState* L, int32_t attribute) {
  qmBGPic* pic = nullptr;
  if (int32_t err = layer_picture(&pic)) return err;
  const qmLayer* layer = nullptr;
  if (vm_type(L, 2) == QM_TSTRING) layer = layer_at_index(pic, layer_find_by_name(pic, vm_to_string(L, 2)));
  else layer = layer_at_index(pic, to_i32(vm_arg_check_number(L, 2)));
  if (!layer) return ERR_LAYERRANGE;
  const qmLayerState* shown = layer->display;
  const qmLayerState* raw = layer->content;
  switch (attribute) {
    case ATTRWIDTH: return push_int(L, shown->width);
    case ATTRHEIGHT: return push_int(L, shown->height);
    case ATTRXPOS: return push_int(L, shown->pos_x);
    case ATTRYPOS: return push_int(L, shown->pos_y);
    case ATTRRAWXPOS: return push_int(L, raw->pos_x);
    case ATTRRAWYPOS: return push_int(L, raw->pos_y);
    case ATTRRAWWIDTH: return push_int(L, raw->content_w);
    case ATTRRAWHEIGHT: return push_int(L, raw->content_h);
    case ATTRLAYERS: return push_int(L, bgpic_total_layers());
    case ATTRTYPE: return push_int(L, layer->type);
    case ATTRVISIBLE: return push_int(L, layer->hidden ? 0 : 1);
    case ATTRLAYERID: return push_int(L, layer_index_of(pic, layer));
    case ATTRGROUP:
      vm_push_string(L, layer->group);
      return 1;
    case ATTRNUMFRAMES:
      return layer->type == OBJ_ANIM ? push_int(L, layer->content->kind[1]) : ERR_NOANMLAYER;
    case ATTRCURFRAME:
      return layer->type == OBJ_ANIM ? push_int(L, layer->content->kind[0] + 1) : ERR_NOANMLAYER;
    case ATTRFRAMEDELAY: {
      if (layer->type != OBJ_ANIM) return ERR_NOANMLAYER;
      int32_t delay = 0;
      if (int32_t err = anim_hooks().frame_delay(layer->object, layer->content->kind[0], &delay)) return err;
      return push_int(L, delay);
    }
    default:
      if ((attribute >= ATTRFONTASCENDER && attribute < ATTRFONTASCENDER + 6) || attribute == ATTRTEXT)
        return text_attribute(L, layer, attribute);
      return ERR_UNKNOWNATTR;
  }
}

// Position and frame come from the sprite's entry on the current display's picture.
int32_t sprite_attribute(qmState* L, int32_t attribute) {
  qmSprite* s = nullptr;
  if (int32_t err = sprite_find(arg_get_id(L, 2), 0, &s)) return err;
  const bool placed = attribute == ATTRXPOS || attribute == ATTRYPOS || attribute == ATTRCURFRAME;
  const SpriteEntry* e = nullptr;
  if (placed || attribute == ATTRONSCREEN) {
    const qmDisplay* d = display_current();
    e = d ? sprite_entry_of(d->bgpic, s) : nullptr;
    if (!e && placed) {
      if (s->header.id.handle) return ERR_SPRITEONSCREEN2;
      err_set_number_arg(s->header.id.number);
      return ERR_SPRITEONSCREEN;
    }
  }
  const qmMask* mask = nullptr;
  const qmAlphaChannel* alpha = nullptr;
  switch (attribute) {
    case ATTRWIDTH: return push_int(L, s->width);
    case ATTRHEIGHT: return push_int(L, s->height);
    // A linked sprite shows the colour of its first part, whose frames come first.
    case ATTRTRANSPARENTCOLOR: return push_int(L, (s->linked ? s->segments.front() : s)->transparent);
    case ATTRNUMFRAMES: return push_int(L, s->frame_count);
    case ATTRXPOS: return push_int(L, e->rect.x);
    case ATTRYPOS: return push_int(L, e->rect.y);
    case ATTRCURFRAME: return push_int(L, e->frame);
    case ATTRONSCREEN: return push_int(L, e != nullptr);
    case ATTRHASMASK:
      sprite_get_frame(s, 0, nullptr, &mask, nullptr);
      return push_int(L, mask != nullptr);
    case ATTRHASALPHA:
      sprite_get_frame(s, 0, nullptr, nullptr, &alpha);
      return push_int(L, alpha != nullptr);
    default: return ERR_UNKNOWNATTR;
  }
}

}  // namespace

void layer_attributes_open() { graphics_set_attribute_handler(OBJ_LAYER, layer_attribute); }
void sprite_attributes_open() { graphics_set_attribute_handler(OBJ_SPRITE, sprite_attribute); }

}  // namespace qm
