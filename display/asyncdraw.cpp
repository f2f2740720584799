// The async-draw list and AsyncDrawFrame, FinishAsyncDraw and CancelAsyncDraw.
#include "display/asyncdraw.h"

#include <new>

#include "display/display.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

ObjectHeader* g_draws = nullptr;
void (*g_layer_dirty)(qmDisplay*, void*) = nullptr;

qmAsyncDraw* as_draw(ObjectHeader* h) { return reinterpret_cast<qmAsyncDraw*>(h); }

intptr_t control(qmAsyncDraw* a, int32_t code, intptr_t argument) {
  return a->control ? a->control(code, argument, a->data) : 0;
}

int32_t find(const ObjectId& id, qmAsyncDraw** out) {
  for (ObjectHeader* h = g_draws; h; h = h->next)
    if (h->id == id) {
      *out = as_draw(h);
      return 0;
    }
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDASYNCDRAW;
}

void unlink(qmAsyncDraw* a) {
  for (ObjectHeader** p = &g_draws; *p; p = &(*p)->next)
    if (*p == &a->header) {
      *p = a->header.next;
      return;
    }
}

void destroy(qmState* L, qmAsyncDraw* a, int32_t finished) {
  unlink(a);
  if (a->free) a->free(a->data, finished);
  if (a->header.refs) reflist_free(L ? L : picture_state(), a->header.refs);
  delete a;
}

void finish_and_free(qmState* L, qmAsyncDraw* a) {
  if (a->finish) a->finish(a->data, 1);
  destroy(L, a, 1);
}

void mark_driven_layer(qmAsyncDraw* a, qmDisplay* d) {
  void* layer = nullptr;
  control(a, ADCTL_LAYER, reinterpret_cast<intptr_t>(&layer));
  if (layer && g_layer_dirty) g_layer_dirty(d, layer);
}

// The output must be the display or a background picture.
int32_t output_allows(const qmDisplay* d) {
  switch (d->output_type) {
    case kOutputDisplay:
    case TARGET_LAYERS: return 0;
    case TARGET_PICTURE: {
      if (d->double_buffer) return ERR_ENDDOUBLEBUFFER;
      const OutputTarget* t = drawtarget_selected();
      if (t && t->object_type == OBJ_ANIM) return ERR_SELECTANIM;
      return t && t->object_type == OBJ_BGPIC ? 0 : ERR_SELECTBRUSH;
    }
    case TARGET_MASK: return ERR_SELECTMASK;
    case TARGET_ALPHA: return ERR_SELECTALPHACHANNEL;
    default: return 0;
  }
}

bool picture_output(const qmDisplay* d) {
  const OutputTarget* t = drawtarget_selected();
  return d->output_type == TARGET_LAYERS || (t && t->object_type == OBJ_BGPIC);
}

// One drawn frame. The picture-output bracket is closed on every path, also when the frame fails.
int32_t ordinary_step(qmAsyncDraw* a, qmDisplay* d) {
  const bool picture = picture_output(d);
  if (picture) control(a, ADCTL_PICTUREFRAME, 1);
  const int32_t err = a->draw_frame(a->data, &a->finished);
  if (picture) {
    control(a, ADCTL_PICTUREFRAME, 0);
    if (!err) mark_driven_layer(a, d);
  }
  return err;
}

// True and False as scripts write them: the numbers 1 and 0, so that a comparison with them works.
int32_t push_bool(qmState* L, bool v) {
  vm_push_number(L, v ? 1 : 0);
  return 1;
}

int32_t cmd_asyncdrawframe(qmState* L) {
  arg_check_count(L, 1, 2);
  qmDisplay* d = display_current();
  if (!d) return ERR_CLOSEDDISPDRAW;
  if (int32_t err = output_allows(d)) return err;
  qmAsyncDraw* a = nullptr;
  if (int32_t err = find(arg_get_id(L, 1), &a)) return err;
  if (a->display != d) return ERR_ADFWRONGDISP;
  if (vm_get_top(L) < 2 || vm_type(L, 2) == QM_TNIL) {
    if (a->finished) {
      finish_and_free(L, a);
      return push_bool(L, true);
    }
    if (int32_t err = ordinary_step(a, d)) return err;
    return push_bool(L, false);
  }
  if (!d->layers) return ERR_NOLAYERS;
  const int32_t frame = std::max(0, to_i32(vm_arg_check_number(L, 2)));
  const intptr_t current = control(a, ADCTL_CURRENT, 0), total = control(a, ADCTL_TOTAL, 0);
  if ((frame == 0 || frame > total) && a->finished) {
    finish_and_free(L, a);
    return push_bool(L, true);
  }
  if (frame > total) return ERR_ANIMFRAME;
  if (frame == current) return push_bool(L, false);
  if (frame == 0 || frame == current + 1) {
    if (int32_t err = ordinary_step(a, d)) return err;
    return push_bool(L, false);
  }
  int32_t target = frame;
  if (int32_t err = int32_t(control(a, ADCTL_SEEK, reinterpret_cast<intptr_t>(&target)))) return err;
  if (picture_output(d)) mark_driven_layer(a, d);
  else control(a, ADCTL_REDRAW, 0);
  a->finished = frame == total ? 1 : 0;
  return push_bool(L, a->finished != 0);
}

int32_t cmd_finishasyncdraw(qmState* L) {
  arg_check_count(L, 1, 1);
  qmAsyncDraw* a = nullptr;
  if (int32_t err = find(arg_get_id(L, 1), &a)) return err;
  if (a->finish) a->finish(a->data, a->finished);
  destroy(L, a, a->finished);
  return 0;
}

int32_t cmd_cancelasyncdraw(qmState* L) {
  arg_check_count(L, 1, 1);
  qmAsyncDraw* a = nullptr;
  if (int32_t err = find(arg_get_id(L, 1), &a)) return err;
  destroy(L, a, 0);
  return 0;
}

int32_t asyncdraw_attribute(qmState* L, int32_t attribute) {
  qmAsyncDraw* a = nullptr;
  if (int32_t err = find(arg_get_id(L, 2), &a)) return err;
  constexpr int32_t kType = 9, kNumFrames = 11, kCurFrame = 12;
  double v = 0;
  switch (attribute) {
    case kType: v = a->kind; break;
    case kNumFrames: v = double(control(a, ADCTL_TOTAL, 0)); break;
    case kCurFrame: v = double(control(a, ADCTL_CURRENT, 0)); break;
    default: return ERR_UNKNOWNATTR;
  }
  vm_push_number(L, v);
  return 1;
}

const qmCommand kAsyncCommands[] = {
    {"AsyncDrawFrame", cmd_asyncdrawframe},
    {"FinishAsyncDraw", cmd_finishasyncdraw},
    {"CancelAsyncDraw", cmd_cancelasyncdraw},
    {nullptr, nullptr},
};

}  // namespace

int32_t asyncdraw_new(int32_t kind, AsyncDrawFrameFn draw_frame, AsyncFinishFn finish, AsyncFreeFn free,
                      AsyncControlFn control_fn, void* data, qmAsyncDraw** out) {
  auto* a = new (std::nothrow) qmAsyncDraw();
  if (!a) return ERR_MEM;
  a->header.type = OBJ_ASYNCDRAW;
  a->header.id = ObjectId{0, a};
  a->display = display_current();
  a->kind = kind;
  a->draw_frame = draw_frame;
  a->finish = finish;
  a->free = free;
  a->control = control_fn;
  a->data = data;
  ObjectHeader** tail = &g_draws;
  while (*tail) tail = &(*tail)->next;
  *tail = &a->header;
  *out = a;
  return 0;
}

bool asyncdraw_uses_display(const qmDisplay* d) {
  for (ObjectHeader* h = g_draws; h; h = h->next)
    if (as_draw(h)->display == d) return true;
  return false;
}

void* asyncdraw_any_busy() {
  for (ObjectHeader* h = g_draws; h; h = h->next) {
    qmAsyncDraw* a = as_draw(h);
    if (a->kind != ADF_FX) continue;
    void* picture = nullptr;
    control(a, ADCTL_PICTURE, reinterpret_cast<intptr_t>(&picture));
    if (picture) return picture;
  }
  return nullptr;
}

bool asyncdraw_picture_busy(const void* picture) {
  for (ObjectHeader* h = g_draws; h; h = h->next) {
    qmAsyncDraw* a = as_draw(h);
    if (a->kind != ADF_FX) continue;
    void* drawn = nullptr;
    control(a, ADCTL_PICTURE, reinterpret_cast<intptr_t>(&drawn));
    if (drawn && drawn == picture) return true;
  }
  return false;
}

void asyncdraw_broadcast(int32_t code, void* layer) {
  for (ObjectHeader* h = g_draws; h; h = h->next) control(as_draw(h), code, reinterpret_cast<intptr_t>(layer));
}

bool asyncdraw_owns_layer(const void* layer) {
  for (ObjectHeader* h = g_draws; h; h = h->next) {
    void* driven = nullptr;
    control(as_draw(h), ADCTL_LAYER, reinterpret_cast<intptr_t>(&driven));
    if (driven && driven == layer) return true;
  }
  return false;
}

void asyncdraw_free_all(qmState* L) {
  while (g_draws) {
    qmAsyncDraw* a = as_draw(g_draws);
    g_draws = a->header.next;
    if (a->free) a->free(a->data, 0);
    if (a->header.refs) reflist_free(L ? L : picture_state(), a->header.refs);
    delete a;
  }
}

void asyncdraw_set_layer_dirty(void (*mark)(qmDisplay* d, void* layer)) { g_layer_dirty = mark; }

int32_t asyncdraw_open(qmState* L) {
  graphics_set_attribute_handler(OBJ_ASYNCDRAW, asyncdraw_attribute);
  return picture_library_open(L, kAsyncCommands, nullptr, "graphics", &g_draws);
}

}  // namespace qm
