// Pointers: cursor objects made from ARGB pictures, each display's cursor, hiding, showing and
// moving the pointer. A cursor keeps its picture and hot spot and makes the SDL cursor when it is
// first shown, so cursors can be made where SDL cannot make them (headless).
#include <SDL2/SDL.h>

#include <new>
#include <string>
#include <vector>

#include "engine/errcodes.h"
#include "platform/window_internal.h"

using namespace qm;

struct qmCursor {
  enum Kind { ARROW, BUSY, IMAGE } kind = IMAGE;
  int32_t width = 0, height = 0, hot_x = 0, hot_y = 0;
  std::vector<uint32_t> argb;  // 0xAARRGGBB, rows packed
  SDL_Cursor* sdl = nullptr;
  const char* name = "image";  // for the call recorder
};

namespace {

qmCursor* standard(qmCursor::Kind kind, const char* name) {
  auto* c = new qmCursor;
  c->kind = kind;
  c->width = c->height = 16;
  c->name = name;
  return c;
}

bool make_sdl_cursor(qmCursor* c) {
  if (c->sdl) return true;
  if (c->kind != qmCursor::IMAGE) {
    c->sdl = SDL_CreateSystemCursor(c->kind == qmCursor::ARROW ? SDL_SYSTEM_CURSOR_ARROW
                                                                 : SDL_SYSTEM_CURSOR_WAIT);
    return c->sdl != nullptr;
  }
  // The words are 0xAARRGGBB in host order, which is SDL's ARGB8888: no byte reordering needed.
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(c->argb.data(), c->width, c->height, 32,
                                                      c->width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return false;
  c->sdl = SDL_CreateColorCursor(s, c->hot_x, c->hot_y);
  SDL_FreeSurface(s);
  return c->sdl != nullptr;
}

}  // namespace

qmCursor* platform_cursor_arrow() {
  static qmCursor* arrow = standard(qmCursor::ARROW, "arrow");
  return arrow;
}

qmCursor* platform_cursor_busy() {
  static qmCursor* busy = standard(qmCursor::BUSY, "busy");
  return busy;
}

qmCursor* platform_cursor_invisible() {
  static qmCursor* invisible = [] {
    qmCursor* c = nullptr;
    const uint32_t clear = 0;
    platform_cursor_create(&clear, 0, 0, &c, 1, 1);
    c->name = "invisible";
    return c;
  }();
  return invisible;
}

int32_t platform_cursor_create(const uint32_t* pixels, int32_t hot_x, int32_t hot_y,
                               qmCursor** out, int32_t width, int32_t height) {
  if (!pixels || width < 1 || height < 1 || hot_x < 0 || hot_y < 0 || hot_x >= width ||
      hot_y >= height)
    return ERR_POINTERIMG;
  if (!picture_size_allowed(width, height)) return ERR_MEM;
  auto* c = new (std::nothrow) qmCursor;
  if (!c) return ERR_MEM;
  try {
    c->argb.assign(pixels, pixels + size_t(width) * size_t(height));
  } catch (const std::bad_alloc&) {
    delete c;
    return ERR_MEM;
  }
  c->width = width;
  c->height = height;
  c->hot_x = hot_x;
  c->hot_y = hot_y;
  *out = c;
  return 0;
}

void platform_cursor_free(qmCursor* cursor) {
  if (!cursor || cursor == platform_cursor_arrow() || cursor == platform_cursor_busy() ||
      cursor == platform_cursor_invisible())
    return;
  if (cursor->sdl) SDL_FreeCursor(cursor->sdl);
  delete cursor;
}

void platform_cursor_apply(qmCursor* cursor) {
  if (!cursor) cursor = platform_cursor_arrow();
  if (SDL_WasInit(SDL_INIT_VIDEO) && make_sdl_cursor(cursor)) SDL_SetCursor(cursor->sdl);
  platform_record("cursor", cursor->name);
}

void cursor_apply_for(qmDisplayWindow* display) {
  qmDisplayPlatform* p = display->platform;
  if (!p) return;
  platform_cursor_apply(p->pointer_hidden ? platform_cursor_invisible() : p->current_cursor);
}

namespace {

// The change takes effect at once only on the focused window; any other window shows it when it
// gets the focus or the mouse.
void pointer_changed(qmDisplayWindow* display) {
  if (window_has_focus(display)) cursor_apply_for(display);
}

}  // namespace

void platform_pointer_set(qmDisplayWindow* display, qmCursor* custom, int32_t kind) {
  qmDisplayPlatform* p = display->platform;
  if (!p) return;
  p->current_cursor = kind == POINTER_ARROW  ? platform_cursor_arrow()
                      : kind == POINTER_BUSY ? platform_cursor_busy()
                                             : custom;
  if (!p->current_cursor) p->current_cursor = platform_cursor_arrow();
  p->pointer_hidden = 0;
  pointer_changed(display);
}

void platform_pointer_show(qmDisplayWindow* display) {
  if (!display->platform) return;
  display->platform->pointer_hidden = 0;
  pointer_changed(display);
}

void platform_pointer_hide(qmDisplayWindow* display) {
  if (!display->platform) return;
  display->platform->pointer_hidden = 1;
  pointer_changed(display);
}

void platform_pointer_move(qmDisplayWindow* display, int32_t x, int32_t y) {
  qmDisplayPlatform* p = display->platform;
  if (!p || !p->window || p->gone) return;
  if (window_letterboxed(p)) {
    qmLetterbox box = letterbox_fit(p->screen.width, p->screen.height, p->surface_w, p->surface_h);
    x = box.x + int32_t(int64_t(x) * box.w / std::max(p->screen.width, 1));
    y = box.y + int32_t(int64_t(y) * box.h / std::max(p->screen.height, 1));
  }
  SDL_WarpMouseInWindow(p->window, x, y);
  platform_record("warp", std::to_string(x) + " " + std::to_string(y));
}

void cursors_forget_sdl() {
  for (qmCursor* c : {platform_cursor_arrow(), platform_cursor_busy(), platform_cursor_invisible()}) {
    if (c->sdl) SDL_FreeCursor(c->sdl);
    c->sdl = nullptr;
  }
}

void platform_pointer_reset() { platform_cursor_apply(platform_cursor_arrow()); }
