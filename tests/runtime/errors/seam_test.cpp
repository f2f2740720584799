// The error seam with a real engine: commands' returned codes, exit-on-error and the %s text.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/vm.h"
#include "runtime/errors.h"
#include "runtime/registry.h"

namespace {

using namespace qm;

class Seam : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_free_all();
    err_set_string_arg("");
    L = vm_open();
    ASSERT_NE(L, nullptr);
    err_install(L);
  }
  void TearDown() override {
    vm_close_state(L);
    registry_free_all();
  }

  // Calls f protected with no arguments; the status of the call.
  int32_t pcall(qmCFunction f) {
    vm_push_cfunction(L, f);
    return vm_pcall(L, 0, 0, 0);
  }

  qmState* L = nullptr;
};

int32_t fails_with_find_brush(qmState*) {
  err_set_number_arg(12);
  return ERR_FINDBRUSH;
}

int32_t returns_minus_three(qmState*) { return -3; }

TEST_F(Seam, ReturnedCodeIsRaisedWhileExitOnError) {
  EXPECT_EQ(pcall(fails_with_find_brush), ERR_FINDBRUSH);
  EXPECT_EQ(vm_get_last_error(L), ERR_FINDBRUSH);
  char text[ERR_TEXT_SIZE];
  err_get_text(vm_get_last_error(L), text, sizeof text);
  EXPECT_STREQ(text, "Could not find brush 12!");
}

TEST_F(Seam, ReturnedCodeOnlyRecordedWithoutExitOnError) {
  vm_set_exit_on_error(L, 0);
  EXPECT_EQ(pcall(fails_with_find_brush), 0);
  EXPECT_EQ(vm_get_last_error(L), ERR_FINDBRUSH);
  EXPECT_STREQ(err_context().function_name, "----");
  EXPECT_EQ(err_context().line, -1);
  // Any negative result but the Gosub requests is an error code too.
  EXPECT_EQ(pcall(returns_minus_three), 0);
  EXPECT_EQ(vm_get_last_error(L), -3);
}

TEST_F(Seam, InsideProtectedCallsTheFlagStillDecides) {
  const TagItem enter[] = {{ATTR_PROTECTED_CALLS, 1}, {0, 0}};
  runtime_set_attrs(L, enter);
  EXPECT_EQ(pcall(fails_with_find_brush), ERR_FINDBRUSH);
  vm_set_exit_on_error(L, 0);
  EXPECT_EQ(pcall(fails_with_find_brush), 0);
  EXPECT_EQ(vm_get_last_error(L), ERR_FINDBRUSH);
}

TEST_F(Seam, EngineErrorTextFillsTheStringSlot) {
  vm_push_nil(L);
  // Calling nil: the engine names the value and raises 1133 with the name in the %s text.
  EXPECT_EQ(vm_pcall(L, 0, 0, 0), ERR_FUNCDECLA);
  char text[ERR_TEXT_SIZE];
  err_get_text(ERR_FUNCDECLA, text, sizeof text);
  EXPECT_EQ(std::strncmp(text, "Function ", 9), 0) << text;
  EXPECT_NE(std::strstr(text, "() not found!"), nullptr) << text;
}

}  // namespace
