// Text at the SDL boundary: Latin-1 inside, UTF-8 outside.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

TEST(PlatformText, Latin1AndUtf8) {
  struct Case {
    std::string latin1, utf8;
  };
  const Case both_ways[] = {
      {"", ""},
      {"plain", "plain"},
      {"caf\xE9 \xFF\xA0", "caf\xC3\xA9 \xC3\xBF\xC2\xA0"},
  };
  for (const Case& c : both_ways) {
    EXPECT_EQ(platform_latin1_to_utf8(c.latin1), c.utf8);
    EXPECT_EQ(platform_utf8_to_latin1(c.utf8), c.latin1);
  }
  const Case inward[] = {
      {"?", "\xE2\x82\xAC"},          // the euro sign is above 255
      {"a?b", "a\xF0\x9F\x98\x80" "b"},  // so is an emoji
      {"?", "\xC3"},                  // cut short
      {"?", "\xC0\x80"},              // overlong NUL
      {"?x", "\x80x"},                // stray continuation byte
  };
  for (const Case& c : inward) EXPECT_EQ(platform_utf8_to_latin1(c.utf8), c.latin1) << c.utf8;
}

TEST(PlatformText, KeyCharacters) {
  EXPECT_EQ(platform_utf8_key_char("a"), 'a');
  EXPECT_EQ(platform_utf8_key_char("\xC3\xA9"), 0xE9);
  EXPECT_EQ(platform_utf8_key_char("\xE2\x82\xAC"), -1);  // dropped, not '?'
  EXPECT_EQ(platform_utf8_key_char(""), -1);
}

}  // namespace
