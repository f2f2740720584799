// Gradient brushes beside pixman's gradients of the same geometry and stops: every pixel within a
// small tolerance per channel.
#include <gtest/gtest.h>

#include <pixman.h>

#include <cmath>
#include <cstdlib>

#include "tests/display/picture_harness.h"

using namespace qm;
using namespace qmtest;

namespace {

constexpr int32_t kW = 96, kH = 64;
const double kStops[] = {0xFF0000, 0.0, 0x00FF00, 0.4, 0x0000FF, 1.0};

class GradientPixman : public PictureTest {
 protected:
  // Our brush of the style with the three stops.
  const qmBitmap* ours(double style, double angle) {
    Outcome o = call_table("CreateGradientBrush", {1.0, double(kW), double(kH), style, 0.0, 0.0, angle}, [&] {
      vm_push_string(L, "colors");
      vm_new_table(L);
      for (int32_t i = 0; i < 6; ++i) set_index(i, kStops[i]);
      vm_set_table(L, -3);
    });
    EXPECT_EQ(o.code, 0);
    return brush(1)->bitmap;
  }

  // The pixman image of the gradient, rendered into x8r8g8b8 pixels.
  static std::vector<uint32_t> render(pixman_image_t* gradient) {
    std::vector<uint32_t> pixels(size_t(kW) * kH);
    pixman_image_t* dest = pixman_image_create_bits(PIXMAN_x8r8g8b8, kW, kH, pixels.data(), kW * 4);
    pixman_image_composite32(PIXMAN_OP_SRC, gradient, nullptr, dest, 0, 0, 0, 0, 0, 0, kW, kH);
    pixman_image_unref(dest);
    pixman_image_unref(gradient);
    return pixels;
  }

  static std::vector<pixman_gradient_stop_t> stops() {
    std::vector<pixman_gradient_stop_t> s;
    for (int32_t i = 0; i < 6; i += 2) {
      const uint32_t c = uint32_t(kStops[i]);
      s.push_back({pixman_double_to_fixed(kStops[i + 1]),
                   {uint16_t((c >> 16 & 0xFF) * 257), uint16_t((c >> 8 & 0xFF) * 257), uint16_t((c & 0xFF) * 257),
                    0xFFFF}});
    }
    return s;
  }

  // The largest channel difference over all pixels.
  static int32_t worst(const qmBitmap* a, const std::vector<uint32_t>& b) {
    int32_t worst = 0;
    for (int32_t y = 0; y < kH; ++y)
      for (int32_t x = 0; x < kW; ++x) {
        const uint32_t p = qmos_read_pixel(a, x, y), q = b[size_t(y) * kW + size_t(x)] & 0xFFFFFF;
        for (int32_t shift : {0, 8, 16})
          worst = std::max(worst, std::abs(int32_t(p >> shift & 0xFF) - int32_t(q >> shift & 0xFF)));
      }
    return worst;
  }
};

TEST_F(GradientPixman, Linear) {
  const qmBitmap* bm = ours(2.0, 0.0);
  const auto s = stops();
  pixman_point_fixed_t p1{0, 0}, p2{0, pixman_int_to_fixed(kH - 1)};
  pixman_image_t* g = pixman_image_create_linear_gradient(&p1, &p2, s.data(), int(s.size()));
  pixman_image_set_repeat(g, PIXMAN_REPEAT_PAD);
  EXPECT_LE(worst(bm, render(g)), 2);
}

TEST_F(GradientPixman, Radial) {
  const qmBitmap* bm = ours(3.0, 0.0);
  const auto s = stops();
  const pixman_point_fixed_t c{pixman_int_to_fixed(kW / 2), pixman_int_to_fixed(kH / 2)};
  const double radius = 0.5 * std::sqrt(double(kW) * kW + double(kH) * kH);
  pixman_image_t* g = pixman_image_create_radial_gradient(&c, &c, 0, pixman_double_to_fixed(radius), s.data(),
                                                          int(s.size()));
  pixman_image_set_repeat(g, PIXMAN_REPEAT_PAD);
  EXPECT_LE(worst(bm, render(g)), 2);
}

TEST_F(GradientPixman, Conical) {
  const qmBitmap* bm = ours(4.0, 0.0);
  const auto s = stops();
  const pixman_point_fixed_t c{pixman_int_to_fixed(kW / 2), pixman_int_to_fixed(kH / 2)};
  pixman_image_t* g = pixman_image_create_conical_gradient(&c, 0, s.data(), int(s.size()));
  EXPECT_LE(worst(bm, render(g)), 2);
}

}  // namespace
