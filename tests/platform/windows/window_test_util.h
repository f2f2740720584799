// What the window tests share: a display record of their own (the platform's fields and nothing
// else) and what a window shows of a tagged picture.
#pragma once

#include <gtest/gtest.h>

#include "../../gfx/gfx_test_util.h"
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
    return platform->screen.row(py)[px];
  }
};

// What a window shows of make_tagged's pixel (x, y): its 0x00RRGGBB screen word (as an int64_t,
// so that tests can use -1 for "nothing drawn").
inline int64_t shown(int32_t x, int32_t y) { return __builtin_bswap32(tag(x, y)) & 0xFFFFFF; }

}  // namespace qm::test
