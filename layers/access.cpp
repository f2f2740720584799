// Layer arguments that name an existing layer or a group, the library's dirty list, and the joined
// command table.
#include "layers/access.h"

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/vm.h"
#include "layers/layers.h"
#include "runtime/errors.h"

namespace qm {

namespace {

bool in_group(const qmLayer* l, const char* name) { return l->group[0] && str_case_cmp(l->group, name) == 0; }

}  // namespace

int32_t layer_arg_layer(qmState* L, int32_t n, qmBGPic* pic, qmLayer** layer) {
  int32_t position = 0;
  if (int32_t err = layer_arg_index(L, pic, n, &position)) return err;
  *layer = layer_at_index(pic, position);
  return *layer ? 0 : ERR_LAYERRANGE;
}

int32_t layer_arg_next(qmState* L, int32_t n, qmBGPic* pic, qmLayer** layer, int32_t* cursor, bool* group) {
  *group = false;
  if (vm_type(L, n) != QM_TSTRING) {
    *cursor = -1;
    return layer_arg_layer(L, n, pic, layer);
  }
  const char* name = vm_to_string(L, n);
  if (const int32_t position = layer_find_by_name(pic, name)) {
    *cursor = -1;
    *layer = layer_at_index(pic, position);
    return 0;
  }
  int32_t k = 0;
  qmLayer* found = nullptr;
  for (qmLayer* l = layers_bottom(pic); l; l = l->next) {
    if (!in_group(l, name)) continue;
    if (found) {
      *cursor = k;
      *layer = found;
      *group = true;
      return 0;
    }
    if (k++ == *cursor) found = l;
  }
  if (!found) {
    err_set_string_arg(name);
    return ERR_FINDLAYER;
  }
  *cursor = -1;
  *layer = found;
  *group = true;
  return 0;
}

DirtyList& layers_dirty() {
  static DirtyList list{};
  return list;
}

void layers_dirty_flush(qmState* L) {
  DirtyList& list = layers_dirty();
  const qmDisplay* d = display_current();
  if (d && d->bgpic && list.count > 0) {
    // A layer's rectangles before and after a change mostly overlap: one redraw covers both.
    if (!dirty_list_full(list)) dirty_rects_merge(list);
    dirty_rects_flush(list, d->bgpic->display_width, d->bgpic->display_height,
                      [&](const Rect& r) { refresh_dirty_rect(L, r); });
  }
  list.count = 0;
}

std::vector<qmCommand> command_tables_join(std::initializer_list<const qmCommand*> tables) {
  std::vector<qmCommand> all;
  for (const qmCommand* t : tables)
    for (; t->name; ++t) all.push_back(*t);
  all.push_back(qmCommand{nullptr, nullptr});
  return all;
}

}  // namespace qm
