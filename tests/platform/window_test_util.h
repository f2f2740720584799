// What the window tests share: a display record of their own (the platform's fields and nothing
// else) and a picture whose every pixel is unique.
#pragma once

#include <gtest/gtest.h>

#include "../gfx/gfx_test_util.h"
#include "platform/platform.h"

namespace qm::test {

struct Display : qmDisplayWindow {
  Display(int32_t x_, int32_t y_, int32_t w, int32_t h, uint32_t flags_ = 0) {
    x = x_;
    y = y_;
    width = w;
    height = h;
    flags = flags_;
    EXPECT_EQ(platform_display_alloc(nullptr, this), 0);
  }
  ~Display() { platform_display_free(this); }
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;
  // Opens as the display library does: frame widths measured first, state open on success.
  int32_t open(int32_t activate = 1, const qmMask* mask = nullptr,
               const qmAlphaChannel* alpha = nullptr) {
    platform_window_frame_size(this);
    int32_t err = platform_window_open(this, activate, mask, alpha);
    if (err == 0) state = DISPSTATE_OPEN;
    return err;
  }
  void close() {
    platform_window_close(this);
    state = DISPSTATE_CLOSED;
  }
  SDL_Window* window() const { return platform->window; }
  uint32_t at(int32_t px, int32_t py) const {
    return platform->screen.pixels[size_t(py) * platform->screen.width + px];
  }
};

// Pixel (x, y) of a pattern shows tag(x, y), as 0xRRGGBB.
inline int64_t tag(int32_t x, int32_t y) {
  return int64_t(x + 1) << 16 | int64_t(y + 1) << 8 | 0x5A;
}

inline BitmapPtr pattern(int32_t w, int32_t h) {
  BitmapPtr b(qmos_alloc_bitmap(w, h));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) qmos_write_pixel(b.get(), x, y, uint32_t(tag(x, y)));
  return b;
}

}  // namespace qm::test
