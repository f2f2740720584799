// The moveobject library: the path of a move with its curves, and the moves of brushes, sprites
// and layers drawn along it, to the end inside the command or step by step as an async draw.
#include "layers/moveobject.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "display/asyncdraw.h"
#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "layers/layers.h"
#include "layers/style.h"
#include "layers/sprite.h"
#include "platform/platform.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

// ---- the path -------------------------------------------------------------------------------------

int32_t move_speed_pixels(int32_t speed) {
  switch (speed) {
    case SPEED_FAST: return 15;
    case SPEED_NORMAL: return 10;
    case SPEED_SLOW: return 5;
    default: return speed >= 1 ? speed : -1;
  }
}

namespace {

int32_t ceil_div(int32_t a, int32_t b) { return int32_t((int64_t(a) + b - 1) / b); }
bool is_sine(int32_t curve) { return curve == CURVE_SINE || curve == CURVE_BIGSINE; }
bool is_arc(int32_t curve) { return curve == CURVE_LOWERCURVE || curve == CURVE_UPPERCURVE; }
bool horizontal(const MovePath& p) { return p.direction == 2 || p.direction == 6; }
bool vertical(const MovePath& p) { return p.direction == 0 || p.direction == 4; }

bool passed(int32_t c, int32_t target, int32_t dir) { return dir > 0 ? c >= target : c <= target; }

// Phase 0 of one axis: the straight line, slowing down near the end under SMOOTHOUT, the minor
// axis taking one more pixel while remainder pixels are left.
bool axis_line(MovePath& p, int32_t& c, int32_t end, int32_t dir, int32_t& v, int32_t decel_distance,
               int32_t decel_step, bool minor) {
  if (p.curve == CURVE_SMOOTHOUT && std::abs(int64_t(end) - c) <= decel_distance) v = std::max(1, v - decel_step);
  c += dir * v;
  if (minor && p.remainder_count < p.remainder) {
    c += dir;
    ++p.remainder_count;
  }
  if (passed(c, end, dir)) c = end;
  return c == end;
}

// Phases 1 to 8 of one axis: on past the end and back, each leg shorter (the targets are the end
// plus these multiples of the base speed, in the axis's own direction).
bool axis_phase(MovePath& p, int32_t& c, int32_t end, int32_t dir) {
  static constexpr int32_t kOffset[9] = {0, 16, -8, 4, -2, 1, 0, 8, 0};
  static constexpr int32_t kTravel[9] = {0, 1, -1, 1, -1, 1, -1, 1, -1};
  const int32_t target = end + dir * kOffset[p.phase] * p.base_speed;
  const int32_t travel = dir * kTravel[p.phase];
  if (passed(c, target, travel)) return true;
  c += travel * p.speed;
  if (!passed(c, target, travel)) return false;
  c = target;
  return true;
}

}  // namespace

bool move_path_start(MovePath& p, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width, int32_t height,
                     int32_t speed, int32_t curve, int32_t output_height) {
  p = MovePath{};
  p.curve = curve;
  p.x = p.x1 = x1;
  p.y = p.y1 = y1;
  p.x2 = x2;
  p.y2 = y2;
  p.width = width;
  p.height = height;
  if (x1 == x2 && y1 == y2) {
    p.finished = true;
    return false;
  }
  const int32_t dx = x2 - x1, dy = y2 - y1;
  if (dx == 0) p.direction = dy > 0 ? 4 : 0;
  else if (dy == 0) p.direction = dx > 0 ? 2 : 6;
  else if (dx > 0) p.direction = dy < 0 ? 1 : 3;
  else p.direction = dy > 0 ? 5 : 7;
  p.speed_x = p.speed_y = p.base_speed = p.speed = speed;
  const int32_t ax = std::abs(dx), ay = std::abs(dy);
  if (horizontal(p)) {
    if (is_sine(curve)) {
      const double amplitude = curve == CURVE_SINE ? 50.0 : double(output_height / 2);
      for (int32_t k = 0; k < kSineEntries; ++k) p.sine[k] = y1 + amplitude * std::sin(0.08 * (k + 1));
      p.sine_step = std::max(speed / 4, 1);
      const int32_t steps = ceil_div(ax, speed);
      // The path ends on entry 0.
      p.sine_index = int32_t((kSineEntries - (int64_t(steps) * p.sine_step) % kSineEntries) % kSineEntries);
    } else if (is_arc(curve)) {
      p.arc_factor = M_PI / ax;
    }
  } else if (!vertical(p)) {
    if (width > height) {
      const int32_t steps = ceil_div(ax, speed);
      p.speed_y = ay / steps;
      p.remainder = ay % steps;
    } else {
      const int32_t steps = ceil_div(ay, speed);
      p.speed_x = p.base_speed = ax / steps;
      p.remainder = ax % steps;
      p.minor_x = true;
    }
  }
  p.decel_distance_x = 6 * p.speed_x;
  p.decel_distance_y = 6 * p.speed_y;
  p.decel_step_x = std::max(1, (p.speed_x + 5) / 10);
  p.decel_step_y = std::max(1, (p.speed_y + 5) / 10);
  return true;
}

void move_path_step(MovePath& p) {
  if (p.finished) return;
  if (p.phase == 9) {
    p.y = p.y2;
    p.finished = true;
    return;
  }
  const int32_t dir_x = p.direction >= 1 && p.direction <= 3 ? 1 : -1;
  const int32_t dir_y = p.direction >= 3 && p.direction <= 5 ? 1 : -1;
  bool x_done = true, y_done = true;
  if (p.phase == 0 && horizontal(p) && is_sine(p.curve)) {
    p.x += dir_x * p.speed_x;
    p.y = to_i32(p.sine[p.sine_index]);
    p.sine_index = (p.sine_index + p.sine_step) % kSineEntries;
    if (passed(p.x, p.x2, dir_x)) p.x = p.x2;
  } else if (p.phase == 0 && horizontal(p) && is_arc(p.curve)) {
    p.x += dir_x * p.speed_x;
    p.arc_distance += p.speed_x;
    const int32_t lift = to_i32(150.0 * std::sin((p.arc_distance + 1) * p.arc_factor));
    p.y = p.curve == CURVE_LOWERCURVE ? p.y2 + lift : p.y2 - lift;
    if (passed(p.x, p.x2, dir_x)) p.x = p.x2;
  } else if (!vertical(p)) {
    x_done = p.phase == 0 ? axis_line(p, p.x, p.x2, dir_x, p.speed_x, p.decel_distance_x, p.decel_step_x, p.minor_x)
                          : axis_phase(p, p.x, p.x2, dir_x);
  }
  if (!horizontal(p))
    y_done = p.phase == 0 ? axis_line(p, p.y, p.y2, dir_y, p.speed_y, p.decel_distance_y, p.decel_step_y, !p.minor_x)
                          : axis_phase(p, p.y, p.y2, dir_y);
  if (p.phase == 0) {
    if (horizontal(p) && is_arc(p.curve)) {
      if (p.x == p.x2) {
        p.y = p.y2;
        p.finished = true;
      }
    } else if (horizontal(p) && is_sine(p.curve)) {
      if (p.x == p.x2) p.phase = 9;
    } else if (p.x == p.x2 && p.y == p.y2) {
      if (p.curve == CURVE_BOUNCE) {
        p.phase = 1;
        p.speed = p.base_speed;
      } else if (p.curve == CURVE_DAMPED) {
        p.phase = 7;
        p.speed = p.base_speed - p.base_speed / 4;
      } else {
        p.finished = true;
      }
    }
  } else if (x_done && y_done) {
    switch (p.phase) {
      case 1: case 2: case 3: case 4: ++p.phase; p.speed -= p.speed / 2; break;
      case 5: p.phase = 6; p.speed = 1; break;
      case 7: p.phase = 8; p.speed -= p.speed / 2; break;
      default:
        p.x = p.x2;
        p.y = p.y2;
        p.finished = true;
        break;
    }
  }
  p.speed = std::max(p.speed, 1);
}

// ---- the moves ------------------------------------------------------------------------------------

}  // namespace qm

struct qm::qmMove {
  qmState* L = nullptr;
  MovePath path;
  int32_t type = OBJ_BRUSH;
  int32_t prev_x = 0, prev_y = 0;
  // What is moved: a brush (drawn directly or as its layer), a sprite, or a layer.
  qmBrush* brush = nullptr;
  qmSprite* sprite = nullptr;
  void* anim = nullptr;  // an anim's record (locked while it moves) and its id
  ObjectId anim_id;
  qmBGPic* pic = nullptr;      // of the driven layer
  int32_t layer_position = 0;  // the driven layer, counted from the bottom; 0 for none
  // Direct drawing: the display's picture as it was (clean) and the buffer a step composes in.
  qmBitmap* clean = nullptr;
  qmBitmap* work = nullptr;
  // Frames (sprites).
  int32_t frame = 0, frame_count = 0, delay_ms = 0;
  int64_t next_change_ms = 0;
  // What direct drawing draws: the brush's planes, or an embedded move's picture.
  const qmBitmap* bitmap = nullptr;
  const qmMask* mask = nullptr;
  const qmAlphaChannel* alpha = nullptr;
  bool quiet = false;
};

namespace qm {

namespace {

void move_free(qmMove* m) {
  if (m->brush) --m->brush->locked;
  if (m->sprite) --m->sprite->lock;
  if (m->anim) anim_hooks().lock(m->anim, -1);
  qmos_free_bitmap(m->clean);
  qmos_free_bitmap(m->work);
  delete m;
}

qmLayer* driven_layer(const qmMove* m) {
  qmDisplay* d = display_current();
  if (!m->layer_position || !d || d->bgpic != m->pic) return nullptr;
  return layer_at_index(m->pic, m->layer_position);
}

bool has_size(const qmBitmap* b, const qmBitmap* of) {
  return b && b->width == of->width && b->height == of->height;
}

// Both save bitmaps at the picture's size, the clean one a copy of it. Bitmaps of that size already
// held are kept: fresh ones of a full-screen picture fault thousands of pages in while drawn.
int32_t move_snapshot_display(qmMove* m) {
  qmDisplay* d = display_current();
  const qmBitmap* picture = d && d->bgpic ? d->bgpic->current.bitmap : nullptr;
  if (!picture) return ERR_CLOSEDDISPDRAW;
  const bool fresh = !has_size(m->clean, picture) || !has_size(m->work, picture);
  if (fresh) {
    qmos_free_bitmap(m->clean);
    qmos_free_bitmap(m->work);
    m->clean = qmos_alloc_bitmap(picture->width, picture->height);
    m->work = qmos_alloc_bitmap(picture->width, picture->height);
  }
  if (!m->clean || !m->work) return ERR_MEM;
  BLTBITMAP(picture, 0, 0, m->clean, 0, 0, picture->width, picture->height);
  // A fresh work bitmap is filled now: drawn into a column at a time, it would fault a page in for
  // every row of the first columns, in the middle of the frames.
  if (fresh) BLTBITMAP(picture, 0, 0, m->work, 0, 0, picture->width, picture->height);
  return 0;
}

// The rectangle covering the previous and the new place: the clean background, the object on it,
// and that onto the display.
void draw_direct(qmMove* m) {
  const MovePath& p = m->path;
  const Rect r = rect_intersect(Rect{std::min(p.x, m->prev_x), std::min(p.y, m->prev_y),
                                     std::abs(p.x - m->prev_x) + p.width, std::abs(p.y - m->prev_y) + p.height},
                                Rect{0, 0, m->work->width, m->work->height});
  if (r.width < 1 || r.height < 1) return;
  const Rect o = rect_intersect(r, Rect{p.x, p.y, p.width, p.height});
  const bool covers = o.width > 0 && o.height > 0 && m->bitmap && !m->mask && !m->alpha &&
                      int64_t(o.x - p.x) + o.width <= m->bitmap->width &&
                      int64_t(o.y - p.y) + o.height <= m->bitmap->height;
  if (covers) {
    // An opaque picture hides the background under it: only the bands around it are restored.
    const int32_t below = o.y + o.height, right = o.x + o.width;
    for (const Rect& band :
         {Rect{r.x, r.y, r.width, o.y - r.y}, Rect{r.x, below, r.width, r.y + r.height - below},
          Rect{r.x, o.y, o.x - r.x, o.height}, Rect{right, o.y, r.x + r.width - right, o.height}})
      if (band.width > 0 && band.height > 0)
        BLTBITMAP(m->clean, band.x, band.y, m->work, band.x, band.y, band.width, band.height);
  } else {
    BLTBITMAP(m->clean, r.x, r.y, m->work, r.x, r.y, r.width, r.height);
  }
  if (o.width > 0 && o.height > 0) {
    const int32_t sx = o.x - p.x, sy = o.y - p.y;
    if (m->mask) BLTMASK(m->bitmap, sx, sy, m->work, o.x, o.y, o.width, o.height, m->mask);
    else if (m->alpha) BLTALPHABITMAP(m->bitmap, sx, sy, m->work, o.x, o.y, o.width, o.height, m->alpha);
    else BLTBITMAP(m->bitmap, sx, sy, m->work, o.x, o.y, o.width, o.height);
  }
  SAFEBLT(m->L, m->work, r.x, r.y, nullptr, r.x, r.y, r.width, r.height, m->work->width, m->work->height,
          m->work->width, m->work->height, BLIT_FRONT | BLIT_NOCLIP | (m->quiet ? BLIT_NOPRESENT : 0), nullptr,
          nullptr, nullptr);
}

// An anim's planes of the current frame (a disk anim reads it when it changes).
int32_t anim_planes(qmMove* m) {
  AnimFrameSlots f;
  if (int32_t err = anim_hooks().frame(m->L, m->anim_id, m->frame, &f)) return err;
  if (!anim_frame_held(f)) return ERR_ANIMFRAME;
  m->bitmap = *f.bitmap, m->mask = *f.mask, m->alpha = *f.alpha;
  return 0;
}

int32_t draw_at(qmMove* m) {
  const MovePath& p = m->path;
  if (m->sprite) return sprite_show(m->L, m->sprite, p.x, p.y, m->frame + 1);
  if (m->layer_position) {
    qmLayer* layer = driven_layer(m);
    if (!layer) return ERR_LAYERRANGE;
    if (m->anim && layer->type == OBJ_ANIM) return layer_set_position_frame(m->L, layer, p.x, p.y, m->frame + 1, false);
    layer_set_position(m->L, layer, p.x, p.y, false, 0, nullptr);
    return 0;
  }
  if (m->anim)
    if (int32_t err = anim_planes(m)) return err;
  draw_direct(m);
  return 0;
}

int32_t move_step(void* data, int32_t* finished) {
  auto* m = static_cast<qmMove*>(data);
  move_path_step(m->path);
  if (int32_t err = draw_at(m)) return err;
  m->prev_x = m->path.x;
  m->prev_y = m->path.y;
  if (m->frame_count > 1 && platform_now_ms() >= m->next_change_ms) {
    m->frame = (m->frame + 1) % m->frame_count;
    m->next_change_ms = platform_now_ms() + m->delay_ms;
  }
  *finished = m->path.finished ? 1 : 0;
  return 0;
}

void move_free_async(void* data, int32_t) { move_free(static_cast<qmMove*>(data)); }

intptr_t move_notify(int32_t code, intptr_t argument, void* data) {
  if (code == ADCTL_LAYER && argument) *reinterpret_cast<void**>(argument) = driven_layer(static_cast<qmMove*>(data));
  return 0;
}


// What a move command was asked.
struct MoveRequest {
  int32_t type = OBJ_BRUSH;
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int32_t speed = SPEED_NORMAL, anim_speed = SPEED_NORMAL, curve = 0;
  bool async = false;
};

int32_t anim_delay_ms(int32_t anim_speed) {
  switch (anim_speed) {
    case SPEED_FAST: return 0;
    case SPEED_NORMAL: return 3 * 20;
    case SPEED_SLOW: return 8 * 20;
    case SPEED_DEFAULT: return 60;
    default: return anim_speed > 0 ? int32_t(std::min<int64_t>(int64_t(anim_speed) * 20, INT32_MAX)) : 0;
  }
}

// A brush layer that moves: the top-most layer showing the brush, else the brush as a new top layer.
int32_t drive_brush_layer(qmMove* m, qmDisplay* d, const MoveRequest& rq) {
  qmBGPic* pic = d->bgpic;
  int32_t n = layers_count(pic);
  for (qmLayer* l = layers_top(pic); l; l = l->prev, --n) {
    if (l->type == OBJ_BRUSH && l->object == m->brush->header.id) {
      m->pic = pic;
      m->layer_position = n;
      return 0;
    }
  }
  LayerSpec spec;
  spec.type = OBJ_BRUSH;
  spec.id = m->brush->header.id;
  spec.x = rq.x1;
  spec.y = rq.y1;
  spec.width = m->brush->width;
  spec.height = m->brush->height;
  qmLayer* layer = nullptr;
  if (int32_t err = layer_new(m->L, pic, spec, &layer)) return err;
  m->pic = pic;
  m->layer_position = layers_count(pic);
  return 0;
}

int32_t moveobject_run(qmState* L, qmMove* m, MoveRequest rq, const ObjectId& id, int32_t layer_position) {
  qmDisplay* d = display_current();
  if (int32_t err = drawtarget_require_display(d)) return err;
  if (rq.type == OBJ_SPRITE && (d->layers || layers_count(d->bgpic) > 0)) return ERR_LAYERSOFF;
  // Every place of the path, and every step along it, stays within the positions that commands
  // take; a faster speed than the longest path gets there in one step all the same.
  const int32_t speed = std::min(move_speed_pixels(rq.speed), 2 * kPositionLimit);
  if (speed < 0) return ERR_WRONGUSAGE;
  for (int32_t v : {rq.x1, rq.y1, rq.x2, rq.y2})
    if (!position_in_range(v)) return ERR_WRONGUSAGE;
  m->L = L;
  m->type = rq.type;
  int32_t width = 0, height = 0;
  double anchor_x = 0.0, anchor_y = 0.0;
  switch (rq.type) {
    case OBJ_BRUSH: {
      if (int32_t err = brush_find(id, BRUSHFIND_NOVECTOR, &m->brush)) return err;
      ++m->brush->locked;
      m->bitmap = m->brush->bitmap, m->mask = m->brush->mask, m->alpha = m->brush->alpha;
      width = m->brush->width;
      height = m->brush->height;
      break;
    }
    case OBJ_SPRITE: {
      if (int32_t err = sprite_find(id, 0, &m->sprite)) return err;
      ++m->sprite->lock;
      width = m->sprite->width;
      height = m->sprite->height;
      m->frame_count = m->sprite->frame_count;
      const SpriteEntry* e = sprite_entry_of(d->bgpic, m->sprite);
      m->frame = e ? e->frame - 1 : 0;
      m->delay_ms = anim_delay_ms(rq.anim_speed);
      break;
    }
    case OBJ_LAYER: {
      if (!d->layers) return ERR_NOLAYERS;
      qmLayer* layer = layer_at_index(d->bgpic, layer_position);
      if (!layer) return ERR_LAYERRANGE;
      m->pic = d->bgpic;
      m->layer_position = layer_position;
      width = layer->content->content_w;
      height = layer->content->content_h;
      anchor_x = layer->transform.anchor_x;
      anchor_y = layer->transform.anchor_y;
      if (rq.x1 == kKeepCoordinate) rq.x1 = layer->content->pos_x;
      if (rq.x2 == kKeepCoordinate) rq.x2 = layer->content->pos_x;
      if (rq.y1 == kKeepCoordinate) rq.y1 = layer->content->pos_y;
      if (rq.y2 == kKeepCoordinate) rq.y2 = layer->content->pos_y;
      break;
    }
    case OBJ_ANIM: {
      AnimFrameSlots f;
      if (int32_t err = anim_hooks().frame(L, id, 0, &f)) return err;
      if (!anim_frame_held(f)) return ERR_ANIMFRAME;
      m->anim = f.anim;
      m->anim_id = id;
      anim_hooks().lock(m->anim, 1);
      m->bitmap = *f.bitmap, m->mask = *f.mask, m->alpha = *f.alpha;
      width = f.width;
      height = f.height;
      m->frame_count = f.count;
      m->delay_ms = anim_delay_ms(rq.anim_speed);
      break;
    }
    // Text objects move once their library exists; until then none can be found.
    default:
      if (id.handle) return ERR_FINDARRAY;
      err_set_number_arg(id.number);
      return ERR_FINDTEXTOBJECT;
  }
  rq.x1 = coord_resolve_special_x(rq.x1, width, 0, anchor_x);
  rq.x2 = coord_resolve_special_x(rq.x2, width, 0, anchor_x);
  rq.y1 = coord_resolve_special_y(rq.y1, height, 0, anchor_y);
  rq.y2 = coord_resolve_special_y(rq.y2, height, 0, anchor_y);
  if (!move_path_start(m->path, rq.x1, rq.y1, rq.x2, rq.y2, width, height, speed, rq.curve, d->bgpic->height))
    return 0;
  m->prev_x = rq.x1;
  m->prev_y = rq.y1;
  // Shown at the start.
  if (m->sprite) {
    if (int32_t err = sprite_show(L, m->sprite, rq.x1, rq.y1, m->frame + 1)) return err;
  } else if (d->layers) {
    if (m->brush)
      if (int32_t err = drive_brush_layer(m, d, rq)) return err;
    if (m->anim) {
      // The anim as a new top layer at the start, which each step moves and turns to its frame.
      ImageLayerRequest request;
      request.type = OBJ_ANIM;
      request.id = m->anim_id;
      request.dest_x = rq.x1, request.dest_y = rq.y1;
      if (int32_t err = anim_hooks().insert_layer(L, request)) return err;
      m->pic = d->bgpic;
      m->layer_position = layers_count(d->bgpic);
    }
    if (qmLayer* layer = driven_layer(m)) layer_set_position(L, layer, rq.x1, rq.y1, false, 0, nullptr);
  } else {
    if (int32_t err = move_snapshot_display(m)) return err;
  }
  m->next_change_ms = platform_now_ms() + m->delay_ms;
  return 0;
}

// The command's arguments: exactly six with a table as the sixth reads its fields, else the
// speed, for anims and sprites the anim speed, and the curve follow in place.
MoveRequest read_request(qmState* L, int32_t type) {
  MoveRequest rq;
  rq.type = type;
  rq.x1 = to_i32(vm_arg_check_number(L, 2));
  rq.y1 = to_i32(vm_arg_check_number(L, 3));
  rq.x2 = to_i32(vm_arg_check_number(L, 4));
  rq.y2 = to_i32(vm_arg_check_number(L, 5));
  const bool frames = type == OBJ_ANIM || type == OBJ_SPRITE;
  const int32_t argc = vm_get_top(L);
  if (argc == 6 && vm_type(L, 6) == QM_TTABLE) {
    opt_get_int(L, 6, "fx", &rq.curve, nullptr);
    opt_get_int(L, 6, "speed", &rq.speed, nullptr);
    opt_get_int(L, 6, "animspeed", &rq.anim_speed, nullptr);
    rq.async = table_flag(L, 6, "async");
    return rq;
  }
  rq.speed = to_i32(vm_arg_opt_number(L, 6, SPEED_NORMAL));
  if (frames) {
    rq.anim_speed = to_i32(vm_arg_opt_number(L, 7, SPEED_NORMAL));
    rq.curve = to_i32(vm_arg_opt_number(L, 8, 0));
  } else {
    rq.curve = to_i32(vm_arg_opt_number(L, 7, 0));
  }
  return rq;
}

int32_t run_command(qmState* L, const MoveRequest& rq, const ObjectId& id, int32_t layer_position) {
  auto* m = new (std::nothrow) qmMove();
  if (!m) return ERR_MEM;
  if (int32_t err = moveobject_run(L, m, rq, id, layer_position)) {
    move_free(m);
    return err;
  }
  if (m->path.finished) {
    move_free(m);
    return 0;
  }
  if (rq.async) {
    qmAsyncDraw* a = nullptr;
    if (int32_t err = asyncdraw_new(ADF_MOVEOBJECT, move_step, nullptr, move_free_async, move_notify, m, &a)) {
      move_free(m);
      return err;
    }
    vm_push_lightuserdata(L, a);
    return 1;
  }
  int32_t err = 0;
  for (int32_t finished = 0; !finished;) {
    if (platform_pump_events(L)) {
      err = ERR_USERABORT;
      break;
    }
    qmDisplay* d = display_current();
    const qmBitmap* picture = d && d->bgpic ? d->bgpic->current.bitmap : nullptr;
    if (m->clean && picture && (picture->width != m->clean->width || picture->height != m->clean->height))
      if ((err = move_snapshot_display(m))) break;
    if ((err = move_step(m, &finished))) break;
    display_wait_refresh(L);
  }
  move_free(m);
  return err;
}

int32_t move_command(qmState* L, int32_t type) {
  const bool frames = type == OBJ_ANIM || type == OBJ_SPRITE;
  arg_check_count(L, 5, frames ? 8 : 7);
  const ObjectId id = arg_get_id(L, 1);
  return run_command(L, read_request(L, type), id, 0);
}

int32_t cmd_movebrush(qmState* L) { return move_command(L, OBJ_BRUSH); }
int32_t cmd_moveanim(qmState* L) { return move_command(L, OBJ_ANIM); }
int32_t cmd_movetextobject(qmState* L) { return move_command(L, OBJ_TEXTOBJECT); }
int32_t cmd_movesprite(qmState* L) { return move_command(L, OBJ_SPRITE); }

int32_t cmd_movelayer(qmState* L) {
  arg_check_count(L, 5, 7);
  int32_t position = 0;
  qmDisplay* d = display_current();
  if (int32_t err = layer_arg_index(L, d ? d->bgpic : nullptr, 1, &position)) return err;
  return run_command(L, read_request(L, OBJ_LAYER), ObjectId{}, position);
}

const qmCommand kMoveCommands[] = {
    {"MoveBrush", cmd_movebrush}, {"MoveAnim", cmd_moveanim},     {"MoveTextObject", cmd_movetextobject},
    {"MoveLayer", cmd_movelayer}, {"MoveSprite", cmd_movesprite}, {nullptr, nullptr},
};

const qmConstant kMoveConstants[] = {
    {"BOUNCE", nullptr, CURVE_BOUNCE},         {"SMOOTHOUT", nullptr, CURVE_SMOOTHOUT},
    {"DAMPED", nullptr, CURVE_DAMPED},         {"SINE", nullptr, CURVE_SINE},
    {"BIGSINE", nullptr, CURVE_BIGSINE},       {"LOWERCURVE", nullptr, CURVE_LOWERCURVE},
    {"UPPERCURVE", nullptr, CURVE_UPPERCURVE}, {nullptr, nullptr, 0},
};

}  // namespace

int32_t move_embedded_start(const MoveSpec& spec, qmMove** out) {
  qmMove* previous = *out;
  *out = nullptr;
  auto* m = new (std::nothrow) qmMove();
  if (m && previous) {
    m->clean = std::exchange(previous->clean, nullptr);
    m->work = std::exchange(previous->work, nullptr);
  }
  move_embedded_free(previous);
  if (!m) return ERR_MEM;
  qmDisplay* d = display_current();
  const int32_t speed = std::min(move_speed_pixels(spec.speed), 2 * kPositionLimit);
  if (!d || !d->bgpic || speed < 0 || (!spec.layer && !spec.bitmap)) {
    move_free(m);
    return !d || !d->bgpic ? ERR_CLOSEDDISPDRAW : ERR_WRONGUSAGE;
  }
  m->L = spec.L;
  m->quiet = spec.quiet;
  double anchor_x = 0.0, anchor_y = 0.0;
  if (spec.layer) {
    m->type = OBJ_LAYER;
    m->pic = d->bgpic;
    m->layer_position = layer_index_of(d->bgpic, spec.layer);
    anchor_x = spec.layer->transform.anchor_x;
    anchor_y = spec.layer->transform.anchor_y;
    if (m->layer_position < 1) {
      move_free(m);
      return ERR_LAYERRANGE;
    }
  } else {
    m->type = OBJ_NOOBJECT;
    m->bitmap = spec.bitmap, m->mask = spec.mask, m->alpha = spec.alpha;
  }
  int32_t x1 = coord_resolve_special_x(spec.x1, spec.width, 0, anchor_x);
  int32_t y1 = coord_resolve_special_y(spec.y1, spec.height, 0, anchor_y);
  const int32_t x2 = coord_resolve_special_x(spec.x2, spec.width, 0, anchor_x);
  const int32_t y2 = coord_resolve_special_y(spec.y2, spec.height, 0, anchor_y);
  // An effect always moves: from the end itself it comes from a little up and left.
  if (x1 == x2 && y1 == y2) x1 = x2 - 10, y1 = y2 - 10;
  move_path_start(m->path, x1, y1, x2, y2, spec.width, spec.height, speed, spec.curve, d->bgpic->height);
  m->prev_x = x1, m->prev_y = y1;
  if (spec.layer) {
    layer_set_position(m->L, spec.layer, x1, y1, false, 0, nullptr);
  } else if (int32_t err = move_snapshot_display(m)) {
    move_free(m);
    return err;
  }
  *out = m;
  return 0;
}

int32_t move_embedded_steps(const qmMove* m) {
  if (!m) return 1;
  MovePath path = m->path;
  int32_t steps = 0;
  while (!path.finished && steps < INT32_MAX) {
    move_path_step(path);
    ++steps;
  }
  return std::max(steps, 1);
}

int32_t move_embedded_step(qmMove* m, int32_t* done) {
  if (!m || m->path.finished) {
    *done = 1;
    return 0;
  }
  return move_step(m, done);
}

void move_embedded_quiet(qmMove* m, bool quiet) {
  if (m) m->quiet = quiet;
}

void move_embedded_free(qmMove* m) {
  if (m) move_free(m);
}

int32_t moveobject_init(qmState* L) {
  return picture_library_open(L, kMoveCommands, kMoveConstants, "moveobject", nullptr);
}

}  // namespace qm
