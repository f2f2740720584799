// Colour ramps and the gradient renderer: linear, radial and conical fills of a rectangle.
#pragma once

#include <cstdint>

namespace qm {

// A ramp stop: 16.16 position (65536 = end of the ramp), channels as 16-bit values (8-bit x 257).
struct qmRampStop {
  int32_t position;
  uint16_t red;
  uint16_t green;
  uint16_t blue;
  uint16_t reserved;
};

enum : int32_t { RAMP_REPEAT = 1, RAMP_PAD = 2, RAMP_REFLECT = 3 };

// The segment of a ramp that the renderer keeps between pixels.
struct qmRampSegment {
  uint32_t green0;  // 8-bit
  uint32_t rb0;     // red << 16 | blue
  uint32_t green1;
  uint32_t rb1;
  int32_t start;  // 16.16
  int32_t end;
  int32_t reciprocal;  // 2^24 / (end - start), rounded; 0 for a one-colour or empty segment
  const qmRampStop* stops;
  int32_t count;
  int32_t spread;
  int32_t stale;
};

// Locates the segment holding position p under the segment's spread mode.
void ramp_find_segment(qmRampSegment& seg, int32_t p);
// Colour 0x00RRGGBB at position p; refreshes the segment when p leaves it.
uint32_t ramp_color(qmRampSegment& seg, int32_t p);

enum : int32_t { GRADIENT_LINEAR = 2, GRADIENT_RADIAL = 3, GRADIENT_CONICAL = 4 };

struct qmGradientStop {
  uint32_t colour;  // 0xRRGGBB
  double position;  // 0 to 1
};

struct qmGradient {
  int32_t type;
  uint32_t start_colour;
  uint32_t end_colour;
  int32_t stop_count;  // 0: start and end colours
  int32_t angle;       // degrees
  qmGradientStop stops[64];
  double centre_x;  // fractions of the rectangle, default 0.5
  double centre_y;
  double balance;  // default 0.5
  double border;   // default 0
};

struct qmGradientRequest {
  uint32_t* pixels;
  int32_t bytes_per_pixel;
  int32_t format;
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
  int32_t ppr;
  const qmGradient* gradient;
};

// Fills the rectangle; nothing unless 4 bytes per pixel, a format of 10 to 13 and a height of
// at least 1.
void gradient_render(const qmGradientRequest& request);

}  // namespace qm
