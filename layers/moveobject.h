// Moving objects: a brush, an anim, a text object, a sprite or a layer travels from one point to
// another along a straight line, with an optional movement curve, and with the frames playing
// for anims and sprites. A move runs to its end inside the command, or step by step as an
// asynchronous draw object. The path itself (MovePath) knows nothing of what is drawn, so the
// trajectories can be stepped and checked on their own.
#pragma once

#include <cstdint>

#include "runtime/registry.h"

struct qmState;

namespace qm {

struct qmBitmap;
struct qmMask;
struct qmAlphaChannel;
struct qmLayer;

enum : int32_t {
  CURVE_NONE = 0, CURVE_BOUNCE = 1, CURVE_SMOOTHOUT = 2, CURVE_DAMPED = 3, CURVE_SINE = 4, CURVE_BIGSINE = 5,
  CURVE_LOWERCURVE = 6, CURVE_UPPERCURVE = 7,
};
enum : int32_t { SPEED_NORMAL = -1, SPEED_FAST = -2, SPEED_SLOW = -3, SPEED_DEFAULT = -4 };
inline constexpr int32_t kSineEntries = 79;

struct MovePath {
  int32_t curve = CURVE_NONE;
  int32_t x = 0, y = 0;    // current
  int32_t x1 = 0, y1 = 0;  // start
  int32_t x2 = 0, y2 = 0;  // end
  int32_t width = 0, height = 0;  // of the object
  int32_t speed_x = 0, speed_y = 0, base_speed = 0;
  int32_t speed = 0;  // of the bounce and overshoot phases
  int32_t phase = 0;  // 0 the line, 1 to 8 bounce and overshoot, 9 the last step of a sine
  int32_t direction = 0;  // 0 up, 1 up-right, 2 right, ... 7 up-left
  int32_t decel_distance_x = 0, decel_distance_y = 0, decel_step_x = 1, decel_step_y = 1;
  int32_t remainder = 0, remainder_count = 0;
  bool minor_x = false;  // the axis that takes the remainder pixels
  double sine[kSineEntries] = {};
  int32_t sine_index = 0, sine_step = 1;
  double arc_factor = 0.0;
  int32_t arc_distance = 0;
  bool finished = false;
};

// Pixels per step of a speed argument (FASTSPEED 15, NORMALSPEED 10, SLOWSPEED 5, n > 0 itself),
// or -1 for any other value below 1.
int32_t move_speed_pixels(int32_t speed);
// Sets the path up from (x1, y1) to (x2, y2) for an object of width x height; output_height is
// what BIGSINE swings by half of. False when start and end are equal (nothing to move).
bool move_path_start(MovePath& p, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width, int32_t height,
                     int32_t speed, int32_t curve, int32_t output_height);
// One step of the path; p.finished once it is at its end.
void move_path_step(MovePath& p);

// The library: MoveBrush, MoveAnim, MoveTextObject, MoveLayer, MoveSprite and the curve constants.
int32_t moveobject_init(qmState* L);

// ---- embedded moves ------------------------------------------------------------------------------
// A move that another effect drives one step a frame (the transitions' SCROLL): a picture drawn
// directly over what the display shows when the move starts (its clean background), or a layer.
// No output check is made; start and end may be the out positions; equal points start 10 pixels
// up and left of the end.
struct qmMove;
struct MoveSpec {
  qmState* L = nullptr;
  const qmBitmap* bitmap = nullptr;  // a picture drawn directly, with its planes
  const qmMask* mask = nullptr;
  const qmAlphaChannel* alpha = nullptr;
  qmLayer* layer = nullptr;  // or a layer, moved itself
  int32_t width = 0, height = 0;
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int32_t speed = SPEED_NORMAL;  // a speed code or pixels per step
  int32_t curve = CURVE_NONE;
  bool quiet = false;  // direct drawing reaches the display's picture without presenting
};
// Prepares the move (a layer stands at the start afterwards). A move already in *out (a replay from
// the start) is ended first, and the new one draws in its save bitmaps. 0 or an error; *out is
// nullptr on an error.
int32_t move_embedded_start(const MoveSpec& spec, qmMove** out);
// The steps the whole move takes, counted on a copy of its path.
int32_t move_embedded_steps(const qmMove* m);
// One step: *done once the move has arrived.
int32_t move_embedded_step(qmMove* m, int32_t* done);
void move_embedded_quiet(qmMove* m, bool quiet);
// Ends the move where it stands; nullptr does nothing.
void move_embedded_free(qmMove* m);

}  // namespace qm
