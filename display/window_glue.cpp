// How the platform's windows reach what only the display records know: the drag and size regions
// that move and size a borderless window, and the display numbers of the input script.
#include <SDL2/SDL.h>

#include "display/display.h"
#include "display/input_events.h"
#include "platform/platform.h"

namespace qm {

namespace {

bool in_region(const RegionSet& set, int32_t x, int32_t y) {
  for (int32_t i = 0; i < set.count; ++i) {
    const DisplayRegion& r = set.used[i];
    if (x >= r.x && int64_t(x) < int64_t(r.x) + r.width && y >= r.y &&
        int64_t(y) < int64_t(r.y) + r.height)
      return true;
  }
  return false;
}

// Drag regions come before size regions.
int32_t window_region(const qmDisplayWindow* window, int32_t x, int32_t y) {
  const qmDisplay* d = display_of(const_cast<qmDisplayWindow*>(window));
  if (in_region(d->drag, x, y)) return WINHIT_DRAG;
  if (in_region(d->size, x, y)) return WINHIT_SIZE;
  return WINHIT_NONE;
}

uint32_t window_of_display(int32_t number) {
  for (ObjectHeader* h = display_system().list; h; h = h->next) {
    const qmDisplay* d = display_of(h);
    if (h->id.number == number && !h->id.handle && d->win.platform && d->win.platform->window)
      return SDL_GetWindowID(d->win.platform->window);
  }
  return 0;
}

}  // namespace

void display_install_window_glue() {
  platform_set_window_region_test(window_region);
  platform_set_window_resolver(window_of_display);
  input_events_install();
  input_events_reset();
}

}  // namespace qm
