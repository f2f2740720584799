// The twenty layer filters: their names, typed arguments with defaults, and the effect each one
// runs. The layer pipeline reads a filter's arguments from the program by these types and calls
// layer_filter_apply.
#pragma once

#include <cstdint>

#include "gfx/bitmap.h"

namespace qm {

enum qmFilterArgType : int32_t {
  FILTERARG_INTEGER = 1,
  FILTERARG_NUMBER = 2,  // a number, or a percentage of 255
  FILTERARG_REAL = 3,
};

struct qmFilterArg {
  int32_t type;
  double default_value;
};

struct qmLayerFilter {
  const char* name;
  int32_t arg_count;
  qmFilterArg args[5];
};

inline constexpr int32_t kLayerFilterCount = 20;
extern const qmLayerFilter kLayerFilters[kLayerFilterCount];

// The filter of that name (case-insensitive, Latin-1), or nullptr.
const qmLayerFilter* layer_filter_find(const char* name);

// Runs the filter over the width x height rectangle of the bitmap (and its planes) with the
// filter's arguments (arg_count of them, already read by type; a percentage already made a number
// of 0..255). Modulate's arguments are percentages (100 = unchanged). Returns the effect's code.
int32_t layer_filter_apply(const qmLayerFilter& filter, const double* args, qmBitmap* bitmap,
                           qmMask* mask, qmAlphaChannel* alpha, int32_t width, int32_t height);

}  // namespace qm
