// Anim frames through the brush showing worker and the output targets, with a stand-in for the
// anim library behind its hooks: a frame shows with its options, a frame outside the anim is
// refused, showing the selected frame ends the selection, and with layers on the frame goes to
// the anim library's layer insert with its options.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "display/display.h"
#include "display/hooks.h"
#include "display/showbrush.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "gfx/bitmap.h"
#include "tests/display/display_harness.h"

namespace {

using namespace qm;

// Anim 7: three 4 x 2 frames, each filled with its own colour.
struct StandInAnim {
  static constexpr int32_t kWidth = 4, kHeight = 2, kFrames = 3;
  static constexpr uint32_t kColours[kFrames] = {0x112233, 0x445566, 0x778899};
  static inline StandInAnim* self = nullptr;

  int32_t record = 0;
  qmBitmap* bitmaps[kFrames] = {};
  qmMask* masks[kFrames] = {};
  qmAlphaChannel* alphas[kFrames] = {};
  struct Inserted {
    ObjectId id;
    int32_t frame, x, y, transparency;
  };
  std::vector<Inserted> inserted;

  StandInAnim() {
    for (int32_t i = 0; i < kFrames; ++i) {
      bitmaps[i] = qmos_alloc_bitmap(kWidth, kHeight);
      qmos_fill_bitmap_rect(bitmaps[i], 0, 0, kWidth, kHeight, kColours[i]);
    }
    self = this;
    anim_hooks().frame = frame;
    anim_hooks().insert_layer = insert;
  }
  ~StandInAnim() {
    anim_hooks_reset();
    for (int32_t i = 0; i < kFrames; ++i) {
      qmos_free_bitmap(bitmaps[i]);
      qmos_free_mask(masks[i]);
      qmos_free_alpha(alphas[i]);
    }
  }
  static int32_t frame(qmState*, const ObjectId& id, int32_t n, AnimFrameSlots* out) {
    if (id.handle) return ERR_FINDARRAY;
    if (id.number != 7) return ERR_FINDANIM;
    *out = AnimFrameSlots{};
    out->anim = &self->record;
    out->width = kWidth, out->height = kHeight, out->count = kFrames;
    if (n < 0 || n >= kFrames) return 0;
    out->bitmap = &self->bitmaps[n], out->mask = &self->masks[n], out->alpha = &self->alphas[n];
    return 0;
  }
  static int32_t insert(qmState*, const ImageLayerRequest& r) {
    EXPECT_EQ(r.type, OBJ_ANIM);
    self->inserted.push_back({r.id, r.frame, r.dest_x, r.dest_y, r.style ? r.style->transparency : -1});
    return 0;
  }
};

class AnimFrameTest : public qmtest::DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    d = open_display();
  }
  // anim_frame_render with an option table filled by fill as the only argument (none without).
  int32_t show(int32_t frame, int32_t x, int32_t y, const std::function<void()>& fill = nullptr) {
    vm_set_top(L, 0);
    if (fill) {
      vm_new_table(L);
      fill();
    }
    return anim_frame_render(L, kAnim, frame, x, y, fill ? 1 : 0);
  }
  uint32_t pixel(int32_t x, int32_t y) const { return qmos_read_pixel(d->bgpic->current.bitmap, x, y) & 0xFFFFFF; }
  static constexpr ObjectId kAnim{7, nullptr};
  qmDisplay* d = nullptr;
};

TEST_F(AnimFrameTest, WithoutTheAnimLibraryFramesAreUnsupported) {
  EXPECT_EQ(show(0, 0, 0), ERR_UNSUPPORTEDFEAT);
  EXPECT_EQ(code("SelectMask", {7.0, double(OBJ_ANIM), 1.0}), ERR_UNSUPPORTEDFEAT);
}

TEST_F(AnimFrameTest, AFrameShowsAtItsPlaceWithItsOptions) {
  StandInAnim anim;
  const uint32_t background = pixel(100, 100);
  ASSERT_EQ(show(1, 10, 20), 0);
  EXPECT_EQ(pixel(10, 20), StandInAnim::kColours[1]);
  EXPECT_EQ(pixel(13, 21), StandInAnim::kColours[1]);
  EXPECT_EQ(pixel(14, 21), background);
  EXPECT_EQ(pixel(13, 22), background);
  // The anchor puts the frame's bottom right corner at the position.
  ASSERT_EQ(show(2, 40, 40, [&] { set_number("anchorx", 1.0), set_number("anchory", 1.0); }), 0);
  EXPECT_EQ(pixel(36, 38), StandInAnim::kColours[2]);
  EXPECT_EQ(pixel(39, 39), StandInAnim::kColours[2]);
  EXPECT_EQ(pixel(40, 40), background);
  // Fully transparent: nothing shows, and the anim's own planes stay as they were.
  ASSERT_EQ(show(0, 60, 60, [&] { set_number("transparency", 255.0); }), 0);
  EXPECT_EQ(pixel(60, 60), background);
  EXPECT_EQ(anim.alphas[0], nullptr);
  // A turn goes through the anim's planes too: a quarter turn stands the frame upright.
  ASSERT_EQ(show(0, 80, 80, [&] { set_number("rotate", 90.0); }), 0);
  int32_t shown = 0;
  for (int32_t y = 76; y < 88; ++y)
    for (int32_t x = 76; x < 88; ++x) shown += pixel(x, y) == StandInAnim::kColours[0];
  EXPECT_EQ(shown, StandInAnim::kWidth * StandInAnim::kHeight);
}

TEST_F(AnimFrameTest, LookupsAndFramesOutsideTheAnimAreRefused) {
  StandInAnim anim;
  EXPECT_EQ(show(3, 0, 0), ERR_ANIMFRAME);
  EXPECT_EQ(show(-1, 0, 0), ERR_ANIMFRAME);
  EXPECT_EQ(anim_frame_render(L, ObjectId{8, nullptr}, 0, 0, 0, 0), ERR_FINDANIM);
  EXPECT_EQ(show(0, 0, 0, [&] { set_number("anchorx", 2.0); }), ERR_WRONGUSAGE);
  // Selecting takes frames from 1.
  EXPECT_EQ(code("SelectMask", {7.0, double(OBJ_ANIM), 4.0}), ERR_ANIMFRAME);
  EXPECT_EQ(code("SelectMask", {7.0, double(OBJ_ANIM), 0.0}), ERR_ANIMFRAME);
  EXPECT_EQ(d->output_type, kOutputDisplay);
}

TEST_F(AnimFrameTest, ShowingTheSelectedFrameEndsTheSelectionFirst) {
  StandInAnim anim;
  // Drawing into frame 2's alpha channel gives the frame one (filled with 255).
  ASSERT_EQ(code("SelectAlphaChannel", {7.0, double(OBJ_ANIM), 2.0}), 0);
  ASSERT_EQ(code("SetAlphaIntensity", {128.0}), 0);
  ASSERT_EQ(show(0, 1, 0), 0);  // another frame: drawn into the selected one's alpha channel
  ASSERT_EQ(code("SetAlphaIntensity", {-1.0}), 0);
  ASSERT_NE(anim.alphas[1], nullptr);
  EXPECT_EQ(anim.alphas[1]->data[0], 255);
  EXPECT_EQ(anim.alphas[1]->data[1], 128);
  EXPECT_EQ(d->output_type, TARGET_ALPHA);
  // The selected frame itself goes to the display.
  ASSERT_EQ(show(1, 30, 30), 0);
  EXPECT_EQ(d->output_type, kOutputDisplay);
  EXPECT_EQ(pixel(30, 30), StandInAnim::kColours[1]);
}

TEST_F(AnimFrameTest, WithLayersTheAnimLibraryInsertsTheFrameWithItsOptions) {
  StandInAnim anim;
  d->layers = 1;
  ASSERT_EQ(show(2, 5, 6, [&] { set_number("transparency", 100.0); }), 0);
  d->layers = 0;
  ASSERT_EQ(anim.inserted.size(), 1u);
  const StandInAnim::Inserted& r = anim.inserted[0];
  EXPECT_EQ(r.id.number, 7);
  EXPECT_EQ(r.frame, 2);
  EXPECT_EQ(r.x, 5);
  EXPECT_EQ(r.y, 6);
  EXPECT_EQ(r.transparency, 100);
}

}  // namespace
