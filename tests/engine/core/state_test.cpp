// Opening and closing an instance, the allocator's accounting, the stack interface basics.
#include <cstring>

#include "engine/errcodes.h"
#include "engine/memory.h"
#include "engine/table.h"
#include "fixture.h"

namespace {

using StateTest = EngineTest;

TEST_F(StateTest, FreshInstanceLayout) {
  EXPECT_EQ(L->stacksize, 45);
  EXPECT_EQ(L->stack_last - L->stack, 39);
  EXPECT_EQ(L->size_ci, 8);
  EXPECT_EQ(L->base, L->stack + 1);
  EXPECT_EQ(L->ci->top, L->base + 20);
  EXPECT_EQ(L->g->strt.size, 32);
  qmTable* meta = hvalue(&L->g->default_meta);
  EXPECT_EQ(meta->metatable, meta);
  EXPECT_EQ(globals_table(L)->lsizenode, 4);
  EXPECT_EQ(registry_table(L)->sizearray, 4);
  EXPECT_EQ(globals_table(L)->metatable, meta);
  EXPECT_STREQ(L->g->tmname[QM_EV_CALL]->data(), "__call");
  EXPECT_EQ(L->g->GCthreshold, 4 * L->g->nblocks);
}

TEST_F(StateTest, AllocatorRefusesHugeBlocksAndCountsExactly) {
  size_t before = vm_bytes_in_use(L);
  void* p = vm_malloc(L, 100);
  EXPECT_EQ(vm_bytes_in_use(L), before + 100);
  p = vm_realloc(L, p, 100, 40);
  EXPECT_EQ(vm_bytes_in_use(L), before + 40);
  vm_free(L, p, 40);
  EXPECT_EQ(vm_bytes_in_use(L), before);
  EXPECT_EQ(raises([&] { vm_realloc(L, nullptr, 0, 4294967293u); }), qm::ERR_MEM);
  EXPECT_EQ(vm_bytes_in_use(L), before);
}

TEST_F(StateTest, WorkloadLeavesNoResidue) {
  // Grows the stack, the string table and tables; TearDown checks the byte accounting.
  for (int i = 0; i < 3000; i++) {
    vm_push_number(L, i);
    if (i % 20 == 0) vm_check_stack(L, 40);
  }
  vm_set_top(L, 0);
  vm_new_table(L);
  for (int i = 0; i < 500; i++) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "k%d", i);
    vm_push_string(L, buf);
    vm_push_number(L, i);
    vm_raw_set(L, 1);
    vm_push_number(L, i);
    vm_raw_seti(L, 1, i);
  }
  EXPECT_GT(L->stacksize, 45);
}

TEST_F(StateTest, StackOperations) {
  vm_push_number(L, 1);
  vm_push_string(L, "two");
  vm_push_cstring(L, nullptr);
  EXPECT_EQ(vm_get_top(L), 3);
  EXPECT_EQ(vm_type(L, 3), QM_TNIL);
  EXPECT_EQ(vm_type(L, 4), QM_TNONE);
  vm_set_top(L, -1);  // pops nothing
  EXPECT_EQ(vm_get_top(L), 3);
  vm_set_top(L, -2);  // pops one
  EXPECT_EQ(vm_get_top(L), 2);
  vm_push_number(L, 0.1);
  EXPECT_STREQ(vm_to_string(L, -1), "0.1");
  EXPECT_EQ(vm_type(L, -1), QM_TSTRING);  // converted in place
  vm_insert(L, 1);
  EXPECT_STREQ(vm_to_string(L, 1), "0.1");
  EXPECT_EQ(vm_to_number(L, 2), 1);
  vm_remove(L, 1);
  EXPECT_EQ(vm_to_number(L, 1), 1);
  vm_push_number(L, 9);
  vm_replace(L, 1);
  EXPECT_EQ(vm_to_number(L, 1), 9);
  EXPECT_EQ(vm_get_top(L), 2);
  EXPECT_TRUE(vm_is_number(L, 1));
  vm_push_string(L, "$10");
  EXPECT_TRUE(vm_is_number(L, -1));
  EXPECT_EQ(vm_to_number(L, -1), 16);
}

TEST_F(StateTest, CheckStackRefusesOverlargeFrames) {
  for (int i = 0; i < 2040; i++) {
    ASSERT_TRUE(vm_check_stack(L, 1));
    vm_push_number(L, i);
  }
  EXPECT_FALSE(vm_check_stack(L, 9));
  EXPECT_TRUE(vm_check_stack(L, 8));
}

TEST_F(StateTest, RawTableAccessAndNext) {
  vm_new_table(L);
  vm_push_string(L, "k");
  vm_push_number(L, 42);
  vm_raw_set(L, 1);
  vm_push_number(L, 7);
  vm_raw_seti(L, 1, 0);
  vm_push_string(L, "k");
  vm_raw_get(L, 1);
  EXPECT_EQ(vm_to_number(L, -1), 42);
  vm_set_top(L, 1);
  vm_raw_geti(L, 1, 0);
  EXPECT_EQ(vm_to_number(L, -1), 7);
  vm_set_top(L, 1);
  int n = 0;
  vm_push_nil(L);
  while (vm_next(L, 1)) {
    n++;
    vm_set_top(L, -2);
  }
  EXPECT_EQ(n, 2);
  EXPECT_EQ(vm_get_top(L), 1);
}

}  // namespace
