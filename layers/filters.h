// Layer filters: 20 slots, one per filter, read from "filters" entries and applied to a layer's
// image in priority order (higher first, equal priorities in slot order, each active slot once).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "layers/layer.h"

struct qmState;

namespace qm {

// One argument as the script gave it: a number, or a text (a level may be "50%").
struct FilterArg {
  bool is_text = false;
  double number = 0.0;
  std::string text;
};

// One entry of a "filters" table.
struct FilterEntry {
  bool has_name = false;
  std::string name;
  bool has_disable = false;
  double disable = 0.0;
  double priority = 0.0;
  std::vector<FilterArg> args;  // positional, up to the first absent one
};

// The slot of a filter name (case-insensitive), -1 when unknown.
int32_t filter_slot_of(const char* name);
// The name of a slot's filter and its argument types in order ('i' integer, 'l' level, 'f' float).
const char* filter_name(int32_t slot);
const char* filter_arg_types(int32_t slot);
// Applies one entry to the slots. 0, ERR_NOFILTERNAME (index as text), ERR_UNKNOWNFILTER (the
// name), ERR_NUMTABLEARG (the argument) or ERR_PERCENTFORMAT; the error's text goes to *what.
int32_t filter_entry_apply(FilterSlot* slots, const FilterEntry& entry, int32_t index, std::string* what);

// Reads the "filters" field of the table at index t into the slots: 0 with *given set when it was
// read to its end (or 0 when there is none), else the first bad entry's error with its text set
// for the message (slots read before it keep their new values).
int32_t filters_read_table(qmState* L, int32_t t, FilterSlot* slots, bool* given);

bool layer_has_filters(const FilterSlot* slots);
// Whether an active slot reworks the mask and alpha planes too.
bool filters_touch_mask(const FilterSlot* slots);

// The operation behind each slot; tests install recording kernels.
using FilterKernel = int32_t (*)(int32_t slot, const FilterSlot& args, qmBitmap* bitmap, qmMask* mask,
                                 qmAlphaChannel* alpha, int32_t width, int32_t height);
FilterKernel& filter_kernel();
void filter_kernel_reset();
// Every active slot once, in priority order. 0 or the first kernel error.
int32_t layer_apply_filters(const FilterSlot* slots, qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha,
                            int32_t width, int32_t height);

}  // namespace qm
