// fx_run: the one driver behind every transition command. It copies the request, checks the
// output, resolves the effect, prepares the pictures, sets the step function up, and then runs it
// to the end (one event pump, one frame and one display_wait_refresh per frame) or hands it to an
// async draw object.
#include <algorithm>
#include <cstdlib>
#include <new>

#include "display/asyncdraw.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "fx/internal.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "gfx/effects.h"
#include "layers/layers.h"
#include "platform/platform.h"

namespace qm {

namespace {

FxObserver g_observer{nullptr, nullptr};
int32_t g_fail_at = 0;
int32_t g_allocations = 0;

}  // namespace

void fx_set_observer(const FxObserver* observer) { g_observer = observer ? *observer : FxObserver{nullptr, nullptr}; }

int32_t fx_observe(const qmFXRequest* r, int32_t what) {
  return g_observer.event ? g_observer.event(r, what, g_observer.user) : 0;
}

void fx_fail_allocation(int32_t n) {
  g_fail_at = n;
  g_allocations = 0;
}

int32_t fx_allocations() { return g_allocations; }

bool fx_allocation_allowed() {
  ++g_allocations;
  return g_fail_at <= 0 || g_allocations != g_fail_at;
}

qmBitmap* fx_alloc_bitmap(int32_t width, int32_t height) {
  return fx_allocation_allowed() ? qmos_alloc_bitmap(width, height) : nullptr;
}

qmMask* fx_alloc_mask(int32_t width, int32_t height, int32_t clear) {
  return fx_allocation_allowed() ? qmos_alloc_mask(width, height, clear) : nullptr;
}

qmAlphaChannel* fx_alloc_alpha(int32_t width, int32_t height, int32_t clear) {
  return fx_allocation_allowed() ? qmos_alloc_alpha(width, height, clear) : nullptr;
}

int32_t fx_copy_planes(const qmBitmap* bitmap, const qmMask* mask, const qmAlphaChannel* alpha, int32_t x, int32_t y,
                       int32_t w, int32_t h, qmBitmap** out_bitmap, qmMask** out_mask, qmAlphaChannel** out_alpha) {
  *out_bitmap = nullptr;
  *out_mask = nullptr;
  *out_alpha = nullptr;
  if (!fx_allocation_allowed()) return ERR_MEM;
  return bitmap_new_with_parts(bitmap, mask, alpha, x, y, w, h, 0, out_bitmap, mask ? out_mask : nullptr,
                               alpha ? out_alpha : nullptr);
}

namespace {

// Step 2: the current output. Effects draw on the display; a selected brush, mask, alpha channel
// or other picture refuses them. *own_picture: an async effect on a display with layers runs while
// the display's own picture is selected, and the selection stays.
int32_t check_output(qmFXRequest* r, bool* own_picture) {
  *own_picture = false;
  qmDisplay* d = r->display;
  if (d->double_buffer) dblbuf_end_display(d);
  const OutputTarget* t = drawtarget_selected();
  switch (d->output_type) {
    case kOutputDisplay: return 0;
    case TARGET_MASK:
    case TARGET_ALPHA:
    case TARGET_PICTURE:
    case TARGET_LAYERS: break;
    default: return 0;
  }
  if (!t || !t->active) return 0;
  auto same_brush = [&] {
    qmBrush* b = nullptr;
    return r->kind == OBJ_BRUSH && t->object_type == OBJ_BRUSH && brush_find(r->id, 0, &b) == 0 && b == t->record;
  };
  if (d->output_type == TARGET_MASK) return same_brush() ? 0 : ERR_SELECTMASK;
  if (d->output_type == TARGET_ALPHA) return same_brush() ? 0 : ERR_SELECTALPHACHANNEL;
  switch (t->object_type) {
    case OBJ_BRUSH: return same_brush() ? 0 : ERR_SELECTBRUSH;
    case OBJ_ANIM: return ERR_SELECTANIM;
    case OBJ_BGPIC: {
      qmBGPic* pic = nullptr;
      if (r->kind == OBJ_BGPIC && !r->clear && bgpic_find(r->id, 0, &pic) == 0 && pic == t->record) return 0;
      if (r->async && d->layers && t->record == d->bgpic) {
        *own_picture = true;
        return 0;
      }
      return ERR_SELECTBG;
    }
    default: return ERR_SELECTBRUSH;
  }
}

// Steps 3 to 5: the random choice, two-picture effects on objects that have no old picture, and
// the direction swap of hiding.
void resolve_effect(qmFXRequest* r) {
  const bool two_pictures = r->kind == OBJ_BGPIC || (r->kind == OBJ_LAYER && r->bgpicemu);
  if (r->effect == FX_RANDOMEFFECT) r->effect = fx_random_effect(!(r->kind == OBJ_BGPIC || r->bgpicemu));
  if (!two_pictures && fx_in_set(r->effect, FXSET_TWOPICTURE)) r->effect = FX_HSTRIPES;
  if (r->hide) {
    const FxEffect* e = fx_effect(r->effect);
    if (e && e->hide_swap >= 0) r->effect = e->hide_swap;
  }
}

void read_drawing_area(qmFXRequest* r) {
  qmDisplay* d = r->display;
  r->clip_width = d->bgpic->display_width;
  r->clip_height = d->bgpic->display_height;
  r->scaled = d->output.scaled ? 1 : 0;
  r->target = nullptr;
}

// Steps 7 and 8: a masked or alpha picture drawn directly is first composed onto what the display
// shows under it, so that every frame is a plain copy. Only the part on the drawing area is grabbed.
int32_t compose_onto_display(qmFXRequest* r) {
  if (r->realtime || r->kind == OBJ_BGPIC || (!r->mask && !r->alpha) ||
      fx_in_set(r->effect, FXSET_NOMASKCOMPOSITE))
    return 0;
  const bool on_screen = int64_t(r->x) + r->width >= 1 && int64_t(r->y) + r->height >= 1 && r->x < r->clip_width &&
                         r->y < r->clip_height;
  if (!on_screen) return 0;
  qmBitmap* under = fx_grab_display(r, r->x, r->y, r->width, r->height, r->layer);
  if (!under) return ERR_MEM;
  if (r->mask) BLTMASK(r->newpic, 0, 0, under, 0, 0, r->width, r->height, r->mask);
  else BLTALPHABITMAP(r->newpic, 0, 0, under, 0, 0, r->width, r->height, r->alpha);
  if (r->own_newpic) qmos_free_bitmap(r->newpic);
  if (r->own_mask) qmos_free_mask(r->mask);
  if (r->own_alpha) qmos_free_alpha(r->alpha);
  r->newpic = under;
  r->own_newpic = 1;
  r->mask = nullptr;
  r->alpha = nullptr;
  r->own_mask = r->own_alpha = 0;
  return 0;
}

bool includes_layer_in_old(const qmFXRequest* r) {
  if (!r->hide) return false;
  const int32_t e = r->effect;
  return e == 97 || e == 98 || e == 114 || e == 116 || e == 117 || (e >= 134 && e <= 139) || (e == 115 && !r->realtime);
}

// Step 9: the outgoing picture for the effects that draw it.
int32_t grab_old_picture(qmFXRequest* r) {
  const int32_t e = r->effect;
  const bool wants = fx_in_set(e, FXSET_TWOPICTURE) || e == 115 ||
                     (r->realtime ? fx_in_set(e, FXSET_OLDPICREALTIME) : fx_in_set(e, FXSET_OLDPIC));
  if (!wants) return 0;
  if (r->kind == OBJ_BGPIC) {
    r->oldpic = r->bgpic_old;
    r->bgpic_old = nullptr;
    return 0;
  }
  r->oldpic = fx_grab_display(r, r->x, r->y, r->width, r->height, includes_layer_in_old(r) ? nullptr : r->layer);
  return r->oldpic ? 0 : ERR_MEM;
}

// A layer effect undone because the display was resized: the command runs it again from scratch.
void undo_layer_change(qmFXRequest* r) {
  if (!r->layer) return;
  if (r->realtime) {
    if (r->inserted) r->drop_layer = 1;
    else r->restore_layer = 1;
    return;
  }
  qmDisplay* d = r->display;
  if (r->inserted) {
    layer_remove(r->script, d->bgpic, r->layer);
    r->layer = nullptr;
    r->inserted = 0;
    return;
  }
  if (fx_in_set(r->effect, FXSET_SCROLL)) {
    layer_set_position(r->script, r->layer, r->layer_x, r->layer_y, false, 0, nullptr);
    return;
  }
  r->layer->hidden = r->hide ? 0 : 1;
  refresh_dirty_rect(r->script, layer_bounds(r->layer, r->layer->display, d->scale_x, d->scale_y));
}

// Step 12: the synchronous run. Leaves early on a quit or when the display's drawing area changed
// size under the effect.
int32_t run_frames(qmFXRequest* r) {
  qmState* L = r->script;
  qmDisplay* d = r->display;
  int32_t done = 0, quit = 0;
  while (!done) {
    if (platform_pump_events(L) || platform_quit_requested()) {
      quit = 1;
      break;
    }
    if (!d->output.scaled && (d->bgpic->display_width != r->clip_width || d->bgpic->display_height != r->clip_height)) {
      r->resized = 1;
      if (r->kind != OBJ_BGPIC) {
        r->caller->restart = 1;
        undo_layer_change(r);
      }
      break;
    }
    if (int32_t err = r->step(r, &done)) return err;
    const int32_t stop = fx_observe(r, FXOBS_FRAME);
    display_wait_refresh(L);
    if (stop) break;
  }
  // The last frame drawn completes the effect, however the loop was left.
  if (done || (r->frames > 0 && r->frame >= r->frames)) fx_finish(r, 1);
  // A quit ends the program at once, as it does in every other wait.
  return quit ? ERR_USERABORT : 0;
}

void async_finish(void* data, int32_t finished) { fx_finish(static_cast<qmFXRequest*>(data), finished ? 1 : 0); }
void async_free(void* data, int32_t finished) { fx_free(static_cast<qmFXRequest*>(data), finished ? 1 : 0); }

}  // namespace

int32_t fx_setup_step(qmFXRequest* r) {
  if (r->priv) {
    if (r->free_state) r->free_state(r);
    std::free(r->priv);
    r->priv = nullptr;
  }
  r->phase = 0;
  r->frame = 0;
  r->frames = 0;
  r->speed = r->speed_given;
  const int32_t err = r->step(r, nullptr);
  r->phase = 1;
  r->frames = std::max(r->frames, 1);
  return err;
}

int32_t fx_run(qmFXRequest* caller, int32_t* results) {
  *results = 0;
  if (!fx_allocation_allowed()) return ERR_MEM;
  auto* r = new (std::nothrow) qmFXRequest(*caller);
  if (!r) return ERR_MEM;
  // 1.
  r->caller = caller;
  if (r->speed > FX_MAXSPEED) r->speed = FX_MAXSPEED;
  r->speed_given = r->speed;
  if (r->effect == FX_UNUSED_ID) r->effect = FX_RANDOMEFFECT;
  r->display = display_current();
  auto fail = [r](int32_t err) {
    fx_free(r, 0);
    return err;
  };
  if (!r->display || !r->display->bgpic) return fail(ERR_CLOSEDDISPDRAW);
  if (r->effect < 0 || r->effect > FX_RANDOMEFFECT) return fail(ERR_WRONGUSAGE);
  // 2.
  bool own_picture = false;
  if (int32_t err = check_output(r, &own_picture)) return fail(err);
  if (!own_picture && drawtarget_offscreen()) drawtarget_end(r->script, r->display, false);
  // 3 to 5.
  resolve_effect(r);
  if (fx_observe(r, FXOBS_RESOLVED)) return fail(ERR_USERABORT);
  // 6.
  read_drawing_area(r);
  if (int32_t err = fx_prepare(r)) return fail(err);
  read_drawing_area(r);
  // A picture far off the display stays there, without its coordinates overflowing as the
  // frames add offsets to them.
  constexpr int32_t kFar = 1 << 30;
  r->x = std::clamp(r->x, -kFar, kFar);
  r->y = std::clamp(r->y, -kFar, kFar);
  // 7 to 9.
  if (int32_t err = compose_onto_display(r)) return fail(err);
  if (int32_t err = grab_old_picture(r)) return fail(err);
  // 10.
  qmDisplay* d = r->display;
  r->blit_flags = BLIT_FRONT | (r->scaled ? BLIT_NOPRESENT : 0) | (r->kind == OBJ_BGPIC && d->layers ? BLIT_ALWAYSFRONT : 0);
  const FxEffect* effect = fx_effect(r->effect);
  if (!effect || !effect->step) return fail(ERR_WRONGUSAGE);
  r->step = effect->step;
  r->free_state = effect->release;
  // 11.
  if (int32_t err = fx_setup_step(r)) return fail(err);
  fx_observe(r, FXOBS_SETUP);
  // 13.
  if (r->async) {
    qmAsyncDraw* a = nullptr;
    if (int32_t err = asyncdraw_new(ADF_FX, fx_async_draw_frame, async_finish, async_free, fx_layer_event, r, &a))
      return fail(err);
    vm_push_lightuserdata(r->script, a);
    *results = 1;
    return 0;
  }
  // 12, 14.
  const int32_t err = run_frames(r);
  fx_free(r, err == ERR_USERABORT ? 1 : err ? 0 : 1);
  return err;
}

int32_t fx_command(qmFXRequest& request) {
  int32_t results = 0;
  do {
    request.restart = 0;
    if (int32_t err = fx_run(&request, &results)) return err;
  } while (request.restart);
  return results;
}

}  // namespace qm
