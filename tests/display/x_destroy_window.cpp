// x_destroy_window WINDOW: destroys an X window as another client would (a window manager or
// xkill-like tool that does not end the owning client).
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: x_destroy_window WINDOW\n");
    return 2;
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 1;
  XDestroyWindow(d, Window(std::strtoul(argv[1], nullptr, 0)));
  XSync(d, False);
  XCloseDisplay(d);
  return 0;
}
