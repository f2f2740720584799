// The requester responder and the recorder (run with QM_REQUESTER_REPLIES naming
// fixtures/replies.txt).
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

TEST(PlatformSeams, RequestersAnsweredByTheResponderThenTheReplyFile) {
  std::string reply;
  platform_set_requester_responder([](std::string_view kind, std::string_view, std::string* r) {
    if (kind != "font") return false;  // let the rest go on to the file
    *r = "DejaVu Sans";
    return true;
  });
  EXPECT_TRUE(platform_requester_scripted("font", "Pick a font", &reply));
  EXPECT_EQ(reply, "DejaVu Sans");

  platform_recorder_start();
  const char* want[] = {"2", "", "/tmp/pictures/caf\xE9.png", "", ""};  // then every request cancels
  for (const char* w : want) {
    EXPECT_TRUE(platform_requester_scripted("file", "Load", &reply));
    EXPECT_EQ(reply, w);
  }
  platform_set_requester_responder(nullptr);
  std::vector<std::string> lines = platform_recorder_take();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "requester file 2");
  platform_record("title", "Caf\xE9");
  EXPECT_EQ(platform_recorder_take(), std::vector<std::string>{"title Caf\xE9"});
  platform_recorder_stop();
  platform_record("title", "unseen");
  EXPECT_TRUE(platform_recorder_take().empty());
}

}  // namespace
