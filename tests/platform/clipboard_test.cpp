// The clipboard over SDL's clipboard (offscreen driver) and the picture slot.
#include <gtest/gtest.h>

#include <SDL.h>

#include "engine/errcodes.h"
#include "platform/clipboard.h"
#include "platform/platform.h"

namespace {

class Clipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(platform_init(), 0);
    ASSERT_EQ(platform_video_start(), 0);
    ASSERT_EQ(platform_clipboard_clear(), 0);
  }
  void TearDown() override { platform_exit(); }
  int32_t kind() {
    int32_t k = -1;
    EXPECT_EQ(platform_clipboard_type(&k), 0);
    return k;
  }
};

TEST_F(Clipboard, EmptyTextAndLineEnds) {
  EXPECT_EQ(kind(), CLIPBOARD_EMPTY);
  std::string text;
  int32_t k = -1;
  // Latin-1 in, UTF-8 on the system clipboard, Latin-1 back; line feeds stay.
  ASSERT_EQ(platform_clipboard_write_text("caf\xe9\nzwei"), 0);
  char* system = SDL_GetClipboardText();
  EXPECT_STREQ(system, "caf\xc3\xa9\nzwei");
  SDL_free(system);
  ASSERT_EQ(platform_clipboard_read(&k, &text, nullptr), 0);
  EXPECT_EQ(k, CLIPBOARD_TEXT);
  EXPECT_EQ(text, "caf\xe9\nzwei");
  // Another program's text: CRLF and a lone CR read as LF, characters above 255 as '?'.
  SDL_SetClipboardText("a\r\nb\rc\n\xe2\x82\xac");
  ASSERT_EQ(platform_clipboard_read(&k, &text, nullptr), 0);
  EXPECT_EQ(text, "a\nb\nc\n?");
  // The text ends at its first NUL.
  ASSERT_EQ(platform_clipboard_write_text(std::string("ab\0cd", 5)), 0);
  ASSERT_EQ(platform_clipboard_read(&k, &text, nullptr), 0);
  EXPECT_EQ(text, "ab");
}

TEST_F(Clipboard, PictureSlotHoldsUntilTheTextChanges) {
  ASSERT_EQ(platform_clipboard_write_picture({1, 2, 3}), 0);
  EXPECT_EQ(kind(), CLIPBOARD_IMAGE);
  std::vector<uint8_t> png;
  int32_t k = -1;
  ASSERT_EQ(platform_clipboard_read(&k, nullptr, &png), 0);
  EXPECT_EQ(png, (std::vector<uint8_t>{1, 2, 3}));
  // Someone copies text: the picture is gone for good.
  SDL_SetClipboardText("later");
  EXPECT_EQ(kind(), CLIPBOARD_TEXT);
  SDL_SetClipboardText("");
  EXPECT_EQ(kind(), CLIPBOARD_EMPTY);
  ASSERT_EQ(platform_clipboard_write_picture({4}), 0);
  ASSERT_EQ(platform_clipboard_write_text("t"), 0);
  EXPECT_EQ(kind(), CLIPBOARD_TEXT);
  ASSERT_EQ(platform_clipboard_write_picture({5}), 0);
  ASSERT_EQ(platform_clipboard_clear(), 0);
  EXPECT_EQ(kind(), CLIPBOARD_EMPTY);
}

TEST(ClipboardLineEnds, Normalised) {
  struct Case {
    const char *in, *out;
  } cases[] = {{"", ""}, {"\r", "\n"}, {"\r\n", "\n"}, {"\n\r", "\n\n"}, {"a\r\r\nb", "a\n\nb"}};
  for (const Case& c : cases) EXPECT_EQ(clipboard_normalise_line_ends(c.in), c.out) << c.in;
}

}  // namespace
