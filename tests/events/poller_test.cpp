// The poller on a fake clock with queue entries posted directly and C callbacks: a busy interval
// cannot starve the queue, a display freed by its own callback leaves nothing behind, message
// values by kind, and the dispatcher's results (the callback's error, a quit during the call).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "display/display.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "events/event_internal.h"
#include "events/events.h"
#include "platform/platform.h"
#include "runtime/registry.h"

namespace {

using qm::qmEventRecord;

std::vector<std::string> g_seen;  // "action" of each call, with the values a test asks for
FakeClock* g_clock = nullptr;
int32_t g_callback_result = 0;
const char* g_read_fields[4] = {};
qmDisplay* g_free_me = nullptr;
int32_t g_second_halves = 0;

// A callback that records its action and the fields named in g_read_fields.
int32_t record(qmState* L) {
  vm_push_string(L, "action");
  vm_get_table(L, 1);
  std::string line = vm_to_string(L, -1);
  vm_pop(L, 1);
  for (const char* f : g_read_fields) {
    if (!f) break;
    vm_push_string(L, f);
    vm_get_table(L, 1);
    line += " " + std::to_string(int(vm_to_number(L, -1)));
    vm_pop(L, 1);
  }
  g_seen.push_back(line);
  return g_callback_result;
}

// An interval callback that takes 20 ms of the clock.
int32_t slow(qmState* L) {
  g_clock->advance_ms(20);
  return record(L);
}

// A mouse callback that frees its own display.
int32_t free_display(qmState* L) {
  qm::poller_on_unlink(qm::POLL_DISPLAYS, g_free_me, nullptr);
  return record(L);
}

bool count_second_half(qmDisplay*, const qmInputEvent&, qmEventRecord*) {
  ++g_second_halves;
  return false;
}

class Poller : public ::testing::Test {
 protected:
  void SetUp() override {
    g_clock = &clock;
    platform_set_clock(&clock);
    L = vm_open();
    qm::poller_reset();
    qm::event_sources_reset();
    input_queue_remove(-1, 1);
    g_seen.clear();
    g_callback_result = 0;
    std::fill(std::begin(g_read_fields), std::end(g_read_fields), nullptr);
    std::memset(display.callbacks, 0xff, sizeof display.callbacks);  // every slot -1
    display.header.id = qm::ObjectId{1, nullptr};
    saved_list = qm::display_system().list;
    qm::display_system().list = &display.header;
  }
  void TearDown() override {
    qm::display_system().list = saved_list;
    qm::intervals_free_all(L);
    qm::poller_reset();
    input_queue_remove(-1, 1);
    platform_timers_free_all();
    platform_set_quit_request(false);
    vm_close_state(L);
    platform_set_clock(nullptr);
  }

  int32_t ref(qmCFunction f) {
    vm_push_cfunction(L, f);
    return vm_ref_new(L, QM_REGISTRYINDEX);
  }
  void slot(int32_t s, qmCFunction f) { display.callbacks[s][0] = ref(f); }
  int32_t poll() {
    qmEventRecord r;
    int32_t err = qm::event_poll(L, &r);
    std::free(r.reply);
    vm_set_top(L, 0);
    return err;
  }

  FakeClock clock;
  qmState* L = nullptr;
  qmDisplay display{};
  qm::ObjectHeader* saved_list = nullptr;
};

TEST_F(Poller, ABusyIntervalDoesNotStarveQueuedInput) {
  // The interval is due again every time its callback returns; the click still gets its turn
  // within the next cycle.
  ASSERT_EQ(qm::interval_add(qm::ObjectId{1, nullptr}, 1, ref(slow), -1, nullptr), 0);
  slot(qm::HSLOT_ONMOUSEDOWN, record);
  ASSERT_TRUE(input_queue_post(&display, INPUT_LEFTMOUSE, 5, 5, 1, nullptr));
  for (int i = 0; i < 4 && g_seen.size() < 3; ++i) ASSERT_EQ(poll(), 0);
  ASSERT_GE(g_seen.size(), 2u);
  EXPECT_EQ(g_seen[0], "Interval");
  EXPECT_EQ(g_seen[1], "OnMouseDown");
}

TEST_F(Poller, EachTimerAtMostOncePerCycle) {
  ASSERT_EQ(qm::interval_add(qm::ObjectId{1, nullptr}, 1, ref(slow), -1, nullptr), 0);
  ASSERT_EQ(qm::interval_add(qm::ObjectId{2, nullptr}, 1, ref(slow), -1, nullptr), 0);
  g_read_fields[0] = "id";
  // One cycle: each of the two once, then the cycle ends without an event.
  ASSERT_EQ(poll(), 0);
  ASSERT_EQ(poll(), 0);
  ASSERT_EQ(poll(), 0);
  EXPECT_EQ(g_seen, (std::vector<std::string>{"Interval 1", "Interval 2"}));
}

TEST_F(Poller, ADisplayFreedByItsOwnCallbackIsLetGo) {
  // The entry in hand keeps its payload for the second half; the display going frees it and
  // skips that half (ASan reports a leak or a second free otherwise).
  g_free_me = &display;
  slot(qm::HSLOT_ONMOUSEDOWN, free_display);
  qm::event_sources().button_click = count_second_half;
  void* payload = std::malloc(16);
  ASSERT_TRUE(input_queue_post(&display, INPUT_LEFTMOUSE, 5, 5, 1, payload));
  ASSERT_EQ(poll(), 0);
  ASSERT_EQ(poll(), 0);
  EXPECT_EQ(g_seen, (std::vector<std::string>{"OnMouseDown"}));
  EXPECT_EQ(g_second_halves, 0);
}

TEST_F(Poller, WindowMessagesCarryTheDisplaysValues) {
  display.win.width = 320, display.win.height = 200, display.win.x = 12, display.win.y = 34;
  slot(qm::HSLOT_SIZEWINDOW, record);
  slot(qm::HSLOT_MOVEWINDOW, record);
  ASSERT_TRUE(input_queue_post(&display, INPUT_MOVED, 0, 0, 0, nullptr));
  g_read_fields[0] = "x", g_read_fields[1] = "y", g_read_fields[2] = "id";
  ASSERT_EQ(poll(), 0);
  ASSERT_TRUE(input_queue_post(&display, INPUT_RESIZED, 0, 0, 0, nullptr));
  g_read_fields[0] = "width", g_read_fields[1] = "height";
  ASSERT_EQ(poll(), 0);
  EXPECT_EQ(g_seen, (std::vector<std::string>{"MoveWindow 12 34 1", "SizeWindow 320 200 1"}));
}

TEST_F(Poller, MouseMovesWithinTheEventTimeoutOnly) {
  // A move is delivered while its flag is set and it is fresh; the cycle's end clears the flag.
  slot(qm::HSLOT_ONMOUSEMOVE, record);
  display.mouse_moved = 1;
  display.mouse_moved_us = clock.now_us();
  ASSERT_EQ(poll(), 0);
  ASSERT_EQ(poll(), 0);  // the rest of the cycle, which clears the flag
  ASSERT_EQ(poll(), 0);
  display.mouse_moved = 1;
  display.mouse_moved_us = clock.now_us();
  clock.advance_ms(input_queue_timeout_ms() + 1);
  ASSERT_EQ(poll(), 0);
  EXPECT_EQ(g_seen, (std::vector<std::string>{"OnMouseMove"}));
  EXPECT_EQ(display.mouse_moved, 0);
}

TEST_F(Poller, DispatchResults) {
  slot(qm::HSLOT_ONKEYDOWN, record);
  struct Case {
    int32_t callback_result;
    bool quit;
    int32_t want;
  } cases[] = {
      {0, false, 0},
      {qm::ERR_WRONGUSAGE, false, qm::ERR_WRONGUSAGE},  // the callback's error passes
      {0, true, qm::ERR_USERABORT},                     // a quit during the call
  };
  for (const Case& c : cases) {
    g_callback_result = c.callback_result;
    platform_set_quit_request(c.quit);
    ASSERT_TRUE(input_queue_post(&display, INPUT_KEY, 1, 0, 'a', nullptr));
    EXPECT_EQ(poll(), c.want);
    platform_set_quit_request(false);
  }
  EXPECT_EQ(g_seen.size(), 3u);
}

TEST_F(Poller, KeyTexts) {
  struct Case {
    int32_t code;
    const char* text;
  } cases[] = {{274, "\n"}, {273, "\n"}, {272, "        "}, {276, " "}, {275, "ESC"}, {261, "F1"}, {'a', "a"}};
  for (const Case& c : cases) {
    char text[32];
    qm::key_text(c.code, text);
    EXPECT_STREQ(text, c.text) << c.code;
  }
  EXPECT_EQ(qm::key_name_row("esc", qm::KEYROW_FIRST_KEY, qm::KEYROW_FIRST_MODIFIER), 13);
  EXPECT_EQ(qm::key_name_row("lshift", qm::KEYROW_FIRST_KEY, qm::KEYROW_FIRST_MODIFIER), -1);
}

// The sound-end handler attributes that InstallEventHandler sets, as a setting hook sees them.
std::vector<std::pair<int32_t, intptr_t>> g_attrs_set;
int record_attr(qmState*, int32_t tag, intptr_t data) {
  g_attrs_set.emplace_back(tag, data);
  return 1;
}

TEST_F(Poller, SoundEndHandlersReachTheRuntimeAttributes) {
  ASSERT_EQ(qm::runtime_add_set_hook(record_attr), 0);
  ASSERT_EQ(qm::runtime_add_get_hook(qm::event_attr_get_hook), 0);
  qm::display_system().current = &display;
  auto install = [&](std::initializer_list<std::pair<const char*, bool>> fields) {
    g_attrs_set.clear();
    vm_set_top(L, 0);
    vm_new_table(L);
    for (auto [key, function] : fields) {
      vm_push_string(L, key);
      if (function) vm_push_cfunction(L, record);
      else vm_push_number(L, 0);
      vm_set_table(L, -3);
    }
    EXPECT_EQ(qm::cmd_installeventhandler(L), 0);
    vm_set_top(L, 0);
  };
  auto read = [&]() {
    std::vector<intptr_t> values;
    for (int32_t tag : {qm::ATTR_ONSAMPLELOOP, qm::ATTR_ONSAMPLEEND, qm::ATTR_ONMUSICEND, qm::ATTR_ONVIDEOEND}) {
      intptr_t v = -1;
      const qm::TagItem get[] = {{tag, reinterpret_cast<intptr_t>(&v)}, {0, 0}};
      EXPECT_EQ(qm::runtime_get_attrs(L, get), 1);
      values.push_back(v);
    }
    return values;
  };
  using Set = std::vector<std::pair<int32_t, intptr_t>>;
  install({{"onsampleend", true}, {"onvideoend", true}});
  EXPECT_EQ(g_attrs_set, (Set{{13, 0}, {14, 1}, {19, 0}, {24, 1}}));
  EXPECT_EQ(read(), (std::vector<intptr_t>{0, 1, 0, 1}));
  install({{"onsampleend", false}, {"onsampleloop", true}, {"onmusicend", true}});
  EXPECT_EQ(g_attrs_set, (Set{{13, 1}, {14, 0}, {19, 1}, {24, 1}}));
  EXPECT_EQ(read(), (std::vector<intptr_t>{1, 0, 1, 1}));
  qm::handlers_free_all(L);
  qm::display_system().current = nullptr;
  qm::registry_free_all();
}

}  // namespace
