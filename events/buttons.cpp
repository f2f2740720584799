// The buttons of background pictures (MakeButton and its family, hit tests, clicks and hover
// tracking) and the legacy label buttons (CreateButton, RemoveButton, ModifyButton, WhileMouseOn).
#include "events/buttons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "events/event_internal.h"
#include "events/events.h"
#include "gfx/bitmap.h"
#include "layers/layers.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

const char* const kCallbackKeys[BCB_COUNT] = {
    "onmouseover", "onmouseout", "onmousedown", "onmouseup",
    "onrightmousedown", "onrightmouseup", "onmidmousedown", "onmidmouseup",
};

const char* const kCallbackNames[BCB_COUNT] = {
    "OnMouseOver", "OnMouseOut", "OnMouseDown", "OnMouseUp",
    "OnRightMouseDown", "OnRightMouseUp", "OnMidMouseDown", "OnMidMouseUp",
};

// The picture that button commands work on: the current display's, or a selected picture.
int32_t button_picture(qmBGPic** out) {
  *out = nullptr;
  qmDisplay* d = display_current();
  if (!d) return ERR_BGPICBUTTON;
  if (d->output_type == TARGET_PICTURE || d->output_type == TARGET_LAYERS) {
    const OutputTarget* t = drawtarget_selected();
    if (t && t->object_type == OBJ_BGPIC && t->record) *out = static_cast<qmBGPic*>(t->record);
    else if (!t || t->object_type != 0) return ERR_BGPICBUTTON;  // a brush; 0 is the double buffer
  } else if (d->output_type != kOutputDisplay) {
    return ERR_BGPICBUTTON;
  }
  if (!*out) *out = d->bgpic;
  return *out ? 0 : ERR_BGPICBUTTON;
}

qmBGPicButton* find(const qmBGPic* pic, const ObjectId& id) {
  for (qmBGPicButton* b = buttons_of(pic); b; b = b->next)
    if (b->id == id) return b;
  return nullptr;
}

// The button bound to the layer, or nullptr: a layer has at most one.
qmBGPicButton* layer_button(const qmBGPic* pic, const qmLayer* layer) {
  for (qmBGPicButton* b = buttons_of(pic); b; b = b->next)
    if (b->type == LAYERBUTTON && b->layer == layer) return b;
  return nullptr;
}

int32_t find_or_fail(const qmBGPic* pic, const ObjectId& id, qmBGPicButton** out) {
  *out = find(pic, id);
  if (*out) return 0;
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDBUTTON;
}

// Field key of the table at t: a function gives a new registry reference, anything else -1.
int32_t get_callback_ref(qmState* L, int32_t t, const char* key) {
  vm_push_string(L, key);
  vm_get_table(L, t);
  if (vm_type(L, -1) != QM_TFUNCTION) {
    vm_pop(L, 1);
    return -1;
  }
  return vm_ref_new(L, QM_REGISTRYINDEX);
}

void release(qmState* L, qmBGPicButton* b) {
  if (!L) return;
  for (int32_t& ref : b->callbacks) {
    if (ref != -1) vm_ref_free(L, QM_REGISTRYINDEX, ref);
    ref = -1;
  }
  if (b->userdata != -1) vm_ref_free(L, QM_REGISTRYINDEX, b->userdata);
  b->userdata = -1;
}

bool layer_hit(qmState* L, const qmDisplay* d, int32_t x, int32_t y, const qmBGPicButton* b) {
  // Layers of a display that scales them are already at the window's scale.
  int32_t px = 0, py = 0;
  event_point_to_pixel(d, x, y, d->scale_auto != 0, &px, &py);
  qmLayerState* st = b->layer->display;
  if (!st || px < st->bounds_x || py < st->bounds_y || px - st->bounds_x >= st->width || py - st->bounds_y >= st->height)
    return false;
  if (const qmClipRegion* clip = st->clip) {
    const int32_t cx = px - clip->x, cy = py - clip->y;
    if (cx < 0 || cy < 0 || cx >= clip->width || cy >= clip->height) return false;
    if (clip->mask && !mask_bit(clip->mask->data + size_t(cy) * size_t(clip->mask_bpr), cx)) return false;
  }
  if (!b->pixel_exact) return true;
  LayerPlanes planes;
  if (layer_build_transformed(L, b->layer, st, true, &planes) != 0) return false;
  OverlapSide image;
  image.rect = Rect{st->bounds_x, st->bounds_y, st->width, st->height};
  image.mask = planes.mask;
  image.alpha = planes.alpha;
  image.source_x = planes.part_x;
  image.source_y = planes.part_y;
  OverlapSide point;
  point.rect = Rect{px, py, 1, 1};
  return planes_overlap_test(image, point);
}

// Fills a kind 1 event; false when the button has no such callback.
bool button_event(qmEventRecord* r, qmDisplay* d, qmBGPicButton* b, int32_t which) {
  if (b->callbacks[which] == -1) return false;
  r->kind = EV_BUTTON;
  r->display = d;
  r->bgpic = b->owner;
  r->button = b;
  r->callback = b->callbacks[which];
  r->userdata = b->userdata;
  std::snprintf(r->name, sizeof r->name, "%s", kCallbackNames[which]);
  return true;
}

// ---- the poller's sources ----

bool click(qmDisplay* d, const qmInputEvent& e, qmEventRecord* r) {
  qmBGPic* pic = d->bgpic;
  if (!pic) return false;
  int32_t button = 0;
  switch (e.type) {
    case INPUT_LEFTMOUSE: button = 0; break;
    case INPUT_RIGHTMOUSE: button = 1; break;
    case INPUT_MIDMOUSE: button = 2; break;
    default: return false;
  }
  const bool down = e.c == 1;
  const int32_t which = down ? BCB_DOWN + 2 * button : BCB_UP + 2 * button;
  qmState* L = picture_state();
  for (qmBGPicButton* b = buttons_of(pic); b; b = b->next) {
    if (!button_live(b) || !button_hit_test(L, d, e.a, e.b, b)) continue;
    if (!down && !b->down[button]) continue;
    b->down[button] = down ? 1 : 0;
    // A button without this callback ends the entry.
    return button_event(r, d, b, which);
  }
  // A release that no button takes cancels every press of that mouse button.
  if (!down)
    for (qmBGPicButton* b = buttons_of(pic); b; b = b->next)
      if (b->enabled) b->down[button] = 0;
  return false;
}

bool hover(qmDisplay* d, qmEventRecord* r, bool resume) {
  qmBGPic* pic = d->bgpic;
  if (!pic || !pic->buttons) return false;
  ButtonTracking& t = poller_button_tracking();
  if (!resume) {
    const int32_t x = platform_get_attr(&d->win, PLATATTR_MOUSEX), y = platform_get_attr(&d->win, PLATATTR_MOUSEY);
    qmState* L = picture_state();
    t = ButtonTracking{};
    for (qmBGPicButton* b = buttons_of(pic); b && !(t.hovered && t.pressed); b = b->next) {
      if (!button_live(b)) continue;
      if (b->down[0] || b->down[1] || b->down[2]) t.pressed = b;
      if (!t.hovered && button_hit_test(L, d, x, y, b)) t.hovered = b;
    }
  }
  auto* hovered = static_cast<qmBGPicButton*>(t.hovered);
  auto* pressed = static_cast<qmBGPicButton*>(t.pressed);
  // A resumed scan goes on after the button of the last event, or from the head again.
  for (auto* b = static_cast<qmBGPicButton*>(resume && t.cursor ? t.cursor : pic->buttons); b; b = b->next) {
    if (!button_live(b) || (pressed && pressed != b)) continue;
    if (b == hovered && !b->over) {
      if (!pressed) {
        // The buttons the mouse left lose their flag; the first with a callback says so first.
        qmBGPicButton* out = nullptr;
        for (qmBGPicButton* o = buttons_of(pic); o; o = o->next) {
          if (o == b || !o->over) continue;
          o->over = 0;
          if (!out && o->callbacks[BCB_OUT] != -1 && button_live(o)) out = o;
        }
        if (out && button_event(r, d, out, BCB_OUT)) {
          t.cursor = nullptr;
          return true;
        }
      }
      b->over = 1;
      if (button_event(r, d, b, BCB_OVER)) {
        t.cursor = b->next;
        return true;
      }
    } else if (b != hovered && b->over) {
      b->over = 0;
      if (button_event(r, d, b, BCB_OUT)) {
        t.cursor = b->next;
        return true;
      }
    }
  }
  return false;
}

// The keys of a button's message.
void message(qmState* L, qmEventRecord* r) {
  const auto* b = static_cast<const qmBGPicButton*>(r->button);
  if (!b) return;
  r->id = b->id;
  r->id_present = 1;
  table_set_id(L, "id", b->id);
  table_set_number(L, "x", b->x1);
  table_set_number(L, "y", b->y1);
  table_set_number(L, "width", b->x2 - b->x1 + 1);
  table_set_number(L, "height", b->y2 - b->y1 + 1);
  table_set_number(L, "mousedown", b->down[0]);
  table_set_number(L, "rightmousedown", b->down[1]);
  table_set_number(L, "midmousedown", b->down[2]);
  if (r->display) table_set_id(L, "display", r->display->header.id);
  if (b->type == LAYERBUTTON) {
    // The position in the button's own picture, which a selected picture need not be.
    table_set_number(L, "layer", layer_index_of(b->owner, b->layer));
    table_set_string(L, "layername", b->layer && b->layer->name ? b->layer->name : "");
  }
}

// ---- the pictures' hooks ----

void layer_gone(qmState* L, qmBGPic* pic, const void* layer) {
  buttons_delete_for_layer(L, pic, static_cast<const qmLayer*>(layer));
}

void layer_replaced(qmBGPic* pic, const void* from, void* to) {
  for (qmBGPicButton* b = buttons_of(pic); b; b = b->next)
    if (b->layer == from) b->layer = static_cast<qmLayer*>(to);
}

// Both arguments of a legacy button's rectangle.
void read_rect(qmState* L, int32_t* x1, int32_t* y1, int32_t* x2, int32_t* y2) {
  *x1 = to_i32(vm_arg_check_number(L, 2));
  *y1 = to_i32(vm_arg_check_number(L, 3));
  *x2 = to_i32(vm_arg_check_number(L, 4));
  *y2 = to_i32(vm_arg_check_number(L, 5));
}

constexpr int32_t kLegacyButtonKinds[] = {1, 2, 5};

}  // namespace

void event_point_to_pixel(const qmDisplay* d, int32_t x, int32_t y, bool scaled, int32_t* px, int32_t* py) {
  double fx = double(x) - d->margin[0], fy = double(y) - d->margin[1];
  if (scaled) {
    fx /= d->scale_x > 0 ? d->scale_x : 1.0;
    fy /= d->scale_y > 0 ? d->scale_y : 1.0;
  }
  *px = to_i32(std::floor(fx));
  *py = to_i32(std::floor(fy));
}

int32_t buttons_count(const qmBGPic* pic) {
  int32_t n = 0;
  for (const qmBGPicButton* b = buttons_of(pic); b; b = b->next) ++n;
  return n;
}

bool button_live(const qmBGPicButton* b) {
  if (!b->enabled) return false;
  return b->type != LAYERBUTTON || (b->layer && (!b->layer->hidden || b->include_hidden));
}

bool button_hit_test(qmState* L, const qmDisplay* d, int32_t x, int32_t y, const qmBGPicButton* b) {
  if (b->type == LAYERBUTTON) return b->layer && layer_hit(L, d, x, y, b);
  int32_t px = 0, py = 0;
  event_point_to_pixel(d, x, y, true, &px, &py);
  return px >= b->x1 && px <= b->x2 && py >= b->y1 && py <= b->y2;
}

qmBGPicButton* button_new(qmBGPic* pic) {
  auto* b = new (std::nothrow) qmBGPicButton;
  if (!b) return nullptr;
  b->owner = pic;
  b->next = buttons_of(pic);
  pic->buttons = b;
  return b;
}

void free_button(qmState* L, qmBGPicButton* b) {
  release(L, b);
  poller_on_unlink(POLL_BUTTONS, b, b->next);
  // Unlinked from its own picture's list, whichever picture is current.
  if (b->owner->buttons == b) {
    b->owner->buttons = b->next;
  } else {
    for (qmBGPicButton* p = buttons_of(b->owner); p; p = p->next) {
      if (p->next == b) {
        p->next = b->next;
        break;
      }
    }
  }
  delete b;
}

void buttons_delete_for_layer(qmState* L, qmBGPic* pic, const qmLayer* layer) {
  if (qmBGPicButton* b = layer_button(pic, layer)) free_button(L, b);
}

void buttons_reset_states(qmBGPic* pic) {
  for (qmBGPicButton* b = buttons_of(pic); b; b = b->next) b->down[0] = b->down[1] = b->down[2] = 0;
}

void buttons_free_all(qmState* L, qmBGPic* pic) {
  while (qmBGPicButton* b = buttons_of(pic)) free_button(L, b);
}

void buttons_install() {
  EventSources& s = event_sources();
  s.button_click = click;
  s.button_hover = hover;
  s.button_message = message;
  ButtonHooks& h = button_hooks();
  h.free_all = buttons_free_all;
  h.layer_gone = layer_gone;
  h.layer_replaced = layer_replaced;
  h.reset_states = buttons_reset_states;
}

// ---- commands ----

int32_t cmd_makebutton(qmState* L) {
  arg_check_count(L, 6, 8);
  qmBGPic* pic = nullptr;
  if (int32_t err = button_picture(&pic)) return err;
  const bool automatic = vm_type(L, 1) == QM_TNIL;
  const ObjectId id = automatic ? ObjectId{} : arg_get_id(L, 1);
  const int32_t type = to_i32(vm_arg_check_number(L, 2));
  if (!automatic && !id.handle)
    if (qmBGPicButton* old = find(pic, id)) free_button(L, old);
  int32_t table = 0;
  qmLayer* layer = nullptr;
  int32_t x = 0, y = 0, width = 0, height = 0, pixel_exact = 0, include_hidden = 0;
  if (type == LAYERBUTTON) {
    int32_t position = 0;
    if (int32_t err = layer_arg_index(L, pic, 3, &position)) return err;
    layer = layer_at_index(pic, position);
    if (!layer) return ERR_LAYERRANGE;
    if (layer_button(pic, layer)) return ERR_WRONGUSAGE;
    pixel_exact = flag_arg(L, 4) ? 1 : 0;
    include_hidden = flag_arg(L, 5) ? 1 : 0;
    table = 6;
  } else if (type == SIMPLEBUTTON) {
    arg_check_count(L, 7, 8);
    width = to_i32(vm_arg_check_number(L, 5));
    height = to_i32(vm_arg_check_number(L, 6));
    if (width < 1 || height < 1) return ERR_WRONGUSAGE;
    x = coord_resolve_special_x(to_i32(vm_arg_check_number(L, 3)), width, pic->width, 0.0);
    y = coord_resolve_special_y(to_i32(vm_arg_check_number(L, 4)), height, pic->height, 0.0);
    table = 7;
  } else {
    return ERR_WRONGUSAGE;
  }
  if (vm_type(L, table) != QM_TTABLE) return ERR_TABEXPECTED;
  int32_t callbacks[BCB_COUNT];
  bool any = false;
  for (int32_t i = 0; i < BCB_COUNT; ++i) {
    callbacks[i] = get_callback_ref(L, table, kCallbackKeys[i]);
    any = any || callbacks[i] != -1;
  }
  if (!any) return ERR_WRONGUSAGE;
  qmBGPicButton* b = button_new(pic);
  if (!b) {
    for (int32_t ref : callbacks)
      if (ref != -1) vm_ref_free(L, QM_REGISTRYINDEX, ref);
    return ERR_MEM;
  }
  b->id = automatic ? ObjectId{0, b} : id;
  b->type = type;
  if (type == SIMPLEBUTTON) {
    b->x1 = x;
    b->y1 = y;
    b->x2 = int32_t(int64_t(x) + width - 1);
    b->y2 = int32_t(int64_t(y) + height - 1);
  }
  b->layer = layer;
  b->pixel_exact = pixel_exact;
  b->include_hidden = include_hidden;
  std::copy(std::begin(callbacks), std::end(callbacks), b->callbacks);
  if (vm_get_top(L) == table + 1) {
    vm_push_value(L, table + 1);
    b->userdata = vm_ref_new(L, QM_REGISTRYINDEX);
  }
  if (!automatic) return 0;
  vm_push_lightuserdata(L, b);
  return 1;
}

// The button named by argument 1 of the current picture.
static int32_t button_arg(qmState* L, qmBGPicButton** out) {
  arg_check_count(L, 1, 1);
  qmBGPic* pic = nullptr;
  if (int32_t err = button_picture(&pic)) return err;
  return find_or_fail(pic, arg_get_id(L, 1), out);
}

int32_t cmd_deletebutton(qmState* L) {
  qmBGPicButton* b = nullptr;
  if (int32_t err = button_arg(L, &b)) return err;
  free_button(L, b);
  return 0;
}

static int32_t set_enabled(qmState* L, int32_t on) {
  qmBGPicButton* b = nullptr;
  if (int32_t err = button_arg(L, &b)) return err;
  b->enabled = on;
  b->down[0] = b->down[1] = b->down[2] = 0;
  return 0;
}

int32_t cmd_enablebutton(qmState* L) { return set_enabled(L, 1); }
int32_t cmd_disablebutton(qmState* L) { return set_enabled(L, 0); }

int32_t cmd_dumpbuttons(qmState* L) {
  arg_check_count(L, 0, 0);
  qmBGPic* pic = nullptr;
  if (int32_t err = button_picture(&pic)) return err;
  platform_debug_printf("BUTTON SYSTEM INFO - BGPIC: %d (%p)\nsizeof(qmBGPicButton): %d\nButtons: %d\n",
                        pic->header.id.number, static_cast<void*>(pic), 100, buttons_count(pic));
  int32_t n = 0;
  for (const qmBGPicButton* b = buttons_of(pic); b; b = b->next)
    platform_debug_printf("(%d) Type: %d - X1: %d - Y1: %d - X2: %d - Y2: %d\n", ++n, b->type, b->x1, b->y1, b->x2,
                          b->y2);
  return 0;
}

int32_t cmd_createbutton(qmState* L) {
  arg_check_count(L, 5, 5);
  const int32_t id = to_i32(vm_arg_check_number(L, 1));
  int32_t x1, y1, x2, y2;
  read_rect(L, &x1, &y1, &x2, &y2);
  // A record that cannot be made is left out.
  for (int32_t kind : kLegacyButtonKinds) legacy_event_append(kind, id, x1, y1, x2, y2, nullptr, nullptr);
  return 0;
}

int32_t cmd_removebutton(qmState* L) {
  arg_check_count(L, 1, 1);
  const int32_t id = to_i32(vm_arg_check_number(L, 1));
  for (int32_t kind : kLegacyButtonKinds) legacy_event_remove(kind, id);
  return 0;
}

int32_t cmd_modifybutton(qmState* L) {
  arg_check_count(L, 5, 5);
  const int32_t id = to_i32(vm_arg_check_number(L, 1));
  int32_t x1, y1, x2, y2;
  read_rect(L, &x1, &y1, &x2, &y2);
  for (int32_t kind : kLegacyButtonKinds) {
    if (LegacyEvent* e = legacy_event_find(kind, id)) {
      e->x1 = x1, e->y1 = y1, e->x2 = x2, e->y2 = y2;
    }
  }
  return 0;
}

int32_t cmd_whilemouseon(qmState* L) {
  arg_check_count(L, 0, 0);
  LegacyState& lg = legacy_events();
  bool delivered = false;
  for (;;) {
    const LegacyEvent* rec = lg.under_mouse;
    if (!rec) return 0;
    int32_t x = 0, y = 0;
    event_mouse_position(display_current(), &x, &y);
    if (delivered || x < rec->x1 || x > rec->x2 || y < rec->y1 || y > rec->y2) return 0;
    const int32_t top = vm_get_top(L);
    qmEventRecord r;
    const int32_t err = event_poll(L, &r);
    std::free(r.reply);
    vm_set_top(L, top);
    if (err > 0) return err;
    delivered = r.kind != EV_NONE && r.kind != EV_LABEL;
    if (delivered) {
      platform_pump_events(L);
    } else {
      platform_wait_event();
      if (platform_pump_events(L)) return 0;
    }
  }
}

int32_t cmd_breakwhilemouseon(qmState* L) {
  arg_check_count(L, 0, 0);
  legacy_events().under_mouse = nullptr;
  return 0;
}

}  // namespace qm
