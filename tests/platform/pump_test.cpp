// The pump, the waits, the quit path and the input-script injector, on SDL's event queue with a
// fake clock.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "engine/errcodes.h"
#include "platform/platform.h"

namespace {

std::vector<SDL_Event> g_seen;

int32_t record_event(qmState*, const SDL_Event& ev) {
  g_seen.push_back(ev);
  return ev.type == SDL_QUIT ? 1 : 0;
}

class Pump : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_set_clock(&clock);
    ASSERT_EQ(platform_init(), 0);
    platform_set_event_translator(record_event);
    g_seen.clear();
  }
  void TearDown() override {
    platform_set_event_translator(nullptr);
    platform_exit();
    platform_set_clock(nullptr);
  }
  static void push(uint32_t type, int32_t x = 0) {
    SDL_Event ev{};
    ev.type = type;
    if (type == SDL_MOUSEMOTION) {
      ev.motion.windowID = 1;
      ev.motion.x = x;
      ev.motion.xrel = 1;
    }
    if (type == SDL_KEYDOWN) ev.key.keysym.sym = x;
    ASSERT_EQ(SDL_PushEvent(&ev), 1);
  }
  FakeClock clock;
};

// A pump serves what is queued up to the first key or button going down or up, motions coalesced;
// what comes after a press waits for the next pump, so each press shows in the held keys.
TEST_F(Pump, ServesTheQueueUpToEachPressWithMotionsCoalesced) {
  for (int x = 1; x <= 3; ++x) push(SDL_MOUSEMOTION, x);
  push(SDL_KEYDOWN, 'a');
  push(SDL_MOUSEMOTION, 5);
  push(SDL_WINDOWEVENT);
  push(SDL_KEYDOWN, 'b');
  push(SDL_MOUSEMOTION, 9);
  EXPECT_EQ(platform_pump_events(nullptr), 0);
  EXPECT_EQ(g_seen.size(), 2u);
  EXPECT_TRUE(platform_input_state().key_down('a'));
  EXPECT_EQ(platform_pump_events(nullptr), 0);
  EXPECT_EQ(g_seen.size(), 5u);
  EXPECT_EQ(platform_pump_events(nullptr), 0);
  ASSERT_EQ(g_seen.size(), 6u);
  EXPECT_EQ(g_seen[0].motion.x, 3);
  EXPECT_EQ(g_seen[0].motion.xrel, 3);
  EXPECT_EQ(g_seen[1].key.keysym.sym, 'a');
  EXPECT_EQ(g_seen[2].motion.x, 5);
  EXPECT_EQ(g_seen[3].type, uint32_t(SDL_WINDOWEVENT));
  EXPECT_EQ(g_seen[4].key.keysym.sym, 'b');
  EXPECT_EQ(g_seen[5].motion.x, 9);
}

// Motions are taken in batches: a run longer than a batch still becomes one event, and the event
// behind it stays queued.
TEST_F(Pump, LongRunsOfMotionsBecomeOne) {
  for (int x = 1; x <= 150; ++x) push(SDL_MOUSEMOTION, x);
  push(SDL_KEYDOWN, 'k');
  EXPECT_EQ(platform_pump_events(nullptr), 0);
  EXPECT_EQ(platform_pump_events(nullptr), 0);
  ASSERT_EQ(g_seen.size(), 2u);
  EXPECT_EQ(g_seen[0].motion.x, 150);
  EXPECT_EQ(g_seen[0].motion.xrel, 150);
  EXPECT_EQ(g_seen[1].key.keysym.sym, 'k');
}

TEST_F(Pump, ReturnsEarlyWithinTenMillisecondsOfAnEmptyQueue) {
  clock.advance_ms(10);
  EXPECT_EQ(platform_pump_events(nullptr), 0);
  platform_set_quit_request(true);
  clock.advance_ms(9);
  EXPECT_EQ(platform_pump_events(nullptr), 0);
  clock.advance_ms(1);
  EXPECT_EQ(platform_pump_events(nullptr), 1);
}

// Another thread's wake promises a full pump: its finishers run even inside the gap, once.
TEST_F(Pump, WakeWithinTheGapStillRunsTheFinishers) {
  static int finished = 0;
  platform_add_pump_finisher([](qmState*) {
    ++finished;
    return 0;
  });
  clock.advance_ms(10);
  platform_pump_events(nullptr);
  const int before = finished;
  platform_wake();
  clock.advance_ms(1);
  platform_pump_events(nullptr);
  EXPECT_EQ(finished, before + 1);
  platform_pump_events(nullptr);
  EXPECT_EQ(finished, before + 1);
}

TEST_F(Pump, QuitEventAndQuitSignalsReachTheQuitPath) {
  struct Case {
    const char* name;
    void (*cause)();
  };
  const Case cases[] = {
      {"SDL_QUIT", [] { push(SDL_QUIT); }},
      {"SIGTERM", [] { raise(SIGTERM); }},
      {"SIGINT", [] { raise(SIGINT); }},
  };
  for (const Case& c : cases) {
    platform_set_quit_request(false);
    g_seen.clear();
    c.cause();
    EXPECT_EQ(platform_pump_events(nullptr), 1) << c.name;
    ASSERT_EQ(g_seen.size(), 1u) << c.name;
    EXPECT_EQ(g_seen[0].type, uint32_t(SDL_QUIT));
    EXPECT_TRUE(platform_quit_requested());
  }
}

// However short, a wait serves what arrives during it and lasts its time.
TEST_F(Pump, EveryWaitServesEvents) {
  for (int64_t ms : {1, 20, 101}) {
    g_seen.clear();
    push(SDL_KEYDOWN, 'a');
    int64_t start = clock.now_us();
    EXPECT_EQ(platform_wait_ms(ms), 0) << ms;
    EXPECT_EQ(clock.now_us() - start, ms * 1000) << ms;
    EXPECT_EQ(g_seen.size(), 1u) << ms;
  }
}

TEST_F(Pump, QuitDuringAWaitEndsItWithUserAbort) {
  ASSERT_EQ(platform_event_script_load("at 150 quit\n"), 0);
  int64_t start = clock.now_us();
  EXPECT_EQ(platform_wait_ms(5000), qm::ERR_USERABORT);
  EXPECT_GE(clock.now_us() - start, 150000);
  EXPECT_LT(clock.now_us() - start, 200000);
}

TEST_F(Pump, TimersEndABlockingWait) {
  ASSERT_EQ(platform_timer_control(TIMER_ADD_TIMEOUT, qm::ObjectId{3, nullptr}, 250), 0);
  int64_t start = clock.now_us();
  EXPECT_EQ(platform_wait_event(), 0);
  EXPECT_EQ(clock.now_us() - start, 250000);
  EXPECT_EQ(platform_timer_find(TIMER_TIMEOUT, qm::ObjectId{3, nullptr})->fired, 1);
}

TEST_F(Pump, WakeFromAnotherThreadEndsABlockingWait) {
  platform_set_clock(nullptr);
  std::thread waker([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    platform_wake();
  });
  EXPECT_EQ(platform_wait_event(), 0);
  waker.join();
}

TEST_F(Pump, InputScriptPushesTimedEvents) {
  const char* script =
      "# a click, keys and text\n"
      "at 100 move 1 10 20\n"
      "click 1 left\n"
      "at 200 key down shift\n"
      "key a\n"
      "text \xC3\xA9t\xC3\xA9\n"
      "at 300 wheel 1 down\n"
      "close 1\n";
  ASSERT_EQ(platform_event_script_load(script), 0);
  EXPECT_EQ(platform_event_script_next_due_us(), 100000);
  EXPECT_EQ(platform_event_script_feed(), 0);
  clock.advance_ms(100);
  EXPECT_EQ(platform_event_script_feed(), 3);
  clock.advance_ms(100);
  EXPECT_EQ(platform_event_script_feed(), 4);
  clock.advance_ms(100);
  EXPECT_EQ(platform_event_script_feed(), 2);
  EXPECT_EQ(platform_event_script_next_due_us(), -1);
  for (int i = 0; i < 12; ++i) {
    clock.advance_ms(10);
    platform_pump_events(nullptr);
  }
  ASSERT_EQ(g_seen.size(), 9u);
  EXPECT_EQ(g_seen[0].motion.x, 10);
  EXPECT_EQ(g_seen[1].type, uint32_t(SDL_MOUSEBUTTONDOWN));
  EXPECT_EQ(g_seen[1].button.y, 20);
  EXPECT_EQ(g_seen[2].type, uint32_t(SDL_MOUSEBUTTONUP));
  EXPECT_EQ(g_seen[3].key.keysym.sym, SDLK_LSHIFT);
  EXPECT_EQ(g_seen[4].key.keysym.sym, SDLK_a);
  EXPECT_TRUE(g_seen[4].key.keysym.mod & KMOD_SHIFT);
  EXPECT_EQ(g_seen[5].type, uint32_t(SDL_KEYUP));
  EXPECT_STREQ(g_seen[6].text.text, "\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(g_seen[7].wheel.y, -1);
  EXPECT_EQ(g_seen[8].window.event, SDL_WINDOWEVENT_CLOSE);
}

TEST_F(Pump, InputScriptThatFellBehindFeedsOneGroupACall) {
  ASSERT_EQ(platform_event_script_load("at 100 key down space\nat 100 key up space\nat 300 key a\nclose 1\n"), 0);
  clock.advance_ms(1000);
  EXPECT_EQ(platform_event_script_feed(), 1);
  EXPECT_EQ(platform_event_script_feed(), 1);
  EXPECT_EQ(platform_event_script_feed(), 3);
  EXPECT_EQ(platform_event_script_feed(), 0);
}

TEST_F(Pump, InputScriptWaitsForTheProgramToLookAtItsEvents) {
  ASSERT_EQ(platform_event_script_load("at 50 wait events\nat 100 close 1\nat 150 quit\n"), 0);
  platform_event_script_events_looked_at();  // too early: the wait is not due yet
  clock.advance_ms(400);
  EXPECT_EQ(platform_event_script_next_due_us(), -1);
  EXPECT_EQ(platform_event_script_feed(), 0);
  // A slow start: the wait came due before any look, and nothing happens until one.
  clock.advance_ms(100);
  EXPECT_EQ(platform_event_script_feed(), 0);
  platform_event_script_events_looked_at();
  EXPECT_EQ(platform_event_script_next_due_us(), 50000);
  clock.advance_ms(49);
  EXPECT_EQ(platform_event_script_feed(), 0);
  clock.advance_ms(1);
  EXPECT_EQ(platform_event_script_feed(), 1);
  EXPECT_EQ(platform_event_script_next_due_us(), 50000);
}

TEST_F(Pump, AnEventWaitLooksAtTheEventsWhileItLasts) {
  // The program sits in its event wait when the hold falls due: the wait ends the hold itself and
  // wakes for the line after it, instead of sleeping with the script held for good.
  ASSERT_EQ(platform_event_script_load("at 50 wait events\nat 100 close 1\n"), 0);
  const int64_t start = clock.now_us();
  EXPECT_EQ(platform_wait_event(), 0);
  EXPECT_EQ(clock.now_us(), start + 100000);
  EXPECT_EQ(platform_event_script_next_due_us(), -1);
}

TEST_F(Pump, MalformedInputScriptLines) {
  struct Case {
    const char* text;
    int32_t line;
  };
  const Case cases[] = {
      {"move 1 10\n", 1},          {"at x move 1 1 1\n", 1}, {"quit\nclick 1 thumb\n", 2},
      {"key down nosuchkey\n", 1}, {"wheel 1 sideways\n", 1}, {"text\n", 1},
      {"quit now\n", 1},           {"jump 1\n", 1},          {"at -5 quit\n", 1},
      {"quit\nat 9223372036854775807 quit\n", 2},
      {"wait\n", 1},               {"wait keys\n", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(platform_event_script_load(c.text), c.line) << c.text;
}

}  // namespace

namespace {

TEST_F(Pump, InputStateFollowsTheEventsTaken) {
  ASSERT_EQ(platform_event_script_load("move 2 30 40\ndown 2 left\nkey down shift\nkey down a\nmove 1 5 6\n"), 0);
  platform_event_script_feed();
  for (int i = 0; i < 5; ++i) {
    clock.advance_ms(10);
    platform_pump_events(nullptr);
  }
  const InputState& s = platform_input_state();
  ASSERT_NE(s.mouse_in(2), nullptr);
  EXPECT_EQ(s.mouse_in(2)->x, 30);
  EXPECT_EQ(s.mouse_in(1)->y, 6);
  EXPECT_EQ(s.mouse_window, 1u);
  EXPECT_EQ(s.buttons, uint32_t(SDL_BUTTON_LMASK));
  EXPECT_TRUE(s.key_down(SDLK_a));
  EXPECT_TRUE(s.modifiers & KMOD_LSHIFT);
  EXPECT_EQ(s.focus_window, 2u);

  // Losing the focus releases every key; a destroyed window leaves no trace.
  SDL_Event lost{};
  lost.type = SDL_WINDOWEVENT;
  lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  lost.window.windowID = 2;
  SDL_PushEvent(&lost);
  clock.advance_ms(10);
  platform_pump_events(nullptr);
  EXPECT_TRUE(s.keys.empty());
  EXPECT_EQ(s.modifiers, 0);
  EXPECT_EQ(s.focus_window, 0u);
  platform_input_forget_window(2);
  EXPECT_EQ(s.mouse_in(2), nullptr);
}

}  // namespace
