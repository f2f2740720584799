// An open display with the layers, draw and text libraries, for tests that drive the text
// commands through the engine, and a job of the current style for tests of the layout.
#pragma once

#include <string>
#include <vector>

#include "draw/draw.h"
#include "gfx/bitmap.h"
#include "layers/layers.h"
#include "stdlib/stdlib.h"
#include "tests/display/display_harness.h"
#include "text/font_driver.h"
#include "text/layout.h"
#include "text/text.h"

namespace qmtest {

class TextHarness : public DisplayHarness {
 protected:
  void SetUp() override {
    DisplayHarness::SetUp();
    ASSERT_EQ(string_open(L), 0);  // "tostring", which Print calls
    ASSERT_EQ(qm::layers_init(L), 0);
    ASSERT_EQ(qm::draw_open(L), 0);
    ASSERT_EQ(qm::text_open(L), 0);
    d = open_display();
  }
  void TearDown() override {
    qm::text_force_general_path(false);
    qm::display_cleanup(L);
    qm::text_cleanup(L);
    qm::layer_services_reset();
    DisplayHarness::TearDown();
  }
  // A job of the current style.
  qm::qmTextJob job(const std::string& text, int32_t wrap = 0) {
    qm::qmTextJob j;
    j.style = qm::text_get_style();
    j.text = text;
    j.right_margin = wrap;
    return j;
  }
  // The display's picture as 0xRRGGBB words.
  std::vector<uint32_t> picture() {
    const qm::qmBitmap* b = d->bgpic->current.bitmap;
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < b->height; ++y)
      for (int32_t x = 0; x < b->width; ++x) out.push_back(qm::qmos_read_pixel(b, x, y));
    return out;
  }
  double number(const char* name, std::initializer_list<Arg> args) {
    Outcome o = call(name, args);
    EXPECT_EQ(o.code, 0) << name;
    return o.results.empty() ? -1.0 : std::stod(o.results[0]);
  }
  qm::qmDisplay* d = nullptr;
};

}  // namespace qmtest
