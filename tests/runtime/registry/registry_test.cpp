#include "runtime/registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/vm.h"

namespace {

using namespace qm;

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { registry_free_all(); }
  void TearDown() override { registry_free_all(); }
};

std::vector<int32_t> g_offered;

int take_even(qmState*, int32_t tag, intptr_t) {
  g_offered.push_back(tag);
  return tag % 2 == 0;
}

int take_all_reads(qmState*, int32_t tag, intptr_t data) {
  *reinterpret_cast<intptr_t*>(data) = tag * 10;
  return 1;
}

TEST_F(Registry, SetAttributes) {
  g_offered.clear();
  ASSERT_EQ(runtime_add_set_hook(take_even), 0);
  const TagItem tags[] = {{ATTR_QUIET, 1},   {ATTR_SCRIPT_RUNNING, 1}, {ATTR_WORD6, 77}, {4, 5},
                          {ATTR_NOSOUND, 1}, {0, 0},                   {ATTR_WORD1, 9}};
  // Tag 3 reaches the hook, which refuses it; it is not counted. The list ends at tag 0.
  EXPECT_EQ(runtime_set_attrs(nullptr, tags), 4);
  EXPECT_EQ(g_offered, (std::vector<int32_t>{4, 3}));
  EXPECT_TRUE(runtime_flags().quiet);
  EXPECT_TRUE(runtime_flags().script_running);
  EXPECT_EQ(runtime_flags().word6, 77);
  EXPECT_EQ(runtime_flags().word1, 0);
  // Without hooks an unknown tag is simply not taken.
  registry_free_all();
  const TagItem unknown[] = {{99, 1}, {0, 0}};
  EXPECT_EQ(runtime_set_attrs(nullptr, unknown), 0);
}

TEST_F(Registry, ProtectedCallCount) {
  const TagItem tags[] = {{ATTR_PROTECTED_CALLS, 1}, {ATTR_PROTECTED_CALLS, 1}, {ATTR_PROTECTED_CALLS, 0}, {0, 0}};
  EXPECT_EQ(runtime_set_attrs(nullptr, tags), 3);
  EXPECT_EQ(runtime_flags().protected_calls, 1);
}

TEST_F(Registry, GetAttributes) {
  const TagItem set[] = {{ATTR_QUIET, 1}, {ATTR_WORD1, 5}, {ATTR_WORD6, 6}, {ATTR_PROTECTED_CALLS, 1}, {0, 0}};
  runtime_set_attrs(nullptr, set);
  intptr_t quiet = -1, w1 = -1, w6 = -1, count = -1, hooked = -1, running = -1;
  const TagItem get[] = {{ATTR_QUIET, reinterpret_cast<intptr_t>(&quiet)},
                         {ATTR_WORD1, reinterpret_cast<intptr_t>(&w1)},
                         {ATTR_WORD6, reinterpret_cast<intptr_t>(&w6)},
                         {ATTR_PROTECTED_CALLS, reinterpret_cast<intptr_t>(&count)},
                         {ATTR_SCRIPT_RUNNING, reinterpret_cast<intptr_t>(&running)},
                         {0, 0}};
  // Tag 23 is not one the runtime answers itself: without a query hook it stays untouched.
  EXPECT_EQ(runtime_get_attrs(nullptr, get), 4);
  EXPECT_EQ(quiet, 1);
  EXPECT_EQ(w1, 5);
  EXPECT_EQ(w6, 6);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(running, -1);
  ASSERT_EQ(runtime_add_get_hook(take_all_reads), 0);
  const TagItem get2[] = {{40, reinterpret_cast<intptr_t>(&hooked)}, {0, 0}};
  EXPECT_EQ(runtime_get_attrs(nullptr, get2), 1);
  EXPECT_EQ(hooked, 400);
}

TEST_F(Registry, ObjectLists) {
  ObjectHeader a{OBJ_BRUSH, {1, nullptr}, nullptr, nullptr};
  ObjectHeader b{OBJ_BRUSH, {0, nullptr}, nullptr, nullptr};
  b.id.handle = &b;  // automatic id: the record's own address
  a.next = &b;
  ObjectHeader t{OBJ_TIMER, {1, nullptr}, nullptr, nullptr};
  ObjectHeader* brushes = &a;
  ObjectHeader* timers = &t;
  ASSERT_EQ(objlist_register(&brushes), 0);
  ASSERT_EQ(objlist_register(&timers), 0);
  EXPECT_EQ(objlist_count_type(OBJ_BRUSH), 2);
  EXPECT_EQ(objlist_count_type(OBJ_SAMPLE), 0);
  EXPECT_EQ(objlist_type_of_handle(&b), OBJ_BRUSH);
  EXPECT_EQ(objlist_type_of_handle(&a), -1);
  EXPECT_EQ(objlist_type_of_handle(nullptr), -1);
  EXPECT_EQ(objlist_find(OBJ_BRUSH, ObjectId{1, nullptr}), &a);
  EXPECT_EQ(objlist_find(OBJ_TIMER, ObjectId{1, nullptr}), &t);
  EXPECT_EQ(objlist_find(OBJ_BRUSH, ObjectId{0, &b}), &b);
  EXPECT_EQ(objlist_find(OBJ_TIMER, ObjectId{0, &b}), nullptr);
  // Number 0 does not match an object with an automatic id.
  EXPECT_EQ(objlist_find(OBJ_BRUSH, ObjectId{0, nullptr}), nullptr);
  // The registry reads the heads when it looks, so later changes to a list are seen.
  brushes = &b;
  EXPECT_EQ(objlist_find(OBJ_BRUSH, ObjectId{1, nullptr}), nullptr);
}

}  // namespace

namespace {

std::string g_seen;

int32_t record_args(qmState* L) {
  g_seen.clear();
  for (int32_t i = 1; i <= vm_get_top(L); ++i) {
    switch (vm_type(L, i)) {
      case QM_TNUMBER: g_seen += "n" + std::to_string(static_cast<int64_t>(vm_to_number(L, i))); break;
      case QM_TSTRING: g_seen += std::string("s") + vm_to_string(L, i); break;
      case QM_TNIL: g_seen += "nil"; break;
      case QM_TLIGHTUSERDATA: g_seen += "ud"; break;
      default: g_seen += "?"; break;
    }
    g_seen += ' ';
  }
  vm_push_number(L, 99);
  return 1;
}

TEST(ScriptCallCommand, PassesTypedArgumentsToTheLowerCasedGlobal) {
  qmState* L = vm_open();
  ASSERT_NE(L, nullptr);
  vm_push_string(L, "loadbrush");
  vm_push_cfunction(L, record_args);
  vm_set_table(L, QM_GLOBALSINDEX);
  int dummy = 0;
  ObjectId automatic{0, &dummy};
  ObjectId numbered{7, nullptr};
  CallArg odd;
  odd.type = 42;  // unknown types are skipped
  EXPECT_EQ(script_call_command(L, "LoadBrush", 1,
                                {CallArg::integer(-3), CallArg::unsigned_integer(4000000000u), CallArg::string("a.png"),
                                 CallArg::nil(), odd, CallArg::lightuserdata(&dummy), CallArg::object_id(automatic),
                                 CallArg::object_id(numbered)}),
            0);
  EXPECT_EQ(g_seen, "n-3 n4000000000 sa.png nil ud ud n7 ");
  EXPECT_EQ(vm_get_top(L), 1);
  EXPECT_EQ(vm_to_number(L, -1), 99);
  vm_close_state(L);
  EXPECT_EQ(script_call_command(nullptr, "LoadBrush", 0, {}), 0);
}

}  // namespace
