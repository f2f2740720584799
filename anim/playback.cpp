// Playing anims in place: PlayAnim and PlayAnimDisk, synchronously (the command returns after the
// last pass) or as an asynchronous draw object that AsyncDrawFrame advances. With layers on the
// anim is one layer whose frame each step sets; with layers off each step puts the frame over the
// background it covered.
#include "anim/playback.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <string>

#include "anim/anim.h"
#include "anim/animlib.h"
#include "display/asyncdraw.h"
#include "display/bgpic.h"
#include "display/clipregion.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "display/showbrush.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "gfx/compose.h"
#include "gfx/scale.h"
#include "layers/layer.h"
#include "layers/layers.h"
#include "layers/style.h"
#include "platform/platform.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/messages.h"

namespace qm {

namespace {

enum : int32_t { NORMALSPEED = -1, FASTSPEED = -2, SLOWSPEED = -3, DEFAULTSPEED = -4 };
constexpr int32_t kTickMs = 20;

int32_t speed_delay_ms(int32_t speed) {
  switch (speed) {
    case NORMALSPEED: return 3 * kTickMs;
    case FASTSPEED: return 0;
    case SLOWSPEED: return 8 * kTickMs;
    case DEFAULTSPEED: return -1;  // the frames' own delays
    default: return speed < 0 ? 0 : int32_t(std::min<int64_t>(int64_t(speed) * kTickMs, INT32_MAX));
  }
}

bool is_identity(const double* m) { return m[0] == 1.0 && m[1] == 0.0 && m[2] == 0.0 && m[3] == 1.0; }

}  // namespace

struct AnimPlay {
  qmState* L = nullptr;
  qmAnim* anim = nullptr;
  bool free_anim = false;  // PlayAnimDisk: the anim goes with the playback
  int32_t x = 0, y = 0;    // where the frame's corner lands
  int32_t draw_w = 0, draw_h = 0;
  int32_t delay_ms = 0;  // -1: each frame's own
  int32_t times = 1, pass = 1, frame = 0;
  bool options = false, transformed = false;
  qmTransformTags tt;
  qmDrawTagOptions dt;
  // Layers on: the layer that shows the anim (set by the first step).
  qmLayer* layer = nullptr;
  bool layered = false;
  // Layers off: the rectangle of the picture under the frame, what it held, and a work bitmap.
  Rect area{0, 0, 0, 0};
  int32_t pic_w = 0, pic_h = 0;
  qmBitmap* background = nullptr;
  qmBitmap* work = nullptr;
  int64_t due_us = -1;
};

namespace {

void play_free(AnimPlay* p) {
  if (!p) return;
  if (p->anim) {
    --p->anim->lock;
    if (p->free_anim) anim_free_by_id(p->L, p->anim->header.id, false);
  }
  qmos_free_bitmap(p->background);
  qmos_free_bitmap(p->work);
  delete p;
}

// The rectangle under the frame, clipped to the display's picture, saved as it is now.
int32_t save_background(AnimPlay* p) {
  qmDisplay* d = display_current();
  const qmBitmap* picture = d && d->bgpic ? d->bgpic->current.bitmap : nullptr;
  if (!picture) return ERR_CLOSEDDISPDRAW;
  qmos_free_bitmap(p->background);
  qmos_free_bitmap(p->work);
  p->background = p->work = nullptr;
  p->pic_w = picture->width, p->pic_h = picture->height;
  p->area = rect_intersect(Rect{p->x, p->y, p->draw_w, p->draw_h}, Rect{0, 0, picture->width, picture->height});
  if (p->area.width < 1 || p->area.height < 1) return 0;
  p->background = qmos_alloc_bitmap(p->area.width, p->area.height);
  p->work = qmos_alloc_bitmap(p->area.width, p->area.height);
  if (!p->background || !p->work) return ERR_MEM;
  BLTBITMAP(picture, p->area.x, p->area.y, p->background, 0, 0, p->area.width, p->area.height);
  return 0;
}

// Puts the frame on the display, over the saved background where it has a mask or alpha plane.
int32_t draw_direct(AnimPlay* p, int32_t index) {
  qmAnim* a = p->anim;
  Planes own;
  qmBitmap* bitmap = nullptr;
  qmMask* mask = nullptr;
  qmAlphaChannel* alpha = nullptr;
  if (int32_t err = anim_get_frame_bitmap(a, index, false, false, &bitmap, &mask, &alpha)) return err;
  if (a->from_disk) own.bitmap = bitmap, own.mask = mask, own.alpha = alpha;
  if (!bitmap) return ERR_ANIMFRAME;
  int32_t w = a->width, h = a->height;
  if (p->options && (p->transformed || p->dt.tint > 0 || p->dt.transparency > 0)) {
    Planes t;
    if (p->transformed) {
      if (int32_t err = bitmap_transform_new(bitmap, mask, alpha, 0, 0, w, h, p->tt.matrix, p->tt.smooth, &t.bitmap,
                                             &t.mask, &t.alpha, &w, &h))
        return err;
    } else if (int32_t err = planes_copy(bitmap, mask, alpha, w, h, &t)) {
      return err;
    }
    if (int32_t err = image_apply_transparency_tint(p->dt, t.bitmap, &t.mask, &t.alpha, w, h)) return err;
    std::swap(own.bitmap, t.bitmap), std::swap(own.mask, t.mask), std::swap(own.alpha, t.alpha);
    bitmap = own.bitmap, mask = own.mask, alpha = own.alpha;
  }
  qmDisplay* d = display_current();
  const qmBitmap* picture = d && d->bgpic ? d->bgpic->current.bitmap : nullptr;
  if (!picture) return ERR_CLOSEDDISPDRAW;
  const Rect& r = p->area;
  if (r.width < 1 || r.height < 1) return 0;  // wholly off the display
  const int32_t sx = r.x - p->x, sy = r.y - p->y;
  const qmBitmap* shown = bitmap;
  int32_t shown_x = sx, shown_y = sy, shown_w = w, shown_h = h;
  if (mask || alpha) {
    BLTBITMAP(p->background, 0, 0, p->work, 0, 0, r.width, r.height);
    if (mask) BLTMASK(bitmap, sx, sy, p->work, 0, 0, r.width, r.height, mask);
    else BLTALPHABITMAP(bitmap, sx, sy, p->work, 0, 0, r.width, r.height, alpha);
    shown = p->work, shown_x = shown_y = 0, shown_w = r.width, shown_h = r.height;
  }
  SAFEBLT(p->L, shown, shown_x, shown_y, nullptr, r.x, r.y, r.width, r.height, shown_w, shown_h, picture->width,
          picture->height, BLIT_FRONT | BLIT_REDRAW, nullptr, nullptr, clipregion_active());
  return 0;
}

// With layers: the first step inserts the layer, the others set its frame.
int32_t draw_layered(AnimPlay* p, int32_t index) {
  if (!p->layer) {
    if (p->pass > 1 || index > 0) return 0;  // the layer went away meanwhile: nothing to step
    return anim_layer_insert(p->L, p->anim, 0, p->x, p->y, p->options ? &p->tt : nullptr,
                             p->options ? &p->dt : nullptr, -1, LAYER_SCALED, &p->layer);
  }
  return layer_set_position_frame(p->L, p->layer, kKeepCoordinate, kKeepCoordinate, index + 1, false);
}

int32_t frame_delay(const AnimPlay* p, int32_t index) {
  return p->delay_ms >= 0 ? p->delay_ms : std::max(0, anim_get_frame_delay(p->anim, index));
}

// One frame: drawn, then the playback moves on (a new pass at the end, or done). *delay gets the
// frame's delay.
int32_t play_step(AnimPlay* p, int32_t* finished, int32_t* delay) {
  const int32_t index = p->frame;
  if (int32_t err = p->layered ? draw_layered(p, index) : draw_direct(p, index)) return err;
  *delay = frame_delay(p, index);
  *finished = 0;
  if (++p->frame >= p->anim->frames) {
    if (p->times != 0 && p->pass >= p->times) {
      *finished = 1;
      p->frame = p->anim->frames - 1;
    } else {
      ++p->pass;
      p->frame = 0;
    }
  }
  return 0;
}

int32_t async_step(void* data, int32_t* finished) {
  auto* p = static_cast<AnimPlay*>(data);
  const int64_t now = platform_clock().now_us();
  *finished = 0;
  if (p->due_us >= 0 && now < p->due_us) return 0;
  int32_t delay = 0;
  if (int32_t err = play_step(p, finished, &delay)) return err;
  p->due_us = (p->due_us < 0 ? now : p->due_us) + int64_t(delay) * 1000;
  return 0;
}

void async_free(void* data, int32_t) { play_free(static_cast<AnimPlay*>(data)); }

intptr_t async_control(int32_t code, intptr_t argument, void* data) {
  auto* p = static_cast<AnimPlay*>(data);
  switch (code) {
    case ADCTL_LAYER:
      if (argument) *reinterpret_cast<void**>(argument) = p->layer;
      return 0;
    case ADCTL_LAYERGONE:
      if (reinterpret_cast<void*>(argument) == p->layer) p->layer = nullptr;
      return 0;
    case ADCTL_SEEK: {
      // Shows frame n (1-based) at once; the playback goes on from the next one.
      p->frame = std::clamp(*reinterpret_cast<int32_t*>(argument), 1, p->anim->frames) - 1;
      int32_t finished = 0, delay = 0;
      return play_step(p, &finished, &delay);
    }
    case ADCTL_TOTAL: return p->anim->frames;
    case ADCTL_CURRENT: return p->frame;
    default: return 0;
  }
}

// What the current drawing target refuses a playback with.
int32_t output_refusal(qmDisplay* d) {
  if (!d || !d->bgpic) return ERR_CLOSEDDISPDRAW;
  if (d->double_buffer) return ERR_ENDDOUBLEBUFFER;
  const OutputTarget* t = drawtarget_selected();
  switch (d->output_type) {
    case TARGET_PICTURE:
      if (t && t->object_type == OBJ_ANIM) return ERR_SELECTANIM;
      return t && t->object_type == OBJ_BGPIC ? ERR_SELECTBG : ERR_SELECTBRUSH;
    case TARGET_MASK: return ERR_SELECTMASK;
    case TARGET_ALPHA: return ERR_SELECTALPHACHANNEL;
    case TARGET_LAYERS: return ERR_SELECTBG;
    default: return 0;
  }
}

}  // namespace

int32_t anim_play(qmState* L, qmAnim* a, const AnimPlayRequest& rq, bool free_after, void** async_out) {
  if (async_out) *async_out = nullptr;
  auto* p = new (std::nothrow) AnimPlay;
  if (!p) {
    if (free_after) anim_free_by_id(L, a->header.id, false);
    return ERR_MEM;
  }
  p->L = L;
  p->anim = a;
  ++a->lock;
  p->free_anim = free_after;
  p->delay_ms = speed_delay_ms(rq.speed);
  p->times = std::max(0, rq.times);
  p->options = rq.tt != nullptr;
  if (rq.tt) p->tt = *rq.tt;
  if (rq.dt) p->dt = *rq.dt;
  p->transformed = p->options && !is_identity(p->tt.matrix);
  p->draw_w = a->width, p->draw_h = a->height;
  if (p->transformed) rect_transform_corners(p->tt.matrix, a->width, a->height, &p->draw_w, &p->draw_h, nullptr, nullptr);
  qmDisplay* d = display_current();
  p->layered = d && d->layers;
  const double ax = p->options ? p->tt.anchor_x : 0.0, ay = p->options ? p->tt.anchor_y : 0.0;
  p->x = coord_resolve_special_x(rq.x, p->draw_w, 0, ax);
  p->y = coord_resolve_special_y(rq.y, p->draw_h, 0, ay);
  if (!p->layered) {
    // Moved by the anchor: the layers place a frame so themselves.
    if (ax != 0.0) p->x = to_i32(double(p->x) - std::trunc(double(p->draw_w) * ax));
    if (ay != 0.0) p->y = to_i32(double(p->y) - std::trunc(double(p->draw_h) * ay));
    if (int32_t err = save_background(p)) {
      play_free(p);
      return err;
    }
  }
  if (async_out) {
    qmAsyncDraw* ad = nullptr;
    if (int32_t err = asyncdraw_new(ADF_ANIM, async_step, nullptr, async_free, async_control, p, &ad)) {
      play_free(p);
      return err;
    }
    *async_out = ad;
    return 0;
  }
  Clock& clock = platform_clock();
  int64_t last = clock.now_us();
  int32_t err = 0;
  for (int32_t finished = 0; !finished;) {
    if (platform_pump_events(L) || platform_quit_requested()) {
      err = ERR_USERABORT;
      break;
    }
    if (!p->layered) {
      qmDisplay* now = display_current();
      const qmBitmap* picture = now && now->bgpic ? now->bgpic->current.bitmap : nullptr;
      if (picture && (picture->width != p->pic_w || picture->height != p->pic_h))
        if ((err = save_background(p))) break;
    }
    int32_t delay = 0;
    if ((err = play_step(p, &finished, &delay))) break;
    // The rest of the frame's delay after the time the frame took, then the display's refresh.
    // The next frame is timed from when this one was due, so that the frames keep their pace; a
    // frame that came late is timed from when it was shown.
    // The wait serves the events, so that the user can end even a very slow playback.
    const int64_t due = last + int64_t(delay) * 1000, now = clock.now_us();
    if (now < due)
      if ((err = platform_wait_until(L, due))) break;
    last = std::max(due, now);
    display_wait_refresh(L);
    // When each frame reached the screen, for the pacing measurements.
    if (platform_recording()) platform_record("anim_frame", std::to_string(clock.now_us()));
  }
  play_free(p);
  return err;
}

namespace {

// The playback's start shared by both commands: the drawing target's refusals, the speed, times
// and display options.
int32_t prepare(qmState* L, qmAnim* a, int32_t option_index, AnimPlayRequest* rq, qmTransformTags* tt,
                qmDrawTagOptions* dt) {
  if (int32_t err = output_refusal(display_current())) return err;
  if (rq->times < 0) return ERR_WRONGUSAGE;
  if (option_index && vm_get_top(L) >= option_index && vm_type(L, option_index) == QM_TTABLE) {
    if (int32_t err = brush_display_options(L, option_index, a->width, a->height, a->width, a->height, 0, tt, dt,
                                            DISPOPT_RESET))
      return err;
    rq->tt = tt, rq->dt = dt;
  }
  return 0;
}

// PlayAnim(id, x, y [, speed, times]) or PlayAnim(id, x, y, {speed, times, async, display options})
int32_t cmd_playanim_impl(qmState* L) {
  arg_check_count(L, 3, 5);
  const ObjectId id = arg_get_id(L, 1);
  AnimPlayRequest rq;
  rq.x = to_i32(vm_arg_check_number(L, 2));
  rq.y = to_i32(vm_arg_check_number(L, 3));
  bool async = false;
  const bool table = vm_get_top(L) == 4 && vm_type(L, 4) == QM_TTABLE;
  if (table) {
    opt_get_int(L, 4, "speed", &rq.speed, nullptr);
    opt_get_int(L, 4, "times", &rq.times, nullptr);
    async = table_flag(L, 4, "async");
  } else {
    rq.speed = to_i32(vm_arg_opt_number(L, 4, NORMALSPEED));
    rq.times = to_i32(vm_arg_opt_number(L, 5, 1));
  }
  // Playing the anim whose frame is the drawing target ends that selection.
  qmAnim* a = nullptr;
  if (int32_t err = anim_find(id, 0, &a)) return err;
  if (anim_is_output_target(a)) drawtarget_end(L, display_current(), false);
  qmTransformTags tt;
  qmDrawTagOptions dt;
  if (int32_t err = prepare(L, a, table ? 4 : 0, &rq, &tt, &dt)) return err;
  if (!async) return anim_play(L, a, rq, false, nullptr);
  void* handle = nullptr;
  if (int32_t err = anim_play(L, a, rq, false, &handle)) return err;
  vm_push_lightuserdata(L, handle);
  return 1;
}

// PlayAnimDisk(file [, x, y, options, speed, transparent colour, times])
int32_t cmd_playanimdisk_impl(qmState* L) {
  arg_check_count(L, 1, 7);
  const std::string name = arg_get_linked_file(L, 1, 0, nullptr);
  AnimPlayRequest rq;
  rq.x = to_i32(vm_arg_opt_number(L, 2, 0));
  rq.y = to_i32(vm_arg_opt_number(L, 3, 0));
  rq.speed = to_i32(vm_arg_opt_number(L, 5, NORMALSPEED));
  const double t = vm_arg_opt_number(L, 6, -1);
  const int32_t transparent = t == -1 ? -1 : int32_t(to_u32_bits(t) & 0xFFFFFF);
  rq.times = to_i32(vm_arg_opt_number(L, 7, 1));
  if (int32_t err = output_refusal(display_current())) return err;
  if (rq.times < 0) return ERR_WRONGUSAGE;
  qmAnim* a = nullptr;
  if (int32_t err = anim_build_from_file(automatic_id(), name.c_str(), transparent, true, &a)) return err;
  qmTransformTags tt;
  qmDrawTagOptions dt;
  if (vm_get_top(L) >= 4 && vm_type(L, 4) == QM_TTABLE) {
    // The option table is read as if it were the last argument.
    vm_push_value(L, 4);
    const int32_t index = vm_get_top(L);
    const int32_t err = brush_display_options(L, index, a->width, a->height, a->width, a->height, 0, &tt, &dt,
                                              DISPOPT_RESET);
    vm_pop(L, 1);
    if (err) {
      anim_free_by_id(L, a->header.id, false);
      return err;
    }
    rq.tt = &tt, rq.dt = &dt;
  }
  return anim_play(L, a, rq, true, nullptr);
}

}  // namespace

int32_t cmd_playanim(qmState* L) { return cmd_playanim_impl(L); }
int32_t cmd_playanimdisk(qmState* L) { return cmd_playanimdisk_impl(L); }

}  // namespace qm
