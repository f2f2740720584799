// The error position when commands call commands: the function name comes from the libraries'
// command tables.
#include <gtest/gtest.h>

#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/registry.h"

namespace {

using namespace qm;

int32_t g_mode = 0;  // 0: inner returns a code; 1: inner raises from inside

int32_t inner(qmState* L) {
  if (g_mode == 1) vm_raise_error(L, ERR_WRONGUSAGE);
  return ERR_FINDBRUSH;
}

int32_t outer(qmState* L) {
  vm_push_string(L, "inner");
  vm_get_table(L, QM_GLOBALSINDEX);
  vm_call(L, 0, 0);
  return 0;
}

class CommandPosition : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_free_all();
    err_reset_position();
    L = vm_open();
    ASSERT_NE(L, nullptr);
    err_install(L);
    const qmCommand globals[] = {{"inner", inner}, {"outer", outer}};
    for (const qmCommand& c : globals) {
      vm_push_string(L, c.name);
      vm_push_cfunction(L, c.func);
      vm_set_table(L, QM_GLOBALSINDEX);
    }
  }
  void TearDown() override {
    vm_close_state(L);
    err_reset_position();
    registry_free_all();
  }
  int32_t run() {
    vm_push_string(L, "outer");
    vm_get_table(L, QM_GLOBALSINDEX);
    return vm_pcall(L, 0, 0, 0);
  }
  qmState* L = nullptr;
};

TEST_F(CommandPosition, NamesComeFromTheLibraries) {
  static const qmCommand lib[] = {{"Outer", outer}, {"Inner", inner}, {nullptr, nullptr}};
  struct Case {
    int32_t mode;
    bool registered;
    int32_t code;
    const char* function;
  };
  const Case cases[] = {
      {1, false, ERR_WRONGUSAGE, "?"},      // no library lists the command
      {1, true, ERR_WRONGUSAGE, "Inner"},   // raised inside inner
      {0, true, ERR_FINDBRUSH, "Outer"},    // inner's code is raised where outer called it
  };
  for (const Case& c : cases) {
    registry_free_all();
    err_reset_position();
    if (c.registered) {
      ASSERT_EQ(library_register_name(lib, "test"), 0);
    }
    g_mode = c.mode;
    EXPECT_EQ(run(), c.code);
    EXPECT_STREQ(err_context().function_name, c.function) << c.mode;
    EXPECT_EQ(err_context().line, -1);  // no script code on the way
    EXPECT_STREQ(err_context().source_name, "?");
  }
}

}  // namespace
