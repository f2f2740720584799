// Output targets: selecting a brush, background picture or anim frame (or its mask or alpha
// channel) as the place drawing goes, preparing its planes before the first drawing, and ending
// the selection.
// The rule that keeps the target record from dangling is written in target.h.
#include "display/target.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/hooks.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/scale.h"
#include "runtime/args.h"

namespace qm {

namespace {

OutputTarget* selection_of(const qmDisplay* d) { return static_cast<OutputTarget*>(d->select_target); }

bool offscreen_type(int32_t type) { return type == TARGET_PICTURE || type == TARGET_MASK || type == TARGET_ALPHA; }

// The planes of the selected object as they are now.
struct ObjectPlanes {
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
};

ObjectPlanes planes_of(const OutputTarget* t) {
  if (t->object_type == OBJ_LAYER) {
    LayerTargetPlanes p;
    layer_hooks().layer_target_get(t->record, &p);
    return {p.bitmap, p.mask, p.alpha};
  }
  if (t->object_type == OBJ_BRUSH) {
    const auto* b = static_cast<const qmBrush*>(t->record);
    return {b->bitmap, b->mask, b->alpha};
  }
  if (t->object_type == OBJ_ANIM) return {*t->anim.bitmap, *t->anim.mask, *t->anim.alpha};
  const auto* pic = static_cast<const qmBGPic*>(t->record);
  return {pic->unscaled.bitmap, pic->unscaled.mask, pic->unscaled.alpha};
}

// Points the display's drawing planes and the blit view at the target's planes for its type.
void set_drawing_planes(qmDisplay* d, OutputTarget* t, int32_t mode) {
  const ObjectPlanes p = planes_of(t);
  d->draw_bitmap = nullptr;
  d->draw_mask = nullptr;
  d->draw_alpha = nullptr;
  switch (d->output_type) {
    case TARGET_PICTURE:
      d->draw_bitmap = p.bitmap;
      if (mode == SELMODE_COMBO) d->draw_mask = p.mask, d->draw_alpha = p.alpha;
      break;
    case TARGET_MASK: d->draw_mask = p.mask; break;
    case TARGET_ALPHA: d->draw_alpha = p.alpha; break;
    default: break;
  }
  t->output.target_mask = d->draw_mask;
  t->output.target_alpha = d->draw_alpha;
}

// The mask or alpha plane of the selected object replaced (made or dropped). A background
// picture's other image sets that share the plane follow it.
void replace_mask(OutputTarget* t, qmMask* mask) {
  if (t->object_type == OBJ_LAYER) {
    layer_hooks().layer_target_replace(t->record, 0, mask);
    return;
  }
  if (t->object_type == OBJ_BRUSH) {
    auto* b = static_cast<qmBrush*>(t->record);
    qmos_free_mask(b->mask);
    b->mask = mask;
    return;
  }
  if (t->object_type == OBJ_ANIM) {
    qmos_free_mask(*t->anim.mask);
    *t->anim.mask = mask;
    return;
  }
  auto* pic = static_cast<qmBGPic*>(t->record);
  qmMask* old = pic->unscaled.mask;
  for (BGPicImage* set : {&pic->current, &pic->working})
    if (set->mask == old) set->mask = mask;
  pic->unscaled.mask = mask;
  qmos_free_mask(old);
}

void replace_alpha(OutputTarget* t, qmAlphaChannel* alpha) {
  if (t->object_type == OBJ_LAYER) {
    layer_hooks().layer_target_replace(t->record, 1, alpha);
    return;
  }
  if (t->object_type == OBJ_BRUSH) {
    auto* b = static_cast<qmBrush*>(t->record);
    qmos_free_alpha(b->alpha);
    b->alpha = alpha;
    return;
  }
  if (t->object_type == OBJ_ANIM) {
    qmos_free_alpha(*t->anim.alpha);
    *t->anim.alpha = alpha;
    return;
  }
  auto* pic = static_cast<qmBGPic*>(t->record);
  qmAlphaChannel* old = pic->unscaled.alpha;
  for (BGPicImage* set : {&pic->current, &pic->working})
    if (set->alpha == old) set->alpha = alpha;
  pic->unscaled.alpha = alpha;
  qmos_free_alpha(old);
}

// After drawing into a background picture: its image sets at other sizes are made again from the
// drawn picture; a set that shares the drawn picture takes over its mask and alpha plane.
void remake_scaled_sets(qmBGPic* pic) {
  BGPicImage& u = pic->unscaled;
  const BGPicImage old_w = pic->working, old_c = pic->current;
  auto scaled = [&](const BGPicImage& old, int32_t w, int32_t h, BGPicImage* out) {
    if (old.bitmap == u.bitmap) {
      *out = u;
      return;
    }
    BGPicImage made;
    if (bitmap_draw(u.bitmap, u.mask, u.alpha, 0, 0, nullptr, pic->unscaled_width, pic->unscaled_height, w, h, 1,
                    &made.bitmap, u.mask ? &made.mask : nullptr, u.alpha ? &made.alpha : nullptr) != 0) {
      qmos_free_bitmap(made.bitmap);
      qmos_free_mask(made.mask);
      qmos_free_alpha(made.alpha);
      *out = old;  // without memory the old picture stays
      return;
    }
    *out = made;
  };
  BGPicImage new_w, new_c;
  scaled(old_w, pic->width, pic->height, &new_w);
  if (old_c.bitmap == old_w.bitmap && old_c.bitmap != u.bitmap) new_c = new_w;
  else scaled(old_c, pic->display_width, pic->display_height, &new_c);
  // Free what no set keeps, each plane once.
  auto kept = [&](const void* p) {
    return p == u.bitmap || p == u.mask || p == u.alpha || p == new_w.bitmap || p == new_w.mask ||
           p == new_w.alpha || p == new_c.bitmap || p == new_c.mask || p == new_c.alpha;
  };
  const bool c_own = old_c.bitmap != old_w.bitmap;
  if (!kept(old_w.bitmap)) qmos_free_bitmap(old_w.bitmap);
  if (!kept(old_w.mask)) qmos_free_mask(old_w.mask);
  if (!kept(old_w.alpha)) qmos_free_alpha(old_w.alpha);
  if (c_own && !kept(old_c.bitmap)) qmos_free_bitmap(old_c.bitmap);
  if (old_c.mask != old_w.mask && !kept(old_c.mask)) qmos_free_mask(old_c.mask);
  if (old_c.alpha != old_w.alpha && !kept(old_c.alpha)) qmos_free_alpha(old_c.alpha);
  pic->working = new_w;
  pic->current = new_c;
}

void restore_state(qmDisplay* d) {
  display_restore_output_state(d);
  d->output.layers_on = d->layers;
}

void point_output_at(qmDisplay* d, qmBlitOutput* out) {
  if (d == display_current()) blit_globals().current = out;
}

// The output hooks that know about selections: a selected object, and the size that position
// specials resolve against while one is selected.
bool is_output_target(int32_t type, const void* record) {
  for (ObjectHeader* h = display_system().list; h; h = h->next) {
    const OutputTarget* t = selection_of(display_of(h));
    if (t && t->active && t->object_type == type && t->record == record) return true;
  }
  return false;
}

bool (*g_display_output_area)(int32_t*, int32_t*, int32_t*, int32_t*) = nullptr;

bool output_area(int32_t* x, int32_t* y, int32_t* w, int32_t* h) {
  if (const OutputTarget* t = drawtarget_selected()) {
    *x = 0;
    *y = 0;
    *w = t->width;
    *h = t->height;
    return true;
  }
  return g_display_output_area ? g_display_output_area(x, y, w, h) : false;
}

int32_t current_display(qmDisplay** out) {
  *out = display_current();
  return *out && (*out)->bgpic ? 0 : ERR_CLOSEDDISPDRAW;
}

}  // namespace

int32_t drawtarget_require_display(const qmDisplay* d) {
  if (!d || !d->bgpic) return ERR_CLOSEDDISPDRAW;
  switch (d->output_type) {
    case TARGET_PICTURE: {
      if (d->double_buffer) return ERR_ENDDOUBLEBUFFER;
      const OutputTarget* t = selection_of(d);
      return t && t->active && t->object_type == OBJ_ANIM ? ERR_SELECTANIM : ERR_SELECTBRUSH;
    }
    case TARGET_MASK: return ERR_SELECTMASK;
    case TARGET_ALPHA: return ERR_SELECTALPHACHANNEL;
    case TARGET_LAYERS: return ERR_SELECTBG;
    default: return 0;
  }
}

OutputTarget* drawtarget_selected() {
  qmDisplay* d = display_current();
  if (!d) return nullptr;
  OutputTarget* t = selection_of(d);
  return t && t->active ? t : nullptr;
}

qmBitmap* drawtarget_dest() {
  qmDisplay* d = display_current();
  return d && d->output_type != kOutputDisplay ? d->draw_bitmap : nullptr;
}

bool drawtarget_offscreen() {
  qmDisplay* d = display_current();
  return d && d->output_type != kOutputDisplay;
}

int32_t drawtarget_select(qmState* L, int32_t object_type, const ObjectId& id, int32_t target_type, int32_t frame,
                          int32_t mode, int32_t combo) {
  qmDisplay* d = nullptr;
  if (int32_t err = current_display(&d)) return err;
  // 1. The same selection again changes nothing (and keeps what was drawn).
  OutputTarget* t = selection_of(d);
  if (t && t->active && d->output_type == target_type && t->object_type == object_type && t->frame == frame &&
      t->id == id)
    return 0;
  // 2. Another selection ends first.
  if (d->output_type != kOutputDisplay && !d->double_buffer) drawtarget_end(L, d, false);
  // 3. The object.
  void* record = nullptr;
  int32_t width = 0, height = 0;
  AnimFrameSlots anim;
  if (object_type == OBJ_BRUSH) {
    qmBrush* b = nullptr;
    if (int32_t err = brush_find(id, BRUSHFIND_NOVECTOR, &b)) return err;
    if (!b->bitmap) return ERR_BRUSHTYPE;
    record = b, width = b->width, height = b->height;
  } else if (object_type == OBJ_BGPIC) {
    qmBGPic* pic = nullptr;
    if (int32_t err = bgpic_find(id, 0, &pic)) return err;
    if (pic->rerender) return ERR_BGPICTYPE;
    if (display_shows_bgpic(pic)) return ERR_SELECTBGPIC2;
    if (!pic->unscaled.bitmap) return ERR_BGPICTYPE;
    record = pic, width = pic->unscaled_width, height = pic->unscaled_height;
  } else if (object_type == OBJ_ANIM) {
    if (int32_t err = anim_hooks().frame(L, id, frame, &anim)) return err;
    if (anim.disk) return ERR_ANIMDISK;
    if (frame < 0 || frame >= anim.count || !anim_frame_held(anim)) return ERR_ANIMFRAME;
    record = anim.anim, width = anim.width, height = anim.height;
  } else if (object_type == OBJ_LAYER) {
    // A layer of the current picture by position, made to hold planes of its own.
    LayerTargetPlanes p;
    if (int32_t err = layer_hooks().layer_target(L, id.number, frame, &p)) return err;
    record = p.layer, width = p.width, height = p.height;
  } else {
    return ERR_WRONGUSAGE;
  }
  // 4. The record.
  if (!t) {
    t = new (std::nothrow) OutputTarget;
    if (!t) return ERR_MEM;
    d->select_target = t;
  }
  t->object_type = object_type;
  t->id = id;
  t->frame = frame;
  t->record = record;
  t->anim = anim;
  t->width = width;
  t->height = height;
  t->prepared = 0;
  t->active = 1;
  t->picture = qmBlitPicture{width, height, nullptr, record};
  t->output = qmBlitOutput{};
  t->output.object_type = target_type;
  t->output.picture = &t->picture;
  t->output.owner = t;
  // 5, 6. The display's state, and double buffering suspended for the time of the selection.
  display_save_output_state(d, false, width);
  d->output_type = target_type;
  if (d->double_buffer) {
    d->double_buffer = 0;
    d->output_switch[1] = 1;
  }
  // 7. The planes.
  set_drawing_planes(d, t, mode);
  if (target_type == TARGET_PICTURE && mode == SELMODE_COMBO) blit_globals().alpha_blend = combo;
  point_output_at(d, &t->output);
  return 0;
}

int32_t drawtarget_prepare(qmState* L) {
  qmDisplay* d = display_current();
  if (!d || !offscreen_type(d->output_type)) return 0;
  OutputTarget* t = selection_of(d);
  // The double buffer (and a selection already prepared) needs nothing.
  if (!t || !t->active || t->prepared) return 0;
  if (t->object_type == OBJ_BRUSH) {
    qmBrush* b = nullptr;
    if (int32_t err = brush_find(t->id, BRUSHFIND_MODIFY | BRUSHFIND_NOVECTOR, &b)) return err;
  } else if (t->object_type == OBJ_BGPIC) {
    qmBGPic* pic = nullptr;
    if (int32_t err = bgpic_find(t->id, 0, &pic)) return err;
    pic->redraw = 1;
  } else if (t->object_type == OBJ_ANIM) {
    // The anim is looked up again: it must still hold the frame.
    if (int32_t err = anim_hooks().frame(L, t->id, t->frame, &t->anim)) return err;
    if (!anim_frame_held(t->anim)) return ERR_ANIMFRAME;
  } else if (t->object_type != OBJ_LAYER) {
    return ERR_WRONGUSAGE;
  }
  const ObjectPlanes p = planes_of(t);
  if (d->output_type == TARGET_MASK && !p.mask) {
    qmMask* mask = qmos_alloc_mask(t->width, t->height, 0);
    if (!mask) return ERR_MEM;
    std::memset(mask->data, 0xFF, size_t(mask->bytes_per_row) * size_t(t->height));
    replace_mask(t, mask);
    replace_alpha(t, nullptr);  // a mask and an alpha channel never live together
    d->draw_mask = mask;
  } else if (d->output_type == TARGET_ALPHA && !p.alpha) {
    qmAlphaChannel* alpha = qmos_alloc_alpha(t->width, t->height, 0);
    if (!alpha) return ERR_MEM;
    std::memset(alpha->data, 255, size_t(alpha->bytes_per_row) * size_t(t->height));
    replace_alpha(t, alpha);
    replace_mask(t, nullptr);
    d->draw_alpha = alpha;
  }
  t->output.target_mask = d->draw_mask;
  t->output.target_alpha = d->draw_alpha;
  t->prepared = 1;
  return 0;
}

int32_t drawtarget_end(qmState* L, qmDisplay* d, bool keep_dirty) {
  if (!d) return 0;
  OutputTarget* t = selection_of(d);
  const bool had = t && t->active;
  if (had && t->prepared && t->object_type == OBJ_BGPIC) remake_scaled_sets(static_cast<qmBGPic*>(t->record));
  if (t) t->active = 0;
  // A drawn layer is shown anew once the output is back on the display.
  struct LayerEnd {
    qmState* L;
    void* layer;
    bool drawn;
    ~LayerEnd() {
      if (layer) layer_hooks().layer_target_end(L, layer, drawn);
    }
  } layer_end{L, had && t->object_type == OBJ_LAYER ? t->record : nullptr, had && t->prepared};
  // 1. A selection made while double buffering gives the output back to the back buffer.
  if (d->output_switch[1]) {
    auto* db = static_cast<OutputTarget*>(d->double_buffer_pic);
    d->output_switch[1] = 0;
    d->double_buffer = 1;
    d->output_type = TARGET_PICTURE;
    d->draw_bitmap = d->double_buffer_bitmap;
    d->draw_mask = nullptr;
    d->draw_alpha = nullptr;
    restore_state(d);
    if (db) point_output_at(d, &db->output);
    return 0;
  }
  // 2 to 7. Back to the display.
  const bool layers_mode = d->output_type == TARGET_LAYERS;
  d->draw_bitmap = nullptr;
  d->draw_mask = nullptr;
  d->draw_alpha = nullptr;
  d->output_type = kOutputDisplay;
  restore_state(d);
  point_output_at(d, &d->output);
  // The layer changes collected while the display's layers were the output are shown now.
  if (layers_mode && !keep_dirty && d->layers) layer_hooks().flush_dirty(L, d);
  return 0;
}

void drawtarget_leave(qmDisplay* d) {
  OutputTarget* t = selection_of(d);
  if (t && t->active) drawtarget_end(nullptr, d, false);
}

qmBlitOutput* drawtarget_output(qmDisplay* d) {
  OutputTarget* t = selection_of(d);
  if (t && t->active) return &t->output;
  auto* db = static_cast<OutputTarget*>(d->double_buffer_pic);
  if (d->double_buffer && db) return &db->output;
  return &d->output;
}

void drawtarget_release(qmDisplay* d) {
  auto* t = selection_of(d);
  auto* db = static_cast<OutputTarget*>(d->double_buffer_pic);
  qmBlitOutput*& current = blit_globals().current;
  if ((t && current == &t->output) || (db && current == &db->output)) current = nullptr;
  delete t;
  delete db;
  d->select_target = nullptr;
  d->double_buffer_pic = nullptr;
  d->output_type = kOutputDisplay;
  d->double_buffer = 0;
  d->output_switch[1] = 0;
  d->draw_bitmap = nullptr;
  d->draw_mask = nullptr;
  d->draw_alpha = nullptr;
}

namespace {

// SelectBrush(id [, mode [, combo]])
int32_t cmd_selectbrush(qmState* L) {
  arg_check_count(L, 1, 3);
  const ObjectId id = arg_get_id(L, 1);
  const int32_t mode = to_i32(vm_arg_opt_number(L, 2, SELMODE_NORMAL));
  const int32_t combo = to_i32(vm_arg_opt_number(L, 3, 0));
  return drawtarget_select(L, OBJ_BRUSH, id, TARGET_PICTURE, 0, mode, combo);
}

// SelectMask and SelectAlphaChannel (id [, type [, frame]]).
int32_t select_plane(qmState* L, int32_t target_type) {
  arg_check_count(L, 1, 3);
  const ObjectId id = arg_get_id(L, 1);
  const int32_t type = to_i32(vm_arg_opt_number(L, 2, OBJ_BRUSH));
  if (type == OBJ_ANIM && vm_get_top(L) < 3) return ERR_MISSINGPARAMTR;
  const int32_t frame = to_i32(vm_arg_opt_number(L, 3, 1)) - 1;
  return drawtarget_select(L, type, id, target_type, type == OBJ_ANIM || type == OBJ_LAYER ? frame : 0,
                           SELMODE_NORMAL, 0);
}

int32_t cmd_selectmask(qmState* L) { return select_plane(L, TARGET_MASK); }
int32_t cmd_selectalphachannel(qmState* L) { return select_plane(L, TARGET_ALPHA); }

// Drawing into the layers of a picture (the display's own for no id): new layers go to it, and
// changes to the display's own picture are collected on the display's dirty list until the
// select ends.
int32_t select_layers(qmState* L, qmDisplay* d, const ObjectId* id) {
  qmBGPic* pic = d->bgpic;
  if (id)
    if (int32_t err = bgpic_find(*id, 0, &pic)) return err;
  OutputTarget* t = selection_of(d);
  if (d->output_type == TARGET_LAYERS && t && t->record == pic) return 0;
  if (d->output_type != kOutputDisplay && !d->double_buffer) drawtarget_end(L, d, false);
  if (!d->layers) return ERR_NOLAYERS;
  if (pic != d->bgpic && display_shows_bgpic(pic)) return ERR_SELECTBGPIC;
  if (!d->dirty.entries) {
    d->dirty.entries = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * 4 * 1024));
    if (!d->dirty.entries) return ERR_MEM;
    d->dirty.capacity = 1024;
  }
  d->dirty.count = 0;
  if (!t) {
    t = new (std::nothrow) OutputTarget;
    if (!t) return ERR_MEM;
    d->select_target = t;
  }
  // Not an image target: the record names the picture (which cannot be freed or changed while it is
  // selected) and its size for position specials.
  *t = OutputTarget{};
  t->object_type = OBJ_BGPIC;
  t->id = pic->header.id;
  t->record = pic;
  t->width = pic->width;
  t->height = pic->height;
  t->active = 1;
  d->draw_bitmap = nullptr;
  d->draw_mask = nullptr;
  d->draw_alpha = nullptr;
  display_save_output_state(d, true, pic->width);
  d->output_type = TARGET_LAYERS;
  return 0;
}

// SelectBGPic(id or Nil [, mode = SELMODE_LAYERS [, combo]])
int32_t cmd_selectbgpic(qmState* L) {
  arg_check_count(L, 1, 3);
  const int32_t mode = to_i32(vm_arg_opt_number(L, 2, SELMODE_LAYERS));
  const int32_t combo = to_i32(vm_arg_opt_number(L, 3, 0));
  qmDisplay* d = nullptr;
  if (int32_t err = current_display(&d)) return err;
  if (mode != SELMODE_LAYERS)
    return drawtarget_select(L, OBJ_BGPIC, arg_get_id(L, 1), TARGET_PICTURE, 0, mode, combo);
  const bool given = vm_type(L, 1) != QM_TNIL;
  const ObjectId id = given ? arg_get_id(L, 1) : ObjectId{};
  return select_layers(L, d, given ? &id : nullptr);
}

int32_t cmd_endselect(qmState* L) {
  arg_check_count(L, 0, 0);
  qmDisplay* d = display_current();
  if (!d) return 0;
  if (d->double_buffer) return ERR_WRONGUSAGE;
  return drawtarget_end(L, d, false);
}

}  // namespace

int32_t dblbuf_init_commands(qmState* L);
int32_t showbrush_init_commands(qmState* L);

int32_t output_library_open(qmState* L) {
  static const qmCommand kCommands[] = {
      {"SelectBrush", cmd_selectbrush}, {"SelectMask", cmd_selectmask},
      {"SelectAlphaChannel", cmd_selectalphachannel}, {"SelectBGPic", cmd_selectbgpic},
      {"EndSelect", cmd_endselect}, {nullptr, nullptr},
  };
  OutputHooks& o = output_hooks();
  o.is_output_target = is_output_target;
  if (o.output_area != output_area) g_display_output_area = o.output_area;
  o.output_area = output_area;
  vm_push_value(L, QM_GLOBALSINDEX);
  int32_t err = vm_register_commands(L, nullptr, kCommands, 0);
  vm_set_top(L, 0);
  if (err || (err = library_register_name(kCommands, "display"))) return err;
  if ((err = dblbuf_init_commands(L))) return err;
  return showbrush_init_commands(L);
}

}  // namespace qm
