// An open display with layers on, over the layers library, for tests that drive the layer commands
// through the engine; GetLayerStyle's answer as key -> text.
#pragma once

#include <map>
#include <string>

#include "layers/layers.h"
#include "tests/display/display_harness.h"

namespace qmtest {

class LayerHarness : public DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    ASSERT_EQ(qm::layers_init(L), 0);
    d = open_display();
    ASSERT_EQ(code("EnableLayers", {}), 0);
  }
  void TearDown() override {
    qm::layer_services_reset();
    DisplayHarness::TearDown();
  }
  qm::qmLayer* layer(int32_t n) { return qm::layer_at_index(d->bgpic, n); }
  // A value as text; lists (indexed from 0) as "{a b ...}".
  std::string text_of(int32_t idx) {
    if (vm_type(L, idx) != QM_TTABLE) return describe(L, idx);
    std::string s = "{";
    for (int32_t i = 0;; ++i) {
      vm_raw_geti(L, idx, i);
      const bool end = vm_type(L, -1) == QM_TNIL;
      if (!end) s += (i ? " " : "") + describe(L, -1);
      vm_pop(L, 1);
      if (end) break;
    }
    return s + "}";
  }
  // GetLayerStyle(n) as key -> value text; empty when it fails.
  std::map<std::string, std::string> style(int32_t n) {
    std::map<std::string, std::string> out;
    if (call("GetLayerStyle", {double(n)}).code != 0) return out;
    vm_push_nil(L);
    while (vm_next(L, 1)) {
      if (vm_type(L, -2) == QM_TSTRING) out[vm_to_string(L, -2)] = text_of(vm_get_top(L));
      vm_pop(L, 1);
    }
    return out;
  }
  // SetLayerStyle(n, GetLayerStyle(n)).
  int32_t restyle_with_own(int32_t n) {
    vm_set_top(L, 0);
    vm_push_string(L, "setlayerstyle");
    vm_get_table(L, QM_GLOBALSINDEX);
    vm_push_number(L, n);
    vm_push_string(L, "getlayerstyle");
    vm_get_table(L, QM_GLOBALSINDEX);
    vm_push_number(L, n);
    if (int32_t err = vm_pcall(L, 1, 1, 0)) return err;
    return vm_pcall(L, 2, 0, 0);
  }
  qm::qmDisplay* d = nullptr;
};

}  // namespace qmtest
