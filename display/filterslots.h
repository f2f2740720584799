// The filter slots that a showing's options and a layer carry: one slot per filter, the filter
// number being the slot's index. The layers library reads them from "filters" tables and runs
// them (layers/filters.h).
#pragma once

#include <cstdint>

namespace qm {

inline constexpr int32_t kFilterSlots = 20;
inline constexpr int32_t kTintSlot = 16;

struct FilterSlot {
  uint8_t unused[2] = {0, 0};
  uint8_t active = 0;
  uint8_t priority = 0;
  int32_t ints[4] = {0, 0, 0, 0};
  float floats[4] = {0, 0, 0, 0};
};

}  // namespace qm
