// Text objects (text/textobject.h): the list, find, copy, free and the layers' collection, their
// six commands, the layers' services for layers of type 8 and their GetAttribute rows.
#include "text/textobject.h"

#include <cmath>
#include <new>
#include <utility>

#include "display/graphics.h"
#include "display/bgpic.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/showbrush.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/effects.h"
#include "layers/layers.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "text/font_driver.h"
#include "text/text_internal.h"

namespace qm {

namespace {

ObjectList g_objects;
LayerServices g_next{};

constexpr int32_t kAttrText = 36;  // ATTRTEXT

qmTextObject* as_object(ObjectHeader* h) {
  return reinterpret_cast<qmTextObject*>(h);
}

int32_t not_found(const ObjectId& id) {
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDTEXTOBJECT;
}

// The object that answers the id: hidden ones only when asked for.
qmTextObject* find_record(const ObjectId& id, bool hidden) {
  ObjectHeader* h = g_objects.find(id);
  if (!h || (as_object(h)->auto_free && !hidden)) return nullptr;
  return as_object(h);
}

void free_data(qmState* L, qmTextObject* o) {
  qmos_free_bitmap(o->bitmap);
  qmos_free_mask(o->mask);
  qmos_free_alpha(o->alpha);
  if (o->header.refs) reflist_free(L ? L : picture_state(), o->header.refs);
  delete o;
}

void unlink_and_free(qmState* L, qmTextObject* o) {
  g_objects.remove(&o->header);
  free_data(L, o);
}

// A new record under id (its own address for an automatic id) holding the image, at the list's
// end. The image's planes are the record's from the call on, also on failure.
int32_t append(const ObjectId& id, qmTextImage& img, qmTextObject** out) {
  auto* o = new (std::nothrow) qmTextObject();
  if (!o) return ERR_MEM;
  o->header.type = OBJ_TEXTOBJECT;
  o->header.id = id.handle ? ObjectId{0, o} : id;
  o->bitmap = img.bitmap, o->mask = img.mask, o->alpha = img.alpha;
  img.release();
  o->width = o->base_width = o->target_width = img.width;
  o->height = o->base_height = o->target_height = img.height;
  o->x_offset = img.x, o->y_offset = img.y;
  if (!g_objects.append(&o->header)) {
    free_data(nullptr, o);
    return ERR_MEM;
  }
  *out = o;
  return 0;
}

int32_t copy_for_layers(qmState* L, void* object, ObjectId* out_id) {
  qmTextObject* copy = nullptr;
  if (int32_t err = textobject_copy(L, static_cast<qmTextObject*>(object), automatic_id(), &copy)) return err;
  copy->auto_free = true;
  *out_id = copy->header.id;
  return 0;
}

// The image of the object's text at a target size and angle: the font laid out at the scale, the
// rest turned; the lines break where they broke at creation.
int32_t render_again(qmState* L, const qmTextObject* o, int32_t width, int32_t height, int32_t angle,
                     qmTextImage* out) {
  const double sx = double(width) / double(o->base_width), sy = double(height) / double(o->base_height);
  const double rad = angle * (M_PI / 180.0);
  double c = std::cos(rad), s = std::sin(rad);
  if (angle % 90 == 0) c = std::round(c), s = std::round(s);  // right angles stay exact
  const double m[4] = {c * sx, s * sx, -s * sy, c * sy};
  const bool smooth = (o->job.style.flags & TEXTSTYLE_ANTIALIAS) != 0;
  try {
    return text_render_image_transformed(L, o->job, TEXTKIND_OBJECT, TEXTRENDER_AGAIN, m, smooth, out);
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
}

// The new image replaces the old; the offsets stay only while the text is not turned.
void take_image(qmTextObject* o, qmTextImage& img, int32_t width, int32_t height, int32_t angle) {
  qmos_free_bitmap(o->bitmap);
  qmos_free_mask(o->mask);
  qmos_free_alpha(o->alpha);
  o->bitmap = img.bitmap, o->mask = img.mask, o->alpha = img.alpha;
  img.release();
  o->width = img.width, o->height = img.height;
  o->x_offset = angle == 0 ? img.x : 0;
  o->y_offset = angle == 0 ? img.y : 0;
  o->target_width = width, o->target_height = height;
  o->angle = angle;
}

// A new object made under an automatic id takes the id it was made for, whose old object goes
// only now; the command's result.
int32_t take_id(qmState* L, const NewId& id, qmTextObject* o) {
  if (!id.automatic) {
    const int32_t err = textobject_free(L, id.id, false);
    if (err || !g_objects.rekey(&o->header, id.id)) {
      unlink_and_free(L, o);
      return err ? err : ERR_MEM;
    }
  }
  return push_new_id(L, id, o);
}

qmTextObject* object_arg(qmState* L, int32_t n, int32_t flags) {
  qmTextObject* o = nullptr;
  if (int32_t err = textobject_find(L, arg_get_id(L, n), &o, flags)) vm_command_fail(L, err);
  return o;
}

}  // namespace

// ---- Commands ----------------------------------------------------------------------------------

// CreateTextObject(id, text [, align, wordwrap, encoding]) or (id, text, options)
int32_t cmd_createtextobject(qmState* L) {
  arg_check_count(L, 2, 5);
  const int32_t n = vm_get_top(L);
  const NewId id = new_id_arg(L, 1);
  size_t length = 0;
  const char* text = vm_arg_check_string(L, 2, &length);
  qmTextJob job;
  job.style = text_get_style();
  job.encoding = text_default_encoding();
  job.text.assign(text, length);
  int32_t wrap = 0;
  if (n == 3 && vm_type(L, 3) == QM_TTABLE) {
    if (int32_t err = text_job_options(L, 3, &job, &wrap)) return err;
  } else {
    if (n >= 3) job.align = to_i32(vm_arg_check_number(L, 3));
    if (n >= 4) wrap = to_i32(vm_arg_check_number(L, 4));
    if (n >= 5) job.encoding = text_encoding_arg(L, 5);
  }
  if (wrap < 0) return ERR_WRONGUSAGE;
  job.right_margin = wrap;
  // The object that has the id goes only once the new one is made.
  qmTextObject* old = id.automatic ? nullptr : find_record(id.id, false);
  if (old && old->locked) return ERR_LOCKEDOBJ;
  qmTextImage img;
  if (int32_t err = text_render_image(L, job, TEXTKIND_OBJECT, false, 0, &img)) return err;
  qmTextObject* o = nullptr;
  if (int32_t err = append(automatic_id(), img, &o)) return err;
  o->job = std::move(job);
  return take_id(L, id, o);
}

// CopyTextObject(source, id)
int32_t cmd_copytextobject(qmState* L) {
  arg_check_count(L, 2, 2);
  const ObjectId source_id = arg_get_id(L, 1);
  const NewId id = new_id_arg(L, 2);
  if (!id.automatic && id.id == source_id) return ERR_WRONGUSAGE;
  qmTextObject* source = nullptr;
  if (int32_t err = textobject_find(L, source_id, &source, 0)) return err;
  qmTextObject* old = id.automatic ? nullptr : find_record(id.id, false);
  if (old && old->locked) return ERR_LOCKEDOBJ;
  qmTextObject* o = nullptr;
  if (int32_t err = textobject_copy(L, source, automatic_id(), &o)) return err;
  return take_id(L, id, o);
}

int32_t cmd_freetextobject(qmState* L) {
  arg_check_count(L, 1, 1);
  return textobject_free(L, arg_get_id(L, 1), true);
}

// DisplayTextObject(id, x, y [, options])
int32_t cmd_displaytextobject(qmState* L) {
  arg_check_count(L, 3, 4);
  const ObjectId id = arg_get_id(L, 1);
  const int32_t x = to_i32(vm_arg_check_number(L, 2)), y = to_i32(vm_arg_check_number(L, 3));
  if (!position_in_range(x) || !position_in_range(y)) return ERR_WRONGUSAGE;
  return textobject_render(L, id, x, y, 4);
}

// RotateTextObject(id, angle): whole degrees, the sign kept.
int32_t cmd_rotatetextobject(qmState* L) {
  arg_check_count(L, 2, 2);
  const double a = vm_arg_check_number(L, 2);
  const int32_t angle = to_i32(std::fmod(std::trunc(std::isfinite(a) ? a : 0.0), 360.0));
  qmTextObject* o = object_arg(L, 1, TEXTOBJFIND_CHANGE);
  qmTextImage img;
  if (int32_t err = render_again(L, o, o->target_width, o->target_height, angle, &img)) return err;
  take_image(o, img, o->target_width, o->target_height, angle);
  return 0;
}

// ScaleTextObject(id, width, height): pixels or a percentage of the size at creation; one side may
// be KEEPASPRAT.
int32_t cmd_scaletextobject(qmState* L) {
  arg_check_count(L, 3, 3);
  const qmTextObject* base = object_arg(L, 1, 0);
  bool fraction = false;
  int32_t width = to_i32(arg_get_number_or_percent(L, 2, double(base->base_width), true, &fraction));
  int32_t height = to_i32(arg_get_number_or_percent(L, 3, double(base->base_height), true, &fraction));
  if (int32_t err = size_keep_aspect(base->base_width, base->base_height, &width, &height)) return err;
  qmTextObject* o = object_arg(L, 1, TEXTOBJFIND_CHANGE);
  qmTextImage img;
  if (int32_t err = render_again(L, o, width, height, o->angle, &img)) return err;
  take_image(o, img, width, height, o->angle);
  return 0;
}

namespace {

// ---- The layers' services and the attribute rows -----------------------------------------------

int32_t image_service(qmState* L, const ObjectId& id, LayerPlanes* out) {
  qmTextObject* o = nullptr;
  if (int32_t err = textobject_find(L, id, &o, TEXTOBJFIND_HIDDEN)) return err;
  *out = LayerPlanes{o->bitmap, o->mask, o->alpha, o->width, o->height, 0, 0};
  return 0;
}

int32_t insert_service(qmState* L, int32_t kind, const ObjectId& id, int32_t x, int32_t y, int32_t position,
                       int32_t flags) {
  if (kind != OBJ_TEXTOBJECT) return g_next.insert_object(L, kind, id, x, y, position, flags);
  return textobject_insert_layer(L, id, x, y, position, flags);
}

int32_t attribute(qmState* L, int32_t attribute) {
  qmTextObject* o = nullptr;
  if (int32_t err = textobject_find(L, arg_get_id(L, 2), &o, 0)) return err;
  switch (attribute) {
    case ATTRWIDTH: vm_push_number(L, o->width); return 1;
    case ATTRHEIGHT: vm_push_number(L, o->height); return 1;
    case kAttrText: vm_push_lstring(L, o->job.text.data(), o->job.text.size()); return 1;
    default: break;
  }
  if (attribute >= ATTRFONTASCENDER && attribute <= ATTRFONTAA) {
    FontAttributes a;
    text_font_attributes(o->job.style.font, &a);
    return graphics_push_font_attribute(L, attribute, a);
  }
  return ERR_UNKNOWNATTR;
}

}  // namespace

int32_t textobject_find(qmState* L, const ObjectId& id, qmTextObject** out, int32_t flags) {
  *out = nullptr;
  qmTextObject* o = find_record(id, (flags & TEXTOBJFIND_HIDDEN) != 0);
  if (!o) return not_found(id);
  if (flags & TEXTOBJFIND_CHANGE) {
    if (o->locked) return ERR_LOCKEDOBJ;
    if (!(flags & TEXTOBJFIND_NOCOPY)) {
      ObjectId copy;
      if (int32_t err = object_copy_for_layers(L ? L : picture_state(), OBJ_TEXTOBJECT, o->header.id,
                                               copy_for_layers, o, &copy))
        return err;
    }
  }
  *out = o;
  return 0;
}

int32_t textobject_copy(qmState* L, const qmTextObject* source, const ObjectId& id, qmTextObject** out) {
  qmTextImage img;
  if (int32_t err = bitmap_new_with_parts(source->bitmap, source->mask, source->alpha, 0, 0, source->width,
                                          source->height, 0, &img.bitmap, source->mask ? &img.mask : nullptr,
                                          source->alpha ? &img.alpha : nullptr))
    return err;
  img.width = source->width, img.height = source->height;
  RefNode* refs = nullptr;
  if (source->header.refs) {
    refs = reflist_copy(L ? L : picture_state(), source->header.refs);
    if (!refs) return ERR_MEM;
  }
  qmTextObject* o = nullptr;
  if (int32_t err = append(id, img, &o)) {
    if (refs) reflist_free(L ? L : picture_state(), refs);
    return err;
  }
  o->header.refs = refs;
  try {
    o->job = source->job;
  } catch (const std::bad_alloc&) {
    unlink_and_free(L, o);
    return ERR_MEM;
  }
  o->width = source->width, o->height = source->height;
  o->base_width = source->base_width, o->base_height = source->base_height;
  o->x_offset = source->x_offset, o->y_offset = source->y_offset;
  o->target_width = source->target_width, o->target_height = source->target_height;
  o->angle = source->angle;
  *out = o;
  return 0;
}

int32_t textobject_free(qmState* L, const ObjectId& id, bool must_exist) {
  qmTextObject* o = find_record(id, false);
  if (!o) return must_exist ? not_found(id) : 0;
  if (o->locked) return ERR_LOCKEDOBJ;
  // Layers that show it keep it under its own address, which no script id names.
  const ObjectId was = o->header.id, own{0, o};
  if (layer_hooks().shows_object(OBJ_TEXTOBJECT, was, nullptr)) {
    if (!g_objects.rekey(&o->header, own)) return ERR_MEM;
    layer_hooks().redirect_object(OBJ_TEXTOBJECT, was, own);
    o->auto_free = true;
    return 0;
  }
  unlink_and_free(L, o);
  return 0;
}

void textobject_collect_garbage(qmState* L) {
  for (ObjectHeader* h = g_objects.head; h;) {
    qmTextObject* o = as_object(h);
    h = h->next;
    if (o->auto_free && !o->locked && !layer_hooks().shows_object(OBJ_TEXTOBJECT, o->header.id, nullptr))
      unlink_and_free(L, o);
  }
}

int32_t textobject_insert_layer(qmState* L, const ObjectId& id, int32_t x, int32_t y, int32_t position,
                                int32_t flags) {
  qmTextObject* o = nullptr;
  if (int32_t err = textobject_find(L, id, &o, 0)) return err;
  qmBGPic* pic = layers_current_picture();
  qmDisplay* d = display_current();
  if (!d || !d->layers || !pic) return ERR_NOLAYERS;
  LayerSpec spec;
  spec.type = OBJ_TEXTOBJECT;
  spec.id = o->header.id;
  spec.x = coord_resolve_special_x(x, o->width, 0, 0.0) + o->x_offset;
  spec.y = coord_resolve_special_y(y, o->height, 0, 0.0) + o->y_offset;
  spec.width = o->width, spec.height = o->height;
  spec.insert_position = position;
  spec.flags = flags;
  return layer_new(L, pic, spec, nullptr);
}

int32_t textobject_render(qmState* L, const ObjectId& id, int32_t x, int32_t y, int32_t option_index) {
  ShowOutput out;
  if (!show_output(&out)) return ERR_CLOSEDDISPDRAW;
  qmTextObject* o = nullptr;
  if (int32_t err = textobject_find(L, id, &o, 0)) return err;
  ShowSource src;
  src.kind = OBJ_TEXTOBJECT;
  src.id = o->header.id;
  src.bitmap = o->bitmap, src.mask = o->mask, src.alpha = o->alpha;
  src.width = o->width, src.height = o->height;
  src.offset_x = o->x_offset, src.offset_y = o->y_offset;
  src.smooth = (o->job.style.flags & TEXTSTYLE_ANTIALIAS) ? 1 : 0;
  return show_picture(L, out, src, 0, 0, x, y, o->width, o->height, option_index, false);
}

int32_t textobject_open(qmState*) {
  if (int32_t err = objlist_register(&g_objects.head)) return err;
  graphics_set_attribute_handler(OBJ_TEXTOBJECT, attribute);
  LayerServices& s = layer_services();
  g_next = s;
  s.textobject_image = image_service;
  s.insert_object = insert_service;
  s.textobject_collect = textobject_collect_garbage;
  return 0;
}

void textobject_free_all(qmState* L) {
  for (ObjectHeader* h = g_objects.take_all(); h;) {
    qmTextObject* o = as_object(h);
    h = h->next;
    free_data(L, o);
  }
}

}  // namespace qm
