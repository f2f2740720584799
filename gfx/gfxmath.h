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
void swirl_setup(double* sines, double* cosines);

}  // namespace qm
