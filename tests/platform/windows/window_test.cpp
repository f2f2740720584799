// Windows, drawing to the screen and pointers under the offscreen video driver, with the screen
// described by QM_SCREEN and QM_SCREEN_MODES (see CMakeLists.txt).
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "gfx/blitservices.h"
#include "platform/platform.h"
#include "window_test_util.h"

namespace {

using qm::test::AlphaPtr;
using qm::test::BitmapPtr;
using qm::test::MaskPtr;
using qm::test::Display;
using qm::test::make_tagged;
using qm::test::shown;

// Every test runs on a started platform layer with the recorder on and a fake clock.
FakeClock& fake_clock() {
  static FakeClock clock;
  return clock;
}

struct PlatformUp : testing::Environment {
  void SetUp() override {
    ASSERT_EQ(platform_init(), 0);
    platform_set_clock(&fake_clock());
    platform_recorder_start();
  }
  void TearDown() override {
    platform_recorder_stop();
    platform_set_clock(nullptr);
    platform_exit();
  }
};
const auto* platform_up = testing::AddGlobalTestEnvironment(new PlatformUp);

std::vector<std::string> take_records() { return platform_recorder_take(); }

size_t count_prefix(const std::vector<std::string>& r, const std::string& prefix) {
  return size_t(std::count_if(r.begin(), r.end(),
                              [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

// Runs the platform pump until SDL's queue is empty; returns the kinds of the window events it
// served.
std::vector<int> pump() {
  std::vector<int> kinds;
  SDL_PumpEvents();
  SDL_Event queued[256];
  int n = SDL_PeepEvents(queued, 256, SDL_PEEKEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
  for (int i = 0; i < n; ++i) kinds.push_back(queued[i].window.event);
  while (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
    platform_pump_events(nullptr);
  return kinds;
}

Uint32 surface_pixel(SDL_Window* w, int x, int y) {
  SDL_Surface* s = SDL_GetWindowSurface(w);
  return *reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 4);
}

TEST(Windows, BorderlessAndUnmanagedWindowsHaveNoFrame) {
  for (uint32_t flags : {uint32_t(WINFLAG_BORDERLESS), 0u}) {
    Display d(10, 20, 100, 50, flags);
    d.frame_left = d.frame_top = d.frame_extra_width = d.frame_extra_height = 7;
    ASSERT_EQ(d.open(), 0);
    EXPECT_EQ(d.frame_left, 0);
    EXPECT_EQ(d.frame_top, 0);
    EXPECT_EQ(d.frame_extra_width, 0);
    EXPECT_EQ(d.frame_extra_height, 0);
    int x = 0, y = 0;
    SDL_GetWindowPosition(d.window(), &x, &y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
  }
}

TEST(Windows, RecordAndWindowStayInStep) {
  Display d(100, 120, 320, 200, WINFLAG_SIZEABLE);
  std::strcpy(d.title, "Caf\xe9 \xbb");  // Latin-1
  ASSERT_EQ(d.open(), 0);
  pump();
  EXPECT_STREQ(SDL_GetWindowTitle(d.window()), "Caf\xc3\xa9 \xc2\xbb");
  EXPECT_TRUE(SDL_GetWindowFlags(d.window()) & SDL_WINDOW_RESIZABLE);
  EXPECT_EQ(platform_display_for_window_id(SDL_GetWindowID(d.window())), &d);

  d.x = 30;
  d.y = 40;
  platform_window_move(&d);
  d.width = 400;
  d.height = 8;  // below the smallest window: the window stays 16 high, the buffer follows the record
  platform_window_resize(&d);
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(d.window(), &x, &y);
  SDL_GetWindowSize(d.window(), &w, &h);
  EXPECT_EQ(x, 30);
  EXPECT_EQ(y, 40);
  EXPECT_EQ(w, 400);
  EXPECT_EQ(h, 16);
  EXPECT_EQ(d.platform->screen.width, 400);
  EXPECT_EQ(d.platform->screen.height, 8);
  // The program's own resize is not reported back as a user's resize.
  std::vector<int> kinds = pump();
  EXPECT_EQ(std::count(kinds.begin(), kinds.end(), SDL_WINDOWEVENT_RESIZED), 0);

  // A size change from outside (the user, the window manager) replaces SDL's surface: what the
  // buffer holds survives it.
  platform_window_plot(&d, 399, 7, 0x00FF00);
  platform_window_flush(nullptr, &d);
  SDL_SetWindowSize(d.window(), 100, 50);
  pump();
  platform_window_plot(&d, 1, 1, 0xFF0000);
  platform_window_flush(nullptr, &d);
  EXPECT_EQ(d.at(399, 7), 0x00FF00u);
  EXPECT_EQ(surface_pixel(d.window(), 1, 1), 0xFF0000u);

  // Far-off positions neither overflow nor turn into SDL's special ones.
  d.x = 0x2FFF0000;
  d.y = INT32_MIN;
  platform_window_move(&d);
  SDL_GetWindowPosition(d.window(), &x, &y);
  EXPECT_EQ(x, 1 << 24);
  EXPECT_EQ(y, -(1 << 24));

  std::strcpy(d.title, "Neu");
  platform_window_set_title(&d);
  EXPECT_STREQ(SDL_GetWindowTitle(d.window()), "Neu");

  SDL_Window* was = d.window();
  uint32_t id = SDL_GetWindowID(was);
  d.close();
  EXPECT_EQ(d.window(), nullptr);
  EXPECT_EQ(platform_display_for_window_id(id), nullptr);
  platform_window_move(&d);  // no window: nothing happens
}

// Regions as a display library would keep them: a drag bar along the top of 100x100, a size
// corner at the bottom right.
int32_t regions(const qmDisplayWindow*, int32_t x, int32_t y) {
  if (y < 15) return WINHIT_DRAG;
  return x >= 90 && y >= 90 ? WINHIT_SIZE : WINHIT_NONE;
}

TEST(Windows, BorderlessWindowsAreDraggedAndSizedByTheirRegions) {
  struct Case {
    const char* what;
    uint32_t flags;
    int32_t x, y, hit;
  } cases[] = {
      {"drag bar", WINFLAG_BORDERLESS, 50, 5, WINHIT_DRAG},
      {"content", WINFLAG_BORDERLESS, 50, 50, WINHIT_NONE},
      {"size corner, sizeable", WINFLAG_BORDERLESS | WINFLAG_SIZEABLE, 95, 95, WINHIT_SIZE},
      {"size corner, not sizeable", WINFLAG_BORDERLESS, 95, 95, WINHIT_NONE},
      {"fixed", WINFLAG_BORDERLESS | WINFLAG_FIXED, 50, 5, WINHIT_NONE},
      {"framed: the frame drags", 0, 50, 5, WINHIT_NONE},
  };
  qmDisplayWindow d;
  EXPECT_EQ(platform_window_hit(&d, 50, 5), WINHIT_NONE);  // no regions known yet
  platform_set_window_region_test(regions);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    d.flags = c.flags;
    EXPECT_EQ(platform_window_hit(&d, c.x, c.y), c.hit);
  }
  platform_set_window_region_test(nullptr);
}

TEST(ScreenModes, ListSwitchAndRestore) {
  // QM_SCREEN_MODES lists 640x480 twice.
  EXPECT_EQ(platform_get_display_modes(nullptr), 4);
  int32_t pairs[8] = {};
  ASSERT_EQ(platform_get_display_modes(pairs), 3);
  EXPECT_EQ(pairs[0], 640);
  EXPECT_EQ(pairs[1], 480);
  EXPECT_EQ(pairs[2], 800);
  EXPECT_EQ(pairs[3], 600);

  // A size the screen does not list gets the smallest listed mode that holds it, else the
  // largest one.
  int32_t w = 0, h = 0;
  const struct {
    int32_t w, h, mode_w, mode_h;
  } kBest[] = {{700, 500, 800, 600}, {1000, 700, 800, 600}, {300, 90, 300, 100}, {640, 100, 640, 480}};
  for (const auto& c : kBest) {
    ASSERT_EQ(platform_display_set_mode(c.w, c.h, 32), 0);
    platform_screen_size(&w, &h);
    EXPECT_EQ(w, c.mode_w) << c.w << "x" << c.h;
    EXPECT_EQ(h, c.mode_h) << c.w << "x" << c.h;
  }
  platform_display_restore_mode();

  take_records();
  ASSERT_EQ(platform_display_set_mode(640, 480, 32), 0);
  platform_screen_size(&w, &h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  int32_t area[4];
  platform_get_work_area(area);
  EXPECT_EQ(area[2], 640);
  ASSERT_EQ(platform_display_set_mode(800, 600, 32), 0);
  platform_display_restore_mode();  // after two switches: back to the desktop
  platform_screen_size(&w, &h);
  EXPECT_EQ(w, 1280);
  EXPECT_EQ(h, 1024);
  platform_display_restore_mode();  // nothing remembered: no switch
  EXPECT_EQ(take_records(), (std::vector<std::string>{"mode 640x480", "mode 800x600",
                                                      "mode desktop"}));

  // The UI mode only tracks its flag; restoring what was never changed does nothing.
  platform_set_ui_mode(0);
  EXPECT_TRUE(take_records().empty());
  platform_set_ui_mode(2);
  EXPECT_EQ(platform_ui_mode_changed(), 1);
  platform_set_ui_mode(0);
  EXPECT_EQ(platform_ui_mode_changed(), 0);
  uint32_t token = 99;
  platform_display_fade_out(&token, 1);
  EXPECT_EQ(token, 0u);
}

TEST(ScreenModes, FirstDisplayDecisions) {
  // A desktop whose top 30 rows are a panel.
  ScreenInfo screen;
  ASSERT_TRUE(platform_parse_screen("1280x1024@60", "640x480", &screen));
  screen.usable_y = 30;
  screen.usable_height = 994;
  platform_set_screen_override(&screen);
  int32_t area[4];
  platform_get_work_area(area);
  EXPECT_EQ(area[1], 0);
  EXPECT_EQ(area[3], 1024);
  // Full screen: the mode asked for is the display's, nothing else changes.
  int32_t w = 0, h = 0, depth = 0;
  EXPECT_EQ(platform_display_prepare(2, 1, 1, 640, 480, 24, &w, &h, &depth), 0);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_EQ(depth, 24);
  // A window that does not cover the screen keeps clear of the panel from then on.
  w = 0;
  EXPECT_EQ(platform_display_prepare(1, 0, 0, 640, 480, 24, &w, &h, &depth), 0);
  EXPECT_EQ(w, 0);
  platform_get_work_area(area);
  EXPECT_EQ(area[1], 30);
  EXPECT_EQ(area[3], 994);
  platform_set_screen_override(nullptr);
}

TEST(ScreenDrawing, BlitsReachBufferAndSurface) {
  Display d(0, 0, 40, 30);
  ASSERT_EQ(d.open(), 0);
  BitmapPtr src = make_tagged(4, 4);
  platform_window_blit(src.get(), 0, 0, &d, 2, 3, 4, 4, 0, 0, 0);
  EXPECT_EQ(d.at(2, 3), shown(0, 0));
  EXPECT_EQ(d.at(5, 6), shown(3, 3));
  EXPECT_EQ(d.at(6, 6), 0u);
  take_records();
  platform_window_flush(nullptr, &d);
  std::vector<std::string> r = take_records();
  ASSERT_EQ(count_prefix(r, "present"), 1u);
  EXPECT_NE(r[0].find(" 2,3,4x4"), std::string::npos) << r[0];
  EXPECT_EQ(surface_pixel(d.window(), 5, 6), shown(3, 3));

  // Scaled blits land at the display's offsets, twice the size.
  d.offset_x = 10;
  d.offset_y = 4;
  platform_window_blit(src.get(), 1, 1, &d, 0, 0, 2, 2, 4, 4, 0);
  EXPECT_EQ(d.at(10, 4), shown(1, 1));
  EXPECT_EQ(d.at(11, 5), shown(1, 1));
  EXPECT_EQ(d.at(13, 7), shown(2, 2));
  EXPECT_EQ(d.at(14, 4), 0u);
  platform_window_fill_rect(&d, -10, -4, 2, 2, 0x123456);  // offsets apply: content (0, 0)
  EXPECT_EQ(d.at(0, 0), 0x123456u);
  platform_window_line(&d, 0, 20, 3, 20, 0xFF);
  EXPECT_EQ(d.at(13, 24), 0xFFu);
  platform_window_plot(&d, 0, 0, 0xAB);
  EXPECT_EQ(d.at(10, 4), 0xABu);
  // Coordinates at the ends of the range plus the offsets neither overflow nor wrap around.
  platform_window_fill_rect(&d, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, 0xEE);
  platform_window_line(&d, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0xEE);
  platform_window_blit(src.get(), 0, 0, &d, INT32_MAX, INT32_MAX, 4, 4, 0, 0, 0);

  // An exposed window presents its whole buffer again.
  pump();
  take_records();
  SDL_Event expose{};
  expose.type = SDL_WINDOWEVENT;
  expose.window.event = SDL_WINDOWEVENT_EXPOSED;
  expose.window.windowID = SDL_GetWindowID(d.window());
  SDL_PushEvent(&expose);
  pump();
  EXPECT_EQ(take_records(), std::vector<std::string>{"present " +
                                                     std::to_string(expose.window.windowID) +
                                                     " 0,0,40x30"});

  // The blit layer reaches the same blit through its output record.
  qm::qmBlitOutput output{};
  output.object_type = qm::kOutputDisplay;
  output.owner = static_cast<qmDisplayWindow*>(&d);
  platform_window_blit_output(src.get(), 3, 3, &output, 20, 20, 1, 1, 0, 0, 0);
  EXPECT_EQ(d.at(30, 24), shown(3, 3));
}

// A whole refresh of a fresh picture writes the rows nobody drew black without reading them, and
// copies the drawn ones: the window shows the picture, whatever it held before.
TEST(ScreenDrawing, WholeRefreshShowsDrawnRowsAndBlackForTheRest) {
  constexpr int32_t kW = 600, kH = 1000;  // rows of 2.4 KB: pages hold one or two rows
  Display d(0, 0, kW, kH);
  ASSERT_EQ(d.open(), 0);
  BitmapPtr pic(qm::qmos_alloc_bitmap_cleared(kW, kH));
  ASSERT_TRUE(pic);
  const int32_t stride = pic->bytes_per_row / 4;
  for (int32_t y : {0, 301, 302, 700, kH - 1}) pic->pixels[size_t(y) * size_t(stride) + size_t(y % kW)] = 0x0000FF00u;  // red
  std::vector<uint8_t> untouched;
  ASSERT_GT(qm::qmos_bitmap_untouched_rows(pic.get(), &untouched), kH / 2);  // the path taken here
  for (int32_t offset : {0, 7}) {
    SCOPED_TRACE(offset);
    d.offset_y = 0;
    platform_window_fill_rect(&d, 0, 0, kW, kH, 0x777777);
    d.offset_y = offset;
    platform_window_blit(pic.get(), 0, 0, &d, 0, 0, kW, kH, 0, 0, qm::PRESENT_WHOLE);
    for (int32_t y = 0; y < offset; ++y) ASSERT_EQ(d.at(0, y), 0x777777u) << y;
    for (int32_t y = offset; y < kH; ++y)
      for (int32_t x = 0; x < kW; ++x) {
        const int32_t py = y - offset;
        const bool dot = (py == 0 || py == 301 || py == 302 || py == 700 || py == kH - 1) && x == py % kW;
        ASSERT_EQ(d.at(x, y), dot ? 0xFF0000u : 0u) << x << "," << y;
      }
  }
  d.offset_y = 0;
}

TEST(ScreenDrawing, ClosedAndMinimisedWindowsDrawOnlyWithFlag16) {
  BitmapPtr src = make_tagged(2, 2);
  struct Case {
    const char* what;
    int32_t state;
    int32_t flags;
    bool drawn;
  } cases[] = {
      {"open", DISPSTATE_OPEN, 0, true},         {"minimised", DISPSTATE_MINIMIZED, 0, false},
      {"minimised, 16", DISPSTATE_MINIMIZED, 16, true}, {"closed", DISPSTATE_CLOSED, 0, false},
      {"closed, 16", DISPSTATE_CLOSED, 16, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Display d(0, 0, 8, 8);
    ASSERT_EQ(d.open(), 0);
    if (c.state == DISPSTATE_CLOSED) d.close();
    if (c.state == DISPSTATE_MINIMIZED) {
      platform_window_minimize(&d, 1);
      d.state = DISPSTATE_MINIMIZED;
    }
    platform_window_blit(src.get(), 0, 0, &d, 1, 1, 2, 2, 0, 0, c.flags);
    EXPECT_EQ(d.at(1, 1) != 0, c.drawn);
    // Fills, plots and lines never draw on a window that is not open.
    platform_window_fill_rect(&d, 4, 4, 1, 1, 0xFF);
    platform_window_plot(&d, 5, 5, 0xFF);
    platform_window_line(&d, 6, 6, 7, 7, 0xFF);
    bool open = c.state == DISPSTATE_OPEN;
    EXPECT_EQ(d.at(4, 4) != 0, open);
    EXPECT_EQ(d.at(5, 5) != 0, open);
    EXPECT_EQ(d.at(7, 7) != 0, open);
  }
}

TEST(ScreenDrawing, FlushPacesAndSkipsPresentsAboveTheRefreshRate) {
  FakeClock& clock = fake_clock();
  Display d(0, 0, 16, 16);
  ASSERT_EQ(d.open(), 0);  // QM_SCREEN reports refresh 0: 60 is used
  EXPECT_EQ(platform_refresh_rate(), 60);
  EXPECT_EQ(platform_frame_rate(), 60);
  struct Case {
    int32_t limit;
    int32_t frame_rate;
    size_t presents;
  } cases[] = {{120, 120, 0}, {30, 30, 1}, {0, 60, 1}, {-5, 60, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limit);
    platform_set_frame_rate_limit(c.limit);
    EXPECT_EQ(platform_frame_rate(), c.frame_rate);
    EXPECT_EQ(platform_frame_rate_limited(), c.limit > 0);
    platform_window_flush(nullptr, &d);  // start of a frame period
    // The flush's wait serves events, and a pump shows what was drawn between frames; after a
    // pump that served something the next one waits 10 ms, so the presents counted are the
    // flush's own.
    SDL_Event ev{};
    ev.type = SDL_USEREVENT;
    SDL_PushEvent(&ev);
    platform_pump_events(nullptr);
    platform_window_plot(&d, 1, 1, 0xFFFFFF);
    take_records();
    int64_t before = clock.now_us();
    platform_window_flush(nullptr, &d);
    EXPECT_EQ(clock.now_us() - before, 1000000 / c.frame_rate);
    EXPECT_EQ(count_prefix(take_records(), "present"), c.presents);
  }
  // A loop slower than the frame period never sleeps.
  platform_set_frame_rate_limit(0);
  clock.advance_ms(20);
  int64_t before = clock.now_us();
  platform_window_flush(nullptr, &d);
  EXPECT_EQ(clock.now_us(), before);
}

TEST(ShapedWindows, ShapeMergesIntoTheBackingBitmap) {
  // Shape from a mask: the left half of a 4x2 window.
  MaskPtr mask(qm::qmos_alloc_mask(4, 2, 1));
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 2; ++x) qm::mask_bit_set(mask->data + y * mask->bytes_per_row, x);
  Display d(0, 0, 4, 2, WINFLAG_BORDERLESS);
  ASSERT_EQ(d.open(1, mask.get(), nullptr), 0);
  ASSERT_TRUE(d.platform->shaped);
  BitmapPtr src = make_tagged(4, 2);
  platform_window_blit(src.get(), 0, 0, &d, 0, 0, 4, 2, 0, 0, 0);
  const qm::qmBitmap* backing = d.platform->backing;
  // Pixels keep their colour; the shape byte goes into the alpha byte (first in memory).
  for (int32_t x = 0; x < 4; ++x) {
    uint32_t px = backing->pixels[x];
    EXPECT_EQ(qm::qmos_read_pixel(backing, x, 0), uint32_t(shown(x, 0)));
    EXPECT_EQ(px & 0xFF, x < 2 ? 0xFFu : 0u) << x;
  }

  // The merge itself, with and without a source, over an alpha plane shape: the shape byte is
  // ORed into whatever alpha byte the pixel had.
  d.close();
  AlphaPtr alpha(qm::qmos_alloc_alpha(3, 1, 1));
  alpha->data[0] = 0x00;
  alpha->data[1] = 0x80;
  alpha->data[2] = 0xFF;
  Display e(0, 0, 3, 1, WINFLAG_BORDERLESS);
  ASSERT_EQ(e.open(1, nullptr, alpha.get()), 0);
  BitmapPtr back(qm::qmos_alloc_bitmap(3, 1));
  struct Case {
    uint32_t before, source, after;  // words; with source 0 no source bitmap is given
    int32_t x;
  } cases[] = {
      {0x11223300, 0, 0x11223300, 0},          {0x11223301, 0, 0x11223381, 1},
      {0x11223300, 0, 0x112233FF, 2},          {0x00000000, 0xAABBCC40, 0xAABBCC40, 0},
      {0x00000000, 0xAABBCC40, 0xAABBCCC0, 1}, {0x00000000, 0xAABBCC40, 0xAABBCCFF, 2},
  };
  BitmapPtr source(qm::qmos_alloc_bitmap(3, 1));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    back->pixels[c.x] = c.before;
    source->pixels[c.x] = c.source;
    platform_apply_window_mask(&e, c.source ? source.get() : nullptr, c.x, 0, back.get(), c.x, 0,
                               1, 1);
    EXPECT_EQ(back->pixels[c.x], c.after);
  }
  // Rectangles reaching past the planes are clipped.
  platform_apply_window_mask(&e, source.get(), -5, -5, back.get(), 2, 0, 100, 100);
}

TEST(Pointers, CursorsAreMadeHeadlessAndAppliedOnFocus) {
  uint32_t pixels[4] = {0xFF112233, 0x80445566, 0x00000000, 0xFFFFFFFF};
  const uint32_t copy[4] = {pixels[0], pixels[1], pixels[2], pixels[3]};
  qmCursor* cursor = nullptr;
  ASSERT_EQ(platform_cursor_create(pixels, 1, 1, &cursor, 2, 2), 0);
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(std::memcmp(pixels, copy, sizeof pixels), 0);  // the caller's buffer is left alone
  qmCursor* untouched = reinterpret_cast<qmCursor*>(1);
  EXPECT_EQ(platform_cursor_create(pixels, 2, 0, &untouched, 2, 2), qm::ERR_POINTERIMG);
  EXPECT_EQ(platform_cursor_create(pixels, 0, 0, &untouched, 0, 2), qm::ERR_POINTERIMG);
  EXPECT_EQ(platform_cursor_create(pixels, 0, 0, &untouched, 40000, 1), qm::ERR_MEM);
  EXPECT_EQ(untouched, reinterpret_cast<qmCursor*>(1));

  Display a(0, 0, 50, 50), b(100, 0, 50, 50);
  ASSERT_EQ(a.open(), 0);
  ASSERT_EQ(b.open(0), 0);
  pump();
  take_records();
  // Neither window has the focus yet: choosing a cursor shows nothing until it gets it.
  platform_pointer_set(&b, cursor, POINTER_CUSTOM);
  EXPECT_TRUE(take_records().empty());
  SDL_Event focus{};
  focus.type = SDL_WINDOWEVENT;
  focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  focus.window.windowID = SDL_GetWindowID(b.window());
  SDL_PushEvent(&focus);
  pump();
  EXPECT_EQ(take_records(), std::vector<std::string>{"cursor image"});
  // On the focused window changes apply at once; setting a pointer shows a hidden one again.
  platform_pointer_hide(&b);
  platform_pointer_set(&b, nullptr, POINTER_BUSY);
  platform_pointer_hide(&a);  // not focused
  EXPECT_EQ(take_records(), (std::vector<std::string>{"cursor invisible", "cursor busy"}));
  platform_pointer_move(&b, 3, 4);
  EXPECT_EQ(take_records(), std::vector<std::string>{"warp 3 4"});
  platform_pointer_set(&b, nullptr, POINTER_ARROW);
  platform_cursor_free(cursor);
}

TEST(FullScreen, SwitchedModeLetterboxesAndMapsTheMouseBack) {
  // The offscreen desktop is 1024x768; the switched screen 300x100.
  ASSERT_EQ(platform_display_set_mode(300, 100, 32), 0);
  Display d(0, 0, 300, 100, WINFLAG_BORDERLESS);
  ASSERT_EQ(d.open(), 0);
  EXPECT_TRUE(d.platform->fullscreen);
  platform_window_fill_rect(&d, 0, 0, 300, 100, 0x336699);
  platform_window_flush(nullptr, &d);
  pump();
  platform_window_flush(nullptr, &d);
  int sw = 0, sh = 0;
  SDL_GetWindowSize(d.window(), &sw, &sh);
  ASSERT_EQ(sw, 1024);
  ASSERT_EQ(sh, 768);
  // 300x100 fits as 1024x341 at y 213.
  EXPECT_EQ(surface_pixel(d.window(), 512, 212), 0u);
  EXPECT_EQ(surface_pixel(d.window(), 512, 213), 0x336699u);
  EXPECT_EQ(surface_pixel(d.window(), 1023, 553), 0x336699u);
  EXPECT_EQ(surface_pixel(d.window(), 512, 554), 0u);
  int32_t x = 0, y = 0;
  ASSERT_TRUE(platform_window_map_point(&d, 1023, 553, &x, &y));
  EXPECT_EQ(x, 299);
  EXPECT_EQ(y, 99);
  EXPECT_FALSE(platform_window_map_point(&d, 10, 10, &x, &y));
  // Minimising does nothing while the screen is switched.
  platform_window_minimize(&d, 1);
  EXPECT_FALSE(SDL_GetWindowFlags(d.window()) & SDL_WINDOW_MINIMIZED);
  d.close();
  platform_display_restore_mode();
}

TEST(ScreenGrab, WindowsOverBlack) {
  Display a(10, 10, 4, 4), b(12, 12, 4, 4);
  ASSERT_EQ(a.open(), 0);
  ASSERT_EQ(b.open(), 0);
  platform_window_fill_rect(&a, 0, 0, 4, 4, 0xAA0000);
  platform_window_fill_rect(&b, 0, 0, 4, 4, 0x00BB00);
  BitmapPtr grab(platform_screen_grab(8, 8, 10, 10));
  ASSERT_TRUE(grab);
  EXPECT_EQ(qm::qmos_read_pixel(grab.get(), 0, 0), 0u);
  EXPECT_EQ(qm::qmos_read_pixel(grab.get(), 2, 2), 0xAA0000u);
  EXPECT_EQ(qm::qmos_read_pixel(grab.get(), 4, 4), 0x00BB00u);  // b opened later: on top
  EXPECT_EQ(qm::qmos_read_pixel(grab.get(), 7, 7), 0x00BB00u);
  EXPECT_EQ(qm::qmos_read_pixel(grab.get(), 8, 8), 0u);
  platform_window_activate(&a);
  grab.reset(platform_screen_grab(8, 8, 10, 10));
  EXPECT_EQ(qm::qmos_read_pixel(grab.get(), 4, 4), 0xAA0000u);
}

}  // namespace
