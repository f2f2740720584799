// SDL start-up under the offscreen driver: only events at init, video on first need, the screen
// as the layer sees it and its override.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/errcodes.h"
#include "platform/platform.h"

namespace {

TEST(PlatformSdl, VideoStartsOnlyWhenFirstNeeded) {
  ASSERT_EQ(platform_init(), 0);
  EXPECT_EQ(SDL_WasInit(SDL_INIT_EVENTS), uint32_t(SDL_INIT_EVENTS));
  EXPECT_FALSE(platform_video_started());
  EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO | SDL_INIT_JOYSTICK), 0u);

  // A screen query under an override needs no video at all.
  ScreenInfo o;
  ASSERT_TRUE(platform_parse_screen("1280x1024@60", "640x480,800x600@75,1280x1024@60", &o));
  platform_set_screen_override(&o);
  ScreenInfo info;
  ASSERT_EQ(platform_screen_info(&info), 0);
  EXPECT_FALSE(platform_video_started());
  EXPECT_EQ(info.width, 1280);
  EXPECT_EQ(info.refresh, 60);
  EXPECT_EQ(info.usable_height, 1024);
  ASSERT_EQ(info.modes.size(), 3u);
  EXPECT_EQ(info.modes[1].refresh, 75);

  // Without it the real (offscreen) screen is asked, which starts video.
  platform_set_screen_override(nullptr);
  ASSERT_EQ(platform_screen_info(&info), 0);
  EXPECT_TRUE(platform_video_started());
  EXPECT_GT(info.width, 0);
  EXPECT_EQ(info.usable_width, info.width);
  EXPECT_FALSE(info.modes.empty());
  // Text input (which video start switches on) stays off: nobody reads its editing events.
  EXPECT_EQ(SDL_EventState(SDL_TEXTEDITING, SDL_QUERY), SDL_IGNORE);
  EXPECT_EQ(platform_audio_start(), 0);
  platform_exit();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
}

// SDL's blocks after start-up: large ones (window surfaces) come on 2 MB steps; growing, shrinking
// and clearing keep what they must, and small and large blocks free alike.
TEST(PlatformSdl, MemoryKeepsBlocksWhole) {
  ASSERT_EQ(platform_init(), 0);
  constexpr size_t kMB = size_t(1) << 20;
  auto* big = static_cast<uint8_t*>(SDL_malloc(3 * kMB));
  ASSERT_TRUE(big);
  EXPECT_EQ(uintptr_t(big) % (2 * kMB), 0u);
  for (size_t i = 0; i < 3 * kMB; ++i) big[i] = uint8_t(i * 7);
  big = static_cast<uint8_t*>(SDL_realloc(big, 5 * kMB));  // grows: the bytes move along
  ASSERT_TRUE(big);
  big[5 * kMB - 1] = 1;
  for (size_t i = 0; i < 3 * kMB; i += 4093) ASSERT_EQ(big[i], uint8_t(i * 7)) << i;
  big = static_cast<uint8_t*>(SDL_realloc(big, 100));  // shrinks into a small block
  ASSERT_TRUE(big);
  for (size_t i = 0; i < 100; ++i) ASSERT_EQ(big[i], uint8_t(i * 7)) << i;
  auto* small = static_cast<uint8_t*>(SDL_realloc(nullptr, 10));
  auto* cleared = static_cast<uint8_t*>(SDL_calloc(kMB, 2));
  ASSERT_TRUE(small && cleared);
  for (size_t i = 0; i < 2 * kMB; i += 997) ASSERT_EQ(cleared[i], 0) << i;
  std::memset(cleared, 0xFF, 2 * kMB);
  EXPECT_EQ(SDL_calloc(SIZE_MAX / 2, 4), nullptr);  // the product overflows
  SDL_free(big);
  SDL_free(small);
  SDL_free(cleared);
  SDL_free(nullptr);
  platform_exit();
}

TEST(PlatformSdl, VideoThatCannotStartIsAScreenError) {
  const char* old = std::getenv("SDL_VIDEODRIVER");
  std::string saved = old ? old : "";
  setenv("SDL_VIDEODRIVER", "nosuchdriver", 1);
  ASSERT_EQ(platform_init(), 0);
  EXPECT_EQ(platform_video_start(), qm::ERR_SCREEN);
  EXPECT_FALSE(platform_last_error().empty());
  platform_exit();
  if (old) setenv("SDL_VIDEODRIVER", saved.c_str(), 1); else unsetenv("SDL_VIDEODRIVER");
}

TEST(PlatformSdl, ScreenTexts) {
  struct Case {
    const char *screen, *modes;
    bool ok;
    int32_t width, modes_count;
  };
  const Case cases[] = {
      {"800x600", nullptr, true, 800, 1},
      {nullptr, "640x480,1024x768@60", true, 1024, 2},
      {"800x600@", nullptr, false, 0, 0},
      {"800*600", nullptr, false, 0, 0},
      {"0x600", nullptr, false, 0, 0},
      {"800x600", "640x480,", false, 0, 0},
      {"40000x600", nullptr, false, 0, 0},
  };
  for (const Case& c : cases) {
    ScreenInfo info;
    EXPECT_EQ(platform_parse_screen(c.screen, c.modes, &info), c.ok) << (c.screen ? c.screen : c.modes);
    if (!c.ok) continue;
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(int32_t(info.modes.size()), c.modes_count);
  }
}

}  // namespace
