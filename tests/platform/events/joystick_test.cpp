// Joysticks on SDL's virtual joystick (it works with the dummy drivers): counting, the direction
// of the axes, the button mask and the ports that hold no device.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "engine/errcodes.h"
#include "platform/platform.h"

namespace {

class Joysticks : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(platform_init(), 0); }
  void TearDown() override {
    for (SDL_Joystick* j : opened) SDL_JoystickClose(j);
    platform_exit();
  }
  // A virtual device, opened so that the test can move it.
  SDL_Joystick* attach(int axes, int buttons) {
    EXPECT_EQ(platform_joystick_start(), 0);
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, 0);
    EXPECT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* j = SDL_JoystickOpen(index);
    EXPECT_NE(j, nullptr) << SDL_GetError();
    opened.push_back(j);
    return j;
  }
  std::vector<SDL_Joystick*> opened;
};

TEST(JoystickDirection, ScaledAxesGiveNineDirections) {
  struct Case {
    int32_t x, y, direction;
  };
  const Case cases[] = {
      {501, 0, JOY_RIGHT},       {500, 0, JOY_NODIR},        {-501, 0, JOY_LEFT},
      {0, -501, JOY_UP},         {0, 501, JOY_DOWN},         {-500, 500, JOY_NODIR},
      {1000, -1000, JOY_UPRIGHT}, {1000, 1000, JOY_DOWNRIGHT}, {-1000, 1000, JOY_DOWNLEFT},
      {-1000, -1000, JOY_UPLEFT},
  };
  for (const Case& c : cases) EXPECT_EQ(platform_joystick_direction(c.x, c.y), c.direction) << c.x << "," << c.y;
}

TEST_F(Joysticks, NoDeviceCountsZeroAndPortZeroIsMissing) {
  int32_t count = -1;
  EXPECT_EQ(platform_joystick_count(&count), 0);
  EXPECT_EQ(count, 0);
  int32_t direction = -1;
  EXPECT_EQ(platform_joystick_read(0, &direction, nullptr), qm::ERR_NOJOYATPORT);
  EXPECT_EQ(platform_joystick_read(-1, nullptr, nullptr), qm::ERR_NOJOYATPORT);
}

TEST_F(Joysticks, AxesAndTheFirst32Buttons) {
  attach(1, 0);  // neither two axes nor a button: not a joystick
  SDL_Joystick* pad = attach(2, 40);
  int32_t count = 0;
  ASSERT_EQ(platform_joystick_count(&count), 0);
  ASSERT_EQ(count, 1);

  for (int b : {0, 5, 31, 32, 39}) SDL_JoystickSetVirtualButton(pad, b, SDL_PRESSED);
  struct Case {
    Sint16 x, y;
    int32_t direction;
  };
  const Case cases[] = {{0, 0, JOY_NODIR}, {32767, 0, JOY_RIGHT}, {-32768, -32768, JOY_UPLEFT},
                        {32767, 32767, JOY_DOWNRIGHT}, {0, 32767, JOY_DOWN}, {16000, 0, JOY_NODIR},
                        {17000, 0, JOY_RIGHT}};
  for (const Case& c : cases) {
    SDL_JoystickSetVirtualAxis(pad, 0, c.x);
    SDL_JoystickSetVirtualAxis(pad, 1, c.y);
    int32_t direction = -1;
    uint32_t buttons = 0;
    ASSERT_EQ(platform_joystick_read(0, &direction, &buttons), 0);
    EXPECT_EQ(direction, c.direction) << c.x << "," << c.y;
    EXPECT_EQ(buttons, 0x80000021u);
  }
  EXPECT_EQ(platform_joystick_read(1, nullptr, nullptr), qm::ERR_NOJOYATPORT);
}

TEST_F(Joysticks, DevicesAreFoundOnceAtTheFirstScan) {
  int32_t count = -1;
  ASSERT_EQ(platform_joystick_count(&count), 0);
  EXPECT_EQ(count, 0);
  attach(2, 1);
  EXPECT_EQ(platform_joystick_count(&count), 0);
  EXPECT_EQ(count, 0);
  // The exit forgets them; the next run's first scan sees the device.
  platform_joystick_free_all();
  EXPECT_EQ(platform_joystick_count(&count), 0);
  EXPECT_EQ(count, 1);
}

}  // namespace
