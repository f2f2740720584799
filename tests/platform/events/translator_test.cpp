// The SDL event translator on hand-built events, with no SDL started: what each sequence of
// events leaves in the input queue and in the displays' flags and key states.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display/display.h"
#include "display/input_events.h"
#include "events/input_queue.h"
#include "platform/platform.h"

namespace {

using qm::qmDisplay;

// ---- events ---------------------------------------------------------------------------------------

SDL_Event key(bool down, SDL_Keycode sym, uint16_t mod = 0, uint32_t window = 1) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.windowID = window;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = sym;
  e.key.keysym.scancode = SDL_Scancode(sym & SDLK_SCANCODE_MASK ? sym & ~SDLK_SCANCODE_MASK : sym);
  e.key.keysym.mod = mod;
  return e;
}
SDL_Event text(const char* utf8, uint32_t window = 1) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = window;
  std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
  return e;
}
SDL_Event button(bool down, uint8_t b, int32_t x, int32_t y, uint32_t window = 1) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.windowID = window;
  e.button.button = b;
  e.button.x = x;
  e.button.y = y;
  return e;
}
SDL_Event motion(int32_t x, int32_t y, uint32_t window = 1) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = window;
  e.motion.x = x;
  e.motion.y = y;
  return e;
}
SDL_Event wheel(int32_t x, int32_t y, uint32_t direction = SDL_MOUSEWHEEL_NORMAL) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = 1;
  e.wheel.x = x;
  e.wheel.y = y;
  e.wheel.direction = direction;
  return e;
}
SDL_Event window(uint8_t event, int32_t data1 = 0, int32_t data2 = 0, uint32_t id = 1) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = id;
  e.window.event = event;
  e.window.data1 = data1;
  e.window.data2 = data2;
  return e;
}
SDL_Event drop(uint32_t type, const char* file = nullptr) {
  SDL_Event e{};
  e.type = type;
  e.drop.windowID = 1;
  e.drop.file = file ? SDL_strdup(file) : nullptr;  // the translator frees it, as SDL's own
  return e;
}
SDL_Event plain(uint32_t type) {
  SDL_Event e{};
  e.type = type;
  return e;
}

// ---- displays ---------------------------------------------------------------------------------------

struct Entry {
  int32_t type, a, b, c, display;
  bool operator==(const Entry&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "{" << e.type << ", " << e.a << ", " << e.b << ", " << e.c << ", d" << e.display << "}";
}

// Displays 1 and 2 (window ids 1 and 2), display 1 alone in the list unless a case adds 2.
struct Displays {
  std::unique_ptr<qmDisplay> d[3];
  static inline Displays* current = nullptr;
  Displays() {
    for (int i = 1; i <= 2; ++i) {
      d[i] = std::make_unique<qmDisplay>();
      d[i]->header.id.number = i;
      d[i]->win.platform = new qmDisplayPlatform;
      d[i]->win.state = DISPSTATE_OPEN;
      for (auto& slot : d[i]->callbacks) slot[0] = slot[1] = -1;
    }
    current = this;
    qm::input_set_display_lookup([](uint32_t id) { return id <= 2 ? current->d[id].get() : nullptr; });
    list({1});
  }
  ~Displays() {
    qm::display_system().list = nullptr;
    for (int i = 1; i <= 2; ++i) delete d[i]->win.platform;
    qm::input_set_display_lookup(nullptr);
  }
  void list(std::initializer_list<int> numbers) {
    qm::ObjectHeader** link = &qm::display_system().list;
    for (int n : numbers) {
      *link = &d[n]->header;
      link = &d[n]->header.next;
    }
    *link = nullptr;
  }
  int number(const ::qmDisplay* q) const {
    for (int i = 1; i <= 2; ++i)
      if (d[i].get() == q) return i;
    return 0;
  }
};

// Feeds the events the way the pump does: the layer's state first, then the translator, which may
// take the event behind.
void feed(const std::vector<SDL_Event>& events) {
  for (size_t i = 0; i < events.size(); ++i) {
    platform_input_track(events[i]);
    bool took_next = false;
    EXPECT_EQ(qm::input_translate(events[i], i + 1 < events.size() ? &events[i + 1] : nullptr, &took_next), 0);
    if (took_next) ++i;
  }
}

std::vector<Entry> take_queue(const Displays& ds, std::vector<std::string>* payloads = nullptr) {
  std::vector<Entry> out;
  input_queue_lock();
  qmInputEvent e;
  for (int32_t n = 0; input_queue_peek(n, &e, false); ++n) {
    out.push_back({e.type, e.a, e.b, e.c, ds.number(e.display)});
    if (payloads && e.payload) {
      const char* p = static_cast<const char*>(e.payload);
      std::string all;
      while (*p) {
        all += p;
        all += '|';
        p += std::strlen(p) + 1;
      }
      payloads->push_back(all);
    }
  }
  input_queue_unlock();
  input_queue_remove(-1, 1);
  return out;
}

int32_t region_test(const qmDisplayWindow*, int32_t, int32_t y) { return y < 15 ? WINHIT_DRAG : WINHIT_NONE; }

class Translator : public ::testing::Test {
 protected:
  void SetUp() override {
    qm::input_events_reset();
    platform_input_reset();
    input_queue_remove(-1, 1);
  }
  void TearDown() override {
    qm::input_events_reset();
    platform_input_reset();
    platform_set_window_region_test(nullptr);
    input_queue_remove(-1, 1);
  }
};

TEST_F(Translator, EventsIntoQueueEntriesAndFlags) {
  struct Case {
    const char* name;
    std::vector<SDL_Event> in;
    std::vector<Entry> out;
    std::function<void(Displays&)> setup = nullptr;
    std::function<void(Displays&)> check = nullptr;
  };
  const std::vector<Case> cases = {
      {"control+C posts nothing and sets the flag",
       {key(true, SDLK_LCTRL, KMOD_LCTRL), key(true, SDLK_c, KMOD_LCTRL), key(false, SDLK_c, KMOD_LCTRL),
        key(false, SDLK_LCTRL)},
       {},
       nullptr,
       [](Displays& ds) { EXPECT_EQ(ds.d[1]->win.platform->ctrl_c, 1); }},
      {"control+A posts nothing at all", {key(true, SDLK_a, KMOD_RCTRL), key(false, SDLK_a, KMOD_RCTRL)}, {}},
      {"Escape is key 275 and sets the flag",
       {key(true, SDLK_ESCAPE), key(false, SDLK_ESCAPE)},
       {{3, 1, 0, 275, 1}, {3, 0, 0, 275, 1}},
       nullptr,
       [](Displays& ds) { EXPECT_EQ(ds.d[1]->win.platform->escape, 1); }},
      {"command+Return switches the mode at its key-up",
       {key(true, SDLK_RETURN, KMOD_LGUI), key(false, SDLK_RETURN, KMOD_LGUI)},
       {{3, 1, 0, 274, 1}, {13, 0, 0, 0, 1}, {3, 0, 0, 274, 1}},
       nullptr,
       [](Displays& ds) { EXPECT_EQ(ds.d[1]->win.platform->pending_switch, 1); }},
      {"command+Return on a display that is not the only one",
       {key(true, SDLK_RETURN, KMOD_LGUI), key(false, SDLK_RETURN, KMOD_LGUI)},
       {{3, 1, 0, 274, 1}, {3, 0, 0, 274, 1}},
       [](Displays& ds) { ds.list({1, 2}); },
       [](Displays& ds) { EXPECT_EQ(ds.d[1]->win.platform->pending_switch, -1); }},
      {"function keys: F1, F13 and the unposted F17",
       {key(true, SDLK_F1), key(true, SDLK_F13), key(true, SDLK_F17), key(false, SDLK_F17)},
       {{3, 1, 0, 261, 1}, {3, 1, 0, 287, 1}}},
      {"keypad Enter, Insert, Print Screen and Pause have key names",
       {key(true, SDLK_KP_ENTER), key(true, SDLK_INSERT), key(true, SDLK_PRINTSCREEN), key(true, SDLK_PAUSE)},
       {{3, 1, 0, 273, 1}, {3, 1, 0, 280, 1}, {3, 1, 0, 285, 1}, {3, 1, 0, 286, 1}}},
      {"space is 276 and its text is dropped",
       {key(true, SDLK_SPACE), text(" "), key(false, SDLK_SPACE)},
       {{3, 1, 0, 276, 1}, {3, 0, 0, 276, 1}}},
      {"shift released before the key: its up names what its down posted",
       {key(true, SDLK_LSHIFT, KMOD_LSHIFT), key(true, SDLK_a, KMOD_LSHIFT), text("A"), key(false, SDLK_LSHIFT),
        key(false, SDLK_a)},
       {{3, 1, 0, 65, 1}, {3, 0, 0, 65, 1}},
       nullptr,
       [](Displays& ds) {
         EXPECT_EQ(ds.d[1]->keys[65], 0);
         EXPECT_EQ(ds.d[1]->keys[97], 0);
       }},
      {"the text decides a printable key; without text its keycode does",
       {key(true, SDLK_2), text("\xc3\xa9"), key(false, SDLK_2), key(true, SDLK_q), key(false, SDLK_q)},
       {{3, 1, 0, 233, 1}, {3, 0, 0, 233, 1}, {3, 1, 0, 'q', 1}, {3, 0, 0, 'q', 1}}},
      {"a character beyond Latin-1 is dropped with its key",
       {key(true, SDLK_e, KMOD_RALT), text("\xe2\x82\xac"), key(false, SDLK_e)},
       {}},
      {"a held key repeats as downs",
       {key(true, SDLK_x), text("x"), key(true, SDLK_x), text("x"), key(false, SDLK_x)},
       {{3, 1, 0, 'x', 1}, {3, 1, 0, 'x', 1}, {3, 0, 0, 'x', 1}}},
      {"wheel up, down, flipped and horizontal",
       {wheel(0, 1), wheel(0, -2), wheel(0, 1, SDL_MOUSEWHEEL_FLIPPED), wheel(3, 0)},
       {{11, 0, 0, 0, 1}, {12, 0, 0, 0, 1}, {12, 0, 0, 0, 1}}},
      {"buttons: SDL's 1, 3 and 2 are left, right and middle",
       {button(true, 1, 5, 6), button(false, 1, 7, 8), button(true, 3, 1, 2), button(true, 2, 3, 4),
        button(true, 4, 0, 0)},
       {{1, 5, 6, 1, 1}, {1, 7, 8, 0, 1}, {2, 1, 2, 1, 1}, {16, 3, 4, 1, 1}},
       nullptr,
       [](Displays& ds) {
         EXPECT_EQ(ds.d[1]->mouse_buttons[0], 0);
         EXPECT_EQ(ds.d[1]->mouse_buttons[1], 1);
         EXPECT_EQ(ds.d[1]->mouse_buttons[2], 1);
       }},
      {"a left click in a drag region of a borderless window goes to the window system",
       {button(true, 1, 40, 5), button(false, 1, 40, 5), button(true, 1, 40, 50), button(false, 1, 40, 50),
        button(true, 3, 40, 5)},
       {{1, 40, 50, 1, 1}, {1, 40, 50, 0, 1}, {2, 40, 5, 1, 1}},
       [](Displays& ds) {
         ds.d[1]->win.flags |= WINFLAG_BORDERLESS;
         platform_set_window_region_test(region_test);
       }},
      {"a fixed borderless window has no drag region",
       {button(true, 1, 40, 5)},
       {{1, 40, 5, 1, 1}},
       [](Displays& ds) {
         ds.d[1]->win.flags |= WINFLAG_BORDERLESS | WINFLAG_FIXED;
         platform_set_window_region_test(region_test);
       }},
      {"clicks on the backfill display are not posted", {button(true, 1, 1, 1)}, {}, [](Displays& ds) {
         ds.d[1]->backfill = 1;
       }},
      {"close requests; a noclose window swallows its own",
       {window(SDL_WINDOWEVENT_CLOSE, 0, 0, 1), window(SDL_WINDOWEVENT_CLOSE, 0, 0, 2)},
       {{7, 0, 0, 0, 1}},
       [](Displays& ds) { ds.d[2]->win.flags |= WINFLAG_NOCLOSE; },
       [](Displays& ds) {
         EXPECT_EQ(ds.d[1]->win.platform->close_request, 1);
         EXPECT_EQ(ds.d[2]->win.platform->close_request, 0);
       }},
      {"the quit event closes every display",
       {plain(SDL_QUIT)},
       {{7, 0, 0, 0, 1}, {7, 0, 0, 0, 2}},
       [](Displays& ds) { ds.list({1, 2}); },
       [](Displays& ds) { EXPECT_EQ(ds.d[2]->win.platform->close_request, 1); }},
      {"deactivating releases every key without posting key-ups",
       {window(SDL_WINDOWEVENT_FOCUS_GAINED), key(true, SDLK_a), text("a"), key(true, SDLK_LEFT),
        window(SDL_WINDOWEVENT_FOCUS_LOST), key(false, SDLK_a)},
       {{8, 0, 0, 0, 1}, {3, 1, 0, 97, 1}, {3, 1, 0, 259, 1}, {6, 0, 0, 0, 1}},
       nullptr,
       [](Displays& ds) {
         EXPECT_EQ(ds.d[1]->keys[97], 0);
         EXPECT_EQ(ds.d[1]->keys[259], 0);
         EXPECT_EQ(ds.d[1]->active, 0);
       }},
      {"collapse and expand; un-maximising is no expand",
       {window(SDL_WINDOWEVENT_RESTORED), window(SDL_WINDOWEVENT_MINIMIZED), window(SDL_WINDOWEVENT_RESTORED)},
       {{9, 0, 0, 0, 1}, {10, 0, 0, 0, 1}}},
      {"moves and resizes by the user, not the echoes of the program's own",
       {window(SDL_WINDOWEVENT_MOVED, 104, 125), window(SDL_WINDOWEVENT_MOVED, 304, 225),
        window(SDL_WINDOWEVENT_RESIZED, 640, 480), window(SDL_WINDOWEVENT_RESIZED, 700, 500)},
       {{4, 0, 0, 0, 1}, {5, 0, 0, 0, 1}},
       [](Displays& ds) {
         ds.d[1]->win.x = 100;
         ds.d[1]->win.y = 100;
         ds.d[1]->win.frame_left = 4;
         ds.d[1]->win.frame_top = 25;
       },
       [](Displays& ds) {
         EXPECT_EQ(ds.d[1]->win.x, 300);
         EXPECT_EQ(ds.d[1]->win.y, 200);
         EXPECT_EQ(ds.d[1]->win.width, 700);
         EXPECT_EQ(ds.d[1]->win.platform->relayout_request, 1);
       }},
      {"clipboard changes reach the displays that watch, once for our own write",
       {plain(SDL_CLIPBOARDUPDATE)},
       {{15, 0, 0, 0, 2}},
       [](Displays& ds) {
         ds.list({1, 2});
         ds.d[2]->callbacks[qm::SLOT_CLIPBOARDCHANGE][0] = 7;
       },
       [](Displays&) {
         platform_clipboard_note_own_write();
         feed({plain(SDL_CLIPBOARDUPDATE)});
         EXPECT_EQ(input_queue_count(), 0);
       }},
      {"mouse moves mark the display", {motion(3, 4)}, {}, nullptr, [](Displays& ds) {
         EXPECT_EQ(ds.d[1]->mouse_moved, 1);
       }},
      {"events of unknown windows are dropped", {key(true, SDLK_a, 0, 9), text("a", 9), button(true, 1, 0, 0, 9)}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Displays ds;
    if (c.setup) c.setup(ds);
    feed(c.in);
    EXPECT_EQ(take_queue(ds), c.out);
    if (c.check) c.check(ds);
    platform_set_window_region_test(nullptr);
    qm::input_events_reset();
  }
}

TEST_F(Translator, DropOfThreeFilesIsOneBlockAtTheMousePosition) {
  Displays ds;
  // A window that is no drop target refuses drops.
  feed({drop(SDL_DROPBEGIN), drop(SDL_DROPFILE, "/tmp/x"), drop(SDL_DROPCOMPLETE)});
  EXPECT_EQ(input_queue_count(), 0);
  ds.d[1]->win.platform->drop_target = 1;
  feed({motion(30, 40), drop(SDL_DROPBEGIN), drop(SDL_DROPFILE, "/tmp/a.iff"), drop(SDL_DROPFILE, "/tmp/b"),
        drop(SDL_DROPFILE, "/tmp/caf\xc3\xa9.png"), drop(SDL_DROPCOMPLETE)});
  std::vector<std::string> payloads;
  EXPECT_EQ(take_queue(ds, &payloads), (std::vector<Entry>{{14, 30, 40, 0, 1}}));
  ASSERT_EQ(payloads.size(), 1u);
  EXPECT_EQ(payloads[0], "/tmp/a.iff|/tmp/b|/tmp/caf\xe9.png|");
}

TEST_F(Translator, DropIntoAFullQueueFreesItsBlock) {
  Displays ds;
  ds.d[1]->win.platform->drop_target = 1;
  for (int32_t i = 0; i < INPUT_QUEUE_SIZE; ++i) input_queue_post(nullptr, INPUT_KEY, 1, 0, 65, nullptr);
  // LeakSanitizer would report the block if nobody freed it.
  feed({drop(SDL_DROPBEGIN), drop(SDL_DROPFILE, "x"), drop(SDL_DROPCOMPLETE)});
  EXPECT_EQ(input_queue_count(), INPUT_QUEUE_SIZE);
  // A completed drop without files posts nothing.
  input_queue_remove(-1, 1);
  feed({drop(SDL_DROPBEGIN), drop(SDL_DROPCOMPLETE)});
  EXPECT_EQ(input_queue_count(), 0);
}

TEST_F(Translator, FinishingStepQuitsOnCloseWithoutAHandlerAndOnTheSwitches) {
  struct Case {
    const char* name;
    std::function<void(Displays&)> set;
    int32_t quit;
  };
  const Case cases[] = {
      {"nothing", [](Displays&) {}, 0},
      {"close without a closewindow handler", [](Displays& ds) { ds.d[1]->win.platform->close_request = 1; }, 1},
      {"close with a closewindow handler",
       [](Displays& ds) {
         ds.d[2]->win.platform->close_request = 1;
         ds.d[2]->close_handled = 1;
       },
       0},
      {"Ctrl-C, quitting on it by default", [](Displays& ds) { ds.d[2]->win.platform->ctrl_c = 1; }, 1},
      {"Ctrl-C with CtrlCQuit off",
       [](Displays& ds) {
         ds.d[1]->win.platform->ctrl_c = 1;
         platform_set_attr(nullptr, PLATATTR_CTRLCQUIT, 0);
       },
       0},
      {"Escape, not quitting by default", [](Displays& ds) { ds.d[1]->win.platform->escape = 1; }, 0},
      {"Escape with EscapeQuit on",
       [](Displays& ds) {
         ds.d[1]->win.platform->escape = 1;
         platform_set_attr(nullptr, PLATATTR_ESCAPEQUIT, 1);
       },
       1},
      {"left button down with LeftMouseQuit on",
       [](Displays& ds) {
         ds.d[1]->mouse_buttons[0] = 1;
         platform_set_attr(nullptr, PLATATTR_LEFTMOUSEQUIT, 1);
       },
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Displays ds;
    ds.list({1, 2});
    c.set(ds);
    EXPECT_EQ(qm::input_pump_finish(nullptr), c.quit);
    // The request flags last one pump.
    EXPECT_EQ(ds.d[1]->win.platform->ctrl_c + ds.d[1]->win.platform->escape + ds.d[2]->win.platform->close_request, 0);
    platform_reset_quit_switches();
  }
}

TEST_F(Translator, QualifiersFromTheLayersModifierState) {
  const std::pair<uint16_t, uint32_t> cases[] = {
      {0, 0x8000}, {KMOD_LSHIFT, 0x8001}, {KMOD_RALT, 0x8004}, {KMOD_LGUI | KMOD_RSHIFT, 0x8011}, {KMOD_LCTRL, 0x8040}};
  for (auto [mod, want] : cases) {
    platform_input_track(key(true, SDLK_z, mod));
    EXPECT_EQ(platform_get_qualifiers(), want << 16) << mod;
  }
}

}  // namespace
