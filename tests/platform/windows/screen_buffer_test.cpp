// The screen buffer on its own: what blits, fills and lines leave in it, which rectangles become
// dirty, and what a present copies to a surface (plain and letterboxed). No video driver needed.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "window_test_util.h"
#include "platform/screen_buffer.h"

namespace {

using qm::test::BitmapPtr;
using qm::test::make_tagged;
using qm::test::shown;

qmScreenBuffer buffer(int32_t w, int32_t h) {
  qmScreenBuffer s;
  EXPECT_TRUE(screen_resize(s, w, h));
  s.dirty.clear();
  return s;
}

uint32_t at(const qmScreenBuffer& s, int32_t x, int32_t y) { return s.row(y)[x]; }

// Every pixel of the buffer: expected(x, y), where -1 means still black.
template <typename F>
void expect_pixels(const qmScreenBuffer& s, F expected) {
  for (int32_t y = 0; y < s.height; ++y)
    for (int32_t x = 0; x < s.width; ++x) {
      int64_t e = expected(x, y);
      ASSERT_EQ(at(s, x, y), e < 0 ? 0u : uint32_t(e)) << "at " << x << "," << y;
    }
}

TEST(ScreenBuffer, PatternBlittedAtAnOffsetReadsBack) {
  qmScreenBuffer s = buffer(10, 10);
  BitmapPtr src = make_tagged(4, 4);
  screen_blit(s, src.get(), 0, 0, 2, 3, 4, 4);
  expect_pixels(s, [](int32_t x, int32_t y) -> int64_t {
    return x >= 2 && x < 6 && y >= 3 && y < 7 ? shown(x - 2, y - 3) : -1;
  });
  ASSERT_EQ(s.dirty.size(), 1u);
  EXPECT_EQ(s.dirty[0].x, 2);
  EXPECT_EQ(s.dirty[0].y, 3);
  EXPECT_EQ(s.dirty[0].w, 4);
  EXPECT_EQ(s.dirty[0].h, 4);
}

// Rows are converted in groups of eight and four words, the last group of a row overlapping the
// one before it: every width up to five groups lands whole and writes nothing beside it.
TEST(ScreenBuffer, EveryRowWidthLandsWithoutSpilling) {
  for (int32_t w = 1; w <= 40; ++w) {
    SCOPED_TRACE(w);
    qmScreenBuffer s = buffer(48, 4);
    BitmapPtr src = make_tagged(w + 3, 3);
    screen_blit(s, src.get(), 3, 1, 5, 1, w, 2);
    expect_pixels(s, [&](int32_t x, int32_t y) -> int64_t {
      return x >= 5 && x < 5 + w && y >= 1 && y < 3 ? shown(x - 2, y) : -1;
    });
  }
}

TEST(ScreenBuffer, BlitClipsSourceAndDestination) {
  // Source 6x5 into a 8x6 buffer. Expected: the source pixel that lands on each buffer pixel,
  // described by the shift from buffer to source and the drawn buffer rectangle.
  struct Case {
    const char* what;
    int32_t sx, sy, dx, dy, w, h;
    int32_t x0, y0, x1, y1;  // drawn buffer rectangle, exclusive ends
  } cases[] = {
      {"inside", 1, 1, 2, 1, 3, 2, 2, 1, 5, 3},
      {"source left of the bitmap", -1, 0, 0, 0, 3, 2, 1, 0, 3, 2},
      {"destination left of the buffer", 0, 0, -5, 0, 8, 2, 0, 0, 1, 2},
      {"clipped by both right edges", 2, 3, 5, 4, 10, 10, 5, 4, 8, 6},
      {"source wholly outside", 6, 0, 0, 0, 3, 3, 0, 0, 0, 0},
      {"destination wholly outside", 0, 0, 8, 0, 3, 3, 0, 0, 0, 0},
      {"huge sizes", 0, 0, 0, 0, 0x7FFFFFFF, 0x7FFFFFFF, 0, 0, 6, 5},
  };
  BitmapPtr src = make_tagged(6, 5);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    qmScreenBuffer s = buffer(8, 6);
    screen_blit(s, src.get(), c.sx, c.sy, c.dx, c.dy, c.w, c.h);
    expect_pixels(s, [&](int32_t x, int32_t y) -> int64_t {
      if (x < c.x0 || x >= c.x1 || y < c.y0 || y >= c.y1) return -1;
      return shown(x - c.dx + c.sx, y - c.dy + c.sy);
    });
    EXPECT_EQ(s.dirty.empty(), c.x0 == c.x1);
  }
}

TEST(ScreenBuffer, ScaledBlitIsNearestNeighbour) {
  qmScreenBuffer s = buffer(12, 10);
  BitmapPtr src = make_tagged(4, 4);
  // Source rectangle (1, 1, 3, 2) doubled at (2, 1).
  screen_blit_scaled(s, src.get(), 1, 1, 3, 2, 2, 1, 6, 4);
  expect_pixels(s, [](int32_t x, int32_t y) -> int64_t {
    if (x < 2 || x >= 8 || y < 1 || y >= 5) return -1;
    return shown(1 + (x - 2) / 2, 1 + (y - 1) / 2);
  });
  // Shrinking by 3 takes the middle pixel of every three, and a source rectangle that reaches
  // past the bitmap leaves the pixels it would draw from outside alone.
  qmScreenBuffer t = buffer(4, 1);
  BitmapPtr wide = make_tagged(12, 1);
  screen_blit_scaled(t, wide.get(), 0, 0, 15, 1, 0, 0, 5, 1);
  expect_pixels(t, [](int32_t x, int32_t) -> int64_t { return x < 4 ? shown(3 * x + 1, 0) : -1; });
  qmScreenBuffer u = buffer(4, 1);
  screen_blit_scaled(u, wide.get(), 9, 0, 4, 1, 0, 0, 4, 1);
  expect_pixels(u, [](int32_t x, int32_t) -> int64_t { return x < 3 ? shown(9 + x, 0) : -1; });
}

TEST(ScreenBuffer, FillPlotAndLineStayInside) {
  qmScreenBuffer s = buffer(6, 4);
  screen_fill(s, -2, 2, 4, 9, 0xFF123456);  // colour loses its top byte
  screen_plot(s, 5, 0, 0xABCDEF);
  screen_plot(s, 6, 0, 0xABCDEF);
  expect_pixels(s, [](int32_t x, int32_t y) -> int64_t {
    if (x < 2 && y >= 2) return 0x123456;
    return x == 5 && y == 0 ? 0xABCDEF : -1;
  });

  // One-pixel lines include both ends in either direction, and far-off end points only cost the
  // pixels inside.
  struct Case {
    int32_t x1, y1, x2, y2;
    std::vector<std::pair<int, int>> lit;
  } cases[] = {
      {0, 0, 3, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
      {3, 2, 0, 2, {{0, 2}, {1, 2}, {2, 2}, {3, 2}}},
      {1, 0, 1, 3, {{1, 0}, {1, 1}, {1, 2}, {1, 3}}},
      {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {3, 3, 0, 0, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {2, 1, 2, 1, {{2, 1}}},
      {-2000000000, 1, 2000000000, 1, {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2);
    qmScreenBuffer l = buffer(6, 4);
    screen_line(l, c.x1, c.y1, c.x2, c.y2, 1);
    expect_pixels(l, [&](int32_t x, int32_t y) -> int64_t {
      for (auto [px, py] : c.lit)
        if (px == x && py == y) return 1;
      return -1;
    });
  }
}

TEST(ScreenBuffer, DirtyRectanglesMergeAndCollapse) {
  qmScreenBuffer s = buffer(100, 100);
  screen_mark(s, 10, 10, 5, 5);
  screen_mark(s, 11, 11, 2, 2);  // inside the first: nothing new
  EXPECT_EQ(s.dirty.size(), 1u);
  screen_mark(s, 0, 0, 50, 50);  // swallows the first
  ASSERT_EQ(s.dirty.size(), 1u);
  EXPECT_EQ(s.dirty[0].w, 50);
  screen_mark(s, -10, 95, 5, 20);  // wholly outside
  EXPECT_EQ(s.dirty.size(), 1u);
  // Many small marks stay a short list that still covers every one of them.
  auto covered = [&](int32_t x, int32_t y) {
    for (const qmScreenRect& r : s.dirty)
      if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h) return true;
    return false;
  };
  for (int32_t i = 0; i < 100; ++i) {
    screen_mark(s, i % 10 * 10, 60 + i / 10 * 4, 1, 1);
    ASSERT_LE(s.dirty.size(), 64u);
  }
  for (int32_t i = 0; i < 100; ++i) EXPECT_TRUE(covered(i % 10 * 10, 60 + i / 10 * 4)) << i;
  EXPECT_TRUE(covered(49, 49));
}

TEST(ScreenBuffer, RectanglesBlittedTogetherLandMovedAndClipped) {
  // Two rectangles of a 6x6 source moved by (1, 2) into an 8x6 buffer; the second runs off the
  // bottom edge and is clipped there.
  BitmapPtr src = make_tagged(6, 6);
  const qmScreenRect rects[] = {{0, 0, 2, 2}, {3, 2, 3, 4}};
  auto inside = [&](int32_t x, int32_t y) {
    for (const qmScreenRect& r : rects)
      if (x - 1 >= r.x && x - 1 < r.x + r.w && y - 2 >= r.y && y - 2 < r.y + r.h) return true;
    return false;
  };
  for (bool dirty_before : {false, true}) {
    SCOPED_TRACE(dirty_before ? "a dirty rectangle before" : "nothing dirty before");
    qmScreenBuffer s = buffer(8, 6);
    if (dirty_before) screen_mark(s, 5, 4, 1, 1);  // inside the second rectangle: swallowed
    screen_blit_rects(s, src.get(), rects, 2, 1, 2);
    expect_pixels(s, [&](int32_t x, int32_t y) -> int64_t { return inside(x, y) ? shown(x - 1, y - 2) : -1; });
    ASSERT_EQ(s.dirty.size(), 2u);
    EXPECT_EQ(s.dirty[0].x, 1);
    EXPECT_EQ(s.dirty[0].y, 2);
    EXPECT_EQ(s.dirty[1].x, 4);
    EXPECT_EQ(s.dirty[1].y, 4);
    EXPECT_EQ(s.dirty[1].h, 2);
  }
  // Past the list's length they become one box that covers them all.
  qmScreenBuffer s = buffer(200, 4);
  std::vector<qmScreenRect> many;
  for (int32_t i = 0; i < 70; ++i) many.push_back({i * 2, 0, 1, 1});
  BitmapPtr wide = make_tagged(200, 4);
  screen_blit_rects(s, wide.get(), many.data(), many.size(), 0, 0);
  ASSERT_EQ(s.dirty.size(), 1u);
  EXPECT_EQ(s.dirty[0].w, 139);
}

TEST(ScreenBuffer, ResizeKeepsTheOverlapAndMarksAll) {
  qmScreenBuffer s = buffer(4, 4);
  screen_fill(s, 0, 0, 4, 4, 0x111111);
  ASSERT_TRUE(screen_resize(s, 6, 2));
  expect_pixels(s, [](int32_t x, int32_t) -> int64_t { return x < 4 ? 0x111111 : -1; });
  ASSERT_EQ(s.dirty.size(), 1u);
  EXPECT_EQ(s.dirty[0].w, 6);
  EXPECT_EQ(s.dirty[0].h, 2);
  EXPECT_FALSE(screen_resize(s, 40000, 10));  // beyond the picture cap: kept as it was
  EXPECT_EQ(s.width, 6);
}

// Attaching moves the pixels into outside memory: rows never drawn (fresh pages of the buffer's
// own storage) arrive black over whatever the memory held, drawn rows arrive as drawn, and a
// detach brings them back.
TEST(ScreenBuffer, AttachBringsDrawnRowsAndBlackForTheRest) {
  constexpr int32_t kW = 700, kH = 900;
  qmScreenBuffer s = buffer(kW, kH);
  screen_fill(s, 0, 400, kW, 2, 0x112233);
  screen_plot(s, 5, kH - 1, 0x445566);
  const int32_t stride = kW + 9;
  std::vector<uint32_t> outside(size_t(stride) * kH, 0xABABABu);
  screen_attach(s, outside.data(), stride);
  ASSERT_TRUE(s.attached());
  const auto expected = [](int32_t x, int32_t y) -> int64_t {
    return y == 400 || y == 401 ? 0x112233 : x == 5 && y == kH - 1 ? 0x445566 : -1;
  };
  expect_pixels(s, expected);
  EXPECT_EQ(outside[size_t(kW)], 0xABABABu);  // beyond the row: untouched
  ASSERT_TRUE(screen_detach(s));
  EXPECT_FALSE(s.attached());
  expect_pixels(s, expected);
}

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

SurfacePtr surface(int w, int h, Uint32 format) {
  return SurfacePtr(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, format), &SDL_FreeSurface);
}

Uint32 surface_pixel(SDL_Surface* s, int x, int y) {
  const uint8_t* p = static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
  return s->format->BytesPerPixel == 4 ? *reinterpret_cast<const uint32_t*>(p)
                                       : *reinterpret_cast<const uint16_t*>(p);
}

TEST(ScreenPresent, CopiesOnlyDirtyRectanglesAndConverts) {
  qmScreenBuffer s = buffer(8, 8);
  SurfacePtr out = surface(10, 10, SDL_PIXELFORMAT_RGB888);
  SDL_FillRect(out.get(), nullptr, 0x777777);
  screen_fill(s, 0, 0, 8, 8, 0x00FF00);
  s.dirty.clear();
  screen_fill(s, 2, 3, 2, 2, 0xFF0000);
  std::vector<SDL_Rect> rects;
  screen_present(s, out.get(), false, &rects);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].x, 2);
  EXPECT_EQ(rects[0].y, 3);
  EXPECT_EQ(rects[0].w, 2);
  EXPECT_EQ(rects[0].h, 2);
  EXPECT_EQ(surface_pixel(out.get(), 2, 3), 0xFF0000u);
  EXPECT_EQ(surface_pixel(out.get(), 1, 3), 0x777777u);  // not dirty: not copied
  EXPECT_TRUE(s.dirty.empty());

  // A full present writes the whole buffer and blacks out the surface beyond it; a 16-bit
  // surface gets converted pixels.
  SurfacePtr small = surface(10, 10, SDL_PIXELFORMAT_RGB565);
  rects.clear();
  screen_present(s, small.get(), true, &rects);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].w, 10);
  EXPECT_EQ(surface_pixel(small.get(), 0, 0), 0x07E0u);
  EXPECT_EQ(surface_pixel(small.get(), 3, 4), 0xF800u);
  EXPECT_EQ(surface_pixel(small.get(), 9, 9), 0u);
}

TEST(ScreenPresent, LetterboxFitsCentresAndMapsBack) {
  struct Case {
    int32_t bw, bh, sw, sh;
    qmLetterbox box;
  } cases[] = {
      {640, 480, 1024, 768, {0, 0, 1024, 768}},
      {640, 480, 1920, 1080, {240, 0, 1440, 1080}},
      {800, 600, 1280, 1024, {0, 32, 1280, 960}},
      {100, 100, 300, 200, {50, 0, 200, 200}},
  };
  for (const Case& c : cases) {
    qmLetterbox b = letterbox_fit(c.bw, c.bh, c.sw, c.sh);
    EXPECT_EQ(b.x, c.box.x);
    EXPECT_EQ(b.y, c.box.y);
    EXPECT_EQ(b.w, c.box.w);
    EXPECT_EQ(b.h, c.box.h);
  }

  // A 2x2 buffer in a 6x4 surface: bars of 1 on both sides, each buffer pixel 2x2.
  qmScreenBuffer s = buffer(2, 2);
  screen_plot(s, 0, 0, 0x10);
  screen_plot(s, 1, 0, 0x20);
  screen_plot(s, 0, 1, 0x30);
  screen_plot(s, 1, 1, 0x40);
  SurfacePtr out = surface(6, 4, SDL_PIXELFORMAT_RGB888);
  SDL_FillRect(out.get(), nullptr, 0x777777);
  qmLetterbox box = letterbox_fit(2, 2, 6, 4);
  std::vector<SDL_Rect> rects;
  screen_present_letterboxed(s, out.get(), box, true, &rects);
  const uint32_t want[4][6] = {{0, 0x10, 0x10, 0x20, 0x20, 0},
                               {0, 0x10, 0x10, 0x20, 0x20, 0},
                               {0, 0x30, 0x30, 0x40, 0x40, 0},
                               {0, 0x30, 0x30, 0x40, 0x40, 0}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(surface_pixel(out.get(), x, y), want[y][x]) << x << "," << y;

  // A later change reaches the surface through the dirty path too.
  screen_plot(s, 1, 1, 0x50);
  rects.clear();
  screen_present_letterboxed(s, out.get(), box, false, &rects);
  EXPECT_EQ(surface_pixel(out.get(), 4, 3), 0x50u);
  EXPECT_EQ(surface_pixel(out.get(), 2, 1), 0x10u);

  int32_t x = -1, y = -1;
  EXPECT_FALSE(letterbox_map_point(box, 2, 2, 0, 0, &x, &y));
  ASSERT_TRUE(letterbox_map_point(box, 2, 2, 3, 2, &x, &y));
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);
  ASSERT_TRUE(letterbox_map_point(box, 2, 2, 2, 1, &x, &y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

}  // namespace
