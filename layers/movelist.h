// Move lists: up to 512 layer operations (move, show, hide, insert, remove, step a frame, undo)
// collected by AddMove and carried out together by DoMove, which refreshes each changed area once
// after merging the areas that overlap. The lists belong to the layers library.
#pragma once

#include <cstdint>
#include <vector>

#include "layers/geometry.h"
#include "runtime/registry.h"

struct qmState;
struct qmCommand;

namespace qm {

inline constexpr int32_t kMoveListCapacity = 512;

struct MoveEntry {
  int32_t kind = 0;  // an object type code (OBJ_BRUSH, OBJ_LAYER, OBJ_UNDO, ...)
  ObjectId id;       // for the kinds that address a layer, number holds its position
  int32_t x = 0, y = 0;  // UNDO: x the object type, y the level
  int32_t extra = 0;     // INSERTBRUSH the position, NEXTFRAME(2) the frame, LAYER the visibility
  int32_t done = 0;
  bool has_box = false;  // box holds an area to refresh
  Corners box;
};

struct qmMoveList {
  ObjectHeader header{};  // OBJ_MOVELIST
  std::vector<MoveEntry> entries;
};

// 0 with the list, or ERR_FINDARRAY (automatic id) / ERR_FINDMOVE (number).
int32_t movelist_find(const ObjectId& id, qmMoveList** out);
// The list of that id, made (at the end of the library's list) when there is none. *made tells
// which. ERR_MEM.
int32_t movelist_get(const ObjectId& id, qmMoveList** out, bool* made);
// Appends an entry: ERR_INTERNAL when the list is full.
int32_t movelist_add(qmMoveList* list, const MoveEntry& entry);
void movelist_free(qmMoveList* list);
void movelists_free_all();
// Carries the list out on the current picture (the display with layers on).
int32_t movelist_run(qmState* L, qmMoveList* list);
// The merge of the boxes: each box that meets another (inclusive) takes in their union and the
// other is emptied; one pass, empties never merge again.
void movelist_merge_boxes(std::vector<MoveEntry>& entries);

// AddMove, ClearMove and DoMove, for the layers library's command table.
const qmCommand* movelist_commands();

}  // namespace qm
