// Number helpers of the pixel effects: the table-driven integer square root, RGB to hue,
// saturation and lightness, the Gaussian window-width rules, and the sine, cosine and distance
// tables of the water ripple and swirl effects.
#pragma once

#include <cstdint>

namespace qm {

// floor(sqrt(n)) for n >= 0, -1 for n < 0.
int32_t isqrt(int32_t n);

// All three results in 0..1; red wins a tie for the maximum, then green.
void rgb_to_hsl(uint8_t red, uint8_t green, uint8_t blue, double* hue, double* saturation,
                double* lightness);

// Odd window widths for a Gaussian of the given radius (used when > 0) or sigma. A sigma of
// magnitude at most 1e-10 gives 1; a huge or non-finite sigma is capped at kMaxWindowWidth.
inline constexpr int32_t kMaxWindowWidth = 255;
int32_t window_width_2d(double radius, double sigma);
int32_t window_width_1d(double radius, double sigma);

inline constexpr int32_t kEffectTableSize = 6300;  // sin/cos of 0, 0.001, ... 6.299

struct qmRipple {
  int32_t* distances;  // width x height, row by row
  double* sines;       // kEffectTableSize entries
  double wave_length;
  double amplitude;
  int32_t width;
  int32_t height;
  int32_t centre_x;
  int32_t centre_y;
  const int32_t* cursor;  // next distance for ripple_point
  int32_t radius;
  int32_t result_x;
  int32_t result_y;
};
// Fills the sine table and the distance table; sets the cursor to the first distance.
void ripple_setup(qmRipple& r);
// Source position of target pixel (x, y) at the given phase, limited to the image; takes the next
// distance from the cursor.
void ripple_point(double phase, int32_t x, int32_t y, qmRipple& r);
// Its two halves: the displacement factor of a pixel at distance d (the same for every pixel
// there, so a frame can take it from a table), and the move of (x, y) by it into the result.
double ripple_factor(double phase, int32_t d, const qmRipple& r);
void ripple_move(double k, int32_t x, int32_t y, qmRipple& r);
void swirl_setup(double* sines, double* cosines);

// The per-frame pixel routines of the transitions: the brush swirl and water ripple drawn from a
// source into another target, once a frame, with the source's alpha plane moved along with its
// pixels when both planes are given. Pixel words are copied as they are (any 32-bit format).
struct qmSwirl {
  const uint32_t* source;
  int32_t source_ppr;
  uint32_t* target;
  int32_t target_ppr;
  const uint8_t* source_alpha;  // or nullptr
  int32_t source_alpha_bpr;
  uint8_t* target_alpha;  // or nullptr
  int32_t target_alpha_bpr;
  int32_t width;
  int32_t height;
  const double* sines;  // swirl_setup's tables
  const double* cosines;
};
// The swirl at a turn of angle degrees. Turns of any size read the tables at the turn modulo a
// whole circle (a negative angle computes its sines directly).
void swirl_render(const qmSwirl& s, double angle);
// Tests: the per-pixel loop even where the vector loop could run.
void swirl_force_scalar(bool on);

struct qmRippleRender {
  qmRipple ripple;  // distances and sines filled by ripple_setup, the wave length and the centre
  const uint32_t* source;
  int32_t source_ppr;
  uint32_t* target;
  int32_t target_ppr;
  const uint8_t* source_alpha;  // or nullptr
  int32_t source_alpha_bpr;
  uint8_t* target_alpha;  // or nullptr
  int32_t target_alpha_bpr;
  double damping;    // of the amplitude, per frame
  int32_t duration;  // D: the water is still from frame 2D on
};
// The ripple's curve over the frames t = 0 .. 2D: the amplitude starts at 1, falls by the damping
// a frame and reaches 0 at t = 2D; the phase moves the waves outwards as t grows.
double ripple_amplitude(int32_t t, int32_t duration, double damping);
double ripple_phase(int32_t t);
// The source rippled for frame t into the target.
void ripple_render(qmRippleRender& r, int32_t t);
// Tests: the per-pixel loop even where the vector loop could run.
void ripple_force_scalar(bool on);

}  // namespace qm
