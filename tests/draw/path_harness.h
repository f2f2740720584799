// An open display with the layers, draw, text and vectorgraphics libraries, for tests that drive
// the path commands through the engine, with a vector-graphics plug-in loaded from a folder or
// none.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "draw/draw.h"
#include "draw/paths.h"
#include "layers/layers.h"
#include "runtime/plugins/plugins.h"
#include "stdlib/stdlib.h"
#include "tests/display/display_harness.h"
#include "text/text.h"

namespace qmtest {

class PathHarness : public DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    ASSERT_EQ(string_open(L), 0);
    ASSERT_EQ(qm::layers_init(L), 0);
    ASSERT_EQ(qm::draw_open(L), 0);
    ASSERT_EQ(qm::text_open(L), 0);
    ASSERT_EQ(qm::vectorgraphics_init(L), 0);
    d = open_display();
  }
  void TearDown() override {
    qm::path_free_all(L);
    qm::display_cleanup(L);
    qm::text_cleanup(L);
    plugin_unload_all();
    qm::layer_services_reset();
    DisplayHarness::TearDown();
  }
  // Loads the plug-ins of a folder as the player loads those beside itself.
  void load_plugins(const std::string& folder) { ASSERT_EQ(register_plugin_formats(L, (folder + "/player").c_str()), 0); }
  // The words of path n's buffer up to its end word; empty for an empty path.
  std::vector<uint32_t> words(int32_t n) {
    qm::qmPath* p = nullptr;
    EXPECT_EQ(qm::path_find(qm::ObjectId{n, nullptr}, &p), 0);
    if (!p || !p->ops) return {};
    std::vector<uint32_t> w(p->used / 4 + 1);
    std::memcpy(w.data(), p->ops, w.size() * 4);
    return w;
  }
  qm::qmPath* path(int32_t n) {
    qm::qmPath* p = nullptr;
    qm::path_find(qm::ObjectId{n, nullptr}, &p);
    return p;
  }
  int32_t code(const char* name, std::initializer_list<Arg> args) { return call(name, args).code; }
  qm::qmDisplay* d = nullptr;
};

// The words a real takes in a buffer.
inline void put_real(std::vector<uint32_t>& w, double v) {
  uint32_t two[2];
  std::memcpy(two, &v, 8);
  w.push_back(two[0]);
  w.push_back(two[1]);
}

}  // namespace qmtest
