// What only an X server does to our windows: another client may destroy one. SDL neither reports
// that nor expects it, and its next request for the window ends the process through Xlib's
// default error handler. The window's DestroyNotify becomes a close request for its display, and
// errors about windows that are gone are let pass, so that the player closes as if the user had
// closed the window.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <cstring>

#include "platform/platform_internal.h"
#include "platform/window_internal.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>

namespace {

XErrorHandler g_previous = nullptr;

// Only our own windows can vanish under SDL's requests (the root window never does), and a
// window that is gone is no reason to end the player: its display has its close request.
int on_x_error(::Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
  return g_previous ? g_previous(display, error) : 0;
}

bool x11_info(SDL_Window* window, SDL_SysWMinfo* info) {
  SDL_VERSION(&info->version);
  return SDL_GetWindowWMInfo(window, info) && info->subsystem == SDL_SYSWM_X11;
}

// The open display whose window is this X window.
qmDisplayWindow* display_of(Window xid) {
  for (qmDisplayWindow* d : window_system().open) {
    SDL_SysWMinfo info;
    if (x11_info(d->platform->window, &info) && info.info.x11.window == xid) return d;
  }
  return nullptr;
}

// Runs as SDL queues each event; the X events themselves never reach the queue.
int filter(void*, SDL_Event* event) {
  if (event->type != SDL_SYSWMEVENT) return 1;
  const SDL_SysWMmsg* msg = event->syswm.msg;
  if (!msg || msg->subsystem != SDL_SYSWM_X11) return 0;
  const XEvent& x = msg->msg.x11.event;
  if (x.type != DestroyNotify || x.xdestroywindow.event != x.xdestroywindow.window) return 0;
  qmDisplayWindow* d = display_of(x.xdestroywindow.window);
  if (!d) return 0;
  d->platform->gone = 1;
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = SDL_GetWindowID(d->platform->window);
  close.window.timestamp = SDL_GetTicks();
  SDL_PushEvent(&close);
  return 0;
}

}  // namespace

void platform_internal::x11_errors_install() {
  // Before SDL's video starts: SDL puts its own handler in front of ours and, when it stops,
  // brings back ours, which then still hears the errors that come in as SDL closes its
  // connections.
  if (!g_previous) g_previous = XSetErrorHandler(on_x_error);
}

void platform_internal::x11_windows_watch() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return;
  SDL_SetEventFilter(filter, nullptr);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void platform_internal::x11_destroy_gone_window(SDL_Window* window) {
  SDL_SysWMinfo info;
  if (!x11_info(window, &info)) {
    SDL_DestroyWindow(window);
    return;
  }
  // SDL may wait for the window's unmapping, which the server never sends for a window that no
  // longer exists: it finds one waiting.
  XEvent unmap{};
  unmap.xunmap.type = UnmapNotify;
  unmap.xunmap.display = info.info.x11.display;
  unmap.xunmap.event = unmap.xunmap.window = info.info.x11.window;
  XPutBackEvent(info.info.x11.display, &unmap);
  SDL_DestroyWindow(window);
  // The errors of the requests about the window arrive now, while our handler lets them pass,
  // not when SDL closes the connection with Xlib's default handler back in place.
  XSync(info.info.x11.display, False);
}

#else

void platform_internal::x11_errors_install() {}
void platform_internal::x11_windows_watch() {}
void platform_internal::x11_destroy_gone_window(SDL_Window* window) { SDL_DestroyWindow(window); }

#endif
