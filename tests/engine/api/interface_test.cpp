// The programming interface beyond raw stack work: comparisons, conversions, user data,
// metatables, environments, upvalues and concatenation.
#include <cstring>

#include "engine/errcodes.h"
#include "tests/engine/core/fixture.h"

namespace {

using namespace qm;

using InterfaceTest = EngineTest;

int32_t cmd_noop(qmState*) { return 0; }

TEST_F(InterfaceTest, ComparisonsOfUnrelatedTypesAnswerZeroWithoutRaising) {
  vm_set_top(L, 0);
  vm_push_number(L, 1);     // 1
  vm_push_string(L, "1");   // 2
  vm_new_table(L);          // 3
  vm_push_nil(L);           // 4
  vm_push_number(L, 0);     // 5
  vm_push_string(L, "b");   // 6
  vm_push_string(L, "a");   // 7
  int32_t eq = -1, lt = -1;
  EXPECT_EQ(raises([&] { eq = vm_equal(L, 1, 2); lt = vm_less_than(L, 1, 2); }), 0);
  EXPECT_EQ(eq, 0);
  EXPECT_EQ(lt, 0);
  EXPECT_EQ(raises([&] { eq = vm_equal(L, 3, 1); lt = vm_less_than(L, 3, 3); }), 0);
  EXPECT_EQ(eq, 0);
  EXPECT_EQ(lt, 0);
  EXPECT_EQ(vm_equal(L, 4, 5), 1);   // nil counts as 0
  EXPECT_EQ(vm_less_than(L, 4, 1), 1);
  EXPECT_EQ(vm_less_than(L, 7, 6), 1);
  EXPECT_EQ(vm_less_than(L, 6, 7), 0);
  EXPECT_EQ(vm_equal(L, 3, 3), 1);
  EXPECT_EQ(vm_equal(L, 1, 50), 0);  // none
  EXPECT_EQ(vm_raw_equal(L, 4, 5), 0);
}

int32_t lt_always(qmState* L) {
  vm_push_number(L, 1);
  return 1;
}

TEST_F(InterfaceTest, LessThanUsesASharedLtEvent) {
  vm_set_top(L, 0);
  vm_new_table(L);  // 1: metatable
  vm_push_string(L, "__lt");
  vm_push_cfunction(L, lt_always);
  vm_raw_set(L, 1);
  for (int i = 0; i < 2; i++) {
    vm_new_table(L);
    vm_push_value(L, 1);
    EXPECT_EQ(vm_set_metatable(L, -2), 1);
  }
  EXPECT_EQ(vm_less_than(L, 2, 3), 1);
}

TEST_F(InterfaceTest, ConversionsAndPointers) {
  vm_set_top(L, 0);
  vm_push_number(L, 0);                 // 1
  vm_push_string(L, "");                // 2
  vm_push_boolean(L, 0);                // 3
  vm_push_cfunction(L, cmd_noop);       // 4
  void* block = vm_new_userdata(L, 24); // 5
  vm_push_lightuserdata(L, this);       // 6
  vm_new_table(L);                      // 7
  // vm_to_boolean is not the truth rule: 0 and "" are true here
  EXPECT_EQ(vm_to_boolean(L, 1), 1);
  EXPECT_EQ(vm_to_boolean(L, 2), 1);
  EXPECT_EQ(vm_to_boolean(L, 3), 0);
  EXPECT_EQ(vm_to_boolean(L, 40), 0);
  EXPECT_EQ(vm_to_cfunction(L, 4), cmd_noop);
  EXPECT_EQ(vm_to_cfunction(L, 1), nullptr);
  EXPECT_EQ(vm_to_userdata(L, 5), block);
  EXPECT_EQ(vm_to_userdata(L, 6), this);
  EXPECT_EQ(vm_to_userdata(L, 7), nullptr);
  EXPECT_TRUE(vm_is_userdata(L, 5) && vm_is_userdata(L, 6) && !vm_is_userdata(L, 7));
  EXPECT_EQ(vm_to_pointer(L, 7), static_cast<const void*>(L->base[6].v.gc));
  EXPECT_EQ(vm_to_pointer(L, 1), nullptr);
  EXPECT_EQ(vm_type(L, 5), QM_TUSERDATA);
  std::memset(block, 0xAB, 24);  // the whole block is usable (ASan checks)
}

TEST_F(InterfaceTest, MetatablesHideTheDefaultOne) {
  vm_set_top(L, 0);
  vm_new_table(L);
  EXPECT_EQ(vm_get_metatable(L, 1), 0);
  EXPECT_EQ(vm_get_top(L), 1);
  vm_new_table(L);
  EXPECT_EQ(vm_set_metatable(L, 1), 1);
  EXPECT_EQ(vm_get_metatable(L, 1), 1);
  vm_pop(L, 1);
  vm_push_nil(L);  // back to the default
  EXPECT_EQ(vm_set_metatable(L, 1), 1);
  EXPECT_EQ(vm_get_metatable(L, 1), 0);
  vm_push_number(L, 5);
  vm_new_table(L);
  EXPECT_EQ(vm_set_metatable(L, 2), 0);  // numbers keep none, the table is still popped
  EXPECT_EQ(vm_get_top(L), 2);
}

TEST_F(InterfaceTest, TypedUserDataByRegisteredMetatable) {
  vm_set_top(L, 0);
  void* block = vm_new_userdata(L, 8);  // 1
  EXPECT_EQ(vm_new_metatable(L, "qm.thing"), 1);
  EXPECT_EQ(vm_new_metatable(L, "qm.thing"), 0);  // leaves the existing one
  EXPECT_TRUE(vm_raw_equal(L, 2, 3));
  vm_pop(L, 1);
  EXPECT_EQ(vm_check_udata(L, 1, "qm.thing"), nullptr);  // default metatable
  vm_set_metatable(L, 1);
  EXPECT_EQ(vm_check_udata(L, 1, "qm.thing"), block);
  EXPECT_EQ(vm_check_udata(L, 1, "qm.other"), nullptr);
  vm_push_number(L, 3);
  EXPECT_EQ(vm_check_udata(L, 2, "qm.thing"), nullptr);
  EXPECT_EQ(vm_get_top(L), 2);
}

int32_t tostring_event(qmState* L) {
  vm_push_string(L, "converted");
  return 1;
}

TEST_F(InterfaceTest, MetaFieldsAreReadRawAndCalled) {
  vm_set_top(L, 0);
  vm_new_table(L);  // 1
  vm_new_table(L);  // 2: its metatable
  vm_push_string(L, "__tostring");
  vm_push_cfunction(L, tostring_event);
  vm_raw_set(L, 2);
  vm_set_metatable(L, 1);
  EXPECT_EQ(vm_get_meta_field(L, 1, "__absent"), 0);
  EXPECT_EQ(vm_get_top(L), 1);
  EXPECT_EQ(vm_get_meta_field(L, 1, "__tostring"), 1);
  EXPECT_EQ(vm_type(L, -1), QM_TFUNCTION);
  vm_pop(L, 1);
  EXPECT_EQ(vm_call_meta(L, -1, "__tostring"), 1);  // a relative index made absolute
  EXPECT_STREQ(vm_to_string(L, -1), "converted");
  vm_push_number(L, 1);
  EXPECT_EQ(vm_call_meta(L, -1, "__tostring"), 0);
}

int32_t cmd_upvalues(qmState* L) { return vm_push_upvalues(L); }

TEST_F(InterfaceTest, CommandUpvalues) {
  vm_set_top(L, 0);
  vm_push_number(L, 1);
  vm_push_string(L, "two");
  vm_push_cclosure(L, cmd_upvalues, 2);  // 1
  EXPECT_STREQ(vm_get_upvalue(L, 1, 2), "");
  EXPECT_STREQ(vm_to_string(L, -1), "two");
  vm_pop(L, 1);
  EXPECT_EQ(vm_get_upvalue(L, 1, 3), nullptr);
  EXPECT_EQ(vm_get_upvalue(L, 1, 0), nullptr);
  vm_push_number(L, 9);
  EXPECT_STREQ(vm_set_upvalue(L, 1, 1), "");
  EXPECT_EQ(vm_get_top(L), 1);

  vm_push_value(L, 1);
  ASSERT_EQ(vm_pcall(L, 0, QM_MULTRET, 0), 0);
  ASSERT_EQ(vm_get_top(L), 3);
  EXPECT_EQ(vm_to_number(L, 2), 9);
  EXPECT_STREQ(vm_to_string(L, 3), "two");
  EXPECT_EQ(vm_push_upvalues(L), 0);  // the base frame runs no closure
}

TEST_F(InterfaceTest, EnvironmentOfNonScriptValuesIsTheGlobals) {
  vm_set_top(L, 0);
  vm_push_cfunction(L, cmd_noop);
  vm_get_fenv(L, 1);
  vm_push_value(L, QM_GLOBALSINDEX);
  EXPECT_TRUE(vm_raw_equal(L, -1, -2));
  vm_set_top(L, 1);
  vm_new_table(L);
  EXPECT_EQ(vm_set_fenv(L, 1), 0);
  EXPECT_EQ(vm_get_top(L), 1);
}

TEST_F(InterfaceTest, ConcatenationCounts) {
  vm_set_top(L, 0);
  vm_concat(L, 0);
  EXPECT_EQ(vm_get_top(L), 1);
  EXPECT_STREQ(vm_to_string(L, 1), "");
  vm_push_number(L, 12);
  vm_concat(L, 1);  // leaves the value as it is
  EXPECT_EQ(vm_type(L, 2), QM_TNUMBER);
  vm_push_string(L, "-");
  vm_push_number(L, 0.5);
  vm_concat(L, 3);
  EXPECT_EQ(vm_get_top(L), 2);
  EXPECT_STREQ(vm_to_string(L, 2), "12-0.5");
  vm_new_table(L);
  EXPECT_EQ(raises([&] { vm_concat(L, 2); }), ERR_CONCAT);
}

TEST_F(InterfaceTest, AbsoluteIndices) {
  vm_set_top(L, 0);
  vm_push_number(L, 1);
  vm_push_number(L, 2);
  EXPECT_EQ(vm_abs_index(L, -1), 2);
  EXPECT_EQ(vm_abs_index(L, -2), 1);
  EXPECT_EQ(vm_abs_index(L, 1), 1);
  EXPECT_EQ(vm_abs_index(L, QM_REGISTRYINDEX), QM_REGISTRYINDEX);
  EXPECT_EQ(vm_abs_index(L, vm_upvalue_index(2)), vm_upvalue_index(2));
}

}  // namespace
