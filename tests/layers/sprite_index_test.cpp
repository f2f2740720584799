// Sprites found through the picture's index compose exactly as a walk of the whole list would:
// random scenes of overlapping sprites (masked and opaque, small and larger than the index's
// cells, some reaching outside the picture) are shown, moved, stepped and removed, and after each
// change the display's composition is compared with one drawn by walking the list in its order.
// Deferred moves, flushed at random points between immediate changes or in crowded runs, leave
// the same composition, and what they present covers everything they changed.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "display/display.h"
#include "gfx/bitmap.h"
#include "gfx/blit.h"
#include "gfx/blitpixels.h"
#include "layers/sprite.h"
#include "tests/counting_new.h"

using namespace qm;

namespace {

constexpr int32_t kW = 300, kH = 200;

struct SpriteIndexTest : ::testing::Test {
  qmBGPic pic{};
  qmDisplay* display = new qmDisplay();
  qmDisplay* previous = display_system().current;
  qmBitmap* reference = qmos_alloc_bitmap(kW, kH);
  std::vector<qmSprite*> sprites;
  std::mt19937 rng{20240611};

  SpriteIndexTest() {
    pic.current.bitmap = qmos_alloc_bitmap(kW, kH);
    pic.display_width = pic.width = kW;
    pic.display_height = pic.height = kH;
    for (int32_t row = 0; row < kH; ++row) qmos_fill_bitmap_rect(pic.current.bitmap, 0, row, kW, 1, uint32_t(row));
    display->bgpic = &pic;
    display->buffer2 = qmos_alloc_bitmap(kW, kH);
    BLTBITMAP(pic.current.bitmap, 0, 0, display->buffer2, 0, 0, kW, kH);
    display->output.object_type = kOutputDisplay;
    display_system().current = display;
    display->header.next = display_system().list;
    display_system().list = &display->header;
  }
  ~SpriteIndexTest() override {
    sprites_clear(&pic);
    sprites_free_all(nullptr);
    display_system().current = previous;
    display_system().list = display->header.next;
    qmos_free_bitmap(display->buffer2);
    display->buffer2 = nullptr;
    display->bgpic = nullptr;
    delete display;
    qmos_free_bitmap(pic.current.bitmap);
    qmos_free_bitmap(reference);
  }

  // A sprite of two frames in colours of its own; masked ones have a hole in the middle, blended
  // ones an alpha ramp.
  qmSprite* make(int32_t w, int32_t h, bool masked, bool blended = false) {
    std::vector<SpriteFrame> frames;
    for (int32_t f = 0; f < 2; ++f) {
      SpriteFrame fr;
      fr.bitmap = qmos_alloc_bitmap(w, h);
      qmos_fill_bitmap_rect(fr.bitmap, 0, 0, w, h, 0x100000u * uint32_t(sprites.size() + 1) + 0x100u * uint32_t(f));
      if (masked) {
        fr.mask = qmos_alloc_mask(w, h, 1);
        qmos_mask_rect_op(fr.mask, w / 4, h / 4, w / 2, h / 2, 0);
      } else if (blended) {
        fr.alpha = qmos_alloc_alpha(w, h, 0);
        for (int32_t y = 0; y < h; ++y)
          for (int32_t x = 0; x < w; ++x) fr.alpha->data[size_t(y) * size_t(fr.alpha->bytes_per_row) + size_t(x)] = uint8_t(x * 37 + y * 11);
      }
      frames.push_back(fr);
    }
    qmSprite* s = nullptr;
    EXPECT_EQ(sprite_new(ObjectId{int32_t(sprites.size()) + 1, nullptr}, w, h, frames, &s), 0);
    sprites.push_back(s);
    return s;
  }

  // The whole frame as a walk of the list draws it.
  void compose_by_walk() {
    BLTBITMAP(pic.current.bitmap, 0, 0, reference, 0, 0, kW, kH);
    for (const SpriteEntry* e = sprite_entries(&pic); e; e = sprite_entry_next(e)) {
      const qmBitmap* bm = nullptr;
      const qmMask* mask = nullptr;
      const qmAlphaChannel* alpha = nullptr;
      ASSERT_TRUE(sprite_get_frame(e->sprite, e->frame - 1, &bm, &mask, &alpha));
      int32_t sx = 0, sy = 0, x = e->rect.x, y = e->rect.y, w = e->rect.width, h = e->rect.height;
      if (x < 0) sx = -x, w += x, x = 0;
      if (y < 0) sy = -y, h += y, y = 0;
      w = std::min(w, kW - x), h = std::min(h, kH - y);
      if (w < 1 || h < 1) continue;
      if (mask) BLTMASK(bm, sx, sy, reference, x, y, w, h, mask);
      else if (alpha) BLTALPHABITMAP(bm, sx, sy, reference, x, y, w, h, alpha);
      else BLTBITMAP(bm, sx, sy, reference, x, y, w, h);
    }
  }

  bool walk_overlaps(const Rect& r) {
    for (const SpriteEntry* e = sprite_entries(&pic); e; e = sprite_entry_next(e))
      if (rect_overlaps(to_corners(Rect{e->rect.x, e->rect.y, e->rect.width, e->rect.height}), to_corners(r)))
        return true;
    return false;
  }

  int32_t differing_pixels(const qmBitmap* shown = nullptr) {
    compose_by_walk();
    if (!shown) shown = display->buffer2;
    int32_t n = 0;
    for (int32_t y = 0; y < kH; ++y)
      for (int32_t x = 0; x < kW; ++x)
        n += (qmos_read_pixel(reference, x, y) & 0xFFFFFF) != (qmos_read_pixel(shown, x, y) & 0xFFFFFF);
    return n;
  }

  int32_t any(int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); }
};

}  // namespace

TEST_F(SpriteIndexTest, RefreshesComposeAsTheListWalkDoes) {
  const int32_t sizes[][2] = {{8, 8}, {20, 12}, {70, 40}, {150, 130}};
  for (int32_t i = 0; i < 24; ++i) {
    const auto& size = sizes[i % 4];
    make(size[0], size[1], i % 3 != 0);
  }
  for (int32_t step = 0; step < 600; ++step) {
    qmSprite* s = sprites[size_t(any(0, int32_t(sprites.size()) - 1))];
    const int32_t what = any(0, 9);
    if (what == 0) {
      if (sprite_entry_of(&pic, s)) {
        ASSERT_EQ(sprite_remove(nullptr, s), 0);
      }
    } else if (what == 1) {
      // Far outside the picture, on either side.
      ASSERT_EQ(sprite_show(nullptr, s, any(0, 1) ? -5000 : 5000, any(-300, 500), 0), 0);
    } else {
      ASSERT_EQ(sprite_show(nullptr, s, any(-100, kW + 20), any(-100, kH + 20), any(0, 2)), 0);
    }
    ASSERT_EQ(differing_pixels(), 0) << "after step " << step;
  }
  // A sprite shown again goes to the end of the list, over the others.
  qmSprite* bottom = sprite_entries(&pic)->sprite;
  ASSERT_EQ(sprite_remove(nullptr, bottom), 0);
  ASSERT_EQ(sprite_show(nullptr, bottom, 40, 40, 1), 0);
  EXPECT_EQ(differing_pixels(), 0);
  ASSERT_EQ(sprites_remove_all(nullptr, false), 0);
  EXPECT_EQ(differing_pixels(), 0);
}

TEST_F(SpriteIndexTest, OverlapAnswersAsTheListWalkDoes) {
  for (int32_t i = 0; i < 12; ++i) ASSERT_EQ(sprite_show(nullptr, make(10 + i * 7, 9, false), any(-50, kW), any(-50, kH), 1), 0);
  for (int32_t i = 0; i < 2000; ++i) {
    const Rect r{any(-400, kW + 400), any(-400, kH + 400), any(1, 90), any(1, 90)};
    ASSERT_EQ(sprites_overlap(&pic, r), walk_overlaps(r)) << r.x << "," << r.y << " " << r.width << "x" << r.height;
  }
}

// Lookups and compositions made between deferred moves and their flush see every sprite where
// it now is, also one that left every cell it was filed in.
TEST_F(SpriteIndexTest, LookupsBeforeTheFlushSeeDeferredMoves) {
  for (int32_t i = 0; i < 12; ++i)
    ASSERT_EQ(
        sprite_show(nullptr, make(10 + i * 7, 9, i % 2 == 0), any(0, kW - 20), any(0, kH - 20), 1),
        0);
  qmBitmap* composed = qmos_alloc_bitmap(kW, kH);
  for (int32_t step = 0; step < 300; ++step) {
    qmSprite* s = sprites[size_t(any(0, int32_t(sprites.size()) - 1))];
    ASSERT_EQ(sprite_show(nullptr, s, any(-40, kW), any(-40, kH), 0, true), 0);
    if (step % 10 == 0) {
      // The whole picture takes every entry; a smaller area asks the index.
      sprites_compose(&pic, composed, Rect{0, 0, kW, kH}, 0);
      sprites_compose(&pic, composed, Rect{any(0, kW - 60), any(0, kH - 60), 60, 60}, 0);
      ASSERT_EQ(differing_pixels(composed), 0) << "step " << step;
    }
    const Rect r{any(-50, kW), any(-50, kH), any(1, 60), any(1, 60)};
    ASSERT_EQ(sprites_overlap(&pic, r), walk_overlaps(r)) << "step " << step;
    if (step % 25 == 0) sprites_flush_pending();
  }
  sprites_flush_pending();
  EXPECT_EQ(differing_pixels(), 0);
  qmos_free_bitmap(composed);
}

// A moved entry whose refiling runs out of memory leaves the index to be filed again whole, and
// one that cannot be either is read through the list until it can: no lookup misses the entry.
TEST_F(SpriteIndexTest, AnIndexOutOfMemoryStillFindsMovedEntries) {
  qmBitmap* composed = qmos_alloc_bitmap(kW, kH);
  for (const long refused : {1L, 2L}) {
    SCOPED_TRACE(refused);
    sprites_clear(&pic);
    sprites_free_all(nullptr);
    sprites.clear();
    for (int32_t i = 0; i < 8; ++i)
      ASSERT_EQ(sprite_show(nullptr, make(12, 12, i % 2 == 0), 10 + i * 14, 10, 1), 0);
    // Into cells that hold nothing yet: refiling it allocates (the first refused), and so does
    // filing the index again (the second).
    ASSERT_EQ(sprite_show(nullptr, sprites[3], 250, 150, 0, true), 0);
    g_refused_allocations = refused;
    EXPECT_TRUE(sprites_overlap(&pic, Rect{255, 155, 2, 2}));
    EXPECT_EQ(g_refused_allocations.load(), 0);
    g_refused_allocations = 0;
    sprites_compose(&pic, composed, Rect{0, 0, kW, kH}, 0);
    sprites_compose(&pic, composed, Rect{240, 140, 40, 40}, 0);
    EXPECT_EQ(differing_pixels(composed), 0);
    // The next moves file the index again.
    ASSERT_EQ(sprite_show(nullptr, sprites[5], 30, 120, 0, true), 0);
    for (int32_t i = 0; i < 300; ++i) {
      const Rect r{any(-20, kW), any(-20, kH), any(1, 40), any(1, 40)};
      ASSERT_EQ(sprites_overlap(&pic, r), walk_overlaps(r))
          << r.x << "," << r.y << " " << r.width << "x" << r.height;
    }
    sprites_flush_pending();
    EXPECT_EQ(differing_pixels(), 0);
  }
  qmos_free_bitmap(composed);
}

namespace {

// What the window would show: every presented rectangle copied from the display's buffer 2.
qmBitmap* g_screen = nullptr;
void present_to_screen(const qmDisplay* d, const Rect& r) { BLTBITMAP(d->buffer2, r.x, r.y, g_screen, r.x, r.y, r.width, r.height); }

}  // namespace

TEST_F(SpriteIndexTest, DeferredMovesComposeAndPresentAsImmediateOnes) {
  const int32_t sizes[][2] = {{8, 8}, {33, 12}, {70, 40}, {150, 130}, {5, 90}};
  for (int32_t i = 0; i < 30; ++i) make(sizes[i % 5][0], sizes[i % 5][1], i % 3 == 1, i % 3 == 2);
  g_screen = qmos_alloc_bitmap(kW, kH);
  BLTBITMAP(display->buffer2, 0, 0, g_screen, 0, 0, kW, kH);
  sprites_set_refresh_observer(present_to_screen);
  int32_t flushes = 0;
  for (int32_t step = 0; step < 1500; ++step) {
    qmSprite* s = sprites[size_t(any(0, int32_t(sprites.size()) - 1))];
    const int32_t what = any(0, 19);
    if (what == 0 && sprite_entry_of(&pic, s)) {
      ASSERT_EQ(sprite_remove(nullptr, s), 0);
    } else if (what == 1) {
      ASSERT_EQ(sprite_show(nullptr, s, any(-100, kW + 20), any(-100, kH + 20), any(0, 2)), 0);
    } else if (what == 2) {
      // Far outside, then back: areas the picture does not hold are kept too.
      ASSERT_EQ(sprite_show(nullptr, s, any(0, 1) ? -5000 : 5000, any(-300, 500), 0, true), 0);
    } else if (what < 5) {
      ++flushes;
      sprites_flush_pending();
      ASSERT_FALSE(sprites_pending());
      ASSERT_EQ(differing_pixels(), 0) << "composed, after step " << step;
      ASSERT_EQ(differing_pixels(g_screen), 0) << "presented, after step " << step;
    } else {
      // Mostly small steps, as animation makes them, some far jumps.
      const SpriteEntry* e = sprite_entry_of(&pic, s);
      const bool near = e && what < 17;
      const int32_t x = near ? e->rect.x + any(-6, 6) : any(-100, kW + 20);
      const int32_t y = near ? e->rect.y + any(-6, 6) : any(-100, kH + 20);
      ASSERT_EQ(sprite_show(nullptr, s, x, y, any(0, 2), true), 0);
    }
  }
  sprites_flush_pending();
  EXPECT_EQ(differing_pixels(), 0);
  EXPECT_EQ(differing_pixels(g_screen), 0);
  EXPECT_GT(flushes, 100);
  sprites_set_refresh_observer(nullptr);
  qmos_free_bitmap(g_screen);
  g_screen = nullptr;
}

// Runs of moves crowded enough that the flush recomposes whole spans instead of the pieces they
// touched: a crowd over the whole picture, and a row of sprites that covers most of one band with
// a lone sprite far below it. Every sprite moves one pixel and steps its frame in each run.
TEST_F(SpriteIndexTest, CrowdedRunsComposeAndPresentAsImmediateOnes) {
  struct Scene {
    const char* name;
    int32_t count, w, h;
    int32_t (*x)(int32_t i);
    int32_t (*y)(int32_t i);
  };
  const Scene scenes[] = {
      {"crowd", 60, 40, 30, [](int32_t i) { return (i % 10) * 30 - 5; }, [](int32_t i) { return (i / 10) * 34 - 3; }},
      {"row", 30, 8, 8, [](int32_t i) { return i * 10 + 1; }, [](int32_t) { return 20; }},
  };
  g_screen = qmos_alloc_bitmap(kW, kH);
  sprites_set_refresh_observer(present_to_screen);
  for (const Scene& scene : scenes) {
    SCOPED_TRACE(scene.name);
    sprites_clear(&pic);
    sprites_free_all(nullptr);
    sprites.clear();
    BLTBITMAP(pic.current.bitmap, 0, 0, display->buffer2, 0, 0, kW, kH);
    BLTBITMAP(pic.current.bitmap, 0, 0, g_screen, 0, 0, kW, kH);
    for (int32_t i = 0; i < scene.count; ++i) {
      make(scene.w, scene.h, i % 3 == 1, i % 3 == 2);
      ASSERT_EQ(sprite_show(nullptr, sprites.back(), scene.x(i), scene.y(i), 1), 0);
    }
    qmSprite* lone = make(12, 12, true);
    ASSERT_EQ(sprite_show(nullptr, lone, 150, 170, 1), 0);
    for (int32_t run = 1; run <= 4; ++run) {
      for (int32_t i = 0; i < scene.count; ++i)
        ASSERT_EQ(sprite_show(nullptr, sprites[size_t(i)], scene.x(i) + run % 2, scene.y(i) + run / 2, 0, true), 0);
      ASSERT_EQ(sprite_show(nullptr, lone, 150 + run, 170, 0, true), 0);
      sprites_flush_pending();
      ASSERT_EQ(differing_pixels(), 0) << "composed, run " << run;
      ASSERT_EQ(differing_pixels(g_screen), 0) << "presented, run " << run;
    }
  }
  sprites_set_refresh_observer(nullptr);
  qmos_free_bitmap(g_screen);
  g_screen = nullptr;
}

TEST_F(SpriteIndexTest, PendingAreasOfAFreedDisplayAreDropped) {
  qmSprite* s = make(10, 10, false);
  ASSERT_EQ(sprite_show(nullptr, s, 5, 5, 1), 0);
  ASSERT_EQ(sprite_show(nullptr, s, 50, 5, 1, true), 0);
  ASSERT_TRUE(sprites_pending());
  // The display leaves the list (it was freed): the flush must not touch it.
  display_system().list = display->header.next;
  sprites_flush_pending();
  display->header.next = display_system().list;
  display_system().list = &display->header;
  EXPECT_FALSE(sprites_pending());
  EXPECT_GT(differing_pixels(), 0);
}
