// The merge of a move list's changed areas: overlapping boxes become one, far ones stay apart,
// entries without a box take no part, and no coordinate is mistaken for "no box" (pictures can
// be wider than 10000 pixels).
#include <gtest/gtest.h>

#include <vector>

#include "layers/movelist.h"

namespace qm {
namespace {

MoveEntry boxed(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  MoveEntry e;
  e.has_box = true;
  e.box = {x1, y1, x2, y2};
  return e;
}

TEST(MoveListMerge, OverlappingBoxesBecomeOne) {
  std::vector<MoveEntry> entries = {boxed(10000, 0, 10009, 9), MoveEntry{}, boxed(10005, 5, 10020, 20),
                                    boxed(0, 0, 9, 9), boxed(10, 10, 19, 19)};
  movelist_merge_boxes(entries);
  EXPECT_TRUE(entries[0].has_box);
  EXPECT_EQ(entries[0].box, (Corners{10000, 0, 10020, 20}));
  EXPECT_FALSE(entries[1].has_box);
  EXPECT_FALSE(entries[2].has_box);
  // Inclusive corners: (9, 9) and (10, 10) do not share a pixel.
  EXPECT_TRUE(entries[3].has_box);
  EXPECT_TRUE(entries[4].has_box);
  EXPECT_EQ(entries[3].box, (Corners{0, 0, 9, 9}));
}

}  // namespace
}  // namespace qm
