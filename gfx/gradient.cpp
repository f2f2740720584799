// Colour ramps and gradients. Ramp positions are 16.16 fixed point; a pixel's colour comes from
// the segment around its position with a weight of 0 to 256 taken from the segment's reciprocal,
// so no pixel needs a division. The two-colour linear gradient is all integer.
#include "gfx/gradient.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "engine/numconv.h"
#include "gfx/pixelformat.h"

namespace qm {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;

int32_t clamp32(int64_t v) {
  return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : int32_t(v);
}

// A ramp position from a double: NaN gives 0, values beyond int32 saturate (a far pixel of a
// tiny radius still gets the last colour).
int32_t position_of(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return int32_t(v);
}

}  // namespace

void ramp_find_segment(qmRampSegment& seg, int32_t p) {
  const qmRampStop* s = seg.stops;
  const int32_t n = seg.count;
  seg.stale = 0;
  if (n < 1 || !s) {
    seg.green0 = seg.green1 = seg.rb0 = seg.rb1 = 0;
    seg.start = INT32_MIN;
    seg.end = INT32_MAX;
    seg.reciprocal = 0;
    return;
  }
  int64_t q = p, shift = 0;
  bool mirrored = false;
  if (seg.spread == RAMP_REFLECT) {
    q = p & 0xFFFF;
    if (p & 0x10000) {
      q = 65536 - q;
      mirrored = true;
    }
    shift = int64_t(p) - (p & 0xFFFF);
  } else if (seg.spread == RAMP_REPEAT) {
    q = p & 0xFFFF;
    shift = int64_t(p) - q;
  }
  const qmRampStop* c0 = nullptr;  // nullptr: black
  const qmRampStop* c1 = nullptr;
  int64_t start, end;
  const qmRampStop& first = s[0];
  const qmRampStop& last = s[n - 1];
  int32_t i = 1;
  while (i < n && s[i].position <= q) ++i;
  if (q < first.position) {
    switch (seg.spread) {
      case RAMP_PAD: start = INT32_MIN, end = first.position, c0 = c1 = &first; break;
      case RAMP_REFLECT: start = -int64_t(first.position), end = first.position, c0 = c1 = &first; break;
      case RAMP_REPEAT:
        start = int64_t(last.position) - 65536, end = first.position, c0 = &last, c1 = &first;
        break;
      default: start = INT32_MIN, end = first.position; break;
    }
  } else if (i >= n) {
    switch (seg.spread) {
      case RAMP_PAD: start = last.position, end = INT32_MAX, c0 = c1 = &last; break;
      case RAMP_REFLECT: start = last.position, end = 131072 - int64_t(last.position), c0 = c1 = &last; break;
      case RAMP_REPEAT:
        start = last.position, end = int64_t(first.position) + 65536, c0 = &last, c1 = &first;
        break;
      default: start = last.position, end = INT32_MAX; break;
    }
  } else {
    start = s[i - 1].position, end = s[i].position, c0 = &s[i - 1], c1 = &s[i];
  }
  if (mirrored) {
    const int64_t a = 65536 - end, b = 65536 - start;
    start = a, end = b;
    std::swap(c0, c1);
  }
  start += shift;
  end += shift;
  seg.start = clamp32(start);
  seg.end = clamp32(end);
  auto green = [](const qmRampStop* c) { return c ? uint32_t(c->green >> 8) : 0u; };
  auto rb = [](const qmRampStop* c) {
    return c ? uint32_t(c->red >> 8) << 16 | uint32_t(c->blue >> 8) : 0u;
  };
  seg.green0 = green(c0);
  seg.rb0 = rb(c0);
  seg.green1 = green(c1);
  seg.rb1 = rb(c1);
  const int64_t span = int64_t(seg.end) - seg.start;
  const bool differ = seg.green0 != seg.green1 || seg.rb0 != seg.rb1;
  seg.reciprocal = span != 0 && differ ? int32_t((span / 2 + 16777216) / span) : 0;
}

uint32_t ramp_color(qmRampSegment& seg, int32_t p) {
  if (seg.stale || p < seg.start || p >= seg.end) ramp_find_segment(seg, p);
  int64_t w = ((int64_t(p) - seg.start) * seg.reciprocal) >> 16;
  if (w < 0) w = 0;
  if (w > 256) w = 256;
  const uint32_t wi = uint32_t(w), wo = 256 - wi;
  return (((wo * seg.rb0 + wi * seg.rb1) >> 8) & 0xFF00FF) | ((wo * seg.green0 + wi * seg.green1) & 0xFF00);
}

namespace {

template <typename F>
inline uint32_t pack_rgb(uint32_t rgb) {
  return F::pack(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

// Two colours, linear: the ramp position of a pixel is the integer k = N / D stepping across
// each row, and each channel is start + (end - start) k / H. All products run in 64 bits, so a
// rectangle of several thousand pixels each way keeps its colours.
template <typename F>
void linear_two_colours(const qmGradientRequest& r) {
  const qmGradient& g = *r.gradient;
  const int64_t W = r.width, H = r.height;
  int32_t a = g.angle % 360;
  if (a < 0) a += 360;
  const double t = a * kPi / 180.0;
  const int64_t K = to_i32(std::cos(t) * -255.0);
  const int64_t S = to_i32(std::sin(t) * 255.0);
  const bool back_half = a >= 91 && a <= 270;
  const int64_t V = ((a >= 91 && a <= 180) || (a >= 271 && a <= 359)) ? -H : H;
  const int64_t Q = back_half ? H : 0;
  int64_t R = back_half ? H : 0;
  const int64_t row_step = back_half ? -1 : 1;
  const int64_t G = back_half ? -1 : 1;
  const int64_t N0 = Q * W * S;
  const int64_t D = W * S - K * V;
  const int64_t E = G * S * V;
  const int64_t Fr = V * K;
  const int64_t r0 = (g.start_colour >> 16) & 0xFF, g0 = (g.start_colour >> 8) & 0xFF,
                b0 = g.start_colour & 0xFF;
  const int64_t dr = int64_t((g.end_colour >> 16) & 0xFF) - r0,
                dg = int64_t((g.end_colour >> 8) & 0xFF) - g0,
                db = int64_t(g.end_colour & 0xFF) - b0;
  auto colour = [&](int64_t k) { return F::pack(int(r0 + dr * k / H), int(g0 + dg * k / H), int(b0 + db * k / H)); };
  // The colours of the ramp indices 0..H, worked out once; other indices are computed as met.
  std::vector<uint32_t> table(size_t(H) + 1);
  for (int64_t k = 0; k <= H; ++k) table[size_t(k)] = colour(k);
  auto at = [&](int64_t k) { return k >= 0 && k <= H ? table[size_t(k)] : colour(k); };
  // k = N / D truncated, with N growing by E along a row. With the divisor made positive the
  // quotient is carried from pixel to pixel as a floored quotient and remainder, and turned into
  // the truncated one where N is negative: no division per pixel.
  int64_t d = D, e = E, n0 = N0, fr = Fr;
  if (d < 0) d = -d, e = -e, n0 = -n0, fr = -fr;
  auto floor_div = [](int64_t a, int64_t b, int64_t* q, int64_t* rem) {
    *q = a / b;
    *rem = a % b;
    if (*rem < 0) *rem += b, --*q;
  };
  int64_t qe = 0, re = 0;
  if (d != 0) floor_div(e, d, &qe, &re);
  for (int32_t y = 0; y < r.height; ++y, R += row_step) {
    uint32_t* px = r.pixels + ptrdiff_t(r.y + y) * r.ppr + r.x;
    int64_t n = n0 - R * fr;
    if (d == 0 || e == 0) {
      std::fill(px, px + r.width, at(d != 0 ? n / d : 0));
      continue;
    }
    int64_t q, rem;
    floor_div(n, d, &q, &rem);
    for (int32_t x = 0; x < r.width; ++x) {
      px[x] = at(n >= 0 || rem == 0 ? q : q + 1);
      n += e;
      q += qe;
      rem += re;
      if (rem >= d) rem -= d, ++q;
    }
  }
}

int32_t build_ramp(const qmGradient& g, qmRampStop* ramp) {
  auto stop = [](uint32_t colour, int32_t position) {
    qmRampStop s{};
    s.position = position;
    s.red = uint16_t(((colour >> 16) & 0xFF) * 257);
    s.green = uint16_t(((colour >> 8) & 0xFF) * 257);
    s.blue = uint16_t((colour & 0xFF) * 257);
    return s;
  };
  if (g.stop_count > 0) {
    const int32_t n = std::min(g.stop_count, 64);
    for (int32_t i = 0; i < n; ++i)
      ramp[i] = stop(g.stops[i].colour, position_of(g.stops[i].position * 65536.0));
    return n;
  }
  if (g.type == GRADIENT_CONICAL) {
    ramp[0] = stop(g.end_colour, 0);
    ramp[1] = stop(g.start_colour, position_of(g.balance * 65536.0));
    ramp[2] = stop(g.end_colour, 65536);
    return 3;
  }
  ramp[0] = stop(g.start_colour, 0);
  ramp[1] = stop(g.end_colour, 65536);
  return 2;
}

// The packed colours of the ramp positions 0..65536 (the whole ramp), worked out once when the
// picture has enough pixels to pay for it; other positions, and small pictures, ask the ramp.
template <typename F>
struct RampTable {
  qmRampSegment& seg;
  std::vector<uint32_t> lut;
  RampTable(qmRampSegment& s, int64_t pixels) : seg(s) {
    if (pixels < 2 * 65537) return;
    lut.resize(65537);
    for (int32_t p = 0; p <= 65536; ++p) lut[size_t(p)] = pack_rgb<F>(ramp_color(seg, p));
  }
  uint32_t at(int32_t p) {
    if (p >= 0 && p <= 65536 && !lut.empty()) return lut[size_t(p)];
    return pack_rgb<F>(ramp_color(seg, p));
  }
};

// fmod(v, 2 pi) without the division where v lies in [0, 4 pi): there the subtraction is exact
// (Sterbenz), so the result is the same to the last bit.
inline double wrap_turn(double v) {
  if (v >= 0.0 && v < kTwoPi) return v;
  if (v >= kTwoPi && v < 2.0 * kTwoPi) return v - kTwoPi;
  return std::fmod(v, kTwoPi);
}

template <typename F>
void general(const qmGradientRequest& r) {
  const qmGradient& g = *r.gradient;
  qmRampStop ramp[64];
  qmRampSegment seg{};
  seg.stops = ramp;
  seg.count = build_ramp(g, ramp);
  seg.spread = g.type == GRADIENT_CONICAL ? RAMP_REFLECT : RAMP_PAD;
  seg.stale = 1;
  const int32_t W = r.width, H = r.height;
  auto row_of = [&](int32_t y) { return r.pixels + ptrdiff_t(r.y + y) * r.ppr + r.x; };

  if (g.type == GRADIENT_RADIAL || g.type == GRADIENT_CONICAL) {
    RampTable<F> colours(seg, int64_t(W) * H);
    const double cx = double(position_of(W * g.centre_x * 65536.0)) / 65536.0;
    const double cy = double(position_of(H * g.centre_y * 65536.0)) / 65536.0;
    if (g.type == GRADIENT_RADIAL) {
      const double k = g.border == 1.0 ? 0.010000000000000009 : 1.0 - g.border;
      const double reach = std::max(std::fabs(0.5 - g.centre_x), std::fabs(0.5 - g.centre_y)) + 0.5;
      int64_t radius = position_of(reach * std::sqrt(double(W) * W + double(H) * H) * k * 65536.0);
      // Below one unit (or negative, or not a number) the radius is one unit.
      if (radius < 65536) radius = 65536;
      const double scale = 65536.0 * 65536.0 / double(radius);
      for (int32_t y = 0; y < H; ++y) {
        uint32_t* d = row_of(y);
        const double dy = y + 0.5 - cy;
        for (int32_t x = 0; x < W; ++x) {
          const double dx = x + 0.5 - cx;
          d[x] = colours.at(position_of(std::sqrt(dx * dx + dy * dy) * scale));
        }
      }
      return;
    }
    const double turn = g.angle * kPi / 180.0;
    for (int32_t y = 0; y < H; ++y) {
      uint32_t* d = row_of(y);
      const double dy = y + 0.5 - cy;
      for (int32_t x = 0; x < W; ++x) {
        const double dx = x + 0.5 - cx;
        const double angle = wrap_turn(std::atan2(dy, dx) + kTwoPi + turn);
        d[x] = colours.at(position_of((angle / -kTwoPi + 1.0) * 65536.0));
      }
    }
    return;
  }

  // Linear with stops: the axis from the top-left to the bottom-left corner, turned about the
  // integer centre; a pixel's position is the projection of its centre onto that axis.
  double x0 = 0, y0 = 0, x1 = 0, y1 = H - 1;
  if (g.angle != 0) {
    int32_t a = g.angle % 360;
    if (a < 0) a += 360;
    const double b = (360 - a) * kPi / 180.0;
    const double cb = std::cos(b), sb = std::sin(b);
    const double cx = to_i32(W * 0.5), cy = to_i32(H * 0.5);
    auto turn = [&](double x, double y, double& ox, double& oy) {
      ox = to_i32(cx + cb * (x - cx) - sb * (y - cy));
      oy = to_i32(cy + sb * (x - cx) + cb * (y - cy));
    };
    turn(0, 0, x0, y0);
    turn(0, H - 1, x1, y1);
  }
  const double dx = x1 - x0, dy = y1 - y0;
  const double len2 = dx * dx + dy * dy;
  const double scale = len2 != 0.0 ? 65536.0 / len2 : 0.0;
  const double step = dx * scale;
  for (int32_t y = 0; y < H; ++y) {
    uint32_t* d = row_of(y);
    double pos = ((0.5 - x0) * dx + (y + 0.5 - y0) * dy) * scale;
    for (int32_t x = 0; x < W; ++x, pos += step) d[x] = pack_rgb<F>(ramp_color(seg, position_of(pos)));
  }
}

}  // namespace

void gradient_render(const qmGradientRequest& r) {
  if (r.bytes_per_pixel != 4 || r.height < 1 || r.width < 1 || !r.gradient) return;
  const qmGradient& g = *r.gradient;
  with_format32(r.format, [&](auto f) {
    using F = decltype(f);
    if (g.type == GRADIENT_LINEAR && g.stop_count <= 0) linear_two_colours<F>(r);
    else general<F>(r);
  });
}

}  // namespace qm
