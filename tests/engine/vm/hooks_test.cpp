// The executor's side of the debug hook (line events, a hook's error code) and the call tracer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "vm_fixture.h"

namespace {

using Hooks = VmTest;

std::vector<int32_t> g_lines;
int32_t g_fail_at = -1;

void line_hook(qmState*, qmDebug* ar, int32_t* result) {
  if (ar->event != QM_HOOK_LINE) return;
  g_lines.push_back(ar->currentline);
  if (ar->currentline == g_fail_at) *result = 1234;
}

const char* kLoop = R"(
.maxstack 4
.lineno 1
  LOADK r0 #0
.lineno 2
  LOADK r1 #2
  LOADK r2 #1
.lineno 3
loop:
  SUB r1 r1 r2
  LT 1 r0 r1
  JMP @loop
.lineno 4
  RETURN r0 1
)";

TEST_F(Hooks, LineEventsOnNewLinesAndBackwardJumps) {
  g_lines.clear();
  g_fail_at = -1;
  vm_set_hook(L, line_hook, QM_MASK_LINE, 0);
  RunResult r = run(kLoop);
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(g_lines, (std::vector<int32_t>{1, 2, 3, 3, 4}));
}

TEST_F(Hooks, AHookResultIsRaisedAtItsLine) {
  g_lines.clear();
  g_fail_at = 3;
  vm_set_hook(L, line_hook, QM_MASK_LINE, 0);
  RunResult r = run(kLoop);
  EXPECT_EQ(r.status, 1234);
  EXPECT_EQ(vm_get_error_line(L), 3);
  vm_set_hook(L, nullptr, 0, 0);
  EXPECT_EQ(run(kLoop).status, 0);  // the state is usable after the error
}

TEST_F(Hooks, AHookArmedInAnotherStateLeavesThisOneAlone) {
  // The executor's one-word test at jumps, calls and returns also fires for another state's
  // armed hook; this state must still run unhooked, and closing the other state must disarm it.
  g_lines.clear();
  g_fail_at = -1;
  qmState* other = vm_open();
  ASSERT_NE(other, nullptr);
  vm_set_hook(other, line_hook, QM_MASK_LINE, 0);
  EXPECT_NE(vm_attention.load(), 0u);
  RunResult r = run(kLoop);
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_TRUE(g_lines.empty());
  vm_close_state(other);
  EXPECT_EQ(vm_attention.load(), 0u);
  vm_arm_hook(L, QM_MASK_LINE);
  vm_arm_hook(L, QM_MASK_LINE);  // arming twice counts once
  vm_arm_hook(L, 0);
  EXPECT_EQ(vm_attention.load(), 0u);
}

// The line hook is armed by another thread (the player's tick does so from a signal) while a
// loop runs; every way of jumping back must notice it. Unnoticed, a loop runs its 10^8 passes to
// the end and reports success.
TEST_F(Hooks, AHookArmedWhileALoopRunsIsSeenWhateverTheLoopJumpsWith) {
  struct Case {
    const char* name;
    const char* loop;
  };
  const Case cases[] = {
      {"JMP", R"(
.maxstack 4
  LOADK r0 #0
loop:
  ADD r0 r0 #1
  EQ 1 r0 #100000000
  JMP @done
  JMP @loop
done:
  RETURN r0 1
)"},
      {"compare and jump", R"(
.maxstack 4
  LOADK r0 #0
loop:
  ADD r0 r0 #1
  LT 1 r0 #100000000
  JMP @loop
  RETURN r0 1
)"},
      {"TEST and jump", R"(
.maxstack 4
  LOADK r0 #0
loop:
  ADD r0 r0 #1
  LT 1 r0 #100000000
  JMP @more
  LOADBOOL r1 0 1
more:
  LOADBOOL r1 1 0
  TEST r1 r1 1
  JMP @loop
  RETURN r0 1
)"},
      {"FORLOOP", R"(
.maxstack 4
  LOADK r0 #0
  LOADK r1 #0
  LOADK r2 #100000000
  LOADK r3 #1
  JMP @test
body:
  ADD r0 r0 r1
test:
  FORLOOP r1 @body
  RETURN r0 1
)"},
  };
  static std::atomic<bool> g_seen;
  auto stop = [](qmState*, qmDebug*, int32_t* result) {
    g_seen = true;
    *result = 1234;
  };
  for (const Case& c : cases) {
    g_seen = false;
    vm_set_hook(L, stop, QM_MASK_LINE, 0);
    vm_arm_hook(L, 0);
    std::thread arm([this] {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      vm_arm_hook(L, QM_MASK_LINE);
    });
    RunResult r = run(c.loop);
    arm.join();
    EXPECT_EQ(r.status, 1234) << c.name;
    EXPECT_TRUE(g_seen) << c.name;
    vm_set_hook(L, nullptr, 0, 0);
  }
}

TEST_F(Hooks, CallTracerListsTheArguments) {
  vm_set_call_tracer(L, 1);
  testing::internal::CaptureStdout();
  RunResult r = run(R"(
.maxstack 5
  GETGLOBAL r0 "print"
  LOADK r1 #1
  LOADK r2 "a"
  LOADNIL r3 r3
  CALL r0 4 1
  RETURN r0 1
)");
  std::string traced = testing::internal::GetCapturedStdout();
  EXPECT_EQ(r.status, 0) << r.where;
  // the main chunk, called by the host, has no name
  EXPECT_EQ(traced,
            "Now calling ?()\n"
            "Now calling print() with arguments #1=(NUMBER)1 #2=(STRING)\"a\" #3=(NIL) \n");
  EXPECT_EQ(r.out, "1 a nil\n");
}

}  // namespace
