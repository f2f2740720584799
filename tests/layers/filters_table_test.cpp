// The "filters" field of an option table, read off the script stack.
#include <gtest/gtest.h>

#include "engine/errcodes.h"
#include "layers/filters.h"
#include "layers/style_table.h"
#include "tests/stdlib/command_harness.h"

using namespace qm;

namespace {

struct FiltersTable : qmtest::CommandTest {
  void SetUp() override { open({}); }
  void set_string(const char* key, const char* value) {
    vm_push_string(L, key);
    vm_push_string(L, value);
    vm_raw_set(L, -3);
  }
  // {filters = {entries...}} on the stack; each entry is made by its function on a new table.
  template <typename... F>
  void options(F... entries) {
    vm_new_table(L);
    vm_push_string(L, "filters");
    vm_new_table(L);
    int32_t k = 0;
    (
        [&] {
          vm_new_table(L);
          entries();
          vm_raw_seti(L, -2, k++);
        }(),
        ...);
    vm_raw_set(L, -3);
  }
};

}  // namespace

TEST_F(FiltersTable, EntriesInOrderAndTheirErrors) {
  FilterSlot slots[kFilterSlots];
  bool given = false;
  options([&] { set_string("name", "BLUR"); },
          [&] {
            set_string("name", "tint");
            vm_push_string(L, "args");
            vm_new_table(L);
            vm_push_number(L, 0xFF0000);
            vm_raw_seti(L, -2, 0);
            vm_push_string(L, "50%");
            vm_raw_seti(L, -2, 1);
            vm_raw_set(L, -3);
          });
  const int32_t top = vm_get_top(L);
  EXPECT_EQ(filters_read_table(L, -1, slots, &given), 0);
  EXPECT_EQ(vm_get_top(L), top);
  EXPECT_TRUE(given);
  EXPECT_EQ(slots[0].active, 1);
  EXPECT_FLOAT_EQ(slots[0].floats[0], 5.0f);
  EXPECT_EQ(slots[kTintSlot].ints[0], 0xFF0000);
  EXPECT_EQ(slots[kTintSlot].ints[1], 127);
  vm_set_top(L, 0);

  // The entry before the bad one is kept.
  FilterSlot fresh[kFilterSlots];
  options([&] { set_string("name", "invert"); }, [&] { set_string("disable", "x"); });
  EXPECT_EQ(filters_read_table(L, -1, fresh, &given), ERR_NUMTABLEARG);
  EXPECT_EQ(fresh[7].active, 1);
  vm_set_top(L, 0);
  options([&] { set_string("name", "invert"); }, [] {});
  EXPECT_EQ(filters_read_table(L, -1, fresh, &given), ERR_NOFILTERNAME);
  vm_set_top(L, 0);
  options([&] { set_string("name", "glow"); });
  EXPECT_EQ(filters_read_table(L, -1, fresh, &given), ERR_UNKNOWNFILTER);
  vm_set_top(L, 0);

  // No field: nothing read, no error.
  vm_new_table(L);
  given = false;
  EXPECT_EQ(filters_read_table(L, -1, fresh, &given), 0);
  EXPECT_FALSE(given);
}

namespace {

void set_number(qmState* L, const char* key, double value) {
  vm_push_string(L, key);
  vm_push_number(L, value);
  vm_raw_set(L, -3);
}

}  // namespace

// The form style's SHADOW and EDGE bits switch the layer's shadow and border and stay out of the
// form style; NORMAL replaces the whole style; a new gradient colour drops the colour table.
TEST_F(FiltersTable, StyleTableRoundTrip) {
  struct Case {
    int32_t form, clear;
    int32_t want_form, want_shadow, want_border;
    bool want_given, want_changed;
  } cases[] = {
      {FORM_SHADOW, -1, FORM_ANTIALIAS, 1, 0, false, true},
      {FORM_EDGE | 128, -1, FORM_ANTIALIAS | 128, 0, 1, true, true},
      {FORM_NORMAL | FORM_SHADOW, -1, FORM_NORMAL, 0, 0, true, false},
      {-1, FORM_SHADOW | FORM_ANTIALIAS, 0, 0, 0, true, true},
  };
  for (const Case& c : cases) {
    StyleSwitches layer;
    layer.shadow = c.clear >= 0 ? 1 : 0;
    LayerDrawStyle style;
    style.form_style = FORM_ANTIALIAS;
    style.gradient.stop_count = 3;
    bool given = false, changed = false;
    vm_new_table(L);
    if (c.form >= 0) set_number(L, "formstyle", c.form);
    if (c.clear >= 0) set_number(L, "formstyleclear", c.clear);
    EXPECT_EQ(read_style_table(L, -1, &layer, &style, &given, &changed), 0);
    vm_pop(L, 1);
    EXPECT_EQ(style.form_style, c.want_form) << c.form << " " << c.clear;
    EXPECT_EQ(layer.shadow, c.want_shadow) << c.form;
    EXPECT_EQ(layer.border, c.want_border) << c.form;
    EXPECT_EQ(given, c.want_given) << c.form;
    EXPECT_EQ(changed, c.want_changed) << c.form;
    EXPECT_EQ(style.gradient.stop_count, 3);
  }
  LayerDrawStyle style;
  bool given = false, changed = false;
  vm_new_table(L);
  set_number(L, "fillstyle", FILLTEXTURE);
  set_number(L, "gradientendcolor", 0x12FF8000);
  set_number(L, "texturebrush", 7);
  set_number(L, "texturex", -3);
  style.gradient.stop_count = 2;
  EXPECT_EQ(read_style_table(L, -1, nullptr, &style, &given, &changed), 0);
  vm_pop(L, 1);
  EXPECT_TRUE(given);
  EXPECT_EQ(style.gradient.stop_count, 0);
  vm_new_table(L);
  write_style_table(L, style);
  LayerDrawStyle back;
  EXPECT_EQ(read_style_table(L, -1, nullptr, &back, &given, &changed), 0);
  EXPECT_EQ(back.fill_style, FILLTEXTURE);
  EXPECT_EQ(back.gradient.end_colour, 0xFF8000u);
  EXPECT_EQ(back.texture_brush, style.texture_brush);
  EXPECT_EQ(back.texture_x, -3);
}
