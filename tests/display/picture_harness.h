// Brush, BGPic and graphics commands called through the engine, with fake layer and output hooks
// that tests switch on, and pixel access to the objects they make.
#pragma once

#include <functional>
#include <vector>
#include <utility>

#include "display/bgpic.h"
#include "display/brush.h"
#include "display/graphics.h"
#include "display/hooks.h"
#include "gfx/bitmap.h"
#include "tests/stdlib/command_harness.h"

namespace qmtest {

// Layers that show objects by {type, id number}; redirects move them to the new id.
struct FakeLayers {
  static inline std::vector<std::pair<int32_t, qm::ObjectId>> shown;
  static bool shows(int32_t type, const qm::ObjectId& id, const void*) {
    for (const auto& e : shown)
      if (e.first == type && e.second == id) return true;
    return false;
  }
  static bool redirect(int32_t type, const qm::ObjectId& from, const qm::ObjectId& to) {
    bool any = false;
    for (auto& e : shown)
      if (e.first == type && e.second == from) e.second = to, any = true;
    return any;
  }
  static void install() {
    shown.clear();
    qm::layer_hooks().shows_object = shows;
    qm::layer_hooks().redirect_object = redirect;
  }
};

class PictureTest : public CommandTest {
 protected:
  void SetUp() override {
    open({graphics_init, brush_init, bgpic_init});
    qm::runtime_add_set_hook(graphics_setting_hook);
    qm::runtime_add_get_hook(graphics_query_hook);
    qm::runtime_flags().quiet = true;  // no loading reports between the test lines
  }
  void TearDown() override {
    brush_free_all();
    bgpic_free_all();
    qm::layer_hooks_reset();
    qm::output_hooks_reset();
    CommandTest::TearDown();
  }

  // Calls name with the numbered arguments and then a table filled by fill (which sets fields
  // of the table on top of the stack).
  Outcome call_table(const char* name, std::initializer_list<Arg> args, const std::function<void()>& fill) {
    vm_set_top(L, 0);
    std::string lower(name);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    vm_push_string(L, lower.c_str());
    vm_get_table(L, QM_GLOBALSINDEX);
    for (const Arg& a : args) push(a);
    vm_new_table(L);
    fill();
    Outcome o;
    o.code = vm_pcall(L, int32_t(args.size()) + 1, QM_MULTRET, 0);
    if (o.code == 0)
      for (int32_t i = 1; i <= vm_get_top(L); i++) o.results.push_back(describe(L, i));
    return o;
  }
  void set_flag(const char* key) {
    vm_push_string(L, key);
    vm_push_boolean(L, 1);
    vm_set_table(L, -3);
  }
  void set_number(const char* key, double v) {
    vm_push_string(L, key);
    vm_push_number(L, v);
    vm_set_table(L, -3);
  }
  void set_string(const char* key, const char* v) {
    vm_push_string(L, key);
    vm_push_string(L, v);
    vm_set_table(L, -3);
  }
  void set_index(int32_t i, double v) {
    vm_push_number(L, i);
    vm_push_number(L, v);
    vm_set_table(L, -3);
  }

  qm::qmBrush* brush(int32_t n) {
    qm::qmBrush* b = nullptr;
    qm::brush_find(qm::ObjectId{n, nullptr}, 0, &b);
    return b;
  }
  qm::qmBGPic* bgpic(int32_t n) {
    qm::qmBGPic* p = nullptr;
    qm::bgpic_find(qm::ObjectId{n, nullptr}, 0, &p);
    return p;
  }
  int32_t code(const char* name, std::initializer_list<Arg> args) { return call(name, args).code; }
};

}  // namespace qmtest
