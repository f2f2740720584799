// Clipboard writes and clears tell only the displays with a clipboardchange handler.
#include "command_harness.h"
#include "display/display.h"
#include "events/input_queue.h"
#include "platform/platform.h"
#include "stdlib/stdlib.h"

using namespace qm;

namespace {

class ClipboardEvents : public qmtest::CommandTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(platform_init(), 0);
    open({string_open, system_open});
    for (qmDisplay* d : {&with_, &without_}) {
      for (auto& slot : d->callbacks) slot[0] = slot[1] = -1;
    }
    with_.callbacks[18][0] = 7;     // clipboardchange
    without_.callbacks[17][0] = 7;  // ondropfile only
    with_.header.next = &without_.header;
    saved_ = display_system().list;
    display_system().list = &with_.header;
    input_queue_remove(-1, 1);
  }
  void TearDown() override {
    display_system().list = saved_;
    input_queue_remove(-1, 1);
    system_cleanup();
    qmtest::CommandTest::TearDown();
    platform_exit();
  }
  // The displays of the queued entries of type 15.
  std::vector<qmDisplay*> posted() {
    std::vector<qmDisplay*> out;
    input_queue_lock();
    qmInputEvent e;
    for (int32_t i = 0; input_queue_peek(i, &e, false); i++)
      if (e.type == INPUT_CLIPBOARD) out.push_back(e.display);
    input_queue_unlock();
    return out;
  }
  qmDisplay with_{}, without_{};
  ObjectHeader* saved_ = nullptr;
};

TEST_F(ClipboardEvents, WritesAndClearsPostToHandlersOnly) {
  ASSERT_EQ(call("SetClipboard", {1.0, std::string("x")}).code, 0);
  EXPECT_EQ(posted(), (std::vector<qmDisplay*>{&with_}));
  ASSERT_EQ(call("ClearClipboard", {}).code, 0);
  EXPECT_EQ(posted(), (std::vector<qmDisplay*>{&with_, &with_}));
  // Reading changes nothing; a refused write posts nothing.
  EXPECT_EQ(call("GetClipboard", {}).results, (std::vector<std::string>{"0"}));
  EXPECT_EQ(call("SetClipboard", {3.0, std::string("x")}).code, 1055);
  EXPECT_EQ(posted().size(), 2u);
}

}  // namespace
