// The input-script injector: timed lines of mouse, key, text, resize, close and quit input, pushed into
// SDL's queue with SDL_PushEvent when their time comes, so that tests drive the real player the
// way a person would.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "engine/errcodes.h"
#include "platform/platform.h"
#include "platform/platform_internal.h"

namespace {

enum class Op { Move, Button, Wheel, Key, Text, Size, Close, Quit, Drop, WaitEvents };

struct Line {
  int64_t at_ms = 0;
  int32_t group = 0;  // lines from one "at" to the next
  Op op = Op::Quit;
  int32_t display = 1;
  int32_t x = 0, y = 0;
  uint8_t button = 0;  // SDL_BUTTON_LEFT, _MIDDLE, _RIGHT
  int32_t wheel = 0;
  bool down = true;
  bool both = false;  // down and up (click, "key X")
  SDL_Keycode key = SDLK_UNKNOWN;
  std::string text;
};

struct Script {
  std::vector<Line> lines;
  size_t next = 0;
  int64_t start_us = 0;
  std::map<int32_t, std::pair<int32_t, int32_t>> mouse;  // last position per display
  uint32_t buttons = 0;
  uint16_t mods = 0;
  int32_t focus = 1;
};

Script g_script;
WindowResolver g_resolver = nullptr;

uint32_t window_of(int32_t display) { return g_resolver ? g_resolver(display) : uint32_t(display); }

bool parse_button(const std::string& name, uint8_t* out) {
  if (name == "left") *out = SDL_BUTTON_LEFT;
  else if (name == "right") *out = SDL_BUTTON_RIGHT;
  else if (name == "middle") *out = SDL_BUTTON_MIDDLE;
  else return false;
  return true;
}

SDL_Keycode parse_key(const std::string& name) {
  static const std::map<std::string, SDL_Keycode> kAliases = {
      {"shift", SDLK_LSHIFT}, {"ctrl", SDLK_LCTRL}, {"control", SDLK_LCTRL}, {"alt", SDLK_LALT},
      {"gui", SDLK_LGUI},     {"command", SDLK_LGUI}, {"return", SDLK_RETURN}, {"esc", SDLK_ESCAPE},
  };
  auto it = kAliases.find(name);
  return it != kAliases.end() ? it->second : SDL_GetKeyFromName(name.c_str());
}

uint16_t mod_of(SDL_Keycode key) {
  switch (key) {
    case SDLK_LSHIFT: return KMOD_LSHIFT;
    case SDLK_RSHIFT: return KMOD_RSHIFT;
    case SDLK_LCTRL: return KMOD_LCTRL;
    case SDLK_RCTRL: return KMOD_RCTRL;
    case SDLK_LALT: return KMOD_LALT;
    case SDLK_RALT: return KMOD_RALT;
    case SDLK_LGUI: return KMOD_LGUI;
    case SDLK_RGUI: return KMOD_RGUI;
    default: return 0;
  }
}

std::string rest_of(std::istringstream& in) {
  std::string rest;
  std::getline(in >> std::ws, rest);
  while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r')) rest.pop_back();
  return rest;
}

bool parse_line(std::istringstream& in, const std::string& verb, Line* l) {
  if (verb == "move") {
    l->op = Op::Move;
    return bool(in >> l->display >> l->x >> l->y);
  }
  if (verb == "click" || verb == "down" || verb == "up") {
    std::string name;
    l->op = Op::Button;
    l->both = verb == "click";
    l->down = verb != "up";
    return in >> l->display >> name && parse_button(name, &l->button);
  }
  if (verb == "wheel") {
    std::string dir;
    l->op = Op::Wheel;
    if (!(in >> l->display >> dir) || (dir != "up" && dir != "down")) return false;
    l->wheel = dir == "up" ? 1 : -1;
    return true;
  }
  if (verb == "key") {
    l->op = Op::Key;
    std::string rest = rest_of(in);
    size_t space = rest.find(' ');
    std::string first = rest.substr(0, space);
    if ((first == "down" || first == "up") && space != std::string::npos) {
      l->down = first == "down";
      rest = rest.substr(space + 1);
    } else {
      l->both = true;
    }
    l->key = parse_key(rest);
    return l->key != SDLK_UNKNOWN;
  }
  if (verb == "text") {
    l->op = Op::Text;
    l->text = rest_of(in);
    return !l->text.empty();
  }
  if (verb == "size") {
    l->op = Op::Size;
    return in >> l->display >> l->x >> l->y && l->x > 0 && l->y > 0;
  }
  if (verb == "close") {
    l->op = Op::Close;
    return bool(in >> l->display);
  }
  if (verb == "quit") {
    l->op = Op::Quit;
    return true;
  }
  if (verb == "wait") {
    std::string what;
    l->op = Op::WaitEvents;
    return in >> what && what == "events";
  }
  if (verb == "drop") {
    l->op = Op::Drop;
    if (!(in >> l->display)) return false;
    l->text = rest_of(in);
    return !l->text.empty();
  }
  return false;
}

void push(SDL_Event& ev) {
  ev.common.timestamp = SDL_GetTicks();
  SDL_PushEvent(&ev);
}

void push_button(Script& s, const Line& l, bool down) {
  auto [x, y] = s.mouse[l.display];
  SDL_Event ev{};
  ev.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  ev.button.windowID = window_of(l.display);
  ev.button.button = l.button;
  ev.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  ev.button.clicks = 1;
  ev.button.x = x;
  ev.button.y = y;
  uint32_t mask = SDL_BUTTON(l.button);
  s.buttons = down ? s.buttons | mask : s.buttons & ~mask;
  push(ev);
}

void push_key(Script& s, SDL_Keycode key, bool down) {
  uint16_t m = mod_of(key);
  s.mods = down ? s.mods | m : s.mods & ~m;
  SDL_Event ev{};
  ev.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  ev.key.windowID = window_of(s.focus);
  ev.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  ev.key.keysym.sym = key;
  ev.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  ev.key.keysym.mod = s.mods;
  push(ev);
}

// Pushes one line; returns the number of events.
int32_t push_line(Script& s, const Line& l) {
  SDL_Event ev{};
  switch (l.op) {
    case Op::Move: {
      auto& [px, py] = s.mouse[l.display];
      ev.type = SDL_MOUSEMOTION;
      ev.motion.windowID = window_of(l.display);
      ev.motion.state = s.buttons;
      ev.motion.x = l.x;
      ev.motion.y = l.y;
      ev.motion.xrel = l.x - px;
      ev.motion.yrel = l.y - py;
      px = l.x;
      py = l.y;
      s.focus = l.display;
      push(ev);
      return 1;
    }
    case Op::Button:
      s.focus = l.display;
      push_button(s, l, l.down);
      if (l.both) push_button(s, l, false);
      return l.both ? 2 : 1;
    case Op::Wheel:
      ev.type = SDL_MOUSEWHEEL;
      ev.wheel.windowID = window_of(l.display);
      ev.wheel.y = l.wheel;
      ev.wheel.preciseY = float(l.wheel);
      ev.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
      push(ev);
      return 1;
    case Op::Key:
      push_key(s, l.key, l.down);
      if (l.both) push_key(s, l.key, false);
      return l.both ? 2 : 1;
    case Op::Text: {
      // One event holds at most 31 bytes; longer texts go in pieces cut between characters.
      int32_t n = 0;
      for (size_t i = 0; i < l.text.size();) {
        size_t len = std::min<size_t>(l.text.size() - i, sizeof ev.text.text - 1);
        while (len > 0 && i + len < l.text.size() && (static_cast<unsigned char>(l.text[i + len]) & 0xC0) == 0x80) --len;
        if (len == 0) break;
        SDL_Event t{};
        t.type = SDL_TEXTINPUT;
        t.text.windowID = window_of(s.focus);
        std::memcpy(t.text.text, l.text.data() + i, len);
        push(t);
        i += len;
        ++n;
      }
      return n;
    }
    case Op::Size:
      // The user dragged the window to that size: the window system's report of it.
      ev.type = SDL_WINDOWEVENT;
      ev.window.windowID = window_of(l.display);
      ev.window.event = SDL_WINDOWEVENT_RESIZED;
      ev.window.data1 = l.x;
      ev.window.data2 = l.y;
      push(ev);
      return 1;
    case Op::Close:
      ev.type = SDL_WINDOWEVENT;
      ev.window.windowID = window_of(l.display);
      ev.window.event = SDL_WINDOWEVENT_CLOSE;
      push(ev);
      return 1;
    case Op::Quit:
      ev.type = SDL_QUIT;
      push(ev);
      return 1;
    case Op::Drop: {
      // A drop of files is its begin, one event per name and its end; SDL frees each name.
      int32_t n = 0;
      const uint32_t window = window_of(l.display);
      std::istringstream names(l.text);
      std::string name;
      auto drop = [&](uint32_t type, const char* file) {
        SDL_Event d{};
        d.type = type;
        d.drop.windowID = window;
        d.drop.file = file ? SDL_strdup(file) : nullptr;
        push(d);
        ++n;
      };
      drop(SDL_DROPBEGIN, nullptr);
      while (names >> name) drop(SDL_DROPFILE, name.c_str());
      drop(SDL_DROPCOMPLETE, nullptr);
      return n;
    }
    case Op::WaitEvents:
      return 0;
  }
  return 0;
}

// The next line holds the script until the program looks at its events.
bool holding(const Script& s) { return s.next < s.lines.size() && s.lines[s.next].op == Op::WaitEvents; }

// A line's time, in milliseconds: up to some thirty-five years, so that it counts in microseconds.
constexpr int64_t kLatestMs = int64_t(1) << 40;

int64_t due_us(const Script& s) { return s.start_us + s.lines[s.next].at_ms * 1000; }

}  // namespace

int32_t platform_event_script_load(std::string_view text) {
  std::vector<Line> lines;
  std::istringstream all{std::string(text)};
  int64_t at = 0;
  int32_t group = 0;
  int32_t number = 0;
  for (std::string raw; std::getline(all, raw);) {
    ++number;
    if (size_t hash = raw.find('#'); hash != std::string::npos) raw.erase(hash);
    std::istringstream in(raw);
    std::string verb;
    if (!(in >> verb)) continue;
    if (verb == "at") {
      if (!(in >> at) || at < 0 || at > kLatestMs || !(in >> verb)) return number;
      ++group;
    }
    Line l;
    l.at_ms = at;
    l.group = group;
    if (!parse_line(in, verb, &l)) return number;
    std::string extra;
    if (l.op != Op::Key && l.op != Op::Text && in >> extra) return number;
    lines.push_back(l);
  }
  g_script = Script{};
  g_script.lines = std::move(lines);
  g_script.start_us = platform_clock().now_us();
  return 0;
}

int32_t platform_event_script_feed() {
  Script& s = g_script;
  if (s.next >= s.lines.size() || holding(s)) return 0;
  int64_t elapsed_ms = (platform_clock().now_us() - s.start_us) / 1000;
  if (s.lines[s.next].at_ms > elapsed_ms) return 0;
  // One group a call: when the player fell behind, a key's down and its later up still reach the
  // pump on different calls, as they would from a person, instead of cancelling out in one.
  int32_t group = s.lines[s.next].group;
  int32_t pushed = 0;
  while (s.next < s.lines.size() && s.lines[s.next].group == group) pushed += push_line(s, s.lines[s.next++]);
  return pushed;
}

int64_t platform_event_script_next_due_us() {
  const Script& s = g_script;
  if (s.next >= s.lines.size()) return -1;
  int64_t due = due_us(s) - platform_clock().now_us();
  if (holding(s)) return due > 0 ? due : -1;  // then only the program's next look moves it on
  return due < 0 ? 0 : due;
}

void platform_event_script_events_looked_at() {
  Script& s = g_script;
  if (!holding(s)) return;
  const int64_t now = platform_clock().now_us();
  if (due_us(s) > now) return;
  // The script's clock stood still while it waited: the lines after count on from now.
  s.start_us = now - s.lines[s.next].at_ms * 1000;
  ++s.next;
}

void platform_set_window_resolver(WindowResolver resolver) { g_resolver = resolver; }

namespace platform_internal {

int32_t load_event_script_from_env() {
  const char* path = std::getenv("QM_EVENT_SCRIPT");
  if (!path || !*path) return 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "QM_EVENT_SCRIPT: cannot read %s\n", path);
    return qm::ERR_READFILE;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (int32_t line = platform_event_script_load(text.str())) {
    std::fprintf(stderr, "QM_EVENT_SCRIPT: line %d of %s is malformed\n", line, path);
    return qm::ERR_ARGS;
  }
  return 0;
}

void clear_event_script() { g_script = Script{}; }

}  // namespace platform_internal
