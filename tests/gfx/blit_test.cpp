// The blit layer against fake displays, layers and window: clipping, the flag matrix, the
// selected target's planes, the sprite pass, the fallback display and the refresh request.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "gfx/scale.h"
#include "gfx_test_util.h"

namespace qm {
namespace {

using test::AlphaPtr;
using test::BitmapPtr;
using test::MaskPtr;

using test::tag;
BitmapPtr make_source(int32_t w, int32_t h) { return test::make_tagged(w, h); }

BitmapPtr make_blank(int32_t w, int32_t h) {
  BitmapPtr b(qmos_alloc_bitmap(w, h));
  qmos_fill_bitmap_rect(b.get(), 0, 0, w, h, 0);
  return b;
}

int32_t changed(qmBitmap* b) {
  int32_t n = 0;
  for (int32_t y = 0; y < b->height; ++y)
    for (int32_t x = 0; x < b->width; ++x) n += *test::pixel(b, x, y) != 0;
  return n;
}

// Records every service call in order.
std::vector<std::string> g_log;
struct Present {
  const qmBitmap* bitmap;
  int32_t sx, sy, dx, dy, w, h, scaled_w, scaled_h;
};
std::vector<Present> g_presents;
constexpr uint32_t kSpriteColour = 0xABCDEF;

class Blit : public ::testing::Test {
 protected:
  static constexpr int32_t kW = 32, kH = 16;
  BitmapPtr front = make_blank(kW, kH), back = make_blank(kW, kH);
  qmBlitPicture picture{kW, kH, nullptr, nullptr};
  qmBlitOutput display{};

  void SetUp() override {
    g_log.clear();
    g_presents.clear();
    display.object_type = kOutputDisplay;
    display.front = front.get();
    display.back = back.get();
    display.picture = &picture;
    blit_globals() = qmBlitGlobals{};
    blit_globals().current = &display;
    qmGfxServices& s = gfx_services();
    s.layers_redraw = [](qmState*, qmBlitOutput* out, qmBlitPicture* pic, qmBitmap* dest, int32_t x,
                         int32_t y, int32_t w, int32_t h, int32_t, int32_t flags) {
      if (flags != 1 && pic && pic->sprites) qmos_write_pixel(dest, 7, 7, kSpriteColour);  // the sprite on top
      g_log.push_back("redraw " +
                      std::string(dest == out->back ? "back" : dest == out->front ? "front" : "other") + " " +
                      std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(w) +
                      "x" + std::to_string(h) + " flags " + std::to_string(flags));
    };
    s.window_blit = [](const qmBitmap* b, int32_t sx, int32_t sy, qmBlitOutput*, int32_t dx,
                       int32_t dy, int32_t w, int32_t h, int32_t sw, int32_t sh, int32_t) {
      g_presents.push_back({b, sx, sy, dx, dy, w, h, sw, sh});
      g_log.push_back("present");
    };
  }
  void TearDown() override {
    gfx_services_reset();
    blit_globals() = qmBlitGlobals{};
    blit_free_scratch();
  }

  qmBlitOutput* blit(const qmBitmap* src, int32_t sx, int32_t sy, qmBitmap* dst, int32_t dx,
                     int32_t dy, int32_t w, int32_t h, int32_t flags,
                     const qmMask* mask = nullptr, const qmAlphaChannel* alpha = nullptr,
                     const qmClipRegion* clip = nullptr) {
    const int32_t dw = dst ? dst->width : kW, dh = dst ? dst->height : kH;
    return SAFEBLT(nullptr, src, sx, sy, dst, dx, dy, w, h, src->width, src->height, dw, dh,
                   flags, mask, alpha, clip);
  }
};

TEST_F(Blit, ClippingTable) {
  // Source 8 x 4 onto a 10 x 6 destination; the expected rectangle is what lands, as
  // (source x, source y, destination x, destination y, w, h), w 0 for nothing.
  const qmClipRegion big{-5, -5, 100, 100, nullptr, 0};
  const qmClipRegion small{3, 1, 4, 2, nullptr, 0};
  struct Case {
    const char* name;
    int32_t sx, sy, dx, dy, w, h;
    const qmClipRegion* clip;
    int32_t flags;
    int32_t esx, esy, edx, edy, ew, eh;
  } cases[] = {
      {"plain", 0, 0, 1, 1, 8, 4, nullptr, 16, 0, 0, 1, 1, 8, 4},
      {"source x -1 draws nothing", -1, 0, 0, 0, 4, 4, nullptr, 16, 0, 0, 0, 0, 0, 0},
      {"source y -1 draws nothing", 0, -1, 0, 0, 4, 4, nullptr, 16, 0, 0, 0, 0, 0, 0},
      {"destination x -5 shifts the source", 0, 0, -5, 0, 8, 4, nullptr, 16, 5, 0, 0, 0, 3, 4},
      {"width cut by both bounds", 2, 0, 6, 3, 8, 8, nullptr, 16, 2, 0, 6, 3, 4, 3},
      {"clip region narrows", 0, 0, 0, 0, 8, 4, &small, 16, 3, 1, 3, 1, 4, 2},
      {"clip region ignored with flag 1", 0, 0, 0, 0, 8, 4, &small, 17, 0, 0, 0, 0, 8, 4},
      {"clip region larger than the destination", 0, 0, -2, 3, 8, 4, &big, 16, 2, 0, 0, 3, 6, 3},
      {"entirely right of the destination", 0, 0, 10, 0, 8, 4, nullptr, 16, 0, 0, 0, 0, 0, 0},
  };
  BitmapPtr src = make_source(8, 4);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BitmapPtr dst = make_blank(10, 6);
    blit(src.get(), c.sx, c.sy, dst.get(), c.dx, c.dy, c.w, c.h, c.flags, nullptr, nullptr,
         c.clip);
    for (int32_t y = 0; y < 6; ++y)
      for (int32_t x = 0; x < 10; ++x) {
        const bool in = x >= c.edx && x < c.edx + c.ew && y >= c.edy && y < c.edy + c.eh;
        const uint32_t want = in ? tag(c.esx + x - c.edx, c.esy + y - c.edy) : 0;
        ASSERT_EQ(*test::pixel(dst.get(), x, y), want) << x << "," << y;
      }
  }
}

TEST_F(Blit, ClipRegionMaskGatesThePixels) {
  // A region whose mask lets through only its even columns.
  MaskPtr shape(qmos_alloc_mask(8, 4, 1));
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 8; x += 2) qmos_write_pixel(shape.get(), x, y, MASKVISIBLE);
  const qmClipRegion clip{2, 0, 8, 4, shape.get(), shape->bytes_per_row};
  BitmapPtr src = make_source(8, 4), dst = make_blank(12, 4);
  blit(src.get(), 0, 0, dst.get(), 0, 0, 8, 4, 0, nullptr, nullptr, &clip);
  for (int32_t x = 0; x < 12; ++x) {
    const bool in = x >= 2 && x < 8 + 0 && (x - 2) % 2 == 0;
    EXPECT_EQ(*test::pixel(dst.get(), x, 1), in ? tag(x, 1) : 0u) << x;
  }
  // An alpha source is gated the same way.
  AlphaPtr alpha(qmos_alloc_alpha(8, 4, 0));
  alpha_fill_rect(alpha.get(), 0, 0, 8, 4, 255);
  BitmapPtr dst2 = make_blank(12, 4);
  blit(src.get(), 0, 0, dst2.get(), 0, 0, 8, 4, 0, nullptr, alpha.get(), &clip);
  for (int32_t x = 0; x < 12; ++x) {
    const bool in = x >= 2 && x < 8 && (x - 2) % 2 == 0;
    EXPECT_EQ(*test::pixel(dst2.get(), x, 1), in ? tag(x, 1) : 0u) << x;
  }
}

TEST_F(Blit, FlagMatrixOnADisplay) {
  BitmapPtr src = make_source(4, 4);
  struct Case {
    const char* name;
    int32_t flags;
    int32_t layers;
    int32_t scaled;
    int32_t front_drawn, back_drawn;  // pixels changed
    const char* log;                  // service calls in order
    const qmBitmap* presented;        // the bitmap handed to the window (nullptr: src)
    bool whole_scaled;
  } cases[] = {
      {"no flags: the source straight to the window", 0, 0, 0, 0, 0, "present", nullptr, false},
      {"flag 4: front bitmap, presented", 4, 0, 0, 16, 0, "present", front.get(), false},
      {"flag 4 and 32: front bitmap, not presented", 36, 0, 0, 16, 0, "", nullptr, false},
      {"flag 4 with layers on draws no bitmap", 4, 1, 0, 0, 0, "present", nullptr, false},
      {"flag 64 draws the front even with layers", 64, 1, 0, 16, 0, "present", front.get(), false},
      {"flag 8 with layers: recomposed back, presented", 8, 1, 0, 0, 0,
       "redraw back 5,6 4x4 flags 0|present", back.get(), false},
      {"flag 8 without layers: source to the window", 8, 0, 0, 0, 0, "present", nullptr, false},
      {"scaled: front and back drawn, back presented whole", 4, 0, 1, 16, 16, "present",
       back.get(), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    qmos_fill_bitmap_rect(front.get(), 0, 0, kW, kH, 0);
    qmos_fill_bitmap_rect(back.get(), 0, 0, kW, kH, 0);
    display.layers_on = c.layers;
    display.scaled = c.scaled;
    display.scaled_width = c.scaled ? 64 : 0;
    display.scaled_height = c.scaled ? 32 : 0;
    EXPECT_EQ(blit(src.get(), 0, 0, nullptr, 5, 6, 4, 4, c.flags), &display);
    EXPECT_EQ(changed(front.get()), c.front_drawn);
    EXPECT_EQ(changed(back.get()), c.back_drawn);
    std::string log;
    for (const std::string& s : g_log) log += (log.empty() ? "" : "|") + s;
    EXPECT_EQ(log, c.log);
    if (!g_presents.empty()) {
      const Present& p = g_presents.back();
      EXPECT_EQ(p.bitmap, c.presented ? c.presented : src.get());
      if (c.whole_scaled) {
        EXPECT_EQ(p.w, kW);
        EXPECT_EQ(p.scaled_w, 64);
      } else {
        EXPECT_EQ(p.dx, 5);
        EXPECT_EQ(p.dy, 6);
        EXPECT_EQ(p.w, 4);
        EXPECT_EQ(p.scaled_w, 0);
      }
    }
    if (c.front_drawn) {
      EXPECT_EQ(*test::pixel(front.get(), 5, 6), tag(0, 0));
    }
  }
}

TEST_F(Blit, SelectedTargetPlanesFollowModesAndIntensity) {
  // An offscreen target (not a display) keeps its own mask and alpha plane; without a
  // destination bitmap only they change.
  MaskPtr tmask(qmos_alloc_mask(kW, kH, 1));
  AlphaPtr talpha(qmos_alloc_alpha(kW, kH, 1));
  qmBlitOutput target{};
  target.object_type = 3;
  target.target_mask = tmask.get();
  target.target_alpha = talpha.get();
  BitmapPtr src = make_source(4, 1);
  AlphaPtr salpha(qmos_alloc_alpha(4, 1, 1));
  const uint8_t svalues[4] = {0, 10, 200, 255};
  for (int i = 0; i < 4; ++i) salpha->data[i] = svalues[i];
  struct Case {
    const char* name;
    bool alpha_source, with_dest;
    int32_t mask_mode, intensity, blend;
    uint8_t mask_before;  // every bit of row 0 set (1) or clear (0)
    uint8_t alpha_before;
    uint8_t want_mask[4];
    uint8_t want_alpha[4];
  } cases[] = {
      {"plain, mask mode visible, no intensity", false, false, MASKVISIBLE, -1, 0, 0, 7,
       {1, 1, 1, 1}, {255, 255, 255, 255}},
      {"plain, mask mode invisible, intensity 90", false, false, MASKINVISIBLE, 90, 0, 1, 7,
       {0, 0, 0, 0}, {90, 90, 90, 90}},
      {"plain with a destination: copy mode, 255", false, true, MASKINVISIBLE, 90, 0, 0, 7,
       {1, 1, 1, 1}, {255, 255, 255, 255}},
      {"alpha, intensity: mode 6", true, false, MASKVISIBLE, 90, 0, 0, 7, {0, 0, 0, 1},
       {7, 90, 90, 90}},
      {"alpha, blend switch on: mode 1", true, false, MASKVISIBLE, -1, 1, 0, 7, {0, 0, 0, 1},
       {7, 10, 200, 255}},
      {"alpha, blend switch off: mode 0", true, false, MASKVISIBLE, -1, 0, 0, 7, {0, 0, 0, 1},
       {0, 10, 200, 255}},
      {"alpha with a destination: copy mode clears", true, true, MASKVISIBLE, 90, 0, 1, 7,
       {0, 0, 0, 1}, {0, 10, 200, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    blit_globals().current = &target;
    blit_globals().mask_mode = c.mask_mode;
    blit_globals().alpha_intensity = c.intensity;
    blit_globals().alpha_blend = c.blend;
    qmos_mask_rect_op(tmask.get(), 0, 0, kW, kH, c.mask_before ? MASKVISIBLE : MASKINVISIBLE);
    alpha_fill_rect(talpha.get(), 0, 0, kW, kH, c.alpha_before);
    BitmapPtr dest = make_blank(kW, kH);
    blit(src.get(), 0, 0, c.with_dest ? dest.get() : nullptr, 2, 0, 4, 1, 0, nullptr,
         c.alpha_source ? salpha.get() : nullptr);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(qmos_read_pixel(tmask.get(), 2 + i, 0), c.want_mask[i]) << i;
      EXPECT_EQ(talpha->data[2 + i], c.want_alpha[i]) << i;
    }
    // Outside the rectangle nothing changes.
    EXPECT_EQ(talpha->data[1], c.alpha_before);
    EXPECT_EQ(talpha->data[6], c.alpha_before);
    EXPECT_TRUE(g_presents.empty());
  }
  // Flag 16 leaves both planes alone.
  alpha_fill_rect(talpha.get(), 0, 0, kW, kH, 3);
  BitmapPtr dest = make_blank(kW, kH);
  blit(src.get(), 0, 0, dest.get(), 0, 0, 4, 1, 16);
  EXPECT_EQ(talpha->data[0], 3);
  EXPECT_EQ(*test::pixel(dest.get(), 0, 0), tag(0, 0));
}

TEST_F(Blit, AlphaSourceIntoAnAlphaCarryingTarget) {
  // With the target carrying an alpha plane, the blend switch chooses a gated copy (on) or a
  // plain copy (off); without one the source blends.
  AlphaPtr talpha(qmos_alloc_alpha(kW, kH, 1));
  BitmapPtr src(qmos_alloc_bitmap(3, 1));
  for (int i = 0; i < 3; ++i) *test::pixel(src.get(), i, 0) = 0xC8C8C800;
  AlphaPtr salpha(qmos_alloc_alpha(3, 1, 1));
  salpha->data[1] = 128;
  salpha->data[2] = 255;
  struct Case {
    bool target_alpha;
    int32_t blend;
    uint32_t want[3];
  } cases[] = {
      {true, 1, {0x40404000, 0xC8C8C800, 0xC8C8C800}},
      {true, 0, {0xC8C8C800, 0xC8C8C800, 0xC8C8C800}},
      {false, 0, {0x40404000, 0x84848400, 0xC8C8C800}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.target_alpha << c.blend);
    display.target_alpha = c.target_alpha ? talpha.get() : nullptr;
    blit_globals().alpha_blend = c.blend;
    BitmapPtr dest(qmos_alloc_bitmap(3, 1));
    qmos_fill_bitmap_rect(dest.get(), 0, 0, 3, 1, 0x404040);
    blit(src.get(), 0, 0, dest.get(), 0, 0, 3, 1, 16, nullptr, salpha.get());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(*test::pixel(dest.get(), i, 0), c.want[i]) << i;
  }
}

TEST_F(Blit, SpritePassDrawsUnderneathAndPutsTheSpritesBack) {
  const qmSpriteRect sprite{nullptr, 7, 7, 2, 2};
  picture.sprites = &sprite;
  BitmapPtr src = make_source(4, 4);
  // Touching only at the corner (8, 8) counts: the test is inclusive.
  blit(src.get(), 0, 0, nullptr, 5, 5, 4, 4, 0);
  ASSERT_EQ(g_log.size(), 3u);
  EXPECT_EQ(g_log[0], "redraw back 5,5 4x4 flags 1");
  EXPECT_EQ(g_log[1], "redraw back 5,5 4x4 flags 2");
  EXPECT_EQ(g_log[2], "present");
  // The source went into the back bitmap, and the back bitmap is what reaches the window.
  EXPECT_EQ(*test::pixel(back.get(), 5, 5), tag(0, 0));
  EXPECT_EQ(qmos_read_pixel(back.get(), 7, 7), kSpriteColour);
  EXPECT_EQ(g_presents[0].bitmap, back.get());
  EXPECT_EQ(changed(front.get()), 0);

  // With flag 4 the source goes into the front bitmap, which stays free of sprites: the
  // rectangle is composed again from it into the back bitmap, and that reaches the window.
  SetUp();
  picture.sprites = &sprite;
  qmos_fill_bitmap_rect(back.get(), 0, 0, kW, kH, 0);
  blit(src.get(), 0, 0, nullptr, 5, 5, 4, 4, 4);
  EXPECT_EQ(g_log, (std::vector<std::string>{"redraw back 5,5 4x4 flags 0", "present"}));
  EXPECT_EQ(*test::pixel(front.get(), 7, 7), tag(2, 2));
  EXPECT_EQ(qmos_read_pixel(back.get(), 7, 7), kSpriteColour);
  EXPECT_EQ(g_presents[0].bitmap, back.get());

  // A sprite that does not overlap leaves the pass out.
  SetUp();
  const qmSpriteRect away{nullptr, 9, 9, 2, 2};
  picture.sprites = &away;
  blit(src.get(), 0, 0, nullptr, 5, 5, 4, 4, 4);
  EXPECT_EQ(g_log, std::vector<std::string>{"present"});
}

TEST_F(Blit, FallbackDisplayStandsInForOneCallWithFlag16) {
  qmBlitOutput fallback{};
  fallback.object_type = kOutputDisplay;
  blit_globals().current = nullptr;
  blit_globals().fallback = &fallback;
  BitmapPtr src = make_source(4, 4), dest = make_blank(8, 8);
  EXPECT_EQ(blit(src.get(), 0, 0, dest.get(), 1, 1, 4, 4, 16), &fallback);
  EXPECT_EQ(*test::pixel(dest.get(), 1, 1), tag(0, 0));
  EXPECT_EQ(blit_globals().current, nullptr);
  // Also when the call draws nothing.
  EXPECT_EQ(blit(src.get(), -1, 0, dest.get(), 1, 1, 4, 4, 16), &fallback);
  EXPECT_EQ(blit_globals().current, nullptr);
  // Without flag 16 there is no stand-in: nothing is drawn.
  BitmapPtr dest2 = make_blank(8, 8);
  testing::internal::CaptureStderr();
  EXPECT_EQ(blit(src.get(), 0, 0, dest2.get(), 0, 0, 4, 4, 0), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "ERROR! SAFEBLT() CALLED WITH DISPLAY=NULL!\n");
  EXPECT_EQ(changed(dest2.get()), 0);
}

TEST_F(Blit, PresentRectHonoursRecordingAndScaling) {
  BitmapPtr b = make_blank(kW, kH);
  qmRecording rec{4, 0};
  blit_globals().recording = &rec;
  display_present_rect(b.get(), 1, 2, &display, 3, 4, 5, 6, 0);
  EXPECT_EQ(rec.frame_changed, 1);
  EXPECT_TRUE(g_presents.empty());
  display_present_rect(b.get(), 1, 2, &display, 3, 4, 5, 6, 2);  // flag 2 bypasses the capture
  ASSERT_EQ(g_presents.size(), 1u);
  EXPECT_EQ(g_presents[0].dx, 3);
  // A scaled display with flag 1 presents the whole bitmap scaled, but not while recording.
  display.scaled = 1;
  display.scaled_width = 64;
  display.scaled_height = 32;
  rec.flags = 0;
  display_present_rect(b.get(), 1, 2, &display, 3, 4, 5, 6, 1);
  EXPECT_EQ(g_presents.size(), 1u);
  blit_globals().recording = nullptr;
  display_present_rect(b.get(), 1, 2, &display, 3, 4, 5, 6, 1);
  ASSERT_EQ(g_presents.size(), 2u);
  EXPECT_EQ(g_presents[1].w, kW);
  EXPECT_EQ(g_presents[1].scaled_h, 32);
}

TEST_F(Blit, RefreshWholeRecomposesOrHandsToTheDoubleBuffer) {
  static int borders, refreshes;
  borders = refreshes = 0;
  gfx_services().draw_borders = [](qmBlitOutput*) { ++borders; };
  gfx_services().display_refresh = [](qmBlitOutput*, int32_t mode, int32_t) {
    EXPECT_EQ(mode, 1);
    ++refreshes;
  };
  display_refresh_whole(nullptr, &display, 0);
  EXPECT_EQ(g_log, (std::vector<std::string>{"redraw front 0,0 32x16 flags 0", "present"}));
  EXPECT_EQ(borders, 1);
  EXPECT_EQ(refreshes, 0);
  ASSERT_EQ(g_presents.size(), 1u);
  EXPECT_EQ(g_presents[0].bitmap, front.get());
  display.second_buffer = 1;
  display_refresh_whole(nullptr, &display, 0);
  EXPECT_EQ(borders, 2);
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(g_presents.size(), 1u);
}

qmBitmap* g_window = nullptr;
int32_t g_window_blits = 0;

// A display output whose front and back bitmaps and window start with the same numbered pixels.
struct Output {
  BitmapPtr front, back, window;
  qmBlitPicture picture;
  qmBlitOutput out{};
  Output(int32_t w, int32_t h, int32_t layers, int32_t scaled, int32_t double_buffer, const qmSpriteRect* sprites)
      : front(make_blank(w, h)), back(make_blank(w, h)), window(make_blank(w, h)), picture{w, h, sprites, nullptr} {
    for (qmBitmap* b : {front.get(), back.get(), window.get()})
      for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) *test::pixel(b, x, y) = 0x11000000u + uint32_t(y * w + x);
    out.object_type = kOutputDisplay;
    out.front = front.get();
    out.back = back.get();
    out.picture = &picture;
    out.layers_on = layers;
    out.scaled = scaled;
    out.scaled_width = scaled ? 2 * w : 0;
    out.scaled_height = scaled ? 2 * h : 0;
    out.double_buffer = double_buffer;
  }
  // Makes this output the current one, its window the one the window service draws on.
  void use() {
    blit_globals().current = &out;
    g_window = window.get();
    g_window_blits = 0;
  }
};

void expect_same(const Output& a, const Output& b) {
  for (auto [p, q, what] : {std::tuple{a.front.get(), b.front.get(), "front"},
                            std::tuple{a.back.get(), b.back.get(), "back"},
                            std::tuple{a.window.get(), b.window.get(), "window"}})
    for (int32_t y = 0; y < p->height; ++y)
      for (int32_t x = 0; x < p->width; ++x)
        ASSERT_EQ(*test::pixel(p, x, y), *test::pixel(q, x, y)) << what << " " << x << "," << y;
}

// Draws into the current window as the display's window service does.
void window_service() {
  gfx_services().window_blit = [](const qmBitmap* b, int32_t sx, int32_t sy, qmBlitOutput*, int32_t dx, int32_t dy,
                                  int32_t w, int32_t h, int32_t, int32_t, int32_t) {
    ++g_window_blits;
    BLTBITMAP(b, sx, sy, g_window, dx, dy, w, h);
  };
}

// SAFEBLT_RECTS against one SAFEBLT a rectangle: the front and back bitmaps and a window that
// takes what is presented must end the same, in every state of the output. The window starts as
// the front bitmap, as the display keeps it.
TEST(BlitRects, SameAsOneSafebltARectangle) {
  constexpr int32_t W = 80, H = 20;
  const std::vector<BlitRect> columns = [] {
    std::vector<BlitRect> v;
    for (int32_t x = 0; x < W; x += 16) v.push_back({x, 0, 3, H});
    return v;
  }();
  const std::vector<BlitRect> mixed = {
      {70, 2, 20, 5},   // past the right edge: cut
      {10, 4, 30, 3},   // over another
      {12, 0, 4, 15},   // the one it lies over
      {-2, 3, 5, 5},    // negative source corner: nothing
      {50, 18, 6, 9},   // past the bottom: cut
      {40, 25, 5, 5},   // wholly below: nothing
      {60, 6, 1, 1},
      {3, 10, 0, 4},    // empty
      {30, 10, 20, 2},  // far from its neighbours on the same rows
      {75, 10, 2, 2},
  };
  const qmSpriteRect sprite{nullptr, 12, 3, 2, 2};
  struct Case {
    const char* name;
    const std::vector<BlitRect>* rects;
    int32_t flags, layers, scaled;
    bool mask, sprites;
    int32_t dx, dy;
    int32_t window_blits;  // by SAFEBLT_RECTS; -1 when not checked
  } cases[] = {
      {"thin columns: one band, joined", &columns, BLIT_FRONT, 0, 0, false, false, 0, 0, 1},
      {"thin columns shifted, cut at the edges", &columns, BLIT_FRONT, 0, 0, false, false, -1, 3, 1},
      {"overlaps, cuts and gaps", &mixed, BLIT_FRONT, 0, 0, false, false, 0, 0, -1},
      {"not presented", &mixed, BLIT_FRONT | BLIT_NOPRESENT, 0, 0, false, false, 0, 0, 0},
      {"through a mask", &mixed, BLIT_FRONT, 0, 0, true, false, 0, 0, -1},
      {"under a sprite", &mixed, BLIT_FRONT, 0, 0, false, true, 0, 0, -1},
      {"scaled display", &mixed, BLIT_FRONT | BLIT_NOPRESENT, 0, 1, false, false, 0, 0, 0},
      {"layers on, front always", &columns, BLIT_FRONT | BLIT_ALWAYSFRONT, 1, 0, false, false, 0, 0, -1},
      {"layers on, straight to the window", &columns, BLIT_FRONT, 1, 0, false, false, 2, 1, -1},
  };
  BitmapPtr src = make_source(W, H);
  MaskPtr mask(qmos_alloc_mask(W, H, 1));
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = (y % 3); x < W; x += 3) qmos_write_pixel(mask.get(), x, y, MASKVISIBLE);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Output batch(W, H, c.layers, c.scaled, 0, c.sprites ? &sprite : nullptr);
    Output single(W, H, c.layers, c.scaled, 0, c.sprites ? &sprite : nullptr);
    window_service();
    const qmMask* m = c.mask ? mask.get() : nullptr;
    blit_globals() = qmBlitGlobals{};
    single.use();
    for (const BlitRect& r : *c.rects)
      SAFEBLT(nullptr, src.get(), r.x, r.y, nullptr, r.x + c.dx, r.y + c.dy, r.width, r.height, W, H, W, H, c.flags,
              m, nullptr, nullptr);
    batch.use();
    SAFEBLT_RECTS(nullptr, src.get(), c.rects->data(), c.rects->size(), c.dx, c.dy, W, H, W, H, c.flags, m, nullptr);
    if (c.window_blits >= 0) {
      EXPECT_EQ(g_window_blits, c.window_blits);
    }
    expect_same(batch, single);
    gfx_services_reset();
    blit_globals() = qmBlitGlobals{};
  }
}

// SAFEBLT_SCALED against the scaled copy made first and drawn with SAFEBLT: the same front bitmap
// and window wherever it draws; elsewhere it declines and leaves the output as it was.
TEST(BlitScaled, SameAsTheCopyDrawnWithSafeblt) {
  constexpr int32_t W = 40, H = 24;
  BitmapPtr src = make_source(37, 23);
  struct Case {
    const char* name;
    int32_t dx, dy, dw, dh, flags, bound_w;
    int32_t layers, scaled, double_buffer;
    bool drawn;
    int32_t window_blits;
  } cases[] = {
      {"inside, shrunk", 5, 3, 20, 13, BLIT_FRONT, W, 0, 0, 0, true, 1},
      {"enlarged past every edge", -7, -5, 61, 37, BLIT_FRONT, W, 0, 0, 0, true, 1},
      {"cut at the right and bottom", 30, 19, 17, 9, BLIT_FRONT, W, 0, 0, 0, true, 1},
      {"narrower bounds", 2, 2, 30, 10, BLIT_FRONT, 25, 0, 0, 0, true, 1},
      {"wholly outside", 45, 0, 10, 10, BLIT_FRONT, W, 0, 0, 0, true, 0},
      {"not presented", 1, 1, 11, 30, BLIT_FRONT | BLIT_NOPRESENT, W, 0, 0, 0, true, 0},
      {"layers on", 1, 1, 11, 7, BLIT_FRONT, W, 1, 0, 0, false, 0},
      {"scaled display", 1, 1, 11, 7, BLIT_FRONT, W, 0, 1, 0, false, 0},
      {"double buffered", 1, 1, 11, 7, BLIT_FRONT, W, 0, 0, 1, false, 0},
      {"bounds past the front bitmap", 1, 1, 50, 7, BLIT_FRONT, 60, 0, 0, 0, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Output direct(W, H, c.layers, c.scaled, c.double_buffer, nullptr);
    Output copied(W, H, c.layers, c.scaled, c.double_buffer, nullptr);
    window_service();
    blit_globals() = qmBlitGlobals{};
    direct.use();
    const bool drawn = SAFEBLT_SCALED(nullptr, src.get(), 2, 1, 33, 21, c.dx, c.dy, c.dw, c.dh, c.bound_w, H, c.flags);
    EXPECT_EQ(drawn, c.drawn);
    EXPECT_EQ(g_window_blits, c.window_blits);
    if (drawn) {
      qmBitmap* made = nullptr;
      ASSERT_EQ(bitmap_draw(src.get(), nullptr, nullptr, 2, 1, nullptr, 33, 21, c.dw, c.dh, 0, &made, nullptr, nullptr),
                0);
      BitmapPtr copy(made);
      copied.use();
      SAFEBLT(nullptr, copy.get(), 0, 0, nullptr, c.dx, c.dy, c.dw, c.dh, c.dw, c.dh, c.bound_w, H, c.flags, nullptr,
              nullptr, nullptr);
    }
    expect_same(direct, copied);
    gfx_services_reset();
    blit_globals() = qmBlitGlobals{};
  }
  // A rectangle past the source's edge is declined, even where none of the copy would show.
  Output plain(W, H, 0, 0, 0, nullptr);
  plain.use();
  for (const int32_t dx : {5, 100})
    EXPECT_FALSE(SAFEBLT_SCALED(nullptr, src.get(), 10, 1, 33, 21, dx, 3, 20, 13, W, H, BLIT_FRONT)) << dx;
  blit_globals() = qmBlitGlobals{};
}

TEST(BlitColour, PixelFormatOfEveryCode) {
  const uint32_t c = 0xFF8040;
  const uint32_t want[16] = {0x7E08,     0x221F,     0x087E,   0x1F22,   0xFC08,   0x441F,
                             0x08FC,     0x1F44,     0xFF8040, 0x4080FF, 0xFF8040, 0x4080FF00,
                             0xFF804000, 0x4080FF,   0,        0};
  for (int32_t code = 0; code < 16; ++code) EXPECT_EQ(color_to_pixel_format(c, code), want[code]) << code;
  EXPECT_EQ(color_to_pixel_format(c, -1), 0u);
}

TEST(BlitColour, RgbBlendAtItsEnds) {
  EXPECT_EQ(rgb_blend(0x000000, 0xFFFFFF, 128), 0x7F7F7Fu);
  EXPECT_EQ(rgb_blend(0x102030, 0x405060, 256), 0x405060u);
  EXPECT_EQ(rgb_blend(0x102030, 0x405060, 0), 0x102030u);
  // The shift of a negative product rounds down: 255 - 128 = 127, not 128.
  EXPECT_EQ(rgb_blend(0xFFFFFF, 0x000000, 128), 0x7F7F7Fu);
}

}  // namespace
}  // namespace qm
