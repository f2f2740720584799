// Starting and ending SDL: the hints, the event subsystem at init, video, audio and joysticks on
// first need, the event types switched off, and the SIGINT/SIGTERM handler.
#include <SDL2/SDL.h>
#include <signal.h>

#include <cstdlib>
#include <cstring>

#include "engine/errcodes.h"
#include "events/input_queue.h"
#include "platform/fonts.h"
#include "platform/platform.h"
#include "platform/platform_internal.h"

namespace {

bool g_initialised = false;
std::string g_last_error;
struct sigaction g_old_int, g_old_term;

// Nobody consumes these. Joystick state is read on request (SDL_JoystickUpdate), so its motion
// events would only fill the queue.
constexpr uint32_t kIgnoredEvents[] = {
    SDL_TEXTEDITING, SDL_TEXTEDITING_EXT, SDL_KEYMAPCHANGED, SDL_DISPLAYEVENT, SDL_LOCALECHANGED,
    SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION, SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP,
    SDL_JOYBATTERYUPDATED, SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP,
    SDL_CONTROLLERDEVICEADDED, SDL_CONTROLLERDEVICEREMOVED, SDL_CONTROLLERDEVICEREMAPPED,
    SDL_CONTROLLERTOUCHPADDOWN, SDL_CONTROLLERTOUCHPADMOTION, SDL_CONTROLLERTOUCHPADUP,
    SDL_CONTROLLERSENSORUPDATE, SDL_FINGERDOWN, SDL_FINGERUP, SDL_FINGERMOTION, SDL_DOLLARGESTURE,
    SDL_DOLLARRECORD, SDL_MULTIGESTURE, SDL_AUDIODEVICEADDED, SDL_AUDIODEVICEREMOVED,
    SDL_SENSORUPDATE, SDL_RENDER_TARGETS_RESET, SDL_RENDER_DEVICE_RESET, SDL_SYSWMEVENT,
    SDL_APP_TERMINATING, SDL_APP_LOWMEMORY, SDL_APP_WILLENTERBACKGROUND,
    SDL_APP_DIDENTERBACKGROUND, SDL_APP_WILLENTERFOREGROUND, SDL_APP_DIDENTERFOREGROUND,
};

void ignore_unused_events() {
  for (uint32_t type : kIgnoredEvents) SDL_EventState(type, SDL_IGNORE);
}

// A second signal while the first still waits for the pump ends the process the ordinary way,
// so that a player stuck outside the pump can still be stopped.
void on_quit_signal(int sig) {
  if (platform_internal::quit_signal_pending()) {
    signal(sig, SIG_DFL);
    raise(sig);
    return;
  }
  platform_internal::note_quit_signal();
  platform_internal::wake_signal();
}

void install_signal_handlers() {
  struct sigaction sa {};
  sa.sa_handler = on_quit_signal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGINT, &sa, &g_old_int);
  sigaction(SIGTERM, &sa, &g_old_term);
}

int32_t start_subsystem(uint32_t flag, int32_t failure) {
  if (SDL_WasInit(flag) == flag) return 0;
  if (SDL_InitSubSystem(flag) != 0) {
    g_last_error = SDL_GetError();
    return failure;
  }
  return 0;
}

}  // namespace

int32_t platform_init() {
  if (g_initialised) return 0;
  platform_internal::use_own_sdl_memory();
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) {
    g_last_error = SDL_GetError();
    return qm::ERR_MEM;
  }
  ignore_unused_events();
  platform_internal::wake_open();
  install_signal_handlers();
  g_initialised = true;
  platform_internal::reset_pump_state();
  if (int32_t err = platform_internal::load_event_script_from_env()) {
    platform_exit();
    return err;
  }
  return 0;
}

void platform_exit() {
  platform_timers_free_all();
  input_queue_remove(-1, 1);
  platform_internal::clear_event_script();
  platform_windows_shutdown();
  platform_joystick_free_all();
  platform_fontconfig_finish();
  platform_input_reset();
  platform_reset_quit_switches();
  SDL_Quit();
  if (g_initialised) {
    sigaction(SIGINT, &g_old_int, nullptr);
    sigaction(SIGTERM, &g_old_term, nullptr);
  }
  platform_internal::clear_quit_signal();
  platform_internal::wake_close();
  platform_set_quit_request(false);
  std::fflush(stdout);
  g_initialised = false;
}

bool platform_initialised() { return g_initialised; }

int32_t platform_video_start() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return 0;
  platform_internal::x11_errors_install();
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  if (chosen && *chosen) {
    if (int32_t err = start_subsystem(SDL_INIT_VIDEO, qm::ERR_SCREEN)) return err;
  } else {
    // Without a choice of the user's, only a real screen will do: SDL would otherwise fall back
    // to its offscreen driver and run the program where nobody can see it.
    int32_t err = qm::ERR_SCREEN;
    for (const char* driver : {"x11", "wayland"}) {
      SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
      err = start_subsystem(SDL_INIT_VIDEO, qm::ERR_SCREEN);
      if (!err) break;
    }
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    if (err) return err;
  }
  // Video start switches text input (and its editing events) on.
  ignore_unused_events();
  platform_internal::x11_windows_watch();
  platform_record("video", SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "");
  return 0;
}

bool platform_video_started() { return SDL_WasInit(SDL_INIT_VIDEO) != 0; }

// Starting a subsystem after video ignores again what nobody consumes, the window-system messages
// among them: the watch over windows that other clients destroy takes those back.
int32_t platform_audio_start() {
  int32_t err = start_subsystem(SDL_INIT_AUDIO, qm::ERR_AUDIODEVICE);
  ignore_unused_events();
  platform_internal::x11_windows_watch();
  return err;
}

int32_t platform_joystick_start() {
  int32_t err = start_subsystem(SDL_INIT_JOYSTICK, qm::ERR_JOYSTICK);
  ignore_unused_events();
  platform_internal::x11_windows_watch();
  return err;
}

const std::string& platform_last_error() { return g_last_error; }
