// Real windows under Xvfb with a window manager (run by run_x11_test.sh): placement by the
// frame's corner, the screen as the X server shows it against our screen buffers, and a switched
// full-screen mode in its letterbox.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "window_test_util.h"

namespace {

using qm::test::Display;

// Serves window events as the event pump would: for ms milliseconds, or with a condition until it
// holds (at most 10 s: the machine may be busy).
void settle(int ms = 300) {
  Uint32 end = SDL_GetTicks() + Uint32(ms);
  while (!SDL_TICKS_PASSED(SDL_GetTicks(), end)) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) platform_window_handle_event(e);
    SDL_Delay(10);
  }
}

template <typename F>
bool settle_until(F done) {
  for (int i = 0; i < 1000 && !done(); ++i) settle(10);
  settle(100);
  return done();
}

std::string run(const std::string& command) {
  std::string out;
  FILE* f = popen(command.c_str(), "r");
  if (!f) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  pclose(f);
  return out;
}

int field(const std::string& text, const std::string& name) {
  size_t at = text.find(name);
  return at == std::string::npos ? -99999 : std::atoi(text.c_str() + at + name.size());
}

// The root window as rows of 0x00RRGGBB, through xwd and ImageMagick.
struct Shot {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

Shot screenshot() {
  Shot s;
  std::string ppm = run("xwd -root -silent | convert xwd:- -depth 8 ppm:-");
  // Header: "P6", width, height, maxval, each after white space or comment lines.
  size_t pos = 2;
  int values[3] = {0, 0, 0};
  for (int& v : values) {
    while (pos < ppm.size() && (std::isspace(static_cast<unsigned char>(ppm[pos])) || ppm[pos] == '#'))
      pos = ppm[pos] == '#' ? ppm.find('\n', pos) : pos + 1;
    v = std::atoi(ppm.c_str() + pos);
    while (pos < ppm.size() && std::isdigit(static_cast<unsigned char>(ppm[pos]))) ++pos;
  }
  ++pos;
  if (ppm.compare(0, 2, "P6") != 0 || values[2] != 255 ||
      ppm.size() < pos + size_t(values[0]) * values[1] * 3)
    return s;
  s.width = values[0];
  s.height = values[1];
  const unsigned char* p = reinterpret_cast<const unsigned char*>(ppm.data()) + pos;
  s.pixels.resize(size_t(s.width) * s.height);
  for (uint32_t& px : s.pixels) {
    px = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    p += 3;
  }
  return s;
}

TEST(X11Windows, FramedWindowOpensAtTheAskedPlaceAndSize) {
  Display d(100, 120, 320, 200);
  std::strcpy(d.title, "quillmere-x11-place");
  ASSERT_EQ(d.open(), 0);
  settle_until([&] { return d.platform->frame_settled != 0; });
  // The window manager framed it: the frame widths are known now and the frame's corner is where
  // the display asked.
  EXPECT_GT(d.frame_top, 0);
  EXPECT_EQ(d.frame_extra_width, d.frame_left * 2);
  auto content_at = [&](int x, int y) {
    return [&d, x, y] {
      int cx = 0, cy = 0;
      SDL_GetWindowPosition(d.window(), &cx, &cy);
      return cx == x + d.frame_left && cy == y + d.frame_top;
    };
  };
  EXPECT_TRUE(settle_until(content_at(100, 120)));
  std::string id = run("xdotool search --name quillmere-x11-place | head -1");
  ASSERT_FALSE(id.empty());
  std::string geometry = run("xwininfo -id " + id);
  EXPECT_EQ(field(geometry, "Absolute upper-left X:"), 100 + d.frame_left) << geometry;
  EXPECT_EQ(field(geometry, "Absolute upper-left Y:"), 120 + d.frame_top) << geometry;
  EXPECT_EQ(field(geometry, "Width:"), 320);
  EXPECT_EQ(field(geometry, "Height:"), 200);

  // Moving keeps the frame's corner where the display says.
  d.x = 300;
  d.y = 200;
  platform_window_move(&d);
  EXPECT_TRUE(settle_until(content_at(300, 200)));
  geometry = run("xwininfo -id " + id);
  EXPECT_EQ(field(geometry, "Absolute upper-left X:"), 300 + d.frame_left) << geometry;
  EXPECT_EQ(field(geometry, "Absolute upper-left Y:"), 200 + d.frame_top) << geometry;
}

TEST(X11Windows, BorderlessWindowIsDraggedByItsRegion) {
  // The top 15 rows drag, as the display's default drag region does.
  platform_set_window_region_test([](const qmDisplayWindow*, int32_t, int32_t y) {
    return y < 15 ? int32_t(WINHIT_DRAG) : int32_t(WINHIT_NONE);
  });
  Display d(700, 100, 120, 80, WINFLAG_BORDERLESS);
  std::strcpy(d.title, "quillmere-x11-drag");
  ASSERT_EQ(d.open(), 0);
  settle();
  run("xdotool mousemove 750 105 mousedown 1");
  settle(200);
  run("xdotool mousemove 800 205");
  settle(200);
  run("xdotool mousemove 850 305 mouseup 1");
  settle_until([&] {
    int x = 0, y = 0;
    SDL_GetWindowPosition(d.window(), &x, &y);
    return x == 800 && y == 300;
  });
  std::string geometry = run("xwininfo -id $(xdotool search --name quillmere-x11-drag | head -1)");
  EXPECT_EQ(field(geometry, "Absolute upper-left X:"), 800) << geometry;
  EXPECT_EQ(field(geometry, "Absolute upper-left Y:"), 300) << geometry;
  platform_set_window_region_test(nullptr);
}

TEST(X11Windows, NohideWindowComesBackWhenTheUserMinimisesIt) {
  Display keep(100, 400, 80, 60, WINFLAG_NOHIDE), plain(300, 400, 80, 60);
  std::strcpy(keep.title, "quillmere-x11-nohide");
  std::strcpy(plain.title, "quillmere-x11-plain");
  ASSERT_EQ(keep.open(), 0);
  ASSERT_EQ(plain.open(), 0);
  settle();
  run("xdotool search --name quillmere-x11-nohide windowminimize");
  run("xdotool search --name quillmere-x11-plain windowminimize");
  auto minimised = [](const Display& d) {
    return (SDL_GetWindowFlags(d.window()) & SDL_WINDOW_MINIMIZED) != 0;
  };
  EXPECT_TRUE(settle_until([&] { return minimised(plain); }));
  EXPECT_TRUE(settle_until([&] { return !minimised(keep); }));
  EXPECT_NE(run("xwininfo -name quillmere-x11-nohide").find("IsViewable"), std::string::npos);
  // The program itself may minimise it.
  platform_window_minimize(&keep, 1);
  EXPECT_TRUE(settle_until([&] { return minimised(keep); }));
}

TEST(X11Windows, ScreenshotEqualsTheScreenBuffer) {
  Display d(40, 50, 64, 48, WINFLAG_BORDERLESS);
  ASSERT_EQ(d.open(), 0);
  for (int32_t y = 0; y < 48; ++y)
    for (int32_t x = 0; x < 64; ++x)
      platform_window_plot(&d, x, y, uint32_t(x * 4) << 16 | uint32_t(y * 5) << 8 | 0x40);
  platform_window_line(&d, 0, 47, 63, 0, 0xFFFFFF);
  settle();
  platform_window_flush(nullptr, &d);
  settle(100);
  Shot shot = screenshot();
  ASSERT_GE(shot.width, 104);
  int wrong = 0;
  for (int32_t y = 0; y < 48; ++y)
    for (int32_t x = 0; x < 64; ++x)
      wrong += shot.at(40 + x, 50 + y) != d.at(x, y);
  EXPECT_EQ(wrong, 0);
  // The grab of the desktop we show agrees with the X server's.
  qm::qmBitmap* grab = platform_screen_grab(40, 50, 64, 48);
  ASSERT_NE(grab, nullptr);
  EXPECT_EQ(qm::qmos_read_pixel(grab, 10, 20), shot.at(50, 70));
  qm::qmos_free_bitmap(grab);
}

TEST(X11Windows, ShapedWindowShowsOnlyItsShape) {
  Shot before = screenshot();
  ASSERT_EQ(before.width, 1280);
  // The left half of a 64x32 window.
  qm::test::MaskPtr mask(qm::qmos_alloc_mask(64, 32, 1));
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 32; ++x) qm::mask_bit_set(mask->data + y * mask->bytes_per_row, x);
  Display d(500, 600, 64, 32, WINFLAG_BORDERLESS);
  ASSERT_EQ(d.open(1, mask.get(), nullptr), 0);
  platform_window_fill_rect(&d, 0, 0, 64, 32, 0x40C040);
  settle();
  platform_window_flush(nullptr, &d);
  settle(100);
  Shot shot = screenshot();
  ASSERT_EQ(shot.width, 1280);
  EXPECT_EQ(shot.at(510, 610), 0x40C040u);
  EXPECT_EQ(shot.at(531, 631), 0x40C040u);
  EXPECT_EQ(shot.at(532, 610), before.at(532, 610));
  EXPECT_EQ(shot.at(563, 631), before.at(563, 631));
}

TEST(X11Windows, SwitchedModeLetterboxesOnTheDesktop) {
  // Xvfb's screen is 1280x1024; the switched screen 320x100 fits as 1280x400 at y 312.
  ASSERT_EQ(platform_display_set_mode(320, 100, 32), 0);
  {
    Display d(0, 0, 320, 100, WINFLAG_BORDERLESS);
    ASSERT_EQ(d.open(), 0);
    platform_window_fill_rect(&d, 0, 0, 320, 100, 0x2060A0);
    platform_window_fill_rect(&d, 0, 0, 1, 1, 0xFF0000);
    ASSERT_TRUE(settle_until([&] {
      int w = 0, h = 0;
      SDL_GetWindowSize(d.window(), &w, &h);
      return w == 1280 && h == 1024;
    }));
    platform_window_flush(nullptr, &d);
    settle(100);
    Shot shot = screenshot();
    ASSERT_EQ(shot.width, 1280);
    ASSERT_EQ(shot.height, 1024);
    EXPECT_EQ(shot.at(640, 311), 0u);
    EXPECT_EQ(shot.at(0, 312), 0xFF0000u);  // content pixel (0, 0) is 4x4 on the desktop
    EXPECT_EQ(shot.at(3, 315), 0xFF0000u);
    EXPECT_EQ(shot.at(4, 315), 0x2060A0u);
    EXPECT_EQ(shot.at(1279, 711), 0x2060A0u);
    EXPECT_EQ(shot.at(640, 712), 0u);
  }
  platform_display_restore_mode();
}

}  // namespace

namespace {
struct PlatformUp : testing::Environment {
  void SetUp() override { ASSERT_EQ(platform_init(), 0); }
  void TearDown() override { platform_exit(); }
};
const auto* platform_up = testing::AddGlobalTestEnvironment(new PlatformUp);
}  // namespace
