// The one translator of SDL events into the input queue and the displays' request flags, keyed by
// window id to the display, and the pump's finishing step that acts on those flags (quit
// decisions, mode switches, relayout after a user resize).
//
// Keys: special keys take their codes from the keycode (Backspace 271, Tab 272, Keypad Enter 273,
// Return 274, Escape 275, Space 276, Delete 277, cursor keys 256-259, Help 260, F1-F10 261-270,
// F11 278, F12 279, F13-F16 287-290, Insert 280, Home 281, End 282, Page Up 283, Page Down 284,
// Print Screen 285, Pause 286); other keys without a character (F17 and up, modifiers, media
// keys) are not posted. A printable key takes its character from the SDL_TEXTINPUT queued right
// behind its key-down (a code point above 255 is dropped), else from its keycode; a text input
// that does not follow a key-down is dropped. A key-up posts the code that its key-down posted.
// With Control held nothing new is posted, and Control+C sets the display's Ctrl-C flag.
#pragma once

#include <cstdint>

union SDL_Event;
struct qmState;
struct qmDisplay;

namespace qm {

// Callback slots that the translator looks at.
inline constexpr int32_t SLOT_ONDROPFILE = 17;
inline constexpr int32_t SLOT_CLIPBOARDCHANGE = 18;

// Translates one event. next is the event queued right behind it (nullptr: none); *took_next is
// set when the translation consumed it too (the text of a key). Returns 1 when the event decides
// that the program must quit (never: quitting is the finishing step's decision), else 0.
int32_t input_translate(const SDL_Event& event, const SDL_Event* next, bool* took_next);
// The pump's finishing step: quit switches, close requests, mode switches and relayouts of every
// display; 1 when the program must quit.
int32_t input_pump_finish(qmState* L);

// The display of a window id; the default asks the platform's open windows. Tests install their
// own (nullptr restores the default).
using DisplayLookup = qmDisplay* (*)(uint32_t window_id);
void input_set_display_lookup(DisplayLookup lookup);

// Installs the translator and the finishing step into the pump.
void input_events_install();
// Forgets the keys held, the drops in progress and the clicks that went to the window system.
void input_events_reset();
// Forgets only the keys held: a key-up that follows posts nothing.
void input_forget_held_keys();

}  // namespace qm
