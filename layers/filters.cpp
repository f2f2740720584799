// Layer filters: the table entries, the defaults and the kernels of the graphics core.
#include "layers/filters.h"

#include <cstdio>

#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "gfx/effects.h"
#include "runtime/args.h"
#include "runtime/errors.h"

namespace qm {

namespace {

enum ArgType : char { INT = 'i', LEVEL = 'l', FLOAT = 'f' };

struct FilterInfo {
  const char* name;
  const char* types;
  double defaults[5];
  bool touches_mask;
};

// Slot index = filter number.
constexpr FilterInfo kFilters[kFilterSlots] = {
    {"blur", "f", {5.0}, false},
    {"charcoal", "f", {2.0}, false},
    {"contrast", "ii", {1, 1}, false},
    {"edge", "f", {5.0}, false},
    {"emboss", "f", {5.0}, false},
    {"gamma", "fff", {1.0, 1.0, 1.0}, false},
    {"grayscale", "", {}, false},
    {"invert", "", {}, false},
    {"modulate", "fff", {100.0, 100.0, 100.0}, false},
    {"monochrome", "i", {1}, false},
    {"oilpaint", "f", {2.0}, false},
    {"pixelate", "i", {10}, true},
    {"sepiatone", "l", {204}, false},
    {"sharpen", "f", {5.0}, false},
    {"solarize", "l", {128}, false},
    {"swirl", "i", {180}, true},
    {"tint", "il", {0xFFFFFF, 128}, false},
    {"waterripple", "iiiff", {32, 1, 0, 0.5, 0.5}, true},
    {"xflip", "", {}, true},
    {"yflip", "", {}, true},
};

int32_t run_kernel(int32_t slot, const FilterSlot& s, qmBitmap* b, qmMask* m, qmAlphaChannel* a, int32_t w,
                   int32_t h) {
  const int32_t* i = s.ints;
  const float* f = s.floats;
  switch (slot) {
    case 0: return bitmap_convolve(98, b, a, w, h, f[0], f[0] / 3.0, nullptr);
    case 1: return bitmap_charcoal(b, a, w, h, f[0], 1.0);
    case 2: return bitmap_contrast(b, w, h, i[0], i[1], nullptr);
    case 3: return bitmap_convolve(103, b, a, w, h, f[0], 0.0, nullptr);
    case 4: return bitmap_convolve(101, b, a, w, h, f[0], 1.0, nullptr);
    case 5: return bitmap_gamma(b, w, h, f[0], f[1], f[2]);
    case 6: return bitmap_to_gray(b, w, h, 0, nullptr);
    case 7: return bitmap_invert(b, w, h, nullptr);
    case 8: return bitmap_modulate(b, w, h, f[0], f[1], f[2]);
    case 9: return bitmap_monochrome(b, w, h, i[0]);
    case 10: return bitmap_oilpaint(b, w, h, f[0]);
    case 11: return bitmap_pixelate(b, m, a, w, h, i[0]);
    case 12: return bitmap_sepiatone(b, w, h, i[0]);
    case 13: return bitmap_convolve(115, b, a, w, h, f[0], 1.0, nullptr);
    case 14: return bitmap_solarize(b, w, h, i[0]);
    case 15: return bitmap_swirl(b, m, a, w, h, i[0]);
    case 16: return bitmap_tint(b, 0, 0, w, h, uint32_t(i[0]), i[1]);
    case 17: return bitmap_waterripple(b, m, a, w, h, i[0], i[1], i[2], f[0], f[1]);
    case 18: return bitmap_flip(b, m, a, w, h, 1);
    case 19: return bitmap_flip(b, m, a, w, h, 0);
    default: return 0;
  }
}

FilterKernel g_kernel = run_kernel;

}  // namespace

FilterKernel& filter_kernel() { return g_kernel; }
void filter_kernel_reset() { g_kernel = run_kernel; }

int32_t filter_slot_of(const char* name) {
  for (int32_t i = 0; i < kFilterSlots; ++i)
    if (str_case_cmp(kFilters[i].name, name) == 0) return i;
  return -1;
}

const char* filter_name(int32_t slot) { return kFilters[slot].name; }
const char* filter_arg_types(int32_t slot) { return kFilters[slot].types; }

int32_t filter_entry_apply(FilterSlot* slots, const FilterEntry& entry, int32_t index, std::string* what) {
  if (!entry.has_name) {
    *what = std::to_string(index);
    return ERR_NOFILTERNAME;
  }
  const int32_t slot = filter_slot_of(entry.name.c_str());
  if (slot < 0) {
    *what = entry.name;
    return ERR_UNKNOWNFILTER;
  }
  FilterSlot& s = slots[slot];
  const FilterInfo& info = kFilters[slot];
  if (entry.has_disable) {
    s.active = entry.disable == 0.0 ? 1 : 0;
    if (!s.active) return 0;
  } else {
    s.active = 1;
  }
  s.priority = uint8_t(uint32_t(to_i32(entry.priority)) & 0xFF);
  int32_t ni = 0, nf = 0;
  for (size_t k = 0; info.types[k]; ++k) {
    const char type = info.types[k];
    double value = info.defaults[k];
    if (k < entry.args.size()) {
      const FilterArg& arg = entry.args[k];
      if (type == LEVEL && arg.is_text) {
        bool fraction = false;
        if (percent_parse(arg.text.c_str(), 255.0, false, &value, &fraction) != 0) {
          *what = arg.text;
          return ERR_PERCENTFORMAT;
        }
      } else if (arg.is_text) {
        *what = info.name;
        return ERR_NUMTABLEARG;
      } else {
        value = arg.number;
      }
    }
    if (type == FLOAT) s.floats[nf++] = float(value);
    else s.ints[ni++] = to_i32(value);
  }
  return 0;
}

namespace {

// Field `key` of the table at t pushed; false (nothing pushed) when it is nil.
bool push_field(qmState* L, int32_t t, const char* key) {
  vm_push_string(L, key);
  vm_get_table(L, t);
  if (vm_type(L, -1) != QM_TNIL) return true;
  vm_pop(L, 1);
  return false;
}

// One entry at index e of the stack into a FilterEntry. 0 or the error with its text.
int32_t read_entry(qmState* L, int32_t e, FilterEntry* out) {
  if (push_field(L, e, "name")) {
    const bool ok = vm_type(L, -1) == QM_TSTRING;
    if (ok) out->name = vm_to_string(L, -1);
    vm_pop(L, 1);
    if (!ok) {
      err_set_string_arg("name");
      return ERR_STRTABLEARG;
    }
    out->has_name = true;
  }
  for (const char* key : {"disable", "priority"}) {
    if (!push_field(L, e, key)) continue;
    const bool ok = vm_type(L, -1) == QM_TNUMBER;
    const double v = ok ? vm_to_number(L, -1) : 0.0;
    vm_pop(L, 1);
    if (!ok) {
      err_set_string_arg(key);
      return ERR_NUMTABLEARG;
    }
    if (key[0] == 'd') {
      out->has_disable = true;
      out->disable = v;
    } else {
      out->priority = v;
    }
  }
  if (push_field(L, e, "args")) {
    const int32_t a = vm_get_top(L);
    if (vm_type(L, a) == QM_TTABLE) {
      for (int32_t k = 0; k < 5; ++k) {
        vm_raw_geti(L, a, k);
        const int32_t type = vm_type(L, -1);
        if (type == QM_TNIL) {
          vm_pop(L, 1);
          break;
        }
        FilterArg arg;
        arg.is_text = type == QM_TSTRING;
        if (arg.is_text) arg.text = vm_to_string(L, -1);
        else if (type == QM_TNUMBER) arg.number = vm_to_number(L, -1);
        vm_pop(L, 1);
        if (!arg.is_text && type != QM_TNUMBER) {
          vm_pop(L, 1);
          err_set_string_arg("args");
          return ERR_NUMTABLEARG;
        }
        out->args.push_back(std::move(arg));
      }
    }
    vm_pop(L, 1);
  }
  return 0;
}

}  // namespace

int32_t filters_read_table(qmState* L, int32_t t, FilterSlot* slots, bool* given) {
  t = vm_abs_index(L, t);
  if (!push_field(L, t, "filters")) return 0;
  const int32_t f = vm_get_top(L);
  int32_t error = 0;
  if (vm_type(L, f) != QM_TTABLE) {
    err_set_string_arg("filters");
    error = ERR_TABEXPECTED2;
  }
  for (int32_t k = 0; !error; ++k) {
    vm_raw_geti(L, f, k);
    const int32_t e = vm_get_top(L);
    if (vm_type(L, e) == QM_TNIL) {
      vm_pop(L, 1);
      if (given) *given = true;
      break;
    }
    FilterEntry entry;
    std::string what;
    if (vm_type(L, e) != QM_TTABLE) {
      err_set_string_arg("filters");
      error = ERR_TABEXPECTED2;
    } else if ((error = read_entry(L, e, &entry)) == 0 &&
               (error = filter_entry_apply(slots, entry, k, &what)) != 0) {
      err_set_string_arg(what.c_str());
    }
    vm_pop(L, 1);
  }
  vm_pop(L, 1);
  return error;
}

bool layer_has_filters(const FilterSlot* slots) {
  for (int32_t i = 0; i < kFilterSlots; ++i)
    if (slots[i].active) return true;
  return false;
}

bool filters_touch_mask(const FilterSlot* slots) {
  for (int32_t i = 0; i < kFilterSlots; ++i)
    if (slots[i].active && kFilters[i].touches_mask) return true;
  return false;
}

int32_t layer_apply_filters(const FilterSlot* slots, qmBitmap* bitmap, qmMask* mask, qmAlphaChannel* alpha,
                            int32_t width, int32_t height) {
  // Higher priority first; a stable order within one priority is the slot order.
  for (int32_t p = 255; p >= 0; --p)
    for (int32_t i = 0; i < kFilterSlots; ++i)
      if (slots[i].active && slots[i].priority == p)
        if (int32_t error = g_kernel(i, slots[i], bitmap, mask, alpha, width, height)) return error;
  return 0;
}

}  // namespace qm
