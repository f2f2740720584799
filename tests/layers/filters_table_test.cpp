// The "filters" field of an option table, read off the script stack.
#include <gtest/gtest.h>

#include "engine/errcodes.h"
#include "layers/filters.h"
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
