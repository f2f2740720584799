#include "runtime/args.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/errcodes.h"

namespace {

using namespace qm;

TEST(Percent, Texts) {
  struct Case {
    const char* text;
    double reference;
    bool over;
    int32_t code;
    double value;
    bool fraction;
  };
  const Case cases[] = {
      {"50%", 640, false, 0, 320, false},
      {"150%", 640, true, 0, 960, false},
      {"150%", 640, false, ERR_PERCENTFORMAT, 0, false},
      {"100%", 640, false, 0, 640, false},
      {"-5%", 640, true, ERR_PERCENTFORMAT, 0, false},
      {"12px", 640, false, 0, 12, false},
      {"-12", 640, false, 0, -12, false},
      {"  +7.5", 0, false, 0, 7.5, false},
      {"1e2%", 10, false, 0, 10, false},
      {"50%", 0, false, 0, 0.5, true},
      {"0%", 0, false, 0, 0, true},
      {"abc", 640, false, ERR_PERCENTFORMAT, 0, false},
      {"", 640, false, ERR_PERCENTFORMAT, 0, false},
      {"%", 640, false, ERR_PERCENTFORMAT, 0, false},
      {"+-5", 640, false, ERR_PERCENTFORMAT, 0, false},
      {"0x10", 640, false, 0, 0, false},
  };
  for (const Case& c : cases) {
    double out = -1;
    bool fraction = true;
    EXPECT_EQ(percent_parse(c.text, c.reference, c.over, &out, &fraction), c.code) << c.text;
    EXPECT_EQ(fraction, c.fraction) << c.text;
    if (c.code == 0) {
      EXPECT_DOUBLE_EQ(out, c.value) << c.text;
    }
  }
}

TEST(ConstantName, Scanning) {
  char name[CONSTANT_NAME_MAX + 1];
  size_t length = 0;
  EXPECT_EQ(constant_scan_name("#ERR_MEM+1", name, &length), 0);
  EXPECT_STREQ(name, "ERR_MEM");
  EXPECT_EQ(length, 7u);
  EXPECT_EQ(constant_scan_name("#_a$b!c d", name, &length), 0);
  EXPECT_STREQ(name, "_a$b!c");
  EXPECT_EQ(constant_scan_name("ERR_MEM", name, &length), ERR_WRONGUSAGE);
  EXPECT_EQ(constant_scan_name("#1abc", name, &length), ERR_SYNTAXERROR);
  EXPECT_EQ(constant_scan_name("#", name, &length), ERR_SYNTAXERROR);
  // Names stop at 64 characters.
  std::string longname = "#" + std::string(80, 'A');
  EXPECT_EQ(constant_scan_name(longname.c_str(), name, &length), 0);
  EXPECT_EQ(length, CONSTANT_NAME_MAX);
  EXPECT_EQ(std::string(name), std::string(64, 'A'));
}

TEST(OptionBlocks, Checks) {
  ShadowBlock s;
  s.radius = 1.0;
  s.sigma = 0.5;
  EXPECT_EQ(shadow_check(s), 0);
  s.radius = 0.99;
  EXPECT_EQ(shadow_check(s), ERR_WRONGUSAGE);
  s.radius = 2;
  s.size = -1;
  EXPECT_EQ(shadow_check(s), ERR_WRONGUSAGE);
  s.size = 0;
  s.sigma = 0;
  EXPECT_EQ(shadow_check(s), ERR_WRONGUSAGE);
  s.sigma = NAN;
  EXPECT_EQ(shadow_check(s), ERR_WRONGUSAGE);

  BorderBlock b;
  EXPECT_EQ(border_check(b), 0);
  b.on = 1;
  EXPECT_EQ(border_check(b), ERR_WRONGUSAGE);
  b.size = 1;
  EXPECT_EQ(border_check(b), 0);
}

TEST(AnimScaledSize, ScalesAndMissingServices) {
  arg_services_reset();
  int32_t w = 0, h = 0;
  const double same[4] = {1, 0, 0, 1};
  EXPECT_EQ(anim_scaled_size(same, 33, 44, &w, &h), 0);
  EXPECT_EQ(w, 33);
  EXPECT_EQ(h, 44);
  const double half[4] = {0.5, 0, 0, 0.25};
  EXPECT_EQ(anim_scaled_size(half, 33, 2, &w, &h), 0);
  EXPECT_EQ(w, 16);
  EXPECT_EQ(h, 1);  // never below 1
  // A display's cached size for exactly these factors wins.
  arg_services().cached_scaled_size = [](double sx, double sy, int32_t sw, int32_t sh, int32_t* ow, int32_t* oh) {
    if (sx != 0.5 || sy != 0.25 || sw != 33 || sh != 2) return false;
    *ow = 17;
    *oh = 3;
    return true;
  };
  EXPECT_EQ(anim_scaled_size(half, 33, 2, &w, &h), 0);
  EXPECT_EQ(w, 17);
  EXPECT_EQ(h, 3);
  // Rotation needs the transform code; until it is installed the reader fails cleanly.
  const double rotate[4] = {0, 1, -1, 0};
  EXPECT_EQ(anim_scaled_size(rotate, 10, 20, &w, &h), ERR_WRONGUSAGE);
  const double mirror[4] = {-1, 0, 0, 1};
  EXPECT_EQ(anim_scaled_size(mirror, 10, 20, &w, &h), ERR_WRONGUSAGE);
  char block[136];
  EXPECT_EQ(text_transform_get_current(block, sizeof block), ERR_WRONGUSAGE);
  EXPECT_EQ(text_drawtags_get_current(block, sizeof block), ERR_WRONGUSAGE);
  arg_services_reset();
}

}  // namespace
