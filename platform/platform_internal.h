// Shared between the files of the platform layer; nothing outside platform/ includes it.
#pragma once

#include <cstdint>

struct SDL_Window;

namespace platform_internal {

// The SIGINT/SIGTERM handler's atomic, which the pump turns into an SDL_QUIT.
void note_quit_signal();
bool quit_signal_pending();
bool take_quit_signal();
void clear_quit_signal();

// The wake flag of platform_wake, and the descriptor that wakes a blocked wait (written from any
// thread and from signal handlers; opened by platform_init, closed by platform_exit).
bool take_wake();
void wake_open();
void wake_close();
void wake_signal();

void reset_pump_state();
// The nearest due time of the libraries' due sources (platform_add_wait_due): microseconds from
// now, 0 when something is due, -1 when nothing is.
int64_t next_due_us();
// Moves what the window system sent into SDL's queue; the number of events queued.
int pending_events();

// The tick of platform_tick_start: stopped while a wait blocks, started again (a whole period
// away) when it returns; tick_now calls its function at once.
void tick_pause();
void tick_resume();
void tick_now();

// Loads QM_EVENT_SCRIPT when set: 0, ERR_READFILE, or ERR_ARGS for a malformed line.
int32_t load_event_script_from_env();
void clear_event_script();

// On the x11 video driver: a window that another client destroys becomes a close request of its
// display instead of an X error. x11_errors_install runs before the video subsystem starts,
// x11_windows_watch once it runs.
void x11_errors_install();
void x11_windows_watch();
// SDL_DestroyWindow for a window that another client destroyed.
void x11_destroy_gone_window(SDL_Window* window);

// Gives SDL memory functions that take its large blocks (software window surfaces) in large
// pages. Before SDL's first allocation; once a process.
void use_own_sdl_memory();

}  // namespace platform_internal
