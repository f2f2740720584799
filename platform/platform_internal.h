// Shared between the files of the platform layer; nothing outside platform/ includes it.
#pragma once

#include <cstdint>

namespace platform_internal {

// The SIGINT/SIGTERM handler's atomic, which the pump turns into an SDL_QUIT.
void note_quit_signal();
bool quit_signal_pending();
bool take_quit_signal();
void clear_quit_signal();

// The wake flag of platform_wake.
bool take_wake();

void reset_pump_state();

// Loads QM_EVENT_SCRIPT when set: 0, ERR_READFILE, or ERR_ARGS for a malformed line.
int32_t load_event_script_from_env();
void clear_event_script();

}  // namespace platform_internal
