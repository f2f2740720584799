// The pointer commands: CreatePointer, SetPointer, FreePointer, ShowPointer, HidePointer and
// MovePointer, over the platform's cursors.
#include "display/pointer.h"

#include <new>
#include <string>

#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/picture.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

ObjectHeader* g_pointers = nullptr;

qmPointer* as_pointer(ObjectHeader* h) { return reinterpret_cast<qmPointer*>(h); }

int32_t find(const ObjectId& id, qmPointer** out) {
  for (ObjectHeader* h = g_pointers; h; h = h->next)
    if (h->id == id && !as_pointer(h)->to_be_freed) {
      *out = as_pointer(h);
      return 0;
    }
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDPOINTER;
}

bool held_by_display(const qmPointer* p) {
  for (ObjectHeader* h = display_system().list; h; h = h->next)
    if (display_of(h)->pointer == p) return true;
  return false;
}

void destroy(qmState* L, qmPointer* p) {
  for (ObjectHeader** link = &g_pointers; *link; link = &(*link)->next)
    if (*link == &p->header) {
      *link = p->header.next;
      break;
    }
  platform_cursor_free(p->cursor);
  if (p->header.refs) reflist_free(L ? L : picture_state(), p->header.refs);
  delete p;
}

// FreePointer's rule: a pointer that a display shows loses its id and waits.
void release(qmState* L, qmPointer* p) {
  if (held_by_display(p)) {
    p->to_be_freed = 1;
    p->header.id = ObjectId{0, p};
    return;
  }
  destroy(L, p);
}

// Pointers waiting to be freed go once no display shows them any more.
void collect(qmState* L) {
  for (ObjectHeader* h = g_pointers; h;) {
    qmPointer* p = as_pointer(h);
    h = h->next;
    if (p->to_be_freed && !held_by_display(p)) destroy(L, p);
  }
}

// The brush's picture as 0xAARRGGBB words: clear mask bits transparent, the alpha plane as the
// alpha byte, everything else opaque.
uint32_t* brush_argb(const qmBrush* b) {
  uint32_t* px = qmos_bitmap_to_argb(b->bitmap, b->width, b->height);
  if (!px) return nullptr;
  for (int32_t y = 0; y < b->height; ++y)
    for (int32_t x = 0; x < b->width; ++x) {
      uint32_t a = 255;
      if (b->alpha) a = b->alpha->data[int64_t(y) * b->alpha->bytes_per_row + x];
      if (b->mask && !mask_bit(b->mask->data + int64_t(y) * b->mask->bytes_per_row, x)) a = 0;
      uint32_t& w = px[int64_t(y) * b->width + x];
      w = (a << 24) | (w & 0xFFFFFF);
    }
  return px;
}

int32_t cmd_createpointer(qmState* L) {
  arg_check_count(L, 3, 6);
  const bool automatic = vm_type(L, 1) == QM_TNIL;
  const ObjectId id = automatic ? automatic_id() : arg_get_id(L, 1);
  const int32_t type = to_i32(vm_arg_check_number(L, 2));
  auto* p = new (std::nothrow) qmPointer();
  if (!p) return ERR_MEM;
  int32_t err = 0;
  if (type == OBJ_POINTER) {
    const int32_t kind = to_i32(vm_arg_check_number(L, 3));
    if (kind != STDPTR_SYSTEM && kind != STDPTR_BUSY) err = ERR_WRONGUSAGE;
    p->kind = kind;
  } else if (type == OBJ_BRUSH) {
    qmBrush* b = nullptr;
    if (!(err = brush_find(arg_get_id(L, 3), BRUSHFIND_NOVECTOR, &b))) {
      const int32_t hot_x = pointer_hot_spot(to_i32(vm_arg_opt_number(L, 4, -1)), b->width);
      const int32_t hot_y = pointer_hot_spot(to_i32(vm_arg_opt_number(L, 5, -1)), b->height);
      uint32_t* px = brush_argb(b);
      if (!px) err = ERR_MEM;
      else err = platform_cursor_create(px, hot_x, hot_y, &p->cursor, b->width, b->height);
      qmos_free_pixels(px);
      p->kind = STDPTR_CUSTOM;
      p->width = b->width, p->height = b->height;
      if (!err)
        platform_record("pointer", std::to_string(p->width) + "x" + std::to_string(p->height) + " hot " +
                                       std::to_string(hot_x) + "," + std::to_string(hot_y));
    }
  } else if (type == OBJ_SPRITE) {
    // Sprites join here when their library arrives; until then none can exist.
    err_set_number_arg(to_i32(vm_to_number(L, 3)));
    err = ERR_FINDSPRITE;
  } else {
    err = ERR_WRONGUSAGE;
  }
  if (err) {
    delete p;
    return err;
  }
  if (!automatic) {
    qmPointer* old = nullptr;
    if (find(id, &old) == 0) release(L, old);
  }
  p->header.type = OBJ_POINTER;
  p->header.id = automatic ? ObjectId{0, p} : id;
  ObjectHeader** tail = &g_pointers;
  while (*tail) tail = &(*tail)->next;
  *tail = &p->header;
  if (!automatic) return 0;
  vm_push_lightuserdata(L, p);
  return 1;
}

int32_t cmd_setpointer(qmState* L) {
  arg_check_count(L, 1, 1);
  qmPointer* p = nullptr;
  if (int32_t err = find(arg_get_id(L, 1), &p)) return err;
  if (qmDisplay* d = display_current()) {
    d->pointer = p;
    d->pointer_hidden = 0;
    platform_pointer_set(&d->win, p->cursor,
                         p->kind == STDPTR_BUSY ? POINTER_BUSY : p->kind == STDPTR_CUSTOM ? POINTER_CUSTOM : POINTER_ARROW);
  }
  collect(L);
  return 0;
}

int32_t cmd_freepointer(qmState* L) {
  arg_check_count(L, 1, 1);
  qmPointer* p = nullptr;
  if (int32_t err = find(arg_get_id(L, 1), &p)) return err;
  release(L, p);
  return 0;
}

int32_t cmd_showpointer(qmState* L) {
  arg_check_count(L, 0, 1);
  if (qmDisplay* d = display_current()) {
    d->pointer_hidden = 0;
    platform_pointer_show(&d->win);
  }
  return 0;
}

int32_t cmd_hidepointer(qmState* L) {
  arg_check_count(L, 0, 0);
  if (qmDisplay* d = display_current()) {
    d->pointer_hidden = 1;
    platform_pointer_hide(&d->win);
  }
  return 0;
}

int32_t cmd_movepointer(qmState* L) {
  arg_check_count(L, 2, 2);
  qmDisplay* d = display_current();
  if (!d || display_system().recording) return 0;
  const qmPointer* p = static_cast<const qmPointer*>(d->pointer);
  const int32_t w = p ? p->width : 16, h = p ? p->height : 16;
  const int32_t x = coord_resolve_special_x(to_i32(vm_arg_check_number(L, 1)), w, 0, 0.0);
  const int32_t y = coord_resolve_special_y(to_i32(vm_arg_check_number(L, 2)), h, 0, 0.0);
  platform_pointer_move(&d->win, to_i32(double(x) * d->scale_x), to_i32(double(y) * d->scale_y));
  return 0;
}

int32_t pointer_attribute(qmState* L, int32_t attribute) {
  qmPointer* p = nullptr;
  if (int32_t err = find(arg_get_id(L, 2), &p)) return err;
  switch (attribute) {
    case ATTRWIDTH: vm_push_number(L, p->width); return 1;
    case ATTRHEIGHT: vm_push_number(L, p->height); return 1;
    case ATTRTYPE: vm_push_number(L, p->kind); return 1;
    default: return ERR_UNKNOWNATTR;
  }
}

const qmCommand kPointerCommands[] = {
    {"CreatePointer", cmd_createpointer}, {"SetPointer", cmd_setpointer},   {"FreePointer", cmd_freepointer},
    {"ShowPointer", cmd_showpointer},     {"HidePointer", cmd_hidepointer}, {"MovePointer", cmd_movepointer},
    {nullptr, nullptr},
};

}  // namespace

int32_t pointer_hot_spot(int32_t hot, int32_t size) {
  if (hot < 0) return size / 2;
  return hot >= size ? size - 1 : hot;
}

void pointer_free_all(qmState* L) {
  for (ObjectHeader* h = display_system().list; h; h = h->next) display_of(h)->pointer = nullptr;
  while (g_pointers) destroy(L, as_pointer(g_pointers));
}

int32_t pointer_open(qmState* L) {
  graphics_set_attribute_handler(OBJ_POINTER, pointer_attribute);
  return picture_library_open(L, kPointerCommands, nullptr, "graphics", &g_pointers);
}

}  // namespace qm
