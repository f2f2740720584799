// The collector under running programs: allocation in deep and unwinding call chains (the stack
// and call records shrink under the executor), script finalizers, and a long allocation loop.
#include <algorithm>
#include <string>

#include "tests/engine/meta/program_fixture.h"

namespace {

#ifdef QM_GC_TORTURE
constexpr int kScale = 50;
#else
constexpr int kScale = 1;
#endif

using GcPrograms = ProgramTest;

TEST_F(GcPrograms, AllocationWhileDeepCallChainsUnwind) {
  // rec(n): a table per level on the way down and another on the way back, each kept in a
  // register across the nested call; the sum of the levels proves every frame kept its values.
  RunResult r = run(R"(.maxstack 4
  CLOSURE r0 f:rec
  SETGLOBAL r0 "rec"
  LOADK r1 #300
  CALL r0 2 2
  GETGLOBAL r1 "print"
  MOVE r2 r0
  CALL r1 2 1
  RETURN r0 1
.function rec
.params 1
.maxstack 6
  NEWTABLE r1 0 0
  SETTABLE r1 "n" r0
  LT 1 #0 r0
  JMP @deeper
  LOADK r2 #0
  RETURN r2 2
deeper:
  GETGLOBAL r2 "rec"
  SUB r3 r0 #1
  CALL r2 2 2
  NEWTABLE r3 0 0
  LOADK r4 "level "
  GETTABLE r5 r1 "n"
  CONCAT r4 r4 r5
  SETTABLE r3 #1 r4
  GETTABLE r5 r1 "n"
  ADD r2 r2 r5
  RETURN r2 2
.end
)");
  ASSERT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "45150\n");
  // the call records and the stack grew for the chain; each collection halves them once
  for (int i = 0; i < 8; i++) vm_collect(L);
  EXPECT_EQ(L->size_ci, 16);
  EXPECT_LE(L->stacksize, 90);
}

TEST_F(GcPrograms, ScriptFinalizerRunsOnce) {
  RunResult r = run(R"(.maxstack 6
  NEWTABLE r1 0 0
  CLOSURE r2 f:fin
  SETTABLE r1 "__gc" r2
  GETGLOBAL r0 "newud"
  CALL r0 2 2
  SETGLOBAL r0 "keep"
  LOADNIL r0 r2
  GETGLOBAL r3 "collect"
  CALL r3 1 1
  GETGLOBAL r3 "print"
  LOADK r4 "dropping"
  CALL r3 2 1
  LOADNIL r0 r0
  SETGLOBAL r0 "keep"
  GETGLOBAL r3 "collect"
  CALL r3 1 1
  GETGLOBAL r3 "collect"
  CALL r3 1 1
  RETURN r0 1
.function fin
.params 1
.maxstack 4
  GETGLOBAL r1 "print"
  LOADK r2 "finalized"
  MOVE r3 r0
  CALL r1 3 1
  RETURN r0 1
.end
)");
  ASSERT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "dropping\nfinalized userdata\n");
}

TEST_F(GcPrograms, LongAllocationLoopStaysFlat) {
  // for i = 1, N: t = {}; t[1] = "item " .. i; every 1000th step samples the bytes in use
  std::string n = std::to_string(300000 / kScale);
  RunResult r = run(R"(.maxstack 8
  LOADK r0 #0
  LOADK r1 #)" + n + R"(
  LOADK r2 #1
  JMP @test
body:
  NEWTABLE r3 0 0
  LOADK r4 "item "
  MOVE r5 r0
  CONCAT r4 r4 r5
  SETTABLE r3 #1 r4
  MOD r6 r0 #1000
  EQ 1 r6 #0
  JMP @sample
  JMP @test
sample:
  GETGLOBAL r6 "track"
  CALL r6 1 1
test:
  FORLOOP r0 @body
  RETURN r0 1
)");
  ASSERT_EQ(r.status, 0) << r.where;
  ASSERT_GE(samples.size(), 6u);
  size_t half = samples.size() / 2;
  size_t first = *std::max_element(samples.begin() + 1, samples.begin() + half);
  size_t last = *std::max_element(samples.begin() + half, samples.end());
  EXPECT_LE(last, first + first / 4);
  vm_collect(L);
  EXPECT_LE(last, 3 * vm_bytes_in_use(L) + 65536);
}

}  // namespace
