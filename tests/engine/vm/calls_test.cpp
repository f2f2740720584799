// Calls: results, variable arguments, closures, tail calls, depth limits, protected calls and
// the command result convention.
#include <string>

#include "engine/errcodes.h"
#include "vm_fixture.h"

namespace {

using Calls = VmTest;

TEST_F(Calls, ResultsAndVariableArguments) {
  // f(...) returns its argument table's n, [0] and [2]; missing results are nil.
  RunResult r = run(R"(
.maxstack 8
  CLOSURE r1 f0
  LOADK r2 "a"
  LOADK r3 "b"
  LOADK r4 "c"
  CALL r1 4 5
  GETGLOBAL r0 "print"
  CALL r0 5 1
  RETURN r0 1
.function
  .params 1
  .vararg
  .maxstack 6
  GETTABLE r2 r1 "n"
  GETTABLE r3 r1 #0
  GETTABLE r4 r1 #1
  RETURN r2 4
.end
)");
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "2 b c nil\n");
}

TEST_F(Calls, ClosuresShareUpvalues) {
  // Two closures capture one local; the setter's change is seen by the getter after CLOSE.
  RunResult r = run(R"(
.maxstack 8
  LOADK r0 #1
  CLOSURE r1 f0
  MOVE 0 r0
  CLOSURE r2 f1
  MOVE 0 r0
  CLOSE r0
  LOADK r5 #41
  MOVE r4 r2
  MOVE r5 r5
  CALL r4 2 1
  MOVE r4 r1
  CALL r4 1 2
  GETGLOBAL r3 "print"
  CALL r3 2 1
  RETURN r0 1
.function
  .upvalues 1
  .maxstack 2
  GETUPVAL r0 0
  RETURN r0 2
.end
.function
  .upvalues 1
  .params 1
  .maxstack 2
  ADD r0 r0 #1
  SETUPVAL r0 0
  RETURN r0 1
.end
)");
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "42\n");
}

TEST_F(Calls, TailCallsDoNotGrowTheRecords) {
  // f(n) tail-calls f(n - 1) 20000 times; plain recursion would overflow the 4096 records.
  const char* f = R"(
.function
  .params 1
  .maxstack 4
  EQ 1 r0 #0
  JMP @done
  GETGLOBAL r1 "f"
  SUB r2 r0 #1
  %CALL% r1 2 0
  RETURN r1 0
done:
  LOADK r1 "bottom"
  RETURN r1 2
.end
)";
  auto program = [&](const std::string& call) {
    std::string fn = f;
    fn.replace(fn.find("%CALL%"), 6, call);
    return ".maxstack 4\n  CLOSURE r0 f0\n  SETGLOBAL r0 \"f\"\n  LOADK r1 #20000\n  CALL r0 2 2\n"
           "  GETGLOBAL r1 \"print\"\n  MOVE r2 r0\n  CALL r1 2 1\n  RETURN r0 1\n" + fn;
  };
  RunResult tail = run(program("TAILCALL"));
  EXPECT_EQ(tail.status, 0) << tail.where;
  EXPECT_EQ(tail.out, "bottom\n");
  RunResult plain = run(program("CALL"));
  EXPECT_EQ(plain.status, qm::ERR_STACK);
}

TEST_F(Calls, HostCallDepthLimit) {
  // f calls itself through the host (call(f)): every level is a host call; depth 200 fails.
  RunResult r = run(R"(
.maxstack 4
  CLOSURE r0 f0
  SETGLOBAL r0 "f"
  CALL r0 1 1
  RETURN r0 1
.function
  .maxstack 4
  GETGLOBAL r0 "call"
  GETGLOBAL r1 "f"
  CALL r0 2 1
  RETURN r0 1
.end
)");
  EXPECT_EQ(r.status, qm::ERR_STACK);
}

TEST_F(Calls, ProtectedCallRepairsTheState) {
  // pcall(raise, 1234) gives 1234; calls made afterwards work normally.
  RunResult r = run(R"(
.maxstack 6
  GETGLOBAL r0 "pcall"
  GETGLOBAL r1 "raise"
  LOADK r2 #1234
  CALL r0 3 2
  GETGLOBAL r1 "print"
  MOVE r2 r0
  CALL r1 2 1
  GETGLOBAL r0 "pcall"
  GETGLOBAL r1 "print"
  LOADK r2 "after"
  CALL r0 3 2
  GETGLOBAL r1 "print"
  MOVE r2 r0
  CALL r1 2 1
  RETURN r0 1
)");
  EXPECT_EQ(r.status, 0) << r.where;
  EXPECT_EQ(r.out, "1234\nafter\n0\n");
  EXPECT_EQ(L->ci, L->base_ci);
  EXPECT_EQ(L->nCcalls, 0);
}

TEST_F(Calls, CommandErrorCodesFollowExitOnError) {
  // With exit-on-error off a failing command only sets the last error; the next command other
  // than getlasterror clears it. -3 is an error code like any other.
  RunResult r = run(R"(
.maxstack 6
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #0
  CALL r0 2 1
  GETGLOBAL r0 "fail"
  LOADK r1 #1000
  CALL r0 2 1
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r0 "print"
  CALL r0 2 1
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r0 "print"
  CALL r0 2 1
  GETGLOBAL r0 "fail"
  LOADK r1 #-3
  CALL r0 2 1
  GETGLOBAL r1 "getlasterror"
  CALL r1 1 2
  GETGLOBAL r0 "print"
  CALL r0 2 1
  GETGLOBAL r0 "exitonerror"
  LOADK r1 #1
  CALL r0 2 1
.lineno 9
  GETGLOBAL r0 "fail"
  LOADK r1 #-3
  CALL r0 2 1
  RETURN r0 1
)");
  EXPECT_EQ(r.status, -3);
  EXPECT_EQ(r.out, "1000\n0\n-3\n");
  EXPECT_EQ(r.where.rfind("test:9: ", 0), 0u) << r.where;
}

TEST_F(Calls, CallingANilGlobalNamesIt) {
  RunResult r = run(".maxstack 3\n.lineno 2\n  GETGLOBAL r0 \"nosuch\"\n  CALL r0 1 1\n  RETURN r0 1\n");
  EXPECT_EQ(r.status, qm::ERR_FUNCDECLA);
  EXPECT_EQ(r.where, "test:2: Function nosuch() not found!");
}

}  // namespace
