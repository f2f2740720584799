// Clip regions: CreateClipRegion, SetClipRegion and FreeClipRegion, the region list and the
// active region of each output.
#include "display/clipregion.h"

#include <new>
#include <utility>
#include <vector>

#include "display/brush.h"
#include "display/display.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "display/picture.h"
#include "display/target.h"
#include "engine/errcodes.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/bitmap.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

enum : int32_t { REGION_BOX = 14, REGION_SHAPE = 28 };
enum : int32_t { ATTR_X = 7, ATTR_Y = 8 };

ObjectHeader* g_regions = nullptr;
// The active region of each output that has one.
std::vector<std::pair<const qmBlitOutput*, qmClipRegionRecord*>> g_active;
bool (*g_area_next)(int32_t*, int32_t*, int32_t*, int32_t*) = nullptr;

qmClipRegionRecord* as_region(ObjectHeader* h) { return reinterpret_cast<qmClipRegionRecord*>(h); }

const qmBlitOutput* current_output() {
  qmDisplay* d = display_current();
  return d ? drawtarget_output(d) : nullptr;
}

qmClipRegionRecord* active_on(const qmBlitOutput* out) {
  for (auto& [o, r] : g_active)
    if (o == out) return r;
  return nullptr;
}

void set_active(const qmBlitOutput* out, qmClipRegionRecord* r) {
  for (auto it = g_active.begin(); it != g_active.end(); ++it)
    if (it->first == out) {
      if (r) it->second = r;
      else g_active.erase(it);
      return;
    }
  if (r) g_active.emplace_back(out, r);
}

bool area_with_region(int32_t* x, int32_t* y, int32_t* w, int32_t* h) {
  if (!g_area_next || !g_area_next(x, y, w, h)) return false;
  if (const qmClipRegion* c = clipregion_active()) *x = c->x, *y = c->y, *w = c->width, *h = c->height;
  return true;
}

void record_free(qmState* L, qmClipRegionRecord* r) {
  qmos_free_mask(r->mask);
  if (r->header.refs) reflist_free(L ? L : picture_state(), r->header.refs);
  delete r;
}

void unlink(qmClipRegionRecord* r) {
  for (ObjectHeader** p = &g_regions; *p; p = &(*p)->next)
    if (*p == &r->header) {
      *p = r->header.next;
      return;
    }
}

int32_t not_found(const ObjectId& id) {
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDCLIPREGION;
}

// Switches the region off wherever it is active, then frees it, or keeps it for the layers that
// still clip by it.
void release(qmState* L, qmClipRegionRecord* r) {
  for (auto it = g_active.begin(); it != g_active.end();)
    it = it->second == r ? g_active.erase(it) : it + 1;
  if (layer_hooks().shows_object(OBJ_CLIPREGION, r->header.id, nullptr)) {
    r->header.id = ObjectId{0, r};
    r->temporary = 1;
    return;
  }
  unlink(r);
  record_free(L, r);
}

int32_t cmd_createclipregion(qmState* L) {
  arg_check_count(L, 2, 6);
  const bool automatic = vm_type(L, 1) == QM_TNIL;
  const ObjectId id = automatic ? automatic_id() : arg_get_id(L, 1);
  const int32_t type = to_i32(vm_arg_check_number(L, 2));
  int32_t x = 0, y = 0, width = 0, height = 0;
  const qmMask* source_mask = nullptr;
  if (type == REGION_BOX) {
    arg_check_count(L, 6, 6);
    x = to_i32(vm_arg_check_number(L, 3)), y = to_i32(vm_arg_check_number(L, 4));
    width = to_i32(vm_arg_check_number(L, 5)), height = to_i32(vm_arg_check_number(L, 6));
    if (width < 1 || height < 1) return ERR_BADDIMENSIONS;
  } else if (type == REGION_SHAPE) {
    arg_check_count(L, 5, 5);
    qmBrush* b = nullptr;
    if (int32_t err = brush_find(arg_get_id(L, 3), BRUSHFIND_NOVECTOR, &b)) return err;
    if (!b->mask) return ERR_NOMASKBRUSH;
    source_mask = b->mask;
    width = b->width, height = b->height;
    x = to_i32(vm_arg_check_number(L, 4)), y = to_i32(vm_arg_check_number(L, 5));
  } else {
    return ERR_WRONGUSAGE;
  }
  int32_t out_w = 0, out_h = 0;
  clipregion_output_size(&out_w, &out_h);
  const qmClipRegion* active = clipregion_active();
  int32_t origin_x = 0, origin_y = 0, container_w = out_w, container_h = out_h;
  if (active && container_w == 0) container_w = active->width, origin_x = active->x;
  if (active && container_h == 0) container_h = active->height, origin_y = active->y;
  const int32_t rx = coord_resolve_special_x(x, width, container_w, 0.0);
  const int32_t ry = coord_resolve_special_y(y, height, container_h, 0.0);
  x = rx == x ? x : rx + origin_x;
  y = ry == y ? y : ry + origin_y;
  if (int64_t(x) + width < 1 || int64_t(y) + height < 1) return ERR_WRONGUSAGE;
  // Cut at the output's origin; a mask keeps only its visible part.
  const int32_t cut_x = x < 0 ? -x : 0, cut_y = y < 0 ? -y : 0;
  x += cut_x, y += cut_y, width -= cut_x, height -= cut_y;
  qmMask* mask = nullptr;
  if (source_mask) {
    if (!(mask = qmos_alloc_mask(width, height, 1))) return ERR_MEM;
    qmos_blit_mask_bits(source_mask, cut_x, cut_y, mask, 0, 0, width, height, MASKVANILLACOPY);
  }
  if (!automatic) {
    qmClipRegionRecord* old = nullptr;
    if (clipregion_find(id, &old) == 0) release(L, old);
  }
  auto* r = new (std::nothrow) qmClipRegionRecord();
  if (!r) {
    qmos_free_mask(mask);
    return ERR_MEM;
  }
  r->header.type = OBJ_CLIPREGION;
  r->header.id = automatic ? ObjectId{0, r} : id;
  r->mask = mask;
  r->region = qmClipRegion{x, y, width, height, mask, mask ? mask->bytes_per_row : 0};
  ObjectHeader** tail = &g_regions;
  while (*tail) tail = &(*tail)->next;
  *tail = &r->header;
  if (!automatic) return 0;
  vm_push_lightuserdata(L, r);
  return 1;
}

// Text is printed between the margins: switching a region moves the cursor to its top left
// corner and the margins to its sides, switching it off to the output's.
void set_text_area(int32_t left, int32_t right) {
  if (qmDisplay* d = display_current()) {
    d->cursor_x = d->text_margin_left = left;
    d->cursor_y = 0;
    d->text_margin_right = right;
  }
}

int32_t cmd_setclipregion(qmState* L) {
  arg_check_count(L, 1, 1);
  const qmBlitOutput* out = current_output();
  if (out && (out->object_type == TARGET_MASK || out->object_type == TARGET_ALPHA)) return ERR_WRONGUSAGE;
  if (vm_type(L, 1) == QM_TNUMBER) {
    const double n = vm_to_number(L, 1);
    if (n == 0 || n == -1) {
      set_active(out, nullptr);
      int32_t w = 0, h = 0;
      clipregion_output_size(&w, &h);
      set_text_area(0, w - 1);
      return 0;
    }
  }
  qmClipRegionRecord* r = nullptr;
  if (int32_t err = clipregion_find(arg_get_id(L, 1), &r)) return err;
  int32_t w = 0, h = 0;
  clipregion_output_size(&w, &h);
  if (int64_t(r->region.x) + r->region.width > w || int64_t(r->region.y) + r->region.height > h)
    return ERR_WRONGCLIPREG;
  if (!out) return ERR_CLOSEDDISPDRAW;
  set_active(out, r);
  set_text_area(r->region.x, r->region.x + r->region.width - 1);
  return 0;
}

int32_t cmd_freeclipregion(qmState* L) {
  arg_check_count(L, 1, 1);
  qmClipRegionRecord* r = nullptr;
  if (int32_t err = clipregion_find(arg_get_id(L, 1), &r)) return err;
  release(L, r);
  return 0;
}

int32_t region_attribute(qmState* L, int32_t attribute) {
  qmClipRegionRecord* r = nullptr;
  if (int32_t err = clipregion_find(arg_get_id(L, 2), &r)) return err;
  int32_t v = 0;
  switch (attribute) {
    case ATTR_X: v = r->region.x; break;
    case ATTR_Y: v = r->region.y; break;
    case ATTRWIDTH: v = r->region.width; break;
    case ATTRHEIGHT: v = r->region.height; break;
    default: return ERR_UNKNOWNATTR;
  }
  vm_push_number(L, v);
  return 1;
}

const qmCommand kClipCommands[] = {
    {"CreateClipRegion", cmd_createclipregion},
    {"SetClipRegion", cmd_setclipregion},
    {"FreeClipRegion", cmd_freeclipregion},
    {nullptr, nullptr},
};

}  // namespace

bool clipregion_output_size(int32_t* w, int32_t* h) {
  int32_t x = 0, y = 0;
  return g_area_next && g_area_next(&x, &y, w, h);
}

int32_t clipregion_push_active_id(qmState* L) {
  const qmClipRegionRecord* r = active_on(current_output());
  if (!r) vm_push_number(L, 0);
  else if (r->header.id.handle) vm_push_lightuserdata(L, r->header.id.handle);
  else vm_push_number(L, r->header.id.number);
  return 1;
}

const qmClipRegion* clipregion_active() {
  if (g_active.empty()) return nullptr;  // the usual case, asked by every drawing
  const qmClipRegionRecord* r = active_on(current_output());
  return r ? &r->region : nullptr;
}

int32_t clipregion_find(const ObjectId& id, qmClipRegionRecord** out) {
  *out = nullptr;
  for (ObjectHeader* h = g_regions; h; h = h->next)
    if (h->id == id && !as_region(h)->temporary) {
      *out = as_region(h);
      return 0;
    }
  return not_found(id);
}

void clipregion_free_all(qmState* L) {
  g_active.clear();
  while (g_regions) {
    qmClipRegionRecord* r = as_region(g_regions);
    g_regions = r->header.next;
    record_free(L, r);
  }
}

int32_t clipregion_open(qmState* L) {
  OutputHooks& hooks = output_hooks();
  if (hooks.output_area != area_with_region) {
    g_area_next = hooks.output_area;
    hooks.output_area = area_with_region;
  }
  graphics_set_attribute_handler(OBJ_CLIPREGION, region_attribute);
  return picture_library_open(L, kClipCommands, nullptr, "graphics", &g_regions);
}

}  // namespace qm
